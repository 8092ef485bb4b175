#include "core/pc/command_line.h"

namespace halyard::dos {
namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

// The end of the word starting at `at`; `word` receives it without quotes.
size_t WordEnd(std::string_view line, size_t at, std::string* word)
{
    bool quoted = false;
    for (; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && Blank(c))
            break;
        if (word != nullptr)
            word->push_back(c);
    }
    return at;
}

size_t SkipBlanks(std::string_view line, size_t at)
{
    while (at < line.size() && Blank(line[at]))
        ++at;
    return at;
}

}  // namespace

bool SplitCommandLine(std::string_view line, CommandLineParts& parts)
{
    // Argument 0 ends at the closing quote when it starts with one, else at the first blank.
    size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        const size_t close = line.find('"', 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (at < line.size() && !Blank(line[at]))
            ++at;
    }
    at = SkipBlanks(line, at);
    parts = {};
    const size_t end = WordEnd(line, at, &parts.program);
    if (parts.program.empty())
        return false;
    parts.fromProgram = line.substr(at);
    parts.tail = line.substr(end);
    return true;
}

}  // namespace halyard::dos
