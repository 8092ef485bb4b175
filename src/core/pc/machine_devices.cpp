// The machine's side of its devices: the host calls they serve, the keys passed to the keyboard,
// and the idling between events.
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
bool Motherboard::HardwareHostCall(uint8_t vector)
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
void Motherboard::NoteTimePoll()
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

void Motherboard::Service()
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

// Every key of the console and of the graphics window goes through the keyboard controller and
// INT 9, one press or release at a time while the controller is idle and the BIOS's buffer has
// room: keys typed ahead wait at the host rather than being lost to a full buffer.
void Motherboard::PassKeys()
{
    if (m_display->Closed())
        m_guest.Fail("the program's window was closed");
    const std::string stop = m_guest.console.StopRequest();
    if (!stop.empty())
        m_guest.Fail(stop);
    KeyboardController& controller = m_devices.keyboard;
    KeyEvent event;
    while (controller.Idle() && m_keyboard.HasRoom() &&
           (m_display->NextKeyEvent(event) || m_guest.console.NextKeyEvent(event))) {
        if (event.scan != 0)
            controller.QueueKey(event.scan, event.extended, event.down);
        else if (event.character != 0)
            m_keyboard.Store(event.character);
    }
}

// Waits for the next thing a device does: the timer's tick or a key; up to a few milliseconds
// for a program that polls a service, up to the next event for one that halts or spins. A halt
// with interrupts off would wait for ever, so it ends the run.
void Motherboard::Idle(bool untilEvent)
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
bool Motherboard::Spinning()
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
