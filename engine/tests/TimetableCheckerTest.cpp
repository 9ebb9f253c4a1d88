// The tests' judge of built timetables: a sound timetable passes, and each
// kind of fault is found by its own check.
#include "model/EventDoc.h"
#include "model/tests/RuleEvent.h"
#include "testsupport/EventBuilder.h"
#include "generators/TimetableChecker.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testcheck::LockedCell;
using testcheck::TimetableChecker;
using testevent::EventBuilder;

namespace {

SchedLim Range(UINT u_min, UINT u_max) { return SchedLim(SchedLim::e_range, 0, u_min, u_max); }

// Mon and Tue (Mon followed by Tue), three hourly slots from 9 in Hall
// (style Jazz) and Barn; Ann sings in Choir and Band, Bob plays in Band and
// Solo. Travel between venues takes 15 minutes. Choir is locked into Hall
// on Tuesday at 9; the rest is placed so that every rule holds.
void Sound(EventBuilder& event)
{
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Consecutive(0);
    event.Style("Jazz").Venue("Hall", {"Jazz"}).Venue("Barn");
    event.Participant("Ann Lee").Participant("Bob Ray");
    event.Group("Choir").GroupStyles("Choir", {"Jazz"}).Member("Choir", "Ann Lee");
    event.Group("Band").Member("Band", "Ann Lee").Member("Band", "Bob Ray");
    event.Group("Solo").GroupStyles("Solo", {"Jazz"}).Member("Solo", "Bob Ray");
    event.Doc().GetPreferences().SetAllowTravel(TRUE);
    event.Doc().GetPreferences().SetTravelMinutes(15);
    event.Timetable().Place(1, "Hall", "09:00", "Choir", true);
    event.Place(0, "Hall", "09:00", "Choir").Place(0, "Barn", "11:00", "Band").Place(1, "Hall", "10:00", "Solo");
}

using Check = std::vector<std::string> (TimetableChecker::*)() const;

TEST(TimetableChecker, ASoundTimetablePasses)
{
    EventBuilder event;
    Sound(event);
    const std::vector<LockedCell> v_locks = TimetableChecker::TakeLocks(event.Doc());
    ASSERT_EQ(v_locks.size(), 1u);
    EXPECT_EQ(v_locks[0].iDay, 1);
    EXPECT_EQ(v_locks[0].lGroupKey, event.GroupKey("Choir"));
    EXPECT_EQ(TimetableChecker(event.Doc()).CheckAll(v_locks), std::vector<std::string>{});
}

TEST(TimetableChecker, EachFaultIsFoundByItsCheck)
{
    struct Case {
        const char* pFault;
        std::function<void(EventBuilder&)> fBreak;
        Check pCheck;
        std::size_t nProblems;
        const char* pText;
    };
    const Case a_cases[] = {
        {"a shared participant at once in two venues", [](EventBuilder& e) { e.Place(0, "Barn", "09:00", "Band"); },
         &TimetableChecker::CheckClashes, 1, "participant 'Ann Lee' is in day 'Mon' venue 'Hall' 09:00-10:00"},
        {"a group at once in two venues", [](EventBuilder& e) { e.Place(0, "Barn", "09:00", "Choir"); },
         &TimetableChecker::CheckClashes, 1, "group 'Choir' is in"},
        {"a shared participant without travel time", [](EventBuilder& e) { e.Place(1, "Barn", "11:00", "Band"); },
         &TimetableChecker::CheckTravel, 1, "participant 'Bob Ray' has 0 minutes from day 'Tue' venue 'Hall'"},
        {"over a group's day maximum",
         [](EventBuilder& e) {
             e.GetGroup("Solo").SetDayLimits(Range(0, 1));
             e.Place(1, "Hall", "11:00", "Solo");
         },
         &TimetableChecker::CheckMaxima, 1, "group 'Solo' is placed 2 times on day 'Tue', at most 1"},
        {"over a group's event maximum",
         [](EventBuilder& e) { e.GetGroup("Choir").SetEventLimits(Range(0, 1)); }, &TimetableChecker::CheckMaxima,
         1, "group 'Choir' is placed 2 times over the event, at most 1"},
        {"over a participant's day maximum",
         [](EventBuilder& e) { e.GetParticipant("Ann Lee").SetDayLimits(Range(0, 1)); },
         &TimetableChecker::CheckMaxima, 1, "participant 'Ann Lee' is placed 2 times on day 'Mon', at most 1"},
        {"over a venue limit",
         [](EventBuilder& e) {
             Group& solo = e.GetGroup("Solo");
             solo.SetEventLimits(Range(0, 9));
             solo.SetUseVenueLimits(TRUE);
             VenueLimit limit(e.VenueKey("Hall"));
             limit.Limit = Range(0, 1);
             solo.GetVenueLimits().InsertSorted(limit);
             e.Place(1, "Hall", "11:00", "Solo");
         },
         &TimetableChecker::CheckMaxima, 1, "group 'Solo' is placed 2 times in venue 'Hall', at most 1"},
        {"with venue limits the event maximum does not hold",
         [](EventBuilder& e) {
             e.GetGroup("Solo").SetEventLimits(Range(0, 0));
             e.GetGroup("Solo").SetUseVenueLimits(TRUE);
         },
         &TimetableChecker::CheckMaxima, 0, ""},
        {"a run shorter than the allocation", [](EventBuilder& e) { e.Alloc("Choir", "Hall", 2, 3); },
         &TimetableChecker::CheckChunks, 2, "group 'Choir' holds 1 consecutive timeslots from day 'Mon'"},
        {"a run longer than the allocation",
         [](EventBuilder& e) {
             e.Alloc("Choir", "Hall", 1, 2);
             e.Place(0, "Hall", "10:00", "Choir").Place(0, "Hall", "11:00", "Choir");
         },
         &TimetableChecker::CheckChunks, 1, "holds 3 consecutive timeslots from day 'Mon' venue 'Hall' 09:00"},
        {"a run across days that follow each other",
         [](EventBuilder& e) {
             e.Alloc("Choir", "Hall", 2, 2, true);
             e.Slot(0, "Hall", "09:00").SetGroup(-1);
             e.Place(0, "Hall", "11:00", "Choir");
         },
         &TimetableChecker::CheckChunks, 0, ""},
        {"the same cells without running across days",
         [](EventBuilder& e) {
             e.Alloc("Choir", "Hall", 2, 2);
             e.Slot(0, "Hall", "09:00").SetGroup(-1);
             e.Place(0, "Hall", "11:00", "Choir");
         },
         &TimetableChecker::CheckChunks, 2, "holds 1 consecutive"},
        {"a venue without the group's style", [](EventBuilder& e) { e.Place(0, "Hall", "11:00", "Band"); },
         &TimetableChecker::CheckPlacements, 1, "group 'Band' has no style of the venue"},
        {"a facility the venue lacks",
         [](EventBuilder& e) { e.Facility("Piano").GroupFacilities("Band", {"Piano"}); },
         &TimetableChecker::CheckPlacements, 1, "group 'Band' needs facility key"},
        {"a group not available", [](EventBuilder& e) { e.GroupUnavailable("Solo", 1, "10:30-10:45"); },
         &TimetableChecker::CheckPlacements, 1, "day 'Tue' venue 'Hall' 10:00-11:00: group 'Solo' is not available"},
        {"an unknown group", [](EventBuilder& e) { e.Slot(0, "Barn", "10:00").SetGroup(31337); },
         &TimetableChecker::CheckPlacements, 1, "holds unknown group key 31337"},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        Sound(event);
        c.fBreak(event);
        const std::vector<std::string> v_problems = (TimetableChecker(event.Doc()).*c.pCheck)();
        ASSERT_EQ(v_problems.size(), c.nProblems) << c.pFault << (v_problems.empty() ? "" : ": " + v_problems[0]);
        if (c.nProblems > 0) {
            EXPECT_NE(v_problems[0].find(c.pText), std::string::npos) << c.pFault << ": " << v_problems[0];
        }
    }
}

TEST(TimetableChecker, TravelTimeIsMeasuredBetweenVenues)
{
    struct Case {
        const char* pVenue;
        const char* pStart;
        bool bAllowTravel;
        std::size_t nProblems;
    };
    const Case a_cases[] = {
        {"Barn", "10:15", true, 0},
        {"Barn", "10:14", true, 1},
        {"Hall", "10:14", true, 0},
        {"Barn", "10:14", false, 0},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        event.Days({"Mon"}).Venue("Hall").Venue("Barn");
        event.VenueSlots(0, "Hall", {"09:00-10:00", "10:14-11:00"}).VenueSlots(0, "Barn", {"10:14-11:00", "10:15-11:00"});
        event.Participant("Ann Lee").Group("Choir").Member("Choir", "Ann Lee").Group("Band").Member("Band", "Ann Lee");
        event.Doc().GetPreferences().SetAllowTravel(c.bAllowTravel ? TRUE : FALSE);
        event.Doc().GetPreferences().SetTravelMinutes(15);
        event.Timetable().Place(0, "Hall", "09:00", "Choir").Place(0, c.pVenue, c.pStart, "Band");
        EXPECT_EQ(TimetableChecker(event.Doc()).CheckTravel().size(), c.nProblems)
            << c.pVenue << " " << c.pStart << (c.bAllowTravel ? "" : " without travel time");
    }
}

TEST(TimetableChecker, LocksMustStay)
{
    struct Case {
        const char* pFault;
        std::function<void(EventBuilder&)> fBreak;
        const char* pText;
    };
    const Case a_cases[] = {
        {"emptied", [](EventBuilder& e) { e.Slot(1, "Hall", "09:00").SetGroup(-1); }, "holds key -1"},
        {"unlocked", [](EventBuilder& e) { e.Slot(1, "Hall", "09:00").SetLocked(FALSE); }, ", unlocked"},
        {"another group", [](EventBuilder& e) { e.Place(1, "Hall", "09:00", "Solo", true); }, ", locked"},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        Sound(event);
        const std::vector<LockedCell> v_locks = TimetableChecker::TakeLocks(event.Doc());
        c.fBreak(event);
        const std::vector<std::string> v_problems = TimetableChecker(event.Doc()).CheckLocks(v_locks);
        ASSERT_EQ(v_problems.size(), 1u) << c.pFault;
        EXPECT_NE(v_problems[0].find("the lock of group key " + std::to_string(event.GroupKey("Choir"))
                                     + " in day 1 venue 0 slot 0 is lost"),
                  std::string::npos)
            << v_problems[0];
        EXPECT_NE(v_problems[0].find(c.pText), std::string::npos) << v_problems[0];
    }
}

TEST(TimetableChecker, MandatoryRulesOverTheGroupsInTheirTimeslots)
{
    using ruleevent::Placed;
    const auto f_max4 = [](SchedRule& r) { r.GetLimit() = SchedLim(SchedLim::e_range, 0, 0, 4); };
    struct Case {
        const char* pWhy;
        UINT uKind;
        std::function<void(SchedRule&)> fSet;
        std::vector<Placed> vPlaced; // into Mon's Hall 09:00, Barn 10:00, Hall 11:00 (the rule's times)
        std::size_t nProblems;
        const char* pText;
    };
    const Case a_cases[] = {
        {"a group twice", SchedRule::e_different_groups, {},
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "11:00", "Choir"}}, 1,
         "day rule 1 (Different groups): group 'Choir' in day 'Mon' venue 'Hall' 09:00-10:00 and in day 'Mon' venue "
         "'Hall' 11:00-12:00"},
        {"different groups", SchedRule::e_different_groups, {},
         {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "10:00", "Band"}}, 0, ""},
        {"a group twice, outside the rule's timeslots", SchedRule::e_different_groups, {},
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Choir"}}, 0, ""},
        {"each sharing a style with the first", SchedRule::e_same_styles, {},
         {{0, "Hall", "09:00", "Duo"}, {0, "Barn", "10:00", "Choir"}, {0, "Hall", "11:00", "Band"}}, 0, ""},
        {"a style shared only with another than the first", SchedRule::e_same_styles, {},
         {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "10:00", "Duo"}, {0, "Hall", "11:00", "Band"}}, 1,
         "group 'Band' in day 'Mon' venue 'Hall' 11:00-12:00 has no style of group 'Choir'"},
        {"different styles kept", SchedRule::e_different_styles, {},
         {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "10:00", "Band"}, {0, "Hall", "11:00", "Solo"}}, 0, ""},
        {"a style shared", SchedRule::e_different_styles, {},
         {{0, "Hall", "09:00", "Band"}, {0, "Hall", "11:00", "Duo"}}, 1, "groups 'Band' and 'Duo' share a style"},
        {"a group without the selected style (Folk)", SchedRule::e_selected_styles, {},
         {{0, "Hall", "09:00", "Band"}, {0, "Barn", "10:00", "Solo"}}, 1, "group 'Solo' in day 'Mon' venue 'Barn' 10:00-11:00 has none"},
        {"too many participants", SchedRule::e_limit_participants, f_max4,
         {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "10:00", "Band"}}, 1, "5 participants, at most 4"},
        {"participants within the limit", SchedRule::e_limit_participants, f_max4,
         {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "10:00", "Duo"}, {1, "Hall", "09:00", "Band"}}, 0, ""},
        {"a preference", SchedRule::e_different_groups, [](SchedRule& r) { r.SetStrength(SchedRule::e_preference); },
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "11:00", "Choir"}}, 0, ""},
        {"disabled", SchedRule::e_different_groups, [](SchedRule& r) { r.SetEnabled(FALSE); },
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "11:00", "Choir"}}, 0, ""},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        ruleevent::Festival(event);
        const LONG l_folk = event.StyleKey("Folk");
        event.DayRule(0, c.uKind, {"Hall 09:00-10:00", "Barn 10:00-11:00", "Hall 11:00-12:00"},
                      [&c, l_folk](DayRule& r) {
                          if (c.uKind == SchedRule::e_selected_styles)
                              r.GetStyles().Add(l_folk);
                          else if (c.fSet)
                              c.fSet(r);
                      });
        ruleevent::PlaceAll(event, c.vPlaced);
        const std::vector<std::string> v_problems = TimetableChecker(event.Doc()).CheckRules();
        ASSERT_EQ(v_problems.size(), c.nProblems) << c.pWhy << (v_problems.empty() ? "" : ": " + v_problems[0]);
        if (c.nProblems > 0) {
            EXPECT_NE(v_problems[0].find(c.pText), std::string::npos) << c.pWhy << ": " << v_problems[0];
        }
        // The judge agrees with the rule's own check, written apart from it.
        std::string s_message;
        EXPECT_EQ(event.GetDayRule(0).Check("rule", &event.Doc(), s_message, FALSE), v_problems.empty() ? 1 : 0)
            << c.pWhy << ": " << s_message;
    }

    // A venue rule: Hall at 9 on both days.
    EventBuilder event;
    ruleevent::Festival(event);
    event.VenueRule("Hall", SchedRule::e_different_groups, {"Mon 09:00-10:00", "Tue 09:00-10:00"});
    ruleevent::PlaceAll(event, {{0, "Hall", "09:00", "Choir"}, {1, "Hall", "09:00", "Choir"}, {1, "Barn", "09:00", "Band"}});
    const std::vector<std::string> v_problems = TimetableChecker(event.Doc()).CheckRules();
    ASSERT_EQ(v_problems.size(), 1u);
    EXPECT_NE(v_problems[0].find("venue rule 1 (Different groups): group 'Choir' in day 'Mon'"), std::string::npos)
        << v_problems[0];
}

} // namespace
