#include "debugger/memory_pane.h"

#include "core/debugger/value_text.h"

namespace dbg = halyard::debugger;

bool CMemoryPane::Create(HWND parent, CDebugRequests& requests)
{
    m_pRequests = &requests;
    CDebugListPane::Hooks hooks;
    hooks.entered = [this](const std::string& text) { ShowFrom(text); };
    hooks.edited = [this](int row, const std::string& text) { OnEdited(row, text); };
    return m_pane.Create(parent, {{"地址", 80}, {"十六进制", 370}, {"字符", 140}}, "地址或名字：DS:0  ES:DI  msg",
                         std::move(hooks));
}

void CMemoryPane::ShowFrom(const std::string& expression)
{
    m_expression = expression;
    m_pane.SetEntryText(expression);
    Refresh();
}

void CMemoryPane::Refresh()
{
    if (m_expression.empty()) return;
    std::string error;
    const auto target = dbg::EvaluateAddress(m_expression, m_pRequests->Context(), error);
    if (!target) {
        m_pRequests->Report("内存窗口：" + error);
        return;
    }
    const uint16_t segment = target->segment, offset = target->offset;
    m_pRequests->Read(target->Linear(), kRows * 16,
                      [this, segment, offset](const CDebugRequests::Bytes& bytes) { Fill(segment, offset, bytes); });
}

void CMemoryPane::Fill(uint16_t segment, uint16_t offset, const CDebugRequests::Bytes& bytes)
{
    m_segment = segment;
    m_offset = offset;
    std::vector<std::vector<std::string>> rows;
    for (size_t at = 0; at < bytes.size(); at += 16) {
        const size_t count = std::min<size_t>(16, bytes.size() - at);
        rows.push_back({dbg::AddressText(segment, uint16_t(offset + at)), dbg::HexBytes(&bytes[at], count),
                        dbg::CharsOf(&bytes[at], count)});
    }
    m_pane.SetRows(rows);
}

void CMemoryPane::OnEdited(int row, const std::string& text)
{
    const auto bytes = dbg::ParseHexBytes(text);
    if (!bytes || bytes->size() > 16) {
        m_pRequests->Report("内存的内容应是一行至多 16 个十六进制字节，如 48 65 6C");
        return;
    }
    m_pRequests->Write((uint32_t(m_segment) << 4) + uint16_t(m_offset + row * 16), *bytes);
    Refresh();
}
