#include "frame/workspace_tree.h"
#include "fx/fx_handles.h"
#include "fx/fx_paint_dc.h"
#include "asm/colour_scheme.h"
#include <commctrl.h>

bool CWorkspaceTree::Create(HWND parent, UINT id)
{
    RECT rc{0, 0, 0, 0};
    DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    return CreateEx(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, rc, parent, id);
}

void CWorkspaceTree::PaintBuffered(HDC target, const RECT& clip)
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    FxMemoryDC mem = FxCreateMemoryDC(target);
    FxBitmap bmp(CreateCompatibleBitmap(target, rc.right > 0 ? rc.right : 1, rc.bottom > 0 ? rc.bottom : 1));
    if (!mem || !bmp) return;
    FxSelectObject select(mem.Get(), bmp.Get());
    COLORREF bk = static_cast<COLORREF>(SendMessageA(m_hWnd, TVM_GETBKCOLOR, 0, 0));
    FxBrush brush(CreateSolidBrush(bk == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOW) : bk));
    FillRect(mem.Get(), &rc, brush.Get());
    Default(WM_PAINT, reinterpret_cast<WPARAM>(mem.Get()), 0);
    BitBlt(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, mem.Get(), clip.left,
           clip.top, SRCCOPY);
}

void CWorkspaceTree::AttachScheme(ColourScheme* scheme)
{
    if (m_pScheme) m_pScheme->UnregisterWindow(m_hWnd);
    m_pScheme = scheme;
    if (m_pScheme) (void)m_pScheme->RegisterWindow(m_hWnd);
}

LRESULT CWorkspaceTree::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) AttachScheme(nullptr);
    if (msg == WM_ERASEBKGND) return TRUE;
    if (msg == WM_PAINT && !wp) {
        FxPaintDC paint(m_hWnd);
        PaintBuffered(paint.Dc(), paint.PaintRect());
        return 0;
    }
    return Default(msg, wp, lp);
}
