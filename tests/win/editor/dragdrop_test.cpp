// Dragged text through the view's drop target: effects, insertion, a move within the view as one
// undo group, and a drop on the dragged text itself.
#include "win/editor/editor_fixture.h"

#include "editor/clipboard_text.h"
#include "editor/text_drag_source.h"
#include "resource.h"

#include <stdexcept>

namespace edtest {
namespace {

using Lines_ = std::vector<std::string>;

class DragDrop : public EditorTest {
protected:
    POINTL Screen(int column, int line)
    {
        POINT pt = CellPoint(column, line);
        ClientToScreen(m_pView->m_hWnd, &pt);
        return {pt.x, pt.y};
    }
    DWORD DropAt(IDataObject* data, int column, int line, DWORD keys)
    {
        return DropOn(m_pView, data, CellPoint(column, line), keys);
    }
    // Presses inside the selection and moves: the view drags its selection out.
    void DragSelectionFrom(int column, int line)
    {
        Mouse(WM_LBUTTONDOWN, CellPoint(column, line), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, CellPoint(column, line), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, CellPoint(column, line));
    }
};

TEST_F(DragDrop, TheTargetInsertsAndSelectsDroppedText)
{
    Open("mov ax, bx\r\nint 21h");
    IDropTarget* target = m_pView->GetDropTarget();
    ASSERT_NE(nullptr, target);
    IDataObject* data = CreateTextDataObject(MakeTextBlock("push "));
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, 0, Screen(0, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_CONTROL, Screen(0, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    target->DragLeave();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), DropAt(data, 0, 1, 0));
    EXPECT_EQ((Lines_{"mov ax, bx", "push int 21h"}), Lines());
    EXPECT_EQ((TextPosition{0, 1}), Selection().start);
    EXPECT_EQ((TextPosition{5, 1}), Selection().end);
    EXPECT_EQ((TextPosition{5, 1}), Caret());
    // A read-only buffer takes nothing.
    Buffer().SetReadOnly(true);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), DropAt(data, 0, 0, 0));
    EXPECT_EQ((Lines_{"mov ax, bx", "push int 21h"}), Lines());
    data->Release();
}

TEST_F(DragDrop, AMoveWithinTheViewIsOneUndoGroup)
{
    auto* view = new CLoopbackView;
    view->drop = [this](IDataObject* data, DWORD effects) {
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE), effects);
        return DropAt(data, 4, 1, 0);
    };
    Open("mov ax, bx\r\nint 21h", view);
    Select({4, 0}, {6, 0});
    DragSelectionFrom(5, 0);
    EXPECT_EQ((Lines_{"mov , bx", "int ax21h"}), Lines());
    EXPECT_EQ((TextPosition{4, 1}), Selection().start);
    EXPECT_EQ((TextPosition{6, 1}), Selection().end);
    EXPECT_EQ("&Undo Drag And Drop\tCtrl+Z", MenuText(ID_EDIT_UNDO));
    ASSERT_TRUE(Command(ID_EDIT_UNDO));
    EXPECT_EQ((Lines_{"mov ax, bx", "int 21h"}), Lines());
    EXPECT_FALSE(Buffer().CanUndo());
}

TEST_F(DragDrop, CtrlCopiesAndADropOnTheDraggedTextChangesNothing)
{
    auto* view = new CLoopbackView;
    int column = 0;
    DWORD keys = 0;
    view->drop = [&](IDataObject* data, DWORD) { return DropAt(data, column, 0, keys); };
    Open("mov ax, bx", view);
    Select({4, 0}, {6, 0});
    column = 5;
    DragSelectionFrom(5, 0);
    EXPECT_EQ(Lines_{"mov ax, bx"}, Lines());
    EXPECT_FALSE(Buffer().CanUndo());
    EXPECT_EQ((TextPosition{5, 0}), Caret());
    Select({4, 0}, {6, 0});
    column = 10;
    keys = MK_CONTROL;
    DragSelectionFrom(5, 0);
    EXPECT_EQ(Lines_{"mov ax, bxax"}, Lines());
}

// A view whose painting or editing check throws, as a fault deep inside either would.
class CThrowingView : public CHalyardView {
public:
    bool m_bThrow = true;
    bool QueryEditable() const override { return m_bThrow ? throw std::runtime_error("edit") : true; }

protected:
    void PaintLine(HDC dc, const RECT& rc, int line) override
    {
        if (m_bThrow) throw std::runtime_error("paint");
        CHalyardView::PaintLine(dc, rc, line);
    }
};

// No exception leaves a paint or a drop: the drop is refused with an error to the system's drag
// loop, the paint still ends (nothing left to repaint), and the view works once the fault is gone.
TEST_F(DragDrop, ExceptionsStopAtThePaintAndDropBoundaries)
{
    auto* view = new CThrowingView;
    Open("mov ax, bx", view);
    IDataObject* data = CreateTextDataObject(MakeTextBlock("push "));
    IDropTarget* target = view->GetDropTarget();
    DWORD effect = DROPEFFECT_MOVE;
    POINT at = CellPoint(0, 0);
    ClientToScreen(view->m_hWnd, &at);
    EXPECT_EQ(E_UNEXPECTED, target->DragEnter(data, 0, {at.x, at.y}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    EXPECT_EQ(E_UNEXPECTED, target->Drop(data, 0, {at.x, at.y}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    EXPECT_EQ(Lines_{"mov ax, bx"}, Lines());

    InvalidateRect(view->m_hWnd, nullptr, FALSE);
    UpdateWindow(view->m_hWnd);
    EXPECT_FALSE(GetUpdateRect(view->m_hWnd, nullptr, FALSE));
    view->m_bThrow = false;
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), DropAt(data, 0, 0, 0));
    EXPECT_EQ(Lines_{"push mov ax, bx"}, Lines());
    data->Release();
}

}  // namespace
}  // namespace edtest
