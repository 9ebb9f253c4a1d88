// A judge of built timetables for tests, written from the event's rules
// and apart from the build engine, so that a scenario is judged by what a
// valid timetable is rather than by which cells the search happened to
// choose:
//
//     const auto v_locks = testcheck::TimetableChecker::TakeLocks(doc);
//     ... build ...
//     EXPECT_EQ(testcheck::TimetableChecker(doc).CheckAll(v_locks), std::vector<std::string>{});
//
// Each check returns the problems it found, one text each, naming the day,
// venue and start of the cell; none when the timetable keeps the rule.
// Only the model is used: the groups, participants, venues, allocations,
// limits, preferences and day definition of the document, and its
// timetable's placements.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

class EventDoc;

namespace testcheck {

// A locked cell: where, and the group locked into it.
struct LockedCell {
    int iDay = -1;
    int iVenue = -1;
    int iSlot = -1;
    LONG lGroupKey = -1;
};

class TimetableChecker {
public:
    explicit TimetableChecker(const EventDoc& doc);

    // The locked cells of the document's timetable as it stands, to be
    // checked after a build.
    static std::vector<LockedCell> TakeLocks(const EventDoc& doc);

    // Every check below, in this order.
    std::vector<std::string> CheckAll(const std::vector<LockedCell>& v_locks) const;

    // Every placed group is one of the document's, in a venue that suits it
    // (one of the venue's styles, if it has any; every facility the group
    // needs) at a time it is available.
    std::vector<std::string> CheckPlacements() const;
    // No participant, and no group, is in two time-overlapping timeslots of
    // different venues on one day.
    std::vector<std::string> CheckClashes() const;
    // Where the preferences allow travel time between venues, a participant
    // placed in two venues on one day has at least the travel minutes
    // between the end of one and the start of the next.
    std::vector<std::string> CheckTravel() const;
    // Groups and participants keep their day maximums, and their event
    // maximum, or with venue limits in use the maximum of each venue they
    // have a limit for.
    std::vector<std::string> CheckMaxima() const;
    // Every run of consecutive timeslots a group holds in a venue (running
    // on into the next day where its allocation asks for consecutive slots
    // and the day definition says the days follow each other) is within
    // the allocation's minimum (at least 1) and maximum (at most 999).
    std::vector<std::string> CheckChunks() const;
    // Every cell locked before still holds its group, locked.
    std::vector<std::string> CheckLocks(const std::vector<LockedCell>& v_locks) const;
    // The enabled, valid, mandatory scheduling rules, over the groups
    // placed in each rule's timeslots: participants within the limit, no
    // group twice, every group sharing a style with the first one, no two
    // groups sharing a style, every group with a selected style.
    std::vector<std::string> CheckRules() const;

private:
    const EventDoc& Doc;
};

} // namespace testcheck
