// The event file's items as a save and the next open see them: names and
// the other texts cut at their limits, key counters at the top of their
// range, and the set keys of not-available times. Each open is a program
// just started (key counters reset); each event is saved, opened, saved and
// opened again, and must come back whole with the same bytes.
#include "framework/MessageBox.h"
#include "generators/SampleEvents.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

using testbytes::Builder;
using testbytes::Bytes;
using testevent::EventBuilder;

namespace {

// Message ids a load reports: duplicates of venues, groups, participants,
// styles, facilities; role errors; "Continue or Quit?".
constexpr UINT uVenueDuplicates = 1026;
constexpr UINT uGroupDuplicates = 1027;
constexpr UINT uParticipantDuplicates = 1028;
constexpr UINT uStyleDuplicates = 1046;
constexpr UINT uFacilityDuplicates = 1050;
constexpr UINT uRoleErrors = 1069;
constexpr UINT uContinueOrQuit = 1059;

struct Ports {
    ScriptedMessageBox Boxes;
    ScriptedContinueQuit ContinueQuit;
    ScriptedMainWindow MainWindow;
    ScriptedClock Clock{ZelOleDateTime(2025, 2, 3, 4, 5, 6)};
};

std::unique_ptr<EventDoc> Open(const Bytes& v_bytes)
{
    sampleevents::ResetKeyCounters();
    auto p_doc = std::make_unique<EventDoc>();
    p_doc->ReadEventFile(v_bytes);
    return p_doc;
}

Bytes ReplaceAt(Bytes v_bytes, std::size_t u_at, std::size_t n_from, const Bytes& v_to)
{
    v_bytes.erase(v_bytes.begin() + static_cast<std::ptrdiff_t>(u_at),
                  v_bytes.begin() + static_cast<std::ptrdiff_t>(u_at + n_from));
    v_bytes.insert(v_bytes.begin() + static_cast<std::ptrdiff_t>(u_at), v_to.begin(), v_to.end());
    return v_bytes;
}

// The bytes with the stored form of one text replaced by another's.
Bytes ReplaceText(const Bytes& v_bytes, const std::string& s_from, const std::string& s_to)
{
    const Bytes v_from = Builder().String(s_from).Get();
    const auto it = std::search(v_bytes.begin(), v_bytes.end(), v_from.begin(), v_from.end());
    if (it == v_bytes.end() || std::search(it + 1, v_bytes.end(), v_from.begin(), v_from.end()) != v_bytes.end()) {
        ADD_FAILURE() << "the text is not in the bytes once: " << s_from;
        return v_bytes;
    }
    return ReplaceAt(v_bytes, static_cast<std::size_t>(it - v_bytes.begin()), v_from.size(),
                     Builder().String(s_to).Get());
}

Bytes ReplaceOnce(const Bytes& v_bytes, const Bytes& v_from, const Bytes& v_to)
{
    const auto it = std::search(v_bytes.begin(), v_bytes.end(), v_from.begin(), v_from.end());
    if (it == v_bytes.end() || std::search(it + 1, v_bytes.end(), v_from.begin(), v_from.end()) != v_bytes.end()) {
        ADD_FAILURE() << "the pattern is not in the bytes once";
        return v_bytes;
    }
    return ReplaceAt(v_bytes, static_cast<std::size_t>(it - v_bytes.begin()), v_from.size(), v_to);
}

// A text one character short of the limit followed by a blank and more:
// cut at the limit, it ends on that blank. Cut is what it must be held as.
std::string Beyond(int i_limit, char c)
{
    return std::string(static_cast<std::size_t>(i_limit - 1), c) + " tail";
}
std::string Cut(int i_limit, char c)
{
    return std::string(static_cast<std::size_t>(i_limit - 1), c);
}

struct Counts {
    int nRoles, nVenues, nGroups, nParticipants, nStyles, nFacilities, nCombinations, nPlacements;
    bool operator==(const Counts&) const = default;
};

Counts CountsOf(const EventDoc& doc)
{
    int n_placed = 0;
    if (const Timetable* p_timetable = doc.GetTimetableObject()) {
        for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
            const Day& day = p_timetable->GetDay(d);
            for (int v = 0; v < day.GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i)
                    n_placed += a_slots[i].GetGroup() >= 0;
            }
        }
    }
    return {doc.GetParticipantRoles().GetCount(), doc.GetVenues().GetNumVenues(),  doc.GetGroups().GetNumGroups(),
            doc.GetParticipants().GetNumParticipants(), doc.GetStyles().GetCount(), doc.GetFacilities().GetCount(),
            doc.GetCombinations().GetCount(), n_placed};
}

std::ostream& operator<<(std::ostream& os, const Counts& c)
{
    return os << "roles " << c.nRoles << ", venues " << c.nVenues << ", groups " << c.nGroups << ", participants "
              << c.nParticipants << ", styles " << c.nStyles << ", facilities " << c.nFacilities
              << ", combinations " << c.nCombinations << ", placements " << c.nPlacements;
}

// Saved, opened and saved again: the second save is the first's bytes and
// the event holds what it held. Returns the event of the last open.
std::unique_ptr<EventDoc> ExpectStable(EventDoc& doc)
{
    const Bytes v_first = doc.WriteEventFile();
    auto p_again = Open(v_first);
    EXPECT_FALSE(p_again->GetLoadProblems());
    EXPECT_EQ(CountsOf(*p_again), CountsOf(doc));
    const Bytes v_second = p_again->WriteEventFile();
    EXPECT_TRUE(v_second == v_first) << "the second save gives other bytes at "
                                     << (std::mismatch(v_second.begin(), v_second.end(), v_first.begin(), v_first.end())
                                             .first
                                         - v_second.begin())
                                     << " of " << v_first.size();
    auto p_third = Open(v_second);
    EXPECT_EQ(CountsOf(*p_third), CountsOf(doc));
    return p_third;
}

// Two days of three slots and two of each kind of item named "@<kind><n>@"
// (the names a test replaces in the saved bytes): venues @v1@ and @v2@,
// styles @s.@, facilities @f.@ (and "Stage"), roles @r.@, participants
// "Pat @p.@", groups @g.@; besides, two more venues, a participant, a group,
// a timetable with placements in @v2@ and of @g2@, and combinations @c.@.
void MakeEvent(EventBuilder& event)
{
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    auto name = [](const char* p_kind, int i) { return std::string("@") + p_kind + std::to_string(i) + "@"; };
    event.Style(name("s", 1)).Style(name("s", 2)).Facility(name("f", 1)).Facility(name("f", 2)).Facility("Stage");
    event.Venue(name("v", 1), {name("s", 1)}, {name("f", 1)}).Venue(name("v", 2), {name("s", 2)}, {name("f", 2)});
    event.Venue("Room 3").Venue("Room 4");
    event.Doc().AddParticipantRole(name("r", 1));
    event.Doc().AddParticipantRole(name("r", 2));
    event.Participant("Pat " + name("p", 1)).Participant("Pat " + name("p", 2)).Participant("Kim Lee");
    event.Group(name("g", 1)).Group(name("g", 2)).Group("Choir");
    event.Member(name("g", 2), "Kim Lee", "lead");
    event.Timetable();
    event.Place(0, name("v", 2), "09:00", name("g", 2)).Place(1, name("v", 2), "10:00", name("g", 2), true);
    event.Place(1, name("v", 2), "11:00", "Choir").Place(0, "Room 3", "10:00", name("g", 1));
    event.Doc().GetCombinations().Add(ZelTimeslotCombination(name("c", 1)));
    event.Doc().GetCombinations().Add(ZelTimeslotCombination(name("c", 2)));
}

} // namespace

// ---- names cut at their limits ----

// Two items of each kind whose names are the same up to the limit, the
// second going on after a blank: the first open already takes the second
// for a duplicate, with the duplicate messages, and keeps the first with
// its placements; what it keeps saves and opens again whole, byte for byte.
TEST(StoredFields, NamesTheSameUpToTheLimitAreDuplicatesAtTheFirstOpen)
{
    Ports ports;
    ports.ContinueQuit.Answer(IDOK);
    sampleevents::ResetKeyCounters();
    EventBuilder event;
    MakeEvent(event);
    const Counts made = CountsOf(event.Doc());
    Bytes v_bytes = event.Doc().WriteEventFile();
    struct Kind {
        const char* pKind;
        int iLimit;
    };
    const Kind a_kinds[] = {{"v", Venue::kMaxNameLength}, {"g", Group::kMaxNameLength},
                            {"s", Style::kMaxNameLength}, {"f", Facility::kMaxNameLength},
                            {"r", ParticipantRole::kMaxNameLength}, {"p", Participant::kMaxLast}};
    for (const Kind& kind : a_kinds) {
        const std::string s_kind = kind.pKind;
        v_bytes = ReplaceText(v_bytes, "@" + s_kind + "1@", Cut(kind.iLimit, 'n'));
        v_bytes = ReplaceText(v_bytes, "@" + s_kind + "2@", Beyond(kind.iLimit, 'n'));
    }

    auto p_doc = Open(v_bytes);
    const std::vector<UINT>& v_messages = p_doc->GetLoadMessages();
    for (UINT u_id : {uVenueDuplicates, uGroupDuplicates, uParticipantDuplicates, uStyleDuplicates,
                      uFacilityDuplicates, uRoleErrors, uContinueOrQuit}) {
        EXPECT_NE(std::find(v_messages.begin(), v_messages.end(), u_id), v_messages.end()) << u_id;
    }
    EXPECT_EQ(ports.ContinueQuit.Asked().size(), 1u);

    // One of each pair is gone, and the second venue's and second group's
    // placements with them; the first of each pair stays under its name.
    Counts expected = made;
    expected.nRoles -= 1;
    expected.nVenues -= 1;
    expected.nGroups -= 1;
    expected.nParticipants -= 1;
    expected.nStyles -= 1;
    expected.nFacilities -= 1;
    const Counts opened = CountsOf(*p_doc);
    EXPECT_EQ(opened.nRoles, expected.nRoles);
    EXPECT_EQ(opened.nVenues, expected.nVenues);
    EXPECT_EQ(opened.nGroups, expected.nGroups);
    EXPECT_EQ(opened.nParticipants, expected.nParticipants);
    EXPECT_EQ(opened.nStyles, expected.nStyles);
    EXPECT_EQ(opened.nFacilities, expected.nFacilities);
    EXPECT_EQ(p_doc->GetVenues().FindByName(Cut(Venue::kMaxNameLength, 'n')), 0);
    EXPECT_GE(p_doc->GetGroups().FindByName(Cut(Group::kMaxNameLength, 'n')), 0);
    EXPECT_GE(p_doc->GetStyles().FindByName(Cut(Style::kMaxNameLength, 'n')), 0);

    ports.Boxes.Clear();
    ExpectStable(*p_doc);
    EXPECT_TRUE(ports.Boxes.Boxes().empty()) << "the saved event opens without a message";
}

// A long name typed or imported takes the same cut: the list refuses the
// second of two such names as one it holds.
TEST(StoredFields, ATypedLongNameIsCutWithoutItsBlank)
{
    Ports ports;
    sampleevents::ResetKeyCounters();
    EventDoc doc;
    {
        Venue a, b;
        a.SetName(Cut(Venue::kMaxNameLength, 'v'));
        b.SetName(Beyond(Venue::kMaxNameLength, 'v'));
        EXPECT_EQ(b.GetName(), a.GetName());
        EXPECT_EQ(doc.GetVenues().AddVenue(a), 0);
        EXPECT_EQ(doc.GetVenues().AddVenue(b), 2);
    }
    {
        Group a, b;
        a.SetName(Cut(Group::kMaxNameLength, 'g'));
        b.SetName(Beyond(Group::kMaxNameLength, 'g'));
        EXPECT_EQ(doc.GetGroups().AddGroup(a), GroupList::added);
        EXPECT_EQ(doc.GetGroups().AddGroup(b), GroupList::nameExists);
    }
    {
        Participant a, b;
        a.SetName("Pat", "", Cut(Participant::kMaxLast, 'p'));
        b.SetName("Pat", "", Beyond(Participant::kMaxLast, 'p'));
        EXPECT_EQ(doc.GetParticipants().Add(a), ParticipantList::added);
        EXPECT_EQ(doc.GetParticipants().Add(b), ParticipantList::nameExists);
    }
    {
        Style a, b;
        a.SetName(Cut(Style::kMaxNameLength, 's'));
        b.SetName(Beyond(Style::kMaxNameLength, 's'));
        EXPECT_EQ(doc.GetStyles().Add(a), StyleList::added);
        EXPECT_EQ(doc.GetStyles().Add(b), StyleList::nameExists);
        EXPECT_EQ(doc.GetStyles().FindByName(Beyond(Style::kMaxNameLength, 's')), 0);
    }
    {
        ParticipantRole a(Cut(ParticipantRole::kMaxNameLength, 'r'));
        ParticipantRole b(Beyond(ParticipantRole::kMaxNameLength, 'r'));
        EXPECT_EQ(doc.GetParticipantRoles().Add(a), ParticipantRoleList::added);
        EXPECT_EQ(doc.GetParticipantRoles().Add(b), ParticipantRoleList::nameExists);
    }
}

// Every cut text of every kind of item, given in the file one character
// short of its limit and going on after a blank, is held cut without the
// blank; the items carry every stored field besides, and the event saves
// and opens to the same bytes and the same items from its first save on.
TEST(StoredFields, EveryCutTextSavesTheSameBytesFromTheFirstSave)
{
    Ports ports;
    sampleevents::ResetKeyCounters();
    EventBuilder event;
    MakeEvent(event);
    EventDoc& made = event.Doc();
    const ZelSimpleAddress address = [] {
        ZelSimpleAddress a(40, 9);
        a.SetAddr("12 Station Road", "Northtown", "Shire", "NT1 2AB");
        return a;
    }();
    event.Group("@gname@", [&](Group& group) {
        group.GetContact().SetName("@gfirst@", "@glast@");
        group.GetAddress() = address;
        group.SetPhone("@gphone@");
        group.SetPhone2("@gphone2@");
        group.SetFax("@gfax@");
        group.SetEmail("choir@example.org");
        group.SetNotes("sings on Mondays");
        group.SetRotation(Group::e_day_rotation);
        group.SetMaxGroupSize(12);
        group.GetStoredEventLimits().uType = SchedLim::e_no_limits;
    });
    event.GroupStyles("@gname@", {"@s1@"}).GroupFacilities("@gname@", {"@f1@"});
    event.Alloc("@gname@", "@v1@", 1, 2, true);
    event.GroupUnavailable("@gname@", 1, "11:00-12:00");
    event.Participant("@pfirst@ @pmiddle@ @plast@", [&](Participant& part) {
        part.GetAddress() = address;
        part.SetPhone("@pphone@");
        part.SetPhone2("@pphone2@");
        part.SetFax("@pfax@");
        part.SetEmail("pat@example.org");
        part.SetNotes("plays the oboe");
        part.SetOrdered(TRUE);
        part.SetRosterWord2(7);
        part.SetByRole(TRUE);
        part.SetUsualRoleKey(made.GetParticipantRoles()[0].GetKey());
        part.SetRosterRoleKey(made.GetParticipantRoles()[1].GetKey());
    });
    event.Member("@gname@", "@pfirst@ @pmiddle@ @plast@", "oboe");
    made.GetMiscOptions().SetExportFileName("@path@");
    made.GetVenues()[0].SetLocation("North wing");
    const Counts counts = CountsOf(made);
    Bytes v_bytes = made.WriteEventFile();

    struct Field {
        const char* pHolder;
        int iLimit;
    };
    const Field a_fields[] = {
        {"@gname@", Group::kMaxNameLength},       {"@gfirst@", 20},
        {"@glast@", 20},                          {"@gphone@", ContactNumbers::kMaxPhoneLength},
        {"@gphone2@", ContactNumbers::kMaxPhoneLength}, {"@gfax@", ContactNumbers::kMaxPhoneLength},
        {"@pfirst@", Participant::kMaxFirst},     {"@pmiddle@", Participant::kMaxMiddle},
        {"@plast@", Participant::kMaxLast},       {"@pphone@", ContactNumbers::kMaxPhoneLength},
        {"@pphone2@", ContactNumbers::kMaxPhoneLength}, {"@pfax@", ContactNumbers::kMaxPhoneLength},
        {"@v1@", Venue::kMaxNameLength},          {"@s1@", Style::kMaxNameLength},
        {"@f1@", Facility::kMaxNameLength},       {"@r1@", ParticipantRole::kMaxNameLength},
        {"@c1@", ZelTimeslotCombination::nMaxNameLength}, {"@path@", MiscOptions::kMaxFileNameLength},
    };
    char c_letter = 'a';
    for (const Field& field : a_fields)
        v_bytes = ReplaceText(v_bytes, field.pHolder, Beyond(field.iLimit, c_letter++));

    auto p_doc = Open(v_bytes);
    EXPECT_FALSE(p_doc->GetLoadProblems());
    EXPECT_EQ(CountsOf(*p_doc), counts);
    const EventDoc& doc = *p_doc;
    const Group& group = doc.GetGroups()[doc.GetGroups().FindByName(Cut(Group::kMaxNameLength, 'a'))];
    const int i_part = doc.GetParticipants().FindByName(Cut(Participant::kMaxFirst, 'g') + " "
                                                        + Cut(Participant::kMaxMiddle, 'h') + " "
                                                        + Cut(Participant::kMaxLast, 'i'));
    ASSERT_GE(i_part, 0);
    const Participant& part = doc.GetParticipants()[i_part];
    const std::pair<std::string, std::string> a_held[] = {
        {group.GetContact().GetFirstName(), Cut(20, 'b')},
        {group.GetContact().GetLastName(), Cut(20, 'c')},
        {group.GetPhone(), Cut(ContactNumbers::kMaxPhoneLength, 'd')},
        {group.GetPhone2(), Cut(ContactNumbers::kMaxPhoneLength, 'e')},
        {group.GetFax(), Cut(ContactNumbers::kMaxPhoneLength, 'f')},
        {part.GetPhone(), Cut(ContactNumbers::kMaxPhoneLength, 'j')},
        {part.GetPhone2(), Cut(ContactNumbers::kMaxPhoneLength, 'k')},
        {part.GetFax(), Cut(ContactNumbers::kMaxPhoneLength, 'l')},
        {doc.GetVenues()[0].GetName(), Cut(Venue::kMaxNameLength, 'm')},
        {doc.GetStyles()[0].GetName(), Cut(Style::kMaxNameLength, 'n')},
        {doc.GetFacilities()[0].GetName(), Cut(Facility::kMaxNameLength, 'o')},
        {doc.GetParticipantRoles()[0].GetName(), Cut(ParticipantRole::kMaxNameLength, 'p')},
        {doc.GetCombinations()[0].GetName(), Cut(ZelTimeslotCombination::nMaxNameLength, 'q')},
        {doc.GetMiscOptions().GetExportFileName(), Cut(MiscOptions::kMaxFileNameLength, 'r')},
    };
    for (const auto& [s_held, s_cut] : a_held)
        EXPECT_EQ(s_held, s_cut);
    EXPECT_EQ(part.GetAddress(), address);
    EXPECT_EQ(group.GetMembers().GetSize(), 1);

    ExpectStable(*p_doc);
    EXPECT_TRUE(ports.Boxes.Boxes().empty());
}

// ---- key counters at the top of their range ----

// A counter at the top hands out the top key and stays there: no key
// wraps to a negative one or back to the first items' keys. A counter below
// 0 starts at 0. For every counter.
TEST(StoredFields, AKeyCounterNeverWraps)
{
    struct Kind {
        const char* pWhat;
        std::function<void(LONG)> fSet;
        std::function<LONG()> fGet;
        std::function<LONG()> fMake;
    };
    const Kind a_kinds[] = {
        {"venue", Venue::SetKeyCounter, Venue::GetKeyCounter, [] { return Venue().GetKey(); }},
        {"group", Group::SetKeyCounter, Group::GetKeyCounter, [] { return Group().GetKey(); }},
        {"participant", Participant::SetKeyCounter, Participant::GetKeyCounter,
         [] { return Participant().GetKey(); }},
        {"style", Property::SetKeyCounter, Property::GetKeyCounter, [] { return Style().GetKey(); }},
        {"facility", Property::SetKeyCounter, Property::GetKeyCounter, [] { return Facility().GetKey(); }},
        {"role", ParticipantRole::SetKeyCounter, ParticipantRole::GetKeyCounter,
         [] { return ParticipantRole().GetKey(); }},
        {"combination", [](LONG l) { ktTSCombKey = l; }, [] { return ktTSCombKey; },
         [] { return ZelTimeslotCombination().GetKey(); }},
        {"custom day", CustomDays::SetKeyCounter, CustomDays::GetKeyCounter,
         [] {
             CustomDays days;
             ZelStringArray a_names;
             a_names.Add("Arrival");
             days.SetDays(a_names);
             return days.GetDayId(0);
         }},
    };
    for (const Kind& kind : a_kinds) {
        SCOPED_TRACE(kind.pWhat);
        kind.fSet(INT32_MAX - 1);
        EXPECT_EQ(kind.fMake(), INT32_MAX - 1);
        EXPECT_EQ(kind.fMake(), INT32_MAX);
        EXPECT_EQ(kind.fMake(), INT32_MAX);
        EXPECT_EQ(kind.fGet(), INT32_MAX);
        kind.fSet(INT32_MIN);
        EXPECT_EQ(kind.fMake(), 0);
        EXPECT_EQ(kind.fGet(), 1);
    }
    sampleevents::ResetKeyCounters();
}

// A file whose key counter stands at the top, past it (a negative word) or
// below 0, or whose item holds a key at the top: it opens with every item
// and no message, the counter is set where new items take keys no item
// holds, and the event with those new items saves and opens whole. For
// each keyed list of the file.
TEST(StoredFields, AFileCounterAtTheTopOpensWholeAndGivesFreeKeys)
{
    Ports ports;
    sampleevents::ResetKeyCounters();
    ParticipantRole::SetKeyCounter(100000);
    Venue::SetKeyCounter(200000);
    Group::SetKeyCounter(300000);
    Participant::SetKeyCounter(400000);
    Property::SetKeyCounter(500000);
    CustomDays::SetKeyCounter(600000);
    ktTSCombKey = 700000;
    EventBuilder event;
    MakeEvent(event);
    EventDoc& made = event.Doc();
    const Counts counts = CountsOf(made);
    const CustomDays& made_days = made.GetEventDef().GetCustomDays();
    const LONG l_lastDay = made_days.GetDayId(made_days.GetNumDays() - 1);
    const std::string s_lastDay = made_days.GetDayName(made_days.GetNumDays() - 1);
    const LONG l_combination = made.GetCombinations()[1].GetKey();
    const LONG l_stage = made.GetFacilities()[made.GetFacilities().FindByName("Stage")].GetKey();
    const struct {
        LONG lRole, lVenue, lGroup, lParticipant, lProperty, lDay;
    } stored = {ParticipantRole::GetKeyCounter(), Venue::GetKeyCounter(),    Group::GetKeyCounter(),
                Participant::GetKeyCounter(),     Property::GetKeyCounter(), CustomDays::GetKeyCounter()};
    const Bytes v_bytes = made.WriteEventFile();

    // Each list's new item, added to the open event; its key.
    using Make = std::function<LONG(EventDoc&, int)>;
    const Make make_role = [](EventDoc& doc, int i) {
        return doc.AddParticipantRole("New role " + std::to_string(i));
    };
    const Make make_venue = [](EventDoc& doc, int i) {
        Venue venue;
        venue.SetName("New venue " + std::to_string(i));
        EXPECT_EQ(doc.GetVenues().AddVenue(venue), 0);
        return venue.GetKey();
    };
    const Make make_group = [](EventDoc& doc, int i) {
        Group group;
        group.SetName("New group " + std::to_string(i));
        EXPECT_EQ(doc.GetGroups().AddGroup(group), GroupList::added);
        return group.GetKey();
    };
    const Make make_participant = [](EventDoc& doc, int i) {
        Participant part;
        part.SetName("New", "", "Person" + std::to_string(i));
        EXPECT_EQ(doc.GetParticipants().Add(part), ParticipantList::added);
        return part.GetKey();
    };
    const Make make_style = [](EventDoc& doc, int i) {
        Style style;
        style.SetName("New style " + std::to_string(i));
        EXPECT_EQ(doc.GetStyles().Add(style), StyleList::added);
        return style.GetKey();
    };
    const Make make_facility = [](EventDoc& doc, int i) {
        Facility facility;
        facility.SetName("New facility " + std::to_string(i));
        EXPECT_EQ(doc.GetFacilities().Add(facility), FacilityList::added);
        return facility.GetKey();
    };
    const Make make_combination = [](EventDoc& doc, int i) {
        const ZelTimeslotCombination combination("New combination " + std::to_string(i));
        EXPECT_EQ(doc.GetCombinations().Add(combination), ZelTimeslotCombinationList::added);
        return combination.GetKey();
    };
    // A custom day is not made apart from its definition: the key the next
    // one takes.
    const Make make_day = [](EventDoc&, int) {
        LONG l_counter = CustomDays::GetKeyCounter();
        const LONG l_key = ZelKeyCounter::Take(l_counter);
        CustomDays::SetKeyCounter(l_counter);
        return l_key;
    };
    // The keys a list holds.
    using Keys = std::function<std::set<LONG>(const EventDoc&)>;
    auto keys_of = [](const auto& list, int n, auto key_at) {
        std::set<LONG> keys;
        for (int i = 0; i < n; ++i)
            keys.insert(key_at(list, i));
        return keys;
    };
    const Keys role_keys = [&](const EventDoc& doc) {
        return keys_of(doc.GetParticipantRoles(), doc.GetParticipantRoles().GetCount(),
                       [](const auto& l, int i) { return l[i].GetKey(); });
    };
    const Keys venue_keys = [&](const EventDoc& doc) {
        return keys_of(doc.GetVenues(), doc.GetVenues().GetNumVenues(),
                       [](const auto& l, int i) { return l[i].GetKey(); });
    };
    const Keys group_keys = [&](const EventDoc& doc) {
        return keys_of(doc.GetGroups(), doc.GetGroups().GetNumGroups(),
                       [](const auto& l, int i) { return l[i].GetKey(); });
    };
    const Keys participant_keys = [&](const EventDoc& doc) {
        return keys_of(doc.GetParticipants(), doc.GetParticipants().GetNumParticipants(),
                       [](const auto& l, int i) { return l[i].GetKey(); });
    };
    const Keys property_keys = [&](const EventDoc& doc) {
        std::set<LONG> keys = keys_of(doc.GetStyles(), doc.GetStyles().GetCount(),
                                      [](const auto& l, int i) { return l[i].GetKey(); });
        for (int i = 0; i < doc.GetFacilities().GetCount(); ++i)
            keys.insert(doc.GetFacilities()[i].GetKey());
        return keys;
    };
    const Keys combination_keys = [&](const EventDoc& doc) {
        return keys_of(doc.GetCombinations(), doc.GetCombinations().GetCount(),
                       [](const auto& l, int i) { return l[i].GetKey(); });
    };
    const Keys day_keys = [&](const EventDoc& doc) {
        const CustomDays& days = doc.GetEventDef().GetCustomDays();
        return keys_of(days, days.GetNumDays(), [](const auto& l, int i) { return l.GetDayId(i); });
    };

    // The list's counter and count as the file holds them.
    auto counter = [](LONG l_counter, int n_count, std::uint32_t u_to) {
        return std::make_pair(Builder().Dwords({l_counter, n_count}).Get(), Builder().Dword(u_to).Dword(n_count).Get());
    };
    auto day_counter = [&](std::uint32_t u_to) {
        return std::make_pair(Builder().String(s_lastDay).Dwords({l_lastDay, 0, stored.lDay}).Get(),
                              Builder().String(s_lastDay).Dwords({l_lastDay, 0}).Dword(u_to).Get());
    };
    auto combination_key = [&](std::uint32_t u_to) {
        return std::make_pair(Builder().Dwords({1, l_combination}).Name("@c2@").Get(),
                              Builder().Dword(1).Dword(u_to).Name("@c2@").Get());
    };
    auto facility_key = [&](std::uint32_t u_to) {
        return std::make_pair(Builder().Dword(l_stage).Name("Stage").Get(), Builder().Dword(u_to).Name("Stage").Get());
    };
    struct Case {
        std::string sWhat;
        std::pair<Bytes, Bytes> Patch;
        Make fMake;
        Keys fKeys;
    };
    std::vector<Case> v_cases;
    for (std::uint32_t u_to : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        const std::string s_to = " " + std::to_string(u_to);
        v_cases.push_back({"role counter" + s_to, counter(stored.lRole, 2, u_to), make_role, role_keys});
        v_cases.push_back({"venue counter" + s_to, counter(stored.lVenue, 4, u_to), make_venue, venue_keys});
        v_cases.push_back({"group counter" + s_to, counter(stored.lGroup, 3, u_to), make_group, group_keys});
        v_cases.push_back(
            {"participant counter" + s_to, counter(stored.lParticipant, 3, u_to), make_participant, participant_keys});
        v_cases.push_back({"style counter" + s_to, counter(stored.lProperty, 2, u_to), make_style, property_keys});
        v_cases.push_back(
            {"facility counter" + s_to, counter(stored.lProperty, 3, u_to), make_facility, property_keys});
        v_cases.push_back({"custom-day counter" + s_to, day_counter(u_to), make_day, day_keys});
    }
    for (std::uint32_t u_to : {0x7FFFFFFEu, 0x7FFFFFFFu}) {
        const std::string s_to = " " + std::to_string(u_to);
        v_cases.push_back({"combination key" + s_to, combination_key(u_to), make_combination, combination_keys});
        v_cases.push_back({"facility key" + s_to, facility_key(u_to), make_style, property_keys});
    }

    for (const Case& c : v_cases) {
        SCOPED_TRACE(c.sWhat);
        const Bytes v_patched = ReplaceOnce(v_bytes, c.Patch.first, c.Patch.second);
        auto p_doc = Open(v_patched);
        EXPECT_FALSE(p_doc->GetLoadProblems());
        EXPECT_EQ(CountsOf(*p_doc), counts);
        // Keys apart from every key the list holds, and from one another.
        const std::set<LONG> held = c.fKeys(*p_doc);
        std::set<LONG> taken;
        for (int i = 0; i < 3; ++i) {
            const LONG l_key = c.fMake(*p_doc, i);
            EXPECT_GE(l_key, 0);
            EXPECT_EQ(held.count(l_key), 0u) << l_key;
            EXPECT_TRUE(taken.insert(l_key).second) << l_key;
        }
        // As after an edit: the timetable takes the new venues.
        p_doc->DocChanged(UpdateViewHint::e_general);
        auto p_again = ExpectStable(*p_doc);
        EXPECT_EQ(c.fKeys(*p_again), c.fKeys(*p_doc));
    }
    sampleevents::ResetKeyCounters();
}

// ---- the set keys of not-available times ----

// A group's or participant's not-available list without keys of its own
// times gives every time the list's venue key (-1, no venue), whatever set
// key the file held for a time: the open holds them so, and the save
// writes the list's key, as the event was always saved.
TEST(StoredFields, NotAvailableTimesTakeTheListsVenueKey)
{
    Ports ports;
    sampleevents::ResetKeyCounters();
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"});
    event.Venue("Hall").Venue("Studio").Venue("Room 3").Venue("Room 4").Participant("Kim Lee").Group("Choir");
    event.GroupUnavailable("Choir", 0, "09:15-09:45");
    const LONG l_tuesday = event.Doc().GetEventDef().GetCustomDays().GetDayId(1);
    event.GetParticipant("Kim Lee").GetUnavailable().AddTime(l_tuesday, EventBuilder::RelSlot("10:20-10:40"));
    event.Timetable();
    const Bytes v_saved = event.Doc().WriteEventFile();

    // The same times naming venue 3 in the file.
    Bytes v_file = v_saved;
    for (const char* p_times : {"09:15-09:45", "10:20-10:40"}) {
        ZelRelTimeslot listed = EventBuilder::RelSlot(p_times, -1);
        ZelRelTimeslot venue3 = EventBuilder::RelSlot(p_times, 3);
        v_file = ReplaceOnce(v_file, testbytes::Store(listed), testbytes::Store(venue3));
    }
    auto p_doc = Open(v_file);
    const TimeList& times = p_doc->GetGroups()[0].GetUnavailable();
    ASSERT_EQ(times.GetNumDays(), 1);
    EXPECT_EQ(times.GetDay(0).Times[0].GetSetKey(), -1);
    EXPECT_EQ(p_doc->WriteEventFile(), v_saved);

    // The stored pair: such a file, and what the program wrote for it
    // before its open took the records straight into their lists.
    auto read = [](const std::string& s_name) {
        std::ifstream in(std::string(ROTAVEX_EVENT_SEEDS) + "/" + s_name, std::ios::binary);
        EXPECT_TRUE(in.good()) << s_name;
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const Bytes v_stored = read("not-available-venue-key.eve");
    const Bytes v_resaved = read("not-available-venue-key.resaved.eve");
    EXPECT_EQ(Open(v_stored)->WriteEventFile(), v_resaved);
}
