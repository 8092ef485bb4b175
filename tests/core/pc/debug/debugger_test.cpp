// The debugger's stops and steps, against a model: a step over is stepping until the instruction
// after, in the same frame; a breakpoint stops before its instruction and is passed when the run
// goes on; a step out ends at the caller; a budget pauses the program without ending it; faults
// and watched interrupts stop.
#include <gtest/gtest.h>

#include <cstring>

#include "core/pc/debug/debugger.h"
#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

// A call (which calls another), REP MOVSB, a LOOP, INT 21h, a far call, then 4Ch with code 7.
const std::vector<uint8_t> kProgram = {
    0x8c, 0x0e, 0x40, 0x01, 0xb9, 0x03, 0x00, 0xe8, 0x22, 0x00, 0xbe, 0x36, 0x01, 0xbf, 0x3a, 0x01,
    0x1e, 0x07, 0xb9, 0x04, 0x00, 0xf3, 0xa4, 0xb9, 0x03, 0x00, 0x43, 0xe2, 0xfd, 0xb4, 0x02, 0xb2,
    0x78, 0xcd, 0x21, 0xff, 0x1e, 0x3e, 0x01, 0xb8, 0x07, 0x4c, 0xcd, 0x21, 0x01, 0xc8, 0xe8, 0x01,
    0x00, 0xc3, 0x42, 0xc3, 0x45, 0xcb, 0x61, 0x62, 0x63, 0x64, 0x00, 0x00, 0x00, 0x00, 0x34, 0x01,
    0x00, 0x00};
constexpr uint16_t kProc2 = 0x132, kAfterCallProc2 = 0x131, kAfterInt21 = 0x123, kBudget = 100000;

bool SameState(TestMachine& a, TestMachine& b)
{
    const Registers &x = a.R(), &y = b.R();
    if (std::memcmp(x.r, y.r, sizeof x.r) != 0 || std::memcmp(x.seg, y.seg, sizeof x.seg) != 0 || x.ip != y.ip ||
        x.flags.Get() != y.flags.Get())
        return false;
    for (uint32_t off = 0; off < 0x10000; ++off)
        if (a.Mem().Read8(x.seg[kCS], uint16_t(off)) != b.Mem().Read8(y.seg[kCS], uint16_t(off)))
            return false;
    return true;
}

TEST(Debugger, StepOverIsSteppingUntilTheNextInstructionOfTheFrame)
{
    TestMachine over, model;
    ASSERT_EQ(over.Load(kProgram), "");
    ASSERT_EQ(model.Load(kProgram), "");
    Debugger a(over.machine), b(model.machine);
    unsigned stops = 0;
    for (Stop stop; stop.reason != StopReason::Ended; ++stops) {
        stop = a.StepOver(kBudget);
        ASSERT_TRUE(stop.reason == StopReason::Step || stop.reason == StopReason::Ended) << stop.failure;
        Stop modelStop;
        for (int i = 0; i < 1000 && modelStop.reason == StopReason::Step; ++i) {
            modelStop = b.Step();
            if (model.R().ip == over.R().ip && model.R().seg[kCS] == over.R().seg[kCS] &&
                model.R().r[kSP] == over.R().r[kSP])
                break;
        }
        ASSERT_EQ(modelStop.reason, stop.reason) << "after " << stops << " steps over";
        if (stop.reason == StopReason::Ended)
            EXPECT_EQ(stop.exitCode, 7);
        else
            ASSERT_TRUE(SameState(over, model)) << "after " << stops << " steps over, at " << std::hex << over.R().ip;
    }
    EXPECT_EQ(stops, 18u) << "each instruction of the main line once";
    EXPECT_EQ(over.console.output, "x");
}

TEST(Debugger, BreakpointsStepOutAndABudgetPause)
{
    TestMachine t;
    ASSERT_EQ(t.Load(kProgram), "");
    Debugger debugger(t.machine);
    const uint16_t cs = t.R().seg[kCS];
    debugger.SetBreakpoint(cs, kProc2, true);
    Stop stop = debugger.Continue(kBudget);
    ASSERT_EQ(stop.reason, StopReason::Breakpoint) << stop.failure;
    EXPECT_EQ(t.R().ip, kProc2);
    stop = debugger.StepOut(kBudget);
    EXPECT_EQ(stop.reason, StopReason::Step);
    EXPECT_EQ(t.R().ip, kAfterCallProc2) << "at the caller, after its call";
    stop = debugger.Continue(3);
    EXPECT_EQ(stop.reason, StopReason::Paused) << "a budget pauses";
    EXPECT_FALSE(t.machine.Processor().Halted());
    stop = debugger.Continue(kBudget);
    EXPECT_EQ(stop.reason, StopReason::Ended);
    EXPECT_EQ(stop.exitCode, 7);
    EXPECT_EQ(t.console.output, "x");
}

// A divide overflow with no handler of the program's stops at the dividing instruction, where
// DOS would have ended the program; a watched interrupt stops at its handler, with the caller's
// return address on the stack.
TEST(Debugger, FaultsAndWatchedInterruptsStop)
{
    TestMachine t;
    ASSERT_EQ(t.Load({0xB8, 0x01, 0x00, 0x30, 0xDB, 0xF6, 0xF3, 0xB8, 0x00, 0x4C, 0xCD, 0x21}), "");
    Debugger debugger(t.machine);
    Stop stop = debugger.Continue(kBudget);
    EXPECT_EQ(stop.reason, StopReason::Fault);
    EXPECT_EQ(stop.failure, "divide overflow");
    EXPECT_EQ(t.R().ip, 0x105) << "at DIV BL";
    EXPECT_EQ(t.R().r[kSP], 0xFFFE) << "the interrupt's frame is off the stack";

    TestMachine u;
    ASSERT_EQ(u.Load(kProgram), "");
    Debugger watching(u.machine);
    watching.WatchInterrupt(0x21, true);
    stop = watching.Continue(kBudget);
    ASSERT_EQ(stop.reason, StopReason::Interrupt) << stop.failure;
    EXPECT_EQ(stop.vector, 0x21);
    EXPECT_EQ(u.Mem().Read16(u.R().seg[kSS], u.R().r[kSP]), kAfterInt21) << "the caller's return address";
    EXPECT_EQ(u.console.output, "") << "stopped before the service ran";
    watching.WatchInterrupt(0x21, false);
    EXPECT_EQ(watching.Continue(kBudget).reason, StopReason::Ended);
    EXPECT_EQ(u.console.output, "x");
}

// 30000 times INC WORD [200h] and LOOP (60001 instructions to the MOV AX at 109h), then 4Ch.
const std::vector<uint8_t> kCounting = {0xB9, 0x30, 0x75, 0xFF, 0x06, 0x00, 0x02, 0xE2, 0xFA, 0xB8, 0x00, 0x4C, 0xCD, 0x21};
constexpr uint64_t kCountingSteps = 60001;

// The registers and the program's segment, as they are now.
struct Snapshot {
    explicit Snapshot(TestMachine& t) : regs(t.R()), bytes(0x10000)
    {
        t.Mem().CopyOut(regs.seg[kCS], 0, bytes.data(), 0x10000);
    }
    bool operator==(const Snapshot& o) const
    {
        return std::memcmp(regs.r, o.regs.r, sizeof regs.r) == 0 && std::memcmp(regs.seg, o.regs.seg, sizeof regs.seg) == 0 &&
               regs.ip == o.regs.ip && regs.flags.Get() == o.regs.flags.Get() && bytes == o.bytes;
    }
    Registers regs;
    std::vector<uint8_t> bytes;
};

// Going back k steps is the state of a machine that ran k steps fewer; going forward again
// comes back to the same state; the history holds more than 10000 steps.
TEST(Debugger, StepBackThenForwardGivesTheSameStates)
{
    TestMachine t, model;
    ASSERT_EQ(t.Load(kCounting), "");
    ASSERT_EQ(model.Load(kCounting), "");
    Debugger debugger(t.machine), stepper(model.machine);
    debugger.KeepHistory(true);
    debugger.SetBreakpoint(t.R().seg[kCS], 0x109, true);
    ASSERT_EQ(debugger.Continue(kCountingSteps * 2).reason, StopReason::Breakpoint);
    EXPECT_EQ(t.Mem().Read16(t.R().seg[kCS], 0x200), 30000);
    ASSERT_GE(debugger.HistoryDepth(), 10000u);
    const Snapshot end(t);
    constexpr unsigned kBack = 12000;
    for (unsigned i = 0; i < kBack; ++i)
        ASSERT_EQ(debugger.StepBack().reason, StopReason::Back) << i;
    ASSERT_EQ(stepper.Continue(kCountingSteps - kBack).reason, StopReason::Paused);
    EXPECT_TRUE(Snapshot(t) == Snapshot(model)) << "back 12000 steps, at " << std::hex << t.R().ip;
    for (unsigned i = 0; i < 100; ++i)
        debugger.Step();
    ASSERT_EQ(debugger.Continue(kBack).reason, StopReason::Breakpoint);
    EXPECT_TRUE(Snapshot(t) == end);
    while (debugger.HistoryDepth() > 0)
        debugger.StepBack();
    EXPECT_EQ(debugger.StepBack().reason, StopReason::Start);
}

// A watched byte stops the run after each instruction that writes it (a word's INC writes both
// its bytes); a pause asked for from outside pauses the next run.
TEST(Debugger, WatchedMemoryAndAPauseStopTheRun)
{
    TestMachine t;
    ASSERT_EQ(t.Load(kCounting), "");
    Debugger debugger(t.machine);
    const uint16_t cs = t.R().seg[kCS];
    debugger.WatchMemory(Linear(cs, 0x201), 1, true);
    Stop stop = debugger.Continue(kCountingSteps * 2);
    ASSERT_EQ(stop.reason, StopReason::Watch) << stop.failure;
    EXPECT_EQ(stop.address, Linear(cs, 0x201));
    EXPECT_EQ(t.R().ip, 0x107) << "after the INC";
    EXPECT_EQ(debugger.Continue(kCountingSteps * 2).reason, StopReason::Watch);
    EXPECT_EQ(t.Mem().Read16(cs, 0x200), 2) << "stopped at the next INC";
    debugger.WatchMemory(Linear(cs, 0x201), 1, false);
    t.machine.RequestPause();
    EXPECT_EQ(debugger.Continue(kCountingSteps * 2).reason, StopReason::Paused);
    EXPECT_EQ(debugger.Continue(kCountingSteps * 2).reason, StopReason::Ended);
}

}  // namespace
}  // namespace halyard::dos::test
