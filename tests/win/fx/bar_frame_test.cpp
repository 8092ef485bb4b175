// Bars act through the frame they were created in, also when that frame is not the application's
// main frame and no application object exists at all.
#include <gtest/gtest.h>

#include "fx/fx_app.h"
#include "fx/fx_dialogbar.h"
#include "fx/fx_mdiframe.h"
#include "fx/fx_panebar.h"
#include "resource.h"
#include "win/win_test_util.h"

#include <string>

namespace {

const UINT kPaneId = 0x7F01;
const UINT kDialogBarId = 0x7F02;

class BarFrame : public FxMDIFrame {
public:
    BarFrame()
    {
        OnControl(IDC_SELECT_CPU, CBN_SELENDOK, [this] { m_log += "cpu chosen;"; });
    }
    bool OnCreateFrame() override
    {
        return m_pane.Create(this, "Pane", SIZE{120, 80}, kPaneId, FxDockSide::Left) &&
               m_dialogBar.Create(this, IDD_SELECTOR, kDialogBarId);
    }
    FxPaneBar m_pane;
    FxDialogBar m_dialogBar;
    std::string m_log;
};

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
        frame->AddControlBar(&frame->m_pane);
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
    // The close box sits at the right end of the caption, just above the content.
    RECT content = frame->m_pane.GetContentRect();
    POINT close{content.right - 8, content.top - 8};
    SendMessageA(frame->m_pane.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.x, close.y));
    SendMessageA(frame->m_pane.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(close.x, close.y));
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
    auto width = [](HWND h) {
        RECT rc;
        GetWindowRect(h, &rc);
        return rc.right - rc.left;
    };
    ASSERT_EQ(120, width(pane));
    for (int to : {-500, 2000}) {
        SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(width(pane) - 3, 100));  // on the sizer
        SendMessageA(pane, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 100));
        SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(to, 100));
        if (to < 0) EXPECT_EQ(33, width(pane));
        else EXPECT_EQ(2, width(frame->m_hWndMDIClient));
    }
}
