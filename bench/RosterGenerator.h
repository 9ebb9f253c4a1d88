// Events for rostering: the benchmarks' generated event (EventGenerator.h)
// with what rostering works on added. Groups get a largest roster size
// above their fixed members; participants get one to four roster styles
// of those that locked groups carry, ordered or not, with order numbers
// that may repeat, and a roster limit: none, exact or a range. Their
// availability and scheduling limits are the generated event's.
//
// The same options give the same event: the roster settings are drawn
// after the event, from a generator seeded by the same seed.
#pragma once

#include "bench/EventGenerator.h"

#include <cstdint>
#include <memory>
#include <string>

class EventDoc;

namespace benchevent {

struct RosterOptions {
    // The event; by default with half its placements locked.
    EventOptions Event = DefaultRosterEvent();
    // A group's largest roster size: its fixed members and this many more,
    // chosen between the two.
    int nMinRoom = 6;
    int nMaxRoom = 20;
    // Roster styles of a participant, chosen between 1 and this.
    int nMaxRosterStyles = 4;
    // Percentages of the participants with roster styles, of those with
    // ordered styles, and of those with a limit (half exact, half a range).
    int nRosterPercent = 90;
    int nOrderedPercent = 50;
    int nLimitPercent = 60;

    static EventOptions DefaultRosterEvent();
};

// The size presets of the roster benchmark: 0 about 50 groups and 500
// participants, 1 500 and 5,000, 2 2,000 and 20,000 (days, venues and
// slots grow with them).
RosterOptions RosterPreset(int i_size, std::uint32_t u_seed);

// Reads "--name=value" arguments over the options: those of the event
// (ParseEventOptions) and room-min, room-max, roster-styles, rostered,
// ordered, limited. FALSE with the reason for an argument it does not know
// or a value out of range; arguments that do not begin with "--" are left
// to the caller.
bool ParseRosterOptions(int argc, char** argv, RosterOptions& options, std::string& s_error);

std::unique_ptr<EventDoc> GenerateRosterEvent(const RosterOptions& options);

} // namespace benchevent
