// Keys read through DOS come from the BIOS's buffer, as the keyboard interrupt filled it: a
// program's INT 9 hook sees every key, its timer hook runs while DOS waits, and Ctrl+C and
// Ctrl+Break go to INT 23h once and leave nothing behind.
#include <gtest/gtest.h>

#include <deque>

#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

// Hooks INT 9 (counting, then chaining), INT 1Ch (counting) and INT 23h (counting, IRET), then
// reads with 01h into [15Fh], with 08h into [160h], and a line with 0Ah into the buffer at 161h
// (room for 4 characters).
const std::vector<uint8_t> kReader = {
    0xb8, 0x09, 0x35, 0xcd, 0x21, 0x89, 0x1e, 0x55, 0x01, 0x8c, 0x06, 0x57, 0x01, 0xba, 0x3f, 0x01, 0xb8, 0x09,
    0x25, 0xcd, 0x21, 0xba, 0x49, 0x01, 0xb8, 0x1c, 0x25, 0xcd, 0x21, 0xba, 0x4f, 0x01, 0xb8, 0x23, 0x25, 0xcd,
    0x21, 0xb4, 0x01, 0xcd, 0x21, 0xa2, 0x5f, 0x01, 0xb4, 0x08, 0xcd, 0x21, 0xa2, 0x60, 0x01, 0xba, 0x61, 0x01,
    0xb4, 0x0a, 0xcd, 0x21, 0xb8, 0x00, 0x4c, 0xcd, 0x21, 0x2e, 0xff, 0x06, 0x59, 0x01, 0x2e, 0xff, 0x2e, 0x55,
    0x01, 0x2e, 0xff, 0x06, 0x5b, 0x01, 0xcf, 0x2e, 0xff, 0x06, 0x5d, 0x01, 0xcf, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr uint16_t kInt9Calls = 0x159, kTicks = 0x15B, kBreaks = 0x15D, kGot = 0x15F, kLine = 0x161;

TEST(DosKeys, ReadsGoThroughTheKeyboardInterruptWhileTheClockRuns)
{
    MemoryFiles files;
    ManualClock clock;
    StringConsole console;
    Machine machine{files, console, clock};
    console.redirected[0] = false;
    console.keyboard = true;
    // One key every 200 ms of waiting: a, Ctrl+C, B, Ctrl+Break, then "xy", Backspace, "z", Enter.
    std::deque<uint16_t> script = {0x1E61, 0x2E03, 0x3042, 0x0000, 0x2D78, 0x1579, 0x0E08, 0x2C7A, 0x1C0D};
    uint64_t waited = 0;
    console.onWait = [&](uint32_t milliseconds) {
        clock.now += milliseconds * 1000ull;
        waited += milliseconds;
        if (waited >= 200 && !script.empty()) {
            waited = 0;
            console.keys.push_back(script.front());
            script.pop_front();
            console.keyboard = !script.empty();
        }
    };
    LoadRequest request;
    request.image = kReader;
    request.path = "C:\\WORK\\READER.COM";
    ASSERT_EQ(machine.Load(request), "");
    const uint64_t start = clock.now;
    const RunResult result = machine.Run(50000000);
    ASSERT_TRUE(result.exited) << result.failure;
    Memory& mem = machine.Mem();
    const uint16_t ds = machine.Processor().regs.seg[kDS];
    EXPECT_EQ(mem.Read8(ds, kGot), 'a');
    EXPECT_EQ(mem.Read8(ds, kGot + 1), 'B') << "the read after Ctrl+C's INT 23h got the next key, not Ctrl+C again";
    EXPECT_EQ(mem.Read8(ds, kLine + 1), 2);
    EXPECT_EQ(std::string({char(mem.Read8(ds, kLine + 2)), char(mem.Read8(ds, kLine + 3)), char(mem.Read8(ds, kLine + 4))}), "xz\r");
    EXPECT_EQ(mem.Read16(ds, kBreaks), 2) << "Ctrl+C at 08h and Ctrl+Break at 0Ah";
    // Every byte of every press and release went through the hook: 2 for a plain key, 4 with
    // Shift or Ctrl, 6 for Ctrl+Break (two of its codes are extended); the program ends on
    // Enter's press, before its release.
    EXPECT_EQ(mem.Read16(ds, kInt9Calls), 2 + 4 + 4 + 6 + 5 * 2 - 1);
    const uint64_t ticksDue = (clock.now - start) / 54925;
    EXPECT_GE(mem.Read16(ds, kTicks) + 2u, ticksDue) << "the timer hook ran while DOS waited";
    EXPECT_GT(ticksDue, 20u);
    EXPECT_EQ(console.output, "a^C\r\n^C\r\nxy\b \bz\r");
}

}  // namespace
}  // namespace halyard::dos::test
