// The timetable view's work without a window: the tabs and the selected
// day across updates, the scroll position handed from grid to grid and its
// reset, the hints it leaves alone, and the write-back of the timeslots
// edited in the grid.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/timetable/DayGridCore.h"
#include "shell/timetable/TimetableViewCore.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/tests/TimeslotFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testevent::EventBuilder;

// Tabs as a list of titles, the grid on a small fake window of its own
// (each grid gets a fresh one, as each grid is a fresh window).
class FakeViewWindow : public ITimetableViewWindow {
public:
    void RemoveAllTabs() override
    {
        DestroyGrid();
        vTabs.clear();
        iSelected = -1;
        ++nCleared;
    }
    void AddTab(const std::string& s_title) override
    {
        vTabs.push_back(s_title);
        if (iSelected < 0)
            iSelected = 0;
    }
    BOOL SelectTab(int i_tab) override
    {
        if (i_tab < 0 || i_tab >= static_cast<int>(vTabs.size()))
            return FALSE;
        iSelected = i_tab;
        return TRUE;
    }
    DayGridCore* CreateGrid(EventDoc* p_doc, const Day& day, const ZelTimeslotCombinationList& combinations) override
    {
        DestroyGrid();
        pHost = std::make_unique<FakeHost>(200, 100);
        pGrid = std::make_unique<DayGridCore>(p_doc, day);
        pHost->Attach(*pGrid);
        pGrid->LoadDay(day);
        pGrid->SetCombinations(combinations);
        iGridDay = day.GetDayIndex();
        ++nGrids;
        return pGrid.get();
    }
    void DestroyGrid() override
    {
        if (!pGrid)
            return;
        pGrid->StoreScrollPositions();
        pGrid.reset();
    }
    DayGridCore* GetGrid() override { return pGrid.get(); }
    void SetRedraw(BOOL b_redraw) override { iRedrawOff += b_redraw ? -1 : 1; }

    int ScrollPos(int i_bar) const
    {
        ZelScrollInfo info;
        return pHost->GetScrollInfo(i_bar, info) ? info.nPos : -1;
    }

    std::vector<std::string> vTabs{""};
    int iSelected = 0;
    int nCleared = 0;
    int nGrids = 0;
    int iGridDay = -1;
    int iRedrawOff = 0;
    std::unique_ptr<FakeHost> pHost;
    std::unique_ptr<DayGridCore> pGrid;
};

// Mon, Tue, Wed with hourly slots from 08:00 to 20:00 at the Hall and the
// Room; the Choir locked on Mon at 09:00 in the Hall.
class TimetableViewCoreTest : public ::testing::Test {
protected:
    TimetableViewCoreTest() : Core(Window)
    {
        ZelTimeslotGrid::Settings() = ZelTimeslotSettings();
        TheTimetableViewState() = TimetableViewState();
        std::vector<std::string> v_times;
        Event.Name("Test").Days({"Mon", "Tue", "Wed"});
        Event.Slots(-1, {"08:00-09:00", "09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00",
                         "13:00-14:00", "14:00-15:00", "15:00-16:00", "16:00-17:00", "17:00-18:00",
                         "18:00-19:00", "19:00-20:00"})
            .Venue("Hall")
            .Venue("Room")
            .Group("Choir")
            .Timetable()
            .Place(0, "Hall", "09:00", "Choir", true);
        Core.SetDocument(&Doc());
    }
    ~TimetableViewCoreTest() override
    {
        Window.DestroyGrid();
        ZelTimeslotGrid::Settings() = ZelTimeslotSettings();
        TheTimetableViewState() = TimetableViewState();
    }

    EventDoc& Doc() { return Event.Doc(); }

    EventBuilder Event;
    FakeViewWindow Window;
    TimetableViewCore Core;
};

TEST_F(TimetableViewCoreTest, OneTabPerDayTheSelectedDayKeptAcrossUpdatesAndTheFirstWhenItIsGone)
{
    ASSERT_TRUE(Core.FillTabs());
    EXPECT_EQ(Window.vTabs, (std::vector<std::string>{"Mon", "Tue", "Wed"}));
    EXPECT_EQ(Window.iSelected, 0);
    EXPECT_EQ(Window.iGridDay, 0);
    EXPECT_EQ(Window.iRedrawOff, 0);

    Window.SelectTab(2);
    Core.SelectDay(2);
    EXPECT_EQ(Window.iGridDay, 2);
    EXPECT_EQ(TheTimetableViewState().iSelectedDay, 2);
    // A day the timetable lacks changes nothing.
    Core.SelectDay(3);
    EXPECT_EQ(Window.iGridDay, 2);

    Core.OnUpdate(nullptr);
    EXPECT_EQ(Window.iSelected, 2);
    EXPECT_EQ(Window.iGridDay, 2);

    TheTimetableViewState().iSelectedDay = 7;
    const UpdateViewHint venues(UpdateViewHint::e_venues, -1, 0);
    Core.OnUpdate(&venues);
    EXPECT_EQ(Window.iSelected, 0);
    EXPECT_EQ(Window.iGridDay, 0);
    EXPECT_EQ(TheTimetableViewState().iSelectedDay, 0);
}

TEST_F(TimetableViewCoreTest, AGroupViewsOwnUpdateLeavesTabsAndGridAlone)
{
    ASSERT_TRUE(Core.FillTabs());
    const int n_grids = Window.nGrids;
    const int n_cleared = Window.nCleared;
    const LONG l_key = Event.GroupKey("Choir");
    for (LONG l_value : {1, 2}) {
        const UpdateViewHint own(UpdateViewHint::e_groups, l_key, l_value);
        Core.OnUpdate(&own);
    }
    EXPECT_EQ(Window.nGrids, n_grids);
    EXPECT_EQ(Window.nCleared, n_cleared);

    const UpdateViewHint groups(UpdateViewHint::e_groups, -1, 0);
    Core.OnUpdate(&groups);
    EXPECT_EQ(Window.nGrids, n_grids + 1);
    EXPECT_GT(Window.nCleared, n_cleared);
}

TEST_F(TimetableViewCoreTest, AnEventWithoutVenuesKeepsItsFirstEmptyTabUntilAnUpdateRemovesIt)
{
    EventDoc doc;
    Core.SetDocument(&doc);
    EXPECT_TRUE(Core.FillTabs());
    EXPECT_EQ(Window.vTabs, (std::vector<std::string>{""}));
    Core.OnUpdate(nullptr);
    EXPECT_TRUE(Window.vTabs.empty());
    EXPECT_EQ(Window.GetGrid(), nullptr);
    // Nothing to write back either.
    Core.OnTimeslotsChanged();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TimetableViewCoreTest, TheNextGridTakesTheScrollPositionUnlessTheViewWasReset)
{
    ASSERT_TRUE(Core.FillTabs());
    Window.GetGrid()->ScrollBy(-30, -50);
    const int i_x = Window.ScrollPos(SB_HORZ);
    const int i_y = Window.ScrollPos(SB_VERT);
    ASSERT_GT(i_y, 0) << "the small window must scroll";

    Core.SelectDay(1);
    EXPECT_EQ(Window.iGridDay, 1);
    EXPECT_EQ(Window.ScrollPos(SB_HORZ), i_x);
    EXPECT_EQ(Window.ScrollPos(SB_VERT), i_y);
    Core.OnUpdate(nullptr);
    EXPECT_EQ(Window.iGridDay, 1);
    EXPECT_EQ(Window.ScrollPos(SB_VERT), i_y);

    // A new event or Reset: the first day, from the top.
    TimetableViewCore::ResetState();
    EXPECT_EQ(TheTimetableViewState().iSelectedDay, -1);
    Core.OnUpdate(nullptr);
    EXPECT_EQ(Window.iGridDay, 0);
    EXPECT_EQ(Window.ScrollPos(SB_VERT), 0);
    EXPECT_EQ(TheTimetableViewState().lScrollY, 0);
    EXPECT_FALSE(TheTimetableViewState().bScrollReset);
}

TEST_F(TimetableViewCoreTest, EditedTimeslotsBecomeTheDaysLayoutAndTimeslotsAndLeaveTheOtherDaysAlone)
{
    ScriptedViews views;
    ASSERT_TRUE(Core.FillTabs());
    const ZelRelTimeslotArray a_tuesday = Doc().GetEventDef().GetDayDef().GetDaySlots(1).GetSlots();
    const LONG l_choirSlot = Event.Slot(0, "Hall", "09:00").GetSlotKey();
    Doc().GetTimetable()->SetValid(TRUE);
    Doc().SetModifiedFlag(false);

    // In change-timeslots mode the user drops the Room's 08:00 slot and
    // adds one from 20:00 to 21:30.
    DayGridCore& grid = *Window.GetGrid();
    grid.GetTimeslotList(0, 1).Delete(0);
    ASSERT_EQ(grid.AddSlot(0, 1, 20, 0, 5400, FALSE, FALSE), ZelTimeslotList::Added);
    Core.OnTimeslotsChanged();

    const DayDefSlots& monday = Doc().GetEventDef().GetDayDef().GetDaySlots(0);
    EXPECT_FALSE(monday.IsAllVenues());
    EXPECT_EQ(monday.GetNumSlots(), 24);
    const ZelRelTimeslotArray& a_after = Doc().GetEventDef().GetDayDef().GetDaySlots(1).GetSlots();
    ASSERT_EQ(a_after.GetSize(), a_tuesday.GetSize());
    for (int i = 0; i < a_after.GetSize(); ++i)
        EXPECT_TRUE(a_after[i] == a_tuesday[i]) << i;

    // The timetable's Monday follows; the Hall's placement and its lock stay
    // with their slot, the new slot has a key of its own which the grid
    // took, and the timetable is not built any more.
    const Day& day = Doc().GetTimetable()->GetDay(0);
    ASSERT_EQ(day.GetVenueSlots(1).GetSize(), 12);
    const Timeslot& added = day.GetVenueSlots(1)[11];
    EXPECT_EQ(added.GetStartOffset(), EventBuilder::At("20:00"));
    EXPECT_GT(added.GetSlotKey(), 0);
    const ZelTimeslotList& room = grid.GetTimeslotList(0, 1);
    EXPECT_EQ(static_cast<LONG>(room[room.GetCount() - 1].GetItemData()), added.GetSlotKey());
    EXPECT_EQ(Event.Slot(0, "Hall", "09:00").GetSlotKey(), l_choirSlot);
    EXPECT_TRUE(Event.Slot(0, "Hall", "09:00").IsLocked());
    EXPECT_EQ(Event.Slot(0, "Hall", "09:00").GetGroup(), Event.GroupKey("Choir"));
    EXPECT_EQ(Doc().GetTimetable()->GetDay(1).GetVenueSlots(1).GetSize(), 12);
    EXPECT_FALSE(Doc().GetTimetable()->IsValid());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(views.Updates.empty());
}

TEST_F(TimetableViewCoreTest, MoreDaysThanTabsMayHoldAreToldAndGiveNoTabs)
{
    ScriptedMessageBox boxes;
    EventBuilder big;
    ZelStringArray a_names;
    for (int d = 0; d <= TimetableViewCore::nMaxDays; ++d)
        a_names.Add("Day " + std::to_string(d + 1));
    CustomDays days;
    days.SetDays(a_names);
    big.Doc().GetEventDef().SetDayDef(days);
    big.Slots(-1, {"09:00-10:00"}).Venue("Hall").Timetable();
    ASSERT_EQ(big.Doc().GetTimetable()->GetNumDays(), 10001);

    Core.SetDocument(&big.Doc());
    EXPECT_FALSE(Core.FillTabs());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText.substr(0, 40), "Your timetable specifies 10001 days.\nThi");
    EXPECT_NE(boxes.Boxes()[0].sText.find("maximum number of days (10000)"), std::string::npos);
    EXPECT_EQ(Window.vTabs, (std::vector<std::string>{""}));
    Core.OnUpdate(nullptr);
    EXPECT_TRUE(Window.vTabs.empty());
    EXPECT_EQ(Window.GetGrid(), nullptr);
}

TEST_F(TimetableViewCoreTest, TheRulesAreCheckedAgainWhenChangeTimeslotsEndsAndWhenTheGridLosesTheFocus)
{
    ScriptedMessageBox boxes;
    // A rule over Monday's and one over Tuesday's first two Hall slots.
    Event.DayRule(0, SchedRule::e_different_groups, {"Hall 08:00-09:00", "Hall 09:00-10:00"});
    Event.DayRule(1, SchedRule::e_different_groups, {"Hall 08:00-09:00", "Hall 09:00-10:00"});
    ASSERT_TRUE(Core.FillTabs());
    ASSERT_TRUE(Event.GetDayRule(0).IsEnabled());

    // The day's first Hall slot goes; the rule that names it is dropped
    // once the grid loses the focus.
    auto drop_first_hall_slot = [this] {
        DayGridCore& grid = *Window.GetGrid();
        grid.OnCommand(DayGridCore::ID_CHANGE_TIMESLOTS);
        grid.GetTimeslotList(0, 0).Delete(0);
        Core.OnTimeslotsChanged();
        return &grid;
    };
    DayGridCore* p_grid = drop_first_hall_slot();
    EXPECT_TRUE(Event.GetDayRule(0).IsEnabled()) << "not checked while editing";
    p_grid->AfterKillFocus();
    EXPECT_FALSE(Event.GetDayRule(0).IsEnabled());

    // On Tuesday, when change timeslots is switched off.
    Core.SelectDay(1);
    p_grid = drop_first_hall_slot();
    EXPECT_TRUE(Event.GetDayRule(1).IsEnabled());
    p_grid->OnCommand(DayGridCore::ID_CHANGE_TIMESLOTS);
    EXPECT_TRUE(p_grid->IsReadOnly());
    EXPECT_FALSE(Event.GetDayRule(1).IsEnabled());
    // Each time the user is told.
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

} // namespace
