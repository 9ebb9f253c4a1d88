#include "zelkit/controls/ZelTimeslotDisplayGrid.h"

#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>

namespace {

// Centred lines broken at words, measured or drawn.
constexpr UINT uMeasureFormat = DT_CENTER | DT_WORDBREAK | DT_EXTERNALLEADING | DT_NOPREFIX | DT_CALCRECT;
constexpr UINT uDrawFormat = DT_CENTER | DT_WORDBREAK | DT_EXTERNALLEADING | DT_NOPREFIX;

// Texts grow with the spacing no further than two days a line.
constexpr std::int64_t llMaxSpacingMinutes = 2880;

} // namespace

ZelTimeslotDisplayGrid::ZelTimeslotDisplayGrid() : ZelTimeslotGrid(TRUE)
{
    bReadOnly = 1;
    ShowTipsAlways(TRUE);
}

// ------------------------------------------------------- the owner's say

int ZelTimeslotDisplayGrid::GetSlotText(const ZelTimeslot& slot, std::string& s_text) const
{
    ZelTimeslotTextNotify record;
    record.dwItemData = slot.GetItemData();
    if (!pHost->Notify(ZTSN_SLOTTEXT, &record))
        return 0;
    s_text = record.sText;
    return 1;
}

int ZelTimeslotDisplayGrid::GetSlotIcon(IZelDrawPort&, SetStdContext&, const ZelTimeslot& slot,
                                        ZelBitmapHandle& h_bitmap, UINT& u_size) const
{
    ZelTimeslotIconNotify record;
    record.dwItemData = slot.GetItemData();
    record.pTimeslot = &slot;
    if (!pHost->Notify(ZTSN_SLOTICON, &record))
        return 0;
    h_bitmap = record.hBitmap;
    u_size = record.uIconSize;
    return 1;
}

// ---------------------------------------------------------------- texts

int ZelTimeslotDisplayGrid::Shorten(std::string& s_text) const
{
    if (s_text.size() >= 3 && s_text.compare(s_text.size() - 3, 3, "...") == 0)
        s_text.erase(s_text.size() - 3);
    if (s_text.size() < 5) {
        s_text += "...";
        return 0;
    }
    s_text.erase(s_text.size() - 4);
    s_text += "...";
    return 1;
}

int ZelTimeslotDisplayGrid::Split(std::string& s_text, int n) const
{
    s_text.erase(std::remove_if(s_text.begin(), s_text.end(), [](char c) { return c == '\r' || c == '\n'; }),
                 s_text.end());
    if (n < 0)
        return 0;
    const std::size_t u_lines = static_cast<std::size_t>(n) + 1;
    const std::size_t u_each = s_text.size() / u_lines;
    if (u_each < 2)
        return 0;
    const std::size_t u_first = u_each + s_text.size() % u_lines;
    std::string s_split = s_text.substr(0, u_first) + "\r\n";
    for (std::size_t u = u_first; u < s_text.size(); u += u_each)
        s_split += s_text.substr(u, u_each) + "\r\n";
    s_text = s_split;
    return 1;
}

int ZelTimeslotDisplayGrid::DrawSlotText(IZelDrawPort& dc, SetStdContext& ctx, UINT u_day, UINT u_set, UINT u_slot,
                                         int b_measure, const DayArray* p_days) const
{
    const ZelTimeslot& slot = DaysOf(p_days)[static_cast<int>(u_day)][static_cast<int>(u_set)][static_cast<int>(u_slot)];
    std::string s_text;
    const int b_text = GetSlotText(slot, s_text);
    ZelBitmapHandle h_bitmap = nullptr;
    UINT u_icon = 0;
    const int b_icon = GetSlotIcon(dc, ctx, slot, h_bitmap, u_icon);
    COLORREF cr_text = ctx.crTextColor;
    GetSlotTextColor(dc, ctx, slot, cr_text);

    const ZelPortFont font_before = dc.GetFont();
    dc.SetFont(ctx.TimeslotFont);
    struct Restore {
        IZelDrawPort& Dc;
        ZelPortFont Font;
        ~Restore() { Dc.SetFont(Font); }
    } restore{dc, font_before};

    CRect rc, rc_top, rc_middle, rc_bottom;
    if (GetSlotShape(u_day, u_set, u_slot, rc, rc_top, rc_middle, rc_bottom, bCombinationsSet, p_days))
        return ZelTimeslotGrid::DrawSlotText(dc, ctx, u_day, u_set, u_slot, b_measure, p_days);
    if (!b_text && !b_icon)
        return 1;

    CRect r = rc_middle;
    r.DeflateRect(Metric(ZelSys::SM_CXEDGE), Metric(ZelSys::SM_CYEDGE));
    CRect rc_area = r;
    if (b_icon) {
        const UINT u_size = std::min(u_icon, static_cast<UINT>(r.Height() - 2));
        const LONG i_size = static_cast<LONG>(u_size);
        if (!b_measure)
            dc.StretchTransparentBitmap(h_bitmap, CRect(r.left, r.top, r.left + i_size, r.top + i_size),
                                        ZelRGB(255, 255, 255));
        // Below the icon when the whole text fits there, else beside it.
        bool b_below = false;
        if (r.top + i_size + 2 < r.bottom) {
            const CRect rc_below(r.left, r.top + i_size + 2, r.right, r.bottom);
            CRect rc_measured = rc_below;
            dc.DrawText(s_text, rc_measured, uMeasureFormat, cr_text);
            if (rc_measured.Height() <= rc_below.Height()) {
                rc_area = rc_below;
                b_below = true;
            }
        }
        if (!b_below)
            rc_area.left = r.left + i_size + 2;
    }
    if (!b_text)
        return 1;

    const LONG i_width = rc_area.Width();
    const LONG i_height = rc_area.Height();
    CRect rc_measured = rc_area;
    dc.DrawText(s_text, rc_measured, uMeasureFormat, cr_text);
    const std::string s_received = s_text;
    // Too wide: break it into more and more lines while there is room.
    for (int n = 1; rc_measured.Width() > i_width; ++n) {
        if (rc_measured.Height() >= i_height || !Split(s_text, n))
            break;
        rc_measured = rc_area;
        dc.DrawText(s_text, rc_measured, uMeasureFormat, cr_text);
    }
    // Still too big: shorter and shorter, from the text as it came.
    if (rc_measured.Height() > i_height || rc_measured.Width() > i_width) {
        s_text = s_received;
        while (Shorten(s_text)) {
            rc_measured = rc_area;
            dc.DrawText(s_text, rc_measured, uMeasureFormat, cr_text);
            if (rc_measured.Height() <= i_height && rc_measured.Width() <= i_width)
                break;
        }
    }
    if (b_measure)
        return rc_measured.Height() <= i_height && rc_measured.Width() <= i_width;
    CRect rc_draw = rc_area;
    const LONG i_measured = rc_measured.Height();
    if (i_measured < i_height) {
        rc_draw.top += (i_height - i_measured) / 2;
        rc_draw.bottom = rc_draw.top + i_measured;
    }
    dc.DrawText(s_text, rc_draw, uDrawFormat, cr_text);
    return 1;
}

void ZelTimeslotDisplayGrid::GetSlotTextWidths(IZelDrawPort& dc, int& i_average, int& i_widest)
{
    if (!bWidthsValid) {
        // Measured once: later texts do not change the columns.
        LONG i_sum = 0;
        int n_texts = 0;
        iWidestWidth = 0;
        for (int d = 0; d < Days.GetSize(); ++d)
            for (int s = 0; s < Days[d].GetSize(); ++s)
                for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                    std::string s_text;
                    if (!GetSlotText(Days[d][s][i], s_text) || s_text.empty())
                        continue;
                    const int i_width = static_cast<int>(dc.GetTextExtent(s_text).cx);
                    iWidestWidth = std::max(iWidestWidth, i_width);
                    i_sum += i_width;
                    ++n_texts;
                }
        iAverageWidth = n_texts > 0 ? static_cast<int>(i_sum / n_texts) : 0;
        // A grid laid out before its owner filled it has measured nothing
        // yet: the first texts there are hold.
        bWidthsValid = n_texts > 0;
    }
    i_average = iAverageWidth;
    i_widest = iWidestWidth;
}

void ZelTimeslotDisplayGrid::ComputeSetLabelDim(IZelDrawPort& dc, int& i_height, int& i_width, int& i_total)
{
    ZelTimeslotGrid::ComputeSetLabelDim(dc, i_height, i_width, i_total);
    int i_average = 0, i_widest = 0;
    GetSlotTextWidths(dc, i_average, i_widest);
    if (i_average > i_width) {
        i_width = i_average + 2 * iMargin + iPenSize;
        i_total = i_width * GetTotalSets();
    }
    // However long a name, a column stays as wide as a few words: longer
    // texts end in "...", and one name neither widens every column to
    // the window nor makes the grid's type smaller.
    const int i_cap = nMaxColumnChars * static_cast<int>(dc.GetCharDim().cx) + 2 * iMargin + iPenSize;
    if (i_width > i_cap) {
        i_width = i_cap;
        i_total = i_width * GetTotalSets();
    }
}

// ---------------------------------------------------------------- shape

int ZelTimeslotDisplayGrid::GetSlotShape(UINT u_day, UINT u_set, UINT u_slot, CRect& rc, CRect& rc_top,
                                         CRect& rc_middle, CRect& rc_bottom, int b_combined,
                                         const DayArray* p_days) const
{
    GetSlotRect(u_day, u_set, u_slot, rc, b_combined, p_days);
    rc_middle = rc;
    rc_top.SetRectEmpty();
    rc_bottom.SetRectEmpty();
    return 0;
}

COLORREF ZelTimeslotDisplayGrid::GetWorkAreaColor(IZelDrawPort&, SetStdContext& ctx) const { return ctx.crWorkArea; }

// ------------------------------------------------------- fitting, zoom

int ZelTimeslotDisplayGrid::AllTextsFit() const
{
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            for (int i = 0; i < Days[d][s].GetCount(); ++i)
                if (!Days[d][s][i].IsBigEnough())
                    return 0;
    return 1;
}

void ZelTimeslotDisplayGrid::Resize()
{
    Recompute();
    if (AllTextsFit()) {
        pHost->Invalidate(nullptr, TRUE);
        return;
    }
    ZelWaitCursor wait;
    auto set_spacing = [this](std::int64_t ll_minutes) {
        dtsSpacing = ZelOleDateTimeSpan(0, 0, static_cast<std::int32_t>(ll_minutes), 0);
        ComputeAreas();
    };
    // Finer until the texts fit, a minute at the finest.
    for (;;) {
        const std::int64_t ll_minutes = std::max<std::int64_t>(dtsSpacing.GetTotalMinutes() / 2, 1);
        set_spacing(ll_minutes);
        if (ll_minutes <= 1)
            break;
        if (AllTextsFit()) {
            // Then as coarse as they allow, in steps of the finest zoom.
            const std::int64_t ll_step = dtsMinZoom().GetTotalMinutes();
            std::int64_t ll_fits = ll_minutes;
            while (ll_fits + ll_step <= llMaxSpacingMinutes) {
                set_spacing(ll_fits + ll_step);
                if (!AllTextsFit())
                    break;
                ll_fits += ll_step;
            }
            if (dtsSpacing.GetTotalMinutes() != ll_fits)
                set_spacing(ll_fits);
            break;
        }
    }
    pHost->Invalidate(nullptr, TRUE);
}

void ZelTimeslotDisplayGrid::OnZoomOut()
{
    ZoomOut(TRUE);
    bZoomed = 1;
}

// ------------------------------------------------------------------ menu

int ZelTimeslotDisplayGrid::IsCommandEnabled(UINT u_id) const
{
    switch (u_id) {
    case ID_EDIT_CLEAR:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO: return !bReadOnly;
    default: return 1;
    }
}

void ZelTimeslotDisplayGrid::GeneralPopup(const CPoint& pt, const ZelMenu* p_extra)
{
    if (!bReadOnly) {
        ZelTimeslotGrid::GeneralPopup(pt, p_extra);
        return;
    }
    ZelMenu menu = LoadPopupMenu(1);
    const bool b_selected = CountSelected() > 0;
    for (ZelMenuItem& item : menu) {
        switch (item.uId) {
        case ID_TSLOT_ZOOMOUT: item.bEnabled = IsScrollBarVisible(SB_VERT); break;
        case ID_TSLOT_ZOOMIN: item.bEnabled = dtsSpacing.GetTotalMinutes() > dtsMinZoom().GetTotalMinutes(); break;
        case ID_EDIT_COPY:
        case ID_TSLOT_UNSELECTALL: item.bEnabled = b_selected; break;
        case ID_EDIT_SELECT_ALL: item.bEnabled = CountSlots() > 0; break;
        case ID_TSLOT_24HOUR: item.bChecked = b24Hour ? 1 : 0; break;
        default: break;
        }
    }
    if (p_extra)
        AppendMenu(menu, *p_extra);
    ActivatePositionTip(pt, FALSE, FALSE);
    pHost->TrackPopupMenu(menu, pt);
}
