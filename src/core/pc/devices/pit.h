#pragma once
// The programmable interval timer (8253/8254) at ports 40h-43h, clocked at 1,193,182 Hz.
// Channel 0 drives IRQ 0 (18.2 times a second with the BIOS's count of 65536); channel 1 is the
// memory refresh; channel 2, gated by port 61h, drives the speaker.
//
// Time is a count of timer clocks given from outside (the machine derives it from the host's
// clock), so the counters and outputs are a pure function of the time they are read at. The six
// counting modes:
//   0  interrupt on terminal count: the output goes low with the control word and high when the
//      count has run out, and stays high; the counter wraps on through FFFFh.
//   1  one-shot: a rising gate starts the count, the output is low until it runs out.
//   2  rate generator: low for one clock at the end of every period.
//   3  square wave: high for the first half of every period.
//   4  software strobe: one low clock when the count runs out, then counting wraps on.
//   5  hardware strobe: the same, started by a rising gate.
// A low gate stops modes 0 and 4 where they are, holds modes 2 and 3 high until it rises and
// restarts them. Channels 0 and 1 have their gates tied high, so modes 1 and 5 never start on
// them. IRQ 0 comes at each rising edge of channel 0's output.
//
// The 8254's read-back command (control word 11xxxxxx) latches the count, the status or both of
// any channels; the status byte is the output, the null-count bit (a count written and not yet
// counting) and the control word's low six bits. A latched status is read before a latched count.
#include <cstdint>

#include "core/pc/cpu/io_ports.h"

namespace halyard::dos {

inline constexpr uint32_t kPitHz = 1193182;

class Pit final : public PortDevice {
public:
    static constexpr uint64_t kNever = UINT64_MAX;

    Pit() { Reset(0); }
    void Reset(uint64_t now);

    // The time (in timer clocks) the ports see from now on; it never goes back.
    void SetTime(uint64_t now) { m_now = now > m_now ? now : m_now; }
    // Rising edges of channel 0's output up to now not taken yet; takes them.
    uint64_t TakeTicks();
    // The clock of channel 0's next rising edge (kNever when none will come).
    uint64_t NextTick() const { return m_nextTick; }

    // Channel 2's gate (port 61h bit 0) and its output.
    void SetGate2(bool on);
    bool Output2() const { return Output(m_ch[2]); }
    uint32_t Reload(unsigned channel) const { return m_ch[channel].reload; }
    uint8_t Mode(unsigned channel) const { return m_ch[channel].mode; }

    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;

private:
    struct Channel {
        uint32_t reload = 65536;  // 1-65536 (a written 0 means 65536; 10000 when counting in BCD)
        uint8_t control = 0x36;   // the control word's low six bits: access, mode, BCD
        uint8_t mode = 3;         // 0-5 (6 and 7 are 2 and 3)
        uint8_t access = 3;       // 1 low byte, 2 high byte, 3 low then high
        bool writeHigh = false;   // the next byte written is the high byte
        bool readHigh = false;
        bool latched = false;
        uint16_t latch = 0;
        bool statusLatched = false;
        uint8_t status = 0;
        bool counting = true;     // a count was written (and, in modes 1 and 5, the gate rose)
        uint16_t held = 0;        // the counter while not counting
        uint64_t loadedAt = 0;    // the clock the count was written at
        uint64_t runStart = 0;    // the clock the present stretch of counting began at
        uint64_t counted = 0;     // clocks counted before it (modes 0 and 4 across a low gate)
        uint16_t pendingLow = 0;
        bool gate = true;
    };
    uint64_t Elapsed(const Channel& c) const;
    uint16_t Count(const Channel& c) const;
    bool Output(const Channel& c) const;
    uint8_t Status(const Channel& c) const;
    void Control(uint8_t value);
    void ReadBack(uint8_t value);
    void Load(unsigned channel, uint32_t value);
    void StartCounting(Channel& c);
    void ScheduleTick();

    Channel m_ch[3];
    uint64_t m_now = 0;
    uint64_t m_nextTick = 65536;
};

}  // namespace halyard::dos
