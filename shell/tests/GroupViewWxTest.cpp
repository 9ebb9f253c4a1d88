// The group pane in the program, in-process under a virtual display, over a
// generated event: a header click sorts, Add and a walk over three selected
// groups go through the group sheet, rostering preferences are applied to
// the selection, a groups file comes in through the import wizard (and a
// large one, cancelled in its progress window, leaves the event as it was),
// and group labels are previewed on a stock picked in the label chooser.
//
// With ROTAVEX_SHOW_SECONDS set, the windows stay on screen that long at
// each stage, for screenshots.
#include "framework/FileDialog.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/frame/CommandIds.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/GroupView.h"
#include "shell/frame/ListPorts.h"
#include "shell/lists/LabelStockDlg.h"
#include "shell/frame/MainFrm.h"
#include "shell/lists/MesgListDisplay.h"
#include "shell/frame/PaneView.h"
#include "output/RecipientMail.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "shell/frame/WxCommands.h"
#include "sheets/GroupMembPPage.h"
#include "sheets/GroupPSheet.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/GroupStyleFacilityPPage.h"
#include "app/InstallSheets.h"
#include "shell/editing/PageToolBarRules.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"
#include "testsupport/ProgramFolder.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/import/ui/ZelImportWizard.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <unistd.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/print.h>
#include <wx/timer.h>

namespace fs = std::filesystem;
using testevent::EventBuilder;

namespace {

// The group pane with its sheets, as the program has them.
void InstallGroupPaneParts()
{
    InstallImportErrorsDialog();
    InstallSheets();
}

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment(&InstallGroupPaneParts));

// Keeps the windows up for a look from inside a modal loop as well.
void ShowPaneAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            // Inside a modal dialog's loop too: its windows get painted.
            if (wxEventLoopBase* p_loop = wxEventLoopBase::GetActive())
                p_loop->YieldFor(wxEVT_CATEGORY_ALL);
            else
                wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

// Plays one step per group sheet that opens, in turn, each step ending its
// sheet; the names of the groups the sheets opened on are collected.
void PlaySheets(std::vector<std::function<void(GroupPSheet&)>> v_steps, std::vector<std::string>* p_opened)
{
    if (v_steps.empty())
        return;
    WhenShown<GroupPSheet>([v_steps, p_opened](GroupPSheet& sheet) {
        p_opened->push_back(sheet.GetWorkingGroup().GetName());
        PlaySheets(std::vector<std::function<void(GroupPSheet&)>>(v_steps.begin() + 1, v_steps.end()), p_opened);
        v_steps.front()(sheet);
    });
}

// A desktop with a mail composer that records the recipients.
class RecordingComposer : public IMailComposerPort {
public:
    RecordingComposer() { pPrevious = SetMailComposerPort(this); }
    ~RecordingComposer() override { SetMailComposerPort(pPrevious); }
    BOOL IsAvailable() override { return TRUE; }
    BOOL Compose(const std::vector<std::string>& a_addresses, const std::string&) override
    {
        vSent.push_back(a_addresses);
        return TRUE;
    }
    std::vector<std::vector<std::string>> vSent;

private:
    IMailComposerPort* pPrevious;
};

class GroupViewWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-groupview");
        fs::copy_file(fs::path(ROTAVEX_DATA_DIR) / "Standard.ldf", fsFolder / "Standard.ldf");
        {
            EventBuilder event;
            event.Name("Spring fair")
                .Days({"Sat"})
                .Slots(-1, {"09:00-10:00", "10:00-11:00"})
                .TwentyFourHour()
                .Venue("Hall")
                .Style("Folk")
                .Participant("Ann Lee")
                .Participant("Bob Ray");
            const char* a_groups[][4] = {
                {"Strings", "Sue Day", "1 Mill Lane", "AB1 2CD"},
                {"Choir", "Ann Lee", "The Old Rectory", "CH4 9XY"},
                {"Dancers", "Cal Fox", "22 High Street", "DN7 1AA"},
                {"Band", "Bob Ray", "Flat 3, Wharf Road", "BR2 3ZZ"},
            };
            for (const auto& a : a_groups)
                event.Group(a[0], [&a](Group& g) {
                    g.GetContact().SetName(a[1]);
                    g.GetAddress().SetAddrLine1(a[2]);
                    g.GetAddress().SetAddrLine2("Millbrook");
                    g.GetAddress().SetPostCode(a[3]);
                });
            ASSERT_TRUE(event.Doc().OnSaveDocument((fsFolder / "fair.eve").string()));
        }
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterGroupView());
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "fair.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
    }
    void TearDown() override
    {
        // Nothing to save on the way out.
        if (CEventDocument* p_doc = TheApp()->GetDocument()) {
            p_doc->GetEvent().SetModifiedFlag(false);
            p_doc->Modify(false);
        }
        TheApp()->ShutDown();
        WindowClasses::Unregister(kGroupView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    GroupView* View() { return dynamic_cast<GroupView*>(Frame().GetPaneView(1, 0)); }
    ZelListModel& List() { return View()->GetList(); }
    bool Run(UINT u_command)
    {
        const bool b_ran = Frame().RunCommand(u_command);
        Pump();
        return b_ran;
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> v;
        for (int i = 0; i < List().GetItemCount(); ++i)
            v.push_back(View()->GetListText(i, 0));
        return v;
    }
    void Select(std::initializer_list<int> a_rows)
    {
        View()->Click(-1, FALSE, FALSE);
        for (int i_row : a_rows)
            View()->Click(i_row, FALSE, TRUE);
        Pump();
    }

    ScriptedMessageBox Boxes;
    fs::path fsFolder;
};

TEST_F(GroupViewWxTest, SortsAddsChangesAndAppliesPreferences)
{
    ASSERT_NE(View(), nullptr) << "the group pane holds the group view";
    EXPECT_EQ(List().GetColumnCount(), 9);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Strings", "Choir", "Dancers", "Band"}));

    ZelNMListView nm;
    nm.iSubItem = 0;
    ZelSendNotify(View()->GetListCtrl(), LVN_COLUMNCLICK, &nm);
    Pump();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Band", "Choir", "Dancers", "Strings"}));

    // Add through the group sheet: name, contact, a new style and two
    // members.
    std::vector<std::string> v_opened;
    PlaySheets({[](GroupPSheet& s) {
                   TypeInLoop(s, IDC_GROUP_NAME, "Brass");
                   TypeInLoop(s, IDC_GROUP_CONTACT, "Dee Hart");
                   GroupStyleFacilityPPage& styles = *s.GetStyleFacilityPage();
                   ShowPage(s, &styles);
                   ZelEditListCtrl& list = styles.GetList(StyleFacilityRules::e_styles);
                   wxCommandEvent tool(wxEVT_MENU, WxId(static_cast<UINT>(ID_PAGE_NEW)));
                   for (const auto& def : styles.GetToolBars())
                       if (def.iOwnerId == IDC_STYLE_LIST)
                           tool.SetEventObject(def.pToolBar);
                   styles.GetEventHandler()->ProcessEvent(tool);
                   ASSERT_TRUE(list.IsEditing());
                   auto* p_editor = wxDynamicCast(list.GetEditor(), wxTextCtrl);
                   ASSERT_NE(p_editor, nullptr);
                   p_editor->SetValue("Blues");
                   EXPECT_TRUE(list.EndEdit());
                   Pump();
                   GroupMembPPage& members = *s.GetMembersPage();
                   ShowPage(s, &members);
                   ZelListModel& people = members.GetParticipantsList();
                   people.UnselectAll();
                   for (int i = 0; i < people.GetItemCount(); ++i)
                       people.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
                   PressInLoop(s, IDC_GROUP_MEMBER_ADD);
                   Pump();
                   ShowPaneAWhile();
                   PressInLoop(s, wxID_OK);
               }},
               &v_opened);
    EXPECT_TRUE(Run(ID_ADD_GROUP));
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes().front().sText;
    const int i_brass = Doc().GetGroups().FindByName("Brass");
    ASSERT_GE(i_brass, 0);
    const Group& brass = Doc().GetGroups().GetAt(i_brass);
    EXPECT_EQ(brass.GetContact().GetName(), "Dee Hart");
    ASSERT_GE(Doc().GetStyles().FindByName("Blues"), 0);
    EXPECT_GE(brass.GetStyles().Find(Doc().GetStyles()[Doc().GetStyles().FindByName("Blues")].GetKey()), 0);
    EXPECT_EQ(brass.GetMembers().GetSize(), 2);
    EXPECT_EQ(List().GetItemCount(), 5);
    EXPECT_EQ(Names().front(), "Band") << "the list stays sorted";
    ShowPaneAWhile();

    // Three selected groups, walked with Next and Previous in the sheet;
    // the last offers no Next, and OK ends the walk.
    Select({1, 2, 3});
    const auto fax_then = [](const char* p_fax, int i_press) {
        return [p_fax, i_press](GroupPSheet& s) {
            if (p_fax != nullptr)
                TypeInLoop(s, IDC_GROUP_FAX, p_fax);
            PressInLoop(s, i_press);
        };
    };
    v_opened.clear();
    PlaySheets({fax_then("111", IDC_SHEET_NEXT), fax_then("222", IDC_SHEET_PREVIOUS), fax_then(nullptr, IDC_SHEET_NEXT),
                fax_then(nullptr, IDC_SHEET_NEXT), fax_then("333", wxID_OK)},
               &v_opened);
    View()->ChangeSelected();
    Pump();
    EXPECT_EQ(v_opened, (std::vector<std::string>{"Brass", "Choir", "Brass", "Choir", "Dancers"}));
    EXPECT_EQ(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Brass")).GetFax(), "111");
    EXPECT_EQ(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Choir")).GetFax(), "222");
    EXPECT_EQ(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Dancers")).GetFax(), "333");

    // Rostering preferences for the selection.
    Preferences prefs = Doc().GetPreferences();
    prefs.SetMaxGroupSize(12);
    Doc().SetPreferences(prefs, FALSE);
    Select({0, 4});
    Frame().FindView(kGroupView, true);
    EXPECT_TRUE(Run(GroupView::ID_APPLY_ROSTER_PREFS));
    EXPECT_EQ(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Band")).GetMaxGroupSize(), 12);
    EXPECT_EQ(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Strings")).GetMaxGroupSize(), 12);
    EXPECT_NE(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Choir")).GetMaxGroupSize(), 12);
    EXPECT_TRUE(Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Band")).IsSelected());
    Select({});
    EXPECT_FALSE(Run(GroupView::ID_APPLY_ROSTER_PREFS)) << "nothing selected";
    ShowPaneAWhile();
}

TEST_F(GroupViewWxTest, ContextMenuAndMailFollowTheSelection)
{
    RecordingComposer composer;
    Frame().FindView(kGroupView, true);
    Select({});
    std::unique_ptr<wxMenu> p_menu = View()->MakeContextMenu();
    int n_enabled = 0;
    for (wxMenuItem* p_item : p_menu->GetMenuItems())
        n_enabled += !p_item->IsSeparator() && p_item->IsEnabled() ? 1 : 0;
    EXPECT_EQ(p_menu->GetMenuItemCount(), 4u);
    EXPECT_EQ(n_enabled, 0);
    EXPECT_FALSE(Frame().IsCommandEnabled(GroupView::ID_SEND_MAIL));

    // Groups without addresses give no recipients; with addresses, one
    // mail to each address once.
    Select({0, 1});
    EXPECT_FALSE(Frame().IsCommandEnabled(GroupView::ID_SEND_MAIL));
    for (int i = 0; i < Doc().GetGroups().GetNumGroups(); ++i)
        Doc().GetGroups().GetAt(i).SetEmail(i < 2 ? "same@example.org" : "other@example.org");
    EXPECT_TRUE(Frame().IsCommandEnabled(GroupView::ID_SEND_MAIL));
    EXPECT_FALSE(Frame().IsCommandEnabled(GroupView::ID_SEND_MEMBER_MAIL)) << "no members";
    EXPECT_TRUE(Run(GroupView::ID_SEND_MAIL));
    ASSERT_EQ(composer.vSent.size(), 1u);
    EXPECT_EQ(composer.vSent[0], (std::vector<std::string>{"same@example.org"}));
    p_menu = View()->MakeContextMenu();
    EXPECT_TRUE(p_menu->FindItem(CommandWxId(ID_LIST_CHANGE))->IsEnabled());
}

TEST_F(GroupViewWxTest, ImportsAGroupsFileThroughTheWizard)
{
    const std::string s_path = (fsFolder / "groups.csv").string();
    WriteFileAtomically(s_path, "Group Name,Contact Name,Styles,Group Members\r\n"
                                "Brass,Dee Hart,\"Jazz,Folk\",Smith (leader)\r\n"
                                ",Nobody,,\r\n"
                                "Choir,Ann Lee,,\r\n");
    std::vector<std::string> v_rows;
    WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
        // From the first step (the text is delimited) to the columns.
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        const char* a_fields[] = {"Group Name", "Contact Name", "Styles", "Group Members"};
        for (int i = 0; i < 4; ++i)
            ChooseField(*p_list, i, a_fields[i]);
        ShowPaneAWhile();
        WhenShown<ILVImportErrorsDlg>([&](ILVImportErrorsDlg& dlg) {
            Pump();
            for (int i = 0; i < dlg.GetRows().GetSize(); ++i)
                v_rows.push_back(dlg.GetRows()[i][0] + "|" + dlg.GetRows()[i][1]);
            ShowPaneAWhile();
            PressInLoop(dlg, ZelReportDlg::IDC_ZEL_REPORT_OK);
        });
        PressInLoop(wizard, ZelSizingPropSheet::ID_WIZFINISH);
    });
    View()->ImportFromFile("file", "groups.csv", s_path);
    Pump();

    const int i_brass = Doc().GetGroups().FindByName("Brass");
    ASSERT_GE(i_brass, 0);
    const Group& brass = Doc().GetGroups().GetAt(i_brass);
    EXPECT_EQ(brass.GetStyles().GetCount(), 2);
    EXPECT_GE(Doc().GetStyles().FindByName("Jazz"), 0);
    EXPECT_EQ(brass.GetMembers().GetSize(), 1);
    EXPECT_GE(Doc().GetGroups().FindByName("#2 Choir"), 0) << "the same name with other content";
    EXPECT_EQ(List().GetItemCount(), 6);
    EXPECT_EQ(v_rows, (std::vector<std::string>{"Row 2, item '', near line 3|'' is an invalid group"}));
}

// File > Import of 60,000 groups (each with a contact, a new style and a
// new member with a role): the wizard leaves the screen, the progress
// window comes up over the main window, which takes no input meanwhile;
// its Cancel leaves the event with its groups, participants, styles and
// roles, its timetable, unmodified, saving to the same bytes, and the pane
// with its rows.
TEST_F(GroupViewWxTest, ACancelledLargeImportLeavesTheEventAsItWas)
{
    const std::string s_path = (fsFolder / "many.csv").string();
    {
        std::string s_text = "Group Name,Contact Name,Styles,Group Members\n";
        for (int i = 0; i < 60000; ++i) {
            const std::string s_n = std::to_string(i);
            s_text += "Ensemble " + s_n + ",Robin Hale " + s_n + ",Style " + s_n + ",Pat Player" + s_n + " (Drummer"
                      + s_n + ")\n";
        }
        WriteFileAtomically(s_path, s_text);
    }
    Doc().SetModifiedFlag(false);
    TheApp()->GetDocument()->Modify(false);
    const std::vector<std::uint8_t> v_before = Doc().WriteEventFile();
    const int n_groups = Doc().GetGroups().GetNumGroups();
    const int n_participants = Doc().GetParticipants().GetNumParticipants();
    const int n_styles = Doc().GetStyles().GetCount();
    const int n_roles = Doc().GetParticipantRoles().GetCount();
    const int n_rows = List().GetItemCount();
    const Timetable* p_timetable = Doc().GetTimetable();

    ScriptedFileDialogs dialogs;
    dialogs.AnswerPath(s_path);
    bool b_progress = false, b_wizardShown = true, b_mainEnabled = true;
    int i_bar = -1;
    int n_looks = 0;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        ZelGeneralProgress* p_progress = nullptr;
        bool b_wizard = false;
        for (wxWindow* p_win : wxTopLevelWindows) {
            if (auto* p = dynamic_cast<ZelGeneralProgress*>(p_win); p != nullptr && p->IsShown())
                p_progress = p;
            b_wizard = b_wizard || (dynamic_cast<ZelImportWizard*>(p_win) != nullptr && p_win->IsShown());
        }
        if (p_progress == nullptr || ++n_looks < 3)
            return;
        b_progress = true;
        b_wizardShown = b_wizard;
        b_mainEnabled = Frame().IsEnabled();
        if (auto* p_bar = wxDynamicCast(p_progress->FindWindow(ZelGeneralProgress::IDC_ZEL_PROGRESS_BAR), wxGauge))
            i_bar = p_bar->GetValue();
        ShowPaneAWhile();
        timer.Stop();
        PressInLoop(*p_progress, wxID_CANCEL);
    });
    WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
        // From the first step (the text is delimited) to the columns.
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        const char* a_fields[] = {"Group Name", "Contact Name", "Styles", "Group Members"};
        for (int i = 0; i < 4; ++i)
            ChooseField(*p_list, i, a_fields[i]);
        timer.Start(20);
        PressInLoop(wizard, ZelSizingPropSheet::ID_WIZFINISH);
    });
    EXPECT_TRUE(Run(ID_IMPORT_FILE));
    timer.Stop();
    Pump();

    // The file dialog opened beside the event file.
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].sFolder, fsFolder.string());
    EXPECT_TRUE(b_progress) << "the progress window came up";
    EXPECT_FALSE(b_wizardShown) << "the wizard had left the screen";
    EXPECT_FALSE(b_mainEnabled) << "the main window takes no input under it";
    EXPECT_GT(i_bar, 0);
    EXPECT_LT(i_bar, 1000) << "cancelled part way";
    EXPECT_TRUE(Frame().IsEnabled());
    EXPECT_EQ(Doc().GetGroups().GetNumGroups(), n_groups);
    EXPECT_EQ(Doc().GetParticipants().GetNumParticipants(), n_participants);
    EXPECT_EQ(Doc().GetStyles().GetCount(), n_styles);
    EXPECT_EQ(Doc().GetParticipantRoles().GetCount(), n_roles);
    EXPECT_EQ(List().GetItemCount(), n_rows);
    EXPECT_EQ(Doc().GetTimetable(), p_timetable) << "not rebuilt";
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(TheApp()->GetDocument()->IsModified());
    EXPECT_TRUE(Boxes.Boxes().empty());
    EXPECT_EQ(Doc().WriteEventFile(), v_before);
}

TEST_F(GroupViewWxTest, LabelsOfAnEmptyListAreToldNothingToPrint)
{
    List().DeleteAllItems();
    // A chooser that shows all the same is noted and closed.
    bool b_chooser = false;
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&b_chooser](wxTimerEvent&) {
        if (auto* p_dlg = FindModal<LabelStockDlg>()) {
            b_chooser = true;
            p_dlg->EndModal(wxID_CANCEL);
        }
    });
    guard.Start(50);
    // The frame offers no label commands for an empty list; the view's
    // own print says why it prints nothing.
    EXPECT_FALSE(Run(ID_PREVIEW_GROUP_LABELS));
    for (const BOOL b_preview : {TRUE, FALSE}) {
        const std::set<wxWindow*> before(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
        Boxes.Clear();
        EXPECT_FALSE(View()->PrintJob(TRUE, b_preview));
        Pump();
        ASSERT_EQ(Boxes.Boxes().size(), 1u) << b_preview;
        EXPECT_EQ(Boxes.Boxes()[0].sText, "There is nothing to print.");
        for (wxWindow* p_win : wxTopLevelWindows)
            EXPECT_TRUE(before.count(p_win) == 1) << b_preview << ": a window opened";
    }
    guard.Stop();
    EXPECT_FALSE(b_chooser) << "no label stock is asked for";
}

TEST_F(GroupViewWxTest, PreviewsLabelsOnAStockPickedInTheChooser)
{
    bool b_okOnGroup = true;
    std::string s_picked;
    WhenShown<LabelStockDlg>([&](LabelStockDlg& dlg) {
        wxTreeCtrl* p_tree = dlg.GetTree();
        wxTreeItemIdValue cookie;
        const wxTreeItemId group = p_tree->GetFirstChild(p_tree->GetRootItem(), cookie);
        ASSERT_TRUE(group.IsOk());
        EXPECT_EQ(p_tree->GetItemText(group), "A4 sheets");
        p_tree->SelectItem(group);
        Pump();
        b_okOnGroup = dlg.GetOkButton()->IsEnabled();
        p_tree->Expand(group);
        wxTreeItemIdValue cookie2;
        wxTreeItemId stock = p_tree->GetFirstChild(group, cookie2);
        while (stock.IsOk() && !p_tree->GetItemText(stock).StartsWith("Address 2 x 7"))
            stock = p_tree->GetNextChild(group, cookie2);
        ASSERT_TRUE(stock.IsOk());
        p_tree->SelectItem(stock);
        p_tree->Expand(stock);
        Pump();
        s_picked = p_tree->GetItemText(stock).ToStdString();
        ShowPaneAWhile();
        PressInLoop(dlg, wxID_OK);
    });
    EXPECT_TRUE(Run(ID_PREVIEW_GROUP_LABELS));
    EXPECT_FALSE(b_okOnGroup);
    EXPECT_EQ(s_picked, "Address 2 x 7, 99.1 x 38.1 mm (14 labels)");
    EXPECT_EQ(View()->Stock.GetName(), "Address 2 x 7, 99.1 x 38.1 mm");
    EXPECT_EQ(View()->strStockGroup, "A4 sheets");
    wxPreviewFrame* p_preview = nullptr;
    for (wxWindow* p_win : wxTopLevelWindows)
        if (auto* p = dynamic_cast<wxPreviewFrame*>(p_win))
            p_preview = p;
    ASSERT_NE(p_preview, nullptr);
    Pump();
    ShowPaneAWhile();
    p_preview->Close(true);
    Pump();
}

// Labels printed through the toolkit's print dialog into a PDF file (each
// print in a process of its own): the dialog opens on the stock's own
// paper, so a US Letter stock prints on Letter pages and an A4 stock on A4
// pages, whatever the program printed on before.
TEST_F(GroupViewWxTest, LabelsPrintOnTheStocksOwnPaper)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const fs::path fs_out = fs::temp_directory_path() / ("rvx-labelpaper-" + std::to_string(getpid()));
    fs::remove_all(fs_out);
    fs::create_directories(fs_out);
    const struct {
        const char* pGroup;
        const char* pSize; // as pdfinfo gives it, in points
    } a_cases[] = {{"US Letter sheets", "612 x 792 pts"}, {"A4 sheets", "595.276 x 841.89 pts"}};
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pGroup);
        const fs::path fs_pdf = fs_out / (std::string(c.pGroup).substr(0, 2) + ".pdf");
        EXPECT_TRUE(ChildPassed(RunTestInChild("GroupViewWxTest.LabelPrintChild",
                                               {{"ROTAVEX_PDF_OUT", fs_pdf.string()}, {"ROTAVEX_STOCK_GROUP", c.pGroup}})));
        ASSERT_TRUE(fs::exists(fs_pdf)) << "the toolkit printed no file";
        const std::string s_info = CommandOutput("pdfinfo '" + fs_pdf.string() + "'");
        ASSERT_FALSE(s_info.empty()) << "pdfinfo (poppler-utils) is needed";
        EXPECT_NE(s_info.find(std::string("Page size:       ") + c.pSize), std::string::npos) << s_info;
    }
    fs::remove_all(fs_out);
}

// One print of the test above, in its own process: the first stock of the
// group, after a print setting of the other paper.
TEST_F(GroupViewWxTest, LabelPrintChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    const char* p_group = std::getenv("ROTAVEX_STOCK_GROUP");
    if (p_out == nullptr || p_group == nullptr)
        GTEST_SKIP() << "run by LabelsPrintOnTheStocksOwnPaper";
    const std::string s_group = p_group;
    TheApp()->GetPrintData().SetPaperId(s_group == "A4 sheets" ? wxPAPER_LETTER : wxPAPER_A4);
    std::string s_picked;
    WhenShown<LabelStockDlg>([&](LabelStockDlg& dlg) {
        wxTreeCtrl* p_tree = dlg.GetTree();
        wxTreeItemIdValue cookie;
        wxTreeItemId group = p_tree->GetFirstChild(p_tree->GetRootItem(), cookie);
        while (group.IsOk() && p_tree->GetItemText(group) != s_group)
            group = p_tree->GetNextChild(p_tree->GetRootItem(), cookie);
        ASSERT_TRUE(group.IsOk());
        p_tree->Expand(group);
        wxTreeItemIdValue cookie2;
        const wxTreeItemId stock = p_tree->GetFirstChild(group, cookie2);
        ASSERT_TRUE(stock.IsOk());
        p_tree->SelectItem(stock);
        Pump();
        s_picked = p_tree->GetItemText(stock).ToStdString();
        PressInLoop(dlg, wxID_OK);
    });
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    EXPECT_TRUE(Run(ID_PRINT_GROUP_LABELS));
    Pump();
    EXPECT_TRUE(answer.bAnswered);
    EXPECT_FALSE(s_picked.empty());
    EXPECT_EQ(View()->strStockGroup, s_group);
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes()[0].sText;
}

TEST_F(GroupViewWxTest, NoReadableLabelFileMeansNoLabels)
{
    // A damaged standard file and no custom file: nothing to choose from.
    WriteFileAtomically((fsFolder / "Standard.ldf").string(), std::string("\x01\x00\x00\x00\xff\xff", 6));
    EXPECT_TRUE(Run(ID_PREVIEW_GROUP_LABELS));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText,
              "Error code 10003.\nCannot find label definitions.\nContact your Support facility for this Product.");
    for (wxWindow* p_win : wxTopLevelWindows)
        EXPECT_EQ(dynamic_cast<wxPreviewFrame*>(p_win), nullptr) << "no preview";
}

TEST_F(GroupViewWxTest, PreviewsTheGroupListWithTheChosenColumns)
{
    ScriptedSelectColumns chooser;
    chooser.fAnswer = [](SelectColumnsData& data) {
        data.Selected.Add("Address 1");
        return IDOK;
    };
    EXPECT_TRUE(Run(ID_PREVIEW_GROUP_LIST));
    ASSERT_EQ(chooser.vShown.size(), 1u);
    // Stored nothing yet: the default columns that have text are chosen.
    std::vector<std::string> v_chosen;
    for (int i = 0; i < chooser.vShown[0].Selected.GetSize(); ++i)
        v_chosen.push_back(chooser.vShown[0].Selected[i]);
    EXPECT_EQ(v_chosen, (std::vector<std::string>{"Name", "Contact", "Address"}));
    const PrintIdSet& set = Doc().GetPrintOptions().GetGroupListSet();
    ASSERT_EQ(set.GetIds().GetSize(), 4);
    EXPECT_EQ(set.GetIds()[3], static_cast<UINT>(gfAddress1));
    wxPreviewFrame* p_preview = nullptr;
    for (wxWindow* p_win : wxTopLevelWindows)
        if (auto* p = dynamic_cast<wxPreviewFrame*>(p_win))
            p_preview = p;
    ASSERT_NE(p_preview, nullptr);
    Pump();
    ShowPaneAWhile();
    p_preview->Close(true);
    Pump();
}

} // namespace
