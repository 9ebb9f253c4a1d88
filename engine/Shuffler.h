// The search object of the build engine. The build passes make one on the
// stack for each single request of a build (raise this group's count on
// this day, fill this cell, take this chunk out), call one entry point and
// let it go. It places, takes out and re-places groups through the
// engine's mover inside transactions, so that every trial can be rolled
// back; it reads, and keeps in step, the build's selection counters, and
// consults the build map.
//
// The searches call one another recursively: raising a group places it in
// a chunk; the placement commit takes out what is in the way; the groups it
// displaces are raised again, and the cells a trial emptied are filled by
// the cell search. Each search step (a raising step, a cell search, the
// placement of a group into one cell) goes one level deeper; beyond the
// depth limit a step fails at once, and at every step the stack guard
// makes sure the thread's stack is not running out.
//
// Exclusion bytes, one per cell, keep one search from undoing its own
// work: a cell "tried" is not used again as a conflict cell or a target in
// the present search; a cell with a group just "placed here" does not have
// its chunk taken out again. Groups are "protected" while a step re-places
// what it displaced. Every mark a trial sets is written back when it ends,
// whichever way it ends (an exception passing included), and so are the
// group target, the protected flags and the counts saved for a trial.
//
// Within one raising step nothing that failed is tried again from the
// same state: a later attempt passes over the chunks of empty cells an
// earlier one tried with the same repair flag, and the swap strategy (and
// the moves of mode 2, with the same repair flag) is not called again
// after it failed. Every trial between is rolled back, so the repeat would
// walk the same trials and fail again; only its steps and polls are saved.
// The placement trials list a chunk's cells in lists the shuffler lends for
// a scope (one per trial in progress) and copy the group's totals into the
// arrays of the trial before, so a step allocates little.
//
// Every search operation answers with the engine's result codes: 0 not
// found (nothing changed), 1 succeeded (the change is in the caller's
// transaction), 2 Stop, 3 Cancel, 4 the time limit, 5 Skip. A code above 1
// ends the loops around it and goes up unchanged.
//
// Nothing here reads the clock (the engine's pump and throttles do) and no
// choice walks a hash container: the same event, options and answers give
// the same moves.
#pragma once

#include "engine/Generator.h"
#include "engine/TTLoc.h"
#include "engine/TTMap.h"
#include "engine/Transaction.h"
#include "model/Group.h"
#include "model/Timeslot.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelAssert.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class BuildEngine;
class EventDoc;
class Generator;
class Group;
class GroupList;
class SelCounters;
class TTMove;
class Timetable;
class VenueLimit;

class Shuffler {
public:
    // The exclusion bits of a cell.
    enum : BYTE {
        // Used as a conflict cell or as the target of a move in the present
        // search: the conflict search passes it over.
        e_tried = 1,
        // A group was just placed here by the present search step: its
        // chunk may not be taken out again.
        e_placed_here = 2,
    };

    // Option bits of RemoveChunk.
    enum : UINT {
        // Stop where taking a cell out would leave the group's day total
        // below its day minimum.
        e_keep_day_min = 1,
        // The same for the group's venue total and the venue's minimum.
        e_keep_venue_min = 2,
        // Pass over the locked cells of the chunk instead of failing.
        e_skip_locked = 4,
        // Fail when the removal leaves the group without a venue its
        // rotation had it use.
        e_keep_rotation = 8,
    };

    // One byte per cell: per timetable day, per venue of the document, per
    // timeslot of that venue on that day. All 0 when made.
    class ExcludeFlags {
    public:
        ExcludeFlags() = default;
        // Sized for the timetable's days and the first n_venues venue
        // columns of each day, every byte 0.
        void Init(const Timetable& timetable, int n_venues);

        BYTE Get(int i_day, int i_venue, int i_slot) const { return Bytes[Index(i_day, i_venue, i_slot)]; }
        void Set(int i_day, int i_venue, int i_slot, BYTE u_flags) { Bytes[Index(i_day, i_venue, i_slot)] = u_flags; }
        BYTE Get(const TTLoc& loc) const { return Get(loc.GetDay(), loc.GetVenue(), loc.GetSlot()); }
        void Set(const TTLoc& loc, BYTE u_flags) { Set(loc.GetDay(), loc.GetVenue(), loc.GetSlot(), u_flags); }
        void SetTried(const TTLoc& loc) { Bytes[Index(loc)] |= e_tried; }
        void SetPlacedHere(const TTLoc& loc) { Bytes[Index(loc)] |= e_placed_here; }
        BOOL IsNotTried(const TTLoc& loc) const { return (Get(loc) & e_tried) == 0 ? TRUE : FALSE; }
        BOOL IsPlacedHere(const TTLoc& loc) const { return (Get(loc) & e_placed_here) != 0 ? TRUE : FALSE; }

        // Every byte, day by day, venue by venue, slot by slot.
        const std::vector<BYTE>& GetBytes() const { return Bytes; }

        // Keeps the bytes of the cells on a stack of saved bytes; returns
        // the mark to write them back from. Write-backs go last saved
        // first, as the scopes that keep bytes end.
        std::size_t KeepBytes(const TTLocArray& a_locs);
        void WriteBack(std::size_t u_mark);

    private:
        // Read for every mark a trial sets or tests: kept in line.
        std::size_t Index(int i_day, int i_venue, int i_slot) const
        {
            ZEL_ASSERT(i_day >= 0 && i_venue >= 0 && i_venue < nVenues);
            const std::size_t u_column = static_cast<std::size_t>(i_day) * static_cast<std::size_t>(nVenues)
                + static_cast<std::size_t>(i_venue);
            ZEL_ASSERT(u_column < Columns.size());
            const Column& column = Columns[u_column];
            ZEL_ASSERT(i_slot >= 0 && i_slot < column.nSize);
            return column.uStart + static_cast<std::size_t>(i_slot);
        }
        std::size_t Index(const TTLoc& loc) const { return Index(loc.GetDay(), loc.GetVenue(), loc.GetSlot()); }

        int nVenues = 0;
        // Where each day's venue column starts in Bytes, and its length:
        // side by side, as every mark reads both.
        struct Column {
            std::size_t uStart;
            int nSize;
        };
        std::vector<Column> Columns;
        std::vector<BYTE> Bytes;
        // The saved bytes of the scopes still open: where each was, and
        // what it held.
        std::vector<std::pair<std::size_t, BYTE>> Kept;
    };

    // Keeps the bytes of the listed cells and writes them back when it
    // ends, so that the marks set during one trial vanish with it.
    class SaveExclude {
    public:
        // Every placement trial keeps its cells' bytes: in line.
        SaveExclude(const TTLocArray& a_locs, ExcludeFlags& flags) : Flags(flags), uMark(flags.KeepBytes(a_locs)) {}
        ~SaveExclude() { Flags.WriteBack(uMark); }
        SaveExclude(const SaveExclude&) = delete;
        SaveExclude& operator=(const SaveExclude&) = delete;

    private:
        ExcludeFlags& Flags;
        std::size_t uMark;
    };

    // The limit the present raising request aims at; the counts a trial may
    // not lower for that group are judged by it.
    class GroupTarget {
    public:
        int GetGroup() const { return iGroup; }
        BOOL IsEvent() const { return bEvent; }
        UINT GetEventMin() const { return uEventMin; }
        int GetDay() const { return iDay; }
        UINT GetDayMin() const { return uDayMin; }
        int GetVenue() const { return iVenue; }
        UINT GetVenueMin() const { return uVenueMin; }

        int iGroup = -1;
        BOOL bEvent = FALSE;
        UINT uEventMin = 0;
        int iDay = -1;
        UINT uDayMin = 0;
        int iVenue = -1;
        UINT uVenueMin = 0;
    };

    // A group a trial took out of the timetable whose minimum must be made
    // good again: the day, venue or event minimum the removal broke, and
    // the totals at the time of the removal.
    class Replace {
    public:
        Replace() = default;
        virtual ~Replace() = default;
        Replace(const Replace&) = default;
        Replace& operator=(const Replace&) = default;

        int iGroup = -1;
        // The day (venue) whose minimum the removal broke, or -1.
        int iDay = -1;
        int iVenue = -1;
        UINT uDayCount = 0;
        UINT uVenueCount = 0;
        // The event total when the removal broke the event minimum, else -1.
        LONG lEventCount = -1;
    };
    using ReplaceArray = ZelArray<Replace>;

    // A group's total on one day; ordered and compared by the count alone,
    // so that a sorted array of them orders the days by the group's totals.
    class DayCounters {
    public:
        DayCounters() = default;
        DayCounters(UINT u_count, std::int32_t i_day) : uCount(u_count), iDay(i_day) {}

        bool operator<(const DayCounters& other) const { return uCount < other.uCount; }
        bool operator==(const DayCounters& other) const { return uCount == other.uCount; }

        UINT uCount = 0;
        std::int32_t iDay = -1;
    };

    // The conflict cells of each cell of a placement, in the same order; an
    // empty entry (or none) means no conflict cell.
    using ConflictList = ZelArray<TTLocArray>;

    // A search over the engine's timetable, map and mover with the build's
    // placement checks and counters, in search mode 0 ("Thorough"), 1
    // ("Complete 1") or 2 ("Complete 2"). The depth limit is the one given,
    // or when it is 0: the number of cells in modes 1 and 2, half the
    // number of groups (at least 1) in mode 0. Without b_empty_cells_allowed
    // a placement may not leave a cell it emptied empty. The number of
    // cells becomes the range of the progress window's depth bar.
    Shuffler(BuildEngine* p_engine, Generator* p_generator, SelCounters* p_counters, int i_mode,
             UINT u_depth_limit, BOOL b_empty_cells_allowed);
    virtual ~Shuffler();
    Shuffler(const Shuffler&) = delete;
    Shuffler& operator=(const Shuffler&) = delete;

    int GetMode() const { return iMode; }
    UINT GetTotalCells() const { return uTotalCells; }
    UINT GetDepthLimit() const { return uDepthLimit; }
    void SetDepthLimit(UINT u_limit) { uDepthLimit = u_limit; }
    UINT GetDepth() const { return uDepth; }
    // Search steps taken, and the deepest level reached.
    DWORD GetSteps() const { return uSteps; }
    UINT GetDeepest() const { return uDeepest; }
    // In mode 1: how many times a search took a turn that mode 2 would not
    // have taken (a clash group at a minimum, a cell with more than one
    // clash, a raise that would have gone on to move the group between
    // days or venues). Mode is read nowhere else where the two differ, so
    // a search that made no such turn is the very search mode 2 makes from
    // the same timetable.
    DWORD GetComplete1Turns() const { return uComplete1Turns; }
    BOOL IsEmptyCellsAllowed() const { return bEmptyCellsAllowed; }

    ExcludeFlags& GetExclude() { return Exclude; }
    const ExcludeFlags& GetExclude() const { return Exclude; }
    DWORD GetProtected(int i_group) const { return Protected[static_cast<std::size_t>(i_group)]; }
    void SetProtected(int i_group, DWORD u_flag) { Protected[static_cast<std::size_t>(i_group)] = u_flag; }
    const GroupTarget& GetGroupTarget() const { return Target; }

    // The depth limits the fill-cell entry runs with, in order: 4 first
    // when the limit is above 4, then the limit. Returns how many (1 or 2).
    static int GetFillDepths(UINT u_depth_limit, UINT a_depths[2]);

    // The fill leaves out the requests it can tell will fail (a cell no
    // group can start into, a request that failed with nothing changed
    // since, at level 1 or, without a turn of mode 1, at level 2): on
    // unless turned off, which only the comparisons of the
    // benchmark and the tests do, to show that the timetables stay the
    // same. One switch for the process.
    static void SetFillSkips(BOOL b_on) { bFillSkips = b_on; }
    static BOOL GetFillSkips() { return bFillSkips; }

    // ---- raising a group to its minimums ----

    // Brings the group's event total (day total, venue total) to the
    // target: one more placement of that kind, every other group keeping
    // what its minimums need, nothing broken. The chunk out is where the
    // group went.
    int RaiseEventCount(int i_group, UINT u_min_count);
    int RaiseDayCount(int i_group, int i_day, UINT u_min_count, Chunk& chunk);
    int RaiseVenueCount(int i_group, int i_venue, UINT u_min_count, Chunk& chunk);
    int RaiseDayAndVenueCount(int i_group, int i_day, UINT u_min_day_count, int i_venue, UINT u_min_venue_count);
    // After a placement that may have taken the group's other placements
    // away: raises its day totals (and venue totals, or its event total)
    // back to the saved ones, each no higher than its minimum (the group
    // target's where this is the target group). The chunk's cells are
    // marked placed-here meanwhile.
    int RestoreCounts(int i_group, const Chunk& chunk, const ZelArray<UINT>& a_day_counts,
                      const ZelArray<UINT>& a_venue_counts, UINT u_event_count);

    // ---- the cell search and chunk moves ----

    // Fills the empty cell: the cell search with depth limit 4 first (when
    // the limit is above 4), then with the full limit; a Skip during a run
    // goes on with the next. With b_allow_moving_others a group at its day
    // or event maximum may give up one of its own placements.
    int FillCell(int i_day, int i_venue, int i_slot, BOOL b_allow_moving_others);
    // One step of the cell search for the empty cell: every group the map
    // allows there, every chunk through the cell.
    int ShuffleSearch(const TTLoc& loc, BOOL b_allow_moving_others);
    // Some group the map allows in the empty cell gets past the first
    // tests of the cell search without giving up a placement of its own;
    // FALSE when none can, and the search of the cell without
    // b_allow_moving_others fails without changing anything.
    BOOL CanAnyGroupStart(const TTLoc& loc) const;
    // Takes the group's placed chunk through the cell out (the group in the
    // cell for -1). Sets b_found once the group is known and b_removed when
    // the given cell was taken out; appends to the list the minimums each
    // removal broke. Returns the number of cells taken out, 0 on failure
    // (nothing changed).
    int RemoveChunk(int i_group, const TTLoc& loc, BOOL& b_removed, BOOL& b_found, ReplaceArray* p_replace,
                    UINT u_options);
    // Places the group into the chunk, taking out what is in the way: the
    // cells' occupants, and in modes 1 and 2 the clashing groups of other
    // venues (their removals appended to the list).
    int PlaceInChunk(int i_group, const Chunk& chunk, ReplaceArray& a_replace);
    // The variant of the second raising strategy: the clashing group of
    // each cell (one, or in mode 2 any number) gives up its cell to the
    // occupant, which moves there, instead of being taken out first.
    int PlaceInChunkWithConflicts(int i_group, const Chunk& chunk);
    // Takes out one placement of the group: on the day, or on the days
    // from the one with the highest total down (-1). 1 when one went.
    int FreeOwnPlacement(int i_group, ReplaceArray& a_replace, int i_day);
    // The group's run at the chunk's last cell reaches the smallest chunk
    // of its venue; the chunk's other cells are empty.
    BOOL IsChunkComplete(int i_group, LONG l_group_key, const Chunk& chunk) const;
    // Whether every locked cell can be completed into a chunk of its
    // group's allowed lengths (placing the group around it where needed):
    // 1, or the first other result with the cell's group, day and venue.
    int CheckLockedCells(int& i_group, int& i_day, int& i_venue);
    // Completes the chunks around the locked cells of the displaced groups
    // of the list.
    int RepairLockedChunks(const ReplaceArray& a_replace);
    // Raises the displaced groups of the list back to the totals their
    // removal broke (no higher than their minimums), last record first.
    int MakeGoodReplacements(const ReplaceArray& a_replace);

    // ---- the placement commit and conflict moves ----

    // Puts the group into the cells one at a time, clearing what is in the
    // way, then re-places the displaced groups. With b_all_cells 0 a cell
    // already holding the group is passed over. Works on its own copy of
    // the replacement list.
    int CommitPlacement(int i_group, const TTLocArray& a_locs, BOOL b_all_cells, const ReplaceArray& a_replace_in,
                        const ConflictList* p_conflicts);
    // The group into one cell, clearing the placements whose participants
    // have no room left when participants are counted (outside mode 0).
    // A conflict cell (or none: an invalid TTLoc) makes the put-in a swap.
    int PlaceInCell(int i_group, const TTLoc& loc, ReplaceArray& a_replace, const TTLoc& conflict_loc);
    // The group into the try cell: the occupant and placements too near in
    // travel time taken out, or with a conflict cell the conflict cell's
    // group taken out and the occupant moved into it.
    int PlaceInTryCell(int i_group, const TTLoc& try_loc, ReplaceArray& a_replace, const TTLoc& conflict_loc);
    // Takes out the chunks through the first n cells, passing over the
    // conflict cell, the target cell (which holds the target group) and
    // empty cells. 1 when every cell was cleared.
    int ClearCells(int n, const TTLocArray& a_locs, ReplaceArray& a_replace, int i_target_group, const TTLoc& target_loc,
                   const TTLoc& conflict_loc);
    // The cell with two or more conflict cells: each in turn is the one the
    // occupant moves into, the chunks through the others taken out.
    int PlaceWithConflicts(int i_group, const TTLoc& loc, const TTLocArray& a_conflicts);
    // The group into the empty cell, in a chunk shaped from it.
    int MoveIntoCell(int i_group, const TTLoc& loc);
    // One search step: the group into the cell of the chunk.
    int PlaceInOneCell(int i_group, const TTLoc& loc, const Chunk& chunk);

private:
    using TTTrans = Transaction<TTMove, TTLocArray>;
    class StepScope;
    class ProtectScope;
    template <class T>
    struct ScratchPool {
        std::vector<std::unique_ptr<T>> Items;
        std::size_t nLent = 0;
    };
    template <class T>
    class Scratch;
    using ScratchLocs = Scratch<TTLocArray>;
    // n_lists empty lists (of storage kept from earlier trials).
    static void EmptyLists(ConflictList& a_lists, int n_lists);
    class TargetScope;

    // ---- raising ----
    int RaiseRequest(int i_group, int i_day, int i_venue, Chunk* p_chunk);
    int RaiseStep(int i_group, int i_day, int i_venue, Chunk* p_chunk);
    // What failed in one raising step, and fails again when tried again
    // from the same state: the chunks of empty cells (with the repair flag
    // they were tried with), the second and the third strategy.
    struct LaterStrategies {
        bool bEmptyChunksFailed = false;
        BOOL bEmptyNoRepair = FALSE;
        bool bConflictsFailed = false;
        bool bMovesFailed = false;
        BOOL bMovesNoRepair = FALSE;
    };
    int TryPlacement(int i_group, int i_day, int i_venue, BOOL b_full_list, BOOL b_no_repair, Chunk* p_chunk,
                     LaterStrategies& later);
    BOOL IsCandidate(int i_group, const Chunk& chunk, BOOL b_full_list) const;
    // No cell of the chunk holds a group. (In line: the candidate test
    // asks it of most chunks it sees.)
    bool AreCellsEmpty(const Chunk& chunk) const
    {
        for (int i = 0; i < chunk.GetNumSlots(); ++i) {
            if (CellKey(chunk.GetLoc(i)) >= 0)
                return false;
        }
        return true;
    }
    int RotationRepair(int i_group, const Chunk& chunk);
    int TryConflictPlacement(int i_group, int i_day, int i_venue, Chunk* p_chunk);
    int TryMoves(int i_group, int i_day, int i_venue, BOOL b_no_repair, Chunk* p_chunk);
    int MoveFromOtherDays(int i_group, int i_day, int i_venue, BOOL b_no_repair, Chunk* p_chunk);
    int MoveFromOtherVenues(int i_group, int i_venue, BOOL b_no_repair, Chunk* p_chunk);
    int DayMove(int i_group, const Chunk& candidate, int i_day, int i_venue, BOOL b_no_repair, Chunk* p_chunk);
    int VenueMove(int i_group, const Chunk& candidate, int i_venue, BOOL b_no_repair, Chunk* p_chunk);
    // The group's totals before a trial, as RestoreCounts reads them: the
    // venue totals only for a group that uses venue limits.
    void CopyTotals(int i_group, ZelArray<UINT>& a_day_counts, ZelArray<UINT>& a_venue_counts,
                    UINT& u_event_count) const;

    // ---- the chunk repair around locks ----
    int RepairLockedCells(const TTLocArray& a_locks, int i_from);

    // ---- small helpers ----
    EventDoc& Doc() const { return *pDoc; }
    // The group list does not change while a build runs: its groups are
    // read in place, in line, as the steps ask for them all the time.
    const Group& GetGroup(int i_group) const
    {
        ZEL_ASSERT(0 <= i_group && i_group < nGroups);
        return pGroupData[i_group];
    }
    // The group key in the cell; -1 when empty.
    LONG CellKey(const TTLoc& loc) const { return SlotAt(loc).GetGroup(); }
    // The group's index for a key, -1 when the group list does not know it.
    int FindGroup(LONG l_key) const
    {
        if (l_key < 0)
            return -1;
        const BuildTables* p_tables = pGenerator->GetTables();
        return p_tables != nullptr && p_tables->IsFor(*pGroupList) ? p_tables->FindGroup(l_key) : FindGroupByKey(l_key);
    }
    int FindGroupByKey(LONG l_key) const;
    // Every step reads cells: a cell of the timetable comes straight from
    // the build map's columns, anything else through the checked way.
    // The columns are those of the build map's table, each as where its
    // timeslots start and how many it has: nothing in a search adds or
    // takes away timeslots (the moves change groups and locks in place),
    // so these stay as they are for the shuffler's life, and a cell is
    // read without going through its column's array first.
    const Timeslot& SlotAt(const TTLoc& loc) const
    {
        const auto u_day = static_cast<std::uint32_t>(loc.GetDay());
        const auto u_venue = static_cast<std::uint32_t>(loc.GetVenue());
        if (u_day < nCellDays && u_venue < nCellVenues) {
            const CellColumn& column = CellColumns[static_cast<std::size_t>(u_day) * nCellVenues + u_venue];
            const auto u_slot = static_cast<std::uint32_t>(loc.GetSlot());
            if (u_slot < column.nSlots)
                return column.pSlots[u_slot];
        }
        return CheckedSlotAt(loc);
    }
    const Timeslot& CheckedSlotAt(const TTLoc& loc) const;
    // The timeslot's day in the document's timetable, null when it has no
    // such day: the day the finders of the generator would look up.
    const Day* DocDayOf(const Timeslot& slot) const;
    BOOL IsLocked(const TTLoc& loc) const { return SlotAt(loc).IsLocked(); }
    // A group that uses venue limits has event limits of type none here.
    // The limits are read before nearly every trial; the group list stays
    // as it is for the shuffler's life, so they are read once, when it is
    // made.
    UINT EventMin(int i_group) const { return LimitsOf(i_group).uEventMin; }
    UINT EventMax(int i_group) const { return LimitsOf(i_group).uEventMax; }
    UINT DayMin(int i_group) const { return LimitsOf(i_group).uDayMin; }
    UINT DayMax(int i_group) const { return LimitsOf(i_group).uDayMax; }
    // The group's limit for the venue while it uses venue limits; null
    // otherwise.
    // Most groups use no venue limits, and the trials ask for every cell:
    // those are answered in line, without looking up the venue.
    const VenueLimit* GetVenueLimit(int i_group, int i_venue) const
    {
        return GetGroup(i_group).GetUseVenueLimits() ? FindVenueLimit(i_group, i_venue) : nullptr;
    }
    const VenueLimit* FindVenueLimit(int i_group, int i_venue) const;
    // Placing the group into the chunk keeps its rotation. Most groups do
    // not rotate and every trial asks: those pass in line.
    BOOL KeepsRotation(int i_group, const Chunk& chunk) const
    {
        const auto e_rotation = GetGroup(i_group).GetRotation();
        if (e_rotation != Group::e_event_rotation && e_rotation != Group::e_day_rotation)
            return TRUE;
        return pGenerator->CheckRotation(pDoc, *pMap, i_group, chunk, *pCounters);
    }
    // The venue's rules and the day's rules of the cell accept the group.
    BOOL RulesAccept(int i_group, const TTLoc& loc) const;
    // The user's request as a result code after pumping; 0 when none.
    int Poll();
    void ShowGroup(int i_group);

    BuildEngine* pEngine;
    Generator* pGenerator;
    SelCounters* pCounters;
    EventDoc* pDoc;
    Timetable* pTimetable;
    // The document's timetable, where the clash and blocker finders look
    // up a timeslot's day. Whether the document has one depends on its
    // venues, days and timeslots, which no search changes (the searches
    // change groups and locks in cells), so it is read once for the
    // shuffler's life instead of at every trial.
    const Timetable* pDocTimetable = nullptr;
    TTMap* pMap;
    TTMove* pMover;
    ExcludeFlags Exclude;
    // The build map when it is over the shuffler's timetable (it reads
    // cells from its columns); null otherwise.
    const TTMap* pCellMap = nullptr;
    // Its columns (none without it), day by day, nCellVenues a day.
    struct CellColumn {
        const Timeslot* pSlots = nullptr;
        std::uint32_t nSlots = 0;
    };
    std::vector<CellColumn> CellColumns;
    std::uint32_t nCellDays = 0;
    std::uint32_t nCellVenues = 0;
    // The document's groups, one after another.
    const GroupList* pGroupList = nullptr;
    const Group* pGroupData = nullptr;
    int nGroups = 0;
    // Each group's event and day limits, as its limit objects give them.
    struct GroupLimits {
        UINT uEventMin = 0;
        UINT uEventMax = 0;
        UINT uDayMin = 0;
        UINT uDayMax = 0;
    };
    std::vector<GroupLimits> Limits;
    const GroupLimits& LimitsOf(int i_group) const
    {
        ZEL_ASSERT(0 <= i_group && i_group < nGroups);
        return Limits[static_cast<std::size_t>(i_group)];
    }
    // RepairLockedChunks' list of the groups whose locks it repairs.
    std::vector<int> RepairGroups;
    // The lists Scratch lends: of cells, of groups to re-place, of the
    // clashes of a chunk's cells.
    ScratchPool<TTLocArray> LocsPool;
    ScratchPool<ReplaceArray> ReplacePool;
    ScratchPool<ConflictList> ConflictPool;
    // The run RemoveChunk takes out.
    Chunk RemovalChunk;
    // The days by a group's total on each that FreeOwnPlacement walks
    // (which nothing it calls comes back into), kept with its storage.
    ZelSortedArray<DayCounters> OwnDays;
    std::vector<DWORD> Protected;
    BOOL bEmptyCellsAllowed;
    inline static BOOL bFillSkips = TRUE;
    UINT uTotalCells = 0;
    int iMode;
    GroupTarget Target;
    UINT uDepth = 0;
    DWORD uSteps = 0;
    UINT uDeepest = 0;
    UINT uDepthLimit = 0;
    // Steps refused for lying beyond the depth limit.
    DWORD uLimitHits = 0;
    DWORD uComplete1Turns = 0;
};
