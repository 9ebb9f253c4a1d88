#include "framework/Archive.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

std::string Text(const ZelOleDateTime& o_time) { return o_time.Format("%Y-%m-%d %H:%M:%S"); }

ZelOleDateTime WithStatus(CHighTime::HighTimeStatus e_status)
{
    ZelOleDateTime o_time(2020, 6, 15, 8, 0, 0);
    o_time.SetStatus(e_status);
    return o_time;
}

// Sets TZ for a test and puts the old one back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* p_zone)
    {
        const char* p_saved = std::getenv("TZ");
        bHad = p_saved != nullptr;
        sSaved = bHad ? p_saved : "";
        setenv("TZ", p_zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (bHad)
            setenv("TZ", sSaved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool bHad;
    std::string sSaved;
};

TEST(DateHelpersTest, ConstructionAndConversions)
{
    EXPECT_TRUE(ZelOleDateTime().IsNull());
    const ZelOleDateTime o_time(2024, 2, 29, 13, 45, 10);
    EXPECT_TRUE(o_time.IsValid());
    EXPECT_EQ(Text(o_time), "2024-02-29 13:45:10");
    EXPECT_EQ(ZelOleDateTime(2024, 13, 1).GetStatus(), CHighTime::invalid);

    // Arithmetic through the base classes comes back as the helpers.
    const ZelOleDateTime o_later = o_time + ZelOleDateTimeSpan(1, 2, 0, 0);
    EXPECT_EQ(Text(o_later), "2024-03-01 15:45:10");
    const ZelOleDateTimeSpan o_between = o_later - o_time;
    EXPECT_EQ(o_between.GetTotalMinutes(), 26 * 60);

    VARIANT o_variant;
    o_variant.vt = VT_DATE;
    o_variant.date = 45351.5;
    EXPECT_EQ(Text(ZelOleDateTime(o_variant)), "2024-02-29 12:00:00");
    o_variant.vt = VT_EMPTY;
    EXPECT_EQ(ZelOleDateTime(o_variant).GetStatus(), CHighTime::invalid);

    ZelOleDateTime o_copy;
    o_copy = CHighTime(2001, 1, 1);
    EXPECT_EQ(Text(o_copy), "2001-01-01 00:00:00");
    o_copy.SetInvalid();
    EXPECT_FALSE(o_copy.IsValid());
    o_copy.SetNull();
    EXPECT_TRUE(o_copy.IsNull());

    ZelOleDateTime o_now;
    o_now.SetToCurrentTime();
    EXPECT_TRUE(o_now.IsValid());

    // No field of its own: the archive form is the base's three words.
    CArchive ar(CArchive::store);
    ar << o_time;
    EXPECT_EQ(ar.GetBuffer().size(), 12u);
}

TEST(DateHelpersTest, SetDateOnlyAndTimeOnlyRules)
{
    const ZelOleDateTime o_date(2024, 5, 17, 22, 10, 5);
    const ZelOleDateTime o_clock(1999, 1, 1, 6, 30, 45);

    ZelOleDateTime o_valid(2020, 6, 15, 8, 20, 40);
    o_valid += CHighTimeSpan(0, 0, 0, 0, 500); // sub-second parts go
    EXPECT_EQ(o_valid.SetDateOnly(o_date), 0);
    EXPECT_EQ(o_valid.Format("%Y-%m-%d %H:%M:%S.%s"), "2024-05-17 08:20:40.000");
    EXPECT_EQ(o_valid.SetTimeOnly(o_clock), 0);
    EXPECT_EQ(Text(o_valid), "2024-05-17 06:30:45");

    ZelOleDateTime o_null;
    EXPECT_EQ(o_null.SetDateOnly(o_date), 0);
    EXPECT_EQ(Text(o_null), "2024-05-17 00:00:00");
    o_null.SetNull();
    EXPECT_EQ(o_null.SetTimeOnly(o_clock), 0);
    EXPECT_EQ(Text(o_null), "1601-01-01 06:30:45");

    ZelOleDateTime o_invalid = WithStatus(CHighTime::invalid);
    EXPECT_EQ(o_invalid.SetDateOnly(o_date), CHighTime::invalid);
    EXPECT_EQ(o_invalid.SetTimeOnly(o_clock), CHighTime::invalid);
    EXPECT_EQ(o_invalid.GetStatus(), CHighTime::invalid);

    ZelOleDateTime o_kept(2020, 6, 15, 8, 0, 0);
    EXPECT_EQ(o_kept.SetDateOnly(WithStatus(CHighTime::null)), CHighTime::null);
    EXPECT_EQ(o_kept.SetTimeOnly(WithStatus(CHighTime::invalid)), CHighTime::invalid);
    EXPECT_EQ(o_kept.SetDateOnly(2024, 13, 1), CHighTime::invalid);
    EXPECT_EQ(Text(o_kept), "2020-06-15 08:00:00");

    // Parts carry, as everywhere: 31 June is 1 July.
    EXPECT_EQ(o_kept.SetDateOnly(2024, 6, 31), 0);
    EXPECT_EQ(Text(o_kept), "2024-07-01 08:00:00");
    EXPECT_EQ(o_kept.SetTimeOnly(17, 5, 0), 0);
    EXPECT_EQ(Text(o_kept), "2024-07-01 17:05:00");
}

TEST(DateHelpersTest, DateAndTimeParts)
{
    const ZelOleDateTime o_time(2024, 3, 10, 14, 25, 36);
    EXPECT_EQ(Text(o_time.GetDate()), "2024-03-10 00:00:00");
    EXPECT_EQ(Text(o_time.GetTime()), "2000-01-01 14:25:36");
    EXPECT_EQ(Text(ZelOleDateTime(1500, 7, 4, 23, 59, 59).GetDate()), "1500-07-04 00:00:00");
    EXPECT_TRUE(WithStatus(CHighTime::null).GetDate().IsNull());
    EXPECT_EQ(WithStatus(CHighTime::invalid).GetTime().GetStatus(), CHighTime::invalid);

    const ZelOleDateTime o_other(2024, 3, 10, 1, 0, 0);
    EXPECT_TRUE(o_time.IsSameDate(o_other));
    EXPECT_TRUE(o_time.IsSameMonth(ZelOleDateTime(2024, 3, 31)));
    EXPECT_FALSE(o_time.IsSameMonth(ZelOleDateTime(2023, 3, 10)));
    EXPECT_FALSE(o_time.IsSameTime(o_other));
    EXPECT_TRUE(o_time.IsSameTime(ZelOleDateTime(1990, 1, 1, 14, 25, 36)));
    EXPECT_FALSE(o_time.IsSameDate(WithStatus(CHighTime::null)));
}

TEST(DateHelpersTest, FixedLayoutTexts)
{
    const ZelOleDateTime o_evening(2024, 2, 9, 21, 5, 0);
    const ZelOleDateTime o_morning(2024, 2, 9, 0, 30, 0);
    EXPECT_EQ(o_evening.FormatHHMM(':'), "21:05");
    EXPECT_EQ(o_evening.FormatHHMM(0), "2105");
    EXPECT_EQ(o_evening.FormatHHMM('%'), "21%05");
    EXPECT_EQ(o_evening.FormatAMPM(TRUE, 0, ':'), "9:05pm");
    EXPECT_EQ(o_evening.FormatAMPM(FALSE, ' ', '.'), "9.05 PM");
    EXPECT_EQ(o_morning.FormatAMPM(TRUE, ' ', ':'), "12:30 am");
    EXPECT_EQ(o_evening.FormatDDDYY('/'), "040/24");
    EXPECT_EQ(o_evening.FormatDDDYY(0), "04024");
    EXPECT_EQ(o_evening.FormatDDMMYY('-'), "09-02-24");
    EXPECT_EQ(o_evening.FormatDDMMYY(0), "090224");
    EXPECT_EQ(o_evening.FormatDDMMYYYY('.'), "09.02.2024");
    EXPECT_EQ(o_evening.FormatDDMMYYYY(0), "09022024");
    EXPECT_EQ(WithStatus(CHighTime::null).FormatHHMM(':'), "");
}

TEST(DateHelpersTest, FixedLayoutParsers)
{
    ZelOleDateTime o_time;
    EXPECT_TRUE(o_time.SetHHMM("09:30", ':'));
    EXPECT_EQ(Text(o_time), "1601-01-01 09:30:00");
    EXPECT_TRUE(o_time.SetHHMMSS("23.59.58", '.'));
    EXPECT_EQ(Text(o_time), "1601-01-01 23:59:58");
    EXPECT_TRUE(o_time.SetHHMMSS("071502"));
    EXPECT_EQ(Text(o_time), "1601-01-01 07:15:02");
    // A short text reads what is there.
    EXPECT_TRUE(o_time.SetHHMM("9"));
    EXPECT_EQ(Text(o_time), "1601-01-01 09:00:00");

    EXPECT_TRUE(o_time.SetDDMMYY("010289"));
    EXPECT_EQ(Text(o_time), "2089-02-01 00:00:00");
    EXPECT_TRUE(o_time.SetDDMMYY("010290"));
    EXPECT_EQ(Text(o_time), "1990-02-01 00:00:00");
    EXPECT_TRUE(o_time.SetDDMMYYYY("29022024"));
    EXPECT_EQ(Text(o_time), "2024-02-29 00:00:00");
    EXPECT_FALSE(o_time.SetDDMMYYYY("01132024"));

    EXPECT_TRUE(o_time.SetDDDYY("06024"));
    EXPECT_EQ(Text(o_time), "2024-02-29 00:00:00");
    EXPECT_TRUE(o_time.SetDDDYY("36696"));
    EXPECT_EQ(Text(o_time), "1996-12-31 00:00:00");
    // Day 366 of a common year carries into the next one.
    EXPECT_TRUE(o_time.SetDDDYY("36695"));
    EXPECT_EQ(Text(o_time), "1996-01-01 00:00:00");
    EXPECT_FALSE(o_time.SetDDDYY("36724"));
    EXPECT_EQ(o_time.GetStatus(), CHighTime::invalid);
    EXPECT_FALSE(o_time.SetDDDYY("00024"));
    EXPECT_FALSE(o_time.SetDDDYY(""));
}

TEST(DateHelpersTest, TimeFromStringTable)
{
    struct Case {
        const char* p_text;
        const char* p_expected; // null: refused
    };
    const Case a_cases[] = {
        {"9:30pm", "21:30:00"},   {"930pm", "21:30:00"},    {"21.30", "21:30:00"},   {"2130", "21:30:00"},
        {"12am", "00:00:00"},     {"12pm", "12:00:00"},     {"12:15am", "00:15:00"}, {"7pm", "19:00:00"},
        {" 9 : 30 PM ", "21:30:00"}, {"10:20:30", "10:20:30"}, {"213045", "21:30:45"}, {"93045am", "09:30:45"},
        {"07", "07:00:00"},       {"0:05", "00:05:00"},     {"12:00xm", nullptr},    {"7", nullptr},
        {"", nullptr},            {"x9", nullptr},          {"9:30 p", nullptr},     {"25:00", nullptr},
        {"9:75", nullptr},        {"21:30:61", nullptr},
        // Long digit runs are numbers no clock shows, never wrapped round
        // into one (2^32 + 9 is not 9).
        {"4294967305:00", nullptr}, {"9:4294967326", nullptr}, {"9.30.4294967341", nullptr},
        {"99999999999999999999:00", nullptr},
    };
    for (const Case& c : a_cases) {
        ZelOleDateTime o_time(2024, 5, 17, 1, 2, 3);
        const BOOL b_ok = o_time.SetTimeFromString(c.p_text);
        if (c.p_expected == nullptr) {
            EXPECT_FALSE(b_ok) << c.p_text;
            EXPECT_EQ(Text(o_time), "2024-05-17 01:02:03") << c.p_text;
        } else {
            EXPECT_TRUE(b_ok) << c.p_text;
            EXPECT_EQ(Text(o_time), std::string("2024-05-17 ") + c.p_expected) << c.p_text;
        }
    }
    ZelOleDateTime o_null;
    EXPECT_TRUE(o_null.SetTimeFromString("8.15"));
    EXPECT_EQ(Text(o_null), "1601-01-01 08:15:00");
}

TEST(DateHelpersTest, NameTables)
{
    ZelOleDateTime::ResetNames();
    const ZelOleDateTime o_time(2024, 2, 29);
    EXPECT_EQ(o_time.GetDayName(), "Thursday");
    EXPECT_EQ(o_time.GetDayName(true), "Thu");
    EXPECT_EQ(o_time.GetMonthName(), "February");
    EXPECT_EQ(o_time.GetMonthName(true), "Feb");
    EXPECT_EQ(WithStatus(CHighTime::invalid).GetDayName(), "");
    EXPECT_EQ(WithStatus(CHighTime::null).GetMonthName(true), "");
    EXPECT_STREQ(ZelOleDateTime::DayNames[0], "Sunday");
    EXPECT_EQ(ZelOleDateTime::nDayNames, 7);

    // Another language where it has names; the rest stays; overlong names
    // are cut.
    const std::string s_long(200, 'x');
    ZelOleDateTime::InstallNames([&](ZelOleDateTime::NameTable e_table, int i_index) -> std::string {
        if (e_table == ZelOleDateTime::ntDayNames && i_index == 4)
            return "donderdag";
        if (e_table == ZelOleDateTime::ntAbbrevMonthNames && i_index == 1)
            return "f\xE9v";
        if (e_table == ZelOleDateTime::ntMonthNames && i_index == 1)
            return s_long;
        return {};
    });
    EXPECT_EQ(o_time.GetDayName(), "donderdag");
    EXPECT_EQ(o_time.GetDayName(true), "Thu");
    EXPECT_EQ(o_time.GetMonthName(true), "f\xE9v");
    EXPECT_EQ(o_time.GetMonthName(), std::string(128, 'x'));
    // The text form keeps its fixed names, whatever the tables say.
    EXPECT_EQ(o_time.Format("%A %b"), "Thursday Feb");
    ZelOleDateTime::ResetNames();
    EXPECT_EQ(o_time.GetDayName(), "Thursday");
    EXPECT_EQ(o_time.GetMonthName(), "February");

}

TEST(DateHelpersTest, LocaleNamesComeFromTheUsersLocale)
{
    const char* p_saved = std::getenv("LC_ALL");
    const std::string s_saved = p_saved ? p_saved : "";
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(ZelOleDateTime::LocaleName(ZelOleDateTime::ntDayNames, 0), "Sunday");
    EXPECT_EQ(ZelOleDateTime::LocaleName(ZelOleDateTime::ntAbbrevDayNames, 6), "Sat");
    EXPECT_EQ(ZelOleDateTime::LocaleName(ZelOleDateTime::ntMonthNames, 0), "January");
    EXPECT_EQ(ZelOleDateTime::LocaleName(ZelOleDateTime::ntAbbrevMonthNames, 11), "Dec");
    // A locale the machine does not have leaves the names as they are.
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(ZelOleDateTime::LocaleName(ZelOleDateTime::ntDayNames, 0), "");
    if (p_saved)
        setenv("LC_ALL", s_saved.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

TEST(DateHelpersTest, DayCounts)
{
    const ZelOleDateTime o_first(2024, 2, 27, 10, 0, 0);
    EXPECT_EQ(o_first.GetNumCalendarDays(ZelOleDateTime(2024, 3, 1, 9, 0, 0)), 4);
    EXPECT_EQ(ZelOleDateTime::GetNumCalendarDays(o_first, ZelOleDateTime(2024, 2, 27, 23, 0, 0)), 1);
    EXPECT_EQ(ZelOleDateTime::GetNumCalendarDays(o_first, ZelOleDateTime(2025, 2, 27, 0, 0, 0)), 367);
    EXPECT_EQ(o_first.GetNumCalendarDays(WithStatus(CHighTime::null)), 0);
    EXPECT_EQ(WithStatus(CHighTime::invalid).GetNumCalendarDays(o_first), 0);

    EXPECT_EQ(ZelOleDateTime(2024, 1, 1, 12, 0, 0).GetYearDays(), 1);
    EXPECT_EQ(ZelOleDateTime(2024, 3, 1).GetYearDays(), 61);
    EXPECT_EQ(ZelOleDateTime(2023, 12, 31, 23, 0, 0).GetYearDays(), 365);

    for (std::int32_t i_day = 1; i_day <= 29; ++i_day)
        EXPECT_EQ(ZelOleDateTime(2024, 2, i_day).GetNumMonthDays(), 29);
    EXPECT_EQ(ZelOleDateTime(2023, 2, 10).GetNumMonthDays(), 28);
    EXPECT_EQ(ZelOleDateTime(1900, 2, 10).GetNumMonthDays(), 28);
    EXPECT_EQ(ZelOleDateTime(2024, 4, 30).GetNumMonthDays(), 30);
    EXPECT_EQ(ZelOleDateTime(2024, 12, 1).GetNumMonthDays(), 31);
    EXPECT_EQ(WithStatus(CHighTime::null).GetNumMonthDays(), 0);
}

TEST(DateHelpersTest, CalendarTimeRoundTrip)
{
    ScopedTimeZone o_zone("XST-2");
    const ZelOleDateTime o_time(CalendarTime{1700000000});
    EXPECT_EQ(Text(o_time), "2023-11-15 00:13:20");
    EXPECT_EQ(o_time.GetAsCalendarTime().llSeconds, 1700000000);
    ZelOleDateTime o_assigned;
    o_assigned = CalendarTime{0};
    EXPECT_EQ(Text(o_assigned), "1970-01-01 02:00:00");
    EXPECT_EQ(WithStatus(CHighTime::null).GetAsCalendarTime().llSeconds, 0);
}

TEST(DateHelpersTest, SortingPutsInvalidThenNullThenValid)
{
    std::vector<ZelOleDateTime> v_dates = {ZelOleDateTime(2024, 1, 2), WithStatus(CHighTime::null),
                                           ZelOleDateTime(2023, 1, 1), WithStatus(CHighTime::invalid),
                                           WithStatus(CHighTime::null)};
    std::qsort(v_dates.data(), v_dates.size(), sizeof(ZelOleDateTime),
               static_cast<int (*)(const void*, const void*)>(&ZelOleDateTime::Compare));
    EXPECT_EQ(v_dates[0].GetStatus(), CHighTime::invalid);
    EXPECT_TRUE(v_dates[1].IsNull());
    EXPECT_TRUE(v_dates[2].IsNull());
    EXPECT_EQ(Text(v_dates[3]), "2023-01-01 00:00:00");
    EXPECT_EQ(Text(v_dates[4]), "2024-01-02 00:00:00");
    // Not-valid values of one status are equal whatever their ticks.
    ZelOleDateTime o_otherNull(1999, 1, 1);
    o_otherNull.SetNull();
    EXPECT_EQ(ZelOleDateTime::Compare(o_otherNull, WithStatus(CHighTime::null)), 0);

    ZelOleDateTimeSpan o_nullSpan;
    o_nullSpan.SetStatus(CHighTime::null);
    EXPECT_LT(ZelOleDateTimeSpan::Compare(o_nullSpan, ZelOleDateTimeSpan(-5, 0, 0, 0)), 0);
    EXPECT_GT(ZelOleDateTimeSpan::Compare(ZelOleDateTimeSpan(0, 0, 0, 1), ZelOleDateTimeSpan()), 0);
}

TEST(DateHelpersTest, DurationTextTable)
{
    using Z = ZelOleDateTimeSpan;
    struct Case {
        std::int64_t ll_seconds;
        Z::FormatUnits e_units;
        const char* p_expected;
    };
    const Case a_cases[] = {
        {0, Z::fuAll, "0s"},
        {5400, Z::fuAll, "1h30m"},
        {3601, Z::fuAll, "1h0m1s"},
        {7 * 86400 + 3 * 3600, Z::fuAll, "1w0d3h"},
        {7 * 86400 + 5, Z::fuAll, "1w0d0h0m5s"},
        {2 * 86400, Z::fuHours, "48h"},
        {5400, Z::fuSeconds, "5400s"},
        {5400, Z::fuMinutes, "90m"},
        {8 * 86400, Z::fuDays, "8d"},
        {8 * 86400, Z::fuWeeks, "1w1d"},
        {-5400, Z::fuAll, "-1h30m"},
        {59, Z::fuAll, "59s"},
        {std::numeric_limits<std::int64_t>::min(), Z::fuSeconds, "-9223372036854775808s"},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Z::GetAsText(c.ll_seconds, c.e_units), c.p_expected) << c.ll_seconds << " " << c.e_units;
    EXPECT_EQ(Z(0, 0, 30, 0).GetAsText(), "30m");
}

TEST(DateHelpersTest, DurationParseTable)
{
    struct Case {
        const char* p_text;
        bool b_ok;
        std::int64_t ll_seconds;
    };
    const Case a_cases[] = {
        {"-1d2h", true, -26 * 3600},  {"1h30m", true, 5400},  {"1w", true, 7 * 86400}, {"0s", true, 0},
        {"1h0m1s", true, 3601},       {"2d2d", true, 4 * 86400}, {"5x", false, 0},      {"", false, 0},
        {"5", false, 0},              {"h", false, 0},        {"-", false, 0},         {"1h 30m", false, 0},
        {"99999999999999999999s", false, 0}, {"2000000000000w", false, 0},
    };
    for (const Case& c : a_cases) {
        ZelOleDateTimeSpan o_span(0, 0, 0, 17);
        EXPECT_EQ(o_span.SetFromText(c.p_text) != FALSE, c.b_ok) << c.p_text;
        EXPECT_EQ(o_span.GetTotalSeconds(), c.b_ok ? c.ll_seconds : 17) << c.p_text;
        if (c.b_ok) {
            EXPECT_TRUE(o_span.IsValid());
        }
    }
    // What GetAsText writes, SetFromText reads.
    for (std::int64_t ll : {std::int64_t{1}, std::int64_t{-3601}, std::int64_t{694861}, std::int64_t{12345678}}) {
        ZelOleDateTimeSpan o_span;
        ASSERT_TRUE(o_span.SetFromText(ZelOleDateTimeSpan::GetAsText(ll).c_str()));
        EXPECT_EQ(o_span.GetTotalSeconds(), ll);
    }
}

TEST(DateHelpersTest, SplitTimeSpan)
{
    const ZelOleDateTimeSpan o_span(2, 5, 7, 9);
    ZelOleDateTimeSpan::SplitTimeSpan o_split;
    ASSERT_TRUE(o_span.GetAsSplitTimeSpan(o_split, false));
    EXPECT_EQ(o_split.lDays, 2);
    EXPECT_EQ(o_split.lHours, 5);
    EXPECT_EQ(o_split.lMinutes, 7);
    EXPECT_EQ(o_split.lSeconds, 9);
    EXPECT_EQ(o_split.lTotalHours, 0);
    ASSERT_TRUE(o_span.GetAsSplitTimeSpan(o_split, true));
    EXPECT_EQ(o_split.lTotalDays, 2);
    EXPECT_EQ(o_split.lTotalHours, 53);
    EXPECT_EQ(o_split.lTotalMinutes, 53 * 60 + 7);
    EXPECT_EQ(o_split.lTotalSeconds, (53 * 60 + 7) * 60 + 9);
    ZelOleDateTimeSpan o_invalid;
    o_invalid.SetStatus(CHighTime::invalid);
    EXPECT_FALSE(o_invalid.GetAsSplitTimeSpan(o_split, true));
}

} // namespace
