// Raising a group to its minimums: one more placement of the group on a
// day, in a venue or over the event. Three strategies, one after another:
// placing the group into a candidate chunk (taking out what is in the way,
// with a repair of its rotation when that is what refuses the chunk); in
// the complete modes, swapping the occupant of a cell into the cell of the
// group that clashes with it; and in mode 2, moving one of the group's
// placements from another day or venue onto the one asked for. After every
// placement the group's own totals are restored to what they were (no
// higher than its minimums).
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/ShufflerScopes.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"

#include <algorithm>
#include <type_traits>

namespace {

// A group's candidate chunks one after another, as the map's enumeration
// gives them: read from the map's list of the group's chunks when every
// venue and day is asked for (every raising step goes through them, the
// same for the whole build) and the map lists them, else walked by the
// enumeration itself.
class ChunkWalk {
public:
    ChunkWalk(const TTMap& map, int i_group, int i_venue, int i_day)
        : Map(map),
          pList(i_venue < 0 && i_day < 0 ? map.FindChunkList(i_group) : nullptr),
          iGroup(i_group),
          iVenue(i_venue),
          iDay(i_day)
    {
    }
    ChunkWalk(const ChunkWalk&) = delete;
    ChunkWalk& operator=(const ChunkWalk&) = delete;

    BOOL First(Chunk& chunk)
    {
        if (pList != nullptr) {
            Cursor = ChunkList::Cursor();
            return Next(chunk);
        }
        return Map.GetFirstChunk(iGroup, Pos, chunk, iVenue, iDay);
    }
    BOOL Next(Chunk& chunk)
    {
        if (pList == nullptr)
            return Map.GetNextChunk(Pos, chunk, iVenue, iDay);
        return pList->Next(Cursor, chunk);
    }

private:
    const TTMap& Map;
    const ChunkList* pList;
    int iGroup;
    int iVenue;
    int iDay;
    ChunkList::Cursor Cursor;
    TTMap::ChunkPos Pos;
};

} // namespace

// ---- the raising requests ----

int Shuffler::RaiseEventCount(int i_group, UINT u_min_count)
{
    TargetScope keep_target(*this);
    Target = GroupTarget();
    Target.iGroup = i_group;
    if (u_min_count != 0) {
        Target.bEvent = TRUE;
        Target.uEventMin = u_min_count;
    }
    const int res = RaiseStep(i_group, -1, -1, nullptr);
    if (res == BuildEngine::succeeded)
        SHUFFLER_CHECK(pCounters->GetTotal(i_group) >= u_min_count, "SelCounts.GetTotal(i_target_group) >= u_min_count");
    return res;
}

int Shuffler::RaiseDayCount(int i_group, int i_day, UINT u_min_count, Chunk& chunk)
{
    TargetScope keep_target(*this);
    Target = GroupTarget();
    Target.iGroup = i_group;
    Target.iDay = i_day;
    Target.uDayMin = i_day >= 0 ? u_min_count : 0;
    const int res = RaiseStep(i_group, i_day, -1, &chunk);
    if (res == BuildEngine::succeeded)
        SHUFFLER_CHECK(pCounters->GetDayTotal(i_group, i_day) >= u_min_count,
                       "SelCounts.GetDayTotal(i_target_group,u_day) >= u_min_count");
    return res;
}

int Shuffler::RaiseVenueCount(int i_group, int i_venue, UINT u_min_count, Chunk& chunk)
{
    TargetScope keep_target(*this);
    Target = GroupTarget();
    Target.iGroup = i_group;
    Target.iVenue = i_venue;
    Target.uVenueMin = i_venue >= 0 ? u_min_count : 0;
    const int res = RaiseStep(i_group, -1, i_venue, &chunk);
    if (res == BuildEngine::succeeded)
        SHUFFLER_CHECK(pCounters->GetVenueTotal(i_group, i_venue) >= u_min_count,
                       "SelCounts.GetVenueTotal(i_target_group,u_venue) >= u_min_count");
    return res;
}

int Shuffler::RaiseDayAndVenueCount(int i_group, int i_day, UINT u_min_day_count, int i_venue,
                                    UINT u_min_venue_count)
{
    TargetScope keep_target(*this);
    Target = GroupTarget();
    Target.iGroup = i_group;
    Target.iDay = i_day;
    Target.uDayMin = i_day >= 0 ? u_min_day_count : 0;
    Target.iVenue = i_venue;
    Target.uVenueMin = i_venue >= 0 ? u_min_venue_count : 0;
    const int res = RaiseStep(i_group, i_day, i_venue, nullptr);
    if (res == BuildEngine::succeeded) {
        SHUFFLER_CHECK(pCounters->GetDayTotal(i_group, i_day) >= u_min_day_count,
                       "SelCounts.GetDayTotal(i_target_group,u_day) >= u_min_day_count");
        SHUFFLER_CHECK(pCounters->GetVenueTotal(i_group, i_venue) >= u_min_venue_count,
                       "SelCounts.GetVenueTotal(i_target_group,u_venue) >= u_min_venue_count");
    }
    return res;
}

// ---- the raising step ----

int Shuffler::RaiseStep(int i_group, int i_day, int i_venue, Chunk* p_chunk)
{
    StepScope step(*this);
    if (!step.IsEntered())
        return BuildEngine::failed;

    // The driver asks only for groups below what they are raised to.
    const Group& target_group = GetGroup(i_group);
    const int i_target_group = i_group;
    if (i_target_group == Target.GetGroup()) {
        if (i_day >= 0)
            SHUFFLER_CHECK(pCounters->GetDayTotal(i_target_group, i_day) < Target.GetDayMin(),
                           "SelCounts.GetDayTotal(i_target_group,i_day) < GroupTarget.GetDayMin()");
        if (i_venue >= 0)
            SHUFFLER_CHECK(pCounters->GetVenueTotal(i_target_group, i_venue) < Target.GetVenueMin(),
                           "SelCounts.GetVenueTotal(i_target_group,i_venue) < GroupTarget.GetVenueMin()");
    } else {
        if (i_day >= 0)
            SHUFFLER_CHECK(pCounters->GetDayTotal(i_target_group, i_day) < target_group.GetDayLimits().GetMin(),
                           "SelCounts.GetDayTotal(i_target_group,i_day) < target_group.GetDayLimits().GetMin()");
        if (!target_group.GetUseVenueLimits())
            SHUFFLER_CHECK(pCounters->GetTotal(i_target_group) < target_group.GetEventLimits().GetMax(),
                           "SelCounts.GetTotal(i_target_group) < target_group.GetEventLimits().GetMax()");
        if (i_venue >= 0) {
            const VenueLimit* p_lim = GetVenueLimit(i_target_group, i_venue);
            SHUFFLER_CHECK(p_lim == nullptr || pCounters->GetVenueTotal(i_target_group, i_venue) < p_lim->Limit.GetMin(),
                           "p_lim == NULL || SelCounts.GetVenueTotal(i_target_group,i_venue) < p_lim->GetLimit().GetMin()");
        }
        if (i_day < 0 && i_venue < 0)
            SHUFFLER_CHECK(pCounters->GetTotal(i_target_group) < target_group.GetEventLimits().GetMin(),
                           "SelCounts.GetTotal(i_target_group) < target_group.GetEventLimits().GetMin()");
    }

    ShowGroup(i_group);
    LaterStrategies later;
    int res = TryPlacement(i_group, i_day, i_venue, FALSE, TRUE, p_chunk, later);
    if (res == BuildEngine::failed)
        res = TryPlacement(i_group, i_day, i_venue, TRUE, TRUE, p_chunk, later);
    if (res == BuildEngine::failed && target_group.GetRotation() != Group::e_no_rotation)
        res = TryPlacement(i_group, i_day, i_venue, TRUE, FALSE, p_chunk, later);
    return res;
}

BOOL Shuffler::IsCandidate(int i_group, const Chunk& chunk, BOOL b_full_list) const
{
    const TTMap::GroupMap& group_map = pMap->GetGroupMap(i_group);
    const TTMap::GroupMap::VenueMap& venue_map = group_map.GetVenueMap(chunk.GetVenue());
    const UINT u_max_chunk = static_cast<UINT>(venue_map.nMaxChunk);
    const UINT u_chunk_size = static_cast<UINT>(chunk.GetNumSlots());
    SHUFFLER_CHECK(u_chunk_size != 0, "u_chunk_size != 0");
    SHUFFLER_CHECK(u_chunk_size <= u_max_chunk, "u_chunk_size <= u_max_chunk");

    // Both tests below only read; the cheaper one goes first.
    if (!b_full_list && !AreCellsEmpty(chunk))
        return FALSE;

    // Joined with the group's placements right before and after it, the
    // chunk may not make a run longer than the venue's largest chunk.
    // The walks step within the chunk's venue map, found once: a cell the
    // map has no day for (or a negative slot) ends a walk at once, as the
    // group map's steps would end it.
    const LONG l_key = GetGroup(i_group).GetKey();
    const int i_venue = chunk.GetVenue();
    UINT u_joined = u_chunk_size;
    // Counts the group's cells joined to one end of the chunk, stepping
    // away from it (next: a std::bool_constant, so each walk is its own).
    auto join_from = [&](const Chunk::Slot& end, auto next) {
        if (end.iDay < 0 || end.iSlot < 0 || !venue_map.IsDay(end.iDay))
            return;
        TTLoc loc(end.iDay, i_venue, end.iSlot);
        while (u_joined <= u_max_chunk && venue_map.StepCell<decltype(next)::value>(loc) && CellKey(loc) == l_key
               && !chunk.HasSlot(loc))
            ++u_joined;
    };
    join_from(chunk.GetSlot(0), std::false_type());
    join_from(chunk.GetSlot(chunk.GetNumSlots() - 1), std::true_type());
    return u_joined > u_max_chunk ? FALSE : TRUE;
}

int Shuffler::TryPlacement(int i_group, int i_day, int i_venue, BOOL b_full_list, BOOL b_no_repair, Chunk* p_chunk,
                           LaterStrategies& later)
{
    Chunk chunk;
    // Each trial's copy of the totals, in arrays kept from one to the next.
    ZelArray<UINT> a_day_counts;
    ZelArray<UINT> a_venue_counts;
    // The full list holds the chunks of empty cells that an earlier attempt
    // of this step tried with the same repair flag. Every trial is rolled
    // back before the next chunk is made, so each chunk comes up in the
    // same order, from the same state, as it did then, and its trial would
    // fail again: it is passed over (see the later strategies below).
    const bool b_empty_failed = b_full_list && later.bEmptyChunksFailed && later.bEmptyNoRepair == b_no_repair;
    ChunkWalk walk(*pMap, i_group, i_venue, i_day);
    for (BOOL b_more = walk.First(chunk); b_more; b_more = walk.Next(chunk)) {
        // A chunk of the full list whose cells are all empty is one of the
        // list of empty cells, passed over whether or not it is a
        // candidate: both tests only read, so the cheaper one goes first
        // and the walks of the candidate test are spared for those.
        if (b_empty_failed && AreCellsEmpty(chunk))
            continue;
        if (!IsCandidate(i_group, chunk, b_full_list))
            continue;
        pEngine->CountSearchStep();
        int res = BuildEngine::failed;
        {
            TTTrans trans(pMover, pCounters);
            UINT u_event_count = 0;
            CopyTotals(i_group, a_day_counts, a_venue_counts, u_event_count);
            if (KeepsRotation(i_group, chunk)) {
                ReplaceArray a_replace;
                res = PlaceInChunk(i_group, chunk, a_replace);
            } else if (!b_no_repair) {
                res = RotationRepair(i_group, chunk);
            }
            if (res == BuildEngine::succeeded)
                res = RestoreCounts(i_group, chunk, a_day_counts, a_venue_counts, u_event_count);
            if (res == BuildEngine::succeeded) {
                trans.Commit();
                if (p_chunk != nullptr)
                    *p_chunk = chunk;
                return res;
            }
            trans.Rollback();
        }
        if (res == BuildEngine::failed)
            res = Poll();
        if (res != BuildEngine::failed)
            return res;
    }

    if (!b_full_list) {
        later.bEmptyChunksFailed = true;
        later.bEmptyNoRepair = b_no_repair;
    }
    if (iMode == BuildEngine::e_thorough)
        return BuildEngine::failed;

    // The second and third strategies take neither the candidate list nor
    // (the swaps) the repair flag. Every trial above that failed was rolled
    // back, with the counts, marks, protections and target put back by
    // their scopes, so a later attempt of the same step reaches them from
    // exactly the state an earlier attempt left them in when they failed:
    // with the same arguments they would walk the same trials and fail
    // again, changing nothing. Such a repeat is passed over; only its
    // search steps and polls are saved (a Stop, Cancel or time limit is
    // seen at the next poll instead).
    int res = BuildEngine::failed;
    if (!later.bConflictsFailed) {
        res = TryConflictPlacement(i_group, i_day, i_venue, p_chunk);
        if (res != BuildEngine::failed)
            return res;
        later.bConflictsFailed = true;
    }
    if (iMode == BuildEngine::e_complete_1 && (i_day >= 0 || i_venue >= 0))
        ++uComplete1Turns;
    if (iMode == BuildEngine::e_complete_2 && (i_day >= 0 || i_venue >= 0)) {
        if (later.bMovesFailed && later.bMovesNoRepair == b_no_repair)
            return BuildEngine::failed;
        res = TryMoves(i_group, i_day, i_venue, b_no_repair, p_chunk);
        if (res == BuildEngine::failed) {
            later.bMovesFailed = true;
            later.bMovesNoRepair = b_no_repair;
        }
        return res;
    }
    return BuildEngine::failed;
}

int Shuffler::RotationRepair(int i_group, const Chunk& chunk)
{
    const Group& group = GetGroup(i_group);
    ZelSortedArray<int> a_days;
    switch (group.GetRotation()) {
    case Group::e_day_rotation:
        chunk.GetDays(a_days);
        break;
    case Group::e_event_rotation:
        for (int d = 0; d < pTimetable->GetNumDays(); ++d)
            a_days.Add(d);
        break;
    default:
        return BuildEngine::failed;
    }

    TTTrans trans(pMover, pCounters);
    ReplaceArray a_replace;
    const int i_venue = chunk.GetVenue();
    const LONG l_key = group.GetKey();
    for (int i = 0; i < a_days.GetSize(); ++i) {
        const int i_day = a_days[i];
        const int n_slots = pTimetable->GetDay(i_day).GetVenueSlots(i_venue).GetSize();
        for (int s = 0; s < n_slots; ++s) {
            const TTLoc loc(i_day, i_venue, s);
            if (CellKey(loc) != l_key)
                continue;
            if (IsLocked(loc)) {
                trans.Rollback();
                return BuildEngine::failed;
            }
            BOOL b_removed = FALSE;
            BOOL b_found = FALSE;
            if (RemoveChunk(i_group, loc, b_removed, b_found, &a_replace, 0) == 0 || !b_removed) {
                trans.Rollback();
                return BuildEngine::failed;
            }
        }
    }
    const int res = PlaceInChunk(i_group, chunk, a_replace);
    if (res == BuildEngine::succeeded)
        trans.Commit();
    else
        trans.Rollback();
    return res;
}

// ---- the second strategy: swaps with the clashing groups ----

int Shuffler::TryConflictPlacement(int i_group, int i_day, int i_venue, Chunk* p_chunk)
{
    Chunk chunk;
    ZelArray<UINT> a_day_counts;
    ZelArray<UINT> a_venue_counts;
    ChunkWalk walk(*pMap, i_group, i_venue, i_day);
    for (BOOL b_more = walk.First(chunk); b_more; b_more = walk.Next(chunk)) {
        if (!IsCandidate(i_group, chunk, TRUE))
            continue;
        pEngine->CountSearchStep();
        int res = BuildEngine::failed;
        {
            TTTrans trans(pMover, pCounters);
            UINT u_event_count = 0;
            CopyTotals(i_group, a_day_counts, a_venue_counts, u_event_count);
            if (KeepsRotation(i_group, chunk))
                res = PlaceInChunkWithConflicts(i_group, chunk);
            if (res == BuildEngine::succeeded)
                res = RestoreCounts(i_group, chunk, a_day_counts, a_venue_counts, u_event_count);
            if (res == BuildEngine::succeeded) {
                trans.Commit();
                if (p_chunk != nullptr)
                    *p_chunk = chunk;
                return res;
            }
            trans.Rollback();
        }
        if (res == BuildEngine::failed)
            res = Poll();
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

// ---- the third strategy: moves from other days and venues ----

int Shuffler::TryMoves(int i_group, int i_day, int i_venue, BOOL b_no_repair, Chunk* p_chunk)
{
    TTTrans trans(pMover, pCounters);
    int res = BuildEngine::failed;
    if (i_day >= 0)
        res = MoveFromOtherDays(i_group, i_day, i_venue, b_no_repair, p_chunk);
    else if (i_venue >= 0)
        res = MoveFromOtherVenues(i_group, i_venue, b_no_repair, p_chunk);
    if (res == BuildEngine::succeeded)
        trans.Commit();
    else
        trans.Rollback();
    return res;
}

int Shuffler::MoveFromOtherDays(int i_group, int i_day, int i_venue, BOOL b_no_repair, Chunk* p_chunk)
{
    Chunk chunk;
    ChunkWalk walk(*pMap, i_group, -1, -1);
    for (BOOL b_more = walk.First(chunk); b_more; b_more = walk.Next(chunk)) {
        if (chunk.FindOtherDay(i_day) < 0)
            continue;
        pEngine->CountSearchStep();
        const int res = DayMove(i_group, chunk, i_day, i_venue, b_no_repair, p_chunk);
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

int Shuffler::MoveFromOtherVenues(int i_group, int i_venue, BOOL b_no_repair, Chunk* p_chunk)
{
    Chunk chunk;
    ChunkWalk walk(*pMap, i_group, -1, -1);
    for (BOOL b_more = walk.First(chunk); b_more; b_more = walk.Next(chunk)) {
        if (chunk.GetVenue() == i_venue)
            continue;
        pEngine->CountSearchStep();
        const int res = VenueMove(i_group, chunk, i_venue, b_no_repair, p_chunk);
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

int Shuffler::DayMove(int i_group, const Chunk& candidate, int i_day, int i_venue, BOOL b_no_repair, Chunk* p_chunk)
{
    SHUFFLER_CHECK(i_day >= 0, "i_day >= 0");
    const int i_target_group = i_group;
    const UINT u_old_count = pCounters->GetDayTotal(i_group, i_day);
    const LONG l_key = GetGroup(i_group).GetKey();
    for (int i = 0; i < candidate.GetNumSlots(); ++i) {
        const TTLoc loc = candidate.GetLoc(i);
        if (loc.GetDay() == i_day || CellKey(loc) != l_key || IsLocked(loc))
            continue;
        int res = BuildEngine::failed;
        {
            TTTrans trans(pMover, pCounters);
            ReplaceArray a_replace;
            BOOL b_removed = FALSE;
            BOOL b_found = FALSE;
            const int n_removed = RemoveChunk(i_group, loc, b_removed, b_found, &a_replace, 0);
            if (n_removed > 0 && b_removed && pCounters->GetDayTotal(i_group, i_day) == u_old_count) {
                Chunk new_chunk;
                res = RaiseDayCount(i_group, i_day, u_old_count + 1, new_chunk);
                if (res == BuildEngine::succeeded) {
                    TTLocArray a_new_locs;
                    new_chunk.GetLocs(a_new_locs);
                    SaveExclude keep_bytes(a_new_locs, Exclude);
                    for (int j = 0; j < a_new_locs.GetSize(); ++j) {
                        Exclude.SetTried(a_new_locs[j]);
                        Exclude.SetPlacedHere(a_new_locs[j]);
                    }
                    res = RepairLockedChunks(a_replace);
                    if (res == BuildEngine::succeeded) {
                        SHUFFLER_CHECK(pCounters->GetDayTotal(i_target_group, i_day) > u_old_count,
                                       "SelCounts.GetDayTotal(i_target_group,i_day) > u_old_count");
                        res = MakeGoodReplacements(a_replace);
                    }
                    if (res == BuildEngine::succeeded && i_venue >= 0)
                        res = MoveFromOtherVenues(i_group, i_venue, b_no_repair, nullptr);
                    if (res == BuildEngine::succeeded) {
                        trans.Commit();
                        if (p_chunk != nullptr)
                            *p_chunk = new_chunk;
                        return res;
                    }
                }
            }
            trans.Rollback();
        }
        if (res == BuildEngine::failed)
            res = Poll();
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

int Shuffler::VenueMove(int i_group, const Chunk& candidate, int i_venue, BOOL /*b_no_repair*/, Chunk* p_chunk)
{
    SHUFFLER_CHECK(i_venue >= 0, "i_venue >= 0");
    if (candidate.GetVenue() == i_venue)
        return BuildEngine::failed;
    const int i_target_group = i_group;
    const UINT u_old_count = pCounters->GetVenueTotal(i_group, i_venue);
    const LONG l_key = GetGroup(i_group).GetKey();
    for (int i = 0; i < candidate.GetNumSlots(); ++i) {
        const TTLoc loc = candidate.GetLoc(i);
        if (CellKey(loc) != l_key || IsLocked(loc))
            continue;
        int res = BuildEngine::failed;
        {
            TTTrans trans(pMover, pCounters);
            ReplaceArray a_replace;
            BOOL b_removed = FALSE;
            BOOL b_found = FALSE;
            const int n_removed = RemoveChunk(i_group, loc, b_removed, b_found, &a_replace, 0);
            if (n_removed > 0 && b_removed && pCounters->GetVenueTotal(i_group, i_venue) == u_old_count) {
                Chunk new_chunk;
                res = RaiseVenueCount(i_group, i_venue, u_old_count + 1, new_chunk);
                if (res == BuildEngine::succeeded) {
                    TTLocArray a_new_locs;
                    new_chunk.GetLocs(a_new_locs);
                    SaveExclude keep_bytes(a_new_locs, Exclude);
                    for (int j = 0; j < a_new_locs.GetSize(); ++j) {
                        Exclude.SetTried(a_new_locs[j]);
                        Exclude.SetPlacedHere(a_new_locs[j]);
                    }
                    res = RepairLockedChunks(a_replace);
                    if (res == BuildEngine::succeeded) {
                        SHUFFLER_CHECK(pCounters->GetVenueTotal(i_target_group, i_venue) > u_old_count,
                                       "SelCounts.GetVenueTotal(i_target_group,i_venue) > u_old_count");
                        res = MakeGoodReplacements(a_replace);
                    }
                    if (res == BuildEngine::succeeded) {
                        trans.Commit();
                        if (p_chunk != nullptr)
                            *p_chunk = new_chunk;
                        return res;
                    }
                }
            }
            trans.Rollback();
        }
        if (res == BuildEngine::failed)
            res = Poll();
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

// ---- restoring the group's own totals ----

int Shuffler::RestoreCounts(int i_group, const Chunk& chunk, const ZelArray<UINT>& a_day_counts,
                            const ZelArray<UINT>& a_venue_counts, UINT u_event_count)
{
    TTLocArray a_locs;
    chunk.GetLocs(a_locs);
    SaveExclude keep_bytes(a_locs, Exclude);
    for (int i = 0; i < a_locs.GetSize(); ++i)
        Exclude.SetPlacedHere(a_locs[i]);

    const Group& group = GetGroup(i_group);
    const BOOL b_venue_limits = group.GetUseVenueLimits();
    const int n_days = pCounters->GetNumDays();
    const int n_venues = pCounters->GetNumVenues();
    UINT u_event_want = std::min(u_event_count, EventMin(i_group));
    ZelArray<UINT> a_day_want;
    a_day_want.SetSize(n_days);
    for (int d = 0; d < n_days; ++d)
        a_day_want[d] = std::min(a_day_counts[d], DayMin(i_group));
    ZelArray<UINT> a_venue_want;
    a_venue_want.SetSize(n_venues);
    if (b_venue_limits) {
        for (int v = 0; v < n_venues; ++v) {
            const VenueLimit* p_lim = GetVenueLimit(i_group, v);
            a_venue_want[v] = std::min(a_venue_counts[v], p_lim != nullptr ? p_lim->Limit.GetMin() : 0U);
        }
    }
    if (Target.GetGroup() == i_group) {
        if (Target.GetDay() >= 0)
            a_day_want[Target.GetDay()] = Target.GetDayMin();
        if (Target.GetVenue() >= 0)
            a_venue_want[Target.GetVenue()] = Target.GetVenueMin();
        if (Target.IsEvent())
            u_event_want = Target.GetEventMin();
    }

    TTTrans trans(pMover, pCounters);
    Chunk raised;
    for (int d = 0; d < n_days; ++d) {
        while (pCounters->GetDayTotal(i_group, d) < a_day_want[d]) {
            if (!b_venue_limits && pCounters->GetTotal(i_group) >= EventMax(i_group)) {
                trans.Rollback();
                return BuildEngine::failed;
            }
            const int res = RaiseDayCount(i_group, d, pCounters->GetDayTotal(i_group, d) + 1, raised);
            if (res != BuildEngine::succeeded) {
                trans.Rollback();
                return res;
            }
        }
    }
    if (b_venue_limits) {
        for (int v = 0; v < n_venues; ++v) {
            while (pCounters->GetVenueTotal(i_group, v) < a_venue_want[v]) {
                const int res = RaiseVenueCount(i_group, v, pCounters->GetVenueTotal(i_group, v) + 1, raised);
                if (res != BuildEngine::succeeded) {
                    trans.Rollback();
                    return res;
                }
            }
        }
    } else {
        while (pCounters->GetTotal(i_group) < u_event_want) {
            const int res = RaiseEventCount(i_group, pCounters->GetTotal(i_group) + 1);
            if (res != BuildEngine::succeeded) {
                trans.Rollback();
                return res;
            }
        }
    }
    trans.Commit();
    return BuildEngine::succeeded;
}
