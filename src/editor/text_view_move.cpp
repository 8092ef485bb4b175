// CTextView: the caret movement commands. Each one steps over double-byte characters whole.
#include "editor/text_view.h"

#include "core/editor/char_steps.h"
#include "core/editor/text_columns.h"
#include "core/editor/word_bounds.h"

// Records the new ideal column unless asked to keep it (vertical moves), scrolls the caret into
// view, and selects from the anchor (moved onto the caret unless extending) to the caret.
void CTextView::FinishMove(TextPosition pt, bool bExtend, bool bKeepIdeal)
{
    const int ideal = m_nIdealCharPos;
    SetCursorPos(pt);
    if (bKeepIdeal) m_nIdealCharPos = ideal;
    ScrollCaretIntoView(m_ptCursorPos);
    PlaceCaret();
    if (!bExtend) m_ptAnchor = m_ptCursorPos;
    SelectRange(m_ptAnchor, m_ptCursorPos);
}

void CTextView::MoveCaretLeft(bool bExtend)
{
    TextPosition pt = m_ptCursorPos;
    if (IsSelection() && !bExtend) pt = GetNormalizedSelection().start;
    else if (pt.x > 0) pt.x = PrevCharPos(GetLineChars(pt.y), pt.x);
    else if (pt.y > 0) pt = {GetLineLength(pt.y - 1), pt.y - 1};
    FinishMove(pt, bExtend);
}

void CTextView::MoveCaretRight(bool bExtend)
{
    TextPosition pt = m_ptCursorPos;
    if (IsSelection() && !bExtend) pt = GetNormalizedSelection().end;
    else if (pt.x < GetLineLength(pt.y)) pt.x = NextCharPos(GetLineChars(pt.y), pt.x);
    else if (pt.y + 1 < GetLineCount()) pt = {0, pt.y + 1};
    FinishMove(pt, bExtend);
}

void CTextView::MoveWordLeft(bool bExtend)
{
    if (IsSelection() && !bExtend) return MoveCaretLeft(false);
    TextPosition pt = m_ptCursorPos;
    if (pt == TextPosition{0, 0}) return;
    if (pt.x == 0) pt = {GetLineLength(pt.y - 1), pt.y - 1};
    pt.x = WordLeftPos(GetLineChars(pt.y), pt.x);
    FinishMove(pt, bExtend);
}

// From a line end the caret first goes to the next line's start; an empty line there is stepped
// over as by one more Right.
void CTextView::MoveWordRight(bool bExtend)
{
    if (IsSelection() && !bExtend) return MoveCaretRight(false);
    TextPosition pt = m_ptCursorPos;
    const int last = GetLineCount() - 1;
    if (pt.y == last && pt.x == GetLineLength(last)) return;
    if (pt.x == GetLineLength(pt.y)) {
        pt = {0, pt.y + 1};
        if (GetLineLength(pt.y) == 0) {
            if (pt.y < last) pt = {0, pt.y + 1};
            return FinishMove(pt, bExtend);
        }
    }
    pt.x = WordRightPos(GetLineChars(pt.y), pt.x);
    FinishMove(pt, bExtend);
}

// The ideal column survives moves through short lines, so moving back returns to it.
void CTextView::MoveVertically(int nDelta, bool bExtend)
{
    TextPosition pt = m_ptCursorPos;
    if (IsSelection() && !bExtend) pt = nDelta < 0 ? GetNormalizedSelection().start : GetNormalizedSelection().end;
    if (m_nIdealCharPos == -1) m_nIdealCharPos = ExpandedColumn(pt);
    const int line = pt.y + nDelta;
    if (line >= 0 && line < GetLineCount()) pt = {ColumnToCharIndex(GetLineChars(line), m_nIdealCharPos, m_nTabSize), line};
    FinishMove(pt, bExtend, true);
}

void CTextView::MoveLineUp(bool bExtend) { MoveVertically(-1, bExtend); }

void CTextView::MoveLineDown(bool bExtend) { MoveVertically(1, bExtend); }

void CTextView::MovePageUp(bool bExtend)
{
    const int step = std::max(GetScreenLines() - 1, 1);
    ScrollLinesBy(-step);
    const int line = std::max(m_ptCursorPos.y - step, 0);
    FinishMove({std::min(m_ptCursorPos.x, GetLineLength(line)), line}, bExtend);
}

void CTextView::MovePageDown(bool bExtend)
{
    const int step = std::max(GetScreenLines() - 1, 1);
    const int last = GetLineCount() - 1;
    ScrollLinesBy(step);
    const int line = std::min(m_ptCursorPos.y + step, last);
    FinishMove({std::min(m_ptCursorPos.x, GetLineLength(line)), line}, bExtend);
}

void CTextView::MoveLineHome(bool bExtend)
{
    FinishMove({HomePos(GetLineChars(m_ptCursorPos.y), m_ptCursorPos.x), m_ptCursorPos.y}, bExtend);
}

void CTextView::MoveLineEnd(bool bExtend) { FinishMove({GetLineLength(m_ptCursorPos.y), m_ptCursorPos.y}, bExtend); }

void CTextView::MoveTextBegin(bool bExtend) { FinishMove({0, 0}, bExtend); }

void CTextView::MoveTextEnd(bool bExtend)
{
    const int last = GetLineCount() - 1;
    FinishMove({GetLineLength(last), last}, bExtend);
}

// The anchor and the scroll position stay as they were.
void CTextView::SelectAll()
{
    const int last = GetLineCount() - 1;
    const TextPosition end{GetLineLength(last), last};
    SetCursorPos(end);
    SelectRange({0, 0}, end);
    PlaceCaret();
}
