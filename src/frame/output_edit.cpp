#include "frame/output_edit.h"
#include "asm/colour_scheme.h"

bool COutputEdit::Create(HWND parent, UINT id)
{
    RECT rc{0, 0, 0, 0};
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY;
    if (!CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style, rc, parent, id)) return false;
    SendMessageA(m_hWnd, EM_SETLIMITTEXT, 0, 0);  // a multi-line edit stops near 30,000 characters otherwise
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return true;
}

void COutputEdit::Append(const char* text)
{
    int end = GetWindowTextLengthA(m_hWnd);
    SendMessageA(m_hWnd, EM_SETSEL, end, end);
    SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void COutputEdit::AttachScheme(ColourScheme* scheme)
{
    if (m_pScheme) m_pScheme->UnregisterWindow(m_hWnd);
    m_pScheme = scheme;
    if (m_pScheme) (void)m_pScheme->RegisterWindow(m_hWnd);
}

HBRUSH COutputEdit::OnReflectCtlColor(HDC dc) { return m_pScheme ? m_colours.Answer(*m_pScheme, dc) : nullptr; }

LRESULT COutputEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) AttachScheme(nullptr);
    return Default(msg, wp, lp);
}
