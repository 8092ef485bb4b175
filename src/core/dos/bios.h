#pragma once
// The BIOS services: video (INT 10h) over the text screen, keyboard (16h), time of day (1Ah),
// equipment (11h) and memory size (12h).
#include <cstdint>

#include "core/dos/guest.h"
#include "core/dos/text_screen.h"

namespace halyard::dos {

class Bios {
public:
    Bios(Guest& guest, TextScreen& screen) : m_guest(guest), m_screen(screen) {}

    // The data area as the power-on self test leaves it.
    void Reset();
    void Video();
    void Keyboard();
    void TimeOfDay();
    void Equipment();
    void MemorySize();
    // The timer count in the data area, from the host's clock (18.2 ticks a second).
    void UpdateTicks();

private:
    void Unsupported(uint8_t vector);
    bool VideoMode(uint8_t mode);
    void WriteString();

    Guest& m_guest;
    TextScreen& m_screen;
    uint8_t m_lastDay = 0;
};

}  // namespace halyard::dos
