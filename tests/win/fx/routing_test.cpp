// Command routing and update handlers of the framework: view, document, child frame, main frame,
// application, in that order; a command nobody handles shows disabled.
#include <gtest/gtest.h>
#include "fx/fx_app.h"
#include "fx/fx_doc.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include "win/win_test_util.h"
#include <string>

namespace {
std::string g_log;
bool g_checked = false;

enum : UINT { kViewAndFrame = 40001, kDocAndFrame = 40002, kAppOnly = 40003, kChecked = 40010, kNobody = 40099 };

class TestApp : public FxApp {
public:
    TestApp()
    {
        OnCommand(kAppOnly, [] { g_log += "app;"; });
        OnCommand(kViewAndFrame, [] { g_log += "app;"; });
    }
    bool InitInstance() override { return true; }
};

class TestFrame : public FxMDIFrame {
public:
    TestFrame()
    {
        OnCommand(kViewAndFrame, [] { g_log += "frame;"; });
        OnCommand(kDocAndFrame, [] { g_log += "frame;"; });
        OnUpdate(kChecked, [](FxCmdUI& ui) { ui.SetCheck(g_checked); });
    }
};

class TestDoc : public FxDocument {
public:
    TestDoc() { OnCommand(kDocAndFrame, [] { g_log += "doc;"; }); }
};

class TestView : public FxView {
public:
    TestView() { OnCommand(kViewAndFrame, [] { g_log += "view;"; }); }
    // Takes Ctrl+C, as a control hosted in a view does.
    bool PreTranslateMessage(MSG& msg) override
    {
        if (msg.message != WM_KEYDOWN || msg.wParam != 'C') return false;
        g_log += "view key;";
        return true;
    }
};

FxDocument* MakeDoc() { return new TestDoc; }
FxMDIChild* MakeChild() { return new FxMDIChild; }
FxView* MakeView() { return new TestView; }

UINT StateOf(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

class Routing : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        g_checked = false;
        app.SetDocManager(new FxDocManager);
        tmpl = new FxDocTemplate(IDR_HALYARDTYPE, MakeDoc, MakeChild, MakeView);
        ASSERT_TRUE(tmpl->Load());
        app.GetDocManager()->AddDocTemplate(tmpl);
        frame = new TestFrame;
        app.SetMainFrame(frame);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    }
    void TearDown() override
    {
        if (app.GetMainFrame()) app.GetMainFrame()->DestroyWindow();
        wintest::Pump();
    }
    TestApp app;
    FxDocTemplate* tmpl = nullptr;
    TestFrame* frame = nullptr;
};
}  // namespace

TEST_F(Routing, ViewThenDocumentThenFrameThenApplication)
{
    FxDocument* doc = tmpl->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, doc);
    wintest::Pump();
    EXPECT_TRUE(frame->RouteCmdMsg(kViewAndFrame, 0));
    EXPECT_TRUE(frame->RouteCmdMsg(kDocAndFrame, 0));
    EXPECT_TRUE(frame->RouteCmdMsg(kAppOnly, 0));
    EXPECT_FALSE(frame->RouteCmdMsg(kNobody, 0));
    EXPECT_EQ("view;doc;app;", g_log);

    // With the document closed the frame is next in line.
    doc->OnCloseDocument();
    wintest::Pump();
    g_log.clear();
    EXPECT_TRUE(frame->RouteCmdMsg(kViewAndFrame, 0));
    EXPECT_TRUE(frame->RouteCmdMsg(kDocAndFrame, 0));
    EXPECT_EQ("frame;frame;", g_log);
}

TEST_F(Routing, MenuItemsTakeTheirStateFromUpdateHandlers)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kAppOnly, "app");
    AppendMenuA(menu, MF_STRING, kNobody, "nobody");
    AppendMenuA(menu, MF_STRING, kChecked, "checked");
    frame->UpdateMenuItems(menu);
    EXPECT_FALSE(StateOf(menu, kAppOnly) & MF_GRAYED);
    EXPECT_TRUE(StateOf(menu, kNobody) & MF_GRAYED);
    EXPECT_FALSE(StateOf(menu, kChecked) & MF_CHECKED);
    g_checked = true;
    frame->UpdateMenuItems(menu);
    EXPECT_TRUE(StateOf(menu, kChecked) & MF_CHECKED);
    g_checked = false;
    frame->UpdateMenuItems(menu);
    EXPECT_FALSE(StateOf(menu, kChecked) & MF_CHECKED);
    DestroyMenu(menu);
}

TEST_F(Routing, ModifiedDocumentShowsAnAsteriskInItsTitle)
{
    FxDocument* doc = tmpl->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, doc);
    FxMDIChild* child = frame->GetActiveChild();
    ASSERT_NE(nullptr, child);
    char title[256];
    GetWindowTextA(child->m_hWnd, title, sizeof title);
    EXPECT_STREQ("New ASM File", title);
    doc->SetModifiedFlag(true);
    GetWindowTextA(child->m_hWnd, title, sizeof title);
    EXPECT_STREQ("New ASM File *", title);
    // The document menu replaces the frame menu while its window is active.
    EXPECT_EQ(tmpl->GetMenu(), GetMenu(frame->m_hWnd));
    doc->SetModifiedFlag(false);
    doc->OnCloseDocument();
    wintest::Pump();
    EXPECT_NE(tmpl->GetMenu(), GetMenu(frame->m_hWnd));
}

TEST_F(Routing, FailedOpenReportsAndLeavesNoWindowAndNoDocument)
{
    static std::string shown;
    shown.clear();
    FxSetMessageBoxHook([](const char* text, UINT) {
        shown = text;
        return IDOK;
    });
    EXPECT_EQ(nullptr, tmpl->OpenDocumentFile("Z:\\no\\such\\folder\\missing.asm"));
    FxSetMessageBoxHook(nullptr);
    wintest::Pump();
    EXPECT_NE(std::string::npos, shown.find("missing.asm")) << shown;
    EXPECT_TRUE(tmpl->GetDocuments().empty());
    EXPECT_EQ(nullptr, frame->GetActiveChild());
}

// A key goes to the active view first while the focus is in it or in a window inside it (a hosted
// control), before the frame's accelerators; elsewhere the view is not asked.
TEST_F(Routing, KeysGoToTheViewFirstWhileTheFocusIsInIt)
{
    ASSERT_NE(nullptr, tmpl->OpenDocumentFile(nullptr));
    wintest::Pump();
    FxView* view = frame->GetActiveView();
    ASSERT_NE(nullptr, view);
    HWND inside = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, view->m_hWnd, nullptr, nullptr, nullptr);
    for (HWND focus : {view->m_hWnd, inside}) {
        g_log.clear();
        SetFocus(focus);
        MSG key{focus, WM_KEYDOWN, 'C', 1};
        EXPECT_TRUE(app.PreTranslateMessage(key));
        EXPECT_EQ("view key;", g_log);
    }
    HWND outside = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame->m_hWnd, nullptr, nullptr, nullptr);
    g_log.clear();
    SetFocus(outside);
    MSG key{outside, WM_KEYDOWN, 'C', 1};
    app.PreTranslateMessage(key);
    EXPECT_EQ("", g_log);
    DestroyWindow(inside);
    DestroyWindow(outside);
}
