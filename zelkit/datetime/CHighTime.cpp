#include "zelkit/datetime/CHighTime.h"

#include "framework/Archive.h"
#include "framework/Resources.h"
#include "zelkit/datetime/ZelEnglishDateNames.h"
#include "zelkit/base/ZelLibrary.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <vector>

namespace {

using Int128 = __int128;

constexpr std::int64_t llTicksPerSecond = CHighTimeSpan::llTicksPerSecond;
constexpr std::int64_t llSecondsPerDay = 86400;
// Days from 0000-01-01 to 1601-01-01, the day of tick 0.
constexpr std::int64_t llDayOfTickZero = 584754;

const std::int32_t a_daysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// Division and remainder rounding towards minus infinity, so that times
// before 1601 split into the same calendar parts as later ones (a
// truncating split would give 1600-12-31 23:59 a negative minute).
constexpr std::int64_t FloorDiv(std::int64_t ll_a, std::int64_t ll_b)
{
    const std::int64_t ll_q = ll_a / ll_b;
    return (ll_a % ll_b != 0 && ((ll_a < 0) != (ll_b < 0))) ? ll_q - 1 : ll_q;
}

// From the truncating remainder, so that no product can overflow at the
// ends of the tick range.
constexpr std::int64_t FloorMod(std::int64_t ll_a, std::int64_t ll_b)
{
    const std::int64_t ll_r = ll_a % ll_b;
    return (ll_r != 0 && ((ll_r < 0) != (ll_b < 0))) ? ll_r + ll_b : ll_r;
}

bool IsLeapYear(std::int64_t ll_year)
{
    return (ll_year % 4 == 0 && ll_year % 100 != 0) || ll_year % 400 == 0;
}

bool FitsInt64(Int128 x_value)
{
    return x_value >= std::numeric_limits<std::int64_t>::min() && x_value <= std::numeric_limits<std::int64_t>::max();
}

// The conversion cache: tick count to broken-down form, never evicting.
// Timetable code converts a few thousand slot times millions of times, so a
// lookup must cost a fraction of the conversion itself; an ordered tree's
// pointer chase costs more than the arithmetic it saves. The cache is an
// open-addressed hash table instead, probed linearly and at most half
// full, one cache line a slot, so that a hit reads one piece of memory. One
// count, the most negative, marks an empty slot; that count itself is kept
// beside the table.
//
// The table is never freed and the object has no destructor to run, so a
// time converted while the process ends (by some other object's
// destructor) still finds it.
constexpr std::int64_t llEmptySlot = std::numeric_limits<std::int64_t>::min();

struct alignas(64) CacheSlot {
    std::int64_t llTicks = llEmptySlot;
    CHighTime::_HighTimeFormat oParts{};
};

// Until the cache's first entry its table is this one empty slot.
constinit CacheSlot oNoCacheSlot;

class ConversionCache {
public:
    // Counters: conversions asked for, and those the cache could not answer.
    std::int64_t llCalls = 0;
    std::int64_t llMisses = 0;

    std::int64_t Entries() const { return nEntries; }

    // The stored form of ll_ticks; false when there is none.
    bool Find(std::int64_t ll_ticks, CHighTime::_HighTimeFormat& o_parts) const
    {
        if (ll_ticks == llEmpty) [[unlikely]] {
            if (bHasEmptyKey)
                o_parts = oEmptyKeyParts;
            return bHasEmptyKey;
        }
        for (std::size_t n_slot = SlotOf(ll_ticks);; n_slot = (n_slot + 1) & nMask) {
            const Slot& o_slot = pSlots[n_slot];
            if (o_slot.llTicks == ll_ticks) {
                o_parts = o_slot.oParts;
                return true;
            }
            if (o_slot.llTicks == llEmpty)
                return false;
        }
    }

    // Adds an entry for a count that Find did not find.
    void Insert(std::int64_t ll_ticks, const CHighTime::_HighTimeFormat& o_parts)
    {
        if (ll_ticks == llEmpty) {
            bHasEmptyKey = true;
            oEmptyKeyParts = o_parts;
            ++nEntries;
            return;
        }
        if (2 * (static_cast<std::size_t>(nEntries) + 1) > nMask + 1)
            Grow();
        Place(ll_ticks, o_parts);
        ++nEntries;
    }

private:
    using Slot = CacheSlot;
    static constexpr std::int64_t llEmpty = llEmptySlot;

    std::size_t SlotOf(std::int64_t ll_ticks) const
    {
        // Fibonacci hashing: slot times are multiples of whole minutes, and
        // the top bits of the product spread them evenly. The mask keeps the
        // one-slot table of an empty cache (where no shift can leave zero
        // bits) to its one slot.
        return static_cast<std::size_t>((static_cast<std::uint64_t>(ll_ticks) * 0x9E3779B97F4A7C15ULL) >> iShift) &
               nMask;
    }

    void Place(std::int64_t ll_ticks, const CHighTime::_HighTimeFormat& o_parts)
    {
        std::size_t n_slot = SlotOf(ll_ticks);
        while (pSlots[n_slot].llTicks != llEmpty)
            n_slot = (n_slot + 1) & nMask;
        pSlots[n_slot].llTicks = ll_ticks;
        pSlots[n_slot].oParts = o_parts;
    }

    void Grow()
    {
        const std::size_t n_oldSize = nMask + 1;
        Slot* p_old = pSlots;
        const std::size_t n_size = p_old == &oNoCacheSlot ? 1024 : 2 * n_oldSize;
        pSlots = new Slot[n_size];
        nMask = n_size - 1;
        iShift = 64 - std::countr_zero(n_size);
        if (p_old == &oNoCacheSlot)
            return;
        for (std::size_t n = 0; n < n_oldSize; ++n)
            if (p_old[n].llTicks != llEmpty)
                Place(p_old[n].llTicks, p_old[n].oParts);
        delete[] p_old;
    }

    // Until the first entry the table is one empty slot.
    Slot* pSlots = &oNoCacheSlot;
    std::size_t nMask = 0;
    int iShift = 63;
    std::int64_t nEntries = 0;
    bool bHasEmptyKey = false;
    CHighTime::_HighTimeFormat oEmptyKeyParts{};
};

constinit ConversionCache oCache;

// What the formatter knows beyond the strftime codes.
struct FormatExtras {
    bool bLibraryCodes = false; // %s %u %n and their "#" forms
    bool bSpanDays = false;     // %D and %#D
    std::int64_t llDays = 0;
};

void AppendNumber(std::string& s_out, std::int64_t ll_value, int i_width, bool b_noPad)
{
    char sz_text[32];
    std::snprintf(sz_text, sizeof sz_text, "%0*lld", b_noPad ? 1 : i_width, static_cast<long long>(ll_value));
    s_out += sz_text;
}

// strftime over the broken-down form, as the platform's run time does it
// in its "C" locale, with the platform's "#" flag (no leading zeros; the
// long forms of %c and %x).
void FormatParts(std::string& s_out, const CHighTime::_HighTimeFormat& o_parts, const char* p_format,
                 const FormatExtras& o_extras)
{
    const std::int32_t i_weekDay = o_parts.iDayOfWeek - 1; // 0-6, Sunday 0
    const std::int32_t i_yearDay = o_parts.iDayOfYear - 1; // 0-365
    const std::int32_t i_hour12 = o_parts.iHour % 12 == 0 ? 12 : o_parts.iHour % 12;
    for (const char* p = p_format; *p; ++p) {
        if (*p != '%') {
            s_out += *p;
            continue;
        }
        const char* p_start = p;
        bool b_alt = false;
        if (p[1] == '#') {
            b_alt = true;
            ++p;
        }
        const char c_code = p[1];
        if (c_code == '\0') { // a lone "%" at the end stays as it is
            s_out.append(p_start, p + 1);
            break;
        }
        ++p;
        switch (c_code) {
        case '%': s_out += '%'; break;
        // Names are English whatever the machine's locale, so that a text
        // written on one machine reads the same on every other.
        case 'a': s_out += ZelEnglishDateNames::aAbbrevDays[i_weekDay]; break;
        case 'A': s_out += ZelEnglishDateNames::aDays[i_weekDay]; break;
        case 'b': s_out += ZelEnglishDateNames::aAbbrevMonths[o_parts.iMonth - 1]; break;
        case 'B': s_out += ZelEnglishDateNames::aMonths[o_parts.iMonth - 1]; break;
        case 'c':
            FormatParts(s_out, o_parts, b_alt ? "%A, %B %#d, %Y, %H:%M:%S" : "%m/%d/%y %H:%M:%S", o_extras);
            break;
        case 'x': FormatParts(s_out, o_parts, b_alt ? "%A, %B %#d, %Y" : "%m/%d/%y", o_extras); break;
        case 'X': FormatParts(s_out, o_parts, "%H:%M:%S", o_extras); break;
        case 'd': AppendNumber(s_out, o_parts.iDay, 2, b_alt); break;
        case 'H': AppendNumber(s_out, o_parts.iHour, 2, b_alt); break;
        case 'I': AppendNumber(s_out, i_hour12, 2, b_alt); break;
        case 'j': AppendNumber(s_out, o_parts.iDayOfYear, 3, b_alt); break;
        case 'm': AppendNumber(s_out, o_parts.iMonth, 2, b_alt); break;
        case 'M': AppendNumber(s_out, o_parts.iMinute, 2, b_alt); break;
        case 'S': AppendNumber(s_out, o_parts.iSecond, 2, b_alt); break;
        case 'p': s_out += o_parts.iHour < 12 ? "AM" : "PM"; break;
        case 'U': AppendNumber(s_out, (i_yearDay + 7 - i_weekDay) / 7, 2, b_alt); break;
        case 'W': AppendNumber(s_out, (i_yearDay + 7 - (i_weekDay + 6) % 7) / 7, 2, b_alt); break;
        case 'w': AppendNumber(s_out, i_weekDay, 1, b_alt); break;
        case 'y': AppendNumber(s_out, FloorMod(o_parts.iYear, 100), 2, b_alt); break;
        case 'Y':
            if (o_parts.iYear < 0)
                s_out += '-';
            AppendNumber(s_out, o_parts.iYear < 0 ? -std::int64_t{o_parts.iYear} : o_parts.iYear, 4, b_alt);
            break;
        case 'z':
        case 'Z':
            // A value carries no time zone; naming the machine's would make
            // the text differ between machines.
            break;
        case 's':
        case 'u':
        case 'n':
            if (o_extras.bLibraryCodes) {
                const std::int32_t i_value = c_code == 's'   ? o_parts.iMilliSecond
                                             : c_code == 'u' ? o_parts.iMicroSecond
                                                             : o_parts.iNanoSecond;
                AppendNumber(s_out, i_value < 0 ? -std::int64_t{i_value} : i_value, 3, b_alt);
            } else {
                s_out.append(p_start, p + 1);
            }
            break;
        case 'D':
            if (o_extras.bSpanDays)
                AppendNumber(s_out, o_extras.llDays, 3, b_alt);
            else
                s_out.append(p_start, p + 1);
            break;
        default: // not a code: kept as written
            s_out.append(p_start, p + 1);
            break;
        }
    }
}

std::string LoadLibraryText(UINT u_id)
{
    ZelLocalResource o_local;
    std::string s_text;
    LoadResourceString(u_id, s_text);
    return s_text;
}

char* FormatIntoBuffer(char* p_buffer, int i_size, const std::string& s_text)
{
    if (static_cast<std::size_t>(i_size) <= s_text.size()) {
        p_buffer[0] = '\0';
        return p_buffer;
    }
    std::memcpy(p_buffer, s_text.c_str(), s_text.size() + 1);
    return p_buffer;
}

char* CopyInvalidText(char* p_buffer, int i_size, const char* p_text)
{
    std::snprintf(p_buffer, static_cast<std::size_t>(i_size), "%s", p_text);
    return p_buffer;
}

// The arithmetic status rule: null wins over invalid, invalid over valid;
// a valid result is the sum (or difference) of the ticks, and invalid when
// that cannot be held in 64 bits. A result that is not valid has 0 ticks.
using Status = CHighTime::HighTimeStatus;

void CombineTicks(Status e_a, std::int64_t ll_a, Status e_b, std::int64_t ll_b, bool b_subtract, Status& o_status,
                  std::int64_t& o_ticks)
{
    o_ticks = 0;
    if (e_a == CHighTime::null || e_b == CHighTime::null) {
        o_status = CHighTime::null;
    } else if (e_a == CHighTime::invalid || e_b == CHighTime::invalid) {
        o_status = CHighTime::invalid;
    } else if (b_subtract ? __builtin_sub_overflow(ll_a, ll_b, &o_ticks) : __builtin_add_overflow(ll_a, ll_b, &o_ticks)) {
        o_status = CHighTime::invalid;
        o_ticks = 0;
    } else {
        o_status = CHighTime::valid;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Conversions between parts and ticks

bool CHighTime::ConvertTimeToLongLong(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day,
                                      std::int32_t i_hour, std::int32_t i_minute, std::int32_t i_second,
                                      std::int32_t i_milli, std::int32_t i_micro, std::int32_t i_nano,
                                      std::int64_t& o_ticks)
{
    if (i_year < iMinYear || i_year > iMaxYear || i_month < 1 || i_month > 12)
        return false;
    const std::int64_t ll_year = i_year;
    // Days since 0000-01-01. Floor division keeps the leap-year count right
    // for years before year 1 too.
    std::int64_t ll_day = ll_year * 365 + FloorDiv(ll_year, 4) - FloorDiv(ll_year, 100) + FloorDiv(ll_year, 400) +
                          a_daysBeforeMonth[i_month - 1] + i_day;
    if (i_month <= 2 && IsLeapYear(ll_year))
        --ll_day;
    ll_day -= llDayOfTickZero;
    // Days, hours and the smaller parts carry into each other, so the ticks
    // are their exact weighted sum; nanoseconds round to 100 ns.
    Int128 x_ticks = ll_day;
    x_ticks = x_ticks * 24 + i_hour;
    x_ticks = x_ticks * 60 + i_minute;
    x_ticks = x_ticks * 60 + i_second;
    x_ticks = x_ticks * 1000 + i_milli;
    x_ticks = x_ticks * 1000 + i_micro;
    x_ticks = x_ticks * 10 + FloorDiv(std::int64_t{i_nano} + 50, 100);
    if (!FitsInt64(x_ticks))
        return false;
    o_ticks = static_cast<std::int64_t>(x_ticks);
    return true;
}

bool CHighTime::ComputeLongLongToTime(std::int64_t ll_ticks, _HighTimeFormat& o_parts)
{
    const std::int64_t ll_subSecond = FloorMod(ll_ticks, llTicksPerSecond);
    const std::int64_t ll_seconds = FloorDiv(ll_ticks, llTicksPerSecond);
    const std::int64_t ll_secondOfDay = FloorMod(ll_seconds, llSecondsPerDay);
    const std::int64_t ll_day = FloorDiv(ll_seconds, llSecondsPerDay) + llDayOfTickZero;

    o_parts.iDayOfWeek = static_cast<std::int32_t>(FloorMod(ll_day - 1, 7) + 1);

    // 400-year cycles; the first century of a cycle has a leap year at its
    // start and one day more.
    std::int64_t ll_year = FloorDiv(ll_day, 146097) * 400;
    std::int64_t ll_rest = FloorMod(ll_day, 146097);
    bool b_groupStartsLeap = true; // the first year of a 4-year group is a leap year
    if (ll_rest >= 36525) {
        ll_rest -= 36525;
        ll_year += 100 * (1 + ll_rest / 36524);
        ll_rest %= 36524;
        // A century that does not start a cycle begins with a short group.
        if (ll_rest < 1460) {
            b_groupStartsLeap = false;
        } else {
            ll_rest -= 1460;
            ll_year += 4 * (1 + ll_rest / 1461);
            ll_rest %= 1461;
        }
    } else {
        ll_year += 4 * (ll_rest / 1461);
        ll_rest %= 1461;
    }
    bool b_leap = false;
    if (b_groupStartsLeap) {
        if (ll_rest < 366) {
            b_leap = true;
        } else {
            ll_rest -= 366;
            ll_year += 1 + ll_rest / 365;
            ll_rest %= 365;
        }
    } else {
        ll_year += ll_rest / 365;
        ll_rest %= 365;
    }

    const std::int32_t i_dayOfYear = static_cast<std::int32_t>(ll_rest) + 1;
    o_parts.iDayOfYear = i_dayOfYear;
    if (b_leap && i_dayOfYear == 60) {
        o_parts.iMonth = 2;
        o_parts.iDay = 29;
    } else {
        const std::int32_t i_lookup = b_leap && i_dayOfYear > 60 ? i_dayOfYear - 1 : i_dayOfYear;
        std::int32_t i_month = i_lookup / 32 + 1;
        while (i_month < 12 && i_lookup > a_daysBeforeMonth[i_month])
            ++i_month;
        o_parts.iMonth = i_month;
        o_parts.iDay = i_lookup - a_daysBeforeMonth[i_month - 1];
    }
    o_parts.iYear = static_cast<std::int32_t>(ll_year);
    o_parts.iHour = static_cast<std::int32_t>(ll_secondOfDay / 3600);
    o_parts.iMinute = static_cast<std::int32_t>(ll_secondOfDay / 60 % 60);
    o_parts.iSecond = static_cast<std::int32_t>(ll_secondOfDay % 60);
    o_parts.iMilliSecond = static_cast<std::int32_t>(ll_subSecond / 10000);
    o_parts.iMicroSecond = static_cast<std::int32_t>(ll_subSecond / 10 % 1000);
    o_parts.iNanoSecond = static_cast<std::int32_t>(ll_subSecond % 10 * 100);
    return true;
}

bool CHighTime::ConvertLongLongToTime(std::int64_t ll_ticks, _HighTimeFormat& o_parts)
{
    ++oCache.llCalls;
    if (oCache.Find(ll_ticks, o_parts))
        return true;
    ++oCache.llMisses;
    if (!ComputeLongLongToTime(ll_ticks, o_parts))
        return false;
    oCache.Insert(ll_ticks, o_parts);
    return true;
}

void CHighTime::GetLLTStat(std::int64_t& o_calls, std::int64_t& o_hits, std::int64_t& o_entries)
{
    o_calls = oCache.llCalls;
    o_hits = oCache.llCalls - oCache.llMisses;
    o_entries = oCache.Entries();
}

// ---------------------------------------------------------------------------
// CHighTime

CHighTime::CHighTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                     std::int32_t i_minute, std::int32_t i_second, std::int32_t i_milli, std::int32_t i_micro,
                     std::int32_t i_nano)
{
    SetDateTime(i_year, i_month, i_day, i_hour, i_minute, i_second, i_milli, i_micro, i_nano);
}

BOOL CHighTime::SetDateTime(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day, std::int32_t i_hour,
                            std::int32_t i_minute, std::int32_t i_second, std::int32_t i_milli,
                            std::int32_t i_micro, std::int32_t i_nano)
{
    eStatus = ConvertTimeToLongLong(i_year, i_month, i_day, i_hour, i_minute, i_second, i_milli, i_micro, i_nano,
                                    llTime)
                  ? valid
                  : invalid;
    return eStatus == valid;
}

BOOL CHighTime::SetDate(std::int32_t i_year, std::int32_t i_month, std::int32_t i_day)
{
    return SetDateTime(i_year, i_month, i_day, 0, 0, 0);
}

BOOL CHighTime::SetTime(std::int32_t i_hour, std::int32_t i_minute, std::int32_t i_second)
{
    return SetDateTime(1601, 1, 1, i_hour, i_minute, i_second);
}

BOOL CHighTime::SetFracTime(std::int32_t i_milli, std::int32_t i_micro, std::int32_t i_nano)
{
    return SetDateTime(1601, 1, 1, 0, 0, 0, i_milli, i_micro, i_nano);
}

CHighTime& CHighTime::operator=(const COleDateTime& o_date)
{
    // A null or invalid framework date keeps what it says: an old file's
    // "not built yet" stays null.
    if (o_date.GetStatus() != COleDateTime::valid) {
        eStatus = o_date.GetStatus() == COleDateTime::null ? null : invalid;
        llTime = 0;
        return *this;
    }
    OleDate::Parts o_parts;
    if (!o_date.GetParts(o_parts)) {
        eStatus = invalid;
        llTime = 0;
        return *this;
    }
    SetDateTime(o_parts.iYear, o_parts.iMonth, o_parts.iDay, o_parts.iHour, o_parts.iMinute, o_parts.iSecond);
    return *this;
}

CHighTime& CHighTime::operator=(const SYSTEMTIME& o_time)
{
    SetDateTime(o_time.wYear, o_time.wMonth, o_time.wDay, o_time.wHour, o_time.wMinute, o_time.wSecond,
                o_time.wMilliseconds);
    return *this;
}

CHighTime& CHighTime::operator=(const FILETIME& o_time)
{
    // The platform's conversion takes only counts that fit a signed 64-bit
    // number, and keeps milliseconds.
    const std::uint64_t u_ticks = (std::uint64_t{o_time.dwHighDateTime} << 32) | o_time.dwLowDateTime;
    if (u_ticks > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        eStatus = invalid;
        return *this;
    }
    _HighTimeFormat o_parts;
    ComputeLongLongToTime(static_cast<std::int64_t>(u_ticks), o_parts);
    std::int64_t ll_ticks = 0;
    if (!ConvertTimeToLongLong(o_parts.iYear, o_parts.iMonth, o_parts.iDay, o_parts.iHour, o_parts.iMinute,
                               o_parts.iSecond, o_parts.iMilliSecond, 0, 0, ll_ticks)) {
        eStatus = invalid;
        return *this;
    }
    llTime = ll_ticks;
    eStatus = valid;
    return *this;
}

CHighTime& CHighTime::operator=(CalendarTime o_time)
{
    const std::time_t t_time = static_cast<std::time_t>(o_time.llSeconds);
    std::tm o_tm{};
    if (localtime_r(&t_time, &o_tm) == nullptr) {
        eStatus = invalid;
        return *this;
    }
    SetDateTime(o_tm.tm_year + 1900, o_tm.tm_mon + 1, o_tm.tm_mday, o_tm.tm_hour, o_tm.tm_min, o_tm.tm_sec);
    return *this;
}

CHighTime::operator FILETIME() const
{
    const std::uint64_t u_ticks = static_cast<std::uint64_t>(llTime);
    return FILETIME{static_cast<DWORD>(u_ticks), static_cast<DWORD>(u_ticks >> 32)};
}

CHighTime::operator SYSTEMTIME() const
{
    SYSTEMTIME o_time;
    GetAsSystemTime(o_time);
    return o_time;
}

COleDateTime CHighTime::GetCOleDateTime(bool b_round) const
{
    COleDateTime o_date;
    _HighTimeFormat o_parts;
    if (!GetParts(o_parts)) {
        // A zero count that still says the time was not valid.
        o_date.SetStatus(eStatus == null ? COleDateTime::null : COleDateTime::invalid);
        return o_date;
    }
    if (b_round && o_parts.iMilliSecond >= 500) {
        const CHighTime o_later = *this + CHighTimeSpan(0, 0, 0, 1);
        if (!o_later.GetParts(o_parts)) {
            o_date.SetStatus(COleDateTime::invalid);
            return o_date;
        }
    }
    o_date.SetDateTime(o_parts.iYear, o_parts.iMonth, o_parts.iDay, o_parts.iHour, o_parts.iMinute, o_parts.iSecond);
    return o_date;
}

bool CHighTime::GetParts(_HighTimeFormat& o_parts) const
{
    return eStatus == valid && ConvertLongLongToTime(llTime, o_parts);
}

std::int32_t CHighTime::GetField(std::int32_t _HighTimeFormat::*p_field) const
{
    _HighTimeFormat o_parts;
    return GetParts(o_parts) ? o_parts.*p_field : -1;
}

std::int32_t CHighTime::GetYear() const { return GetField(&_HighTimeFormat::iYear); }
std::int32_t CHighTime::GetMonth() const { return GetField(&_HighTimeFormat::iMonth); }
std::int32_t CHighTime::GetDay() const { return GetField(&_HighTimeFormat::iDay); }
std::int32_t CHighTime::GetHour() const { return GetField(&_HighTimeFormat::iHour); }
std::int32_t CHighTime::GetMinute() const { return GetField(&_HighTimeFormat::iMinute); }
std::int32_t CHighTime::GetSecond() const { return GetField(&_HighTimeFormat::iSecond); }
std::int32_t CHighTime::GetMilliSecond() const { return GetField(&_HighTimeFormat::iMilliSecond); }
std::int32_t CHighTime::GetMicroSecond() const { return GetField(&_HighTimeFormat::iMicroSecond); }
std::int32_t CHighTime::GetNanoSecond() const { return GetField(&_HighTimeFormat::iNanoSecond); }
std::int32_t CHighTime::GetDayOfWeek() const { return GetField(&_HighTimeFormat::iDayOfWeek); }
std::int32_t CHighTime::GetDayOfYear() const { return GetField(&_HighTimeFormat::iDayOfYear); }

BOOL CHighTime::GetAsSystemTime(SYSTEMTIME& o_time) const
{
    _HighTimeFormat o_parts;
    // A record's year is an unsigned 16-bit word.
    if (!GetParts(o_parts) || o_parts.iYear < 0)
        return FALSE;
    o_time.wYear = static_cast<WORD>(o_parts.iYear);
    o_time.wMonth = static_cast<WORD>(o_parts.iMonth);
    o_time.wDayOfWeek = static_cast<WORD>(o_parts.iDayOfWeek - 1);
    o_time.wDay = static_cast<WORD>(o_parts.iDay);
    o_time.wHour = static_cast<WORD>(o_parts.iHour);
    o_time.wMinute = static_cast<WORD>(o_parts.iMinute);
    o_time.wSecond = static_cast<WORD>(o_parts.iSecond);
    o_time.wMilliseconds = static_cast<WORD>(o_parts.iMilliSecond);
    return TRUE;
}

CHighTime CHighTime::GetPresentTime()
{
    std::timespec o_now{};
    std::tm o_tm{};
    CHighTime o_time;
    if (clock_gettime(CLOCK_REALTIME, &o_now) != 0 || localtime_r(&o_now.tv_sec, &o_tm) == nullptr) {
        o_time.eStatus = invalid;
        return o_time;
    }
    o_time.SetDateTime(o_tm.tm_year + 1900, o_tm.tm_mon + 1, o_tm.tm_mday, o_tm.tm_hour, o_tm.tm_min, o_tm.tm_sec,
                       static_cast<std::int32_t>(o_now.tv_nsec / 1000000));
    return o_time;
}

CHighTime CHighTime::operator+(const CHighTimeSpan& o_span) const
{
    CHighTime o_result;
    CombineTicks(eStatus, llTime, o_span.eStatus, o_span.llSpan, false, o_result.eStatus, o_result.llTime);
    return o_result;
}

CHighTime CHighTime::operator-(const CHighTimeSpan& o_span) const
{
    CHighTime o_result;
    CombineTicks(eStatus, llTime, o_span.eStatus, o_span.llSpan, true, o_result.eStatus, o_result.llTime);
    return o_result;
}

CHighTimeSpan CHighTime::operator-(const CHighTime& o_other) const
{
    CHighTimeSpan o_result;
    CombineTicks(eStatus, llTime, o_other.eStatus, o_other.llTime, true, o_result.eStatus, o_result.llSpan);
    return o_result;
}

CHighTime& CHighTime::operator+=(const CHighTimeSpan& o_span) { return *this = *this + o_span; }
CHighTime& CHighTime::operator-=(const CHighTimeSpan& o_span) { return *this = *this - o_span; }

std::string CHighTime::Format(const char* p_format) const
{
    if (eStatus == null)
        return {};
    _HighTimeFormat o_parts;
    if (eStatus != valid || !ConvertLongLongToTime(llTime, o_parts))
        return LoadLibraryText(IDS_HIGHTIME_INVALID_DATETIME);
    std::string s_text;
    FormatExtras o_extras;
    o_extras.bLibraryCodes = true;
    FormatParts(s_text, o_parts, p_format ? p_format : "", o_extras);
    return s_text;
}

std::string CHighTime::Format(UINT u_formatId) const
{
    std::string s_format;
    LoadResourceString(u_formatId, s_format);
    return Format(s_format.c_str());
}

char* CHighTime::Format(char* p_buffer, int i_size, const char* p_format) const
{
    if (p_buffer == nullptr || i_size <= 0 || eStatus == null)
        return nullptr;
    _HighTimeFormat o_parts;
    if (eStatus != valid || !ConvertLongLongToTime(llTime, o_parts))
        return CopyInvalidText(p_buffer, i_size, "Invalid datetime");
    std::string s_text;
    FormatParts(s_text, o_parts, p_format ? p_format : "", FormatExtras{});
    return FormatIntoBuffer(p_buffer, i_size, s_text);
}

// ---------------------------------------------------------------------------
// CHighTimeSpan

CHighTimeSpan::CHighTimeSpan(const COleDateTimeSpan& o_span)
{
    if (o_span.GetStatus() != COleDateTimeSpan::valid) {
        eStatus = o_span.GetStatus() == COleDateTimeSpan::null ? CHighTime::null : CHighTime::invalid;
        return;
    }
    std::int64_t ll_seconds = 0;
    if (!o_span.GetTotalSecondsRounded(ll_seconds)) {
        eStatus = CHighTime::invalid;
        return;
    }
    SetHighTimeSpan(ll_seconds / llSecondsPerDay, static_cast<std::int32_t>(ll_seconds / 3600 % 24),
                    static_cast<std::int32_t>(ll_seconds / 60 % 60), static_cast<std::int32_t>(ll_seconds % 60));
}

void CHighTimeSpan::SetHighTimeSpan(std::int64_t ll_days, std::int32_t i_hours, std::int32_t i_minutes,
                                    std::int32_t i_seconds, std::int32_t i_milli, std::int32_t i_micro,
                                    std::int32_t i_nano)
{
    const std::int64_t ll_nanoTicks = i_nano >= 0 ? (std::int64_t{i_nano} + 50) / 100 : (std::int64_t{i_nano} - 50) / 100;
    const Int128 x_ticks = Int128{ll_days} * llTicksPerDay + Int128{i_hours} * llTicksPerHour +
                           Int128{i_minutes} * llTicksPerMinute + Int128{i_seconds} * llTicksPerSecond +
                           Int128{i_milli} * 10000 + Int128{i_micro} * 10 + ll_nanoTicks;
    if (FitsInt64(x_ticks)) {
        eStatus = CHighTime::valid;
        llSpan = static_cast<std::int64_t>(x_ticks);
    } else {
        eStatus = CHighTime::invalid;
        llSpan = 0;
    }
}

COleDateTimeSpan CHighTimeSpan::GetCOleDateTimeSpan(bool b_round) const
{
    COleDateTimeSpan o_result;
    if (eStatus != CHighTime::valid) {
        o_result.SetStatus(eStatus == CHighTime::null ? COleDateTimeSpan::null : COleDateTimeSpan::invalid);
        return o_result;
    }
    CHighTimeSpan o_span = *this;
    if (b_round && GetMilliSeconds() + 500 >= 1000)
        o_span += CHighTimeSpan(0, 0, 0, 1);
    if (o_span.eStatus != CHighTime::valid) {
        o_result.SetStatus(COleDateTimeSpan::invalid);
        return o_result;
    }
    o_result.SetDateTimeSpan(static_cast<std::int32_t>(o_span.GetDays()), o_span.GetHours(), o_span.GetMinutes(),
                             o_span.GetSeconds());
    return o_result;
}

std::int64_t CHighTimeSpan::GetTotalNanoSeconds() const
{
    std::int64_t ll_result = 0;
    if (__builtin_mul_overflow(llSpan, std::int64_t{100}, &ll_result))
        return llSpan < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    return ll_result;
}

CHighTimeSpan CHighTimeSpan::operator+(const CHighTimeSpan& o_other) const
{
    CHighTimeSpan o_result;
    CombineTicks(eStatus, llSpan, o_other.eStatus, o_other.llSpan, false, o_result.eStatus, o_result.llSpan);
    return o_result;
}

CHighTimeSpan CHighTimeSpan::operator-(const CHighTimeSpan& o_other) const
{
    CHighTimeSpan o_result;
    CombineTicks(eStatus, llSpan, o_other.eStatus, o_other.llSpan, true, o_result.eStatus, o_result.llSpan);
    return o_result;
}

CHighTimeSpan CHighTimeSpan::operator-() const
{
    CHighTimeSpan o_result;
    if (__builtin_sub_overflow(std::int64_t{0}, llSpan, &o_result.llSpan)) {
        o_result.eStatus = CHighTime::invalid;
        o_result.llSpan = 0;
    }
    return o_result;
}

CHighTimeSpan CHighTimeSpan::operator*(std::int32_t i_factor) const
{
    CHighTimeSpan o_result;
    o_result.eStatus = eStatus;
    if (__builtin_mul_overflow(llSpan, std::int64_t{i_factor}, &o_result.llSpan)) {
        o_result.eStatus = CHighTime::invalid;
        o_result.llSpan = 0;
    }
    return o_result;
}

CHighTimeSpan CHighTimeSpan::operator/(std::int32_t i_divisor) const
{
    CHighTimeSpan o_result;
    if (i_divisor == 0 || (i_divisor == -1 && llSpan == std::numeric_limits<std::int64_t>::min())) {
        o_result.eStatus = CHighTime::invalid;
        return o_result;
    }
    o_result.eStatus = eStatus;
    o_result.llSpan = llSpan / i_divisor;
    return o_result;
}

namespace {
// The text of a span: its length shown as a time, "-" in front of a
// negative one. False when the span has no such form.
bool FormatSpan(std::int64_t ll_span, const char* p_format, bool b_libraryCodes, std::string& s_text)
{
    if (ll_span == std::numeric_limits<std::int64_t>::min())
        return false;
    const std::int64_t ll_length = ll_span < 0 ? -ll_span : ll_span;
    CHighTime::_HighTimeFormat o_parts;
    if (!CHighTime::ConvertLongLongToTime(ll_length, o_parts))
        return false;
    if (ll_span < 0)
        s_text += '-';
    FormatExtras o_extras;
    o_extras.bLibraryCodes = b_libraryCodes;
    o_extras.bSpanDays = b_libraryCodes;
    o_extras.llDays = ll_length / CHighTimeSpan::llTicksPerDay;
    FormatParts(s_text, o_parts, p_format ? p_format : "", o_extras);
    return true;
}
} // namespace

std::string CHighTimeSpan::Format(const char* p_format) const
{
    if (eStatus == CHighTime::null)
        return {};
    std::string s_text;
    if (eStatus != CHighTime::valid || !FormatSpan(llSpan, p_format, true, s_text))
        return LoadLibraryText(IDS_HIGHTIME_INVALID_DATETIMESPAN);
    return s_text;
}

std::string CHighTimeSpan::Format(UINT u_formatId) const
{
    std::string s_format;
    LoadResourceString(u_formatId, s_format);
    return Format(s_format.c_str());
}

char* CHighTimeSpan::Format(char* p_buffer, int i_size, const char* p_format) const
{
    if (p_buffer == nullptr || i_size <= 0 || eStatus == CHighTime::null)
        return nullptr;
    std::string s_text;
    if (eStatus != CHighTime::valid || !FormatSpan(llSpan, p_format, false, s_text))
        return CopyInvalidText(p_buffer, i_size, "Invalid datetimespan");
    return FormatIntoBuffer(p_buffer, i_size, s_text);
}

// ---------------------------------------------------------------------------
// Archive form

namespace {
void StoreWords(CArchive& ar, std::int32_t i_status, std::int64_t ll_ticks)
{
    const std::uint64_t u_ticks = static_cast<std::uint64_t>(ll_ticks);
    ar << static_cast<std::uint32_t>(i_status) << static_cast<std::uint32_t>(u_ticks >> 32)
       << static_cast<std::uint32_t>(u_ticks);
}

void LoadWords(CArchive& ar, CHighTime::HighTimeStatus& o_status, std::int64_t& o_ticks)
{
    std::uint32_t u_status = 0, u_high = 0, u_low = 0;
    ar >> u_status >> u_high >> u_low;
    if (u_status > CHighTime::null)
        CArchive::ThrowBadSchema("unknown date-time status");
    o_status = static_cast<CHighTime::HighTimeStatus>(u_status);
    o_ticks = static_cast<std::int64_t>((std::uint64_t{u_high} << 32) | u_low);
}
} // namespace

CArchive& operator<<(CArchive& ar, const CHighTime& o_time)
{
    StoreWords(ar, o_time.eStatus, o_time.llTime);
    return ar;
}

CArchive& operator>>(CArchive& ar, CHighTime& o_time)
{
    LoadWords(ar, o_time.eStatus, o_time.llTime);
    return ar;
}

CArchive& operator<<(CArchive& ar, const CHighTimeSpan& o_span)
{
    StoreWords(ar, o_span.eStatus, o_span.llSpan);
    return ar;
}

CArchive& operator>>(CArchive& ar, CHighTimeSpan& o_span)
{
    LoadWords(ar, o_span.eStatus, o_span.llSpan);
    return ar;
}
