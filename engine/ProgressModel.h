// The state and rules of the progress windows, without a window.
//
// Long operations run on the user-interface thread and report their progress
// to a modeless window that never runs a loop of its own: the operation
// calls in, pumps the events itself, and polls the requests the window's
// buttons set. ProgressModel is the general window (a stage bar, a step bar,
// a description, Stop and Cancel); BuildProgressModel is the timetable
// build's (Skip, a time limit, a search-depth bar and the texts about the
// running search). A window (the dialogs of the shell, or the headless one
// of the tests) renders the model and calls its button handlers; the model
// notes which parts of the window changed, and whoever drives it hands
// those parts to the window (TakeChanges).
#pragma once

#include "engine/ProgressClock.h"
#include "framework/Types.h"

#include <cstdint>
#include <string>

// The controls of the progress windows, by their ids.
enum : UINT {
    IDD_BUILD_PROGRESS = 241,
    IDC_PROGRESS_STEP_BAR = 1092,
    IDC_PROGRESS_DESCRIPTION = 1093,
    IDC_PROGRESS_STAGE_BAR = 1094,
    IDC_PROGRESS_STOP = 1122,
    IDC_PROGRESS_TO_PLACE = 1234,
    IDC_PROGRESS_TARGET_COUNT = 1235,
    IDC_PROGRESS_TARGET_GROUP = 1237,
    IDC_PROGRESS_DEPTH_BAR = 1238,
    IDC_PROGRESS_SEARCH_LEVEL = 1239,
    IDC_PROGRESS_PLACING_GROUP = 1240,
    IDC_PROGRESS_SEARCHES = 1241,
    IDC_PROGRESS_DEPTH_TEXT = 1262,
    IDC_PROGRESS_SKIP = 1303,
    IDC_PROGRESS_OVERALL = 1325,
};

// A progress bar as the window shows it: range 0..iMax, the position kept
// inside it as the control keeps it.
struct ProgressBar {
    std::int32_t iMax = 0;
    std::int32_t iPos = 0;

    void SetRange(std::int32_t i_max)
    {
        iMax = i_max < 0 ? 0 : i_max;
        iPos = 0;
    }
    void SetPos(std::int64_t ll_pos) { iPos = static_cast<std::int32_t>(ll_pos < 0 ? 0 : ll_pos > iMax ? iMax : ll_pos); }
};

class ProgressModel {
public:
    // The parts of the window that changed.
    enum : UINT {
        kStageBar = 0x01,
        kStepBar = 0x02,
        kDescription = 0x04,
        kStopButton = 0x08,
        kOverallLabel = 0x10,
        kTexts = 0x20,
        kDepthBar = 0x40,
        kAllParts = 0x7F,
    };
    // s_title: the window's title, empty to keep the window's own.
    explicit ProgressModel(std::string s_title = {});
    virtual ~ProgressModel() = default;
    ProgressModel(const ProgressModel&) = delete;
    ProgressModel& operator=(const ProgressModel&) = delete;

    // n stages, none entered yet, no description; the step bar empty.
    void SetNumStages(std::int32_t n_stages);
    // Enters stage i_stage with its text and its number of steps. Stop is
    // enabled or disabled as asked, and a disabled Stop drops a stop already
    // requested. With the step part hidden the text goes into the overall
    // label. A stage outside 0..stages-1 changes nothing else.
    void SetStage(std::int32_t i_stage, const std::string& s_text, std::int32_t i_max, BOOL b_stop_allowed);
    // One step of the present stage; the bar stops at the stage's maximum.
    void StepIt();

    // Cancel or Stop was pressed.
    virtual BOOL IsStopRequested() const;
    virtual void ClearRequests();

    // The buttons. Cancel only asks: the window stays until its owner ends
    // it. Stop does nothing while it is disabled.
    void OnCancel();
    void OnStop();

    // Set before the window is made: without the step part the window hides
    // the step bar and the description and shows the stage text in the
    // overall label.
    void SetShowStepPart(BOOL b_show) { bShowStepPart = b_show; }

    // The parts changed since the last call; they count as shown after it.
    UINT TakeChanges();

    const std::string& GetTitle() const { return sTitle; }
    BOOL IsStepPartShown() const { return bShowStepPart; }
    std::int32_t GetNumStages() const { return nStages; }
    std::int32_t GetStage() const { return iStage; }
    std::int32_t GetStepMax() const { return iStepMax; }
    std::int32_t GetStepPos() const { return iStepPos; }
    const ProgressBar& GetStageBar() const { return StageBar; }
    const ProgressBar& GetStepBar() const { return StepBar; }
    const std::string& GetDescription() const { return sDescription; }
    // Empty while the window's own label stands.
    const std::string& GetOverallLabel() const { return sOverallLabel; }
    BOOL IsStopEnabled() const { return bStopEnabled; }
    BOOL IsCancelRequested() const { return bCancelRequested; }
    BOOL IsStopPressed() const { return bStopRequested; }

protected:
    void Changed(UINT u_parts) { uChanged |= u_parts; }

private:
    std::string sTitle;
    BOOL bShowStepPart = TRUE;
    std::int32_t nStages = 0;
    std::int32_t iStage = -1;
    std::int32_t iStepMax = 0;
    std::int32_t iStepPos = 0;
    ProgressBar StageBar;
    ProgressBar StepBar;
    std::string sDescription;
    std::string sOverallLabel;
    BOOL bStopEnabled = TRUE;
    BOOL bCancelRequested = FALSE;
    BOOL bStopRequested = FALSE;
    UINT uChanged = 0;
};

// The timetable build's window. Its texts about the running search change
// many times a second; the busiest are put on screen at most every 500 ms.
class BuildProgressModel : public ProgressModel {
public:
    // The shortest time between two refreshes of a throttled text.
    static constexpr std::int64_t llRefreshMs = 500;

    // The clock times the throttles and the time limit.
    explicit BuildProgressModel(IProgressClock& clock, std::string s_title = {});

    // Skip, the time limit, Cancel or Stop.
    BOOL IsStopRequested() const override;
    void ClearRequests() override;
    // Forgets Stop, Skip and a reached time limit, which a build answers and
    // goes on from; a Cancel stays until the window ends: the build ends on
    // it, however late it came.
    void ClearAnsweredRequests();

    void OnSkip();

    // Ends any running limit and clears a reached one; a limit of 0 seconds
    // sets none, any other runs from now.
    void SetTimeLimit(UINT u_seconds);
    // The same for what is left of a limit over more than one window: it
    // runs out ll_ms from now, at the next check when ll_ms is 0 or less.
    void SetTimeLimitLeft(std::int64_t ll_ms);
    // The limit's timer: once the limit has run out, the limit stops and
    // counts as reached. The message pump calls it, as a timer's message
    // reaches the window only while events are dispatched.
    void CheckTimeLimit();

    // Texts shown at once.
    void SetSearchLevel(const std::string& s_mode_name);
    void SetToPlace(UINT u_count);
    void SetTargetCount(UINT u_count);
    void SetTargetGroup(const std::string& s_name);
    // The depth bar gets the range 0..u_max; shown at once.
    void SetDepthMax(UINT u_max);
    // Throttled: taken only when 500 ms passed since the last one taken;
    // each returns whether it was.
    BOOL SetPlacingGroup(const std::string& s_name);
    BOOL SetDepthPos(UINT u_pos);
    BOOL SetSearchCount(DWORD u_count);

    // The seven texts go on screen (with the depth text made from the
    // depth position and maximum) only while the details are shown.
    void SetDetailsShown(BOOL b_shown) { bDetailsShown = b_shown; }
    BOOL AreDetailsShown() const { return bDetailsShown; }

    const std::string& GetToPlace() const { return sToPlace; }
    const std::string& GetTargetGroup() const { return sTargetGroup; }
    const std::string& GetPlacingGroup() const { return sPlacingGroup; }
    const std::string& GetSearchLevel() const { return sSearchLevel; }
    const std::string& GetSearches() const { return sSearches; }
    const std::string& GetTargetCount() const { return sTargetCount; }
    const std::string& GetDepthText() const { return sDepthText; }
    const ProgressBar& GetDepthBar() const { return DepthBar; }
    UINT GetDepthPos() const { return uDepthPos; }
    UINT GetDepthMax() const { return uDepthMax; }
    UINT GetTimeLimit() const { return uTimeLimit; }
    BOOL IsTimeLimitRunning() const { return llDeadline != llNever; }
    BOOL IsTimeLimitReached() const { return bTimeLimitReached; }
    BOOL IsSkipRequested() const { return bSkipRequested; }

private:
    static constexpr std::int64_t llNever = INT64_MIN;

    // Allows a refresh of the field last refreshed at ll_last when 500 ms
    // have passed since, and then stamps it.
    BOOL RefreshDue(std::int64_t& ll_last);
    // Puts the texts on screen while the details are shown.
    void ExchangeTexts();

    IProgressClock& rClock;
    ProgressBar DepthBar;
    std::string sToPlace;
    std::string sTargetGroup;
    std::string sPlacingGroup;
    std::string sSearchLevel;
    std::string sSearches;
    std::string sTargetCount;
    std::string sDepthText;
    BOOL bTimeLimitReached = FALSE;
    UINT uTimeLimit = 0;
    std::int64_t llDeadline = llNever;
    BOOL bDetailsShown = TRUE;
    BOOL bSkipRequested = FALSE;
    std::int64_t llLastSearches = llNever;
    std::int64_t llLastPlacing = llNever;
    std::int64_t llLastDepth = llNever;
    UINT uDepthPos = 0;
    UINT uDepthMax = 0;
};
