// What the build engine needs of a progress window: show one over a model,
// put the model's changed parts on screen, dispatch the thread's pending
// events (so that the window's buttons set the model's requests and the
// other windows repaint), give the processor away for a moment, and end the
// window. The program installs the wx dialogs; until then the stand-in
// cannot show a window, and a build runs without progress. Tests and bench
// tools install HeadlessProgress.
//
// The port is process-wide and belongs to the user-interface thread.
#pragma once

#include "engine/ProgressClock.h"
#include "engine/ProgressModel.h"
#include "framework/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// One progress window on screen. Destroying it ends the window.
class IProgressWindow {
public:
    virtual ~IProgressWindow() = default;
    // Shows the parts of the model named (ProgressModel::k... bits).
    virtual void Refresh(UINT u_parts) = 0;
    // Greys the window out: its buttons no longer answer.
    virtual void Disable() = 0;
};

class IProgressPort {
public:
    virtual ~IProgressPort() = default;
    // A modeless window over the model, shown at once with every part of
    // it; null when none can be made. The model outlives the window.
    virtual std::unique_ptr<IProgressWindow> Show(BuildProgressModel& model) = 0;
    // Dispatches the events waiting for the thread.
    virtual void Pump() = 0;
    // Gives the processor away for a moment (the end's wait).
    virtual void Yield() = 0;
};

IProgressPort& GetProgressPort();
// Installs a port (null puts the stand-in back); returns the previous.
IProgressPort* SetProgressPort(IProgressPort* p_port);

// A progress port without a display, for tests and bench tools. It records
// what its windows showed, and presses Stop (IDC_PROGRESS_STOP), Cancel
// (IDCANCEL) or Skip (IDC_PROGRESS_SKIP) when told to, as the user would:
// during a pump, and not on a disabled window or a disabled Stop. Time is
// its own fake clock, which only its yields move (10 ms each) unless the
// caller moves it: it never waits in real time. (A bench tool that wants the
// pump to run sets a step per reading on the clock.) While it lives it is
// the installed port and its clock the installed progress clock.
class HeadlessProgress : public IProgressPort {
public:
    // What one stage call left on the window.
    struct StageShown {
        std::int32_t iStage;
        std::string sDescription;
        std::int32_t iStepMax;
        BOOL bStopEnabled;
        std::string sOverallLabel;
    };
    // The seven texts as one refresh left them.
    struct TextsShown {
        std::string sToPlace, sTargetGroup, sPlacingGroup, sSearchLevel, sSearches, sTargetCount, sDepthText;
    };
    using PumpHook = std::function<void(UINT u_pump)>;

    static constexpr std::int64_t llYieldMs = 10;

    HeadlessProgress();
    ~HeadlessProgress() override;
    HeadlessProgress(const HeadlessProgress&) = delete;
    HeadlessProgress& operator=(const HeadlessProgress&) = delete;

    FakeProgressClock& Clock() { return FakeClock; }

    // Presses the button u_id during the next pump.
    void Press(UINT u_id) { vPresses.emplace_back(nPumps + 1, u_id); }
    // Presses it during pump number u_pump (counted from 1 over the port's life).
    void PressAtPump(UINT u_pump, UINT u_id) { vPresses.emplace_back(u_pump, u_id); }
    // Called during every pump, after the presses due; a test can press or
    // move the clock from here.
    void SetPumpHook(PumpHook f_hook) { fPumpHook = std::move(f_hook); }
    // Presses the button now when the window would take it; false when
    // there is no window, or it is disabled, or the button is.
    bool Click(UINT u_id);
    // Windows refuse to be made while set (as when the dialog fails to create).
    void SetShowFails(bool b_fails) { bShowFails = b_fails; }

    // The window now shown and its model; null when none.
    BuildProgressModel* Model() const { return pModel; }
    bool IsShown() const { return pModel != nullptr; }
    bool IsDisabled() const { return bDisabled; }

    UINT Shown() const { return nShown; }
    UINT Ended() const { return nEnded; }
    UINT Pumps() const { return nPumps; }
    UINT Yields() const { return nYields; }
    const std::vector<StageShown>& Stages() const { return vStages; }
    const std::vector<TextsShown>& Texts() const { return vTexts; }

    std::unique_ptr<IProgressWindow> Show(BuildProgressModel& model) override;
    void Pump() override;
    void Yield() override;

private:
    class Window;
    friend class Window;

    void Record(UINT u_parts);

    FakeProgressClock FakeClock;
    BuildProgressModel* pModel = nullptr;
    bool bDisabled = false;
    bool bShowFails = false;
    UINT nShown = 0;
    UINT nEnded = 0;
    UINT nPumps = 0;
    UINT nYields = 0;
    std::vector<std::pair<UINT, UINT>> vPresses;
    PumpHook fPumpHook;
    std::vector<StageShown> vStages;
    std::vector<TextsShown> vTexts;
    IProgressPort* pPreviousPort;
    IProgressClock* pPreviousClock;
};
