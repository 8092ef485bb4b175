#pragma once
// The 8086/80186 processor: registers, flags and the instruction interpreter.
//
// The interpreter is one decode switch per instruction, without allocation or virtual calls; the
// one call out of it is the host-service stub (bytes 0F FF nn), which hands interrupt nn to the
// machine's services; it is honoured in the ROM segment only, elsewhere 0Fh is an undefined opcode.
// Everything else an instruction touches is in the Memory passed in. An undefined opcode raises
// interrupt 6 at the instruction itself, as on the 80186; the ROM at F0000h ignores the
// processor's writes. There is no coprocessor: its instructions change nothing.
#include <cstdint>

#include "core/pc/cpu/break_map.h"
#include "core/pc/cpu/flags.h"
#include "core/pc/cpu/hot.h"
#include "core/pc/cpu/io_ports.h"
#include "core/pc/cpu/memory.h"
#include "core/pc/cpu/registers.h"
#include "core/pc/cpu/step_log.h"

namespace halyard::dos {

// The first two bytes of a host-service stub; the third names the interrupt it serves.
inline constexpr uint8_t kHostCall0 = 0x0F, kHostCall1 = 0xFF;

class HostCalls {
public:
    virtual void OnHostCall(uint8_t vector) = 0;

protected:
    ~HostCalls() = default;
};

class Cpu {
public:
    Cpu(Memory& memory, HostCalls& host) : m_mem(memory.Raw()), m_host(host) {}

    Registers regs;

    // Executes until `budget` instructions have run or Stop() is called; returns
    // the number of instructions executed.
    uint64_t Run(uint64_t budget);
    // Ends Run after the current instruction (from a host call).
    void Stop() { SetState(kStopped, true); }
    // Run stops before an instruction at an address of `breaks` (null: none), except at
    // `skipAt`, where it is about to go on from, before its first instruction.
    void WatchBreaks(const BreakMap* breaks, uint32_t skipAt)
    {
        m_breaks = breaks;
        m_skipAt = skipAt;
        SetState(kBreaks, m_breaks != nullptr || m_log != nullptr);
    }
    // Each instruction begins a step of `log` and its writes to plain memory go into it; a write
    // to a byte it watches ends Run before the next instruction (null: no log).
    void LogSteps(StepLog* log)
    {
        m_log = log;
        SetState(kBreaks, m_breaks != nullptr || m_log != nullptr);
    }
    // Whether the last Run ended at one of those addresses or after a watched write.
    bool AtBreak() const { return m_atBreak; }

    // The devices behind IN and OUT and the interrupt request line; without them ports read FFh.
    void Attach(IoPorts& ports) { m_ports = &ports; }
    // The 64 KB at A0000h decoded by `window` (null: plain memory again).
    void MapVideoWindow(MappedMemory* window) { m_window = window; }
    // The request line: taken before the next instruction when IF is set, except right after STI
    // and right after a load of SS (MOV SS, POP SS), so that a stack switch is never interrupted
    // between SS and SP.
    void SetInterruptRequest(bool on) { SetState(kRequest, on); }
    // HLT ends Run; the processor stays halted until it takes an interrupt.
    bool Halted() const { return m_state & kHalted; }
    // Halts from a host call, as HLT would: for a service that waits for an interrupt.
    void Halt()
    {
        SetState(kHalted | kStopped, true);
    }

    // Enters interrupt `vector` as INT does: pushes FLAGS, CS and IP and clears IF and TF.
    void Interrupt(uint8_t vector);
    // Whether a device's interrupt would be taken before the next instruction.
    bool AcceptsInterrupt() const { return regs.flags.IF() && !(m_state & kShadow); }
    // A device's interrupt taken between two instructions, waking the processor from HLT.
    void DeviceInterrupt(uint8_t vector)
    {
        SetState(kHalted, false);
        Interrupt(vector);
    }
    void Push(uint16_t v)
    {
        regs.r[kSP] = uint16_t(regs.r[kSP] - 2);
        Wr16(Base(kSS), regs.r[kSP], v);
    }
    uint16_t Pop()
    {
        const uint16_t v = Rd16(Base(kSS), regs.r[kSP]);
        regs.r[kSP] = uint16_t(regs.r[kSP] + 2);
        return v;
    }

private:
    bool BeforeInstruction(bool& trace);
    HALYARD_HOT void Execute();
    // Interrupt 6 with the undefined instruction's own address on the stack.
    void UndefinedOpcode();
    void DivideError();

    // Memory and fetch.
    static constexpr uint32_t kWindowStart = kVideoWindowStart;
    HALYARD_HOT uint8_t Load(uint32_t a) const { return LoadMapped(m_mem, m_window, a); }
    static constexpr uint32_t kRomStart = uint32_t(kRomSegment) << 4;
    HALYARD_HOT void Store(uint32_t a, uint8_t v)
    {
        if (a < kRomStart) {
            if (m_log != nullptr && !(m_window != nullptr && a - kWindowStart < kVideoWindowSize))
                m_log->Wrote(a, m_mem[a]);
            StoreMapped(m_mem, m_window, a, v);
        }
    }
    HALYARD_HOT uint8_t Rd8(uint32_t base, uint16_t off) const { return Load((base + off) & kAddressMask); }
    // A word below the video window that does not wrap at its segment's end is two plain bytes
    // (nearly every word a program touches); the others go byte by byte.
    HALYARD_HOT static bool PlainWord(uint32_t a, uint16_t off) { return a < kWindowStart - 1 && off != 0xFFFF; }
    HALYARD_HOT uint16_t Rd16(uint32_t base, uint16_t off) const
    {
        const uint32_t a = (base + off) & kAddressMask;
        if (PlainWord(a, off))
            return uint16_t(m_mem[a] | m_mem[a + 1] << 8);
        return uint16_t(Load(a) | Load((base + uint16_t(off + 1)) & kAddressMask) << 8);
    }
    HALYARD_HOT void Wr8(uint32_t base, uint16_t off, uint8_t v) { Store((base + off) & kAddressMask, v); }
    HALYARD_HOT void Wr16(uint32_t base, uint16_t off, uint16_t v)
    {
        const uint32_t a = (base + off) & kAddressMask;
        if (PlainWord(a, off)) {
            if (m_log != nullptr) {
                m_log->Wrote(a, m_mem[a]);
                m_log->Wrote(a + 1, m_mem[a + 1]);
            }
            m_mem[a] = uint8_t(v);
            m_mem[a + 1] = uint8_t(v >> 8);
            return;
        }
        Store(a, uint8_t(v));
        Store((base + uint16_t(off + 1)) & kAddressMask, uint8_t(v >> 8));
    }
    uint32_t Base(unsigned seg) const { return uint32_t(regs.seg[seg]) << 4; }
    // The code segment, when all of it lies in plain memory below the video window (nearly
    // always): its bytes are read straight. Set at the start of each instruction; no instruction
    // fetches after changing CS.
    HALYARD_HOT void SetCode()
    {
        const uint32_t base = Base(kCS);
        m_code = base + 0xFFFF < kWindowStart ? m_mem + base : nullptr;
    }
    HALYARD_HOT uint8_t Fetch8() { return m_code != nullptr ? m_code[regs.ip++] : Rd8(Base(kCS), regs.ip++); }
    HALYARD_HOT uint16_t Fetch16()
    {
        const uint16_t ip = regs.ip;
        regs.ip = uint16_t(ip + 2);
        if (m_code != nullptr && ip != 0xFFFF)
            return uint16_t(m_code[ip] | m_code[ip + 1] << 8);
        return Rd16(Base(kCS), ip);
    }
    // The data segment of an instruction: DS unless a prefix overrides it.
    uint32_t DataBase() const { return Base(m_override < 4 ? m_override : unsigned(kDS)); }

    // The ModRM operand of the current instruction.
    HALYARD_HOT void DecodeModRM();
    HALYARD_HOT uint8_t GetE8() const { return m_mod == 3 ? regs.R8(m_rm) : Rd8(m_eaBase, m_eaOff); }
    HALYARD_HOT uint16_t GetE16() const { return m_mod == 3 ? regs.r[m_rm] : Rd16(m_eaBase, m_eaOff); }
    HALYARD_HOT void SetE8(uint8_t v)
    {
        if (m_mod == 3)
            regs.SetR8(m_rm, v);
        else
            Wr8(m_eaBase, m_eaOff, v);
    }
    HALYARD_HOT void SetE16(uint16_t v)
    {
        if (m_mod == 3)
            regs.r[m_rm] = v;
        else
            Wr16(m_eaBase, m_eaOff, v);
    }

    template <bool W> uint32_t GetE() const { return W ? GetE16() : GetE8(); }
    template <bool W> void SetE(uint32_t v)
    {
        if (W)
            SetE16(uint16_t(v));
        else
            SetE8(uint8_t(v));
    }

    // Instruction groups (cpu_alu.h, cpu_string.cpp, cpu_misc.cpp).
    template <bool W> uint32_t Alu(unsigned op, uint32_t a, uint32_t b);
    template <bool W> uint32_t Shift(unsigned op, uint32_t v, unsigned count);
    template <bool W> void MulDiv(unsigned op, uint32_t v);
    template <bool W> void Unary();
    template <bool W> bool IncDec();
    void DecimalAdjust(uint8_t opcode);
    bool AsciiAdjustMultiply(uint8_t base);
    void AsciiAdjustDivide(uint8_t base);
    void StringOp(uint8_t opcode);
    void Enter(uint16_t size, uint8_t level);
    void Bound();
    uint8_t PortIn(uint16_t port);
    uint16_t PortIn16(uint16_t port);
    void PortOut(uint16_t port, uint8_t value);

    uint8_t* m_mem;
    const uint8_t* m_code = nullptr;
    HostCalls& m_host;
    IoPorts* m_ports = nullptr;
    MappedMemory* m_window = nullptr;
    const BreakMap* m_breaks = nullptr;
    StepLog* m_log = nullptr;
    uint32_t m_skipAt = ~0u;
    bool m_atBreak = false;
    // What the run loop must look at between two instructions, one bit each: the request line,
    // a halt, the shadow of STI or of a load of SS (the next instruction runs before an interrupt
    // is taken), and
    // the end of the run asked for.
    // And addresses to stop at.
    enum : uint8_t { kRequest = 1, kHalted = 2, kShadow = 4, kStopped = 8, kBreaks = 16 };
    uint8_t m_state = 0;
    void SetState(uint8_t bits, bool on) { m_state = uint8_t(on ? (m_state | bits) : (m_state & ~bits)); }

    // Decoding state of the current instruction.
    uint16_t m_startIp = 0;
    uint8_t m_override = 4;  // segment prefix (SegReg), 4 = none
    uint8_t m_rep = 0;       // 0, 0xF2 (REPNZ) or 0xF3 (REP/REPZ)
    uint8_t m_mod = 0, m_reg = 0, m_rm = 0;
    uint32_t m_eaBase = 0;
    uint16_t m_eaOff = 0;
};

}  // namespace halyard::dos
