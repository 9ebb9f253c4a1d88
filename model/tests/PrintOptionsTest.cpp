#include "model/PrintOptions.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <vector>

using testbytes::Builder;

namespace {

// The print options of a file of the version; 0 stands for a document
// without a version and holds every field.
Builder PrintBytes(unsigned v, std::uint32_t u_reserved = 5)
{
    const bool b_all = v == 0;
    Builder b;
    b.Dwords({1, 2, 0, 1}); // slot height constant, no time labels, no grid, landscape
    if (b_all || v > 11)
        b.Dword(3); // print by participant
    if (b_all || v > 16) {
        b.Dwords({0, 1, 0}); // all timeslots off, group members on, combinations off
        for (int i = 0; i < 6; ++i)
            b.Dword(u_reserved);
    }
    if (b_all || v > 25) {
        b.Count(3).Dwords({10, 30, 20}).Dword(0x101); // group list: landscape and a bit of its own
        b.Count(0).Dword(0x6);                        // participant list: rows selected, print all
        b.Count(1).Dword(7).Dword(0x4);               // venue list: print all
    }
    return b;
}

std::vector<UINT> Ids(const PrintIdSet& set)
{
    return std::vector<UINT>(set.GetIds().GetData(), set.GetIds().GetData() + set.GetIds().GetSize());
}

// Options that differ from both the defaults and the fixture.
PrintOptions Dirty()
{
    PrintOptions o;
    o.ePrintBy = PrintOptions::eVenues;
    o.bAllTimeslots = 0;
    o.bGroupMembers = 1;
    o.bCombinations = 1;
    ZelArray<UINT> a_ids;
    a_ids.Add(99);
    o.GetGroupListSet().SetIds(a_ids);
    o.GetGroupListSet().SetSetWord(0x8);
    return o;
}

TEST(PrintOptions, LoadAcrossVersions)
{
    for (unsigned v : {11u, 12u, 16u, 17u, 25u, 26u, 40u, 0u}) {
        SCOPED_TRACE("version " + std::to_string(v));
        const bool b_all = v == 0;
        PrintOptions o = Dirty();
        testbytes::Load(o, PrintBytes(v), v);
        EXPECT_EQ(o.eSlotHeight, 1);
        EXPECT_EQ(o.eTimeLabels, 2);
        EXPECT_EQ(o.bGridLines, 0);
        EXPECT_EQ(o.bLandscape, 1);
        EXPECT_EQ(o.ePrintBy, b_all || v > 11 ? PrintOptions::eParts : PrintOptions::eDays);
        EXPECT_EQ(o.bAllTimeslots, b_all || v > 16 ? 0 : 1);
        EXPECT_EQ(o.bGroupMembers, b_all || v > 16 ? 1 : 0);
        EXPECT_EQ(o.bCombinations, b_all || v > 16 ? 0 : 1) << "older files keep the present choice";
        if (b_all || v > 25) {
            const PrintIdSet& groups = o.GetGroupListSet();
            EXPECT_EQ(Ids(groups), (std::vector<UINT>{10, 30, 20})) << "the chosen order";
            EXPECT_TRUE(groups.IsLandscape());
            EXPECT_FALSE(groups.IsRowsSelected());
            EXPECT_FALSE(groups.IsPrintAll());
            const PrintIdSet& parts = o.GetParticipantListSet();
            EXPECT_TRUE(Ids(parts).empty());
            EXPECT_FALSE(parts.IsLandscape());
            EXPECT_TRUE(parts.IsRowsSelected());
            EXPECT_TRUE(parts.IsPrintAll());
            const PrintIdSet& venues = o.GetVenueListSet();
            EXPECT_EQ(Ids(venues), std::vector<UINT>{7});
            EXPECT_EQ(venues.GetSetWord(), 0x4u);
            EXPECT_EQ(&o.GetIdSet(PrintOptions::eVenueListSet), &venues);
        } else {
            EXPECT_EQ(Ids(o.GetGroupListSet()), std::vector<UINT>{99}) << "no sets before version 26";
            EXPECT_EQ(o.GetGroupListSet().GetSetWord(), 0x8u);
        }
    }
}

TEST(PrintOptions, StoredForm)
{
    // Defaults, and an old file's empty sets: three zero counts, each
    // followed by a zero word.
    Builder b_defaults = Builder().Dwords({0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int i = 0; i < 3; ++i)
        b_defaults.Count(0).Dword(0);
    PrintOptions fresh;
    EXPECT_EQ(testbytes::Store(fresh), b_defaults.Get());
    testbytes::Load(fresh, Builder().Dwords({0, 0, 1, 0}), 11);
    EXPECT_EQ(testbytes::Store(fresh), b_defaults.Get());

    // A current file comes back unchanged; print-all is not stored.
    PrintOptions o;
    o.bPrintAll = 1;
    testbytes::Load(o, PrintBytes(40), 40);
    EXPECT_EQ(o.bPrintAll, 1);
    EXPECT_EQ(testbytes::Store(o), PrintBytes(40, 0).Get());
    PrintOptions back;
    testbytes::Load(back, testbytes::Store(o), 40);
    EXPECT_EQ(back, o);
    EXPECT_EQ(back.bPrintAll, 0);

    EXPECT_THROW(testbytes::Load(back, Builder().Dwords({1, 2, 0, 1, 3}), 40), CArchiveException) << "a short record";
}

TEST(PrintOptions, ChoicesOutOfRangeLoadAsDefaults)
{
    // Slot height, time labels and print by, each out of range.
    for (DWORD u_bad : {0xFFFFFFFFu, 7u}) {
        Builder b;
        b.Dwords({u_bad, u_bad, 1, 0, u_bad, 1, 0, 0, 0, 0, 0, 0, 0, 0});
        for (int i = 0; i < 3; ++i)
            b.Count(0).Dword(0);
        PrintOptions o;
        o.ePrintBy = PrintOptions::eParts;
        testbytes::Load(o, b, 40);
        EXPECT_EQ(o.eSlotHeight, 0) << u_bad;
        EXPECT_EQ(o.eTimeLabels, 0) << u_bad;
        EXPECT_EQ(o.ePrintBy, PrintOptions::eDays) << u_bad;
    }
}

TEST(PrintOptions, SetWordAccessorsKeepTheOtherBits)
{
    PrintIdSet set;
    set.SetSetWord(0x100);
    set.SetLandscape(TRUE);
    set.SetPrintAll(TRUE);
    EXPECT_EQ(set.GetSetWord(), 0x105u);
    set.SetLandscape(FALSE);
    set.SetRowsSelected(TRUE);
    EXPECT_EQ(set.GetSetWord(), 0x106u);
    set.SetPrintAll(FALSE);
    set.SetRowsSelected(FALSE);
    EXPECT_EQ(set.GetSetWord(), 0x100u);
}

TEST(PrintOptions, CopyAndEquality)
{
    PrintOptions a;
    testbytes::Load(a, PrintBytes(40), 40);
    a.bPrintAll = 1;

    PrintOptions b(a);
    EXPECT_EQ(b.bPrintAll, 1) << "copies take print-all too";
    EXPECT_EQ(Ids(b.GetGroupListSet()), Ids(a.GetGroupListSet()));
    b.bPrintAll = 0;
    EXPECT_TRUE(b == a) << "print-all takes no part in the comparison";

    PrintOptions c;
    c = a;
    EXPECT_EQ(c, a);
    const PrintOptions& same = c;
    c = same;
    EXPECT_EQ(Ids(c.GetGroupListSet()), (std::vector<UINT>{10, 30, 20})) << "self-assignment leaves the sets";

    struct Change {
        const char* pWhat;
        void (*pApply)(PrintOptions&);
    };
    const Change a_changes[] = {
        {"print by", [](PrintOptions& o) { o.ePrintBy = 0; }},
        {"landscape", [](PrintOptions& o) { o.bLandscape = 0; }},
        {"combinations", [](PrintOptions& o) { o.bCombinations = 1; }},
        {"a set's word", [](PrintOptions& o) { o.GetVenueListSet().SetRowsSelected(TRUE); }},
        {"a set's order", [](PrintOptions& o) { o.GetGroupListSet().Ids[1] = 20; o.GetGroupListSet().Ids[2] = 30; }},
        {"a set's count", [](PrintOptions& o) { o.GetParticipantListSet().Ids.Add(1); }},
    };
    for (const Change& change : a_changes) {
        PrintOptions d(a);
        change.pApply(d);
        EXPECT_FALSE(d == a) << change.pWhat;
        EXPECT_TRUE(d != a) << change.pWhat;
    }
}

} // namespace
