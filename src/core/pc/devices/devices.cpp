#include "core/pc/devices/devices.h"

namespace halyard::dos {
namespace {

// About a minute: a wait of the host's (a key read by DOS, a slow file) is made up, one tick a
// slice, so the time of day keeps up; a longer stop of the host is not.
constexpr uint64_t kMaxOwedTicks = 1092;

}  // namespace

Devices::Devices(Cpu& cpu, HostClock& clock, HostSpeaker& speaker)
    : cmos(clock), m_cpu(cpu), m_clock(clock), m_speaker(&speaker)
{
    Reset();
}

void Devices::Reset()
{
    m_start = m_clock.Microseconds();
    pic.Reset();
    pit.Reset(0);
    cmos.Reset();
    keyboard.Reset();
    video.Reset();
    m_owedTicks = 0;
    m_port61 = 0;
    m_tone = 0;
    UpdateLine();
}

uint64_t Devices::Now() const
{
    const uint64_t host = m_clock.Microseconds();
    return host > m_start ? host - m_start : 0;
}

void Devices::SyncTime()
{
    const uint64_t now = Now();
    pit.SetTime(now * kPitHz / 1000000);
    video.SetTime(now);
}

void Devices::Advance()
{
    SyncTime();
    m_owedTicks += pit.TakeTicks();
    if (m_owedTicks > kMaxOwedTicks)
        m_owedTicks = kMaxOwedTicks;
    if (m_owedTicks > 0 && !pic.Requested(0)) {
        pic.Raise(0);
        --m_owedTicks;
    }
    if (!pic.Requested(1) && !pic.InService(1) && keyboard.Pump())
        pic.Raise(1);
    UpdateLine();
}

uint64_t Devices::UntilNextEvent() const
{
    if (m_owedTicks > 0)
        return 0;
    if (pit.NextTick() == Pit::kNever)
        return UINT64_MAX;
    const uint64_t next = pit.NextTick() * 1000000 / kPitHz + 1;
    const uint64_t now = Now();
    return next > now ? next - now : 0;
}

void Devices::UpdateLine()
{
    m_cpu.SetInterruptRequest(pic.Intr());
}

PortDevice* Devices::Decode(uint16_t port)
{
    if (port == 0x20 || port == 0x21 || port == 0xA0 || port == 0xA1)
        return &pic;
    if (port >= 0x40 && port <= 0x43)
        return &pit;
    if (port == 0x60 || port == 0x64)
        return &keyboard;
    if (port == 0x70 || port == 0x71)
        return &cmos;
    if ((port >= 0x3C0 && port <= 0x3CF) || (port >= 0x3D4 && port <= 0x3DA) || port == 0x3BA)
        return &video;
    return nullptr;
}

uint8_t Devices::In(uint16_t port)
{
    ++m_portAccesses;
    SyncTime();
    if (port == 0x61)
        return SystemStatus();
    PortDevice* device = Decode(port);
    return device != nullptr ? device->In(port) : 0xFF;
}

void Devices::Out(uint16_t port, uint8_t value)
{
    ++m_portAccesses;
    SyncTime();
    if (port == 0x61) {
        SystemControl(value);
        return;
    }
    PortDevice* device = Decode(port);
    if (device == nullptr)
        return;
    device->Out(port, value);
    if (device == &pic)
        UpdateLine();
    else if (device == &pit)
        UpdateTone();
}

uint8_t Devices::AcknowledgeInterrupt()
{
    const uint8_t vector = pic.Acknowledge();
    UpdateLine();
    return vector;
}

// Port 61h: bit 0 gates timer channel 2, bit 1 passes its output to the speaker; reading gives
// them back with the refresh bit (4), which flips on every read, and channel 2's output (5).
void Devices::SystemControl(uint8_t value)
{
    m_port61 = uint8_t(value & 0x0F);
    pit.SetGate2(value & 1);
    UpdateTone();
}

uint8_t Devices::SystemStatus()
{
    m_refresh = !m_refresh;
    return uint8_t(m_port61 | (m_refresh ? 0x10 : 0) | (pit.Output2() ? 0x20 : 0));
}

void Devices::UpdateTone()
{
    const bool sounding = (m_port61 & 3) == 3 && pit.Mode(2) == 3;
    const uint32_t tone = sounding ? kPitHz / pit.Reload(2) : 0;
    if (tone != m_tone) {
        m_tone = tone;
        m_speaker->Tone(tone);
    }
}

}  // namespace halyard::dos
