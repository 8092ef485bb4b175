#include "fx/fx_panebar.h"
#include "fx/fx_handles.h"
#include "fx/fx_paint_dc.h"
#include <windowsx.h>

namespace {
const int kCaption = 18;
const int kSizer = 5;
}  // namespace

bool FxPaneBar::Create(FxMDIFrame* frame, const char* title, SIZE size, UINT id, FxDockSide side)
{
    HWND parent = BeginCreate(frame);
    if (!parent) return false;
    m_strTitle = title;
    m_size = size;
    m_side = side;
    const char* cls = RegisterClassOnce("FxPaneBar", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT rc{0, 0, size.cx, size.cy};
    return CreateEx(0, cls, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rc, parent, id);
}

void FxPaneBar::SetChild(HWND child)
{
    m_hChild = child;
    Layout();
}

int FxPaneBar::GetExtent() const
{
    return (m_side == FxDockSide::Left || m_side == FxDockSide::Right) ? m_size.cx : m_size.cy;
}

RECT FxPaneBar::SizerRect() const
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    switch (m_side) {
    case FxDockSide::Left: rc.left = rc.right - kSizer; break;
    case FxDockSide::Right: rc.right = rc.left + kSizer; break;
    case FxDockSide::Top: rc.top = rc.bottom - kSizer; break;
    case FxDockSide::Bottom: rc.bottom = rc.top + kSizer; break;
    }
    return rc;
}

RECT FxPaneBar::CaptionRect() const
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (m_side == FxDockSide::Left) rc.right -= kSizer;
    if (m_side == FxDockSide::Right) rc.left += kSizer;
    if (m_side == FxDockSide::Bottom) rc.top += kSizer;
    rc.bottom = rc.top + kCaption;
    return rc;
}

RECT FxPaneBar::CloseRect() const
{
    RECT cap = CaptionRect();
    return RECT{cap.right - kCaption + 2, cap.top + 2, cap.right - 2, cap.bottom - 2};
}

RECT FxPaneBar::GetContentRect() const
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    RECT cap = CaptionRect();
    rc.top = cap.bottom;
    rc.left = cap.left;
    rc.right = cap.right;
    if (m_side == FxDockSide::Top) rc.bottom -= kSizer;
    return rc;
}

void FxPaneBar::Layout()
{
    if (!m_hChild) return;
    RECT rc = GetContentRect();
    MoveWindow(m_hChild, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void FxPaneBar::Paint(HDC dc)
{
    RECT cap = CaptionRect();
    FillRect(dc, &cap, GetSysColorBrush(COLOR_BTNFACE));
    RECT line{cap.left, cap.bottom - 1, cap.right, cap.bottom};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    {
        FxSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT text = cap;
        text.left += 4;
        DrawTextA(dc, m_strTitle.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    {
        // Drawn with lines: the caption font's cross glyph is not on every machine.
        RECT close = CloseRect();
        FxPen pen(CreatePen(PS_SOLID, 2, GetSysColor(COLOR_BTNTEXT)));
        FxSelectObject select(dc, pen.Get());
        MoveToEx(dc, close.left + 3, close.top + 3, nullptr);
        LineTo(dc, close.right - 3, close.bottom - 3);
        MoveToEx(dc, close.right - 3, close.top + 3, nullptr);
        LineTo(dc, close.left + 3, close.bottom - 3);
    }
    RECT sizer = SizerRect();
    DrawEdge(dc, &sizer, EDGE_RAISED, BF_RECT);
}

halyard::dock::Bar FxPaneBar::DockDescription() const
{
    halyard::dock::Bar bar;
    bar.side = m_side;
    bar.visible = IsVisible();
    bar.horz.cy = m_size.cy;
    bar.vert.cx = m_size.cx;
    return bar;
}

int FxPaneBar::DragAxis(POINT client) const
{
    ClientToScreen(m_hWnd, &client);
    return halyard::dock::IsHorizontal(m_side) ? client.y : client.x;
}

void FxPaneBar::BeginTrack(POINT client)
{
    m_nTrackStart = DragAxis(client);
    if (!m_pFrame || !m_pFrame->InnerEdgeLimits(this, m_nTrackStart, m_trackLimits)) return;
    m_nTrackExtent = m_pFrame->LaidOutThickness(this);
    m_bTracking = true;
    SetCapture(m_hWnd);
}

// The inner edge follows the mouse within the limits of its row: never thinner than the minimum,
// never leaving the MDI area less than 2 pixels.
void FxPaneBar::Track(POINT client)
{
    const int delta = m_trackLimits.Clamp(DragAxis(client)) - m_nTrackStart;
    const bool growsWithPosition = m_side == FxDockSide::Left || m_side == FxDockSide::Top;
    const int extent = m_nTrackExtent + (growsWithPosition ? delta : -delta);
    if (halyard::dock::IsHorizontal(m_side)) m_size.cy = extent;
    else m_size.cx = extent;
    if (m_pFrame) m_pFrame->RecalcLayout();
}

LRESULT FxPaneBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_PAINT: {
        FxPaintDC paint(m_hWnd);
        Paint(paint.Dc());
        return 0;
    }
    case WM_SIZE:
        Layout();
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_SETCURSOR: {
        POINT c;
        GetCursorPos(&c);
        ScreenToClient(m_hWnd, &c);
        RECT s = SizerRect();
        if (LOWORD(lp) == HTCLIENT && PtInRect(&s, c)) {
            bool horizontal = m_side == FxDockSide::Left || m_side == FxDockSide::Right;
            SetCursor(LoadCursor(nullptr, horizontal ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        RECT s = SizerRect(), close = CloseRect();
        if (PtInRect(&close, pt)) {
            if (m_pFrame) m_pFrame->ShowControlBar(this, false);
            return 0;
        }
        if (PtInRect(&s, pt)) BeginTrack(pt);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_bTracking) Track(pt);
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_bTracking) {
            m_bTracking = false;
            if (msg == WM_LBUTTONUP) ReleaseCapture();
        }
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        // Notifications of the pane's content go to its frame, which routes them.
        return m_pFrame ? SendMessageA(m_pFrame->m_hWnd, msg, wp, lp) : 0;
    }
    LRESULT brush;
    if (ReflectCtlColor(msg, wp, lp, &brush)) return brush;
    return Default(msg, wp, lp);
}
