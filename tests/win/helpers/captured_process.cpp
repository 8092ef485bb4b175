#include "win/helpers/captured_process.h"

namespace helpers_test {
namespace {

struct Handle {
    HANDLE h = nullptr;
    ~Handle()
    {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

}  // namespace

CapturedProcess::~CapturedProcess()
{
    // Only a failing test leaves a process running; end it so that the reader sees the pipe close.
    if (m_process != nullptr && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) TerminateProcess(m_process, 99);
    if (m_reader != nullptr) {
        if (WaitForSingleObject(m_reader, 5000) == WAIT_TIMEOUT) CancelSynchronousIo(m_reader);
        WaitForSingleObject(m_reader, INFINITE);
        CloseHandle(m_reader);
    }
    if (m_readEnd != nullptr) CloseHandle(m_readEnd);
    if (m_process != nullptr) CloseHandle(m_process);
}

bool CapturedProcess::Start(const std::string& commandLine, const std::string& folder, const std::string& application)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle writeEnd;
    Handle input;
    if (!CreatePipe(&m_readEnd, &writeEnd.h, &inherit, 0)) return false;
    SetHandleInformation(m_readEnd, HANDLE_FLAG_INHERIT, 0);
    input.h = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    if (input.h == INVALID_HANDLE_VALUE) return false;

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = input.h;
    si.hStdOutput = writeEnd.h;
    si.hStdError = writeEnd.h;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    m_startTick = GetTickCount();
    if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), &line[0], nullptr, nullptr, TRUE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_reader = CreateThread(nullptr, 0, ReadAll, this, 0, nullptr);
    return m_reader != nullptr;
}

DWORD WINAPI CapturedProcess::ReadAll(void* self)
{
    auto* p = static_cast<CapturedProcess*>(self);
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(p->m_readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        p->m_output.append(chunk, got);
        p->m_chunks.emplace_back(p->m_output.size(), GetTickCount() - p->m_startTick);
    }
    return 0;
}

bool CapturedProcess::Finish(DWORD timeoutMs)
{
    if (m_process == nullptr || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(m_process, &m_exitCode);
    return WaitForSingleObject(m_reader, timeoutMs) == WAIT_OBJECT_0;
}

DWORD CapturedProcess::ArrivalOf(std::size_t offset) const
{
    for (const auto& [end, tick] : m_chunks)
        if (offset < end) return tick;
    return 0;
}

}  // namespace helpers_test
