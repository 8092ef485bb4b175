// Starting the console helpers: Run through Pausexec, the debuggers through Tracegate.
#pragma once
#include "core/toolchain/launch_lines.h"
#include <string>
#include <windows.h>

// Starts `line` in a new visible console with its folder as current folder (the IDE's own when
// empty); nothing waits for it. False with `error` set when the process cannot be started.
[[nodiscard]] bool StartHelper(const halyard::toolchain::LaunchLine& line, WORD showCommand, std::string& error);
