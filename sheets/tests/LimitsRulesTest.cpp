// The Limits page's rules over a small event: item data, what a selection
// shows, what the buttons write, the defaults, and what saving does to a
// group or participant.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "sheets/LimitsRules.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

namespace {

SchedLim None() { return SchedLim(); }
SchedLim Exact(UINT u) { return SchedLim(SchedLim::e_exact, u, 0, 0); }
SchedLim Range(UINT u_min, UINT u_max) { return SchedLim(SchedLim::e_range, 0, u_min, u_max); }
DWORD VenueItem(LONG l_key) { return LimitItemData(e_limit_item_venue, static_cast<DWORD>(l_key)); }

VenueLimit MakeVenueLimit(LONG l_key, const SchedLim& limit)
{
    VenueLimit entry(l_key);
    entry.Limit = limit;
    return entry;
}

TEST(LimitsRules, ItemDataPacksTheKindInTheTopBits)
{
    struct Case {
        UINT uKind;
        DWORD uValue;
        DWORD uData;
    };
    const Case a_cases[] = {
        {e_limit_item_event, kLimitItemNoVenue, 0x18000000u},
        {e_limit_item_day, kLimitItemNoVenue, 0x28000000u},
        {e_limit_item_venue, 0, 0x30000000u},
        {e_limit_item_venue, 0x0FFFFFFFu, 0x3FFFFFFFu},
        // A value too wide for 28 bits loses its top bits, never the kind.
        {e_limit_item_venue, 0x1000000Au, 0x3000000Au},
    };
    for (const Case& c : a_cases) {
        EXPECT_EQ(LimitItemData(c.uKind, c.uValue), c.uData) << c.uKind;
        EXPECT_EQ(LimitItemKind(c.uData), c.uKind);
        EXPECT_EQ(LimitItemValue(c.uData), c.uData & 0x0FFFFFFFu);
    }
    EXPECT_EQ(kEventItemData, 0x18000000u);
    EXPECT_EQ(kDayItemData, 0x28000000u);
}

TEST(LimitsRules, BoxTextIsANumberFromZeroTo99999)
{
    struct Case {
        const char* pText;
        bool bOk;
        UINT uValue;
        const char* pError;
    };
    const Case a_cases[] = {
        {"0", true, 0, ""},
        {" 42 ", true, 42, ""},
        {"99999", true, 99999, ""},
        {"100000", false, 0, "Please enter an integer between 0 and 99999."},
        {"99999999999999999999999", false, 0, "Please enter an integer between 0 and 99999."},
        {"", false, 0, "Please enter a positive integer."},
        {"-1", false, 0, "Please enter a positive integer."},
        {"3x", false, 0, "Please enter a positive integer."},
    };
    for (const Case& c : a_cases) {
        UINT u_value = 7;
        std::string s_error;
        EXPECT_EQ(ParseLimitValue(c.pText, u_value, s_error) != FALSE, c.bOk) << c.pText;
        EXPECT_EQ(u_value, c.bOk ? c.uValue : 7u) << c.pText;
        EXPECT_EQ(s_error, c.pError) << c.pText;
    }
}

TEST(LimitsRules, VenueItemsAreSortedByTheirNamesBytes)
{
    testevent::EventBuilder event;
    event.Venue("hall").Venue("Annex").Venue("\xC9tage").Venue("Barn");
    const auto v_items = LimitVenueItems(event.Doc());
    std::vector<std::string> v_names;
    for (const auto& item : v_items) {
        v_names.push_back(item.first);
        EXPECT_EQ(item.second, event.VenueKey(item.first));
    }
    EXPECT_EQ(v_names, (std::vector<std::string>{"Annex", "Barn", "hall", "\xC9tage"}));
}

class LimitsStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Venue("Hall").Venue("Tent").Venue("Barn");
        lHall = event.VenueKey("Hall");
        lTent = event.VenueKey("Tent");
        lBarn = event.VenueKey("Barn");
    }

    testevent::EventBuilder event;
    LONG lHall = 0;
    LONG lTent = 0;
    LONG lBarn = 0;
};

TEST_F(LimitsStateTest, SelectionShowsItsLimitsOrWhyItCannotBeEdited)
{
    struct Case {
        const char* pName;
        BOOL bVenueLimits;
        std::vector<DWORD> vSelected;
        BOOL bEnabled;
        int iChecked;
        BOOL bMixed;
        UINT uExact, uMin, uMax;
    };
    LimitsState state;
    state.EventLimits = Exact(4);
    state.DayLimits = Range(1, 2);
    state.VenueLimits.InsertSorted(MakeVenueLimit(lHall, Range(2, 1)));  // maximum below minimum
    state.VenueLimits.InsertSorted(MakeVenueLimit(lTent, Exact(3)));
    const DWORD u_hall = VenueItem(lHall), u_tent = VenueItem(lTent), u_barn = VenueItem(lBarn);
    const std::vector<Case> v_cases = {
        {"nothing", FALSE, {}, FALSE, e_limits_button_none, FALSE, 0, 0, 0},
        {"event", FALSE, {kEventItemData}, TRUE, e_limits_exact, FALSE, 4, 0, 0},
        {"day", FALSE, {kDayItemData}, TRUE, e_limits_range, FALSE, 0, 1, 2},
        {"event and day: two kinds", FALSE, {kEventItemData, kDayItemData}, FALSE, e_limits_button_none, FALSE, 4, 0,
         0},
        {"event while venues have limits", TRUE, {kEventItemData}, FALSE, e_limits_button_none, FALSE, 4, 0, 0},
        {"venue with a range: maximum below the minimum shown as held", TRUE, {u_hall}, TRUE, e_limits_range, FALSE,
         0, 2, 1},
        {"venue without an entry", TRUE, {u_barn}, TRUE, e_limits_no_limits, FALSE, 0, 0, 0},
        {"venue and day: two kinds", TRUE, {u_hall, kDayItemData}, FALSE, e_limits_button_none, FALSE, 0, 2, 1},
        {"venues that differ", TRUE, {u_hall, u_tent, u_barn}, TRUE, e_limits_button_none, TRUE, 0, 2, 1},
        {"venue item while venue limits are off", FALSE, {u_tent}, FALSE, e_limits_button_none, FALSE, 0, 2, 1},
    };
    for (const Case& c : v_cases) {
        state.bEnableVenueLimits = c.bVenueLimits;
        const LimitsShown shown = state.Update(c.vSelected);
        EXPECT_EQ(shown.bEnabled, c.bEnabled) << c.pName;
        if (c.bEnabled) {
            EXPECT_EQ(shown.iChecked, c.iChecked) << c.pName;
        }
        EXPECT_EQ(shown.bMixed, c.bMixed) << c.pName;
        EXPECT_EQ(state.bMixed, c.bMixed) << c.pName;
        if (!c.vSelected.empty()) {
            EXPECT_EQ(state.uExact, c.uExact) << c.pName;
            EXPECT_EQ(state.uMin, c.uMin) << c.pName;
            EXPECT_EQ(state.uMax, c.uMax) << c.pName;
        }
        if (c.bMixed) {
            EXPECT_FALSE(shown.bExactEnabled || shown.bMinEnabled || shown.bMaxEnabled) << c.pName;
        }
    }
    // Looking at a venue gave it an entry without limits.
    const int i_barn = state.VenueLimits.FindKey(lBarn);
    ASSERT_GE(i_barn, 0);
    EXPECT_EQ(state.VenueLimits[i_barn].Limit, None());
}

TEST_F(LimitsStateTest, ButtonsWriteIntoEverySelectedItemThatCanTakeThem)
{
    LimitsState state;
    state.bEnableVenueLimits = TRUE;
    state.VenueLimits.InsertSorted(MakeVenueLimit(lHall, Exact(1)));
    state.VenueLimits.InsertSorted(MakeVenueLimit(lTent, Range(0, 9)));
    const std::vector<DWORD> v_venues = {VenueItem(lHall), VenueItem(lTent), VenueItem(lBarn)};

    // Three venues that differ: nothing checked and the boxes empty; then
    // "Schedule exactly" with 2 typed gives all three exactly 2.
    ASSERT_TRUE(state.Update(v_venues).bMixed);
    state.uExact = 2;
    state.Apply(v_venues, e_limits_exact);
    ASSERT_EQ(state.VenueLimits.GetSize(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(state.VenueLimits[i].Limit, Exact(2)) << i;

    // A range is kept to 99999 at most.
    state.uMin = 5;
    state.uMax = 150000;
    state.Apply({VenueItem(lHall)}, e_limits_range);
    EXPECT_EQ(state.VenueLimits[state.VenueLimits.FindKey(lHall)].Limit, Range(5, 99999));

    // "No limits" removes the venues' entries.
    state.Apply({VenueItem(lHall), VenueItem(lBarn)}, e_limits_no_limits);
    ASSERT_EQ(state.VenueLimits.GetSize(), 1);
    EXPECT_EQ(state.VenueLimits[0].lVenueKey, lTent);

    // "Event" takes nothing while the venues have limits; "Day" does.
    state.uExact = 6;
    state.Apply({kEventItemData, kDayItemData}, e_limits_exact);
    EXPECT_EQ(state.EventLimits, None());
    EXPECT_EQ(state.DayLimits, Exact(6));
    // No checked button writes nothing.
    state.Apply({kDayItemData}, e_limits_button_none);
    EXPECT_EQ(state.DayLimits, Exact(6));

    // Without venue limits the event takes it and venue items are skipped.
    state.bEnableVenueLimits = FALSE;
    state.Apply({kEventItemData, VenueItem(lTent)}, e_limits_exact);
    EXPECT_EQ(state.EventLimits, Exact(6));
    EXPECT_EQ(state.VenueLimits[0].Limit, Exact(2));
}

TEST_F(LimitsStateTest, DefaultsCopyAllOrTheSelection)
{
    LimitsDefaults defaults;
    defaults.EventLimits = Exact(3);
    defaults.DayLimits = Range(1, 2);
    defaults.bUseVenueLimits = TRUE;
    defaults.VenueLimits.InsertSorted(MakeVenueLimit(lTent, Exact(7)));

    LimitsState state;
    state.bEnableVenueLimits = TRUE;
    state.VenueLimits.InsertSorted(MakeVenueLimit(lHall, Exact(1)));
    state.DefaultSelection({VenueItem(lHall), VenueItem(lTent), kDayItemData}, defaults, TRUE);
    EXPECT_EQ(state.VenueLimits[state.VenueLimits.FindKey(lHall)].Limit, None());
    EXPECT_EQ(state.VenueLimits[state.VenueLimits.FindKey(lTent)].Limit, Exact(7));
    EXPECT_EQ(state.DayLimits, Range(1, 2));
    EXPECT_EQ(state.EventLimits, None());

    // Without the venue check box the venue limits stay as they are.
    LimitsState no_venues;
    no_venues.VenueLimits.InsertSorted(MakeVenueLimit(lHall, Exact(1)));
    no_venues.DefaultAll(defaults, FALSE);
    EXPECT_EQ(no_venues.EventLimits, Exact(3));
    EXPECT_FALSE(no_venues.bEnableVenueLimits);
    ASSERT_EQ(no_venues.VenueLimits.GetSize(), 1);
    EXPECT_EQ(no_venues.VenueLimits[0].Limit, Exact(1));

    LimitsState all;
    all.DefaultAll(defaults, TRUE);
    EXPECT_TRUE(all.bEnableVenueLimits);
    ASSERT_EQ(all.VenueLimits.GetSize(), 1);
    EXPECT_EQ(all.VenueLimits[0].lVenueKey, lTent);
}

TEST_F(LimitsStateTest, SavingWithAndWithoutLimitsForEachVenue)
{
    Participant participant;
    participant.SetEventLimits(Range(0, 8));
    LimitsState state;
    state.Load(participant);
    state.EventLimits = Range(0, 5);
    state.DayLimits = Range(0, 2);
    state.VenueLimits.InsertSorted(MakeVenueLimit(lHall, Range(0, 3)));

    // On: the event limits are stored as none and the venues' stay.
    state.bEnableVenueLimits = TRUE;
    state.Save(participant);
    EXPECT_TRUE(participant.GetUseVenueLimits());
    EXPECT_EQ(participant.GetStoredEventLimits().uType, UINT(SchedLim::e_no_limits));
    EXPECT_EQ(participant.GetEventLimits(), None());
    EXPECT_EQ(participant.GetDayLimits(), Range(0, 2));
    EXPECT_EQ(participant.GetEventMaxLimit(), 3u);

    // Loaded again, the page shows the event as the entity reports it.
    LimitsState loaded;
    loaded.Load(participant);
    EXPECT_TRUE(loaded.bEnableVenueLimits);
    EXPECT_EQ(loaded.EventLimits, None());
    EXPECT_FALSE(loaded.DiffersFrom(participant));

    // Off: the flag goes and every venue limit becomes none.
    loaded.bEnableVenueLimits = FALSE;
    loaded.Save(participant);
    EXPECT_FALSE(participant.GetUseVenueLimits());
    ASSERT_EQ(participant.GetVenueLimits().GetSize(), 1);
    EXPECT_EQ(participant.GetVenueLimits()[0].Limit.uType, UINT(SchedLim::e_no_limits));
}

TEST_F(LimitsStateTest, ParticipantMaximumIsARangeFromTheLoadedMinimum)
{
    // A participant with no limits: "Schedule a maximum of" 3 for "Event"
    // stores 0 to 3.
    Participant participant;
    LimitsState state(TRUE);
    state.Load(participant);
    const LimitsShown shown = state.Update({kEventItemData});
    EXPECT_EQ(shown.iChecked, e_limits_no_limits);
    state.uMax = 3;
    state.Apply({kEventItemData}, e_limits_range);
    EXPECT_EQ(state.EventLimits, Range(0, 3));
    EXPECT_TRUE(state.DiffersFrom(participant));
    state.Save(participant);
    EXPECT_EQ(participant.GetEventLimits(), Range(0, 3));
}

TEST_F(LimitsStateTest, ParticipantChangeIsReportedOnlyForWhatSavingChanges)
{
    Participant with_venues;
    with_venues.SetUseVenueLimits(TRUE);
    with_venues.GetVenueLimits().InsertSorted(MakeVenueLimit(lHall, Range(0, 2)));
    with_venues.GetVenueLimits().InsertSorted(MakeVenueLimit(lTent, Range(0, 4)));
    Participant plain;
    plain.SetEventLimits(Range(0, 5));
    plain.SetDayLimits(Range(0, 1));

    struct Case {
        const char* pName;
        const Participant* pParticipant;
        std::function<void(LimitsState&)> fEdit;
        BOOL bChanged;
    };
    const std::vector<Case> v_cases = {
        {"untouched, plain", &plain, [](LimitsState&) {}, FALSE},
        {"untouched, venue limits", &with_venues, [](LimitsState&) {}, FALSE},
        {"day limits", &plain, [](LimitsState& s) { s.DayLimits = Range(0, 2); }, TRUE},
        {"event limits", &plain, [](LimitsState& s) { s.EventLimits = None(); }, TRUE},
        {"venue limits switched on, no venue yet", &plain, [](LimitsState& s) { s.bEnableVenueLimits = TRUE; },
         TRUE},
        {"venue limits switched off", &with_venues, [](LimitsState& s) { s.bEnableVenueLimits = FALSE; }, TRUE},
        {"a venue entry more", &with_venues,
         [this](LimitsState& s) { s.VenueLimits.InsertSorted(VenueLimit(lBarn)); }, TRUE},
        {"a venue's limit", &with_venues, [](LimitsState& s) { s.VenueLimits[1].Limit = Range(0, 5); }, TRUE},
        {"event limits while venue limits are on", &with_venues,
         [](LimitsState& s) { s.EventLimits = Range(0, 9); }, FALSE},
    };
    for (const Case& c : v_cases) {
        LimitsState state(TRUE);
        state.Load(*c.pParticipant);
        c.fEdit(state);
        EXPECT_EQ(state.DiffersFrom(*c.pParticipant), c.bChanged) << c.pName;
    }
}

} // namespace
