// The window a print job shows while it prints: the document, the page being printed and a Cancel
// button. While it is up the job's owner is disabled; the printer's abort procedure keeps the
// window's messages flowing between the pages' bands, so Cancel works during a long job.
#pragma once
#include "fx/fx_dialog.h"
#include <string>

class FxPrintingDialog : public FxDialog {
public:
    FxPrintingDialog();
    ~FxPrintingDialog() override;
    FxPrintingDialog(const FxPrintingDialog&) = delete;
    FxPrintingDialog& operator=(const FxPrintingDialog&) = delete;

    // Shows the window over `owner` (disabled until this object goes) and installs the abort
    // procedure on `dc`. Printing goes on without the window when it cannot be made.
    void Start(HWND owner, HDC dc, const std::string& document);
    void ShowPage(int page);
    // Lets the window's messages through; true while the user has not cancelled.
    bool KeepPrinting();
    bool IsCancelled() const { return m_bCancelled; }

protected:
    bool OnDialogCommand(UINT id, UINT code) override;

private:
    static BOOL CALLBACK AbortProc(HDC dc, int error);
    static FxPrintingDialog* s_pCurrent;  // the job printing now: one at a time

    HWND m_hwndOwner = nullptr;
    bool m_bOwnerWasEnabled = false;
    bool m_bCancelled = false;
};
