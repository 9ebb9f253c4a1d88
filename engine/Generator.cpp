#include "engine/Generator.h"

#include "engine/BuildTables.h"
#include "engine/SelCounters.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Group.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// The venues of the day that the document has.
int NumVenues(const EventDoc* p_doc, const Day& day)
{
    return std::min(day.GetNumVenues(), p_doc->GetNumVenues());
}

// The cells (venue, slot) of the other venues of the day whose timeslots
// overlap the timeslot, venue by venue: the build's table row for a cell
// of the timetable while a build runs, else worked out here.
class Overlaps {
public:
    Overlaps(const BuildTables* p_tables, const EventDoc* p_doc, const Day& day, const Timeslot& slot)
    {
        if (p_tables == nullptr || !p_tables->FindOverlaps(day, slot, Tabled))
            BuildTables::WorkOutOverlaps(*p_doc, day, slot, oOwn.emplace());
    }
    Overlaps(const Overlaps&) = delete;
    Overlaps& operator=(const Overlaps&) = delete;

    int GetSize() const { return oOwn ? oOwn->GetSize() : Tabled.GetSize(); }
    TTLoc operator[](int i) const { return oOwn ? (*oOwn)[i] : Tabled[i]; }
    // The timeslot of cell i of the day: the table holds it.
    const Timeslot& GetSlot(const Day& day, int i) const
    {
        if (!oOwn)
            return Tabled.GetSlot(i);
        const TTLoc& loc = (*oOwn)[i];
        return day.GetVenueSlots(loc.GetVenue())[loc.GetSlot()];
    }

private:
    std::optional<TTLocArray> oOwn;
    BuildTables::Row Tabled;
};

const Timeslot& SlotAt(const Day& day, const TTLoc& loc)
{
    return day.GetVenueSlots(loc.GetVenue())[loc.GetSlot()];
}

// The timetable day of the timeslot; null when the document's timetable
// has no such day.
const Day* DayOfSlot(const EventDoc* p_doc, const Timeslot& slot)
{
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr || slot.GetDay() < 0 || slot.GetDay() >= p_timetable->GetNumDays())
        return nullptr;
    return &p_timetable->GetDay(slot.GetDay());
}

CHighTimeSpan TravelTime(const EventDoc* p_doc)
{
    return CHighTimeSpan(0, 0, static_cast<std::int32_t>(p_doc->GetPreferences().GetTravelMinutes()));
}

// The texts' clock times: hours and minutes with am or pm.
std::string TimeText(const Timeslot& slot, BOOL b_end)
{
    return slot.GetTimeText(FALSE, b_end);
}

// The group placed in the timeslot has the participant as a member.
BOOL PlacementHasMember(const EventDoc* p_doc, const Timeslot& slot, LONG l_part_key)
{
    if (slot.GetGroup() < 0)
        return FALSE;
    const int i_group = p_doc->GetGroups().FindByKey(slot.GetGroup());
    return i_group >= 0 && p_doc->GetGroups()[i_group].GetMembers().HasMember(l_part_key);
}

void EmptySlot(Timeslot& slot)
{
    slot.SetGroup(-1);
    slot.SetLocked(FALSE);
    slot.SetSpare(0);
}

std::string Quoted(const std::string& s_text) { return "'" + s_text + "'"; }

} // namespace

int Generator::FindSharingGroupOutOfLine(const GroupList& groups, int i_group, LONG l_key) const
{
    if (pTables != nullptr && pTables->IsFor(groups)) {
        const int i_other = pTables->FindGroup(l_key);
        if (i_other < 0)
            return -1;
        if (pTables->HasShares())
            return pTables->GroupsShare(i_group, i_other) ? i_other : -1;
        return GroupsShareParticipant(groups, i_group, i_other) ? i_other : -1;
    }
    const int i_other = groups.FindByKey(l_key);
    return i_other >= 0 && GroupsShareParticipant(groups, i_group, i_other) ? i_other : -1;
}

int Generator::FindGroup(const GroupList& groups, LONG l_key) const
{
    return pTables != nullptr && pTables->IsFor(groups) ? pTables->FindGroup(l_key) : groups.FindByKey(l_key);
}

// ---- quiet tests ----

BOOL Generator::IsVenueSuitable(const Group& group, const Venue& venue) const
{
    return ::IsVenueSuitable(group, venue);
}

BOOL Generator::GroupsShareParticipant(const GroupList& groups, int i_group_a, int i_group_b, LONG* p_part_key) const
{
    if (p_part_key == nullptr && pTables != nullptr && pTables->HasShares() && pTables->IsFor(groups))
        return pTables->GroupsShare(i_group_a, i_group_b) ? TRUE : FALSE;
    if (p_part_key)
        *p_part_key = -1;
    if (i_group_a == i_group_b) {
        const GroupMembers& members = groups[i_group_a].GetMembers();
        if (p_part_key && members.GetSize() > 0)
            *p_part_key = members[0].lParticipantKey;
        return TRUE;
    }
    const GroupMembers& members_a = groups[i_group_a].GetMembers();
    const GroupMembers& members_b = groups[i_group_b].GetMembers();
    const bool b_a_smaller = members_a.GetSize() <= members_b.GetSize();
    const GroupMembers& walked = b_a_smaller ? members_a : members_b;
    const GroupMembers& looked_up = b_a_smaller ? members_b : members_a;
    for (int m = 0; m < walked.GetSize(); ++m) {
        if (looked_up.HasMember(walked[m].lParticipantKey)) {
            if (p_part_key)
                *p_part_key = walked[m].lParticipantKey;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL Generator::HasClashAt(const EventDoc* p_doc, const Day& day, const Timeslot& slot, int i_group,
                           const Timeslot* p_ignore) const
{
    const GroupList& groups = p_doc->GetGroups();
    const Overlaps a_overlaps(pTables, p_doc, day, slot);
    for (int i = 0; i < a_overlaps.GetSize(); ++i) {
        const Timeslot& other = a_overlaps.GetSlot(day, i);
        if (&other == p_ignore || other.GetGroup() < 0)
            continue;
        if (FindSharingGroup(groups, i_group, other.GetGroup()) >= 0)
            return TRUE;
    }
    return FALSE;
}

int Generator::FindClashLocations(const EventDoc* p_doc, const Day& day, const Timeslot& slot, int i_group,
                                  TTLocArray& a_locs, BOOL b_locked_only) const
{
    const GroupList& groups = p_doc->GetGroups();
    const Overlaps a_overlaps(pTables, p_doc, day, slot);
    int n_found = 0;
    for (int i = 0; i < a_overlaps.GetSize(); ++i) {
        const Timeslot& other = a_overlaps.GetSlot(day, i);
        if (other.GetGroup() < 0 || (b_locked_only && !other.IsLocked()))
            continue;
        if (FindSharingGroup(groups, i_group, other.GetGroup()) >= 0) {
            a_locs.Add(a_overlaps[i]);
            ++n_found;
        }
    }
    return n_found;
}

int Generator::FindClashLocations(const EventDoc* p_doc, const Timeslot& slot, int i_group, TTLocArray& a_locs,
                                  BOOL b_locked_only) const
{
    const Day* p_day = DayOfSlot(p_doc, slot);
    return p_day ? FindClashLocations(p_doc, *p_day, slot, i_group, a_locs, b_locked_only) : 0;
}

int Generator::GetOverlappingGroups(const EventDoc* p_doc, const Day& day, const Timeslot& slot, KeyList& keys,
                                    BOOL b_locked_only) const
{
    const Overlaps a_overlaps(pTables, p_doc, day, slot);
    int n_added = 0;
    for (int i = 0; i < a_overlaps.GetSize(); ++i) {
        const Timeslot& other = a_overlaps.GetSlot(day, i);
        if (other.GetGroup() < 0 || (b_locked_only && !other.IsLocked()))
            continue;
        if (keys.Find(other.GetGroup()) < 0) {
            keys.Add(other.GetGroup());
            ++n_added;
        }
    }
    return n_added;
}

int Generator::GetOverlappingGroups(const EventDoc* p_doc, const Timeslot& slot, KeyList& keys,
                                    BOOL b_locked_only) const
{
    const Day* p_day = DayOfSlot(p_doc, slot);
    return p_day ? GetOverlappingGroups(p_doc, *p_day, slot, keys, b_locked_only) : 0;
}

BOOL Generator::FindNearestPlacement(const EventDoc* p_doc, const Timeslot& slot, LONG l_part_key, BOOL b_before,
                                     TTLoc& loc) const
{
    const Day* p_day = DayOfSlot(p_doc, slot);
    if (p_day == nullptr)
        return FALSE;
    const Day& day = *p_day;
    BOOL b_found = FALSE;
    CHighTimeSpan best;
    for (int v = 0; v < NumVenues(p_doc, day); ++v) {
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            const Timeslot& other = a_slots[s];
            if (&other == &slot || other.GetGroup() < 0)
                continue;
            if (b_before) {
                if (!(other.GetEndOffset() <= slot.GetStartOffset()) || (b_found && !(other.GetEndOffset() > best)))
                    continue;
            } else {
                if (!(other.GetStartOffset() >= slot.GetEndOffset()) || (b_found && !(other.GetStartOffset() < best)))
                    continue;
            }
            if (!PlacementHasMember(p_doc, other, l_part_key))
                continue;
            b_found = TRUE;
            best = b_before ? other.GetEndOffset() : other.GetStartOffset();
            loc.Set(day.GetDayIndex(), v, s);
        }
    }
    return b_found;
}

int Generator::FindLimitBlockers(const EventDoc* p_doc, int i_group, const Timeslot& slot, TTLocArray& a_locs,
                                 const SelCounters& counters) const
{
    const Day* p_day = DayOfSlot(p_doc, slot);
    return p_day ? FindLimitBlockers(p_doc, *p_day, i_group, slot, a_locs, counters) : 0;
}

int Generator::FindLimitBlockers(const EventDoc* p_doc, const Day& day, int i_group, const Timeslot& slot,
                                 TTLocArray& a_locs, const SelCounters& counters) const
{
    if (!counters.IsCountingParticipants())
        return 0;
    const GroupList& groups = p_doc->GetGroups();
    const ParticipantList& participants = p_doc->GetParticipants();
    const int i_slot_venue = slot.GetVenue();
    const bool b_venue_known = i_slot_venue >= 0 && i_slot_venue < NumVenues(p_doc, day);
    const LONG l_venueKey = i_slot_venue >= 0 && i_slot_venue < p_doc->GetNumVenues()
        ? p_doc->GetVenues()[i_slot_venue].GetKey()
        : -1;
    const int i_day = day.GetDayIndex();
    // A placement blocks when its group shares a member of this group who
    // is at a limit: the day's maximum anywhere on the day, a venue limit's
    // maximum only in the timeslot's own venue. The groups of each such
    // member are marked (1: blocks anywhere, 2: in the venue), so that the
    // walk over the day's cells tests each placement's group once instead
    // of matching its members against the group's.
    std::vector<BYTE>& a_marks = BlockMarks;
    std::vector<int>& a_marked = BlockMarked;
    a_marks.resize(static_cast<std::size_t>(groups.GetNumGroups()), 0);
    a_marked.clear();
    const auto mark = [&](int i_part, BYTE u_mark) {
        for (const int i_other : counters.GetPartGroups(i_part)) {
            BYTE& u_at = a_marks[static_cast<std::size_t>(i_other)];
            if (u_at == 0)
                a_marked.push_back(i_other);
            u_at |= u_mark;
        }
    };
    for (const int i_part : counters.GetMemberParts(i_group)) {
        if (i_part < 0)
            continue;
        const Participant& part = participants[i_part];
        const PartCount& part_count = counters.GetPartCount(i_part);
        if (part_count.GetDayCount(i_day) >= part.GetDayLimits().GetMax()) {
            mark(i_part, 1);
        } else if (b_venue_known) {
            const VenueLimit* p_limit = part.GetVenueLimit(l_venueKey);
            if (p_limit && part_count.GetVenueCount(i_slot_venue) >= p_limit->Limit.GetMax())
                mark(i_part, 2);
        }
    }
    // The venues where a marked group has a placement on the day, by the
    // counters (which the moves keep in step with the cells): only their
    // cells are walked, in the order the walk of every cell would meet
    // them.
    const int n_venues = NumVenues(p_doc, day);
    std::vector<BYTE>& a_venues = BlockVenues;
    a_venues.assign(static_cast<std::size_t>(n_venues), 0);
    bool b_any_venue = false;
    for (const int i_other : a_marked) {
        if (counters.GetDayTotal(i_other, i_day) == 0)
            continue;
        const bool b_anywhere = (a_marks[static_cast<std::size_t>(i_other)] & 1) != 0;
        for (int v = 0; v < n_venues; ++v) {
            if ((b_anywhere || v == i_slot_venue) && counters.GetDayVenueTotal(i_other, i_day, v) > 0) {
                a_venues[static_cast<std::size_t>(v)] = 1;
                b_any_venue = true;
            }
        }
    }
    int n_found = 0;
    for (int v = 0; b_any_venue && v < n_venues; ++v) {
        if (a_venues[static_cast<std::size_t>(v)] == 0)
            continue;
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        const BYTE u_blocks = v == i_slot_venue ? 3 : 1;
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            if (a_slots[s].GetGroup() < 0)
                continue;
            const int i_other = FindGroup(groups, a_slots[s].GetGroup());
            if (i_other >= 0 && (a_marks[static_cast<std::size_t>(i_other)] & u_blocks) != 0) {
                a_locs.Add(TTLoc(i_day, v, s));
                ++n_found;
            }
        }
    }
    for (const int i_other : a_marked)
        a_marks[static_cast<std::size_t>(i_other)] = 0;
    return n_found;
}

int Generator::FindTravelClashLocations(const EventDoc* p_doc, int i_group, const Timeslot& slot,
                                        TTLocArray& a_locs) const
{
    const Day* p_day = DayOfSlot(p_doc, slot);
    return p_day ? FindTravelClashLocations(p_doc, *p_day, i_group, slot, a_locs) : 0;
}

int Generator::FindTravelClashLocations(const EventDoc* p_doc, const Day& day, int i_group, const Timeslot& slot,
                                        TTLocArray& a_locs) const
{
    const GroupList& groups = p_doc->GetGroups();
    int n_found = 0;
    BuildTables::Row near;
    if (pTables != nullptr && pTables->FindNear(day, slot, p_doc->GetPreferences().GetTravelMinutes(), near)) {
        for (int i = 0; i < near.GetSize(); ++i) {
            const Timeslot& other = near.GetSlot(i);
            if (other.GetGroup() >= 0 && FindSharingGroup(groups, i_group, other.GetGroup()) >= 0) {
                a_locs.Add(near[i]);
                ++n_found;
            }
        }
        return n_found;
    }
    const CHighTimeSpan travel = TravelTime(p_doc);
    for (int v = 0; v < NumVenues(p_doc, day); ++v) {
        if (v == slot.GetVenue())
            continue;
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            const Timeslot& other = a_slots[s];
            if (other.GetGroup() < 0)
                continue;
            const bool b_before =
                other.GetEndOffset() <= slot.GetStartOffset() && slot.GetStartOffset() - other.GetEndOffset() < travel;
            const bool b_after =
                other.GetStartOffset() >= slot.GetEndOffset() && other.GetStartOffset() - slot.GetEndOffset() < travel;
            if (!b_before && !b_after)
                continue;
            if (FindSharingGroup(groups, i_group, other.GetGroup()) >= 0) {
                a_locs.Add(TTLoc(day.GetDayIndex(), v, s));
                ++n_found;
            }
        }
    }
    return n_found;
}

BOOL Generator::CheckTravelTime(const EventDoc* p_doc, int i_group, const Timeslot& slot, BOOL b_locked_only) const
{
    const Day* p_day = DayOfSlot(p_doc, slot);
    if (p_day == nullptr)
        return TRUE;
    const CHighTimeSpan travel = TravelTime(p_doc);
    const GroupMembers& members = p_doc->GetGroups()[i_group].GetMembers();
    for (int m = 0; m < members.GetSize(); ++m) {
        const LONG l_part_key = members[m].lParticipantKey;
        TTLoc loc;
        if (FindNearestPlacement(p_doc, slot, l_part_key, TRUE, loc) && loc.GetVenue() != slot.GetVenue()) {
            const Timeslot& earlier = SlotAt(*p_day, loc);
            if (slot.GetStartOffset() - earlier.GetEndOffset() < travel && (!b_locked_only || earlier.IsLocked()))
                return FALSE;
        }
        if (FindNearestPlacement(p_doc, slot, l_part_key, FALSE, loc) && loc.GetVenue() != slot.GetVenue()) {
            const Timeslot& later = SlotAt(*p_day, loc);
            if (later.GetStartOffset() - slot.GetEndOffset() < travel && (!b_locked_only || later.IsLocked()))
                return FALSE;
        }
    }
    return TRUE;
}

BOOL Generator::CheckTravelTime(const EventDoc* p_doc, int i_group, int i_day, int i_venue, int i_slot,
                                BOOL b_locked_only) const
{
    const Timeslot& slot = p_doc->GetTimetable()->GetDay(i_day).GetVenueSlots(i_venue)[i_slot];
    return CheckTravelTime(p_doc, i_group, slot, b_locked_only);
}

BOOL Generator::CheckDayRules(const EventDoc* p_doc, const Group& group, const Timeslot& slot,
                              BOOL b_locked_only) const
{
    const ZelArray<DayRule>& a_rules = p_doc->GetSchedulingRules().GetDayRules();
    const ZelArray<UINT>& a_indexes = slot.GetDayRules();
    for (int i = 0; i < a_indexes.GetSize(); ++i) {
        // An index the rules no longer have is one attached before they
        // changed; the next attachment drops it.
        if (a_indexes[i] >= static_cast<UINT>(a_rules.GetSize()))
            continue;
        if (!a_rules[static_cast<int>(a_indexes[i])].AllowsGroup(p_doc, slot, group, b_locked_only))
            return FALSE;
    }
    return TRUE;
}

BOOL Generator::CheckVenueRules(const EventDoc* p_doc, const Group& group, const Timeslot& slot,
                                BOOL b_locked_only) const
{
    const ZelArray<VenueRule>& a_rules = p_doc->GetSchedulingRules().GetVenueRules();
    const ZelArray<UINT>& a_indexes = slot.GetVenueRules();
    for (int i = 0; i < a_indexes.GetSize(); ++i) {
        if (a_indexes[i] >= static_cast<UINT>(a_rules.GetSize()))
            continue;
        if (!a_rules[static_cast<int>(a_indexes[i])].AllowsGroup(p_doc, slot, group, b_locked_only))
            return FALSE;
    }
    return TRUE;
}

BOOL Generator::CheckRotation(const EventDoc* p_doc, const TTMap& map, int i_group, const Chunk& chunk,
                              const SelCounters& counters) const
{
    const Group& group = p_doc->GetGroups()[i_group];
    // Most groups do not rotate: every chunk keeps their rotation.
    if (group.GetRotation() != Group::e_event_rotation && group.GetRotation() != Group::e_day_rotation)
        return TRUE;
    const int i_venue = chunk.GetVenue();
    const int n_venues = counters.GetNumVenues();
    const TTMap::GroupMap& group_map = map.GetGroupMap(i_group);
    const Timetable& timetable = *map.GetTimetable();
    ZelSortedArray<int> a_days;
    chunk.GetDays(a_days);

    switch (group.GetRotation()) {
    case Group::e_event_rotation:
        if (counters.GetRuns(i_group, -1, i_venue) == 0) {
            // A first run here: not on a day the group already has a run
            // elsewhere.
            for (int i = 0; i < a_days.GetSize(); ++i) {
                for (int v = 0; v < n_venues; ++v) {
                    if (v != i_venue && counters.GetRuns(i_group, a_days[i], v) > 0)
                        return FALSE;
                }
            }
            return TRUE;
        }
        // Another run here: only joining one, or when every other venue
        // the group may go to has had its run.
        if (chunk.HoldsGroup(timetable, group.GetKey(), -1))
            return TRUE;
        for (int v = 0; v < n_venues; ++v) {
            if (v != i_venue && group_map.GetVenueMap(v).HasAllowedSlots() && counters.GetRuns(i_group, -1, v) == 0)
                return FALSE;
        }
        return TRUE;

    case Group::e_day_rotation:
        for (int i = 0; i < a_days.GetSize(); ++i) {
            const int i_day = a_days[i];
            if (counters.GetRuns(i_group, i_day, i_venue) == 0 || chunk.HoldsGroup(timetable, group.GetKey(), i_day))
                continue;
            for (int v = 0; v < n_venues; ++v) {
                if (v != i_venue && group_map.GetVenueMap(v).GetDay(i_day).nAllowed > 0
                    && counters.GetRuns(i_group, i_day, v) == 0)
                    return FALSE;
            }
        }
        return TRUE;

    default:
        return TRUE;
    }
}

// ---- changes ----

BOOL Generator::ClearOneOf(Timeslot& slot_a, Timeslot& slot_b)
{
    if (!slot_a.IsLocked()) {
        EmptySlot(slot_a);
        return TRUE;
    }
    if (!slot_b.IsLocked()) {
        EmptySlot(slot_b);
        return TRUE;
    }
    return FALSE;
}

BOOL Generator::CheckParticipantTimes(EventDoc* p_doc, int i_day, int i_venue, int i_slot) const
{
    Day& day = p_doc->GetTimetable()->GetDay(i_day);
    Timeslot& slot = day.GetVenueSlots(i_venue)[i_slot];
    if (slot.IsEmpty())
        return TRUE;
    const GroupList& groups = p_doc->GetGroups();
    const int i_group = groups.FindByKey(slot.GetGroup());
    if (i_group < 0) {
        Report("Cannot find group key " + std::to_string(slot.GetGroup()));
        return FALSE;
    }

    BOOL b_resolved = TRUE;
    const Overlaps a_overlaps(pTables, p_doc, day, slot);
    for (int i = 0; i < a_overlaps.GetSize(); ++i) {
        Timeslot& other = day.GetVenueSlots(a_overlaps[i].GetVenue())[a_overlaps[i].GetSlot()];
        if (other.IsEmpty())
            continue;
        const int i_other = FindGroup(groups, other.GetGroup());
        if (i_other < 0) {
            Report("Cannot find group key " + std::to_string(other.GetGroup()));
            b_resolved = FALSE;
            continue;
        }
        if (!GroupsShareParticipant(groups, i_group, i_other))
            continue;
        if (!ClearOneOf(slot, other))
            b_resolved = FALSE;
        else if (slot.IsEmpty())
            return b_resolved; // nothing of it is left to clash
    }

    if (!p_doc->GetPreferences().GetAllowTravel())
        return b_resolved;
    const CHighTimeSpan travel = TravelTime(p_doc);
    const GroupMembers members = groups[i_group].GetMembers();
    for (int m = 0; m < members.GetSize(); ++m) {
        const LONG l_part_key = members[m].lParticipantKey;
        TTLoc loc;
        if (FindNearestPlacement(p_doc, slot, l_part_key, TRUE, loc) && loc.GetVenue() != i_venue) {
            Timeslot& earlier = day.GetVenueSlots(loc.GetVenue())[loc.GetSlot()];
            if (slot.GetStartOffset() - earlier.GetEndOffset() < travel) {
                if (!ClearOneOf(earlier, slot))
                    b_resolved = FALSE;
                else if (slot.IsEmpty())
                    return b_resolved;
            }
        }
        if (FindNearestPlacement(p_doc, slot, l_part_key, FALSE, loc) && loc.GetVenue() != i_venue) {
            Timeslot& later = day.GetVenueSlots(loc.GetVenue())[loc.GetSlot()];
            if (later.GetStartOffset() - slot.GetEndOffset() < travel) {
                if (!ClearOneOf(later, slot))
                    b_resolved = FALSE;
                else if (slot.IsEmpty())
                    return b_resolved;
            }
        }
    }
    return b_resolved;
}

BOOL Generator::VerifySlot(const EventDoc* p_doc, int i_day, const Day& day, int i_venue, int i_slot,
                           SelCounters& counters) const
{
    const Timeslot& slot = day.GetVenueSlots(i_venue)[i_slot];
    if (slot.IsEmpty())
        return TRUE;
    const int i_group = p_doc->GetGroups().FindByKey(slot.GetGroup());
    if (i_group < 0) {
        Report("Cannot find group key " + std::to_string(slot.GetGroup()));
        return FALSE;
    }
    const Group& group = p_doc->GetGroups()[i_group];
    if (!CheckAvailability(p_doc, day, group, slot))
        return FALSE;
    if (!CheckGroupLimits(p_doc, i_day, day, i_venue, i_group, counters))
        return FALSE;
    if (counters.IsCountingParticipants() && !CheckParticipantLimits(p_doc, i_day, day, i_venue, i_group, counters))
        return FALSE;
    if (!CheckStyles(p_doc, group, i_venue) || !CheckFacilities(p_doc, group, i_venue))
        return FALSE;
    return CheckParticipants(p_doc, day, i_group, slot);
}

BOOL Generator::CheckAvailability(const EventDoc* p_doc, const Day& day, const Group& group,
                                  const Timeslot& slot) const
{
    if (group.IsAvailable(p_doc, day.GetDayId(), slot))
        return TRUE;
    if (slot.IsLocked()) {
        ShowMessageId2(IDS_LOCKED_GROUP_UNAVAILABLE, group.GetName(),
                       TimeText(slot, FALSE) + " in day '" + day.GetName() + "'", MB_OK | MB_ICONEXCLAMATION);
    } else {
        Report("Group '" + group.GetName() + "' has been selected into a timeslot when it isn't available.\n"
               "The timeslot starts at " + TimeText(slot, FALSE) + " in day '" + day.GetName() + "'.");
    }
    return FALSE;
}

BOOL Generator::CheckGroupLimits(const EventDoc* p_doc, int i_day, const Day& day, int i_venue, int i_group,
                                 SelCounters& counters) const
{
    const Group& group = p_doc->GetGroups()[i_group];
    // Counting the members of a member whose participant is gone would
    // fail the counters' check: it is reported as the participant check
    // reports it.
    if (counters.IsCountingParticipants()) {
        const GroupMembers& members = group.GetMembers();
        for (int m = 0; m < members.GetSize(); ++m) {
            if (p_doc->GetParticipants().FindByKey(members[m].lParticipantKey) < 0) {
                Report("Can't find participant key " + std::to_string(members[m].lParticipantKey));
                return FALSE;
            }
        }
    }
    counters.IncGroupCount(i_group, i_day, i_venue);

    const Venue& venue = p_doc->GetVenues()[i_venue];
    const std::string s_group = "Group '" + group.GetName() + "' has been selected too many times ";
    if (group.GetUseVenueLimits()) {
        const VenueLimit* p_limit = group.GetVenueLimit(venue.GetKey());
        if (p_limit && counters.GetVenueTotal(i_group, i_venue) > p_limit->Limit.GetMax()) {
            Report(s_group + "in venue '" + venue.GetName() + "'.  Its maximum scheduling limit is "
                   + std::to_string(p_limit->Limit.GetMax()) + ".");
            return FALSE;
        }
    }
    if (counters.GetDayTotal(i_group, i_day) > group.GetDayLimits().GetMax()) {
        Report(s_group + "on day '" + day.GetName() + "'.  Its maximum scheduling limit is "
               + std::to_string(group.GetDayLimits().GetMax()) + ".");
        return FALSE;
    }
    if (!group.GetUseVenueLimits() && counters.GetTotal(i_group) > group.GetEventLimits().GetMax()) {
        Report(s_group + "over the whole event.  Its maximum scheduling limit is "
               + std::to_string(group.GetEventLimits().GetMax()) + ".");
        return FALSE;
    }
    return TRUE;
}

BOOL Generator::CheckParticipantLimits(const EventDoc* p_doc, int i_day, const Day& day, int i_venue, int i_group,
                                       const SelCounters& counters) const
{
    const GroupMembers& members = p_doc->GetGroups()[i_group].GetMembers();
    const ParticipantList& participants = p_doc->GetParticipants();
    const Venue& venue = p_doc->GetVenues()[i_venue];
    for (int m = 0; m < members.GetSize(); ++m) {
        const int i_part = participants.FindByKey(members[m].lParticipantKey);
        if (i_part < 0)
            continue;
        const Participant& part = participants[i_part];
        const PartCount& part_count = counters.GetPartCount(i_part);
        const std::string s_part = "Participant '" + part.GetFullName() + "' has been selected too many times ";
        if (part_count.GetDayCount(i_day) > part.GetDayLimits().GetMax()) {
            Report(s_part + "on day '" + day.GetName() + "'.  Its maximum scheduling limit is "
                   + std::to_string(part.GetDayLimits().GetMax()) + ".");
            return FALSE;
        }
        if (part.GetUseVenueLimits()) {
            const VenueLimit* p_limit = part.GetVenueLimit(venue.GetKey());
            if (p_limit && part_count.GetVenueCount(i_venue) > p_limit->Limit.GetMax()) {
                Report(s_part + "in the venue '" + venue.GetName() + "'. Its maximum scheduling limit is "
                       + std::to_string(p_limit->Limit.GetMax()) + ".");
                return FALSE;
            }
        } else if (part_count.GetTotal() > part.GetEventLimits().GetMax()) {
            Report(s_part + "over the whole event.  Its maximum scheduling limit is "
                   + std::to_string(part.GetEventLimits().GetMax()) + ".");
            return FALSE;
        }
    }
    return TRUE;
}

BOOL Generator::CheckStyles(const EventDoc* p_doc, const Group& group, int i_venue) const
{
    const Venue& venue = p_doc->GetVenues()[i_venue];
    const KeyList& venue_styles = venue.GetStyles();
    if (venue_styles.GetCount() == 0)
        return TRUE;
    const KeyList& styles = group.GetStyles();
    if (styles.GetCount() == 0) {
        Report("Group '" + group.GetName() + "': has no styles but has been placed in venue '" + venue.GetName() + "'");
        return FALSE;
    }
    for (int i = styles.GetMaxKeys() - 1; i >= 0; --i) {
        if (styles[i] != -1 && venue_styles.Find(styles[i]) >= 0)
            return TRUE;
    }
    Report("Group '" + group.GetName() + "': has no style that matches the styles in venue '" + venue.GetName() + "'");
    return FALSE;
}

BOOL Generator::CheckFacilities(const EventDoc* p_doc, const Group& group, int i_venue) const
{
    const Venue& venue = p_doc->GetVenues()[i_venue];
    const KeyList& facilities = group.GetFacilities();
    for (int i = facilities.GetMaxKeys() - 1; i >= 0; --i) {
        const LONG l_key = facilities[i];
        if (l_key == -1 || venue.GetFacilities().Find(l_key) >= 0)
            continue;
        const int i_facility = p_doc->GetFacilities().FindByKey(l_key);
        const std::string s_facility =
            i_facility >= 0 ? p_doc->GetFacilities()[i_facility].GetName() : std::to_string(l_key);
        Report("Group '" + group.GetName() + "': required facility '" + s_facility + "' not found in venue '"
               + venue.GetName() + "'");
        return FALSE;
    }
    return TRUE;
}

BOOL Generator::CheckParticipants(const EventDoc* p_doc, const Day& day, int i_group, const Timeslot& slot) const
{
    const GroupList& groups = p_doc->GetGroups();
    const ParticipantList& participants = p_doc->GetParticipants();
    const Group& group = groups[i_group];
    const GroupMembers& members = group.GetMembers();

    // The members' keys, every one a participant's. A member of a group in
    // an overlapping timeslot is looked for among these few keys rather
    // than through the participant index: a timetable's verification asks
    // this for every member of every group beside every placement.
    std::vector<LONG> v_members;
    v_members.reserve(static_cast<std::size_t>(members.GetSize()));
    for (int m = 0; m < members.GetSize(); ++m) {
        if (participants.FindByKey(members[m].lParticipantKey) < 0) {
            Report("Can't find participant key " + std::to_string(members[m].lParticipantKey));
            return FALSE;
        }
        v_members.push_back(members[m].lParticipantKey);
    }

    const Overlaps a_overlaps(pTables, p_doc, day, slot);
    for (int i = 0; i < a_overlaps.GetSize(); ++i) {
        const Timeslot& other = a_overlaps.GetSlot(day, i);
        if (other.GetGroup() < 0)
            continue;
        const int i_other = FindGroup(groups, other.GetGroup());
        if (i_other < 0)
            continue;
        const GroupMembers& other_members = groups[i_other].GetMembers();
        for (int m = 0; m < other_members.GetSize(); ++m) {
            const LONG l_part_key = other_members[m].lParticipantKey;
            if (std::find(v_members.begin(), v_members.end(), l_part_key) == v_members.end())
                continue;
            const int i_part = participants.FindByKey(l_part_key);
            Report("Participant '" + participants[i_part].GetFullName() + "' appears more than once\n"
                   "during the time " + TimeText(slot, FALSE) + " to " + TimeText(slot, TRUE) + " in day '"
                   + day.GetName() + "'");
            return FALSE;
        }
    }

    if (!p_doc->GetPreferences().GetAllowTravel())
        return TRUE;
    const CHighTimeSpan travel = TravelTime(p_doc);
    for (int v = 0; v < NumVenues(p_doc, day); ++v) {
        if (v == slot.GetVenue())
            continue;
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            const Timeslot& other = a_slots[s];
            if (other.GetGroup() < 0 || !(other.GetEndOffset() <= slot.GetStartOffset())
                || !(slot.GetStartOffset() - other.GetEndOffset() < travel))
                continue;
            const int i_other = FindGroup(groups, other.GetGroup());
            LONG l_part_key = -1;
            if (i_other < 0 || !GroupsShareParticipant(groups, i_group, i_other, &l_part_key))
                continue;
            const int i_part = participants.FindByKey(l_part_key);
            const std::string s_part = i_part >= 0 ? participants[i_part].GetFullName() : std::to_string(l_part_key);
            Report("Participant " + Quoted(s_part) + " in group " + Quoted(group.GetName()) + "\n"
                   "has insufficent travel time to timeslot " + TimeText(slot, FALSE) + " in day '" + day.GetName()
                   + "' (was in group " + Quoted(groups[i_other].GetName()) + " in timeslot ending at "
                   + TimeText(other, TRUE) + ").");
            return FALSE;
        }
    }
    return TRUE;
}

void Generator::CountAndPromote(int i_group, int i_day, int i_venue, SelCounters& counters,
                                GroupIndexList& a_groups) const
{
    counters.IncGroupCount(i_group, i_day, i_venue);
    a_groups.remove(i_group);
    a_groups.push_front(i_group);
}

// ---- reporting ----

void Generator::Report(const std::string& s_text) const
{
    if (bUserCheck)
        ShowMessageBox(s_text, MB_OK | MB_ICONEXCLAMATION);
    else
        ShowMessageId(IDS_BUILD_INTERNAL_ERROR, s_text, MB_OK | MB_ICONSTOP);
}
