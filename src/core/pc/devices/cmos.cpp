#include "core/pc/devices/cmos.h"

namespace halyard::dos {
namespace {

uint8_t Bcd(unsigned v)
{
    return uint8_t((v / 10 % 10) << 4 | (v % 10));
}

}  // namespace

void Cmos::Reset()
{
    m_ram.fill(0);
    m_ram[0x0A] = 0x26;  // 32.768 kHz time base, 1024 Hz periodic rate
    m_ram[0x0B] = 0x02;  // BCD, 24-hour, no interrupts enabled
    m_ram[0x0D] = 0x80;  // the battery is good
    m_ram[0x10] = 0x40;  // drive A: 1.44 MB, no drive B:
    m_ram[0x14] = 0x21;  // one floppy drive, 80 x 25 colour
    m_ram[0x15] = 0x80;  // 640 KB of base memory
    m_ram[0x16] = 0x02;
    m_index = 0;
}

uint8_t Cmos::Read(uint8_t index)
{
    index &= 0x3F;
    if (index > 9 && index != 0x32)
        return index == 0x0C ? 0 : m_ram[index];
    const LocalTime t = m_clock.Now();
    switch (index) {
    case 0x00: return Bcd(t.second);
    case 0x02: return Bcd(t.minute);
    case 0x04: return Bcd(t.hour);
    case 0x06: return uint8_t(t.weekday + 1);  // 1 = Sunday
    case 0x07: return Bcd(t.day);
    case 0x08: return Bcd(t.month);
    case 0x09: return Bcd(t.year % 100);
    case 0x32: return Bcd(t.year / 100);
    default: return m_ram[index];  // the alarm registers
    }
}

uint8_t Cmos::In(uint16_t port)
{
    return port == 0x71 ? Read(m_index) : 0xFF;
}

void Cmos::Out(uint16_t port, uint8_t value)
{
    if (port == 0x70) {
        m_index = uint8_t(value & 0x3F);
        return;
    }
    if (m_index >= 0x0E || m_index == 0x01 || m_index == 0x03 || m_index == 0x05)
        m_ram[m_index] = value;
    else if (m_index == 0x0A || m_index == 0x0B)
        m_ram[m_index] = uint8_t(m_index == 0x0A ? value & 0x7F : value);
}

}  // namespace halyard::dos
