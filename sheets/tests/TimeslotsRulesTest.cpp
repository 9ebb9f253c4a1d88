// The timeslots page without its window: generation from the simple
// fields, their checks, the merge of the selected days' settings, the
// limits of consecutive days, per-venue layouts and the write-back.
#include "framework/MessageBox.h"
#include "model/KeyList.h"
#include "sheets/DefineEventRules.h"
#include "sheets/TimeslotsRules.h"

#include <gtest/gtest.h>

namespace {

CHighTime At(int i_hour, int i_minute) { return CHighTime(2000, 1, 1, i_hour, i_minute, 0); }

std::string HHMM(const CHighTime& dt) { return ZelOleDateTime(dt).FormatHHMM(); }

// Custom days with these names, every one generated 09:00 to 17:00 / 30.
EventDefinition CustomEvent(std::initializer_list<std::string> a_names)
{
    CustomDays days;
    ZelStringArray a;
    for (const std::string& s : a_names)
        a.Add(s);
    days.SetDays(a);
    EventDefinition def;
    StoreDayDef(def, days);
    return def;
}

EventDefinition WeekEvent(std::initializer_list<int> a_days, int i_first)
{
    WeekDaysCore core;
    EventDefinition def;
    core.Load(def);
    std::array<bool, 7> a_ticks{};
    for (int i : a_days)
        a_ticks[static_cast<std::size_t>(i)] = true;
    core.Exchange(a_ticks, i_first, 0, def);
    return def;
}

// A page over the definition with the days selected.
struct Page {
    TimeslotsPageCore core;
    TimeslotsGridPlan plan;

    Page(const EventDefinition& def, std::vector<int> v_selected, int n_venues = 1)
    {
        std::vector<TimeslotsPageCore::Venue> v_venues;
        for (int i = 0; i < n_venues; ++i)
            v_venues.push_back({100 + i, "Venue " + std::to_string(i + 1)});
        core.SetVenues(v_venues);
        core.Initialise(TRUE);
        core.Load(def);
        core.SetSelection(std::move(v_selected));
        plan = core.Rebuild();
    }
    // Types into the edits and leaves them, as the page does.
    bool Type(const std::string& s_start, const std::string& s_end, const std::string& s_length)
    {
        if (!core.Exchange(s_start, s_end, s_length))
            return false;
        core.ApplySimple();
        plan = core.Rebuild();
        return true;
    }
    const DayDefSlots& Day(int i) const { return core.GetLayout(i); }
};

TEST(TimeslotsPage, GeneratesSlotsFromStartEndAndLength)
{
    struct Case {
        const char* pStart;
        const char* pEnd;
        const char* pLength;
        int nSlots;
        const char* pFirst;
        const char* pLastEnd;
    } a_cases[] = {
        {"09:00", "17:00", "30", 16, "09:00", "17:00"},
        {"09:00", "17:00", "45", 10, "09:00", "16:30"},  // a slot past the end is not made
        {"18:00", "00:00", "60", 6, "18:00", "00:00"},   // 00:00 is the end of the day
        {"8:30am", "12:30pm", "120", 2, "08:30", "12:30"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(std::string(c.pStart) + " " + c.pEnd + " " + c.pLength);
        Page page(CustomEvent({"A"}), {0});
        ASSERT_TRUE(page.Type(c.pStart, c.pEnd, c.pLength));
        const ZelRelTimeslotArray& a_slots = page.Day(0).GetSlots();
        ASSERT_EQ(a_slots.GetSize(), c.nSlots);
        EXPECT_EQ(HHMM(GetSlotBaseDate() + a_slots[0].GetStart()), c.pFirst);
        EXPECT_EQ(HHMM(GetSlotBaseDate() + a_slots[a_slots.GetSize() - 1].GetEnd()), c.pLastEnd);
        EXPECT_TRUE(page.Day(0).IsGenerated());
    }
}

TEST(TimeslotsPage, RefusesBadSimpleSettings)
{
    struct Case {
        const char* pStart;
        const char* pEnd;
        const char* pLength;
        const char* pMessage;  // null: accepted
    } a_cases[] = {
        {"10:00", "10:00", "30", "Your day start time must be before your day end time."},
        {"17:00", "09:00", "30", "Your day start time must be before your day end time."},
        {"09:00", "17:00", "0", "Your timeslot length must be between 1 minute and 1440 minutes (inclusive)."},
        {"09:00", "17:00", "1441", "Your timeslot length must be between 1 minute and 1440 minutes (inclusive)."},
        {"09:00", "17:00", "abc", "Your timeslot length must be between 1 minute and 1440 minutes (inclusive)."},
        {"09:00", "17:00", "99999999999999", "Your timeslot length must be between 1 minute and 1440 minutes (inclusive)."},
        {"09:00", "17:00", "1440", nullptr},
        {"not a time", "17:00", "30", nullptr},  // that value is unset, the day keeps its own
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(std::string(c.pStart) + " " + c.pEnd + " " + c.pLength);
        ScriptedMessageBox boxes;
        Page page(CustomEvent({"A"}), {0});
        const bool b_taken = page.core.Exchange(c.pStart, c.pEnd, c.pLength);
        if (c.pMessage == nullptr) {
            EXPECT_TRUE(b_taken);
            EXPECT_TRUE(boxes.Boxes().empty());
        } else {
            EXPECT_FALSE(b_taken);
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, c.pMessage);
            // Nothing of the refused texts was taken.
            EXPECT_EQ(page.core.StartText(), "09:00");
            EXPECT_EQ(page.core.LengthText(), "30");
        }
    }
}

TEST(TimeslotsPage, EmptyLengthKeepsTheLastAndUnparsedTimeLeavesTheDaysOwn)
{
    Page page(CustomEvent({"A"}), {0});
    ASSERT_TRUE(page.Type("10:00", "12:00", ""));
    EXPECT_EQ(page.Day(0).GetNumSlots(), 4);
    EXPECT_EQ(page.core.LengthText(), "30");
    ASSERT_TRUE(page.Type("garbage", "13:00", "60"));
    EXPECT_EQ(HHMM(page.Day(0).GetFirstStart()), "10:00");
    EXPECT_EQ(page.Day(0).GetNumSlots(), 3);
}

TEST(TimeslotsPage, MergesTheSelectedDaysSettings)
{
    EventDefinition def = CustomEvent({"A", "B", "C", "D"});
    DayDefBase& days = def.GetDayDef();
    days.GetDaySlots(1).GenerateSlots(At(10, 0), At(17, 0), 30, nullptr, nullptr);
    days.GetDaySlots(2).GenerateSlots(At(10, 0), At(16, 0), 60, nullptr, nullptr);
    ZelRelTimeslotArray a_drawn = days.GetDaySlots(0).GetSlots();
    days.GetDaySlots(3).SetSlots(a_drawn, TRUE);  // advanced, common
    ZelRelTimeslotArray a_perVenue;
    a_perVenue.Add(ZelRelTimeslot(ZelOleDateTimeSpan(0, 9, 0, 0), ZelOleDateTimeSpan(0, 1, 0, 0), 100));

    struct Case {
        const char* pWhat;
        std::vector<int> vSelected;
        int iAdvanced;
        int iEachVenue;
        const char* pStart;
        const char* pEnd;
        const char* pLength;
        bool bReadOnly;
    } a_cases[] = {
        {"one simple day", {0}, TSP_UNCHECKED, TSP_UNCHECKED, "09:00", "17:00", "30", true},
        {"simple days alike", {0, 0}, TSP_UNCHECKED, TSP_UNCHECKED, "09:00", "17:00", "30", true},
        {"different starts", {0, 1}, TSP_UNCHECKED, TSP_UNCHECKED, "", "17:00", "30", true},
        {"all different", {0, 1, 2}, TSP_UNCHECKED, TSP_UNCHECKED, "", "", "", true},
        {"simple and advanced", {0, 3}, TSP_INDETERMINATE, TSP_UNCHECKED, "", "", "", true},
        {"advanced only", {3}, TSP_CHECKED, TSP_UNCHECKED, "", "", "", false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        Page page(def, c.vSelected, 2);
        EXPECT_EQ(page.core.GetAdvanced(), c.iAdvanced);
        EXPECT_EQ(page.core.GetEachVenue(), c.iEachVenue);
        EXPECT_EQ(page.core.StartText(), c.pStart);
        EXPECT_EQ(page.core.EndText(), c.pEnd);
        EXPECT_EQ(page.core.LengthText(), c.pLength);
        EXPECT_EQ(page.plan.bReadOnly, c.bReadOnly);
        EXPECT_EQ(page.core.IsEachVenueEnabled(), c.iAdvanced != TSP_UNCHECKED);
    }

    // A common and a per-venue advanced day: per-venue indeterminate.
    days.GetDaySlots(2).SetSlots(a_perVenue, FALSE);
    Page mixed(def, {2, 3}, 2);
    EXPECT_EQ(mixed.core.GetAdvanced(), TSP_CHECKED);
    EXPECT_EQ(mixed.core.GetEachVenue(), TSP_INDETERMINATE);
    EXPECT_TRUE(mixed.plan.vColumns[0].bPerVenue);
    EXPECT_FALSE(mixed.plan.vColumns[1].bPerVenue);
}

TEST(TimeslotsPage, OnlyALengthRegeneratesEachDayWithItsOwnTimes)
{
    EventDefinition def = CustomEvent({"A", "B"});
    def.GetDayDef().GetDaySlots(1).GenerateSlots(At(10, 0), At(18, 0), 30, nullptr, nullptr);
    Page page(def, {0, 1});
    ASSERT_EQ(page.core.StartText(), "");
    ASSERT_TRUE(page.Type("", "", "60"));
    EXPECT_EQ(page.Day(0).GetNumSlots(), 8);
    EXPECT_EQ(HHMM(page.Day(0).GetFirstStart()), "09:00");
    EXPECT_EQ(page.Day(1).GetNumSlots(), 8);
    EXPECT_EQ(HHMM(page.Day(1).GetFirstStart()), "10:00");
    EXPECT_EQ(page.core.LengthText(), "60");
}

TEST(TimeslotsPage, ConsecutiveDaysAndTheirLimits)
{
    // Saturday and Sunday with Saturday first: Sunday follows Saturday, so
    // the Sunday column runs on from the one before it.
    {
        Page page(WeekEvent({0, 6}, 6), {0, 1});
        ASSERT_EQ(page.plan.vColumns.size(), 2u);
        EXPECT_EQ(page.plan.vColumns[0].sName, "Saturday");
        EXPECT_FALSE(page.plan.vColumns[0].bConsec);
        EXPECT_TRUE(page.plan.vColumns[1].bConsec);
    }
    // The first column is compared with the last: Sunday first in the list,
    // Saturday last, Sunday still follows Saturday.
    {
        Page page(WeekEvent({0, 6}, 0), {0, 1});
        EXPECT_TRUE(page.plan.vColumns[0].bConsec);
        EXPECT_FALSE(page.plan.vColumns[1].bConsec);
    }
    // A lone day whose neighbours run on into it and from it is limited by
    // their layouts; a day with no consecutive neighbours by none.
    {
        EventDefinition def = CustomEvent({"Fri", "Sat", "Sun", "Mon"});
        CustomDays days = def.GetCustomDays();
        days.SetConsecutive(0, TRUE);
        days.SetConsecutive(1, TRUE);
        def.SetDayDef(days);
        Page page(def, {1});
        ASSERT_EQ(page.plan.vColumns.size(), 1u);
        EXPECT_FALSE(page.plan.vColumns[0].bConsec);
        EXPECT_EQ(page.plan.vColumns[0].pStartLimit, &page.Day(0));
        EXPECT_EQ(page.plan.vColumns[0].pEndLimit, &page.Day(2));
        Page lone(def, {3});
        EXPECT_EQ(lone.plan.vColumns[0].pStartLimit, nullptr);
        EXPECT_EQ(lone.plan.vColumns[0].pEndLimit, nullptr);
    }
}

TEST(TimeslotsPage, NoSelectionShowsADisabledEmptyGrid)
{
    Page page(CustomEvent({"A"}), {});
    EXPECT_FALSE(page.plan.bEnabled);
    EXPECT_TRUE(page.plan.vColumns.empty());
    page.core.SetAdvanced(true);
    page.core.SetEachVenue(true);
    EXPECT_TRUE(page.Day(0).IsGenerated());
}

TEST(TimeslotsPage, AdvancedAndPerVenueLayouts)
{
    Page page(CustomEvent({"A", "B"}), {0}, 3);
    page.core.SetAdvanced(true);
    page.plan = page.core.Rebuild();
    EXPECT_FALSE(page.plan.bReadOnly);
    EXPECT_FALSE(page.Day(0).IsGenerated());
    EXPECT_TRUE(page.core.IsEachVenueEnabled());

    // Split: one copy of the 16 slots per venue, keyed by venue.
    page.core.SetEachVenue(true);
    page.plan = page.core.Rebuild();
    EXPECT_FALSE(page.Day(0).IsAllVenues());
    EXPECT_EQ(page.Day(0).GetNumSlots(), 48);
    EXPECT_EQ(page.Day(0).GetSlots()[0].GetSetKey() >= 100, true);
    EXPECT_TRUE(page.plan.vColumns[0].bPerVenue);
    EXPECT_EQ(page.Day(1).GetNumSlots(), 16);  // not selected, not touched

    // Merge: the first venue's slots, for all venues again.
    page.core.SetEachVenue(false);
    EXPECT_TRUE(page.Day(0).IsAllVenues());
    EXPECT_EQ(page.Day(0).GetNumSlots(), 16);
    EXPECT_EQ(page.Day(0).GetSlots()[0].GetSetKey(), -1);

    // A slot drawn in the grid; unchecking Advanced regenerates the day and
    // loses it.
    ZelRelTimeslotArray a_drawn;
    a_drawn.Add(ZelRelTimeslot(ZelOleDateTimeSpan(0, 7, 0, 0), ZelOleDateTimeSpan(0, 0, 45, 0), -1));
    page.core.GridChanged(0, a_drawn);
    EXPECT_EQ(page.Day(0).GetNumSlots(), 1);
    page.core.SetAdvanced(false);
    EXPECT_TRUE(page.Day(0).IsGenerated());
    EXPECT_EQ(page.Day(0).GetNumSlots(), 16);
}

TEST(TimeslotsPage, SimpleLayoutsStayCommonWithOneVenueTheBoxStaysOff)
{
    Page page(CustomEvent({"A"}), {0}, 1);
    page.core.SetAdvanced(true);
    EXPECT_FALSE(page.core.IsEachVenueEnabled());
    Page simple(CustomEvent({"A"}), {0}, 2);
    simple.core.SetEachVenue(true);
    EXPECT_TRUE(simple.Day(0).IsAllVenues());
}

TEST(TimeslotsPage, WritesTheLayoutsAndTheTimeFormatBack)
{
    EventDefinition def = CustomEvent({"A", "B"});
    Page page(def, {1});
    ASSERT_TRUE(page.Type("08:00", "10:00", "60"));
    page.core.Set24Hour(FALSE);
    page.core.WriteLayouts(def);
    EXPECT_EQ(def.GetDayDef().GetDaySlots(0).GetNumSlots(), 16);
    EXPECT_EQ(def.GetDayDef().GetDaySlots(1).GetNumSlots(), 2);
    EXPECT_FALSE(def.GetDayDef().Is24Hour());
    EXPECT_EQ(page.core.StartText(), "8:00am");
}

TEST(TimeslotsPage, ListsTheDaysOfTheCurrentKind)
{
    EventDefinition def = WeekEvent({1, 2, 3, 4, 5}, 3);
    EXPECT_EQ(TimeslotsPageCore::DayLines(def),
              (std::vector<std::string>{"Wednesday", "Thursday", "Friday", "Monday", "Tuesday"}));
    CalendarDaysCore calendar;
    calendar.Load(def);
    calendar.FormatChosen(8);  // ddd d MMM yyyy
    ZelArray<ZelOleDateTime> a_dates;
    a_dates.Add(ZelOleDateTime(2000, 1, 3));
    calendar.SetDates(a_dates, def);
    EXPECT_EQ(TimeslotsPageCore::DayLines(def), (std::vector<std::string>{"Mon 3 Jan 2000"}));
}

} // namespace
