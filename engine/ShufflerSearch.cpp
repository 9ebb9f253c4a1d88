// The cell search and the moves of whole chunks: filling an empty cell by
// a recursive search over the groups that may go there, taking a group's
// chunk out, placing a group into a chunk (taking out what is in the way),
// freeing one of a group's own placements, the repair of the chunks around
// locked cells, and making good the minimums that removals broke.
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/ShufflerScopes.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"

#include <algorithm>
#include <vector>

namespace {

// A removal taken as failed by the callers: a group was there, and either
// nothing was taken out or the given cell was not among the cells.
bool RemovalFailed(int n_removed, BOOL b_removed, BOOL b_found)
{
    return b_found && (n_removed == 0 || !b_removed);
}

} // namespace

// ---- the cell search ----

int Shuffler::FillCell(int i_day, int i_venue, int i_slot, BOOL b_allow_moving_others)
{
    class KeepLimit {
    public:
        explicit KeepLimit(Shuffler& shuffler) : Owner(shuffler), uLimit(shuffler.GetDepthLimit()) {}
        ~KeepLimit() { Owner.SetDepthLimit(uLimit); }
        KeepLimit(const KeepLimit&) = delete;
        KeepLimit& operator=(const KeepLimit&) = delete;

    private:
        Shuffler& Owner;
        UINT uLimit;
    } keep_limit(*this);

    if (!b_allow_moving_others && bFillSkips && !CanAnyGroupStart(TTLoc(i_day, i_venue, i_slot)))
        return BuildEngine::failed;

    UINT a_depths[2];
    const int n_depths = GetFillDepths(uDepthLimit, a_depths);
    for (int i = 0; i < n_depths; ++i) {
        uDepthLimit = a_depths[i];
        const DWORD u_hits_before = uLimitHits;
        const int res = ShuffleSearch(TTLoc(i_day, i_venue, i_slot), b_allow_moving_others);
        if (res == BuildEngine::skip) {
            pEngine->ClearRequests();
            continue;
        }
        if (res != BuildEngine::failed)
            return res;
        // The limit acts only where a step would go beyond it. A run that
        // failed without any step refused for its depth took every
        // decision a run with a deeper limit takes, from the same cells
        // and counts (the failed run undid all it tried): the deeper run
        // would fail the same way.
        if (bFillSkips && uLimitHits == u_hits_before)
            break;
    }
    return BuildEngine::failed;
}

BOOL Shuffler::CanAnyGroupStart(const TTLoc& loc) const
{
    // What the search's first step tests of each group, before it changes
    // anything, read here without a step:
    // - without leave to give up the group's own placements, a group at
    //   its day maximum on the cell's day (every chunk through the cell
    //   has the cell's day) or at its event maximum leaves every chunk
    //   through the cell untried;
    // - in mode 0 the placement checks each cell of the chunk, in order,
    //   for room for the group's participants; every cell the chunk adds
    //   is empty (the chunk grows only over empty cells), so the first it
    //   adds is checked with the counts as they are now. Where the
    //   venue's runs stay within a day, that cell is on the cell's day
    //   and in its venue, and a participant without room there fails
    //   every chunk of the group.
    // Every other road into the cell starts from one of these trials, so
    // when no group passes them the search of the cell fails as it would
    // have failed after trying them, with nothing changed.
    const int i_day = loc.GetDay();
    const int i_venue = loc.GetVenue();
    const BOOL b_parts = iMode == BuildEngine::e_thorough && pCounters->IsCountingParticipants();
    for (int i_group = 0; i_group < nGroups; ++i_group) {
        const TTMap::GroupMap& group_map = pMap->GetGroupMap(i_group);
        if (!group_map.IsAllowed(loc))
            continue;
        if (pCounters->GetDayTotal(i_group, i_day) >= DayMax(i_group) || pCounters->GetTotal(i_group) >= EventMax(i_group))
            continue;
        if (b_parts && !group_map.GetVenueMap(i_venue).bAcrossDays && !pCounters->CanAddParts(i_group, i_day, i_venue))
            continue;
        return TRUE;
    }
    return FALSE;
}

int Shuffler::ShuffleSearch(const TTLoc& loc, BOOL b_allow_moving_others)
{
    StepScope step(*this);
    if (!step.IsEntered())
        return BuildEngine::failed;

    // Kept from one trial to the next, each trial writing what it reads:
    // the chunk's days, the placements given up for room, and the group's
    // totals as the placement finds them.
    ZelSortedArray<int> a_days;
    ReplaceArray a_replace;
    ZelArray<UINT> day_counts;
    ZelArray<UINT> a_venue_counts;
    const int n_groups = pDoc->GetGroups().GetNumGroups();
    for (int i_group = 0; i_group < n_groups; ++i_group) {
        if (!pMap->GetGroupMap(i_group).IsAllowed(loc))
            continue;
        const UINT u_event_max = EventMax(i_group);
        const UINT u_day_max = DayMax(i_group);
        const UINT u_day_min = DayMin(i_group);
        ShowGroup(i_group);
        const std::int64_t ll_event_short = static_cast<std::int64_t>(EventMin(i_group)) - pCounters->GetTotal(i_group);
        const std::int64_t ll_day_short =
            static_cast<std::int64_t>(u_day_min) - pCounters->GetDayTotal(i_group, loc.GetDay());
        const std::int64_t ll_short = std::max(ll_event_short, ll_day_short);
        pEngine->SetTargetCount(ll_short < 2 ? 1U : static_cast<UINT>(ll_short));

        bool b_next_group = false;
        Chunk chunk;
        while (!b_next_group
               && pMap->MakeChunk(i_group, chunk, loc.GetVenue(), loc.GetDay(), loc.GetSlot(), TRUE)) {
            pEngine->CountSearchStep();
            if (!KeepsRotation(i_group, chunk)) {
                const int res = Poll();
                if (res != BuildEngine::failed)
                    return res;
                break;
            }

            int res = BuildEngine::failed;
            {
                TTTrans trans(pMover, pCounters);
                chunk.GetDays(a_days);
                a_replace.RemoveAllKeepStorage();

                // Room for the group on the chunk's days and in the event,
                // by giving up its own placements where that is allowed.
                bool b_room = true;
                for (int i = 0; b_room && i < a_days.GetSize(); ++i) {
                    while (b_room && pCounters->GetDayTotal(i_group, a_days[i]) >= u_day_max) {
                        if (!b_allow_moving_others || !FreeOwnPlacement(i_group, a_replace, a_days[i]))
                            b_room = false;
                    }
                }
                while (b_room && pCounters->GetTotal(i_group) >= u_event_max) {
                    if (!b_allow_moving_others || !FreeOwnPlacement(i_group, a_replace, -1))
                        b_room = false;
                }

                // The group's totals as the placement finds them (the
                // placements given up for room are in the records).
                UINT u_event_count = 0;
                CopyTotals(i_group, day_counts, a_venue_counts, u_event_count);

                if (b_room) {
                    ReplaceArray a_placed_replace = a_replace;
                    res = PlaceInChunk(i_group, chunk, a_placed_replace);
                    if (res == BuildEngine::skip) {
                        pEngine->ClearRequests();
                        trans.Rollback();
                        b_next_group = true;
                        continue;
                    }
                }
                if (res == BuildEngine::succeeded) {
                    for (int d = 0; d < pCounters->GetNumDays(); ++d) {
                        if (pCounters->GetDayTotal(i_group, d) > u_day_max)
                            res = BuildEngine::failed;
                    }
                    if (pCounters->GetTotal(i_group) > u_event_max)
                        res = BuildEngine::failed;
                }
                if (res == BuildEngine::succeeded) {
                    TTLocArray a_locs;
                    chunk.GetLocs(a_locs);
                    SaveExclude keep_bytes(a_locs, Exclude);
                    ProtectScope protect(*this, i_group);
                    for (int i = 0; i < a_locs.GetSize(); ++i)
                        Exclude.SetPlacedHere(a_locs[i]);
                    res = RepairLockedChunks(a_replace);
                    if (res == BuildEngine::succeeded && !bEmptyCellsAllowed) {
                        TTLocArray a_emptied;
                        trans.GetRemovedLocs(a_emptied);
                        for (int i = 0; res == BuildEngine::succeeded && i < a_emptied.GetSize(); ++i) {
                            if (CellKey(a_emptied[i]) < 0)
                                res = ShuffleSearch(a_emptied[i], b_allow_moving_others);
                        }
                    }
                    if (res == BuildEngine::succeeded) {
                        for (int i = 0; i < a_days.GetSize(); ++i) {
                            const int u_day = a_days[i];
                            SHUFFLER_CHECK(day_counts[u_day] < u_day_max, "day_counts[u_day] < u_day_max");
                        }
                        for (int d = 0; d < day_counts.GetSize(); ++d)
                            day_counts[d] = std::min(day_counts[d], u_day_min);
                        res = RestoreCounts(i_group, chunk, day_counts, a_venue_counts,
                                            std::min(u_event_count, EventMin(i_group)));
                    }
                }
                if (res == BuildEngine::succeeded) {
                    trans.Commit();
                    return res;
                }
                trans.Rollback();
            }
            if (res == BuildEngine::failed)
                res = Poll();
            if (res != BuildEngine::failed)
                return res;
        }
    }
    return BuildEngine::failed;
}

int Shuffler::FreeOwnPlacement(int i_group, ReplaceArray& a_replace, int i_day)
{
    if (i_day < 0) {
        // The days by the group's total on each, tried from the highest.
        ZelSortedArray<DayCounters>& a_days = OwnDays;
        a_days.RemoveAllKeepStorage();
        for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
            const DayCounters day_count(pCounters->GetDayTotal(i_group, d), d);
            int i_at = 0;
            a_days.Find(day_count, &i_at);
            a_days.InsertAt(i_at, day_count);
        }
        // A day without a placement of the group has no cell to give up:
        // its walk would find none and change nothing. The days come in
        // rising totals, so the first such day ends the walk.
        for (int i = a_days.GetSize() - 1; i >= 0 && a_days[i].uCount > 0; --i) {
            if (FreeOwnPlacement(i_group, a_replace, a_days[i].iDay))
                return 1;
        }
        return 0;
    }

    TTTrans trans(pMover, pCounters);
    const LONG l_key = GetGroup(i_group).GetKey();
    const Day& day = pTimetable->GetDay(i_day);
    const int n_venues = std::min(pDoc->GetNumVenues(), day.GetNumVenues());
    for (int v = 0; v < n_venues; ++v) {
        // A venue where the counts place the group on none of the day's
        // cells has no cell of its to give up.
        if (pCounters->GetDayVenueTotal(i_group, i_day, v) == 0)
            continue;
        const int n_slots = day.GetVenueSlots(v).GetSize();
        for (int s = 0; s < n_slots; ++s) {
            const TTLoc loc(i_day, v, s);
            if (IsLocked(loc) || CellKey(loc) != l_key)
                continue;
            BOOL b_removed = FALSE;
            BOOL b_found = FALSE;
            if (RemoveChunk(i_group, loc, b_removed, b_found, &a_replace, 0) > 0 && b_removed) {
                trans.Commit();
                return 1;
            }
        }
    }
    trans.Rollback();
    return 0;
}

// ---- taking a chunk out ----

int Shuffler::RemoveChunk(int i_group, const TTLoc& loc, BOOL& b_removed, BOOL& b_found, ReplaceArray* p_replace,
                          UINT u_options)
{
    b_removed = FALSE;
    b_found = FALSE;
    if (i_group < 0) {
        i_group = FindGroup(CellKey(loc));
        if (i_group < 0)
            return 0;
    }
    b_found = TRUE;

    // Nothing below comes back into a removal, so one chunk of the
    // shuffler's, with its storage, serves every removal.
    Chunk& chunk = RemovalChunk;
    if (!pMap->GetPlacedChunk(i_group, chunk, loc.GetVenue(), loc.GetDay(), loc.GetSlot(), TRUE))
        return 0;
    if (GetProtected(i_group) != 0)
        return 0;

    const Group& group = GetGroup(i_group);
    const unsigned u_venue = static_cast<unsigned>(chunk.GetVenue());
    const int n_slots = chunk.GetNumSlots();
    for (int i = 0; i < n_slots; ++i) {
        const TTLoc tslot = chunk.GetLoc(i);
        SHUFFLER_CHECK(tslot.GetVenue() == (int) u_venue, "slots[0].GetVenue() == (int) u_venue");
        if (!IsLocked(tslot) && Exclude.IsPlacedHere(tslot))
            return 0;
    }

    // The rotation use the removal has to keep (the chunk's days only for
    // a rotation by day).
    ZelSortedArray<int> a_days;
    std::vector<UINT> a_used;
    const UINT e_rotation = (u_options & e_keep_rotation) != 0 ? group.GetRotation() : static_cast<UINT>(Group::e_no_rotation);
    if (e_rotation == Group::e_day_rotation) {
        chunk.GetDays(a_days);
        for (int i = 0; i < a_days.GetSize(); ++i)
            a_used.push_back(pCounters->GetDayVenueTotal(i_group, a_days[i], static_cast<int>(u_venue)));
    } else if (e_rotation == Group::e_event_rotation) {
        a_used.push_back(pCounters->GetVenueTotal(i_group, static_cast<int>(u_venue)));
    }

    const BOOL b_venue_limits = group.GetUseVenueLimits();
    const VenueLimit* p_lim = GetVenueLimit(i_group, static_cast<int>(u_venue));
    const UINT u_day_min = DayMin(i_group);
    const UINT u_event_min = EventMin(i_group);
    TTTrans trans(pMover, pCounters);
    int n_removed = 0;
    bool b_unfinished = false;
    for (int i = 0; i < n_slots; ++i) {
        const TTLoc tslot = chunk.GetLoc(i);
        SHUFFLER_CHECK(tslot.GetVenue() == (int) u_venue, "tslot.GetVenue() == (int) u_venue");
        if (IsLocked(tslot)) {
            SHUFFLER_CHECK(CellKey(tslot) == group.GetKey(), "TTable.GetSlotPtr(tslot)->GetGroup() == group.GetKey()");
            if ((u_options & e_skip_locked) != 0)
                continue;
            b_unfinished = true;
            break;
        }
        const int i_day = tslot.GetDay();
        const UINT u_day_total = pCounters->GetDayTotal(i_group, i_day);
        const UINT u_venue_total = pCounters->GetVenueTotal(i_group, static_cast<int>(u_venue));
        if ((u_options & e_keep_day_min) != 0 && u_day_total <= u_day_min) {
            b_unfinished = true;
            break;
        }
        if ((u_options & e_keep_venue_min) != 0 && b_venue_limits && p_lim != nullptr
            && u_venue_total <= p_lim->Limit.GetMin()) {
            b_unfinished = true;
            break;
        }
        if (p_replace != nullptr) {
            Replace rec;
            rec.iGroup = i_group;
            rec.uDayCount = u_day_total;
            rec.uVenueCount = u_venue_total;
            bool b_noted = false;
            if (u_day_total <= u_day_min) {
                rec.iDay = i_day;
                b_noted = true;
            }
            if (!b_venue_limits) {
                if (pCounters->GetTotal(i_group) <= u_event_min) {
                    rec.lEventCount = static_cast<LONG>(pCounters->GetTotal(i_group));
                    b_noted = true;
                }
            } else if (p_lim != nullptr && u_venue_total <= p_lim->Limit.GetMin()) {
                rec.iVenue = static_cast<int>(u_venue);
                b_noted = true;
            }
            if (b_noted)
                p_replace->Add(rec);
        }
        pMover->RecordTakeOut(i_group, tslot, pCounters);
        if (tslot == loc)
            b_removed = TRUE;
        ++n_removed;
    }

    if (!b_unfinished && e_rotation == Group::e_day_rotation) {
        for (int i = 0; i < a_days.GetSize(); ++i) {
            if (a_used[static_cast<std::size_t>(i)] > 0
                && pCounters->GetDayVenueTotal(i_group, a_days[i], static_cast<int>(u_venue)) == 0)
                b_unfinished = true;
        }
    } else if (!b_unfinished && e_rotation == Group::e_event_rotation) {
        if (a_used[0] > 0 && pCounters->GetVenueTotal(i_group, static_cast<int>(u_venue)) == 0)
            b_unfinished = true;
    }

    if (b_unfinished) {
        trans.Rollback();
        b_removed = FALSE;
        return 0;
    }
    trans.Commit();
    return n_removed;
}

// ---- placing a group into a chunk ----

void Shuffler::EmptyLists(ConflictList& a_lists, int n_lists)
{
    if (a_lists.GetSize() > n_lists)
        a_lists.RemoveAt(n_lists, a_lists.GetSize() - n_lists);
    for (int i = 0; i < a_lists.GetSize(); ++i)
        a_lists[i].RemoveAllKeepStorage();
    if (a_lists.GetSize() < n_lists)
        a_lists.SetSize(n_lists);
}

int Shuffler::PlaceInChunk(int i_group, const Chunk& chunk, ReplaceArray& a_replace)
{
    const int n_locs = chunk.GetNumSlots();
    SHUFFLER_CHECK(n_locs > 0, "n_locs > 0");
    ScratchLocs scratch(LocsPool);
    TTLocArray& a_locs = scratch.Get();
    chunk.GetLocs(a_locs);
    SaveExclude keep_bytes(a_locs, Exclude);

    const Group& group = GetGroup(i_group);
    const LONG l_key = group.GetKey();
    for (int i = 0; i < n_locs; ++i) {
        if (CellKey(a_locs[i]) == l_key) {
            Exclude.SetPlacedHere(a_locs[i]);
        } else {
            if (!Exclude.IsNotTried(a_locs[i]))
                return BuildEngine::failed;
            Exclude.SetTried(a_locs[i]);
        }
    }

    // Each cell judged with the counts the earlier cells would leave.
    // A list per cell, emptied for the trial.
    Scratch<ConflictList> conflict_scratch(ConflictPool);
    ConflictList& conflict_locs = conflict_scratch.Get();
    EmptyLists(conflict_locs, n_locs);
    bool b_any_held = false;
    bool b_all_held = true;
    {
        BuildEngine::SaveGroupCount keep_counts(*pCounters);
        const BOOL b_venue_limits = group.GetUseVenueLimits();
        for (int uu = 0; uu < n_locs; ++uu) {
            const TTLoc& loc = a_locs[uu];
            if (CellKey(loc) == l_key) {
                b_any_held = true;
                continue;
            }
            b_all_held = false;
            pEngine->CountSearchStep();
            const int i_day = loc.GetDay();
            const int i_venue = loc.GetVenue();
            if (pCounters->GetDayTotal(i_group, i_day) >= DayMax(i_group))
                return BuildEngine::failed;
            if (!b_venue_limits && pCounters->GetTotal(i_group) >= EventMax(i_group))
                return BuildEngine::failed;
            if (IsLocked(loc))
                return BuildEngine::failed;
            if (iMode == BuildEngine::e_thorough && !pCounters->CanAddParts(i_group, i_day, i_venue))
                return BuildEngine::failed;
            const VenueLimit* p_lim = GetVenueLimit(i_group, i_venue);
            if (b_venue_limits && p_lim != nullptr && pCounters->GetVenueTotal(i_group, i_venue) >= p_lim->Limit.GetMax())
                return BuildEngine::failed;

            ScratchLocs clash_scratch(LocsPool);
            TTLocArray& a_clash = clash_scratch.GetEmpty();
            const int n_conflicts = pGenerator->FindClashLocations(pDoc, pTimetable->GetDay(i_day), SlotAt(loc),
                                                                   i_group, a_clash, FALSE);
            if (iMode == BuildEngine::e_thorough && n_conflicts > 0)
                return BuildEngine::failed;
            for (int k = 0; k < a_clash.GetSize(); ++k) {
                const TTLoc& clash_loc = a_clash[k];
                if (Exclude.IsPlacedHere(clash_loc) || IsLocked(clash_loc))
                    return BuildEngine::failed;
                const int i_clash = FindGroup(CellKey(clash_loc));
                SHUFFLER_CHECK(i_clash >= 0, "p_conflict_slot != NULL");
                if (iMode == BuildEngine::e_complete_1
                    && (pCounters->GetTotal(i_clash) <= EventMin(i_clash)
                        || pCounters->GetDayTotal(i_clash, i_day) <= DayMin(i_clash))) {
                    ++uComplete1Turns;
                    return BuildEngine::failed;
                }
                pCounters->DecGroupCount(i_clash, clash_loc.GetDay(), clash_loc.GetVenue());
                conflict_locs[uu].Add(clash_loc);
            }
            SHUFFLER_CHECK(conflict_locs[uu].GetSize() == n_conflicts, "conflict_locs[uu].GetSize() == n_conflicts");
            if (!RulesAccept(i_group, loc))
                return BuildEngine::failed;

            const LONG l_occupant = CellKey(loc);
            if (l_occupant >= 0) {
                if (Exclude.IsPlacedHere(loc))
                    return BuildEngine::failed;
                const int i_occupant = FindGroup(l_occupant);
                if (i_occupant < 0)
                    return BuildEngine::failed;
                if (iMode == BuildEngine::e_thorough
                    && (pCounters->GetTotal(i_occupant) <= EventMin(i_occupant)
                        || pCounters->GetDayTotal(i_occupant, i_day) <= DayMin(i_occupant)))
                    return BuildEngine::failed;
                pCounters->DecGroupCount(i_occupant, i_day, i_venue);
            }
            pCounters->IncGroupCount(i_group, i_day, i_venue);
        }
    }
    if (b_all_held)
        return BuildEngine::failed;

    TTTrans trans(pMover, pCounters);
    for (int uu = 0; uu < n_locs; ++uu) {
        for (int k = 0; k < conflict_locs[uu].GetSize(); ++k) {
            BOOL b_removed = FALSE;
            BOOL b_found = FALSE;
            const int n_removed = RemoveChunk(-1, conflict_locs[uu][k], b_removed, b_found, &a_replace, 0);
            if (RemovalFailed(n_removed, b_removed, b_found)) {
                trans.Rollback();
                return BuildEngine::failed;
            }
        }
    }
    const int res = CommitPlacement(i_group, a_locs, b_any_held ? FALSE : TRUE, a_replace, nullptr);
    if (res == BuildEngine::succeeded)
        trans.Commit();
    else
        trans.Rollback();
    return res;
}

int Shuffler::PlaceInChunkWithConflicts(int i_group, const Chunk& chunk)
{
    const int n_locs = chunk.GetNumSlots();
    SHUFFLER_CHECK(n_locs > 0, "n_locs > 0");
    ScratchLocs scratch(LocsPool);
    TTLocArray& a_locs = scratch.Get();
    chunk.GetLocs(a_locs);
    SaveExclude keep_bytes(a_locs, Exclude);

    const Group& group = GetGroup(i_group);
    const LONG l_key = group.GetKey();
    for (int i = 0; i < n_locs; ++i) {
        if (CellKey(a_locs[i]) == l_key) {
            Exclude.SetPlacedHere(a_locs[i]);
        } else {
            if (!Exclude.IsNotTried(a_locs[i]))
                return BuildEngine::failed;
            Exclude.SetTried(a_locs[i]);
        }
    }

    // A list per cell, emptied for the trial.
    Scratch<ConflictList> conflict_scratch(ConflictPool);
    ConflictList& conflict_locs = conflict_scratch.Get();
    EmptyLists(conflict_locs, n_locs);
    bool b_any_held = false;
    bool b_all_held = true;
    {
        BuildEngine::SaveGroupCount keep_counts(*pCounters);
        const BOOL b_venue_limits = group.GetUseVenueLimits();
        for (int uu = 0; uu < n_locs; ++uu) {
            const TTLoc& loc = a_locs[uu];
            if (CellKey(loc) == l_key) {
                b_any_held = true;
                continue;
            }
            b_all_held = false;
            pEngine->CountSearchStep();
            const int i_day = loc.GetDay();
            const int i_venue = loc.GetVenue();
            if (pCounters->GetDayTotal(i_group, i_day) >= DayMax(i_group))
                return BuildEngine::failed;
            if (pCounters->GetTotal(i_group) >= EventMax(i_group))
                return BuildEngine::failed;
            if (IsLocked(loc))
                return BuildEngine::failed;
            const VenueLimit* p_lim = GetVenueLimit(i_group, i_venue);
            if (b_venue_limits && p_lim != nullptr && pCounters->GetVenueTotal(i_group, i_venue) >= p_lim->Limit.GetMax())
                return BuildEngine::failed;
            const LONG l_occupant = CellKey(loc);
            if (l_occupant >= 0) {
                const int i_occupant = FindGroup(l_occupant);
                if (i_occupant < 0 || pGenerator->GroupsShareParticipant(pDoc->GetGroups(), i_occupant, i_group))
                    return BuildEngine::failed;
                if (Exclude.IsPlacedHere(loc))
                    return BuildEngine::failed;
            }
            if (!RulesAccept(i_group, loc))
                return BuildEngine::failed;

            // Found straight into the cell's list (empty until now): a
            // failure below ends the whole placement anyway.
            TTLocArray& a_clash = conflict_locs[uu];
            const int n_conflicts = pGenerator->FindClashLocations(pDoc, pTimetable->GetDay(i_day), SlotAt(loc),
                                                                   i_group, a_clash, FALSE);
            if (n_conflicts > 1 && iMode == BuildEngine::e_complete_1)
                ++uComplete1Turns;
            if (n_conflicts == 0 || (n_conflicts > 1 && iMode != BuildEngine::e_complete_2))
                return BuildEngine::failed;
            for (int k = 0; k < a_clash.GetSize(); ++k) {
                const TTLoc& clash_loc = a_clash[k];
                if (Exclude.Get(clash_loc) != 0 || IsLocked(clash_loc) || FindGroup(CellKey(clash_loc)) < 0)
                    return BuildEngine::failed;
            }
            pCounters->IncGroupCount(i_group, i_day, i_venue);
        }
    }
    if (b_all_held)
        return BuildEngine::failed;

    return CommitPlacement(i_group, a_locs, b_any_held ? FALSE : TRUE, ReplaceArray(), &conflict_locs);
}

// ---- completing the chunks around locked cells ----

BOOL Shuffler::IsChunkComplete(int i_group, LONG l_group_key, const Chunk& chunk) const
{
    const int n_min_chunk = pMap->GetGroupMap(i_group).GetVenueMap(chunk.GetVenue()).nMinChunk;
    int n_run = 0;
    for (int i = 0; i < chunk.GetNumSlots(); ++i) {
        const Timeslot* p_slot = &SlotAt(chunk.GetLoc(i));
        if (p_slot->GetGroup() == l_group_key) {
            ++n_run;
        } else {
            SHUFFLER_CHECK(p_slot->IsEmpty(), "p_slot->IsEmpty()");
            n_run = 0;
        }
    }
    return n_run >= n_min_chunk ? TRUE : FALSE;
}

int Shuffler::RepairLockedChunks(const ReplaceArray& a_replace)
{
    // The groups are wanted only until their locks are listed (before any
    // repair can come back here), so one list of the shuffler serves
    // every call.
    std::vector<int>& a_groups = RepairGroups;
    a_groups.clear();
    for (int i = 0; i < a_replace.GetSize(); ++i) {
        if (a_replace[i].iGroup >= 0)
            a_groups.push_back(a_replace[i].iGroup);
    }
    std::sort(a_groups.begin(), a_groups.end());
    a_groups.erase(std::unique(a_groups.begin(), a_groups.end()), a_groups.end());
    if (a_groups.empty())
        return BuildEngine::succeeded;

    pEngine->GatherGroupLocks();
    TTLocArray a_locks;
    for (const int i_group : a_groups) {
        const TTLocArray* p_locks = pEngine->FindGroupLocks(i_group);
        if (p_locks != nullptr)
            a_locks.Append(*p_locks);
    }
    return RepairLockedCells(a_locks, 0);
}

int Shuffler::RepairLockedCells(const TTLocArray& a_locks, int i_from)
{
    if (i_from >= a_locks.GetSize())
        return BuildEngine::succeeded;
    const TTLoc& cell = a_locks[i_from];
    const LONG l_key = CellKey(cell);
    const int i_group = FindGroup(l_key);
    SHUFFLER_CHECK(i_group >= 0, "i_group >= 0");

    // A chunk through the cell already complete: nothing to do here.
    Chunk chunk;
    while (pMap->MakeChunk(i_group, chunk, cell.GetVenue(), cell.GetDay(), cell.GetSlot(), FALSE)) {
        if (IsChunkComplete(i_group, l_key, chunk))
            return RepairLockedCells(a_locks, i_from + 1);
    }

    const TTMap::GroupMap::VenueMap& venue_map = pMap->GetGroupMap(i_group).GetVenueMap(cell.GetVenue());
    const int u_min_chunk = venue_map.nMinChunk;
    const int u_max_chunk = venue_map.nMaxChunk;
    chunk = Chunk();
    while (pMap->MakeChunk(i_group, chunk, cell.GetVenue(), cell.GetDay(), cell.GetSlot(), FALSE)) {
        int res = BuildEngine::failed;
        {
            TTTrans trans(pMover, pCounters);
            TTLocArray locs;
            chunk.GetLocs(locs);
            SaveExclude keep_bytes(locs, Exclude);
            bool b_usable = true;
            if (IsChunkComplete(i_group, l_key, chunk)) {
                res = BuildEngine::succeeded;
            } else {
                SHUFFLER_CHECK(chunk.GetNumSlots() >= u_min_chunk, "chunk.GetNumSlots() >= u_min_chunk");
                SHUFFLER_CHECK(chunk.GetNumSlots() <= u_max_chunk, "chunk.GetNumSlots() <= u_max_chunk");
                for (int uu = 0; b_usable && uu < locs.GetSize(); ++uu) {
                    if (CellKey(locs[uu]) == l_key) {
                        SHUFFLER_CHECK(IsLocked(locs[uu]), "TTable.GetSlotPtr(locs[uu])->IsLocked()");
                    } else {
                        SHUFFLER_CHECK(SlotAt(locs[uu]).IsEmpty(), "TTable.GetSlotPtr(locs[uu])->IsEmpty()");
                        if (!Exclude.IsNotTried(locs[uu]))
                            b_usable = false;
                        else
                            Exclude.SetTried(locs[uu]);
                    }
                }
                if (b_usable) {
                    res = BuildEngine::succeeded;
                    for (int uu = 0; res == BuildEngine::succeeded && uu < locs.GetSize(); ++uu) {
                        if (!IsLocked(locs[uu]))
                            res = PlaceInOneCell(i_group, locs[uu], chunk);
                    }
                    const int n_slots = chunk.GetNumSlots();
                    SHUFFLER_CHECK(res != BuildEngine::succeeded || (u_min_chunk <= n_slots && n_slots <= u_max_chunk),
                                   "res != BuildEngine::succeeded || u_min_chunk <= n_slots && n_slots <= u_max_chunk");
                }
            }
            if (res == BuildEngine::succeeded) {
                for (int uu = 0; uu < locs.GetSize(); ++uu) {
                    Exclude.SetTried(locs[uu]);
                    Exclude.SetPlacedHere(locs[uu]);
                }
                res = RepairLockedCells(a_locks, i_from + 1);
            }
            if (res == BuildEngine::succeeded) {
                trans.Commit();
                return res;
            }
            trans.Rollback();
        }
        if (res != BuildEngine::failed)
            return res;
    }
    return BuildEngine::failed;
}

int Shuffler::CheckLockedCells(int& i_group, int& i_day, int& i_venue)
{
    const int n_venues = pDoc->GetNumVenues();
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        const Day& day = pTimetable->GetDay(d);
        const int n_columns = std::min(n_venues, day.GetNumVenues());
        for (int v = 0; v < n_columns; ++v) {
            for (int s = 0; s < day.GetVenueSlots(v).GetSize(); ++s) {
                const TTLoc loc(d, v, s);
                if (!IsLocked(loc))
                    continue;
                i_group = FindGroup(CellKey(loc));
                SHUFFLER_CHECK(i_group >= 0, "i_group >= 0");
                TTLocArray a_one;
                a_one.Add(loc);
                const int res = RepairLockedCells(a_one, 0);
                if (res != BuildEngine::succeeded) {
                    i_day = d;
                    i_venue = v;
                    return res;
                }
            }
        }
    }
    return BuildEngine::succeeded;
}

// ---- making good the minimums removals broke ----

int Shuffler::MakeGoodReplacements(const ReplaceArray& a_replace)
{
    TTTrans trans(pMover, pCounters);
    Chunk raised;
    // Any result but 1 undoes what the records made good so far.
    auto fail = [&trans](int res) {
        trans.Rollback();
        return res;
    };
    for (int r = a_replace.GetSize() - 1; r >= 0; --r) {
        const Replace rec = a_replace[r];
        const int i_group = rec.iGroup;
        if (i_group < 0)
            continue;
        const int i_day = rec.iDay;
        const int i_venue = rec.iVenue;
        const VenueLimit* p_lim = i_venue >= 0 ? GetVenueLimit(i_group, i_venue) : nullptr;
        const UINT u_venue_min = p_lim != nullptr ? p_lim->Limit.GetMin() : 0;
        // A record of a broken day minimum raises the day, also when it
        // broke the event minimum as well: raising the event total alone
        // could place the group on any day and leave the day below what it
        // had (the event total follows the day's, and is raised after it
        // where it is still short).
        if (i_day >= 0 && i_venue < 0) {
            const UINT u_want = std::min(rec.uDayCount, DayMin(i_group));
            while (pCounters->GetDayTotal(i_group, i_day) < u_want) {
                const UINT u_last_count = pCounters->GetDayTotal(i_group, i_day);
                const int res = RaiseDayCount(i_group, i_day, u_last_count + 1, raised);
                if (res != BuildEngine::succeeded)
                    return fail(res);
                SHUFFLER_CHECK(pCounters->GetDayTotal(i_group, i_day) > u_last_count,
                               "SelCounts.GetDayTotal(i_group,i_day) > u_last_count");
            }
        } else if (i_venue >= 0 && i_day < 0 && rec.lEventCount < 0) {
            const UINT u_want = std::min(rec.uVenueCount, u_venue_min);
            while (pCounters->GetVenueTotal(i_group, i_venue) < u_want) {
                const UINT u_last_count = pCounters->GetVenueTotal(i_group, i_venue);
                const int res = RaiseVenueCount(i_group, i_venue, u_last_count + 1, raised);
                if (res != BuildEngine::succeeded)
                    return fail(res);
                SHUFFLER_CHECK(pCounters->GetVenueTotal(i_group, i_venue) > u_last_count,
                               "SelCounts.GetVenueTotal(i_group,i_venue) > u_last_count");
            }
        } else if (i_day >= 0 && i_venue >= 0) {
            const UINT u_day_want = std::min(rec.uDayCount, DayMin(i_group));
            const UINT u_venue_want = std::min(rec.uVenueCount, u_venue_min);
            for (;;) {
                const UINT u_last_day_count = pCounters->GetDayTotal(i_group, i_day);
                const UINT u_last_venue_count = pCounters->GetVenueTotal(i_group, i_venue);
                const bool b_day_short = u_last_day_count < u_day_want;
                const bool b_venue_short = u_last_venue_count < u_venue_want;
                if (!b_day_short && !b_venue_short)
                    break;
                int res;
                if (b_day_short && b_venue_short)
                    res = RaiseDayAndVenueCount(i_group, i_day, u_last_day_count + 1, i_venue, u_last_venue_count + 1);
                else if (b_day_short)
                    res = RaiseDayCount(i_group, i_day, u_last_day_count + 1, raised);
                else
                    res = RaiseVenueCount(i_group, i_venue, u_last_venue_count + 1, raised);
                if (res != BuildEngine::succeeded)
                    return fail(res);
                SHUFFLER_CHECK(pCounters->GetDayTotal(i_group, i_day) > u_last_day_count
                                   || pCounters->GetVenueTotal(i_group, i_venue) > u_last_venue_count,
                               "SelCounts.GetDayTotal(i_group,i_day) > u_last_day_count || "
                               "SelCounts.GetVenueTotal(i_group,i_venue) > u_last_venue_count");
            }
        }
        if (rec.lEventCount >= 0) {
            const UINT u_want = std::min(static_cast<UINT>(rec.lEventCount), EventMin(i_group));
            while (pCounters->GetTotal(i_group) < u_want) {
                const UINT u_last_count = pCounters->GetTotal(i_group);
                const int res = RaiseEventCount(i_group, u_last_count + 1);
                if (res != BuildEngine::succeeded)
                    return fail(res);
                SHUFFLER_CHECK(pCounters->GetTotal(i_group) > u_last_count, "SelCounts.GetTotal(i_group) > u_last_count");
            }
        }
    }
    trans.Commit();
    return BuildEngine::succeeded;
}
