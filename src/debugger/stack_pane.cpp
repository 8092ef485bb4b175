#include "debugger/stack_pane.h"

#include "core/debugger/value_text.h"

namespace dbg = halyard::debugger;
using namespace halyard::debugwire;

bool CStackPane::Create(HWND parent, CDebugRequests& requests)
{
    m_pRequests = &requests;
    return m_pane.Create(parent, {{"栈地址", 80}, {"字", 50}, {"", 130}}, nullptr, {});
}

void CStackPane::Refresh()
{
    const dbg::EvalContext context = m_pRequests->Context();
    const uint16_t ss = context.regs[SS], sp = context.regs[SP];
    // The words up to the segment's end, as many as there are below 10000h.
    const uint32_t count = std::min<uint32_t>(kWords * 2, 0x10000u - sp);
    m_pRequests->Read((uint32_t(ss) << 4) + sp, count, [this, ss, sp](const CDebugRequests::Bytes& bytes) { Fill(ss, sp, bytes); });
}

void CStackPane::Fill(uint16_t ss, uint16_t sp, const CDebugRequests::Bytes& bytes)
{
    const dbg::EvalContext context = m_pRequests->Context();
    std::vector<std::vector<std::string>> rows;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const uint16_t word = uint16_t(bytes[at] | bytes[at + 1] << 8);
        const int line = context.map ? dbg::ReturnLineOf(*context.map, context.load, context.regs[CS], word) : 0;
        rows.push_back({dbg::AddressText(ss, uint16_t(sp + at)), dbg::Hex4(word).substr(0, 4), dbg::ReturnNote(line)});
    }
    m_pane.SetRows(rows);
}
