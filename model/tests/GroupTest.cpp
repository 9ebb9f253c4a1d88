#include "framework/Exceptions.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Preferences.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include <string>
#include <vector>

using testbytes::Builder;
using testevent::EventBuilder;

namespace {

constexpr UINT kNone = SchedLim::e_no_limits;
constexpr UINT kExact = SchedLim::e_exact;
constexpr UINT kRange = SchedLim::e_range;

// ---- the stored forms ----

// An empty time list as a file of that version holds it.
Builder& TimeListBytes(Builder& b, unsigned v)
{
    if (v <= 6)
        return b.Dword(0).Count(0);
    if (v <= 24)
        return b.Count(0);
    if (v <= 36)
        return b.Dword(0).Dwords({1, -1}).Count(0);
    return b.Dwords({0, -1}).Count(0);
}

// The group "Choir" (key 77) as a file of version v stores it, with as
// much as that version holds.
Builder GroupBytes(unsigned v, DWORD u_rotation = 2)
{
    Builder b;
    if (v >= 17) {
        b.Dwords({kExact, 4, 0, 0}).Dwords({kRange, 0, 1, 2});
        TimeListBytes(b, v).String("Bring music");
        if (v >= 34)
            b.Dword(1).Count(1).Dwords({3, kRange, 0, 1, 4});
    }
    b.Dword(77).Name("Choir").Dword(1).String("Ann").String("Lee");
    b.Dword(1).String("1 Main St").String("").String("").String("12345");
    if (v <= 4)
        b.String("555-1");
    else
        b.Name("555-1").Name("555-2").Dwords({1, 80}).String("c@x.org");
    if (v >= 20)
        b.Name("555-3");
    if (v <= 18)
        b.Dword(5);
    else
        b.Dwords({5, 5, 6, -1, -1, -1});
    b.Dwords({5, 8, -1, -1, -1, -1});
    b.Count(2).Dword(10).String("alto");
    if (v >= 28)
        b.Dword(1);
    b.Dword(11).String("");
    if (v >= 28)
        b.Dword(0);
    if (v <= 16) {
        b.Dwords({kExact, 4, 0, 0});
        TimeListBytes(b, v);
        if (v >= 6)
            b.String("Bring music").Dwords({kRange, 0, 1, 2});
    }
    if (v >= 10)
        b.Dword(u_rotation);
    if (v >= 11)
        b.Count(1).Dwords({3, 0}).Dwords({kExact, 2, 1, 1});
    if (v >= 18 && v <= 33)
        b.Dword(1).Count(1).Dwords({3, kRange, 0, 1, 4});
    if (v >= 28)
        b.Dword(12);
    return b;
}

TEST(GroupArchive, EveryVersionGate)
{
    for (unsigned v : {4u, 10u, 16u, 17u, 18u, 19u, 20u, 28u, 33u, 34u, 40u}) {
        SCOPED_TRACE("version " + std::to_string(v));
        Group group;
        group.SetSelected(TRUE);
        testbytes::Load(group, GroupBytes(v), v);

        EXPECT_EQ(group.GetKey(), 77);
        EXPECT_EQ(group.GetName(), "Choir");
        EXPECT_EQ(group.GetContact().GetName(), "Ann Lee");
        EXPECT_EQ(group.GetAddress().GetPostCode(), "12345");
        EXPECT_EQ(group.GetPhone(), "555-1");
        EXPECT_EQ(group.GetPhone2(), v > 4 ? "555-2" : "");
        EXPECT_EQ(group.GetEmail(), v > 4 ? "c@x.org" : "");
        EXPECT_EQ(group.GetFax(), v >= 20 ? "555-3" : "");
        EXPECT_EQ(group.GetStyles().GetCount(), v <= 18 ? 1 : 2);
        EXPECT_GE(group.GetStyles().Find(5), 0);
        EXPECT_EQ(group.GetFacilities().Find(8), 0);
        ASSERT_EQ(group.GetMembers().GetSize(), 2);
        EXPECT_EQ(group.GetMembers().Find(11), 1);
        EXPECT_EQ(group.GetMembers()[0].sRole, "alto");
        EXPECT_EQ(group.GetMembers()[0].bRostered, v >= 28 ? 1 : 0);
        EXPECT_EQ(group.GetStoredEventLimits(), SchedLim(kExact, 4, 0, 0));
        EXPECT_EQ(group.GetNotes(), v >= 6 ? "Bring music" : "");
        EXPECT_EQ(group.GetDayLimits().uType, v >= 6 ? kRange : kNone);
        EXPECT_EQ(group.GetRotation(), v >= 10 ? 2u : 0u);
        EXPECT_EQ(group.GetVenueAllocs().GetSize(), v >= 11 ? 1 : 0);
        EXPECT_EQ(group.GetUseVenueLimits(), v >= 18 ? TRUE : FALSE);
        EXPECT_EQ(group.GetVenueLimits().GetSize(), v >= 18 ? 1 : 0);
        EXPECT_EQ(group.GetMaxGroupSize(), v >= 28 ? 12 : 99999);
        EXPECT_FALSE(group.IsSelected());
    }

    // The current form is written back byte for byte.
    Group group;
    testbytes::Load(group, GroupBytes(40), 40);
    EXPECT_EQ(testbytes::Store(group), GroupBytes(40).Get());
}

TEST(GroupArchive, ARotationOutsideTheThreeIsRefused)
{
    Group group;
    try {
        testbytes::Load(group, GroupBytes(40, 3), 40);
        ADD_FAILURE() << "loaded";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    }
    // A member count beyond the data.
    Builder b;
    b.Dword(77).Name("Choir").Dword(1).String("").String("").Dword(1).String("").String("").String("").String("");
    b.String("").Dword(5).Dwords({5, -1, -1, -1, -1, -1}).Count(50000).Dword(10);
    EXPECT_THROW(testbytes::Load(group, b, 4), CArchiveException);
}

// ---- what a group is asked ----

TEST(Group, AnchorsKeepAsciiLettersAndDigits)
{
    Group group;
    group.SetName("Choir & Band!");
    EXPECT_EQ(group.GetHtmlAnchor(), "GRTAGChoirBand");
    group.SetName("Ch\x9C" "ur 2 \xE9t\xE9");
    EXPECT_EQ(group.GetHtmlAnchor(), "GRTAGChur2t");
}

TEST(Group, VenueSuitabilityByStylesAndFacilities)
{
    EventBuilder event;
    event.Style("Jazz").Style("Folk").Style("Rock").Facility("Piano").Facility("Stage");
    event.Venue("Club", {"Jazz", "Folk"}, {"Piano"}).Venue("Arena", {"Rock"}, {"Piano", "Stage"}).Venue("Hall");
    struct Case {
        std::vector<const char*> vStyles;
        std::vector<const char*> vFacilities;
        bool bClub, bArena, bHall;
    };
    const Case a_cases[] = {
        {{"Folk"}, {}, true, false, true},
        {{"Rock", "Jazz"}, {}, true, true, true},
        {{}, {}, false, false, true},
        {{"Jazz"}, {"Stage"}, false, false, false},
        {{"Rock"}, {"Stage", "Piano"}, false, true, false},
    };
    for (const Case& c : a_cases) {
        Group group;
        for (const char* p : c.vStyles)
            group.GetStyles().Add(event.StyleKey(p));
        for (const char* p : c.vFacilities)
            group.GetFacilities().Add(event.FacilityKey(p));
        const VenueList& venues = event.Doc().GetVenues();
        EXPECT_EQ(IsVenueSuitable(group, venues[0]) != FALSE, c.bClub);
        EXPECT_EQ(IsVenueSuitable(group, venues[1]) != FALSE, c.bArena);
        EXPECT_EQ(IsVenueSuitable(group, venues[2]) != FALSE, c.bHall);
    }
}

TEST(Group, AvailabilityOfTheGroupAndItsMembers)
{
    EventBuilder event;
    event.Style("Rock").Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    event.Venue("Arena", {"Rock"}).Venue("Hall").Venue("Barn");
    event.VenueSlots(1, "Hall", {"09:00-10:00"}).VenueSlots(1, "Barn", {"09:00-10:00", "10:00-11:00"});
    event.Participant("Ann Lee").Participant("Bob Ray").Group("Choir").Member("Choir", "Ann Lee").Timetable();
    const EventDoc& doc = event.Doc();
    const LONG l_mon = doc.GetEventDef().GetDayDef().GetDayId(0);
    const Group& choir = event.GetGroup("Choir");
    const Day& monday = doc.GetTimetable()->GetDay(0);
    const Day& tuesday = doc.GetTimetable()->GetDay(1);
    const Timeslot& nine = event.Slot(0, "Hall", "09:00");
    const Timeslot& ten = event.Slot(0, "Hall", "10:00");

    EXPECT_TRUE(choir.IsAvailable(&doc, l_mon, nine)) << "nobody is away";
    EXPECT_EQ(choir.GetMaxAvailableSlots(&doc, monday), 3) << "the Arena wants a style the group lacks";
    EXPECT_EQ(choir.GetMaxAvailableSlots(&doc, tuesday), 2) << "the most any one venue has that day";

    // A member away at 09:00 makes the group unavailable then, once the
    // cache is worked out again.
    event.GetParticipant("Ann Lee").GetUnavailable().AddTime(l_mon, EventBuilder::RelSlot("08:30-09:30"));
    event.GetGroup("Choir").InvalidateAvailabilityCache();
    EXPECT_FALSE(choir.IsAvailable(&doc, l_mon, nine));
    EXPECT_TRUE(choir.IsAvailable(&doc, l_mon, ten));
    EXPECT_TRUE(choir.IsAvailabilityCacheValid());
    EXPECT_FALSE(choir.IsAvailableAt(&doc, l_mon, nine));
    EXPECT_EQ(choir.GetMaxAvailableSlots(&doc, monday), 2);
    EXPECT_TRUE(choir.IsPlaceableOnDay(&doc, monday));

    // The group's own times count too; a day it cannot use at all.
    event.GetGroup("Choir").GetUnavailable().AddTime(l_mon, EventBuilder::RelSlot("09:30-12:00"));
    EXPECT_FALSE(choir.IsAvailable(&doc, l_mon, ten));
    EXPECT_FALSE(choir.IsAvailableAt(&doc, l_mon, ten));
    EXPECT_FALSE(choir.IsPlaceableOnDay(&doc, monday));
    EXPECT_EQ(choir.GetMaxAvailableSlots(&doc, monday), 0);

    // A copy starts with its cache stale.
    const Group copy(choir);
    EXPECT_FALSE(copy.IsAvailabilityCacheValid());
}

TEST(Group, MembersText)
{
    EventBuilder event;
    event.Participant("Alexandra Smithson").Participant("Bartholomew Jones").Participant("Cy Li");
    event.Group("Choir").Member("Choir", "Alexandra Smithson", "alto").Member("Choir", "Bartholomew Jones");
    event.Member("Choir", "Cy Li");
    // A member whose participant is gone is left out.
    event.GetGroup("Choir").GetMembers().SetMember(999, "bass", FALSE);
    const Group& choir = event.GetGroup("Choir");

    struct Case {
        int nWidth;
        BOOL bRoles;
        const char* pText;
    };
    const Case a_cases[] = {
        {100, TRUE, "Alexandra Smithson (alto), Bartholomew Jones, Cy Li"},
        {100, FALSE, "Alexandra Smithson, Bartholomew Jones, Cy Li"},
        {20, FALSE, ",..."},
        {24, FALSE, "Alexandra Smithson,..."},
        {48, FALSE, "Alexandra Smithson, Bartholomew Jones, Cy Li"},
        {47, FALSE, "Alexandra Smithson, Bartholomew Jones,..."},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(choir.GetMembersText(&event.Doc(), c.nWidth, c.bRoles), c.pText) << c.nWidth;

    // Measured by a device: two units a character, twelve a line.
    const MeasureText measure = [](const std::string& s) {
        return TextExtent{static_cast<LONG>(2 * s.size()), 12};
    };
    TextExtent extent;
    EXPECT_EQ(choir.GetMembersText(&event.Doc(), 60, FALSE, FALSE, measure, &extent), "Alexandra Smithson,...");
    EXPECT_EQ(extent, (TextExtent{44, 12}));
    EXPECT_EQ(choir.GetMembersText(&event.Doc(), 60, FALSE, TRUE, measure, &extent),
              "Alexandra Smithson,\r\nBartholomew Jones, Cy Li");
    EXPECT_EQ(extent, (TextExtent{48, 24}));
}

TEST(Group, MemberCheck)
{
    EventBuilder event;
    event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    event.Participant("Ann Lee", [](Participant& p) { p.SetDayLimits({kRange, 0, 0, 1}); });
    event.Participant("Bob Ray", [](Participant& p) { p.SetDayLimits({kExact, 2, 0, 0}); });
    event.Group("Choir").Member("Choir", "Bob Ray").Member("Choir", "Ann Lee").Timetable();
    Group& choir = event.GetGroup("Choir");

    struct Case {
        SchedLim Event;
        SchedLim Day;
        const char* pMessage;
    };
    const Case a_cases[] = {
        {{kNone, 0, 0, 0}, {kExact, 2, 0, 0},
         "The participant 'Ann Lee' has a Day maximum limit (1) that is too small for the group's Day minimum "
         "limit (2)."},
        {{kExact, 4, 0, 0}, {kRange, 0, 1, 2},
         "The participant 'Ann Lee' has a Day maximum limit (1) which, when multiplied by the number of available "
         "days for the group (3), is too small for the group's Event minimum limit (4)."},
        {{kExact, 3, 0, 0}, {kRange, 0, 1, 2}, ""},
    };
    for (const Case& c : a_cases) {
        choir.SetEventLimits(c.Event);
        choir.SetDayLimits(c.Day);
        std::string s_message;
        EXPECT_EQ(choir.Check(&event.Doc(), s_message, TRUE, -1) != FALSE, *c.pMessage == 0);
        EXPECT_EQ(s_message, c.pMessage);
    }
    // One participant only; Validate checks only with bit 0.
    choir.SetEventLimits({kNone, 0, 0, 0});
    choir.SetDayLimits({kExact, 2, 0, 0});
    std::string s_message;
    EXPECT_TRUE(choir.Check(&event.Doc(), s_message, TRUE, event.ParticipantKey("Bob Ray")));
    EXPECT_TRUE(choir.Validate(&event.Doc(), s_message, 0, TRUE));
    EXPECT_FALSE(choir.Validate(&event.Doc(), s_message, 1, TRUE));
}

TEST(Group, RevalidationDropsWhatIsGone)
{
    EventBuilder event;
    event.Style("Jazz").Style("Folk").Facility("Piano").Venue("Hall").Venue("Barn").Participant("Ann Lee");
    event.Participant("Bob Ray").Group("Choir").GroupStyles("Choir", {"Jazz", "Folk"}).GroupFacilities("Choir", {"Piano"});
    event.Member("Choir", "Ann Lee").Member("Choir", "Bob Ray");
    Group& choir = event.GetGroup("Choir");
    choir.GetVenueAllocs().InsertSorted(VenueAlloc(event.VenueKey("Hall")));
    choir.GetVenueAllocs().InsertSorted(VenueAlloc(event.VenueKey("Barn")));
    const LONG l_folk = event.StyleKey("Folk");

    EventDoc& doc = event.Doc();
    doc.GetStyles().Delete(doc.GetStyles().FindByKey(event.StyleKey("Jazz")));
    doc.GetFacilities().RemoveAll();
    doc.GetVenues().RemoveAt(event.VenueIndex("Hall"));
    doc.GetParticipants().RemoveParticipant(0);
    choir.Revalidate(&doc);

    EXPECT_EQ(choir.GetStyles().GetCount(), 1);
    EXPECT_EQ(choir.GetStyles()[1], l_folk) << "the other keys keep their slots";
    EXPECT_EQ(choir.GetFacilities().GetCount(), 0);
    ASSERT_EQ(choir.GetVenueAllocs().GetSize(), 1);
    EXPECT_EQ(choir.GetVenueAllocs()[0].lVenueKey, event.VenueKey("Barn"));
    ASSERT_EQ(choir.GetMembers().GetSize(), 1);
    EXPECT_EQ(choir.GetMembers().Find(event.ParticipantKey("Bob Ray")), 0);

    // A venue without an allocation gets the shared default one.
    EXPECT_EQ(choir.GetVenueAlloc(event.VenueKey("Barn")).lVenueKey, event.VenueKey("Barn"));
    EXPECT_EQ(choir.GetVenueAlloc(12345).lVenueKey, -1);
    EXPECT_EQ(choir.GetVenueAlloc(12345).Alloc.GetMax(), 999u);
    EXPECT_EQ(choir.GetVenueAllocText(&doc), "Barn=None");
}

TEST(Group, DefaultsFromThePreferences)
{
    Preferences prefs;
    prefs.GetGroupEventLimits() = {kExact, 5, 0, 0};
    prefs.GetGroupDayLimits() = {kRange, 0, 1, 2};
    prefs.SetGroupRotation(Group::e_event_rotation);
    prefs.SetMaxGroupSize(30);
    prefs.GetGroupVenueAllocs().InsertSorted(VenueAlloc(3));
    VenueLimit limit(3);
    limit.Limit = {kExact, 2, 0, 0};
    prefs.GetGroupVenueLimits().InsertSorted(limit);

    Group group;
    group.ApplyDefaults(prefs);
    EXPECT_EQ(group.GetEventLimits(), SchedLim(kExact, 5, 0, 0));
    EXPECT_EQ(group.GetDayLimits(), SchedLim(kRange, 0, 1, 2));
    EXPECT_EQ(group.GetRotation(), 1u);
    EXPECT_EQ(group.GetMaxGroupSize(), 30);
    EXPECT_EQ(group.GetVenueAllocs().GetSize(), 1);
    EXPECT_FALSE(group.GetUseVenueLimits());
    EXPECT_EQ(group.GetVenueLimits()[0].Limit.uType, kNone) << "the defaults' venue limits are not in use";

    prefs.SetGroupUsesVenueLimits(TRUE);
    group.ApplyDefaults(prefs);
    EXPECT_TRUE(group.GetUseVenueLimits());
    EXPECT_EQ(group.GetStoredEventLimits().uType, kNone);
    EXPECT_EQ(group.GetVenueLimits()[0].Limit, SchedLim(kExact, 2, 0, 0));
}

TEST(Group, CopiesAndComparisons)
{
    Group a;
    a.SetName("  Choir   of  Ely ");
    a.GetMembers().SetMember(4, "alto", FALSE);
    a.SetSelected(TRUE);
    EXPECT_EQ(a.GetName(), "Choir of Ely");
    Group b;
    EXPECT_NE(a.GetKey(), b.GetKey()) << "each new group takes a key";
    b = a;
    EXPECT_EQ(b.GetKey(), a.GetKey());
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(b.GetMembers().Find(4), 0) << "the copied members are indexed";
    b.SetKey(99);
    b.SetSelected(FALSE);
    EXPECT_TRUE(a == b) << "key and selection are not compared";
    b.GetMembers().SetMember(4, "bass", FALSE);
    EXPECT_FALSE(a == b);
}

TEST(Group, MembersKeepTheirIndex)
{
    GroupMembers members;
    members.SetMember(7, "", FALSE);
    members.SetMember(3, "alto", TRUE);
    members.SetMember(9, "", FALSE);
    members.SetMember(3, "bass", FALSE);
    ASSERT_EQ(members.GetSize(), 3);
    EXPECT_EQ(members[1].sRole, "bass") << "an update keeps the member's place";
    members.RemoveAt(0);
    EXPECT_EQ(members.Find(3), 0);
    EXPECT_EQ(members.Find(9), 1);
    EXPECT_EQ(members.Find(7), -1);
    members.Reserve(10);
    EXPECT_EQ(members.Find(9), 1);

    GroupMembers loaded;
    testbytes::Load(loaded, testbytes::Store(members), 40);
    EXPECT_TRUE(loaded == members);
    EXPECT_EQ(loaded.Find(9), 1);

    // A damaged file may name a participant twice: the index finds its
    // last place, and places move up behind a removed member.
    GroupMembers twice;
    twice.SetMember(3, "", FALSE);
    twice.SetMember(5, "", FALSE);
    twice.SetMember(0x00ABCDEF, "", FALSE);
    testbytes::Bytes v_bytes = testbytes::Store(twice);
    const std::uint8_t a_key[] = {0xEF, 0xCD, 0xAB, 0x00};
    const auto it_key = std::search(v_bytes.begin(), v_bytes.end(), std::begin(a_key), std::end(a_key));
    ASSERT_NE(it_key, v_bytes.end());
    std::copy_n("\x03\x00\x00\x00", 4, it_key);
    testbytes::Load(twice, v_bytes, 40);
    ASSERT_EQ(twice.GetSize(), 3);
    EXPECT_EQ(twice.Find(3), 2);
    twice.RemoveAt(0);
    EXPECT_EQ(twice.Find(5), 0);
    EXPECT_EQ(twice.Find(3), 1);
}

// The index stands in the members' own record while the group is small
// and moves to a block of its own past that: whichever way the members
// came and went, it finds what a walk of the members would (a key given
// twice at its last place).
TEST(Group, MemberIndexAnswersAsAWalkAcrossItsGrowth)
{
    auto walk = [](const GroupMembers& members, LONG l_key) {
        int i_found = -1;
        for (int i = 0; i < members.GetSize(); ++i) {
            if (members[i].lParticipantKey == l_key)
                i_found = i;
        }
        return i_found;
    };
    auto expect_walk = [&](const GroupMembers& members, const std::string& s_step) {
        for (LONG l_key = -1; l_key <= 110; ++l_key)
            ASSERT_EQ(members.Find(l_key), walk(members, l_key)) << s_step << ", key " << l_key;
    };

    std::uint32_t u_seed = 12345;
    auto draw = [&](std::uint32_t n) {
        u_seed = u_seed * 1103515245u + 12345u;
        return (u_seed >> 16) % n;
    };
    GroupMembers members;
    for (int i_step = 0; i_step < 600; ++i_step) {
        const std::uint32_t u_op = draw(10);
        std::string s_step = "step " + std::to_string(i_step);
        if (u_op < 6) {
            members.SetMember(static_cast<LONG>(draw(40)), "", FALSE);
        } else if (u_op < 8 && members.GetSize() > 0) {
            members.RemoveAt(static_cast<int>(draw(static_cast<std::uint32_t>(members.GetSize()))));
        } else if (u_op == 8) {
            GroupMembers copy(members);
            expect_walk(copy, s_step + " (copy)");
            GroupMembers loaded;
            testbytes::Load(loaded, testbytes::Store(members), 40);
            expect_walk(loaded, s_step + " (loaded)");
            members.Reserve(static_cast<int>(draw(12)));
        } else if (draw(8) == 0) {
            members.RemoveAll();
        }
        expect_walk(members, s_step);
    }

    // A damaged file naming one participant at both ends of a long list.
    GroupMembers many;
    for (LONG l_key = 0; l_key < 9; ++l_key)
        many.SetMember(l_key, "", FALSE);
    testbytes::Bytes v_bytes = testbytes::Store(many);
    const std::uint8_t a_last[] = {0x08, 0x00, 0x00, 0x00};
    const auto it_last = std::find_end(v_bytes.begin(), v_bytes.end(), std::begin(a_last), std::end(a_last));
    ASSERT_NE(it_last, v_bytes.end());
    std::copy_n("\x00\x00\x00\x00", 4, it_last);
    GroupMembers twice;
    testbytes::Load(twice, v_bytes, 40);
    ASSERT_EQ(twice.GetSize(), 9);
    EXPECT_EQ(twice.Find(0), 8);
    EXPECT_EQ(twice.Find(8), -1);

    // Members 100, 101, ... stored, then renamed in the bytes: member i
    // names participant f_key(i).
    auto stored_renamed = [](int n, auto f_key) {
        GroupMembers stored;
        for (LONG l_key = 100; l_key < 100 + n; ++l_key)
            stored.SetMember(l_key, "", FALSE);
        testbytes::Bytes v_stored = testbytes::Store(stored);
        for (int i = 0; i < n; ++i) {
            const std::uint8_t a_key[] = {static_cast<std::uint8_t>(100 + i), 0x00, 0x00, 0x00};
            const auto it_key = std::search(v_stored.begin(), v_stored.end(), std::begin(a_key), std::end(a_key));
            EXPECT_NE(it_key, v_stored.end());
            if (it_key != v_stored.end())
                *it_key = static_cast<std::uint8_t>(f_key(i));
        }
        return v_stored;
    };

    // Five members naming two participants: a list small enough for the
    // index to stand in the group, read as it is from a file.
    GroupMembers two;
    testbytes::Load(two, stored_renamed(5, [](int i) { return 101 - i % 2; }), 40);
    expect_walk(two, "two participants in five members");
    EXPECT_EQ(two.Find(101), 4);
    EXPECT_EQ(two.Find(100), 3);

    // Nine members naming three participants, given to a group whose
    // index has a block already.
    GroupMembers three;
    for (LONG l_key = 100; l_key < 109; ++l_key)
        three.SetMember(l_key, "", FALSE);
    testbytes::Load(three, stored_renamed(9, [](int i) { return 100 + i % 3; }), 40);
    many = three;
    expect_walk(many, "three participants in nine members");
    EXPECT_EQ(many.Find(100), 6);
    EXPECT_EQ(many.Find(102), 8);
}

// The details name the group's locked timeslots: a placement the next
// build may move (Monday in the hall) is not among them.
TEST(Group, DetailsTellWhereTheGroupIsLocked)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Timetable().TwentyFourHour();
    event.Place(0, "Hall", "09:00", "Choir").Place(0, "Barn", "10:00", "Choir", true);
    event.Place(1, "Hall", "09:00", "Choir", true);
    ZelTimeslotCombinationList combinations;
    const ZelTimeslotCombination morning("Morning");
    combinations.Add(morning);
    event.Slot(1, "Hall", "09:00").SetCombinationKey(morning.GetKey());

    const Group& choir = event.GetGroup("Choir");
    EXPECT_EQ(choir.GetDetailsText(&event.Doc(), FALSE), "Mon 10:00 (Barn),Tue 09:00 (Hall)");
    EXPECT_EQ(choir.GetDetailsText(&event.Doc(), TRUE, &combinations),
              "Mon 10:00...11:00 (Barn),Tue 09:00...10:00 (Morning,Hall)");
    event.Doc().GetVenues().RemoveAll();
    EXPECT_EQ(choir.GetDetailsText(&event.Doc(), TRUE), "") << "no timetable to speak of without venues";
}

} // namespace
