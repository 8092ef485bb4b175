#include "frame/resizable_bar.h"
#include "fx/fx_bar_paint.h"
#include "fx/fx_miniframe.h"
#include <windowsx.h>
#include <algorithm>

namespace {
// The edge flag of the side that faces the frame's inside.
DWORD InnerEdge(FxDockSide side)
{
    switch (side) {
    case FxDockSide::Top: return CResizableBar::kEdgeBottom;
    case FxDockSide::Bottom: return CResizableBar::kEdgeTop;
    case FxDockSide::Left: return CResizableBar::kEdgeRight;
    case FxDockSide::Right: break;
    }
    return CResizableBar::kEdgeLeft;
}

// The bar's edge a sizing hit code names; false for corners and everything else.
bool EdgeOf(UINT hit, FxDockSide& edge)
{
    switch (hit) {
    case HTLEFT: edge = FxDockSide::Left; return true;
    case HTRIGHT: edge = FxDockSide::Right; return true;
    case HTTOP: edge = FxDockSide::Top; return true;
    case HTBOTTOM: edge = FxDockSide::Bottom; return true;
    }
    return false;
}

halyard::dock::Size ToSize(SIZE s) { return {s.cx, s.cy}; }
}  // namespace

bool CResizableBar::Create(const char* title, FxMDIFrame* frame, SIZE defaultSize, BOOL, UINT id, DWORD style)
{
    HWND parent = BeginCreate(frame);
    if (!parent) return false;
    m_szHorz = m_szVert = m_szFloat = defaultSize;
    const char* cls = RegisterClassOnce("HalyardResizableBar", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                        nullptr, LoadCursor(nullptr, IDC_ARROW));
    const RECT rc{0, 0, defaultSize.cx, defaultSize.cy};
    // Only the window style: the low word belongs to the window class.
    const DWORD windowStyle = (style & 0xFFFF0000u) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!CreateEx(0, cls, title, windowStyle, rc, parent, id)) return false;
    ReadDragSetting();
    return true;
}

SIZE CResizableBar::GetCurrentSize() const
{
    if (IsFloating()) return m_szFloat;
    return halyard::dock::IsHorizontal(GetDockSide()) ? m_szHorz : m_szVert;
}

int CResizableBar::GetExtent() const
{
    const SIZE size = GetCurrentSize();
    return IsVertDocked() ? size.cx : size.cy;
}

halyard::dock::Bar CResizableBar::DockDescription() const
{
    halyard::dock::Bar bar;
    bar.side = GetDockSide();
    bar.row = GetDockRow();
    bar.visible = IsVisible();
    bar.floating = IsFloating();
    bar.horz = ToSize(m_szHorz);
    bar.vert = ToSize(m_szVert);
    bar.floatSize = ToSize(m_szFloat);
    bar.minHorz = ToSize(m_szMinHorz);
    bar.minVert = ToSize(m_szMinVert);
    bar.minFloat = ToSize(m_szMinFloat);
    return bar;
}

void CResizableBar::SetDockedSize(FxDockSide side, halyard::dock::Size size)
{
    (halyard::dock::IsHorizontal(side) ? m_szHorz : m_szVert) = SIZE{size.cx, size.cy};
}

void CResizableBar::ReadDragSetting()
{
    BOOL full = FALSE;
    m_bDragShowContent = SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

// ---- Non-client area ----

void CResizableBar::CalcNcSize(RECT& rc)
{
    rc.left += 3;
    rc.top += 5;
    rc.right -= 3;
    rc.bottom -= 3;
    // One resizable edge at a time: a bar docked elsewhere before keeps none of its old one.
    m_dwBarStyle &= ~kEdgeAll;
    if (!IsFloating()) {
        rc.left += 2;
        rc.right -= 2;
        rc.bottom -= 2;
        m_dwBarStyle |= InnerEdge(GetDockSide());
    }
    if (m_dwBarStyle & kShowEdges) {
        if (m_dwBarStyle & kEdgeLeft) rc.left += m_cxEdge;
        if (m_dwBarStyle & kEdgeTop) rc.top += m_cxEdge;
        if (m_dwBarStyle & kEdgeRight) rc.right -= m_cxEdge;
        if (m_dwBarStyle & kEdgeBottom) rc.bottom -= m_cxEdge;
    }
}

LRESULT CResizableBar::HitTest(POINT pt)
{
    if (IsFloating()) return HTCLIENT;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    if (m_dwBarStyle & kShowEdges) InflateRect(&rc, -1, -1);
    if (!PtInRect(&rc, pt)) return HTCLIENT;
    if ((m_dwBarStyle & kEdgeLeft) && pt.x < rc.left + m_cxEdge) return HTLEFT;
    if ((m_dwBarStyle & kEdgeTop) && pt.y < rc.top + m_cxEdge) return HTTOP;
    if ((m_dwBarStyle & kEdgeRight) && pt.x >= rc.right - m_cxEdge) return HTRIGHT;
    if ((m_dwBarStyle & kEdgeBottom) && pt.y >= rc.bottom - m_cxEdge) return HTBOTTOM;
    return HTCLIENT;
}

void CResizableBar::PaintNonClient(HDC dc)
{
    RECT wnd, client;
    GetWindowRect(m_hWnd, &wnd);
    GetClientRect(m_hWnd, &client);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -wnd.left, -wnd.top);
    const RECT all{0, 0, wnd.right - wnd.left, wnd.bottom - wnd.top};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (m_dwBarStyle & kShowEdges) {
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
        const int e = m_cxEdge;
        if (m_dwBarStyle & kEdgeLeft) FxDraw3dRect(dc, {client.left - e, client.top, client.left, client.bottom}, light, dark);
        if (m_dwBarStyle & kEdgeTop) FxDraw3dRect(dc, {client.left, client.top - e, client.right, client.top}, light, dark);
        if (m_dwBarStyle & kEdgeRight) FxDraw3dRect(dc, {client.right, client.top, client.right + e, client.bottom}, light, dark);
        if (m_dwBarStyle & kEdgeBottom) FxDraw3dRect(dc, {client.left, client.bottom, client.right, client.bottom + e}, light, dark);
    }
    DrawCaption(dc);
}

void CResizableBar::RedrawNonClient()
{
    if (m_hWnd) RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// ---- Tracking ----

void CResizableBar::StartTracking(UINT hitCode, POINT screen)
{
    FxDockSide edge;
    if (m_bTracking || !m_pFrame || !EdgeOf(hitCode, edge)) return;
    const int start = (hitCode == HTLEFT || hitCode == HTRIGHT) ? screen.x : screen.y;
    if (!m_pFrame->BeginEdgeDrag(this, edge, start)) return;
    SetCapture(m_hWnd);
    // Painted before the outline goes over it, so that no late paint breaks the inversion.
    if (!m_bDragShowContent) RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_bTracking = true;
    m_htEdge = hitCode;
    m_nTrackPos = start;
    if (!m_bDragShowContent) OnTrackInvertTracker();
}

void CResizableBar::EndTracking()
{
    if (!m_bTracking) return;
    if (!m_bDragShowContent) OnTrackInvertTracker();
    // Cleared first: releasing the capture comes back here through WM_CAPTURECHANGED.
    m_bTracking = false;
    if (m_pFrame) {
        m_pFrame->EndDrag();
        m_pFrame->DelayRecalcLayout();
    }
    if (GetCapture() == m_hWnd) ReleaseCapture();
}

void CResizableBar::OnTrackUpdateSize(POINT screen)
{
    if (!m_bTracking || !m_pFrame) return;
    const int pos = m_pFrame->GetDragLimits().Clamp(DragsAlongX() ? screen.x : screen.y);
    if (pos == m_nTrackPos) return;
    if (!m_bDragShowContent) OnTrackInvertTracker();
    m_nTrackPos = pos;
    m_pFrame->DragTo(pos);
    if (!m_bDragShowContent) OnTrackInvertTracker();
    else m_pFrame->DelayRecalcLayout();
}

void CResizableBar::OnTrackInvertTracker()
{
    if (m_pFrame) FxInvertHalftone(m_pFrame->m_hWnd, m_pFrame->DragOutline(m_nTrackPos));
}

// ---- Messages ----

void CResizableBar::OnSize(int cx, int cy)
{
    if (IsFloating()) {
        RECT rc;
        GetWindowRect(m_hWnd, &rc);
        m_szFloat = SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }
    if (!(m_dwBarStyle & kSizeChild)) return;
    if (HWND child = GetWindow(m_hWnd, GW_CHILD)) MoveWindow(child, 0, 0, cx, cy, TRUE);
}

void CResizableBar::OnSetText()
{
    if (FxMiniFrame* mini = m_pFrame ? m_pFrame->GetMiniFrame(this) : nullptr) mini->SyncTitle();
}

LRESULT CResizableBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_NCCALCSIZE: {
        RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0];
        const RECT wnd = rc;
        CalcNcSize(rc);
        // A bar smaller than its borders has an empty client area inside its window.
        rc.left = std::min(rc.left, wnd.right);
        rc.top = std::min(rc.top, wnd.bottom);
        rc.right = std::max(rc.left, rc.right);
        rc.bottom = std::max(rc.top, rc.bottom);
        return 0;
    }
    case WM_NCPAINT:
        FxPaintNonClient(m_hWnd, [this](HDC dc) { PaintNonClient(dc); });
        return 0;
    case WM_NCHITTEST:
        return HitTest(pt);
    case WM_NCLBUTTONDOWN:
        // Never the system's own sizing or moving of a child window.
        if (wp >= HTSIZEFIRST && wp <= HTSIZELAST && !IsFloating()) StartTracking(static_cast<UINT>(wp), pt);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        return 0;
    case WM_MOUSEMOVE:
        if (m_bTracking) {
            POINT screen = pt;
            ClientToScreen(m_hWnd, &screen);
            OnTrackUpdateSize(screen);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        EndTracking();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != m_hWnd) EndTracking();
        return 0;
    case WM_LBUTTONDOWN:
        // The borders and the caption strip answer as client area: a press there drags the bar.
        if (m_pFrame && !m_bTracking) {
            POINT screen = pt;
            ClientToScreen(m_hWnd, &screen);
            m_pFrame->DragControlBar(this, screen);
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (m_pFrame) m_pFrame->ToggleDocking(this);
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = Default(msg, wp, lp);
        OnSetText();
        return result;
    }
    case WM_CLOSE:
        // A child's close (Escape in a multi-line edit) never destroys the bar.
        return 0;
    case WM_SETTINGCHANGE:
        ReadDragSetting();
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        // Notifications of the bar's content go to its frame, which routes them.
        return m_pFrame ? SendMessageA(m_pFrame->m_hWnd, msg, wp, lp) : 0;
    }
    LRESULT brush;
    if (ReflectCtlColor(msg, wp, lp, &brush)) return brush;
    return Default(msg, wp, lp);
}
