// A restarted machine is a new machine: whatever an earlier run changed (memory, vectors, devices,
// video mode, DOS's tables), the next run goes exactly as on a machine just made.
#include <gtest/gtest.h>

#include <random>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

struct Outcome {
    RunResult result;
    std::string output, text;
    uint64_t memoryHash = 0;
};

// Random bytes, with a few of the interrupts and port accesses that change most state mixed in.
std::vector<uint8_t> RandomProgram(std::mt19937& random)
{
    static const std::vector<std::vector<uint8_t>> kPieces = {
        {0xB8, 0x13, 0x00, 0xCD, 0x10},  // mode 13h
        {0xB8, 0x0D, 0x00, 0xCD, 0x10},  // mode 0Dh
        {0xE4, 0x21, 0x0C, 0x01, 0xE6, 0x21},  // mask IRQ 0
        {0xB0, 0x34, 0xE6, 0x43, 0xE6, 0x40, 0xE6, 0x40},  // reprogram the timer
        {0xB8, 0x25, 0x09, 0xBA, 0x00, 0x01, 0xCD, 0x21},  // INT 9 into the program
        {0xB4, 0x48, 0xBB, 0x10, 0x00, 0xCD, 0x21},  // allocate memory
        {0xB4, 0x3C, 0x31, 0xC9, 0xBA, 0x80, 0x00, 0xCD, 0x21},  // create a file
        {0xFB, 0xF4},  // STI, HLT
    };
    std::vector<uint8_t> code;
    const size_t pieces = random() % 12;
    for (size_t i = 0; i < pieces; ++i) {
        if (random() % 2) {
            const auto& piece = kPieces[random() % kPieces.size()];
            code.insert(code.end(), piece.begin(), piece.end());
        } else {
            for (unsigned n = random() % 8; n > 0; --n)
                code.push_back(uint8_t(random()));
        }
    }
    code.insert(code.end(), {0xB8, 0x2A, 0x4C, 0xCD, 0x21});
    return code;
}

Outcome RunOn(TestMachine& t, const std::vector<uint8_t>& program)
{
    Outcome o;
    if (!t.Load(program).empty())
        return o;
    o.result = t.machine.Run(3000);
    o.output = t.console.output;
    o.text = t.console.text;
    const uint8_t* bytes = t.Mem().Raw();
    for (uint32_t i = 0; i < kMemorySize; ++i)
        o.memoryHash = (o.memoryHash ^ bytes[i]) * 1099511628211ull;
    return o;
}

TEST(MachineRestart, TheNextRunGoesAsOnANewMachine)
{
    std::mt19937 random(7);
    TestMachine reused;
    for (int i = 0; i < 40; ++i) {
        const std::vector<uint8_t> before = RandomProgram(random), program = RandomProgram(random);
        RunOn(reused, before);
        reused.machine.Restart();
        reused.console = StringConsole();
        reused.files = MemoryFiles();
        const Outcome again = RunOn(reused, program);
        TestMachine fresh;
        const Outcome expected = RunOn(fresh, program);
        EXPECT_EQ(again.result.instructions, expected.result.instructions) << i;
        EXPECT_EQ(again.result.exitCode, expected.result.exitCode) << i;
        EXPECT_EQ(again.result.failure, expected.result.failure) << i;
        EXPECT_EQ(again.output + again.text, expected.output + expected.text) << i;
        EXPECT_EQ(again.memoryHash, expected.memoryHash) << i;
    }
}

}  // namespace
}  // namespace halyard::dos::test
