#include "debugger/cell_edit.h"

void CCellEdit::Open(HWND list, const RECT& cell, const std::string& text, std::function<void(const std::string&)> done)
{
    HWND edit = CreateWindowExA(0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
                                cell.top, cell.right - cell.left, cell.bottom - cell.top, list, nullptr, nullptr, nullptr);
    if (!edit) return;
    SendMessageA(edit, WM_SETFONT, SendMessageA(list, WM_GETFONT, 0, 0), TRUE);
    auto* self = new CCellEdit;
    self->m_done = std::move(done);
    if (!self->SubclassWindow(edit)) {
        delete self;
        ::DestroyWindow(edit);
        return;
    }
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

LRESULT CCellEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    if (msg == WM_KEYDOWN && (wp == VK_RETURN || wp == VK_ESCAPE) && !m_closing) {
        m_closing = true;
        char text[256] = {};
        GetWindowTextA(m_hWnd, text, sizeof text);
        const auto done = m_done;
        HWND parent = GetParent(m_hWnd);
        ::DestroyWindow(m_hWnd);  // this object is gone after this line
        SetFocus(parent);
        if (wp == VK_RETURN && done) done(text);
        return 0;
    }
    if (msg == WM_CHAR && (wp == '\r' || wp == 27)) return 0;
    if (msg == WM_KILLFOCUS && !m_closing) {
        m_closing = true;
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    }
    return FxWnd::WindowProc(msg, wp, lp);
}
