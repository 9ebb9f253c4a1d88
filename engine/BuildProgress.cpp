#include "engine/BuildProgress.h"

#include "engine/BusyPump.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>

BuildProgress::~BuildProgress()
{
    Close();
}

BOOL BuildProgress::Start(std::int32_t n_stages)
{
    End();
    ZEL_ASSERT(pModel == nullptr);
    pPort = &GetProgressPort();
    pClock = &GetProgressClock();
    auto p_model = std::make_unique<BuildProgressModel>(*pClock);
    pWindow = pPort->Show(*p_model);
    if (!pWindow)
        return FALSE;
    pModel = std::move(p_model);
    BusyPump::SetProgress(this);
    uSkipPerRead = 0;
    uPollsToSkip = 0;
    pModel->SetNumStages(n_stages);
    Flush();
    llStart = pClock->GetMilliseconds();
    return TRUE;
}

int BuildProgress::Step(std::int32_t i_stage, const std::string& s_text, std::int32_t i_max, BOOL b_stop_allowed)
{
    if (!pModel)
        return 1;
    pModel->SetStage(i_stage, s_text, i_max, b_stop_allowed);
    Flush();
    // A new stage starts the polls' pace again from a reading.
    uSkipPerRead = 0;
    uPollsToSkip = 0;
    return PumpMessages() ? GetUserChoice() : 1;
}

void BuildProgress::StepIt()
{
    if (!pModel)
        return;
    pModel->StepIt();
    Flush();
}

void BuildProgress::ClearRequests()
{
    uSkipPerRead = 0;
    uPollsToSkip = 0;
    if (pModel)
        pModel->ClearRequests();
}

void BuildProgress::ClearAnsweredRequests()
{
    uSkipPerRead = 0;
    uPollsToSkip = 0;
    if (pModel)
        pModel->ClearAnsweredRequests();
}

BOOL BuildProgress::ReadClockAndPump()
{
    // A search polls between its trials, tens of thousands of times a
    // second: the clock is read only every so many polls, as many as pass
    // in about a millisecond (the polls between are answered in line). A
    // request already made is seen at once; only the moment a Stop, Cancel
    // or the time limit is noticed may move, and by far less than the
    // pump's pace.
    const std::int64_t ll_now = pClock->GetMilliseconds();
    if (bPumped) {
        const std::int64_t ll_gap = ll_now - llLastRead;
        if (ll_gap < llReadGapMs)
            uSkipPerRead = std::min<DWORD>(uSkipPerRead * 2 + 1, uMaxSkipPerRead);
        else if (ll_gap > 4 * llReadGapMs)
            uSkipPerRead /= 2;
    }
    llLastRead = ll_now;
    uPollsToSkip = uSkipPerRead;
    if (!bPumped || ll_now - llLastPump > llPumpMs) {
        bPumped = true;
        llLastPump = ll_now;
        pModel->CheckTimeLimit();
        pPort->Pump();
    }
    return pModel->IsStopRequested();
}

int BuildProgress::GetUserChoice() const
{
    if (!pModel || pModel->IsCancelRequested())
        return kCancelled;
    if (pModel->IsStopPressed())
        return kStopped;
    if (pModel->IsSkipRequested())
        return kSkip;
    if (pModel->IsTimeLimitReached())
        return kTimeLimit;
    return kCancelled;
}

void BuildProgress::End()
{
    if (!pModel)
        return;
    pWindow->Disable();
    for (;;) {
        pPort->Yield();
        if (PumpMessages())
            break;
        if (pClock->GetMilliseconds() >= llStart + llLeastShownMs)
            break;
    }
    Close();
}

void BuildProgress::Close()
{
    if (BusyPump::GetProgress() == this)
        BusyPump::SetProgress(nullptr);
    pWindow.reset();
    pModel.reset();
}

void BuildProgress::SetModeName(const std::string& s_mode_name)
{
    if (!pModel)
        return;
    pModel->SetSearchLevel(s_mode_name);
    Flush();
}

void BuildProgress::SetToPlace(UINT u_count)
{
    if (!pModel)
        return;
    pModel->SetToPlace(u_count);
    Flush();
}

void BuildProgress::SetTargetCount(UINT u_count)
{
    if (!pModel)
        return;
    pModel->SetTargetCount(u_count);
    Flush();
}

void BuildProgress::SetTargetGroup(const std::string& s_name)
{
    if (!pModel)
        return;
    pModel->SetTargetGroup(s_name);
    Flush();
}

void BuildProgress::SetPlacingGroup(const std::string& s_name)
{
    if (pModel && pModel->SetPlacingGroup(s_name))
        Flush();
}

void BuildProgress::SetDepthPos(UINT u_pos)
{
    if (pModel && pModel->SetDepthPos(u_pos))
        Flush();
}

void BuildProgress::SetDepthMax(UINT u_max)
{
    if (!pModel)
        return;
    pModel->SetDepthMax(u_max);
    Flush();
}

void BuildProgress::RefreshSearchCount()
{
    if (pModel->SetSearchCount(uStepCount)) {
        uStepsSinceText = 0;
        Flush();
    } else {
        // Not yet half a second: the clock is asked again some steps on,
        // not at every step.
        uStepsSinceText = uStepsPerRefresh + 1 - uStepsPerRetry;
    }
}

void BuildProgress::Flush()
{
    if (const UINT u_parts = pModel->TakeChanges(); u_parts != 0 && pWindow)
        pWindow->Refresh(u_parts);
}
