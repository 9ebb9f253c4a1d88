// A whole build of an event without a display, for the benchmarks and the
// headless tools: the build command's driver runs with every port the build
// reaches answered by a script (the options as stored unless changed here;
// at the minimum report stop, or keep searching in a chosen mode up to a
// number of times; OK to the other reports; message boxes answered with
// their default button), the progress window kept on the real clock with
// an optional time limit over the whole build, and the figures of the run
// gathered: time, placements, what the reports listed, the search's steps
// and depth, what the independent judge finds, and a hash of the timetable
// (the same event, options and answers give the same hash, unless the time
// limit cut a search short). evetool's build command and the build
// benchmark run their builds here.
//
// The runs also time the longest stretch in which the user-interface
// thread would have dispatched no events: between the start of the
// command, every pump of the progress port, every dialog and message box
// shown (each runs its own loop) and the command's end.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <optional>
#include <string>

class EventDoc;

namespace benchbuild {

struct BuildScript {
    // At the minimum report: keep searching in this mode (0 "Thorough",
    // 1 "Complete") up to nKeepSearching times where the report lets a
    // user choose it, then stop; -1 stops at once.
    int iKeepSearchingMode = -1;
    int nKeepSearching = 0;
    // Seconds the whole build may search; 0 for no limit. Only the search
    // stages run against it: the checks after a search always finish, and
    // a search stage that starts after the time has run out stops at its
    // first check.
    UINT uTimeLimitSeconds = 0;
    // Options set in the event's preferences before the build (else as
    // stored).
    std::optional<bool> bFill;
    std::optional<bool> bAllowTravel;
    std::optional<UINT> uTravelMinutes;
};

struct BuildFigures {
    double dSeconds = 0;
    double dCpuSeconds = 0;
    // How the build ended: "built", "rotation failed", "minimums failed",
    // "cancelled", ..., or "engine failure" when the driver caught one.
    std::string sResult;
    int iResult = 0;
    bool bValid = false;
    int nCells = 0;
    int nPlaced = 0;
    int nUnfilled = 0;
    int nMinimumRows = 0;
    UINT uMinimumShortfall = 0;
    int nRotationRows = 0;
    int nNotScheduled = 0;
    std::uint64_t uSteps = 0;
    UINT uMaxDepth = 0;
    int nAttempts = 0;
    bool bTimeLimitHit = false;
    // What the independent judge finds wrong with the result.
    int nViolations = 0;
    std::string sFirstViolation;
    // Message boxes shown, and the first one's text.
    int nMessages = 0;
    std::string sFirstMessage;
    long lPeakKib = 0;
    std::string sHash;
    // The longest time without the thread's events dispatched, in ms, and
    // what came before and after it.
    double dLongestFreezeMs = 0;
    std::string sFreezeWhere;
    int nPumps = 0;
    // The stretches without events longer than 250 ms.
    int nFreezesOver250 = 0;
};

// Builds the event's timetable as the build command does, under the
// script. The event must have a timetable.
BuildFigures RunBuild(EventDoc& doc, const BuildScript& script);

// The check command on the event's timetable, as the program runs it
// (EventDoc::OnCheckTimetable), message boxes answered as they open.
struct CheckFigures {
    double dSeconds = 0;
    // "valid" or "invalid", from the box the command shows.
    std::string sResult;
    int nMessages = 0;
    std::string sFirstMessage;
    double dLongestFreezeMs = 0;
    std::string sFreezeWhere;
    int nPumps = 0;
    // The stretches without events longer than 250 ms.
    int nFreezesOver250 = 0;
};
CheckFigures RunCheck(EventDoc& doc);

// A hash of every cell's group and lock, day by day, venue by venue, slot
// by slot, as 16 hexadecimal digits.
std::string TimetableHash(const EventDoc& doc);

} // namespace benchbuild
