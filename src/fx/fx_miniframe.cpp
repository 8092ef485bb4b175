#include "fx/fx_miniframe.h"
#include "fx/fx_bar_paint.h"
#include "fx/fx_controlbar.h"
#include "fx/fx_handles.h"
#include <windowsx.h>
#include <algorithm>

namespace {
const int kBorder = 4;    // the sizing border on every side
const int kCaption = 16;  // below the top border
const int kClose = 13;    // the close box is square
const int kCorner = 12;   // how far along a side a corner's sizing reaches

POINT ToWindow(HWND hwnd, POINT screen)
{
    RECT wnd;
    GetWindowRect(hwnd, &wnd);
    return POINT{screen.x - wnd.left, screen.y - wnd.top};
}
}  // namespace

FxMiniFrame* FxMiniFrame::Create(FxMDIFrame* frame, FxControlBar* bar, POINT screen)
{
    if (!frame || !frame->m_hWnd || !bar || !bar->m_hWnd) return nullptr;
    auto* mini = new FxMiniFrame(frame, bar);
    const char* cls =
        RegisterClassOnce("FxMiniFrame", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    char title[256] = {};
    GetWindowTextA(bar->m_hWnd, title, sizeof title);
    const RECT rc{screen.x, screen.y, screen.x + 100, screen.y + 100};
    PrepareCreate(mini);
    HWND h = CreateWindowExA(WS_EX_TOOLWINDOW, cls, title, WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN, rc.left, rc.top,
                             rc.right - rc.left, rc.bottom - rc.top, frame->m_hWnd, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    // A window that failed after it existed has deleted the object with itself.
    if (EndCreate(mini)) {
        delete mini;
        return nullptr;
    }
    return h ? mini : nullptr;
}

SIZE FxMiniFrame::WindowSizeFor(SIZE client)
{
    return SIZE{client.cx + 2 * kBorder, client.cy + 2 * kBorder + kCaption};
}

void FxMiniFrame::FitToBar()
{
    const halyard::dock::Size size = halyard::dock::CurrentSize(m_pBar->DockDescription());
    const SIZE window = WindowSizeFor(SIZE{size.cx, size.cy});
    SetWindowPos(m_hWnd, nullptr, 0, 0, window.cx, window.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(m_hWnd, &client);
    MoveWindow(m_pBar->m_hWnd, 0, 0, client.right, client.bottom, TRUE);
}

void FxMiniFrame::SyncTitle()
{
    char title[256] = {};
    GetWindowTextA(m_pBar->m_hWnd, title, sizeof title);
    SetWindowTextA(m_hWnd, title);
    Repaint();
}

RECT FxMiniFrame::GetCaptionRect() const
{
    RECT wnd;
    GetWindowRect(m_hWnd, &wnd);
    return RECT{kBorder, kBorder, wnd.right - wnd.left - kBorder, kBorder + kCaption};
}

RECT FxMiniFrame::GetCloseRect() const
{
    const RECT cap = GetCaptionRect();
    const int top = cap.top + (kCaption - kClose) / 2;
    return RECT{cap.right - 2 - kClose, top, cap.right - 2, top + kClose};
}

bool FxMiniFrame::OverClose(POINT screen) const
{
    const RECT close = GetCloseRect();
    return PtInRect(&close, ToWindow(m_hWnd, screen)) != FALSE;
}

LRESULT FxMiniFrame::HitTest(POINT screen) const
{
    RECT wnd;
    GetWindowRect(m_hWnd, &wnd);
    if (!PtInRect(&wnd, screen)) return HTNOWHERE;
    if (OverClose(screen)) return HTCLOSE;
    const POINT p = ToWindow(m_hWnd, screen);
    const int cx = wnd.right - wnd.left, cy = wnd.bottom - wnd.top;
    const bool left = p.x < kBorder, right = p.x >= cx - kBorder;
    const bool top = p.y < kBorder, bottom = p.y >= cy - kBorder;
    const bool nearLeft = p.x < kCorner, nearRight = p.x >= cx - kCorner;
    const bool nearTop = p.y < kCorner, nearBottom = p.y >= cy - kCorner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (p.y < kBorder + kCaption) return HTCAPTION;
    return HTCLIENT;
}

void FxMiniFrame::PaintNonClient(HDC dc) const
{
    RECT wnd;
    GetWindowRect(m_hWnd, &wnd);
    RECT all{0, 0, wnd.right - wnd.left, wnd.bottom - wnd.top};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    RECT cap = GetCaptionRect();
    FillRect(dc, &cap, GetSysColorBrush(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    char title[256] = {};
    GetWindowTextA(m_hWnd, title, sizeof title);
    const RECT close = GetCloseRect();
    RECT text{cap.left + 3, cap.top, close.left - 2, cap.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    {
        FxSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    FillRect(dc, &close, GetSysColorBrush(COLOR_BTNFACE));
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    FxDraw3dRect(dc, close, m_bPushed ? dark : light, m_bPushed ? light : dark);
    const int shift = m_bPushed ? 1 : 0;
    FxDrawCloseCross(dc, close.left + 2 + shift, close.top + 3 + shift, GetSysColor(COLOR_BTNTEXT));
}

void FxMiniFrame::Repaint() const
{
    if (m_hWnd) RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void FxMiniFrame::SetPushed(bool pushed)
{
    if (pushed == m_bPushed) return;
    m_bPushed = pushed;
    Repaint();
}

void FxMiniFrame::OnClosePress()
{
    m_bClosePressed = true;
    SetCapture(m_hWnd);
    SetPushed(true);
}

void FxMiniFrame::OnMinMaxInfo(MINMAXINFO* info) const
{
    info->ptMinTrackSize.x = halyard::dock::kMinFloating.cx + 2 * kBorder;
    info->ptMinTrackSize.y = halyard::dock::kMinFloating.cy + 2 * kBorder + kCaption;
}

LRESULT FxMiniFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_NCCALCSIZE: {
        RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0];
        rc.left += kBorder;
        rc.top += kBorder + kCaption;
        rc.right = std::max(rc.left, rc.right - kBorder);
        rc.bottom = std::max(rc.top, rc.bottom - kBorder);
        return 0;
    }
    case WM_NCHITTEST:
        return HitTest(pt);
    case WM_NCPAINT:
        FxPaintNonClient(m_hWnd, [this](HDC dc) { PaintNonClient(dc); });
        return 0;
    case WM_NCACTIVATE:
        m_bActive = wp != FALSE;
        Repaint();
        return TRUE;
    case WM_SETTEXT: {
        LRESULT result = Default(msg, wp, lp);
        Repaint();
        return result;
    }
    case WM_NCLBUTTONDOWN:
        if (wp == HTCLOSE) {
            OnClosePress();
            return 0;
        }
        // Moving by the caption may dock the bar, and this window goes with it.
        if (wp == HTCAPTION) {
            m_pFrame->DragControlBar(m_pBar, pt);
            return 0;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        // The bar docks again and this window goes with it: nothing of it is touched after.
        if (wp == HTCAPTION) {
            m_pFrame->ToggleDocking(m_pBar);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_bClosePressed) {
            POINT screen = pt;
            ClientToScreen(m_hWnd, &screen);
            SetPushed(OverClose(screen));
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_bClosePressed) {
            POINT screen = pt;
            ClientToScreen(m_hWnd, &screen);
            const bool close = OverClose(screen);
            m_bClosePressed = false;
            ReleaseCapture();
            SetPushed(false);
            if (close) m_pFrame->ShowControlBar(m_pBar, false);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (m_bClosePressed && reinterpret_cast<HWND>(lp) != m_hWnd) {
            m_bClosePressed = false;
            SetPushed(false);
        }
        return 0;
    case WM_CLOSE:
        m_pFrame->ShowControlBar(m_pBar, false);
        return 0;
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
        return 0;
    case WM_SIZE:
        if (GetParent(m_pBar->m_hWnd) == m_hWnd) MoveWindow(m_pBar->m_hWnd, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_MOVE: {
        RECT wnd;
        GetWindowRect(m_hWnd, &wnd);
        m_pBar->m_ptFloat = POINT{wnd.left, wnd.top};
        m_pBar->m_bFloatPlaced = true;
        return 0;
    }
    }
    return Default(msg, wp, lp);
}
