#include "zelkit/datetime/ZelOleDateTime.h"

#include "framework/Encoding.h"
#include "zelkit/datetime/ZelEnglishDateNames.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <langinfo.h>
#include <limits>
#include <locale.h>

namespace {

bool bNamesInitialised = false;

void SetName(char* p_entry, const std::string& s_name)
{
    const std::size_t n_length = std::min<std::size_t>(s_name.size(), ZelOleDateTime::nMaxNameLength);
    std::memcpy(p_entry, s_name.data(), n_length);
    p_entry[n_length] = '\0';
}

// The text of a fixed-layout field: at most n_count characters from
// n_first, fewer (or none) where the text is shorter.
std::string Field(const std::string& s_text, std::size_t n_first, std::size_t n_count)
{
    return n_first < s_text.size() ? s_text.substr(n_first, n_count) : std::string();
}

std::int32_t FieldValue(const std::string& s_text, std::size_t n_first, std::size_t n_count)
{
    return std::atoi(Field(s_text, n_first, n_count).c_str());
}

std::string Without(const char* p_text, char c_drop)
{
    std::string s_text = p_text ? p_text : "";
    if (c_drop != '\0')
        std::erase(s_text, c_drop);
    return s_text;
}

std::int32_t CenturyYear(std::int32_t i_year) { return i_year < 90 ? 2000 + i_year : 1900 + i_year; }

// A separator for a format: "%" must be doubled to stand for itself.
std::string FormatSeparator(char c_sep)
{
    if (c_sep == '\0')
        return {};
    if (c_sep == '%')
        return "%%";
    return std::string(1, c_sep);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number at the start of a text, read as atoi reads it (leading white
// space, a sign, digits), but held at a value no clock shows where the
// digits run on, so that a long run can neither overflow nor wrap round
// into an hour or minute.
std::int32_t LeadingNumber(const std::string& s_text)
{
    constexpr std::int32_t iBeyond = 1000000;
    std::size_t n = 0;
    while (n < s_text.size() && ZelStringArray::isspace(s_text[n]))
        ++n;
    bool b_negative = false;
    if (n < s_text.size() && (s_text[n] == '-' || s_text[n] == '+'))
        b_negative = s_text[n++] == '-';
    std::int32_t i_value = 0;
    for (; n < s_text.size() && IsDigit(s_text[n]); ++n)
        i_value = std::min(i_value * 10 + (s_text[n] - '0'), iBeyond);
    return b_negative ? -i_value : i_value;
}

} // namespace

// The tables start as the English names (written out so that they hold
// them before any code of the library runs).
char ZelOleDateTime::DayNames[nDayNames][nMaxNameLength + 1] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                                 "Thursday", "Friday", "Saturday"};
char ZelOleDateTime::AbbrevDayNames[nDayNames][nMaxNameLength + 1] = {"Sun", "Mon", "Tue", "Wed",
                                                                       "Thu", "Fri", "Sat"};
char ZelOleDateTime::MonthNames[nMonthNames][nMaxNameLength + 1] = {
    "January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
    "December"};
char ZelOleDateTime::AbbrevMonthNames[nMonthNames][nMaxNameLength + 1] = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// ---------------------------------------------------------------------------
// Name tables

void ZelOleDateTime::Init()
{
    if (bNamesInitialised)
        return;
    InstallNames(&LocaleName);
}

void ZelOleDateTime::InstallNames(const NameSource& f_source)
{
    bNamesInitialised = true;
    for (int i = 0; i < nDayNames; ++i) {
        const std::string s_long = f_source(ntDayNames, i);
        if (!s_long.empty())
            SetName(DayNames[i], s_long);
        const std::string s_short = f_source(ntAbbrevDayNames, i);
        if (!s_short.empty())
            SetName(AbbrevDayNames[i], s_short);
    }
    for (int i = 0; i < nMonthNames; ++i) {
        const std::string s_long = f_source(ntMonthNames, i);
        if (!s_long.empty())
            SetName(MonthNames[i], s_long);
        const std::string s_short = f_source(ntAbbrevMonthNames, i);
        if (!s_short.empty())
            SetName(AbbrevMonthNames[i], s_short);
    }
}

void ZelOleDateTime::ResetNames()
{
    InstallNames([](NameTable e_table, int i_index) -> std::string {
        switch (e_table) {
        case ntDayNames: return ZelEnglishDateNames::aDays[i_index];
        case ntAbbrevDayNames: return ZelEnglishDateNames::aAbbrevDays[i_index];
        case ntMonthNames: return ZelEnglishDateNames::aMonths[i_index];
        case ntAbbrevMonthNames: return ZelEnglishDateNames::aAbbrevMonths[i_index];
        }
        return {};
    });
}

std::string ZelOleDateTime::LocaleName(NameTable e_table, int i_index)
{
    // The user's locale for dates, without touching the process's own.
    const locale_t o_locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (o_locale == static_cast<locale_t>(nullptr))
        return {};
    nl_item i_item = 0;
    switch (e_table) {
    case ntDayNames: i_item = DAY_1 + i_index; break;
    case ntAbbrevDayNames: i_item = ABDAY_1 + i_index; break;
    case ntMonthNames: i_item = MON_1 + i_index; break;
    case ntAbbrevMonthNames: i_item = ABMON_1 + i_index; break;
    }
    const char* p_name = nl_langinfo_l(i_item, o_locale);
    std::string s_name = p_name ? p_name : "";
    const std::string s_codeset = nl_langinfo_l(CODESET, o_locale);
    freelocale(o_locale);
    if (s_codeset == "UTF-8") {
        std::optional<std::string> s_cp1252 = Utf8ToCp1252(s_name);
        return s_cp1252 ? *s_cp1252 : std::string();
    }
    // Any other code set: only plain ASCII reads the same in code page 1252.
    for (unsigned char c : s_name)
        if (c >= 0x80)
            return {};
    return s_name;
}

// ---------------------------------------------------------------------------
// ZelOleDateTime

ZelOleDateTime::ZelOleDateTime()
{
    Init();
    eStatus = null;
}

ZelOleDateTime::ZelOleDateTime(const VARIANT& o_variant)
{
    Init();
    if (o_variant.vt == VT_DATE) {
        CHighTime::operator=(COleDateTime(o_variant.date));
    } else {
        eStatus = invalid;
    }
}

ZelOleDateTime::ZelOleDateTime(CalendarTime o_time) : CHighTime(o_time) { Init(); }
ZelOleDateTime::ZelOleDateTime(const SYSTEMTIME& o_time) : CHighTime(o_time) { Init(); }
ZelOleDateTime::ZelOleDateTime(const FILETIME& o_time) : CHighTime(o_time) { Init(); }
ZelOleDateTime::ZelOleDateTime(const COleDateTime& o_date) : CHighTime(o_date) { Init(); }
ZelOleDateTime::ZelOleDateTime(const CHighTime& o_time) : CHighTime(o_time) { Init(); }

ZelOleDateTime::ZelOleDateTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                               std::int32_t i_minute, std::int32_t i_second)
    : CHighTime(i_year, i_month, i_day, i_hour, i_minute, i_second)
{
    Init();
}

ZelOleDateTime& ZelOleDateTime::operator=(const CHighTime& o_time)
{
    CHighTime::operator=(o_time);
    return *this;
}

ZelOleDateTime& ZelOleDateTime::operator=(CalendarTime o_time)
{
    CHighTime::operator=(o_time);
    return *this;
}

void ZelOleDateTime::SetToCurrentTime() { CHighTime::operator=(GetPresentTime()); }

bool ZelOleDateTime::IsSameDate(const ZelOleDateTime& o_other) const
{
    return IsValid() && o_other.IsValid() && GetYear() == o_other.GetYear() &&
           GetDayOfYear() == o_other.GetDayOfYear();
}

bool ZelOleDateTime::IsSameMonth(const ZelOleDateTime& o_other) const
{
    return IsValid() && o_other.IsValid() && GetYear() == o_other.GetYear() && GetMonth() == o_other.GetMonth();
}

bool ZelOleDateTime::IsSameTime(const ZelOleDateTime& o_other) const
{
    return IsValid() && o_other.IsValid() && GetHour() == o_other.GetHour() &&
           GetMinute() == o_other.GetMinute() && GetSecond() == o_other.GetSecond();
}

std::int32_t ZelOleDateTime::SetDateOnly(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day)
{
    return SetDateOnly(ZelOleDateTime(i_year, i_month, i_day));
}

std::int32_t ZelOleDateTime::SetDateOnly(const ZelOleDateTime& o_date)
{
    if (eStatus == invalid)
        return eStatus;
    if (!o_date.IsValid())
        return o_date.eStatus;
    if (eStatus == null)
        SetDate(o_date.GetYear(), o_date.GetMonth(), o_date.GetDay());
    else
        SetDateTime(o_date.GetYear(), o_date.GetMonth(), o_date.GetDay(), GetHour(), GetMinute(), GetSecond());
    return eStatus;
}

std::int32_t ZelOleDateTime::SetTimeOnly(std::int32_t i_hour, std::int32_t i_minute, std::int32_t i_second)
{
    ZelOleDateTime o_time = GetPresentTime();
    o_time.SetDateTime(o_time.GetYear(), o_time.GetMonth(), o_time.GetDay(), i_hour, i_minute, i_second);
    return SetTimeOnly(o_time);
}

std::int32_t ZelOleDateTime::SetTimeOnly(const ZelOleDateTime& o_time)
{
    if (eStatus == invalid)
        return eStatus;
    if (!o_time.IsValid())
        return o_time.eStatus;
    if (eStatus == null)
        SetTime(o_time.GetHour(), o_time.GetMinute(), o_time.GetSecond());
    else
        SetDateTime(GetYear(), GetMonth(), GetDay(), o_time.GetHour(), o_time.GetMinute(), o_time.GetSecond());
    return eStatus;
}

namespace {
// The ticks since midnight of a tick count's day.
std::int64_t TimeOfDay(std::int64_t ll_ticks)
{
    const std::int64_t ll_rest = ll_ticks % CHighTimeSpan::llTicksPerDay;
    return ll_rest < 0 ? ll_rest + CHighTimeSpan::llTicksPerDay : ll_rest;
}
} // namespace

ZelOleDateTime ZelOleDateTime::GetDate() const
{
    if (!IsValid())
        return *this;
    // The midnight before the earliest count cannot be held.
    return CHighTime(llTime) - CHighTimeSpan(TimeOfDay(llTime));
}

ZelOleDateTime ZelOleDateTime::GetTime() const
{
    if (!IsValid())
        return *this;
    return CHighTime(2000, 1, 1) + CHighTimeSpan(TimeOfDay(llTime));
}

std::string ZelOleDateTime::FormatHHMM(char c_sep) const { return Format(("%H" + FormatSeparator(c_sep) + "%M").c_str()); }

std::string ZelOleDateTime::FormatAMPM(BOOL b_lower, char c_gap, char c_sep) const
{
    std::string s_text = Format(("%#I" + FormatSeparator(c_sep) + "%M" + FormatSeparator(c_gap) + "%p").c_str());
    for (char& c : s_text)
        if (static_cast<unsigned char>(c) < 0x80)
            c = static_cast<char>(b_lower ? std::tolower(static_cast<unsigned char>(c))
                                          : std::toupper(static_cast<unsigned char>(c)));
    return s_text;
}

std::string ZelOleDateTime::FormatDDDYY(char c_sep) const { return Format(("%j" + FormatSeparator(c_sep) + "%y").c_str()); }

std::string ZelOleDateTime::FormatDDMMYY(char c_sep) const
{
    const std::string s_sep = FormatSeparator(c_sep);
    return Format(("%d" + s_sep + "%m" + s_sep + "%y").c_str());
}

std::string ZelOleDateTime::FormatDDMMYYYY(char c_sep) const
{
    const std::string s_sep = FormatSeparator(c_sep);
    return Format(("%d" + s_sep + "%m" + s_sep + "%Y").c_str());
}

BOOL ZelOleDateTime::SetHHMM(const char* p_text, char c_sep)
{
    const std::string s_text = Without(p_text, c_sep);
    return SetTime(FieldValue(s_text, 0, 2), FieldValue(s_text, 2, 2), 0);
}

BOOL ZelOleDateTime::SetHHMMSS(const char* p_text, char c_sep)
{
    const std::string s_text = Without(p_text, c_sep);
    return SetTime(FieldValue(s_text, 0, 2), FieldValue(s_text, 2, 2), FieldValue(s_text, 4, 2));
}

BOOL ZelOleDateTime::SetDDMMYY(const char* p_text)
{
    const std::string s_text = p_text ? p_text : "";
    return SetDate(CenturyYear(FieldValue(s_text, 4, 2)), FieldValue(s_text, 2, 2), FieldValue(s_text, 0, 2));
}

BOOL ZelOleDateTime::SetDDDYY(const char* p_text)
{
    const std::string s_text = p_text ? p_text : "";
    const std::int32_t i_dayOfYear = FieldValue(s_text, 0, 3);
    if (i_dayOfYear < 1 || i_dayOfYear > 366) {
        eStatus = invalid;
        return FALSE;
    }
    return SetDateTime(CenturyYear(FieldValue(s_text, 3, 2)), 1, i_dayOfYear, 0, 0, 0);
}

BOOL ZelOleDateTime::SetDDMMYYYY(const char* p_text)
{
    const std::string s_text = p_text ? p_text : "";
    return SetDate(FieldValue(s_text, 4, 4), FieldValue(s_text, 2, 2), FieldValue(s_text, 0, 2));
}

BOOL ZelOleDateTime::SetTimeFromString(const char* p_text)
{
    const std::string s_text = Without(p_text, ' ');
    std::int32_t i_hours = 0, i_minutes = 0, i_seconds = 0;
    std::string s_rest;

    std::size_t n_sep = s_text.find(':');
    if (n_sep == std::string::npos)
        n_sep = s_text.find('.');
    if (n_sep != std::string::npos) {
        const char c_sep = s_text[n_sep];
        i_hours = LeadingNumber(s_text.substr(0, n_sep));
        const std::size_t n_second = s_text.find(c_sep, n_sep + 1);
        if (n_second != std::string::npos) {
            i_minutes = LeadingNumber(s_text.substr(n_sep + 1, n_second - n_sep - 1));
            s_rest = s_text.substr(n_second + 1);
            i_seconds = LeadingNumber(s_rest);
        } else {
            s_rest = s_text.substr(n_sep + 1);
            i_minutes = LeadingNumber(s_rest);
        }
        std::size_t n_digits = 0;
        while (n_digits < s_rest.size() && IsDigit(s_rest[n_digits]))
            ++n_digits;
        s_rest.erase(0, n_digits);
    } else {
        if (s_text.size() < 2 || !IsDigit(s_text[0]))
            return FALSE;
        std::size_t n_digits = 0;
        while (n_digits < s_text.size() && IsDigit(s_text[n_digits]))
            ++n_digits;
        // An odd count of digits ("930", "93000") has a one-digit hour.
        std::size_t n_pos = n_digits % 2 == 1 ? 1 : 2;
        i_hours = std::atoi(s_text.substr(0, n_pos).c_str());
        if (n_pos + 2 <= n_digits) {
            i_minutes = std::atoi(s_text.substr(n_pos, 2).c_str());
            n_pos += 2;
            if (n_pos + 2 <= n_digits) {
                i_seconds = std::atoi(s_text.substr(n_pos, 2).c_str());
                n_pos += 2;
            }
        }
        s_rest = s_text.substr(n_pos);
    }

    for (char& c : s_rest)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (s_rest == "pm") {
        if (i_hours >= 1 && i_hours <= 11)
            i_hours += 12;
    } else if (s_rest == "am") {
        if (i_hours == 12)
            i_hours = 0;
    } else if (!s_rest.empty()) {
        return FALSE;
    }
    // A time of day that no clock shows is not a time.
    if (i_hours < 0 || i_hours > 23 || i_minutes < 0 || i_minutes > 59 || i_seconds < 0 || i_seconds > 59)
        return FALSE;
    ZelOleDateTime o_result = *this;
    if (o_result.SetTimeOnly(i_hours, i_minutes, i_seconds) != valid)
        return FALSE;
    *this = o_result;
    return TRUE;
}

std::string ZelOleDateTime::GetDayName(bool b_abbreviated) const
{
    const std::int32_t i_day = GetDayOfWeek();
    if (i_day < 1)
        return {};
    return b_abbreviated ? AbbrevDayNames[i_day - 1] : DayNames[i_day - 1];
}

std::string ZelOleDateTime::GetMonthName(bool b_abbreviated) const
{
    const std::int32_t i_month = GetMonth();
    if (i_month < 1)
        return {};
    return b_abbreviated ? AbbrevMonthNames[i_month - 1] : MonthNames[i_month - 1];
}

std::int32_t ZelOleDateTime::GetNumCalendarDays(const ZelOleDateTime& o_last) const
{
    return GetNumCalendarDays(*this, o_last);
}

std::int32_t ZelOleDateTime::GetNumCalendarDays(const ZelOleDateTime& o_first, const ZelOleDateTime& o_last)
{
    if (!o_first.IsValid() || !o_last.IsValid())
        return 0;
    // The last day at the first one's time of day.
    const CHighTime o_lastAtTime = o_last.GetDate() + (o_first - o_first.GetDate());
    const CHighTimeSpan o_days = o_lastAtTime - o_first;
    if (o_days.GetStatus() != valid)
        return 0;
    return static_cast<std::int32_t>(o_days.GetDays() + 1);
}

std::int32_t ZelOleDateTime::GetYearDays() const
{
    if (!IsValid())
        return 0;
    return GetNumCalendarDays(ZelOleDateTime(GetYear(), 1, 1), *this);
}

std::int32_t ZelOleDateTime::GetNumMonthDays() const
{
    if (!IsValid())
        return 0;
    const std::int32_t i_month = GetMonth();
    std::int32_t i_days = 28;
    while (i_days < 31 && ZelOleDateTime(GetYear(), i_month, i_days + 1).GetMonth() == i_month)
        ++i_days;
    return i_days;
}

CalendarTime ZelOleDateTime::GetAsCalendarTime() const
{
    if (!IsValid())
        return CalendarTime{0};
    std::tm o_tm{};
    o_tm.tm_year = GetYear() - 1900;
    o_tm.tm_mon = GetMonth() - 1;
    o_tm.tm_mday = GetDay();
    o_tm.tm_hour = GetHour();
    o_tm.tm_min = GetMinute();
    o_tm.tm_sec = GetSecond();
    o_tm.tm_isdst = -1; // the run time decides whether summer time applies
    const std::time_t t_time = std::mktime(&o_tm);
    if (t_time == static_cast<std::time_t>(-1))
        return CalendarTime{0};
    return CalendarTime{static_cast<std::int64_t>(t_time)};
}

namespace {
// Invalid < null < valid; among valid values the ticks decide.
int StatusRank(CHighTime::HighTimeStatus e_status)
{
    switch (e_status) {
    case CHighTime::invalid: return 0;
    case CHighTime::null: return 1;
    case CHighTime::valid: return 2;
    }
    return 0;
}

int CompareValues(CHighTime::HighTimeStatus e_a, std::int64_t ll_a, CHighTime::HighTimeStatus e_b, std::int64_t ll_b)
{
    if (e_a != e_b)
        return StatusRank(e_a) < StatusRank(e_b) ? -1 : 1;
    if (e_a != CHighTime::valid || ll_a == ll_b)
        return 0;
    return ll_a < ll_b ? -1 : 1;
}
} // namespace

int ZelOleDateTime::Compare(const ZelOleDateTime& o_a, const ZelOleDateTime& o_b)
{
    return CompareValues(o_a.eStatus, o_a.llTime, o_b.eStatus, o_b.llTime);
}

int ZelOleDateTime::Compare(const void* p_a, const void* p_b)
{
    return Compare(*static_cast<const ZelOleDateTime*>(p_a), *static_cast<const ZelOleDateTime*>(p_b));
}

// ---------------------------------------------------------------------------
// ZelOleDateTimeSpan

BOOL ZelOleDateTimeSpan::GetAsSplitTimeSpan(SplitTimeSpan& o_split, bool b_totals) const
{
    if (!IsValid())
        return FALSE;
    o_split.lDays = GetDays();
    o_split.lHours = GetHours();
    o_split.lMinutes = GetMinutes();
    o_split.lSeconds = GetSeconds();
    if (b_totals) {
        o_split.lTotalDays = GetTotalDays();
        o_split.lTotalHours = GetTotalHours();
        o_split.lTotalMinutes = GetTotalMinutes();
        o_split.lTotalSeconds = GetTotalSeconds();
    }
    return TRUE;
}

std::string ZelOleDateTimeSpan::GetAsText(std::int64_t ll_seconds, FormatUnits e_units)
{
    if (ll_seconds == 0)
        return "0s";
    // Unsigned, so that the most negative count has a length too.
    std::uint64_t u_rest = ll_seconds < 0 ? 0 - static_cast<std::uint64_t>(ll_seconds) : static_cast<std::uint64_t>(ll_seconds);
    auto split = [&u_rest](bool b_use, std::uint64_t u_unit) {
        if (!b_use)
            return std::uint64_t{0};
        const std::uint64_t u_count = u_rest / u_unit;
        u_rest %= u_unit;
        return u_count;
    };
    const std::uint64_t a_parts[5] = {
        split(e_units == fuAll || e_units > fuDays, 604800), split(e_units == fuAll || e_units > fuHours, 86400),
        split(e_units == fuAll || e_units > fuMinutes, 3600), split(e_units == fuAll || e_units > fuSeconds, 60),
        u_rest};
    const char a_letters[5] = {'w', 'd', 'h', 'm', 's'};
    std::string s_text;
    for (int i = 0; i < 5; ++i) {
        bool b_smallerNonZero = false;
        for (int j = i + 1; j < 5; ++j)
            b_smallerNonZero = b_smallerNonZero || a_parts[j] != 0;
        // Weeks and seconds only when they count; the units between also
        // when they stand between two that do ("1h0m1s").
        const bool b_show = a_parts[i] != 0 || (i > 0 && i < 4 && !s_text.empty() && b_smallerNonZero);
        if (b_show)
            s_text += std::to_string(a_parts[i]) + a_letters[i];
    }
    return ll_seconds < 0 ? "-" + s_text : s_text;
}

BOOL ZelOleDateTimeSpan::SetFromText(const char* p_text)
{
    if (p_text == nullptr || *p_text == '\0')
        return FALSE;
    const char* p = p_text;
    const bool b_negative = *p == '-';
    if (b_negative)
        ++p;
    // Seconds per unit letter.
    auto unit_seconds = [](char c) -> std::int64_t {
        switch (c) {
        case 'w': return 604800;
        case 'd': return 86400;
        case 'h': return 3600;
        case 'm': return 60;
        case 's': return 1;
        default: return 0;
        }
    };
    std::int64_t ll_seconds = 0;
    do {
        if (!IsDigit(*p))
            return FALSE;
        std::int64_t ll_number = 0;
        while (IsDigit(*p)) {
            if (__builtin_mul_overflow(ll_number, std::int64_t{10}, &ll_number) ||
                __builtin_add_overflow(ll_number, std::int64_t{*p - '0'}, &ll_number))
                return FALSE;
            ++p;
        }
        const std::int64_t ll_unit = unit_seconds(*p);
        if (ll_unit == 0)
            return FALSE;
        ++p;
        std::int64_t ll_part = 0;
        if (__builtin_mul_overflow(ll_number, ll_unit, &ll_part) ||
            __builtin_add_overflow(ll_seconds, ll_part, &ll_seconds))
            return FALSE;
    } while (*p != '\0');
    std::int64_t ll_ticks = 0;
    if (__builtin_mul_overflow(ll_seconds, llTicksPerSecond, &ll_ticks))
        return FALSE;
    *this = CHighTimeSpan(b_negative ? -ll_ticks : ll_ticks);
    return TRUE;
}

int ZelOleDateTimeSpan::Compare(const ZelOleDateTimeSpan& o_a, const ZelOleDateTimeSpan& o_b)
{
    return CompareValues(o_a.eStatus, o_a.llSpan, o_b.eStatus, o_b.llSpan);
}

int ZelOleDateTimeSpan::Compare(const void* p_a, const void* p_b)
{
    return Compare(*static_cast<const ZelOleDateTimeSpan*>(p_a), *static_cast<const ZelOleDateTimeSpan*>(p_b));
}
