// The processor: the behaviours of the 80186 that the comparison with the reference machine does
// not reach (its reference is a later processor), memory wrapping, and the stops with a message.
#include <gtest/gtest.h>

#include <random>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

struct Regs {
    uint16_t ax, bx, cx, dx;
};

struct Case {
    const char* what;
    std::vector<uint8_t> code;  // INT 20h is added at the end
    Regs in;
    uint16_t flagsIn;
    Regs out;
    uint16_t flagsMask, flagsOut;
};

// Runs `code` and INT 20h as a .COM program; `psp` receives its segment.
RunResult RunCode(TestMachine& t, std::vector<uint8_t> code, const Regs& in, uint16_t flags = 0,
                  uint16_t* psp = nullptr)
{
    code.push_back(0xCD);
    code.push_back(0x20);
    EXPECT_EQ(t.Load(code), "");
    if (psp != nullptr)
        *psp = t.R().seg[kCS];
    t.R().r[kAX] = in.ax;
    t.R().r[kBX] = in.bx;
    t.R().r[kCX] = in.cx;
    t.R().r[kDX] = in.dx;
    t.R().flags.Set(flags);
    return t.machine.Run(100000);
}

TEST(Cpu, InstructionTable)
{
    const Case cases[] = {
        {"MUL BL sets CF and OF for a high half", {0xF6, 0xE3}, {0x0080, 3, 0, 0}, 0, {0x0180, 3, 0, 0}, kCF | kOF, kCF | kOF},
        {"IMUL BX fits", {0xF7, 0xEB}, {0xFFFF, 2, 0, 0}, kCF, {0xFFFE, 2, 0, 0xFFFF}, kCF | kOF, 0},
        {"DIV BX", {0xF7, 0xF3}, {0x0000, 2, 0, 1}, 0, {0x8000, 2, 0, 0}, 0, 0},
        {"IDIV BL gives -128 on the 80186", {0xF6, 0xFB}, {0xFF80, 1, 0, 0}, 0, {0x0080, 1, 0, 0}, 0, 0},
        {"IDIV BX keeps the dividend's sign in the remainder", {0xF7, 0xFB}, {0xFFF9, 2, 0, 0xFFFF}, 0,
         {0xFFFD, 2, 0, 0xFFFF}, 0, 0},
        {"shift counts are taken modulo 32", {0xD3, 0xE0}, {1, 0, 33, 0}, 0, {2, 0, 33, 0}, kCF, 0},
        {"a shift by 0 keeps every flag", {0xD3, 0xE0}, {0x8000, 0, 32, 0}, kCF | kZF | kOF, {0x8000, 0, 32, 0},
         kStatusFlags, kCF | kZF | kOF},
        {"ROL AL,1 sets OF when the top bit changes", {0xD0, 0xC0}, {0x0040, 0, 0, 0}, 0, {0x0080, 0, 0, 0}, kCF | kOF, kOF},
        {"ROL AL,1 clears OF when it does not", {0xD0, 0xC0}, {0x00C0, 0, 0, 0}, kOF, {0x0081, 0, 0, 0}, kCF | kOF, kCF},
        {"SHR AX,1 sets OF to the old top bit", {0xD1, 0xE8}, {0x8000, 0, 0, 0}, 0, {0x4000, 0, 0, 0}, kCF | kOF, kOF},
        {"RCL through a 17-bit ring", {0xD3, 0xD0}, {0x8001, 0, 17, 0}, kCF, {0x8001, 0, 17, 0}, kCF, kCF},
        {"IMUL reg, r/m, imm8", {0x6B, 0xC3, 0xFD}, {0, 0x0101, 0, 0}, 0, {0xFCFD, 0x0101, 0, 0}, kCF | kOF, 0},
        {"IMUL reg, r/m, imm16 overflows", {0x69, 0xC3, 0x00, 0x40}, {0, 4, 0, 0}, 0, {0, 4, 0, 0}, kCF | kOF,
         kCF | kOF},
        {"SALC", {0xD6}, {0x1234, 0, 0, 0}, kCF, {0x12FF, 0, 0, 0}, 0, 0},
        {"INC keeps the carry of a SUB before it", {0x29, 0xD8, 0x40}, {1, 2, 0, 0}, 0, {0, 2, 0, 0},
         kCF | kZF | kAF, kCF | kZF | kAF},
        {"SAHF then LAHF", {0x9E, 0x9F}, {0xD700, 0, 0, 0}, 0, {0xD700, 0, 0, 0}, kStatusFlags, 0xD5},
        {"PUSHF shows bits 12-15 set", {0x9C, 0x58}, {0, 0, 0, 0}, 0, {0xF002, 0, 0, 0}, 0, 0},
        {"AAM 10", {0xD4, 0x0A}, {0x004F, 0, 0, 0}, 0, {0x0709, 0, 0, 0}, kZF | kSF, 0},
        {"AAD 10", {0xD5, 0x0A}, {0x0709, 0, 0, 0}, 0, {0x004F, 0, 0, 0}, kZF, 0},
        {"AAA carries into AH without carrying AL's overflow", {0x37}, {0x00FA, 0, 0, 0}, 0, {0x0100, 0, 0, 0},
         kCF | kAF, kCF | kAF},
        {"LOOPNZ stops on ZF", {0x42, 0x39, 0xDA, 0xE0, 0xFB}, {0, 3, 10, 0}, 0, {0, 3, 7, 3}, kZF, kZF},
        {"REPNE SCASB finds AL", {0x0E, 0x07, 0xBF, 0x00, 0x01, 0xB9, 0x14, 0x00, 0xB0, 0xCD, 0xF2, 0xAE, 0x89, 0xFB},
         {0, 0, 0, 0}, 0, {0x00CD, 0x010A, 10, 0}, kZF, kZF},
    };
    for (const Case& c : cases) {
        TestMachine t;
        const RunResult result = RunCode(t, c.code, c.in, c.flagsIn);
        EXPECT_TRUE(result.exited) << c.what << ": " << result.failure;
        const Registers& r = t.R();
        EXPECT_EQ(r.r[kAX], c.out.ax) << c.what;
        EXPECT_EQ(r.r[kBX], c.out.bx) << c.what;
        EXPECT_EQ(r.r[kCX], c.out.cx) << c.what;
        EXPECT_EQ(r.r[kDX], c.out.dx) << c.what;
        EXPECT_EQ(r.flags.Get() & c.flagsMask, c.flagsOut) << c.what;
    }
}

TEST(Cpu, PushSpPushesTheDecrementedValue)
{
    TestMachine t;
    ASSERT_TRUE(RunCode(t, {0x54, 0x58, 0x29, 0xE0}, {0, 0, 0, 0}).exited);  // PUSH SP; POP AX; SUB AX, SP
    EXPECT_EQ(t.R().r[kAX], 0xFFFE);
}

// Offsets wrap within their segment, addresses at 1 MB, as on an 8086.
TEST(Cpu, MemoryWraps)
{
    TestMachine t;
    // MOV AX,[FFFF]; MOV DX,FFFF; MOV ES,DX; MOV CL,[ES:0010]; PUSH CS; POP ES; MOV DI,FFFE;
    // MOV BX,CX; MOV CX,4; MOV AL,77; REP STOSB
    const std::vector<uint8_t> code = {0xA1, 0xFF, 0xFF, 0xBA, 0xFF, 0xFF, 0x8E, 0xC2, 0x26, 0x8A, 0x0E, 0x10, 0x00,
                                       0x0E, 0x07, 0xBF, 0xFE, 0xFF, 0x89, 0xCB, 0xB9, 0x04, 0x00, 0xB0, 0x77, 0xF3,
                                       0xAA, 0xCD, 0x20};
    ASSERT_EQ(t.Load(code), "");
    const uint16_t psp = t.R().seg[kDS];
    t.Mem().Write8(psp, 0xFFFF, 0x34);
    t.Mem().Write8(0, 0, 0x12);
    const RunResult result = t.machine.Run(1000);
    ASSERT_TRUE(result.exited) << result.failure;
    EXPECT_EQ(t.R().r[kAX] & 0xFF00, 0xCD00);  // the high byte comes from PSP:0000 (INT 20h)
    EXPECT_EQ(t.R().R8(3), 0x12);              // FFFF:0010 is linear 0
    EXPECT_EQ(t.Mem().Read16(psp, 0xFFFE), 0x7777);
    EXPECT_EQ(t.Mem().Read16(psp, 0x0000), 0x7777);  // the store wrapped to offset 0 ...
    EXPECT_NE(t.Mem().Read8(uint16_t(psp + 0x1000), 0), 0x77);  // ... not into the next 64 KB
}

// A string read in runs of plain memory reads what a byte at a time reads: across the end of
// its segment, of memory, and into the video window, mapped or not.
TEST(Cpu, StringsReadAsTheirBytes)
{
    class Window final : public MappedMemory {
    public:
        uint8_t Read(uint32_t linear) override { return uint8_t(linear * 7 % 5 == 0 ? '$' : 'w'); }
        void Write(uint32_t, uint8_t) override {}
    } window;
    Memory mem;
    std::mt19937 random(3);
    for (uint32_t i = 0; i < kMemorySize; ++i)
        mem.Raw()[i] = random() % 40 == 0 ? '$' : uint8_t('a' + random() % 26);
    for (int round = 0; round < 400; ++round) {
        mem.MapVideoWindow(round % 2 ? &window : nullptr);
        const uint16_t seg = round % 5 == 0 ? uint16_t(0x9FF0 + random() % 0x20) : uint16_t(random());
        const uint16_t off = round % 3 == 0 ? uint16_t(0xFFF0 + random() % 16) : uint16_t(random());
        const uint32_t limit = random() % 300;
        const uint8_t terminator = round % 4 == 0 ? 0 : '$';
        std::string expected;
        bool expectedComplete = false;
        for (uint32_t k = 0; k < limit && !expectedComplete; ++k) {
            const uint8_t c = mem.Read8(seg, uint16_t(off + k));
            if (c == terminator)
                expectedComplete = true;
            else
                expected.push_back(char(c));
        }
        bool complete = !expectedComplete;
        EXPECT_EQ(mem.ReadString(seg, off, limit, terminator, complete), expected) << std::hex << seg << ":" << off;
        EXPECT_EQ(complete, expectedComplete);
    }
}

TEST(Cpu, StopsWithTheReasonAndAddress)
{
    const struct {
        std::vector<uint8_t> code;
        Regs in;
        const char* failure;  // %04X is the program's segment
    } cases[] = {
        {{0x90, 0x66, 0x90}, {}, "undefined opcode 66h at %04X:0101: an instruction of the 386"},
        {{0x0F, 0x0B}, {}, "undefined opcode 0Fh at %04X:0100"},
        {{0xFE, 0xF8}, {}, "undefined opcode FEh at %04X:0100"},
        {{0x8D, 0xC0}, {}, "undefined opcode 8Dh at %04X:0100"},
        {{0xB4, 0x0A, 0xCD, 0x1A}, {}, "unsupported BIOS service INT 1Ah AH=0Ah (AX=0A00h) at %04X:0102"},
        {{0xCD, 0x7C}, {}, "INT 7Ch at %04X:0100: nothing is installed at this interrupt vector"},
        {{0x90, 0xCD, 0xFF}, {}, "INT FFh at %04X:0101: nothing is installed"},
        {{0x0F, 0xFF, 0x21}, {}, "undefined opcode 0Fh at %04X:0100"},  // a host call outside the ROM
        {{0xB8, 0x6A, 0x00, 0xCD, 0x10}, {}, "unsupported video mode 6Ah"},
        {{0x62, 0x06, 0x0A, 0x01, 0xCD, 0x20, 0, 0, 0, 0, 3, 0, 7, 0}, {9, 0, 0, 0}, "BOUND range exceeded at %04X:0100"},
        {{0xB4, 0x00, 0xCD, 0x16}, {}, "the program waits for a key, but its redirected standard input has ended"},
        {{0xFA, 0xF4}, {}, "halted with interrupts disabled"},
    };
    for (const auto& c : cases) {
        TestMachine t;
        uint16_t psp = 0;
        const RunResult result = RunCode(t, c.code, c.in, 0, &psp);
        char expected[128];
        std::snprintf(expected, sizeof expected, c.failure, psp);
        EXPECT_FALSE(result.exited);
        EXPECT_NE(result.failure.find(expected), std::string::npos) << result.failure;
    }
}

// A processor of its own on 64 KB of code at 1000:0000, with a request line that is always up
// once raised and asks for vector 08h.
struct BareCpu final : HostCalls, IoPorts {
    Memory mem;
    Cpu cpu{mem, *this};
    std::vector<std::pair<uint16_t, uint8_t>> outs;
    uint8_t nextIn = 0x40;

    explicit BareCpu(const std::vector<uint8_t>& code)
    {
        cpu.Attach(*this);
        mem.CopyIn(0x1000, 0, code.data(), uint32_t(code.size()));
        mem.Write16(0, 8 * 4, 0x0000);  // the timer's vector: 2000:0000
        mem.Write16(0, 8 * 4 + 2, 0x2000);
        cpu.regs.seg[kCS] = 0x1000;
        cpu.regs.seg[kSS] = 0x3000;
        cpu.regs.r[kSP] = 0x100;
        cpu.regs.flags.Set(kIF);
    }
    void OnHostCall(uint8_t) override {}
    uint8_t In(uint16_t) override { return nextIn++; }
    void Out(uint16_t port, uint8_t value) override { outs.emplace_back(port, value); }
    uint8_t AcknowledgeInterrupt() override { return 0x08; }
};

// A request raised right after an instruction that loads SS (or STI) waits one more instruction,
// so that SS and SP are switched together; after any other instruction it is taken at once.
TEST(Cpu, NoInterruptBetweenALoadOfSsAndTheNextInstruction)
{
    const struct {
        const char* what;
        std::vector<uint8_t> code;  // the instruction, then MOV SP,BX (89 DC)
        bool shadow;
    } cases[] = {
        {"MOV SS,AX", {0x8E, 0xD0}, true},
        {"POP SS", {0x17}, true},
        {"MOV SS,[BX]", {0x8E, 0x17}, true},
        {"MOV DS,AX", {0x8E, 0xD8}, false},
        {"POP DS", {0x1F}, false},
        {"NOP", {0x90}, false},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> code = c.code;
        code.insert(code.end(), {0x89, 0xDC, 0x90});
        BareCpu b(code);
        b.cpu.regs.r[kBX] = 0x0200;
        ASSERT_EQ(b.cpu.Run(1), 1u) << c.what;
        b.cpu.SetInterruptRequest(true);
        b.cpu.Run(1);
        EXPECT_EQ(b.cpu.regs.seg[kCS], c.shadow ? 0x1000 : 0x2000) << c.what;
        if (c.shadow) {
            EXPECT_EQ(b.cpu.regs.ip, c.code.size() + 2) << c.what << ": MOV SP ran first";
            b.cpu.Run(1);
            EXPECT_EQ(b.cpu.regs.seg[kCS], 0x2000) << c.what << ": the request is taken after it";
        }
    }
}

// INS and OUTS move bytes and words through the ports (a word as two bytes, low first), repeated
// by REP, in the direction DF gives.
TEST(Cpu, StringInputAndOutputGoThroughThePorts)
{
    // MOV DX,0071; MOV DI,0300; MOV SI,0310; MOV CX,2; REP INSW; STD; OUTSB; REP OUTSB (CX=0)
    BareCpu b({0xBA, 0x71, 0x00, 0xBF, 0x00, 0x03, 0xBE, 0x10, 0x03, 0xB9, 0x02, 0x00, 0xF3, 0x6D, 0xFD, 0x6E,
               0xF3, 0x6E});
    b.cpu.regs.seg[kES] = b.cpu.regs.seg[kDS] = 0x1000;
    b.mem.Write16(0x1000, 0x310, 0xBBAA);
    b.cpu.Run(8);
    EXPECT_EQ(b.mem.Read16(0x1000, 0x300), 0x4140);
    EXPECT_EQ(b.mem.Read16(0x1000, 0x302), 0x4342);
    EXPECT_EQ(b.cpu.regs.r[kDI], 0x304);
    EXPECT_EQ(b.cpu.regs.r[kSI], 0x30F);
    ASSERT_EQ(b.outs.size(), 1u);
    EXPECT_EQ(b.outs[0], std::make_pair(uint16_t(0x71), uint8_t(0xAA)));
}

// Undefined opcodes and divide errors go through their vectors with the faulting instruction's
// address, so a program's own handler runs and can go on; the processor's writes to the ROM
// change nothing.
TEST(Cpu, FaultsGoThroughTheirVectorsAndTheRomIsReadOnly)
{
    const struct {
        std::vector<uint8_t> code;
        uint8_t vector;
    } cases[] = {
        {{0x0F, 0x0B}, 6},        // a two-byte opcode of later processors
        {{0xFE, 0xF8}, 6},        // INC/DEC group with a register field beyond 1
        {{0x8D, 0xC0}, 6},        // LEA of a register
        {{0x0F, 0xFF, 0x21}, 6},  // a host call outside the ROM
        {{0xF6, 0xF3}, 0},        // DIV BL by zero
    };
    for (const auto& c : cases) {
        BareCpu b(c.code);
        b.mem.Write16(0, c.vector * 4, 0x0040);
        b.mem.Write16(0, c.vector * 4 + 2, 0x2000);
        b.cpu.Run(1);
        EXPECT_EQ(b.cpu.regs.seg[kCS], 0x2000) << int(c.code[0]);
        EXPECT_EQ(b.cpu.regs.ip, 0x0040) << int(c.code[0]);
        EXPECT_EQ(b.mem.Read16(0x3000, 0xFA), 0x0000) << "the return address is the instruction's own";
        EXPECT_EQ(b.mem.Read16(0x3000, 0xFC), 0x1000);
    }
    // MOV AX,F000; MOV ES,AX; MOV WORD [ES:0010],1234; MOV [ES:FFFF],AL
    BareCpu rom({0xB8, 0x00, 0xF0, 0x8E, 0xC0, 0x26, 0xC7, 0x06, 0x10, 0x00, 0x34, 0x12, 0x26, 0xA2, 0xFF, 0xFF});
    rom.mem.Write16(0xF000, 0x10, 0xCDCD);
    rom.cpu.Run(4);
    EXPECT_EQ(rom.mem.Read16(0xF000, 0x10), 0xCDCD);
    EXPECT_EQ(rom.mem.Read8(0xF000, 0xFFFF), 0x00);
}

}  // namespace
}  // namespace halyard::dos::test
