// The event document's life cycle (new, open, save, close) and its change
// routine.
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/FreedMemory.h"
#include "model/ShellPorts.h"

CHighTime EventDoc::NullDate()
{
    CHighTime dt;
    dt.SetStatus(CHighTime::null);
    return dt;
}

// --- life cycle ---

void EventDoc::NewDocumentStep()
{
    DeleteContents();
    sPathName.clear();
    SetModifiedFlag(false);
    // Closing an event, or opening one in its place, hands back what the
    // event held, so that the process does not keep the largest event it
    // ever had.
    ReturnFreedMemory();
}

BOOL EventDoc::OnNewDocument(BOOL b_defineAtOnce)
{
    NewDocumentStep();
    InitNewEvent();
    if (b_defineAtOnce)
        GetMainWindowPort().PostCommand(ID_NEW_EVENT_DEFINITION);
    return TRUE;
}

void EventDoc::InitNewEvent()
{
    uFileVersion = kCurrentFileVersion;
    dtCreated = PresentTime();
    // A new event starts its views afresh, as a loaded one does: the lists
    // refill and the timetable view goes back to its first day, unscrolled.
    InvalidateItemListViews();
    ClearListViewFocus();
    UpdateViews(UpdateViewHint::e_general);
}

BOOL EventDoc::OnOpenDocument(const std::string& s_path)
{
    const BOOL b_loaded = GetEventFilePort().Load(*this, s_path);
    // The event replaced, or the file's failed read, left its memory free.
    ReturnFreedMemory();
    if (!b_loaded)
        return FALSE;
    sPathName = s_path;
    SetModifiedFlag(false);
    if (bLoadProblems || bLoadRepairs) {
        RevalidateLists();
        SetModifiedFlag();
    }
    ClearListViewFocus();
    return TRUE;
}

BOOL EventDoc::OnSaveDocument(const std::string& s_path)
{
    if (sEventName.empty()) {
        OnDefineEvent();
        if (sEventName.empty())
            return FALSE;
    }
    dtLastSaved = PresentTime();
    if (!GetEventFilePort().Save(*this, s_path))
        return FALSE;
    SetModifiedFlag(false);
    return TRUE;
}

BOOL EventDoc::SaveStep(const std::string& s_path, BOOL b_replace)
{
    std::string s_target = s_path;
    if (s_target.empty()) {
        s_target = GetSaveQuestionsPort().AskSavePath(sPathName);
        if (s_target.empty())
            return FALSE;
    }
    if (!OnSaveDocument(s_target))
        return FALSE;
    if (b_replace)
        sPathName = s_target;
    return TRUE;
}

BOOL EventDoc::DoSave(const std::string& s_path, BOOL b_replace)
{
    if (!s_path.empty() && uFileVersion != kCurrentFileVersion) {
        switch (AskRevisionChanged()) {
        case IDC_REVISION_OVERWRITE:
            return SaveStep(s_path, b_replace);
        case IDC_REVISION_SAVE_AS:
            return SaveStep(std::string(), b_replace);
        default:
            return FALSE;
        }
    }
    return SaveStep(s_path, b_replace);
}

BOOL EventDoc::DoFileSave()
{
    return DoSave(sPathName, TRUE);
}

BOOL EventDoc::SaveModified()
{
    if (IsModified()) {
        switch (GetSaveQuestionsPort().AskSaveChanges(sPathName)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            if (!DoFileSave())
                return FALSE;
            break;
        default:
            break;
        }
    }
    SetModifiedFlag(false);
    return TRUE;
}

void EventDoc::DeleteContents()
{
    sEventName.clear();
    sFurtherText1.clear();
    sFurtherText2.clear();
    DeleteTimetable();
    Participants.RemoveAll();
    Venues.RemoveAll();
    Groups.RemoveAll();
    Styles.RemoveAll();
    Facilities.RemoveAll();
    ParticipantRoles.RemoveAll();
    Combinations.RemoveAll();
    EventDef.Reset();
    Prefs = Preferences();
    PrintOpts = PrintOptions();
    SchedRules = SchedulingRules();
    // The export choices carry over to the next event, the export's file
    // name does not: it names where the event before was exported.
    MiscOpts.SetExportFileName("");
    dtCreated = NullDate();
    dtLastSaved = NullDate();
    ViewLayouts.clear();
}

// --- change routine ---

namespace {

// The frame's active view is put aside while the views update, so that no
// view acts as the active one on a half-updated event, and comes back
// however the update ends.
class ActiveViewAside {
public:
    ActiveViewAside() : pActive(GetViewsPort().GetActiveView())
    {
        if (pActive != nullptr)
            GetViewsPort().SetActiveView(nullptr);
    }
    ~ActiveViewAside()
    {
        if (pActive != nullptr)
            GetViewsPort().SetActiveView(pActive);
    }
    ActiveViewAside(const ActiveViewAside&) = delete;
    ActiveViewAside& operator=(const ActiveViewAside&) = delete;

private:
    IShellView* pActive;
};

} // namespace

void EventDoc::DocChanged(LONG l_hint)
{
    const ActiveViewAside aside;
    RebuildTimetable();
    RevalidateLists();
    UpdateViews(l_hint);
    SetModifiedFlag();
}

void EventDoc::MembersChanged(LONG l_hint)
{
    const ActiveViewAside aside;
    RevalidateLists();
    UpdateViews(l_hint);
    SetModifiedFlag();
}

void EventDoc::RebuildTimetable()
{
    TimeslotLockArrays a_locks;
    if (pTimetable)
        pTimetable->GetLocks(a_locks);
    DeleteTimetable();
    if (EventDef.GetDayDef().GetNumTimeslots() > 0)
        NewTimetable().SetLocks(a_locks);
}

void EventDoc::RevalidateLists()
{
    RevalidateParticipantRoles(this);
    Venues.RevalidateAll(this);
    Groups.RevalidateAll(this);
    Participants.RevalidateAll(this);
    SchedRules.Revalidate(this);
}

void EventDoc::UpdateViews(LONG l_hint)
{
    if (l_hint == UpdateViewHint::e_general) {
        GetViewsPort().UpdateAllViews(nullptr);
        return;
    }
    const UpdateViewHint hint(l_hint, -1, 0);
    GetViewsPort().UpdateAllViews(&hint);
}

void EventDoc::InvalidateItemListViews()
{
    IViewsPort& views = GetViewsPort();
    views.ResetTimetableViewState();
    for (IItemListView* p_view : views.GetItemListViews())
        p_view->SetRefill();
}

void EventDoc::ClearListViewFocus()
{
    for (IItemListView* p_view : GetViewsPort().GetItemListViews())
        p_view->ClearFocus();
}

void EventDoc::CommitViewEdits()
{
    GetViewsPort().RefreshSelectedSlots();
}
