// Command targets: tables from command ids to handlers and to update handlers.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// The state of one user-interface element (menu item, toolbar button, status pane) for one command.
// A router fills it through update handlers; an element no target answers for shows disabled.
class FxCmdUI {
public:
    explicit FxCmdUI(UINT id) : m_nID(id) {}
    virtual ~FxCmdUI() = default;
    virtual void Enable(bool on = true) { m_bEnabled = on; }
    virtual void SetCheck(int check = 1) { m_nCheck = check; }
    virtual void SetText(const char* text) { m_strText = text ? text : ""; m_bTextSet = true; }
    UINT m_nID;
    bool m_bEnabled = false;
    int m_nCheck = 0;
    bool m_bTextSet = false;
    std::string m_strText;
    // Menu items know their menu, so that an update handler may rewrite the menu (recent files).
    HMENU m_hMenu = nullptr;
    UINT m_nIndex = 0;
};

class FxCmdTarget {
public:
    virtual ~FxCmdTarget() = default;
    // Runs this target's handler of command `id` sent with notification `code` (0 for menus and
    // accelerators); false when this target has none, so that routing goes on.
    virtual bool OnCmdMsg(UINT id, UINT code);
    // Fills `ui` from this target: its update handler, or "enabled" when it only has a command
    // handler; false when it knows nothing of the command.
    virtual bool OnUpdateCmd(FxCmdUI& ui);
    // Runs this target's handler of a control's WM_NOTIFY; `result` is the answer the control
    // expects. False when this target has none, so that routing goes on.
    virtual bool OnNotifyMsg(NMHDR& hdr, LRESULT& result);

protected:
    void OnCommand(UINT id, std::function<void()> fn);
    void OnCommandRange(UINT first, UINT last, std::function<void(UINT)> fn);
    // A notification from a control (for example CBN_SELENDOK from a list of a dialog bar).
    void OnControl(UINT id, UINT code, std::function<void()> fn);
    void OnUpdate(UINT id, std::function<void(FxCmdUI&)> fn);
    void OnUpdateRange(UINT first, UINT last, std::function<void(FxCmdUI&)> fn);
    // A WM_NOTIFY from control `id` with notification `code`; the handler returns the answer.
    void OnNotify(UINT id, UINT code, std::function<LRESULT(NMHDR&)> fn);
    // Commands, updates and notifications this target has no handler for go on to `sub`, which
    // is not owned and must outlive this target. Sub-targets are asked in the order chained.
    void ChainTo(FxCmdTarget* sub) { m_subTargets.push_back(sub); }

private:
    struct Entry {
        UINT first, last, code;
        std::function<void(UINT)> run;
    };
    struct UpdateEntry {
        UINT first, last;
        std::function<void(FxCmdUI&)> update;
    };
    struct NotifyEntry {
        UINT id, code;
        std::function<LRESULT(NMHDR&)> answer;
    };
    std::vector<Entry> m_commands;
    std::vector<UpdateEntry> m_updates;
    std::vector<NotifyEntry> m_notifies;
    std::vector<FxCmdTarget*> m_subTargets;
};
