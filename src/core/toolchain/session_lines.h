#pragma once
// How the IDE opens a DOS session and what it types there. A session is Dosrun with no program,
// in a console of its own, on every Windows (on 32-bit Windows too, so that one PC keeps what a
// program leaves behind for the next): it starts in the active document's folder, or in the
// installation folder without one, and its PATH holds the selected toolchain's folder and DEBUG's
// folder, handed to Dosrun as host folders in HALYARD_SESSION_PATH (Dosrun shows the PC their DOS
// names). Run in the session types the built program's DOS path at the prompt, with Enter.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::toolchain {

// The longest line the PC's shell reads, Enter not counted.
inline constexpr std::size_t kSessionLineLimit = 126;

struct SessionStart {
    std::string commandLine;  // "<install>\bin\Dosrun.exe", quoted when it holds a blank
    std::string folder;       // the session's current folder
    std::string path;         // HALYARD_SESSION_PATH: the toolchain's folder, then DEBUG's
};

// `documentFolder`: the active document's folder part (final backslash kept), empty without a
// document. `assembler`: 0 MASM (bin\masm16), anything else TASM (bin\tasm16). DEBUG's folder is
// the first installed folder of its search order that `holdsDebug` says has it, bin\masm16 when
// none has (where it belongs); a folder already on the path is not repeated.
[[nodiscard]] SessionStart ComposeSessionStart(std::string_view installDir, std::string_view documentFolder,
                                               int assembler,
                                               const std::function<bool(const std::string& folder)>& holdsDebug);

// The environment block a session starts with: `entries` ("NAME=value", as the IDE has them)
// without any HALYARD_SESSION_PATH of their own, then HALYARD_SESSION_PATH=`path`; each entry
// ends with a NUL and the block with a second one.
[[nodiscard]] std::string SessionEnvironment(const std::vector<std::string>& entries, std::string_view path);

// The keys typed for Run in the session: `dosProgram` (the program's path as the PC names it)
// and CR. False with `error` set (a line for the Output pane, CR LF included) when the path holds
// anything but printable ASCII or is longer than the shell's line.
[[nodiscard]] bool ComposeSessionTyping(std::string_view dosProgram, std::string& typed, std::string& error);

// The message that asks the session to hand the next program of `dosProgram`'s file name to the
// debugger on `pipe` before its first instruction ("\0DEBUG:<pipe> <file name>": no typing, a
// request to the session itself).
[[nodiscard]] std::string SessionDebugRequest(std::string_view pipe, std::string_view dosProgram);

}  // namespace halyard::toolchain
