#include "fx/fx_dialogbar.h"

static INT_PTR CALLBACK BarDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

bool FxDialogBar::Create(FxMDIFrame* frame, UINT templateId, UINT id)
{
    HWND parent = BeginCreate(frame);
    if (!parent) return false;
    HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, BarDialogProc, 0);
    if (!h || !SubclassWindow(h)) return false;
    SetWindowLongPtrA(h, GWLP_ID, static_cast<LONG_PTR>(id));
    SetWindowLongPtrA(h, GWL_STYLE, (GetWindowLongPtrA(h, GWL_STYLE) & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS);
    RECT rc;
    GetWindowRect(h, &rc);
    m_nHeight = rc.bottom - rc.top + 4;
    ShowWindow(h, SW_SHOW);
    return true;
}

LRESULT FxDialogBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && lp) {
        if (m_pFrame) m_pFrame->RouteCmdMsg(LOWORD(wp), HIWORD(wp));
        return 0;
    }
    if (msg == WM_NOTIFY && m_pFrame) {
        // The handler's answer goes back to the control; unhandled, the bar's default answers.
        LRESULT result = 0;
        if (m_pFrame->RouteNotify(*reinterpret_cast<NMHDR*>(lp), result)) return result;
    }
    return Default(msg, wp, lp);
}
