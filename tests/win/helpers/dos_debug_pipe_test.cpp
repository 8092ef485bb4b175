// Dosrun debugged over its pipe, as the IDE does it: the IDE serves the pipe, Dosrun connects,
// stops before the program's first instruction, and answers the requests with stops, registers
// and memory; a pause stops a program that runs on for ever.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/debugwire/debug_wire.h"
#include "win/helpers/captured_process.h"
#include "win/helpers/helper_setup.h"

namespace helpers_test {
namespace {

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

void WriteProgram(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

TEST(DosDebugPipe, DosrunStopsStepsAndPausesForTheIde)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    // 30000 times INC WORD [200h] and LOOP, then 4Ch with AL = 5; and a JMP $ for ever.
    WriteProgram(install.Source() + "\\COUNT.COM", std::string("\xB9\x30\x75\xFF\x06\x00\x02\xE2\xFA\xB8\x05\x4C\xCD\x21", 14));
    WriteProgram(install.Source() + "\\SPIN.COM", "\xEB\xFE");
    const std::string dosrun = "\"" + EnvText("HALYARD_DIST") + "\\bin\\Dosrun.exe\" ";

    const std::string name = "\\\\.\\pipe\\Halyard-debug-test-" + std::to_string(GetCurrentProcessId());
    {
        IdeEnd ide(name);
        CapturedProcess run;
        ASSERT_TRUE(run.Start(dosrun + "/DEBUG:" + name + " COUNT.COM", install.Source()));
        ASSERT_TRUE(ide.Connect());
        const std::string started = ide.Line();
        unsigned psp = 0, image = 0;
        ASSERT_EQ(2, std::sscanf(started.c_str(), "started %x %x", &psp, &image)) << started;
        EXPECT_EQ(psp, image) << "a .COM program's image is its PSP's segment";
        EXPECT_NE(std::string::npos, ide.UntilRegisters().find("IP=0100")) << "stopped before its first instruction";
        ide.Send("break " + Hex(psp * 16 + 0x109) + " on");
        ide.Send("continue");
        const std::string stop = ide.UntilRegisters();
        EXPECT_NE(std::string::npos, stop.find("running\nstopped breakpoint\nregs ")) << stop;
        EXPECT_NE(std::string::npos, stop.find("IP=0109")) << stop;
        ide.Send("read " + Hex(psp * 16 + 0x200) + " 2");
        EXPECT_EQ("memory " + Hex(psp * 16 + 0x200) + " 3075", ide.Line());
        ide.Send("back");
        EXPECT_NE(std::string::npos, ide.UntilRegisters().find("IP=0107"));
        ide.Send("break " + Hex(psp * 16 + 0x109) + " off");
        ide.Send("continue");
        EXPECT_NE(std::string::npos, ide.UntilRegisters().find("stopped ended 5\n"));
        ide.Close();
        ASSERT_TRUE(run.Finish(30000));
        EXPECT_EQ(5u, run.ExitCode());
    }
    {
        IdeEnd ide(name);
        CapturedProcess run;
        ASSERT_TRUE(run.Start(dosrun + "/DEBUG:" + name + " SPIN.COM", install.Source()));
        ASSERT_TRUE(ide.Connect());
        ide.UntilRegisters();
        ide.Send("continue");
        EXPECT_EQ("running", ide.Line());
        Sleep(300);
        ide.Send("pause");
        const std::string stop = ide.UntilRegisters();
        EXPECT_NE(std::string::npos, stop.find("stopped paused\n")) << stop;
        ide.Send("kill");
        ASSERT_TRUE(run.Finish(30000));
        EXPECT_EQ(255u, run.ExitCode()) << run.Output();
        EXPECT_NE(std::string::npos, run.Output().find("stopped by the debugger")) << run.Output();
    }
}

}  // namespace
}  // namespace helpers_test
