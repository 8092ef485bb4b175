// MDI main frame: the MDI client, the docked bars, menus with update handlers and status
// prompts, command routing, accelerators and dropped files.
#pragma once
#include "core/frame/dock_layout.h"
#include "fx/fx_wnd.h"
#include <functional>
#include <string>
#include <vector>

class FxApp;
class FxControlBar;
class FxDocument;
class FxMDIChild;
class FxStatusBar;
class FxToolBar;
class FxView;

class FxMDIFrame : public FxWnd {
public:
    FxMDIFrame();
    // Creates the frame with menu, icon, accelerators and title of `resourceId`. On failure the
    // object has deleted itself (and is no longer the application's main frame) and false is returned.
    [[nodiscard]] bool LoadFrame(UINT resourceId, DWORD style);
    HWND m_hWndMDIClient = nullptr;

    FxMDIChild* GetActiveChild() const;
    FxView* GetActiveView() const;
    FxDocument* GetActiveDocument() const;

    // Routing: active child (its view, document, itself), this frame, the application that made
    // it; true at the first that answers.
    bool Route(const std::function<bool(FxCmdTarget&)>& ask);
    bool RouteCmdMsg(UINT id, UINT code)
    {
        return Route([&](FxCmdTarget& t) { return t.OnCmdMsg(id, code); });
    }
    bool RouteUpdate(FxCmdUI& ui)
    {
        return Route([&](FxCmdTarget& t) { return t.OnUpdateCmd(ui); });
    }
    // A control's notification; `result` is the handler's answer for the control.
    bool RouteNotify(NMHDR& hdr, LRESULT& result)
    {
        return Route([&](FxCmdTarget& t) { return t.OnNotifyMsg(hdr, result); });
    }
    // The application whose commands come after the frame's and whose documents the frame closes.
    void SetApp(FxApp* app) { m_pApp = app; }
    // Runs command `id` as a menu would (used by tests and by other windows).
    bool SendCommand(UINT id) { return RouteCmdMsg(id, 0); }

    void AddControlBar(FxControlBar* bar);
    // Where the inner edge of `bar`'s row may be dragged from `start` (screen x for a bar docked
    // left or right, y for top and bottom); false when the bar is not docked in the last layout.
    bool InnerEdgeLimits(const FxControlBar* bar, int start, halyard::dock::Limits& limits) const;
    // The thickness the last layout gave `bar`'s row; 0 when it is not docked.
    int LaidOutThickness(const FxControlBar* bar) const;
    // A window that takes the MDI area (a tab strip around the MDI client) places it from now on;
    // an empty function gives the area back to the MDI client.
    void SetClientAreaHandler(std::function<void(const RECT&)> place) { m_placeClientArea = std::move(place); RecalcLayout(); }
    void ShowControlBar(FxControlBar* bar, bool show, bool delay = false);
    void RecalcLayout();
    void SetMessageText(const char* text);
    void SetStatusBar(FxStatusBar* bar) { m_pStatusBar = bar; }
    void SetToolBar(FxToolBar* bar) { m_pToolBar = bar; }

    void OnIdleUpdate();
    bool PreTranslateMessage(MSG& msg);
    // Title: the frame's title, then " - " and the active document's title.
    void OnUpdateFrameTitle();
    void OnChildActivated(FxMDIChild* child);
    void OnChildDestroyed(FxMDIChild* child);
    // Applies update handlers to every item of `menu` (what opening it does).
    void UpdateMenuItems(HMENU menu);

protected:
    // Creation of the bars and panes; false makes the frame's creation fail.
    virtual bool OnCreateFrame() { return true; }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) override;
    // The frame lives on the heap and deletes itself with its window.
    void PostNcDestroy() override;

private:
    bool CreateClient();
    void SwitchMenu(HMENU menu);
    void OnMenuSelect(UINT id, UINT flags, HMENU menu);
    LRESULT OnNotify(NMHDR* hdr);
    void OnDropFiles(HDROP drop);
    bool OnClose();
    HMENU WindowMenuOf(HMENU menu) const;

    FxApp* m_pApp = nullptr;
    UINT m_nResourceId = 0;
    std::string m_strTitle;
    HMENU m_hMenuDefault = nullptr;
    HMENU m_hMenuCurrent = nullptr;
    HACCEL m_hAccel = nullptr;
    std::vector<FxControlBar*> m_bars;
    std::vector<halyard::dock::Bar> m_barDescriptions;  // as given to the last layout, one per bar
    halyard::dock::Layout m_layout;                      // the last layout
    std::function<void(const RECT&)> m_placeClientArea;
    FxStatusBar* m_pStatusBar = nullptr;
    FxToolBar* m_pToolBar = nullptr;
};
