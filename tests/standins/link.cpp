// Stand-in for the toolchain program link.exe.
#include "tool_standin.h"

int main(int argc, char** argv)
{
    return standin::RunTool("link", argc, argv);
}
