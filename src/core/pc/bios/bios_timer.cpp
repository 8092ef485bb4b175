#include "core/pc/bios/bios_timer.h"

#include "core/pc/bios/text_screen.h"

namespace halyard::dos {

void CountTimeOfDay(Guest& guest)
{
    const LocalTime t = guest.clock.Now();
    const uint32_t centiseconds = ((t.hour * 60u + t.minute) * 60u + t.second) * 100u + t.hundredths;
    const uint32_t ticks = uint32_t(uint64_t(centiseconds) * kTicksPerDay / 8640000);
    guest.mem.Write16(bda::kSegment, bda::kTicks, uint16_t(ticks));
    guest.mem.Write16(bda::kSegment, bda::kTicks + 2, uint16_t(ticks >> 16));
    guest.mem.Write8(bda::kSegment, bda::kMidnight, 0);
}

void BiosTimer::Reset()
{
    CountTimeOfDay(m_guest);
}

void BiosTimer::Tick()
{
    Memory& mem = m_guest.mem;
    uint32_t ticks = uint32_t(mem.Read16(bda::kSegment, bda::kTicks + 2)) << 16 | mem.Read16(bda::kSegment, bda::kTicks);
    if (++ticks >= kTicksPerDay) {
        ticks = 0;
        mem.Write8(bda::kSegment, bda::kMidnight, 1);
    }
    mem.Write16(bda::kSegment, bda::kTicks, uint16_t(ticks));
    mem.Write16(bda::kSegment, bda::kTicks + 2, uint16_t(ticks >> 16));
    m_devices.pic.EndOfInterrupt();
    m_devices.UpdateLine();
    // Runs the program's hook, if any, on return from this call; it returns into the stub's IRET.
    m_guest.cpu.Interrupt(0x1C);
}

// The wait is taken again (the stub's host call is the three bytes before the return address)
// until its time has passed, the machine idling in between.
void BiosTimer::Interrupt15()
{
    Registers& R = m_guest.R();
    if (R.AH() != 0x86) {
        R.SetAH(0x86);
        m_guest.ReturnFlag(kCF, true);
        return;
    }
    const uint64_t now = m_devices.Now();
    if (m_waitUntil == 0)
        m_waitUntil = now + (uint32_t(R.r[kCX]) << 16 | R.r[kDX]) + 1;
    if (now < m_waitUntil) {
        R.ip = uint16_t(R.ip - 3);
        R.flags.SetControl(kIF, true);  // the timer goes on meanwhile
        m_devices.RequestIdle();
        m_guest.cpu.Stop();
        return;
    }
    m_waitUntil = 0;
    m_guest.ReturnFlag(kCF, false);
}

}  // namespace halyard::dos
