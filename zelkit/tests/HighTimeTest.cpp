#include "framework/Archive.h"
#include "framework/PlatformTime.h"
#include "zelkit/datetime/CHighTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <vector>

namespace {

constexpr std::int64_t llDay = CHighTimeSpan::llTicksPerDay;
constexpr std::int64_t llMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t llMin = std::numeric_limits<std::int64_t>::min();

std::int64_t Ticks(const CHighTime& o_time) { return static_cast<std::int64_t>(o_time); }
std::int64_t Ticks(const CHighTimeSpan& o_span) { return static_cast<std::int64_t>(o_span); }

std::string Ymdhms(const CHighTime& o_time) { return o_time.Format("%Y-%m-%d %H:%M:%S.%s%u%n"); }

CHighTime Status(CHighTime::HighTimeStatus e_status)
{
    CHighTime o_time(2000, 1, 1);
    o_time.SetStatus(e_status);
    return o_time;
}

CHighTimeSpan SpanStatus(CHighTime::HighTimeStatus e_status)
{
    CHighTimeSpan o_span(0, 1);
    o_span.SetStatus(e_status);
    return o_span;
}

TEST(HighTimeTest, PartsToTicksFixedPoints)
{
    const CHighTime o_origin(1601, 1, 1);
    EXPECT_EQ(o_origin.GetStatus(), CHighTime::valid);
    EXPECT_EQ(Ticks(o_origin), 0);
    EXPECT_EQ(o_origin.GetDayOfWeek(), 2); // a Monday
    EXPECT_EQ(o_origin.GetDayOfYear(), 1);
    EXPECT_EQ(Ticks(CHighTime(1600, 12, 31)), -864000000000LL);
    EXPECT_EQ(CHighTime().GetStatus(), CHighTime::valid);
    EXPECT_EQ(Ticks(CHighTime()), 0);
    // The platform's file time of the Unix epoch.
    EXPECT_EQ(Ticks(CHighTime(1970, 1, 1)), 116444736000000000LL);
    EXPECT_EQ(Ticks(CHighTime(1601, 1, 1, 0, 0, 0, 1, 2, 349)), 10023);
    EXPECT_EQ(Ticks(CHighTime(1601, 1, 1, 0, 0, 0, 0, 0, 350)), 4); // nanoseconds round to 100
}

TEST(HighTimeTest, PartsCarryAndRangeTable)
{
    struct Case {
        std::int32_t a_in[9];
        const char* p_expected; // null: invalid
    };
    const Case a_cases[] = {
        {{2000, 2, 29, 0, 0, 0, 0, 0, 0}, "2000-02-29 00:00:00.000000000"},
        {{1900, 2, 29, 0, 0, 0, 0, 0, 0}, "1900-03-01 00:00:00.000000000"},
        {{2024, 1, 1, 10, 75, 0, 0, 0, 0}, "2024-01-01 11:15:00.000000000"},
        {{2024, 12, 31, 23, 59, 59, 999, 999, 960}, "2025-01-01 00:00:00.000000000"},
        {{2024, 3, 1, 0, -1, 0, 0, 0, 0}, "2024-02-29 23:59:00.000000000"},
        {{2023, 1, 32, 0, 0, 0, 0, 0, 0}, "2023-02-01 00:00:00.000000000"},
        {{2023, 1, 0, 0, 0, 0, 0, 0, 0}, "2022-12-31 00:00:00.000000000"},
        {{2023, 5, 6, 7, 8, 9, 10, 11, 120}, "2023-05-06 07:08:09.010011100"},
        {{29000, 12, 31, 0, 0, 0, 0, 0, 0}, "29000-12-31 00:00:00.000000000"},
        {{-27000, 1, 1, 0, 0, 0, 0, 0, 0}, "-27000-01-01 00:00:00.000000000"},
        // In range as a year, but before the earliest 64-bit tick count.
        {{-29000, 1, 1, 0, 0, 0, 0, 0, 0}, nullptr},
        {{29001, 1, 1, 0, 0, 0, 0, 0, 0}, nullptr},
        {{-29001, 1, 1, 0, 0, 0, 0, 0, 0}, nullptr},
        {{2000, 0, 1, 0, 0, 0, 0, 0, 0}, nullptr},
        {{2000, 13, 1, 0, 0, 0, 0, 0, 0}, nullptr},
        // Far beyond 64 bits of ticks: invalid, not an overflow.
        {{29000, 12, 2147483647, 2147483647, 2147483647, 0, 0, 0, 0}, nullptr},
        {{2000, 1, 1, 0, 0, 0, 0, 0, 0}, "2000-01-01 00:00:00.000000000"},
    };
    for (const Case& c : a_cases) {
        const std::int32_t* a = c.a_in;
        CHighTime o_time(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
        SCOPED_TRACE(testing::Message() << a[0] << "-" << a[1] << "-" << a[2] << " " << a[3] << ":" << a[4]);
        if (c.p_expected == nullptr) {
            EXPECT_EQ(o_time.GetStatus(), CHighTime::invalid);
            EXPECT_EQ(o_time.GetYear(), -1);
            EXPECT_FALSE(o_time.SetDateTime(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]));
        } else {
            EXPECT_EQ(o_time.GetStatus(), CHighTime::valid);
            EXPECT_EQ(Ymdhms(o_time), c.p_expected);
        }
    }
}

// Every day from year -2000 to 12000 against an independent day count,
// in both directions.
TEST(HighTimeTest, CalendarAgreesWithCivilDayCount)
{
    const std::int64_t ll_origin = OleDate::DaysFromCivil(1601, 1, 1);
    const std::int32_t a_monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::int64_t ll_expectedDay = OleDate::DaysFromCivil(-2000, 1, 1) - ll_origin;
    std::int32_t i_weekDay = static_cast<std::int32_t>(((ll_expectedDay % 7) + 7 + 1) % 7) + 1;
    for (std::int32_t i_year = -2000; i_year <= 12000; ++i_year) {
        const bool b_leap = (i_year % 4 == 0 && i_year % 100 != 0) || i_year % 400 == 0;
        std::int32_t i_dayOfYear = 0;
        for (std::int32_t i_month = 1; i_month <= 12; ++i_month) {
            const std::int32_t i_days = a_monthDays[i_month - 1] + (i_month == 2 && b_leap);
            for (std::int32_t i_day = 1; i_day <= i_days; ++i_day) {
                ++i_dayOfYear;
                std::int64_t ll_ticks = 0;
                ASSERT_TRUE(CHighTime::ConvertTimeToLongLong(i_year, i_month, i_day, 13, 0, 0, 0, 0, 0, ll_ticks));
                ASSERT_EQ(ll_ticks, ll_expectedDay * llDay + 13 * CHighTimeSpan::llTicksPerHour)
                    << i_year << "-" << i_month << "-" << i_day;
                CHighTime::_HighTimeFormat o_parts;
                ASSERT_TRUE(CHighTime::ComputeLongLongToTime(ll_ticks, o_parts));
                ASSERT_EQ(o_parts.iYear, i_year);
                ASSERT_EQ(o_parts.iMonth, i_month);
                ASSERT_EQ(o_parts.iDay, i_day);
                ASSERT_EQ(o_parts.iHour, 13);
                ASSERT_EQ(o_parts.iDayOfYear, i_dayOfYear);
                ASSERT_EQ(o_parts.iDayOfWeek, i_weekDay) << i_year << "-" << i_month << "-" << i_day;
                ++ll_expectedDay;
                i_weekDay = i_weekDay % 7 + 1;
            }
        }
    }
}

TEST(HighTimeTest, TicksBefore1601SplitIntoRealTimes)
{
    EXPECT_EQ(Ymdhms(CHighTime(std::int64_t{-1})), "1600-12-31 23:59:59.999999900");
    EXPECT_EQ(Ymdhms(CHighTime(std::int64_t{-1} * CHighTimeSpan::llTicksPerMinute)), "1600-12-31 23:59:00.000000000");
    // The extremes of the count convert without overflow.
    CHighTime::_HighTimeFormat o_parts;
    ASSERT_TRUE(CHighTime::ComputeLongLongToTime(llMax, o_parts));
    EXPECT_EQ(o_parts.iYear, 30828);
    EXPECT_EQ(o_parts.iMonth, 9);
    EXPECT_EQ(o_parts.iDay, 14);
    EXPECT_EQ(o_parts.iHour * 10000 + o_parts.iMinute * 100 + o_parts.iSecond, 24805);
    EXPECT_EQ(o_parts.iMilliSecond * 1000000 + o_parts.iMicroSecond * 1000 + o_parts.iNanoSecond, 477580700);
    ASSERT_TRUE(CHighTime::ComputeLongLongToTime(llMin, o_parts));
    EXPECT_EQ(o_parts.iYear, -27627);
    EXPECT_EQ(o_parts.iMonth, 4);
    // The earliest count's time of day, whose split must not overflow on
    // the way (a sanitising build checks that).
    EXPECT_EQ(o_parts.iHour * 10000 + o_parts.iMinute * 100 + o_parts.iSecond, 211154);
    EXPECT_EQ(o_parts.iMilliSecond * 1000000 + o_parts.iMicroSecond * 1000 + o_parts.iNanoSecond, 522419200);
}

TEST(HighTimeTest, SettersAndGetters)
{
    CHighTime o_time(2023, 11, 5, 14, 30, 15, 250, 125, 700);
    EXPECT_EQ(o_time.GetYear(), 2023);
    EXPECT_EQ(o_time.GetMonth(), 11);
    EXPECT_EQ(o_time.GetDay(), 5);
    EXPECT_EQ(o_time.GetHour(), 14);
    EXPECT_EQ(o_time.GetMinute(), 30);
    EXPECT_EQ(o_time.GetSecond(), 15);
    EXPECT_EQ(o_time.GetMilliSecond(), 250);
    EXPECT_EQ(o_time.GetMicroSecond(), 125);
    EXPECT_EQ(o_time.GetNanoSecond(), 700);
    EXPECT_EQ(o_time.GetDayOfWeek(), 1); // a Sunday
    EXPECT_EQ(o_time.GetDayOfYear(), 309);

    EXPECT_TRUE(o_time.SetDate(2024, 2, 29));
    EXPECT_EQ(Ymdhms(o_time), "2024-02-29 00:00:00.000000000");
    EXPECT_TRUE(o_time.SetTime(9, 45, 3));
    EXPECT_EQ(Ymdhms(o_time), "1601-01-01 09:45:03.000000000");
    EXPECT_TRUE(o_time.SetFracTime(1, 2, 300));
    EXPECT_EQ(Ticks(o_time), 10023);
    EXPECT_FALSE(o_time.SetDate(2024, 13, 1));
    EXPECT_EQ(o_time.GetStatus(), CHighTime::invalid);
    EXPECT_EQ(o_time.GetDay(), -1);

    CHighTime o_null = Status(CHighTime::null);
    EXPECT_EQ(o_null.GetHour(), -1);
    SYSTEMTIME o_record;
    o_record.wYear = 7;
    EXPECT_FALSE(o_null.GetAsSystemTime(o_record));
    EXPECT_EQ(o_record.wYear, 7);
}

TEST(HighTimeTest, ComparisonsUseStatusForEqualityOnly)
{
    const CHighTime o_early(2000, 1, 1), o_late(2000, 1, 2);
    EXPECT_TRUE(o_early < o_late);
    EXPECT_TRUE(o_early <= o_late);
    EXPECT_TRUE(o_late > o_early);
    EXPECT_TRUE(o_late >= o_early);
    EXPECT_TRUE(o_early != o_late);
    CHighTime o_nullEarly = o_early;
    o_nullEarly.SetStatus(CHighTime::null);
    EXPECT_FALSE(o_nullEarly == o_early);
    EXPECT_TRUE(o_nullEarly <= o_early && o_nullEarly >= o_early);
    // Signed ticks: before 1601 is smaller.
    EXPECT_TRUE(CHighTime(1500, 1, 1) < CHighTime(1601, 1, 1));
}

TEST(HighTimeTest, ArithmeticStatusRule)
{
    using S = CHighTime::HighTimeStatus;
    const S a_statuses[3] = {CHighTime::valid, CHighTime::invalid, CHighTime::null};
    auto expected = [](S a, S b) {
        if (a == CHighTime::null || b == CHighTime::null)
            return CHighTime::null;
        if (a == CHighTime::invalid || b == CHighTime::invalid)
            return CHighTime::invalid;
        return CHighTime::valid;
    };
    for (S e_a : a_statuses) {
        for (S e_b : a_statuses) {
            const S e_want = expected(e_a, e_b);
            const std::int64_t ll_ticks = e_want == CHighTime::valid ? 0 : -1;
            SCOPED_TRACE(testing::Message() << e_a << " with " << e_b);
            const CHighTime o_sum = Status(e_a) + SpanStatus(e_b);
            EXPECT_EQ(o_sum.GetStatus(), e_want);
            const CHighTime o_diff = Status(e_a) - SpanStatus(e_b);
            EXPECT_EQ(o_diff.GetStatus(), e_want);
            const CHighTimeSpan o_between = Status(e_a) - Status(e_b);
            EXPECT_EQ(o_between.GetStatus(), e_want);
            EXPECT_EQ((SpanStatus(e_a) + SpanStatus(e_b)).GetStatus(), e_want);
            EXPECT_EQ((SpanStatus(e_a) - SpanStatus(e_b)).GetStatus(), e_want);
            if (ll_ticks != 0) {
                EXPECT_EQ(Ticks(o_sum), 0);
                EXPECT_EQ(Ticks(o_between), 0);
            }
        }
    }
    CHighTime o_time(2000, 1, 31, 23);
    o_time += CHighTimeSpan(0, 2);
    EXPECT_EQ(Ymdhms(o_time), "2000-02-01 01:00:00.000000000");
    o_time -= CHighTimeSpan(1, 0);
    EXPECT_EQ(Ymdhms(o_time), "2000-01-31 01:00:00.000000000");
    EXPECT_EQ(Ticks(CHighTime(2000, 3, 1) - CHighTime(2000, 2, 28)), 2 * llDay);
}

TEST(HighTimeTest, OverflowGivesInvalidNeverWraps)
{
    const CHighTime o_late(llMax);
    EXPECT_EQ((o_late + CHighTimeSpan(std::int64_t{1})).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTime(llMin) - CHighTimeSpan(std::int64_t{1})).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTime(llMin) - o_late).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTimeSpan(llMax) + CHighTimeSpan(std::int64_t{1})).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTimeSpan(llMin) - CHighTimeSpan(std::int64_t{1})).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((-CHighTimeSpan(llMin)).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTimeSpan(llMax / 2 + 1) * 2).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTimeSpan(std::int64_t{10}) / 0).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((CHighTimeSpan(llMin) / -1).GetStatus(), CHighTime::invalid);
    EXPECT_EQ(CHighTimeSpan(20000000, 0).GetStatus(), CHighTime::invalid);
    EXPECT_EQ(CHighTimeSpan(llMax).GetTotalNanoSeconds(), llMax);
    EXPECT_EQ(CHighTimeSpan(llMin).GetTotalNanoSeconds(), llMin);
}

TEST(HighTimeTest, SpanPartsAndTotals)
{
    const CHighTimeSpan o_span(3, 4, 5, 6, 7, 8, 950);
    EXPECT_EQ(Ticks(o_span), 3 * llDay + 4 * 36000000000LL + 5 * 600000000LL + 6 * 10000000LL + 70000 + 80 + 10);
    EXPECT_EQ(o_span.GetDays(), 3);
    EXPECT_EQ(o_span.GetHours(), 4);
    EXPECT_EQ(o_span.GetMinutes(), 5);
    EXPECT_EQ(o_span.GetSeconds(), 6);
    EXPECT_EQ(o_span.GetMilliSeconds(), 7);
    EXPECT_EQ(o_span.GetMicroSeconds(), 9);
    EXPECT_EQ(o_span.GetNanoSeconds(), 0);
    EXPECT_EQ(o_span.GetTotalHours(), 76);
    EXPECT_EQ(o_span.GetTotalMinutes(), 76 * 60 + 5);
    EXPECT_EQ(o_span.GetTotalNanoSeconds(), Ticks(o_span) * 100);

    // Negative spans: truncating parts, nanoseconds rounded away from zero.
    const CHighTimeSpan o_negative(0, -1, -30, 0, 0, 0, -150);
    EXPECT_EQ(Ticks(o_negative), -(90 * 600000000LL) - 2);
    EXPECT_TRUE(o_negative.IsNegative());
    EXPECT_EQ(o_negative.GetHours(), -1);
    EXPECT_EQ(o_negative.GetMinutes(), -30);
    EXPECT_EQ(o_negative.GetNanoSeconds(), -200);
    EXPECT_EQ(o_negative.GetTotalMinutes(), -90);

    const CHighTimeSpan o_negated = -SpanStatus(CHighTime::null);
    EXPECT_EQ(o_negated.GetStatus(), CHighTime::valid);
    EXPECT_EQ(Ticks(o_negated), -36000000000LL);
    EXPECT_EQ(Ticks(CHighTimeSpan(std::int64_t{7}) / 2), 3);
    EXPECT_EQ(Ticks(CHighTimeSpan(std::int64_t{-7}) / 2), -3);
    CHighTimeSpan o_scaled = SpanStatus(CHighTime::invalid);
    o_scaled *= 3;
    EXPECT_EQ(o_scaled.GetStatus(), CHighTime::invalid);
    EXPECT_TRUE(CHighTimeSpan().IsZero());
    EXPECT_TRUE(CHighTimeSpan(std::int64_t{1}).IsPositive());
}

TEST(HighTimeTest, FormatTable)
{
    const CHighTime o_time(2026, 12, 8, 14, 5, 9, 7, 45, 300);
    struct Case {
        const char* p_format;
        const char* p_expected;
    };
    const Case a_cases[] = {
        {"%H:%M:%S.%s", "14:05:09.007"},
        {"%H:%M:%S.%#s", "14:05:09.7"},
        {"%u|%#u|%n|%#n", "045|45|300|300"},
        {"%d-%b-%Y %H:%M:%S", "08-Dec-2026 14:05:09"},
        {"%#d/%#m %#H:%M", "8/12 14:05"},
        {"%#I:%M%p|%I", "2:05PM|02"},
        {"%a %A %b %B", "Tue Tuesday Dec December"},
        {"%j %#j %y %w", "342 342 26 2"},
        {"%c", "12/08/26 14:05:09"},
        {"%#c", "Tuesday, December 8, 2026, 14:05:09"},
        {"%x|%#x|%X", "12/08/26|Tuesday, December 8, 2026|14:05:09"},
        {"%U %W", "49 49"},
        {"100%% %%s %q %", "100% %s %q %"},
        {"", ""},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(o_time.Format(c.p_format), c.p_expected) << c.p_format;

    EXPECT_EQ(CHighTime(2026, 1, 1, 0, 30).Format("%#I %p"), "12 AM");
    EXPECT_EQ(CHighTime(26, 1, 1).Format("%Y %#Y %y"), "0026 26 26");
    EXPECT_EQ(Status(CHighTime::null).Format("%H"), "");
    EXPECT_EQ(Status(CHighTime::invalid).Format("%H"), "Invalid DateTime");
}

TEST(HighTimeTest, SpanFormat)
{
    EXPECT_EQ(CHighTimeSpan(2, 3, 4, 5, 60).Format("%D %#Dd %H:%M:%S.%s"), "002 2d 03:04:05.060");
    EXPECT_EQ(CHighTimeSpan(0, 1, 30).Format("%H:%M"), "01:30");
    // A negative span shows its length after a minus sign.
    EXPECT_EQ(CHighTimeSpan(-1, -1, -30).Format("%#D %H:%M"), "-1 01:30");
    EXPECT_EQ(SpanStatus(CHighTime::null).Format("%H"), "");
    EXPECT_EQ(SpanStatus(CHighTime::invalid).Format("%H"), "Invalid DateTimeSpan");
    EXPECT_EQ(CHighTimeSpan(llMin).Format("%H"), "Invalid DateTimeSpan");
}

TEST(HighTimeTest, BufferFormat)
{
    const CHighTime o_time(2026, 12, 8, 14, 5, 9, 7);
    char sz_buffer[32];
    EXPECT_EQ(o_time.Format(nullptr, 10, "%H"), nullptr);
    EXPECT_EQ(Status(CHighTime::null).Format(sz_buffer, sizeof sz_buffer, "%H"), nullptr);
    // Plain codes only: the library's own stay as written.
    EXPECT_STREQ(o_time.Format(sz_buffer, sizeof sz_buffer, "%H:%M.%s"), "14:05.%s");
    EXPECT_STREQ(Status(CHighTime::invalid).Format(sz_buffer, sizeof sz_buffer, "%H"), "Invalid datetime");
    EXPECT_STREQ(SpanStatus(CHighTime::invalid).Format(sz_buffer, sizeof sz_buffer, "%H"), "Invalid datetimespan");
    EXPECT_STREQ(SpanStatus(CHighTime::invalid).Format(sz_buffer, 8, "%H"), "Invalid");
    // A text that does not fit leaves the buffer empty, never overrun.
    char sz_small[6] = "xxxxx";
    EXPECT_STREQ(o_time.Format(sz_small, sizeof sz_small, "%H:%M:%S"), "");
    EXPECT_STREQ(o_time.Format(sz_small, sizeof sz_small, "%H:%M"), "14:05");
}

std::vector<std::uint8_t> Stored(const CHighTime& o_time)
{
    CArchive ar(CArchive::store);
    ar << o_time;
    return ar.GetBuffer();
}

TEST(HighTimeTest, ArchiveFormIsThreeWords)
{
    const std::vector<std::uint8_t> v_expected = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(Stored(CHighTime((std::int64_t{1} << 32) + 2)), v_expected);

    CHighTime o_negative(std::int64_t{-2});
    o_negative.SetStatus(CHighTime::null);
    const std::vector<std::uint8_t> v_negative = {2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Stored(o_negative), v_negative);

    CArchive ar_store(CArchive::store);
    const CHighTimeSpan o_span(-3, 2);
    ar_store << o_negative << o_span;
    CArchive ar_load(ar_store.GetBuffer());
    CHighTime o_time;
    CHighTimeSpan o_loadedSpan;
    ar_load >> o_time >> o_loadedSpan;
    EXPECT_EQ(o_time, o_negative);
    EXPECT_EQ(o_loadedSpan, o_span);
    EXPECT_TRUE(ar_load.AtEnd());
}

TEST(HighTimeTest, DamagedArchiveFailsCleanly)
{
    // A status no value has.
    CArchive ar_bad(std::vector<std::uint8_t>{3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0});
    CHighTime o_time(2000, 1, 1);
    try {
        ar_bad >> o_time;
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    }
    EXPECT_EQ(o_time, CHighTime(2000, 1, 1));
    // Cut short.
    CArchive ar_short(std::vector<std::uint8_t>{0, 0, 0, 0, 1, 0, 0, 0});
    CHighTimeSpan o_span;
    try {
        ar_short >> o_span;
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
}

TEST(HighTimeTest, ConversionCacheCounts)
{
    std::int64_t ll_calls0, ll_hits0, ll_entries0;
    CHighTime::GetLLTStat(ll_calls0, ll_hits0, ll_entries0);
    // A tick count no other test converts.
    const CHighTime o_time(4730, 10, 3, 12, 34, 56, 789, 123, 400);
    EXPECT_EQ(o_time.GetYear(), 4730);
    EXPECT_EQ(o_time.GetMonth(), 10);
    EXPECT_EQ(o_time.GetDay(), 3);
    std::int64_t ll_calls, ll_hits, ll_entries;
    CHighTime::GetLLTStat(ll_calls, ll_hits, ll_entries);
    EXPECT_EQ(ll_calls - ll_calls0, 3);
    EXPECT_EQ(ll_hits - ll_hits0, 2);
    EXPECT_EQ(ll_entries - ll_entries0, 1);
    // A time that is not valid asks nothing of the cache.
    Status(CHighTime::invalid).GetYear();
    CHighTime::GetLLTStat(ll_calls0, ll_hits0, ll_entries0);
    EXPECT_EQ(ll_calls0, ll_calls);
}

// Many new entries (the table grows several times over) and the one tick
// count the table cannot hold in place all come back as computed.
TEST(HighTimeTest, ConversionCacheKeepsEveryEntry)
{
    std::vector<std::int64_t> v_ticks = {llMin, llMax, 0, -1};
    for (std::int64_t ll = 0; ll < 20000; ++ll)
        v_ticks.push_back(-7777777777777 + ll * 6000000000LL + ll % 7);
    std::int64_t ll_calls0, ll_hits0, ll_entries0;
    CHighTime::GetLLTStat(ll_calls0, ll_hits0, ll_entries0);
    for (int i_pass = 0; i_pass < 2; ++i_pass) {
        for (std::int64_t ll : v_ticks) {
            CHighTime::_HighTimeFormat o_cached, o_computed;
            ASSERT_TRUE(CHighTime::ConvertLongLongToTime(ll, o_cached));
            ASSERT_TRUE(CHighTime::ComputeLongLongToTime(ll, o_computed));
            ASSERT_EQ(std::memcmp(&o_cached, &o_computed, sizeof o_cached), 0) << ll;
        }
    }
    std::int64_t ll_calls, ll_hits, ll_entries;
    CHighTime::GetLLTStat(ll_calls, ll_hits, ll_entries);
    const std::int64_t ll_count = static_cast<std::int64_t>(v_ticks.size());
    EXPECT_EQ(ll_calls - ll_calls0, 2 * ll_count);
    // Other tests may have converted the first few already.
    EXPECT_GE(ll_hits - ll_hits0, ll_count);
    EXPECT_LE(ll_entries - ll_entries0, ll_count);
    EXPECT_GE(ll_entries - ll_entries0, ll_count - 4);
    EXPECT_EQ((ll_calls - ll_calls0) - (ll_hits - ll_hits0), ll_entries - ll_entries0);
}

// The first conversion of a process meets the empty cache. It runs in a
// process of its own (the rest of this program has filled the cache long
// before), and must come back as computed for a count in either half of
// the hash range.
TEST(HighTimeDeathTest, FirstConversionOfAProcessIsComputed)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const std::int64_t ll_ticks : {std::int64_t{1}, std::int64_t{2}, std::int64_t{0}}) {
        const auto first_conversion = [ll_ticks] {
            CHighTime::_HighTimeFormat o_cached{}, o_computed{};
            const bool b_same = CHighTime::ConvertLongLongToTime(ll_ticks, o_cached) &&
                                CHighTime::ComputeLongLongToTime(ll_ticks, o_computed) &&
                                std::memcmp(&o_cached, &o_computed, sizeof o_cached) == 0;
            std::_Exit(b_same ? 0 : 1);
        };
        EXPECT_EXIT(first_conversion(), testing::ExitedWithCode(0), "") << ll_ticks;
    }
}

TEST(HighTimeTest, OleDateTimeConversions)
{
    struct Case {
        double d_date;
        const char* p_expected;
    };
    const Case a_cases[] = {
        {0.0, "1899-12-30 00:00:00.000000000"},
        {36526.5, "2000-01-01 12:00:00.000000000"},
        {-1.25, "1899-12-29 06:00:00.000000000"},
        {2.0 + 1.0 / 86400.0 * 0.6, "1900-01-01 00:00:01.000000000"}, // rounded to the second
        {45000.999999999, "2023-03-16 00:00:00.000000000"}, // rounds to the next midnight
        {-657434.0, "0100-01-01 00:00:00.000000000"},
        {2958465.5, "9999-12-31 12:00:00.000000000"},
    };
    for (const Case& c : a_cases) {
        const CHighTime o_time{COleDateTime(c.d_date)};
        EXPECT_EQ(Ymdhms(o_time), c.p_expected) << c.d_date;
    }
    EXPECT_EQ(CHighTime(COleDateTime(2958466.5)).GetStatus(), CHighTime::invalid);
    EXPECT_EQ(CHighTime(COleDateTime(std::numeric_limits<double>::quiet_NaN())).GetStatus(), CHighTime::invalid);
    COleDateTime o_null;
    o_null.SetStatus(COleDateTime::null);
    EXPECT_EQ(CHighTime(o_null).GetStatus(), CHighTime::null);

    // The framework's archive form, as files of versions 1 to 6 hold it.
    CArchive ar_store(CArchive::store);
    ar_store << std::int32_t{0} << 36526.75 << std::int32_t{2} << 0.0;
    CArchive ar_load(ar_store.GetBuffer());
    COleDateTime o_first, o_second;
    ar_load >> o_first >> o_second;
    EXPECT_EQ(Ymdhms(CHighTime(o_first)), "2000-01-01 18:00:00.000000000");
    EXPECT_EQ(CHighTime(o_second).GetStatus(), CHighTime::null);
    CArchive ar_bad(std::vector<std::uint8_t>{9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_THROW(ar_bad >> o_first, CArchiveException);

    // Back to the framework's form: whole seconds, optionally rounded.
    const CHighTime o_time(1899, 12, 29, 6, 0, 0, 600);
    EXPECT_DOUBLE_EQ(o_time.GetCOleDateTime(false).m_dt, -1.25);
    EXPECT_EQ(o_time.GetCOleDateTime(true).GetSecond(), 1);
    EXPECT_EQ(CHighTime(2000, 1, 1, 23, 59, 59, 500).GetCOleDateTime(true).GetDay(), 2);
    EXPECT_EQ(CHighTime(2000, 1, 1, 23, 59, 59, 499).GetCOleDateTime(true).GetDay(), 1);
    EXPECT_EQ(CHighTime(50, 1, 1).GetCOleDateTime().GetStatus(), COleDateTime::invalid);
    const COleDateTime o_fromNull = Status(CHighTime::null).GetCOleDateTime();
    EXPECT_EQ(o_fromNull.m_dt, 0.0);
    EXPECT_EQ(o_fromNull.GetStatus(), COleDateTime::null);
    // Before the base day the fraction still counts forward from midnight.
    for (double d_date : {-700.5, -1.25, 1.75, 45123.0416666666667}) {
        const COleDateTime o_back = static_cast<COleDateTime>(CHighTime(COleDateTime(d_date)));
        EXPECT_NEAR(o_back.m_dt, d_date, 1e-9);
    }

    const CHighTimeSpan o_span{COleDateTimeSpan(2, 3, 4, 5)};
    EXPECT_EQ(Ticks(o_span), Ticks(CHighTimeSpan(2, 3, 4, 5)));
    const COleDateTimeSpan o_ole = CHighTimeSpan(-1, -2, -3, -4, -600).GetCOleDateTimeSpan(true);
    EXPECT_EQ(o_ole.GetDays(), -1);
    EXPECT_EQ(o_ole.GetHours(), -2);
    EXPECT_EQ(o_ole.GetSeconds(), -4);
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, 4, 500).GetCOleDateTimeSpan(true).GetSeconds(), 5);
}

TEST(HighTimeTest, SystemAndFileTimes)
{
    SYSTEMTIME o_record;
    o_record.wYear = 2024;
    o_record.wMonth = 2;
    o_record.wDay = 29;
    o_record.wHour = 8;
    o_record.wMinute = 7;
    o_record.wSecond = 6;
    o_record.wMilliseconds = 5;
    const CHighTime o_time(o_record);
    EXPECT_EQ(Ymdhms(o_time), "2024-02-29 08:07:06.005000000");
    SYSTEMTIME o_back = static_cast<SYSTEMTIME>(o_time);
    EXPECT_EQ(o_back.wDayOfWeek, 4); // a Thursday
    EXPECT_EQ(o_back.wMilliseconds, 5);
    EXPECT_EQ(o_back.wDay, 29);

    // A file time is the tick count; the conversion keeps milliseconds.
    const CHighTime o_precise(2024, 2, 29, 8, 7, 6, 5, 4, 300);
    const FILETIME o_file = static_cast<FILETIME>(o_precise);
    EXPECT_EQ((std::uint64_t{o_file.dwHighDateTime} << 32) | o_file.dwLowDateTime,
              static_cast<std::uint64_t>(Ticks(o_precise)));
    EXPECT_EQ(CHighTime(o_file), o_time);
    CHighTime o_bad(2000, 1, 1);
    o_bad = FILETIME{0, 0x80000000u};
    EXPECT_EQ(o_bad.GetStatus(), CHighTime::invalid);
    EXPECT_EQ(Ticks(o_bad), Ticks(CHighTime(2000, 1, 1)));
    EXPECT_EQ(static_cast<LARGE_INTEGER>(CHighTime(std::int64_t{-5})).QuadPart, -5);
}

TEST(HighTimeTest, CalendarTimeIsLocal)
{
    const char* p_saved = std::getenv("TZ");
    const std::string s_saved = p_saved ? p_saved : "";
    setenv("TZ", "UTC0", 1);
    tzset();
    const CHighTime o_epoch(CalendarTime{0});
    EXPECT_EQ(Ymdhms(o_epoch), "1970-01-01 00:00:00.000000000");
    setenv("TZ", "XST-2", 1); // two hours east
    tzset();
    EXPECT_EQ(CHighTime(CalendarTime{86400}).Format("%Y-%m-%d %H:%M"), "1970-01-02 02:00");
    if (p_saved)
        setenv("TZ", s_saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();

    const CHighTime o_now = CHighTime::GetPresentTime();
    EXPECT_EQ(o_now.GetStatus(), CHighTime::valid);
    EXPECT_GE(o_now.GetYear(), 2024);
}

} // namespace
