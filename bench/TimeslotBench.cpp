// Time of the timeslot grid's work on a large event: 30 days of 20 sets of
// 48 slots each, drawn through a canvas that only counts what it is asked
// to draw (fixed glyph metrics, no display).
//   - a full layout with the measurement of every slot's texts,
//   - one paint of a 1000 x 700 window,
//   - one scroll step (a line down) with the repaint of what it uncovers,
//   - 10,000 hit tests (the day, set, time and slot under a point).
// Run by hand: build/bin/timeslot_bench
#include "zelkit/controls/ZelTimeslotGrid.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace {

constexpr int nDays = 30;
constexpr int nSets = 20;
constexpr int nSlots = 48;

// Glyphs of fixed size: a line is points + 3 high, a character points / 2 + 1
// wide.
class CountingPort : public IZelDrawPort {
public:
    void SetFont(const ZelPortFont& font) override { Font = font.iPoints > 0 ? font : ZelPortFont{10, false}; }
    ZelPortFont GetFont() const override { return Font; }
    CSize GetCharDim() override { return CSize(Font.iPoints / 2 + 1, Font.iPoints + 3); }
    CSize GetTextExtent(const std::string& s_text) override
    {
        return CSize(static_cast<LONG>(s_text.size()) * (Font.iPoints / 2 + 1), Font.iPoints + 3);
    }
    int DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF) override
    {
        const CSize size = GetTextExtent(s_text);
        if (u_flags & DT_CALCRECT) {
            rc.right = rc.left + size.cx;
            rc.bottom = rc.top + size.cy;
        } else {
            ++nOps;
        }
        return size.cy;
    }
    void FillRect(const CRect&, const ZelBrush&) override { ++nOps; }
    void Line(const CPoint&, const CPoint&, const ZelPen&) override { ++nOps; }
    void FrameRect(const CRect&, const ZelPen&) override { ++nOps; }
    void DrawEdge(const CRect&) override { ++nOps; }
    void DrawFocusRect(const CRect&) override { ++nOps; }
    void StretchTransparentBitmap(ZelBitmapHandle, const CRect&, COLORREF) override { ++nOps; }
    void ExcludeClip(const CRect&) override {}
    CRect GetClipBox() const override { return {}; }

    ZelPortFont Font{10, false};
    long nOps = 0;
};

class Host : public IZelTimeslotHost {
public:
    BOOL HasWindow() const override { return TRUE; }
    CRect GetClientArea() const override { return rcClient; }
    BOOL IsWindowEnabled() const override { return TRUE; }
    BOOL HasKeyboardFocus() const override { return FALSE; }
    void TakeKeyboardFocus() override {}
    void Invalidate(const CRect*, BOOL) override {}
    long Notify(int, void*) override { return 0; }
    BOOL GetScrollInfo(int i_bar, ZelScrollInfo& info) override
    {
        info = aScroll[i_bar];
        return aSet[i_bar];
    }
    void SetScrollInfo(int i_bar, const ZelScrollInfo& info) override
    {
        aScroll[i_bar] = info;
        aSet[i_bar] = TRUE;
    }
    void ScrollArea(LONG, LONG, const CRect& rc) override { rcScrolled = rc; }
    void SetRedraw(BOOL) override {}
    int GetParentFontPoints() override { return 10; }
    std::unique_ptr<IZelDrawPort> CreateMeasurePort() override { return std::make_unique<CountingPort>(); }
    void SetPointerCursor(ZelCursorKind) override {}
    CPoint GetCursorClientPoint() override { return {}; }
    void ShowTip(const std::string&, const CPoint&) override {}
    void HideTip() override {}
    BOOL GetClipboardText(std::string&) override { return FALSE; }
    BOOL SetClipboardText(const std::string&) override { return FALSE; }
    DWORD DoDragDrop(const std::string&) override { return DROPEFFECT_NONE; }
    void TrackPopupMenu(const ZelMenu&, const CPoint&) override {}
    BOOL AskSlotLength(UINT&) override { return FALSE; }
    BOOL AskResolution(UINT&, int&) override { return FALSE; }
    BOOL AskCombinationName(const ZelTimeslotCombinationList&, std::string&) override { return FALSE; }

    CRect rcClient{0, 0, 1000, 700};
    CRect rcScrolled;
    ZelScrollInfo aScroll[2];
    BOOL aSet[2] = {FALSE, FALSE};
};

template <class F>
double Time(F f)
{
    const auto t_start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
}

} // namespace

int main()
{
    Host host;
    ZelTimeslotGrid grid(FALSE);
    grid.SetHost(&host);
    grid.Set24Hour(TRUE);
    grid.SetNumDays(nDays);
    ZelArrayWithFind<long> a_keys;
    for (int s = 0; s < nSets; ++s)
        a_keys.Add(s);
    for (int d = 0; d < nDays; ++d) {
        grid.SetNumSets(d, nSets);
        ZelRelTimeslotArray a_slots;
        for (int s = 0; s < nSets; ++s)
            for (int i = 0; i < nSlots; ++i)
                a_slots.Add(ZelRelTimeslot(ZelOleDateTimeSpan(0, 8, 20 * i, 0), ZelOleDateTimeSpan(0, 0, 20, 0), s));
        grid.SetTimeslots(d, a_slots, FALSE, &a_keys);
    }
    grid.SetDisplayStart(FALSE, 8, 0);
    grid.SetDisplayEnd(FALSE, 0, 0);
    grid.SetDisplayEnd(FALSE, -1, -1);
    std::printf("%d slots in %d columns\n", grid.CountSlots(), grid.GetTotalSets());

    const double d_layout = Time([&] { grid.Recompute(); });
    std::printf("%-44s %9.2f ms\n", "layout and measurement of every slot text", d_layout);

    CountingPort paint;
    const double d_paint = Time([&] { grid.Paint(paint, host.rcClient); });
    std::printf("%-44s %9.2f ms  (%ld drawing calls)\n", "paint of a 1000 x 700 window", d_paint, paint.nOps);

    CountingPort scroll;
    const double d_scroll = Time([&] {
        grid.OnVScroll(SB_LINEDOWN, 0);
        grid.Paint(scroll, host.rcScrolled);
    });
    std::printf("%-44s %9.2f ms  (%ld drawing calls)\n", "scroll step and its repaint", d_scroll, scroll.nOps);

    std::mt19937 gen(7);
    std::uniform_int_distribution<LONG> x(0, 999), y(0, 699);
    int n_hits = 0;
    const double d_hits = Time([&] {
        for (int i = 0; i < 10000; ++i) {
            int i_day = -1, i_set = -1;
            const ZelOleDateTime dt = grid.PrecisePointToDayTime(CPoint(x(gen), y(gen)), &i_day, &i_set);
            if (dt.IsValid() && grid.GetTimeslotList(i_day, i_set).Find(dt, FALSE) >= 0)
                ++n_hits;
        }
    });
    std::printf("%-44s %9.2f ms  (%d on a slot)\n", "10,000 hit tests", d_hits, n_hits);
    return 0;
}
