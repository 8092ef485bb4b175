// Selection with the mouse: margin lines, words, automatic scrolling, the right button, the wheel.
#include "win/editor/editor_fixture.h"

#include "resource.h"

namespace edtest {
namespace {

class MouseSelection : public EditorTest {
protected:
    // Moves the real cursor and waits until the system reports it there and keeps it there: under
    // Wine a pointer warp settles only after the display server has answered it.
    void MoveCursor(POINT screen)
    {
        auto at = [&] {
            POINT now;
            GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        };
        for (int attempt = 0; attempt < 20; ++attempt) {
            SetCursorPos(screen.x, screen.y);
            for (int settle = 0; settle < 2; ++settle) {
                Sleep(50);
                wintest::Pump();
            }
            if (at()) return;
        }
        FAIL() << "the cursor did not move to " << screen.x << "," << screen.y;
    }
    void OpenLines(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i) text += "mov ax, " + std::to_string(i) + "\r\n";
        Open(text);
    }
};

TEST_F(MouseSelection, MarginClickSelectsTheLineWithItsBreak)
{
    Open("mov ax, 1\r\nint 21h\r\nend");
    Click(CellPoint(-1, 1));
    EXPECT_EQ((TextPosition{0, 1}), Selection().start);
    EXPECT_EQ((TextPosition{0, 2}), Selection().end);
    EXPECT_EQ((TextPosition{0, 1}), Caret());
    // The last line has no break to take.
    Click(CellPoint(-1, 2));
    EXPECT_EQ((TextPosition{0, 2}), Selection().start);
    EXPECT_EQ((TextPosition{3, 2}), Selection().end);
    // Dragging down the margin takes whole lines.
    Mouse(WM_LBUTTONDOWN, CellPoint(-1, 0), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, CellPoint(-1, 1), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CellPoint(-1, 1));
    EXPECT_EQ((TextPosition{0, 0}), Selection().start);
    EXPECT_EQ((TextPosition{0, 2}), Selection().end);
    // Ctrl selects the whole text.
    Click(CellPoint(-1, 1), MK_CONTROL);
    EXPECT_EQ((TextPosition{0, 0}), Selection().start);
    EXPECT_EQ((TextPosition{3, 2}), Selection().end);
    EXPECT_NE(m_pView->m_hWnd, GetCapture());
}

TEST_F(MouseSelection, ClicksAndWords)
{
    Open("    mov ax, bx_1\r\nint 21h");
    Click(CellPoint(9, 0));
    EXPECT_EQ((TextPosition{9, 0}), Caret());
    EXPECT_FALSE(m_pView->IsSelection());
    // Shift extends from the anchor.
    Click(CellPoint(4, 1), MK_SHIFT);
    EXPECT_EQ((TextPosition{9, 0}), Selection().start);
    EXPECT_EQ((TextPosition{4, 1}), Selection().end);
    // A double-click selects the word, with the caret at its end.
    Click(CellPoint(13, 0));
    Mouse(WM_LBUTTONDBLCLK, CellPoint(13, 0), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CellPoint(13, 0));
    EXPECT_EQ((TextPosition{12, 0}), Selection().start);
    EXPECT_EQ((TextPosition{16, 0}), Selection().end);
    EXPECT_EQ((TextPosition{16, 0}), Caret());
    // Ctrl+drag widens both ends to words.
    Mouse(WM_LBUTTONDOWN, CellPoint(5, 0), MK_LBUTTON | MK_CONTROL);
    Mouse(WM_MOUSEMOVE, CellPoint(9, 0), MK_LBUTTON | MK_CONTROL);
    Mouse(WM_LBUTTONUP, CellPoint(9, 0), MK_CONTROL);
    EXPECT_EQ((TextPosition{4, 0}), Selection().start);
    EXPECT_EQ((TextPosition{10, 0}), Selection().end);
}

TEST_F(MouseSelection, RightButtonMovesTheCaretOnlyOutsideTheSelection)
{
    Open("mov ax, bx");
    Select({4, 0}, {6, 0});
    Mouse(WM_RBUTTONDOWN, CellPoint(4, 0), MK_RBUTTON);
    EXPECT_EQ((TextPosition{4, 0}), Selection().start);
    EXPECT_EQ((TextPosition{6, 0}), Selection().end);
    Mouse(WM_RBUTTONDOWN, CellPoint(1, 0), MK_RBUTTON);
    EXPECT_FALSE(m_pView->IsSelection());
    EXPECT_EQ((TextPosition{1, 0}), Caret());
}

TEST_F(MouseSelection, DraggingAboveTheWindowScrollsOneThenThreeLinesATick)
{
    OpenLines(300);
    m_pView->ScrollToLine(100);
    Mouse(WM_LBUTTONDOWN, CellPoint(2, 105), MK_LBUTTON);
    ASSERT_EQ(m_pView->m_hWnd, GetCapture());
    KillTimer(m_pView->m_hWnd, 1001);  // the ticks below are the test's own
    POINT justAbove{CellPoint(2, 100).x, -m_pView->GetLineHeight() / 2};
    ClientToScreen(m_pView->m_hWnd, &justAbove);
    MoveCursor(justAbove);
    SendMessageA(m_pView->m_hWnd, WM_TIMER, 1001, 0);
    EXPECT_EQ(99, m_pView->GetTopLine());
    SendMessageA(m_pView->m_hWnd, WM_TIMER, 1001, 0);
    EXPECT_EQ(98, m_pView->GetTopLine());
    POINT wellAbove{CellPoint(2, 100).x, -3 * m_pView->GetLineHeight()};
    ClientToScreen(m_pView->m_hWnd, &wellAbove);
    MoveCursor(wellAbove);
    SendMessageA(m_pView->m_hWnd, WM_TIMER, 1001, 0);
    EXPECT_EQ(95, m_pView->GetTopLine());
    // The selection follows the cursor: from the line under it to the press.
    EXPECT_EQ(92, Selection().start.y);
    EXPECT_EQ((TextPosition{2, 105}), Selection().end);
    Mouse(WM_LBUTTONUP, {CellPoint(2, 100).x, -3 * m_pView->GetLineHeight()});
    EXPECT_NE(m_pView->m_hWnd, GetCapture());
    SendMessageA(m_pView->m_hWnd, WM_TIMER, 1001, 0);  // a late tick does nothing
    EXPECT_EQ(95, m_pView->GetTopLine());
}

TEST_F(MouseSelection, TheCursorShowsWhatAPressWouldDo)
{
    Open("mov ax, bx");
    Select({4, 0}, {6, 0});
    const struct {
        POINT at;
        HCURSOR expected;
    } cases[] = {
        {CellPoint(-1, 0), LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_MARGIN_CURSOR))},
        {CellPoint(1, 0), LoadCursorA(nullptr, IDC_IBEAM)},
        {CellPoint(4, 0), LoadCursorA(nullptr, IDC_ARROW)},  // over the selection: it can be dragged
    };
    for (const auto& c : cases) {
        POINT screen = c.at;
        ClientToScreen(m_pView->m_hWnd, &screen);
        MoveCursor(screen);
        SendMessageA(m_pView->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_pView->m_hWnd),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(c.expected, GetCursor()) << c.at.x;
    }
}

// The context menu is the Edit menu; a command chosen in it runs in the view.
TEST_F(MouseSelection, TheContextMenuRunsTheChosenCommand)
{
    Open("mov ax, bx\r\nint 21h");
    // Down to the seventh item (Select All; the separator is skipped), then Enter.
    for (int i = 0; i < 7; ++i) PostMessageA(m_pView->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(m_pView->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    POINT at = CellPoint(2, 0);
    ClientToScreen(m_pView->m_hWnd, &at);
    SendMessageA(m_pView->m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_pView->m_hWnd), MAKELPARAM(at.x, at.y));
    EXPECT_EQ((TextPosition{0, 0}), Selection().start);
    EXPECT_EQ((TextPosition{7, 1}), Selection().end);
}

TEST_F(MouseSelection, TheWheelScrollsFiveLinesANotch)
{
    OpenLines(300);
    SendMessageA(m_pView->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(5, m_pView->GetTopLine());
    SendMessageA(m_pView->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), 0);
    EXPECT_EQ(10, m_pView->GetTopLine());
    SendMessageA(m_pView->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(5, m_pView->GetTopLine());
    EXPECT_EQ((TextPosition{0, 0}), Caret());
}

}  // namespace
}  // namespace edtest
