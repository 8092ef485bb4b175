#include "fx/fx_dialog.h"

#include <vector>

namespace {
const char kProp[] = "FxDialogObject";
}

INT_PTR FxDialog::DoModal(HWND owner)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplate), owner, StaticProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK FxDialog::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<FxDialog*>(lp);
        dialog->m_hWnd = hwnd;
        SetPropA(hwnd, kProp, dialog);
    }
    auto* dialog = static_cast<FxDialog*>(GetPropA(hwnd, kProp));
    if (!dialog)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = dialog->DialogProc(msg, wp, lp);
    } catch (...) {
        // An exception must not cross into the system; the dialog ends as cancelled.
        ::EndDialog(hwnd, IDCANCEL);
        result = TRUE;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kProp);
        dialog->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR FxDialog::DialogProc(UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

bool FxDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

bool FxDialog::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        if (UpdateData(true))
            EndDialog(IDOK);
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
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

std::string FxDialog::GetItemText(int id) const
{
    HWND item = GetItem(id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    if (length <= 0)
        return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(item, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void FxDialog::SetItemText(int id, const std::string& text) { SetDlgItemTextA(m_hWnd, id, text.c_str()); }

bool FxDialog::IsChecked(int id) const { return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void FxDialog::SetChecked(int id, bool bOn) { CheckDlgButton(m_hWnd, id, bOn ? BST_CHECKED : BST_UNCHECKED); }

void FxDialog::EnableItem(int id, bool bOn)
{
    if (HWND item = GetItem(id))
        EnableWindow(item, bOn ? TRUE : FALSE);
}

bool FxDialog::IsItemEnabled(int id) const
{
    HWND item = GetItem(id);
    return item && IsWindowEnabled(item);
}

int FxDialog::GetRadio(int first, int last) const
{
    for (int id = first; id <= last; ++id) {
        if (IsChecked(id))
            return id - first;
    }
    return -1;
}

void FxDialog::SetRadio(int first, int last, int index) { CheckRadioButton(m_hWnd, first, last, first + index); }
