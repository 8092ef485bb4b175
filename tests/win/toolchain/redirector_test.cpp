// The console redirector with a stand-in child or the real command interpreter (Wine's under
// Wine: its start-up text and prompts differ from Windows', so tests look for parts, not all).
#include <gtest/gtest.h>

#include <cstring>

#include "toolchain/output_redirector.h"
#include "standins/bulk_lines.h"
#include "win/toolchain/build_test_support.h"

namespace {

using buildtest::Count;
using buildtest::CPaneWindow;
using buildtest::CScopedEnv;
using buildtest::PumpUntil;

const char kEnded[] = "\r\n<TEST INFO>: Child process ended\r\n";

std::string StandinCommand(const char* tool, const char* arguments)
{
    return "\"" + buildtest::StandinDir() + "\\" + tool + ".exe\" " + arguments;
}

std::string GbkText(unsigned lines)
{
    std::string text = "x";
    for (unsigned i = 0; i < lines; ++i) text += standin::GbkLine();
    return text;
}

// The edit control decodes each append on its own, so the double-byte case also proves that no
// character is split between appends: a split one would come back changed.
TEST(ConsoleRedirector, ChildOutputArrivesWholeAndInOrderThenTheEnd)
{
    struct OutputCase {
        const char* variable;
        const char* value;
        std::string middle;
    };
    const OutputCase cases[] = {
        {"HALYARD_STANDIN_LINES", "10000", standin::BulkText(10000)},
        {"HALYARD_STANDIN_GBK", "10000", GbkText(10000)},
    };
    for (const OutputCase& c : cases) {
        CPaneWindow pane;
        CScopedEnv output(c.variable, c.value);
        COutputRedirector redirector;
        redirector.SetPane(pane.Get());
        ASSERT_TRUE(redirector.Open(StandinCommand("tasm", "a b").c_str()));
        EXPECT_TRUE(redirector.IsOpen());
        ASSERT_TRUE(PumpUntil([&] { return !redirector.IsOpen(); }, 20000)) << pane.Text().size();
        EXPECT_TRUE(pane.Text() == standin::ToolOutput("tasm", "a b", c.middle) + kEnded) << c.variable;
    }
}

TEST(ConsoleRedirector, WritingAfterTheChildEndedFails)
{
    CPaneWindow pane;
    COutputRedirector redirector;
    redirector.SetPane(pane.Get());
    ASSERT_TRUE(redirector.Open("cmd.exe /V:OFF"));
    // Wine's interpreter drops every line but the first of one read, so each waits for the last.
    EXPECT_TRUE(redirector.Printf("echo %s%d\r\n", "marker", 42));
    ASSERT_TRUE(PumpUntil([&] { return pane.Text().find("marker42\r\n") != std::string::npos; }, 10000));
    EXPECT_TRUE(redirector.Write("exit\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return !redirector.IsOpen(); }, 10000)) << pane.Text();
    const std::string text = pane.Text();
    EXPECT_EQ(kEnded, text.substr(text.size() - std::strlen(kEnded)));

    EXPECT_FALSE(redirector.Printf("echo %s\r\n", "late"));
    EXPECT_FALSE(redirector.Write("echo late\r\n"));
    buildtest::PumpFor(200);
    EXPECT_EQ(text, pane.Text());
}

TEST(ConsoleRedirector, ACommandThatCannotStartIsReported)
{
    struct StartCase {
        std::string command;
        std::string folder;
    };
    const StartCase cases[] = {
        {"Z:\\no\\such\\program.exe", ""},
        {"cmd.exe", "Z:\\no\\such\\folder"},
    };
    for (const StartCase& c : cases) {
        CPaneWindow pane;
        COutputRedirector redirector;
        redirector.SetPane(pane.Get());
        EXPECT_FALSE(redirector.Open(c.command.c_str(), c.folder.c_str()));
        const DWORD error = GetLastError();
        EXPECT_NE(0u, error);
        EXPECT_FALSE(redirector.IsOpen());
        char expected[96];
        std::snprintf(expected, sizeof expected, "\r\nError message: Redirect console error: %lx\r\n", error);
        EXPECT_EQ(expected, pane.Text());
        EXPECT_FALSE(redirector.Write("dir\r\n"));
    }
}

TEST(ConsoleRedirector, ClosingAnIdleInterpreterIsQuickAndSilent)
{
    CPaneWindow pane;
    COutputRedirector redirector;
    redirector.SetPane(pane.Get());
    ASSERT_TRUE(redirector.Open("cmd.exe /V:OFF"));
    ASSERT_TRUE(redirector.Write("echo ready\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return pane.Text().find("ready\r\n") != std::string::npos; }, 10000));
    const ULONGLONG start = GetTickCount64();
    redirector.Close();
    EXPECT_LT(GetTickCount64() - start, 1000u);
    EXPECT_FALSE(redirector.IsOpen());
    EXPECT_EQ(0u, Count(pane.Text(), "Error message"));
    EXPECT_EQ(0u, Count(pane.Text(), "Child process ended"));
}

}  // namespace
