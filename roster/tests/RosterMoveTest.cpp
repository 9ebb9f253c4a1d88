// The rostering moves: a membership counted in every locked placement of
// its group, undone exactly by a rollback, kept or dropped with the
// transaction around it; moves of the wrong kind break the contract.
#include "roster/RosterEngine.h"
#include "roster/RosterMove.h"
#include "roster/tests/RosterBed.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

using namespace rostertest;

namespace {

class RosterMoveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SmallEvent(event);
        event.Participant("Ann Lee").Participant("Bob Ray")
            .Member("Band", "Bob Ray", "drums");
        // Band is locked twice: Tuesday in the hall and Monday in the barn.
        event.Timetable();
        PlaceSmallEvent(event).Place(0, "Barn", "10:00", "Band", true);
        event.GetParticipant("Ann Lee").SetUsualRoleKey(event.Doc().AddParticipantRole("alto"));
        engine = std::make_unique<RosterEngine>(&event.Doc());
        engine->Prepare(TRUE, &bModified, nullptr, nullptr, nullptr, nullptr);
        counters = std::make_unique<SelCounters>(&event.Doc(), event.Doc().GetTimetable(), TRUE);
        counters->CountTimetable();
        iAnn = event.Doc().GetParticipants().FindByKey(event.ParticipantKey("Ann Lee"));
        iBob = event.Doc().GetParticipants().FindByKey(event.ParticipantKey("Bob Ray"));
        iBand = event.Doc().GetGroups().FindByKey(event.GroupKey("Band"));
        iTrio = event.Doc().GetGroups().FindByKey(event.GroupKey("Trio"));
    }

    // Day 0 total, day 1 total, event total of the participant.
    std::vector<UINT> Counts(int i_part) const
    {
        const PartCount& counts = counters->GetPartCount(i_part);
        return {counts.GetDayCount(0), counts.GetDayCount(1), counts.GetTotal()};
    }

    testevent::EventBuilder event;
    std::atomic<bool> bModified{false};
    std::unique_ptr<RosterEngine> engine;
    std::unique_ptr<SelCounters> counters;
    int iAnn = -1;
    int iBob = -1;
    int iBand = -1;
    int iTrio = -1;
};

TEST_F(RosterMoveTest, PutInAndTakeOutCountInEveryLockedPlacement)
{
    EXPECT_EQ(Counts(iBob), (std::vector<UINT>{1, 2, 3})) << "the unlocked placement counts too";
    RosterMove& mover = *engine->GetMover();
    mover.PutIn(iAnn, iBand, counters.get());
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Bob Ray, Ann Lee+"});
    EXPECT_EQ(event.GetGroup("Band").GetMembers()[1].sRole, "alto") << "in the role she usually has";
    EXPECT_EQ(Counts(iAnn), (std::vector<UINT>{1, 1, 2})) << "one per locked placement";
    mover.TakeOut(iBob, iBand, counters.get());
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Ann Lee+"});
    EXPECT_EQ(Counts(iBob), (std::vector<UINT>{0, 1, 1}));
}

TEST_F(RosterMoveTest, RollbackOfTakeOutThenPutInRestoresMembershipAndCounts)
{
    RosterMove& mover = *engine->GetMover();
    {
        RosterTransaction setup(&mover, counters.get());
        mover.RecordPutIn(iAnn, iBand, counters.get());
        setup.Commit();
    }
    const std::vector<UINT> v_before = Counts(iAnn);
    {
        RosterTransaction trans(&mover, counters.get());
        mover.RecordTakeOut(iAnn, iBand, counters.get());
        mover.RecordPutIn(iAnn, iTrio, counters.get());
        EXPECT_EQ(Memberships(event.Doc()), (std::vector<std::string>{"Trio: Ann Lee+", "Band: Bob Ray"}));
        trans.Rollback();
    }
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Bob Ray, Ann Lee+"});
    EXPECT_EQ(Counts(iAnn), v_before);
}

TEST_F(RosterMoveTest, InnerCommitIsUndoneByTheOuterRollback)
{
    RosterMove& mover = *engine->GetMover();
    {
        RosterTransaction outer(&mover, counters.get());
        {
            RosterTransaction inner(&mover, counters.get());
            EXPECT_EQ(inner.GetId(), 1);
            mover.RecordPutIn(iAnn, iTrio, counters.get());
            inner.Commit();
        }
        EXPECT_EQ(Memberships(event.Doc()).front(), "Trio: Ann Lee+");
        outer.Rollback();
    }
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Bob Ray"});
    EXPECT_EQ(Counts(iAnn), (std::vector<UINT>{0, 0, 0}));
    EXPECT_EQ(mover.GetStackSize(), 0);
}

TEST_F(RosterMoveTest, MovesOfTheWrongKindBreakTheContract)
{
    ZelRecordingErrorReports reports;
    RosterMove& mover = *engine->GetMover();
    EXPECT_THROW(mover.PutIn(iBob, iBand, counters.get()), ZelAssertException);
    EXPECT_THROW(mover.TakeOut(iAnn, iBand, counters.get()), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 2u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: i_index < 0"), std::string::npos);
    EXPECT_NE(reports.Reports()[1].sReport.find("Error: i_index >= 0"), std::string::npos);
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Bob Ray"});
    EXPECT_EQ(Counts(iBob), (std::vector<UINT>{1, 2, 3}));
}

} // namespace
