#include "shell/timetable/DayGridCore.h"

#include "engine/Generator.h"
#include "engine/TTLoc.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "shell/timetable/TimetableViewCore.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>

namespace {

// Menu 204: the grid's own pop-up.
const ZelMenu& Menu204()
{
    static const ZelMenu menu = {
        {DayGridCore::ID_LOCK, "&Lock", 1, 0},
        {DayGridCore::ID_UNLOCK, "&Unlock", 1, 0},
        {DayGridCore::ID_CHANGE_TIMESLOTS, "Change &timeslots", 1, 0},
    };
    return menu;
}

void ShowCannotAdjust()
{
    ShowMessageId(DayGridCore::IDS_CANNOT_ADJUST, "", MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

DayGridCore::DayGridCore(EventDoc* p_doc, const Day& day) : pDoc(p_doc)
{
    LoadDay(day);
}

// ---------------------------------------------------------------- the day

void DayGridCore::LoadDay(const Day& day)
{
    Looks.clear();
    SetNumDays(1);
    SetDayName(0, day.GetName());
    const VenueList& venues = pDoc->GetVenues();
    const int n_venues = venues.GetNumVenues();
    SetNumSets(0, static_cast<UINT>(n_venues));
    ZelArrayWithFind<long> a_keys;
    for (int v = 0; v < n_venues; ++v) {
        SetSetName(0, v, venues[v].GetName());
        a_keys.Add(venues[v].GetKey());
    }

    ZelRelTimeslotArray a_slots;
    const int n_arrays = std::min(day.GetNumVenues(), n_venues);
    for (int v = 0; v < n_arrays; ++v) {
        const TimeslotArray& a_venue = day.GetVenueSlots(v);
        for (int i = 0; i < a_venue.GetSize(); ++i) {
            const Timeslot& slot = a_venue[i];
            ZelRelTimeslot rel(slot.GetStartOffset(), slot.GetSpan(), venues[v].GetKey());
            rel.SetItemData(slot.GetSlotKey());
            rel.SetCombinationKey(slot.GetCombinationKey());
            a_slots.Add(rel);
        }
    }
    a_slots.Sort();
    SetTimeslots(0, a_slots, 0, &a_keys);

    if (!HasBeenDisplayed()) {
        Set24Hour(pDoc->GetEventDef().GetDayDef().Is24Hour());
        Save24Hour();
    }
    SetIdealSpacing(0);
    SetDisplayStart(0, -1, -1);
    SetDisplayEnd(1, -1, -1);
}

Timetable* DayGridCore::GetTimetable() const
{
    if (pDoc == nullptr || pDoc->IsBusy() || pDoc->GetNumVenues() < 1 || !pDoc->HasDaysAndTimeslots())
        return nullptr;
    return pDoc->GetTimetable();
}

BOOL DayGridCore::FindSlot(DWORD u_itemData, SlotPos& pos) const
{
    pos = SlotPos();
    const LONG l_key = static_cast<LONG>(u_itemData);
    Timetable* p_timetable = GetTimetable();
    if (l_key <= 0 || p_timetable == nullptr)
        return FALSE;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            int i_index = -1;
            if (day.GetVenueSlots(v).FindSlotKey(l_key, i_index)) {
                pos.iDay = d;
                pos.iVenue = v;
                pos.iSlot = i_index;
                return TRUE;
            }
        }
    }
    return FALSE;
}

const DayGridCore::Look& DayGridCore::LookOf(DWORD u_itemData) const
{
    Look& look = Looks[u_itemData];
    if (pDoc == nullptr || pDoc->IsBusy())
        return look;
    look = Look();
    SlotPos pos;
    if (!FindSlot(u_itemData, pos))
        return look;
    const Timeslot& slot = GetTimetable()->GetDay(pos.iDay).GetVenueSlots(pos.iVenue)[pos.iSlot];
    look.bFound = TRUE;
    look.bLocked = slot.IsLocked();
    if (slot.GetGroup() >= 0) {
        const GroupList& groups = pDoc->GetGroups();
        const int i_group = groups.FindByKey(slot.GetGroup());
        if (i_group >= 0)
            look.sText = groups[i_group].GetName();
    }
    return look;
}

// ------------------------------------------------------------ appearance

int DayGridCore::GetSlotText(const ZelTimeslot& slot, std::string& s_text) const
{
    s_text = LookOf(slot.GetItemData()).sText;
    return 1;
}

int DayGridCore::GetSlotIcon(IZelDrawPort&, SetStdContext&, const ZelTimeslot& slot, ZelBitmapHandle& h_bitmap,
                             UINT& u_size) const
{
    const Look& look = LookOf(slot.GetItemData());
    if (!look.bFound || !look.bLocked || hLockBitmap == nullptr)
        return 0;
    h_bitmap = hLockBitmap;
    u_size = uLockIconSize;
    return 1;
}

COLORREF DayGridCore::GetSlotColor(IZelDrawPort&, SetStdContext& ctx, const ZelTimeslot& slot) const
{
    if (slot.IsSelected())
        return ctx.crBack2;
    const Look& look = LookOf(slot.GetItemData());
    return look.bFound && look.bLocked ? ctx.crCombinationBack : ctx.crSlot;
}

int DayGridCore::GetSlotTextColor(IZelDrawPort&, SetStdContext& ctx, const ZelTimeslot& slot,
                                  COLORREF& cr_text) const
{
    if (slot.IsSelected()) {
        cr_text = ctx.crText2;
    } else {
        const Look& look = LookOf(slot.GetItemData());
        cr_text = look.bFound && look.bLocked ? ctx.crText2 : ctx.crText;
    }
    return 1;
}

DWORD DayGridCore::GetCopyItemData(const ZelTimeslot&, const ZelTimeslot& slot_pasted) const
{
    return static_cast<DWORD>(-static_cast<LONG>(slot_pasted.GetItemData()));
}

// ------------------------------------------------------------------ locks

int DayGridCore::CountSelected(int i_mode) const
{
    int n = 0;
    const DayArray& days = GetDays();
    const Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return 0;
    for (int d = 0; d < days.GetSize(); ++d)
        for (int s = 0; s < days[d].GetSize(); ++s)
            for (int i = 0; i < days[d][s].GetCount(); ++i) {
                const ZelTimeslot& grid_slot = days[d][s][i];
                SlotPos pos;
                if (!grid_slot.IsSelected() || !FindSlot(grid_slot.GetItemData(), pos))
                    continue;
                const Timeslot& slot = p_timetable->GetDay(pos.iDay).GetVenueSlots(pos.iVenue)[pos.iSlot];
                if (slot.GetGroup() < 0)
                    continue;
                if (i_mode == 0 || (i_mode == 1 && slot.IsLocked()) || (i_mode == 2 && !slot.IsLocked()))
                    ++n;
            }
    return n;
}

void DayGridCore::SetSlotLock(int i_day, int i_venue, int i_slot, BOOL b_lock, BOOL b_refit)
{
    Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return;
    BOOL b_locked = FALSE;
    {
        TimeslotPtr p_slot = p_timetable->GetDay(i_day).GetVenueSlots(i_venue).GetSlotPtr(i_slot);
        // Only a placement can be locked.
        if (!b_lock || p_slot->GetGroup() != -1)
            p_slot->SetLocked(b_lock);
        b_locked = p_slot->IsLocked();
    }
    pDoc->SetModifiedFlag();
    if (!b_locked)
        return;
    if (b_refit && p_timetable->AdjustForSlotChange(pDoc, i_day, i_venue, i_slot) == 0)
        ShowCannotAdjust();
    pHost->Invalidate(nullptr, TRUE);
}

void DayGridCore::OnLock()
{
    if (GetTimetable() == nullptr)
        return;
    ZelWaitCursor wait;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                SlotPos pos;
                if (!Days[d][s][i].IsSelected() || !FindSlot(Days[d][s][i].GetItemData(), pos))
                    continue;
                if (GetTimetable()->GetDay(pos.iDay).GetVenueSlots(pos.iVenue)[pos.iSlot].IsLocked())
                    continue;
                SetSlotLock(pos.iDay, pos.iVenue, pos.iSlot, TRUE, TRUE);
                InvalidateSlot(d, s, i, FALSE);
            }
}

void DayGridCore::OnUnlock()
{
    if (GetTimetable() == nullptr)
        return;
    ZelWaitCursor wait;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                SlotPos pos;
                if (!Days[d][s][i].IsSelected() || !FindSlot(Days[d][s][i].GetItemData(), pos))
                    continue;
                if (!GetTimetable()->GetDay(pos.iDay).GetVenueSlots(pos.iVenue)[pos.iSlot].IsLocked())
                    continue;
                SetSlotLock(pos.iDay, pos.iVenue, pos.iSlot, FALSE, TRUE);
                InvalidateSlot(d, s, i, FALSE);
            }
}

void DayGridCore::OnLockAll()
{
    Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return;
    ZelWaitCursor wait;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v)
            for (int i = 0; i < day.GetVenueSlots(v).GetSize(); ++i)
                if (!day.GetVenueSlots(v)[i].IsLocked())
                    SetSlotLock(d, v, i, TRUE, FALSE);
    }
    if (p_timetable->AdjustForChanges(pDoc, TRUE) == 0)
        ShowCannotAdjust();
    pHost->Invalidate(nullptr, TRUE);
}

void DayGridCore::OnUnlockAll()
{
    Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v)
            for (int i = 0; i < day.GetVenueSlots(v).GetSize(); ++i)
                if (day.GetVenueSlots(v)[i].IsLocked())
                    SetSlotLock(d, v, i, FALSE, TRUE);
    }
    pHost->Invalidate(nullptr, TRUE);
}

void DayGridCore::OnChangeTimeslots()
{
    if (GetTimetable() == nullptr)
        return;
    CloseGroupList();
    const int b_was = SetReadOnly(!IsReadOnly());
    pHost->Invalidate(nullptr, TRUE);
    if (!b_was)
        pDoc->GetSchedulingRules().Revalidate(pDoc);
}

int DayGridCore::OnCommand(UINT u_id)
{
    switch (u_id) {
    case ID_LOCK: OnLock(); return 1;
    case ID_UNLOCK: OnUnlock(); return 1;
    case ID_LOCK_ALL: OnLockAll(); return 1;
    case ID_UNLOCK_ALL: OnUnlockAll(); return 1;
    case ID_CHANGE_TIMESLOTS: OnChangeTimeslots(); return 1;
    default: return ZelTimeslotDisplayGrid::OnCommand(u_id);
    }
}

BOOL DayGridCore::GetCommandState(UINT u_id, BOOL& b_enabled, BOOL& b_checked) const
{
    b_checked = FALSE;
    switch (u_id) {
    case ID_LOCK: b_enabled = CountSelected(2) > 0; return TRUE;
    case ID_UNLOCK: b_enabled = CountSelected(1) > 0; return TRUE;
    case ID_LOCK_ALL:
    case ID_UNLOCK_ALL: b_enabled = GetTimetable() != nullptr; return TRUE;
    case ID_CHANGE_TIMESLOTS:
        b_enabled = GetTimetable() != nullptr;
        b_checked = !IsReadOnly();
        return TRUE;
    default: return FALSE;
    }
}

void DayGridCore::GeneralPopup(const CPoint& pt, const ZelMenu* p_extra)
{
    CloseGroupList();
    ZelMenu popup = Menu204();
    if (p_extra)
        AppendMenu(popup, *p_extra);
    for (ZelMenuItem& item : popup) {
        if (item.uId == ID_UNLOCK)
            item.bEnabled = CountSelected(1) > 0;
        else if (item.uId == ID_LOCK)
            item.bEnabled = CountSelected(2) > 0;
        else if (item.uId == ID_CHANGE_TIMESLOTS)
            item.bChecked = !IsReadOnly();
    }
    ZelTimeslotDisplayGrid::GeneralPopup(pt, &popup);
}

// ------------------------------------------------------------ keys, mouse

int DayGridCore::PreTranslateKey(UINT u_key, UINT u_modifiers)
{
    if (IsListOpen()) {
        if (u_key == VK_TAB || u_key == VK_RETURN) {
            CloseGroupList();
            return 1;
        }
        if (u_key == VK_ESCAPE) {
            CancelGroupList();
            return 1;
        }
        return 0;
    }
    if (u_key == VK_RETURN) {
        int i_day = -1, i_set = -1, i_slot = -1;
        if (FindFocus(i_day, i_set, i_slot))
            OpenGroupList(i_day, i_set, i_slot);
        return 1;
    }
    return ZelTimeslotDisplayGrid::PreTranslateKey(u_key, u_modifiers);
}

void DayGridCore::OnLButtonDblClk(const CPoint& pt)
{
    int i_day = -1, i_set = -1;
    const ZelOleDateTime dt_time = PrecisePointToDayTime(pt, &i_day, &i_set);
    if (dt_time.GetStatus() != CHighTime::valid || i_day < 0 || i_set < 0)
        return;
    const int i_slot = GetTimeslotList(i_day, i_set).Find(dt_time, FALSE);
    if (i_slot < 0)
        return;
    UnselectAll();
    Days[i_day][i_set][i_slot].Select(true);
    InvalidateSlot(i_day, i_set, i_slot, FALSE);
    OpenGroupList(i_day, i_set, i_slot);
}

void DayGridCore::AfterKillFocus()
{
    if (pDoc != nullptr && !pDoc->IsBusy())
        pDoc->GetSchedulingRules().Revalidate(pDoc);
}

void DayGridCore::StoreScrollPositions() const
{
    TimetableViewState& state = TheTimetableViewState();
    ZelScrollInfo info;
    state.lScrollX = pHost->GetScrollInfo(SB_HORZ, info) ? info.nPos - info.nMin : 0;
    state.lScrollY = pHost->GetScrollInfo(SB_VERT, info) ? info.nPos - info.nMin : 0;
}

// ---------------------------------------------------- the in-place list

BOOL DayGridCore::FillGroupList(int i_day, int i_set, int i_slot, std::vector<IDayGridWindow::Choice>& v_choices,
                                int& i_selected) const
{
    v_choices.clear();
    i_selected = -1;
    SlotPos pos_t;
    if (!FindSlot(Days[i_day][i_set][i_slot].GetItemData(), pos_t))
        return FALSE;
    SlotPos pos_p;
    const BOOL b_previous = i_slot > 0 && FindSlot(Days[i_day][i_set][i_slot - 1].GetItemData(), pos_p);

    pDoc->AttachRulesToSlots(TRUE);
    Timetable* p_timetable = GetTimetable();
    const Day& day = p_timetable->GetDay(pos_t.iDay);
    const Timeslot& slot_t = day.GetVenueSlots(pos_t.iVenue)[pos_t.iSlot];
    const LONG l_previous =
        b_previous ? p_timetable->GetDay(pos_p.iDay).GetVenueSlots(pos_p.iVenue)[pos_p.iSlot].GetGroup() : -1;
    const Venue& venue = pDoc->GetVenues()[pos_t.iVenue];
    const BOOL b_travel = pDoc->GetPreferences().GetAllowTravel();
    const Generator generator;
    const GroupList& groups = pDoc->GetGroups();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        const Group& group = groups[g];
        TTLocArray a_locs;
        if (!group.IsAvailable(pDoc, day.GetDayId(), slot_t) || !generator.IsVenueSuitable(group, venue))
            continue;
        const BOOL b_own = slot_t.GetGroup() == group.GetKey();
        if (!(slot_t.IsLocked() && b_own)) {
            if (generator.FindClashLocations(pDoc, slot_t, g, a_locs, TRUE) != 0
                || !generator.CheckVenueRules(pDoc, group, slot_t, TRUE)
                || !generator.CheckDayRules(pDoc, group, slot_t, TRUE))
                continue;
        }
        if (b_travel && !generator.CheckTravelTime(pDoc, g, slot_t, TRUE))
            continue;
        v_choices.push_back({group.GetName(), g});
        if (b_own || (b_previous && l_previous == group.GetKey()))
            i_selected = static_cast<int>(v_choices.size()) - 1;
    }
    return TRUE;
}

void DayGridCore::OpenGroupList(int i_day, int i_set, int i_slot)
{
    CloseGroupList();
    if (pWindow == nullptr)
        return;
    ZelWaitCursor wait;
    EnsureVisible(i_slot, i_day, i_set, 0);
    CRect rc;
    GetSlotRect(static_cast<UINT>(i_day), static_cast<UINT>(i_set), static_cast<UINT>(i_slot), rc,
                bCombinationsSet);
    rc.top -= 3;
    rc.bottom += pWindow->GetParentHeight() / 2;
    SetPositionTips(FALSE);
    ActivatePositionTip(rc.BottomRight(), FALSE, FALSE);

    iListDay = i_day;
    iListSet = i_set;
    iListSlot = i_slot;
    std::vector<IDayGridWindow::Choice> v_choices;
    int i_selected = -1;
    FillGroupList(i_day, i_set, i_slot, v_choices, i_selected);
    bCancelled = 0;
    pWindow->OpenListWindow(rc, v_choices, i_selected);
}

void DayGridCore::CloseGroupList()
{
    if (IsListOpen())
        pWindow->CloseListWindow();
}

void DayGridCore::CancelGroupList()
{
    bCancelled = 1;
    CloseGroupList();
    SetPositionTips(TRUE);
}

void DayGridCore::CommitGroupList(int i_group)
{
    struct TipsBack {
        DayGridCore& Grid;
        ~TipsBack() { Grid.SetPositionTips(TRUE); }
    } tips_back{*this};

    if (iListDay < 0 || iListDay >= Days.GetSize() || iListSet < 0 || iListSet >= Days[iListDay].GetSize()
        || iListSlot < 0 || iListSlot >= Days[iListDay][iListSet].GetCount())
        return;
    SlotPos pos;
    if (!FindSlot(Days[iListDay][iListSet][iListSlot].GetItemData(), pos) || bCancelled)
        return;
    const GroupList& groups = pDoc->GetGroups();
    if (i_group < 0 || i_group >= groups.GetNumGroups())
        return;
    const LONG l_key = groups[i_group].GetKey();
    if (l_key < 0)
        return;
    Timetable* p_timetable = GetTimetable();
    {
        TimeslotPtr p_slot = p_timetable->GetDay(pos.iDay).GetVenueSlots(pos.iVenue).GetSlotPtr(pos.iSlot);
        if (l_key != p_slot->GetGroup()) {
            // Another group in the slot: the timetable no longer counts as
            // built (no creation date, not valid).
            p_timetable->Invalidate();
        }
        p_slot->SetGroup(l_key);
    }
    SetSlotLock(pos.iDay, pos.iVenue, pos.iSlot, TRUE, TRUE);
    if (!CheckSlotSizes()) {
        Resize();
        EnsureVisible(iListSlot, iListDay, iListSet, 0);
    } else {
        InvalidateSlot(iListDay, iListSet, iListSlot, FALSE);
    }
}

void DayGridCore::GetListSlot(int& i_day, int& i_set, int& i_slot) const
{
    i_day = iListDay;
    i_set = iListSet;
    i_slot = iListSlot;
}
