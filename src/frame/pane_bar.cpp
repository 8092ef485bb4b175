#include "frame/pane_bar.h"
#include "fx/fx_bar_paint.h"
#include <windowsx.h>

RECT CPaneBar::GetCloseRect() const
{
    if (IsFloating()) return RECT{};
    return RECT{m_ptClose.x, m_ptClose.y, m_ptClose.x + kCloseSize, m_ptClose.y + kCloseSize};
}

bool CPaneBar::OverClose(POINT screen) const
{
    RECT wnd;
    GetWindowRect(m_hWnd, &wnd);
    const RECT close = GetCloseRect();
    const POINT pt{screen.x - wnd.left, screen.y - wnd.top};
    return PtInRect(&close, pt) != FALSE;
}

void CPaneBar::CalcNcSize(RECT& rc)
{
    const RECT wnd = rc;
    CResizableBar::CalcNcSize(rc);
    if (IsFloating()) return;
    if (IsHorzDocked()) {
        rc.left += m_cyCaption;
        m_ptClose = POINT{rc.left - 14 - wnd.left, rc.top - wnd.top};
    } else {
        rc.top += m_cyCaption;
        m_ptClose = POINT{rc.right - 12 - wnd.left, rc.top - 14 - wnd.top};
    }
}

LRESULT CPaneBar::HitTest(POINT screen)
{
    const LRESULT hit = CResizableBar::HitTest(screen);
    if (hit != HTCLIENT || IsFloating()) return hit;
    return OverClose(screen) ? kHitClose : HTCLIENT;
}

void CPaneBar::DrawCaption(HDC dc)
{
    if (IsFloating()) return;
    DrawGripper(dc);
    DrawCloseButton(dc);
}

// Two raised lines, 3 pixels wide and 3 apart, in line with the close button.
void CPaneBar::DrawGripper(HDC dc) const
{
    RECT wnd, client;
    GetWindowRect(m_hWnd, &wnd);
    GetClientRect(m_hWnd, &client);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -wnd.left, -wnd.top);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    for (int offset : {2, 8}) {
        const RECT line = IsHorzDocked()
                              ? RECT{m_ptClose.x + offset, m_ptClose.y + 16, m_ptClose.x + offset + 3, client.bottom}
                              : RECT{client.left, m_ptClose.y + offset, m_ptClose.x - 3, m_ptClose.y + offset + 3};
        if (!IsRectEmpty(&line)) FxDraw3dRect(dc, line, light, dark);
    }
}

void CPaneBar::DrawCloseButton(HDC dc) const
{
    const RECT box = GetCloseRect();
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    if (m_bPushed) FxDraw3dRect(dc, box, dark, light);
    else if (m_bHot) FxDraw3dRect(dc, box, light, dark);
    FxDrawCloseCross(dc, box.left + 3, box.top + 3, GetSysColor(COLOR_BTNTEXT));
}

void CPaneBar::SetStates(bool hot, bool pushed, bool active)
{
    if (hot == m_bHot && pushed == m_bPushed && active == m_bActive) return;
    m_bHot = hot;
    m_bPushed = pushed;
    m_bActive = active;
    RedrawNonClient();
}

void CPaneBar::OnIdleUpdate()
{
    if (!m_hWnd || m_bClosePressed) return;
    POINT cursor;
    GetCursorPos(&cursor);
    const bool onClose = IsVisible() && !IsFloating() && WindowFromPoint(cursor) == m_hWnd && OverClose(cursor);
    const bool down = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    HWND focus = GetFocus();
    SetStates(onClose && !down, onClose && down, focus && (focus == m_hWnd || IsChild(m_hWnd, focus)));
}

void CPaneBar::Close()
{
    SetStates(false, false, m_bActive);
    if (m_pFrame) m_pFrame->ShowControlBar(this, false);
}

// The close button's share of the mouse; true when the message was its.
bool CPaneBar::OnCloseMessage(UINT msg, WPARAM wp, POINT pt)
{
    POINT screen = pt;
    switch (msg) {
    case WM_NCMOUSEMOVE:
        if (m_bClosePressed) return false;
        SetStates(wp == kHitClose, false, m_bActive);
        return false;
    case WM_NCLBUTTONDOWN:
        if (wp != kHitClose) return false;
        m_bClosePressed = true;
        SetCapture(m_hWnd);
        SetStates(false, true, m_bActive);
        return true;
    case WM_NCLBUTTONUP:
        // A press that began elsewhere and ends here closes too.
        if (wp != kHitClose || m_bClosePressed) return false;
        Close();
        return true;
    case WM_MOUSEMOVE:
        if (!m_bClosePressed) return false;
        ClientToScreen(m_hWnd, &screen);
        SetStates(false, OverClose(screen), m_bActive);
        return true;
    case WM_LBUTTONUP: {
        if (!m_bClosePressed) return false;
        ClientToScreen(m_hWnd, &screen);
        const bool over = OverClose(screen);
        m_bClosePressed = false;
        ReleaseCapture();
        SetStates(false, false, m_bActive);
        if (over) Close();
        return true;
    }
    case WM_CAPTURECHANGED:
        if (!m_bClosePressed) return false;
        m_bClosePressed = false;
        SetStates(false, false, m_bActive);
        return true;
    }
    return false;
}

LRESULT CPaneBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (OnCloseMessage(msg, wp, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) return 0;
    if (msg == WM_SETTEXT) {
        const LRESULT result = CResizableBar::WindowProc(msg, wp, lp);
        RedrawNonClient();
        return result;
    }
    return CResizableBar::WindowProc(msg, wp, lp);
}
