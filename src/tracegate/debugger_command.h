#pragma once
// The debugger command that Tracegate runs after its cheat sheet.
#include <cstddef>
#include <string>
#include <string_view>

namespace halyard::tracegate {

// The command buffer's size, terminator included.
inline constexpr std::size_t kCommandSize = 128;

struct DebugRequest {
    std::string_view self;     // argument 0: Tracegate's own path, whose folder is the tool folder
    std::string_view mode;     // argument 1: only its first character counts
    std::string_view program;  // argument 2: the program, usually followed by the IDE's CR LF
    std::string_view runner;   // the program that runs DOS programs, before the debugger; empty: none
};

// Fills `command` (of `size` bytes) with "<DOS DEBUG> <program>" for mode 'm' (DEBUG as
// LocateDosDebug finds it) or "<tool folder>\tasm16\td.exe <program>" for mode 't', names quoted
// for "cmd /c" when they need it; any other mode leaves it empty and succeeds. False, with
// `refusal` set to a console message and the buffer empty, when a name or DOS DEBUG is missing,
// does not fit its buffer or cannot be made safe.
[[nodiscard]] bool ComposeDebuggerCommand(const DebugRequest& request, char* command, std::size_t size,
                                          std::string& refusal);

}  // namespace halyard::tracegate
