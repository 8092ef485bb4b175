#include "core/pc/devices/pit.h"

namespace halyard::dos {
namespace {

bool Bcd(uint8_t control) { return control & 1; }

uint32_t FromBcd(uint32_t v)
{
    return (v >> 12 & 15) * 1000 + (v >> 8 & 15) * 100 + (v >> 4 & 15) * 10 + (v & 15);
}

uint16_t ToBcd(uint32_t v)
{
    return uint16_t((v / 1000 % 10) << 12 | (v / 100 % 10) << 8 | (v / 10 % 10) << 4 | v % 10);
}

}  // namespace

void Pit::Reset(uint64_t now)
{
    for (Channel& c : m_ch) {
        c = Channel();
        c.loadedAt = c.runStart = now;
    }
    m_ch[1].reload = 18;  // the memory refresh
    m_ch[1].mode = 2;
    m_ch[1].control = 0x14;
    m_ch[1].access = 1;
    m_ch[2].gate = false;
    m_now = now;
    m_nextTick = now + m_ch[0].reload;
}

uint64_t Pit::TakeTicks()
{
    if (m_nextTick == kNever || m_now < m_nextTick)
        return 0;
    const Channel& c = m_ch[0];
    if (c.mode != 2 && c.mode != 3) {
        m_nextTick = kNever;  // the one rising edge of modes 0 and 4
        return 1;
    }
    const uint32_t period = c.reload;
    const uint64_t ticks = (m_now - m_nextTick) / period + 1;
    m_nextTick += ticks * period;
    return ticks;
}

// Clocks counted since the counter was loaded (or triggered).
uint64_t Pit::Elapsed(const Channel& c) const
{
    const bool running = c.gate || c.mode == 1 || c.mode == 5;
    return c.counted + (running ? m_now - c.runStart : 0);
}

// The counter as a read sees it, in BCD where the channel counts so. It counts down from its
// reload once a clock (twice in mode 3); modes 2 and 3 reload when it passes 1, the others wrap
// on through 0.
uint16_t Pit::Count(const Channel& c) const
{
    if (!c.counting)
        return c.held;
    const uint32_t n = c.reload, wrap = Bcd(c.control) ? 10000 : 65536;
    const uint64_t elapsed = Elapsed(c);
    uint32_t v;
    if (c.mode == 2 || c.mode == 3) {
        if (!c.gate)
            v = n;
        else if (c.mode == 2)
            v = uint32_t(n - elapsed % n);
        else
            v = uint32_t((n - 2 * (elapsed % ((n + 1) / 2))) & ~1u);
    } else {
        v = uint32_t((n + wrap - elapsed % wrap) % wrap);
    }
    v %= wrap;
    return Bcd(c.control) ? ToBcd(v) : uint16_t(v);
}

bool Pit::Output(const Channel& c) const
{
    if (!c.counting)
        return c.mode != 0;
    const uint64_t n = c.reload, elapsed = Elapsed(c);
    switch (c.mode) {
    case 0:
    case 1: return elapsed >= n;
    case 2: return !c.gate || elapsed % n != n - 1;
    case 3: return !c.gate || elapsed % n < (n + 1) / 2;
    default: return elapsed != n;  // the strobes of modes 4 and 5
    }
}

uint8_t Pit::Status(const Channel& c) const
{
    const bool nullCount = !c.counting || m_now == c.loadedAt;
    return uint8_t((Output(c) ? 0x80 : 0) | (nullCount ? 0x40 : 0) | c.control);
}

void Pit::StartCounting(Channel& c)
{
    c.counting = true;
    c.counted = 0;
    c.runStart = m_now;
}

// Channel 0's next rising edge: every period's end in modes 2 and 3, once in modes 0 and 4.
void Pit::ScheduleTick()
{
    const Channel& c = m_ch[0];
    if (!c.counting || c.mode == 1 || c.mode == 5) {
        m_nextTick = kNever;
        return;
    }
    m_nextTick = c.runStart + c.reload + (c.mode == 4 ? 1 : 0);
}

void Pit::SetGate2(bool on)
{
    Channel& c = m_ch[2];
    if (on == c.gate)
        return;
    if (!on) {
        if (c.counting && (c.mode == 0 || c.mode == 4))
            c.counted += m_now - c.runStart;
        c.gate = false;
        return;
    }
    c.gate = true;
    if (c.mode == 0 || c.mode == 4)
        c.runStart = m_now;  // counting goes on where it stopped
    else if (c.counting || c.mode == 1 || c.mode == 5)
        StartCounting(c);  // a rising gate restarts the count, and triggers the one-shots
}

void Pit::Load(unsigned channel, uint32_t value)
{
    Channel& c = m_ch[channel];
    const bool bcd = Bcd(c.control);
    c.reload = bcd ? FromBcd(value) : value;
    if (c.reload == 0)
        c.reload = bcd ? 10000 : 65536;
    c.loadedAt = m_now;
    if (c.mode != 1 && c.mode != 5)
        StartCounting(c);  // the one-shots wait for their gate to rise
    if (channel == 0)
        ScheduleTick();
}

// A control word: the counter stops until its count is written, its output low in mode 0 and
// high in the others; or the counter latch command.
void Pit::Control(uint8_t value)
{
    Channel& c = m_ch[value >> 6];
    if ((value & 0x30) == 0) {
        if (!c.latched) {
            c.latch = Count(c);
            c.latched = true;
            c.readHigh = false;
        }
        return;
    }
    c.held = Count(c);
    c.control = uint8_t(value & 0x3F);
    c.access = uint8_t((value >> 4) & 3);
    c.mode = uint8_t((value >> 1) & 7);
    if (c.mode > 5)
        c.mode = uint8_t(c.mode - 4);
    c.counting = false;
    c.writeHigh = c.readHigh = c.latched = c.statusLatched = false;
    if (&c == &m_ch[0])
        ScheduleTick();
}

// 11 C S c2 c1 c0 0: for each channel selected, latches its count (C clear) and its status
// (S clear), each only if not latched already.
void Pit::ReadBack(uint8_t value)
{
    for (unsigned channel = 0; channel < 3; ++channel) {
        if (!(value >> (channel + 1) & 1))
            continue;
        Channel& c = m_ch[channel];
        if (!(value & 0x20) && !c.latched) {
            c.latch = Count(c);
            c.latched = true;
            c.readHigh = false;
        }
        if (!(value & 0x10) && !c.statusLatched) {
            c.status = Status(c);
            c.statusLatched = true;
        }
    }
}

void Pit::Out(uint16_t port, uint8_t value)
{
    if (port == 0x43) {
        if (value >> 6 == 3)
            ReadBack(value);
        else
            Control(value);
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
            if (c.mode == 0 && c.counting) {  // the first byte stops mode 0's count
                c.held = Count(c);
                c.counting = false;
                if (channel == 0)
                    ScheduleTick();
            }
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
    if (c.statusLatched) {
        c.statusLatched = false;
        return c.status;
    }
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
