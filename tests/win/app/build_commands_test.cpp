// Compile and Link through the document's commands in the running application: the file is
// saved first, the tool gets the lines of the active configuration, and it runs in the file's
// folder whatever folder the IDE is in.
#include "win/app/app_fixture.h"
#include "win/build/build_test_support.h"
#include "fx/fx_view.h"
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

// Save As into another folder moves the build there: the tool runs in the new folder on the new
// name, the pane says where, and the WorkSpace item follows the name so that it still finds the
// window. Both folders have Chinese names with a blank, as a student's often do.
TEST_F(BuildCommands, SaveAsIntoAnotherFolderMovesTheBuildAndTheWorkspaceItem)
{
    buildtest::CTempInstall install("inst", "汇编 作业");
    ASSERT_TRUE(install.Ready());
    std::strcpy(app.m_szInstallDir, install.InstallDir().c_str());
    ASSERT_TRUE(install.AddSource("第1题.asm"));
    const std::string other = install.Root() + "\\实验 二";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    CHalyardDoc* first = Open(install.SourceDir() + "\\第1题.asm");
    ASSERT_TRUE(install.AddSource("other.asm"));
    CHalyardDoc* second = Open(install.SourceDir() + "\\other.asm");
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(first->DoSave(other + "\\第2题.asm"));
    EXPECT_TRUE(buildtest::PumpUntil(
        [&] {
            char pane[2048] = {};
            GetWindowTextA(frame->m_outputEdit.m_hWnd, pane, sizeof pane);
            return std::string(pane).find("now run in " + other) != std::string::npos;
        },
        5000));
    ASSERT_TRUE(first->OnCmdMsg(ID_BUILD_COMPILE, 0));
    ASSERT_TRUE(install.WaitForRecords(1, 20000));
    const auto records = install.Records();
    EXPECT_EQ(other, records[0].folder);
    ASSERT_FALSE(records[0].args.empty());
    EXPECT_EQ("第2题.asm", records[0].args.back().substr(records[0].args.back().rfind('\\') + 1));

    // The item of the first file now reads the new name and activates its window.
    HWND tree = frame->m_workspaceTree.m_hWnd;
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)root));
    char text[64] = {};
    TVITEMA tv{TVIF_TEXT, item};
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv);
    EXPECT_STREQ("第2题.asm", text);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
    app.OnWorkspaceDblClk();
    EXPECT_EQ(first->GetViews().front()->GetParentFrame(), frame->GetActiveChild());
}
