// The program run in-process over a copy of a sample timetable, for display
// tests of the main window and its timetable pane: a folder of its own with
// the machine's settings pointing at it, the timetable view registered for
// its pane, the program started on the copy at the size given; then shut
// down and everything put back.
#pragma once

#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/timetable/TimetableView.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <wx/window.h>

class SampleProgram {
public:
    // Starts the program on a copy of fs_sample in a folder named for the
    // tag; false (with the failure recorded) when it did not start.
    bool Start(const std::string& s_tag, const std::filesystem::path& fs_sample, int i_width, int i_height)
    {
        fsFolder = MakeTestFolder(s_tag);
        const std::filesystem::path fs_copy = fsFolder / fs_sample.filename();
        std::filesystem::copy_file(fs_sample, fs_copy);
        ConfigureProgramSettings(fsFolder);
        bStarted = true;
        EXPECT_TRUE(RegisterTimetableView());
        if (!TheApp()->StartUp(fs_copy.string())) {
            ADD_FAILURE() << "the program did not start on " << fs_copy;
            return false;
        }
        TheApp()->GetMainFrame()->SetSize(i_width, i_height);
        Pump();
        return true;
    }
    // Shuts the program down and puts everything back; nothing when it was
    // never started.
    void ShutDown()
    {
        if (!bStarted)
            return;
        bStarted = false;
        TheApp()->ShutDown();
        WindowClasses::Unregister(kTimetableView);
        CSettingsStore::Get().Configure("", "");
        std::filesystem::remove_all(fsFolder);
    }

private:
    std::filesystem::path fsFolder;
    bool bStarted = false;
};

// The pane (row, column) of the program's window that holds the focus,
// (-1, -1) for none.
inline std::pair<int, int> FocusPane()
{
    CMainFrame& frame = *TheApp()->GetMainFrame();
    for (wxWindow* p = wxWindow::FindFocus(); p != nullptr; p = p->GetParent())
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                if (frame.GetPane(r, c) == p)
                    return {r, c};
    return {-1, -1};
}
