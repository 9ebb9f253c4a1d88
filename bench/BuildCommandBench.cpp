// What the user meets between the menu choice and the first answer of the
// build and check commands on a large event, in the program's window: the
// program runs in-process, opens a generated event (by default 8,000 groups
// and 20,000 participants) as File > Open does, and then
// - Event > Build timetable, the options answered Cancel: the time from the
//   menu choice to the options dialog, the first dispatch of the window's
//   events with the busy pointer up and the message bar's text then, the
//   resident size before and while the options wait, and the peak;
// - Event > Check timetable: the time to its first dispatch (with the busy
//   pointer and the text), to its message box, and the peak.
// The options and the box are answered by ports that stand over the
// program's own and note the moment they are asked.
// Needs a display: run it under one of its own, e.g.
//   testsupport/run-on-display build/bin/build_command_bench [--groups=N --participants=N]
// (any option of the event generator).
#include "bench/ProgramBench.h"
#include "engine/BuildPorts.h"
#include "engine/ProgressPort.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ProgramFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <wx/statusbr.h>
#include <wx/utils.h>

namespace fs = std::filesystem;
using namespace programbench;

namespace {

// A field of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMb(const char* p_field)
{
    std::ifstream in("/proc/self/status");
    std::string s_line;
    const std::string s_key = std::string(p_field) + ":";
    while (std::getline(in, s_line)) {
        if (s_line.compare(0, s_key.size(), s_key) == 0)
            return std::stod(s_line.substr(s_key.size())) / 1024.0;
    }
    return -1;
}

// The peak starts again from the present size.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string StatusText()
{
    wxStatusBar* p_status = TheApp()->GetMainFrame()->GetStatusBar();
    return p_status != nullptr ? p_status->GetStatusText(0).ToStdString() : std::string();
}

// The moments the command reached: its first dispatch of the events (with
// what the user saw then), the options, the box, its end, and its peak.
struct Moments {
    Clock::time_point tStart;
    double dFirstPump = -1;
    bool bBusyAtFirstPump = false;
    std::string sTextAtFirstPump;
    double dOptions = -1;
    double dRssAtOptions = -1;
    std::string sTextAtOptions;
    double dBox = -1;
    double dEnd = -1;
    double dPeak = -1;
};
Moments g_Moments;

class TimingProgress : public IProgressPort {
public:
    explicit TimingProgress(IProgressPort& inner) : Inner(inner) {}
    std::unique_ptr<IProgressWindow> Show(BuildProgressModel& model) override { return Inner.Show(model); }
    void Pump() override
    {
        if (g_Moments.dFirstPump < 0) {
            g_Moments.dFirstPump = Since(g_Moments.tStart);
            g_Moments.bBusyAtFirstPump = wxIsBusy();
            g_Moments.sTextAtFirstPump = StatusText();
        }
        Inner.Pump();
    }
    void Yield() override { Inner.Yield(); }

private:
    IProgressPort& Inner;
};

class TimingDialogs : public IBuildDialogsPort {
public:
    explicit TimingDialogs(IBuildDialogsPort& inner) : Inner(inner) {}
    int AskBuildOptions(BuildOptionsModel&) override
    {
        g_Moments.dOptions = Since(g_Moments.tStart);
        g_Moments.dRssAtOptions = StatusMb("VmRSS");
        g_Moments.sTextAtOptions = StatusText();
        return IDCANCEL;
    }
    int ShowFailedMinimums(FailedMinimumsModel& model) override { return Inner.ShowFailedMinimums(model); }
    void ShowFailedRotation(FailedRotationModel& model) override { Inner.ShowFailedRotation(model); }
    void ShowNotScheduled(NotScheduledModel& model) override { Inner.ShowNotScheduled(model); }
    void ShowSortTooLong(SortTooLongModel& model) override { Inner.ShowSortTooLong(model); }

private:
    IBuildDialogsPort& Inner;
};

class TimingBoxes : public IMessageBoxPort {
public:
    int Show(const std::string&, const std::string&, std::uint32_t u_style) override
    {
        if (g_Moments.dBox < 0)
            g_Moments.dBox = Since(g_Moments.tStart);
        return DefaultAnswer(u_style);
    }
};

void Print(const char* p_what, double d_seconds)
{
    if (d_seconds < 0)
        std::printf("%-44s %9s\n", p_what, "never");
    else
        std::printf("%-44s %7.3f s\n", p_what, d_seconds);
}

// One command chosen from the menu, its peak counted from the present size.
Moments RunTimed(CMainFrame& frame, UINT u_command)
{
    ResetPeak();
    g_Moments = Moments();
    g_Moments.tStart = Clock::now();
    frame.RunCommand(u_command);
    g_Moments.dEnd = Since(g_Moments.tStart);
    Moments moments = g_Moments;
    moments.dPeak = StatusMb("VmHWM");
    Settle();
    return moments;
}

void PrintFirstDispatch(const Moments& moments)
{
    Print("  menu choice to the first dispatch", moments.dFirstPump);
    std::printf("  %-42s %s, \"%s\"\n", "busy pointer and text then", moments.bBusyAtFirstPump ? "busy" : "not busy",
                moments.sTextAtFirstPump.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    benchevent::EventOptions options;
    if (const int i_exit = StartToolkit(argc, argv, "build-command-bench", options); i_exit != 0)
        return i_exit;
    const fs::path fs_folder = MakeTestFolder("rvx-build-command-bench");
    const fs::path fs_big = fs_folder / "big.eve";
    const fs::path fs_small = fs_folder / "small.eve";
    {
        ScriptedMessageBox boxes;
        benchevent::ResetKeyCounters();
        auto p_doc = benchevent::GenerateEvent(options);
        p_doc->SetEventName("Generated");
        p_doc->GetPreferences().SetSkipBuildOptions(FALSE);
        auto p_small = benchevent::GenerateEvent(SmallEvent());
        if (!GetEventFilePort().Save(*p_doc, fs_big.string()) || !GetEventFilePort().Save(*p_small, fs_small.string())) {
            std::fprintf(stderr, "the events were not saved\n");
            return 1;
        }
    }

    if (!StartProgram(fs_folder, fs_small))
        return 1;
    {
        ScriptedMessageBox boxes;
        if (TheApp()->OpenDocumentFile(fs_big.string()) != CRotavexApp::e_opened) {
            std::fprintf(stderr, "the event did not open\n");
            return 1;
        }
    }
    Settle();
    std::printf("event: %d groups, %d participants\n", options.nGroups, options.nParticipants);

    TimingProgress progress(GetProgressPort());
    IProgressPort* p_old_progress = SetProgressPort(&progress);
    TimingDialogs dialogs(GetBuildDialogsPort());
    IBuildDialogsPort* p_old_dialogs = SetBuildDialogsPort(&dialogs);
    TimingBoxes boxes;
    IMessageBoxPort* p_old_boxes = SetMessageBoxPort(&boxes);
    CMainFrame& frame = *TheApp()->GetMainFrame();

    // Build timetable, the options cancelled.
    const double d_rss_before = StatusMb("VmRSS");
    const Moments build = RunTimed(frame, EventDoc::ID_BUILD_TIMETABLE);
    std::printf("Build timetable, the options cancelled:\n");
    Print("  menu choice to the options", build.dOptions);
    std::printf("  %-42s \"%s\"\n", "message bar then", build.sTextAtOptions.c_str());
    PrintFirstDispatch(build);
    Print("  menu choice to the command's end", build.dEnd);
    std::printf("  %-42s %7.0f MB\n", "resident before", d_rss_before);
    std::printf("  %-42s %7.0f MB\n", "resident while the options wait", build.dRssAtOptions);
    std::printf("  %-42s %7.0f MB\n", "peak up to the command's end", build.dPeak);

    // Check timetable.
    const Moments check = RunTimed(frame, EventDoc::ID_CHECK_TIMETABLE);
    std::printf("Check timetable:\n");
    PrintFirstDispatch(check);
    Print("  menu choice to its message box", check.dBox);
    Print("  menu choice to the command's end", check.dEnd);
    std::printf("  %-42s %7.0f MB\n", "peak up to the command's end", check.dPeak);

    SetMessageBoxPort(p_old_boxes);
    SetBuildDialogsPort(p_old_dialogs);
    SetProgressPort(p_old_progress);
    EndProgram(fs_folder);
    return 0;
}
