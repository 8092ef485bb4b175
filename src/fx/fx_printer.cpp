#include "fx/fx_app.h"
#include "fx/fx_print.h"
#include "resource.h"

namespace {

// A locked global block for the lifetime of this object; null when the block is.
template <class T>
class FxLockedBlock {
public:
    explicit FxLockedBlock(HGLOBAL block) : m_block(block), m_p(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
    ~FxLockedBlock()
    {
        if (m_p) GlobalUnlock(m_block);
    }
    FxLockedBlock(const FxLockedBlock&) = delete;
    FxLockedBlock& operator=(const FxLockedBlock&) = delete;
    T* Get() const { return m_p; }

private:
    HGLOBAL m_block;
    T* m_p;
};

void ReportNoPrinter() { FxMessageBox(FxLoadString(IDS_NO_PRINTER).c_str(), MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

FxPrinterChoice::~FxPrinterChoice() { Release(); }

void FxPrinterChoice::Release()
{
    if (m_hDevMode) GlobalFree(m_hDevMode);
    if (m_hDevNames) GlobalFree(m_hDevNames);
    m_hDevMode = m_hDevNames = nullptr;
}

void FxPrinterChoice::Adopt(HGLOBAL hDevMode, HGLOBAL hDevNames)
{
    m_hDevMode = hDevMode;
    m_hDevNames = hDevNames;
}

bool FxPrinterChoice::EnsureChosen()
{
    if (m_hDevNames) return true;
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (PrintDlgA(&pd) && pd.hDevNames) {
        Adopt(pd.hDevMode, pd.hDevNames);
        return true;
    }
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    ReportNoPrinter();
    return false;
}

HDC FxPrinterChoice::CreateChosenDC() const
{
    FxLockedBlock<DEVNAMES> names(m_hDevNames);
    FxLockedBlock<DEVMODEA> mode(m_hDevMode);
    if (!names.Get()) return nullptr;
    const char* device = reinterpret_cast<const char*>(names.Get()) + names.Get()->wDeviceOffset;
    return CreateDCA(nullptr, device, nullptr, mode.Get());
}

FxPrinterDC FxPrinterChoice::CreatePrinterDC()
{
    // A printer chosen earlier may have been removed since: then the default one, if any.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!EnsureChosen()) return FxPrinterDC();
        if (HDC dc = CreateChosenDC()) return FxPrinterDC(dc);
        Release();
    }
    ReportNoPrinter();
    return FxPrinterDC();
}

bool FxPrinterChoice::RunPrintDlg(PRINTDLGA& pd, FxPrinterDC& dc)
{
    if (!EnsureChosen()) return false;
    pd.lStructSize = sizeof pd;
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    const bool bConfirmed = PrintDlgA(&pd) != FALSE;
    Adopt(pd.hDevMode, pd.hDevNames);
    dc.Reset(pd.hDC);
    return bConfirmed;
}

FxPrinterDC FxPrinterChoice::RunPrintDialog(HWND owner, int& fromPage, int& toPage)
{
    FxPrinterDC dc;
    PRINTDLGA pd{};
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
    // The page count is known only once the printer's context is: any range is offered.
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;
    pd.nFromPage = 1;
    pd.nToPage = 0xFFFF;
    if (!RunPrintDlg(pd, dc)) dc.Reset();
    const bool range = (pd.Flags & PD_PAGENUMS) != 0;
    fromPage = range ? pd.nFromPage : 1;
    toPage = range ? pd.nToPage : 0xFFFF;
    return dc;
}

bool FxPrinterChoice::RunSetupDialog(HWND owner)
{
    FxPrinterDC none;
    PRINTDLGA pd{};
    pd.hwndOwner = owner;
    pd.Flags = PD_PRINTSETUP;
    return RunPrintDlg(pd, none);
}

bool FxPrinterChoice::RunPageSetupDialog(PAGESETUPDLGA& psd)
{
    if (!EnsureChosen()) return false;
    psd.lStructSize = sizeof psd;
    psd.hDevMode = m_hDevMode;
    psd.hDevNames = m_hDevNames;
    const bool bConfirmed = PageSetupDlgA(&psd) != FALSE;
    Adopt(psd.hDevMode, psd.hDevNames);
    return bConfirmed;
}
