// The search's state: its depth limits, the chunk moves it is built on
// (taking a chunk out under each option, the completeness of a chunk, the
// check of the locked cells) and the marks that keep a search from undoing
// its own work.
#include "ShufflerBed.h"

#include "engine/ProgressPort.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <functional>

using shufflertest::Bed;
using shufflertest::Range;

namespace {

// Mon with three hour slots in Hall and Barn (six cells) and Tue with one.
void TwoDays(Bed& bed, int n_groups)
{
    bed.event.Days({"Mon", "Tue"}).Slots(0, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    bed.event.Slots(1, {"09:00-10:00"}).Venue("Hall").Venue("Barn");
    for (int i = 0; i < n_groups; ++i)
        bed.event.Group("G" + std::to_string(i));
    bed.event.Timetable();
}

TEST(ShufflerState, DepthLimitFollowsTheModeAndTheGroups)
{
    struct Case {
        int nGroups;
        int iMode;
        UINT uPassed;
        UINT uLimit;
        const char* pWhy;
    };
    const Case a_cases[] = {
        {7, 0, 0, 3, "thorough: half the groups, rounded down"},
        {1, 0, 0, 1, "thorough with one group: at least one level"},
        {3, 0, 0, 1, "thorough with three groups"},
        {7, 1, 0, 8, "complete 1: every cell"},
        {7, 2, 0, 8, "complete 2: every cell"},
        {7, 0, 5, 5, "a limit passed is kept"},
        {7, 2, 2, 2, "also in the complete modes"},
    };
    for (const Case& c : a_cases) {
        HeadlessProgress progress;
        Bed bed;
        TwoDays(bed, c.nGroups);
        bed.Start();
        ASSERT_TRUE(bed.pEngine->StartProgress(6));
        const auto p_shuffler = bed.Make(c.iMode, c.uPassed);
        EXPECT_EQ(p_shuffler->GetDepthLimit(), c.uLimit) << c.pWhy;
        EXPECT_EQ(p_shuffler->GetTotalCells(), 8U) << c.pWhy;
        // The cells are the range of the depth bar.
        EXPECT_EQ(progress.Model()->GetDepthMax(), 8U) << c.pWhy;
    }
}

TEST(ShufflerState, FillRunsWithDepthFourFirst)
{
    struct Case {
        UINT uLimit;
        std::vector<UINT> vDepths;
    };
    const Case a_cases[] = {{10, {4, 10}}, {5, {4, 5}}, {4, {4}}, {3, {3}}, {1, {1}}};
    for (const Case& c : a_cases) {
        UINT a_depths[2] = {0, 0};
        const int n_depths = Shuffler::GetFillDepths(c.uLimit, a_depths);
        EXPECT_EQ(std::vector<UINT>(a_depths, a_depths + n_depths), c.vDepths) << "limit " << c.uLimit;
    }
}

// One day, Hall with 09:00 and 10:00. Choir needs one placement a day; Band,
// at its event minimum, sits in 09:00.
struct OneLevel {
    explicit OneLevel(bool b_choir_late_free)
    {
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
        bed.event.Group("Choir", [](Group& g) { g.SetDayLimits(Range(1, 2)); });
        bed.event.Group("Band", [](Group& g) { g.SetEventLimits(Range(1, 1)); });
        if (!b_choir_late_free)
            bed.event.GroupUnavailable("Choir", 0, "10:00-11:00");
        bed.event.Timetable().Place(0, "Hall", "09:00", "Band");
        bed.Start();
    }
    Bed bed;
};

TEST(ShufflerState, DepthLimitOneOnlyPlacesIntoFreeCells)
{
    {
        // A free cell needs no nested step.
        OneLevel one(true);
        const auto p_shuffler = one.bed.Make(1, 1);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(one.bed.G("Choir"), 0, 1, chunk), BuildEngine::succeeded);
        EXPECT_EQ(one.bed.Cells(), " Band Choir");
        EXPECT_EQ(p_shuffler->GetDeepest(), 1U);
    }
    {
        // Only Band's cell will do: Band has to be raised again, a nested
        // step the limit of 1 refuses.
        OneLevel one(false);
        const std::string s_before = one.bed.State();
        const auto p_shuffler = one.bed.Make(1, 1);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(one.bed.G("Choir"), 0, 1, chunk), BuildEngine::failed);
        EXPECT_EQ(one.bed.State(), s_before);
        EXPECT_EQ(p_shuffler->GetDepth(), 0U);
    }
    {
        OneLevel one(false);
        const auto p_shuffler = one.bed.Make(1, 2);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(one.bed.G("Choir"), 0, 1, chunk), BuildEngine::succeeded);
        EXPECT_EQ(one.bed.Cells(), " Choir Band");
        EXPECT_EQ(p_shuffler->GetDeepest(), 2U);
        EXPECT_TRUE(one.bed.CountsAgree());
        EXPECT_EQ(one.bed.Problems(), std::vector<std::string>{});
    }
}

// Mon with five hour slots in Hall; Choir's chunks in Hall are 3 long.
TEST(ShufflerState, ChunkCompleteByTheRunAtItsEnd)
{
    struct Case {
        std::vector<bool> vHeld;
        bool bComplete;
    };
    const Case a_cases[] = {
        {{true, false, true, true, true}, true},
        {{true, true, true, false, false}, false},
        {{false, false, true, true, true}, true},
        {{true, true, false, true, true}, false},
        {{false, false, false, false, false}, false},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00", "13:00-14:00"});
        bed.event.Venue("Hall").Group("Choir").Alloc("Choir", "Hall", 3, 5).Timetable();
        const char* a_starts[] = {"09:00", "10:00", "11:00", "12:00", "13:00"};
        Chunk chunk;
        chunk.SetVenue(0);
        for (int i = 0; i < 5; ++i) {
            if (c.vHeld[static_cast<std::size_t>(i)])
                bed.event.Place(0, "Hall", a_starts[i], "Choir");
            chunk.AddSlot(0, i);
        }
        bed.Start();
        const auto p_shuffler = bed.Make(0);
        EXPECT_EQ(p_shuffler->IsChunkComplete(0, bed.event.GroupKey("Choir"), chunk) != FALSE, c.bComplete)
            << bed.Cells();
    }

    // Another group inside the chunk breaks the check.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Group("Choir").Group("Band");
    bed.event.Timetable().Place(0, "Hall", "10:00", "Band");
    bed.Start();
    Chunk chunk;
    chunk.SetVenue(0);
    chunk.AddSlot(0, 0);
    chunk.AddSlot(0, 1);
    ZelRecordingErrorReports reports;
    EXPECT_THROW(bed.Make(0)->IsChunkComplete(0, bed.event.GroupKey("Choir"), chunk), ZelAssertException);
}

// Choir holds Hall 09:00 and 10:00 of Mon as one chunk (its chunks there
// are two long); Barn has the same slots.
struct Removal {
    // f_choir sets Choir up, given the Hall's key.
    Removal(const std::function<void(Group&, LONG)>& f_choir, bool b_lock_first)
    {
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
        bed.event.Venue("Hall").Venue("Barn");
        const LONG l_hall = bed.event.VenueKey("Hall");
        bed.event.Group("Choir", [&](Group& g) { f_choir(g, l_hall); }).Alloc("Choir", "Hall", 2, 2);
        bed.event.Timetable().Place(0, "Hall", "09:00", "Choir", b_lock_first).Place(0, "Hall", "10:00", "Choir");
        bed.Start();
        pShuffler = bed.Make(0);
    }
    // RemoveChunk through Hall 10:00; the cells taken out, or 0.
    int Remove(UINT u_options, Shuffler::ReplaceArray* p_replace = nullptr)
    {
        BOOL b_removed = FALSE;
        BOOL b_found = FALSE;
        const int n = pShuffler->RemoveChunk(-1, bed.At(0, "Hall", "10:00"), b_removed, b_found, p_replace, u_options);
        EXPECT_TRUE(b_found);
        EXPECT_EQ(b_removed != FALSE, n > 0 && bed.In(0, "Hall", "10:00") == "-");
        return n;
    }
    Bed bed;
    std::unique_ptr<Shuffler> pShuffler;
};

void VenueMinimum(Group& g, LONG l_hall_key, UINT u_min)
{
    g.SetUseVenueLimits(TRUE);
    VenueLimit limit(l_hall_key);
    limit.Limit = Range(u_min, 9);
    g.GetVenueLimits().InsertSorted(limit);
}

TEST(ShufflerState, RemoveChunkKeepsWhatItsOptionsAskFor)
{
    struct Case {
        const char* pWhy;
        std::function<void(Group&, LONG)> fChoir;
        bool bLockFirst;
        UINT uOptions;
        int nRemoved;
    };
    const auto no_limits = [](Group&, LONG) {};
    const auto day_min_2 = [](Group& g, LONG) { g.SetDayLimits(Range(2, 3)); };
    const auto day_min_1 = [](Group& g, LONG) { g.SetDayLimits(Range(1, 3)); };
    const auto hall_min_1 = [](Group& g, LONG l_hall) { VenueMinimum(g, l_hall, 1); };
    const auto day_rotation = [](Group& g, LONG) { g.SetRotation(Group::e_day_rotation); };
    const Case a_cases[] = {
        {"no options: the whole chunk", no_limits, false, 0, 2},
        {"keep the day minimum: at the minimum", day_min_2, false, Shuffler::e_keep_day_min, 0},
        {"keep the day minimum: the second cell would go below it", day_min_1, false, Shuffler::e_keep_day_min, 0},
        {"the day minimum without the option", day_min_2, false, 0, 2},
        {"keep the venue minimum", hall_min_1, false, Shuffler::e_keep_venue_min, 0},
        {"the venue minimum without the option", hall_min_1, false, 0, 2},
        {"a locked cell stops the removal", no_limits, true, 0, 0},
        {"a locked cell passed over, and kept", no_limits, true, Shuffler::e_skip_locked, 1},
        {"keep the rotation: the group would leave the venue for the day", day_rotation, false,
         Shuffler::e_keep_rotation, 0},
        {"the rotation without the option", day_rotation, false, 0, 2},
    };
    for (const Case& c : a_cases) {
        Removal removal(c.fChoir, c.bLockFirst);
        const std::string s_before = removal.bed.State();
        EXPECT_EQ(removal.Remove(c.uOptions), c.nRemoved) << c.pWhy;
        if (c.nRemoved == 0) {
            EXPECT_EQ(removal.bed.State(), s_before) << c.pWhy;
        }
        if (c.bLockFirst) {
            EXPECT_EQ(removal.bed.In(0, "Hall", "09:00"), "Choir") << c.pWhy;
        }
        EXPECT_TRUE(removal.bed.CountsAgree()) << c.pWhy;
    }
}

TEST(ShufflerState, RemoveChunkRefusesTheSearchesOwnWork)
{
    {
        // A cell the present step just placed.
        Removal removal([](Group&, LONG) {}, false);
        removal.pShuffler->GetExclude().SetPlacedHere(removal.bed.At(0, "Hall", "09:00"));
        EXPECT_EQ(removal.Remove(0), 0);
    }
    {
        // The mark on a locked cell passed over does not count.
        Removal removal([](Group&, LONG) {}, true);
        removal.pShuffler->GetExclude().SetPlacedHere(removal.bed.At(0, "Hall", "09:00"));
        EXPECT_EQ(removal.Remove(Shuffler::e_skip_locked), 1);
    }
    {
        // A protected group.
        Removal removal([](Group&, LONG) {}, false);
        removal.pShuffler->SetProtected(0, 1);
        EXPECT_EQ(removal.Remove(0), 0);
        removal.pShuffler->SetProtected(0, 0);
        EXPECT_EQ(removal.Remove(0), 2);
    }
    {
        // An empty cell: no group found, nothing taken out.
        Removal removal([](Group&, LONG) {}, false);
        BOOL b_removed = TRUE;
        BOOL b_found = TRUE;
        EXPECT_EQ(removal.pShuffler->RemoveChunk(-1, removal.bed.At(0, "Hall", "11:00"), b_removed, b_found, nullptr, 0), 0);
        EXPECT_FALSE(b_found);
        EXPECT_FALSE(b_removed);
    }
}

TEST(ShufflerState, RemoveChunkRecordsTheMinimumsItBreaks)
{
    // Choir needs two placements a day and three over the event; each cell
    // taken out is recorded with the totals it left.
    Removal removal(
        [](Group& g, LONG) {
            g.SetDayLimits(Range(2, 3));
            g.SetEventLimits(Range(3, 9));
        },
        false);
    Shuffler::ReplaceArray a_replace;
    EXPECT_EQ(removal.Remove(0, &a_replace), 2);
    ASSERT_EQ(a_replace.GetSize(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(a_replace[i].iGroup, 0);
        EXPECT_EQ(a_replace[i].iDay, 0);
        EXPECT_EQ(a_replace[i].iVenue, -1);
        EXPECT_EQ(a_replace[i].uDayCount, static_cast<UINT>(2 - i));
        EXPECT_EQ(a_replace[i].lEventCount, 2 - i);
    }

    // A group with a venue limit records the venue, not the event.
    Removal venue(
        [](Group& g, LONG l_hall) { VenueMinimum(g, l_hall, 2); },
        false);
    Shuffler::ReplaceArray a_venue_replace;
    EXPECT_EQ(venue.Remove(0, &a_venue_replace), 2);
    ASSERT_EQ(a_venue_replace.GetSize(), 2);
    EXPECT_EQ(a_venue_replace[0].iVenue, 0);
    EXPECT_EQ(a_venue_replace[0].uVenueCount, 2U);
    EXPECT_EQ(a_venue_replace[0].lEventCount, -1);
    EXPECT_EQ(a_venue_replace[0].iDay, -1);
}

// Mon and Tue with three hour slots in Hall; Choir's chunks are two long.
struct Locks {
    Locks()
    {
        bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
        bed.event.Group("Choir").Group("Band").Alloc("Choir", "Hall", 2, 2).Timetable();
    }
    int Check(int& i_group, int& i_day, int& i_venue)
    {
        bed.Start();
        const auto p_shuffler = bed.Make(0);
        return p_shuffler->CheckLockedCells(i_group, i_day, i_venue);
    }
    Bed bed;
};

TEST(ShufflerState, CheckLockedCellsCompletesLockedChunks)
{
    {
        Locks locks;
        int i_group = -1, i_day = -1, i_venue = -1;
        EXPECT_EQ(locks.Check(i_group, i_day, i_venue), BuildEngine::succeeded);
        EXPECT_EQ(locks.bed.Cells(), " - - - | - - -");
    }
    {
        // A lock of a two-slot chunk gets its second cell.
        Locks locks;
        locks.bed.event.Place(1, "Hall", "11:00", "Choir", true);
        int i_group = -1, i_day = -1, i_venue = -1;
        EXPECT_EQ(locks.Check(i_group, i_day, i_venue), BuildEngine::succeeded);
        EXPECT_EQ(locks.bed.Cells(), " - - - | - Choir Choir*");
        EXPECT_TRUE(locks.bed.CountsAgree());
    }
    {
        // Mon's lock cannot be completed (Band locked beside it, the day's
        // end on the other side); Tue's cannot either. Mon is reported.
        Locks locks;
        locks.bed.event.Place(0, "Hall", "11:00", "Choir", true).Place(0, "Hall", "10:00", "Band", true);
        locks.bed.event.Place(1, "Hall", "09:00", "Band", true).Place(1, "Hall", "10:00", "Choir", true);
        locks.bed.event.Place(1, "Hall", "11:00", "Band", true);
        int i_group = -1, i_day = -1, i_venue = -1;
        const std::string s_before = locks.bed.Cells();
        EXPECT_EQ(locks.Check(i_group, i_day, i_venue), BuildEngine::failed);
        EXPECT_EQ(i_group, locks.bed.G("Choir"));
        EXPECT_EQ(i_day, 0);
        EXPECT_EQ(i_venue, 0);
        EXPECT_EQ(locks.bed.Cells(), s_before);
    }
}

} // namespace
