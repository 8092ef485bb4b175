#pragma once
// Dosrun's own command line, as Windows hands it over: "Dosrun program [arguments]". The program
// word follows the C runtime's rules (quotes group, the quotes themselves are not part of it);
// everything after it stays exactly as typed, so that it can be passed on unchanged.
#include <string>
#include <string_view>

namespace halyard::dos {

struct CommandLineParts {
    std::string program;         // the program word, without its quotes
    std::string_view fromProgram;  // the line from the program word on: a Windows program's command line
    std::string_view tail;       // the text after the program word: a DOS program's command tail
};

// False when the line names no program.
bool SplitCommandLine(std::string_view line, CommandLineParts& parts);

}  // namespace halyard::dos
