// The welcome window: made by the main frame at start-up, and the page view drawn by the program
// itself (the browser engine is switched off in these tests, so this view is what runs).
#include <gtest/gtest.h>
#include "frame/background_view.h"
#include "fx/fx_mdichild.h"
#include "win/app/app_fixture.h"
#include <algorithm>

namespace {
std::vector<std::string> g_drawn;
std::vector<std::string> g_opened;
void RecordDrawn(const std::string& text) { g_drawn.push_back(text); }
void RecordOpened(const char* address) { g_opened.push_back(address); }

bool Drawn(const std::string& text) { return std::find(g_drawn.begin(), g_drawn.end(), text) != g_drawn.end(); }

// A welcome view in a plain window of its own, 800 x 500, its painting and web links recorded.
class WelcomeView : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_drawn.clear();
        g_opened.clear();
        CBackgroundView::SetTextDrawnHook(RecordDrawn);
        CBackgroundView::SetWebOpener(RecordOpened);
        host = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 820, 540, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(view->Create(host, 1));
        MoveWindow(view->m_hWnd, 0, 0, 800, 500, TRUE);
    }
    void TearDown() override
    {
        DestroyWindow(host);  // the view deletes itself with its window
        CBackgroundView::SetTextDrawnHook(nullptr);
        CBackgroundView::SetWebOpener(nullptr);
    }
    void Show(const std::string& path)
    {
        g_drawn.clear();
        view->Navigate(path);
        UpdateWindow(view->m_hWnd);
    }
    void Click(const std::string& text)
    {
        for (const WelcomePiece& piece : view->GetLayout().pieces)
            if (piece.text == text) {
                LPARAM at = MAKELPARAM((piece.rc.left + piece.rc.right) / 2, (piece.rc.top + piece.rc.bottom) / 2 - view->GetScrollTop());
                g_drawn.clear();
                SendMessageA(view->m_hWnd, WM_LBUTTONUP, 0, at);
                UpdateWindow(view->m_hWnd);
                return;
            }
        ADD_FAILURE() << "no piece " << text;
    }
    HWND host = nullptr;
    CBackgroundView* view = new CBackgroundView;
    wintest::TempDir dir;
};

std::string SourceFolder()
{
    char text[MAX_PATH] = {};
    GetEnvironmentVariableA("HALYARD_SOURCE", text, sizeof text);
    return text;
}
}  // namespace

using WelcomeApp = AppFixture;

TEST_F(WelcomeApp, IsTheFirstMdiChildMaximizedAndTitled)
{
    ASSERT_NE(nullptr, frame->m_pWelcomeFrame);
    HWND child = frame->m_pWelcomeFrame->m_hWnd;
    EXPECT_EQ(child, GetWindow(frame->m_hWndMDIClient, GW_CHILD));
    EXPECT_EQ(nullptr, GetWindow(child, GW_HWNDNEXT));
    char title[64] = {};
    GetWindowTextA(child, title, sizeof title);
    EXPECT_STREQ("Halyard MiniBBS", title);
    auto* view = dynamic_cast<CBackgroundView*>(frame->m_pWelcomeFrame->GetActiveView());
    ASSERT_NE(nullptr, view);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    EXPECT_EQ(std::string(folder) + "\\Halyard.htm", view->GetPagePath());
    // The tests run with Wine's browser engine off: the view draws the page itself.
    EXPECT_FALSE(view->IsShownByBrowser());
    // The maximizing finishes through posted messages.
    wintest::Pump();
    EXPECT_TRUE(IsZoomed(child));
    // Closed by the user, the window is forgotten.
    SendMessageA(child, WM_CLOSE, 0, 0);
    wintest::Pump();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(nullptr, frame->m_pWelcomeFrame);
}

TEST_F(WelcomeView, ShowsTheShippedPageAndScrolls)
{
    Show(SourceFolder() + "\\install\\Halyard.htm");
    EXPECT_TRUE(Drawn("欢迎使用 Halyard 汇编集成环境"));
    EXPECT_TRUE(Drawn("Ctrl+F7"));
    EXPECT_GT(view->GetLayout().height, 500);  // longer than the window: the bar scrolls it
    SendMessageA(view->m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(view->GetScrollTop(), 0);
    SendMessageA(view->m_hWnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(view->GetLayout().height - 500, view->GetScrollTop());
    SendMessageA(view->m_hWnd, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(0, view->GetScrollTop());
}

TEST_F(WelcomeView, LocalLinksOpenHereWebLinksInTheBrowser)
{
    std::string first = dir.Write("a.htm", "<p><a href='sub/b.htm#x'>next</a> <a href='http://example.org/'>web</a></p>");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    std::string second = dir.Write("sub\\b.htm", "<h1>Second &amp; last</h1>");
    Show(first);
    Click("web");
    EXPECT_EQ(std::vector<std::string>{"http://example.org/"}, g_opened);
    EXPECT_EQ(first, view->GetPagePath());
    Click("next");
    EXPECT_EQ(second, view->GetPagePath());
    EXPECT_TRUE(Drawn("Second & last"));
}

TEST_F(WelcomeView, MissingPageSaysSo)
{
    EXPECT_FALSE(view->Navigate(dir.File("none.htm")));
    UpdateWindow(view->m_hWnd);
    g_drawn.clear();
    InvalidateRect(view->m_hWnd, nullptr, TRUE);
    UpdateWindow(view->m_hWnd);
    EXPECT_TRUE(Drawn("page not found"));
    EXPECT_TRUE(Drawn(dir.File("none.htm")));
}
