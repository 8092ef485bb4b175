// The debugger's step, measured on the real Dosrun.exe over its pipe, as the IDE drives it: a
// step and the data its panes ask for after it (the registers come with the stop; 256 bytes of
// memory and 32 of stack), timed from the request to the last reply, 1000 times; against the
// channel alone (a "regs" request and its reply), the reference. Prints the 50th and 99th
// percentiles in milliseconds. The goal for a whole step, the IDE's drawing included, is under
// 50 ms at the 99th percentile.
//
//   bench_debug_step <Dosrun.exe> <a scratch folder>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "milliseconds.h"

namespace {

class Ide {
public:
    explicit Ide(const std::string& name)
    {
        m_pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
    }
    bool Connect() { return ConnectNamedPipe(m_pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED; }
    void Send(const std::string& text)
    {
        DWORD done = 0;
        WriteFile(m_pipe, text.data(), DWORD(text.size()), &done, nullptr);
    }
    // Reads until `count` lines that start with `prefix` have come.
    bool Await(const char* prefix, int count = 1)
    {
        for (;;) {
            size_t end;
            while ((end = m_pending.find('\n')) != std::string::npos) {
                const bool match = m_pending.compare(0, strlen(prefix), prefix) == 0;
                m_pending.erase(0, end + 1);
                if (match && --count == 0)
                    return true;
            }
            char chunk[8192];
            DWORD got = 0;
            if (!ReadFile(m_pipe, chunk, sizeof chunk, &got, nullptr) || got == 0)
                return false;
            m_pending.append(chunk, got);
        }
    }

private:
    HANDLE m_pipe;
    std::string m_pending;
};

void Report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s p50 %6.2f ms   p99 %6.2f ms\n", what, ms[ms.size() / 2], ms[ms.size() * 99 / 100]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string folder = argv[2];
    // 30000 times INC WORD [200h] and LOOP, then 4Ch.
    const char program[] = "\xB9\x30\x75\xFF\x06\x00\x02\xE2\xFA\xB8\x05\x4C\xCD\x21";
    HANDLE file = CreateFileA((folder + "\\COUNT.COM").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, program, sizeof program - 1, &written, nullptr);
    CloseHandle(file);

    const std::string name = "\\\\.\\pipe\\Halyard-debug-bench-" + std::to_string(GetCurrentProcessId());
    Ide ide(name);
    std::string line = "\"" + std::string(argv[1]) + "\" /DEBUG:" + name + " COUNT.COM";
    STARTUPINFOA start = {sizeof start};
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, folder.c_str(), &start,
                        &info) ||
        !ide.Connect() || !ide.Await("regs "))
        return 1;
    std::vector<double> steps, channel;
    for (int i = 0; i < 1000; ++i) {
        double t = Now();
        ide.Send("regs\n");
        ide.Await("regs ");
        channel.push_back(Now() - t);
        t = Now();
        ide.Send("step\nread 200 100\nread FFE0 20\n");
        ide.Await("regs ");
        ide.Await("memory ", 2);
        steps.push_back(Now() - t);
    }
    Report("the channel alone (regs and its reply):", channel);
    Report("a step and its panes' data:", steps);
    ide.Send("kill\n");
    WaitForSingleObject(info.hProcess, 10000);
    return 0;
}
