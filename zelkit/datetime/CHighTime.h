// Date-times and spans counted in 100-nanosecond ticks.
//
// CHighTime is a calendar date-time: tick 0 is 1601-01-01 00:00:00 of the
// proleptic Gregorian calendar (the platform's file time). CHighTimeSpan is
// a signed duration in the same ticks. Both are plain values: a status and
// a signed 64-bit tick count, copied freely.
//
// Every tick count that is turned into parts (year, month, ...) goes
// through one process-wide conversion cache: timetables convert the same
// few slot times over and over. The cache has no lock; like the rest of the
// library's process-wide state it belongs to the user-interface thread, and
// no other thread may convert times while it runs.
//
// Text forms do not depend on the machine's locale or C library: Format
// understands the strftime codes (with the "#" flag that drops leading
// zeros) and the library's own sub-second codes, always with English names.
#pragma once

#include "framework/PlatformTime.h"
#include "framework/Types.h"

#include <cstdint>
#include <string>

class CArchive;
class CHighTimeSpan;

class CHighTime {
public:
    enum HighTimeStatus : std::int32_t { valid = 0, invalid = 1, null = 2 };

    // The broken-down form of a tick count.
    struct _HighTimeFormat {
        std::int32_t iYear;
        std::int32_t iMonth;       // 1-12
        std::int32_t iDay;         // 1-31
        std::int32_t iHour;        // 0-23
        std::int32_t iMinute;      // 0-59
        std::int32_t iSecond;      // 0-59
        std::int32_t iMilliSecond; // 0-999
        std::int32_t iMicroSecond; // 0-999
        std::int32_t iNanoSecond;  // 0-900, in steps of 100
        std::int32_t iDayOfYear;   // 1-366
        std::int32_t iDayOfWeek;   // 1-7, Sunday 1
    };

    // Years the parts form accepts.
    static constexpr std::int32_t iMinYear = -29000;
    static constexpr std::int32_t iMaxYear = 29000;

    CHighTime() = default;
    explicit CHighTime(std::int64_t ll_ticks) : llTime(ll_ticks) {}
    CHighTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour = 0,
              std::int32_t i_minute = 0, std::int32_t i_second = 0, std::int32_t i_milli = 0,
              std::int32_t i_micro = 0, std::int32_t i_nano = 0);
    explicit CHighTime(const COleDateTime& o_date) { *this = o_date; }
    explicit CHighTime(const SYSTEMTIME& o_time) { *this = o_time; }
    explicit CHighTime(const FILETIME& o_time) { *this = o_time; }
    explicit CHighTime(CalendarTime o_time) { *this = o_time; }

    CHighTime& operator=(const COleDateTime& o_date);
    CHighTime& operator=(const SYSTEMTIME& o_time);
    CHighTime& operator=(const FILETIME& o_time);
    CHighTime& operator=(CalendarTime o_time);

    // Sets the value from parts; non-zero when the result is valid.
    BOOL SetDateTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                     std::int32_t i_minute, std::int32_t i_second, std::int32_t i_milli = 0,
                     std::int32_t i_micro = 0, std::int32_t i_nano = 0);
    // The date at 00:00.
    BOOL SetDate(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day);
    // The time of day on 1601-01-01.
    BOOL SetTime(std::int32_t i_hour, std::int32_t i_minute, std::int32_t i_second);
    // The fraction of a second on 1601-01-01 00:00:00.
    BOOL SetFracTime(std::int32_t i_milli, std::int32_t i_micro, std::int32_t i_nano);

    HighTimeStatus GetStatus() const { return eStatus; }
    void SetStatus(HighTimeStatus e_status) { eStatus = e_status; }

    explicit operator std::int64_t() const { return llTime; }
    explicit operator LARGE_INTEGER() const { return LARGE_INTEGER{llTime}; }
    // The file time is the tick count itself.
    explicit operator FILETIME() const;
    // An invalid or null time gives a zero record.
    explicit operator SYSTEMTIME() const;
    explicit operator COleDateTime() const { return GetCOleDateTime(false); }
    // Year to second, one second later when rounding and the milliseconds
    // are 500 or more; a time that is not valid gives a zero value.
    COleDateTime GetCOleDateTime(bool b_round = false) const;

    // A field of the broken-down form, or -1 when the time is not valid.
    std::int32_t GetYear() const;
    std::int32_t GetMonth() const;
    std::int32_t GetDay() const;
    std::int32_t GetHour() const;
    std::int32_t GetMinute() const;
    std::int32_t GetSecond() const;
    std::int32_t GetMilliSecond() const;
    std::int32_t GetMicroSecond() const;
    std::int32_t GetNanoSecond() const;
    std::int32_t GetDayOfWeek() const; // 1-7, Sunday 1
    std::int32_t GetDayOfYear() const; // 1-366

    // Fills the record (day of the week 0-6, Sunday 0) and returns non-zero;
    // returns 0 and leaves it as it was when the time is not valid or its
    // year cannot be held.
    BOOL GetAsSystemTime(SYSTEMTIME& o_time) const;

    // The local wall-clock time, with milliseconds.
    static CHighTime GetPresentTime();

    bool operator==(const CHighTime& o_other) const
    {
        return eStatus == o_other.eStatus && llTime == o_other.llTime;
    }
    bool operator!=(const CHighTime& o_other) const { return !(*this == o_other); }
    // Orderings compare the ticks only.
    bool operator<(const CHighTime& o_other) const { return llTime < o_other.llTime; }
    bool operator<=(const CHighTime& o_other) const { return llTime <= o_other.llTime; }
    bool operator>(const CHighTime& o_other) const { return llTime > o_other.llTime; }
    bool operator>=(const CHighTime& o_other) const { return llTime >= o_other.llTime; }

    CHighTime operator+(const CHighTimeSpan& o_span) const;
    CHighTime operator-(const CHighTimeSpan& o_span) const;
    CHighTimeSpan operator-(const CHighTime& o_other) const;
    CHighTime& operator+=(const CHighTimeSpan& o_span);
    CHighTime& operator-=(const CHighTimeSpan& o_span);

    // Text by a strftime-style format with the library's own codes "%s",
    // "%#s" (milliseconds), "%u", "%#u" (microseconds), "%n", "%#n"
    // (nanoseconds). Null gives an empty text, invalid the invalid text.
    std::string Format(const char* p_format) const;
    // The format is loaded from the string table.
    std::string Format(UINT u_formatId) const;
    // Plain strftime codes into a caller's buffer; null when the buffer or
    // the value is null or the buffer has no room at all. A text that does
    // not fit leaves the buffer empty; the invalid text is cut to fit.
    char* Format(char* p_buffer, int i_size, const char* p_format) const;

    // Counters of the conversion cache: conversions asked for, those the
    // cache answered, and the cache's entries.
    static void GetLLTStat(std::int64_t& o_calls, std::int64_t& o_hits, std::int64_t& o_entries);

    // Parts to ticks; false (and the ticks untouched) when the year or
    // month is out of range or the result cannot be held in 64 bits.
    static bool ConvertTimeToLongLong(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day,
                                      std::int32_t i_hour, std::int32_t i_minute, std::int32_t i_second,
                                      std::int32_t i_milli, std::int32_t i_micro, std::int32_t i_nano,
                                      std::int64_t& o_ticks);
    // Ticks to parts through the conversion cache. Every 64-bit count has
    // parts (its year may lie beyond the years the parts form accepts), so
    // the answer is always true.
    static bool ConvertLongLongToTime(std::int64_t ll_ticks, _HighTimeFormat& o_parts);
    // The same arithmetic without the cache.
    static bool ComputeLongLongToTime(std::int64_t ll_ticks, _HighTimeFormat& o_parts);

protected:
    HighTimeStatus eStatus = valid;
    std::int64_t llTime = 0;

    friend class CHighTimeSpan;
    friend CArchive& operator<<(CArchive& ar, const CHighTime& o_time);
    friend CArchive& operator>>(CArchive& ar, CHighTime& o_time);

private:
    // The broken-down form of a valid time; false when it has none.
    bool GetParts(_HighTimeFormat& o_parts) const;
    std::int32_t GetField(std::int32_t _HighTimeFormat::*p_field) const;
};

class CHighTimeSpan {
public:
    CHighTimeSpan() = default;
    explicit CHighTimeSpan(std::int64_t ll_ticks) : llSpan(ll_ticks) {}
    CHighTimeSpan(std::int64_t ll_days, std::int32_t i_hours, std::int32_t i_minutes = 0,
                  std::int32_t i_seconds = 0, std::int32_t i_milli = 0, std::int32_t i_micro = 0,
                  std::int32_t i_nano = 0)
    {
        SetHighTimeSpan(ll_days, i_hours, i_minutes, i_seconds, i_milli, i_micro, i_nano);
    }
    explicit CHighTimeSpan(const COleDateTimeSpan& o_span);

    // The exact sum of the parts, nanoseconds rounded half away from zero
    // to 100 ns. Valid, or invalid when the sum cannot be held in 64 bits.
    void SetHighTimeSpan(std::int64_t ll_days, std::int32_t i_hours, std::int32_t i_minutes,
                         std::int32_t i_seconds, std::int32_t i_milli = 0, std::int32_t i_micro = 0,
                         std::int32_t i_nano = 0);

    CHighTime::HighTimeStatus GetStatus() const { return eStatus; }
    void SetStatus(CHighTime::HighTimeStatus e_status) { eStatus = e_status; }

    explicit operator std::int64_t() const { return llSpan; }
    explicit operator LARGE_INTEGER() const { return LARGE_INTEGER{llSpan}; }
    explicit operator COleDateTimeSpan() const { return GetCOleDateTimeSpan(false); }
    // Days, hours, minutes and seconds; one second more when rounding and
    // the milliseconds, plus 500, reach 1000.
    COleDateTimeSpan GetCOleDateTimeSpan(bool b_round = false) const;

    // Totals: truncating quotients of the ticks.
    std::int64_t GetTotalDays() const { return llSpan / llTicksPerDay; }
    std::int64_t GetTotalHours() const { return llSpan / llTicksPerHour; }
    std::int64_t GetTotalMinutes() const { return llSpan / llTicksPerMinute; }
    std::int64_t GetTotalSeconds() const { return llSpan / llTicksPerSecond; }
    std::int64_t GetTotalMilliSeconds() const { return llSpan / 10000; }
    std::int64_t GetTotalMicroSeconds() const { return llSpan / 10; }
    // Ticks times 100, held at the 64-bit limits for spans beyond them.
    std::int64_t GetTotalNanoSeconds() const;

    // Parts: truncating, so a negative span has negative parts.
    std::int64_t GetDays() const { return llSpan / llTicksPerDay; }
    std::int32_t GetHours() const { return static_cast<std::int32_t>(llSpan / llTicksPerHour % 24); }
    std::int32_t GetMinutes() const { return static_cast<std::int32_t>(llSpan / llTicksPerMinute % 60); }
    std::int32_t GetSeconds() const { return static_cast<std::int32_t>(llSpan / llTicksPerSecond % 60); }
    std::int32_t GetMilliSeconds() const { return static_cast<std::int32_t>(llSpan / 10000 % 1000); }
    std::int32_t GetMicroSeconds() const { return static_cast<std::int32_t>(llSpan / 10 % 1000); }
    std::int32_t GetNanoSeconds() const { return static_cast<std::int32_t>(llSpan % 10 * 100); }

    bool IsNegative() const { return llSpan < 0; }
    bool IsPositive() const { return llSpan > 0; }
    bool IsZero() const { return llSpan == 0; }

    bool operator==(const CHighTimeSpan& o_other) const
    {
        return eStatus == o_other.eStatus && llSpan == o_other.llSpan;
    }
    bool operator!=(const CHighTimeSpan& o_other) const { return !(*this == o_other); }
    bool operator<(const CHighTimeSpan& o_other) const { return llSpan < o_other.llSpan; }
    bool operator<=(const CHighTimeSpan& o_other) const { return llSpan <= o_other.llSpan; }
    bool operator>(const CHighTimeSpan& o_other) const { return llSpan > o_other.llSpan; }
    bool operator>=(const CHighTimeSpan& o_other) const { return llSpan >= o_other.llSpan; }

    CHighTimeSpan operator+(const CHighTimeSpan& o_other) const;
    CHighTimeSpan operator-(const CHighTimeSpan& o_other) const;
    CHighTimeSpan& operator+=(const CHighTimeSpan& o_other) { return *this = *this + o_other; }
    CHighTimeSpan& operator-=(const CHighTimeSpan& o_other) { return *this = *this - o_other; }
    // Valid, with the ticks negated (invalid for the one count that has
    // no negation).
    CHighTimeSpan operator-() const;
    // Status kept; a product beyond 64 bits, or a division by 0, is invalid.
    CHighTimeSpan operator*(std::int32_t i_factor) const;
    CHighTimeSpan operator/(std::int32_t i_divisor) const;
    CHighTimeSpan& operator*=(std::int32_t i_factor) { return *this = *this * i_factor; }
    CHighTimeSpan& operator/=(std::int32_t i_divisor) { return *this = *this / i_divisor; }

    // As for times; the span is shown as if its ticks were a time, so "%H",
    // "%M" and "%S" give its hours, minutes and seconds of the day, and
    // "%D", "%#D" give its whole days. A negative span is shown as its
    // length with a "-" in front.
    std::string Format(const char* p_format) const;
    std::string Format(UINT u_formatId) const;
    char* Format(char* p_buffer, int i_size, const char* p_format) const;

    static constexpr std::int64_t llTicksPerSecond = 10000000;
    static constexpr std::int64_t llTicksPerMinute = 60 * llTicksPerSecond;
    static constexpr std::int64_t llTicksPerHour = 60 * llTicksPerMinute;
    static constexpr std::int64_t llTicksPerDay = 24 * llTicksPerHour;

protected:
    CHighTime::HighTimeStatus eStatus = CHighTime::valid;
    std::int64_t llSpan = 0;

    friend class CHighTime;
    friend CArchive& operator<<(CArchive& ar, const CHighTimeSpan& o_span);
    friend CArchive& operator>>(CArchive& ar, CHighTimeSpan& o_span);
};

// The archive form: three 32-bit words, the status, the high and the low
// half of the ticks. Loading refuses a status that no value has.
CArchive& operator<<(CArchive& ar, const CHighTime& o_time);
CArchive& operator>>(CArchive& ar, CHighTime& o_time);
CArchive& operator<<(CArchive& ar, const CHighTimeSpan& o_span);
CArchive& operator>>(CArchive& ar, CHighTimeSpan& o_span);

// Strings of the invalid texts.
enum : std::uint32_t {
    IDS_HIGHTIME_INVALID_DATETIME = 61593,
    IDS_HIGHTIME_INVALID_DATETIMESPAN = 61594,
};
