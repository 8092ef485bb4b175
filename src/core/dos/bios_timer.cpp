#include "core/dos/bios_timer.h"

#include "core/dos/text_screen.h"

namespace halyard::dos {

void BiosTimer::Reset()
{
    const LocalTime t = m_guest.clock.Now();
    const uint32_t centiseconds = ((t.hour * 60u + t.minute) * 60u + t.second) * 100u + t.hundredths;
    const uint32_t ticks = uint32_t(uint64_t(centiseconds) * kTicksPerDay / 8640000);
    m_guest.mem.Write16(bda::kSegment, bda::kTicks, uint16_t(ticks));
    m_guest.mem.Write16(bda::kSegment, bda::kTicks + 2, uint16_t(ticks >> 16));
    m_guest.mem.Write8(bda::kSegment, bda::kMidnight, 0);
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

}  // namespace halyard::dos
