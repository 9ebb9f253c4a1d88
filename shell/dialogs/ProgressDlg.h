// The progress windows: modeless dialogs that render a progress model and
// set its requests from their buttons, and the progress port that shows the
// build's dialog for the engine.
//
// The operation behind a dialog runs on the user-interface thread: it calls
// in, pumps the events itself and polls the model. So the dialogs never end
// themselves: Cancel (the button, Escape or the title bar's close) only asks,
// and the owner ends the window when the operation has stopped.
#pragma once

#include "engine/ProgressModel.h"
#include "engine/ProgressPort.h"
#include "framework/Types.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <string>

// The general progress dialog: a stage bar under the overall label, the
// description over the step bar, Stop (the default button) and Cancel.
class TTProgressDlg : public wxDialog {
public:
    // The window renders the model, which must outlive it or be detached
    // first. u_template names the layout; the model's title, when not empty,
    // replaces the layout's.
    TTProgressDlg(ProgressModel& model, UINT u_template);
    ~TTProgressDlg() override = default;

    // Builds the controls and shows the window without waiting for it;
    // false when it cannot be made.
    bool Open(wxWindow* p_parent);

    // Puts the parts of the model named (ProgressModel::k... bits) on screen.
    virtual void Render(UINT u_parts);
    // The model's changes so far, on screen.
    void RenderChanges();
    // The window lets go of its model before it is ended: from then on its
    // buttons do nothing and it renders nothing.
    void Detach() { pModel = nullptr; }

    // The model's operations, shown at once.
    void SetNumStages(std::int32_t n_stages);
    void SetStage(std::int32_t i_stage, const std::string& s_text, std::int32_t i_max, BOOL b_stop_allowed);
    void StepIt();
    BOOL IsStopRequested() const;
    void ClearRequests();

protected:
    // The layout's title, and what goes between the bars and the buttons,
    // and into the row of buttons after Stop and Cancel.
    virtual wxString TemplateTitle() const;
    virtual void AddDetails(wxBoxSizer* p_top);
    virtual void AddButtons(wxBoxSizer* p_row);
    // The dialog's size in dialog units when its controls need no more.
    virtual wxSize TemplateSize() const;

    // Sets a static text only when it differs, so that a text that did not
    // change costs no repaint.
    static void SetText(wxStaticText* p_text, const std::string& s_text);
    static void SetBar(wxGauge* p_gauge, const ProgressBar& bar);

    ProgressModel* pModel;
    UINT uTemplate;
    wxStaticText* pOverall = nullptr;
    wxGauge* pStageBar = nullptr;
    wxStaticText* pDescription = nullptr;
    wxGauge* pStepBar = nullptr;
    wxButton* pStop = nullptr;
    wxButton* pCancel = nullptr;

private:
    // Enables or disables Stop, the focus waiting on Cancel while Stop is
    // disabled if Stop had it.
    void EnableStop(bool b_enable);
    bool bFocusWaiting = false;

    void OnStop(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);
};

// The timetable build's dialog (241 "Building timetable"): adds Skip, the
// texts about the running search and the search-depth bar.
class TTBuildProgressDlg : public TTProgressDlg {
public:
    explicit TTBuildProgressDlg(BuildProgressModel& model);

    void Render(UINT u_parts) override;

protected:
    wxString TemplateTitle() const override;
    void AddDetails(wxBoxSizer* p_top) override;
    void AddButtons(wxBoxSizer* p_row) override;
    wxSize TemplateSize() const override;

private:
    BuildProgressModel* BuildModel() const { return static_cast<BuildProgressModel*>(pModel); }
    void OnSkip(wxCommandEvent& event);

    wxStaticText* pToPlace = nullptr;
    wxStaticText* pTargetGroup = nullptr;
    wxStaticText* pPlacingGroup = nullptr;
    wxStaticText* pSearchLevel = nullptr;
    wxStaticText* pSearches = nullptr;
    wxStaticText* pTargetCount = nullptr;
    wxStaticText* pDepthText = nullptr;
    wxGauge* pDepthBar = nullptr;
    wxButton* pSkip = nullptr;
};

// The progress port over the build's dialog, for the program to install.
// Its pump dispatches every event waiting for the thread; the engine paces
// it to at most once every 100 ms.
class WxProgressPort : public IProgressPort {
public:
    std::unique_ptr<IProgressWindow> Show(BuildProgressModel& model) override;
    void Pump() override;
    void Yield() override;
};
