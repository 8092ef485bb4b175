// Printing in the framework: what a print job or print preview tells a view's printing steps,
// and the printer the application prints on.
#pragma once
#include <commdlg.h>

#include "fx/fx_handles.h"

// One print job or print preview, as the view's printing steps see it.
struct FxPrintInfo {
    bool m_bDirect = false;            // the application's printer, without the print dialog
    bool m_bPreview = false;           // drawn into print preview, not printed
    bool m_bContinuePrinting = true;   // OnPrepareDC clears it when the current page does not exist
    int m_nCurPage = 1;                // the page prepared or printed, from 1
    int m_nMaxPage = 0;                // the page count once the view knows it, else 0
    int m_nFromPage = 1;               // the pages the user asked for, from 1; all by default
    int m_nToPage = 0xFFFF;
    RECT m_rectDraw{};                 // the page's drawable area, in the printer's device units
    FxPrinterDC m_printerDC;           // the printer, from preparation to the end of the job
    // The printer's context: measure on it. Printing draws on it too; preview draws elsewhere.
    HDC AttribDC() const { return m_printerDC.Get(); }
};

// The printer the application prints on: the system's default until the user picks another in
// the print, printer setup or page setup dialog. It keeps the device blocks those dialogs trade
// and releases them once. Every operation that finds no printer at all says so in a message box
// and fails; nothing else happens then.
class FxPrinterChoice {
public:
    FxPrinterChoice() = default;
    ~FxPrinterChoice();
    FxPrinterChoice(const FxPrinterChoice&) = delete;
    FxPrinterChoice& operator=(const FxPrinterChoice&) = delete;

    // A device context of the chosen printer; empty when there is none.
    FxPrinterDC CreatePrinterDC();
    // The print dialog for the chosen printer, with a page range (no selection); the device
    // context of the printer confirmed, empty when the user cancelled or there is no printer.
    // `fromPage` and `toPage` receive the range asked for, 1 and 0xFFFF for all pages.
    FxPrinterDC RunPrintDialog(HWND owner, int& fromPage, int& toPage);
    // The printer setup dialog; true when the user confirmed a printer.
    bool RunSetupDialog(HWND owner);
    // The page setup dialog `psd` describes, on the chosen printer; true when confirmed.
    bool RunPageSetupDialog(PAGESETUPDLGA& psd);

private:
    // The default printer's blocks when none is chosen; false (said so) when there is no printer.
    bool EnsureChosen();
    // A device context of the printer the blocks name; null when it is gone.
    HDC CreateChosenDC() const;
    // The print dialog with `flags` on the chosen printer; true when confirmed. `dc` receives the
    // context the dialog made, if any.
    bool RunPrintDlg(PRINTDLGA& pd, FxPrinterDC& dc);
    // Takes the blocks a dialog left; a dialog that replaced one has released the old one itself.
    void Adopt(HGLOBAL hDevMode, HGLOBAL hDevNames);
    void Release();

    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
};
