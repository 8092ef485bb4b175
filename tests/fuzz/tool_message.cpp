// libFuzzer target for reading the tools' messages. Any line: reading never fails; a message with
// a location names a file the line spells and a line number from 1 to 9999999 that the line holds
// in parentheses right after that name; its explanation, if any, is a row of the table.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/toolchain/tool_message.h"

namespace {

void Check(bool ok, const char* what, const std::string& line)
{
    if (ok) return;
    std::fprintf(stderr, "tool message: %s in \"%s\"\n", what, line.c_str());
    std::abort();
}

// `line` holds "<file>(<digits>)" with digits of the value `number` (leading zeros allowed).
bool HoldsLocation(const std::string& line, const std::string& file, int number)
{
    for (std::size_t at = line.find(file + "("); at != std::string::npos; at = line.find(file + "(", at + 1)) {
        std::size_t i = at + file.size() + 1;
        long value = 0;
        const std::size_t first = i;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9' && value <= 9999999) value = value * 10 + (line[i++] - '0');
        if (i > first && i < line.size() && line[i] == ')' && value == number) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace halyard::toolchain;
    const std::string line(reinterpret_cast<const char*>(data), size);
    ToolMessage m;
    if (!ParseToolMessage(line, m)) return 0;
    Check(m.HasLocation() == (m.line > 0), "a line without a file", line);
    if (m.line > 0) {
        Check(m.line <= 9999999, "a line number of more than seven digits", line);
        Check(HoldsLocation(line, m.file, m.line), "a location the line does not hold", line);
    }
    Check(line.find(m.text) != std::string::npos, "a text the line does not hold", line);
    std::size_t rows = 0;
    const ToolExplanation* table = ToolExplanations(rows);
    const int row = FindToolExplanation(m.text);
    Check(row >= -1 && row < static_cast<int>(rows), "a row outside the table", line);
    Check(ExplainToolMessage(m) == (row < 0 ? nullptr : table[row].text), "an explanation of another row", line);
    return 0;
}
