// Raising a group to its minimums: the strategies of each mode on small
// events, placing into a chunk under each mode, and on generated events
// the promise of every raise (the group's other totals kept up to their
// minimums, a valid timetable) or, when it fails, nothing changed.
#include "ShufflerBed.h"

#include "generators/EventGenerator.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

using shufflertest::Bed;
using shufflertest::Range;

namespace {

// Mon with 09:00 and 10:00 in Hall and in Barn, which only groups of the
// Dance style suit. Gee (Ann sings in it) fits only Hall at 09:00, where
// Ole sits; Cly (Ann again) sits in Barn at 09:00. Ole and Cly are at their
// event minimums.
struct Swap {
    Swap()
    {
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Style("Dance");
        bed.event.Venue("Hall").Venue("Barn", {"Dance"}).Participant("Ann Lee");
        bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(1, 2)); }).Member("Gee", "Ann Lee");
        bed.event.GroupUnavailable("Gee", 0, "10:00-11:00");
        bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).GroupStyles("Ole", {"Dance"});
        bed.event.Group("Cly", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).GroupStyles("Cly", {"Dance"});
        bed.event.Member("Cly", "Ann Lee").Timetable();
        bed.event.Place(0, "Hall", "09:00", "Ole").Place(0, "Barn", "09:00", "Cly");
        bed.Start();
    }
    Bed bed;
};

TEST(ShufflerRaise, ThoroughPlacesIntoFreeCellsAndOverGroupsAboveTheirMinimums)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(2, 2)); });
    bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(0, 3)); }).Timetable().Place(0, "Hall", "10:00", "Ole");
    bed.Start();
    const auto p_shuffler = bed.Make(0, 3);
    Chunk chunk;
    EXPECT_EQ(p_shuffler->RaiseDayCount(bed.G("Gee"), 0, 1, chunk), BuildEngine::succeeded);
    EXPECT_EQ(bed.Cells(), " Gee Ole");
    EXPECT_EQ(chunk.GetNumSlots(), 1);
    EXPECT_EQ(chunk.GetLoc(0), bed.At(0, "Hall", "09:00"));
    // No free cell is left: Ole, above its minimum, makes room.
    EXPECT_EQ(p_shuffler->RaiseDayCount(bed.G("Gee"), 0, 2, chunk), BuildEngine::succeeded);
    EXPECT_EQ(bed.Cells(), " Gee Gee");
    EXPECT_TRUE(bed.CountsAgree());
    EXPECT_EQ(p_shuffler->GetDepth(), 0U);
}

TEST(ShufflerRaise, CompleteModeSwapsTheOccupantIntoTheClashingCell)
{
    {
        // Thorough: Ole and Cly are at their minimums; nothing can move.
        Swap swap;
        const std::string s_before = swap.bed.State();
        const auto p_shuffler = swap.bed.Make(0, 5);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(swap.bed.G("Gee"), 0, 1, chunk), BuildEngine::failed);
        EXPECT_EQ(swap.bed.State(), s_before);
    }
    {
        // Complete 1: Cly gives Barn 09:00 to Ole, which gives Hall 09:00
        // to Gee; Cly finds a place of its own again.
        Swap swap;
        const auto p_shuffler = swap.bed.Make(1);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(swap.bed.G("Gee"), 0, 1, chunk), BuildEngine::succeeded);
        EXPECT_EQ(swap.bed.In(0, "Hall", "09:00"), "Gee");
        EXPECT_EQ(swap.bed.In(0, "Barn", "09:00"), "Ole");
        EXPECT_EQ(swap.bed.pCounters->GetTotal(swap.bed.G("Cly")), 1U);
        EXPECT_EQ(swap.bed.Problems(), std::vector<std::string>{});
        EXPECT_TRUE(swap.bed.CountsAgree());
    }
}

TEST(ShufflerRaise, SecondCompleteModeMovesAPlacementFromAnotherDay)
{
    // Gee may be placed once over the event, and is on Mon; Tue asks for it.
    const auto make = [](Bed& bed) {
        bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall");
        bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(0, 1)); }).Timetable();
        bed.event.Place(0, "Hall", "09:00", "Gee");
        bed.Start();
    };
    {
        Bed bed;
        make(bed);
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(1);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(0, 1, 1, chunk), BuildEngine::failed);
        EXPECT_EQ(bed.State(), s_before);
        EXPECT_GT(p_shuffler->GetComplete1Turns(), 0U) << "mode 2 would have moved Gee";
    }
    {
        Bed bed;
        make(bed);
        const auto p_shuffler = bed.Make(2);
        Chunk chunk;
        EXPECT_EQ(p_shuffler->RaiseDayCount(0, 1, 1, chunk), BuildEngine::succeeded);
        EXPECT_EQ(bed.Cells(), " - | Gee");
        EXPECT_EQ(chunk.GetLoc(0), TTLoc(1, 0, 0));
        EXPECT_TRUE(bed.CountsAgree());
    }
}

TEST(ShufflerRaise, RotationRepairMovesTheGroupsOtherPlacement)
{
    // Gee must change venue each day and is in Hall on Mon; on Tue only
    // Hall is free (Ole, at its minimum, holds Barn). Gee goes to Hall on
    // Tue and its Mon placement moves to Barn.
    Bed bed;
    bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn");
    bed.event.Group("Gee", [](Group& g) {
        g.SetRotation(Group::e_event_rotation);
        g.SetDayLimits(Range(1, 1));
    });
    bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee").Place(1, "Barn", "09:00", "Ole");
    bed.Start();
    const auto p_shuffler = bed.Make(0, 3);
    Chunk chunk;
    EXPECT_EQ(p_shuffler->RaiseDayCount(bed.G("Gee"), 1, 1, chunk), BuildEngine::succeeded);
    EXPECT_EQ(bed.Cells(), " - / Gee | Gee / Ole");
    EXPECT_TRUE(bed.CountsAgree());
}

TEST(ShufflerRaise, CandidatesNeverJoinIntoARunTooLong)
{
    // Gee's runs in Hall are at most two long and it holds 09:00 and 10:00;
    // 11:00 would make a run of three, so Gee goes to 12:00.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(3, 3)); }).Alloc("Gee", "Hall", 1, 2).Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee").Place(0, "Hall", "10:00", "Gee");
    bed.Start();
    const auto p_shuffler = bed.Make(0, 3);
    Chunk chunk;
    EXPECT_EQ(p_shuffler->RaiseDayCount(0, 0, 3, chunk), BuildEngine::succeeded);
    EXPECT_EQ(bed.Cells(), " Gee Gee - Gee");
    EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
}

TEST(ShufflerRaise, RequestForAGroupAtItsTargetBreaksTheContract)
{
    // The driver asks only for groups below their target; the check stops
    // the search, and the request's target and level are put back.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Group("Gee").Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee");
    bed.Start();
    const auto p_shuffler = bed.Make(0, 3);
    const std::string s_before = bed.State(p_shuffler.get());
    ZelRecordingErrorReports reports;
    Chunk chunk;
    EXPECT_THROW(p_shuffler->RaiseDayCount(0, 0, 1, chunk), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 1U);
    EXPECT_NE(reports.Reports()[0].sReport.find("SelCounts.GetDayTotal(i_target_group,i_day) < GroupTarget.GetDayMin()"),
              std::string::npos);
    EXPECT_NE(reports.Reports()[0].sReport.find("Shuffler.cpp"), std::string::npos);
    EXPECT_EQ(bed.State(p_shuffler.get()), s_before);
}

// Mon with 09:00 and 10:00 in Hall and Barn; Gee and Cly share Ann, and Cly
// sits in Barn at 09:00 with an event minimum of 1 or 0. Where mode 1 turns
// back and mode 2 would go on, mode 1 counts a turn of its own (a search of
// mode 1 without one is the search mode 2 makes, which the fill relies on).
TEST(ShufflerRaise, PlaceInChunkTakesClashingGroupsOutByMode)
{
    struct Case {
        int iMode;
        UINT uClyMin;
        int iResult;
        const char* pCly;
        int nRecords;
        bool bTurned;
    };
    const Case a_cases[] = {
        {0, 0, BuildEngine::failed, "Barn 09:00", 0, false},
        {1, 1, BuildEngine::failed, "Barn 09:00", 0, true},
        {1, 0, BuildEngine::succeeded, "nowhere", 0, false},
        {2, 1, BuildEngine::succeeded, "elsewhere", 1, false},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
        bed.event.Participant("Ann Lee").Group("Gee").Member("Gee", "Ann Lee");
        const UINT u_min = c.uClyMin;
        bed.event.Group("Cly", [u_min](Group& g) { g.SetEventLimits(Range(u_min, 1)); }).Member("Cly", "Ann Lee");
        bed.event.Timetable().Place(0, "Barn", "09:00", "Cly");
        bed.Start();
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(c.iMode, 4);
        Chunk chunk;
        chunk.SetVenue(bed.V("Hall"));
        chunk.AddSlot(bed.At(0, "Hall", "09:00"));
        Shuffler::ReplaceArray a_replace;
        EXPECT_EQ(p_shuffler->PlaceInChunk(bed.G("Gee"), chunk, a_replace), c.iResult) << "mode " << c.iMode;
        EXPECT_EQ(a_replace.GetSize(), c.nRecords) << "mode " << c.iMode;
        EXPECT_EQ(p_shuffler->GetComplete1Turns() > 0, c.bTurned) << "mode " << c.iMode;
        const std::string s_where = c.pCly;
        if (c.iResult == BuildEngine::failed) {
            EXPECT_EQ(bed.State(), s_before) << "mode " << c.iMode;
        } else {
            EXPECT_EQ(bed.In(0, "Hall", "09:00"), "Gee") << "mode " << c.iMode;
            EXPECT_EQ(bed.In(0, "Barn", "09:00"), "-") << "mode " << c.iMode;
            EXPECT_EQ(bed.pCounters->GetTotal(bed.G("Cly")), s_where == "nowhere" ? 0U : 1U) << "mode " << c.iMode;
            EXPECT_EQ(bed.Problems(), std::vector<std::string>{}) << "mode " << c.iMode;
            EXPECT_TRUE(bed.CountsAgree()) << "mode " << c.iMode;
        }
        // Every mark the placement set is gone.
        for (BYTE u_byte : p_shuffler->GetExclude().GetBytes())
            EXPECT_EQ(u_byte, 0) << "mode " << c.iMode;
    }

    // A chunk the group holds already.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Gee").Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee");
    bed.Start();
    Chunk chunk;
    chunk.SetVenue(0);
    chunk.AddSlot(0, 0);
    Shuffler::ReplaceArray a_replace;
    EXPECT_EQ(bed.Make(2)->PlaceInChunk(0, chunk, a_replace), BuildEngine::failed);
}

// On generated events whose groups need a placement every day: every raise
// either keeps its promise or changes nothing, in every mode.
TEST(ShufflerRaise, EveryRaiseKeepsTheGroupsTotalsOrChangesNothing)
{
    int n_succeeded = 0;
    int n_failed = 0;
    for (std::uint32_t u_seed = 1; u_seed <= 3; ++u_seed) {
        for (int i_mode = 0; i_mode <= 2; ++i_mode) {
            benchevent::EventOptions options;
            options.uSeed = u_seed;
            options.nGroups = 24;
            options.nParticipants = 30;
            options.nDays = 3;
            options.nVenues = 3;
            options.nSlotsPerDay = 4;
            options.nFillPercent = 60;
            options.nLockPercent = 5;
            options.nDayRules = 2;
            options.nVenueRules = 2;
            const std::unique_ptr<EventDoc> p_doc = benchevent::GenerateEvent(options);
            for (int g = 0; g < p_doc->GetGroups().GetNumGroups(); ++g)
                p_doc->GetGroups()[g].SetDayLimits(Range(1, 2));
            p_doc->GetPreferences().SetAllowTravel(FALSE);
            Bed bed;
            bed.Start(p_doc.get());
            ASSERT_EQ(bed.Problems(), std::vector<std::string>{}) << "seed " << u_seed;
            const SelCounters& counters = *bed.pCounters;

            for (int g = 0; g < counters.GetNumGroups(); ++g) {
                for (int d = 0; d < counters.GetNumDays(); ++d) {
                    if (counters.GetDayTotal(g, d) >= 1)
                        continue;
                    const std::string s_where = "seed " + std::to_string(u_seed) + " mode " + std::to_string(i_mode)
                        + " group " + std::to_string(g) + " day " + std::to_string(d);
                    std::vector<UINT> v_days;
                    for (int e = 0; e < counters.GetNumDays(); ++e)
                        v_days.push_back(counters.GetDayTotal(g, e));
                    // The complete modes at a depth that keeps the test quick.
                    const auto p_shuffler = bed.Make(i_mode, i_mode == 0 ? 0 : (i_mode == 1 ? 6 : 4));
                    const std::string s_before = bed.State(p_shuffler.get());
                    Chunk chunk;
                    const int res = p_shuffler->RaiseDayCount(g, d, 1, chunk);
                    if (res == BuildEngine::succeeded) {
                        ++n_succeeded;
                        EXPECT_GE(counters.GetDayTotal(g, d), 1U) << s_where;
                        EXPECT_TRUE(chunk.HasDay(d)) << s_where;
                        for (int e = 0; e < counters.GetNumDays(); ++e)
                            EXPECT_GE(counters.GetDayTotal(g, e), std::min<UINT>(v_days[static_cast<std::size_t>(e)], 1))
                                << s_where << " other day " << e;
                        EXPECT_TRUE(bed.CountsAgree()) << s_where;
                        EXPECT_EQ(bed.Problems(), std::vector<std::string>{}) << s_where;
                    } else {
                        ++n_failed;
                        EXPECT_EQ(res, BuildEngine::failed) << s_where;
                        EXPECT_EQ(bed.State(p_shuffler.get()), s_before) << s_where;
                    }
                    EXPECT_EQ(p_shuffler->GetDepth(), 0U) << s_where;
                    EXPECT_EQ(p_shuffler->GetGroupTarget().GetGroup(), -1) << s_where;
                    for (BYTE u_byte : p_shuffler->GetExclude().GetBytes())
                        ASSERT_EQ(u_byte, 0) << s_where;
                }
            }
        }
    }
    // Both roads were taken.
    EXPECT_GT(n_succeeded, 0);
    EXPECT_GT(n_failed, 0);
}

} // namespace
