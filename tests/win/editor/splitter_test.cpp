// The editor window's dynamic splitter: at most 2 x 2 panes of one buffer, positions shared along
// rows and columns, panes never smaller than 30 x 30, and a working view after closing panes.
#include "win/editor/editor_fixture.h"

#include "frame/child_frame.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"

namespace edtest {
namespace {

class Splitter : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bOle = SUCCEEDED(OleInitialize(nullptr));
        m_pFrame = new FxMDIFrame;
        if (!m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) {
            m_pFrame = nullptr;  // a frame whose creation failed may have deleted itself
            FAIL() << "the main frame could not be created";
        }
        MoveWindow(m_pFrame->m_hWnd, 0, 0, 900, 700, TRUE);
        ShowWindow(m_pFrame->m_hWnd, SW_SHOW);
        std::string text;
        for (int i = 0; i < 300; ++i) text += std::string(150, 'a' + i % 26) + "\r\n";
        m_pDoc = new CHalyardDoc;
        m_pDoc->m_bAutoDelete = false;
        ASSERT_TRUE(m_pDoc->OnOpenDocument(m_dir.Write("s.asm", text).c_str()));
        m_pChild = new CChildFrame;
        FxCreateContext context{[]() -> FxView* { return new CHalyardView; }, m_pDoc};
        ASSERT_TRUE(m_pChild->LoadFrame(IDR_HALYARDTYPE, WS_OVERLAPPEDWINDOW, m_pFrame, &context));
        m_pChild->InitialUpdateFrame(m_pDoc, true);
        ShowWindow(m_pChild->m_hWnd, SW_MAXIMIZE);
        wintest::Pump();
    }
    void TearDown() override
    {
        if (m_pFrame) m_pFrame->DestroyWindow();
        wintest::Pump();
        delete m_pDoc;
        if (m_bOle) OleUninitialize();
    }
    FxSplitterWnd& Split() { return m_pChild->m_wndSplitter; }
    CTextView* Pane(int row, int column) { return dynamic_cast<CTextView*>(Split().GetPane(row, column)); }
    bool Run(CTextView* pane, UINT id) { return pane->OnCmdMsg(id, 0); }

    wintest::TempDir m_dir;
    FxMDIFrame* m_pFrame = nullptr;
    CChildFrame* m_pChild = nullptr;
    CHalyardDoc* m_pDoc = nullptr;
    bool m_bOle = false;
};

TEST_F(Splitter, TwoByTwoPanesShareScrollPositionsAlongRowsAndColumns)
{
    ASSERT_TRUE(m_pChild->OnCmdMsg(ID_WINDOW_SPLIT, 0));
    ASSERT_EQ(2, Split().GetRowCount());
    ASSERT_EQ(2, Split().GetColumnCount());
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            ASSERT_NE(nullptr, Pane(r, c));
            EXPECT_EQ(&m_pDoc->GetBuffer(), Pane(r, c)->GetBuffer());
            RECT rc;
            GetClientRect(Pane(r, c)->m_hWnd, &rc);
            EXPECT_GE(rc.right, 30);
            EXPECT_GE(rc.bottom, 30);
        }
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Run(Pane(0, 0), ID_EDIT_SCROLL_DOWN));
    EXPECT_EQ(3, Pane(0, 1)->GetTopLine());
    EXPECT_EQ(0, Pane(1, 0)->GetTopLine());
    Pane(0, 0)->ScrollColumnRight();
    EXPECT_EQ(1, Pane(1, 0)->GetFirstColumn());
    EXPECT_EQ(0, Pane(0, 1)->GetFirstColumn());
    // The shared scroll bar of the second row moves both of its panes.
    HWND rowBar = Split().GetScrollBarOf(Split().GetPane(1, 0), SB_VERT);
    ASSERT_NE(nullptr, rowBar);
    SendMessageA(Split().m_hWnd, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(rowBar));
    EXPECT_EQ(1, Pane(1, 0)->GetTopLine());
    EXPECT_EQ(1, Pane(1, 1)->GetTopLine());
    EXPECT_EQ(3, Pane(0, 0)->GetTopLine());
    // An edit in one pane shows in all: they are views of one buffer.
    Pane(1, 1)->MoveCaretTo({0, 5});
    SendMessageA(Pane(1, 1)->m_hWnd, WM_CHAR, 'z', 1);
    EXPECT_EQ('z', m_pDoc->GetBuffer().GetLine(5)[0]);
    Pane(0, 0)->MoveCaretTo({3, 5});
    SendMessageA(Pane(1, 1)->m_hWnd, WM_CHAR, 'y', 1);
    EXPECT_EQ((TextPosition{4, 5}), Pane(0, 0)->GetCursorPos());
}

TEST_F(Splitter, PanesAreNeverSplitBelowThirtyPixels)
{
    RECT rc;
    GetClientRect(Split().m_hWnd, &rc);
    EXPECT_FALSE(Split().SplitRow(29));
    EXPECT_FALSE(Split().SplitColumn(10));
    EXPECT_FALSE(Split().SplitRow(rc.bottom - 40));
    EXPECT_EQ(1, Split().GetRowCount());
    EXPECT_TRUE(Split().SplitRow(100));
    EXPECT_FALSE(Split().SplitRow(200));  // two rows at most
    EXPECT_EQ(2, Split().GetRowCount());
    // Dragging the bar between the rows to the top closes the upper row.
    RECT upper;
    GetWindowRect(Pane(0, 0)->m_hWnd, &upper);
    MapWindowPoints(nullptr, Split().m_hWnd, reinterpret_cast<POINT*>(&upper), 2);
    const LPARAM bar = MAKELPARAM(50, upper.bottom + 2);
    SendMessageA(Split().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, bar);
    SendMessageA(Split().m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 10));
    SendMessageA(Split().m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
    EXPECT_EQ(1, Split().GetRowCount());
}

TEST_F(Splitter, ClosingPanesLeavesAWorkingView)
{
    ASSERT_TRUE(m_pChild->OnCmdMsg(ID_WINDOW_SPLIT, 0));
    CTextView* kept = Pane(1, 1);
    SetFocus(kept->m_hWnd);
    EXPECT_EQ(kept, m_pChild->GetActiveView());
    Split().DeleteRow(0);
    Split().DeleteColumn(0);
    ASSERT_EQ(1, Split().GetRowCount());
    ASSERT_EQ(1, Split().GetColumnCount());
    EXPECT_EQ(kept, Pane(0, 0));
    EXPECT_EQ(kept, m_pChild->GetActiveView());
    EXPECT_EQ(kept->m_hWnd, GetFocus());
    RECT rc;
    GetClientRect(kept->m_hWnd, &rc);
    EXPECT_GT(rc.right, 400);
    kept->MoveCaretTo({0, 0});
    SendMessageA(kept->m_hWnd, WM_CHAR, 'q', 1);
    EXPECT_EQ('q', m_pDoc->GetBuffer().GetLine(0)[0]);
    EXPECT_EQ(1u, m_pDoc->GetViews().size());
    // Split again, and Window > Split goes back to the single active pane.
    ASSERT_TRUE(m_pChild->OnCmdMsg(ID_WINDOW_SPLIT, 0));
    EXPECT_EQ(4u, m_pDoc->GetViews().size());
    SetFocus(Pane(0, 1)->m_hWnd);
    CTextView* active = Pane(0, 1);
    ASSERT_TRUE(m_pChild->OnCmdMsg(ID_WINDOW_SPLIT, 0));
    EXPECT_EQ(active, Pane(0, 0));
    EXPECT_EQ(1u, m_pDoc->GetViews().size());
}

// Dragging "ax" out of the top pane and dropping it on the same text in the bottom pane changes
// nothing, as a drop on the dragged text in its own pane does; elsewhere the move happens.
TEST_F(Splitter, ADropOnTheDraggedTextThroughAnotherPaneChangesNothing)
{
    CHalyardDoc doc;
    doc.m_bAutoDelete = false;
    ASSERT_TRUE(doc.OnOpenDocument(m_dir.Write("d.asm", "mov ax, bx\r\nint 21h").c_str()));
    auto* child = new CChildFrame;
    FxCreateContext context{[]() -> FxView* { return new CLoopbackView; }, &doc};
    ASSERT_TRUE(child->LoadFrame(IDR_HALYARDTYPE, WS_OVERLAPPEDWINDOW, m_pFrame, &context));
    child->InitialUpdateFrame(&doc, true);
    ShowWindow(child->m_hWnd, SW_MAXIMIZE);
    ASSERT_TRUE(child->m_wndSplitter.SplitRow(120));
    wintest::Pump();
    auto* top = dynamic_cast<CLoopbackView*>(child->m_wndSplitter.GetPane(0, 0));
    auto* bottom = dynamic_cast<CLoopbackView*>(child->m_wndSplitter.GetPane(1, 0));
    ASSERT_TRUE(top && bottom);
    for (int column : {5, 4, 1}) {
        top->drop = [&](IDataObject* data, DWORD) { return DropOn(bottom, data, CellOf(bottom, column, 0), 0); };
        top->SelectRange({4, 0}, {6, 0});
        const POINT at = CellOf(top, 5, 0);
        for (UINT msg : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP})
            SendMessageA(top->m_hWnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
        if (column != 1) EXPECT_EQ("mov ax, bx", std::string(doc.GetBuffer().GetLine(0))) << column;
    }
    EXPECT_EQ("maxov , bx", std::string(doc.GetBuffer().GetLine(0)));
    child->DestroyWindow();
    wintest::Pump();
}

// A pane whose memory, once deleted, is kept and filled with the window handle of a live view
// in another window: a close that still reads a deleted pane finds that window and closes it.
class CPoisonedPane : public CHalyardView {
public:
    static HWND s_hPoison;
    static std::vector<void*> s_graveyard;
    static void operator delete(void* p, std::size_t size)
    {
        auto* slots = static_cast<HWND*>(p);
        for (std::size_t i = 0; i < size / sizeof(HWND); ++i) slots[i] = s_hPoison;
        s_graveyard.push_back(p);
    }
    static void Bury()
    {
        for (void* p : s_graveyard) ::operator delete(p);
        s_graveyard.clear();
    }
};
HWND CPoisonedPane::s_hPoison = nullptr;
std::vector<void*> CPoisonedPane::s_graveyard;

// Every route that closes a split window, with the document deleting itself as it does in the
// program: the window, its panes and the document go, and nothing else does.
TEST_F(Splitter, ClosingASplitWindowTouchesNoDeletedPane)
{
    enum class Route { CloseWindow, FileClose, Exit };
    CPoisonedPane::s_hPoison = Pane(0, 0)->m_hWnd;
    for (Route route : {Route::CloseWindow, Route::FileClose, Route::Exit})
        for (bool fourPanes : {false, true}) {
            auto* doc = new CHalyardDoc;
            ASSERT_TRUE(doc->OnOpenDocument(m_dir.Write("t.asm", "mov ax, bx\r\n").c_str()));
            auto* child = new CChildFrame;
            FxCreateContext context{[]() -> FxView* { return new CPoisonedPane; }, doc};
            ASSERT_TRUE(child->LoadFrame(IDR_HALYARDTYPE, WS_OVERLAPPEDWINDOW, m_pFrame, &context));
            child->InitialUpdateFrame(doc, true);
            wintest::Pump();
            if (fourPanes) ASSERT_TRUE(child->OnCmdMsg(ID_WINDOW_SPLIT, 0));
            else ASSERT_TRUE(child->m_wndSplitter.SplitRow(100));
            ASSERT_EQ(fourPanes ? 4u : 2u, doc->GetViews().size());
            const HWND window = child->m_hWnd;
            if (route == Route::CloseWindow) SendMessageA(window, WM_CLOSE, 0, 0);
            else if (route == Route::FileClose) ASSERT_TRUE(doc->OnCmdMsg(ID_FILE_CLOSE, 0));
            else doc->OnCloseDocument();
            wintest::Pump();
            EXPECT_FALSE(IsWindow(window));
            EXPECT_EQ(fourPanes ? 4u : 2u, CPoisonedPane::s_graveyard.size());
            EXPECT_TRUE(IsWindow(m_pChild->m_hWnd)) << "another window was closed through a deleted pane";
            CPoisonedPane::Bury();
            if (!IsWindow(m_pChild->m_hWnd)) return;
        }
}

}  // namespace
}  // namespace edtest
