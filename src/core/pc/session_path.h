#pragma once
// The PATH of a DOS session, as the program that opens the session hands it over: the variable
// HALYARD_SESSION_PATH in Dosrun's environment holds host folders separated by ';'. The PC's
// shell searches DOS names, so each folder becomes the name the PC sees for it (its aliases, upper
// case) and the list replaces the host's own PATH, whose Windows folders hold no DOS programs and
// whose long names DOS cannot read. The variable itself does not reach the PC.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::dos {

inline constexpr std::string_view kSessionPathVariable = "HALYARD_SESSION_PATH";

// The pipe through which a session at its prompt is typed at: "\\.\pipe\Dosrun-session-<id>",
// `processId` being Dosrun's (the channel itself: dosrun/typing_pipe.h).
std::string TypingPipeName(unsigned long processId);

// `environment` holds "NAME=value" entries. When one is HALYARD_SESSION_PATH (any case), it is
// removed and PATH (added when missing, in place when there) becomes its folders in order, each
// through `dosPath`, joined by ';'; blank entries and quotes are left out. Without it the
// environment stays as it is. True when the variable was there.
bool ApplySessionPath(std::vector<std::string>& environment,
                      const std::function<std::string(const std::string& hostFolder)>& dosPath);

}  // namespace halyard::dos
