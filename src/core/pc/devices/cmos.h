#pragma once
// The real-time clock and its battery-backed RAM at ports 70h (index; bit 7 masks NMI) and 71h.
// The clock registers read the machine's clock (the host's local time, as the program may have
// moved it through the BIOS or DOS) in BCD, 24-hour mode, as the BIOS sets the chip up; the status
// registers say the time is valid and never in the middle of an update. Writes to the clock
// registers themselves are ignored; the RAM keeps what is written for the run.
#include <array>
#include <cstdint>

#include "core/pc/host.h"
#include "core/pc/cpu/io_ports.h"

namespace halyard::dos {

class Cmos final : public PortDevice {
public:
    explicit Cmos(HostClock& clock) : m_clock(clock) { Reset(); }
    void Reset();

    uint8_t Read(uint8_t index);
    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;

private:
    HostClock& m_clock;
    uint8_t m_index = 0;
    std::array<uint8_t, 64> m_ram{};
};

}  // namespace halyard::dos
