#include "zelkit/controls/ZelMonthCal.h"

#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelLocale.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

const ZelMonthCal::MonthAccel ZelMonthCal::DefMonthAccel[ZelMonthCal::nDefMonthAccel] = {
    {0, 300},
    {1, 150},
    {2, 75},
    {4, 50},
};

namespace {

const ZelOleDateTimeSpan g_oneDay(1, 0, 0, 0);

ZelOleDateTime FirstOfMonth(int i_year, int i_month) { return ZelOleDateTime(i_year, i_month, 1); }

int DaysIn(int i_year, int i_month) { return FirstOfMonth(i_year, i_month).GetNumMonthDays(); }

// The leading integer of a text as the C library reads it, held within
// the int's range.
int LeadingInt(const std::string& s_text)
{
    errno = 0;
    const long l_value = std::strtol(s_text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(l_value, INT_MIN, INT_MAX));
}

} // namespace

ZelMonthCal::ZelMonthCal(const ZelOleDateTime& dt_now) : dtToday(dt_now), dtFocus(dt_now)
{
    dtMonth = FirstOfMonth(dtToday.GetYear(), dtToday.GetMonth());
    dtAnchor.SetNull();
}

void ZelMonthCal::SetHost(IZelMonthCalHost* p_host, IZelMetricsPort* p_metrics, IZelTimerPort* p_timers,
                          IZelBeepPort* p_beep)
{
    pHost = p_host;
    pMetrics = p_metrics;
    pTimers = p_timers;
    pBeep = p_beep;
}

// ------------------------------------------------------------------- ports

COLORREF ZelMonthCal::SysColor(int i_index) const
{
    return pMetrics ? pMetrics->GetSysColor(i_index) : ZelDefaultSysColor(i_index);
}

int ZelMonthCal::Metric(int i_index) const
{
    return pMetrics ? pMetrics->GetSystemMetrics(i_index) : ZelDefaultSystemMetrics(i_index);
}

void ZelMonthCal::Beep()
{
    if (pBeep)
        pBeep->Beep();
}

void ZelMonthCal::Invalidate(const CRect* p_rect, BOOL b_erase)
{
    if (pHost && (p_rect == nullptr || !p_rect->IsRectEmpty()))
        pHost->Invalidate(p_rect, b_erase);
}

DWORD ZelMonthCal::GetTickCount() const { return pTimers ? pTimers->GetTickCount() : 0; }

void ZelMonthCal::StartArrowTimer(int i_id, UINT u_period)
{
    aTimerRunning[i_id] = TRUE;
    if (pTimers)
        pTimers->StartTimer(static_cast<UINT>(i_id), u_period);
}

void ZelMonthCal::KillArrowTimer(int i_id)
{
    aTimerRunning[i_id] = FALSE;
    if (pTimers)
        pTimers->KillTimer(static_cast<UINT>(i_id));
}

// ----------------------------------------------------------- notifications

void ZelMonthCal::SelectionChanged()
{
    if (!pHost)
        return;
    ZelMonthCalSelNotify nm;
    nm.Dates = Selected;
    pHost->Notify(ZMCN_SELCHANGED, &nm);
}

void ZelMonthCal::FocusChanged()
{
    if (!pHost)
        return;
    ZelMonthCalFocusNotify nm;
    nm.dtFocus = dtFocus;
    pHost->Notify(ZMCN_FOCUSCHANGED, &nm);
}

void ZelMonthCal::SetFocusDate(const ZelOleDateTime& dt_date)
{
    const bool b_changed = !dtFocus.IsSameDate(dt_date);
    dtFocus = dt_date;
    if (b_changed)
        FocusChanged();
}

// --------------------------------------------------------------- selection

void ZelMonthCal::SetSelectedDates(const ZelArrayWithFind<ZelOleDateTime>& a_dates)
{
    Selected.Copy(a_dates);
    SelectionChanged();
}

int ZelMonthCal::FindSelected(const ZelOleDateTime& dt_date) const
{
    for (int i = 0; i < Selected.GetSize(); ++i)
        if (Selected[i].IsSameDate(dt_date))
            return i;
    return -1;
}

BOOL ZelMonthCal::IsSelected(const ZelOleDateTime& dt_date) const { return FindSelected(dt_date) >= 0; }

int ZelMonthCal::SelectDate(const ZelOleDateTime& dt_date)
{
    if (IsSelected(dt_date))
        return 0;
    if (static_cast<UINT>(Selected.GetSize()) >= nMaxSelections) {
        Beep();
        Invalidate(nullptr, TRUE);
        return 0;
    }
    Selected.Add(dt_date);
    const CRect rc_cell = FindDate(dt_date);
    Invalidate(&rc_cell, FALSE);
    dtAnchor = dt_date;
    return 1;
}

int ZelMonthCal::ToggleSelectDate(const ZelOleDateTime& dt_date)
{
    const int i_found = FindSelected(dt_date);
    if (i_found >= 0) {
        Selected.RemoveAt(i_found);
        dtAnchor.SetNull();
        SelectionChanged();
        return 0;
    }
    if (static_cast<UINT>(Selected.GetSize()) >= nMaxSelections) {
        Beep();
        return 0;
    }
    Selected.Add(dt_date);
    dtAnchor = dt_date;
    SelectionChanged();
    return 1;
}

void ZelMonthCal::SelectRange(const ZelOleDateTime& dt_date)
{
    ZelWaitCursor wait;
    bool b_added = false;
    if (dtAnchor.IsNull() || !dtAnchor.IsValid()) {
        b_added = SelectDate(dt_date) != 0;
    } else {
        // The steps compare days, not times: an anchor taken from the
        // focus carries the time of day it was made at, and the last day
        // of the range must not be lost for it.
        const ZelOleDateTime dt_last = dt_date.GetDate();
        ZelOleDateTime dt_run = dtAnchor;
        if (dt_last >= dtAnchor.GetDate()) {
            for (; dt_run.GetDate() <= dt_last; dt_run += g_oneDay)
                b_added = SelectDate(dt_run) != 0 || b_added;
        } else {
            for (; dt_run.GetDate() >= dt_last; dt_run -= g_oneDay)
                b_added = SelectDate(dt_run) != 0 || b_added;
        }
    }
    if (b_added)
        SelectionChanged();
}

void ZelMonthCal::UnselectAll()
{
    dtAnchor.SetNull();
    const bool b_had = !Selected.IsEmpty();
    for (int i = 0; i < Selected.GetSize(); ++i) {
        const CRect rc_cell = FindDate(Selected[i]);
        Invalidate(&rc_cell, FALSE);
    }
    Selected.RemoveAll();
    if (b_had)
        SelectionChanged();
}

// -------------------------------------------------------------- navigation

ZelOleDateTime ZelMonthCal::FocusIn(int i_year, int i_month) const
{
    ZelOleDateTime dt_focus = dtFocus;
    // A day the month lacks (the 31st in a 30-day month) becomes the
    // month's last day: the focus is always a real date.
    dt_focus.SetDateOnly(i_year, i_month, std::min(dtFocus.GetDay(), DaysIn(i_year, i_month)));
    return dt_focus;
}

void ZelMonthCal::GotoToday()
{
    dtMonth = FirstOfMonth(dtToday.GetYear(), dtToday.GetMonth());
    SetFocusDate(dtToday);
}

void ZelMonthCal::GotoMonth(int i_month)
{
    const int i_year = dtMonth.GetYear();
    dtMonth = FirstOfMonth(i_year, i_month);
    SetFocusDate(FocusIn(i_year, i_month));
}

void ZelMonthCal::GotoYear(int i_year)
{
    i_year = std::clamp(i_year, iMinYear, iMaxYear);
    const int i_month = dtMonth.GetMonth();
    dtMonth = FirstOfMonth(i_year, i_month);
    SetFocusDate(FocusIn(i_year, i_month));
}

void ZelMonthCal::GotoADate(const ZelOleDateTime& dt_date)
{
    if (!dt_date.IsValid())
        return;
    dtMonth = FirstOfMonth(dt_date.GetYear(), dt_date.GetMonth());
    SetFocusDate(dt_date.GetDate());
}

void ZelMonthCal::GotoFirstDate()
{
    if (Selected.IsEmpty())
        return;
    int i_first = 0;
    for (int i = 1; i < Selected.GetSize(); ++i)
        if (Selected[i] < Selected[i_first])
            i_first = i;
    GotoADate(Selected[i_first]);
}

void ZelMonthCal::GotoLastDate()
{
    if (Selected.IsEmpty())
        return;
    int i_last = 0;
    for (int i = 1; i < Selected.GetSize(); ++i)
        if (Selected[i] > Selected[i_last])
            i_last = i;
    GotoADate(Selected[i_last]);
}

void ZelMonthCal::OnLeft()
{
    const int i_year = dtMonth.GetYear();
    const int i_month = dtMonth.GetMonth();
    if (i_year <= iMinYear && i_month == 1) {
        Beep();
        KillArrowTimer(idLeft);
        return;
    }
    dtMonth = i_month == 1 ? FirstOfMonth(i_year - 1, 12) : FirstOfMonth(i_year, i_month - 1);
    Invalidate(nullptr, FALSE);
}

void ZelMonthCal::OnRight()
{
    const int i_year = dtMonth.GetYear();
    const int i_month = dtMonth.GetMonth();
    if (i_year >= iMaxYear && i_month == 12) {
        Beep();
        KillArrowTimer(idRight);
        return;
    }
    dtMonth = i_month == 12 ? FirstOfMonth(i_year + 1, 1) : FirstOfMonth(i_year, i_month + 1);
    Invalidate(nullptr, FALSE);
}

// ------------------------------------------------------------------ layout

int ZelMonthCal::ComputeAreas(IZelDrawPort& dc, const CRect& rc_client)
{
    dc.SetFont(ZelPortFont{0, false});
    const LONG h = dc.GetCharDim().cy;
    const LONG p = 1;
    const CRect& r = rc_client;
    const LONG i_icon = Metric(ZelSys::SM_CXSMICON);

    rcTitle = CRect(r.left, r.top, r.right, r.top + 2 * h);
    rcTitleText = CRect(rcTitle.left + i_icon + 12, rcTitle.top, rcTitle.right - i_icon - 12, rcTitle.bottom);
    rcDayNames = CRect(r.left + iMargin, r.top + 2 * h, r.right - iMargin, r.top + 3 * h);
    rcDays = CRect(rcDayNames.left, r.top + 3 * h + p, rcDayNames.right, r.top + 3 * h + p + nDayRows * (h + 3));
    rcToday = CRect(r.left, rcDays.bottom, r.right, rcDays.bottom + h);

    const LONG i_col_width = (r.Width() - 2 * iMargin) / nDaysPerWeek;
    LONG x = r.left + iMargin;
    for (CRect& rc : aColumns) {
        rc = CRect(x, rcDayNames.top, x + i_col_width, rcDays.bottom);
        x = rc.right;
    }
    const LONG i_row_height = rcDays.Height() / nDayRows;
    LONG y = rcDays.top;
    for (CRect& rc : aRows) {
        rc = CRect(rcDays.left, y, rcDays.right, y + i_row_height);
        y = rc.bottom;
    }
    bLaidOut = TRUE;
    return rcToday.bottom - r.top + iMargin;
}

CRect ZelMonthCal::GetArrowRect(int i_id) const
{
    const LONG i_cx = Metric(ZelSys::SM_CXSMICON);
    const LONG i_cy = Metric(ZelSys::SM_CYSMICON);
    const LONG i_top = rcTitle.top + (rcTitle.Height() - i_cy) / 2;
    if (i_id == idLeft)
        return CRect(rcTitle.left + iButtonMargin, i_top, rcTitle.left + iButtonMargin + i_cx, i_top + i_cy);
    return CRect(rcTitle.right - iButtonMargin - i_cx, i_top, rcTitle.right - iButtonMargin, i_top + i_cy);
}

ZelOleDateTime ZelMonthCal::GetFirstShown() const
{
    // A month that begins on the first day of the week shows the week
    // before it first.
    ZelOleDateTime dt_first = dtMonth - g_oneDay;
    while (dt_first.GetDayOfWeek() != iFirstDayOfWeek + 1)
        dt_first -= g_oneDay;
    return dt_first;
}

CRect ZelMonthCal::Cell(int i_row, int i_column) const
{
    CRect rc = aColumns[static_cast<std::size_t>(i_column)];
    const CRect& rc_row = aRows[static_cast<std::size_t>(i_row)];
    rc.top = std::max(rc.top, std::max(rc_row.top, rcDays.top));
    rc.bottom = std::min(rc.bottom, std::min(rc_row.bottom, rcDays.bottom));
    rc.left = std::max(rc.left, rc_row.left);
    rc.right = std::min(rc.right, rc_row.right);
    if (rc.IsRectEmpty())
        return CRect();
    return rc;
}

CRect ZelMonthCal::FindDate(const ZelOleDateTime& dt_date) const
{
    if (!bLaidOut || !dt_date.IsValid())
        return CRect();
    const std::int64_t n_days = (dt_date.GetDate() - GetFirstShown().GetDate()).GetTotalDays();
    if (n_days < 0 || n_days >= nDayRows * nDaysPerWeek)
        return CRect();
    return Cell(static_cast<int>(n_days / nDaysPerWeek), static_cast<int>(n_days % nDaysPerWeek));
}

ZelOleDateTime ZelMonthCal::FindDate(const CPoint& pt, CRect* p_cell) const
{
    ZelOleDateTime dt_none;
    dt_none.SetInvalid();
    if (p_cell)
        *p_cell = CRect();
    if (!bLaidOut || !rcDays.PtInRect(pt))
        return dt_none;
    for (int i_row = 0; i_row < nDayRows; ++i_row)
        for (int i_col = 0; i_col < nDaysPerWeek; ++i_col) {
            const CRect rc_cell = Cell(i_row, i_col);
            if (!rc_cell.PtInRect(pt))
                continue;
            if (p_cell)
                *p_cell = rc_cell;
            return GetFirstShown() + ZelOleDateTimeSpan(i_row * nDaysPerWeek + i_col, 0, 0, 0);
        }
    return dt_none;
}

// ---------------------------------------------------------------- painting

void ZelMonthCal::Paint(IZelDrawPort& dc)
{
    if (!bLaidOut)
        return;
    const ZelPortFont normal{0, false};
    const ZelPortFont bold{0, false, true};
    dc.SetFont(bold);
    PaintTop(dc);
    dc.SetFont(normal);
    PaintDayNames(dc);
    PaintDays(dc);
    dc.SetFont(bold);
    PaintBottom(dc);
    dc.SetFont(normal);
}

void ZelMonthCal::PaintTop(IZelDrawPort& dc)
{
    dc.FillRect(rcTitle, ZelBrush::Solid(SysColor(ZelSys::COLOR_ACTIVECAPTION)));
    const COLORREF c_text = SysColor(ZelSys::COLOR_CAPTIONTEXT);
    const std::string s_month = dtMonth.GetMonthName(false) + " ";
    const std::string s_year = std::to_string(dtMonth.GetYear());
    constexpr UINT u_flags = DT_SINGLELINE | DT_NOPREFIX;
    rcMonthText = CRect();
    dc.DrawText(s_month, rcMonthText, u_flags | DT_CALCRECT, c_text);
    rcYearText = CRect();
    dc.DrawText(s_year, rcYearText, u_flags | DT_CALCRECT, c_text);
    const LONG i_width = std::max(rcMonthText.right, rcYearText.right);
    const LONG i_height = std::max(rcMonthText.bottom, rcYearText.bottom);
    const LONG x = (rcTitleText.left + rcTitleText.Width() - i_width) / 2;
    const LONG y = (rcTitleText.top + rcTitleText.Height() - i_height) / 2;
    rcMonthText.OffsetRect(x, y);
    rcYearText.OffsetRect(rcMonthText.right, rcMonthText.top);
    dc.DrawText(s_month, rcMonthText, u_flags | DT_LEFT, c_text);
    dc.DrawText(s_year, rcYearText, u_flags | DT_RIGHT, c_text);
}

void ZelMonthCal::PaintDayNames(IZelDrawPort& dc)
{
    dc.FillRect(rcDayNames, ZelBrush::Solid(SysColor(ZelSys::COLOR_WINDOW)));
    const COLORREF c_text = SysColor(ZelSys::COLOR_INFOTEXT);
    for (int i = 0; i < nDaysPerWeek; ++i) {
        const std::string s_day = ZelOleDateTime::DayNames[(iFirstDayOfWeek + i) % nDaysPerWeek];
        CRect rc = aColumns[static_cast<std::size_t>(i)];
        rc.top = rcDayNames.top;
        rc.bottom = rcDayNames.bottom;
        dc.DrawText(s_day.substr(0, iDayAbbrev), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE, c_text);
    }
    ZelPen pen;
    pen.cColor = SysColor(ZelSys::COLOR_WINDOWTEXT);
    dc.Line(CPoint(rcDayNames.left, rcDayNames.bottom), CPoint(rcDayNames.right, rcDayNames.bottom), pen);
}

void ZelMonthCal::PaintDays(IZelDrawPort& dc)
{
    dc.FillRect(rcDays, ZelBrush::Solid(SysColor(ZelSys::COLOR_WINDOW)));
    const COLORREF c_month = SysColor(ZelSys::COLOR_WINDOWTEXT);
    COLORREF c_other = SysColor(ZelSys::COLOR_GRAYTEXT);
    if (c_other == c_month)
        c_other = ZelRGB(128, 128, 128);
    const COLORREF c_highlight = SysColor(ZelSys::COLOR_HIGHLIGHT);
    const COLORREF c_highlight_text = SysColor(ZelSys::COLOR_HIGHLIGHTTEXT);
    ZelPen pen;
    pen.cColor = c_month;
    ZelOleDateTime dt_day = GetFirstShown();
    for (int i_row = 0; i_row < nDayRows; ++i_row)
        for (int i_col = 0; i_col < nDaysPerWeek; ++i_col, dt_day += g_oneDay) {
            const CRect rc_cell = Cell(i_row, i_col);
            COLORREF c_text = dt_day.IsSameMonth(dtMonth) ? c_month : c_other;
            if (IsSelected(dt_day)) {
                CRect rc_ball = rc_cell;
                rc_ball.DeflateRect(2, 2);
                rc_ball.right += 1;
                rc_ball.bottom += 1;
                dc.FillEllipse(rc_ball, c_highlight);
                c_text = c_highlight_text;
            }
            CRect rc_text = rc_cell;
            dc.DrawText(std::to_string(dt_day.GetDay()), rc_text,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, c_text);
            if (dt_day.IsSameDate(dtToday))
                dc.FrameRect(rc_cell, pen);
            if (dt_day.IsSameDate(dtFocus) && pHost)
                pHost->SetCaretPos(CPoint(rc_cell.left + (rc_cell.Width() + 3) / 4, rc_cell.bottom - 1));
        }
}

void ZelMonthCal::PaintBottom(IZelDrawPort& dc)
{
    const COLORREF c_back = SysColor(ZelSys::COLOR_WINDOW);
    dc.FillRect(rcToday, ZelBrush::Solid(c_back));
    std::string s_date;
    const std::string s_format = ZelGetLocalePort().GetShortDateFormat();
    if (!s_format.empty())
        s_date = dtToday.Format(s_format.c_str());
    if (s_date.empty())
        s_date = dtToday.Format("%x");
    CRect rc = rcToday;
    rc.left += iMargin;
    dc.DrawText("Today: " + s_date, rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                SysColor(ZelSys::COLOR_WINDOWTEXT));
}

// ------------------------------------------------------------------- mouse

void ZelMonthCal::OnLButtonDown(UINT u_flags, const CPoint& pt)
{
    StopEdit();
    if (rcToday.PtInRect(pt)) {
        dtMonth = FirstOfMonth(dtToday.GetYear(), dtToday.GetMonth());
        SetFocusDate(dtToday);
        Invalidate(nullptr, TRUE);
        return;
    }
    if (rcMonthText.PtInRect(pt)) {
        MonthPopup(pt);
        return;
    }
    if (rcYearText.PtInRect(pt)) {
        ChangeYear();
        return;
    }
    CRect rc_cell;
    const ZelOleDateTime dt_date = FindDate(pt, &rc_cell);
    if (!dt_date.IsValid())
        return;
    SetFocusDate(dt_date);
    if (!dt_date.IsSameMonth(dtMonth)) {
        dtMonth = FirstOfMonth(dt_date.GetYear(), dt_date.GetMonth());
        Invalidate(nullptr, TRUE);
    }
    if (u_flags & MK_SHIFT) {
        SelectRange(dt_date);
    } else {
        if (!(u_flags & MK_CONTROL))
            UnselectAll();
        ToggleSelectDate(dt_date);
        Invalidate(&rc_cell, FALSE);
    }
}

// ---------------------------------------------------------------- keyboard

BOOL ZelMonthCal::PreTranslateKey(UINT u_key, UINT u_modifiers)
{
    int i_days = 0;
    switch (u_key) {
    case VK_LEFT: i_days = -1; break;
    case VK_RIGHT: i_days = 1; break;
    case VK_UP: i_days = -nDaysPerWeek; break;
    case VK_DOWN: i_days = nDaysPerWeek; break;
    default: return FALSE;
    }
    const ZelOleDateTime dt_old = dtFocus;
    dtFocus = dtFocus + ZelOleDateTimeSpan(i_days, 0, 0, 0);
    if ((u_modifiers & KM_SHIFT) && SelectDate(dtFocus))
        SelectionChanged();
    if (!dtFocus.IsSameMonth(dtMonth)) {
        dtMonth = FirstOfMonth(dtFocus.GetYear(), dtFocus.GetMonth());
        Invalidate(nullptr, TRUE);
    } else {
        const CRect rc_old = FindDate(dt_old);
        const CRect rc_new = FindDate(dtFocus);
        Invalidate(&rc_old, FALSE);
        Invalidate(&rc_new, FALSE);
    }
    FocusChanged();
    return TRUE;
}

void ZelMonthCal::OnKeyDown(UINT u_key, UINT u_modifiers)
{
    const bool b_shift = (u_modifiers & KM_SHIFT) != 0;
    switch (u_key) {
    case VK_SPACE: {
        if (b_shift) {
            SelectRange(dtFocus);
        } else if (u_modifiers & KM_CONTROL) {
            ToggleSelectDate(dtFocus);
        } else {
            UnselectAll();
            if (SelectDate(dtFocus))
                SelectionChanged();
        }
        const CRect rc_focus = FindDate(dtFocus);
        Invalidate(&rc_focus, FALSE);
        break;
    }
    case VK_PRIOR:
        if (b_shift) {
            GotoYear(dtMonth.GetYear() - 1);
            Invalidate(nullptr, TRUE);
        } else {
            OnLeft();
        }
        break;
    case VK_NEXT:
        if (b_shift) {
            GotoYear(dtMonth.GetYear() + 1);
            Invalidate(nullptr, TRUE);
        } else {
            OnRight();
        }
        break;
    default: break;
    }
}

// ------------------------------------------------------------------ arrows

void ZelMonthCal::OnArrowPress(int i_id)
{
    if (i_id != idLeft && i_id != idRight)
        return;
    if (i_id == idLeft)
        OnLeft();
    else
        OnRight();
    dwRepeatStart = GetTickCount();
    uRepeatPeriod = uTimer;
    StartArrowTimer(i_id, uRepeatPeriod);
}

void ZelMonthCal::OnArrowRelease(int i_id)
{
    if (i_id == idLeft || i_id == idRight)
        KillArrowTimer(i_id);
}

void ZelMonthCal::OnReleaseElsewhere()
{
    KillArrowTimer(idLeft);
    KillArrowTimer(idRight);
}

void ZelMonthCal::OnTimer(UINT u_id)
{
    if (u_id != static_cast<UINT>(idLeft) && u_id != static_cast<UINT>(idRight))
        return;
    if (u_id == static_cast<UINT>(idLeft))
        OnLeft();
    else
        OnRight();
    // A timer the year limit stopped stays stopped.
    if (!aTimerRunning[u_id])
        return;
    const DWORD dw_held = GetTickCount() - dwRepeatStart;
    UINT u_period = DefMonthAccel[0].uPeriod;
    for (const MonthAccel& accel : DefMonthAccel)
        if (dw_held >= accel.nSeconds * 1000)
            u_period = accel.uPeriod;
    if (u_period != uRepeatPeriod) {
        uRepeatPeriod = u_period;
        StartArrowTimer(static_cast<int>(u_id), u_period);
    }
}

// ------------------------------------------------------------------- menus

BOOL ZelMonthCal::OnCommand(UINT u_id)
{
    switch (u_id) {
    case IDM_GOTO_TODAY:
        GotoToday();
        Invalidate(nullptr, TRUE);
        return TRUE;
    case IDM_GOTO_FIRST:
        GotoFirstDate();
        Invalidate(nullptr, TRUE);
        return TRUE;
    case IDM_GOTO_LAST:
        GotoLastDate();
        Invalidate(nullptr, TRUE);
        return TRUE;
    case IDM_CLEAR_ALL:
        UnselectAll();
        return TRUE;
    default: break;
    }
    if (u_id >= IDM_FIRST_MONTH && u_id <= IDM_LAST_MONTH) {
        GotoMonth(static_cast<int>(u_id - 1024));
        Invalidate(nullptr, TRUE);
        return TRUE;
    }
    return FALSE;
}

void ZelMonthCal::OnContextMenu(const CPoint& pt)
{
    StopEdit();
    GeneralPopup(pt.x < 0 || pt.y < 0 ? CPoint(0, 0) : pt);
}

void ZelMonthCal::GeneralPopup(const CPoint& pt)
{
    if (!pHost)
        return;
    const int b_any = Selected.IsEmpty() ? 0 : 1;
    const ZelMenu menu = {
        {IDM_GOTO_TODAY, "&Go to today", 1, 0},
        {IDM_GOTO_FIRST, "Go to &first", b_any, 0},
        {IDM_GOTO_LAST, "Go to &last", b_any, 0},
        {IDM_CLEAR_ALL, "&Clear all selections", b_any, 0},
    };
    pHost->TrackPopupMenu(menu, pt);
}

void ZelMonthCal::MonthPopup(const CPoint& pt)
{
    if (!pHost)
        return;
    ZelMenu menu;
    for (int i = 0; i < ZelOleDateTime::nMonthNames; ++i)
        menu.push_back({static_cast<UINT>(IDM_FIRST_MONTH + i), ZelOleDateTime::MonthNames[i], 1, 0});
    pHost->TrackPopupMenu(menu, pt);
}

// ------------------------------------------------------------- year editor

void ZelMonthCal::ChangeYear()
{
    if (!pHost || bYearEditing)
        return;
    if (pHost->OpenYearEditor(rcYearText, dtMonth.GetYear()))
        bYearEditing = 1;
}

void ZelMonthCal::StopEdit()
{
    if (bYearEditing && pHost)
        pHost->CloseYearEditor();
}

void ZelMonthCal::OnYearEditorClosed(const std::string& s_text, BOOL b_cancelled)
{
    if (!bYearEditing)
        return;
    bYearEditing = 0;
    if (b_cancelled)
        return;
    // An empty or non-numeric text reads as 0, which goes to the first year.
    GotoYear(LeadingInt(s_text));
    Invalidate(nullptr, TRUE);
}
