// Shows the library's dialogs and lists for a look at them:
//   zelkit_dialogs_demo list | report | progress | sheet | page
// "page" writes the first printed page of the report to page.png.
#include "framework/ui/WxIds.h"
#include "zelkit/ui/ZelListCtrl.h"

#include <wx/app.h>
#include <wx/frame.h>

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

class DemoApp : public wxApp {
public:
    bool OnInit() override
    {
        const std::string s_mode = argc > 1 ? std::string(argv[1].utf8_str()) : "list";
        if (s_mode == "list")
            ShowList();
        else
            return false;
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(DemoApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
