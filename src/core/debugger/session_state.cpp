#include "core/debugger/session_state.h"

#include <cstdlib>

namespace halyard::debugger {

using debugwire::Verb;

void SessionState::Apply(const debugwire::Message& message)
{
    switch (message.verb) {
    case Verb::Started:
        m_psp = uint16_t(message.address);
        m_load = uint16_t(message.count);
        m_phase = Phase::Stopped;
        m_stopPending = true;
        break;
    case Verb::Running: m_phase = Phase::Running; break;
    case Verb::Stopped:
        if (message.reason == "ended" || message.reason == "failed") {
            m_phase = Phase::Ended;
            m_exitCode = int(std::strtol(message.text.c_str(), nullptr, 10));
        } else {
            m_phase = Phase::Stopped;
        }
        m_stopPending = true;
        break;
    case Verb::RegsReply:
        if (m_stopPending && m_hasRegs) {
            m_before = m_regs;
            m_hasBefore = true;
        }
        m_stopPending = false;
        m_regs = message.regs;
        m_hasRegs = true;
        break;
    default: break;
    }
}

uint32_t SessionState::LinearOf(const debuginfo::SourceLine& line) const
{
    return LinearOfImage(debuginfo::ProgramMap::ImageAddress(line.frame, line.offset));
}

std::optional<uint32_t> SessionState::CodeImageAddress() const
{
    const uint32_t linear = (uint32_t(m_regs[debugwire::CS]) << 4) + m_regs[debugwire::IP];
    const uint32_t base = uint32_t(m_load) << 4;
    if (linear < base) return std::nullopt;
    return linear - base;
}

std::string StopText(const debugwire::Message& message)
{
    if (message.verb != Verb::Stopped) return {};
    const std::string& r = message.reason;
    const std::string& d = message.text;
    if (r == "ended") return "程序结束，返回码 " + std::to_string(std::strtol(d.c_str(), nullptr, 10));
    if (r == "failed") return "程序没能运行：" + d;
    if (r == "breakpoint") return "停在断点";
    if (r == "step") return "单步";
    if (r == "paused") return "已暂停";
    if (r == "back") return "后退了一步";
    if (r == "start") return "已在程序开头，不能再后退";
    if (r == "watch") return "内存被写：" + d;
    if (r == "interrupt") return "停在中断 " + d + "h";
    if (r == "fault") return "程序出错停下：" + d;
    return "停下：" + r + (d.empty() ? "" : " " + d);
}

}  // namespace halyard::debugger
