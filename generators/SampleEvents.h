// The sample events: small events of every day kind, one holding every kind
// of item, one to roster, and one of about 200 groups. The generator in bench/ writes them
// to tests/data/events/ through the program's own writer; the tests build
// them again to check the file format.
//
// Each maker fills an empty document. The key counters start from 0 for
// every sample, so a sample comes out the same whatever was made before.
#pragma once

#include <string>
#include <vector>

class EventDoc;

namespace sampleevents {

// The process-wide key counters back to 0, as in a program just started.
void ResetKeyCounters();

// No days, no items; only a name and the two dates.
void MakeEmpty(EventDoc& doc);
// Three calendar days holding every kind of item: venues with styles and
// facilities, groups with members and roles, participants with roster
// styles and roles, a scheduling rule of each kind (day and venue rules),
// a timeslot combination, placements and locks.
void MakeCalendarEvent(EventDoc& doc);
// Monday to Friday with a venue, a few groups whose day limits share out
// every evening, and a timetable.
void MakeWeekEvent(EventDoc& doc);
// Named custom days, the first two following each other.
void MakeCustomEvent(EventDoc& doc);
// Two camp days whose sessions are locked in place, groups with styles and
// sizes, and participants with roster styles (by role and their own) that
// rostering places in full.
void MakeRosterEvent(EventDoc& doc);
// 200 groups and 500 participants over six venues and five calendar days,
// made by the benchmarks' event generator: members, limits, allocations,
// times not available, a timetable filled in part with locks, and rules.
void MakeLargeEvent(EventDoc& doc);

struct Sample {
    const char* pFileName;
    void (*fMake)(EventDoc& doc);
};
// Every sample with the file name it is kept under.
const std::vector<Sample>& Samples();

} // namespace sampleevents
