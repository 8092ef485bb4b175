// The main window as a student uses it: one MDI tab per open file that follows Save As and goes
// with the window, and the WorkSpace tree, now inside its tab page, still finds a file's window.
#include "win/app/app_fixture.h"
#include "win/toolchain/build_test_support.h"
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

namespace {
std::string WindowText(HWND h)
{
    char text[128] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

UINT MenuState(CMainFrame* frame, UINT id)
{
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    for (int i = 0; i < GetMenuItemCount(bar); ++i) frame->UpdateMenuItems(GetSubMenu(bar, i));
    const UINT state = GetMenuState(bar, id, MF_BYCOMMAND);
    DestroyMenu(bar);
    return state;
}
}  // namespace

// What the main window is made of at start-up: the toolbar's buttons in order, the status bar's
// indicators, the bars' titles and ids, the View menu's check marks, the tree.
TEST_F(MainWindow, IsComposedAsAStudentFindsItAtStartUp)
{
    const std::vector<int> buttons = {32809, 57601, 57603, 57607, 0,     57635, 57634, 57637, 0,     57643, 57644,
                                      0,     57636, 57640, 37126, 57641, 0,     37223, 37224, 37225, 37226, 0,
                                      32800, 32801, 32803, 32802, 32850, 32840, 0, 32804, 32828, 32823, 32806};
    HWND toolbar = frame->m_toolBar.m_hWnd;
    std::vector<int> shown;
    for (int i = 0; i < (int)SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
        TBBUTTON b{};
        SendMessageA(toolbar, TB_GETBUTTON, i, (LPARAM)&b);
        shown.push_back((b.fsStyle & BTNS_SEP) ? 0 : b.idCommand);
    }
    EXPECT_EQ(buttons, shown);
    app.OnIdle();
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 32806, 0)) << "stop build has no handler";
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 32809, 0));
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 32840, 0)) << "a DOS prompt needs no document";
    EXPECT_EQ("Control Tool Bar", WindowText(toolbar));

    const std::vector<UINT> indicators = {0, 37903, 37900, 37902, 59140, 37901, 59137, 59138, 59139};
    std::vector<UINT> panes;
    for (size_t i = 0; i < frame->m_statusBar.GetPaneCount(); ++i) panes.push_back(frame->m_statusBar.GetPaneId(i));
    EXPECT_EQ(indicators, panes);

    EXPECT_EQ("WorkSpace", WindowText(frame->m_workspaceBar.m_hWnd));
    EXPECT_EQ(123, GetDlgCtrlID(frame->m_workspaceBar.m_hWnd));
    EXPECT_EQ("Output", WindowText(frame->m_outputBar.m_hWnd));
    EXPECT_EQ(124, GetDlgCtrlID(frame->m_outputBar.m_hWnd));
    EXPECT_EQ("Selector", WindowText(frame->m_selectorBar.m_hWnd));
    EXPECT_EQ(101, GetDlgCtrlID(frame->m_outputEdit.m_hWnd));
    EXPECT_EQ(125, GetDlgCtrlID(frame->m_workspaceTabs.m_hWnd));
    EXPECT_EQ(100, GetDlgCtrlID(frame->m_workspaceTree.m_hWnd));

    // Both panes start hidden and the music off; each command checks its item after toggling.
    for (UINT id : {ID_VIEW_WORKSPACE, ID_VIEW_OUTPUT, ID_BACKGROUND_MUSIC}) {
        EXPECT_FALSE(MenuState(frame, id) & MF_CHECKED) << id;
        frame->SendCommand(id);
        wintest::Pump();
        EXPECT_TRUE(MenuState(frame, id) & MF_CHECKED) << id;
        frame->SendCommand(id);
        wintest::Pump();
        EXPECT_FALSE(MenuState(frame, id) & MF_CHECKED) << id;
    }

    HWND tree = frame->m_workspaceTree.m_hWnd;
    EXPECT_EQ(1, (int)SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    EXPECT_EQ(frame->m_hCodeViewRoot, root);
    char text[32] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = root;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&item);
    EXPECT_STREQ("Code View", text);
}
