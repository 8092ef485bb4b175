// Source names and an installation folder that would run commands of their own if typed into the
// interpreter as they stand. Each injected command would create a marker folder "inj..." in the
// interpreter's folder; none may appear, and each tool must receive the intended name. Runs with
// Wine's interpreter, whose quoting rules may differ from Windows' in corners these names avoid
// (no quote is ever nested, and nothing follows a closing quote but a blank, a comma or `;`).
#include <gtest/gtest.h>

#include <memory>

#include "toolchain/build_console.h"
#include "core/toolchain/build_lines.h"
#include "win/toolchain/build_test_support.h"

namespace {

using buildtest::Count;
using buildtest::CPaneWindow;
using buildtest::CTempInstall;
using buildtest::PumpUntil;
using buildtest::StandinRecord;
using halyard::toolchain::kAssemblerMasm;
using halyard::toolchain::kAssemblerTasm;
using halyard::toolchain::kConfigDebug;

const char kHostileInstall[] = "Program Files (x86)&mkdir injected-install&x";

bool AnyMarker(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\inj*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

std::vector<std::string> ExpectedArgs(const std::string& tool, const std::string& file, const std::string& base)
{
    if (tool == "masm") return {"/a", file + "," + base + ".obj," + base + ".lst," + base + ".crf;"};
    if (tool == "tasm") return {"/zi", "/la", file};
    if (tool == "link") return {base + ".obj," + base + ".exe;"};
    return {"/v", base + ".obj"};
}

class HostileNamesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Ready());
        m_pConsole = std::make_unique<CBuildConsole>(m_pane.Get(), m_install.InstallDir());
        ASSERT_TRUE(m_pConsole->Open(m_install.SourceDir()));
        ASSERT_TRUE(PumpUntil([&] { return m_pane.Text().find('>') != std::string::npos; }, 10000));
    }

    // Runs one step and waits for its tool's record and last line.
    StandinRecord RunStep(bool compile, int assembler, const std::string& file, const std::string& base)
    {
        const std::size_t before = m_install.Records().size();
        const bool sent = compile ? m_pConsole->Compile(file, base, assembler)
                                  : m_pConsole->Link(base, assembler, kConfigDebug);
        EXPECT_TRUE(sent) << m_pane.Text();
        EXPECT_TRUE(m_install.WaitForRecords(before + 1, 10000)) << m_pane.Text();
        EXPECT_TRUE(PumpUntil([&] { return m_pane.Text().find("stand-in: done") != std::string::npos; }, 10000));
        const std::vector<StandinRecord> records = m_install.Records();
        return records.empty() ? StandinRecord{} : records.back();
    }

    CTempInstall m_install{kHostileInstall, "src dir (1)"};
    CPaneWindow m_pane;
    std::unique_ptr<CBuildConsole> m_pConsole;
};

TEST_F(HostileNamesTest, ToolsReceiveTheIntendedNamesAndNothingElseRuns)
{
    const char* names[] = {
        "my prog", "a&mkdir inj1&b", "x^&mkdir inj2", "(a)&mkdir inj3", "b!c;d,e f", "a^^b", "c)&(mkdir inj4",
    };
    struct Step {
        bool compile;
        int assembler;
        const char* tool;
    };
    const Step steps[] = {
        {true, kAssemblerMasm, "masm"}, {false, kAssemblerMasm, "link"},
        {true, kAssemblerTasm, "tasm"}, {false, kAssemblerTasm, "tlink"},
    };
    for (const char* name : names) {
        const std::string base = name;
        const std::string file = base + ".asm";
        ASSERT_TRUE(m_install.AddSource(file)) << file;
        for (const Step& step : steps) {
            SCOPED_TRACE(file + " with " + step.tool);
            const StandinRecord record = RunStep(step.compile, step.assembler, file, base);
            EXPECT_EQ(step.tool, record.tool);
            EXPECT_EQ(ExpectedArgs(step.tool, file, base), record.args) << record.line;
            EXPECT_EQ(m_install.SourceDir(), record.folder);
            EXPECT_FALSE(AnyMarker(m_install.SourceDir()));
            EXPECT_EQ(0u, Count(m_pane.Text(), "Error message"));
        }
    }
    EXPECT_FALSE(AnyMarker(m_install.Root()));
}

TEST_F(HostileNamesTest, NamesWithPercentAreRefusedAndNothingIsTyped)
{
    const char* names[] = {"100%", "%CD%&mkdir inj5", "%~dp0"};
    for (const char* name : names) {
        const std::string base = name;
        EXPECT_FALSE(m_pConsole->Compile(base + ".asm", base, kAssemblerTasm));
        EXPECT_FALSE(m_pConsole->Link(base, kAssemblerMasm, kConfigDebug));
        EXPECT_EQ(1u, Count(m_pane.Text(), "\r\nError message: The file name or the installation folder holds %"));
    }
    buildtest::PumpFor(300);
    EXPECT_TRUE(m_install.Records().empty());
    EXPECT_FALSE(AnyMarker(m_install.SourceDir()));
}

}  // namespace
