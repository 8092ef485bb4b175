#pragma once
// The operand decoder, the two-operand arithmetic and the shifts of the interpreter, inline because
// nearly every instruction of a program goes through them. Included by the interpreter only.
#include "core/pc/cpu/cpu.h"

namespace halyard::dos {

inline void Cpu::DecodeModRM()
{
    const uint8_t modrm = Fetch8();
    m_mod = modrm >> 6;
    m_reg = (modrm >> 3) & 7;
    m_rm = modrm & 7;
    if (m_mod == 3)
        return;
    const uint16_t* r = regs.r;
    uint16_t off;
    unsigned seg = kDS;
    switch (m_rm) {
    case 0: off = uint16_t(r[kBX] + r[kSI]); break;
    case 1: off = uint16_t(r[kBX] + r[kDI]); break;
    case 2: off = uint16_t(r[kBP] + r[kSI]); seg = kSS; break;
    case 3: off = uint16_t(r[kBP] + r[kDI]); seg = kSS; break;
    case 4: off = r[kSI]; break;
    case 5: off = r[kDI]; break;
    case 6:
        if (m_mod == 0) {
            off = Fetch16();
        } else {
            off = r[kBP];
            seg = kSS;
        }
        break;
    default: off = r[kBX]; break;
    }
    if (m_mod == 1)
        off = uint16_t(off + int8_t(Fetch8()));
    else if (m_mod == 2)
        off = uint16_t(off + Fetch16());
    m_eaOff = off;
    m_eaBase = Base(m_override < 4 ? m_override : seg);
}

template <bool W> inline constexpr uint32_t kSign = W ? 0x8000 : 0x80;
template <bool W> inline constexpr uint32_t kMask = W ? 0xFFFF : 0xFF;
template <bool W> inline constexpr unsigned kBits = W ? 16 : 8;

// Operation `op` of the 00h-3Fh rows (ADD OR ADC SBB AND SUB XOR CMP) on a and b; returns the
// result to store (CMP returns a, unchanged).
template <bool W> inline uint32_t Cpu::Alu(unsigned op, uint32_t a, uint32_t b)
{
    Flags& f = regs.flags;
    constexpr uint32_t sign = kSign<W>;
    uint32_t r;
    switch (op) {
    case 0: r = a + b; f.SetAdd(a, b, r, sign); break;
    case 1: r = a | b; f.SetLogic(r, sign); break;
    case 2: r = a + b + f.CF(); f.SetAdd(a, b, r, sign); break;
    case 3: r = a - b - f.CF(); f.SetSub(a, b, r, sign); break;
    case 4: r = a & b; f.SetLogic(r, sign); break;
    case 5: r = a - b; f.SetSub(a, b, r, sign); break;
    case 6: r = a ^ b; f.SetLogic(r, sign); break;
    default: f.SetSub(a, b, a - b, sign); return a;
    }
    return r & kMask<W>;
}

// Rotate or shift `op` of the D0h-D3h groups (ROL ROR RCL RCR SHL SHR SHL SAR) by count, which the
// 80186 takes modulo 32. A count of 0 leaves value and flags alone; rotates change only CF and OF.
template <bool W> inline uint32_t Cpu::Shift(unsigned op, uint32_t v, unsigned count)
{
    count &= 0x1F;
    if (count == 0)
        return v;
    Flags& f = regs.flags;
    constexpr uint32_t sign = kSign<W>, mask = kMask<W>;
    constexpr unsigned bits = kBits<W>;
    uint32_t r;
    bool cf;
    bool of;
    switch (op) {
    case 0: {  // ROL
        const unsigned n = count % bits;
        r = ((v << n) | (v >> ((bits - n) % bits))) & mask;
        cf = r & 1;
        of = ((r & sign) != 0) != cf;
        f.Merge(kCF | kOF, uint16_t((cf ? kCF : 0) | (of ? kOF : 0)));
        return r;
    }
    case 1: {  // ROR
        const unsigned n = count % bits;
        r = ((v >> n) | (v << ((bits - n) % bits))) & mask;
        cf = (r & sign) != 0;
        of = ((r ^ (r << 1)) & sign) != 0;
        f.Merge(kCF | kOF, uint16_t((cf ? kCF : 0) | (of ? kOF : 0)));
        return r;
    }
    case 2:    // RCL
    case 3: {  // RCR
        cf = f.CF();
        r = v;
        for (unsigned n = count % (bits + 1); n > 0; --n) {
            const bool out = op == 2 ? (r & sign) != 0 : (r & 1) != 0;
            r = op == 2 ? (((r << 1) | cf) & mask) : ((r >> 1) | (cf ? sign : 0));
            cf = out;
        }
        of = op == 2 ? ((r & sign) != 0) != cf : ((r ^ (r << 1)) & sign) != 0;
        f.Merge(kCF | kOF, uint16_t((cf ? kCF : 0) | (of ? kOF : 0)));
        return r;
    }
    case 5:  // SHR
        cf = (v >> (count - 1)) & 1;
        r = v >> count;
        of = (v & sign) != 0;
        break;
    case 7: {  // SAR
        const int32_t s = W ? int32_t(int16_t(v)) : int32_t(int8_t(v));
        cf = (s >> (count - 1)) & 1;
        r = uint32_t(s >> count) & mask;
        of = false;
        break;
    }
    default:  // SHL, and its alias /6
        cf = count <= bits && ((v >> (bits - count)) & 1);
        r = count < 32 ? (v << count) & mask : 0;
        of = ((r & sign) != 0) != cf;
        break;
    }
    f.SetStatus(uint16_t((cf ? kCF : 0) | (of ? kOF : 0) | ResultFlags(r, sign)));
    return r;
}

// F6h/F7h: TEST imm, NOT, NEG, MUL, IMUL, DIV, IDIV of the ModRM operand.
template <bool W> inline void Cpu::Unary()
{
    DecodeModRM();
    const uint32_t a = GetE<W>();
    switch (m_reg) {
    case 0:
    case 1: Alu<W>(4, a, W ? Fetch16() : Fetch8()); return;
    case 2: SetE<W>(~a & kMask<W>); return;
    case 3:
        regs.flags.SetSub(0, a, 0 - a, kSign<W>);
        SetE<W>((0 - a) & kMask<W>);
        return;
    default: MulDiv<W>(m_reg, a); return;
    }
}

// INC and DEC of the ModRM operand (/0 and /1 of FEh and FFh); false for another /reg.
template <bool W> inline bool Cpu::IncDec()
{
    const uint32_t a = GetE<W>();
    if (m_reg == 0) {
        SetE<W>((a + 1) & kMask<W>);
        regs.flags.SetInc(a, a + 1, kSign<W>);
    } else if (m_reg == 1) {
        SetE<W>((a - 1) & kMask<W>);
        regs.flags.SetDec(a, a - 1, kSign<W>);
    } else {
        return false;
    }
    return true;
}

}  // namespace halyard::dos
