#pragma once
// A command handed to the runtime's system(), which runs it as "cmd.exe /c <command>", stored in a
// fixed buffer. Header-only: the console helpers compile it in without linking the core.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace halyard::toolchain {

// Copies `text` with its terminator into `buffer` when it fits in `size` bytes. A text that does
// not fit leaves an empty string (size > 0) and returns false: nothing is cut or written past
// the end.
[[nodiscard]] inline bool CopyBounded(std::string_view text, char* buffer, std::size_t size)
{
    if (size == 0) return false;
    const int written = std::snprintf(buffer, size, "%.*s", static_cast<int>(text.size()), text.data());
    if (written < 0 || static_cast<std::size_t>(written) >= size || static_cast<std::size_t>(written) != text.size()) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

// "cmd /c" drops the first and the last double quote of a command that begins with one, unless
// the whole command is a single quoted name: `"C:\a b\td.exe" "x y.exe"` would lose its outer
// quotes and split at the blank. One more pair around such a command is what cmd drops, so the
// command's own quotes reach the parser intact. A command that begins otherwise is left alone.
[[nodiscard]] inline std::string ForCmdSlashC(std::string_view command)
{
    if (command.empty() || command.front() != '"') return std::string(command);
    std::string wrapped;
    wrapped.reserve(command.size() + 2);
    wrapped += '"';
    wrapped.append(command);
    wrapped += '"';
    return wrapped;
}

// The command for system() in `buffer`; false (buffer empty) when it does not fit.
[[nodiscard]] inline bool StoreSystemCommand(std::string_view command, char* buffer, std::size_t size)
{
    return CopyBounded(ForCmdSlashC(command), buffer, size);
}

}  // namespace halyard::toolchain
