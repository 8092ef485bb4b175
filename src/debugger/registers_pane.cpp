#include "debugger/registers_pane.h"

#include "core/debugger/value_text.h"

using namespace halyard::debugwire;

bool CRegistersPane::Create(HWND parent, CDebugRequests& requests)
{
    m_pRequests = &requests;
    CDebugListPane::Hooks hooks;
    hooks.editText = [this](int row) { return halyard::debugger::Hex4(m_shown.Regs()[row]).substr(0, 4); };
    hooks.edited = [this](int row, const std::string& text) { OnEdited(row, text); };
    hooks.red = [this](int row, int column) { return column == 1 && row < kRegCount && m_shown.Changed(Reg(row)); };
    return m_pane.Create(parent, {{"寄存器", 56}, {"值", 160}}, nullptr, std::move(hooks));
}

void CRegistersPane::Show(const halyard::debugger::SessionState& state)
{
    m_shown = state;
    std::vector<std::vector<std::string>> rows;
    for (unsigned r = 0; r < kRegCount; ++r) {
        std::string value = halyard::debugger::Hex4(state.Regs()[r]).substr(0, 4);
        if (r == FL) value += "  " + FlagLetters(state.Regs()[r]);
        rows.push_back({RegName(Reg(r)), value});
    }
    m_pane.SetRows(rows);
}

void CRegistersPane::OnEdited(int row, const std::string& text)
{
    const auto value = halyard::debugger::ParseHexWord(text);
    if (!value) {
        m_pRequests->Report("寄存器的值应是十六进制数（0 到 FFFF）：" + text);
        return;
    }
    m_pRequests->SetRegister(Reg(row), *value);
}
