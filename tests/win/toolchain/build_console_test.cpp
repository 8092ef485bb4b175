// The build console with Wine's real command interpreter and the stand-in toolchains. Wine's
// interpreter prints its own start-up text and does not echo the lines it reads, and it drops
// every line but the first of one read: each test waits for a step to finish before the next.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "toolchain/build_console.h"
#include "core/toolchain/build_lines.h"
#include "standins/bulk_lines.h"
#include "win/toolchain/build_test_support.h"

namespace {

using buildtest::Count;
using buildtest::CPaneWindow;
using buildtest::CTempInstall;
using buildtest::PumpUntil;
using halyard::toolchain::kAssemblerMasm;
using halyard::toolchain::kAssemblerTasm;
using halyard::toolchain::kConfigDebug;
using halyard::toolchain::kConfigRelease;

const char kVersionBanner[] = "Halyard 6.0 Build 08.0117.3\r\n";
const char kErrorPrefix[] = "\r\nError message: ";

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A console started in the source folder whose interpreter has printed its first prompt, so that
// its start-up text can no longer arrive after a step's banner.
class BuildConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Ready());
        ASSERT_TRUE(m_install.AddSource("hello.asm"));
        m_pConsole = std::make_unique<CBuildConsole>(m_pane.Get(), m_install.InstallDir());
        ASSERT_TRUE(m_pConsole->Open(m_install.SourceDir()));
        ASSERT_TRUE(PumpUntil([&] { return EndsWith(m_pane.Text(), ">"); }, 10000)) << m_pane.Text();
    }

    // Waits until the step's tool has printed its last line and the interpreter its prompt.
    void WaitForTool(const std::string& tool)
    {
        const std::string done = tool + " stand-in: done\r\n";
        ASSERT_TRUE(PumpUntil(
            [&] {
                const std::string text = m_pane.Text();
                const std::size_t at = text.find(done);
                return at != std::string::npos && EndsWith(text, ">");
            },
            10000))
            << m_pane.Text();
    }

    CTempInstall m_install;
    CPaneWindow m_pane;
    std::unique_ptr<CBuildConsole> m_pConsole;
};

TEST_F(BuildConsoleTest, OpenShowsTheVersionBannerThenTheInterpreter)
{
    const std::string text = m_pane.Text();
    EXPECT_EQ(0u, text.find(kVersionBanner));
    EXPECT_GT(text.size(), std::strlen(kVersionBanner));
    EXPECT_TRUE(m_pConsole->IsRunning());
    EXPECT_EQ(m_install.ToolFolder(), m_pConsole->GetToolFolder());
}

TEST_F(BuildConsoleTest, EachStepTypesItsExactLineAndShowsOnlyItsOwnOutput)
{
    struct StepCase {
        bool compile;
        int assembler;
        int config;
        const char* tool;
        const char* command;  // below the tool folder
        const char* banner;
    };
    const StepCase cases[] = {
        {true, kAssemblerTasm, kConfigDebug, "tasm", "\\tasm16\\tasm.exe /zi /la hello.asm", "Compiling...\r\n"},
        {false, kAssemblerTasm, kConfigDebug, "tlink", "\\tasm16\\tlink.exe /v hello.obj", "Building...\r\n"},
        {true, kAssemblerTasm, kConfigRelease, "tasm", "\\tasm16\\tasm.exe /zi /la hello.asm", "Compiling...\r\n"},
        {false, kAssemblerTasm, kConfigRelease, "tlink", "\\tasm16\\tlink.exe hello.obj", "Building...\r\n"},
        {true, kAssemblerMasm, kConfigDebug, "masm", "\\masm16\\masm.exe /a hello.asm,hello.obj,hello.lst,hello.crf;",
         "Compiling...\r\n"},
        {false, kAssemblerMasm, kConfigDebug, "link", "\\masm16\\link.exe hello.obj,hello.exe;", "Building...\r\n"},
        {false, kAssemblerMasm, kConfigRelease, "link", "\\masm16\\link.exe hello.obj,hello.exe;", "Building...\r\n"},
    };
    std::size_t records = 0;
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.command);
        const bool sent = c.compile ? m_pConsole->Compile("hello.asm", "hello", c.assembler)
                                    : m_pConsole->Link("hello", c.assembler, c.config);
        ASSERT_TRUE(sent);
        const std::string line = m_install.ToolFolder() + c.command;
        EXPECT_EQ(line + "\r\n", m_pConsole->GetLine());
        ASSERT_TRUE(m_install.WaitForRecords(++records, 10000));
        WaitForTool(c.tool);

        const buildtest::StandinRecord record = m_install.Records().back();
        EXPECT_EQ(c.tool, record.tool);
        EXPECT_EQ(line, record.line);
        EXPECT_EQ(m_install.SourceDir(), record.folder);

        const std::string text = m_pane.Text();
        EXPECT_EQ(0u, text.find(c.banner)) << text;
        const std::string arguments = line.substr(line.find(' ') + 1);
        EXPECT_NE(std::string::npos, text.find(standin::ToolOutput(c.tool, arguments))) << text;
        EXPECT_EQ(1u, Count(text, "stand-in: done"));
        EXPECT_EQ(0u, Count(text, kErrorPrefix));
    }
}

TEST_F(BuildConsoleTest, AnAssemblerWithoutToolchainDoesNothing)
{
    const std::string before = m_pane.Text();
    EXPECT_TRUE(m_pConsole->Compile("hello.asm", "hello", 2));
    EXPECT_TRUE(m_pConsole->Link("hello", 2, kConfigDebug));
    buildtest::PumpFor(300);
    EXPECT_EQ(before, m_pane.Text());
    EXPECT_TRUE(m_install.Records().empty());
}

TEST_F(BuildConsoleTest, AMissingToolIsNamedWithItsPathInsteadOfBeingStarted)
{
    const std::string masm = m_install.ToolFolder() + "\\masm16\\masm.exe";
    ASSERT_TRUE(DeleteFileA(masm.c_str()));
    EXPECT_FALSE(m_pConsole->Compile("hello.asm", "hello", kAssemblerMasm));
    buildtest::PumpFor(300);
    EXPECT_EQ(std::string("Compiling...\r\n") + kErrorPrefix + halyard::toolchain::MissingToolText(masm), m_pane.Text());
    EXPECT_NE(std::string::npos, m_pane.Text().find("找不到 masm.exe"));
    EXPECT_TRUE(m_install.Records().empty());
}

TEST(BuildConsole, StepsThatCannotBeTypedSaySoAfterTheBanner)
{
    struct RefusedCase {
        const char* installDir;
        const char* startFolder;
        const char* fileName;
        const char* baseName;
        const char* reason;
    };
    const std::string longDir = "Z:\\" + std::string(240, 'd');
    const RefusedCase cases[] = {
        {"Z:\\no\\such", "Z:\\no\\such\\folder", "hello.asm", "hello", "The command interpreter is not running"},
        {"Z:\\H", "", "100%.asm", "100%", "The file name or the installation folder holds %"},
        {longDir.c_str(), "", "hello.asm", "hello", "The command line does not fit in 255 bytes"},
    };
    for (const RefusedCase& c : cases) {
        CPaneWindow pane;
        CBuildConsole console(pane.Get(), c.installDir);
        const bool started = console.Open(c.startFolder);
        EXPECT_EQ(c.startFolder[0] == '\0', started);
        const bool sent[] = {console.Compile(c.fileName, c.baseName, kAssemblerMasm),
                             console.Link(c.baseName, kAssemblerTasm, kConfigDebug)};
        EXPECT_FALSE(sent[0]) << c.reason;
        EXPECT_FALSE(sent[1]) << c.reason;
        // The second step's banner replaced the first step's text.
        const std::string text = pane.Text();
        EXPECT_EQ(0u, text.find(std::string("Building...\r\n") + kErrorPrefix + c.reason)) << text;
        EXPECT_EQ(1u, Count(text, kErrorPrefix)) << text;
    }
}

}  // namespace
