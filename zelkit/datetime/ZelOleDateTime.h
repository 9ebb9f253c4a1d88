// The date and duration values the rest of the system handles: CHighTime
// and CHighTimeSpan with what calendars and timeslot lists need on top:
// date-only and time-only assignment, fixed-layout text forms and their
// parsers, a forgiving time parser, day and month names, compact duration
// text ("1h30m") and three-way comparisons for sorting.
//
// Neither class adds a field, so both archive as their base does.
//
// The day and month name tables are process-wide and start with English
// names. The first date constructed replaces them, once, with the names of
// the user's locale (LC_TIME) where the locale has one that code page 1252
// can hold. Like the conversion cache, the tables have no lock and belong
// to the user-interface thread.
#pragma once

#include "zelkit/datetime/CHighTime.h"

#include <cstdint>
#include <functional>
#include <string>

class ZelOleDateTime : public CHighTime {
public:
    // A null value.
    ZelOleDateTime();
    // A variant that does not hold a date gives an invalid value.
    explicit ZelOleDateTime(const VARIANT& o_variant);
    explicit ZelOleDateTime(CalendarTime o_time);
    explicit ZelOleDateTime(const SYSTEMTIME& o_time);
    explicit ZelOleDateTime(const FILETIME& o_time);
    explicit ZelOleDateTime(const COleDateTime& o_date);
    ZelOleDateTime(const CHighTime& o_time);
    ZelOleDateTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour = 0,
                   std::int32_t i_minute = 0, std::int32_t i_second = 0);

    ZelOleDateTime& operator=(const CHighTime& o_time);
    ZelOleDateTime& operator=(CalendarTime o_time);

    bool IsValid() const { return GetStatus() == valid; }
    bool IsNull() const { return GetStatus() == null; }
    void SetInvalid() { SetStatus(invalid); }
    void SetNull() { SetStatus(null); }
    // The present local time.
    void SetToCurrentTime();

    // Both valid and on the same day, in the same month, at the same second
    // of the day.
    bool IsSameDate(const ZelOleDateTime& o_other) const;
    bool IsSameMonth(const ZelOleDateTime& o_other) const;
    bool IsSameTime(const ZelOleDateTime& o_other) const;

    // Take the date (or the time of day) from the argument. An invalid
    // value stays as it is and returns its status; an argument that is not
    // valid returns its status and changes nothing; a null value takes the
    // date at 00:00 (the time on 1601-01-01); a valid value keeps its time
    // of day to the second (its date). Returns 0 when the result is valid.
    std::int32_t SetDateOnly(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day);
    std::int32_t SetDateOnly(const ZelOleDateTime& o_date);
    std::int32_t SetTimeOnly(std::int32_t i_hour, std::int32_t i_minute, std::int32_t i_second);
    std::int32_t SetTimeOnly(const ZelOleDateTime& o_time);

    // The same day at 00:00, and the time of day on 2000-01-01; a value that
    // is not valid comes back unchanged.
    ZelOleDateTime GetDate() const;
    ZelOleDateTime GetTime() const;

    // Fixed-layout texts; a separator of 0 puts the fields together.
    std::string FormatHHMM(char c_sep = ':') const;
    // "%#I" sep "%M" gap "%p", then all lower case (or all upper case).
    std::string FormatAMPM(BOOL b_lower, char c_gap = 0, char c_sep = ':') const;
    std::string FormatDDDYY(char c_sep = 0) const;
    std::string FormatDDMMYY(char c_sep = 0) const;
    std::string FormatDDMMYYYY(char c_sep = 0) const;

    // Fixed-layout parsers: every sep character is removed first, then
    // two-digit fields are read by position. Times are set on 1601-01-01;
    // a two-digit year below 90 is 20xx, else 19xx. Non-zero when the
    // result is valid.
    BOOL SetHHMM(const char* p_text, char c_sep = 0);
    BOOL SetHHMMSS(const char* p_text, char c_sep = 0);
    BOOL SetDDMMYY(const char* p_text);
    BOOL SetDDDYY(const char* p_text);
    BOOL SetDDMMYYYY(const char* p_text);

    // Reads a time of day as people type it: "9:30pm", "930pm", "21.30",
    // "2130", "12am". Non-zero when it is a time; otherwise the value is
    // left as it was.
    BOOL SetTimeFromString(const char* p_text);

    // The name from the tables; empty when the value is not valid.
    std::string GetDayName(bool b_abbreviated = false) const;
    std::string GetMonthName(bool b_abbreviated = false) const;

    // The calendar days of the range from this value to the last one,
    // both counted; 0 when either is not valid.
    std::int32_t GetNumCalendarDays(const ZelOleDateTime& o_last) const;
    static std::int32_t GetNumCalendarDays(const ZelOleDateTime& o_first, const ZelOleDateTime& o_last);
    // That count from 1 January of the value's year to the value.
    std::int32_t GetYearDays() const;
    // The days of the value's month; 0 when the value is not valid.
    std::int32_t GetNumMonthDays() const;

    // The value as a calendar time of the run time (local time); 0 when it
    // is not valid or has no such form.
    CalendarTime GetAsCalendarTime() const;

    // Three-way comparison for sorting: two valid values by their ticks,
    // two values of the same other status equal, else invalid < null <
    // valid.
    static int Compare(const ZelOleDateTime& o_a, const ZelOleDateTime& o_b);
    static int Compare(const void* p_a, const void* p_b);

    // The name tables, Sunday and January first.
    static constexpr int nDayNames = 7;
    static constexpr int nMonthNames = 12;
    static constexpr int nMaxNameLength = 128;
    static char DayNames[nDayNames][nMaxNameLength + 1];
    static char AbbrevDayNames[nDayNames][nMaxNameLength + 1];
    static char MonthNames[nMonthNames][nMaxNameLength + 1];
    static char AbbrevMonthNames[nMonthNames][nMaxNameLength + 1];

    enum NameTable { ntDayNames, ntAbbrevDayNames, ntMonthNames, ntAbbrevMonthNames };
    // A source of names: the name at an index (Sunday or January 0) in code
    // page 1252, or an empty text for "keep the one there is".
    using NameSource = std::function<std::string(NameTable e_table, int i_index)>;

    // Fills the tables from the user's locale, once per process.
    static void Init();
    // Replaces every name for which the source has one (cut to 128
    // characters); Init will not run after it.
    static void InstallNames(const NameSource& f_source);
    // The English names again.
    static void ResetNames();
    // The names of the user's locale (LC_TIME), where code page 1252 can
    // hold them.
    static std::string LocaleName(NameTable e_table, int i_index);
};

class ZelOleDateTimeSpan : public CHighTimeSpan {
public:
    struct SplitTimeSpan {
        std::int64_t lDays = 0;
        std::int32_t lHours = 0;
        std::int32_t lMinutes = 0;
        std::int32_t lSeconds = 0;
        std::int64_t lTotalDays = 0;
        std::int64_t lTotalHours = 0;
        std::int64_t lTotalMinutes = 0;
        std::int64_t lTotalSeconds = 0;
    };

    // The largest unit GetAsText may use.
    enum FormatUnits { fuAll = 0, fuSeconds = 1, fuMinutes = 2, fuHours = 3, fuDays = 4, fuWeeks = 5 };

    // A valid zero span.
    ZelOleDateTimeSpan() = default;
    ZelOleDateTimeSpan(std::int32_t l_days, std::int32_t i_hours, std::int32_t i_minutes, std::int32_t i_seconds)
    {
        SetDateTimeSpan(l_days, i_hours, i_minutes, i_seconds);
    }
    ZelOleDateTimeSpan(const CHighTimeSpan& o_span) : CHighTimeSpan(o_span) {}

    void SetDateTimeSpan(std::int32_t l_days, std::int32_t i_hours, std::int32_t i_minutes, std::int32_t i_seconds)
    {
        SetHighTimeSpan(l_days, i_hours, i_minutes, i_seconds);
    }

    bool IsValid() const { return GetStatus() == CHighTime::valid; }
    bool IsNull() const { return GetStatus() == CHighTime::null; }

    // Fills the parts (and the totals when asked); 0 when not valid.
    BOOL GetAsSplitTimeSpan(SplitTimeSpan& o_split, bool b_totals = false) const;

    // Compact text: "1h30m", "1w0d3h", "0s".
    std::string GetAsText(FormatUnits e_units = fuAll) const { return GetAsText(GetTotalSeconds(), e_units); }
    static std::string GetAsText(std::int64_t ll_seconds, FormatUnits e_units = fuAll);
    // Reads that text back ("-1d2h"); non-zero on success, otherwise the
    // value is left as it was.
    BOOL SetFromText(const char* p_text);

    static int Compare(const ZelOleDateTimeSpan& o_a, const ZelOleDateTimeSpan& o_b);
    static int Compare(const void* p_a, const void* p_b);
};
