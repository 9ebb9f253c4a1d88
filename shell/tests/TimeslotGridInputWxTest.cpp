// The timeslot grids with the real mouse and keys, under a window manager
// (the launcher's WM flag), as a user meets them:
// - the pointer goes over a grid that does not have the keyboard focus, the
//   wheel scrolls it and a click takes a slot: the slot taken is the one
//   that was under the pointer and the grid stays where it was scrolled, in
//   the define-event wizard's advanced grid (editable) and in the
//   timetable's day grid (read-only);
// - in the timetable's day grid, from a clicked cell, Tab walks the cells
//   and after the last one moves on to the next pane; Shift+Tab from the
//   first cell moves back to the day tabs;
// - while Tab scrolls the day grid, its headings and time column stay
//   where they are: what is on screen is what a fresh paint gives, and the
//   heading band is the one shown before the scroll;
// - the wheel turned under a resting pointer takes the tip of the cell that
//   was under it away: the tip that shows is the cell's now under it.
//
// The events go through the X server (wxUIActionSimulator over XTest, and
// the wheel as X buttons 4 and 5): the toolkit gives a clicked window the
// focus before the press reaches it.
//
// With ROTAVEX_SHOW_SECONDS set, the windows stay on screen that long after
// the wizard's click ("wizard"), the day grid's click ("day grid"), the
// Tab to the last cell ("last cell") and the tip after the wheel ("tip"), for
// screenshots (ROTAVEX_SHOW_ONLY picks one).
#include "app/InstallSheets.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "model/EventDoc.h"
#include "sheets/DayPages.h"
#include "sheets/DefineEventSheet.h"
#include "sheets/TimeslotsPage.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/timetable/DayGrid.h"
#include "shell/timetable/TimetableView.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SampleProgram.h"
#include "testsupport/ui/WindowStacking.h"
#include "testsupport/ui/XInput.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "zelkit/controls/ui/ZelMonthCalCtrl.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/popupwin.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

using xinput::Settle;
using xinput::WheelDown;

// The screen as the user sees it over a rectangle of screen points, read
// from the root window (so that whatever another window or a stale scroll
// left there counts).
wxImage CaptureScreen(const wxRect& rc)
{
    using namespace wmstack;
    auto p_root = Find<void* (*)()>("gdk_get_default_root_window");
    auto p_capture = Find<void* (*)(void*, int, int, int, int)>("gdk_pixbuf_get_from_window");
    auto p_pixels = Find<unsigned char* (*)(void*)>("gdk_pixbuf_get_pixels");
    auto p_stride = Find<int (*)(void*)>("gdk_pixbuf_get_rowstride");
    auto p_channels = Find<int (*)(void*)>("gdk_pixbuf_get_n_channels");
    auto p_unref = Find<void (*)(void*)>("g_object_unref");
    if (!p_root || !p_capture || !p_pixels || !p_stride || !p_channels || !p_unref || rc.IsEmpty())
        return {};
    void* p_pixbuf = p_capture(p_root(), rc.x, rc.y, rc.width, rc.height);
    if (p_pixbuf == nullptr)
        return {};
    wxImage image(rc.GetSize());
    const unsigned char* p_data = p_pixels(p_pixbuf);
    const int i_stride = p_stride(p_pixbuf);
    const int n_channels = p_channels(p_pixbuf);
    for (int y = 0; y < rc.height; ++y)
        for (int x = 0; x < rc.width; ++x) {
            const unsigned char* p = p_data + y * i_stride + x * n_channels;
            image.SetRGB(x, y, p[0], p[1], p[2]);
        }
    p_unref(p_pixbuf);
    return image;
}

// The rows of two images of one size that differ, as "first..last" (empty
// when none does).
std::string DifferingRows(const wxImage& a, const wxImage& b)
{
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return "the images differ in size";
    int i_first = -1, i_last = -1;
    const int i_row = a.GetWidth() * 3;
    for (int y = 0; y < a.GetHeight(); ++y)
        if (!std::equal(a.GetData() + y * i_row, a.GetData() + (y + 1) * i_row, b.GetData() + y * i_row)) {
            if (i_first < 0)
                i_first = y;
            i_last = y;
        }
    return i_first < 0 ? std::string() : std::to_string(i_first) + ".." + std::to_string(i_last);
}

// A click as a hand makes it, the button held a moment. An editable grid
// waits for the release inside the press (to tell a drag from a click), so
// the release comes from a timer.
void HeldClick()
{
    struct Release : wxTimer {
        void Notify() override { wxUIActionSimulator().MouseUp(); }
    } release;
    wxUIActionSimulator sim;
    release.StartOnce(150);
    sim.MouseDown();
    Settle(400);
    ASSERT_FALSE(release.IsRunning()) << "the button was let go";
    Settle();
}

// The first and last columns of an image that hold a dark pixel (text
// on a light row); (-1, -1) when none does.
std::pair<int, int> InkColumns(const wxImage& image)
{
    std::pair<int, int> ink{-1, -1};
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = 0; y < image.GetHeight(); ++y)
            if (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 300) {
                if (ink.first < 0)
                    ink.first = x;
                ink.second = x;
                break;
            }
    return ink;
}

// The grid's client area on screen.
wxRect ScreenRect(wxWindow& window) { return {window.ClientToScreen(wxPoint(0, 0)), window.GetClientSize()}; }

struct SlotPos {
    int iDay = -1;
    int iSet = -1;
    int iSlot = -1;
    bool operator==(const SlotPos&) const = default;
};

std::ostream& operator<<(std::ostream& os, const SlotPos& pos)
{
    return os << "(day " << pos.iDay << ", set " << pos.iSet << ", slot " << pos.iSlot << ")";
}

SlotPos FocusSlot(const ZelTimeslotGrid& grid)
{
    SlotPos pos;
    grid.FindFocus(pos.iDay, pos.iSet, pos.iSlot);
    return pos;
}

std::vector<SlotPos> SelectedSlots(ZelTimeslotGrid& grid)
{
    std::vector<SlotPos> v;
    for (int d = 0; d < static_cast<int>(grid.GetNumDays()); ++d)
        for (int s = 0; s < grid.GetNumSets(d); ++s)
            for (int i = 0; i < grid.GetTimeslotList(d, s).GetCount(); ++i)
                if (grid.GetTimeslotList(d, s)[i].IsSelected())
                    v.push_back({d, s, i});
    return v;
}

// The slot whose rectangle lies whole in the display rectangle, as near
// its middle as any, other than the first slot of the first column with
// slots (the one a grid gives the focus when it has none).
SlotPos SlotInView(ZelTimeslotGrid& grid)
{
    CRect rc_display;
    grid.GetDisplayRect(rc_display);
    const CPoint pt_middle = rc_display.CenterPoint();
    SlotPos best;
    long l_best = -1;
    bool b_first = true;
    for (int d = 0; d < static_cast<int>(grid.GetNumDays()); ++d)
        for (int s = 0; s < grid.GetNumSets(d); ++s)
            for (int i = 0; i < grid.GetTimeslotList(d, s).GetCount(); ++i) {
                if (b_first) {
                    b_first = false;
                    continue;
                }
                CRect rc;
                grid.GetSlotRect(static_cast<UINT>(d), static_cast<UINT>(s), static_cast<UINT>(i), rc);
                if (rc.IsRectEmpty() || rc.top <= rc_display.top + 2 || rc.bottom >= rc_display.bottom - 2
                    || rc.left < rc_display.left || rc.right > rc_display.right)
                    continue;
                const long l_dx = rc.CenterPoint().x - pt_middle.x;
                const long l_dy = rc.CenterPoint().y - pt_middle.y;
                const long l_distance = l_dx * l_dx + l_dy * l_dy;
                if (l_best < 0 || l_distance < l_best) {
                    l_best = l_distance;
                    best = {d, s, i};
                }
            }
    return best;
}

wxPoint SlotScreenPoint(ZelTimeslotCtrl& ctrl, const SlotPos& pos)
{
    CRect rc;
    ctrl.GetGrid().GetSlotRect(static_cast<UINT>(pos.iDay), static_cast<UINT>(pos.iSet), static_cast<UINT>(pos.iSlot),
                               rc);
    return ctrl.ClientToScreen(wxPoint(rc.CenterPoint().x, rc.CenterPoint().y));
}

// The last slot of the grid in day, set, slot order.
SlotPos LastSlot(ZelTimeslotGrid& grid)
{
    SlotPos last;
    for (int d = 0; d < static_cast<int>(grid.GetNumDays()); ++d)
        for (int s = 0; s < grid.GetNumSets(d); ++s)
            if (grid.GetTimeslotList(d, s).GetCount() > 0)
                last = {d, s, grid.GetTimeslotList(d, s).GetCount() - 1};
    return last;
}

SlotPos FirstSlot(ZelTimeslotGrid& grid)
{
    for (int d = 0; d < static_cast<int>(grid.GetNumDays()); ++d)
        for (int s = 0; s < grid.GetNumSets(d); ++s)
            if (grid.GetTimeslotList(d, s).GetCount() > 0)
                return {d, s, 0};
    return {};
}

// Where the keyboard is when the walk begins.
enum class Elsewhere {
    // Another control of the grid's window has the focus.
    Control,
    // The grid holds its window's focus, but another window is active: the
    // click activates the grid's window, which hands the grid the focus
    // before the press reaches it.
    Window,
};

const char* NameOf(Elsewhere e_where) { return e_where == Elsewhere::Control ? "another control" : "another window"; }

// A small window of its own, active, away from the grid.
class OtherWindow {
public:
    explicit OtherWindow(wxWindow& grid)
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, "Elsewhere", wxPoint(5, 5), wxSize(160, 80));
        const wxRect rc_grid = ScreenRect(grid);
        if (rc_grid.Intersects(pFrame->GetRect()))
            pFrame->Move(wxPoint(5, rc_grid.GetBottom() + 40));
        pFrame->Show();
        pFrame->Raise();
        for (int i = 0; i < 100 && !pFrame->IsActive(); ++i)
            Settle(20);
    }
    ~OtherWindow() { pFrame->Destroy(); }
    bool IsActive() const { return pFrame->IsActive(); }

private:
    wxFrame* pFrame;
};

// The walk over a grid whose window the keyboard is not in: the pointer
// over the middle of its display, three notches down, a click on the slot
// then nearest the middle, read from the grid as it shows just before the
// press. f_focus_elsewhere takes the focus to another control of the
// grid's window.
void ExpectClickAfterWheelTakesTheSlotUnderThePointer(ZelTimeslotCtrl& ctrl, Elsewhere e_where,
                                                       const std::function<void()>& f_focus_elsewhere,
                                                       const char* p_show)
{
    SCOPED_TRACE(NameOf(e_where));
    ZelTimeslotGrid& grid = ctrl.GetGrid();
    // The grid shown from its top, its first slot clicked: the focus slot
    // a focus coming back would scroll to.
    grid.OnVScroll(SB_TOP, 0);
    Settle();
    const SlotPos first = FirstSlot(grid);
    ASSERT_GE(first.iSlot, 0);
    wxUIActionSimulator().MouseMove(SlotScreenPoint(ctrl, first));
    Settle();
    HeldClick();
    ASSERT_EQ(FocusSlot(grid), first);
    std::optional<OtherWindow> other;
    if (e_where == Elsewhere::Control) {
        f_focus_elsewhere();
        Settle(300);
        ASSERT_FALSE(ctrl.HasFocus()) << "the walk starts with the focus elsewhere";
    } else {
        ctrl.SetFocus();
        Settle(300);
        ASSERT_TRUE(ctrl.HasFocus());
        other.emplace(ctrl);
        ASSERT_TRUE(other->IsActive()) << "the other window is active";
    }
    ASSERT_LT(static_cast<int>(ctrl.GetScrollInfoOf(wxVERTICAL).nPage),
              ctrl.GetScrollInfoOf(wxVERTICAL).nMax - ctrl.GetScrollInfoOf(wxVERTICAL).nMin)
        << "the grid scrolls up and down";
    wxUIActionSimulator sim;
    CRect rc_display;
    grid.GetDisplayRect(rc_display);
    sim.MouseMove(ctrl.ClientToScreen(wxPoint(rc_display.CenterPoint().x, rc_display.CenterPoint().y)));
    Settle();
    const int i_before = ctrl.GetScrollInfoOf(wxVERTICAL).nPos;
    WheelDown(3);
    const int i_scrolled = ctrl.GetScrollInfoOf(wxVERTICAL).nPos;
    ASSERT_GT(i_scrolled, i_before) << "the wheel scrolled the grid";
    if (e_where == Elsewhere::Control) {
        EXPECT_FALSE(ctrl.HasFocus()) << "the wheel leaves the focus where it was";
    }

    const SlotPos target = SlotInView(grid);
    ASSERT_GE(target.iSlot, 0) << "a slot lies whole in view";
    const int n_slots = grid.CountSlots();
    sim.MouseMove(SlotScreenPoint(ctrl, target));
    Settle();
    HeldClick();
    ShowAWhile(p_show);

    EXPECT_TRUE(ctrl.HasFocus()) << "the click gives the grid the focus";
    EXPECT_EQ(ctrl.GetScrollInfoOf(wxVERTICAL).nPos, i_scrolled) << "the grid stays where the wheel scrolled it";
    EXPECT_EQ(FocusSlot(grid), target) << "the slot under the pointer takes the focus";
    EXPECT_EQ(SelectedSlots(grid), std::vector<SlotPos>{target}) << "the slot under the pointer is selected";
    EXPECT_EQ(grid.CountSlots(), n_slots) << "the click adds no slot";
}

// ------------------------------------------------------- the wizard's grid

DefineEventPSheet* OpenWizard()
{
    for (wxWindow* p_window : wxTopLevelWindows) {
        auto* p_sheet = dynamic_cast<DefineEventPSheet*>(p_window);
        if (p_sheet != nullptr && p_sheet->IsModal())
            return p_sheet;
    }
    return nullptr;
}

// Runs the driver inside the wizard's modal loop once the wizard is open.
void WhenWizardOpen(std::function<void(DefineEventPSheet&)> f_drive, int n_tries = 100)
{
    wxTheApp->CallAfter([f_drive, n_tries] {
        if (DefineEventPSheet* p_sheet = OpenWizard()) {
            f_drive(*p_sheet);
            return;
        }
        ASSERT_GT(n_tries, 0) << "the wizard did not open";
        WhenWizardOpen(f_drive, n_tries - 1);
    });
}

void PressButton(wxWindow& sheet, int i_id)
{
    wxCommandEvent event(wxEVT_BUTTON, i_id);
    event.SetEventObject(sheet.FindWindow(i_id));
    sheet.ProcessWindowEvent(event);
    Pump();
}

class TimeslotGridInputWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HasWindowManager())
            GTEST_SKIP() << "the toolkit hands the focus on a click only under a window manager";
    }
    void TearDown() override { Program.ShutDown(); }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    CRotavexView* View() { return dynamic_cast<CRotavexView*>(Frame().GetPaneView(1, 1)); }
    DayGrid& Grid() { return *View()->GetDayGrid(); }
    // The program over the sample timetable in the main window's own size.
    void StartOnSample(const char* p_sample = "Festival weekend.eve")
    {
        ASSERT_TRUE(Program.Start("rvx-gridinput", fs::path(ROTAVEX_SAMPLE_TIMETABLES) / p_sample, 1100, 760));
        Frame().Move(20, 20);
        Frame().Raise();
        Settle(500);
        ASSERT_NE(View(), nullptr);
        ASSERT_NE(View()->GetDayGrid(), nullptr);
    }
    // The program over a timetable of two days of twelve hourly timeslots
    // in twenty rooms, some of them taken: in the main window's own size
    // the day grid scrolls both ways.
    void StartOnCourses()
    {
        const fs::path fs_folder = MakeTestFolder("rvx-gridcourses");
        const fs::path fs_file = fs_folder / "Courses.eve";
        {
            testevent::EventBuilder event;
            event.Name("Courses").Days({"Mon 3", "Tue 4"}).TwentyFourHour();
            event.Slots(-1, {"08:00-09:00", "09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00", "13:00-14:00",
                             "14:00-15:00", "15:00-16:00", "16:00-17:00", "17:00-18:00", "18:00-19:00", "19:00-20:00"});
            char a_name[32];
            for (int i = 1; i <= 20; ++i) {
                std::snprintf(a_name, sizeof a_name, "Room %02d", i);
                event.Venue(a_name);
                std::snprintf(a_name, sizeof a_name, "Course %02d", i);
                event.Group(a_name);
            }
            event.Timetable();
            for (int i = 1; i <= 12; ++i) {
                char a_venue[32], a_group[32], a_start[8];
                std::snprintf(a_venue, sizeof a_venue, "Room %02d", i);
                std::snprintf(a_group, sizeof a_group, "Course %02d", i);
                std::snprintf(a_start, sizeof a_start, "%02d:00", 8 + (i - 1) % 12);
                event.Place(0, a_venue, a_start, a_group);
            }
            ASSERT_TRUE(event.Doc().OnSaveDocument(fs_file.string()));
        }
        ASSERT_TRUE(Program.Start("rvx-gridinput", fs_file, 1100, 760));
        fs::remove_all(fs_folder);
        Frame().Move(20, 20);
        Frame().Raise();
        Settle(500);
        ASSERT_NE(View(), nullptr);
        ASSERT_NE(View()->GetDayGrid(), nullptr);
    }
    // The day grid of the program started on the courses, and its first and
    // last cells.
    struct CourseGrid {
        DayGrid& grid;
        ZelTimeslotGrid& core;
        SlotPos first;
        SlotPos last;
    };
    CourseGrid StartOnCourseGrid()
    {
        StartOnCourses();
        DayGrid& grid = Grid();
        return {grid, grid.GetGrid(), FirstSlot(grid.GetGrid()), LastSlot(grid.GetGrid())};
    }

    SampleProgram Program;
    ScriptedMessageBox Boxes;
};

TEST_F(TimeslotGridInputWxTest, TheWizardsAdvancedGridTakesTheSlotUnderThePointerAfterTheWheel)
{
    InstallSheets();
    StartOnSample();
    bool b_driven = false;
    WhenWizardOpen([&](DefineEventPSheet& sheet) {
        // Two calendar days of half-hour timeslots, then Advanced.
        wxWindow* p_first = sheet.GetActivePage();
        dynamic_cast<wxRadioButton*>(p_first->FindWindow(IDC_KIND_CALENDAR))->SetValue(true);
        wxCommandEvent kind(wxEVT_RADIOBUTTON, IDC_KIND_CALENDAR);
        kind.SetEventObject(p_first->FindWindow(IDC_KIND_CALENDAR));
        p_first->FindWindow(IDC_KIND_CALENDAR)->ProcessWindowEvent(kind);
        PressButton(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_calendar = dynamic_cast<ZelMonthCalCtrl*>(sheet.GetActivePage()->FindWindow(IDC_CAL_CALENDAR));
        ASSERT_NE(p_calendar, nullptr);
        ZelArrayWithFind<ZelOleDateTime> a_dates;
        a_dates.Add(ZelOleDateTime(2030, 3, 4));
        a_dates.Add(ZelOleDateTime(2030, 3, 5));
        p_calendar->SetSelectedDates(a_dates);
        ZelMonthCalSelNotify record;
        record.Dates = a_dates;
        ZelSendNotify(p_calendar, ZMCN_SELCHANGED, &record);
        PressButton(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_page = dynamic_cast<TimeslotsPPage*>(sheet.GetActivePage());
        ASSERT_NE(p_page, nullptr);
        auto* p_length = dynamic_cast<wxTextCtrl*>(p_page->FindWindow(IDC_TS_LENGTH));
        ASSERT_NE(p_length, nullptr);
        p_length->SetValue("30");
        wxFocusEvent leave(wxEVT_KILL_FOCUS, IDC_TS_LENGTH);
        leave.SetEventObject(p_length);
        p_length->ProcessWindowEvent(leave);
        Pump();
        ASSERT_GE(p_page->GetGrid()->CountSlots(), 20);
        auto* p_advanced = dynamic_cast<wxCheckBox*>(p_page->FindWindow(IDC_TS_ADVANCED));
        ASSERT_NE(p_advanced, nullptr);
        p_advanced->SetValue(true);
        wxCommandEvent tick(wxEVT_CHECKBOX, IDC_TS_ADVANCED);
        tick.SetEventObject(p_advanced);
        tick.SetInt(1);
        p_advanced->ProcessWindowEvent(tick);
        Pump();
        ZelTimeslotCtrl& grid = *p_page->GetGrid();
        ASSERT_FALSE(grid.IsReadOnly());
        sheet.Raise();
        p_page->FindWindow(IDC_TS_DAYS)->SetFocus();
        Settle(300);
        for (const Elsewhere e_where : {Elsewhere::Control, Elsewhere::Window})
            ExpectClickAfterWheelTakesTheSlotUnderThePointer(
                grid, e_where, [p_page] { p_page->FindWindow(IDC_TS_DAYS)->SetFocus(); }, "wizard");
        PressButton(sheet, wxID_CANCEL);
        b_driven = true;
    });
    Frame().RunCommand(EventDoc::ID_DEFINE_EVENT);
    Pump();
    EXPECT_TRUE(b_driven);
}

TEST_F(TimeslotGridInputWxTest, TheDayGridTakesTheSlotUnderThePointerAfterTheWheel)
{
    StartOnCourses();
    View()->GetTabs()->SetFocus();
    Settle(300);
    for (const Elsewhere e_where : {Elsewhere::Control, Elsewhere::Window})
        ExpectClickAfterWheelTakesTheSlotUnderThePointer(
            Grid(), e_where, [this] { View()->GetTabs()->SetFocus(); }, "day grid");
}

// ------------------------------------------------------ Tab in the day grid

// Clicks a slot of the day grid with the real mouse.
void ClickSlot(DayGrid& grid, const SlotPos& pos)
{
    wxUIActionSimulator sim;
    sim.MouseMove(SlotScreenPoint(grid, pos));
    Settle();
    sim.MouseClick();
    Settle();
    // The pointer leaves the grid, and with it the position tip.
    sim.MouseMove(grid.ClientToScreen(wxPoint(-30, -30)));
    Settle(300);
}

TEST_F(TimeslotGridInputWxTest, TabFromAClickedCellLeavesTheDayGridForTheNextPaneAndShiftTabForTheTabs)
{
    auto [grid, core, first, last] = StartOnCourseGrid();
    ASSERT_GE(first.iSlot, 0);
    const int n_slots = core.CountSlots();
    ASSERT_GT(n_slots, 2);
    wxUIActionSimulator keys;

    // Shift+Tab on the first cell: back to the day tabs.
    ClickSlot(grid, first);
    ASSERT_EQ(wxWindow::FindFocus(), &grid);
    ASSERT_EQ(FocusSlot(core), first);
    keys.Char(WXK_TAB, wxMOD_SHIFT);
    Settle();
    EXPECT_EQ(wxWindow::FindFocus(), View()->GetTabs()) << "Shift+Tab on the first cell goes back to the day tabs";

    // Tab from the clicked first cell: every cell in turn, then the next
    // pane.
    ClickSlot(grid, first);
    ASSERT_EQ(wxWindow::FindFocus(), &grid);
    int n_tabs = 0;
    while (wxWindow::FindFocus() == &grid && n_tabs <= n_slots + 1) {
        keys.Char(WXK_TAB);
        Settle(60);
        ++n_tabs;
        if (wxWindow::FindFocus() == &grid && n_tabs == n_slots - 1) {
            EXPECT_EQ(FocusSlot(core), last) << "Tab walked every cell";
        }
    }
    EXPECT_EQ(n_tabs, n_slots) << "one Tab per cell, and one more leaves the grid";
    EXPECT_EQ(FocusPane(), (std::pair<int, int>{0, 0})) << "after the last cell, the next pane";
}

// Tab from the clicked first cell to the last one scrolls the grid; the
// heading band (day title and venue headings) and the time column stay put:
// the grid keeps its place in the page, the band shows what it showed
// before the scroll, and what is on screen is what a fresh paint gives.
TEST_F(TimeslotGridInputWxTest, TheDayGridsHeadingsAndTimeColumnStayWhileTabScrollsTheCells)
{
    auto [grid, core, first, last] = StartOnCourseGrid();
    ASSERT_GE(first.iSlot, 0);
    ClickSlot(grid, first);
    ASSERT_EQ(wxWindow::FindFocus(), &grid);
    ASSERT_EQ(grid.GetScrollInfoOf(wxVERTICAL).nPos, 0);
    const wxRect rc_screen = ScreenRect(grid);
    const wxPoint pt_in_page = grid.GetPosition();
    const int i_hpos = grid.GetScrollInfoOf(wxHORIZONTAL).nPos;
    const wxImage before = CaptureScreen(rc_screen);
    ASSERT_TRUE(before.IsOk()) << "the screen can be read back";

    wxUIActionSimulator keys;
    for (int n = 0; n < core.CountSlots() && wxWindow::FindFocus() == &grid && !(FocusSlot(core) == last); ++n) {
        keys.Char(WXK_TAB);
        Settle(60);
    }
    Settle(300);
    ASSERT_EQ(FocusSlot(core), last);
    ASSERT_GT(grid.GetScrollInfoOf(wxVERTICAL).nPos, 0) << "Tab scrolled the grid down";
    ShowAWhile("last cell");

    EXPECT_EQ(grid.GetPosition(), pt_in_page) << "the grid keeps its place in the page";
    EXPECT_EQ(ScreenRect(grid), rc_screen) << "the grid keeps its place on screen";
    const wxImage shown = CaptureScreen(rc_screen);
    // The day's title is whole in its row before and after (the columns
    // under it moved sideways), and the corner over the time column shows
    // what it showed before.
    ASSERT_GT(grid.GetScrollInfoOf(wxHORIZONTAL).nPos, i_hpos) << "Tab scrolled the grid sideways";
    const wxRect rc_title(core.GetTimeLabelRect().right + 2, 1,
                          rc_screen.width - 2 * wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, &grid)
                              - core.GetTimeLabelRect().right - 2,
                          core.GetDayRowRect().bottom - 2);
    const wxRect rc_corner(0, 0, core.GetTimeLabelRect().right, core.GetSetRowRect().bottom);
    ASSERT_GT(rc_title.width, 0);
    ASSERT_GT(rc_title.height, 0);
    ASSERT_FALSE(rc_corner.IsEmpty());
    const std::pair<int, int> ink_before = InkColumns(before.GetSubImage(rc_title));
    const std::pair<int, int> ink_shown = InkColumns(shown.GetSubImage(rc_title));
    EXPECT_GT(ink_before.first, 0) << "the title is in view and whole before the scroll";
    EXPECT_LT(ink_before.second, rc_title.width - 1);
    EXPECT_GT(ink_shown.first, 0) << "the title is in view and whole after the scroll";
    EXPECT_LT(ink_shown.second, rc_title.width - 1);
    EXPECT_EQ(ink_shown.second - ink_shown.first, ink_before.second - ink_before.first)
        << "the same title, uncut";
    EXPECT_LE(std::abs(ink_shown.first - ink_before.first), rc_title.width / 10) << "the title stays in place";
    EXPECT_EQ(DifferingRows(before.GetSubImage(rc_corner), shown.GetSubImage(rc_corner)), "")
        << "the corner over the time column stays";

    grid.Refresh();
    grid.Update();
    Settle(300);
    const wxImage repainted = CaptureScreen(rc_screen);
    EXPECT_EQ(DifferingRows(shown, repainted), "") << "what is on screen is what a fresh paint gives";
}

// ------------------------------------------------- the day grid's tips

// The text of the position tip the grid shows, empty while none shows.
wxString ShownTip(wxWindow& grid)
{
    for (wxWindow* p_child : grid.GetChildren()) {
        if (wxDynamicCast(p_child, wxPopupWindow) == nullptr || !p_child->IsShown())
            continue;
        for (wxWindow* p_text : p_child->GetChildren())
            if (auto* p_label = wxDynamicCast(p_text, wxStaticText))
                return p_label->GetLabel();
    }
    return {};
}

// Waits (a few seconds at most) for the grid's tip to show; its text.
wxString AwaitTip(wxWindow& grid)
{
    for (int i = 0; i < 250 && ShownTip(grid).empty(); ++i)
        Settle(20);
    return ShownTip(grid);
}

// The pointer rests on a cell until its tip shows, and the wheel scrolls
// the grid under it: the tip of the cell that was there goes, and the tip
// that comes is the one of the cell now under the pointer, as the pointer
// brought there afresh finds it.
TEST_F(TimeslotGridInputWxTest, TheDayGridsTipFollowsTheCellUnderThePointerAfterTheWheel)
{
    auto [grid, core, first, last] = StartOnCourseGrid();
    core.OnVScroll(SB_TOP, 0);
    Settle();
    const SlotPos over = SlotInView(core);
    ASSERT_GE(over.iSlot, 0);
    const wxPoint pt_screen = SlotScreenPoint(grid, over);
    wxUIActionSimulator sim;
    sim.MouseMove(pt_screen);
    Settle();
    const wxString s_before = AwaitTip(grid);
    ASSERT_FALSE(s_before.empty()) << "the cell's tip shows";

    const int i_before = grid.GetScrollInfoOf(wxVERTICAL).nPos;
    WheelDown(3);
    ASSERT_GT(grid.GetScrollInfoOf(wxVERTICAL).nPos, i_before) << "the wheel scrolled the grid";
    const wxString s_at_once = ShownTip(grid);
    const wxString s_after = AwaitTip(grid);
    ShowAWhile("tip");

    // The pointer leaves the grid and comes back to the same point.
    sim.MouseMove(grid.ClientToScreen(wxPoint(-30, -30)));
    Settle();
    EXPECT_TRUE(ShownTip(grid).empty()) << "the tip went with the pointer";
    sim.MouseMove(pt_screen);
    Settle();
    const wxString s_fresh = AwaitTip(grid);
    ASSERT_FALSE(s_fresh.empty());
    ASSERT_NE(s_fresh, s_before) << "another cell lies under the pointer after the scroll";
    EXPECT_TRUE(s_at_once.empty() || s_at_once == s_fresh)
        << "the tip of the cell scrolled away stays: " << s_at_once.utf8_string();
    EXPECT_EQ(s_after.utf8_string(), s_fresh.utf8_string())
        << "the tip shown after the scroll is the one of the cell under the pointer";
}

}  // namespace
