#include "toolchain/dos_session.h"

#include "core/pc/dos/aliased_files.h"
#include "core/pc/session_path.h"
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kRetryMs = 50;

std::string SystemReason(DWORD error)
{
    char reason[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason, sizeof reason,
                   nullptr);
    return reason;
}

std::vector<std::string> OwnEnvironment()
{
    std::vector<std::string> entries;
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* p = block; *p != 0; p += std::strlen(p) + 1) entries.emplace_back(p);
        FreeEnvironmentStringsA(block);
    }
    return entries;
}

// The names a host folder holds, "." and ".." left out.
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

}  // namespace

bool CDosSession::Open(const halyard::toolchain::SessionStart& start, std::string& error)
{
    std::string command = start.commandLine;
    std::string environment = halyard::toolchain::SessionEnvironment(OwnEnvironment(), start.path);
    char title[] = "DOS 会话 (EXIT 结束)";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.lpTitle = title;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, environment.data(),
                        start.folder.c_str(), &si, &pi)) {
        error = "Cannot open a DOS session (" + command + " in " + start.folder + "): " + SystemReason(GetLastError());
        return false;
    }
    const FxHandle thread(pi.hThread);
    m_process.Reset(pi.hProcess);
    m_processId = pi.dwProcessId;
    error.clear();
    return true;
}

bool CDosSession::IsOpen() const { return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }

bool CDosSession::Type(std::string_view text, std::string& error, DWORD waitMs)
{
    if (!IsOpen()) {
        error = "No DOS session is open: its window was closed or EXIT was typed\r\n";
        return false;
    }
    const std::string name = halyard::dos::TypingPipeName(m_processId);
    // A session just started makes its pipe a moment later; a busy pipe serves one writer at a time.
    FxHandle pipe;
    for (const DWORD began = GetTickCount(); !pipe && IsOpen() && GetTickCount() - began < waitMs;) {
        pipe.Reset(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!pipe && GetLastError() == ERROR_PIPE_BUSY) (void)WaitNamedPipeA(name.c_str(), kRetryMs);
        else if (!pipe) Sleep(kRetryMs);
    }
    if (!pipe) {
        error = IsOpen() ? "The DOS session does not take typing: " + name + " did not answer\r\n"
                         : "The DOS session ended before the line was typed\r\n";
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(pipe.Get(), text.data(), DWORD(text.size()), &written, nullptr) || written != text.size()) {
        error = "Typing at the DOS session failed: " + SystemReason(GetLastError());
        return false;
    }
    error.clear();
    return true;
}

std::string SessionDosPath(const std::string& hostPath)
{
    return halyard::dos::AliasedDosPath(hostPath, NamesIn);
}
