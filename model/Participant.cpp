#include "model/Participant.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Group.h"
#include "model/KeyList.h"
#include "model/ListRoom.h"
#include "model/Preferences.h"
#include "model/TimetableDay.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

namespace {

LONG lParticipantKeyCounter = 0;

LONG TakeParticipantKey()
{
    return ZelKeyCounter::Take(lParticipantKeyCounter);
}

const RosterStyleArray& NoRosterStyles()
{
    static const RosterStyleArray* p_styles = new RosterStyleArray();
    return *p_styles;
}

const RosterLim& DefaultRosterLim()
{
    static const RosterLim* p_limit = new RosterLim();
    return *p_limit;
}

// Puts a participant into the document's list in place of the stored
// record for as long as it lives, and the stored record back afterwards,
// also when an exception passes.
class StandIn {
public:
    StandIn(ParticipantList& list, const Participant& participant) : List(list)
    {
        iIndex = List.FindByKey(participant.GetKey());
        if (iIndex < 0)
            return;
        Saved.emplace(List[iIndex]);
        List[iIndex] = participant;
        List.InvalidateNameIndex();
    }
    ~StandIn()
    {
        if (!Saved)
            return;
        List[iIndex] = *Saved;
        List.InvalidateNameIndex();
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

private:
    ParticipantList& List;
    int iIndex = -1;
    std::optional<Participant> Saved;
};

} // namespace

// ---- Participant ----

Participant::Participant() : SchedEntity("participant"), lKey(TakeParticipantKey()) {}

LONG Participant::GetKeyCounter() { return lParticipantKeyCounter; }

void Participant::SetKeyCounter(LONG l_next) { lParticipantKeyCounter = l_next; }

std::string Participant::GetUsualRoleName(const EventDoc* p_doc) const
{
    return lUsualRole < 0 ? std::string() : p_doc->GetParticipantRoles().GetRoleName(lUsualRole);
}

const RosterStyleArray& Participant::GetRosterStyles(const EventDoc* p_doc, BOOL& b_ordered) const
{
    if (!bByRole) {
        b_ordered = bOrdered;
        return RosterStyles;
    }
    const ParticipantRoleList& roles = p_doc->GetParticipantRoles();
    const int i_role = lRosterRole < 0 ? -1 : roles.FindByKey(lRosterRole);
    if (i_role < 0) {
        b_ordered = 0;
        return NoRosterStyles();
    }
    b_ordered = roles[i_role].GetOrdered();
    return roles[i_role].GetRosterStyles();
}

const RosterLim& Participant::GetRosterLim(const EventDoc* p_doc) const
{
    if (!bByRole)
        return RosterLimit;
    const ParticipantRoleList& roles = p_doc->GetParticipantRoles();
    const int i_role = lRosterRole < 0 ? -1 : roles.FindByKey(lRosterRole);
    return i_role < 0 ? DefaultRosterLim() : roles[i_role].GetRosterLim();
}

void Participant::ApplyDefaults(const Preferences& prefs)
{
    SetEventLimits(prefs.GetPartEventLimits());
    SetDayLimits(prefs.GetPartDayLimits());
    RosterLimit = prefs.GetPartRosterLim();
    GetVenueLimits() = prefs.GetPartVenueLimits();
    if (!prefs.GetPartUsesVenueLimits()) {
        ClearVenueLimits();
    } else {
        SetUseVenueLimits(1);
        GetStoredEventLimits().uType = SchedLim::e_no_limits;
    }
}

BOOL Participant::IsAvailable(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const
{
    return !p_doc->OverlapsTimeList(GetUnavailable(), l_dayId, slot.GetStartOffset(), slot.GetSpan());
}

BOOL Participant::IsPlaceableOnDay(const EventDoc* p_doc, const Day& day) const
{
    const LONG l_dayId = day.GetDayId();
    for (int v = 0; v < day.GetNumVenues(); ++v) {
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            if (IsAvailable(p_doc, l_dayId, a_slots[i]))
                return TRUE;
        }
    }
    return FALSE;
}

int Participant::GetMaxAvailableSlots(const EventDoc* p_doc, const Day& day) const
{
    const LONG l_dayId = day.GetDayId();
    int n_max = 0;
    for (int v = 0; v < day.GetNumVenues(); ++v) {
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        int n_available = 0;
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            if (IsAvailable(p_doc, l_dayId, a_slots[i]))
                ++n_available;
        }
        n_max = std::max(n_max, n_available);
    }
    return n_max;
}

BOOL Participant::Check(EventDoc* p_doc, std::string& s_message, DWORD u_flags, BOOL b_days) const
{
    if ((u_flags & e_check_limits) != 0) {
        if (!SchedEntity::Check(p_doc, s_message, b_days))
            return FALSE;
        if (b_days && (u_flags & e_check_groups) != 0 && p_doc->GetParticipants().FindByKey(lKey) >= 0
            && !CheckGroupLimits(p_doc, s_message))
            return FALSE;
    }
    if ((u_flags & e_check_roster) != 0 && (bByRole || RosterStyles.GetSize() > 0)) {
        BOOL b_ordered = 0;
        const RosterStyleArray& styles = GetRosterStyles(p_doc, b_ordered);
        if (!GetRosterLim(p_doc).CheckStyles(s_message, styles))
            return FALSE;
    }
    if (b_days && (u_flags & e_check_groups) != 0 && !CheckGroups(p_doc, s_message))
        return FALSE;
    return TRUE;
}

BOOL Participant::CheckGroupLimits(const EventDoc* p_doc, std::string& s_message) const
{
    const GroupList& groups = p_doc->GetGroups();
    UINT n_groups = 0;
    UINT u_sumMax = 0;
    UINT u_sumMin = 0;
    for (int i = groups.GetNumGroups() - 1; i >= 0; --i) {
        const Group& group = groups[i];
        if (!group.GetMembers().HasMember(lKey))
            continue;
        ++n_groups;
        u_sumMax += group.GetEventLimits().GetMax();
        u_sumMin += group.GetEventLimits().GetMin();
    }
    const SchedLim& limits = GetEventLimits();
    if (limits.GetMin() > u_sumMax) {
        s_message = FormatMessageId2(IDS_CHECK_GROUP_MAX_SUM, std::to_string(n_groups), std::to_string(u_sumMax));
        return FALSE;
    }
    if (limits.GetMax() < u_sumMin) {
        s_message = FormatMessageId2(IDS_CHECK_GROUP_MIN_SUM, std::to_string(n_groups), std::to_string(u_sumMin));
        return FALSE;
    }
    return TRUE;
}

BOOL Participant::CheckGroups(EventDoc* p_doc, std::string& s_message) const
{
    // The groups' member checks look the participant up in the document;
    // they must see this participant as it is being edited.
    const StandIn stand_in(p_doc->GetParticipants(), *this);
    const GroupList& groups = p_doc->GetGroups();
    for (int i = groups.GetNumGroups() - 1; i >= 0; --i) {
        const Group& group = groups[i];
        if (!group.GetMembers().HasMember(lKey))
            continue;
        std::string s_problem;
        if (!group.Validate(p_doc, s_problem, 1, TRUE, lKey)) {
            s_message = FormatMessageId2(IDS_PARTICIPANT_IN_GROUP, group.GetName(), s_problem);
            return FALSE;
        }
    }
    return TRUE;
}

void Participant::Revalidate(EventDoc* p_doc, const SortedKeyArray& a_groupStyles)
{
    SchedEntity::Revalidate(p_doc);
    RosterStyles.RemoveUnusedStyles(a_groupStyles);
    if (bByRole) {
        const ParticipantRoleList& roles = p_doc->GetParticipantRoles();
        const int i_role = roles.FindByKey(lRosterRole);
        if (i_role < 0 || !roles[i_role].IsValid() || roles[i_role].GetRosterStyles().GetSize() == 0) {
            // The rostering role key stays, so that the role is followed
            // again should it come back.
            bByRole = 0;
            uRosterWord2 = 0;
        }
    } else if (RosterStyles.GetSize() == 0) {
        uRosterWord2 = 0;
    }
}

LONG Participant::ConvertRoleName(CArchive& ar, const std::string& s_name)
{
    const ZelObjectName name(s_name, ParticipantRole::kMaxNameLength);
    if (name.IsEmpty())
        return -1;
    EventDoc* p_doc = GetArchiveDoc(ar);
    ParticipantRoleList& roles = p_doc->GetParticipantRoles();
    const int i_role = roles.FindByName(name.GetName());
    if (i_role >= 0)
        return roles[i_role].GetKey();
    // The user is told why a role could not be made, so the list's own
    // answer is needed rather than the document's -1.
    const ParticipantRole role(name.GetName());
    const int i_result = roles.Add(role);
    if (i_result == ParticipantRoleList::added) {
        p_doc->SetModifiedFlag();
        return role.GetKey();
    }
    std::string s_text = "Cannot convert the role '" + name.GetName() + "' to the new format: ";
    if (i_result == ParticipantRoleList::tooMany)
        s_text += "role list is full.";
    else
        s_text += "error code " + std::to_string(i_result) + ".";
    ShowMessageText(s_text, MB_OK | MB_ICONEXCLAMATION);
    return -1;
}

void Participant::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SchedEntity::Serialize(ar);
        ar << static_cast<DWORD>(lKey);
        Name.Serialize(ar);
        Address.Serialize(ar);
        SerializeNumbers(ar, EventDoc::kCurrentFileVersion);
        ar << static_cast<DWORD>(lUsualRole);
        RosterStyles.Serialize(ar);
        ar << static_cast<DWORD>(bOrdered) << uRosterWord2 << static_cast<DWORD>(bByRole)
           << static_cast<DWORD>(lRosterRole);
        RosterLimit.Serialize(ar);
        return;
    }

    const UINT u_version = GetArchiveVersion(ar);
    if (u_version >= 17)
        SchedEntity::Serialize(ar);
    DWORD u_key = 0;
    ar >> u_key;
    lKey = static_cast<LONG>(u_key);
    Name.Serialize(ar);
    Address.Serialize(ar);
    SerializeNumbers(ar, u_version);
    if (u_version >= 29) {
        DWORD u_role = 0;
        ar >> u_role;
        lUsualRole = static_cast<LONG>(u_role);
    } else {
        std::string s_role;
        ar >> s_role;
        lUsualRole = ConvertRoleName(ar, s_role);
    }
    if (u_version >= 6 && u_version <= 16) {
        std::string s_notes;
        ar >> s_notes;
        SetNotes(s_notes);
    }
    if (u_version == 16)
        GetUnavailable().Serialize(ar);
    // The times read take the list's own venue key unless each keeps its
    // own, as in every copy of the list: the saved bytes are those of the
    // participant as the event holds it, whatever set keys the file had.
    GetUnavailable().StampVenueKey();
    if (u_version < 28) {
        RosterStyles.RemoveAll();
        bOrdered = 0;
        uRosterWord2 = 0;
        bByRole = 0;
        lRosterRole = -1;
        return;
    }
    if (u_version == 29) {
        KeyList keys(5);
        keys.Serialize(ar);
        RosterStyles.SetFromKeyList(keys);
    } else {
        RosterStyles.Serialize(ar);
    }
    DWORD u_ordered = 0, u_word2 = 0, u_byRole = 0, u_rosterRole = 0;
    ar >> u_ordered >> u_word2 >> u_byRole >> u_rosterRole;
    bOrdered = static_cast<BOOL>(u_ordered);
    uRosterWord2 = u_word2;
    bByRole = static_cast<BOOL>(u_byRole);
    lRosterRole = static_cast<LONG>(u_rosterRole);
    if (u_version >= 35)
        RosterLimit.Serialize(ar);
    else
        RosterLimit = RosterLim();
}

// ---- ParticipantList ----

ParticipantList::ParticipantList()
{
    Participants.Reserve(kInitialRoom);
}

int ParticipantList::FindByKey(LONG l_key) const
{
    RebuildKeyIndex();
    int i_index = -1;
    return KeyIndex.Lookup(l_key, i_index) ? i_index : -1;
}

int ParticipantList::FindByName(const std::string& s_fullName) const
{
    RebuildNameIndex();
    const auto it = NameIndex.find(s_fullName);
    return it == NameIndex.end() ? -1 : it->second;
}

BOOL ParticipantList::IsDuplicateName(const Participant& participant) const
{
    const int i_found = FindByName(participant.GetFullName());
    return i_found >= 0 && Participants[i_found].GetKey() != participant.GetKey();
}

int ParticipantList::Add(const Participant& participant)
{
    // A copy moved in is the participant a blank record assigned from it
    // would be.
    return Add(Participant(participant));
}

int ParticipantList::Add(Participant&& participant)
{
    if (bReading)
        return AddRead(std::move(participant));
    if (!participant.IsValid())
        return notValid;
    // One look-up in the name index tests the full name and, for a
    // participant that is taken, holds its place; a refusal takes it out.
    RebuildNameIndex();
    const LONG l_key = participant.GetKey();
    const auto [it_name, b_newName] = NameIndex.try_emplace(participant.GetFullName(), GetNumParticipants());
    if (!b_newName)
        return Participants[it_name->second].GetKey() != l_key ? nameExists : keyExists;
    int i_new = -1;
    try {
        if (FindByKey(l_key) >= 0) {
            NameIndex.erase(it_name);
            return keyExists;
        }
        MakeRoomToAppend(Participants, kInitialRoom);
        i_new = Participants.AddMoved(std::move(participant));
    } catch (...) {
        NameIndex.erase(it_name);
        throw;
    }
    if (IndexAppended(KeyIndex, bKeyIndexValid, l_key, i_new))
        RebuildKeyIndex(2 * GetNumParticipants());
    return added;
}

int ParticipantList::AddRead(Participant&& participant)
{
    std::uint64_t u_hash = 0;
    const int i_refused = ReadRefusal(participant, u_hash);
    if (i_refused != added)
        return i_refused;
    MakeRoomToAppend(Participants, kInitialRoom);
    ReadJoined(Participants.AddMoved(std::move(participant)), u_hash);
    return added;
}

int ParticipantList::ReadRefusal(const Participant& participant, std::uint64_t& u_nameHash) const
{
    if (!participant.IsValid())
        return notValid;
    const std::string s_name = participant.GetFullName();
    u_nameHash = NameHashes::Hash(s_name);
    // The name's slot, far off in a long list, is on its way while the key
    // is looked up; the answers are taken in the add's order all the same.
    ReadNames.Prefetch(u_nameHash);
    const LONG l_key = participant.GetKey();
    const BOOL b_keyTaken = FindByKey(l_key) >= 0;
    const int i_named
        = ReadNames.FindLast(u_nameHash, [&](int i_at) { return Participants[i_at].GetFullName() == s_name; });
    if (i_named >= 0 && Participants[i_named].GetKey() != l_key)
        return nameExists;
    if (b_keyTaken)
        return keyExists;
    return added;
}

void ParticipantList::ReadJoined(int i_new, std::uint64_t u_nameHash)
{
    ReadNames.Add(u_nameHash, i_new);
    bNameIndexValid = FALSE;
    if (IndexAppended(KeyIndex, bKeyIndexValid, Participants[i_new].GetKey(), i_new))
        RebuildKeyIndex(2 * GetNumParticipants());
}

int ParticipantList::AddParticipant(const Participant& participant, std::string& s_message, BOOL b_quiet)
{
    const int i_result = Add(participant);
    if (i_result == added)
        return i_result;
    const std::string s_name = participant.GetFullName();
    switch (i_result) {
    case nameExists:
        s_message = b_quiet ? "Participant already exists." : FormatMessageId2(IDS_PARTICIPANT_EXISTS, "add", s_name);
        break;
    case keyExists:
        s_message = b_quiet ? "Participant key already exisits." : FormatMessageId(IDS_PARTICIPANT_KEY_EXISTS, s_name);
        break;
    case notValid:
        s_message = b_quiet ? "Invalid participant." : FormatMessageId(IDS_PARTICIPANT_INVALID, s_name);
        break;
    default:
        s_message = b_quiet ? "An undefined error has occurred." : FormatMessageId(IDS_PARTICIPANT_ADD_FAILED, s_name);
        break;
    }
    return i_result;
}

void ParticipantList::RemoveParticipant(int i)
{
    ZEL_ASSERT(0 <= i && i < GetNumParticipants());
    const Participant& removed = Participants[i];
    // An entry is dropped only when it points at the removed participant:
    // another participant may share the name while an edit is checked.
    if (bKeyIndexValid) {
        int i_at = -1;
        if (KeyIndex.Lookup(removed.GetKey(), i_at) && i_at == i)
            KeyIndex.RemoveKey(removed.GetKey());
    }
    if (bNameIndexValid) {
        const auto it = NameIndex.find(removed.GetFullName());
        if (it != NameIndex.end() && it->second == i)
            NameIndex.erase(it);
    }
    Participants.RemoveAt(i);
    if (!bKeyIndexValid && !bNameIndexValid)
        return;
    for (int p = i; p < GetNumParticipants(); ++p) {
        if (bNameIndexValid)
            NameIndex[Participants[p].GetFullName()] = p;
        if (bKeyIndexValid)
            KeyIndex.SetAt(Participants[p].GetKey(), p);
    }
}

void ParticipantList::RemoveParticipants(const ZelArray<int>& a_positions)
{
    const BOOL b_keyValid = bKeyIndexValid;
    const BOOL b_nameValid = bNameIndexValid;
    bKeyIndexValid = FALSE;
    bNameIndexValid = FALSE;
    for (int k = a_positions.GetSize() - 1; k >= 0; --k)
        Participants.RemoveAt(a_positions[k]);
    if (b_keyValid)
        RebuildKeyIndex();
    if (b_nameValid)
        RebuildNameIndex();
}

void ParticipantList::RemoveAll()
{
    Participants.RemoveAll();
    KeyIndex.RemoveAll();
    NameIndex.clear();
    bKeyIndexValid = FALSE;
    bNameIndexValid = FALSE;
}

void ParticipantList::MakeRoom(int n_more)
{
    const int n_room = ReserveRoom(Participants, n_more);
    bKeyIndexValid = FALSE;
    RebuildKeyIndex(n_room);
    NameIndex.reserve(static_cast<std::size_t>(n_room));
    RebuildNameIndex();
}

ParticipantList::Reading::Reading(ParticipantList& list, int n_expected) : List(list), Record(list.Participants)
{
    const int n_room = ReserveRoom(List.Participants, n_expected);
    List.bKeyIndexValid = FALSE;
    List.RebuildKeyIndex(n_room);
    List.NameIndex.clear();
    List.bNameIndexValid = FALSE;
    List.ReadNames.Init(n_room);
    for (int i = 0; i < List.GetNumParticipants(); ++i)
        List.ReadNames.Add(NameHashes::Hash(List.Participants[i].GetFullName()), i);
    List.bReading = TRUE;
}

ParticipantList::Reading::~Reading()
{
    List.bReading = FALSE;
    List.ReadNames.Clear();
}

Participant& ParticipantList::Reading::Next()
{
    // The key index stays the list's own: it is never made again over the
    // blank record.
    List.RebuildKeyIndex();
    return Record.Next(kInitialRoom);
}

int ParticipantList::Reading::Keep()
{
    return Record.Settle(added, [&](int i_new) {
        std::uint64_t u_hash = 0;
        const int i_result = List.ReadRefusal(List.Participants[i_new], u_hash);
        if (i_result == added)
            List.ReadJoined(i_new, u_hash);
        return i_result;
    });
}

void ParticipantList::Swap(ParticipantList& other)
{
    std::swap(Participants, other.Participants);
    bKeyIndexValid = FALSE;
    bNameIndexValid = FALSE;
    other.bKeyIndexValid = FALSE;
    other.bNameIndexValid = FALSE;
}

void ParticipantList::RevalidateAll(EventDoc* p_doc)
{
    SortedKeyArray a_styles;
    p_doc->GetGroupStyleKeys(a_styles);
    for (int i = 0; i < GetNumParticipants(); ++i)
        Participants[i].Revalidate(p_doc, a_styles);
    bKeyIndexValid = FALSE;
    bNameIndexValid = FALSE;
}

void ParticipantList::RebuildKeyIndex() const
{
    RebuildKeyIndex(GetNumParticipants());
}

void ParticipantList::RebuildKeyIndex(int n_room) const
{
    if (bKeyIndexValid)
        return;
    KeyIndex.InitIndex(static_cast<UINT>(std::max(n_room, GetNumParticipants())));
    for (int p = 0; p < GetNumParticipants(); ++p)
        KeyIndex.SetAt(Participants[p].GetKey(), p);
    bKeyIndexValid = TRUE;
}

void ParticipantList::RebuildNameIndex() const
{
    if (bNameIndexValid)
        return;
    NameIndex.clear();
    NameIndex.reserve(static_cast<std::size_t>(GetNumParticipants()));
    for (int p = 0; p < GetNumParticipants(); ++p)
        NameIndex[Participants[p].GetFullName()] = p;
    bNameIndexValid = TRUE;
}

// ---- roles ----

void RevalidateParticipantRoles(EventDoc* p_doc)
{
    std::set<LONG> s_usual;
    const ParticipantList& participants = p_doc->GetParticipants();
    for (int i = 0; i < participants.GetNumParticipants(); ++i) {
        if (participants[i].GetUsualRoleKey() >= 0)
            s_usual.insert(participants[i].GetUsualRoleKey());
    }
    SortedKeyArray a_styles;
    p_doc->GetGroupStyleKeys(a_styles);
    ParticipantRoleList& roles = p_doc->GetParticipantRoles();
    for (int i = 0; i < roles.GetCount();) {
        if (s_usual.count(roles[i].GetKey()) == 0) {
            roles.Delete(i);
            continue;
        }
        roles[i].GetRosterStyles().RemoveUnusedStyles(a_styles);
        ++i;
    }
}
