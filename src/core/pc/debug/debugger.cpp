// Steps and stops over the machine's run loop: the processor stops before an address of the
// break map; the debugger's own stops (the instruction after a call) go into the map for the
// length of one run.
#include "core/pc/debug/debugger.h"

#include <vector>

namespace halyard::dos {
namespace {

bool IsPrefix(uint8_t b) { return b == 0x26 || b == 0x2E || b == 0x36 || b == 0x3E || b == 0xF0 || b == 0xF2 || b == 0xF3; }
bool IsString(uint8_t b) { return (b >= 0xA4 && b <= 0xA7) || (b >= 0xAA && b <= 0xAF) || (b >= 0x6C && b <= 0x6F); }

// DOS's own handlers of the divide error and of an undefined opcode, which end the program: the
// machine's stubs for those vectors in ROM.
struct Fault {
    uint8_t vector;
    const char* why;
};
constexpr Fault kFaults[] = {{0, "divide overflow"}, {6, "an instruction this processor does not have"}};

uint32_t Stub(uint8_t vector) { return Linear(kRomSegment, uint16_t(vector * 4)); }

// Where interrupt `vector` points now.
uint32_t Handler(Memory& mem, uint8_t vector)
{
    return Linear(mem.Read16(0, uint16_t(vector * 4 + 2)), mem.Read16(0, uint16_t(vector * 4)));
}

}  // namespace

void Debugger::WatchInterrupt(uint8_t vector, bool on)
{
    if (on)
        m_vectors.insert(vector);
    else
        m_vectors.erase(vector);
}

void Debugger::WatchMemory(uint32_t linear, uint32_t count, bool on)
{
    m_log.Watch(linear, count, on);
    m_watching = true;
}

void Debugger::KeepHistory(bool on)
{
    m_history = on;
    m_log.Clear();
    m_devices.clear();
}

void Debugger::Changed()
{
    m_log.Clear();
    m_devices.clear();
}

// The step log records while the history is kept or memory is watched.
void Debugger::Logging(bool on)
{
    on = on && (m_history || m_watching);
    m_machine.Processor().LogSteps(on ? &m_log : nullptr);
    m_machine.Mem().Log(on ? &m_log : nullptr);
}

void Debugger::NoteDevices()
{
    if (!m_history)
        return;
    const Devices& board = m_machine.Board();
    m_devices[m_log.Steps()] = {board.pic, board.pit, board.keyboard, board.video};
    const uint64_t oldest = m_log.Steps() - m_log.Depth();
    while (!m_devices.empty() && m_devices.begin()->first < oldest)
        m_devices.erase(m_devices.begin());
}

Stop Debugger::StepBack()
{
    Registers& regs = m_machine.Processor().regs;
    if (!m_log.Back(m_machine.Mem().Raw(), regs))
        return {StopReason::Start, 0, {}};
    // The devices as at the latest stop at or before the step.
    auto it = m_devices.upper_bound(m_log.Steps());
    if (it != m_devices.begin()) {
        const DeviceState& state = (--it)->second;
        Devices& board = m_machine.Board();
        board.pic = state.pic;
        board.pit = state.pit;
        board.keyboard = state.keyboard;
        board.video = state.video;
        board.UpdateLine();
        m_devices.erase(std::next(it), m_devices.end());
    }
    return {StopReason::Back, 0, {}};
}

void Debugger::SetBreakpoint(uint16_t segment, uint16_t offset, bool on)
{
    const uint32_t at = Linear(segment, offset);
    if (on)
        m_user.insert(at);
    else
        m_user.erase(at);
    m_breaks.Set(at, on);
}

uint32_t Debugger::Here() const
{
    const Registers& R = m_machine.Processor().regs;
    return Linear(R.seg[kCS], R.ip);
}

Stop Debugger::Resume(uint64_t budget, uint32_t extra)
{
    Cpu& cpu = m_machine.Processor();
    Memory& mem = m_machine.Mem();
    std::vector<uint32_t> own;
    const auto add = [&](uint32_t at) {
        if (!m_breaks.Has(at)) {
            m_breaks.Set(at, true);
            own.push_back(at);
        }
    };
    if (extra != ~0u)
        add(extra);
    for (const Fault& fault : kFaults)
        add(Stub(fault.vector));
    for (const uint8_t vector : m_vectors)
        add(Handler(mem, vector));
    NoteDevices();
    cpu.WatchBreaks(&m_breaks, Here());
    Logging(true);
    const RunResult result = m_machine.Resume(budget);
    Logging(false);
    cpu.WatchBreaks(nullptr, ~0u);
    const uint32_t written = m_log.TakeHit();
    for (const uint32_t at : own)
        m_breaks.Set(at, false);
    Stop stop;
    if (!result.paused) {
        stop.reason = result.exited ? StopReason::Ended : StopReason::Failed;
        stop.exitCode = result.exitCode;
        stop.failure = result.failure;
    } else if (written != ~0u) {
        stop.reason = StopReason::Watch;
        stop.address = written;
    } else if (cpu.AtBreak()) {
        stop.reason = StopReason::Breakpoint;
        if (Here() != extra && m_user.count(Here()) == 0)
            Classify(stop);
    } else {
        stop.reason = StopReason::Paused;
    }
    return stop;
}

void Debugger::Classify(Stop& stop)
{
    Registers& R = m_machine.Processor().regs;
    Memory& mem = m_machine.Mem();
    for (const Fault& fault : kFaults) {
        if (Here() != Stub(fault.vector))
            continue;
        // Back at the instruction, as before the interrupt: its IRET frame comes off the stack.
        R.ip = mem.Read16(R.seg[kSS], R.r[kSP]);
        R.seg[kCS] = mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 2));
        R.flags.Set(mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 4)));
        R.r[kSP] = uint16_t(R.r[kSP] + 6);
        stop = {StopReason::Fault, 0, fault.why, fault.vector};
        return;
    }
    for (const uint8_t vector : m_vectors)
        if (Here() == Handler(mem, vector))
            stop = {StopReason::Interrupt, 0, {}, vector};
}

Stop Debugger::Continue(uint64_t budget) { return Resume(budget); }

Stop Debugger::Step()
{
    Stop stop = Resume(1);
    if (stop.reason == StopReason::Paused)
        stop.reason = StopReason::Step;
    return stop;
}

Debugger::Kind Debugger::Next(uint16_t& length) const
{
    const Registers& R = m_machine.Processor().regs;
    Memory& mem = m_machine.Mem();
    bool repeated = false;
    uint16_t at = R.ip;
    uint8_t op = mem.Read8(R.seg[kCS], at);
    for (int i = 0; i < 4 && IsPrefix(op); ++i) {
        repeated |= op == 0xF2 || op == 0xF3;
        op = mem.Read8(R.seg[kCS], ++at);
    }
    length = uint16_t(at - R.ip + 1);
    if (op == 0xE8 || op == 0x9A || op == 0xCC || op == 0xCD || op == 0xCE)
        return Kind::Call;
    if (op == 0xFF) {
        const uint8_t reg = (mem.Read8(R.seg[kCS], uint16_t(at + 1)) >> 3) & 7;
        return reg == 2 || reg == 3 ? Kind::Call : Kind::Plain;
    }
    if (op == 0xC2 || op == 0xC3 || op == 0xCA || op == 0xCB || op == 0xCF)
        return Kind::Return;
    if (op >= 0xE0 && op <= 0xE2) {
        length = uint16_t(length + 1);
        return Kind::Repeated;
    }
    return repeated && IsString(op) ? Kind::Repeated : Kind::Plain;
}

Stop Debugger::RunTo(uint32_t at, uint16_t sp, uint64_t budget)
{
    for (;;) {
        Stop stop = Resume(budget, at);
        if (stop.reason != StopReason::Breakpoint || Here() != at)
            return stop;
        if (m_machine.Processor().regs.r[kSP] == sp) {
            stop.reason = m_user.count(at) != 0 ? StopReason::Breakpoint : StopReason::Step;
            return stop;
        }
    }
}

Stop Debugger::StepOver(uint64_t budget)
{
    const Registers& R = m_machine.Processor().regs;
    uint16_t length = 0;
    switch (Next(length)) {
    case Kind::Repeated: return RunTo(Linear(R.seg[kCS], uint16_t(R.ip + length)), R.r[kSP], budget);
    case Kind::Call: {
        const uint16_t sp = R.r[kSP];
        const Stop stop = Step();
        if (stop.reason != StopReason::Step || R.r[kSP] >= sp)
            return stop;  // ended, or an INT whose service came straight back
        Memory& mem = m_machine.Mem();
        const uint16_t returnIp = mem.Read16(R.seg[kSS], R.r[kSP]);
        // A near call pushed 2 bytes; a far call 4 and an interrupt 6 (the flags last).
        const uint16_t returnCs = uint16_t(sp - R.r[kSP]) == 2 ? R.seg[kCS] : mem.Read16(R.seg[kSS], uint16_t(R.r[kSP] + 2));
        return RunTo(Linear(returnCs, returnIp), sp, budget);
    }
    default: return Step();
    }
}

Stop Debugger::StepOut(uint64_t budget)
{
    const Registers& R = m_machine.Processor().regs;
    const uint16_t sp = R.r[kSP];
    for (uint64_t spent = 0; spent < budget; ++spent) {
        uint16_t length = 0;
        const Kind kind = Next(length);
        // A return with the stack where the procedure found it (or above: its locals are gone)
        // is the procedure's own.
        const bool own = kind == Kind::Return && R.r[kSP] >= sp;
        const Stop stop = kind == Kind::Call ? StepOver(budget - spent) : Step();
        if (stop.reason != StopReason::Step || own)
            return stop;
    }
    return {StopReason::Paused, 0, {}};
}

}  // namespace halyard::dos
