// Print preview: the pages of a view as its printer will print them, drawn by the view's printing
// steps into metafiles made on the printer's terms and shown scaled, one page or two side by side,
// zoomed in up to three times. A bar above offers Print..., Next Page, Prev Page, One Page / Two
// Page, Zoom In, Zoom Out and Close, and shows the page number. The view's frame is disabled
// meanwhile; closing (Close, Escape, the window's close box) gives it back, and the view its
// focus, unchanged. The pages are laid out once, when the preview opens.
#pragma once
#include <map>

#include "core/editor/preview_layout.h"
#include "fx/fx_dialog.h"
#include "fx/fx_print.h"

class FxView;

class FxPrintPreview : public FxWnd {
public:
    // Opens the preview of `view` over its frame; false, with nothing left open, when there is no
    // printer (the user was told) or the window cannot be made.
    static bool Open(FxView& view);

    int GetCurrentPage() const { return m_nCurPage; }
    // The pages the view's printing steps produce; found by laying out the first page.
    int GetPageCount() const { return m_nPageCount; }
    bool IsTwoPage() const { return m_nPagesShown == 2; }
    int GetZoom() const { return m_nZoom; }
    HWND GetBar() const { return m_bar.GetSafeHwnd(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override
    {
        if (m_bOpen) delete this;
    }

private:
    explicit FxPrintPreview(FxView& view);
    ~FxPrintPreview() override;
    bool Create();
    void RegisterCommands();

    // The metafile of page `page`, drawn on first use; null when the page does not exist.
    HENHMETAFILE PageImage(int page);
    void CountPages();
    void ShowPage(int page);
    void SetPagesShown(int pages);
    void SetZoom(int zoom);
    void UpdateBar();
    void OnPaint();
    void DrawPage(HDC dc, const PrintRect& paper, int page);
    void OnSize();
    void OnScroll(int bar, int code);
    void OnDestroy();
    void Relayout();
    RECT PageArea() const;

    FxView& m_view;
    FxPrintInfo m_info;
    HWND m_hOwner = nullptr;  // the frame disabled while the preview is open
    bool m_bBegun = false;    // the view began printing: it ends when the preview goes
    bool m_bOpen = false;     // made whole: from then on the window owns this object
    bool m_bLayingOut = false;
    SIZE m_szPaper{};         // the paper in device units
    POINT m_ptImage{};        // the drawable area's corner on the paper
    std::map<int, FxEnhMetaFile> m_images;
    int m_nCurPage = 1;
    int m_nPageCount = 0;
    int m_nPagesShown = 1;
    int m_nZoom = 1;
    POINT m_ptScroll{};  // the canvas position at the page area's top-left corner
    PreviewLayout m_layout;

    class Bar : public FxDialog {
    public:
        explicit Bar(FxCmdTarget& preview);
    };
    Bar m_bar;
};
