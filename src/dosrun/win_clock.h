#pragma once
// The machine's clock: the host's local time.
#include <windows.h>

#include "core/pc/host.h"

namespace halyard::dosrun {

class WinClock final : public dos::HostClock {
public:
    dos::LocalTime Now() override
    {
        SYSTEMTIME t;
        GetLocalTime(&t);
        dos::LocalTime local;
        local.year = t.wYear;
        local.month = uint8_t(t.wMonth);
        local.day = uint8_t(t.wDay);
        local.weekday = uint8_t(t.wDayOfWeek);
        local.hour = uint8_t(t.wHour);
        local.minute = uint8_t(t.wMinute);
        local.second = uint8_t(t.wSecond);
        local.hundredths = uint8_t(t.wMilliseconds / 10);
        return local;
    }

    uint64_t Microseconds() override
    {
        LARGE_INTEGER count, frequency;
        QueryPerformanceCounter(&count);
        QueryPerformanceFrequency(&frequency);
        return uint64_t(count.QuadPart / frequency.QuadPart * 1000000 +
                        count.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart);
    }
};

}  // namespace halyard::dosrun
