// The report dialog in a real window (run under a virtual display), driven
// by its control ids.
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"
#include "zelkit/dialogs/ui/ZelReportPrintout.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/PrintoutPages.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/stattext.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

void FillReport(ZelReportDlg& dlg, int n_rows)
{
    dlg.SetDescription("Participants who could not be placed.");
    for (const char* p : {"Name", "Group", "Reason"})
        dlg.GetColumnTitles().Add(p);
    for (int i = 0; i < n_rows; ++i) {
        ZelStringArray row;
        row.Add("Person " + std::to_string((i * 7919) % n_rows));
        row.Add("Group " + std::to_string(i % 37));
        row.Add(i % 5 == 0 ? "No room left in any slot of the style's timetable." : "Clash");
        dlg.GetRows().Add(row);
    }
}

void Press(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

void ClickHeader(ZelListCtrl& list, int i_col)
{
    wxHeaderCtrlEvent event(wxEVT_HEADER_CLICK, 0);
    event.SetEventObject(list.GetHeaderCtrl());
    event.SetColumn(i_col);
    list.GetHeaderCtrl()->GetEventHandler()->ProcessEvent(event);
}

TEST(ReportDlgWx, ShowsSortsAndResizesTwentyThousandRows)
{
    ZelReportDlg dlg("Minimum scheduling failures", nullptr);
    FillReport(dlg, 20000);
    dlg.Show();
    EXPECT_EQ(dlg.GetTitle(), "Minimum scheduling failures");

    auto* p_text = wxDynamicCast(dlg.FindWindow(WxId(ZelReportDlg::IDC_ZEL_REPORT_DESCRIPTION)), wxStaticText);
    ASSERT_NE(p_text, nullptr);
    EXPECT_EQ(p_text->GetLabel(), "Participants who could not be placed.");
    auto* p_list = wxDynamicCast(dlg.FindWindow(WxId(ZelReportDlg::IDC_ZEL_REPORT_LIST)), ZelListCtrl);
    ASSERT_NE(p_list, nullptr);
    ASSERT_EQ(p_list->GetItemCount(), 20000);
    EXPECT_EQ(p_list->GetColumnCount(), 3);
    EXPECT_EQ(p_list->GetItemText(0, 0), "Person 0") << "opened sorted by the first column";
    EXPECT_EQ(p_list->GetItemText(1, 0), "Person 1");
    EXPECT_EQ(p_list->GetItemText(2, 0), "Person 10");

    ClickHeader(*p_list, 1);
    EXPECT_EQ(p_list->GetItemText(0, 1), "Group 0");
    EXPECT_EQ(p_list->GetHeaderSortType(1), ZelListModel::sortAscending);
    ClickHeader(*p_list, 1);
    EXPECT_EQ(p_list->GetItemText(0, 1), "Group 9") << "the second click reverses";
    EXPECT_EQ(p_list->GetHeaderSortType(1), ZelListModel::sortDescending);

    // Resizing: the list stretches, the buttons stay centred at the bottom,
    // and the dialog cannot shrink below its opening size.
    wxWindow* p_ok = dlg.FindWindow(ZelReportDlg::IDC_ZEL_REPORT_OK);
    wxWindow* p_print = dlg.FindWindow(WxId(ZelReportDlg::IDC_ZEL_REPORT_PRINT));
    ASSERT_NE(p_ok, nullptr);
    ASSERT_NE(p_print, nullptr);
    const wxRect rc_list = p_list->GetRect();
    const wxRect rc_ok = p_ok->GetRect();
    const wxSize sz_client = dlg.GetClientSize();
    dlg.SetClientSize(sz_client + wxSize(200, 100));
    wxSizeEvent size(dlg.GetSize(), dlg.GetId());
    size.SetEventObject(&dlg);
    dlg.GetEventHandler()->ProcessEvent(size);
    EXPECT_EQ(p_list->GetSize(), rc_list.GetSize() + wxSize(200, 100));
    EXPECT_EQ(p_ok->GetPosition(), rc_ok.GetPosition() + wxPoint(100, 100));
    EXPECT_EQ(p_print->GetPosition().x - p_ok->GetPosition().x,
              dlg.ConvertDialogToPixels(wxPoint(165, 0)).x - dlg.ConvertDialogToPixels(wxPoint(99, 0)).x);
    EXPECT_GT(dlg.GetMinSize().x, 0);
    EXPECT_LT(dlg.GetMinSize().x, dlg.GetSize().x) << "the opening size before widening is the minimum";
    dlg.Destroy();
}

// The printout the Print button prints, drawn as the preview draws it:
// every row on numbered pages, each page with ink of its own.
TEST(ReportDlgWx, ThePrintoutPaginatesEveryRowOntoThePage)
{
    ZelReportDlg dlg("Rotation failures", nullptr);
    FillReport(dlg, 120);
    ZelReportPrintout printout(dlg.GetLayout());
    wxBitmap page(816, 1056);
    wxMemoryDC dc(page);
    PrepareLetterPrintout(printout, dc);
    ASSERT_GE(printout.GetPageCount(), 2) << "120 rows take more than a page";
    const ZelRect& rc = printout.GetPageRect();
    // The page keeps a narrow edge blank on paper that prints to its edge.
    const int i_edge = ZelReportPrintout::kEdgeMm * 96 * 10 / 254;
    EXPECT_EQ(rc.left, i_edge);
    EXPECT_EQ(rc.top, i_edge);
    EXPECT_EQ(rc.right, 816 - i_edge);
    EXPECT_EQ(rc.bottom, 1056 - i_edge);
    for (int i_page = 1; i_page <= printout.GetPageCount(); ++i_page) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        ASSERT_TRUE(printout.OnPrintPage(i_page));
        dc.SetUserScale(1, 1);
        dc.SetDeviceOrigin(0, 0);
        dc.SetLogicalOrigin(0, 0);
        const wxImage image = page.ConvertToImage();
        int n_ink = 0, n_edgeInk = 0;
        for (int y = 0; y < image.GetHeight(); y += 2) {
            for (int x = 0; x < image.GetWidth(); x += 2) {
                const bool b_ink = image.GetRed(x, y) < 128;
                n_ink += b_ink;
                n_edgeInk += b_ink && (x < i_edge || y < i_edge || x >= 816 - i_edge || y >= 1056 - i_edge);
            }
        }
        EXPECT_GT(n_ink, 300) << "page " << i_page;
        EXPECT_EQ(n_edgeInk, 0) << "page " << i_page;
    }
    EXPECT_FALSE(printout.OnPrintPage(printout.GetPageCount() + 1));
}

// The long message of the report printed through the toolkit: sixty
// numbered words that cannot stand on one line.
std::string LongMessage()
{
    std::string s;
    for (int i = 1; i <= 60; ++i)
        s += "word" + std::to_string(100 + i) + (i < 60 ? " " : ".");
    return s;
}

// A real print of the report dialog through the toolkit's print dialog
// into a PDF file, as a user without a printer prints (each print in a
// process of its own): the text read back from the file holds the title,
// the column titles, every row, the long last column wrapped over lines,
// and footers with the date and time and numbered pages. A file that
// cannot be written is told, and nothing else happens.
TEST(ReportDlgWx, PrintsThroughTheToolkitIntoAPdfFile)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    const std::filesystem::path fs_folder
        = std::filesystem::temp_directory_path() / ("rvx-reportprint-" + std::to_string(getpid()));
    std::filesystem::remove_all(fs_folder);
    std::filesystem::create_directories(fs_folder);
    const std::filesystem::path fs_pdf = fs_folder / "report.pdf";
    EXPECT_TRUE(ChildPassed(RunTestInChild("ReportDlgWx.PrintChild", {{"ROTAVEX_PDF_OUT", fs_pdf.string()}})));
    ASSERT_TRUE(std::filesystem::exists(fs_pdf)) << "the toolkit printed no file";
    const std::string s_text = PdfText(fs_pdf.string());
    ASSERT_FALSE(s_text.empty()) << "pdftotext (poppler-utils) is needed";
    EXPECT_NE(s_text.find("Rostering errors"), std::string::npos);
    for (const char* p_title : {"Name", "Group", "Reason"})
        EXPECT_NE(s_text.find(p_title), std::string::npos) << p_title;
    for (int i = 0; i < 120; ++i)
        EXPECT_NE(s_text.find("Person " + std::to_string(i) + " "), std::string::npos) << i;
    // Every word of the long message, the first and the last on lines of
    // their own.
    for (int i = 101; i <= 160; ++i)
        EXPECT_NE(s_text.find("word" + std::to_string(i)), std::string::npos) << i;
    const std::size_t u_first = s_text.find("word101"), u_last = s_text.find("word160.");
    ASSERT_NE(u_first, std::string::npos);
    ASSERT_NE(u_last, std::string::npos);
    EXPECT_NE(s_text.substr(u_first, u_last - u_first).find('\n'), std::string::npos) << "the message is wrapped";
    EXPECT_NE(s_text.find("Page 1"), std::string::npos);
    EXPECT_NE(s_text.find("Page 3"), std::string::npos);
    EXPECT_EQ(s_text.find("Page 4"), std::string::npos);
    EXPECT_TRUE(std::regex_search(s_text, std::regex("[0-9]{2}-[A-Z][a-z]{2}-20[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << "the footer's date and time";
    if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
        std::filesystem::copy_file(fs_pdf, std::filesystem::path(p_dir) / "report-dialog.pdf",
                                   std::filesystem::copy_options::overwrite_existing);

    const std::filesystem::path fs_bad = fs_folder / "no such folder" / "report.pdf";
    EXPECT_TRUE(ChildPassed(RunTestInChild("ReportDlgWx.PrintChild", {{"ROTAVEX_PDF_OUT", fs_bad.string()},
                                                                       {"ROTAVEX_PRINT_FAILS", "1"}})));
    EXPECT_FALSE(std::filesystem::exists(fs_bad));
    std::filesystem::remove_all(fs_folder);
}

// One print of the test above, in its own process.
TEST(ReportDlgWx, PrintChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    if (p_out == nullptr)
        GTEST_SKIP() << "run by PrintsThroughTheToolkitIntoAPdfFile";
    const bool b_fails = std::getenv("ROTAVEX_PRINT_FAILS") != nullptr;
    ScriptedMessageBox boxes;
    ZelReportDlg dlg("Rostering errors", nullptr);
    FillReport(dlg, 120);
    dlg.GetRows()[7][2] = LongMessage();
    dlg.Show();
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    Press(dlg, WxId(ZelReportDlg::IDC_ZEL_REPORT_PRINT));
    for (int i = 0; i < 20; ++i)
        wxTheApp->Yield(true);
    EXPECT_TRUE(answer.bAnswered);
    if (b_fails) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].sText.rfind("Printer wouldn't initialize", 0), 0u) << boxes.Boxes()[0].sText;
    } else {
        EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].sText;
    }
    dlg.Destroy();
}

TEST(ReportDlgWx, WithoutTitlesOneUntitledColumnAndShortRowsShowEmptyCells)
{
    ZelReportDlg dlg("Not Scheduled", nullptr);
    ZelStringArray row;
    row.Add("only one");
    dlg.GetRows().Add(row);
    dlg.Show();
    ZelListCtrl& list = dlg.GetList();
    ASSERT_EQ(list.GetColumnCount(), 1);
    std::string s_title = "x";
    list.GetColumn(0, &s_title);
    EXPECT_EQ(s_title, "");
    EXPECT_EQ(list.GetItemText(0, 0), "only one");
    dlg.Destroy();

    ZelReportDlg wide("Wide", nullptr);
    for (const char* p : {"A", "B"})
        wide.GetColumnTitles().Add(p);
    wide.GetRows().Add(row);
    wide.Show();
    EXPECT_EQ(wide.GetList().GetItemText(0, 1), "") << "a missing cell is empty";
    wide.Destroy();
}

TEST(ReportDlgWx, OkEndsTheDialog)
{
    ZelReportDlg dlg("Report", nullptr);
    wxTheApp->CallAfter([&dlg] { Press(dlg, ZelReportDlg::IDC_ZEL_REPORT_OK); });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
}

} // namespace
