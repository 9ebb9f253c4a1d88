#include "shell/frame/EventDocument.h"

#include "engine/BuildDriver.h"
#include "framework/ui/WxText.h"
#include "model/DocumentPorts.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/ListPorts.h"
#include "shell/frame/WxCommands.h"

#include <optional>
#include <set>
#include <utility>
#include <vector>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/statusbr.h>

namespace {

// The document's commands that the program routes to it.
const UINT aCommands[] = {
    EventDoc::ID_DEFINE_EVENT,    EventDoc::ID_NEW_EVENT_DEFINITION, EventDoc::ID_BUILD_TIMETABLE,
    EventDoc::ID_PREFERENCES,     EventDoc::ID_SCHEDULING_RULES,     EventDoc::ID_CHECK_TIMETABLE,
    EventDoc::ID_ROSTER_PARTICIPANTS, EventDoc::ID_ROSTER_PARTICIPANTS_TOOL,
    EventDoc::ID_EMAIL_SUPPORT,   EventDoc::ID_FILE_SEND_MAIL,       EventDoc::ID_FILE_CLOSE,
    // The framework's saves, which the document takes.
    ID_FILE_SAVE,                 ID_FILE_SAVE_AS,
};

std::set<UINT>& AvailableSheets()
{
    static std::set<UINT> s_available;
    return s_available;
}

// Whether the command opens a sheet.
bool OpensSheet(UINT u_command)
{
    return u_command == EventDoc::ID_DEFINE_EVENT || u_command == EventDoc::ID_NEW_EVENT_DEFINITION
        || u_command == EventDoc::ID_PREFERENCES || u_command == EventDoc::ID_SCHEDULING_RULES;
}

// The message bar's text after a build whose every check passed.
constexpr const char* kBuiltText = "Rotavex has created a valid timetable according to your specifications.";

// What the message bar says from the menu choice of a build or a check
// on: on a large event the build map or the check takes seconds before
// any other window of theirs shows, the main window waiting under the busy
// pointer meanwhile.
constexpr const char* kBuildingText = "Building the timetable...";
constexpr const char* kCheckingText = "Checking the timetable...";
// The message bar's word when nothing is going on.
constexpr const char* kReadyText = "Ready";

// What the main frame's message bar shows; none without the frame and its
// bar.
std::optional<std::string> ShownMessage()
{
    auto* p_frame = wxTheApp != nullptr ? wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame) : nullptr;
    const wxStatusBar* p_bar = p_frame != nullptr ? p_frame->GetStatusBar() : nullptr;
    if (p_bar == nullptr)
        return std::nullopt;
    return FromWx(p_bar->GetStatusText(0));
}

UINT CommandOf(int i_wxId)
{
    for (const UINT u : aCommands) {
        if (CommandWxId(u) == i_wxId)
            return u;
    }
    return 0;
}

// Stands over the event file's port for one flow and notes the files
// saved.
class SaveRecorder : public IEventFilePort {
public:
    SaveRecorder() : pInner(SetEventFilePort(this)) {}
    ~SaveRecorder() override { SetEventFilePort(pInner); }
    SaveRecorder(const SaveRecorder&) = delete;
    SaveRecorder& operator=(const SaveRecorder&) = delete;

    BOOL Load(EventDoc& doc, const std::string& s_path) override { return pInner->Load(doc, s_path); }
    BOOL Save(EventDoc& doc, const std::string& s_path) override
    {
        const BOOL b_saved = pInner->Save(doc, s_path);
        if (b_saved)
            vSaved.push_back(s_path);
        return b_saved;
    }

    std::vector<std::string> vSaved;

private:
    IEventFilePort* pInner;
};

} // namespace

CEventDocument::CEventDocument()
{
    for (const UINT u : aCommands) {
        Bind(wxEVT_MENU, &CEventDocument::OnCommand, this, CommandWxId(u));
        Bind(wxEVT_UPDATE_UI, &CEventDocument::OnUpdateCommand, this, CommandWxId(u));
    }
}

CEventDocument::~CEventDocument() = default;

std::string CEventDocument::GetDisplayTitle() const
{
    const std::string& s_path = Doc.GetPathName();
    if (s_path.empty())
        return AppSettings::GetDocString(AppSettings::e_doc_name);
    const std::size_t u_slash = s_path.find_last_of('/');
    return u_slash == std::string::npos ? s_path : s_path.substr(u_slash + 1);
}

void CEventDocument::UpdateViews(const UpdateViewHint* p_hint)
{
    if (p_hint == nullptr) {
        UpdateAllViews(nullptr, nullptr);
        return;
    }
    CViewHint hint(*p_hint);
    UpdateAllViews(nullptr, &hint);
}

BOOL CEventDocument::RecordSaves(const std::function<BOOL()>& f_flow)
{
    std::vector<std::string> v_saved;
    BOOL b_result = FALSE;
    {
        SaveRecorder recorder;
        b_result = f_flow();
        v_saved = std::move(recorder.vSaved);
    }
    if (fOnSaved) {
        for (const std::string& s_path : v_saved)
            fOnSaved(s_path);
    }
    return b_result;
}

void CEventDocument::SetSheetAvailable(UINT u_command, bool b_available)
{
    if (b_available)
        AvailableSheets().insert(u_command);
    else
        AvailableSheets().erase(u_command);
}

bool CEventDocument::IsSheetAvailable(UINT u_command)
{
    return AvailableSheets().count(u_command) != 0;
}

const char* CEventDocument::BuiltMessage() { return kBuiltText; }

bool CEventDocument::BuiltMessageHolds() const
{
    if (!bBuiltMessage)
        return false;
    const Timetable* p_timetable = Doc.GetTimetable();
    return p_timetable != nullptr && p_timetable == pBuiltTimetable && p_timetable->IsValid()
        && p_timetable->GetCreationDate() == dtBuilt;
}

bool CEventDocument::OnSaveModified()
{
    return RecordSaves([this] { return Doc.SaveModified(); }) != FALSE;
}

void CEventDocument::OnCommand(wxCommandEvent& event)
{
    switch (CommandOf(event.GetId())) {
    case EventDoc::ID_DEFINE_EVENT:
    case EventDoc::ID_NEW_EVENT_DEFINITION:
        Doc.OnDefineEvent();
        break;
    case EventDoc::ID_BUILD_TIMETABLE:
    {
        // A build that ends well has no message of its own: once its
        // progress window has gone, the message bar tells the user.
        const bool b_had_built = BuiltMessageHolds();
        const std::optional<std::string> s_before = ShownMessage();
        bBuiltMessage = false;
        GetListStatusPort().SetMessageText(kBuildingText);
        if (Doc.OnBuildTimetable() && Doc.GetTimetable() != nullptr && Doc.GetTimetable()->IsValid()) {
            GetListStatusPort().SetMessageText(kBuiltText);
            bBuiltMessage = true;
            pBuiltTimetable = Doc.GetTimetable();
            dtBuilt = pBuiltTimetable->GetCreationDate();
            break;
        }
        // Only a cancelled build leaves the timetable the last build made,
        // and with it that build's word.
        bBuiltMessage = b_had_built;
        if (WasLastBuildCancelled() && s_before && (*s_before != kBuiltText || BuiltMessageHolds())) {
            // Nothing was built: the bar says again what it said before the
            // command (a pane's count of its rows, the word of the build
            // that made the timetable, "Ready").
            GetListStatusPort().SetMessageText(*s_before);
        } else {
            GetListStatusPort().SetMessageText(BuiltMessageHolds() ? kBuiltText : kReadyText);
        }
        break;
    }
    case EventDoc::ID_PREFERENCES:
        Doc.OnPreferences();
        break;
    case EventDoc::ID_SCHEDULING_RULES:
        Doc.OnSchedulingRules();
        break;
    case EventDoc::ID_CHECK_TIMETABLE:
        GetListStatusPort().SetMessageText(kCheckingText);
        Doc.OnCheckTimetable();
        // A check leaves the timetable as it is: the word of the build that
        // made it still holds.
        GetListStatusPort().SetMessageText(BuiltMessageHolds() ? kBuiltText : kReadyText);
        break;
    case EventDoc::ID_ROSTER_PARTICIPANTS:
    case EventDoc::ID_ROSTER_PARTICIPANTS_TOOL:
        Doc.OnRosterParticipants();
        break;
    case EventDoc::ID_EMAIL_SUPPORT:
        Doc.OnEmailSupport();
        break;
    case EventDoc::ID_FILE_SEND_MAIL:
        Doc.OnSendMail();
        break;
    case EventDoc::ID_FILE_CLOSE:
        RecordSaves([this] {
            Doc.OnCloseEvent();
            return TRUE;
        });
        break;
    case ID_FILE_SAVE:
        RecordSaves([this] { return Doc.DoFileSave(); });
        break;
    case ID_FILE_SAVE_AS:
        RecordSaves([this] { return Doc.DoSave(std::string(), TRUE); });
        break;
    default:
        event.Skip();
        break;
    }
}

void CEventDocument::OnUpdateCommand(wxUpdateUIEvent& event)
{
    const UINT u_command = CommandOf(event.GetId());
    bool b_enabled = u_command == ID_FILE_SAVE || u_command == ID_FILE_SAVE_AS || Doc.IsCommandEnabled(u_command);
    if (OpensSheet(u_command) && !IsSheetAvailable(u_command))
        b_enabled = false;
    event.Enable(b_enabled);
}
