// The WorkSpace pane's page tab control and the bar of tabs for the MDI windows, driven by real
// messages: button presses on the strip, MDI creation and destruction, titles that change.
#include <gtest/gtest.h>

#include "frame/mdi_tab_bar.h"
#include "frame/page_tab_ctrl.h"
#include "fx/fx_class_registry.h"
#include "fx/fx_dialog.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include "win/win_test_util.h"

#include <commctrl.h>
#include <string>

namespace {

const UINT kTabsId = 125;
const char kChinese[] = "\xD6\xD0\xCE\xC4\xB1\xEA\xCC\xE2"; // "中文标题"

LPARAM At(const RECT& rc) { return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }

RECT RectIn(HWND child, HWND parent)
{
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A top-level window that counts the page tab control's notifications.
class NotifyHost : public FxWnd {
public:
    NotifyHost()
    {
        OnNotify(kTabsId, static_cast<UINT>(TCN_SELCHANGE), [this](NMHDR&) -> LRESULT {
            ++m_nChanges;
            return 0;
        });
    }
    bool Create()
    {
        const char* cls = RegisterClassOnce("TabTestHost", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        return CreateEx(0, cls, "tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 420, 300},
                        nullptr, 0);
    }
    int m_nChanges = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        LRESULT result = 0;
        if (msg == WM_NOTIFY && OnNotifyMsg(*reinterpret_cast<NMHDR*>(lp), result)) return result;
        return Default(msg, wp, lp);
    }
};

class CTestPage : public FxDialog {
public:
    CTestPage() : FxDialog(IDD_FIND) {}
};

class TabControlsPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ASSERT_TRUE(classes.Register<CTestPage>("CTestPage"));
        ASSERT_TRUE(tabs.Create(CPageTabCtrl::kBottom | WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 200}, host.m_hWnd, kTabsId));
        tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, tabs.m_hWnd,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(tabs.AddWindowPage(tree, "CodeView", IDR_MAINFRAME));
        ASSERT_TRUE(tabs.AddDialogPage(classes, "CTestPage", IDD_SEGMENTVIEW, "SegmentView", IDI_SEGMENT_TAB));
        ASSERT_TRUE(tabs.AddDialogPage(classes, "CTestPage", IDD_SEARCH, "Search", IDI_SEARCH_TAB));
        tabs.RecalcLayout();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        wintest::Pump();
    }
    bool OnlyVisible(int index) const
    {
        for (int i = 0; i < tabs.GetPageCount(); ++i)
            if ((IsWindowVisible(tabs.GetPage(i)) != FALSE) != (i == index)) return false;
        return true;
    }
    NotifyHost host;
    FxClassRegistry classes;
    CPageTabCtrl tabs;
    HWND tree = nullptr;
};

}  // namespace

TEST_F(TabControlsPages, ClickOnATabShowsItsPageAloneAndNotifiesTheOwner)
{
    // Pages that cannot be added leave the control as it was.
    HWND stranger = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, host.m_hWnd, nullptr, nullptr, nullptr);
    EXPECT_FALSE(tabs.AddWindowPage(stranger, "not a child of the control", 0));
    EXPECT_FALSE(tabs.AddDialogPage(classes, "CNoSuchPage", IDD_SEARCH, "x", 0));
    ASSERT_EQ(3, tabs.GetPageCount());
    EXPECT_EQ(static_cast<LONG_PTR>(IDD_SEARCH), GetWindowLongPtrA(tabs.GetPage(2), GWLP_ID));

    // The layout activated the first page; every page lies in the page area.
    EXPECT_EQ(0, tabs.GetActivePage());
    EXPECT_TRUE(OnlyVisible(0));
    const RECT area = tabs.GetPageRect();
    EXPECT_EQ(4, area.left);
    EXPECT_EQ(200 - 25, area.bottom);
    for (int i = 0; i < 3; ++i) {
        const RECT placed = RectIn(tabs.GetPage(i), tabs.m_hWnd);
        EXPECT_TRUE(EqualRect(&area, &placed)) << i;
    }

    EXPECT_EQ(1, host.m_nChanges);  // the first activation
    struct Press {
        UINT msg;
        LPARAM at;
        int active;
        int notifications;
    };
    const RECT strip{6, 200 - 23, 294, 199};
    const Press presses[] = {
        {WM_LBUTTONDOWN, At(tabs.GetTabRect(2)), 2, 2},
        {WM_LBUTTONDOWN, At(tabs.GetTabRect(2)), 2, 2},      // already active: nothing happens
        {WM_LBUTTONDBLCLK, At(tabs.GetTabRect(1)), 1, 3},    // the second press of a fast double click
        {WM_LBUTTONDOWN, MAKELPARAM(150, 100), 1, 3},        // in the page area
        {WM_LBUTTONDOWN, MAKELPARAM(strip.right - 2, strip.top + 5), 1, 3}, // strip right of the tabs
        {WM_LBUTTONDOWN, At(tabs.GetTabRect(0)), 0, 4},
    };
    for (const Press& p : presses) {
        SendMessageA(tabs.m_hWnd, p.msg, MK_LBUTTON, p.at);
        SendMessageA(tabs.m_hWnd, WM_LBUTTONUP, 0, p.at);
        EXPECT_EQ(p.active, tabs.GetActivePage());
        EXPECT_TRUE(OnlyVisible(p.active)) << "after a press at " << LOWORD(p.at) << "," << HIWORD(p.at);
        EXPECT_EQ(p.notifications, host.m_nChanges);
    }

    // The control owns the pages it made: they go with its window.
    FxDialog* made = tabs.GetDialogPage(1);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(nullptr, tabs.GetDialogPage(0));
    DestroyWindow(tabs.m_hWnd);
    EXPECT_EQ(nullptr, made->m_hWnd);
    EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TabControlsPages, NarrowPaneSharesTheStripEquallyAndShortensTitlesByWholeCharacters)
{
    ASSERT_TRUE(tabs.AddWindowPage(
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, tabs.m_hWnd, nullptr, nullptr, nullptr), kChinese, 0));
    const std::string titles[] = {"CodeView", "SegmentView", "Search", kChinese};
    // Wide enough: natural widths, one after the other, titles in full.
    MoveWindow(tabs.m_hWnd, 0, 0, 400, 200, TRUE);
    int x = 6;
    for (int i = 0; i < 4; ++i) {
        const RECT rc = tabs.GetTabRect(i);
        EXPECT_EQ(x, rc.left);
        x = rc.right;
        EXPECT_EQ(titles[i], tabs.GetShownTitle(i));
    }
    EXPECT_GT(tabs.GetTabRect(1).right - tabs.GetTabRect(1).left, tabs.GetTabRect(2).right - tabs.GetTabRect(2).left);

    // The pane narrows: the layout runs on WM_SIZE; 200 - 12 pixels of strip, 47 for each tab.
    // Titles keep whole characters before "..."; the Chinese one loses two bytes at a time.
    MoveWindow(tabs.m_hWnd, 0, 0, 200, 200, TRUE);
    for (int i = 0; i < 4; ++i) {
        const RECT rc = tabs.GetTabRect(i);
        EXPECT_EQ(47, rc.right - rc.left) << i;
        const std::string shown = tabs.GetShownTitle(i);
        SCOPED_TRACE(shown);
        ASSERT_GE(shown.size(), 3u);
        const size_t kept = shown.size() - 3;
        EXPECT_EQ("...", shown.substr(kept));
        EXPECT_EQ(titles[i].substr(0, kept), shown.substr(0, kept));
        if (i == 3) EXPECT_EQ(0u, kept % 2);
    }

    // The picture: the pages' frame is sunken, and the active tab opens into it.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 200);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(tabs.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const int frameBottom = 200 - 23 - 1;
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), GetPixel(dc, 2, 2));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), GetPixel(dc, tabs.GetTabRect(2).left + 3, frameBottom));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(dc, tabs.GetTabRect(0).left + 3, frameBottom));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

namespace {

// MDI children that answer the private tab-text message when they carry the property below.
const char kTabTextProp[] = "TabTestText";

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kMsgGetTabText)
        if (auto* text = static_cast<const char*>(GetPropA(hwnd, kTabTextProp))) {
            lstrcpynA(reinterpret_cast<char*>(lp), text, static_cast<int>(wp));
            return 1;
        }
    return DefMDIChildProcA(hwnd, msg, wp, lp);
}

const char* ChildClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ChildProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDR_HALYARDTYPE));
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "TabTestChild";
        RegisterClassA(&wc);
        return "TabTestChild";
    }();
    return name;
}

class TabControlsMdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new FxMDIFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        MoveWindow(frame->m_hWnd, 0, 0, 700, 500, TRUE);
        ASSERT_TRUE(bar.Install(frame->m_hWnd, frame->m_hWndMDIClient, CMdiTabBar::kMainFrameStyle));
        EXPECT_FALSE(bar.Install(frame->m_hWnd, frame->m_hWndMDIClient, CMdiTabBar::kMainFrameStyle));
        GetClientRect(frame->m_hWnd, &area);
        bar.Layout(area);
    }
    void TearDown() override
    {
        if (frame) frame->DestroyWindow();
        wintest::Pump();
    }
    HWND Client() const { return frame->m_hWndMDIClient; }
    CMdiTabStrip& Strip() { return bar.GetStrip(); }
    HWND Create(const char* title)
    {
        MDICREATESTRUCTA mcs{};
        mcs.szClass = ChildClass();
        mcs.szTitle = title;
        mcs.hOwner = GetModuleHandleA(nullptr);
        mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
        return reinterpret_cast<HWND>(SendMessageA(Client(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    bool Maximized(HWND child)
    {
        BOOL bMax = FALSE;
        return reinterpret_cast<HWND>(SendMessageA(Client(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMax))) ==
                   child && bMax;
    }
    // Tabs appear within half a second; a little slack for the machine.
    template <class Pred>
    bool Soon(Pred done)
    {
        return wintest::PumpUntil(done, 800);
    }
    FxMDIFrame* frame = nullptr;
    CMdiTabBar bar;
    RECT area{};
};

}  // namespace

TEST_F(TabControlsMdi, TabsFollowTheChildrenTheirTitlesAndTheirVisibility)
{
    EXPECT_EQ(0, Strip().GetTabCount());
    HWND first = Create("first.asm");
    ASSERT_TRUE(first);
    ASSERT_TRUE(Soon([&] { return Strip().GetTabCount() == 1; }));
    EXPECT_EQ(first, Strip().GetTabWindow(0));
    EXPECT_EQ("first.asm", Strip().GetTabText(0));
    EXPECT_EQ(0, Strip().GetCurSel());
    EXPECT_TRUE(Maximized(first));

    // The strip takes the area; the MDI client lies inside it, above the row of tabs.
    const RECT strip = RectIn(Strip().m_hWnd, frame->m_hWnd), client = RectIn(Client(), frame->m_hWnd);
    EXPECT_TRUE(EqualRect(&strip, &area));
    RECT tab = Strip().GetItemRect(0);
    MapWindowPoints(Strip().m_hWnd, frame->m_hWnd, reinterpret_cast<POINT*>(&tab), 2);
    EXPECT_GE(client.left, strip.left + Strip().GetMargin());
    EXPECT_GE(client.top, strip.top + Strip().GetMargin());
    EXPECT_LE(client.right, strip.right - Strip().GetMargin());
    EXPECT_LE(client.bottom, tab.top - Strip().GetMargin());

    // A child made without WM_MDICREATE, answering the private message with its own tab text.
    HWND second = CreateWindowExA(WS_EX_MDICHILD, ChildClass(), "window text", WS_CHILD | WS_VISIBLE | WS_CAPTION,
                                  0, 0, 200, 150, Client(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SetPropA(second, kTabTextProp, const_cast<char*>(kChinese));
    ASSERT_TRUE(Soon([&] { return Strip().GetTabCount() == 2; }));
    EXPECT_EQ(kChinese, Strip().GetTabText(1));

    // The title follows a change of the window text.
    SetWindowTextA(first, "renamed.asm");
    EXPECT_TRUE(Soon([&] { return Strip().GetTabText(0) == "renamed.asm"; }));

    // A hidden window has no tab; shown again it gets one at the end.
    ShowWindow(second, SW_HIDE);
    EXPECT_TRUE(Soon([&] { return Strip().GetTabCount() == 1; }));
    ShowWindow(second, SW_SHOW);
    EXPECT_TRUE(Soon([&] { return Strip().GetTabCount() == 2 && Strip().GetTabWindow(1) == second; }));
    RemovePropA(second, kTabTextProp);

    // Destroyed windows lose their tabs at once, whichever way they go.
    SendMessageA(Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0);
    ASSERT_EQ(1, Strip().GetTabCount());
    EXPECT_EQ(second, Strip().GetTabWindow(0));
    DestroyWindow(second);
    EXPECT_EQ(0, Strip().GetTabCount());

    // Hiding the MDI client hides the strip with it, and the client gets the area back.
    ShowWindow(Client(), SW_HIDE);
    EXPECT_FALSE(GetWindowLongPtrA(Strip().m_hWnd, GWL_STYLE) & WS_VISIBLE);
    ShowWindow(Client(), SW_SHOW);
    EXPECT_TRUE(GetWindowLongPtrA(Strip().m_hWnd, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(TabControlsMdi, ClickActivatesDoubleClickMaximizesOrRestoresDragOverActivates)
{
    HWND a = Create("a.asm");
    HWND b = Create("b.asm");
    ASSERT_TRUE(Soon([&] { return Strip().GetTabCount() == 2; }));
    ASSERT_TRUE(Maximized(b));
    // Found in one pass, oldest first.
    ASSERT_EQ(a, Strip().GetTabWindow(0));
    EXPECT_EQ(1, Strip().GetCurSel());

    const LPARAM atA = At(Strip().GetItemRect(0));
    SendMessageA(Strip().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, atA);
    SendMessageA(Strip().m_hWnd, WM_LBUTTONUP, 0, atA);
    ASSERT_TRUE(Maximized(a));  // a maximized window hands its state to the one activated
    EXPECT_EQ(0, Strip().GetCurSel());

    SendMessageA(Strip().m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, atA);
    EXPECT_FALSE(Maximized(a));
    EXPECT_EQ(a, reinterpret_cast<HWND>(SendMessageA(Client(), WM_MDIGETACTIVE, 0, 0)));
    SendMessageA(Strip().m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, atA);
    EXPECT_TRUE(Maximized(a));

    // Dragging data over b's tab activates b; over no tab nothing changes.
    RECT tabB = Strip().GetItemRect(1);
    POINT overB{(tabB.left + tabB.right) / 2, (tabB.top + tabB.bottom) / 2};
    ClientToScreen(Strip().m_hWnd, &overB);
    EXPECT_TRUE(Strip().ActivateTabAt(overB));
    EXPECT_EQ(b, reinterpret_cast<HWND>(SendMessageA(Client(), WM_MDIGETACTIVE, 0, 0)));
    EXPECT_EQ(1, Strip().GetCurSel());
    POINT nowhere{0, 0};
    ClientToScreen(Strip().m_hWnd, &nowhere);
    EXPECT_FALSE(Strip().ActivateTabAt(nowhere));
}
