// The grid's text forms, layout and painting.
#include "zelkit/base/ZelAssert.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ZelTimeslotGrid.h"

#include <algorithm>

namespace {

// 8 x 8 monochrome patterns, the leftmost pixel in the top bit: one dot per
// cell shades the hours of the days around; a sparse diagonal grid frames
// combinations.
const BYTE aOtherDayPattern[8] = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const BYTE aCombinationPattern[8] = {0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB};

constexpr UINT uLabelFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX;

bool Meets(const CRect& a, const CRect& b) { return a.Meets(b); }

// The part of r that u shows; empty when none.
CRect Clip(const CRect& r, const CRect& u)
{
    CRect rc;
    rc.IntersectRect(r, u);
    return rc;
}

} // namespace

std::string ZelTimeslotGrid::FitToWidth(IZelDrawPort& dc, const std::string& s_text, LONG i_width)
{
    if (s_text.empty() || dc.GetTextExtent(s_text).cx <= i_width)
        return s_text;
    // The longest start that fits with "..." after it, cut between
    // characters, not inside one.
    const auto cut = [&s_text](std::size_t u_length) {
        while (u_length > 0 && u_length < s_text.size() && (static_cast<unsigned char>(s_text[u_length]) & 0xC0) == 0x80)
            --u_length;
        return s_text.substr(0, u_length) + "...";
    };
    std::size_t u_low = 0;
    std::size_t u_high = s_text.size();
    while (u_low < u_high) {
        const std::size_t u_middle = (u_low + u_high + 1) / 2;
        if (dc.GetTextExtent(cut(u_middle)).cx <= i_width)
            u_low = u_middle;
        else
            u_high = u_middle - 1;
    }
    return cut(u_low);
}

// ----------------------------------------------------------- the context

ZelTimeslotGrid::SetStdContext::SetStdContext(const ZelTimeslotGrid& grid, IZelDrawPort& port)
    : Dc(port),
      crText(grid.pMetrics->GetSysColor(ZelSys::COLOR_BTNTEXT)),
      crText2(grid.pMetrics->GetSysColor(ZelSys::COLOR_HIGHLIGHTTEXT)),
      crMidnight(grid.pMetrics->GetSysColor(ZelSys::COLOR_INFOBK)),
      crHeader(grid.pMetrics->GetSysColor(ZelSys::COLOR_MENU)),
      crWorkArea(grid.pMetrics->GetSysColor(ZelSys::COLOR_WINDOW)),
      crReadOnlyWorkArea(grid.pMetrics->GetSysColor(ZelSys::COLOR_BACKGROUND)),
      crBorder(grid.pMetrics->GetSysColor(ZelSys::COLOR_3DDKSHADOW)),
      crTimeLine(grid.pMetrics->GetSysColor(ZelSys::COLOR_BTNSHADOW)),
      crSlot(grid.pMetrics->GetSysColor(ZelSys::COLOR_BTNFACE)),
      crBack2(grid.pMetrics->GetSysColor(ZelSys::COLOR_HIGHLIGHT)),
      crCombinationBack(grid.pMetrics->GetSysColor(ZelSys::COLOR_3DDKSHADOW)),
      BorderPen{ZelPen::psSolid, crBorder, 1},
      HeaderBrush(ZelBrush::Solid(crHeader)),
      UnavailBrush{ZelBrush::bkDiagCross, crText, crText, nullptr, {}},
      LightPen{ZelPen::psSolid, grid.pMetrics->GetSysColor(ZelSys::COLOR_3DLIGHT), 1},
      ShadowPen{ZelPen::psSolid, grid.pMetrics->GetSysColor(ZelSys::COLOR_BTNSHADOW), 1},
      crTextColor(crText),
      crBkColor(crWorkArea),
      rClient(grid.pHost->GetClientArea()),
      SavedFont(port.GetFont())
{
    if (grid.CtrlFont.iPoints > 0) {
        port.SetFont(grid.CtrlFont);
    } else {
        const int i_parent = grid.pHost->GetParentFontPoints();
        if (i_parent > 0)
            port.SetFont(ZelPortFont{i_parent, false});
    }
    // Slot texts take four fifths of the control's font, 7 points at least.
    int i_points = port.GetFont().iPoints * 4 / 5;
    if (i_points < 8)
        i_points = nMinFontSize;
    TimeslotFont = ZelPortFont{i_points, true};

    crBkColor = grid.GetWorkAreaColor(port, *this);
    // A slot never takes the colour of the area it stands on: where the
    // theme gives read-only areas the face colour, slots take the window's.
    if (crSlot == crBkColor)
        crSlot = crWorkArea;
    OtherDayBrush = ZelBrush{ZelBrush::bkPattern, crTextColor, crBkColor, aOtherDayPattern, {}};
    CombinationBrush = ZelBrush{ZelBrush::bkPattern, crBkColor, crCombinationBack, aCombinationPattern, {}};
}

ZelTimeslotGrid::SetStdContext::~SetStdContext()
{
    Dc.SetFont(SavedFont);
}

// ------------------------------------------------------------ text forms

std::string ZelTimeslotGrid::FormatTime(const ZelOleDateTime& dt_time) const
{
    return b24Hour ? dt_time.FormatHHMM(':') : dt_time.FormatAMPM(TRUE, 0, ':');
}

std::string ZelTimeslotGrid::FormatTimeslot(const ZelTimeslot& slot, int b_with_combination) const
{
    std::string s_text = b24Hour ? slot.FormatHHMM(':') : slot.FormatAMPM(TRUE, 0, ':');
    if (b_with_combination && bCombinationsSet && slot.GetCombinationKey() != -1) {
        const int i_index = Combinations.FindByKey(slot.GetCombinationKey());
        if (i_index >= 0) {
            const std::string s_name = Combinations[i_index].GetName();
            if (!s_name.empty())
                s_text += " in " + s_name;
        }
    }
    return s_text;
}

// ---------------------------------------------------------------- layout

void ZelTimeslotGrid::ClearLayout()
{
    rTimeLabels.SetRectEmpty();
    TimeLines.RemoveAll();
    rDayRow.SetRectEmpty();
    rSetRow.SetRectEmpty();
    rSlotArea.SetRectEmpty();
    DayRects.RemoveAll();
    rSets.RemoveAll();
    rCorner.SetRectEmpty();
    rClipTimeLabels.SetRectEmpty();
    rClipDayRow.SetRectEmpty();
    rClipSetRow.SetRectEmpty();
    DayWidths.RemoveAll();
}

void ZelTimeslotGrid::ComputeAreas()
{
    if (!pHost->HasWindow())
        return;
    DefineAreas();
    CheckSlotSizes();
    SetScrollBars();
}

void ZelTimeslotGrid::DefineAreas()
{
    const std::unique_ptr<IZelDrawPort> p_port = pHost->CreateMeasurePort();
    if (!p_port)
        return;
    IZelDrawPort& dc = *p_port;
    // Every layout starts from the parent's font.
    CtrlFont = ZelPortFont();
    SetStdContext ctx(*this, dc);
    const int i_min = GetMinFontHeight(dc, ctx);
    int i_points = std::max(dc.GetFont().iPoints, i_min);
    ZEL_ASSERT(nDays > 0);
    const CRect rc_client = pHost->GetClientArea();
    int i_avail = 0;
    DefineAreas(dc, rc_client, i_avail);
    ZEL_ASSERT(rSets.GetSize() > 0);
    // Too narrow for one column beside the time labels: smaller type.
    while (rSets[0].Width() + rTimeLabels.Width() > i_avail && i_points > i_min) {
        --i_points;
        CtrlFont = ZelPortFont{i_points, true};
        dc.SetFont(CtrlFont);
        DefineAreas(dc, rc_client, i_avail);
        ZEL_ASSERT(rSets.GetSize() > 0);
    }
}

void ZelTimeslotGrid::ComputeTimeLabelDim(IZelDrawPort& dc, int& i_height, int& i_width, int& i_total)
{
    // Lines from the display start, one spacing apart, to the display end
    // or just past it.
    UINT n_steps = 0;
    ZelOleDateTime dt = dtDisplayStart;
    if (dtsSpacing.IsPositive()) {
        while (dt < dtDisplayEnd) {
            dt += dtsSpacing;
            ++n_steps;
        }
    }
    nTimeLines = n_steps + (dt > dtDisplayEnd ? 2 : 1);

    i_height = i_width = 0;
    for (UINT u = 0; u < nTimeLines; ++u) {
        const CSize size = dc.GetTextExtent(FormatTime(GetDisplayStartTime(static_cast<int>(u))));
        i_height = std::max<int>(i_height, size.cy);
        i_width = std::max<int>(i_width, size.cx);
    }
    i_width += 8;
    iLinePitch = i_height * 5 / 2;
    i_total = static_cast<int>(nTimeLines) * iLinePitch + (i_height + 1) / 2;

    // The step: the finest unit the mouse and the keys move by.
    const std::int64_t ll_spacing = dtsSpacing.GetTotalSeconds();
    const int i_unit = std::max(iLinePitch / 5, 1);
    const std::int64_t ll_s = std::max<std::int64_t>(ll_spacing / i_unit, 1);
    std::int64_t ll_step;
    if (ll_s <= 60)
        ll_step = 60;
    else if (ll_s <= 300)
        ll_step = 300;
    else
        ll_step = (ll_s + 599) / 600 * 600;
    dtsStep = ZelOleDateTimeSpan(0, 0, 0, static_cast<std::int32_t>(ll_step));
    const std::int64_t ll_k = (ll_spacing + ll_step - 1) / ll_step;
    if (ll_k == 0)
        iStepHeight = std::max(iLinePitch, 1);
    else
        iStepHeight = std::max(static_cast<int>(iLinePitch / ll_k), 5);
}

void ZelTimeslotGrid::ComputeDayLabelDim(IZelDrawPort& dc, int i_set_width, int& i_height, int& i_total, int b_multi)
{
    DayWidths.RemoveAll();
    i_height = i_total = 0;
    for (UINT u = 0; u < nDays; ++u) {
        const int i_day = static_cast<int>(u);
        const CSize size = dc.GetTextExtent(DayNames[i_day]);
        i_height = std::max<int>(i_height, size.cy);
        const int i_width = std::max<int>(size.cx + 8, Days[i_day].GetSize() * i_set_width) + (b_multi ? 1 : 0);
        DayWidths.Add(static_cast<UINT>(i_width));
        i_total += i_width;
    }
}

void ZelTimeslotGrid::ComputeSetLabelDim(IZelDrawPort& dc, int& i_height, int& i_width, int& i_total)
{
    i_height = i_width = 0;
    for (int d = 0; d < DayDefinitions.GetSize(); ++d) {
        const ZelStringArray& names = DayDefinitions[d].SetNames;
        for (int s = 0; s < names.GetSize(); ++s) {
            const CSize size = dc.GetTextExtent(names[s]);
            i_height = std::max<int>(i_height, size.cy);
            i_width = std::max<int>(i_width, size.cx);
        }
    }
    i_width += 9;
    i_total = i_width * GetTotalSets();
}

void ZelTimeslotGrid::DefineAreas(IZelDrawPort& dc, const CRect& rc_client, int& i_avail_width)
{
    ClearLayout();
    const int b_multi = GetMaxSets() > 1;
    int i_set_height = 0, i_set_width = 0, i_set_total = 0;
    ComputeSetLabelDim(dc, i_set_height, i_set_width, i_set_total);
    int i_day_height = 0, i_day_total = 0;
    ComputeDayLabelDim(dc, i_set_width, i_day_height, i_day_total, b_multi);
    int i_time_height = 0, i_time_width = 0, i_time_total = 0;
    ComputeTimeLabelDim(dc, i_time_height, i_time_width, i_time_total);
    const int n_total_sets = std::max(GetTotalSets(), 1);
    iSetWidth = i_day_total / n_total_sets;

    // Everything right of the time labels starts one pixel further on, and
    // the rows and the area leave a pixel between them for the borders.
    const LONG x0 = i_time_width + 1;
    rDayRow.SetRect(x0, 0, x0 + i_day_total, i_day_height);
    if (b_multi)
        rSetRow.SetRect(x0, i_day_height + 1, x0 + i_day_total, i_day_height + 1 + i_set_height);
    else
        rSetRow = rDayRow;
    const LONG y_area = rSetRow.bottom + 1;
    rCorner.SetRect(0, 0, i_time_width, rSetRow.bottom);

    // The room there is with the scroll bars that will be needed.
    LONG i_width = rc_client.Width();
    LONG i_height = rc_client.Height();
    if (IsScrollBarVisible(SB_VERT))
        i_width += Metric(ZelSys::SM_CXVSCROLL);
    if (IsScrollBarVisible(SB_HORZ))
        i_height += Metric(ZelSys::SM_CYHSCROLL);
    bool b_vert = y_area + i_time_total > i_height;
    if (b_vert)
        i_width -= Metric(ZelSys::SM_CXVSCROLL);
    if (i_day_total > i_width - x0) {
        i_height -= Metric(ZelSys::SM_CYHSCROLL);
        if (!b_vert && y_area + i_time_total > i_height) {
            b_vert = true;
            i_width -= Metric(ZelSys::SM_CXVSCROLL);
        }
    }
    i_avail_width = i_width;

    // Days that leave room share it out.
    const LONG i_room = i_width - x0;
    if (i_day_total < i_room) {
        const LONG i_extra = i_room - i_day_total;
        i_day_total = 0;
        for (UINT u = 0; u < nDays; ++u) {
            DayWidths[static_cast<int>(u)] += static_cast<UINT>(i_extra / static_cast<LONG>(nDays));
            i_day_total += static_cast<int>(DayWidths[static_cast<int>(u)]);
        }
        iSetWidth += i_extra / n_total_sets;
        rDayRow.right = x0 + i_day_total;
        rSetRow.right = rDayRow.right;
    }
    // A short range fills the height there is.
    if (i_time_total < i_height - y_area)
        i_time_total = i_height - y_area;

    rSlotArea.SetRect(x0, y_area, rDayRow.right, y_area + i_time_total);
    rTimeLabels.SetRect(0, y_area, i_time_width, rSlotArea.bottom);
    for (UINT u = 0; u < nTimeLines; ++u) {
        const LONG i_top = y_area + iLinePitch / 2 - i_time_height / 2 + static_cast<LONG>(u) * iLinePitch;
        TimeLines.Add(CRect(0, i_top, i_time_width, i_top + i_time_height));
    }

    LONG x = x0;
    for (UINT u = 0; u < nDays; ++u) {
        const int i_day = static_cast<int>(u);
        const LONG i_day_width = static_cast<LONG>(DayWidths[i_day]);
        DayRects.Add(CRect(x, 0, x + i_day_width, rSlotArea.bottom));
        const int n_sets = Days[i_day].GetSize();
        const LONG i_col = i_day_width / n_sets;
        for (int s = 0; s < n_sets; ++s) {
            LONG i_left = x + s * i_col;
            LONG i_right = i_left + i_col;
            if (b_multi) {
                // Days are set apart by a double line.
                if (i_day > 0 && s == 0)
                    ++i_left;
                if (s == n_sets - 1)
                    i_right = x + i_day_width - 1;
            }
            rSets.Add(CRect(i_left, rSetRow.top, i_right, rSlotArea.bottom));
        }
        x += i_day_width;
    }

    rClipTimeLabels.IntersectRect(rTimeLabels, rc_client);
    rClipDayRow.IntersectRect(rDayRow, rc_client);
    rClipSetRow.IntersectRect(rSetRow, rc_client);
}

LONG ZelTimeslotGrid::GetLineY(int i_line) const
{
    const CRect& rc = TimeLines[i_line];
    return rc.top + rc.Height() / 2;
}

ZelOleDateTime ZelTimeslotGrid::GetDisplayStartTime(int i_line) const
{
    return dtDisplayStart + dtsSpacing * i_line;
}

int ZelTimeslotGrid::MoreTimeDisplay(int b_up)
{
    if (bReadOnly || TimeLines.GetSize() == 0)
        return 0;
    if (b_up) {
        if (!(dtDisplayStart > dtAxisStart))
            return 0;
        dtDisplayStart -= dtsSpacing;
        if (dtDisplayStart < dtAxisStart)
            dtDisplayStart = dtAxisStart;
        DefineAreas();
        AdjustScrollPosition(1);
        pHost->Invalidate(nullptr, FALSE);
        // What was shown moved down a line; the dragged slots stay under
        // the pointer.
        if (bDragRectsShown)
            ShiftDragRect(0, -(iLinePitch / std::max(iStepHeight, 1)));
        return 1;
    }
    if (!(dtDisplayEnd < dtAxisEnd))
        return 0;
    CRect rc_line = TimeLines[TimeLines.GetUpperBound()];
    rc_line.OffsetRect(0, iLinePitch);
    TimeLines.Add(rc_line);
    ++nTimeLines;
    const LONG i_bottom = rc_line.top + rc_line.Height() / 2 + iLinePitch / 2;
    rTimeLabels.bottom = i_bottom;
    rSlotArea.bottom = i_bottom;
    for (int i = 0; i < DayRects.GetSize(); ++i)
        DayRects[i].bottom = i_bottom;
    for (int i = 0; i < rSets.GetSize(); ++i)
        rSets[i].bottom = i_bottom;
    dtDisplayEnd += dtsSpacing;
    if (dtDisplayEnd > dtAxisEnd)
        dtDisplayEnd = dtAxisEnd;
    AdjustScrollPosition(0);
    ScrollBy(0, -iLinePitch);
    pHost->Invalidate(&rClipDayRow, FALSE);
    pHost->Invalidate(&rClipSetRow, FALSE);
    pHost->Invalidate(&rClipTimeLabels, FALSE);
    CRect rc_area;
    if (rc_area.IntersectRect(rSlotArea, pHost->GetClientArea()))
        pHost->Invalidate(&rc_area, FALSE);
    return 1;
}

// ----------------------------------------------------- slot measurement

int ZelTimeslotGrid::CheckSlotSize(int i_day, int i_set, int i_slot, IZelDrawPort& dc, SetStdContext& ctx,
                                   const DayArray* p_days)
{
    if (!bShowSlotText)
        return 0;
    // The measurement is a cache kept in the slot, whatever days it is in.
    ZelTimeslot& slot = const_cast<DayArray&>(DaysOf(p_days))[i_day][i_set][i_slot];
    if (slot.IsMeasured())
        return slot.IsBigEnough();
    const int b_fits = DrawSlotText(dc, ctx, static_cast<UINT>(i_day), static_cast<UINT>(i_set),
                                    static_cast<UINT>(i_slot), TRUE, p_days);
    slot.SetBigEnough(TRUE, b_fits);
    return b_fits;
}

int ZelTimeslotGrid::CheckSlotSize(int i_day, int i_set, int i_slot, const DayArray* p_days)
{
    const std::unique_ptr<IZelDrawPort> p_port = pHost->CreateMeasurePort();
    if (!p_port)
        return 0;
    SetStdContext ctx(*this, *p_port);
    return CheckSlotSize(i_day, i_set, i_slot, *p_port, ctx, p_days);
}

int ZelTimeslotGrid::CheckSlotSizes()
{
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                Days[d][s][i].SetBigEnough(FALSE, FALSE);
    const std::unique_ptr<IZelDrawPort> p_port = pHost->CreateMeasurePort();
    if (!p_port)
        return 0;
    SetStdContext ctx(*this, *p_port);
    int b_all = 1;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                if (!CheckSlotSize(d, s, i, *p_port, ctx, nullptr))
                    b_all = 0;
    return b_all;
}

// ---------------------------------------------------- virtual operations

int ZelTimeslotGrid::DrawSlotText(IZelDrawPort& dc, SetStdContext& ctx, UINT u_day, UINT u_set, UINT u_slot,
                                  int b_measure, const DayArray* p_days) const
{
    const ZelTimeslot& slot = DaysOf(p_days)[static_cast<int>(u_day)][static_cast<int>(u_set)][static_cast<int>(u_slot)];
    const ZelPortFont font_before = dc.GetFont();
    dc.SetFont(ctx.TimeslotFont);
    struct Restore {
        IZelDrawPort& Dc;
        ZelPortFont Font;
        ~Restore() { Dc.SetFont(Font); }
    } restore{dc, font_before};

    const UINT u_format = uLabelFormat | (b_measure ? DT_CALCRECT : 0u);
    if (!b_measure && !slot.IsBigEnough())
        return 0;
    COLORREF cr_text = ctx.crTextColor;
    GetSlotTextColor(dc, ctx, slot, cr_text);

    CRect rc, rc_top, rc_middle, rc_bottom;
    if (!GetSlotShape(u_day, u_set, u_slot, rc, rc_top, rc_middle, rc_bottom, bCombinationsSet, p_days))
        return 0;
    const int i_cx = Metric(ZelSys::SM_CXEDGE);
    const int i_cy = Metric(ZelSys::SM_CYEDGE);
    rc_top.DeflateRect(i_cx, i_cy);
    rc_bottom.DeflateRect(i_cx, i_cy);
    rc_middle.DeflateRect(i_cx, 0);
    const std::string a_texts[3] = {FormatTime(slot.GetStart()), FormatTime(slot.GetEnd()),
                                    slot.FormatLength(ZelOleDateTimeSpan::fuAll)};
    const CRect* a_parts[3] = {&rc_top, &rc_bottom, &rc_middle};
    int b_fits = 1;
    for (int i = 0; i < 3; ++i) {
        CRect rc_text = *a_parts[i];
        dc.DrawText(a_texts[i], rc_text, u_format, cr_text);
        if (b_measure && (rc_text.Width() > a_parts[i]->Width() || rc_text.Height() > a_parts[i]->Height()))
            b_fits = 0;
    }
    return b_fits;
}

int ZelTimeslotGrid::GetSlotShape(UINT u_day, UINT u_set, UINT u_slot, CRect& rc, CRect& rc_top, CRect& rc_middle,
                                  CRect& rc_bottom, int b_combined, const DayArray* p_days) const
{
    GetSlotRect(u_day, u_set, u_slot, rc, b_combined, p_days);
    rc_top = rc_middle = rc_bottom = rc;
    if (rc.Height() < nMinShapeHeight) {
        rc_top.SetRectEmpty();
        rc_bottom.SetRectEmpty();
        return 0;
    }
    const LONG i_quarter = rc.Height() / 4;
    rc_top.bottom = rc_top.top + i_quarter;
    rc_bottom.top = rc_bottom.bottom - i_quarter;
    const int i_cy = Metric(ZelSys::SM_CYEDGE);
    rc_middle.top = rc_top.bottom - (i_cy + 1) / 2;
    rc_middle.bottom = rc_bottom.top + i_cy;
    rc_middle.DeflateRect(rc.Width() / 4, 0);
    return 1;
}

COLORREF ZelTimeslotGrid::GetWorkAreaColor(IZelDrawPort&, SetStdContext& ctx) const
{
    return bReadOnly ? ctx.crReadOnlyWorkArea : ctx.crWorkArea;
}

COLORREF ZelTimeslotGrid::GetSlotColor(IZelDrawPort&, SetStdContext& ctx, const ZelTimeslot& slot) const
{
    ZelTimeslotColorNotify record;
    record.dwItemData = slot.GetItemData();
    record.pTimeslot = &slot;
    if (pHost->Notify(ZTSN_SLOTCOLOR, &record))
        return record.crColor;
    return ctx.crSlot;
}

int ZelTimeslotGrid::GetSlotTextColor(IZelDrawPort&, SetStdContext&, const ZelTimeslot& slot,
                                      COLORREF& cr_text) const
{
    ZelTimeslotColorNotify record;
    record.dwItemData = slot.GetItemData();
    record.pTimeslot = &slot;
    if (!pHost->Notify(ZTSN_SLOTTEXTCOLOR, &record))
        return 0;
    cr_text = record.crColor;
    return 1;
}

int ZelTimeslotGrid::GetMinFontHeight(IZelDrawPort&, SetStdContext&) const { return nMinFontSize; }

DWORD ZelTimeslotGrid::GetCopyItemData(const ZelTimeslot&, const ZelTimeslot&) const
{
    return static_cast<DWORD>(-1);
}

// -------------------------------------------------------------- painting

void ZelTimeslotGrid::Paint(IZelDrawPort& dc, const CRect& rc_update)
{
    SetStdContext ctx(*this, dc);
    Settings().bDisplayed = 1;
    if (Meets(rc_update, rCorner)) {
        dc.FillRect(rCorner, ctx.HeaderBrush);
        dc.ExcludeClip(rCorner);
    }
    PaintWorkArea(dc, ctx, rc_update);
    if (Meets(rc_update, rClipDayRow))
        PaintDayNames(dc, ctx, rc_update);
    if (GetMaxSets() > 1 && Meets(rc_update, rClipSetRow))
        PaintSetNames(dc, ctx, rc_update);
    if (Meets(rc_update, CRect(0, rClipTimeLabels.top, rClipTimeLabels.right, ctx.rClient.bottom + 1)))
        PaintTimesOfDay(dc, ctx, rc_update);
    PaintBorders(dc, ctx, rc_update);
    PaintVertGrid(dc, ctx, rc_update);

    // From here on nothing draws over the borders, the headers and the
    // time labels.
    dc.ExcludeClip(CRect(rTimeLabels.right, rSlotArea.bottom, rSlotArea.right + 1, rSlotArea.bottom + 1));
    CRect rc_headers;
    rc_headers.UnionRect(rClipDayRow, rClipSetRow);
    if (!rc_headers.IsRectEmpty()) {
        rc_headers.InflateRect(1, 0, 1, 1);
        dc.ExcludeClip(rc_headers);
    }
    CRect rc_labels = rClipTimeLabels;
    if (!rc_labels.IsRectEmpty()) {
        rc_labels.InflateRect(0, 1, 1, 1);
        dc.ExcludeClip(rc_labels);
    }

    PaintSelection(dc, ctx, rc_update);
    PaintUnavail(dc, ctx, rc_update);
    if (bShowSlotText)
        PaintSlotText(dc, ctx, rc_update);
    PaintCombinations(dc, ctx, rc_update);
    PaintFocus(dc, ctx, rc_update);
    PaintResizeRect(dc, ctx);
}

void ZelTimeslotGrid::PaintWorkArea(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CRect rc_display;
    GetDisplayRect(rc_display);
    const int b_enabled = pHost->IsWindowEnabled();
    const CRect rc_fill = Clip(rc_display, rc_update);
    if (!rc_fill.IsRectEmpty())
        dc.FillRect(rc_fill, ZelBrush::Solid(b_enabled ? GetWorkAreaColor(dc, ctx) : ctx.crReadOnlyWorkArea));
    PaintOtherDays(dc, ctx, rc_update);
    PaintTimeLines(dc, ctx, rc_update);
    if (!b_enabled)
        return;
    const CRect rc_area = Clip(rSlotArea, rc_update);
    if (rc_area.IsRectEmpty())
        return;
    // A move shows the selected slots only where they are dragged to.
    const int b_move = IsMovePreview();
    for (int d = 0; d < Days.GetSize() && d < DayRects.GetSize(); ++d) {
        if (!Meets(DayRects[d], rc_area))
            continue;
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                if (b_move && Days[d][s][i].IsSelected())
                    continue;
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet);
                if (Meets(rc, rc_area))
                    PaintTimeslot(dc, ctx, d, s, i, nullptr);
            }
        }
    }
    // The dragged slots where they would land, on top.
    if (!IsDragPreviewShown())
        return;
    for (int d = 0; d < DragDays.GetSize() && d < DayRects.GetSize(); ++d)
        for (int s = 0; s < DragDays[d].GetSize() && s < Days[d].GetSize(); ++s)
            for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet, &DragDays);
                if (Meets(rc, rc_area))
                    PaintTimeslot(dc, ctx, d, s, i, &DragDays);
            }
}

void ZelTimeslotGrid::PaintOtherDays(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CPoint pt_first, pt_next;
    const int b_first = TimeToPoint(dtAxisStart + dtsHalfDayLength(), pt_first);
    const int b_next = TimeToPoint(dtAxisStart + dtsHalfDayLength() + dtsDayLength(), pt_next);
    CRect rc_display;
    GetDisplayRect(rc_display);
    int i_column = 0;
    for (int d = 0; d < Days.GetSize(); ++d) {
        const int n_sets = Days[d].GetSize();
        for (int s = 0; s < n_sets; ++s, ++i_column) {
            if (i_column >= rSets.GetSize())
                return;
            CRect rc_col = Clip(rSets[i_column], rc_display);
            if (n_sets == 1)
                ++rc_col.left;
            const CRect a_parts[2] = {
                b_first ? CRect(rc_col.left, rc_col.top, rc_col.right, std::min(rc_col.bottom, pt_first.y)) : CRect(),
                b_next ? CRect(rc_col.left, std::max(rc_col.top, pt_next.y), rc_col.right, rc_col.bottom) : CRect()};
            for (const CRect& rc_part : a_parts) {
                const CRect rc = Clip(rc_part, rc_update);
                if (rc.IsRectEmpty())
                    continue;
                ZelBrush brush = ctx.OtherDayBrush;
                brush.ptOrigin = rc.TopLeft();
                dc.FillRect(rc, brush);
            }
        }
    }
}

void ZelTimeslotGrid::PaintTimeLines(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CRect rc_display;
    GetDisplayRect(rc_display);
    const CRect rc_lines = Clip(rc_display, rc_update);
    if (rc_lines.IsRectEmpty())
        return;
    const ZelPen dot{ZelPen::psDot, ctx.crTimeLine, 1};
    for (int i = 0; i < TimeLines.GetSize(); ++i) {
        const LONG y = GetLineY(i);
        if (rc_lines.top <= y && y < rc_lines.bottom)
            dc.Line(CPoint(rc_display.left, y), CPoint(rc_display.right, y), dot);
    }
    const ZelPen midnight{ZelPen::psSolid, ctx.crMidnight, 1};
    const ZelOleDateTime a_midnights[2] = {dtAxisStart + dtsHalfDayLength(),
                                           dtAxisStart + dtsHalfDayLength() + dtsDayLength()};
    for (const ZelOleDateTime& dt : a_midnights) {
        CPoint pt;
        if (TimeToPoint(dt, pt) && rc_lines.top <= pt.y && pt.y < rc_lines.bottom)
            dc.Line(CPoint(rc_display.left, pt.y), CPoint(rc_display.right, pt.y), midnight);
    }
}

void ZelTimeslotGrid::PaintTimeslot(IZelDrawPort& dc, SetStdContext& ctx, UINT u_day, UINT u_set, UINT u_slot,
                                    const DayArray* p_days)
{
    const ZelTimeslot& slot = DaysOf(p_days)[static_cast<int>(u_day)][static_cast<int>(u_set)][static_cast<int>(u_slot)];
    const ZelBrush brush = ZelBrush::Solid(GetSlotColor(dc, ctx, slot));
    CRect rc, rc_top, rc_middle, rc_bottom;
    if (GetSlotShape(u_day, u_set, u_slot, rc, rc_top, rc_middle, rc_bottom, bCombinationsSet, p_days)) {
        dc.FillRect(rc_top, brush);
        dc.FillRect(rc_bottom, brush);
        dc.DrawEdge(rc_middle);
        dc.DrawEdge(rc_top);
        dc.DrawEdge(rc_bottom);
        // The middle's fill covers the edges where it meets the ends, so
        // the three parts read as one shape.
        CRect rc_join = rc_middle;
        rc_join.DeflateRect(Metric(ZelSys::SM_CXEDGE), 0);
        rc_join.InflateRect(0, Metric(ZelSys::SM_CYEDGE));
        dc.FillRect(rc_join, brush);
    } else {
        dc.FillRect(rc, brush);
        dc.DrawEdge(rc);
    }
}

void ZelTimeslotGrid::PaintDayNames(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CRect rc_row = rClipDayRow;
    rc_row.right = ctx.rClient.right;
    dc.FillRect(Clip(rc_row, rc_update), ctx.HeaderBrush);
    // A day wider than the display has its name centred over the part in
    // view, so that the name stays whole and in place while its columns
    // scroll sideways under it, instead of showing whatever piece of it
    // the middle of the whole day brings into view.
    CRect rc_display;
    GetDisplayRect(rc_display);
    for (int d = 0; d < DayRects.GetSize(); ++d) {
        CRect rc(std::max(DayRects[d].left, rc_display.left), rDayRow.top,
                 std::min(DayRects[d].right, rc_display.right), rDayRow.bottom);
        if (rc.left < rc.right && Meets(rc, rc_update))
            dc.DrawText(DayNames[d], rc, uLabelFormat, ctx.crTextColor);
    }
}

void ZelTimeslotGrid::PaintSetNames(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CRect rc_row = rClipSetRow;
    rc_row.right = ctx.rClient.right;
    dc.FillRect(Clip(rc_row, rc_update), ctx.HeaderBrush);
    int i_column = 0;
    for (int d = 0; d < Days.GetSize(); ++d) {
        const int n_sets = Days[d].GetSize();
        for (int s = 0; s < n_sets; ++s, ++i_column) {
            if (n_sets < 2 || i_column >= rSets.GetSize())
                continue;
            CRect rc(rSets[i_column].left, rSetRow.top, rSets[i_column].right, rSetRow.bottom);
            // A name wider than a column kept narrower than it ends in
            // "..." rather than run over its neighbours.
            if (Meets(rc, rc_update))
                dc.DrawText(FitToWidth(dc, DayDefinitions[d].SetNames[s], rc.Width() - 2 * iMargin), rc, uLabelFormat,
                            ctx.crTextColor);
        }
    }
}

void ZelTimeslotGrid::PaintTimesOfDay(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CRect rc_column = rClipTimeLabels;
    rc_column.bottom = ctx.rClient.bottom + 1;
    dc.FillRect(Clip(rc_column, rc_update), ctx.HeaderBrush);
    const UINT u_format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX;
    for (int i = 0; i < TimeLines.GetSize(); ++i) {
        CRect rc = TimeLines[i];
        rc.right -= iMargin;
        if (Meets(rc, rc_update))
            dc.DrawText(FormatTime(GetDisplayStartTime(i)), rc, u_format, ctx.crTextColor);
    }
}

void ZelTimeslotGrid::PaintBorders(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    const CRect& rc_client = ctx.rClient;
    const LONG x = rTimeLabels.right;
    if (rc_update.left <= x && x < rc_update.right)
        dc.Line(CPoint(x, 0), CPoint(x, rc_client.bottom), ctx.BorderPen);
    auto horizontal = [&](LONG i_left, LONG y) {
        if (rc_update.top <= y && y < rc_update.bottom)
            dc.Line(CPoint(i_left, y), CPoint(rc_client.right, y), ctx.BorderPen);
    };
    horizontal(rDayRow.left, rDayRow.bottom);
    horizontal(0, rSetRow.bottom);
    horizontal(x, rSlotArea.bottom);
}

void ZelTimeslotGrid::PaintVertGrid(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    const LONG i_bottom = ctx.rClient.bottom;
    // Columns scrolled to the left lie under the time labels, which stay
    // put: their lines would cross the labels.
    auto vertical = [&](LONG x, LONG i_top) {
        if (x > rTimeLabels.right && rc_update.left <= x && x < rc_update.right)
            dc.Line(CPoint(x, i_top), CPoint(x, i_bottom), ctx.BorderPen);
    };
    int i_column = 0;
    const int b_multi = GetMaxSets() > 1;
    for (int d = 0; d < Days.GetSize() && d < DayRects.GetSize(); ++d) {
        const int n_sets = Days[d].GetSize();
        for (int s = 0; s < n_sets; ++s, ++i_column)
            if (n_sets > 1 && s < n_sets - 1 && i_column < rSets.GetSize())
                vertical(rSets[i_column].right, rSetRow.top);
        vertical(DayRects[d].right, rDayRow.top);
        if (b_multi)
            vertical(DayRects[d].right - 1, rDayRow.top);
    }
}

void ZelTimeslotGrid::PaintSelection(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    if (!pHost->IsWindowEnabled() || IsMovePreview())
        return;
    for (int d = 0; d < Days.GetSize(); ++d) {
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            const ZelTimeslotList& list = Days[d][s];
            CRect rc_run;
            bool b_run = false;
            for (int i = 0; i <= list.GetCount(); ++i) {
                CRect rc;
                const bool b_selected = i < list.GetCount() && list[i].IsSelected();
                if (b_selected)
                    GetSlotRect(d, s, i, rc, bCombinationsSet);
                // Selected neighbours that touch frame as one block.
                if (b_run && (!b_selected || rc.top > rc_run.bottom + 1)) {
                    if (Meets(rc_run, rc_update))
                        PaintSelectRect(dc, ctx, rc_run);
                    b_run = false;
                }
                if (b_selected) {
                    if (b_run)
                        rc_run.UnionRect(rc_run, rc);
                    else
                        rc_run = rc;
                    b_run = true;
                }
            }
        }
    }
}

void ZelTimeslotGrid::PaintSelectRect(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc)
{
    CRect rc_frame = rc;
    dc.FrameRect(rc_frame, ctx.ShadowPen);
    rc_frame.DeflateRect(1, 1);
    dc.FrameRect(rc_frame, ctx.ShadowPen);
    rc_frame.DeflateRect(1, 1);
    dc.FrameRect(rc_frame, ctx.LightPen);
}

void ZelTimeslotGrid::PaintUnavail(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    CRect rc_display;
    GetDisplayRect(rc_display);
    int i_column = 0;
    for (int d = 0; d < Days.GetSize(); ++d) {
        const ZelOleDateTime dt_start = GetDayStartLimit(static_cast<UINT>(d));
        const ZelOleDateTime dt_end = GetDayEndLimit(static_cast<UINT>(d));
        CPoint pt_start, pt_end;
        const int b_start = TimeToPoint(dt_start, pt_start);
        const int b_end = TimeToPoint(dt_end, pt_end);
        for (int s = 0; s < Days[d].GetSize(); ++s, ++i_column) {
            if (i_column >= rSets.GetSize())
                return;
            const CRect& rc_col = rSets[i_column];
            if (b_start) {
                const CRect rc = Clip(CRect(rc_col.left, rc_display.top, rc_col.right, pt_start.y), rc_update);
                if (!rc.IsRectEmpty())
                    dc.FillRect(rc, ctx.UnavailBrush);
            }
            if (b_end) {
                const CRect rc = Clip(CRect(rc_col.left, pt_end.y, rc_col.right, ctx.rClient.bottom), rc_update);
                if (!rc.IsRectEmpty())
                    dc.FillRect(rc, ctx.UnavailBrush);
            }
        }
    }
}

void ZelTimeslotGrid::PaintSlotText(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    if (!pHost->IsWindowEnabled())
        return;
    const int b_move = IsMovePreview();
    for (int d = 0; d < Days.GetSize(); ++d) {
        if (d < DayRects.GetSize() && !Meets(DayRects[d], rc_update))
            continue;
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                if (b_move && Days[d][s][i].IsSelected())
                    continue;
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet);
                if (Meets(rc, rc_update))
                    DrawSlotText(dc, ctx, d, s, i, FALSE);
            }
        }
    }
    if (!IsDragPreviewShown())
        return;
    for (int d = 0; d < DragDays.GetSize() && d < DayRects.GetSize(); ++d)
        for (int s = 0; s < DragDays[d].GetSize() && s < Days[d].GetSize(); ++s)
            for (int i = 0; i < DragDays[d][s].GetCount(); ++i) {
                CRect rc;
                GetSlotRect(d, s, i, rc, bCombinationsSet, &DragDays);
                if (Meets(rc, rc_update))
                    DrawSlotText(dc, ctx, d, s, i, FALSE, &DragDays);
            }
}

void ZelTimeslotGrid::PaintCombinations(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update)
{
    if (!bCombinationsSet)
        return;
    const LONG i_band = static_cast<LONG>(uCombinationBorder);
    for (int d = 0; d < Days.GetSize(); ++d) {
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            const ZelTimeslotList& list = Days[d][s];
            int i = 0;
            while (i < list.GetCount()) {
                const LONG l_key = list[i].GetCombinationKey();
                int j = i;
                while (j + 1 < list.GetCount() && list[j + 1].GetCombinationKey() == l_key)
                    ++j;
                if (l_key != -1) {
                    CRect rc_first, rc_last, rc;
                    GetSlotRect(d, s, i, rc_first, FALSE);
                    GetSlotRect(d, s, j, rc_last, FALSE);
                    rc.UnionRect(rc_first, rc_last);
                    const CRect a_bands[4] = {
                        CRect(rc.left, rc.top, rc.right, rc.top + i_band),
                        CRect(rc.left, rc.bottom - i_band, rc.right, rc.bottom),
                        CRect(rc.left, rc.top, rc.left + i_band, rc.bottom),
                        CRect(rc.right - i_band, rc.top, rc.right, rc.bottom),
                    };
                    for (const CRect& rc_band : a_bands) {
                        const CRect rc_fill = Clip(rc_band, rc_update);
                        if (!rc_fill.IsRectEmpty())
                            dc.FillRect(rc_fill, ctx.CombinationBrush);
                    }
                }
                i = j + 1;
            }
        }
    }
}

void ZelTimeslotGrid::PaintFocus(IZelDrawPort& dc, SetStdContext&, const CRect& rc_update)
{
    if (!bHasFocus || IsDragPreviewShown())
        return;
    CRect rc;
    if (CountSlots() == 0) {
        if (rSets.GetSize() == 0)
            return;
        CPoint pt_top, pt_bottom;
        if (!TimeToPoint(dtDisplayStart, pt_top)
            || !TimeToPoint(dtDisplayStart + ZelOleDateTimeSpan(0, 0, 0, static_cast<std::int32_t>(uSlotLength)),
                            pt_bottom))
            return;
        rc.SetRect(rSets[0].left, pt_top.y, rSets[0].right, pt_bottom.y);
    } else {
        int i_day, i_set, i_slot;
        if (!FindFocus(i_day, i_set, i_slot))
            return;
        GetSlotRect(i_day, i_set, i_slot, rc, bCombinationsSet);
    }
    if (Meets(rc, rc_update))
        dc.DrawFocusRect(rc);
}

void ZelTimeslotGrid::PaintResizeRect(IZelDrawPort& dc, SetStdContext&)
{
    // The frame of a running resize, around every selected slot.
    if (!bResizeRectShown)
        return;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                if (Days[d][s][i].IsSelected()) {
                    CRect rc;
                    GetSlotRect(d, s, i, rc, bCombinationsSet);
                    dc.DrawFocusRect(rc);
                }
}

// ---------------------------------------------------------- invalidation

void ZelTimeslotGrid::InvalidateSlot(int i_day, int i_set, int i_slot, int b_erase)
{
    CRect rc;
    if (i_set < 0) {
        if (!DayToRect(static_cast<UINT>(i_day), rc))
            return;
    } else if (i_slot < 0) {
        if (!SetToRect(static_cast<UINT>(i_day), static_cast<UINT>(i_set), rc))
            return;
    } else {
        GetSlotRect(static_cast<UINT>(i_day), static_cast<UINT>(i_set), static_cast<UINT>(i_slot), rc,
                    bCombinationsSet);
        // The selection and resize frames draw on the slot's edge.
        rc.InflateRect(1, 1);
    }
    pHost->Invalidate(&rc, b_erase);
}

int ZelTimeslotGrid::InvalidateSelected(int b_erase)
{
    int b_any = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                if (Days[d][s][i].IsSelected()) {
                    InvalidateSlot(d, s, i, b_erase);
                    b_any = 1;
                }
    return b_any;
}

// ------------------------------------------------------------ position tip

int ZelTimeslotGrid::ActivatePositionTip(const CPoint& pt, int b_allow, int b_show)
{
    const int b_was = bTipShowing && bTipAllowed;
    bTipAllowed = b_allow;
    CRect rc_client = pHost->GetClientArea();
    rc_client.InflateRect(1, 1);
    const int b_visible = b_show && bPositionTips && b_allow && rc_client.PtInRect(pt) && !sTipText.empty();
    pTimers->KillTimer(uTipTimer);
    bTipExpired = 0;
    if (b_visible) {
        // Beside the pointer: right by half a cursor, up by half a cursor.
        const CPoint pt_tip(pt.x + Metric(ZelSys::SM_CXCURSOR) / 2, pt.y - Metric(ZelSys::SM_CYCURSOR) / 2);
        pHost->ShowTip(sTipText, pt_tip);
        ptTip = pt;
        bTipShowing = 1;
        pTimers->StartTimer(uTipTimer, uTipTimeout);
    } else if (bTipShowing) {
        pHost->HideTip();
        bTipShowing = 0;
    }
    return b_was;
}

int ZelTimeslotGrid::DeactivatePositionTip(int b_allow)
{
    return ActivatePositionTip(ptTip, b_allow, FALSE);
}
