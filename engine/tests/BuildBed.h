// A bench for the build's tests: an event from the test builder, every
// port a build reaches scripted (the build's dialogs, message boxes, the
// progress window on its fake clock, the main window, the clock of the
// valid stamp, the views, the error reports), the build run as the
// document's command runs it, and the independent judge of the result.
#pragma once

#include "engine/BuildEngine.h"
#include "engine/BuildPorts.h"
#include "engine/ProgressPort.h"
#include "engine/TTMap.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "testsupport/EventBuilder.h"
#include "generators/TimetableChecker.h"
#include "zelkit/base/ZelErrorReport.h"

#include <memory>
#include <string>
#include <vector>

namespace buildtest {

inline SchedLim Range(UINT u_min, UINT u_max)
{
    return SchedLim(SchedLim::e_range, 0, u_min, u_max);
}

inline SchedLim Exact(UINT u_value)
{
    return SchedLim(SchedLim::e_exact, u_value, 0, 0);
}

// Every port a build reaches, scripted, for as long as the test's bench
// stands.
struct ScriptedPorts {
    ScriptedBuildDialogs dialogs;
    ScriptedBuildWindow window;
    ScriptedMessageBox boxes;
    HeadlessProgress progress;
    ScriptedClock clock{CHighTime(2025, 3, 3, 12, 0, 0)};
    ScriptedViews views;
    ZelRecordingErrorReports reports;
};

struct Bed : ScriptedPorts {
    Bed()
    {
        // The options are asked of the scripted dialogs; travel time is
        // left out unless a test wants it.
        event.Doc().GetPreferences().SetAllowTravel(FALSE);
        event.Doc().GetPreferences().SetFillEmptySlots(FALSE);
    }

    EventDoc& Doc() { return event.Doc(); }
    Timetable& TT() { return *event.Doc().GetTimetable(); }

    // The document's build, as the command runs it; the locks as they
    // stand are kept for the judge.
    int Build()
    {
        vLocks = testcheck::TimetableChecker::TakeLocks(Doc());
        return TT().Build(&Doc());
    }
    // A build on an engine of the test's own, to look at it afterwards.
    BOOL BuildWithEngine(BOOL* p_started = nullptr)
    {
        vLocks = testcheck::TimetableChecker::TakeLocks(Doc());
        pMap = std::make_unique<TTMap>(&Doc(), &TT());
        pMap->Build();
        pEngine = std::make_unique<BuildEngine>(&Doc(), &TT(), pMap.get());
        BOOL b_started = FALSE;
        const BOOL b_result = pEngine->Build(p_started != nullptr ? p_started : &b_started);
        return b_result;
    }

    std::vector<std::string> Problems() { return testcheck::TimetableChecker(Doc()).CheckAll(vLocks); }

    // Every cell's group, day by day and venue by venue ("-" empty, "*"
    // locked).
    std::string Cells()
    {
        std::string s;
        const Timetable& timetable = TT();
        for (int d = 0; d < timetable.GetNumDays(); ++d) {
            if (d > 0)
                s += " |";
            for (int v = 0; v < timetable.GetDay(d).GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = timetable.GetDay(d).GetVenueSlots(v);
                s += v > 0 ? " /" : "";
                for (int i = 0; i < a_slots.GetSize(); ++i) {
                    const LONG l_key = a_slots[i].GetGroup();
                    const int i_group = l_key < 0 ? -1 : Doc().GetGroups().FindByKey(l_key);
                    s += " " + (i_group < 0 ? std::string("-") : Doc().GetGroups()[i_group].GetName());
                    if (a_slots[i].IsLocked())
                        s += "*";
                }
            }
        }
        return s;
    }
    // The texts of the message boxes shown.
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> v;
        for (const auto& box : boxes.Boxes())
            v.push_back(box.sText);
        return v;
    }
    // The stage descriptions the progress window showed, in order.
    std::vector<std::string> Stages() const
    {
        std::vector<std::string> v;
        for (const auto& stage : progress.Stages()) {
            if (!stage.sDescription.empty())
                v.push_back(stage.sDescription);
        }
        return v;
    }

    testevent::EventBuilder event;
    std::vector<testcheck::LockedCell> vLocks;
    std::unique_ptr<TTMap> pMap;
    std::unique_ptr<BuildEngine> pEngine;
};

} // namespace buildtest
