// Events for rostering: the benchmarks' generated event (EventGenerator.h)
// with what rostering works on added. Participants get one to four roster
// styles, ordered or not, and a roster limit: none, exact or a range.
// Their availability and scheduling limits are the generated event's.
//
// The styles are planned so that the event can be rostered: each comes
// from a locked group the participant is available for, whose locked
// placements clash with none of the participant's other planned groups or
// fixed memberships and keep within its day and event maximums; ordered
// styles are numbered in the time order of their planned groups (equal
// numbers where two overlap in time). A group's largest roster size is
// its fixed members, the memberships planned in it, and a margin drawn
// between the two room options; a small margin makes groups fill up and
// the search make room. The scheduling rules stay, but their participant
// limits no longer bind.
//
// The same options give the same event: the roster settings are drawn
// after the event, from a generator seeded by the same seed.
#pragma once

#include "generators/EventGenerator.h"

#include <cstdint>
#include <memory>
#include <string>

class EventDoc;

namespace benchevent {

struct RosterOptions {
    // The event; by default with half its placements locked.
    EventOptions Event = DefaultRosterEvent();
    // A group's largest roster size: its fixed members, the memberships
    // planned in it, and a margin chosen between the two.
    int nMinRoom = 10;
    int nMaxRoom = 30;
    // Roster styles of a participant, chosen between 1 and this.
    int nMaxRosterStyles = 4;
    // Percentages of the participants with roster styles, of those with
    // ordered styles, and of those with a limit (half exact, half a range).
    int nRosterPercent = 90;
    int nOrderedPercent = 30;
    int nLimitPercent = 60;
    // Participants whose styles are planned as above; the others take one
    // group of each new style as it comes, and their memberships are not
    // counted into the roster sizes.
    int nPlannedPercent = 100;

    static EventOptions DefaultRosterEvent();
};

// The size presets of the roster benchmark: 0 about 50 groups and 500
// participants, 1 500 and 5,000, 2 2,000 and 20,000 (days, venues and
// slots grow with them).
RosterOptions RosterPreset(int i_size, std::uint32_t u_seed);

// Reads "--name=value" arguments over the options: those of the event
// (ParseEventOptions) and room-min, room-max, roster-styles, rostered,
// ordered, limited, planned. FALSE with the reason for an argument it does not know
// or a value out of range; arguments that do not begin with "--" are left
// to the caller.
bool ParseRosterOptions(int argc, char** argv, RosterOptions& options, std::string& s_error);

std::unique_ptr<EventDoc> GenerateRosterEvent(const RosterOptions& options);

} // namespace benchevent
