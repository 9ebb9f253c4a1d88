// The error dialog in a real window (run under a virtual display).
#include "framework/Desktop.h"
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/base/ui/ZelErrorDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

TEST(ErrorDlg, ShowsTheReportAndEnablesSendingOnlyWithAnAddress)
{
    const std::string s_long(400, 'x');
    ZelErrorDlg dlg(nullptr, ZelErrorReport{"Source file 'a.cpp'\nLine 1\nError: " + s_long, "", "", ""});
    EXPECT_EQ(dlg.GetTitle(), "Unexpected error");
    auto* p_text = wxDynamicCast(dlg.FindWindow(WxId(IDC_ZEL_ERROR_TEXT)), wxTextCtrl);
    ASSERT_NE(p_text, nullptr);
    EXPECT_TRUE(p_text->GetValue().EndsWith(s_long));
    auto* p_send = wxDynamicCast(dlg.FindWindow(WxId(IDC_ZEL_ERROR_SEND)), wxButton);
    ASSERT_NE(p_send, nullptr);
    EXPECT_FALSE(p_send->IsEnabled());
    auto* p_instr = wxDynamicCast(dlg.FindWindow(WxId(IDC_ZEL_ERROR_INSTRUCTION)), wxStaticText);
    ASSERT_NE(p_instr, nullptr);
    EXPECT_TRUE(p_instr->GetLabel().StartsWith("Please copy this information"));
}

TEST(ErrorDlg, SendButtonHandsTheMailAddressToTheDesktop)
{
    RecordingDesktop desktop;
    ZelErrorDlg dlg(nullptr, ZelErrorReport{"Error: x", "help@example.org", "Rotavex Rev 1.89", ""});
    auto* p_send = wxDynamicCast(dlg.FindWindow(WxId(IDC_ZEL_ERROR_SEND)), wxButton);
    ASSERT_NE(p_send, nullptr);
    EXPECT_TRUE(p_send->IsEnabled());
    wxCommandEvent click(wxEVT_BUTTON, WxId(IDC_ZEL_ERROR_SEND));
    click.SetEventObject(p_send);
    p_send->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(desktop.Opened().size(), 1u);
    EXPECT_EQ(desktop.Opened()[0], ZelErrorReport({"Error: x", "help@example.org", "Rotavex Rev 1.89", ""}).MailtoAddress());
}

TEST(ErrorDlg, AssertDlgCarriesItsCaption)
{
    AssertDlg dlg(nullptr, ZelErrorReport{"Error: y", "", "", ""});
    EXPECT_EQ(dlg.GetTitle(), "Assertion failure");
}

} // namespace
