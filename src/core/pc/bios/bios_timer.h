#pragma once
// The BIOS's timer interrupt (IRQ 0, INT 8): counts ticks at 40:6Ch, wraps them at midnight
// (1800B0h ticks) setting the flag at 40:70h, ends the interrupt and calls INT 1Ch for programs
// that hook the tick. And the system services' wait (INT 15h AH=86h), which idles the machine for
// the microseconds asked; the other INT 15h functions answer "not supported" (carry, AH=86h), as
// on a PC without them.
#include "core/pc/devices/devices.h"
#include "core/pc/bios/guest.h"

namespace halyard::dos {

inline constexpr uint32_t kTicksPerDay = 0x1800B0;

// Sets the count at 40:6Ch to the machine clock's time of day (at the start, and when DOS sets
// the time).
void CountTimeOfDay(Guest& guest);

class BiosTimer {
public:
    BiosTimer(Guest& guest, Devices& devices) : m_guest(guest), m_devices(devices) {}

    // The count of the host's time of day.
    void Reset();
    void Tick();
    void Interrupt15();

private:
    Guest& m_guest;
    Devices& m_devices;
    uint64_t m_waitUntil = 0;  // the end of the wait in progress, 0 when none is
};

}  // namespace halyard::dos
