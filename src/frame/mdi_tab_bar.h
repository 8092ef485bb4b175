// The bar of tabs for the open MDI child windows (editor windows and the welcome page), below the
// MDI area: one tab per visible MDI child with the small icon of its class and its title. Clicking
// a tab activates its window, double-clicking maximizes or restores it, and dragging data over a
// tab activates its window. The bar takes the place the frame gives the MDI client and puts the
// MDI client inside its display area.
#pragma once
#include "fx/fx_handles.h"
#include "fx/fx_wnd.h"
#include <commctrl.h>
#include <string>
#include <utility>
#include <vector>

class CMdiTabBar;
class CMdiTabDropTarget;

// Asked of an MDI child before anything else for its tab text: wParam is the size in bytes of the
// buffer at lParam. A window that answers copies a NUL-terminated text into the buffer and returns
// nonzero; any other window returns 0 (DefWindowProc does).
inline constexpr UINT kMsgGetTabText = 0x80EA;

// The tab control of the bar: a common tab control, child of the frame, whose tabs mirror the
// MDI children in the order they were first seen.
class CMdiTabStrip : public FxWnd {
public:
    static constexpr UINT kControlId = 1000;
    static constexpr UINT_PTR kRefreshTimer = 333;
    static constexpr UINT kRefreshPeriod = 500; // milliseconds

    CMdiTabStrip() = default;
    ~CMdiTabStrip() override;

    // Creates the control in `frame` with the never-take-focus style plus `tabStyle`, visible when
    // the MDI client is; starts the refresh timer and registers the drop target (when OLE is
    // initialised on this thread).
    [[nodiscard]] bool Create(CMdiTabBar* bar, HWND frame, DWORD tabStyle);

    // Brings the tabs in line with the MDI children: a visible window without a tab gets one at
    // the end (and is maximized when it is the active window), a tab follows its window's title, a
    // hidden or vanished window loses its tab, and the active window's tab is selected. The bar is
    // laid out again when tabs came or went.
    void Refresh();
    // One Refresh soon, from the message queue; requests before it runs are merged.
    void RequestRefresh();
    // Removes the tab of `child` at once; true when it had one.
    bool RemoveTab(HWND child);
    // Selects the tab of `child`; no tab selected when it has none.
    void SelectTabOf(HWND child);
    // Activates the window whose tab lies under the screen point; true when a tab is there.
    bool ActivateTabAt(POINT screen);

    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    int FindTab(HWND child) const;
    HWND GetTabWindow(int index) const;
    // The text the control shows on tab `index`; empty for an index out of range.
    std::string GetTabText(int index) const;
    int GetCurSel() const;
    // Tab `index`'s rectangle in client coordinates; empty for an index out of range.
    RECT GetItemRect(int index) const;
    int GetMargin() const { return m_nMargin; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Invariant: m_tabs[i] describes tab i of the control.
    struct TabRecord {
        std::string strTitle;
        std::string strClass;
        HWND hWnd = nullptr;
        int nImage = -1;
    };

    // The tab text of `child`: its answer to kMsgGetTabText, the title of the document of its
    // active view, or its window text, the first that is not empty.
    std::string TitleOf(HWND child) const;
    int ImageOf(HWND child);
    void AddTab(HWND child);
    void RemoveTabAt(int index);
    int HitTest(POINT client) const;
    HWND ActiveChild(BOOL* maximized = nullptr) const;
    void ActivateWindow(HWND child);
    void OnDoubleClick(POINT client);
    void PaintMargin();

    std::vector<TabRecord> m_tabs;
    // Class icons already in m_images and their images: a tab whose icon is there reuses it.
    std::vector<std::pair<HICON, int>> m_icons;
    FxImageList m_images;
    CMdiTabDropTarget* m_pDropTarget = nullptr;
    CMdiTabBar* m_pBar = nullptr;
    int m_nMargin = 5; // between the display area and the MDI client, on each side
    bool m_bRefreshPosted = false;
};

class CMdiTabBar {
public:
    // The main frame's tab style: multi-line, hot-tracking, tabs at the bottom, scroll-opposite.
    static constexpr DWORD kMainFrameStyle = TCS_MULTILINE | TCS_HOTTRACK | TCS_BOTTOM | TCS_SCROLLOPPOSITE;

    CMdiTabBar() = default;
    CMdiTabBar(const CMdiTabBar&) = delete;
    CMdiTabBar& operator=(const CMdiTabBar&) = delete;
    // Gives the MDI client its own window procedure back.
    ~CMdiTabBar();

    // Installs the bar on `frame`, whose MDI client is `mdiClient`: subclasses the client, creates
    // the tab control, lays out within the client's present place and fills the tabs. Fails, with
    // nothing changed, when already installed, when `mdiClient` is not an MDI client child of
    // `frame`, or when the tab control cannot be made.
    [[nodiscard]] bool Install(HWND frame, HWND mdiClient, DWORD tabStyle);
    bool IsInstalled() const { return m_hWndFrame != nullptr; }

    // The frame calls this instead of moving the MDI client itself: `area` (frame client
    // coordinates) is the place left for the MDI client. With the tab control visible, it takes
    // the whole area and the MDI client goes into its display area, inset by the margin; otherwise
    // the MDI client takes the area. An inverted area counts as empty.
    void Layout(const RECT& area);
    // Layout again with the last area (after tabs came or went, or the client was shown or hidden).
    void RecalcLayout();
    // The frame may call this when a child is activated: its tab is selected at once.
    void OnChildActivated(HWND child);

    HWND GetFrame() const { return m_hWndFrame; }
    HWND GetMDIClient() const { return m_hWndMDIClient; }
    CMdiTabStrip& GetStrip() { return m_strip; }

private:
    static LRESULT CALLBACK ClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    LRESULT OnClientMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Uninstall();

    HWND m_hWndFrame = nullptr;     // null until installed
    HWND m_hWndMDIClient = nullptr; // subclassed while not null
    CMdiTabStrip m_strip;
    RECT m_rcArea{}; // the last place the frame gave the MDI client
};
