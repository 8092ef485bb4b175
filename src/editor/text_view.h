// The read-only text view of a buffer: painting with margin, colours, selection and caret line;
// the caret, the selection and every way of moving them; scrolling, also across split panes.
// CTextEditView adds editing; CHalyardView the assembly classifier and the colour scheme.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/asm/classifier.h"
#include "core/buffer/text_buffer.h"
#include "core/editor/caret_site.h"
#include "core/editor/edit_ranges.h"
#include "core/editor/line_cache.h"
#include "core/editor/line_wrap.h"
#include "core/editor/print_pages.h"
#include "fx/fx_handles.h"
#include "fx/fx_view.h"

struct CTextViewFinders;
class CViewSite;

class CTextView : public FxView, public CBufferObserver, public CCaretSite {
public:
    CTextView();
    ~CTextView() override;

    [[nodiscard]] bool Create(HWND parent, UINT id) override;
    // Attaches to the buffer LocateBuffer gives and, inside a splitter, lines up with the panes
    // beside and above.
    void OnInitialUpdate() override;
    HACCEL GetAccelerators() const override { return m_hAccel; }

    // --- The buffer. Attaching registers the view with it and resets the view.
    void AttachToBuffer(CTextBuffer* pBuffer = nullptr);
    void DetachFromBuffer();
    CTextBuffer* GetBuffer() const { return m_pTextBuffer; }

    // --- Overridable operations
    // Forgets every cache, the fonts, the positions and the selection.
    virtual void ResetViewState();
    // Takes the top line (vertical) or first column (horizontal) of another pane of the splitter,
    // without moving the shared scroll bar's thumb, and places the caret again.
    virtual void OnUpdateSibling(CTextView* pFrom, bool bHorz);
    // Without a buffer: one empty line.
    virtual int GetLineCount() const;
    virtual int GetLineLength(int nLine) const;
    virtual std::string_view GetLineChars(int nLine) const;
    virtual uint32_t GetLineFlags(int nLine) const;
    // Columns the line takes with tabs expanded; cached per line.
    virtual int ExpandedLineLength(int nLine);
    // The ordered range's text, lines joined by CR LF; empty without a buffer.
    virtual void GetText(TextPosition ptStart, TextPosition ptEnd, std::string& text) const;
    virtual bool IsClipboardTextAvailable() const;
    virtual bool PutToClipboard(const std::string& text);
    virtual bool GetFromClipboard(std::string& text);
    // The normalised selection's text in a block for dragging, the dragged range remembered.
    virtual HGLOBAL PrepareDragData();
    virtual DWORD GetDropEffect() const { return DROPEFFECT_COPY; }
    virtual void OnDropSource(DWORD dwEffect) { (void)dwEffect; }
    virtual COLORREF ColourOf(int nColourIndex) const;
    virtual COLORREF DefaultColourOf(int nColourIndex) const;
    // No line of this system carries a colour of its own: both colours -1, flag clear.
    virtual void LineColourOverride(int nLine, COLORREF& crBack, COLORREF& crText, bool& bPaintAfterEnd) const;
    virtual bool IsBoldColour(int) const { return false; }
    virtual bool IsItalicColour(int) const { return false; }
    virtual void PaintLine(HDC dc, const RECT& rcLine, int nLine);
    virtual void PaintMargin(HDC dc, const RECT& rcMargin, int nLine);
    // Plain text: no runs and state 0.
    virtual LineState ClassifyLine(LineState entering, int nLine, ColourRun* pRuns, int& nRuns, int nCapacity);
    virtual HINSTANCE GetResourceHandle() const;
    virtual CTextBuffer* LocateBuffer() { return nullptr; }
    void OnBufferChange(CBufferObserver* pSource, const PositionAdjuster* pContext, unsigned nFlags,
                        int nLine) override;

    // --- Positions and selection
    TextPosition GetCaretPosition() const override { return m_ptCursorPos; }
    TextPosition GetCursorPos() const { return m_ptCursorPos; }
    // Puts the caret on the character boundary at or before pt (within the text) and makes its
    // column the one vertical moves keep.
    void SetCursorPos(TextPosition pt);
    void SetAnchor(TextPosition pt) { m_ptAnchor = pt; }
    TextPosition GetAnchor() const { return m_ptAnchor; }
    void GetSelection(TextPosition& ptStart, TextPosition& ptEnd) const;
    // Sets the selection as given (start may lie after end) and repaints the lines that changed.
    void SelectRange(TextPosition ptStart, TextPosition ptEnd);
    bool IsSelection() const { return m_ptSelStart != m_ptSelEnd; }
    TextRange GetNormalizedSelection() const { return Normalized(m_ptSelStart, m_ptSelEnd); }
    bool IsInsideSelection(TextPosition pt) const { return IsSelection() && IsInside(pt, GetNormalizedSelection()); }
    // True when pt lies inside text that a view of this buffer (this one or another pane) is
    // dragging out right now: a drop there changes nothing.
    bool IsInsideDraggedText(TextPosition pt) const;
    // Moving the caret to pt: anchor, empty selection and caret at pt, scrolled into view.
    void MoveCaretTo(TextPosition pt);
    // Selects line `nLine` whole, its line end included, with the caret at its start, scrolled
    // into view; a line past the end selects the last line of text.
    void SelectLine(int nLine);
    void ScrollCaretIntoView(TextPosition pt);
    void PlaceCaret();
    void SetShowInactiveSelection(bool bShow);
    // The view as the find, bookmark and go-to commands see it.
    CViewSite& Site();
    void SetCursorHidden(bool bHidden);

    // --- Geometry
    int ExpandedColumn(TextPosition pt);
    LineState LineStateAt(int nLine);
    TextPosition ClientPointToText(POINT pt);
    POINT TextPointToClient(TextPosition pt);
    int GetTopLine() const { return m_nTopLine; }
    int GetFirstColumn() const { return m_nOffsetChar; }
    int GetLineHeight();
    int GetCharWidth();
    int GetScreenLines();
    int GetScreenColumns();
    int GetMarginWidth();
    int GetMaxLineLength();
    int GetTabSize() const { return m_nTabSize; }
    void SetSelectionMargin(bool bOn);
    void SetViewFont(const LOGFONTA& lf);
    const LOGFONTA& GetViewFont() const { return m_lfBaseFont; }

    // --- Scrolling
    void ScrollToLine(int nNewTopLine, bool bMoveThumb = true);
    void ScrollToColumn(int nNewFirstColumn, bool bMoveThumb = true);
    // By whole lines (columns), within the text, the other panes following; false when the
    // position did not change.
    bool ScrollLinesBy(int nDelta);
    bool ScrollColumnsBy(int nDelta);
    void ScrollLineUp();
    void ScrollLineDown();
    void ScrollColumnLeft();
    void ScrollColumnRight();
    void RecalcVertScrollBar();
    void RecalcHorzScrollBar();
    // While locked the horizontal scroll bar is not recomputed (block indent of many lines).
    void LockHorzScrollBar(bool bLock) { m_bHorzScrollBarLocked = bLock; }
    // Passes the view's vertical (horizontal) position on to the other panes of its row
    // (column) of a splitter.
    void UpdateSiblingScrollPos(bool bHorz);

    // --- Printing: the buffer's lines in a font scaled from the screen font, tabs expanded,
    // wrapped in the printable width, inside the margins of the page setup, with a footer on every
    // page; no colours, margin or selection. The pages are laid out on the first page printed and
    // kept to the job's end (print preview's included).
    void OnBeginPrinting(HDC dc, FxPrintInfo& info) override;
    // A page exists unless the pages are laid out and it lies past the last.
    void OnPrepareDC(HDC dc, FxPrintInfo& info) override;
    void OnPrint(HDC dc, FxPrintInfo& info) override;
    void OnEndPrinting(HDC dc, FxPrintInfo& info) override;
    virtual std::string HeaderText(int nPage) const;  // empty
    virtual std::string FooterText(int nPage) const;  // "Page %d/%d"
    virtual void DrawPageHeader(HDC dc, int nPage);
    virtual void DrawPageFooter(HDC dc, int nPage);
    // The pages of the job in progress; 0 while none is laid out.
    int GetPrintPageCount() const { return static_cast<int>(m_pageStarts.size()); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // The drag loop of a drag of text out of the view; the effect that ended it.
    virtual DWORD RunDragLoop(HGLOBAL hData, DWORD dwAllowedEffects);
    void InvalidateLines(int nFirst, int nLast);  // nLast -1: to the bottom of the window
    // Hides the view's caret and forgets it, so that the next placement creates it again (another
    // caret took its place, or its height changed).
    void ForgetCaret();
    // A command's undo group. The view hears of the group's end (OnEditDone with its last record)
    // only when the command recorded something: closing an empty group must not replay the
    // previous group's end, which would indent a line a second time.
    void BeginUndoGroup(bool bMerge);
    void EndUndoGroup();
    void NoteRecorded() { m_bGroupRecorded = true; }
    HFONT GetFont(bool bItalic = false, bool bBold = false);

    // --- Movement commands; bExtend keeps the anchor and extends the selection.
    void MoveCaretLeft(bool bExtend);
    void MoveCaretRight(bool bExtend);
    void MoveWordLeft(bool bExtend);
    void MoveWordRight(bool bExtend);
    void MoveLineUp(bool bExtend);
    void MoveLineDown(bool bExtend);
    void MovePageUp(bool bExtend);
    void MovePageDown(bool bExtend);
    void MoveLineHome(bool bExtend);
    void MoveLineEnd(bool bExtend);
    void MoveTextBegin(bool bExtend);
    void MoveTextEnd(bool bExtend);
    void SelectAll();

    // Drag-and-drop state shared with the editing view.
    bool m_bDraggingText = false;
    bool m_bDisableDragAndDrop = false;
    bool m_bGroupRecorded = false;
    TextPosition m_ptDraggedTextBegin, m_ptDraggedTextEnd;

private:
    void RegisterCommands();
    void RegisterPrintCommands();
    void OnPageSetup();
    void LayOutPages(const FxPrintInfo& info);
    // The line expanded and wrapped in the printable width, measured with `widthOf`.
    void LayOutPrintedLine(int nLine, const CharWidthFn& widthOf, PrintedLine& out);
    void PrintPageLines(HDC dc, HDC attribDC, int nPage);
    void RegisterMoveCommand(UINT id, void (CTextView::*move)(bool));
    void UpdateStatusPosition(FxCmdUI& ui);
    void UpdateStatusLineEnd(FxCmdUI& ui);
    // The end of every movement command.
    void FinishMove(TextPosition pt, bool bExtend, bool bKeepIdeal = false);
    TextPosition ClampToText(TextPosition pt) const;
    void MoveVertically(int nDelta, bool bExtend);

    void OnPaint();
    void PaintRows(HDC dc, const RECT& rcClient, const RECT& rcPaint);
    void PaintRunText(HDC dc, const RECT& rcLine, int nLine, int nBegin, int nEnd, int nColourIndex,
                      COLORREF crBack, int& nColumn);
    void PaintTabbedText(HDC dc, const RECT& rcLine, std::string_view part, int& nColumn);
    void FillSolid(HDC dc, int nLeft, int nRight, const RECT& rcLine, COLORREF colour);
    void MeasureFont();
    bool EnsureLineBitmap(HDC dc, int nWidth);
    HIMAGELIST GetMarginIcons();
    void ToggleBreakpointAt(int line);

    void OnSize();
    void OnScroll(bool bHorz, int nCode);
    void SetScrollBarInfo(int nBar, SCROLLINFO& si);
    // Range, page and position of one scroll bar, from the first shown line or column.
    void ApplyScrollRange(int nBar, int& nFirst, int nVisible, int nTotal);
    void MoveLineLengths(const PositionAdjuster* pContext, int nFirst);
    void OnOneLineChanged(int nLine);
    void AdjustPositions(const PositionAdjuster& context);
    void UpdateMaxLineLength(int nChangedLine, int nOldLength);
    int GetScrollTrackPos(int nBar);
    void OnSetFocus();
    void OnKillFocus();
    bool OnSetCursor();

    void OnLButtonDown(POINT pt, UINT nFlags);
    void OnLButtonDblClk(POINT pt);
    void OnMouseMove(POINT pt);
    void OnLButtonUp(POINT pt);
    void OnRButtonDown(POINT pt);
    void OnTimer(UINT_PTR nId);
    void StartMouseSelection();
    void EndMouseSelection();
    void SelectByMouseMode(TextPosition ptHit);
    void StartTextDrag();

    CTextBuffer* m_pTextBuffer = nullptr;
    int m_nTabSize = 4;
    bool m_bSelMargin = true;
    bool m_bCursorHidden = false;
    bool m_bFocused = false;
    bool m_bShowInactiveSelection = false;
    bool m_bCaretCreated = false;  // this window owns the thread's caret
    bool m_bCaretShown = false;
    LOGFONTA m_lfBaseFont{};
    // At (italic ? 1 : 0) + (bold ? 2 : 0); made on first use from m_lfBaseFont.
    FxFont m_fonts[4];
    int m_nLineHeight = -1;  // -1 until measured
    int m_nCharWidth = -1;
    int m_nScreenLines = -1;  // -1 until the next resize or font change is measured
    int m_nScreenChars = -1;
    int m_nMaxLineLength = -1;  // -1 until a change with CHANGE_WIDTHS or a reset
    int m_nTopLine = 0;
    int m_nOffsetChar = 0;  // first visible column
    TextPosition m_ptCursorPos, m_ptSelStart, m_ptSelEnd, m_ptAnchor;
    TextRange m_drawSel;  // the selection in text order, fixed just before painting
    int m_nIdealCharPos = -1;  // the column vertical moves keep; -1: take the caret's
    bool m_bHorzScrollBarLocked = false;
    CLineStateCache m_lineStates;
    CLineLengthCache m_lineLengths;
    HACCEL m_hAccel = nullptr;
    FxImageList m_marginIcons;
    // One line high and as wide as the client; kept between repaints, dropped on resize and on
    // a font change.
    FxBitmap m_lineBitmap;
    int m_nLineBitmapWidth = 0;
    int m_nShownMarginWidth = -1;  // the margin's width at the last layout
    // What each scroll bar (SB_HORZ, SB_VERT) was last given; setting a bar redraws it, so
    // unchanged values are not sent again.
    struct ShownScrollBar {
        HWND target = nullptr;
        int nMax = -1;
        UINT nPage = 0;
        int nPos = -1;
    };
    ShownScrollBar m_shownBars[2];
    std::vector<ColourRun> m_runs;  // reused for every painted line: three per byte
    std::vector<int> m_advances;   // one cell width per byte drawn
    std::string m_expanded;

    // Mouse selection
    bool m_bDragSelection = false;
    bool m_bWordSelection = false;
    bool m_bLineSelection = false;
    bool m_bPreparingToDrag = false;
    UINT_PTR m_nDragSelTimer = 0;

    std::unique_ptr<CTextViewFinders> m_pFinders;

    // Printing state of one job: the font, from its beginning to its end; the rest from the first
    // page laid out. The page table holds the first line of each page; empty: not laid out.
    FxFont m_printFont;
    int m_nPrintLineHeight = 0;  // the height of "X" in the print font on the printer
    PrintRect m_rcPrintPage;     // the page's drawable area, normalised
    PrintRect m_rcPrintable;     // the page area less the margins and the footer strip
    std::vector<int> m_pageStarts;
    bool m_bPrintHeader = false;  // never set in this system
    bool m_bPrintFooter = true;   // set at construction and on every reset
};
