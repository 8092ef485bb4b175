// CTextView: scroll bars, scrolling, and keeping split panes aligned.
#include "editor/text_view.h"

#include "core/editor/view_geometry.h"
#include "fx/fx_splitter.h"

namespace {
ScrollRequest RequestOf(int code)
{
    switch (code) {
    case SB_LINEUP: return ScrollRequest::LineBack;
    case SB_LINEDOWN: return ScrollRequest::LineForward;
    case SB_PAGEUP: return ScrollRequest::PageBack;
    case SB_PAGEDOWN: return ScrollRequest::PageForward;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::Track;
    case SB_TOP: return ScrollRequest::ToStart;
    case SB_BOTTOM: return ScrollRequest::ToEnd;
    }
    return ScrollRequest::None;
}
}  // namespace

// Inside a splitter the bars are the splitter's, shared along a row or a column.
void CTextView::SetScrollBarInfo(int nBar, SCROLLINFO& si)
{
    if (!m_hWnd) return;
    HWND target = m_hWnd;
    int which = nBar;
    if (FxSplitterWnd* splitter = FxSplitterWnd::OfPane(m_hWnd)) {
        target = splitter->GetScrollBarOf(this, nBar);
        which = SB_CTL;
        if (!target) return;
    }
    ShownScrollBar& shown = m_shownBars[nBar == SB_VERT ? 1 : 0];
    if (shown.target == target && shown.nMax == si.nMax && shown.nPage == si.nPage && shown.nPos == si.nPos) return;
    shown = {target, si.nMax, si.nPage, si.nPos};
    // A splitter's bar is a control of its own: it repaints when the queue is idle, after the
    // text, instead of inside the keystroke that moved it (a themed bar takes longer to draw
    // than a screen of text).
    SetScrollInfo(target, which, &si, which != SB_CTL);
    if (which == SB_CTL) InvalidateRect(target, nullptr, FALSE);
}

int CTextView::GetScrollTrackPos(int nBar) { return FxSplitterWnd::ScrollTrackPosOf(this, nBar); }

void CTextView::RecalcVertScrollBar()
{
    if (!m_hWnd) return;
    ApplyScrollRange(SB_VERT, m_nTopLine, GetScreenLines(), GetLineCount());
}

void CTextView::RecalcHorzScrollBar()
{
    if (!m_hWnd || m_bHorzScrollBarLocked) return;
    ApplyScrollRange(SB_HORZ, m_nOffsetChar, GetScreenColumns(), GetMaxLineLength());
}

// When everything fits, the view scrolls back to its first line or column.
void CTextView::ApplyScrollRange(int nBar, int& nFirst, int nVisible, int nTotal)
{
    if (nVisible >= nTotal && nFirst > 0) {
        nFirst = 0;
        InvalidateRect(m_hWnd, nullptr, FALSE);
        PlaceCaret();
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_DISABLENOSCROLL | SIF_PAGE | SIF_POS | SIF_RANGE;
    si.nMax = nTotal > 0 ? nTotal - 1 : 0;
    si.nPage = static_cast<UINT>(nVisible);
    si.nPos = nFirst;
    SetScrollBarInfo(nBar, si);
}

void CTextView::ScrollToLine(int nNewTopLine, bool bMoveThumb)
{
    if (nNewTopLine == m_nTopLine) return;
    const int delta = m_nTopLine - nNewTopLine;
    m_nTopLine = nNewTopLine;
    if (!m_hWnd) return;
    // Moving the picture pays only while most of it stays on the screen.
    if (std::abs(delta) <= GetScreenLines() / 2)
        ScrollWindowEx(m_hWnd, 0, delta * GetLineHeight(), nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    else
        InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateWindow(m_hWnd);
    if (bMoveThumb) RecalcVertScrollBar();
}

// The margin stays where it is; only the text moves sideways.
void CTextView::ScrollToColumn(int nNewFirstColumn, bool bMoveThumb)
{
    if (nNewFirstColumn == m_nOffsetChar) return;
    const int delta = m_nOffsetChar - nNewFirstColumn;
    m_nOffsetChar = nNewFirstColumn;
    if (!m_hWnd) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    rc.left = GetMarginWidth();
    if (std::abs(delta) <= GetScreenColumns() / 2)
        ScrollWindowEx(m_hWnd, delta * GetCharWidth(), 0, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
    else
        InvalidateRect(m_hWnd, &rc, FALSE);
    UpdateWindow(m_hWnd);
    if (bMoveThumb) RecalcHorzScrollBar();
}

void CTextView::OnScroll(bool bHorz, int nCode)
{
    const ScrollRequest request = RequestOf(nCode);
    if (request == ScrollRequest::None) return;
    if (bHorz) {
        ScrollToColumn(ScrollTarget(request, m_nOffsetChar, GetScreenColumns(), GetMaxLineLength(),
                                    GetScrollTrackPos(SB_HORZ)));
    } else {
        ScrollToLine(ScrollTarget(request, m_nTopLine, GetScreenLines(), GetLineCount(), GetScrollTrackPos(SB_VERT)));
    }
    PlaceCaret();
    UpdateSiblingScrollPos(bHorz);
}

bool CTextView::ScrollLinesBy(int nDelta)
{
    const int top = std::max(0, std::min(m_nTopLine + nDelta, GetLineCount() - 1));
    if (top == m_nTopLine) return false;
    ScrollToLine(top);
    UpdateSiblingScrollPos(false);
    return true;
}

bool CTextView::ScrollColumnsBy(int nDelta)
{
    const int column = std::max(0, std::min(m_nOffsetChar + nDelta, GetMaxLineLength() - 1));
    if (column == m_nOffsetChar) return false;
    ScrollToColumn(column);
    UpdateSiblingScrollPos(true);
    return true;
}

void CTextView::ScrollLineUp() { ScrollLinesBy(-1); }

void CTextView::ScrollLineDown() { ScrollLinesBy(1); }

void CTextView::ScrollColumnLeft() { ScrollColumnsBy(-1); }

void CTextView::ScrollColumnRight() { ScrollColumnsBy(1); }

// The vertical position is shared along a row, the horizontal one along a column.
void CTextView::UpdateSiblingScrollPos(bool bHorz)
{
    FxSplitterWnd* splitter = FxSplitterWnd::OfPane(m_hWnd);
    int row = 0, column = 0;
    if (!splitter || !splitter->FindPane(this, row, column)) return;
    for (int i = 0; i < FxSplitterWnd::kMaxPanes; ++i) {
        FxView* pane = bHorz ? splitter->GetPane(i, column) : splitter->GetPane(row, i);
        if (auto* view = dynamic_cast<CTextView*>(pane)) view->OnUpdateSibling(this, bHorz);
    }
}

void CTextView::OnUpdateSibling(CTextView* pFrom, bool bHorz)
{
    if (pFrom == this) return;
    if (bHorz) ScrollToColumn(pFrom->m_nOffsetChar, false);
    else ScrollToLine(pFrom->m_nTopLine, false);
    PlaceCaret();
}
