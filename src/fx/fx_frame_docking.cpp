// Docking a bar on a side of the frame, floating it in a small frame of its own, and dragging
// it from one to the other.
#include "fx/fx_bar_paint.h"
#include "fx/fx_controlbar.h"
#include "fx/fx_mdiframe.h"
#include "fx/fx_miniframe.h"
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>

namespace {
// How far inside a side's rows (or the frame's edge) a dragged bar still docks on that side.
const int kDockZone = 24;

void SetFrameChanged(HWND hwnd)
{
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves a top-level window wholly into the work area of the monitor it is on, where it fits.
void KeepOnScreen(HWND hwnd)
{
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& work = info.rcWork;
    int x = std::max(work.left, std::min(rc.left, work.right - (rc.right - rc.left)));
    int y = std::max(work.top, std::min(rc.top, work.bottom - (rc.bottom - rc.top)));
    if (x != rc.left || y != rc.top) SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

bool FxMDIFrame::DockControlBar(FxControlBar* bar, halyard::dock::Side side, int row)
{
    if (!bar || !bar->m_hWnd || !bar->CanDock(side)) return false;
    if (row < 0) {
        row = 0;
        for (const FxControlBar* other : m_bars)
            if (other != bar && other->m_side == side) row = std::max(row, other->m_nRow + 1);
    }
    FxMiniFrame* mini = GetMiniFrame(bar);
    // Last in the list: last in its row.
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), bar), m_bars.end());
    m_bars.push_back(bar);
    bar->m_side = side;
    bar->m_nRow = row;
    bar->m_bInFrame = true;
    bar->m_bFloating = false;
    if (GetParent(bar->m_hWnd) != m_hWnd) SetParent(bar->m_hWnd, m_hWnd);
    // Only once the bar has left it: the small frame takes its children along.
    if (mini) mini->DestroyWindow();
    SetFrameChanged(bar->m_hWnd);
    RecalcLayout();
    return true;
}

bool FxMDIFrame::FloatControlBar(FxControlBar* bar, POINT screen)
{
    if (!bar || !bar->m_hWnd || !bar->m_dwDockSides) return false;
    bar->m_ptFloat = screen;
    bar->m_bFloatPlaced = true;
    if (FxMiniFrame* mini = GetMiniFrame(bar)) {
        SetWindowPos(mini->m_hWnd, nullptr, screen.x, screen.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    FxMiniFrame* mini = FxMiniFrame::Create(this, bar, screen);
    if (!mini) return false;
    AddControlBar(bar);
    bar->m_bFloating = true;
    SetParent(bar->m_hWnd, mini->m_hWnd);
    // Sized before its borders change, so that the bar keeps its floating size.
    mini->FitToBar();
    SetFrameChanged(bar->m_hWnd);
    KeepOnScreen(mini->m_hWnd);
    if (bar->IsVisible()) ShowWindow(mini->m_hWnd, SW_SHOWNA);
    RecalcLayout();
    return true;
}

bool FxMDIFrame::ToggleDocking(FxControlBar* bar)
{
    if (!bar || !bar->m_hWnd) return false;
    if (bar->m_bFloating) return DockControlBar(bar, bar->m_side, bar->m_nRow);
    POINT at = bar->m_ptFloat;
    if (!bar->m_bFloatPlaced) {
        RECT rc;
        GetWindowRect(bar->m_hWnd, &rc);
        at = POINT{rc.left, rc.top};
    }
    return FloatControlBar(bar, at);
}

FxMiniFrame* FxMDIFrame::GetMiniFrame(const FxControlBar* bar) const
{
    if (!bar || !bar->m_hWnd || !bar->m_bFloating) return nullptr;
    return dynamic_cast<FxMiniFrame*>(FromHandle(GetParent(bar->m_hWnd)));
}

bool FxMDIFrame::IsInFloatingBar(HWND hwnd) const
{
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    return root && dynamic_cast<FxMiniFrame*>(FromHandle(root)) && GetWindow(root, GW_OWNER) == m_hWnd;
}


RECT FxMDIFrame::NewRowOutline(const FxControlBar* bar, halyard::dock::Side side) const
{
    using halyard::dock::Side;
    halyard::dock::Bar d = bar->DockDescription();
    d.side = side;
    d.floating = false;
    const halyard::dock::Size size = halyard::dock::CurrentSize(d);
    const halyard::dock::Rect& mdi = m_layout.mdi;
    RECT client;
    GetClientRect(m_hWnd, &client);
    RECT rc{};
    switch (side) {
    case Side::Top: rc = RECT{client.left, mdi.top, client.right, mdi.top + size.cy}; break;
    case Side::Bottom: rc = RECT{client.left, mdi.bottom - size.cy, client.right, mdi.bottom}; break;
    case Side::Left: rc = RECT{mdi.left, mdi.top, mdi.left + size.cx, mdi.bottom}; break;
    case Side::Right: rc = RECT{mdi.right - size.cx, mdi.top, mdi.right, mdi.bottom}; break;
    }
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

FxMDIFrame::DockTarget FxMDIFrame::DockTargetAt(const FxControlBar* bar, POINT screen, POINT grab, SIZE floating) const
{
    using halyard::dock::Side;
    DockTarget target;
    const POINT corner{screen.x - grab.x, screen.y - grab.y};
    target.outline = RECT{corner.x, corner.y, corner.x + floating.cx, corner.y + floating.cy};
    RECT client;
    GetClientRect(m_hWnd, &client);
    POINT pt = screen;
    ScreenToClient(m_hWnd, &pt);
    if (!PtInRect(&client, pt)) return target;
    for (const halyard::dock::Row& r : m_layout.rows) {
        const RECT rc = ToRect(r.rect);
        if (!PtInRect(&rc, pt) || !bar->CanDock(r.side)) continue;
        target.dock = true;
        target.side = r.side;
        if (r.fixed) {
            target.outline = NewRowOutline(bar, r.side);
        } else {
            target.row = m_bars[static_cast<size_t>(r.bars.front())]->m_nRow;
            target.outline = rc;
            MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&target.outline), 2);
        }
        return target;
    }
    const halyard::dock::Rect& mdi = m_layout.mdi;
    const struct {
        Side side;
        int gap;  // how far inside the side's rows the cursor is
    } bands[] = {{Side::Top, pt.y - mdi.top},
                 {Side::Bottom, mdi.bottom - 1 - pt.y},
                 {Side::Left, pt.x - mdi.left},
                 {Side::Right, mdi.right - 1 - pt.x}};
    int nearest = kDockZone;
    for (const auto& band : bands) {
        if (band.gap < 0 || band.gap >= nearest || !bar->CanDock(band.side)) continue;
        nearest = band.gap;
        target.dock = true;
        target.side = band.side;
    }
    if (target.dock) target.outline = NewRowOutline(bar, target.side);
    return target;
}

bool FxMDIFrame::DragControlBar(FxControlBar* bar, POINT screen)
{
    if (!bar || !bar->m_hWnd || !bar->m_dwDockSides || m_drag.active) return false;
    // The point held keeps its place in the outline of the floating bar.
    FxMiniFrame* mini = GetMiniFrame(bar);
    RECT from;
    GetWindowRect(mini ? mini->m_hWnd : bar->m_hWnd, &from);
    halyard::dock::Bar d = bar->DockDescription();
    d.floating = true;
    const halyard::dock::Size size = halyard::dock::CurrentSize(d);
    const SIZE floating = FxMiniFrame::WindowSizeFor(SIZE{size.cx, size.cy});
    const POINT grab{std::max(0L, std::min<LONG>(screen.x - from.left, floating.cx - 1)),
                     std::max(0L, std::min<LONG>(screen.y - from.top, floating.cy - 1))};
    const int slopX = GetSystemMetrics(SM_CXDRAG), slopY = GetSystemMetrics(SM_CYDRAG);
    SetCapture(m_hWnd);
    bool moved = false, drop = false, shown = false;
    DockTarget target;
    MSG msg;
    while (GetCapture() == m_hWnd) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            ClientToScreen(msg.hwnd, &pt);
            moved = moved || std::abs(pt.x - screen.x) > slopX || std::abs(pt.y - screen.y) > slopY;
            if (moved) {
                if (shown) FxInvertDragFrame(target.outline);
                target = DockTargetAt(bar, pt, grab, floating);
                FxInvertDragFrame(target.outline);
                shown = true;
            }
            if (msg.message == WM_LBUTTONUP) {
                drop = moved;
                ReleaseCapture();
            }
        } else if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
            ReleaseCapture();
        } else if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
            // Keys belong to the drag; everything else (painting, timers) goes on.
            DispatchMessageA(&msg);
        }
    }
    if (shown) FxInvertDragFrame(target.outline);
    if (!drop) return false;
    if (target.dock) return DockControlBar(bar, target.side, target.row);
    return FloatControlBar(bar, POINT{target.outline.left, target.outline.top});
}
