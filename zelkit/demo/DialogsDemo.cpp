// Shows the library's dialogs and lists for a look at them:
//   zelkit_dialogs_demo list | report | progress | page
// "page" writes the first printed page of the report to page.png.
#include "framework/ui/WxIds.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <random>
#include <string>

namespace {

const char* const a_first[] = {"Anders", "Brooke", "Chen", "Dara", "Elif", "Farid", "Greta", "Hollis", "\xC9lodie"};
const char* const a_towns[] = {"Main hall", "Court 1", "Court 2", "Studio", "Annex", "Pavilion"};

void ShowList()
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "Sortable list", wxDefaultPosition, wxSize(640, 480));
    auto* p_list = new ZelListCtrl(p_frame, 26047, wxDefaultPosition, wxDefaultSize, LVS_SHOWSELALWAYS);
    p_list->SetExtendedListStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    p_list->InsertColumn(0, "Name");
    p_list->InsertColumn(1, "Venue");
    p_list->InsertColumn(2, "Number", LVCFMT_RIGHT);
    std::mt19937 gen(3);
    for (int i = 0; i < 20000; ++i) {
        const std::string s_name = std::string(a_first[gen() % 9]) + " " + a_first[gen() % 9];
        const int i_row = p_list->InsertItem(i, s_name.c_str(), i);
        p_list->SetItemText(i_row, 1, a_towns[gen() % 6]);
        p_list->SetItemText(i_row, 2, std::to_string(gen() % 1000));
    }
    static ZelListSort sort;
    const ZelColSortSpec a_specs[] = {{1, 1}, {0, 0}};
    p_list->Sort(a_specs, 2, sort, 1);
    p_list->SelectItem(2);
    p_list->SelectItem(3);
    p_list->SetFocusItem(3);
    p_frame->Show();
    p_list->SetFocus();
    p_list->CallAfter([p_list] {
        p_list->UpdateLayout();
        p_list->AutoSizeColumns(-1, -1);
    });
}

void FillReport(ZelReportDlg& dlg, int n_rows)
{
    dlg.SetDescription("These participants could not be placed in any group of their style.");
    for (const char* p : {"Participant", "Style", "Reason"})
        dlg.GetColumnTitles().Add(p);
    std::mt19937 gen(5);
    for (int i = 0; i < n_rows; ++i) {
        ZelStringArray row;
        row.Add(std::string(a_first[gen() % 9]) + " " + a_first[gen() % 9]);
        row.Add(a_towns[gen() % 6]);
        row.Add(gen() % 4 == 0 ? "Every group of the style is full in the slots where the participant is free, "
                                 "and no other slot of the timetable takes the style."
                               : "Clash with another group");
        dlg.GetRows().Add(row);
    }
}

void ShowReport()
{
    auto* p_dlg = new ZelReportDlg("Minimum scheduling failures", nullptr);
    FillReport(*p_dlg, 20000);
    p_dlg->Show();
}

// The first printed page of a report, at 100 pixels an inch, as page.png.
void SavePage()
{
    ZelReportDlg dlg("Minimum scheduling failures", nullptr);
    FillReport(dlg, 200);
    wxBitmap page(850, 1100);
    {
        wxMemoryDC dc(page);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetFont(*wxNORMAL_FONT);
        ZelWxReportCanvas canvas(dc);
        int i_row = 0;
        // Margins as a printer's unprintable edge would give.
        dlg.GetLayout().PrintPage(canvas, i_row, 1, ZelRect{40, 40, 810, 1060});
    }
    page.SaveFile("page.png", wxBITMAP_TYPE_PNG);
}

void ShowProgress()
{
    auto* p_dlg = new ZelGeneralProgress("Downloading event", nullptr, nullptr);
    p_dlg->SetRangeMax(100000);
    p_dlg->SetStatusText("Received 41,200 of 100,000 bytes");
    p_dlg->Show();
    for (int i = 0; i < 41200; ++i)
        p_dlg->Step();
}

class DemoApp : public wxApp {
public:
    bool OnInit() override
    {
        const std::string s_mode = argc > 1 ? std::string(argv[1].utf8_str()) : "list";
        wxInitAllImageHandlers();
        if (s_mode == "list")
            ShowList();
        else if (s_mode == "progress")
            ShowProgress();
        else if (s_mode == "report")
            ShowReport();
        else if (s_mode == "page") {
            SavePage();
            return false;
        } else
            return false;
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(DemoApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
