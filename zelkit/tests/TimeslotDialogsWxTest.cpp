// The timeslot controls' small dialogs under a virtual display, driven by
// their controls' ids: entries out of range keep a dialog open, and the
// combination dialog takes OK only with a name.
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/controls/ui/ZelTimeslotDialogs.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

void Press(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

template <class T>
T* Control(wxWindow& dlg, int i_id)
{
    T* p = dynamic_cast<T*>(dlg.FindWindow(WxId(static_cast<unsigned>(i_id))));
    EXPECT_NE(p, nullptr) << i_id;
    return p;
}

// Runs the dialog modally with the steps played once it shows; a dialog
// the steps leave open is cancelled so that a failure cannot hang the run.
int RunModal(wxDialog& dlg, std::function<void()> f_steps)
{
    wxTheApp->CallAfter([&dlg, f_steps] {
        f_steps();
        if (dlg.IsModal())
            dlg.EndModal(wxID_CANCEL + 1000);
    });
    return dlg.ShowModal();
}

TEST(TimeslotDialogsWx, TheLengthIsOneToFourteenHundredFortyMinutes)
{
    ZelTimeslotCtrlChangeLengthDlg dlg(nullptr, 30);
    EXPECT_EQ(dlg.GetTitle(), "Timeslot length");
    std::vector<std::pair<wxString, bool>> v_stayed;
    wxString s_shown;
    const int i_result = RunModal(dlg, [&] {
        wxTextCtrl* p_edit = Control<wxTextCtrl>(dlg, ZelTimeslotCtrlChangeLengthDlg::IDC_LENGTH);
        if (!p_edit)
            return;
        s_shown = p_edit->GetValue();
        for (const char* p : {"0", "1441", "ten", "45"}) {
            p_edit->SetValue(p);
            Press(dlg, wxID_OK);
            v_stayed.emplace_back(p, dlg.IsModal());
        }
    });
    EXPECT_EQ(s_shown, "30");
    ASSERT_EQ(v_stayed.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(v_stayed[i].second) << v_stayed[i].first << " keeps it open";
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_EQ(dlg.GetMinutes(), 45u);
}

TEST(TimeslotDialogsWx, TheResolutionIsOneToTenMinutesWithTheAutomaticChoice)
{
    ZelTimeslotResDlg dlg(nullptr, 5, TRUE);
    EXPECT_EQ(dlg.GetTitle(), "Resolution");
    bool b_open_at_11 = false, b_checked = false;
    const int i_result = RunModal(dlg, [&] {
        wxTextCtrl* p_edit = Control<wxTextCtrl>(dlg, ZelTimeslotResDlg::IDC_RESOLUTION);
        wxCheckBox* p_auto = Control<wxCheckBox>(dlg, ZelTimeslotResDlg::IDC_AUTO);
        if (!p_edit || !p_auto)
            return;
        b_checked = p_auto->GetValue();
        p_edit->SetValue("11");
        Press(dlg, wxID_OK);
        b_open_at_11 = dlg.IsModal();
        p_edit->SetValue("3");
        p_auto->SetValue(false);
        Press(dlg, wxID_OK);
    });
    EXPECT_TRUE(b_checked);
    EXPECT_TRUE(b_open_at_11);
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_EQ(dlg.GetMinutes(), 3u);
    EXPECT_EQ(dlg.GetAuto(), 0);

    ZelTimeslotResDlg cancelled(nullptr, 5, TRUE);
    EXPECT_EQ(RunModal(cancelled, [&] { Press(cancelled, wxID_CANCEL); }), wxID_CANCEL);
}

TEST(TimeslotDialogsWx, ACombinationNeedsANameToBeConfirmed)
{
    ZelTimeslotCombineDlg dlg(nullptr);
    dlg.GetCombinations().Add(ZelTimeslotCombination("Morning"));
    dlg.GetCombinations().Add(ZelTimeslotCombination("Late"));
    std::vector<bool> v_ok;
    unsigned n_offered = 0;
    const int i_result = RunModal(dlg, [&] {
        wxComboBox* p_name = Control<wxComboBox>(dlg, ZelTimeslotCombineDlg::IDC_NAME);
        wxWindow* p_ok = dlg.FindWindow(wxID_OK);
        if (!p_name || !p_ok)
            return;
        n_offered = p_name->GetCount();
        v_ok.push_back(p_ok->IsEnabled());
        p_name->SetValue("Eve");
        v_ok.push_back(p_ok->IsEnabled());
        p_name->SetValue("");
        v_ok.push_back(p_ok->IsEnabled());
        p_name->SetSelection(1);
        wxCommandEvent chosen(wxEVT_COMBOBOX, p_name->GetId());
        chosen.SetEventObject(p_name);
        p_name->GetEventHandler()->ProcessEvent(chosen);
        v_ok.push_back(p_ok->IsEnabled());
        Press(dlg, wxID_OK);
    });
    EXPECT_EQ(n_offered, 2u);
    EXPECT_EQ(v_ok, (std::vector<bool>{false, true, false, true})) << "disabled, typed, emptied, chosen";
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_EQ(dlg.GetChosenName(), "Late");
}

} // namespace
