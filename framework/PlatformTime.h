// The platform's date and time records, as the date-time classes and older
// event files know them: the broken-down system time, the file time (100 ns
// ticks since 1 January 1601), the 64-bit integer record, the calendar time
// of the run time (seconds since 1970), and the framework's OLE date-time
// and span (a count of days since 30 December 1899 held in an IEEE double).
//
// Only values live here: no clock, no locale. Event files of versions 1 to 6
// hold OLE date-times in the framework's archive form (a 32-bit status, then
// the 8-byte day count), so that form and the day-count arithmetic must read
// exactly what the framework wrote.
#pragma once

#include "framework/Archive.h"
#include "framework/Types.h"

#include <cmath>
#include <cstdint>

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;     // 1-12
    WORD wDayOfWeek = 0; // 0-6, Sunday 0
    WORD wDay = 0;       // 1-31
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

// 100-nanosecond ticks since 1601-01-01 00:00, split in two unsigned words.
struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

struct LARGE_INTEGER {
    std::int64_t QuadPart = 0;
    DWORD LowPart() const { return static_cast<DWORD>(static_cast<std::uint64_t>(QuadPart)); }
    LONG HighPart() const { return static_cast<LONG>(QuadPart >> 32); }
};

// A calendar time value of the run time: seconds since 1970-01-01 00:00 UTC.
// A type of its own so that it cannot be mistaken for a tick count.
struct CalendarTime {
    std::int64_t llSeconds = 0;
};

// The OLE day count: days since 1899-12-30 00:00. The whole part counts days
// (negative before the base day) and the fraction, taken without its sign,
// is the time of day: -1.25 is 1899-12-29 06:00.
using DATE = double;

namespace OleDate {
// The framework accepts dates from 1 January 100 to 31 December 9999.
inline constexpr double dMinDate = -657434.0;
inline constexpr double dMaxDate = 2958465.99999999;

// Days from 1899-12-30 to the given proleptic Gregorian date; valid for
// any month 1-12 and any day (days beyond the month carry on).
inline std::int64_t DaysFromCivil(std::int64_t ll_year, std::int32_t i_month, std::int64_t ll_day)
{
    // Count from 1 March of a year 0 so that the leap day ends the year.
    const std::int64_t ll_y = ll_year - (i_month <= 2 ? 1 : 0);
    const std::int64_t ll_era = (ll_y >= 0 ? ll_y : ll_y - 399) / 400;
    const std::int64_t ll_yoe = ll_y - ll_era * 400;
    const std::int64_t ll_mp = (i_month + 9) % 12;
    const std::int64_t ll_doy = (153 * ll_mp + 2) / 5 + ll_day - 1;
    const std::int64_t ll_doe = ll_yoe * 365 + ll_yoe / 4 - ll_yoe / 100 + ll_doy;
    // 693899 is the count of 1899-12-30 from 0000-03-01.
    return ll_era * 146097 + ll_doe - 693899;
}

struct Parts {
    std::int32_t iYear = 0, iMonth = 0, iDay = 0, iHour = 0, iMinute = 0, iSecond = 0;
    std::int32_t iDayOfWeek = 0; // 1-7, Sunday 1
};

// Splits a day count into parts, rounded to the nearest second. False when
// the count is not a number or outside the framework's range.
inline bool ToParts(DATE d_date, Parts& o_parts)
{
    if (!std::isfinite(d_date) || d_date < dMinDate || d_date > dMaxDate)
        return false;
    double d_whole = std::trunc(d_date);
    std::int64_t ll_days = static_cast<std::int64_t>(d_whole);
    std::int64_t ll_secs = std::llround(std::fabs(d_date - d_whole) * 86400.0);
    if (ll_secs >= 86400) { // rounded up to the next midnight
        ++ll_days;
        ll_secs -= 86400;
    }
    // Civil date of ll_days from 1899-12-30 (0000-03-01 based count).
    const std::int64_t ll_z = ll_days + 693899;
    const std::int64_t ll_era = (ll_z >= 0 ? ll_z : ll_z - 146096) / 146097;
    const std::int64_t ll_doe = ll_z - ll_era * 146097;
    const std::int64_t ll_yoe = (ll_doe - ll_doe / 1460 + ll_doe / 36524 - ll_doe / 146096) / 365;
    const std::int64_t ll_doy = ll_doe - (365 * ll_yoe + ll_yoe / 4 - ll_yoe / 100);
    const std::int64_t ll_mp = (5 * ll_doy + 2) / 153;
    const std::int64_t ll_d = ll_doy - (153 * ll_mp + 2) / 5 + 1;
    const std::int64_t ll_m = ll_mp < 10 ? ll_mp + 3 : ll_mp - 9;
    const std::int64_t ll_y = ll_yoe + ll_era * 400 + (ll_m <= 2 ? 1 : 0);
    o_parts.iYear = static_cast<std::int32_t>(ll_y);
    o_parts.iMonth = static_cast<std::int32_t>(ll_m);
    o_parts.iDay = static_cast<std::int32_t>(ll_d);
    o_parts.iHour = static_cast<std::int32_t>(ll_secs / 3600);
    o_parts.iMinute = static_cast<std::int32_t>(ll_secs / 60 % 60);
    o_parts.iSecond = static_cast<std::int32_t>(ll_secs % 60);
    // 1899-12-30 was a Saturday.
    o_parts.iDayOfWeek = static_cast<std::int32_t>(((ll_days + 6) % 7 + 7) % 7 + 1);
    return true;
}

// The day count of a date and time; false when a part is out of range (the
// framework checks every part, unlike the high-resolution time, which
// lets them carry).
inline bool FromParts(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                      std::int32_t i_minute, std::int32_t i_second, DATE& o_date)
{
    static const std::int32_t a_monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (i_year < 100 || i_year > 9999 || i_month < 1 || i_month > 12)
        return false;
    const bool b_leap = (i_year % 4 == 0 && i_year % 100 != 0) || i_year % 400 == 0;
    const std::int32_t i_last = a_monthDays[i_month - 1] + (i_month == 2 && b_leap ? 1 : 0);
    if (i_day < 1 || i_day > i_last || i_hour < 0 || i_hour > 23 || i_minute < 0 || i_minute > 59 ||
        i_second < 0 || i_second > 59)
        return false;
    const double d_days = static_cast<double>(DaysFromCivil(i_year, i_month, i_day));
    const double d_time = (i_hour * 3600 + i_minute * 60 + i_second) / 86400.0;
    o_date = d_days >= 0 ? d_days + d_time : d_days - d_time;
    return true;
}
} // namespace OleDate

// The framework's date-time value: a status and an OLE day count.
class COleDateTime {
public:
    enum DateTimeStatus : std::int32_t { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(DATE d_date) : m_dt(d_date), m_status(valid) {}
    COleDateTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                 std::int32_t i_minute, std::int32_t i_second)
    {
        SetDateTime(i_year, i_month, i_day, i_hour, i_minute, i_second);
    }

    // 0 when the parts make a valid date-time; the status says the same.
    std::int32_t SetDateTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                             std::int32_t i_minute, std::int32_t i_second)
    {
        DATE d_date = 0;
        if (OleDate::FromParts(i_year, i_month, i_day, i_hour, i_minute, i_second, d_date)) {
            m_dt = d_date;
            m_status = valid;
        } else {
            m_dt = 0;
            m_status = invalid;
        }
        return m_status == valid ? 0 : 1;
    }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus e_status) { m_status = e_status; }

    // The parts; false when the value is not valid or its count is out of range.
    bool GetParts(OleDate::Parts& o_parts) const { return m_status == valid && OleDate::ToParts(m_dt, o_parts); }

    std::int32_t GetYear() const { return Part(&OleDate::Parts::iYear); }
    std::int32_t GetMonth() const { return Part(&OleDate::Parts::iMonth); }
    std::int32_t GetDay() const { return Part(&OleDate::Parts::iDay); }
    std::int32_t GetHour() const { return Part(&OleDate::Parts::iHour); }
    std::int32_t GetMinute() const { return Part(&OleDate::Parts::iMinute); }
    std::int32_t GetSecond() const { return Part(&OleDate::Parts::iSecond); }
    std::int32_t GetDayOfWeek() const { return Part(&OleDate::Parts::iDayOfWeek); }

    bool operator==(const COleDateTime& o_other) const
    {
        return m_status == o_other.m_status && m_dt == o_other.m_dt;
    }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;

private:
    std::int32_t Part(std::int32_t OleDate::Parts::*p_field) const
    {
        OleDate::Parts o_parts;
        return GetParts(o_parts) ? o_parts.*p_field : -1;
    }
};

// The framework's span: a status and a signed count of days.
class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus : std::int32_t { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double d_span) : m_span(d_span), m_status(valid) {}
    COleDateTimeSpan(std::int32_t l_days, std::int32_t i_hours, std::int32_t i_minutes, std::int32_t i_seconds)
    {
        SetDateTimeSpan(l_days, i_hours, i_minutes, i_seconds);
    }

    void SetDateTimeSpan(std::int32_t l_days, std::int32_t i_hours, std::int32_t i_minutes, std::int32_t i_seconds)
    {
        m_span = l_days + i_hours / 24.0 + i_minutes / 1440.0 + i_seconds / 86400.0;
        m_status = valid;
    }

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus e_status) { m_status = e_status; }

    // The span in whole seconds, rounded; false when not valid or too large
    // for a 64-bit count.
    bool GetTotalSecondsRounded(std::int64_t& o_seconds) const
    {
        const double d_seconds = m_span * 86400.0;
        if (m_status != valid || !std::isfinite(d_seconds) || std::fabs(d_seconds) >= 9.2e18)
            return false;
        o_seconds = std::llround(d_seconds);
        return true;
    }
    // Whole days, and hours, minutes and seconds within the day; each takes
    // the sign of the span.
    std::int64_t GetDays() const { return Part(86400 * 1LL, 0); }
    std::int64_t GetHours() const { return Part(3600, 24); }
    std::int64_t GetMinutes() const { return Part(60, 60); }
    std::int64_t GetSeconds() const { return Part(1, 60); }

    DATE m_span = 0;
    DateTimeSpanStatus m_status = valid;

private:
    std::int64_t Part(std::int64_t ll_unit, std::int64_t ll_modulo) const
    {
        std::int64_t ll_seconds = 0;
        if (!GetTotalSecondsRounded(ll_seconds))
            return 0;
        const std::int64_t ll_value = ll_seconds / ll_unit;
        return ll_modulo ? ll_value % ll_modulo : ll_value;
    }
};

// The framework's archive form of its date-time: a 32-bit status, then the
// day count as a little-endian IEEE double. A status the framework never
// writes means the data is damaged.
inline CArchive& operator<<(CArchive& ar, const COleDateTime& o_date)
{
    return ar << static_cast<std::int32_t>(o_date.m_status) << o_date.m_dt;
}

inline CArchive& operator>>(CArchive& ar, COleDateTime& o_date)
{
    std::int32_t i_status = 0;
    double d_date = 0;
    ar >> i_status >> d_date;
    if (i_status < COleDateTime::valid || i_status > COleDateTime::null)
        CArchive::ThrowBadSchema("unknown date-time status");
    o_date.m_status = static_cast<COleDateTime::DateTimeStatus>(i_status);
    o_date.m_dt = d_date;
    return ar;
}

// A variant holding a date (the only kind the date-time classes take).
inline constexpr WORD VT_EMPTY = 0;
inline constexpr WORD VT_DATE = 7;
struct VARIANT {
    WORD vt = VT_EMPTY;
    DATE date = 0;
};
