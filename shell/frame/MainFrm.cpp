#include "shell/frame/MainFrm.h"

#include "framework/Desktop.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/FrameImports.h"
#include "shell/frame/FramePorts.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/ToolbarArt.h"
#include "shell/frame/WxCommands.h"

#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>
#include <vector>

namespace {

// The panes' ids: the framework's first pane id, then 16 per row.
constexpr UINT uFirstPaneId = 59648;

// The views of the panes in the order they are made: (row, column).
struct PaneMaking {
    int iRow;
    int iCol;
    const char* pClass;
    int iSize;
};
const PaneMaking aPaneMakings[] = {
    {0, 0, kVenueView, 200},
    {1, 0, kGroupView, 200},
    {0, 1, kParticipantView, 200},
    {1, 1, kTimetableView, 100},
};

// A menu item: the command, its label and the prompt the status bar shows.
struct MenuItem {
    UINT uCommand; // 0: a separator
    const char* pLabel;
    const char* pPrompt;
    bool bCheck = false;
};

const MenuItem aImportMenu[] = {
    {ID_IMPORT_FILE, "From a &file...", "Import groups or participants from a text file"},
    {ID_IMPORT_WEB, "From the &web...", "Import groups or participants from a file on a web site"},
};

const MenuItem aExportMenu[] = {
    {ID_EXPORT_TEXT, "As &text...", "Export venues, groups, participants or the timetable as text"},
    {ID_EXPORT_HTML, "As &HTML...", "Export the timetable as a web page"},
};

const MenuItem aListsMenu[] = {
    {ID_PRINT_GROUP_LIST, "Print &group list...", "Print the list of groups"},
    {ID_PREVIEW_GROUP_LIST, "Preview group list", "Show the printed list of groups"},
    {ID_PRINT_GROUP_LABELS, "Print group &labels...", "Print address labels for the groups"},
    {ID_PREVIEW_GROUP_LABELS, "Preview group labels", "Show the printed group labels"},
    {0, nullptr, nullptr},
    {ID_PRINT_PARTICIPANT_LIST, "Print &participant list...", "Print the list of participants"},
    {ID_PREVIEW_PARTICIPANT_LIST, "Preview participant list", "Show the printed list of participants"},
    {ID_PRINT_PARTICIPANT_LABELS, "Print participant l&abels...", "Print address labels for the participants"},
    {ID_PREVIEW_PARTICIPANT_LABELS, "Preview participant labels", "Show the printed participant labels"},
    {0, nullptr, nullptr},
    {ID_PRINT_VENUE_LIST, "Print &venue list...", "Print the list of venues"},
    {ID_PREVIEW_VENUE_LIST, "Preview venue list", "Show the printed list of venues"},
};

const MenuItem aEventMenu[] = {
    {EventDoc::ID_DEFINE_EVENT, "&Define event...", "Name the event and define its days and timeslots"},
    {EventDoc::ID_NEW_EVENT_DEFINITION, "Define a &new event...", "Define the days and timeslots of a new event"},
    {EventDoc::ID_SCHEDULING_RULES, "&Scheduling rules...", "Define the scheduling rules of days and venues"},
    {EventDoc::ID_PREFERENCES, "&Preferences...", "Define the preferences of the event"},
    {0, nullptr, nullptr},
    {ID_ADD_VENUE, "Add &venue...", "Add a venue"},
    {ID_ADD_GROUP, "Add &group...", "Add a group"},
    {ID_ADD_PARTICIPANT, "Add p&articipant...", "Add a participant"},
    {ID_EDIT_CLEAR, "De&lete", "Delete the selection"},
    {0, nullptr, nullptr},
    {EventDoc::ID_BUILD_TIMETABLE, "&Build timetable", "Build the timetable"},
    {EventDoc::ID_CHECK_TIMETABLE, "&Check timetable", "Check that the timetable is valid"},
    {EventDoc::ID_ROSTER_PARTICIPANTS, "&Roster participants...", "Roster participants into the groups"},
    {ID_UNROSTER_PARTICIPANTS, "&Un-roster participants", "Remove the rostering of participants"},
    {0, nullptr, nullptr},
    {ID_APPLY_ALL_PARTICIPANT_PREFS, "Apply all participant preferences", "Apply all participant preferences to selection"},
    {ID_APPLY_PARTICIPANT_LIMITS_PREFS, "Apply participant limits preferences", "Apply participant limits preferences to selection"},
    {ID_APPLY_PARTICIPANT_ROSTER_PREFS, "Apply participant rostering preferences", "Apply participant rostering preferences to selection"},
    {0, nullptr, nullptr},
    {ID_APPLY_ALL_GROUP_PREFS, "Apply all group preferences", "Apply all group preferences to selection"},
    {ID_APPLY_GROUP_LIMITS_PREFS, "Apply group limits preferences", "Apply group limits preferences to selection"},
    {ID_APPLY_GROUP_ALLOC_PREFS, "Apply group allocations preferences", "Apply group allocations preferences to selection"},
    {ID_APPLY_GROUP_ROSTER_PREFS, "Apply group rostering preferences", "Apply group rostering preferences to selection"},
    {ID_APPLY_GROUP_ROTATION_PREFS, "Apply group rotation preferences", "Apply group rotation preferences to selection"},
};

// The timetable view's day grid answers these.
const MenuItem aEditMenu[] = {
    {ID_LOCK_PLACEMENTS, "&Lock", "Lock the selected placements"},
    {ID_UNLOCK_PLACEMENTS, "&Unlock", "Unlock the selected placements"},
    {0, nullptr, nullptr},
    {ID_LOCK_TIMETABLE, "Lock &whole timetable", "Lock every placement of the timetable"},
    {ID_UNLOCK_TIMETABLE, "Unlock w&hole timetable", "Unlock every placement of the timetable"},
    {0, nullptr, nullptr},
    {ID_CHANGE_TIMESLOTS, "Change &timeslots", "Add, move and delete the timeslots of the day shown", true},
};

const MenuItem aViewMenu[] = {
    {ID_RESET_VIEWS, "&Reset", "Refill every list and show the timetable afresh"},
};

const MenuItem aOptionsMenu[] = {
    {ID_OPEN_LAST, "&Open last file on start-up", "Open the last event at start-up without asking", true},
    {ID_PREPEND_SMTP, "Prepend '&SMTP:' to mail addresses", "Put SMTP: before the addresses of mail", true},
};

const MenuItem aHelpMenu[] = {
    {ID_HELP_FINDER, "Help &topics", "Open the user guide"},
    {ID_HELP, "&Help\tF1", "Open the user guide"},
    {ID_CONTEXT_HELP, "&What's this?\tShift+F1", "Open the user guide"},
    {0, nullptr, nullptr},
    {ID_HELP_USER_GUIDE, "&User guide", "Open the user guide"},
    {ID_HELP_RELEASE_NOTES, "&Release notes", "Open the release notes"},
    {ID_HELP_LICENCE, "&Licence agreement", "Open the licence agreement"},
    {0, nullptr, nullptr},
    {EventDoc::ID_EMAIL_SUPPORT, "&E-mail event to support...", "Mail the event file to support"},
    {0, nullptr, nullptr},
    {ID_APP_ABOUT, "&About Rotavex...", "Show the program's release and copyright"},
};

// The toolbar's buttons in order (0: a separator), with their tips.
struct ToolButton {
    UINT uCommand;
    const char* pTip;
};
const ToolButton aToolButtons[] = {
    {ID_FILE_NEW, "New event"},
    {ID_FILE_OPEN, "Open event"},
    {ID_FILE_SAVE, "Save event"},
    {0, nullptr},
    {ID_EDIT_CLEAR, "Delete"},
    {0, nullptr},
    {EventDoc::ID_NEW_EVENT_DEFINITION, "Define event"},
    {EventDoc::ID_SCHEDULING_RULES, "Scheduling rules"},
    {0, nullptr},
    {ID_ADD_VENUE, "Add venue"},
    {ID_ADD_PARTICIPANT, "Add participant"},
    {ID_ADD_GROUP, "Add group"},
    {0, nullptr},
    {EventDoc::ID_BUILD_TIMETABLE, "Build timetable"},
    {EventDoc::ID_CHECK_TIMETABLE, "Check timetable"},
    {EventDoc::ID_ROSTER_PARTICIPANTS, "Roster participants"},
    {ID_UNROSTER_PARTICIPANTS, "Un-roster participants"},
    {0, nullptr},
    {ID_PRINT_TIMETABLE, "Print timetable"},
    {0, nullptr},
    {ID_CONTEXT_HELP, "Help"},
};

// Where each print or preview of the frame goes: the view's class and the
// command the view gets.
// Each is enabled while the view is there and, for prints, the rule holds:
// the timetable is printable, or the list has rows.
struct Forwarding {
    enum Rule { e_view, e_printable, e_items };

    UINT uCommand;
    const char* pClass;
    UINT uSent;
    Rule eRule;
};
const Forwarding aForwardings[] = {
    {ID_ADD_GROUP, kGroupView, ID_ADD_GROUP, Forwarding::e_view},
    {ID_ADD_PARTICIPANT, kParticipantView, ID_ADD_PARTICIPANT, Forwarding::e_view},
    {ID_ADD_VENUE, kVenueView, ID_ADD_VENUE, Forwarding::e_view},
    {ID_PRINT_TIMETABLE, kTimetableView, ID_PRINT_TIMETABLE, Forwarding::e_printable},
    {ID_PREVIEW_TIMETABLE, kTimetableView, ID_PREVIEW_TIMETABLE, Forwarding::e_printable},
    {ID_PRINT_GROUP_LIST, kGroupView, ID_LIST_PRINT, Forwarding::e_items},
    {ID_PREVIEW_GROUP_LIST, kGroupView, ID_LIST_PREVIEW, Forwarding::e_items},
    {ID_PRINT_GROUP_LABELS, kGroupView, ID_LIST_PRINT_LABELS, Forwarding::e_items},
    {ID_PREVIEW_GROUP_LABELS, kGroupView, ID_LIST_PREVIEW_LABELS, Forwarding::e_items},
    {ID_PRINT_PARTICIPANT_LIST, kParticipantView, ID_LIST_PRINT, Forwarding::e_items},
    {ID_PREVIEW_PARTICIPANT_LIST, kParticipantView, ID_LIST_PREVIEW, Forwarding::e_items},
    {ID_PRINT_PARTICIPANT_LABELS, kParticipantView, ID_LIST_PRINT_LABELS, Forwarding::e_items},
    {ID_PREVIEW_PARTICIPANT_LABELS, kParticipantView, ID_LIST_PREVIEW_LABELS, Forwarding::e_items},
    {ID_PRINT_VENUE_LIST, kVenueView, ID_FILE_PRINT, Forwarding::e_items},
    {ID_PREVIEW_VENUE_LIST, kVenueView, ID_FILE_PRINT_PREVIEW, Forwarding::e_items},
};

// Files dropped on the frame open one after the other once the drop is
// over.
class CFrameDropTarget : public wxFileDropTarget {
public:
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& a_files) override
    {
        std::vector<std::string> v_files;
        for (const wxString& s : a_files)
            v_files.emplace_back(s.utf8_str());
        if (CRotavexApp* p_app = TheApp())
            p_app->CallAfter([p_app, v_files] { p_app->OpenDroppedFiles(v_files); });
        return true;
    }
};

// The status bar's panes: the message, then the lock keys whose state the
// desktop tells (caps lock and num lock; scroll lock is only ever read as
// pressed or not, so it has no pane).
enum { e_status_message, e_status_caps, e_status_num, e_status_panes };

} // namespace

CMainFrame::CMainFrame(CEventDocument& doc)
    : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(1100, 760)), Document(doc)
{
    // Under a window manager that tells its frame sizes on request, the
    // toolkit would hold the first show back until that answer comes, and
    // to ask it make the window at two pixels wide: the menu bar and the
    // toolbar are then laid out in that width, which they cannot draw in,
    // and the window gets that size for a moment, so that the least size
    // kept in OnSize pulls it down to its least. Shown at once, the window
    // is laid out at the size it is made with from its first showing; the
    // frame's borders come on its outside when the window manager tells
    // them.
    m_deferShow = false;
}

CMainFrame::~CMainFrame()
{
    DeleteViews();
}

bool CMainFrame::Create()
{
    CreateMenus();
    if (!CreateToolBarAndStatus() || !CreatePanes())
        return false;
    BindCommands();
    SetDropTarget(new CFrameDropTarget);
    UpdateTitle();
    return true;
}

// ---- menus, toolbar, status bar ----

void CMainFrame::CreateMenus()
{
    auto add_items = [this](wxMenu* p_menu, const MenuItem* p_items, std::size_t n_items) {
        for (std::size_t i = 0; i < n_items; ++i) {
            const MenuItem& item = p_items[i];
            if (item.uCommand == 0) {
                p_menu->AppendSeparator();
                continue;
            }
            const int i_id = CommandWxId(item.uCommand);
            p_menu->Append(i_id, item.pLabel, item.pPrompt, item.bCheck ? wxITEM_CHECK : wxITEM_NORMAL);
            sCommandIds.insert(i_id);
        }
    };
#define RVX_ITEMS(a) a, sizeof(a) / sizeof(a[0])

    auto* p_file = new wxMenu;
    const MenuItem a_fileTop[] = {
        {ID_FILE_NEW, "&New\tCtrl+N", "Start a new event"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an event file"},
        {ID_FILE_OPEN_SAMPLE, "Open sa&mple...", "Open one of the sample timetables"},
        {ID_FILE_CLOSE, "&Close", "Close the event"},
        {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the event"},
        {ID_FILE_SAVE_AS, "Save &as...", "Save the event under another name"},
    };
    add_items(p_file, RVX_ITEMS(a_fileTop));
    p_file->AppendSeparator();
    auto* p_import = new wxMenu;
    add_items(p_import, RVX_ITEMS(aImportMenu));
    p_file->AppendSubMenu(p_import, "&Import");
    auto* p_export = new wxMenu;
    add_items(p_export, RVX_ITEMS(aExportMenu));
    p_file->AppendSubMenu(p_export, "&Export");
    p_file->AppendSeparator();
    const MenuItem a_filePrint[] = {
        {ID_PRINT_TIMETABLE, "Print timeta&ble...", "Print the timetable"},
        {ID_PREVIEW_TIMETABLE, "Pre&view timetable", "Show the printed timetable"},
        {ID_FILE_PRINT, "&Print\tCtrl+P", "Print what the last preview showed"},
    };
    add_items(p_file, RVX_ITEMS(a_filePrint));
    auto* p_lists = new wxMenu;
    add_items(p_lists, RVX_ITEMS(aListsMenu));
    p_file->AppendSubMenu(p_lists, "Print &lists");
    const MenuItem a_fileEnd[] = {
        {ID_FILE_PRINT_SETUP, "Print set&up...", "Choose the printer and the page"},
        {0, nullptr, nullptr},
        {ID_FILE_SEND_MAIL, "Sen&d...", "Mail the event file"},
        {ID_SEND_SELECTION_MAIL, "E-mail: Selec&tion...", "Send email to selected participants or groups"},
        {ID_SEND_GROUP_MEMBER_MAIL, "E-mail: &Group members...", "Send mail to all selected group members"},
        {0, nullptr, nullptr},
    };
    add_items(p_file, RVX_ITEMS(a_fileEnd));
    pRecentMenu = new wxMenu;
    p_file->AppendSubMenu(pRecentMenu, "Recent &files");
    p_file->AppendSeparator();
    const MenuItem a_exit[] = {{ID_APP_EXIT, "E&xit", "Quit the program, asking to save the event"}};
    add_items(p_file, RVX_ITEMS(a_exit));
    for (UINT u = ID_FILE_MRU_FILE1; u <= ID_FILE_MRU_FILE4; ++u)
        sCommandIds.insert(CommandWxId(u));

    auto* p_event = new wxMenu;
    add_items(p_event, RVX_ITEMS(aEventMenu));
    auto* p_edit = new wxMenu;
    add_items(p_edit, RVX_ITEMS(aEditMenu));
    auto* p_view = new wxMenu;
    add_items(p_view, RVX_ITEMS(aViewMenu));
    auto* p_options = new wxMenu;
    add_items(p_options, RVX_ITEMS(aOptionsMenu));
    auto* p_help = new wxMenu;
    add_items(p_help, RVX_ITEMS(aHelpMenu));
#undef RVX_ITEMS

    auto* p_bar = new wxMenuBar;
    p_bar->Append(p_file, "&File");
    p_bar->Append(p_edit, "E&dit");
    p_bar->Append(p_event, "&Event");
    p_bar->Append(p_view, "&View");
    p_bar->Append(p_options, "&Options");
    p_bar->Append(p_help, "&Help");
    SetMenuBar(p_bar);

    // Commands with keys of their own and no menu item.
    wxAcceleratorEntry a_keys[] = {
        {wxACCEL_CTRL, 'R', CommandWxId(EventDoc::ID_ROSTER_PARTICIPANTS_TOOL)},
    };
    SetAcceleratorTable(wxAcceleratorTable(1, a_keys));
    sCommandIds.insert(CommandWxId(EventDoc::ID_ROSTER_PARTICIPANTS_TOOL));
    sCommandIds.insert(CommandWxId(ID_DEFAULT_HELP));
}

bool CMainFrame::CreateToolBarAndStatus()
{
    wxToolBar* p_tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TOP);
    if (p_tools == nullptr)
        return false;
    p_tools->SetToolBitmapSize(wxSize(16, 16));
    for (const ToolButton& button : aToolButtons) {
        if (button.uCommand == 0) {
            p_tools->AddSeparator();
            continue;
        }
        const int i_id = CommandWxId(button.uCommand);
        wxString s_prompt;
        if (wxMenuItem* p_item = GetMenuBar()->FindItem(i_id))
            s_prompt = p_item->GetHelp();
        p_tools->AddTool(i_id, button.pTip, ToolbarBitmap(button.uCommand), button.pTip, wxITEM_NORMAL);
        p_tools->SetToolLongHelp(i_id, s_prompt);
        sCommandIds.insert(i_id);
    }
    if (!p_tools->Realize())
        return false;

    wxStatusBar* p_status = CreateStatusBar(e_status_panes);
    if (p_status == nullptr)
        return false;
    const int a_widths[e_status_panes] = {-1, 50, 50};
    p_status->SetStatusWidths(e_status_panes, a_widths);
    SetStatusBarPane(e_status_message);
    SetStatusText("Ready", e_status_message);
    return true;
}

namespace {

// The toolkit's message bar paints a new text at once, for a text put up
// before a long step; but that paints the whole window, before the window
// is laid out anew after the command that set the text, and a timetable's
// new day tabs would be drawn before they have a size. Here the rest of
// the window is held still while the bar paints: it is painted after the
// layout, as always.
class CMessageBar : public wxStatusBar {
public:
    using wxStatusBar::wxStatusBar;

protected:
    void DoUpdateStatusText(int i_pane) override
    {
        wxRect rc_pane;
        if (!GetFieldRect(i_pane, rc_pane))
            return;
        RefreshRect(rc_pane);
        std::vector<wxWindow*> v_held;
        for (wxWindow* p_window : GetParent()->GetChildren()) {
            if (p_window != this && !p_window->IsTopLevel() && p_window->IsShown()) {
                p_window->Freeze();
                v_held.push_back(p_window);
            }
        }
        Update();
        for (wxWindow* p_window : v_held)
            p_window->Thaw();
    }
};

} // namespace

wxStatusBar* CMainFrame::OnCreateStatusBar(int n_panes, long l_style, wxWindowID i_id, const wxString& s_name)
{
    auto* p_bar = new CMessageBar(this, i_id, l_style, s_name);
    p_bar->SetFieldsCount(n_panes);
    return p_bar;
}

void CMainFrame::UpdateIndicators()
{
    wxStatusBar* p_status = GetStatusBar();
    if (p_status == nullptr)
        return;
    const std::pair<int, wxKeyCode> a_keys[] = {{e_status_caps, WXK_CAPITAL}, {e_status_num, WXK_NUMLOCK}};
    const char* a_names[] = {"", "CAP", "NUM"};
    for (const auto& [i_pane, e_key] : a_keys) {
        const wxString s_text = wxGetKeyState(e_key) ? a_names[i_pane] : "";
        if (p_status->GetStatusText(i_pane) != s_text)
            p_status->SetStatusText(s_text, i_pane);
    }
}

void CMainFrame::UpdateTimetableMessage()
{
    if (Document.BuiltMessageHolds())
        return;
    Document.ForgetBuiltMessage();
    wxStatusBar* p_status = GetStatusBar();
    if (p_status != nullptr && p_status->GetStatusText(e_status_message) == CEventDocument::BuiltMessage())
        p_status->SetStatusText("Ready", e_status_message);
}

void CMainFrame::UpdateTitle()
{
    const wxString s_title = wxString::FromUTF8(Document.GetDisplayTitle()) + " - "
        + wxString::FromUTF8(AppSettings::GetDocString(AppSettings::e_window_title));
    if (GetTitle() != s_title)
        SetTitle(s_title);
}

// ---- panes ----

bool CMainFrame::CreatePanes()
{
    pColumns = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE | wxSP_3D);
    for (int i = 0; i < 2; ++i) {
        aRows[i] = new wxSplitterWindow(pColumns, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxSP_LIVE_UPDATE | wxSP_3D);
        aRows[i]->SetMinimumPaneSize(20);
        aRows[i]->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, &CMainFrame::OnRowSashMoved, this);
    }
    pColumns->SetMinimumPaneSize(20);

    for (const PaneMaking& pane : aPaneMakings) {
        const int i_id = WxId(uFirstPaneId + 16 * pane.iRow + pane.iCol);
        wxWindow* p_parent = aRows[pane.iCol];
        wxWindow* p_pane = WindowClasses::Create(pane.pClass, p_parent, i_id);
        if (p_pane == nullptr)
            p_pane = new wxPanel(p_parent, i_id, wxDefaultPosition, wxSize(pane.iSize, pane.iSize), wxBORDER_THEME);
        p_pane->SetInitialSize(wxSize(pane.iSize, pane.iSize));
        aPanes[pane.iRow][pane.iCol] = p_pane;
    }
    for (int i = 0; i < 2; ++i)
        aRows[i]->SplitHorizontally(aPanes[0][i], aPanes[1][i], aPaneMakings[0].iSize);
    pColumns->SplitVertically(aRows[0], aRows[1], aPaneMakings[0].iSize);
    SizeFirstColumn();
    SetMinimumSize();
    if (wxView* p_venues = FindView(kVenueView, false))
        SetActiveView(p_venues);
    return true;
}

void CMainFrame::SizeFirstColumn()
{
    auto* p_venues = dynamic_cast<IFramePane*>(FindView(kVenueView, false));
    if (p_venues == nullptr)
        return;
    const std::vector<int> v_widths = p_venues->GetPaneColumnWidths();
    int i_ideal = 0;
    int i_min = 0;
    for (std::size_t i = 0; i < v_widths.size(); ++i) {
        i_ideal += v_widths[i] + 20;
        if (i < 2)
            i_min += v_widths[i] + 20;
    }
    if (i_ideal <= 0)
        return;
    pColumns->SetMinimumPaneSize(std::max(20, i_min));
    pColumns->SetSashPosition(i_ideal);
}

void CMainFrame::SetMinimumSize()
{
    // Every pane keeps room for a few rows of its list, and the timetable
    // for its day tabs, its headers and a few timeslots; the window keeps
    // room for the toolbar's every button, so that none of them goes into
    // an overflow menu.
    const int i_row_min = nPaneRowsMin * GetCharHeight();
    for (wxSplitterWindow* p_rows : aRows)
        p_rows->SetMinimumPaneSize(i_row_min);
    const int i_column_min = std::max(pColumns->GetMinimumPaneSize(), nPaneColumnCharsMin * GetCharWidth());
    pColumns->SetMinimumPaneSize(i_column_min);
    int i_width = 2 * i_column_min + pColumns->GetSashSize();
    if (wxToolBar* p_tools = GetToolBar())
        i_width = std::max(i_width, p_tools->GetBestSize().x);
    const int i_height = 2 * i_row_min + aRows[0]->GetSashSize();
    szMinClient = wxSize(i_width, i_height);
    SetMinClientSize(szMinClient);
}

void CMainFrame::OnSize(wxSizeEvent& event)
{
    event.Skip();
    // The window's borders are known only some time after it is shown,
    // and a minimum set before that may leave the client area a little
    // short: set again, with the borders as they now are.
    const wxSize sz_client = GetClientSize();
    if (szMinClient.x > 0 && (sz_client.x < szMinClient.x || sz_client.y < szMinClient.y) && IsShownOnScreen()) {
        SetMinClientSize(szMinClient);
        SetClientSize(sz_client.x < szMinClient.x ? szMinClient.x : sz_client.x,
                      sz_client.y < szMinClient.y ? szMinClient.y : sz_client.y);
    }
}

void CMainFrame::OnRowSashMoved(wxSplitterEvent& event)
{
    // The two columns share their row heights, as one grid of panes would.
    for (wxSplitterWindow* p_rows : aRows) {
        if (p_rows != event.GetEventObject() && p_rows->GetSashPosition() != event.GetSashPosition())
            p_rows->SetSashPosition(event.GetSashPosition());
    }
    event.Skip();
}

wxView* CMainFrame::GetPaneView(int i_row, int i_col) const
{
    wxWindow* p_pane = aPanes[i_row][i_col];
    if (p_pane == nullptr || bViewsDeleted)
        return nullptr;
    for (wxList::compatibility_iterator node = Document.GetViews().GetFirst(); node; node = node->GetNext()) {
        auto* p_view = static_cast<wxView*>(node->GetData());
        if (p_view->GetFrame() == p_pane)
            return p_view;
    }
    return nullptr;
}

wxView* CMainFrame::FindView(const std::string& s_className, bool b_activate)
{
    // A view is of the class by wx's run-time classes (derived ones too),
    // or by the run-time class name it gives the model.
    const wxClassInfo* p_info = wxClassInfo::FindClass(wxString::FromUTF8(s_className));
    for (int i_row = 0; i_row < 2; ++i_row) {
        for (int i_col = 0; i_col < 2; ++i_col) {
            wxView* p_view = GetPaneView(i_row, i_col);
            if (p_view == nullptr)
                continue;
            const auto* p_shellView = dynamic_cast<const IShellView*>(p_view);
            if ((p_info != nullptr && p_view->IsKindOf(p_info))
                || (p_shellView != nullptr && p_shellView->GetClassName() == s_className)) {
                if (b_activate) {
                    SetActiveView(p_view);
                    aPanes[i_row][i_col]->SetFocus();
                }
                return p_view;
            }
        }
    }
    return nullptr;
}

IFramePane* CMainFrame::FindPane(const std::string& s_className, BOOL b_activate)
{
    return dynamic_cast<IFramePane*>(FindView(s_className, b_activate != FALSE));
}

void CMainFrame::SetActiveView(wxView* p_view)
{
    if (p_view == pActiveView)
        return;
    pActiveView = p_view;
    if (wxDocManager* p_manager = Document.GetDocumentManager())
        p_manager->ActivateView(p_view, p_view != nullptr);
}

void CMainFrame::DeleteViews()
{
    if (bViewsDeleted)
        return;
    SetActiveView(nullptr);
    std::vector<wxView*> v_views;
    for (int i_row = 0; i_row < 2; ++i_row)
        for (int i_col = 0; i_col < 2; ++i_col)
            if (wxView* p_view = GetPaneView(i_row, i_col))
                v_views.push_back(p_view);
    bViewsDeleted = true;
    for (wxView* p_view : v_views)
        delete p_view;
}

void CMainFrame::OnChildFocus(wxChildFocusEvent& event)
{
    // The pane that holds the focus has the active view.
    for (wxWindow* p = event.GetWindow(); p != nullptr && p != this; p = p->GetParent()) {
        for (int i_row = 0; i_row < 2; ++i_row)
            for (int i_col = 0; i_col < 2; ++i_col)
                if (aPanes[i_row][i_col] == p) {
                    if (wxView* p_view = GetPaneView(i_row, i_col))
                        SetActiveView(p_view);
                    event.Skip();
                    return;
                }
    }
    event.Skip();
}

void CMainFrame::FocusNextPane(bool b_backward)
{
    constexpr int n_panes = 4;
    int i_current = -1;
    for (wxWindow* p = wxWindow::FindFocus(); p != nullptr && i_current < 0 && p != this; p = p->GetParent())
        for (int i = 0; i < n_panes; ++i)
            if (aPanes[i / 2][i % 2] == p)
                i_current = i;
    for (int n = 1; n <= n_panes; ++n) {
        const int i_start = i_current < 0 ? (b_backward ? 0 : n_panes - 1) : i_current;
        const int i = (i_start + (b_backward ? n_panes - n : n)) % n_panes;
        wxWindow* p_pane = aPanes[i / 2][i % 2];
        if (p_pane == nullptr || !p_pane->IsShownOnScreen())
            continue;
        if (wxView* p_view = GetPaneView(i / 2, i % 2))
            SetActiveView(p_view);
        p_pane->SetFocus();
        return;
    }
}

void CMainFrame::OnCharHook(wxKeyEvent& event)
{
    // Whatever pane holds the focus, these keys move on to the next one,
    // so that no pane keeps the keyboard.
    const int i_key = event.GetKeyCode();
    const bool b_f6 = i_key == WXK_F6 && !event.ControlDown() && !event.AltDown();
    const bool b_ctrl_tab = i_key == WXK_TAB && event.ControlDown() && !event.AltDown();
    if (b_f6 || b_ctrl_tab) {
        FocusNextPane(event.ShiftDown());
        return;
    }
    event.Skip();
}

// ---- routing ----

bool CMainFrame::TryBefore(wxEvent& event)
{
    const wxEventType e_type = event.GetEventType();
    if (e_type == wxEVT_MENU || e_type == wxEVT_UPDATE_UI) {
        if (pActiveView != nullptr && pActiveView->ProcessEventLocally(event))
            return true;
        if (Document.ProcessEventLocally(event))
            return true;
    }
    return wxFrame::TryBefore(event);
}

bool CMainFrame::TryAfter(wxEvent& event)
{
    if (wxFrame::TryAfter(event))
        return true;
    // A command that nobody answers for is disabled.
    if (event.GetEventType() == wxEVT_UPDATE_UI && sCommandIds.count(event.GetId()) != 0) {
        static_cast<wxUpdateUIEvent&>(event).Enable(false);
        return true;
    }
    return false;
}

bool CMainFrame::IsCommandEnabled(UINT u_command, bool* p_checked)
{
    wxUpdateUIEvent event(CommandWxId(u_command));
    event.SetEventObject(this);
    ProcessWindowEvent(event);
    if (p_checked != nullptr)
        *p_checked = event.GetSetChecked() && event.GetChecked();
    return !event.GetSetEnabled() || event.GetEnabled();
}

bool CMainFrame::RunCommand(UINT u_command)
{
    if (!IsCommandEnabled(u_command))
        return false;
    wxCommandEvent event(wxEVT_MENU, CommandWxId(u_command));
    event.SetEventObject(this);
    ProcessWindowEvent(event);
    return true;
}

void CMainFrame::PostCommand(UINT u_command)
{
    CallAfter([this, u_command] { RunCommand(u_command); });
}

void CMainFrame::Forward(const char* p_class, UINT u_command)
{
    wxView* p_view = FindView(p_class, true);
    if (p_view == nullptr)
        return;
    wxCommandEvent event(wxEVT_MENU, CommandWxId(u_command));
    event.SetEventObject(this);
    p_view->ProcessEventLocally(event);
}

bool CMainFrame::HasView(const char* p_class)
{
    return FindView(p_class, false) != nullptr;
}

int CMainFrame::PaneItemCount(const char* p_class)
{
    auto* p_pane = dynamic_cast<IFramePane*>(FindView(p_class, false));
    return p_pane != nullptr ? p_pane->GetPaneItemCount() : 0;
}

bool CMainFrame::IsPrintable()
{
    return IsTimetablePrintable(&Document.GetEvent()) != FALSE;
}

void CMainFrame::OpenDocument(const std::string& s_path)
{
    if (!GetDesktopPort().Open(s_path))
        ShowMessageBox("Cannot display file '" + s_path + "'", MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::BindCommands()
{
    // Prints, previews and adds go to their pane's view.
    for (const Forwarding& f : aForwardings) {
        const int i_id = CommandWxId(f.uCommand);
        Bind(
            wxEVT_MENU,
            [this, f](wxCommandEvent&) {
                Pending.Previewed(f.uCommand);
                Forward(f.pClass, f.uSent);
            },
            i_id);
        Bind(
            wxEVT_UPDATE_UI,
            [this, f](wxUpdateUIEvent& event) {
                bool b_enabled = HasView(f.pClass);
                if (f.eRule == Forwarding::e_printable)
                    b_enabled = b_enabled && IsPrintable();
                else if (f.eRule == Forwarding::e_items)
                    b_enabled = b_enabled && PaneItemCount(f.pClass) > 0;
                event.Enable(b_enabled);
            },
            i_id);
    }

    // The framework's print prints what the last preview showed.
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (Pending.IsSet())
                RunCommand(Pending.GetPrintCommand());
        },
        CommandWxId(ID_FILE_PRINT));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(Pending.IsSet() != FALSE); },
        CommandWxId(ID_FILE_PRINT));

    // Help documents.
    auto bind_document = [this](UINT u_command, std::string CRotavexApp::*p_path) {
        Bind(
            wxEVT_MENU,
            [this, p_path](wxCommandEvent&) {
                if (CRotavexApp* p_app = TheApp())
                    OpenDocument(p_app->*p_path);
            },
            CommandWxId(u_command));
        Bind(
            wxEVT_UPDATE_UI,
            [p_path](wxUpdateUIEvent& event) {
                CRotavexApp* p_app = TheApp();
                event.Enable(p_app != nullptr && !(p_app->*p_path).empty());
            },
            CommandWxId(u_command));
    };
    bind_document(ID_HELP_LICENCE, &CRotavexApp::License);
    bind_document(ID_HELP_USER_GUIDE, &CRotavexApp::UserGuide);
    bind_document(ID_HELP_RELEASE_NOTES, &CRotavexApp::RelNotes);
    // There is no help file: the help commands open the user guide.
    for (const UINT u : {ID_HELP_FINDER, ID_HELP, ID_CONTEXT_HELP, ID_DEFAULT_HELP})
        bind_document(u, &CRotavexApp::UserGuide);

    // Exports.
    for (const UINT u : {ID_EXPORT_TEXT, ID_EXPORT_HTML}) {
        Bind(
            wxEVT_MENU, [this, u](wxCommandEvent&) { GetExportPort().Export(u, Document.GetEvent()); },
            CommandWxId(u));
        Bind(
            wxEVT_UPDATE_UI, [u](wxUpdateUIEvent& event) { event.Enable(GetExportPort().CanExport(u) != FALSE); },
            CommandWxId(u));
    }

    // The reset of the views.
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            EventDoc& doc = Document.GetEvent();
            doc.InvalidateItemListViews();
            doc.UpdateViews(UpdateViewHint::e_general);
            doc.SetModifiedFlag();
        },
        CommandWxId(ID_RESET_VIEWS));
    Bind(
        wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, CommandWxId(ID_RESET_VIEWS));

    // The two options of the settings store.
    const std::pair<UINT, std::pair<BOOL (*)(), void (*)(BOOL)>> a_options[] = {
        {ID_OPEN_LAST, {AppSettings::GetOpenLast, AppSettings::SetOpenLast}},
        {ID_PREPEND_SMTP, {AppSettings::GetPrependSMTP, AppSettings::SetPrependSMTP}},
    };
    for (const auto& [u_command, option] : a_options) {
        const auto f_get = option.first;
        const auto f_set = option.second;
        Bind(
            wxEVT_MENU, [f_get, f_set](wxCommandEvent&) { f_set(!f_get()); }, CommandWxId(u_command));
        Bind(
            wxEVT_UPDATE_UI,
            [f_get](wxUpdateUIEvent& event) {
                event.Enable(true);
                event.Check(f_get() != FALSE);
            },
            CommandWxId(u_command));
    }

    // Imports.
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { FrameImports::ImportFromFile(*this, &Document.GetEvent()); },
        CommandWxId(ID_IMPORT_FILE));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { FrameImports::ImportFromWeb(*this, &Document.GetEvent()); },
        CommandWxId(ID_IMPORT_WEB));
    for (const UINT u : {ID_IMPORT_FILE, ID_IMPORT_WEB})
        Bind(
            wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(FrameImports::CanImport(*this) != FALSE); },
            CommandWxId(u));

    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    Bind(wxEVT_CHILD_FOCUS, &CMainFrame::OnChildFocus, this);
    Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnSize, this);
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    // The menu bar, the toolbar and the status bar have their heights once
    // the window is on screen: only then does the least client size give
    // the least window size.
    if (!bMinimumSizeSet && IsShownOnScreen()) {
        bMinimumSizeSet = true;
        SetMinimumSize();
    }
    UpdateTitle();
    UpdateIndicators();
    UpdateTimetableMessage();
    event.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !Document.OnSaveModified()) {
        event.Veto();
        return;
    }
    DeleteViews();
    Destroy();
}
