// The build driver behind Timetable::Build and the document's build and
// check commands (EventDoc::OnBuildTimetable, EventDoc::OnCheckTimetable),
// which the engine defines so that the model never depends on it.
#pragma once

#include "framework/Types.h"

#include <functional>

class BuildEngine;
class EventDoc;
class Timetable;

// The engine's call the driver runs: BuildEngine::Build for a build.
using BuildEngineCall = std::function<BOOL(BuildEngine& engine, BOOL* p_started)>;

// One build of the timetable for the document: the build map filled, the
// engine made, the call run under the engine guard (EngineGuard.h). After a
// failure the unlocked placements are cleared, the timetable is marked not
// valid and the result is 0. The views are updated with the general hint
// and the document marked modified when the call said the build started,
// and after any failure; a build the user cancelled, which put the
// timetable back, leaves the modified flag as it was. The map and the engine go before it returns, and
// the memory they took goes back to the system (the check command's too).
int RunBuildDriver(EventDoc* p_doc, Timetable* p_timetable, const BuildEngineCall& f_call);

// TRUE when the last build (Timetable::Build, the document's build
// command) ended by the user's Cancel, in its options or in its progress
// window: nothing was built. FALSE after any other end, and when the
// command stopped before a build began.
BOOL WasLastBuildCancelled();
