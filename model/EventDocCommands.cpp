// The event document's commands with their enable rules, and the edits of
// the event that the document runs for the editing pages and the engines.
//
// The build, check and roster commands run the engines: their handlers
// (OnBuildTimetable, OnCheckTimetable, OnRosterParticipants) are defined
// with the build and rostering drivers, which link the engines in.
#include "framework/Exceptions.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"
#include "zelkit/base/ZelAssert.h"

namespace {

enum : UINT {
    IDS_TIMETABLE_INVALID = 160,
    IDS_TIMETABLE_VALID = 161,
    IDS_RENAME_EXISTS = 1049,
    IDS_FACILITY_NAME_INVALID = 1066,
    IDS_STYLE_NAME_INVALID = 1067,
    IDS_CANNOT_BUILD = 20030,
    IDS_CANNOT_CHECK = 20031,
    IDS_NEEDS_DAYS = 20032,
    IDS_NEEDS_TIMESLOTS = 20033,
    IDS_NEEDS_VENUES = 20034,
};

// The name the support address goes by in the mail.
const char* const kSupportName = "Support";

} // namespace

// --- commands ---

BOOL EventDoc::IsDocumentCommand(UINT u_id)
{
    switch (u_id) {
    case ID_DEFINE_EVENT:
    case ID_NEW_EVENT_DEFINITION:
    case ID_BUILD_TIMETABLE:
    case ID_PREFERENCES:
    case ID_EMAIL_SUPPORT:
    case ID_SCHEDULING_RULES:
    case ID_ROSTER_PARTICIPANTS:
    case ID_ROSTER_PARTICIPANTS_TOOL:
    case ID_CHECK_TIMETABLE:
    case ID_FILE_CLOSE:
    case ID_FILE_SEND_MAIL:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL EventDoc::IsCommandEnabled(UINT u_id) const
{
    // A rostering run's worker owns the groups until it has been joined.
    if (bBusy)
        return FALSE;
    switch (u_id) {
    case ID_DEFINE_EVENT:
    case ID_NEW_EVENT_DEFINITION:
    case ID_PREFERENCES:
    case ID_FILE_CLOSE:
        return TRUE;
    case ID_BUILD_TIMETABLE:
        return CanBuildTimetable();
    case ID_SCHEDULING_RULES:
        return CanEditSchedulingRules();
    case ID_CHECK_TIMETABLE:
        return CanCheckTimetable();
    case ID_ROSTER_PARTICIPANTS:
    case ID_ROSTER_PARTICIPANTS_TOOL:
        return CanRosterParticipants();
    case ID_EMAIL_SUPPORT:
    case ID_FILE_SEND_MAIL:
        return UpdateSendMailUI();
    default:
        return FALSE;
    }
}

BOOL EventDoc::CanBuildTimetable() const
{
    return GetNumVenues() > 0 && Groups.GetNumGroups() > 0;
}

BOOL EventDoc::CanEditSchedulingRules() const
{
    return GetNumVenues() > 0 && Groups.GetNumGroups() > 0 && HasDaysAndTimeslots();
}

BOOL EventDoc::CanCheckTimetable() const
{
    return GetTimetable() != nullptr;
}

BOOL EventDoc::CanRosterParticipants() const
{
    return Participants.GetNumParticipants() > 0 && Groups.GetNumGroups() > 0 && GetNumVenues() > 0
        && HasDaysAndTimeslots() && GetTimetable() != nullptr && GetRosterDialogPort() != nullptr;
}

void EventDoc::OnDefineEvent()
{
    // A walk finished with nothing changed must leave the event alone: the
    // change routine keeps only the timetable's locks, so running it would
    // throw away every unlocked placement for no edit at all.
    const std::string s_name = sEventName;
    const EventDefinition def = EventDef;
    if (GetDocumentSheetsPort().DefineEvent(*this) == ID_WIZFINISH
        && (sEventName != s_name || !SameStoredForm(EventDef, def)))
        DocChanged(UpdateViewHint::e_event_definition);
}

Timetable* EventDoc::GetTimetableToBuild()
{
    CommitViewEdits();
    if (sEventName.empty()) {
        OnDefineEvent();
        if (sEventName.empty())
            return nullptr;
    }
    return TimetableOrNeeds(IDS_CANNOT_BUILD);
}

Timetable* EventDoc::GetTimetableToCheck()
{
    return TimetableOrNeeds(IDS_CANNOT_CHECK);
}

std::string EventDoc::DescribeTimetableNeeds() const
{
    std::string s_needs;
    const DayDefBase& days = EventDef.GetDayDef();
    if (days.GetNumDays() == 0)
        s_needs += LoadResString(IDS_NEEDS_DAYS, "") + "\n";
    else if (days.GetNumTimeslots() == 0)
        s_needs += LoadResString(IDS_NEEDS_TIMESLOTS, "") + "\n";
    if (GetNumVenues() == 0)
        s_needs += LoadResString(IDS_NEEDS_VENUES, "") + "\n";
    return s_needs;
}

Timetable* EventDoc::TimetableOrNeeds(UINT u_messageId)
{
    const std::string s_needs = DescribeTimetableNeeds();
    if (!s_needs.empty()) {
        // A command the user could press never ends without a word.
        ShowMessageId(u_messageId, s_needs, MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
    // An event with days, timeslots and venues owns a timetable; one that
    // came without it gets the empty one its edits would have made.
    if (pTimetable == nullptr)
        RebuildTimetable();
    return GetTimetable();
}

void EventDoc::OnPreferences()
{
    Preferences prefs(Prefs);
    const int i_result = GetDocumentSheetsPort().EditPreferences(*this, prefs);
    if (i_result == IDOK)
        SetPreferences(prefs, TRUE);
    else if (i_result != IDCANCEL)
        throw CResourceException("the preferences sheet ended with " + std::to_string(i_result));
}

void EventDoc::OnSchedulingRules()
{
    SchedulingRules rules(SchedRules);
    if (GetDocumentSheetsPort().EditSchedulingRules(*this, rules) == IDOK)
        SetSchedulingRules(rules);
}

void EventDoc::SetSchedulingRules(const SchedulingRules& rules)
{
    if (SameStoredForm(rules, SchedRules))
        return;
    SchedRules = rules;
    SchedRules.Revalidate(this);
    DocChanged(UpdateViewHint::e_scheduling_rules);
}

void EventDoc::ReportCheckResult(int i_result, BOOL b_changed)
{
    ShowMessageId(i_result > 0 ? IDS_TIMETABLE_VALID : IDS_TIMETABLE_INVALID, "", MB_OK | MB_ICONINFORMATION);
    if (b_changed)
        SetModifiedFlag();
}

void EventDoc::OnEmailSupport()
{
    SendDocumentMail(*this, {LoadResString(IDS_SUPPORT_EMAIL, "")}, {kSupportName});
}

void EventDoc::OnSendMail()
{
    SendDocumentMail(*this, {}, {});
}

void EventDoc::OnCloseEvent()
{
    if (!SaveModified() && IsModified())
        return;
    NewDocumentStep();
    InitNewEvent();
}

// --- edits and checks of the event ---

void EventDoc::SetPreferences(const Preferences& prefs, BOOL b_rebuild)
{
    // Travel between venues that is newly allowed, or given more time, can
    // make placements clash: the timetable has to be checked again.
    const BOOL b_travelGrows = (!Prefs.GetAllowTravel() && prefs.GetAllowTravel())
        || (Prefs.GetAllowTravel() && prefs.GetTravelMinutes() > Prefs.GetTravelMinutes());
    Prefs = prefs;
    if (b_travelGrows && b_rebuild)
        DocChanged(UpdateViewHint::e_general);
    else
        SetModifiedFlag();
}

void EventDoc::RemoveVenueRefs(LONG l_key)
{
    const int i_venue_index = Venues.FindByKey(l_key);
    ZEL_ASSERT(0 <= i_venue_index && i_venue_index < GetNumVenues());
    if (i_venue_index < 0)
        return;
    DayDefBase& days = EventDef.GetDayDef();
    for (int i = days.GetNumLayouts() - 1; i >= 0; --i)
        days.GetDaySlots(i).RemoveItem(l_key);
    Venues.RemoveAt(i_venue_index);
    if (Timetable* p_timetable = GetTimetableObject())
        p_timetable->RemoveVenue(i_venue_index);
}

int EventDoc::CompareSlotTimes(const Timeslot& a, const Timeslot& b, int i_mode) const
{
    CHighTime dt_a = (i_mode == 2 || i_mode == 3) ? a.GetEnd() : a.GetStart();
    CHighTime dt_b = (i_mode == 1 || i_mode == 3) ? b.GetEnd() : b.GetStart();
    if (a.GetDay() != b.GetDay()) {
        // Slot times are times of day: the later of two consecutive days
        // runs on from the earlier one's midnight.
        const DayDefBase& days = EventDef.GetDayDef();
        const CHighTimeSpan o_day(1, 0);
        if (days.IsConsecutive(a.GetDay(), b.GetDay()))
            dt_b += o_day;
        else if (days.IsConsecutive(b.GetDay(), a.GetDay()))
            dt_a += o_day;
        else
            return a.GetDay() < b.GetDay() ? -1 : 1;
    }
    if (dt_a < dt_b)
        return -1;
    return dt_b < dt_a ? 1 : 0;
}

template <class List>
int EventDoc::RenameProperty(List& list, LONG l_key, const std::string& s_name, UINT u_invalidId)
{
    const int i_index = list.FindByKey(l_key);
    if (i_index < 0)
        return -1;
    auto renamed = list.GetAt(i_index);
    if (!renamed.SetName(s_name)) {
        ShowMessageId(u_invalidId, s_name, MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    // The element's own name counts too: renaming to the present name is
    // refused like any other name in use.
    for (int i = 0; i < list.GetCount(); ++i) {
        if (list.GetAt(i).GetNameObject() == renamed.GetNameObject()) {
            ShowMessageId2(IDS_RENAME_EXISTS, list.GetAt(i_index).GetName(), renamed.GetName(),
                           MB_OK | MB_ICONEXCLAMATION);
            return -1;
        }
    }
    list[i_index].SetName(s_name);
    DocChanged(UpdateViewHint::e_general);
    return i_index;
}

int EventDoc::RenameStyle(LONG l_key, const std::string& s_name)
{
    return RenameProperty(Styles, l_key, s_name, IDS_STYLE_NAME_INVALID);
}

int EventDoc::RenameFacility(LONG l_key, const std::string& s_name)
{
    return RenameProperty(Facilities, l_key, s_name, IDS_FACILITY_NAME_INVALID);
}
