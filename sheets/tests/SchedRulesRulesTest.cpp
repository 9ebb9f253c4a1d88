#include "sheets/SchedRulesRules.h"

#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

using testevent::EventBuilder;
using namespace SchedRuleText;

namespace {

// Two days, two venues with a common layout of three timeslots; Hall
// offers only the style Choir.
void MakeEvent(EventBuilder& event)
{
    event.Days({"Mon", "Tue"})
        .Style("Choir")
        .Style("Band")
        .Venue("Hall", {"Choir"})
        .Venue("Room")
        .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
}

// The grid's answer: the plan's slots with the given ones selected.
std::vector<ZelRelTimeslotArray> Pick(const RulesGridPlan& plan, const std::vector<std::vector<int>>& v_picked)
{
    std::vector<ZelRelTimeslotArray> a_days = plan.vSlots;
    for (std::size_t d = 0; d < a_days.size(); ++d) {
        for (int i = 0; i < a_days[d].GetSize(); ++i)
            a_days[d][i].SetSelected(FALSE);
        if (d < v_picked.size())
            for (int i : v_picked[d])
                a_days[d][i].SetSelected(TRUE);
    }
    return a_days;
}

int CountSelected(const ZelRelTimeslotArray& a_slots)
{
    int n = 0;
    for (int i = 0; i < a_slots.GetSize(); ++i)
        n += a_slots[i].IsSelected() ? 1 : 0;
    return n;
}

struct FakeView : IRulesPendingView {
    bool bList = true;
    bool bApply = false;
    bool bOK = true;
    void EnableRulesList(bool b) override { bList = b; }
    void EnableApplyDiscard(bool b) override { bApply = b; }
    void EnableSheetOK(bool b) override { bOK = b; }
};

} // namespace

TEST(SchedRulesTexts, EnableAndTimeslotCounts)
{
    EXPECT_EQ("1", EnableText(TRUE, TRUE));
    EXPECT_EQ("0", EnableText(TRUE, FALSE));
    EXPECT_EQ("3", EnableText(FALSE, TRUE));
    EXPECT_EQ("", TimeslotsText(0));
    EXPECT_EQ("1 timeslot", TimeslotsText(1));
    EXPECT_EQ("7 timeslots", TimeslotsText(7));
    struct {
        int n_times, n_days;
        const char* p_text;
    } a_cases[] = {{1, 1, "1 timeslot in 1 day"},
                   {3, 1, "3 timeslots in 1 day"},
                   {4, 2, "4 timeslots in 2 days"},
                   {0, 0, "0 timeslots in 0 day"}};
    for (const auto& c : a_cases)
        EXPECT_EQ(c.p_text, TimeslotsInDaysText(c.n_times, c.n_days)) << c.n_times << " " << c.n_days;
}

TEST(SchedRulesTexts, ActionParsesInListOrderAndIgnoresUnknownNames)
{
    EXPECT_EQ((std::vector<std::string>{"Limit participants", "Same styles", "Different styles", "Different groups",
                                        "Selected styles"}),
              KindNames());
    DayRule rule;
    for (UINT u_kind : kKindOrder) {
        EXPECT_TRUE(ParseAction(rule, SchedRule::GetKindName(u_kind)));
        EXPECT_EQ(u_kind, rule.GetKind());
    }
    EXPECT_FALSE(ParseAction(rule, "Nonsense"));
    EXPECT_FALSE(ParseAction(rule, ""));
    EXPECT_EQ(SchedRule::e_selected_styles, rule.GetKind());
}

TEST(SchedRulesTexts, ValueParsesLimitsAndStyles)
{
    EventBuilder event;
    MakeEvent(event);
    const EventDoc& doc = event.Doc();
    DayRule rule;
    rule.SetKind(SchedRule::e_limit_participants);
    struct {
        const char* p_text;
        UINT u_max;
    } a_limits[] = {{"0", 0}, {"12", 12}, {"99999", 99999}, {"123456", 99999}, {"99999999999999999999", 99999},
                    {"7abc", 7}, {"abc", 0}};
    for (const auto& c : a_limits) {
        EXPECT_TRUE(ParseValue(rule, c.p_text, doc));
        EXPECT_EQ(SchedLim(SchedLim::e_range, 0, 0, c.u_max), rule.GetLimit()) << c.p_text;
        EXPECT_EQ(std::to_string(c.u_max), ValueText(rule, doc));
    }

    rule.SetKind(SchedRule::e_selected_styles);
    EXPECT_TRUE(ParseValue(rule, "Band", doc));
    EXPECT_EQ(1, rule.GetStyles().GetCount());
    EXPECT_GE(rule.GetStyles().Find(event.StyleKey("Band")), 0);
    EXPECT_EQ("Band", ValueText(rule, doc));
    EXPECT_FALSE(ParseValue(rule, "Nobody", doc));
    EXPECT_EQ("Band", ValueText(rule, doc));

    rule.SetKind(SchedRule::e_same_styles);
    EXPECT_FALSE(ParseValue(rule, "Choir", doc));
    EXPECT_EQ("", ValueText(rule, doc));
}

TEST(SchedRulesCore, NewRowTextsAndValueLists)
{
    EventBuilder event;
    MakeEvent(event);
    DayRulesCore core(&event.Doc());
    EXPECT_EQ((std::vector<std::string>{"No.", "Enable", "Day", "Action", "Value", "Timeslots"}), core.Headings());
    const int i_row = core.AddRule();
    EXPECT_EQ(0, i_row);
    EXPECT_EQ("1", core.DisplayText(0, kNumber));
    EXPECT_EQ("3", core.DisplayText(0, kEnable)); // enabled but not yet valid
    EXPECT_EQ("", core.DisplayText(0, "Day"));
    EXPECT_EQ("Same styles", core.DisplayText(0, kAction));
    EXPECT_EQ("", core.DisplayText(0, kValue));
    EXPECT_EQ("", core.DisplayText(0, kTimeslots));
    EXPECT_TRUE(core.ValueEntries(0).empty());
    EXPECT_FALSE(core.ValueIsNumber(0));
    core.SetCellText(0, kAction, "Selected styles");
    EXPECT_EQ((std::vector<std::string>{"Choir", "Band"}), core.ValueEntries(0));
    core.SetCellText(0, kAction, "Limit participants");
    EXPECT_TRUE(core.ValueIsNumber(0));

    // An invalid rule cannot be enabled; nor is it left enabled.
    core.SetRuleEnabled(0, TRUE);
    EXPECT_FALSE(core.IsRuleEnabled(0));
    EXPECT_EQ("3", core.DisplayText(0, kEnable));
}

TEST(SchedRulesCore, SelectionAfterDeleteAndMove)
{
    EventBuilder event;
    MakeEvent(event);
    DayRulesCore core(&event.Doc());
    for (int i = 0; i < 3; ++i)
        core.AddRule();
    core.SetCellText(0, kAction, "Different groups");
    EXPECT_FALSE(core.MoveRule(0, TRUE));
    EXPECT_FALSE(core.MoveRule(2, FALSE));
    EXPECT_TRUE(core.MoveRule(0, FALSE));
    EXPECT_EQ("Different groups", core.DisplayText(1, kAction));
    EXPECT_TRUE(core.MoveRule(1, TRUE));
    EXPECT_EQ("Different groups", core.DisplayText(0, kAction));

    core.DeleteRule(2);
    EXPECT_EQ(1, core.RowAfterDelete(2)); // the new last row
    core.DeleteRule(0);
    EXPECT_EQ(0, core.RowAfterDelete(0));
    EXPECT_EQ("Same styles", core.DisplayText(0, kAction));
    core.DeleteRule(0);
    EXPECT_EQ(-1, core.RowAfterDelete(0));
}

TEST(DayRulesCore, DayChangeAndTimeslots)
{
    EventBuilder event;
    MakeEvent(event);
    DayRulesCore core(&event.Doc());
    core.AddRule();
    // No day yet: no grid days.
    EXPECT_TRUE(core.ShowRuleTimeslots(0).vDayNames.empty());

    core.SetCellText(0, "Day", "Nosuchday");
    EXPECT_EQ(-1, core.GetDayRule(0).GetDayId());
    core.SetCellText(0, "Day", "Tue");
    EXPECT_EQ("Tue", core.DisplayText(0, "Day"));

    // The common layout is repeated in each venue's column.
    RulesGridPlan plan = core.ShowRuleTimeslots(0);
    ASSERT_EQ(1u, plan.vDayNames.size());
    EXPECT_EQ("Tue", plan.vDayNames[0]);
    EXPECT_EQ((std::vector<std::string>{"Hall", "Room"}), plan.vSetNames[0]);
    ASSERT_EQ(6, plan.vSlots[0].GetSize());
    EXPECT_EQ(2, plan.SetKeys.GetSize());

    // Picking writes only the selected times of the rule's day.
    int i_hall10 = -1, i_room11 = -1;
    for (int i = 0; i < 6; ++i) {
        const ZelRelTimeslot& s = plan.vSlots[0][i];
        if (s.GetSetKey() == event.VenueKey("Hall") && s.GetStart() == EventBuilder::At("10:00"))
            i_hall10 = i;
        if (s.GetSetKey() == event.VenueKey("Room") && s.GetStart() == EventBuilder::At("11:00"))
            i_room11 = i;
    }
    ASSERT_GE(i_hall10, 0);
    ASSERT_GE(i_room11, 0);
    core.ApplyTimeslotSelection(0, Pick(plan, {{i_hall10, i_room11}}));
    int n_days = 0;
    EXPECT_EQ(2, core.CountRuleTimes(0, &n_days));
    EXPECT_EQ(1, n_days);
    EXPECT_EQ("2 timeslots", core.DisplayText(0, kTimeslots));
    core.ValidateRule(0);
    EXPECT_TRUE(core.IsRuleValid(0));
    EXPECT_EQ("1", core.DisplayText(0, kEnable));

    plan = core.ShowRuleTimeslots(0);
    EXPECT_EQ(2, CountSelected(plan.vSlots[0]));
    EXPECT_TRUE(plan.vSlots[0][i_hall10].IsSelected());
    EXPECT_TRUE(plan.vSlots[0][i_room11].IsSelected());

    // The same day again keeps the times; another day clears them.
    core.SetCellText(0, "Day", "Tue");
    EXPECT_EQ(2, core.CountRuleTimes(0));
    core.SetCellText(0, "Day", "Mon");
    EXPECT_EQ(0, core.CountRuleTimes(0));
    EXPECT_FALSE(core.IsRuleValid(0));
}

TEST(VenueRulesCore, VenueChangeTimeslotsAndValueList)
{
    EventBuilder event;
    MakeEvent(event);
    VenueRulesCore core(&event.Doc());
    EXPECT_EQ("0 timeslots in 0 day", (core.AddRule(), core.DisplayText(0, kTimeslots)));

    // Without a venue the grid shows the days but no timeslots.
    RulesGridPlan plan = core.ShowRuleTimeslots(0);
    ASSERT_EQ(2u, plan.vDayNames.size());
    EXPECT_EQ(0, plan.vSlots[0].GetSize());

    core.SetCellText(0, "Venue", "Room");
    EXPECT_EQ(event.VenueKey("Room"), core.GetVenueRule(0).GetVenueKey());
    EXPECT_EQ("Room", core.DisplayText(0, "Venue"));
    plan = core.ShowRuleTimeslots(0);
    ASSERT_EQ(3, plan.vSlots[1].GetSize());
    EXPECT_EQ(event.VenueKey("Room"), plan.vSlots[1][0].GetSetKey());

    core.ApplyTimeslotSelection(0, Pick(plan, {{0, 2}, {1}}));
    EXPECT_EQ("3 timeslots in 2 days", core.DisplayText(0, kTimeslots));
    const ZelRelTimeslotArray* p_mon = core.GetVenueRule(0).GetScope().FindDayTimes(event.Doc().GetEventDef().GetDayDef().GetDayId(0));
    ASSERT_NE(nullptr, p_mon);
    EXPECT_EQ(event.VenueKey("Room"), (*p_mon)[0].GetSetKey());
    EXPECT_EQ(3, [&] {
        const RulesGridPlan again = core.ShowRuleTimeslots(0);
        return CountSelected(again.vSlots[0]) + CountSelected(again.vSlots[1]);
    }());

    // Another venue clears the times and stamps the owner.
    core.SetCellText(0, "Venue", "Hall");
    EXPECT_EQ(0, core.CountRuleTimes(0));
    EXPECT_EQ(event.VenueKey("Hall"), core.GetVenueRule(0).GetScope().GetVenueKey());

    // The value list keeps to the venue's own styles.
    core.SetCellText(0, kAction, "Selected styles");
    EXPECT_EQ((std::vector<std::string>{"Choir"}), core.ValueEntries(0));
    core.SetCellText(0, "Venue", "Room");
    EXPECT_EQ((std::vector<std::string>{"Choir", "Band"}), core.ValueEntries(0));
}

TEST(RulesPendingState, DiscardRestoresExactlyAndCheckRefusesWhilePending)
{
    EventBuilder event;
    MakeEvent(event);
    DayRulesCore core(&event.Doc());
    core.AddRule();
    core.SetCellText(0, "Day", "Mon");
    core.ApplyTimeslotSelection(0, Pick(core.ShowRuleTimeslots(0), {{1}}));
    const DayRule before = core.GetDayRule(0);

    FakeView view;
    RulesPendingState state(core, view);
    state.Leave();
    BOOL b_stay = FALSE;
    EXPECT_TRUE(state.CheckSettings(&b_stay));
    EXPECT_FALSE(b_stay);

    const RulesGridPlan plan = core.ShowRuleTimeslots(0);
    state.SelectionChanged(0, Pick(plan, {{0, 1, 2}}));
    EXPECT_TRUE(state.IsPending());
    EXPECT_FALSE(view.bList);
    EXPECT_TRUE(view.bApply);
    EXPECT_FALSE(view.bOK);
    EXPECT_EQ(3, core.CountRuleTimes(0)); // written at once
    state.SelectionChanged(0, Pick(plan, {{4}}));
    EXPECT_EQ(1, core.CountRuleTimes(0));
    EXPECT_FALSE(state.CheckSettings(&b_stay));
    EXPECT_TRUE(b_stay);

    // The copy taken at the first change, not at a later one, comes back.
    state.Discard(0);
    EXPECT_FALSE(state.IsPending());
    EXPECT_TRUE(view.bList && view.bOK && !view.bApply);
    EXPECT_TRUE(core.GetDayRule(0).GetScope() == before.GetScope());
    EXPECT_EQ(before.GetDayId(), core.GetDayRule(0).GetDayId());

    state.SelectionChanged(0, Pick(plan, {{0, 3}}));
    state.Apply(0);
    EXPECT_FALSE(state.IsPending());
    EXPECT_EQ(2, core.CountRuleTimes(0));
    EXPECT_TRUE(core.IsRuleValid(0));
}

TEST(SchedRulesCore, LoadAndStoreOnlyTheirOwnRules)
{
    EventBuilder event;
    MakeEvent(event);
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
    event.VenueRule("Hall", SchedRule::e_same_styles, {});
    SchedulingRules rules = event.Doc().GetSchedulingRules();
    DayRulesCore days(&event.Doc());
    VenueRulesCore venues(&event.Doc());
    days.LoadRules(rules);
    venues.LoadRules(rules);
    EXPECT_EQ(1, days.GetRuleCount());
    EXPECT_EQ(1, venues.GetRuleCount());
    days.AddRule();
    days.StoreRules(rules);
    EXPECT_EQ(2, rules.GetNumDayRules());
    EXPECT_EQ(1, rules.GetNumVenueRules());
}
