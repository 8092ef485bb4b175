// Starts the staged Halyard.exe and finds its windows from outside the process.
#pragma once
#include <windows.h>
#include <string>

namespace e2e {

// Folder of the staged installation (HALYARD_DIST, set by the test runner).
std::string DistDir();

class Process {
public:
    // Starts `exe` with `args` in folder `dir`; false when CreateProcess fails.
    bool Start(const std::string& exe, const std::string& args, const std::string& dir);
    // Waits up to `ms`; true with the exit code when the process ended.
    bool WaitExit(DWORD ms, DWORD* code);
    DWORD Id() const { return m_pi.dwProcessId; }
    ~Process();

private:
    PROCESS_INFORMATION m_pi{};
};

// Polls for a visible top-level window of process `pid` whose title is `title` (empty: any), also
// followed by the " - [child]" a maximized MDI child adds.
HWND FindTopWindow(DWORD pid, const std::string& title, DWORD timeoutMs);

}  // namespace e2e
