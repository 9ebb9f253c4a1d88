// The document's roster and un-roster drivers, defined with the rostering
// engine so that the model never depends on it.
//
// The roster driver runs the rostering dialog under the engine guard, as
// the build driver runs the build: a failure inside a run (handed over by
// the dialog once the run's worker has ended) ends in the guard's four
// outcomes, each told to the user, and leaves the timetable not valid.
#include "engine/EngineGuard.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "roster/RosterEngine.h"

namespace {

enum : UINT {
    IDS_UNROSTER_SELECTION = 158,
    IDS_UNROSTER_ALL = 159,
};

} // namespace

int Timetable::Roster(EventDoc* p_doc)
{
    IRosterDialogPort* p_dialog = GetRosterDialogPort();
    if (p_dialog == nullptr)
        return 1;
    const EngineGuard::Outcome outcome = EngineGuard::Run([&] { p_dialog->Run(*p_doc); }, [] {});
    if (outcome.eFailure != EngineGuard::e_none)
        SetValid(FALSE);
    return 1;
}

int Timetable::UnrosterParticipants(EventDoc* p_doc, const KeyList& keys)
{
    RosterEngine engine(p_doc);
    const int n_keys = keys.GetCount();
    const UINT u_style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
    const int i_answer = n_keys == 0 ? ShowMessageId(IDS_UNROSTER_ALL, "", u_style)
                                     : ShowMessageId(IDS_UNROSTER_SELECTION, std::to_string(n_keys), u_style);
    if (i_answer == IDNO)
        return 0;
    BOOL b_changed = FALSE;
    const int i_result = engine.Unroster(&b_changed, n_keys, keys);
    if (b_changed)
        p_doc->MembersChanged(UpdateViewHint::e_groups);
    return i_result;
}

void EventDoc::OnRosterParticipants()
{
    if (Timetable* p_timetable = GetTimetable())
        p_timetable->Roster(this);
}
