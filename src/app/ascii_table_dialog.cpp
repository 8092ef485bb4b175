#include "app/ascii_table_dialog.h"
#include "resource.h"

CAsciiTableDlg::CAsciiTableDlg() : FxDialog(IDD_ASCII_TABLE) {}

bool CAsciiTableDlg::OnInitDialog()
{
    // The template's size assumes the System font's usual dialog units; where that font measures
    // otherwise, the window is fitted to the picture so that no row of the table is cut off. A
    // missing bitmap leaves the window empty at its template size.
    HWND picture = GetItem(IDC_ASCII_PICTURE);
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bm{};
    if (bitmap && GetObjectA(bitmap, sizeof bm, &bm)) {
        SetWindowPos(picture, nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rc{0, 0, bm.bmWidth, bm.bmHeight};
        AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
        RECT was{};
        GetWindowRect(m_hWnd, &was);
        const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
        // Keeps the centre the template's centring chose.
        SetWindowPos(m_hWnd, nullptr, (was.left + was.right - cx) / 2, (was.top + was.bottom - cy) / 2, cx, cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return FxDialog::OnInitDialog();
}
