#pragma once
// The command lines with which the IDE starts its console helpers: Run starts Pausexec on the
// built program, the debug commands start Tracegate with a mode letter, and the location text
// names the program. The lines go to a process start (no interpreter reads them); the helpers
// then hand the names to cmd.exe, so a name is quoted or refused by the interpreter's rules.
// Ordinary names give the classic lines unchanged.
#include <cstddef>
#include <string>
#include <string_view>

namespace halyard::toolchain {

// Size of the IDE's command buffers, terminator included.
inline constexpr std::size_t kLaunchLineSize = 256;

// Debug modes: the assembler index picks the debugger (0 MASM → DOS DEBUG, 1 TASM → TD).
inline constexpr int kDebugModeDebug = 0;
inline constexpr int kDebugModeTd = 1;

// The source whose program is started, as the document split its path.
struct LaunchSource {
    std::string_view installDir;  // the installation folder, without a trailing backslash
    std::string_view pathNoExt;   // the full path without its last 4 characters
    std::string_view folder;      // the folder part, final backslash included; empty when none
    std::string_view baseName;    // the file name without its last 4 characters
};

struct LaunchLine {
    char text[kLaunchLineSize] = {};  // the process's command line; empty: nothing to start
    std::string folder;               // its current folder; empty: the IDE's own
};

// The current folder a helper starts in, from a folder part: without its final backslash, except
// a drive's root ("D:\\").
[[nodiscard]] std::string StartFolder(std::string_view folder);

// Run: "<install>\bin\Pausexec.exe <pathNoExt>.exe", started in the source's folder.
// False with `error` set (a line for the Output pane, CR LF included) when a name cannot be
// passed safely or the line does not fit; `out.text` is then empty.
[[nodiscard]] bool ComposeRunLine(const LaunchSource& source, LaunchLine& out, std::string& error);

// Debug: "<install>\bin\Tracegate.exe <m|t> <baseName>.exe\r\n", started in the source's folder;
// Tracegate takes the CR LF off its last argument. A mode without a debugger (Nasm, any other
// value) returns true with an empty line.
[[nodiscard]] bool ComposeDebugLine(const LaunchSource& source, int mode, LaunchLine& out, std::string& error);

// "Show program location": the mode bar's summary text, " | ", the source's full path.
[[nodiscard]] std::string LocationText(std::string_view summary, std::string_view fullPath);

}  // namespace halyard::toolchain
