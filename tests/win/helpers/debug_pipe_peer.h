#pragma once
// The IDE's end of the debugger's pipe, for tests that play the IDE against the real Dosrun.
#include <windows.h>

#include <string>

#include "core/debugwire/debug_wire.h"

namespace helpers_test {

// The IDE's end: a duplex pipe, served one request and reply at a time.
class IdeEnd {
public:
    explicit IdeEnd(const std::string& name) : m_name(name)
    {
        m_pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1,
                                  4096, 4096, 0, nullptr);
    }
    ~IdeEnd() { CloseHandle(m_pipe); }
    bool Connect() { return ConnectNamedPipe(m_pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED; }
    void Send(const std::string& line)
    {
        const std::string text = line + "\n";
        DWORD done = 0;
        WriteFile(m_pipe, text.data(), DWORD(text.size()), &done, nullptr);
    }
    // The next line ("" when the pipe ended first).
    std::string Line()
    {
        for (;;) {
            if (const auto line = m_lines.Next())
                return *line;
            char chunk[512];
            DWORD done = 0;
            if (!ReadFile(m_pipe, chunk, sizeof chunk, &done, nullptr) || done == 0)
                return {};
            m_lines.Add(std::string_view(chunk, done));
        }
    }
    // The lines up to and including the next "regs" line.
    std::string UntilRegisters()
    {
        std::string all;
        for (std::string line = Line(); !line.empty(); line = Line()) {
            all += line + "\n";
            if (line.rfind("regs ", 0) == 0)
                break;
        }
        return all;
    }
    void Close() { DisconnectNamedPipe(m_pipe); }

private:
    std::string m_name;
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    halyard::debugwire::LineReader m_lines;
};

}  // namespace helpers_test
