// CTextView: window, buffer attachment, change notifications, geometry and caret.
#include "editor/text_view.h"
#include <algorithm>

#include "core/editor/text_columns.h"
#include "core/editor/char_steps.h"
#include "core/editor/view_geometry.h"
#include "editor/editor_font.h"
#include "editor/text_view_find.h"
#include "fx/fx_splitter.h"
#include "resource.h"

namespace {
// Integer division rounding towards minus infinity: points above or left of the client area.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

CTextView::CTextView()
{
    m_lfBaseFont.lfWeight = FW_NORMAL;
    m_lfBaseFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(m_lfBaseFont.lfFaceName, "FixedSys", sizeof m_lfBaseFont.lfFaceName);
    ResetViewState();
    RegisterCommands();
}

CTextView::~CTextView() { DetachFromBuffer(); }

bool CTextView::Create(HWND parent, UINT id)
{
    const char* cls = RegisterClassOnce("HalyardTextView", CS_DBLCLKS, nullptr);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (!FxSplitterWnd::IsSplitter(parent)) style |= WS_VSCROLL | WS_HSCROLL;
    RECT rc{0, 0, 0, 0};
    return CreateEx(0, cls, "", style, rc, parent, id);
}

void CTextView::OnInitialUpdate()
{
    AttachToBuffer(nullptr);
    FxSplitterWnd* splitter = FxSplitterWnd::OfPane(m_hWnd);
    int row = 0, column = 0;
    if (!splitter || !splitter->FindPane(this, row, column)) return;
    if (auto* above = dynamic_cast<CTextView*>(splitter->GetPane(0, column)); above && row > 0)
        ScrollToColumn(above->m_nOffsetChar);
    if (auto* left = dynamic_cast<CTextView*>(splitter->GetPane(row, 0)); left && column > 0)
        ScrollToLine(left->m_nTopLine);
}

void CTextView::AttachToBuffer(CTextBuffer* pBuffer)
{
    if (m_pTextBuffer) m_pTextBuffer->RemoveView(this);
    m_pTextBuffer = pBuffer ? pBuffer : LocateBuffer();
    if (m_pTextBuffer && !m_pTextBuffer->AddView(this)) m_pTextBuffer = nullptr;
    ResetViewState();
    if (!m_hWnd) return;
    RecalcVertScrollBar();
    RecalcHorzScrollBar();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CTextView::DetachFromBuffer()
{
    if (!m_pTextBuffer) return;
    m_pTextBuffer->RemoveView(this);
    m_pTextBuffer = nullptr;
    ResetViewState();
}

void CTextView::ResetViewState()
{
    m_nTabSize = 4;
    m_bPrintFooter = true;
    m_nLineHeight = m_nCharWidth = m_nScreenLines = m_nScreenChars = m_nMaxLineLength = -1;
    m_nShownMarginWidth = -1;
    m_ptCursorPos = m_ptSelStart = m_ptSelEnd = m_ptAnchor = TextPosition{};
    m_drawSel = TextRange{};
    m_nIdealCharPos = -1;
    m_nTopLine = m_nOffsetChar = 0;
    m_lineStates.Release();
    m_lineLengths.Release();
    for (FxFont& font : m_fonts) font.Reset();
    m_lineBitmap.Reset();
    if (!m_hWnd) return;
    InvalidateRect(m_hWnd, nullptr, FALSE);
    ForgetCaret();
    PlaceCaret();
}

// --- Line accessors ---------------------------------------------------------------------------

int CTextView::GetLineCount() const { return m_pTextBuffer ? m_pTextBuffer->GetLineCount() : 1; }

int CTextView::GetLineLength(int nLine) const { return m_pTextBuffer ? m_pTextBuffer->GetLineLength(nLine) : 0; }

std::string_view CTextView::GetLineChars(int nLine) const
{
    return m_pTextBuffer ? m_pTextBuffer->GetLine(nLine) : std::string_view();
}

uint32_t CTextView::GetLineFlags(int nLine) const { return m_pTextBuffer ? m_pTextBuffer->GetLineFlags(nLine) : 0; }

int CTextView::ExpandedLineLength(int nLine)
{
    m_lineLengths.EnsureAllocated(GetLineCount());
    if (!m_lineLengths.IsKnown(nLine)) m_lineLengths.Set(nLine, ExpandedLength(GetLineChars(nLine), m_nTabSize));
    return m_lineLengths.Get(nLine);
}

void CTextView::GetText(TextPosition ptStart, TextPosition ptEnd, std::string& text) const
{
    text.clear();
    if (m_pTextBuffer) (void)m_pTextBuffer->GetText(ptStart.y, ptStart.x, ptEnd.y, ptEnd.x, text);
}

HINSTANCE CTextView::GetResourceHandle() const { return GetModuleHandleA(nullptr); }

LineState CTextView::ClassifyLine(LineState, int, ColourRun*, int& nRuns, int)
{
    nRuns = 0;
    return 0;
}

LineState CTextView::LineStateAt(int nLine)
{
    return StateLeavingLine(m_lineStates, nLine, GetLineCount(), [this](LineState entering, int line) {
        int runs = 0;
        return ClassifyLine(entering, line, nullptr, runs, 0);
    });
}

// --- Change notifications -------------------------------------------------------------------

void CTextView::OnBufferChange(CBufferObserver*, const PositionAdjuster* pContext, unsigned nFlags, int nLine)
{
    if (nFlags & CHANGE_ALL) {
        ResetViewState();
        RecalcVertScrollBar();
        RecalcHorzScrollBar();
        return;
    }
    const int first = nLine < 0 ? 0 : nLine;
    const int oldLength = m_lineLengths.IsKnownLine(first) ? m_lineLengths.Get(first) : -1;
    if (nFlags & CHANGE_ONELINE) {
        m_lineLengths.Forget(first);
        OnOneLineChanged(first);
    } else {
        m_lineStates.Invalidate(first, GetLineCount());
        MoveLineLengths(pContext, first);
        InvalidateLines(first, -1);
    }
    if (pContext) AdjustPositions(*pContext);
    if (nFlags & CHANGE_LINECOUNT) {
        if (m_nShownMarginWidth != GetMarginWidth()) {
            m_nScreenChars = -1;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        RecalcVertScrollBar();
    }
    if (nFlags & CHANGE_WIDTHS) {
        UpdateMaxLineLength((nFlags & CHANGE_ONELINE) ? first : -1, oldLength);
        RecalcHorzScrollBar();
    }
    PlaceCaret();
}

// A change in one line can change the state of every later line (a block comment opened or
// closed); when the state leaving the line is what it was, the later lines keep their states and
// their pictures.
void CTextView::OnOneLineChanged(int nLine)
{
    const bool hadState = m_lineStates.IsKnownLine(nLine);
    const LineState before = hadState ? m_lineStates.Get(nLine) : 0;
    m_lineStates.Forget(nLine);
    if (hadState && LineStateAt(nLine) == before) {
        InvalidateLines(nLine, nLine);
        return;
    }
    m_lineStates.Invalidate(nLine, m_lineStates.Count());
    InvalidateLines(nLine, -1);
}

// The caret, the selection, the anchor, the dragged text and the top line follow the edit, so
// that the visible text stays put when lines come or go above it.
void CTextView::AdjustPositions(const PositionAdjuster& context)
{
    for (TextPosition* pt : {&m_ptCursorPos, &m_ptSelStart, &m_ptSelEnd, &m_ptAnchor}) context.AdjustPosition(*pt);
    if (m_bDraggingText) {
        context.AdjustPosition(m_ptDraggedTextBegin);
        context.AdjustPosition(m_ptDraggedTextEnd);
    }
    TextPosition top{0, m_nTopLine};
    context.AdjustPosition(top);
    m_nTopLine = top.y < GetLineCount() ? top.y : GetLineCount() - 1;
}

// After an edit of one line the longest length is known without measuring every line, unless
// that line was the longest and got shorter.
void CTextView::UpdateMaxLineLength(int nChangedLine, int nOldLength)
{
    if (nChangedLine < 0 || nOldLength < 0 || m_nMaxLineLength < 0) {
        m_nMaxLineLength = -1;
        return;
    }
    const int length = ExpandedLineLength(nChangedLine);
    if (length >= m_nMaxLineLength) m_nMaxLineLength = length;
    else if (nOldLength >= m_nMaxLineLength) m_nMaxLineLength = -1;
}

// The lengths of the lines an edit did not touch stay known: a line break typed at the top of a
// long file must not make the view measure every line below it again.
void CTextView::MoveLineLengths(const PositionAdjuster* pContext, int nFirst)
{
    const int count = GetLineCount();
    if (pContext && m_lineLengths.IsAllocated()) {
        const TextPosition start = pContext->GetStart(), end = pContext->GetEnd();
        const bool inserted = dynamic_cast<const InsertAdjuster*>(pContext) != nullptr;
        m_lineLengths.MoveLines(start.y, inserted ? end.y - start.y : start.y - end.y);
        if (m_lineLengths.Count() == count) return;
    }
    m_lineLengths.Invalidate(nFirst, count);
}

void CTextView::InvalidateLines(int nFirst, int nLast)
{
    if (!m_hWnd) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int h = GetLineHeight();
    if (nLast != -1 && nLast < nFirst) std::swap(nFirst, nLast);
    const long top = static_cast<long>(nFirst - m_nTopLine) * h;
    const long bottom = nLast == -1 ? rc.bottom : static_cast<long>(nLast - m_nTopLine + 1) * h;
    if (top > rc.top) rc.top = top;
    if (bottom < rc.bottom) rc.bottom = bottom;
    if (rc.top < rc.bottom) InvalidateRect(m_hWnd, &rc, FALSE);
}

// --- Fonts and geometry -----------------------------------------------------------------------

HFONT CTextView::GetFont(bool bItalic, bool bBold)
{
    FxFont& font = m_fonts[(bItalic ? 1 : 0) + (bBold ? 2 : 0)];
    if (!font) {
        LOGFONTA lf = m_lfBaseFont;
        lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = bItalic ? TRUE : FALSE;
        font.Reset(CreateEditorFont(lf));
    }
    if (font) return font.Get();
    return m_hWnd ? reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)) : nullptr;
}

void CTextView::MeasureFont()
{
    SIZE size{1, 1};
    {
        FxClientDC dc(m_hWnd);
        FxSelectObject select(dc.Get(), GetFont());
        GetTextExtentPoint32A(dc.Get(), "X", 1, &size);
    }
    m_nCharWidth = size.cx > 0 ? size.cx : 1;
    m_nLineHeight = size.cy > 0 ? size.cy : 1;
}

int CTextView::GetLineHeight()
{
    if (m_nLineHeight == -1) MeasureFont();
    return m_nLineHeight;
}

int CTextView::GetCharWidth()
{
    if (m_nCharWidth == -1) MeasureFont();
    return m_nCharWidth;
}

int CTextView::GetMarginWidth()
{
    return m_bSelMargin ? MarginWidthFor(GetLineCount(), GetCharWidth()) : 1;
}

int CTextView::GetScreenLines()
{
    if (m_nScreenLines == -1) {
        RECT rc{0, 0, 0, 0};
        if (m_hWnd) GetClientRect(m_hWnd, &rc);
        m_nScreenLines = rc.bottom / GetLineHeight();
    }
    return m_nScreenLines;
}

int CTextView::GetScreenColumns()
{
    if (m_nScreenChars == -1) {
        RECT rc{0, 0, 0, 0};
        if (m_hWnd) GetClientRect(m_hWnd, &rc);
        const int width = rc.right - GetMarginWidth();
        m_nScreenChars = width > 0 ? width / GetCharWidth() : 0;
    }
    return m_nScreenChars;
}

int CTextView::GetMaxLineLength()
{
    if (m_nMaxLineLength == -1) {
        m_nMaxLineLength = 0;
        for (int i = 0, n = GetLineCount(); i < n; ++i)
            m_nMaxLineLength = std::max(m_nMaxLineLength, ExpandedLineLength(i));
    }
    return m_nMaxLineLength;
}

int CTextView::ExpandedColumn(TextPosition pt) { return ::ExpandedColumn(GetLineChars(pt.y), pt.x, m_nTabSize); }

void CTextView::SetSelectionMargin(bool bOn)
{
    if (m_bSelMargin == bOn) return;
    m_bSelMargin = bOn;
    OnSize();
}

void CTextView::SetViewFont(const LOGFONTA& lf)
{
    m_lfBaseFont = lf;
    m_nLineHeight = m_nCharWidth = m_nScreenLines = m_nScreenChars = -1;
    m_lineBitmap.Reset();
    for (FxFont& font : m_fonts) font.Reset();
    if (!m_hWnd) return;
    ForgetCaret();
    RecalcVertScrollBar();
    RecalcHorzScrollBar();
    PlaceCaret();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

TextPosition CTextView::ClientPointToText(POINT pt)
{
    const int h = GetLineHeight();
    int line = FloorDiv(pt.y, h) + m_nTopLine;
    line = std::max(0, std::min(line, GetLineCount() - 1));
    int column = FloorDiv(pt.x - GetMarginWidth(), GetCharWidth()) + m_nOffsetChar;
    if (column < 0) column = 0;
    return {CharIndexAtColumn(GetLineChars(line), column, m_nTabSize), line};
}

POINT CTextView::TextPointToClient(TextPosition pt)
{
    return {(ExpandedColumn(pt) - m_nOffsetChar) * GetCharWidth() + GetMarginWidth(), (pt.y - m_nTopLine) * GetLineHeight()};
}

// --- Caret and selection ------------------------------------------------------------------------

TextPosition CTextView::ClampToText(TextPosition pt) const
{
    pt.y = std::max(0, std::min(pt.y, GetLineCount() - 1));
    pt.x = CharStartAt(GetLineChars(pt.y), pt.x);
    return pt;
}

void CTextView::SetCursorPos(TextPosition pt)
{
    pt = ClampToText(pt);
    if (pt.y != m_ptCursorPos.y) {
        InvalidateLines(m_ptCursorPos.y, m_ptCursorPos.y);
        InvalidateLines(pt.y, pt.y);
    }
    m_ptCursorPos = pt;
    m_nIdealCharPos = ExpandedColumn(pt);
    PlaceCaret();
}

void CTextView::GetSelection(TextPosition& ptStart, TextPosition& ptEnd) const
{
    ptStart = m_ptSelStart;
    ptEnd = m_ptSelEnd;
}

void CTextView::SelectRange(TextPosition ptStart, TextPosition ptEnd)
{
    if (ptStart != m_ptSelStart) {
        InvalidateLines(ptStart.y, ptEnd.y);
        InvalidateLines(m_ptSelStart.y, m_ptSelEnd.y);
    } else if (ptEnd != m_ptSelEnd) {
        InvalidateLines(ptEnd.y, m_ptSelEnd.y);
    }
    m_ptSelStart = ptStart;
    m_ptSelEnd = ptEnd;
}

void CTextView::MoveCaretTo(TextPosition pt)
{
    pt = ClampToText(pt);
    m_ptAnchor = pt;
    SelectRange(pt, pt);
    SetCursorPos(pt);
    ScrollCaretIntoView(pt);
}

void CTextView::SelectLine(int nLine)
{
    const int count = GetLineCount();
    if (count <= 0) return;
    // Past the end means the last line of text, not the empty one after a final line end.
    const int last = count > 1 && GetLineLength(count - 1) == 0 ? count - 2 : count - 1;
    nLine = std::clamp(nLine, 0, last);
    const TextPosition start{0, nLine};
    const TextPosition end = nLine + 1 < count ? TextPosition{0, nLine + 1} : TextPosition{GetLineLength(nLine), nLine};
    m_ptAnchor = end;
    SelectRange(start, end);
    SetCursorPos(start);
    ScrollCaretIntoView(start);
    PlaceCaret();
}

void CTextView::ScrollCaretIntoView(TextPosition pt)
{
    const int top = TopLineShowing(pt.y, m_nTopLine, std::max(GetScreenLines(), 1), GetLineCount());
    if (top != m_nTopLine) {
        ScrollToLine(top);
        UpdateSiblingScrollPos(false);
    }
    const int column = FirstColumnShowing(ExpandedColumn(pt), m_nOffsetChar, GetScreenColumns(), GetMaxLineLength());
    if (column != m_nOffsetChar) {
        ScrollToColumn(column);
        PlaceCaret();
        UpdateSiblingScrollPos(true);
    }
}

// The caret is created once and then only moved: creating it again at every placement would
// make every keystroke redraw it several times.
void CTextView::PlaceCaret()
{
    if (!m_hWnd) return;
    if (m_bFocused && !m_bCursorHidden && ExpandedColumn(m_ptCursorPos) >= m_nOffsetChar) {
        POINT pt = TextPointToClient(m_ptCursorPos);
        if (!m_bCaretCreated) {
            CreateCaret(m_hWnd, nullptr, 2, GetLineHeight());
            m_bCaretCreated = true;
            m_bCaretShown = false;
        }
        SetCaretPos(pt.x, pt.y);
        if (!m_bCaretShown) ShowCaret(m_hWnd);
        m_bCaretShown = true;
    } else if (m_bCaretShown) {
        HideCaret(m_hWnd);
        m_bCaretShown = false;
    }
}

void CTextView::ForgetCaret()
{
    if (m_bCaretShown) HideCaret(m_hWnd);
    m_bCaretCreated = m_bCaretShown = false;
}

void CTextView::SetShowInactiveSelection(bool bShow)
{
    m_bShowInactiveSelection = bShow;
    if (IsSelection()) InvalidateLines(m_ptSelStart.y, m_ptSelEnd.y);
}

void CTextView::SetCursorHidden(bool bHidden)
{
    m_bCursorHidden = bHidden;
    PlaceCaret();
}

void CTextView::OnSetFocus()
{
    m_bFocused = true;
    if (IsSelection()) InvalidateLines(m_ptSelStart.y, m_ptSelEnd.y);
    PlaceCaret();
}

void CTextView::OnKillFocus()
{
    m_bFocused = false;
    ForgetCaret();
    DestroyCaret();
    if (IsSelection()) InvalidateLines(m_ptSelStart.y, m_ptSelEnd.y);
    if (m_bDragSelection) EndMouseSelection();
}

bool CTextView::OnSetCursor()
{
    POINT pt;
    ::GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    if (pt.x < GetMarginWidth()) {
        HCURSOR margin = LoadCursorA(GetResourceHandle(), MAKEINTRESOURCEA(IDC_MARGIN_CURSOR));
        SetCursor(margin ? margin : LoadCursorA(nullptr, IDC_ARROW));
    } else if (IsInsideSelection(ClientPointToText(pt))) {
        if (!m_bDisableDragAndDrop) SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    } else {
        SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
    }
    return true;
}

void CTextView::OnSize()
{
    m_lineBitmap.Reset();
    m_nScreenLines = m_nScreenChars = -1;
    RecalcVertScrollBar();
    RecalcHorzScrollBar();
    PlaceCaret();
}

LRESULT CTextView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
    case WM_CREATE:
        m_hAccel = LoadAcceleratorsA(GetResourceHandle(), MAKEINTRESOURCEA(IDR_EDITOR_ACCEL));
        break;
    case WM_DESTROY:
        if (m_nDragSelTimer) KillTimer(m_hWnd, m_nDragSelTimer);
        m_nDragSelTimer = 0;
        DetachFromBuffer();
        break;
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: {
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        if (rc.right > 0 && rc.bottom > 0) PaintRows(reinterpret_cast<HDC>(wp), rc, rc);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: OnSize(); return 0;
    case WM_VSCROLL: OnScroll(false, LOWORD(wp)); return 0;
    case WM_HSCROLL: OnScroll(true, LOWORD(wp)); return 0;
    case WM_SETFOCUS: OnSetFocus(); break;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(pt, static_cast<UINT>(wp)); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(pt); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(pt); return 0;
    case WM_TIMER: OnTimer(wp); return 0;
    case WM_CAPTURECHANGED:
        if (m_bDragSelection && reinterpret_cast<HWND>(lp) != m_hWnd) EndMouseSelection();
        return 0;
    case WM_SYSCOLORCHANGE: InvalidateRect(m_hWnd, nullptr, FALSE); break;
    }
    return FxView::WindowProc(msg, wp, lp);
}
