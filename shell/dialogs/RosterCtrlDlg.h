// The "Roster participants" dialog (256) on screen, and the ports through
// which the roster command opens it and the rostering engine shows its
// error report.
//
// The dialog is the library's progress dialog with the counters, the
// message and the Roster and View errors buttons added; its state machine
// is the presenter (roster/RosterCtrlPresenter.h), whose state it applies
// after every press and every code of the worker. The worker's codes come
// as thread events queued to the dialog. During a run the main frame is
// frozen: the worker owns the groups and the panes must not repaint from
// them.
#pragma once

#include "model/DocumentPorts.h"
#include "roster/RosterCtrlPresenter.h"
#include "roster/RosterPorts.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <wx/event.h>

class EventDoc;

// A code of the rostering worker: the RosterPost as payload.
wxDECLARE_EVENT(EVT_ROSTER_POST, wxThreadEvent);

class RosterCtrlDlg : public ZelGeneralProgress {
public:
    RosterCtrlDlg(EventDoc& doc, wxWindow* p_parent);
    // A run still going is stopped and its worker joined.
    ~RosterCtrlDlg() override;

    RosterCtrlPresenter& GetPresenter() { return Presenter; }
    // What the run's worker or one of the dialog's own steps threw; the
    // dialog ended (wxID_ABORT) when it came. Null when nothing did.
    std::exception_ptr TakeFailure();

protected:
    bool OnInitDialog() override;
    // Cancel, Escape or the close box: Stop during a run.
    void OnCancel() override;

private:
    void OnRoster(wxCommandEvent& event);
    void OnViewErrors(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnRosterMessage(wxThreadEvent& event);

    // Runs a step of the presenter; a failure is kept and ends the dialog.
    void RunStep(const std::function<void()>& f_step);
    // The presenter's state onto the controls.
    void Apply();
    // As tall as the controls shown take, at the template's width.
    void FitHeight();
    // The main frame frozen while a run goes.
    void FreezeFrame();
    void ThawFrame();

    RosterCtrlPresenter Presenter;
    // The texts last put on the controls, by id.
    std::map<UINT, std::string> Applied;
    std::exception_ptr pFailure;
    wxWindow* pFrozen = nullptr;
};

// Opens the dialog modally over the main window. A failure of the run
// comes out of Run once the dialog has gone, for the roster driver.
class WxRosterDialogPort : public IRosterDialogPort {
public:
    void Run(EventDoc& doc) override;
};

// Shows the rostering errors in the library's report dialog, over the
// dialog that asked for it.
class WxRosterReportPort : public IRosterReportPort {
public:
    void ShowReport(const RosterErrorTable& table) override;
};

// Installs both ports for the program's life: from then on the Roster
// command is enabled by its rule and opens the dialog. The program calls
// it once at start-up.
void InstallRosterDialogs();
