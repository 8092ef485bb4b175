// The instructions of the interpreter that are rare enough to be calls: multiply and divide, the
// decimal adjustments, ENTER, BOUND and port input.
#include "core/pc/cpu/cpu.h"

#include "core/pc/cpu/cpu_alu.h"

namespace halyard::dos {

// MUL IMUL DIV IDIV (/4 to /7 of F6h and F7h). MUL and IMUL set CF and OF when the high half is
// significant; SF, ZF and PF follow the low half (the processor leaves them undefined). A quotient
// that does not fit, or a zero divisor, raises interrupt 0.
template <bool W> void Cpu::MulDiv(unsigned op, uint32_t v)
{
    Registers& R = regs;
    constexpr uint32_t sign = W ? 0x8000 : 0x80;
    if (op == 4 || op == 5) {
        uint32_t low;
        bool wide;
        if (W) {
            const uint32_t p = op == 4 ? uint32_t(R.r[kAX]) * v : uint32_t(int32_t(int16_t(R.r[kAX])) * int16_t(v));
            R.r[kAX] = uint16_t(p);
            R.r[kDX] = uint16_t(p >> 16);
            low = p & 0xFFFF;
            wide = op == 4 ? (p >> 16) != 0 : int32_t(p) != int16_t(p);
        } else {
            const uint16_t p = op == 4 ? uint16_t(R.AL() * v) : uint16_t(int8_t(R.AL()) * int8_t(v));
            R.r[kAX] = p;
            low = p & 0xFF;
            wide = op == 4 ? (p >> 8) != 0 : int16_t(p) != int8_t(p);
        }
        R.flags.SetStatus(uint16_t((wide ? kCF | kOF : 0) | ResultFlags(low, sign)));
        return;
    }
    if (v == 0) {
        DivideError();
        return;
    }
    if (op == 6) {
        const uint32_t n = W ? (uint32_t(R.r[kDX]) << 16 | R.r[kAX]) : R.r[kAX];
        const uint32_t q = n / v;
        if (q > (W ? 0xFFFFu : 0xFFu)) {
            DivideError();
            return;
        }
        if (W) {
            R.r[kAX] = uint16_t(q);
            R.r[kDX] = uint16_t(n % v);
        } else {
            R.r[kAX] = uint16_t((n % v) << 8 | q);
        }
        return;
    }
    const int64_t n = W ? int64_t(int32_t(uint32_t(R.r[kDX]) << 16 | R.r[kAX])) : int64_t(int16_t(R.r[kAX]));
    const int64_t d = W ? int64_t(int16_t(v)) : int64_t(int8_t(v));
    const int64_t q = n / d;
    const int64_t rem = n % d;
    if (q > (W ? 0x7FFF : 0x7F) || q < (W ? -0x8000 : -0x80)) {
        DivideError();
        return;
    }
    if (W) {
        R.r[kAX] = uint16_t(q);
        R.r[kDX] = uint16_t(rem);
    } else {
        R.r[kAX] = uint16_t((uint8_t(rem) << 8) | uint8_t(q));
    }
}

template void Cpu::MulDiv<false>(unsigned, uint32_t);
template void Cpu::MulDiv<true>(unsigned, uint32_t);

// DAA (27h), DAS (2Fh), AAA (37h), AAS (3Fh). AAA and AAS adjust AL and AH separately, as the
// 8086 does (no carry from AL into AH).
void Cpu::DecimalAdjust(uint8_t opcode)
{
    Registers& R = regs;
    const uint8_t al = R.AL();
    const bool af = R.flags.AF();
    const bool cf = R.flags.CF();
    const bool lowAdjust = (al & 0x0F) > 9 || af;
    if (opcode == 0x37 || opcode == 0x3F) {
        if (lowAdjust) {
            R.SetAL(uint8_t(opcode == 0x37 ? al + 6 : al - 6));
            R.SetAH(uint8_t(opcode == 0x37 ? R.AH() + 1 : R.AH() - 1));
        }
        R.SetAL(R.AL() & 0x0F);
        R.flags.SetStatus(uint16_t((lowAdjust ? kAF | kCF : 0) | ResultFlags(R.AL(), 0x80)));
        return;
    }
    const bool add = opcode == 0x27;
    uint8_t v = al;
    bool carry = false;
    if (lowAdjust) {
        carry = cf || (add ? al > 0xF9 : al < 6);
        v = uint8_t(add ? v + 6 : v - 6);
    }
    if (al > 0x99 || cf) {
        v = uint8_t(add ? v + 0x60 : v - 0x60);
        carry = true;
    } else if (add) {
        carry = false;
    }
    R.SetAL(v);
    R.flags.SetStatus(uint16_t((carry ? kCF : 0) | (lowAdjust ? kAF : 0) | ResultFlags(v, 0x80)));
}

// AAM: false for a zero base (a divide error).
bool Cpu::AsciiAdjustMultiply(uint8_t base)
{
    if (base == 0)
        return false;
    const uint8_t al = regs.AL();
    regs.r[kAX] = uint16_t((al / base) << 8 | (al % base));
    regs.flags.SetStatus(ResultFlags(regs.AL(), 0x80));
    return true;
}

void Cpu::AsciiAdjustDivide(uint8_t base)
{
    regs.r[kAX] = uint8_t(regs.AL() + regs.AH() * base);
    regs.flags.SetStatus(ResultFlags(regs.AL(), 0x80));
}

void Cpu::Enter(uint16_t size, uint8_t level)
{
    level &= 0x1F;
    Push(regs.r[kBP]);
    const uint16_t frame = regs.r[kSP];
    for (unsigned i = 1; i < level; ++i) {
        regs.r[kBP] = uint16_t(regs.r[kBP] - 2);
        Push(Rd16(Base(kSS), regs.r[kBP]));
    }
    if (level > 0)
        Push(frame);
    regs.r[kBP] = frame;
    regs.r[kSP] = uint16_t(regs.r[kSP] - size);
}

// BOUND: interrupt 5, at the instruction itself, when the signed index lies outside the pair of
// limits in memory.
void Cpu::Bound()
{
    DecodeModRM();
    if (m_mod == 3) {
        UndefinedOpcode();
        return;
    }
    const int16_t index = int16_t(regs.r[m_reg]);
    const int16_t low = int16_t(Rd16(m_eaBase, m_eaOff));
    const int16_t high = int16_t(Rd16(m_eaBase, uint16_t(m_eaOff + 2)));
    if (index < low || index > high) {
        regs.ip = m_startIp;
        Interrupt(5);
    }
}

uint8_t Cpu::PortIn(uint16_t port)
{
    if (m_log != nullptr)
        m_log->Force();
    return m_ports != nullptr ? m_ports->In(port) : 0xFF;
}

uint16_t Cpu::PortIn16(uint16_t port)
{
    const uint8_t low = PortIn(port);  // the low byte's port is read first
    return uint16_t(low | PortIn(uint16_t(port + 1)) << 8);
}

void Cpu::PortOut(uint16_t port, uint8_t value)
{
    if (m_log != nullptr)
        m_log->Force();
    if (m_ports != nullptr)
        m_ports->Out(port, value);
}

}  // namespace halyard::dos
