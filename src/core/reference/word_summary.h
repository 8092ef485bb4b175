#pragma once
// The one line the status bar shows about the word at the caret.
#include <string>
#include <string_view>

namespace halyard::reference {

// An instruction: its names, its title and the first sentence of its explanation from the
// instruction reference ("MOV 传送：目的 = 源。"); a register, directive or operator: its note.
// Empty for any other word. Letters match in either case.
std::string WordSummary(std::string_view word);

} // namespace halyard::reference
