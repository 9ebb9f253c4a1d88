// Slots as text through the fake window: copy, cut and paste with their
// refusals and messages, and drags within a grid, between grids and from
// elsewhere, with the dragged slots shown where they would land.
#include "framework/MessageBox.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/tests/TimeslotGridFixture.h"

#include <string>
#include <vector>

namespace {

using ClipboardTest = TimeslotGridFixture;

int CountLines(const std::string& s_text)
{
    int n = 0;
    for (std::size_t u = s_text.find("\r\n"); u != std::string::npos; u = s_text.find("\r\n", u + 2))
        ++n;
    return n;
}

// "hh:mm/item" of each slot of a list.
std::vector<std::string> Slots(const ZelTimeslotList& list)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.GetCount(); ++i)
        v.push_back(list[i].GetStart().FormatHHMM() + "/" + std::to_string(static_cast<LONG>(list[i].GetItemData()))
                    + (list[i].IsSelected() ? "*" : ""));
    return v;
}

TEST_F(ClipboardTest, CopiedTextReadsBackInDaySetSlotOrder)
{
    Build(2, 2);
    Grid.Put(1, 0, At(9, 0, 0, 1), 30, 5);
    Grid.Put(0, 1, At(8, 0), 60, 3);
    Grid.Put(0, 0, At(9, 0), 30, 1);
    Grid.Put(0, 0, At(8, 0), 30, 2);
    Grid.Put(0, 1, At(9, 30), 15, 4); // not selected
    for (const int* p : {(const int[]){0, 0, 0}, (const int[]){0, 0, 1}, (const int[]){0, 1, 0}, (const int[]){1, 0, 0}})
        Grid.Select(p[0], p[1], p[2], FALSE, FALSE);
    Grid.Select(0, 0, 1, TRUE, FALSE); // toggled off again: three stay

    EXPECT_TRUE(Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_COPY));
    ASSERT_TRUE(Host.bClipboard);
    const std::string& s_text = Host.sClipboard;
    EXPECT_EQ(CountLines(s_text), 3);
    EXPECT_EQ(s_text.substr(s_text.size() - 2), "\r\n");
    ZelTimeslotGrid::DayArray days;
    ASSERT_TRUE(Grid.GetDaysFromText(s_text, days));
    EXPECT_EQ(Slots(days[0][0]), std::vector<std::string>{"08:00/2"});
    EXPECT_EQ(Slots(days[0][1]), std::vector<std::string>{"08:00/3"});
    EXPECT_EQ(Slots(days[1][0]), std::vector<std::string>{"09:00/5"});
    EXPECT_EQ(days[1][0][0].GetStart(), At(9, 0, 0, 1)) << "the start read back is absolute";
    // Day order, then set order: the set-1 slot of day 0 comes second.
    const std::string s_second = s_text.substr(s_text.find("\r\n") + 2);
    ZelTimeslot second;
    ASSERT_TRUE(second.SetFromText(s_second.substr(0, s_second.find("\r\n"))));
    EXPECT_EQ(second.GetSetIndex(), 1);
    EXPECT_EQ(Host.nBeeps, 0);

    Grid.OnCommand(ZelTimeslotGrid::ID_TSLOT_UNSELECTALL);
    Host.bClipboard = false;
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_COPY);
    EXPECT_FALSE(Host.bClipboard);
    EXPECT_EQ(Host.nBeeps, 1) << "nothing selected";
}

TEST_F(ClipboardTest, TextIsReadUpToTheFirstLineThatFails)
{
    Build(2, 2);
    auto line = [](const ZelOleDateTime& dt, int i_minutes, int i_set, const ZelOleDateTime& dt_base) {
        return ZelTimeslot(dt, Minutes(i_minutes), static_cast<WORD>(i_set), 9).GetAsText(dt_base);
    };
    const ZelOleDateTime dt_day0 = Grid.GetDayStart(0);
    const ZelOleDateTime dt_day1 = Grid.GetDayStart(1);
    const std::string s_a = line(At(9, 0), 30, 0, dt_day0);
    const std::string s_b = line(At(10, 0, 0, 1), 30, 1, dt_day1);
    struct Case {
        const char* pName;
        std::string sText;
        int bOk;
        int nSlots;
    } const a_cases[] = {
        {"two lines", s_a + "\r\n" + s_b + "\r\n", 1, 2},
        {"a last line without CR LF is left out", s_a + "\r\n" + s_b, 1, 1},
        {"no CR LF at all: no slots", "hello", 1, 0},
        {"empty", "", 1, 0},
        {"a line that is no slot", s_a + "\r\nhello\r\n", 0, 0},
        {"a set the day lacks", line(At(9, 0), 30, 2, dt_day0) + "\r\n", 0, 0},
        {"the same slot twice overlaps", s_a + "\r\n" + s_a + "\r\n", 0, 0},
        {"before the first day", line(At(9, 0, 0, -1), 30, 0, dt_day0 - Minutes(72 * 60)) + "\r\n", 0, 0},
        {"a day the grid lacks", line(At(9, 0, 0, 5), 30, 0, dt_day0 + Minutes(5 * 72 * 60)) + "\r\n", 0, 0},
        {"LF line ends only", s_a + "\n" + s_b + "\n", 1, 0},
        {"a megabyte of noise", std::string(1 << 20, 'x') + "\r\n" + s_a + "\r\n", 0, 0},
    };
    for (const Case& c : a_cases) {
        ZelTimeslotGrid::DayArray days;
        EXPECT_EQ(Grid.GetDaysFromText(c.sText, days), c.bOk) << c.pName;
        EXPECT_EQ(days.CountSlots(), c.nSlots) << c.pName;
        EXPECT_EQ(days.GetSize(), c.bOk ? 2 : 0) << c.pName << ": a failure leaves no days";
    }
}

TEST_F(ClipboardTest, PasteTakesWholeTextsOrBeeps)
{
    Build(2, 2);
    const ZelOleDateTime dt_day0 = Grid.GetDayStart(0);
    const std::string s_good = ZelTimeslot(At(9, 0), Minutes(30), 1, 4).GetAsText(dt_day0) + "\r\n";
    const std::string s_bad_set = ZelTimeslot(At(9, 0), Minutes(30), 2, 4).GetAsText(dt_day0) + "\r\n";
    struct Case {
        const char* pName;
        bool bClipboard;
        std::string sText;
        int bReadOnly;
        int nBeeps;
        int nSlots;
    } const a_cases[] = {
        {"slot text", true, s_good, FALSE, 0, 1},
        {"no text on the clipboard", false, "", FALSE, 1, 0},
        {"text that is no slot text", true, "Hello, world\r\n", FALSE, 1, 0},
        {"text without slots", true, "Hello", FALSE, 1, 0},
        {"a set the day lacks", true, s_bad_set, FALSE, 1, 0},
        {"a read-only grid", true, s_good, TRUE, 1, 0},
    };
    for (const Case& c : a_cases) {
        Grid.SetNumSets(0, 2);
        Grid.SetReadOnly(c.bReadOnly);
        Host.bClipboard = c.bClipboard;
        Host.sClipboard = c.sText;
        Host.nBeeps = 0;
        Host.vCodes.clear();
        const int n_undo = Grid.GetUndoCount();
        Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_PASTE);
        EXPECT_EQ(Host.nBeeps, c.nBeeps) << c.pName;
        EXPECT_EQ(Grid.CountSlots(), c.nSlots) << c.pName;
        EXPECT_EQ(Host.Count(ZTSN_CHANGED), c.nSlots) << c.pName;
        EXPECT_EQ(Grid.GetUndoCount(), n_undo + c.nSlots) << c.pName;
    }
    Grid.SetReadOnly(FALSE);
    Host.sClipboard = s_good;
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_PASTE);
    ASSERT_EQ(Grid.GetTimeslotList(0, 1).GetCount(), 1);
    const ZelTimeslot& pasted = Grid.Slot(0, 1, 0);
    EXPECT_TRUE(pasted.IsSelected()) << "a paste moves: the slots come selected";
    EXPECT_EQ(pasted.GetItemData(), 4u) << "with their item data";
}

TEST_F(ClipboardTest, APasteThatFailsItsTestPutsTheSelectionBack)
{
    ScriptedMessageBox boxes;
    Build(1, 2);
    Grid.Put(0, 0, At(8, 0), 30, 1);
    Grid.Put(0, 1, At(9, 0), 60, 2);
    Grid.Select(0, 0, 0, FALSE, FALSE);
    // The clipboard: a slot where the selected one is, and one that runs
    // into the unselected slot of set 1.
    const ZelOleDateTime dt_day0 = Grid.GetDayStart(0);
    Host.SetClipboardText(ZelTimeslot(At(8, 0), Minutes(30), 0, 7).GetAsText(dt_day0) + "\r\n"
                          + ZelTimeslot(At(8, 45), Minutes(30), 1, 8).GetAsText(dt_day0) + "\r\n");
    Host.vCodes.clear();
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_PASTE);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Paste failed.  No timeslots pasted.\n1 timeslot(s) overlapped.");
    EXPECT_EQ(boxes.Boxes()[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONSTOP));
    EXPECT_EQ(Slots(Grid.GetTimeslotList(0, 0)), std::vector<std::string>{"08:00/1*"}) << "the selection is back";
    EXPECT_EQ(Slots(Grid.GetTimeslotList(0, 1)), std::vector<std::string>{"09:00/2"});
    EXPECT_EQ(Grid.GetUndoCount(), 0);
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 0);
}

TEST_F(ClipboardTest, SlotsLostInTheAddPassAreCountedInAWarning)
{
    ScriptedMessageBox boxes;
    Build(2, 1, 0, 23);
    Grid.SetConsec(1, TRUE);
    // Each passes alone; once the late slot of day 0 is in, day 1 may not
    // start before its end.
    const std::string s_text = ZelTimeslot(At(23, 0), Minutes(120), 0, 1).GetAsText(Grid.GetDayStart(0)) + "\r\n"
                               + ZelTimeslot(At(0, 30, 0, 1), Minutes(60), 0, 2).GetAsText(Grid.GetDayStart(1)) + "\r\n";
    Host.SetClipboardText(s_text);
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_PASTE);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sCaption, "Warning");
    EXPECT_EQ(boxes.Boxes()[0].sText,
              "Some timeslots could not be pasted..\n1 timeslot(s) would cause a day to exceed its maximum length.");
    EXPECT_EQ(boxes.Boxes()[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Grid.CountSlots(), 1) << "the one that went in stays";
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);
    EXPECT_EQ(Grid.GetUndoCount(), 1);
}

TEST_F(ClipboardTest, APastedSlotBetweenTwoOfACombinationJoinsIt)
{
    Build();
    ZelTimeslotCombinationList combinations;
    combinations.Add(ZelTimeslotCombination("Morning"));
    combinations.Add(ZelTimeslotCombination("Late"));
    Grid.SetCombinations(combinations);
    const LONG l_morning = combinations[0].GetKey(), l_late = combinations[1].GetKey();
    Grid.Put(0, 0, At(8, 0), 30);
    Grid.Put(0, 0, At(9, 0), 30);
    Grid.GetTimeslotList(0, 0)[0].SetCombinationKey(l_morning);
    Grid.GetTimeslotList(0, 0)[1].SetCombinationKey(l_morning);
    ZelTimeslot keyed(At(9, 30), Minutes(15), 0, 0);
    keyed.SetCombinationKey(l_late);
    Host.SetClipboardText(ZelTimeslot(At(8, 30), Minutes(30), 0, 0).GetAsText(Grid.GetDayStart(0)) + "\r\n"
                          + keyed.GetAsText(Grid.GetDayStart(0)) + "\r\n");
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_PASTE);
    ASSERT_EQ(Grid.GetTimeslotList(0, 0).GetCount(), 4);
    EXPECT_EQ(Grid.Slot(0, 0, 1).GetCombinationKey(), l_morning) << "between two of Morning";
    EXPECT_EQ(Grid.Slot(0, 0, 3).GetCombinationKey(), l_late) << "its own key wins";
}

TEST_F(ClipboardTest, CutDeletesWhatItCopied)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 30);
    Grid.Select(0, 0, 0, FALSE, FALSE);
    Grid.SetReadOnly(TRUE);
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_CUT);
    EXPECT_EQ(Host.nBeeps, 1);
    EXPECT_FALSE(Host.bClipboard) << "a read-only grid copies nothing on a cut";
    Grid.SetReadOnly(FALSE);
    Grid.OnCommand(ZelTimeslotGrid::ID_EDIT_CUT);
    EXPECT_EQ(CountLines(Host.sClipboard), 1);
    EXPECT_EQ(Grid.CountSlots(), 0);
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);
    EXPECT_EQ(Grid.GetUndoCount(), 1);
}

// --- drag and drop ----------------------------------------------------

class DragTest : public TimeslotGridFixture {
protected:
    // Three days of one set, 08:00 to 10:00; day 0 has a selected slot at
    // 09:00 for an hour with item data 7.
    void SetUp() override
    {
        TimeslotGridFixture::SetUp();
        Build(3, 1);
        Grid.Put(0, 0, At(9, 0), 60, 7);
        Grid.Select(0, 0, 0, FALSE, FALSE);
    }
    // A point in day d's column at a time of day.
    CPoint Point(int i_day, int i_hour, int i_minute) const
    {
        CRect rc;
        Grid.DayToRect(static_cast<UINT>(i_day), rc);
        return CPoint(rc.CenterPoint().x, Y(i_hour, i_minute));
    }
};

TEST_F(DragTest, AMoveWithinTheGridKeepsItemDataACopyAsksForNew)
{
    struct Case {
        const char* pName;
        int bCtrl;
        DWORD dwEffect;
        std::vector<std::string> vDay0;
        std::vector<std::string> vDay1;
    } const a_cases[] = {
        {"without Ctrl: a move", FALSE, DROPEFFECT_MOVE, {}, {"09:10/7*"}},
        {"with Ctrl: a copy", TRUE, DROPEFFECT_COPY, {"09:00/7*"}, {"09:10/-1"}},
    };
    for (const Case& c : a_cases) {
        SetUp();
        Host.vCodes.clear();
        const int n_undo = Grid.GetUndoCount();
        FakeDrawPort port;
        CRect rc_old, rc_new;
        Host.fDrag = [&](const std::string&) {
            EXPECT_TRUE(Grid.IsDragSource());
            EXPECT_EQ(Grid.DragEnter(Host.sDragged, Point(0, 9, 20), c.bCtrl), c.dwEffect) << c.pName;
            // One column right, two steps (ten minutes) down.
            const CPoint pt = Point(1, 9, 20) + CSize(0, 2 * Grid.GetStepHeight());
            EXPECT_EQ(Grid.DragOver(TRUE, pt, c.bCtrl), c.dwEffect) << c.pName;
            EXPECT_TRUE(Grid.IsDragPreviewShown());
            Grid.GetSlotRect(0, 0, 0, rc_old);
            Grid.GetSlotRect(1, 0, 0, rc_new, FALSE, &Grid.GetDragDays());
            Grid.Paint(port, Host.GetClientArea());
            return Grid.Drop(pt, c.dwEffect) ? c.dwEffect : DROPEFFECT_NONE;
        };
        Grid.OnLButtonDown(c.bCtrl ? UINT{MK_CONTROL} : 0u, Grid.Centre(0, 0, 0));
        EXPECT_EQ(Host.nDrags, 1) << c.pName;
        EXPECT_EQ(Slots(Grid.GetTimeslotList(0, 0)), c.vDay0) << c.pName;
        EXPECT_EQ(Slots(Grid.GetTimeslotList(1, 0)), c.vDay1) << c.pName;
        EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1) << c.pName;
        EXPECT_EQ(Grid.GetUndoCount(), n_undo + 1) << c.pName;
        EXPECT_FALSE(Grid.IsDragPreviewShown()) << c.pName;
        // The preview: the dragged slot at its new place; a move hides it
        // at the old one.
        int n_old = 0, n_new = 0;
        for (const FakeDrawOp& op : port.Of("edge")) {
            n_old += op.rc.TopLeft() == rc_old.TopLeft();
            n_new += op.rc.TopLeft() == rc_new.TopLeft();
        }
        EXPECT_EQ(n_new, 1) << c.pName;
        EXPECT_EQ(n_old, c.bCtrl ? 1 : 0) << c.pName;
        Host.nDrags = 0;
    }
}

TEST_F(DragTest, OnlyADragBegunInTheGridMovesAndTheSourceLetsAMoveGo)
{
    // A second grid, shaped alike, with a selected slot of its own.
    FakeHost host2;
    TestGrid grid2;
    host2.Attach(grid2);
    grid2.Set24Hour(TRUE);
    grid2.SetNumDays(3);
    grid2.SetDisplayStart(FALSE, 8, 0);
    grid2.SetDisplayEnd(TRUE, 10, 0);
    grid2.Put(2, 0, At(8, 0, 0, 2), 30, 9);
    grid2.Select(2, 0, 0, FALSE, FALSE);
    const std::string s_slot_text = Grid.GetSlotsAsText(TRUE);

    struct Case {
        const char* pName;
        int iTarget;        // 1 this grid, 2 the other, 0 nobody (another program)
        DWORD dwOtherTakes; // what another program's drop takes
        DWORD dwEffect;     // what the target shows
        std::vector<std::string> vSourceDay0;
        std::vector<std::string> vTargetDay1;
    } const a_cases[] = {
        {"same grid: a move", 1, DROPEFFECT_NONE, DROPEFFECT_MOVE, {}, {"09:00/7*"}},
        {"another grid: a copy", 2, DROPEFFECT_NONE, DROPEFFECT_COPY, {"09:00/7*"}, {"09:00/-1"}},
        {"another program takes a copy", 0, DROPEFFECT_COPY, DROPEFFECT_NONE, {"09:00/7*"}, {}},
        {"another program takes a move", 0, DROPEFFECT_MOVE, DROPEFFECT_NONE, {}, {}},
    };
    for (const Case& c : a_cases) {
        SetUp();
        Host.vCodes.clear();
        const int n_undo = Grid.GetUndoCount();
        TestGrid& target = c.iTarget == 2 ? grid2 : Grid;
        Host.fDrag = [&](const std::string& s_text) -> DWORD {
            if (c.iTarget == 0)
                return c.dwOtherTakes;
            EXPECT_EQ(target.DragEnter(s_text, Point(0, 9, 15), FALSE), c.dwEffect) << c.pName;
            EXPECT_EQ(target.DragOver(TRUE, Point(1, 9, 15), FALSE), c.dwEffect) << c.pName;
            return target.Drop(Point(1, 9, 15), c.dwEffect) ? c.dwEffect : DROPEFFECT_NONE;
        };
        Grid.OnLButtonDown(0, Grid.Centre(0, 0, 0));
        EXPECT_EQ(Slots(Grid.GetTimeslotList(0, 0)), c.vSourceDay0) << c.pName;
        if (c.iTarget) {
            EXPECT_EQ(Slots(target.GetTimeslotList(1, 0)), c.vTargetDay1) << c.pName;
        }
        EXPECT_EQ(Slots(grid2.GetTimeslotList(2, 0)), std::vector<std::string>{"08:00/9*"})
            << c.pName << ": the other grid's selection stays";
        const bool b_source_changed = c.vSourceDay0.empty();
        EXPECT_EQ(Host.Count(ZTSN_CHANGED), b_source_changed ? 1 : 0) << c.pName;
        EXPECT_EQ(Grid.GetUndoCount(), n_undo + (b_source_changed ? 1 : 0)) << c.pName;
        if (c.iTarget == 2)
            grid2.SetNumSets(1, 1);
    }

    // Text dragged in from another program is a copy too, and text that is
    // no slot text is refused.
    EXPECT_EQ(grid2.DragEnter(s_slot_text, Point(1, 8, 30), FALSE), DROPEFFECT_COPY);
    EXPECT_TRUE(grid2.Drop(Point(1, 8, 30), DROPEFFECT_MOVE));
    EXPECT_EQ(Slots(grid2.GetTimeslotList(0, 0)), std::vector<std::string>{"09:00/-1"});
    EXPECT_EQ(Slots(grid2.GetTimeslotList(2, 0)), std::vector<std::string>{"08:00/9*"});
    for (const char* p_text : {"Hello, world\r\n", "Hello", ""}) {
        EXPECT_EQ(grid2.DragEnter(p_text, Point(1, 8, 30), FALSE), DROPEFFECT_NONE) << p_text;
        grid2.DragLeave();
    }
    grid2.SetReadOnly(TRUE);
    EXPECT_EQ(grid2.DragEnter(s_slot_text, Point(1, 8, 30), FALSE), DROPEFFECT_NONE) << "a read-only grid";
}

TEST_F(DragTest, ThePointerNearTheRightEdgeSendsTheSlotsToTheLastColumns)
{
    // One day of three sets: every column fits, the last set ends a pixel
    // short of the day's edge.
    Grid.SetNumDays(1);
    Grid.SetNumSets(0, 3);
    Grid.SetDisplayStart(FALSE, 8, 0);
    Grid.SetDisplayEnd(TRUE, 10, 0);
    Grid.Put(0, 0, At(8, 30), 30, 1);
    Grid.Put(0, 1, At(9, 0), 30, 2);
    Grid.Select(0, 0, 0, FALSE, FALSE);
    Grid.Select(0, 1, 0, TRUE, FALSE);
    CRect rc_display;
    Grid.GetDisplayRect(rc_display);
    CRect rc_set0;
    Grid.SetToRect(0u, 0u, rc_set0);
    const CPoint pt_edge(rc_display.right - 1, Y(8, 45));
    ASSERT_EQ(Grid.PointToSet(pt_edge, FALSE), -1) << "the edge lies in no column";
    Host.fDrag = [&](const std::string& s_text) {
        Grid.DragEnter(s_text, CPoint(rc_set0.CenterPoint().x, Y(8, 45)), FALSE);
        Grid.DragOver(TRUE, pt_edge, FALSE);
        return Grid.Drop(pt_edge, DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    };
    // Ctrl keeps the other selected slot for the drag.
    Grid.OnLButtonDown(MK_CONTROL, Grid.Centre(0, 0, 0));
    EXPECT_EQ(Grid.GetTimeslotList(0, 0).GetCount(), 0);
    EXPECT_EQ(Slots(Grid.GetTimeslotList(0, 1)), std::vector<std::string>{"08:30/1*"});
    EXPECT_EQ(Slots(Grid.GetTimeslotList(0, 2)), std::vector<std::string>{"09:00/2*"})
        << "the rightmost lands in the last column";
}

TEST_F(DragTest, TheDraggedSlotsStayUnderThePointerAsTheViewScrolls)
{
    Grid.SetDisplayEnd(TRUE, 20, 0);
    Grid.OnVScroll(SB_LINEDOWN, 0);
    CPoint pt_slot;
    ASSERT_TRUE(Grid.TimeToPoint(At(9, 15), pt_slot));
    CRect rc_day;
    Grid.DayToRect(0, rc_day);
    const CPoint pt(rc_day.CenterPoint().x, pt_slot.y);
    ASSERT_EQ(Grid.DragEnter(Grid.GetSlotsAsText(TRUE), pt, TRUE), DROPEFFECT_COPY);
    Grid.OnVScroll(SB_LINEUP, 0); // a line of 15 minutes, 3 steps of 5
    ASSERT_EQ(Grid.GetDragDays()[0][0].GetCount(), 1);
    EXPECT_EQ(Grid.GetDragDays()[0][0][0].GetStart(), At(8, 45)) << "earlier by what scrolled into view";
    Grid.DragLeave();
    EXPECT_FALSE(Grid.IsDragPreviewShown());
    EXPECT_FALSE(Host.TimerRuns(ZelTimeslotGrid::uScrollTimer));
}

} // namespace
