// Stand-in for the toolchain program tasm.exe.
#include "tool_standin.h"

int main(int argc, char** argv)
{
    return standin::RunTool("tasm", argc, argv);
}
