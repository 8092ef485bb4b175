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
// HALYARD_STANDIN_MESSAGE a line printed after the first one, "%f" replaced by the source word (the
//                        first argument, up to a comma, that ends in ".asm").
//
// Messages, in this order: "<name> stand-in: <arguments>", the message above, "<name>(1): warning: "
// and 300 `w`, the bulk lines, one line on standard error, "<name> stand-in: done". Exit code 0.
//
// Like the real tools they write their output, so that each build step finds the previous one's:
// the assemblers write <source base>.obj, the linkers <object base>.exe when the object file is
// there.
#include <cctype>
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

inline bool EndsWithNoCase(const std::string& text, const char* end)
{
    const std::string tail(end);
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

// The first argument field (arguments split at commas, a final ';' dropped) that ends in `extension`.
inline std::string FieldEndingIn(int argc, char** argv, const char* extension)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        for (std::size_t start = 0; start <= arg.size();) {
            std::size_t comma = arg.find(',', start);
            if (comma == std::string::npos) comma = arg.size();
            std::string field = arg.substr(start, comma - start);
            if (!field.empty() && field.back() == ';') field.pop_back();
            if (EndsWithNoCase(field, extension)) return field;
            start = comma + 1;
        }
    }
    return {};
}

inline std::string WithExtension(const std::string& name, const char* extension)
{
    return name.substr(0, name.size() - 4) + extension;
}

inline void Touch(const std::string& path)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
}

inline void WriteOutputs(const std::string& tool, int argc, char** argv)
{
    if (tool == "masm" || tool == "tasm") {
        const std::string source = FieldEndingIn(argc, argv, ".asm");
        if (!source.empty()) Touch(WithExtension(source, ".obj"));
    } else if (tool == "link" || tool == "tlink") {
        const std::string object = FieldEndingIn(argc, argv, ".obj");
        if (object.empty()) return;
        if (FILE* f = std::fopen(object.c_str(), "rb")) {
            std::fclose(f);
            Touch(WithExtension(object, ".exe"));
        }
    }
}

inline void PrintMessage(int argc, char** argv)
{
    const char* message = std::getenv("HALYARD_STANDIN_MESSAGE");
    if (message == nullptr) return;
    std::string line = message;
    const std::size_t at = line.find("%f");
    if (at != std::string::npos) line.replace(at, 2, FieldEndingIn(argc, argv, ".asm"));
    std::printf("%s\r\n", line.c_str());
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
    PrintMessage(argc, argv);
    WriteOutputs(tool, argc, argv);
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
