// The progress windows' rules on a fake clock: the model alone, and the
// build engine's side of it over the headless window.
#include "engine/BuildProgress.h"
#include "engine/ProgressModel.h"
#include "engine/ProgressPort.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(ProgressModel, StagesMoveTheBarsAndAStageOutsideTheRangeOnlyTouchesStopAndTheLabel)
{
    ProgressModel model;
    model.SetNumStages(3);
    EXPECT_EQ(model.GetStage(), -1);
    EXPECT_EQ(model.GetStageBar().iMax, 3);
    model.SetStage(1, "Enforcing minimum event limits...", 4, TRUE);
    EXPECT_EQ(model.GetStage(), 1);
    EXPECT_EQ(model.GetStageBar().iPos, 2);
    EXPECT_EQ(model.GetStepBar().iMax, 4);
    // The description is the stage text, whole.
    EXPECT_EQ(model.GetDescription(), "Enforcing minimum event limits...");
    model.StepIt();
    model.TakeChanges();

    for (int i_stage : {-1, 3, 7}) {
        SCOPED_TRACE(i_stage);
        model.SetStage(i_stage, "elsewhere", 9, FALSE);
        EXPECT_EQ(model.TakeChanges(), ProgressModel::kStopButton);
        EXPECT_EQ(model.GetStage(), 1);
        EXPECT_EQ(model.GetStageBar().iPos, 2);
        EXPECT_EQ(model.GetStepBar().iMax, 4);
        EXPECT_EQ(model.GetStepBar().iPos, 1);
        EXPECT_EQ(model.GetDescription(), "Enforcing minimum event limits...");
        EXPECT_FALSE(model.IsStopEnabled());
        model.SetStage(1, "Enforcing minimum event limits...", 4, TRUE);
        model.StepIt();
        model.TakeChanges();
    }

    // Without stages no stage is entered and no step is taken.
    ProgressModel none;
    none.SetStage(0, "text", 5, TRUE);
    none.StepIt();
    EXPECT_EQ(none.GetStage(), -1);
    EXPECT_EQ(none.GetStepPos(), 0);
    EXPECT_EQ(none.GetStepBar().iPos, 0);

    // With the step part hidden every stage text, even one out of range,
    // goes into the overall label, whole.
    ProgressModel hidden;
    hidden.SetShowStepPart(FALSE);
    hidden.SetNumStages(2);
    hidden.SetStage(5, "Formatting report (re-sizing all columns)", 3, TRUE);
    EXPECT_EQ(hidden.GetOverallLabel(), "Formatting report (re-sizing all columns)");
    EXPECT_EQ(hidden.GetStage(), -1);
}

TEST(ProgressModel, TheStepBarStopsAtTheStagesMaximum)
{
    ProgressModel model;
    model.SetNumStages(2);
    model.SetStage(0, "a", 3, TRUE);
    const int a_expected[] = {1, 2, 3, 3, 3};
    for (int i_expected : a_expected) {
        model.StepIt();
        EXPECT_EQ(model.GetStepBar().iPos, i_expected);
    }
    EXPECT_EQ(model.GetStepPos(), 5);
    // A new stage starts its bar and its count again.
    model.SetStage(1, "b", 10, TRUE);
    EXPECT_EQ(model.GetStepPos(), 0);
    EXPECT_EQ(model.GetStepBar().iPos, 0);
    // A stage without steps keeps its bar at 0.
    model.SetStage(1, "c", 0, TRUE);
    model.StepIt();
    EXPECT_EQ(model.GetStepBar().iPos, 0);
}

TEST(ProgressModel, StopDisabledDropsAPendingStopAndTakesNoNewOne)
{
    FakeProgressClock clock;
    BuildProgressModel model(clock);
    model.SetNumStages(6);
    model.SetStage(1, "search", 5, TRUE);
    model.OnStop();
    model.OnSkip();
    model.OnCancel();
    model.SetStage(3, "checking", 5, FALSE);
    EXPECT_FALSE(model.IsStopPressed());
    EXPECT_TRUE(model.IsCancelRequested());
    EXPECT_TRUE(model.IsSkipRequested());
    model.ClearRequests();
    model.OnStop();
    EXPECT_FALSE(model.IsStopRequested());
    model.SetStage(4, "fill", 5, TRUE);
    model.OnStop();
    EXPECT_TRUE(model.IsStopRequested());
}

TEST(ProgressModel, ThrottledTextsTakeAValueOnlyEvery500MsEachOnItsOwnClock)
{
    FakeProgressClock clock(10'000);
    BuildProgressModel model(clock);
    model.SetDepthMax(40);
    EXPECT_EQ(model.GetDepthText(), "");
    enum Field { ePlacing, eDepth };
    struct Case {
        int iAt;
        Field eField;
        bool bTaken;
    };
    const Case a_cases[] = {
        {0, ePlacing, true}, // the first of each is taken at once
        {200, eDepth, true},
        {499, ePlacing, false},
        {500, ePlacing, true},
        {699, eDepth, false},
        {700, eDepth, true},
        {999, ePlacing, false},
        {1000, ePlacing, true},
        {1000, eDepth, false},
    };
    int i_value = 0;
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.iAt);
        clock.Set(10'000 + c.iAt);
        ++i_value;
        if (c.eField == ePlacing) {
            const std::string s_name = "G" + std::to_string(i_value);
            const std::string s_before = model.GetPlacingGroup();
            EXPECT_EQ(model.SetPlacingGroup(s_name), c.bTaken ? TRUE : FALSE);
            EXPECT_EQ(model.GetPlacingGroup(), c.bTaken ? s_name : s_before);
        } else {
            const UINT u_before = model.GetDepthPos();
            EXPECT_EQ(model.SetDepthPos(i_value), c.bTaken ? TRUE : FALSE);
            EXPECT_EQ(model.GetDepthPos(), c.bTaken ? static_cast<UINT>(i_value) : u_before);
        }
    }
    EXPECT_EQ(model.GetDepthText(), "6/40");
    EXPECT_EQ(model.GetDepthBar().iPos, 6);

    // The texts shown at once ignore the clock.
    clock.Set(10'000);
    model.SetToPlace(12);
    model.SetTargetCount(3);
    model.SetTargetGroup("Choir");
    model.SetSearchLevel("Complete 1");
    EXPECT_EQ(model.GetToPlace(), "12");
    EXPECT_EQ(model.GetTargetCount(), "3");
    EXPECT_EQ(model.GetTargetGroup(), "Choir");
    EXPECT_EQ(model.GetSearchLevel(), "Complete 1");

    // With the details hidden the texts are kept but nothing goes on screen.
    model.TakeChanges();
    model.SetDetailsShown(FALSE);
    model.SetToPlace(13);
    EXPECT_EQ(model.GetToPlace(), "13");
    EXPECT_EQ(model.TakeChanges(), 0u);
}

TEST(ProgressModel, TheTimeLimitIsADeadlineJudgedWhenTheTimerWouldArrive)
{
    FakeProgressClock clock(5'000);
    BuildProgressModel model(clock);
    model.SetTimeLimit(2);
    EXPECT_TRUE(model.IsTimeLimitRunning());
    clock.Set(6'999);
    model.CheckTimeLimit();
    EXPECT_FALSE(model.IsStopRequested());
    clock.Set(7'000);
    EXPECT_FALSE(model.IsStopRequested()); // not before the timer is looked at
    model.CheckTimeLimit();
    EXPECT_TRUE(model.IsTimeLimitReached());
    EXPECT_FALSE(model.IsTimeLimitRunning());
    model.ClearRequests();
    EXPECT_FALSE(model.IsStopRequested());
    // A new limit clears a reached one; 0 sets none.
    model.SetTimeLimit(1);
    clock.Advance(1'000);
    model.CheckTimeLimit();
    model.SetTimeLimit(0);
    EXPECT_FALSE(model.IsTimeLimitReached());
    clock.Advance(100'000);
    model.CheckTimeLimit();
    EXPECT_FALSE(model.IsStopRequested());
}

// A limit over several windows takes what is left of it: it runs out at its
// millisecond, and one already used up runs out at the first look.
TEST(ProgressModel, TheTimeLeftOfALimitRunsOutAtItsMillisecond)
{
    FakeProgressClock clock(5'000);
    BuildProgressModel model(clock);
    for (const std::int64_t ll_left : {0LL, -30'000LL}) {
        model.SetTimeLimitLeft(ll_left);
        EXPECT_TRUE(model.IsTimeLimitRunning());
        model.CheckTimeLimit();
        EXPECT_TRUE(model.IsTimeLimitReached()) << ll_left;
    }
    model.SetTimeLimitLeft(1'500);
    EXPECT_FALSE(model.IsTimeLimitReached());
    EXPECT_EQ(model.GetTimeLimit(), 2u);
    clock.Advance(1'499);
    model.CheckTimeLimit();
    EXPECT_FALSE(model.IsTimeLimitReached());
    clock.Advance(1);
    model.CheckTimeLimit();
    EXPECT_TRUE(model.IsTimeLimitReached());
}

// ---- the engine's side over the headless window ----

// A clock that counts its readings and moves on by a step after each.
class CountingClock : public IProgressClock {
public:
    std::int64_t GetMilliseconds() override
    {
        ++nReads;
        const std::int64_t ll_now = llNow;
        llNow += llStep;
        return ll_now;
    }
    int nReads = 0;
    std::int64_t llNow = 0;
    std::int64_t llStep = 0;
};

// A search polls between its trials: while polls come faster than a
// millisecond apart the clock is read only now and then, a request already
// made is seen at every poll, and once polls are slow again every poll
// reads the clock and pumps on time.
TEST(BuildProgress, FastPollsReadTheClockOnlyNowAndThen)
{
    HeadlessProgress headless;
    CountingClock clock;
    IProgressClock* p_previous = SetProgressClock(&clock);
    BuildProgress progress;
    ASSERT_TRUE(progress.Start(6));
    ASSERT_EQ(progress.Step(1, "search", 10, TRUE), 1);

    clock.nReads = 0;
    for (int i = 0; i < 1'000; ++i)
        EXPECT_FALSE(progress.PumpMessages());
    EXPECT_LE(clock.nReads, 1'000 / 32);

    // Polls 10 ms apart: back to a reading, and a pump every 100 ms, at
    // every poll soon.
    clock.llStep = 10;
    for (int i = 0; i < 200; ++i)
        progress.PumpMessages();
    const UINT n_pumps = headless.Pumps();
    clock.nReads = 0;
    for (int i = 0; i < 50; ++i)
        progress.PumpMessages();
    EXPECT_EQ(clock.nReads, 50);
    EXPECT_EQ(headless.Pumps(), n_pumps + 5);

    // A stop the model already holds is seen at once, read or not.
    clock.llStep = 0;
    for (int i = 0; i < 100; ++i)
        progress.PumpMessages();
    progress.GetModel()->SetTimeLimitLeft(0);
    progress.GetModel()->CheckTimeLimit();
    EXPECT_TRUE(progress.PumpMessages());
    EXPECT_EQ(progress.GetUserChoice(), BuildProgress::kTimeLimit);
    progress.End();
    SetProgressClock(p_previous);
}

TEST(BuildProgress, RequestsMapToTheBuildsResultCodes)
{
    BuildProgress progress;
    EXPECT_EQ(progress.GetUserChoice(), 3); // no window
    EXPECT_FALSE(progress.PumpMessages());

    HeadlessProgress headless;
    struct Case {
        const char* pName;
        std::vector<UINT> vPresses;
        bool bTimeLimit;
        int iChoice;
    };
    const Case a_cases[] = {
        {"nothing", {}, false, 3},
        {"cancel", {IDCANCEL}, false, 3},
        {"stop", {IDC_PROGRESS_STOP}, false, 2},
        {"skip", {IDC_PROGRESS_SKIP}, false, 5},
        {"time limit", {}, true, 4},
        {"cancel before stop", {IDC_PROGRESS_STOP, IDCANCEL}, false, 3},
        {"stop before skip", {IDC_PROGRESS_SKIP, IDC_PROGRESS_STOP}, true, 2},
        {"skip before the time limit", {IDC_PROGRESS_SKIP}, true, 5},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pName);
        ASSERT_TRUE(progress.Start(6));
        EXPECT_EQ(progress.Step(1, "search", 10, TRUE), 1);
        for (UINT u_id : c.vPresses)
            headless.Press(u_id);
        if (c.bTimeLimit)
            progress.GetModel()->SetTimeLimit(1);
        headless.Clock().Advance(1'000);
        const bool b_asked = !c.vPresses.empty() || c.bTimeLimit;
        EXPECT_EQ(progress.PumpMessages(), b_asked ? TRUE : FALSE);
        EXPECT_EQ(progress.GetUserChoice(), c.iChoice);
        // A stage step reports the same. What the build answers and goes
        // on from is forgotten then, but for a Cancel: the build ends on
        // that one, however late it looks. Clearing forgets everything.
        headless.Clock().Advance(1'000);
        EXPECT_EQ(progress.Step(2, "fill", 10, TRUE), b_asked ? c.iChoice : 1);
        progress.ClearAnsweredRequests();
        const bool b_cancel = std::count(c.vPresses.begin(), c.vPresses.end(), static_cast<UINT>(IDCANCEL)) > 0;
        EXPECT_EQ(progress.IsCancelRequested(), b_cancel ? TRUE : FALSE);
        EXPECT_EQ(progress.PumpMessages(), b_cancel ? TRUE : FALSE);
        EXPECT_EQ(progress.Step(2, "fill", 10, TRUE), b_cancel ? BuildProgress::kCancelled : 1);
        progress.ClearRequests();
        EXPECT_FALSE(progress.PumpMessages());
        EXPECT_EQ(progress.Step(2, "fill", 10, TRUE), 1);
    }
}

TEST(BuildProgress, PumpsAtMostEvery100MsAndUserPressesArriveWithThePump)
{
    HeadlessProgress headless;
    BuildProgress progress;
    ASSERT_TRUE(progress.Start(6));
    // (ms since start, pumped)
    const std::pair<int, bool> a_cases[] = {{0, true}, {50, false}, {99, false}, {100, true}, {199, false},
                                            {200, true}, {299, false}, {5'000, true}};
    const std::int64_t ll_start = headless.Clock().Peek();
    UINT n_expected = 0;
    for (const auto& [i_at, b_pumped] : a_cases) {
        SCOPED_TRACE(i_at);
        headless.Clock().Set(ll_start + i_at);
        if (i_at == 50)
            headless.Press(IDCANCEL); // clicked while the search runs
        const BOOL b_request = progress.PumpMessages();
        n_expected += b_pumped ? 1 : 0;
        EXPECT_EQ(headless.Pumps(), n_expected);
        // The click is seen once the next pump has dispatched it.
        EXPECT_EQ(b_request, i_at >= 100 ? TRUE : FALSE);
    }
    // Cancel leaves the window up.
    EXPECT_TRUE(headless.IsShown());
    EXPECT_EQ(progress.GetUserChoice(), 3);
}

TEST(BuildProgress, TheSearchCountShowsAfterEvery1000StepsAndAtMostEvery500Ms)
{
    HeadlessProgress headless;
    BuildProgress progress;
    ASSERT_TRUE(progress.Start(6));
    auto shown = [&] { return headless.Model()->GetSearches(); };
    for (int i = 0; i < 1000; ++i)
        progress.CountSearchStep();
    EXPECT_EQ(shown(), "");
    progress.CountSearchStep();
    EXPECT_EQ(shown(), "1001");
    // 1001 more steps within 500 ms: the count waits for the clock...
    headless.Clock().Advance(499);
    for (int i = 0; i < 1001; ++i)
        progress.CountSearchStep();
    EXPECT_EQ(shown(), "1001");
    // ...and shows once it has passed, within the steps after which the
    // clock is asked again.
    headless.Clock().Advance(1);
    DWORD u_steps = 0;
    while (shown() == "1001" && u_steps <= BuildProgress::uStepsPerRetry) {
        progress.CountSearchStep();
        ++u_steps;
    }
    EXPECT_LE(u_steps, BuildProgress::uStepsPerRetry);
    const std::string s_count = std::to_string(2002 + u_steps);
    EXPECT_EQ(shown(), s_count);
    // Every refresh of the texts was recorded, the count with it.
    ASSERT_FALSE(headless.Texts().empty());
    EXPECT_EQ(headless.Texts().back().sSearches, s_count);
    EXPECT_EQ(progress.GetStepCount(), 2002u + u_steps);
    progress.ResetStepCount();
    EXPECT_EQ(progress.GetStepCount(), 0u);
}

TEST(BuildProgress, TheEndKeepsTheWindowUpForASecondUnlessTheUserAsks)
{
    struct Case {
        const char* pName;
        int iRunMs;      // how long the build ran
        UINT uPressed;   // a button pressed just before the end (0: none)
        int iEndsAtMs;   // when the window ends, since it started
    };
    const Case a_cases[] = {
        {"short build", 200, 0, 1000},
        {"long build", 3000, 0, 3010},
        {"cancelled", 200, IDCANCEL, 210},
        {"stopped", 0, IDC_PROGRESS_STOP, 10},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pName);
        HeadlessProgress headless;
        BuildProgress progress;
        const std::int64_t ll_start = headless.Clock().Peek();
        ASSERT_TRUE(progress.Start(6));
        progress.Step(0, "Checking timetable...", 1, TRUE);
        headless.Clock().Advance(c.iRunMs);
        if (c.uPressed) {
            EXPECT_TRUE(headless.Click(c.uPressed));
        }
        progress.End();
        EXPECT_FALSE(progress.IsShown());
        EXPECT_EQ(headless.Ended(), 1u);
        EXPECT_EQ(headless.Clock().Peek() - ll_start, c.iEndsAtMs);
        // Nothing happens without a window.
        progress.End();
        EXPECT_EQ(headless.Ended(), 1u);
    }

    // The window is greyed out during the wait: a press then counts for nothing.
    HeadlessProgress headless;
    BuildProgress progress;
    ASSERT_TRUE(progress.Start(6));
    bool b_disabled_seen = false;
    headless.SetPumpHook([&](UINT) {
        b_disabled_seen = b_disabled_seen || headless.IsDisabled();
        EXPECT_FALSE(headless.Click(IDCANCEL));
    });
    progress.End();
    EXPECT_TRUE(b_disabled_seen);
    EXPECT_GE(headless.Clock().Peek(), 1000);
}

TEST(BuildProgress, StartsANewWindowEachTimeAndRunsWithoutOneWhenNoneCanBeMade)
{
    HeadlessProgress headless;
    BuildProgress progress;
    ASSERT_TRUE(progress.Start(6));
    progress.Step(2, "Filling empty slots for day: Monday", 7, FALSE);
    // The stages were set, then one entered.
    ASSERT_EQ(headless.Stages().size(), 2u);
    EXPECT_EQ(headless.Stages()[0].iStage, -1);
    const HeadlessProgress::StageShown& stage = headless.Stages()[1];
    EXPECT_EQ(stage.iStage, 2);
    EXPECT_EQ(stage.sDescription, "Filling empty slots for day: Monday");
    EXPECT_EQ(stage.iStepMax, 7);
    EXPECT_FALSE(stage.bStopEnabled);
    // A second start ends the first window (after its second) and makes a new one.
    ASSERT_TRUE(progress.Start(6));
    EXPECT_EQ(headless.Shown(), 2u);
    EXPECT_EQ(headless.Ended(), 1u);
    EXPECT_EQ(headless.Model()->GetStage(), -1);

    headless.SetShowFails(true);
    EXPECT_FALSE(progress.Start(6));
    const UINT n_pumps = headless.Pumps();
    EXPECT_EQ(headless.Ended(), 2u);
    EXPECT_FALSE(progress.IsShown());
    headless.Press(IDCANCEL);
    EXPECT_EQ(progress.Step(1, "search", 5, TRUE), 1);
    progress.StepIt();
    progress.SetModeName("Thorough");
    progress.CountSearchStep();
    EXPECT_EQ(progress.GetStepCount(), 0u);
    EXPECT_EQ(headless.Pumps(), n_pumps);
}

TEST(BuildProgress, TextsOfTheRunningSearchReachTheWindow)
{
    HeadlessProgress headless;
    BuildProgress progress;
    ASSERT_TRUE(progress.Start(6));
    progress.SetDepthMax(24);
    progress.SetModeName("Complete 2");
    progress.SetToPlace(17);
    progress.SetTargetCount(4);
    progress.SetTargetGroup("Brass band");
    progress.SetPlacingGroup("Choir");
    progress.SetDepthPos(6);
    progress.SetPlacingGroup("Drama"); // within 500 ms of the last: not shown
    const HeadlessProgress::TextsShown& texts = headless.Texts().back();
    EXPECT_EQ(texts.sSearchLevel, "Complete 2");
    EXPECT_EQ(texts.sToPlace, "17");
    EXPECT_EQ(texts.sTargetCount, "4");
    EXPECT_EQ(texts.sTargetGroup, "Brass band");
    EXPECT_EQ(texts.sPlacingGroup, "Choir");
    EXPECT_EQ(texts.sDepthText, "6/24");
    EXPECT_EQ(headless.Model()->GetDepthBar().iMax, 24);
    EXPECT_EQ(headless.Model()->GetDepthBar().iPos, 6);
    EXPECT_EQ(headless.Texts().size(), 6u);
}

} // namespace
