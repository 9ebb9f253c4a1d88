// The placement commit, where every placement of the search ends: the
// group goes into its cells one at a time, and whatever is in the way goes
// out (the cell's occupant, the placements whose participants would have no
// room left, those too near in travel time); with a conflict cell the
// occupant moves into it instead, its own group taken out. Then the
// displaced groups are re-placed and their minimums made good.
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/ShufflerScopes.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"

namespace {

bool RemovalFailed(int n_removed, BOOL b_removed, BOOL b_found)
{
    return b_found && (n_removed == 0 || !b_removed);
}

} // namespace

const Day* Shuffler::DocDayOf(const Timeslot& slot) const
{
    const int i_day = slot.GetDay();
    return pDocTimetable != nullptr && i_day >= 0 && i_day < pDocTimetable->GetNumDays() ? &pDocTimetable->GetDay(i_day)
                                                                                         : nullptr;
}

int Shuffler::CommitPlacement(int i_group, const TTLocArray& a_locs, BOOL b_all_cells,
                              const ReplaceArray& a_replace_in, const ConflictList* p_conflicts)
{
    // The commit adds to its own copy of the groups to re-place.
    Scratch<ReplaceArray> replace_scratch(ReplacePool);
    ReplaceArray& a_replace = replace_scratch.GetEmpty();
    for (int i = 0; i < a_replace_in.GetSize(); ++i)
        a_replace.Add(a_replace_in[i]);
    TTTrans trans(pMover, pCounters);
    SaveExclude keep_bytes(a_locs, Exclude);
    const Group& group = GetGroup(i_group);
    const LONG l_key = group.GetKey();
    auto fail = [&trans](int res) {
        trans.Rollback();
        return res;
    };

    for (int i = 0; i < a_locs.GetSize(); ++i) {
        const TTLoc& loc = a_locs[i];
        if (!b_all_cells && CellKey(loc) == l_key)
            continue;
        if (group.GetUseVenueLimits()) {
            const VenueLimit* p_lim = GetVenueLimit(i_group, loc.GetVenue());
            if (p_lim != nullptr && pCounters->GetVenueTotal(i_group, loc.GetVenue()) >= p_lim->Limit.GetMax())
                return fail(BuildEngine::failed);
        }
        const TTLocArray* p_cell_conflicts =
            p_conflicts != nullptr && i < p_conflicts->GetSize() ? &(*p_conflicts)[i] : nullptr;
        int res;
        if (p_cell_conflicts != nullptr && p_cell_conflicts->GetSize() == 1)
            res = PlaceInCell(i_group, loc, a_replace, (*p_cell_conflicts)[0]);
        else if (p_cell_conflicts != nullptr && p_cell_conflicts->GetSize() >= 2)
            res = PlaceWithConflicts(i_group, loc, *p_cell_conflicts);
        else
            res = PlaceInCell(i_group, loc, a_replace, TTLoc());
        if (res != BuildEngine::succeeded)
            return fail(res);
    }

    int res = RepairLockedChunks(a_replace);
    if (res != BuildEngine::succeeded)
        return fail(res);
    res = MakeGoodReplacements(a_replace);
    if (res != BuildEngine::succeeded)
        return fail(res);

    if (!bEmptyCellsAllowed) {
        TTLocArray a_emptied;
        trans.GetRemovedLocs(a_emptied);
        for (int i = 0; i < a_emptied.GetSize(); ++i) {
            if (CellKey(a_emptied[i]) < 0)
                return fail(BuildEngine::failed);
        }
    }
    trans.Commit();
    return BuildEngine::succeeded;
}

int Shuffler::PlaceInCell(int i_group, const TTLoc& loc, ReplaceArray& a_replace, const TTLoc& conflict_loc)
{
    const int i_day = loc.GetDay();
    const int i_venue = loc.GetVenue();
    if (!pCounters->IsCountingParticipants() || iMode == BuildEngine::e_thorough) {
        if (!pCounters->CanAddParts(i_group, i_day, i_venue))
            return BuildEngine::failed;
        return PlaceInTryCell(i_group, loc, a_replace, conflict_loc);
    }

    int i_occupant = -1;
    const LONG l_occupant = CellKey(loc);
    if (l_occupant >= 0) {
        i_occupant = FindGroup(l_occupant);
        if (i_occupant < 0 || i_occupant == i_group)
            return BuildEngine::failed;
    }
    ScratchLocs blockers_scratch(LocsPool);
    TTLocArray& a_blockers = blockers_scratch.GetEmpty();
    const Timeslot& slot = SlotAt(loc);
    const Day* p_doc_day = DocDayOf(slot);
    if (p_doc_day == nullptr
        || pGenerator->FindLimitBlockers(pDoc, *p_doc_day, i_group, slot, a_blockers, *pCounters) == 0) {
        if (!pCounters->CanAddParts(i_group, i_day, i_venue))
            return BuildEngine::failed;
        return PlaceInTryCell(i_group, loc, a_replace, conflict_loc);
    }

    // One blocker after another taken out (those taken out stay out while
    // the later ones are tried) until the group's members have room.
    TTTrans trans(pMover, pCounters);
    int res = BuildEngine::failed;
    for (int i = 0; i < a_blockers.GetSize(); ++i) {
        TTLocArray a_one;
        a_one.Add(a_blockers[i]);
        if (ClearCells(1, a_one, a_replace, i_occupant, loc, conflict_loc) == BuildEngine::succeeded
            && pCounters->CanAddParts(i_group, i_day, i_venue)) {
            TTTrans nested(pMover, pCounters);
            res = PlaceInTryCell(i_group, loc, a_replace, conflict_loc);
            if (res == BuildEngine::succeeded) {
                nested.Commit();
                trans.Commit();
                return res;
            }
            nested.Rollback();
        }
    }
    trans.Rollback();
    return res;
}

int Shuffler::PlaceInTryCell(int i_group, const TTLoc& try_loc, ReplaceArray& a_replace, const TTLoc& conflict_loc)
{
    int i_occupant = -1;
    const LONG l_occupant = CellKey(try_loc);
    if (l_occupant >= 0) {
        i_occupant = FindGroup(l_occupant);
        if (i_occupant < 0 || i_occupant == i_group)
            return BuildEngine::failed;
        if (iMode == BuildEngine::e_thorough && GetGroup(i_occupant).GetRotation() != Group::e_no_rotation)
            return BuildEngine::failed;
    }
    if (IsLocked(try_loc))
        return BuildEngine::failed;

    const bool b_conflict = conflict_loc.IsValid() != FALSE;
    const Day& day = pTimetable->GetDay(try_loc.GetDay());
    if (b_conflict) {
        SHUFFLER_CHECK(conflict_loc.GetDay() == try_loc.GetDay(), "conflict_loc.GetDay() == try_loc.GetDay()");
        SHUFFLER_CHECK(conflict_loc.GetVenue() != try_loc.GetVenue(), "conflict_loc.GetVenue() != try_loc.GetVenue()");
        if (IsLocked(conflict_loc))
            return BuildEngine::failed;
        if (i_occupant >= 0
            && pGenerator->HasClashAt(pDoc, day, SlotAt(conflict_loc), i_occupant, &SlotAt(try_loc)))
            return BuildEngine::failed;
        const int i_conflict_group = FindGroup(CellKey(conflict_loc));
        if (i_conflict_group < 0)
            return BuildEngine::failed;
        if (iMode == BuildEngine::e_thorough && GetGroup(i_conflict_group).GetRotation() != Group::e_no_rotation)
            return BuildEngine::failed;
        if (i_occupant >= 0) {
            if (!pGenerator->IsVenueSuitable(GetGroup(i_occupant), pDoc->GetVenues().GetVenue(conflict_loc.GetVenue())))
                return BuildEngine::failed;
            if (!RulesAccept(i_occupant, conflict_loc))
                return BuildEngine::failed;
        }
    }

    if (pDoc->GetPreferences().GetAllowTravel()) {
        if (i_occupant >= 0 && b_conflict && iMode == BuildEngine::e_thorough
            && !pGenerator->CheckTravelTime(pDoc, i_occupant, conflict_loc.GetDay(), conflict_loc.GetVenue(),
                                            conflict_loc.GetSlot(), FALSE))
            return BuildEngine::failed;
        ScratchLocs near_scratch(LocsPool);
        TTLocArray& a_near = near_scratch.GetEmpty();
        const Timeslot& try_slot = SlotAt(try_loc);
        const Day* p_doc_day = DocDayOf(try_slot);
        const int n_near
            = p_doc_day ? pGenerator->FindTravelClashLocations(pDoc, *p_doc_day, i_group, try_slot, a_near) : 0;
        if (n_near > 0
            && ClearCells(n_near, a_near, a_replace, i_occupant, try_loc, conflict_loc) != BuildEngine::succeeded)
            return BuildEngine::failed;
    }

    // What has to go; a failed test below leaves the removals to the
    // caller's transaction to undo.
    bool b_failed = false;
    if (b_conflict) {
        BOOL b_removed = FALSE;
        BOOL b_found = FALSE;
        const int n_removed = RemoveChunk(-1, conflict_loc, b_removed, b_found, &a_replace, 0);
        b_failed = RemovalFailed(n_removed, b_removed, b_found);
    }
    if (!b_failed && i_occupant >= 0) {
        BOOL b_removed = FALSE;
        BOOL b_found = FALSE;
        const int n_removed = RemoveChunk(-1, try_loc, b_removed, b_found, &a_replace, 0);
        b_failed = RemovalFailed(n_removed, b_removed, b_found);
    }
    if (!RulesAccept(i_group, try_loc) || b_failed)
        return BuildEngine::failed;

    const Timeslot& try_slot = SlotAt(try_loc);
    SHUFFLER_CHECK(try_slot.IsEmpty(), "try_slot.IsEmpty()");
    pMover->RecordPutIn(i_group, try_loc, pCounters);
    Exclude.SetPlacedHere(try_loc);

    if (i_occupant >= 0 && b_conflict) {
        // The swap: the occupant moves into the conflict cell.
        TTLocArray a_try;
        a_try.Add(try_loc);
        SaveExclude keep_byte(a_try, Exclude);
        SHUFFLER_CHECK(SlotAt(conflict_loc).IsEmpty(), "TTable.GetSlotPtr(conflict_loc)->IsEmpty()");
        const int res = MoveIntoCell(i_occupant, conflict_loc);
        if (res != BuildEngine::succeeded)
            return res;
    }
    return BuildEngine::succeeded;
}

int Shuffler::ClearCells(int n, const TTLocArray& a_locs, ReplaceArray& a_replace, int i_target_group,
                         const TTLoc& target_loc, const TTLoc& conflict_loc)
{
    for (int i = 0; i < n; ++i) {
        const TTLoc& loc = a_locs[i];
        if (conflict_loc.IsValid() && loc == conflict_loc)
            continue;
        if (loc == target_loc) {
            SHUFFLER_CHECK(i_target_group >= 0, "i_target_group >= 0");
            continue;
        }
        const LONG l_key = CellKey(loc);
        if (l_key < 0)
            continue;
        const int i_group = FindGroup(l_key);
        SHUFFLER_CHECK(i_group >= 0, "i_group >= 0");
        if (iMode == BuildEngine::e_thorough
            && (pCounters->GetTotal(i_group) <= EventMin(i_group)
                || pCounters->GetDayTotal(i_group, loc.GetDay()) <= DayMin(i_group)))
            return BuildEngine::failed;
        BOOL b_removed = FALSE;
        BOOL b_found = FALSE;
        const int n_removed = RemoveChunk(i_group, loc, b_removed, b_found, &a_replace, 0);
        if (RemovalFailed(n_removed, b_removed, b_found))
            return BuildEngine::failed;
    }
    return BuildEngine::succeeded;
}

int Shuffler::PlaceWithConflicts(int i_group, const TTLoc& loc, const TTLocArray& a_conflicts)
{
    TTLocArray a_cell;
    a_cell.Add(loc);
    Chunk chunk;
    chunk.SetVenue(loc.GetVenue());
    chunk.AddSlot(loc);

    for (int k = 0; k < a_conflicts.GetSize(); ++k) {
        TTTrans trans(pMover, pCounters);
        ReplaceArray a_replace;
        for (int j = 0; j < a_conflicts.GetSize(); ++j) {
            if (j == k)
                continue;
            BOOL b_removed = FALSE;
            BOOL b_found = FALSE;
            const int n_removed = RemoveChunk(-1, a_conflicts[j], b_removed, b_found, &a_replace, 0);
            if (RemovalFailed(n_removed, b_removed, b_found)) {
                trans.Rollback();
                return BuildEngine::failed;
            }
        }
        ZelArray<UINT> a_day_counts;
        ZelArray<UINT> a_venue_counts;
        UINT u_event_count = 0;
        CopyTotals(i_group, a_day_counts, a_venue_counts, u_event_count);
        ConflictList conflicts;
        conflicts.SetSize(1);
        conflicts[0].Add(a_conflicts[k]);
        int res = CommitPlacement(i_group, a_cell, TRUE, a_replace, &conflicts);
        if (res == BuildEngine::succeeded) {
            res = RestoreCounts(i_group, chunk, a_day_counts, a_venue_counts, u_event_count);
            if (res == BuildEngine::succeeded) {
                trans.Commit();
                return res;
            }
            trans.Rollback();
            return res;
        }
        trans.Rollback();
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

int Shuffler::MoveIntoCell(int i_group, const TTLoc& loc)
{
    Chunk chunk;
    if (!pMap->MakeChunk(i_group, chunk, loc.GetVenue(), loc.GetDay(), loc.GetSlot(), TRUE))
        return BuildEngine::failed;
    return PlaceInOneCell(i_group, loc, chunk);
}

int Shuffler::PlaceInOneCell(int i_group, const TTLoc& loc, const Chunk& chunk)
{
    const int i_day = loc.GetDay();
    if (pCounters->GetTotal(i_group) >= EventMax(i_group) || pCounters->GetDayTotal(i_group, i_day) >= DayMax(i_group)
        || !pCounters->CanAddParts(i_group, i_day, loc.GetVenue()))
        return BuildEngine::failed;

    StepScope step(*this);
    if (!step.IsEntered())
        return BuildEngine::failed;
    pEngine->CountSearchStep();

    if (!pMap->GetGroupMap(i_group).IsAllowed(loc))
        return BuildEngine::failed;
    if (pGenerator->HasClashAt(pDoc, pTimetable->GetDay(i_day), SlotAt(loc), i_group))
        return BuildEngine::failed;
    if (!KeepsRotation(i_group, chunk))
        return BuildEngine::failed;
    if (!RulesAccept(i_group, loc))
        return BuildEngine::failed;

    TTTrans trans(pMover, pCounters);
    ShowGroup(i_group);
    int res;
    {
        ProtectScope protect(*this, i_group);
        TTLocArray a_cell;
        a_cell.Add(loc);
        res = CommitPlacement(i_group, a_cell, TRUE, ReplaceArray(), nullptr);
    }
    if (res == BuildEngine::succeeded)
        trans.Commit();
    else
        trans.Rollback();
    return res;
}
