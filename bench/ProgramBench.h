// What the benchmarks that run the whole program in-process under a display
// share: the generator's options with a large event by default, the
// toolkit started with the program's own application, the program started
// on a small event in a window of a fixed size, the timing, and its end.
#pragma once

#include "app/InstallViews.h"
#include "framework/Settings.h"
#include "generators/EventGenerator.h"
#include "model/EventDoc.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ProgramFolder.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <wx/app.h>
#include <wx/init.h>

namespace programbench {

using Clock = std::chrono::steady_clock;

inline double Since(Clock::time_point t_start)
{
    return std::chrono::duration<double>(Clock::now() - t_start).count();
}

// Lets the toolkit draw and go idle.
inline void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

// Reads the generator's options (8,000 groups and 20,000 participants
// unless they say otherwise) and starts the toolkit with the program's
// application and its dialogs. 0 when all is ready, else the exit code,
// the reason printed.
inline int StartToolkit(int argc, char** argv, const char* p_name, benchevent::EventOptions& options)
{
    options.nGroups = 8000;
    options.nParticipants = 20000;
    std::string s_error;
    if (!benchevent::ParseEventOptions(argc, argv, options, s_error)) {
        std::fprintf(stderr, "%s\n", s_error.c_str());
        return 2;
    }
    wxApp::SetInstance(new CRotavexApp);
    // The toolkit may keep the arguments it was started with.
    static std::string s_name;
    s_name = p_name;
    static char* a_argv[] = {s_name.data(), nullptr};
    int i_argc = 1;
    if (!wxEntryStart(i_argc, a_argv)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    CRotavexApp::InitServices(false);
    InstallDialogPorts();
    return 0;
}

// A small generated event, for the program to start on before the large
// one is opened.
inline benchevent::EventOptions SmallEvent()
{
    benchevent::EventOptions small;
    small.nGroups = 5;
    small.nParticipants = 10;
    return small;
}

// The program started on an event with its settings in fs_folder, its
// window 1200 by 800 and drawn; false (the reason printed) when it did not
// start.
inline bool StartProgram(const std::filesystem::path& fs_folder, const std::filesystem::path& fs_event)
{
    ConfigureProgramSettings(fs_folder);
    RegisterPaneViews();
    if (!TheApp()->StartUp(fs_event.string())) {
        std::fprintf(stderr, "the program did not start\n");
        return false;
    }
    TheApp()->GetMainFrame()->SetSize(1200, 800);
    Settle();
    return true;
}

// The program closed without asking to save, the toolkit ended and the
// folder removed.
inline void EndProgram(const std::filesystem::path& fs_folder)
{
    TheApp()->GetDocument()->GetEvent().SetModifiedFlag(false);
    TheApp()->ShutDown();
    CSettingsStore::Get().Configure("", "");
    wxEntryCleanup();
    std::filesystem::remove_all(fs_folder);
}

} // namespace programbench
