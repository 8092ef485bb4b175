// Tracegate under Wine, output to a pipe: the exact bytes it prints for each mode, the growing
// progress line, the debugger command it runs (recorded by the stand-in td.exe and debug.exe),
// where it finds DOS DEBUG, and its refusals. Wine's cls prints nothing when output is redirected
// (Windows' writes a form feed), so the debugger's line follows the progress line directly.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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
    // Copies of the stand-in debug.exe in a tool folder of the case's own (argument 0 names it),
    // '|' between them, and the path the debugger's command line should start with; nullptr:
    // the installation's tool folder and the stand-ins' folder on PATH.
    const char* debugCopies = nullptr;
    const char* debugAt = nullptr;
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
    {"DEBUG in masm16 before bin and PATH", " m hello.exe\r\n", false, Sheet::Debug, true, "debug",
     "masm16\\DEBUG.EXE|debug.exe", "\\bin\\masm16\\DEBUG.EXE"},
    {"DEBUG in bin before PATH", " m hello.exe\r\n", false, Sheet::Debug, true, "debug", "Debug.Exe",
     "\\bin\\Debug.Exe"},
};

// A tool folder holding `copies` of the stand-in DEBUG; returns its Tracegate path, "" on failure.
std::string ToolFolderWithDebug(const TestInstall& install, std::size_t index, const std::string& copies)
{
    const std::string root = install.Root() + "\\case" + std::to_string(index), bin = root + "\\bin";
    if (!CreateDirectoryA(root.c_str(), nullptr) || !CreateDirectoryA(bin.c_str(), nullptr) ||
        !CreateDirectoryA((bin + "\\masm16").c_str(), nullptr))
        return {};
    const std::string debug = EnvText("HALYARD_STANDINS") + "\\debug.exe";
    for (std::size_t start = 0; start <= copies.size();) {
        const std::size_t cut = std::min(copies.find('|', start), copies.size());
        if (!CopyInto(debug, bin + "\\" + copies.substr(start, cut - start))) return {};
        start = cut + 1;
    }
    return bin + "\\Tracegate.exe";
}

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
        std::string named = self;
        if (c.debugCopies != nullptr) named = ToolFolderWithDebug(install, i, c.debugCopies);
        ASSERT_FALSE(named.empty()) << c.name;
        const std::string line = (c.bareSelf ? std::string("Tracegate") : "\"" + named + "\"") + c.arguments;
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
        if (c.debugAt != nullptr) {
            std::string started = records[0].line;  // quoted when the temporary folder needs it
            if (!started.empty() && started.front() == '"') started.erase(0, 1);
            const std::size_t at = started.find(c.debugAt);
            EXPECT_NE(std::string::npos, at) << c.name << ": " << started;
            if (at != std::string::npos)
                EXPECT_EQ(install.Root() + "\\case" + std::to_string(i), started.substr(0, at)) << c.name;
        }
    }
}

struct RefusalCase {
    const char* name;
    bool longSelf;  // argument 0 names a folder of 256 characters
    bool noDebug;   // DOS DEBUG is nowhere: not in the installation, the current folder or PATH
    const char* arguments;
    const char* message;  // the start of the helper's own message
};

TEST(Tracegate, ArgumentsThatCannotBeRunSafelyAreRefusedAndRunNothing)
{
    TestInstall install("inst", "src");
    ASSERT_TRUE(install.Ready());
    const std::string self = install.Bin() + "\\Tracegate.exe";
    const RefusalCase cases[] = {
        {"program of 32 characters", false, false, " t abcdefghijklmnopqrstuvwxyz12.exe\r\n",
         "Tracegate: the program name \"abcdefghijklmnopqrstuvwxyz12.exe\" is longer than 31 characters.\r\n"},
        {"only the CR LF", false, false, " m \r\n", "Tracegate: no program to debug was named.\r\n"},
        {"variable reference", false, false, " m \"a%OS%b.exe\"\r\n", "Tracegate: the program name \"a%OS%b.exe\" holds %"},
        {"variable reference in TD mode", false, false, " t a%OS%.exe\r\n", "Tracegate: the program name \"a%OS%.exe\" holds %"},
        {"tool folder of 256 characters", true, false, " t hello.exe\r\n",
         "Tracegate: the tool folder is longer than 255 characters.\r\n"},
        {"no DOS DEBUG anywhere", false, true, " m hello.exe\r\n", "Tracegate: 找不到 DOS DEBUG（debug.exe）。"},
    };
    const std::string longSelf = "C:\\" + std::string(253, 'd') + "\\Tracegate.exe";
    const std::string pause = PausePrompt();
    for (const RefusalCase& c : cases) {
        RecordedRun run;
        const std::string line = (c.longSelf ? longSelf : "\"" + self + "\"") + c.arguments;
        const std::string systemFolder = EnvText("SystemRoot") + "\\system32";
        ScopedEnv path("PATH", c.noDebug ? systemFolder : EnvText("PATH"));
        ASSERT_TRUE(install.Start(run, line, install.Source(), self)) << c.name;
        CapturedProcess& p = *run.process;
        ASSERT_TRUE(p.Finish(30000)) << c.name;
        EXPECT_EQ(1u, p.ExitCode()) << c.name;
        // The banner, the message and a pause, so that the console does not close on it.
        const std::string& out = p.Output();
        EXPECT_EQ(0u, out.find(kBanner + c.message)) << c.name << ": " << out;
        EXPECT_EQ(pause, out.substr(out.size() - std::min(out.size(), pause.size()))) << c.name;
        EXPECT_TRUE(run.Records().empty()) << c.name;
        if (c.noDebug) {  // every folder searched, in order, and where DEBUG belongs
            const std::string folders[] = {install.Bin() + "\\masm16\r\n", install.Bin() + "\r\n",
                                           install.Source() + "\r\n", systemFolder + "\r\n",
                                           "请把 debug.exe 放进 " + install.Bin() + "\\masm16 "};
            std::size_t at = 0;
            for (const std::string& folder : folders) {
                at = out.find(folder, at);
                ASSERT_NE(std::string::npos, at) << folder << " in " << out;
            }
        }
    }
}

}  // namespace
}  // namespace helpers_test
