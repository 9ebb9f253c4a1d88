#include "model/EventDoc.h"
#include "model/ParticipantRole.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

using testbytes::Builder;

namespace {

using Pairs = std::vector<std::pair<LONG, LONG>>; // style key, order

// A document with the styles Drums, Bass and Keys, made in that order, so
// that Drums has the smallest key.
class RosterStyles : public ::testing::Test {
protected:
    RosterStyles()
    {
        for (const char* p_name : {"Drums", "Bass", "Keys"}) {
            Style style;
            style.SetName(p_name);
            doc.GetStyles().Add(style);
        }
    }
    LONG Key(const std::string& s_name) const
    {
        return doc.GetStyles()[doc.GetStyles().FindByName(s_name)].GetKey();
    }
    static Pairs Contents(const RosterStyleArray& a)
    {
        Pairs v;
        for (int i = 0; i < a.GetSize(); ++i)
            v.emplace_back(a[i].lStyleKey, a[i].lOrder);
        return v;
    }

    testbytes::VersionDoc doc{40};
};

TEST_F(RosterStyles, FormatText)
{
    const LONG l_deleted = Key("Keys") + 100;
    struct Case {
        Pairs vStyles;
        BOOL bOrdered;
        BOOL bQuote;
        const char* pText;
    };
    const Case a_cases[] = {
        {{{Key("Drums"), 1}}, FALSE, FALSE, ""},
        {{}, TRUE, FALSE, "Ordered:"},
        {{{Key("Drums"), 1}, {Key("Bass"), 1}, {Key("Keys"), 2}}, TRUE, FALSE, "Ordered:#1: Drums, Bass, #2: Keys"},
        {{{Key("Drums"), 1}, {Key("Keys"), 2}}, TRUE, TRUE, "Ordered:#1: \"Drums\", #2: \"Keys\""},
        // A deleted style is left out; the next order still gets its prefix.
        {{{l_deleted, 1}, {Key("Keys"), 2}}, TRUE, FALSE, "Ordered:#2: Keys"},
        {{{Key("Drums"), 1}, {l_deleted, 2}, {Key("Keys"), 2}}, TRUE, FALSE, "Ordered:#1: Drums, #2: Keys"},
        // Order 0 is the starting order: no prefix.
        {{{Key("Bass"), 0}, {Key("Drums"), 3}}, TRUE, FALSE, "Ordered:Bass, #3: Drums"},
    };
    for (const Case& c : a_cases) {
        RosterStyleArray a;
        for (const auto& [l_key, l_order] : c.vStyles)
            a.InsertSorted(RosterStyle(l_key, l_order));
        EXPECT_EQ(a.FormatText(&doc, c.bOrdered, c.bQuote), c.pText);
        if (!c.bQuote) {
            EXPECT_EQ(a.GetText(&doc, c.bOrdered), c.pText);
        }
    }
}

TEST_F(RosterStyles, SetFromText)
{
    const std::string s_noColon = "Wrong format for list of roster styles.  Expected ':'.";
    struct Case {
        const char* pText;
        BOOL bResult;
        BOOL bOrdered;
        Pairs vStyles;
        std::string sMessage; // "-" when the message stays as it was
    };
    const Case a_cases[] = {
        {"Ordered:#1: Drums, Bass, #2: Keys", TRUE, 1, {{Key("Drums"), 1}, {Key("Bass"), 1}, {Key("Keys"), 2}}, "-"},
        {"Ordered:#2: Keys, #1:Bass,Drums", TRUE, 1, {{Key("Drums"), 1}, {Key("Bass"), 1}, {Key("Keys"), 2}}, "-"},
        {"Ordered:#1 Drums", FALSE, 1, {}, s_noColon},
        {"Roster:#1: Drums", FALSE, 0, {}, "Wrong format for list of roster styles.  Expected 'Ordered:'."},
        {"ordered:#1: Drums", FALSE, 0, {}, "Wrong format for list of roster styles.  Expected 'Ordered:'."},
        {"Ordered:#1: Drums, Nosuch, Bass", FALSE, 1, {{Key("Drums"), 1}, {Key("Bass"), 1}},
            "Unknown style 'Nosuch' (after 'Drums')."},
        {"Ordered:#3: Nosuch", FALSE, 1, {}, "Unknown style 'Nosuch' (after '3')."},
        // Every field is read; the last error is the one reported.
        {"Ordered:#1 Drums#2: Nosuch, Keys", FALSE, 1, {{Key("Keys"), 2}}, "Unknown style 'Nosuch' (after '2')."},
        // Names are cleaned as names; quotes, empty names and doubled
        // separators are passed over; duplicates are kept.
        {"Ordered:##1:   \"Drums\"  ,, Drums,", TRUE, 1, {{Key("Drums"), 1}, {Key("Drums"), 1}}, "-"},
        // No number gives order 0; a number beyond 32 bits stops at the
        // nearest 32-bit value.
        {"Ordered:#: Bass", TRUE, 1, {{Key("Bass"), 0}}, "-"},
        {"Ordered:#99999999999: Bass#-99999999999: Keys", TRUE, 1, {{Key("Keys"), INT32_MIN}, {Key("Bass"), INT32_MAX}},
            "-"},
    };
    for (const Case& c : a_cases) {
        RosterStyleArray a;
        BOOL b_ordered = 7;
        std::string s_message = "-";
        EXPECT_EQ(a.SetFromText(c.pText, &doc, b_ordered, s_message), c.bResult) << c.pText;
        EXPECT_EQ(b_ordered, c.bOrdered) << c.pText;
        EXPECT_EQ(Contents(a), c.vStyles) << c.pText;
        EXPECT_EQ(s_message, c.sMessage) << c.pText;
    }
}

TEST_F(RosterStyles, TextRoundTripAddsToWhatTheArrayHolds)
{
    const std::string s_text = "Ordered:#1: Drums, Bass, #2: Keys";
    RosterStyleArray a;
    BOOL b_ordered = 0;
    std::string s_message;
    ASSERT_TRUE(a.SetFromText(s_text, &doc, b_ordered, s_message));
    EXPECT_EQ(a.FormatText(&doc, b_ordered, FALSE), s_text);

    ASSERT_TRUE(a.SetFromText("Ordered:#2: Drums", &doc, b_ordered, s_message));
    EXPECT_EQ(Contents(a), (Pairs{{Key("Drums"), 1}, {Key("Bass"), 1}, {Key("Drums"), 2}, {Key("Keys"), 2}}));
}

TEST(RosterStyleArray, RemoveUnusedStyles)
{
    RosterStyleArray a;
    for (const auto& [l_key, l_order] : Pairs{{1, 1}, {2, 1}, {4, 1}, {3, 2}, {1, 3}, {2, 3}})
        a.InsertSorted(RosterStyle(l_key, l_order));
    SortedKeyArray a_used;
    for (LONG l_key : {2, 3})
        a_used.Add(l_key);
    a.RemoveUnusedStyles(a_used);
    ASSERT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[0], RosterStyle(2, 1));
    EXPECT_EQ(a[1], RosterStyle(3, 2));
    EXPECT_EQ(a[2], RosterStyle(2, 3));
    a.RemoveUnusedStyles(SortedKeyArray());
    EXPECT_EQ(a.GetSize(), 0);
}

// One role's stored form up to its roster styles.
Builder RoleHead(const std::string& s_name = "Lead  Singer")
{
    return Builder().Dword(12).Name(s_name);
}

TEST(ParticipantRole, ArchiveAcrossVersions)
{
    const SchedLim limit(SchedLim::e_range, 0, 1, 3);
    const Builder limit_bytes = Builder().Dwords({2, 0, 1, 3});
    struct Case {
        unsigned uVersion;
        Builder bBytes;
        Pairs vStyles;
        RosterLim Limit;
    };
    const Case a_cases[] = {
        // Before version 30: a key list whose used slots become orders 1, 2...
        {29, RoleHead().Dwords({5, 7, -1, 3, -1, -1}).Dword(1), {{7, 1}, {3, 2}}, RosterLim()},
        // Before version 35: no roster limit.
        {34, RoleHead().Count(2).Dwords({7, 1, 3, 2}).Dword(1), {{7, 1}, {3, 2}}, RosterLim()},
        {40, RoleHead().Count(2).Dwords({7, 1, 3, 2}).Dword(1).Raw(limit_bytes), {{7, 1}, {3, 2}}, limit},
    };
    for (const Case& c : a_cases) {
        ParticipantRole role;
        role.SetRosterLim(SchedLim(SchedLim::e_exact, 9, 0, 0));
        role.GetRosterStyles().InsertSorted(RosterStyle(99, 1));
        testbytes::Load(role, c.bBytes, c.uVersion);
        EXPECT_EQ(role.GetKey(), 12);
        EXPECT_EQ(role.GetName(), "Lead Singer");
        Pairs v;
        for (int i = 0; i < role.GetRosterStyles().GetSize(); ++i)
            v.emplace_back(role.GetRosterStyles()[i].lStyleKey, role.GetRosterStyles()[i].lOrder);
        EXPECT_EQ(v, c.vStyles) << c.uVersion;
        EXPECT_EQ(role.GetOrdered(), 1);
        EXPECT_EQ(role.GetRosterLim(), c.Limit) << c.uVersion;
        EXPECT_EQ(role.GetRosterLim().uValue, c.Limit.uValue) << "a default limit in place of the old one";
    }

    ParticipantRole role;
    testbytes::Load(role, a_cases[2].bBytes, 40);
    EXPECT_EQ(testbytes::Store(role), RoleHead("Lead Singer").Count(2).Dwords({7, 1, 3, 2}).Dword(1).Raw(limit_bytes).Get());
    // A count the data cannot hold is refused before anything is sized.
    EXPECT_THROW(testbytes::Load(role, RoleHead().Count(5000).Dwords({7, 1}), 40), CArchiveException);
}

TEST(ParticipantRoleList, NamesAndRolesWithStyles)
{
    ParticipantRole::SetKeyCounter(300);
    ParticipantRoleList roles;
    ParticipantRole lead("Lead");
    ParticipantRole backing("Backing");
    backing.GetRosterStyles().InsertSorted(RosterStyle(4, 1));
    EXPECT_EQ(lead.GetKey(), 300);
    EXPECT_EQ(ParticipantRole::GetKeyCounter(), 302);
    roles.Add(lead);
    roles.Add(backing);
    EXPECT_EQ(roles.GetRoleName(301), "Backing");
    EXPECT_EQ(roles.GetRoleName(5), "");
    EXPECT_EQ(roles.GetNumRolesWithStyles(), 1);
    roles[0].GetRosterStyles().InsertSorted(RosterStyle(4, 1));
    EXPECT_EQ(roles.GetNumRolesWithStyles(), 2);
}

TEST(EventDoc, AddParticipantRole)
{
    testbytes::VersionDoc doc(40);
    const LONG l_lead = doc.AddParticipantRole("Lead");
    ASSERT_GE(l_lead, 0);
    EXPECT_TRUE(doc.IsModified());
    const ParticipantRole& role = doc.GetParticipantRoles()[0];
    EXPECT_EQ(role.GetName(), "Lead");
    EXPECT_EQ(role.GetRosterStyles().GetSize(), 0);
    EXPECT_EQ(role.GetRosterLim(), RosterLim());

    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.AddParticipantRole("  Lead "), l_lead) << "names compare as names";
    EXPECT_FALSE(doc.IsModified()) << "finding a role changes nothing";
    EXPECT_EQ(doc.GetParticipantRoles().GetCount(), 1);

    const LONG l_next = ParticipantRole::GetKeyCounter();
    EXPECT_EQ(doc.AddParticipantRole("   "), -1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ParticipantRole::GetKeyCounter(), l_next + 1) << "the refused role took a key all the same";

    doc.GetParticipantRoles().SetMaxObjects(1);
    EXPECT_EQ(doc.AddParticipantRole("Backing"), -1) << "a full list";
    doc.GetParticipantRoles().SetMaxObjects(100000000);
    const LONG l_backing = doc.AddParticipantRole("Backing");
    EXPECT_NE(l_backing, l_lead);
    EXPECT_EQ(doc.GetParticipantRoles().GetRoleName(l_backing), "Backing");
}

} // namespace
