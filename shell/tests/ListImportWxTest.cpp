// Importing a small text file into an item list view through the real
// wizard and error list (run under a virtual display): two columns are
// mapped by opening the field cell's list box and choosing a field, Finish
// imports, and the record that failed shows in the error list. A large
// file of groups imported into an event shows the import's progress
// window, whose Cancel leaves the event as it was.
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/tests/ImportRows.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"
#include "shell/lists/MesgListDisplay.h"
#include "shell/tests/FakeImportView.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/import/ZelImport.h"
#include "zelkit/import/ui/ZelImportWizard.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

TEST(ListImportWx, ASmallTextFileThroughTheWizard)
{
    const std::string s_path = testing::TempDir() + "rvx-wizard-import.csv";
    FILE* p_file = std::fopen(s_path.c_str(), "wb");
    ASSERT_NE(p_file, nullptr);
    std::fputs("Name,Town,Phone\r\nAnn,Oslo,1\r\nBob,Rome\r\n\"Cy\",Nice,3\r\n", p_file);
    std::fclose(p_file);

    InstallImportErrorsDialog();
    FakeView view;
    ItemListImport import(view);
    std::vector<std::string> v_choices, v_rows;
    bool b_finishAtFirst = true, b_finishAfter = false;
    std::string s_heading;
    WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
        // The first step tells a comma-separated text; Next leads on.
        EXPECT_EQ(wizard.GetTitle(), "Text Import Wizard - Step 1");
        auto* p_delimited = Find<wxRadioButton>(wizard, WxId(ZelImportStep1::IDC_DELIMITED));
        ASSERT_NE(p_delimited, nullptr);
        EXPECT_TRUE(p_delimited->GetValue());
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        wxWindow* p_finish = wizard.FindWindow(ZelSizingPropSheet::ID_WIZFINISH);
        ASSERT_NE(p_finish, nullptr);
        b_finishAtFirst = p_finish->IsEnabled();
        // The title bar shows the page's caption; a line above the list
        // tells how a column gets its field.
        EXPECT_EQ(wizard.GetTitle(), "Text Import Wizard - Columns and Fields");
        auto* p_page = dynamic_cast<ZelImportColMap*>(p_list->GetParent());
        ASSERT_NE(p_page, nullptr);
        const wxStaticText* p_told = nullptr;
        for (wxWindow* p_child : p_page->GetChildren())
            if (auto* p_text = wxDynamicCast(p_child, wxStaticText); p_text != nullptr && p_text->IsShown())
                p_told = p_text;
        ASSERT_NE(p_told, nullptr) << "the page tells what to do";
        wxString s_told = p_told->GetLabelText();
        s_told.Replace("\n", " ");
        EXPECT_EQ(s_told, p_page->GetInstruction()) << "wrapped to the page's width";
        EXPECT_NE(p_page->GetInstruction().Find("double-click its Group Field cell"), wxNOT_FOUND);
        EXPECT_NE(p_page->GetInstruction().Find("(do not import)"), wxNOT_FOUND);
        EXPECT_LE(p_told->GetRect().GetBottom(), p_list->GetRect().GetTop()) << "above the list";
        ASSERT_EQ(p_list->GetItemCount(), 3);
        EXPECT_EQ(p_list->GetItemText(0, 0), "Name") << "the header row gives the captions";
        EXPECT_EQ(p_list->GetItemText(1, 2), "Oslo") << "the first data record is the sample";
        {
            // Escape in the field list box ends the choice, not the wizard.
            p_list->BeginEdit(2, 1);
            wxWindow* p_box = p_list->GetEditor();
            ASSERT_NE(p_box, nullptr);
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            escape.SetEventObject(p_box);
            p_box->GetEventHandler()->ProcessEvent(escape);
            Pump();
            EXPECT_FALSE(p_list->IsEditing());
            EXPECT_TRUE(wizard.IsModal());
            EXPECT_EQ(p_list->GetItemText(2, 1), "");
        }
        ChooseField(*p_list, 0, "Name");
        ShowForALook();
        ChooseField(*p_list, 1, "Town");
        EXPECT_EQ(p_list->GetItemText(0, 1), "Name");
        EXPECT_EQ(p_list->GetItemText(1, 1), "Town");
        b_finishAfter = p_finish->IsEnabled();
        ShowForALook();
        WhenShown<ILVImportErrorsDlg>([&](ILVImportErrorsDlg& dlg) {
            Pump();
            for (int i = 0; i < dlg.GetRows().GetSize(); ++i)
                v_rows.push_back(dlg.GetRows()[i][0] + "|" + dlg.GetRows()[i][1]);
            EXPECT_EQ(dlg.GetList().GetItemCount(), 1);
            ShowForALook();
            Press(dlg, ZelReportDlg::IDC_ZEL_REPORT_OK);
        });
        Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
    });
    import.ImportFile("file", "file", s_path);
    std::remove(s_path.c_str());

    EXPECT_FALSE(b_finishAtFirst) << "Finish waits for a mapped column";
    EXPECT_TRUE(b_finishAfter);
    EXPECT_EQ(view.vNames, (std::vector<std::string>{"Ann", "Cy"}));
    EXPECT_EQ(v_rows, (std::vector<std::string>{"|Line 3: wrong number of columns. Found 2 expected 3"}));
    ASSERT_EQ(view.Mappings.GetSize(), 1);
    EXPECT_EQ(ToVector(view.Mappings[0].ColumnMap), (std::vector<std::string>{"Name", "Town", ""}));
}

// The first-step page over a fixed-width text, shown for a look.
TEST(ListImportWx, TheFirstStepPageTellsFixedWidth)
{
    std::string s_text;
    for (int i = 1; i <= 20; ++i)
        s_text += "Participant" + std::to_string(100 + i) + "   Town " + std::to_string(10 + i)
                  + "      a rather long remark that runs past the preview's right edge\n";
    ZelImportFieldDef defs;
    defs.Add("Name", ZelImportFieldDef::COLTYPE_STRING, 1, ZelImportFieldDef::COLTYPE_SINGLE, 0);
    ZelImportData reader(&s_text);
    ZelImportWizardCore core(defs, reader, nullptr);
    auto* p_wizard = new ZelImportWizard(core, "Import Wizard");
    p_wizard->SetWizardMode();
    auto* p_step = new ZelImportStep1(p_wizard->GetBookCtrl());
    p_wizard->AddPage(p_step);
    p_wizard->AddPage(new ZelImportColMap(p_wizard->GetBookCtrl(), "Group Field"));
    p_wizard->Show();
    Pump();
    EXPECT_EQ(p_step->GetLayoutChoice(), 1);
    EXPECT_TRUE(reader.bFixedWidth);
    auto* p_preview = p_step->GetPreviewList();
    ASSERT_NE(p_preview, nullptr);
    EXPECT_EQ(p_preview->GetItemCount(), 8u);
    // Each step's caption heads the wizard while it shows.
    EXPECT_EQ(p_wizard->GetTitle(), "Text Import Wizard - Step 1");
    ShowForALook();
    Press(*p_wizard, ZelSizingPropSheet::ID_WIZNEXT);
    Pump();
    EXPECT_EQ(p_wizard->GetTitle(), "Text Import Wizard - Columns and Fields");
    p_wizard->GetBookCtrl()->SetSelection(0);
    Pump();
    EXPECT_EQ(p_wizard->GetTitle(), "Text Import Wizard - Step 1");
    p_wizard->Destroy();
    Pump();
}

// A mouse event on the preview at the line before character u_pos, as
// the user's pointer there gives it.
void MouseAt(ZelImportPreview& preview, wxEventType type, UINT u_pos, bool b_leftDown)
{
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(preview.BreakX(u_pos), preview.GetLineHeight() + 2));
    event.m_leftDown = b_leftDown;
    event.SetEventObject(&preview);
    preview.GetEventHandler()->ProcessEvent(event);
    Pump();
}

// A file in fixed-width columns whose last column is of uneven length,
// which the first step guesses fixed width: the user chooses Fixed width,
// finds the breaks the preview shows, adds one with a click, drags it and
// double-clicks it away, goes on to the columns, back and on again, maps
// two columns and finishes; the records come cut at the breaks.
TEST(ListImportWx, AFixedWidthFileThroughEveryStep)
{
    const std::string s_path = testing::TempDir() + "rvx-fixed-width.txt";
    {
        FILE* p_file = std::fopen(s_path.c_str(), "wb");
        ASSERT_NE(p_file, nullptr);
        std::fputs("Name        Town     Notes\n"
                   "Ann Lee     Oslo     likes tea\n"
                   "Bob Fox     Rome\n"
                   "Cy Dunn     Nice     plays the fiddle\n",
                   p_file);
        std::fclose(p_file);
    }
    InstallImportErrorsDialog();
    FakeView view;
    ItemListImport import(view);
    struct Seen {
        wxString sGuess;
        std::vector<UINT> vGuessed, vEdited, vShownAfterBack;
        std::vector<std::string> vRows, vRowsAgain;
        bool bBackOnFirst = true, bNextOnFirst = false, bFinishOnFirst = true;
        bool bBackOnColumns = false, bNextOnColumns = true;
        wxString sTitleAfterBack;
        bool bFixedAfterBack = false;
        std::vector<std::string> vErrors;
    } seen;
    const auto rows_of = [](ZelEditListCtrl& list) {
        std::vector<std::string> v;
        for (int i = 0; i < list.GetItemCount(); ++i)
            v.push_back(list.GetItemText(i, 0) + "=" + list.GetItemText(i, 2));
        return v;
    };
    WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
        auto* p_step = dynamic_cast<ZelImportStep1*>(wizard.GetActivePage());
        ASSERT_NE(p_step, nullptr) << "the wizard opens on its first step";
        const auto enabled = [&wizard](int i_id) {
            wxWindow* p = wizard.FindWindow(i_id);
            return p != nullptr && p->IsEnabled();
        };
        seen.bBackOnFirst = enabled(ZelSizingPropSheet::ID_WIZBACK);
        seen.bNextOnFirst = enabled(ZelSizingPropSheet::ID_WIZNEXT);
        seen.bFinishOnFirst = enabled(ZelSizingPropSheet::ID_WIZFINISH);
        if (auto* p_result = wizard.FindWindow(WxId(ZelImportStep1::IDC_RESULT)))
            seen.sGuess = p_result->GetLabel();
        Choose(wizard, WxId(ZelImportStep1::IDC_FIXED));
        ZelImportPreview& preview = p_step->GetPreview();
        seen.vGuessed = preview.GetBreaks();
        // A click adds a break, a drag moves it, a double-click takes it
        // away.
        MouseAt(preview, wxEVT_LEFT_DOWN, 4, true);
        MouseAt(preview, wxEVT_LEFT_UP, 4, false);
        MouseAt(preview, wxEVT_LEFT_DOWN, 4, true);
        MouseAt(preview, wxEVT_MOTION, 6, true);
        MouseAt(preview, wxEVT_MOTION, 8, true);
        MouseAt(preview, wxEVT_LEFT_UP, 8, false);
        const std::vector<UINT> v_moved = preview.GetBreaks();
        EXPECT_EQ(v_moved, (std::vector<UINT>{8, 12, 21}));
        MouseAt(preview, wxEVT_LEFT_DCLICK, 8, false);
        seen.vEdited = wizard.GetCore().GetColumnStarts();
        ShowForALook();

        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        EXPECT_EQ(wizard.GetTitle(), "Text Import Wizard - Columns and Fields");
        seen.vRows = rows_of(*p_list);
        seen.bBackOnColumns = enabled(ZelSizingPropSheet::ID_WIZBACK);
        seen.bNextOnColumns = enabled(ZelSizingPropSheet::ID_WIZNEXT);
        ChooseField(*p_list, 0, "Name");

        Press(wizard, ZelSizingPropSheet::ID_WIZBACK);
        seen.sTitleAfterBack = wizard.GetTitle();
        seen.bFixedAfterBack = p_step->GetLayoutChoice() == 1;
        seen.vShownAfterBack = preview.GetBreaks();
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        seen.vRowsAgain = rows_of(*p_list);
        ChooseField(*p_list, 1, "Town");
        ShowForALook();
        // No error is expected; one would be listed here, not left open.
        WhenShown<ILVImportErrorsDlg>([&](ILVImportErrorsDlg& dlg) {
            Pump();
            for (int i = 0; i < dlg.GetRows().GetSize(); ++i)
                seen.vErrors.push_back(dlg.GetRows()[i][0] + "|" + dlg.GetRows()[i][1]);
            Press(dlg, ZelReportDlg::IDC_ZEL_REPORT_OK);
        });
        Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
    });
    import.ImportFile("fixed", "fixed", s_path);

    EXPECT_EQ(seen.sGuess, "Fixed Width.") << "lines of different lengths";
    EXPECT_FALSE(seen.bBackOnFirst);
    EXPECT_TRUE(seen.bNextOnFirst);
    EXPECT_FALSE(seen.bFinishOnFirst);
    EXPECT_EQ(seen.vGuessed, (std::vector<UINT>{12, 21}))
        << "the starts that line up where the lines reach, not the words of the notes";
    EXPECT_EQ(seen.vEdited, (std::vector<UINT>{0, 12, 21}));
    const std::vector<std::string> v_rows{"Name=Ann Lee", "Town=Oslo", "Notes=likes tea"};
    EXPECT_EQ(seen.vRows, v_rows);
    EXPECT_TRUE(seen.bBackOnColumns) << "Back returns to the first step";
    EXPECT_FALSE(seen.bNextOnColumns);
    EXPECT_EQ(seen.sTitleAfterBack, "Text Import Wizard - Step 1");
    EXPECT_TRUE(seen.bFixedAfterBack);
    EXPECT_EQ(seen.vShownAfterBack, (std::vector<UINT>{12, 21}));
    EXPECT_EQ(seen.vRowsAgain, v_rows);
    EXPECT_EQ(seen.vErrors, std::vector<std::string>());
    EXPECT_EQ(view.vRecords, (std::vector<std::string>{"Ann Lee|Oslo", "Bob Fox|Rome", "Cy Dunn|Nice"}));
    ASSERT_EQ(view.Mappings.GetSize(), 1);
    EXPECT_EQ(ToVector(view.Mappings[0].ColumnMap), (std::vector<std::string>{"Name", "Town", ""}))
        << "the mapping made before Back is kept";

    // The same file again: its columns start with the fields chosen last.
    std::vector<std::string> v_fieldsShown;
    WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
        Choose(wizard, WxId(ZelImportStep1::IDC_FIXED));
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        if (auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST))))
            for (int i = 0; i < p_list->GetItemCount(); ++i)
                v_fieldsShown.push_back(p_list->GetItemText(i, 1));
        Press(wizard, wxID_CANCEL);
    });
    import.ImportFile("fixed", "fixed", s_path);
    std::remove(s_path.c_str());
    EXPECT_EQ(v_fieldsShown, (std::vector<std::string>{"Name", "Town", ""}));
    EXPECT_EQ(view.vRecords.size(), 3u) << "the cancelled wizard imported nothing";
}

// 60,000 groups from a file, through the wizard: the wizard leaves the
// screen, the progress window comes up over the other windows (which take
// no input meanwhile) and tells how far the import is; its Cancel ends the
// import, and the event holds the groups it held, unmodified, saving to the
// same bytes.
TEST(ListImportWx, CancelOfALargeImportLeavesTheEventAsItWas)
{
    const std::string s_path = testing::TempDir() + "rvx-large-import.csv";
    {
        FILE* p_file = std::fopen(s_path.c_str(), "wb");
        ASSERT_NE(p_file, nullptr);
        std::fputs("Group name,Contact,Notes\n", p_file);
        for (int i = 0; i < 60000; ++i)
            std::fprintf(p_file, "Imported ensemble %06d,Robin Hale %d,Came in from the file\n", i, i % 997);
        std::fclose(p_file);
    }
    EventDoc doc;
    for (const char* p_name : {"Brass band", "Choir", "Folk trio"}) {
        Group group;
        group.SetName(p_name);
        group.SetEmail("office@example.org");
        ASSERT_EQ(doc.GetGroups().AddGroup(group), GroupList::added);
    }
    const std::vector<std::uint8_t> v_before = doc.WriteEventFile();
    doc.SetModifiedFlag(false);
    ImportRows<GroupViewCore> rows(doc, "Group");
    // The document's updates reach the pane, as they reach the program's.
    ScriptedViews views;
    views.fOnUpdate = [&rows](const UpdateViewHint* p_hint) { rows.OnUpdate(p_hint); };
    rows.InitialUpdate();

    // The program's main window, under the import.
    auto* p_main = new wxFrame(nullptr, wxID_ANY, "Rotavex", wxDefaultPosition, wxSize(700, 500));
    p_main->Show();
    wxTheApp->SetTopWindow(p_main);
    Pump();

    struct Seen {
        bool bProgress = false;
        bool bMainEnabled = true;
        bool bWizardShown = false;
        wxString sTitle;
        wxString sStatus;
        int iBar = -1;
    } seen;
    // The program's own progress window, on a clock that moves as the
    // records are read, so that it opens and is looked at after the same
    // records at any pace. Each of its pumps is a look, as the user's eye
    // would give; the first looks let the window be drawn (for a screenshot
    // it is then held as it stands, the import waiting meanwhile), and at
    // the third the test presses its Cancel.
    class LookingProgress : public IZelImportProgressPort {
    public:
        explicit LookingProgress(std::function<void(ZelGeneralProgress&)> f_look)
            : Window(ZelGetImportProgressPort()), fLook(std::move(f_look))
        {
            pPrevious = ZelSetImportProgressPort(this);
        }
        ~LookingProgress() override { ZelSetImportProgressPort(pPrevious); }
        std::int64_t GetMilliseconds() override { return llNow += 2; }
        bool Open(const std::string& s_title) override { return Window.Open(s_title); }
        void Show(const std::string& s_status, std::uint64_t u_done, std::uint64_t u_total) override
        {
            Window.Show(s_status, u_done, u_total);
        }
        bool Pump() override
        {
            ++nLooks;
            for (wxWindow* p_win : wxTopLevelWindows)
                if (auto* p = dynamic_cast<ZelGeneralProgress*>(p_win); p != nullptr && p->IsShown())
                    fLook(*p);
            return Window.Pump();
        }
        void Close() override { Window.Close(); }
        int nLooks = 0;

    private:
        IZelImportProgressPort& Window;
        std::function<void(ZelGeneralProgress&)> fLook;
        IZelImportProgressPort* pPrevious;
        std::int64_t llNow = 0;
    };
    const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
    LookingProgress* p_looking = nullptr;
    LookingProgress looking([&](ZelGeneralProgress& progress) {
        seen.bProgress = true;
        for (wxWindow* p_win : wxTopLevelWindows)
            if (dynamic_cast<ZelImportWizard*>(p_win) != nullptr && p_win->IsShown())
                seen.bWizardShown = true;
        if (p_looking->nLooks != 3)
            return;
        if (p_seconds != nullptr)
            std::this_thread::sleep_for(std::chrono::seconds(std::atoi(p_seconds)));
        seen.bMainEnabled = p_main->IsEnabled();
        seen.sTitle = progress.GetTitle();
        if (auto* p_text = progress.FindWindow(ZelGeneralProgress::IDC_ZEL_PROGRESS_TEXT))
            seen.sStatus = p_text->GetLabel();
        if (auto* p_bar = wxDynamicCast(progress.FindWindow(ZelGeneralProgress::IDC_ZEL_PROGRESS_BAR), wxGauge))
            seen.iBar = p_bar->GetValue();
        PressInLoop(progress, wxID_CANCEL);
    });
    p_looking = &looking;

    WhenShown<ZelImportWizard>([&](ZelImportWizard& wizard) {
        Press(wizard, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_list = dynamic_cast<ZelEditListCtrl*>(wizard.FindWindow(WxId(ZelImportColMap::IDC_LIST)));
        ASSERT_NE(p_list, nullptr);
        ChooseField(*p_list, 0, "Group Name");
        ChooseField(*p_list, 1, "Contact Name");
        ChooseField(*p_list, 2, "Notes");
        Press(wizard, ZelSizingPropSheet::ID_WIZFINISH);
    });
    ItemListImport(rows).ImportFile("Gfile", "file", s_path);
    std::remove(s_path.c_str());
    Pump();

    EXPECT_TRUE(seen.bProgress) << "the progress window came up";
    EXPECT_EQ(looking.nLooks, 3) << "the import stopped at the look that pressed Cancel";
    EXPECT_FALSE(seen.bWizardShown) << "the wizard left the screen";
    EXPECT_FALSE(seen.bMainEnabled) << "the main window takes no input under it";
    EXPECT_EQ(seen.sTitle, "Importing");
    EXPECT_TRUE(seen.sStatus.StartsWith("Record ")) << seen.sStatus;
    EXPECT_GT(seen.iBar, 0);
    EXPECT_LT(seen.iBar, 1000) << "cancelled part way";
    EXPECT_TRUE(rows.bStopped);
    EXPECT_FALSE(rows.bEnded);

    for (wxWindow* p_win : wxTopLevelWindows)
        EXPECT_FALSE(dynamic_cast<ZelGeneralProgress*>(p_win) != nullptr && p_win->IsShown()) << "the window went";
    EXPECT_TRUE(p_main->IsEnabled());
    EXPECT_EQ(doc.GetGroups().GetNumGroups(), 3);
    EXPECT_EQ(rows.CountRows(), 3);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(rows.Mappings.IsEmpty()) << "the mapping of a cancelled import is not kept";
    EXPECT_EQ(doc.WriteEventFile(), v_before);
    p_main->Destroy();
    Pump();
}

} // namespace
