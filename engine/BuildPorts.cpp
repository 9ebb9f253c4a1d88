#include "engine/BuildPorts.h"

namespace {

// Until the program installs its dialogs: OK everywhere, with the state
// each dialog opens in.
class DefaultBuildDialogs : public IBuildDialogsPort {
public:
    int AskBuildOptions(BuildOptionsModel&) override { return IDOK; }
    int ShowFailedMinimums(FailedMinimumsModel& model) override
    {
        model.Init();
        return model.GetChoice();
    }
    void ShowFailedRotation(FailedRotationModel&) override {}
    void ShowNotScheduled(NotScheduledModel&) override {}
    void ShowSortTooLong(SortTooLongModel&) override {}
};

DefaultBuildDialogs g_DefaultDialogs;
IBuildDialogsPort* g_pDialogs = &g_DefaultDialogs;

class NoBuildWindow : public IBuildWindowPort {
public:
    BOOL DisableMainWindow() override { return FALSE; }
    void EnableMainWindow(BOOL) override {}
};

NoBuildWindow g_NoWindow;
IBuildWindowPort* g_pWindow = &g_NoWindow;

} // namespace

// ---- the build's dialogs ----

IBuildDialogsPort& GetBuildDialogsPort()
{
    return *g_pDialogs;
}

IBuildDialogsPort* SetBuildDialogsPort(IBuildDialogsPort* p_port)
{
    IBuildDialogsPort* p_previous = g_pDialogs;
    g_pDialogs = p_port != nullptr ? p_port : &g_DefaultDialogs;
    return p_previous;
}

ScriptedBuildDialogs::ScriptedBuildDialogs() : pPrevious(SetBuildDialogsPort(this)) {}

ScriptedBuildDialogs::~ScriptedBuildDialogs()
{
    SetBuildDialogsPort(pPrevious);
}

void ScriptedBuildDialogs::AnswerOptions(int i_result)
{
    AnswerOptions([i_result](BuildOptionsModel&) { return i_result; });
}

void ScriptedBuildDialogs::KeepSearching(int i_mode, BOOL b_where_enabled)
{
    AnswerMinimums([i_mode, b_where_enabled](FailedMinimumsModel& model) {
        if (b_where_enabled && !model.bKeepSearchingEnabled) {
            model.iChoice = IDC_FAILED_MIN_MAKE_CHANGES;
            return model.iChoice;
        }
        model.iEntry = i_mode == 1 ? FailedMinimumsModel::e_complete_entry : FailedMinimumsModel::e_thorough_entry;
        model.iChoice = IDC_FAILED_MIN_KEEP_SEARCHING;
        return model.iChoice;
    });
}

void ScriptedBuildDialogs::MakeChanges()
{
    AnswerMinimums([](FailedMinimumsModel& model) {
        model.iChoice = IDC_FAILED_MIN_MAKE_CHANGES;
        return model.iChoice;
    });
}

void ScriptedBuildDialogs::Shown(UINT u_dialog)
{
    vShown.push_back(u_dialog);
    if (fOnShow)
        fOnShow(u_dialog);
}

int ScriptedBuildDialogs::AskBuildOptions(BuildOptionsModel& model)
{
    Shown(IDD_BUILD_OPTIONS);
    int i_result = IDOK;
    if (!qOptions.empty()) {
        i_result = qOptions.front()(model);
        qOptions.pop_front();
    }
    vOptions.push_back(model);
    return i_result;
}

int ScriptedBuildDialogs::ShowFailedMinimums(FailedMinimumsModel& model)
{
    model.Init();
    Shown(IDD_FAILED_MINIMUMS);
    if (!qMinimums.empty()) {
        qMinimums.front()(model);
        qMinimums.pop_front();
    }
    vMinimums.push_back(model);
    return model.GetChoice();
}

void ScriptedBuildDialogs::ShowFailedRotation(FailedRotationModel& model)
{
    Shown(IDD_FAILED_ROTATION);
    vRotations.push_back(model);
}

void ScriptedBuildDialogs::ShowNotScheduled(NotScheduledModel& model)
{
    Shown(IDD_NOT_SCHEDULED);
    vNotScheduled.push_back(model);
}

void ScriptedBuildDialogs::ShowSortTooLong(SortTooLongModel& model)
{
    Shown(IDD_SORT_TOO_LONG);
    vSortTooLong.push_back(model);
}

// ---- the main window during a build ----

IBuildWindowPort& GetBuildWindowPort()
{
    return *g_pWindow;
}

IBuildWindowPort* SetBuildWindowPort(IBuildWindowPort* p_port)
{
    IBuildWindowPort* p_previous = g_pWindow;
    g_pWindow = p_port != nullptr ? p_port : &g_NoWindow;
    return p_previous;
}

ScriptedBuildWindow::ScriptedBuildWindow() : pPrevious(SetBuildWindowPort(this)) {}

ScriptedBuildWindow::~ScriptedBuildWindow()
{
    SetBuildWindowPort(pPrevious);
}

BOOL ScriptedBuildWindow::DisableMainWindow()
{
    vCalls.push_back("disable");
    bDisabled = TRUE;
    return bMainActive;
}

void ScriptedBuildWindow::EnableMainWindow(BOOL b_activate)
{
    vCalls.push_back(b_activate ? "enable+activate" : "enable");
    bDisabled = FALSE;
}
