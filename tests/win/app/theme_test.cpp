// The theme commands recolour the Output pane and the workspace tree.
#include "win/app/app_fixture.h"
#include <commctrl.h>

using ThemeCommands = AppFixture;

namespace {
struct Answer {
    COLORREF text, back;
};

// What the Output pane's edit answers when asked for its colours.
Answer OutputColours(CMainFrame* frame)
{
    HDC dc = GetDC(frame->m_outputEdit.m_hWnd);
    SendMessageA(frame->m_outputBar.m_hWnd, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)frame->m_outputEdit.m_hWnd);
    Answer a{GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(frame->m_outputEdit.m_hWnd, dc);
    return a;
}
}  // namespace

TEST_F(ThemeCommands, NormalDarkNormalRecoloursOutputAndTree)
{
    ColourScheme& scheme = app.m_colourScheme;
    frame->SendCommand(ID_THEME_DARK);
    EXPECT_EQ(1, app.m_nTheme);
    Answer dark = OutputColours(frame);
    EXPECT_EQ(scheme.ColourAt(1), dark.back);
    EXPECT_EQ(scheme.ColourAt(2), dark.text);
    EXPECT_EQ(scheme.ColourAt(1), (COLORREF)SendMessageA(frame->m_workspaceTree.m_hWnd, TVM_GETBKCOLOR, 0, 0));
    EXPECT_EQ(scheme.ColourAt(2), (COLORREF)SendMessageA(frame->m_workspaceTree.m_hWnd, TVM_GETTEXTCOLOR, 0, 0));

    frame->SendCommand(ID_THEME_NORMAL);
    EXPECT_EQ(0, app.m_nTheme);
    Answer normal = OutputColours(frame);
    EXPECT_NE(dark.back, normal.back);
    EXPECT_EQ(scheme.ColourAt(1), normal.back);

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, ID_THEME_NORMAL, "&Normal");
    AppendMenuA(menu, MF_STRING, ID_THEME_DARK, "&Dark");
    frame->UpdateMenuItems(menu);
    EXPECT_TRUE(GetMenuState(menu, ID_THEME_NORMAL, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, ID_THEME_DARK, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(menu);
}
