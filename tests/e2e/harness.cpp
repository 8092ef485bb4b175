#include "e2e/harness.h"
#include <cstdlib>

namespace e2e {

std::string DistDir()
{
    const char* d = std::getenv("HALYARD_DIST");
    return d ? d : "";
}

bool Process::Start(const std::string& exe, const std::string& args, const std::string& dir)
{
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &m_pi) != 0;
}

bool Process::WaitExit(DWORD ms, DWORD* code)
{
    if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, ms) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(m_pi.hProcess, code);
    return true;
}

Process::~Process()
{
    if (m_pi.hProcess) {
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 99);
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }
}

namespace {
struct Search {
    DWORD pid;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    // A maximized MDI child adds " - [its title]" to the frame's title.
    const std::string shown(text);
    const bool match = *s->title == shown || shown.rfind(*s->title + " - [", 0) == 0;
    if (!s->title->empty() && !match) return TRUE;
    s->found = hwnd;
    return FALSE;
}
}  // namespace

HWND FindTopWindow(DWORD pid, const std::string& title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        Search s{pid, &title, nullptr};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

}  // namespace e2e
