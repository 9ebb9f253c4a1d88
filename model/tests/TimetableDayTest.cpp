#include "model/EventDoc.h"
#include "model/TimetableDay.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/values/ZelTimeslot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

// A venue's slots as "hh:mm-hh:mm", with "=Group" for a placement and "*"
// when it is locked.
std::string Describe(const EventDoc& doc, const TimeslotArray& a_slots)
{
    std::string s;
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        const Timeslot& slot = a_slots[i];
        if (!s.empty())
            s += " ";
        s += slot.GetTimeText(TRUE, FALSE) + "-" + slot.GetTimeText(TRUE, TRUE);
        if (slot.GetGroup() >= 0) {
            const int i_group = doc.GetGroups().FindByKey(slot.GetGroup());
            s += "=" + (i_group >= 0 ? doc.GetGroups()[i_group].GetName() : std::to_string(slot.GetGroup()));
        }
        if (slot.IsLocked())
            s += "*";
    }
    return s;
}

// The words of a description in sorted order.
std::vector<std::string> Sorted(const std::string& s_text)
{
    std::vector<std::string> v_words;
    std::size_t n_at = 0;
    while (n_at < s_text.size()) {
        const std::size_t n_end = std::min(s_text.find(' ', n_at), s_text.size());
        v_words.push_back(s_text.substr(n_at, n_end - n_at));
        n_at = n_end + 1;
    }
    std::sort(v_words.begin(), v_words.end());
    return v_words;
}

std::string DescribeVenue(EventBuilder& event, int i_day, const std::string& s_venue)
{
    const Day& day = event.Doc().GetTimetableObject()->GetDay(i_day);
    return Describe(event.Doc(), day.GetVenueSlots(event.VenueIndex(s_venue)));
}

// ---- building the venue arrays ----

TEST(Day, EveryVenueTakesTheWholeLayoutWhenItServesAllVenues)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn").Venue("Yard").Timetable();
    const Day& day = event.Doc().GetTimetableObject()->GetDay(0);
    ASSERT_EQ(day.GetNumVenues(), 3);
    for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(Describe(event.Doc(), day.GetVenueSlots(v)), "09:00-10:00 10:00-11:00");
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(day.GetVenueSlots(v)[i].GetDay(), 0);
            EXPECT_EQ(day.GetVenueSlots(v)[i].GetVenue(), v);
        }
    }
    // Every slot has a key of its own.
    EXPECT_NE(day.GetVenueSlots(0)[0].GetSlotKey(), day.GetVenueSlots(1)[0].GetSlotKey());
}

TEST(Day, EachSlotGoesToItsOwnVenueAndAGoneVenueTakesItsSlots)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Venue("Yard");
    event.VenueSlots(1, "Hall", {"08:00-09:00"}).VenueSlots(1, "Yard", {"12:00-13:00", "13:00-14:00"});
    // The layout still names the Barn when the Barn is deleted from the
    // venue list without the layout being told.
    event.VenueSlots(1, "Barn", {"15:00-16:00"});
    event.Doc().GetVenues().RemoveAt(event.VenueIndex("Barn"));
    event.Timetable();

    const Day& day = event.Doc().GetTimetableObject()->GetDay(1);
    ASSERT_EQ(day.GetNumVenues(), 2);
    EXPECT_EQ(DescribeVenue(event, 1, "Hall"), "08:00-09:00");
    EXPECT_EQ(DescribeVenue(event, 1, "Yard"), "12:00-13:00 13:00-14:00");
    EXPECT_EQ(day.GetVenueSlots(1)[0].GetVenue(), 1);
    EXPECT_EQ(DescribeVenue(event, 0, "Yard"), "09:00-10:00") << "the other day serves all venues";
}

TEST(Day, APreviousSlotListCarriesKeysOfUnchangedSlotsAndLearnsTheNewOnes)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Timetable();
    Day& day = event.Doc().GetTimetableObject()->GetDay(0);
    const LONG l_hall = event.VenueKey("Hall");
    const LONG k_nine = day.GetVenueSlots(0)[0].GetSlotKey();

    // The day grid's list: 09:00 unchanged (its key), 10:00 moved to 10:30
    // (a fresh slot).
    ZelRelTimeslotArray a_previous;
    ZelRelTimeslot nine = EventBuilder::RelSlot("09:00-10:00", l_hall);
    nine.SetItemData(k_nine);
    ZelRelTimeslot half_ten = EventBuilder::RelSlot("10:30-11:30", l_hall);
    a_previous.Add(nine);
    a_previous.Add(half_ten);
    // The layout holds the same slots, for all venues.
    ZelRelTimeslotArray a_layout;
    nine.SetSetKey(-1);
    half_ten.SetSetKey(-1);
    a_layout.Add(nine);
    a_layout.Add(half_ten);
    event.Doc().GetEventDef().GetDayDef().GetDaySlots(0).SetSlots(a_layout, TRUE);

    day.Init(&event.Doc(), 0, &a_previous);
    const TimeslotArray& a_slots = day.GetVenueSlots(0);
    ASSERT_EQ(a_slots.GetSize(), 2);
    EXPECT_EQ(a_slots[0].GetSlotKey(), k_nine);
    EXPECT_EQ(a_previous[1].GetItemData(), a_slots[1].GetSlotKey()) << "the grid learns the fresh slot's key";
}

// ---- locks ----

struct LockCase {
    const char* pName;
    const char* pStart;      // the lock's start
    const char* pKeyOf;      // the lock names the key of the slot at this start; null: a key that is gone
    const char* pGroup;      // "Gone" for a group the event no longer has
    const char* pExpected;   // the Hall afterwards
};

TEST(Day, LocksAreReappliedByKeyElseByStart)
{
    const LockCase a_cases[] = {
        {"key kept: by key, wherever it starts now", "09:00", "10:00", "Choir",
         "09:00-10:00 09:00-09:30 10:00-11:00=Choir* 11:00-12:00=Band*"},
        {"key gone: by start to every unlocked slot", "09:00", nullptr, "Choir",
         "09:00-10:00=Choir* 09:00-09:30=Choir* 10:00-11:00 11:00-12:00=Band*"},
        {"deleted group dropped", "09:00", "10:00", "Gone", "09:00-10:00 09:00-09:30 10:00-11:00 11:00-12:00=Band*"},
        {"locked slot not replaced, by key", "09:00", "11:00", "Choir",
         "09:00-10:00 09:00-09:30 10:00-11:00 11:00-12:00=Band*"},
        {"locked slot not replaced, by start", "11:00", nullptr, "Choir",
         "09:00-10:00 09:00-09:30 10:00-11:00 11:00-12:00=Band*"},
    };
    for (const LockCase& c : a_cases) {
        SCOPED_TRACE(c.pName);
        EventBuilder event;
        event.Days({"Mon"}).Venue("Hall").Group("Choir").Group("Band");
        event.VenueSlots(0, "Hall", {"09:00-10:00", "09:00-09:30", "10:00-11:00", "11:00-12:00"}).Timetable();
        event.Place(0, "Hall", "11:00", "Band", true);
        Day& day = event.Doc().GetTimetableObject()->GetDay(0);

        const LONG l_group = std::string(c.pGroup) == "Gone" ? 987654 : event.GroupKey(c.pGroup);
        const LONG l_slot = c.pKeyOf ? event.Slot(0, "Hall", c.pKeyOf).GetSlotKey() : 0x7FFFFFF0;
        TimeslotLockArray a_locks;
        a_locks.Add(TimeslotLock(Timeslot::GetBaseDate() + EventBuilder::At(c.pStart), event.VenueKey("Hall"), l_group,
                                 l_slot));
        day.SetLocks(a_locks);
        // A lock of a venue the event no longer has changes nothing.
        a_locks[0].lVenueKey = 424242;
        day.SetLocks(a_locks);

        // The two 09:00 slots stand in no defined order.
        EXPECT_EQ(Sorted(DescribeVenue(event, 0, "Hall")), Sorted(c.pExpected));
    }
}

TEST(Day, LocksFollowTheDayGridsChanges)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
    event.Group("Choir").Group("Band").Timetable();
    event.Place(0, "Hall", "09:00", "Choir", true).Place(0, "Hall", "10:00", "Band", true);
    event.Place(0, "Hall", "11:00", "Choir");
    Timetable& timetable = *event.Doc().GetTimetableObject();
    timetable.SetValid(TRUE);
    const LONG l_hall = event.VenueKey("Hall");
    const LONG k_nine = event.Slot(0, "Hall", "09:00").GetSlotKey();
    const LONG k_ten = event.Slot(0, "Hall", "10:00").GetSlotKey();

    // 09:00 stays, 10:00 moves to 10:30 (its key negated), 11:00 goes, and
    // 13:00 is new.
    ZelRelTimeslotArray a_grid;
    const auto add = [&](const char* p_times, LONG l_item) {
        ZelRelTimeslot slot = EventBuilder::RelSlot(p_times, l_hall);
        slot.SetItemData(l_item);
        a_grid.Add(slot);
    };
    add("09:00-10:00", k_nine);
    add("10:30-11:30", -k_ten);
    add("13:00-14:00", 0);
    ZelRelTimeslotArray a_layout(a_grid);
    for (int i = 0; i < a_layout.GetSize(); ++i)
        a_layout[i].SetSetKey(-1);
    event.Doc().GetEventDef().GetDayDef().GetDaySlots(0).SetSlots(a_layout, TRUE);

    timetable.ResetDayTimeslots(&event.Doc(), 0, &a_grid);
    EXPECT_EQ(DescribeVenue(event, 0, "Hall"), "09:00-10:00=Choir* 10:30-11:30=Band* 13:00-14:00");
    EXPECT_EQ(event.Slot(0, "Hall", "09:00").GetSlotKey(), k_nine);
    EXPECT_FALSE(timetable.IsValid());
    EXPECT_EQ(timetable.GetCreationDate().GetStatus(), CHighTime::null);

    // Out of range: nothing happens.
    timetable.SetValid(TRUE);
    timetable.ResetDayTimeslots(&event.Doc(), 1, &a_grid);
    timetable.ResetDayTimeslots(&event.Doc(), -1, &a_grid);
    EXPECT_TRUE(timetable.IsValid());
}

TEST(Day, LocksSurviveAReplacedTimetable)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Group("Band").Timetable();
    event.Place(0, "Hall", "10:00", "Choir", true).Place(1, "Barn", "09:00", "Band", true);
    event.Place(1, "Hall", "09:00", "Band");

    TimeslotLockArrays a_locks;
    event.Doc().GetTimetableObject()->GetLocks(a_locks);
    ASSERT_EQ(a_locks.GetSize(), 2);
    EXPECT_EQ(a_locks[0].GetSize(), 1);
    // The venue goes and the timetable is made anew, as the document does
    // after an edit.
    event.Doc().GetVenues().RemoveAt(event.VenueIndex("Barn"));
    event.Timetable();
    event.Doc().GetTimetableObject()->SetLocks(a_locks);
    EXPECT_EQ(DescribeVenue(event, 0, "Hall"), "09:00-10:00 10:00-11:00=Choir*");
    EXPECT_EQ(DescribeVenue(event, 1, "Hall"), "09:00-10:00 10:00-11:00") << "unlocked placements are not carried";
}

// ---- slot definitions, counts, removal ----

TEST(Day, SlotDefinitionsGiveEachTimeOnce)
{
    EventBuilder event;
    event.Days({"Mon"}).Venue("Hall").Venue("Barn").Group("Choir");
    event.VenueSlots(0, "Hall", {"09:00-10:00", "10:00-11:00"}).VenueSlots(0, "Barn", {"09:00-10:00", "09:00-09:30"});
    event.Timetable().Place(0, "Barn", "09:00", "Choir");
    const Day& day = event.Doc().GetTimetableObject()->GetDay(0);

    Day::SlotArray a_defs;
    day.GetAllSlotDefs(a_defs);
    std::vector<std::string> v_defs;
    for (int i = 0; i < a_defs.GetSize(); ++i)
        v_defs.push_back(Timetable::GetTimeLabel(a_defs[i], a_defs[i], TRUE, TRUE));
    EXPECT_EQ(v_defs, (std::vector<std::string>{"09:00 to 09:30", "09:00 to 10:00", "10:00 to 11:00"}));
    EXPECT_EQ(a_defs.FindFirst(EventBuilder::At("09:00")), 0);
    EXPECT_EQ(a_defs.FindFirst(EventBuilder::At("09:30")), -1);
    EXPECT_EQ(a_defs.FindTime(EventBuilder::At("09:30")), 0) << "a definition ending then";
    EXPECT_EQ(a_defs.FindTime(EventBuilder::At("12:00")), -1);
    EXPECT_EQ(a_defs.GetLatestEnd(), 2);

    // Get clears what the array held; Add merges into it.
    day.GetVenueSlotDefs(a_defs, event.VenueIndex("Hall"));
    EXPECT_EQ(a_defs.GetSize(), 2);
    day.AddVenueSlotDefs(a_defs, event.VenueIndex("Barn"));
    EXPECT_EQ(a_defs.GetSize(), 3);

    // A filter chooses the slots considered.
    const auto filled = [](const void*, const Timeslot& slot) -> BOOL { return slot.GetGroup() >= 0; };
    day.GetAllSlotDefs(a_defs, filled);
    ASSERT_EQ(a_defs.GetSize(), 1);
    ZelArray<const Timeslot*> a_slots;
    day.CollectAllSlots(a_slots);
    EXPECT_EQ(a_slots.GetSize(), 4);
    day.CollectSlots(a_slots, event.VenueIndex("Barn"), filled);
    ASSERT_EQ(a_slots.GetSize(), 5);
    EXPECT_EQ(a_slots[4]->GetGroup(), event.GroupKey("Choir"));
    day.CollectSlots(a_slots, 7);
    EXPECT_EQ(a_slots.GetSize(), 5) << "a venue the day does not have adds nothing";
}

TEST(Day, RemovingAVenueMovesTheLaterColumnsUp)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Venue("Yard").Group("Choir");
    event.Timetable().Place(0, "Yard", "09:00", "Choir", true);
    Timetable& timetable = *event.Doc().GetTimetableObject();
    timetable.RemoveVenue(3);
    timetable.RemoveVenue(-1);
    EXPECT_EQ(timetable.GetDay(0).GetNumVenues(), 3);

    timetable.RemoveVenue(1);
    const Day& day = timetable.GetDay(0);
    ASSERT_EQ(day.GetNumVenues(), 2);
    EXPECT_EQ(day.GetVenueSlots(1)[0].GetGroup(), event.GroupKey("Choir"));
    EXPECT_EQ(day.GetVenueSlots(1)[0].GetVenue(), 1) << "the slot stands in its new column";
    EXPECT_EQ(day.CountLocked(event.GroupKey("Choir"), -1), 1);
    EXPECT_EQ(day.CountLocked(event.GroupKey("Choir"), 0), 0);
}

} // namespace
