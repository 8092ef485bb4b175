#pragma once
// The BIOS services: video (INT 10h) over the text screen, time of day (1Ah), equipment (11h),
// memory size (12h), and the serial ports (14h) and printer (17h) this PC does not have.
#include <cstdint>

#include "core/pc/bios/guest.h"
#include "core/pc/bios/text_screen.h"

namespace halyard::dos {

class Bios {
public:
    Bios(Guest& guest, TextScreen& screen) : m_guest(guest), m_screen(screen) {}

    // The data area as the power-on self test leaves it.
    void Reset();
    void Video();
    void TimeOfDay();
    void Equipment();
    void MemorySize();
    void Serial();
    void Printer();

private:
    void Unsupported(uint8_t vector);
    bool VideoMode(uint8_t mode);
    void WriteString();
    void VideoState();

    Guest& m_guest;
    TextScreen& m_screen;
};

}  // namespace halyard::dos
