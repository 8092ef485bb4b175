// A hand-drawn tab strip holding page windows: the WorkSpace pane's "CodeView", "SegmentView" and
// "Search". One page is shown at a time, in the area framed above (or below) the tabs; clicking a
// tab shows its page and hides the others. Tabs are as wide as their titles, narrowed to an equal
// share of the strip when they do not fit, and a title too long for its tab ends in "...".
#pragma once
#include "fx/fx_dialog.h"
#include "fx/fx_handles.h"
#include <memory>
#include <string>
#include <vector>

class FxClassRegistry;

class CPageTabCtrl : public FxWnd {
public:
    // Style bits (the low four bits of the creation style); none at all means kTop.
    enum : DWORD { kTop = 1, kBottom = 2, kEqualWidth = 4, kSliding = 8 };

    CPageTabCtrl() = default;
    ~CPageTabCtrl() override;

    // Creates the control as a child of `parent`; the style bits are taken out of `style`, which
    // gets WS_CLIPCHILDREN and WS_CLIPSIBLINGS added.
    [[nodiscard]] bool Create(DWORD style, const RECT& rc, HWND parent, UINT id);
    // Appends `page`, which must already be a child of this control, with its title and the 16 x 16
    // icon of resource `iconId` (0 or a missing icon: none). The page is placed and hidden.
    [[nodiscard]] bool AddWindowPage(HWND page, const char* title, UINT iconId);
    // Creates a page of the class registered in `classes` as `className` with control id `pageId`
    // (the main frame passes the dialog's resource id) and appends it as AddWindowPage does. The
    // control owns the page and destroys it with itself. False, with nothing added, when the class
    // is unknown or its page cannot be made.
    [[nodiscard]] bool AddDialogPage(const FxClassRegistry& classes, const char* className, UINT pageId,
                                     const char* title, UINT iconId);
    // Hides the active page, shows page `index` (sliding it in with kSliding) and repaints the
    // strip. An index out of range is ignored. Whenever the active page changes the parent gets
    // WM_NOTIFY with TCN_SELCHANGE from this control's id.
    void ActivatePage(int index);
    // Places the pages and the tabs; activates page 0 when none is active. Runs on every size
    // change; the owner calls it once after adding the pages. Nothing happens without pages.
    void RecalcLayout();

    int GetActivePage() const { return m_nActivePage; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // The page window, or null for an index out of range.
    HWND GetPage(int index) const;
    // The page created from a class name, or null (also for pages given as windows).
    FxDialog* GetDialogPage(int index) const;
    // The tab's rectangle in client coordinates as last laid out; empty for an index out of range.
    RECT GetTabRect(int index) const;
    // The title as the tab shows it: shortened with "..." when the tab is too narrow.
    std::string GetShownTitle(int index) const;
    // The page area in client coordinates.
    RECT GetPageRect() const;
    DWORD GetTabStyle() const { return m_dwStyle; }
    HFONT GetTabFont() const { return m_font.Get(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct Page {
        HWND hWnd = nullptr;
        std::unique_ptr<FxDialog> owned; // set when the control created the page
        std::string strTitle;
        HICON hIcon = nullptr; // shared with the module's other users of the icon; null without one
        RECT rcTab{};
        std::string strShown;
    };

    bool AppendPage(HWND page, std::unique_ptr<FxDialog> owned, const char* title, UINT iconId);
    void Paint(HDC dc);
    void PaintTab(HDC dc, const Page& page, bool active);
    bool OnButtonDown(POINT pt);
    void StepSlide();
    void StopSlide();
    void Notify(UINT code);

    FxFont m_font;
    // -1 when no page is active; else the one page shown.
    int m_nActivePage = -1;
    DWORD m_dwStyle = kBottom;
    int m_nBorder = 1;
    std::vector<Page> m_pages;
    int m_nSlideOffset = 0; // how far the sliding page still is from its place; 0 when not sliding
};
