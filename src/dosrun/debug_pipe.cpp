#include "dosrun/debug_pipe.h"

namespace halyard::dosrun {
namespace {

// Waits for an overlapped operation on `pipe`; false when `stop` came first (it is cancelled)
// or the operation failed.
bool Complete(HANDLE pipe, OVERLAPPED& pending, HANDLE stop, DWORD& done)
{
    HANDLE waits[2] = {pending.hEvent, stop};
    if (WaitForMultipleObjects(stop != nullptr ? 2 : 1, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIoEx(pipe, &pending);
        GetOverlappedResult(pipe, &pending, &done, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe, &pending, &done, FALSE) != FALSE;
}

}  // namespace

bool DebugOption(const std::string& word, std::string& pipe)
{
    constexpr char kOption[] = "/DEBUG:";
    constexpr size_t kLength = sizeof kOption - 1;
    if (word.size() <= kLength || _strnicmp(word.c_str(), kOption, kLength) != 0)
        return false;
    pipe = word.substr(kLength);
    return true;
}

DebugPipe::~DebugPipe()
{
    if (m_stop != nullptr)
        SetEvent(m_stop);
    if (m_reader.joinable())
        m_reader.join();
    if (m_pipe != INVALID_HANDLE_VALUE)
        CloseHandle(m_pipe);
    if (m_stop != nullptr)
        CloseHandle(m_stop);
    if (m_queued != nullptr)
        CloseHandle(m_queued);
}

bool DebugPipe::Connect(const std::string& name, std::string& error)
{
    m_pipe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (m_pipe == INVALID_HANDLE_VALUE) {
        error = "cannot open the debugger's pipe " + name + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_queued = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_stop == nullptr || m_queued == nullptr) {
        error = "cannot make the debugger's events";
        return false;
    }
    m_reader = std::thread([this] { Read(); });
    return true;
}

void DebugPipe::Read()
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    debugwire::LineReader lines;
    char chunk[4096];
    for (;;) {
        OVERLAPPED pending{};
        pending.hEvent = ready;
        ResetEvent(ready);
        DWORD done = 0;
        const bool now = ReadFile(m_pipe, chunk, sizeof chunk, &done, &pending) != FALSE;
        if (!now && (GetLastError() != ERROR_IO_PENDING || !Complete(m_pipe, pending, m_stop, done)))
            break;
        if (done == 0)
            continue;
        lines.Add(std::string_view(chunk, done));
        while (const std::optional<std::string> line = lines.Next())
            Arrived(*line);
    }
    CloseHandle(ready);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_ended = true;
        if (m_running)
            m_machine.RequestPause();
    }
    SetEvent(m_queued);
}

void DebugPipe::Arrived(const std::string& line)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lines.push_back(line);
        if (m_running && (line == "pause" || line == "kill"))
            m_machine.RequestPause();
    }
    SetEvent(m_queued);
}

void DebugPipe::WaitForRequest()
{
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &m_queued, FALSE, INFINITE, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::optional<debugwire::Message> DebugPipe::Next()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (!m_lines.empty()) {
                const std::string line = std::move(m_lines.front());
                m_lines.pop_front();
                // A line that is no request is answered as one the session does not know.
                const std::optional<debugwire::Message> message = debugwire::Parse(line);
                return message ? *message : debugwire::Message{debugwire::Verb::Error};
            }
            if (m_ended)
                return std::nullopt;
        }
        WaitForRequest();
    }
}

void DebugPipe::Send(const debugwire::Message& message)
{
    const std::string line = debugwire::Format(message);
    OVERLAPPED pending{};
    pending.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD done = 0;
    if (!WriteFile(m_pipe, line.data(), DWORD(line.size()), &done, &pending) && GetLastError() == ERROR_IO_PENDING)
        Complete(m_pipe, pending, nullptr, done);
    CloseHandle(pending.hEvent);
}

void DebugPipe::Running(bool running)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_running = running;
}

}  // namespace halyard::dosrun
