// The continue-or-quit dialog on a display, asked through the loader's port
// as the program installs it: its texts and controls by their ids, Enter
// typed on the keyboard quitting, Continue continuing, and a closed window
// quitting.
//
// With ROTAVEX_SHOW_SECONDS set, the dialog stays on screen that long
// before it is answered, for a screenshot.
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"
#include "shell/dialogs/ContQuitDlg.h"
#include "testsupport/ui/WxTestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <functional>

namespace {

class ContQuitEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
    }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new ContQuitEnvironment);

// Waits, inside the dialog's modal loop, until the dialog is on screen with
// the keyboard focus inside it, then acts on it once.
class WhenShown : public wxTimer {
public:
    explicit WhenShown(std::function<void(wxDialog&)> f_act) : fAct(std::move(f_act)) { Start(20); }
    void Notify() override
    {
        auto* p_dlg = wxDynamicCast(wxWindow::FindWindowById(WxId(CContQuitDlg::IDD)), wxDialog);
        if (!p_dlg || !p_dlg->IsShownOnScreen() || bActed)
            return;
        wxWindow* p_focus = wxWindow::FindFocus();
        if (!p_focus || wxGetTopLevelParent(p_focus) != p_dlg) {
            if (++nWaits < 100)
                return;
        }
        const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
        if (p_seconds && nShown++ < 50 * std::atoi(p_seconds))
            return;
        bActed = true;
        Stop();
        fAct(*p_dlg);
    }

private:
    std::function<void(wxDialog&)> fAct;
    bool bActed = false;
    int nWaits = 0;
    int nShown = 0;
};

class ContQuitDlgTest : public ::testing::Test {
protected:
    void SetUp() override { pPrevious = SetContinueQuitPort(nullptr); InstallContQuitDialog(); }
    void TearDown() override { SetContinueQuitPort(pPrevious); }
    IContinueQuitPort* pPrevious = nullptr;
};

TEST_F(ContQuitDlgTest, TheLoadersQuestionShowsTheDialogAndEnterQuits)
{
    std::string s_shown, s_focus;
    bool b_layout = false;
    WhenShown act([&](wxDialog& dlg) {
        EXPECT_EQ(dlg.GetTitle(), "Continue or Quit?");
        auto* p_text = wxDynamicCast(dlg.FindWindow(WxId(CContQuitDlg::IDC_MESSAGE)), wxStaticText);
        auto* p_continue = wxDynamicCast(dlg.FindWindow(wxID_OK), wxButton);
        auto* p_quit = wxDynamicCast(dlg.FindWindow(wxID_CANCEL), wxButton);
        ASSERT_TRUE(p_text && p_continue && p_quit);
        s_shown = std::string(p_text->GetLabel().utf8_str());
        EXPECT_EQ(p_continue->GetLabel(), "&Continue");
        EXPECT_EQ(p_quit->GetLabel(), "&Quit");
        EXPECT_EQ(dlg.GetDefaultItem(), p_quit);
        // Continue stands left of Quit on one line, below the message.
        b_layout = p_continue->GetRect().GetRight() < p_quit->GetRect().GetLeft()
                   && p_continue->GetRect().GetTop() == p_quit->GetRect().GetTop()
                   && p_text->GetRect().GetBottom() < p_quit->GetRect().GetTop();
        if (wxWindow* p_focus = wxWindow::FindFocus())
            s_focus = std::string(p_focus->GetLabel().utf8_str());
        wxUIActionSimulator keyboard;
        keyboard.Char(WXK_RETURN);
    });
    EXPECT_EQ(AskContinueOrQuit(1059), IDCANCEL);
    EXPECT_EQ(s_focus, "&Quit");
    EXPECT_TRUE(b_layout);
    // Line breaks of the message aside, the text of the string table.
    std::string s_expected = "Errors occurred while loading your Event data. Do you want to Continue or Quit?\nIf you "
                             "choose to continue, some Event data from the loaded file will be missing.";
    for (char& c : s_shown)
        if (c == '\n')
            c = ' ';
    for (char& c : s_expected)
        if (c == '\n')
            c = ' ';
    EXPECT_EQ(s_shown, s_expected);
}

TEST_F(ContQuitDlgTest, ContinueContinuesAndAClosedWindowQuits)
{
    {
        WhenShown act([](wxDialog& dlg) {
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(dlg.FindWindow(wxID_OK));
            dlg.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
        });
        EXPECT_EQ(AskContinueOrQuit("Some venues could not be read."), IDOK);
    }
    {
        WhenShown act([](wxDialog& dlg) { dlg.Close(); });
        EXPECT_EQ(AskContinueOrQuit("Some venues could not be read."), IDCANCEL);
    }
    // The message may come from the string table.
    CContQuitDlg by_id(1059u, nullptr);
    EXPECT_EQ(by_id.GetMessage().rfind("Errors occurred while loading your Event data.", 0), 0u);
}

} // namespace
