// The "Roster participants" dialog on a display, opened by the roster
// command over generated events read back through the event file, driven
// by its control ids as a user drives it: a whole run and its error
// report, the dialog as tall as what it shows at each stage, Stop in a long run with the main frame frozen meanwhile, a
// failure on the worker reported by the roster driver after the dialog
// has gone, and the dialog going while a run is still going.
//
// With ROTAVEX_SHOW_SECONDS set, the dialog stays on screen that long
// before a run, during one and after it, for screenshots.
#include "generators/RosterGenerator.h"
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "model/General.h"
#include "res/RotavexStrings.h"
#include "roster/RosterEngine.h"
#include "roster/tests/RosterBed.h"
#include "shell/dialogs/RosterCtrlDlg.h"
#include "generators/SampleEvents.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

namespace {

using P = RosterCtrlPresenter;

class RosterDialogEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
        InstallRosterDialogs();
    }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RosterDialogEnvironment);

std::string Text(UINT u_id) { return LoadResString(u_id, "?"); }

// Lets the display and the queued codes catch up for a moment.
void Pump()
{
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Pumps until the condition holds; false after a minute without it.
bool WaitFor(const std::function<bool()>& f_done)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!f_done()) {
        if (std::chrono::steady_clock::now() > t_end)
            return false;
        Pump();
    }
    return true;
}

// Keeps the dialog on screen for a screenshot when asked to.
void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end)
            Pump();
    }
}

wxWindow* Ctrl(wxWindow& dlg, UINT u_id) { return dlg.FindWindow(WxId(u_id)); }

std::string Label(wxWindow& dlg, UINT u_id)
{
    wxWindow* p_ctrl = Ctrl(dlg, u_id);
    if (p_ctrl == nullptr)
        return "(none)";
    if (auto* p_static = wxDynamicCast(p_ctrl, wxStaticText))
        return std::string(p_static->GetLabelText().utf8_str());
    return std::string(p_ctrl->GetLabel().utf8_str());
}

bool Shown(wxWindow& dlg, UINT u_id) { return Ctrl(dlg, u_id) != nullptr && Ctrl(dlg, u_id)->IsShown(); }
bool Enabled(wxWindow& dlg, UINT u_id) { return Ctrl(dlg, u_id) != nullptr && Ctrl(dlg, u_id)->IsEnabled(); }

// A press on an enabled, shown button, as the user makes it.
void Click(wxWindow& dlg, UINT u_id)
{
    wxWindow* p_button = Ctrl(dlg, u_id);
    ASSERT_NE(p_button, nullptr) << u_id;
    ASSERT_TRUE(p_button->IsShown() && p_button->IsEnabled()) << u_id;
    wxCommandEvent click(wxEVT_BUTTON, WxId(u_id));
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

// The dialog is as tall as what it shows: every control shown lies inside
// it, and neither between two of them nor below the last is there more
// room than the dialog's margin (7 dialog units).
void ExpectNoBlankBand(wxWindow& dlg, const char* p_stage)
{
    SCOPED_TRACE(p_stage);
    const int i_margin = dlg.ConvertDialogToPixels(wxSize(0, 7)).y;
    std::vector<wxRect> v_rects;
    for (wxWindow* p_child : dlg.GetChildren())
        if (p_child->IsShown())
            v_rects.push_back(p_child->GetRect());
    ASSERT_FALSE(v_rects.empty());
    std::sort(v_rects.begin(), v_rects.end(), [](const wxRect& a, const wxRect& b) { return a.y < b.y; });
    const wxSize sz_client = dlg.GetClientSize();
    int i_bottom = 0;
    for (const wxRect& rc : v_rects) {
        EXPECT_GE(rc.x, 0);
        EXPECT_LE(rc.GetRight(), sz_client.x) << "cut off at the right";
        EXPECT_LE(rc.GetBottom(), sz_client.y) << "cut off at the bottom";
        EXPECT_LE(rc.y - i_bottom, i_margin + 1) << "an empty band above the control at y " << rc.y;
        i_bottom = std::max(i_bottom, rc.GetBottom() + 1);
    }
    EXPECT_LE(sz_client.y - i_bottom, i_margin + 1) << "an empty band under the buttons";
}

template <class Dlg>
Dlg* FindDialog()
{
    for (wxWindow* p_window : wxTopLevelWindows) {
        if (auto* p_dlg = dynamic_cast<Dlg*>(p_window); p_dlg != nullptr && p_dlg->IsShown())
            return p_dlg;
    }
    return nullptr;
}

// A generated event written through the event file and read back.
std::unique_ptr<EventDoc> LoadGenerated(const benchevent::RosterOptions& options)
{
    std::unique_ptr<EventDoc> p_generated = benchevent::GenerateRosterEvent(options);
    p_generated->SetEventName("Generated event");
    const std::string s_path = ::testing::TempDir() + "roster-dialog-test.rvx";
    EventFile file;
    EXPECT_TRUE(file.Save(*p_generated, s_path));
    auto p_doc = std::make_unique<EventDoc>();
    EXPECT_TRUE(file.Load(*p_doc, s_path));
    std::remove(s_path.c_str());
    p_doc->SetModifiedFlag(false);
    return p_doc;
}

// The roster command; f_drive runs once the dialog is up and must close it.
void RunRosterCommand(EventDoc& doc, const std::function<void(RosterCtrlDlg&)>& f_drive)
{
    ASSERT_TRUE(doc.IsCommandEnabled(EventDoc::ID_ROSTER_PARTICIPANTS));
    wxTheApp->CallAfter([f_drive] {
        RosterCtrlDlg* p_dlg = FindDialog<RosterCtrlDlg>();
        ASSERT_NE(p_dlg, nullptr);
        f_drive(*p_dlg);
    });
    doc.OnRosterParticipants();
}

TEST(RosterCtrlDlg, ARunOverAGeneratedEventAndItsErrorReport)
{
    ScriptedMessageBox boxes;
    std::unique_ptr<EventDoc> p_doc = LoadGenerated(benchevent::RosterPreset(0, 3));
    RosterStatus before;
    RosterEngine(p_doc.get()).Recount(TRUE, &before);
    const RosterCounts counts_before = before.GetSnapshot();
    ASSERT_GT(counts_before.nToBeRostered, 0u);

    std::string s_title;
    int n_rows = -1;
    int i_columns_beyond = -1;
    std::vector<std::string> v_counters;
    RunRosterCommand(*p_doc, [&](RosterCtrlDlg& dlg) {
        const int i_top_row = Ctrl(dlg, P::IDC_WITH_ROSTERING_LABEL)->GetPosition().y;
        EXPECT_EQ(dlg.GetTitle(), "Roster participants");
        EXPECT_EQ(Label(dlg, P::IDC_WITH_ROSTERING), std::to_string(counts_before.nWithRostering));
        EXPECT_EQ(Label(dlg, P::IDC_TO_BE_ROSTERED), std::to_string(counts_before.nToBeRostered));
        EXPECT_EQ(Label(dlg, P::IDC_ROSTER), "&Roster");
        EXPECT_FALSE(Shown(dlg, P::IDC_OK));
        ExpectNoBlankBand(dlg, "before the run");
        ShowAWhile();

        Click(dlg, P::IDC_ROSTER);
        ASSERT_TRUE(WaitFor([&] { return Shown(dlg, P::IDC_OK); })) << "the run never ended";
        EXPECT_FALSE(p_doc->IsBusy());
        for (const UINT u_id : {P::IDC_TO_MINIMUM, P::IDC_ERRORS, P::IDC_TO_MAXIMUM})
            v_counters.push_back(Label(dlg, u_id));
        EXPECT_FALSE(Shown(dlg, P::IDC_TO_BE_ROSTERED)) << "hidden since the run started";
        EXPECT_FALSE(Shown(dlg, P::IDC_WITH_ROSTERING));
        EXPECT_EQ(Ctrl(dlg, P::IDC_TO_MINIMUM_LABEL)->GetPosition().y, i_top_row)
            << "the counts that stay close up under the top, with no empty band over them";
        EXPECT_EQ(Label(dlg, P::IDC_MESSAGE), Text(59180));
        EXPECT_EQ(Label(dlg, P::IDC_CANCEL), "Cancel");
        EXPECT_EQ(Label(dlg, P::IDC_VIEW_ERRORS), "&View errors");
        EXPECT_TRUE(Enabled(dlg, P::IDC_ROSTER));
        auto* p_bar = wxDynamicCast(Ctrl(dlg, ZelGeneralProgress::IDC_ZEL_PROGRESS_BAR), wxGauge);
        ASSERT_NE(p_bar, nullptr);
        EXPECT_EQ(p_bar->GetValue(), p_bar->GetRange());
        ExpectNoBlankBand(dlg, "after the run");
        ShowAWhile();

        wxTheApp->CallAfter([&] {
            ZelReportDlg* p_report = FindDialog<ZelReportDlg>();
            ASSERT_NE(p_report, nullptr);
            s_title = std::string(p_report->GetTitle().utf8_str());
            n_rows = p_report->GetList().GetItemCount();
            i_columns_beyond = p_report->GetList().GetTotalColumnWidth() - p_report->GetList().GetClientSize().x;
            ShowAWhile();
            Click(*p_report, ZelReportDlg::IDC_ZEL_REPORT_OK);
        });
        Click(dlg, P::IDC_VIEW_ERRORS);
        Click(dlg, P::IDC_OK);
    });

    // The counters as a recount of the rostered event finds them.
    RosterEngine engine(p_doc.get());
    RosterStatus after;
    engine.Recount(FALSE, &after);
    const RosterCounts counts = after.GetSnapshot();
    EXPECT_EQ(v_counters, (std::vector<std::string>{std::to_string(counts.nToMinimum), std::to_string(counts.nErrors),
                                                    std::to_string(counts.nToMaximum)}));
    EXPECT_GT(counts.nToMinimum, counts_before.nToMinimum);
    EXPECT_EQ(s_title, "Rostering errors");
    EXPECT_GT(n_rows, 0);
    EXPECT_EQ(n_rows, engine.GetErrors().GetSize());
    EXPECT_LE(i_columns_beyond, 0) << "the report opens wide enough for its columns";
    EXPECT_TRUE(p_doc->IsModified());
    EXPECT_TRUE(boxes.Boxes().empty()) << "errors: no check";
}

// The rostering errors' report printed through the toolkit's print dialog
// into a PDF file, as a user without a printer prints (in a process of its
// own): the text read back holds the report's title, its column titles and
// the participants of its rows, with numbered pages.
TEST(RosterCtrlDlg, TheErrorReportPrintsIntoAPdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const std::string s_pdf = ::testing::TempDir() + "roster-errors-" + std::to_string(getpid()) + ".pdf";
    const std::string s_rows = s_pdf + ".rows";
    EXPECT_TRUE(ChildPassed(RunTestInChild("RosterCtrlDlg.ErrorReportPrintChild",
                                           {{"ROTAVEX_PDF_OUT", s_pdf}, {"ROTAVEX_ROWS_OUT", s_rows}}, 120)));
    const std::string s_text = PdfText(s_pdf);
    ASSERT_FALSE(s_text.empty()) << "no file, or pdftotext (poppler-utils) missing";
    EXPECT_NE(s_text.find("Rostering errors"), std::string::npos);
    EXPECT_NE(s_text.find("Page 1"), std::string::npos);
    // The column titles and every row's first cell, as the child's report
    // listed them, one a line.
    std::FILE* p_rows = std::fopen(s_rows.c_str(), "r");
    ASSERT_NE(p_rows, nullptr);
    char a_line[1024];
    int n_lines = 0;
    while (std::fgets(a_line, sizeof a_line, p_rows) != nullptr) {
        std::string s_line = a_line;
        while (!s_line.empty() && (s_line.back() == '\n' || s_line.back() == '\r'))
            s_line.pop_back();
        if (s_line.empty())
            continue;
        ++n_lines;
        EXPECT_NE(s_text.find(s_line), std::string::npos) << s_line;
    }
    std::fclose(p_rows);
    EXPECT_GT(n_lines, 2);
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR")) {
        std::FILE* p_in = std::fopen(s_pdf.c_str(), "rb");
        std::FILE* p_out = std::fopen((std::string(p_dir) + "/report-rostering.pdf").c_str(), "wb");
        char a_buffer[4096];
        std::size_t n = 0;
        while (p_in != nullptr && p_out != nullptr && (n = std::fread(a_buffer, 1, sizeof a_buffer, p_in)) > 0)
            std::fwrite(a_buffer, 1, n, p_out);
        if (p_in != nullptr)
            std::fclose(p_in);
        if (p_out != nullptr)
            std::fclose(p_out);
    }
    std::remove(s_pdf.c_str());
    std::remove(s_rows.c_str());
}

// The print of the test above, in its own process: a run with errors, View
// errors, Print in the report.
TEST(RosterCtrlDlg, ErrorReportPrintChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    const char* p_rows = std::getenv("ROTAVEX_ROWS_OUT");
    if (p_out == nullptr || p_rows == nullptr)
        GTEST_SKIP() << "run by TheErrorReportPrintsIntoAPdfFile";
    ScriptedMessageBox boxes;
    std::unique_ptr<EventDoc> p_doc = LoadGenerated(benchevent::RosterPreset(0, 3));
    bool b_answered = false;
    RunRosterCommand(*p_doc, [&](RosterCtrlDlg& dlg) {
        Click(dlg, P::IDC_ROSTER);
        ASSERT_TRUE(WaitFor([&] { return Shown(dlg, P::IDC_OK); })) << "the run never ended";
        wxTheApp->CallAfter([&] {
            ZelReportDlg* p_report = FindDialog<ZelReportDlg>();
            ASSERT_NE(p_report, nullptr);
            // What the print must hold: the column titles and the rows'
            // first cells (the first rows: the first page's).
            std::FILE* p_file = std::fopen(p_rows, "w");
            ASSERT_NE(p_file, nullptr);
            for (int c = 0; c < p_report->GetColumnTitles().GetSize(); ++c)
                std::fprintf(p_file, "%s\n", p_report->GetColumnTitles()[c].c_str());
            for (int r = 0; r < std::min(p_report->GetRows().GetSize(), 10); ++r)
                std::fprintf(p_file, "%s\n", p_report->GetRows()[r][0].c_str());
            std::fclose(p_file);
            PrintDialogAnswer answer(p_out);
            answer.Start(500);
            Click(*p_report, ZelReportDlg::IDC_ZEL_REPORT_PRINT);
            b_answered = answer.bAnswered;
            Click(*p_report, ZelReportDlg::IDC_ZEL_REPORT_OK);
        });
        Click(dlg, P::IDC_VIEW_ERRORS);
        Click(dlg, P::IDC_OK);
    });
    EXPECT_TRUE(b_answered);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].sText;
}

// The large event's run lasts seconds: Stop ends it and the dialog stays,
// idle again. The main frame does not paint while the run goes.
TEST(RosterCtrlDlg, StopEndsALongRunAndTheDialogStaysIdle)
{
    ScriptedMessageBox boxes;
    benchevent::RosterOptions options;
    options.nPlannedPercent = 0;
    std::unique_ptr<EventDoc> p_doc = LoadGenerated(options);
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "Rotavex");
    wxTheApp->SetTopWindow(p_frame);
    p_frame->Show();

    bool b_frozen = false;
    bool b_still_open = false;
    RunRosterCommand(*p_doc, [&](RosterCtrlDlg& dlg) {
        Click(dlg, P::IDC_ROSTER);
        EXPECT_EQ(Label(dlg, P::IDC_CANCEL), "&Stop");
        EXPECT_FALSE(Enabled(dlg, P::IDC_ROSTER));
        EXPECT_TRUE(p_doc->IsBusy());
        b_frozen = p_frame->IsFrozen();
        auto* p_bar = wxDynamicCast(Ctrl(dlg, ZelGeneralProgress::IDC_ZEL_PROGRESS_BAR), wxGauge);
        ASSERT_NE(p_bar, nullptr);
        ASSERT_TRUE(WaitFor([&] { return p_bar->GetValue() > 0; }));
        ExpectNoBlankBand(dlg, "during a run");
        ShowAWhile();
        ASSERT_TRUE(dlg.GetPresenter().IsRunning()) << "the run ended before Stop";

        Click(dlg, P::IDC_CANCEL);
        ASSERT_TRUE(WaitFor([&] { return Label(dlg, P::IDC_CANCEL) == "Cancel"; }));
        b_still_open = dlg.IsModal();
        EXPECT_FALSE(p_frame->IsFrozen());
        EXPECT_FALSE(p_doc->IsBusy());
        EXPECT_FALSE(Shown(dlg, P::IDC_OK)) << "not completed";
        EXPECT_EQ(Label(dlg, P::IDC_MESSAGE), Text(59176));
        EXPECT_TRUE(Enabled(dlg, P::IDC_ROSTER));
        ShowAWhile();
        Click(dlg, P::IDC_CANCEL);
    });
    EXPECT_TRUE(b_frozen);
    EXPECT_TRUE(b_still_open) << "Stop does not close the dialog";
    EXPECT_TRUE(FindDialog<RosterCtrlDlg>() == nullptr);
    wxTheApp->SetTopWindow(nullptr);
    p_frame->Destroy();
    Pump();
}

// A group member that names no participant: counting fails its check on
// the worker. The dialog ends, and the roster driver reports the failure
// once it has gone; the timetable is left not valid.
TEST(RosterCtrlDlg, AFailureOnTheWorkerIsReportedAfterTheDialog)
{
    ScriptedMessageBox boxes;
    ZelRecordingErrorReports reports;
    sampleevents::ResetKeyCounters();
    testevent::EventBuilder event;
    rostertest::SmallEvent(event);
    event.Participant("Ann Lee", rostertest::Styles(event, {{"Jazz", 1}}, true));
    event.Timetable();
    rostertest::PlaceSmallEvent(event);
    event.Doc().GetTimetable()->SetValid(TRUE);
    event.GetGroup("Band").GetMembers().SetMember(987654, "", FALSE);

    bool b_open_at_report = true;
    RunRosterCommand(event.Doc(), [&](RosterCtrlDlg& dlg) { Click(dlg, P::IDC_ROSTER); });
    b_open_at_report = FindDialog<RosterCtrlDlg>() != nullptr;
    EXPECT_FALSE(b_open_at_report);
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().back().sText.substr(0, 30), Text(140).substr(0, 30));
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_NE(reports.Reports()[0].sReport.find("SelCounters.cpp"), std::string::npos);
    EXPECT_FALSE(event.Doc().GetTimetable()->IsValid());
    EXPECT_FALSE(event.Doc().IsBusy());
}

// The dialog goes while a long run goes: the worker is stopped and joined
// at once.
TEST(RosterCtrlDlg, GoingDuringARunStopsTheWorker)
{
    ScriptedMessageBox boxes;
    benchevent::RosterOptions options;
    options.nPlannedPercent = 0;
    std::unique_ptr<EventDoc> p_doc = LoadGenerated(options);
    std::chrono::steady_clock::time_point t_start;
    {
        RosterCtrlDlg dlg(*p_doc, nullptr);
        dlg.Show();
        Pump();
        Click(dlg, P::IDC_ROSTER);
        ASSERT_TRUE(WaitFor([&] { return dlg.GetPresenter().GetPosition() > 0; }));
        ASSERT_TRUE(dlg.GetPresenter().IsRunning());
        t_start = std::chrono::steady_clock::now();
    }
    const auto t_going = std::chrono::steady_clock::now() - t_start;
    EXPECT_LT(t_going, std::chrono::seconds(5));
    EXPECT_FALSE(p_doc->IsBusy());
    EXPECT_TRUE(p_doc->IsModified());
    Pump();
}

} // namespace
