#include "shell/lists/ExportCommands.h"

#include "framework/Encoding.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "output/TextExport.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/FileFolders.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/ParticipantViewCore.h"
#include "shell/lists/VenueViewRules.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace {

class CancelledColumns : public IHtmlColumnsPort {
public:
    BOOL Ask(std::vector<std::string>&, std::vector<std::string>&) override { return FALSE; }
};

CancelledColumns g_cancelledColumns;
IHtmlColumnsPort* g_pColumns = &g_cancelledColumns;

// The file dialog and the stored name keep at most this many characters.
constexpr std::size_t nMaxFileName = 400;

// The last part of a stored export name: what follows its last slash or
// backslash, without a drive. An event file made on another system keeps the
// name as that system wrote it (C:\events\spring), which is no file name here.
std::string StoredFileName(const std::string& s_stored)
{
    std::string s_name = s_stored.substr(0, nMaxFileName);
    const std::size_t u_sep = s_name.find_last_of("/\\");
    if (u_sep != std::string::npos)
        s_name.erase(0, u_sep + 1);
    else if (s_name.size() >= 2 && s_name[1] == ':' && std::isalpha(static_cast<unsigned char>(s_name[0])))
        s_name.erase(0, 2);
    return s_name;
}

// The folder of the event's own last export, when the stored name is a
// path of this system whose folder is there; else empty.
std::string StoredFolder(const std::string& s_stored)
{
    const std::string s_name = s_stored.substr(0, nMaxFileName);
    if (s_name.empty() || s_name[0] != '/' || s_name.find('\\') != std::string::npos)
        return {};
    const std::size_t u_slash = s_name.rfind('/');
    const std::string s_folder = u_slash == 0 ? "/" : s_name.substr(0, u_slash);
    std::error_code ec;
    return std::filesystem::is_directory(s_folder, ec) ? s_folder : std::string();
}

// The stored name as the dialog offers it: the event's own last export
// where that is a folder here; else its last part beside the event file, or
// in the documents folder for an event never saved. Without a stored name
// the event's own name is offered. Nothing of another event's exports is
// offered: the stored name is the event's own (a new event starts without
// one).
void OfferStoredName(FileDialogRequest& request, const std::string& s_stored, const std::string& s_eventName,
                     const std::string& s_eventPath, const std::string& s_ext)
{
    request.sFolder = StoredFolder(s_stored);
    if (request.sFolder.empty())
        request.sFolder = FileFolders::EventFolder(s_eventPath);
    request.sFileName = StoredFileName(s_stored);
    if (request.sFileName.empty()) {
        // An event without a name goes by its file's name, or by the name a
        // new event shows in the title bar.
        const std::string s_fallback = !s_eventPath.empty() ? std::filesystem::path(s_eventPath).stem().string()
                                                            : AppSettings::GetDocString(AppSettings::e_doc_name);
        request.sFileName = FileFolders::NameForFile(s_eventName, s_fallback, s_ext);
    }
}

FileDialogOption Option(FileDialogOption::Kind e_kind, int i_id, const char* p_label, BOOL b_value, int i_row,
                        int i_indent = 0)
{
    FileDialogOption option;
    option.iRow = i_row;
    option.iIndent = i_indent;
    option.eKind = e_kind;
    option.iId = i_id;
    option.sLabel = p_label;
    option.bValue = b_value;
    return option;
}

BOOL ValueOf(const FileDialogRequest& request, int i_id)
{
    for (const FileDialogOption& option : request.vOptions) {
        if (option.iId == i_id)
            return option.bValue;
    }
    return FALSE;
}

// The path as the messages show it (the file system's UTF-8 in the
// messages' code page where it can be).
std::string MessagePath(const std::string& s_path) { return Utf8ToCp1252(s_path).value_or(s_path); }

// Writes the file and says how it went; TRUE when written.
BOOL WriteAndReport(const std::string& s_path, const std::string& s_bytes)
{
    const UINT u_error = HtmlExport::WriteExportFile(s_path, s_bytes);
    if (u_error != 0) {
        ShowMessageId(u_error, MessagePath(s_path), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

// The texts the page asks of the lists while it is written: a group's
// items are the group list's texts of the event exported (the model writes
// the group listing through the field-text port and knows no list), without
// the blanks the list's address keeps between empty parts, so that a group
// without an address has an empty cell rather than "(   )". A
// participant's name stays with the port that was there before.
class ExportFieldTexts : public IFieldTextPort {
public:
    explicit ExportFieldTexts(const EventDoc& doc) : Doc(doc), pPrevious(SetFieldTextPort(this)) {}
    ~ExportFieldTexts() override { SetFieldTextPort(pPrevious); }
    ExportFieldTexts(const ExportFieldTexts&) = delete;
    ExportFieldTexts& operator=(const ExportFieldTexts&) = delete;

    std::string GetGroupFieldText(const Group& group, int i_column) override
    {
        return ItemListCore::TrimSpace(GroupFieldTexts::GetFieldText(&Doc, group, i_column));
    }
    std::string GetParticipantFieldText(const Participant& participant, int i_column) override
    {
        return pPrevious->GetParticipantFieldText(participant, i_column);
    }

private:
    const EventDoc& Doc;
    IFieldTextPort* pPrevious;
};

} // namespace

IHtmlColumnsPort& GetHtmlColumnsPort() { return *g_pColumns; }

IHtmlColumnsPort* SetHtmlColumnsPort(IHtmlColumnsPort* p_port)
{
    IHtmlColumnsPort* p_old = g_pColumns;
    g_pColumns = p_port ? p_port : &g_cancelledColumns;
    return p_old;
}

ScriptedHtmlColumns::ScriptedHtmlColumns() : pPrevious(SetHtmlColumnsPort(this)) {}
ScriptedHtmlColumns::~ScriptedHtmlColumns() { SetHtmlColumnsPort(pPrevious); }

BOOL ScriptedHtmlColumns::Ask(std::vector<std::string>& v_available, std::vector<std::string>& v_selected)
{
    vAsked.push_back({v_available, v_selected});
    if (qAnswers.empty())
        return FALSE;
    const Answer f_answer = std::move(qAnswers.front());
    qAnswers.pop_front();
    return f_answer(v_available, v_selected);
}

namespace ExportCommands {

std::vector<ItemListCore::ColumnDef> GroupColumnDefs()
{
    std::vector<ItemListCore::ColumnDef> v_defs;
    for (int i = 0; i < gfNumFields; ++i)
        v_defs.push_back({static_cast<UINT>(i), GroupFieldTexts::GetFieldTitle(i)});
    std::stable_sort(v_defs.begin(), v_defs.end(),
                     [](const ItemListCore::ColumnDef& a, const ItemListCore::ColumnDef& b) { return a.sTitle < b.sTitle; });
    return v_defs;
}

bool IsHiddenHtmlColumn(UINT u_id)
{
    switch (u_id) {
    case gfName:
    case gfMembers:
    case gfMembersWithRole:
    case gfLimits:
    case gfAllocation:
    case gfNotAvailable:
    case gfNotes: return true;
    default: return false;
    }
}

void MakeHtmlColumnLists(const std::vector<ItemListCore::ColumnDef>& v_defs, const ZelArray<UINT>& a_ids,
                         std::vector<std::string>& v_available, std::vector<std::string>& v_selected)
{
    auto chosen = [&](UINT u_id) {
        for (int i = 0; i < a_ids.GetSize(); ++i) {
            if (a_ids[i] == u_id)
                return true;
        }
        return false;
    };
    v_available.clear();
    for (const ItemListCore::ColumnDef& def : v_defs) {
        if (!def.sTitle.empty() && !IsHiddenHtmlColumn(def.uId) && !chosen(def.uId))
            v_available.push_back(def.sTitle);
    }
    v_selected.clear();
    for (int i = 0; i < a_ids.GetSize(); ++i) {
        for (const ItemListCore::ColumnDef& def : v_defs) {
            if (def.uId == a_ids[i] && !def.sTitle.empty()) {
                v_selected.push_back(def.sTitle);
                break;
            }
        }
    }
}

ZelArray<UINT> IdsFromTitles(const std::vector<ItemListCore::ColumnDef>& v_defs,
                             const std::vector<std::string>& v_titles)
{
    ZelArray<UINT> a_ids;
    for (const std::string& s_title : v_titles) {
        for (const ItemListCore::ColumnDef& def : v_defs) {
            if (def.sTitle == s_title) {
                a_ids.Add(def.uId);
                break;
            }
        }
    }
    return a_ids;
}

std::vector<int> MoveRows(std::vector<std::string>& v_from, const std::vector<int>& v_rows,
                          std::vector<std::string>& v_to)
{
    std::vector<int> v_moved;
    for (const int i_row : v_rows) {
        if (i_row < 0 || i_row >= static_cast<int>(v_from.size()))
            continue;
        v_moved.push_back(static_cast<int>(v_to.size()));
        v_to.push_back(v_from[static_cast<std::size_t>(i_row)]);
    }
    // Deleted from the bottom up, so the positions stay right.
    std::vector<int> v_sorted = v_rows;
    std::sort(v_sorted.begin(), v_sorted.end());
    v_sorted.erase(std::unique(v_sorted.begin(), v_sorted.end()), v_sorted.end());
    for (auto it = v_sorted.rbegin(); it != v_sorted.rend(); ++it) {
        if (*it >= 0 && *it < static_cast<int>(v_from.size()))
            v_from.erase(v_from.begin() + *it);
    }
    return v_moved;
}

BOOL SelectHtmlColumns(IPaneFinder* p_panes, ZelArray<UINT>& a_ids)
{
    if (p_panes == nullptr || p_panes->FindPane(kGroupView, TRUE) == nullptr)
        return FALSE;
    const std::vector<ItemListCore::ColumnDef> v_defs = GroupColumnDefs();
    std::vector<std::string> v_available;
    std::vector<std::string> v_selected;
    MakeHtmlColumnLists(v_defs, a_ids, v_available, v_selected);
    if (!GetHtmlColumnsPort().Ask(v_available, v_selected))
        return FALSE;
    a_ids = IdsFromTitles(v_defs, v_selected);
    return TRUE;
}

FileDialogRequest MakeHtmlRequest(const HtmlExportOptions& options, const std::string& s_storedName,
                                  const std::string& s_eventName, const std::string& s_eventPath)
{
    FileDialogRequest request;
    request.bSave = TRUE;
    request.sTitle = "Export as HTML";
    request.vFilters = {{"Hypertext Document", "*.htm;*.html"}};
    request.sDefaultExt = "htm";
    request.bOverwritePrompt = TRUE;
    OfferStoredName(request, s_storedName, s_eventName, s_eventPath, ".htm");
    const int i_kind = options.iKindId == HtmlExportOptions::IDC_BY_PARTICIPANT ? options.iKindId
                                                                              : HtmlExportOptions::IDC_BY_DAY;
    using O = FileDialogOption;
    // Kinds; times and combining; member names and the group listing; the
    // member names' own options under them.
    request.vOptions = {
        Option(O::e_radio, HtmlExportOptions::IDC_BY_DAY, "By &day", i_kind == HtmlExportOptions::IDC_BY_DAY, 1),
        Option(O::e_radio, HtmlExportOptions::IDC_BY_PARTICIPANT, "By &participant",
               i_kind == HtmlExportOptions::IDC_BY_PARTICIPANT, 1),
        Option(O::e_check, IDC_HTML_TIMES, "In&clude times", options.bTimes, 2),
        Option(O::e_check, IDC_HTML_COMBINE, "Com&bine consecutive timeslots", options.bCombine, 2),
        Option(O::e_check, IDC_HTML_MEMBER_NAMES, "Include &member names", options.bMemberNames, 3),
        Option(O::e_check, IDC_HTML_GROUP_LISTING, "Append &group listing", options.bGroupListing, 3),
        Option(O::e_radio, IDC_HTML_WRAPPING, "&Wrapping list", options.iMemberLayout != 1, 4, 1),
        Option(O::e_radio, IDC_HTML_ONE_PER_LINE, "&One per line", options.iMemberLayout == 1, 4, 1),
        Option(O::e_check, IDC_HTML_ROLE, "Include &role", options.bRole, 4, 1),
    };
    request.fOnClick = FollowHtmlOptions;
    FollowHtmlOptions(request, 0);
    return request;
}

void FollowHtmlOptions(FileDialogRequest& request, int /*i_clicked*/)
{
    const BOOL b_members = ValueOf(request, IDC_HTML_MEMBER_NAMES);
    for (const int i_id : {IDC_HTML_WRAPPING, IDC_HTML_ONE_PER_LINE, IDC_HTML_ROLE}) {
        FileDialogOption* p_option = request.FindOption(i_id);
        p_option->bVisible = b_members;
        p_option->bEnabled = b_members;
    }
}

HtmlExportOptions ReadHtmlRequest(const FileDialogRequest& request)
{
    HtmlExportOptions options;
    options.iKindId = ValueOf(request, HtmlExportOptions::IDC_BY_PARTICIPANT) ? HtmlExportOptions::IDC_BY_PARTICIPANT
                                                                             : HtmlExportOptions::IDC_BY_DAY;
    options.bTimes = ValueOf(request, IDC_HTML_TIMES);
    options.bCombine = ValueOf(request, IDC_HTML_COMBINE);
    options.bGroupListing = ValueOf(request, IDC_HTML_GROUP_LISTING);
    options.bMemberNames = ValueOf(request, IDC_HTML_MEMBER_NAMES);
    options.iMemberLayout = ValueOf(request, IDC_HTML_ONE_PER_LINE) ? 1 : 0;
    options.bRole = ValueOf(request, IDC_HTML_ROLE);
    return options;
}

FileDialogRequest MakeTextRequest(std::shared_ptr<TextChoice> p_choice, const std::string& s_storedName,
                                  const std::string& s_eventName, const std::string& s_eventPath)
{
    FileDialogRequest request;
    request.bSave = TRUE;
    request.sTitle = "Export as text";
    request.vFilters = {{"Text file", "*.txt;*.csv"}};
    request.sDefaultExt = "txt";
    request.bOverwritePrompt = TRUE;
    OfferStoredName(request, s_storedName, s_eventName, s_eventPath, ".txt");
    if (p_choice->iKindId < TextExport::IDC_VENUES || p_choice->iKindId > TextExport::IDC_TIMETABLE)
        p_choice->iKindId = TextExport::IDC_VENUES;
    using O = FileDialogOption;
    // Two columns of kinds, the times beside the timetable.
    request.vOptions = {
        Option(O::e_radio, TextExport::IDC_VENUES, "&Venues", FALSE, 1),
        Option(O::e_radio, TextExport::IDC_GROUPS, "&Groups", FALSE, 1),
        Option(O::e_radio, TextExport::IDC_PARTICIPANTS, "&Participants", FALSE, 2),
        Option(O::e_radio, TextExport::IDC_TIMETABLE, "Ti&metable", FALSE, 2),
        Option(O::e_check, TextExport::IDC_INCLUDE_TIMES, "In&clude times", FALSE, 2),
    };
    auto show = [p_choice](FileDialogRequest& r) {
        for (FileDialogOption& option : r.vOptions) {
            if (option.eKind == FileDialogOption::e_radio)
                option.bValue = option.iId == p_choice->iKindId ? TRUE : FALSE;
        }
        FileDialogOption* p_times = r.FindOption(TextExport::IDC_INCLUDE_TIMES);
        const BOOL b_timetable = p_choice->iKindId == TextExport::IDC_TIMETABLE;
        p_times->bEnabled = b_timetable;
        p_times->bValue = b_timetable && p_choice->bTimes;
    };
    request.fOnClick = [p_choice, show](FileDialogRequest& r, int i_clicked) {
        if (i_clicked == TextExport::IDC_INCLUDE_TIMES) {
            p_choice->bTimes = ValueOf(r, TextExport::IDC_INCLUDE_TIMES);
        } else {
            for (const FileDialogOption& option : r.vOptions) {
                if (option.eKind == FileDialogOption::e_radio && option.bValue)
                    p_choice->iKindId = option.iId;
            }
        }
        show(r);
    };
    show(request);
    return request;
}

void ExportHtml(EventDoc& doc, IPaneFinder* p_panes, const CHighTime& dt_now)
{
    FileDialogRequest request = MakeHtmlRequest(HtmlExportOptions::FromDoc(doc), doc.GetMiscOptions().GetExportFileName(),
                                                doc.GetEventName(), doc.GetPathName());
    if (!GetFileDialogPort().Ask(request))
        return;

    const HtmlExportOptions options = ReadHtmlRequest(request);
    BOOL b_changed = options.StoreInto(doc);
    b_changed |= doc.GetMiscOptions().SetExportFileName(request.sPath.substr(0, nMaxFileName)) != 0;
    if (b_changed)
        doc.SetModifiedFlag();

    ZelArray<UINT> a_items = doc.GetMiscOptions().GetHtmlItems();
    if (options.bGroupListing) {
        const ZelArray<UINT> a_stored = a_items;
        if (!SelectHtmlColumns(p_panes, a_items))
            return;
        bool b_same = a_items.GetSize() == a_stored.GetSize();
        for (int i = 0; b_same && i < a_items.GetSize(); ++i)
            b_same = a_items[i] == a_stored[i];
        if (!b_same) {
            doc.GetMiscOptions().SetHtmlItems(a_items);
            doc.SetModifiedFlag();
        }
    }

    // The wait cursor comes once the choices are made, not over the item
    // dialog.
    std::ostringstream os;
    {
        ZelWaitCursor wait;
        ExportFieldTexts texts(doc);
        HtmlExport::WritePage(os, doc, options, a_items, dt_now);
    }
    if (!WriteAndReport(request.sPath, HtmlExport::ToCrLf(os.str())))
        return;
    FrameworkMessageBox(FormatMessageText("Your timetable was exported to '%1'.", {MessagePath(request.sPath)}), MB_OK);
}

void ExportText(EventDoc& doc, IPaneFinder* p_panes)
{
    auto p_choice = std::make_shared<TextChoice>();
    p_choice->iKindId = doc.GetMiscOptions().GetTextExportKindId();
    p_choice->bTimes = doc.GetMiscOptions().GetFirstOption() != 0 ? TRUE : FALSE;
    FileDialogRequest request =
        MakeTextRequest(p_choice, doc.GetMiscOptions().GetExportFileName(), doc.GetEventName(), doc.GetPathName());
    if (!GetFileDialogPort().Ask(request))
        return;

    MiscOptions& misc = doc.GetMiscOptions();
    BOOL b_changed = misc.SetTextExportKind(p_choice->iKindId) != 0;
    if ((misc.GetFirstOption() != 0) != (p_choice->bTimes != FALSE)) {
        misc.SetFirstOption(p_choice->bTimes ? 1 : 0);
        b_changed = TRUE;
    }
    b_changed |= misc.SetExportFileName(request.sPath.substr(0, nMaxFileName)) != 0;
    if (b_changed)
        doc.SetModifiedFlag();

    // The schedule cells come from the list view of their kind, which the
    // search also makes the active pane.
    TextExport::Schedules schedules;
    const char* p_view = p_choice->iKindId == TextExport::IDC_VENUES         ? kVenueView
                         : p_choice->iKindId == TextExport::IDC_PARTICIPANTS ? kParticipantView
                         : p_choice->iKindId == TextExport::IDC_GROUPS       ? kGroupView
                                                                             : nullptr;
    auto join = [](const ZelStringArray& a_lines) {
        std::string s_text;
        for (int i = 0; i < a_lines.GetSize(); ++i) {
            if (i > 0)
                s_text += ',';
            s_text += a_lines[i];
        }
        return s_text;
    };
    if (p_view != nullptr && p_panes != nullptr && p_panes->FindPane(p_view, TRUE) != nullptr) {
        switch (p_choice->iKindId) {
        case TextExport::IDC_GROUPS:
            schedules.fGroup = [&doc, join](const Group& group) {
                ZelStringArray a_lines;
                GroupFieldTexts::GetScheduleText(a_lines, &doc, doc.GetTimetable(), group, gfScheduleOld);
                return join(a_lines);
            };
            break;
        case TextExport::IDC_PARTICIPANTS:
            // Flag 1 lists the venues, 0 the groups.
            schedules.fParticipant = [&doc](const Participant& part, int i_flag) {
                return ParticipantViewCore::GetScheduleText(&doc, part, i_flag == 1 ? TRUE : FALSE, ",");
            };
            break;
        case TextExport::IDC_VENUES:
            schedules.fVenue = [&doc, join](const Venue& venue, int i_flag) {
                ZelStringArray a_lines;
                VenueViewRules::GetScheduleText(a_lines, &doc, venue, i_flag == 0 ? vfGroupSchedule : vfParticipantSchedule);
                return join(a_lines);
            };
            break;
        default:
            break;
        }
    }

    int n_written = 0;
    std::ostringstream os;
    {
        ZelWaitCursor wait;
        n_written = TextExport::ExportKind(os, doc, p_choice->iKindId, p_choice->bTimes, schedules);
    }
    if (!WriteAndReport(request.sPath, TextExport::FileBytes(os.str())))
        return;
    FrameworkMessageBox(FormatMessageText("%1 items were exported to '%2'.",
                                          {std::to_string(n_written), MessagePath(request.sPath)}),
                        MB_OK);
}

} // namespace ExportCommands
