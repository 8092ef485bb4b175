#include "fx/fx_splitter.h"
#include "fx/fx_handles.h"
#include "fx/fx_paint_dc.h"
#include "resource.h"

namespace {
const int kBar = 6;            // the gap between two panes
const int kBox = 8;            // a split box beside a scroll bar
const UINT kVertBarId = 0xEA10; // + row
const UINT kHorzBarId = 0xEA00; // + column

UINT PaneId(int row, int column) { return AFX_IDW_PANE_FIRST + static_cast<UINT>(row * 16 + column); }

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

void Fill(HDC dc, const RECT& rc, int sysColour)
{
    if (rc.right > rc.left && rc.bottom > rc.top) FillRect(dc, &rc, GetSysColorBrush(sysColour));
}

HWND CreateScrollBar(HWND parent, DWORD style, UINT id)
{
    return CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

bool FxSplitterWnd::CreateDynamic(FxMDIChild* frame, int maxRows, int maxColumns, SIZE minPane,
                                  FxCreateContext* context, UINT id)
{
    if (!frame || !context) return false;
    m_pFrame = frame;
    m_context = *context;
    m_nMaxRows = Clamp(maxRows, 1, kMaxPanes);
    m_nMaxColumns = Clamp(maxColumns, 1, kMaxPanes);
    m_minPane = minPane;
    const char* cls = RegisterClassOnce("FxSplitter", CS_DBLCLKS, nullptr);
    RECT rc{0, 0, 0, 0};
    if (!CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, rc, frame->m_hWnd, id)) return false;
    for (int i = 0; i < kMaxPanes; ++i) {
        m_hVertBars[i] = CreateScrollBar(m_hWnd, SBS_VERT, kVertBarId + i);
        m_hHorzBars[i] = CreateScrollBar(m_hWnd, SBS_HORZ, kHorzBarId + i);
        if (!m_hVertBars[i] || !m_hHorzBars[i]) return false;
    }
    if (!CreatePane(0, 0)) return false;
    RecalcLayout();
    return true;
}

FxSplitterWnd* FxSplitterWnd::OfPane(HWND pane)
{
    return pane ? dynamic_cast<FxSplitterWnd*>(FromHandle(GetParent(pane))) : nullptr;
}

bool FxSplitterWnd::IsSplitter(HWND hwnd) { return dynamic_cast<FxSplitterWnd*>(FromHandle(hwnd)) != nullptr; }

FxView* FxSplitterWnd::GetPane(int row, int column) const
{
    if (row < 0 || row >= m_rows.panes || column < 0 || column >= m_columns.panes) return nullptr;
    return m_panes[row][column];
}

bool FxSplitterWnd::FindPane(const FxView* view, int& row, int& column) const
{
    for (int r = 0; r < m_rows.panes; ++r)
        for (int c = 0; c < m_columns.panes; ++c)
            if (view && m_panes[r][c] == view) {
                row = r;
                column = c;
                return true;
            }
    return false;
}

int FxSplitterWnd::ScrollTrackPosOf(const FxView* view, int bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    FxSplitterWnd* splitter = OfPane(view->m_hWnd);
    HWND shared = splitter ? splitter->GetScrollBarOf(view, bar) : nullptr;
    if (shared) GetScrollInfo(shared, SB_CTL, &si);
    else GetScrollInfo(view->m_hWnd, bar, &si);
    return si.nTrackPos;
}

HWND FxSplitterWnd::GetScrollBarOf(const FxView* view, int bar) const
{
    int row, column;
    if (!FindPane(view, row, column)) return nullptr;
    return bar == SB_VERT ? m_hVertBars[row] : m_hHorzBars[column];
}

FxView* FxSplitterWnd::CreatePane(int row, int column)
{
    m_panes[row][column] = m_pFrame->CreateView(&m_context, m_hWnd, PaneId(row, column));
    return m_panes[row][column];
}

void FxSplitterWnd::MovePane(int fromRow, int fromColumn, int toRow, int toColumn)
{
    FxView* view = m_panes[fromRow][fromColumn];
    m_panes[fromRow][fromColumn] = nullptr;
    m_panes[toRow][toColumn] = view;
    if (view) SetWindowLongPtrA(view->m_hWnd, GWLP_ID, static_cast<LONG_PTR>(PaneId(toRow, toColumn)));
}

// The frame's active view and the focus pass to another pane before this one goes.
void FxSplitterWnd::ClosePane(int row, int column)
{
    FxView* view = m_panes[row][column];
    m_panes[row][column] = nullptr;
    if (!view) return;
    FxView* other = nullptr;
    for (int r = 0; r < kMaxPanes && !other; ++r)
        for (int c = 0; c < kMaxPanes && !other; ++c)
            other = m_panes[r][c];
    bool hadFocus = GetFocus() == view->m_hWnd;
    if (m_pFrame->GetActiveView() == view) m_pFrame->SetActiveView(other);
    view->DestroyWindow();
    if (hadFocus && other) SetFocus(other->m_hWnd);
}

bool FxSplitterWnd::SplitRow(int extent)
{
    Areas a = Measure();
    if (!CanSplitRows() || !SplitAxisAt(m_rows, extent, a.panes.bottom, kBar, m_minPane.cy)) return false;
    for (int c = 0; c < m_columns.panes; ++c)
        if (!CreatePane(1, c)) {
            DeleteRow(1);
            return false;
        }
    RecalcLayout();
    for (int c = 0; c < m_columns.panes; ++c) m_panes[1][c]->OnInitialUpdate();
    return true;
}

bool FxSplitterWnd::SplitColumn(int extent)
{
    Areas a = Measure();
    if (!CanSplitColumns() || !SplitAxisAt(m_columns, extent, a.panes.right, kBar, m_minPane.cx)) return false;
    for (int r = 0; r < m_rows.panes; ++r)
        if (!CreatePane(r, 1)) {
            DeleteColumn(1);
            return false;
        }
    RecalcLayout();
    for (int r = 0; r < m_rows.panes; ++r) m_panes[r][1]->OnInitialUpdate();
    return true;
}

bool FxSplitterWnd::SplitAtCentre()
{
    Areas a = Measure();
    bool rows = SplitRow((a.panes.bottom - kBar) / 2);
    bool columns = SplitColumn((a.panes.right - kBar) / 2);
    return rows || columns;
}

void FxSplitterWnd::DeleteRow(int row)
{
    if (m_rows.panes < 2 || row < 0 || row > 1) return;
    for (int c = 0; c < m_columns.panes; ++c) {
        ClosePane(row, c);
        if (row == 0) MovePane(1, c, 0, c);
    }
    m_rows.panes = 1;
    RecalcLayout();
}

void FxSplitterWnd::DeleteColumn(int column)
{
    if (m_columns.panes < 2 || column < 0 || column > 1) return;
    for (int r = 0; r < m_rows.panes; ++r) {
        ClosePane(r, column);
        if (column == 0) MovePane(r, 1, r, 0);
    }
    m_columns.panes = 1;
    RecalcLayout();
}

FxSplitterWnd::Areas FxSplitterWnd::Measure() const
{
    RECT rc{0, 0, 0, 0};
    GetClientRect(m_hWnd, &rc);
    Areas a{};
    a.panes = {0, 0, rc.right - GetSystemMetrics(SM_CXVSCROLL), rc.bottom - GetSystemMetrics(SM_CYHSCROLL)};
    if (a.panes.right < 0) a.panes.right = 0;
    if (a.panes.bottom < 0) a.panes.bottom = 0;
    a.rows = LayOutAxis(m_rows, a.panes.bottom, kBar);
    a.columns = LayOutAxis(m_columns, a.panes.right, kBar);
    return a;
}

void FxSplitterWnd::RecalcLayout()
{
    if (!m_hWnd) return;
    Areas a = Measure();
    for (int r = 0; r < m_rows.panes; ++r)
        for (int c = 0; c < m_columns.panes; ++c)
            if (m_panes[r][c])
                MoveWindow(m_panes[r][c]->m_hWnd, a.columns.start[c], a.rows.start[r], a.columns.size[c],
                           a.rows.size[r], TRUE);
    LayOutScrollBars(a);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

// The first row's bar leaves room above it for the row split box while rows can still be added;
// the same for the first column's bar and the column split box.
void FxSplitterWnd::LayOutScrollBars(const Areas& a)
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    for (int r = 0; r < kMaxPanes; ++r) {
        int top = a.rows.start[r] + (r == 0 && CanSplitRows() ? kBox : 0);
        int height = a.rows.start[r] + a.rows.size[r] - top;
        MoveWindow(m_hVertBars[r], a.panes.right, top, rc.right - a.panes.right, height > 0 ? height : 0, TRUE);
        ShowWindow(m_hVertBars[r], r < m_rows.panes ? SW_SHOWNA : SW_HIDE);
    }
    for (int c = 0; c < kMaxPanes; ++c) {
        int left = a.columns.start[c] + (c == 0 && CanSplitColumns() ? kBox : 0);
        int width = a.columns.start[c] + a.columns.size[c] - left;
        MoveWindow(m_hHorzBars[c], left, a.panes.bottom, width > 0 ? width : 0, rc.bottom - a.panes.bottom, TRUE);
        ShowWindow(m_hHorzBars[c], c < m_columns.panes ? SW_SHOWNA : SW_HIDE);
    }
}

// A scroll bar's request goes to the active pane when it lies in that row (column), else to the
// first pane there; that pane passes its new position on to the others.
void FxSplitterWnd::ForwardScroll(UINT msg, WPARAM wp, LPARAM lp)
{
    HWND bar = reinterpret_cast<HWND>(lp);
    FxView* active = m_pFrame->GetActiveView();
    int activeRow = -1, activeColumn = -1;
    if (!FindPane(active, activeRow, activeColumn)) active = nullptr;
    FxView* target = nullptr;
    for (int i = 0; i < kMaxPanes; ++i) {
        if (msg == WM_VSCROLL && bar == m_hVertBars[i]) target = activeRow == i ? active : GetPane(i, 0);
        if (msg == WM_HSCROLL && bar == m_hHorzBars[i]) target = activeColumn == i ? active : GetPane(0, i);
    }
    if (target) SendMessageA(target->m_hWnd, msg, wp, lp);
}

FxSplitterWnd::Hit FxSplitterWnd::HitTest(POINT pt) const
{
    Areas a = Measure();
    if (pt.x >= a.panes.right && pt.y < kBox && CanSplitRows()) return Hit::RowBox;
    if (pt.y >= a.panes.bottom && pt.x < kBox && CanSplitColumns()) return Hit::ColumnBox;
    bool inRowGap = m_rows.panes == 2 && pt.x < a.panes.right && pt.y >= a.rows.size[0] && pt.y < a.rows.start[1];
    bool inColumnGap = m_columns.panes == 2 && pt.y < a.panes.bottom && pt.x >= a.columns.size[0] &&
                       pt.x < a.columns.start[1];
    if (inRowGap && inColumnGap) return Hit::BothBars;
    if (inRowGap) return Hit::RowBar;
    return inColumnGap ? Hit::ColumnBar : Hit::None;
}

void FxSplitterWnd::OnPaint()
{
    FxPaintDC paint(m_hWnd);
    const HDC dc = paint.Dc();
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    Areas a = Measure();
    if (m_rows.panes == 2) Fill(dc, {0, a.rows.size[0], a.panes.right, a.rows.start[1]}, COLOR_BTNFACE);
    if (m_columns.panes == 2) Fill(dc, {a.columns.size[0], 0, a.columns.start[1], a.panes.bottom}, COLOR_BTNFACE);
    Fill(dc, {a.panes.right, a.panes.bottom, rc.right, rc.bottom}, COLOR_BTNFACE);
    RECT rowBox{a.panes.right, 0, rc.right, kBox};
    RECT columnBox{0, a.panes.bottom, kBox, rc.bottom};
    if (CanSplitRows()) DrawEdge(dc, &rowBox, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    if (CanSplitColumns()) DrawEdge(dc, &columnBox, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

bool FxSplitterWnd::OnSetCursor()
{
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    const char* shape = nullptr;
    switch (HitTest(pt)) {
    case Hit::RowBar:
    case Hit::RowBox: shape = IDC_SIZENS; break;
    case Hit::ColumnBar:
    case Hit::ColumnBox: shape = IDC_SIZEWE; break;
    case Hit::BothBars: shape = IDC_SIZEALL; break;
    case Hit::None: return false;
    }
    SetCursor(LoadCursorA(nullptr, shape));
    return true;
}

void FxSplitterWnd::StartTracking(POINT pt)
{
    m_tracking = HitTest(pt);
    if (m_tracking == Hit::None) return;
    SetCapture(m_hWnd);
    TrackTo(pt);
}

// The tracker is drawn by inverting, so drawing it twice removes it. The splitter does not clip
// its children, so it shows across the panes.
void FxSplitterWnd::DrawTracker() const
{
    Areas a = Measure();
    FxClientDC dc(m_hWnd);
    if (m_tracking != Hit::ColumnBar && m_tracking != Hit::ColumnBox)
        PatBlt(dc.Get(), 0, m_trackPos.y, a.panes.right, kBar, DSTINVERT);
    if (m_tracking != Hit::RowBar && m_tracking != Hit::RowBox)
        PatBlt(dc.Get(), m_trackPos.x, 0, kBar, a.panes.bottom, DSTINVERT);
}

void FxSplitterWnd::TrackTo(POINT pt)
{
    Areas a = Measure();
    if (m_tracking == Hit::None) return;
    DrawTracker();
    m_trackPos = {Clamp(pt.x, 0, a.panes.right - kBar), Clamp(pt.y, 0, a.panes.bottom - kBar)};
    DrawTracker();
}

void FxSplitterWnd::StopTracking(bool apply)
{
    if (m_tracking == Hit::None) return;
    DrawTracker();
    if (apply) ApplyTracking();
    m_tracking = Hit::None;
    if (GetCapture() == m_hWnd) ReleaseCapture();
}

void FxSplitterWnd::ApplyTracking()
{
    Areas a = Measure();
    auto drop = [&](SplitAxis& axis, int pos, int total, int minPane, bool rows) {
        switch (DropBar(axis, pos, total, kBar, minPane)) {
        case BarDrop::Moved: RecalcLayout(); break;
        case BarDrop::CloseFirst: rows ? DeleteRow(0) : DeleteColumn(0); break;
        case BarDrop::CloseSecond: rows ? DeleteRow(1) : DeleteColumn(1); break;
        }
    };
    Hit hit = m_tracking;
    m_tracking = Hit::None;
    switch (hit) {
    case Hit::RowBox: SplitRow(m_trackPos.y); break;
    case Hit::ColumnBox: SplitColumn(m_trackPos.x); break;
    case Hit::RowBar: drop(m_rows, m_trackPos.y, a.panes.bottom, m_minPane.cy, true); break;
    case Hit::ColumnBar: drop(m_columns, m_trackPos.x, a.panes.right, m_minPane.cx, false); break;
    case Hit::BothBars:
        drop(m_rows, m_trackPos.y, a.panes.bottom, m_minPane.cy, true);
        drop(m_columns, m_trackPos.x, a.panes.right, m_minPane.cx, false);
        break;
    case Hit::None: break;
    }
}

LRESULT FxSplitterWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE: RecalcLayout(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: OnPaint(); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: ForwardScroll(msg, wp, lp); return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == m_hWnd && OnSetCursor()) return TRUE;
        break;
    case WM_LBUTTONDOWN: StartTracking({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}); return 0;
    case WM_MOUSEMOVE: TrackTo({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}); return 0;
    case WM_LBUTTONUP: StopTracking(true); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != m_hWnd) StopTracking(false);
        return 0;
    }
    return Default(msg, wp, lp);
}
