// Rostering runs on the worker thread: the codes the receiver sees, Stop,
// failures inside a pass handed over to the receiver's thread, the count
// of errors that decides on the maximum pass, the modified flag, bad input
// and the same result from the same start.
#include "roster/RosterEngine.h"
#include "roster/RosterRun.h"
#include "roster/tests/RosterBed.h"

#include "generators/RosterGenerator.h"
#include "engine/StackGuard.h"
#include "generators/SampleEvents.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rostertest;

namespace {

class RunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sampleevents::ResetKeyCounters();
        SmallEvent(event);
    }

    void Member(const std::string& s_group, const std::string& s_part, BOOL b_rostered)
    {
        event.GetGroup(s_group).GetMembers().SetMember(event.ParticipantKey(s_part), "", b_rostered);
    }

    static int Count(const std::vector<int>& v_codes, int i_code)
    {
        return static_cast<int>(std::count(v_codes.begin(), v_codes.end(), i_code));
    }

    testevent::EventBuilder event;
    RosterStatus status;
};

TEST_F(RunTest, CodesSixAndSevenComeAroundThePassesAndTheEndCodeLast)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 2}}, true))
        .Participant("Bob Ray", Styles(event, {{"Jazz", 1}, {"Rock", 1}}, false, Range(1, 2)));
    event.Timetable();
    PlaceSmallEvent(event);
    RosterEngine engine(&event.Doc());
    engine.Recount(TRUE, &status);
    RecordingRosterPort port;
    RosterRun run(engine, &status, &port);
    run.RunToEnd();

    const std::vector<int> v_codes = port.Codes();
    ASSERT_GE(v_codes.size(), 4u);
    EXPECT_EQ(v_codes.front(), ROSTER_POST_MINIMUM_PASS);
    EXPECT_EQ(v_codes[1], ROSTER_POST_PASS_TEXT) << "a new engine's first pass posts no 0";
    EXPECT_EQ(v_codes.back(), ROSTER_POST_FINISHED);
    const auto it_seven = std::find(v_codes.begin(), v_codes.end(), ROSTER_POST_MAXIMUM_PASS);
    ASSERT_NE(it_seven, v_codes.end());
    EXPECT_EQ(*(it_seven + 1), ROSTER_POST_PASS_START);
    EXPECT_EQ(Count(v_codes, ROSTER_POST_PASS_START), 1);
    EXPECT_EQ(port.Posts()[static_cast<std::size_t>(it_seven - v_codes.begin()) + 1],
              (RosterPost{ROSTER_POST_PASS_START, ROSTER_MAXIMUM_PASS, 1, {}}))
        << "two with rostering, Ann at her maximum";
    EXPECT_TRUE(run.ReachedMinimum());
    EXPECT_TRUE(run.RanMaximumPass());
    EXPECT_TRUE(run.IsModified());
    EXPECT_EQ(Memberships(event.Doc()),
              (std::vector<std::string>{"Trio: Ann Lee+, Bob Ray+", "Duo: Ann Lee+", "Band: Bob Ray+"}));
}

TEST_F(RunTest, StopDuringTheMinimumPassEndsWithCodeFour)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}}, true))
        .Participant("Bob Ray", Styles(event, {{"Folk", 1}}, true))
        .Participant("Cy Fox", Styles(event, {{"Rock", 1}}, true));
    event.Timetable();
    PlaceSmallEvent(event);
    RosterEngine engine(&event.Doc());
    RosterRun* p_run = nullptr;
    RecordingRosterPort port([&](const RosterPost& post) {
        if (post.iCode == ROSTER_POST_PARTICIPANT_DONE)
            p_run->Cancel();
    });
    RosterRun run(engine, &status, &port);
    p_run = &run;
    run.RunToEnd();
    EXPECT_EQ(port.Codes(), (std::vector<int>{6, 1, 2, 3, 4}));
    EXPECT_FALSE(run.RanMaximumPass());
    EXPECT_TRUE(run.IsCancelled());
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Trio: Ann Lee+"}) << "Ann's placement stays";
}

// A group member names a participant the event does not have: counting
// the timetable fails its check on the worker. The report is not shown
// there; the end code still comes, and the receiver gets the failure with
// its report after the join.
TEST_F(RunTest, AFailedCheckInAPassReachesTheReceiverAfterTheEndCode)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}}, true));
    event.Timetable();
    PlaceSmallEvent(event);
    event.GetGroup("Band").GetMembers().SetMember(987654, "", FALSE);
    ZelRecordingErrorReports reports;
    RosterEngine engine(&event.Doc());
    RecordingRosterPort port;
    RosterRun run(engine, &status, &port);
    run.Start();
    run.Join();
    EXPECT_EQ(port.Codes(), (std::vector<int>{6, 1, 5}));
    EXPECT_TRUE(reports.Reports().empty()) << "no report from the worker";
    try {
        run.RethrowFailure();
        FAIL() << "nothing handed over";
    } catch (const ZelAssertException& e) {
        EXPECT_TRUE(e.IsReportPending());
        ZelShowPendingReport(e);
        ASSERT_EQ(reports.Reports().size(), 1u);
        EXPECT_NE(reports.Reports()[0].sReport.find("Error: i_index >= 0"), std::string::npos);
    }
    EXPECT_NO_THROW(run.RethrowFailure()) << "handed over once";
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: #987654"});
    EXPECT_FALSE(run.IsModified());
}

// The stack guard ends the search in the middle of a try that has already
// moved Ann out of the Ring and into the Trio: the moves are undone as the
// overflow passes, and the receiver gets it.
TEST_F(RunTest, TheStackGuardEndsTheRunWithoutAHalfMadeMove)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 1}}, false));
    event.Timetable();
    PlaceSmallEvent(event);
    Member("Ring", "Ann Lee", TRUE);
    RosterEngine engine(&event.Doc());
    int n_level_posts = 0;
    RecordingRosterPort port([&](const RosterPost& post) {
        // The second: the search for the styles the try displaced.
        if (post.iCode == ROSTER_POST_PARTICIPANT_TEXT && post.sText == "Ann Lee (Level 2 search)"
            && ++n_level_posts == 2)
            throw SE_StackOverflow::Get();
    });
    RosterRun run(engine, &status, &port);
    run.Start();
    run.Join();
    EXPECT_EQ(port.Codes().back(), ROSTER_POST_FINISHED);
    EXPECT_THROW(run.RethrowFailure(), SE_StackOverflow*);
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Ring: Ann Lee+"});
    EXPECT_FALSE(run.IsModified());

    // The guard itself, asked at every step of the search.
    const std::size_t u_margin = SetStackGuardMargin(std::size_t(1) << 40);
    RosterEngine again(&event.Doc());
    RosterRun guarded(again, &status, nullptr);
    guarded.Start();
    guarded.Join();
    SetStackGuardMargin(u_margin);
    EXPECT_THROW(guarded.RethrowFailure(), SE_StackOverflow*);
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Ring: Ann Lee+"});
}

// Bob has no order: his first attempt fails and counts as an error, which
// his successful retry takes back. Cy cannot be placed at all (not
// available when the Band plays), so the error count stays 1, the minimum
// pass fails and the maximum pass does not run.
TEST_F(RunTest, EveryFailureCountsOnceSoTheMaximumPassWaitsForAllMinimums)
{
    event.Participant("Bob Ray", Styles(event, {{"Rock", 1}}, false))
        .Participant("Cy Fox", Styles(event, {{"Rock", 1}}, true));
    event.GetParticipant("Cy Fox").GetUnavailable().AddTime(event.Doc().GetEventDef().GetDayDef().GetDayId(1),
                                                            testevent::EventBuilder::RelSlot("09:00-12:00"));
    event.Timetable();
    PlaceSmallEvent(event);
    RosterEngine engine(&event.Doc());
    engine.Recount(TRUE, &status);
    RecordingRosterPort port;
    RosterRun run(engine, &status, &port);
    run.RunToEnd();
    EXPECT_FALSE(run.ReachedMinimum());
    EXPECT_EQ(status.GetErrors(), 1u);
    EXPECT_EQ(Count(port.Codes(), ROSTER_POST_MAXIMUM_PASS), 0);
    EXPECT_EQ(ErrorLines(engine), std::vector<std::string>{"Cy Fox / Rock / 5051"});
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Band: Bob Ray+"});
}

// Ann (no order, Jazz and Folk) holds Folk in the Ring, which clashes with
// the Trio. Each retry moves her out of the Ring and into the Trio (an
// inner commit), finds no other place for Folk (the Duo is full of fixed
// members) and rolls everything back: the run changes nothing and must
// not mark the event changed.
TEST_F(RunTest, ARunThatChangesNothingLeavesTheModifiedFlag)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 1}}, false))
        .Participant("Bob Ray")
        .Participant("Cy Fox");
    event.Timetable();
    PlaceSmallEvent(event);
    Member("Ring", "Ann Lee", TRUE);
    Member("Duo", "Bob Ray", FALSE);
    Member("Duo", "Cy Fox", FALSE);
    RosterEngine engine(&event.Doc());
    RosterRun run(engine, &status, nullptr);
    run.RunToEnd();
    EXPECT_FALSE(run.ReachedMinimum());
    EXPECT_FALSE(run.IsModified());
    EXPECT_EQ(Memberships(event.Doc()), (std::vector<std::string>{"Ring: Ann Lee+", "Duo: Bob Ray, Cy Fox"}));
}

// Style keys below 0 are left out; a key no group carries finds nothing.
TEST_F(RunTest, StyleKeysThatNameNothingAreLeftOutOrNotFound)
{
    event.Participant("Ann Lee", [&](Participant& part) {
        part.GetOwnRosterStyles().InsertSorted(RosterStyle(-4, 1));
        part.GetOwnRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Jazz"), 2));
        part.SetOrdered(TRUE);
    });
    event.Participant("Bob Ray", [&](Participant& part) {
        part.GetOwnRosterStyles().InsertSorted(RosterStyle(777777, 1));
        part.SetOrdered(TRUE);
    });
    event.Timetable();
    PlaceSmallEvent(event);
    RosterEngine engine(&event.Doc());
    RosterRun run(engine, &status, nullptr);
    run.RunToEnd();
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Trio: Ann Lee+"});
    EXPECT_EQ(ErrorLines(engine), std::vector<std::string>{"Bob Ray /  / 5049"});
    EXPECT_FALSE(engine.Recount(FALSE, &status));
    EXPECT_EQ(ErrorLines(engine), std::vector<std::string>{"Bob Ray /  / 5046"}) << "Ann is complete";
}

// The same event, loaded twice from the same bytes, rosters the same way:
// memberships, errors, counters and every post.
TEST(RunDeterminism, TheSameStartGivesTheSameRun)
{
    benchevent::RosterOptions options = benchevent::RosterPreset(0, 7);
    options.Event.nGroups = 30;
    options.Event.nParticipants = 240;
    options.Event.nDays = 3;
    options.Event.nVenues = 5;
    const std::vector<std::uint8_t> v_bytes = benchevent::GenerateRosterEvent(options)->WriteEventFile();

    struct Result {
        std::vector<std::string> vMembers;
        std::vector<std::string> vErrors;
        std::vector<RosterPost> vPosts;
        RosterCounts Counts;
    };
    auto roster = [&] {
        EventDoc doc;
        doc.ReadEventFile(v_bytes);
        RosterEngine engine(&doc);
        RosterStatus status;
        engine.Recount(TRUE, &status);
        RecordingRosterPort port;
        RosterRun run(engine, &status, &port);
        run.RunToEnd();
        return Result{Memberships(doc), ErrorLines(engine), port.Posts(), status.GetSnapshot()};
    };
    const Result first = roster();
    const Result second = roster();
    EXPECT_EQ(first.vMembers, second.vMembers);
    EXPECT_EQ(first.vErrors, second.vErrors);
    EXPECT_TRUE(first.vPosts == second.vPosts);
    EXPECT_EQ(first.Counts, second.Counts);
    EXPECT_GT(first.Counts.nToMinimum, 100u) << "a run that did something";
}

} // namespace
