#include "sheets/AvailPPage.h"

#include "framework/Resources.h"
#include "framework/ui/WxText.h"
#include "model/EventDefinition.h"
#include "model/EventDoc.h"
#include "sheets/GroupEditingPPage.h"
#include "zelkit/import/ui/ZelCheckListCtrl.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <wx/stattext.h>

namespace {

enum : int { kModeFixed = 0, kModeGrow = 1, kModeMove = 2 };

// Not-available times are painted red.
constexpr COLORREF kUnavailableColour = 0x000000FF;

} // namespace

AvailPanel::AvailPanel(wxWindow& page, const AvailPageConfig& config, Hooks hooks)
    : AnchoredPanel(page), Config(config), Hooks_(std::move(hooks))
{
    pSlotsRadio = new wxRadioButton(&Page, IDC_AVAIL_TIMESLOTS, "Work with &timeslots", wxDefaultPosition,
                                    wxDefaultSize, wxRB_GROUP);
    Place(pSlotsRadio, 7, 7, 100, 10, kModeFixed, kModeFixed);
    pDaysRadio = new wxRadioButton(&Page, IDC_AVAIL_WHOLE_DAYS, "Work with whole &days");
    Place(pDaysRadio, 115, 7, 110, 10, kModeFixed, kModeFixed);
    Place(new wxStaticText(&Page, IDC_AVAIL_LABEL, ToWx(Config.sLabel)), 7, 22, 250, 9, kModeFixed, kModeFixed);

    // The grid is made by its window class, as any dialog would hold it.
    wxWindow* p_grid = ZelCustomCtrl::CreateByClassName(ZLC_TIMESLOT, &Page, IDC_AVAIL_GRID);
    pGrid = dynamic_cast<ZelTimeslotCtrl*>(p_grid);
    if (pGrid == nullptr) {
        if (p_grid != nullptr)
            p_grid->Destroy();
        pGrid = new ZelTimeslotCtrl(&Page, IDC_AVAIL_GRID);
    }
    Place(pGrid, 7, 33, 292, 125, kModeGrow, kModeGrow);

    // The list takes the grid's place at two thirds of its width; the two
    // buttons sit centred in the rest, one above the other.
    pList = new ZelCheckListCtrl(&Page, IDC_AVAIL_LIST);
    Place(pList, 7, 33, 195, 125, kModeGrow, kModeGrow);
    const int i_buttonX = 202 + (97 - 60) / 2;
    const int i_pairTop = 33 + (125 - (14 + 9 + 14)) / 2;
    pCheckAll = new wxButton(&Page, IDC_AVAIL_CHECK_ALL, "&Check all");
    Place(pCheckAll, i_buttonX, i_pairTop, 60, 14, kModeMove, kModeFixed);
    pUncheckAll = new wxButton(&Page, IDC_AVAIL_UNCHECK_ALL, "&Uncheck all");
    Place(pUncheckAll, i_buttonX, i_pairTop + 23, 60, 14, kModeMove, kModeFixed);

    pHelp = MakeDescription(&Page);
    Place(pHelp, 7, 163, 292, 36, kModeGrow, kModeMove);

    pSlotsRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { EnterSlotMode(); });
    pDaysRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { EnterDaysMode(); });
    pCheckAll->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCheckAll(true); });
    pUncheckAll->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCheckAll(false); });
    Page.Bind(wxEVT_ZEL_NOTIFY, &AvailPanel::OnGridNotify, this, IDC_AVAIL_GRID);
    Page.Bind(wxEVT_ZEL_NOTIFY, &AvailPanel::OnListNotify, this, IDC_AVAIL_LIST);
}

void AvailPanel::OnInitDialog()
{
    bReady = true;
    pSlotsRadio->SetValue(true);
    EnterSlotMode();
}

void AvailPanel::SetHelp(UINT u_id)
{
    std::string s_text;
    LoadResourceString(u_id, s_text);
    if (auto* p_text = wxDynamicCast(pHelp, wxTextCtrl))
        p_text->ChangeValue(ToWx(s_text));
    else
        pHelp->SetLabel(ToWx(s_text));
}

bool AvailPanel::IsSlotMode() const { return pGrid->IsEnabled(); }

void AvailPanel::Refill()
{
    if (!bReady)
        return;
    if (IsSlotMode())
        EnterSlotMode();
    else
        FillList();
}

void AvailPanel::EnterSlotMode()
{
    pGrid->Enable();
    pGrid->Show();
    for (wxWindow* p : {static_cast<wxWindow*>(pList), static_cast<wxWindow*>(pCheckAll),
                        static_cast<wxWindow*>(pUncheckAll)}) {
        p->Disable();
        p->Hide();
    }
    const int n_days = State.GetNumDays();
    pGrid->SetNumDays(static_cast<UINT>(n_days));
    for (int i = 0; i < n_days; ++i) {
        pGrid->SetDayName(i, State.GetDays()->GetDayName(i));
        const ZelRelTimeslotArray* p_times = State.GetTimes().FindDayTimes(State.GetDayId(i));
        pGrid->SetTimeslots(i, p_times != nullptr ? *p_times : ZelRelTimeslotArray(), 0, nullptr);
    }
    pGrid->SetDisplayStart(0, -1, -1);
    pGrid->SetDisplayEnd(1, -1, -1);
    // Without a time to show, the grid would open at midnight, far from
    // the hours in which the user marks times: it starts at the event's
    // first timeslot of the day instead.
    if (pGrid->CountSlots() == 0)
        StartAtFirstEventTimeslot();
    pGrid->Refresh();
    SetHelp(Config.uSlotsHelpId);
}

void AvailPanel::StartAtFirstEventTimeslot()
{
    const DayDefBase* p_days = State.GetDays();
    if (p_days == nullptr)
        return;
    // The earliest start within a day, in minutes; a slot begun the
    // evening before counts from midnight.
    std::optional<std::int64_t> o_first;
    for (int i = 0; i < p_days->GetNumDays(); ++i) {
        const ZelRelTimeslotArray& a_slots = p_days->GetDaySlots(i).GetSlots();
        const int i_earliest = a_slots.FindEarliest();
        if (i_earliest < 0)
            continue;
        const std::int64_t ll_minutes =
            std::max<std::int64_t>(a_slots[i_earliest].GetStart().GetTotalSeconds() / 60, 0);
        if (!o_first || ll_minutes < *o_first)
            o_first = ll_minutes;
    }
    if (o_first && *o_first < 24 * 60)
        pGrid->SetDisplayStart(1, static_cast<int>(*o_first / 60), static_cast<int>(*o_first % 60));
}

void AvailPanel::EnterDaysMode()
{
    for (wxWindow* p : {static_cast<wxWindow*>(pList), static_cast<wxWindow*>(pCheckAll),
                        static_cast<wxWindow*>(pUncheckAll)}) {
        p->Enable();
        p->Show();
    }
    pGrid->Disable();
    pGrid->Hide();
    FillList();
}

void AvailPanel::FillList()
{
    pList->DeleteAllItems();
    while (pList->GetColumnCount() > 0)
        pList->DeleteColumn(0);
    pList->InsertColumn(0, "Day", LVCFMT_LEFT);
    pList->InsertColumn(1, "Unavailable", LVCFMT_CENTER);
    pList->SetCheckColumn(1);
    pList->SetCheckColumnStyle(1, ZelCheckListLayer::styleFirst);
    const int n_days = State.GetNumDays();
    for (int i = 0; i < n_days; ++i) {
        const LONG l_dayId = State.GetDayId(i);
        const int i_row = pList->InsertItem(i, State.GetDays()->GetDayName(i).c_str(), l_dayId);
        pList->SetCheckState(i_row, 1, static_cast<int>(State.GetDayState(l_dayId)));
    }
    pList->AutoSizeColumns();
    pList->Refresh();
    SetHelp(Config.uDaysHelpId);
}

void AvailPanel::OnGridNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == ZTSN_CHANGED) {
        const ZelArrayWithFind<long> a_noSets;
        for (int i = 0; i < static_cast<int>(pGrid->GetNumDays()); ++i) {
            ZelRelTimeslotArray a_times;
            pGrid->GetTimeslots(i, a_times, a_noSets);
            State.TakeGridDay(i, a_times);
        }
        Hooks_.fMarkChanged();
        return;
    }
    if (event.GetCode() == ZTSN_SLOTCOLOR) {
        if (auto* p_colour = event.GetRecordAs<ZelTimeslotColorNotify>()) {
            p_colour->crColor = kUnavailableColour;
            event.Answer(1);
        }
        return;
    }
    event.Skip();
}

void AvailPanel::OnListNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() != LVN_ITEMCHANGED) {
        event.Skip();
        return;
    }
    const int i_focus = pList->GetFocusItemIndex();
    if (i_focus >= 0)
        pList->EnsureVisible(i_focus, FALSE);
    const auto* p_nm = event.GetRecordAs<ZelNMListView>();
    if (p_nm == nullptr || p_nm->iSubItem != 1 || (p_nm->uChanged & ZelCheckListLayer::uToggleChanged) == 0)
        return;
    const int i_state = pList->GetCheckState(p_nm->iItem, 1);
    if (i_state != ZelCheckListLayer::stateUnchecked && i_state != ZelCheckListLayer::stateChecked)
        return;
    const LONG l_dayId = static_cast<LONG>(pList->GetItemData(p_nm->iItem));
    if (State.SetDayUnavailable(l_dayId, i_state == ZelCheckListLayer::stateChecked ? TRUE : FALSE)) {
        pList->Refresh();
        Hooks_.fMarkChanged();
    }
}

void AvailPanel::OnCheckAll(bool b_unavailable)
{
    const std::vector<int> v_changed = State.SetAllDays(b_unavailable ? TRUE : FALSE);
    for (int i_day : v_changed) {
        const int i_row = pList->FindItemData(State.GetDayId(i_day));
        if (i_row >= 0)
            pList->SetCheckState(i_row, 1, b_unavailable ? ZelCheckListLayer::stateChecked
                                                         : ZelCheckListLayer::stateUnchecked);
    }
    if (!v_changed.empty()) {
        pList->Refresh();
        Hooks_.fMarkChanged();
    }
}
