#include "engine/BuildTables.h"

#include "engine/BusyPump.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"

#include <algorithm>
#include <utility>

namespace {

// Above this many groups the share table (a bit per pair, 8 MB at this
// many) would take more memory than it saves time: the members are
// compared as before.
constexpr int kMaxSharedGroups = 8192;

// A table's cell keeps its venue and timeslot in 16 bits each.
bool CellsFit(const Timetable& timetable)
{
    constexpr int kMost = 0x10000;
    for (int d = 0; d < timetable.GetNumDays(); ++d) {
        const Day& day = timetable.GetDay(d);
        if (day.GetNumVenues() > kMost)
            return false;
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            if (day.GetVenueSlots(v).GetSize() > kMost)
                return false;
        }
    }
    return true;
}

} // namespace

void BuildTables::WorkOutOverlaps(const EventDoc& doc, const Day& day, const Timeslot& slot, TTLocArray& a_locs)
{
    ZelArray<int> a_found;
    const int n_venues = std::min(day.GetNumVenues(), doc.GetNumVenues());
    for (int v = 0; v < n_venues; ++v) {
        if (v == slot.GetVenue())
            continue;
        a_found.RemoveAll();
        day.GetVenueSlots(v).FindOverlappingTimes(slot.GetStartOffset(), slot.GetEndOffset(), a_found);
        for (int i = 0; i < a_found.GetSize(); ++i)
            a_locs.Add(TTLoc(day.GetDayIndex(), v, a_found[i]));
    }
}

void BuildTables::RowStore::StartRow(std::size_t n_most)
{
    if (static_cast<std::size_t>(pBlockEnd - pEnd) < n_most) {
        // Room for several rows of a day of many cells: a row's bound is
        // what a block may leave unused at its end, a quarter at most.
        const std::size_t n_cells = std::max(kBlockCells, 4 * n_most);
        Blocks.push_back(std::make_unique_for_overwrite<DayCell[]>(n_cells));
        pEnd = Blocks.back().get();
        pBlockEnd = pEnd + n_cells;
    }
    pRowStart = pEnd;
}

void BuildTables::AddNear(const EventDoc& doc, const Day& day, const Timeslot& slot, const CHighTimeSpan& travel)
{
    const int n_venues = std::min(day.GetNumVenues(), doc.GetNumVenues());
    for (int v = 0; v < n_venues; ++v) {
        if (v == slot.GetVenue())
            continue;
        const TimeslotArray& a_slots = day.GetVenueSlots(v);
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            const Timeslot& other = a_slots[s];
            const bool b_before =
                other.GetEndOffset() <= slot.GetStartOffset() && slot.GetStartOffset() - other.GetEndOffset() < travel;
            const bool b_after =
                other.GetStartOffset() >= slot.GetEndOffset() && other.GetStartOffset() - slot.GetEndOffset() < travel;
            if (b_before || b_after)
                Near.Add(v, s);
        }
    }
}

BuildTables::BuildTables(const EventDoc& doc) : pGroups(&doc.GetGroups())
{
    const GroupList& groups = doc.GetGroups();
    nGroups = groups.GetNumGroups();

    const Timetable* p_timetable = doc.GetTimetable();
    if (p_timetable != nullptr && CellsFit(*p_timetable)) {
        TTLocArray a_locs;
        std::size_t n_cells = 0;
        bTravel = doc.GetPreferences().GetAllowTravel() != FALSE;
        uTravelMinutes = doc.GetPreferences().GetTravelMinutes();
        const CHighTimeSpan travel(0, 0, static_cast<std::int32_t>(uTravelMinutes));
        for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
            const Day& day = p_timetable->GetDay(d);
            Days.push_back(&day);
            std::vector<std::size_t>& column_starts = ColumnStart.emplace_back();
            std::vector<int>& column_sizes = ColumnSize.emplace_back();
            std::vector<const Timeslot*>& column_slots = ColumnSlots.emplace_back();
            // A row holds at most every cell of the day.
            std::size_t n_day_cells = 0;
            for (int v = 0; v < day.GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                n_day_cells += static_cast<std::size_t>(a_slots.GetSize());
                column_slots.push_back(a_slots.GetSize() > 0 ? &a_slots[0] : nullptr);
            }
            for (int v = 0; v < day.GetNumVenues(); ++v) {
                BusyPump::Poll();
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                column_starts.push_back(n_cells);
                column_sizes.push_back(a_slots.GetSize());
                for (int s = 0; s < a_slots.GetSize(); ++s) {
                    a_locs.RemoveAll();
                    WorkOutOverlaps(doc, day, a_slots[s], a_locs);
                    Overlaps.StartRow(static_cast<std::size_t>(a_locs.GetSize()));
                    for (int i = 0; i < a_locs.GetSize(); ++i)
                        Overlaps.Add(a_locs[i].GetVenue(), a_locs[i].GetSlot());
                    Overlaps.EndRow();
                    if (bTravel) {
                        Near.StartRow(n_day_cells);
                        AddNear(doc, day, a_slots[s], travel);
                        Near.EndRow();
                    }
                    ++n_cells;
                }
            }
        }
    }

    if (nGroups <= kMaxSharedGroups) {
        // Groups by member key; each key's groups share it pairwise.
        std::vector<std::pair<LONG, int>> v_members;
        for (int g = 0; g < nGroups; ++g) {
            const GroupMembers& members = groups[g].GetMembers();
            for (int m = 0; m < members.GetSize(); ++m)
                v_members.emplace_back(members[m].lParticipantKey, g);
        }
        std::sort(v_members.begin(), v_members.end());
        v_members.erase(std::unique(v_members.begin(), v_members.end()), v_members.end());
        const std::size_t n = static_cast<std::size_t>(nGroups);
        Shares.assign((n * n + 63) / 64 + 1, 0);
        auto set = [&](std::size_t a, std::size_t b) {
            const std::size_t u_bit = a * n + b;
            Shares[u_bit >> 6] |= std::uint64_t{1} << (u_bit & 63);
        };
        for (std::size_t g = 0; g < n; ++g)
            set(g, g);
        for (std::size_t i = 0; i < v_members.size();) {
            std::size_t j = i;
            while (j < v_members.size() && v_members[j].first == v_members[i].first)
                ++j;
            for (std::size_t a = i; a < j; ++a) {
                for (std::size_t b = i; b < j; ++b)
                    set(static_cast<std::size_t>(v_members[a].second), static_cast<std::size_t>(v_members[b].second));
            }
            i = j;
        }
    }

    // Each key's index as the group list gives it.
    for (int g = 0; g < nGroups; ++g) {
        const LONG l_key = groups[g].GetKey();
        if (l_key >= 0)
            SortedKeys.emplace_back(l_key, groups.FindByKey(l_key));
    }
    std::sort(SortedKeys.begin(), SortedKeys.end());
    SortedKeys.erase(std::unique(SortedKeys.begin(), SortedKeys.end()), SortedKeys.end());
    if (!SortedKeys.empty()) {
        const long long ll_span = static_cast<long long>(SortedKeys.back().first) - SortedKeys.front().first + 1;
        if (ll_span <= 4LL * nGroups + 1024) {
            lFirstKey = SortedKeys.front().first;
            KeyIndex.assign(static_cast<std::size_t>(ll_span), -1);
            for (const auto& [l_key, i_index] : SortedKeys)
                KeyIndex[static_cast<std::size_t>(l_key - lFirstKey)] = i_index;
            SortedKeys.clear();
        }
    }
}

bool BuildTables::FindCell(const Day& day, const Timeslot& slot, std::size_t& i_cell) const
{
    const int i_day = day.GetDayIndex();
    const int i_venue = slot.GetVenue();
    if (i_day < 0 || static_cast<std::size_t>(i_day) >= Days.size() || Days[static_cast<std::size_t>(i_day)] != &day
        || i_venue < 0 || i_venue >= day.GetNumVenues())
        return false;
    const std::size_t u_day = static_cast<std::size_t>(i_day);
    const std::size_t u_venue = static_cast<std::size_t>(i_venue);
    if (u_venue >= ColumnSize[u_day].size())
        return false;
    // Only a cell of the column itself: a timeslot elsewhere has no row.
    const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
    const int n_slots = ColumnSize[u_day][u_venue];
    if (a_slots.GetSize() != n_slots || n_slots == 0)
        return false;
    const Timeslot* p_first = &a_slots[0];
    if (&slot < p_first || &slot >= p_first + n_slots)
        return false;
    i_cell = ColumnStart[u_day][u_venue] + static_cast<std::size_t>(&slot - p_first);
    return true;
}

BuildTables::Row BuildTables::RowOf(int i_day, const RowStore& store, std::size_t i_cell) const
{
    const RowRef& row = store.GetRow(i_cell);
    return Row(i_day, row.pFirst, row.nCells, ColumnSlots[static_cast<std::size_t>(i_day)].data());
}

bool BuildTables::FindOverlaps(const Day& day, const Timeslot& slot, Row& row) const
{
    std::size_t i_cell = 0;
    if (!FindCell(day, slot, i_cell))
        return false;
    row = RowOf(day.GetDayIndex(), Overlaps, i_cell);
    return true;
}

bool BuildTables::FindNear(const Day& day, const Timeslot& slot, UINT u_travel_minutes, Row& row) const
{
    std::size_t i_cell = 0;
    if (!bTravel || u_travel_minutes != uTravelMinutes || !FindCell(day, slot, i_cell))
        return false;
    row = RowOf(day.GetDayIndex(), Near, i_cell);
    return true;
}

int BuildTables::FindSortedKey(LONG l_key) const
{
    const auto it = std::lower_bound(SortedKeys.begin(), SortedKeys.end(), std::make_pair(l_key, INT32_MIN));
    return it != SortedKeys.end() && it->first == l_key ? it->second : -1;
}
