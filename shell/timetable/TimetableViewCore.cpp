#include "shell/timetable/TimetableViewCore.h"

#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "shell/timetable/DayGridCore.h"

#include <string>

TimetableViewState& TheTimetableViewState()
{
    static TimetableViewState s_state;
    return s_state;
}

BOOL TimetableViewCore::IsSchedulable(const EventDoc* p_doc)
{
    return p_doc != nullptr && p_doc->GetNumVenues() > 0 && p_doc->HasDaysAndTimeslots()
        && p_doc->GetTimetable() != nullptr;
}

BOOL TimetableViewCore::FillTabs()
{
    if (!IsSchedulable(pDoc))
        return TRUE;
    const Timetable& timetable = *pDoc->GetTimetable();
    const int n_days = timetable.GetNumDays();
    if (n_days > nMaxDays) {
        ShowMessageId2(IDS_TOO_MANY_DAYS, std::to_string(n_days), std::to_string(nMaxDays),
                       MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    Window.RemoveAllTabs();
    for (int d = 0; d < n_days; ++d)
        Window.AddTab(timetable.GetDay(d).GetName());
    int i_day = TheTimetableViewState().iSelectedDay;
    if (i_day < 0 || !Window.SelectTab(i_day)) {
        i_day = 0;
        Window.SelectTab(0);
    }
    SelectDay(i_day);
    return TRUE;
}

void TimetableViewCore::SelectDay(int i_day)
{
    if (!IsSchedulable(pDoc) || i_day < 0 || i_day >= pDoc->GetTimetable()->GetNumDays())
        return;
    TimetableViewState& state = TheTimetableViewState();
    state.iSelectedDay = i_day;
    Window.SetRedraw(FALSE);
    Window.DestroyGrid();
    pDoc->GetSchedulingRules().Revalidate(pDoc);
    DayGridCore* p_grid = Window.CreateGrid(pDoc, pDoc->GetTimetable()->GetDay(i_day), pDoc->GetCombinations());
    if (state.bScrollReset) {
        state.lScrollX = 0;
        state.lScrollY = 0;
    } else if (p_grid != nullptr) {
        p_grid->ScrollBy(-state.lScrollX, -state.lScrollY);
    }
    Window.SetRedraw(TRUE);
    state.bScrollReset = FALSE;
}

void TimetableViewCore::OnUpdate(const UpdateViewHint* p_hint)
{
    if (p_hint != nullptr && !p_hint->IsNoObject())
        return;
    Window.DestroyGrid();
    Window.RemoveAllTabs();
    FillTabs();
}

void TimetableViewCore::OnTimeslotsChanged()
{
    if (!IsSchedulable(pDoc) || pDoc->IsBusy())
        return;
    Timetable& timetable = *pDoc->GetTimetable();
    const int i_day = TheTimetableViewState().iSelectedDay;
    DayGridCore* p_grid = Window.GetGrid();
    if (i_day < 0 || i_day >= timetable.GetNumDays() || p_grid == nullptr)
        return;

    const VenueList& venues = pDoc->GetVenues();
    ZelArrayWithFind<long> a_keys;
    for (int v = 0; v < venues.GetNumVenues(); ++v)
        a_keys.Add(venues[v].GetKey());
    ZelRelTimeslotArray a_slots;
    p_grid->GetTimeslots(0, a_slots, a_keys);

    DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    const int i_layout = timetable.GetDay(i_day).GetDayIndex();
    if (i_layout >= 0 && i_layout < days.GetNumLayouts())
        days.GetDaySlots(i_layout).SetSlots(a_slots, FALSE);
    if (&p_grid->GetCombinations() != &pDoc->GetCombinations())
        pDoc->GetCombinations() = p_grid->GetCombinations();
    // The slots that stay keep their keys; new ones get theirs here, for
    // the grid to take back.
    timetable.ResetDayTimeslots(pDoc, i_day, &a_slots);
    p_grid->UpdateItemData(0, a_slots, a_keys);
    pDoc->SetModifiedFlag();
}

void TimetableViewCore::RefreshSelectedSlot()
{
    DayGridCore* p_grid = Window.GetGrid();
    if (p_grid == nullptr)
        return;
    if (p_grid->IsListOpen())
        p_grid->CloseGroupList();
    else
        p_grid->InvalidateSelected(FALSE);
}

void TimetableViewCore::ResetState()
{
    TimetableViewState& state = TheTimetableViewState();
    state.iSelectedDay = -1;
    state.bScrollReset = TRUE;
}
