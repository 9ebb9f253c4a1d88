#include "framework/Exceptions.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/SchedRule.h"
#include "model/tests/DayTimes.h"
#include "model/tests/RuleEvent.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/base/ZelStringArray.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using ruleevent::Festival;
using testbytes::Builder;
using testevent::EventBuilder;

namespace {

std::string DisabledText(int n_venueRules, int n_dayRules)
{
    return "Some scheduling rules were affected by your changes and have been disabled.\n"
           "Please check your scheduling rules.\nVenue rules disabled: " +
           std::to_string(n_venueRules) + "\nDay rules disabled: " + std::to_string(n_dayRules);
}

TEST(SchedulingRules, RevalidationDeletesDisablesAndTellsOnce)
{
    struct Case {
        const char* pWhat;
        std::function<void(EventBuilder&)> fChange;
        int nVenueRules; // left after revalidation
        int nDayRules;
        std::vector<bool> vVenueEnabled;
        std::vector<bool> vDayEnabled;
        const char* pBox; // null: no message
        int nVenueDisabled = 0;
        int nDayDisabled = 0;
    };
    const Case a_cases[] = {
        {"a deleted venue deletes its rules quietly",
         [](EventBuilder& e) { e.Doc().GetVenues().RemoveAt(e.VenueIndex("Barn")); }, 1, 2, {true}, {true, true},
         nullptr},
        {"a removed timeslot disables the day rule using it",
         [](EventBuilder& e) { e.Slots(0, {"09:00-10:00", "11:00-12:00"}); }, 2, 2, {true, true}, {false, true}, "",
         0, 1},
        {"a changed timeslot disables every rule using it",
         [](EventBuilder& e) { e.Slots(0, {"09:00-09:30", "10:00-11:00", "11:00-12:00"}); }, 2, 2,
         {false, false}, {false, true}, "", 2, 1},
        {"a deleted day deletes its day rules",
         [](EventBuilder& e) {
             ZelStringArray a_names;
             a_names.Add("Mon");
             dynamic_cast<CustomDays&>(e.Doc().GetEventDef().GetDayDef()).SetDays(a_names);
         },
         2, 1, {false, true}, {true}, "", 1, 0},
        {"a rule already disabled is not counted",
         [](EventBuilder& e) {
             e.GetDayRule(0).SetEnabled(FALSE);
             e.Slots(0, {"09:00-10:00", "11:00-12:00"});
         },
         2, 2, {true, true}, {false, true}, nullptr},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        Festival(event);
        // Venue rules: Hall on both days, Barn on Mon. Day rules: Mon in
        // Hall at 09:00 and 10:00, Tue in Hall at 11:00.
        event.VenueRule("Hall", SchedRule::e_different_groups, {"Mon 09:00-10:00", "Tue 09:00-10:00"});
        event.VenueRule("Barn", SchedRule::e_different_groups, {"Mon 09:00-10:00"});
        event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
        event.DayRule(1, SchedRule::e_different_groups, {"Hall 11:00-12:00"});
        c.fChange(event);

        ScriptedMessageBox box;
        SchedulingRules& rules = event.Doc().GetSchedulingRules();
        rules.Revalidate(&event.Doc());
        ASSERT_EQ(rules.GetNumVenueRules(), c.nVenueRules);
        ASSERT_EQ(rules.GetNumDayRules(), c.nDayRules);
        for (int i = 0; i < c.nVenueRules; ++i)
            EXPECT_EQ(rules.GetVenueRules()[i].IsEnabled(), c.vVenueEnabled[i] ? 1 : 0) << "venue rule " << i;
        for (int i = 0; i < c.nDayRules; ++i)
            EXPECT_EQ(rules.GetDayRules()[i].IsEnabled(), c.vDayEnabled[i] ? 1 : 0) << "day rule " << i;
        if (c.pBox == nullptr) {
            EXPECT_TRUE(box.Boxes().empty());
        } else {
            ASSERT_EQ(box.Boxes().size(), 1u);
            EXPECT_EQ(box.Boxes()[0].sText, DisabledText(c.nVenueDisabled, c.nDayDisabled));
            EXPECT_EQ(box.Boxes()[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));
        }
    }
}

TEST(SchedulingRules, RevalidationDropsStylesTheEventNoLongerHas)
{
    EventBuilder event;
    Festival(event);
    const LONG l_jazz = event.StyleKey("Jazz");
    event.DayRule(0, SchedRule::e_selected_styles, {"Hall 09:00-10:00"},
                  [&](DayRule& rule) { rule.GetStyles().Add(l_jazz); });
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00"});
    SchedulingRules& rules = event.Doc().GetSchedulingRules();
    EXPECT_EQ(rules.GetNumActiveRules(), 2);

    StyleList& styles = event.Doc().GetStyles();
    styles.Delete(styles.FindByKey(l_jazz));
    ScriptedMessageBox box;
    rules.Revalidate(&event.Doc());
    const DayRule& rule = rules.GetDayRules()[0];
    EXPECT_EQ(rule.GetStyles().GetCount(), 0);
    EXPECT_FALSE(rule.IsValid());
    EXPECT_TRUE(rule.IsEnabled()) << "only a changed scope disables a rule";
    EXPECT_TRUE(box.Boxes().empty());
    EXPECT_EQ(rules.GetNumActiveRules(), 1);

    rules.DisableInvalidRules();
    EXPECT_FALSE(rules.GetDayRules()[0].IsEnabled());
    EXPECT_TRUE(rules.GetDayRules()[1].IsEnabled());
}

TEST(SchedulingRules, AttachesRuleIndexesToTheirSlots)
{
    EventBuilder event;
    Festival(event);
    event.VenueRule("Hall", SchedRule::e_different_groups, {"Mon 09:00-10:00", "Tue 09:00-10:00"});
    event.VenueRule("Hall", SchedRule::e_different_groups, {"Mon 09:00-10:00"});
    event.VenueRule("Hall", SchedRule::e_different_groups, {"Mon 09:00-10:00"},
                    [](VenueRule& rule) { rule.SetEnabled(FALSE); });
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Barn 10:00-11:00"});
    event.DayRule(0, SchedRule::e_different_groups, {"Barn 10:00-11:00"});
    EventDoc& doc = event.Doc();
    doc.AttachRulesToSlots(TRUE);

    auto indexes = [](const ZelArray<UINT>& a) {
        std::vector<UINT> v;
        for (int i = 0; i < a.GetSize(); ++i)
            v.push_back(a[i]);
        return v;
    };
    using V = std::vector<UINT>;
    EXPECT_EQ(indexes(event.Slot(0, "Hall", "09:00").GetVenueRules()), (V{1, 0})) << "last rule first";
    EXPECT_EQ(indexes(event.Slot(0, "Hall", "09:00").GetDayRules()), (V{0}));
    EXPECT_EQ(indexes(event.Slot(1, "Hall", "09:00").GetVenueRules()), (V{0}));
    EXPECT_EQ(indexes(event.Slot(1, "Hall", "09:00").GetDayRules()), V{});
    EXPECT_EQ(indexes(event.Slot(0, "Barn", "10:00").GetDayRules()), (V{1, 0}));
    EXPECT_EQ(indexes(event.Slot(0, "Barn", "10:00").GetVenueRules()), V{});
    EXPECT_EQ(indexes(event.Slot(0, "Hall", "10:00").GetVenueRules()), V{});

    // Attaching again gives the same lists, not doubled ones; FALSE only
    // empties them.
    doc.AttachRulesToSlots(TRUE);
    EXPECT_EQ(indexes(event.Slot(0, "Hall", "09:00").GetVenueRules()), (V{1, 0}));
    doc.AttachRulesToSlots(FALSE);
    EXPECT_EQ(indexes(event.Slot(0, "Hall", "09:00").GetVenueRules()), V{});
    EXPECT_EQ(indexes(event.Slot(0, "Barn", "10:00").GetDayRules()), V{});
}

// ---- stored forms ----

Builder& Slot(Builder& b, const char* p_times, LONG l_setKey)
{
    return b.Raw(daytimes::SlotBytes(EventBuilder::RelSlot(p_times, l_setKey)));
}

TEST(SchedulingRules, StoresTheCurrentForm)
{
    EventBuilder event;
    Festival(event);
    const LONG l_hall = event.VenueKey("Hall");
    const LONG l_jazz = event.StyleKey("Jazz");
    const LONG l_mon = event.Doc().GetEventDef().GetDayDef().GetDayId(0);
    event.VenueRule("Hall", SchedRule::e_selected_styles, {"Mon 09:00-10:00"},
                    [&](VenueRule& rule) { rule.GetStyles().Add(l_jazz); });
    event.DayRule(0, SchedRule::e_limit_participants, {"Hall 10:00-11:00"}, [](DayRule& rule) {
        rule.GetLimit() = SchedLim(SchedLim::e_range, 0, 0, 4);
        rule.SetStrength(SchedRule::e_preference);
    });
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 10:00-11:00"});

    Builder b;
    b.Count(1).Dwords({1, 1, 0}).Dwords({0, l_hall}).Count(1).Dword(l_mon).Count(1);
    Slot(b, "09:00-10:00", l_hall).Dword(3).Dwords({5, l_jazz, -1, -1, -1, -1}).Dword(l_hall);
    b.Count(2).Dwords({1, 1, 1}).Dwords({1, -1}).Count(1).Dword(l_mon).Count(1);
    Slot(b, "10:00-11:00", l_hall).Dword(0).Dwords({2, 0, 0, 4}).Dword(l_mon);
    b.Dwords({1, 1, 0}).Dwords({1, -1}).Count(1).Dword(l_mon).Count(1);
    Slot(b, "10:00-11:00", l_hall).Dword(4).Dword(l_mon);

    SchedulingRules& rules = event.Doc().GetSchedulingRules();
    EXPECT_EQ(testbytes::Store(rules), b.Get());

    SchedulingRules loaded;
    testbytes::Load(loaded, b, 40);
    EXPECT_EQ(testbytes::Store(loaded), b.Get());
    ASSERT_EQ(loaded.GetNumDayRules(), 2);
    EXPECT_EQ(loaded.GetDayRules()[0].GetLimit().GetMax(), 4u);
    EXPECT_EQ(loaded.GetDayRules()[0].GetStrength(), static_cast<UINT>(SchedRule::e_preference));
    EXPECT_EQ(loaded.GetVenueRules()[0].GetStyles(), rules.GetVenueRules()[0].GetStyles());
    EXPECT_EQ(loaded.GetVenueRules()[0].GetScope(), rules.GetVenueRules()[0].GetScope());

    SchedulingRules none;
    EXPECT_EQ(testbytes::Store(none), Builder().Count(0).Count(0).Get()) << "both counts in the framework's form";
}

TEST(SchedulingRules, LoadsOldVenueRules)
{
    const LONG l_venue = 21;
    const LONG l_day = 3;
    const LONG l_style = 40;

    // Before version 23: enabled, valid, venue key, old kind, strength,
    // styles, then the scope (a days array only).
    Builder v20;
    v20.Count(1).Dwords({1, 0, l_venue, 1, 0}).Dwords({5, -1, -1, -1, -1, -1});
    Slot(v20.Count(1).Dword(l_day).Count(1), "09:00-10:00", -1);
    SchedulingRules rules;
    rules.GetDayRules().Add(DayRule());
    testbytes::Load(rules, v20, 20);
    ASSERT_EQ(rules.GetNumVenueRules(), 1);
    EXPECT_EQ(rules.GetNumDayRules(), 0) << "no day rules before version 24";
    const VenueRule& old_rule = rules.GetVenueRules()[0];
    EXPECT_EQ(old_rule.GetKind(), static_cast<UINT>(SchedRule::e_different_styles));
    EXPECT_EQ(old_rule.GetLimit().uType, static_cast<UINT>(SchedLim::e_no_limits));
    EXPECT_EQ(old_rule.GetVenueKey(), l_venue);
    EXPECT_TRUE(old_rule.IsEnabled());
    EXPECT_FALSE(old_rule.IsValid());
    EXPECT_FALSE(old_rule.GetScope().HasPerTimeKeys());
    EXPECT_EQ(old_rule.GetScope().GetVenueKey(), l_venue);
    EXPECT_EQ(old_rule.GetScope().FindDayTimes(l_day)->GetAt(0).GetSetKey(), l_venue);

    // Versions 23 to 33: the common part without kind, then venue key, old
    // kind and styles. Saving writes an empty day-rule array.
    Builder v23;
    v23.Count(1).Dwords({1, 1, 1});
    Slot(v23.Count(1).Dword(l_day).Count(1), "09:00-10:00", -1);
    v23.Dwords({l_venue, 2}).Dwords({5, l_style, -1, -1, -1, -1});
    testbytes::Load(rules, v23, 23);
    ASSERT_EQ(rules.GetNumVenueRules(), 1);
    EXPECT_EQ(rules.GetNumDayRules(), 0);
    const VenueRule& selected = rules.GetVenueRules()[0];
    EXPECT_EQ(selected.GetKind(), static_cast<UINT>(SchedRule::e_selected_styles));
    EXPECT_EQ(selected.GetStyles()[0], l_style);
    EXPECT_EQ(selected.GetStrength(), static_cast<UINT>(SchedRule::e_preference));
    const testbytes::Bytes stored = testbytes::Store(rules);
    ASSERT_GE(stored.size(), 2u);
    EXPECT_EQ(stored[stored.size() - 2], 0);
    EXPECT_EQ(stored[stored.size() - 1], 0);

    // Old kinds beyond the three known ones are "Same styles".
    for (DWORD u_oldKind : {0u, 9u}) {
        Builder b;
        b.Count(1).Dwords({1, 1, 0});
        Slot(b.Count(1).Dword(l_day).Count(1), "09:00-10:00", -1);
        b.Dwords({l_venue, u_oldKind}).Dwords({5, -1, -1, -1, -1, -1});
        testbytes::Load(rules, b, 23);
        EXPECT_EQ(rules.GetVenueRules()[0].GetKind(), static_cast<UINT>(SchedRule::e_same_styles)) << u_oldKind;
    }
}

TEST(SchedulingRules, LoadsDayRulesOfEveryLayout)
{
    const LONG l_day = 3;
    // Before version 34 a day rule has no kind: it is "Same styles".
    Builder v30;
    v30.Count(0).Count(1).Dwords({1, 1, 0}).Dword(1).Dword(0).Count(1).Dword(l_day).Count(1);
    Slot(v30, "09:00-10:00", 7).Dword(l_day);
    SchedulingRules rules;
    testbytes::Load(rules, v30, 30);
    ASSERT_EQ(rules.GetNumDayRules(), 1);
    EXPECT_EQ(rules.GetDayRules()[0].GetKind(), static_cast<UINT>(SchedRule::e_same_styles));
    EXPECT_EQ(rules.GetDayRules()[0].GetDayId(), l_day);
    EXPECT_EQ(rules.GetDayRules()[0].GetScope().FindDayTimes(l_day)->GetAt(0).GetSetKey(), 7);

    // A kind this program does not know stays, but disabled; its valid
    // flag stays as stored, so that saving and loading again gives the
    // same bytes (the validation passes such a kind).
    for (DWORD u_valid : {0u, 1u}) {
        Builder unknown;
        unknown.Count(0).Count(1).Dwords({1, u_valid, 0}).Dwords({1, -1}).Count(0).Dword(7).Dword(l_day);
        testbytes::Load(rules, unknown, 40);
        const DayRule& rule = rules.GetDayRules()[0];
        EXPECT_EQ(rule.GetKind(), 7u);
        EXPECT_FALSE(rule.IsEnabled());
        EXPECT_EQ(rule.IsValid(), static_cast<BOOL>(u_valid));
        EXPECT_EQ(testbytes::Store(rules), Builder()
                                               .Count(0)
                                               .Count(1)
                                               .Dwords({0, u_valid, 0})
                                               .Dwords({1, -1})
                                               .Count(0)
                                               .Dword(7)
                                               .Dword(l_day)
                                               .Get());
    }
}

TEST(SchedulingRules, RefusesDataShorterThanItClaims)
{
    auto head = [](DWORD u_kind) {
        Builder b;
        b.Count(0).Count(1).Dwords({1, 1, 0}).Dwords({1, -1}).Count(0).Dword(u_kind);
        return b;
    };
    struct Case {
        const char* pWhat;
        Builder bytes;
    };
    const Case a_cases[] = {
        {"a limit cut short", Builder(head(0)).Dwords({2, 0})},
        {"a limit missing", head(0)},
        {"styles missing", head(3)},
        {"more styles than bytes", Builder(head(3)).Dwords({1000, 1, 2})},
        {"more rules than bytes", Builder().Count(0).Count(5000).Dwords({1, 1, 0})},
        {"more venue rules than bytes", Builder().Count(5000).Dwords({1, 1, 0})},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        SchedulingRules rules;
        try {
            testbytes::Load(rules, c.bytes, 40);
            ADD_FAILURE() << "loaded";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
        }
        EXPECT_EQ(rules.GetNumDayRules(), 0);
    }
}

} // namespace
