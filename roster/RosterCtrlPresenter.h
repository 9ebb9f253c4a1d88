// The "Roster participants" dialog without its window: how many
// participants need rostering, the run of the rostering engine on its
// worker, the progress and the counters while it runs, Stop and Skip, and
// the end of the run (the change routine, the recount, the timetable's
// check and the error report).
//
// The presenter keeps what the window shows: the texts of the counters, the
// message, the progress line and the buttons, which controls are shown and
// enabled, the progress bar's range and position. The window forwards the
// user's presses and the worker's codes and then applies that state; tests
// drive the presenter alone, with scripted codes or a real run.
//
// Threads: everything here runs on the user-interface thread but the post
// port, which the worker calls. It hands each code to the queue function
// given at construction, which must carry it over to the user-interface
// thread (the window queues an event to itself) and feed it back to
// OnRosterMessage there. Between OnRoster and the end of the run the
// document is marked busy and only the worker touches it.
#pragma once

#include "framework/Types.h"
#include "roster/RosterPorts.h"
#include "roster/RosterStatus.h"

#include <atomic>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

class EventDoc;
class RosterEngine;
class RosterRun;

class RosterCtrlPresenter {
public:
    // The dialog's template and control ids.
    enum : UINT {
        IDD_ROSTER_CTRL = 256,
        IDC_OK = 1,
        IDC_CANCEL = 2,
        IDC_TO_MINIMUM_LABEL = 1336,
        IDC_TO_MINIMUM = 1337,
        IDC_TO_BE_ROSTERED_LABEL = 1338,
        IDC_TO_BE_ROSTERED = 1339,
        IDC_ERRORS_LABEL = 1340,
        IDC_ERRORS = 1341,
        IDC_WITH_ROSTERING_LABEL = 1342,
        IDC_WITH_ROSTERING = 1343,
        IDC_ROSTER = 1344,
        IDC_VIEW_ERRORS = 1345,
        IDC_MESSAGE = 1346,
        IDC_TO_MAXIMUM_LABEL = 1347,
        IDC_TO_MAXIMUM = 1348,
        IDC_PROGRESS_TEXT = 26044,
        IDC_PROGRESS_BAR = 26045,
    };

    // Its texts.
    enum : UINT {
        IDS_ROSTER_TIMETABLE_INVALID = 1086,
        IDS_ROSTER_BUTTON = 59174,
        IDS_ROSTER_ERRORS_OCCURRED = 59176,
        IDS_ROSTER_CLICK_ROSTER = 59177,
        IDS_ROSTER_NOT_REQUIRED = 59178,
        IDS_ROSTER_COMPLETE = 59179,
        IDS_ROSTER_COMPLETE_ERRORS = 59180,
        IDS_ROSTER_STOP = 59183,
        IDS_ROSTER_SKIP = 59184,
    };

    // Carries a code from the worker to the user-interface thread.
    using Queue = std::function<void(const RosterPost& post)>;

    RosterCtrlPresenter(EventDoc& doc, Queue f_queue);
    // Stops a run still going and waits for its worker.
    ~RosterCtrlPresenter();
    RosterCtrlPresenter(const RosterCtrlPresenter&) = delete;
    RosterCtrlPresenter& operator=(const RosterCtrlPresenter&) = delete;

    // ---- what the window shows ----

    // The texts set so far, by control id; a control without an entry
    // keeps its template's text.
    const std::map<UINT, std::string>& GetTexts() const { return Texts; }
    // The text of the control: the one set, else empty.
    std::string GetText(UINT u_id) const;
    // Every control starts shown and enabled.
    BOOL IsShown(UINT u_id) const;
    BOOL IsEnabled(UINT u_id) const;
    // The progress bar runs from 0 to the range.
    DWORD GetRangeMax() const { return uRangeMax; }
    int GetPosition() const { return iPosition; }

    // ---- the dialog's operations ----

    // The dialog is up: the counters, the message and the buttons from a
    // recount; then the texts the Cancel button and button 1345 have now
    // are kept, for the end of every run to give back.
    void OnInitDialog(const std::string& s_cancel_text, const std::string& s_view_errors_text);
    // Roster: a fresh engine, the timetable marked unchecked, Stop and Skip
    // in place of Cancel and View errors, the document busy, and the
    // worker started. Nothing while a run is going.
    void OnRoster();
    // Button 1345: Skip during a run, else the error report when there
    // are errors.
    void OnViewErrors();
    // Cancel, Escape or the window's close box: TRUE when the dialog is to
    // close; during a run it asks the worker to stop and stays.
    BOOL OnCancel();
    // OK: TRUE when the dialog is to close. Not during a run: OK stays up
    // from a completed run while the next one goes.
    BOOL OnOK();
    // A code of the worker, on the user-interface thread; nothing when no
    // run is going. Codes 4 and 5 end the run.
    void OnRosterMessage(const RosterPost& post);

    // The recount before a run and everything it shows.
    void Refresh();
    // The five counters from the status block.
    void UpdateCounters();
    // The message, Roster, View errors, OK, and Cancel's own text back.
    void UpdateButtons();
    // The counters shown while idle (b_show) or during a run.
    void ShowCounters(BOOL b_show);

    // Stops a run still going and waits for its worker; the run then ends
    // as after code 4, without the recount and the check.
    void StopAndJoin();

    // ---- state ----

    BOOL IsRunning() const { return pRun != nullptr; }
    // 1 after a run that was not stopped.
    int GetCompleted() const { return iCompleted; }
    const RosterStatus& GetStatus() const { return Status; }
    RosterStatus& GetStatus() { return Status; }
    RosterEngine& GetEngine() { return *pEngine; }
    // What the last run's worker threw, kept for the roster driver: the
    // window ends and the failure goes up from where the dialog was run.
    BOOL HasFailure() const { return pFailure != nullptr; }
    std::exception_ptr TakeFailure();

private:
    // The worker's side: hands the codes to the queue, except a
    // participant text while the one before is still waiting; the
    // status block holds the latest text, which the waiting code shows.
    class PostPort : public IRosterPostPort {
    public:
        explicit PostPort(Queue f_queue) : fQueue(std::move(f_queue)) {}
        void Post(const RosterPost& post) override;
        // The waiting participant text is being handled.
        void TextTaken() { bTextWaiting.store(false); }

    private:
        Queue fQueue;
        std::atomic<bool> bTextWaiting{false};
    };

    // Codes 4 and 5.
    void EndRun();
    // The change routine for the groups, and a fresh engine.
    void ChangeGroups();
    // The timetable's check after a run: its build date and valid flag set
    // from what it is; with b_tell, 1086 when it fails.
    void CheckTimetable(bool b_tell);
    void SetText(UINT u_id, const std::string& s_text) { Texts[u_id] = s_text; }
    void SetTextId(UINT u_id, UINT u_string);
    void Show(UINT u_id, BOOL b_show) { Shown[u_id] = b_show; }
    void Enable(UINT u_id, BOOL b_enable) { Enabled[u_id] = b_enable; }
    void ResetProgress() { iPosition = 0; }
    void Step();

    EventDoc& Doc;
    std::unique_ptr<RosterEngine> pEngine;
    RosterStatus Status;
    int iCompleted = 0;
    std::string sCancelText;
    std::string sViewErrorsText;
    PostPort Port;
    // The run: present only from OnRoster to the end of the run.
    std::unique_ptr<RosterRun> pRun;
    std::exception_ptr pFailure;

    std::map<UINT, std::string> Texts;
    std::map<UINT, BOOL> Shown;
    std::map<UINT, BOOL> Enabled;
    DWORD uRangeMax = 0;
    int iPosition = 0;
};
