// Stands in for the TASM toolchain's debugger, tasm16\td.exe.
#include "standin.h"

int main(int argc, char** argv) { return standin::Run("td", argc, argv); }
