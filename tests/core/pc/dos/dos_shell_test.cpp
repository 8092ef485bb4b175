// A DOS session: the shell's prompt and internal commands, programs started at the prompt in the
// same PC (what one installs, the next one uses), ERRORLEVEL, and batch files.
#include <gtest/gtest.h>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

// Copies a routine (print "!", IRET) to 0000:0200, points INT 7Ch at it, and ends with 4Ch.
const std::string kInstall("\x31\xc0\x8e\xc0\xbf\x00\x02\xbe\x23\x01\xb9\x07\x00\xfc\xf3\xa4\x26\xc7\x06\xf0\x01\x00"
                           "\x02\x26\xc7\x06\xf2\x01\x00\x00\xb8\x00\x4c\xcd\x21\xb4\x02\xb2\x21\xcd\x21\xcf",
                           42);
const std::string kUser("\xcd\x7c\xb8\x05\x4c\xcd\x21", 7);  // INT 7Ch, then ends with code 5

struct Session {
    MemoryFiles files;
    StringConsole console;
    FixedClock clock;
    Machine machine{files, console, clock};

    RunResult Type(const std::vector<std::string>& lines, const std::string& command = {})
    {
        console.redirected[0] = false;
        for (const std::string& line : lines)
            for (const char c : line + "\r")
                console.keys.push_back(uint16_t(c == '\r' ? 0x1C0D : c));
        EXPECT_EQ(machine.StartSession({"PATH=C:\\BIN"}, command), "");
        return machine.Run(3000000);
    }
};

TEST(DosShell, ProgramsAtThePromptShareThePc)
{
    Session s;
    s.files.files["INSTALL.COM"] = kInstall;
    s.files.files["USER.COM"] = kUser;
    const RunResult result = s.Type({"ver", "install", "user", "nosuch", "echo done", "exit"});
    ASSERT_TRUE(result.exited) << result.failure << "\n" << s.console.output << "|" << s.console.text;
    EXPECT_EQ(result.exitCode, 5) << "EXIT passes on the last program's code";
    const std::string& out = s.console.output;
    EXPECT_NE(out.find("C:\\WORK>ver"), std::string::npos) << out;
    EXPECT_NE(out.find("MS-DOS Version 5.00"), std::string::npos) << out;
    EXPECT_NE(out.find("C:\\WORK>user\r\n!C:\\WORK>"), std::string::npos) << "the routine INSTALL left behind ran:\n" << out;
    EXPECT_NE(out.find("nosuch\r\nBad command or file name\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("echo done\r\ndone\r\n"), std::string::npos) << out;
}

TEST(DosShell, ABatchFileRunsWithItsParametersAndEnds)
{
    Session s;
    s.files.files["USER.COM"] = kUser;
    s.files.files["INSTALL.COM"] = kInstall;
    s.files.files["GO.BAT"] = "@echo off\r\necho first %1 and %2\r\ninstall\r\nuser\r\nset LAB=two\r\necho %lab%\r\n";
    const RunResult result = s.Type({}, "GO.BAT one two");
    ASSERT_TRUE(result.exited) << result.failure << "\n" << s.console.output << "|" << s.console.text;
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_EQ(s.console.output, "first one and two\r\n!two\r\n");
}

// GOTO and labels, IF ERRORLEVEL / EXIST / ==, SHIFT, CALL (which comes back) and a batch named
// without CALL (which does not).
TEST(DosShell, BatchFilesBranchTestAndCall)
{
    Session s;
    s.files.files["USER.COM"] = kUser;
    s.files.files["INSTALL.COM"] = kInstall;
    s.files.files["SUB.BAT"] = "@echo in sub %1\r\n";
    s.files.files["LAST.BAT"] = "@echo last\r\n";
    s.files.files["GO.BAT"] = "@echo off\r\n"
                              "install\r\nuser\r\n"
                              "if errorlevel 6 echo wrong\r\n"
                              "if errorlevel 5 goto five\r\n"
                              "echo skipped\r\n"
                              ":five\r\n"
                              "if not exist NONE.TXT echo no file\r\n"
                              "if exist user.com echo user here\r\n"
                              "if \"%1\"==\"a\" echo first is a\r\n"
                              "if not %2==b echo never\r\n"
                              "shift\r\n"
                              "echo now %1\r\n"
                              "call sub x\r\n"
                              "echo back\r\n"
                              "goto nowhere\r\n"
                              "echo not reached\r\n";
    RunResult result = s.Type({}, "GO.BAT a b");
    ASSERT_TRUE(result.exited) << result.failure << s.console.output;
    EXPECT_EQ(s.console.output,
              "!no file\r\nuser here\r\nfirst is a\r\nnow b\r\nin sub x\r\nback\r\nLabel not found\r\n");
    Session chained;
    chained.files.files["LAST.BAT"] = "@echo last\r\n";
    chained.files.files["GO.BAT"] = "@echo off\r\nlast\r\necho not after\r\n";
    result = chained.Type({}, "GO.BAT");
    ASSERT_TRUE(result.exited) << result.failure;
    EXPECT_EQ(chained.console.output, "last\r\n");
}

// Output to a file and appended to it, input from one, and a pipe through a temporary file that
// is gone afterwards.
TEST(DosShell, RedirectionAndPipes)
{
    Session s;
    // Copies up to 100 bytes of standard input to standard output.
    s.files.files["CAT.COM"] = std::string("\xb4\x3f\x31\xdb\xb9\x64\x00\xba\x1d\x01\xcd\x21\x89\xc1\xb4\x40\xbb\x01\x00"
                                           "\xba\x1d\x01\xcd\x21\xb8\x00\x4c\xcd\x21",
                                           29);
    s.files.files["GO.BAT"] = "@echo off\r\necho one > A.TXT\r\necho two>>a.txt\r\ncat < a.txt\r\n"
                              "type a.txt | cat > B.TXT\r\necho end\r\n";
    const RunResult result = s.Type({}, "GO.BAT");
    ASSERT_TRUE(result.exited) << result.failure << s.console.output;
    EXPECT_EQ(s.files.files["A.TXT"], "one\r\ntwo\r\n");
    EXPECT_EQ(s.files.files["B.TXT"], "one\r\ntwo\r\n");
    EXPECT_EQ(s.console.output, "one\r\ntwo\r\nend\r\n");
    for (const auto& [name, bytes] : s.files.files)
        EXPECT_EQ(name.find("PIPE"), std::string::npos) << name << " was left behind";
}

// FOR over words and over a wildcard's files, COPY, and the PC's own date and time.
TEST(DosShell, ForCopyDateAndTime)
{
    Session s;
    s.files.files["A.TXT"] = "aa\r\n";
    s.files.files["B.TXT"] = "bb\r\n";
    s.files.files["GO.BAT"] = "@echo off\r\nfor %%x in (1 two) do echo [%%x]\r\nfor %%f in (*.TXT) do type %%f\r\n"
                              "copy a.txt c.dat\r\ncopy none.txt d.dat\r\n"
                              "date 03-04-25\r\ndate\r\ntime 10:20:30\r\ntime\r\ndate 02-30-25\r\n";
    const RunResult result = s.Type({}, "GO.BAT");
    ASSERT_TRUE(result.exited) << result.failure << s.console.output;
    EXPECT_EQ(s.files.files["C.DAT"], "aa\r\n");
    EXPECT_EQ(s.files.files.count("D.DAT"), 0u);
    EXPECT_EQ(s.console.output, "[1]\r\n[two]\r\naa\r\nbb\r\n        1 file(s) copied\r\nFile not found - NONE.TXT\r\n"
                                "Current date is Tue 03-04-2025\r\nCurrent time is 10:20:30.00a\r\nInvalid date\r\n");
}

// The prompt's line editing: Backspace, Left and inserting, Esc, Up for the last line, F3 for the
// rest of it.
TEST(DosShell, ThePromptEditsAndRecallsLines)
{
    Session s;
    constexpr uint16_t kBack = 0x0E08, kEnter = 0x1C0D, kLeft = 0x4B00, kUp = 0x4800, kF3 = 0x3D00, kEsc = 0x011B;
    const auto typed = [&s](const std::string& text) {
        for (const char c : text)
            s.console.keys.push_back(uint16_t(c));
    };
    typed("echo ab");
    s.console.keys.insert(s.console.keys.end(), {kBack});
    typed("c");
    s.console.keys.insert(s.console.keys.end(), {kEnter, kUp, kEnter});
    typed("echo 13");
    s.console.keys.insert(s.console.keys.end(), {kLeft});
    typed("2");
    s.console.keys.insert(s.console.keys.end(), {kEnter});
    typed("xyz");
    s.console.keys.insert(s.console.keys.end(), {kEsc});
    typed("ec");
    s.console.keys.insert(s.console.keys.end(), {kF3, kEnter});
    typed("exit");
    s.console.keys.insert(s.console.keys.end(), {kEnter});
    const RunResult result = s.Type({});
    ASSERT_TRUE(result.exited) << result.failure << s.console.output;
    std::string results;
    for (size_t at = 0; (at = s.console.output.find("\r\n", at)) != std::string::npos; at += 2) {
        const size_t next = s.console.output.find("\r\n", at + 2);
        const std::string row = s.console.output.substr(at + 2, next == std::string::npos ? 0 : next - at - 2);
        if (!row.empty() && row.find('>') == std::string::npos)
            results += row + "|";
    }
    EXPECT_EQ(results, "ac|ac|123|123|") << s.console.output;
}

}  // namespace
}  // namespace halyard::dos::test
