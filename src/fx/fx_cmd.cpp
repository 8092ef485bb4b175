#include "fx/fx_cmd.h"

// Menus and accelerators send code 0 or 1; both mean "the command itself".
static bool IsPlainCommand(UINT code) { return code == 0 || code == 1; }

bool FxCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    for (const Entry& e : m_commands) {
        if (id < e.first || id > e.last) continue;
        if (e.code == 0 ? IsPlainCommand(code) : e.code == code) {
            e.run(id);
            return true;
        }
    }
    for (FxCmdTarget* sub : m_subTargets)
        if (sub->OnCmdMsg(id, code)) return true;
    return false;
}

bool FxCmdTarget::OnNotifyMsg(NMHDR& hdr, LRESULT& result)
{
    for (const NotifyEntry& n : m_notifies) {
        if (n.id != hdr.idFrom || n.code != hdr.code) continue;
        result = n.answer(hdr);
        return true;
    }
    for (FxCmdTarget* sub : m_subTargets)
        if (sub->OnNotifyMsg(hdr, result)) return true;
    return false;
}

void FxCmdTarget::OnNotify(UINT id, UINT code, std::function<LRESULT(NMHDR&)> fn)
{
    m_notifies.push_back({id, code, std::move(fn)});
}

bool FxCmdTarget::OnUpdateCmd(FxCmdUI& ui)
{
    for (const UpdateEntry& u : m_updates) {
        if (ui.m_nID >= u.first && ui.m_nID <= u.last) {
            ui.Enable(true);
            u.update(ui);
            return true;
        }
    }
    for (const Entry& e : m_commands) {
        if (e.code == 0 && ui.m_nID >= e.first && ui.m_nID <= e.last) {
            ui.Enable(true);
            return true;
        }
    }
    for (FxCmdTarget* sub : m_subTargets)
        if (sub->OnUpdateCmd(ui)) return true;
    return false;
}

void FxCmdTarget::OnCommand(UINT id, std::function<void()> fn)
{
    m_commands.push_back({id, id, 0, [fn](UINT) { fn(); }});
}

void FxCmdTarget::OnCommandRange(UINT first, UINT last, std::function<void(UINT)> fn)
{
    m_commands.push_back({first, last, 0, std::move(fn)});
}

void FxCmdTarget::OnControl(UINT id, UINT code, std::function<void()> fn)
{
    m_commands.push_back({id, id, code, [fn](UINT) { fn(); }});
}

void FxCmdTarget::OnUpdate(UINT id, std::function<void(FxCmdUI&)> fn)
{
    m_updates.push_back({id, id, std::move(fn)});
}

void FxCmdTarget::OnUpdateRange(UINT first, UINT last, std::function<void(FxCmdUI&)> fn)
{
    m_updates.push_back({first, last, std::move(fn)});
}
