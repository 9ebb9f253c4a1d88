// The search's state: the exclusion bytes, the limits on the search, and
// the small helpers the searches share.
#include "engine/BuildTables.h"
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/ShufflerScopes.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"

#include <algorithm>

// ---- exclusion bytes ----

void Shuffler::ExcludeFlags::Init(const Timetable& timetable, int n_venues)
{
    nVenues = n_venues;
    Columns.clear();
    std::size_t n_bytes = 0;
    for (int d = 0; d < timetable.GetNumDays(); ++d) {
        const Day& day = timetable.GetDay(d);
        for (int v = 0; v < n_venues; ++v) {
            const int n_slots = v < day.GetNumVenues() ? day.GetVenueSlots(v).GetSize() : 0;
            Columns.push_back({n_bytes, n_slots});
            n_bytes += static_cast<std::size_t>(n_slots);
        }
    }
    Bytes.assign(n_bytes, 0);
}

std::size_t Shuffler::ExcludeFlags::KeepBytes(const TTLocArray& a_locs)
{
    const std::size_t u_mark = Kept.size();
    // The cells read in place (the loop's bound is the list's size).
    const TTLoc* p_locs = a_locs.GetData();
    const int n_locs = a_locs.GetSize();
    for (int i = 0; i < n_locs; ++i) {
        const std::size_t u_at = Index(p_locs[i]);
        Kept.emplace_back(u_at, Bytes[u_at]);
    }
    return u_mark;
}

void Shuffler::ExcludeFlags::WriteBack(std::size_t u_mark)
{
    // Written back last first, so that a cell listed twice ends with the
    // byte it had before the first.
    while (Kept.size() > u_mark) {
        Bytes[Kept.back().first] = Kept.back().second;
        Kept.pop_back();
    }
}

// ---- the object ----

Shuffler::Shuffler(BuildEngine* p_engine, Generator* p_generator, SelCounters* p_counters, int i_mode,
                   UINT u_depth_limit, BOOL b_empty_cells_allowed)
    : pEngine(p_engine),
      pGenerator(p_generator),
      pCounters(p_counters),
      pDoc(p_engine->GetDoc()),
      pTimetable(p_engine->GetTimetable()),
      pMap(p_engine->GetMap()),
      pMover(p_engine->GetMover()),
      bEmptyCellsAllowed(b_empty_cells_allowed),
      iMode(i_mode)
{
    pDocTimetable = pDoc->GetTimetable();
    const int n_venues = pDoc->GetNumVenues();
    Exclude.Init(*pTimetable, n_venues);
    Protected.assign(static_cast<std::size_t>(pDoc->GetGroups().GetNumGroups()), 0);

    if (pMap != nullptr && pMap->GetTimetable() == pTimetable)
        pCellMap = pMap;
    if (pCellMap != nullptr) {
        nCellDays = pCellMap->GetNumColumnDays();
        nCellVenues = pCellMap->GetNumColumnVenues();
        CellColumns.resize(static_cast<std::size_t>(nCellDays) * nCellVenues);
        for (std::uint32_t d = 0; d < nCellDays; ++d) {
            for (std::uint32_t v = 0; v < nCellVenues; ++v) {
                const TimeslotArray* p_column = pCellMap->GetColumn(d, v);
                if (p_column == nullptr || p_column->GetSize() <= 0)
                    continue;
                CellColumn& column = CellColumns[static_cast<std::size_t>(d) * nCellVenues + v];
                column.pSlots = p_column->GetData();
                column.nSlots = static_cast<std::uint32_t>(p_column->GetSize());
            }
        }
    }
    pGroupList = &pDoc->GetGroups();
    nGroups = pGroupList->GetNumGroups();
    pGroupData = nGroups > 0 ? &pDoc->GetGroups()[0] : nullptr;
    Limits.resize(static_cast<std::size_t>(nGroups));
    for (int g = 0; g < nGroups; ++g) {
        const Group& group = pGroupData[g];
        GroupLimits& limits = Limits[static_cast<std::size_t>(g)];
        limits.uEventMin = group.GetEventLimits().GetMin();
        limits.uEventMax = group.GetEventLimits().GetMax();
        limits.uDayMin = group.GetDayLimits().GetMin();
        limits.uDayMax = group.GetDayLimits().GetMax();
    }
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        const Day& day = pTimetable->GetDay(d);
        const int n_columns = std::min(n_venues, day.GetNumVenues());
        for (int v = 0; v < n_columns; ++v)
            uTotalCells += static_cast<UINT>(day.GetVenueSlots(v).GetSize());
    }

    if (u_depth_limit != 0) {
        uDepthLimit = u_depth_limit;
    } else if (iMode == BuildEngine::e_complete_1 || iMode == BuildEngine::e_complete_2) {
        uDepthLimit = uTotalCells;
    } else {
        // Half the groups; with one group that would be 0 and every step
        // would fail at once, so never less than one level.
        uDepthLimit = std::max<UINT>(1, static_cast<UINT>(pDoc->GetGroups().GetNumGroups()) / 2);
    }
    pEngine->SetDepthMax(uTotalCells);
}

Shuffler::~Shuffler() = default;

int Shuffler::GetFillDepths(UINT u_depth_limit, UINT a_depths[2])
{
    int n_depths = 0;
    if (u_depth_limit > 4)
        a_depths[n_depths++] = 4;
    a_depths[n_depths++] = u_depth_limit;
    return n_depths;
}

// ---- helpers ----

int Shuffler::FindGroupByKey(LONG l_key) const
{
    return pDoc->GetGroups().FindByKey(l_key);
}

const Timeslot& Shuffler::CheckedSlotAt(const TTLoc& loc) const
{
    ZEL_ASSERT(loc.IsValid() && loc.GetDay() < pTimetable->GetNumDays());
    const Day& day = pTimetable->GetDay(loc.GetDay());
    ZEL_ASSERT(loc.GetVenue() < day.GetNumVenues());
    const TimeslotArray& a_slots = day.GetVenueSlots(loc.GetVenue());
    ZEL_ASSERT(loc.GetSlot() < a_slots.GetSize());
    return a_slots[loc.GetSlot()];
}

const VenueLimit* Shuffler::FindVenueLimit(int i_group, int i_venue) const
{
    return GetGroup(i_group).GetVenueLimit(pDoc->GetVenues().GetVenue(i_venue).GetKey());
}

BOOL Shuffler::RulesAccept(int i_group, const TTLoc& loc) const
{
    const Group& group = GetGroup(i_group);
    const Timeslot& slot = SlotAt(loc);
    return pGenerator->CheckVenueRules(pDoc, group, slot, FALSE) && pGenerator->CheckDayRules(pDoc, group, slot, FALSE)
        ? TRUE
        : FALSE;
}

void Shuffler::ShowGroup(int i_group)
{
    pEngine->SetPlacingGroup(GetGroup(i_group).GetName());
}

void Shuffler::CopyTotals(int i_group, ZelArray<UINT>& a_day_counts, ZelArray<UINT>& a_venue_counts,
                          UINT& u_event_count) const
{
    const GroupCount& counts = pCounters->GetGroupCount(i_group);
    // Called for every trial with the arrays of the trial before, which
    // are already of the size: the copy only writes the numbers.
    a_day_counts.Copy(counts.DayCounts);
    // The venue counts are read back only for a group that uses venue
    // limits (see RestoreCounts); for any other group the array is left as
    // it is, unread.
    if (GetGroup(i_group).GetUseVenueLimits())
        a_venue_counts.Copy(counts.VenueCounts);
    u_event_count = counts.uTotal;
}
