#include "core/pc/debug/debug_session.h"

#include <cstdio>

namespace halyard::dos {
namespace {

using debugwire::Message;
using debugwire::Verb;

constexpr uint64_t kNoBudget = UINT64_MAX;

const char* ReasonWord(StopReason reason)
{
    switch (reason) {
    case StopReason::Step: return "step";
    case StopReason::Breakpoint: return "breakpoint";
    case StopReason::Paused: return "paused";
    case StopReason::Interrupt: return "interrupt";
    case StopReason::Fault: return "fault";
    case StopReason::Watch: return "watch";
    case StopReason::Back: return "back";
    case StopReason::Start: return "start";
    case StopReason::Ended: return "ended";
    case StopReason::Failed: return "failed";
    }
    return "step";
}

std::string Detail(const Stop& stop)
{
    char text[16];
    switch (stop.reason) {
    case StopReason::Interrupt: std::snprintf(text, sizeof text, "%02X", unsigned(stop.vector)); return text;
    case StopReason::Watch: std::snprintf(text, sizeof text, "%X", unsigned(stop.address)); return text;
    case StopReason::Ended: return std::to_string(stop.exitCode);
    case StopReason::Fault:
    case StopReason::Failed: return stop.failure;
    default: return {};
    }
}

// The register of the channel's numbering in the processor's.
uint16_t* RegisterOf(Registers& R, debugwire::Reg reg)
{
    using namespace debugwire;
    static constexpr uint8_t kGeneral[] = {kAX, kBX, kCX, kDX, kSI, kDI, kBP, kSP};
    static constexpr uint8_t kSegment[] = {kCS, kDS, kES, kSS};
    if (reg <= SP)
        return &R.r[kGeneral[reg]];
    if (reg <= SS)
        return &R.seg[kSegment[reg - CS]];
    return reg == IP ? &R.ip : nullptr;
}

}  // namespace

DebugSession::DebugSession(Machine& machine, DebugLink& link, uint16_t psp, uint16_t image)
    : m_machine(machine), m_link(link), m_debugger(machine)
{
    m_debugger.KeepHistory(true);
    Message started{Verb::Started, psp, image};
    m_link.Send(started);
    SendRegisters();
}

RunResult DebugSession::Serve()
{
    for (;;) {
        const std::optional<Message> request = m_link.Next();
        if (!request || !Handle(*request))
            break;
    }
    if (m_end)
        return *m_end;
    RunResult stopped;
    stopped.failure = "stopped by the debugger";
    return stopped;
}

bool DebugSession::Handle(const Message& request)
{
    switch (request.verb) {
    case Verb::Kill: return false;
    case Verb::Break: Break(request.address, request.on); break;
    case Verb::Watch: m_debugger.WatchMemory(request.address, request.count, request.on); break;
    case Verb::Int: m_debugger.WatchInterrupt(uint8_t(request.count), request.on); break;
    case Verb::Set: SetRegister(request.reg, request.value); break;
    case Verb::Read: Read(request.address, request.count); break;
    case Verb::Write: Write(request.address, request.bytes); break;
    case Verb::Regs: SendRegisters(); break;
    case Verb::Pause: break;  // nothing runs
    case Verb::Continue:
    case Verb::Step:
    case Verb::Over:
    case Verb::Out:
    case Verb::Back:
    case Verb::To: Run(request); break;
    default: {
        Message refusal{Verb::Error};
        refusal.text = "not a request";
        m_link.Send(refusal);
    }
    }
    return true;
}

void DebugSession::Run(const Message& request)
{
    if (m_end) {
        Message refusal{Verb::Error};
        refusal.text = "the program has ended";
        m_link.Send(refusal);
        return;
    }
    m_link.Send(Message{Verb::Running});
    m_link.Running(true);
    const Stop stop = RunOne(request);
    m_link.Running(false);
    if (stop.reason == StopReason::Ended || stop.reason == StopReason::Failed) {
        RunResult end;
        end.exited = stop.reason == StopReason::Ended;
        end.exitCode = stop.exitCode;
        end.failure = stop.failure;
        m_end = end;
    }
    Report(stop);
}

Stop DebugSession::RunOne(const Message& request)
{
    switch (request.verb) {
    case Verb::Step: return m_debugger.Step();
    case Verb::Over: return m_debugger.StepOver(kNoBudget);
    case Verb::Out: return m_debugger.StepOut(kNoBudget);
    case Verb::Back: return m_debugger.StepBack();
    case Verb::To: {
        const bool own = m_breaks.count(request.address) == 0;
        m_debugger.SetBreakpoint(uint16_t(request.address >> 4), uint16_t(request.address & 15), true);
        Stop stop = m_debugger.Continue(kNoBudget);
        if (own)
            m_debugger.SetBreakpoint(uint16_t(request.address >> 4), uint16_t(request.address & 15), false);
        const Registers& R = m_machine.Processor().regs;
        if (own && stop.reason == StopReason::Breakpoint && Linear(R.seg[kCS], R.ip) == request.address)
            stop.reason = StopReason::Step;
        return stop;
    }
    default: return m_debugger.Continue(kNoBudget);
    }
}

void DebugSession::Report(const Stop& stop)
{
    Message stopped{Verb::Stopped};
    stopped.reason = ReasonWord(stop.reason);
    stopped.text = Detail(stop);
    m_link.Send(stopped);
    SendRegisters();
}

void DebugSession::SendRegisters()
{
    Registers& R = m_machine.Processor().regs;
    Message regs{Verb::RegsReply};
    for (unsigned i = 0; i < debugwire::kRegCount; ++i) {
        const uint16_t* reg = RegisterOf(R, debugwire::Reg(i));
        regs.regs[i] = reg != nullptr ? *reg : R.flags.Get();
    }
    m_link.Send(regs);
}

void DebugSession::SetRegister(debugwire::Reg reg, uint16_t value)
{
    Registers& R = m_machine.Processor().regs;
    if (uint16_t* target = RegisterOf(R, reg))
        *target = value;
    else
        R.flags.Set(value);
    m_debugger.Changed();
}

void DebugSession::Read(uint32_t address, uint32_t count)
{
    Message memory{Verb::Memory, address};
    memory.bytes.resize(count);
    m_machine.Mem().CopyOut(uint16_t(address >> 4), uint16_t(address & 15), memory.bytes.data(), count);
    m_link.Send(memory);
}

void DebugSession::Write(uint32_t address, const std::vector<uint8_t>& bytes)
{
    m_machine.Mem().CopyIn(uint16_t(address >> 4), uint16_t(address & 15), bytes.data(), uint32_t(bytes.size()));
    m_debugger.Changed();
}

void DebugSession::Break(uint32_t address, bool on)
{
    m_debugger.SetBreakpoint(uint16_t(address >> 4), uint16_t(address & 15), on);
    if (on)
        m_breaks.insert(address);
    else
        m_breaks.erase(address);
}

}  // namespace halyard::dos
