#include "zelkit/ZelRelease.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReleaseTest, ParseAcceptsDottedAndPlainNumbers)
{
    struct Case {
        const char* pText;
        bool bOk;
        UINT uRelease; // when accepted
        const char* pShown;
    };
    const Case a_cases[] = {
        {"1.5", true, 105, "1.05"},
        {"189", true, 189, "1.89"},
        {"1.89", true, 189, "1.89"},
        {"7", true, 700, "7.00"},
        {"99.99", true, 9999, "99.99"},
        {"9999", true, 9999, "99.99"},
        {" 2.10", true, 210, "2.10"},
        {"0.5", false, 0, nullptr},
        {"100.1", false, 0, nullptr},
        {"1.100", false, 0, nullptr},
        {"10000", false, 0, nullptr},
        {"0", false, 0, nullptr},
        {"", false, 0, nullptr},
        {"abc", false, 0, nullptr},
        {"1.x", false, 0, nullptr},
        {".5", false, 0, nullptr},
        {"-1", false, 0, nullptr},
        {"99999999999999999999", false, 0, nullptr},
    };
    for (const Case& c : a_cases) {
        ZelRelease rel("Rotavex", 321, "");
        EXPECT_EQ(rel.Parse(c.pText) != 0, c.bOk) << c.pText;
        if (c.bOk) {
            EXPECT_EQ(rel.GetRelease(), c.uRelease) << c.pText;
            EXPECT_EQ(rel.FormatRel(), c.pShown) << c.pText;
        } else {
            EXPECT_EQ(rel.GetRelease(), 321u) << "a refused text changed the number: " << c.pText;
        }
    }
}

TEST(ReleaseTest, FormatAppendsQualifierAndSplitsTheNumber)
{
    ZelRelease rel("Rotavex", 189, "");
    EXPECT_EQ(rel.FormatRel(), "1.89");
    EXPECT_EQ(rel.GetMajor(), 1u);
    EXPECT_EQ(rel.GetMinor(), 89u);
    rel.SetQualifier(" preview");
    EXPECT_EQ(rel.FormatRel(), "1.89 preview");
    EXPECT_EQ(ZelRelease(1203).FormatRel(), "12.03");
    EXPECT_EQ(ZelRelease().FormatRel(), "0.00");
}

TEST(ReleaseTest, VersionAndRevisionSettersIgnoreValuesOutOfRange)
{
    ZelRelease rel(189);
    rel.SetVersionNumber(0);
    EXPECT_EQ(rel.GetRelease(), 189u);
    rel.SetVersionNumber(100);
    EXPECT_EQ(rel.GetRelease(), 189u);
    rel.SetVersionNumber(3);
    EXPECT_EQ(rel.GetRelease(), 389u);
    rel.SetRevisionNumber(100);
    EXPECT_EQ(rel.GetRelease(), 389u);
    rel.SetRevisionNumber(0);
    EXPECT_EQ(rel.GetRelease(), 300u);
    rel.SetRevisionNumber(7);
    EXPECT_EQ(rel.FormatRel(), "3.07");
}

TEST(ReleaseTest, CopyAndAssignmentCarryNameNumberAndQualifier)
{
    const ZelRelease a("Rotavex", 189, "b");
    ZelRelease b(a);
    ZelRelease c("Other");
    c = a;
    for (const ZelRelease* p : {&b, &c}) {
        EXPECT_EQ(p->GetPgmName(), "Rotavex");
        EXPECT_EQ(p->GetRelease(), 189u);
        EXPECT_EQ(p->GetQualifier(), "b");
    }
}

} // namespace
