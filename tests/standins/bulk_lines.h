#pragma once
// The output of the stand-in tools, for tests and benchmarks to rebuild byte for byte. Bulk line
// i (from 1) is "L" + 7 digits + ":" + 29 filler characters + CR LF, 40 bytes in all.
#include <cstdio>
#include <string>

namespace standin {

constexpr std::size_t kBulkLineSize = 40;

inline std::string BulkLine(unsigned index)
{
    char line[kBulkLineSize + 1];
    std::snprintf(line, sizeof line, "L%07u:%-29.29s\r\n", index, "the build console keeps order");
    return line;
}

inline std::string BulkText(unsigned count)
{
    std::string text;
    text.reserve(count * kBulkLineSize);
    for (unsigned i = 1; i <= count; ++i) text += BulkLine(i);
    return text;
}

// Twenty characters "\xD6\xD0" (code page 936) and CR LF.
inline std::string GbkLine()
{
    std::string line;
    for (int i = 0; i < 20; ++i) line += "\xD6\xD0";
    return line + "\r\n";
}

// Everything a tool prints (tool_standin.h), `middle` being its bulk and double-byte lines.
inline std::string ToolOutput(const std::string& tool, const std::string& arguments, const std::string& middle = {})
{
    return tool + " stand-in: " + arguments + "\r\n" + tool + "(1): warning: " + std::string(300, 'w') + "\r\n" +
           middle + tool + " stand-in: a note on standard error\r\n" + tool + " stand-in: done\r\n";
}

}  // namespace standin
