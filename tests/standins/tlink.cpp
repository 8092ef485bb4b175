// Stand-in for the toolchain program tlink.exe.
#include "tool_standin.h"

int main(int argc, char** argv)
{
    return standin::RunTool("tlink", argc, argv);
}
