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
                              "for %%x in (3 4) do echo [%%x]>>F.LOG\r\n"
                              "copy a.txt c.dat\r\ncopy none.txt d.dat\r\n"
                              "date 03-04-25\r\ndate\r\ntime 10:20:30\r\ntime\r\ndate 02-30-25\r\n";
    const RunResult result = s.Type({}, "GO.BAT");
    ASSERT_TRUE(result.exited) << result.failure << s.console.output;
    EXPECT_EQ(s.files.files["C.DAT"], "aa\r\n");
    EXPECT_EQ(s.files.files["F.LOG"], "[3]\r\n[4]\r\n") << "FOR's command has the redirection";
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

// A program runs COMMAND /C (the shell answers for COMSPEC's COMMAND.COM) and gets the command's
// code; COMMAND typed at the prompt is a second shell until its EXIT, in the same PC.
TEST(DosShell, ProgramsRunTheShellItself)
{
    Session s;
    s.files.files["INSTALL.COM"] = kInstall;
    s.files.files["USER.COM"] = kUser;
    // Shrinks itself, runs "C:\COMMAND.COM /C user" and ends with the code it gets back.
    s.files.files["RUNC.COM"] = std::string(
        "\xbb\x00\x10\xb4\x4a\xcd\x21\x8c\x0e\x43\x01\x8c\x0e\x47\x01\x8c\x0e\x4b\x01\xbb\x3f\x01\xba\x26\x01\xb8\x00"
        "\x4b\xcd\x21\xb4\x4d\xcd\x21\xb4\x4c\xcd\x21\x43\x3a\x5c\x43\x4f\x4d\x4d\x41\x4e\x44\x2e\x43\x4f\x4d\x00\x08"
        "\x20\x2f\x43\x20\x75\x73\x65\x72\x0d\x00\x00\x35\x01\x00\x00\x5c\x00\x00\x00\x6c\x00\x00\x00",
        77);
    const RunResult result =
        s.Type({"install", "runc", "if errorlevel 5 echo five", "command", "set inner=1", "user", "exit", "echo [%inner%]", "ver", "exit"});
    ASSERT_TRUE(result.exited) << result.failure << "\n" << s.console.output;
    const std::string& out = s.console.output;
    EXPECT_NE(out.find("C:\\WORK>runc\r\n!C:\\WORK>if errorlevel 5 echo five\r\nfive\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("C:\\WORK>command\r\n\r\nC:\\WORK>set inner=1\r\nC:\\WORK>user\r\n!C:\\WORK>exit\r\nC:\\WORK>"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("[%inner%]"), std::string::npos) << "the inner shell's variables were its own:\n" << out;
    EXPECT_NE(out.find("MS-DOS Version 5.00"), std::string::npos) << "the outer shell goes on:\n" << out;
}

// Ctrl+C at a batch file's PAUSE, or in a program it runs, asks whether to end the batch
// file: keys other than Y and N are passed over, N goes on, Y ends it.
TEST(DosShell, CtrlCAtABatchFileAsksToEndIt)
{
    constexpr uint16_t kCtrlC = 0x2E03;
    const struct {
        std::string batch;
        std::vector<uint16_t> keys;
        std::string output;
    } cases[] = {
        {"@echo off\r\npause\r\necho one\r\n", {kCtrlC, 'x', 'n'},
         "Press any key to continue . . .\r\n^C\r\nTerminate batch job (Y/N)? N\r\none\r\n"},
        {"@echo off\r\nread2\r\necho after\r\n", {'a', kCtrlC, 'y'}, "a^C\r\nTerminate batch job (Y/N)? Y\r\n"},
    };
    for (const auto& c : cases) {
        Session s;
        s.files.files["READ2.COM"] = std::string("\xb4\x01\xcd\x21\xb4\x01\xcd\x21\xb8\x00\x4c\xcd\x21", 13);
        s.files.files["GO.BAT"] = c.batch;
        s.console.keys.assign(c.keys.begin(), c.keys.end());
        const RunResult result = s.Type({}, "GO.BAT");
        ASSERT_TRUE(result.exited) << result.failure << s.console.output;
        EXPECT_EQ(s.console.output, c.output) << c.batch;
    }
}

// The prompt reads its keys through the keyboard interrupt like any program: a resident INT 9
// hook (a lab's, that counts the presses at 0000:0300) sees those typed at the prompt after it.
TEST(DosShell, AResidentKeyboardHookSeesTheKeysTypedAtThePrompt)
{
    Session s;
    s.files.files["HOOK9.COM"] = std::string(
        "\xb8\x09\x35\xcd\x21\x89\x1e\x34\x01\x8c\x06\x36\x01\xb8\x09\x25\xba\x1d\x01\xcd\x21\xba\x14\x00\xb8\x00\x31"
        "\xcd\x21\x1e\x50\x31\xc0\x8e\xd8\xe4\x60\xa8\x80\x75\x04\xfe\x06\x00\x03\x58\x1f\x2e\xff\x2e\x34\x01\x00\x00"
        "\x00\x00",
        56);
    const std::vector<std::string> after = {"echo 1234567890123456789", "exit"};
    const RunResult result = s.Type({"hook9", after[0], after[1]});
    ASSERT_TRUE(result.exited) << result.failure << "\n" << s.console.output;
    EXPECT_NE(s.console.output.find("\r\n1234567890123456789\r\n"), std::string::npos) << s.console.output;
    // Keys typed ahead of the hook's start may already wait in the BIOS's buffer (16 of them).
    const unsigned presses = unsigned(after[0].size() + after[1].size() + 2);
    const unsigned counted = s.machine.Mem().Read8(0, 0x300);
    EXPECT_LE(counted, presses);
    EXPECT_GE(counted, presses - 16);
}

}  // namespace
}  // namespace halyard::dos::test
