#include "model/EventDefinition.h"
#include "model/TimeList.h"
#include "model/tests/DayTimes.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using daytimes::At;
using daytimes::Minutes;
using daytimes::Slot;
using daytimes::Slots;
using daytimes::Starts;
using testbytes::Builder;
using Strings = std::vector<std::string>;

namespace {

ZelArray<ZelOleDateTime> Dates(std::initializer_list<ZelOleDateTime> a_dates)
{
    ZelArray<ZelOleDateTime> a;
    for (const ZelOleDateTime& d : a_dates)
        a.Add(d);
    return a;
}

LONG DayId(int i_year, int i_month, int i_day)
{
    return CalendarDays::GetCalendarDayId(CHighTime(i_year, i_month, i_day));
}

// A document whose event has the given calendar dates.
void UseDates(EventDoc& doc, std::initializer_list<ZelOleDateTime> a_dates)
{
    CalendarDays days;
    days.SetDates(Dates(a_dates));
    doc.GetEventDef().SetDayDef(days);
}

CustomDays NamedDays(std::initializer_list<const char*> a_names)
{
    CustomDays::SetKeyCounter(1);
    ZelStringArray a;
    for (const char* p : a_names)
        a.Add(p);
    CustomDays days;
    days.SetDays(a);
    return days;
}

TEST(TimeList, TextWithinLimits)
{
    const CustomDays days = NamedDays({"Monday", "Tuesday"}); // keys 1 and 2
    const TimeList empty;
    struct Case {
        const TimeList* pList;
        int nMaxLen;
        BOOL bNextDay;
        const char* pText;
    };
    TimeList runs;
    runs.AddTime(1, Slot(10, 0, 60));
    runs.AddTime(1, Slot(9, 0, 60));
    runs.AddTime(1, Slot(14, 0, 30));
    runs.AddTime(2, Slot(23, 0, 120));
    runs.AddTime(2, Slot(-1, 0, 90));
    runs.AddTime(7, Slot(9, 0, 60)); // a day the event does not have
    TimeList five;
    for (int i = 0; i < 5; ++i)
        five.AddTime(1, Slot(8 + 2 * i, 0, 60));
    TimeList two;
    two.AddTime(1, Slot(9, 0, 60));
    two.AddTime(1, Slot(11, 0, 60));
    const Case a_cases[] = {
        {&empty, -1, FALSE, "None defined"},
        {&empty, 12, FALSE, "None defined"},
        {&empty, 5, FALSE, "None"},
        {&empty, 2, FALSE, "No"},
        {&empty, 1, FALSE, ""},
        {&runs, -1, FALSE,
         "Monday: 09:00 to 11:00,Monday: 14:00 to 14:30,Tuesday: 23:00 (prev day) to 00:30,"
         "Tuesday: 23:00 to 01:00"},
        {&runs, -1, TRUE,
         "Monday: 09:00 to 11:00,Monday: 14:00 to 14:30,Tuesday: 23:00 (prev day) to 00:30,"
         "Tuesday: 23:00 to 01:00 (next day)"},
        {&two, 45, FALSE, "Monday: 09:00 to 10:00,Monday: 11:00 to 12:00"}, // the last needs no room for "..."
        {&two, 44, FALSE, "Monday: 09:00 to 10:00..."},
        {&five, 25, FALSE, "Monday: 08:00 to 09:00..."},
        {&five, 24, FALSE, "5 defined"},
        {&five, 9, FALSE, "5 defined"},
        {&five, 8, FALSE, "Yes"},
        {&five, 2, FALSE, "Y"},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(c.pList->GetText(&days, c.nMaxLen, c.bNextDay), c.pText) << c.nMaxLen;
}

TEST(TimeList, DaysAndTimes)
{
    TimeList list(0, 7);
    list.AddTime(9, Slot(10, 0, 60, 3));
    list.AddTime(2, Slot(9, 0, 60));
    list.AddTime(9, Slot(8, 0, 30));
    ASSERT_EQ(list.GetNumDays(), 2);
    EXPECT_EQ(list.GetDay(0).lDayId, 2) << "days are kept in order of identifier";
    EXPECT_EQ(Starts(*list.FindDayTimes(9)), Strings({"08:00/7", "10:00/7"})) << "times take the venue key";
    int n_days = 0;
    EXPECT_EQ(list.GetNumTimes(&n_days), 3);
    EXPECT_EQ(n_days, 2);

    EXPECT_TRUE(list.Contains(9, At(10, 59)));
    EXPECT_FALSE(list.Contains(9, At(11)));
    EXPECT_FALSE(list.Contains(3, At(10)));

    TimeList copy;
    copy = list;
    EXPECT_EQ(copy, list);
    copy.SetDayTimes(9, ZelRelTimeslotArray());
    EXPECT_EQ(copy.FindDayTimes(9), nullptr) << "an empty array removes the day";
    EXPECT_EQ(copy.GetNumDays(), 1);
    EXPECT_NE(copy, list);
    copy.SetDayTimes(5, Slots({Slot(12, 0, 60, 1), Slot(11, 0, 60, 2)}));
    EXPECT_EQ(Starts(*copy.GetDayTimes(5)), Strings({"11:00/7", "12:00/7"}));
    EXPECT_EQ(copy.GetDay(1).lDayId, 5);

    TimeList own(1, 7);
    own.AddTime(4, Slot(10, 0, 60, 3));
    own.SetDayTimes(5, Slots({Slot(10, 0, 60, 12), Slot(9, 0, 60, 15)}));
    EXPECT_EQ(Starts(*own.FindDayTimes(4)), Strings({"10:00/3"})) << "each time keeps its own key";
    EXPECT_EQ(Starts(*own.FindDayTimes(5)), Strings({"10:00/12", "09:00/15"}));
}

TEST(TimeList, OverlapsSortedAgreesWithOverlaps)
{
    std::mt19937 rng(777);
    auto pick = [&rng](int i_low, int i_high) { return std::uniform_int_distribution<int>(i_low, i_high)(rng); };
    for (int i_round = 0; i_round < 500; ++i_round) {
        // Times as the editors keep them: none overlapping another. Lists
        // with a key per time hold several venues' times.
        const BOOL b_perTimeKeys = pick(0, 3) == 0;
        TimeList list(b_perTimeKeys, 4);
        std::vector<ZelRelTimeslot> v_taken;
        const int n_times = pick(0, 8);
        for (int i = 0; i < n_times; ++i) {
            const ZelRelTimeslot time = Slot(0, pick(-120, 26 * 60), pick(1, 180), pick(1, 3));
            const bool b_clash = std::any_of(v_taken.begin(), v_taken.end(), [&](const ZelRelTimeslot& t) {
                return t.Overlaps(time) && (!b_perTimeKeys || t.GetSetKey() == time.GetSetKey());
            });
            if (!b_clash) {
                v_taken.push_back(time);
                list.AddTime(1, time);
            }
        }
        for (int i_span = 0; i_span < 40; ++i_span) {
            const ZelOleDateTimeSpan o_start = Minutes(pick(-200, 28 * 60));
            const ZelOleDateTimeSpan o_length = Minutes(pick(1, 300));
            ASSERT_EQ(list.OverlapsSorted(1, o_start, o_length), list.Overlaps(1, o_start, o_length))
                << "round " << i_round << ", span from " << o_start.Format("%H:%M") << " for "
                << o_length.GetTotalMinutes() << " minutes";
        }
        EXPECT_FALSE(list.OverlapsSorted(1, At(0), Minutes(0)));
        EXPECT_FALSE(list.OverlapsSorted(1, At(0), Minutes(-30)));
    }
}

TEST(TimeList, OverlapsNeighbouringDays)
{
    struct Case {
        const char* pWhat;
        DayDefBase* pDays;
        LONG lListDay;
        ZelRelTimeslot oTime;
        LONG lSlotDay;
        ZelOleDateTimeSpan oStart;
        int nMinutes;
        BOOL bOverlaps;
    };
    CalendarDays march_1_2;
    march_1_2.SetDates(Dates({{2024, 3, 1}, {2024, 3, 2}}));
    CalendarDays march_1_3;
    march_1_3.SetDates(Dates({{2024, 3, 1}, {2024, 3, 3}}));
    CustomDays one_day = NamedDays({"Only"});
    one_day.SetConsecutive(0, TRUE);
    CustomDays unflagged = NamedDays({"Only"});
    const LONG l_march1 = DayId(2024, 3, 1);
    const LONG l_march2 = DayId(2024, 3, 2);
    const LONG l_march3 = DayId(2024, 3, 3);
    Case a_cases[] = {
        {"a slot past midnight meets the next date", &march_1_2, l_march2, Slot(0, 0, 15), l_march1, At(23, 30), 60,
         TRUE},
        {"a date after a gap is not consulted", &march_1_3, l_march3, Slot(0, 0, 15), l_march1, At(23, 30), 60, FALSE},
        {"a time past midnight meets the next date", &march_1_2, l_march1, Slot(23, 0, 120), l_march2, At(0, 30), 30,
         TRUE},
        {"and ends where the slot starts", &march_1_2, l_march1, Slot(23, 0, 120), l_march2, At(1), 30, FALSE},
        {"a single consecutive day follows itself", &one_day, 1, Slot(0, 0, 15), 1, At(23, 30), 60, TRUE},
        {"unless its flag is clear", &unflagged, 1, Slot(0, 0, 15), 1, At(23, 30), 60, FALSE},
        {"the same day", &march_1_3, l_march3, Slot(10, 0, 60), l_march3, At(10, 30), 60, TRUE},
    };
    for (const Case& c : a_cases) {
        testbytes::VersionDoc doc(40);
        doc.GetEventDef().SetDayDef(*c.pDays);
        TimeList list;
        list.AddTime(c.lListDay, c.oTime);
        EXPECT_EQ(doc.OverlapsTimeList(list, c.lSlotDay, c.oStart, Minutes(c.nMinutes)), c.bOverlaps) << c.pWhat;
    }
}

TEST(TimeList, RevalidateDropsWhatIsGone)
{
    testbytes::VersionDoc doc(40);
    UseDates(doc, {{2024, 3, 1}, {2024, 3, 2}, {2024, 3, 3}});
    Venue hall;
    hall.SetName("Hall");
    hall.SetKey(12);
    doc.GetVenues().AddVenue(hall);
    doc.GetEventDef().GetDayDef().GetDaySlots(0).SetSlots(Slots({Slot(9, 0, 60), Slot(10, 0, 60)}), TRUE);

    TimeList list(1, -1);
    const LONG l_march1 = DayId(2024, 3, 1);
    list.AddTime(l_march1, Slot(9, 0, 60));      // a slot of the layout
    list.AddTime(l_march1, Slot(10, 0, 60, 12)); // a slot, for an existing venue
    list.AddTime(l_march1, Slot(10, 0, 30));     // no slot ends there
    list.AddTime(l_march1, Slot(9, 0, 60, 99));  // a venue that is gone
    list.AddTime(DayId(2024, 3, 2), Slot(9, 0, 60));
    list.AddTime(DayId(2024, 3, 3), Slot(9, 0, 60));

    CalendarDays& days = doc.GetEventDef().GetCalendarDays();
    days.SetDates(Dates({{2024, 3, 1}, {2024, 3, 3}}));
    EXPECT_TRUE(list.Revalidate(&doc, FALSE));
    EXPECT_EQ(list.FindDayTimes(DayId(2024, 3, 2)), nullptr);
    EXPECT_EQ(list.GetNumTimes(), 5);
    EXPECT_FALSE(list.Revalidate(&doc, FALSE)) << "nothing more to drop";

    EXPECT_TRUE(list.Revalidate(&doc, TRUE));
    EXPECT_EQ(Starts(*list.FindDayTimes(l_march1)), Strings({"09:00", "10:00/12"}));
    EXPECT_EQ(list.FindDayTimes(DayId(2024, 3, 3)), nullptr) << "a day without layout slots keeps no time";
}

TEST(TimeList, ArchiveAcrossVersions)
{
    testbytes::VersionDoc doc(6);
    UseDates(doc, {{2024, 3, 5}, {2024, 3, 6}});
    const LONG l_march5 = DayId(2024, 3, 5);
    const LONG l_march6 = DayId(2024, 3, 6);

    // Versions 1 to 6: date-times of one length; those on other dates are
    // dropped. Versions 1 to 3 begin with a schema word.
    Builder old_times;
    old_times.Dword(45).Count(3).Raw(daytimes::OleBytes(2024, 3, 5, 9, 30)).Raw(daytimes::OleBytes(2024, 3, 7, 10));
    old_times.Raw(daytimes::OleBytes(2024, 3, 6, 14));
    for (unsigned u_version : {3u, 6u}) {
        Builder b;
        if (u_version < 4)
            b.Dword(2);
        b.Raw(old_times);
        TimeList list(1, 5);
        testbytes::Load(list, b, u_version, &doc);
        EXPECT_EQ(list.GetNumTimes(), 2) << u_version;
        EXPECT_EQ(Starts(*list.FindDayTimes(l_march5)), Strings({"09:30"}));
        EXPECT_EQ((*list.FindDayTimes(l_march6))[0].GetLength(), Minutes(45));
        EXPECT_FALSE(list.HasPerTimeKeys()) << "the list is otherwise a new one";
        EXPECT_EQ(list.GetVenueKey(), -1);
    }
    TimeList refused;
    EXPECT_THROW(testbytes::Load(refused, Builder().Dword(4).Raw(old_times), 3, &doc), CArchiveException);
    WeekDays week;
    doc.GetEventDef().SetDayDef(week);
    EXPECT_THROW(testbytes::Load(refused, old_times, 6, &doc), CArchiveException) << "an old list needs dates";

    // Versions 25 to 36 named venues by position, with a key list beside
    // the times; position 2 of {12, 15, 19} is venue 19.
    Builder v30;
    v30.Dword(1).Dwords({3, 12, 15, 19}).Count(1).Dword(l_march5).Count(2);
    v30.Raw(daytimes::SlotBytes(Slot(9, 0, 60, 2))).Raw(daytimes::SlotBytes(Slot(8, 0, 60, 5)));
    TimeList remapped;
    testbytes::Load(remapped, v30, 30);
    EXPECT_TRUE(remapped.HasPerTimeKeys());
    EXPECT_EQ(remapped.GetVenueKey(), -1);
    EXPECT_EQ(Starts(*remapped.FindDayTimes(l_march5)), Strings({"08:00/5", "09:00/19"}));

    // Versions 7 to 24 hold the days alone.
    Builder v20;
    v20.Count(1).Dword(l_march6).Count(1).Raw(daytimes::SlotBytes(Slot(9, 0, 60, 3)));
    TimeList days_only(1, 8);
    testbytes::Load(days_only, v20, 20);
    EXPECT_FALSE(days_only.HasPerTimeKeys());
    EXPECT_EQ(days_only.GetVenueKey(), -1);
    EXPECT_EQ(Starts(*days_only.FindDayTimes(l_march6)), Strings({"09:00/3"}));

    // The current form; days stored out of order are put in order.
    Builder v40;
    v40.Dwords({0, 7}).Count(2).Dword(l_march6).Count(1).Raw(daytimes::SlotBytes(Slot(10, 0, 60, 7)));
    v40.Dword(l_march5).Count(1).Raw(daytimes::SlotBytes(Slot(9, 0, 60, 7)));
    TimeList current;
    testbytes::Load(current, v40, 40);
    EXPECT_EQ(current.GetDay(0).lDayId, l_march5);
    Builder sorted;
    sorted.Dwords({0, 7}).Count(2).Dword(l_march5).Count(1).Raw(daytimes::SlotBytes(Slot(9, 0, 60, 7)));
    sorted.Dword(l_march6).Count(1).Raw(daytimes::SlotBytes(Slot(10, 0, 60, 7)));
    EXPECT_EQ(testbytes::Store(current), sorted.Get());

    Builder twice;
    twice.Dwords({0, 7}).Count(2).Dword(l_march5).Count(0).Dword(l_march5).Count(0);
    EXPECT_THROW(testbytes::Load(current, twice, 40), CArchiveException) << "a day named twice";
    Builder long_count;
    long_count.Dwords({0, 7}).Count(40000).Dword(l_march5).Count(0);
    EXPECT_THROW(testbytes::Load(current, long_count, 40), CArchiveException) << "more days than bytes";
    EXPECT_EQ(testbytes::Store(current), sorted.Get()) << "a failed load leaves the list as it was";
}

} // namespace
