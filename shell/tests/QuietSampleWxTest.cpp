// The program in-process under a virtual display, over each shipped sample
// timetable: opening it, showing its panes and building it again write
// nothing on standard error. The toolkit writes there when a window asks
// for something it cannot draw (a rectangle of negative size, a widget
// drawn before it has a size), so a warning there is a drawing fault of
// ours that the screen may not show. It runs on a bare display and again
// under a window manager, which shows the main window in steps of its own.
#include "framework/MessageBox.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/GroupView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/lists/VenueView.h"
#include "testsupport/ShippedSamples.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SampleProgram.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

// Standard error of the whole process (the toolkit's own messages
// included) goes to a file while the object lives.
class CapturedStderr {
public:
    explicit CapturedStderr(const fs::path& path) : Path(path)
    {
        std::fflush(stderr);
        iSaved = dup(2);
        std::FILE* p_file = std::fopen(path.c_str(), "w");
        dup2(fileno(p_file), 2);
        std::fclose(p_file);
    }
    ~CapturedStderr() { Restore(); }
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    // Ends the capture; what was written.
    std::string Restore()
    {
        if (iSaved >= 0) {
            std::fflush(stderr);
            dup2(iSaved, 2);
            close(iSaved);
            iSaved = -1;
        }
        std::ifstream in(Path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    fs::path Path;
    int iSaved = -1;
};

// Lets the toolkit lay out and paint what the last step changed.
void Settle(int i_ms = 300)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    while (std::chrono::steady_clock::now() < t_end) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(QuietSample, OpeningAndBuildingEachSampleWritesNothingOnStandardError)
{
    ASSERT_TRUE(RegisterVenueView());
    ASSERT_TRUE(RegisterGroupView());
    ASSERT_TRUE(RegisterParticipantView());
    const std::vector<fs::path> v_samples = ShippedSamples(ROTAVEX_SAMPLE_TIMETABLES);
    ASSERT_FALSE(v_samples.empty());
    const fs::path fs_log = fs::path(::testing::TempDir()) / "rvx-quiet-sample-stderr.txt";
    for (const fs::path& fs_sample : v_samples) {
        SCOPED_TRACE(fs_sample.filename().string());
        ScriptedMessageBox boxes;
        SampleProgram program;
        CapturedStderr captured(fs_log);
        // The size a user's screen gives, where the group list's later
        // columns lie beyond its pane's right edge.
        ASSERT_TRUE(program.Start("rvx-quiet", fs_sample, 1200, 850));
        CMainFrame& frame = *TheApp()->GetMainFrame();
        frame.Raise();
        Settle();
        EventDoc& doc = TheApp()->GetDocument()->GetEvent();
        doc.GetPreferences().SetSkipBuildOptions(TRUE);
        frame.RunCommand(EventDoc::ID_BUILD_TIMETABLE);
        Settle();
        ASSERT_NE(doc.GetTimetable(), nullptr);
        EXPECT_TRUE(doc.GetTimetable()->IsValid());
        const std::string s_written = captured.Restore();
        EXPECT_EQ(s_written, "");

        doc.SetModifiedFlag(false);
        TheApp()->GetDocument()->Modify(false);
        program.ShutDown();
    }
    for (const char* p_class : {kVenueView, kGroupView, kParticipantView})
        WindowClasses::Unregister(p_class);
}

} // namespace
