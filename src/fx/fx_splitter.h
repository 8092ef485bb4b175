// Dynamic splitter: the client of a child frame divided into at most two rows and two columns of
// views of one document. Each row has a vertical scroll bar at the right and each column a
// horizontal one at the bottom, shared by the panes of that row or column; split boxes beside
// them and the bars between the panes are dragged to split, resize and close panes.
#pragma once
#include "core/editor/split_layout.h"
#include "fx/fx_mdichild.h"

class FxSplitterWnd : public FxWnd {
public:
    static constexpr int kMaxPanes = 2;

    // Creates the splitter over the frame's client area and its first pane (row 0, column 0)
    // from the context. The splitter never holds more than maxRows x maxColumns panes (each at
    // most 2), and a pane is never made smaller than minPane by a split.
    [[nodiscard]] bool CreateDynamic(FxMDIChild* frame, int maxRows, int maxColumns, SIZE minPane,
                                     FxCreateContext* context, UINT id);
    // The splitter that holds `pane` directly, or null.
    static FxSplitterWnd* OfPane(HWND pane);
    static bool IsSplitter(HWND hwnd);

    int GetRowCount() const { return m_rows.panes; }
    int GetColumnCount() const { return m_columns.panes; }
    FxView* GetPane(int row, int column) const;
    // The view's row and column; false (row and column untouched) when it is not a pane here.
    bool FindPane(const FxView* view, int& row, int& column) const;
    // The shared scroll bar control of the view's row (SB_VERT) or column (SB_HORZ).
    HWND GetScrollBarOf(const FxView* view, int bar) const;
    // Where the thumb of `view`'s scroll bar `bar` is being dragged: the splitter's shared bar
    // when the view is one of its panes, else the view's own.
    static int ScrollTrackPosOf(const FxView* view, int bar);

    // Splits at `extent`, the height of the upper (width of the left) pane; false when the
    // splitter is at its maximum or a pane would be smaller than the minimum. The new panes get
    // their initial update.
    bool SplitRow(int extent);
    bool SplitColumn(int extent);
    // Splits every axis that can still be split at its centre; false when none could.
    bool SplitAtCentre();
    // Closes the panes of a row (column); the remaining ones take the room. The last row
    // (column) is never closed.
    void DeleteRow(int row);
    void DeleteColumn(int column);
    void RecalcLayout();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    enum class Hit { None, RowBar, ColumnBar, BothBars, RowBox, ColumnBox };
    struct Areas {
        RECT panes;  // room for the panes and the bars between them
        PaneExtents rows, columns;
    };
    Areas Measure() const;
    Hit HitTest(POINT pt) const;
    bool CanSplitRows() const { return m_rows.panes < m_nMaxRows; }
    bool CanSplitColumns() const { return m_columns.panes < m_nMaxColumns; }
    FxView* CreatePane(int row, int column);
    void MovePane(int fromRow, int fromColumn, int toRow, int toColumn);
    void ClosePane(int row, int column);
    void LayOutScrollBars(const Areas& a);
    void ForwardScroll(UINT msg, WPARAM wp, LPARAM lp);
    void OnPaint();
    bool OnSetCursor();
    void StartTracking(POINT pt);
    void TrackTo(POINT pt);
    void StopTracking(bool apply);
    void DrawTracker() const;
    void ApplyTracking();

    FxMDIChild* m_pFrame = nullptr;
    FxCreateContext m_context;
    int m_nMaxRows = 1;
    int m_nMaxColumns = 1;
    SIZE m_minPane{0, 0};
    SplitAxis m_rows, m_columns;
    FxView* m_panes[kMaxPanes][kMaxPanes] = {};
    HWND m_hVertBars[kMaxPanes] = {};
    HWND m_hHorzBars[kMaxPanes] = {};
    Hit m_tracking = Hit::None;
    POINT m_trackPos{0, 0};  // the tracked bar's position: x for columns, y for rows
};
