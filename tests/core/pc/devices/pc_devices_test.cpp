// The PC's devices as models (interrupt controller, timer, keyboard controller, real-time
// clock, key codes) and as a program sees them through the machine: timer ticks, keys through an
// INT 9 hook, the floppy, and the graphics modes.
#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "core/pc/devices/keyboard_controller.h"
#include "core/pc/devices/pic.h"
#include "core/pc/devices/pit.h"
#include "core/pc/bios/scan_codes.h"
#include "core/pc/devices/vga_planes.h"
#include "core/pc/fake_host.h"

namespace halyard::dos::test {
namespace {

struct Pc {
    MemoryFiles files;
    ManualClock clock;
    StringConsole console;
    unsigned waits = 0;
    Machine machine{files, console, clock};

    Pc()
    {
        console.onWait = [this](uint32_t milliseconds) {
            ++waits;
            clock.now += milliseconds * 1000ull;
        };
    }

    RunResult Run(std::vector<uint8_t> code, size_t size = 0)
    {
        code.resize(std::max(code.size(), size), 0);
        LoadRequest request;
        request.image = std::move(code);
        request.path = "C:\\WORK\\TEST.COM";
        EXPECT_EQ(machine.Load(request), "");
        return machine.Run(50000000);
    }
    uint16_t Word(uint16_t off) { return machine.Mem().Read16(machine.Processor().regs.seg[kDS], off); }
};

TEST(Pic, PrioritiesMaskAndEndOfInterrupt)
{
    // As a PC's BIOS leaves it: timer, keyboard and cascade open, the rest masked.
    Pc pc;
    pc.Run({0xE4, 0x21, 0xA2, 0x00, 0x02, 0xCD, 0x20});  // in al,21h; mov [200h],al; int 20h
    EXPECT_EQ(pc.Word(0x200) & 0xFF, 0xF8) << "seen by a program";
    Pic pic;
    EXPECT_EQ(pic.In(0x21), 0xF8) << "after reset";
    pic.Out(0x21, 0x00);
    EXPECT_FALSE(pic.Intr());
    pic.Raise(3);
    pic.Raise(1);
    pic.Raise(1);  // a second edge before the first is taken is the same request
    ASSERT_TRUE(pic.Intr());
    EXPECT_EQ(pic.Acknowledge(), 0x09);  // IRQ 1 outranks IRQ 3
    EXPECT_FALSE(pic.Intr()) << "a lower priority waits while IRQ 1 is in service";
    pic.Raise(0);
    EXPECT_TRUE(pic.Intr()) << "a higher priority nests";
    EXPECT_EQ(pic.Acknowledge(), 0x08);
    pic.Out(0x20, 0x0B);
    EXPECT_EQ(pic.In(0x20), 0x03) << "OCW3 selects the in-service register";
    pic.Out(0x20, 0x20);
    pic.Out(0x20, 0x20);
    EXPECT_EQ(pic.In(0x20), 0x00);
    pic.Out(0x21, 0x08);  // mask IRQ 3
    EXPECT_FALSE(pic.Intr());
    EXPECT_EQ(pic.In(0x21), 0x08);
    pic.Out(0x21, 0x00);
    pic.Out(0x20, 0x0A);
    EXPECT_EQ(pic.In(0x20), 0x08) << "OCW3 selects the request register";
    // Reinitialized with its vectors at 70h, as some programs do.
    pic.Out(0x20, 0x11);
    pic.Out(0x21, 0x70);
    pic.Out(0x21, 0x04);
    pic.Out(0x21, 0x01);
    pic.Raise(2);
    EXPECT_EQ(pic.Acknowledge(), 0x72);
}

TEST(Pit, CountsTicksAndReadsBackItsCounters)
{
    // Over any stretch of time, channel 0 gives one tick per period of its count.
    for (const uint32_t count : {65536u, 1193u, 2u, 40000u}) {
        Pit pit;
        pit.Out(0x43, 0x36);
        pit.Out(0x40, uint8_t(count));
        pit.Out(0x40, uint8_t(count >> 8));
        uint64_t ticks = 0, t = 0;
        for (; t + 7919 <= 5000000; t += 7919) {
            pit.SetTime(t);
            ticks += pit.TakeTicks();
        }
        EXPECT_EQ(ticks, (t - 7919) / count) << count;
    }
    Pit pit;
    pit.SetTime(1000);
    pit.Out(0x43, 0x34);  // channel 0, mode 2, low then high
    pit.Out(0x40, 0x10);
    pit.Out(0x40, 0x27);  // 10000
    pit.SetTime(1000 + 2500);
    pit.Out(0x43, 0x00);  // latch
    pit.SetTime(1000 + 4000);
    const auto read16 = [&pit] {
        const unsigned low = pit.In(0x40);
        return low | pit.In(0x40) << 8;
    };
    const unsigned latched = read16();
    EXPECT_EQ(latched, 7500u) << "the latch holds the count of the moment it was taken";
    const unsigned live = read16();
    EXPECT_EQ(live, 6000u);
    // Channel 2 in mode 3 with its gate open: a square wave, high for the first half.
    pit.Out(0x43, 0xB6);
    pit.Out(0x42, 100);
    pit.Out(0x42, 0);
    pit.SetGate2(true);
    unsigned high = 0;
    for (unsigned i = 0; i < 100; ++i) {
        pit.SetTime(5000 + i);
        high += pit.Output2();
    }
    EXPECT_EQ(high, 50u);
}

// Each counting mode on channel 2, read back (status, then count) a number of clocks after its
// count was written; the one-shot modes 1 and 5 are started by the gate rising at that moment.
TEST(Pit, CountingModesAsTheReadBackCommandShowsThem)
{
    const struct {
        uint8_t control;
        uint16_t count;
        unsigned at;
        uint8_t status;  // output, null count, access, mode, BCD
        uint16_t read;
    } cases[] = {
        {0xB0, 100, 0, 0x70, 100},      {0xB0, 100, 40, 0x30, 60},     // mode 0: low while counting,
        {0xB0, 100, 100, 0xB0, 0},      {0xB0, 100, 101, 0xB0, 0xFFFF},  // high from the end, wrapping
        {0xB1, 0x0100, 101, 0xB1, 0x9999},                               // in BCD
        {0xB2, 5, 0, 0x72, 5},          {0xB2, 5, 2, 0x32, 3},          // mode 1: low until the end
        {0xB2, 5, 5, 0xB2, 0},
        {0xB4, 10, 0, 0xF4, 10},        {0xB4, 10, 9, 0x34, 1},         // mode 2: low for the last clock
        {0xB4, 10, 10, 0xB4, 10},       {0xB4, 10, 23, 0xB4, 7},
        {0xB6, 10, 3, 0xB6, 4},         {0xB6, 10, 5, 0x36, 10},        // mode 3: by twos, half high
        {0xB6, 10, 12, 0xB6, 6},
        {0xB8, 5, 4, 0xB8, 1},          {0xB8, 5, 5, 0x38, 0},          // mode 4: one low clock
        {0xB8, 5, 6, 0xB8, 0xFFFF},
        {0xBA, 5, 5, 0x3A, 0},          {0xBA, 5, 6, 0xBA, 0xFFFF},     // mode 5, after its trigger
        {0x9C, 0x20, 0x21, 0x9C, 31},                                    // low byte only: mode 6 is 2
    };
    for (const auto& c : cases) {
        Pit pit;
        pit.SetTime(1000);
        const unsigned mode = (c.control >> 1) & 7;
        const bool triggered = mode == 1 || mode == 5;
        pit.SetGate2(!triggered);
        pit.Out(0x43, c.control);
        if ((c.control & 0x30) == 0x10) {
            pit.Out(0x42, uint8_t(c.count));
        } else {
            pit.Out(0x42, uint8_t(c.count));
            pit.Out(0x42, uint8_t(c.count >> 8));
        }
        EXPECT_EQ(pit.Output2(), mode != 0) << "before counting";
        pit.SetGate2(true);
        pit.SetTime(1000 + c.at);
        pit.Out(0x43, 0xC8);  // read-back: count and status of channel 2
        const uint8_t status = pit.In(0x42);
        unsigned read = pit.In(0x42);
        if ((c.control & 0x30) == 0x30)
            read |= pit.In(0x42) << 8;
        EXPECT_EQ(status, c.status) << std::hex << int(c.control) << " at " << std::dec << c.at;
        EXPECT_EQ(read, c.read) << std::hex << int(c.control) << " at " << std::dec << c.at;
        EXPECT_EQ(pit.Output2(), (c.status & 0x80) != 0);
    }
}

TEST(Pit, ReadBackLatchesGateAndChannelZerosInterrupts)
{
    // A latch is kept until read: a second read-back or latch command does not replace it, and a
    // status-only read-back of two channels leaves their counts live.
    Pit pit;
    const auto read16 = [&pit] {
        const unsigned low = pit.In(0x42);
        return low | pit.In(0x42) << 8;
    };
    pit.SetTime(100);
    pit.Out(0x43, 0xB0);
    pit.Out(0x42, 0x00);
    pit.Out(0x42, 0x10);  // mode 0, 1000h, gate low: stopped
    pit.Out(0x43, 0xD8);  // count of channel 2
    pit.SetGate2(true);
    pit.SetTime(200);
    pit.Out(0x43, 0xC8);
    pit.Out(0x43, 0x80);
    EXPECT_EQ(pit.In(0x42), 0x30) << "the status latched by the second read-back comes first";
    EXPECT_EQ(read16(), 0x1000u) << "the first latch is kept";
    EXPECT_EQ(read16(), 0x1000u - 100) << "then the counter again";
    pit.SetGate2(false);
    pit.SetTime(500);
    EXPECT_EQ(read16(), 0x1000u - 100) << "a low gate holds mode 0";
    pit.Out(0x43, 0xE6);  // status of channels 0 and 1
    EXPECT_EQ(pit.In(0x40), 0xB6) << "the BIOS's square wave, high in its first half";
    EXPECT_EQ(pit.In(0x41), 0x94) << "the refresh: low byte only, mode 2";
    EXPECT_EQ(pit.In(0x40), 0x18) << "channel 0's count was not latched";
    // Channel 0's interrupts: one in modes 0 and 4, none in the gate-started modes 1 and 5
    // (its gate is tied high), one per period in modes 2 and 3. The first comes at the rising
    // edge: as the count runs out in mode 0, one clock later in mode 4 (after its low strobe), at
    // the end of the first period in modes 2 and 3.
    const struct {
        uint8_t control;
        uint64_t ticks;
        uint64_t first;  // clocks after the count was written; 0: none
    } cases[] = {{0x30, 1, 1000}, {0x38, 1, 1001}, {0x32, 0, 0}, {0x3A, 0, 0}, {0x34, 10, 1000}, {0x36, 10, 1000}};
    for (const auto& c : cases) {
        Pit p;
        p.SetTime(50);
        p.Out(0x43, c.control);
        EXPECT_EQ(p.TakeTicks(), 0u);
        p.SetTime(50 + 10 * 1000);
        EXPECT_EQ(p.TakeTicks(), 0u) << "stopped until its count is written";
        p.Out(0x40, uint8_t(1000));
        p.Out(0x40, uint8_t(1000 >> 8));
        const uint64_t loaded = 50 + 10 * 1000;
        uint64_t ticks = 0;
        if (c.first != 0) {
            p.SetTime(loaded + c.first - 1);
            EXPECT_EQ(p.TakeTicks(), 0u) << std::hex << int(c.control);
            p.SetTime(loaded + c.first);
            ticks = p.TakeTicks();
            EXPECT_EQ(ticks, 1u) << std::hex << int(c.control);
        }
        for (uint64_t t = c.first; t <= 10 * 1000 + 500; t += 7) {
            p.SetTime(50 + 10 * 1000 + t);
            ticks += p.TakeTicks();
        }
        EXPECT_EQ(ticks, c.ticks) << std::hex << int(c.control);
        EXPECT_EQ(p.NextTick() == Pit::kNever, c.ticks < 2) << std::hex << int(c.control);
    }
    // Mode 0 stops counting at the low byte of a new count and starts it afresh at the high byte:
    // the old count's interrupt never comes.
    Pit p;
    p.Out(0x43, 0x30);
    p.SetTime(100);
    p.Out(0x40, 0xE8);
    p.Out(0x40, 0x03);  // 1000
    p.SetTime(100 + 900);
    p.Out(0x40, 0xF4);
    p.SetTime(100 + 1100);
    EXPECT_EQ(p.TakeTicks(), 0u) << "frozen between the two bytes";
    p.Out(0x43, 0x00);
    const unsigned low = p.In(0x40);
    EXPECT_EQ(low | p.In(0x40) << 8, 100u) << "held where the low byte stopped it";
    p.Out(0x40, 0x01);  // 500
    p.SetTime(100 + 1100 + 499);
    EXPECT_EQ(p.TakeTicks(), 0u);
    p.SetTime(100 + 1100 + 500);
    EXPECT_EQ(p.TakeTicks(), 1u) << "the new count from its high byte";
}

// Reads of the planes against a model of the adapter, pixel by pixel: read mode 0 gives the
// byte of the plane the read map selects; read mode 1 sets the bit of each pixel whose colour
// equals the colour compare register in the planes the don't-care register keeps. Every read
// loads the latches, which a write in write mode 1 stores as they are.
TEST(VgaPlanes, ReadsGoThroughTheGraphicsController)
{
    VideoPorts ports;
    VgaPlanes vga(ports);
    std::mt19937 random(12);
    for (auto& plane : vga.Data())
        for (auto& byte : plane)
            byte = uint8_t(random());
    const auto set = [&ports](uint8_t index, unsigned value) {
        ports.Out(0x3CE, index);
        ports.Out(0x3CF, uint8_t(value));
    };
    for (int step = 0; step < 2000; ++step) {
        const uint32_t from = random() % 0x10000, to = random() % 0x10000;
        const unsigned mode = random() % 2, map = random() % 4, compare = random() % 16, care = random() % 16;
        set(5, mode << 3);
        set(4, map);
        set(2, compare);
        set(7, care);
        unsigned expected = 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
            unsigned colour = 0;
            for (unsigned p = 0; p < 4; ++p)
                colour |= (vga.Data()[p][from] >> bit & 1u) << p;
            const bool on = mode == 0 ? (colour >> map & 1) : ((colour ^ compare) & care) == 0;
            expected |= unsigned(on) << bit;
        }
        ASSERT_EQ(vga.Read(0xA0000 + from), expected) << step;
        set(5, 1 | mode << 3);
        vga.Write(0xA0000 + to, uint8_t(random()));
        for (unsigned p = 0; p < 4; ++p)
            ASSERT_EQ(vga.Data()[p][to], vga.Data()[p][from]) << step;
    }
}

TEST(KeyCodes, EveryPrintableCharacterTypesItself)
{
    for (unsigned c = 0x20; c < 0x7F; ++c) {
        const Keystroke k = KeystrokeFor(uint8_t(c));
        ASSERT_NE(k.scan, 0) << char(c);
        const uint16_t key = KeyCode(k.scan, false, k.shifted ? shift::kLeftShift : 0);
        EXPECT_EQ(key, k.scan << 8 | c) << char(c);
    }
    const struct {
        uint8_t scan;
        bool extended;
        uint8_t shifts;
        uint16_t key;
    } cases[] = {
        {0x1E, false, shift::kCapsLock, 0x1E41},      {0x1E, false, shift::kCapsLock | shift::kLeftShift, 0x1E61},
        {0x2E, false, shift::kCtrl, 0x2E03},          {0x1E, false, shift::kAlt, 0x1E00},
        {0x3B, false, 0, 0x3B00},                     {0x3B, false, shift::kRightShift, 0x5400},
        {0x44, false, shift::kAlt, 0x7100},           {0x48, true, 0, 0x48E0},
        {0x48, false, 0, 0x4800},                     {0x48, false, shift::kNumLock, 0x4838},
        {0x1C, true, 0, 0xE00D},                      {0x4B, false, shift::kCtrl, 0x7300},
        {0x0F, false, shift::kLeftShift, 0x0F00},     {0x02, false, shift::kAlt, 0x7800},
        {0x2A, false, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyCode(c.scan, c.extended, c.shifts), c.key) << std::hex << int(c.scan);
    EXPECT_EQ(KeystrokeFor('\n').scan, scan::kEnter);
    EXPECT_TRUE(KeystrokeFor(3).ctrl);
}

// The BIOS's keyboard buffer against a queue: random stores and takes through INT 16h (AH=05h
// and 00h/01h) keep the same keys in the same order, 15 at most, across the ring's wrap, and the
// head and tail words at 40:1Ah/40:1Ch stay inside the buffer where programs read them.
TEST(PcKeyboard, BufferBehavesAsAQueueOfFifteen)
{
    Pc pc;
    ASSERT_EQ(pc.machine.Load([] {
        LoadRequest r;
        r.image = {0xCD, 0x16, 0xCD, 0x20};
        r.path = "C:\\T.COM";
        return r;
    }()), "");
    Registers& regs = pc.machine.Processor().regs;
    const auto call = [&](uint16_t ax, uint16_t cx) {
        regs.r[kAX] = ax;
        regs.r[kCX] = cx;
        regs.ip = 0x100;
        pc.machine.Processor().Run(3);
        return regs.r[kAX];
    };
    std::deque<uint16_t> model;
    std::mt19937 random(26);
    for (int step = 0; step < 2000; ++step) {
        if (random() % 3 != 0) {
            const uint16_t key = uint16_t(random() | 1);
            const bool stored = (call(0x0500, key) & 0xFF) == 0;
            ASSERT_EQ(stored, model.size() < 15) << step;
            if (stored)
                model.push_back(key);
        } else if (!model.empty()) {
            call(0x0100, 0);
            ASSERT_FALSE(regs.flags.ZF());
            ASSERT_EQ(call(0x0000, 0), model.front()) << step;
            model.pop_front();
        }
        const uint16_t head = pc.machine.Mem().Read16(0x40, 0x1A), tail = pc.machine.Mem().Read16(0x40, 0x1C);
        ASSERT_TRUE(head >= 0x1E && head < 0x3E && tail >= 0x1E && tail < 0x3E && head % 2 == 0) << step;
        ASSERT_EQ((tail - head + 32) % 32 / 2, int(model.size())) << step;
    }
}

// 36 ticks of INT 1Ch take 36 periods of the timer (about two seconds) of emulated time, which
// the machine spends idle while the program halts.
TEST(PcTimer, HookedTickCountsInEmulatedTime)
{
    Pc pc;
    const uint64_t start = pc.clock.now;
    const RunResult result = pc.Run({
        0x31, 0xC0,                              // xor ax,ax
        0x8E, 0xC0,                              // mov es,ax
        0x26, 0xC7, 0x06, 0x70, 0x00, 0x1B, 0x01,  // mov word [es:0x70],0x11b
        0x26, 0x8C, 0x0E, 0x72, 0x00,            // mov [es:0x72],cs
        0xFB,                                    // sti
        0xF4,                                    // hlt
        0x83, 0x3E, 0x21, 0x01, 0x24,            // cmp word [0x121],byte +0x24
        0x72, 0xF8,                              // jc 0x111
        0xCD, 0x20,                              // int 0x20
        0x2E, 0xFF, 0x06, 0x21, 0x01,            // inc word [cs:0x121]
        0xCF,                                    // iret
    }, 0x30);
    ASSERT_TRUE(result.exited) << result.failure;
    const double seconds = double(pc.clock.now - start) / 1e6;
    EXPECT_NEAR(seconds, 36 * 65536 / 1193182.0, 0.06);
    EXPECT_GT(pc.waits, 36u) << "the machine idled through the halts";
    const uint32_t ticks = pc.machine.Mem().Read16(0x40, 0x6C) | uint32_t(pc.machine.Mem().Read16(0x40, 0x6E)) << 16;
    const uint32_t atStart = uint32_t((((13 * 60 + 45) * 60 + 30) * 100 + 50) * uint64_t(0x1800B0) / 8640000);
    EXPECT_EQ(ticks, atStart + 36) << "the BIOS tick began at the time of day and counted each tick";
}

// A program that polls for a key or the next tick lets the machine idle: on a clock that moves
// only while the machine idles, each of these loops waiting three ticks ends.
TEST(PcTimer, PollingLoopsIdleTheMachine)
{
    const struct {
        const char* what;
        std::vector<uint8_t> poll;
    } cases[] = {
        {"INT 16h AH=01h", {0xB4, 0x01, 0xCD, 0x16}},
        {"INT 21h AH=0Bh", {0xB4, 0x0B, 0xCD, 0x21}},
        {"INT 2Fh AX=1680h", {0xB8, 0x80, 0x16, 0xCD, 0x2F}},
        {"INT 1Ah AH=00h", {0x30, 0xE4, 0xCD, 0x1A}},
        {"40:6Ch read in a tight loop", {}},
    };
    for (const auto& c : cases) {
        Pc pc;
        pc.console.redirected[0] = false;
        std::vector<uint8_t> code = {0x6A, 0x40, 0x07, 0x26, 0x8B, 0x1E, 0x6C, 0x00};  // ES=40h, BX=[6Ch]
        code.insert(code.end(), c.poll.begin(), c.poll.end());
        const uint8_t rest[] = {0x26, 0xA1, 0x6C, 0x00, 0x29, 0xD8, 0x83, 0xF8, 0x03,  // ticks since, 3?
                                0x72, uint8_t(-int(c.poll.size()) - 11), 0xCD, 0x20};
        code.insert(code.end(), std::begin(rest), std::end(rest));
        const RunResult result = pc.Run(code);
        EXPECT_TRUE(result.exited) << c.what << ": " << result.failure;
        EXPECT_GT(pc.waits, 0u) << c.what;
    }
}

// A loop that computes is never taken for a wait: it runs without the machine idling once.
TEST(PcTimer, ComputingLoopsRunWithoutIdling)
{
    Pc pc;
    const RunResult result = pc.Run({
        0xBA, 0x32, 0x00,  // mov dx,50
        0x31, 0xC9,        // xor cx,cx
        0xE2, 0xFE,        // loop $
        0x4A,              // dec dx
        0x75, 0xF9,        // jnz (xor cx,cx)
        0xCD, 0x20,        // int 20h
    });
    ASSERT_TRUE(result.exited) << result.failure;
    EXPECT_GT(result.instructions, 3000000u);
    EXPECT_EQ(pc.waits, 0u);
}

// INT 15h AH=86h waits the microseconds in CX:DX, idling; a function the machine lacks says so.
TEST(PcTimer, SystemServiceWaitsAndRefusesTheRest)
{
    Pc pc;
    const uint64_t start = pc.clock.now;
    const RunResult result = pc.Run({
        0xB4, 0x86,        // mov ah,86h
        0xB9, 0x0F, 0x00,  // mov cx,000Fh
        0xBA, 0x40, 0x42,  // mov dx,4240h: 1,000,000 microseconds
        0xCD, 0x15,        // int 15h
        0xB4, 0xC0,        // mov ah,0C0h
        0xCD, 0x15,        // int 15h
        0x9C,              // pushf
        0x5B,              // pop bx
        0xCD, 0x20,        // int 20h
    });
    ASSERT_TRUE(result.exited) << result.failure;
    EXPECT_NEAR(double(pc.clock.now - start) / 1e6, 1.0, 0.01);
    EXPECT_EQ(pc.machine.Processor().regs.AH(), 0x86);
    EXPECT_TRUE(pc.machine.Processor().regs.r[kBX] & kCF);
}

// Typed through redirected input: an INT 9 hook sees the make and break codes (with Shift around
// a capital), INT 16h gets the key codes, and the end of the input stops a wait for a key.
TEST(PcKeyboard, RedirectedInputIsTypedThroughTheKeyboardInterrupt)
{
    // Port 64h's bit 0 says a byte waits at 60h: set when one moves in, clear once it is read.
    KeyboardController controller;
    controller.Reset();
    controller.QueueKey(0x1E, false, true);
    const uint8_t before = controller.In(0x64);
    ASSERT_TRUE(controller.Pump());
    const uint8_t waiting = controller.In(0x64);
    EXPECT_EQ(controller.In(0x60), 0x1E);
    EXPECT_EQ((std::vector<int>{before & 1, waiting & 1, controller.In(0x64) & 1}), (std::vector<int>{0, 1, 0}));

    Pc pc;
    pc.console.input = "aB\r\n";
    const RunResult result = pc.Run({
        0x31, 0xC0,                              // xor ax,ax
        0x8E, 0xC0,                              // mov es,ax
        0x26, 0xA1, 0x24, 0x00,                  // mov ax,[es:0x24]
        0xA3, 0x00, 0x02,                        // mov [0x200],ax
        0x26, 0xA1, 0x26, 0x00,                  // mov ax,[es:0x26]
        0xA3, 0x02, 0x02,                        // mov [0x202],ax
        0xFA,                                    // cli
        0x26, 0xC7, 0x06, 0x24, 0x00, 0x35, 0x01,  // mov word [es:0x24],0x135
        0x26, 0x8C, 0x0E, 0x26, 0x00,            // mov [es:0x26],cs
        0xFB,                                    // sti
        0x1E,                                    // push ds
        0x07,                                    // pop es
        0xBF, 0x06, 0x02,                        // mov di,0x206
        0xB9, 0x03, 0x00,                        // mov cx,0x3
        0xB4, 0x00,                              // mov ah,0x0
        0xCD, 0x16,                              // int 0x16
        0xAB,                                    // stosw
        0xE2, 0xF9,                              // loop 0x128
        0xB4, 0x00,                              // mov ah,0x0
        0xCD, 0x16,                              // int 0x16
        0xCD, 0x20,                              // int 0x20
        0x50,                                    // push ax
        0x53,                                    // push bx
        0xE4, 0x60,                              // in al,0x60
        0x2E, 0x8B, 0x1E, 0x04, 0x02,            // mov bx,[cs:0x204]
        0x2E, 0x88, 0x87, 0x10, 0x02,            // mov [cs:bx+0x210],al
        0x2E, 0xFF, 0x06, 0x04, 0x02,            // inc word [cs:0x204]
        0x5B,                                    // pop bx
        0x58,                                    // pop ax
        0x2E, 0xFF, 0x2E, 0x00, 0x02,            // jmp far [cs:0x200]
    }, 0x130);
    EXPECT_FALSE(result.exited);
    EXPECT_EQ(result.failure, "the program waits for a key, but its redirected standard input has ended");
    const uint8_t expected[] = {0x1E, 0x9E, 0x2A, 0x30, 0xB0, 0xAA, 0x1C, 0x9C};
    ASSERT_EQ(pc.Word(0x204), sizeof expected);
    for (unsigned i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(pc.machine.Mem().Read8(pc.machine.Processor().regs.seg[kDS], uint16_t(0x210 + i)), expected[i]) << i;
    EXPECT_EQ(pc.Word(0x206), 0x1E61);
    EXPECT_EQ(pc.Word(0x208), 0x3042);
    EXPECT_EQ(pc.Word(0x20A), 0x1C0D);
}

}  // namespace
}  // namespace halyard::dos::test
