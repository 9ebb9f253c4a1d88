// The participant pane in the program, in-process under a virtual display,
// over a generated event: a participant added through the participant
// sheet (32808), the change walk with Apply, Next and a name another
// participant has, the printed list and the labels previewed, and the
// selection's addresses and the event file mailed to a recording stand-in
// of the desktop's mail composer.
//
// With ROTAVEX_SHOW_SECONDS set, the windows stay on screen that long at
// each stage, for screenshots.
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "shell/frame/CommandIds.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/LabelStockDlg.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "sheets/ParticipantSheetPort.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/MailStandIn.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "testsupport/ProgramFolder.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/evtloop.h>
#include <wx/print.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

namespace fs = std::filesystem;
using testevent::EventBuilder;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

// Keeps the windows up for a look from inside a modal loop as well.
void ShowPaneAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            // The running loop's events, the paints of a dialog it shows
            // among them.
            if (wxEventLoopBase* p_loop = wxEventLoopBase::GetActive(); p_loop != nullptr)
                p_loop->DispatchTimeout(50);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

// With ROTAVEX_SHOT_DIR set, the window's picture is written there as
// NAME.png, taken from the window itself (a screen grab of a dialog over its
// parent may show it unpainted on a display without a compositor).
void SaveShot(wxWindow& window, const char* p_name)
{
    const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR");
    if (p_dir == nullptr)
        return;
    for (int i = 0; i < 10; ++i) {
        wxTheApp->Yield(true);
        window.Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    const wxSize size = window.GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC memory(bitmap);
    wxClientDC client(&window);
    memory.Blit(0, 0, size.x, size.y, &client, 0, 0);
    memory.SelectObject(wxNullBitmap);
    bitmap.SaveFile(std::string(p_dir) + "/" + p_name + ".png", wxBITMAP_TYPE_PNG);
}

std::string Text(wxWindow& page, int i_id)
{
    auto* p_text = wxDynamicCast(page.FindWindow(i_id), wxTextCtrl);
    return p_text != nullptr ? p_text->GetValue().ToStdString() : std::string("?");
}

wxPreviewFrame* FindPreview()
{
    for (wxWindow* p_win : wxTopLevelWindows)
        if (auto* p = dynamic_cast<wxPreviewFrame*>(p_win))
            return p;
    return nullptr;
}

class ParticipantViewWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-partview");
        fs::copy_file(fs::path(ROTAVEX_DATA_DIR) / "Standard.ldf", fsFolder / "Standard.ldf");
        {
            EventBuilder event;
            event.Name("Spring fair")
                .Days({"Sat", "Sun"})
                .Slots(-1, {"09:00-10:00", "10:00-11:00"})
                .TwentyFourHour()
                .Venue("Hall")
                .Venue("Annex");
            const char* a_people[][6] = {
                {"Sue Day", "1 Mill Lane", "Millbrook", "AB1 2CD", "sue@example.org", "Violin"},
                {"Ann Lee", "The Old Rectory", "", "CH4 9XY", "ann@example.org", "Soprano"},
                {"Cal Fox", "22 High Street", "Eastfield", "DN7 1AA", "", "Dancer"},
                {"Bob Ray", "Flat 3, Wharf Road", "Millbrook", "BR2 3ZZ", "bob@example.org", "Drums"},
                {"Dee Hart", "9 Orchard Close", "", "", "dee@example.org", ""},
                {"Eve Moon", "", "", "", "ann@example.org", "Soprano"},
            };
            for (const auto& a : a_people)
                event.Participant(a[0], [&a, &event](Participant& p) {
                    p.GetAddress().SetAddrLine1(a[1]);
                    p.GetAddress().SetAddrLine2(a[2]);
                    p.GetAddress().SetPostCode(a[3]);
                    p.SetEmail(a[4]);
                    p.SetPhone("01632 96" + std::to_string(a[0][0] * 7 % 10000));
                    if (a[5][0] != 0)
                        p.SetUsualRoleKey(event.Doc().AddParticipantRole(a[5]));
                });
            event.Group("Choir").Group("Band").Member("Choir", "Ann Lee").Member("Band", "Bob Ray").Timetable();
            ASSERT_TRUE(event.Doc().OnSaveDocument((fsFolder / "fair.eve").string()));
        }
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterParticipantView());
        pPreviousSheet = SetParticipantSheetPort(&SheetPort);
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "fair.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
    }
    void TearDown() override
    {
        if (CEventDocument* p_doc = TheApp()->GetDocument()) {
            p_doc->GetEvent().SetModifiedFlag(false);
            p_doc->Modify(false);
        }
        TheApp()->ShutDown();
        SetParticipantSheetPort(pPreviousSheet);
        WindowClasses::Unregister(kParticipantView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    ParticipantView* View() { return dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1)); }
    ZelListModel& List() { return View()->GetList(); }
    const Participant& Part(const char* p_name)
    {
        return Doc().GetParticipants().GetAt(Doc().GetParticipants().FindByName(p_name));
    }
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
    WxParticipantSheetPort SheetPort;
    IParticipantSheetPort* pPreviousSheet = nullptr;
    fs::path fsFolder;
};

TEST_F(ParticipantViewWxTest, AddsThroughTheSheetAndWalksTheSelectionWithApplyAndNext)
{
    ASSERT_NE(View(), nullptr) << "the participant pane holds the participant view";
    EXPECT_EQ(List().GetColumnCount(), 6);
    EXPECT_EQ(Names().size(), 6u);
    // A header click sorts by name.
    ZelNMListView nm;
    nm.iSubItem = 0;
    ZelSendNotify(View()->GetListCtrl(), LVN_COLUMNCLICK, &nm);
    Pump();
    EXPECT_EQ(Names().front(), "Ann Lee");
    SaveShot(Frame(), "participant-pane");
    ShowPaneAWhile();

    WhenShownPainted<ParticipantChangePSheet>([](ParticipantChangePSheet& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "Define participant");
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FIRST_NAME, "Fay");
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_LAST_NAME, "Stone");
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_EMAIL, "fay@example.org");
        SaveShot(sheet, "participant-sheet-add");
        ShowPaneAWhile();
        PressInLoop(sheet, wxID_OK);
    });
    EXPECT_TRUE(Run(ID_ADD_PARTICIPANT));
    ASSERT_GE(Doc().GetParticipants().FindByName("Fay Stone"), 0);
    EXPECT_EQ(Part("Fay Stone").GetEmail(), "fay@example.org");
    EXPECT_EQ(Names().size(), 7u);

    // Two selected: Apply keeps the first open, a taken name is refused
    // inside the sheet with the edits kept, Next moves on, OK on the last
    // ends the walk.
    const std::vector<std::string> v_names = Names();
    Select({0, 1});
    const std::string s_first = v_names[0];
    const std::string s_second = v_names[1];
    std::vector<std::string> v_titles;
    bool b_stayed = false;
    std::string s_kept;
    bool b_applied = false;
    std::string s_applied;
    WhenShownPainted<ParticipantChangePSheet>([&](ParticipantChangePSheet& sheet) {
        v_titles.push_back(sheet.GetTitle().ToStdString());
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FAX, "111");
        PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
        Pump();
        // Apply stored the fax, and the sheet stays on the participant.
        b_applied = sheet.IsModal();
        s_applied = Part(s_first.c_str()).GetFax();
        v_titles.push_back(sheet.GetTitle().ToStdString());
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FAX, "222");
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FIRST_NAME, "Sue");
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_LAST_NAME, "Day");
        PressInLoop(sheet, IDC_SHEET_NEXT);
        b_stayed = sheet.IsModal();
        s_kept = Text(sheet.GetDetailsPage(), IDC_PART_FAX);
        SaveShot(sheet, "participant-sheet-taken-name");
        ShowPaneAWhile();
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_FIRST_NAME, s_first.substr(0, s_first.find(' ')).c_str());
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_LAST_NAME, s_first.substr(s_first.find(' ') + 1).c_str());
        PressInLoop(sheet, IDC_SHEET_NEXT);
        WhenShownPainted<ParticipantChangePSheet>([&](ParticipantChangePSheet& second) {
            v_titles.push_back(second.GetTitle().ToStdString());
            // The last of the walk offers Previous and OK, which ends it.
            EXPECT_NE(second.FindWindow(IDC_SHEET_PREVIOUS), nullptr);
            ShowPaneAWhile();
            PressInLoop(second, wxID_OK);
        });
    });
    View()->ChangeSelected();
    Pump();
    EXPECT_TRUE(b_applied);
    EXPECT_EQ(s_applied, "111");
    EXPECT_TRUE(b_stayed);
    EXPECT_EQ(s_kept, "222");
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot change participant.  Participant 'Sue Day' already exists.");
    ASSERT_EQ(v_titles.size(), 3u);
    EXPECT_EQ(v_titles[0], "Define participant - " + s_first);
    EXPECT_EQ(v_titles[1], v_titles[0]);
    EXPECT_EQ(v_titles[2], "Define participant - " + s_second);
    EXPECT_EQ(Part(s_first.c_str()).GetFax(), "222");
    EXPECT_EQ(Doc().GetParticipants().FindByName("Sue Day") >= 0, true);
}

TEST_F(ParticipantViewWxTest, PreviewsTheListAndTheLabels)
{
    std::vector<std::string> v_chosen;
    WhenShownPainted<SelectColumnsDlg>([&](SelectColumnsDlg& dlg) {
        EXPECT_EQ(dlg.FindWindow(1319)->GetLabel(), "&Print participants");
        SaveShot(dlg, "select-columns");
        ShowPaneAWhile();
        PressInLoop(dlg, wxID_OK);
    });
    EXPECT_TRUE(Run(ID_PREVIEW_PARTICIPANT_LIST));
    wxPreviewFrame* p_preview = FindPreview();
    ASSERT_NE(p_preview, nullptr);
    Pump();
    ShowPaneAWhile();
    p_preview->Close(true);
    Pump();
    const PrintIdSet& set = Doc().GetPrintOptions().GetParticipantListSet();
    EXPECT_EQ(set.GetIds().GetSize(), 5) << "the default columns were kept";

    WhenShownPainted<LabelStockDlg>([&](LabelStockDlg& dlg) {
        wxTreeCtrl* p_tree = dlg.GetTree();
        wxTreeItemIdValue cookie;
        const wxTreeItemId group = p_tree->GetFirstChild(p_tree->GetRootItem(), cookie);
        ASSERT_TRUE(group.IsOk());
        p_tree->Expand(group);
        wxTreeItemIdValue cookie2;
        wxTreeItemId stock = p_tree->GetFirstChild(group, cookie2);
        while (stock.IsOk() && !p_tree->GetItemText(stock).StartsWith("Address 2 x 7"))
            stock = p_tree->GetNextChild(group, cookie2);
        ASSERT_TRUE(stock.IsOk());
        p_tree->SelectItem(stock);
        Pump();
        SaveShot(dlg, "label-stock");
        PressInLoop(dlg, wxID_OK);
    });
    EXPECT_TRUE(Run(ID_PREVIEW_PARTICIPANT_LABELS));
    EXPECT_EQ(View()->Stock.GetName(), "Address 2 x 7, 99.1 x 38.1 mm");
    p_preview = FindPreview();
    ASSERT_NE(p_preview, nullptr);
    Pump();
    SaveShot(*p_preview, "label-preview");
    ShowPaneAWhile();
    p_preview->Close(true);
    Pump();
}

TEST_F(ParticipantViewWxTest, MailsTheSelectionAndTheEventFileToTheComposer)
{
    MailStandIn composer;
    // Sue, Ann, Cal (no address), Bob and Eve (Ann's address).
    Select({});
    Frame().FindView(kParticipantView, true);
    EXPECT_FALSE(Frame().IsCommandEnabled(ID_SEND_SELECTION_MAIL));
    Select({0, 1, 2, 3, 5});
    Frame().FindView(kParticipantView, true);
    ASSERT_TRUE(Frame().IsCommandEnabled(ID_SEND_SELECTION_MAIL));
    EXPECT_TRUE(Run(ID_SEND_SELECTION_MAIL));
    EXPECT_EQ(composer.TakeArgs(), "--utf8\nmailto:ann@example.org,bob@example.org,sue@example.org\n");

    EXPECT_TRUE(Run(EventDoc::ID_FILE_SEND_MAIL));
    EXPECT_EQ(composer.TakeArgs(), "--utf8\n--attach\n" + (fsFolder / "fair.eve").string() + "\n");
    EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(ParticipantViewWxTest, ContextMenuAndUnrosterFromTheFrame)
{
    Select({});
    const auto enabled = [](wxMenu& menu) {
        std::vector<std::string> v;
        for (wxMenuItem* p_item : menu.GetMenuItems())
            if (!p_item->IsSeparator() && p_item->IsEnabled())
                v.push_back(p_item->GetItemLabelText().ToStdString());
        return v;
    };
    std::unique_ptr<wxMenu> p_menu = View()->MakeContextMenu();
    EXPECT_EQ(enabled(*p_menu), (std::vector<std::string>{"Un-roster"}));
    Select({1});
    p_menu = View()->MakeContextMenu();
    EXPECT_EQ(enabled(*p_menu).size(), 4u);

    // Un-roster from the frame with nothing selected asks about everyone.
    Select({});
    Frame().FindView(kParticipantView, true);
    ASSERT_TRUE(Frame().IsCommandEnabled(ID_UNROSTER_PARTICIPANTS));
    Boxes.Answer(IDNO);
    EXPECT_TRUE(Run(ID_UNROSTER_PARTICIPANTS));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("all participants"), std::string::npos);
}

// Twenty thousand participants: the pane fills, sorts by a header click
// and scrolls to its end (the list's speed is measured by bench/ListBench).
TEST(ParticipantViewSizeWxTest, TwentyThousandRowsOpenSortAndScroll)
{
    const fs::path fs_folder = MakeTestFolder("rvx-partview-big");
    {
        EventBuilder event;
        event.Name("Big fair");
        for (int i = 0; i < 20000; ++i)
            event.Participant("P" + std::to_string(i * 7919 % 20000) + " Person" + std::to_string(i % 97),
                              [i](Participant& p) {
                                  p.SetEmail("p" + std::to_string(i) + "@example.org");
                                  p.GetAddress().SetAddrLine1(std::to_string(i) + " Long Road");
                              });
        ASSERT_TRUE(event.Doc().OnSaveDocument((fs_folder / "big.eve").string()));
    }
    WriteFileAtomically((fs_folder / "install.ini").string(),
                        "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + fs_folder.string()
                            + "\"\n\"License\"=sz:\"" + (fs_folder / "licence.txt").string() + "\"\n");
    CSettingsStore::Get().Configure((fs_folder / "user" / "settings").string(), (fs_folder / "install.ini").string());
    ScriptedMessageBox boxes;
    ASSERT_TRUE(RegisterParticipantView());
    ASSERT_TRUE(TheApp()->StartUp((fs_folder / "big.eve").string()));
    Pump();
    auto* p_view = dynamic_cast<ParticipantView*>(TheApp()->GetMainFrame()->GetPaneView(0, 1));
    ASSERT_NE(p_view, nullptr);
    EXPECT_EQ(p_view->GetList().GetItemCount(), 20000);
    ZelNMListView nm;
    nm.iSubItem = 0;
    ZelSendNotify(p_view->GetListCtrl(), LVN_COLUMNCLICK, &nm);
    Pump();
    p_view->GetList().EnsureVisible(19999, FALSE);
    p_view->GetListCtrl()->Update();
    Pump();
    TheApp()->GetDocument()->GetEvent().SetModifiedFlag(false);
    TheApp()->ShutDown();
    WindowClasses::Unregister(kParticipantView);
    CSettingsStore::Get().Configure("", "");
    fs::remove_all(fs_folder);
}

} // namespace
