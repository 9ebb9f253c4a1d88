// The build map: for every group, venue and timetable day, which timeslots
// the group may go into, and how many consecutive timeslots one placement
// of the group in a venue must and may take. The searches test a cell with
// one byte read instead of running the availability, style, facility and
// lock tests again.
//
// On top of the flags sit the chunk operations: stepping from allowed cell
// to allowed cell (across days where the group's allocation asks for
// consecutive slots and the days follow each other), enumerating candidate
// chunks, shaping the chunk of a placement, finding the run a cell belongs
// to, and counting a group's runs. A run is a maximal sequence of cells of
// one venue, each the next allowed cell of the one before, that all hold
// the group. Where the event's days follow each other in a ring (the last
// day followed by the first), a walk stops where it comes back round to
// the cell it started from.
//
// The map is made on the stack by the operation that builds, checks or
// rosters, filled once by Build and read-only afterwards: placements are
// read from the timetable, never from the map. The timetable's days and
// venue columns stay where they are while the map is in use (only a user's
// edit of the days, timeslots or venues moves them, and none can happen
// during the operation), so the map keeps a pointer to each column and
// reads a cell with two loads. The map in use publishes its
// document and timetable class-wide (the day-adjacency test reads them), so
// only one map exists at a time, on the user-interface thread.
//
// Group, venue and day arguments are indexes into the document's group and
// venue lists and the timetable's days; a cell holds a group when its
// timeslot's group key is the group's key.
#pragma once

#include "engine/TTLoc.h"
#include "framework/LargeBlock.h"
#include "framework/Types.h"
#include "model/Timeslot.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelAssert.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class EventDoc;
class Generator;
class Timetable;

// A run of cells of one venue placed, or to be placed, together: the venue
// and its cells sorted by day, then timeslot.
class Chunk {
public:
    class Slot {
    public:
        Slot() = default;
        Slot(std::int32_t i_day, std::int32_t i_slot) : iDay(i_day), iSlot(i_slot) {}
        Slot(const Slot&) = default;
        Slot& operator=(const Slot&) = default;

        // Later day, or the same day and a later timeslot.
        bool operator>(const Slot& other) const
        {
            return iDay > other.iDay || (iDay == other.iDay && iSlot > other.iSlot);
        }
        bool operator<(const Slot& other) const { return other > *this; }
        bool operator==(const Slot& other) const { return iDay == other.iDay && iSlot == other.iSlot; }

        TTLoc GetLoc(std::int32_t i_venue) const { return TTLoc(iDay, i_venue, iSlot); }

        std::int32_t iDay = -1;
        std::int32_t iSlot = -1;
    };

    Chunk() = default;
    virtual ~Chunk();
    Chunk(const Chunk&) = default;
    Chunk& operator=(const Chunk&) = default;

    int GetVenue() const { return iVenue; }
    void SetVenue(int i_venue) { iVenue = i_venue; }
    int GetNumSlots() const { return nSlots; }
    BOOL IsEmpty() const { return nSlots == 0 ? TRUE : FALSE; }
    // No cells; the venue stays. The storage stays too: the searches walk
    // thousands of candidate chunks through one Chunk.
    void RemoveAll()
    {
        nSlots = 0;
        Spill.clear();
    }

    // Inserts the cell at its place in the order (found by bisection). A
    // cell after the last one of a short chunk, which is how the walks
    // mostly add them, goes on the end in line.
    // The two parts are written one by one: built as one Slot on the
    // stack and copied, the copy reads back as one word what was just
    // stored as two, and the store cannot be forwarded to that read.
    void AddSlot(std::int32_t i_day, std::int32_t i_slot)
    {
        if (nSlots < kInline) {
            if (nSlots == 0 || aInline[nSlots - 1].iDay < i_day
                || (aInline[nSlots - 1].iDay == i_day && aInline[nSlots - 1].iSlot <= i_slot)) {
                Slot& slot = aInline[nSlots++];
                slot.iDay = i_day;
                slot.iSlot = i_slot;
                return;
            }
        }
        InsertSlot(Slot(i_day, i_slot));
    }
    void AddSlot(const TTLoc& loc) { AddSlot(loc.GetDay(), loc.GetSlot()); }
    const Slot& GetSlot(int i_index) const
    {
        ZEL_ASSERT(0 <= i_index && i_index < nSlots);
        return Data()[i_index];
    }
    // Cell i as a location in the chunk's venue.
    TTLoc GetLoc(int i_index) const { return GetSlot(i_index).GetLoc(iVenue); }
    // The cell is one of the chunk's.
    BOOL HasSlot(const TTLoc& loc) const;

    // Empties the array and fills it with the distinct days of the cells,
    // ascending; returns their number.
    int GetDays(ZelSortedArray<int>& a_days) const;
    // Empties the array and appends each cell as a location, in cell
    // order; returns the count.
    int GetLocs(TTLocArray& a_locs) const;
    // One of the cells (on the day; on any day for -1) is a timeslot whose
    // group key is the key. A cell with a negative part is no timeslot.
    BOOL HoldsGroup(const Timetable& timetable, LONG l_groupKey, int i_day) const;
    // Some cell lies on the day; FALSE for an empty chunk.
    BOOL HasDay(int i_day) const;
    // The day of the first cell not on the day; -1 when every cell is on it
    // or the chunk is empty.
    int FindOtherDay(int i_day) const;

private:
    // Most chunks are a few cells (a placement's run): those stay in the
    // chunk itself, so that making, copying and emptying candidate chunks
    // touches no heap. A longer chunk holds all its cells in Spill.
    static constexpr int kInline = 6;
    void InsertSlot(const Slot& slot);
    const Slot* Data() const { return nSlots <= kInline ? aInline : Spill.data(); }
    Slot* Data() { return nSlots <= kInline ? aInline : Spill.data(); }

    int iVenue = -1;
    int nSlots = 0;
    Slot aInline[kInline];
    std::vector<Slot> Spill;
};

// A group's candidate chunks over every venue and day, in the order the
// map's enumeration gives them, held compactly. A large event lists
// thousands of groups with thousands of chunks each, mostly single cells,
// so a chunk costs only its cells, four bytes each (day and timeslot, 16
// bits apiece): the chunks of one venue and size, which the enumeration
// gives one after another, share one record of their venue and size.
class ChunkList {
public:
    // Where a walk through the list stands.
    class Cursor {
    private:
        friend class ChunkList;
        int iChunk = 0;
        int iRun = 0;
    };

    int GetSize() const { return nChunks; }
    // Makes the chunk chunk i of the list, in the chunk's own storage.
    void GetChunk(int i_index, Chunk& chunk) const;
    // The next chunk of a walk from the start of the list; FALSE, with the
    // chunk unchanged, past the last one. The walk of the searches: in line.
    BOOL Next(Cursor& cursor, Chunk& chunk) const
    {
        if (cursor.iChunk >= nChunks)
            return FALSE;
        // The runs end with one that starts past the last chunk.
        while (Runs[static_cast<std::size_t>(cursor.iRun) + 1].iFirstChunk <= cursor.iChunk)
            ++cursor.iRun;
        MakeChunk(cursor.iRun, cursor.iChunk++, chunk);
        return TRUE;
    }

    // Whether a timetable's cells fit the list: days and timeslots of a
    // day below 65,536.
    static bool Fits(std::uint32_t n_days, std::uint32_t n_slots)
    {
        return n_days <= kCellMask + 1 && n_slots <= kCellMask + 1;
    }

private:
    friend class TTMap;
    static constexpr std::uint32_t kCellMask = 0xFFFF;
    // Chunks one after another of one venue and as many cells, from
    // chunk iFirstChunk, their cells from uFirstCell on.
    struct Run {
        std::int32_t iVenue;
        std::int32_t nCells;
        std::int32_t iFirstChunk;
        std::size_t uFirstCell;
    };
    void Add(const Chunk& chunk);
    // Ends the list: the closing run, and no room kept beyond it.
    void Finish();
    void MakeChunk(int i_run, int i_index, Chunk& chunk) const
    {
        const Run& run = Runs[static_cast<std::size_t>(i_run)];
        chunk.RemoveAll();
        chunk.SetVenue(run.iVenue);
        const std::uint32_t* p_cells = Cells.data() + run.uFirstCell
            + static_cast<std::size_t>(i_index - run.iFirstChunk) * static_cast<std::size_t>(run.nCells);
        for (int i = 0; i < run.nCells; ++i)
            chunk.AddSlot(static_cast<std::int32_t>(p_cells[i] >> 16), static_cast<std::int32_t>(p_cells[i] & kCellMask));
    }

    std::vector<Run> Runs;
    std::vector<std::uint32_t> Cells;
    int nChunks = 0;
    // The list has been made (a group may have no chunks at all).
    bool bListed = false;
};

class TTMap {
public:
    class GroupMap {
    public:
        class VenueMap {
        public:
            // One day's flags of the venue: a byte per timeslot, 1 where the
            // group may go, and how many bytes are 1. A map holds one of
            // these per group, venue and day (millions in a large event),
            // so a day of up to 16 timeslots keeps its bytes in place, and
            // the class has no virtual destructor: nothing derives from it.
            class Slots {
                static constexpr int kInline = 16;
                union Store {
                    BYTE aInline[kInline];
                    BYTE* pHeap;
                } Bytes{};
                std::int32_t nSlots = 0;

            public:
                Slots() = default;
                ~Slots() { Free(); }
                Slots(const Slots& src) { CopyFrom(src); }
                Slots& operator=(const Slots& src);

                int GetNumSlots() const { return nSlots; }
                // n_slots bytes, all 0.
                void SetNumSlots(int n_slots);
                BOOL IsAllowed(int i_slot) const { return Flags()[i_slot] == 1; }
                BYTE GetFlag(int i_slot) const { return Flags()[i_slot]; }
                // Sets one byte (0 or 1), keeping the count of allowed slots.
                void SetFlag(int i_slot, BYTE u_flag);

                std::int32_t nAllowed = 0;

            private:
                const BYTE* Flags() const { return nSlots <= kInline ? Bytes.aInline : Bytes.pHeap; }
                BYTE* Flags() { return nSlots <= kInline ? Bytes.aInline : Bytes.pHeap; }
                void Free();
                void CopyFrom(const Slots& src);
            };

            // The days are the map's (its DayStore keeps them): a venue map
            // moves, and is not copied.
            VenueMap() = default;
            virtual ~VenueMap() = default;
            VenueMap(const VenueMap&) = delete;
            VenueMap& operator=(const VenueMap&) = delete;
            VenueMap(VenueMap&&) noexcept = default;
            VenueMap& operator=(VenueMap&&) noexcept = default;

            int GetNumDays() const { return nDays; }
            // The day is one of the map's.
            bool IsDay(int i_day) const { return i_day >= 0 && i_day < nDays; }
            Slots& GetDay(int i_day)
            {
                ZEL_ASSERT(IsDay(i_day));
                return pDays[i_day];
            }
            const Slots& GetDay(int i_day) const
            {
                ZEL_ASSERT(IsDay(i_day));
                return pDays[i_day];
            }
            // The venue's timeslots on the day; 0 for a day out of range.
            int GetNumSlots(int i_day) const { return IsDay(i_day) ? pDays[i_day].GetNumSlots() : 0; }
            // The days, n_days of them, from the map's store.
            void SetDays(Slots* p_days, int n_days)
            {
                pDays = p_days;
                nDays = n_days;
            }
            // Days with at least one allowed timeslot.
            BOOL HasAllowedSlots() const;
            // The steps of GroupMap::NextSlot and PrevSlot from a cell of
            // this venue whose day is one of the map's and whose slot is 0
            // or more (what FindVenueMap makes sure of): a walk that has
            // the venue's map already steps with these, without finding it
            // again for every cell. FALSE, with the parts unchanged, when
            // there is no such cell.
            BOOL StepNext(int& i_day, int& i_slot) const;
            BOOL StepPrev(int& i_day, int& i_slot) const;
            // The same for a cell of this venue.
            BOOL StepNext(TTLoc& loc) const { return StepCell<true>(loc); }
            BOOL StepPrev(TTLoc& loc) const { return StepCell<false>(loc); }

            // One step of the cell's day and slot; the cell is left as it
            // is when there is none.
            template <bool b_next>
            BOOL StepCell(TTLoc& loc) const
            {
                int i_day = loc.GetDay();
                int i_slot = loc.GetSlot();
                if (!(b_next ? StepNext(i_day, i_slot) : StepPrev(i_day, i_slot)))
                    return FALSE;
                loc.SetDay(i_day);
                loc.SetSlot(i_slot);
                return TRUE;
            }

            // The venue's flags day by day.
            Slots* pDays = nullptr;
            int nDays = 0;
            // Fewest and most consecutive timeslots of one placement.
            int nMinChunk = 1;
            int nMaxChunk = 999;
            // A run may go on from the last timeslot of a day into the first
            // of the next day when the two days follow each other.
            BOOL bAcrossDays = 0;
        };

        GroupMap() = default;
        virtual ~GroupMap() = default;
        GroupMap(const GroupMap&) = delete;
        GroupMap& operator=(const GroupMap&) = delete;
        GroupMap(GroupMap&&) noexcept = default;
        GroupMap& operator=(GroupMap&&) noexcept = default;

        int GetGroup() const { return iGroup; }
        // Numbers the map with its group's index, once.
        void SetGroup(int i_group);
        int GetNumVenues() const { return Venues.GetSize(); }
        VenueMap& GetVenueMap(int i_venue) { return Venues[i_venue]; }
        const VenueMap& GetVenueMap(int i_venue) const { return Venues[i_venue]; }
        void SetNumVenues(int n_venues) { Venues.SetSize(n_venues); }

        // The cell's flag is 1. A cell outside the map is not allowed.
        BOOL IsAllowed(const TTLoc& loc) const;
        // Steps the cell to the next (previous) allowed cell of the venue:
        // the next timeslot of the day, or across into the following
        // (previous) day where the venue's allocation and the days allow.
        // FALSE, with the cell unchanged, when there is none.
        BOOL NextSlot(TTLoc& loc) const;
        BOOL PrevSlot(TTLoc& loc) const;
        // (Both in line below: every walk of the searches steps with them.)
        // The cell after the chunk's last (before its first, with
        // b_before); FALSE for an empty chunk or when there is none.
        BOOL GetAdjacentSlot(BOOL b_before, const Chunk& chunk, TTLoc& loc) const;

        // The venue's map of the cell, when the cell's venue and day are
        // in the map and its parts are 0 or more; a walk that takes more
        // than one step from the cell finds it once and steps with it.
        const VenueMap* FindVenueMap(const TTLoc& loc) const;

    private:
        friend class TTMap;

        int iGroup = -1;
        ZelArray<VenueMap> Venues;
    };

    // Where an enumeration of a group's candidate chunks stands.
    class ChunkPos {
    public:
        ChunkPos() = default;
        virtual ~ChunkPos() = default;

        int GetGroup() const { return iGroup; }
        int GetVenue() const { return iVenue; }
        int GetWrapDay() const { return iWrapDay; }
        int GetWrapSlot() const { return iWrapSlot; }
        const TTLoc& GetResume() const { return Resume; }

    private:
        friend class TTMap;

        int iGroup = -1;
        // The venue being searched, and the first cell looked at in it.
        int iVenue = -1;
        int iWrapDay = -1;
        int iWrapSlot = -1;
        // Where the next search begins.
        TTLoc Resume;
    };

    // An empty map over the document and its timetable (null when the
    // event has no days or no timeslots); the map in use from now on.
    TTMap(EventDoc* p_doc, Timetable* p_timetable);
    // The maps made since the process started (for tests).
    static std::uint64_t GetMapsMade() { return uMapsMade; }
    // No map is in use afterwards.
    virtual ~TTMap();
    TTMap(const TTMap&) = delete;
    TTMap& operator=(const TTMap&) = delete;

    EventDoc* GetDoc() const { return pDoc; }
    Timetable* GetTimetable() const { return pTimetable; }

    // Fills the map from the groups' allocations, the venues' styles and
    // facilities, the locks and the groups' availability, under the wait
    // cursor.
    void Build();

    int GetNumGroups() const { return GroupMaps.GetSize(); }
    // The bytes the groups' day flags take: most of the map's memory.
    std::size_t GetDayBytes() const { return Days.GetBytes(); }
    // count new, empty group maps in place of the present ones.
    void SetNumGroups(int n_groups);
    GroupMap& GetGroupMap(int i_group) { return GroupMaps[i_group]; }
    const GroupMap& GetGroupMap(int i_group) const { return GroupMaps[i_group]; }

    // Timetable day b directly follows day a in the day definition of the
    // map in use; FALSE when no map is in use.
    static BOOL AreDaysConsecutive(int i_day_a, int i_day_b);

    // The candidate chunks of nMinChunk allowed consecutive cells of a
    // group, one after another: in the venue (every venue for -1), with a
    // cell on the day (any day for -1). GetFirstChunk starts the
    // enumeration of the group; GetNextChunk goes on after the chunk it
    // returned last. FALSE when no further chunk exists.
    BOOL GetFirstChunk(int i_group, ChunkPos& pos, Chunk& chunk, int i_venue, int i_day) const;
    BOOL GetNextChunk(ChunkPos& pos, Chunk& chunk, int i_venue, int i_day) const;
    // Every chunk the enumeration gives the group over every venue and day
    // (GetFirstChunk and GetNextChunk with -1 for both). The flags do not
    // change once the map is built, so the searches, which go through a
    // group's chunks again and again, read them from a list made the first
    // time it is asked for; a list stays where it is until the map is
    // filled again or the lists are dropped. Null where the timetable's
    // cells do not fit a list (ChunkList::Fits): the searches then walk
    // the enumeration.
    const ChunkList* FindChunkList(int i_group) const;
    // Frees every list made so far; the next search lists its groups
    // again. The checks that follow a search walk no lists, and the
    // counters they make take the lists' room.
    void DropChunkLists();

    // Shapes the chunk of a placement from a start cell that is empty
    // (b_empty_start) or already holds the group: joined to the group's
    // runs beside it, and grown over empty cells toward the group's
    // smallest chunk. A chunk passed in that is not empty names, by its
    // first cell, the group's present chunk, which the new one may not
    // reach. TRUE when the chunk is usable.
    BOOL MakeChunk(int i_group, Chunk& chunk, int i_venue, int i_day, int i_slot, BOOL b_empty_start) const;
    // The group's placed run through a cell that holds it: the whole run,
    // or with b_sized a part of it within the group's chunk sizes that
    // leaves no piece shorter than the smallest chunk behind.
    BOOL GetPlacedChunk(int i_group, Chunk& chunk, int i_venue, int i_day, int i_slot, BOOL b_sized) const;

    // The group's runs met walking from the begin cell to the end cell
    // along its allowed cells (stopping early where a step fails; the last
    // cell visited is left in fin_loc). Every cell holding the group is
    // appended to the list when one is given.
    int CountBlocks(int i_group, const TTLoc& begin_loc, const TTLoc& end_loc, TTLoc& fin_loc,
                    TTLocArray* p_list) const;
    // The group's runs in the venue on the day.
    int CountDayBlocks(int i_venue, int i_group, int i_day, TTLocArray* p_list) const;
    // The group's runs in the venue over the event; a run that goes on
    // into the next day counts once.
    int CountEventBlocks(int i_venue, int i_group, TTLocArray* p_list) const;

    // The group key in the cell's timeslot; -1 for an empty timeslot and
    // for a cell the timetable does not have.
    LONG GetCellGroup(const TTLoc& loc) const
    {
        const Timeslot* p_slot = FindCell(loc);
        if (p_slot == nullptr)
            return -1;
        const LONG l_key = p_slot->GetGroup();
        return l_key < 0 ? -1 : l_key;
    }
    // The column table FindCell reads: as many days and venue columns a
    // day as it spans, and one column (null past a day's last column).
    std::uint32_t GetNumColumnDays() const { return nColumnDays; }
    std::uint32_t GetNumColumnVenues() const { return nColumnVenues; }
    TimeslotArray* GetColumn(std::uint32_t u_day, std::uint32_t u_venue) const
    {
        ZEL_ASSERT(u_day < nColumnDays && u_venue < nColumnVenues);
        return Columns[static_cast<std::size_t>(u_day) * nColumnVenues + u_venue];
    }
    // The cell's timeslot in the map's timetable; null for a cell the
    // timetable does not have.
    Timeslot* FindCell(const TTLoc& loc) const
    {
        // Negative parts become large unsigned numbers and fail the
        // bounds as well.
        const auto u_day = static_cast<std::uint32_t>(loc.GetDay());
        const auto u_venue = static_cast<std::uint32_t>(loc.GetVenue());
        if (u_day >= nColumnDays || u_venue >= nColumnVenues)
            return nullptr;
        TimeslotArray* p_column = Columns[static_cast<std::size_t>(u_day) * nColumnVenues + u_venue];
        if (p_column == nullptr || !p_column->IsIndex(loc.GetSlot()))
            return nullptr;
        return p_column->GetData() + loc.GetSlot();
    }

private:
    // A group's availability on one day at one slot time, once asked.
    struct KnownAvailability {
        CHighTimeSpan Start;
        CHighTimeSpan Span;
        BOOL bAvailable;
    };
    void MarkSlots(const Generator& generator, int i_group, int i_venue, int i_day,
                   std::vector<KnownAvailability>& a_known);
    // Frees the group's map and chunk list; about how many bytes they held.
    std::size_t ReleaseGroup(int i_group);
    BOOL FindNextChunk(ChunkPos& pos, Chunk& chunk, int i_venue) const;
    // The cell holds the group's key.
    BOOL HoldsGroup(const TTLoc& loc, LONG l_groupKey) const { return l_groupKey >= 0 && GetCellGroup(loc) == l_groupKey; }
    LONG GetGroupKey(int i_group) const;

    // Points the column table at the timetable's venue columns.
    void FindColumns();

    // Every venue map's days, in large blocks of their own, handed back to
    // the system as soon as they are freed: the map of a large event, most
    // of a build's memory, goes back block by block, with the window
    // answering between blocks, and leaves no holes in the heap.
    class DayStore {
    public:
        DayStore() = default;
        ~DayStore() { Release(); }
        DayStore(const DayStore&) = delete;
        DayStore& operator=(const DayStore&) = delete;
        // n_days days without timeslots.
        GroupMap::VenueMap::Slots* Take(int n_days);
        // Frees every day and block.
        void Release();
        // The bytes the days take.
        std::size_t GetBytes() const;

    private:
        using Slots = GroupMap::VenueMap::Slots;
        static constexpr std::size_t kBlockBytes = std::size_t{48} << 20;
        struct Block {
            std::unique_ptr<LargeBlock> pMemory;
            std::size_t nMost = 0;
            std::size_t nUsed = 0;
        };
        std::vector<Block> Blocks;
    };

    ZelArray<GroupMap> GroupMaps;
    DayStore Days;
    // FindChunkList's lists, one per group map once the first is asked
    // for.
    mutable std::vector<ChunkList> ChunkLists;
    EventDoc* pDoc;
    Timetable* pTimetable;
    // Each day's venue columns, day by day (null past a day's last
    // column), as many per day as the day with the most has.
    std::vector<TimeslotArray*> Columns;
    std::uint32_t nColumnDays = 0;
    std::uint32_t nColumnVenues = 0;
    // The most timeslots any column has.
    std::uint32_t uMostSlots = 0;

    // The map in use.
    static EventDoc* pMapDoc;
    static std::uint64_t uMapsMade;
    static Timetable* pMapTimetable;
};

// ---- enumerating, in line ----

// Every candidate of a search comes through here, so the step from one
// chunk to the next is in line with the search and only the walk is a call.
inline BOOL TTMap::GetNextChunk(ChunkPos& pos, Chunk& chunk, int i_venue, int i_day) const
{
    ZEL_ASSERT(chunk.GetNumSlots() > 0);
    do {
        chunk.RemoveAll();
        if (!FindNextChunk(pos, chunk, i_venue))
            return FALSE;
    } while (i_day >= 0 && !chunk.HasDay(i_day));
    return TRUE;
}

// ---- stepping, in line ----

inline const TTMap::GroupMap::VenueMap* TTMap::GroupMap::FindVenueMap(const TTLoc& loc) const
{
    // The bounds by byte offsets (no element counts worked out); the day
    // count only where a step goes over into another day.
    if (!loc.IsValid() || !Venues.IsIndex(loc.GetVenue()))
        return nullptr;
    const VenueMap& venue_map = Venues.GetData()[loc.GetVenue()];
    return venue_map.IsDay(loc.GetDay()) ? &venue_map : nullptr;
}

inline BOOL TTMap::GroupMap::VenueMap::StepNext(int& i_day_io, int& i_slot_io) const
{
    const Slots* p_days = pDays;
    int i_slot = i_slot_io + 1;
    int i_day = i_day_io;
    if (i_slot >= p_days[i_day].GetNumSlots()) {
        if (!bAcrossDays)
            return FALSE;
        const int n_days = GetNumDays();
        const int i_next = i_day + 1 < n_days ? i_day + 1 : 0;
        if (!AreDaysConsecutive(i_day, i_next) || p_days[i_next].GetNumSlots() < 1)
            return FALSE;
        i_day = i_next;
        i_slot = 0;
    }
    if (!p_days[i_day].IsAllowed(i_slot))
        return FALSE;
    i_day_io = i_day;
    i_slot_io = i_slot;
    return TRUE;
}

inline BOOL TTMap::GroupMap::VenueMap::StepPrev(int& i_day_io, int& i_slot_io) const
{
    int i_day = i_day_io;
    int i_slot = i_slot_io - 1;
    const Slots* p_days = pDays;
    if (i_slot < 0) {
        if (!bAcrossDays)
            return FALSE;
        const int n_days = GetNumDays();
        const int i_prev = i_day > 0 ? i_day - 1 : n_days - 1;
        if (!AreDaysConsecutive(i_prev, i_day) || p_days[i_prev].GetNumSlots() < 1)
            return FALSE;
        i_day = i_prev;
        i_slot = p_days[i_prev].GetNumSlots() - 1;
    } else if (i_slot >= p_days[i_day].GetNumSlots()) {
        return FALSE;
    }
    if (!p_days[i_day].IsAllowed(i_slot))
        return FALSE;
    i_day_io = i_day;
    i_slot_io = i_slot;
    return TRUE;
}

inline BOOL TTMap::GroupMap::NextSlot(TTLoc& loc) const
{
    const VenueMap* p_venue_map = FindVenueMap(loc);
    return p_venue_map != nullptr && p_venue_map->StepNext(loc);
}

inline BOOL TTMap::GroupMap::PrevSlot(TTLoc& loc) const
{
    const VenueMap* p_venue_map = FindVenueMap(loc);
    return p_venue_map != nullptr && p_venue_map->StepPrev(loc);
}
