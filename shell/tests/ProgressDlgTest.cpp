// The build's progress dialog on a display, driven as the engine drives it
// (through the port, on a fake clock) and pressed as a user presses it.
//
// With ROTAVEX_SHOW_SECONDS set, the test that fills every text keeps the
// dialog on screen that long, for a screenshot.
#include "engine/BuildProgress.h"
#include "engine/ProgressClock.h"
#include "engine/ProgressModel.h"
#include "framework/ui/WxIds.h"
#include "shell/dialogs/ProgressDlg.h"
#include "zelkit/windows/ZelWindowServices.h"
#include "testsupport/ui/WxTestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// The wx dialogs behind the progress port, on a fake clock that the pumps
// see move 100 ms at a time.
class ProgressDlgTest : public ::testing::Test {
protected:
    ProgressDlgTest() : pPreviousPort(SetProgressPort(&Port)), pPreviousClock(SetProgressClock(&Clock)) {}
    ~ProgressDlgTest() override
    {
        // Past the window's second, so that the end does not wait; then the
        // ended dialog is deleted.
        Clock.Advance(1'000);
        Progress.End();
        wxTheApp->ProcessIdle();
        SetProgressClock(pPreviousClock);
        SetProgressPort(pPreviousPort);
    }

    TTBuildProgressDlg* Dialog() const
    {
        return wxDynamicCast(wxWindow::FindWindowById(WxId(IDD_BUILD_PROGRESS)), TTBuildProgressDlg);
    }
    template <class T>
    T* Control(UINT u_id) const
    {
        return wxDynamicCast(Dialog()->FindWindow(WxId(u_id)), T);
    }
    std::string Text(UINT u_id) const { return Control<wxStaticText>(u_id)->GetLabelText().ToStdString(); }

    // A click on the button, as the user makes it.
    void Click(int i_id)
    {
        auto* p_button = wxDynamicCast(Dialog()->FindWindow(i_id), wxButton);
        ASSERT_NE(p_button, nullptr);
        ASSERT_TRUE(p_button->IsEnabled());
        wxCommandEvent click(wxEVT_BUTTON, i_id);
        click.SetEventObject(p_button);
        p_button->GetEventHandler()->ProcessEvent(click);
    }
    // A key pressed while the dialog has the focus.
    void Key(int i_key)
    {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = i_key;
        key.SetEventObject(Dialog());
        Dialog()->GetEventHandler()->ProcessEvent(key);
    }
    // Handles events until the dialog is on screen with the focus on the
    // control (the display server takes its time); false when it never is.
    bool SettleWithFocus(wxWindow* p_focus)
    {
        for (int i = 0; i < 200; ++i) {
            wxTheApp->Yield(true);
            if (Dialog()->IsShownOnScreen() && wxWindow::FindFocus() == p_focus)
                return true;
            p_focus->SetFocus();
            wxMilliSleep(10);
        }
        return false;
    }
    // Types the key on the display's keyboard and handles events until the
    // dialog has taken it; then what the engine reads after its next pump.
    int TypeKey(int i_key)
    {
        wxUIActionSimulator keyboard;
        keyboard.Char(i_key);
        for (int i = 0; i < 100 && !Progress.GetModel()->IsStopRequested(); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
        return ChoiceAfterPump();
    }
    // What the engine reads after its next pump.
    int ChoiceAfterPump()
    {
        Clock.Advance(100);
        return Progress.PumpMessages() ? Progress.GetUserChoice() : 1;
    }

    WxProgressPort Port;
    FakeProgressClock Clock{50'000};
    IProgressPort* pPreviousPort;
    IProgressClock* pPreviousClock;
    BuildProgress Progress;
};

TEST_F(ProgressDlgTest, TheBuildingTimetableDialogIsModelessWithTheControlsOfItsLayout)
{
    ASSERT_TRUE(Progress.Start(6));
    TTBuildProgressDlg* p_dlg = Dialog();
    ASSERT_NE(p_dlg, nullptr);
    EXPECT_TRUE(p_dlg->IsShown());
    EXPECT_FALSE(p_dlg->IsModal());
    EXPECT_EQ(p_dlg->GetTitle(), "Building timetable");
    for (UINT u_id : {IDC_PROGRESS_OVERALL, IDC_PROGRESS_DESCRIPTION, IDC_PROGRESS_TO_PLACE,
                      IDC_PROGRESS_TARGET_COUNT, IDC_PROGRESS_TARGET_GROUP, IDC_PROGRESS_SEARCH_LEVEL,
                      IDC_PROGRESS_PLACING_GROUP, IDC_PROGRESS_SEARCHES, IDC_PROGRESS_DEPTH_TEXT})
        EXPECT_NE(Control<wxStaticText>(u_id), nullptr) << u_id;
    for (UINT u_id : {IDC_PROGRESS_STEP_BAR, IDC_PROGRESS_STAGE_BAR, IDC_PROGRESS_DEPTH_BAR})
        EXPECT_NE(Control<wxGauge>(u_id), nullptr) << u_id;
    auto* p_stop = Control<wxButton>(IDC_PROGRESS_STOP);
    ASSERT_NE(p_stop, nullptr);
    EXPECT_EQ(p_stop->GetLabel(), "&Stop");
    EXPECT_EQ(p_dlg->GetDefaultItem(), p_stop);
    EXPECT_EQ(Control<wxButton>(wxID_CANCEL)->GetLabel(), "Cancel");
    EXPECT_EQ(Control<wxButton>(IDC_PROGRESS_SKIP)->GetLabel(), "S&kip");
    EXPECT_EQ(Text(IDC_PROGRESS_OVERALL), "Overall progress...");
    // At least the layout's 254 by 167 dialog units.
    const ZelDlgUnits du;
    EXPECT_GE(p_dlg->GetClientSize().x, du.GetXPix(254));
    EXPECT_GE(p_dlg->GetClientSize().y, du.GetYPix(167));
    EXPECT_EQ(Control<wxGauge>(IDC_PROGRESS_STAGE_BAR)->GetRange(), 6);
}

TEST_F(ProgressDlgTest, StopCancelAndSkipByIdSetTheRequestsAndCancelLeavesTheDialogOpen)
{
    ASSERT_TRUE(Progress.Start(6));
    ASSERT_EQ(Progress.Step(1, "Enforcing minimum event limits...", 8, TRUE), 1);
    EXPECT_EQ(Control<wxGauge>(IDC_PROGRESS_STAGE_BAR)->GetValue(), 2);
    EXPECT_EQ(Control<wxGauge>(IDC_PROGRESS_STEP_BAR)->GetRange(), 8);
    EXPECT_EQ(Text(IDC_PROGRESS_DESCRIPTION), "Enforcing minimum event limits...");

    const std::pair<int, int> a_cases[] = {
        {WxId(IDC_PROGRESS_STOP), 2},
        {WxId(IDC_PROGRESS_SKIP), 5},
        {wxID_CANCEL, 3},
    };
    for (const auto& [i_id, i_choice] : a_cases) {
        SCOPED_TRACE(i_id);
        Click(i_id);
        EXPECT_EQ(ChoiceAfterPump(), i_choice);
        EXPECT_TRUE(Dialog()->IsShown());
        Progress.ClearRequests();
        EXPECT_EQ(ChoiceAfterPump(), 1);
    }
    // The title bar's close asks as Cancel does.
    Dialog()->Close();
    EXPECT_EQ(ChoiceAfterPump(), 3);
    EXPECT_TRUE(Dialog()->IsShown());
}

TEST_F(ProgressDlgTest, StopIsDisabledForAStageWithoutItAndDropsAPendingStop)
{
    ASSERT_TRUE(Progress.Start(6));
    Progress.Step(1, "search", 8, TRUE);
    Click(WxId(IDC_PROGRESS_STOP));
    EXPECT_EQ(Progress.Step(3, "Checking timetable...", 4, FALSE), 1);
    EXPECT_FALSE(Control<wxButton>(IDC_PROGRESS_STOP)->IsEnabled());
    // Enter on the disabled default button does nothing.
    Key(WXK_RETURN);
    EXPECT_EQ(ChoiceAfterPump(), 1);
    Progress.Step(4, "fill", 4, TRUE);
    EXPECT_TRUE(Control<wxButton>(IDC_PROGRESS_STOP)->IsEnabled());
}

TEST_F(ProgressDlgTest, EnterIsStopAndEscapeIsCancelOnTheKeyboard)
{
    ASSERT_TRUE(Progress.Start(6));
    Progress.Step(1, "search", 8, TRUE);
    ASSERT_TRUE(SettleWithFocus(Control<wxButton>(IDC_PROGRESS_STOP)));
    EXPECT_EQ(TypeKey(WXK_RETURN), 2);
    Progress.ClearRequests();
    EXPECT_EQ(TypeKey(WXK_ESCAPE), 3);
    EXPECT_TRUE(Dialog()->IsShown());
}

TEST_F(ProgressDlgTest, TheKeyboardStillReachesTheWindowWhileStopIsDisabled)
{
    // As a build goes: the window opens with the focus on Stop, and its
    // first stages allow no Stop. The focus is given nowhere else here.
    ASSERT_TRUE(Progress.Start(6));
    Progress.Step(0, "Checking counts...", 5, FALSE);
    for (int i = 0; i < 50 && !Dialog()->IsShownOnScreen(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    EXPECT_EQ(wxWindow::FindFocus(), Control<wxButton>(wxID_CANCEL)) << "the focus waits on Cancel";
    EXPECT_EQ(TypeKey(WXK_RETURN), 1) << "Enter presses only Stop, which is disabled";
    EXPECT_EQ(TypeKey(WXK_ESCAPE), 3);
    Progress.ClearRequests();
    // Stop allowed again: the focus is back on it, and Enter stops.
    Progress.Step(1, "search", 8, TRUE);
    EXPECT_EQ(wxWindow::FindFocus(), Control<wxButton>(IDC_PROGRESS_STOP));
    EXPECT_EQ(TypeKey(WXK_RETURN), 2);
}

TEST_F(ProgressDlgTest, EnterPressesTheButtonWithTheFocusElseTheDefaultOne)
{
    ASSERT_TRUE(Progress.Start(6));
    Progress.Step(1, "search", 8, TRUE);
    Key(WXK_NUMPAD_ENTER);
    EXPECT_EQ(ChoiceAfterPump(), 2);
    Progress.ClearRequests();
    Control<wxButton>(IDC_PROGRESS_SKIP)->SetFocus();
    ASSERT_EQ(wxWindow::FindFocus(), Control<wxButton>(IDC_PROGRESS_SKIP));
    Key(WXK_RETURN);
    EXPECT_EQ(ChoiceAfterPump(), 5);
    Progress.ClearRequests();
    // Enter with a modifier is not the dialog's.
    wxKeyEvent shifted(wxEVT_CHAR_HOOK);
    shifted.m_keyCode = WXK_RETURN;
    shifted.m_controlDown = true;
    Dialog()->GetEventHandler()->ProcessEvent(shifted);
    EXPECT_EQ(ChoiceAfterPump(), 1);
}

TEST_F(ProgressDlgTest, EveryTextFilledAndNoControlMovesWhileTheTextsChange)
{
    ASSERT_TRUE(Progress.Start(6));
    Progress.Step(1, "Enforcing minimum limits for day: Saturday", 12, TRUE);
    for (int i = 0; i < 5; ++i)
        Progress.StepIt();
    Progress.SetDepthMax(48);
    Progress.SetModeName("Complete 1");
    Progress.SetToPlace(37);
    Progress.SetTargetCount(3);
    Progress.SetTargetGroup("Brass band");
    Progress.SetPlacingGroup("Chamber choir");
    Progress.SetDepthPos(17);
    for (int i = 0; i < 1001; ++i)
        Progress.CountSearchStep();

    const std::map<UINT, std::string> m_expected = {
        {IDC_PROGRESS_DESCRIPTION, "Enforcing minimum limits for day: Saturday"},
        {IDC_PROGRESS_SEARCH_LEVEL, "Complete 1"},
        {IDC_PROGRESS_TO_PLACE, "37"},
        {IDC_PROGRESS_TARGET_COUNT, "3"},
        {IDC_PROGRESS_TARGET_GROUP, "Brass band"},
        {IDC_PROGRESS_PLACING_GROUP, "Chamber choir"},
        {IDC_PROGRESS_SEARCHES, "1001"},
        {IDC_PROGRESS_DEPTH_TEXT, "17/48"},
    };
    for (const auto& [u_id, s_text] : m_expected)
        EXPECT_EQ(Text(u_id), s_text) << u_id;
    EXPECT_EQ(Control<wxGauge>(IDC_PROGRESS_STEP_BAR)->GetValue(), 5);
    EXPECT_EQ(Control<wxGauge>(IDC_PROGRESS_DEPTH_BAR)->GetRange(), 48);
    EXPECT_EQ(Control<wxGauge>(IDC_PROGRESS_DEPTH_BAR)->GetValue(), 17);

    TTBuildProgressDlg* p_dlg = Dialog();
    p_dlg->Update();
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    // The texts change at the throttled pace, short and long: the dialog
    // keeps its size and every control its place, so nothing but the texts
    // themselves is repainted.
    std::map<wxWindow*, wxRect> m_rects;
    for (wxWindow* p_child : p_dlg->GetChildren())
        m_rects[p_child] = p_child->GetRect();
    const wxSize size_dlg = p_dlg->GetSize();
    const char* a_names[] = {"A", "An ensemble with a very long name indeed, longer than its field", ""};
    for (int i = 0; i < 30; ++i) {
        Clock.Advance(500);
        Progress.SetPlacingGroup(a_names[i % 3]);
        Progress.SetTargetGroup(a_names[(i + 1) % 3]);
        Progress.SetDepthPos(i);
        Progress.PumpMessages();
    }
    EXPECT_EQ(Text(IDC_PROGRESS_PLACING_GROUP), a_names[29 % 3]);
    EXPECT_EQ(p_dlg->GetSize(), size_dlg);
    for (const auto& [p_child, rect] : m_rects)
        EXPECT_EQ(p_child->GetRect(), rect) << p_child->GetId();
}

TEST_F(ProgressDlgTest, TheEndGreysTheDialogOutAndEndsItAfterItsSecond)
{
    ASSERT_TRUE(Progress.Start(6));
    TTBuildProgressDlg* p_dlg = Dialog();
    Clock.SetStepPerReading(50);
    const auto t_start = std::chrono::steady_clock::now();
    Progress.End();
    EXPECT_FALSE(Progress.IsShown());
    // Ended: no longer on screen, and gone once the events are handled.
    EXPECT_FALSE(p_dlg->IsShown());
    wxTheApp->ProcessIdle();
    EXPECT_EQ(Dialog(), nullptr);
    // The fake clock measured the second; the real wait was its yields only.
    EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(30));
}

TEST(ProgressDlg, TheGeneralDialogWithoutTheStepPartShowsTheStageTextInTheOverallLabel)
{
    ProgressModel model("Building report");
    model.SetShowStepPart(FALSE);
    auto* p_dlg = new TTProgressDlg(model, 0);
    ASSERT_TRUE(p_dlg->Open(nullptr));
    EXPECT_EQ(p_dlg->GetTitle(), "Building report");
    EXPECT_EQ(p_dlg->FindWindow(WxId(IDC_PROGRESS_SKIP)), nullptr);
    EXPECT_FALSE(p_dlg->FindWindow(WxId(IDC_PROGRESS_STEP_BAR))->IsShown());
    EXPECT_FALSE(p_dlg->FindWindow(WxId(IDC_PROGRESS_DESCRIPTION))->IsShown());
    p_dlg->SetNumStages(4);
    p_dlg->SetStage(0, "Formatting report (font sizing)", 3, TRUE);
    EXPECT_EQ(wxDynamicCast(p_dlg->FindWindow(WxId(IDC_PROGRESS_OVERALL)), wxStaticText)->GetLabelText(),
              "Formatting report (font sizing)");
    EXPECT_EQ(wxDynamicCast(p_dlg->FindWindow(WxId(IDC_PROGRESS_STAGE_BAR)), wxGauge)->GetValue(), 1);
    p_dlg->Detach();
    p_dlg->Destroy();
}

} // namespace
