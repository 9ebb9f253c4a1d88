// The application in-process under a virtual display: its frame, and its run
// loop's handling of an assertion failure.
#include "framework/MessageBox.h"
#include "shell/MainFrm.h"
#include "shell/RotavexApp.h"
#include "zelkit/ZelAssert.h"
#include "zelkit/ZelErrorReport.h"

#include <gtest/gtest.h>
#include <wx/init.h>

namespace {

TEST(App, ProductTextNamesTheRelease) { EXPECT_EQ(RotavexProductText(), "Rotavex Rev 1.89"); }

TEST(App, AssertionInTheRunLoopEndsTheProgramWithCodeOne)
{
    ScriptedMessageBox boxes;
    ZelRecordingErrorReports reports;

    auto* p_app = new CRotavexApp;
    wxApp::SetInstance(p_app);
    int argc = 1;
    static char a_name[] = "rotavex";
    char* argv[] = {a_name, nullptr};
    ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display";

    // Start-up as the program does, but keep the test's recording ports.
    CRotavexApp::InitServices(false);
    auto* p_frame = new CMainFrame;
    p_app->SetTopWindow(p_frame);
    p_frame->Show();
    EXPECT_EQ(p_frame->GetTitle(), "Untitled - Rotavex");
    EXPECT_EQ(ZelAssertGetProductInfo(), "Rotavex Rev 1.89");
    EXPECT_FALSE(ZelAssertGetEmail().empty());

    p_app->CallAfter([] { ZEL_ASSERT(1 + 1 == 3); });
    const int i_code = p_app->OnRun();
    EXPECT_EQ(i_code, 1);
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_NE(reports.Reports()[0].sReport.find("1 + 1 == 3"), std::string::npos);
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().back().sText, "Assertion failure: the program will now terminate");
    p_app->OnExit();
    wxEntryCleanup();
}

} // namespace
