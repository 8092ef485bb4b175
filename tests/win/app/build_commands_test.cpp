// Compile and Link through the document's commands in the running application: the file is
// saved first, the tool gets the lines of the active configuration, and it runs in the file's
// folder whatever folder the IDE is in.
#include "win/app/app_fixture.h"
#include "win/build/build_test_support.h"
#include <cstring>

using BuildCommands = AppFixture;

TEST_F(BuildCommands, CompileSavesThenBuildsNextToTheFileAndLinkFollowsTheConfiguration)
{
    buildtest::CTempInstall install("inst dir", "my src");
    ASSERT_TRUE(install.Ready());
    ASSERT_LT(install.InstallDir().size(), sizeof app.m_szInstallDir);
    std::strcpy(app.m_szInstallDir, install.InstallDir().c_str());  // documents made from now on use it
    ASSERT_TRUE(install.AddSource("hello.asm"));
    std::string path = install.SourceDir() + "\\hello.asm";

    CHalyardDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(doc->GetBuffer().InsertText(nullptr, 0, 0, "; edited\r\n", endLine, endChar, 0));
    frame->SendCommand(ID_MODE_MASM);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_COMPILE));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    EXPECT_FALSE(doc->IsModified()) << "Compile saves the file first";
    EXPECT_EQ(0u, wintest::ReadFileBytes(path).find("; edited\r\n"));

    Choose(IDC_SELECT_CONFIG, 1, CBN_SELENDOK);  // Release
    // Wine's interpreter drops a line typed while the previous one still runs: wait for the tool.
    ASSERT_TRUE(buildtest::PumpUntil([&] { return GetWindowTextLengthA(frame->m_outputEdit.m_hWnd) > 20; }, 5000));
    buildtest::PumpFor(500);
    ASSERT_TRUE(frame->SendCommand(ID_BUILD_LINK));
    ASSERT_TRUE(install.WaitForRecords(2, 20000));
    std::vector<buildtest::StandinRecord> records = install.Records();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("masm", records[0].tool);
    EXPECT_EQ("link", records[1].tool);
    for (const auto& r : records) EXPECT_EQ(install.SourceDir(), r.folder) << r.tool;
    doc->SetModifiedFlag(false);
}
