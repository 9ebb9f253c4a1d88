#include "model/SchedLim.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

using testbytes::Builder;

namespace {

TEST(SchedLim, MinMaxAndTextPerType)
{
    struct Case {
        SchedLim lim;
        UINT uMin, uMax;
        const char* pText;
        const char* pTextBlank; // blankZero and blankNone
    };
    const Case a_cases[] = {
        {SchedLim(), 0, 99999, "None", ""},
        {SchedLim(1, 0, 5, 9), 0, 0, "0", ""},
        {SchedLim(1, 4, 5, 9), 4, 4, "4", "4"},
        {SchedLim(2, 4, 3, 5), 3, 5, "3...5", "3...5"},
        {SchedLim(2, 4, 5, 3), 5, 3, "5...3", "5...3"},
        {SchedLim(2, 4, 0, 0), 0, 0, "0...0", ""},
        {SchedLim(7, 4, 2, 6), 2, 6, "2...6", "2...6"},
    };
    for (const Case& c : a_cases) {
        EXPECT_EQ(c.lim.GetMin(), c.uMin) << c.pText;
        EXPECT_EQ(c.lim.GetMax(), c.uMax) << c.pText;
        EXPECT_EQ(c.lim.GetText(), c.pText);
        EXPECT_EQ(c.lim.GetText(TRUE, TRUE), c.pTextBlank) << c.pText;
    }

    SchedAlloc alloc;
    EXPECT_EQ(alloc.GetMin(), 1u);
    EXPECT_EQ(alloc.GetMax(), 999u);
    EXPECT_EQ(alloc.GetText(), "None");
    EXPECT_EQ(SchedAlloc(1, 3, 0, 0).GetText(), "3");
    EXPECT_EQ(SchedAlloc(2, 3, 1, 4).GetText(), "1...4");
}

TEST(SchedLim, EqualityComparesTheFieldsTheTypeUses)
{
    EXPECT_EQ(SchedLim(2, 1, 3, 5), SchedLim(2, 9, 3, 5)) << "stale value ignored";
    EXPECT_NE(SchedLim(2, 0, 3, 3), SchedLim(1, 3, 0, 0)) << "range and exact with the same bounds";
    EXPECT_EQ(SchedLim(0, 1, 2, 3), SchedLim(0, 4, 5, 6));
    const SchedLim odd(7, 1, 2, 3);
    EXPECT_NE(odd, SchedLim(odd)) << "an unknown type is unequal even to its copy";
    EXPECT_EQ(SchedAlloc(7, 1, 2, 3), SchedAlloc(7, 4, 5, 6)) << "allocations of an unknown type are equal";
}

TEST(SchedLim, ArchiveFormsAndTheOldSchemaWord)
{
    SchedLim lim(2, 1, 3, 5);
    EXPECT_EQ(testbytes::Store(lim), Builder().Dwords({2, 1, 3, 5}).Get());

    SchedLim old;
    testbytes::Load(old, Builder().Dwords({2, 1, 4, 0, 6}), 2);
    EXPECT_EQ(old, SchedLim(1, 4, 0, 6));
    EXPECT_THROW(testbytes::Load(old, Builder().Dwords({9, 1, 4, 0, 6}), 2), CArchiveException);

    // Allocations never had the word.
    SchedAlloc alloc;
    testbytes::Load(alloc, Builder().Dwords({1, 4, 0, 6}), 2);
    EXPECT_EQ(alloc.GetMin(), 4u);
    EXPECT_EQ(testbytes::Store(alloc), Builder().Dwords({1, 4, 0, 6}).Get());
}

} // namespace
