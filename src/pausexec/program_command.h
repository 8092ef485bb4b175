#pragma once
// The command with which Pausexec runs its program.
#include <cstddef>
#include <string>
#include <string_view>

namespace halyard::pausexec {

// The command buffer's size, terminator included.
inline constexpr std::size_t kCommandSize = 128;

// Fills `command` (of `size` bytes) with the program as one word for "cmd /c": bare when it is
// an ordinary path, quoted when it holds blanks or interpreter operators. False, with `refusal`
// set to a console message, when no quoting makes it safe or the command does not fit; the
// buffer is then empty.
// A `runner` (the program that runs DOS programs where the system cannot) comes first.
[[nodiscard]] bool ComposeProgramCommand(std::string_view program, std::string_view runner, char* command,
                                         std::size_t size, std::string& refusal);

}  // namespace halyard::pausexec
