#include "toolchain/console_redirector.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

#include "toolchain/child_pipes.h"

namespace {

constexpr DWORD kReadSize = 64 * 1024;
constexpr DWORD kReaderStopTimeout = 5000;

const char kChildEnded[] = "\r\n<TEST INFO>: Child process ended\r\n";
const char kReadError[] = "Read stdout pipe error\r\n";
const char kReaderDead[] = "The redir thread is dead\r\n";

// The pipe errors that mean "every writer has gone": the normal end of the child's output.
bool IsEndOfOutput(DWORD error)
{
    return error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED ||
           error == ERROR_HANDLE_EOF;
}

bool LaunchChild(const char* commandLine, const char* startFolder, const CChildPipes& pipes, FxHandle& process)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = pipes.hChildInput.Get();
    si.hStdOutput = pipes.hChildOutput.Get();
    si.hStdError = pipes.hChildError.Get();
    std::string writable(commandLine);  // CreateProcessA may write into its command line
    const char* folder = (startFolder != nullptr && startFolder[0] != '\0') ? startFolder : nullptr;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, folder, &si,
                        &pi))
        return false;
    const FxHandle mainThread(pi.hThread);  // never waited for: the process tells when the child ends
    process.Reset(pi.hProcess);
    return true;
}

}  // namespace

CConsoleRedirector::~CConsoleRedirector()
{
    CConsoleRedirector::Close();
}

void CConsoleRedirector::WriteStdOut(std::string_view) {}
void CConsoleRedirector::WriteStdError(std::string_view) {}
void CConsoleRedirector::OnReaderEnd(int) {}

bool CConsoleRedirector::Open(const char* commandLine, const char* startFolder)
{
    Close();
    if (StartChild(commandLine, startFolder) && StartReader()) return true;
    ReportOpenFailure();
    return false;
}

bool CConsoleRedirector::StartChild(const char* commandLine, const char* startFolder)
{
    CChildPipes pipes;
    if (!pipes.Create() || !LaunchChild(commandLine, startFolder, pipes, m_hChildProcess)) return false;
    pipes.CloseChildEnds();
    m_hOutputRead = std::move(pipes.hOutputRead);
    m_hInputWrite = std::move(pipes.hInputWrite);
    return true;
}

bool CConsoleRedirector::StartReader()
{
    m_hStopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_hStopEvent) return false;
    // Started suspended, so that its handle and id are stored before it can reach a sink.
    m_hThread.Reset(CreateThread(nullptr, 0, ReaderEntry, this, CREATE_SUSPENDED, &m_dwThreadId));
    return m_hThread && ResumeThread(m_hThread.Get()) != static_cast<DWORD>(-1);
}

void CConsoleRedirector::ReportOpenFailure()
{
    const DWORD error = GetLastError();
    char text[64];
    std::snprintf(text, sizeof text, "Redirect console error: %lx\r\n", static_cast<unsigned long>(error));
    WriteStdError(text);
    Close();
    SetLastError(error);
}

void CConsoleRedirector::Close()
{
    if (m_hThread && GetCurrentThreadId() == m_dwThreadId) {
        SetEvent(m_hStopEvent.Get());
        return;
    }
    StopReader();
    m_hStopEvent.Reset();
    m_hChildProcess.Reset();
    m_hInputWrite.Reset();
    m_hOutputRead.Reset();
    m_dwThreadId = 0;
}

// The reader never waits for this thread, so the wait ends as soon as it notices the event; the
// forced end is for a sink that never returns and is the one way a thread is cut short.
void CConsoleRedirector::StopReader()
{
    if (!m_hThread) return;
    SetEvent(m_hStopEvent.Get());
    if (WaitForSingleObject(m_hThread.Get(), kReaderStopTimeout) == WAIT_TIMEOUT) {
        WriteStdError(kReaderDead);
        TerminateThread(m_hThread.Get(), static_cast<DWORD>(-2));
        WaitForSingleObject(m_hThread.Get(), INFINITE);
    }
    m_hThread.Reset();
}

bool CConsoleRedirector::Write(std::string_view text)
{
    if (!m_hInputWrite || text.size() > MAXDWORD) return false;
    if (WaitForSingleObject(m_hChildProcess.Get(), 0) == WAIT_OBJECT_0) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size());
    return WriteFile(m_hInputWrite.Get(), text.data(), size, &written, nullptr) && written == size;
}

bool CConsoleRedirector::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return length >= 0 && Write(text);
}

DWORD WINAPI CConsoleRedirector::ReaderEntry(void* self) noexcept
{
    auto* redirector = static_cast<CConsoleRedirector*>(self);
    int code = -1;
    try {
        code = redirector->ReadUntilEnd();
    } catch (...) {
        code = -1;
    }
    try {
        redirector->OnReaderEnd(code);
    } catch (...) {
    }
    return static_cast<DWORD>(code);
}

int CConsoleRedirector::ReadUntilEnd()
{
    const auto buffer = std::make_unique<char[]>(kReadSize);
    FxHandle readDone(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED io = {};
    io.hEvent = readDone.Get();
    bool childEnded = false;
    for (;;) {
        DWORD got = 0;
        switch (ReadChunk(io, buffer.get(), kReadSize, got, childEnded)) {
        case ReadOutcome::Data:
            if (got > 0) WriteStdOut(std::string_view(buffer.get(), got));
            break;
        case ReadOutcome::Stopped: return 1;
        case ReadOutcome::Ended: WriteStdOut(kChildEnded); return 0;
        case ReadOutcome::Failed: WriteStdError(kReadError); return -1;
        }
    }
}

// One read, waiting for its data, the stop event and (until it has ended) the child. Once the
// child has ended the read waits at most the wait time: a grandchild that inherited the output
// pipe and stays silent does not keep the reader alive.
CConsoleRedirector::ReadOutcome CConsoleRedirector::ReadChunk(OVERLAPPED& io, char* buffer, DWORD size, DWORD& got,
                                                              bool& childEnded)
{
    if (!io.hEvent) return ReadOutcome::Failed;
    if (WaitForSingleObject(m_hStopEvent.Get(), 0) == WAIT_OBJECT_0) return ReadOutcome::Stopped;
    if (!ReadFile(m_hOutputRead.Get(), buffer, size, nullptr, &io) && GetLastError() != ERROR_IO_PENDING)
        return IsEndOfOutput(GetLastError()) ? ReadOutcome::Ended : ReadOutcome::Failed;
    // The stop event comes first so that a child that never stops printing cannot starve it.
    const HANDLE waits[] = {m_hStopEvent.Get(), io.hEvent, m_hChildProcess.Get()};
    for (;;) {
        const DWORD count = childEnded ? 2 : 3;
        const DWORD result = WaitForMultipleObjects(count, waits, FALSE, childEnded ? m_dwWaitTime : INFINITE);
        if (result == WAIT_OBJECT_0 + 1) break;
        if (result == WAIT_OBJECT_0 + 2) {
            childEnded = true;
            continue;
        }
        const ReadOutcome otherwise = result == WAIT_OBJECT_0   ? ReadOutcome::Stopped
                                      : result == WAIT_TIMEOUT ? ReadOutcome::Ended
                                                               : ReadOutcome::Failed;
        return FinishCancelledRead(io, got, otherwise);
    }
    // A zero-byte write by the child completes a read with no data; that is not the end.
    if (GetOverlappedResult(m_hOutputRead.Get(), &io, &got, FALSE)) return ReadOutcome::Data;
    return IsEndOfOutput(GetLastError()) ? ReadOutcome::Ended : ReadOutcome::Failed;
}

// The buffer belongs to the read until it has completed, so the read is always awaited; data
// that arrived just before the cancel is still handed on.
CConsoleRedirector::ReadOutcome CConsoleRedirector::FinishCancelledRead(OVERLAPPED& io, DWORD& got,
                                                                        ReadOutcome otherwise)
{
    CancelIo(m_hOutputRead.Get());
    if (GetOverlappedResult(m_hOutputRead.Get(), &io, &got, TRUE) && got > 0) return ReadOutcome::Data;
    return otherwise;
}
