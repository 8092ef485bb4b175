#pragma once
// The machine's own date and time: the host's, moved by what programs set (INT 21h 2Bh and 2Dh).
// Setting it never touches the host's clock; the steady count the devices keep time by is the
// host's unchanged, so setting the date does not make the timer jump.
#include <cstdint>

#include "core/pc/host.h"

namespace halyard::dos {

class MachineClock final : public HostClock {
public:
    explicit MachineClock(HostClock& host) : m_host(host) {}

    LocalTime Now() override;
    uint64_t Microseconds() override { return m_host.Microseconds(); }
    void Reset() { m_offset = 0; }
    // False, changing nothing, for a date outside 1980-2099 or a day its month does not have.
    bool SetDate(unsigned year, unsigned month, unsigned day);
    // False, changing nothing, for an hour, minute, second or hundredth out of range.
    bool SetTime(unsigned hour, unsigned minute, unsigned second, unsigned hundredths);

private:
    // From now on the clock reads `t` (a date and time in the host's calendar).
    void MoveTo(const LocalTime& t);

    HostClock& m_host;
    int64_t m_offset = 0;  // hundredths of a second ahead of the host
};

}  // namespace halyard::dos
