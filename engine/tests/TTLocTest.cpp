// Cells of the timetable: which are valid, and how lists of them copy and
// assign.
#include "engine/TTLoc.h"

#include <gtest/gtest.h>

namespace {

int CompareDays(const TTLoc* p_a, const TTLoc* p_b) { return p_a->GetDay() - p_b->GetDay(); }

TEST(TTLoc, ValidOnlyWithEveryPartSet)
{
    struct Case {
        TTLoc loc;
        bool bValid;
    };
    const Case a_cases[] = {
        {TTLoc(), false},
        {TTLoc(0, 0, 0), true},
        {TTLoc(3, 2, 7), true},
        {TTLoc(-1, 0, 0), false},
        {TTLoc(0, -1, 0), false},
        {TTLoc(0, 0, -1), false},
    };
    for (const Case& c : a_cases) {
        EXPECT_EQ(c.loc.IsValid() != FALSE, c.bValid)
            << c.loc.GetDay() << "," << c.loc.GetVenue() << "," << c.loc.GetSlot();
    }
    const TTLoc unset;
    EXPECT_EQ(unset.GetDay(), -1);
    EXPECT_EQ(unset.GetVenue(), -1);
    EXPECT_EQ(unset.GetSlot(), -1);
}

TEST(TTLocArray, CopiesAndAssignmentsTakeTheOtherListWhole)
{
    const TTLocArray empty;
    const TTLocArray empty_copy(empty);
    EXPECT_EQ(empty_copy.GetSize(), 0);
    EXPECT_EQ(empty_copy.GetAllocSize(), 0) << "an empty copy holds no storage";
    EXPECT_EQ(empty_copy.GetCompareFunc(), nullptr);

    TTLocArray longer;
    for (int i = 0; i < 6; ++i)
        longer.Add(TTLoc(i, 1, 2 * i));
    TTLocArray shorter(&CompareDays);
    shorter.Add(TTLoc(9, 8, 7));
    shorter.Add(TTLoc(6, 5, 4));

    TTLocArray target(longer);
    ASSERT_EQ(target.GetSize(), 6);
    EXPECT_EQ(target[5], TTLoc(5, 1, 10));
    target = shorter;
    ASSERT_EQ(target.GetSize(), 2) << "a shorter list over a longer leaves only its cells";
    EXPECT_EQ(target[0], TTLoc(9, 8, 7));
    EXPECT_EQ(target[1], TTLoc(6, 5, 4));
    EXPECT_EQ(target.GetCompareFunc(), &CompareDays) << "the compare function goes along";

    target = target;
    EXPECT_EQ(target.GetSize(), 2);
    EXPECT_EQ(target[1], TTLoc(6, 5, 4));

    // Growing into a list of capacity 2 adds at least 4 (an eighth of the
    // size, bounded below), or the size needed.
    TTLocArray small;
    small = shorter;
    ASSERT_EQ(small.GetAllocSize(), 4);
    small = longer;
    EXPECT_EQ(small.GetSize(), 6);
    EXPECT_EQ(small.GetAllocSize(), 8);
    EXPECT_EQ(small[3], TTLoc(3, 1, 6));
}

TEST(TTLocArray, FindsThroughTheCompareFunctionGiven)
{
    TTLocArray a_locs(&CompareDays);
    a_locs.Add(TTLoc(1, 0, 0));
    a_locs.Add(TTLoc(4, 0, 0));
    a_locs.Add(TTLoc(7, 0, 0));
    EXPECT_EQ(a_locs.Find(TTLoc(4, 9, 9)), 1);
    int i_at = -1;
    EXPECT_EQ(a_locs.Find(TTLoc(5, 0, 0), &i_at), -1);
    EXPECT_EQ(i_at, 2);
}

} // namespace
