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
class FxMiniFrame;
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
    FxApp* GetApp() const { return m_pApp; }
    // Runs command `id` as a menu would (used by tests and by other windows).
    bool SendCommand(UINT id) { return RouteCmdMsg(id, 0); }

    // Lays `bar` out on the side it was made for, in a row of its own at the side's edge (toolbar,
    // status bar, dialog bar); bars added earlier lie further out.
    void AddControlBar(FxControlBar* bar);

    // ---- Docking ----
    // Docks `bar` on `side` in row `row`: rows count from the side's edge inwards, and the bars of
    // one row share it in the order they were docked; a negative row is a new row inside every
    // other row of that side. A floating bar leaves its small frame. The bar's visibility stays.
    // False, with nothing changed, when the bar has no window or may not dock on `side`.
    bool DockControlBar(FxControlBar* bar, halyard::dock::Side side, int row = -1);
    // Floats `bar` in a small frame of its own (owned by this frame, titled like the bar, sized
    // from the bar's floating size) whose top-left corner is `screen`. False when the bar has no
    // window or docking is not enabled for it.
    bool FloatControlBar(FxControlBar* bar, POINT screen);
    // A docked bar floats where it last floated, or where it lies when it never did; a floating
    // bar goes back to the side and row it came from.
    bool ToggleDocking(FxControlBar* bar);
    // Drags `bar` from `screen`, where the left button went down on it, until the button is
    // released. Over a row of the frame the bar joins that row (a toolbar's row: a new row
    // inside it); within a short distance inside a side's rows it docks in a new row there;
    // elsewhere it floats where its outline showed. A release before the mouse went past the
    // system's drag distance, the right button, Escape or a lost capture change nothing. True
    // when the bar moved.
    bool DragControlBar(FxControlBar* bar, POINT screen);
    // The small frame of a floating bar; null for a docked one.
    FxMiniFrame* GetMiniFrame(const FxControlBar* bar) const;

    // ---- Dragging an edge of the layout ----
    // One drag at a time; the row is taken as laid out when the drag begins. Positions are screen
    // coordinates along the drag axis: x for dividers of top and bottom rows and for the inner
    // edges of left and right rows, y otherwise.
    // The edge `edge` of docked `bar`: the inner edge of its row, or the divider to its neighbour
    // in the row. False for an edge that does not move (the side's outer edge, a row's ends).
    bool BeginEdgeDrag(const FxControlBar* bar, halyard::dock::Side edge, int start);
    // Divider `divider` of the last layout.
    bool BeginDividerDrag(size_t divider, int start);
    // How far the edge may go; lowest <= start <= highest.
    const halyard::dock::Limits& GetDragLimits() const { return m_drag.limits; }
    // Gives the bars of the row the sizes the edge at `position` (clamped to the limits) makes:
    // a divider moves length between neighbours, an inner edge gives every bar the new thickness.
    // The layout follows when asked (RecalcLayout, DelayRecalcLayout).
    void DragTo(int position);
    // The dragged edge's strip, kDividerWidth across, with the edge at `position` (clamped), in
    // screen coordinates.
    RECT DragOutline(int position) const;
    void EndDrag() { m_drag = EdgeDrag(); }
    // The divider of the last layout under `client` (frame client coordinates), or -1.
    int DividerAt(POINT client) const;
    const halyard::dock::Layout& GetLayout() const { return m_layout; }
    // Lays the bars out once more at the next idle pass or posted message, however often asked.
    void DelayRecalcLayout();

    // A window that takes the MDI area (a tab strip around the MDI client) places it from now on;
    // an empty function gives the area back to the MDI client.
    void SetClientAreaHandler(std::function<void(const RECT&)> place) { m_placeClientArea = std::move(place); RecalcLayout(); }
    void ShowControlBar(FxControlBar* bar, bool show, bool delay = false);
    void RecalcLayout();
    void SetMessageText(const char* text);
    // What the status bar's message pane shows; empty without a status bar.
    std::string GetMessageText() const;
    void SetStatusBar(FxStatusBar* bar) { m_pStatusBar = bar; }
    void SetToolBar(FxToolBar* bar) { m_pToolBar = bar; }

    void OnIdleUpdate();
    bool PreTranslateMessage(MSG& msg);
    // Title: the frame's title, then " - " and the active document's title.
    void OnUpdateFrameTitle();
    void OnChildActivated(FxMDIChild* child);
    // A child frame's window is going; the object is deleted right after.
    virtual void OnChildDestroyed(FxMDIChild* child);
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
    int RowOf(const FxControlBar* bar) const;
    bool BeginRowDrag(int row, int before, int start);
    bool DragAlongX() const;
    static RECT ToRect(const halyard::dock::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
    halyard::dock::Side DividerSide(int divider) const;
    bool OnSetCursor(HWND hwnd, UINT hit);
    void OnDividerPress(POINT client);
    void OnDividerMove(POINT client);
    void EndDividerDrag();
    void InvertDividerOutline();
    void PaintDividers();
    void OnSettingChange(WPARAM wp, LPARAM lp);
    bool IsInFloatingBar(HWND hwnd) const;

    struct DockTarget {
        bool dock = false;  // else float
        halyard::dock::Side side = halyard::dock::Side::Top;
        int row = -1;       // the bars' row number to join; -1: a new row
        RECT outline{};     // screen coordinates
    };
    DockTarget DockTargetAt(const FxControlBar* bar, POINT screen, POINT grab, SIZE floating) const;
    RECT NewRowOutline(const FxControlBar* bar, halyard::dock::Side side) const;

    struct EdgeDrag {
        bool active = false;
        halyard::dock::Side side = halyard::dock::Side::Top;  // the row's side
        int before = 0;                                      // 0: the inner edge; else a divider
        int start = 0;
        halyard::dock::Limits limits;
        std::vector<halyard::dock::RowBar> row;  // the row as laid out when the drag began
        std::vector<FxControlBar*> bars;         // its bars, in the same order
        RECT strip{};                            // the edge's strip then, client coordinates
    };

    FxApp* m_pApp = nullptr;
    UINT m_nResourceId = 0;
    std::string m_strTitle;
    HMENU m_hMenuDefault = nullptr;
    HMENU m_hMenuCurrent = nullptr;
    HACCEL m_hAccel = nullptr;
    std::vector<FxControlBar*> m_bars;
    std::vector<halyard::dock::Bar> m_barDescriptions;  // as given to the last layout, one per bar
    halyard::dock::Layout m_layout;                      // the last layout
    EdgeDrag m_drag;
    bool m_bDividerTracking = false;  // the frame drags a divider itself (m_drag is active)
    int m_nDividerPos = 0;            // where that divider is now, along the drag axis
    bool m_bFullDrag = true;          // the system's "show window contents while dragging"
    bool m_bLayoutPending = false;
    std::function<void(const RECT&)> m_placeClientArea;
    FxStatusBar* m_pStatusBar = nullptr;
    FxToolBar* m_pToolBar = nullptr;
};
