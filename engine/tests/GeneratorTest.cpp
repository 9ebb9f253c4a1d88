// The quiet placement checks: suitability, shared participants, clashes,
// nearest placements and travel time, limit blockers, rules and rotation;
// and the clash repair.
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/TTMap.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

SchedLim Range(UINT u_min, UINT u_max) { return SchedLim(SchedLim::e_range, 0, u_min, u_max); }

std::string Locs(const TTLocArray& a_locs)
{
    std::string s;
    for (int i = 0; i < a_locs.GetSize(); ++i) {
        if (i > 0)
            s += ' ';
        s += std::to_string(a_locs[i].GetDay()) + ":" + std::to_string(a_locs[i].GetVenue()) + ":"
            + std::to_string(a_locs[i].GetSlot());
    }
    return s;
}

int GroupIndex(EventBuilder& event, const std::string& s_group)
{
    return event.Doc().GetGroups().FindByKey(event.GroupKey(s_group));
}

TEST(Generator, VenueSuitabilityByStylesAndFacilities)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00"});
    event.Style("A").Style("B").Style("C").Facility("Piano").Facility("Stage");
    event.Venue("AB", {"A", "B"}, {"Piano"}).Venue("OnlyC", {"C"}).Venue("Plain");
    event.Group("StyleB").GroupStyles("StyleB", {"B"});
    event.Group("NoStyle");
    event.Group("StyleBPiano").GroupStyles("StyleBPiano", {"B"}).GroupFacilities("StyleBPiano", {"Piano"});
    event.Group("StyleBStage").GroupStyles("StyleBStage", {"B"}).GroupFacilities("StyleBStage", {"Stage"});
    // A style in a later slot, the first slot freed: free slots are passed
    // over.
    event.Group("Gapped").GroupStyles("Gapped", {"C", "A"});
    event.GetGroup("Gapped").GetStyles().SetAt(0, -1);

    struct Case {
        const char* pGroup;
        const char* pVenue;
        BOOL bSuitable;
    };
    const Case a_cases[] = {
        {"StyleB", "AB", TRUE},       {"StyleB", "OnlyC", FALSE},      {"StyleB", "Plain", TRUE},
        {"NoStyle", "Plain", TRUE},   {"NoStyle", "AB", FALSE},        {"StyleBPiano", "AB", TRUE},
        {"StyleBPiano", "Plain", FALSE}, {"StyleBStage", "AB", FALSE}, {"Gapped", "AB", TRUE},
        {"Gapped", "OnlyC", FALSE},
    };
    const Generator generator;
    const EventDoc& doc = event.Doc();
    for (const Case& c : a_cases) {
        EXPECT_EQ(generator.IsVenueSuitable(doc.GetGroups()[GroupIndex(event, c.pGroup)],
                                            doc.GetVenues()[event.VenueIndex(c.pVenue)]),
                  c.bSuitable)
            << c.pGroup << " in " << c.pVenue;
    }
}

TEST(Generator, SharedParticipants)
{
    EventBuilder event;
    event.Participant("Ann Lee").Participant("Bob Ray").Participant("Cy Fox");
    event.Group("Trio").Member("Trio", "Cy Fox").Member("Trio", "Bob Ray").Member("Trio", "Ann Lee");
    event.Group("Duo").Member("Duo", "Ann Lee").Member("Duo", "Bob Ray");
    event.Group("Solo").Member("Solo", "Cy Fox").Group("Empty");
    const Generator generator;
    struct Case {
        const char* pA;
        const char* pB;
        BOOL bShare;
        const char* pKey; // the participant reported, or none
    };
    const Case a_cases[] = {
        {"Trio", "Duo", TRUE, "Ann Lee"}, // the smaller group is walked, in member order
        {"Duo", "Trio", TRUE, "Ann Lee"},
        {"Duo", "Solo", FALSE, nullptr},
        {"Trio", "Trio", TRUE, "Cy Fox"}, // the same group: its first member
        {"Empty", "Empty", TRUE, nullptr},
        {"Empty", "Solo", FALSE, nullptr},
    };
    for (const Case& c : a_cases) {
        LONG l_key = 12345;
        EXPECT_EQ(generator.GroupsShareParticipant(event.Doc().GetGroups(), GroupIndex(event, c.pA),
                                                   GroupIndex(event, c.pB), &l_key),
                  c.bShare)
            << c.pA << " " << c.pB;
        EXPECT_EQ(l_key, c.pKey ? event.ParticipantKey(c.pKey) : -1) << c.pA << " " << c.pB;
    }
}

// Hall 09:00-10:00; Barn 09:30-10:30 overlaps it; Loft 10:00-11:00 only
// touches it. Choir (Ann) in Hall; Band (Ann) in Barn, locked; Trio (Ann)
// in Loft; Solo (Bob) in Barn at 10:30.
struct Overlaps {
    Overlaps()
    {
        event.Days({"Mon"}).Venue("Hall").Venue("Barn").Venue("Loft");
        event.VenueSlots(0, "Hall", {"09:00-10:00"}).VenueSlots(0, "Barn", {"09:30-10:30", "10:30-11:30"});
        event.VenueSlots(0, "Loft", {"10:00-11:00"});
        event.Participant("Ann Lee").Participant("Bob Ray");
        event.Group("Choir").Member("Choir", "Ann Lee").Group("Band").Member("Band", "Ann Lee");
        event.Group("Trio").Member("Trio", "Ann Lee").Group("Solo").Member("Solo", "Bob Ray");
        event.Timetable().Place(0, "Barn", "09:30", "Band", true).Place(0, "Loft", "10:00", "Trio");
        event.Place(0, "Barn", "10:30", "Solo");
    }
    const Day& Day0() { return event.Doc().GetTimetable()->GetDay(0); }
    const Timeslot& Slot(const char* p_venue, const char* p_start) { return event.Slot(0, p_venue, p_start); }

    EventBuilder event;
};

TEST(Generator, ClashesAreTimeOverlapsInOtherVenuesWithASharedParticipant)
{
    Overlaps ev;
    const Generator generator;
    const EventDoc& doc = ev.event.Doc();
    const int i_choir = GroupIndex(ev.event, "Choir");
    const int i_solo = GroupIndex(ev.event, "Solo");
    const Timeslot& hall = ev.Slot("Hall", "09:00");

    EXPECT_TRUE(generator.HasClashAt(&doc, ev.Day0(), hall, i_choir));
    EXPECT_FALSE(generator.HasClashAt(&doc, ev.Day0(), hall, i_choir, &ev.Slot("Barn", "09:30")))
        << "the ignored timeslot; Loft only touches Hall";
    EXPECT_FALSE(generator.HasClashAt(&doc, ev.Day0(), hall, i_solo));

    TTLocArray a_locs;
    EXPECT_EQ(generator.FindClashLocations(&doc, ev.Day0(), hall, i_choir, a_locs, FALSE), 1);
    EXPECT_EQ(Locs(a_locs), "0:1:0");
    // Barn at 09:30 against Hall (empty) and Loft at 10:00 (Trio, unlocked).
    const Timeslot& barn = ev.Slot("Barn", "09:30");
    a_locs.RemoveAll();
    EXPECT_EQ(generator.FindClashLocations(&doc, barn, i_choir, a_locs, FALSE), 1);
    EXPECT_EQ(Locs(a_locs), "0:2:0");
    EXPECT_EQ(generator.FindClashLocations(&doc, barn, i_choir, a_locs, TRUE), 0) << "Trio is not locked";

    KeyList keys(2);
    keys.Add(ev.event.GroupKey("Trio"));
    EXPECT_EQ(generator.GetOverlappingGroups(&doc, ev.Day0(), barn, keys, FALSE), 0) << "already listed";
    EXPECT_EQ(generator.GetOverlappingGroups(&doc, ev.Day0(), hall, keys, TRUE), 1);
    EXPECT_GE(keys.Find(ev.event.GroupKey("Band")), 0);
    EXPECT_EQ(generator.GetOverlappingGroups(&doc, ev.Slot("Loft", "10:00"), keys, FALSE), 1)
        << "Solo at 10:30 in Barn; Band's key is there already";
    EXPECT_GE(keys.Find(ev.event.GroupKey("Solo")), 0);
}

// Travel time 15 minutes. Ann's group Band is in Barn 09:00-10:00 (locked
// when asked); Choir (Ann) is to go into a Hall slot starting at the given
// time, or into Barn.
struct TravelCase {
    const char* pWhy;
    const char* pVenue;
    const char* pTimes;
    bool bNeighbourLocked;
    BOOL bLockedOnly;
    BOOL bEnough;
    bool bTooNear; // the placement before or after is too near, locked or not
};

BOOL TravelTest(const TravelCase& c)
{
    EventBuilder event;
    event.Days({"Mon"}).Venue("Hall").Venue("Barn");
    event.VenueSlots(0, "Barn", {"09:00-10:00", "10:15-11:00"});
    event.VenueSlots(0, "Hall", {"07:00-07:50", c.pTimes});
    event.Participant("Ann Lee").Group("Band").Member("Band", "Ann Lee").Group("Choir").Member("Choir", "Ann Lee");
    event.Timetable().Place(0, "Barn", "09:00", "Band", c.bNeighbourLocked);
    event.Doc().GetPreferences().SetTravelMinutes(15);
    const std::string s_start = std::string(c.pTimes).substr(0, 5);
    const Timeslot& slot = event.Slot(0, c.pVenue, s_start);
    const Generator generator;
    const int i_choir = GroupIndex(event, "Choir");
    const BOOL b_enough = generator.CheckTravelTime(&event.Doc(), i_choir, slot, c.bLockedOnly);
    const int i_slot = event.Doc().GetTimetable()->GetDay(0).GetVenueSlots(event.VenueIndex(c.pVenue)).FindFirst(
        EventBuilder::At(s_start), TRUE);
    EXPECT_EQ(generator.CheckTravelTime(&event.Doc(), i_choir, 0, event.VenueIndex(c.pVenue), i_slot, c.bLockedOnly),
              b_enough)
        << c.pWhy << ": the form by cell";
    TTLocArray a_locs;
    EXPECT_EQ(generator.FindTravelClashLocations(&event.Doc(), i_choir, slot, a_locs), c.bTooNear ? 1 : 0)
        << c.pWhy << ": the list of placements too near";
    return b_enough;
}

TEST(Generator, TravelTime)
{
    const TravelCase a_cases[] = {
        {"a quarter of an hour after", "Hall", "10:15-11:00", false, FALSE, TRUE, false},
        {"a minute short", "Hall", "10:14-11:00", false, FALSE, FALSE, true},
        {"the same venue needs none", "Barn", "10:15-11:00", false, FALSE, TRUE, false},
        {"ending a minute short of the next", "Hall", "07:50-08:46", false, FALSE, FALSE, true},
        {"ending a quarter of an hour before", "Hall", "07:50-08:45", false, FALSE, TRUE, false},
        {"locked only: an unlocked neighbour does not count", "Hall", "10:05-11:00", false, TRUE, TRUE, true},
        {"locked only: a locked neighbour does", "Hall", "10:05-11:00", true, TRUE, FALSE, true},
        {"locked only: a locked neighbour far enough", "Hall", "10:15-11:00", true, TRUE, TRUE, false},
    };
    for (const TravelCase& c : a_cases)
        EXPECT_EQ(TravelTest(c), c.bEnough) << c.pWhy;
}

TEST(Generator, NearestPlacementsOfAParticipant)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Venue("Hall").Venue("Barn");
    event.Slots(-1, {"08:00-09:00", "09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"});
    event.Participant("Ann Lee").Participant("Bob Ray");
    event.Group("Choir").Member("Choir", "Ann Lee").Group("Band").Member("Band", "Ann Lee");
    event.Group("Solo").Member("Solo", "Bob Ray").Timetable();
    event.Place(0, "Hall", "08:00", "Choir").Place(0, "Barn", "09:00", "Band").Place(0, "Hall", "09:00", "Solo");
    event.Place(0, "Hall", "12:00", "Band").Place(1, "Barn", "10:00", "Choir");
    const Generator generator;
    const LONG l_ann = event.ParticipantKey("Ann Lee");
    const Timeslot& slot = event.Slot(0, "Hall", "10:00");
    TTLoc loc;
    ASSERT_TRUE(generator.FindNearestPlacement(&event.Doc(), slot, l_ann, TRUE, loc));
    EXPECT_EQ(loc, TTLoc(0, 1, 1)) << "Barn at 9 ends latest before; Solo has no Ann";
    ASSERT_TRUE(generator.FindNearestPlacement(&event.Doc(), slot, l_ann, FALSE, loc));
    EXPECT_EQ(loc, TTLoc(0, 0, 4)) << "the next day does not count";
    EXPECT_FALSE(generator.FindNearestPlacement(&event.Doc(), event.Slot(0, "Barn", "08:00"), l_ann, TRUE, loc));
}

TEST(Generator, LimitBlockersAreNeighboursOfTheDayWhoseSharedMemberIsFull)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Barn");
    const LONG l_hall = event.VenueKey("Hall");
    event.Participant("Ann Lee", [](Participant& p) { p.SetDayLimits(Range(0, 1)); });
    event.Participant("Bob Ray", [l_hall](Participant& p) {
        p.SetUseVenueLimits(TRUE);
        VenueLimit limit(l_hall);
        limit.Limit = Range(0, 1);
        p.GetVenueLimits().InsertSorted(limit);
    });
    event.Participant("Cy Fox");
    event.Group("AnnA").Member("AnnA", "Ann Lee").Group("AnnB").Member("AnnB", "Ann Lee");
    event.Group("BobA").Member("BobA", "Bob Ray").Member("BobA", "Cy Fox");
    event.Group("BobB").Member("BobB", "Bob Ray").Group("CyA").Member("CyA", "Cy Fox");
    event.Timetable().Place(0, "Barn", "09:00", "AnnA").Place(0, "Hall", "09:00", "BobA");
    event.Place(1, "Barn", "09:00", "CyA");
    SelCounters counters(&event.Doc(), event.Doc().GetTimetable(), TRUE);
    counters.CountTimetable();
    const Generator generator;
    struct Case {
        const char* pGroup;
        int iDay;
        const char* pVenue;
        const char* pBlockers;
    };
    const Case a_cases[] = {
        {"AnnB", 0, "Hall", "0:1:0"}, // Ann has had her one placement of the day
        {"AnnB", 1, "Hall", ""},      // not on another day
        {"BobB", 0, "Hall", "0:0:0"}, // Bob's one placement in Hall
        {"BobB", 0, "Barn", ""},      // no limit for Barn
        {"CyA", 0, "Hall", ""},       // Cy shares BobA but has room
    };
    for (const Case& c : a_cases) {
        TTLocArray a_locs;
        const int n_found = generator.FindLimitBlockers(&event.Doc(), GroupIndex(event, c.pGroup),
                                                        event.Slot(c.iDay, c.pVenue, "11:00"), a_locs, counters);
        EXPECT_EQ(Locs(a_locs), c.pBlockers) << c.pGroup << " day " << c.iDay << " " << c.pVenue;
        EXPECT_EQ(n_found, a_locs.GetSize());
    }
    SelCounters groups_only(&event.Doc(), event.Doc().GetTimetable(), FALSE);
    groups_only.CountTimetable();
    TTLocArray a_locs;
    EXPECT_EQ(generator.FindLimitBlockers(&event.Doc(), GroupIndex(event, "AnnB"), event.Slot(0, "Hall", "11:00"),
                                          a_locs, groups_only),
              0)
        << "without participant counts there are none";
}

TEST(Generator, RulesAttachedToTheTimeslot)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Group("Band");
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
    event.VenueRule("Barn", SchedRule::e_different_groups, {"Mon 09:00-10:00", "Mon 11:00-12:00"});
    event.Timetable().Place(0, "Hall", "09:00", "Choir").Place(0, "Barn", "11:00", "Band", true);
    event.Doc().AttachRulesToSlots(TRUE);
    const Generator generator;
    const EventDoc& doc = event.Doc();
    const Group& choir = doc.GetGroups()[GroupIndex(event, "Choir")];
    const Group& band = doc.GetGroups()[GroupIndex(event, "Band")];
    EXPECT_FALSE(generator.CheckDayRules(&doc, choir, event.Slot(0, "Hall", "10:00"), FALSE));
    EXPECT_TRUE(generator.CheckDayRules(&doc, choir, event.Slot(0, "Hall", "10:00"), TRUE)) << "Choir is not locked";
    EXPECT_TRUE(generator.CheckDayRules(&doc, band, event.Slot(0, "Hall", "10:00"), FALSE));
    EXPECT_TRUE(generator.CheckDayRules(&doc, choir, event.Slot(0, "Hall", "11:00"), FALSE)) << "no rule there";
    EXPECT_TRUE(generator.CheckVenueRules(&doc, choir, event.Slot(0, "Hall", "10:00"), FALSE)) << "no rule there";
    EXPECT_FALSE(generator.CheckVenueRules(&doc, band, event.Slot(0, "Barn", "09:00"), TRUE));
    EXPECT_TRUE(generator.CheckVenueRules(&doc, choir, event.Slot(0, "Barn", "09:00"), TRUE));
}

// Two days of four slots in Hall, Barn and Loft. Rover rotates as asked;
// Loft suits it or not. The runs are counted from the placements.
struct Rotation {
    Rotation(UINT e_rotation, bool b_loft_suits)
    {
        event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"});
        event.Style("Folk").Venue("Hall").Venue("Barn");
        if (b_loft_suits)
            event.Venue("Loft");
        else
            event.Venue("Loft", {"Folk"});
        event.Group("Rover", [e_rotation](Group& g) { g.SetRotation(e_rotation); }).Timetable();
    }
    // Places Rover into the cells ("day venue hh:mm"), builds the map and
    // counts the runs; then checks the chunk of one venue and day.
    BOOL Check(const std::vector<std::pair<int, const char*>>& a_placed, int i_day, const char* p_venue,
               const std::vector<int>& a_slots)
    {
        for (const auto& [i_at_day, p_cell] : a_placed) {
            const std::string s_cell = p_cell;
            event.Place(i_at_day, s_cell.substr(0, 4), s_cell.substr(5), "Rover");
        }
        TTMap map(&event.Doc(), event.Doc().GetTimetable());
        map.Build();
        SelCounters counters(&event.Doc(), event.Doc().GetTimetable(), FALSE);
        counters.CountRuns(map);
        Chunk chunk;
        chunk.SetVenue(event.VenueIndex(p_venue));
        for (int s : a_slots)
            chunk.AddSlot(i_day, s);
        return Generator().CheckRotation(&event.Doc(), map, 0, chunk, counters);
    }

    EventBuilder event;
};

TEST(Generator, DayRotation)
{
    struct Case {
        const char* pWhy;
        bool bLoftSuits;
        std::vector<std::pair<int, const char*>> aPlaced;
        int iDay;
        const char* pVenue;
        std::vector<int> aSlots;
        BOOL bAccepted;
    };
    const Case a_cases[] = {
        {"a second run in Hall while Barn and Loft wait", true, {{0, "Hall 09:00"}}, 0, "Hall", {2, 3}, FALSE},
        {"joining the run in Hall", true, {{0, "Hall 09:00"}}, 0, "Hall", {0, 1}, TRUE},
        {"a first run in Barn", true, {{0, "Hall 09:00"}}, 0, "Barn", {2}, TRUE},
        {"another day", true, {{0, "Hall 09:00"}}, 1, "Hall", {2}, TRUE},
        {"Loft still waits", true, {{0, "Hall 09:00"}, {0, "Barn 10:00"}}, 0, "Hall", {3}, FALSE},
        {"every venue has had its run", true, {{0, "Hall 09:00"}, {0, "Barn 10:00"}, {0, "Loft 11:00"}}, 0, "Hall",
         {3}, TRUE},
        {"Loft does not suit", false, {{0, "Hall 09:00"}, {0, "Barn 10:00"}}, 0, "Hall", {3}, TRUE},
    };
    for (const Case& c : a_cases) {
        Rotation rover(Group::e_day_rotation, c.bLoftSuits);
        EXPECT_EQ(rover.Check(c.aPlaced, c.iDay, c.pVenue, c.aSlots), c.bAccepted) << c.pWhy;
    }
}

TEST(Generator, EventRotation)
{
    struct Case {
        const char* pWhy;
        bool bLoftSuits;
        std::vector<std::pair<int, const char*>> aPlaced;
        int iDay;
        const char* pVenue;
        std::vector<int> aSlots;
        BOOL bAccepted;
    };
    const Case a_cases[] = {
        {"a first run in Barn on a day with a run in Hall", true, {{0, "Hall 09:00"}}, 0, "Barn", {2}, FALSE},
        {"a first run in Barn on another day", true, {{0, "Hall 09:00"}}, 1, "Barn", {2}, TRUE},
        {"a second run in Hall while Barn waits", true, {{0, "Hall 09:00"}}, 1, "Hall", {2}, FALSE},
        {"joining the run in Hall", true, {{0, "Hall 09:00"}}, 0, "Hall", {0, 1}, TRUE},
        {"every venue has had its run", true, {{0, "Hall 09:00"}, {1, "Barn 09:00"}, {1, "Loft 12:00"}}, 1, "Hall",
         {2}, TRUE},
        {"Loft does not suit", false, {{0, "Hall 09:00"}, {1, "Barn 09:00"}}, 1, "Hall", {2}, TRUE},
    };
    for (const Case& c : a_cases) {
        Rotation rover(Group::e_event_rotation, c.bLoftSuits);
        EXPECT_EQ(rover.Check(c.aPlaced, c.iDay, c.pVenue, c.aSlots), c.bAccepted) << c.pWhy;
    }
    Rotation still(Group::e_no_rotation, true);
    EXPECT_TRUE(still.Check({{0, "Hall 09:00"}}, 0, "Hall", {3}));
}

TEST(Generator, ClearOneOfEmptiesTheUnlockedOne)
{
    struct Case {
        bool bLockedA;
        bool bLockedB;
        BOOL bDone;
        bool bAEmptied;
        bool bBEmptied;
    };
    const Case a_cases[] = {
        {false, false, TRUE, true, false},
        {true, false, TRUE, false, true},
        {false, true, TRUE, true, false},
        {true, true, FALSE, false, false},
    };
    for (const Case& c : a_cases) {
        Timeslot a, b;
        a.SetGroup(7);
        a.SetLocked(c.bLockedA);
        a.SetSpare(3);
        b.SetGroup(8);
        b.SetLocked(c.bLockedB);
        EXPECT_EQ(Generator::ClearOneOf(a, b), c.bDone);
        EXPECT_EQ(a.GetGroup(), c.bAEmptied ? -1 : 7);
        EXPECT_EQ(b.GetGroup(), c.bBEmptied ? -1 : 8);
        if (c.bAEmptied) {
            EXPECT_FALSE(a.IsLocked());
            EXPECT_EQ(a.GetSpare(), 0u) << "emptied whole";
        }
    }
}

// Hall and Barn at 09:00 and 10:00; Choir and Band share Ann. Travel 15
// minutes.
struct Repair {
    Repair()
    {
        event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
        event.Participant("Ann Lee").Participant("Bob Ray");
        event.Group("Choir").Member("Choir", "Ann Lee").Group("Band").Member("Band", "Ann Lee");
        event.Group("Solo").Member("Solo", "Bob Ray").Timetable();
        event.Doc().GetPreferences().SetTravelMinutes(15);
    }
    LONG At(const char* p_venue, const char* p_start) { return event.Slot(0, p_venue, p_start).GetGroup(); }
    BOOL Check(const char* p_venue, const char* p_start)
    {
        const int i_slot = event.Doc().GetTimetable()->GetDay(0).GetVenueSlots(event.VenueIndex(p_venue)).FindFirst(
            EventBuilder::At(p_start), TRUE);
        return Generator(TRUE).CheckParticipantTimes(&event.Doc(), 0, event.VenueIndex(p_venue), i_slot);
    }

    EventBuilder event;
};

TEST(Generator, ClashRepairEmptiesTheUnlockedSide)
{
    ScriptedMessageBox boxes;
    {
        Repair r;
        r.event.Place(0, "Hall", "09:00", "Choir", true).Place(0, "Barn", "09:00", "Band");
        EXPECT_TRUE(r.Check("Hall", "09:00")) << "the locked side checked";
        EXPECT_EQ(r.At("Hall", "09:00"), r.event.GroupKey("Choir"));
        EXPECT_EQ(r.At("Barn", "09:00"), -1);
    }
    {
        Repair r;
        r.event.Place(0, "Hall", "09:00", "Choir", true).Place(0, "Barn", "09:00", "Band");
        EXPECT_TRUE(r.Check("Barn", "09:00")) << "the unlocked side checked";
        EXPECT_EQ(r.At("Hall", "09:00"), r.event.GroupKey("Choir"));
        EXPECT_EQ(r.At("Barn", "09:00"), -1);
    }
    {
        Repair r;
        r.event.Place(0, "Hall", "09:00", "Choir", true).Place(0, "Barn", "09:00", "Band", true);
        r.event.Place(0, "Barn", "10:00", "Solo");
        EXPECT_FALSE(r.Check("Hall", "09:00")) << "two locks";
        EXPECT_EQ(r.At("Hall", "09:00"), r.event.GroupKey("Choir"));
        EXPECT_EQ(r.At("Barn", "09:00"), r.event.GroupKey("Band"));
        EXPECT_TRUE(r.Check("Barn", "10:00")) << "no shared participant";
        EXPECT_EQ(r.At("Barn", "10:00"), r.event.GroupKey("Solo"));
    }
    {
        Repair r;
        r.event.Place(0, "Hall", "09:00", "Choir", true).Place(0, "Barn", "10:00", "Band");
        r.event.Doc().GetPreferences().SetAllowTravel(FALSE);
        EXPECT_TRUE(r.Check("Hall", "09:00"));
        EXPECT_EQ(r.At("Barn", "10:00"), r.event.GroupKey("Band")) << "travel time not asked for";
        r.event.Doc().GetPreferences().SetAllowTravel(TRUE);
        EXPECT_TRUE(r.Check("Hall", "09:00"));
        EXPECT_EQ(r.At("Barn", "10:00"), -1) << "the later placement too near";
    }
    {
        Repair r;
        r.event.Place(0, "Hall", "09:00", "Choir").Place(0, "Barn", "10:00", "Band", true);
        EXPECT_TRUE(r.Check("Barn", "10:00")) << "the earlier one, unlocked, gives way";
        EXPECT_EQ(r.At("Hall", "09:00"), -1);
        EXPECT_EQ(r.At("Barn", "10:00"), r.event.GroupKey("Band"));
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(Generator, ClashRepairReportsUnknownGroupKeys)
{
    ScriptedMessageBox boxes;
    Repair r;
    r.event.Place(0, "Hall", "09:00", "Choir");
    r.event.Slot(0, "Barn", "09:00").SetGroup(777);
    EXPECT_FALSE(r.Check("Hall", "09:00"));
    EXPECT_EQ(r.At("Hall", "09:00"), r.event.GroupKey("Choir"));
    EXPECT_FALSE(r.Check("Barn", "09:00"));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Cannot find group key 777");
    EXPECT_EQ(boxes.Boxes()[1].sText, "Cannot find group key 777");
    EXPECT_TRUE(r.Check("Hall", "10:00")) << "an empty timeslot passes";
}

TEST(Generator, CountAndPromote)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00"}).Venue("Hall").Group("A").Group("B").Group("C").Timetable();
    SelCounters counters(&event.Doc(), event.Doc().GetTimetable(), FALSE);
    Generator::GroupIndexList a_groups = {0, 1, 2};
    const Generator generator;
    generator.CountAndPromote(2, 0, 0, counters, a_groups);
    generator.CountAndPromote(1, 0, 0, counters, a_groups);
    generator.CountAndPromote(2, 0, 0, counters, a_groups);
    EXPECT_EQ(a_groups, (Generator::GroupIndexList{2, 1, 0}));
    EXPECT_EQ(counters.GetTotal(2), 2u);
    EXPECT_EQ(counters.GetDayVenueTotal(1, 0, 0), 1u);
}

} // namespace
