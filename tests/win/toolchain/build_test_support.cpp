#include "win/toolchain/build_test_support.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace buildtest {
namespace {

std::string Environment(const char* name)
{
    char value[4096];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return (n == 0 || n >= sizeof value) ? std::string() : std::string(value, n);
}

void DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

bool InstallTools(const std::string& install)
{
    struct Tool {
        const char* folder;
        const char* name;
    };
    const Tool tools[] = {{"masm16", "masm.exe"}, {"masm16", "link.exe"}, {"tasm16", "tasm.exe"}, {"tasm16", "tlink.exe"}};
    const std::string bin = install + "\\bin";
    bool ok = CreateDirectoryA(bin.c_str(), nullptr) != FALSE;
    for (const Tool& tool : tools) {
        const std::string folder = bin + "\\" + tool.folder;
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string from = StandinDir() + "\\" + tool.name;
        ok = ok && CopyFileA(from.c_str(), (folder + "\\" + tool.name).c_str(), FALSE);
    }
    return ok;
}

}  // namespace

std::string StandinDir()
{
    return Environment("HALYARD_STANDINS");
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

CTempInstall::CTempInstall(const std::string& installName, const std::string& sourceName)
{
    static std::atomic<unsigned> s_next{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char unique[64];
    // Wine reuses process ids from one session to the next; the tick count tells runs apart.
    std::snprintf(unique, sizeof unique, "halyard-redir-%lu-%llu-%u", GetCurrentProcessId(), GetTickCount64(),
                  s_next++);
    m_strRoot = std::string(temp) + unique;
    m_strInstall = m_strRoot + "\\" + installName;
    m_strSource = m_strRoot + "\\" + sourceName;
    m_strLog = m_strRoot + "\\standin.log";
    m_bReady = CreateDirectoryA(m_strRoot.c_str(), nullptr) && CreateDirectoryA(m_strInstall.c_str(), nullptr) &&
               CreateDirectoryA(m_strSource.c_str(), nullptr) && InstallTools(m_strInstall) &&
               SetEnvironmentVariableA("HALYARD_STANDIN_LOG", m_strLog.c_str());
}

CTempInstall::~CTempInstall()
{
    SetEnvironmentVariableA("HALYARD_STANDIN_LOG", nullptr);
    // An interpreter that is still ending may hold its folder for a moment.
    for (int attempt = 0; attempt < 20 && FileExists(m_strRoot); ++attempt) {
        DeleteTree(m_strRoot);
        if (FileExists(m_strRoot)) Sleep(50);
    }
}

bool CTempInstall::AddSource(const std::string& fileName) const
{
    std::ofstream file(m_strSource + "\\" + fileName, std::ios::binary);
    file << "; test source\r\n";
    return static_cast<bool>(file);
}

std::vector<StandinRecord> CTempInstall::Records() const
{
    std::ifstream file(m_strLog, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return standin::ParseRecords(text.str());
}

bool CTempInstall::WaitForRecords(std::size_t count, DWORD timeoutMs) const
{
    return PumpUntil([&] { return Records().size() >= count; }, timeoutMs);
}

CPaneWindow::CPaneWindow()
{
    m_hwnd = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                             0, 0, 600, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(m_hwnd, EM_SETLIMITTEXT, 0, 0);
}

CPaneWindow::~CPaneWindow()
{
    DestroyWindow(m_hwnd);
}

std::string CPaneWindow::Text() const
{
    const int length = GetWindowTextLengthA(m_hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(m_hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)), QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

CScopedEnv::CScopedEnv(const char* name, const char* value) : m_strName(name)
{
    char old[4096];
    const DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    m_bHadOld = n > 0 && n < sizeof old;
    if (m_bHadOld) m_strOld.assign(old, n);
    SetEnvironmentVariableA(name, value);
}

CScopedEnv::~CScopedEnv()
{
    SetEnvironmentVariableA(m_strName.c_str(), m_bHadOld ? m_strOld.c_str() : nullptr);
}

}  // namespace buildtest
