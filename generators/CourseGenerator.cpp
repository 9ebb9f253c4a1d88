#include "generators/CourseGenerator.h"

#include "generators/Draw.h"
#include "generators/EventGenerator.h"
#include "model/EventDoc.h"

#include <algorithm>
#include <vector>

namespace benchevent {

namespace {

ZelRelTimeslot Hour(int i_slot)
{
    return ZelRelTimeslot(ZelOleDateTimeSpan(0, 9 + i_slot, 0, 0), ZelOleDateTimeSpan(0, 1, 0, 0), -1);
}

int VenuesFor(const CourseOptions& o)
{
    if (o.nVenues > 0)
        return o.nVenues;
    // Three lectures a course on average, in 55 % of the cells.
    const int n_cells_per_venue = o.nDays * o.nSlotsPerDay;
    return std::max(9, (o.nGroups * 3 * 100 + n_cells_per_venue * 55 - 1) / (n_cells_per_venue * 55));
}

// The clash-free timetable the event is made from: which course is in each
// cell, and which hours each teacher and curriculum is taken.
class Drawing {
public:
    Drawing(const CourseOptions& o, int n_venues, int n_people)
        : nDays(o.nDays), nSlots(o.nSlotsPerDay), nVenues(n_venues),
          CellCourse(static_cast<std::size_t>(o.nDays * o.nSlotsPerDay * n_venues), -1),
          PersonBusy(static_cast<std::size_t>(n_people), std::vector<char>(static_cast<std::size_t>(o.nDays * o.nSlotsPerDay), 0))
    {
    }

    // Places one lecture of the course with the members on a day it has
    // none yet; FALSE when no cell is left for it.
    bool PlaceLecture(Draw& draw, int i_course, const std::vector<int>& v_people, std::vector<int>& v_hours)
    {
        std::vector<int> v_free;
        for (int d = 0; d < nDays; ++d) {
            if (std::any_of(v_hours.begin(), v_hours.end(), [&](int h) { return h / nSlots == d; }))
                continue;
            for (int s = 0; s < nSlots; ++s) {
                const int i_hour = d * nSlots + s;
                if (std::any_of(v_people.begin(), v_people.end(),
                                [&](int p) { return PersonBusy[static_cast<std::size_t>(p)][static_cast<std::size_t>(i_hour)] != 0; }))
                    continue;
                for (int v = 0; v < nVenues; ++v) {
                    if (CellCourse[Cell(i_hour, v)] < 0)
                        v_free.push_back(i_hour * nVenues + v);
                }
            }
        }
        if (v_free.empty())
            return false;
        const int i_cell = v_free[static_cast<std::size_t>(draw.Below(static_cast<int>(v_free.size())))];
        const int i_hour = i_cell / nVenues;
        CellCourse[static_cast<std::size_t>(i_cell)] = i_course;
        for (const int p : v_people)
            PersonBusy[static_cast<std::size_t>(p)][static_cast<std::size_t>(i_hour)] = 1;
        v_hours.push_back(i_hour);
        return true;
    }

private:
    std::size_t Cell(int i_hour, int v) const { return static_cast<std::size_t>(i_hour * nVenues + v); }

    int nDays, nSlots, nVenues;
    std::vector<int> CellCourse;
    std::vector<std::vector<char>> PersonBusy;
};

void MakeDays(EventDoc& doc, const CourseOptions& o)
{
    CalendarDays days;
    ZelArray<ZelOleDateTime> a_dates;
    for (int d = 0; d < o.nDays; ++d)
        a_dates.Add(ZelOleDateTime(ZelOleDateTime(2025, 3, 3) + CHighTimeSpan(d, 0)));
    days.SetDates(a_dates);
    days.Set24Hour(TRUE);
    ZelRelTimeslotArray a_slots;
    for (int s = 0; s < o.nSlotsPerDay; ++s)
        a_slots.Add(Hour(s));
    for (int d = 0; d < days.GetNumLayouts(); ++d)
        days.GetDaySlots(d).SetSlots(a_slots, TRUE);
    doc.GetEventDef().SetDayDef(days);
}

} // namespace

std::unique_ptr<EventDoc> GenerateCourseEvent(const CourseOptions& options)
{
    const CourseOptions& o = options;
    Draw draw(o.uSeed);
    ResetKeyCounters();

    auto p_doc = std::make_unique<EventDoc>();
    EventDoc& doc = *p_doc;
    doc.GetPreferences().SetFillEmptySlots(FALSE);
    MakeDays(doc, o);
    const int n_venues = VenuesFor(o);
    for (int v = 0; v < n_venues; ++v) {
        Venue venue;
        venue.SetKey(v + 1);
        venue.SetName("Room " + std::to_string(101 + v));
        doc.GetVenues().AddVenue(venue);
    }

    // A teacher for every two or three courses, a curriculum for every
    // six; each course is in one curriculum, a third of them in a second.
    const int n_teachers = std::max(1, o.nGroups * 2 / 5);
    const int n_curricula = std::max(1, o.nGroups / 6);
    for (int p = 0; p < n_teachers + n_curricula; ++p) {
        Participant part;
        part.SetKey(p + 1);
        if (p < n_teachers)
            part.SetName("Teacher", "", std::to_string(p + 1));
        else
            part.SetName("Curriculum", "", std::to_string(p - n_teachers + 1));
        doc.GetParticipants().Add(part);
    }

    Drawing drawing(o, n_venues, n_teachers + n_curricula);
    const DayDefBase& days = doc.GetEventDef().GetDayDef();
    for (int g = 0; g < o.nGroups; ++g) {
        std::vector<int> v_people{draw.Below(n_teachers), n_teachers + draw.Below(n_curricula)};
        if (n_curricula > 1 && draw.Below(3) == 0) {
            const int i_second = n_teachers + draw.Below(n_curricula);
            if (i_second != v_people[1])
                v_people.push_back(i_second);
        }
        const int n_wanted = std::min(o.nDays, 2 + draw.Below(3));
        std::vector<int> v_hours;
        while (static_cast<int>(v_hours.size()) < n_wanted && drawing.PlaceLecture(draw, g, v_people, v_hours)) {
        }

        Group group;
        group.SetKey(g + 1);
        group.SetName("Course " + std::to_string(101 + g));
        for (const int p : v_people)
            group.GetMembers().SetMember(doc.GetParticipants()[p].GetKey(), "", FALSE);
        const UINT u_count = static_cast<UINT>(v_hours.size());
        group.SetEventLimits(SchedLim(SchedLim::e_exact, u_count, 0, 0));
        group.SetDayLimits(SchedLim(SchedLim::e_range, 0, 0, 1));
        const int n_unavailable = o.nMinUnavailable + draw.Below(o.nMaxUnavailable - o.nMinUnavailable + 1);
        for (int k = 0; k < n_unavailable; ++k) {
            const int i_hour = draw.Below(o.nDays * o.nSlotsPerDay);
            if (std::find(v_hours.begin(), v_hours.end(), i_hour) == v_hours.end())
                group.GetUnavailable().AddTime(days.GetDayId(i_hour / o.nSlotsPerDay), Hour(i_hour % o.nSlotsPerDay));
        }
        doc.GetGroups().AddGroup(group);
    }
    Group::SetKeyCounter(o.nGroups + 1);
    Participant::SetKeyCounter(n_teachers + n_curricula + 1);
    Venue::SetKeyCounter(n_venues + 1);
    doc.NewTimetable();
    return p_doc;
}

// ---- options ----

namespace {

// The options of the same name in the two kinds of options.
template <class From, class To>
void CopySharedOptions(const From& from, To& to)
{
    to.uSeed = from.uSeed;
    to.nGroups = from.nGroups;
    to.nDays = from.nDays;
    to.nSlotsPerDay = from.nSlotsPerDay;
    to.nVenues = from.nVenues;
}

} // namespace

bool ParseCourseOptions(int argc, char** argv, CourseOptions& options, std::string& s_error)
{
    // The options a course event shares with the generator of large events
    // are read as it reads them; any other of its options means nothing
    // here.
    std::vector<char*> v_event_args{argc > 0 ? argv[0] : nullptr};
    for (int i = 1; i < argc; ++i) {
        const std::string s_arg = argv[i];
        if (s_arg.rfind("--", 0) != 0 || s_arg == "--shape=courses")
            continue;
        const std::string s_name = s_arg.substr(0, s_arg.find('='));
        if (s_name != "--seed" && s_name != "--groups" && s_name != "--days" && s_name != "--slots"
            && s_name != "--venues") {
            s_error = "unknown option for course events: " + s_arg;
            return false;
        }
        v_event_args.push_back(argv[i]);
    }
    EventOptions shared;
    CopySharedOptions(options, shared);
    if (!ParseEventOptions(static_cast<int>(v_event_args.size()), v_event_args.data(), shared, s_error))
        return false;
    if (shared.nGroups < 1 || shared.nGroups > 1000) {
        s_error = "--groups takes a number from 1 to 1000 for course events";
        return false;
    }
    CopySharedOptions(shared, options);
    return true;
}

std::string DescribeCourseOptions(const CourseOptions& options)
{
    return "--shape=courses --seed=" + std::to_string(options.uSeed) + " --groups=" + std::to_string(options.nGroups)
        + " --days=" + std::to_string(options.nDays) + " --slots=" + std::to_string(options.nSlotsPerDay)
        + (options.nVenues > 0 ? " --venues=" + std::to_string(options.nVenues) : std::string());
}

} // namespace benchevent
