#pragma once
// What every stand-in toolchain program does in place of the real tool: record how it was started
// and print tool-like messages.
//
// HALYARD_STANDIN_LOG   a file to which one record per run is appended (standin.h).
// HALYARD_STANDIN_LINES print that many bulk lines (see bulk_lines.h) before the last message.
// HALYARD_STANDIN_PAUSE  milliseconds to wait after each thousand bulk lines (flushed first).
// HALYARD_STANDIN_GBK    print "x" and that many lines of GbkLine() after the bulk lines: every
//                        character of code page 936 starts at an odd offset of the output.
//
// Messages, in this order: "<name> stand-in: <arguments>", "<name>(1): warning: " and 300 `w`, the bulk
// lines, one line on standard error, "<name> stand-in: done". Exit code 0.
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>

#include "bulk_lines.h"
#include "standin.h"

namespace standin {

inline std::string Arguments(int argc, char** argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) text.append(i > 1 ? " " : "").append(argv[i]);
    return text;
}

inline unsigned long EnvNumber(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? 0 : std::strtoul(value, nullptr, 10);
}

inline void PrintBulk()
{
    const unsigned long lines = EnvNumber("HALYARD_STANDIN_LINES");
    const unsigned long pause = EnvNumber("HALYARD_STANDIN_PAUSE");
    for (unsigned long i = 1; i <= lines; ++i) {
        std::fputs(BulkLine(static_cast<unsigned>(i)).c_str(), stdout);
        if (pause == 0 || i % 1000 != 0) continue;
        std::fflush(stdout);
        Sleep(pause);
    }
}

inline void PrintGbk()
{
    const unsigned long lines = EnvNumber("HALYARD_STANDIN_GBK");
    if (lines == 0) return;
    std::fputs("x", stdout);
    for (unsigned long i = 0; i < lines; ++i) std::fputs(GbkLine().c_str(), stdout);
}

inline int RunTool(const char* tool, int argc, char** argv)
{
    Record(tool, argc, argv);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::printf("%s stand-in: %s\r\n", tool, Arguments(argc, argv).c_str());
    std::printf("%s(1): warning: %s\r\n", tool, std::string(300, 'w').c_str());
    PrintBulk();
    PrintGbk();
    // Standard output is fully buffered on a pipe; flushing keeps the order of the two streams.
    std::fflush(stdout);
    std::fprintf(stderr, "%s stand-in: a note on standard error\r\n", tool);
    std::printf("%s stand-in: done\r\n", tool);
    std::fflush(stdout);
    return 0;
}

}  // namespace standin
