// The Allocation page's show and apply tables over a small event.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "sheets/AllocRules.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

namespace {

using testevent::EventBuilder;

bool Same(const VenueAllocArray& a, const VenueAllocArray& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (int i = 0; i < a.GetSize(); ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

VenueAlloc Alloc(LONG l_key, UINT u_type, UINT u_value, UINT u_min, UINT u_max, BOOL b_consecutive = FALSE)
{
    VenueAlloc alloc(l_key);
    alloc.Alloc = SchedAlloc(u_type, u_value, u_min, u_max);
    alloc.bConsecutive = b_consecutive;
    return alloc;
}

struct Fixture {
    Fixture()
    {
        event.Days({"Mon"}).Venue("Hall").Venue("Barn").Venue("Attic");
        lHall = event.VenueKey("Hall");
        lBarn = event.VenueKey("Barn");
        lAttic = event.VenueKey("Attic");
    }
    EventBuilder event;
    LONG lHall = 0;
    LONG lBarn = 0;
    LONG lAttic = 0;
};

TEST(AllocRules, CountsTakeOneToNineHundredNinetyNine)
{
    struct Case {
        const char* pText;
        bool bOk;
        UINT uValue;
        const char* pError;
    };
    const Case a_cases[] = {
        {"1", true, 1, ""},
        {" 999 ", true, 999, ""},
        {"0", false, 0, "Please enter an integer between 1 and 999."},
        {"1000", false, 0, "Please enter an integer between 1 and 999."},
        {"99999999999999999999", false, 0, "Please enter an integer between 1 and 999."},
        {"", false, 0, "Please enter a positive integer."},
        {"7x", false, 0, "Please enter a positive integer."},
        {"-3", false, 0, "Please enter a positive integer."},
    };
    for (const Case& c : a_cases) {
        UINT u_value = 0;
        std::string s_error;
        EXPECT_EQ(ParseAllocCount(c.pText, u_value, s_error) != FALSE, c.bOk) << c.pText;
        if (c.bOk)
            EXPECT_EQ(u_value, c.uValue) << c.pText;
        else
            EXPECT_EQ(s_error, c.pError) << c.pText;
    }
}

TEST(AllocRules, ShowTable)
{
    Fixture f;
    const VenueAlloc hall = Alloc(f.lHall, SchedLim::e_exact, 3, 1, 1, TRUE);
    const VenueAlloc barn = Alloc(f.lBarn, SchedLim::e_range, 1, 4, 2);
    struct Case {
        const char* pName;
        std::vector<LONG> vSelected;
        BOOL bValid;
        int iChecked;
        BOOL bMixed;
        UINT uExact, uMin, uMax;
        BOOL bConsecutive;
    };
    const Case a_cases[] = {
        {"nothing selected", {}, FALSE, e_alloc_mixed, FALSE, 0, 0, 0, FALSE},
        {"root alone", {kAllocRootData}, FALSE, e_alloc_mixed, FALSE, 0, 0, 0, FALSE},
        {"root with a venue", {kAllocRootData, f.lHall}, FALSE, e_alloc_mixed, FALSE, 0, 0, 0, FALSE},
        {"exact", {f.lHall}, TRUE, e_alloc_exact, FALSE, 3, 1, 1, TRUE},
        // A maximum below the minimum is shown raised to it.
        {"range", {f.lBarn}, TRUE, e_alloc_range, FALSE, 1, 4, 4, FALSE},
        {"no entry", {f.lAttic}, TRUE, e_alloc_none, FALSE, 1, 1, 1, FALSE},
        {"same twice", {f.lHall, f.lHall}, TRUE, e_alloc_exact, FALSE, 3, 1, 1, TRUE},
        {"different", {f.lHall, f.lBarn}, TRUE, e_alloc_mixed, TRUE, 3, 1, 1, FALSE},
    };
    for (const Case& c : a_cases) {
        AllocState state;
        state.Allocs.InsertSorted(hall);
        state.Allocs.InsertSorted(barn);
        const AllocShown shown = state.Show(c.vSelected);
        EXPECT_EQ(shown.bValid, c.bValid) << c.pName;
        if (!c.bValid)
            continue;
        EXPECT_EQ(shown.iChecked, c.iChecked) << c.pName;
        EXPECT_EQ(shown.bMixed, c.bMixed) << c.pName;
        EXPECT_EQ(state.uExact, c.uExact) << c.pName;
        EXPECT_EQ(state.uMin, c.uMin) << c.pName;
        EXPECT_EQ(state.uMax, c.uMax) << c.pName;
        EXPECT_EQ(state.bConsecutive, c.bConsecutive) << c.pName;
    }

    // The values come from the entry nearest the start of the selection
    // that has one.
    AllocState state;
    state.Allocs.InsertSorted(barn);
    state.Show({f.lAttic, f.lBarn});
    EXPECT_EQ(state.uMin, 4u);
    EXPECT_TRUE(state.bMixed);
}

TEST(AllocRules, ApplyTable)
{
    Fixture f;
    struct Case {
        const char* pName;
        int iChecked;
        UINT uExact, uMin, uMax;
        BOOL bConsecutive;
        bool bEntry;
        SchedAlloc Expected;
    };
    const Case a_cases[] = {
        {"exact", e_alloc_exact, 5, 1, 1, TRUE, true, SchedAlloc(SchedLim::e_exact, 5, 1, 1)},
        {"exact 0 becomes 1", e_alloc_exact, 0, 1, 1, FALSE, true, SchedAlloc(SchedLim::e_exact, 1, 1, 1)},
        {"range", e_alloc_range, 1, 2, 6, FALSE, true, SchedAlloc(SchedLim::e_range, 1, 2, 6)},
        {"range minimum 0 becomes 1", e_alloc_range, 1, 0, 6, FALSE, true, SchedAlloc(SchedLim::e_range, 1, 1, 6)},
        {"range maximum kept to 999", e_alloc_range, 1, 2, 5000, FALSE, true,
         SchedAlloc(SchedLim::e_range, 1, 2, 999)},
        // The minimum is not required to be at most the maximum.
        {"range upside down", e_alloc_range, 1, 9, 3, FALSE, true, SchedAlloc(SchedLim::e_range, 1, 9, 3)},
        {"no requirements", e_alloc_none, 1, 1, 1, FALSE, false, SchedAlloc()},
    };
    for (const Case& c : a_cases) {
        AllocState state;
        state.Allocs.InsertSorted(Alloc(f.lHall, SchedLim::e_exact, 3, 1, 1));
        state.Allocs.InsertSorted(Alloc(f.lAttic, SchedLim::e_exact, 7, 1, 1));
        state.uExact = c.uExact;
        state.uMin = c.uMin;
        state.uMax = c.uMax;
        state.bConsecutive = c.bConsecutive;
        state.Apply(f.event.Doc(), {f.lHall, f.lBarn}, c.iChecked);
        for (LONG l_key : {f.lHall, f.lBarn}) {
            const int i_at = state.Allocs.FindKey(l_key);
            ASSERT_EQ(i_at >= 0, c.bEntry) << c.pName;
            if (!c.bEntry)
                continue;
            EXPECT_EQ(state.Allocs[i_at].Alloc, c.Expected) << c.pName;
            EXPECT_EQ(state.Allocs[i_at].bConsecutive, c.bConsecutive) << c.pName;
        }
        // The venue outside the selection keeps its entry, the array its order.
        ASSERT_GE(state.Allocs.FindKey(f.lAttic), 0) << c.pName;
        for (int i = 1; i < state.Allocs.GetSize(); ++i)
            EXPECT_LT(state.Allocs[i - 1].lVenueKey, state.Allocs[i].lVenueKey) << c.pName;
    }
}

TEST(AllocRules, ApplyDoesNothingForAMixedStateOrTheRoot)
{
    Fixture f;
    AllocState state;
    state.Allocs.InsertSorted(Alloc(f.lHall, SchedLim::e_exact, 3, 1, 1));
    const VenueAllocArray before = state.Allocs;
    state.Apply(f.event.Doc(), {f.lHall, f.lBarn}, e_alloc_mixed);
    state.Apply(f.event.Doc(), {kAllocRootData, f.lBarn}, e_alloc_none);
    state.Apply(f.event.Doc(), {}, e_alloc_exact);
    EXPECT_TRUE(Same(state.Allocs, before));
}

TEST(AllocRules, DefaultAllAndDefaultSelection)
{
    Fixture f;
    VenueAllocArray a_defaults;
    a_defaults.InsertSorted(Alloc(f.lBarn, SchedLim::e_range, 1, 2, 3, TRUE));

    AllocState state;
    state.Allocs.InsertSorted(Alloc(f.lHall, SchedLim::e_exact, 3, 1, 1, TRUE));
    state.Allocs.InsertSorted(Alloc(f.lAttic, SchedLim::e_exact, 4, 1, 1));

    // Selection: a venue with a default takes it; one without gets no
    // requirement (its entry stays, for the same venue); the root is passed
    // over; venues outside the selection keep theirs.
    AllocState sel = state;
    sel.DefaultSelection({kAllocRootData, f.lBarn, f.lHall}, a_defaults);
    ASSERT_EQ(sel.Allocs.GetSize(), 3);
    const VenueAlloc& barn = sel.Allocs[sel.Allocs.FindKey(f.lBarn)];
    EXPECT_EQ(barn.Alloc, SchedAlloc(SchedLim::e_range, 1, 2, 3));
    EXPECT_TRUE(barn.bConsecutive);
    const VenueAlloc& hall = sel.Allocs[sel.Allocs.FindKey(f.lHall)];
    EXPECT_EQ(hall.lVenueKey, f.lHall);
    EXPECT_EQ(hall.Alloc, SchedAlloc());
    EXPECT_FALSE(hall.bConsecutive);
    EXPECT_EQ(sel.Allocs[sel.Allocs.FindKey(f.lAttic)].Alloc.uValue, 4u);

    // All: exactly the defaults.
    state.DefaultAll(a_defaults);
    EXPECT_TRUE(Same(state.Allocs, a_defaults));
    // The copy keeps finding by key.
    EXPECT_GE(state.Allocs.FindKey(f.lBarn), 0);
}

} // namespace
