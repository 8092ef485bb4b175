#pragma once
// The processor's flags, computed when they are read. An arithmetic instruction records its
// operands and result; a later instruction that reads a flag (a jump, ADC, PUSHF) derives just that
// flag. Instructions whose flags are costly to describe that way store them outright.
#include <array>
#include <cstdint>

#include "core/pc/cpu/hot.h"

namespace halyard::dos {

enum FlagBit : uint16_t {
    kCF = 0x0001, kPF = 0x0004, kAF = 0x0010, kZF = 0x0040, kSF = 0x0080,
    kTF = 0x0100, kIF = 0x0200, kDF = 0x0400, kOF = 0x0800,
};
inline constexpr uint16_t kStatusFlags = kCF | kPF | kAF | kZF | kSF | kOF;
inline constexpr uint16_t kControlFlags = kTF | kIF | kDF;
// Bits 1 and 12-15 always read as 1 on the 8086 and 80186.
inline constexpr uint16_t kFixedFlags = 0xF002;

inline constexpr std::array<uint8_t, 256> kParity = [] {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        int bits = 0;
        for (int b = 0; b < 8; ++b)
            bits += (i >> b) & 1;
        table[i] = (bits & 1) ? 0 : kPF;
    }
    return table;
}();

// ZF, SF and PF of a result of the width whose sign bit is `sign`.
inline uint16_t ResultFlags(uint32_t res, uint32_t sign)
{
    return uint16_t(((res & (sign * 2 - 1)) == 0 ? kZF : 0) | ((res & sign) ? kSF : 0) | kParity[res & 0xFF]);
}

class Flags {
public:
    // How the status flags are derived. For the Add and Sub kinds `res` is the unmasked result
    // (a + b + carry, or a - b - borrow in 32 bits), so the carry is the bit above the sign; the
    // KeepCarry kinds (INC, DEC) take CF from `m_stored` instead.
    enum Kind : uint8_t { kStored, kAdd, kSub, kLogic, kAddKeepCarry, kSubKeepCarry };

    void SetAdd(uint32_t a, uint32_t b, uint32_t res, uint32_t sign) { Record(kAdd, a, b, res, sign); }
    void SetSub(uint32_t a, uint32_t b, uint32_t res, uint32_t sign) { Record(kSub, a, b, res, sign); }
    void SetLogic(uint32_t res, uint32_t sign) { Record(kLogic, 0, 0, res, sign); }
    void SetInc(uint32_t a, uint32_t res, uint32_t sign)
    {
        m_stored = CF() ? kCF : 0;
        Record(kAddKeepCarry, a, 1, res, sign);
    }
    void SetDec(uint32_t a, uint32_t res, uint32_t sign)
    {
        m_stored = CF() ? kCF : 0;
        Record(kSubKeepCarry, a, 1, res, sign);
    }
    // Stores every status flag outright.
    void SetStatus(uint16_t status)
    {
        m_stored = status & kStatusFlags;
        m_kind = kStored;
    }
    // Replaces the flags in `mask` with those of `status`, keeping the others.
    void Merge(uint16_t mask, uint16_t status) { SetStatus(uint16_t((Status() & ~mask) | (status & mask))); }

    bool CF() const
    {
        switch (m_kind) {
        case kAdd:
        case kSub: return (m_res & (m_sign << 1)) != 0;
        case kLogic: return false;
        default: return m_stored & kCF;
        }
    }
    bool ZF() const { return m_kind == kStored ? (m_stored & kZF) != 0 : (m_res & (m_sign * 2 - 1)) == 0; }
    bool SF() const { return m_kind == kStored ? (m_stored & kSF) != 0 : (m_res & m_sign) != 0; }
    bool PF() const { return m_kind == kStored ? (m_stored & kPF) != 0 : kParity[m_res & 0xFF] != 0; }
    bool OF() const
    {
        switch (m_kind) {
        case kAdd:
        case kAddKeepCarry: return ((m_a ^ m_res) & (m_b ^ m_res) & m_sign) != 0;
        case kSub:
        case kSubKeepCarry: return ((m_a ^ m_b) & (m_a ^ m_res) & m_sign) != 0;
        case kLogic: return false;
        default: return m_stored & kOF;
        }
    }
    bool AF() const
    {
        switch (m_kind) {
        case kStored: return m_stored & kAF;
        case kLogic: return false;
        default: return ((m_a ^ m_b ^ m_res) & 0x10) != 0;
        }
    }
    bool DF() const { return m_control & kDF; }
    bool TF() const { return m_control & kTF; }
    bool IF() const { return m_control & kIF; }

    // Condition `cc` of Jcc (0 = O ... 15 = G).
    HALYARD_HOT bool Test(unsigned cc) const
    {
        bool r;
        switch (cc >> 1) {
        case 0: r = OF(); break;
        case 1: r = CF(); break;
        case 2: r = ZF(); break;
        case 3: r = CF() || ZF(); break;
        case 4: r = SF(); break;
        case 5: r = PF(); break;
        case 6: r = SF() != OF(); break;
        default: r = ZF() || SF() != OF(); break;
        }
        return r != bool(cc & 1);
    }

    uint16_t Status() const
    {
        if (m_kind == kStored)
            return m_stored;
        return uint16_t((CF() ? kCF : 0) | (OF() ? kOF : 0) | (AF() ? kAF : 0) | ResultFlags(m_res, m_sign));
    }
    uint16_t Get() const { return uint16_t(Status() | m_control | kFixedFlags); }
    void Set(uint16_t word)
    {
        SetStatus(word);
        m_control = word & kControlFlags;
    }
    void SetControl(uint16_t bit, bool on) { m_control = uint16_t(on ? (m_control | bit) : (m_control & ~bit)); }

private:
    void Record(Kind kind, uint32_t a, uint32_t b, uint32_t res, uint32_t sign)
    {
        m_kind = kind;
        m_a = a;
        m_b = b;
        m_res = res;
        m_sign = sign;
    }

    Kind m_kind = kStored;
    uint16_t m_stored = 0;   // the status flags for kStored; CF for the KeepCarry kinds
    uint16_t m_control = 0;  // TF, IF, DF
    uint32_t m_a = 0, m_b = 0, m_res = 0;
    uint32_t m_sign = 0x80;  // 0x80 or 0x8000: the operation's width
};

}  // namespace halyard::dos
