// The grid's slots as text: copy, cut and paste through the clipboard, and
// drag and drop within a grid and between grids, with the dragged slots
// shown where they would land.
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/controls/ZelTimeslotGrid.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr const char* szLineEnd = "\r\n";

// The count lines of a paste's message, each on a line of its own.
std::string CountLines(int n_overlapped, int n_too_long, int n_other)
{
    ZelLocalResource local;
    std::string s_text;
    const struct {
        int n;
        int i_id;
    } a_lines[] = {{n_overlapped, 56009}, {n_too_long, 56010}, {n_other, 56011}};
    for (const auto& line : a_lines)
        if (line.n != 0)
            s_text += "\n" + ZelFormatError(line.i_id, std::to_string(line.n));
    return s_text;
}

std::string LibraryText(int i_id)
{
    ZelLocalResource local;
    return ZelLoadResourceString(i_id, "");
}

} // namespace

// ------------------------------------------------------------- slot text

std::string ZelTimeslotGrid::GetSlotsAsText(int b_selected_only) const
{
    std::string s_text;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                const ZelTimeslot& slot = Days[d][s][i];
                if (b_selected_only && !slot.IsSelected())
                    continue;
                s_text += slot.GetAsText(GetDayStart(static_cast<UINT>(d))) + szLineEnd;
            }
    return s_text;
}

int ZelTimeslotGrid::GetDaysFromText(const std::string& s_text, DayArray& days) const
{
    days.SetSize(static_cast<int>(nDays));
    for (int d = 0; d < days.GetSize(); ++d)
        days[d].SetSize(GetNumSets(d));
    std::size_t u_pos = 0;
    for (;;) {
        const std::size_t u_end = s_text.find(szLineEnd, u_pos);
        if (u_end == std::string::npos)
            return 1;
        ZelTimeslot slot;
        int i_day = -1;
        if (slot.SetFromText(s_text.substr(u_pos, u_end - u_pos)))
            for (int d = days.GetSize() - 1; d >= 0 && i_day < 0; --d)
                if (!(GetDayStart(static_cast<UINT>(d)) > slot.GetStart()))
                    i_day = d;
        // A slot past its day's window belongs to a day this grid lacks.
        if (i_day < 0 || !(slot.GetStart() < GetDayEnd(static_cast<UINT>(i_day)))
            || slot.GetSetIndex() >= days[i_day].GetSize()
            || days[i_day][slot.GetSetIndex()].Add(slot) != ZelTimeslotList::Added) {
            days.RemoveAll();
            return 0;
        }
        u_pos = u_end + 2;
    }
}

// ----------------------------------------------------------------- paste

int ZelTimeslotGrid::Paste(DWORD dw_effect)
{
    if (bReadOnly) {
        DragDays.RemoveAll();
        return 0;
    }
    const DayArray saved = Days;
    Save4Undo();
    int b_changed = 0;
    if (dw_effect == DROPEFFECT_MOVE)
        b_changed = DeleteSelected();

    // Each slot at its own day and set; a slot whose day or set the grid
    // lacks counts among the other errors.
    auto try_all = [this](int b_test_only, auto&& on_slot) {
        int a_counts[3] = {0, 0, 0};
        for (int d = 0; d < DragDays.GetSize(); ++d)
            for (int s = 0; s < DragDays[d].GetSize(); ++s)
                for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                    const ZelTimeslot& slot = DragDays[d][s][i];
                    int i_result = ZelTimeslotList::Invalid;
                    if (d < static_cast<int>(nDays) && s < Days[d].GetSize())
                        i_result = AddSlot(d, s, slot.GetStart(), slot.GetLengthSpan(), b_test_only, FALSE);
                    if (i_result == ZelTimeslotList::Overlap)
                        ++a_counts[0];
                    else if (i_result == ZelTimeslotList::TooLong)
                        ++a_counts[1];
                    else if (i_result != ZelTimeslotList::Added)
                        ++a_counts[2];
                    else
                        on_slot(d, s, slot);
                }
        return std::array<int, 3>{a_counts[0], a_counts[1], a_counts[2]};
    };

    const std::array<int, 3> a_tested = try_all(TRUE, [](int, int, const ZelTimeslot&) {});
    int b_all = 1;
    int a_last[3] = {-1, -1, -1};
    if (a_tested[0] + a_tested[1] + a_tested[2] > 0) {
        ZelMessageBox(LibraryText(56007) + CountLines(a_tested[0], a_tested[1], a_tested[2]), MB_OK | MB_ICONSTOP);
        Days = saved;
        b_changed = 0;
        b_all = 0;
    } else {
        const std::array<int, 3> a_failed = try_all(FALSE, [&](int d, int s, const ZelTimeslot& pasted) {
            ZelTimeslotList& list = Days[d][s];
            const int i = list.Find(ZelTimeslot(pasted.GetStart(), pasted.GetLengthSpan(), static_cast<WORD>(s), 0), TRUE);
            if (i < 0)
                return;
            ZelTimeslot& slot = list[i];
            if (dw_effect == DROPEFFECT_MOVE) {
                slot.Select(true);
                slot.SetItemData(pasted.GetItemData());
            } else {
                slot.SetItemData(GetCopyItemData(slot, pasted));
            }
            if (bCombinationsSet) {
                if (pasted.GetCombinationKey() >= 0)
                    slot.SetCombinationKey(pasted.GetCombinationKey());
                else if (i > 0 && i + 1 < list.GetCount() && list[i - 1].GetCombinationKey() >= 0
                         && list[i - 1].GetCombinationKey() == list[i + 1].GetCombinationKey())
                    slot.SetCombinationKey(list[i - 1].GetCombinationKey());
            }
            a_last[0] = d, a_last[1] = s, a_last[2] = i;
            b_changed = 1;
        });
        if (a_failed[0] + a_failed[1] + a_failed[2] > 0) {
            b_all = 0;
            GetMessageBoxPort().Show(LibraryText(56008) + CountLines(a_failed[0], a_failed[1], a_failed[2]),
                                     "Warning", MB_OK | MB_ICONEXCLAMATION);
        }
        RecomputeDisplay(-1, nullptr);
    }

    DragDays.RemoveAll();
    bDragRectsShown = 0;
    CheckSlotSizes();
    if (a_last[0] >= 0) {
        // Later adds may have moved the last one in its list.
        const ZelTimeslotList& list = Days[a_last[0]][a_last[1]];
        int i_slot = -1;
        for (int i = 0; i < list.GetCount() && i_slot < 0; ++i)
            if (list[i].HasFocus())
                i_slot = i;
        EnsureVisible(i_slot >= 0 ? i_slot : a_last[2], a_last[0], a_last[1], 0);
    } else {
        MakeFocusVisible(0);
    }
    pHost->Invalidate(nullptr, TRUE);
    if (b_changed)
        Changed();
    else
        DiscardUndo();
    return b_all;
}

// ---------------------------------------------------- clipboard commands

void ZelTimeslotGrid::OnCopy()
{
    const std::string s_text = GetSlotsAsText(TRUE);
    if (s_text.empty() || !pHost->SetClipboardText(s_text))
        Beep();
}

void ZelTimeslotGrid::OnCut()
{
    if (bReadOnly) {
        Beep();
        return;
    }
    const std::string s_text = GetSlotsAsText(TRUE);
    if (s_text.empty() || !pHost->SetClipboardText(s_text)) {
        Beep();
        return;
    }
    Save4Undo();
    if (DeleteSelected())
        Changed();
    else
        DiscardUndo();
}

void ZelTimeslotGrid::OnPaste()
{
    std::string s_text;
    if (bReadOnly || !pHost->GetClipboardText(s_text)) {
        Beep();
        return;
    }
    DragDays.RemoveAll();
    if (!GetDaysFromText(s_text, DragDays) || DragDays.CountSlots() == 0) {
        DragDays.RemoveAll();
        Beep();
        return;
    }
    Paste(DROPEFFECT_MOVE);
}

// ------------------------------------------------------------------ drag

int ZelTimeslotGrid::DragDrop()
{
    const std::string s_text = GetSlotsAsText(TRUE);
    if (s_text.empty())
        return 0;
    dwDropEffect = DROPEFFECT_NONE;
    bDragEntered = 0;
    bDroppedHere = 0;
    bDragSource = 1;
    const DWORD dw_result = pHost->DoDragDrop(s_text);
    bDragSource = 0;
    int b_dragged = 0;
    if (bDragEntered) {
        bTargetEntered = 0;
        bDragRectsShown = 0;
        bDragEntered = 0;
        DragDays.RemoveAll();
        pHost->Invalidate(nullptr, FALSE);
        b_dragged = 1;
    }
    // Moved into another grid or program: the slots leave this grid.
    if (dw_result == DROPEFFECT_MOVE && !bDroppedHere && !bReadOnly) {
        Save4Undo();
        if (DeleteSelected())
            Changed();
        else
            DiscardUndo();
        b_dragged = 1;
    }
    dwDropEffect = DROPEFFECT_NONE;
    pTimers->KillTimer(uScrollTimer);
    return b_dragged;
}

// ------------------------------------------------------------ the target

DWORD ZelTimeslotGrid::DragEnter(const std::string& s_text, const CPoint& pt, int b_ctrl)
{
    if (!bTargetEntered) {
        if (!DrawDragRect(s_text, pt))
            return DROPEFFECT_NONE;
        bDragEntered = 1;
        bTargetEntered = 1;
    }
    return DragOver(TRUE, pt, b_ctrl);
}

DWORD ZelTimeslotGrid::DragOver(int b_has_text, const CPoint& pt, int b_ctrl)
{
    if (!b_has_text || DragDays.CountSlots() == 0 || bReadOnly)
        return DROPEFFECT_NONE;
    // Only a drag that began here moves; anything else is copied, so that
    // a drop never takes slots from the grid it lands in.
    const DWORD dw_effect = b_ctrl || !bDragSource ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    SetDropEffect(dw_effect);
    MoveDragRect(pt);
    return dw_effect;
}

void ZelTimeslotGrid::DragLeave()
{
    // A drag that leaves takes its slots with it; it is read again if it
    // comes back.
    if (bTargetEntered) {
        EraseDragRects();
        DragDays.RemoveAll();
        bTargetEntered = 0;
    }
    pTimers->KillTimer(uScrollTimer);
    DeactivatePositionTip(TRUE);
}

void ZelTimeslotGrid::DragScroll(const CPoint& pt)
{
    if (bTargetEntered)
        AutoScroll(pt);
}

int ZelTimeslotGrid::Drop(const CPoint& pt, DWORD dw_effect)
{
    if (dw_effect == DROPEFFECT_MOVE && !bDragSource)
        dw_effect = DROPEFFECT_COPY;
    SetDropEffect(dw_effect);
    MoveDragRect(pt);
    bTargetEntered = 0;
    if (bDragSource)
        bDroppedHere = 1;
    pTimers->KillTimer(uScrollTimer);
    DeactivatePositionTip(TRUE);
    return Paste(dw_effect);
}

// ------------------------------------------------------ the drag image

ZelOleDateTimeSpan ZelTimeslotGrid::GetDragStep() const
{
    return Settings().bUserAutoResolution ? dtsStep : Settings().dtsUserResolution;
}

void ZelTimeslotGrid::InvalidateDragDays()
{
    for (int d = 0; d < DragDays.GetSize() && d < static_cast<int>(nDays); ++d)
        for (int s = 0; s < DragDays[d].GetSize() && s < Days[d].GetSize(); ++s)
            for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet, &DragDays);
                rc.InflateRect(1, 1);
                pHost->Invalidate(&rc, FALSE);
            }
    if (dwDropEffect == DROPEFFECT_MOVE)
        InvalidateSelected(FALSE);
}

void ZelTimeslotGrid::EraseDragRects()
{
    InvalidateDragDays();
    bDragRectsShown = 0;
}

void ZelTimeslotGrid::PaintDragRects()
{
    bDragRectsShown = 1;
    InvalidateDragDays();
}

void ZelTimeslotGrid::SetDropEffect(DWORD dw_effect)
{
    if (bReadOnly || dw_effect == dwDropEffect)
        return;
    dwDropEffect = dw_effect;
    pHost->Invalidate(nullptr, FALSE);
}

int ZelTimeslotGrid::DrawDragRect(const std::string& s_text, const CPoint& pt)
{
    DragDays.RemoveAll();
    dtDragAnchor = PointToTimeOfDay(pt, FALSE, FALSE);
    iDragColumn = PointToSet(pt, FALSE);
    DayArray days;
    if (!GetDaysFromText(s_text, days))
        return 0;
    DragDays = days;
    int a_first[3] = {-1, -1, -1};
    bool b_visible = false;
    for (int d = 0; d < DragDays.GetSize(); ++d)
        for (int s = 0; s < DragDays[d].GetSize(); ++s)
            for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                CheckSlotSize(d, s, i, &DragDays);
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet, &DragDays);
                if (rc.PtInRect(pt))
                    ShowDragTips(pt, d, s, i);
                if (a_first[0] < 0)
                    a_first[0] = d, a_first[1] = s, a_first[2] = i;
                b_visible = b_visible || IsVisible(DragDays[d][s][i].GetStart(), d, s, TRUE);
            }
    if (!b_visible && a_first[0] >= 0)
        EnsureVisible(DragDays[a_first[0]][a_first[1]][a_first[2]].GetStart(), a_first[0], a_first[1], 0);
    PaintDragRects();
    return 1;
}

void ZelTimeslotGrid::MoveDragRect(const CPoint& pt)
{
    const std::int64_t ll_step = GetDragStep().GetTotalSeconds();
    const int n_columns = GetTotalSets();
    const int i_column = PointToSet(pt, FALSE);
    int i_columns = i_column >= 0 && iDragColumn >= 0 ? i_column - iDragColumn : 0;
    int i_steps = 0;
    CRect rc_display;
    GetDisplayRect(rc_display);
    if (rc_display.PtInRect(pt) && ll_step > 0 && dtDragAnchor.IsValid()) {
        const ZelOleDateTime dt = PointToTimeOfDay(pt, FALSE, FALSE);
        if (dt.IsValid())
            i_steps = static_cast<int>((dt - dtDragAnchor).GetTotalSeconds() / ll_step);
    }
    if (i_columns == 0) {
        // Every column in view: near an edge the slots jump to the last
        // (first) columns; a wider area scrolls instead.
        if (rSlotArea.right <= rc_display.right && pt.x >= rc_display.right - iScrollMargin
            && i_column != n_columns - 1)
            i_columns = n_columns;
        else if (rSlotArea.left >= rc_display.left && pt.x < rc_display.left + iScrollMargin && i_column != 0)
            i_columns = -n_columns;
    }
    if (i_steps == 0)
        CheckAutoScroll(pt, TRUE);
    if (i_columns != 0 || i_steps != 0) {
        DeactivatePositionTip(TRUE);
        ShiftDragRect(i_columns, i_steps);
    }
    for (int d = 0; d < DragDays.GetSize() && d < static_cast<int>(nDays); ++d)
        for (int s = 0; s < DragDays[d].GetSize(); ++s)
            for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet, &DragDays);
                if (rc.PtInRect(pt))
                    ShowDragTips(pt, d, s, i);
            }
}

void ZelTimeslotGrid::ShiftDragRect(int i_columns, int i_steps)
{
    if (DragDays.GetSize() != static_cast<int>(nDays))
        return;
    // The columns holding dragged slots stay within the grid.
    int i_first = -1, i_last = -1;
    for (int c = 0; c < GetTotalSets(); ++c) {
        int i_day = 0;
        const int i_set = GetSetIndexWithinDay(c, &i_day);
        if (i_set < DragDays[i_day].GetSize() && DragDays[i_day][i_set].GetCount() > 0) {
            if (i_first < 0)
                i_first = c;
            i_last = c;
        }
    }
    if (i_first < 0)
        return;
    i_columns = std::clamp(i_columns, -i_first, GetTotalSets() - 1 - i_last);
    if (i_columns == 0 && i_steps == 0)
        return;
    EraseDragRects();
    if (i_columns != 0) {
        int b_scrolled = 0, b_moved = 0;
        if (MoveHorz(FALSE, i_columns, b_scrolled, b_moved, &DragDays))
            iDragColumn += i_columns;
    }
    if (i_steps != 0) {
        const ZelOleDateTimeSpan dts_shift = GetDragStep() * i_steps;
        dtDragAnchor += dts_shift;
        for (int d = 0; d < DragDays.GetSize(); ++d)
            for (int s = 0; s < DragDays[d].GetSize(); ++s)
                for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                    DragDays[d][s][i].Move(dts_shift);
                    DragDays[d][s][i].SetBigEnough(FALSE, FALSE);
                    CheckSlotSize(d, s, i, &DragDays);
                }
    }
    PaintDragRects();
}

void ZelTimeslotGrid::ScrollDragRect(const CSize& size)
{
    // The slots stay under the pointer: what moved by the size on the
    // screen moves back by as many columns and steps.
    const LONG i_column = std::max<LONG>(rSets.GetSize() > 0 ? rSets[0].Width() : 1, 1);
    const LONG i_step = std::max(iStepHeight, 1);
    const int i_columns = static_cast<int>(-size.cx / i_column);
    const int i_steps = static_cast<int>(-size.cy / i_step);
    if (i_columns != 0 || i_steps != 0)
        ShiftDragRect(i_columns, i_steps);
}

void ZelTimeslotGrid::ShowDragTips(const CPoint&, UINT u_day, UINT u_set, UINT u_slot)
{
    const ZelTimeslot& slot = DragDays[static_cast<int>(u_day)][static_cast<int>(u_set)][static_cast<int>(u_slot)];
    if (bShowSlotText && slot.IsBigEnough())
        return;
    sTipText = FormatTimeslot(slot, FALSE);
    CRect rc;
    GetSlotRect(u_day, u_set, u_slot, rc, bCombinationsSet, &DragDays);
    ActivatePositionTip(rc.TopLeft(), TRUE, TRUE);
}

// ----------------------------------------------------------- auto-scroll

void ZelTimeslotGrid::AutoScroll(const CPoint& pt)
{
    LONG i_dx = 0, i_dy = 0;
    const int i_column = PointToSet(pt, TRUE);
    if (i_column >= 0) {
        int i_day = 0;
        const int i_set = GetSetIndexWithinDay(i_column, &i_day);
        i_dx = IsVisible(static_cast<UINT>(i_day), i_set, FALSE, pt);
        int i_time_day = i_day;
        const ZelOleDateTime dt_axis = PointToTimeOfDay(pt, FALSE, FALSE);
        if (dt_axis.IsValid())
            i_dy = IsVisible(GetDayTime(static_cast<UINT>(i_time_day), dt_axis), FALSE);
    }
    ZelScrollInfo info;
    if (i_dx != 0 && !(pHost->GetScrollInfo(SB_HORZ, info) && IsScrollBarVisible(SB_HORZ, &info)
                       && (i_dx > 0 ? !IsScrollAtMin(info) : !IsScrollAtMax(info))))
        i_dx = 0;
    if (i_dy != 0 && !(pHost->GetScrollInfo(SB_VERT, info) && IsScrollBarVisible(SB_VERT, &info)
                       && (i_dy > 0 ? !IsScrollAtMin(info) : !IsScrollAtMax(info))))
        i_dy = 0;
    if (i_dy != 0)
        CheckVertAutoScroll(pt.y, nullptr);
    if ((i_dx != 0 || i_dy != 0) && CheckAutoScrollTime())
        ScrollBy(i_dx, i_dy);
}
