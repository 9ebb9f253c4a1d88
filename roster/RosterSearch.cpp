// The placement search of the rostering engine: one participant into the
// groups of its roster styles.
//
// The search goes through the locked cells of the timetable in timetable
// order (days, then venues, then slots), only those whose group carries
// the style sought: any other cell would fail the try before it changed
// anything. The deeper levels move memberships to make room; the chain
// guard keeps a nested step from touching a group an enclosing step is
// working on. Every step asks the stack guard first, so that a search too
// deep for the thread ends the run with the stack-overflow report instead
// of a crash; the open transactions roll back as the exception passes.
#include "engine/StackGuard.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "roster/RosterEngine.h"

#include <algorithm>

class RosterEngine::ChainGuard {
public:
    ChainGuard(ZelKeyIndex<int>& guards, LONG l_group_key) : Guards(guards), lGroupKey(l_group_key)
    {
        int& n_uses = Guards[lGroupKey];
        bWasPresent = n_uses > 0;
        ++n_uses;
    }
    ~ChainGuard()
    {
        if (--Guards[lGroupKey] <= 0)
            Guards.RemoveKey(lGroupKey);
    }
    ChainGuard(const ChainGuard&) = delete;
    ChainGuard& operator=(const ChainGuard&) = delete;

    // An enclosing step already works on the group.
    BOOL WasPresent() const { return bWasPresent; }

private:
    ZelKeyIndex<int>& Guards;
    LONG lGroupKey;
    BOOL bWasPresent;
};

template <class KeepOn, class Visit>
void RosterEngine::WalkStyleCells(LONG l_style_key, KeepOn keep_on, Visit visit, int i_part, const Timeslot* p_lower,
                                  const Timeslot* p_upper)
{
    int i_entry = -1;
    if (pTimetable == nullptr || !StyleCellIndex.Lookup(l_style_key, i_entry))
        return;
    const std::vector<int>& v_cells = vStyleCells[static_cast<std::size_t>(i_entry)];
    for (const int i_cell : v_cells) {
        if (!keep_on())
            return;
        const TTLoc& loc = vLockedCells[static_cast<std::size_t>(i_cell)];
        const TimeslotArray& a_slots = pTimetable->GetDay(loc.GetDay()).GetVenueSlots(loc.GetVenue());
        // A cell the try would refuse without a word or a change is passed
        // over at once.
        if (IsCellRefused(i_part, vCellGroups[static_cast<std::size_t>(i_cell)], a_slots[loc.GetSlot()], p_lower,
                          p_upper))
            continue;
        // Rostering changes no timeslot: the cell stays where it is.
        if (visit(a_slots[loc.GetSlot()], vDayIds[static_cast<std::size_t>(loc.GetDay())],
                  vCellGroups[static_cast<std::size_t>(i_cell)]))
            return;
    }
}

// ---- boundaries ----

void RosterEngine::CollectStyleSlots(int i_part, LONG l_style_key, std::vector<const Timeslot*>& a_slots,
                                     KeyList& keys) const
{
    if (pTimetable == nullptr)
        return;
    const GroupList& groups = pDoc->GetGroups();
    std::vector<TTLoc> v_locs;
    // The participant's own groups: the only ones it can be a member of.
    for (const int g : vPartGroups[static_cast<std::size_t>(i_part)]) {
        const Group& group = groups[g];
        if (group.GetStyles().Find(l_style_key) < 0)
            continue;
        const TTLocArray& a_locs = GroupPlacements[g];
        for (int i = 0; i < a_locs.GetSize(); ++i)
            v_locs.push_back(a_locs[i]);
        keys.Add(group.GetKey());
    }
    // Into the end-time order in the order a walk of the timetable meets
    // the slots: of slots ending together, the one met later goes before
    // the one found equal.
    std::sort(v_locs.begin(), v_locs.end(), [](const TTLoc& a, const TTLoc& b) {
        if (a.GetDay() != b.GetDay())
            return a.GetDay() < b.GetDay();
        if (a.GetVenue() != b.GetVenue())
            return a.GetVenue() < b.GetVenue();
        return a.GetSlot() < b.GetSlot();
    });
    for (const TTLoc& loc : v_locs) {
        const Timeslot* p_slot = &pTimetable->GetDay(loc.GetDay()).GetVenueSlots(loc.GetVenue())[loc.GetSlot()];
        int i_low = 0;
        int i_high = static_cast<int>(a_slots.size()) - 1;
        int i_insert = -1;
        while (i_low <= i_high) {
            const int i_mid = (i_low + i_high) / 2;
            const int i_cmp = SlotOrder.Compare(*p_slot, *a_slots[static_cast<std::size_t>(i_mid)], 3);
            if (i_cmp == 0) {
                i_insert = i_mid;
                break;
            }
            if (i_cmp < 0)
                i_high = i_mid - 1;
            else
                i_low = i_mid + 1;
        }
        if (i_insert < 0)
            i_insert = i_low;
        a_slots.insert(a_slots.begin() + i_insert, p_slot);
    }
}

void RosterEngine::BuildStyleSlots(int i_part, const Needs& needs, BoundaryArray& a_bounds)
{
    a_bounds.RemoveAll();
    const LONG l_part_key = pDoc->GetParticipants()[i_part].GetKey();
    BOOL b_any_held = FALSE;
    for (std::size_t i = 0; i < needs.vStyles.size(); ++i) {
        StyleBoundary entry;
        entry.lStyleKey = needs.vStyles[i];
        entry.iOrder = static_cast<int>(needs.vOrders[i]);
        std::vector<const Timeslot*> a_slots;
        KeyList keys;
        CollectStyleSlots(i_part, entry.lStyleKey, a_slots, keys);
        if (!a_slots.empty()) {
            entry.pFirst = a_slots.front();
            entry.pLast = a_slots.back();
            entry.bHeld = 1;
            Errors.RemoveErrors(l_part_key, entry.lStyleKey);
            b_any_held = TRUE;
        }
        a_bounds.Add(entry);
    }
    if (!b_any_held)
        return;
    const int n_entries = a_bounds.GetSize();
    for (int i = 0; i < n_entries; ++i) {
        const StyleBoundary held = a_bounds[i];
        if (!held.bHeld)
            continue;
        // A later order starts after the latest-ending earlier one ...
        for (int j = i + 1; j < n_entries; ++j) {
            StyleBoundary& later = a_bounds[j];
            if (later.bHeld || later.iOrder <= held.iOrder)
                continue;
            if (later.pFirst == nullptr || SlotOrder.Compare(*later.pFirst, *held.pLast, 3) <= 0)
                later.pFirst = held.pLast;
        }
        // ... and an earlier order ends before the earliest one of it.
        for (int j = i - 1; j >= 0; --j) {
            StyleBoundary& earlier = a_bounds[j];
            if (earlier.bHeld || earlier.iOrder >= held.iOrder)
                continue;
            if (earlier.pLast == nullptr || SlotOrder.Compare(*earlier.pLast, *held.pFirst, 0) >= 0)
                earlier.pLast = held.pFirst;
        }
    }
}

void RosterEngine::UpdateBoundaries(int i_part, int i_entry, BoundaryArray& a_bounds) const
{
    StyleBoundary& entry = a_bounds[i_entry];
    std::vector<const Timeslot*> a_slots;
    KeyList keys;
    CollectStyleSlots(i_part, entry.lStyleKey, a_slots, keys);
    if (__ZelAssertOn && a_slots.empty())
        __ZelAssert("(slots.GetSize() > 0)", __FILE_NAME__, __LINE__, "UpdateBoundaries: No timeslots found!?!\n");
    entry.pFirst = a_slots.front();
    entry.pLast = a_slots.back();
    for (int j = i_entry + 1; j < a_bounds.GetSize(); ++j) {
        StyleBoundary& later = a_bounds[j];
        if (later.iOrder <= entry.iOrder)
            continue;
        if (later.pFirst == nullptr || SlotOrder.Compare(*later.pFirst, *entry.pLast, 3) <= 0)
            later.pFirst = entry.pLast;
    }
}

// ---- searching ----

BOOL RosterEngine::SearchParticipant(int i_part, RosterStatus* p_status, int i_level, LONG l_style_key)
{
    CheckStackGuard();
    ++Stats.nSearches;
    const Participant& part = pDoc->GetParticipants()[i_part];
    const Needs needs = GetNeeds(pDoc, part);
    if (p_status) {
        const std::string s_text = part.GetFullName() + " " + GetSearchLevelName(i_level, TRUE);
        p_status->SetParticipantText(s_text);
        PostText(ROSTER_POST_PARTICIPANT_TEXT, s_text);
    }

    BoundaryArray a_bounds;
    BuildStyleSlots(i_part, needs, a_bounds);
    int n_held = 0;
    for (int i = 0; i < a_bounds.GetSize(); ++i)
        n_held += a_bounds[i].bHeld ? 1 : 0;
    if (n_held == needs.nRequiredMax)
        return TRUE;

    // Places entry i by a walk over the cells of its style.
    auto place_entry = [&](int i) {
        const LONG l_style = a_bounds[i].lStyleKey;
        BOOL b_placed = FALSE;
        BOOL b_moved = FALSE;
        WalkStyleCells(
            l_style, [&] { return !IsSkipped() && !IsCancelled() && !a_bounds[i].bHeld; },
            [&](const Timeslot& slot, LONG l_day_id, int i_group) {
                std::string s_message;
                b_placed = TryPlaceIn(i_part, i_group, s_message, slot, l_day_id, b_moved, i_level);
                if (!b_placed)
                    return false;
                a_bounds[i].bHeld = 1;
                Errors.RemoveErrors(part.GetKey(), l_style);
                if (b_moved)
                    BuildStyleSlots(i_part, needs, a_bounds);
                UpdateBoundaries(i_part, i, a_bounds);
                return true;
            },
            i_part, a_bounds[i].pFirst, a_bounds[i].pLast);
        return b_placed;
    };

    if (l_style_key >= 0) {
        for (int i = 0; i < a_bounds.GetSize(); ++i) {
            if (a_bounds[i].lStyleKey != l_style_key)
                continue;
            if (a_bounds[i].bHeld)
                return TRUE;
            place_entry(i);
            return a_bounds[i].bHeld ? TRUE : FALSE;
        }
        return FALSE;
    }

    BOOL b_result = FALSE;
    for (int i = 0; i < a_bounds.GetSize(); ++i) {
        if ((iPassFlag && n_held >= needs.nRequiredMin) || n_held == needs.nRequiredMax) {
            b_result = TRUE;
            break;
        }
        if (IsCancelled())
            break;
        if (a_bounds[i].bHeld)
            continue;
        b_result = FALSE;
        if (place_entry(i)) {
            ++n_held;
            b_result = TRUE;
        }
    }
    if (b_result && n_held < needs.nRequiredMin)
        b_result = FALSE;
    if (p_status) {
        if (b_result)
            p_status->AddToMinimum();
        if (n_held == needs.nRequiredMax)
            p_status->AddToMaximum();
    }
    return b_result;
}

BOOL RosterEngine::TryPlace(int i_part, LONG l_style_key, std::string& s_message, const TimeslotPtr& slot,
                            LONG l_day_id, const Timeslot* p_lower, const Timeslot* p_upper, BOOL& b_moved,
                            int i_level)
{
    CheckStackGuard();
    b_moved = FALSE;
    const int i_group = FindTryGroup(i_part, l_style_key, *slot, p_lower, p_upper);
    if (i_group < 0)
        return FALSE;
    return TryPlaceIn(i_part, i_group, s_message, *slot, l_day_id, b_moved, i_level);
}

BOOL RosterEngine::TryPlaceIn(int i_part, int i_group, std::string& s_message, const Timeslot& timeslot,
                              LONG l_day_id, BOOL& b_moved, int i_level)
{
    CheckStackGuard();
    b_moved = FALSE;
    GroupList& groups = pDoc->GetGroups();
    const Group& group = groups[i_group];
    const Participant& part = pDoc->GetParticipants()[i_part];
    const LONG l_part_key = part.GetKey();
    if (!part.IsAvailable(pDoc, l_day_id, timeslot)) {
        s_message = Text(IDS_ROSTER_CHECK_AVAILABILITY);
        return FALSE;
    }

    RosterTransaction trans(pMover.get(), &Counters);
    Stats.nDeepest = std::max(Stats.nDeepest, pMover->GetStackSize());
    // Counts the try as rolled back unless it commits.
    struct Outcome {
        SearchStats& Stats;
        BOOL bCommitted = FALSE;
        ~Outcome() { ++(bCommitted ? Stats.nCommitted : Stats.nRolledBack); }
    } outcome{Stats};
    BOOL b_displaced = FALSE;
    ZelArray<int> a_clashing;
    if (GetClashMemberships(i_group, l_part_key, a_clashing)) {
        if (i_level == e_basic_search)
            return FALSE;
        for (int i = 0; i < a_clashing.GetSize(); ++i) {
            int n_uses = 0;
            if (ChainGuards.Lookup(groups[a_clashing[i]].GetKey(), n_uses))
                return FALSE;
            if (!RemoveFromClashGroup(i_part, l_part_key, a_clashing[i]))
                return FALSE;
        }
        b_displaced = TRUE;
    }

    if (IsGroupFull(i_group)) {
        if (i_level < e_maximum_search || !MakeRoom(i_part, i_group, s_message, i_level)) {
            s_message = Text(IDS_ROSTER_CHECK_SIZES);
            return FALSE;
        }
        b_moved = TRUE;
        if (b_displaced) {
            const ChainGuard guard(ChainGuards, group.GetKey());
            RosterStatus scratch;
            if (!SearchParticipant(i_part, &scratch, i_level, -1))
                return FALSE;
        }
        CommitTry(trans);
        outcome.bCommitted = TRUE;
        return TRUE;
    }

    const ChainGuard guard(ChainGuards, group.GetKey());
    if (guard.WasPresent())
        return FALSE;
    if (!AddToGroup(i_part, i_group, s_message))
        return FALSE;
    if (b_displaced) {
        RosterStatus scratch;
        if (!SearchParticipant(i_part, &scratch, i_level, -1))
            return FALSE;
        b_moved = TRUE;
    }
    CommitTry(trans);
    outcome.bCommitted = TRUE;
    return TRUE;
}

int RosterEngine::FindTryGroup(int i_part, LONG l_style_key, const Timeslot& slot, const Timeslot* p_lower,
                               const Timeslot* p_upper) const
{
    if (IsOutOfBounds(slot, p_lower, p_upper) || !slot.IsLocked() || slot.GetGroup() < 0)
        return -1;
    const GroupList& groups = pDoc->GetGroups();
    const int i_group = groups.FindByKey(slot.GetGroup());
    if (i_group < 0 || i_group >= GroupPlacements.GetSize())
        return -1;
    if (groups[i_group].GetStyles().Find(l_style_key) < 0 || IsMember(i_part, i_group))
        return -1;
    return i_group;
}

BOOL RosterEngine::IsCellRefused(int i_part, int i_group, const Timeslot& slot, const Timeslot* p_lower,
                                 const Timeslot* p_upper) const
{
    // The cell holds its group, locked, and the group carries the style:
    // the timetable and the styles stay as they are for the whole run.
    return IsOutOfBounds(slot, p_lower, p_upper) || IsMember(i_part, i_group);
}

BOOL RosterEngine::IsOutOfBounds(const Timeslot& slot, const Timeslot* p_lower, const Timeslot* p_upper) const
{
    return (p_lower && SlotOrder.Compare(slot, *p_lower, 1) < 0) || (p_upper && SlotOrder.Compare(slot, *p_upper, 2) > 0);
}

BOOL RosterEngine::IsMember(int i_part, int i_group) const
{
    // The participant's groups with locked placements are kept in step
    // with every move, and are far fewer than a group's members.
    if (GroupPlacements[i_group].GetSize() > 0 && 0 <= i_part && static_cast<std::size_t>(i_part) < vPartGroups.size()) {
        const std::vector<int>& v_groups = vPartGroups[static_cast<std::size_t>(i_part)];
        return std::find(v_groups.begin(), v_groups.end(), i_group) != v_groups.end() ? TRUE : FALSE;
    }
    return pDoc->GetGroups()[i_group].GetMembers().HasMember(pDoc->GetParticipants()[i_part].GetKey());
}

const Timeslot* RosterEngine::FindSlot(int i_part, LONG l_style_key, BOOL& b_moved, std::string& s_message,
                                       const Timeslot* p_lower, const Timeslot* p_upper)
{
    if (pDoc->GetNumVenues() == 0 || !pDoc->HasDaysAndTimeslots() || pTimetable == nullptr) {
        s_message = LoadResString(IDS_ROSTER_NO_TIMETABLE, "");
        return nullptr;
    }
    const Timeslot* p_found = nullptr;
    WalkStyleCells(
        l_style_key, [&] { return !IsCancelled(); },
        [&](const Timeslot& slot, LONG l_day_id, int i_group) {
            if (!TryPlaceIn(i_part, i_group, s_message, slot, l_day_id, b_moved, e_basic_search))
                return false;
            p_found = &slot;
            return true;
        },
        i_part, p_lower, p_upper);
    if (p_found == nullptr && s_message.empty() && !IsCancelled())
        s_message = Text(IDS_ROSTER_NO_GROUP);
    return p_found;
}

BOOL RosterEngine::AddToGroup(int i_part, int i_group, std::string& s_message)
{
    CheckStackGuard();
    RosterTransaction trans(pMover.get(), &Counters);
    pMover->RecordPutIn(i_part, i_group, &Counters);
    if (!CheckParticipantLimits(i_group, i_part)) {
        s_message = Text(IDS_ROSTER_CHECK_LIMITS);
        trans.Rollback();
        return FALSE;
    }
    if (!CheckRules(s_message)) {
        trans.Rollback();
        return FALSE;
    }
    CommitTry(trans);
    return TRUE;
}

BOOL RosterEngine::CheckParticipantLimits(int i_group, int i_part) const
{
    const Participant& part = pDoc->GetParticipants()[i_part];
    const PartCount& counts = Counters.GetPartCount(i_part);
    const TTLocArray& a_locs = GroupPlacements[i_group];
    const UINT u_day_max = part.GetDayLimits().GetMax();
    for (int i = a_locs.GetSize() - 1; i >= 0; --i) {
        const TTLoc& loc = a_locs[i];
        if (counts.GetDayCount(loc.GetDay()) > u_day_max)
            return FALSE;
        if (part.GetUseVenueLimits()) {
            const VenueLimit* p_limit = part.GetVenueLimit(pDoc->GetVenues()[loc.GetVenue()].GetKey());
            if (p_limit && counts.GetVenueCount(loc.GetVenue()) > p_limit->Limit.GetMax())
                return FALSE;
        } else if (counts.GetTotal() > part.GetEventLimits().GetMax()) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL RosterEngine::CheckRules(std::string& s_message) const
{
    const GroupList& groups = pDoc->GetGroups();
    for (const RuleCheck& rule : vRuleChecks) {
        BOOL b_holds = rule.bHolds;
        if (rule.bCountsMembers) {
            UINT u_participants = 0;
            for (const int i_group : rule.vGroups)
                u_participants += static_cast<UINT>(groups[i_group].GetMembers().GetSize());
            b_holds = u_participants <= rule.uMaxParticipants;
        }
        if (!b_holds) {
            s_message = FormatMessageId(rule.uMessage, std::to_string(rule.iNumber));
            return FALSE;
        }
    }
    return TRUE;
}

void RosterEngine::RebuildRuleChecks()
{
    vRuleChecks.clear();
    const SchedulingRules& rules = pDoc->GetSchedulingRules();
    auto add = [&](const SchedRule& rule, UINT u_message, int i_number) {
        RuleCheck check;
        check.uMessage = u_message;
        check.iNumber = i_number;
        // Only locked placements take part in rostering.
        if (pDoc->GetTimetable() != nullptr && rule.IsEnabled() && rule.IsValid()
            && rule.GetStrength() != SchedRule::e_preference && rule.GetKind() == SchedRule::e_limit_participants) {
            check.bCountsMembers = TRUE;
            check.uMaxParticipants = rule.GetLimit().GetMax();
            check.vGroups = rule.GetPlacedGroups(pDoc, TRUE);
        } else {
            std::string s_rule;
            check.bHolds = rule.CheckRule(i_number, pDoc, s_rule, TRUE) ? TRUE : FALSE;
        }
        vRuleChecks.push_back(std::move(check));
    };
    for (int i = 0; i < rules.GetNumVenueRules(); ++i)
        add(rules.GetVenueRules()[i], IDS_ROSTER_CHECK_VENUE_RULE, i + 1);
    for (int i = 0; i < rules.GetNumDayRules(); ++i)
        add(rules.GetDayRules()[i], IDS_ROSTER_CHECK_DAY_RULE, i + 1);
}

BOOL RosterEngine::MakeRoom(int i_part, int i_group, std::string& s_message, int i_level)
{
    CheckStackGuard();
    GroupList& groups = pDoc->GetGroups();
    const ChainGuard guard(ChainGuards, groups[i_group].GetKey());
    if (guard.WasPresent())
        return FALSE;
    // The members as they stand now: the moves below change the group.
    const GroupMembers& now = static_cast<const Group&>(groups[i_group]).GetMembers();
    std::vector<std::pair<LONG, BOOL>> v_members;
    v_members.reserve(static_cast<std::size_t>(now.GetSize()));
    for (int m = 0; m < now.GetSize(); ++m)
        v_members.emplace_back(now[m].lParticipantKey, now[m].bRostered);
    for (int m = static_cast<int>(v_members.size()) - 1; m >= 0 && !IsCancelled(); --m) {
        const auto& [l_member_key, b_rostered] = v_members[static_cast<std::size_t>(m)];
        if (!b_rostered)
            continue;
        const int i_member = FindParticipant(l_member_key);
        if (i_member < 0)
            continue;
        RosterTransaction trans(pMover.get(), &Counters);
        pMover->RecordTakeOut(i_member, i_group, &Counters);
        if (!AddToGroup(i_part, i_group, s_message)) {
            trans.Rollback();
            return FALSE;
        }
        if (SearchParticipant(i_member, nullptr, e_level2_search, -1)) {
            CommitTry(trans);
            return TRUE;
        }
        if (i_level > e_level2_search && SearchParticipant(i_member, nullptr, i_level, -1)) {
            CommitTry(trans);
            return TRUE;
        }
        trans.Rollback();
    }
    return FALSE;
}

BOOL RosterEngine::GetClashMemberships(int i_group, LONG l_part_key, ZelArray<int>& a_groups) const
{
    // The clashing groups the participant is a member of, in the order of
    // the clash list: found from the participant's own groups, which are
    // far fewer.
    const int i_part = FindParticipant(l_part_key);
    if (i_part < 0)
        return FALSE;
    const GroupList& groups = pDoc->GetGroups();
    const std::vector<std::pair<LONG, int>>& v_places = vClashPlaces[static_cast<std::size_t>(i_group)];
    std::vector<std::pair<int, int>> v_found;
    const std::uint64_t* p_bits =
        nClashWords > 0 ? &vClashBits[static_cast<std::size_t>(i_group) * nClashWords] : nullptr;
    for (const int g : vPartGroups[static_cast<std::size_t>(i_part)]) {
        if (p_bits != nullptr && (p_bits[static_cast<std::size_t>(g) / 64] & (std::uint64_t{1} << (g % 64))) == 0)
            continue;
        const LONG l_key = groups[g].GetKey();
        const auto it = std::lower_bound(v_places.begin(), v_places.end(), std::pair<LONG, int>(l_key, -1));
        if (it != v_places.end() && it->first == l_key)
            v_found.emplace_back(it->second, g);
    }
    std::sort(v_found.begin(), v_found.end());
    for (const auto& [i_slot, g] : v_found)
        a_groups.Add(g);
    return a_groups.GetSize() > 0 ? TRUE : FALSE;
}

BOOL RosterEngine::RemoveFromClashGroup(int i_part, LONG l_part_key, int i_group)
{
    const GroupMembers& members = static_cast<const Group&>(pDoc->GetGroups()[i_group]).GetMembers();
    const int i_member = members.Find(l_part_key);
    if (i_member < 0 || !members[i_member].bRostered)
        return FALSE;
    pMover->RecordTakeOut(i_part, i_group, &Counters);
    return TRUE;
}

BOOL RosterEngine::AnyGroupWithRoom()
{
    LONG l_key = -1;
    int i_group = -1;
    GroupIndex.SetToStart();
    while (GroupIndex.GetNext(l_key, i_group)) {
        if (!IsGroupFull(i_group))
            return TRUE;
    }
    return FALSE;
}
