// The placement commit and its moves: who may be displaced in which mode,
// the swap into a conflict cell and what it needs of the occupant, the
// clears for travel time and for participants without room, two conflict
// cells tried in turn, the cells a placement may not leave empty, and the
// cells the group already holds.
#include "ShufflerBed.h"

#include <gtest/gtest.h>

#include <functional>

using shufflertest::Bed;
using shufflertest::Range;

namespace {

// Mon with 09:00, 10:00 and 11:00 in Hall, Barn (for the Dance style only)
// and Loft; Ann Lee and Bob Ray sing; the styles Dance and Jazz.
void Stage(Bed& bed)
{
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    bed.event.Style("Dance").Style("Jazz").Venue("Hall").Venue("Barn", {"Dance"}).Venue("Loft");
    bed.event.Participant("Ann Lee").Participant("Bob Ray");
}

// PlaceInTryCell inside a transaction of the test's, kept when it worked.
int TryCell(Bed& bed, Shuffler& shuffler, const std::string& s_group, const TTLoc& try_loc, const TTLoc& conflict_loc,
            Shuffler::ReplaceArray& a_replace)
{
    Bed::TTTrans trans(bed.pEngine->GetMover(), bed.pCounters.get());
    const int res = shuffler.PlaceInTryCell(bed.G(s_group), try_loc, a_replace, conflict_loc);
    if (res == BuildEngine::succeeded)
        trans.Commit();
    else
        trans.Rollback();
    return res;
}

TEST(ShufflerCommit, ThoroughNeverDisplacesAGroupThatRotates)
{
    struct Case {
        int iMode;
        bool bOccupantRotates;
        bool bConflict;
        bool bConflictRotates;
        int iResult;
    };
    const Case a_cases[] = {
        {0, true, false, false, BuildEngine::failed},
        {1, true, false, false, BuildEngine::succeeded},
        {0, false, true, true, BuildEngine::failed},
        {1, false, true, true, BuildEngine::succeeded},
        {0, false, true, false, BuildEngine::succeeded},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        Stage(bed);
        const UINT e_occupant = c.bOccupantRotates ? Group::e_day_rotation : Group::e_no_rotation;
        const UINT e_conflict = c.bConflictRotates ? Group::e_event_rotation : Group::e_no_rotation;
        bed.event.Group("Gee").Group("Ole", [e_occupant](Group& g) { g.SetRotation(e_occupant); });
        bed.event.Group("Cly", [e_conflict](Group& g) { g.SetRotation(e_conflict); });
        bed.event.GroupStyles("Ole", {"Dance"}).GroupStyles("Cly", {"Dance"}).Timetable();
        bed.event.Place(0, "Hall", "09:00", "Ole").Place(0, "Barn", "09:00", "Cly");
        bed.Start();
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(c.iMode, 4);
        Shuffler::ReplaceArray a_replace;
        const TTLoc conflict_loc = c.bConflict ? bed.At(0, "Barn", "09:00") : TTLoc();
        const std::string s_case = "mode " + std::to_string(c.iMode) + (c.bConflict ? " swap" : " plain");
        EXPECT_EQ(TryCell(bed, *p_shuffler, "Gee", bed.At(0, "Hall", "09:00"), conflict_loc, a_replace), c.iResult)
            << s_case;
        if (c.iResult == BuildEngine::failed) {
            EXPECT_EQ(bed.State(), s_before) << s_case;
            continue;
        }
        EXPECT_EQ(bed.In(0, "Hall", "09:00"), "Gee") << s_case;
        EXPECT_EQ(bed.In(0, "Barn", "09:00"), c.bConflict ? "Ole" : "Cly") << s_case;
        EXPECT_TRUE(bed.CountsAgree()) << s_case;
    }
}

TEST(ShufflerCommit, SwapNeedsTheOccupantToFitTheConflictCell)
{
    struct Case {
        const char* pWhy;
        std::function<void(Bed&)> fSet;
        int iResult;
    };
    const Case a_cases[] = {
        {"Ole fits Barn", [](Bed&) {}, BuildEngine::succeeded},
        {"Bob would be in Barn and Loft at once",
         [](Bed& bed) { bed.event.Group("Xen").Member("Xen", "Bob Ray").Place(0, "Loft", "09:00", "Xen"); },
         BuildEngine::failed},
        {"Barn does not suit Ole", [](Bed& bed) { bed.event.GetGroup("Ole").GetStyles().RemoveAll(); },
         BuildEngine::failed},
        {"Barn's rule wants Jazz",
         [](Bed& bed) {
             const LONG l_jazz = bed.event.StyleKey("Jazz");
             bed.event.VenueRule("Barn", SchedRule::e_selected_styles, {"Mon 09:00-10:00"},
                                 [l_jazz](VenueRule& rule) { rule.GetStyles().Add(l_jazz); });
         },
         BuildEngine::failed},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        Stage(bed);
        bed.event.Group("Gee").Group("Ole").Member("Ole", "Bob Ray").GroupStyles("Ole", {"Dance"});
        bed.event.Group("Cly", [](Group& g) { g.SetEventLimits(Range(1, 3)); }).GroupStyles("Cly", {"Dance"});
        bed.event.Timetable().Place(0, "Hall", "09:00", "Ole").Place(0, "Barn", "09:00", "Cly");
        c.fSet(bed);
        bed.Start();
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(1, 4);
        Shuffler::ReplaceArray a_replace;
        EXPECT_EQ(TryCell(bed, *p_shuffler, "Gee", bed.At(0, "Hall", "09:00"), bed.At(0, "Barn", "09:00"), a_replace),
                  c.iResult)
            << c.pWhy;
        if (c.iResult == BuildEngine::failed) {
            EXPECT_EQ(bed.State(), s_before) << c.pWhy;
            continue;
        }
        EXPECT_EQ(bed.Cells(), " Gee - - / Ole - - / - - -") << c.pWhy;
        // Cly's event minimum broke: it is recorded for re-placing.
        ASSERT_EQ(a_replace.GetSize(), 1) << c.pWhy;
        EXPECT_EQ(a_replace[0].iGroup, bed.G("Cly"));
        EXPECT_EQ(a_replace[0].lEventCount, 1);
        EXPECT_TRUE(bed.CountsAgree()) << c.pWhy;
    }
}

TEST(ShufflerCommit, ThoroughSwapNeedsTravelTime)
{
    // Bob (in Ole) sings in Loft from 10:00; moving Ole to Barn at 09:00
    // leaves him no time to get there.
    for (int i_mode = 0; i_mode <= 1; ++i_mode) {
        Bed bed;
        Stage(bed);
        bed.event.Doc().GetPreferences().SetAllowTravel(TRUE);
        bed.event.Group("Gee").Group("Ole").Member("Ole", "Bob Ray").GroupStyles("Ole", {"Dance"});
        bed.event.Group("Cly").GroupStyles("Cly", {"Dance"}).Group("Yul").Member("Yul", "Bob Ray").Timetable();
        bed.event.Place(0, "Hall", "09:00", "Ole").Place(0, "Barn", "09:00", "Cly").Place(0, "Loft", "10:00", "Yul");
        bed.Start();
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(i_mode, 4);
        Shuffler::ReplaceArray a_replace;
        const int res =
            TryCell(bed, *p_shuffler, "Gee", bed.At(0, "Hall", "09:00"), bed.At(0, "Barn", "09:00"), a_replace);
        if (i_mode == 0) {
            EXPECT_EQ(res, BuildEngine::failed);
            EXPECT_EQ(bed.State(), s_before);
        } else {
            // Complete 1 swaps, and Ole's own placement clears Yul.
            EXPECT_EQ(res, BuildEngine::succeeded);
            EXPECT_EQ(bed.Cells(), " Gee - - / Ole - - / - - -");
            EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
        }
    }
}

TEST(ShufflerCommit, TravelTimeClearsNearPlacementsOfSharedParticipants)
{
    struct Case {
        int iMode;
        UINT uTraMin;
        const char* pTraAt;
        int iResult;
        int nRecords;
    };
    const Case a_cases[] = {
        {0, 0, "Barn", BuildEngine::succeeded, 0},
        {0, 1, "Barn", BuildEngine::failed, 0},
        {1, 1, "Barn", BuildEngine::succeeded, 1},
        // In the same venue no travel is needed.
        {0, 1, "Hall", BuildEngine::succeeded, 0},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        Stage(bed);
        bed.event.Doc().GetPreferences().SetAllowTravel(TRUE);
        const UINT u_min = c.uTraMin;
        bed.event.Group("Gee").Member("Gee", "Ann Lee").Group("Tra", [u_min](Group& g) {
            g.SetEventLimits(Range(u_min, 3));
        });
        bed.event.Member("Tra", "Ann Lee").GroupStyles("Tra", {"Dance"}).Timetable().Place(0, c.pTraAt, "09:00", "Tra");
        bed.Start();
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(c.iMode, 4);
        Shuffler::ReplaceArray a_replace;
        const std::string s_case = "mode " + std::to_string(c.iMode) + " Tra in " + c.pTraAt;
        EXPECT_EQ(TryCell(bed, *p_shuffler, "Gee", bed.At(0, "Hall", "10:00"), TTLoc(), a_replace), c.iResult) << s_case;
        EXPECT_EQ(a_replace.GetSize(), c.nRecords) << s_case;
        if (c.iResult == BuildEngine::failed) {
            EXPECT_EQ(bed.State(), s_before) << s_case;
            continue;
        }
        EXPECT_EQ(bed.In(0, "Hall", "10:00"), "Gee") << s_case;
        EXPECT_EQ(bed.In(0, c.pTraAt, "09:00"), std::string(c.pTraAt) == "Hall" ? "Tra" : "-") << s_case;
    }
}

TEST(ShufflerCommit, ParticipantsWithoutRoomAreClearedOutsideThorough)
{
    // Ann may sing once a day, and does in Blk at 09:00.
    struct Case {
        int iMode;
        bool bLocked;
        int iResult;
    };
    const Case a_cases[] = {
        {0, false, BuildEngine::failed},
        {1, false, BuildEngine::succeeded},
        {1, true, BuildEngine::failed},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        Stage(bed);
        bed.event.Doc().GetParticipants()[0].SetDayLimits(Range(0, 1));
        bed.event.Group("Gee").Member("Gee", "Ann Lee").Group("Blk").Member("Blk", "Ann Lee").Timetable();
        bed.event.Place(0, "Loft", "09:00", "Blk", c.bLocked);
        bed.Start();
        ASSERT_TRUE(bed.pEngine->IsCountingParticipants());
        const std::string s_before = bed.State();
        const auto p_shuffler = bed.Make(c.iMode, 4);
        Shuffler::ReplaceArray a_replace;
        Bed::TTTrans trans(bed.pEngine->GetMover(), bed.pCounters.get());
        const int res = p_shuffler->PlaceInCell(bed.G("Gee"), bed.At(0, "Hall", "10:00"), a_replace, TTLoc());
        EXPECT_EQ(res, c.iResult) << "mode " << c.iMode;
        if (res != BuildEngine::succeeded) {
            trans.Rollback();
            EXPECT_EQ(bed.State(), s_before) << "mode " << c.iMode;
            continue;
        }
        trans.Commit();
        EXPECT_EQ(bed.Cells(), " - Gee - / - - - / - - -");
        EXPECT_TRUE(bed.CountsAgree());
    }
}

// Gee (Ann) goes into Hall 09:00, where Ole sits; CA (Ann, in Barn) and CB
// (Ann, in Loft) clash with it there.
struct TwoConflicts {
    explicit TwoConflicts(bool b_ole_dances, int i_mode = 2)
    {
        Stage(bed);
        bed.event.Group("Gee").Member("Gee", "Ann Lee").Group("Ole").Group("CA").Member("CA", "Ann Lee");
        bed.event.GroupStyles("CA", {"Dance"}).Group("CB").Member("CB", "Ann Lee");
        if (b_ole_dances)
            bed.event.GroupStyles("Ole", {"Dance"});
        bed.event.Timetable().Place(0, "Hall", "09:00", "Ole").Place(0, "Barn", "09:00", "CA");
        bed.event.Place(0, "Loft", "09:00", "CB");
        bed.Start();
        pShuffler = bed.Make(i_mode, 4);
    }
    int Place()
    {
        TTLocArray a_conflicts;
        a_conflicts.Add(bed.At(0, "Barn", "09:00"));
        a_conflicts.Add(bed.At(0, "Loft", "09:00"));
        return pShuffler->PlaceWithConflicts(bed.G("Gee"), bed.At(0, "Hall", "09:00"), a_conflicts);
    }
    Bed bed;
    std::unique_ptr<Shuffler> pShuffler;
};

TEST(ShufflerCommit, TwoConflictCellsAreTriedInTurn)
{
    {
        // First try: CB out, Ole into Barn.
        TwoConflicts two(true);
        EXPECT_EQ(two.Place(), BuildEngine::succeeded);
        EXPECT_EQ(two.bed.Cells(), " Gee - - / Ole - - / - - -");
        EXPECT_TRUE(two.bed.CountsAgree());
    }
    {
        // Barn does not suit Ole: then CA out, Ole into Loft.
        TwoConflicts two(false);
        EXPECT_EQ(two.Place(), BuildEngine::succeeded);
        EXPECT_EQ(two.bed.Cells(), " Gee - - / - - - / Ole - -");
        EXPECT_TRUE(two.bed.CountsAgree());
    }
    {
        // CB cannot be taken out in the first try: no second try.
        TwoConflicts two(true);
        two.pShuffler->GetExclude().SetPlacedHere(two.bed.At(0, "Loft", "09:00"));
        const std::string s_before = two.bed.State();
        EXPECT_EQ(two.Place(), BuildEngine::failed);
        EXPECT_EQ(two.bed.State(), s_before);
        EXPECT_EQ(two.pShuffler->GetSteps(), 0U);
    }
}

// A cell with two clashes is placed only in mode 2; mode 1 counts the turn
// it does not take.
TEST(ShufflerCommit, ACellWithTwoClashesIsLeftToModeTwo)
{
    for (const int i_mode : {1, 2}) {
        TwoConflicts two(true, i_mode);
        const std::string s_before = two.bed.State();
        Chunk chunk;
        chunk.SetVenue(two.bed.V("Hall"));
        chunk.AddSlot(two.bed.At(0, "Hall", "09:00"));
        const int res = two.pShuffler->PlaceInChunkWithConflicts(two.bed.G("Gee"), chunk);
        if (i_mode == 1) {
            EXPECT_EQ(res, BuildEngine::failed);
            EXPECT_EQ(two.bed.State(), s_before);
            EXPECT_GT(two.pShuffler->GetComplete1Turns(), 0U);
        } else {
            EXPECT_EQ(res, BuildEngine::succeeded);
            EXPECT_EQ(two.bed.Cells(), " Gee - - / Ole - - / - - -");
            EXPECT_TRUE(two.bed.CountsAgree());
        }
    }
}

TEST(ShufflerCommit, CellsEmptiedMustBeFilledAgainUnlessAllowed)
{
    // Ole holds Hall 09:00 and 10:00 as one chunk of two; Gee takes 09:00.
    struct Case {
        BOOL bEmptyAllowed;
        UINT uOleMin;
        int iResult;
        const char* pCells;
    };
    const Case a_cases[] = {
        {TRUE, 0, BuildEngine::succeeded, " Gee - -"},
        {FALSE, 0, BuildEngine::failed, " Ole Ole -"},
        // Ole has to be re-placed, and its new chunk fills 10:00 again.
        {FALSE, 2, BuildEngine::succeeded, " Gee Ole Ole"},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Group("Gee");
        const UINT u_min = c.uOleMin;
        bed.event.Group("Ole", [u_min](Group& g) { g.SetEventLimits(Range(u_min, 4)); }).Alloc("Ole", "Hall", 2, 2);
        bed.event.Timetable().Place(0, "Hall", "09:00", "Ole").Place(0, "Hall", "10:00", "Ole");
        bed.Start();
        const auto p_shuffler = bed.Make(1, 4, c.bEmptyAllowed);
        Chunk chunk;
        chunk.SetVenue(0);
        chunk.AddSlot(0, 0);
        Shuffler::ReplaceArray a_replace;
        EXPECT_EQ(p_shuffler->PlaceInChunk(bed.G("Gee"), chunk, a_replace), c.iResult) << c.pCells;
        EXPECT_EQ(bed.Cells(), c.pCells);
        EXPECT_TRUE(bed.CountsAgree()) << c.pCells;
    }
}

TEST(ShufflerCommit, CellsHeldAlreadyArePassedOverOnlyWhenAsked)
{
    for (BOOL b_all_cells : {FALSE, TRUE}) {
        Bed bed;
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Group("Gee").Timetable();
        bed.event.Place(0, "Hall", "09:00", "Gee");
        bed.Start();
        const auto p_shuffler = bed.Make(0, 4);
        TTLocArray a_locs;
        a_locs.Add(TTLoc(0, 0, 0));
        a_locs.Add(TTLoc(0, 0, 1));
        const int res = p_shuffler->CommitPlacement(0, a_locs, b_all_cells, Shuffler::ReplaceArray(), nullptr);
        EXPECT_EQ(res, b_all_cells ? BuildEngine::failed : BuildEngine::succeeded);
        EXPECT_EQ(bed.Cells(), b_all_cells ? " Gee -" : " Gee Gee");
        for (BYTE u_byte : p_shuffler->GetExclude().GetBytes())
            EXPECT_EQ(u_byte, 0);
    }
}

} // namespace
