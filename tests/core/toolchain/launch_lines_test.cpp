// The Run and Debug command lines: the classic lines for ordinary names, quoting of names with
// blanks and interpreter operators, refusal of names no quoting makes safe, and the 256-byte limit.
#include <gtest/gtest.h>

#include <string>

#include "core/toolchain/launch_lines.h"

namespace halyard::toolchain {
namespace {

constexpr int kRun = -100;  // not a debug mode: the row composes the Run line

struct Source {
    std::string installDir;
    std::string folder;  // with its final backslash
    std::string baseName;

    std::string PathNoExt() const { return folder + baseName; }
};

struct Result {
    bool ok;
    std::string text;
    std::string folder;
    std::string error;
};

Result Compose(const Source& s, int mode)
{
    const std::string pathNoExt = s.PathNoExt();
    const LaunchSource source{s.installDir, pathNoExt, s.folder, s.baseName};
    LaunchLine line;
    line.folder = "stale";
    std::string error = "stale";
    const bool ok = mode == kRun ? ComposeRunLine(source, line, error) : ComposeDebugLine(source, mode, line, error);
    return {ok, line.text, line.folder, error};
}

struct LineCase {
    Source source;
    int mode;
    const char* text;
    const char* folder;
};

TEST(LaunchLines, NamesGiveTheirLinesQuotedOnlyWhereNeeded)
{
    const Source hello{"C:\\H", "D:\\src\\", "hello"};
    const Source blanks{"C:\\Program Files\\H", "D:\\my src\\", "my prog"};
    const LineCase cases[] = {
        {hello, kRun, "C:\\H\\bin\\Pausexec.exe D:\\src\\hello.exe", "D:\\src"},
        {hello, kDebugModeDebug, "C:\\H\\bin\\Tracegate.exe m hello.exe\r\n", "D:\\src"},
        {hello, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t hello.exe\r\n", "D:\\src"},
        {{"C:\\H", "D:\\", "hello"}, kRun, "C:\\H\\bin\\Pausexec.exe D:\\hello.exe", "D:\\"},
        {{"C:\\H", "", "hello"}, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t hello.exe\r\n", ""},
        {blanks, kRun, "\"C:\\Program Files\\H\\bin\\Pausexec.exe\" \"D:\\my src\\my prog.exe\"", "D:\\my src"},
        {blanks, kDebugModeDebug, "\"C:\\Program Files\\H\\bin\\Tracegate.exe\" m \"my prog.exe\"\r\n", "D:\\my src"},
        {{"C:\\H", "D:\\s\\", "a&b"}, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t \"a&b.exe\"\r\n", "D:\\s"},
        {{"C:\\H", "D:\\s\\", "a^b"}, kRun, "C:\\H\\bin\\Pausexec.exe \"D:\\s\\a^b.exe\"", "D:\\s"},
        {{"C:\\H", "D:\\s\\", "x)(y"}, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t \"x)(y.exe\"\r\n", "D:\\s"},
        {{"C:\\H", "D:\\s\\", "a;b,c"}, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t \"a;b,c.exe\"\r\n", "D:\\s"},
        {{"C:\\H", "D:\\s\\", "hi!"}, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t \"hi!.exe\"\r\n", "D:\\s"},
        {{"C:\\H&x", "D:\\s\\", "a"}, kDebugModeTd, "\"C:\\H&x\\bin\\Tracegate.exe\" t a.exe\r\n", "D:\\s"},
        // The folder is the start folder, not a word of the Debug line: a % in it is harmless.
        {{"C:\\H", "D:\\50%\\", "a"}, kDebugModeTd, "C:\\H\\bin\\Tracegate.exe t a.exe\r\n", "D:\\50%"},
    };
    for (const LineCase& c : cases) {
        const Result got = Compose(c.source, c.mode);
        EXPECT_TRUE(got.ok) << c.text << ": " << got.error;
        EXPECT_EQ(c.text, got.text);
        EXPECT_EQ(c.folder, got.folder) << c.text;
        EXPECT_EQ("", got.error) << c.text;
    }
}

TEST(LaunchLines, ModesWithoutADebuggerStartNothing)
{
    for (const int mode : {2, 3, -1}) {
        const Result got = Compose({"C:\\H", "D:\\src\\", "hello"}, mode);
        EXPECT_TRUE(got.ok) << mode;
        EXPECT_EQ("", got.text) << mode;
        EXPECT_EQ("", got.error) << mode;
    }
}

struct RefusalCase {
    Source source;
    int mode;
    const char* error;
};

TEST(LaunchLines, NamesNoQuotingMakesSafeAndOverlongLinesAreRefused)
{
    const char* unsafeRun = "The file name or the installation folder holds %, \" or a control character: "
                            "Pausexec was not started\r\n";
    const char* unsafeDebug = "The file name or the installation folder holds %, \" or a control character: "
                              "Tracegate was not started\r\n";
    const char* longRun = "The command line does not fit in 255 bytes: Pausexec was not started\r\n";
    const char* longDebug = "The command line does not fit in 255 bytes: Tracegate was not started\r\n";
    // "C:\H\bin\Pausexec.exe " and ".exe" leave 229 characters for the path of a 255-byte line.
    const std::string runFits(229 - 3, 'r');
    // "C:\H\bin\Tracegate.exe t ", ".exe" and CR LF leave 224.
    const std::string debugFits(224, 'd');
    const RefusalCase cases[] = {
        {{"C:\\H", "D:\\s\\", "%OS%"}, kRun, unsafeRun},
        {{"C:\\H", "D:\\s\\", "%OS%"}, kDebugModeTd, unsafeDebug},
        {{"C:\\H", "D:\\50%\\", "a"}, kRun, unsafeRun},
        {{"C:\\100%", "D:\\s\\", "a"}, kDebugModeDebug, unsafeDebug},
        {{"C:\\H", "D:\\s\\", "a\"b"}, kDebugModeTd, unsafeDebug},
        {{"C:\\H", "D:\\s\\", "a\r\nb"}, kRun, unsafeRun},
        {{"C:\\H", "D:\\s\\", std::string("a\x01")}, kDebugModeDebug, unsafeDebug},
        {{"C:\\H", "D:\\", runFits + "x"}, kRun, longRun},
        {{"C:\\H", "D:\\", debugFits + "x"}, kDebugModeTd, longDebug},
        {{"C:\\H", "D:\\", debugFits.substr(2) + " x"}, kDebugModeTd, longDebug},  // the quotes count too
    };
    for (const RefusalCase& c : cases) {
        const Result got = Compose(c.source, c.mode);
        EXPECT_FALSE(got.ok) << c.source.baseName;
        EXPECT_EQ("", got.text) << c.source.baseName;
        EXPECT_EQ("", got.folder) << c.source.baseName;
        EXPECT_EQ(c.error, got.error) << c.source.baseName;
    }
    const Result run = Compose({"C:\\H", "D:\\", runFits}, kRun);
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(255u, run.text.size());
    const Result debug = Compose({"C:\\H", "D:\\", debugFits}, kDebugModeTd);
    EXPECT_TRUE(debug.ok);
    EXPECT_EQ(255u, debug.text.size());
}

TEST(LaunchLines, LocationTextJoinsTheSummaryAndThePath)
{
    EXPECT_EQ("8086    Tasm    16bit    Debug | D:\\src\\hello.asm",
              LocationText("8086    Tasm    16bit    Debug", "D:\\src\\hello.asm"));
    EXPECT_EQ(" | D:\\a b\\x.asm", LocationText("", "D:\\a b\\x.asm"));
}

}  // namespace
}  // namespace halyard::toolchain
