// The grid's coordinates: points and times, slot rectangles, the displayed
// range, scroll bars and scrolling, visibility.
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelTimeslotGrid.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool InRangeY(LONG y, const CRect& rc) { return rc.top <= y && y < rc.bottom; }

} // namespace

// ------------------------------------------------------ days and columns

int ZelTimeslotGrid::PointToDay(const CPoint& pt) const
{
    for (int d = 0; d < DayRects.GetSize(); ++d)
        if (DayRects[d].PtInRect(pt))
            return d;
    return -1;
}

int ZelTimeslotGrid::DayToRect(UINT u_day, CRect& rc) const
{
    if (static_cast<int>(u_day) >= DayRects.GetSize())
        return 0;
    rc = DayRects[static_cast<int>(u_day)];
    return 1;
}

int ZelTimeslotGrid::PointToSet(const CPoint& pt, int b_near) const
{
    for (int i = 0; i < rSets.GetSize(); ++i) {
        if (rSets[i].PtInRect(pt))
            return i;
        // The gap before a column belongs to the column on its left.
        if (b_near && i > 0 && rSets[i - 1].right <= pt.x && pt.x < rSets[i].left && rSets[i].top <= pt.y
            && pt.y < rSets[i].bottom)
            return i - 1;
    }
    return -1;
}

int ZelTimeslotGrid::SetToRect(UINT u_column, CRect& rc) const
{
    if (static_cast<int>(u_column) >= rSets.GetSize())
        return 0;
    rc = rSets[static_cast<int>(u_column)];
    return 1;
}

int ZelTimeslotGrid::SetToRect(UINT u_day, UINT u_set, CRect& rc) const
{
    if (u_day >= nDays || static_cast<int>(u_set) >= Days[static_cast<int>(u_day)].GetSize())
        return 0;
    return SetToRect(static_cast<UINT>(GetSetIndex(static_cast<int>(u_day), static_cast<int>(u_set))), rc);
}

int ZelTimeslotGrid::IsPointInTimeslotArea(const CPoint& pt) const
{
    return rSlotArea.PtInRect(pt) && !rDayRow.PtInRect(pt) && !rSetRow.PtInRect(pt) && !rTimeLabels.PtInRect(pt);
}

// ------------------------------------------------------ points and times

ZelOleDateTimeSpan ZelTimeslotGrid::GetResolution() const
{
    const ZelTimeslotSettings& settings = Settings();
    if (settings.bUserAutoResolution && dtsStep < settings.dtsUserResolution)
        return dtsStep;
    return settings.dtsUserResolution;
}

void ZelTimeslotGrid::AdjTime(ZelOleDateTime& dt_time, UINT u_rest, UINT u_pixels, UINT u_seconds)
{
    if (u_pixels == 0)
        return;
    // The remainder to the nearest whole minute.
    const std::int64_t ll_minutes = (static_cast<std::int64_t>(u_rest) * u_seconds / u_pixels + 30) / 60;
    dt_time += ZelOleDateTimeSpan(CHighTimeSpan(ll_minutes * CHighTimeSpan::llTicksPerMinute));
}

void ZelTimeslotGrid::ComputeTimeFromWindow(ZelOleDateTime& dt_time, int i_y0, int i_y, int b_round,
                                            const ZelOleDateTime& dt_limit) const
{
    const int i_d = i_y - i_y0;
    const int i_height = std::max(iStepHeight, 1);
    dt_time += dtsStep * (i_d / i_height);
    AdjTime(dt_time, static_cast<UINT>(i_d % i_height), static_cast<UINT>(i_height),
            static_cast<UINT>(dtsStep.GetTotalSeconds()));
    if (b_round) {
        const int i_res = std::max<int>(static_cast<int>(GetResolution().GetTotalMinutes()), 1);
        dt_time.SetTimeOnly(dt_time.GetHour(), dt_time.GetMinute() / i_res * i_res, 0);
    }
    if (dt_limit.IsValid() && dt_time >= dt_limit)
        dt_time = dt_limit;
}

ZelOleDateTime ZelTimeslotGrid::PointToTimeOfDay(const CPoint& pt, int b_outside, int b_round) const
{
    ZelOleDateTime dt_null;
    if (TimeLines.GetSize() == 0)
        return dt_null;
    const LONG y0 = GetLineY(0);
    if (pt.y < y0) {
        // Above the labelled range the time moves in whole steps.
        ZelOleDateTime dt = dtDisplayStart;
        LONG y = y0;
        while (pt.y < y && dt > dtAxisStart) {
            dt -= dtsStep;
            y -= iStepHeight;
        }
        return dt < dtAxisStart ? dtAxisStart : dt;
    }
    if (pt.x < rSlotArea.left || pt.x >= rSlotArea.right)
        return b_outside ? dtDisplayEnd : dt_null;
    const int n_lines = TimeLines.GetSize();
    for (int i = 0; i + 1 < n_lines; ++i) {
        const LONG y_i = GetLineY(i);
        if (y_i <= pt.y && pt.y < GetLineY(i + 1)) {
            ZelOleDateTime dt = GetDisplayStartTime(i);
            ComputeTimeFromWindow(dt, y_i, pt.y, b_round, dt + dtsSpacing);
            return dt;
        }
    }
    if (!b_outside)
        return dt_null;
    ZelOleDateTime dt = GetDisplayStartTime(n_lines - 1);
    ComputeTimeFromWindow(dt, GetLineY(n_lines - 1), pt.y, b_round, dt_null);
    return dt;
}

ZelOleDateTime ZelTimeslotGrid::PointToDayTime(const CPoint& pt, int b_precise, int* p_day, int* p_set) const
{
    ZelOleDateTime dt_null;
    int i_day = -1;
    int i_set = -1;
    const int i_column = PointToSet(pt, FALSE);
    if (i_column >= 0)
        i_set = GetSetIndexWithinDay(i_column, &i_day);
    else
        i_day = PointToDay(pt);
    if (p_day)
        *p_day = i_day;
    if (p_set)
        *p_set = i_set;
    if (i_day < 0 || i_day >= static_cast<int>(nDays) || (p_set != nullptr && i_set < 0))
        return dt_null;
    const ZelOleDateTime dt = PointToTimeOfDay(pt, FALSE, !b_precise);
    if (!dt.IsValid())
        return dt_null;
    return GetDayTime(static_cast<UINT>(i_day), dt);
}

int ZelTimeslotGrid::TimeToPoint(const ZelOleDateTime& dt_time, CPoint& pt) const
{
    ZelOleDateTime dt = GetDisplayTime(dt_time);
    if (!dt.IsValid() || TimeLines.GetSize() == 0)
        return 0;
    pt.x = 0;
    const int n_lines = TimeLines.GetSize();
    const std::int64_t ll_spacing = dtsSpacing.GetTotalSeconds();
    if (dt >= dtDisplayStart) {
        for (int i = 0; i + 1 < n_lines; ++i) {
            const ZelOleDateTime dt_line = GetDisplayStartTime(i);
            if (dt_line <= dt && dt <= dt_line + dtsSpacing) {
                const LONG y_i = GetLineY(i);
                const std::int64_t ll_secs = (dt - dt_line).GetTotalSeconds();
                pt.y = ll_secs == 0 || ll_spacing == 0
                           ? y_i
                           : y_i + static_cast<LONG>((GetLineY(i + 1) - y_i) * ll_secs / ll_spacing);
                return 1;
            }
        }
        // Past the labelled range, in whole steps.
        if (dt > dtAxisEnd)
            dt = dtAxisEnd;
        ZelOleDateTime dt_step = GetDisplayStartTime(n_lines - 1);
        pt.y = GetLineY(n_lines - 1);
        do {
            pt.y += iStepHeight;
            dt_step += dtsStep;
        } while (dt_step < dt && dtsStep.IsPositive());
        return 1;
    }
    if (dt < dtAxisStart)
        dt = dtAxisStart;
    ZelOleDateTime dt_step = dtDisplayStart;
    pt.y = GetLineY(0);
    do {
        pt.y -= iStepHeight;
        dt_step -= dtsStep;
    } while (dt_step > dt && dtsStep.IsPositive());
    return 1;
}

void ZelTimeslotGrid::GetSlotTopBot(const ZelTimeslot& slot, CRect& rc) const
{
    CPoint pt;
    rc.top = TimeToPoint(slot.GetStart(), pt) ? pt.y : rSlotArea.top - 1;
    const bool b_end = slot.GetStart().IsValid() && slot.GetLengthSpan().IsValid() && slot.GetLengthSpan().IsPositive();
    rc.bottom = b_end && TimeToPoint(slot.GetEnd(), pt) ? pt.y : rSlotArea.bottom + 1;
}

void ZelTimeslotGrid::GetSlotRect(UINT u_day, UINT u_set, UINT u_slot, CRect& rc, int b_combined,
                                  const DayArray* p_days) const
{
    rc.SetRectEmpty();
    if (static_cast<int>(u_day) >= DayRects.GetSize())
        return;
    const DayArray& days = DaysOf(p_days);
    ZEL_ASSERT(u_day < (unsigned) days.GetSize());
    ZEL_ASSERT(u_set < (unsigned) days[u_day].GetSize());
    ZEL_ASSERT(u_slot < (unsigned) days[u_day][u_set].GetCount());
    const ZelTimeslotList& list = days[static_cast<int>(u_day)][static_cast<int>(u_set)];
    const ZelTimeslot& slot = list[static_cast<int>(u_slot)];
    CRect rc_column;
    if (!SetToRect(u_day, u_set, rc_column))
        return;
    rc.left = rc_column.left;
    rc.right = rc_column.right;
    GetSlotTopBot(slot, rc);
    const LONG l_key = slot.GetCombinationKey();
    if (b_combined && l_key >= 0) {
        // A run of slots of one combination forms one inset block.
        const LONG i_border = static_cast<LONG>(uCombinationBorder);
        rc.DeflateRect(i_border, 0);
        const int i_slot = static_cast<int>(u_slot);
        if (i_slot == 0 || list[i_slot - 1].GetCombinationKey() != l_key)
            rc.top += i_border;
        if (i_slot + 1 >= list.GetCount() || list[i_slot + 1].GetCombinationKey() != l_key)
            rc.bottom -= i_border;
    }
}

void ZelTimeslotGrid::GetDisplayRect(CRect& rc) const { GetDisplayRect(pHost->GetClientArea(), rc); }

void ZelTimeslotGrid::GetDisplayRect(const CRect& rc_client, CRect& rc) const
{
    rc = rc_client;
    rc.left = rClipTimeLabels.right + 1;
    rc.top = rClipSetRow.bottom + 1;
}

// ------------------------------------------------------- displayed range

void ZelTimeslotGrid::SetDisplayStart(int b_recompute, int i_hour, int i_minute)
{
    int i_day, i_set, i_slot;
    const int b_slots = FindEarliest(i_day, i_set, i_slot);
    const ZelOleDateTime dt_earliest =
        b_slots ? GetDisplayTime(Days[i_day][i_set][i_slot].GetStart()) : ZelOleDateTime();
    if (i_hour >= 0 && i_minute >= 0) {
        ZelOleDateTime dt_candidate = dtDisplayStart;
        dt_candidate.SetTimeOnly(i_hour, i_minute, 0);
        if (!b_slots || !(dt_earliest < dt_candidate))
            dtDisplayStart = dt_candidate;
    } else if (b_slots) {
        dtDisplayStart = dt_earliest;
    }
    if (b_recompute)
        Recompute();
}

void ZelTimeslotGrid::SetDisplayEnd(int b_recompute, int i_hour, int i_minute)
{
    int i_day, i_set, i_slot;
    const int b_slots = FindLatest(i_day, i_set, i_slot);
    const ZelOleDateTime dt_latest = b_slots ? GetDisplayTime(Days[i_day][i_set][i_slot].GetEnd()) : ZelOleDateTime();
    if (i_hour >= 0 && i_minute >= 0) {
        ZelOleDateTime dt_candidate = dtDisplayStart;
        dt_candidate.SetTimeOnly(i_hour, i_minute, 0);
        if (!b_slots || !(dt_latest > dt_candidate))
            dtDisplayEnd = dt_candidate;
    } else if (b_slots) {
        dtDisplayEnd = dt_latest;
    }
    if (b_recompute)
        Recompute();
}

void ZelTimeslotGrid::SetIdealSpacing(int b_any)
{
    std::int64_t ll_shortest = 2 * 24 * 60;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                ll_shortest = std::min(ll_shortest, Days[d][s][i].GetLengthSpan().GetTotalMinutes());
    ll_shortest = std::max(ll_shortest, dtsMinZoom().GetTotalMinutes());
    const ZelOleDateTimeSpan dts_spacing(0, 0, static_cast<std::int32_t>(ll_shortest), 0);
    if (!b_any && !(dts_spacing > dtsSpacing))
        return;
    dtsSpacing = dts_spacing;
    Recompute();
}

// ------------------------------------------------------------- scrolling

int ZelTimeslotGrid::IsScrollBarVisible(int i_bar, const ZelScrollInfo* p_info) const
{
    ZelScrollInfo info;
    if (p_info)
        info = *p_info;
    else if (!pHost->GetScrollInfo(i_bar, info))
        return 0;
    const int i_range = info.nMax - info.nMin;
    return i_range > 0 && static_cast<int>(info.nPage) <= i_range;
}

int ZelTimeslotGrid::IsScrollAtMax(const ZelScrollInfo& info)
{
    return info.nPos + static_cast<int>(info.nPage) >= info.nMax;
}

int ZelTimeslotGrid::IsScrollAtMin(const ZelScrollInfo& info) { return info.nPos <= info.nMin; }

void ZelTimeslotGrid::SetScrollBars()
{
    if (bInScrollBars || !pHost->HasWindow())
        return;
    bInScrollBars = 1;
    CRect rc_display;
    GetDisplayRect(rc_display);
    LONG i_width = rc_display.Width();
    LONG i_height = rc_display.Height();
    if (IsScrollBarVisible(SB_VERT))
        i_width += Metric(ZelSys::SM_CXVSCROLL);
    if (IsScrollBarVisible(SB_HORZ))
        i_height += Metric(ZelSys::SM_CYHSCROLL);
    bool b_horz = rSlotArea.Width() > i_width;
    if (b_horz)
        i_height -= Metric(ZelSys::SM_CYHSCROLL);
    const bool b_vert = rSlotArea.Height() > i_height;
    if (b_vert) {
        i_width -= Metric(ZelSys::SM_CXVSCROLL);
        if (!b_horz && rSlotArea.Width() > i_width) {
            b_horz = true;
            i_height -= Metric(ZelSys::SM_CYHSCROLL);
        }
    }
    // A page larger than the range hides a bar that is not needed.
    ZelScrollInfo vert;
    vert.nMax = rSlotArea.Height();
    vert.nPage = static_cast<UINT>(std::max<LONG>(b_vert ? i_height : i_height + 1, 0));
    pHost->SetScrollInfo(SB_VERT, vert);
    ZelScrollInfo horz;
    horz.nMax = rSlotArea.Width();
    horz.nPage = static_cast<UINT>(std::max<LONG>(b_horz ? i_width : i_width + 1, 0));
    pHost->SetScrollInfo(SB_HORZ, horz);
    bInScrollBars = 0;
}

void ZelTimeslotGrid::AdjustScrollPosition(int b_move_rects)
{
    ZelScrollInfo horz, vert;
    const int b_horz = pHost->GetScrollInfo(SB_HORZ, horz) && IsScrollBarVisible(SB_HORZ, &horz);
    const int b_vert = pHost->GetScrollInfo(SB_VERT, vert) && IsScrollBarVisible(SB_VERT, &vert);
    const int i_hpos = b_horz ? horz.nPos : 0;
    const int i_vpos = b_vert ? vert.nPos : 0;
    SetScrollBars();
    auto restore = [&](int i_bar, int i_pos) -> int {
        ZelScrollInfo info;
        if (!pHost->GetScrollInfo(i_bar, info) || !IsScrollBarVisible(i_bar, &info))
            return 0;
        info.nPos = std::clamp(i_pos, info.nMin, std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1));
        pHost->SetScrollInfo(i_bar, info);
        return info.nPos;
    };
    const int i_h = restore(SB_HORZ, i_hpos);
    const int i_v = restore(SB_VERT, i_vpos);
    if (!b_move_rects)
        return;
    // The layout was computed at position 0, both ways.
    if (i_h) {
        for (int i = 0; i < rSets.GetSize(); ++i)
            rSets[i].OffsetRect(-i_h, 0);
        for (int i = 0; i < DayRects.GetSize(); ++i)
            DayRects[i].OffsetRect(-i_h, 0);
        rDayRow.OffsetRect(-i_h, 0);
        rSetRow.OffsetRect(-i_h, 0);
        rSlotArea.OffsetRect(-i_h, 0);
    }
    if (i_v) {
        for (int i = 0; i < TimeLines.GetSize(); ++i)
            TimeLines[i].OffsetRect(0, -i_v);
        rTimeLabels.OffsetRect(0, -i_v);
        rSlotArea.OffsetRect(0, -i_v);
    }
}

void ZelTimeslotGrid::ScrollBy(LONG i_dx, LONG i_dy)
{
    auto clamp = [&](int i_bar, LONG& i_amount, int& i_new_pos) -> bool {
        ZelScrollInfo info;
        if (i_amount == 0 || !pHost->GetScrollInfo(i_bar, info))
            return false;
        const int i_max_pos = std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1);
        i_new_pos = std::clamp(static_cast<int>(info.nPos - i_amount), info.nMin, i_max_pos);
        i_amount = info.nPos - i_new_pos;
        if (i_amount == 0)
            return false;
        info.nPos = i_new_pos;
        pHost->SetScrollInfo(i_bar, info);
        return true;
    };
    int i_pos = 0;
    if (clamp(SB_VERT, i_dy, i_pos)) {
        for (int i = 0; i < TimeLines.GetSize(); ++i)
            TimeLines[i].OffsetRect(0, i_dy);
        rTimeLabels.OffsetRect(0, i_dy);
        rSlotArea.OffsetRect(0, i_dy);
        CRect rc_display, rc_scroll;
        GetDisplayRect(rc_display);
        rc_scroll.UnionRect(rc_display, rClipTimeLabels);
        pHost->ScrollArea(0, i_dy, rc_scroll);
    } else {
        i_dy = 0;
    }
    if (clamp(SB_HORZ, i_dx, i_pos)) {
        for (int i = 0; i < rSets.GetSize(); ++i)
            rSets[i].OffsetRect(i_dx, 0);
        for (int i = 0; i < DayRects.GetSize(); ++i)
            DayRects[i].OffsetRect(i_dx, 0);
        rDayRow.OffsetRect(i_dx, 0);
        rSetRow.OffsetRect(i_dx, 0);
        rSlotArea.OffsetRect(i_dx, 0);
        CRect rc_display, rc_scroll;
        GetDisplayRect(rc_display);
        rc_scroll.UnionRect(rc_display, rClipDayRow);
        rc_scroll.UnionRect(rc_scroll, rClipSetRow);
        pHost->ScrollArea(i_dx, 0, rc_scroll);
    } else {
        i_dx = 0;
    }
    // Dragged slots keep their place under the pointer.
    if (bDragRectsShown && (i_dx != 0 || i_dy != 0))
        ScrollDragRect(CSize(i_dx, i_dy));
}

void ZelTimeslotGrid::OnVScroll(UINT u_code, int i_track_pos)
{
    ZelScrollInfo info;
    if (!pHost->GetScrollInfo(SB_VERT, info))
        return;
    switch (u_code) {
    case SB_LINEUP: ScrollBy(0, iLinePitch); break;
    case SB_LINEDOWN: ScrollBy(0, -iLinePitch); break;
    case SB_PAGEUP: ScrollBy(0, static_cast<LONG>(info.nPage)); break;
    case SB_PAGEDOWN: ScrollBy(0, -static_cast<LONG>(info.nPage)); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: ScrollBy(0, info.nPos - i_track_pos); break;
    case SB_TOP: ScrollBy(0, info.nMax); break;
    case SB_BOTTOM: ScrollBy(0, -info.nMax); break;
    default: break;
    }
}

void ZelTimeslotGrid::OnHScroll(UINT u_code, int i_track_pos)
{
    ZelScrollInfo info;
    if (!pHost->GetScrollInfo(SB_HORZ, info))
        return;
    const LONG i_line = rSets.GetSize() > 0 ? rSets[0].Width() : 0;
    switch (u_code) {
    case SB_LINELEFT: ScrollBy(i_line, 0); break;
    case SB_LINERIGHT: ScrollBy(-i_line, 0); break;
    case SB_PAGELEFT: ScrollBy(static_cast<LONG>(info.nPage), 0); break;
    case SB_PAGERIGHT: ScrollBy(-static_cast<LONG>(info.nPage), 0); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: ScrollBy(info.nPos - i_track_pos, 0); break;
    case SB_LEFT: ScrollBy(info.nMax, 0); break;
    case SB_RIGHT: ScrollBy(-info.nMax, 0); break;
    default: ScrollBy(0, 0); break;
    }
}

void ZelTimeslotGrid::OnSize()
{
    ComputeAreas();
    MakeFocusVisible(1);
}

int ZelTimeslotGrid::OnMouseWheel(UINT u_modifiers, int i_delta, const CPoint& pt, DWORD u_time)
{
    bool b_moved = false;
    if (u_modifiers & MK_CONTROL) {
        // One zoom step per 300 ms of message time; a time before the last
        // step (the counter wrapped) only starts the count again.
        if (u_time < dwLastZoomTime) {
            dwLastZoomTime = u_time;
        } else if (u_time - dwLastZoomTime > static_cast<DWORD>(lWheelZoomRate)) {
            dwLastZoomTime = u_time;
            if (i_delta >= 0)
                OnZoomOut();
            else
                OnZoomIn();
            b_moved = true;
        }
    } else {
        const CPoint pt_before = rSlotArea.TopLeft();
        if (!IsScrollBarVisible(SB_VERT) || (u_modifiers & MK_SHIFT)) {
            const LONG i_column = rSets.GetSize() > 0 ? rSets[0].Width() : 0;
            ScrollBy(i_column * i_delta / 120, 0);
        } else {
            ScrollBy(0, iLinePitch * i_delta / 120);
        }
        b_moved = rSlotArea.TopLeft().x != pt_before.x || rSlotArea.TopLeft().y != pt_before.y;
    }
    if (b_moved) {
        // The pointer stayed where it was, but the cell it was over has
        // moved away: that cell's tip goes, and the cell now under the
        // pointer gets its own, as after a move of the pointer to it.
        DeactivatePositionTip(TRUE);
        OnMouseMove(0, pt);
    }
    return 1;
}

// ------------------------------------------------------------ visibility

LONG ZelTimeslotGrid::IsVisible(UINT u_day, int i_set, int b_partial, const CPoint& pt) const
{
    CRect rc_column;
    if (i_set < 0 ? !DayToRect(u_day, rc_column) : !SetToRect(u_day, static_cast<UINT>(i_set), rc_column))
        return 0;
    CRect rc_display;
    GetDisplayRect(rc_display);
    const bool b_left_in = rc_display.left <= rc_column.left && rc_column.left < rc_display.right;
    const bool b_right_in = rc_display.left < rc_column.right && rc_column.right <= rc_display.right;
    if (b_left_in && b_right_in)
        return 0;
    if ((b_left_in || b_right_in) && b_partial) {
        if (pt.x < 0)
            return 0;
        if (pt.x < rc_display.left + rc_display.Width() / 2)
            return rc_column.left < rc_display.left ? rc_display.left - rc_column.left : 0;
        return rc_column.right >= rc_display.right ? rc_display.right - rc_column.right - 1 : 0;
    }
    if (rc_column.left < rc_display.left)
        return rc_display.left - rc_column.left;
    if (rc_column.right >= rc_display.right)
        return rc_display.right - rc_column.right - 1;
    return 0;
}

LONG ZelTimeslotGrid::IsVisible(const ZelOleDateTime& dt_time, int b_partial) const
{
    const int i_day = FindDay(dt_time);
    if (!dt_time.IsValid() || i_day < 0)
        return 0;
    const DayDef& def = DayDefinitions[i_day];
    ZelOleDateTime dt_upper = dt_time - dtsStep;
    if (dt_upper < def.dtDayStart)
        dt_upper = def.dtDayStart;
    ZelOleDateTime dt_lower = dt_time + dtsStep;
    if (dt_lower > def.dtDayEnd)
        dt_lower = def.dtDayEnd;
    CPoint pt_upper, pt_lower;
    if (!TimeToPoint(dt_upper, pt_upper) || !TimeToPoint(dt_lower, pt_lower))
        return 0;
    CRect rc_display;
    GetDisplayRect(rc_display);
    if ((InRangeY(pt_upper.y, rc_display) || InRangeY(pt_lower.y, rc_display)) && b_partial)
        return 0;
    if (pt_upper.y <= rc_display.top)
        return rc_display.top - pt_upper.y + 1;
    if (pt_lower.y > rc_display.bottom)
        return rc_display.bottom - pt_lower.y - 1;
    return 0;
}

int ZelTimeslotGrid::IsVisible(const ZelOleDateTime& dt_time, int i_day, int i_set, int b_partial) const
{
    return IsVisible(static_cast<UINT>(i_day), i_set, b_partial, CPoint(-1, -1)) == 0
           && IsVisible(dt_time, b_partial) == 0;
}

int ZelTimeslotGrid::EnsureVisible(const ZelOleDateTime& dt_time, int i_day, int i_set, int b_partial)
{
    const LONG i_dx = i_day >= 0 ? IsVisible(static_cast<UINT>(i_day), i_set, b_partial, CPoint(-1, -1)) : 0;
    const LONG i_dy = IsVisible(dt_time, b_partial);
    if (i_dx == 0 && i_dy == 0)
        return 0;
    ScrollBy(i_dx, i_dy);
    return 1;
}

int ZelTimeslotGrid::EnsureVisible(int i_slot, int i_day, int i_set, int b_partial)
{
    int b_scrolled = 0;
    if (i_day < 0 || i_set < 0) {
        i_day = i_set = -1;
        for (int d = 0; d < Days.GetSize() && i_day < 0; ++d)
            for (int s = 0; s < Days[d].GetSize(); ++s)
                if (Days[d][s].GetCount() > 0) {
                    i_day = d;
                    i_set = s;
                    break;
                }
        if (i_day < 0)
            return 0;
    } else {
        b_scrolled = EnsureVisible(ZelOleDateTime(), i_day, i_set, b_partial);
    }
    if (i_slot < 0 || i_slot >= Days[i_day][i_set].GetCount())
        return b_scrolled;
    CRect rc;
    GetSlotRect(i_day, i_set, i_slot, rc, bCombinationsSet);
    CRect rc_display;
    GetDisplayRect(rc_display);
    if (b_partial && (rc_display.PtInRect(rc.TopLeft()) || rc_display.PtInRect(CPoint(rc.right - 1, rc.bottom - 1))))
        return b_scrolled;
    LONG i_dy = 0;
    if (rc.top > rc_display.top) {
        if (rc.bottom <= rc_display.bottom)
            return b_scrolled;
        i_dy = rc_display.bottom - rc.bottom - 1;
    } else {
        i_dy = rc_display.top - rc.top + 1;
    }
    ScrollBy(0, i_dy);
    return 1;
}

int ZelTimeslotGrid::EnsureVisible(const CPoint& pt, int b_partial)
{
    int i_day = -1;
    const ZelOleDateTime dt = PointToDayTime(pt, FALSE, &i_day, nullptr);
    if (i_day < 0 || !dt.IsValid())
        return 0;
    return EnsureVisible(dt, i_day, -1, b_partial);
}
