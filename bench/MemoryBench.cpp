// The process's resident size along one user's steps on an event file, in
// one process with one document, as the program keeps it: open the file,
// build, close, open it again, build again, close. After each step: the
// resident size then, and the most it reached during the step (the peak
// is set back before each step where the system allows, else it is the
// process's peak so far, marked "*"). A build returns what it took, so the
// second build should reach no more than the first, and a close should come
// back near where the open started.
//
// The builds run as evetool builds (the options as stored, the minimum
// report answered "make changes"); each prints the timetable's hash, the
// same for both builds and as `evetool build FILE` gives.
//
// Run by hand: build/bin/memory_bench FILE [--time-limit=SECONDS]
// (an event from `evetool generate OUT --groups=8000 --participants=20000
// --seed=1`, for example).
#include "generators/AlwaysContinue.h"
#include "generators/CountingBoxes.h"
#include "generators/HeadlessBuild.h"
#include "generators/ProcessFigures.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    JoinRotavexResources();
    const char* p_file = nullptr;
    benchbuild::BuildScript script;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--time-limit=", 13) == 0)
            script.uTimeLimitSeconds = static_cast<UINT>(std::atoi(argv[i] + 13));
        else if (argv[i][0] != '-' && p_file == nullptr)
            p_file = argv[i];
        else {
            std::fprintf(stderr, "usage: memory_bench FILE [--time-limit=SECONDS]\n");
            return 2;
        }
    }
    if (p_file == nullptr) {
        std::fprintf(stderr, "usage: memory_bench FILE [--time-limit=SECONDS]\n");
        return 2;
    }

    CountingBoxes boxes;
    const AlwaysContinue quiet;
    // A close asks about the built, unsaved event: not saved.
    ScriptedSaveQuestions questions;
    for (int i = 0; i < 4; ++i)
        questions.SaveChangesAnswer(IDNO);

    EventDoc doc;
    int i_exit = 0;
    std::printf("%-8s %8s %9s %9s  %s\n", "step", "seconds", "RSS MiB", "peak MiB", "");
    std::printf("%-8s %8s %9ld %9s\n", "start", "", StatusKib("VmRSS") / 1024, "");
    auto step = [&](const char* p_name, const std::function<std::string()>& f_step) {
        const bool b_reset = ResetPeak();
        const auto t_start = std::chrono::steady_clock::now();
        const std::string s_note = f_step();
        const double d_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count();
        std::printf("%-8s %8.2f %9ld %9ld%s %s\n", p_name, d_seconds, StatusKib("VmRSS") / 1024,
                    StatusKib("VmHWM") / 1024, b_reset ? " " : "*", s_note.c_str());
        std::fflush(stdout);
    };
    auto open = [&]() -> std::string {
        if (doc.OnOpenDocument(p_file) && doc.GetTimetable() != nullptr)
            return "";
        i_exit = 1;
        return "cannot be opened, or has no timetable";
    };
    auto build = [&]() -> std::string {
        if (doc.GetTimetable() == nullptr)
            return "no timetable";
        const benchbuild::BuildFigures f = benchbuild::RunBuild(doc, script);
        return f.sResult + " " + f.sHash;
    };
    auto close = [&]() -> std::string {
        doc.OnCloseEvent();
        return doc.GetGroups().GetNumGroups() == 0 ? "" : "still open";
    };
    step("open", open);
    step("build", build);
    step("close", close);
    step("open", open);
    step("build", build);
    step("close", close);
    return i_exit;
}
