// Random programs: arithmetic checked step by step against a plain model of the flags, and random
// bytes that must never take the host down.
#include <gtest/gtest.h>

#include <random>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

// The model: AX, BX and the status flags, each instruction's flags from their definitions.
struct Model {
    uint16_t ax = 0, bx = 0;
    uint16_t flags = 0;
    uint16_t defined = kStatusFlags;  // flags the last instruction leaves defined

    void SetResult(uint32_t r, bool word)
    {
        const uint32_t mask = word ? 0xFFFF : 0xFF, sign = word ? 0x8000 : 0x80;
        flags &= uint16_t(~(kZF | kSF | kPF));
        if ((r & mask) == 0) flags |= kZF;
        if (r & sign) flags |= kSF;
        int bits = 0;
        for (int i = 0; i < 8; ++i) bits += (r >> i) & 1;
        if (!(bits & 1)) flags |= kPF;
    }
    void Set(uint16_t bit, bool on) { flags = uint16_t(on ? flags | bit : flags & ~bit); }

    // ADD OR ADC SBB AND SUB XOR CMP on a and b of one width; returns the stored result.
    uint32_t Alu(unsigned op, uint32_t a, uint32_t b, bool word)
    {
        const int bits = word ? 16 : 8;
        const int32_t lo = -(1 << (bits - 1)), hi = (1 << (bits - 1)) - 1;
        const auto signedOf = [&](uint32_t v) { return int32_t(v << (32 - bits)) >> (32 - bits); };
        const uint32_t carry = (op == 2 || op == 3) && (flags & kCF) ? 1 : 0;
        defined = kStatusFlags;
        uint32_t r;
        if (op == 1 || op == 4 || op == 6) {
            r = op == 1 ? a | b : op == 4 ? a & b : a ^ b;
            Set(kCF, false);
            Set(kOF, false);
            defined = kStatusFlags & ~kAF;
        } else if (op == 0 || op == 2) {
            r = a + b + carry;
            Set(kCF, r >> bits);
            const int32_t s = signedOf(a) + signedOf(b) + int32_t(carry);
            Set(kOF, s < lo || s > hi);
            Set(kAF, (a & 15) + (b & 15) + carry > 15);
        } else {
            r = a - b - carry;
            Set(kCF, a < b + carry);
            const int32_t s = signedOf(a) - signedOf(b) - int32_t(carry);
            Set(kOF, s < lo || s > hi);
            Set(kAF, (a & 15) < (b & 15) + carry);
        }
        SetResult(r, word);
        return op == 7 ? a : r & (word ? 0xFFFF : 0xFF);
    }
};

// One random instruction: its bytes, and what it does to the model.
std::vector<uint8_t> RandomStep(std::mt19937& rng, Model& m)
{
    const unsigned kind = rng() % 8;
    const unsigned op = rng() % 8;
    const uint16_t imm = uint16_t(rng() % 4 == 0 ? (rng() % 3 == 0 ? 0x8000 : 0x7FFF) + rng() % 3 - 1 : rng());
    switch (kind) {
    case 0:  // op AX, BX
        m.ax = uint16_t(m.Alu(op, m.ax, m.bx, true));
        return {uint8_t(op << 3 | 1), 0xD8};
    case 1: {  // op AL, BL
        const uint8_t al = uint8_t(m.Alu(op, m.ax & 0xFF, m.bx & 0xFF, false));
        m.ax = uint16_t((m.ax & 0xFF00) | al);
        return {uint8_t(op << 3), 0xD8};
    }
    case 2:  // op AX, imm16
        m.ax = uint16_t(m.Alu(op, m.ax, imm, true));
        return {uint8_t(op << 3 | 5), uint8_t(imm), uint8_t(imm >> 8)};
    case 3: {  // INC or DEC AX: CF stays
        const bool cf = m.flags & kCF;
        m.ax = uint16_t(m.Alu(op & 1 ? 5 : 0, m.ax, 1, true));
        m.Set(kCF, cf);
        return {uint8_t(op & 1 ? 0x48 : 0x40)};
    }
    case 4:  // NEG AX
        m.ax = uint16_t(m.Alu(5, 0, m.ax, true));
        return {0xF7, 0xD8};
    case 5:  // STC, CLC, CMC
        m.Set(kCF, op % 3 == 0 ? true : op % 3 == 1 ? false : !(m.flags & kCF));
        return {uint8_t(op % 3 == 0 ? 0xF9 : op % 3 == 1 ? 0xF8 : 0xF5)};
    case 6:  // MOV BX, imm16
        m.bx = imm;
        return {0xBB, uint8_t(imm), uint8_t(imm >> 8)};
    default:  // PUSHF; POPF: the flags survive being stored and restored
        return {0x9C, 0x9D};
    }
}

TEST(CpuProperty, FlagsFollowTheirDefinitionsInRandomPrograms)
{
    std::mt19937 rng(20);
    for (int program = 0; program < 40; ++program) {
        TestMachine t;
        ASSERT_EQ(t.Load({0x90}), "");
        Cpu& cpu = t.machine.Processor();
        Model m;
        cpu.regs.flags.Set(0);
        cpu.regs.r[kAX] = cpu.regs.r[kBX] = 0;
        for (int step = 0; step < 300; ++step) {
            const std::vector<uint8_t> code = RandomStep(rng, m);
            t.Mem().CopyIn(cpu.regs.seg[kCS], 0x100, code.data(), uint32_t(code.size()));
            cpu.regs.ip = 0x100;
            cpu.Run(code[0] == 0x9C ? 2 : 1);
            ASSERT_EQ(cpu.regs.r[kAX], m.ax) << "program " << program << " step " << step;
            ASSERT_EQ(cpu.regs.flags.Get() & m.defined, m.flags & m.defined)
                << "program " << program << " step " << step << " opcode " << int(code[0]);
            m.flags = uint16_t((m.flags & m.defined) | (cpu.regs.flags.Get() & ~m.defined & kStatusFlags));
        }
    }
}

// Random bytes as a program, with random registers: whatever they do (write anywhere, call any
// service, jump anywhere), the run ends cleanly and the host is untouched (the sanitizers watch).
TEST(CpuProperty, RandomBytesNeverHarmTheHost)
{
    std::mt19937 rng(7);
    for (int program = 0; program < 60; ++program) {
        std::vector<uint8_t> code(2048);
        for (uint8_t& b : code)
            b = uint8_t(rng());
        TestMachine t;
        ASSERT_EQ(t.Load(code), "");
        for (uint16_t& r : t.R().r)
            r = uint16_t(rng());
        t.R().seg[kDS] = uint16_t(rng());
        t.R().seg[kES] = uint16_t(rng());
        const RunResult result = t.machine.Run(20000);
        EXPECT_TRUE(result.exited || !result.failure.empty());
    }
}

}  // namespace
}  // namespace halyard::dos::test
