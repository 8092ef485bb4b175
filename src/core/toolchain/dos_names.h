#pragma once
// Whether a DOS tool can open a name as it stands: 8.3 names of plain ASCII.
#include <string_view>

namespace halyard::toolchain {

// One file or folder name: 1 to 8 characters, then optionally a dot and 1 to 3 more; letters,
// digits and ! # $ % & ' ( ) - @ ^ _ ` { } ~ only (no blank, no second dot, nothing above 127).
[[nodiscard]] bool IsDosName(std::string_view name);

// Every name after the root ("C:\", "\\server\share\") is a DOS name; "." and ".." pass. An
// empty path passes (nothing to shorten); a trailing backslash is allowed.
[[nodiscard]] bool IsDosPath(std::string_view path);

}  // namespace halyard::toolchain
