// The verification of placed timeslots with its texts, shown as a warning
// or inside the build's internal error; and the timetable's re-fit after
// edits in the day grid.
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

SchedLim Range(UINT u_min, UINT u_max) { return SchedLim(SchedLim::e_range, 0, u_min, u_max); }

void AddVenueLimit(SchedEntity& entity, LONG l_venueKey, UINT u_max)
{
    entity.SetUseVenueLimits(TRUE);
    VenueLimit limit(l_venueKey);
    limit.Limit = Range(0, u_max);
    entity.GetVenueLimits().InsertSorted(limit);
}

// Mon and Tue, 09:00 to 12:00 in hour slots, in Hall (style Jazz, a
// piano), Barn (no style) and Loft (style Folk). Each failure has groups of
// its own; the travel time is 5 minutes.
struct Festival {
    Festival()
    {
        event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
        event.Style("Jazz").Style("Folk").Facility("Piano").Facility("Harp");
        event.Venue("Hall", {"Jazz"}, {"Piano"}).Venue("Barn").Venue("Loft", {"Folk"});
        const LONG l_hall = event.VenueKey("Hall");
        event.Participant("Ann Lee", [](Participant& p) { p.SetDayLimits(Range(0, 1)); });
        event.Participant("Bob Ray", [l_hall](Participant& p) { AddVenueLimit(p, l_hall, 1); });
        event.Participant("Cy Fox", [](Participant& p) { p.SetEventLimits(Range(0, 1)); });
        event.Participant("Di Moe").Participant("Ed Poe").Participant("Fay Orr");

        event.Group("Sound").GroupStyles("Sound", {"Jazz"}).Member("Sound", "Di Moe");
        event.Group("Choir").GroupStyles("Choir", {"Jazz"}).GroupUnavailable("Choir", 0, "09:00-10:00");
        event.Group("DayMax", [](Group& g) { g.SetDayLimits(Range(0, 1)); }).GroupStyles("DayMax", {"Jazz"});
        event.Group("EventMax", [](Group& g) { g.SetEventLimits(Range(0, 1)); }).GroupStyles("EventMax", {"Jazz"});
        event.Group("VenueMax", [l_hall](Group& g) {
            g.SetEventLimits(Range(0, 1));
            AddVenueLimit(g, l_hall, 1);
        });
        event.GroupStyles("VenueMax", {"Jazz"});
        event.Group("AnnA").Member("AnnA", "Ann Lee").Group("AnnB").Member("AnnB", "Ann Lee");
        event.Group("BobA").GroupStyles("BobA", {"Jazz"}).Member("BobA", "Bob Ray");
        event.Group("BobB").GroupStyles("BobB", {"Jazz"}).Member("BobB", "Bob Ray");
        event.Group("CyA").Member("CyA", "Cy Fox").Group("CyB").Member("CyB", "Cy Fox");
        event.Group("NoStyle").Group("Folky").GroupStyles("Folky", {"Folk"});
        event.Group("Harpist").GroupStyles("Harpist", {"Jazz"}).GroupFacilities("Harpist", {"Piano", "Harp"});
        event.Group("Haunted");
        event.GetGroup("Haunted").GetMembers().SetMember(99999, "", FALSE);
        event.Group("EdA").Member("EdA", "Ed Poe").Group("EdB").GroupStyles("EdB", {"Jazz"}).Member("EdB", "Ed Poe");
        event.Group("FayA").Member("FayA", "Fay Orr").Group("FayB").GroupStyles("FayB", {"Jazz"}).Member("FayB", "Fay Orr");
        event.Timetable();
    }

    EventBuilder event;
};

struct Cell {
    int iDay;
    const char* pVenue;
    const char* pStart;
    const char* pGroup; // null: a group key no group has
    bool bLocked = false;
};

// Places the cells one after another, verifying each as it is placed, with
// one set of counters. Returns how many passed; the verification stops at
// the first failure.
int VerifyCells(Festival& ev, const std::vector<Cell>& v_cells, BOOL b_user_check, BOOL b_count_participants = TRUE)
{
    EventDoc& doc = ev.event.Doc();
    SelCounters counters(&doc, doc.GetTimetable(), b_count_participants);
    const Generator generator(b_user_check);
    int n_passed = 0;
    for (const Cell& cell : v_cells) {
        Timeslot& slot = ev.event.Slot(cell.iDay, cell.pVenue, cell.pStart);
        slot.SetGroup(cell.pGroup ? ev.event.GroupKey(cell.pGroup) : 4242);
        slot.SetLocked(cell.bLocked);
        const int i_venue = ev.event.VenueIndex(cell.pVenue);
        const Day& day = doc.GetTimetable()->GetDay(cell.iDay);
        const int i_slot = day.GetVenueSlots(i_venue).FindFirst(EventBuilder::At(cell.pStart), TRUE);
        if (!generator.VerifySlot(&doc, cell.iDay, day, i_venue, i_slot, counters))
            break;
        ++n_passed;
    }
    return n_passed;
}

TEST(VerifySlot, EachFailureWithItsText)
{
    struct Case {
        std::vector<Cell> vCells; // every cell but the last passes
        const char* pText;
    };
    const Case a_cases[] = {
        {{{0, "Barn", "09:00", nullptr}}, "Cannot find group key 4242"},
        {{{0, "Hall", "09:00", "Choir"}},
         "Group 'Choir' has been selected into a timeslot when it isn't available.\n"
         "The timeslot starts at 09:00am in day 'Mon'."},
        {{{0, "Hall", "09:00", "VenueMax"}, {1, "Hall", "09:00", "VenueMax"}},
         "Group 'VenueMax' has been selected too many times in venue 'Hall'.  Its maximum scheduling limit is 1."},
        {{{0, "Hall", "09:00", "DayMax"}, {0, "Hall", "10:00", "DayMax"}},
         "Group 'DayMax' has been selected too many times on day 'Mon'.  Its maximum scheduling limit is 1."},
        {{{0, "Hall", "09:00", "EventMax"}, {1, "Hall", "10:00", "EventMax"}},
         "Group 'EventMax' has been selected too many times over the whole event.  Its maximum scheduling limit is 1."},
        {{{0, "Barn", "09:00", "AnnA"}, {0, "Barn", "10:00", "AnnB"}},
         "Participant 'Ann Lee' has been selected too many times on day 'Mon'.  Its maximum scheduling limit is 1."},
        {{{0, "Hall", "09:00", "BobA"}, {1, "Hall", "10:00", "BobB"}},
         "Participant 'Bob Ray' has been selected too many times in the venue 'Hall'. "
         "Its maximum scheduling limit is 1."},
        {{{0, "Barn", "09:00", "CyA"}, {1, "Barn", "10:00", "CyB"}},
         "Participant 'Cy Fox' has been selected too many times over the whole event.  "
         "Its maximum scheduling limit is 1."},
        {{{0, "Hall", "09:00", "NoStyle"}}, "Group 'NoStyle': has no styles but has been placed in venue 'Hall'"},
        {{{0, "Hall", "09:00", "Folky"}}, "Group 'Folky': has no style that matches the styles in venue 'Hall'"},
        {{{0, "Hall", "09:00", "Harpist"}}, "Group 'Harpist': required facility 'Harp' not found in venue 'Hall'"},
        {{{0, "Barn", "09:00", "Haunted"}}, "Can't find participant key 99999"},
        {{{0, "Barn", "09:00", "EdA"}, {0, "Hall", "09:00", "EdB"}},
         "Participant 'Ed Poe' appears more than once\nduring the time 09:00am to 10:00am in day 'Mon'"},
        {{{0, "Barn", "09:00", "FayA"}, {0, "Hall", "10:00", "FayB"}},
         "Participant 'Fay Orr' in group 'FayB'\nhas insufficent travel time to timeslot 10:00am in day 'Mon' "
         "(was in group 'FayA' in timeslot ending at 10:00am)."},
    };
    for (const BOOL b_user_check : {FALSE, TRUE}) {
        for (const Case& c : a_cases) {
            Festival ev;
            ScriptedMessageBox boxes;
            EXPECT_EQ(VerifyCells(ev, c.vCells, b_user_check), static_cast<int>(c.vCells.size()) - 1) << c.pText;
            ASSERT_EQ(boxes.Boxes().size(), 1u) << c.pText;
            const ScriptedMessageBox::Shown& box = boxes.Boxes()[0];
            if (b_user_check) {
                EXPECT_EQ(box.sText, c.pText);
                EXPECT_EQ(box.uStyle, MB_OK | MB_ICONEXCLAMATION) << c.pText;
            } else {
                EXPECT_EQ(box.sText, std::string("Error code 10008.\nAn internal error has occurred while building the "
                                                 "timetable.\n\n")
                              + c.pText + "\n\nContact your Support facility for this Product.");
                EXPECT_EQ(box.uStyle, MB_OK | MB_ICONSTOP) << c.pText;
            }
        }
    }
}

TEST(VerifySlot, ALockedGroupThatIsNotAvailableIsAlwaysAWarning)
{
    for (const BOOL b_user_check : {FALSE, TRUE}) {
        Festival ev;
        ScriptedMessageBox boxes;
        EXPECT_EQ(VerifyCells(ev, {{0, "Hall", "09:00", "Choir", true}}, b_user_check), 0);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].sText,
                  "You have locked group 'Choir' into timeslot 09:00am in day 'Mon'\n"
                  "but the group is not available at that time.");
        EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);
    }
}

TEST(VerifySlot, SoundPlacementsPassAndAreCounted)
{
    Festival ev;
    ScriptedMessageBox boxes;
    // Groups with venue limits are not held to their event maximum; the
    // same venue needs no travel time; an empty timeslot passes.
    const std::vector<Cell> v_cells = {
        {0, "Barn", "09:00", "VenueMax"}, {1, "Barn", "09:00", "VenueMax"}, {0, "Hall", "09:00", "Sound"},
        {0, "Hall", "10:00", "EdB"},      {0, "Hall", "11:00", "FayB"},     {0, "Loft", "11:00", "Folky"},
    };
    EXPECT_EQ(VerifyCells(ev, v_cells, TRUE), static_cast<int>(v_cells.size()));
    EXPECT_TRUE(boxes.Boxes().empty());

    EventDoc& doc = ev.event.Doc();
    SelCounters counters(&doc, doc.GetTimetable(), TRUE);
    const Generator generator;
    EXPECT_TRUE(generator.VerifySlot(&doc, 1, doc.GetTimetable()->GetDay(1), 0, 2, counters));
    EXPECT_TRUE(generator.VerifySlot(&doc, 0, doc.GetTimetable()->GetDay(0), 0, 0, counters));
    EXPECT_EQ(counters.GetTotal(doc.GetGroups().FindByKey(ev.event.GroupKey("Sound"))), 1u);
    EXPECT_EQ(counters.GetPartCount(doc.GetParticipants().FindByKey(ev.event.ParticipantKey("Di Moe"))).GetTotal(), 1u);
}

TEST(VerifySlot, WithoutParticipantCountsTheirLimitsAreNotChecked)
{
    Festival ev;
    ScriptedMessageBox boxes;
    EXPECT_EQ(VerifyCells(ev, {{0, "Barn", "09:00", "AnnA"}, {0, "Barn", "10:00", "AnnB"}}, TRUE, FALSE), 2);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// ---- the re-fit after edits in the day grid ----

TEST(TimetableAdjust, LockedOnlyOnATimetableWithoutLocksPasses)
{
    Festival ev;
    ScriptedMessageBox boxes;
    ev.event.Place(0, "Barn", "09:00", "EdA").Place(0, "Hall", "09:00", "EdB").Place(0, "Hall", "10:00", "Choir");
    EXPECT_EQ(ev.event.Doc().GetTimetable()->AdjustForChanges(&ev.event.Doc(), TRUE), 1);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ev.event.Slot(0, "Barn", "09:00").GetGroup(), ev.event.GroupKey("EdA")) << "nothing repaired";
}

TEST(TimetableAdjust, EveryTimeslotIsRepairedAndVerified)
{
    Festival ev;
    ScriptedMessageBox boxes;
    Timetable& timetable = *ev.event.Doc().GetTimetable();
    // The clash of Ed's groups is repaired (the unlocked one goes); the
    // unavailable locked Choir fails, and the rest is still checked.
    ev.event.Place(0, "Barn", "09:00", "EdA").Place(0, "Hall", "09:00", "EdB", true);
    ev.event.Place(1, "Hall", "09:00", "Choir", true).Place(1, "Hall", "10:00", "NoStyle");
    EXPECT_EQ(timetable.AdjustForChanges(&ev.event.Doc(), FALSE), 0);
    EXPECT_EQ(ev.event.Slot(0, "Barn", "09:00").GetGroup(), -1);
    EXPECT_EQ(ev.event.Slot(0, "Hall", "09:00").GetGroup(), ev.event.GroupKey("EdB"));
    ASSERT_EQ(boxes.Boxes().size(), 1u) << "Choir is available on Tue; only NoStyle fails";
    EXPECT_EQ(boxes.Boxes()[0].sText, "Group 'NoStyle': has no styles but has been placed in venue 'Hall'");

    boxes.Clear();
    EXPECT_EQ(timetable.AdjustForChanges(&ev.event.Doc(), TRUE), 1) << "only the locked timeslots";
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(TimetableAdjust, OneChangedTimeslot)
{
    Festival ev;
    ScriptedMessageBox boxes;
    Timetable& timetable = *ev.event.Doc().GetTimetable();
    ev.event.Place(0, "Barn", "09:00", "EdA", true).Place(0, "Hall", "09:00", "EdB");
    EXPECT_EQ(timetable.AdjustForSlotChange(&ev.event.Doc(), 0, ev.event.VenueIndex("Hall"), 0), 1)
        << "the changed timeslot gives way to the lock";
    EXPECT_EQ(ev.event.Slot(0, "Hall", "09:00").GetGroup(), -1);

    ev.event.Place(0, "Hall", "09:00", "Choir", true);
    EXPECT_EQ(timetable.AdjustForSlotChange(&ev.event.Doc(), 0, ev.event.VenueIndex("Hall"), 0), 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("You have locked group 'Choir'"), std::string::npos);

    ev.event.Slot(0, "Hall", "09:00").SetGroup(-1);
    EXPECT_EQ(timetable.AdjustForSlotChange(&ev.event.Doc(), 0, ev.event.VenueIndex("Hall"), 0), 1)
        << "an emptied timeslot";
}

} // namespace
