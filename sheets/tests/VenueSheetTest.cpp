// The venue pane and the venue sheet in the program, in-process under a
// virtual display, over a sample event with a built timetable: a venue
// added by the frame's command through its sheet (a name of blanks only
// refused on the page, a name in use refused while the sheet stays open),
// the change walk with Apply and Next (a name another venue has refused
// while the sheet stays open), OK, Apply and Next over unchanged venues
// leaving the timetable and the event alone, the sheet reopening where it
// was left, and the venue list printed to a preview through the column
// chooser.
//
// With ROTAVEX_SHOW_SECONDS set, the pane and the preview stay on screen
// that long, for screenshots (the sheet alone: VenuePSheetTest).
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "app/InstallSheets.h"
#include "sheets/VenuePSheet.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/ItemListView.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "testsupport/ProgramFolder.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "shell/lists/VenueView.h"
#include "shell/lists/VenueViewRules.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/print.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

namespace fs = std::filesystem;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment(&InstallSheets));

std::string Title(wxTopLevelWindow& window) { return std::string(window.GetTitle().utf8_str()); }

template <class W>
W* OpenWindow()
{
    for (wxWindow* p : wxTopLevelWindows) {
        if (auto* p_window = dynamic_cast<W*>(p); p_window != nullptr && p_window->IsShown())
            return p_window;
    }
    return nullptr;
}

// Plays the user in each modal window of type W that opens, one step per
// window, in order; a step must end its window.
template <class W>
class ModalDriver : public wxTimer {
public:
    using Step = std::function<void(W&)>;
    explicit ModalDriver(std::initializer_list<Step> a_steps) : qSteps(a_steps) { Start(20); }
    ~ModalDriver() override { Stop(); }

    void Notify() override
    {
        // Each step ends its window, so a modal one that is open is the
        // next (a sheet may well open at the address of the last).
        W* p_window = OpenWindow<W>();
        if (p_window == nullptr || !p_window->IsModal() || bBusy || qSteps.empty())
            return;
        const Step f_step = qSteps.front();
        qSteps.pop_front();
        bBusy = true;
        // Run from the loop's pending calls rather than the timer's own
        // callback, in which the window would not paint.
        wxTheApp->CallAfter([this, f_step, p_window] {
            f_step(*p_window);
            bBusy = false;
            ++nDriven;
        });
    }
    bool Done() const { return qSteps.empty(); }
    int nDriven = 0;

private:
    std::deque<Step> qSteps;
    bool bBusy = false;
};

class VenueSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-venues");
        fs::copy_file(fs::path(ROTAVEX_SAMPLE_TIMETABLES) / "Festival weekend.eve", fsFolder / "festival.eve");
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterVenueView());
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "festival.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
        ASSERT_NE(View(), nullptr);
        ASSERT_GE(Doc().GetNumVenues(), 2);
    }
    void TearDown() override
    {
        TheApp()->GetDocument()->Modify(false);
        Doc().SetModifiedFlag(false);
        TheApp()->ShutDown();
        WindowClasses::Unregister(kVenueView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    VenueView* View() { return dynamic_cast<VenueView*>(Frame().GetPaneView(0, 0)); }
    ZelListModel& List() { return View()->GetList(); }
    bool Run(UINT u_command)
    {
        const bool b_ran = Frame().RunCommand(u_command);
        Pump();
        return b_ran;
    }
    std::string VenueName(int i) { return Doc().GetVenues()[i].GetName(); }
    void SelectRows(std::initializer_list<int> a_rows)
    {
        View()->UnselectAll();
        for (int i : a_rows)
            View()->SelectItem(i);
    }
    int RowOf(LONG l_key) { return List().FindItemData(l_key); }

    fs::path fsFolder;
    ScriptedMessageBox Boxes;
};

TEST_F(VenueSheetTest, ThePaneListsTheVenues)
{
    ASSERT_EQ(List().GetItemCount(), Doc().GetNumVenues());
    ASSERT_EQ(List().GetColumnCount(), 4);
    std::string s_heading;
    List().GetColumn(0, &s_heading);
    EXPECT_EQ(s_heading, "Venue Name");
    EXPECT_EQ(List().GetItemText(0, 0), VenueName(0));
    // The frame's first column is as wide as the venue list asks.
    EXPECT_FALSE(View()->GetPaneColumnWidths().empty());
    ShowAWhile();
}

TEST_F(VenueSheetTest, AVenueIsAddedThroughItsSheet)
{
    const int n_venues = Doc().GetNumVenues();
    ModalDriver<VenuePSheet> driver{[&](VenuePSheet& sheet) {
        EXPECT_EQ(Title(sheet), "Define venue");
        // Blanks only: the page keeps the user.
        TypeInLoop(sheet, IDC_VENUE_NAME, "   ");
        PressInLoop(sheet, wxID_OK);
        ASSERT_TRUE(sheet.IsShown());
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_EQ(Boxes.Boxes()[0].sText, "You must provide a name for the venue.");
        // Typing names the sheet.
        TypeInLoop(sheet, IDC_VENUE_NAME, "Studio Nine");
        EXPECT_EQ(Title(sheet), "Define venue - Studio Nine");
        TypeInLoop(sheet, IDC_VENUE_LOCATION, "Back lot");
        PressInLoop(sheet, wxID_OK);
    }};
    ASSERT_TRUE(Run(ID_ADD_VENUE));
    EXPECT_TRUE(driver.Done());
    ASSERT_EQ(Doc().GetNumVenues(), n_venues + 1);
    EXPECT_EQ(VenueName(n_venues), "Studio Nine");
    EXPECT_EQ(Doc().GetVenues()[n_venues].GetLocation(), "Back lot");
    EXPECT_EQ(List().GetItemCount(), n_venues + 1);
    EXPECT_GE(RowOf(Doc().GetVenues()[n_venues].GetKey()), 0);
    EXPECT_TRUE(Doc().IsModified());

    // A name in use is refused while the sheet stays open with what was
    // typed, the name selected for mending; nothing is stored until then.
    Boxes.Clear();
    const std::string s_used = VenueName(0);
    ModalDriver<VenuePSheet> again{[&](VenuePSheet& sheet) {
        TypeInLoop(sheet, IDC_VENUE_NAME, s_used.c_str());
        TypeInLoop(sheet, IDC_VENUE_LOCATION, "Rooftop");
        PressInLoop(sheet, wxID_OK);
        ASSERT_TRUE(sheet.IsModal());
        EXPECT_EQ(Doc().GetNumVenues(), n_venues + 1);
        auto* p_name = static_cast<wxTextCtrl*>(sheet.FindWindow(IDC_VENUE_NAME));
        EXPECT_EQ(wxWindow::FindFocus(), p_name);
        long l_from = 0;
        long l_to = 0;
        p_name->GetSelection(&l_from, &l_to);
        EXPECT_EQ(l_to - l_from, static_cast<long>(s_used.size())) << "the whole name is selected";
        EXPECT_EQ(static_cast<wxTextCtrl*>(sheet.FindWindow(IDC_VENUE_LOCATION))->GetValue(), "Rooftop");
        TypeInLoop(sheet, IDC_VENUE_NAME, "Roof Garden");
        PressInLoop(sheet, wxID_OK);
    }};
    ASSERT_TRUE(Run(ID_ADD_VENUE));
    EXPECT_TRUE(again.Done());
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot add venue. Venue '" + s_used + "' already exists.");
    ASSERT_EQ(Doc().GetNumVenues(), n_venues + 2);
    EXPECT_EQ(VenueName(n_venues + 1), "Roof Garden");
    EXPECT_EQ(Doc().GetVenues()[n_venues + 1].GetLocation(), "Rooftop");
}

TEST_F(VenueSheetTest, AnOkThatChangesNothingKeepsTheTimetable)
{
    auto unfilled = [this] { return Doc().GetTimetable()->CountUnfilled(-1, -1); };
    ASSERT_NE(Doc().GetTimetable(), nullptr);
    const int n_unfilled = unfilled();
    SelectRows({0, 1});
    // OK, Next and Apply over unchanged venues store nothing: the
    // timetable keeps every placement and the event is not modified. Apply
    // keeps the first sheet open, and Next ends it.
    VenuePSheet* p_applied = nullptr;
    ModalDriver<VenuePSheet> driver{
        [&](VenuePSheet& sheet) {
            p_applied = &sheet;
            PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
            EXPECT_TRUE(sheet.IsModal());
        },
        [&](VenuePSheet& sheet) {
            EXPECT_EQ(&sheet, p_applied);
            PressInLoop(sheet, IDC_SHEET_NEXT);
        },
        [&](VenuePSheet& sheet) { PressInLoop(sheet, wxID_OK); },
    };
    Run(ID_LIST_CHANGE);
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(unfilled(), n_unfilled);

    // A real change still goes through the change routine, which keeps
    // only the locked placements.
    SelectRows({0});
    ModalDriver<VenuePSheet> change{[&](VenuePSheet& sheet) {
        TypeInLoop(sheet, IDC_VENUE_LOCATION, "Moved");
        PressInLoop(sheet, wxID_OK);
    }};
    Run(ID_LIST_CHANGE);
    EXPECT_TRUE(change.Done());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_GT(unfilled(), n_unfilled);
    EXPECT_EQ(Doc().GetVenues()[Doc().GetVenues().FindByKey(static_cast<LONG>(List().GetItemData(0)))].GetLocation(),
              "Moved");
}

TEST_F(VenueSheetTest, TheChangeWalkAppliesAndMovesOn)
{
    const LONG l_first = Doc().GetVenues()[0].GetKey();
    const LONG l_second = Doc().GetVenues()[1].GetKey();
    const std::string s_second = VenueName(1);
    SelectRows({RowOf(l_first), RowOf(l_second)});

    ModalDriver<VenuePSheet> driver{
        [&](VenuePSheet& sheet) {
            EXPECT_NE(sheet.FindWindow(IDC_SHEET_NEXT), nullptr);
            // The second venue's name: refused, the sheet stays with the
            // edits, the stored venue is as it was.
            TypeInLoop(sheet, IDC_VENUE_NAME, s_second.c_str());
            TypeInLoop(sheet, IDC_VENUE_LOCATION, "Upstairs");
            PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
            ASSERT_TRUE(sheet.IsShown());
            ASSERT_EQ(Boxes.Boxes().size(), 1u);
            EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot change venue. Venue '" + s_second + "' already exists.");
            EXPECT_NE(Doc().GetVenues()[Doc().GetVenues().FindByKey(l_first)].GetName(), s_second);
            EXPECT_EQ(static_cast<wxTextCtrl*>(sheet.FindWindow(IDC_VENUE_LOCATION))->GetValue(), "Upstairs");
            TypeInLoop(sheet, IDC_VENUE_NAME, "Main Stage");
            PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
            EXPECT_TRUE(sheet.IsModal());
            EXPECT_EQ(Doc().GetVenues()[Doc().GetVenues().FindByKey(l_first)].GetName(), "Main Stage");
        },
        // Apply stored it, and the sheet stays on the same venue.
        [&](VenuePSheet& sheet) {
            EXPECT_EQ(Title(sheet), "Define venue - Main Stage");
            TypeInLoop(sheet, IDC_VENUE_LOCATION, "Ground floor");
            PressInLoop(sheet, IDC_SHEET_NEXT);
        },
        [&](VenuePSheet& sheet) {
            EXPECT_EQ(Title(sheet), "Define venue - " + s_second);
            // On the last venue OK carries on, and the walk ends.
            PressInLoop(sheet, wxID_OK);
        },
    };
    Run(ID_LIST_CHANGE);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(driver.nDriven, 3);
    const Venue& first = Doc().GetVenues()[Doc().GetVenues().FindByKey(l_first)];
    EXPECT_EQ(first.GetName(), "Main Stage");
    EXPECT_EQ(first.GetLocation(), "Ground floor");
    EXPECT_EQ(List().GetItemText(RowOf(l_first), 0), "Main Stage");
    EXPECT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_TRUE(VenuePSheet::HasLastPosition());
}

TEST_F(VenueSheetTest, TheNextSheetOpensWhereTheLastWasLeft)
{
    wxRect rc_left;
    ModalDriver<VenuePSheet> driver{
        [&](VenuePSheet& sheet) {
            sheet.SetSize(sheet.GetRect().x + 40, sheet.GetRect().y + 30, sheet.GetSize().x + 60,
                          sheet.GetSize().y + 50);
            Pump();
            rc_left = sheet.GetRect();
            PressInLoop(sheet, wxID_CANCEL);
        },
        [&](VenuePSheet& sheet) {
            EXPECT_EQ(sheet.GetSize(), rc_left.GetSize());
            PressInLoop(sheet, wxID_CANCEL);
        },
    };
    Run(ID_ADD_VENUE);
    Run(ID_ADD_VENUE);
    EXPECT_TRUE(driver.Done());
}

TEST_F(VenueSheetTest, TheVenueListPrintsToAPreview)
{
    ASSERT_TRUE(Doc().GetPrintOptions().GetVenueListSet().GetIds().GetSize() == 0);
    ModalDriver<SelectColumnsDlg> driver{[&](SelectColumnsDlg& dlg) {
        EXPECT_EQ(Title(dlg), "Select columns");
        PressInLoop(dlg, wxID_OK);
    }};
    ASSERT_TRUE(Run(ID_PREVIEW_VENUE_LIST));
    EXPECT_TRUE(driver.Done());
    wxPreviewFrame* p_preview = OpenWindow<wxPreviewFrame>();
    ASSERT_NE(p_preview, nullptr);
    Pump();
    ShowAWhile();
    // The defaults the event's venues fill were printed, and are kept in
    // the event.
    const ZelArray<UINT> a_offered = VenueViewRules::GetPrintCandidates(&Doc());
    std::vector<UINT> v_expected;
    for (UINT u_id : {0u, 1u, 2u, 3u}) {
        for (int i = 0; i < a_offered.GetSize(); ++i) {
            if (a_offered[i] == u_id)
                v_expected.push_back(u_id);
        }
    }
    const auto& ids = Doc().GetPrintOptions().GetVenueListSet().GetIds();
    std::vector<UINT> v_kept;
    for (int i = 0; i < ids.GetSize(); ++i)
        v_kept.push_back(ids[i]);
    EXPECT_EQ(v_kept, v_expected);
    EXPECT_GE(v_kept.size(), 2u);
    EXPECT_EQ(View()->GetPrintColumnCount(), static_cast<int>(v_expected.size()));
    EXPECT_EQ(View()->GetPrintColumnTitle(1), "Location");
    EXPECT_TRUE(Doc().IsModified());
    p_preview->Destroy();
    Pump();
}

} // namespace
