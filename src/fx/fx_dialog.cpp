#include "fx/fx_dialog.h"

#include <vector>

// The dialog procedure sees the dialog only until WM_INITDIALOG: there the window is attached to
// its object, whose window procedure takes every later message first and leaves the rest to the
// dialog's own class procedure.
INT_PTR CALLBACK FxDialog::InitProc(HWND hwnd, UINT msg, WPARAM, LPARAM lp)
{
    if (msg != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<FxDialog*>(lp);
    if (!dialog->SubclassWindow(hwnd)) return FALSE;
    try {
        return dialog->OnInitDialog() ? TRUE : FALSE;
    } catch (...) {
        if (!dialog->m_bPage) ::EndDialog(hwnd, IDCANCEL);
        return FALSE;
    }
}

INT_PTR FxDialog::DoModal(HWND owner)
{
    m_bPage = false;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplate), owner, InitProc,
                           reinterpret_cast<LPARAM>(this));
}

bool FxDialog::CreatePage(HWND parent, UINT id)
{
    m_bPage = true;
    HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplate), parent, InitProc,
                                reinterpret_cast<LPARAM>(this));
    if (!h) return false;
    if (m_hWnd != h) {
        ::DestroyWindow(h);
        return false;
    }
    // Whatever the template says, a page is a child that takes part in its parent's navigation.
    SetWindowLongPtrA(h, GWL_STYLE, (GetWindowLongPtrA(h, GWL_STYLE) & ~(WS_POPUP | WS_CAPTION)) | WS_CHILD);
    SetWindowLongPtrA(h, GWL_EXSTYLE, GetWindowLongPtrA(h, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    SetParent(h, parent);
    SetWindowLongPtrA(h, GWLP_ID, static_cast<LONG_PTR>(id));
    ShowWindow(h, SW_SHOW);
    return true;
}

bool FxDialog::CreateModeless(HWND owner)
{
    m_bPage = false;
    HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplate), owner, InitProc,
                                reinterpret_cast<LPARAM>(this));
    if (h && m_hWnd != h) ::DestroyWindow(h);
    if (!h || m_hWnd != h) return false;
    ShowWindow(h, SW_SHOW);
    return true;
}

LRESULT FxDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    try {
        return Dispatch(msg, wp, lp);
    } catch (...) {
        // An exception ends a modal dialog as cancelled; a page carries on.
        if (!m_bPage) ::EndDialog(m_hWnd, IDCANCEL);
        return 0;
    }
}

LRESULT FxDialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        if (OnDialogCommand(LOWORD(wp), HIWORD(wp))) return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotifyMsg(*reinterpret_cast<NMHDR*>(lp), result)) return result;
        break;
    }
    case WM_SIZE:
        OnSize(LOWORD(lp), HIWORD(lp));
        break;
    default: {
        LRESULT brush;
        if (ReflectCtlColor(msg, wp, lp, &brush)) return brush;
    }
    }
    return Default(msg, wp, lp);
}

bool FxDialog::PreTranslatePageMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    for (HWND h = msg.hwnd; h; h = GetParent(h)) {
        auto* page = dynamic_cast<FxDialog*>(FromHandle(h));
        if (page && page->m_bPage) return IsDialogMessageA(h, &msg) != FALSE;
        if (!(GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return false;
}

bool FxDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

bool FxDialog::OnDialogCommand(UINT id, UINT code)
{
    if (OnCmdMsg(id, code)) return true;
    if (m_bPage || code != BN_CLICKED) return false;
    if (id == IDOK) {
        if (UpdateData(true)) EndDialog(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return true;
    }
    return false;
}

void FxDialog::EndDialog(INT_PTR result)
{
    if (m_hWnd && !m_bPage) ::EndDialog(m_hWnd, result);
}

std::string FxDialog::GetItemText(int id) const
{
    HWND item = GetItem(id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    if (length <= 0) return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(item, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void FxDialog::SetItemText(int id, const std::string& text) { SetDlgItemTextA(m_hWnd, id, text.c_str()); }

bool FxDialog::IsChecked(int id) const { return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void FxDialog::SetChecked(int id, bool bOn) { CheckDlgButton(m_hWnd, id, bOn ? BST_CHECKED : BST_UNCHECKED); }

void FxDialog::EnableItem(int id, bool bOn)
{
    if (HWND item = GetItem(id)) EnableWindow(item, bOn ? TRUE : FALSE);
}

bool FxDialog::IsItemEnabled(int id) const
{
    HWND item = GetItem(id);
    return item && IsWindowEnabled(item);
}

int FxDialog::GetRadio(int first, int last) const
{
    for (int id = first; id <= last; ++id)
        if (IsChecked(id)) return id - first;
    return -1;
}

void FxDialog::SetRadio(int first, int last, int index) { CheckRadioButton(m_hWnd, first, last, first + index); }
