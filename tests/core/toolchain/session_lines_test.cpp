// Opening a DOS session and typing the program there: the runner, the folder and the session's
// PATH for each toolchain and wherever DEBUG lies, and the typed line with its refusals.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/toolchain/session_lines.h"

namespace halyard::toolchain {
namespace {

TEST(SessionLines, StartInTheDocumentsFolderWithTheToolchainAndDebugOnThePath)
{
    struct Case {
        const char* install;
        const char* documentFolder;
        int assembler;
        std::set<std::string> debugIn;
        const char* command;
        const char* folder;
        const char* path;
    } cases[] = {
        {"C:\\H", "D:\\lab\\", 0, {"C:\\H\\bin\\masm16"}, "C:\\H\\bin\\Dosrun.exe", "D:\\lab", "C:\\H\\bin\\masm16"},
        {"C:\\H", "D:\\", 1, {"C:\\H\\bin\\masm16"}, "C:\\H\\bin\\Dosrun.exe", "D:\\",
         "C:\\H\\bin\\tasm16;C:\\H\\bin\\masm16"},
        // DEBUG in bin, and in neither installed folder (where it belongs is named all the same).
        {"C:\\H", "", 0, {"C:\\H\\bin"}, "C:\\H\\bin\\Dosrun.exe", "C:\\H", "C:\\H\\bin\\masm16;C:\\H\\bin"},
        {"C:\\My H", "", 1, {}, "\"C:\\My H\\bin\\Dosrun.exe\"", "C:\\My H",
         "C:\\My H\\bin\\tasm16;C:\\My H\\bin\\masm16"},
    };
    for (const Case& c : cases) {
        const auto holdsDebug = [&](const std::string& folder) { return c.debugIn.count(folder) > 0; };
        const SessionStart start = ComposeSessionStart(c.install, c.documentFolder, c.assembler, holdsDebug);
        EXPECT_EQ(c.command, start.commandLine);
        EXPECT_EQ(c.folder, start.folder) << c.documentFolder;
        EXPECT_EQ(c.path, start.path) << c.assembler;
    }
}

TEST(SessionLines, TheEnvironmentCarriesThePathOnce)
{
    const std::string block =
        SessionEnvironment({"PATH=C:\\w", "Halyard_Session_Path=old", "X=1"}, "C:\\H\\bin\\masm16");
    EXPECT_EQ(std::string("PATH=C:\\w\0X=1\0HALYARD_SESSION_PATH=C:\\H\\bin\\masm16\0\0", 52), block);
}

TEST(SessionLines, TypesThePathWithEnterOrRefusesIt)
{
    std::string typed, error;
    EXPECT_TRUE(ComposeSessionTyping("D:\\LAB\\1~1.EXE", typed, error));
    EXPECT_EQ("D:\\LAB\\1~1.EXE\r", typed);
    EXPECT_TRUE(error.empty());
    for (const std::string refused : {std::string("D:\\\xb5\xda.EXE"), std::string("A\nB.EXE"), std::string(),
                                      "D:\\" + std::string(120, 'A') + ".EXE"}) {
        EXPECT_FALSE(ComposeSessionTyping(refused, typed, error)) << refused;
        EXPECT_TRUE(typed.empty());
        EXPECT_EQ("\r\n", error.substr(error.size() - 2));
    }
}

}  // namespace
}  // namespace halyard::toolchain
