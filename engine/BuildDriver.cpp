#include "engine/BuildDriver.h"

#include "engine/BuildEngine.h"
#include "engine/EngineGuard.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"

int RunBuildDriver(EventDoc* p_doc, Timetable* p_timetable, const BuildEngineCall& f_call)
{
    TTMap map(p_doc, p_timetable);
    map.Build();
    BuildEngine engine(p_doc, p_timetable, &map);

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
    TTMap map(this, p_timetable);
    map.Build();
    BuildEngine engine(this, p_timetable, &map);
    BOOL b_changed = FALSE;
    const BOOL b_valid = engine.Check(&b_changed);
    ReportCheckResult(b_valid ? 1 : 0, b_changed);
}
