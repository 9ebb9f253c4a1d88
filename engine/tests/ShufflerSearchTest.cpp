// The cell search: filling an empty cell, a group at its day maximum
// giving up one of its own placements, Skip during the first run of the
// fill, and a search ended by the stack guard leaving everything as it
// found it.
#include "ShufflerBed.h"

#include "engine/ProgressPort.h"
#include "engine/StackGuard.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

using shufflertest::Bed;
using shufflertest::Range;

namespace {

// Mon with 09:00, 10:00 and 11:00 in Hall. Ace may be placed once a day
// and sits at 09:00; Bee may go anywhere unless b_bee_late is false. The
// cell to fill is 11:00, apart from Ace's.
struct Fill {
    Fill(bool b_bee_late, bool b_ace_locked)
    {
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
        bed.event.Group("Ace", [](Group& g) { g.SetDayLimits(Range(0, 1)); }).Group("Bee");
        if (!b_bee_late)
            bed.event.GroupUnavailable("Bee", 0, "11:00-12:00");
        bed.event.Timetable().Place(0, "Hall", "09:00", "Ace", b_ace_locked);
        bed.Start();
    }
    Bed bed;
};

TEST(ShufflerSearch, FillPutsTheFirstGroupThatFitsIntoTheCell)
{
    Fill fill(true, false);
    const auto p_shuffler = fill.bed.Make(0, 10);
    EXPECT_EQ(p_shuffler->FillCell(0, 0, 2, FALSE), BuildEngine::succeeded);
    EXPECT_EQ(fill.bed.Cells(), " Ace - Bee");
    EXPECT_EQ(p_shuffler->GetDepthLimit(), 10U);
    EXPECT_TRUE(fill.bed.CountsAgree());
}

TEST(ShufflerSearch, GroupAtItsDayMaximumMovesOnlyWhenAllowed)
{
    {
        // Only Ace fits 11:00, and it is at its day maximum.
        Fill fill(false, false);
        const std::string s_before = fill.bed.State();
        const auto p_shuffler = fill.bed.Make(0, 10);
        EXPECT_EQ(p_shuffler->FillCell(0, 0, 2, FALSE), BuildEngine::failed);
        EXPECT_EQ(fill.bed.State(), s_before);
        // Allowed to move its own placement, it moves.
        EXPECT_EQ(p_shuffler->FillCell(0, 0, 2, TRUE), BuildEngine::succeeded);
        EXPECT_EQ(fill.bed.Cells(), " - - Ace");
        EXPECT_TRUE(fill.bed.CountsAgree());
    }
    {
        // A locked placement cannot be given up.
        Fill fill(false, true);
        const std::string s_before = fill.bed.State();
        const auto p_shuffler = fill.bed.Make(0, 10);
        EXPECT_EQ(p_shuffler->FillCell(0, 0, 2, TRUE), BuildEngine::failed);
        EXPECT_EQ(fill.bed.State(), s_before);
    }
    {
        // Without leaving cells empty, the cell Ace gave up is filled again.
        Fill fill(false, false);
        const auto p_shuffler = fill.bed.Make(0, 10, FALSE);
        EXPECT_EQ(p_shuffler->FillCell(0, 0, 2, TRUE), BuildEngine::succeeded);
        EXPECT_EQ(fill.bed.Cells(), " Bee - Ace");
        EXPECT_TRUE(fill.bed.CountsAgree());
    }
}

TEST(ShufflerSearch, SkipDuringTheFirstRunGoesOnWithTheFullDepth)
{
    // Ace is tried first and fails; the poll after it finds Skip pressed.
    for (UINT u_limit : {10U, 3U}) {
        HeadlessProgress progress;
        progress.Clock().SetStepPerReading(200);
        Fill fill(true, false);
        ASSERT_TRUE(fill.bed.pEngine->StartProgress(6));
        progress.Press(IDC_PROGRESS_SKIP);
        const std::string s_before = fill.bed.State();
        const auto p_shuffler = fill.bed.Make(0, u_limit);
        const int res = p_shuffler->FillCell(0, 0, 2, FALSE);
        EXPECT_FALSE(progress.Model()->IsSkipRequested()) << "limit " << u_limit;
        EXPECT_EQ(p_shuffler->GetDepthLimit(), u_limit);
        if (u_limit > 4) {
            // The full depth ran after the skipped run of depth 4.
            EXPECT_EQ(res, BuildEngine::succeeded);
            EXPECT_EQ(fill.bed.Cells(), " Ace - Bee");
        } else {
            // One run only, and it was skipped.
            EXPECT_EQ(res, BuildEngine::failed);
            EXPECT_EQ(fill.bed.State(), s_before);
        }
    }
}

TEST(ShufflerSearch, UserRequestsEndTheSearchWithTheirCodes)
{
    struct Case {
        UINT uButton;
        int iResult;
    };
    const Case a_cases[] = {{IDC_PROGRESS_STOP, BuildEngine::stopped}, {IDCANCEL, BuildEngine::cancelled}};
    for (const Case& c : a_cases) {
        HeadlessProgress progress;
        progress.Clock().SetStepPerReading(200);
        Fill fill(true, false);
        ASSERT_TRUE(fill.bed.pEngine->StartProgress(6));
        ASSERT_EQ(fill.bed.pEngine->ProgressStep(1, "Filling", 1, TRUE), 1);
        progress.Press(c.uButton);
        const std::string s_before = fill.bed.State();
        const auto p_shuffler = fill.bed.Make(0, 10);
        EXPECT_EQ(p_shuffler->FillCell(0, 0, 2, FALSE), c.iResult);
        EXPECT_EQ(fill.bed.State(), s_before);
    }
}

// Gee fits only Hall at 09:00, where Ole sits; the swap that places it goes
// three levels deep. With the stack guard's margin set a little below what
// is left at the start, the guard ends the search somewhere inside; every
// search it ends leaves the timetable, the counts and the marks as they
// were.
TEST(ShufflerSearch, SearchEndedByTheStackGuardChangesNothing)
{
    std::size_t u_left = 0;
    if (!GetStackLeft(u_left))
        GTEST_SKIP() << "the thread's stack is not known";
    int n_ended = 0;
    int n_ended_inside = 0;
    int n_done = 0;
    for (std::size_t u_below = 512; u_below < 512 * 1024; u_below += u_below / 4) {
        Bed bed;
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Style("Dance");
        bed.event.Venue("Hall").Venue("Barn", {"Dance"}).Participant("Ann Lee");
        bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(1, 2)); }).Member("Gee", "Ann Lee");
        bed.event.GroupUnavailable("Gee", 0, "10:00-11:00");
        bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).GroupStyles("Ole", {"Dance"});
        bed.event.Group("Cly", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).GroupStyles("Cly", {"Dance"});
        bed.event.Member("Cly", "Ann Lee").Timetable();
        bed.event.Place(0, "Hall", "09:00", "Ole").Place(0, "Barn", "09:00", "Cly");
        bed.Start();
        const auto p_shuffler = bed.Make(1);
        const std::string s_before = bed.State(p_shuffler.get());
        const int n_open = bed.pEngine->GetMover()->GetStackSize();

        const std::size_t u_margin = u_left > u_below ? u_left - u_below : 0;
        const std::size_t u_old = SetStackGuardMargin(u_margin);
        bool b_ended = false;
        int res = -1;
        try {
            Chunk chunk;
            res = p_shuffler->RaiseDayCount(bed.G("Gee"), 0, 1, chunk);
        } catch (SE_StackOverflow* p_overflow) {
            EXPECT_EQ(p_overflow, SE_StackOverflow::Get());
            b_ended = true;
        }
        SetStackGuardMargin(u_old);

        if (b_ended) {
            ++n_ended;
            // The guard is asked before a step counts: a step counted means
            // it ended a nested step, after moves were made.
            if (p_shuffler->GetSteps() > 0)
                ++n_ended_inside;
            EXPECT_EQ(bed.State(p_shuffler.get()), s_before) << "ended " << u_below << " bytes below the start";
            EXPECT_EQ(bed.pEngine->GetMover()->GetStackSize(), n_open);
            EXPECT_FALSE(bed.pCounters->IsSaveMode());
        } else {
            ++n_done;
            EXPECT_EQ(res, BuildEngine::succeeded);
            EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
        }
    }
    EXPECT_GT(n_ended_inside, 0) << n_ended << " ended, " << n_done << " done";
    EXPECT_GT(n_done, 0);
}

} // namespace
