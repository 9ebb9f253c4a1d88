// The application in-process under a virtual display: its start-up, and its
// run loop's handling of an assertion failure.
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
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

    // Start-up as the program does, but keep the test's recording ports and
    // settings of its own.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rvx-app-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    WriteFileAtomically((folder / "install.ini").string(),
                        std::string("[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"/opt/rotavex\"\n"
                                    "\"License\"=sz:\"/opt/rotavex/licence.txt\"\n"));
    CSettingsStore::Get().Configure((folder / "settings").string(), (folder / "install.ini").string());
    StartProgramServices();
    ASSERT_TRUE(p_app->StartUp(""));
    ASSERT_NE(p_app->GetMainFrame(), nullptr);
    EXPECT_EQ(p_app->GetMainFrame()->GetTitle(), "Event - Rotavex");
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
    CSettingsStore::Get().Configure("", "");
    std::filesystem::remove_all(folder);
}

} // namespace
