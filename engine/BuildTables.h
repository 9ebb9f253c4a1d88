// Facts of the event that a build's searches ask again and again and that
// cannot change while a build runs: which cells of other venues overlap a
// cell in time, which groups share a participant, and the index of a group
// key. They are worked out once when a build has cleared its timetable
// (cell times, the order of each venue's timeslots and the memberships
// stay as they are until the build ends), so that a search step reads a
// table where it used to walk the timeslots, the members and the key index.
//
// Every answer is the one the placement checks work out without the
// tables, in the same order: the overlapping cells of a cell venue by
// venue, each venue's in the order the timeslot array finds them. The
// shared-participant table is a bit per pair of groups and is made only up
// to 8,192 groups; above that, and for any timeslot that is not one of
// the timetable's cells, the generator (which reads the tables once a
// build hands them over, Generator::SetTables) walks as it always did.
#pragma once

#include "engine/TTLoc.h"
#include "framework/Types.h"
#include "model/Timeslot.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CHighTimeSpan;
class Day;
class EventDoc;
class GroupList;

class BuildTables {
public:
    // Made over the document and its timetable as they stand.
    explicit BuildTables(const EventDoc& doc);

    // The cells (venue, slot) of the other venues of the day whose
    // timeslots overlap the timeslot, venue by venue, into a_locs (added).
    // What the tables hold for each cell, and what the placement checks
    // work out for a timeslot the tables do not know.
    static void WorkOutOverlaps(const EventDoc& doc, const Day& day, const Timeslot& slot, TTLocArray& a_locs);

    // A cell of a table's row, on the day of the cell the row is for. A
    // row's timeslots are found through its day's column starts, so that a
    // cell takes four bytes: a large event's rows hold millions of them.
    // (A timetable with a day of more venues or timeslots than 16 bits
    // count has no cell tables.)
    struct DayCell {
        std::uint16_t uVenue;
        std::uint16_t uSlot;
    };
    // The cells a table holds for one cell, in order.
    class Row {
    public:
        Row() = default;
        Row(int i_day, const DayCell* p_cells, int n_cells, const Timeslot* const* p_columns)
            : iDay(i_day), pCells(p_cells), nCells(n_cells), pColumns(p_columns)
        {
        }
        int GetSize() const { return nCells; }
        TTLoc operator[](int i) const { return TTLoc(iDay, pCells[i].uVenue, pCells[i].uSlot); }
        // The timeslot of cell i.
        const Timeslot& GetSlot(int i) const { return pColumns[pCells[i].uVenue][pCells[i].uSlot]; }

    private:
        int iDay = -1;
        const DayCell* pCells = nullptr;
        int nCells = 0;
        // The day's first timeslot of each venue column.
        const Timeslot* const* pColumns = nullptr;
    };

    // The overlapping cells as WorkOutOverlaps gives them, when the
    // timeslot is one of the timetable day's own cells; FALSE for any
    // other timeslot (a copy, a probe).
    bool FindOverlaps(const Day& day, const Timeslot& slot, Row& row) const;
    // The cells of other venues of the timeslot's day that end less than
    // the travel time before its start or start less than the travel time
    // after its end, venue by venue, slot by slot; as FindOverlaps, and
    // only while the tables were made for travel of that many minutes.
    bool FindNear(const Day& day, const Timeslot& slot, UINT u_travel_minutes, Row& row) const;
    // Whether GroupsShare may be asked (not for very many groups).
    bool HasShares() const { return !Shares.empty(); }
    // The same group, or two groups with a participant in common.
    bool GroupsShare(int i_group_a, int i_group_b) const
    {
        const std::size_t u_bit = static_cast<std::size_t>(i_group_a) * static_cast<std::size_t>(nGroups)
            + static_cast<std::size_t>(i_group_b);
        return (Shares[u_bit >> 6] >> (u_bit & 63) & 1) != 0;
    }
    // The group list's index of the key, -1 when it has none.
    int FindGroup(LONG l_key) const
    {
        if (KeyIndex.empty())
            return FindSortedKey(l_key);
        const long long ll_at = static_cast<long long>(l_key) - lFirstKey;
        return ll_at < 0 || ll_at >= static_cast<long long>(KeyIndex.size()) ? -1
                                                                              : KeyIndex[static_cast<std::size_t>(ll_at)];
    }
    int GetNumGroups() const { return nGroups; }
    // The tables were made over this group list.
    bool IsFor(const GroupList& groups) const { return &groups == pGroups; }

private:
    // Where a row stands in its table's blocks.
    struct RowRef {
        const DayCell* pFirst;
        std::int32_t nCells;
    };
    // The rows of one table, each in one piece, in blocks that never move
    // once made: a row is appended cell by cell into room for the most
    // cells it can have, so that the table is made in one pass, without
    // the copies (and the moment of twice its size) of a growing array.
    class RowStore {
    public:
        // Opens a row of at most n_most cells.
        void StartRow(std::size_t n_most);
        void Add(int i_venue, int i_slot)
        {
            *pEnd++ = DayCell{static_cast<std::uint16_t>(i_venue), static_cast<std::uint16_t>(i_slot)};
        }
        // Closes the row opened last.
        void EndRow() { Rows.push_back(RowRef{pRowStart, static_cast<std::int32_t>(pEnd - pRowStart)}); }
        const RowRef& GetRow(std::size_t i_row) const { return Rows[i_row]; }

    private:
        static constexpr std::size_t kBlockCells = 64 * 1024;
        std::vector<std::unique_ptr<DayCell[]>> Blocks;
        DayCell* pRowStart = nullptr;
        DayCell* pEnd = nullptr;
        DayCell* pBlockEnd = nullptr;
        std::vector<RowRef> Rows;
    };

    // The cell's place in the tables; FALSE for a timeslot that is not one
    // of the day's cells.
    bool FindCell(const Day& day, const Timeslot& slot, std::size_t& i_cell) const;
    Row RowOf(int i_day, const RowStore& store, std::size_t i_cell) const;
    int FindSortedKey(LONG l_key) const;
    // Adds the cells near the timeslot in travel time to the open row.
    void AddNear(const EventDoc& doc, const Day& day, const Timeslot& slot, const CHighTimeSpan& travel);

    // The timetable's days, to know a day's cells from others.
    std::vector<const Day*> Days;
    // Each cell's overlaps, by day, by venue column, by slot.
    RowStore Overlaps;
    // The same for the cells near in travel time, while travel is allowed.
    bool bTravel = false;
    UINT uTravelMinutes = 0;
    RowStore Near;
    // Per day and venue column: where its cells start among the rows, how
    // many it has, and its first timeslot.
    std::vector<std::vector<std::size_t>> ColumnStart;
    std::vector<std::vector<int>> ColumnSize;
    std::vector<std::vector<const Timeslot*>> ColumnSlots;
    const GroupList* pGroups;
    int nGroups = 0;
    // A bit per pair of groups, row by row.
    std::vector<std::uint64_t> Shares;
    // Group indexes by key, from the smallest key; -1 for a key no group
    // has. Keys too spread out for that are looked up in SortedKeys.
    LONG lFirstKey = 0;
    std::vector<int> KeyIndex;
    std::vector<std::pair<LONG, int>> SortedKeys;
};
