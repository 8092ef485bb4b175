// CTextView: painting, one screen row at a time through an off-screen bitmap one line high.
#include "editor/text_view.h"
#include "core/asm/theme_colours.h"
#include "editor/debug_marks.h"
#include "editor/theme_colour.h"
#include "fx/fx_paint_dc.h"

#include <cstdio>

#include "core/editor/char_steps.h"
#include "core/editor/text_columns.h"
#include "core/editor/view_geometry.h"
#include "resource.h"

COLORREF CTextView::ColourOf(int nColourIndex) const
{
    return DefaultColourOf(nColourIndex);
}

COLORREF CTextView::DefaultColourOf(int nColourIndex) const { return ThemeColourNow(ThemeNormal, nColourIndex); }

void CTextView::LineColourOverride(int, COLORREF& crBack, COLORREF& crText, bool& bPaintAfterEnd) const
{
    crBack = crText = static_cast<COLORREF>(-1);
    bPaintAfterEnd = false;
}

bool CTextView::EnsureLineBitmap(HDC dc, int nWidth)
{
    if (m_lineBitmap && m_nLineBitmapWidth == nWidth) return true;
    m_lineBitmap.Reset(CreateCompatibleBitmap(dc, nWidth, GetLineHeight()));
    m_nLineBitmapWidth = nWidth;
    return static_cast<bool>(m_lineBitmap);
}

HIMAGELIST CTextView::GetMarginIcons()
{
    if (!m_marginIcons.Get())
        m_marginIcons.Reset(ImageList_LoadImageA(GetResourceHandle(), MAKEINTRESOURCEA(IDB_BOOKMARKS), 12, 0,
                                                 RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    return m_marginIcons.Get();
}

void CTextView::OnPaint()
{
    FxPaintDC paint(m_hWnd);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (rc.right > 0 && rc.bottom > 0) PaintRows(paint.Dc(), rc, paint.PaintRect());
}

// Rows outside the paint rectangle are left alone; each other row is composed whole in the line
// bitmap and copied in one transfer, so nothing is ever erased on the screen first.
void CTextView::PaintRows(HDC dc, const RECT& rcClient, const RECT& rcPaint)
{
    m_drawSel = Normalized(m_ptSelStart, m_ptSelEnd);
    m_nShownMarginWidth = GetMarginWidth();
    const int h = GetLineHeight();
    const int lineCount = GetLineCount();
    FxMemoryDC mem = FxCreateMemoryDC(dc);
    if (!mem.Get() || !EnsureLineBitmap(dc, rcClient.right)) return;
    FxSelectObject bitmap(mem.Get(), m_lineBitmap.Get());
    FxSelectObject font(mem.Get(), GetFont());
    const RECT rcMargin{0, 0, m_nShownMarginWidth, h};
    const RECT rcLine{m_nShownMarginWidth, 0, rcClient.right, h};
    for (int y = 0, line = m_nTopLine; y < rcClient.bottom; y += h, ++line) {
        if (y + h <= rcPaint.top || y >= rcPaint.bottom) continue;
        const int shown = line < lineCount ? line : -1;
        PaintMargin(mem.Get(), rcMargin, shown);
        PaintLine(mem.Get(), rcLine, shown);
        BitBlt(dc, 0, y, rcClient.right, h, mem.Get(), 0, 0, SRCCOPY);
    }
}

void CTextView::FillSolid(HDC dc, int nLeft, int nRight, const RECT& rcLine, COLORREF colour)
{
    if (nLeft >= nRight) return;
    const RECT rc{nLeft, rcLine.top, nRight, rcLine.bottom};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void CTextView::PaintLine(HDC dc, const RECT& rcLine, int nLine)
{
    if (nLine == -1) {
        FillSolid(dc, rcLine.left, rcLine.right, rcLine, ColourOf(ColourWhitespace));
        return;
    }
    const bool caretLine = nLine == m_ptCursorPos.y;
    COLORREF crBack = ColourOf(caretLine ? ColourCaretLine : ColourBackground);
    const COLORREF crArea = ColourOf(caretLine ? ColourCaretLine : ColourWhitespace);
    const bool showSelection = m_bFocused || m_bShowInactiveSelection;
    const int length = GetLineLength(nLine);
    const int cw = GetCharWidth();
    int x = rcLine.left;
    if (length == 0) {
        if (showSelection && IsInside({0, nLine}, m_drawSel)) {
            FillSolid(dc, x, x + cw, rcLine, ColourOf(ColourSelectionBack));
            x += cw;
        }
        FillSolid(dc, x, rcLine.right, rcLine, crArea);
        return;
    }
    const LineState entering = LineStateAt(nLine - 1);
    m_runs.resize(RunCapacityFor(length));
    int runs = 0;
    const LineState leaving = ClassifyLine(entering, nLine, m_runs.data(), runs, static_cast<int>(m_runs.size()));
    m_lineStates.EnsureAllocated(GetLineCount());
    m_lineStates.Set(nLine, leaving);

    int column = 0;
    if (runs == 0) {
        PaintRunText(dc, rcLine, nLine, 0, length, ColourNormalText, crBack, column);
    } else {
        PaintRunText(dc, rcLine, nLine, 0, m_runs[0].start, ColourNormalText, crBack, column);
        for (int i = 0; i < runs; ++i) {
            const int end = i + 1 < runs ? m_runs[static_cast<size_t>(i) + 1].start : length;
            PaintRunText(dc, rcLine, nLine, m_runs[static_cast<size_t>(i)].start, end,
                         m_runs[static_cast<size_t>(i)].colourIndex, crBack, column);
        }
    }
    x = std::max(static_cast<int>(rcLine.left) + (column - m_nOffsetChar) * cw, static_cast<int>(rcLine.left));
    if (x >= rcLine.right) return;
    if (showSelection && IsInside({length, nLine}, m_drawSel)) {
        FillSolid(dc, x, x + cw, rcLine, ColourOf(ColourSelectionBack));
        x += cw;
    }
    FillSolid(dc, x, rcLine.right, rcLine, crArea);
}

// Splits the stretch at the drawn selection: before, inside, after.
void CTextView::PaintRunText(HDC dc, const RECT& rcLine, int nLine, int nBegin, int nEnd, int nColourIndex,
                             COLORREF crBack, int& nColumn)
{
    if (nBegin >= nEnd) return;
    const std::string_view text = GetLineChars(nLine);
    auto draw = [&](int from, int to, COLORREF back, COLORREF fore) {
        if (from >= to) return;
        SetBkColor(dc, back);
        SetTextColor(dc, fore);
        PaintTabbedText(dc, rcLine, text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)), nColumn);
    };
    const COLORREF crText = ColourOf(nColourIndex);
    CharSpan selected{nBegin, nBegin};
    if (m_bFocused || m_bShowInactiveSelection) selected = SelectedPart(nLine, nBegin, nEnd, m_drawSel);
    if (selected.begin == selected.end) {
        draw(nBegin, nEnd, crBack, crText);
        return;
    }
    draw(nBegin, selected.begin, crBack, crText);
    draw(selected.begin, selected.end, ColourOf(ColourSelectionBack), ColourOf(ColourSelectionText));
    draw(selected.end, nEnd, crBack, crText);
}

// Every byte takes one cell of the character width, so a double-byte character fills two cells
// whatever its glyph's own width, and the text stays on the caret's grid. Only the cells that
// reach into the line rectangle are drawn.
void CTextView::PaintTabbedText(HDC dc, const RECT& rcLine, std::string_view part, int& nColumn)
{
    ExpandTabs(part, nColumn, m_nTabSize, m_expanded);
    const int cw = GetCharWidth();
    const int count = static_cast<int>(m_expanded.size());
    const int x = static_cast<int>(rcLine.left) + (nColumn - m_nOffsetChar) * cw;
    nColumn += count;
    if (rcLine.right - x <= 0) return;
    int first = x < rcLine.left ? CharStartAt(m_expanded, static_cast<int>(rcLine.left - x) / cw) : 0;
    int last = std::min(count, static_cast<int>(rcLine.right - x) / cw + 1);
    if (last < count) last = CharStartAt(m_expanded, last) == last ? last : last + 1;
    if (first >= last) return;
    m_advances.assign(static_cast<size_t>(last - first), cw);
    RECT clip{std::max(x + first * cw, static_cast<int>(rcLine.left)), rcLine.top,
              std::min(x + last * cw, static_cast<int>(rcLine.right)), rcLine.bottom};
    ExtTextOutA(dc, x + first * cw, rcLine.top, ETO_OPAQUE | ETO_CLIPPED, &clip, m_expanded.data() + first,
                static_cast<UINT>(last - first), m_advances.data());
}

void CTextView::PaintMargin(HDC dc, const RECT& rcMargin, int nLine)
{
    if (!m_bSelMargin) {
        FillSolid(dc, rcMargin.left, rcMargin.right, rcMargin, ColourOf(ColourBackground));
        return;
    }
    const int iconLeft = rcMargin.right - kMarginIconColumn;
    FillSolid(dc, iconLeft, rcMargin.right, rcMargin, ColourOf(ColourMarginIcons));
    FillSolid(dc, rcMargin.left, iconLeft, rcMargin, ColourOf(ColourMarginNumbers));
    if (nLine < 0) return;
    char number[16];
    const int n = std::snprintf(number, sizeof number, "%d", nLine + 1);
    if (n > 0 && n < static_cast<int>(sizeof number)) {
        RECT box{kMarginNumberLeft, rcMargin.top, iconLeft, rcMargin.bottom};
        SetTextColor(dc, ColourOf(ColourLineNumber));
        SetBkMode(dc, TRANSPARENT);
        ExtTextOutA(dc, box.left, box.top, ETO_CLIPPED, &box, number, static_cast<UINT>(n), nullptr);
        SetBkMode(dc, OPAQUE);
    }
    const int image = MarginImageFor(GetLineFlags(nLine));
    HIMAGELIST icons = image >= 0 ? GetMarginIcons() : nullptr;
    const RECT column{iconLeft, rcMargin.top, rcMargin.right, rcMargin.bottom};
    if (icons) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(icons, &cx, &cy);
        ImageList_Draw(icons, image, dc, iconLeft + (kMarginIconColumn - cx) / 2,
                       rcMargin.top + (rcMargin.bottom - rcMargin.top - cy) / 2, ILD_TRANSPARENT);
    }
    PaintDebugMarks(dc, column, GetLineFlags(nLine));
}
