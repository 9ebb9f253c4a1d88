// What a build needs of the user interface besides its progress window:
// the dialogs around a build (the options and the three reports, and the
// notice after a long sort that the list views share), and the main window,
// which is disabled while a build runs and gets the activation back after.
//
// Each port is process-wide and belongs to the user-interface thread. Until
// the program installs its windows, the stand-ins answer as a user who
// presses OK everywhere would (the options as they are, the reports'
// choices as they open) and leave the main window alone. Tests and the
// headless tools install the scripted implementations, which record what
// was shown and answer as told; each installs itself for its lifetime and
// puts the previous port back when it goes.
#pragma once

#include "engine/BuildReports.h"
#include "framework/MessageBox.h"
#include "framework/Types.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// ---- the build's dialogs ----

class IBuildDialogsPort {
public:
    virtual ~IBuildDialogsPort() = default;
    // 244 over the model: IDOK with the model holding the user's options,
    // or IDCANCEL.
    virtual int AskBuildOptions(BuildOptionsModel& model) = 0;
    // 156 over the rows: the model is initialised (Init) before it shows;
    // the choice and the entry the user left are in the model on return.
    // Returns the choice (1123 or 1124) on OK, anything else when the
    // dialog was closed without it.
    virtual int ShowFailedMinimums(FailedMinimumsModel& model) = 0;
    // 239 and 202: shown until OK.
    virtual void ShowFailedRotation(FailedRotationModel& model) = 0;
    virtual void ShowNotScheduled(NotScheduledModel& model) = 0;
    // 271: shown until OK; the box's state is in the model on return.
    virtual void ShowSortTooLong(SortTooLongModel& model) = 0;
};

IBuildDialogsPort& GetBuildDialogsPort();
// Installs a port (null puts the stand-in back); returns the previous.
IBuildDialogsPort* SetBuildDialogsPort(IBuildDialogsPort* p_port);

// Scripted answers, taken in turn; once a queue is used up each dialog is
// answered as the stand-in answers it (OK, with the state it opened in).
// Every model shown is recorded as it was when the dialog was answered.
class ScriptedBuildDialogs : public IBuildDialogsPort {
public:
    using OptionsAnswer = std::function<int(BuildOptionsModel& model)>;
    using MinimumsAnswer = std::function<int(FailedMinimumsModel& model)>;

    ScriptedBuildDialogs();
    ~ScriptedBuildDialogs() override;
    ScriptedBuildDialogs(const ScriptedBuildDialogs&) = delete;
    ScriptedBuildDialogs& operator=(const ScriptedBuildDialogs&) = delete;

    // The options dialog: the answer may change the model, and returns
    // IDOK or IDCANCEL.
    void AnswerOptions(OptionsAnswer f_answer) { qOptions.push_back(std::move(f_answer)); }
    void AnswerOptions(int i_result);
    // The minimum report: keep searching in the mode (0 "Thorough", 1
    // "Complete"), or make changes. With b_where_enabled "keep searching"
    // is chosen only as a user could, where the report enables it, and
    // "make changes" otherwise.
    void AnswerMinimums(MinimumsAnswer f_answer) { qMinimums.push_back(std::move(f_answer)); }
    void KeepSearching(int i_mode, BOOL b_where_enabled = FALSE);
    void MakeChanges();

    std::vector<BuildOptionsModel> vOptions;
    std::vector<FailedMinimumsModel> vMinimums;
    std::vector<FailedRotationModel> vRotations;
    std::vector<NotScheduledModel> vNotScheduled;
    std::vector<SortTooLongModel> vSortTooLong;
    // Every dialog's id in the order shown.
    std::vector<UINT> vShown;
    // Called as each dialog is shown (its id), so that a test can look at
    // what the build has done so far.
    std::function<void(UINT u_dialog)> fOnShow;

    int AskBuildOptions(BuildOptionsModel& model) override;
    int ShowFailedMinimums(FailedMinimumsModel& model) override;
    void ShowFailedRotation(FailedRotationModel& model) override;
    void ShowNotScheduled(NotScheduledModel& model) override;
    void ShowSortTooLong(SortTooLongModel& model) override;

private:
    void Shown(UINT u_dialog);

    std::deque<OptionsAnswer> qOptions;
    std::deque<MinimumsAnswer> qMinimums;
    IBuildDialogsPort* pPrevious;
};

// ---- the main window during a build ----

class IBuildWindowPort {
public:
    virtual ~IBuildWindowPort() = default;
    // Disables the main window; TRUE when the active window was the main
    // window or one of its descendants.
    virtual BOOL DisableMainWindow() = 0;
    // Enables the main window again, and with b_activate makes it the
    // active window.
    virtual void EnableMainWindow(BOOL b_activate) = 0;
};

IBuildWindowPort& GetBuildWindowPort();
// Installs a port (null puts the stand-in back); returns the previous.
IBuildWindowPort* SetBuildWindowPort(IBuildWindowPort* p_port);

// Records the calls: "disable", "enable", "enable+activate"; the answer
// of a disable is whether the main window was active.
class ScriptedBuildWindow : public IBuildWindowPort {
public:
    ScriptedBuildWindow();
    ~ScriptedBuildWindow() override;
    ScriptedBuildWindow(const ScriptedBuildWindow&) = delete;
    ScriptedBuildWindow& operator=(const ScriptedBuildWindow&) = delete;

    BOOL bMainActive = TRUE;
    BOOL bDisabled = FALSE;
    std::vector<std::string> vCalls;

    BOOL DisableMainWindow() override;
    void EnableMainWindow(BOOL b_activate) override;

private:
    IBuildWindowPort* pPrevious;
};
