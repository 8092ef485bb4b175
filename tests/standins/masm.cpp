// Stand-in for the toolchain program masm.exe.
#include "tool_standin.h"

int main(int argc, char** argv)
{
    return standin::RunTool("masm", argc, argv);
}
