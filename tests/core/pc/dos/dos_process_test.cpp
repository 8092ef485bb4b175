// Programs starting programs, the start-up registers, and the machine without a coprocessor.
#include <gtest/gtest.h>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

TEST(DosProcess, StartsWithTheRegistersDos5Leaves)
{
    TestMachine t;
    ASSERT_EQ(t.Load({0xC3}, false, " a.asm"), "");
    const Registers& r = t.R();
    const uint16_t psp = r.seg[kDS];
    const uint16_t expected[8] = {0x0000, 0x00FF, psp, 0x0000, 0xFFFE, 0x091C, 0x0100, 0xFFFE};
    for (unsigned i = 0; i < 8; ++i)
        EXPECT_EQ(r.r[i], expected[i]) << "register " << i;
    EXPECT_EQ(r.seg[kES], psp);
    // The shell's parse of the tail fills the first FCB.
    std::string fcb(11, 0);
    t.Mem().CopyOut(psp, 0x5D, reinterpret_cast<uint8_t*>(fcb.data()), 11);
    EXPECT_EQ(fcb, "A       ASM");
}

// A parent that shrinks itself, runs CHILD.COM with 4Bh AL=00h and ends with the code 4Dh gives.
// A child that faults with no handler of its own ends with code FFh after DOS's or Dosrun's
// message, and its parent goes on; a child's own handler takes the fault.
TEST(DosProcess, ParentRunsAChildAndReadsItsExitCode)
{
    const struct {
        const char* child;
        size_t size;
        uint8_t code;
        const char* output;
    } cases[] = {
        {"\xB4\x02\xB2\x63\xCD\x21\xB8\x07\x4C\xCD\x21", 11, 7, "c"},  // print 'c', exit 7
        {"\x31\xDB\xF6\xF3", 4, 0xFF, "\r\nDivide overflow\r\n"},
        {"\x0F\x0B", 2, 0xFF, "\r\nDosrun: undefined opcode 0Fh at "},
        {"\xCD\x7C", 2, 0xFF, ":0100: nothing is installed at this interrupt vector\r\n"},
        {"\x62\x06\x00\x00", 4, 0xFF, "\r\nDosrun: BOUND range exceeded at "},  // PSP:0000 holds CD 20
        // Its own divide handler (at 010Ch) ends it with code 5.
        {"\xBA\x0C\x01\xB8\x00\x25\xCD\x21\x31\xDB\xF6\xF3\xB8\x05\x4C\xCD\x21", 17, 5, ""},
    };
    for (const auto& c : cases) {
        TestMachine t;
        t.files.files["CHILD.COM"] = std::string(c.child, c.size);
        std::vector<uint8_t> parent = {0xBB, 0x00, 0x10, 0xB4, 0x4A, 0xCD, 0x21, 0xBA, 0x00, 0x02, 0xBB, 0x40, 0x02,
                                       0x8C, 0x0E, 0x44, 0x02, 0xB8, 0x00, 0x4B, 0xCD, 0x21, 0x72, 0x08, 0xB4, 0x4D,
                                       0xCD, 0x21, 0xB4, 0x4C, 0xCD, 0x21, 0xB8, 0xFF, 0x4C, 0xCD, 0x21};
        // Name at 0200h, parameter block at 0240h, empty tail at 0260h (offsets in the PSP's segment).
        auto put = [&](size_t at, const std::string& bytes) {
            if (parent.size() < at - 0x100 + bytes.size())
                parent.resize(at - 0x100 + bytes.size(), 0);
            std::copy(bytes.begin(), bytes.end(), parent.begin() + long(at - 0x100));
        };
        put(0x200, std::string("CHILD.COM\0", 10));
        put(0x240, std::string("\0\0\x60\x02\0\0\x5C\0\0\0\x6C\0\0\0", 14));
        put(0x260, std::string("\0\r", 2));
        ASSERT_EQ(t.Load(parent), "");
        const uint16_t psp = t.R().seg[kDS];
        t.Mem().Write16(psp, 0x248, psp);  // the FCBs: the parent's own
        t.Mem().Write16(psp, 0x24C, psp);
        const RunResult result = t.machine.Run(10000);
        ASSERT_TRUE(result.exited) << result.failure;
        EXPECT_EQ(result.exitCode, c.code) << c.output;
        // The program's output through its handle, DOS's own messages on the console.
        const std::string shown = t.console.output + t.console.text;
        EXPECT_NE(shown.find(c.output), std::string::npos) << shown;
    }
}

TEST(DosProcess, LoadWithoutRunningHandsBackTheChildsStart)
{
    TestMachine t;
    t.files.files["CHILD.COM"] = "\x90";
    ASSERT_EQ(t.Load({0xCD, 0x21}), "");
    Registers& r = t.R();
    const uint16_t seg = r.seg[kDS];
    t.Mem().WriteString(seg, 0x200, std::string("CHILD.COM\0", 10));
    t.Mem().WriteString(seg, 0x240, std::string("\0\0\x60\x02", 4));
    t.Mem().Write16(seg, 0x244, seg);
    t.Mem().WriteString(seg, 0x260, std::string("\0\r", 2));
    const auto call = [&](uint16_t ax, uint16_t bx, uint16_t dx) { return t.CallAt100(ax, bx, r.r[kCX], dx, seg); };
    ASSERT_FALSE(call(0x4A00, 0x1000, 0));
    ASSERT_FALSE(call(0x4B01, 0x240, 0x200));
    const uint16_t childCs = t.Mem().Read16(seg, 0x254), childSs = t.Mem().Read16(seg, 0x250);
    EXPECT_EQ(t.Mem().Read16(seg, 0x252), 0x0100);
    EXPECT_EQ(childSs, childCs);
    EXPECT_EQ(t.Mem().Read16(seg, 0x24E), 0xFFFC);  // the start AX is on the child's stack
    ASSERT_FALSE(call(0x6200, 0, 0));
    EXPECT_EQ(r.r[kBX], childCs);  // the child is the current program
    EXPECT_EQ(t.Mem().Read16(childCs, 0x16), seg);
    // AL=03h: an overlay, the file's bytes at the segment of the block's first word.
    t.Mem().Write16(seg, 0x240, 0x9000);
    ASSERT_FALSE(call(0x4B03, 0x240, 0x200));
    EXPECT_EQ(t.Mem().Read8(0x9000, 0), 0x90);
}

// Ctrl+C typed into a line (0Ah): ^C, then the program's INT 23h handler; when it returns with
// IRET the line is read again. DOS's own handler ends the program.
TEST(DosProcess, CtrlCRunsTheBreakHandler)
{
    std::vector<uint8_t> code = {0xB8, 0x23, 0x25, 0xBA, 0x20, 0x01, 0xCD, 0x21, 0xBA, 0x40, 0x01, 0xB4, 0x0A,
                                 0xCD, 0x21, 0xA0, 0x41, 0x01, 0xB4, 0x4C, 0xCD, 0x21};
    code.resize(0x20, 0x90);
    const uint8_t handler[] = {0x2E, 0xFE, 0x06, 0x30, 0x01, 0xCF};
    code.insert(code.end(), handler, handler + sizeof handler);
    code.resize(0x40, 0);
    code.push_back(10);
    code.resize(0x60, 0);
    for (const bool hooked : {true, false}) {
        TestMachine t;
        t.console.redirected[0] = t.console.redirected[1] = false;
        t.console.keys = {0x2E03, 0x1E61, 0x1C0D};
        std::vector<uint8_t> program = code;
        if (!hooked)
            program[1] = 0x00;  // sets vector 00h instead: INT 23h stays DOS's
        ASSERT_EQ(t.Load(program), "");
        const uint16_t psp = t.R().seg[kDS];
        const RunResult result = t.machine.Run(1000);
        ASSERT_TRUE(result.exited) << result.failure;
        EXPECT_EQ(result.exitCode, hooked ? 1 : 0);
        EXPECT_EQ(t.Mem().Read8(psp, 0x130), hooked ? 1 : 0);
        EXPECT_EQ(t.console.text.substr(0, 4), "^C\r\n");
    }
}

// 26h copies the current PSP; 55h makes a child PSP that shares the open files and becomes the
// current one (as DEBUG builds its program's).
TEST(DosProcess, NewAndChildPsps)
{
    TestMachine t;
    ASSERT_EQ(t.Load({0xCD, 0x21}), "");
    Registers& r = t.R();
    const uint16_t psp = r.seg[kDS], copy = uint16_t(psp + 0x200), child = uint16_t(psp + 0x300);
    const auto call = [&](uint16_t ax, uint16_t dx, uint16_t si = 0) {
        r.r[kAX] = ax;
        r.r[kDX] = dx;
        r.r[kSI] = si;
        r.ip = 0x100;
        t.machine.Processor().Run(3);
    };
    call(0x2600, copy);
    EXPECT_EQ(t.Mem().Read16(copy, 0x2C), t.Mem().Read16(psp, 0x2C));
    EXPECT_EQ(t.Mem().Read16(copy, 0x36), copy);  // its handle table is its own
    call(0x5500, child, 0x9000);
    EXPECT_EQ(t.Mem().Read16(child, 0x16), psp);
    EXPECT_EQ(t.Mem().Read16(child, 0x02), 0x9000);
    EXPECT_EQ(t.Mem().Read8(child, 0x19), 1);  // standard output shares the parent's entry
    call(0x6200, 0);
    EXPECT_EQ(r.r[kBX], child);
}

// A coprocessor probe: FNINIT, FNSTSW and FNSTCW store nothing, and the program runs on.
TEST(DosProcess, CoprocessorInstructionsChangeNothing)
{
    TestMachine t;
    const std::vector<uint8_t> code = {0xC7, 0x06, 0x00, 0x02, 0x5A, 0x5A, 0xDB, 0xE3, 0xDD, 0x3E, 0x00, 0x02,
                                       0xD9, 0x3E, 0x00, 0x02, 0x9B, 0xDC, 0x84, 0x34, 0x12, 0xA1, 0x00, 0x02,
                                       0xB4, 0x4C, 0xCD, 0x21};
    ASSERT_EQ(t.Load(code), "");
    const RunResult result = t.machine.Run(100);
    ASSERT_TRUE(result.exited) << result.failure;
    EXPECT_EQ(result.exitCode, 0x5A);
}

}  // namespace
}  // namespace halyard::dos::test
