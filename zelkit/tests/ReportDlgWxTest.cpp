// The report dialog in a real window (run under a virtual display), driven
// by its control ids.
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

#include <chrono>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/stattext.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// A report whose printer is a bitmap of a page.
class BitmapReport : public ZelReportDlg {
public:
    using ZelReportDlg::ZelReportDlg;
    wxBitmap Page{850, 1100};
    bool bBadPrinter = false;
    int nPrinterAsked = 0;

protected:
    std::unique_ptr<wxDC> CreatePrinterDC() override
    {
        ++nPrinterAsked;
        if (bBadPrinter)
            return std::make_unique<wxMemoryDC>();
        auto p_dc = std::make_unique<wxMemoryDC>(Page);
        p_dc->SetBackground(*wxWHITE_BRUSH);
        p_dc->Clear();
        return p_dc;
    }
};

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
    BitmapReport dlg("Minimum scheduling failures", nullptr);
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

TEST(ReportDlgWx, PrintsToTheChosenPrinterAndComplainsWhenItWillNotStart)
{
    ScriptedMessageBox boxes;
    BitmapReport dlg("Rotation failures", nullptr);
    FillReport(dlg, 120);
    dlg.Show();
    Press(dlg, WxId(ZelReportDlg::IDC_ZEL_REPORT_PRINT));
    EXPECT_EQ(dlg.nPrinterAsked, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
    const wxImage page = dlg.Page.ConvertToImage();
    int n_ink = 0;
    for (int y = 0; y < page.GetHeight(); y += 2) {
        for (int x = 0; x < page.GetWidth(); x += 2)
            n_ink += page.GetRed(x, y) < 128;
    }
    EXPECT_GT(n_ink, 500) << "the page has text on it";

    dlg.bBadPrinter = true;
    Press(dlg, WxId(ZelReportDlg::IDC_ZEL_REPORT_PRINT));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Printer wouldn't initialize");
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
