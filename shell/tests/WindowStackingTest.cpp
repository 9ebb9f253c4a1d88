// The program's windows as a window manager stacks and focuses them, during
// and after a build: a report or a message that waits for an answer while
// the progress window is up comes above that window and has the focus, and
// a build that ends well says so in the message bar with the main window
// active again. Run in-process over a sample timetable, under a window
// manager; without one the tests skip (nothing would stack anything).
//
// With ROTAVEX_SHOW_SECONDS set, the windows stay on screen that long while
// the report (ROTAVEX_SHOW_ONLY=minimums) or the message is up, for
// screenshots.
#include "engine/BuildReports.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxMessageBox.h"
#include "model/EventDoc.h"
#include "shell/dialogs/BuildDialogs.h"
#include "shell/frame/EventDocument.h"
#include "shell/dialogs/ProgressDlg.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SampleProgram.h"
#include "testsupport/ui/WindowStacking.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <wx/radiobut.h>
#include <wx/statusbr.h>
#include <wx/timer.h>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

// The build's progress window while it is on screen.
TTBuildProgressDlg* ShownProgress()
{
    for (wxWindow* p_window : wxTopLevelWindows)
        if (auto* p = dynamic_cast<TTBuildProgressDlg*>(p_window); p != nullptr && p->IsShown())
            return p;
    return nullptr;
}

class WindowStackingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HasWindowManager())
            GTEST_SKIP() << "stacking and focus need a window manager on the display";
        ASSERT_TRUE(Program.Start("rvx-stacking", fs::path(ROTAVEX_SAMPLE_TIMETABLES) / "Festival weekend.eve", 1000, 700));
        ASSERT_TRUE(WaitUntil([this] { return IsActiveToolkitWindow(ToolkitWindowOf(Frame())); }));
        Doc().GetPreferences().SetSkipBuildOptions(TRUE);
    }
    void TearDown() override { Program.ShutDown(); }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    // The first group: its event limits exactly u_count placements, over
    // the whole event.
    void AskOfFirstGroup(UINT u_min, UINT u_max)
    {
        Group& group = Doc().GetGroups()[0];
        group.SetUseVenueLimits(FALSE);
        group.SetEventLimits(SchedLim(SchedLim::e_range, 0, u_min, u_max));
    }
    // Whether the window manager keeps the toolkit window on top of the
    // program's windows with the focus, once it has had time to.
    static bool OnTopWithFocus(void* p_window)
    {
        return WaitUntil([p_window] {
            return TopmostToolkitWindow() == p_window && IsActiveToolkitWindow(p_window);
        });
    }

    SampleProgram Program;
};

TEST_F(WindowStackingTest, TheMinimumsReportComesAboveTheProgressWindowWithTheFocus)
{
    // More placements than the event has timeslots: no search reaches it.
    AskOfFirstGroup(5000, 5000);
    bool b_seen = false;
    WhenShownPainted<FailedMinimums>([&](FailedMinimums& dlg) {
        b_seen = true;
        TTBuildProgressDlg* p_progress = ShownProgress();
        ASSERT_NE(p_progress, nullptr) << "the report shows while the build's progress window is up";
        EXPECT_EQ(dlg.GetParent(), p_progress);
        EXPECT_TRUE(OnTopWithFocus(ToolkitWindowOf(dlg)))
            << "on top: " << TopmostToolkitWindow() << ", report: " << ToolkitWindowOf(dlg)
            << ", progress: " << ToolkitWindowOf(*p_progress);
        ShowAWhile("minimums");
        wxDynamicCast(dlg.FindWindow(WxId(IDC_FAILED_MIN_MAKE_CHANGES)), wxRadioButton)->SetValue(true);
        PressInLoop(dlg, wxID_OK);
    });
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();
    EXPECT_TRUE(b_seen);
    EXPECT_EQ(ShownProgress(), nullptr);
    EXPECT_FALSE(Doc().GetTimetable()->IsValid());
    EXPECT_TRUE(OnTopWithFocus(ToolkitWindowOf(Frame())));
}

TEST_F(WindowStackingTest, AMessageDuringTheBuildComesAboveTheProgressWindowWithTheFocus)
{
    // A locked placement of a group that may be placed nowhere: the lock
    // checks refuse it with a message while the progress window is up.
    const LONG l_group = Doc().GetGroups()[0].GetKey();
    Timetable& timetable = *Doc().GetTimetable();
    bool b_locked = false;
    for (int d = 0; d < timetable.GetNumDays() && !b_locked; ++d)
        for (int v = 0; v < timetable.GetDay(d).GetNumVenues() && !b_locked; ++v)
            for (int s = 0; s < timetable.GetDay(d).GetVenueSlots(v).GetSize() && !b_locked; ++s)
                if (Timeslot& slot = timetable.GetDay(d).GetVenueSlots(v)[s]; slot.GetGroup() == l_group)
                    slot.SetLocked(b_locked = TRUE);
    ASSERT_TRUE(b_locked) << "the sample places its first group";
    AskOfFirstGroup(0, 0);

    // The program's own message boxes, as the toolkit shows them.
    WxMessageBoxPort boxes;
    IMessageBoxPort* p_before = SetMessageBoxPort(&boxes);
    bool b_seen = false;
    // For a look, the box is answered only after a while: meanwhile the
    // box's own loop paints the windows.
    const char* p_show = std::getenv("ROTAVEX_SHOW_SECONDS");
    const auto t_seen_for = std::chrono::seconds(p_show != nullptr ? std::atoi(p_show) : 0);
    std::chrono::steady_clock::time_point t_seen;
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        void* p_box = ShownMessageBox();
        if (p_box == nullptr)
            return;
        if (!b_seen) {
            b_seen = true;
            t_seen = std::chrono::steady_clock::now();
            TTBuildProgressDlg* p_progress = ShownProgress();
            EXPECT_NE(p_progress, nullptr) << "the message shows while the build's progress window is up";
            if (p_progress != nullptr) {
                EXPECT_EQ(TransientParentOf(p_box), ToolkitWindowOf(*p_progress));
            }
            EXPECT_TRUE(OnTopWithFocus(p_box));
        }
        if (std::chrono::steady_clock::now() - t_seen >= t_seen_for)
            AnswerMessageBox(p_box);
    });
    watch.Start(50);
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    watch.Stop();
    SetMessageBoxPort(p_before);
    Pump();
    EXPECT_TRUE(b_seen);
    EXPECT_EQ(ShownProgress(), nullptr);
    EXPECT_TRUE(OnTopWithFocus(ToolkitWindowOf(Frame())));
}

TEST_F(WindowStackingTest, ABuildThatEndsWellSaysSoInTheMessageBarWithTheMainWindowActive)
{
    Frame().GetStatusBar()->SetStatusText("Ready", 0);
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();
    ASSERT_TRUE(Doc().GetTimetable()->IsValid()) << "the sample builds valid";
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0),
              "Rotavex has created a valid timetable according to your specifications.");
    EXPECT_EQ(ShownProgress(), nullptr);
    EXPECT_TRUE(OnTopWithFocus(ToolkitWindowOf(Frame())));

    // A build that fails its minimums says nothing of the kind.
    Frame().GetStatusBar()->SetStatusText("Ready", 0);
    AskOfFirstGroup(5000, 5000);
    WhenShown<FailedMinimums>([](FailedMinimums& dlg) {
        wxDynamicCast(dlg.FindWindow(WxId(IDC_FAILED_MIN_MAKE_CHANGES)), wxRadioButton)->SetValue(true);
        PressInLoop(dlg, wxID_OK);
    });
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "Ready");
}

} // namespace
