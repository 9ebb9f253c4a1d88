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
#include "shell/lists/ItemListPrintout.h"
#include "shell/frame/ListPorts.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/PrintoutPages.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <algorithm>
#include <cctype>
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
