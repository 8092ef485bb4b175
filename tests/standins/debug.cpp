// Stands in for DOS DEBUG, found as debug.exe on the search path.
#include "standin.h"

int main(int argc, char** argv) { return standin::Run("debug", argc, argv); }
