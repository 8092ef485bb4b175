// Dragging an edge of the docking layout: a row's inner edge (for its bar) or a divider
// between two bars of a row (the frame's own).
#include "fx/fx_bar_paint.h"
#include "fx/fx_controlbar.h"
#include "fx/fx_mdiframe.h"
#include <algorithm>

namespace {
// The row of the last layout that holds bar `index`, or -1.
int RowOfIndex(const halyard::dock::Layout& layout, size_t index)
{
    for (size_t r = 0; r < layout.rows.size(); ++r)
        for (int b : layout.rows[r].bars)
            if (static_cast<size_t>(b) == index) return static_cast<int>(r);
    return -1;
}
}  // namespace

int FxMDIFrame::RowOf(const FxControlBar* bar) const
{
    auto it = std::find(m_bars.begin(), m_bars.end(), bar);
    return it == m_bars.end() ? -1 : RowOfIndex(m_layout, static_cast<size_t>(it - m_bars.begin()));
}

bool FxMDIFrame::BeginEdgeDrag(const FxControlBar* bar, halyard::dock::Side edge, int start)
{
    using halyard::dock::Side;
    const int row = RowOf(bar);
    if (row < 0) return false;
    const halyard::dock::Row& r = m_layout.rows[static_cast<size_t>(row)];
    if (edge == r.side) return false;  // the outer edge lies on the frame's side
    const bool acrossRow = halyard::dock::IsHorizontal(r.side) == (edge == Side::Top || edge == Side::Bottom);
    if (acrossRow) return BeginRowDrag(row, 0, start);
    const int barIndex = static_cast<int>(std::find(m_bars.begin(), m_bars.end(), bar) - m_bars.begin());
    const int index = static_cast<int>(std::find(r.bars.begin(), r.bars.end(), barIndex) - r.bars.begin());
    const int before = (edge == Side::Left || edge == Side::Top) ? index : index + 1;
    if (before < 1 || before >= static_cast<int>(r.bars.size())) return false;
    return BeginRowDrag(row, before, start);
}

bool FxMDIFrame::BeginDividerDrag(size_t divider, int start)
{
    if (divider >= m_layout.dividers.size()) return false;
    const halyard::dock::Divider& d = m_layout.dividers[divider];
    return BeginRowDrag(d.row, d.before, start);
}

bool FxMDIFrame::BeginRowDrag(int row, int before, int start)
{
    using halyard::dock::Side;
    const halyard::dock::Row& r = m_layout.rows[static_cast<size_t>(row)];
    if (m_drag.active || r.fixed) return false;
    EdgeDrag drag;
    drag.side = r.side;
    drag.before = before;
    drag.start = start;
    drag.row = halyard::dock::TrackingRow(m_barDescriptions, m_layout, row);
    for (int i : r.bars) drag.bars.push_back(m_bars[static_cast<size_t>(i)]);
    const int w = halyard::dock::kDividerWidth;
    if (before == 0) {
        drag.limits = halyard::dock::InnerEdgeLimits(r.side, drag.row, halyard::dock::FreeSpace(m_layout, r.side), start);
        RECT strip = ToRect(r.rect);
        switch (r.side) {
        case Side::Top: strip.top = strip.bottom - w; break;
        case Side::Bottom: strip.bottom = strip.top + w; break;
        case Side::Left: strip.left = strip.right - w; break;
        case Side::Right: strip.right = strip.left + w; break;
        }
        drag.strip = strip;
    } else {
        drag.limits = halyard::dock::DividerLimits(drag.row, before, start);
        for (const halyard::dock::Divider& d : m_layout.dividers)
            if (d.row == row && d.before == before) drag.strip = ToRect(d.rect);
    }
    drag.active = true;
    m_drag = std::move(drag);
    return true;
}

void FxMDIFrame::DragTo(int position)
{
    if (!m_drag.active) return;
    const int distance = m_drag.limits.Clamp(position) - m_drag.start;
    std::vector<halyard::dock::RowBar> row = m_drag.row;
    if (m_drag.before == 0) halyard::dock::MoveInnerEdge(m_drag.side, row, distance);
    else halyard::dock::MoveDivider(row, m_drag.before, distance);
    for (size_t i = 0; i < row.size() && i < m_drag.bars.size(); ++i)
        m_drag.bars[i]->SetDockedSize(m_drag.side, halyard::dock::DockedSize(m_drag.side, row[i]));
}

bool FxMDIFrame::DragAlongX() const
{
    return (m_drag.before != 0) == halyard::dock::IsHorizontal(m_drag.side);
}

RECT FxMDIFrame::DragOutline(int position) const
{
    RECT rc = m_drag.strip;
    const int distance = m_drag.limits.Clamp(position) - m_drag.start;
    OffsetRect(&rc, DragAlongX() ? distance : 0, DragAlongX() ? 0 : distance);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int FxMDIFrame::DividerAt(POINT client) const
{
    for (size_t i = 0; i < m_layout.dividers.size(); ++i) {
        const RECT rc = ToRect(m_layout.dividers[i].rect);
        if (PtInRect(&rc, client)) return static_cast<int>(i);
    }
    return -1;
}

// ---- The frame's own divider drags ----

halyard::dock::Side FxMDIFrame::DividerSide(int divider) const
{
    return m_layout.rows[static_cast<size_t>(m_layout.dividers[static_cast<size_t>(divider)].row)].side;
}

bool FxMDIFrame::OnSetCursor(HWND hwnd, UINT hit)
{
    if (hwnd != m_hWnd || hit != HTCLIENT) return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    const int divider = DividerAt(pt);
    if (divider < 0) return false;
    SetCursor(LoadCursor(nullptr, halyard::dock::IsHorizontal(DividerSide(divider)) ? IDC_SIZEWE : IDC_SIZENS));
    return true;
}

void FxMDIFrame::OnDividerPress(POINT client)
{
    const int divider = DividerAt(client);
    if (divider < 0 || m_drag.active) return;
    POINT screen = client;
    ClientToScreen(m_hWnd, &screen);
    const int start = halyard::dock::IsHorizontal(DividerSide(divider)) ? screen.x : screen.y;
    if (!BeginDividerDrag(static_cast<size_t>(divider), start)) return;
    m_bDividerTracking = true;
    m_nDividerPos = start;
    SetCapture(m_hWnd);
    if (!m_bFullDrag) InvertDividerOutline();
}

void FxMDIFrame::OnDividerMove(POINT client)
{
    POINT screen = client;
    ClientToScreen(m_hWnd, &screen);
    const int pos = m_drag.limits.Clamp(DragAlongX() ? screen.x : screen.y);
    if (pos == m_nDividerPos) return;
    if (!m_bFullDrag) InvertDividerOutline();
    m_nDividerPos = pos;
    DragTo(pos);
    if (!m_bFullDrag) InvertDividerOutline();
    else DelayRecalcLayout();
}

void FxMDIFrame::EndDividerDrag()
{
    if (!m_bDividerTracking) return;
    if (!m_bFullDrag) InvertDividerOutline();
    // Cleared first: releasing the capture comes back here through WM_CAPTURECHANGED.
    m_bDividerTracking = false;
    EndDrag();
    if (GetCapture() == m_hWnd) ReleaseCapture();
    DelayRecalcLayout();
}

void FxMDIFrame::InvertDividerOutline() { FxInvertHalftone(m_hWnd, DragOutline(m_nDividerPos)); }

