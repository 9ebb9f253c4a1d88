// The day grid without a window, on an event of two days, two venues and
// three groups: what a slot shows by its state, the lock commands and
// their re-fits, the groups offered in the in-place list and what closing
// it places, the keys, and the quiet grid of a busy document.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "shell/timetable/DayGridCore.h"
#include "shell/timetable/TimetableViewCore.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/tests/TimeslotFakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testevent::EventBuilder;

class TestCore : public DayGridCore {
public:
    using DayGridCore::DayGridCore;
    using DayGridCore::GetCopyItemData;
    using DayGridCore::GetSlotColor;
    using DayGridCore::GetSlotIcon;
    using DayGridCore::GetSlotText;
    using DayGridCore::GetSlotTextColor;

    ZelTimeslot& Slot(int i_set, int i_slot) { return GetTimeslotList(0, i_set)[i_slot]; }
};

// A list window that records what it was asked to show and, when closed,
// hands back the entry a test chose (by default the preselected one).
class FakeListWindow : public IDayGridWindow {
public:
    explicit FakeListWindow(DayGridCore*& p_core) : pCore(p_core) {}

    int GetParentHeight() override { return 200; }
    void OpenListWindow(const CRect& rc, const std::vector<Choice>& v_choices, int i_selected) override
    {
        ++nOpened;
        rcList = rc;
        vChoices = v_choices;
        iChosen = i_selected;
        bOpen = TRUE;
    }
    BOOL IsListOpen() const override { return bOpen; }
    void CloseListWindow() override
    {
        bOpen = FALSE;
        pCore->CommitGroupList(iChosen >= 0 ? vChoices[static_cast<std::size_t>(iChosen)].iGroup : -1);
    }
    // The user picks the entry with that name.
    void Pick(const std::string& s_name)
    {
        for (std::size_t i = 0; i < vChoices.size(); ++i)
            if (vChoices[i].sName == s_name)
                iChosen = static_cast<int>(i);
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> v;
        for (const Choice& c : vChoices)
            v.push_back(c.sName);
        return v;
    }

    DayGridCore*& pCore;
    int nOpened = 0;
    CRect rcList;
    std::vector<Choice> vChoices;
    int iChosen = -1;
    BOOL bOpen = FALSE;
};

const int iLockIcon = 0; // the bitmap the window keeps

// Mon and Tue, 09:00 to 12:00 in hours, at Hall (set 0) and Room (set 1).
// Groups Choir, Band, Drama in that order; on Mon at the Hall Choir at
// 09:00 is locked and Band at 10:00 is not; 11:00 is empty.
class DayGridCoreTest : public ::testing::Test {
protected:
    DayGridCoreTest() : Window(pCore)
    {
        ZelTimeslotGrid::Settings() = ZelTimeslotSettings();
        Event.Name("Test")
            .Days({"Mon", "Tue"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
            .Venue("Hall")
            .Venue("Room")
            .Participant("Ann Lee")
            .Group("Choir")
            .Group("Band")
            .Group("Drama")
            .Timetable()
            .Place(0, "Hall", "09:00", "Choir", true)
            .Place(0, "Hall", "10:00", "Band");
    }
    ~DayGridCoreTest() override { ZelTimeslotGrid::Settings() = ZelTimeslotSettings(); }

    // The grid of day 0 on the fake window, laid out.
    TestCore& Grid()
    {
        if (!pGrid) {
            pGrid = std::make_unique<TestCore>(&Doc(), Doc().GetTimetable()->GetDay(0));
            Host.Attach(*pGrid);
            pGrid->LoadDay(Doc().GetTimetable()->GetDay(0));
            pGrid->SetLockBitmap(&iLockIcon);
            pGrid->SetWindow(&Window);
            pCore = pGrid.get();
        }
        return *pGrid;
    }
    EventDoc& Doc() { return Event.Doc(); }
    Timeslot& Placed(int i_day, const char* p_venue, const char* p_start)
    {
        return Event.Slot(i_day, p_venue, p_start);
    }
    int Count1075() const
    {
        int n = 0;
        for (const auto& box : Boxes.Boxes())
            n += box.sText.rfind("Cannot adjust the timetable", 0) == 0;
        return n;
    }

    ScriptedMessageBox Boxes;
    EventBuilder Event;
    FakeHost Host{600, 400};
    DayGridCore* pCore = nullptr;
    FakeListWindow Window;
    std::unique_ptr<TestCore> pGrid;
};

TEST_F(DayGridCoreTest, ShowsTheDayWithOneSetPerVenueAndTheSlotKeysAsItemData)
{
    TestCore& grid = Grid();
    EXPECT_EQ(grid.GetNumDays(), 1u);
    EXPECT_EQ(grid.GetDayName(0), "Mon");
    ASSERT_EQ(grid.GetNumSets(0), 2);
    EXPECT_EQ(grid.GetSetName(0, 0), "Hall");
    EXPECT_EQ(grid.GetSetName(0, 1), "Room");
    ASSERT_EQ(grid.GetTimeslotList(0, 0).GetCount(), 3);
    EXPECT_EQ(static_cast<LONG>(grid.Slot(0, 0).GetItemData()), Placed(0, "Hall", "09:00").GetSlotKey());
    EXPECT_EQ(static_cast<LONG>(grid.Slot(1, 2).GetItemData()), Placed(0, "Room", "11:00").GetSlotKey());

    DayGridCore::SlotPos pos;
    ASSERT_TRUE(grid.FindSlot(grid.Slot(1, 2).GetItemData(), pos));
    EXPECT_EQ(pos.iDay, 0);
    EXPECT_EQ(pos.iVenue, 1);
    EXPECT_EQ(pos.iSlot, 2);
    // Item data of 0 or less never names a timetable timeslot: a slot the
    // user added, or a copy, which carries its original's key negated.
    EXPECT_FALSE(grid.FindSlot(0, pos));
    const DWORD u_copy = grid.GetCopyItemData(ZelTimeslot(), grid.Slot(0, 0));
    EXPECT_EQ(static_cast<LONG>(u_copy), -Placed(0, "Hall", "09:00").GetSlotKey());
    EXPECT_FALSE(grid.FindSlot(u_copy, pos));
    EXPECT_EQ(pos.iDay, -1);
}

TEST_F(DayGridCoreTest, SlotTextIconAndColoursFollowTheSlotsState)
{
    TestCore& grid = Grid();
    FakeDrawPort port;
    ZelTimeslotGrid::SetStdContext ctx(grid, port);
    // A slot whose group is gone from the list shows no text.
    Placed(0, "Room", "09:00").SetGroup(Event.GroupKey("Drama") + 100);
    ZelTimeslot added = grid.Slot(0, 0);
    added.SetItemData(0);
    added.Select(false);
    grid.Slot(0, 2).Select(true);
    grid.Slot(0, 0).Select(false);
    ZelTimeslot locked_selected = grid.Slot(0, 0);
    locked_selected.Select(true);

    struct Case {
        const char* pWhat;
        const ZelTimeslot* pSlot;
        const char* pText;
        COLORREF crBack;
        COLORREF crText;
        bool bIcon;
    };
    const Case a_cases[] = {
        {"locked", &grid.Slot(0, 0), "Choir", ctx.crCombinationBack, ctx.crText2, true},
        {"locked and selected", &locked_selected, "Choir", ctx.crBack2, ctx.crText2, true},
        {"unlocked", &grid.Slot(0, 1), "Band", ctx.crSlot, ctx.crText, false},
        {"empty and selected", &grid.Slot(0, 2), "", ctx.crBack2, ctx.crText2, false},
        {"group gone", &grid.Slot(1, 0), "", ctx.crSlot, ctx.crText, false},
        {"no timetable timeslot", &added, "", ctx.crSlot, ctx.crText, false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        std::string s_text = "old";
        EXPECT_EQ(grid.GetSlotText(*c.pSlot, s_text), 1);
        EXPECT_EQ(s_text, c.pText);
        EXPECT_EQ(grid.GetSlotColor(port, ctx, *c.pSlot), c.crBack);
        COLORREF cr_text = 0;
        EXPECT_EQ(grid.GetSlotTextColor(port, ctx, *c.pSlot, cr_text), 1);
        EXPECT_EQ(cr_text, c.crText);
        ZelBitmapHandle h_bitmap = nullptr;
        UINT u_size = 0;
        EXPECT_EQ(grid.GetSlotIcon(port, ctx, *c.pSlot, h_bitmap, u_size), c.bIcon ? 1 : 0);
        if (c.bIcon) {
            EXPECT_EQ(h_bitmap, &iLockIcon);
            EXPECT_EQ(u_size, 16u);
        }
    }
    // Without a lock bitmap a locked slot has no icon.
    grid.SetLockBitmap(nullptr);
    ZelBitmapHandle h_bitmap = nullptr;
    UINT u_size = 0;
    EXPECT_EQ(grid.GetSlotIcon(port, ctx, grid.Slot(0, 0), h_bitmap, u_size), 0);
}

TEST_F(DayGridCoreTest, WhileTheDocumentIsBusyTheGridShowsWhatItLastReadAndItsCommandsDoNothing)
{
    TestCore& grid = Grid();
    FakeDrawPort port;
    ZelTimeslotGrid::SetStdContext ctx(grid, port);
    std::string s_text;
    grid.GetSlotText(grid.Slot(0, 1), s_text);
    ASSERT_EQ(s_text, "Band");

    Doc().SetBusy(TRUE);
    Placed(0, "Hall", "10:00").SetGroup(Event.GroupKey("Drama"));
    Placed(0, "Hall", "10:00").SetLocked(TRUE);
    grid.GetSlotText(grid.Slot(0, 1), s_text);
    EXPECT_EQ(s_text, "Band");
    EXPECT_EQ(grid.GetSlotColor(port, ctx, grid.Slot(0, 1)), ctx.crSlot);
    grid.Slot(0, 0).Select(true);
    EXPECT_EQ(grid.OnCommand(DayGridCore::ID_UNLOCK), 1);
    EXPECT_TRUE(Placed(0, "Hall", "09:00").IsLocked());

    Doc().SetBusy(FALSE);
    grid.GetSlotText(grid.Slot(0, 1), s_text);
    EXPECT_EQ(s_text, "Drama");
    EXPECT_EQ(grid.GetSlotColor(port, ctx, grid.Slot(0, 1)), ctx.crCombinationBack);
}

TEST_F(DayGridCoreTest, LockAndUnlockTheSelectionCountingByMode)
{
    TestCore& grid = Grid();
    Event.Place(0, "Room", "09:00", "Drama");
    for (int i = 0; i < 3; ++i)
        grid.Slot(0, i).Select(true);
    grid.Slot(1, 0).Select(true);
    // Selected with a group: Choir (locked), Band and Drama (unlocked).
    EXPECT_EQ(grid.CountSelected(0), 3);
    EXPECT_EQ(grid.CountSelected(1), 1);
    EXPECT_EQ(grid.CountSelected(2), 2);
    BOOL b_enabled = FALSE, b_checked = TRUE;
    ASSERT_TRUE(grid.GetCommandState(DayGridCore::ID_LOCK, b_enabled, b_checked));
    EXPECT_TRUE(b_enabled);
    EXPECT_FALSE(b_checked);
    EXPECT_FALSE(grid.GetCommandState(ZelTimeslotGrid::ID_EDIT_COPY, b_enabled, b_checked));

    Doc().SetModifiedFlag(false);
    grid.OnCommand(DayGridCore::ID_LOCK);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Placed(0, "Hall", "10:00").IsLocked());
    EXPECT_TRUE(Placed(0, "Room", "09:00").IsLocked());
    EXPECT_FALSE(Placed(0, "Hall", "11:00").IsLocked()) << "an empty timeslot is never locked";
    EXPECT_EQ(grid.CountSelected(2), 0);
    grid.GetCommandState(DayGridCore::ID_LOCK, b_enabled, b_checked);
    EXPECT_FALSE(b_enabled);

    grid.Slot(0, 0).Select(false);
    grid.OnCommand(DayGridCore::ID_UNLOCK);
    EXPECT_TRUE(Placed(0, "Hall", "09:00").IsLocked()) << "not selected";
    EXPECT_FALSE(Placed(0, "Hall", "10:00").IsLocked());
    EXPECT_FALSE(Placed(0, "Room", "09:00").IsLocked());
    EXPECT_EQ(Count1075(), 0);
}

TEST_F(DayGridCoreTest, LockWholeTimetableReFitsOnceAndUnlockWholeTimetableNever)
{
    // Two placements whose group is not available there: each fails its
    // check once locked.
    Event.GroupUnavailable("Band", 0, "10:00-11:00").Place(1, "Room", "11:00", "Drama");
    Event.GroupUnavailable("Drama", 1, "11:00-12:00");
    TestCore& grid = Grid();
    grid.OnCommand(DayGridCore::ID_LOCK_ALL);
    EXPECT_EQ(Count1075(), 1);
    EXPECT_TRUE(Placed(0, "Hall", "10:00").IsLocked()) << "the lock stays when the re-fit fails";
    EXPECT_TRUE(Placed(1, "Room", "11:00").IsLocked());
    EXPECT_FALSE(Placed(0, "Hall", "11:00").IsLocked());
    EXPECT_FALSE(Placed(1, "Hall", "09:00").IsLocked());

    Boxes.Clear();
    grid.OnCommand(DayGridCore::ID_UNLOCK_ALL);
    EXPECT_TRUE(Boxes.Boxes().empty());
    for (const char* p_start : {"09:00", "10:00", "11:00"})
        for (int d = 0; d < 2; ++d)
            EXPECT_FALSE(Placed(d, "Room", p_start).IsLocked() || Placed(d, "Hall", p_start).IsLocked());

    // Locking the two one by one re-fits each.
    grid.Slot(0, 1).Select(true);
    Boxes.Clear();
    grid.OnCommand(DayGridCore::ID_LOCK);
    EXPECT_EQ(Count1075(), 1);
}

TEST_F(DayGridCoreTest, ChangeTimeslotsSwitchesTheReadOnlyGridAndBackRevalidatesTheRules)
{
    TestCore& grid = Grid();
    BOOL b_enabled = FALSE, b_checked = TRUE;
    grid.GetCommandState(DayGridCore::ID_CHANGE_TIMESLOTS, b_enabled, b_checked);
    EXPECT_TRUE(b_enabled);
    EXPECT_FALSE(b_checked);
    grid.OnCommand(DayGridCore::ID_CHANGE_TIMESLOTS);
    EXPECT_FALSE(grid.IsReadOnly());
    grid.GetCommandState(DayGridCore::ID_CHANGE_TIMESLOTS, b_enabled, b_checked);
    EXPECT_TRUE(b_checked);
    grid.OnCommand(DayGridCore::ID_CHANGE_TIMESLOTS);
    EXPECT_TRUE(grid.IsReadOnly());
}

TEST_F(DayGridCoreTest, ThePopUpAddsLockUnlockAndChangeTimeslotsWithTheirStates)
{
    TestCore& grid = Grid();
    grid.Slot(0, 0).Select(true);
    grid.GeneralPopup(CPoint(10, 10), nullptr);
    ASSERT_EQ(Host.nMenus, 1);
    const ZelMenu& menu = Host.vMenu;
    auto find = [&menu](UINT u_id) -> const ZelMenuItem* {
        for (const ZelMenuItem& item : menu)
            if (item.uId == u_id)
                return &item;
        return nullptr;
    };
    ASSERT_NE(find(DayGridCore::ID_LOCK), nullptr);
    EXPECT_EQ(find(DayGridCore::ID_LOCK)->sText, "&Lock");
    EXPECT_FALSE(find(DayGridCore::ID_LOCK)->bEnabled) << "nothing unlocked selected";
    EXPECT_TRUE(find(DayGridCore::ID_UNLOCK)->bEnabled);
    EXPECT_FALSE(find(DayGridCore::ID_CHANGE_TIMESLOTS)->bChecked);
    // After the read-only grid's own items and a separator.
    EXPECT_EQ(menu[menu.size() - 4].uId, 0u);
}

TEST_F(DayGridCoreTest, TheListOffersTheGroupsThatMayTakeTheSlotAndPreselectsTheLaterOfItsAndTheOnesBefore)
{
    // Ann sings in the Choir and plays in the Band; at 10:00 the Room holds
    // the Drama, locked, with Ann in it: the Band and the Choir clash there.
    Event.Member("Choir", "Ann Lee").Member("Drama", "Ann Lee").Place(0, "Room", "10:00", "Drama", true);
    Event.GroupUnavailable("Band", 0, "11:00-12:00");
    Doc().GetPreferences().SetAllowTravel(FALSE);
    TestCore& grid = Grid();
    std::vector<IDayGridWindow::Choice> v_choices;
    int i_selected = -2;

    // 11:00 (the Band is not available), after 10:00 with the Band: no
    // preselection, as the Band is not offered.
    ASSERT_TRUE(grid.FillGroupList(0, 0, 2, v_choices, i_selected));
    EXPECT_EQ(v_choices, (std::vector<IDayGridWindow::Choice>{{"Choir", 0}, {"Drama", 2}}));
    EXPECT_EQ(i_selected, -1);

    // 10:00 holds the Band, 09:00 before it the Choir: the Choir clashes
    // with the locked Drama in the Room and the Drama is there already.
    ASSERT_TRUE(grid.FillGroupList(0, 0, 1, v_choices, i_selected));
    EXPECT_EQ(v_choices, (std::vector<IDayGridWindow::Choice>{{"Band", 1}}));
    EXPECT_EQ(i_selected, 0);

    // The Room at 10:00 holds the locked Drama, which is preselected; only
    // locked placements clash, so the Choir may go there too.
    ASSERT_TRUE(grid.FillGroupList(0, 1, 1, v_choices, i_selected));
    EXPECT_EQ(v_choices, (std::vector<IDayGridWindow::Choice>{{"Choir", 0}, {"Band", 1}, {"Drama", 2}}));
    EXPECT_EQ(i_selected, 2);

    // With travel time between venues, Ann cannot be at the Hall at 11:00
    // straight from the Drama in the Room: nothing is offered.
    Doc().GetPreferences().SetAllowTravel(TRUE);
    ASSERT_TRUE(grid.FillGroupList(0, 0, 2, v_choices, i_selected));
    EXPECT_TRUE(v_choices.empty());
    Doc().GetPreferences().SetAllowTravel(FALSE);

    // With the slot holding the Choir and the slot before it the Band, the
    // later of the two in the group list wins.
    struct Case {
        const char* pHere;
        const char* pBefore;
        const char* pChosen;
    };
    const Case a_cases[] = {{"Band", "Choir", "Band"}, {"Choir", "Band", "Band"}, {"Drama", "Choir", "Drama"}};
    for (const Case& c : a_cases) {
        SCOPED_TRACE(std::string(c.pHere) + " after " + c.pBefore);
        Placed(1, "Hall", "09:00").SetGroup(Event.GroupKey(c.pBefore));
        Placed(1, "Hall", "10:00").SetGroup(Event.GroupKey(c.pHere));
        TestCore tuesday(&Doc(), Doc().GetTimetable()->GetDay(1));
        ASSERT_TRUE(tuesday.FillGroupList(0, 0, 1, v_choices, i_selected));
        ASSERT_GE(i_selected, 0);
        EXPECT_EQ(v_choices[static_cast<std::size_t>(i_selected)].sName, c.pChosen);
    }
}

TEST_F(DayGridCoreTest, ClosingTheListPlacesAndLocksTheChoiceButEscapeChangesNothing)
{
    TestCore& grid = Grid();
    Doc().GetTimetable()->SetValid(TRUE);
    Doc().GetTimetable()->SetCreationDate(CHighTime(2026, 1, 2, 3, 4, 5));

    // Esc: nothing changes.
    grid.OpenGroupList(0, 0, 2);
    ASSERT_EQ(Window.nOpened, 1);
    EXPECT_EQ(Window.Names(), (std::vector<std::string>{"Choir", "Band", "Drama"}));
    EXPECT_EQ(Window.iChosen, 1) << "the Band of the slot before";
    EXPECT_EQ(Window.rcList.Height(), [&] {
        CRect rc;
        grid.GetSlotRect(0, 0, 2, rc);
        return rc.Height() + 3 + 100;
    }());
    EXPECT_EQ(grid.PreTranslateKey(VK_ESCAPE, 0), 1);
    EXPECT_FALSE(Window.bOpen);
    EXPECT_EQ(Placed(0, "Hall", "11:00").GetGroup(), -1);
    EXPECT_TRUE(Doc().GetTimetable()->IsValid());

    // Closed without a choice made by the user: the preselected group goes
    // in, locked, and the timetable no longer counts as built.
    Doc().SetModifiedFlag(false);
    grid.OpenGroupList(0, 0, 2);
    EXPECT_EQ(grid.PreTranslateKey('A', 0), 0) << "other keys go to the list";
    EXPECT_EQ(grid.PreTranslateKey(VK_TAB, 0), 1);
    EXPECT_EQ(Placed(0, "Hall", "11:00").GetGroup(), Event.GroupKey("Band"));
    EXPECT_TRUE(Placed(0, "Hall", "11:00").IsLocked());
    EXPECT_FALSE(Doc().GetTimetable()->IsValid());
    EXPECT_EQ(Doc().GetTimetable()->GetCreationDate().GetStatus(), CHighTime::null);
    EXPECT_TRUE(Doc().IsModified());

    // Choosing the group the slot holds locks it and leaves the build date.
    Doc().GetTimetable()->SetValid(TRUE);
    Doc().GetTimetable()->SetCreationDate(CHighTime(2026, 1, 2, 3, 4, 5));
    grid.OpenGroupList(0, 0, 1);
    Window.Pick("Band");
    grid.CloseGroupList();
    EXPECT_TRUE(Placed(0, "Hall", "10:00").IsLocked());
    EXPECT_TRUE(Doc().GetTimetable()->IsValid());
    EXPECT_EQ(Doc().GetTimetable()->GetCreationDate().GetStatus(), CHighTime::valid);

    // A list with nothing chosen places nothing.
    grid.OpenGroupList(0, 1, 2);
    Window.iChosen = -1;
    grid.CloseGroupList();
    EXPECT_EQ(Placed(0, "Room", "11:00").GetGroup(), -1);
    EXPECT_FALSE(Placed(0, "Room", "11:00").IsLocked());
}

TEST_F(DayGridCoreTest, EnterOpensTheListOnTheFocusSlotAndIsTakenEvenWithoutOne)
{
    TestCore& grid = Grid();
    EXPECT_EQ(grid.PreTranslateKey(VK_RETURN, 0), 1);
    EXPECT_EQ(Window.nOpened, 0);

    // A click on a slot gives it the focus; Enter then opens the list there.
    CRect rc;
    grid.GetSlotRect(0, 1, 2, rc);
    grid.OnLButtonDown(0, rc.CenterPoint());
    grid.OnLButtonUp(0, rc.CenterPoint());
    EXPECT_EQ(grid.PreTranslateKey(VK_RETURN, 0), 1);
    ASSERT_EQ(Window.nOpened, 1);
    int i_day = -1, i_set = -1, i_slot = -1;
    grid.GetListSlot(i_day, i_set, i_slot);
    EXPECT_EQ(i_set, 1);
    EXPECT_EQ(i_slot, 2);
}

TEST_F(DayGridCoreTest, ADoubleClickSelectsTheSlotAloneAndOpensTheListOnIt)
{
    TestCore& grid = Grid();
    grid.Slot(0, 0).Select(true);
    CRect rc;
    grid.GetSlotRect(0, 1, 1, rc);
    grid.OnLButtonDblClk(rc.CenterPoint());
    ASSERT_EQ(Window.nOpened, 1);
    EXPECT_FALSE(grid.Slot(0, 0).IsSelected());
    EXPECT_TRUE(grid.Slot(1, 1).IsSelected());
    int i_day = -1, i_set = -1, i_slot = -1;
    grid.GetListSlot(i_day, i_set, i_slot);
    EXPECT_EQ(i_set, 1);
    EXPECT_EQ(i_slot, 1);

    // Between the slots: nothing opens.
    Window.bOpen = FALSE;
    grid.OnLButtonDblClk(CPoint(rc.CenterPoint().x, grid.GetSetRowRect().top));
    EXPECT_EQ(Window.nOpened, 1);
}

TEST_F(DayGridCoreTest, WithoutATimetableNothingIsFoundAndTheCommandsDoNothing)
{
    TestCore& grid = Grid();
    Doc().DeleteTimetable();
    DayGridCore::SlotPos pos;
    EXPECT_FALSE(grid.FindSlot(grid.Slot(0, 0).GetItemData(), pos));
    grid.Slot(0, 0).Select(true);
    EXPECT_EQ(grid.CountSelected(0), 0);
    Doc().SetModifiedFlag(false);
    for (const UINT u : {DayGridCore::ID_LOCK, DayGridCore::ID_UNLOCK, DayGridCore::ID_LOCK_ALL,
                         DayGridCore::ID_UNLOCK_ALL, DayGridCore::ID_CHANGE_TIMESLOTS})
        EXPECT_EQ(grid.OnCommand(u), 1);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(grid.IsReadOnly());
    grid.OpenGroupList(0, 0, 0);
    EXPECT_TRUE(Window.vChoices.empty());
}

TEST_F(DayGridCoreTest, AGridThatGoesKeepsItsScrollPositions)
{
    TestCore& grid = Grid();
    ZelScrollInfo info;
    info.nMax = 1000;
    info.nPage = 100;
    info.nPos = 40;
    Host.SetScrollInfo(SB_HORZ, info);
    info.nPos = 70;
    Host.SetScrollInfo(SB_VERT, info);
    grid.StoreScrollPositions();
    EXPECT_EQ(TheTimetableViewState().lScrollX, 40);
    EXPECT_EQ(TheTimetableViewState().lScrollY, 70);
}

} // namespace
