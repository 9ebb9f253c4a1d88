// The timetable view in the program, in-process under a virtual display,
// over a sample event whose timetable the build made: its tabs and grid,
// the in-place group list closed by a click elsewhere and by Esc, the lock
// commands through the frame, and a slot moved in change-timeslots mode.
//
// With ROTAVEX_SHOW_SECONDS set, the view stays on screen that long at
// each stage (the grid, the open list, the locks), for screenshots.
#include "framework/Desktop.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/FileIO.h"
#include "model/EventDoc.h"
#include "shell/frame/CommandIds.h"
#include "shell/timetable/DayGrid.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "testsupport/ui/SampleProgram.h"
#include "testsupport/ui/WindowStacking.h"
#include "shell/timetable/TimetableView.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <utility>
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/init.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace fs = std::filesystem;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

class TimetableViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Program.Start("rvx-ttview", fs::path(ROTAVEX_SAMPLE_TIMETABLES) / "Festival weekend.eve", 1200, 800));
    }
    void TearDown() override { Program.ShutDown(); }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    CRotavexView* View() { return dynamic_cast<CRotavexView*>(Frame().GetPaneView(1, 1)); }
    DayGrid& Grid() { return *View()->GetDayGrid(); }
    bool Run(UINT u_command)
    {
        const bool b_ran = Frame().RunCommand(u_command);
        Pump();
        return b_ran;
    }
    // The timetable timeslot of grid slot (set, slot).
    Timeslot& Placed(int i_set, int i_slot)
    {
        DayGridCore::SlotPos pos;
        const ZelTimeslot& grid_slot = Grid().GetCore().GetTimeslotList(0, i_set)[i_slot];
        EXPECT_TRUE(Grid().GetCore().FindSlot(grid_slot.GetItemData(), pos));
        return Doc().GetTimetable()->GetDay(pos.iDay).GetVenueSlots(pos.iVenue)[pos.iSlot];
    }
    // A mouse event of the type on the grid at the slot's centre.
    void Mouse(wxEventType e_type, int i_set, int i_slot)
    {
        CRect rc;
        Grid().GetCore().GetSlotRect(0, static_cast<UINT>(i_set), static_cast<UINT>(i_slot), rc);
        wxMouseEvent event(e_type);
        event.SetPosition(wxPoint(rc.CenterPoint().x, rc.CenterPoint().y));
        event.SetEventObject(&Grid());
        Grid().GetEventHandler()->ProcessEvent(event);
        Pump();
    }
    void Key(wxWindow* p_window, int i_key)
    {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = i_key;
        event.SetEventObject(p_window);
        p_window->GetEventHandler()->ProcessEvent(event);
        Pump();
    }
    // The index in the open list of a group other than the slot's own.
    int OtherChoice(const Timeslot& slot)
    {
        wxComboBox* p_list = Grid().GetGroupList();
        for (unsigned i = 0; i < p_list->GetCount(); ++i) {
            const int i_group = Doc().GetGroups().FindByKey(slot.GetGroup());
            if (i_group < 0 || p_list->GetString(i) != wxString(Doc().GetGroups()[i_group].GetName()))
                return static_cast<int>(i);
        }
        return -1;
    }

    SampleProgram Program;
    ScriptedMessageBox Boxes;
    RecordingDesktop Desktop;
};

TEST_F(TimetableViewTest, TabsPerDayTheInPlaceListLocksAndChangedTimeslots)
{
    CRotavexView* p_view = View();
    ASSERT_NE(p_view, nullptr);
    ASSERT_NE(Doc().GetTimetable(), nullptr);
    const Timetable& timetable = *Doc().GetTimetable();
    ASSERT_GE(timetable.GetNumDays(), 2);
    wxNotebook* p_tabs = p_view->GetTabs();
    ASSERT_EQ(static_cast<int>(p_tabs->GetPageCount()), timetable.GetNumDays());
    for (int d = 0; d < timetable.GetNumDays(); ++d)
        EXPECT_EQ(p_tabs->GetPageText(static_cast<std::size_t>(d)), wxString(timetable.GetDay(d).GetName()));
    ASSERT_NE(p_view->GetDayGrid(), nullptr);
    EXPECT_EQ(Grid().GetId(), DayGrid::iGridId);
    EXPECT_EQ(Grid().GetCore().GetDayName(0), timetable.GetDay(0).GetName());
    EXPECT_EQ(Grid().GetCore().GetNumSets(0), Doc().GetNumVenues());
    EXPECT_TRUE(Grid().IsShown());
    EXPECT_GT(Grid().GetSize().GetHeight(), 100);
    ShowAWhile();

    // Another tab: a new grid for that day.
    p_tabs->SetSelection(1);
    Pump();
    EXPECT_EQ(Grid().GetCore().GetDayName(0), timetable.GetDay(1).GetName());
    EXPECT_EQ(TheTimetableViewState().iSelectedDay, 1);

    // A double click opens the list over the slot; a click elsewhere places
    // the group chosen, locked.
    const int i_set = 0;
    const int i_slot = 0;
    Placed(i_set, i_slot).SetLocked(FALSE);
    Mouse(wxEVT_LEFT_DCLICK, i_set, i_slot);
    wxComboBox* p_list = Grid().GetGroupList();
    ASSERT_NE(p_list, nullptr);
    EXPECT_EQ(p_list->GetId(), DayGrid::iListId);
    ASSERT_GT(p_list->GetCount(), 1u);
    ShowAWhile();
    const int i_choice = OtherChoice(Placed(i_set, i_slot));
    ASSERT_GE(i_choice, 0);
    p_list->SetSelection(i_choice);
    const std::string s_chosen(p_list->GetString(static_cast<unsigned>(i_choice)).utf8_str());
    Mouse(wxEVT_LEFT_DOWN, i_set + 1, 0);
    Mouse(wxEVT_LEFT_UP, i_set + 1, 0);
    EXPECT_EQ(Grid().GetGroupList(), nullptr);
    {
        const Timeslot& slot = Placed(i_set, i_slot);
        const int i_group = Doc().GetGroups().FindByKey(slot.GetGroup());
        ASSERT_GE(i_group, 0);
        EXPECT_EQ(Doc().GetGroups()[i_group].GetName(), s_chosen);
        EXPECT_TRUE(slot.IsLocked());
    }
    EXPECT_TRUE(Doc().IsModified());

    // Again, with Esc: nothing changes.
    const LONG l_before = Placed(i_set, i_slot).GetGroup();
    Mouse(wxEVT_LEFT_DCLICK, i_set, i_slot);
    p_list = Grid().GetGroupList();
    ASSERT_NE(p_list, nullptr);
    p_list->SetSelection(OtherChoice(Placed(i_set, i_slot)));
    Key(p_list, WXK_ESCAPE);
    EXPECT_EQ(Grid().GetGroupList(), nullptr);
    EXPECT_EQ(Placed(i_set, i_slot).GetGroup(), l_before);

    // The lock commands through the frame, the grid's view active.
    Frame().FindView(kTimetableView, true);
    EXPECT_TRUE(Frame().IsCommandEnabled(DayGridCore::ID_LOCK_ALL));
    EXPECT_TRUE(Frame().IsCommandEnabled(DayGridCore::ID_UNLOCK)) << "the slot just locked is selected";
    EXPECT_FALSE(Frame().IsCommandEnabled(DayGridCore::ID_LOCK));
    EXPECT_TRUE(Run(DayGridCore::ID_UNLOCK));
    EXPECT_FALSE(Placed(i_set, i_slot).IsLocked());
    EXPECT_TRUE(Run(DayGridCore::ID_LOCK));
    EXPECT_TRUE(Placed(i_set, i_slot).IsLocked());
    EXPECT_TRUE(Run(DayGridCore::ID_LOCK_ALL));
    int n_placed = 0;
    int n_locked = 0;
    for (int d = 0; d < timetable.GetNumDays(); ++d)
        for (int v = 0; v < Doc().GetNumVenues(); ++v)
            for (int i = 0; i < timetable.GetDay(d).GetVenueSlots(v).GetSize(); ++i) {
                const Timeslot& slot = timetable.GetDay(d).GetVenueSlots(v)[i];
                n_placed += slot.GetGroup() >= 0;
                n_locked += slot.IsLocked() != FALSE;
                EXPECT_FALSE(slot.IsLocked() && slot.GetGroup() < 0);
            }
    EXPECT_GT(n_placed, 0);
    EXPECT_EQ(n_locked, n_placed);
    ShowAWhile();
    EXPECT_TRUE(Run(DayGridCore::ID_UNLOCK_ALL));
    EXPECT_FALSE(Placed(i_set, i_slot).IsLocked());

    // Change timeslots: the last slot of the first venue moves down a step
    // and the timetable's day follows.
    bool b_checked = true;
    EXPECT_TRUE(Frame().IsCommandEnabled(DayGridCore::ID_CHANGE_TIMESLOTS, &b_checked));
    EXPECT_FALSE(b_checked);
    EXPECT_TRUE(Run(DayGridCore::ID_CHANGE_TIMESLOTS));
    EXPECT_FALSE(Grid().GetCore().IsReadOnly());
    DayGridCore& core = Grid().GetCore();
    const int i_last = core.GetTimeslotList(0, 0).GetCount() - 1;
    const CHighTimeSpan start_before = Placed(0, i_last).GetStartOffset();
    const int n_before = timetable.GetDay(1).GetVenueSlots(0).GetSize();
    core.UnselectAll();
    core.Select(0, 0, i_last, FALSE, FALSE);
    Grid().SetFocus();
    Key(&Grid(), WXK_DOWN);
    const Day& day = timetable.GetDay(1);
    ASSERT_EQ(day.GetVenueSlots(0).GetSize(), n_before);
    EXPECT_GT(day.GetVenueSlots(0)[n_before - 1].GetStartOffset(), start_before);
    EXPECT_GT(Placed(0, i_last).GetStartOffset(), start_before) << "the grid's slot names the moved timeslot";
    EXPECT_FALSE(timetable.IsValid());
    EXPECT_TRUE(Run(DayGridCore::ID_CHANGE_TIMESLOTS));
    EXPECT_TRUE(Grid().GetCore().IsReadOnly());
}

TEST_F(TimetableViewTest, TheListClosesByEnterTabFocusLossAndTheDocumentsCommitAndTabMovesIntoTheGrid)
{
    ASSERT_NE(View(), nullptr);
    wxNotebook* p_tabs = View()->GetTabs();
    p_tabs->SetFocus();
    Pump();
    ASSERT_EQ(wxWindow::FindFocus(), p_tabs);
    Key(p_tabs, WXK_TAB);
    EXPECT_EQ(wxWindow::FindFocus(), &Grid());

    // Each way of closing places the group chosen: Enter, Tab, the focus
    // going elsewhere, scrolling, a change of size, and the document's
    // commit of pending grid edits (before a build or a close).
    struct Way {
        const char* pName;
        std::function<void(wxComboBox*)> fClose;
    };
    const Way a_ways[] = {
        {"Enter", [this](wxComboBox* p_list) { Key(p_list, WXK_RETURN); }},
        {"Tab", [this](wxComboBox* p_list) { Key(p_list, WXK_TAB); }},
        {"focus elsewhere",
         [p_tabs](wxComboBox*) {
             p_tabs->SetFocus();
             Pump();
         }},
        {"scrolling",
         [this](wxComboBox*) {
             wxScrollWinEvent event(wxEVT_SCROLLWIN_LINEDOWN, 0, wxVERTICAL);
             event.SetEventObject(&Grid());
             Grid().GetEventHandler()->ProcessEvent(event);
             Pump();
         }},
        {"resizing",
         [this](wxComboBox*) {
             wxSizeEvent event(Grid().GetSize(), Grid().GetId());
             event.SetEventObject(&Grid());
             Grid().GetEventHandler()->ProcessEvent(event);
             Pump();
         }},
        {"document's commit",
         [this](wxComboBox*) {
             Doc().CommitViewEdits();
             Pump();
         }},
    };
    int i_slot = 0;
    for (const Way& way : a_ways) {
        SCOPED_TRACE(way.pName);
        const int i_set = i_slot % 2;
        Mouse(wxEVT_LEFT_DCLICK, i_set, i_slot / 2);
        wxComboBox* p_list = Grid().GetGroupList();
        ASSERT_NE(p_list, nullptr);
        EXPECT_EQ(wxWindow::FindFocus(), p_list);
        const int i_choice = OtherChoice(Placed(i_set, i_slot / 2));
        ASSERT_GE(i_choice, 0);
        p_list->SetSelection(i_choice);
        const std::string s_chosen(p_list->GetString(static_cast<unsigned>(i_choice)).utf8_str());
        way.fClose(p_list);
        EXPECT_EQ(Grid().GetGroupList(), nullptr);
        const Timeslot& slot = Placed(i_set, i_slot / 2);
        const int i_group = Doc().GetGroups().FindByKey(slot.GetGroup());
        ASSERT_GE(i_group, 0);
        EXPECT_EQ(Doc().GetGroups()[i_group].GetName(), s_chosen);
        EXPECT_TRUE(slot.IsLocked());
        ++i_slot;
    }
}

} // namespace

// A group name of 315 characters and a venue name as long as a venue
// takes: no column grows past the grid's bound (the names end in "..."),
// the grid keeps its type, and after the grid is scrolled sideways to any
// position the time labels are painted as before, with no column line
// across them.
TEST_F(TimetableViewTest, LongNamesKeepTheColumnsTheTypeAndTheTimeLabels)
{
    ASSERT_NE(View(), nullptr);
    CRect rc_first;
    ASSERT_TRUE(Grid().GetCore().SetToRect(0, 0, rc_first));
    const int i_width_before = rc_first.Width();

    std::string s_long = "A name that goes on";
    while (s_long.size() < 315)
        s_long += " and on";
    Timeslot& placed = Placed(0, 0);
    const int i_group = Doc().GetGroups().FindByKey(placed.GetGroup());
    ASSERT_GE(i_group, 0);
    Doc().GetGroups()[i_group].SetName(s_long);
    Doc().GetVenues()[0].SetName(s_long);
    // The grid of another day, and this day's again: made afresh.
    View()->GetTabs()->SetSelection(1);
    Pump();
    View()->GetTabs()->SetSelection(0);
    Pump();
    DayGridCore& core = Grid().GetCore();
    ASSERT_EQ(core.GetSetName(0, 0), Doc().GetVenues()[0].GetName());
    ASSERT_GT(Doc().GetVenues()[0].GetName().size(), std::size_t{ZelTimeslotDisplayGrid::nMaxColumnChars} + 10);

    const int i_bound = (ZelTimeslotDisplayGrid::nMaxColumnChars + 2) * Grid().GetCharWidth() + 9;
    for (int s = 0; s < core.GetNumSets(0); ++s) {
        CRect rc;
        ASSERT_TRUE(core.SetToRect(0, static_cast<UINT>(s), rc));
        EXPECT_LE(rc.Width(), std::max(i_bound, i_width_before)) << "column " << s;
    }
    EXPECT_EQ(core.GetCtrlFont().iPoints, 0) << "the grid keeps the window's type, not a smaller one";
    ShowAWhile();

    // Sideways, to where a column's edge lies under the time labels, in a
    // pane narrow enough for the columns to need the horizontal bar (the
    // sash between the pane columns far to the right).
    auto* p_columns = dynamic_cast<wxSplitterWindow*>(Frame().GetPane(1, 1)->GetParent()->GetParent());
    ASSERT_NE(p_columns, nullptr);
    p_columns->SetSashPosition(p_columns->GetClientSize().x - 250);
    Pump();
    const ZelScrollInfo info = Grid().GetScrollInfoOf(wxHORIZONTAL);
    ASSERT_LT(static_cast<int>(info.nPage), info.nMax - info.nMin) << "the grid scrolls sideways";
    const CRect rc_labels = core.GetTimeLabelRect();
    // Down to the scroll bars, which the toolkit may draw over the client
    // area for a moment after a scroll.
    const int i_bottom = std::min<int>(rc_labels.bottom, Grid().GetClientSize().y)
        - 2 * wxSystemSettings::GetMetric(wxSYS_HSCROLL_Y, &Grid());
    const wxRect rc_column(0, rc_labels.top, rc_labels.right, i_bottom - rc_labels.top);
    const auto labels = [this, &rc_column] {
        Grid().Refresh();
        Grid().Update();
        Pump();
        const wxImage image = CaptureOnScreen(Grid());
        return image.IsOk() ? image.GetSubImage(rc_column) : wxImage();
    };
    const wxImage before = labels();
    ASSERT_TRUE(before.IsOk()) << "the display can be read back";
    // The first column edge that a scroll within the bar's range brings
    // under the labels, where they end.
    const int i_last = info.nMax - static_cast<int>(info.nPage) + 1;
    int i_position = -1;
    for (int s = 0; s < core.GetNumSets(0) && i_position < 0; ++s) {
        CRect rc_set;
        ASSERT_TRUE(core.SetToRect(0, static_cast<UINT>(s), rc_set));
        for (int i_scroll = info.nPos + 1; i_scroll <= i_last && i_position < 0; ++i_scroll) {
            const int x = rc_set.right - (i_scroll - info.nPos);
            if (x > rc_labels.right / 4 && x < rc_labels.right - 4)
                i_position = i_scroll;
        }
    }
    ASSERT_GT(i_position, 0) << "a column edge can be scrolled under the labels";
    wxScrollWinEvent thumb(wxEVT_SCROLLWIN_THUMBRELEASE, i_position - info.nMin, wxHORIZONTAL);
    thumb.SetEventObject(&Grid());
    Grid().GetEventHandler()->ProcessEvent(thumb);
    Pump();
    ASSERT_GT(Grid().GetScrollInfoOf(wxHORIZONTAL).nPos, info.nPos) << "scrolled";
    ShowAWhile();
    const wxImage after = labels();
    ASSERT_TRUE(after.IsOk());
    ASSERT_EQ(after.GetSize(), before.GetSize());
    const std::size_t u_bytes = static_cast<std::size_t>(before.GetWidth()) * before.GetHeight() * 3;
    EXPECT_TRUE(std::equal(before.GetData(), before.GetData() + u_bytes, after.GetData()))
        << "the time labels are painted as they were before the scroll";
}

// The keyboard leaves the grid, with real key presses: Tab walks the slots
// and after the last one moves on to the next pane (round to the venues);
// Ctrl+Tab and F6 move on at once, with Shift back to the pane before.
TEST_F(TimetableViewTest, TabCtrlTabAndF6LeaveTheGridForTheNextPane)
{
    ASSERT_NE(View(), nullptr);
    const auto settle = [] {
        for (int i = 0; i < 20; ++i) {
            Pump();
            wxMilliSleep(10);
        }
    };
    const auto into_grid = [&] {
        Frame().Raise();
        Grid().SetFocus();
        settle();
    };
    wxUIActionSimulator keys;

    struct Case {
        const char* pName;
        int iKey;
        int iModifiers;
        std::pair<int, int> Pane;
    };
    const Case a_cases[] = {
        {"Ctrl+Tab", WXK_TAB, wxMOD_CONTROL, {0, 0}},
        {"F6", WXK_F6, wxMOD_NONE, {0, 0}},
        {"Ctrl+Shift+Tab", WXK_TAB, wxMOD_CONTROL | wxMOD_SHIFT, {1, 0}},
        {"Shift+F6", WXK_F6, wxMOD_SHIFT, {1, 0}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pName);
        into_grid();
        ASSERT_EQ(wxWindow::FindFocus(), &Grid());
        keys.Char(c.iKey, c.iModifiers);
        settle();
        EXPECT_EQ(FocusPane(), c.Pane);
    }

    // Tab: from slot to slot, then out.
    into_grid();
    ASSERT_EQ(wxWindow::FindFocus(), &Grid());
    const int n_slots = Grid().GetCore().CountSlots();
    ASSERT_GT(n_slots, 1);
    int n_tabs = 0;
    while (wxWindow::FindFocus() == &Grid() && n_tabs <= n_slots + 1) {
        keys.Char(WXK_TAB);
        settle();
        ++n_tabs;
    }
    EXPECT_GT(n_tabs, 1) << "Tab walks the slots first";
    EXPECT_LE(n_tabs, n_slots + 1);
    EXPECT_EQ(FocusPane(), (std::pair<int, int>{0, 0})) << "after the last slot, the next pane";
}

// The main window made as small as it goes: the toolbar shows every button
// (the toolkit puts none into its overflow menu), every pane lies whole
// above the status bar with a few rows of room, and the timetable shows its
// headers and at least three timeslot rows.
TEST_F(TimetableViewTest, TheSmallestWindowShowsEveryPaneAndTheWholeToolbar)
{
    ASSERT_NE(View(), nullptr);
    Frame().SetSize(wxSize(300, 200));
    Frame().Centre();
    // A window manager answers a moment later.
    for (int i = 0; i < 300 && (i < 20 || Frame().GetSize().x >= 800); ++i) {
        Pump();
        wxMilliSleep(10);
    }
    EXPECT_GE(Frame().GetSize().x, Frame().GetMinSize().x);
    EXPECT_GE(Frame().GetSize().y, Frame().GetMinSize().y);
    EXPECT_LT(Frame().GetSize().x, 800) << "a small window";
    ShowAWhile();

    wxToolBar* p_tools = Frame().GetToolBar();
    ASSERT_NE(p_tools, nullptr);
    using NItemsFn = int (*)(void*);
    using NthFn = void* (*)(void*, int);
    using VisibleFn = int (*)(void*);
    auto p_count = reinterpret_cast<NItemsFn>(dlsym(RTLD_DEFAULT, "gtk_toolbar_get_n_items"));
    auto p_nth = reinterpret_cast<NthFn>(dlsym(RTLD_DEFAULT, "gtk_toolbar_get_nth_item"));
    auto p_shown = reinterpret_cast<VisibleFn>(dlsym(RTLD_DEFAULT, "gtk_widget_get_child_visible"));
    ASSERT_TRUE(p_count && p_nth && p_shown);
    // The toolkit's toolbar, inside the box that wx puts round it.
    auto p_child = reinterpret_cast<void* (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_bin_get_child"));
    ASSERT_NE(p_child, nullptr);
    void* p_bar = p_tools->GetHandle();
    while (p_bar != nullptr && wmstack::TypeName(p_bar) != "GtkToolbar")
        p_bar = p_child(p_bar);
    ASSERT_NE(p_bar, nullptr);
    const int n_items = p_count(p_bar);
    EXPECT_EQ(n_items, static_cast<int>(p_tools->GetToolsCount()));
    for (int i = 0; i < n_items; ++i)
        EXPECT_TRUE(p_shown(p_nth(p_bar, i))) << "toolbar item " << i << " is in the overflow menu";

    // The splitters' frame lines may reach a pixel beyond the client area.
    const wxRect rc_client = wxRect(Frame().GetClientAreaOrigin(), Frame().GetClientSize()).Inflate(1);
    const int i_rows = 5 * Frame().GetCharHeight();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(testing::Message() << "pane " << r << ", " << c);
            wxWindow* p_pane = Frame().GetPane(r, c);
            ASSERT_NE(p_pane, nullptr);
            const wxRect rc_pane(Frame().ScreenToClient(p_pane->GetScreenPosition()), p_pane->GetSize());
            EXPECT_TRUE(rc_client.Contains(rc_pane)) << "the pane lies whole in the window";
            EXPECT_GE(rc_pane.height, i_rows);
            EXPECT_GE(rc_pane.width, 10 * Frame().GetCharWidth());
        }
    if (wxStatusBar* p_status = Frame().GetStatusBar()) {
        const int i_status_top = Frame().ScreenToClient(p_status->GetScreenPosition()).y;
        wxWindow* p_bottom = Frame().GetPane(1, 1);
        EXPECT_LE(Frame().ScreenToClient(p_bottom->GetScreenPosition()).y + p_bottom->GetSize().y, i_status_top);
    }
    const DayGridCore& core = Grid().GetCore();
    CRect rc_labels = core.GetTimeLabelRect();
    const int i_shown = Grid().GetClientSize().y - rc_labels.top;
    EXPECT_GE(i_shown, 3 * core.GetLinePitch()) << "three timeslot rows at least";
}

TEST_F(TimetableViewTest, ANewEventSendsTheViewBackToItsFirstDayUnscrolled)
{
    ASSERT_NE(View(), nullptr);
    View()->GetTabs()->SetSelection(2);
    Pump();
    ASSERT_EQ(TheTimetableViewState().iSelectedDay, 2);
    ASSERT_FALSE(TheTimetableViewState().bScrollReset);

    EXPECT_TRUE(Run(ID_FILE_NEW));
    EXPECT_LE(TheTimetableViewState().iSelectedDay, 0);
    EXPECT_TRUE(TheTimetableViewState().bScrollReset);
    EXPECT_EQ(View()->GetDayGrid(), nullptr);
}

TEST_F(TimetableViewTest, TheGridPaintsItsSlotsWhileTheMainWindowIsDisabled)
{
    // A build disables the main window, and every modal dialog does: the
    // grid inside is not disabled itself and paints its slots as before.
    ASSERT_NE(View(), nullptr);
    CRect rc_slot;
    Grid().GetCore().GetSlotRect(0, 0, 0, rc_slot);
    ASSERT_FALSE(rc_slot.IsRectEmpty());
    const wxRect rc =
        wxRect(rc_slot.left, rc_slot.top, rc_slot.Width(), rc_slot.Height()).Intersect(wxRect(Grid().GetClientSize()));
    ASSERT_FALSE(rc.IsEmpty()) << "the first slot is in sight";
    const auto painted = [this, &rc] {
        Grid().Refresh();
        Grid().Update();
        Pump();
        const wxImage image = CaptureOnScreen(Grid());
        return image.IsOk() ? image.GetSubImage(rc) : wxImage();
    };
    const wxImage enabled = painted();
    ASSERT_TRUE(enabled.IsOk()) << "the display can be read back";

    Frame().Disable();
    const wxImage disabled = painted();
    Frame().Enable();
    ASSERT_TRUE(disabled.IsOk());
    ASSERT_EQ(disabled.GetSize(), enabled.GetSize());
    const std::size_t u_bytes = static_cast<std::size_t>(enabled.GetWidth()) * enabled.GetHeight() * 3;
    EXPECT_TRUE(std::equal(enabled.GetData(), enabled.GetData() + u_bytes, disabled.GetData()))
        << "the slot is painted the same with the main window disabled";

    // The grid disabled itself shows no slots.
    Grid().Disable();
    const wxImage off = painted();
    Grid().Enable();
    ASSERT_TRUE(off.IsOk());
    EXPECT_FALSE(std::equal(enabled.GetData(), enabled.GetData() + u_bytes, off.GetData()));
}
