#include "engine/ProgressModel.h"

#include <algorithm>

ProgressModel::ProgressModel(std::string s_title) : sTitle(std::move(s_title)) {}

void ProgressModel::SetNumStages(std::int32_t n_stages)
{
    nStages = n_stages;
    iStage = -1;
    sDescription.clear();
    StageBar.SetRange(n_stages);
    StepBar.SetRange(0);
    Changed(kStageBar | kStepBar | kDescription);
}

void ProgressModel::SetStage(std::int32_t i_stage, const std::string& s_text, std::int32_t i_max,
                             BOOL b_stop_allowed)
{
    bStopEnabled = b_stop_allowed ? TRUE : FALSE;
    if (!bStopEnabled)
        bStopRequested = FALSE;
    Changed(kStopButton);
    if (!bShowStepPart) {
        sOverallLabel = s_text;
        Changed(kOverallLabel);
    }
    if (nStages <= 0 || i_stage < 0 || i_stage >= nStages)
        return;
    iStage = i_stage;
    iStepMax = i_max;
    // The stage text is shown whole: its 30-character limit bounds what a
    // user could type into the control, and nobody types here. Cut, every
    // day's name in "Filling empty slots for day: ..." shrank to its first
    // letter. The window ends a text too wide for it with an ellipsis.
    sDescription = s_text;
    StageBar.SetPos(static_cast<std::int64_t>(i_stage) + 1);
    StepBar.SetRange(i_max);
    iStepPos = 0;
    Changed(kStageBar | kStepBar | kDescription);
}

void ProgressModel::StepIt()
{
    if (nStages <= 0)
        return;
    ++iStepPos;
    StepBar.SetPos(iStepPos < iStepMax ? iStepPos : iStepMax);
    Changed(kStepBar);
}

BOOL ProgressModel::IsStopRequested() const
{
    return bCancelRequested || bStopRequested;
}

void ProgressModel::ClearRequests()
{
    bCancelRequested = FALSE;
    bStopRequested = FALSE;
}

void ProgressModel::OnCancel()
{
    bCancelRequested = TRUE;
}

void ProgressModel::OnStop()
{
    if (bStopEnabled)
        bStopRequested = TRUE;
}

UINT ProgressModel::TakeChanges()
{
    const UINT u_changed = uChanged;
    uChanged = 0;
    return u_changed;
}

BuildProgressModel::BuildProgressModel(IProgressClock& clock, std::string s_title)
    : ProgressModel(std::move(s_title)), rClock(clock)
{
}

BOOL BuildProgressModel::IsStopRequested() const
{
    return bSkipRequested || bTimeLimitReached || ProgressModel::IsStopRequested();
}

void BuildProgressModel::ClearRequests()
{
    ProgressModel::ClearRequests();
    bSkipRequested = FALSE;
    bTimeLimitReached = FALSE;
}

void BuildProgressModel::ClearAnsweredRequests()
{
    const BOOL b_cancel = IsCancelRequested();
    ClearRequests();
    if (b_cancel)
        OnCancel();
}

void BuildProgressModel::OnSkip()
{
    bSkipRequested = TRUE;
}

void BuildProgressModel::SetTimeLimit(UINT u_seconds)
{
    llDeadline = llNever;
    bTimeLimitReached = FALSE;
    uTimeLimit = u_seconds;
    if (u_seconds != 0)
        llDeadline = rClock.GetMilliseconds() + static_cast<std::int64_t>(u_seconds) * 1000;
}

void BuildProgressModel::SetTimeLimitLeft(std::int64_t ll_ms)
{
    ll_ms = std::max<std::int64_t>(0, ll_ms);
    bTimeLimitReached = FALSE;
    uTimeLimit = static_cast<UINT>(std::max<std::int64_t>(1, (ll_ms + 999) / 1000));
    llDeadline = rClock.GetMilliseconds() + ll_ms;
}

void BuildProgressModel::CheckTimeLimit()
{
    if (llDeadline != llNever && rClock.GetMilliseconds() >= llDeadline) {
        llDeadline = llNever;
        bTimeLimitReached = TRUE;
    }
}

void BuildProgressModel::SetSearchLevel(const std::string& s_mode_name)
{
    sSearchLevel = s_mode_name;
    ExchangeTexts();
}

void BuildProgressModel::SetToPlace(UINT u_count)
{
    sToPlace = std::to_string(u_count);
    ExchangeTexts();
}

void BuildProgressModel::SetTargetCount(UINT u_count)
{
    sTargetCount = std::to_string(u_count);
    ExchangeTexts();
}

void BuildProgressModel::SetTargetGroup(const std::string& s_name)
{
    sTargetGroup = s_name;
    ExchangeTexts();
}

void BuildProgressModel::SetDepthMax(UINT u_max)
{
    uDepthMax = u_max;
    uDepthPos = 0;
    DepthBar.SetRange(static_cast<std::int32_t>(u_max > INT32_MAX ? INT32_MAX : u_max));
    Changed(kDepthBar);
}

BOOL BuildProgressModel::SetPlacingGroup(const std::string& s_name)
{
    if (!RefreshDue(llLastPlacing))
        return FALSE;
    sPlacingGroup = s_name;
    ExchangeTexts();
    return TRUE;
}

BOOL BuildProgressModel::SetDepthPos(UINT u_pos)
{
    if (!RefreshDue(llLastDepth))
        return FALSE;
    uDepthPos = u_pos;
    DepthBar.SetPos(u_pos);
    Changed(kDepthBar);
    ExchangeTexts();
    return TRUE;
}

BOOL BuildProgressModel::SetSearchCount(DWORD u_count)
{
    if (!RefreshDue(llLastSearches))
        return FALSE;
    sSearches = std::to_string(u_count);
    ExchangeTexts();
    return TRUE;
}

BOOL BuildProgressModel::RefreshDue(std::int64_t& ll_last)
{
    const std::int64_t ll_now = rClock.GetMilliseconds();
    if (ll_last != llNever && ll_now - ll_last < llRefreshMs)
        return FALSE;
    ll_last = ll_now;
    return TRUE;
}

void BuildProgressModel::ExchangeTexts()
{
    if (!bDetailsShown)
        return;
    sDepthText = std::to_string(uDepthPos) + "/" + std::to_string(uDepthMax);
    Changed(kTexts);
}
