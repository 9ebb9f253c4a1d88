// The event file: the document's top level of it (each class writes its
// own section), the reports of items the lists refused, the list views'
// layouts, and loading into a fresh document that takes the open one's
// place only when the whole load succeeded.
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "res/ProgramRelease.h"
#include "zelkit/values/ZelRelease.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Versions at which the top level gained its sections.
constexpr UINT uLastOldDatesVersion = 6;
constexpr UINT uPrintOptionsVersion = 9;
constexpr UINT uMiscOptionsVersion = 10;
constexpr UINT uFurtherTextsVersion = 13;
constexpr UINT uLayoutsVersion = 15;
constexpr UINT uRulesVersion = 22;
constexpr UINT uRolesVersion = 29;
constexpr UINT uCombinationsVersion = 32;
constexpr UINT uReleaseTextVersion = 40;

// No event of the versions that stored dates this way spans ten years; a
// damaged span must not make days without end. Nor has one more slots
// than ten years of quarter-hour slots around the clock: a few bytes of
// damaged dates and minutes must not make millions of slots.
constexpr std::int32_t nMaxOldDays = 3660;
constexpr std::int64_t nMaxOldSlots = std::int64_t(nMaxOldDays) * 96;
// A timetable is made from the day layouts before it is read, one slot per
// layout slot and venue. A stored slot takes forty bytes and more, so a
// timetable far larger than the data that follows it is damage; below this
// size the file's data is not asked about (files of versions 1 to 6 store
// a day without its slots).
constexpr std::uint64_t nFreeTimetableSlots = 2000000;

// Every stored list element begins with its 32-bit key.
constexpr std::size_t nMinElementBytes = 4;
// No group or participant of any file version is stored in fewer bytes.
// A list is given room up front for only as many as the bytes left could
// hold, so that a damaged count cannot make the load ask for far more
// memory than the file could fill.
constexpr std::size_t nMinRecordBytes = 16;
// A stored layout: a class name and at least the column count and two
// empty unsigned-word arrays.
constexpr std::size_t nMinLayoutBytes = 1 + 4 + 8 + 8;

// Positions of the five item kinds in the reports.
enum { e_venues, e_groups, e_participants, e_styles, e_facilities, e_kinds };
constexpr UINT aDuplicateLines[e_kinds] = {1026, 1027, 1028, 1046, 1050};
constexpr UINT aErrorLines[e_kinds] = {1030, 1031, 1032, 1045, 1051};
constexpr UINT uDuplicatesMessage = 1029;
constexpr UINT uErrorsMessage = 1034;
constexpr UINT uRoleErrorsMessage = 1069;
constexpr UINT uContinueOrQuitMessage = 1059;
constexpr UINT uOldVenueTimesMessage = 1079;

// The process-wide key counters a load moves. A load that fails puts them
// back, so that the event left open goes on with its own.
struct KeyCounters {
    LONG lVenue = Venue::GetKeyCounter();
    LONG lGroup = Group::GetKeyCounter();
    LONG lParticipant = Participant::GetKeyCounter();
    LONG lProperty = Property::GetKeyCounter();
    LONG lRole = ParticipantRole::GetKeyCounter();
    LONG lCustomDay = CustomDays::GetKeyCounter();
    LONG lCombination = ktTSCombKey;

    void Restore() const
    {
        Venue::SetKeyCounter(lVenue);
        Group::SetKeyCounter(lGroup);
        Participant::SetKeyCounter(lParticipant);
        Property::SetKeyCounter(lProperty);
        ParticipantRole::SetKeyCounter(lRole);
        CustomDays::SetKeyCounter(lCustomDay);
        ktTSCombKey = lCombination;
    }
};

// The next key a counter hands out after a list was read: the stored
// counter, moved past every key the list took, or, when that leaves no key
// to give, where the list's keys leave room (ZelKeyCounter::Settle).
// Scratch objects read on the way took keys of their own; those do not
// count.
class NextKey {
public:
    explicit NextKey(LONG l_stored) : llNext(l_stored), llStored(l_stored) {}
    // A further stored counter that may stand higher.
    void Counter(LONG l_stored)
    {
        llNext = std::max<std::int64_t>(llNext, l_stored);
        llStored = std::max<std::int64_t>(llStored, l_stored);
    }
    void Loaded(LONG l_key)
    {
        llNext = std::max<std::int64_t>(llNext, std::int64_t(l_key) + 1);
        vKeys.push_back(l_key);
    }
    LONG Get() const { return ZelKeyCounter::Settle(llNext, vKeys, llStored); }

private:
    std::int64_t llNext;
    std::int64_t llStored;
    std::vector<LONG> vKeys;
};

DWORD ReadDword(CArchive& ar)
{
    DWORD u = 0;
    ar >> u;
    return u;
}

DWORD ReadListCount(CArchive& ar)
{
    const DWORD n_count = ReadDword(ar);
    ar.CheckAvailable(n_count, nMinElementBytes);
    return n_count;
}

// The room to make for a list of n_count records read next.
int RoomFor(const CArchive& ar, DWORD n_count)
{
    return static_cast<int>(std::min<std::uint64_t>(n_count, ar.BytesRemaining() / nMinRecordBytes));
}

CHighTime ReadOldDate(CArchive& ar)
{
    COleDateTime o_date;
    ar >> o_date;
    const CHighTime dt(o_date);
    if (o_date.GetStatus() != COleDateTime::valid || dt.GetStatus() != CHighTime::valid)
        CArchive::ThrowBadSchema("a date of the event that is not valid");
    return dt;
}

std::string ReleaseText()
{
    return ZelRelease(RVX_PRODUCT_NAME, RVX_RELEASE_NUMBER, "").FormatRel();
}

} // namespace

// What a load checks for references no list resolves.
namespace {

// The keys of a list, for the many tests of a key a check of references
// makes: a bit per key when the keys are dense (as a list's keys are: the
// counter hands them out one by one), so that a test reads one word of a
// small block wherever the key stands; else the keys sorted, for a search.
class KnownKeys {
public:
    template <class List>
    explicit KnownKeys(const List& list, int n_items) : KnownKeys(KeysOf(list, n_items))
    {
    }
    explicit KnownKeys(std::vector<LONG> v_keys) : vKeys(std::move(v_keys))
    {
        std::sort(vKeys.begin(), vKeys.end());
        if (vKeys.empty() || vKeys.front() < 0)
            return;
        const std::uint64_t u_last = static_cast<std::uint64_t>(vKeys.back());
        if (u_last > 64 * vKeys.size() + 4096)
            return;
        vBits.assign(static_cast<std::size_t>(u_last / 64 + 1), 0);
        for (LONG l_key : vKeys)
            vBits[static_cast<std::size_t>(l_key) / 64] |= std::uint64_t(1) << (static_cast<DWORD>(l_key) % 64);
        std::vector<LONG>().swap(vKeys);
    }
    bool Has(LONG l_key) const
    {
        if (vBits.empty())
            return std::binary_search(vKeys.begin(), vKeys.end(), l_key);
        const std::size_t u_word = static_cast<std::size_t>(static_cast<DWORD>(l_key)) / 64;
        return l_key >= 0 && u_word < vBits.size()
            && (vBits[u_word] >> (static_cast<DWORD>(l_key) % 64) & 1) != 0;
    }
    bool HasAll(const std::vector<LONG>& v_keys) const
    {
        return std::all_of(v_keys.begin(), v_keys.end(), [this](LONG l_key) { return Has(l_key); });
    }

private:
    template <class List>
    static std::vector<LONG> KeysOf(const List& list, int n_items)
    {
        std::vector<LONG> v_keys;
        v_keys.reserve(static_cast<std::size_t>(std::max(n_items, 0)));
        for (int i = 0; i < n_items; ++i)
            v_keys.push_back(list[i].GetKey());
        return v_keys;
    }

    std::vector<LONG> vKeys;
    std::vector<std::uint64_t> vBits;
};

bool KeysKnown(const KeyList& keys, const KnownKeys& known)
{
    for (int i = 0; i < keys.GetMaxKeys(); ++i) {
        if (keys[i] != -1 && !known.Has(keys[i]))
            return false;
    }
    return true;
}

// The used slots' keys, for a test once their list is read.
void CollectKeys(const KeyList& keys, std::vector<LONG>& v_keys)
{
    for (int i = 0; i < keys.GetMaxKeys(); ++i) {
        if (keys[i] != -1)
            v_keys.push_back(keys[i]);
    }
}

bool DaysKnown(const TimeList& times, const DayDefBase& days)
{
    for (int i = 0; i < times.GetNumDays(); ++i) {
        if (days.FindDayId(times.GetDay(i).lDayId) < 0)
            return false;
    }
    return true;
}

// A count of an allocation into 1 to the longest run; whether it moved.
bool MendCount(UINT& u_count)
{
    const UINT u_mended = std::clamp<UINT>(u_count, SchedAlloc::kMinCount, SchedAlloc::kMaxCount);
    const bool b_mended = u_mended != u_count;
    u_count = u_mended;
    return b_mended;
}

// An allocation asks for a run of 1 to 999 timeslots, no shorter at its
// maximum than at its minimum. The allocation page stores nothing else, and
// the build takes nothing else; a file that holds it otherwise is mended as
// the page would store it: a count of 0 becomes 1, one above 999 becomes
// 999, and a maximum below the minimum becomes the minimum. Whether any was
// mended.
bool MendAllocs(VenueAllocArray& a_allocs)
{
    bool b_mended = false;
    for (int i = 0; i < a_allocs.GetSize(); ++i) {
        SchedAlloc& alloc = a_allocs[i].Alloc;
        if (alloc.uType == SchedLim::e_no_limits)
            continue;
        if (alloc.uType == SchedLim::e_exact) {
            b_mended |= MendCount(alloc.uValue);
            continue;
        }
        // Any other type is a range.
        b_mended |= MendCount(alloc.uMin);
        b_mended |= MendCount(alloc.uMax);
        if (alloc.uMax < alloc.uMin) {
            alloc.uMax = alloc.uMin;
            b_mended = true;
        }
    }
    return b_mended;
}

// The style keys of a rule count only for the kinds that use styles; the
// others keep whatever they hold.
bool RuleStylesKnown(const SchedRule& rule, const KnownKeys& styles)
{
    const UINT u_kind = rule.GetKind();
    if (u_kind < SchedRule::e_same_styles || u_kind > SchedRule::e_selected_styles)
        return true;
    return KeysKnown(rule.GetStyles(), styles);
}

bool EntityResolved(const SchedEntity& entity, const KnownKeys& venues, const DayDefBase& days)
{
    const VenueLimitArray& a_limits = entity.GetVenueLimits();
    for (int i = 0; i < a_limits.GetSize(); ++i) {
        if (!venues.Has(a_limits[i].GetVenueKey()))
            return false;
    }
    return DaysKnown(entity.GetUnavailable(), days);
}

} // namespace

// What a load counts of the items the lists refused.
struct EventDoc::LoadCounts {
    int nRoleErrors = 0;
    int aDuplicates[e_kinds] = {};
    int aErrors[e_kinds] = {};
    BOOL bOldVenueTimes = FALSE;
    // For each venue the file holds: whether the venue list took it.
    ZelArray<BOOL> VenueKept;
    // Whether a participant kept names a venue or day the event lacks,
    // which is known as it is read.
    BOOL bParticipantUnresolved = FALSE;
    // The keys of the participants kept.
    std::vector<LONG> vParticipantKeys;
    // Whether a group kept names a venue or day the event lacks, which is
    // known as it is read; the style, facility and participant keys the
    // groups name, for the test once those lists are read.
    BOOL bGroupUnresolved = FALSE;
    std::vector<LONG> vGroupStyleKeys;
    std::vector<LONG> vGroupFacilityKeys;
    std::vector<LONG> vMemberKeys;

    void NoteGroup(const Group& group, const KnownKeys& venues, const DayDefBase& days)
    {
        const VenueAllocArray& a_allocs = group.GetVenueAllocs();
        for (int a = 0; a < a_allocs.GetSize(); ++a) {
            if (!venues.Has(a_allocs[a].GetVenueKey()))
                bGroupUnresolved = TRUE;
        }
        if (!EntityResolved(group, venues, days))
            bGroupUnresolved = TRUE;
        CollectKeys(group.GetStyles(), vGroupStyleKeys);
        CollectKeys(group.GetFacilities(), vGroupFacilityKeys);
        const GroupMembers& members = group.GetMembers();
        for (int m = 0; m < members.GetSize(); ++m)
            vMemberKeys.push_back(members.GetAt(m).lParticipantKey);
    }

    // An add result of the venue, group or participant list.
    void Count(int i_kind, int i_result)
    {
        if (i_result == 2)
            ++aDuplicates[i_kind];
        else if (i_result == 3 || i_result == 4)
            ++aErrors[i_kind];
    }
};

// --- event file ---

void EventDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreEvent(ar);
    else
        LoadEvent(ar);
}

std::string EventDoc::ReadEventName(CArchive& ar)
{
    const DWORD u_version = ReadDword(ar);
    if (u_version < 1 || u_version > kCurrentFileVersion)
        return {};
    std::string s_name;
    ar >> s_name;
    return s_name;
}

void EventDoc::StoreEvent(CArchive& ar)
{
    bLoadProblems = FALSE;
    uFileVersion = kCurrentFileVersion;
    ar << static_cast<DWORD>(uFileVersion);
    ar << sEventName << ReleaseText();
    ar << dtCreated << dtLastSaved;
    ar << sFurtherText1 << sFurtherText2;
    EventDef.Serialize(ar);
    Prefs.Serialize(ar);
    PrintOpts.Serialize(ar);
    MiscOpts.Serialize(ar);
    SchedRules.Serialize(ar);

    ar << static_cast<DWORD>(ParticipantRole::GetKeyCounter()) << static_cast<DWORD>(ParticipantRoles.GetCount());
    for (int i = 0; i < ParticipantRoles.GetCount(); ++i)
        ParticipantRoles[i].Serialize(ar);
    ar << static_cast<DWORD>(Venue::GetKeyCounter()) << static_cast<DWORD>(Venues.GetNumVenues());
    for (int i = 0; i < Venues.GetNumVenues(); ++i)
        Venues[i].Serialize(ar);
    // Writing changes neither a group's key nor its name, so the groups
    // need no handle that re-indexes the list.
    ar << static_cast<DWORD>(Group::GetKeyCounter()) << static_cast<DWORD>(Groups.GetNumGroups());
    for (int i = 0; i < Groups.GetNumGroups(); ++i)
        Groups[i].Serialize(ar);
    ar << static_cast<DWORD>(Participant::GetKeyCounter()) << static_cast<DWORD>(Participants.GetNumParticipants());
    for (int i = 0; i < Participants.GetNumParticipants(); ++i)
        Participants[i].Serialize(ar);
    ar << static_cast<DWORD>(Property::GetKeyCounter()) << static_cast<DWORD>(Styles.GetCount());
    for (int i = 0; i < Styles.GetCount(); ++i)
        Styles[i].Serialize(ar);
    ar << static_cast<DWORD>(Property::GetKeyCounter()) << static_cast<DWORD>(Facilities.GetCount());
    for (int i = 0; i < Facilities.GetCount(); ++i)
        Facilities[i].Serialize(ar);

    ar << static_cast<DWORD>(pTimetable ? 1 : 0);
    if (pTimetable)
        pTimetable->Serialize(ar);
    Combinations.Serialize(ar);
    SerializeViewLayouts(ar);
}

void EventDoc::LoadEvent(CArchive& ar)
{
    bLoadProblems = FALSE;
    bLoadRepairs = FALSE;
    vLoadMessages.clear();
    LoadCounts counts;

    const DWORD u_version = ReadDword(ar);
    // Every section below reads this version from the document.
    uFileVersion = u_version;
    if (u_version < 1 || u_version > kCurrentFileVersion)
        CArchive::ThrowBadSchema("an event file version this program does not read");
    ar >> sEventName;
    if (u_version >= uReleaseTextVersion) {
        std::string s_release;
        ar >> s_release;
    }
    if (u_version <= uLastOldDatesVersion) {
        LoadOldDates(ar);
    } else {
        ar >> dtCreated >> dtLastSaved;
        if (u_version >= uFurtherTextsVersion)
            ar >> sFurtherText1 >> sFurtherText2;
        EventDef.Serialize(ar);
    }

    Prefs.Serialize(ar);
    // The allocations new groups take.
    if (MendAllocs(Prefs.GetGroupVenueAllocs()))
        bLoadRepairs = TRUE;
    if (u_version >= uPrintOptionsVersion)
        PrintOpts.Serialize(ar);
    if (u_version >= uMiscOptionsVersion)
        MiscOpts.Serialize(ar);
    if (u_version < uRulesVersion)
        SchedRules = SchedulingRules();
    else
        SchedRules.Serialize(ar);

    LoadRoles(ar, counts);
    LoadVenues(ar, counts);
    LoadGroups(ar, counts);
    LoadParticipants(ar, counts);
    {
        // Styles and facilities share one counter, which a load never
        // takes back: keys handed out in this run stay unique.
        const LONG l_present = Property::GetKeyCounter();
        NextKey next(l_present);
        next.Counter(static_cast<LONG>(ReadDword(ar)));
        LoadProperties<Style>(ar, Styles, counts.aDuplicates[e_styles], counts.aErrors[e_styles]);
        for (int i = 0; i < Styles.GetCount(); ++i)
            next.Loaded(Styles.GetAt(i).GetKey());
        Property::SetKeyCounter(next.Get());
        next.Counter(static_cast<LONG>(ReadDword(ar)));
        LoadProperties<Facility>(ar, Facilities, counts.aDuplicates[e_facilities], counts.aErrors[e_facilities]);
        for (int i = 0; i < Facilities.GetCount(); ++i)
            next.Loaded(Facilities.GetAt(i).GetKey());
        Property::SetKeyCounter(next.Get());
    }
    LoadTimetable(ar, counts);

    if (u_version < uCombinationsVersion)
        Combinations.RemoveAll();
    else
        Combinations.Serialize(ar);
    if (u_version >= uLayoutsVersion)
        SerializeViewLayouts(ar);
    else
        ViewLayouts.clear();

    if (HasUnresolvedReferences(counts))
        bLoadRepairs = TRUE;
    ReportLoadProblems(counts);
}

void EventDoc::LoadOldDates(CArchive& ar)
{
    const CHighTime dt_firstStart = ReadOldDate(ar);
    const CHighTime dt_lastEnd = ReadOldDate(ar);
    const CHighTime dt_otherStart = ReadOldDate(ar);
    const CHighTime dt_otherEnd = ReadOldDate(ar);
    const DWORD u_minutes = ReadDword(ar);

    const std::int32_t n_days = ZelOleDateTime::GetNumCalendarDays(dt_firstStart, dt_lastEnd);
    if (n_days > nMaxOldDays)
        CArchive::ThrowBadSchema("the event's dates span more than ten years");
    // A day of slots of the minutes lasts 24 hours at most.
    if (u_minutes > 0 && std::int64_t(n_days) * ((1440 + std::int64_t(u_minutes) - 1) / u_minutes) > nMaxOldSlots)
        CArchive::ThrowBadSchema("the event's dates and slot minutes make more slots than any event has");
    ZelArray<ZelOleDateTime> a_dates;
    for (std::int32_t i = 0; i < n_days; ++i)
        a_dates.Add(ZelOleDateTime(dt_firstStart + CHighTimeSpan(i, 0)));
    CalendarDays days;
    days.SetDates(a_dates);
    days.GenerateAllDays(dt_firstStart, dt_lastEnd, dt_otherStart, dt_otherEnd,
                         static_cast<int>(std::min<DWORD>(u_minutes, INT32_MAX)));
    EventDef.SetDayDef(days);
    dtCreated = PresentTime();
}

void EventDoc::LoadRoles(CArchive& ar, LoadCounts& counts)
{
    ParticipantRoles.RemoveAll();
    if (uFileVersion < uRolesVersion)
        return;
    const LONG l_stored = static_cast<LONG>(ReadDword(ar));
    ParticipantRole::SetKeyCounter(l_stored);
    NextKey next(l_stored);
    const DWORD n_roles = ReadListCount(ar);
    for (DWORD i = 0; i < n_roles; ++i) {
        ParticipantRole role;
        role.Serialize(ar);
        // Invalid, list full, a name taken under another key, a key taken:
        // every refusal is a role error.
        if (ParticipantRoles.Add(role) == ParticipantRoleList::added)
            next.Loaded(role.GetKey());
        else
            ++counts.nRoleErrors;
    }
    ParticipantRole::SetKeyCounter(next.Get());
}

void EventDoc::LoadVenues(CArchive& ar, LoadCounts& counts)
{
    const LONG l_stored = static_cast<LONG>(ReadDword(ar));
    Venue::SetKeyCounter(l_stored);
    NextKey next(l_stored);
    const DWORD n_venues = ReadListCount(ar);
    // The key of each venue of the file, -1 for one the list refused: the
    // older layouts name venues by their place in the file.
    ZelArray<LONG> a_fileKeys;
    for (DWORD i = 0; i < n_venues; ++i) {
        Venue venue;
        venue.Serialize(ar);
        if (venue.HasOldAvailability())
            counts.bOldVenueTimes = TRUE;
        const int i_result = Venues.AddVenue(venue);
        counts.Count(e_venues, i_result);
        counts.VenueKept.Add(i_result == 0);
        a_fileKeys.Add(i_result == 0 ? venue.GetKey() : -1);
        if (i_result == 0)
            next.Loaded(venue.GetKey());
    }
    Venue::SetKeyCounter(next.Get());
    EventDef.RemapSetKeys(a_fileKeys);
}

void EventDoc::LoadGroups(CArchive& ar, LoadCounts& counts)
{
    const LONG l_stored = static_cast<LONG>(ReadDword(ar));
    GroupList::SetKeyCounter(l_stored);
    NextKey next(l_stored);
    const DWORD n_groups = ReadListCount(ar);
    GroupList::Reading reading(Groups, RoomFor(ar, n_groups));
    // The venues and days a group names are known by now, its styles,
    // facilities and members not yet: each group kept is checked for the
    // first while it is at hand, and the keys of the others are noted for
    // the test once their lists are read.
    const KnownKeys venues(Venues, Venues.GetNumVenues());
    const DayDefBase& days = EventDef.GetDayDef();
    for (DWORD i = 0; i < n_groups; ++i) {
        Group& group = reading.Next();
        group.Serialize(ar);
        const LONG l_key = group.GetKey();
        const int i_result = reading.Keep();
        counts.Count(e_groups, i_result);
        if (i_result != GroupList::added)
            continue;
        next.Loaded(l_key);
        Group& kept = Groups[Groups.GetNumGroups() - 1];
        if (MendAllocs(kept.GetVenueAllocs()))
            bLoadRepairs = TRUE;
        if (!counts.bGroupUnresolved)
            counts.NoteGroup(kept, venues, days);
    }
    GroupList::SetKeyCounter(next.Get());
}

void EventDoc::LoadParticipants(CArchive& ar, LoadCounts& counts)
{
    const LONG l_stored = static_cast<LONG>(ReadDword(ar));
    ParticipantList::SetKeyCounter(l_stored);
    NextKey next(l_stored);
    const DWORD n_participants = ReadListCount(ar);
    ParticipantList::Reading reading(Participants, RoomFor(ar, n_participants));
    // The venues and days a participant names are known by now: each one
    // kept is checked while it is at hand, not in a walk over them all
    // after the load.
    const KnownKeys venues(Venues, Venues.GetNumVenues());
    const DayDefBase& days = EventDef.GetDayDef();
    for (DWORD i = 0; i < n_participants; ++i) {
        Participant& participant = reading.Next();
        participant.Serialize(ar);
        const LONG l_key = participant.GetKey();
        const int i_result = reading.Keep();
        counts.Count(e_participants, i_result);
        if (i_result == ParticipantList::added) {
            next.Loaded(l_key);
            counts.vParticipantKeys.push_back(l_key);
            if (!counts.bParticipantUnresolved
                && !EntityResolved(Participants[Participants.GetNumParticipants() - 1], venues, days))
                counts.bParticipantUnresolved = TRUE;
        }
    }
    ParticipantList::SetKeyCounter(next.Get());
}

template <class Item, class List>
void EventDoc::LoadProperties(CArchive& ar, List& list, int& n_duplicates, int& n_errors)
{
    const DWORD n_items = ReadListCount(ar);
    for (DWORD i = 0; i < n_items; ++i) {
        Item item;
        item.Serialize(ar);
        switch (list.Add(item)) {
        case List::notValid:
        case List::keyExists:
            ++n_errors;
            break;
        case List::nameExists:
            ++n_duplicates;
            break;
        default:
            // Added, or dropped without a word because the list is full.
            break;
        }
    }
}

void EventDoc::LoadTimetable(CArchive& ar, const LoadCounts& counts)
{
    DeleteTimetable();
    if (ReadDword(ar) == 0) {
        // The document owns a timetable while its days have timeslots; a
        // file written without it gets the empty one an edit would make,
        // and is saved with it.
        if (EventDef.GetDayDef().GetNumTimeslots() > 0) {
            NewTimetable();
            bLoadRepairs = TRUE;
        }
        return;
    }
    const DayDefBase& days = EventDef.GetDayDef();
    std::uint64_t n_slots = 0;
    for (int d = 0; d < std::min(days.GetNumDays(), days.GetNumLayouts()); ++d) {
        const DayDefSlots& layout = days.GetDaySlots(d);
        n_slots += static_cast<std::uint64_t>(layout.GetNumSlots())
                   * static_cast<std::uint64_t>(layout.IsAllVenues() ? Venues.GetNumVenues() : 1);
    }
    if (n_slots > nFreeTimetableSlots)
        ar.CheckAvailable(n_slots, 1);
    // Days of version 7 on hold all their slots; older days are built
    // from their layouts and take only the placements from the file.
    if (uFileVersion <= uLastOldDatesVersion)
        pTimetable = std::make_unique<Timetable>(this);
    else
        pTimetable = std::make_unique<Timetable>(this, Timetable::ToRead{});
    pTimetable->Serialize(ar);
    if (uFileVersion <= uLastOldDatesVersion) {
        // The old slot records were read into the days as the venue list
        // stands.
        ZelArray<BOOL> a_all;
        a_all.SetSize(Venues.GetNumVenues());
        for (int i = 0; i < a_all.GetSize(); ++i)
            a_all[i] = TRUE;
        if (pTimetable->ResolveLoaded(a_all) > 0)
            bLoadRepairs = TRUE;
        return;
    }
    // Each day holds an array for every venue of the file, taken or not.
    for (int i = 0; i < pTimetable->GetNumDays(); ++i) {
        if (pTimetable->GetDay(i).GetNumVenues() != counts.VenueKept.GetSize())
            CArchive::ThrowBadSchema("a timetable day whose venues differ from the event's");
    }
    if (pTimetable->ResolveLoaded(counts.VenueKept) > 0)
        bLoadRepairs = TRUE;
}

// ---- the list views' layouts ----

void EventDoc::SerializeViewLayouts(CArchive& ar)
{
    if (ar.IsStoring()) {
        CollectViewLayouts();
        ar << static_cast<DWORD>(ViewLayouts.size());
        for (StoredViewLayout& stored : ViewLayouts) {
            ar << stored.sClassName;
            stored.Layout.Serialize(ar);
        }
        return;
    }
    const DWORD n_layouts = ReadDword(ar);
    ar.CheckAvailable(n_layouts, nMinLayoutBytes);
    std::vector<StoredViewLayout> v_loaded(n_layouts);
    for (StoredViewLayout& stored : v_loaded) {
        ar >> stored.sClassName;
        stored.Layout.Serialize(ar);
    }
    ViewLayouts = std::move(v_loaded);
}

void EventDoc::ApplyViewLayouts()
{
    InvalidateItemListViews();
    const std::vector<IItemListView*> v_views = GetViewsPort().GetItemListViews();
    for (const StoredViewLayout& stored : ViewLayouts) {
        // The first open view of the class takes the layout.
        for (IItemListView* p_view : v_views) {
            if (p_view->GetClassName() == stored.sClassName) {
                p_view->ApplyLayout(stored.Layout);
                break;
            }
        }
    }
}

void EventDoc::CollectViewLayouts()
{
    std::vector<IItemListView*> v_first;
    for (IItemListView* p_view : GetViewsPort().GetItemListViews()) {
        const std::string s_class = p_view->GetClassName();
        const bool b_seen = std::any_of(v_first.begin(), v_first.end(),
                                        [&](IItemListView* p_first) { return p_first->GetClassName() == s_class; });
        if (!b_seen)
            v_first.push_back(p_view);
    }
    for (IItemListView* p_view : v_first) {
        const std::string s_class = p_view->GetClassName();
        bool b_stored = false;
        for (StoredViewLayout& stored : ViewLayouts) {
            if (stored.sClassName == s_class) {
                p_view->FillLayout(stored.Layout);
                b_stored = true;
            }
        }
        if (!b_stored) {
            ViewLayouts.push_back({s_class, ViewLayout()});
            p_view->FillLayout(ViewLayouts.back().Layout);
        }
    }
}

// ---- reports ----

void EventDoc::ReportDuplicates(UINT u_messageId, const UINT (&a_lineIds)[5], const int (&a_counts)[5])
{
    std::string s_lines;
    for (int i = 0; i < e_kinds; ++i) {
        if (a_counts[i] <= 0)
            continue;
        s_lines += FormatMessageId(a_lineIds[i], std::to_string(a_counts[i])) + "\n";
        vLoadMessages.push_back(a_lineIds[i]);
    }
    if (s_lines.empty())
        return;
    ShowMessageId(u_messageId, s_lines, MB_OK | MB_ICONEXCLAMATION);
    bLoadProblems = TRUE;
}

void EventDoc::ReportLoadProblems(const LoadCounts& counts)
{
    if (counts.nRoleErrors > 0) {
        ShowMessageId(uRoleErrorsMessage, std::to_string(counts.nRoleErrors), MB_OK | MB_ICONEXCLAMATION);
        vLoadMessages.push_back(uRoleErrorsMessage);
        bLoadProblems = TRUE;
    }
    ReportDuplicates(uDuplicatesMessage, aDuplicateLines, counts.aDuplicates);
    ReportDuplicates(uErrorsMessage, aErrorLines, counts.aErrors);
    if (bLoadProblems) {
        vLoadMessages.push_back(uContinueOrQuitMessage);
        if (AskContinueOrQuit(uContinueOrQuitMessage) != IDOK)
            throw CUserException();
    }
    if (counts.bOldVenueTimes) {
        ShowMessageId(uOldVenueTimesMessage, std::string(), MB_OK | MB_ICONEXCLAMATION);
        vLoadMessages.push_back(uOldVenueTimesMessage);
        GetMainWindowPort().PostCommand(ID_DEFINE_EVENT);
    }
}

// ---- references a load leaves unresolved ----

BOOL EventDoc::HasUnresolvedReferences(const LoadCounts& counts) const
{
    if (counts.bParticipantUnresolved || counts.bGroupUnresolved)
        return TRUE;
    const DayDefBase& days = EventDef.GetDayDef();
    const KnownKeys venues(Venues, Venues.GetNumVenues());
    const KnownKeys styles(Styles, Styles.GetCount());
    const KnownKeys facilities(Facilities, Facilities.GetCount());
    for (int i = 0; i < Venues.GetNumVenues(); ++i) {
        if (!KeysKnown(Venues[i].GetStyles(), styles) || !KeysKnown(Venues[i].GetFacilities(), facilities))
            return TRUE;
    }
    // The groups' references were taken as the groups were read, so that
    // a long list is not walked again once it has left the cache.
    if (!styles.HasAll(counts.vGroupStyleKeys) || !facilities.HasAll(counts.vGroupFacilityKeys))
        return TRUE;
    if (!counts.vMemberKeys.empty() && !KnownKeys(counts.vParticipantKeys).HasAll(counts.vMemberKeys))
        return TRUE;
    for (int i = 0; i < SchedRules.GetNumVenueRules(); ++i) {
        const VenueRule& rule = SchedRules.GetVenueRules()[i];
        if (rule.GetVenueIndex(this) < 0 || !DaysKnown(rule.GetScope(), days) || !RuleStylesKnown(rule, styles))
            return TRUE;
    }
    for (int i = 0; i < SchedRules.GetNumDayRules(); ++i) {
        const DayRule& rule = SchedRules.GetDayRules()[i];
        if (rule.GetDayIndex(this) < 0 || !DaysKnown(rule.GetScope(), days) || !RuleStylesKnown(rule, styles))
            return TRUE;
    }
    return FALSE;
}

// ---- loading in place of the open event ----

void EventDoc::SwapEvent(EventDoc& other)
{
    std::swap(uFileVersion, other.uFileVersion);
    std::swap(Venues, other.Venues);
    std::swap(EventDef, other.EventDef);
    std::swap(Styles, other.Styles);
    std::swap(Facilities, other.Facilities);
    std::swap(ParticipantRoles, other.ParticipantRoles);
    std::swap(Prefs, other.Prefs);
    std::swap(MiscOpts, other.MiscOpts);
    std::swap(PrintOpts, other.PrintOpts);
    std::swap(pTimetable, other.pTimetable);
    if (pTimetable)
        pTimetable->SetDocument(this);
    if (other.pTimetable)
        other.pTimetable->SetDocument(&other);
    Groups.Swap(other.Groups);
    Participants.Swap(other.Participants);
    std::swap(SchedRules, other.SchedRules);
    std::swap(sEventName, other.sEventName);
    std::swap(dtCreated, other.dtCreated);
    std::swap(dtLastSaved, other.dtLastSaved);
    std::swap(sFurtherText1, other.sFurtherText1);
    std::swap(sFurtherText2, other.sFurtherText2);
    std::swap(Combinations, other.Combinations);
    std::swap(bLoadProblems, other.bLoadProblems);
    std::swap(ViewLayouts, other.ViewLayouts);
    std::swap(bLoadRepairs, other.bLoadRepairs);
    std::swap(vLoadMessages, other.vLoadMessages);
}

void EventDoc::ReadEventFile(std::vector<std::uint8_t> v_bytes)
{
    const KeyCounters counters;
    auto p_loaded = std::make_unique<EventDoc>();
    // The export choices carry over from event to event; a file that
    // holds its own replaces them.
    p_loaded->MiscOpts = MiscOpts;
    try {
        p_loaded->DeleteContents();
        CArchive ar(std::move(v_bytes), p_loaded.get());
        p_loaded->Serialize(ar);
    } catch (...) {
        counters.Restore();
        throw;
    }
    // Exchanging the lists may copy keyed items, which take keys of their
    // own: the counters stay as the load left them.
    const KeyCounters loaded;
    SwapEvent(*p_loaded);
    loaded.Restore();
    ApplyViewLayouts();
}

std::vector<std::uint8_t> EventDoc::WriteEventFile()
{
    CArchive ar(CArchive::store, this);
    Serialize(ar);
    return ar.GetBuffer();
}
