#include "e2e/harness.h"
#include <commctrl.h>
#include <cstdlib>
#include <vector>

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

namespace {
struct Descendant {
    const char* className;
    const std::string* text;
    int id;
    HWND found;
};

BOOL CALLBACK VisitChild(HWND hwnd, LPARAM lp)
{
    auto* d = reinterpret_cast<Descendant*>(lp);
    char cls[128] = {}, text[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    if (lstrcmpiA(cls, d->className) != 0 || (!d->text->empty() && *d->text != text)) return TRUE;
    if (d->id != -1 && GetDlgCtrlID(hwnd) != d->id) return TRUE;
    d->found = hwnd;
    return FALSE;
}
}  // namespace

HWND FindDescendant(HWND parent, const char* className, const std::string& text, int id)
{
    Descendant d{className, &text, id, nullptr};
    EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

std::string RemoteListText(HWND list, int row, int column)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return {};
    const SIZE_T textSize = 512;
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    std::string text;
    if (remote) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = remote + sizeof item;
        item.cchTextMax = int(textSize);
        std::vector<char> local(textSize + 1, 0);
        SIZE_T moved = 0;
        if (WriteProcessMemory(process, remote, &item, sizeof item, &moved)) {
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
            if (ReadProcessMemory(process, remote + sizeof item, local.data(), textSize, &moved)) text = local.data();
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

}  // namespace e2e
