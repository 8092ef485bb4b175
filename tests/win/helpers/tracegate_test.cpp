// Tracegate under Wine, output to a pipe: the exact bytes it prints for each mode, the growing
// progress line, the debugger command it runs (recorded by the stand-in td.exe and debug.exe),
// and its refusals. Wine's cls prints nothing when output is redirected (Windows' writes a form
// feed), so the debugger's line follows the progress line directly.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "win/helpers/captured_process.h"
#include "win/helpers/helper_setup.h"

namespace helpers_test {
namespace {

const std::string kBanner = "Halyard 6.0 Build 08.0117.3!\r\n";
const std::string kProgress(80, '>');

enum class Sheet { None, Debug, Td };

struct ModeCase {
    const char* name;
    const char* arguments;  // after Tracegate's own path
    bool bareSelf;          // argument 0 is a bare name without its folder
    Sheet sheet;
    bool progress;
    const char* debugger;   // the stand-in that should run, or nullptr
};

const ModeCase kModeCases[] = {
    {"no argument", "", false, Sheet::None, false, nullptr},
    {"mode only", " t", false, Sheet::None, false, nullptr},
    {"m", " m hello.exe\r\n", false, Sheet::Debug, true, "debug"},
    {"masm counts as m", " masm hello.exe\r\n", false, Sheet::Debug, true, "debug"},
    {"t", " t hello.exe\r\n", false, Sheet::Td, true, "td"},
    {"x selects nothing", " x hello.exe\r\n", false, Sheet::None, true, nullptr},
    {"typed by hand, no CR LF", " t hello.exe", false, Sheet::Td, true, "td"},
    {"bare argument 0", " t hello.exe\r\n", true, Sheet::Td, true, "td"},
};

std::string SheetBytes(Sheet sheet)
{
    switch (sheet) {
    case Sheet::Debug: return DataInCp936("debug_sheet.txt");
    case Sheet::Td: return DataInCp936("td_sheet.txt");
    case Sheet::None: break;
    }
    return {};
}

std::string Expected(const ModeCase& c)
{
    std::string out = kBanner + SheetBytes(c.sheet);
    if (c.progress) out += kProgress;
    if (c.debugger != nullptr) out += std::string(c.debugger) + " stand-in: hello.exe\r\n";
    return out;
}

TEST(Tracegate, EachModePrintsItsBytesAndRunsItsDebugger)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    const std::string self = install.Bin() + "\\Tracegate.exe";

    // Every run waits four seconds: start them all, then collect.
    std::vector<RecordedRun> runs(std::size(kModeCases));
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ModeCase& c = kModeCases[i];
        const std::string line = (c.bareSelf ? std::string("Tracegate") : "\"" + self + "\"") + c.arguments;
        ASSERT_TRUE(install.Start(runs[i], line, install.Source(), self)) << c.name;
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ModeCase& c = kModeCases[i];
        CapturedProcess& p = *runs[i].process;
        ASSERT_TRUE(p.Finish(30000)) << c.name;
        EXPECT_EQ(0u, p.ExitCode()) << c.name;
        EXPECT_EQ(Expected(c), p.Output()) << c.name;
        if (c.progress) {
            // Forty steps of 100 ms: without a flush after each step the line arrives in one piece.
            const std::size_t first = p.Output().find('>');
            EXPECT_GE(p.ArrivalOf(p.Output().rfind('>')) - p.ArrivalOf(first), 3000u) << c.name;
        }

        const std::vector<StandinRecord> records = runs[i].Records();
        if (c.debugger == nullptr) {
            EXPECT_TRUE(records.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(1u, records.size()) << c.name;
        EXPECT_EQ(c.debugger, records[0].tool) << c.name;
        EXPECT_EQ(std::vector<std::string>{"hello.exe"}, records[0].args) << c.name;
        EXPECT_EQ(install.Source(), records[0].folder) << c.name;
    }
}

struct RefusalCase {
    const char* name;
    bool longSelf;  // argument 0 names a folder of 256 characters
    const char* arguments;
    const char* message;  // the start of the helper's own message
};

TEST(Tracegate, ArgumentsThatCannotBeRunSafelyAreRefusedAndRunNothing)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    const std::string self = install.Bin() + "\\Tracegate.exe";
    const RefusalCase cases[] = {
        {"program of 32 characters", false, " t abcdefghijklmnopqrstuvwxyz12.exe\r\n",
         "Tracegate: the program name \"abcdefghijklmnopqrstuvwxyz12.exe\" is longer than 31 characters.\r\n"},
        {"only the CR LF", false, " m \r\n", "Tracegate: no program to debug was named.\r\n"},
        {"variable reference", false, " m \"a%OS%b.exe\"\r\n", "Tracegate: the program name \"a%OS%b.exe\" holds %"},
        {"variable reference in TD mode", false, " t a%OS%.exe\r\n", "Tracegate: the program name \"a%OS%.exe\" holds %"},
        {"tool folder of 256 characters", true, " t hello.exe\r\n",
         "Tracegate: the tool folder is longer than 255 characters.\r\n"},
    };
    const std::string longSelf = "C:\\" + std::string(253, 'd') + "\\Tracegate.exe";
    const std::string pause = PausePrompt();
    for (const RefusalCase& c : cases) {
        RecordedRun run;
        const std::string line = (c.longSelf ? longSelf : "\"" + self + "\"") + c.arguments;
        ASSERT_TRUE(install.Start(run, line, install.Source(), self)) << c.name;
        CapturedProcess& p = *run.process;
        ASSERT_TRUE(p.Finish(30000)) << c.name;
        EXPECT_EQ(1u, p.ExitCode()) << c.name;
        // The banner, the message and a pause, so that the console does not close on it.
        const std::string& out = p.Output();
        EXPECT_EQ(0u, out.find(kBanner + c.message)) << c.name << ": " << out;
        EXPECT_EQ(pause, out.substr(out.size() - std::min(out.size(), pause.size()))) << c.name;
        EXPECT_TRUE(run.Records().empty()) << c.name;
    }
}

}  // namespace
}  // namespace helpers_test
