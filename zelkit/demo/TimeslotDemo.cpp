// Shows the timeslot grid in a dialog that holds it by class name, for a
// look at it:
//   zelkit_timeslot_demo [normal | zoom | 12h | readonly | disabled | select | tip | headertip |
//                         combine | drag | menu | length | resolution | combinedlg | display]
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"
#include "zelkit/controls/ui/ZelTimeslotDialogs.h"
#include "zelkit/controls/ui/ZelTimeslotDisplayCtrl.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
#include <wx/dialog.h>
#include <wx/sizer.h>

#include <map>
#include <string>

namespace {

ZelOleDateTimeSpan Minutes(int i_minutes) { return ZelOleDateTimeSpan(0, 0, i_minutes, 0); }

ZelRelTimeslot Rel(int i_start, int i_length, long l_key)
{
    return ZelRelTimeslot(Minutes(i_start), Minutes(i_length), static_cast<LONG>(l_key));
}

// A padlock on white, which the display control leaves out.
wxBitmap LockBitmap()
{
    wxBitmap bitmap(16, 16);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(wxColour(90, 70, 0), 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawEllipticArc(4, 1, 8, 10, 0, 180);
    dc.DrawLine(4, 6, 4, 8);
    dc.DrawLine(11, 6, 11, 8);
    dc.SetBrush(wxBrush(wxColour(220, 170, 20)));
    dc.DrawRectangle(2, 8, 12, 7);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

// The display control of a day's venues, its texts and icons answered by
// the dialog.
class DisplayDialog : public wxDialog {
public:
    DisplayDialog() : wxDialog(nullptr, wxID_ANY, "Timetable", wxDefaultPosition, wxSize(560, 520)), Lock(LockBitmap())
    {
        auto* p_display =
            dynamic_cast<ZelTimeslotDisplayCtrl*>(ZelCustomCtrl::CreateByClassName(ZLC_TIMESLOT_DISPLAY, this, 1180));
        auto* p_sizer = new wxBoxSizer(wxVERTICAL);
        p_sizer->Add(p_display, 1, wxEXPAND | wxALL, 8);
        SetSizer(p_sizer);
        Bind(wxEVT_ZEL_NOTIFY, &DisplayDialog::OnNotify, this);
        Texts = {{1, "Choir"}, {2, "Orchestra"}, {3, "Chamber music for strings and winds"}, {4, "Jazz"},
                 {5, "Organ recital in the cathedral"}, {6, "Brass"}, {7, "Handbellringersguild"}, {8, "Stringquartetensemble"}};
        p_display->Set24Hour(TRUE);
        p_display->SetNumDays(1);
        p_display->SetDayName(0, "Saturday");
        p_display->SetNumSets(0, 4);
        const char* a_venues[] = {"Main hall", "Studio", "Church", "Foyer"};
        ZelArrayWithFind<long> a_keys;
        for (int v = 0; v < 4; ++v) {
            p_display->SetSetName(0, v, a_venues[v]);
            a_keys.Add(v + 1);
        }
        ZelRelTimeslotArray a_slots;
        const int a_slot[][4] = {{9 * 60, 90, 1, 1},  {11 * 60, 45, 1, 2}, {9 * 60, 60, 2, 3},  {10 * 60 + 30, 30, 2, 4},
                                 {9 * 60 + 30, 120, 3, 5}, {12 * 60, 20, 3, 6}, {9 * 60, 10, 4, 7}, {10 * 60, 45, 4, 8}};
        for (const auto& a : a_slot) {
            ZelRelTimeslot slot = Rel(a[0], a[1], a[2]);
            slot.SetItemData(a[3]);
            a_slots.Add(slot);
        }
        p_display->SetTimeslots(0, a_slots, FALSE, &a_keys);
        p_display->SetDisplayStart(FALSE, -1, -1);
        p_display->SetDisplayEnd(FALSE, -1, -1);
        Show();
        Layout();
        p_display->Resize();
    }

private:
    void OnNotify(ZelNotifyEvent& event)
    {
        if (event.GetCode() == ZTSN_SLOTTEXT) {
            auto* p_text = event.GetRecordAs<ZelTimeslotTextNotify>();
            p_text->sText = Texts[p_text->dwItemData];
            event.Answer();
        } else if (event.GetCode() == ZTSN_SLOTICON) {
            auto* p_icon = event.GetRecordAs<ZelTimeslotIconNotify>();
            if (p_icon->dwItemData % 2 == 1) {
                p_icon->hBitmap = &Lock;
                p_icon->uIconSize = 16;
                event.Answer();
            }
        }
    }

    wxBitmap Lock;
    std::map<DWORD, std::string> Texts;
};

class DemoApp : public wxApp {
public:
    bool OnInit() override
    {
        const std::string s_mode = argc > 1 ? std::string(argv[1].utf8_str()) : "normal";
        if (s_mode == "display") {
            new DisplayDialog;
            return true;
        }
        if (s_mode == "length" || s_mode == "resolution" || s_mode == "combinedlg") {
            CallAfter([s_mode] {
                if (s_mode == "length") {
                    ZelTimeslotCtrlChangeLengthDlg dlg(nullptr, 30);
                    dlg.ShowModal();
                } else if (s_mode == "resolution") {
                    ZelTimeslotResDlg dlg(nullptr, 5, TRUE);
                    dlg.ShowModal();
                } else {
                    ZelTimeslotCombineDlg dlg(nullptr);
                    dlg.GetCombinations().Add(ZelTimeslotCombination("Morning sessions"));
                    dlg.ShowModal();
                }
                wxTheApp->ExitMainLoop();
            });
            return true;
        }
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

        if (s_mode == "combine") {
            ZelTimeslotCombinationList combinations;
            combinations.Add(ZelTimeslotCombination("Morning block"));
            p_grid->SetCombinations(combinations);
            p_grid->CallAfter([p_grid, combinations] {
                // Friday's first two slots of the main hall form a block.
                ZelTimeslotGrid& grid = p_grid->GetGrid();
                grid.GetTimeslotList(0, 0)[0].SetCombinationKey(combinations[0].GetKey());
                grid.GetTimeslotList(0, 0)[1].SetCombinationKey(combinations[0].GetKey());
                grid.Recompute();
            });
        }
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
        if (s_mode == "headertip")
            p_grid->CallAfter([p_grid] {
                // The pointer rests on Saturday's second set name.
                CRect rc;
                p_grid->GetGrid().SetToRect(1u, 1u, rc);
                p_grid->SetFocus();
                p_grid->WarpPointer(rc.CenterPoint().x, p_grid->GetGrid().GetSetRowRect().CenterPoint().y);
            });
        if (s_mode == "drag")
            p_grid->CallAfter([p_grid] {
                // Friday's first slot dragged to Sunday and down: the
                // preview of a move.
                ZelTimeslotGrid& grid = p_grid->GetGrid();
                CRect rc;
                grid.GetSlotRect(0, 0, 0, rc);
                ZelTimeslotCtrl::SetDragLoop([rc](ZelTimeslotCtrl& source, const std::string& s_text) -> DWORD {
                    ZelTimeslotGrid& g = source.GetGrid();
                    const CPoint pt = rc.CenterPoint();
                    g.DragEnter(s_text, pt, FALSE);
                    CRect rc_next;
                    g.SetToRect(2u, 0u, rc_next);
                    g.DragOver(TRUE, CPoint(rc_next.CenterPoint().x, pt.y + 3 * g.GetStepHeight()), FALSE);
                    source.Refresh();
                    // Held there until the demo ends.
                    wxGUIEventLoop hold;
                    hold.Run();
                    return DROPEFFECT_NONE;
                });
                grid.OnLButtonDown(0, rc.CenterPoint());
            });
        if (s_mode == "menu")
            p_grid->CallAfter([p_grid] {
                CRect rc;
                p_grid->GetGrid().GetSlotRect(0, 0, 1, rc);
                p_grid->GetGrid().OnLButtonDown(0, rc.CenterPoint());
                p_grid->GetGrid().OnContextMenu(rc.CenterPoint());
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
