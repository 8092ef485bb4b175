#pragma once
// The cheat sheets Tracegate prints before it starts a debugger.
#include <string_view>

namespace halyard::tracegate {

// The sheet of the debugger that the mode's first character selects: 'm' DOS DEBUG, 't' TD;
// empty for any other mode.
[[nodiscard]] std::string_view CheatSheet(char mode) noexcept;

}  // namespace halyard::tracegate
