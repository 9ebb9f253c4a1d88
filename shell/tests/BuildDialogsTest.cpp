// The dialogs around a build on a display, driven by their control ids as a
// user drives them, and the port that shows them and the one that disables
// the main window during a build.
//
// With ROTAVEX_SHOW_SECONDS set, each dialog stays on screen that long, for
// a screenshot; with ROTAVEX_SHOT_DIR set, the reports' printed PDF files
// are saved there.
#include "engine/BuildPorts.h"
#include "engine/BuildReports.h"
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "res/RotavexStrings.h"
#include "shell/dialogs/BuildDialogs.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <regex>
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
    EXPECT_EQ(boxes.Boxes()[1].sText, "You can choose to display this dialog again through an option in Event|Preferences.");
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

// Both reports' Print buttons through the toolkit's print dialog into a
// PDF file, as a user without a printer prints (each in a process of its
// own): the text read back holds the report's title, its column titles,
// every row in the dialog's columns, the long last column wrapped, and the
// footers' date and time and page numbers.
TEST(BuildReports, PrintThroughTheToolkitIntoAPdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const std::filesystem::path fs_folder
        = std::filesystem::temp_directory_path() / ("rvx-buildreports-" + std::to_string(getpid()));
    std::filesystem::remove_all(fs_folder);
    std::filesystem::create_directories(fs_folder);
    const struct {
        const char* pReport;
        const char* pTitle;
        std::vector<std::string> vColumns;
        std::vector<std::string> vRows;
    } a_cases[] = {
        {"minimums", "Minimum Scheduling Failures", {"Group", "Where", "Minimum", "Actual"},
         {"Choir 1", "Day: Monday 3 March", "Venue: Great Hall", "Group 79"}},
        {"rotation", "Rotation Failures", {"Group", "Rotation", "Venue", "Other information"},
         {"Brass 2", "Day: Monday 3 March", "Locked in this venue 2 time(s).", "Group 79"}},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pReport);
        const std::filesystem::path fs_pdf = fs_folder / (std::string(c.pReport) + ".pdf");
        EXPECT_TRUE(ChildPassed(RunTestInChild("BuildReports.PrintChild",
                                               {{"ROTAVEX_PDF_OUT", fs_pdf.string()}, {"ROTAVEX_REPORT", c.pReport}})));
        ASSERT_TRUE(std::filesystem::exists(fs_pdf)) << "the toolkit printed no file";
        const std::string s_text = PdfText(fs_pdf.string());
        ASSERT_FALSE(s_text.empty()) << "pdftotext (poppler-utils) is needed";
        EXPECT_NE(s_text.find(c.pTitle), std::string::npos);
        for (const std::string& s : c.vColumns)
            EXPECT_NE(s_text.find(s), std::string::npos) << s;
        for (const std::string& s : c.vRows)
            EXPECT_NE(s_text.find(s), std::string::npos) << s;
        EXPECT_NE(s_text.find("Page 1"), std::string::npos);
        EXPECT_NE(s_text.find("Page 2"), std::string::npos) << "80 rows and more take two pages";
        EXPECT_TRUE(std::regex_search(s_text, std::regex("[0-9]{2}-[A-Z][a-z]{2}-20[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")))
            << "the footer's date and time";
        if (std::string(c.pReport) == "rotation") {
            // The last column's long text, wrapped: its first and last
            // words on different lines.
            const std::size_t u_first = s_text.find("Every"), u_last = s_text.find("venues.");
            ASSERT_NE(u_first, std::string::npos);
            ASSERT_NE(u_last, std::string::npos);
            EXPECT_NE(s_text.substr(u_first, u_last - u_first).find('\n'), std::string::npos);
        }
        if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
            std::filesystem::copy_file(fs_pdf, std::filesystem::path(p_dir) / ("report-" + std::string(c.pReport) + ".pdf"),
                                       std::filesystem::copy_options::overwrite_existing);
    }
    std::filesystem::remove_all(fs_folder);
}

// One print of the test above, in its own process: the report's dialog
// opened modally, Print pressed, the toolkit's dialog answered, then OK.
TEST(BuildReports, PrintChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    const char* p_report = std::getenv("ROTAVEX_REPORT");
    if (p_out == nullptr || p_report == nullptr)
        GTEST_SKIP() << "run by PrintThroughTheToolkitIntoAPdfFile";
    ScriptedMessageBox boxes;
    PrintDialogAnswer answer(p_out);
    const auto print = [&](wxDialog& dlg, UINT u_print) {
        answer.Start(500);
        Click(dlg, WxId(u_print));
        EXPECT_TRUE(answer.bAnswered);
        Click(dlg, wxID_OK);
    };
    if (std::string(p_report) == "minimums") {
        FailedMinimumsModel model = SomeMinimumRows(0, TRUE);
        for (int i = 0; i < 80; ++i)
            model.Add({"Group " + std::to_string(i), "Event", 2, 1});
        FailedMinimums dlg(nullptr, model);
        RunModal(dlg, [&] { print(dlg, IDC_FAILED_MIN_PRINT); });
    } else {
        FailedRotationModel model;
        model.Rows.Add({"Choir 1", "Great Hall", "Locked in one or more venues.", 2, "Monday 3 March"});
        model.Rows.Add({"Brass 2", "Barn", "Locked in this venue 2 time(s).", 1, ""});
        std::string s_long = "Every";
        for (int i = 0; i < 40; ++i)
            s_long += " placement of the group";
        model.Rows.Add({"Strings 4", "Barn", s_long + " venues.", 1, ""});
        for (int i = 0; i < 80; ++i)
            model.Rows.Add({"Group " + std::to_string(i), "Barn", "", 2, "Monday 3 March"});
        FailedRotation dlg(nullptr, model);
        RunModal(dlg, [&] { print(dlg, IDC_FAILED_ROT_PRINT); });
    }
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].sText;
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
