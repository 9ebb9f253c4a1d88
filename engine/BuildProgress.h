// The build engine's side of its progress window.
//
// The engine holds one BuildProgress for its life and calls it from the
// passes and the searches: start a window, enter stages and step them, pump
// the events (so that Stop, Cancel and Skip reach the model), read what the
// user asked for as a result code, set the texts about the running search,
// and end the window. Every call does nothing (a step returns 1, a pump
// FALSE) while no window is up, so the engine calls them unconditionally:
// a check without progress, or a window that could not be made, costs
// nothing.
//
// The window comes from the installed progress port and time from the
// installed progress clock, both read when a window starts.
//
// The engine's progress operations map one to one: StartProgress -> Start,
// ProgressStep -> Step, the plain step -> StepIt, ClearRequests ->
// ClearAnsweredRequests, PumpMessages, GetUserChoice, EndProgress -> End, CountSearchStep, the
// text setters -> Set..., and the step count's reset after each attempt ->
// ResetStepCount. A step reads a pending request as a result code;
// everything else polls PumpMessages and, when it returns TRUE, takes
// GetUserChoice as its own result.
#pragma once

#include "engine/ProgressClock.h"
#include "engine/ProgressModel.h"
#include "engine/ProgressPort.h"
#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>

class BuildProgress {
public:
    // The result codes of the build's steps that the user's requests map to.
    enum : int {
        kStopped = 2,
        kCancelled = 3,
        kTimeLimit = 4,
        kSkip = 5,
    };
    // The pump dispatches events only when more than this many ms passed
    // since it last did.
    static constexpr std::int64_t llPumpMs = 99;
    // The search count is refreshed only after more than this many steps;
    // while its half second has not passed, the clock is asked again after
    // this many more.
    static constexpr DWORD uStepsPerRefresh = 1000;
    static constexpr DWORD uStepsPerRetry = 64;
    // Polls read the clock about once in this many ms (skipping at most
    // this many polls between two readings).
    static constexpr std::int64_t llReadGapMs = 1;
    static constexpr DWORD uMaxSkipPerRead = 63;
    // The least time a window stays up.
    static constexpr std::int64_t llLeastShownMs = 1000;

    BuildProgress() = default;
    // Ends a window still up, without waiting.
    ~BuildProgress();
    BuildProgress(const BuildProgress&) = delete;
    BuildProgress& operator=(const BuildProgress&) = delete;

    // Ends a window still up (End), then shows a new one with n_stages
    // stages and stamps its start. FALSE when the port could make no window:
    // the build goes on without one.
    BOOL Start(std::int32_t n_stages);
    // Enters a stage (ProgressModel::SetStage) and pumps; a request pending
    // then returns the user's choice, else 1.
    int Step(std::int32_t i_stage, const std::string& s_text, std::int32_t i_max, BOOL b_stop_allowed);
    // One step of the present stage.
    void StepIt();
    // Forgets Stop, Cancel, Skip and a reached time limit.
    void ClearRequests();
    // Forgets Stop, Skip and a reached time limit, after the build has
    // acted on them and goes on. A Cancel stays: the window took it, and
    // the build ends on it at its next look, however late.
    void ClearAnsweredRequests();
    // The window took a Cancel (whether or not a poll has acted on it yet).
    BOOL IsCancelRequested() const { return pModel && pModel->IsCancelRequested(); }
    // Dispatches waiting events when more than 99 ms passed since the last
    // time (the time limit is judged then, as its timer's message would
    // arrive), and tells whether the user asked for anything. FALSE without
    // a window. While polls come faster than a millisecond apart, the clock
    // is read only at every so many (at most 64); a new window, a stage
    // step and clearing the requests read it at their next poll.
    // A search polls between its trials: the polls that skip the clock
    // are in line, only a reading of it is a call.
    BOOL PumpMessages()
    {
        if (!pModel)
            return FALSE;
        if (bPumped && uPollsToSkip > 0) {
            --uPollsToSkip;
            return pModel->IsStopRequested();
        }
        return ReadClockAndPump();
    }
    // The polls from here on come far apart (a loop of long steps, such as
    // the scheduling rules' checks): the clock is read at the next poll and
    // the pace found afresh, so that the polls a fast loop before let pass
    // unread do not leave the window waiting for the whole loop.
    void ReadClockNextPoll()
    {
        uSkipPerRead = 0;
        uPollsToSkip = 0;
    }
    // The request as a result code: Cancel 3, Stop 2, Skip 5, the time limit
    // 4, in that order; 3 without a window or without a request.
    int GetUserChoice() const;
    // Greys the window out, keeps it up until it has been shown for a second
    // (yielding and pumping; a request pending ends the wait early), then
    // ends it.
    void End();

    // The texts of the running search. Mode name, counts, target group and
    // the depth maximum show at once; the placing group and the depth
    // position at most every 500 ms.
    void SetModeName(const std::string& s_mode_name);
    void SetToPlace(UINT u_count);
    void SetTargetCount(UINT u_count);
    void SetTargetGroup(const std::string& s_name);
    void SetPlacingGroup(const std::string& s_name);
    void SetDepthPos(UINT u_pos);
    void SetDepthMax(UINT u_max);
    // One search step: the count shown after every 1000 steps and at most
    // every 500 ms. Every trial of the search counts one, so the counting
    // is in line and only the refresh is a call.
    void CountSearchStep()
    {
        if (!pModel)
            return;
        ++uStepCount;
        if (++uStepsSinceText <= uStepsPerRefresh)
            return;
        RefreshSearchCount();
    }
    // The count starts again from 0 (each build attempt).
    void ResetStepCount() { uStepCount = 0; }

    BOOL IsShown() const { return pModel != nullptr; }
    // The window's model while one is up (to read it, or set a time limit).
    BuildProgressModel* GetModel() const { return pModel.get(); }
    DWORD GetStepCount() const { return uStepCount; }

private:
    // The clock read, the pump run when its time has come, and the
    // requests told.
    BOOL ReadClockAndPump();
    // Shows the step count when its half second has passed.
    void RefreshSearchCount();
    // Puts what the last call changed on screen.
    void Flush();
    // Ends the window at once.
    void Close();

    std::unique_ptr<BuildProgressModel> pModel;
    std::unique_ptr<IProgressWindow> pWindow;
    IProgressPort* pPort = nullptr;
    IProgressClock* pClock = nullptr;
    std::int64_t llStart = 0;
    std::int64_t llLastPump = 0;
    std::int64_t llLastRead = 0;
    DWORD uSkipPerRead = 0;
    DWORD uPollsToSkip = 0;
    bool bPumped = false;
    DWORD uStepCount = 0;
    DWORD uStepsSinceText = 0;
};
