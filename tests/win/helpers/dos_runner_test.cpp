// Where the system cannot start DOS programs, the IDE names Dosrun in HALYARD_DOSRUN: Pausexec runs
// a real DOS program through it, and Tracegate the debugger, whose stand-in (a Windows program
// that Dosrun passes through) still records the exact arguments.
#include <gtest/gtest.h>

#include "win/helpers/captured_process.h"
#include "win/helpers/helper_setup.h"

namespace helpers_test {
namespace {

std::string StagedDosrun() { return EnvText("HALYARD_DIST") + "\\bin\\Dosrun.exe"; }

TEST(DosRunner, PausexecRunsADosProgramAndTracegateTheDebuggerThroughIt)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    const std::string hello = EnvText("HALYARD_STANDINS") + "\\..\\dos\\HELLO.COM";
    if (!Exists(hello)) GTEST_SKIP() << "no DOS test programs (nasm missing): " << hello;
    ASSERT_TRUE(CopyInto(hello, install.Source() + "\\HELLO.COM"));
    ScopedEnv runner("HALYARD_DOSRUN", StagedDosrun());

    RecordedRun run;
    ASSERT_TRUE(install.Start(run, "\"" + install.Bin() + "\\Pausexec.exe\" " + install.Source() + "\\HELLO.COM",
                              install.Source()));
    ASSERT_TRUE(run.process->Finish(30000));
    EXPECT_EQ("Hello, world!\r\n\n" + PausePrompt(), run.process->Output());

    RecordedRun debug;
    ASSERT_TRUE(install.Start(debug, "\"" + install.Bin() + "\\Tracegate.exe\" m HELLO.COM\r\n", install.Source()));
    ASSERT_TRUE(debug.process->Finish(30000));
    const auto records = debug.Records();
    ASSERT_EQ(1u, records.size()) << debug.process->Output();
    EXPECT_EQ("debug", records[0].tool);
    EXPECT_EQ(std::vector<std::string>{"HELLO.COM"}, records[0].args);
}

}  // namespace
}  // namespace helpers_test

namespace helpers_test {
namespace {

// When the machine stops a program, Dosrun says why on standard error in one line that ends in
// one CR LF (text mode must not turn a CR LF into CR CR LF), and ends with 255.
TEST(DosRunner, TheStopMessageEndsInOneCrLf)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    const std::string program = install.Source() + "\\STOPS.COM";
    HANDLE file = CreateFileA(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, "\xB4\x0A\xCD\x1A", 4, &written, nullptr));  // a BIOS service not offered
    CloseHandle(file);
    CapturedProcess run;
    ASSERT_TRUE(run.Start("\"" + StagedDosrun() + "\" STOPS.COM", install.Source()));
    ASSERT_TRUE(run.Finish(30000));
    EXPECT_EQ(255u, run.ExitCode());
    const std::string& text = run.Output();
    ASSERT_GE(text.size(), 3u);
    EXPECT_NE(std::string::npos, text.find("unsupported BIOS service INT 1Ah AH=0Ah")) << text;
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
    EXPECT_EQ(std::string::npos, text.find("\r\r\n")) << text;
}

}  // namespace
}  // namespace helpers_test
