#include "debugger/watch_pane.h"

#include "core/debugger/value_text.h"

namespace dbg = halyard::debugger;
using halyard::debuginfo::SymbolKind;

namespace {

const char* TypeName(SymbolKind type, bool memory)
{
    if (!memory) return "寄存器";
    switch (type) {
    case SymbolKind::Byte: return "DB";
    case SymbolKind::Word: return "DW";
    case SymbolKind::Dword: return "DD";
    case SymbolKind::Near: return "NEAR";
    case SymbolKind::Far: return "FAR";
    default: return "DB";
    }
}

}  // namespace

bool CWatchPane::Create(HWND parent, CDebugRequests& requests)
{
    m_pRequests = &requests;
    CDebugListPane::Hooks hooks;
    hooks.entered = [this](const std::string& text) { Add(text); };
    hooks.removed = [this](int row) { Remove(row); };
    return m_pane.Create(parent, {{"监视", 110}, {"值", 260}, {"类型", 50}}, "监视：名字、寄存器或 [BX+SI]，回车加入",
                         std::move(hooks));
}

void CWatchPane::Add(const std::string& expression)
{
    if (expression.find_first_not_of(' ') == std::string::npos) return;
    m_expressions.push_back(expression);
    m_rows.push_back({expression, "", ""});
    m_pane.SetEntryText("");
    Evaluate(m_expressions.size() - 1);
    m_pane.SetRows(m_rows);
}

void CWatchPane::Remove(int row)
{
    if (row < 0 || row >= static_cast<int>(m_expressions.size())) return;
    m_expressions.erase(m_expressions.begin() + row);
    m_rows.erase(m_rows.begin() + row);
    m_pane.SetRows(m_rows);
}

void CWatchPane::Refresh()
{
    for (size_t i = 0; i < m_expressions.size(); ++i) Evaluate(i);
    m_pane.SetRows(m_rows);
}

void CWatchPane::ShowRow(size_t index, const std::string& value, const std::string& type)
{
    if (index >= m_rows.size()) return;
    m_rows[index][1] = value;
    m_rows[index][2] = type;
}

// A register's value shows at once; memory when the PC's answer comes, which finds the watch by
// its place and text (it may have been taken away meanwhile).
void CWatchPane::Evaluate(size_t index)
{
    std::string error;
    const auto target = dbg::Evaluate(m_expressions[index], m_pRequests->Context(), error);
    if (!target) return ShowRow(index, error, "");
    const char* type = TypeName(target->type, target->memory);
    if (!target->memory) {
        const uint8_t bytes[] = {uint8_t(target->value), uint8_t(target->value >> 8)};
        return ShowRow(index, dbg::FormatValue(SymbolKind::Word, 1, {bytes, bytes + 2}), type);
    }
    const uint32_t shown = std::min<uint32_t>(target->count, 16);
    const uint32_t size = std::min<uint32_t>(dbg::ElementSize(target->type), 4);
    const std::string expression = m_expressions[index];
    const SymbolKind kind = target->type;
    const uint32_t count = target->count;
    m_pRequests->Read(target->Linear(), shown * size, [this, index, expression, kind, count, type](const CDebugRequests::Bytes& bytes) {
        if (index >= m_expressions.size() || m_expressions[index] != expression) return;
        ShowRow(index, dbg::FormatValue(kind == SymbolKind::Near || kind == SymbolKind::Far ? SymbolKind::Word : kind, count, bytes), type);
        m_pane.SetRows(m_rows);
    });
}
