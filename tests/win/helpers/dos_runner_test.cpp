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
