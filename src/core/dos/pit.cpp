#include "core/dos/pit.h"

namespace halyard::dos {

void Pit::Reset(uint64_t now)
{
    for (Channel& c : m_ch) {
        c = Channel();
        c.start = now;
    }
    m_ch[1].reload = 18;  // the memory refresh
    m_ch[1].mode = 2;
    m_ch[2].gate = false;
    m_now = now;
    m_nextTick = now + m_ch[0].reload;
}

uint64_t Pit::TakeTicks()
{
    if (m_now < m_nextTick)
        return 0;
    const uint32_t period = m_ch[0].reload;
    const uint64_t ticks = (m_now - m_nextTick) / period + 1;
    m_nextTick += ticks * period;
    return ticks;
}

// The counter counts down from its reload once a clock (twice in mode 3, where the output is
// high for the first half of the period); it reloads when it passes 1.
uint16_t Pit::Count(const Channel& c) const
{
    if (!c.gate)
        return uint16_t(c.reload);
    const uint64_t elapsed = m_now - c.start;
    if (c.mode == 3) {
        const uint64_t half = (c.reload + 1) / 2;
        return uint16_t((c.reload - 2 * (elapsed % half)) & ~1u);
    }
    return uint16_t(c.reload - elapsed % c.reload);
}

bool Pit::Output2() const
{
    const Channel& c = m_ch[2];
    if (!c.gate)
        return c.mode != 0;
    const uint64_t phase = (m_now - c.start) % c.reload;
    return c.mode == 3 ? phase < (c.reload + 1) / 2 : phase != c.reload - 1;
}

void Pit::SetGate2(bool on)
{
    Channel& c = m_ch[2];
    if (on && !c.gate)
        c.start = m_now;  // a rising gate restarts the count
    c.gate = on;
}

void Pit::Load(unsigned channel, uint32_t value)
{
    Channel& c = m_ch[channel];
    c.reload = value == 0 ? 65536 : value;
    c.start = m_now;
    if (channel == 0)
        m_nextTick = m_now + c.reload;
}

void Pit::Out(uint16_t port, uint8_t value)
{
    if (port == 0x43) {
        const unsigned channel = value >> 6;
        if (channel == 3)
            return;  // read-back (8254 only): not offered
        Channel& c = m_ch[channel];
        if ((value & 0x30) == 0) {  // counter latch
            if (!c.latched) {
                c.latch = Count(c);
                c.latched = true;
                c.readHigh = false;
            }
            return;
        }
        c.access = uint8_t((value >> 4) & 3);
        c.mode = uint8_t((value >> 1) & 7);
        if (c.mode > 5)
            c.mode = uint8_t(c.mode - 4);
        c.writeHigh = c.readHigh = c.latched = false;
        return;
    }
    const unsigned channel = port & 3;
    Channel& c = m_ch[channel];
    switch (c.access) {
    case 1: Load(channel, value); return;
    case 2: Load(channel, uint32_t(value) << 8); return;
    default:
        if (!c.writeHigh) {
            c.pendingLow = value;
            c.writeHigh = true;
        } else {
            c.writeHigh = false;
            Load(channel, uint32_t(value) << 8 | c.pendingLow);
        }
        return;
    }
}

uint8_t Pit::In(uint16_t port)
{
    if (port == 0x43)
        return 0xFF;
    Channel& c = m_ch[port & 3];
    const uint16_t value = c.latched ? c.latch : Count(c);
    uint8_t byte;
    switch (c.access) {
    case 1: byte = uint8_t(value); c.latched = false; break;
    case 2: byte = uint8_t(value >> 8); c.latched = false; break;
    default:
        byte = c.readHigh ? uint8_t(value >> 8) : uint8_t(value);
        if (c.readHigh)
            c.latched = false;
        c.readHigh = !c.readHigh;
        break;
    }
    return byte;
}

}  // namespace halyard::dos
