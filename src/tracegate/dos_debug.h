#pragma once
// DOS DEBUG for Masm mode, looked up on this system in the order of core/toolchain/debugger_search.h.
#include <string>
#include <string_view>

namespace halyard::tracegate {

// Sets `word` to the debugger's word for the command line (a full path inside the installation,
// the bare name when the interpreter's own search finds it). False, with `refusal` set to a
// console message naming every folder searched and where debug.exe belongs, when none holds it.
[[nodiscard]] bool LocateDosDebug(std::string_view toolFolder, std::string& word, std::string& refusal);

}  // namespace halyard::tracegate
