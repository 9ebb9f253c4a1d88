#include "shell/lists/GroupFieldTexts.h"

#include "model/EventDefinition.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/EveryField.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslotCombination.h"
#include "zelkit/tests/TimeslotFakes.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using testevent::EventBuilder;

std::vector<std::string> Lines(const ZelStringArray& a_lines)
{
    std::vector<std::string> v_lines;
    for (int i = 0; i < a_lines.GetSize(); ++i)
        v_lines.push_back(a_lines[i]);
    return v_lines;
}

std::string Text(EventBuilder& event, const std::string& s_group, int i_field)
{
    return GroupFieldTexts::GetFieldText(&event.Doc(), event.GetGroup(s_group), i_field);
}

TEST(GroupFieldTexts, ContactFieldsFollowTheTable)
{
    EventBuilder event;
    event.Group("Choir", [](Group& g) {
        g.SetPhone2("222");
        g.SetFax("333");
        g.SetEmail("c@x.org");
        g.GetAddress().SetAddr("1 High St", "", "Town", "AB1");
    });
    event.Group("Band", [](Group& g) {
        g.SetPhone("111");
        g.SetPhone2("222");
    });
    event.Group("Solo");

    struct Case {
        const char* pGroup;
        int iField;
        const char* pText;
    };
    const Case a_cases[] = {
        {"Choir", gfName, "Choir"},
        {"Choir", gfPhone, ", 222"},
        {"Band", gfPhone, "111, 222"},
        {"Solo", gfPhone, ""},
        {"Choir", gfPhone1, ""},
        {"Choir", gfPhone2, "222"},
        {"Choir", gfFax, "333"},
        {"Choir", gfEmail, "c@x.org"},
        {"Choir", gfAddress, "1 High St  Town AB1"},
        {"Solo", gfAddress, "   "},
        {"Choir", gfAddress1, "1 High St"},
        {"Choir", gfAddress3, "Town"},
        {"Choir", gfPostalCode, "AB1"},
        {"Choir", -1, ""},
        {"Choir", gfNumFields, ""},
        {"Choir", 1000, ""},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Text(event, c.pGroup, c.iField), c.pText) << c.pGroup << " field " << c.iField;

    EXPECT_EQ(GroupFieldTexts::GetFieldTitle(gfPostalCode), "Postal Code");
    EXPECT_EQ(GroupFieldTexts::GetFieldTitle(gfScheduleSlotDayVenue), "Schedule (Slot/Day/Venue)");
    EXPECT_EQ(GroupFieldTexts::GetFieldTitle(gfNumFields), "");
}

TEST(GroupFieldTexts, MembersStylesAndNotes)
{
    EventBuilder event;
    event.Style("Jazz")
        .Participant("Ann Lee")
        .Participant("Bob Ray")
        .Group("Choir", [](Group& g) { g.SetNotes("Bring music"); })
        .GroupStyles("Choir", {"Jazz"})
        .Member("Choir", "Ann Lee", "alto")
        .Member("Choir", "Bob Ray");

    EXPECT_EQ(Text(event, "Choir", gfMembers), "Ann Lee, Bob Ray");
    EXPECT_EQ(Text(event, "Choir", gfMembersWithRole), "Ann Lee (alto), Bob Ray");
    EXPECT_EQ(Text(event, "Choir", gfStyles), "Jazz");
    EXPECT_EQ(Text(event, "Choir", gfNotes), "Bring music");
}

TEST(GroupFieldTexts, LimitsText)
{
    struct Case {
        const char* pName;
        std::function<void(Group&)> fSet;
        const char* pText;
    };
    const std::vector<Case> v_cases = {
        {"no limits", [](Group&) {}, ""},
        {"day limit only", [](Group& g) { g.SetDayLimits(SchedLim(SchedLim::e_exact, 2, 0, 0)); },
         "Event=None,Day=2"},
        {"event limit and event rotation",
         [](Group& g) {
             g.SetEventLimits(SchedLim(SchedLim::e_range, 0, 1, 3));
             g.SetDayLimits(SchedLim(SchedLim::e_exact, 1, 0, 0));
             g.SetRotation(Group::e_event_rotation);
         },
         "Event=1...3,Day=1 Event Rotation"},
        {"day rotation alone", [](Group& g) { g.SetRotation(Group::e_day_rotation); },
         "Event=None,Day=None Day Rotation"},
        {"venue limits with none set",
         [](Group& g) {
             g.SetUseVenueLimits(TRUE);
             g.SetDayLimits(SchedLim(SchedLim::e_exact, 2, 0, 0));
         },
         "Day=2"},
        {"venue limits, nothing else",
         [](Group& g) {
             g.SetUseVenueLimits(TRUE);
             g.SetEventLimits(SchedLim(SchedLim::e_exact, 4, 0, 0));
         },
         ""},
    };
    for (const Case& c : v_cases) {
        EventBuilder event;
        event.Venue("Hall").Group("Choir", c.fSet);
        EXPECT_EQ(Text(event, "Choir", gfLimits), c.pText) << c.pName;
    }
}

TEST(GroupFieldTexts, NotAvailableTextNamesGroupAndMembers)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).TwentyFourHour();
    const LONG l_mon = event.Doc().GetEventDef().GetDayDef().GetDayId(0);
    const LONG l_tue = event.Doc().GetEventDef().GetDayDef().GetDayId(1);
    event.Participant("Ann Lee", [&](Participant& p) { p.GetUnavailable().AddTime(l_mon, EventBuilder::RelSlot("09:00-10:00")); })
        .Participant("Bob Ray", [&](Participant& p) { p.GetUnavailable().AddTime(l_tue, EventBuilder::RelSlot("11:00-12:00")); })
        .Participant("Cy Free")
        .Group("Choir")
        .Member("Choir", "Ann Lee")
        .Member("Choir", "Cy Free")
        .Member("Choir", "Bob Ray")
        .Group("Band")
        .Member("Band", "Ann Lee")
        .GroupUnavailable("Band", 1, "14:00-15:00")
        .Group("Solo");

    const DayDefBase* p_days = &event.Doc().GetEventDef().GetDayDefConst();
    const std::string s_ann = event.GetParticipant("Ann Lee").GetUnavailable().GetText(p_days, -1, FALSE);
    const std::string s_bob = event.GetParticipant("Bob Ray").GetUnavailable().GetText(p_days, -1, FALSE);
    const std::string s_band = event.GetGroup("Band").GetUnavailable().GetText(p_days, -1, FALSE);
    ASSERT_FALSE(s_ann.empty());

    // Members from the last to the first, without separators.
    EXPECT_EQ(Text(event, "Choir", gfNotAvailable), "Members: " + s_bob + s_ann);
    EXPECT_EQ(Text(event, "Band", gfNotAvailable), "Group: " + s_band + " Members: " + s_ann);
    EXPECT_EQ(Text(event, "Solo", gfNotAvailable), "");

    // A member whose participant has gone adds nothing.
    event.Doc().GetParticipants().RemoveParticipant(event.Doc().GetParticipants().FindByKey(event.ParticipantKey("Bob Ray")));
    EXPECT_EQ(Text(event, "Choir", gfNotAvailable), "Members: " + s_ann);
}

// Two days of two slots in two venues; the choir is placed three times so
// that every layout visits its places in another order.
class ScheduleTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Days({"Mon", "Tue"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00"})
            .TwentyFourHour()
            .Venue("Hall")
            .Venue("Annex")
            .Group("Choir")
            .Group("Band")
            .Group("Solo")
            .Timetable()
            .Place(0, "Annex", "09:00", "Choir")
            .Place(0, "Hall", "10:00", "Choir")
            .Place(1, "Hall", "09:00", "Choir")
            .Place(1, "Annex", "09:00", "Band")
            .Place(1, "Annex", "10:00", "Band");
    }

    std::vector<std::string> Schedule(const std::string& s_group, int i_field)
    {
        ZelStringArray a_lines;
        GroupFieldTexts::GetScheduleText(a_lines, &event.Doc(), event.Doc().GetTimetable(), event.GetGroup(s_group),
                                         i_field);
        return Lines(a_lines);
    }

    EventBuilder event;
};

TEST_F(ScheduleTexts, EachLayoutVisitsInItsOrder)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(Schedule("Choir", gfScheduleOld),
              (V{"Hall - Mon 10:00 to 11:00", "Annex - Mon 09:00 to 10:00", "Hall - Tue 09:00 to 10:00"}));
    EXPECT_EQ(Schedule("Choir", gfScheduleDayVenueSlot),
              (V{"Mon - Hall - 10:00 to 11:00", "Mon - Annex - 09:00 to 10:00", "Tue - Hall - 09:00 to 10:00"}));
    EXPECT_EQ(Schedule("Choir", gfScheduleDaySlotVenue),
              (V{"Mon 09:00 to 10:00 - Annex", "Mon 10:00 to 11:00 - Hall", "Tue 09:00 to 10:00 - Hall"}));
    EXPECT_EQ(Schedule("Choir", gfScheduleVenueDaySlot),
              (V{"Hall - Mon 10:00 to 11:00", "Hall - Tue 09:00 to 10:00", "Annex - Mon 09:00 to 10:00"}));
    EXPECT_EQ(Schedule("Choir", gfScheduleSlotDayVenue),
              (V{"09:00 to 10:00 - Mon - Annex", "09:00 to 10:00 - Tue - Hall", "10:00 to 11:00 - Mon - Hall"}));
    EXPECT_TRUE(Schedule("Choir", gfNotes).empty());

    EXPECT_EQ(Text(event, "Choir", gfScheduleDayVenueSlot),
              "Mon - Hall - 10:00 to 11:00,\nMon - Annex - 09:00 to 10:00,\nTue - Hall - 09:00 to 10:00");
}

// "Locked Timeslots" names only the placements the choir is locked into,
// while every schedule layout keeps listing all three; the choir carries
// every stored field, so no other field leaks into either.
TEST_F(ScheduleTexts, LockedTimeslotsNameOnlyTheLockedPlacements)
{
    event.Style("Jazz").Style("Folk").Facility("Piano").Facility("Stage").Participant("Ann Lee");
    event.Member("Choir", "Ann Lee", "alto");
    testevent::GiveEveryField(event.GetGroup("Choir"),
                              testevent::KeysInReverseNameOrder(event.Doc().GetStyles()),
                              testevent::KeysInReverseNameOrder(event.Doc().GetFacilities()));
    EXPECT_EQ(Text(event, "Choir", gfLockedTimeslots), "") << "no placement is locked yet";

    event.Slot(1, "Hall", "09:00").SetLocked(TRUE);
    EXPECT_EQ(Text(event, "Choir", gfLockedTimeslots), "Tue 09:00 (Hall)");
    for (const int i_field : {gfScheduleOld, gfScheduleDayVenueSlot, gfScheduleDaySlotVenue, gfScheduleVenueDaySlot,
                              gfScheduleSlotDayVenue})
        EXPECT_EQ(Schedule("Choir", i_field).size(), 3u) << GroupFieldTexts::GetFieldTitle(i_field);

    // Locked or not, another group's placement is not the choir's.
    event.Slot(1, "Annex", "09:00").SetLocked(TRUE);
    event.Slot(0, "Annex", "09:00").SetLocked(TRUE);
    EXPECT_EQ(Text(event, "Choir", gfLockedTimeslots), "Mon 09:00 (Annex),Tue 09:00 (Hall)");
    EXPECT_EQ(Text(event, "Band", gfLockedTimeslots), "Tue 09:00 (Annex)");
}

TEST_F(ScheduleTexts, TwiceInOneVenueAndNotAtAll)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(Schedule("Band", gfScheduleDayVenueSlot),
              (V{"Tue - Annex - 09:00 to 10:00", "Tue - Annex - 10:00 to 11:00"}));
    EXPECT_TRUE(Schedule("Solo", gfScheduleDaySlotVenue).empty());
    EXPECT_EQ(Text(event, "Solo", gfScheduleDayVenueSlot), "");
}

TEST_F(ScheduleTexts, CombinationNamesFollowTheLine)
{
    ZelTimeslotCombination morning("Morning");
    ASSERT_EQ(event.Doc().GetCombinations().Add(morning), 0);
    event.Slot(1, "Hall", "09:00").SetCombinationKey(morning.GetKey());
    event.Slot(0, "Hall", "10:00").SetCombinationKey(morning.GetKey() + 1000);

    using V = std::vector<std::string>;
    EXPECT_EQ(Schedule("Choir", gfScheduleVenueDaySlot),
              (V{"Hall - Mon 10:00 to 11:00", "Hall - Tue 09:00 to 10:00 (Morning)", "Annex - Mon 09:00 to 10:00"}));

    EXPECT_EQ(GroupFieldTexts::GetCombinationName(&event.Doc(), morning.GetKey()), "Morning");
    EXPECT_EQ(GroupFieldTexts::GetCombinationName(&event.Doc(), morning.GetKey() + 1000), "");
    EXPECT_EQ(GroupFieldTexts::GetCombinationName(&event.Doc(), -1), "");
}

TEST_F(ScheduleTexts, NoTimetableNoSchedule)
{
    // Without venues the document hands out no timetable.
    event.Doc().GetVenues().RemoveAll();
    EXPECT_EQ(Text(event, "Choir", gfScheduleDayVenueSlot), "");
    ZelStringArray a_lines;
    GroupFieldTexts::GetScheduleText(a_lines, &event.Doc(), nullptr, event.GetGroup("Choir"), gfScheduleOld);
    EXPECT_EQ(a_lines.GetSize(), 0);
}

TEST_F(ScheduleTexts, SlotArraysOfDroppedVenuesAreNotRead)
{
    // The timetable still holds the array of a venue the list dropped.
    event.Doc().GetVenues().RemoveAt(1);
    using V = std::vector<std::string>;
    EXPECT_EQ(Schedule("Choir", gfScheduleSlotDayVenue), (V{"09:00 to 10:00 - Tue - Hall", "10:00 to 11:00 - Mon - Hall"}));
    EXPECT_EQ(Schedule("Choir", gfScheduleVenueDaySlot), (V{"Hall - Mon 10:00 to 11:00", "Hall - Tue 09:00 to 10:00"}));
}

TEST(GroupFieldTexts, LabelLinesAndCentring)
{
    FakeDrawPort port;
    port.SetFont({10, true, false}); // 6 pixels a character, 13 a line

    struct Case {
        const char* pName;
        std::function<void(Group&)> fSet;
        const char* pText;
    };
    const std::vector<Case> v_cases = {
        {"full", [](Group& g) {
             g.GetContact().SetName("Ann", "Lee");
             g.GetAddress().SetAddr("1 High St", "", "Town", "AB1");
         },
         "Ann Lee\nChoir\n1 High St\nTown AB1\n"},
        {"name and postal code", [](Group& g) { g.GetAddress().SetPostCode("AB1"); }, "Choir AB1\n"},
    };
    for (const Case& c : v_cases) {
        Group group;
        group.SetName("Choir");
        c.fSet(group);
        CRect rc_box(0, 0, 200, 100);
        EXPECT_EQ(GroupFieldTexts::GetLabelText(port, group, rc_box), c.pText) << c.pName;
    }

    // Four lines, the widest "1 High St" of 9 characters: 54 by 52 pixels
    // in the middle of a 200 by 100 box.
    Group group;
    group.SetName("Choir");
    group.GetContact().SetName("Ann", "Lee");
    group.GetAddress().SetAddr("1 High St", "", "Town", "AB1");
    CRect rc_box(10, 20, 210, 120);
    GroupFieldTexts::GetLabelText(port, group, rc_box);
    EXPECT_EQ(rc_box, CRect(83, 44, 137, 96));

    // A block larger than the box leaves the box as it is.
    CRect rc_small(0, 0, 30, 20);
    GroupFieldTexts::GetLabelText(port, group, rc_small);
    EXPECT_EQ(rc_small, CRect(0, 0, 30, 20));

    // Only a postal code: that is the label's one line.
    Group bare;
    bare.SetName("");
    bare.GetAddress().SetPostCode("AB1");
    CRect rc_bare(0, 0, 200, 100);
    EXPECT_EQ(GroupFieldTexts::GetLabelText(port, bare, rc_bare), "AB1\n");
    EXPECT_EQ(rc_bare, CRect(91, 43, 109, 57));
}

} // namespace
