// Dialogs as windows of the framework: a page made by class name inside another window, its
// keyboard navigation from the message loop, its buttons through its command table, and the
// answers of its notification handlers reaching the controls.
#include <gtest/gtest.h>
#include "fx/fx_app.h"
#include "fx/fx_class_registry.h"
#include "fx/fx_dialog.h"
#include "resource.h"
#include "win/win_test_util.h"
#include <commctrl.h>

namespace {
const UINT kTree = 7001;

class CTestPage : public FxDialog {
public:
    CTestPage() : FxDialog(IDD_FIND)
    {
        OnCommand(IDOK, [this] { ++m_nEnter; });
        OnNotify(kTree, static_cast<UINT>(NM_DBLCLK), [this](NMHDR&) -> LRESULT {
            ++m_nDoubleClicks;
            return m_answer;
        });
    }
    int m_nEnter = 0;
    int m_nDoubleClicks = 0;
    LRESULT m_answer = 0;
};

class TestApp : public FxApp {
public:
    bool InitInstance() override { return true; }
};

MSG Key(HWND to, UINT vk)
{
    MSG msg{};
    msg.hwnd = to;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    return msg;
}

TEST(DialogPage, MadeByNameInsideAWindowWithNavigationCommandsAndNotificationAnswers)
{
    TestApp app;
    ASSERT_TRUE(app.Classes().Register<CTestPage>("CTestPage"));
    EXPECT_FALSE(app.Classes().Register<CTestPage>("CTestPage"));
    EXPECT_EQ(nullptr, app.Classes().Create("CNoSuchPage"));
    HWND host = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::unique_ptr<FxDialog> made = app.Classes().Create("CTestPage");
    auto* page = dynamic_cast<CTestPage*>(made.get());
    ASSERT_NE(nullptr, page);
    ASSERT_TRUE(page->CreatePage(host, 135));
    EXPECT_EQ(host, GetParent(page->m_hWnd));
    EXPECT_TRUE(GetWindowLongPtrA(page->m_hWnd, GWL_STYLE) & WS_CHILD);

    // Tab moves on within the page; a key of a window outside any page is left alone.
    SetFocus(page->GetItem(IDC_FIND_WHAT));
    MSG tab = Key(page->GetItem(IDC_FIND_WHAT), VK_TAB);
    EXPECT_TRUE(app.PreTranslateMessage(tab));
    EXPECT_EQ(page->GetItem(IDC_WHOLE_WORD), GetFocus());
    MSG outside = Key(host, VK_TAB);
    EXPECT_FALSE(app.PreTranslateMessage(outside));
    // Enter reaches the page's command table; Escape does not end a page.
    SetFocus(page->GetItem(IDC_FIND_WHAT));
    MSG enter = Key(page->GetItem(IDC_FIND_WHAT), VK_RETURN);
    EXPECT_TRUE(app.PreTranslateMessage(enter));
    wintest::Pump();
    EXPECT_EQ(1, page->m_nEnter);
    MSG escape = Key(page->GetItem(IDC_FIND_WHAT), VK_ESCAPE);
    app.PreTranslateMessage(escape);
    wintest::Pump();
    EXPECT_TRUE(IsWindow(page->m_hWnd));

    // A tree's double-click: the handler's answer reaches the tree, which expands or collapses
    // the item only when the answer is 0.
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 100, 200, 100,
                                page->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTree)),
                                GetModuleHandleA(nullptr), nullptr);
    TVINSERTSTRUCTA ins{};
    ins.hParent = TVI_ROOT;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>("root");
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&ins));
    ins.hParent = root;
    ins.item.pszText = const_cast<char*>("child");
    SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&ins);
    RECT rc{};
    *reinterpret_cast<HTREEITEM*>(&rc) = root;
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc);
    const LPARAM at = MAKELPARAM(rc.left + 2, (rc.top + rc.bottom) / 2);
    auto expanded = [&] { return (SendMessageA(tree, TVM_GETITEMSTATE, (WPARAM)root, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; };
    for (LRESULT answer : {LRESULT(1), LRESULT(0)}) {
        page->m_answer = answer;
        const bool before = expanded();
        // A button press would start the tree's drag detection, which waits for real input.
        SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        EXPECT_EQ(answer == 0 ? !before : before, expanded()) << "answer " << answer;
    }
    EXPECT_EQ(2, page->m_nDoubleClicks);
    NMHDR other{tree, kTree, static_cast<UINT>(NM_RCLICK)};
    EXPECT_EQ(0, SendMessageA(page->m_hWnd, WM_NOTIFY, kTree, (LPARAM)&other));
    DestroyWindow(host);
    EXPECT_EQ(nullptr, page->m_hWnd);
}

}  // namespace
