#include "roster/RosterCtrlPresenter.h"

#include "engine/BuildEngine.h"
#include "engine/TTMap.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "roster/RosterEngine.h"
#include "roster/RosterRun.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <utility>

void RosterCtrlPresenter::PostPort::Post(const RosterPost& post)
{
    // A deep search names its participant at every level it enters: one
    // waiting text is enough, since it shows the status block's latest.
    if (post.iCode == ROSTER_POST_PARTICIPANT_TEXT && bTextWaiting.exchange(true))
        return;
    fQueue(post);
}

RosterCtrlPresenter::RosterCtrlPresenter(EventDoc& doc, Queue f_queue)
    : Doc(doc), pEngine(std::make_unique<RosterEngine>(&doc)), Port(std::move(f_queue))
{
}

RosterCtrlPresenter::~RosterCtrlPresenter()
{
    StopAndJoin();
}

std::string RosterCtrlPresenter::GetText(UINT u_id) const
{
    const auto it = Texts.find(u_id);
    return it == Texts.end() ? std::string() : it->second;
}

BOOL RosterCtrlPresenter::IsShown(UINT u_id) const
{
    const auto it = Shown.find(u_id);
    return it == Shown.end() ? TRUE : it->second;
}

BOOL RosterCtrlPresenter::IsEnabled(UINT u_id) const
{
    const auto it = Enabled.find(u_id);
    return it == Enabled.end() ? TRUE : it->second;
}

void RosterCtrlPresenter::SetTextId(UINT u_id, UINT u_string)
{
    SetText(u_id, LoadResString(u_string, ""));
}

std::exception_ptr RosterCtrlPresenter::TakeFailure()
{
    return std::exchange(pFailure, nullptr);
}

// ---- the dialog's operations ----

void RosterCtrlPresenter::OnInitDialog(const std::string& s_cancel_text, const std::string& s_view_errors_text)
{
    Refresh();
    sCancelText = s_cancel_text;
    sViewErrorsText = s_view_errors_text;
}

void RosterCtrlPresenter::Refresh()
{
    ZelWaitCursor wait;
    ShowCounters(TRUE);
    pEngine->Recount(TRUE, &Status);
    UpdateCounters();
    UpdateButtons();
    uRangeMax = Status.GetSnapshot().nWithRostering;
    ResetProgress();
}

void RosterCtrlPresenter::UpdateCounters()
{
    const RosterCounts counts = Status.GetSnapshot();
    SetText(IDC_TO_MINIMUM, std::to_string(counts.nToMinimum));
    SetText(IDC_ERRORS, std::to_string(counts.nErrors));
    SetText(IDC_TO_BE_ROSTERED, std::to_string(counts.nToBeRostered));
    SetText(IDC_TO_MAXIMUM, std::to_string(counts.nToMaximum));
    SetText(IDC_WITH_ROSTERING, std::to_string(counts.nWithRostering));
}

void RosterCtrlPresenter::ShowCounters(BOOL b_show)
{
    for (const UINT u_id : {IDC_TO_MINIMUM_LABEL, IDC_TO_MINIMUM, IDC_ERRORS_LABEL, IDC_ERRORS})
        Enable(u_id, TRUE);
    Show(IDC_TO_MAXIMUM_LABEL, TRUE);
    Show(IDC_TO_MAXIMUM, TRUE);
    for (const UINT u_id : {IDC_TO_BE_ROSTERED_LABEL, IDC_TO_BE_ROSTERED, IDC_WITH_ROSTERING_LABEL, IDC_WITH_ROSTERING})
        Show(u_id, b_show);
}

void RosterCtrlPresenter::UpdateButtons()
{
    if (!IsRunning()) {
        if (!sCancelText.empty())
            SetText(IDC_CANCEL, sCancelText);
        if (!sViewErrorsText.empty())
            SetText(IDC_VIEW_ERRORS, sViewErrorsText);
    }
    const RosterCounts counts = Status.GetSnapshot();
    BOOL b_roster = FALSE;
    if (counts.nErrors > 0) {
        Show(IDC_VIEW_ERRORS, TRUE);
        SetTextId(IDC_MESSAGE, iCompleted ? IDS_ROSTER_COMPLETE_ERRORS : IDS_ROSTER_ERRORS_OCCURRED);
        b_roster = TRUE;
    } else {
        SetTextId(IDC_ROSTER, IDS_ROSTER_BUTTON);
        if (iCompleted) {
            SetTextId(IDC_MESSAGE, IDS_ROSTER_COMPLETE);
        } else if (counts.nToBeRostered == 0 && counts.nToMaximum >= counts.nWithRostering) {
            SetTextId(IDC_MESSAGE, IDS_ROSTER_NOT_REQUIRED);
        } else {
            SetTextId(IDC_MESSAGE, IDS_ROSTER_CLICK_ROSTER);
            b_roster = TRUE;
        }
        Show(IDC_VIEW_ERRORS, FALSE);
    }
    Show(IDC_OK, iCompleted ? TRUE : FALSE);
    Enable(IDC_OK, iCompleted ? TRUE : FALSE);
    Enable(IDC_ROSTER, b_roster);
}

void RosterCtrlPresenter::OnRoster()
{
    if (IsRunning())
        return;
    ZelWaitCursor wait;
    Refresh();
    pEngine = std::make_unique<RosterEngine>(&Doc);
    SetText(IDC_MESSAGE, "");
    ShowCounters(FALSE);
    if (Timetable* p_timetable = Doc.GetTimetable())
        p_timetable->Invalidate();
    SetTextId(IDC_CANCEL, IDS_ROSTER_STOP);
    SetTextId(IDC_VIEW_ERRORS, IDS_ROSTER_SKIP);
    Show(IDC_VIEW_ERRORS, TRUE);
    Enable(IDC_ROSTER, FALSE);
    // OK stays up from a completed run, but closing the dialog now would
    // leave the worker running: only Stop ends a run.
    Enable(IDC_OK, FALSE);
    pFailure = nullptr;
    Doc.SetBusy(TRUE);
    pRun = std::make_unique<RosterRun>(*pEngine, &Status, &Port);
    pRun->Start();
}

void RosterCtrlPresenter::OnViewErrors()
{
    if (IsRunning())
        pRun->Skip();
    else if (Status.GetErrors() > 0)
        pEngine->ViewErrors();
}

BOOL RosterCtrlPresenter::OnCancel()
{
    if (!IsRunning())
        return TRUE;
    pRun->Cancel();
    return FALSE;
}

BOOL RosterCtrlPresenter::OnOK()
{
    return IsRunning() ? FALSE : TRUE;
}

void RosterCtrlPresenter::OnRosterMessage(const RosterPost& post)
{
    if (!IsRunning())
        return;
    switch (post.iCode) {
    case ROSTER_POST_PASS_START:
        // The engine worked the range out when it posted (the participants
        // with rostering, less those at their maximum for the maximum pass).
        uRangeMax = post.uRange;
        ResetProgress();
        break;
    case ROSTER_POST_PASS_TEXT:
        SetText(IDC_MESSAGE, Status.GetSnapshot().sPassText);
        SetText(IDC_PROGRESS_TEXT, "");
        break;
    case ROSTER_POST_PARTICIPANT_TEXT:
        // Taken before the block is read: a text written after this read
        // queues a code of its own.
        Port.TextTaken();
        SetText(IDC_PROGRESS_TEXT, Status.GetSnapshot().sParticipantText);
        break;
    case ROSTER_POST_PARTICIPANT_DONE:
        Step();
        UpdateCounters();
        break;
    case ROSTER_POST_CANCELLED:
    case ROSTER_POST_FINISHED:
        EndRun();
        break;
    case ROSTER_POST_MINIMUM_PASS:
        Show(IDC_VIEW_ERRORS, FALSE);
        break;
    case ROSTER_POST_MAXIMUM_PASS:
        Show(IDC_VIEW_ERRORS, TRUE);
        break;
    default:
        break;
    }
}

void RosterCtrlPresenter::Step()
{
    // Past its end the bar starts again from 0, as the progress bar does.
    ++iPosition;
    if (static_cast<DWORD>(iPosition) > uRangeMax)
        iPosition = 0;
}

void RosterCtrlPresenter::EndRun()
{
    pRun->Join();
    const BOOL b_cancelled = pRun->IsCancelled();
    const BOOL b_modified = pRun->IsModified();
    pFailure = pRun->GetFailure();
    pRun.reset();
    Doc.SetBusy(FALSE);
    Port.TextTaken();

    if (pFailure) {
        // The passes rolled back what they had open, but what they had
        // committed before the failure stays in the groups: the document
        // must say it changed. The worker's failure is the one the roster
        // driver reports; a second one here would only hide it.
        if (b_modified) {
            try {
                ChangeGroups();
            } catch (...) {
            }
        }
        iCompleted = 0;
        SetText(IDC_PROGRESS_TEXT, "");
        UpdateButtons();
        return;
    }

    if (b_modified)
        ChangeGroups();
    iPosition = static_cast<int>(uRangeMax);
    pEngine->Recount(FALSE, &Status);
    // The run marked the timetable unchecked, and a run that changed the
    // groups put a new one in its place: the timetable is checked after
    // every run, so that its build date and valid flag say what it is (the
    // print's footer then agrees with Check). Only a failure after a run
    // without errors is told.
    CheckTimetable(Status.GetErrors() == 0);
    iCompleted = b_cancelled ? 0 : 1;
    SetText(IDC_PROGRESS_TEXT, "");
    UpdateCounters();
    UpdateButtons();
}

void RosterCtrlPresenter::ChangeGroups()
{
    Doc.MembersChanged(UpdateViewHint::e_groups);
    // The lists were revalidated under the engine made before the run:
    // the recount, the error report and the next Refresh start from an
    // engine made over the event as it now stands.
    pEngine = std::make_unique<RosterEngine>(&Doc);
}

namespace {

// Answers every box with its default button and shows none.
class QuietBoxes : public IMessageBoxPort {
public:
    QuietBoxes() : pPrevious(SetMessageBoxPort(this)) {}
    ~QuietBoxes() override { SetMessageBoxPort(pPrevious); }
    QuietBoxes(const QuietBoxes&) = delete;
    QuietBoxes& operator=(const QuietBoxes&) = delete;
    int Show(const std::string&, const std::string&, std::uint32_t u_style) override { return DefaultAnswer(u_style); }

private:
    IMessageBoxPort* pPrevious;
};

} // namespace

void RosterCtrlPresenter::CheckTimetable(bool b_tell)
{
    Timetable* p_timetable = Doc.GetTimetable();
    if (p_timetable == nullptr)
        return;
    TTMap map(&Doc, p_timetable);
    map.Build();
    BuildEngine engine(&Doc, p_timetable, &map);
    BOOL b_changed = FALSE;
    if (b_tell) {
        if (!engine.Check(&b_changed))
            ShowMessageId(IDS_ROSTER_TIMETABLE_INVALID, "", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // After a run with errors the user reads the error report; the check
    // only sets the timetable's state, and says nothing of its own.
    const QuietBoxes quiet;
    engine.Check(&b_changed);
}

void RosterCtrlPresenter::StopAndJoin()
{
    if (!IsRunning())
        return;
    pRun->Cancel();
    pRun->Join();
    const BOOL b_modified = pRun->IsModified();
    if (!pFailure)
        pFailure = pRun->GetFailure();
    pRun.reset();
    Doc.SetBusy(FALSE);
    // No change routine here: this runs as the dialog goes, where nothing
    // may throw. The event is marked changed; the views catch up at the
    // next change.
    if (b_modified)
        Doc.SetModifiedFlag(true);
}
