#pragma once
// A child process whose standard output and error are read into memory as they arrive, with
// standard input from NUL (so that an interpreter's pause returns at once).
#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace helpers_test {

class CapturedProcess {
public:
    CapturedProcess() = default;
    CapturedProcess(const CapturedProcess&) = delete;
    CapturedProcess& operator=(const CapturedProcess&) = delete;
    ~CapturedProcess();

    // Starts `commandLine` in `folder` (empty: this process's). `application` names the program
    // file when the command line's first word is not its path (empty: taken from the line).
    [[nodiscard]] bool Start(const std::string& commandLine, const std::string& folder,
                             const std::string& application = {});

    // Waits up to `timeoutMs` for the process and for the end of its output.
    [[nodiscard]] bool Finish(DWORD timeoutMs);

    const std::string& Output() const { return m_output; }
    DWORD ExitCode() const { return m_exitCode; }

    // Milliseconds after the start at which the byte at `offset` arrived.
    DWORD ArrivalOf(std::size_t offset) const;

private:
    static DWORD WINAPI ReadAll(void* self);

    HANDLE m_process = nullptr;
    HANDLE m_readEnd = nullptr;
    HANDLE m_reader = nullptr;
    DWORD m_startTick = 0;
    DWORD m_exitCode = STILL_ACTIVE;
    std::string m_output;
    std::vector<std::pair<std::size_t, DWORD>> m_chunks;  // (end offset, arrival), in order
};

}  // namespace helpers_test
