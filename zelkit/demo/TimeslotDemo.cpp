// Shows the timeslot grid in a dialog that holds it by class name, for a
// look at it:
//   zelkit_timeslot_demo [normal | zoom | 12h | readonly | disabled | select | tip]
#include "zelkit/ui/ZelControlWindow.h"
#include "zelkit/ui/ZelTimeslotCtrl.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>

#include <string>

namespace {

ZelOleDateTimeSpan Minutes(int i_minutes) { return ZelOleDateTimeSpan(0, 0, i_minutes, 0); }

ZelRelTimeslot Rel(int i_start, int i_length, long l_key)
{
    return ZelRelTimeslot(Minutes(i_start), Minutes(i_length), static_cast<LONG>(l_key));
}

class DemoApp : public wxApp {
public:
    bool OnInit() override
    {
        const std::string s_mode = argc > 1 ? std::string(argv[1].utf8_str()) : "normal";
        auto* p_dlg = new wxDialog(nullptr, wxID_ANY, "Timeslots", wxDefaultPosition, wxSize(720, 520),
                                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
        auto* p_grid = dynamic_cast<ZelTimeslotCtrl*>(ZelCustomCtrl::CreateByClassName(ZLC_TIMESLOT, p_dlg, 1180));
        auto* p_sizer = new wxBoxSizer(wxVERTICAL);
        p_sizer->Add(p_grid, 1, wxEXPAND | wxALL, 8);
        p_sizer->Add(new wxButton(p_dlg, wxID_OK, "OK"), 0, wxALIGN_RIGHT | wxALL, 8);
        p_dlg->SetSizer(p_sizer);

        p_grid->Set24Hour(s_mode != "12h");
        p_grid->SetNumDays(3);
        const char* a_days[] = {"Friday", "Saturday", "Sunday"};
        ZelArrayWithFind<long> a_keys;
        a_keys.Add(1);
        a_keys.Add(2);
        for (int d = 0; d < 3; ++d) {
            p_grid->SetNumSets(d, 2);
            p_grid->SetDayName(d, a_days[d]);
            p_grid->SetSetName(d, 0, "Main hall");
            p_grid->SetSetName(d, 1, "Studio");
        }
        p_grid->SetConsec(1, 1);
        ZelRelTimeslotArray a_friday;
        a_friday.Add(Rel(9 * 60, 60, 1));
        a_friday.Add(Rel(10 * 60, 90, 1));
        a_friday.Add(Rel(13 * 60, 45, 1));
        a_friday.Add(Rel(9 * 60 + 30, 45, 2));
        a_friday.Add(Rel(11 * 60, 120, 2));
        p_grid->SetTimeslots(0, a_friday, FALSE, &a_keys);
        ZelRelTimeslotArray a_saturday;
        a_saturday.Add(Rel(8 * 60, 120, 1));
        a_saturday.Add(Rel(14 * 60, 30, 1));
        a_saturday.Add(Rel(10 * 60, 15, 2));
        p_grid->SetTimeslots(1, a_saturday, FALSE, &a_keys);
        ZelRelTimeslotArray a_before;
        a_before.Add(Rel(20 * 60, 150, 1));
        p_grid->SetStartLimit(2, a_before);
        ZelRelTimeslotArray a_sunday;
        a_sunday.Add(Rel(12 * 60, 60, 2));
        p_grid->SetTimeslots(2, a_sunday, FALSE, &a_keys);
        p_grid->SetDisplayStart(FALSE, 8, 0);
        p_grid->SetDisplayEnd(TRUE, 16, 0);

        if (s_mode == "readonly")
            p_grid->SetReadOnly(TRUE);
        if (s_mode == "disabled")
            p_grid->Enable(false);
        p_dlg->Show();
        if (s_mode == "zoom")
            p_grid->CallAfter([p_grid] {
                p_grid->GetGrid().ZoomIn();
                p_grid->GetGrid().ZoomIn();
            });
        if (s_mode == "select")
            p_grid->CallAfter([p_grid] {
                // Click one slot, Ctrl-click another: both selected, the
                // second has the focus.
                ZelTimeslotGrid& grid = p_grid->GetGrid();
                CRect rc;
                grid.GetSlotRect(0, 0, 1, rc);
                grid.OnLButtonDown(0, rc.CenterPoint());
                grid.OnLButtonUp(0, rc.CenterPoint());
                grid.GetSlotRect(1, 0, 0, rc);
                grid.OnLButtonDown(MK_CONTROL, rc.CenterPoint());
                grid.OnLButtonUp(MK_CONTROL, rc.CenterPoint());
            });
        if (s_mode == "tip")
            p_grid->CallAfter([p_grid] {
                // The pointer rests on empty time: the tip follows.
                CRect rc;
                p_grid->GetGrid().SetToRect(2u, 0u, rc);
                p_grid->SetFocus();
                p_grid->WarpPointer(rc.left + 20, 150);
            });
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(DemoApp);
