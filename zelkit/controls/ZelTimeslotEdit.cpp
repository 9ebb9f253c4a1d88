// Editing the grid: adding, selecting, moving, resizing and deleting slots
// with the mouse and the keys, the focus slot, undo and redo, the position
// tip's timing, auto-scroll and zoom.
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelTimeslotGrid.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

ZelOleDateTimeSpan Seconds(std::int64_t ll_seconds)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(ll_seconds * CHighTimeSpan::llTicksPerSecond));
}

} // namespace

const ZelTimeslotGrid::KeyCommand ZelTimeslotGrid::aKeyTable[12] = {
    {'A', KM_CONTROL, ID_EDIT_SELECT_ALL}, {'C', KM_CONTROL, ID_EDIT_COPY},  {'I', KM_CONTROL, ID_TSLOT_ZOOMIN},
    {'M', KM_ALT, ID_TSLOT_SHOWMENU},     {'N', KM_CONTROL, ID_TSLOT_NEW},  {'O', KM_CONTROL, ID_TSLOT_ZOOMOUT},
    {'V', KM_CONTROL, ID_EDIT_PASTE},     {VK_DELETE, 0, ID_EDIT_CLEAR},    {VK_ESCAPE, 0, ID_TSLOT_UNSELECTALL},
    {'X', KM_CONTROL, ID_EDIT_CUT},       {'Y', KM_CONTROL, ID_EDIT_REDO},  {'Z', KM_CONTROL, ID_EDIT_UNDO},
};

// ------------------------------------------------------------ undo, redo

void ZelTimeslotGrid::OnEditUndo()
{
    if (UndoList.empty()) {
        Beep();
        return;
    }
    RedoList.push_front(Days);
    Days = UndoList.front();
    UndoList.pop_front();
    Changed();
    pHost->Invalidate(nullptr, TRUE);
    MakeFocusVisible(0);
}

void ZelTimeslotGrid::OnEditRedo()
{
    if (RedoList.empty()) {
        Beep();
        return;
    }
    UndoList.push_front(Days);
    Days = RedoList.front();
    RedoList.pop_front();
    Changed();
    pHost->Invalidate(nullptr, TRUE);
    MakeFocusVisible(0);
}

// -------------------------------------------------------------- commands

int ZelTimeslotGrid::OnCommand(UINT u_id)
{
    switch (u_id) {
    case ID_TSLOT_NEW: OnNewSlot(); return 1;
    case ID_EDIT_CLEAR: OnDelete(); return 1;
    case ID_EDIT_SELECT_ALL: OnSelectAll(); return 1;
    case ID_TSLOT_UNSELECTALL: OnUnselectAll(); return 1;
    case ID_EDIT_UNDO: OnEditUndo(); return 1;
    case ID_EDIT_REDO: OnEditRedo(); return 1;
    case ID_TSLOT_ZOOMIN: OnZoomIn(); return 1;
    case ID_TSLOT_ZOOMOUT: OnZoomOut(); return 1;
    case ID_EDIT_COPY: OnCopy(); return 1;
    case ID_EDIT_CUT: OnCut(); return 1;
    case ID_EDIT_PASTE: OnPaste(); return 1;
    case ID_TSLOT_SHOWMENU: GeneralPopup(CPoint(0, 0), nullptr); return 1;
    case ID_TSLOT_24HOUR: On24Hour(); return 1;
    case ID_TSLOT_LENGTH: OnSlotLength(); return 1;
    case ID_TSLOT_RESOLUTION: OnTslotResolution(); return 1;
    case ID_TSLOT_COMBINE: OnTslotCombine(); return 1;
    case ID_TSLOT_UNCOMBINE: OnTslotUncombine(); return 1;
    default: return 0;
    }
}

void ZelTimeslotGrid::OnNewSlot()
{
    if (!NewSlot())
        Beep();
}

void ZelTimeslotGrid::OnDelete()
{
    if (bReadOnly || CountSelected() == 0) {
        Beep();
        return;
    }
    Save4Undo();
    if (DeleteSelected())
        Changed();
    else
        DiscardUndo();
}

void ZelTimeslotGrid::OnSelectAll()
{
    int b_changed = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                b_changed |= Days[d][s][i].Select(true);
    pHost->Invalidate(nullptr, FALSE);
    if (b_changed)
        SelectionChanged();
}

void ZelTimeslotGrid::OnUnselectAll()
{
    if (UnselectAll())
        SelectionChanged();
}

// ------------------------------------------------------------- selection

int ZelTimeslotGrid::UnselectAll()
{
    int b_changed = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                if (Days[d][s][i].Select(false)) {
                    InvalidateSlot(d, s, i, FALSE);
                    b_changed = 1;
                }
    SaveLastSelection(-1, -1, -1);
    return b_changed;
}

int ZelTimeslotGrid::Select(int i_day, int i_set, int i_slot, int b_toggle, int b_range, int)
{
    if (b_range)
        return AddSelection(i_day, i_set, i_slot);
    ZelTimeslot& slot = GetTimeslotList(i_day, i_set)[i_slot];
    int b_changed;
    if (b_toggle && slot.IsSelected()) {
        b_changed = slot.Select(false);
        SaveLastSelection(-1, -1, -1);
    } else {
        b_changed = slot.Select(true);
        SaveLastSelection(i_day, i_set, i_slot);
    }
    if (b_changed)
        InvalidateSlot(i_day, i_set, i_slot, FALSE);
    return b_changed;
}

int ZelTimeslotGrid::AddSelection(int i_day, int i_set, int i_slot)
{
    const bool b_anchor = iLastDay >= 0 && iLastDay < Days.GetSize() && iLastSet >= 0
                          && iLastSet < Days[iLastDay].GetSize() && iLastSlot >= 0
                          && iLastSlot < Days[iLastDay][iLastSet].GetCount();
    int b_changed;
    if (b_anchor) {
        b_changed = SelectInclusive(i_day, i_set, i_slot);
    } else {
        b_changed = GetTimeslotList(i_day, i_set)[i_slot].Select(true);
        if (b_changed)
            InvalidateSlot(i_day, i_set, i_slot, FALSE);
    }
    SaveLastSelection(i_day, i_set, i_slot);
    return b_changed;
}

int ZelTimeslotGrid::SelectInclusive(int i_day, int i_set, int i_slot)
{
    const ZelTimeslot& anchor = Days[iLastDay][iLastSet][iLastSlot];
    const ZelTimeslot& slot = GetTimeslotList(i_day, i_set)[i_slot];
    const ZelOleDateTime dt_from = std::min(GetDisplayTime(anchor.GetStart()), GetDisplayTime(slot.GetStart()));
    const ZelOleDateTime dt_to = std::max(GetDisplayTime(anchor.GetEnd()), GetDisplayTime(slot.GetEnd()));
    const int i_from = GetSetIndex(iLastDay, iLastSet);
    const int i_to = GetSetIndex(i_day, i_set);
    const int i_step = i_to >= i_from ? 1 : -1;
    int b_changed = 0;
    for (int c = i_from;; c += i_step) {
        int i_col_day = 0;
        const int i_col_set = GetSetIndexWithinDay(c, &i_col_day);
        b_changed |= SelectInclusive(i_col_day, i_col_set, dt_from, dt_to);
        if (c == i_to)
            break;
    }
    return b_changed;
}

int ZelTimeslotGrid::SelectInclusive(int i_day, int i_set, const ZelOleDateTime& dt_from, const ZelOleDateTime& dt_to)
{
    ZelTimeslotList& list = GetTimeslotList(i_day, i_set);
    int b_changed = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const ZelOleDateTime dt_start = GetDisplayTime(list[i].GetStart());
        const ZelOleDateTime dt_end = GetDisplayTime(list[i].GetEnd());
        // A slot that starts or ends inside the range; one enclosing the
        // whole range is left as it is.
        const bool b_in = (dt_from <= dt_start && dt_start < dt_to) || (dt_from < dt_end && dt_end <= dt_to);
        if (b_in && list[i].Select(true)) {
            InvalidateSlot(i_day, i_set, i, FALSE);
            b_changed = 1;
        }
    }
    return b_changed;
}

// ------------------------------------------------------------------ focus

int ZelTimeslotGrid::FindFocus(int& i_day, int& i_set, int& i_slot) const
{
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                if (Days[d][s][i].HasFocus()) {
                    i_day = d;
                    i_set = s;
                    i_slot = i;
                    return 1;
                }
    i_day = i_set = i_slot = -1;
    return 0;
}

void ZelTimeslotGrid::SetFocus(int i_day, int i_set, int i_slot)
{
    int d, s, i;
    while (FindFocus(d, s, i)) {
        Days[d][s][i].SetFocus(FALSE);
        InvalidateSlot(d, s, i, FALSE);
    }
    if (i_day >= 0 && i_set >= 0 && i_slot >= 0) {
        GetTimeslotList(i_day, i_set)[i_slot].SetFocus(TRUE);
        InvalidateSlot(i_day, i_set, i_slot, FALSE);
    } else {
        ToggleEmptyFocus();
    }
}

void ZelTimeslotGrid::ToggleEmptyFocus()
{
    if (CountSlots() == 0 && rSets.GetSize() > 0)
        pHost->Invalidate(&rSets[0], FALSE);
}

void ZelTimeslotGrid::RemoveEmptyFocus() { ToggleEmptyFocus(); }

void ZelTimeslotGrid::ShowFocus(int b_make_visible)
{
    bHasFocus = 1;
    int d, s, i;
    if (!FindFocus(d, s, i)) {
        for (int dd = 0; dd < Days.GetSize() && d < 0; ++dd)
            for (int ss = 0; ss < Days[dd].GetSize(); ++ss)
                if (Days[dd][ss].GetCount() > 0) {
                    d = dd;
                    s = ss;
                    break;
                }
        if (d >= 0)
            SetFocus(d, s, 0);
        else
            ToggleEmptyFocus();
    }
    if (FindFocus(d, s, i))
        InvalidateSlot(d, s, -1, FALSE);
    if (b_make_visible)
        MakeFocusVisible(0);
}

void ZelTimeslotGrid::OnSetFocus()
{
    ShowFocus(!bMouseActivate);
    bMouseActivate = 0;
}

void ZelTimeslotGrid::OnKillFocus()
{
    DeactivatePositionTip(1);
    bHasFocus = 0;
    int d, s, i;
    if (FindFocus(d, s, i))
        InvalidateSlot(d, s, -1, FALSE);
    else
        RemoveEmptyFocus();
}

int ZelTimeslotGrid::MakeFocusVisible(int b_partial)
{
    int d, s, i;
    if (!FindFocus(d, s, i))
        return 0;
    return EnsureVisible(i, d, s, b_partial);
}

CRect ZelTimeslotGrid::FirstShapeRect(UINT u_day, UINT u_set, UINT u_slot) const
{
    CRect rc, rc_top, rc_middle, rc_bottom;
    GetSlotShape(u_day, u_set, u_slot, rc, rc_top, rc_middle, rc_bottom, bCombinationsSet, nullptr);
    return rc;
}

int ZelTimeslotGrid::MakeSelectionVisible(int b_partial, int b_zoom)
{
    int a_first[3] = {-1, -1, -1}, a_last[3] = {-1, -1, -1}, a_low[3] = {-1, -1, -1};
    ZelOleDateTime dt_first, dt_last;
    LONG i_lowest = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                const ZelTimeslot& slot = Days[d][s][i];
                if (!slot.IsSelected())
                    continue;
                const ZelOleDateTime dt_start = GetDisplayTime(slot.GetStart());
                const ZelOleDateTime dt_end = GetDisplayTime(slot.GetEnd());
                if (a_first[0] < 0 || dt_start < dt_first) {
                    dt_first = dt_start;
                    a_first[0] = d, a_first[1] = s, a_first[2] = i;
                }
                if (a_last[0] < 0 || dt_end >= dt_last) {
                    dt_last = dt_end;
                    a_last[0] = d, a_last[1] = s, a_last[2] = i;
                }
                if (b_zoom) {
                    const LONG i_height = FirstShapeRect(d, s, i).Height();
                    if (a_low[0] < 0 || i_height < i_lowest) {
                        i_lowest = i_height;
                        a_low[0] = d, a_low[1] = s, a_low[2] = i;
                    }
                }
            }
    if (a_first[0] < 0)
        return 0;
    if (b_zoom) {
        const LONG i_min = static_cast<LONG>(uMaxMagFactor) * Metric(ZelSys::SM_CYEDGE);
        while (FirstShapeRect(a_low[0], a_low[1], a_low[2]).Height() < i_min)
            if (!ZoomIn())
                break;
    }
    // The start of the selection wins: it is made visible last.
    int b_scrolled = EnsureVisible(a_last[2], a_last[0], a_last[1], b_partial);
    b_scrolled |= EnsureVisible(a_first[2], a_first[0], a_first[1], b_partial);
    return b_scrolled;
}

int ZelTimeslotGrid::TabFocus(int b_backwards)
{
    int d, s, i;
    if (!FindFocus(d, s, i))
        return 0;
    const int n_columns = GetTotalSets();
    int i_column = GetSetIndex(d, s);
    int i_slot = i + (b_backwards ? -1 : 1);
    for (;;) {
        int i_day = 0;
        const int i_set = GetSetIndexWithinDay(i_column, &i_day);
        const ZelTimeslotList& list = Days[i_day][i_set];
        if (i_slot >= 0 && i_slot < list.GetCount()) {
            pHost->SetRedraw(FALSE);
            SetFocus(i_day, i_set, i_slot);
            const int b_scrolled = MakeFocusVisible(0);
            pHost->SetRedraw(TRUE);
            if (b_scrolled)
                pHost->Invalidate(nullptr, FALSE);
            return 1;
        }
        i_column += b_backwards ? -1 : 1;
        if (i_column < 0 || i_column >= n_columns)
            return 0; // past the ends: the dialog moves on
        int i_next_day = 0;
        const int i_next_set = GetSetIndexWithinDay(i_column, &i_next_day);
        i_slot = b_backwards ? Days[i_next_day][i_next_set].GetCount() - 1 : 0;
    }
}

// ------------------------------------------------------------ adding slots

int ZelTimeslotGrid::AddSlot(int i_day, int i_set, UINT u_hour, UINT u_minute, UINT u_length, int b_test_only,
                             int b_show)
{
    if (i_day < 0 || i_day >= static_cast<int>(nDays) || i_set < 0 || i_set >= Days[i_day].GetSize())
        return ZelTimeslotList::Invalid;
    ZelOleDateTime dt_start = GetDayStart(static_cast<UINT>(i_day)) + dtsDayLength();
    dt_start.SetTimeOnly(static_cast<std::int32_t>(u_hour), static_cast<std::int32_t>(u_minute), 0);
    return AddSlot(i_day, i_set, dt_start, Seconds(u_length), b_test_only, b_show);
}

int ZelTimeslotGrid::AddSlot(int i_day, int i_set, const ZelOleDateTime& dt_start,
                             const ZelOleDateTimeSpan& dts_length, int b_test_only, int b_show)
{
    if (i_day < 0 || i_set < 0)
        return ZelTimeslotList::Invalid;
    ZEL_ASSERT(i_day < (int) nDays);
    ZEL_ASSERT(i_set < GetNumSets(i_day));
    const ZelOleDateTimeSpan dts = dts_length.IsZero() ? Seconds(uSlotLength) : dts_length;
    const ZelTimeslot slot(dt_start, dts, static_cast<WORD>(i_set), 0);
    return AddSlot(i_day, i_set, slot, b_test_only, b_show);
}

int ZelTimeslotGrid::AddSlot(int i_day, int i_set, const ZelTimeslot& slot, int b_test_only, int b_show)
{
    const DayDef& def = DayDefinitions[i_day];
    const ZelOleDateTime dt_end = slot.GetEnd();
    if (slot.GetStart() < def.dtDayStart || (dt_end.IsValid() && dt_end > def.dtDayEnd)
        || slot.GetStart() < GetDayStartLimit(static_cast<UINT>(i_day))
        || (dt_end.IsValid() && dt_end > GetDayEndLimit(static_cast<UINT>(i_day))))
        return ZelTimeslotList::TooLong;
    if (Overlaps(slot, static_cast<UINT>(i_set), i_day))
        return ZelTimeslotList::Overlap;
    ToggleEmptyFocus();
    ZelTimeslotList& list = Days[i_day][i_set];
    const int i_result = b_test_only ? list.TestAdd(slot) : list.Add(slot);
    if (i_result != ZelTimeslotList::Added || b_test_only)
        return i_result;

    const int i_slot = list.Find(slot, TRUE);
    list[i_slot].SetBigEnough(FALSE, FALSE);
    CheckSlotSize(i_day, i_set, i_slot);
    SetFocus(i_day, i_set, i_slot);
    if (b_show) {
        RecomputeDisplay(i_day, &slot);
        EnsureVisible(list.Find(slot, TRUE), i_day, i_set, 0);
        pHost->Invalidate(nullptr, FALSE);
    }
    return ZelTimeslotList::Added;
}

int ZelTimeslotGrid::IsAddOK(const ZelTimeslot& slot, int i_set, int i_day, const DayArray* p_days) const
{
    if (i_day < 0)
        i_day = FindDay(slot.GetStart());
    if (i_day < 0 || i_day >= static_cast<int>(nDays))
        return 0;
    const DayDef& def = DayDefinitions[i_day];
    const ZelOleDateTime dt_end = slot.GetEnd();
    if (slot.GetStart() < def.dtDayStart || (dt_end.IsValid() && dt_end > def.dtDayEnd)
        || slot.GetStart() < GetDayStartLimit(static_cast<UINT>(i_day))
        || (dt_end.IsValid() && dt_end > GetDayEndLimit(static_cast<UINT>(i_day))))
        return 0;
    return DaysOf(p_days)[i_day][i_set].TestAdd(slot) == ZelTimeslotList::Added;
}

int ZelTimeslotGrid::Overlaps(const ZelTimeslot& slot, UINT u_set, int i_day) const
{
    if (i_day < 0)
        i_day = FindDay(slot.GetStart());
    if (i_day < 0)
        return 0;
    if (Days[i_day][static_cast<int>(u_set)].Find(slot, FALSE) >= 0)
        return 1;
    // Days that follow each other without a break share real time: a slot
    // in one reaches into the other's sets at the same real moment.
    const ZelOleDateTime dt_noon = DayDefinitions[i_day].dtDayStart + dtsDayLength();
    auto clashes_on = [&](int i_other, const ZelOleDateTimeSpan& dts_shift) {
        ZelTimeslot moved = slot;
        moved.SetStart(slot.GetStart() + dts_shift);
        for (int s = 0; s < Days[i_other].GetSize(); ++s) {
            moved.SetSetIndex(static_cast<WORD>(s));
            if (Days[i_other][s].Find(moved, FALSE) >= 0)
                return true;
        }
        return false;
    };
    const int i_prev = i_day == 0 ? static_cast<int>(nDays) - 1 : i_day - 1;
    const int i_next = i_day + 1 >= static_cast<int>(nDays) ? 0 : i_day + 1;
    if (DayDefinitions[i_day].bConsec && slot.GetStart() < dt_noon) {
        const ZelOleDateTimeSpan dts_shift = (GetMidnight(i_prev) + dtsDayLength()) - GetMidnight(i_day);
        if (clashes_on(i_prev, dts_shift))
            return 1;
    }
    if (DayDefinitions[i_next].bConsec && !(slot.GetStart() < dt_noon)) {
        const ZelOleDateTimeSpan dts_shift = (GetMidnight(i_next) - dtsDayLength()) - GetMidnight(i_day);
        if (clashes_on(i_next, dts_shift))
            return 1;
    }
    return 0;
}

void ZelTimeslotGrid::RecomputeDisplay(int i_day, const ZelTimeslot* p_slot)
{
    if (i_day < 0 || p_slot == nullptr) {
        int d, s, i;
        if (FindEarliest(d, s, i)) {
            const ZelTimeslot slot = Days[d][s][i];
            RecomputeDisplay(d, &slot);
        }
        if (FindLatest(d, s, i)) {
            const ZelTimeslot slot = Days[d][s][i];
            RecomputeDisplay(d, &slot);
        }
        return;
    }
    bool b_moved = false;
    const ZelOleDateTime dt_start = GetDisplayTime(p_slot->GetStart());
    while (dt_start < dtDisplayStart && dtDisplayStart > dtAxisStart && dtsSpacing.IsPositive()) {
        dtDisplayStart -= dtsSpacing;
        b_moved = true;
    }
    if (dtDisplayStart < dtAxisStart)
        dtDisplayStart = dtAxisStart;
    const ZelOleDateTime dt_end = GetDisplayTime(p_slot->GetEnd());
    while (dt_end > dtDisplayEnd && dtDisplayEnd < dtAxisEnd && dtsSpacing.IsPositive()) {
        dtDisplayEnd += dtsSpacing;
        b_moved = true;
    }
    if (dtDisplayEnd > dtAxisEnd)
        dtDisplayEnd = dtAxisEnd;
    if (!b_moved) {
        InvalidateSlot(i_day, -1, -1, FALSE);
        return;
    }
    ZelWaitCursor wait;
    ComputeAreas();
    pHost->Invalidate(nullptr, TRUE);
}

int ZelTimeslotGrid::FindEarliest(int& i_day, int& i_set, int& i_slot, const DayArray* p_days) const
{
    const DayArray& days = DaysOf(p_days);
    i_day = i_set = i_slot = -1;
    ZelOleDateTimeSpan dts_best;
    for (int d = 0; d < days.GetSize() && d < DayDefinitions.GetSize(); ++d)
        for (int s = 0; s < days[d].GetSize(); ++s) {
            if (days[d][s].GetCount() == 0)
                continue;
            const ZelOleDateTimeSpan dts = days[d][s][0].GetStart() - DayDefinitions[d].dtDayStart;
            if (i_day < 0 || dts < dts_best) {
                dts_best = dts;
                i_day = d, i_set = s, i_slot = 0;
            }
        }
    return i_day >= 0;
}

int ZelTimeslotGrid::FindLatest(int& i_day, int& i_set, int& i_slot, const DayArray* p_days) const
{
    const DayArray& days = DaysOf(p_days);
    i_day = i_set = i_slot = -1;
    ZelOleDateTimeSpan dts_best;
    for (int d = 0; d < days.GetSize() && d < DayDefinitions.GetSize(); ++d)
        for (int s = 0; s < days[d].GetSize(); ++s) {
            const int n = days[d][s].GetCount();
            if (n == 0)
                continue;
            const ZelOleDateTimeSpan dts = days[d][s][n - 1].GetEnd() - DayDefinitions[d].dtDayStart;
            if (i_day < 0 || dts > dts_best) {
                dts_best = dts;
                i_day = d, i_set = s, i_slot = n - 1;
            }
        }
    return i_day >= 0;
}

int ZelTimeslotGrid::NewSlot()
{
    if (bReadOnly)
        return 0;
    for (int d = 0; d < Days.GetSize(); ++d) {
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            const ZelTimeslotList& list = Days[d][s];
            ZelTimeslot slot(GetDayTime(static_cast<UINT>(d), dtDisplayStart), Seconds(uSlotLength),
                             static_cast<WORD>(s), 0);
            const bool b_room = list.GetCount() == 0 ? list.TestAdd(slot) == ZelTimeslotList::Added
                                                     : list.FindGap(slot) != 0;
            if (!b_room)
                continue;
            Save4Undo();
            if (AddSlot(d, s, slot.GetStart(), ZelOleDateTimeSpan(), FALSE, TRUE) == ZelTimeslotList::Added) {
                Changed();
                return 1;
            }
            DiscardUndo();
            return 0;
        }
    }
    return 0;
}

int ZelTimeslotGrid::DeleteSelected()
{
    int b_deleted = 0;
    int b_focus = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = Days[d].GetSize() - 1; s >= 0; --s) {
            ZelTimeslotList& list = Days[d][s];
            for (int i = list.GetCount() - 1; i >= 0; --i) {
                if (!list[i].IsSelected())
                    continue;
                b_focus |= list[i].HasFocus();
                list.Delete(i);
                InvalidateSlot(d, s, -1, FALSE);
                b_deleted = 1;
            }
        }
    if (b_focus) {
        int i_day = -1, i_set = -1;
        for (int d = 0; d < Days.GetSize() && i_day < 0; ++d)
            for (int s = 0; s < Days[d].GetSize(); ++s)
                if (Days[d][s].GetCount() > 0) {
                    i_day = d;
                    i_set = s;
                    break;
                }
        SetFocus(i_day, i_set, i_day >= 0 ? 0 : -1);
    }
    if (b_deleted) {
        SaveLastSelection(-1, -1, -1);
        SelectionChanged();
    }
    return b_deleted;
}

// ---------------------------------------------------------- moving slots

int ZelTimeslotGrid::MoveHorz(int b_only_selected, int i_steps, int& b_scrolled, int& b_moved, DayArray* p_days)
{
    if (i_steps == 0)
        return 1;
    DayArray& days = p_days ? *p_days : Days;
    const int n_columns = GetTotalSets();
    const bool b_forward = i_steps > 0;
    for (int c = b_forward ? n_columns - 1 : 0; b_forward ? c >= 0 : c < n_columns; c += b_forward ? -1 : 1) {
        int i_day = 0;
        const int i_set = GetSetIndexWithinDay(c, &i_day);
        ZelTimeslotList& list = days[i_day][i_set];
        const int i_target = std::clamp(c + i_steps, 0, n_columns - 1);
        int i_to_day = 0;
        const int i_to_set = GetSetIndexWithinDay(i_target, &i_to_day);
        for (int i = list.GetCount() - 1; i >= 0; --i) {
            if (b_only_selected && !list[i].IsSelected())
                continue;
            const ZelTimeslotList saved = list;
            ZelTimeslot slot = list[i];
            list.Delete(i);
            if (i_to_day != i_day)
                slot.SetStart(ChangeDay(static_cast<UINT>(i_to_day), slot.GetStart(), i_day));
            slot.SetSetIndex(static_cast<WORD>(i_to_set));
            if (!IsAddOK(slot, i_to_set, i_to_day, &days)) {
                list = saved;
                return 0;
            }
            slot.SetBigEnough(FALSE, FALSE);
            days[i_to_day][i_to_set].Add(slot);
            b_moved = 1;
            if (slot.HasFocus() && EnsureVisible(-1, i_to_day, i_to_set, 1))
                b_scrolled = 1;
        }
    }
    for (int d = 0; d < days.GetSize(); ++d)
        for (int s = 0; s < days[d].GetSize(); ++s)
            for (int i = 0; i < days[d][s].GetCount(); ++i)
                CheckSlotSize(d, s, i, &days);
    return 1;
}

int ZelTimeslotGrid::MoveVert(int b_only_selected, int i_steps, int& b_scrolled, int& b_moved)
{
    if (i_steps == 0)
        return 1;
    const ZelOleDateTimeSpan dts_shift = dtsStep * i_steps;
    for (int d = 0; d < Days.GetSize(); ++d) {
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            ZelTimeslotList& list = Days[d][s];
            bool b_column = false;
            const int n = list.GetCount();
            for (int k = 0; k < n; ++k) {
                const int i = i_steps > 0 ? n - 1 - k : k;
                if (b_only_selected && !list[i].IsSelected())
                    continue;
                const ZelTimeslotList saved = list;
                ZelTimeslot slot = list[i];
                list.Delete(i);
                slot.Move(dts_shift);
                if (!IsAddOK(slot, s, d)) {
                    list = saved;
                    return 0;
                }
                list.Add(slot);
                b_moved = 1;
                if (GetDisplayTime(slot.GetStart()) < dtDisplayStart)
                    MoreTimeDisplay(1);
                else if (GetDisplayTime(slot.GetEnd()) > dtDisplayEnd)
                    MoreTimeDisplay(0);
                else
                    b_column = true;
                if (slot.HasFocus() && EnsureVisible(list.Find(slot, TRUE), d, s, 0))
                    b_scrolled = 1;
            }
            if (b_column)
                InvalidateSlot(d, s, -1, FALSE);
        }
    }
    return 1;
}

int ZelTimeslotGrid::MoveSelected(UINT u_key, UINT)
{
    int i_steps = 0;
    bool b_horz = false;
    switch (u_key) {
    case VK_LEFT: i_steps = -1, b_horz = true; break;
    case VK_RIGHT: i_steps = 1, b_horz = true; break;
    case VK_UP: i_steps = -1; break;
    case VK_DOWN: i_steps = 1; break;
    default: return 0;
    }
    if (bReadOnly) {
        Beep();
        return 1;
    }
    const DayArray saved = Days;
    Save4Undo();
    int b_scrolled = 0, b_moved = 0, b_ok;
    if (b_horz) {
        pHost->SetRedraw(FALSE);
        b_ok = MoveHorz(TRUE, i_steps, b_scrolled, b_moved);
        pHost->SetRedraw(TRUE);
        const CRect rc_area = rSlotArea;
        pHost->Invalidate(b_scrolled ? nullptr : &rc_area, FALSE);
    } else {
        b_ok = MoveVert(TRUE, i_steps, b_scrolled, b_moved);
    }
    if (!b_ok) {
        // Every slot goes back where it was; the snapshot is dropped.
        Days = saved;
        pHost->Invalidate(nullptr, FALSE);
        Beep();
        DiscardUndo();
    } else if (!b_moved) {
        DiscardUndo();
    } else {
        Changed();
    }
    return 1;
}

// -------------------------------------------------------------- resizing

int ZelTimeslotGrid::Resize(int i_steps, int i_edge, int b_widen)
{
    const ZelOleDateTimeSpan dts_delta = dtsStep * i_steps;
    int b_changed = 0;
    for (int d = 0; d < Days.GetSize(); ++d) {
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            ZelTimeslotList& list = Days[d][s];
            for (int i = 0; i < list.GetCount(); ++i) {
                if (!list[i].IsSelected())
                    continue;
                const ZelTimeslotList saved = list;
                ZelTimeslot slot = list[i];
                list.Delete(i);
                if (i_edge) {
                    slot.SetStart(slot.GetStart() + dts_delta);
                    slot.SetLength(ZelOleDateTimeSpan(slot.GetLengthSpan() - dts_delta));
                } else {
                    slot.SetLength(ZelOleDateTimeSpan(slot.GetLengthSpan() + dts_delta));
                }
                if (!slot.IsValid() || slot.GetLengthSpan() < dtsStep || !IsAddOK(slot, s, d)) {
                    list = saved;
                    continue;
                }
                slot.SetBigEnough(FALSE, FALSE);
                list.Add(slot);
                b_changed = 1;
                if (b_widen) {
                    if (GetDisplayTime(slot.GetStart()) < dtDisplayStart)
                        MoreTimeDisplay(1);
                    if (GetDisplayTime(slot.GetEnd()) > dtDisplayEnd)
                        MoreTimeDisplay(0);
                }
                InvalidateSlot(d, s, -1, FALSE);
            }
        }
    }
    if (b_changed)
        for (int d = 0; d < Days.GetSize(); ++d)
            for (int s = 0; s < Days[d].GetSize(); ++s)
                for (int i = 0; i < Days[d][s].GetCount(); ++i)
                    if (Days[d][s][i].IsSelected())
                        CheckSlotSize(d, s, i);
    return b_changed;
}

int ZelTimeslotGrid::ResizeSelected(UINT u_key, UINT)
{
    int i_steps;
    switch (u_key) {
    case VK_UP: i_steps = -1; break;
    case VK_DOWN: i_steps = 1; break;
    default: return 0;
    }
    if (bReadOnly) {
        Beep();
        return 1;
    }
    Save4Undo();
    if (Resize(i_steps, 1, 1)) {
        Changed();
    } else {
        DiscardUndo();
        Beep();
    }
    return 1;
}

int ZelTimeslotGrid::ResizePoint(const CPoint& pt, const CRect& rc_top, const CRect& rc_bottom,
                                 ZelOleDateTime* p_time, int* p_edge) const
{
    const LONG i_zone = Metric(ZelSys::SM_CYEDGE);
    const LONG i_min = static_cast<LONG>(uMinResizeFactor) * i_zone;
    if (rc_top.Height() <= i_min || rc_bottom.Height() <= i_min)
        return 0;
    const CRect rc_top_zone(rc_top.left, rc_top.top, rc_top.right, rc_top.top + i_zone + 1);
    const CRect rc_bottom_zone(rc_bottom.left, rc_bottom.bottom - i_zone - 1, rc_bottom.right, rc_bottom.bottom + 1);
    if (rc_top_zone.bottom > rc_bottom_zone.top)
        return 0;
    const ZelOleDateTime dt = PointToTimeOfDay(pt, FALSE, TRUE);
    if (!dt.IsValid())
        return 0;
    int i_edge;
    if (rc_top_zone.PtInRect(pt))
        i_edge = 1;
    else if (rc_bottom_zone.PtInRect(pt))
        i_edge = 0;
    else
        return 0;
    if (p_time)
        *p_time = dt;
    if (p_edge)
        *p_edge = i_edge;
    return 1;
}

void ZelTimeslotGrid::ToggleResizeRect()
{
    bResizeRectShown = !bResizeRectShown;
    InvalidateSelected(FALSE);
}

int ZelTimeslotGrid::Resize(const CPoint& pt, UINT u_day, UINT u_set, UINT u_slot)
{
    if (bResizing) {
        if (bResizeRectShown)
            ToggleResizeRect();
        bResizing = 0;
    }
    CRect rc, rc_top, rc_middle, rc_bottom;
    if (!GetSlotShape(u_day, u_set, u_slot, rc, rc_top, rc_middle, rc_bottom, bCombinationsSet, nullptr))
        rc_top = rc_bottom = rc;
    CRect rc_display;
    GetDisplayRect(rc_display);
    if (!rc_display.PtInRect(pt))
        return 0;
    ZelOleDateTime dt;
    int i_edge = 0;
    if (!ResizePoint(pt, rc_top, rc_bottom, &dt, &i_edge))
        return 0;
    iResizeEdge = i_edge;
    dtResizeAnchor = dt;
    bResizing = 1;
    bResizeChanged = 0;
    Save4Undo();
    ToggleResizeRect();
    sTipText = FormatTimeslot(Days[static_cast<int>(u_day)][static_cast<int>(u_set)][static_cast<int>(u_slot)], FALSE);
    return 1;
}

void ZelTimeslotGrid::Resize(const CPoint& pt)
{
    const ZelOleDateTime dt = PointToTimeOfDay(pt, FALSE, TRUE);
    std::int64_t ll_steps = 0;
    const std::int64_t ll_step = dtsStep.GetTotalSeconds();
    if (dt.IsValid() && ll_step > 0)
        ll_steps = (dt - dtResizeAnchor).GetTotalSeconds() / ll_step;
    if (ll_steps == 0) {
        CheckAutoScroll(pt, TRUE);
        return;
    }
    ToggleResizeRect();
    if (Resize(static_cast<int>(ll_steps), iResizeEdge, TRUE)) {
        dtResizeAnchor = dt;
        bResizeChanged = 1;
    }
    ToggleResizeRect();
}

// ------------------------------------------------------------------ mouse

void ZelTimeslotGrid::SetCursor(const CPoint& pt, int i_day, int i_set, int i_slot)
{
    if (bMagnify) {
        pHost->SetPointerCursor(ZelCursorKind::Magnifier);
        return;
    }
    if (!bReadOnly && bResizing) {
        pHost->SetPointerCursor(ZelCursorKind::SizeNS);
        return;
    }
    const bool b_slot = pt != CPoint(-1, -1) && i_day >= 0 && i_day < Days.GetSize() && i_set >= 0
                        && i_set < Days[i_day].GetSize() && i_slot >= 0 && i_slot < Days[i_day][i_set].GetCount();
    if (!bReadOnly && b_slot) {
        CRect rc, rc_top, rc_middle, rc_bottom;
        if (!GetSlotShape(i_day, i_set, i_slot, rc, rc_top, rc_middle, rc_bottom, bCombinationsSet, nullptr))
            rc_top = rc_bottom = rc;
        if (ResizePoint(pt, rc_top, rc_bottom, nullptr, nullptr)) {
            pHost->SetPointerCursor(ZelCursorKind::SizeNS);
            return;
        }
    }
    pHost->SetPointerCursor(ZelCursorKind::Arrow);
}

void ZelTimeslotGrid::OnLButtonDown(UINT u_flags, const CPoint& pt)
{
    pHost->TakeKeyboardFocus();
    if (bMagnify) {
        OnZoomIn();
        return;
    }
    const int b_tip = DeactivatePositionTip(1);
    if (!IsPointInTimeslotArea(pt))
        return;
    int i_day = -1, i_set = -1;
    const ZelOleDateTime dt = PrecisePointToDayTime(pt, &i_day, &i_set);
    if (!dt.IsValid()) {
        Beep();
        return;
    }
    const int b_ctrl = (u_flags & MK_CONTROL) != 0;
    const int b_shift = (u_flags & MK_SHIFT) != 0;
    int b_selection = 0;
    if (!b_ctrl && !b_shift)
        b_selection |= UnselectAll();

    ZelTimeslotList& list = Days[i_day][i_set];
    int i_slot = list.Find(dt, FALSE);
    if (i_slot < 0)
        i_slot = list.Find(dt, TRUE);
    if (i_slot < 0) {
        if (bReadOnly) {
            Beep();
        } else {
            Save4Undo();
            const ZelOleDateTime dt_start = PointToDayTime(pt, FALSE, nullptr, nullptr);
            const int i_result = AddSlot(i_day, i_set, dt_start, ZelOleDateTimeSpan(), FALSE, TRUE);
            if (i_result == ZelTimeslotList::Added) {
                Changed();
            } else {
                // A refused add says why, in the tip at the point.
                DiscardUndo();
                sTipText = ZelTimeslotList::GetFailMessage(static_cast<ZelTimeslotList::AddResult>(i_result));
                ActivatePositionTip(pt, TRUE, TRUE);
                Beep();
            }
        }
    } else {
        b_selection |= Select(i_day, i_set, i_slot, b_ctrl, b_shift, 0);
        InvalidateSlot(i_day, i_set, i_slot, FALSE);
        InvalidateSelected(FALSE);
        SetFocus(i_day, i_set, i_slot);
        EnsureVisible(-1, i_day, i_set, 0);
        if (!bReadOnly) {
            ZelTimeslot& slot = Days[i_day][i_set][i_slot];
            const bool b_was_selected = slot.IsSelected() != 0;
            slot.Select(true);
            if (!Resize(pt, i_day, i_set, i_slot)) {
                // Without a drag a Ctrl-click leaves the slot toggled.
                if (!DragDrop() && b_ctrl && !b_shift)
                    Days[i_day][i_set][i_slot].Select(b_was_selected);
            }
        }
        if (b_tip)
            ActivatePositionTip(pt, TRUE, TRUE);
    }
    if (b_selection)
        SelectionChanged();
}

void ZelTimeslotGrid::OnLButtonUp(UINT, const CPoint& pt)
{
    pTimers->KillTimer(uScrollTimer);
    if (bResizing) {
        Resize(pt);
        bResizing = 0;
        bResizeRectShown = 0;
        pHost->Invalidate(nullptr, FALSE);
        if (bResizeChanged)
            Changed();
        bResizeChanged = 0;
    }
    ActivatePositionTip(pt, TRUE, TRUE);
}

void ZelTimeslotGrid::OnMouseMove(UINT, const CPoint& pt)
{
    ptLastMouse = pt;
    bMagnify = 0;
    if (bResizing)
        Resize(pt);

    CRect rc_display, rc_tips;
    GetDisplayRect(rc_display);
    rc_tips.UnionRect(rc_display, rClipDayRow);
    rc_tips.UnionRect(rc_tips, rClipSetRow);
    if (!rc_tips.PtInRect(pt) || (pt == ptTip && bTipExpired)) {
        DeactivatePositionTip(TRUE);
        pHost->SetPointerCursor(ZelCursorKind::Arrow);
        return;
    }
    // A tip ends once the pointer leaves the few pixels around its point.
    if (bTipShowing && !(ptTip.x - 1 <= pt.x && pt.x <= ptTip.x + 2 && ptTip.y - 1 <= pt.y && pt.y <= ptTip.y + 2))
        DeactivatePositionTip(TRUE);

    sTipText.clear();
    int i_day = -1, i_set = -1;
    const int i_column = PointToSet(pt, FALSE);
    if (i_column >= 0)
        i_set = GetSetIndexWithinDay(i_column, &i_day);
    else
        i_day = PointToDay(pt);

    if (!rc_display.PtInRect(pt)) {
        if (i_day >= 0 && i_day < static_cast<int>(nDays)) {
            sTipText = Days[i_day].GetSize() < 2 || i_set < 0 ? GetDayTip(static_cast<UINT>(i_day))
                                                              : GetSetTip(static_cast<UINT>(i_day), static_cast<UINT>(i_set));
            pHost->SetPointerCursor(ZelCursorKind::Arrow);
        }
    } else {
        const ZelOleDateTime dt_axis = PointToTimeOfDay(pt, FALSE, FALSE);
        if (dt_axis.IsValid()) {
            int i_slot = -1;
            if (i_day >= 0 && i_day < static_cast<int>(nDays) && i_set >= 0)
                i_slot = Days[i_day][i_set].Find(GetDayTime(static_cast<UINT>(i_day), dt_axis), FALSE);
            if (i_slot < 0) {
                sTipText = FormatTime(PointToTimeOfDay(pt, FALSE, TRUE));
                SetCursor(pt, -1, -1, -1);
            } else {
                const ZelTimeslot& slot = Days[i_day][i_set][i_slot];
                CRect rc;
                GetSlotRect(i_day, i_set, i_slot, rc, bCombinationsSet);
                if (bTipsAlways || bResizing || !bShowSlotText || !CheckSlotSize(i_day, i_set, i_slot)
                    || rc.Height() > rc_display.Height())
                    sTipText = FormatTimeslot(slot);
                if (bReadOnly && rc.Height() < static_cast<LONG>(uMaxMagFactor) * Metric(ZelSys::SM_CYEDGE))
                    bMagnify = 1;
                SetCursor(pt, i_day, i_set, i_slot);
            }
        }
    }
    if (!sTipText.empty() && !bTipShowing)
        pTimers->StartTimer(uTipTimer, uTipTimeStart);
}

void ZelTimeslotGrid::OnMouseLeave() { DeactivatePositionTip(TRUE); }

void ZelTimeslotGrid::OnActivate(int b_active)
{
    if (b_active)
        ActivatePositionTip(pHost->GetCursorClientPoint(), TRUE, TRUE);
    else
        DeactivatePositionTip(TRUE);
}

void ZelTimeslotGrid::OnTimer(UINT u_id)
{
    if (u_id == uTipTimer) {
        if (bTipShowing) {
            DeactivatePositionTip(TRUE);
            bTipExpired = 1;
        } else {
            ActivatePositionTip(pHost->GetCursorClientPoint(), TRUE, TRUE);
        }
    } else if (u_id == uScrollTimer) {
        CheckAutoScroll(pHost->GetCursorClientPoint(), TRUE);
    }
}

// ------------------------------------------------------------ auto-scroll

int ZelTimeslotGrid::CheckVertAutoScroll(int i_y, const CRect* p_rect)
{
    CRect rc;
    if (p_rect)
        rc = *p_rect;
    else
        GetDisplayRect(rc);
    int i_direction = 0;
    LONG i_distance = 0;
    // Distances count the edge's own pixel as 1; outside the area they are
    // 0 or less.
    if (i_y - rc.top + 1 <= iScrollMargin) {
        i_direction = 1;
        i_distance = i_y - rc.top + 1;
    } else if (rc.bottom - i_y <= iScrollMargin) {
        i_direction = -1;
        i_distance = rc.bottom - i_y;
    }
    if (i_direction) {
        if (i_distance >= 5)
            dwAutoScrollPeriod = dwAutoScrollBaseRate;
        else if (i_distance > 0)
            dwAutoScrollPeriod = dwAutoScrollBaseRate / 2;
        else
            dwAutoScrollPeriod = dwAutoScrollBaseRate / 4;
    }
    return i_direction;
}

int ZelTimeslotGrid::CheckAutoScrollTime()
{
    const DWORD u_now = pTimers->GetTickCount();
    if (u_now - dwAutoScrollTick < dwAutoScrollPeriod)
        return 0;
    dwAutoScrollTick = u_now;
    return 1;
}

void ZelTimeslotGrid::CheckAutoScroll(const CPoint& pt, int b_timer_mode)
{
    const int i_direction = CheckVertAutoScroll(pt.y, nullptr);
    if (!i_direction) {
        pTimers->KillTimer(uScrollTimer);
        CPoint pt_end;
        if (TimeToPoint(dtDisplayEnd, pt_end) && pt.y >= pt_end.y)
            MoreTimeDisplay(FALSE);
        return;
    }
    if (!b_timer_mode || CheckAutoScrollTime()) {
        ZelScrollInfo info;
        const bool b_bar = pHost->GetScrollInfo(SB_VERT, info) && IsScrollBarVisible(SB_VERT, &info);
        if (i_direction > 0) {
            if (b_bar && !IsScrollAtMin(info))
                OnVScroll(SB_LINEUP, 0);
            else
                MoreTimeDisplay(TRUE);
        } else {
            if (b_bar && !IsScrollAtMax(info))
                OnVScroll(SB_LINEDOWN, 0);
            else
                MoreTimeDisplay(FALSE);
        }
    }
    if (b_timer_mode)
        pTimers->StartTimer(uScrollTimer, dwAutoScrollPeriod);
    else
        pTimers->KillTimer(uScrollTimer);
}

// ------------------------------------------------------------------- keys

int ZelTimeslotGrid::PreTranslateKey(UINT u_key, UINT u_modifiers)
{
    for (const KeyCommand& key : aKeyTable)
        if (key.uKey == u_key && key.uModifiers == u_modifiers && OnCommand(key.uCommand))
            return 1;
    DeactivatePositionTip(TRUE);
    return ProcessKeyMessage(u_key, u_modifiers);
}

int ZelTimeslotGrid::ProcessKeyMessage(UINT u_key, UINT u_modifiers)
{
    if (u_key < VK_TAB || u_key > VK_DOWN)
        return 0;
    const int b_ctrl = (u_modifiers & KM_CONTROL) != 0;
    const int b_shift = (u_modifiers & KM_SHIFT) != 0;
    switch (u_key) {
    case VK_TAB: return TabFocus(b_shift);
    case VK_ESCAPE:
        if (UnselectAll())
            SelectionChanged();
        return 1;
    case VK_SPACE: {
        int d, s, i;
        if (!FindFocus(d, s, i)) {
            Beep();
            return 1;
        }
        int b_changed = 0;
        if (!b_ctrl && !b_shift)
            b_changed |= UnselectAll();
        b_changed |= Select(d, s, i, b_ctrl, b_shift, 0);
        if (b_changed)
            SelectionChanged();
        return 1;
    }
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: {
        const UINT u_code = u_key == VK_PRIOR ? SB_PAGEUP : u_key == VK_NEXT ? SB_PAGEDOWN : u_key == VK_HOME ? SB_TOP : SB_BOTTOM;
        if (b_ctrl)
            OnHScroll(u_code, 0);
        else
            OnVScroll(u_code, 0);
        return 1;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return b_ctrl ? ResizeSelected(u_key, u_modifiers) : MoveSelected(u_key, u_modifiers);
    default: return 0;
    }
}

// ------------------------------------------------------------------- zoom

int ZelTimeslotGrid::ZoomIn()
{
    const std::int64_t ll_minutes = dtsSpacing.GetTotalMinutes();
    const std::int64_t ll_min = dtsMinZoom().GetTotalMinutes();
    if (ll_minutes <= ll_min)
        return 0;
    ZelWaitCursor wait;
    ZelScrollInfo horz, vert;
    const int i_hpos = pHost->GetScrollInfo(SB_HORZ, horz) && IsScrollBarVisible(SB_HORZ, &horz) ? horz.nPos : 0;
    double d_fraction = 0;
    if (pHost->GetScrollInfo(SB_VERT, vert) && IsScrollBarVisible(SB_VERT, &vert))
        d_fraction = static_cast<double>(vert.nPos) / std::max(vert.nMax - vert.nMin, 1);

    const std::int64_t ll_half = ll_minutes / 2;
    const std::int64_t ll_new = ll_half > ll_min ? (ll_half + 4) / 5 * 5 : ll_min;
    dtsSpacing = ZelOleDateTimeSpan(0, 0, static_cast<std::int32_t>(ll_new), 0);
    if (bUsePrevSpacing)
        Settings().dtsPrevSpacing = dtsSpacing;

    DeactivatePositionTip(TRUE);
    pHost->SetRedraw(FALSE);
    ComputeAreas();
    LONG i_dy = 0;
    if (pHost->GetScrollInfo(SB_VERT, vert))
        i_dy = static_cast<LONG>(d_fraction * std::max(vert.nMax - vert.nMin, 1));
    ScrollBy(-i_hpos, -i_dy);
    pHost->SetRedraw(TRUE);
    pHost->Invalidate(nullptr, TRUE);
    ActivatePositionTip(pHost->GetCursorClientPoint(), TRUE, TRUE);
    return 1;
}

int ZelTimeslotGrid::ZoomOut(int b_fit_text)
{
    const std::int64_t ll_minutes = dtsSpacing.GetTotalMinutes();
    if (!IsScrollBarVisible(SB_VERT) || ll_minutes >= 2880)
        return 0;
    ZelWaitCursor wait;
    ZelScrollInfo horz, vert;
    const int i_hpos = pHost->GetScrollInfo(SB_HORZ, horz) && IsScrollBarVisible(SB_HORZ, &horz) ? horz.nPos : 0;
    double d_fraction = 0;
    if (pHost->GetScrollInfo(SB_VERT, vert) && IsScrollBarVisible(SB_VERT, &vert))
        d_fraction = static_cast<double>(vert.nPos) / std::max(vert.nMax - vert.nMin, 1);
    DeactivatePositionTip(TRUE);
    pHost->SetRedraw(FALSE);

    const ZelOleDateTimeSpan dts_old = dtsSpacing;
    const std::int64_t ll_new = ll_minutes < 30 ? ll_minutes + dtsMinZoom().GetTotalMinutes() : ll_minutes * 2;
    dtsSpacing = ZelOleDateTimeSpan(0, 0, static_cast<std::int32_t>(ll_new), 0);
    ComputeAreas();
    if (b_fit_text && !CheckSlotSizes()) {
        dtsSpacing = dts_old;
        ComputeAreas();
    }
    if (bUsePrevSpacing)
        Settings().dtsPrevSpacing = dtsSpacing;
    LONG i_dy = 0;
    if (pHost->GetScrollInfo(SB_VERT, vert))
        i_dy = static_cast<LONG>(d_fraction * std::max(vert.nMax - vert.nMin, 1));
    ScrollBy(-i_hpos, -i_dy);
    pHost->SetRedraw(TRUE);
    pHost->Invalidate(nullptr, TRUE);
    ActivatePositionTip(pHost->GetCursorClientPoint(), TRUE, TRUE);
    return 1;
}

void ZelTimeslotGrid::OnZoomIn()
{
    ZoomIn();
    bZoomed = 1;
}

void ZelTimeslotGrid::OnZoomOut()
{
    ZoomOut(FALSE);
    bZoomed = 1;
}

// ------------------------------------------------------------ header tips

namespace {

// "<start> - <end> (<span>)."
std::string RangeLine(const ZelTimeslotGrid& grid, const ZelOleDateTime& dt_first, const ZelOleDateTime& dt_last)
{
    return grid.FormatTime(dt_first) + " - " + grid.FormatTime(dt_last) + " ("
           + ZelOleDateTimeSpan::GetAsText((dt_last - dt_first).GetTotalSeconds(), ZelOleDateTimeSpan::fuHours) + ").";
}

// "Time left: <span>." of a list; empty when the span has no text.
std::string TimeLeftLine(const ZelTimeslotList& list)
{
    const ZelOleDateTime dt_none; // null: no limits
    const std::string s_left = list.GetTimeLeft(ZelTimeslot(), dt_none, dt_none).GetAsText(ZelOleDateTimeSpan::fuHours);
    return s_left.empty() ? std::string() : "Time left: " + s_left + ".";
}

// The lines after the range of a set's tip: the count and total, the
// gaps, the time left; each begun by a line break.
std::string SetSummary(const ZelTimeslotList& list)
{
    const int n_slots = list.GetCount();
    char sz_count[16];
    std::snprintf(sz_count, sizeof sz_count, "%d", n_slots);
    std::string s_text = "\r\n" + std::string(sz_count) + " timeslot" + (n_slots == 1 ? "" : "s") + " ("
                         + ZelOleDateTimeSpan::GetAsText(list.GetTotalTime(), ZelOleDateTimeSpan::fuHours) + ").";
    int n_gaps = 0;
    const ZelOleDateTimeSpan dts_gaps = list.GetTotalGaps(n_gaps);
    if (n_gaps >= 1) {
        std::snprintf(sz_count, sizeof sz_count, "%d", n_gaps);
        s_text += "\r\n" + std::string(sz_count) + " gap" + (n_gaps == 1 ? "" : "s") + " ("
                  + dts_gaps.GetAsText(ZelOleDateTimeSpan::fuHours) + ").";
    }
    const std::string s_left = TimeLeftLine(list);
    if (!s_left.empty())
        s_text += "\r\n" + s_left;
    return s_text;
}

} // namespace

std::string ZelTimeslotGrid::GetSetTip(UINT u_day, UINT u_set) const
{
    ZEL_ASSERT((int) u_day < Days.GetSize());
    ZEL_ASSERT((int) u_set < GetNumSets(u_day));
    const int i_day = static_cast<int>(u_day);
    const ZelTimeslotList& list = Days[i_day][static_cast<int>(u_set)];
    std::string s_text = GetDayName(i_day) + " (" + GetSetName(i_day, static_cast<int>(u_set)) + "):";
    if (list.GetCount() == 0)
        return s_text + "\r\nNo timeslots defined.";
    s_text += "\r\n" + RangeLine(*this, list.GetFirstTime(), list.GetLastTime());
    return s_text + SetSummary(list);
}

std::string ZelTimeslotGrid::GetDayTip(UINT u_day) const
{
    ZEL_ASSERT((int) u_day < Days.GetSize());
    const int i_day = static_cast<int>(u_day);
    const DaySet& day = Days[i_day];
    std::string s_text = GetDayName(i_day) + ":";
    const ZelOleDateTime dt_first = day.GetEarliestStart();
    const ZelOleDateTime dt_last = day.GetLatestEnd();
    if (day.CountSlots() == 0 || !dt_first.IsValid() || !dt_last.IsValid())
        return s_text + "\r\nNo timeslots defined.";
    s_text += "\r\n" + RangeLine(*this, dt_first, dt_last);
    if (day.GetSize() == 1)
        return s_text + SetSummary(day[0]);
    const std::string s_left = TimeLeftLine(day[0]);
    if (!s_left.empty())
        s_text += "\r\n" + s_left;
    return s_text;
}
