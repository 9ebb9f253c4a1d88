// The general progress dialog in a real window (run under a virtual
// display), driven by its control ids.
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// Records what it is told, and whether the dialog was still up when the
// user cancelled.
class RecordingCallback : public ZelGeneralCallback {
public:
    std::vector<std::string> vCalls;
    wxDialog* pDialog = nullptr;
    void AfterInit(wxDialog& dialog) override
    {
        pDialog = &dialog;
        vCalls.push_back("init");
    }
    void Cancel() override { vCalls.push_back(pDialog && pDialog->IsModal() ? "cancel while up" : "cancel after"); }
};

void Press(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

TEST(ProgressWx, TitleStatusAndTheWholeRange)
{
    ZelGeneralProgress dlg("Downloading", nullptr, nullptr);
    EXPECT_EQ(dlg.GetTitle(), "Progress");
    dlg.SetRangeMax(70000);
    dlg.SetStatusText("Connecting");
    dlg.Show();
    EXPECT_EQ(dlg.GetTitle(), "Downloading");
    auto* p_bar = wxDynamicCast(dlg.FindWindow(ZelGeneralProgress::IDC_ZEL_PROGRESS_BAR), wxGauge);
    auto* p_text = wxDynamicCast(dlg.FindWindow(ZelGeneralProgress::IDC_ZEL_PROGRESS_TEXT), wxStaticText);
    ASSERT_NE(p_bar, nullptr);
    ASSERT_NE(p_text, nullptr);
    EXPECT_EQ(p_bar->GetRange(), 70000) << "a range above 65535 is kept whole";
    EXPECT_EQ(p_bar->GetValue(), 0);
    EXPECT_EQ(p_text->GetLabel(), "Connecting");
    dlg.SetStatusText("Received 1 KB");
    dlg.Step();
    dlg.Step();
    EXPECT_EQ(dlg.GetPosition(), 2);
    EXPECT_EQ(p_text->GetLabel(), "Received 1 KB") << "each step shows the status line";

    dlg.SetRangeMax(65536);
    dlg.ResetProgress();
    EXPECT_EQ(p_bar->GetRange(), 65536);
    dlg.SetRangeMax(2);
    dlg.ResetProgress();
    dlg.Step();
    dlg.Step();
    dlg.Step();
    EXPECT_EQ(dlg.GetPosition(), 0) << "past its end the bar starts again";
    dlg.Destroy();
}

TEST(ProgressWx, EmptyTitleKeepsTheCaption)
{
    ZelGeneralProgress dlg("", nullptr, nullptr);
    dlg.Show();
    EXPECT_EQ(dlg.GetTitle(), "Progress");
    dlg.Destroy();
}

TEST(ProgressWx, CancelTellsTheCallbackFirstThenEndsTheDialog)
{
    RecordingCallback callback;
    ZelGeneralProgress dlg("Roster", &callback, nullptr);
    wxTheApp->CallAfter([&dlg] { Press(dlg, wxID_CANCEL); });
    EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(callback.vCalls, (std::vector<std::string>{"init", "cancel while up"}));
}

TEST(ProgressWx, EscapeCancelsLikeTheButton)
{
    RecordingCallback callback;
    ZelGeneralProgress dlg("Roster", &callback, nullptr);
    wxTheApp->CallAfter([&dlg] {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_ESCAPE;
        key.SetEventObject(&dlg);
        dlg.GetEventHandler()->ProcessEvent(key);
    });
    EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(callback.vCalls.back(), "cancel while up");
}

TEST(ProgressWx, CancelWithoutCallbackSimplyEnds)
{
    ZelGeneralProgress dlg("Work", nullptr, nullptr);
    wxTheApp->CallAfter([&dlg] { Press(dlg, wxID_CANCEL); });
    EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
}

TEST(ProgressWx, OwnerEndsTheDialogWhenItsWorkIsDone)
{
    // The callback starts the work; the "work" queues its steps and the
    // end to the dialog, as a worker's events arrive.
    struct Worker : ZelGeneralCallback {
        void AfterInit(wxDialog& dialog) override
        {
            auto& progress = static_cast<ZelGeneralProgress&>(dialog);
            progress.SetRangeMax(3);
            progress.ResetProgress();
            for (int i = 0; i < 3; ++i)
                progress.CallAfter([&progress] { progress.Step(); });
            progress.CallAfter([&progress] { progress.EndModal(wxID_OK); });
        }
    } worker;
    ZelGeneralProgress dlg("Work", &worker, nullptr);
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_EQ(dlg.GetPosition(), 3);
}

} // namespace
