#include "fx/fx_printing_dlg.h"
#include "fx/fx_app.h"
#include "resource.h"

FxPrintingDialog* FxPrintingDialog::s_pCurrent = nullptr;

FxPrintingDialog::FxPrintingDialog() : FxDialog(IDD_PRINTING) {}

FxPrintingDialog::~FxPrintingDialog()
{
    if (s_pCurrent == this) s_pCurrent = nullptr;
    // The owner first, so that it, not some other window, becomes active when this one goes.
    if (m_hwndOwner && m_bOwnerWasEnabled) EnableWindow(m_hwndOwner, TRUE);
    if (m_hWnd) DestroyWindow();
}

void FxPrintingDialog::Start(HWND owner, HDC dc, const std::string& document)
{
    s_pCurrent = this;
    SetAbortProc(dc, AbortProc);
    m_hwndOwner = owner;
    m_bOwnerWasEnabled = owner && IsWindowEnabled(owner);
    if (!CreateModeless(owner)) return;
    SetItemText(IDC_PRINTING_DOC, document);
    if (m_bOwnerWasEnabled) EnableWindow(owner, FALSE);
    (void)KeepPrinting();
}

void FxPrintingDialog::ShowPage(int page)
{
    if (m_hWnd) SetItemText(IDC_PRINTING_PAGE, FxFormatString(IDS_PRINTING_PAGE, std::to_string(page).c_str()));
    (void)KeepPrinting();
}

bool FxPrintingDialog::KeepPrinting()
{
    MSG msg;
    while (!m_bCancelled && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: the application ends after the job.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (m_hWnd && IsDialogMessageA(m_hWnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !m_bCancelled;
}

bool FxPrintingDialog::OnDialogCommand(UINT id, UINT code)
{
    if (id != IDCANCEL) return FxDialog::OnDialogCommand(id, code);
    m_bCancelled = true;
    EnableItem(IDCANCEL, false);
    return true;
}

BOOL CALLBACK FxPrintingDialog::AbortProc(HDC, int)
{
    return s_pCurrent ? s_pCurrent->KeepPrinting() : TRUE;
}
