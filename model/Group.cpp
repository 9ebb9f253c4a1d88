#include "model/Group.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "model/Preferences.h"
#include "model/Timetable.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <climits>

namespace {

LONG lGroupKeyCounter = 0;

LONG TakeGroupKey()
{
    return ZelKeyCounter::Take(lGroupKeyCounter);
}

const VenueAlloc& DefaultVenueAlloc()
{
    static const VenueAlloc* p_alloc = new VenueAlloc(-1);
    return *p_alloc;
}

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

// ---- AGroupMember ----

void AGroupMember::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lParticipantKey) << sRole << static_cast<DWORD>(bRostered);
        return;
    }
    Load(ar, GetArchiveVersion(ar));
}

void AGroupMember::Load(CArchive& ar, UINT u_version)
{
    DWORD u_key = 0;
    ar >> u_key >> sRole;
    lParticipantKey = static_cast<LONG>(u_key);
    bRostered = 0;
    if (u_version >= 28) {
        DWORD u_rostered = 0;
        ar >> u_rostered;
        bRostered = static_cast<BOOL>(u_rostered);
    }
}

template <>
void SerializeElements<AGroupMember>(CArchive& ar, AGroupMember* p_members, int n_count)
{
    if (ar.IsStoring()) {
        for (int i = 0; i < n_count; ++i)
            p_members[i].Serialize(ar);
        return;
    }
    if (n_count <= 0)
        return;
    const UINT u_version = GetArchiveVersion(ar);
    for (int i = 0; i < n_count; ++i)
        p_members[i].Load(ar, u_version);
}

// ---- MemberIndex ----

namespace {

// The first entry whose key is not below l_key.
template <class It>
It SeekKey(It first, It last, LONG l_key)
{
    return std::lower_bound(first, last, l_key,
                            [](const std::pair<LONG, int>& entry, LONG l) { return entry.first < l; });
}

} // namespace

BOOL MemberIndex::Lookup(LONG l_key, int& i_value) const
{
    const Entry* p_end = Begin() + GetCount();
    const Entry* p = SeekKey(Begin(), p_end, l_key);
    if (p == p_end || p->first != l_key)
        return FALSE;
    i_value = p->second;
    return TRUE;
}

void MemberIndex::MoveToHeap(std::size_t n_room)
{
    std::vector<Entry> v_entries;
    v_entries.reserve(std::max<std::size_t>(n_room, static_cast<std::size_t>(nInline)));
    v_entries.assign(aInline, aInline + nInline);
    vEntries = std::move(v_entries);
    nInline = 0;
    bOnHeap = TRUE;
}

void MemberIndex::SetAt(LONG l_key, int i_value)
{
    if (bOnHeap) {
        const auto it = SeekKey(vEntries.begin(), vEntries.end(), l_key);
        if (it != vEntries.end() && it->first == l_key)
            it->second = i_value;
        else
            vEntries.emplace(it, l_key, i_value);
        return;
    }
    if (nInline < kInlineEntries) {
        PutInline(l_key, i_value);
        return;
    }
    Entry* p_end = aInline + nInline;
    Entry* p = SeekKey(aInline, p_end, l_key);
    if (p != p_end && p->first == l_key) {
        p->second = i_value;
        return;
    }
    MoveToHeap(2 * kInlineEntries);
    SetAt(l_key, i_value);
}

void MemberIndex::RemoveKey(LONG l_key)
{
    if (bOnHeap) {
        const auto it = SeekKey(vEntries.begin(), vEntries.end(), l_key);
        if (it != vEntries.end() && it->first == l_key)
            vEntries.erase(it);
        return;
    }
    Entry* p_end = aInline + nInline;
    Entry* p = SeekKey(aInline, p_end, l_key);
    if (p != p_end && p->first == l_key) {
        std::move(p + 1, p_end, p);
        --nInline;
    }
}

void MemberIndex::RemoveAll()
{
    // A block stays for the entries to come, as a cleared vector's would.
    vEntries.clear();
    nInline = 0;
}

void MemberIndex::Reserve(int n)
{
    if (n > kInlineEntries && !bOnHeap)
        MoveToHeap(static_cast<std::size_t>(n));
    else if (bOnHeap)
        vEntries.reserve(static_cast<std::size_t>(std::max(n, 0)));
}

void MemberIndex::Assign(std::vector<Entry> v_entries)
{
    // By key, and of equal keys the last position first, which the
    // duplicates' removal keeps.
    std::sort(v_entries.begin(), v_entries.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    v_entries.erase(std::unique(v_entries.begin(), v_entries.end(),
                                [](const auto& a, const auto& b) { return a.first == b.first; }),
                    v_entries.end());
    if (v_entries.size() <= static_cast<std::size_t>(kInlineEntries) && !bOnHeap) {
        std::copy(v_entries.begin(), v_entries.end(), aInline);
        nInline = static_cast<int>(v_entries.size());
        return;
    }
    vEntries = std::move(v_entries);
    nInline = 0;
    bOnHeap = TRUE;
}

// ---- GroupMembers ----

GroupMembers::GroupMembers() = default;

GroupMembers::GroupMembers(const GroupMembers& src) : Members(src.Members)
{
    RebuildIndex();
}

GroupMembers::GroupMembers(GroupMembers&& src) : Members(std::move(src.Members)), Index(std::move(src.Index))
{
}

GroupMembers& GroupMembers::operator=(const GroupMembers& src)
{
    if (this != &src) {
        Members = src.Members;
        RebuildIndex();
    }
    return *this;
}

bool GroupMembers::operator==(const GroupMembers& other) const
{
    if (Members.GetSize() != other.Members.GetSize())
        return false;
    for (int i = 0; i < Members.GetSize(); ++i) {
        if (Members[i] != other.Members[i])
            return false;
    }
    return true;
}

int GroupMembers::Find(LONG l_participantKey) const
{
    int i_member = -1;
    return Index.Lookup(l_participantKey, i_member) ? i_member : -1;
}

void GroupMembers::SetMember(LONG l_participantKey, const std::string& s_role, BOOL b_rostered)
{
    const int i_member = Find(l_participantKey);
    if (i_member >= 0) {
        Members[i_member].sRole = s_role;
        Members[i_member].bRostered = b_rostered;
        return;
    }
    Index.SetAt(l_participantKey, Members.Add(AGroupMember(l_participantKey, s_role, b_rostered)));
}

void GroupMembers::RemoveAt(int i)
{
    Index.RemoveKey(Members[i].lParticipantKey);
    Members.RemoveAt(i);
    for (int j = i; j < Members.GetSize(); ++j)
        Index.SetAt(Members[j].lParticipantKey, j);
}

void GroupMembers::RemoveAll()
{
    Members.RemoveAll();
    Index.RemoveAll();
}

void GroupMembers::RebuildIndex()
{
    Index.AssignPositions(Members.GetSize(), [this](int i) { return Members[i].lParticipantKey; });
}

void GroupMembers::Reserve(int n)
{
    Index.Reserve(Members.GetSize() + std::max(n, 0));
    Members.SetSize(Members.GetSize(), std::max(n, 0));
}

void GroupMembers::Revalidate(const EventDoc* p_doc)
{
    const ParticipantList& participants = p_doc->GetParticipants();
    bool b_removed = false;
    for (int i = Members.GetSize() - 1; i >= 0; --i) {
        if (participants.FindByKey(Members[i].lParticipantKey) < 0) {
            Members.RemoveAt(i);
            b_removed = true;
        }
    }
    if (b_removed)
        RebuildIndex();
}

void GroupMembers::Serialize(CArchive& ar)
{
    Members.Serialize(ar);
    if (ar.IsLoading())
        RebuildIndex();
}

// ---- venue suitability ----

BOOL IsVenueSuitable(const Group& group, const Venue& venue)
{
    const KeyList& venue_styles = venue.GetStyles();
    if (venue_styles.GetCount() > 0) {
        const KeyList& styles = group.GetStyles();
        bool b_match = false;
        for (int i = styles.GetMaxKeys() - 1; i >= 0 && !b_match; --i) {
            if (styles[i] != -1 && venue_styles.Find(styles[i]) >= 0)
                b_match = true;
        }
        if (!b_match)
            return FALSE;
    }
    const KeyList& facilities = group.GetFacilities();
    for (int i = facilities.GetMaxKeys() - 1; i >= 0; --i) {
        if (facilities[i] != -1 && venue.GetFacilities().Find(facilities[i]) < 0)
            return FALSE;
    }
    return TRUE;
}

// ---- Group ----

Group::Group() : SchedEntity(LoadResString(IDS_GROUP_NOUN, "group")), lKey(TakeGroupKey()) {}

Group::Group(const ReadBlank& blank) : SchedEntity(blank.sKindNoun), lKey(-1) {}

Group::Group(const Group& src)
    : SchedEntity(src), ContactNumbers(src), lKey(src.lKey), Name(src.Name), Contact(src.Contact),
      Address(src.Address), Styles(src.Styles),
      Facilities(src.Facilities), eRotation(src.eRotation), lMaxGroupSize(src.lMaxGroupSize),
      VenueAllocs(src.VenueAllocs), Members(src.Members), bSelected(src.bSelected)
{
}

Group::Group(Group&& src)
    : SchedEntity(std::move(src)), ContactNumbers(std::move(src)), lKey(src.lKey), Name(std::move(src.Name)),
      Contact(std::move(src.Contact)), Address(std::move(src.Address)), Styles(std::move(src.Styles)), Facilities(std::move(src.Facilities)),
      eRotation(src.eRotation), lMaxGroupSize(src.lMaxGroupSize), VenueAllocs(std::move(src.VenueAllocs)),
      Members(std::move(src.Members)), bSelected(src.bSelected)
{
}

Group& Group::operator=(const Group& src)
{
    if (this == &src)
        return *this;
    SchedEntity::operator=(src);
    lKey = src.lKey;
    Name.SetName(src.Name.GetName());
    Contact.SetName(src.Contact.GetFirstName(), src.Contact.GetLastName());
    Address = src.Address;
    ContactNumbers::operator=(src);
    Styles = src.Styles;
    Facilities = src.Facilities;
    eRotation = src.eRotation;
    lMaxGroupSize = src.lMaxGroupSize;
    VenueAllocs = src.VenueAllocs;
    Members = src.Members;
    bSelected = src.bSelected;
    bCacheValid = FALSE;
    return *this;
}

bool Group::operator==(const Group& other) const
{
    if (!SchedEntity::operator==(other))
        return false;
    if (Name.GetName() != other.Name.GetName() || Contact.GetFirstName() != other.Contact.GetFirstName()
        || Contact.GetLastName() != other.Contact.GetLastName()
        || Address != other.Address || !SameNumbers(other))
        return false;
    if (Styles != other.Styles || Facilities != other.Facilities || eRotation != other.eRotation
        || lMaxGroupSize != other.lMaxGroupSize)
        return false;
    if (VenueAllocs.GetSize() != other.VenueAllocs.GetSize())
        return false;
    for (int i = 0; i < VenueAllocs.GetSize(); ++i) {
        if (VenueAllocs[i] != other.VenueAllocs[i])
            return false;
    }
    return Members == other.Members;
}

GroupMembers& Group::GetMembers()
{
    bCacheValid = FALSE;
    return Members;
}

LONG Group::GetKeyCounter() { return lGroupKeyCounter; }

void Group::SetKeyCounter(LONG l_next) { lGroupKeyCounter = l_next; }

void Group::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SchedEntity::Serialize(ar);
        ar << static_cast<DWORD>(lKey);
        Name.Serialize(ar);
        Contact.Serialize(ar);
        Address.Serialize(ar);
        SerializeNumbers(ar, EventDoc::kCurrentFileVersion);
        Styles.Serialize(ar);
        Facilities.Serialize(ar);
        Members.Serialize(ar);
        ar << static_cast<DWORD>(eRotation);
        VenueAllocs.Serialize(ar);
        ar << static_cast<DWORD>(lMaxGroupSize);
        return;
    }

    const UINT u_version = GetArchiveVersion(ar);
    if (u_version >= 17)
        SchedEntity::Serialize(ar);
    DWORD u_key = 0;
    ar >> u_key;
    lKey = static_cast<LONG>(u_key);
    Name.Serialize(ar);
    Contact.Serialize(ar);
    Address.Serialize(ar);
    SerializeNumbers(ar, u_version);
    if (u_version <= 18) {
        // Files of that time gave a group one style.
        DWORD u_style = 0;
        ar >> u_style;
        Styles.RemoveAll();
        Styles.Add(static_cast<LONG>(u_style));
    } else {
        Styles.Serialize(ar);
    }
    Facilities.Serialize(ar);
    Members.Serialize(ar);
    if (u_version <= 16) {
        // The limits and times of older files stood here, before the
        // common part of groups and participants existed.
        GetStoredEventLimits().Serialize(ar);
        GetUnavailable().Serialize(ar);
        if (u_version >= 6) {
            std::string s_notes;
            ar >> s_notes;
            SetNotes(s_notes);
            GetDayLimits().Serialize(ar);
        } else {
            GetDayLimits().uType = SchedLim::e_no_limits;
        }
    }
    // The times read take the list's own venue key unless each keeps its
    // own, as in every copy of the list: the saved bytes are those of the
    // group as the event holds it, whatever set keys the file had.
    GetUnavailable().StampVenueKey();
    if (u_version >= 10) {
        DWORD u_rotation = 0;
        ar >> u_rotation;
        if (u_rotation > e_day_rotation)
            CArchive::ThrowBadSchema("a group rotation outside 0 to 2");
        eRotation = u_rotation;
    }
    if (u_version >= 11)
        VenueAllocs.Serialize(ar);
    else
        VenueAllocs.RemoveAll();
    if (u_version >= 18 && u_version <= 33) {
        DWORD u_use = 0;
        ar >> u_use;
        SetUseVenueLimits(static_cast<BOOL>(u_use));
        GetVenueLimits().Serialize(ar);
    } else if (u_version <= 17) {
        SetUseVenueLimits(0);
        GetVenueLimits().RemoveAll();
    }
    if (u_version >= 28) {
        DWORD u_size = 0;
        ar >> u_size;
        lMaxGroupSize = static_cast<LONG>(u_size);
    } else {
        lMaxGroupSize = kDefaultMaxGroupSize;
    }
    bSelected = 0;
    bCacheValid = FALSE;
}

void Group::RebuildAvailabilityCache(const EventDoc* p_doc) const
{
    if (!pAvailabilityCache)
        pAvailabilityCache = std::make_unique<ZelKeyIndex<BYTE>>();
    ZelKeyIndex<BYTE>& cache = *pAvailabilityCache;
    cache.InitIndex(static_cast<UINT>(Members.GetSize()));
    const ParticipantList& participants = p_doc->GetParticipants();
    for (int i = 0; i < Members.GetSize(); ++i) {
        const int i_part = participants.FindByKey(Members[i].lParticipantKey);
        if (i_part >= 0 && participants[i_part].GetUnavailable().GetNumDays() > 0)
            cache.SetAt(Members[i].lParticipantKey, 1);
    }
    bCacheValid = TRUE;
}

BOOL Group::IsAvailableForMembers(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const
{
    if (!bCacheValid)
        RebuildAvailabilityCache(p_doc);
    const ParticipantList& participants = p_doc->GetParticipants();
    ZelKeyIndex<BYTE>& cache = *pAvailabilityCache;
    cache.SetToStart();
    LONG l_key = -1;
    BYTE u_value = 0;
    while (cache.GetNext(l_key, u_value)) {
        const int i_part = participants.FindByKey(l_key);
        if (i_part < 0)
            continue;
        if (p_doc->OverlapsTimeList(participants[i_part].GetUnavailable(), l_dayId, slot.GetStartOffset(),
                                    slot.GetSpan()))
            return FALSE;
    }
    return TRUE;
}

BOOL Group::IsAvailable(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const
{
    const TimeList& times = GetUnavailable();
    if (times.GetNumDays() > 0 && p_doc->OverlapsTimeList(times, l_dayId, slot.GetStartOffset(), slot.GetSpan()))
        return FALSE;
    return IsAvailableForMembers(p_doc, l_dayId, slot);
}

BOOL Group::IsAvailableAt(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const
{
    if (GetUnavailable().Overlaps(l_dayId, slot.GetStartOffset(), slot.GetSpan()))
        return FALSE;
    const ParticipantList& participants = p_doc->GetParticipants();
    for (int i = Members.GetSize() - 1; i >= 0; --i) {
        const int i_part = participants.FindByKey(Members[i].lParticipantKey);
        if (i_part >= 0
            && participants[i_part].GetUnavailable().Overlaps(l_dayId, slot.GetStartOffset(), slot.GetSpan()))
            return FALSE;
    }
    return TRUE;
}

int Group::CountAvailableSlots(const EventDoc* p_doc, const Day& day, int i_venue) const
{
    const LONG l_dayId = day.GetDayId();
    const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
    int n_available = 0;
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        if (IsAvailable(p_doc, l_dayId, a_slots[i]))
            ++n_available;
    }
    return n_available;
}

BOOL Group::IsPlaceableOnDay(const EventDoc* p_doc, const Day& day) const
{
    const LONG l_dayId = day.GetDayId();
    const int n_venues = std::min(day.GetNumVenues(), p_doc->GetNumVenues());
    for (int v = 0; v < n_venues; ++v) {
        if (!IsVenueSuitable(*this, p_doc->GetVenues()[v]))
            continue;
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            if (IsAvailable(p_doc, l_dayId, a_slots[i]))
                return TRUE;
        }
    }
    return FALSE;
}

int Group::GetMaxAvailableSlots(const EventDoc* p_doc, const Day& day) const
{
    const int n_venues = std::min(day.GetNumVenues(), p_doc->GetNumVenues());
    int n_max = 0;
    for (int v = 0; v < n_venues; ++v) {
        if (IsVenueSuitable(*this, p_doc->GetVenues()[v]))
            n_max = std::max(n_max, CountAvailableSlots(p_doc, day, v));
    }
    return n_max;
}

void Group::Revalidate(EventDoc* p_doc)
{
    SchedEntity::Revalidate(p_doc);
    Members.Revalidate(p_doc);
    bCacheValid = FALSE;
    for (int i = Styles.GetMaxKeys() - 1; i >= 0; --i) {
        if (Styles[i] != -1 && p_doc->GetStyles().FindByKey(Styles[i]) < 0)
            Styles.SetAt(i, -1);
    }
    for (int i = Facilities.GetMaxKeys() - 1; i >= 0; --i) {
        if (Facilities[i] != -1 && p_doc->GetFacilities().FindByKey(Facilities[i]) < 0)
            Facilities.SetAt(i, -1);
    }
    for (int i = VenueAllocs.GetSize() - 1; i >= 0; --i) {
        if (!p_doc->GetVenues().ContainsKey(VenueAllocs[i].lVenueKey))
            VenueAllocs.RemoveAt(i);
    }
}

const VenueAlloc& Group::GetVenueAlloc(LONG l_venueKey) const
{
    const int i = VenueAllocs.FindKey(l_venueKey);
    return i < 0 ? DefaultVenueAlloc() : VenueAllocs[i];
}

std::string Group::GetVenueAllocText(const EventDoc* p_doc) const
{
    std::string s_text;
    for (int i = 0; i < VenueAllocs.GetSize(); ++i) {
        if (i > 0)
            s_text += ',';
        s_text += VenueAllocs[i].GetText(p_doc);
    }
    return s_text;
}

std::string Group::GetHtmlAnchor() const
{
    // Only ASCII letters and digits, so that an anchor is the same on every
    // machine whatever the name's other characters.
    std::string s_anchor = "GRTAG";
    for (char c : Name.GetName()) {
        if (IsAsciiLetterOrDigit(c))
            s_anchor += c;
    }
    return s_anchor;
}

std::string Group::GetDetailsText(const EventDoc* p_doc, BOOL b_withEnd,
                                  const ZelTimeslotCombinationList* p_combinations) const
{
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr)
        return {};
    const BOOL b_24Hour = p_doc->GetEventDef().GetDayDef().Is24Hour();
    std::string s_text;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        const int n_venues = day.GetNumDocVenues();
        for (int v = 0; v < n_venues; ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                const Timeslot& slot = a_slots[i];
                if (slot.GetGroup() != lKey || !slot.IsLocked() || slot.GetStart().GetStatus() != CHighTime::valid)
                    continue;
                std::string s_entry = day.GetName() + " " + slot.GetTimeText(b_24Hour, FALSE);
                if (b_withEnd)
                    s_entry += "..." + slot.GetTimeText(b_24Hour, TRUE);
                s_entry += " (";
                if (p_combinations != nullptr && slot.GetCombinationKey() >= 0) {
                    const int i_comb = p_combinations->FindByKey(slot.GetCombinationKey());
                    if (i_comb >= 0)
                        s_entry += p_combinations->GetAt(i_comb).GetName() + ",";
                }
                s_entry += p_doc->GetVenues()[v].GetName() + ")";
                if (!s_text.empty())
                    s_text += ',';
                s_text += s_entry;
            }
        }
    }
    return s_text;
}

std::vector<std::string> Group::GetMemberNames(const EventDoc* p_doc, BOOL b_roles) const
{
    std::vector<std::string> v_names;
    const ParticipantList& participants = p_doc->GetParticipants();
    for (int i = 0; i < Members.GetSize(); ++i) {
        const int i_part = participants.FindByKey(Members[i].lParticipantKey);
        if (i_part < 0)
            continue;
        std::string s_name = participants[i_part].GetFullName();
        if (b_roles && !Members[i].sRole.empty())
            s_name += " (" + Members[i].sRole + ")";
        v_names.push_back(s_name);
    }
    return v_names;
}

namespace {

// Joins the entries with ", " while the text stays within the room (less
// the room ",..." takes, and ", " more while entries follow); the first
// entry that does not fit ends the text with ",...".
template <class Fits>
std::string JoinWithin(const std::vector<std::string>& v_names, Fits f_fits)
{
    std::string s_text;
    for (std::size_t i = 0; i < v_names.size(); ++i) {
        const std::string s_next = s_text.empty() ? v_names[i] : s_text + ", " + v_names[i];
        if (!f_fits(s_next, i + 1 < v_names.size()))
            return s_text + ",...";
        s_text = s_next;
    }
    return s_text;
}

} // namespace

std::string Group::GetMembersText(const EventDoc* p_doc, int n_width, BOOL b_roles) const
{
    const auto f_fits = [n_width](const std::string& s_text, bool b_more) {
        return static_cast<std::int64_t>(s_text.size()) <= std::int64_t(n_width) - (b_more ? 6 : 4);
    };
    return JoinWithin(GetMemberNames(p_doc, b_roles), f_fits);
}

std::string Group::GetMembersText(const EventDoc* p_doc, int n_width, BOOL b_roles, BOOL b_wrap,
                                  const MeasureText& f_measure, TextExtent* p_extent) const
{
    const std::vector<std::string> v_names = GetMemberNames(p_doc, b_roles);
    std::string s_text;
    if (b_wrap) {
        // Words go onto a line while it fits the width; a word wider than
        // the width stands on a line of its own.
        std::string s_all;
        for (const std::string& s_name : v_names)
            s_all += (s_all.empty() ? "" : ", ") + s_name;
        std::string s_line;
        for (const std::string& s_word : ZelName::GetWords(s_all)) {
            const std::string s_try = s_line.empty() ? s_word : s_line + " " + s_word;
            if (!s_line.empty() && f_measure(s_try).cx > n_width) {
                s_text += (s_text.empty() ? "" : "\r\n") + s_line;
                s_line = s_word;
            } else {
                s_line = s_try;
            }
        }
        if (!s_line.empty())
            s_text += (s_text.empty() ? "" : "\r\n") + s_line;
    } else {
        const LONG l_ellipsis = f_measure(",...").cx;
        const LONG l_comma = f_measure(", ").cx;
        const auto f_fits = [&](const std::string& s_try, bool b_more) {
            return std::int64_t(f_measure(s_try).cx) <= std::int64_t(n_width) - l_ellipsis - (b_more ? l_comma : 0);
        };
        s_text = JoinWithin(v_names, f_fits);
    }
    if (p_extent != nullptr)
        *p_extent = SplitTextLines(f_measure, s_text);
    return s_text;
}

void Group::ApplyDefaults(const Preferences& prefs)
{
    eRotation = prefs.GetGroupRotation();
    VenueAllocs = prefs.GetGroupVenueAllocs();
    lMaxGroupSize = prefs.GetMaxGroupSize();
    SetEventLimits(prefs.GetGroupEventLimits());
    SetDayLimits(prefs.GetGroupDayLimits());
    GetVenueLimits() = prefs.GetGroupVenueLimits();
    if (!prefs.GetGroupUsesVenueLimits()) {
        ClearVenueLimits();
    } else {
        SetUseVenueLimits(1);
        GetStoredEventLimits().uType = SchedLim::e_no_limits;
    }
}

BOOL Group::Validate(const EventDoc* p_doc, std::string& s_message, DWORD u_flags, BOOL b_days,
                     LONG l_participantKey) const
{
    if ((u_flags & 1u) == 0)
        return TRUE;
    return Check(p_doc, s_message, b_days, l_participantKey);
}

BOOL Group::Check(const EventDoc* p_doc, std::string& s_message, BOOL b_days, LONG l_participantKey) const
{
    if (!SchedEntity::Check(p_doc, s_message, b_days))
        return FALSE;

    int n_days = 0;
    const Day* p_days = GetCheckDays(p_doc, n_days);
    const UINT n_available = CountAvailableDays(p_doc, p_days, n_days);
    const UINT u_eventMin = GetEventMinLimit();
    const UINT u_dayMin = GetDayLimits().GetMin();
    const ParticipantList& participants = p_doc->GetParticipants();

    const auto check_one = [&](LONG l_key) -> BOOL {
        const int i_part = participants.FindByKey(l_key);
        if (i_part < 0)
            return TRUE;
        const Participant& participant = participants[i_part];
        const UINT u_partMax = participant.GetDayLimits().GetMax();
        if (u_partMax < u_dayMin) {
            ZelStringArray a_args;
            a_args.Add(participant.GetFullName());
            a_args.Add(std::to_string(u_partMax));
            a_args.Add(std::to_string(u_dayMin));
            s_message = FormatMessageIdArray(IDS_CHECK_MEMBER_DAY_MAX, a_args);
            return FALSE;
        }
        if (u_partMax * n_available < u_eventMin) {
            ZelStringArray a_args;
            a_args.Add(participant.GetFullName());
            a_args.Add(std::to_string(u_partMax));
            a_args.Add(std::to_string(n_available));
            a_args.Add(std::to_string(u_eventMin));
            s_message = FormatMessageIdArray(IDS_CHECK_MEMBER_DAY_MAX_TIMES_DAYS, a_args);
            return FALSE;
        }
        return TRUE;
    };

    if (l_participantKey >= 0)
        return check_one(l_participantKey);
    for (int i = 0; i < Members.GetSize(); ++i) {
        if (!check_one(Members[i].lParticipantKey))
            return FALSE;
    }
    return TRUE;
}
