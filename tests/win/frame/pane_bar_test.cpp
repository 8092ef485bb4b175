// The Output pane of the real main frame: docked on another side its caption strip and its
// resizable edge move, a double-click floats it in a small frame of its own and docks it back,
// close messages from it or its edit never close it, and its close button hides it until the
// View command shows it again.
#include <gtest/gtest.h>

#include "frame/main_frame.h"
#include "fx/fx_handles.h"
#include "fx/fx_miniframe.h"
#include "resource.h"
#include "win/app/app_fixture.h"
#include "win/win_test_util.h"

namespace {

RECT ScreenRect(HWND h)
{
    RECT rc;
    GetWindowRect(h, &rc);
    return rc;
}

// The screen point at (x, y) of `h`'s window rectangle.
POINT InWindow(HWND h, int x, int y) { return POINT{ScreenRect(h).left + x, ScreenRect(h).top + y}; }
LPARAM Screen(POINT pt) { return MAKELPARAM(pt.x, pt.y); }
LPARAM Client(HWND h, POINT pt)
{
    ScreenToClient(h, &pt);
    return MAKELPARAM(pt.x, pt.y);
}

// Where the client area lies inside the window rectangle.
RECT ClientInWindow(HWND h)
{
    RECT rc;
    GetClientRect(h, &rc);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    OffsetRect(&rc, -ScreenRect(h).left, -ScreenRect(h).top);
    return rc;
}

class PaneBars : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_NE(nullptr, frame);
        frame->ShowPanes(true);
        wintest::Pump();
    }
    CPaneBar& Output() { return frame->m_outputBar; }
    HWND Bar() { return frame->m_outputBar.m_hWnd; }
    LRESULT HitAt(int x, int y) { return SendMessageA(Bar(), WM_NCHITTEST, 0, Screen(InWindow(Bar(), x, y))); }
    int Width() { return ScreenRect(Bar()).right - ScreenRect(Bar()).left; }
    int Height() { return ScreenRect(Bar()).bottom - ScreenRect(Bar()).top; }
    // The pane's non-client image, painted into memory, at (x, y) of its window rectangle.
    COLORREF PixelAt(int x, int y)
    {
        FxMemoryDC dc = FxCreateMemoryDC(nullptr);
        FxClientDC screen(nullptr);
        FxBitmap bitmap(CreateCompatibleBitmap(screen.Get(), Width(), Height()));
        FxSelectObject select(dc.Get(), bitmap.Get());
        Output().PaintNonClient(dc.Get());
        return GetPixel(dc.Get(), x, y);
    }
    int ViewOutputCheck()
    {
        FxCmdUI ui(ID_VIEW_OUTPUT);
        frame->RouteUpdate(ui);
        return ui.m_nCheck;
    }
};

}  // namespace

TEST_F(PaneBars, DockedAtTheTopTheGripperGoesLeftAndTheResizableEdgeToTheBottom)
{
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    // At the bottom: the top edge sizes, the strip lies along the left.
    EXPECT_EQ(kFxDockBarBottom, Output().GetDockBarId());
    EXPECT_EQ(HTTOP, HitAt(Width() / 2, 1));
    EXPECT_EQ(HTCLIENT, HitAt(Width() / 2, Height() - 2));

    ASSERT_TRUE(frame->DockControlBar(&Output(), FxDockSide::Top));
    EXPECT_EQ(kFxDockBarTop, Output().GetDockBarId());
    EXPECT_EQ(HTBOTTOM, HitAt(Width() / 2, Height() - 2));
    EXPECT_EQ(HTCLIENT, HitAt(Width() / 2, 1));
    EXPECT_EQ(CPaneBar::kEdgeBottom, Output().GetBarStyle() & CPaneBar::kEdgeAll);
    EXPECT_EQ(100, Height());  // the horizontal size goes along
    EXPECT_GE(ScreenRect(Bar()).top, ScreenRect(frame->m_selectorBar.m_hWnd).bottom);
    EXPECT_LE(ScreenRect(Bar()).bottom, ScreenRect(frame->m_workspaceBar.m_hWnd).top);
    RECT close = Output().GetCloseRect();
    EXPECT_EQ(3, close.left);
    EXPECT_EQ(5, close.top);
    EXPECT_EQ(3 + 2 + 12, ClientInWindow(Bar()).left);
    EXPECT_EQ(5, ClientInWindow(Bar()).top);
    EXPECT_EQ(CPaneBar::kHitClose, HitAt(close.left + 6, close.top + 6));
    // Vertical gripper lines below the close button, raised.
    EXPECT_EQ(light, PixelAt(close.left + 2, close.bottom + 10));
    EXPECT_EQ(dark, PixelAt(close.left + 4, close.bottom + 10));

    // Docked left, inside the WorkSpace pane: the strip goes to the top, the right edge sizes.
    ASSERT_TRUE(frame->DockControlBar(&Output(), FxDockSide::Left));
    EXPECT_EQ(HTRIGHT, HitAt(Width() - 2, Height() / 2));
    EXPECT_EQ(HTCLIENT, HitAt(1, Height() / 2));
    EXPECT_EQ(100, Width());
    EXPECT_EQ(ScreenRect(frame->m_workspaceBar.m_hWnd).right, ScreenRect(Bar()).left);
    close = Output().GetCloseRect();
    EXPECT_EQ(Width() - 17, close.left);
    EXPECT_EQ(3, close.top);
    EXPECT_EQ(5 + 12, ClientInWindow(Bar()).top);
    EXPECT_EQ(light, PixelAt(10, close.top + 2));
    EXPECT_EQ(dark, PixelAt(10, close.top + 4));
}

TEST_F(PaneBars, DoubleClickFloatsThePaneInASmallFrameAndDocksItBack)
{
    HWND status = frame->m_statusBar.m_hWnd, workspace = frame->m_workspaceBar.m_hWnd;
    ASSERT_EQ(ScreenRect(Bar()).bottom, ScreenRect(status).top);
    // On the gripper, which answers as client area.
    SendMessageA(Bar(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(-8, 30));
    wintest::Pump();
    ASSERT_TRUE(Output().IsFloating());
    FxMiniFrame* mini = frame->GetMiniFrame(&Output());
    ASSERT_NE(nullptr, mini);
    HWND miniWnd = mini->m_hWnd;
    EXPECT_EQ(miniWnd, GetParent(Bar()));
    EXPECT_EQ(frame->m_hWnd, GetWindow(miniWnd, GW_OWNER));
    EXPECT_TRUE(GetWindowLongPtrA(miniWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsWindowVisible(miniWnd));
    char title[64] = {};
    GetWindowTextA(miniWnd, title, sizeof title);
    EXPECT_STREQ("Output", title);
    RECT client;
    GetClientRect(miniWnd, &client);
    EXPECT_EQ(100, client.right);
    EXPECT_EQ(100, client.bottom);
    EXPECT_EQ(HTCLIENT, HitAt(Width() / 2, 1));  // no sizing edge while floating
    // The edit fills the pane; the bottom row is gone.
    RECT edit, inner;
    GetWindowRect(frame->m_outputEdit.m_hWnd, &edit);
    GetClientRect(Bar(), &inner);
    EXPECT_EQ(inner.right, edit.right - edit.left);
    EXPECT_EQ(inner.bottom, edit.bottom - edit.top);
    EXPECT_EQ(ScreenRect(status).top, ScreenRect(workspace).bottom);
    // Resizing the small frame is the floating size; the docked sizes stay.
    SetWindowPos(miniWnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(miniWnd, &client);
    EXPECT_EQ(client.right, Output().GetFloatSize().cx);
    EXPECT_EQ(client.bottom, Output().GetFloatSize().cy);
    // The title follows the pane's.
    SetWindowTextA(Bar(), "Build");
    GetWindowTextA(miniWnd, title, sizeof title);
    EXPECT_STREQ("Build", title);

    // A double-click on the small frame's caption docks the pane where it was.
    const RECT caption = mini->GetCaptionRect();
    SendMessageA(miniWnd, WM_NCLBUTTONDBLCLK, HTCAPTION, Screen(InWindow(miniWnd, caption.left + 5, caption.top + 5)));
    wintest::Pump();
    EXPECT_FALSE(IsWindow(miniWnd));
    EXPECT_FALSE(Output().IsFloating());
    EXPECT_EQ(frame->m_hWnd, GetParent(Bar()));
    EXPECT_EQ(100, Height());
    EXPECT_EQ(ScreenRect(Bar()).bottom, ScreenRect(status).top);
    EXPECT_EQ(ScreenRect(Bar()).top, ScreenRect(workspace).bottom);
}

TEST_F(PaneBars, CloseFromThePaneOrEscapeInItsEditKeepsIt)
{
    HWND edit = frame->m_outputEdit.m_hWnd;
    SetFocus(edit);
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(edit, WM_CHAR, 27, 0);
    SendMessageA(Bar(), WM_CLOSE, 0, 0);
    wintest::Pump();
    ASSERT_TRUE(IsWindow(Bar()));
    EXPECT_TRUE(Output().IsVisible());
    EXPECT_EQ(1, ViewOutputCheck());
    // The same while floating.
    ASSERT_TRUE(frame->ToggleDocking(&Output()));
    SendMessageA(Bar(), WM_CLOSE, 0, 0);
    wintest::Pump();
    EXPECT_TRUE(IsWindow(Bar()));
    EXPECT_TRUE(IsWindowVisible(Bar()));
}

TEST_F(PaneBars, CloseButtonRaisesSinksAndHidesThePaneUntilTheViewCommand)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   dark = GetSysColor(COLOR_BTNSHADOW), text = GetSysColor(COLOR_BTNTEXT);
    const RECT close = Output().GetCloseRect();
    const POINT on = InWindow(Bar(), close.left + 6, close.top + 6);
    const POINT off = InWindow(Bar(), close.left + 6, close.top + 60);
    // Flat, with the cross drawn in lines: its middle and the ends of its strokes, not the gaps.
    EXPECT_EQ(face, PixelAt(close.left, close.top));
    EXPECT_EQ(text, PixelAt(close.left + 6, close.top + 6));
    EXPECT_EQ(text, PixelAt(close.left + 3, close.top + 3));
    EXPECT_EQ(text, PixelAt(close.left + 10, close.top + 3));
    EXPECT_EQ(face, PixelAt(close.left + 6, close.top + 3));

    SendMessageA(Bar(), WM_NCMOUSEMOVE, CPaneBar::kHitClose, Screen(on));
    EXPECT_TRUE(Output().IsCloseHot());
    EXPECT_EQ(light, PixelAt(close.left, close.top));
    EXPECT_EQ(dark, PixelAt(close.right - 1, close.bottom - 1));
    // The idle pass cools it once the cursor is elsewhere.
    SetCursorPos(0, 0);
    POINT cursor;
    GetCursorPos(&cursor);
    if (cursor.x == 0 && cursor.y == 0) {
        frame->OnIdleUpdate();
        EXPECT_FALSE(Output().IsCloseHot());
    }

    // Pressed: sunken while the cursor stays on it; released elsewhere, nothing happens.
    SendMessageA(Bar(), WM_NCLBUTTONDOWN, CPaneBar::kHitClose, Screen(on));
    EXPECT_TRUE(Output().IsClosePushed());
    EXPECT_EQ(dark, PixelAt(close.left, close.top));
    EXPECT_EQ(light, PixelAt(close.right - 1, close.bottom - 1));
    SendMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON, Client(Bar(), off));
    EXPECT_FALSE(Output().IsClosePushed());
    SendMessageA(Bar(), WM_LBUTTONUP, 0, Client(Bar(), off));
    EXPECT_TRUE(Output().IsVisible());

    // Released on it: hidden through the frame, whose layout gives the room back.
    SendMessageA(Bar(), WM_NCLBUTTONDOWN, CPaneBar::kHitClose, Screen(on));
    SendMessageA(Bar(), WM_MOUSEMOVE, MK_LBUTTON, Client(Bar(), on));
    SendMessageA(Bar(), WM_LBUTTONUP, 0, Client(Bar(), on));
    EXPECT_FALSE(Output().IsVisible());
    EXPECT_FALSE(Output().IsClosePushed());
    EXPECT_EQ(0, ViewOutputCheck());
    EXPECT_EQ(ScreenRect(frame->m_statusBar.m_hWnd).top, ScreenRect(frame->m_workspaceBar.m_hWnd).bottom);

    ASSERT_TRUE(frame->SendCommand(ID_VIEW_OUTPUT));
    EXPECT_TRUE(IsWindowVisible(Bar()));
    EXPECT_EQ(1, ViewOutputCheck());
    EXPECT_EQ(100, Height());
}

TEST_F(PaneBars, DraggingThePaneDocksItOnTheSideUnderTheCursorOrFloatsIt)
{
    HWND frameWnd = frame->m_hWnd, workspace = frame->m_workspaceBar.m_hWnd;
    // The drag reads the mouse from the queue until the button is released or Escape pressed.
    auto drag = [&](POINT to, UINT end) {
        POINT c = to;
        ScreenToClient(frameWnd, &c);
        PostMessageA(frameWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        if (end == WM_LBUTTONUP) PostMessageA(frameWnd, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        else PostMessageA(frameWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        SendMessageA(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, Client(Bar(), InWindow(Bar(), 8, 40)));
        wintest::Pump();
    };
    // The MDI area as laid out (the MDI tab bar places the client inside it).
    auto mdi = [&] {
        const halyard::dock::Rect& a = frame->GetLayout().mdi;
        RECT rc{a.left, a.top, a.right, a.bottom};
        MapWindowPoints(frame->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    // Just inside the top rows: a new row there.
    drag(POINT{(mdi().left + mdi().right) / 2, mdi().top + 5}, WM_LBUTTONUP);
    EXPECT_EQ(kFxDockBarTop, Output().GetDockBarId());
    EXPECT_EQ(ScreenRect(Bar()).bottom, mdi().top);
    // Escape leaves it there.
    drag(POINT{(mdi().left + mdi().right) / 2, mdi().bottom - 5}, WM_KEYDOWN);
    EXPECT_EQ(kFxDockBarTop, Output().GetDockBarId());
    // Onto the WorkSpace pane: the two share its row, one above the other.
    const RECT ws = ScreenRect(workspace);
    drag(POINT{(ws.left + ws.right) / 2, (ws.top + ws.bottom) / 2}, WM_LBUTTONUP);
    EXPECT_EQ(kFxDockBarLeft, Output().GetDockBarId());
    EXPECT_EQ(frame->m_workspaceBar.GetDockRow(), Output().GetDockRow());
    EXPECT_EQ(ScreenRect(workspace).left, ScreenRect(Bar()).left);
    EXPECT_EQ(ScreenRect(workspace).right, ScreenRect(Bar()).right);
    EXPECT_EQ(ScreenRect(workspace).bottom + 5, ScreenRect(Bar()).top);
    // In the middle of the MDI area: it floats with the point held under the cursor.
    const POINT middle{(mdi().left + mdi().right) / 2, (mdi().top + mdi().bottom) / 2};
    drag(middle, WM_LBUTTONUP);
    ASSERT_TRUE(Output().IsFloating());
    const RECT small = ScreenRect(frame->GetMiniFrame(&Output())->m_hWnd);
    EXPECT_EQ(middle.x - 8, small.left);
    EXPECT_EQ(middle.y - 40, small.top);
}
