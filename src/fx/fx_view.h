// View base: a child window that shows its document.
#pragma once
#include "fx/fx_wnd.h"

class FxApp;
class FxDocument;
class FxMDIChild;
class FxPrintPreview;
class FxPrinterChoice;
struct FxPrintInfo;
struct tagPSDA;

class FxView : public FxWnd {
public:
    FxView() = default;
    ~FxView() override;
    FxDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(FxDocument* doc);
    // Creates the view window as a child of `parent` with control id `id`.
    [[nodiscard]] virtual bool Create(HWND parent, UINT id);
    virtual void OnInitialUpdate() {}
    // The view's own accelerator table, tried before the frame's; null when it has none.
    virtual HACCEL GetAccelerators() const { return nullptr; }
    // A key for the view while the focus is in it or in a window inside it, offered before any
    // accelerator: a control the view hosts may take it. True when taken.
    virtual bool PreTranslateMessage(MSG& msg)
    {
        (void)msg;
        return false;
    }
    // The child frame that holds this view, or null.
    FxMDIChild* GetParentFrame() const;
    // The application whose document this view shows; null for a view without one.
    FxApp* GetApp() const;

    // --- Printing steps, in the order a print job or print preview calls them. Preparing picks
    // the printer (false: cancelled, or no printer, which the user was told of); before each page
    // OnPrepareDC says whether it exists. By default one page prints, unless the steps set the
    // page count.
    virtual bool OnPreparePrinting(FxPrintInfo& info) { return DoPreparePrinting(info); }
    virtual void OnBeginPrinting(HDC, FxPrintInfo&) {}
    virtual void OnPrepareDC(HDC dc, FxPrintInfo& info);
    virtual void OnPrint(HDC, FxPrintInfo&) {}
    virtual void OnEndPrinting(HDC, FxPrintInfo&) {}
    // Print (the print dialog first) or print direct (the application's printer).
    void OnFilePrint(bool bDirect);
    // Opens print preview of this view; false when there is no printer or no window could be made.
    bool OnFilePrintPreview();
    FxPrintPreview* GetPrintPreview() const { return m_pPreview; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }
    // The printer for the job `info` describes: the print dialog, or without it (direct, preview)
    // the application's printer; the context and the page's drawable area go into `info`.
    bool DoPreparePrinting(FxPrintInfo& info);
    // The page setup dialog `psd` describes, on the application's printer; true when confirmed.
    bool RunPageSetupDialog(tagPSDA& psd);

private:
    friend class FxPrintPreview;
    FxDocument* m_pDocument = nullptr;
    FxPrintPreview* m_pPreview = nullptr;  // the open print preview of this view, which it closes
};

// A factory for the view class of a document template or a frame.
using FxViewFactory = FxView* (*)();
