// The Toolchain folders command without its dialogs: a course folder of stand-in tools, in any
// case of their names and at several depths, copied into a fresh installation, each copy run
// through Dosrun for its version.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "toolchain/toolchain_install.h"
#include "win/toolchain/build_test_support.h"

namespace {

using buildtest::CScopedEnv;
using buildtest::FileExists;
using buildtest::StandinDir;
using halyard::toolchain::CopyOutcome;
using halyard::toolchain::DosTool;

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Put(const std::string& path, const std::string& standin)
{
    if (!standin.empty()) return CopyFileA((StandinDir() + "\\" + standin).c_str(), path.c_str(), FALSE) != FALSE;
    std::ofstream(path, std::ios::binary) << "helper\r\n";
    return FileExists(path);
}

const char kVersion[] = "Sample Tool Version 9.87";

TEST(ToolchainInstall, CopiesEachToolWithItsHelpersAndAsksOnceBeforeReplacing)
{
    buildtest::CTempInstall temp;
    ASSERT_TRUE(temp.Ready());
    const std::string course = temp.Root() + "\\课程 工具";
    const std::string install = temp.Root() + "\\clean";
    const std::string bin = install + "\\bin";
    for (const std::string& folder : {course, course + "\\MASM", course + "\\TASM", course + "\\TASM\\BIN", install, bin,
                                      bin + "\\tasm16"})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    char dist[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableA("HALYARD_DIST", dist, sizeof dist), 0u);
    ASSERT_TRUE(CopyFileA((std::string(dist) + "\\bin\\Dosrun.exe").c_str(), (bin + "\\Dosrun.exe").c_str(), FALSE));

    const struct {
        const char* source;  // below the course folder
        const char* standin;  // empty: a helper's text
    } files[] = {
        {"\\MASM\\MASM.EXE", "masm.exe"},     {"\\MASM\\Link.Exe", "link.exe"},   {"\\MASM\\DEBUG.COM", "debug.exe"},
        {"\\TASM\\BIN\\TASM.EXE", "tasm.exe"}, {"\\TASM\\BIN\\tlink.exe", "tlink.exe"}, {"\\TASM\\BIN\\TD.EXE", "td.exe"},
        {"\\TASM\\BIN\\TDCONFIG.TD", ""},      {"\\TASM\\BIN\\TDHELP.TDH", ""},    {"\\TASM\\BIN\\README.TXT", ""},
    };
    for (const auto& f : files) ASSERT_TRUE(Put(course + f.source, f.standin)) << f.source;
    // An older TLINK is installed already: another program's bytes, so that a replacement shows.
    const std::string oldTlink = bin + "\\tasm16\\tlink.exe";
    ASSERT_TRUE(Put(oldTlink, "masm.exe"));
    const CScopedEnv version("HALYARD_STANDIN_MESSAGE", kVersion);

    std::vector<std::vector<std::string>> asked;
    bool replace = false;
    const auto ask = [&](const std::vector<std::string>& existing) {
        asked.push_back(existing);
        return replace;
    };
    const ToolchainInstall first = InstallToolchain(course, install, ask);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(std::vector<std::string>{oldTlink}, asked[0]);
    EXPECT_TRUE(first.anyFound);

    const struct {
        DosTool tool;
        const char* source;
        const char* target;  // below bin
        const char* standin;
        const char* version;  // the debuggers' stand-ins print no version
    } tools[] = {
        {DosTool::Masm, "\\MASM\\MASM.EXE", "\\masm16\\masm.exe", "masm.exe", kVersion},
        {DosTool::Link, "\\MASM\\Link.Exe", "\\masm16\\link.exe", "link.exe", kVersion},
        {DosTool::Debug, "\\MASM\\DEBUG.COM", "\\masm16\\debug.exe", "debug.exe", ""},
        {DosTool::Tasm, "\\TASM\\BIN\\TASM.EXE", "\\tasm16\\tasm.exe", "tasm.exe", kVersion},
        {DosTool::Tlink, "\\TASM\\BIN\\tlink.exe", "\\tasm16\\tlink.exe", "tlink.exe", kVersion},
        {DosTool::Td, "\\TASM\\BIN\\TD.EXE", "\\tasm16\\td.exe", "td.exe", ""},
    };
    ASSERT_EQ(6u, first.tools.size());
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& report = first.tools[i];
        SCOPED_TRACE(tools[i].source);
        EXPECT_EQ(tools[i].tool, report.tool);
        EXPECT_TRUE(report.found);
        EXPECT_EQ(course + tools[i].source, report.source);
        EXPECT_EQ(tools[i].tool == DosTool::Tlink ? CopyOutcome::Kept : CopyOutcome::Copied, report.outcome);
        EXPECT_EQ(tools[i].version, report.version);
        if (tools[i].tool != DosTool::Tlink)
            EXPECT_EQ(ReadAll(StandinDir() + "\\" + tools[i].standin), ReadAll(bin + tools[i].target));
    }
    EXPECT_EQ(ReadAll(StandinDir() + "\\masm.exe"), ReadAll(oldTlink));
    EXPECT_TRUE(FileExists(bin + "\\tasm16\\TDCONFIG.TD"));
    EXPECT_TRUE(FileExists(bin + "\\tasm16\\TDHELP.TDH"));
    EXPECT_FALSE(FileExists(bin + "\\tasm16\\README.TXT"));
    // The version came from the installed copy, run in its folder; TD was asked for its help.
    const std::vector<buildtest::StandinRecord> records = temp.Records();
    ASSERT_EQ(6u, records.size());
    EXPECT_EQ(bin + "\\masm16", records[0].folder);
    EXPECT_EQ(std::vector<std::string>{"-?"}, records[5].args);

    // Yes replaces what is there.
    replace = true;
    const ToolchainInstall second = InstallToolchain(course, install, ask);
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ(8u, asked[1].size());
    EXPECT_EQ(CopyOutcome::Copied, second.tools[4].outcome);
    EXPECT_EQ(ReadAll(StandinDir() + "\\tlink.exe"), ReadAll(oldTlink));

    // A folder without any tool finds nothing and asks nothing.
    EXPECT_FALSE(InstallToolchain(course + "\\TASM\\BIN\\..\\..\\MASM\\none", install, ask).anyFound);
    EXPECT_EQ(2u, asked.size());
}

}  // namespace
