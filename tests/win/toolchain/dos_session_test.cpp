// A real DOS session opened through CDosSession: two programs typed at its prompt one after the
// other run in one PC (the second calls the INT 7Ch routine the first left behind), the second by
// the alias of its Chinese name; the session's PATH holds the toolchain's folder; EXIT ends it.
// The session's console belongs to another process, so the test observes what the PC leaves on
// the host instead of its screen: the exit code EXIT passes on (the last program's, 5 only when
// INT 7Ch was there to call) and the output of SET redirected into a file.
#include <gtest/gtest.h>

#include "toolchain/dos_session.h"
#include "win/helpers/debug_pipe_peer.h"
#include "win/helpers/helper_setup.h"
#include "win/win_test_util.h"

namespace {

std::string DosTestPrograms() { return helpers_test::EnvText("HALYARD_STANDINS") + "\\..\\dos"; }

TEST(DosSession, ProgramsTypedOneAfterAnotherShareOnePcUntilExit)
{
    if (GetFileAttributesA((DosTestPrograms() + "\\USE7C.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    wintest::TempDir lab;
    const std::string install = lab.File("INSTALL7.COM"), use = lab.File("使用7c.com");
    ASSERT_TRUE(CopyFileA((DosTestPrograms() + "\\INST7C.COM").c_str(), install.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((DosTestPrograms() + "\\USE7C.COM").c_str(), use.c_str(), FALSE));
    const std::string dist = helpers_test::EnvText("HALYARD_DIST");
    const auto start = halyard::toolchain::ComposeSessionStart(dist, lab.Path() + "\\", 0,
                                                               [](const std::string&) { return false; });

    CDosSession session;
    std::string error;
    EXPECT_FALSE(session.Type("dir\r", error)) << "nothing is open yet";
    ASSERT_TRUE(session.Open(start, error)) << error;
    ASSERT_NE(std::string::npos, SessionDosPath(use).find("~")) << SessionDosPath(use);
    for (const std::string& line :
         {SessionDosPath(install) + "\r", SessionDosPath(use) + "\r", std::string("set > env.txt\r")})
        ASSERT_TRUE(session.Type(line, error)) << error;
    ASSERT_TRUE(session.Type("exit\r", error)) << error;

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(session.Process(), 30000)) << "EXIT ends the session";
    DWORD code = 0;
    GetExitCodeProcess(session.Process(), &code);
    EXPECT_EQ(5u, code) << "the second program ran and found the first one's routine";
    EXPECT_FALSE(session.IsOpen());
    EXPECT_FALSE(session.Type("dir\r", error));
    EXPECT_FALSE(error.empty());

    const std::string set = wintest::ReadFileBytes(lab.File("env.txt"));
    std::string masm = SessionDosPath(dist + "\\bin\\masm16");
    CharUpperA(masm.data());
    EXPECT_NE(std::string::npos, set.find("PATH=" + masm)) << set;
    EXPECT_EQ(std::string::npos, set.find("HALYARD_SESSION_PATH")) << set;
}

}  // namespace

namespace {

// The debugger asks the session for its next program by name (typed at the prompt after another
// one, which runs free): it is stopped before its first instruction, steps into the routine the program before it left in the PC, ends as the
// debugger's, and the session goes on.
TEST(DosSession, TheDebuggerCatchesTheNextProgramTypedAtThePrompt)
{
    if (GetFileAttributesA((DosTestPrograms() + "\\USE7C.COM").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no DOS test programs (nasm missing)";
    wintest::TempDir lab;
    ASSERT_TRUE(CopyFileA((DosTestPrograms() + "\\INST7C.COM").c_str(), lab.File("INSTALL.COM").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((DosTestPrograms() + "\\USE7C.COM").c_str(), lab.File("USE.COM").c_str(), FALSE));
    const auto start = halyard::toolchain::ComposeSessionStart(helpers_test::EnvText("HALYARD_DIST"), lab.Path() + "\\", 0,
                                                               [](const std::string&) { return false; });
    CDosSession session;
    std::string error;
    ASSERT_TRUE(session.Open(start, error)) << error;
    const std::string name = "\\\\.\\pipe\\Halyard-debug-session-test-" + std::to_string(GetCurrentProcessId());
    helpers_test::IdeEnd ide(name);
    ASSERT_TRUE(session.Type("install\r", error)) << error;
    ASSERT_TRUE(session.Type(halyard::toolchain::SessionDebugRequest(name, SessionDosPath(lab.File("USE.COM"))), error)) << error;
    ASSERT_TRUE(session.Type("use\r", error)) << error;
    ASSERT_TRUE(ide.Connect());
    EXPECT_EQ(0u, ide.Line().rfind("started ", 0));
    EXPECT_NE(std::string::npos, ide.UntilRegisters().find("IP=0100"));
    ide.Send("step");
    const std::string step = ide.UntilRegisters();
    EXPECT_NE(std::string::npos, step.find("stopped step")) << step;
    EXPECT_EQ(std::string::npos, step.find("CS=F000")) << "in INSTALL's routine, not DOS's stub: " << step;
    ide.Send("continue");
    EXPECT_NE(std::string::npos, ide.UntilRegisters().find("stopped ended 5\n"));
    ide.Close();
    ASSERT_TRUE(session.Type("exit\r", error)) << error;
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(session.Process(), 30000)) << "the session went on to EXIT";
    DWORD code = 0;
    GetExitCodeProcess(session.Process(), &code);
    EXPECT_EQ(5u, code);
}

}  // namespace
