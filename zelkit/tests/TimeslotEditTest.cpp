// Editing the timeslot grid through the fake window: clicks, selection,
// keys, moves, resizes, deletes, undo and redo, the tip's timing and
// auto-scroll.
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/tests/TimeslotGridFixture.h"

#include <string>
#include <vector>

namespace {

using EditTest = TimeslotGridFixture;

std::vector<std::string> Starts(const ZelTimeslotList& list)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.GetCount(); ++i)
        v.push_back(list[i].GetStart().FormatHHMM() + (list[i].IsSelected() ? "*" : ""));
    return v;
}

TEST_F(EditTest, AClickOnEmptyTimeAddsASlotAtTheRoundedTime)
{
    Build();
    Grid.OnLButtonDown(0, CPoint(100, Y(8, 0) + 16));
    ASSERT_EQ(Grid.GetTimeslotList(0, 0).GetCount(), 1);
    const ZelTimeslot& slot = Grid.Slot(0, 0, 0);
    EXPECT_EQ(slot.GetStart(), At(8, 5)) << "08:08 rounded to five minutes";
    EXPECT_EQ(slot.GetLengthSpan(), Minutes(30)) << "the new-slot length";
    EXPECT_TRUE(slot.HasFocus());
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);
    EXPECT_EQ(Grid.GetUndoCount(), 1);
    EXPECT_TRUE(Host.bFocus) << "the click takes the keyboard focus";

    // Outside the area: nothing, not even a beep.
    Grid.OnLButtonDown(0, CPoint(10, 100));
    Grid.OnLButtonDown(0, CPoint(100, 5));
    EXPECT_EQ(Host.nBeeps, 0);

    Grid.SetReadOnly(TRUE);
    Grid.OnLButtonDown(0, CPoint(100, Y(9, 0) + 2));
    EXPECT_EQ(Grid.GetTimeslotList(0, 0).GetCount(), 1);
    EXPECT_EQ(Host.nBeeps, 1) << "a read-only grid refuses";
}

TEST_F(EditTest, ARefusedClickSaysWhyInTheTipAndLeavesTheUndoStore)
{
    Build(2);
    Grid.Put(0, 0, At(9, 0), 60);
    ZelRelTimeslotArray a_before;
    a_before.Add(ZelRelTimeslot(Minutes(20 * 60), Minutes(13 * 60), -1)); // ends 09:00
    Grid.SetStartLimit(1, a_before);
    Grid.Recompute();
    CRect rc_day1;
    ASSERT_TRUE(Grid.DayToRect(1, rc_day1));
    struct Case {
        const char* pName;
        CPoint pt;
        const char* pTip;
    } const a_cases[] = {
        {"overlap", CPoint(60, Y(8, 45)), "Timeslot overlaps with another timeslot."},
        {"before the limit", CPoint(rc_day1.left + 5, Y(8, 15)), "Timeslot would exceed the maximum day length."},
    };
    for (const Case& c : a_cases) {
        const int n_beeps = Host.nBeeps;
        Grid.OnLButtonDown(0, c.pt);
        EXPECT_EQ(Host.nBeeps, n_beeps + 1) << c.pName;
        EXPECT_TRUE(Host.bTip) << c.pName;
        EXPECT_EQ(Host.sTip, c.pTip) << c.pName;
        EXPECT_EQ(Grid.GetUndoCount(), 0) << c.pName;
        EXPECT_EQ(Grid.CountSlots(), 1) << c.pName;
    }
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 0);
}

TEST_F(EditTest, CtrlTogglesAndShiftSelectsTheRangeAcrossColumns)
{
    Host.rcClient = CRect(0, 0, 600, 800);
    Build(2, 2, 7, 13);
    Grid.Put(0, 0, At(8, 0), 240);  // encloses the whole range: stays out
    Grid.Put(0, 1, At(9, 0), 60);   // the anchor
    Grid.Put(0, 1, At(10, 30), 30);
    Grid.Put(1, 0, At(11, 30, 0, 1), 30); // starts at the range's end: out
    Grid.Put(1, 1, At(11, 0, 0, 1), 30);  // clicked
    Grid.Put(1, 1, At(10, 45, 0, 1), 15);
    Grid.Recompute();

    Grid.OnLButtonDown(0, Grid.Centre(0, 1, 0));
    EXPECT_TRUE(Grid.Slot(0, 1, 0).IsSelected());
    EXPECT_EQ(Host.Count(ZTSN_SELCHANGED), 1);
    Grid.OnLButtonDown(MK_SHIFT, Grid.Centre(1, 1, 1));
    EXPECT_EQ(Starts(Grid.GetTimeslotList(0, 0)), (std::vector<std::string>{"08:00"}));
    EXPECT_EQ(Starts(Grid.GetTimeslotList(0, 1)), (std::vector<std::string>{"09:00*", "10:30*"}));
    EXPECT_EQ(Starts(Grid.GetTimeslotList(1, 0)), (std::vector<std::string>{"11:30"}));
    EXPECT_EQ(Starts(Grid.GetTimeslotList(1, 1)), (std::vector<std::string>{"10:45*", "11:00*"}));
    int d, s, i;
    Grid.GetSelectionAnchor(d, s, i);
    EXPECT_EQ(d * 100 + s * 10 + i, 111) << "the anchor moves to the clicked slot";

    // Ctrl toggles one slot and keeps the others.
    Grid.OnLButtonDown(MK_CONTROL, Grid.Centre(0, 1, 1));
    EXPECT_FALSE(Grid.Slot(0, 1, 1).IsSelected());
    EXPECT_TRUE(Grid.Slot(0, 1, 0).IsSelected());
    Grid.OnLButtonDown(MK_CONTROL, Grid.Centre(0, 1, 1));
    EXPECT_TRUE(Grid.Slot(0, 1, 1).IsSelected());
    // A plain click selects only its slot.
    Grid.OnLButtonDown(0, Grid.Centre(1, 0, 0));
    EXPECT_EQ(Grid.CountSelected(), 1);
    EXPECT_EQ(Grid.GetUndoCount(), 0) << "selecting is no edit";
}

TEST_F(EditTest, ArrowsMoveTheSelectionAndARefusedMoveRestoresEverything)
{
    Build(2);
    Grid.Put(0, 0, At(8, 0), 30, 41);
    Grid.Put(0, 0, At(9, 0), 30, 42);
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.Recompute();

    EXPECT_TRUE(Grid.PreTranslateKey(VK_RIGHT, 0));
    ASSERT_EQ(Grid.GetTimeslotList(1, 0).GetCount(), 1);
    EXPECT_EQ(Grid.Slot(1, 0, 0).GetStart(), At(8, 0, 0, 1)) << "the same time on the next day";
    EXPECT_EQ(Grid.Slot(1, 0, 0).GetItemData(), 41u) << "a move keeps the item data";
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);
    // In the last column: it stays, and counts as a move.
    EXPECT_TRUE(Grid.PreTranslateKey(VK_RIGHT, 0));
    EXPECT_EQ(Grid.GetTimeslotList(1, 0).GetCount(), 1);
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 2);
    EXPECT_TRUE(Grid.PreTranslateKey(VK_DOWN, 0));
    EXPECT_EQ(Grid.Slot(1, 0, 0).GetStart(), At(8, 5, 0, 1)) << "one step later";
    EXPECT_EQ(Grid.GetUndoCount(), 3);

    // Two selected slots, one of which collides: nothing moves.
    Grid.Put(0, 0, At(8, 0), 30);
    Grid.GetTimeslotList(0, 0)[1].Select(true); // 08:00 of day 0 is slot 0 now
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.Put(1, 0, At(9, 0), 30);
    const ZelTimeslotGrid::DayArray before = Grid.GetDays();
    const int n_undo = Grid.GetUndoCount();
    EXPECT_TRUE(Grid.PreTranslateKey(VK_RIGHT, 0));
    EXPECT_EQ(Host.nBeeps, 1);
    EXPECT_EQ(Grid.GetUndoCount(), n_undo) << "the snapshot is dropped";
    for (int d = 0; d < 2; ++d)
        EXPECT_EQ(Starts(Grid.GetTimeslotList(d, 0)), Starts(before[d][0])) << d;

    Grid.SetReadOnly(TRUE);
    EXPECT_TRUE(Grid.PreTranslateKey(VK_LEFT, 0));
    EXPECT_EQ(Host.nBeeps, 2);
}

TEST_F(EditTest, CtrlUpAndDownResizeFromTheStart)
{
    Build();
    Grid.Put(0, 0, At(9, 0), 30);
    Grid.Put(0, 0, At(9, 40), 5);
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.Recompute();
    EXPECT_TRUE(Grid.PreTranslateKey(VK_UP, KM_CONTROL));
    EXPECT_EQ(Grid.Slot(0, 0, 0).GetStart(), At(8, 55));
    EXPECT_EQ(Grid.Slot(0, 0, 0).GetLengthSpan(), Minutes(35)) << "one step longer at its start";
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);

    Grid.GetTimeslotList(0, 0)[0].Select(false);
    Grid.GetTimeslotList(0, 0)[1].Select(true);
    const int n_undo = Grid.GetUndoCount();
    EXPECT_TRUE(Grid.PreTranslateKey(VK_DOWN, KM_CONTROL));
    EXPECT_EQ(Grid.Slot(0, 0, 1).GetLengthSpan(), Minutes(5)) << "one step long: unchanged";
    EXPECT_EQ(Host.nBeeps, 1);
    EXPECT_EQ(Grid.GetUndoCount(), n_undo);
    EXPECT_FALSE(Grid.PreTranslateKey(VK_LEFT, KM_CONTROL)) << "not a resize key";
}

TEST_F(EditTest, TabWalksTheSlotsAndLetsGoAtTheEnds)
{
    Build(3, 2);
    Grid.Put(0, 0, At(8, 0), 30);
    Grid.Put(0, 0, At(9, 0), 30);
    Grid.Put(2, 1, At(8, 30), 30); // columns in between are empty
    Grid.Recompute();
    EXPECT_FALSE(Grid.PreTranslateKey(VK_TAB, 0)) << "no focus slot yet";
    Grid.SetFocus(0, 0, 0);
    int d, s, i;
    EXPECT_TRUE(Grid.PreTranslateKey(VK_TAB, 0));
    Grid.FindFocus(d, s, i);
    EXPECT_EQ(d * 100 + s * 10 + i, 1);
    EXPECT_TRUE(Grid.PreTranslateKey(VK_TAB, 0));
    Grid.FindFocus(d, s, i);
    EXPECT_EQ(d * 100 + s * 10 + i, 210) << "empty columns are skipped";
    EXPECT_FALSE(Grid.PreTranslateKey(VK_TAB, 0)) << "past the last slot: the dialog's turn";
    EXPECT_TRUE(Grid.PreTranslateKey(VK_TAB, KM_SHIFT));
    Grid.FindFocus(d, s, i);
    EXPECT_EQ(d * 100 + s * 10 + i, 1);
    EXPECT_EQ(Host.iRedrawOff, 0) << "redraw suspensions are balanced";

    // Space selects the focus slot; Escape unselects everything.
    EXPECT_TRUE(Grid.PreTranslateKey(VK_SPACE, 0));
    EXPECT_TRUE(Grid.Slot(0, 0, 1).IsSelected());
    EXPECT_TRUE(Grid.PreTranslateKey(VK_ESCAPE, 0));
    EXPECT_EQ(Grid.CountSelected(), 0);
    EXPECT_EQ(Host.Count(ZTSN_SELCHANGED), 2);
    EXPECT_FALSE(Grid.PreTranslateKey('Q', 0)) << "not the grid's key";
}

TEST_F(EditTest, UndoAndRedoStacks)
{
    Build();
    Grid.PreTranslateKey('Z', KM_CONTROL);
    EXPECT_EQ(Host.nBeeps, 1) << "nothing to undo";
    Grid.OnLButtonDown(0, CPoint(100, Y(8, 30)));
    Grid.OnLButtonDown(0, CPoint(100, Y(9, 30)));
    ASSERT_EQ(Grid.CountSlots(), 2);
    Grid.PreTranslateKey('Z', KM_CONTROL);
    EXPECT_EQ(Grid.CountSlots(), 1);
    Grid.PreTranslateKey('Z', KM_CONTROL);
    EXPECT_EQ(Grid.CountSlots(), 0);
    EXPECT_EQ(Grid.GetRedoCount(), 2);
    Grid.PreTranslateKey('Y', KM_CONTROL);
    EXPECT_EQ(Grid.CountSlots(), 1) << "redo returns to the edited state";
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 5) << "two adds, two undos, a redo";
    // A new edit ends the redo chain.
    Grid.OnLButtonDown(0, CPoint(100, Y(9, 30)));
    EXPECT_EQ(Grid.GetRedoCount(), 0);
    Grid.PreTranslateKey('Y', KM_CONTROL);
    EXPECT_EQ(Host.nBeeps, 2);
}

TEST_F(EditTest, DeletingMovesTheFocusAndNewSlotFindsRoom)
{
    Build(2);
    EXPECT_TRUE(Grid.PreTranslateKey(VK_DELETE, 0));
    EXPECT_EQ(Host.nBeeps, 1) << "nothing selected";

    EXPECT_TRUE(Grid.PreTranslateKey('N', KM_CONTROL));
    ASSERT_EQ(Grid.CountSlots(), 1);
    EXPECT_EQ(Grid.Slot(0, 0, 0).GetStart(), At(8, 0)) << "at the display start of the first column";
    EXPECT_TRUE(Grid.PreTranslateKey('N', KM_CONTROL));
    EXPECT_EQ(Grid.Slot(0, 0, 1).GetStart(), At(8, 30)) << "the next gap of the first column";
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 2);

    Grid.Put(1, 0, At(9, 0), 30);
    Grid.GetTimeslotList(0, 0)[1].Select(true);
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.SetFocus(0, 0, 1);
    Host.vCodes.clear();
    EXPECT_TRUE(Grid.PreTranslateKey(VK_DELETE, 0));
    EXPECT_EQ(Grid.GetTimeslotList(0, 0).GetCount(), 0);
    int d, s, i;
    ASSERT_TRUE(Grid.FindFocus(d, s, i));
    EXPECT_EQ(d, 1) << "the focus goes to the first column with slots";
    EXPECT_EQ(Host.vCodes, (std::vector<int>{ZTSN_SELCHANGED, ZTSN_CHANGED}));

    Grid.SetReadOnly(TRUE);
    EXPECT_TRUE(Grid.PreTranslateKey('N', KM_CONTROL));
    EXPECT_EQ(Host.nBeeps, 2);
}

TEST_F(EditTest, AddSlotChecksWindowsLimitsAndConsecutiveDays)
{
    Build(3, 2);
    EXPECT_EQ(Grid.AddSlot(3, 0, 9, 0, 1800, FALSE, FALSE), ZelTimeslotList::Invalid);
    EXPECT_EQ(Grid.AddSlot(0, 2, 9, 0, 1800, FALSE, FALSE), ZelTimeslotList::Invalid);
    EXPECT_EQ(Grid.AddSlot(0, 0, 23, 0, 2 * 3600, FALSE, FALSE), ZelTimeslotList::Added) << "to 01:00 next morning";
    EXPECT_EQ(Grid.AddSlot(0, 1, 9, 0, 1800, TRUE, FALSE), ZelTimeslotList::Added);
    EXPECT_EQ(Grid.GetTimeslotList(0, 1).GetCount(), 0) << "only a test";

    // Day 1 follows day 0: its early morning is day 0's late night. The
    // start limit that follows from it refuses the slot first; the clash
    // itself is found in every set of day 0.
    Grid.SetConsec(1, 1);
    EXPECT_EQ(Grid.AddSlot(1, 1, 0, 30, 1800, FALSE, FALSE), ZelTimeslotList::TooLong);
    EXPECT_EQ(Grid.AddSlot(1, 1, 1, 0, 1800, FALSE, FALSE), ZelTimeslotList::Added);
    EXPECT_TRUE(Grid.Overlaps(ZelTimeslot(At(0, 30, 0, 1), Minutes(30), 1, 0), 1, 1));
    EXPECT_FALSE(Grid.Overlaps(ZelTimeslot(At(1, 30, 0, 1), Minutes(30), 1, 0), 1, 1));
    // And day 1's evening reaches into day 2 when day 2 follows it.
    Grid.SetConsec(2, 1);
    Grid.GetTimeslotList(2, 1).Add(ZelTimeslot(At(-1, 0, 0, 2), Minutes(60), 1, 0)); // 23:00 the evening before
    EXPECT_TRUE(Grid.Overlaps(ZelTimeslot(At(22, 30, 0, 1), Minutes(60), 0, 0), 0, 1));
    EXPECT_FALSE(Grid.Overlaps(ZelTimeslot(At(11, 30, 0, 1), Minutes(60), 0, 0), 0, 1)) << "before noon";
    EXPECT_EQ(Grid.AddSlot(1, 0, 22, 30, 3600, FALSE, FALSE), ZelTimeslotList::TooLong);

    // The day may span 24 hours at most: its own slots limit it.
    EXPECT_EQ(Grid.AddSlot(0, 1, 0, 30, 1800, FALSE, FALSE), ZelTimeslotList::TooLong)
        << "00:30 is more than a day before 01:00 next morning";
}

TEST_F(EditTest, ResizeZonesAndAMouseResize)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 1); // about two pixels
    Grid.Put(0, 0, At(9, 0), 30);
    Grid.Recompute();
    CRect rc;
    Grid.GetSlotRect(0, 0, 0, rc);
    ASSERT_LE(rc.Height(), 4);
    EXPECT_FALSE(Grid.ResizePoint(rc.TopLeft(), rc, rc, nullptr, nullptr)) << "too small for resize zones";

    Grid.GetSlotRect(0, 0, 1, rc);
    CRect rc_top, rc_middle, rc_bottom;
    ASSERT_TRUE(Grid.GetSlotShape(0, 0, 1, rc, rc_top, rc_middle, rc_bottom, FALSE, nullptr));
    int i_edge = -1;
    EXPECT_TRUE(Grid.ResizePoint(CPoint(100, rc.top + 1), rc_top, rc_bottom, nullptr, &i_edge));
    EXPECT_EQ(i_edge, 1);
    EXPECT_TRUE(Grid.ResizePoint(CPoint(100, rc.bottom - 1), rc_top, rc_bottom, nullptr, &i_edge));
    EXPECT_EQ(i_edge, 0);
    EXPECT_FALSE(Grid.ResizePoint(CPoint(100, rc.CenterPoint().y), rc_top, rc_bottom, nullptr, &i_edge));

    // Press on the bottom edge, drag two steps down, let go.
    Grid.OnLButtonDown(0, CPoint(100, rc.bottom - 1));
    ASSERT_TRUE(Grid.IsResizing());
    EXPECT_EQ(Grid.GetUndoCount(), 1) << "the snapshot is taken when the resize starts";
    Grid.OnMouseMove(MK_LBUTTON, CPoint(100, rc.bottom + 20));
    EXPECT_EQ(Host.eCursor, ZelCursorKind::SizeNS);
    Grid.OnLButtonUp(0, CPoint(100, rc.bottom + 20));
    EXPECT_FALSE(Grid.IsResizing());
    EXPECT_EQ(Grid.Slot(0, 0, 1).GetLengthSpan(), Minutes(40));
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1) << "told once, when the button goes up";
    Grid.PreTranslateKey('Z', KM_CONTROL);
    EXPECT_EQ(Grid.Slot(0, 0, 1).GetLengthSpan(), Minutes(30));
}

TEST_F(EditTest, AutoScrollSpeedsUpNearTheEdge)
{
    Build(1, 1, 0, 23);
    CRect rc_display;
    Grid.GetDisplayRect(rc_display);
    struct Case {
        LONG iAbove; // pixels above the bottom edge
        int iDirection;
        DWORD uPeriod;
    } const a_cases[] = {{12, 0, 0}, {8, -1, 500}, {3, -1, 250}, {-2, -1, 125}};
    for (const Case& c : a_cases) {
        Host.Timers.clear();
        const CPoint pt(100, rc_display.bottom - c.iAbove);
        EXPECT_EQ(Grid.CheckVertAutoScroll(pt.y, nullptr), c.iDirection) << c.iAbove;
        Grid.OnTimer(ZelTimeslotGrid::uScrollTimer); // with the pointer elsewhere
        Host.ptCursor = pt;
        Host.uNow += 1000;
        ZelScrollInfo before, after;
        Host.GetScrollInfo(SB_VERT, before);
        Grid.OnTimer(ZelTimeslotGrid::uScrollTimer);
        Host.GetScrollInfo(SB_VERT, after);
        if (c.iDirection == 0) {
            EXPECT_EQ(after.nPos, before.nPos) << c.iAbove;
            EXPECT_FALSE(Host.TimerRuns(ZelTimeslotGrid::uScrollTimer)) << c.iAbove;
        } else {
            EXPECT_EQ(after.nPos, before.nPos + 32) << c.iAbove << ": a line later";
            EXPECT_EQ(Host.TimerPeriod(ZelTimeslotGrid::uScrollTimer), c.uPeriod) << c.iAbove;
            // Within the period the next tick waits.
            Grid.OnTimer(ZelTimeslotGrid::uScrollTimer);
            Host.GetScrollInfo(SB_VERT, before);
            EXPECT_EQ(before.nPos, after.nPos) << c.iAbove;
        }
    }
    EXPECT_EQ(Grid.CheckVertAutoScroll(rc_display.top + 2, nullptr), 1) << "near the top: earlier times";
}

TEST_F(EditTest, TheDisplayedRangeGrowsForSlotsAndAtTheEdges)
{
    Host.rcClient = CRect(0, 0, 600, 800);
    Build();
    // A slot added outside the range widens it by whole spacings.
    EXPECT_EQ(Grid.AddSlot(0, 0, 7, 10, 1800, FALSE, TRUE), ZelTimeslotList::Added);
    EXPECT_EQ(Grid.GetDisplayStart(), At(7, 0));
    EXPECT_EQ(Grid.AddSlot(0, 0, 10, 20, 1800, FALSE, TRUE), ZelTimeslotList::Added);
    EXPECT_EQ(Grid.GetDisplayEnd(), At(11, 0));

    // Without a bar to scroll, a pointer held at the bottom edge shows one
    // spacing more below each tick, and at the top one more above.
    ASSERT_FALSE(Grid.IsScrollBarVisible(SB_VERT));
    CRect rc_display;
    Grid.GetDisplayRect(rc_display);
    Host.ptCursor = CPoint(100, rc_display.bottom - 2);
    Grid.OnTimer(ZelTimeslotGrid::uScrollTimer);
    EXPECT_EQ(Grid.GetDisplayEnd(), At(11, 15));
    Host.ptCursor = CPoint(100, rc_display.top + 2);
    Host.uNow += 1000;
    Grid.OnTimer(ZelTimeslotGrid::uScrollTimer);
    EXPECT_EQ(Grid.GetDisplayStart(), At(6, 45));
    Grid.SetReadOnly(TRUE);
    Host.uNow += 1000;
    Grid.OnTimer(ZelTimeslotGrid::uScrollTimer);
    EXPECT_EQ(Grid.GetDisplayStart(), At(6, 45)) << "a read-only grid keeps its range";
}

TEST_F(EditTest, GrowingTheRangeUpwardsKeepsTheLinesWithTheScrollBar)
{
    // The layout is made at scroll position 0: after the range grows above
    // a view scrolled down, the lines must move by the position kept, or
    // the picture and the scroll bar part ways.
    Build(1, 1, 8, 23);
    Grid.Put(0, 0, At(8, 0), 30);
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.Recompute();
    Grid.OnVScroll(SB_THUMBTRACK, 100);
    EXPECT_TRUE(Grid.PreTranslateKey(VK_UP, 0));
    EXPECT_EQ(Grid.GetDisplayStart(), At(7, 45));
    ZelScrollInfo vert;
    ASSERT_TRUE(Host.GetScrollInfo(SB_VERT, vert));
    EXPECT_EQ(Grid.GetLineY(0), 30 - vert.nPos);
    CPoint pt;
    ASSERT_TRUE(Grid.TimeToPoint(At(7, 55), pt));
    CRect rc;
    Grid.GetSlotRect(0, 0, 0, rc);
    EXPECT_EQ(rc.top, pt.y);
}

TEST_F(EditTest, TheSelectionIsScrolledIntoViewItsStartWinning)
{
    Build(1, 1, 0, 23);
    Grid.Put(0, 0, At(20, 0), 30);
    Grid.Put(0, 0, At(21, 0), 30);
    Grid.GetTimeslotList(0, 0)[0].Select(true);
    Grid.GetTimeslotList(0, 0)[1].Select(true);
    Grid.Recompute();
    EXPECT_TRUE(Grid.MakeSelectionVisible(FALSE, FALSE));
    CRect rc_display, rc_first;
    Grid.GetDisplayRect(rc_display);
    Grid.GetSlotRect(0, 0, 0, rc_first);
    EXPECT_TRUE(rc_display.PtInRect(rc_first.TopLeft()));
    EXPECT_FALSE(Grid.MakeSelectionVisible(FALSE, FALSE)) << "in view already";

    // Zooming in until the smallest selected slot is 4 edges high.
    Grid.Put(0, 0, At(22, 0), 1);
    Grid.GetTimeslotList(0, 0)[2].Select(true);
    Grid.MakeSelectionVisible(TRUE, TRUE);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(5));
}

TEST_F(EditTest, ThePositionTipWaitsShowsAndExpires)
{
    Build();
    const CPoint pt(100, Y(8, 30) + 3);
    Host.ptCursor = pt;
    Grid.OnMouseMove(0, pt);
    EXPECT_EQ(Host.TimerPeriod(ZelTimeslotGrid::uTipTimer), 600u);
    EXPECT_FALSE(Host.bTip);
    Grid.OnTimer(ZelTimeslotGrid::uTipTimer);
    ASSERT_TRUE(Host.bTip);
    EXPECT_EQ(Host.sTip, "08:30") << "the rounded time under the pointer";
    EXPECT_EQ(Host.ptTip, CPoint(pt.x + 16, pt.y - 16)) << "beside the pointer by half a cursor";
    EXPECT_EQ(Host.TimerPeriod(ZelTimeslotGrid::uTipTimer), 3000u);
    Grid.OnMouseMove(0, CPoint(pt.x + 1, pt.y)); // within its few pixels
    EXPECT_TRUE(Host.bTip);
    Grid.OnTimer(ZelTimeslotGrid::uTipTimer);
    EXPECT_FALSE(Host.bTip) << "expired";
    Host.Timers.clear();
    Grid.OnMouseMove(0, pt);
    EXPECT_FALSE(Host.TimerRuns(ZelTimeslotGrid::uTipTimer)) << "no new tip at the same point";
    Grid.OnMouseMove(0, CPoint(pt.x, pt.y + 40));
    EXPECT_EQ(Host.TimerPeriod(ZelTimeslotGrid::uTipTimer), 600u) << "a new point, a new wait";

    // Over a slot whose texts show in full there is nothing to tell,
    // unless tips are always on.
    Grid.Put(0, 0, At(9, 0), 60);
    Grid.Recompute();
    Host.Timers.clear();
    Grid.OnMouseMove(0, Grid.Centre(0, 0, 0));
    EXPECT_FALSE(Host.TimerRuns(ZelTimeslotGrid::uTipTimer));
    Grid.ShowTipsAlways(TRUE);
    Grid.OnMouseMove(0, CPoint(Grid.Centre(0, 0, 0).x + 5, Grid.Centre(0, 0, 0).y));
    EXPECT_TRUE(Host.TimerRuns(ZelTimeslotGrid::uTipTimer));
    Host.ptCursor = CPoint(Grid.Centre(0, 0, 0).x + 5, Grid.Centre(0, 0, 0).y);
    Grid.OnTimer(ZelTimeslotGrid::uTipTimer);
    EXPECT_EQ(Host.sTip, "09:00 - 10:00 (1h)");
    Grid.OnActivate(FALSE);
    EXPECT_FALSE(Host.bTip) << "the window went inactive";
    Grid.OnActivate(TRUE);
    EXPECT_TRUE(Host.bTip) << "and shows it at the pointer again when active";
    Grid.SetPositionTips(FALSE);
    Grid.OnMouseMove(0, CPoint(200, Y(9, 30)));
    Grid.OnTimer(ZelTimeslotGrid::uTipTimer);
    EXPECT_FALSE(Host.bTip) << "position tips off";
}

TEST_F(EditTest, ReadOnlyGridsMagnifySmallSlots)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 2); // about four pixels
    Grid.SetReadOnly(TRUE);
    Grid.Recompute();
    const CPoint pt = Grid.Centre(0, 0, 0);
    Grid.OnMouseMove(0, pt);
    EXPECT_TRUE(Grid.IsMagnifyMode());
    EXPECT_EQ(Host.eCursor, ZelCursorKind::Magnifier);
    Grid.OnLButtonDown(0, pt);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(10)) << "a click zooms in";
    Grid.OnMouseMove(0, CPoint(300, Y(9, 30)));
    EXPECT_FALSE(Grid.IsMagnifyMode());
    EXPECT_EQ(Host.eCursor, ZelCursorKind::Arrow);
}

} // namespace
