// The tables a build makes once: every answer the placement checks give
// with them is the answer they give by walking the timeslots and members,
// in the same order, and a timeslot that is not one of the timetable's
// cells is worked out as before.
#include "engine/BuildTables.h"
#include "engine/Generator.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>

using testevent::EventBuilder;

namespace {

std::string Locs(const TTLocArray& a_locs)
{
    std::string s;
    for (int i = 0; i < a_locs.GetSize(); ++i)
        s += " " + std::to_string(a_locs[i].GetDay()) + ":" + std::to_string(a_locs[i].GetVenue()) + ":"
            + std::to_string(a_locs[i].GetSlot());
    return s;
}

// Venues with timeslots of their own lengths on two days (so that a cell's
// row depends on the columns before it), groups sharing members in a
// chain, a group without members, keys far apart, and placements in many
// cells.
void MakeEvent(EventBuilder& event)
{
    event.Days({"Mon", "Tue"});
    event.Venue("Hall").Venue("Barn").Venue("Loft");
    event.VenueSlots(0, "Hall", {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    event.VenueSlots(0, "Barn", {"09:30-10:30", "10:30-12:00"});
    event.VenueSlots(0, "Loft", {"08:00-09:00", "09:00-12:00", "12:10-13:00"});
    event.VenueSlots(1, "Hall", {"09:00-09:30"});
    event.VenueSlots(1, "Barn", {"08:45-09:15", "09:15-09:45", "09:45-10:15"});
    event.VenueSlots(1, "Loft", {"09:20-10:00", "10:05-11:00"});
    event.Participant("Ann Lee").Participant("Bob Ray").Participant("Cy Fox");
    event.Group("Ace").Member("Ace", "Ann Lee").Member("Ace", "Bob Ray");
    event.Group("Bee").Member("Bee", "Bob Ray");
    event.Group("Cee").Member("Cee", "Cy Fox");
    event.Group("Dee");
    event.Group("Eee").Member("Eee", "Cy Fox").Member("Eee", "Ann Lee");
    event.GetGroup("Dee").SetKey(90000);
    event.Timetable();
    event.Place(0, "Hall", "10:00", "Ace").Place(0, "Barn", "09:30", "Bee").Place(0, "Barn", "10:30", "Cee");
    event.Place(0, "Loft", "09:00", "Dee").Place(0, "Loft", "12:10", "Eee").Place(0, "Hall", "11:00", "Bee");
    event.Place(1, "Barn", "09:15", "Eee").Place(1, "Hall", "09:00", "Ace").Place(1, "Loft", "09:20", "Cee");
    event.Place(1, "Loft", "10:05", "Ace");
    event.Doc().GetPreferences().SetAllowTravel(TRUE);
    event.Doc().GetPreferences().SetTravelMinutes(20);
}

TEST(BuildTables, EveryCheckGivesWhatTheWalksGive)
{
    EventBuilder event;
    MakeEvent(event);
    const EventDoc& doc = event.Doc();
    const BuildTables tables(doc);
    Generator walked;
    Generator tabled;
    tabled.SetTables(&tables);
    const GroupList& groups = doc.GetGroups();
    const Timetable& timetable = *doc.GetTimetable();
    int n_overlaps = 0;
    int n_near = 0;
    for (int d = 0; d < timetable.GetNumDays(); ++d) {
        const Day& day = timetable.GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Timeslot& slot = a_slots[s];
                const std::string s_cell = std::to_string(d) + ":" + std::to_string(v) + ":" + std::to_string(s);
                TTLocArray a_own;
                BuildTables::WorkOutOverlaps(doc, day, slot, a_own);
                BuildTables::Row row;
                ASSERT_TRUE(tables.FindOverlaps(day, slot, row)) << s_cell;
                TTLocArray a_tabled;
                for (int i = 0; i < row.GetSize(); ++i)
                    a_tabled.Add(row[i]);
                EXPECT_EQ(Locs(a_tabled), Locs(a_own)) << s_cell;
                n_overlaps += row.GetSize();
                for (int g = 0; g < groups.GetNumGroups(); ++g) {
                    const std::string s_case = s_cell + " " + groups[g].GetName();
                    EXPECT_EQ(tabled.HasClashAt(&doc, day, slot, g), walked.HasClashAt(&doc, day, slot, g)) << s_case;
                    TTLocArray a_walked_clash, a_tabled_clash;
                    walked.FindClashLocations(&doc, day, slot, g, a_walked_clash, FALSE);
                    tabled.FindClashLocations(&doc, day, slot, g, a_tabled_clash, FALSE);
                    EXPECT_EQ(Locs(a_tabled_clash), Locs(a_walked_clash)) << s_case;
                    TTLocArray a_walked_near, a_tabled_near;
                    walked.FindTravelClashLocations(&doc, g, slot, a_walked_near);
                    tabled.FindTravelClashLocations(&doc, g, slot, a_tabled_near);
                    EXPECT_EQ(Locs(a_tabled_near), Locs(a_walked_near)) << s_case;
                    n_near += a_walked_near.GetSize();
                }
            }
        }
    }
    // The event has overlaps and near placements to compare.
    EXPECT_GT(n_overlaps, 10);
    EXPECT_GT(n_near, 0);

    for (int a = 0; a < groups.GetNumGroups(); ++a) {
        for (int b = 0; b < groups.GetNumGroups(); ++b)
            EXPECT_EQ(tabled.GroupsShareParticipant(groups, a, b), walked.GroupsShareParticipant(groups, a, b))
                << groups[a].GetName() << " " << groups[b].GetName();
    }
    for (const LONG l_key : {-1L, 0L, 1L, 2L, 3L, 4L, 5L, 6L, 89999L, 90000L, 90001L})
        EXPECT_EQ(tables.FindGroup(l_key), groups.FindByKey(l_key)) << l_key;
}

TEST(BuildTables, TimeslotsOutsideTheTimetableAreWorkedOut)
{
    EventBuilder event;
    MakeEvent(event);
    EventDoc& doc = event.Doc();
    const BuildTables tables(doc);
    Generator tabled;
    tabled.SetTables(&tables);
    const Day& day = doc.GetTimetable()->GetDay(0);
    BuildTables::Row row;

    // A copy of a cell has no row: its overlaps are worked out.
    const Timeslot copy = day.GetVenueSlots(0)[1];
    EXPECT_FALSE(tables.FindOverlaps(day, copy, row));
    TTLocArray a_copy;
    tabled.FindClashLocations(&doc, day, copy, doc.GetGroups().FindByKey(event.GroupKey("Bee")), a_copy, FALSE);
    EXPECT_EQ(Locs(a_copy), " 0:1:0");

    // Another day object (a copy of the day) is not the timetable's.
    const Day day_copy = day;
    EXPECT_FALSE(tables.FindOverlaps(day_copy, day_copy.GetVenueSlots(0)[0], row));

    // Tables made without travel, or for other minutes, are not read.
    doc.GetPreferences().SetTravelMinutes(45);
    EXPECT_FALSE(tables.FindNear(day, day.GetVenueSlots(0)[0], 45, row));
    EXPECT_TRUE(tables.FindNear(day, day.GetVenueSlots(0)[0], 20, row));
    doc.GetPreferences().SetAllowTravel(FALSE);
    const BuildTables no_travel(doc);
    EXPECT_FALSE(no_travel.FindNear(day, day.GetVenueSlots(0)[0], 45, row));
}

} // namespace
