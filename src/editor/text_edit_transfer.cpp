// CTextEditView: the clipboard commands and both sides of dragging text.
#include "editor/text_edit_view.h"

void CTextEditView::OnCut()
{
    if (!QueryEditable() || !IsSelection()) return;
    const TextRange range = GetNormalizedSelection();
    std::string text;
    GetText(range.start, range.end, text);
    PutToClipboard(text);
    MoveCaretTo(range.start);
    DeleteRange(range, ACTION_CUT);
}

void CTextEditView::OnCopy()
{
    if (!IsSelection()) return;
    const TextRange range = GetNormalizedSelection();
    std::string text;
    GetText(range.start, range.end, text);
    PutToClipboard(text);
}

// The clipboard's text goes in unchanged: CR LF and a lone CR break lines, a lone LF stays in its
// line. A replaced selection is deleted even when the clipboard yields nothing.
void CTextEditView::OnPaste()
{
    if (!QueryEditable()) return;
    BeginUndoGroup(false);
    if (IsSelection()) DeleteSelection(ACTION_DELSEL);
    std::string text;
    TextPosition end;
    if (GetFromClipboard(text) && !text.empty() && InsertAt(GetCursorPos(), text, ACTION_PASTE, end)) MoveCaretTo(end);
    EndUndoGroup();
}

void CTextEditView::OnDropSource(DWORD dwEffect)
{
    if (dwEffect == DROPEFFECT_MOVE && m_bDraggingText)
        DeleteRange(Normalized(m_ptDraggedTextBegin, m_ptDraggedTextEnd), ACTION_DRAGDROP);
}

// The indicator is a caret of its own, two pixels wide; the view's caret comes back when it goes.
DWORD CTextEditView::OnDragOver(POINT pt, DWORD dwKeyState, bool bHasText)
{
    if (!QueryEditable() || !bHasText) {
        HideDropIndicator();
        return DROPEFFECT_NONE;
    }
    if (!m_bDropPosVisible) {
        ForgetCaret();
        CreateCaret(m_hWnd, nullptr, 2, GetLineHeight());
        m_bDropPosVisible = true;
        m_bDropCaretShown = false;
    }
    m_ptDropPos = ClientPointToText(pt);
    const bool visible = ExpandedColumn(m_ptDropPos) >= GetFirstColumn();
    if (visible) {
        const POINT at = TextPointToClient(m_ptDropPos);
        SetCaretPos(at.x, at.y);
    }
    if (visible != m_bDropCaretShown) visible ? ShowCaret(m_hWnd) : HideCaret(m_hWnd);
    m_bDropCaretShown = visible;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// One step per notification, the first edge that matches: top, bottom, left of the text, right.
bool CTextEditView::OnDragScroll(POINT pt)
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int topBefore = GetTopLine();
    const int columnBefore = GetFirstColumn();
    if (pt.y < rc.top + 5) ScrollLineUp();
    else if (pt.y >= rc.bottom - 5) ScrollLineDown();
    else if (pt.x < rc.left + GetMarginWidth() + 5) ScrollColumnLeft();
    else if (pt.x >= rc.right - 5) ScrollColumnRight();
    if (topBefore == GetTopLine() && columnBefore == GetFirstColumn()) return false;
    UpdateWindow(m_hWnd);
    return true;
}

void CTextEditView::HideDropIndicator()
{
    if (!m_bDropPosVisible) return;
    m_bDropPosVisible = m_bDropCaretShown = false;
    DestroyCaret();
    PlaceCaret();
}

// A drop inside the text being dragged, from this pane or another view of the same buffer,
// changes nothing.
bool CTextEditView::OnDrop(POINT pt, const std::string& text, bool bHasText)
{
    HideDropIndicator();
    if (!QueryEditable() || m_bDisableDragAndDrop || !bHasText) return false;
    const TextPosition drop = ClientPointToText(pt);
    if (IsInsideDraggedText(drop)) {
        MoveCaretTo(drop);
        return false;
    }
    TextPosition end;
    if (!InsertAt(drop, text, ACTION_DRAGDROP, end)) return false;
    SetAnchor(drop);
    SelectRange(drop, end);
    SetCursorPos(end);
    ScrollCaretIntoView(end);
    return true;
}
