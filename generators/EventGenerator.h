// A generator of large events for benchmarks, sample files and tools: an
// event of calendar days, venues with styles and facilities, participants
// and groups with members, limits, allocations and not-available times, a
// timetable filled in part with some placements locked, and day and venue
// rules. Everything is made in memory through the model's own operations.
//
// The same options give the same event: every choice comes from one
// generator seeded by the options and drawn in a fixed order, and the keys
// are counted from 1 (the generator sets the program's key counters first,
// as a newly opened event would).
//
// The filled timetable keeps what the verification of a placed timeslot
// looks at: groups in venues that suit them, at times they and their
// members are available, within the day, event and venue maximums of
// groups and participants, no participant in two timeslots at once, and a
// free slot between a participant's placements in two venues (slots are
// back to back). Groups with a two-slot allocation hold runs of exactly
// two. The rules hold for the placements as generated. Rotation is not
// kept: groups rotate only when asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class EventDoc;

namespace benchevent {

struct EventOptions {
    std::uint32_t uSeed = 1;
    int nGroups = 2000;
    int nParticipants = 5000;
    // Calendar days one after another from 3 March 2025.
    int nDays = 60;
    int nVenues = 40;
    // Hour-long slots from 09:00, the same in every venue.
    int nSlotsPerDay = 8;
    int nStyles = 6;
    int nFacilities = 4;
    // Members of a group, chosen at random between the two.
    int nMinMembers = 2;
    int nMaxMembers = 5;
    // Percentages: of the timetable's cells filled, of the placements
    // locked, of the groups with venue limits, with a two-slot allocation,
    // with a rotation, and of groups and participants with a time they are
    // not available.
    int nFillPercent = 60;
    int nLockPercent = 5;
    int nVenueLimitPercent = 10;
    int nChunkPercent = 10;
    int nRotationPercent = 0;
    int nUnavailablePercent = 10;
    int nDayRules = 30;
    int nVenueRules = 30;
    // Without it the event has no timetable (and no rules).
    bool bTimetable = true;
};

// Reads "--name=value" arguments over the defaults: seed, groups,
// participants, days, venues, slots, styles, facilities, min-members,
// max-members, fill, locks, venue-limits, chunks, rotation, unavailable,
// day-rules, venue-rules, no-timetable. FALSE with the reason for an
// argument it does not know or a value out of range. Arguments that do
// not begin with "--" are left to the caller.
bool ParseEventOptions(int argc, char** argv, EventOptions& options, std::string& s_error);

// The options as the arguments that give them.
std::string DescribeEventOptions(const EventOptions& options);

// Makes the event. Options out of range are brought within it.
std::unique_ptr<EventDoc> GenerateEvent(const EventOptions& options);

// The program's key counters of groups, participants, venues and
// properties set back to 1, as a newly opened event would have them: a
// generator then gives its keys from 1.
void ResetKeyCounters();

// What was made, counted from the document.
struct EventSummary {
    int nGroups = 0;
    int nParticipants = 0;
    int nMembers = 0;
    int nDays = 0;
    int nVenues = 0;
    int nCells = 0;
    int nPlacements = 0;
    int nLocked = 0;
    int nDayRules = 0;
    int nVenueRules = 0;
};
EventSummary SummarizeEvent(const EventDoc& doc);

} // namespace benchevent
