#include "engine/TTMap.h"

#include "engine/BusyPump.h"
#include "engine/Generator.h"

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Timetable.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <climits>
#include <string>

// A check reported under the text the rest of the program knows it by,
// where the expression itself has to be written differently here.
#define ASSERT_AS(cond, text)                                 \
    do {                                                      \
        if (__ZelAssertOn && !(cond))                         \
            __ZelAssert((text), __FILE_NAME__, __LINE__, nullptr); \
    } while (0)

// ---- Chunk ----

Chunk::~Chunk() = default;

void Chunk::InsertSlot(const Slot& slot)
{
    // The cells stay in order. A cell equal to one held goes in beside it
    // (the two are alike, so where among them makes no difference).
    if (nSlots < kInline) {
        Slot* p_slots = aInline;
        int i_at = nSlots;
        while (i_at > 0 && slot < p_slots[i_at - 1]) {
            p_slots[i_at] = p_slots[i_at - 1];
            --i_at;
        }
        p_slots[i_at] = slot;
        ++nSlots;
        return;
    }
    if (nSlots == kInline)
        Spill.assign(aInline, aInline + kInline);
    Spill.insert(std::upper_bound(Spill.begin(), Spill.end(), slot), slot);
    ++nSlots;
}

BOOL Chunk::HasSlot(const TTLoc& loc) const
{
    if (loc.GetVenue() != iVenue)
        return FALSE;
    const Slot* p_slots = Data();
    return std::binary_search(p_slots, p_slots + nSlots, Slot(loc.GetDay(), loc.GetSlot())) ? TRUE : FALSE;
}

int Chunk::GetDays(ZelSortedArray<int>& a_days) const
{
    a_days.RemoveAllKeepStorage();
    const Slot* p_slots = Data();
    for (int i = 0; i < nSlots; ++i) {
        int i_at = 0;
        if (a_days.Find(p_slots[i].iDay, &i_at) < 0)
            a_days.InsertAt(i_at, p_slots[i].iDay);
    }
    return a_days.GetSize();
}

int Chunk::GetLocs(TTLocArray& a_locs) const
{
    // Sized to the cells with its storage kept and written in place: the
    // searches fill one list again and again.
    if (nSlots == 0) {
        a_locs.RemoveAllKeepStorage();
        return 0;
    }
    // Mostly the list is of the size already (the chunks of one walk are
    // of one size): then only the cells are written.
    if (a_locs.GetSize() != nSlots)
        a_locs.SetSize(nSlots);
    const Slot* p_slots = Data();
    TTLoc* p_locs = a_locs.GetData();
    for (int i = 0; i < nSlots; ++i)
        p_locs[i] = p_slots[i].GetLoc(iVenue);
    return nSlots;
}

BOOL Chunk::HoldsGroup(const Timetable& timetable, LONG l_groupKey, int i_day) const
{
    const Slot* p_slots = Data();
    for (int i = 0; i < nSlots; ++i) {
        const Slot& slot = p_slots[i];
        if (i_day >= 0 && slot.iDay != i_day)
            continue;
        if (slot.iDay < 0 || iVenue < 0 || slot.iSlot < 0)
            continue;
        if (timetable.GetDay(slot.iDay).GetVenueSlots(iVenue)[slot.iSlot].GetGroup() == l_groupKey)
            return TRUE;
    }
    return FALSE;
}

BOOL Chunk::HasDay(int i_day) const
{
    for (int i = 0; i < nSlots; ++i) {
        if (GetSlot(i).iDay == i_day)
            return TRUE;
    }
    return FALSE;
}

int Chunk::FindOtherDay(int i_day) const
{
    for (int i = 0; i < nSlots; ++i) {
        if (GetSlot(i).iDay != i_day)
            return GetSlot(i).iDay;
    }
    return -1;
}

// ---- the flags ----

TTMap::GroupMap::VenueMap::Slots& TTMap::GroupMap::VenueMap::Slots::operator=(const Slots& src)
{
    if (this != &src) {
        Free();
        CopyFrom(src);
    }
    return *this;
}

void TTMap::GroupMap::VenueMap::Slots::Free()
{
    if (nSlots > kInline)
        delete[] Bytes.pHeap;
    nSlots = 0;
    nAllowed = 0;
    Bytes = Store{};
}

void TTMap::GroupMap::VenueMap::Slots::CopyFrom(const Slots& src)
{
    SetNumSlots(src.nSlots);
    std::copy(src.Flags(), src.Flags() + src.nSlots, Flags());
    nAllowed = src.nAllowed;
}

void TTMap::GroupMap::VenueMap::Slots::SetNumSlots(int n_slots)
{
    Free();
    nSlots = std::max(n_slots, 0);
    if (nSlots > kInline)
        Bytes.pHeap = new BYTE[static_cast<std::size_t>(nSlots)]();
}

void TTMap::GroupMap::VenueMap::Slots::SetFlag(int i_slot, BYTE u_flag)
{
    ZEL_ASSERT(0 <= i_slot && i_slot < nSlots);
    BYTE& u_present = Flags()[i_slot];
    if (u_present == 1)
        --nAllowed;
    u_present = u_flag;
    if (u_present == 1)
        ++nAllowed;
}

BOOL TTMap::GroupMap::VenueMap::HasAllowedSlots() const
{
    for (int d = 0; d < nDays; ++d) {
        if (pDays[d].nAllowed > 0)
            return TRUE;
    }
    return FALSE;
}

// ---- stepping ----

void TTMap::GroupMap::SetGroup(int i_group)
{
    ZEL_ASSERT(iGroup < 0);
    iGroup = i_group;
}

BOOL TTMap::GroupMap::IsAllowed(const TTLoc& loc) const
{
    if (!loc.IsValid() || loc.GetVenue() >= Venues.GetSize())
        return FALSE;
    const VenueMap& venue_map = Venues[loc.GetVenue()];
    if (loc.GetSlot() >= venue_map.GetNumSlots(loc.GetDay()))
        return FALSE;
    return venue_map.GetDay(loc.GetDay()).IsAllowed(loc.GetSlot());
}

BOOL TTMap::GroupMap::GetAdjacentSlot(BOOL b_before, const Chunk& chunk, TTLoc& loc) const
{
    if (chunk.IsEmpty())
        return FALSE;
    if (b_before) {
        loc = chunk.GetLoc(0);
        return PrevSlot(loc);
    }
    loc = chunk.GetLoc(chunk.GetNumSlots() - 1);
    return NextSlot(loc);
}

// ---- the map ----

EventDoc* TTMap::pMapDoc = nullptr;
Timetable* TTMap::pMapTimetable = nullptr;
std::uint64_t TTMap::uMapsMade = 0;

TTMap::TTMap(EventDoc* p_doc, Timetable* p_timetable) : pDoc(p_doc), pTimetable(p_timetable)
{
    ++uMapsMade;
    pMapDoc = p_doc;
    pMapTimetable = p_timetable;
    FindColumns();
}

void TTMap::FindColumns()
{
    Columns.clear();
    nColumnDays = 0;
    nColumnVenues = 0;
    uMostSlots = 0;
    if (pTimetable == nullptr)
        return;
    const int n_days = pTimetable->GetNumDays();
    int n_venues = 0;
    for (int d = 0; d < n_days; ++d)
        n_venues = std::max(n_venues, pTimetable->GetDay(d).GetNumVenues());
    nColumnDays = static_cast<std::uint32_t>(n_days);
    nColumnVenues = static_cast<std::uint32_t>(n_venues);
    Columns.assign(static_cast<std::size_t>(n_days) * static_cast<std::size_t>(n_venues), nullptr);
    for (int d = 0; d < n_days; ++d) {
        Day& day = pTimetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            TimeslotArray& a_slots = day.GetVenueSlots(v);
            Columns[static_cast<std::size_t>(d) * nColumnVenues + static_cast<std::size_t>(v)] = &a_slots;
            uMostSlots = std::max(uMostSlots, static_cast<std::uint32_t>(a_slots.GetSize()));
        }
    }
}

TTMap::~TTMap()
{
    pMapDoc = nullptr;
    pMapTimetable = nullptr;
    // The days first, block by block; then the rest of the groups' maps
    // and lists, a slice at a time.
    Days.Release();
    BusyPump::ReleaseInSlices(GroupMaps.GetSize(), [this](int g) { return ReleaseGroup(g); });
}

std::size_t TTMap::ReleaseGroup(int i_group)
{
    ZelArray<GroupMap::VenueMap>& a_venues = GroupMaps[i_group].Venues;
    const std::size_t u_bytes = static_cast<std::size_t>(a_venues.GetAllocSize()) * sizeof(GroupMap::VenueMap);
    a_venues.RemoveAll();
    if (static_cast<std::size_t>(i_group) >= ChunkLists.size())
        return u_bytes;
    ChunkList& list = ChunkLists[static_cast<std::size_t>(i_group)];
    const std::size_t u_list_bytes =
        list.Runs.capacity() * sizeof(ChunkList::Run) + list.Cells.capacity() * sizeof(std::uint32_t);
    list = ChunkList();
    return u_bytes + u_list_bytes;
}

TTMap::GroupMap::VenueMap::Slots* TTMap::DayStore::Take(int n_days)
{
    const std::size_t n = static_cast<std::size_t>(std::max(n_days, 0));
    if (Blocks.empty() || Blocks.back().nMost - Blocks.back().nUsed < n) {
        Block& block = Blocks.emplace_back();
        block.nMost = std::max(kBlockBytes / sizeof(Slots), n);
        // Pages the days never reach are never touched: a small event
        // holds only what it uses of its one block.
        block.pMemory = std::make_unique<LargeBlock>(block.nMost * sizeof(Slots));
    }
    Block& block = Blocks.back();
    Slots* p_days = static_cast<Slots*>(block.pMemory->GetData()) + block.nUsed;
    for (std::size_t d = 0; d < n; ++d)
        new (p_days + d) Slots();
    block.nUsed += n;
    return p_days;
}

std::size_t TTMap::DayStore::GetBytes() const
{
    std::size_t n_days = 0;
    for (const Block& block : Blocks)
        n_days += block.nUsed;
    return n_days * sizeof(Slots);
}

void TTMap::DayStore::Release()
{
    while (!Blocks.empty()) {
        Block& block = Blocks.back();
        Slots* p_days = static_cast<Slots*>(block.pMemory->GetData());
        for (std::size_t d = 0; d < block.nUsed; ++d)
            p_days[d].~Slots();
        Blocks.pop_back();
        BusyPump::Poll();
    }
    std::vector<Block>().swap(Blocks);
}

void TTMap::SetNumGroups(int n_groups)
{
    GroupMaps.RemoveAll();
    Days.Release();
    GroupMaps.SetSize(n_groups);
    DropChunkLists();
}

BOOL TTMap::AreDaysConsecutive(int i_day_a, int i_day_b)
{
    if (pMapDoc == nullptr || pMapTimetable == nullptr)
        return FALSE;
    const int i_def_a = pMapTimetable->GetDay(i_day_a).GetDayIndex();
    const int i_def_b = pMapTimetable->GetDay(i_day_b).GetDayIndex();
    const DayDefBase& days = pMapDoc->GetEventDef().GetDayDef();
    if (i_def_a < 0 || i_def_b < 0 || i_def_a >= days.GetNumDays() || i_def_b >= days.GetNumDays())
        return FALSE;
    return days.IsConsecutive(i_def_a, i_def_b);
}

LONG TTMap::GetGroupKey(int i_group) const
{
    const GroupList& groups = pDoc->GetGroups();
    if (i_group < 0 || i_group >= groups.GetNumGroups())
        return -1;
    return groups[i_group].GetKey();
}

void TTMap::Build()
{
    ZelWaitCursor wait;
    FindColumns();
    const Generator generator;
    const int n_groups = pDoc->GetGroups().GetNumGroups();
    const int n_venues = pDoc->GetNumVenues();
    const int n_days = pTimetable ? pTimetable->GetNumDays() : 0;

    SetNumGroups(n_groups);
    for (int g = 0; g < n_groups; ++g) {
        GroupMaps[g].SetGroup(g);
        GroupMaps[g].SetNumVenues(n_venues);
    }
    for (int g = 0; g < n_groups; ++g) {
        BusyPump::Poll();
        const Group& group = pDoc->GetGroups()[g];
        for (int v = 0; v < n_venues; ++v) {
            GroupMap::VenueMap& venue_map = GroupMaps[g].GetVenueMap(v);
            const VenueAlloc& alloc = group.GetVenueAlloc(pDoc->GetVenues()[v].GetKey());
            const UINT u_min = alloc.Alloc.GetMin();
            const UINT u_max = alloc.Alloc.GetMax();
            venue_map.nMinChunk = u_min == 0 ? 1 : static_cast<int>(std::min<UINT>(u_min, INT_MAX));
            venue_map.nMaxChunk = static_cast<int>(std::min<UINT>(u_max, 999));
            venue_map.bAcrossDays = alloc.bConsecutive;
            venue_map.SetDays(Days.Take(n_days), n_days);
        }
        // The venues of a day mostly share their slot times, and
        // availability is a matter of the day and the times: each is asked
        // once per group and day.
        std::vector<KnownAvailability> a_known;
        for (int d = 0; d < n_days; ++d) {
            a_known.clear();
            for (int v = 0; v < n_venues; ++v)
                MarkSlots(generator, g, v, d, a_known);
        }
    }
}

void TTMap::MarkSlots(const Generator& generator, int i_group, int i_venue, int i_day,
                      std::vector<KnownAvailability>& a_known)
{
    GroupMap::VenueMap::Slots& flags = GroupMaps[i_group].GetVenueMap(i_venue).GetDay(i_day);
    const Day& day = pTimetable->GetDay(i_day);
    // A day loaded from a file may hold fewer venue columns than the event
    // has venues: the missing ones have no timeslots.
    if (i_venue >= day.GetNumVenues()) {
        flags.SetNumSlots(0);
        return;
    }
    const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
    flags.SetNumSlots(a_slots.GetSize());

    const Group& group = pDoc->GetGroups()[i_group];
    if (!generator.IsVenueSuitable(group, pDoc->GetVenues()[i_venue]))
        return;
    const LONG l_dayId = day.GetDayId();
    for (int s = 0; s < a_slots.GetSize(); ++s) {
        const Timeslot& timeslot = a_slots[s];
        ZEL_ASSERT(timeslot.GetVenue() == i_venue);
        if (timeslot.IsLocked() && timeslot.GetGroup() != group.GetKey())
            continue;
        auto it = std::find_if(a_known.begin(), a_known.end(), [&timeslot](const KnownAvailability& known) {
            return known.Start == timeslot.GetStartOffset() && known.Span == timeslot.GetSpan();
        });
        if (it == a_known.end()) {
            a_known.push_back({timeslot.GetStartOffset(), timeslot.GetSpan(),
                               group.IsAvailable(pDoc, l_dayId, timeslot)});
            it = a_known.end() - 1;
        }
        if (it->bAvailable)
            flags.SetFlag(s, 1);
    }
}

// ---- enumerating chunks ----

BOOL TTMap::GetFirstChunk(int i_group, ChunkPos& pos, Chunk& chunk, int i_venue, int i_day) const
{
    pos.iGroup = i_group;
    pos.Resume.Set(0, 0, 0);
    if (!FindNextChunk(pos, chunk, i_venue))
        return FALSE;
    if (i_day < 0 || chunk.HasDay(i_day))
        return TRUE;
    return GetNextChunk(pos, chunk, i_venue, i_day);
}

BOOL TTMap::FindNextChunk(ChunkPos& pos, Chunk& chunk, int i_venue) const
{
    const GroupMap& group_map = GroupMaps[pos.iGroup];
    const int iGroup = group_map.GetGroup();
    ZEL_ASSERT(pos.GetGroup() == iGroup);

    TTLoc start = pos.Resume;
    if (!start.IsValid())
        start.Set(0, 0, 0);
    int i_day = start.GetDay();
    int i_slot = start.GetSlot();
    // In a ring of days that follow each other a chunk can run on past the
    // wrap start; once it has, the first empty chunk means the walk is on
    // its second round.
    BOOL b_past_wrap = FALSE;
    for (int v = start.GetVenue(); v < group_map.GetNumVenues(); ++v, i_day = 0, i_slot = 0) {
        if (i_venue >= 0 && v != i_venue)
            continue;
        chunk.SetVenue(v);
        chunk.RemoveAll();
        if (pos.iVenue != v) {
            pos.iVenue = v;
            pos.iWrapDay = -1;
            pos.iWrapSlot = -1;
        }
        const GroupMap::VenueMap& venue_map = group_map.GetVenueMap(v);
        const int n_days = venue_map.GetNumDays();
        // The day flags in place: every candidate of a search comes from
        // this walk. Days are always in range here.
        const GroupMap::VenueMap::Slots* p_days = venue_map.pDays;
        b_past_wrap = FALSE;
        if (n_days == 0 || i_day >= n_days)
            continue;

        for (;;) {
            if (i_slot >= p_days[i_day].GetNumSlots()) {
                // On to the next day with timeslots, or back to this one.
                // Every day moved onto ends the chunk unless the run may
                // go on into it.
                const int i_left = i_day;
                do {
                    const int i_prev = i_day;
                    i_day = i_day + 1 < n_days ? i_day + 1 : 0;
                    if (!(venue_map.bAcrossDays && p_days[i_day].GetNumSlots() > 0
                          && AreDaysConsecutive(i_prev, i_day)))
                        chunk.RemoveAll();
                } while (p_days[i_day].GetNumSlots() == 0 && i_day != i_left);
                i_slot = 0;
                if (p_days[i_day].GetNumSlots() == 0)
                    break;
            }
            if (pos.iWrapDay < 0) {
                ZEL_ASSERT(chunk.IsEmpty());
                pos.iWrapDay = i_day;
                pos.iWrapSlot = i_slot;
            } else if (i_day == pos.iWrapDay && i_slot == pos.iWrapSlot) {
                if (chunk.IsEmpty())
                    break;
                b_past_wrap = TRUE;
            } else if (b_past_wrap && chunk.IsEmpty()) {
                break;
            }
            if (chunk.IsEmpty())
                pos.Resume.Set(i_day, v, i_slot + 1);
            if (!p_days[i_day].IsAllowed(i_slot)) {
                chunk.RemoveAll();
            } else {
                // A run that closes on itself around days that follow each
                // other in a ring has no chunk of the size asked for.
                if (!chunk.IsEmpty() && chunk.HasSlot(TTLoc(i_day, v, i_slot)))
                    break;
                chunk.AddSlot(i_day, i_slot);
                if (chunk.GetNumSlots() >= venue_map.nMinChunk)
                    return TRUE;
            }
            ++i_slot;
        }
    }
    return FALSE;
}

void ChunkList::Add(const Chunk& chunk)
{
    const int n_cells = chunk.GetNumSlots();
    if (Runs.empty() || Runs.back().iVenue != chunk.GetVenue() || Runs.back().nCells != n_cells)
        Runs.push_back({chunk.GetVenue(), n_cells, nChunks, Cells.size()});
    for (int i = 0; i < n_cells; ++i) {
        const Chunk::Slot& slot = chunk.GetSlot(i);
        Cells.push_back(static_cast<std::uint32_t>(slot.iDay) << 16 | static_cast<std::uint32_t>(slot.iSlot));
    }
    ++nChunks;
}

void ChunkList::Finish()
{
    Runs.push_back({-1, 0, nChunks, Cells.size()});
    Runs.shrink_to_fit();
    Cells.shrink_to_fit();
    bListed = true;
}

void ChunkList::GetChunk(int i_index, Chunk& chunk) const
{
    ZEL_ASSERT(0 <= i_index && i_index < nChunks);
    // The last run that starts at or before the chunk.
    const auto it = std::upper_bound(Runs.begin(), Runs.end(), i_index,
                                     [](int i, const Run& run) { return i < run.iFirstChunk; });
    MakeChunk(static_cast<int>(it - Runs.begin()) - 1, i_index, chunk);
}

const ChunkList* TTMap::FindChunkList(int i_group) const
{
    if (!ChunkList::Fits(nColumnDays, uMostSlots))
        return nullptr;
    // Sized once: a list handed out stays where it is while lists of
    // other groups are made (a search walking one group's list makes
    // others as it goes deeper).
    if (ChunkLists.empty())
        ChunkLists.resize(static_cast<std::size_t>(GroupMaps.GetSize()));
    ZEL_ASSERT(0 <= i_group && i_group < static_cast<int>(ChunkLists.size()));
    ChunkList& list = ChunkLists[static_cast<std::size_t>(i_group)];
    if (!list.bListed) {
        ChunkPos pos;
        Chunk chunk;
        for (BOOL b_more = GetFirstChunk(i_group, pos, chunk, -1, -1); b_more;
             b_more = GetNextChunk(pos, chunk, -1, -1))
            list.Add(chunk);
        list.Finish();
    }
    return &list;
}

void TTMap::DropChunkLists()
{
    // Swapped out, not cleared: a cleared vector keeps its room.
    std::vector<ChunkList>().swap(ChunkLists);
}

// ---- shaping a placement chunk ----

BOOL TTMap::MakeChunk(int i_group, Chunk& chunk, int i_venue, int i_day, int i_slot, BOOL b_empty_start) const
{
    const LONG l_groupKey = GetGroupKey(i_group);
    const TTLoc orig_loc(i_day, i_venue, i_slot);
    const LONG l_startKey = GetCellGroup(orig_loc);
    if (b_empty_start ? l_startKey >= 0 : (l_groupKey < 0 || l_startKey != l_groupKey))
        return FALSE;

    TTLoc former_loc;
    if (!chunk.IsEmpty())
        former_loc = chunk.GetLoc(0);
    chunk.RemoveAll();
    chunk.SetVenue(i_venue);

    const GroupMap& group_map = GroupMaps[i_group];
    ASSERT_AS(static_cast<unsigned>(orig_loc.GetVenue()) < static_cast<unsigned>(group_map.GetNumVenues()),
              "(unsigned) orig_loc.GetVenue() < group_map.GetNumVenues()");
    const GroupMap::VenueMap& venue_map = group_map.GetVenueMap(i_venue);
    const int n_min = venue_map.nMinChunk;
    const int n_max = venue_map.nMaxChunk;
    ZEL_ASSERT(n_min != 0 && n_max != 0);
    ZEL_ASSERT(n_min <= n_max);

    if (orig_loc == former_loc || !group_map.IsAllowed(orig_loc))
        return FALSE;

    // Join the start cell to the group's runs on either side. A walk that
    // comes back to a cell of the chunk has gone round a ring of days.
    chunk.AddSlot(orig_loc);
    TTLoc loc = orig_loc;
    while (group_map.PrevSlot(loc)) {
        if (loc == former_loc)
            return FALSE;
        if (!HoldsGroup(loc, l_groupKey) || chunk.HasSlot(loc))
            break;
        chunk.AddSlot(loc);
    }
    loc = orig_loc;
    while (group_map.NextSlot(loc) && HoldsGroup(loc, l_groupKey) && !chunk.HasSlot(loc))
        chunk.AddSlot(loc);
    if (chunk.GetNumSlots() > n_max)
        return FALSE;

    // The empty cells before and after the chunk.
    int n_before = 0;
    loc = chunk.GetLoc(0);
    while (group_map.PrevSlot(loc) && loc != former_loc && GetCellGroup(loc) < 0 && !chunk.HasSlot(loc))
        ++n_before;
    int n_after = 0;
    loc = chunk.GetLoc(chunk.GetNumSlots() - 1);
    while (group_map.NextSlot(loc) && GetCellGroup(loc) < 0 && !chunk.HasSlot(loc))
        ++n_after;

    // Grow toward the smallest chunk over the empty cells before it; a
    // single empty cell left between the chunk and the group's own run
    // beyond it is filled when the joined run still fits.
    // (In a ring of days the cells counted after the chunk can be the
    // ones it has just grown over before it: a cell is taken once.)
    while (chunk.GetNumSlots() < n_min && n_before >= 2) {
        loc = chunk.GetLoc(0);
        if (!group_map.PrevSlot(loc) || chunk.HasSlot(loc))
            break;
        chunk.AddSlot(loc);
        --n_before;
    }
    TTLoc gap_loc = chunk.GetLoc(0);
    if (chunk.GetNumSlots() < n_min && n_before == 1 && group_map.PrevSlot(gap_loc) && !chunk.HasSlot(gap_loc)) {
        TTLocArray a_run;
        loc = gap_loc;
        while (group_map.PrevSlot(loc) && HoldsGroup(loc, l_groupKey) && !chunk.HasSlot(loc))
            a_run.Add(loc);
        if (chunk.GetNumSlots() + a_run.GetSize() + 1 <= n_max) {
            chunk.AddSlot(gap_loc);
            for (int i = 0; i < a_run.GetSize(); ++i)
                chunk.AddSlot(a_run[i]);
            ZEL_ASSERT(chunk.GetNumSlots() <= n_max);
        }
    }
    // The same after it.
    while (chunk.GetNumSlots() < n_min && n_after >= 2) {
        loc = chunk.GetLoc(chunk.GetNumSlots() - 1);
        if (!group_map.NextSlot(loc) || chunk.HasSlot(loc))
            break;
        chunk.AddSlot(loc);
        --n_after;
    }
    gap_loc = chunk.GetLoc(chunk.GetNumSlots() - 1);
    if (chunk.GetNumSlots() < n_min && n_after == 1 && group_map.NextSlot(gap_loc) && !chunk.HasSlot(gap_loc)) {
        TTLocArray a_run;
        loc = gap_loc;
        while (group_map.NextSlot(loc) && HoldsGroup(loc, l_groupKey) && !chunk.HasSlot(loc))
            a_run.Add(loc);
        if (chunk.GetNumSlots() + a_run.GetSize() + 1 <= n_max) {
            chunk.AddSlot(gap_loc);
            for (int i = 0; i < a_run.GetSize(); ++i)
                chunk.AddSlot(a_run[i]);
            ZEL_ASSERT(chunk.GetNumSlots() <= n_max);
        }
    }

    if (chunk.IsEmpty() || chunk.GetLoc(0) == former_loc)
        return FALSE;
    return chunk.GetNumSlots() >= n_min ? TRUE : FALSE;
}

// ---- the placed run through a cell ----

BOOL TTMap::GetPlacedChunk(int i_group, Chunk& chunk, int i_venue, int i_day, int i_slot, BOOL b_sized) const
{
    const LONG l_groupKey = GetGroupKey(i_group);
    const TTLoc loc(i_day, i_venue, i_slot);
    if (!HoldsGroup(loc, l_groupKey))
        return FALSE;
    chunk.SetVenue(i_venue);
    chunk.RemoveAll();
    const GroupMap& group_map = GroupMaps[i_group];
    ASSERT_AS(static_cast<unsigned>(loc.GetVenue()) < static_cast<unsigned>(group_map.GetNumVenues()),
              "(unsigned) loc.GetVenue() < group_map.GetNumVenues()");

    // The run's cells before and after the cell, counted walking out from
    // it. A walk that comes back to the cell has gone round a ring of days.
    // The chunk takes the nearest of them by walking again (the walks only
    // read, so the second meets the same cells in the same order), which
    // keeps a removal, that asks this for every cell it takes, off lists.
    // Every step stays in the cell's venue map, found once (none: no
    // step leads anywhere, as the group map's steps would find).
    const GroupMap::VenueMap* p_venue_map = group_map.FindVenueMap(loc);
    auto step_prev = [p_venue_map](TTLoc& at) { return p_venue_map != nullptr && p_venue_map->StepPrev(at); };
    auto step_next = [p_venue_map](TTLoc& at) { return p_venue_map != nullptr && p_venue_map->StepNext(at); };
    int n_run_before = 0;
    TTLoc last_before;
    TTLoc walk_loc = loc;
    while (step_prev(walk_loc) && walk_loc != loc && HoldsGroup(walk_loc, l_groupKey)) {
        ++n_run_before;
        last_before = walk_loc;
    }
    int n_run_after = 0;
    walk_loc = loc;
    while (step_next(walk_loc) && walk_loc != loc && HoldsGroup(walk_loc, l_groupKey)) {
        if (n_run_before > 0 && walk_loc == last_before)
            break;
        ++n_run_after;
    }
    auto add_nearest = [&](int n_cells, bool b_before) {
        TTLoc at = loc;
        for (int i = 0; i < n_cells; ++i) {
            if (b_before)
                step_prev(at);
            else
                step_next(at);
            chunk.AddSlot(at);
        }
    };

    if (!b_sized) {
        chunk.AddSlot(loc);
        add_nearest(n_run_before, true);
        add_nearest(n_run_after, false);
        return TRUE;
    }

    const GroupMap::VenueMap& venue_map = group_map.GetVenueMap(i_venue);
    const int n_min = venue_map.nMinChunk;
    const int n_max = venue_map.nMaxChunk;
    ZEL_ASSERT(n_min != 0 && n_max != 0);
    ZEL_ASSERT(n_min <= n_max);

    // The chunk is the cell and the n_front cells before it and n_back
    // after it; n_before and n_after are the run's cells left outside.
    int n_size = 1;
    int n_before = n_run_before;
    int n_after = n_run_after;
    while (n_before > n_max && n_size < n_max) {
        --n_before;
        ++n_size;
    }
    while (n_after > n_max && n_size < n_max) {
        --n_after;
        ++n_size;
    }
    while (n_size < n_min && n_before != 0) {
        --n_before;
        ++n_size;
    }
    while (n_size < n_min && n_after != 0) {
        --n_after;
        ++n_size;
    }
    if (n_before > 0 && n_before < n_min) {
        n_size += n_before;
        n_before = 0;
    }
    if (n_after > 0 && n_after < n_min) {
        n_size += n_after;
        n_after = 0;
    }

    chunk.AddSlot(loc);
    add_nearest(n_run_before - n_before, true);
    add_nearest(n_run_after - n_after, false);

    if (chunk.GetNumSlots() != 0 && chunk.GetNumSlots() <= n_max)
        return TRUE;
    const std::string s_info = "Chunk size = " + std::to_string(chunk.GetNumSlots()) + " n_min = "
        + std::to_string(n_min) + " n_max = " + std::to_string(n_max) + " n_before = " + std::to_string(n_before)
        + " n_after = " + std::to_string(n_after);
    ZEL_ASSERT_INFO(chunk.GetNumSlots() != 0 && chunk.GetNumSlots() <= n_max, s_info.c_str());
    return FALSE;
}

// ---- counting runs ----

int TTMap::CountBlocks(int i_group, const TTLoc& begin_loc, const TTLoc& end_loc, TTLoc& fin_loc,
                       TTLocArray* p_list) const
{
    const GroupMap& group_map = GroupMaps[i_group];
    const LONG l_groupKey = GetGroupKey(i_group);
    int n_blocks = 0;
    BOOL b_in_run = FALSE;
    TTLoc loc = begin_loc;
    for (;;) {
        const BOOL b_holds = HoldsGroup(loc, l_groupKey);
        if (b_holds) {
            if (!b_in_run)
                ++n_blocks;
            if (p_list)
                p_list->Add(loc);
        }
        b_in_run = b_holds;
        fin_loc = loc;
        if (loc == end_loc || !group_map.NextSlot(loc))
            break;
    }
    return n_blocks;
}

int TTMap::CountDayBlocks(int i_venue, int i_group, int i_day, TTLocArray* p_list) const
{
    const int i_last_day = i_day;
    ZEL_ASSERT(i_last_day >= 0);
    const int n_slots = GroupMaps[i_group].GetVenueMap(i_venue).GetNumSlots(i_day);
    if (n_slots == 0)
        return 0;
    const TTLoc end_loc(i_day, i_venue, n_slots - 1);
    TTLoc loc(i_day, i_venue, 0);
    int n_blocks = 0;
    for (;;) {
        TTLoc fin_loc;
        n_blocks += CountBlocks(i_group, loc, end_loc, fin_loc, p_list);
        ZEL_ASSERT(fin_loc.GetDay() <= i_last_day);
        if (fin_loc == end_loc || fin_loc.GetDay() != i_day)
            break;
        loc.SetSlot(fin_loc.GetSlot() + 1);
    }
    return n_blocks;
}

int TTMap::CountEventBlocks(int i_venue, int i_group, TTLocArray* p_list) const
{
    const GroupMap::VenueMap& venue_map = GroupMaps[i_group].GetVenueMap(i_venue);
    const int n_days = venue_map.GetNumDays();
    int i_first_day = -1;
    int i_last_day = -1;
    for (int d = 0; d < n_days; ++d) {
        if (venue_map.GetNumSlots(d) > 0) {
            if (i_first_day < 0)
                i_first_day = d;
            i_last_day = d;
        }
    }
    if (i_first_day < 0)
        return 0;
    ZEL_ASSERT(i_last_day >= 0);
    const TTLoc end_loc(i_last_day, i_venue, venue_map.GetNumSlots(i_last_day) - 1);
    TTLoc loc(i_first_day, i_venue, 0);
    int n_blocks = 0;
    for (;;) {
        TTLoc fin_loc;
        n_blocks += CountBlocks(i_group, loc, end_loc, fin_loc, p_list);
        ZEL_ASSERT(fin_loc.GetDay() <= i_last_day);
        if (fin_loc == end_loc)
            break;
        if (fin_loc.GetSlot() + 1 < venue_map.GetNumSlots(fin_loc.GetDay())) {
            loc.Set(fin_loc.GetDay(), i_venue, fin_loc.GetSlot() + 1);
            continue;
        }
        int i_next = fin_loc.GetDay() + 1;
        while (i_next <= i_last_day && venue_map.GetNumSlots(i_next) == 0)
            ++i_next;
        if (i_next > i_last_day)
            break;
        loc.Set(i_next, i_venue, 0);
    }
    return n_blocks;
}
