#include "engine/BuildDriver.h"

#include "engine/BuildEngine.h"
#include "engine/BusyPump.h"
#include "engine/EngineGuard.h"
#include "engine/ProgressPort.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/FreedMemory.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"

#include <memory>
#include <optional>

namespace {

// How the last build ended (the options' Cancel included).
BuildEngine::EndRoad g_eLastEnd = BuildEngine::e_not_run;

// The busy pointer and the message bar's word that the command set go on
// screen before the work begins: the polls of the work dispatch the events
// only once their pace has passed, and a short check none at all.
void ShowBusyAtOnce()
{
    GetProgressPort().Pump();
}

// The map and the engine live until the driver's end, where they go back to
// the system a slice at a time (BusyPump::ReleaseInSlices).
struct BuildParts {
    std::unique_ptr<TTMap> pMap;
    std::unique_ptr<BuildEngine> pEngine;
};

int RunOnMap(EventDoc* p_doc, Timetable* p_timetable, const BuildEngineCall& f_call, BuildParts& parts)
{
    parts.pMap = std::make_unique<TTMap>(p_doc, p_timetable);
    TTMap& map = *parts.pMap;
    std::unique_ptr<BuildEngine>& p_engine = parts.pEngine;
    {
        // The map of a large event takes seconds, before any window of the
        // build is up: the main window waits as it does during the build,
        // and repaints. It takes input again for the options dialog.
        const BusyWindow busy;
        const BusyPump::Scope pump;
        ShowBusyAtOnce();
        map.Build();
        p_engine = std::make_unique<BuildEngine>(p_doc, p_timetable, &map);
    }
    BuildEngine& engine = *p_engine;

    // A build the user cancels leaves the event as it found it, and as
    // modified as it was.
    const bool b_was_modified = p_doc->IsModified();
    BOOL b_update = FALSE;
    int i_result = 0;
    const EngineGuard::Outcome outcome = EngineGuard::Run(
        [&] { i_result = f_call(engine, &b_update); },
        [&] {
            engine.EndProgress();
            engine.RestoreWindow();
        });
    g_eLastEnd = outcome.eFailure == EngineGuard::e_none ? engine.GetStats().eEnd : BuildEngine::e_not_run;
    if (outcome.eFailure != EngineGuard::e_none) {
        // The event stays whole and can be saved: the timetable keeps its
        // locks and nothing else, and says it is not valid.
        engine.ClearTimetable();
        p_timetable->SetValid(FALSE);
        i_result = 0;
        b_update = TRUE;
    }
    if (b_update) {
        // The views showed the build's placements as it went, also those a
        // Cancel took back.
        p_doc->UpdateViews(UpdateViewHint::e_general);
        if (outcome.eFailure == EngineGuard::e_none && engine.GetStats().bPutBack)
            p_doc->SetModifiedFlag(b_was_modified);
        else
            p_doc->SetModifiedFlag();
    }
    return i_result;
}

} // namespace

int RunBuildDriver(EventDoc* p_doc, Timetable* p_timetable, const BuildEngineCall& f_call)
{
    BuildParts parts;
    const int i_result = RunOnMap(p_doc, p_timetable, f_call, parts);
    {
        // A large event's map and counters are hundreds of megabytes, going
        // back for most of a second: the main window waits meanwhile as
        // during the build, and repaints. A small event's go at once.
        std::optional<BusyWindow> busy;
        std::optional<BusyPump::Scope> pump;
        if (parts.pMap->GetDayBytes() >= BusyPump::kSliceBytes) {
            busy.emplace();
            pump.emplace();
        }
        parts.pEngine.reset();
        parts.pMap.reset();
        // What the build freed as it went (its tables, its lists).
        ReturnFreedMemory();
    }
    return i_result;
}

int Timetable::Build(EventDoc* p_doc)
{
    // The options first: they need no map, and the map of a large event
    // takes seconds and hundreds of megabytes that a Cancel here would throw
    // away. Nothing the options change reaches the map (it reads the
    // groups, venues, days and locks, none of them preferences), and the
    // build reads them only after the map is made, as it would have.
    g_eLastEnd = BuildEngine::e_not_run;
    if (!BuildEngine::AskBuildOptions(p_doc)) {
        g_eLastEnd = BuildEngine::e_options_cancelled;
        return 0;
    }
    return RunBuildDriver(p_doc, this,
                          [](BuildEngine& engine, BOOL* p_started) { return engine.Build(p_started, TRUE); });
}

// ---- the document's commands that run the engine ----

BOOL WasLastBuildCancelled()
{
    return g_eLastEnd == BuildEngine::e_options_cancelled || g_eLastEnd == BuildEngine::e_cancelled ? TRUE : FALSE;
}

BOOL EventDoc::OnBuildTimetable()
{
    g_eLastEnd = BuildEngine::e_not_run;
    Timetable* p_timetable = GetTimetableToBuild();
    return p_timetable != nullptr && p_timetable->Build(this) ? TRUE : FALSE;
}

void EventDoc::OnCheckTimetable()
{
    Timetable* p_timetable = GetTimetableToCheck();
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
        ShowBusyAtOnce();
        {
            TTMap map(this, p_timetable);
            map.Build();
            BuildEngine engine(this, p_timetable, &map);
            b_valid = engine.Check(&b_changed);
        }
        // (The map and the counters of a large event go back to the system
        // as they go, a slice at a time with the window repainting.)
    }
    ReportCheckResult(b_valid ? 1 : 0, b_changed);
}
