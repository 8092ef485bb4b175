#pragma once
// The bulk output of the stand-in tools: line i (from 1) is "L" + 7 digits + ":" + 29 filler
// characters + CR LF, 40 bytes in all, so tests and benchmarks can rebuild the exact text.
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

}  // namespace standin
