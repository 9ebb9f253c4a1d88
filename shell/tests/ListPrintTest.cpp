// The participant list printed from the program, in-process under a
// virtual display, over a sample event of 500 participants whose groups the
// timetable places: the report's pages drawn on bitmaps of Letter pages at
// 96 pixels per inch, as the preview draws them.
//
// With ROTAVEX_SHOT_DIR set, the first pages are saved there as PNG images.
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "shell/frame/EventDocument.h"
#include "output/PrintMargins.h"
#include "shell/lists/ItemListPrintout.h"
#include "shell/frame/ListPorts.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/GtkPrintToFile.h"
#include "testsupport/ui/PrintoutPages.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment());

class ListPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-listprint");
        fs::copy_file(fs::path(ROTAVEX_EVENTS_DIR) / "groups-200.eve", fsFolder / "groups.eve");
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterParticipantView());
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "groups.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
    }
    void TearDown() override
    {
        TheApp()->ShutDown();
        WindowClasses::Unregister(kParticipantView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }
    ParticipantView* View()
    {
        return dynamic_cast<ParticipantView*>(TheApp()->GetMainFrame()->FindView(kParticipantView, false));
    }

    fs::path fsFolder;
};

} // namespace

// Every entry of a schedule (a group or venue, a day and 12-hour times)
// prints whole: a line breaks between words, never inside a time or a date
// ("12:" above "00pm"), and no line runs past its column's edge.
TEST_F(ListPrintTest, ScheduleEntriesPrintWithTheirTimesWhole)
{
    ParticipantView* p_view = View();
    ASSERT_NE(p_view, nullptr);
    TheApp()->GetDocument()->GetEvent().GetEventDef().GetDayDef().Set24Hour(FALSE);
    ScriptedSelectColumns columns;
    columns.fAnswer = [](SelectColumnsData& data) {
        data.Selected.RemoveAll();
        for (const char* p_title : {"Name", "Groups", "Group Schedule", "Venue Schedule"})
            data.Selected.Add(p_title);
        return IDOK;
    };
    ASSERT_TRUE(p_view->SelectPrintColumns());
    ItemListPrintout printout(*p_view, false);
    wxBitmap bitmap(816, 1056);
    wxMemoryDC dc(bitmap);
    PrepareLetterPrintout(printout, dc);
    ASSERT_GT(printout.GetPageCount(), 1);
    ItemListReport& report = *printout.GetReport();
    ASSERT_EQ(report.Columns.GetNumColumns(), 4);
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    for (int i_page = 1; i_page <= printout.GetPageCount(); ++i_page) {
        // A white page: the printout maps and clips the context to the
        // margins for the page before.
        dc.DestroyClippingRegion();
        dc.SetDeviceOrigin(0, 0);
        dc.SetUserScale(1, 1);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        ASSERT_TRUE(printout.OnPrintPage(i_page));
        const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR");
        if (p_dir != nullptr && i_page <= 2) {
            dc.SelectObject(wxNullBitmap);
            bitmap.ConvertToImage().SaveFile(wxString(p_dir) + "/participant-list-" + std::to_string(i_page) + ".png",
                                             wxBITMAP_TYPE_PNG);
            dc.SelectObject(bitmap);
        }
    }
    // The cells as the pages wrapped them, on the same canvas and font.
    IPrintCanvas& canvas = printout.GetCanvas();
    PrintFontScope font(canvas, report.BodyFont);
    int n_times = 0;
    for (const int i_row : report.vRows) {
        const ILVRecord p_record = p_view->GetRecord(i_row);
        for (int c = 2; c < 4; ++c) {
            ZelStringArray a_lines;
            const int n_lines = PrintColumns::WrapText(canvas, -1, report.Columns.GetWidth(c),
                                                       p_view->GetRecordText(p_record, c), a_lines);
            for (int i = 0; i < n_lines; ++i) {
                const std::string& s_line = a_lines[i];
                n_times += s_line.find("m to ") != std::string::npos ? 1 : 0;
                EXPECT_LE(PrintColumns::GetTextWidth(canvas, s_line), report.Columns.GetWidth(c)) << s_line;
                const std::size_t u_end = s_line.find_last_not_of(" ,\r\n");
                if (u_end != std::string::npos && u_end > 0 && (s_line[u_end] == ':' || s_line[u_end] == '/')) {
                    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(s_line[u_end - 1]))) << "split: " << s_line;
                }
            }
        }
    }
    dc.SelectObject(wxNullBitmap);
    EXPECT_GT(n_times, 100) << "the schedules read in the 12-hour form";
}

namespace {

// The columns of the page's ink, as [first, last]; {-1, -1} for a blank
// page.
std::pair<int, int> InkColumns(const wxImage& image)
{
    int i_first = -1, i_last = -1;
    for (int x = 0; x < image.GetWidth(); ++x) {
        for (int y = 0; y < image.GetHeight(); ++y) {
            if (image.GetRed(x, y) < 160) {
                if (i_first < 0)
                    i_first = x;
                i_last = x;
                break;
            }
        }
    }
    return {i_first, i_last};
}

} // namespace

// The list printed through the toolkit's print dialog into a PDF file, in
// either orientation (each print in a process of its own): the page is of
// the orientation chosen, and its text keeps the page margins at both
// sides, reaching over most of the width between them.
TEST_F(ListPrintTest, PrintsKeepTheMarginsOnBothSidesInEitherOrientation)
{
    if (PrintToFileSkipped())
        GTEST_SKIP() << "ROTAVEX_PRINT_PDF=0: no print through the toolkit's dialog";
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    for (const char* p_orientation : {"landscape", "portrait"}) {
        SCOPED_TRACE(p_orientation);
        const bool b_landscape = std::string(p_orientation) == "landscape";
        const fs::path fs_pdf = fsFolder / (std::string(p_orientation) + ".pdf");
        EXPECT_TRUE(ChildPassed(RunTestInChild("ListPrintTest.OrientedPrintChild",
                                               {{"ROTAVEX_PDF_OUT", fs_pdf.string()}, {"ROTAVEX_ORIENTATION", p_orientation}},
                                               120)));
        ASSERT_TRUE(fs::exists(fs_pdf)) << "the toolkit printed no file";
        const std::string s_command = "pdftoppm -r 72 -png -f 1 -l 1 '" + fs_pdf.string() + "' '" + (fsFolder / p_orientation).string() + "'";
        ASSERT_EQ(std::system(s_command.c_str()), 0) << "pdftoppm (poppler-utils) is needed";
        fs::path fs_page;
        for (const auto& entry : fs::directory_iterator(fsFolder))
            if (entry.path().filename().string().rfind(std::string(p_orientation) + "-", 0) == 0)
                fs_page = entry.path();
        ASSERT_FALSE(fs_page.empty());
        const wxImage page(fs_page.string(), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(page.IsOk());
        EXPECT_EQ(page.GetWidth() > page.GetHeight(), b_landscape) << page.GetWidth() << " x " << page.GetHeight();
        // The default margins, 10 mm: 28 pixels at 72 per inch.
        const int i_margin = PrintMargins::kDefault * 72 * 10 / 254;
        const auto [i_first, i_last] = InkColumns(page);
        ASSERT_GE(i_first, 0) << "a blank page";
        EXPECT_GE(i_first, i_margin - 1) << "left margin";
        EXPECT_LE(i_last, page.GetWidth() - i_margin) << "right margin";
        EXPECT_GE(i_last, page.GetWidth() - i_margin - 60) << "the columns fill the width between the margins";
        if (const char* p_dir = std::getenv("ROTAVEX_SHOT_DIR"))
            fs::copy_file(fs_pdf, fs::path(p_dir) / ("list-" + std::string(p_orientation) + ".pdf"),
                          fs::copy_options::overwrite_existing);
    }
}

// One print of the test above, in its own process, through the list's own
// print command.
TEST_F(ListPrintTest, OrientedPrintChild)
{
    const char* p_out = std::getenv("ROTAVEX_PDF_OUT");
    const char* p_orientation = std::getenv("ROTAVEX_ORIENTATION");
    if (p_out == nullptr || p_orientation == nullptr)
        GTEST_SKIP() << "run by PrintsKeepTheMarginsOnBothSidesInEitherOrientation";
    ParticipantView* p_view = View();
    ASSERT_NE(p_view, nullptr);
    const BOOL b_landscape = std::string(p_orientation) == "landscape" ? TRUE : FALSE;
    ScriptedSelectColumns columns;
    columns.fAnswer = [b_landscape](SelectColumnsData& data) {
        data.Selected.RemoveAll();
        for (const char* p_title : {"Name", "Groups", "Group Schedule", "Venue Schedule"})
            data.Selected.Add(p_title);
        data.bLandscape = b_landscape;
        return IDOK;
    };
    PrintDialogAnswer answer(p_out);
    answer.Start(500);
    EXPECT_TRUE(p_view->PrintList(FALSE)) << "error " << wxPrinter::GetLastError();
    Pump();
    EXPECT_TRUE(answer.bAnswered);
}
