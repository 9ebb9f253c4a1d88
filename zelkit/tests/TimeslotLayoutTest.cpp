// The timeslot grid's layout, text forms, coordinates, scrolling and
// painting, on a fake window with fixed glyph metrics.
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/tests/TimeslotGridFixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using LayoutTest = TimeslotGridFixture;

TEST_F(LayoutTest, LabelHeightGivesPitchStepAndStepHeight)
{
    Build();
    EXPECT_EQ(Grid.GetLinePitch(), 32) << "13-pixel labels";
    EXPECT_EQ(Grid.GetStepSpan(), Minutes(5)) << "32 / 5 = 6 pixels a unit, 900 / 6 = 150 s, raised to 5 minutes";
    EXPECT_EQ(Grid.GetStepHeight(), 10) << "32 / 3";
    EXPECT_EQ(Grid.GetTimeLineCount(), 9u) << "08:00 to 10:00 in quarters";
    EXPECT_EQ(Grid.GetLineY(0), 30);
    EXPECT_EQ(Grid.GetLineY(4), 158);
    EXPECT_EQ(Grid.GetTimeLabelRect(), CRect(0, 14, 38, 400));
    EXPECT_EQ(Grid.GetSlotAreaRect(), CRect(39, 14, 600, 400)) << "one day widened to the window, the area to its height";

    struct Case {
        int iSpacing;      // minutes
        int iStepMinutes;
        int iStepHeight;
    } const a_cases[] = {
        {5, 1, 6},      // 300 / 6 = 50 s: one minute, 5 of them
        {10, 5, 16},    // 100 s: five minutes, 2 of them
        {30, 5, 5},     // 300 s: five minutes, 6 of them
        {60, 10, 5},    // 600 s: ten minutes, 6 of them
        {25, 5, 6},     // 250 s: five minutes, 5 of them
        {1440, 240, 5}, // 14400 s, a whole number of ten minutes
    };
    for (const Case& c : a_cases) {
        ZelTimeslotGrid::Settings().dtsPrevSpacing = Minutes(c.iSpacing);
        Grid.UsePrevSpacing(TRUE);
        Grid.Recompute();
        EXPECT_EQ(Grid.GetStepSpan(), Minutes(c.iStepMinutes)) << c.iSpacing;
        EXPECT_EQ(Grid.GetStepHeight(), c.iStepHeight) << c.iSpacing;
    }
}

TEST_F(LayoutTest, DaysWidenToFillAndScrollBarsShowWhenTheyDoNot)
{
    // Three one-set days in 200 pixels: 39 each, and the 44 left over
    // shared out by 14.
    Host.rcClient = CRect(0, 0, 200, 400);
    Build(3);
    CRect rc;
    ASSERT_TRUE(Grid.DayToRect(2, rc));
    EXPECT_EQ(rc.Width(), 53);
    EXPECT_EQ(Grid.GetSetWidth(), 53);
    EXPECT_FALSE(Grid.IsScrollBarVisible(SB_HORZ));
    EXPECT_FALSE(Grid.IsScrollBarVisible(SB_VERT));

    // Ten days of three sets do not fit: a horizontal bar, and the day
    // separators make each day one pixel wider than its sets.
    Host.rcClient = CRect(0, 0, 600, 400);
    Build(10, 3);
    ASSERT_TRUE(Grid.DayToRect(0, rc));
    EXPECT_EQ(rc.Width(), 3 * 39 + 1);
    EXPECT_TRUE(Grid.IsScrollBarVisible(SB_HORZ));
    EXPECT_FALSE(Grid.IsScrollBarVisible(SB_VERT));
    ZelScrollInfo horz;
    ASSERT_TRUE(Host.GetScrollInfo(SB_HORZ, horz));
    EXPECT_EQ(horz.nMax, 10 * 118);
    EXPECT_EQ(horz.nPage, 561u);
    CRect rc_set;
    ASSERT_TRUE(Grid.SetToRect(1, 0, rc_set));
    EXPECT_EQ(rc_set.left, rc.right + 1) << "a day after the first starts a pixel later";
    ASSERT_TRUE(Grid.SetToRect(0, 2, rc_set));
    EXPECT_EQ(rc_set.right, rc.right - 1) << "and its last set ends a pixel early: a double line";

    // A whole day at 15 minutes is taller than the window.
    Build(1, 1, 0, 23);
    EXPECT_TRUE(Grid.IsScrollBarVisible(SB_VERT));
    EXPECT_FALSE(Grid.IsScrollBarVisible(SB_HORZ));
}

TEST_F(LayoutTest, ANarrowWindowShrinksTheFontToSevenPointsAndNoFurther)
{
    struct Case {
        LONG iWidth;
        int iPoints; // 0: the parent's font stays
    } const a_cases[] = {{100, 0}, {70, 9}, {40, 7}};
    for (const Case& c : a_cases) {
        Host.rcClient = CRect(0, 0, c.iWidth, 400);
        Build();
        EXPECT_EQ(Grid.GetCtrlFont().iPoints, c.iPoints) << c.iWidth;
    }
    // Every layout starts from the parent's font again.
    Host.rcClient = CRect(0, 0, 600, 400);
    Grid.Recompute();
    EXPECT_EQ(Grid.GetCtrlFont().iPoints, 0);
}

TEST_F(LayoutTest, TimesOfDayAndSlotTexts)
{
    Build();
    ZelTimeslotCombinationList combinations;
    ZelTimeslotCombination named("Morning");
    ZelTimeslotCombination unnamed;
    combinations.Add(named);
    combinations.Add(unnamed);
    ZelTimeslot slot(At(14, 30), Minutes(45), 0, 0);
    slot.SetCombinationKey(named.GetKey());

    struct Case {
        int b24;
        int bSetCombinations;
        LONG lKey;
        int bWithCombination;
        const char* pTime;
        const char* pSlot;
    } const a_cases[] = {
        {1, 1, named.GetKey(), 1, "08:05", "14:30 - 15:15 (45m) in Morning"},
        {0, 1, named.GetKey(), 1, "8:05am", "2:30pm - 3:15pm (45m) in Morning"},
        {1, 1, named.GetKey(), 0, "08:05", "14:30 - 15:15 (45m)"},
        {1, 0, named.GetKey(), 1, "08:05", "14:30 - 15:15 (45m)"},
        {1, 1, unnamed.GetKey(), 1, "08:05", "14:30 - 15:15 (45m)"},
        {1, 1, 987654, 1, "08:05", "14:30 - 15:15 (45m)"},
    };
    for (const Case& c : a_cases) {
        TestGrid grid;
        grid.Set24Hour(c.b24);
        if (c.bSetCombinations)
            grid.SetCombinations(combinations);
        slot.SetCombinationKey(c.lKey);
        EXPECT_EQ(grid.FormatTime(At(8, 5)), c.pTime);
        EXPECT_EQ(grid.FormatTimeslot(slot, c.bWithCombination), c.pSlot);
    }
    TestGrid grid12;
    grid12.Set24Hour(0);
    EXPECT_EQ(grid12.FormatTime(At(14, 30)), "2:30pm");
    EXPECT_EQ(grid12.FormatTime(At(0, 0)), "12:00am");
}

TEST_F(LayoutTest, PointsAndTimes)
{
    Build(2);
    // 16 pixels below the 08:00 line: one step of 5 minutes and 6 pixels
    // of 10, 180 s, to the nearest minute: 08:08; rounded to 5: 08:05.
    const CPoint pt(100, Y(8, 0) + 16);
    EXPECT_EQ(Grid.PointToTimeOfDay(pt, FALSE, FALSE), At(8, 8));
    EXPECT_EQ(Grid.PointToTimeOfDay(pt, FALSE, TRUE), At(8, 5));
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(100, Y(9, 15)), FALSE, FALSE), At(9, 15)) << "on a line: its time";
    CPoint pt_time;
    ASSERT_TRUE(Grid.TimeToPoint(At(8, 7, 30), pt_time));
    EXPECT_EQ(pt_time.y, Y(8, 0) + 16) << "32 x 450 / 900";

    struct Case {
        ZelOleDateTime dtTime;
        LONG iY;
    } const a_times[] = {
        {At(9, 0), Y(9, 0)},
        {At(10, 0), Y(10, 0)},
        {At(7, 59), Y(8, 0) - 10}, // before the range: at least a step above
        {At(7, 55), Y(8, 0) - 10},
        {At(7, 52), Y(8, 0) - 20}, // in whole steps
        {At(10, 1), Y(10, 0) + 10}, // after the last line, in whole steps
        {At(9, 0, 0, 1), Y(9, 0)},  // another day's time, by its time of day
    };
    for (const Case& c : a_times) {
        ASSERT_TRUE(Grid.TimeToPoint(c.dtTime, pt_time));
        EXPECT_EQ(pt_time.y, c.iY) << c.dtTime.FormatHHMM();
    }
    EXPECT_FALSE(Grid.TimeToPoint(ZelOleDateTime(), pt_time));

    // Above the first line the time moves in whole steps.
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(100, Y(8, 0) - 1), FALSE, FALSE), At(7, 55));
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(100, Y(8, 0) - 11), FALSE, FALSE), At(7, 50));
    // Left of the area: nothing, or the display end when asked.
    EXPECT_TRUE(Grid.PointToTimeOfDay(CPoint(20, 100), FALSE, FALSE).IsNull());
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(20, 100), TRUE, FALSE), At(10, 0));
    // Below the last line: from the last line with b_outside only.
    EXPECT_TRUE(Grid.PointToTimeOfDay(CPoint(100, Y(10, 0) + 20), FALSE, FALSE).IsNull());
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(100, Y(10, 0) + 20), TRUE, FALSE), At(10, 10));

    // With a coarse resolution chosen and automatic finer steps off.
    ZelTimeslotGrid::Settings().dtsUserResolution = Minutes(10);
    ZelTimeslotGrid::Settings().bUserAutoResolution = 0;
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(100, Y(8, 15) + 16), FALSE, TRUE), At(8, 20));
    ZelTimeslotGrid::Settings().bUserAutoResolution = 1;
    EXPECT_EQ(Grid.PointToTimeOfDay(CPoint(100, Y(8, 15) + 16), FALSE, TRUE), At(8, 20))
        << "the step (5 minutes) is finer: 08:23 rounds to 08:20";
}

TEST_F(LayoutTest, ColumnsUnderPointsAndTheGapBetweenThem)
{
    Host.rcClient = CRect(0, 0, 400, 400);
    Build(2, 2);
    CRect rc_first, rc_second;
    ASSERT_TRUE(Grid.SetToRect(0, 1, rc_first));
    ASSERT_TRUE(Grid.SetToRect(1, 0, rc_second));
    ASSERT_LT(rc_first.right, rc_second.left) << "the days' double line leaves a gap";
    const CPoint pt_gap(rc_first.right, 100);
    EXPECT_EQ(Grid.PointToSet(pt_gap, FALSE), -1);
    EXPECT_EQ(Grid.PointToSet(pt_gap, TRUE), 1) << "the gap counts as the column on its left";
    EXPECT_EQ(Grid.PointToSet(CPoint(rc_second.left, 100), TRUE), 2);

    int i_day = -1, i_set = -1;
    // Two sets add a row of set names: the lines lie lower than on the
    // standard grid.
    const ZelOleDateTime dt = Grid.PrecisePointToDayTime(CPoint(rc_second.left + 2, Grid.GetLineY(4)), &i_day, &i_set);
    EXPECT_EQ(i_day, 1);
    EXPECT_EQ(i_set, 0);
    EXPECT_EQ(dt, At(9, 0, 0, 1)) << "the time on that day's line";
    EXPECT_TRUE(Grid.PrecisePointToDayTime(pt_gap, &i_day, &i_set).IsNull()) << "no set under the point";
    EXPECT_FALSE(Grid.IsPointInTimeslotArea(CPoint(100, 5))) << "the header";
    EXPECT_FALSE(Grid.IsPointInTimeslotArea(CPoint(10, 100))) << "the labels";
    EXPECT_TRUE(Grid.IsPointInTimeslotArea(CPoint(100, 100)));
}

TEST_F(LayoutTest, SlotRectanglesShapesAndCombinationInsets)
{
    Build();
    // 9 minutes from a line are 19.2 pixels, 9.5 minutes 20.3.
    Grid.GetTimeslotList(0, 0).Add(ZelTimeslot(At(8, 0), Seconds(540), 0, 0));
    Grid.GetTimeslotList(0, 0).Add(ZelTimeslot(At(8, 30), Seconds(570), 0, 0));
    Grid.Put(0, 0, At(9, 0), 60);
    CRect rc, rc_top, rc_middle, rc_bottom;
    EXPECT_FALSE(Grid.GetSlotShape(0, 0, 0, rc, rc_top, rc_middle, rc_bottom, FALSE, nullptr));
    EXPECT_EQ(rc.Height(), 19);
    EXPECT_TRUE(rc_top.IsRectEmpty() && rc_bottom.IsRectEmpty());
    EXPECT_TRUE(Grid.GetSlotShape(0, 0, 1, rc, rc_top, rc_middle, rc_bottom, FALSE, nullptr));
    EXPECT_EQ(rc.Height(), 20);

    ASSERT_TRUE(Grid.GetSlotShape(0, 0, 2, rc, rc_top, rc_middle, rc_bottom, FALSE, nullptr));
    EXPECT_EQ(rc, CRect(39, Y(9, 0), 600, Y(10, 0)));
    EXPECT_EQ(rc_top, CRect(39, Y(9, 0), 600, Y(9, 0) + 32));
    EXPECT_EQ(rc_bottom, CRect(39, Y(10, 0) - 32, 600, Y(10, 0)));
    EXPECT_EQ(rc_middle, CRect(39 + 140, Y(9, 0) + 32 - 1, 600 - 140, Y(10, 0) - 32 + 2));

    // Combined slots are inset, and a run of one combination forms one
    // block: no inset where two of them meet.
    Grid.GetTimeslotList(0, 0)[1].SetCombinationKey(5);
    Grid.GetTimeslotList(0, 0)[2].SetCombinationKey(5);
    CRect rc_plain;
    Grid.GetSlotRect(0, 0, 1, rc_plain, FALSE);
    Grid.GetSlotRect(0, 0, 1, rc, TRUE);
    EXPECT_EQ(rc, CRect(rc_plain.left + 4, rc_plain.top + 4, rc_plain.right - 4, rc_plain.bottom));
    Grid.GetSlotRect(0, 0, 2, rc_plain, FALSE);
    Grid.GetSlotRect(0, 0, 2, rc, TRUE);
    EXPECT_EQ(rc, CRect(rc_plain.left + 4, rc_plain.top, rc_plain.right - 4, rc_plain.bottom - 4));
    Grid.GetTimeslotList(0, 0)[0].SetCombinationKey(9);
    Grid.GetSlotRect(0, 0, 0, rc_plain, FALSE);
    Grid.GetSlotRect(0, 0, 0, rc, TRUE);
    EXPECT_EQ(rc, CRect(rc_plain.left + 4, rc_plain.top + 4, rc_plain.right - 4, rc_plain.bottom - 4));

    EXPECT_THROW(Grid.GetSlotRect(0, 0, 3, rc, FALSE), ZelAssertException);
}

TEST_F(LayoutTest, DisplayRangeFromSlotsAndHours)
{
    Build();
    // No slots: the hours asked for.
    Grid.SetDisplayStart(FALSE, 9, 0);
    EXPECT_EQ(Grid.GetDisplayStart(), At(9, 0));
    // A slot from 08:30 keeps the start where it is.
    Grid.Put(0, 0, At(8, 30), 60);
    Grid.SetDisplayStart(FALSE, 7, 0);
    EXPECT_EQ(Grid.GetDisplayStart(), At(7, 0));
    Grid.SetDisplayStart(TRUE, 9, 0);
    EXPECT_EQ(Grid.GetDisplayStart(), At(7, 0)) << "08:30 would be cut off";
    Grid.GetTimeslotList(0, 0).RemoveAll();
    Grid.Put(0, 0, At(10, 0), 60);
    Grid.SetDisplayStart(TRUE, 9, 0);
    EXPECT_EQ(Grid.GetDisplayStart(), At(9, 0));
    Grid.SetDisplayEnd(FALSE, 10, 30);
    EXPECT_EQ(Grid.GetDisplayEnd(), At(10, 0)) << "the slot ends at 11:00: unchanged";
    Grid.SetDisplayEnd(FALSE, 12, 0);
    EXPECT_EQ(Grid.GetDisplayEnd(), At(12, 0));

    // Negative hours take the slots' own range, whatever day they are on.
    Grid.Put(0, 0, At(6, 15), 30);
    Grid.SetDisplayStart(FALSE, -1, 0);
    EXPECT_EQ(Grid.GetDisplayStart(), At(6, 15));
    Grid.SetDisplayEnd(TRUE, -1, -1);
    EXPECT_EQ(Grid.GetDisplayEnd(), At(11, 0));
}

TEST_F(LayoutTest, IdealSpacingFollowsTheShortestSlot)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 45);
    Grid.Put(0, 0, At(9, 0), 20);
    Grid.SetIdealSpacing(FALSE);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(20));
    Grid.Put(0, 0, At(9, 30), 2);
    Grid.SetIdealSpacing(FALSE);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(20)) << "finer is ignored unless any spacing goes";
    Grid.SetIdealSpacing(TRUE);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(5)) << "never below five minutes";
}

TEST_F(LayoutTest, ScrollingClampsAndMovesTheLayout)
{
    Build(1, 1, 0, 23);
    ZelScrollInfo vert;
    ASSERT_TRUE(Host.GetScrollInfo(SB_VERT, vert));
    const int i_max_pos = vert.nMax - static_cast<int>(vert.nPage) + 1;
    const LONG y_first = Grid.GetLineY(0);

    Grid.ScrollBy(0, 50);
    EXPECT_TRUE(Host.vScrolled.empty()) << "already at the top";
    Grid.OnVScroll(SB_LINEDOWN, 0);
    ASSERT_TRUE(Host.GetScrollInfo(SB_VERT, vert));
    EXPECT_EQ(vert.nPos, 32);
    EXPECT_EQ(Grid.GetLineY(0), y_first - 32) << "the lines move with the view";
    Grid.OnVScroll(SB_BOTTOM, 0);
    ASSERT_TRUE(Host.GetScrollInfo(SB_VERT, vert));
    EXPECT_EQ(vert.nPos, i_max_pos) << "clamped to the last page";
    Grid.OnVScroll(SB_THUMBTRACK, 100);
    ASSERT_TRUE(Host.GetScrollInfo(SB_VERT, vert));
    EXPECT_EQ(vert.nPos, 100);
    EXPECT_EQ(Grid.GetLineY(0), y_first - 100);

    // A time below the view is scrolled to, one pixel inside its bottom.
    const int i_scrolls = static_cast<int>(Host.vScrolled.size());
    EXPECT_TRUE(Grid.EnsureVisible(At(22, 0), 0, -1, FALSE));
    EXPECT_GT(static_cast<int>(Host.vScrolled.size()), i_scrolls);
    EXPECT_EQ(Grid.IsVisible(At(22, 0), FALSE), 0);
    EXPECT_FALSE(Grid.EnsureVisible(At(22, 0), 0, -1, FALSE));
}

TEST_F(LayoutTest, WheelScrollsZoomsOncePerThreeHundredMillisecondsAndGoesSidewaysWithoutABar)
{
    Build(1, 1, 0, 23);
    ZelScrollInfo vert;
    Grid.OnMouseWheel(0, -120, CPoint(100, 100), 1000);
    ASSERT_TRUE(Host.GetScrollInfo(SB_VERT, vert));
    EXPECT_EQ(vert.nPos, 32) << "one line pitch a notch";

    // Ctrl + wheel away from the user zooms out; another notch within
    // 300 ms is ignored; a time before the last (a wrapped counter) only
    // starts the count again.
    const ZelOleDateTimeSpan dts_before = Grid.GetSpacing();
    Grid.OnMouseWheel(MK_CONTROL, 120, CPoint(100, 100), 1000);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(20));
    EXPECT_TRUE(Grid.HasZoomed());
    Grid.OnMouseWheel(MK_CONTROL, 120, CPoint(100, 100), 1200);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(20));
    Grid.OnMouseWheel(MK_CONTROL, -120, CPoint(100, 100), 500);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(20));
    Grid.OnMouseWheel(MK_CONTROL, -120, CPoint(100, 100), 801);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(10)) << "towards the user zooms in";
    EXPECT_NE(Grid.GetSpacing(), dts_before);

    // No vertical bar: a notch scrolls one column sideways.
    ZelTimeslotGrid::Settings().dtsPrevSpacing = Minutes(15);
    Grid.UsePrevSpacing(TRUE);
    Build(20, 1, 8, 10);
    ASSERT_FALSE(Grid.IsScrollBarVisible(SB_VERT));
    ZelScrollInfo horz;
    ASSERT_TRUE(Grid.IsScrollBarVisible(SB_HORZ));
    CRect rc_column;
    Grid.SetToRect(0u, rc_column);
    Grid.OnMouseWheel(0, -120, CPoint(100, 100), 5000);
    ASSERT_TRUE(Host.GetScrollInfo(SB_HORZ, horz));
    EXPECT_EQ(horz.nPos, rc_column.Width());
}

TEST_F(LayoutTest, ZoomStepsAndTheirEnds)
{
    Build(1, 1, 0, 23);
    struct Case {
        int iFrom;
        bool bIn;
        int iTo; // 0: refused
    } const a_cases[] = {
        {60, true, 30}, {30, true, 15}, {15, true, 10}, {10, true, 5}, {5, true, 0},
        {25, false, 30}, {30, false, 60}, {1440, false, 2880}, {2880, false, 0},
    };
    for (const Case& c : a_cases) {
        ZelTimeslotGrid::Settings().dtsPrevSpacing = Minutes(c.iFrom);
        Grid.UsePrevSpacing(TRUE);
        Grid.SetDisplayStart(FALSE, 0, 0);
        Grid.SetDisplayEnd(TRUE, 23, 0);
        // Zooming out needs the vertical bar: make the range long enough.
        if (!c.bIn && !Grid.IsScrollBarVisible(SB_VERT)) {
            Host.rcClient = CRect(0, 0, 600, 40);
            Grid.Recompute();
        }
        const int b_done = c.bIn ? Grid.ZoomIn() : Grid.ZoomOut(FALSE);
        EXPECT_EQ(b_done != 0, c.iTo != 0) << c.iFrom;
        EXPECT_EQ(Grid.GetSpacing(), Minutes(c.iTo ? c.iTo : c.iFrom)) << c.iFrom;
        if (c.iTo) {
            EXPECT_EQ(ZelTimeslotGrid::Settings().dtsPrevSpacing, Minutes(c.iTo)) << "the choice carries on";
        }
        Host.rcClient = CRect(0, 0, 600, 400);
    }
    // Everything shown: nothing to zoom out of.
    Build();
    EXPECT_FALSE(Grid.ZoomOut(FALSE));
}

// --- painting ---------------------------------------------------------

int IndexOf(const FakeDrawPort& port, const std::string& s_kind, COLORREF c = 0xFFFFFFFF)
{
    for (std::size_t i = 0; i < port.Ops.size(); ++i)
        if (port.Ops[i].sKind == s_kind && (c == 0xFFFFFFFF || port.Ops[i].cColor == c))
            return static_cast<int>(i);
    return -1;
}

TEST_F(LayoutTest, PaintingOrderFromBackgroundToFocus)
{
    Build(1, 2);
    Grid.Put(0, 0, At(8, 30), 60);
    Grid.Put(0, 1, At(9, 0), 30);
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.GetTimeslotList(0, 0)[0].SetFocus(TRUE);
    Grid.OnSetFocus();
    Grid.Recompute();

    FakeDrawPort port;
    Grid.Paint(port, Host.rcClient);
    const COLORREF c_header = ZelDefaultSysColor(ZelSys::COLOR_MENU);
    const COLORREF c_work = ZelDefaultSysColor(ZelSys::COLOR_WINDOW);
    const std::vector<int> v_order = {
        IndexOf(port, "fill", c_header),                                 // the corner
        IndexOf(port, "fill", c_work),                                   // the work area
        IndexOf(port, "edge"),                                           // slots
        IndexOf(port, "text"),                                           // the day's name
        IndexOf(port, "line", ZelDefaultSysColor(ZelSys::COLOR_3DDKSHADOW)), // borders
        IndexOf(port, "frame"),                                          // selection
        IndexOf(port, "focus"),                                          // focus mark
    };
    for (std::size_t i = 0; i < v_order.size(); ++i)
        ASSERT_GE(v_order[i], 0) << i;
    EXPECT_TRUE(std::is_sorted(v_order.begin(), v_order.end()));
    EXPECT_EQ(port.Ops[0].rc, Grid.GetCornerRect());
    EXPECT_EQ(port.Ops[1].sKind, "exclude") << "the corner leaves the clip at once";
    EXPECT_EQ(port.Of("exclude").size(), 4u) << "corner, area bottom, headers, labels";
    EXPECT_EQ(port.Of("frame").size(), 3u) << "one selected slot: three nested outlines";
    EXPECT_EQ(port.Of("edge").size(), 6u) << "two slots of three parts";
    EXPECT_TRUE(ZelTimeslotGrid::HasBeenDisplayed());

    // Slot texts in the timeslot font (four fifths of 10 points): start,
    // end and length.
    std::vector<std::string> v_texts;
    for (const FakeDrawOp& op : port.Of("text"))
        if (op.iPoints == 8)
            v_texts.push_back(op.sText);
    EXPECT_EQ(v_texts, (std::vector<std::string>{"08:30", "09:30", "1h", "09:00", "09:30", "30m"}));
}

TEST_F(LayoutTest, PaintingStaysWithinTheUpdateRectangle)
{
    Host.rcClient = CRect(0, 0, 600, 400);
    Build(3, 1);
    for (int d = 0; d < 3; ++d)
        Grid.Put(d, 0, At(8, 30), 30);
    Grid.Put(0, 0, At(9, 30), 15);
    Grid.Recompute();
    CRect rc_day1;
    ASSERT_TRUE(Grid.DayToRect(1, rc_day1));
    // Only the middle of day 1, below the headers and right of the labels.
    const CRect rc_update(rc_day1.left + 5, Y(8, 15), rc_day1.right - 5, Y(9, 15));
    FakeDrawPort port;
    Grid.Paint(port, rc_update);
    ASSERT_FALSE(port.Ops.empty());
    for (const FakeDrawOp& op : port.Ops) {
        if (op.sKind == "exclude")
            continue;
        CRect rc = op.rc;
        if (op.sKind == "line") // a point's extent
            rc.InflateRect(0, 0, 1, 1);
        EXPECT_TRUE(rc.Meets(rc_update)) << op.sKind << " " << op.sText << " at " << rc.left << "," << rc.top;
    }
    EXPECT_EQ(port.Of("edge").size(), 3u) << "day 1's slot only";
    for (const FakeDrawOp& op : port.Of("fill")) {
        if (op.cColor == ZelDefaultSysColor(ZelSys::COLOR_WINDOW)) {
            EXPECT_EQ(op.rc, rc_update) << "the work area is filled only where asked";
        }
    }
}

TEST_F(LayoutTest, ColoursFromTheParentAndTheReadOnlyAndDisabledLooks)
{
    Build();
    Grid.Put(0, 0, At(8, 30), 60);
    Grid.Recompute();
    Host.lColorAnswer = ZelRGB(200, 10, 10);
    Host.vCodes.clear();
    FakeDrawPort port;
    Grid.Paint(port, Host.rcClient);
    EXPECT_GE(IndexOf(port, "fill", ZelRGB(200, 10, 10)), 0) << "the parent's slot colour";
    EXPECT_EQ(Host.Count(ZTSN_SLOTCOLOR), 1);
    EXPECT_EQ(Host.Count(ZTSN_SLOTTEXTCOLOR), 1) << "asked once per drawn slot text";
    for (const FakeDrawOp& op : port.Of("text")) {
        if (op.iPoints == 8) {
            EXPECT_EQ(op.cColor, ZelRGB(200, 10, 10));
        }
    }

    Host.lColorAnswer = -1;
    Grid.SetReadOnly(TRUE);
    FakeDrawPort read_only;
    Grid.Paint(read_only, Host.rcClient);
    EXPECT_GE(IndexOf(read_only, "fill", ZelDefaultSysColor(ZelSys::COLOR_BACKGROUND)), 0);
    EXPECT_EQ(IndexOf(read_only, "fill", ZelDefaultSysColor(ZelSys::COLOR_WINDOW)), -1);
    EXPECT_EQ(read_only.Of("edge").size(), 3u) << "a read-only grid shows its slots";

    Grid.SetReadOnly(FALSE);
    Host.bEnabled = FALSE;
    FakeDrawPort disabled;
    Grid.Paint(disabled, Host.rcClient);
    EXPECT_GE(IndexOf(disabled, "fill", ZelDefaultSysColor(ZelSys::COLOR_BACKGROUND)), 0);
    EXPECT_TRUE(disabled.Of("edge").empty()) << "a disabled grid shows no slots";
}

TEST_F(LayoutTest, SelectionAndCombinationFramesJoinNeighbours)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 30);
    Grid.Put(0, 0, At(8, 30), 30);
    Grid.Put(0, 0, At(9, 15), 30);
    for (int i = 0; i < 3; ++i)
        Grid.GetTimeslotList(0, 0)[i].Select(true);
    Grid.Recompute();
    FakeDrawPort port;
    Grid.Paint(port, Host.rcClient);
    EXPECT_EQ(port.Of("frame").size(), 6u) << "two touching slots framed as one block, and the third";
    EXPECT_EQ(port.Of("frame")[0].rc, CRect(39, Y(8, 0), 600, Y(9, 0)));

    // Two neighbours of one combination get one dotted frame; a lone
    // member its own.
    ZelTimeslotCombinationList combinations;
    combinations.Add(ZelTimeslotCombination("Pair"));
    combinations.Add(ZelTimeslotCombination("Single"));
    Grid.SetCombinations(combinations);
    Grid.GetTimeslotList(0, 0)[0].SetCombinationKey(combinations[0].GetKey());
    Grid.GetTimeslotList(0, 0)[1].SetCombinationKey(combinations[0].GetKey());
    Grid.GetTimeslotList(0, 0)[2].SetCombinationKey(combinations[1].GetKey());
    FakeDrawPort combined;
    Grid.Paint(combined, Host.rcClient);
    std::vector<CRect> v_bands;
    for (const FakeDrawOp& op : combined.Of("fill"))
        if (op.eBrush == ZelBrush::bkPattern && op.cColor == ZelDefaultSysColor(ZelSys::COLOR_WINDOW))
            v_bands.push_back(op.rc);
    ASSERT_EQ(v_bands.size(), 8u);
    EXPECT_EQ(v_bands[0], CRect(39, Y(8, 0), 600, Y(8, 0) + 4)) << "the pair's top band";
    EXPECT_EQ(v_bands[1], CRect(39, Y(9, 0) - 4, 600, Y(9, 0))) << "and its bottom band, one block";
}

TEST_F(LayoutTest, HoursOfOtherDaysAndUnavailableTimes)
{
    Build(2, 1, 0, 23);
    Grid.SetDisplayStart(FALSE, -1, -1);
    Grid.Put(0, 0, At(-2, 0), 60); // 22:00 the evening before
    Grid.SetDisplayStart(FALSE, -1, -1);
    Grid.SetDisplayEnd(TRUE, 23, 0);
    ZelRelTimeslotArray a_before;
    a_before.Add(ZelRelTimeslot(Minutes(20 * 60), Minutes(5 * 60), -1)); // ends 01:00
    Grid.SetStartLimit(1, a_before);
    Host.rcClient = CRect(0, 0, 600, 2000);
    Grid.Recompute();
    FakeDrawPort port;
    Grid.Paint(port, Host.rcClient);
    CPoint pt_midnight, pt_limit;
    ASSERT_TRUE(Grid.TimeToPoint(At(0, 0), pt_midnight));
    ASSERT_TRUE(Grid.TimeToPoint(At(1, 0, 0, 1), pt_limit));
    int n_shaded = 0, n_hatched = 0;
    for (const FakeDrawOp& op : port.Of("fill")) {
        if (op.eBrush == ZelBrush::bkPattern && op.cColor == ZelDefaultSysColor(ZelSys::COLOR_BTNTEXT)) {
            ++n_shaded;
            EXPECT_EQ(op.rc.bottom, pt_midnight.y) << "the previous evening, above midnight";
        }
        if (op.eBrush == ZelBrush::bkDiagCross) {
            ++n_hatched;
            EXPECT_EQ(op.rc.bottom, pt_limit.y) << "day 1 before its start limit";
        }
    }
    EXPECT_EQ(n_shaded, 2) << "both days' columns";
    EXPECT_EQ(n_hatched, 1);
    EXPECT_GE(IndexOf(port, "line", ZelDefaultSysColor(ZelSys::COLOR_INFOBK)), 0) << "the midnight line";
}

} // namespace
