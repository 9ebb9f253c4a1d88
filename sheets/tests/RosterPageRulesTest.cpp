// The participant Rostering page: rank arithmetic, the style list's order
// and tools, the role controls, the limit and saving into the usual role.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Participant.h"
#include "sheets/RosterPageRules.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using testevent::EventBuilder;

constexpr LONG P = 11, Q = 12, R = 13, S = 14;

StyleSelectArray Ranked(std::initializer_list<std::pair<LONG, LONG>> a_styles)
{
    RosterStyleArray a_roster;
    for (const auto& [l_key, l_rank] : a_styles)
        a_roster.InsertSorted(RosterStyle(l_key, l_rank));
    StyleSelectArray selection;
    selection.Load(a_roster);
    return selection;
}

std::map<LONG, LONG> Ranks(const StyleSelectArray& selection)
{
    std::map<LONG, LONG> m_ranks;
    for (int i = 0; i < selection.GetSize(); ++i)
        m_ranks[selection[i].lStyleKey] = selection[i].lRank;
    return m_ranks;
}

TEST(RosterPageRules, RankArithmetic)
{
    struct Case {
        const char* pName;
        StyleSelectArray Start;
        std::function<void(StyleSelectArray&)> fDo;
        std::map<LONG, LONG> Expected;
    };
    const Case a_cases[] = {
        {"check joins after the highest", Ranked({{P, 1}, {Q, 1}}), [](auto& s) { s.Add(R); },
         {{P, 1}, {Q, 1}, {R, 2}}},
        {"first check is rank 1", Ranked({}), [](auto& s) { s.Add(P); }, {{P, 1}}},
        {"uncheck the only style of rank 1", Ranked({{P, 1}, {Q, 2}, {R, 3}}), [](auto& s) { s.Remove(P); },
         {{Q, 1}, {R, 2}}},
        {"uncheck renumbers shared ranks together", Ranked({{P, 1}, {Q, 2}, {R, 3}, {S, 3}}),
         [](auto& s) { s.Remove(Q); }, {{P, 1}, {R, 2}, {S, 2}}},
        {"{P}{Q} down on P", Ranked({{P, 1}, {Q, 2}}), [](auto& s) { s.MoveOne(P, FALSE); }, {{Q, 1}, {P, 2}}},
        {"{P}{Q}{R} down on P", Ranked({{P, 1}, {Q, 2}, {R, 3}}), [](auto& s) { s.MoveOne(P, FALSE); },
         {{Q, 1}, {P, 2}, {R, 2}}},
        {"{P}{Q}{R} down on Q swaps with R", Ranked({{P, 1}, {Q, 2}, {R, 3}}),
         [](auto& s) { s.MoveOne(Q, FALSE); }, {{P, 1}, {R, 2}, {Q, 3}}},
        {"{P,Q}{R} down on P merges", Ranked({{P, 1}, {Q, 1}, {R, 2}}), [](auto& s) { s.MoveOne(P, FALSE); },
         {{Q, 1}, {P, 2}, {R, 2}}},
        {"{P}{Q} up on Q merges", Ranked({{P, 1}, {Q, 2}}), [](auto& s) { s.MoveOne(Q, TRUE); }, {{P, 1}, {Q, 1}}},
        {"up on the first rank stays", Ranked({{P, 1}, {Q, 2}}), [](auto& s) { s.MoveOne(P, TRUE); },
         {{P, 1}, {Q, 2}}},
        {"unselected style does not move", Ranked({{P, 1}, {Q, 2}}), [](auto& s) { s.MoveOne(R, FALSE); },
         {{P, 1}, {Q, 2}}},
    };
    for (const Case& c : a_cases) {
        StyleSelectArray selection = c.Start;
        c.fDo(selection);
        EXPECT_EQ(Ranks(selection), c.Expected) << c.pName;
        for (int i = 1; i < selection.GetSize(); ++i)
            EXPECT_LE(selection[i - 1].lRank, selection[i].lRank) << c.pName;
    }
}

TEST(RosterPageRules, SeveralStylesMoveAsTheStylesChosenBeforeTheFirstMove)
{
    // P and R chosen in {P}{Q}{R}{S}: P moves down ({Q}{P,R}{S}), then R,
    // though the re-sort moved it out of its old row, moves down too.
    StyleSelectArray selection = Ranked({{P, 1}, {Q, 2}, {R, 3}, {S, 4}});
    selection.MoveStyles({P, R}, FALSE);
    StyleSelectArray one_by_one = Ranked({{P, 1}, {Q, 2}, {R, 3}, {S, 4}});
    one_by_one.MoveOne(P, FALSE);
    one_by_one.MoveOne(R, FALSE);
    EXPECT_EQ(Ranks(selection), Ranks(one_by_one));
    EXPECT_EQ(Ranks(selection), (std::map<LONG, LONG>{{Q, 1}, {P, 2}, {R, 3}, {S, 3}}));
}

TEST(RosterPageRules, RowOrderAndTools)
{
    const StyleRow a{2, "Bass"}, b{1, "Drums"}, none_a{0, "Alto"}, none_z{0, "Zither"};
    EXPECT_GT(CompareStyleRows(a, b, 0, true), 0);
    EXPECT_LT(CompareStyleRows(a, none_a, 0, true), 0);
    EXPECT_LT(CompareStyleRows(none_a, none_z, 0, true), 0);
    EXPECT_GT(CompareStyleRows(a, none_a, 0, false), 0);
    EXPECT_LT(CompareStyleRows(none_a, b, 2, true), 0);

    struct Case {
        std::vector<LONG> vRanks;
        BOOL bInOrder;
    };
    const Case a_cases[] = {{{1, 1, 2, 0, 0}, TRUE}, {{}, TRUE},       {{0, 1}, FALSE},
                            {{2, 1}, FALSE},          {{1, 3}, FALSE}, {{1, 0, 2}, FALSE}};
    for (const Case& c : a_cases)
        EXPECT_EQ(RowsInRankOrder(c.vRanks), c.bInOrder) << c.vRanks.size();

    // Move needs a selected row with a style, more than one style, and the
    // ranks in order; Order needs a selection, a style and ranks out of order.
    EXPECT_TRUE(GetRosterTools({1, 2, 0}, {1}, 2).bMove);
    EXPECT_FALSE(GetRosterTools({1, 2, 0}, {2}, 2).bMove);
    EXPECT_FALSE(GetRosterTools({1, 0, 0}, {0}, 1).bMove);
    EXPECT_FALSE(GetRosterTools({1, 2, 0}, {1}, 2).bOrder);
    const RosterTools unsorted = GetRosterTools({0, 2, 1}, {0}, 2);
    EXPECT_FALSE(unsorted.bMove);
    EXPECT_TRUE(unsorted.bOrder);
    EXPECT_FALSE(GetRosterTools({0, 2, 1}, {}, 2).bOrder);
}

TEST(RosterPageRules, LimitBoxesAndLimit)
{
    UINT u_value = 0;
    std::string s_error;
    EXPECT_TRUE(ParseRosterCount("9999", u_value, s_error));
    EXPECT_FALSE(ParseRosterCount("10000", u_value, s_error));
    EXPECT_EQ(s_error, "Please enter an integer between 0 and 9999.");
    EXPECT_FALSE(ParseRosterCount("x", u_value, s_error));

    RosterPageState state;
    state.WriteLimit(SchedLim::e_range, 0, 3, 0);
    UINT u_exact = 0, u_min = 0, u_max = 0;
    state.ShownValues(u_exact, u_min, u_max);
    // A maximum below the minimum is shown as held.
    EXPECT_EQ(u_min, 3u);
    EXPECT_EQ(u_max, 0u);
    state.WriteLimit(SchedLim::e_range, 0, 1, 150000);
    EXPECT_EQ(state.Limit.uMax, kMaxRosterLimitValue);
    state.WriteLimit(SchedLim::e_exact, 2, 7, 7);
    EXPECT_EQ(state.Limit.uValue, 2u);
    EXPECT_EQ(state.Limit.uMin, 1u);
}

struct RosterEvent {
    RosterEvent()
    {
        event.Days({"Mon"}).Style("Bass").Style("Drums").Style("Keys").Group("Band").GroupStyles(
            "Band", {"Bass", "Drums", "Keys"});
        event.Participant("Ann Lee");
    }
    LONG AddRole(const std::string& s_name, std::initializer_list<std::string> a_styles)
    {
        const LONG l_key = event.Doc().AddParticipantRole(s_name);
        ParticipantRoleList& roles = event.Doc().GetParticipantRoles();
        ParticipantRole& role = roles[roles.FindByKey(l_key)];
        LONG l_order = 1;
        for (const std::string& s : a_styles)
            role.GetRosterStyles().InsertSorted(RosterStyle(event.StyleKey(s), l_order++));
        return l_key;
    }
    EventBuilder event;
};

TEST(RosterPageRules, RefreshTable)
{
    struct Case {
        const char* pName;
        bool bGroupStyles;
        bool bRoleWithStyles;
        bool bUsualRoleHasStyles;
        bool bFollowsRole;
        int iMode;
        BOOL bRoleRadio;
        BOOL bList;
        BOOL bRoleArea;
        const char* pButton;
    };
    const Case a_cases[] = {
        {"no group styles", false, true, true, true, 0, FALSE, FALSE, FALSE, ""},
        {"no role with styles", true, false, false, true, 1, FALSE, TRUE, TRUE, "&Add"},
        {"follows a role", true, true, true, true, 0, TRUE, FALSE, FALSE, ""},
        {"own styles, usual role has styles", true, true, true, false, 1, TRUE, TRUE, TRUE, "&Update"},
        {"own styles, usual role without", true, true, false, false, 1, TRUE, TRUE, TRUE, "&Add"},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        event.Days({"Mon"}).Style("Bass").Group("Band");
        if (c.bGroupStyles)
            event.GroupStyles("Band", {"Bass"});
        EventDoc& doc = event.Doc();
        const auto f_role = [&](const std::string& s_name, bool b_styles) {
            const LONG l_key = doc.AddParticipantRole(s_name);
            ParticipantRoleList& roles = doc.GetParticipantRoles();
            if (b_styles)
                roles[roles.FindByKey(l_key)].GetRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Bass"), 1));
            return l_key;
        };
        const LONG l_other = f_role("Other", c.bRoleWithStyles);
        const LONG l_usual = f_role("Usual", c.bUsualRoleHasStyles);
        Participant participant;
        participant.SetUsualRoleKey(l_usual);
        participant.SetByRole(c.bFollowsRole ? TRUE : FALSE);
        participant.SetRosterRoleKey(l_other);

        RosterPageState state;
        state.Load(participant, doc);
        state.RefreshMode(participant, doc);
        if (c.bGroupStyles) {
            EXPECT_EQ(state.iMode, c.iMode) << c.pName;
        }
        const RosterControls controls = state.GetControls(participant, doc);
        EXPECT_EQ(controls.bRoleRadio, c.bRoleRadio) << c.pName;
        EXPECT_EQ(controls.bStyleRadio, c.bGroupStyles ? TRUE : FALSE) << c.pName;
        EXPECT_EQ(controls.bList, c.bList) << c.pName;
        EXPECT_EQ(controls.bCombo, c.bGroupStyles && c.iMode == 0 ? TRUE : FALSE) << c.pName;
        EXPECT_EQ(controls.bRoleAreaShown, c.bRoleArea) << c.pName;
        EXPECT_EQ(controls.sRoleButton, c.pButton) << c.pName;
        if (c.bRoleArea && std::string(c.pButton) == "&Add") {
            // Add waits for a style to be checked.
            EXPECT_EQ(controls.bRoleButtonEnabled, state.Selection.GetSize() > 0) << c.pName;
            EXPECT_EQ(controls.sRoleText, "Add these roster settings for role 'Usual'.") << c.pName;
        }
        if (controls.bRoleAreaShown && std::string(c.pButton) == "&Update") {
            EXPECT_EQ(controls.sRoleText, "Update role 'Usual' with these roster settings.") << c.pName;
        }
    }
}

TEST(RosterPageRules, ComboEntriesAndTheEntrySelected)
{
    RosterEvent f;
    const LONG l_strings = f.AddRole("Strings", {"Bass"});
    f.AddRole("Empty", {});
    const LONG l_beat = f.AddRole("Beat", {"Drums"});
    const auto v_entries = RosterPageState::RoleEntries(f.event.Doc());
    ASSERT_EQ(v_entries.size(), 2u);
    EXPECT_EQ(v_entries[0].first, "Beat");
    EXPECT_EQ(v_entries[1].first, "Strings");

    Participant participant;
    participant.SetUsualRoleKey(l_strings);
    EXPECT_EQ(RosterPageState::RoleEntryToSelect(v_entries, participant), 1);
    participant.SetByRole(TRUE);
    participant.SetRosterRoleKey(l_beat);
    EXPECT_EQ(RosterPageState::RoleEntryToSelect(v_entries, participant), 0);
    participant.SetRosterRoleKey(9999);
    EXPECT_EQ(RosterPageState::RoleEntryToSelect(v_entries, participant), 0);
}

TEST(RosterPageRules, TakingARoleAndSavingEitherMode)
{
    RosterEvent f;
    const LONG l_role = f.AddRole("Strings", {"Bass", "Keys"});
    EventDoc& doc = f.event.Doc();
    ParticipantRoleList& roles = doc.GetParticipantRoles();
    roles[roles.FindByKey(l_role)].SetRosterLim(RosterLim(SchedLim(SchedLim::e_exact, 1, 0, 0)));

    Participant participant;
    RosterPageState state;
    state.TakeRole(doc, l_role);
    EXPECT_EQ(state.iMode, 0);
    EXPECT_EQ(state.Selection.GetSize(), 2);
    EXPECT_EQ(state.Limit.uType, (UINT)SchedLim::e_exact);
    BOOL b_changed = FALSE;
    state.Save(participant, state.lChosenRole, &b_changed);
    EXPECT_TRUE(b_changed);
    EXPECT_TRUE(participant.GetByRole());
    EXPECT_EQ(participant.GetRosterRoleKey(), l_role);

    // Style mode: the participant's effective styles (the role's), then
    // its own.
    state.TakeParticipant(participant, doc);
    EXPECT_EQ(state.iMode, 1);
    state.Selection.Add(f.event.StyleKey("Drums"));
    state.Save(participant, -1, nullptr);
    EXPECT_FALSE(participant.GetByRole());
    EXPECT_TRUE(participant.GetOrdered());
    const RosterStyleArray& own = participant.GetOwnRosterStyles();
    ASSERT_EQ(own.GetSize(), 3);
    EXPECT_EQ(own[2].lStyleKey, f.event.StyleKey("Drums"));
    EXPECT_EQ(own[2].lOrder, 3);

    // Role mode with nothing chosen leaves the role settings alone.
    RosterPageState unchosen;
    unchosen.iMode = 0;
    unchosen.Save(participant, -1, nullptr);
    EXPECT_FALSE(participant.GetByRole());
}

// A page loaded and saved as it was leaves every roster field of the
// participant as stored, whichever mode it showed: a participant that
// follows a role keeps following it even when the page can only show it
// in style mode, and own styles and limit hidden behind a role stay. Any
// edit on the page is still saved.
TEST(RosterPageRules, SavingWhatWasLoadedChangesNothing)
{
    struct Case {
        const char* pName;
        bool bFollowedRoleStyles;
        bool bOtherRoleStyles;
        bool bByRole;
        int iMode;
    };
    const Case a_cases[] = {
        {"follows a role, no role has styles", false, false, true, 1},
        {"follows a role without styles, another has", false, true, true, 0},
        {"follows a role with styles", true, false, true, 0},
        {"own styles, a role has styles", true, true, false, 1},
        {"own styles, no role has styles", false, false, false, 1},
    };
    for (const Case& c : a_cases) {
        RosterEvent f;
        EventDoc& doc = f.event.Doc();
        const LONG l_followed = f.AddRole("Leader", {});
        const LONG l_other = f.AddRole("Caller", {});
        ParticipantRoleList& roles = doc.GetParticipantRoles();
        if (c.bFollowedRoleStyles)
            roles[roles.FindByKey(l_followed)].GetRosterStyles().InsertSorted(RosterStyle(f.event.StyleKey("Keys"), 1));
        if (c.bOtherRoleStyles)
            roles[roles.FindByKey(l_other)].GetRosterStyles().InsertSorted(RosterStyle(f.event.StyleKey("Bass"), 1));
        roles[roles.FindByKey(l_followed)].SetRosterLim(RosterLim(SchedLim(SchedLim::e_exact, 1, 0, 0)));

        // Every roster field stored, the hidden ones unlike what a save
        // would write: unordered own styles, a limit with stray fields.
        Participant participant;
        participant.SetUsualRoleKey(l_followed);
        participant.SetByRole(c.bByRole ? TRUE : FALSE);
        participant.SetRosterRoleKey(l_followed);
        participant.GetOwnRosterStyles().InsertSorted(RosterStyle(f.event.StyleKey("Drums"), 1));
        participant.GetOwnRosterStyles().InsertSorted(RosterStyle(f.event.StyleKey("Bass"), 1));
        participant.SetOrdered(FALSE);
        participant.SetOwnRosterLim(RosterLim(SchedLim(SchedLim::e_range, 7, 1, 2)));
        const Participant before(participant);

        RosterPageState state;
        state.Load(participant, doc);
        state.RefreshMode(participant, doc);
        EXPECT_EQ(state.iMode, c.iMode) << c.pName;
        BOOL b_changed = FALSE;
        state.Save(participant, state.lChosenRole, &b_changed);
        EXPECT_TRUE(b_changed) << c.pName;
        EXPECT_TRUE(SameStoredForm(participant, before)) << c.pName;

        // Style mode left for a role and taken again is no edit either.
        if (c.iMode == 1) {
            state.TakeRole(doc, l_other);
            state.TakeParticipant(participant, doc);
            state.Save(participant, -1, nullptr);
            EXPECT_TRUE(SameStoredForm(participant, before)) << c.pName;
        }

        // An edited limit is saved, in style mode with the page's styles.
        RosterPageState edited;
        edited.Load(participant, doc);
        edited.RefreshMode(participant, doc);
        edited.TakeParticipant(participant, doc);
        edited.WriteLimit(SchedLim::e_exact, 2, 0, 0);
        edited.Save(participant, -1, nullptr);
        EXPECT_EQ(participant.GetOwnRosterLim().uValue, 2u) << c.pName;
        EXPECT_FALSE(participant.GetByRole()) << c.pName;
    }
}

TEST(RosterPageRules, SavingIntoTheUsualRole)
{
    struct Case {
        const char* pName;
        RosterLim Limit;
        int iAnswer;
        const char* pFirstBox;
        bool bSaved;
    };
    const Case a_cases[] = {
        {"maximum below minimum", RosterLim(SchedLim(SchedLim::e_range, 0, 3, 1)), IDYES,
         "Your settings are not valid.  The roster maximum limit is less than the roster minimum limit.", false},
        {"exact above the styles", RosterLim(SchedLim(SchedLim::e_exact, 3, 0, 0)), IDYES,
         "Your settings are not valid.  The roster exact limit is greater than the number of styles selected.",
         false},
        {"minimum above the styles", RosterLim(SchedLim(SchedLim::e_range, 0, 3, 4)), IDYES,
         "Your settings are not valid.  The roster minimum limit is greater than the number of styles selected.",
         false},
        {"asked, No", RosterLim(SchedLim(SchedLim::e_exact, 2, 0, 0)), IDNO,
         "This will change the roster settings for every participant with the role 'Strings'.  Are you sure you "
         "want to do this?",
         false},
        {"asked, Yes", RosterLim(SchedLim(SchedLim::e_exact, 2, 0, 0)), IDYES, "", true},
    };
    for (const Case& c : a_cases) {
        RosterEvent f;
        const LONG l_role = f.AddRole("Strings", {});
        EventDoc& doc = f.event.Doc();
        Participant participant;
        participant.SetUsualRoleKey(l_role);
        RosterPageState state;
        state.iMode = 1;
        state.Selection.Add(f.event.StyleKey("Bass"));
        state.Selection.Add(f.event.StyleKey("Keys"));
        state.Limit = c.Limit;

        ScriptedMessageBox boxes;
        boxes.Answer(c.iAnswer);
        EXPECT_EQ(state.SaveIntoRole(doc, participant) != FALSE, c.bSaved) << c.pName;
        ASSERT_FALSE(boxes.Boxes().empty()) << c.pName;
        if (*c.pFirstBox != '\0') {
            EXPECT_EQ(boxes.Boxes()[0].sText, c.pFirstBox) << c.pName;
        }
        const ParticipantRole& role = doc.GetParticipantRoles()[doc.GetParticipantRoles().FindByKey(l_role)];
        EXPECT_EQ(role.GetRosterStyles().GetSize(), c.bSaved ? 2 : 0) << c.pName;
        if (c.bSaved) {
            EXPECT_TRUE(role.GetOrdered());
            EXPECT_EQ(role.GetRosterLim().uValue, 2u);
            EXPECT_EQ(state.iMode, 0);
            EXPECT_EQ(state.lChosenRole, l_role);
        }
    }

    // No usual role: nothing asked, nothing saved.
    RosterEvent f;
    ScriptedMessageBox boxes;
    RosterPageState state;
    EXPECT_FALSE(state.SaveIntoRole(f.event.Doc(), Participant()));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(RosterPageRules, PreferencesModeEnablesOnlyTheLimit)
{
    RosterEvent f;
    RosterPageState state(TRUE);
    state.Limit = RosterLim(SchedLim(SchedLim::e_range, 0, 1, 2));
    const RosterControls controls = state.GetControls(Participant(), f.event.Doc());
    EXPECT_TRUE(controls.bLimitControls);
    EXPECT_TRUE(controls.bMinBox);
    EXPECT_FALSE(controls.bExactBox);
    EXPECT_FALSE(controls.bList || controls.bCombo || controls.bRoleRadio || controls.bStyleRadio);
    EXPECT_FALSE(controls.bRoleAreaShown);
}

// The page's own check of its limit, whatever the styles: a range whose
// maximum is below its minimum is refused unless the participant was opened
// with it, and a later load (the page come back to after the range was
// left refused) does not make it the opened one.
TEST(RosterPageRules, RangeBelowItsMinimumRefusedUnlessOpenedWithIt)
{
    const RosterLim range13(SchedLim(SchedLim::e_range, 0, 1, 3));
    const RosterLim range52(SchedLim(SchedLim::e_range, 0, 5, 2));
    const RosterLim noneStale52(SchedLim(SchedLim::e_no_limits, 0, 5, 2));
    struct Case {
        const char* pName;
        RosterLim Opened;
        UINT uType, uMin, uMax;
        bool bReloaded;
        bool bPasses;
    };
    const Case a_cases[] = {
        {"typed range in order", RosterLim(), SchedLim::e_range, 2, 5, false, true},
        {"typed maximum below minimum", range13, SchedLim::e_range, 5, 2, false, false},
        {"range chosen over stale boxes", noneStale52, SchedLim::e_range, 5, 2, false, false},
        {"exact over stale boxes", noneStale52, SchedLim::e_exact, 5, 2, false, true},
        {"opened with it", range52, SchedLim::e_range, 5, 2, false, true},
        {"typed, left refused, come back", range13, SchedLim::e_range, 5, 2, true, false},
    };
    for (const Case& c : a_cases) {
        RosterEvent f;
        EventDoc& doc = f.event.Doc();
        Participant participant = f.event.GetParticipant("Ann Lee");
        participant.SetOwnRosterLim(c.Opened);
        RosterPageState state;
        state.Load(participant, doc);
        state.RefreshMode(participant, doc);
        state.WriteLimit(c.uType, c.uMin, c.uMin, c.uMax);
        if (c.bReloaded) {
            state.Save(participant, -1, nullptr);
            state.Load(participant, doc);
            state.RefreshMode(participant, doc);
        }
        std::string s_message;
        EXPECT_EQ(state.CheckLimit(s_message) != FALSE, c.bPasses) << c.pName;
        EXPECT_EQ(s_message, c.bPasses ? "" : "The roster maximum limit is less than the roster minimum limit.")
            << c.pName;
    }
}

} // namespace
