#include "debugger/debug_channel.h"

#include <atomic>
#include <vector>

#include "core/debugwire/debug_wire.h"

namespace {

std::atomic<unsigned> g_nextPipe{1};

std::string NewPipeName()
{
    return "\\\\.\\pipe\\Halyard-debug-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(g_nextPipe++);
}

// Posts one line (null: the end) to the window; a line the window can no longer take is freed.
void PostLine(HWND window, UINT message, std::string* line)
{
    if (!PostMessageA(window, message, 0, reinterpret_cast<LPARAM>(line))) delete line;
}

std::string SystemReason(DWORD code)
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text, nullptr);
    return text;
}

}  // namespace

std::string DebugCommandLine(const DebugLaunch& launch, const std::string& pipeName)
{
    return "\"" + launch.dosrun + "\" /DEBUG:" + pipeName + " \"" + launch.program + "\"";
}

bool CDebugChannel::Listen(HWND window, UINT message, std::string& error)
{
    Close();
    m_name = NewPipeName();
    m_pipe.Reset(CreateNamedPipeA(m_name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                  PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096,
                                  4096, 0, nullptr));
    m_stop.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_pipe.Get() || !m_stop.Get()) {
        error = "无法建立调试通道 " + m_name + "：" + SystemReason(GetLastError());
        Close();
        return false;
    }
    m_reader = std::thread([this, window, message] { Read(window, message); });
    return true;
}

bool CDebugChannel::Start(const DebugLaunch& launch, HWND window, UINT message, std::string& error)
{
    if (!Listen(window, message, error)) return false;
    std::string line = DebugCommandLine(launch, m_name);
    std::vector<char> command(line.begin(), line.end());
    command.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        launch.folder.empty() ? nullptr : launch.folder.c_str(), &si, &pi)) {
        error = "无法启动 " + launch.dosrun + "：" + SystemReason(GetLastError());
        Close();
        return false;
    }
    CloseHandle(pi.hThread);
    m_process.Reset(pi.hProcess);
    return true;
}

// Waits for `io` to finish, or for Close or Dosrun's end, which cancel it: true with the bytes
// moved when it finished well.
bool CDebugChannel::WaitIo(OVERLAPPED& io, DWORD& bytes)
{
    HANDLE waits[3] = {io.hEvent, m_stop.Get(), m_process.Get()};
    const DWORD count = m_process.Get() ? 3 : 2;
    if (WaitForMultipleObjects(count, waits, FALSE, INFINITE) == WAIT_OBJECT_0)
        return GetOverlappedResult(m_pipe.Get(), &io, &bytes, FALSE) != 0;
    CancelIo(m_pipe.Get());
    GetOverlappedResult(m_pipe.Get(), &io, &bytes, TRUE);
    return false;
}

void CDebugChannel::Read(HWND window, UINT message)
{
    FxHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED io{};
    io.hEvent = event.Get();
    DWORD bytes = 0;
    bool ok = event.Get() != nullptr;
    if (ok && !ConnectNamedPipe(m_pipe.Get(), &io)) {
        const DWORD code = GetLastError();
        ok = code == ERROR_PIPE_CONNECTED || (code == ERROR_IO_PENDING && WaitIo(io, bytes));
    }
    halyard::debugwire::LineReader lines;
    char buffer[4096];
    while (ok) {
        ResetEvent(io.hEvent);
        if (!ReadFile(m_pipe.Get(), buffer, sizeof buffer, nullptr, &io) && GetLastError() != ERROR_IO_PENDING) break;
        if (!WaitIo(io, bytes)) break;
        lines.Add(std::string_view(buffer, bytes));
        while (std::optional<std::string> line = lines.Next()) PostLine(window, message, new std::string(std::move(*line)));
    }
    PostLine(window, message, nullptr);
}

bool CDebugChannel::Send(const std::string& line)
{
    if (!m_pipe.Get()) return false;
    FxHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED io{};
    io.hEvent = event.Get();
    DWORD written = 0;
    if (!WriteFile(m_pipe.Get(), line.data(), static_cast<DWORD>(line.size()), nullptr, &io) &&
        GetLastError() != ERROR_IO_PENDING)
        return false;
    // The PC reads its pipe all the time: a write that does not end soon will not end.
    if (WaitForSingleObject(io.hEvent, 2000) != WAIT_OBJECT_0) {
        CancelIoEx(m_pipe.Get(), &io);
        GetOverlappedResult(m_pipe.Get(), &io, &written, TRUE);
        return false;
    }
    return GetOverlappedResult(m_pipe.Get(), &io, &written, FALSE) && written == line.size();
}

void CDebugChannel::Close()
{
    if (m_stop.Get()) SetEvent(m_stop.Get());
    if (m_reader.joinable()) m_reader.join();
    m_pipe.Reset();
    m_stop.Reset();
    m_process.Reset();
}
