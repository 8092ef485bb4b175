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

// The first descendant of `parent` whose class is `className`, whose text is `text` unless that is
// empty and whose control id is `id` unless that is -1; null when there is none.
HWND FindDescendant(HWND parent, const char* className, const std::string& text = "", int id = -1);
// The text of a cell of a report list of another process (read through memory of that process).
std::string RemoteListText(HWND list, int row, int column);

}  // namespace e2e
