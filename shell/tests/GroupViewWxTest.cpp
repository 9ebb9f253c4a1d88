// The group pane in the program, in-process under a virtual display, over a
// generated event: a header click sorts, Add and a walk over three selected
// groups go through the group sheet, rostering preferences are applied to
// the selection, a groups file comes in through the import wizard, and
// group labels are previewed on a stock picked in the label chooser.
//
// With ROTAVEX_SHOW_SECONDS set, the windows stay on screen that long at
// each stage, for screenshots.
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/CommandIds.h"
#include "shell/EditSheetRules.h"
#include "shell/EventDocument.h"
#include "shell/GroupView.h"
#include "shell/LabelStockDlg.h"
#include "shell/MainFrm.h"
#include "shell/MesgListDisplay.h"
#include "shell/PaneView.h"
#include "shell/RotavexApp.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/ui/ZelEditListCtrl.h"
#include "zelkit/ui/ZelImportWizard.h"
#include "zelkit/ui/ZelNotifyEvent.h"
#include "zelkit/ui/ZelReportDlg.h"

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/print.h>
#include <wx/timer.h>

namespace fs = std::filesystem;
using testevent::EventBuilder;

namespace {

class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        wxSetAssertHandler([](const wxString& s_file, int i_line, const wxString& s_func, const wxString& s_cond,
                              const wxString& s_msg) {
            std::fprintf(stderr, "wx assertion failed: %s:%d %s: %s %s\n", (const char*)s_file.utf8_str(), i_line,
                         (const char*)s_func.utf8_str(), (const char*)s_cond.utf8_str(), (const char*)s_msg.utf8_str());
            std::abort();
        });
        wxApp::SetInstance(new CRotavexApp);
        int argc = 1;
        static char a_name[] = "rotavex";
        char* argv[] = {a_name, nullptr};
        ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display";
        CRotavexApp::InitServices(false);
        InstallImportErrorsDialog();
    }
    void TearDown() override { wxEntryCleanup(); }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

void Pump()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

template <class T>
T* FindModal()
{
    for (wxWindow* p_win : wxTopLevelWindows)
        if (auto* p = dynamic_cast<T*>(p_win); p != nullptr && p->IsModal())
            return p;
    return nullptr;
}

// Plays the steps once a modal T shows; a dialog the steps leave open is
// cancelled so that a failure cannot hang the run.
template <class T>
void WhenShown(std::function<void(T&)> f_steps, int n_tries = 250)
{
    auto* p_timer = new wxTimer;
    p_timer->Bind(wxEVT_TIMER, [p_timer, f_steps, n_tries](wxTimerEvent&) {
        const std::function<void(T&)> f_mine = f_steps;
        const int n_left = n_tries;
        wxTheApp->CallAfter([p_timer] { delete p_timer; });
        T* p_dlg = FindModal<T>();
        if (p_dlg == nullptr) {
            if (n_left > 0)
                WhenShown<T>(f_mine, n_left - 1);
            else
                ADD_FAILURE() << "the dialog did not show";
            return;
        }
        f_mine(*p_dlg);
        if (p_dlg->IsModal())
            p_dlg->EndModal(wxID_CANCEL);
    });
    p_timer->StartOnce(20);
}

void Press(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

void ChooseField(ZelEditListCtrl& list, int i_row, const std::string& s_field)
{
    const wxRect rc = list.GetRowRect(i_row);
    wxMouseEvent dclick(wxEVT_LEFT_DCLICK);
    dclick.SetPosition(wxPoint(list.GetColumnLeft(1) + 5, rc.y + rc.height / 2));
    dclick.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(dclick);
    Pump();
    auto* p_box = wxDynamicCast(list.GetEditor(), wxListBox);
    ASSERT_NE(p_box, nullptr);
    ASSERT_TRUE(p_box->SetStringSelection(s_field)) << s_field;
    wxCommandEvent chosen(wxEVT_LISTBOX_DCLICK, p_box->GetId());
    chosen.SetEventObject(p_box);
    p_box->GetEventHandler()->ProcessEvent(chosen);
    Pump();
}

// The group sheet as a script: each opening edits the working group and
// ends with a result.
class ScriptedSheet : public IGroupSheetPort {
public:
    struct Step {
        int iResult;
        std::function<void(Group&)> fEdit;
    };
    ScriptedSheet() { pPrevious = SetGroupSheetPort(this); }
    ~ScriptedSheet() override { SetGroupSheetPort(pPrevious); }
    int Run(Request& request) override
    {
        vOpened.push_back(request.pWorking->GetName());
        if (qSteps.empty())
            return IDCANCEL;
        Step step = qSteps.front();
        qSteps.pop_front();
        if (step.fEdit)
            step.fEdit(*request.pWorking);
        return step.iResult;
    }
    std::deque<Step> qSteps;
    std::vector<std::string> vOpened;

private:
    IGroupSheetPort* pPrevious;
};

class GroupViewWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path() / ("rvx-groupview-" + std::to_string(getpid()));
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder);
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
        const std::string s_machine = "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + fsFolder.string()
            + "\"\n\"License\"=sz:\"" + (fsFolder / "licence.txt").string() + "\"\n";
        WriteFileAtomically((fsFolder / "install.ini").string(), s_machine);
        CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(),
                                        (fsFolder / "install.ini").string());
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

    ScriptedSheet sheet;
    const LONG l_folk = Doc().GetStyles()[Doc().GetStyles().FindByName("Folk")].GetKey();
    const LONG l_ann = Doc().GetParticipants()[Doc().GetParticipants().FindByName("Ann Lee")].GetKey();
    const LONG l_bob = Doc().GetParticipants()[Doc().GetParticipants().FindByName("Bob Ray")].GetKey();
    sheet.qSteps.push_back({IDOK, [&](Group& g) {
                                g.SetName("Brass");
                                g.GetContact().SetName("Dee Hart");
                                g.GetStyles().Add(l_folk);
                                g.GetMembers().SetMember(l_ann, "Leader", 0);
                                g.GetMembers().SetMember(l_bob, "", 0);
                            }});
    EXPECT_TRUE(Run(ID_ADD_GROUP));
    ASSERT_GE(Doc().GetGroups().FindByName("Brass"), 0);
    EXPECT_EQ(List().GetItemCount(), 5);
    EXPECT_EQ(Names().front(), "Band") << "the list stays sorted";
    ShowAWhile();

    // Three selected groups, walked with Next and Previous.
    Select({1, 2, 3});
    sheet.qSteps = {
        {IDC_SHEET_NEXT, [](Group& g) { g.SetFax("111"); }},
        {IDC_SHEET_PREVIOUS, [](Group& g) { g.SetFax("222"); }},
        {IDC_SHEET_NEXT, nullptr},
        {IDC_SHEET_NEXT, nullptr},
        {IDC_SHEET_NEXT, [](Group& g) { g.SetFax("333"); }},
    };
    sheet.vOpened.clear();
    View()->ChangeSelected();
    Pump();
    EXPECT_EQ(sheet.vOpened, (std::vector<std::string>{"Brass", "Choir", "Brass", "Choir", "Dancers"}));
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
    ShowAWhile();
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
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        const char* a_fields[] = {"Group Name", "Contact Name", "Styles", "Group Members"};
        for (int i = 0; i < 4; ++i)
            ChooseField(*p_list, i, a_fields[i]);
        ShowAWhile();
        WhenShown<ILVImportErrorsDlg>([&](ILVImportErrorsDlg& dlg) {
            Pump();
            for (int i = 0; i < dlg.GetRows().GetSize(); ++i)
                v_rows.push_back(dlg.GetRows()[i][0] + "|" + dlg.GetRows()[i][1]);
            ShowAWhile();
            Press(dlg, ZelReportDlg::IDC_ZEL_REPORT_OK);
        });
        Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
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
        ShowAWhile();
        Press(dlg, wxID_OK);
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
    ShowAWhile();
    p_preview->Close(true);
    Pump();
}

} // namespace
