#pragma once
// The programmable interval timer (8253/8254) at ports 40h-43h, clocked at 1,193,182 Hz.
// Channel 0 drives IRQ 0 (18.2 times a second with the BIOS's count of 65536); channel 1 is the
// memory refresh; channel 2, gated by port 61h, drives the speaker.
//
// Time is a count of timer clocks given from outside (the machine derives it from the host's
// clock), so the counters are a pure function of the time they are read at.
#include <cstdint>

#include "core/dos/io_ports.h"

namespace halyard::dos {

inline constexpr uint32_t kPitHz = 1193182;

class Pit final : public PortDevice {
public:
    Pit() { Reset(0); }
    void Reset(uint64_t now);

    // The time (in timer clocks) the ports see from now on; it never goes back.
    void SetTime(uint64_t now) { m_now = now > m_now ? now : m_now; }
    // Channel 0 periods that ended up to now and were not taken yet; takes them.
    uint64_t TakeTicks();
    // The clock at which channel 0's next period ends.
    uint64_t NextTick() const { return m_nextTick; }

    // Channel 2's gate (port 61h bit 0), its output, and its tone (0 when not a square wave).
    void SetGate2(bool on);
    bool Output2() const;
    uint32_t Reload(unsigned channel) const { return m_ch[channel].reload; }
    uint8_t Mode(unsigned channel) const { return m_ch[channel].mode; }

    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;

private:
    struct Channel {
        uint32_t reload = 65536;  // 1-65536 (a written 0 means 65536)
        uint8_t mode = 3;
        uint8_t access = 3;       // 1 low byte, 2 high byte, 3 low then high
        bool writeHigh = false;   // the next byte written is the high byte
        bool readHigh = false;
        bool latched = false;
        uint16_t latch = 0;
        uint64_t start = 0;       // the clock at which counting began
        uint16_t pendingLow = 0;
        bool gate = true;
    };
    uint16_t Count(const Channel& c) const;
    void Load(unsigned channel, uint32_t value);

    Channel m_ch[3];
    uint64_t m_now = 0;
    uint64_t m_nextTick = 65536;
};

}  // namespace halyard::dos
