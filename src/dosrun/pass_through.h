#pragma once
// Starting a Windows program in Dosrun's place.
#include <string>

namespace halyard::dosrun {

// Runs `commandLine` as it is, with Dosrun's handles and current folder, and returns its exit
// code; on failure prints why and returns 255.
int RunWindowsProgram(const std::string& program, const std::string& commandLine);

}  // namespace halyard::dosrun
