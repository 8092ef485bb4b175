#pragma once
// The processor's registers and flags, as the debugger and the step log keep them.
#include <cstdint>

#include "core/pc/cpu/flags.h"

namespace halyard::dos {

enum Reg16 : uint8_t { kAX, kCX, kDX, kBX, kSP, kBP, kSI, kDI };
enum SegReg : uint8_t { kES, kCS, kSS, kDS };

struct Registers {
    uint16_t r[8] = {};    // AX CX DX BX SP BP SI DI
    uint16_t seg[4] = {};  // ES CS SS DS
    uint16_t ip = 0;
    Flags flags;

    uint8_t R8(unsigned i) const { return uint8_t(r[i & 3] >> ((i & 4) << 1)); }
    void SetR8(unsigned i, uint8_t v)
    {
        const unsigned shift = (i & 4) << 1;
        r[i & 3] = uint16_t((r[i & 3] & ~(0xFF << shift)) | (v << shift));
    }
    uint8_t AL() const { return uint8_t(r[kAX]); }
    uint8_t AH() const { return uint8_t(r[kAX] >> 8); }
    void SetAL(uint8_t v) { SetR8(0, v); }
    void SetAH(uint8_t v) { SetR8(4, v); }
};

}  // namespace halyard::dos
