// The minimum passes of a build (stage 1): every group raised to its day
// minimums day by day, to its venue minimums venue by venue, then to its
// event minimum; the raise and move primitives they use; and the filling
// of empty timeslots (stages 2 and 4).
#include "engine/BuildCheck.h"
#include "engine/BuildEngine.h"
#include "engine/SelCounters.h"
#include "engine/Shuffler.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

using TTTrans = Transaction<TTMove, TTLocArray>;

// The shortfall and excess of one count against its minimum.
void AddShortfall(UINT u_count, UINT u_min, UINT& u_shortfall, UINT& u_excess)
{
    if (u_count < u_min)
        u_shortfall += u_min - u_count;
    else
        u_excess += u_count - u_min;
}

// The build map lets the group into some venue on the day.
BOOL IsAllowedOnDay(const TTMap& map, int i_group, int i_day)
{
    const TTMap::GroupMap& group_map = map.GetGroupMap(i_group);
    for (int v = 0; v < group_map.GetNumVenues(); ++v) {
        const TTMap::GroupMap::VenueMap& venue_map = group_map.GetVenueMap(v);
        if (i_day < venue_map.GetNumDays() && venue_map.GetDay(i_day).nAllowed > 0)
            return TRUE;
    }
    return FALSE;
}

// The build map lets the group into the venue on some day.
BOOL IsAllowedInVenue(const TTMap& map, int i_group, int i_venue)
{
    const TTMap::GroupMap& group_map = map.GetGroupMap(i_group);
    return i_venue < group_map.GetNumVenues() && group_map.GetVenueMap(i_venue).HasAllowedSlots();
}

} // namespace

// ---- shortfall and excess ----

void BuildEngine::GetEventShortfall(const SelCounters& counters, UINT& u_shortfall, UINT& u_excess) const
{
    u_shortfall = u_excess = 0;
    const GroupList& groups = pDoc->GetGroups();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        if (!groups[g].GetUseVenueLimits())
            AddShortfall(counters.GetTotal(g), groups[g].GetEventLimits().GetMin(), u_shortfall, u_excess);
    }
}

void BuildEngine::GetVenueShortfall(const SelCounters& counters, int i_venue, UINT& u_shortfall, UINT& u_excess) const
{
    u_shortfall = u_excess = 0;
    const GroupList& groups = pDoc->GetGroups();
    const LONG l_venue_key = pDoc->GetVenues().GetVenue(i_venue).GetKey();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        const VenueLimit* p_lim = groups[g].GetVenueLimit(l_venue_key);
        if (p_lim != nullptr)
            AddShortfall(counters.GetVenueTotal(g, i_venue), p_lim->Limit.GetMin(), u_shortfall, u_excess);
    }
}

void BuildEngine::GetDayShortfall(const SelCounters& counters, int i_day, UINT& u_shortfall, UINT& u_excess) const
{
    u_shortfall = u_excess = 0;
    const GroupList& groups = pDoc->GetGroups();
    for (int g = 0; g < groups.GetNumGroups(); ++g)
        AddShortfall(counters.GetDayTotal(g, i_day), groups[g].GetDayLimits().GetMin(), u_shortfall, u_excess);
}

// ---- stage 1 ----

int BuildEngine::EnforceMinimums(SelCounters& counters, Generator& generator)
{
    // The day and venue passes of "Complete 1" already search as
    // "Complete 2" does.
    const int i_pass_mode = iMode == e_complete_1 ? e_complete_2 : iMode;
    int i_overall = succeeded;
    for (int n_cycle = 0; n_cycle < 2; ++n_cycle) {
        i_overall = succeeded;
        BOOL b_changed = FALSE;

        for (BOOL b_sweep = TRUE; b_sweep;) {
            b_sweep = FALSE;
            for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
                BOOL b_day_changed = FALSE;
                const int res = DayPass(counters, generator, d, i_pass_mode, b_day_changed);
                b_changed |= b_day_changed;
                if (res == skip) {
                    ClearRequests();
                    b_sweep = TRUE;
                } else if (res != succeeded) {
                    i_overall = res;
                }
            }
        }
        for (BOOL b_sweep = TRUE; b_sweep;) {
            b_sweep = FALSE;
            for (int v = 0; v < pDoc->GetNumVenues(); ++v) {
                BOOL b_venue_changed = FALSE;
                const int res = VenuePass(counters, generator, v, i_pass_mode, b_venue_changed);
                b_changed |= b_venue_changed;
                if (res == skip) {
                    ClearRequests();
                    b_sweep = TRUE;
                } else if (res != succeeded) {
                    i_overall = res;
                }
            }
        }

        UINT u_shortfall = 0, u_excess = 0;
        GetEventShortfall(counters, u_shortfall, u_excess);
        const int res = ProgressStep(iStage, "Enforcing minimum event limits...", static_cast<int>(u_shortfall), TRUE);
        if (res != succeeded)
            return res;
        if (u_shortfall == 0)
            return i_overall;

        // A Skip cuts one group's search short: when the passes then end
        // without reaching every minimum, the minimums are incomplete
        // rather than out of reach.
        BOOL b_skip_met = FALSE;
        while (u_shortfall > 0) {
            BOOL b_pass_changed = FALSE;
            const int i_pass = EventPass(counters, generator, iMode, b_pass_changed);
            if (i_pass == stopped || i_pass == cancelled || i_pass == time_limit)
                return i_pass;
            if (i_pass == skip) {
                ClearRequests();
                b_skip_met = TRUE;
            }
            if (!b_pass_changed && i_pass != skip) {
                i_overall = b_skip_met ? skip : failed;
                break;
            }
            b_changed |= b_pass_changed;
            KeepAnsweringBetweenSteps();
            UINT u_now = 0;
            GetEventShortfall(counters, u_now, u_excess);
            for (UINT u = u_now; u < u_shortfall; ++u)
                ProgressStepIt();
            u_shortfall = u_now;
        }
        if (i_overall != failed)
            return i_overall;
        // A complete search that changed something may find more when the
        // whole cycle runs again, once.
        if ((iMode != e_complete_1 && iMode != e_complete_2) || !b_changed)
            break;
    }
    return i_overall;
}

int BuildEngine::DayPass(SelCounters& counters, Generator& generator, int i_day, int i_mode, BOOL& b_changed)
{
    const Day& day = pTimetable->GetDay(i_day);
    UINT u_shortfall = 0, u_excess = 0;
    GetDayShortfall(counters, i_day, u_shortfall, u_excess);
    int res = ProgressStep(iStage, "Enforcing minimum limits for day: " + day.GetName(), static_cast<int>(u_shortfall),
                           TRUE);
    if (res != succeeded)
        return res;
    const GroupList& groups = pDoc->GetGroups();
    int i_marked = -1;
    while (u_shortfall > 0) {
        int n_empty = pTimetable->CountUnfilled(i_day, -1);
        if (n_empty == 0 && u_excess == 0)
            return failed;
        BOOL b_raised = FALSE;
        for (int g = 0; g < groups.GetNumGroups(); ++g) {
            const Group& group = groups[g];
            const UINT u_day_min = group.GetDayLimits().GetMin();
            if (counters.GetDayTotal(g, i_day) >= u_day_min || !IsAllowedOnDay(*pMap, g, i_day))
                continue;
            if (g == i_marked)
                return skip;
            BOOL b_group_failed = FALSE;
            while (!b_group_failed && counters.GetDayTotal(g, i_day) < u_day_min) {
                SetTargetGroup(group.GetName());
                SetTargetCount(u_day_min);
                SetToPlace(u_shortfall);
                const UINT u_event_min = group.GetEventMinLimit();
                const UINT u_event_max = group.GetEventMaxLimit();
                // A raise that fails gives back what was freed for it.
                TTTrans trans(pMover.get(), &counters);
                BOOL b_freed = FALSE;
                if (!group.GetUseVenueLimits() && counters.GetTotal(g) >= u_event_max) {
                    const UINT u_old_count = counters.GetDayTotal(g, i_day);
                    while (counters.GetTotal(g) >= u_event_max
                           && MoveFromOtherDay(counters, generator, g, i_day, DayCursor) == succeeded)
                        b_freed = TRUE;
                    if (counters.GetTotal(g) >= u_event_max) {
                        b_group_failed = TRUE;
                        break;
                    }
                    BUILD_CHECK(u_old_count == counters.GetDayTotal(g, i_day),
                                "u_old_count == sel_counters.GetDayTotal(i_group,u_day)");
                    BUILD_CHECK(counters.GetTotal(g) < u_event_max, "sel_counters.GetTotal(i_group) < u_event_max");
                } else if (u_event_min != 0 && counters.GetTotal(g) >= u_event_min && counters.GetTotal(g) < u_event_max) {
                    b_freed = MoveFromOtherDay(counters, generator, g, i_day, DayCursor) == succeeded;
                }
                if (!b_freed && n_empty == 0 && u_excess == 0) {
                    b_group_failed = TRUE;
                    break;
                }
                const UINT u_old_count = counters.GetDayTotal(g, i_day);
                res = RaiseDayCount(counters, generator, g, i_day, i_mode);
                if (res == succeeded) {
                    trans.Commit();
                    BUILD_CHECK_INFO(counters.GetDayTotal(g, i_day) > u_old_count,
                                     "sel_counters.GetDayTotal(i_group,u_day) > u_old_count",
                                     "Day=" + std::to_string(i_day) + ", Group=" + std::to_string(g) + ", DayTotal="
                                         + std::to_string(counters.GetDayTotal(g, i_day))
                                         + ", old_count=" + std::to_string(u_old_count));
                    b_raised = TRUE;
                    n_empty = pTimetable->CountUnfilled(i_day, -1);
                    GetDayShortfall(counters, i_day, u_shortfall, u_excess);
                    ProgressStepIt();
                    if (PumpMessages())
                        return GetUserChoice();
                    continue;
                }
                trans.Rollback();
                if (res == stopped || res == cancelled || res == time_limit)
                    return res;
                if (res == skip) {
                    // Skipped once, the group is visited again on the next
                    // round; a second Skip ends the pass.
                    ClearRequests();
                    if (i_marked >= 0)
                        return skip;
                    i_marked = g;
                }
                b_group_failed = TRUE;
            }
        }
        if (!b_raised && i_marked < 0)
            return failed;
        b_changed = TRUE;
        GetDayShortfall(counters, i_day, u_shortfall, u_excess);
    }
    return succeeded;
}

int BuildEngine::VenuePass(SelCounters& counters, Generator& generator, int i_venue, int i_mode, BOOL& b_changed)
{
    UINT u_shortfall = 0, u_excess = 0;
    GetVenueShortfall(counters, i_venue, u_shortfall, u_excess);
    int res = ProgressStep(iStage, "Enforcing minimum limits for venue: " + GetVenueName(i_venue),
                           static_cast<int>(u_shortfall), TRUE);
    if (res != succeeded)
        return res;
    const GroupList& groups = pDoc->GetGroups();
    const LONG l_venue_key = pDoc->GetVenues().GetVenue(i_venue).GetKey();
    int i_marked = -1;
    while (u_shortfall > 0) {
        int n_empty = pTimetable->CountUnfilled(-1, i_venue);
        if (n_empty == 0 && u_excess == 0)
            return failed;
        BOOL b_raised = FALSE;
        for (int g = 0; g < groups.GetNumGroups(); ++g) {
            const Group& group = groups[g];
            const VenueLimit* p_lim = group.GetVenueLimit(l_venue_key);
            if (p_lim == nullptr)
                continue;
            const UINT u_venue_min = p_lim->Limit.GetMin();
            if (counters.GetVenueTotal(g, i_venue) >= u_venue_min || !IsAllowedInVenue(*pMap, g, i_venue))
                continue;
            if (g == i_marked)
                return skip;
            BOOL b_group_failed = FALSE;
            while (!b_group_failed && counters.GetVenueTotal(g, i_venue) < u_venue_min) {
                SetTargetGroup(group.GetName());
                SetTargetCount(u_venue_min);
                SetToPlace(u_shortfall);
                // The group's event limits are the sums of its venue limits.
                const UINT u_event_min = group.GetEventMinLimit();
                const UINT u_event_max = group.GetEventMaxLimit();
                TTTrans trans(pMover.get(), &counters);
                BOOL b_freed = FALSE;
                if (counters.GetTotal(g) >= u_event_max) {
                    const UINT u_old_count = counters.GetVenueTotal(g, i_venue);
                    while (counters.GetTotal(g) >= u_event_max
                           && MoveFromOtherVenue(counters, generator, g, i_venue) == succeeded)
                        b_freed = TRUE;
                    if (counters.GetTotal(g) >= u_event_max) {
                        b_group_failed = TRUE;
                        break;
                    }
                    BUILD_CHECK(u_old_count == counters.GetVenueTotal(g, i_venue),
                                "u_old_count == sel_counters.GetVenueTotal(i_group,u_venue)");
                } else if (u_event_min != 0 && counters.GetTotal(g) >= u_event_min && counters.GetTotal(g) < u_event_max) {
                    b_freed = MoveFromOtherVenue(counters, generator, g, i_venue) == succeeded;
                }
                if (!b_freed && n_empty == 0 && u_excess == 0) {
                    b_group_failed = TRUE;
                    break;
                }
                const UINT u_old_count = counters.GetVenueTotal(g, i_venue);
                res = RaiseVenueCount(counters, generator, g, i_venue, i_mode);
                if (res == succeeded) {
                    trans.Commit();
                    BUILD_CHECK_INFO(counters.GetVenueTotal(g, i_venue) > u_old_count,
                                     "sel_counters.GetVenueTotal(i_group,u_venue) > u_old_count",
                                     "Venue=" + std::to_string(i_venue) + ", Group=" + std::to_string(g)
                                         + ", VenueTotal=" + std::to_string(counters.GetVenueTotal(g, i_venue))
                                         + ", old_count=" + std::to_string(u_old_count));
                    b_raised = TRUE;
                    n_empty = pTimetable->CountUnfilled(-1, i_venue);
                    GetVenueShortfall(counters, i_venue, u_shortfall, u_excess);
                    ProgressStepIt();
                    if (PumpMessages())
                        return GetUserChoice();
                    continue;
                }
                trans.Rollback();
                if (res == stopped || res == cancelled || res == time_limit)
                    return res;
                if (res == skip) {
                    ClearRequests();
                    if (i_marked >= 0)
                        return skip;
                    i_marked = g;
                }
                b_group_failed = TRUE;
            }
        }
        if (!b_raised && i_marked < 0)
            return failed;
        b_changed = TRUE;
        GetVenueShortfall(counters, i_venue, u_shortfall, u_excess);
    }
    return succeeded;
}

int BuildEngine::GetEventPassSettings(UINT u_depth, int i_mode, UINT a_depths[3], int a_modes[3])
{
    int n = 0;
    auto add = [&](UINT u_d, int i_m) {
        a_depths[n] = u_d;
        a_modes[n] = i_m;
        ++n;
    };
    if (u_depth < 10) {
        add(u_depth, i_mode == e_complete_1 ? e_complete_2 : i_mode);
    } else if (i_mode == e_complete_1) {
        add(4, e_complete_1);
        add(4, e_complete_2);
        add(u_depth, e_complete_2);
    } else {
        add(4, i_mode);
        add(u_depth, i_mode);
    }
    return n;
}

int BuildEngine::EventPass(SelCounters& counters, Generator& generator, int i_mode, BOOL& b_changed)
{
    UINT u_shortfall = 0, u_excess = 0;
    GetEventShortfall(counters, u_shortfall, u_excess);
    if (pTimetable->CountUnfilled(-1, -1) == 0 && u_excess == 0)
        return failed;
    UINT a_depths[3];
    int a_modes[3];
    const int n_settings = GetEventPassSettings(uSearchDepth, i_mode, a_depths, a_modes);
    const GroupList& groups = pDoc->GetGroups();
    BOOL b_skip = FALSE;
    for (int k = 0; k < n_settings; ++k) {
        for (int g = 0; g < groups.GetNumGroups(); ++g) {
            const Group& group = groups[g];
            if (group.GetUseVenueLimits())
                continue;
            const UINT u_min = group.GetEventLimits().GetMin();
            if (counters.GetTotal(g) >= u_min)
                continue;
            SetTargetGroup(group.GetName());
            SetTargetCount(u_min);
            SetToPlace(u_shortfall);
            const UINT u_old_count = counters.GetTotal(g);
            const int res = RaiseEventCount(counters, generator, g, a_modes[k], a_depths[k]);
            if (res == succeeded) {
                BUILD_CHECK_INFO(counters.GetTotal(g) > u_old_count, "sel_counters.GetTotal(i_group) > u_old_count",
                                 "Group=" + std::to_string(g) + ", Total=" + std::to_string(counters.GetTotal(g))
                                     + ", old_count=" + std::to_string(u_old_count));
                b_changed = TRUE;
                return succeeded;
            }
            // The time limit ends the search as Stop and Cancel do.
            if (res == stopped || res == cancelled || res == time_limit)
                return res;
            if (res == skip) {
                ClearRequests();
                b_skip = TRUE;
            } else {
                BUILD_CHECK(res == failed, "FALSE");
            }
            if (PumpMessages())
                return GetUserChoice();
        }
    }
    return b_skip ? skip : failed;
}

// ---- raise primitives ----

int BuildEngine::RaiseDayCount(SelCounters& counters, Generator& generator, int i_group, int i_day, int i_mode)
{
    const Group& group = GetGroup(i_group);
    const UINT u_total = counters.GetDayTotal(i_group, i_day);
    BUILD_CHECK(u_total < group.GetDayLimits().GetMin(), "u_total < group.GetDayLimits().GetMin()");
    BUILD_CHECK(group.GetUseVenueLimits() || counters.GetTotal(i_group) < group.GetEventMaxLimit(),
                "!group.IsUsingEventLimits() || sel_counters.GetTotal(i_group) < group.GetEventMaxLimit()");
    Shuffler shuffler(this, &generator, &counters, i_mode, 0, TRUE);
    SetModeName(GetModeName(i_mode));
    SetTargetGroup(group.GetName());
    Chunk chunk;
    const int res = shuffler.RaiseDayCount(i_group, i_day, u_total + 1, chunk);
    NoteSearch(shuffler);
    return res;
}

int BuildEngine::RaiseVenueCount(SelCounters& counters, Generator& generator, int i_group, int i_venue, int i_mode)
{
    const Group& group = GetGroup(i_group);
    BUILD_CHECK(group.GetUseVenueLimits(), "group.IsUsingVenueLimits()");
    const VenueLimit* p_lim = group.GetVenueLimit(pDoc->GetVenues().GetVenue(i_venue).GetKey());
    const UINT u_total = counters.GetVenueTotal(i_group, i_venue);
    BUILD_CHECK(p_lim != nullptr && u_total < p_lim->Limit.GetMin(),
                "p_lim != NULL && u_total < p_lim->GetLimit().GetMin()");
    Shuffler shuffler(this, &generator, &counters, i_mode, 0, TRUE);
    SetModeName(GetModeName(i_mode));
    SetTargetGroup(group.GetName());
    Chunk chunk;
    const int res = shuffler.RaiseVenueCount(i_group, i_venue, u_total + 1, chunk);
    NoteSearch(shuffler);
    return res;
}

int BuildEngine::RaiseEventCount(SelCounters& counters, Generator& generator, int i_group, int i_mode, UINT u_depth)
{
    const Group& group = GetGroup(i_group);
    const UINT u_total = counters.GetTotal(i_group);
    BUILD_CHECK(u_total < group.GetEventMinLimit(), "u_total < group.GetEventMinLimit()");
    Shuffler shuffler(this, &generator, &counters, i_mode, u_depth, TRUE);
    SetModeName(GetModeName(i_mode));
    SetTargetGroup(group.GetName());
    const int res = shuffler.RaiseEventCount(i_group, u_total + 1);
    NoteSearch(shuffler);
    return res;
}

// ---- move primitives ----

int BuildEngine::MoveFromOtherVenue(SelCounters& counters, Generator& generator, int i_group, int i_venue)
{
    const LONG l_key = GetGroup(i_group).GetKey();
    const UINT u_day_min = GetGroup(i_group).GetDayLimits().GetMin();
    const int n_venues = pDoc->GetNumVenues();
    std::unique_ptr<Shuffler> p_shuffler;
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        if (counters.GetDayTotal(i_group, d) <= u_day_min)
            continue;
        const Day& day = pTimetable->GetDay(d);
        for (int v = 0; v < std::min(n_venues, day.GetNumVenues()); ++v) {
            if (v == i_venue)
                continue;
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                if (a_slots[s].GetGroup() != l_key || a_slots[s].IsLocked())
                    continue;
                // One search object serves the whole walk: taking a chunk
                // out leaves none of its marks behind.
                if (!p_shuffler)
                    p_shuffler = std::make_unique<Shuffler>(this, &generator, &counters, iMode, 0, TRUE);
                TTTrans trans(pMover.get(), &counters);
                BOOL b_removed = FALSE, b_found = FALSE;
                const int n_out = p_shuffler->RemoveChunk(i_group, TTLoc(d, v, s), b_removed, b_found, nullptr,
                                                          Shuffler::e_keep_day_min | Shuffler::e_keep_venue_min
                                                              | Shuffler::e_skip_locked);
                if (n_out > 0 && b_removed && b_found) {
                    trans.Commit();
                    NoteSearch(*p_shuffler);
                    return succeeded;
                }
                trans.Rollback();
                if (counters.GetDayTotal(i_group, d) <= u_day_min)
                    break;
            }
        }
    }
    if (p_shuffler)
        NoteSearch(*p_shuffler);
    return failed;
}

int BuildEngine::MoveFromOtherDay(SelCounters& counters, Generator& generator, int i_group, int i_day, TTLoc& cursor)
{
    const LONG l_key = GetGroup(i_group).GetKey();
    const UINT u_day_min = GetGroup(i_group).GetDayLimits().GetMin();
    const int n_venues = pDoc->GetNumVenues();
    std::unique_ptr<Shuffler> p_shuffler;

    // Every cell once, from the one after the cursor round to the cursor.
    std::vector<TTLoc> a_cells;
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        if (d == i_day || counters.GetDayTotal(i_group, d) <= u_day_min)
            continue;
        const Day& day = pTimetable->GetDay(d);
        for (int v = 0; v < std::min(n_venues, day.GetNumVenues()); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                if (a_slots[s].GetGroup() == l_key && !a_slots[s].IsLocked())
                    a_cells.emplace_back(d, v, s);
            }
        }
    }
    auto after_cursor = [&cursor](const TTLoc& loc) {
        if (loc.GetDay() != cursor.GetDay())
            return loc.GetDay() > cursor.GetDay();
        if (loc.GetVenue() != cursor.GetVenue())
            return loc.GetVenue() > cursor.GetVenue();
        return loc.GetSlot() > cursor.GetSlot();
    };
    const auto it_first = std::find_if(a_cells.begin(), a_cells.end(), after_cursor);
    std::rotate(a_cells.begin(), it_first, a_cells.end());

    for (const TTLoc& loc : a_cells) {
        if (counters.GetDayTotal(i_group, loc.GetDay()) <= u_day_min
            || pTimetable->GetDay(loc.GetDay()).GetVenueSlots(loc.GetVenue())[loc.GetSlot()].GetGroup() != l_key)
            continue;
        if (!p_shuffler)
            p_shuffler = std::make_unique<Shuffler>(this, &generator, &counters, iMode, 0, TRUE);
        TTTrans trans(pMover.get(), &counters);
        BOOL b_removed = FALSE, b_found = FALSE;
        const int n_out = p_shuffler->RemoveChunk(i_group, loc, b_removed, b_found, nullptr,
                                                  Shuffler::e_keep_day_min | Shuffler::e_keep_venue_min
                                                      | Shuffler::e_skip_locked);
        if (n_out > 0 && b_removed && b_found) {
            trans.Commit();
            cursor = loc;
            NoteSearch(*p_shuffler);
            return succeeded;
        }
        trans.Rollback();
    }
    if (p_shuffler)
        NoteSearch(*p_shuffler);
    return failed;
}

// ---- filling empty timeslots ----

namespace {

// One request of the fill at the level: the cell search in the level's
// mode, and above level 0, when that finds nothing, once more with leave
// for groups to give up placements of their own.
int FillAtLevel(Shuffler& shuffler, const TTLoc& loc, int i_level)
{
    int res = shuffler.FillCell(loc.GetDay(), loc.GetVenue(), loc.GetSlot(), FALSE);
    if (res == BuildEngine::failed && i_level > BuildEngine::e_thorough)
        res = shuffler.FillCell(loc.GetDay(), loc.GetVenue(), loc.GetSlot(), TRUE);
    return res;
}

} // namespace

int BuildEngine::FillEmptySlots(SelCounters& counters, Generator& generator)
{
    FillMemo memo;
    memo.aNotes.resize(static_cast<std::size_t>(pTimetable->GetNumDays()));
    for (int i_level = e_thorough; i_level <= e_complete_2; ++i_level) {
        SetModeName(GetModeName(i_level));
        BOOL b_day_failed = FALSE;
        for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
            const int res = FillDay(counters, generator, d, i_level, memo);
            if (res == failed)
                b_day_failed = TRUE;
            else if (res != succeeded)
                return res;
        }
        if (PumpMessages())
            return GetUserChoice();
        if (!b_day_failed)
            return succeeded;
    }
    return failed;
}

int BuildEngine::FillDay(SelCounters& counters, Generator& generator, int i_day, int i_level, FillMemo& memo)
{
    const Day& day = pTimetable->GetDay(i_day);
    int n_empty = pTimetable->CountUnfilled(i_day, -1);
    int res = ProgressStep(iStage, "Filling empty slots for day: " + day.GetName(), n_empty, TRUE);
    if (res != succeeded)
        return res;
    if (n_empty == 0)
        return succeeded;
    const GroupList& groups = pDoc->GetGroups();
    BOOL b_room = FALSE;
    for (int g = 0; !b_room && g < groups.GetNumGroups(); ++g)
        b_room = counters.GetDayTotal(g, i_day) < groups[g].GetDayLimits().GetMax();
    if (!b_room)
        return failed;

    // One search object serves every request of the day: each request
    // leaves its marks and flags as it found them (every mark is set
    // under a scope that writes the old byte back), so a request finds
    // the object as a new one would be, without the cost of making one
    // over every cell of the timetable for each empty cell.
    class NoteAtEnd {
    public:
        NoteAtEnd(BuildEngine& engine, const Shuffler& shuffler) : Engine(engine), Search(shuffler) {}
        ~NoteAtEnd() { Engine.NoteSearch(Search); }
        NoteAtEnd(const NoteAtEnd&) = delete;
        NoteAtEnd& operator=(const NoteAtEnd&) = delete;

    private:
        BuildEngine& Engine;
        const Shuffler& Search;
    };
    Shuffler shuffler(this, &generator, &counters, i_level, 0, FALSE);
    const NoteAtEnd note(*this, shuffler);

    const int n_venues = std::min(pDoc->GetNumVenues(), day.GetNumVenues());
    // A request is the same search every time it is made with the
    // timetable as it was (the map, the limits and the locks stay put
    // through the build; only a kept gain changes the cells and the
    // counts). So a request that gained nothing, with no gain kept since,
    // would gain nothing again: each cell notes how many gains had been
    // kept when its request last came back without one, and is passed
    // over while that is still the number. The same holds from level 1 to
    // level 2 for a request whose searches took no turn of their own at
    // level 1: level 2 would walk the very same searches.
    const BOOL b_skips = Shuffler::GetFillSkips();
    std::vector<std::vector<FillNote>>& a_notes = memo.aNotes[static_cast<std::size_t>(i_day)];
    a_notes.resize(static_cast<std::size_t>(n_venues));
    for (int v = 0; v < n_venues; ++v)
        a_notes[static_cast<std::size_t>(v)].resize(static_cast<std::size_t>(day.GetVenueSlots(v).GetSize()));
    const auto b_known_to_fail = [&memo, i_level](const FillNote& note) {
        if (note.uGains != memo.uGains)
            return false;
        return note.iLevel == i_level
            || (i_level == e_complete_2 && note.iLevel == e_complete_1 && note.bSameAtComplete2);
    };
    for (BOOL b_changed = TRUE; b_changed && n_empty > 0;) {
        b_changed = FALSE;
        for (int v = 0; v < n_venues; ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            std::vector<FillNote>& a_cell_notes = a_notes[static_cast<std::size_t>(v)];
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                if (!a_slots[s].IsEmpty())
                    continue;
                FillNote& note = a_cell_notes[static_cast<std::size_t>(s)];
                if (b_skips && b_known_to_fail(note)) {
                    note.iLevel = i_level;
                    if (PumpMessages())
                        return GetUserChoice();
                    continue;
                }
                const auto note_failed = [&note, &memo, &shuffler, i_level](DWORD u_turns_before) {
                    note.uGains = memo.uGains;
                    note.iLevel = i_level;
                    note.bSameAtComplete2 = shuffler.GetComplete1Turns() == u_turns_before;
                };
                const DWORD u_turns_before = shuffler.GetComplete1Turns();
                TTTrans trans(pMover.get(), &counters);
                res = FillAtLevel(shuffler, TTLoc(i_day, v, s), i_level);
                if (res == succeeded) {
                    const int n_now = pTimetable->CountUnfilled(i_day, -1);
                    if (n_now < n_empty) {
                        trans.Commit();
                        n_empty = n_now;
                        b_changed = TRUE;
                        ++memo.uGains;
                        ProgressStepIt();
                    } else {
                        trans.Rollback();
                        note_failed(u_turns_before);
                    }
                } else {
                    trans.Rollback();
                    if (res == failed)
                        note_failed(u_turns_before);
                    if (res == skip)
                        ClearRequests();
                    else if (res != failed)
                        return res;
                }
                // The cells passed over poll fast and set a brisk pace; a
                // search after them polls far less often, so the clock is
                // read after each request that searched.
                Progress.ReadClockNextPoll();
                if (PumpMessages())
                    return GetUserChoice();
            }
        }
    }
    return n_empty == 0 ? succeeded : failed;
}

int BuildEngine::FillOneSlot(SelCounters& counters, Generator& generator, const TTLoc& loc, int i_level)
{
    // The fill keeps what it gains: a trial may not leave a cell it emptied
    // empty.
    Shuffler shuffler(this, &generator, &counters, i_level, 0, FALSE);
    const int res = FillAtLevel(shuffler, loc, i_level);
    NoteSearch(shuffler);
    return res;
}


