#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "model/Preferences.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testbytes::Builder;
using testevent::EventBuilder;

namespace {

constexpr UINT kNone = SchedLim::e_no_limits;
constexpr UINT kExact = SchedLim::e_exact;
constexpr UINT kRange = SchedLim::e_range;

Builder& TimeListBytes(Builder& b, unsigned v)
{
    if (v <= 36)
        return b.Dword(0).Dwords({1, -1}).Count(0);
    return b.Dwords({0, -1}).Count(0);
}

// "Ann Lee" (key 21) as a file of version v (27 and later) stores her:
// usual role "Lead" (by name before version 29, else key 6), roster styles
// 7 then 3, the four roster words 1, 9, 1, 44 and an exact roster limit
// of 2, as far as the version holds them.
Builder ParticipantBytes(unsigned v, const std::string& s_role = "Lead")
{
    Builder b;
    b.Dwords({kRange, 0, 2, 4}).Dwords({kNone, 0, 0, 0});
    TimeListBytes(b, v).String("");
    if (v >= 34)
        b.Dword(0).Count(0);
    b.Dword(21).Dword(1).String("Ann").String("").String("Lee");
    b.Dword(1).String("").String("").String("").String("");
    b.Name("555-1").Name("").Dwords({1, 80}).String("ann@x.org").Name("");
    if (v >= 29)
        b.Dword(6);
    else
        b.String(s_role);
    if (v < 28)
        return b;
    if (v == 29)
        b.Dwords({5, 7, -1, 3, -1, -1});
    else
        b.Count(2).Dwords({7, 1, 3, 2});
    b.Dwords({1, 9, 1, 44});
    if (v >= 35)
        b.Dwords({kExact, 2, 0, 0});
    return b;
}

std::vector<std::pair<LONG, LONG>> Styles(const RosterStyleArray& a_styles)
{
    std::vector<std::pair<LONG, LONG>> v;
    for (int i = 0; i < a_styles.GetSize(); ++i)
        v.emplace_back(a_styles[i].lStyleKey, a_styles[i].lOrder);
    return v;
}

// ---- the stored forms ----

TEST(ParticipantArchive, EveryVersionGate)
{
    EventBuilder event;
    for (unsigned v : {27u, 28u, 29u, 30u, 34u, 35u, 40u}) {
        SCOPED_TRACE("version " + std::to_string(v));
        Participant ann;
        testbytes::Load(ann, ParticipantBytes(v), v, &event.Doc());
        EXPECT_EQ(ann.GetKey(), 21);
        EXPECT_EQ(ann.GetFullName(), "Ann Lee");
        EXPECT_EQ(ann.GetEmail(), "ann@x.org");
        EXPECT_EQ(ann.GetStoredEventLimits(), SchedLim(kRange, 0, 2, 4));
        const LONG l_lead = event.Doc().GetParticipantRoles().FindByName("Lead") >= 0
            ? event.Doc().GetParticipantRoles()[event.Doc().GetParticipantRoles().FindByName("Lead")].GetKey()
            : -2;
        EXPECT_EQ(ann.GetUsualRoleKey(), v >= 29 ? 6 : l_lead);
        if (v < 28) {
            EXPECT_TRUE(ann.GetOwnRosterStyles().IsEmpty());
            EXPECT_EQ(ann.GetOrdered(), 0);
            EXPECT_EQ(ann.GetRosterWord2(), 0u);
            EXPECT_EQ(ann.GetByRole(), 0);
            EXPECT_EQ(ann.GetRosterRoleKey(), -1);
            continue;
        }
        EXPECT_EQ(Styles(ann.GetOwnRosterStyles()), (std::vector<std::pair<LONG, LONG>>{{7, 1}, {3, 2}}));
        EXPECT_EQ(ann.GetOrdered(), 1);
        EXPECT_EQ(ann.GetRosterWord2(), 9u);
        EXPECT_EQ(ann.GetByRole(), 1);
        EXPECT_EQ(ann.GetRosterRoleKey(), 44);
        EXPECT_EQ(ann.GetOwnRosterLim(), v >= 35 ? SchedLim(kExact, 2, 0, 0) : SchedLim());
    }
    EXPECT_EQ(event.Doc().GetParticipantRoles().GetCount(), 1) << "the role named twice was made once";

    Participant ann;
    testbytes::Load(ann, ParticipantBytes(40), 40, &event.Doc());
    EXPECT_EQ(testbytes::Store(ann, &event.Doc()), ParticipantBytes(40).Get());
}

TEST(ParticipantArchive, RolesThatCannotBeMadeAreReported)
{
    EventBuilder event;
    ScriptedMessageBox boxes;
    Participant ann;
    testbytes::Load(ann, ParticipantBytes(27, "  "), 27, &event.Doc());
    EXPECT_EQ(ann.GetUsualRoleKey(), -1) << "no name, no role";
    EXPECT_TRUE(boxes.Boxes().empty());

    event.Doc().GetParticipantRoles().SetMaxObjects(0);
    testbytes::Load(ann, ParticipantBytes(28, "Lead"), 28, &event.Doc());
    EXPECT_EQ(ann.GetUsualRoleKey(), -1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Cannot convert the role 'Lead' to the new format: role list is full.");
    EXPECT_EQ(ann.GetRosterRoleKey(), 44) << "loading goes on";
}

// ---- the list ----

TEST(ParticipantList, RemovalKeepsBothIndexesWithoutARebuild)
{
    EventBuilder event;
    event.Participant("Zo\xEB Kay").Participant("Ann Lee").Participant("\xC9mile \xD8st");
    ParticipantList& list = event.Doc().GetParticipants();
    const LONG l_ann = event.ParticipantKey("Ann Lee");
    const LONG l_emile = event.ParticipantKey("\xC9mile \xD8st");
    ASSERT_EQ(list.FindByName("Zo\xEB Kay"), 0);
    ASSERT_TRUE(list.IsKeyIndexValid() && list.IsNameIndexValid());

    list.RemoveParticipant(0);
    EXPECT_TRUE(list.IsKeyIndexValid());
    EXPECT_TRUE(list.IsNameIndexValid());
    EXPECT_EQ(list.FindByKey(l_ann), 0);
    EXPECT_EQ(list.FindByKey(l_emile), 1);
    EXPECT_EQ(list.FindByName("Ann Lee"), 0);
    EXPECT_EQ(list.FindByName("\xC9mile \xD8st"), 1);
    EXPECT_EQ(list.FindByName("Zo\xEB Kay"), -1);

    // Several at once: current indexes stay current, stale ones stale.
    event.Participant("Cy Li").Participant("Di Fox");
    ZelArray<int> a_remove;
    a_remove.Add(0);
    a_remove.Add(2);
    list.RemoveParticipants(a_remove);
    EXPECT_TRUE(list.IsKeyIndexValid());
    EXPECT_EQ(list.FindByName("Di Fox"), 1);
    list.InvalidateKeyIndex();
    list.InvalidateNameIndex();
    a_remove.RemoveAll();
    a_remove.Add(0);
    list.RemoveParticipants(a_remove);
    EXPECT_FALSE(list.IsKeyIndexValid());
    EXPECT_FALSE(list.IsNameIndexValid());
    EXPECT_EQ(list.FindByName("Di Fox"), 0);
    EXPECT_TRUE(list.IsNameIndexValid());
}

TEST(ParticipantList, AddAnswersAndTheirTexts)
{
    EventBuilder event;
    event.Participant("Ann Lee");
    ParticipantList& list = event.Doc().GetParticipants();
    Participant same_name;
    same_name.SetName("Ann  Lee ");
    Participant same_key(list[0]);
    same_key.SetName("Bob Ray");
    const Participant nameless;
    struct Case {
        const Participant* pCandidate;
        int iResult;
        const char* pText;
        const char* pQuiet;
    };
    const Case a_cases[] = {
        {&same_name, ParticipantList::nameExists, "Cannot add participant.  Participant 'Ann Lee' already exists.",
         "Participant already exists."},
        {&same_key, ParticipantList::keyExists, "Cannot add participant 'Bob Ray'. Duplicate participant key.",
         "Participant key already exisits."},
        {&nameless, ParticipantList::notValid, "'' is an invalid participant", "Invalid participant."},
    };
    for (const Case& c : a_cases) {
        std::string s_message = "untouched";
        EXPECT_EQ(list.AddParticipant(*c.pCandidate, s_message, FALSE), c.iResult);
        EXPECT_EQ(s_message, c.pText);
        EXPECT_EQ(list.AddParticipant(*c.pCandidate, s_message, TRUE), c.iResult);
        EXPECT_EQ(s_message, c.pQuiet);
    }
    std::string s_message = "untouched";
    Participant bob;
    bob.SetName("Bob Ray");
    const LONG l_counter = ParticipantList::GetKeyCounter();
    EXPECT_EQ(list.AddParticipant(bob, s_message, FALSE), ParticipantList::added);
    EXPECT_EQ(s_message, "untouched");
    EXPECT_EQ(ParticipantList::GetKeyCounter(), l_counter) << "the list's own records take no keys";
    EXPECT_EQ(list.FindByName("Bob Ray"), 1);
}

// Room made for a list about to be read, and a list grown far past it:
// every participant is found by key and by name, duplicates are refused,
// and the list's own records take no keys.
TEST(ParticipantList, RoomForAReadAndGrowthKeepBothIndexes)
{
    for (const int n_room : {0, 3, 2000}) {
        ParticipantList list;
        list.MakeRoom(n_room);
        EXPECT_TRUE(list.IsKeyIndexValid() && list.IsNameIndexValid());
        std::vector<Participant> v_added;
        const LONG l_counter = ParticipantList::GetKeyCounter();
        for (int i = 0; i < 1500; ++i) {
            Participant part;
            part.SetName("P" + std::to_string(i), "", "Lee");
            ASSERT_EQ(list.Add(part), ParticipantList::added) << i;
            EXPECT_EQ(list.Add(part), ParticipantList::keyExists) << i;
            v_added.push_back(part);
        }
        EXPECT_EQ(ParticipantList::GetKeyCounter(), l_counter + 1500) << n_room;
        Participant same_name;
        same_name.SetName("P7", "", "Lee");
        EXPECT_EQ(list.Add(same_name), ParticipantList::nameExists) << n_room;
        for (int i = 0; i < 1500; ++i) {
            EXPECT_EQ(list.FindByKey(v_added[static_cast<std::size_t>(i)].GetKey()), i) << n_room;
            EXPECT_EQ(list.FindByName(v_added[static_cast<std::size_t>(i)].GetFullName()), i) << n_room;
        }
    }
}

// A list read in one go, empty or holding participants already: a full
// name taken under another key is refused, the same participant again is a
// key taken, and once the read ends every participant is found by key and
// by name.
TEST(ParticipantList, ReadingRefusesTakenNamesAndLeavesBothIndexesRight)
{
    for (const int n_before : {0, 1, 40}) {
        ParticipantList list;
        std::vector<Participant> v_added;
        for (int i = 0; i < n_before; ++i) {
            Participant part;
            part.SetName("Q" + std::to_string(i), "", "Ray");
            ASSERT_EQ(list.Add(part), ParticipantList::added);
            v_added.push_back(part);
        }
        {
            ParticipantList::Reading reading(list, 3);
            for (int i = 0; i < 1500; ++i) {
                Participant part;
                part.SetName("P" + std::to_string(i), i % 2 ? "" : "Ann", "Lee");
                ASSERT_EQ(list.Add(Participant(part)), ParticipantList::added) << i;
                EXPECT_EQ(list.Add(Participant(part)), ParticipantList::keyExists) << i;
                v_added.push_back(part);
            }
            Participant same_name;
            same_name.SetName("P7", "", "Lee");
            EXPECT_EQ(list.Add(std::move(same_name)), ParticipantList::nameExists);
            if (n_before > 0) {
                Participant earlier;
                earlier.SetName("Q0", "", "Ray");
                EXPECT_EQ(list.Add(std::move(earlier)), ParticipantList::nameExists);
            }
            Participant unnamed;
            EXPECT_EQ(list.Add(std::move(unnamed)), ParticipantList::notValid);
            // Read straight into the list's end: kept, or taken out again
            // with the add's answer; a record whose read fails is taken out
            // when the reading ends.
            Participant& fresh = reading.Next();
            fresh.SetName("R1", "", "Lee");
            v_added.push_back(fresh);
            EXPECT_EQ(reading.Keep(), ParticipantList::added);
            reading.Next().SetName("P7", "", "Lee");
            EXPECT_EQ(reading.Keep(), ParticipantList::nameExists);
            reading.Next().SetName("R1", "", "Lee");
            EXPECT_EQ(reading.Keep(), ParticipantList::nameExists);
            reading.Next().SetName("R2", "", "Lee");
        }
        ASSERT_EQ(list.GetNumParticipants(), static_cast<int>(v_added.size()));
        for (int i = 0; i < list.GetNumParticipants(); ++i) {
            const Participant& part = v_added[static_cast<std::size_t>(i)];
            EXPECT_EQ(list.FindByKey(part.GetKey()), i) << n_before;
            EXPECT_EQ(list.FindByName(part.GetFullName()), i) << n_before;
        }
    }
}

// ---- roster settings and checks ----

TEST(RosterLim, CheckStyles)
{
    RosterStyleArray two;
    two.InsertSorted(RosterStyle(7, 1));
    two.InsertSorted(RosterStyle(3, 2));
    const RosterStyleArray none;
    struct Case {
        RosterLim Limit;
        const RosterStyleArray* pStyles;
        const char* pMessage;
    };
    const Case a_cases[] = {
        {{kNone, 0, 5, 1}, &two, ""},
        {{kExact, 3, 0, 0}, &none, ""},
        {{kRange, 0, 3, 1}, &two, "The roster maximum limit is less than the roster minimum limit."},
        {{kExact, 3, 0, 0}, &two, "The roster exact limit is greater than the number of styles selected."},
        {{kRange, 0, 3, 4}, &two, "The roster minimum limit is greater than the number of styles selected."},
        {{kExact, 2, 0, 0}, &two, ""},
        {{kRange, 0, 1, 5}, &two, ""},
    };
    for (const Case& c : a_cases) {
        std::string s_message;
        EXPECT_EQ(c.Limit.CheckStyles(s_message, *c.pStyles) != FALSE, *c.pMessage == 0);
        EXPECT_EQ(s_message, c.pMessage);
    }
}

TEST(Participant, RosterSettingsOfItsOwnOrOfItsRole)
{
    EventBuilder event;
    ParticipantRole drummer("Drummer");
    drummer.GetRosterStyles().InsertSorted(RosterStyle(9, 1));
    drummer.SetOrdered(TRUE);
    drummer.SetRosterLim(RosterLim(kExact, 1, 0, 0));
    event.Doc().GetParticipantRoles().Add(drummer);

    Participant ann;
    ann.GetOwnRosterStyles().InsertSorted(RosterStyle(4, 1));
    ann.SetOwnRosterLim(RosterLim(kRange, 0, 1, 2));
    BOOL b_ordered = TRUE;
    EXPECT_EQ(Styles(ann.GetRosterStyles(&event.Doc(), b_ordered)), (std::vector<std::pair<LONG, LONG>>{{4, 1}}));
    EXPECT_FALSE(b_ordered);
    EXPECT_EQ(ann.GetRosterLim(&event.Doc()).uType, kRange);

    ann.SetByRole(TRUE);
    ann.SetRosterRoleKey(drummer.GetKey());
    EXPECT_EQ(Styles(ann.GetRosterStyles(&event.Doc(), b_ordered)), (std::vector<std::pair<LONG, LONG>>{{9, 1}}));
    EXPECT_TRUE(b_ordered);
    EXPECT_EQ(ann.GetRosterLim(&event.Doc()), RosterLim(kExact, 1, 0, 0));

    ann.SetRosterRoleKey(12345);
    EXPECT_TRUE(ann.GetRosterStyles(&event.Doc(), b_ordered).IsEmpty());
    EXPECT_FALSE(b_ordered);
    EXPECT_EQ(ann.GetRosterLim(&event.Doc()).uType, kNone);

    ann.SetUsualRoleKey(drummer.GetKey());
    EXPECT_EQ(ann.GetUsualRoleName(&event.Doc()), "Drummer");
    ann.SetUsualRoleKey(-1);
    EXPECT_EQ(ann.GetUsualRoleName(&event.Doc()), "");
}

TEST(Participant, Checks)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
    event.Participant("Ann Lee", [](Participant& p) { p.SetDayLimits({kRange, 0, 0, 3}); });
    event.Group("Choir", [](Group& g) { g.SetEventLimits({kRange, 0, 1, 2}); });
    event.Group("Band", [](Group& g) {
        g.SetEventLimits({kExact, 2, 0, 0});
        g.SetDayLimits({kExact, 1, 0, 0});
    });
    event.Member("Choir", "Ann Lee").Member("Band", "Ann Lee").Timetable();
    EventDoc& doc = event.Doc();
    Participant ann(event.GetParticipant("Ann Lee"));
    const DWORD u_all = Participant::e_check_limits | Participant::e_check_groups | Participant::e_check_roster;

    struct Case {
        SchedLim Event;
        SchedLim Day;
        const char* pMessage;
    };
    const Case a_cases[] = {
        {{kExact, 5, 0, 0}, {kRange, 0, 0, 3},
         "The participant's Event minimum limit is too large for the groups in which it is a member.  The "
         "participant is a member of 2 group(s) and the sum of their maximum limits is 4."},
        {{kRange, 0, 0, 2}, {kRange, 0, 0, 3},
         "The participant's Event maximum limit is too small for the groups in which it is a member.  The "
         "participant is a member of 2 group(s) and the sum of their minimum limits is 3."},
        // The edited day maximum, not the stored one, meets the groups.
        {{kNone, 0, 0, 0}, {kRange, 0, 0, 0},
         "The participant is a member of the group 'Band' which has the following problem: The participant 'Ann "
         "Lee' has a Day maximum limit (0) that is too small for the group's Day minimum limit (1)."},
        {{kRange, 0, 3, 4}, {kRange, 0, 0, 3}, ""},
    };
    for (const Case& c : a_cases) {
        ann.SetEventLimits(c.Event);
        ann.SetDayLimits(c.Day);
        std::string s_message;
        EXPECT_EQ(ann.Check(&doc, s_message, u_all, TRUE) != FALSE, *c.pMessage == 0);
        EXPECT_EQ(s_message, c.pMessage);
    }
    // The stored participant is back after the check.
    EXPECT_EQ(event.GetParticipant("Ann Lee").GetDayLimits(), SchedLim(kRange, 0, 0, 3));

    // Without the days, neither the groups' limits nor their checks.
    ann.SetEventLimits(a_cases[0].Event);
    std::string s_message;
    EXPECT_TRUE(ann.Check(&doc, s_message, u_all, FALSE)) << s_message;

    // The roster check: own styles against own limit.
    ann.SetEventLimits({kNone, 0, 0, 0});
    ann.GetOwnRosterStyles().InsertSorted(RosterStyle(4, 1));
    ann.SetOwnRosterLim(RosterLim(kExact, 2, 0, 0));
    EXPECT_FALSE(ann.Check(&doc, s_message, Participant::e_check_roster, FALSE));
    EXPECT_EQ(s_message, "The roster exact limit is greater than the number of styles selected.");
    EXPECT_TRUE(ann.Check(&doc, s_message, Participant::e_check_limits, FALSE));
}

TEST(Participant, RevalidationDropsRosterSettingsOfDeletedThings)
{
    EventBuilder event;
    event.Style("Jazz").Style("Folk").Group("Choir").GroupStyles("Choir", {"Jazz"});
    ParticipantRole lead("Lead");
    lead.GetRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Folk"), 1));
    lead.GetRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Jazz"), 2));
    ParticipantRole follow("Follow");
    follow.GetRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Jazz"), 1));
    event.Doc().GetParticipantRoles().Add(lead);
    event.Doc().GetParticipantRoles().Add(follow);

    // Follows a role that is gone.
    event.Participant("Ann Lee", [](Participant& p) {
        p.SetByRole(TRUE);
        p.SetRosterRoleKey(55555);
        p.SetRosterWord2(3);
    });
    // Own roster styles no group uses.
    event.Participant("Bob Ray", [&](Participant& p) {
        p.GetOwnRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Folk"), 1));
        p.SetRosterWord2(3);
    });
    // Names Lead as usual role and follows Follow for rostering.
    event.Participant("Cy Li", [&](Participant& p) {
        p.SetUsualRoleKey(lead.GetKey());
        p.SetByRole(TRUE);
        p.SetRosterRoleKey(follow.GetKey());
        p.SetRosterWord2(3);
    });

    EventDoc& doc = event.Doc();
    RevalidateParticipantRoles(&doc);
    ASSERT_EQ(doc.GetParticipantRoles().GetCount(), 1) << "no participant has Follow as usual role";
    EXPECT_EQ(doc.GetParticipantRoles()[0].GetName(), "Lead");
    EXPECT_EQ(Styles(doc.GetParticipantRoles()[0].GetRosterStyles()),
              (std::vector<std::pair<LONG, LONG>>{{event.StyleKey("Jazz"), 2}}));

    doc.GetParticipants().RevalidateAll(&doc);
    EXPECT_FALSE(doc.GetParticipants().IsKeyIndexValid());
    EXPECT_FALSE(doc.GetParticipants().IsNameIndexValid());
    const Participant& ann = event.GetParticipant("Ann Lee");
    EXPECT_FALSE(ann.GetByRole());
    EXPECT_EQ(ann.GetRosterWord2(), 0u);
    EXPECT_EQ(ann.GetRosterRoleKey(), 55555) << "the key stays";
    const Participant& bob = event.GetParticipant("Bob Ray");
    EXPECT_TRUE(bob.GetOwnRosterStyles().IsEmpty());
    EXPECT_EQ(bob.GetRosterWord2(), 0u);
    const Participant& cy = event.GetParticipant("Cy Li");
    EXPECT_FALSE(cy.GetByRole()) << "the role it followed is gone";
}

TEST(Participant, DefaultsFromThePreferences)
{
    Preferences prefs;
    prefs.GetPartEventLimits() = {kExact, 5, 0, 0};
    prefs.GetPartDayLimits() = {kRange, 0, 1, 2};
    prefs.GetPartRosterLim() = RosterLim(kExact, 1, 0, 0);
    prefs.GetPartVenueLimits().InsertSorted(VenueLimit(3));
    prefs.SetPartUsesVenueLimits(TRUE);
    Participant ann;
    ann.ApplyDefaults(prefs);
    EXPECT_TRUE(ann.GetUseVenueLimits());
    EXPECT_EQ(ann.GetStoredEventLimits().uType, kNone);
    EXPECT_EQ(ann.GetDayLimits(), SchedLim(kRange, 0, 1, 2));
    EXPECT_EQ(ann.GetOwnRosterLim(), RosterLim(kExact, 1, 0, 0));
    EXPECT_EQ(ann.GetVenueLimits().GetSize(), 1);
}

TEST(EventDoc, GroupStyleKeysSortedAndOnce)
{
    EventBuilder event;
    event.Style("A").Style("B").Style("C").Group("G1").Group("G2");
    event.GroupStyles("G1", {"C", "A"}).GroupStyles("G2", {"A"});
    SortedKeyArray a_keys;
    a_keys.Add(12345);
    event.Doc().GetGroupStyleKeys(a_keys);
    ASSERT_EQ(a_keys.GetSize(), 2);
    EXPECT_EQ(a_keys[0], event.StyleKey("A"));
    EXPECT_EQ(a_keys[1], event.StyleKey("C"));
}

} // namespace
