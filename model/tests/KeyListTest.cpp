#include "model/KeyList.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <vector>

using testbytes::Builder;

namespace {

std::vector<LONG> Slots(const KeyList& list)
{
    std::vector<LONG> v;
    for (int i = 0; i < list.GetMaxKeys(); ++i)
        v.push_back(list[i]);
    return v;
}

TEST(KeyList, CapacityIsNeverBelowOne)
{
    for (int n : {0, -3, 1}) {
        KeyList list(n);
        EXPECT_EQ(list.GetMaxKeys(), 1) << n;
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_EQ(list.Add(7), 0);
        EXPECT_EQ(list.Add(8), 1);
        EXPECT_EQ(list.GetMaxKeys(), 3) << "one slot grows to 2 x 1 + 1";
    }
}

TEST(KeyList, AddFindsReusesAndGrows)
{
    KeyList list(5);
    for (LONG k : {10, 11, 12})
        list.Add(k);
    list.SetAt(0, -1); // a removed key frees its slot
    EXPECT_EQ(list.Add(12), 2) << "a present key keeps its slot, even after a free one";
    EXPECT_EQ(Slots(list), (std::vector<LONG>{-1, 11, 12, -1, -1}));
    EXPECT_EQ(list.Add(20), 0) << "the first free slot is used before the end";
    EXPECT_EQ(list.Find(20), 0);
    EXPECT_EQ(list.Find(99), -1);

    // Growth from the usual capacity: 5, 7, 10, 15, 22.
    KeyList grow(5);
    std::vector<int> a_caps;
    for (LONG k = 0; k < 16; ++k) {
        grow.Add(k);
        if (a_caps.empty() || a_caps.back() != grow.GetMaxKeys())
            a_caps.push_back(grow.GetMaxKeys());
    }
    EXPECT_EQ(a_caps, (std::vector<int>{5, 7, 10, 15, 22}));
    EXPECT_EQ(grow.GetCount(), 16);
}

// A few slots stand in the list itself and more in a block of their own:
// copies, moves and new capacities keep every slot on both sides of that
// line, and a moved list is left with no slots, which grow again.
TEST(KeyList, SlotsSurviveCopiesMovesAndResizesAcrossTheInlineSlots)
{
    for (int n_max : {1, 5, 6, 12}) {
        SCOPED_TRACE(n_max);
        KeyList list(n_max);
        for (LONG k = 0; k < n_max; ++k)
            list.SetAt(static_cast<int>(k), 100 + k);
        const std::vector<LONG> v_slots = Slots(list);

        KeyList copy(list);
        EXPECT_EQ(Slots(copy), v_slots);
        KeyList assigned(12);
        assigned = list;
        EXPECT_EQ(Slots(assigned), v_slots);
        KeyList small(1);
        small = assigned;
        EXPECT_EQ(Slots(small), v_slots);

        KeyList moved(std::move(copy));
        EXPECT_EQ(Slots(moved), v_slots);
        EXPECT_EQ(copy.GetMaxKeys(), 0);
        EXPECT_EQ(copy.Add(7), 0);
        EXPECT_EQ(Slots(copy), (std::vector<LONG>{7}));
        KeyList move_assigned(3);
        move_assigned = std::move(moved);
        EXPECT_EQ(Slots(move_assigned), v_slots);

        for (int n_new : {3, 8, 1}) {
            std::vector<LONG> v_expected(v_slots);
            v_expected.resize(static_cast<std::size_t>(n_new), -1);
            KeyList resized(list);
            resized.SetMaxKeys(n_new);
            EXPECT_EQ(Slots(resized), v_expected) << n_new;
        }
    }
}

TEST(KeyList, AddListWalksTheOtherFromItsLastSlot)
{
    KeyList a(3);
    KeyList b(3);
    b.SetAt(0, 4);
    b.SetAt(2, 9);
    a.AddList(b);
    EXPECT_EQ(Slots(a), (std::vector<LONG>{9, 4, -1}));
}

TEST(KeyList, EqualityComparesSlotBySlot)
{
    KeyList a(2), b(2), c(1), d(2);
    a.Add(3);
    a.Add(7);
    b.Add(7);
    b.Add(3);
    c.Add(3);
    d.Add(3);
    EXPECT_NE(a, b) << "the same keys in other slots";
    EXPECT_NE(d, c) << "{3, -1} and {3}";
    EXPECT_EQ(a, a);
    KeyList e(a);
    EXPECT_EQ(e, a);
}

TEST(KeyList, ArchiveFormAndLoadingALargerCapacity)
{
    KeyList list(5);
    list.Add(4);
    list.Add(6);
    EXPECT_EQ(testbytes::Store(list), Builder().Dwords({5, 4, 6, -1, -1, -1}).Get());

    KeyList loaded(5);
    testbytes::Load(loaded, Builder().Dwords({8, 1, 2, 3, 4, 5, 6, 7, 8}), 40);
    EXPECT_EQ(loaded.GetMaxKeys(), 8);
    EXPECT_EQ(loaded.GetCount(), 8);

    KeyList bigger(10);
    bigger.Add(77);
    testbytes::Load(bigger, Builder().Dwords({2, 1, 2}), 40);
    EXPECT_EQ(bigger.GetMaxKeys(), 10) << "a larger present capacity keeps its extra slots, free";
    EXPECT_EQ(bigger.GetCount(), 2);
    EXPECT_EQ(bigger.Find(77), -1);
}

TEST(KeyList, ACountBeyondTheDataIsRefusedBeforeAllocating)
{
    KeyList list(5);
    list.Add(1);
    EXPECT_THROW(testbytes::Load(list, Builder().Dwords({0x7FFFFFFF, 1, 2}), 40), CArchiveException);
    EXPECT_EQ(list.GetMaxKeys(), 5) << "a refused load leaves the list as it was";
}

TEST(FixedLists, StoredSizesLargerThanTheListAreRefused)
{
    Flags flags(2);
    EXPECT_THROW(testbytes::Load(flags, Builder().Dwords({3, 1, 1, 1}), 40), CArchiveException);
    Counters counters(2);
    EXPECT_THROW(testbytes::Load(counters, Builder().Dwords({3, 1, 1, 1}), 40), CArchiveException);
    IdxList idx(2);
    EXPECT_THROW(testbytes::Load(idx, Builder().Dwords({3, 1, 1, 1}), 40), CArchiveException);

    // A shorter stored list: Flags and Counters keep the values beyond it,
    // IdxList frees them.
    Flags f(3);
    f[2] = 5;
    testbytes::Load(f, Builder().Dwords({1, 9}), 40);
    EXPECT_EQ(f[0], 9u);
    EXPECT_EQ(f[2], 5u);
    IdxList i(3);
    i[2] = 5;
    testbytes::Load(i, Builder().Dwords({1, 9}), 40);
    EXPECT_EQ(i[0], 9);
    EXPECT_EQ(i[2], -1);
    EXPECT_EQ(i.GetCount(), 1);
    EXPECT_EQ(testbytes::Store(i), Builder().Dwords({3, 9, -1, -1}).Get());
}

TEST(FixedLists, FlagsOrAndCounters)
{
    Flags a(3), b(3);
    a[1] = 1;
    b[0] = 2;
    a |= b;
    EXPECT_EQ(a[0], 1u);
    EXPECT_EQ(a[1], 1u);
    EXPECT_EQ(a[2], 0u);
    EXPECT_EQ(a.GetNumSet(), 2);
    EXPECT_EQ(a.GetNumClear(), 1);
    EXPECT_EQ((Flags(3) | b).GetNumSet(), 1);

    Counters c(3);
    c[0] = 2;
    c[2] = 5;
    EXPECT_EQ(c.GetSum(), 7);
    Counters d(3);
    d = c;
    EXPECT_EQ(d.GetSum(), 7);
}

} // namespace
