#pragma once
// A child program whose standard input, output and error are pipes of this process, and a reader
// thread that hands everything the child prints to two overridable text sinks.
#include <windows.h>

#include <string_view>

#include "fx/fx_handles.h"

class CConsoleRedirector {
public:
    CConsoleRedirector() = default;
    CConsoleRedirector(const CConsoleRedirector&) = delete;
    CConsoleRedirector& operator=(const CConsoleRedirector&) = delete;
    // Stops the reader and releases the handles. A derived class whose sinks use its own members
    // must call Close in its own destructor: the reader may be inside a sink until then.
    virtual ~CConsoleRedirector();

    // Starts `commandLine` (searched as CreateProcess does) in `startFolder` (null or empty: this
    // process's current folder) in a new hidden console, and the reader thread. A failure is
    // reported through WriteStdError as "Redirect console error: <hex code>" and leaves the
    // object idle with GetLastError telling the cause.
    [[nodiscard]] bool Open(const char* commandLine, const char* startFolder = nullptr);

    // Stops the reader and closes every handle once; the child is not ended, it sees the end of
    // its input. On the reader thread itself (from a sink) it only asks the reader to stop: the
    // handles are released by the next Close on another thread.
    virtual void Close();

    // Writes all of `text` to the child's input in one write. False when the object is idle,
    // the child has ended or the write fails.
    [[nodiscard]] bool Write(std::string_view text);
    [[nodiscard]] bool Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // True from a successful Open until Close, also after the child has ended.
    [[nodiscard]] bool IsOpen() const noexcept { return static_cast<bool>(m_hThread); }

    // The sinks run on the reader thread for the child's output and on the calling thread for
    // Open's and Close's own errors. A chunk may end inside a line or a double-byte character.
    virtual void WriteStdOut(std::string_view text);
    virtual void WriteStdError(std::string_view text);

protected:
    // The reader's last action, on the reader thread: 0 the child ended, 1 asked to stop,
    // -1 a read failed. The handles stay open until the owner's Close.
    virtual void OnReaderEnd(int code);

private:
    enum class ReadOutcome { Data, Stopped, Ended, Failed };

    [[nodiscard]] bool StartChild(const char* commandLine, const char* startFolder);
    [[nodiscard]] bool StartReader();
    void ReportOpenFailure();
    void StopReader();

    static DWORD WINAPI ReaderEntry(void* self) noexcept;
    int ReadUntilEnd();
    ReadOutcome ReadChunk(OVERLAPPED& io, char* buffer, DWORD size, DWORD& got, bool& childEnded);
    ReadOutcome FinishCancelledRead(OVERLAPPED& io, DWORD& got, ReadOutcome otherwise);

    // The reader uses the stop event, the output read end and the child process; only a thread
    // other than the reader closes them, and only after the reader has ended.
    FxHandle m_hThread;
    FxHandle m_hStopEvent;
    DWORD m_dwThreadId = 0;
    DWORD m_dwWaitTime = 100;  // how long the reader waits for the last output once the child has ended
    FxHandle m_hInputWrite;    // not inheritable
    FxHandle m_hOutputRead;    // overlapped, not inheritable
    FxHandle m_hChildProcess;
};
