// A view's print job: the printer, then its printing steps page by page into one document.
#include <algorithm>
#include <string>

#include "fx/fx_app.h"
#include "fx/fx_doc.h"
#include "fx/fx_print.h"
#include "fx/fx_printing_dlg.h"
#include "fx/fx_view.h"
#include "resource.h"

bool FxView::RunPageSetupDialog(PAGESETUPDLGA& psd)
{
    FxPrinterChoice own;
    FxApp* app = GetApp();
    psd.hwndOwner = GetAncestor(m_hWnd, GA_ROOT);
    return (app ? app->Printer() : own).RunPageSetupDialog(psd);
}

bool FxView::DoPreparePrinting(FxPrintInfo& info)
{
    // A view outside an application prints on the default printer, chosen for this job only.
    FxPrinterChoice own;
    FxApp* app = GetApp();
    FxPrinterChoice& printer = app ? app->Printer() : own;
    if (info.m_bDirect || info.m_bPreview)
        info.m_printerDC = printer.CreatePrinterDC();
    else
        info.m_printerDC = printer.RunPrintDialog(GetAncestor(m_hWnd, GA_ROOT), info.m_nFromPage, info.m_nToPage);
    const HDC dc = info.AttribDC();
    if (!dc) return false;
    info.m_rectDraw = RECT{0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    return true;
}

void FxView::OnPrepareDC(HDC, FxPrintInfo& info)
{
    info.m_bContinuePrinting = info.m_nMaxPage > 0 ? info.m_nCurPage <= info.m_nMaxPage : info.m_nCurPage == 1;
}

// The pages from m_nFromPage to m_nToPage that exist, each with the printing window showing it;
// Cancel in that window abandons the job without a word.
void FxView::OnFilePrint(bool bDirect)
{
    FxPrintInfo info;
    info.m_bDirect = bDirect;
    if (!OnPreparePrinting(info)) return;
    const HDC dc = info.AttribDC();
    const std::string title = m_pDocument ? m_pDocument->GetTitle() : std::string();
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    OnBeginPrinting(dc, info);
    FxPrintingDialog window;
    window.Start(GetAncestor(m_hWnd, GA_ROOT), dc, title);
    const bool bStarted = StartDocA(dc, &doc) > 0;
    bool bOk = bStarted;
    for (info.m_nCurPage = std::max(1, info.m_nFromPage); bOk && info.m_nCurPage <= info.m_nToPage; ++info.m_nCurPage) {
        info.m_bContinuePrinting = true;
        OnPrepareDC(dc, info);
        if (!info.m_bContinuePrinting) break;
        window.ShowPage(info.m_nCurPage);
        bOk = window.KeepPrinting() && StartPage(dc) > 0;
        if (bOk) OnPrint(dc, info);
        if (bOk) bOk = EndPage(dc) > 0 && !window.IsCancelled();
    }
    if (bOk) bOk = EndDoc(dc) > 0;
    const DWORD error = bOk ? 0 : GetLastError();
    if (!bOk && bStarted) AbortDoc(dc);
    OnEndPrinting(dc, info);
    // A user who cancelled (here, or a file name asked for by the port) was not let down.
    if (!bOk && !window.IsCancelled() && error != ERROR_CANCELLED)
        FxMessageBox(FxFormatString(IDS_PRINT_FAILED, title.c_str()).c_str(), MB_OK | MB_ICONSTOP);
}
