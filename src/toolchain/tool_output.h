#pragma once
// Running a tool once, hidden, to read what it prints.
#include <windows.h>

#include <string>
#include <string_view>

// Starts `commandLine` with `folder` as its current folder, without a window, `input` on its
// standard input (then end of file) and its output and errors in one pipe. Returns what it
// printed until it ended or `timeoutMs` passed, when it is ended; at most 64 KiB. Empty when it
// cannot be started.
[[nodiscard]] std::string CaptureToolOutput(const std::string& commandLine, const std::string& folder,
                                            std::string_view input, DWORD timeoutMs);
