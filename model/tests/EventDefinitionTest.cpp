#include "model/DatePicture.h"
#include "model/EventDefinition.h"
#include "model/KeyList.h"
#include "model/tests/DayTimes.h"
#include "testsupport/ArchiveBytes.h"
#include "zelkit/base/ZelAssert.h"

#include <gtest/gtest.h>

using daytimes::Slot;
using daytimes::Slots;
using daytimes::Starts;
using testbytes::Builder;
using Strings = std::vector<std::string>;

namespace {

class EnglishNames : public ::testing::Test {
protected:
    void SetUp() override { ZelOleDateTime::ResetNames(); }
};

ZelArray<ZelOleDateTime> Dates(std::initializer_list<ZelOleDateTime> a_dates)
{
    ZelArray<ZelOleDateTime> a;
    for (const ZelOleDateTime& d : a_dates)
        a.Add(d);
    return a;
}

CalendarDays Calendar(std::initializer_list<ZelOleDateTime> a_dates)
{
    CalendarDays days;
    days.SetDatePicture("d MMM yyyy");
    days.SetDates(Dates(a_dates));
    return days;
}

WeekDays Week(std::initializer_list<int> a_days, int i_firstDay = 1)
{
    WeekDays days;
    days.SetFirstDay(i_firstDay);
    Flags flags(7);
    for (int i : a_days)
        flags[i] = 1;
    days.SetDays(flags);
    return days;
}

ZelStringArray Names(std::initializer_list<const char*> a_names)
{
    ZelStringArray a;
    for (const char* p : a_names)
        a.Add(p);
    return a;
}

std::vector<LONG> Ids(const DayDefBase& days)
{
    std::vector<LONG> v;
    for (int i = 0; i < days.GetNumDays(); ++i)
        v.push_back(days.GetDayId(i));
    return v;
}

// A layout told apart by its one slot's start hour.
DayDefSlots Layout(int i_hour)
{
    DayDefSlots layout;
    layout.SetSlots(Slots({Slot(i_hour, 0, 60)}), TRUE);
    return layout;
}

TEST_F(EnglishNames, IsConsecutivePerKind)
{
    struct Case {
        const DayDefBase* pDays;
        int iDay1, iDay2;
        BOOL bFollows;
        const char* pWhat;
    };
    const CalendarDays year_end = Calendar({{2023, 12, 30}, {2024, 1, 1}, {2023, 12, 31}});
    const CalendarDays gap = Calendar({{2023, 12, 31}, {2024, 1, 2}});
    const WeekDays week = Week({0, 1, 6}); // from Monday: 1, 6, 0
    CustomDays custom;
    custom.SetDays(Names({"One", "Two", "Three"}));
    custom.SetConsecutive(2, TRUE);
    const Case a_cases[] = {
        {&year_end, 0, 1, TRUE, "30 then 31 December"},
        {&year_end, 1, 2, TRUE, "31 December then 1 January"},
        {&year_end, 2, 1, FALSE, "backwards"},
        {&year_end, 2, 0, FALSE, "a calendar does not wrap"},
        {&gap, 0, 1, FALSE, "31 December then 2 January"},
        {&week, 1, 2, TRUE, "6 then 0: the week wraps"},
        {&week, 2, 1, FALSE, "0 then 6"},
        {&week, 2, 0, TRUE, "0 then 1"},
        {&week, 0, 1, FALSE, "1 then 6"},
        {&custom, 2, 0, TRUE, "the flagged last day wraps to the first"},
        {&custom, 1, 2, FALSE, "the second's flag is clear"},
        {&custom, 0, 1, FALSE, "the first's flag is clear"},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(c.pDays->IsConsecutive(c.iDay1, c.iDay2), c.bFollows) << c.pWhat;

    EXPECT_EQ(Ids(week), (std::vector<LONG>{1, 6, 0}));
    // An index past the chosen days is refused by the day check itself,
    // even one inside the week.
    for (auto [i_day1, i_day2] : {std::pair{0, 5}, std::pair{3, 0}}) {
        try {
            week.IsConsecutive(i_day1, i_day2);
            ADD_FAILURE() << i_day1 << ", " << i_day2 << " was accepted";
        } catch (const ZelAssertException& e) {
            EXPECT_NE(std::string(e.GetText()).find("< Days.GetSize()"), std::string::npos) << e.GetText();
        }
    }
}

// The neighbours and the identifier lookup are worked out when the days
// change: after every kind of change they must answer what the days' own
// rules answer when asked one pair at a time.
TEST_F(EnglishNames, NeighboursAndLookupsFollowEveryChangeOfTheDays)
{
    auto check = [](const DayDefBase& days, const char* p_what) {
        for (int i_day = 0; i_day < days.GetNumDays(); ++i_day) {
            std::vector<std::pair<int, int>> v_expected;
            for (int i = days.GetNumDays() - 1; i >= 0; --i) {
                if (days.IsConsecutive(i_day, i))
                    v_expected.emplace_back(i, -1);
                else if (days.IsConsecutive(i, i_day))
                    v_expected.emplace_back(i, +1);
            }
            std::vector<std::pair<int, int>> v_found;
            for (const DayDefBase::Neighbour& n : days.GetNeighbours(i_day))
                v_found.emplace_back(n.iDay, n.nShift);
            EXPECT_EQ(v_found, v_expected) << p_what << ", day " << i_day;
            int i_first = 0;
            while (days.GetDayId(i_first) != days.GetDayId(i_day))
                ++i_first;
            EXPECT_EQ(days.FindDayId(days.GetDayId(i_day)), i_first) << p_what << ", day " << i_day;
        }
        EXPECT_EQ(days.FindDayId(-7), -1) << p_what;
    };

    CalendarDays calendar = Calendar({{2023, 12, 31}, {2024, 1, 2}, {2024, 1, 1}});
    check(calendar, "dates across the year's end");
    // A damaged file may repeat a date: both copies are neighbours, and
    // the identifier names the first.
    calendar.SetDates(Dates({{2024, 3, 1}, {2024, 3, 2}, {2024, 3, 2}, {2024, 3, 4}}));
    check(calendar, "a repeated date");
    calendar.Reset();
    check(calendar, "no dates");
    EXPECT_EQ(calendar.FindDayId(81878), -1);

    WeekDays week = Week({0, 1, 6});
    check(week, "a wrapping week");
    week.SetFirstDay(0);
    week.SortDays();
    check(week, "the week sorted from Sunday");
    week.SetDays(Flags(7));
    check(week, "no week days");

    CustomDays custom;
    custom.SetDays(Names({"Only"}));
    custom.SetConsecutive(0, TRUE);
    check(custom, "a single day that follows itself");
    custom.SetDays(Names({"One", "Two", "Three"}));
    custom.SetConsecutive(0, TRUE);
    custom.SetConsecutive(2, TRUE);
    check(custom, "linked custom days");
    ZelArray<CustomDays::Day> a_rows;
    a_rows.Add(custom.GetDay(2));
    a_rows.Add(custom.GetDay(0));
    custom.SetDays(a_rows);
    check(custom, "custom days reordered by rows");
    const CustomDays copy(custom);
    check(copy, "a copy");
    CustomDays loaded;
    testbytes::Load(loaded, testbytes::Store(custom), 40);
    check(loaded, "custom days read from a file");
    EXPECT_EQ(loaded.GetNeighbours(0).size(), 1u);
}

TEST_F(EnglishNames, CalendarDayIdsNamesAndDates)
{
    struct Case {
        ZelOleDateTime oDate;
        LONG lId;
    };
    const Case a_cases[] = {
        {{1800, 1, 1}, 0}, {{1800, 1, 2}, 1}, {{1799, 12, 31}, -1}, {{2000, 1, 1, 23, 59}, 73048},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(CalendarDays::GetCalendarDayId(c.oDate), c.lId) << c.oDate.Format("%Y-%m-%d");

    CalendarDays days = Calendar({{2024, 3, 5}, {2024, 3, 4, 10}});
    EXPECT_EQ(days.GetDayName(0), "4 Mar 2024") << "dates are sorted";
    EXPECT_EQ(days.GetDayName(1), "5 Mar 2024");
    EXPECT_EQ(Ids(days), (std::vector<LONG>{81877, 81878}));
    EXPECT_EQ(days.FindDayId(81878), 1);
    EXPECT_EQ(days.FindDayId(81879), -1);
    EXPECT_EQ(days.FindDate({2024, 3, 5, 18, 30}), 1) << "the same calendar date at another time";
    EXPECT_EQ(days.FindDayByName("5 Mar 2024"), 1);
    EXPECT_EQ(days.FindDayByName("5 mar 2024"), -1);

    // A date already present keeps its layout; a new one starts empty.
    days.GetDaySlots(1) = Layout(8);
    days.SetDates(Dates({{2024, 3, 6}, {2024, 3, 5}}));
    EXPECT_EQ(Starts(days.GetDaySlots(0).GetSlots()), Strings({"08:00"}));
    EXPECT_EQ(days.GetDaySlots(1).GetNumSlots(), 0);
    EXPECT_EQ(Ids(days), (std::vector<LONG>{81878, 81879}));
}

TEST_F(EnglishNames, DatePictures)
{
    const CHighTime dt_tuesday(2024, 3, 5, 14, 30);
    struct Case {
        const char* pPicture;
        const char* pText;
    };
    const Case a_cases[] = {
        {"d/M/yy", "5/3/24"},
        {"dd.MM.yyyy", "05.03.2024"},
        {"dddd, MMMM d", "Tuesday, March 5"},
        {"ddd dd MMM", "Tue 05 Mar"},
        {"ddddd MMMMM", "Tuesday March"},
        {"'Day' d 'o''clock'", "Day 5 o'clock"},
        {"y yyy", "24 2024"},
        {"d 'open", "5 open"},
        {"", ""},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(FormatDatePicture(dt_tuesday, c.pPicture), c.pText) << c.pPicture;
    EXPECT_EQ(FormatDatePicture(CHighTime(2005, 11, 20), "y/yy"), "5/05");
    CHighTime dt_null;
    dt_null.SetStatus(CHighTime::null);
    EXPECT_EQ(FormatDatePicture(dt_null, "d"), "");

    // The names are the date helpers' tables.
    ZelOleDateTime::InstallNames([](ZelOleDateTime::NameTable e_table, int i_index) -> std::string {
        return e_table == ZelOleDateTime::ntDayNames && i_index == 2 ? "Dienstag" : "";
    });
    EXPECT_EQ(FormatDatePicture(dt_tuesday, "dddd d"), "Dienstag 5");
    ZelOleDateTime::ResetNames();

    const Case a_formats[] = {
        {"%m/%d/%y", "MM/dd/yy"},   {"%d.%m.%Y", "dd.MM.yyyy"}, {"%Y-%m-%d", "yyyy-MM-dd"},
        {"%e %B %Y", "d MMMM yyyy"}, {"%-d. %b", "d. MMM"},      {"%D", "MM/dd/yy"},
        {"%d de %B", "dd' de 'MMMM"}, {"%a %d%%", "ddd dd%"},
    };
    for (const Case& c : a_formats)
        EXPECT_EQ(DatePictureFromStrftime(c.pPicture), c.pText) << c.pPicture;
    EXPECT_FALSE(GetShortDatePicture().empty());
}

TEST_F(EnglishNames, WeekDaysSortAndKeepTheirLayouts)
{
    WeekDays week = Week({0, 1, 5});
    EXPECT_EQ(Ids(week), (std::vector<LONG>{1, 5, 0}));
    EXPECT_EQ(week.GetDayName(0), "Monday");
    week.SetFullName(FALSE);
    EXPECT_EQ(week.GetDayName(2), "Sun");

    for (int i = 0; i < week.GetNumDays(); ++i)
        week.GetDaySlots(i) = Layout(8 + week.GetDayId(i));
    week.SetFirstDay(0);
    week.SortDays();
    EXPECT_EQ(Ids(week), (std::vector<LONG>{0, 1, 5}));
    EXPECT_EQ(Starts(week.GetDaySlots(0).GetSlots()), Strings({"08:00"})) << "a layout moves with its day";
    EXPECT_EQ(Starts(week.GetDaySlots(2).GetSlots()), Strings({"13:00"}));

    Flags flags(7);
    flags[5] = 1;
    flags[3] = 1;
    week.SetDays(flags);
    EXPECT_EQ(Ids(week), (std::vector<LONG>{3, 5}));
    EXPECT_EQ(week.GetDaySlots(0).GetNumSlots(), 0);
    EXPECT_EQ(Starts(week.GetDaySlots(1).GetSlots()), Strings({"13:00"}));
}

TEST(CustomDays, SetDaysKeepsKeysFlagsAndLayoutsByName)
{
    CustomDays::SetKeyCounter(4);
    CustomDays days;
    days.SetDays(Names({"Arrival", "Workshop"}));
    days.SetConsecutive(0, TRUE);
    days.GetDaySlots(0) = Layout(8);
    days.GetDaySlots(1) = Layout(9);
    EXPECT_EQ(Ids(days), (std::vector<LONG>{4, 5}));
    EXPECT_EQ(CustomDays::GetKeyCounter(), 6);

    days.SetDays(Names({"Workshop", "Excursion"}));
    EXPECT_EQ(days.GetNames().GetSize(), 2);
    EXPECT_EQ(days.GetNames()[0], "Workshop");
    EXPECT_EQ(days.GetNames()[1], "Excursion");
    EXPECT_EQ(Ids(days), (std::vector<LONG>{5, 6}));
    EXPECT_FALSE(days.GetDay(0).bConsecutive);
    EXPECT_FALSE(days.GetDay(1).bConsecutive);
    EXPECT_EQ(Starts(days.GetDaySlots(0).GetSlots()), Strings({"09:00"}));
    EXPECT_EQ(days.GetDaySlots(1).GetNumSlots(), 0);
    EXPECT_EQ(CustomDays::GetKeyCounter(), 7);
    EXPECT_EQ(days.FindDayId(4), -1) << "Arrival is gone";
}

TEST(DayDefBase, GenerateAndFillDays)
{
    // Three calendar days as an old file gives them: the first day starts
    // at its own time, the last ends at its own.
    CalendarDays calendar;
    calendar.SetDates(Dates({{2024, 3, 1}, {2024, 3, 2}, {2024, 3, 3}}));
    calendar.GenerateAllDays(CHighTime(2024, 3, 1, 10, 0, 0), CHighTime(2024, 3, 3, 15, 0, 0),
                             CHighTime(2024, 3, 1, 9, 0, 0), CHighTime(2024, 3, 1, 17, 0, 0), 60);
    EXPECT_EQ(calendar.GetDaySlots(0).GetNumSlots(), 7); // 10:00 to 17:00
    EXPECT_EQ(calendar.GetDaySlots(1).GetNumSlots(), 8); // 09:00 to 17:00
    EXPECT_EQ(calendar.GetDaySlots(2).GetNumSlots(), 6); // 09:00 to 15:00
    EXPECT_EQ(calendar.GetNumTimeslots(), 21);

    // Two custom days that run into each other; the first has a slot past
    // midnight, so the second's generated slots start after it.
    CustomDays days;
    days.SetDays(Names({"Night", "Morning"}));
    days.SetConsecutive(0, TRUE);
    days.SetConsecutive(1, TRUE);
    days.GetDaySlots(0).SetSlots(Slots({Slot(23, 0, 120)}), TRUE);
    days.FillEmptyDays(CHighTime(2000, 1, 1, 0, 0, 0), CHighTime(2000, 1, 1, 3, 0, 0), 60);
    EXPECT_EQ(Starts(days.GetDaySlots(0).GetSlots()), Strings({"23:00"})) << "a day with slots is left alone";
    EXPECT_EQ(Starts(days.GetDaySlots(1).GetSlots()), Strings({"01:00", "02:00"}));

    EXPECT_EQ(days.RegenerateDays(CHighTime(2000, 1, 1, 9, 0, 0), CHighTime(2000, 1, 1, 10, 0, 0), 0), 0);
    EXPECT_EQ(days.GetNumTimeslots(), 3);
    EXPECT_EQ(days.RegenerateDays(CHighTime(2000, 1, 1, 9, 0, 0), CHighTime(2000, 1, 1, 10, 0, 0), 30), 2);
    EXPECT_EQ(Starts(days.GetDaySlots(0).GetSlots()), Strings({"09:00", "09:30"}));
}

// An empty layout in its archive form.
Builder& EmptyLayout(Builder& b)
{
    CHighTime dt_null;
    dt_null.SetStatus(CHighTime::null);
    return b.Dwords({0, 1}).Raw(daytimes::TimeBytes(dt_null)).Raw(daytimes::TimeBytes(dt_null)).Dwords({0, 0}).Count(0);
}

TEST_F(EnglishNames, CalendarDaysArchive)
{
    // Version 6 keeps the dates in the framework's old form and has no
    // 24-hour flag.
    Builder v6;
    EmptyLayout(v6.Dword(1)).String("-").String("d MMM yyyy").Dword(1).Raw(daytimes::OleBytes(2024, 3, 5));
    CalendarDays days;
    testbytes::Load(days, v6, 6);
    ASSERT_EQ(days.GetNumDays(), 1);
    EXPECT_EQ(days.GetDate(0), ZelOleDateTime(2024, 3, 5));
    EXPECT_EQ(Ids(days), (std::vector<LONG>{81878}));
    EXPECT_EQ(days.GetSeparator(), "-");
    EXPECT_EQ(days.GetDayName(0), "5 Mar 2024");

    Builder v40;
    EmptyLayout(v40.Dword(1)).Dword(1).String("-").String("d MMM yyyy").Dword(1);
    v40.Raw(daytimes::TimeBytes(CHighTime(2024, 3, 5)));
    days.Set24Hour(TRUE);
    EXPECT_EQ(testbytes::Store(days), v40.Get());
    CalendarDays back;
    testbytes::Load(back, v40, 40);
    EXPECT_TRUE(back.Is24Hour());
    EXPECT_EQ(Ids(back), (std::vector<LONG>{81878}));
    EXPECT_EQ(testbytes::Store(back), v40.Get());

    // Damaged data.
    CHighTime dt_invalid(2024, 3, 5);
    dt_invalid.SetStatus(CHighTime::invalid);
    Builder invalid;
    EmptyLayout(invalid.Dword(1)).Dword(0).String("").String("").Dword(1).Raw(daytimes::TimeBytes(dt_invalid));
    EXPECT_THROW(testbytes::Load(back, invalid, 40), CArchiveException) << "a date that is not valid";
    Builder no_layout;
    no_layout.Dwords({0, 0}).String("").String("").Dword(1).Raw(daytimes::TimeBytes(CHighTime(2024, 3, 5)));
    EXPECT_THROW(testbytes::Load(back, no_layout, 40), CArchiveException) << "a day without a layout";
    Builder too_many;
    too_many.Dwords({0, 0}).String("").String("").Dword(0x10000000).Raw(daytimes::TimeBytes(CHighTime(2024, 3, 5)));
    EXPECT_THROW(testbytes::Load(back, too_many, 40), CArchiveException) << "more dates than bytes";
    Builder many_layouts;
    many_layouts.Dword(0x7FFFFFFF).Dword(0);
    EXPECT_THROW(testbytes::Load(back, many_layouts, 40), CArchiveException) << "more layouts than bytes";
    EXPECT_EQ(testbytes::Store(back), v40.Get()) << "a failed load leaves the days as they were";
}

TEST(CustomDays, Archive)
{
    // Version 10: names and keys in two counted lists, no flags. The
    // stored counter lies below a loaded key.
    Builder v10;
    EmptyLayout(EmptyLayout(v10.Dword(2))).Dword(1);
    v10.Dword(2).String("Arrival").String("Workshop").Dwords({2, 4, 9}).Dword(3);
    CustomDays days;
    testbytes::Load(days, v10, 10);
    EXPECT_EQ(days.GetNames()[1], "Workshop");
    EXPECT_EQ(Ids(days), (std::vector<LONG>{4, 9}));
    EXPECT_FALSE(days.GetDay(0).bConsecutive);
    EXPECT_TRUE(days.Is24Hour());
    EXPECT_EQ(CustomDays::GetKeyCounter(), 10) << "new days never take a loaded key";

    days.SetConsecutive(1, TRUE);
    Builder v40;
    EmptyLayout(EmptyLayout(v40.Dword(2))).Dword(1);
    v40.String("Arrival").Dwords({4, 0}).String("Workshop").Dwords({9, 1}).Dword(10);
    EXPECT_EQ(testbytes::Store(days), v40.Get());
    CustomDays::SetKeyCounter(12);
    CustomDays back;
    testbytes::Load(back, v40, 40);
    EXPECT_TRUE(back.GetDay(1).bConsecutive);
    EXPECT_EQ(CustomDays::GetKeyCounter(), 10) << "the file's counter is restored";

    Builder mismatch;
    EmptyLayout(EmptyLayout(mismatch.Dword(2))).Dword(0);
    mismatch.Dword(2).String("A").String("B").Dwords({1, 4}).Dword(5);
    EXPECT_THROW(testbytes::Load(back, mismatch, 10), CArchiveException) << "i_amt == n_days";
    Builder three_days;
    EmptyLayout(EmptyLayout(three_days.Dword(2))).Dword(0);
    three_days.Dword(3).String("A").String("B").String("C").Dwords({3, 1, 2, 3}).Dword(5);
    EXPECT_THROW(testbytes::Load(back, three_days, 10), CArchiveException) << "more days than layouts";
    EXPECT_EQ(back.GetNumDays(), 2);
}

TEST(EventDefinition, ArchiveKindsAndBadData)
{
    EventDefinition def;
    Flags flags(7);
    flags[6] = 1;
    flags[2] = 1;
    def.GetWeekDays().SetDays(flags);
    def.SetDayDef(def.GetWeekDays());
    EXPECT_EQ(def.GetDaySel(), EventDefinition::eWeekDays);
    Builder week;
    week.Dword(1);
    EmptyLayout(EmptyLayout(week.Dword(2))).Dword(0).Dwords({1, 1, 7}).Count(2).Dwords({2, 6});
    EXPECT_EQ(testbytes::Store(def), week.Get());
    EventDefinition back;
    testbytes::Load(back, week, 40);
    EXPECT_EQ(Ids(back.GetDayDef()), (std::vector<LONG>{2, 6}));
    EXPECT_EQ(&back.GetDayDef(), &back.GetWeekDays());

    struct Case {
        Builder bytes;
        const char* pWhat;
    };
    Builder one_layout;
    EmptyLayout(one_layout);
    Case a_cases[] = {
        {Builder().Dword(3), "an unknown kind"},
        {Builder().Dwords({1, 0, 0, 1, 1, 8}).Count(0), "a week of eight days"},
        {Builder().Dword(1).Dword(1).Raw(one_layout).Dwords({0, 1, 1, 7}).Count(1).Dword(7),
         "a week-day number outside the week"},
        {Builder().Dwords({1, 0, 0, 1, 1, 7}).Count(3000).Dword(1), "more week days than bytes"},
    };
    for (Case& c : a_cases)
        EXPECT_THROW(testbytes::Load(back, c.bytes, 40), CArchiveException) << c.pWhat;
}

} // namespace
