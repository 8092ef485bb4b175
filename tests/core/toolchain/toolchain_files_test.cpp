// The course folder's DOS tools: which file is which tool, what travels with it, where it is
// found in a tree, and the version line of its output.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/toolchain/build_lines.h"
#include "core/toolchain/toolchain_files.h"

namespace halyard::toolchain {
namespace {

TEST(ToolchainFilesTest, FileNamesInAnyCaseNameTheirTool)
{
    const struct {
        const char* name;
        std::optional<DosTool> tool;
    } cases[] = {
        {"MASM.EXE", DosTool::Masm},  {"masm.exe", DosTool::Masm},     {"Link.Exe", DosTool::Link},
        {"DEBUG.exe", DosTool::Debug}, {"debug.COM", DosTool::Debug},  {"tAsM.eXe", DosTool::Tasm},
        {"TLINK.EXE", DosTool::Tlink}, {"td.exe", DosTool::Td},        {"TDUMP.EXE", std::nullopt},
        {"TASM32.EXE", std::nullopt},  {"MASM.EXE.BAK", std::nullopt}, {"LINK.COM", std::nullopt},
        {"MASM", std::nullopt},        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(c.tool, ClassifyToolFile(c.name)) << c.name;
}

TEST(ToolchainFilesTest, OnlyTheToolsOwnHelpersTravelWithIt)
{
    const std::vector<std::string> folder = {
        "TD.EXE",   "tdconfig.td", "TDHELP.TDH", "TDKBD.OVL",  "rtm.exe",  "DPMI16BI.OVL", "TDUMP.EXE", "TD.OVL",
        "TASM.EXE", "TLINK.EXE",   "MASM.EXE",   "MASM.ERR",   "masm.hlp", "MASM.TXT",     "README.TXT", "HELLO.ASM"};
    const struct {
        DosTool tool;
        std::vector<std::string> companions;
    } cases[] = {
        {DosTool::Td, {"tdconfig.td", "TDHELP.TDH", "TDKBD.OVL", "rtm.exe", "DPMI16BI.OVL", "TD.OVL"}},
        {DosTool::Tasm, {"rtm.exe", "DPMI16BI.OVL"}},
        {DosTool::Masm, {"MASM.ERR", "masm.hlp"}},
        {DosTool::Link, {}},
        {DosTool::Tlink, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.companions, CompanionFiles(c.tool, folder)) << InfoOf(c.tool).name;
}

// A folder tree as the lister sees it.
class FakeTree {
public:
    void Add(const std::string& folder, std::vector<FolderEntry> entries) { m_folders[folder] = std::move(entries); }
    FolderLister Lister()
    {
        return [this](const std::string& folder) {
            m_listed.push_back(folder);
            const auto it = m_folders.find(folder);
            return it == m_folders.end() ? std::vector<FolderEntry>{} : it->second;
        };
    }
    std::vector<std::string> m_listed;

private:
    std::map<std::string, std::vector<FolderEntry>> m_folders;
};

TEST(ToolchainFilesTest, TheShallowestCopyOfEachToolWinsAndTheWalkStopsAtItsDepth)
{
    FakeTree tree;
    tree.Add("D:\\lab", {{"b", true}, {"a", true}, {"masm.exe", false}});
    tree.Add("D:\\lab\\a", {{"LINK.EXE", false}, {"MASM.EXE", false}, {"DEBUG.COM", false}, {"Debug.Exe", false}, {"deep", true}});
    tree.Add("D:\\lab\\b", {{"LINK.EXE", false}, {"TASM.EXE", false}, {"RTM.EXE", false}});
    tree.Add("D:\\lab\\a\\deep", {{"TD.EXE", false}, {"x", true}});
    tree.Add("D:\\lab\\a\\deep\\x", {{"TLINK.EXE", false}});

    const std::vector<FoundTool> found = FindDosTools("D:\\lab", tree.Lister(), {2, 100});
    ASSERT_EQ(5u, found.size());
    const struct {
        DosTool tool;
        const char* folder;
        const char* fileName;
    } expected[] = {
        {DosTool::Masm, "D:\\lab", "masm.exe"},
        {DosTool::Link, "D:\\lab\\a", "LINK.EXE"},
        {DosTool::Debug, "D:\\lab\\a", "Debug.Exe"},
        {DosTool::Tasm, "D:\\lab\\b", "TASM.EXE"},
        {DosTool::Td, "D:\\lab\\a\\deep", "TD.EXE"},
    };
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(expected[i].tool, found[i].tool) << i;
        EXPECT_EQ(expected[i].folder, found[i].folder) << i;
        EXPECT_EQ(expected[i].fileName, found[i].fileName) << i;
    }
    EXPECT_EQ(std::vector<std::string>{"RTM.EXE"}, found[3].companions);
    EXPECT_EQ((std::vector<std::string>{"D:\\lab", "D:\\lab\\a", "D:\\lab\\b", "D:\\lab\\a\\deep"}), tree.m_listed);

    // A folder count limit ends the walk early, keeping what was found.
    tree.m_listed.clear();
    EXPECT_EQ(1u, FindDosTools("D:\\lab", tree.Lister(), {3, 1}).size());
    EXPECT_EQ(1u, tree.m_listed.size());
}

TEST(ToolchainFilesTest, TheToolTakesItsInstallNameAndItsHelpersKeepTheirs)
{
    const FoundTool debug{DosTool::Debug, "E:\\", "DEBUG.COM", {}};
    const std::vector<CopyItem> debugPlan = CopyPlan(debug);
    ASSERT_EQ(1u, debugPlan.size());
    EXPECT_EQ("E:\\DEBUG.COM", debugPlan[0].source);
    EXPECT_EQ("masm16\\debug.exe", debugPlan[0].target);

    const FoundTool td{DosTool::Td, "E:\\tc", "Td.Exe", {"TDHELP.TDH"}};
    const std::vector<CopyItem> tdPlan = CopyPlan(td);
    ASSERT_EQ(2u, tdPlan.size());
    EXPECT_EQ("E:\\tc\\Td.Exe", tdPlan[0].source);
    EXPECT_EQ("tasm16\\td.exe", tdPlan[0].target);
    EXPECT_EQ("E:\\tc\\TDHELP.TDH", tdPlan[1].source);
    EXPECT_EQ("tasm16\\TDHELP.TDH", tdPlan[1].target);
}

TEST(ToolchainFilesTest, TheVersionLineIsTheFirstNamingAVersionElseTheFirstWithANumber)
{
    const struct {
        const char* output;
        const char* line;
    } cases[] = {
        {"\r\nSample Assembler  Version 5.10\r\nCopyright notice 1.2\r\n", "Sample Assembler  Version 5.10"},
        {"Copyright 1988, 1992\r\nLinker  Version 3.60\r\n", "Linker  Version 3.60"},
        {"Sample Linker 5.0 Copyright\r\nSyntax: x\r\n", "Sample Linker 5.0 Copyright"},
        {"\t  Debugger version 3.1 \x1b[0m\r\n", "Debugger version 3.1 [0m"},
        {"汇编器 版本 2.0\n", "汇编器 版本 2.0"},
        {"Source filename [.ASM]: ", ""},
        {"built 19.9\r\n", "built 19.9"},
        {"file v2.x\r\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.line, VersionLine(c.output)) << c.output;
    EXPECT_EQ(100u, VersionLine("Version " + std::string(200, 'x')).size());
}

TEST(ToolchainFilesTest, AMissingToolNamesItsFileItsPathAndTheCommandThatFetchesIt)
{
    EXPECT_EQ("\\masm16\\masm.exe", StepTool({BuildStep::Compile, kAssemblerMasm, kConfigDebug, "a.asm", "a", {}}));
    EXPECT_EQ("\\tasm16\\tlink.exe", StepTool({BuildStep::Link, kAssemblerTasm, kConfigRelease, {}, "a", {}}));
    EXPECT_EQ("", StepTool({BuildStep::Link, 2, kConfigDebug, {}, "a", {}}));

    const std::string text = MissingToolText("C:\\H\\bin\\masm16\\masm.exe");
    EXPECT_EQ(0u, text.find("找不到 masm.exe")) << text;
    EXPECT_NE(std::string::npos, text.find("C:\\H\\bin\\masm16\\masm.exe\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("工具链文件夹...")) << text;
}

}  // namespace
}  // namespace halyard::toolchain
