// The dialogs around a build on a display, driven by their control ids as a
// user drives them, and the port that shows them and the one that disables
// the main window during a build.
//
// With ROTAVEX_SHOW_SECONDS set, each dialog stays on screen that long, for
// a screenshot; with ROTAVEX_PAGE_PNG set, the printed page of the minimum
// report is saved there as an image.
#include "engine/BuildPorts.h"
#include "engine/BuildReports.h"
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "res/RotavexStrings.h"
#include "shell/dialogs/BuildDialogs.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace {

class BuildDialogsEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
    }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new BuildDialogsEnvironment);

template <class T>
T* Control(wxWindow& dlg, UINT u_id)
{
    return wxDynamicCast(dlg.FindWindow(WxId(u_id)), T);
}

void Click(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

// Ticks or clears a box as a click does, with the box's notification.
void Tick(wxWindow& dlg, UINT u_id, bool b_value)
{
    auto* p_box = Control<wxCheckBox>(dlg, u_id);
    ASSERT_NE(p_box, nullptr) << u_id;
    p_box->SetValue(b_value);
    wxCommandEvent click(wxEVT_CHECKBOX, WxId(u_id));
    click.SetEventObject(p_box);
    click.SetInt(b_value ? 1 : 0);
    p_box->GetEventHandler()->ProcessEvent(click);
}

// Keeps the dialog on screen for a screenshot when asked to.
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

// Runs the dialog modally; f_drive runs once it is up and ends it.
int RunModal(wxDialog& dlg, std::function<void()> f_drive)
{
    wxTheApp->CallAfter([f_drive] { f_drive(); });
    return dlg.ShowModal();
}

FailedMinimumsModel SomeMinimumRows(int i_mode, BOOL b_incomplete)
{
    FailedMinimumsModel model(i_mode, b_incomplete);
    model.Add({"Woodwind 3", "Day: Tuesday 4 March", 1, 0});
    model.Add({"Choir 1", "Event", 3, 1});
    model.Add({"Brass 2", "Venue: Great Hall", 2, 0});
    model.Add({"Choir 1", "Day: Monday 3 March", 1, 0});
    return model;
}

TEST(BuildOptionsDlg, TheMinutesFollowTheTravelBoxAndOnlyOneTo1440IsTaken)
{
    ScriptedMessageBox boxes;
    BuildOptionsModel model;
    model.bAllowTravel = FALSE;
    model.uTravelMinutes = 5;
    model.bFillTimeslots = TRUE;
    BuildOptionsDlg dlg(nullptr, model);
    dlg.Show();
    auto* p_minutes = Control<wxTextCtrl>(dlg, IDC_BUILD_TRAVEL_MINUTES);
    ASSERT_NE(p_minutes, nullptr);
    EXPECT_EQ(p_minutes->GetValue(), "5");
    EXPECT_FALSE(p_minutes->IsEnabled());
    EXPECT_TRUE(Control<wxCheckBox>(dlg, IDC_BUILD_FILL)->GetValue());
    EXPECT_FALSE(Control<wxCheckBox>(dlg, IDC_BUILD_ALLOW_TRAVEL)->GetValue());

    Tick(dlg, IDC_BUILD_ALLOW_TRAVEL, true);
    EXPECT_TRUE(p_minutes->IsEnabled());
    ShowAWhile();
    p_minutes->SetValue("1441");
    EXPECT_FALSE(dlg.TransferDataFromWindow());
    ASSERT_EQ(boxes.Boxes().size(), 1U);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Please enter an integer between 1 and 1440.");
    EXPECT_EQ(model.uTravelMinutes, 5U);

    p_minutes->SetValue("90");
    Tick(dlg, IDC_BUILD_FILL, false);
    Tick(dlg, IDC_BUILD_DONT_SHOW, true);
    ASSERT_EQ(boxes.Boxes().size(), 2U);
    EXPECT_EQ(boxes.Boxes()[1].sText, "You can choose to display this dialog again through an option in Edit|Preferences.");
    Tick(dlg, IDC_BUILD_ALLOW_TRAVEL, false);
    EXPECT_FALSE(p_minutes->IsEnabled());
    Tick(dlg, IDC_BUILD_ALLOW_TRAVEL, true);
    EXPECT_TRUE(dlg.TransferDataFromWindow());
    EXPECT_EQ(model.uTravelMinutes, 90U);
    EXPECT_TRUE(model.bAllowTravel);
    EXPECT_FALSE(model.bFillTimeslots);
    EXPECT_TRUE(model.bDontShowAgain);
    dlg.Destroy();
}

TEST(BuildOptionsDlg, ThePortStoresTheOptionsOnOkAndNothingOnCancel)
{
    WxBuildDialogsPort port;
    for (const int i_button : {wxID_CANCEL, wxID_OK}) {
        BuildOptionsModel model;
        model.bFillTimeslots = FALSE;
        wxTheApp->CallAfter([i_button] {
            auto* p_dlg = wxDynamicCast(wxWindow::FindWindowById(WxId(IDD_BUILD_OPTIONS)), wxDialog);
            ASSERT_NE(p_dlg, nullptr);
            Tick(*p_dlg, IDC_BUILD_FILL, true);
            Click(*p_dlg, i_button);
        });
        const int i_result = port.AskBuildOptions(model);
        EXPECT_EQ(i_result, i_button == wxID_OK ? IDOK : IDCANCEL);
        EXPECT_EQ(model.bFillTimeslots != FALSE, i_button == wxID_OK);
    }
}

TEST(FailedMinimums, OpensWithTheRowsInOrderAndReturnsTheChoiceAndMode)
{
    FailedMinimumsModel model = SomeMinimumRows(0, FALSE);
    FailedMinimums dlg(nullptr, model);
    const int i_result = RunModal(dlg, [&] {
        auto* p_list = Control<ZelListCtrl>(dlg, IDC_FAILED_MIN_LIST);
        ASSERT_NE(p_list, nullptr);
        ASSERT_EQ(p_list->GetItemCount(), 4);
        EXPECT_EQ(p_list->GetColumnCount(), 4);
        EXPECT_EQ(p_list->GetItemText(0, 0), "Brass 2");
        EXPECT_EQ(p_list->GetItemText(1, 1), "Event");
        EXPECT_EQ(p_list->GetItemText(2, 1), "Day: Monday 3 March");
        EXPECT_EQ(p_list->GetItemText(1, 2), "3");
        EXPECT_EQ(p_list->GetItemText(1, 3), "1");
        auto* p_keep = Control<wxRadioButton>(dlg, IDC_FAILED_MIN_KEEP_SEARCHING);
        auto* p_mode = Control<wxChoice>(dlg, IDC_FAILED_MIN_MODE);
        EXPECT_TRUE(p_keep->GetValue());
        EXPECT_TRUE(p_keep->IsEnabled());
        EXPECT_EQ(p_mode->GetSelection(), 1) << "Complete";
        ShowAWhile();
        p_mode->SetSelection(0);
        Click(dlg, wxID_OK);
    });
    EXPECT_EQ(i_result, IDC_FAILED_MIN_KEEP_SEARCHING);
    EXPECT_EQ(model.GetChosenMode(), 0);
}

TEST(FailedMinimums, AFinishedCompleteSearchOffersOnlyChanges)
{
    FailedMinimumsModel model = SomeMinimumRows(1, FALSE);
    FailedMinimums dlg(nullptr, model);
    const int i_result = RunModal(dlg, [&] {
        EXPECT_FALSE(Control<wxRadioButton>(dlg, IDC_FAILED_MIN_KEEP_SEARCHING)->IsEnabled());
        EXPECT_TRUE(Control<wxRadioButton>(dlg, IDC_FAILED_MIN_MAKE_CHANGES)->GetValue());
        Click(dlg, wxID_OK);
    });
    EXPECT_EQ(i_result, IDC_FAILED_MIN_MAKE_CHANGES);
}

// A report whose printer is a bitmap of a page.
class BitmapMinimums : public FailedMinimums {
public:
    using FailedMinimums::FailedMinimums;
    wxBitmap Page{850, 1100};
    bool bBadPrinter = false;

protected:
    std::unique_ptr<wxDC> CreatePrinterDC() override
    {
        if (bBadPrinter)
            return std::make_unique<wxMemoryDC>();
        auto p_dc = std::make_unique<wxMemoryDC>(Page);
        p_dc->SetBackground(*wxWHITE_BRUSH);
        p_dc->Clear();
        return p_dc;
    }
};

TEST(FailedMinimums, PrintsItsRowsOnTheChosenPrinter)
{
    ScriptedMessageBox boxes;
    FailedMinimumsModel model = SomeMinimumRows(0, TRUE);
    // One page's worth: the bitmap is the one page.
    for (int i = 0; i < 40; ++i)
        model.Add({"Group " + std::to_string(i), "Event", 2, 1});
    BitmapMinimums dlg(nullptr, model);
    dlg.Show();
    Click(dlg, WxId(IDC_FAILED_MIN_PRINT));
    EXPECT_TRUE(boxes.Boxes().empty());
    const wxImage page = dlg.Page.ConvertToImage();
    int n_ink = 0;
    for (int y = 0; y < page.GetHeight(); y += 2) {
        for (int x = 0; x < page.GetWidth(); x += 2)
            n_ink += page.GetRed(x, y) < 128;
    }
    EXPECT_GT(n_ink, 500) << "the page has text on it";
    if (const char* p_png = std::getenv("ROTAVEX_PAGE_PNG")) {
        if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
            wxImage::AddHandler(new wxPNGHandler);
        page.SaveFile(p_png, wxBITMAP_TYPE_PNG);
    }

    dlg.bBadPrinter = true;
    Click(dlg, WxId(IDC_FAILED_MIN_PRINT));
    ASSERT_EQ(boxes.Boxes().size(), 1U);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Printer wouldn't initialize");
    dlg.Destroy();
}

TEST(FailedRotation, ShowsTheRowsWithTheirScope)
{
    FailedRotationModel model;
    model.Rows.Add({"Choir 1", "Great Hall", "Locked in one or more venues.", 2, "Monday 3 March"});
    model.Rows.Add({"Brass 2", "Barn", "", 1, ""});
    FailedRotation dlg(nullptr, model);
    const int i_result = RunModal(dlg, [&] {
        auto* p_list = Control<ZelListCtrl>(dlg, IDC_FAILED_ROT_LIST);
        ASSERT_NE(p_list, nullptr);
        ASSERT_EQ(p_list->GetItemCount(), 2);
        EXPECT_EQ(p_list->GetItemText(0, 0) + "|" + p_list->GetItemText(0, 1) + "|" + p_list->GetItemText(0, 2),
                  "Brass 2|Event|Barn");
        EXPECT_EQ(p_list->GetItemText(1, 1), "Day: Monday 3 March");
        EXPECT_EQ(p_list->GetItemText(1, 3), "Locked in one or more venues.");
        EXPECT_NE(dlg.FindWindow(WxId(IDC_FAILED_ROT_PRINT)), nullptr);
        ShowAWhile();
        Click(dlg, wxID_OK);
    });
    EXPECT_EQ(i_result, wxID_OK);
}

TEST(NotScheduledDlg, ListsTheGroupsAndExplainsOnlyWhenAsked)
{
    for (const BOOL b_explain : {FALSE, TRUE}) {
        NotScheduledModel model;
        model.Groups.Add("Strings 4");
        model.Groups.Add("Brass 2");
        model.bExplain = b_explain;
        NotScheduledDlg dlg(nullptr, model);
        RunModal(dlg, [&] {
            auto* p_list = Control<ZelListCtrl>(dlg, IDC_NOT_SCHEDULED_LIST);
            ASSERT_NE(p_list, nullptr);
            ASSERT_EQ(p_list->GetItemCount(), 2);
            EXPECT_EQ(p_list->GetItemText(0, 0), "Strings 4") << "in the order given";
            EXPECT_EQ(dlg.FindWindow(WxId(IDC_NOT_SCHEDULED_EXPLAIN_1))->IsShown(), b_explain != FALSE);
            EXPECT_EQ(dlg.FindWindow(WxId(IDC_NOT_SCHEDULED_EXPLAIN_2))->IsShown(), b_explain != FALSE);
            if (!b_explain)
                ShowAWhile();
            Click(dlg, wxID_OK);
        });
    }
}

TEST(SortTooLongDlg, TheBoxIsReadOnOk)
{
    WxBuildDialogsPort port;
    SortTooLongModel model;
    wxTheApp->CallAfter([] {
        auto* p_dlg = wxDynamicCast(wxWindow::FindWindowById(WxId(IDD_SORT_TOO_LONG)), wxDialog);
        ASSERT_NE(p_dlg, nullptr);
        EXPECT_FALSE(Control<wxCheckBox>(*p_dlg, IDC_SORT_TOO_LONG_DONT_SHOW)->GetValue());
        ShowAWhile();
        Tick(*p_dlg, IDC_SORT_TOO_LONG_DONT_SHOW, true);
        Click(*p_dlg, wxID_OK);
    });
    port.ShowSortTooLong(model);
    EXPECT_TRUE(model.bDontShowAgain);
}

TEST(WxBuildWindowPort, DisablesTheTopWindowAndGivesItBack)
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "Main");
    wxTheApp->SetTopWindow(p_frame);
    p_frame->Show();
    WxBuildWindowPort port;
    port.DisableMainWindow();
    EXPECT_FALSE(p_frame->IsEnabled());
    port.EnableMainWindow(TRUE);
    EXPECT_TRUE(p_frame->IsEnabled());
    wxTheApp->SetTopWindow(nullptr);
    p_frame->Destroy();
}

} // namespace
