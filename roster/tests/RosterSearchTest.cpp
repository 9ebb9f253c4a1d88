// The placement search: what each search level may move, full groups,
// the participant's limits and availability, the scheduling rules, the
// order of styles, and tries that fail leaving everything as it was.
#include "roster/RosterEngine.h"
#include "roster/tests/RosterBed.h"

#include "model/General.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rostertest;

namespace {

// The small event with Ann Lee (Jazz and Folk, equal orders), Bob Ray and
// Cy Fox (Jazz), and the group Quartet (Jazz) locked on Tuesday in the
// barn at 09:00. Each test sets memberships, then Start prepares a pass.
class SearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SmallEvent(event);
        event.Group("Quartet").GroupStyles("Quartet", {"Jazz"});
        event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 1}}, true))
            .Participant("Bob Ray", Styles(event, {{"Jazz", 1}}, true))
            .Participant("Cy Fox", Styles(event, {{"Jazz", 1}}, true));
        event.Timetable();
        PlaceSmallEvent(event).Place(1, "Barn", "09:00", "Quartet", true);
    }

    RosterEngine& Start()
    {
        pEngine = std::make_unique<RosterEngine>(&event.Doc());
        pEngine->Prepare(TRUE, &bModified, nullptr, nullptr, nullptr, nullptr);
        return *pEngine;
    }
    void Member(const std::string& s_group, const std::string& s_part, BOOL b_rostered)
    {
        event.GetGroup(s_group).GetMembers().SetMember(event.ParticipantKey(s_part), "", b_rostered);
    }
    int Part(const std::string& s_name)
    {
        return event.Doc().GetParticipants().FindByKey(event.ParticipantKey(s_name));
    }
    // Every participant's event total in the engine's counters.
    std::vector<UINT> Totals()
    {
        std::vector<UINT> v_totals;
        for (int p = 0; p < event.Doc().GetParticipants().GetNumParticipants(); ++p)
            v_totals.push_back(pEngine->GetCounters().GetPartCount(p).GetTotal());
        return v_totals;
    }
    // FindSlot's answer: the group placed into, or the message's id.
    std::string Find(const std::string& s_part, const std::string& s_style)
    {
        BOOL b_moved = FALSE;
        std::string s_message;
        const Timeslot* p_slot = pEngine->FindSlot(Part(s_part), event.StyleKey(s_style), b_moved, s_message,
                                                   nullptr, nullptr);
        if (p_slot)
            return event.Doc().GetGroups()[event.Doc().GetGroups().FindByKey(p_slot->GetGroup())].GetName();
        for (const UINT u_id : {5048u, 5049u, 5050u, 5051u, 5054u}) {
            if (s_message == LoadResString(u_id, "?"))
                return std::to_string(u_id);
        }
        return s_message;
    }

    testevent::EventBuilder event;
    std::atomic<bool> bModified{false};
    std::unique_ptr<RosterEngine> pEngine;
};

// Ann holds Folk in the Ring, which runs at the same time as the Trio she
// is to join for Jazz (the only Jazz group here). Only from level 1 on may
// a rostered membership move out of the way (Folk goes to the Duo); a
// fixed one never moves.
TEST_F(SearchTest, ClashingMembershipsMoveFromLevelOneAndOnlyWhenRostered)
{
    event.Slot(1, "Barn", "09:00").SetLocked(FALSE);
    struct Case {
        int iLevel;
        BOOL bRostered;
        BOOL bPlaced;
        std::vector<std::string> vAfter;
    };
    const std::vector<std::string> v_moved = {"Trio: Ann Lee+", "Duo: Ann Lee+"};
    const Case a_cases[] = {
        {0, TRUE, FALSE, {"Ring: Ann Lee+"}}, {1, TRUE, TRUE, v_moved},   {2, TRUE, TRUE, v_moved},
        {0, FALSE, FALSE, {"Ring: Ann Lee"}}, {1, FALSE, FALSE, {"Ring: Ann Lee"}}, {2, FALSE, FALSE, {"Ring: Ann Lee"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE("level " + std::to_string(c.iLevel) + (c.bRostered ? " rostered" : " fixed"));
        for (const char* s_group : {"Ring", "Trio", "Duo"})
            event.GetGroup(s_group).GetMembers().RemoveAll();
        Member("Ring", "Ann Lee", c.bRostered);
        RosterEngine& engine = Start();
        const std::vector<UINT> v_totals = Totals();
        bModified = false;
        EXPECT_EQ(engine.SearchParticipant(Part("Ann Lee"), nullptr, c.iLevel, event.StyleKey("Jazz")), c.bPlaced);
        EXPECT_EQ(Memberships(event.Doc()), c.vAfter);
        EXPECT_EQ(bModified.load(), c.bPlaced != FALSE);
        EXPECT_EQ(engine.GetMover()->GetStackSize(), 0);
        if (!c.bPlaced) {
            EXPECT_EQ(Totals(), v_totals) << "a failed search leaves the counts";
        }
    }
}

// Bob is a fixed member of the Ring, which plays at the same time as the
// Trio. Rostering works on the locked timetable alone: while the Ring's
// placement is locked the Trio clashes and Bob goes on to Tuesday's
// Quartet; once it is unlocked it is no clash to rostering, whatever a
// check of the whole timetable says afterwards, and Bob joins the Trio.
TEST_F(SearchTest, OnlyLockedPlacementsClashWithANewMembership)
{
    struct Case {
        BOOL bLocked;
        std::string sGroup;
        std::vector<std::string> vAfter;
    };
    const Case a_cases[] = {
        {TRUE, "Quartet", {"Ring: Bob Ray", "Quartet: Bob Ray+"}},
        {FALSE, "Trio", {"Trio: Bob Ray+", "Ring: Bob Ray"}},
    };
    for (const auto& [b_locked, s_group, v_after] : a_cases) {
        SCOPED_TRACE(b_locked ? "the Ring locked" : "the Ring not locked");
        for (const char* s_name : {"Ring", "Trio", "Quartet"})
            event.GetGroup(s_name).GetMembers().RemoveAll();
        Member("Ring", "Bob Ray", FALSE);
        event.Slot(0, "Barn", "09:00").SetLocked(b_locked);
        Start();
        EXPECT_EQ(Find("Bob Ray", "Jazz"), s_group);
        EXPECT_EQ(Memberships(event.Doc()), v_after);
    }
}

// The Trio is full with Bob and Cy. Only the maximum search makes room,
// and only by moving a rostered member whose style fits elsewhere: Cy,
// the last member, goes to the Quartet.
TEST_F(SearchTest, AFullGroupTakesANewMemberOnlyAtTheMaximumLevel)
{
    struct Case {
        int iLevel;
        BOOL bRostered;
        std::string sFound;
        std::vector<std::string> vAfter;
    };
    const Case a_cases[] = {
        {0, TRUE, "5054", {"Trio: Bob Ray+, Cy Fox+"}},
        {1, TRUE, "5054", {"Trio: Bob Ray+, Cy Fox+"}},
        {2, TRUE, "Trio", {"Trio: Bob Ray+, Ann Lee+", "Quartet: Cy Fox+"}},
        {2, FALSE, "5054", {"Trio: Bob Ray, Cy Fox"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE("level " + std::to_string(c.iLevel) + (c.bRostered ? " rostered" : " fixed"));
        for (const char* s_group : {"Trio", "Quartet"})
            event.GetGroup(s_group).GetMembers().RemoveAll();
        Member("Trio", "Bob Ray", c.bRostered);
        Member("Trio", "Cy Fox", c.bRostered);
        RosterEngine& engine = Start();
        const std::vector<UINT> v_totals = Totals();
        BOOL b_moved = FALSE;
        std::string s_message;
        const Timeslot& slot = event.Slot(0, "Hall", "09:00");
        TimeslotPtr ptr = event.Doc().GetTimetable()->GetDay(0).GetVenueSlots(slot.GetVenue()).GetSlotPtr(0);
        const BOOL b_placed = engine.TryPlace(Part("Ann Lee"), event.StyleKey("Jazz"), s_message, ptr,
                                              event.Doc().GetTimetable()->GetDay(0).GetDayId(), nullptr, nullptr,
                                              b_moved, c.iLevel);
        EXPECT_EQ(b_placed ? "Trio" : (s_message == LoadResString(5054, "?") ? "5054" : s_message), c.sFound);
        EXPECT_EQ(b_moved, b_placed) << "the moved member counts as moved";
        EXPECT_EQ(Memberships(event.Doc()), c.vAfter);
        if (!b_placed) {
            EXPECT_EQ(Totals(), v_totals);
        }
    }
}

// Ann already plays in the Duo on Monday in the barn (fixed) and is to
// join the Trio on Monday in the hall, or else the Quartet on Tuesday in
// the barn.
TEST_F(SearchTest, LimitsAreCheckedWithTheNewMembershipCounted)
{
    struct Case {
        const char* pWhat;
        std::function<void(Participant&)> fSet;
        std::string sFound;
    };
    const LONG l_hall = event.VenueKey("Hall");
    const LONG l_barn = event.VenueKey("Barn");
    auto venue_limit = [](LONG l_venue, UINT u_max) {
        VenueLimit limit(l_venue);
        limit.Limit = SchedLim(SchedLim::e_range, 0, 0, u_max);
        return limit;
    };
    const Case a_cases[] = {
        {"no limits", [](Participant&) {}, "Trio"},
        {"day maximum 1", [](Participant& p) { p.SetDayLimits(SchedLim(SchedLim::e_range, 0, 0, 1)); }, "Quartet"},
        {"day maximum 2", [](Participant& p) { p.SetDayLimits(SchedLim(SchedLim::e_range, 0, 0, 2)); }, "Trio"},
        {"event exactly 1", [](Participant& p) { p.SetEventLimits(SchedLim(SchedLim::e_exact, 1, 0, 0)); }, "5050"},
        {"hall at most 0",
         [&](Participant& p) {
             p.SetUseVenueLimits(TRUE);
             p.GetVenueLimits().InsertSorted(venue_limit(l_hall, 0));
         },
         "Quartet"},
        {"hall at most 0, barn at most 1",
         [&](Participant& p) {
             p.SetUseVenueLimits(TRUE);
             p.GetVenueLimits().InsertSorted(venue_limit(l_hall, 0));
             p.GetVenueLimits().InsertSorted(venue_limit(l_barn, 1));
         },
         "5050"},
        {"venue limits without one for the hall: the event limit is not used",
         [&](Participant& p) {
             p.SetEventLimits(SchedLim(SchedLim::e_exact, 1, 0, 0));
             p.SetUseVenueLimits(TRUE);
             p.GetVenueLimits().InsertSorted(venue_limit(l_barn, 5));
         },
         "Trio"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        Participant& ann = event.GetParticipant("Ann Lee");
        ann.SetDayLimits(SchedLim());
        ann.SetEventLimits(SchedLim());
        ann.SetUseVenueLimits(FALSE);
        ann.GetVenueLimits().RemoveAll();
        c.fSet(ann);
        for (const char* s_group : {"Trio", "Duo", "Quartet"})
            event.GetGroup(s_group).GetMembers().RemoveAll();
        Member("Duo", "Ann Lee", FALSE);
        Start();
        EXPECT_EQ(Find("Ann Lee", "Jazz"), c.sFound);
    }
}

// Ann is not available when the Trio plays; without a timetable, or with
// no locked group of the style, there is nothing to find.
TEST_F(SearchTest, FindSlotNamesWhyNothingWasFound)
{
    event.GetParticipant("Ann Lee")
        .GetUnavailable()
        .AddTime(event.Doc().GetEventDef().GetDayDef().GetDayId(0), testevent::EventBuilder::RelSlot("09:30-10:30"));
    Start();
    EXPECT_EQ(Find("Ann Lee", "Jazz"), "Quartet") << "Tuesday's group, after Monday's refused her";
    event.GetGroup("Quartet").GetMembers().RemoveAll();
    event.Slot(1, "Barn", "09:00").SetLocked(FALSE);
    Start();
    EXPECT_EQ(Find("Ann Lee", "Jazz"), "5051");
    EXPECT_EQ(Find("Ann Lee", "Rock"), "Band");
    event.Slot(1, "Hall", "10:00").SetLocked(FALSE);
    Start();
    EXPECT_EQ(Find("Bob Ray", "Rock"), "5049") << "only locked placements take part";

    testevent::EventBuilder bare;
    SmallEvent(bare).Participant("Ann Lee", Styles(bare, {{"Jazz", 1}}, true));
    RosterEngine engine(&bare.Doc());
    engine.Prepare(TRUE, &bModified, nullptr, nullptr, nullptr, nullptr);
    BOOL b_moved = FALSE;
    std::string s_message;
    EXPECT_EQ(engine.FindSlot(0, bare.StyleKey("Jazz"), b_moved, s_message, nullptr, nullptr), nullptr);
    EXPECT_EQ(s_message, LoadResString(5048, "?"));
}

// A rule is checked with the new membership in place; the message names
// the first rule broken by its place in its list.
TEST_F(SearchTest, SchedulingRulesRefuseWithTheirNumber)
{
    auto limit = [](UINT u_max) {
        return [u_max](SchedRule& rule) { rule.GetLimit() = SchedLim(SchedLim::e_range, 0, 0, u_max); };
    };
    Member("Ring", "Bob Ray", FALSE);
    // Monday 09:00 in both venues, where the Ring has one member already.
    event.DayRule(0, SchedRule::e_limit_participants, {"Hall 09:00-10:00", "Barn 09:00-10:00"}, limit(5));
    Start();
    EXPECT_EQ(Find("Ann Lee", "Jazz"), "Trio");

    event.GetGroup("Trio").GetMembers().RemoveAll();
    event.DayRule(0, SchedRule::e_limit_participants, {"Hall 09:00-10:00", "Barn 09:00-10:00"}, limit(1));
    Start();
    std::string s_message;
    EXPECT_FALSE(pEngine->AddToGroup(Part("Ann Lee"), event.Doc().GetGroups().FindByKey(event.GroupKey("Trio")),
                                     s_message));
    EXPECT_EQ(s_message, "Check day scheduling rule 2.");
    EXPECT_EQ(Find("Ann Lee", "Jazz"), "Quartet");

    event.GetGroup("Quartet").GetMembers().RemoveAll();
    event.VenueRule("Barn", SchedRule::e_limit_participants, {"Tue 09:00-10:00"}, limit(0));
    Start();
    EXPECT_EQ(Find("Ann Lee", "Jazz"), "Check venue scheduling rule 1.") << "the last refusal's reason";
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Ring: Bob Ray"});

    event.GetDayRule(1).SetStrength(SchedRule::e_preference);
    Start();
    EXPECT_EQ(Find("Ann Lee", "Jazz"), "Trio") << "a preference binds nothing";
}

// Rostering moves memberships and nothing else, so a pass may ask each
// rule once what the placements alone decide: a rule the locked
// placements break refuses every membership, venue rules named before day
// rules. A participant limit counts the members of every locked placement
// in its timeslots, a group placed twice twice, as they stand after each
// move.
TEST_F(SearchTest, RulesBrokenByThePlacementsAndLimitsOverEveryPlacement)
{
    auto limit = [](UINT u_max) {
        return [u_max](SchedRule& rule) { rule.GetLimit() = SchedLim(SchedLim::e_range, 0, 0, u_max); };
    };
    const int i_band = event.Doc().GetGroups().FindByKey(event.GroupKey("Band"));
    event.Place(1, "Hall", "11:00", "Band", true);
    Member("Band", "Bob Ray", FALSE);
    struct Case {
        UINT uMax;
        bool bJoins;
    };
    // Band twice with Bob and then Cy: four.
    for (const Case& c : {Case{3, false}, Case{4, true}}) {
        event.Doc().GetSchedulingRules().GetDayRules().RemoveAll();
        event.DayRule(1, SchedRule::e_limit_participants, {"Hall 10:00-11:00", "Hall 11:00-12:00"}, limit(c.uMax));
        Start();
        std::string s_message;
        EXPECT_EQ(pEngine->AddToGroup(Part("Cy Fox"), i_band, s_message) != FALSE, c.bJoins) << c.uMax;
        EXPECT_EQ(s_message, c.bJoins ? "" : "Check day scheduling rule 1.") << c.uMax;
        GroupMembers& members = event.GetGroup("Band").GetMembers();
        if (c.bJoins)
            members.RemoveAt(members.Find(event.ParticipantKey("Cy Fox")));
    }

    // Monday 09:00 holds the Trio (Jazz) and the Ring (Folk).
    event.DayRule(0, SchedRule::e_same_styles, {"Hall 09:00-10:00", "Barn 09:00-10:00"});
    Start();
    std::string s_message;
    EXPECT_FALSE(pEngine->AddToGroup(Part("Ann Lee"), i_band, s_message));
    EXPECT_EQ(s_message, "Check day scheduling rule 2.");
    event.VenueRule("Hall", SchedRule::e_different_groups, {"Tue 10:00-11:00", "Tue 11:00-12:00"});
    Start();
    EXPECT_FALSE(pEngine->AddToGroup(Part("Ann Lee"), i_band, s_message));
    EXPECT_EQ(s_message, "Check venue scheduling rule 1.");
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Bob Ray"});
}

// Ann already holds Folk in the Duo (Monday 11:00, fixed). Where her Jazz
// may go depends on the order numbers: a later order starts after the
// end of an earlier one, an earlier order ends before the start of a later
// one, equal orders do not bound each other.
TEST_F(SearchTest, StylesOfDifferentOrdersKeepTheirOrderInTime)
{
    struct Case {
        int iJazz;
        int iFolk;
        std::string sFound;
    };
    const Case a_cases[] = {
        {1, 2, "Trio"},    // Monday 09:00 ends before 11:00
        {1, 1, "Trio"},    // no bound
        {2, 1, "Quartet"}, // Tuesday, after Monday noon
        {3, 1, "Quartet"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE("Jazz " + std::to_string(c.iJazz) + ", Folk " + std::to_string(c.iFolk));
        Participant& ann = event.GetParticipant("Ann Lee");
        ann.GetOwnRosterStyles().RemoveAll();
        ann.GetOwnRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Jazz"), c.iJazz));
        ann.GetOwnRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Folk"), c.iFolk));
        for (const char* s_group : {"Trio", "Quartet", "Duo"})
            event.GetGroup(s_group).GetMembers().RemoveAll();
        Member("Duo", "Ann Lee", FALSE);
        Start();
        EXPECT_TRUE(pEngine->SearchParticipant(Part("Ann Lee"), nullptr, 0, event.StyleKey("Jazz")));
        const std::vector<std::string> v_lines = Memberships(event.Doc());
        EXPECT_NE(std::find(v_lines.begin(), v_lines.end(), c.sFound + ": Ann Lee+"), v_lines.end());
    }

    // With Monday's Trio the only Jazz group, a Jazz after Folk cannot be
    // placed at all.
    event.Slot(1, "Barn", "09:00").SetLocked(FALSE);
    event.GetGroup("Quartet").GetMembers().RemoveAll();
    Start();
    EXPECT_FALSE(pEngine->SearchParticipant(Part("Ann Lee"), nullptr, 2, event.StyleKey("Jazz")));
}

TEST(SearchLevels, HaveTheirNames)
{
    EXPECT_EQ(RosterEngine::GetSearchLevelName(0, FALSE), "Basic search");
    EXPECT_EQ(RosterEngine::GetSearchLevelName(1, TRUE), "(Level 2 search)");
    EXPECT_EQ(RosterEngine::GetSearchLevelName(2, FALSE), "Maximum search");
    EXPECT_EQ(RosterEngine::GetSearchLevelName(3, TRUE), "");
}

} // namespace
