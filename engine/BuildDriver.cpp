#include "engine/BuildDriver.h"

#include "engine/BuildEngine.h"
#include "engine/BusyPump.h"
#include "engine/EngineGuard.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"

#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// A build of a large event takes hundreds of megabytes for its map
// and counters and frees them at its end; the allocator keeps freed memory
// for later use unless asked, so the process would go on holding the
// build's peak while the user works on. Handing it back costs a walk of the
// heap, once per build.
void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    // The walk holds the allocator for its whole length, so it cannot run
    // beside the window's events on another thread: a repaint would wait
    // for it all the same.
    malloc_trim(0);
#endif
}

int RunOnMap(EventDoc* p_doc, Timetable* p_timetable, const BuildEngineCall& f_call)
{
    TTMap map(p_doc, p_timetable);
    std::unique_ptr<BuildEngine> p_engine;
    {
        // The map of a large event takes seconds, before any window of the
        // build is up: the main window waits as it does during the build,
        // and repaints. It takes input again for the options dialog.
        const BusyWindow busy;
        const BusyPump::Scope pump;
        map.Build();
        p_engine = std::make_unique<BuildEngine>(p_doc, p_timetable, &map);
    }
    BuildEngine& engine = *p_engine;

    BOOL b_update = FALSE;
    int i_result = 0;
    const EngineGuard::Outcome outcome = EngineGuard::Run(
        [&] { i_result = f_call(engine, &b_update); },
        [&] {
            engine.EndProgress();
            engine.RestoreWindow();
        });
    if (outcome.eFailure != EngineGuard::e_none) {
        // The event stays whole and can be saved: the timetable keeps its
        // locks and nothing else, and says it is not valid.
        engine.ClearTimetable();
        p_timetable->SetValid(FALSE);
        i_result = 0;
        b_update = TRUE;
    }
    if (b_update) {
        p_doc->UpdateViews(UpdateViewHint::e_general);
        p_doc->SetModifiedFlag();
    }
    return i_result;
}

} // namespace

int RunBuildDriver(EventDoc* p_doc, Timetable* p_timetable, const BuildEngineCall& f_call)
{
    const int i_result = RunOnMap(p_doc, p_timetable, f_call);
    // The map and the engine are gone.
    ReturnFreedMemory();
    return i_result;
}

int Timetable::Build(EventDoc* p_doc)
{
    return RunBuildDriver(p_doc, this, [](BuildEngine& engine, BOOL* p_started) { return engine.Build(p_started); });
}

// ---- the document's commands that run the engine ----

BOOL EventDoc::OnBuildTimetable()
{
    Timetable* p_timetable = GetTimetableToBuild();
    return p_timetable != nullptr && p_timetable->Build(this) ? TRUE : FALSE;
}

void EventDoc::OnCheckTimetable()
{
    Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return;
    BOOL b_valid = FALSE;
    BOOL b_changed = FALSE;
    {
        // The check shows no progress and offers no Cancel; on a large
        // event it runs for seconds, with the main window waiting as
        // during a build and repainting, until the box that tells the
        // finding.
        const BusyWindow busy;
        const BusyPump::Scope pump;
        {
            TTMap map(this, p_timetable);
            map.Build();
            BuildEngine engine(this, p_timetable, &map);
            b_valid = engine.Check(&b_changed);
        }
        // Handing the check's memory back would cost a walk of the heap as
        // long as a repaint-free stretch of the check itself, before its box
        // can show; the memory stays for the next check or build to reuse,
        // and a build, a close or an open gives it back.
    }
    ReportCheckResult(b_valid ? 1 : 0, b_changed);
}
