// CTextView: selection with the mouse by characters, words and lines, automatic scrolling while
// the button is held outside the window, and the start of a drag of the selected text.
#include "editor/text_view.h"

#include "core/editor/view_geometry.h"
#include "core/editor/word_bounds.h"
#include "resource.h"

namespace {
const UINT_PTR kDragSelTimer = 1001;
const UINT kDragSelPeriod = 100;
}  // namespace

void CTextView::StartMouseSelection()
{
    SetCapture(m_hWnd);
    m_nDragSelTimer = SetTimer(m_hWnd, kDragSelTimer, kDragSelPeriod, nullptr);
    m_bDragSelection = true;
}

void CTextView::EndMouseSelection()
{
    m_bDragSelection = false;
    if (m_nDragSelTimer) KillTimer(m_hWnd, m_nDragSelTimer);
    m_nDragSelTimer = 0;
    if (GetCapture() == m_hWnd) ReleaseCapture();
}

// Line mode takes whole lines, word mode widens both ends to word boundaries, character mode
// runs from the anchor to the hit position.
void CTextView::SelectByMouseMode(TextPosition ptHit)
{
    if (m_bLineSelection && m_pTextBuffer) {
        const LineSelection lines = SelectLines(*m_pTextBuffer, m_ptAnchor.y, ptHit.y);
        SetCursorPos(lines.caret);
        SelectRange(lines.selStart, lines.selEnd);
        return;
    }
    if (m_bWordSelection) {
        const bool before = ptHit < m_ptAnchor;
        const TextPosition from = before ? ptHit : m_ptAnchor;
        const TextPosition to = before ? m_ptAnchor : ptHit;
        const TextPosition start{WordStartPos(GetLineChars(from.y), from.x), from.y};
        const TextPosition end{WordEndPos(GetLineChars(to.y), to.x), to.y};
        SetCursorPos(end);
        SelectRange(start, end);
        return;
    }
    SetCursorPos(ptHit);
    SelectRange(m_ptAnchor, m_ptCursorPos);
}

void CTextView::OnLButtonDown(POINT pt, UINT nFlags)
{
    if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
    const bool shift = (nFlags & MK_SHIFT) != 0;
    const bool ctrl = (nFlags & MK_CONTROL) != 0;
    const TextPosition hit = ClientPointToText({pt.x + GetCharWidth() / 2, pt.y});
    m_bWordSelection = m_bLineSelection = false;
    if (m_bSelMargin && pt.x >= GetMarginWidth() - kMarginIconColumn && pt.x < GetMarginWidth() && !shift && !ctrl)
        return ToggleBreakpointAt(hit.y);
    if (pt.x < GetMarginWidth()) {
        if (ctrl) return SelectAll();
        if (!shift) m_ptAnchor = {0, hit.y};
        m_bLineSelection = true;
    } else if (!m_bDisableDragAndDrop && IsInsideSelection(hit)) {
        m_bPreparingToDrag = true;
        return;
    } else {
        if (!shift) m_ptAnchor = hit;
        m_bWordSelection = ctrl;
    }
    SelectByMouseMode(hit);
    StartMouseSelection();
}

// The icon column toggles the line's breakpoint: the caret goes to the line and the debugger's
// command runs as F9 would, through the window that owns the view.
void CTextView::ToggleBreakpointAt(int line)
{
    const TextPosition start{0, line};
    SetCursorPos(start);
    SelectRange(start, start);
    m_ptAnchor = start;
    SendMessageA(GetAncestor(m_hWnd, GA_ROOT), WM_COMMAND, ID_DEBUG_TOGGLE_BREAKPOINT, 0);
}

void CTextView::OnLButtonDblClk(POINT pt)
{
    if (m_bDragSelection) return;
    if (pt.x < GetMarginWidth()) return OnLButtonDown(pt, 0);
    const TextPosition hit = ClientPointToText({pt.x + GetCharWidth() / 2, pt.y});
    m_ptAnchor = hit;
    m_bLineSelection = false;
    m_bWordSelection = true;
    SelectByMouseMode(hit);
    StartMouseSelection();
}

void CTextView::OnMouseMove(POINT pt)
{
    if (m_bDragSelection) {
        SelectByMouseMode(ClientPointToText({pt.x + GetCharWidth() / 2, pt.y}));
        return;
    }
    if (m_bPreparingToDrag) {
        m_bPreparingToDrag = false;
        StartTextDrag();
    }
}

void CTextView::OnLButtonUp(POINT pt)
{
    const TextPosition hit = ClientPointToText({pt.x + GetCharWidth() / 2, pt.y});
    if (m_bDragSelection) {
        SelectByMouseMode(hit);
        EndMouseSelection();
    } else if (m_bPreparingToDrag) {
        m_bPreparingToDrag = false;
        MoveCaretTo(hit);
    }
}

void CTextView::OnRButtonDown(POINT pt)
{
    if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
    const TextPosition hit = ClientPointToText({pt.x + GetCharWidth() / 2, pt.y});
    if (!IsInsideSelection(hit)) MoveCaretTo(hit);
}

void CTextView::OnTimer(UINT_PTR nId)
{
    if (nId != kDragSelTimer || !m_bDragSelection) return;
    POINT pt;
    ::GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const bool lines = ScrollLinesBy(AutoScrollLines(pt.y, rc.top, rc.bottom, GetLineHeight()));
    const bool columns = ScrollColumnsBy(AutoScrollColumns(pt.x, rc.left, rc.right));
    if (!lines && !columns) return;
    SelectByMouseMode(ClientPointToText({pt.x + GetCharWidth() / 2, pt.y}));
}
