// The Availability page's day states, whole-day times and day edits.
#include "model/EventDoc.h"
#include "sheets/AvailRules.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

namespace {

using testevent::EventBuilder;

ZelOleDateTimeSpan Hours(int i_hours, int i_minutes = 0) { return ZelOleDateTimeSpan(0, i_hours, i_minutes, 0); }

ZelRelTimeslotArray Times(std::initializer_list<std::string> a_times)
{
    ZelRelTimeslotArray a_slots;
    for (const std::string& s : a_times) {
        int i_at = 0;
        const ZelRelTimeslot slot = EventBuilder::RelSlot(s);
        a_slots.Find(slot, &i_at);
        a_slots.InsertAt(i_at, slot);
    }
    return a_slots;
}

const DayDefBase& Days(EventBuilder& event) { return event.Doc().GetEventDef().GetDayDefConst(); }

TEST(AvailRules, DayStatesFollowTheDaysFirstTime)
{
    EventBuilder event;
    event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00"});
    TimeList times;
    const DayDefBase& days = Days(event);
    times.SetDayTimes(days.GetDayId(1), Times({"10:00-11:00"}));
    AvailState state;
    state.Load(times, &days);
    state.SetDayUnavailable(days.GetDayId(2), TRUE);

    EXPECT_EQ(state.GetDayState(days.GetDayId(0)), e_avail_day_free);
    EXPECT_EQ(state.GetDayState(days.GetDayId(1)), e_avail_day_partly);
    EXPECT_EQ(state.GetDayState(days.GetDayId(2)), e_avail_day_unavailable);
    EXPECT_EQ(state.GetDayState(12345), e_avail_day_free);
}

TEST(AvailRules, WholeDayTimeCoversTheDaysLayout)
{
    struct Case {
        const char* pName;
        ZelOleDateTimeSpan oFirstStart;
        ZelOleDateTimeSpan oLastEnd;
        ZelOleDateTimeSpan oWholeStart;
    };
    // A layout inside the day: from midnight. From 23:00 of the day
    // before: from there. Ending 01:00 of the next day: from 01:00.
    const Case a_cases[] = {
        {"inside", Hours(9), Hours(17), Hours(0)},
        {"evening before", Hours(-1), Hours(2), Hours(-1)},
        {"next morning", Hours(20), Hours(25), Hours(1)},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        event.Days({"Mon"});
        DayDefBase& days = event.Doc().GetEventDef().GetDayDef();
        ZelRelTimeslotArray a_slots;
        a_slots.Add(ZelRelTimeslot(c.oFirstStart, Hours(1), -1));
        a_slots.Add(ZelRelTimeslot(ZelOleDateTimeSpan(c.oLastEnd - Hours(1)), Hours(1), -1));
        days.GetDaySlots(0).SetSlots(a_slots, TRUE);

        AvailState state;
        state.Load(TimeList(), &days);
        const ZelRelTimeslot whole = state.WholeDayTime(days.GetDayId(0));
        EXPECT_EQ(whole.GetStart(), c.oWholeStart) << c.pName;
        EXPECT_EQ(whole.GetLength(), ZelOleDateTimeSpan(1, 0, 0, 0)) << c.pName;
        EXPECT_EQ(whole.GetEnd(), ZelOleDateTimeSpan(c.oWholeStart + ZelOleDateTimeSpan(1, 0, 0, 0))) << c.pName;
        EXPECT_EQ(whole.GetSetKey(), -1) << c.pName;

        // Ticked, the day holds that one time and shows as unavailable.
        EXPECT_TRUE(state.SetDayUnavailable(days.GetDayId(0), TRUE));
        const ZelRelTimeslotArray* p_times = state.GetTimes().FindDayTimes(days.GetDayId(0));
        ASSERT_NE(p_times, nullptr);
        ASSERT_EQ(p_times->GetSize(), 1);
        EXPECT_EQ((*p_times)[0].GetStart(), c.oWholeStart) << c.pName;
        EXPECT_EQ(state.GetDayState(days.GetDayId(0)), e_avail_day_unavailable);
    }
}

TEST(AvailRules, TickingAndUntickingADayReportWhetherTheListChanged)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(-1, {"09:00-10:00"});
    const DayDefBase& days = Days(event);
    const LONG l_day = days.GetDayId(0);
    TimeList times;
    times.SetDayTimes(l_day, Times({"10:00-11:00", "14:00-15:00"}));
    AvailState state;
    state.Load(times, &days);

    // A partly free day ticked: its times give way to the whole day.
    EXPECT_TRUE(state.SetDayUnavailable(l_day, TRUE));
    ASSERT_EQ(state.GetTimes().FindDayTimes(l_day)->GetSize(), 1);
    // Ticked again: nothing changes.
    EXPECT_FALSE(state.SetDayUnavailable(l_day, TRUE));
    // Unticked: the day has no times; again: nothing to change.
    EXPECT_TRUE(state.SetDayUnavailable(l_day, FALSE));
    EXPECT_EQ(state.GetDayState(l_day), e_avail_day_free);
    EXPECT_FALSE(state.SetDayUnavailable(l_day, FALSE));

    // The entity gets what the page holds.
    EXPECT_TRUE(state.DiffersFrom(times));
    TimeList saved;
    state.Save(saved);
    EXPECT_FALSE(state.DiffersFrom(saved));
    EXPECT_EQ(saved.GetNumDays(), 0);
}

TEST(AvailRules, CheckAllAndUncheckAllNameTheDaysThatChanged)
{
    EventBuilder event;
    event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00"});
    const DayDefBase& days = Days(event);
    AvailState state;
    state.Load(TimeList(), &days);

    // Nothing to uncheck: no day changes (the page then leaves Undo off).
    EXPECT_TRUE(state.SetAllDays(FALSE).empty());

    state.SetDayUnavailable(days.GetDayId(1), TRUE);
    EXPECT_EQ(state.SetAllDays(TRUE), (std::vector<int>{2, 0}));
    EXPECT_TRUE(state.SetAllDays(TRUE).empty());
    EXPECT_EQ(state.SetAllDays(FALSE), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(state.GetTimes().GetNumDays(), 0);
}

TEST(AvailRules, GridTimesAreKeptOnlyForTheEventsDays)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(-1, {"09:00-10:00"});
    const DayDefBase& days = Days(event);
    AvailState state;
    state.Load(TimeList(), &days);
    state.TakeGridDay(0, Times({"10:00-11:00"}));
    state.TakeGridDay(1, Times({"12:00-13:00"}));
    EXPECT_EQ(state.GetTimes().GetNumDays(), 1);
    EXPECT_EQ(state.GetDayState(days.GetDayId(0)), e_avail_day_partly);
    // The grid emptied on the day: it has no times left.
    state.TakeGridDay(0, ZelRelTimeslotArray());
    EXPECT_EQ(state.GetDayState(days.GetDayId(0)), e_avail_day_free);

    // An event without days: the grid's one day is not stored, and there
    // is nothing to check or uncheck.
    EventBuilder empty;
    AvailState none;
    none.Load(TimeList(), &Days(empty));
    EXPECT_EQ(none.GetNumDays(), 0);
    none.TakeGridDay(0, Times({"10:00-11:00"}));
    EXPECT_EQ(none.GetTimes().GetNumDays(), 0);
    EXPECT_TRUE(none.SetAllDays(TRUE).empty());
}

} // namespace
