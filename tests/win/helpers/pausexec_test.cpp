// Pausexec under Wine, output to a pipe and input from NUL: what it runs, the empty line it
// prints before the interpreter's pause prompt, its exit code and its refusals.
#include <gtest/gtest.h>

#include <string>

#include "win/helpers/captured_process.h"
#include "win/helpers/helper_setup.h"

namespace helpers_test {
namespace {

struct PausexecCase {
    const char* name;
    std::string program;  // the argument, quoted on the command line; empty: none
    std::string before;   // what precedes the empty line and the prompt
    DWORD exitCode;
    bool ran;             // the stand-in recorded a start
};

TEST(Pausexec, RunsTheProgramThenPrintsAnEmptyLineAndPauses)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    // The stand-in copied under a name that the interpreter would split or obey if unquoted.
    const std::string hostile = install.Source() + "\\run x&md M1 (2)^;,!.exe";
    ASSERT_TRUE(CopyInto(EnvText("HALYARD_STANDINS") + "\\debug.exe", hostile));
    const std::string tooLong = install.Source() + "\\" + std::string(128, 'p') + ".exe";

    const PausexecCase cases[] = {
        {"no argument", "", "", 0, false},
        {"hostile name", hostile, "debug stand-in: \r\n", 0, true},
        {"command of 128 characters", tooLong,
         "Pausexec: the command for \"" + tooLong + "\" is longer than 127 characters: it was not run.\r\n", 1, false},
        {"variable reference", install.Source() + "\\%OS%.exe",
         "Pausexec: \"" + install.Source() + "\\%OS%.exe\" holds %, \" or a control character, or ends in a "
         "backslash: it cannot be run safely.\r\n", 1, false},
    };
    const std::string pause = PausePrompt();
    for (const PausexecCase& c : cases) {
        std::string line = "\"" + install.Bin() + "\\Pausexec.exe\"";
        if (!c.program.empty()) line += " \"" + c.program + "\" ignored";
        RecordedRun run;
        ASSERT_TRUE(install.Start(run, line, install.Source())) << c.name;
        CapturedProcess& p = *run.process;
        ASSERT_TRUE(p.Finish(30000)) << c.name;
        EXPECT_EQ(c.exitCode, p.ExitCode()) << c.name;
        // Without a flush before the pause the empty line would come after the prompt.
        EXPECT_EQ(c.before + "\n" + pause, p.Output()) << c.name;
        EXPECT_EQ(c.ran ? 1u : 0u, run.Records().size()) << c.name;
        EXPECT_FALSE(Exists(install.Source() + "\\M1")) << c.name;
    }
}

TEST(Pausexec, AFailingProgramStillPausesWithExitCodeZero)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    CapturedProcess p;
    ASSERT_TRUE(p.Start("\"" + install.Bin() + "\\Pausexec.exe\" \"" + install.Source() + "\\missing.exe\"",
                        install.Source()));
    ASSERT_TRUE(p.Finish(30000));
    EXPECT_EQ(0u, p.ExitCode());
    const std::string tail = "\n" + PausePrompt();
    ASSERT_GT(p.Output().size(), tail.size()) << "the interpreter's own message comes first";
    EXPECT_EQ(tail, p.Output().substr(p.Output().size() - tail.size()));
}

}  // namespace
}  // namespace helpers_test
