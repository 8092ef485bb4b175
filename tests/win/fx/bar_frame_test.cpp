// Bars act through the frame they were created in, also when that frame is not the application's
// main frame and no application object exists at all; the frame lays docked panes out and drags
// their edges and dividers within the core's limits.
#include <gtest/gtest.h>

#include "fx/fx_app.h"
#include "fx/fx_dialogbar.h"
#include "fx/fx_mdiframe.h"
#include "frame/pane_bar.h"
#include "resource.h"
#include "win/win_test_util.h"

#include <string>

namespace {

const UINT kPaneId = 0x7F01;
const UINT kDialogBarId = 0x7F02;
const UINT kOtherPaneId = 0x7F03;

class BarFrame : public FxMDIFrame {
public:
    BarFrame()
    {
        OnControl(IDC_SELECT_CPU, CBN_SELENDOK, [this] { m_log += "cpu chosen;"; });
    }
    bool OnCreateFrame() override
    {
        return m_pane.Create("Pane", this, SIZE{120, 80}, TRUE, kPaneId, WS_CHILD | WS_VISIBLE) &&
               m_other.Create("Other", this, SIZE{150, 60}, TRUE, kOtherPaneId, WS_CHILD | WS_VISIBLE) &&
               m_dialogBar.Create(this, IDD_SELECTOR, kDialogBarId);
    }
    CPaneBar m_pane;
    CPaneBar m_other;  // docked by the tests that need a second pane
    FxDialogBar m_dialogBar;
    std::string m_log;
};

RECT ScreenRect(HWND h)
{
    RECT rc;
    GetWindowRect(h, &rc);
    return rc;
}

int Width(HWND h) { return ScreenRect(h).right - ScreenRect(h).left; }

// Mouse messages to `bar` as the user makes them over screen point `to`: non-client ones carry
// the screen point, client ones (the bar holds the mouse) the point in its client area.
LPARAM ScreenPoint(POINT to) { return MAKELPARAM(to.x, to.y); }
LPARAM ClientPoint(HWND h, POINT to)
{
    ScreenToClient(h, &to);
    return MAKELPARAM(to.x, to.y);
}

// Presses on `from` (which must hit-test `hit`), drags to `to` and releases there.
void DragEdge(HWND bar, POINT from, POINT to, LRESULT hit)
{
    ASSERT_EQ(hit, SendMessageA(bar, WM_NCHITTEST, 0, ScreenPoint(from)));
    SendMessageA(bar, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), ScreenPoint(from));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(bar, to));
    SendMessageA(bar, WM_LBUTTONUP, 0, ClientPoint(bar, to));
    wintest::Pump();
}

RECT ClientRectInFrame(HWND client, HWND frame)
{
    RECT rc;
    GetWindowRect(client, &rc);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class BarsOwnFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, FxGetApp());
        frame = new BarFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        MoveWindow(frame->m_hWnd, 0, 0, 600, 400, TRUE);
        frame->m_pane.EnableDocking(kFxDockAny);
        frame->m_other.EnableDocking(kFxDockAny);
        ShowWindow(frame->m_other.m_hWnd, SW_HIDE);
        ASSERT_TRUE(frame->DockControlBar(&frame->m_pane, FxDockSide::Left));
        frame->AddControlBar(&frame->m_dialogBar);
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame) frame->DestroyWindow();
        wintest::Pump();
    }
    BarFrame* frame = nullptr;
};

}  // namespace

TEST_F(BarsOwnFrame, PaneCloseButtonHidesThePaneAndRelaysItsFrame)
{
    ASSERT_TRUE(frame->m_pane.IsVisible());
    EXPECT_EQ(frame, frame->m_pane.GetFrame());
    EXPECT_EQ(120, ClientRectInFrame(frame->m_hWndMDIClient, frame->m_hWnd).left);
    // A press and release on the close button of the caption strip.
    HWND pane = frame->m_pane.m_hWnd;
    const RECT close = frame->m_pane.GetCloseRect();
    const POINT at{ScreenRect(pane).left + close.left + 6, ScreenRect(pane).top + close.top + 6};
    ASSERT_EQ(20, SendMessageA(pane, WM_NCHITTEST, 0, ScreenPoint(at)));
    SendMessageA(pane, WM_NCLBUTTONDOWN, 20, ScreenPoint(at));
    SendMessageA(pane, WM_LBUTTONUP, 0, ClientPoint(pane, at));
    EXPECT_FALSE(frame->m_pane.IsVisible());
    EXPECT_EQ(0, ClientRectInFrame(frame->m_hWndMDIClient, frame->m_hWnd).left);
}

TEST_F(BarsOwnFrame, DialogBarControlNotificationReachesItsFramesCommandTable)
{
    HWND combo = frame->m_dialogBar.GetItem(IDC_SELECT_CPU);
    ASSERT_NE(nullptr, combo);
    SendMessageA(frame->m_dialogBar.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SELECT_CPU, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(combo));
    // Another notification of the same control has no handler and changes nothing.
    SendMessageA(frame->m_dialogBar.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SELECT_CPU, CBN_DROPDOWN),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ("cpu chosen;", frame->m_log);
}

// The frame lays its bars out through the docking layout: dragging the pane's inner edge stops
// at the 33-pixel minimum one way and where the MDI area keeps 2 pixels the other way.
TEST_F(BarsOwnFrame, InnerEdgeDragStopsAtTheMinimumAndAtATwoPixelMdiArea)
{
    HWND pane = frame->m_pane.m_hWnd;
    ASSERT_EQ(120, Width(pane));
    for (int to : {-500, 2000}) {
        const RECT rc = ScreenRect(pane);
        const int y = (rc.top + rc.bottom) / 2;
        DragEdge(pane, POINT{rc.right - 2, y}, POINT{to, y}, HTRIGHT);
        if (to < 0) EXPECT_EQ(33, Width(pane));
        else EXPECT_EQ(2, Width(frame->m_hWndMDIClient));
        EXPECT_FALSE(frame->m_pane.IsTracking());
    }
    // The width is remembered for the vertical state only.
    EXPECT_EQ(80, frame->m_pane.GetHorzSize().cy);
}

// Two panes in one row at the bottom: the frame drags the divider between them, moving length
// from one to the other, and neither gets shorter than 33 pixels.
TEST_F(BarsOwnFrame, DividerMovesLengthBetweenNeighboursDownToTheirMinimum)
{
    ShowWindow(frame->m_other.m_hWnd, SW_SHOWNA);
    ASSERT_TRUE(frame->DockControlBar(&frame->m_pane, FxDockSide::Bottom, 5));
    ASSERT_TRUE(frame->DockControlBar(&frame->m_other, FxDockSide::Bottom, 5));
    HWND a = frame->m_pane.m_hWnd, b = frame->m_other.m_hWnd;
    RECT client;
    GetClientRect(frame->m_hWnd, &client);
    ASSERT_EQ(120, Width(a));  // its stored length; the last bar takes the rest
    ASSERT_EQ(client.right - 120 - 5, Width(b));
    ASSERT_EQ(1u, frame->GetLayout().dividers.size());
    const halyard::dock::Rect d = frame->GetLayout().dividers[0].rect;
    POINT press{d.left + 2, (d.top + d.bottom) / 2};
    auto drag = [&](int dx) {
        SendMessageA(frame->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        SendMessageA(frame->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + dx, press.y));
        SendMessageA(frame->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(press.x + dx, press.y));
        wintest::Pump();
        press.x = frame->GetLayout().dividers[0].rect.left + 2;
    };
    drag(40);
    EXPECT_EQ(160, Width(a));
    EXPECT_EQ(client.right - 160 - 5, Width(b));
    drag(-1000);
    EXPECT_EQ(33, Width(a));
    EXPECT_EQ(client.right - 33 - 5, Width(b));
    drag(5000);
    EXPECT_EQ(33, Width(b));
    EXPECT_EQ(client.right - 33 - 5, Width(a));
    // The row keeps one thickness: the thicker pane's.
    EXPECT_EQ(80, ScreenRect(a).bottom - ScreenRect(a).top);
    EXPECT_EQ(80, ScreenRect(b).bottom - ScreenRect(b).top);
}
