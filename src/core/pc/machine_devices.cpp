// The machine's side of its devices: the host calls they serve, the keys passed to the keyboard,
// the idling between events, and DOS's keys read from the BIOS's buffer.
#include <algorithm>

#include "core/pc/machine.h"

namespace halyard::dos {
namespace {

// Polls without a change before the machine idles until the next event.
constexpr unsigned kPollsBeforeIdle = 16;

}  // namespace

// The services of the devices: the timer's and keyboard's interrupts, the BIOS keyboard, and the
// idle calls (INT 28h, which DOS makes while it waits, and INT 2Fh AX=1680h, a program's "release
// my time slice"), through which the machine idles too.
bool Machine::HardwareHostCall(uint8_t vector)
{
    switch (vector) {
    case 0x08: m_timer.Tick(); return true;
    case 0x09: m_keyboard.Interrupt09(); return true;
    case 0x13: m_disk.Interrupt13(); return true;
    case 0x15: m_timer.Interrupt15(); return true;
    case 0x16: m_keyboard.Interrupt16(); return true;
    case 0x33: m_mouse.Interrupt33(); return true;
    case 0x1A:
        NoteTimePoll();
        return false;  // the BIOS answers
    case 0x28:
        m_devices.RequestIdle();
        m_cpu.Stop();
        return true;
    case 0x2F:  // AX=1680h: the program gives up the rest of its time slice
        if (m_cpu.regs.r[kAX] != 0x1680)
            return false;
        m_cpu.regs.SetAL(0);
        m_devices.RequestIdle();
        m_cpu.Stop();
        return true;
    default: return false;
    }
}

// A program that asks for the tick count again and again before it changes is waiting for the
// next tick: the machine may idle.
void Machine::NoteTimePoll()
{
    if (m_cpu.regs.AH() != 0x00)
        return;
    const uint16_t low = m_mem.Read16(bda::kSegment, bda::kTicks);
    m_samePolls = low == m_lastPolledTick ? m_samePolls + 1 : 0;
    m_lastPolledTick = low;
    if (m_samePolls >= kPollsBeforeIdle) {
        m_samePolls = 0;
        m_devices.RequestIdle();
        m_cpu.Stop();
    }
}

void Machine::Service()
{
    PassKeys();
    m_mouse.Poll();
    m_devices.Advance();
    if (m_graphics.Mode() != nullptr)
        m_graphics.Refresh();
    else
        m_screen.Refresh();
    m_guest.console.Flush();
}

// The console's keys go to the keyboard controller once the program uses the BIOS keyboard, the
// controller's ports, its own keyboard interrupt or a graphics mode; until then DOS reads them
// from the console.
void Machine::PassKeys()
{
    KeyEvent event;
    if (m_display->Closed())
        m_guest.Fail("the program's window was closed");
    while (m_display->NextKeyEvent(event))
        m_devices.keyboard.QueueKey(event.scan, event.extended, event.down);
    const bool hooked = m_mem.Read16(0, 9 * 4) != 9 * 4 || m_mem.Read16(0, 9 * 4 + 2) != kRomSegment;
    if (!MachineKeys() && !hooked)
        return;
    while (m_guest.console.NextKeyEvent(event))
        m_devices.keyboard.QueueKey(event.scan, event.extended, event.down);
}

bool Machine::MachineKeys()
{
    return m_graphics.Mode() != nullptr || m_keyboard.InUse() || m_devices.keyboard.Touched();
}

// DOS reads a key inside its service, where the program's own keyboard interrupt cannot run:
// the BIOS's handler takes the controller's bytes directly.
void Machine::ScanQueuedKeys()
{
    PassKeys();
    KeyboardController& controller = m_devices.keyboard;
    if (controller.Full() || controller.Pump()) {
        m_devices.pic.Lower(1);
        do
            m_keyboard.ScanCode(controller.In(0x60));
        while (controller.Pump());
        m_devices.UpdateLine();
    }
}

void Machine::NoteEmptyPoll()
{
    if (++m_emptyKeyPolls < kPollsBeforeIdle)
        return;
    m_emptyKeyPolls = 0;
    m_devices.RequestIdle();
    m_cpu.Stop();
}

bool Machine::NextKey(uint16_t& key, bool remove, bool wait)
{
    constexpr uint32_t kWaitMilliseconds = 20;
    for (;;) {
        ScanQueuedKeys();
        if (m_keyboard.TakeKey(key, remove))
            return true;
        if (!wait || m_guest.ended || m_display->Closed())
            return false;
        m_graphics.Refresh();
        m_guest.console.Wait(kWaitMilliseconds);
    }
}

// Waits for the next thing a device does: the timer's tick or a key; up to a few milliseconds
// for a program that polls a service, up to the next event for one that halts or spins. A halt
// with interrupts off would wait for ever, so it ends the run.
void Machine::Idle(bool untilEvent)
{
    constexpr uint64_t kEventWait = 20000, kPollingWait = 5000;
    if (m_cpu.Halted() && !m_cpu.regs.flags.IF()) {
        m_guest.Fail("the processor was halted with interrupts disabled: nothing can wake it");
        return;
    }
    const bool halted = m_cpu.Halted();
    Service();
    if (untilEvent && (m_devices.pic.Intr() || (halted && !m_cpu.Halted())))
        return;  // an interrupt is already waiting to be taken, or the mouse's was
    const uint64_t until = std::min(m_devices.UntilNextEvent(), untilEvent ? kEventWait : kPollingWait);
    if (until > 0)
        m_guest.console.Wait(uint32_t((until + 999) / 1000));
    Service();
}

// A program that waits for memory to change (the tick count at 40:6Ch, a flag its own interrupt
// handler sets) in a tight loop: two slices in a row end with the same registers, the
// instruction pointer within a few bytes, and no service called, port touched or mouse handler
// called in between. The
// machine then idles briefly; a loop that computes changes its registers, or calls or touches
// something, and runs at full speed.
bool Machine::Spinning()
{
    constexpr unsigned kLoopBytes = 32, kSlicesBeforeIdle = 2;
    const Registers& now = m_cpu.regs;
    const Registers& last = m_lastSlice.regs;
    const uint64_t activity = m_hostCalls + m_devices.PortAccesses() + m_mouse.HandlerCalls();
    const bool same = std::equal(std::begin(now.r), std::end(now.r), std::begin(last.r)) &&
                      std::equal(std::begin(now.seg), std::end(now.seg), std::begin(last.seg)) &&
                      now.flags.Get() == last.flags.Get() &&
                      uint16_t(now.ip - last.ip + kLoopBytes) <= 2 * kLoopBytes && activity == m_lastSlice.activity;
    m_lastSlice = {now, activity};
    m_sameSlices = same ? m_sameSlices + 1 : 0;
    if (m_sameSlices < kSlicesBeforeIdle)
        return false;
    m_sameSlices = 0;
    return true;
}

}  // namespace halyard::dos
