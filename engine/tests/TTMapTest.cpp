// The build map: which cells a group may take, stepping along them across
// days, the candidate chunks, the chunk a placement takes, the placed run
// through a cell and the counting of runs.
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

// The cells of a chunk as "day:slot" texts.
std::string Cells(const Chunk& chunk)
{
    std::string s_cells;
    for (int i = 0; i < chunk.GetNumSlots(); ++i) {
        if (i > 0)
            s_cells += ' ';
        s_cells += std::to_string(chunk.GetSlot(i).iDay) + ":" + std::to_string(chunk.GetSlot(i).iSlot);
    }
    return s_cells;
}

std::string Flags(const TTMap& map, int i_group, int i_venue, int i_day)
{
    const TTMap::GroupMap::VenueMap::Slots& flags = map.GetGroupMap(i_group).GetVenueMap(i_venue).GetDay(i_day);
    std::string s_flags;
    for (int s = 0; s < flags.GetNumSlots(); ++s)
        s_flags += static_cast<char>('0' + flags.GetFlag(s));
    return s_flags;
}

// Puts the group into the venue's slot i_slot of the day.
void PlaceAt(EventBuilder& event, int i_day, const std::string& s_venue, int i_slot, const std::string& s_group)
{
    event.Doc().GetTimetable()->GetDay(i_day).GetVenueSlots(event.VenueIndex(s_venue))[i_slot].SetGroup(
        event.GroupKey(s_group));
}

const std::initializer_list<std::string> kEightSlots = {"08:00-09:00", "09:00-10:00", "10:00-11:00", "11:00-12:00",
                                                        "12:00-13:00", "13:00-14:00", "14:00-15:00", "15:00-16:00"};

TEST(TTMap, FlagsFollowSuitabilityLocksAndAvailability)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    event.Style("Jazz").Style("Folk").Venue("Hall", {"Jazz"}).Venue("Barn");
    event.Group("Choir").GroupStyles("Choir", {"Folk"}).Group("Band").Group("Trio").GroupStyles("Trio", {"Jazz"});
    event.GroupUnavailable("Choir", 0, "09:00-10:00");
    event.Timetable().Place(0, "Barn", "10:00", "Band", true).Place(0, "Barn", "11:00", "Choir", true);
    event.Place(0, "Hall", "09:00", "Choir");

    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();
    const int i_choir = 0, i_band = 1, i_trio = 2, i_hall = 0, i_barn = 1;
    ASSERT_EQ(map.GetNumGroups(), 3);
    EXPECT_EQ(map.GetGroupMap(i_trio).GetGroup(), i_trio);

    struct Case {
        int iGroup;
        int iVenue;
        const char* pFlags;
        const char* pWhy;
    };
    const Case a_cases[] = {
        {i_choir, i_hall, "000", "a venue with styles, none of them the group's, is shut, even where it is free"},
        {i_choir, i_barn, "001", "unavailable at 9, another group's lock at 10, its own lock at 11"},
        {i_band, i_hall, "000", "a group without styles does not suit a venue with styles"},
        {i_band, i_barn, "110", "its own lock at 10, the other group's lock at 11"},
        {i_trio, i_hall, "111", "a shared style; an unlocked placement of another group shuts nothing"},
        {i_trio, i_barn, "100", "both locks belong to other groups"},
    };
    for (const Case& c : a_cases) {
        EXPECT_EQ(Flags(map, c.iGroup, c.iVenue, 0), c.pFlags) << c.pWhy;
        const std::string s_flags = c.pFlags;
        EXPECT_EQ(map.GetGroupMap(c.iGroup).GetVenueMap(c.iVenue).GetDay(0).nAllowed,
                  std::count(s_flags.begin(), s_flags.end(), '1'))
            << c.pWhy;
    }
}

TEST(TTMap, ChunkSizesComeFromTheAllocations)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Venue("Loft");
    event.Group("Choir").Alloc("Choir", "Hall", 0, 5000, true).Alloc("Choir", "Barn", 2, 3).Timetable();
    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();
    struct Case {
        const char* pVenue;
        int nMin;
        int nMax;
        BOOL bAcross;
    };
    const Case a_cases[] = {{"Hall", 1, 999, TRUE}, {"Barn", 2, 3, FALSE}, {"Loft", 1, 999, FALSE}};
    for (const Case& c : a_cases) {
        const TTMap::GroupMap::VenueMap& venue_map = map.GetGroupMap(0).GetVenueMap(event.VenueIndex(c.pVenue));
        EXPECT_EQ(venue_map.nMinChunk, c.nMin) << c.pVenue;
        EXPECT_EQ(venue_map.nMaxChunk, c.nMax) << c.pVenue;
        EXPECT_EQ(venue_map.bAcrossDays, c.bAcross) << c.pVenue;
    }
}

TEST(TTMap, DayFlagsInPlaceAndOnTheHeap)
{
    using Slots = TTMap::GroupMap::VenueMap::Slots;
    for (const int n_slots : {3, 16, 17, 40}) {
        Slots flags;
        flags.SetNumSlots(n_slots);
        flags.SetFlag(0, 1);
        flags.SetFlag(n_slots - 1, 1);
        flags.SetFlag(n_slots - 1, 1);
        EXPECT_EQ(flags.nAllowed, 2) << n_slots;
        Slots copy(flags);
        copy.SetFlag(0, 0);
        EXPECT_EQ(flags.GetFlag(0), 1) << n_slots << ": copies are apart";
        EXPECT_EQ(copy.nAllowed, 1) << n_slots;
        Slots assigned;
        assigned.SetNumSlots(20);
        assigned = copy;
        const Slots& same = assigned;
        assigned = same;
        EXPECT_EQ(assigned.GetNumSlots(), n_slots);
        EXPECT_TRUE(assigned.IsAllowed(n_slots - 1) && !assigned.IsAllowed(0)) << n_slots;
        flags.SetNumSlots(n_slots);
        EXPECT_EQ(flags.nAllowed, 0) << n_slots;
        for (int s = 0; s < n_slots; ++s)
            EXPECT_EQ(flags.GetFlag(s), 0) << n_slots << " slot " << s;
    }
}

TEST(TTMap, SetNumGroupsGivesFreshMaps)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(0, {"09:00-10:00"}).Venue("Hall").Group("Choir").Timetable();
    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();
    map.SetNumGroups(2);
    ASSERT_EQ(map.GetNumGroups(), 2);
    EXPECT_EQ(map.GetGroupMap(0).GetGroup(), -1);
    EXPECT_EQ(map.GetGroupMap(0).GetNumVenues(), 0);
    map.GetGroupMap(1).SetGroup(1);
    ZelRecordingErrorReports reports;
    EXPECT_THROW(map.GetGroupMap(1).SetGroup(1), ZelAssertException) << "numbered once only";
}

// Three custom days of two slots each; Mon is followed by Tue, Tue is not
// followed by Wed, and Wed (the last) by Mon only in a ring. Band is
// locked into Tue's first slot when asked.
struct ThreeDays {
    ThreeDays(bool b_across, bool b_ring, bool b_lockTuesday = false)
    {
        event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
        event.Consecutive(0).Consecutive(2, b_ring).Group("Choir").Group("Band");
        event.Alloc("Choir", "Hall", 1, 9, b_across).Timetable();
        if (b_lockTuesday)
            event.Place(1, "Hall", "09:00", "Band", true);
        pMap = std::make_unique<TTMap>(&event.Doc(), event.Doc().GetTimetable());
        pMap->Build();
    }
    const TTMap::GroupMap& Choir() const { return pMap->GetGroupMap(0); }

    EventBuilder event;
    std::unique_ptr<TTMap> pMap;
};

TEST(TTMapStepping, AcrossDaysOnlyWhereTheDaysFollowEachOther)
{
    struct Case {
        bool bAcross;
        bool bRing;
        bool bLock;
        bool bNext;
        TTLoc from;
        bool bFound;
        TTLoc to;
    };
    const Case a_cases[] = {
        {true, false, false, true, TTLoc(0, 0, 0), true, TTLoc(0, 0, 1)},
        {true, false, false, true, TTLoc(0, 0, 1), true, TTLoc(1, 0, 0)},
        {false, false, false, true, TTLoc(0, 0, 1), false, TTLoc()},
        {true, false, true, true, TTLoc(0, 0, 1), false, TTLoc()},
        {true, false, false, true, TTLoc(1, 0, 1), false, TTLoc()},
        {true, false, false, true, TTLoc(2, 0, 1), false, TTLoc()},
        {true, true, false, true, TTLoc(2, 0, 1), true, TTLoc(0, 0, 0)},
        {true, false, false, false, TTLoc(1, 0, 0), true, TTLoc(0, 0, 1)},
        {false, false, false, false, TTLoc(1, 0, 0), false, TTLoc()},
        {true, false, false, false, TTLoc(2, 0, 0), false, TTLoc()},
        {true, false, false, false, TTLoc(0, 0, 0), false, TTLoc()},
        {true, true, false, false, TTLoc(0, 0, 0), true, TTLoc(2, 0, 1)},
        {true, false, false, true, TTLoc(-1, 0, 0), false, TTLoc()},
    };
    for (const Case& c : a_cases) {
        ThreeDays days(c.bAcross, c.bRing, c.bLock);
        TTLoc loc = c.from;
        const BOOL b_found = c.bNext ? days.Choir().NextSlot(loc) : days.Choir().PrevSlot(loc);
        const std::string s_case = std::string(c.bNext ? "next" : "prev") + " from "
            + std::to_string(c.from.GetDay()) + ":" + std::to_string(c.from.GetSlot()) + (c.bAcross ? " across" : "")
            + (c.bRing ? " ring" : "") + (c.bLock ? " locked" : "");
        EXPECT_EQ(b_found != FALSE, c.bFound) << s_case;
        EXPECT_EQ(loc, c.bFound ? c.to : c.from) << s_case << ": a failed step leaves the cell as it was";
    }
}

TEST(TTMapStepping, AdjacentCellOfAChunk)
{
    ThreeDays days(true, false);
    Chunk chunk;
    TTLoc loc;
    EXPECT_FALSE(days.Choir().GetAdjacentSlot(FALSE, chunk, loc)) << "an empty chunk has no neighbour";
    chunk.SetVenue(0);
    chunk.AddSlot(0, 1);
    chunk.AddSlot(0, 0);
    ASSERT_TRUE(days.Choir().GetAdjacentSlot(FALSE, chunk, loc));
    EXPECT_EQ(loc, TTLoc(1, 0, 0));
    EXPECT_FALSE(days.Choir().GetAdjacentSlot(TRUE, chunk, loc));
}

// One day of eight slots in one venue.
struct EightSlots {
    EightSlots(UINT u_min, UINT u_max)
    {
        event.Days({"Mon"}).Slots(0, kEightSlots).Venue("Hall").Group("Choir").Group("Band");
        event.Alloc("Choir", "Hall", u_min, u_max).Timetable();
    }
    void Place(std::initializer_list<int> a_slots, const std::string& s_group = "Choir")
    {
        for (int s : a_slots)
            PlaceAt(event, 0, "Hall", s, s_group);
    }
    TTMap& Map()
    {
        if (!pMap) {
            pMap = std::make_unique<TTMap>(&event.Doc(), event.Doc().GetTimetable());
            pMap->Build();
        }
        return *pMap;
    }

    EventBuilder event;
    std::unique_ptr<TTMap> pMap;
};

TEST(TTMapChunks, EnumerationSlidesOneCellAtATime)
{
    // Cells 0 to 4 allowed (5 to 7 taken by another group's locks).
    EightSlots hall(3, 5);
    hall.Place({5, 6, 7}, "Band");
    for (int s = 5; s < 8; ++s)
        hall.event.Doc().GetTimetable()->GetDay(0).GetVenueSlots(0)[s].SetLocked(TRUE);
    TTMap& map = hall.Map();
    TTMap::ChunkPos pos;
    Chunk chunk;
    std::vector<std::string> v_chunks;
    for (BOOL b_found = map.GetFirstChunk(0, pos, chunk, -1, -1); b_found;
         b_found = map.GetNextChunk(pos, chunk, -1, -1))
        v_chunks.push_back(Cells(chunk));
    EXPECT_EQ(v_chunks, (std::vector<std::string>{"0:0 0:1 0:2", "0:1 0:2 0:3", "0:2 0:3 0:4"}));
    EXPECT_EQ(pos.GetGroup(), 0);
    EXPECT_EQ(pos.GetVenue(), 0);
    EXPECT_EQ(pos.GetWrapSlot(), 0);
}

TEST(TTMapChunks, EnumerationByVenueAndDay)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Alloc("Choir", "Hall", 2, 2).Alloc("Choir", "Barn", 2, 2).Timetable();
    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();
    struct Case {
        int iVenue;
        int iDay;
        std::vector<std::string> vChunks;
    };
    const Case a_cases[] = {
        {-1, -1, {"0:0 0:1", "1:0 1:1", "0:0 0:1", "1:0 1:1"}},
        {1, -1, {"0:0 0:1", "1:0 1:1"}},
        {-1, 1, {"1:0 1:1", "1:0 1:1"}},
        {0, 1, {"1:0 1:1"}},
    };
    for (const Case& c : a_cases) {
        TTMap::ChunkPos pos;
        Chunk chunk;
        std::vector<std::string> v_chunks;
        std::vector<int> v_venues;
        for (BOOL b_found = map.GetFirstChunk(0, pos, chunk, c.iVenue, c.iDay); b_found;
             b_found = map.GetNextChunk(pos, chunk, c.iVenue, c.iDay)) {
            v_chunks.push_back(Cells(chunk));
            v_venues.push_back(chunk.GetVenue());
        }
        EXPECT_EQ(v_chunks, c.vChunks) << "venue " << c.iVenue << " day " << c.iDay;
        if (c.iVenue >= 0) {
            EXPECT_EQ(v_venues, std::vector<int>(c.vChunks.size(), c.iVenue));
        }
    }
}

TEST(TTMapChunks, MakeChunkJoinsRunsAndFillsASingleGap)
{
    struct Case {
        UINT uMin;
        UINT uMax;
        std::initializer_list<int> aChoir;
        std::initializer_list<int> aBand;
        int iStart;
        BOOL bEmptyStart;
        int iFormer;
        BOOL bMade;
        const char* pCells;
        const char* pWhy;
    };
    const Case a_cases[] = {
        {3, 4, {1, 2}, {}, 3, TRUE, -1, TRUE, "0:1 0:2 0:3", "joined to the run before it"},
        {3, 4, {0, 1}, {}, 3, TRUE, -1, TRUE, "0:0 0:1 0:2 0:3", "the single gap to the run before is filled"},
        {3, 3, {0, 1}, {}, 3, TRUE, -1, TRUE, "0:3 0:4 0:5", "the joined run would be too long: grows after"},
        {3, 4, {}, {}, 3, TRUE, -1, TRUE, "0:1 0:2 0:3", "empty cells before: grows back first"},
        {3, 4, {}, {1}, 3, TRUE, -1, TRUE, "0:2 0:3 0:4", "one empty cell before another group's: grows after"},
        {1, 4, {1, 2, 3, 4}, {}, 5, TRUE, -1, FALSE, "0:1 0:2 0:3 0:4 0:5", "the joined run is too long"},
        {1, 4, {}, {3}, 3, TRUE, -1, FALSE, "", "the start cell holds another group"},
        {1, 4, {2}, {}, 2, FALSE, -1, TRUE, "0:2", "the start cell holds the group already"},
        {1, 4, {}, {}, 2, FALSE, -1, FALSE, "", "the start cell does not hold the group"},
        {1, 4, {2}, {}, 3, TRUE, 2, FALSE, "0:3", "the run before is the group's present chunk"},
        {1, 4, {}, {}, 3, TRUE, 3, FALSE, "", "the start cell is the present chunk's first"},
        {3, 4, {}, {4, 6}, 5, TRUE, -1, FALSE, "0:5", "no room to grow between other groups"},
    };
    for (const Case& c : a_cases) {
        EightSlots hall(c.uMin, c.uMax);
        hall.Place(c.aChoir);
        hall.Place(c.aBand, "Band");
        Chunk chunk;
        if (c.iFormer >= 0) {
            chunk.SetVenue(0);
            chunk.AddSlot(0, c.iFormer);
        }
        const BOOL b_made = hall.Map().MakeChunk(0, chunk, 0, 0, c.iStart, c.bEmptyStart);
        EXPECT_EQ(b_made, c.bMade) << c.pWhy;
        if (*c.pCells || c.bMade) {
            EXPECT_EQ(Cells(chunk), c.pCells) << c.pWhy;
        }
    }
}

TEST(TTMapChunks, PlacedRunWholeOrSized)
{
    struct Case {
        int nRun;
        int iCell;
        BOOL bSized;
        const char* pCells;
        const char* pWhy;
    };
    const Case a_cases[] = {
        {7, 3, FALSE, "0:0 0:1 0:2 0:3 0:4 0:5 0:6", "the whole run"},
        {7, 3, TRUE, "0:2 0:3", "the middle of seven leaves runs of 2 and 3"},
        {6, 2, TRUE, "0:0 0:1 0:2", "no single cell is left before"},
        {3, 0, TRUE, "0:0 0:1 0:2", "the whole short run"},
    };
    for (const Case& c : a_cases) {
        EightSlots hall(2, 3);
        for (int s = 0; s < c.nRun; ++s)
            hall.Place({s});
        Chunk chunk;
        EXPECT_TRUE(hall.Map().GetPlacedChunk(0, chunk, 0, 0, c.iCell, c.bSized)) << c.pWhy;
        EXPECT_EQ(Cells(chunk), c.pCells) << c.pWhy;
        EXPECT_EQ(chunk.GetVenue(), 0);
    }

    EightSlots hall(2, 3);
    hall.Place({0, 1});
    Chunk chunk;
    EXPECT_FALSE(hall.Map().GetPlacedChunk(0, chunk, 0, 0, 2, FALSE)) << "an empty cell has no run";
}

TEST(TTMapChunks, PlacedRunTooLongForTheSizesFailsItsCheck)
{
    EightSlots hall(2, 3);
    for (int s = 0; s < 7; ++s)
        hall.Place({s});
    Chunk chunk;
    ZelRecordingErrorReports reports;
    EXPECT_THROW(hall.Map().GetPlacedChunk(0, chunk, 0, 0, 1, TRUE), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 1u);
    const std::string& s_report = reports.Reports()[0].sReport;
    EXPECT_NE(s_report.find("Error: chunk.GetNumSlots() != 0 && chunk.GetNumSlots() <= n_max"), std::string::npos)
        << s_report;
    EXPECT_NE(s_report.find("Other information: Chunk size = 4 n_min = 2 n_max = 3 n_before = 0 n_after = 3"),
              std::string::npos)
        << s_report;
}

TEST(TTMapChunks, AnAllocationWithItsMinimumAboveItsMaximumFailsTheChecks)
{
    struct Case {
        UINT uMin;
        UINT uMax;
    };
    for (const Case& c : {Case{5, 3}, Case{1200, 5000}}) {
        EightSlots hall(c.uMin, c.uMax);
        hall.Place({0});
        ZelRecordingErrorReports reports;
        Chunk chunk;
        EXPECT_THROW(hall.Map().MakeChunk(0, chunk, 0, 0, 1, TRUE), ZelAssertException);
        EXPECT_THROW(hall.Map().GetPlacedChunk(0, chunk, 0, 0, 0, TRUE), ZelAssertException);
        ASSERT_EQ(reports.Reports().size(), 2u);
        for (const ZelErrorReport& report : reports.Reports())
            EXPECT_NE(report.sReport.find("Error: n_min <= n_max"), std::string::npos) << report.sReport;
    }
}

TEST(TTMapRuns, ARunIntoTheNextDayCountsOnceOverTheEvent)
{
    for (bool b_across : {true, false}) {
        EventBuilder event;
        event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
        event.VenueSlots(1, "Hall", {}).Consecutive(0).Consecutive(1);
        event.Group("Choir").Alloc("Choir", "Hall", 1, 9, b_across).Timetable();
        ASSERT_EQ(event.Doc().GetTimetable()->GetDay(1).GetVenueSlots(0).GetSize(), 0);
        // Mon: . C C  Tue: (none)  Wed: C . C -- and Mon is followed by Tue,
        // so Mon's run cannot go on into Wed.
        PlaceAt(event, 0, "Hall", 1, "Choir");
        PlaceAt(event, 0, "Hall", 2, "Choir");
        PlaceAt(event, 2, "Hall", 0, "Choir");
        PlaceAt(event, 2, "Hall", 2, "Choir");
        TTMap map(&event.Doc(), event.Doc().GetTimetable());
        map.Build();
        EXPECT_EQ(map.CountEventBlocks(0, 0, nullptr), 3) << "a day without slots breaks the run";
        EXPECT_EQ(map.CountDayBlocks(0, 0, 1, nullptr), 0);
    }

    for (bool b_across : {true, false}) {
        EventBuilder event;
        event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
        event.Consecutive(0).Group("Choir").Alloc("Choir", "Hall", 1, 9, b_across).Timetable();
        // Mon: . . C  Tue: C . C
        PlaceAt(event, 0, "Hall", 2, "Choir");
        PlaceAt(event, 1, "Hall", 0, "Choir");
        PlaceAt(event, 1, "Hall", 2, "Choir");
        TTMap map(&event.Doc(), event.Doc().GetTimetable());
        map.Build();
        TTLocArray a_cells;
        EXPECT_EQ(map.CountEventBlocks(0, 0, &a_cells), b_across ? 2 : 3);
        ASSERT_EQ(a_cells.GetSize(), 3) << "every cell holding the group, in walking order";
        EXPECT_EQ(a_cells[0], TTLoc(0, 0, 2));
        EXPECT_EQ(a_cells[1], TTLoc(1, 0, 0));
        EXPECT_EQ(a_cells[2], TTLoc(1, 0, 2));
        EXPECT_EQ(map.CountDayBlocks(0, 0, 0, nullptr), 1) << "a run counts on each day it touches";
        EXPECT_EQ(map.CountDayBlocks(0, 0, 1, nullptr), 2);

        TTLoc fin_loc;
        EXPECT_EQ(map.CountBlocks(0, TTLoc(0, 0, 0), TTLoc(0, 0, 2), fin_loc, nullptr), 1);
        EXPECT_EQ(fin_loc, TTLoc(0, 0, 2));
    }
}

TEST(TTMapRuns, ACellShutToTheGroupEndsTheWalk)
{
    EightSlots hall(1, 9);
    hall.Place({0, 1, 3});
    hall.Place({2}, "Band");
    hall.event.Doc().GetTimetable()->GetDay(0).GetVenueSlots(0)[2].SetLocked(TRUE);
    TTLoc fin_loc;
    EXPECT_EQ(hall.Map().CountBlocks(0, TTLoc(0, 0, 0), TTLoc(0, 0, 7), fin_loc, nullptr), 1);
    EXPECT_EQ(fin_loc, TTLoc(0, 0, 1)) << "the walk stops before the locked cell";
    EXPECT_EQ(hall.Map().CountDayBlocks(0, 0, 0, nullptr), 2) << "and the day's count goes on after it";
    EXPECT_EQ(hall.Map().CountEventBlocks(0, 0, nullptr), 2);
}

// Days that follow each other in a ring: Mon, Tue, Mon, ...; a chunk may
// run on from one into the next, round and round.
TEST(TTMapRing, EveryWalkEnds)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Consecutive(0).Consecutive(1);
    event.Group("Choir").Alloc("Choir", "Hall", 3, 9, true).Timetable();
    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();

    TTMap::ChunkPos pos;
    Chunk chunk;
    EXPECT_FALSE(map.GetFirstChunk(0, pos, chunk, -1, -1)) << "the ring holds two cells, a chunk needs three";
    chunk.RemoveAll();
    EXPECT_FALSE(map.MakeChunk(0, chunk, 0, 0, 0, TRUE));
    EXPECT_EQ(Cells(chunk), "0:0 1:0");

    PlaceAt(event, 0, "Hall", 0, "Choir");
    PlaceAt(event, 1, "Hall", 0, "Choir");
    ASSERT_TRUE(map.GetPlacedChunk(0, chunk, 0, 1, 0, FALSE));
    EXPECT_EQ(Cells(chunk), "0:0 1:0");
}

TEST(TTMapRing, EnumerationEndsWhenAChunkRunsPastTheWrapStart)
{
    // Mon: allowed, shut;  Tue: allowed; Tue is followed by Mon.
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Venue("Hall").Slots(0, {"09:00-10:00", "10:00-11:00"}).Slots(1, {"09:00-10:00"});
    event.Consecutive(0).Consecutive(1).Group("Choir").Group("Band");
    event.Alloc("Choir", "Hall", 3, 9, true).Timetable().Place(0, "Hall", "10:00", "Band", true);
    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();
    TTMap::ChunkPos pos;
    Chunk chunk;
    EXPECT_FALSE(map.GetFirstChunk(0, pos, chunk, -1, -1));
}

TEST(Chunk, DaysLocsAndGroups)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Timetable();
    PlaceAt(event, 1, "Barn", 0, "Choir");
    Chunk chunk;
    EXPECT_FALSE(chunk.HasDay(0));
    EXPECT_EQ(chunk.FindOtherDay(0), -1);
    chunk.SetVenue(1);
    chunk.AddSlot(1, 1);
    chunk.AddSlot(0, 1);
    chunk.AddSlot(1, 0);
    EXPECT_EQ(Cells(chunk), "0:1 1:0 1:1") << "cells are kept in order";

    ZelSortedArray<int> a_days;
    EXPECT_EQ(chunk.GetDays(a_days), 2);
    EXPECT_EQ(a_days[0], 0);
    EXPECT_EQ(a_days[1], 1);
    TTLocArray a_locs;
    a_locs.Add(TTLoc(5, 5, 5));
    EXPECT_EQ(chunk.GetLocs(a_locs), 3);
    EXPECT_EQ(a_locs[0], TTLoc(0, 1, 1));
    EXPECT_EQ(a_locs[2], TTLoc(1, 1, 1));
    EXPECT_EQ(chunk.GetSlot(1).GetLoc(1), TTLoc(1, 1, 0));

    EXPECT_TRUE(chunk.HasDay(1));
    EXPECT_FALSE(chunk.HasDay(2));
    EXPECT_EQ(chunk.FindOtherDay(0), 1);
    EXPECT_EQ(chunk.FindOtherDay(1), 0);

    const Timetable& timetable = *event.Doc().GetTimetable();
    const LONG l_choir = event.GroupKey("Choir");
    EXPECT_TRUE(chunk.HoldsGroup(timetable, l_choir, -1));
    EXPECT_TRUE(chunk.HoldsGroup(timetable, l_choir, 1));
    EXPECT_FALSE(chunk.HoldsGroup(timetable, l_choir, 0));
    Chunk other_venue;
    other_venue.SetVenue(0);
    other_venue.AddSlot(1, 0);
    EXPECT_FALSE(other_venue.HoldsGroup(timetable, l_choir, -1));
    Chunk no_venue;
    no_venue.AddSlot(1, 0);
    EXPECT_FALSE(no_venue.HoldsGroup(timetable, l_choir, -1)) << "a cell with a negative part is no timeslot";
}

} // namespace

// The list of a group's chunks is the enumeration over every venue and
// day, chunk for chunk, read in turn or by index, and again after the lists
// were dropped: runs of one cell, of two in two venues, of seven (longer
// than a chunk holds in itself), and runs across a ring of days.
TEST(TTMapChunkList, ListsWhatTheEnumerationGives)
{
    struct Case {
        const char* szName;
        std::function<void(EventBuilder&)> fMake;
    };
    const Case a_cases[] = {
        {"single cells",
         [](EventBuilder& e) {
             e.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
             e.Group("Choir").Group("Band").Alloc("Band", "Barn", 1, 1);
         }},
        {"pairs in two venues",
         [](EventBuilder& e) {
             e.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Barn");
             e.Group("Choir").Alloc("Choir", "Hall", 2, 2).Alloc("Choir", "Barn", 2, 3);
         }},
        {"seven in a row",
         [](EventBuilder& e) {
             e.Days({"Mon"}).Slots(0, kEightSlots).Venue("Hall").Group("Choir").Alloc("Choir", "Hall", 7, 8);
         }},
        {"across a ring of days",
         [](EventBuilder& e) {
             e.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
             e.Consecutive(0).Consecutive(1).Consecutive(2).Group("Choir").Alloc("Choir", "Hall", 3, 4, true);
         }},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        c.fMake(event);
        event.Timetable();
        TTMap map(&event.Doc(), event.Doc().GetTimetable());
        map.Build();
        for (const bool b_dropped : {false, true}) {
            if (b_dropped)
                map.DropChunkLists();
            std::vector<const ChunkList*> v_lists;
            for (int g = 0; g < map.GetNumGroups(); ++g) {
                std::vector<std::string> v_walked;
                TTMap::ChunkPos pos;
                Chunk chunk;
                for (BOOL b_found = map.GetFirstChunk(g, pos, chunk, -1, -1); b_found;
                     b_found = map.GetNextChunk(pos, chunk, -1, -1))
                    v_walked.push_back(std::to_string(chunk.GetVenue()) + "/" + Cells(chunk));
                const ChunkList* p_list = map.FindChunkList(g);
                ASSERT_NE(p_list, nullptr) << c.szName;
                std::vector<std::string> v_indexed;
                std::vector<std::string> v_read;
                Chunk listed;
                for (int i = 0; i < p_list->GetSize(); ++i) {
                    p_list->GetChunk(i, listed);
                    v_indexed.push_back(std::to_string(listed.GetVenue()) + "/" + Cells(listed));
                }
                ChunkList::Cursor cursor;
                while (p_list->Next(cursor, listed))
                    v_read.push_back(std::to_string(listed.GetVenue()) + "/" + Cells(listed));
                EXPECT_FALSE(v_walked.empty()) << c.szName << ", group " << g;
                EXPECT_EQ(v_indexed, v_walked) << c.szName << ", group " << g << (b_dropped ? ", dropped" : "");
                EXPECT_EQ(v_read, v_walked) << c.szName << ", group " << g << (b_dropped ? ", dropped" : "");
                v_lists.push_back(p_list);
            }
            // A search walking one group's list makes the others' as it
            // goes: every list handed out stays where it was.
            for (int g = 0; g < map.GetNumGroups(); ++g)
                EXPECT_EQ(map.FindChunkList(g), v_lists[static_cast<std::size_t>(g)]) << c.szName;
        }
    }
}
