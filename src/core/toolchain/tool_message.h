#pragma once
// Reading one line of the assemblers' and linkers' output: is it a message, of what weight, and
// does it name a source file and a line?
#include <cstddef>
#include <string>
#include <string_view>

namespace halyard::toolchain {

enum class ToolSeverity { Warning, Error, Fatal };

struct ToolMessage {
    ToolSeverity severity = ToolSeverity::Error;
    std::string file;  // as the tool printed it (maybe upper case or a short name); empty: none
    int line = 0;      // 1-based; 0 when the message names no source line (linker messages)
    std::string code;  // "A2009", "L4021"; empty for tools that number nothing
    std::string text;  // the message after its file, line and code
    [[nodiscard]] bool HasLocation() const { return line > 0 && !file.empty(); }
};

// Recognises the message forms of the two toolchains:
//   HELLO.ASM(12): error A2009: Symbol not defined: FOO        assembler, older form
//   hello.asm(12) : error A2006: undefined symbol : foo        assembler, newer form
//   **Error** hello.asm(12) Undefined symbol: FOO              the other assembler; also
//   *Warning* ..., **Fatal** ... (with or without a file)
//   LINK : warning L4021: no stack segment                     linkers, no source line
//   Warning: No stack  /  Error: Undefined symbol FOO in module X.ASM  /  Fatal: ...
//   Unable to open input file: X.ASM  /  Cannot find file X.OBJ     fatal lines without a word
// False for every other line (banners, the source lines echoed, summaries).
[[nodiscard]] bool ParseToolMessage(std::string_view line, ToolMessage& out);

// A one-line explanation in Chinese of a message and its usual fix, or null when the message is
// not one of the common ones. Matched on the message text, so the wording of either toolchain
// finds the same explanation.
[[nodiscard]] const char* ExplainToolMessage(const ToolMessage& message);

// The explanations' table: each row's wordings (lower case, "*" for any text, unused ones null)
// and its text. FindToolExplanation gives the row a message text reaches, or -1.
struct ToolExplanation {
    const char* wordings[5];
    const char* text;
};
[[nodiscard]] const ToolExplanation* ToolExplanations(std::size_t& count);
[[nodiscard]] int FindToolExplanation(std::string_view messageText);

}  // namespace halyard::toolchain
