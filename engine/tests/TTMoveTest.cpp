// The build engine's mover: putting a group into a cell and taking it out
// keep the placement counts and the run counts in step with the timetable,
// and transactions over it undo the moves exactly.
#include "engine/SelCounters.h"
#include "engine/StackGuard.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

using TTTrans = Transaction<TTMove, TTLocArray>;

// Mon (three slots), Tue (one slot), Wed (three slots) in Hall and Barn;
// Mon is followed by Tue and Tue by Wed. Choir's allocation to Hall runs
// across days, Band's does not; Ann sings in both.
struct Week {
    Week()
    {
        event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
        event.Slots(1, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Consecutive(0).Consecutive(1);
        event.Participant("Ann Lee").Group("Choir").Group("Band").Member("Choir", "Ann Lee");
        event.Member("Band", "Ann Lee").Alloc("Choir", "Hall", 1, 9, true).Timetable();
    }
    // Builds the map, the counters from the timetable as it stands, and the
    // mover.
    void Start()
    {
        EventDoc& doc = event.Doc();
        pMap = std::make_unique<TTMap>(&doc, doc.GetTimetable());
        pMap->Build();
        pCounters = std::make_unique<SelCounters>(&doc, doc.GetTimetable(), TRUE);
        pCounters->CountTimetable();
        Recount(*pCounters);
        pMover = std::make_unique<TTMove>(nullptr, &doc, doc.GetTimetable(), pMap.get());
    }
    // The run counts as the build map counts them.
    void Recount(SelCounters& counters) const
    {
        for (int g = 0; g < counters.GetNumGroups(); ++g) {
            for (int v = 0; v < counters.GetNumVenues(); ++v) {
                counters.SetRuns(g, -1, v, static_cast<UINT>(pMap->CountEventBlocks(v, g, nullptr)));
                for (int d = 0; d < counters.GetNumDays(); ++d)
                    counters.SetRuns(g, d, v, static_cast<UINT>(pMap->CountDayBlocks(v, g, d, nullptr)));
            }
        }
    }
    // Every cell's group and lock, and every count.
    std::string State()
    {
        std::string s;
        const Timetable& timetable = *event.Doc().GetTimetable();
        for (int d = 0; d < timetable.GetNumDays(); ++d) {
            for (int v = 0; v < timetable.GetDay(d).GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = timetable.GetDay(d).GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i)
                    s += std::to_string(a_slots[i].GetGroup()) + (a_slots[i].IsLocked() ? "L " : " ");
            }
        }
        for (int g = 0; g < pCounters->GetNumGroups(); ++g) {
            for (int d = -1; d < pCounters->GetNumDays(); ++d) {
                for (int v = 0; v < pCounters->GetNumVenues(); ++v) {
                    s += " " + std::to_string(pCounters->GetRuns(g, d, v));
                    if (d >= 0)
                        s += "/" + std::to_string(pCounters->GetDayVenueTotal(g, d, v));
                }
            }
            s += " t" + std::to_string(pCounters->GetTotal(g));
        }
        s += " ann" + std::to_string(pCounters->GetPartCount(0).GetTotal());
        return s;
    }
    // The counters' run counts agree with a fresh count of the map.
    void ExpectRunsAsCounted(const std::string& s_when)
    {
        SelCounters fresh(&event.Doc(), event.Doc().GetTimetable(), FALSE);
        Recount(fresh);
        for (int g = 0; g < fresh.GetNumGroups(); ++g)
            for (int d = -1; d < fresh.GetNumDays(); ++d)
                for (int v = 0; v < fresh.GetNumVenues(); ++v)
                    EXPECT_EQ(pCounters->GetRuns(g, d, v), fresh.GetRuns(g, d, v))
                        << s_when << ": group " << g << " day " << d << " venue " << v;
    }

    EventBuilder event;
    std::unique_ptr<TTMap> pMap;
    std::unique_ptr<SelCounters> pCounters;
    std::unique_ptr<TTMove> pMover;
};

// Puts Choir into Hall's slot of the day.
void PlaceChoir(Week& week, int i_day, int i_slot)
{
    week.event.Doc().GetTimetable()->GetDay(i_day).GetVenueSlots(0)[i_slot].SetGroup(week.event.GroupKey("Choir"));
}

TEST(TTMove, RunCountsFollowTheNeighbours)
{
    struct Case {
        std::vector<TTLoc> vPlaced;
        TTLoc cell;
        int iEventChange;
        int iDayChange;
        const char* pWhy;
    };
    const Case a_cases[] = {
        {{}, TTLoc(0, 0, 1), 1, 1, "no neighbour holds the group: a new run"},
        {{TTLoc(0, 0, 0)}, TTLoc(0, 0, 1), 0, 0, "the run before grows"},
        {{TTLoc(0, 0, 2)}, TTLoc(0, 0, 1), 0, 0, "the run after grows"},
        {{TTLoc(0, 0, 0), TTLoc(0, 0, 2)}, TTLoc(0, 0, 1), -1, -1, "two runs of the day join"},
        {{TTLoc(0, 0, 1), TTLoc(1, 0, 0)}, TTLoc(0, 0, 2), -1, 0, "joins the day's run to the next day's"},
        {{TTLoc(0, 0, 2)}, TTLoc(1, 0, 0), 0, 1, "the run before is on the day before"},
        {{TTLoc(2, 0, 0)}, TTLoc(1, 0, 0), 0, 1, "the run after is on the day after"},
        {{TTLoc(0, 0, 2), TTLoc(2, 0, 0)}, TTLoc(1, 0, 0), -1, 1, "both runs are on other days"},
        {{TTLoc(1, 0, 0)}, TTLoc(2, 0, 0), 0, 1, "the run before is on the day before"},
        {{TTLoc(0, 1, 0), TTLoc(0, 1, 2)}, TTLoc(0, 1, 1), -1, -1, "Barn: two runs join"},
        {{TTLoc(0, 1, 2)}, TTLoc(1, 1, 0), 1, 1, "Barn does not run across days"},
    };
    for (const Case& c : a_cases) {
        Week week;
        for (const TTLoc& loc : c.vPlaced)
            week.event.Doc().GetTimetable()->GetDay(loc.GetDay()).GetVenueSlots(loc.GetVenue())[loc.GetSlot()].SetGroup(
                week.event.GroupKey("Choir"));
        week.Start();
        const int v = c.cell.GetVenue(), d = c.cell.GetDay();
        const UINT u_event = week.pCounters->GetRuns(0, -1, v);
        const UINT u_day = week.pCounters->GetRuns(0, d, v);
        const UINT u_placed = week.pCounters->GetDayVenueTotal(0, d, v);
        const std::string s_before = week.State();

        week.pMover->PutIn(0, c.cell, week.pCounters.get());
        EXPECT_EQ(static_cast<int>(week.pCounters->GetRuns(0, -1, v) - u_event), c.iEventChange) << c.pWhy;
        EXPECT_EQ(static_cast<int>(week.pCounters->GetRuns(0, d, v) - u_day), c.iDayChange) << c.pWhy;
        EXPECT_EQ(week.pCounters->GetDayVenueTotal(0, d, v), u_placed + 1) << c.pWhy;
        week.ExpectRunsAsCounted(std::string("put in: ") + c.pWhy);

        week.pMover->TakeOut(0, c.cell, week.pCounters.get());
        EXPECT_EQ(week.State(), s_before) << "taking it out again: " << c.pWhy;
    }
}

TEST(TTMove, TakingOutEmptiesTheCellWhole)
{
    Week week;
    week.event.Place(0, "Hall", "10:00", "Choir", true).Slot(0, "Hall", "10:00").SetSpare(77);
    week.Start();
    week.pMover->TakeOut(0, TTLoc(0, 0, 1), week.pCounters.get());
    const Timeslot& slot = week.event.Slot(0, "Hall", "10:00");
    EXPECT_EQ(slot.GetGroup(), -1);
    EXPECT_FALSE(slot.IsLocked());
    EXPECT_EQ(slot.GetSpare(), 0u);
    EXPECT_EQ(week.pCounters->GetTotal(0), 0u);
    EXPECT_EQ(week.pCounters->GetPartCount(0).GetTotal(), 0u);
}

TEST(TTMove, MovesOfTheWrongKindFailTheirChecks)
{
    Week week;
    PlaceChoir(week, 0, 0);
    week.Start();
    ZelRecordingErrorReports reports;
    EXPECT_THROW(week.pMover->TakeOut(1, TTLoc(0, 0, 0), week.pCounters.get()), ZelAssertException);
    EXPECT_THROW(week.pMover->PutIn(1, TTLoc(0, 0, 0), week.pCounters.get()), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 2u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: sp_slot->GetGroup() == l_group_key"), std::string::npos);
    EXPECT_NE(reports.Reports()[1].sReport.find("Error: sp_slot->IsEmpty()"), std::string::npos);
    EXPECT_EQ(week.event.Slot(0, "Hall", "09:00").GetGroup(), week.event.GroupKey("Choir")) << "nothing changed";
}

TEST(TTMove, RollingBackThreeRemovalsAndTwoPlacementsRestoresEverything)
{
    Week week;
    PlaceChoir(week, 0, 0);
    PlaceChoir(week, 0, 1);
    PlaceChoir(week, 0, 2);
    PlaceChoir(week, 1, 0);
    week.event.Place(2, "Barn", "10:00", "Band");
    week.Start();
    const std::string s_before = week.State();

    {
        TTTrans trans(week.pMover.get(), week.pCounters.get());
        TTMove& mover = *week.pMover;
        SelCounters* p_counters = week.pCounters.get();
        mover.RecordTakeOut(0, TTLoc(0, 0, 1), p_counters); // splits Monday's run
        mover.RecordTakeOut(0, TTLoc(1, 0, 0), p_counters);
        mover.RecordTakeOut(1, TTLoc(2, 1, 1), p_counters);
        mover.RecordPutIn(1, TTLoc(0, 0, 1), p_counters); // Band where Choir was
        mover.RecordPutIn(0, TTLoc(2, 1, 1), p_counters); // Choir where Band was
        week.ExpectRunsAsCounted("after the moves");
        ASSERT_NE(week.State(), s_before);
        trans.Rollback();
    }
    EXPECT_EQ(week.State(), s_before);
    EXPECT_EQ(week.pMover->GetStackSize(), 0);
}

TEST(TTMove, AnOuterRollbackUndoesACommittedInnerTransaction)
{
    Week week;
    PlaceChoir(week, 0, 0);
    week.Start();
    const std::string s_before = week.State();
    TTMove& mover = *week.pMover;
    SelCounters* p_counters = week.pCounters.get();
    {
        TTTrans outer(&mover, p_counters);
        mover.RecordTakeOut(0, TTLoc(0, 0, 0), p_counters);
        {
            TTTrans inner(&mover, p_counters);
            mover.RecordPutIn(0, TTLoc(0, 0, 2), p_counters);
            mover.RecordPutIn(0, TTLoc(1, 0, 0), p_counters);
            mover.RecordPutIn(1, TTLoc(0, 0, 0), p_counters);
            mover.RecordTakeOut(0, TTLoc(1, 0, 0), p_counters);
            inner.Commit();
        }
        TTLocArray a_removed;
        outer.GetRemovedLocs(a_removed);
        ASSERT_EQ(a_removed.GetSize(), 2);
        EXPECT_EQ(a_removed[0], TTLoc(0, 0, 0));
        EXPECT_EQ(a_removed[1], TTLoc(1, 0, 0));
        EXPECT_EQ(week.event.Slot(0, "Hall", "11:00").GetGroup(), week.event.GroupKey("Choir"));
        outer.Rollback();
    }
    EXPECT_EQ(week.State(), s_before);
}

TEST(TTMove, AnExceptionThroughTheSearchRollsBackWithoutEnding)
{
    Week week;
    PlaceChoir(week, 0, 0);
    PlaceChoir(week, 0, 1);
    week.Start();
    const std::string s_before = week.State();
    TTMove& mover = *week.pMover;
    SelCounters* p_counters = week.pCounters.get();
    ZelRecordingErrorReports reports;
    // Three levels deep, as a search would be, when a check fails.
    auto search = [&](auto& self, int i_depth) -> void {
        if (i_depth > 3)
            return;
        TTTrans trans(&mover, p_counters);
        mover.RecordTakeOut(0, TTLoc(0, 0, i_depth - 1), p_counters);
        mover.RecordPutIn(0, TTLoc(2, 0, i_depth - 1), p_counters);
        if (i_depth == 2)
            mover.RecordPutIn(1, TTLoc(2, 0, 1), p_counters); // taken already: the check fails
        self(self, i_depth + 1);
        trans.Commit();
    };
    EXPECT_THROW(search(search, 1), ZelAssertException);
    EXPECT_EQ(week.State(), s_before);
    EXPECT_EQ(mover.GetStackSize(), 0);

    // The stack guard's object, and a rollback step that fails on the way.
    EXPECT_THROW(
        {
            TTTrans trans(&mover, p_counters);
            mover.RecordTakeOut(0, TTLoc(0, 0, 0), p_counters);
            mover.RecordPutIn(1, TTLoc(1, 0, 0), p_counters);
            mover.RecordTakeOut(0, TTLoc(0, 0, 1), p_counters);
            week.event.Slot(1, "Hall", "09:00").SetGroup(-1); // emptied behind the mover's back
            throw SE_StackOverflow::Get();
        },
        SE_StackOverflow*);
    EXPECT_EQ(mover.GetStackSize(), 0);
    EXPECT_EQ(week.event.Slot(0, "Hall", "09:00").GetGroup(), week.event.GroupKey("Choir"));
    EXPECT_EQ(week.event.Slot(0, "Hall", "10:00").GetGroup(), week.event.GroupKey("Choir"));
}

} // namespace
