#include "engine/ProgressPort.h"

#include "framework/MessageBox.h"

#include <algorithm>

namespace {

// Until the program installs its dialogs a build runs without a window.
class NoProgressPort : public IProgressPort {
public:
    std::unique_ptr<IProgressWindow> Show(BuildProgressModel&) override { return nullptr; }
    void Pump() override {}
    void Yield() override {}
};

NoProgressPort g_NoPort;
IProgressPort* g_pPort = &g_NoPort;

} // namespace

IProgressPort& GetProgressPort()
{
    return *g_pPort;
}

IProgressPort* SetProgressPort(IProgressPort* p_port)
{
    IProgressPort* p_previous = g_pPort;
    g_pPort = p_port != nullptr ? p_port : &g_NoPort;
    return p_previous;
}

class HeadlessProgress::Window : public IProgressWindow {
public:
    explicit Window(HeadlessProgress& port) : rPort(port) {}
    ~Window() override
    {
        rPort.pModel = nullptr;
        rPort.bDisabled = false;
        ++rPort.nEnded;
    }
    void Refresh(UINT u_parts) override { rPort.Record(u_parts); }
    void Disable() override { rPort.bDisabled = true; }

private:
    HeadlessProgress& rPort;
};

HeadlessProgress::HeadlessProgress()
    : pPreviousPort(SetProgressPort(this)), pPreviousClock(SetProgressClock(&FakeClock))
{
}

HeadlessProgress::~HeadlessProgress()
{
    SetProgressClock(pPreviousClock);
    SetProgressPort(pPreviousPort);
}

std::unique_ptr<IProgressWindow> HeadlessProgress::Show(BuildProgressModel& model)
{
    if (bShowFails || pModel != nullptr)
        return nullptr;
    pModel = &model;
    bDisabled = false;
    ++nShown;
    auto p_window = std::make_unique<Window>(*this);
    // A new window shows the whole model; only later refreshes are recorded.
    model.TakeChanges();
    return p_window;
}

bool HeadlessProgress::Click(UINT u_id)
{
    if (pModel == nullptr || bDisabled)
        return false;
    switch (u_id) {
    case IDC_PROGRESS_STOP:
        if (!pModel->IsStopEnabled())
            return false;
        pModel->OnStop();
        return true;
    case IDCANCEL:
        pModel->OnCancel();
        return true;
    case IDC_PROGRESS_SKIP:
        pModel->OnSkip();
        return true;
    default:
        return false;
    }
}

void HeadlessProgress::Pump()
{
    const UINT u_pump = ++nPumps;
    // Presses due now, in the order they were asked for; one asked for a
    // pump that has already passed comes now.
    std::vector<std::pair<UINT, UINT>> v_due;
    auto it_kept = std::stable_partition(vPresses.begin(), vPresses.end(),
                                         [u_pump](const std::pair<UINT, UINT>& press) { return press.first > u_pump; });
    v_due.assign(it_kept, vPresses.end());
    vPresses.erase(it_kept, vPresses.end());
    for (const auto& press : v_due)
        Click(press.second);
    if (fPumpHook)
        fPumpHook(u_pump);
}

void HeadlessProgress::Yield()
{
    ++nYields;
    FakeClock.Advance(llYieldMs);
}

void HeadlessProgress::Record(UINT u_parts)
{
    if (pModel == nullptr)
        return;
    const BuildProgressModel& model = *pModel;
    if (u_parts & (ProgressModel::kStageBar | ProgressModel::kDescription | ProgressModel::kStopButton |
                   ProgressModel::kOverallLabel))
        vStages.push_back({model.GetStage(), model.GetDescription(), model.GetStepMax(), model.IsStopEnabled(),
                           model.GetOverallLabel()});
    if (u_parts & ProgressModel::kTexts)
        vTexts.push_back({model.GetToPlace(), model.GetTargetGroup(), model.GetPlacingGroup(), model.GetSearchLevel(),
                          model.GetSearches(), model.GetTargetCount(), model.GetDepthText()});
}
