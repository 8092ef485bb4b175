// The decode switch: one case per opcode, the 00h-3Fh arithmetic rows decoded by their pattern.
#include "core/pc/cpu/cpu.h"

#include "core/pc/cpu/cpu_alu.h"

namespace halyard::dos {

uint64_t Cpu::Run(uint64_t budget)
{
    SetState(kStopped, false);
    m_atBreak = false;
    uint64_t n = 0;
    for (; n < budget; ++n) {
        bool trace = false;
        if ((m_state != 0 || regs.flags.TF()) && !BeforeInstruction(trace))
            break;
        m_startIp = regs.ip;
        m_override = 4;
        m_rep = 0;
        SetCode();
        Execute();
        if (trace && !(m_state & kStopped))
            Interrupt(1);
    }
    return n;
}

// The rare work between two instructions: the end of the run, a pending interrupt, the end of an
// STI's shadow, a halt, single-stepping. False when the run ends here.
bool Cpu::BeforeInstruction(bool& trace)
{
    if (m_state & kStopped)
        return false;
    if ((m_state & (kRequest | kShadow)) == kRequest && regs.flags.IF()) {
        SetState(kHalted, false);
        Interrupt(m_ports->AcknowledgeInterrupt());
    }
    SetState(kShadow, false);
    trace = regs.flags.TF();
    if (Halted())
        return false;
    if (m_breaks != nullptr && !(m_log != nullptr && m_log->Hit())) {
        // The address a run goes on from is passed once, even when an interrupt comes first.
        const uint32_t at = Linear(regs.seg[kCS], regs.ip);
        const bool skip = at == m_skipAt;
        if (skip)
            m_skipAt = ~0u;
        if (!skip && m_breaks->Has(at)) {
            m_atBreak = true;
            return false;
        }
    }
    if (m_log != nullptr) {
        if (m_log->Hit()) {
            m_atBreak = true;
            return false;
        }
        m_log->Begin(regs);
    }
    return true;
}

void Cpu::UndefinedOpcode()
{
    regs.ip = m_startIp;
    Interrupt(6);
}

void Cpu::Interrupt(uint8_t vector)
{
    Push(regs.flags.Get());
    regs.flags.SetControl(kIF, false);
    regs.flags.SetControl(kTF, false);
    Push(regs.seg[kCS]);
    Push(regs.ip);
    regs.ip = Rd16(0, uint16_t(vector * 4));
    regs.seg[kCS] = Rd16(0, uint16_t(vector * 4 + 2));
}

// The 80186 reports a divide error at the dividing instruction itself.
void Cpu::DivideError()
{
    regs.ip = m_startIp;
    Interrupt(0);
}

void Cpu::Execute()
{
    Registers& R = regs;
    for (;;) {
        const uint8_t op = Fetch8();
        switch (op) {
        // ADD OR ADC SBB AND SUB XOR CMP in six forms each.
        case 0x00: case 0x08: case 0x10: case 0x18: case 0x20: case 0x28: case 0x30: case 0x38:
            DecodeModRM();
            {
                const uint32_t r = Alu<false>(op >> 3, GetE8(), R.R8(m_reg));
                if ((op >> 3) != 7) SetE8(uint8_t(r));
            }
            return;
        case 0x01: case 0x09: case 0x11: case 0x19: case 0x21: case 0x29: case 0x31: case 0x39:
            DecodeModRM();
            {
                const uint32_t r = Alu<true>(op >> 3, GetE16(), R.r[m_reg]);
                if ((op >> 3) != 7) SetE16(uint16_t(r));
            }
            return;
        case 0x02: case 0x0A: case 0x12: case 0x1A: case 0x22: case 0x2A: case 0x32: case 0x3A:
            DecodeModRM();
            R.SetR8(m_reg, uint8_t(Alu<false>(op >> 3, R.R8(m_reg), GetE8())));
            return;
        case 0x03: case 0x0B: case 0x13: case 0x1B: case 0x23: case 0x2B: case 0x33: case 0x3B:
            DecodeModRM();
            R.r[m_reg] = uint16_t(Alu<true>(op >> 3, R.r[m_reg], GetE16()));
            return;
        case 0x04: case 0x0C: case 0x14: case 0x1C: case 0x24: case 0x2C: case 0x34: case 0x3C:
            R.SetAL(uint8_t(Alu<false>(op >> 3, R.AL(), Fetch8())));
            return;
        case 0x05: case 0x0D: case 0x15: case 0x1D: case 0x25: case 0x2D: case 0x35: case 0x3D:
            R.r[kAX] = uint16_t(Alu<true>(op >> 3, R.r[kAX], Fetch16()));
            return;
        case 0x06: case 0x0E: case 0x16: case 0x1E: Push(R.seg[op >> 3]); return;
        case 0x07: case 0x1F: R.seg[op >> 3] = Pop(); return;
        case 0x17:
            R.seg[kSS] = Pop();
            SetState(kShadow, true);
            return;
        case 0x0F:
            if (R.seg[kCS] == kRomSegment && Fetch8() == kHostCall1) {
                m_host.OnHostCall(Fetch8());
                return;
            }
            UndefinedOpcode();
            return;
        case 0x26: case 0x2E: case 0x36: case 0x3E: m_override = (op >> 3) & 3; continue;
        case 0x27: case 0x2F: case 0x37: case 0x3F: DecimalAdjust(op); return;
        case 0x40: case 0x41: case 0x42: case 0x43: case 0x44: case 0x45: case 0x46: case 0x47: {
            const uint32_t a = R.r[op & 7];
            R.r[op & 7] = uint16_t(a + 1);
            R.flags.SetInc(a, a + 1, 0x8000);
            return;
        }
        case 0x48: case 0x49: case 0x4A: case 0x4B: case 0x4C: case 0x4D: case 0x4E: case 0x4F: {
            const uint32_t a = R.r[op & 7];
            R.r[op & 7] = uint16_t(a - 1);
            R.flags.SetDec(a, a - 1, 0x8000);
            return;
        }
        // PUSH SP pushes the decremented value on the 8086 and 80186.
        case 0x50: case 0x51: case 0x52: case 0x53: case 0x54: case 0x55: case 0x56: case 0x57:
            R.r[kSP] = uint16_t(R.r[kSP] - 2);
            Wr16(Base(kSS), R.r[kSP], R.r[op & 7]);
            return;
        case 0x58: case 0x59: case 0x5A: case 0x5B: case 0x5C: case 0x5D: case 0x5E: case 0x5F: {
            const uint16_t v = Pop();
            R.r[op & 7] = v;
            return;
        }
        case 0x60: {  // PUSHA
            const uint16_t sp = R.r[kSP];
            for (unsigned i = 0; i < 8; ++i)
                Push(i == kSP ? sp : R.r[i]);
            return;
        }
        case 0x61:  // POPA (the stored SP is skipped)
            for (int i = 7; i >= 0; --i) {
                const uint16_t v = Pop();
                if (i != kSP) R.r[i] = v;
            }
            return;
        case 0x62: Bound(); return;
        case 0x68: Push(Fetch16()); return;
        case 0x6A: Push(uint16_t(int8_t(Fetch8()))); return;
        case 0x69: case 0x6B: {  // IMUL reg, r/m, imm
            DecodeModRM();
            const int32_t a = int16_t(GetE16());
            const int32_t b = op == 0x69 ? int16_t(Fetch16()) : int8_t(Fetch8());
            const int32_t p = a * b;
            R.r[m_reg] = uint16_t(p);
            const bool over = p != int16_t(p);
            R.flags.SetStatus(uint16_t((over ? kCF | kOF : 0) | ResultFlags(uint32_t(p), 0x8000)));
            return;
        }
        case 0x6C: case 0x6D: case 0x6E: case 0x6F: StringOp(op); return;
        case 0x70: case 0x71: case 0x72: case 0x73: case 0x74: case 0x75: case 0x76: case 0x77:
        case 0x78: case 0x79: case 0x7A: case 0x7B: case 0x7C: case 0x7D: case 0x7E: case 0x7F: {
            const int8_t d = int8_t(Fetch8());
            if (R.flags.Test(op & 15)) R.ip = uint16_t(R.ip + d);
            return;
        }
        case 0x80: case 0x82: {
            DecodeModRM();
            const uint32_t r = Alu<false>(m_reg, GetE8(), Fetch8());
            if (m_reg != 7) SetE8(uint8_t(r));
            return;
        }
        case 0x81: case 0x83: {
            DecodeModRM();
            const uint32_t a = GetE16();
            const uint32_t b = op == 0x81 ? Fetch16() : uint16_t(int8_t(Fetch8()));
            const uint32_t r = Alu<true>(m_reg, a, b);
            if (m_reg != 7) SetE16(uint16_t(r));
            return;
        }
        case 0x84: DecodeModRM(); Alu<false>(4, GetE8(), R.R8(m_reg)); return;
        case 0x85: DecodeModRM(); Alu<true>(4, GetE16(), R.r[m_reg]); return;
        case 0x86: {
            DecodeModRM();
            const uint8_t v = GetE8();
            SetE8(R.R8(m_reg));
            R.SetR8(m_reg, v);
            return;
        }
        case 0x87: {
            DecodeModRM();
            const uint16_t v = GetE16();
            SetE16(R.r[m_reg]);
            R.r[m_reg] = v;
            return;
        }
        case 0x88: DecodeModRM(); SetE8(R.R8(m_reg)); return;
        case 0x89: DecodeModRM(); SetE16(R.r[m_reg]); return;
        case 0x8A: DecodeModRM(); R.SetR8(m_reg, GetE8()); return;
        case 0x8B: DecodeModRM(); R.r[m_reg] = GetE16(); return;
        case 0x8C: DecodeModRM(); SetE16(R.seg[m_reg & 3]); return;
        case 0x8D:
            DecodeModRM();
            if (m_mod == 3) break;
            R.r[m_reg] = m_eaOff;
            return;
        case 0x8E:
            DecodeModRM();
            if ((m_reg & 3) == kCS) break;
            R.seg[m_reg & 3] = GetE16();
            if ((m_reg & 3) == kSS)
                SetState(kShadow, true);
            return;
        case 0x8F:
            DecodeModRM();
            if (m_reg != 0) break;
            SetE16(Pop());
            return;
        case 0x90: return;
        case 0x91: case 0x92: case 0x93: case 0x94: case 0x95: case 0x96: case 0x97: {
            const uint16_t v = R.r[op & 7];
            R.r[op & 7] = R.r[kAX];
            R.r[kAX] = v;
            return;
        }
        case 0x98: R.r[kAX] = uint16_t(int8_t(R.AL())); return;
        case 0x99: R.r[kDX] = (R.r[kAX] & 0x8000) ? 0xFFFF : 0; return;
        case 0x9A: {
            const uint16_t off = Fetch16();
            const uint16_t seg = Fetch16();
            Push(R.seg[kCS]);
            Push(R.ip);
            R.seg[kCS] = seg;
            R.ip = off;
            return;
        }
        case 0x9B: return;  // WAIT: no coprocessor to wait for
        case 0x9C: Push(R.flags.Get()); return;
        case 0x9D: R.flags.Set(Pop()); return;
        case 0x9E: R.flags.Merge(kCF | kPF | kAF | kZF | kSF, R.AH()); return;
        case 0x9F: R.SetAH(uint8_t(R.flags.Get())); return;
        case 0xA0: R.SetAL(Rd8(DataBase(), Fetch16())); return;
        case 0xA1: R.r[kAX] = Rd16(DataBase(), Fetch16()); return;
        case 0xA2: Wr8(DataBase(), Fetch16(), R.AL()); return;
        case 0xA3: Wr16(DataBase(), Fetch16(), R.r[kAX]); return;
        case 0xA4: case 0xA5: case 0xA6: case 0xA7: case 0xAA: case 0xAB: case 0xAC: case 0xAD:
        case 0xAE: case 0xAF:
            StringOp(op);
            return;
        case 0xA8: Alu<false>(4, R.AL(), Fetch8()); return;
        case 0xA9: Alu<true>(4, R.r[kAX], Fetch16()); return;
        case 0xB0: case 0xB1: case 0xB2: case 0xB3: case 0xB4: case 0xB5: case 0xB6: case 0xB7:
            R.SetR8(op & 7, Fetch8());
            return;
        case 0xB8: case 0xB9: case 0xBA: case 0xBB: case 0xBC: case 0xBD: case 0xBE: case 0xBF:
            R.r[op & 7] = Fetch16();
            return;
        case 0xC0: case 0xD0: case 0xD2: {
            DecodeModRM();
            const unsigned count = op == 0xD0 ? 1 : op == 0xD2 ? R.R8(1) : Fetch8();
            SetE8(uint8_t(Shift<false>(m_reg, GetE8(), count)));
            return;
        }
        case 0xC1: case 0xD1: case 0xD3: {
            DecodeModRM();
            const unsigned count = op == 0xD1 ? 1 : op == 0xD3 ? R.R8(1) : Fetch8();
            SetE16(uint16_t(Shift<true>(m_reg, GetE16(), count)));
            return;
        }
        case 0xC2: {
            const uint16_t n = Fetch16();
            R.ip = Pop();
            R.r[kSP] = uint16_t(R.r[kSP] + n);
            return;
        }
        case 0xC3: R.ip = Pop(); return;
        case 0xC4: case 0xC5:
            DecodeModRM();
            if (m_mod == 3) break;
            R.r[m_reg] = Rd16(m_eaBase, m_eaOff);
            R.seg[op == 0xC4 ? kES : kDS] = Rd16(m_eaBase, uint16_t(m_eaOff + 2));
            return;
        case 0xC6:
            DecodeModRM();
            if (m_reg != 0) break;
            SetE8(Fetch8());
            return;
        case 0xC7:
            DecodeModRM();
            if (m_reg != 0) break;
            SetE16(Fetch16());
            return;
        case 0xC8: {
            const uint16_t size = Fetch16();
            Enter(size, Fetch8());
            return;
        }
        case 0xC9:
            R.r[kSP] = R.r[kBP];
            R.r[kBP] = Pop();
            return;
        case 0xCA: case 0xCB: {
            const uint16_t n = op == 0xCA ? Fetch16() : 0;
            R.ip = Pop();
            R.seg[kCS] = Pop();
            R.r[kSP] = uint16_t(R.r[kSP] + n);
            return;
        }
        case 0xCC: Interrupt(3); return;
        case 0xCD: Interrupt(Fetch8()); return;
        case 0xCE:
            if (R.flags.OF()) Interrupt(4);
            return;
        case 0xCF:
            R.ip = Pop();
            R.seg[kCS] = Pop();
            R.flags.Set(Pop());
            return;
        case 0xD4:
            if (!AsciiAdjustMultiply(Fetch8())) DivideError();
            return;
        case 0xD5: AsciiAdjustDivide(Fetch8()); return;
        case 0xD6: R.SetAL(R.flags.CF() ? 0xFF : 0); return;  // SALC
        case 0xD7: R.SetAL(Rd8(DataBase(), uint16_t(R.r[kBX] + R.AL()))); return;
        // ESC: the coprocessor's instructions. There is none: the operand is decoded (so the
        // instruction has its length) and nothing changes, as on an 8086 without an 8087.
        case 0xD8: case 0xD9: case 0xDA: case 0xDB: case 0xDC: case 0xDD: case 0xDE: case 0xDF:
            DecodeModRM();
            return;
        case 0xE0: case 0xE1: case 0xE2: {
            const int8_t d = int8_t(Fetch8());
            R.r[kCX] = uint16_t(R.r[kCX] - 1);
            bool jump = R.r[kCX] != 0;
            if (op == 0xE0) jump = jump && !R.flags.ZF();
            if (op == 0xE1) jump = jump && R.flags.ZF();
            if (jump) R.ip = uint16_t(R.ip + d);
            return;
        }
        case 0xE3: {
            const int8_t d = int8_t(Fetch8());
            if (R.r[kCX] == 0) R.ip = uint16_t(R.ip + d);
            return;
        }
        case 0xE4: R.SetAL(PortIn(Fetch8())); return;
        case 0xE5: {
            const uint8_t port = Fetch8();
            R.r[kAX] = PortIn16(port);
            return;
        }
        case 0xE6: PortOut(Fetch8(), R.AL()); return;
        case 0xE7: {
            const uint8_t port = Fetch8();
            PortOut(port, R.AL());
            PortOut(uint16_t(port + 1), R.AH());
            return;
        }
        case 0xE8: {
            const uint16_t d = Fetch16();
            Push(R.ip);
            R.ip = uint16_t(R.ip + d);
            return;
        }
        case 0xE9: {
            const uint16_t d = Fetch16();
            R.ip = uint16_t(R.ip + d);
            return;
        }
        case 0xEA: {
            const uint16_t off = Fetch16();
            R.seg[kCS] = Fetch16();
            R.ip = off;
            return;
        }
        case 0xEB: {
            const int8_t d = int8_t(Fetch8());
            R.ip = uint16_t(R.ip + d);
            return;
        }
        case 0xEC: R.SetAL(PortIn(R.r[kDX])); return;
        case 0xED: R.r[kAX] = PortIn16(R.r[kDX]); return;
        case 0xEE: PortOut(R.r[kDX], R.AL()); return;
        case 0xEF:
            PortOut(R.r[kDX], R.AL());
            PortOut(uint16_t(R.r[kDX] + 1), R.AH());
            return;
        case 0xF0: continue;  // LOCK
        case 0xF2: case 0xF3: m_rep = op; continue;
        case 0xF4:  // HLT: the machine idles until an interrupt comes
            SetState(kHalted | kStopped, true);
            return;
        case 0xF5: R.flags.Merge(kCF, R.flags.CF() ? 0 : kCF); return;
        case 0xF6: Unary<false>(); return;
        case 0xF7: Unary<true>(); return;
        case 0xF8: R.flags.Merge(kCF, 0); return;
        case 0xF9: R.flags.Merge(kCF, kCF); return;
        case 0xFA: R.flags.SetControl(kIF, false); return;
        case 0xFB:
            SetState(kShadow, !R.flags.IF());
            R.flags.SetControl(kIF, true);
            return;
        case 0xFC: R.flags.SetControl(kDF, false); return;
        case 0xFD: R.flags.SetControl(kDF, true); return;
        case 0xFE:
            DecodeModRM();
            if (!IncDec<false>()) break;
            return;
        case 0xFF: {
            DecodeModRM();
            if (IncDec<true>()) return;
            switch (m_reg) {
            case 2: {
                const uint16_t target = GetE16();
                Push(R.ip);
                R.ip = target;
                return;
            }
            case 4: R.ip = GetE16(); return;
            case 3: case 5: {
                if (m_mod == 3) break;
                const uint16_t off = Rd16(m_eaBase, m_eaOff);
                const uint16_t seg = Rd16(m_eaBase, uint16_t(m_eaOff + 2));
                if (m_reg == 3) {
                    Push(R.seg[kCS]);
                    Push(R.ip);
                }
                R.seg[kCS] = seg;
                R.ip = off;
                return;
            }
            case 6: {
                const uint16_t v = GetE16();
                Push(v);
                return;
            }
            default: break;
            }
            break;
        }
        default: break;
        }
        UndefinedOpcode();
        return;
    }
}

}  // namespace halyard::dos
