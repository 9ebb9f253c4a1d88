#include "model/EventDoc.h"
#include "model/Participant.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>

using testevent::EventBuilder;

namespace {

constexpr UINT kNone = SchedLim::e_no_limits;
constexpr UINT kExact = SchedLim::e_exact;
constexpr UINT kRange = SchedLim::e_range;

// Three days of two slots in two venues: a participant available
// throughout can use 2 slots a day, 6 in all, on 3 days.
void ThreeDays(EventBuilder& event)
{
    event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    event.Timetable();
}

// The common part's own stored form, without what a participant adds.
struct BaseForm {
    SchedEntity& Entity;
    void Serialize(CArchive& ar) { Entity.SchedEntity::Serialize(ar); }
};

struct LimitCase {
    const char* pName;
    SchedLim Event;
    SchedLim Day;
    const char* pMessage; // empty: the check passes
};

std::string RunCheck(EventBuilder& event, const SchedLim& e_limits, const SchedLim& d_limits, BOOL b_days = TRUE)
{
    Participant participant;
    participant.SetName("Ann Lee");
    participant.SetEventLimits(e_limits);
    participant.SetDayLimits(d_limits);
    std::string s_message;
    const BOOL b_ok = participant.SchedEntity::Check(&event.Doc(), s_message, b_days);
    EXPECT_EQ(b_ok != FALSE, s_message.empty()) << s_message;
    return s_message;
}

TEST(SchedEntity, LimitsAgainstEachOtherAndTheDays)
{
    const LimitCase a_cases[] = {
        // The event against the day, n = 3 available days.
        {"exact, exact", {kExact, 5, 0, 0}, {kExact, 2, 0, 0},
         "The Event exact limit is not equal to the Day exact limit (times number of available days, 3)."},
        {"exact, exact that fit", {kExact, 6, 0, 0}, {kExact, 2, 0, 0}, ""},
        {"range above exact days", {kRange, 0, 4, 9}, {kExact, 1, 0, 0},
         "The Event minimum limit is greater than the Day exact limit (times number of available days, 3)."},
        {"range below exact days", {kRange, 0, 1, 5}, {kExact, 2, 0, 0},
         "The Event maximum limit is less than the Day exact limit (times number of available days, 3)."},
        {"range above day maximums", {kRange, 0, 4, 6}, {kRange, 0, 0, 1},
         "The Event minimum limit is greater than the Day maximum limit (times number of available days, 3)."},
        {"range below day minimums", {kRange, 0, 1, 5}, {kRange, 0, 2, 2},
         "The Event maximum limit is less than the Day minimum limit (times number of available days, 3)."},
        {"exact below day minimums", {kExact, 5, 0, 0}, {kRange, 0, 2, 2},
         "The Event exact limit is less than the Day minimum limit (times number of available days, 3)."},
        {"exact above day maximums", {kExact, 4, 0, 0}, {kRange, 0, 0, 1},
         "The Event exact limit is greater than the Day maximum limit (times number of available days, 3)."},
        {"no day limit", {kExact, 4, 0, 0}, {kNone, 0, 0, 0}, ""},
        // A maximum below the minimum, whatever the type; stale fields of
        // an exact limit count too.
        {"event max below min", {kRange, 0, 5, 3}, {kNone, 0, 0, 0},
         "The Event maximum limit is less than the Event minimum limit."},
        {"stale fields of an exact event limit", {kExact, 2, 5, 3}, {kNone, 0, 0, 0},
         "The Event maximum limit is less than the Event minimum limit."},
        {"day max below min", {kNone, 0, 0, 0}, {kRange, 0, 2, 1},
         "The Day maximum limit is less than the Day minimum limit."},
        {"stale fields of no limit", {kNone, 0, 5, 3}, {kNone, 0, 5, 3}, ""},
        // Against the slots the participant is available in.
        {"more than the event's slots", {kExact, 7, 0, 0}, {kNone, 0, 0, 0},
         "The Event minimum limit is greater than the number of timeslots the participant is available.  The "
         "participant is available a maximum of 6 timeslot(s)."},
        {"more than a day's slots", {kNone, 0, 0, 0}, {kRange, 0, 3, 4},
         "The Day minimum limit is greater than the number of timeslots the participant is available.  The "
         "participant is available a maximum of 2 timeslot(s) on day 'Wed'."},
    };
    EventBuilder event;
    ThreeDays(event);
    for (const LimitCase& c : a_cases)
        EXPECT_EQ(RunCheck(event, c.Event, c.Day), c.pMessage) << c.pName;

    // Without the days, or without asking for them, only the maximum below
    // the minimum fails.
    EXPECT_EQ(RunCheck(event, a_cases[0].Event, a_cases[0].Day, FALSE), "");
    EventBuilder no_slots;
    no_slots.Days({"Mon"}).Venue("Hall").Timetable();
    EXPECT_EQ(RunCheck(no_slots, a_cases[0].Event, a_cases[0].Day), "");
    EXPECT_EQ(RunCheck(no_slots, {kNone, 0, 0, 0}, {kRange, 0, 2, 1}),
              "The Day maximum limit is less than the Day minimum limit.");
}

TEST(SchedEntity, ADayWithoutAvailableSlotsIsNotHeldToTheDayMinimum)
{
    EventBuilder event;
    ThreeDays(event);
    const LONG l_wed = event.Doc().GetEventDef().GetDayDef().GetDayId(2);
    Participant participant;
    participant.SetName("Ann Lee");
    participant.GetUnavailable().AddTime(l_wed, EventBuilder::RelSlot("00:00-23:59"));
    participant.SetDayLimits({kExact, 2, 0, 0});
    participant.SetEventLimits({kExact, 4, 0, 0});
    std::string s_message;
    EXPECT_TRUE(participant.SchedEntity::Check(&event.Doc(), s_message, TRUE)) << s_message;
    // Two available days now: an event limit of 6 no longer fits.
    participant.SetEventLimits({kExact, 6, 0, 0});
    EXPECT_FALSE(participant.SchedEntity::Check(&event.Doc(), s_message, TRUE));
    EXPECT_EQ(s_message,
              "The Event minimum limit is greater than the number of timeslots the participant is available.  The "
              "participant is available a maximum of 4 timeslot(s).");
}

TEST(SchedEntity, VenueLimitsStandInForTheEventLimits)
{
    EventBuilder event;
    ThreeDays(event);
    Participant participant;
    participant.SetName("Ann Lee");
    participant.SetEventLimits({kRange, 0, 5, 3});
    participant.SetUseVenueLimits(TRUE);
    VenueLimitArray& limits = participant.GetVenueLimits();
    VenueLimit hall(event.VenueKey("Hall"));
    hall.Limit = {kRange, 0, 1, 2};
    VenueLimit barn(event.VenueKey("Barn"));
    barn.Limit = {kExact, 3, 0, 0};
    VenueLimit gone(987654);
    limits.InsertSorted(hall);
    limits.InsertSorted(barn);
    limits.InsertSorted(gone);

    EXPECT_EQ(participant.GetEventLimits().uType, kNone) << "a shared limit of type none";
    Participant other;
    other.SetUseVenueLimits(TRUE);
    EXPECT_EQ(&participant.GetEventLimits(), &other.GetEventLimits());
    EXPECT_EQ(participant.GetEventMinLimit(), 4u) << "a venue limit of type none adds 0";
    EXPECT_EQ(participant.GetEventMaxLimit(), 5u + 99999u);
    ASSERT_NE(participant.GetVenueLimit(event.VenueKey("Barn")), nullptr);
    EXPECT_EQ(participant.GetVenueLimit(event.VenueKey("Barn"))->Limit.uValue, 3u);
    EXPECT_EQ(participant.GetVenueLimitsText(&event.Doc(), FALSE), "Hall=1...2,Barn=3");

    struct Case {
        SchedLim Day;
        SchedLim Hall;
        const char* pMessage;
    };
    const Case a_cases[] = {
        {{kExact, 1, 0, 0}, {kRange, 0, 1, 2},
         "The Day exact limit (1) times number of available days (3) is less than the sum of the Venue minimum "
         "limits (4)."},
        {{kExact, 2, 0, 0}, {kRange, 0, 1, 2},
         "The Day exact limit (2) times number of available days (3) is greater than the sum of the Venue maximum "
         "limits (5)."},
        {{kExact, 2, 0, 0}, {kRange, 0, 2, 3}, ""},
        {{kRange, 0, 0, 2}, {kRange, 0, 1, 2}, ""},
        {{kNone, 0, 0, 0}, {kRange, 0, 3, 1}, "The maximum limit for venue 'Hall' is less than the minimum limit."},
    };
    for (const Case& c : a_cases) {
        participant.SetDayLimits(c.Day);
        limits[limits.FindKey(event.VenueKey("Hall"))].Limit = c.Hall;
        std::string s_message;
        participant.SchedEntity::Check(&event.Doc(), s_message, TRUE);
        EXPECT_EQ(s_message, c.pMessage);
    }

    // Clearing keeps the entries but drops their limits; revalidation
    // drops the entry of a venue that is gone.
    participant.ClearVenueLimits();
    EXPECT_FALSE(participant.GetUseVenueLimits());
    EXPECT_EQ(participant.GetVenueLimit(event.VenueKey("Hall")), nullptr);
    EXPECT_EQ(limits.GetSize(), 3);
    EXPECT_EQ(limits[0].Limit.uType, kNone);
    participant.SchedEntity::Revalidate(&event.Doc());
    EXPECT_EQ(limits.GetSize(), 2);
}

TEST(SchedEntity, CopiesComparisonsAndTheStoredForm)
{
    Participant a;
    a.SetEventLimits({kExact, 3, 0, 0});
    a.SetNotes("Bring music");
    Participant b;
    EXPECT_FALSE(a.SchedEntity::operator==(b));
    b.SchedEntity::operator=(a);
    EXPECT_TRUE(a.SchedEntity::operator==(b));
    b.SetNotes("bring music");
    EXPECT_FALSE(a.SchedEntity::operator==(b)) << "notes compare byte for byte";

    // From version 34 the flag and the venue limits follow the notes; an
    // older file leaves the venue limits as they were.
    a.SetUseVenueLimits(TRUE);
    a.GetVenueLimits().InsertSorted(VenueLimit(4));
    BaseForm a_form{a};
    const testbytes::Bytes v_bytes = testbytes::Store(a_form);
    Participant c;
    BaseForm c_form{c};
    testbytes::Load(c_form, v_bytes, 40);
    EXPECT_TRUE(c.SchedEntity::operator==(a));
    EXPECT_EQ(c.GetKindNoun(), "participant");

    testbytes::Builder v_old;
    // Limits, then a time list of that time (no days) and the notes.
    v_old.Dwords({kExact, 3, 0, 0}).Dwords({kNone, 0, 0, 0}).Dwords({0, 1, -1}).Count(0).String("Bring music");
    Participant d;
    d.SetUseVenueLimits(TRUE);
    d.GetVenueLimits().InsertSorted(VenueLimit(9));
    BaseForm d_form{d};
    testbytes::Load(d_form, v_old, 33);
    EXPECT_FALSE(d.GetUseVenueLimits());
    EXPECT_EQ(d.GetVenueLimits().GetSize(), 1);
    EXPECT_EQ(d.GetNotes(), "Bring music");
}

} // namespace
