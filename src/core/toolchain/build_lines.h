#pragma once
// The assemble and link lines that a build step types into the document's command interpreter.
//
// A line is "<tool folder><tool> <arguments>\r\n", after the runner of DOS programs where the
// system needs one: the tool path is one word, the arguments name
// the source by its bare file name (the interpreter runs in the source's folder). Ordinary names
// give the toolchains' classic lines unchanged; a name or tool folder with blanks or interpreter
// operators is quoted word by word; one that no quoting makes safe refuses the whole line.
#include <cstddef>
#include <string>
#include <string_view>

namespace halyard::toolchain {

inline constexpr int kAssemblerMasm = 0;
inline constexpr int kAssemblerTasm = 1;
inline constexpr int kConfigDebug = 0;
inline constexpr int kConfigRelease = 1;

enum class BuildStep { Compile, Link };

enum class LineStatus {
    Ok,          // both buffers hold their text
    NoCommand,   // the assembler has no such step (Nasm, unknown index): nothing to send
    UnsafeName,  // a name or the tool folder cannot be typed safely
    TooLong,     // the text does not fit its buffer, terminator included
};

struct StepRequest {
    BuildStep step;
    int assembler;               // kAssemblerMasm, kAssemblerTasm; anything else has no command
    int config;                  // kConfigDebug or anything else (Release); Link only
    std::string_view fileName;   // the source's name with extension
    std::string_view baseName;   // the source's name without its last 4 characters
    std::string_view runner;     // the DOS program runner the line starts with; empty: none
};

// Fills `command` with "<tool> <arguments>" (the tool relative to the tool folder) and `line`
// with the whole line, CR LF included. Each buffer holds `size` bytes; on any status but Ok both
// are left as empty strings (when size > 0).
[[nodiscard]] LineStatus ComposeStepLine(const StepRequest& request, std::string_view toolFolder,
                                         char* command, char* line, std::size_t size);

// The text the Output pane shows after "\r\nError message: " for a refused line; empty for Ok
// and NoCommand.
[[nodiscard]] std::string_view RefusalText(LineStatus status) noexcept;

// The tool the step starts, below the tool folder ("\\masm16\\masm.exe"); empty when the
// assembler has no such step.
[[nodiscard]] std::string_view StepTool(const StepRequest& request) noexcept;

// The Output pane's text, after "\r\nError message: ", for a step whose tool is not at `toolPath`
// (its full path): which file is missing, where it was looked for, and the command that copies
// the course's tools into place.
[[nodiscard]] std::string MissingToolText(std::string_view toolPath);

// The banner that replaces the Output pane's text when a step sends its line.
[[nodiscard]] std::string_view StepBanner(BuildStep step) noexcept;

}  // namespace halyard::toolchain
