#include "core/pc/devices/machine_clock.h"

namespace halyard::dos {
namespace {

constexpr int64_t kHundredthsPerDay = 24 * 60 * 60 * 100;

// Days since 1 March of year 0 of the proleptic Gregorian calendar, and back.
int64_t DayNumber(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

LocalTime FromDayNumber(int64_t days)
{
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    LocalTime t;
    t.day = uint8_t(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = uint8_t(mp < 10 ? mp + 3 : mp - 9);
    t.year = uint16_t(yearOfEra + era * 400 + (t.month <= 2));
    t.weekday = uint8_t(((days + 3) % 7 + 7) % 7);  // day 0 was a Wednesday
    return t;
}

int64_t Hundredths(const LocalTime& t)
{
    return DayNumber(t.year, t.month, t.day) * kHundredthsPerDay +
           ((int64_t(t.hour) * 60 + t.minute) * 60 + t.second) * 100 + t.hundredths;
}

unsigned DaysInMonth(unsigned year, unsigned month)
{
    static const uint8_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

LocalTime MachineClock::Now()
{
    const int64_t now = Hundredths(m_host.Now()) + m_offset;
    const int64_t days = now / kHundredthsPerDay, rest = now % kHundredthsPerDay;
    LocalTime t = FromDayNumber(days);
    t.hour = uint8_t(rest / 360000);
    t.minute = uint8_t(rest / 6000 % 60);
    t.second = uint8_t(rest / 100 % 60);
    t.hundredths = uint8_t(rest % 100);
    return t;
}

void MachineClock::MoveTo(const LocalTime& t)
{
    m_offset += Hundredths(t) - Hundredths(Now());
}

bool MachineClock::SetDate(unsigned year, unsigned month, unsigned day)
{
    if (year < 1980 || year > 2099 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    LocalTime t = Now();
    t.year = uint16_t(year);
    t.month = uint8_t(month);
    t.day = uint8_t(day);
    MoveTo(t);
    return true;
}

bool MachineClock::SetTime(unsigned hour, unsigned minute, unsigned second, unsigned hundredths)
{
    if (hour > 23 || minute > 59 || second > 59 || hundredths > 99)
        return false;
    LocalTime t = Now();
    t.hour = uint8_t(hour);
    t.minute = uint8_t(minute);
    t.second = uint8_t(second);
    t.hundredths = uint8_t(hundredths);
    MoveTo(t);
    return true;
}

}  // namespace halyard::dos
