// The main window as a student uses it: one MDI tab per open file that follows Save As and goes
// with the window, and the WorkSpace tree, now inside its tab page, still finds a file's window.
#include "win/app/app_fixture.h"
#include "win/build/build_test_support.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_view.h"

using MainWindow = AppFixture;

namespace {
std::vector<std::string> TabTexts(CMainFrame* frame)
{
    std::vector<std::string> texts;
    CMdiTabStrip& strip = frame->m_mdiTabBar.GetStrip();
    for (int i = 0; i < strip.GetTabCount(); ++i) texts.push_back(strip.GetTabText(i));
    return texts;
}
}  // namespace

TEST_F(MainWindow, MdiTabsFollowTheWindowsAndTheTreeFindsThem)
{
    std::vector<CHalyardDoc*> docs;
    for (const char* name : {"one.asm", "two.asm", "three.asm"}) docs.push_back(Open(dir.Write(name, "nop\r\n")));
    ASSERT_EQ(3u, docs.size());
    buildtest::PumpFor(600);  // the bar refreshes every 500 ms
    EXPECT_EQ((std::vector<std::string>{"Halyard MiniBBS", "one.asm", "two.asm", "three.asm"}), TabTexts(frame));

    ASSERT_TRUE(docs[1]->DoSave(dir.Write("renamed.asm", "")));
    buildtest::PumpFor(600);
    EXPECT_EQ((std::vector<std::string>{"Halyard MiniBBS", "one.asm", "renamed.asm", "three.asm"}), TabTexts(frame));

    // A double-click on the first file's item travels from the tree through its tab page and the
    // pane to the application, which activates that file's window.
    HWND tree = frame->m_workspaceTree.m_hWnd;
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)root));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
    NMHDR hdr{tree, IDC_WORKSPACE_TREE, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(GetParent(tree), WM_NOTIFY, IDC_WORKSPACE_TREE, (LPARAM)&hdr);
    EXPECT_EQ(docs[0]->GetViews().front()->GetParentFrame(), frame->GetActiveChild());

    SendMessageA(docs[2]->GetViews().front()->GetParentFrame()->m_hWnd, WM_CLOSE, 0, 0);
    buildtest::PumpFor(600);
    EXPECT_EQ((std::vector<std::string>{"Halyard MiniBBS", "one.asm", "renamed.asm"}), TabTexts(frame));
}
