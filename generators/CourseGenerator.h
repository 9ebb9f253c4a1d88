// Course timetables for the build benchmark and the checks that its results
// do not move: groups are courses with an exact number of one-hour lectures
// a week (at most one a day), their members the course's teacher and one or
// two curricula (the students who take the courses of a curriculum), a few
// hours a course cannot be held, and venues that suit every course.
//
// The generator first draws a complete timetable without a clash (no venue,
// teacher or curriculum twice at one time) and makes the event from it: a
// course's lecture count is the number of lectures it was given, and its
// unavailable hours avoid them. So every event it makes can be built in
// full, however hard the search finds it. The drawn timetable is not saved:
// the event's timetable is empty. Filling empty timeslots is off.
//
// The same options give the same event (one generator seeded by the
// options, keys counted from 1).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class EventDoc;

namespace benchevent {

struct CourseOptions {
    std::uint32_t uSeed = 1;
    int nGroups = 50;
    // Calendar days from 3 March 2025, and hour-long slots from 09:00.
    int nDays = 6;
    int nSlotsPerDay = 6;
    // 0 (the default; not an option): enough venues for the lectures to
    // take a little over half the cells, and at least 9.
    int nVenues = 0;
    // Unavailable hours of a course, chosen between the two.
    int nMinUnavailable = 1;
    int nMaxUnavailable = 3;
};

// Reads "--name=value" arguments over the defaults: seed, groups (1 to
// 1000), days, slots and venues, in the ranges of the generator of large
// events (ParseEventOptions). FALSE with the reason for an argument it does
// not know or a value out of range. "--shape=courses" is passed over;
// arguments that do not begin with "--" are left to the caller.
bool ParseCourseOptions(int argc, char** argv, CourseOptions& options, std::string& s_error);

// The options as the arguments that give them.
std::string DescribeCourseOptions(const CourseOptions& options);

// Makes the event.
std::unique_ptr<EventDoc> GenerateCourseEvent(const CourseOptions& options);

} // namespace benchevent
