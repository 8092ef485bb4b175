// The string instructions, alone or repeated. The source is DS:SI (or the prefix's segment), the
// destination always ES:DI; both offsets wrap within their segments.
#include "core/pc/cpu/cpu.h"

#include "core/pc/cpu/cpu_alu.h"

namespace halyard::dos {

void Cpu::StringOp(uint8_t opcode)
{
    Registers& R = regs;
    const bool word = opcode & 1;
    const uint16_t step = uint16_t(R.flags.DF() ? (word ? -2 : -1) : (word ? 2 : 1));
    const uint32_t src = DataBase();
    const uint32_t dst = Base(kES);
    const bool repeated = m_rep != 0;
    const bool compares = (opcode & 0xF6) == 0xA6;  // CMPS, SCAS
    for (;;) {
        if (repeated && R.r[kCX] == 0)
            return;
        uint16_t& si = R.r[kSI];
        uint16_t& di = R.r[kDI];
        switch (opcode & 0xFE) {
        case 0x6C:  // INS from port DX, a word as two byte reads (low byte first), as IN does
            if (word)
                Wr16(dst, di, PortIn16(R.r[kDX]));
            else
                Wr8(dst, di, PortIn(R.r[kDX]));
            di = uint16_t(di + step);
            break;
        case 0x6E:  // OUTS to port DX
            if (word) {
                const uint16_t v = Rd16(src, si);
                PortOut(R.r[kDX], uint8_t(v));
                PortOut(uint16_t(R.r[kDX] + 1), uint8_t(v >> 8));
            } else {
                PortOut(R.r[kDX], Rd8(src, si));
            }
            si = uint16_t(si + step);
            break;
        case 0xA4:
            word ? Wr16(dst, di, Rd16(src, si)) : Wr8(dst, di, Rd8(src, si));
            si = uint16_t(si + step);
            di = uint16_t(di + step);
            break;
        case 0xA6:
            word ? (void)Alu<true>(7, Rd16(src, si), Rd16(dst, di)) : (void)Alu<false>(7, Rd8(src, si), Rd8(dst, di));
            si = uint16_t(si + step);
            di = uint16_t(di + step);
            break;
        case 0xAA:
            word ? Wr16(dst, di, R.r[kAX]) : Wr8(dst, di, R.AL());
            di = uint16_t(di + step);
            break;
        case 0xAC:
            if (word)
                R.r[kAX] = Rd16(src, si);
            else
                R.SetAL(Rd8(src, si));
            si = uint16_t(si + step);
            break;
        default:  // SCAS
            word ? (void)Alu<true>(7, R.r[kAX], Rd16(dst, di)) : (void)Alu<false>(7, R.AL(), Rd8(dst, di));
            di = uint16_t(di + step);
            break;
        }
        if (!repeated)
            return;
        R.r[kCX] = uint16_t(R.r[kCX] - 1);
        if (compares && R.flags.ZF() != (m_rep == 0xF3))
            return;
    }
}

}  // namespace halyard::dos
