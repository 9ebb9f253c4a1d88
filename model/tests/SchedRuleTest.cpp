#include "model/EventDoc.h"
#include "model/General.h"
#include "model/SchedRule.h"
#include "model/tests/RuleEvent.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ruleevent::Festival;
using ruleevent::Placed;
using testevent::EventBuilder;

namespace {

// The day rule most tests use: Mon, Hall at 09:00 and 10:00, Barn at 09:00.
const std::initializer_list<std::string> kMondayTimes = {"Hall 09:00-10:00", "Hall 10:00-11:00",
                                                          "Barn 09:00-10:00"};

SchedLim Maximum(UINT u_max)
{
    return SchedLim(SchedLim::e_range, 0, 0, u_max);
}

TEST(SchedRule, ValidatesEachKind)
{
    EventBuilder event;
    Festival(event);
    const EventDoc& doc = event.Doc();
    const LONG l_monday = doc.GetEventDef().GetDayDef().GetDayId(0);
    const LONG l_hall = event.VenueKey("Hall");
    const LONG l_jazz = event.StyleKey("Jazz");

    struct Case {
        const char* pWhat;
        UINT uKind;
        int nTimes;
        bool bMaximum;
        bool bStyle;
        UINT uProblem; // 0: valid
    };
    const Case a_cases[] = {
        {"limit without times", 0, 0, true, false, IDS_RULE_SELECT_TIMESLOT},
        {"limit that is no maximum", 0, 1, false, false, IDS_RULE_SELECT_MAXIMUM},
        {"limit", 0, 1, true, false, 0},
        {"same styles in one time", 1, 1, false, false, IDS_RULE_SELECT_TWO_TIMESLOTS},
        {"same styles", 1, 2, false, false, 0},
        {"different styles in one time", 2, 1, false, false, IDS_RULE_SELECT_TWO_TIMESLOTS},
        {"different styles", 2, 2, false, false, 0},
        {"selected styles without times", 3, 0, false, true, IDS_RULE_SELECT_TIMESLOT},
        {"selected styles without styles", 3, 1, false, false, IDS_RULE_SELECT_STYLES},
        {"selected styles", 3, 1, false, true, 0},
        {"different groups without times", 4, 0, false, false, IDS_RULE_SELECT_TIMESLOT},
        {"different groups", 4, 1, false, false, 0},
        {"a kind this program does not know", 7, 0, false, false, 0},
    };
    const char* a_times[] = {"09:00-10:00", "10:00-11:00"};
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        DayRule day_rule;
        day_rule.SetDayId(l_monday);
        VenueRule venue_rule(l_hall);
        for (SchedRule* p_rule : {static_cast<SchedRule*>(&day_rule), static_cast<SchedRule*>(&venue_rule)}) {
            p_rule->SetKind(c.uKind);
            for (int i = 0; i < c.nTimes; ++i)
                p_rule->GetScope().AddTime(l_monday, EventBuilder::RelSlot(a_times[i], l_hall));
            if (c.bMaximum)
                p_rule->GetLimit() = Maximum(4);
            if (c.bStyle)
                p_rule->GetStyles().Add(l_jazz);
            std::string s_message = "left over";
            EXPECT_EQ(p_rule->UpdateValid(&doc, s_message), c.uProblem == 0 ? 1 : 0);
            EXPECT_EQ(p_rule->IsValid(), c.uProblem == 0 ? 1 : 0);
            EXPECT_EQ(s_message, c.uProblem == 0 ? "" : LoadResString(c.uProblem, "?"));
        }
    }

    // A rule valid in itself still needs its day or venue; a rule that
    // fails in itself says so first.
    DayRule no_day;
    no_day.SetKind(SchedRule::e_different_groups);
    no_day.GetScope().AddTime(l_monday, EventBuilder::RelSlot("09:00-10:00", l_hall));
    std::string s_message;
    EXPECT_EQ(no_day.Validate(&doc, s_message), 0);
    EXPECT_EQ(s_message, "Select a day.");
    no_day.SetDayId(l_monday + 1000);
    EXPECT_EQ(no_day.Validate(&doc, s_message), 0) << "a day the event does not have";
    EXPECT_EQ(s_message, "Select a day.");
    no_day.SetKind(SchedRule::e_same_styles);
    EXPECT_EQ(no_day.Validate(&doc, s_message), 0);
    EXPECT_EQ(s_message, "Select two or more timeslots.");

    VenueRule no_venue;
    no_venue.SetKind(SchedRule::e_different_groups);
    no_venue.GetScope().AddTime(l_monday, EventBuilder::RelSlot("09:00-10:00"));
    EXPECT_EQ(no_venue.Validate(&doc, s_message), 0);
    EXPECT_EQ(s_message, "Select a venue.");
}

TEST(SchedRule, AllowsGroupPerKind)
{
    struct Case {
        const char* pWhat;
        UINT uKind;
        std::vector<Placed> vPlaced;
        const char* pVenue;
        const char* pStart;
        const char* pGroup;
        bool bLockedOnly;
        bool bAllowed;
        bool bRuleStyle = true; // kind 3 selects Jazz
    };
    const Case a_cases[] = {
        {"different groups: a second placement", 4, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Choir", false,
         false},
        {"different groups: into the slot it holds", 4, {{0, "Hall", "09:00", "Choir"}}, "Hall", "09:00", "Choir",
         false, true},
        {"different groups: another group", 4, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Band", false, true},
        {"different groups: nothing else placed", 4, {}, "Hall", "10:00", "Choir", false, true},
        {"different groups: placed outside the rule", 4, {{0, "Hall", "11:00", "Choir"}}, "Hall", "10:00", "Choir",
         false, true},
        {"different groups: unlocked, locked only", 4, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Choir", true,
         true},
        {"different groups: locked, locked only", 4, {{0, "Hall", "09:00", "Choir", true}}, "Hall", "10:00", "Choir",
         true, false},
        {"same styles: shares a style", 1, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Duo", false, true},
        {"same styles: shares none", 1, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Band", false, false},
        {"same styles: a group without styles", 1, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Solo", false,
         false},
        {"same styles: nothing else placed", 1, {}, "Hall", "10:00", "Band", false, true},
        {"same styles: one of the others shares", 1, {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}},
         "Barn", "09:00", "Band", false, true},
        {"same styles: the slot's own group does not count", 1,
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}}, "Hall", "10:00", "Band", false, false},
        {"different styles: shares a style", 2, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Duo", false, false},
        {"different styles: shares none", 2, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Band", false, true},
        {"different styles: a group without styles", 2, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Solo",
         false, true},
        {"selected styles: has one of them", 3, {}, "Hall", "10:00", "Duo", false, true},
        {"selected styles: has none of them", 3, {}, "Hall", "10:00", "Band", false, false},
        {"selected styles: a group without styles", 3, {}, "Hall", "10:00", "Solo", false, false},
        {"selected styles: a rule without styles", 3, {}, "Hall", "10:00", "Choir", false, false, false},
        {"limit: over the maximum", 0, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Band", false, false},
        {"limit: at the maximum", 0, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Choir", false, true},
        {"limit: into a slot outside the rule", 0, {{0, "Hall", "09:00", "Choir"}}, "Hall", "11:00", "Band", false,
         true},
        {"limit: the slot's own group does not count", 0,
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}}, "Hall", "10:00", "Solo", false, true},
        {"limit: unlocked, locked only", 0, {{0, "Hall", "09:00", "Choir"}}, "Hall", "10:00", "Band", true, true},
        {"an unknown kind", 7, {}, "Hall", "10:00", "Choir", false, false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        Festival(event);
        event.DayRule(0, c.uKind, kMondayTimes, [&](DayRule& rule) {
            rule.GetLimit() = Maximum(4);
            if (c.uKind == SchedRule::e_selected_styles && c.bRuleStyle)
                rule.GetStyles().Add(event.StyleKey("Jazz"));
        });
        ruleevent::PlaceAll(event, c.vPlaced);
        const Timeslot& slot = event.Slot(0, c.pVenue, c.pStart);
        EXPECT_EQ(event.GetDayRule(0).AllowsGroup(&event.Doc(), slot, event.GetGroup(c.pGroup), c.bLockedOnly),
                  c.bAllowed ? TRUE : FALSE);
    }
}

TEST(SchedRule, DisabledAndPreferenceRulesAllowEverything)
{
    EventBuilder event;
    Festival(event);
    event.DayRule(0, SchedRule::e_different_groups, kMondayTimes);
    event.DayRule(0, 7, kMondayTimes);
    event.Place(0, "Hall", "09:00", "Choir");
    const Timeslot& slot = event.Slot(0, "Hall", "10:00");
    for (int i_rule : {0, 1}) {
        DayRule& rule = event.GetDayRule(i_rule);
        EXPECT_FALSE(rule.AllowsGroup(&event.Doc(), slot, event.GetGroup("Choir"), FALSE));
        rule.SetStrength(SchedRule::e_preference);
        EXPECT_TRUE(rule.AllowsGroup(&event.Doc(), slot, event.GetGroup("Choir"), FALSE));
        rule.SetStrength(SchedRule::e_mandatory);
        rule.SetEnabled(FALSE);
        EXPECT_TRUE(rule.AllowsGroup(&event.Doc(), slot, event.GetGroup("Choir"), FALSE));
    }
}

TEST(SchedRule, VenueRuleLooksAcrossDays)
{
    EventBuilder event;
    Festival(event);
    event.VenueRule("Hall", SchedRule::e_different_groups, {"Mon 09:00-10:00", "Tue 09:00-10:00"});
    event.Place(0, "Hall", "09:00", "Choir");
    const VenueRule& rule = event.GetVenueRule(0);
    EXPECT_FALSE(rule.AllowsGroup(&event.Doc(), event.Slot(1, "Hall", "09:00"), event.GetGroup("Choir"), FALSE));
    EXPECT_TRUE(rule.AllowsGroup(&event.Doc(), event.Slot(1, "Barn", "09:00"), event.GetGroup("Band"), FALSE));

    event.Place(1, "Hall", "09:00", "Choir");
    std::string s_message;
    EXPECT_EQ(rule.CheckRule(2, &event.Doc(), s_message, FALSE), 0);
    EXPECT_EQ(s_message, "Venue scheduling rule 2 was not met.  On day 'Tue', in venue 'Hall', in timeslot '09:00', "
                         "group 'Choir' was scheduled more than once.");
}

TEST(SchedRule, CheckReportsTheFirstViolation)
{
    struct Case {
        const char* pWhat;
        UINT uKind;
        std::vector<Placed> vPlaced;
        bool bLockedOnly;
        const char* pMessage; // empty: the rule holds
    };
    const std::string s_rule = "Day scheduling rule 1 was not met.  ";
    const Case a_cases[] = {
        {"same styles: one group", 1, {{0, "Hall", "09:00", "Choir"}}, false, ""},
        {"same styles: no common style", 1, {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}}, false,
         "On day 'Mon', in venue 'Hall', in timeslot '10:00', no style of group 'Band' matches the styles of group "
         "'Choir'."},
        {"same styles: measured against the first group",
         1,
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Duo"}, {0, "Barn", "09:00", "Band"}},
         false,
         "On day 'Mon', in venue 'Barn', in timeslot '09:00', no style of group 'Band' matches the styles of group "
         "'Choir'."},
        {"same styles: only locked placements count",
         1,
         {{0, "Hall", "09:00", "Choir", true}, {0, "Hall", "10:00", "Band"}},
         true,
         ""},
        {"different styles: every style seen counts",
         2,
         {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}, {0, "Barn", "09:00", "Duo"}},
         false,
         "On day 'Mon', in venue 'Barn', in timeslot '09:00', the style(s) of group 'Duo' were not different."},
        {"different styles: held", 2, {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}}, false, ""},
        {"selected styles", 3, {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "10:00", "Band"}}, false,
         "On day 'Mon', in venue 'Hall', in timeslot '10:00', the group 'Band' does not match the selected styles for "
         "the rule."},
        {"different groups", 4, {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "09:00", "Choir"}}, false,
         "On day 'Mon', in venue 'Barn', in timeslot '09:00', group 'Choir' was scheduled more than once."},
        {"different groups: only locked placements count",
         4,
         {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "09:00", "Choir", true}},
         true,
         ""},
        {"limit", 0, {{0, "Hall", "09:00", "Choir"}, {0, "Barn", "09:00", "Band"}}, false,
         "The number of participants (5) is greater than the maximum of 4."},
        {"limit: only locked placements count", 0, {{0, "Hall", "09:00", "Choir", true}, {0, "Barn", "09:00", "Band"}},
         true, ""},
        {"limit: placements outside the rule", 0, {{0, "Hall", "09:00", "Choir"}, {0, "Hall", "11:00", "Band"}}, false,
         ""},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        Festival(event);
        event.DayRule(0, c.uKind, kMondayTimes, [&](DayRule& rule) {
            rule.GetLimit() = Maximum(4);
            rule.GetStyles().Add(event.StyleKey("Jazz"));
        });
        ruleevent::PlaceAll(event, c.vPlaced);
        std::string s_message = "left over";
        const std::string s_expected = *c.pMessage ? s_rule + c.pMessage : "";
        EXPECT_EQ(event.GetDayRule(0).CheckRule(1, &event.Doc(), s_message, c.bLockedOnly), s_expected.empty() ? 1 : 0);
        EXPECT_EQ(s_message, s_expected);
    }
}

TEST(SchedRule, CheckPassesRulesThatDoNotApply)
{
    EventBuilder event;
    Festival(event);
    event.DayRule(0, SchedRule::e_different_groups, kMondayTimes);
    event.Place(0, "Hall", "09:00", "Choir").Place(0, "Hall", "10:00", "Choir");
    DayRule& rule = event.GetDayRule(0);
    std::string s_message;
    ASSERT_EQ(rule.CheckRule(1, &event.Doc(), s_message, FALSE), 0);

    struct Case {
        const char* pWhat;
        void (*fChange)(DayRule&);
    };
    const Case a_cases[] = {
        {"preference", [](DayRule& r) { r.SetStrength(SchedRule::e_preference); }},
        {"disabled", [](DayRule& r) { r.SetEnabled(FALSE); }},
        {"not valid", [](DayRule& r) { r.SetValid(FALSE); }},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        DayRule changed = rule;
        c.fChange(changed);
        EXPECT_EQ(changed.CheckRule(1, &event.Doc(), s_message, FALSE), 1);
        EXPECT_EQ(s_message, "");
    }
}

TEST(SchedRule, TheTimetableOnlyCountsWhileTheEventCanHaveOne)
{
    EventBuilder event;
    Festival(event);
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
    event.Place(0, "Hall", "09:00", "Choir").Place(0, "Hall", "10:00", "Choir");
    EventDoc& doc = event.Doc();
    doc.AttachRulesToSlots(TRUE);
    std::string s_message;
    ASSERT_EQ(event.GetDayRule(0).CheckRule(1, &doc, s_message, FALSE), 0);

    // Without venues the timetable object stays but is not handed out:
    // the rule passes, placements allow anything, and the slots' rule lists
    // are left as they were.
    doc.GetVenues().RemoveAll();
    ASSERT_EQ(doc.GetTimetable(), nullptr);
    ASSERT_NE(doc.GetTimetableObject(), nullptr);
    EXPECT_EQ(event.GetDayRule(0).CheckRule(1, &doc, s_message, FALSE), 1);
    const Timeslot& slot = doc.GetTimetableObject()->GetDay(0).GetVenueSlots(0)[1];
    EXPECT_TRUE(event.GetDayRule(0).AllowsGroup(&doc, slot, event.GetGroup("Choir"), FALSE));
    doc.AttachRulesToSlots(FALSE);
    EXPECT_EQ(slot.GetDayRules().GetSize(), 1);
}

// Collects "Venue hh:mm" of the slots a rule walks on one day.
std::vector<std::string> Walk(const SchedRule& rule, EventDoc& doc, int i_day)
{
    std::vector<std::string> v;
    Day& day = doc.GetTimetableObject()->GetDay(i_day);
    int i_ruleSlot = -1;
    while (const Timeslot* p_slot = rule.NextSlot(&doc, static_cast<const Day&>(day), i_ruleSlot))
        v.push_back(doc.GetVenues()[p_slot->GetVenue()].GetName() + " " + p_slot->GetTimeText(TRUE, FALSE));
    // The checked form walks the same slots.
    std::vector<std::string> v_ptr;
    i_ruleSlot = -1;
    for (TimeslotPtr sp = rule.NextSlotPtr(&doc, day, i_ruleSlot); !sp.IsNull();
         sp = rule.NextSlotPtr(&doc, day, i_ruleSlot))
        v_ptr.push_back(doc.GetVenues()[sp->GetVenue()].GetName() + " " + sp->GetTimeText(TRUE, FALSE));
    EXPECT_EQ(v_ptr, v);
    return v;
}

TEST(SchedRule, WalksOnlyScopeTimesThatHaveTheirSlot)
{
    EventBuilder event;
    Festival(event);
    // Besides two times that are slots: a time that starts with a slot but
    // ends elsewhere, one that starts with none, one of a venue the event
    // does not have. A loaded file can hold such times until the rules are
    // revalidated; they stand for no slot.
    event.DayRule(0, SchedRule::e_different_groups,
                  {"Hall 09:00-10:00", "Hall 10:00-10:30", "Hall 12:00-13:00", "Barn 11:00-12:00"},
                  [](DayRule& rule) {
                      rule.GetScope().AddTime(rule.GetDayId(), EventBuilder::RelSlot("10:00-11:00", 99999));
                  });
    event.Place(0, "Hall", "09:00", "Choir").Place(0, "Hall", "10:00", "Choir");
    EventDoc& doc = event.Doc();
    const DayRule& rule = event.GetDayRule(0);
    ASSERT_TRUE(rule.IsValid());
    EXPECT_EQ(Walk(rule, doc, 0), (std::vector<std::string>{"Hall 09:00", "Barn 11:00"}));
    EXPECT_EQ(Walk(rule, doc, 1), std::vector<std::string>{}) << "another day";

    int i_venue = 5;
    int i_slot = 5;
    EXPECT_EQ(rule.FitSlot(&doc, doc.GetTimetableObject()->GetDay(0), 1, i_venue, i_slot), 3)
        << "the fourth time of the day is the next that fits";
    EXPECT_EQ(i_venue, event.VenueIndex("Barn"));
    EXPECT_EQ(i_slot, 2);

    // Neither a check nor the attachment stops at the odd times.
    std::string s_message;
    EXPECT_EQ(rule.CheckRule(1, &doc, s_message, FALSE), 1) << s_message;
    doc.AttachRulesToSlots(TRUE);
    EXPECT_EQ(event.Slot(0, "Hall", "10:00").GetDayRules().GetSize(), 0);
    EXPECT_EQ(event.Slot(0, "Barn", "11:00").GetDayRules().GetSize(), 1);

    DayRule invalid = rule;
    invalid.SetValid(FALSE);
    EXPECT_EQ(Walk(invalid, doc, 0), std::vector<std::string>{});
}

TEST(SchedRule, TextsOfRules)
{
    EventBuilder event;
    Festival(event);
    const LONG l_jazz = event.StyleKey("Jazz");
    const LONG l_folk = event.StyleKey("Folk");
    struct Case {
        UINT uKind;
        UINT uStrength;
        const char* pText;
    };
    const Case a_cases[] = {
        {0, 0, "3 timeslot(s), must schedule groups with participants limited to a maximum of 4."},
        {1, 0, "3 timeslot(s), must schedule groups with the same style."},
        {2, 1, "3 timeslot(s), prefer to schedule groups with different styles."},
        {3, 0, "3 timeslot(s), must schedule groups with a selection of 2 styles."},
        {4, 0, "3 timeslot(s), must schedule groups with different groups."},
    };
    for (const Case& c : a_cases) {
        DayRule rule;
        rule.SetKind(c.uKind);
        rule.SetStrength(c.uStrength);
        rule.GetLimit() = Maximum(4);
        rule.GetStyles().Add(l_jazz);
        rule.GetStyles().Add(l_folk);
        for (const char* p_time : {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
            rule.GetScope().AddTime(3, EventBuilder::RelSlot(p_time, 1));
        EXPECT_EQ(rule.GetRuleText(), c.pText);
    }

    event.DayRule(1, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Barn 09:00-10:00"});
    event.DayRule(1, SchedRule::e_same_styles, {"Hall 09:00-10:00"});
    event.VenueRule("Barn", SchedRule::e_same_styles, {"Mon 09:00-10:00", "Tue 09:00-10:00", "Tue 10:00-11:00"});
    const EventDoc& doc = event.Doc();
    EXPECT_EQ(event.GetDayRule(0).GetDescription(&doc),
              "In day Tue, in 2 timeslot(s), must schedule groups with different groups.");
    EXPECT_EQ(event.GetDayRule(1).GetDescription(&doc), "(Rule is not valid.  Select two or more timeslots.)");
    EXPECT_EQ(event.GetVenueRule(0).GetDescription(&doc),
              "In venue Barn, over 2 day(s), in 3 timeslot(s), must schedule groups with the same style.");

    const std::vector<std::string> v_kinds = {"Limit participants", "Same styles", "Different styles",
                                              "Selected styles", "Different groups", ""};
    for (UINT u = 0; u < v_kinds.size(); ++u)
        EXPECT_EQ(SchedRule::GetKindName(u), v_kinds[u]);
    EXPECT_EQ(event.GetDayRule(0).GetKindText(), "Different groups");
    EXPECT_EQ(SchedRule::GetStrengthName(0), "Mandatory");
    EXPECT_EQ(SchedRule::GetStrengthName(1), "Preference");
    EXPECT_EQ(SchedRule::GetStrengthName(2), "");
}

TEST(VenueRule, ScopeTimesCarryTheVenueKey)
{
    VenueRule rule(7);
    rule.GetScope().AddTime(3, EventBuilder::RelSlot("09:00-10:00", 99));
    EXPECT_EQ(rule.GetScope().FindDayTimes(3)->GetAt(0).GetSetKey(), 7);
    rule.SetVenueKey(8);
    EXPECT_EQ(rule.GetScope().GetVenueKey(), 8);
    EXPECT_EQ(rule.GetScope().FindDayTimes(3)->GetAt(0).GetSetKey(), 8);

    VenueRule copy(rule);
    EXPECT_EQ(copy.GetScope().FindDayTimes(3)->GetAt(0).GetSetKey(), 8);
    VenueRule assigned(1);
    assigned = rule;
    EXPECT_EQ(assigned.GetVenueKey(), 8);
    EXPECT_EQ(assigned.GetScope(), rule.GetScope());
}

} // namespace
