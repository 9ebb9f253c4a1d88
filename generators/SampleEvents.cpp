#include "generators/SampleEvents.h"

#include "generators/EventGenerator.h"
#include "model/EventDoc.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <stdexcept>

namespace sampleevents {

namespace {

[[noreturn]] void Fail(const std::string& s_what)
{
    throw std::runtime_error("sample event: " + s_what);
}

CHighTimeSpan At(int i_hour, int i_minute = 0) { return CHighTimeSpan(0, i_hour, i_minute); }

// hh:mm to hh:mm, for every venue (set key -1) or one venue.
ZelRelTimeslot Rel(int i_startHour, int i_startMinute, int n_minutes, LONG l_setKey = -1)
{
    return ZelRelTimeslot(ZelOleDateTimeSpan(At(i_startHour, i_startMinute)),
                          ZelOleDateTimeSpan(CHighTimeSpan(0, 0, n_minutes)), l_setKey);
}

// Slots of n_minutes from the start hour, n_slots of them, each n_break
// minutes after the one before ends.
ZelRelTimeslotArray Run(int i_startHour, int n_minutes, int n_slots, int n_break = 0)
{
    ZelRelTimeslotArray a_slots;
    for (int i = 0; i < n_slots; ++i) {
        const int n_offset = i * (n_minutes + n_break);
        a_slots.Add(Rel(i_startHour + n_offset / 60, n_offset % 60, n_minutes));
    }
    return a_slots;
}

void SetAllLayouts(DayDefBase& days, const ZelRelTimeslotArray& a_slots)
{
    for (int i = 0; i < days.GetNumLayouts(); ++i)
        days.GetDaySlots(i).SetSlots(a_slots, TRUE);
}

CalendarDays Calendar(int i_year, int i_month, int i_day, int n_days)
{
    ZelArray<ZelOleDateTime> a_dates;
    const ZelOleDateTime dt_first(i_year, i_month, i_day);
    for (int i = 0; i < n_days; ++i)
        a_dates.Add(ZelOleDateTime(dt_first + CHighTimeSpan(i, 0)));
    CalendarDays days;
    days.SetDates(a_dates);
    return days;
}

void Dates(EventDoc& doc, const char* p_name)
{
    doc.SetEventName(p_name);
    doc.SetCreationDate(ZelOleDateTime(2024, 5, 1, 10, 30, 0));
    doc.SetLastSavedDate(ZelOleDateTime(2024, 5, 20, 16, 45, 0));
}

LONG AddStyle(EventDoc& doc, const std::string& s_name)
{
    Style style;
    style.SetName(s_name);
    if (doc.GetStyles().Add(style) != StyleList::added)
        Fail("style " + s_name);
    return style.GetKey();
}

LONG AddFacility(EventDoc& doc, const std::string& s_name)
{
    Facility facility;
    facility.SetName(s_name);
    if (doc.GetFacilities().Add(facility) != FacilityList::added)
        Fail("facility " + s_name);
    return facility.GetKey();
}

LONG AddVenue(EventDoc& doc, const std::string& s_name, std::initializer_list<LONG> a_styles = {},
              std::initializer_list<LONG> a_facilities = {})
{
    Venue venue;
    venue.SetName(s_name);
    venue.SetLocation(s_name + " building");
    for (LONG l_key : a_styles)
        venue.GetStyles().Add(l_key);
    for (LONG l_key : a_facilities)
        venue.GetFacilities().Add(l_key);
    if (doc.GetVenues().AddVenue(venue) != 0)
        Fail("venue " + s_name);
    return venue.GetKey();
}

LONG AddParticipant(EventDoc& doc, const std::string& s_first, const std::string& s_last, LONG l_role = -1)
{
    Participant participant;
    participant.SetName(s_first, "", s_last);
    participant.SetUsualRoleKey(l_role);
    if (doc.GetParticipants().Add(participant) != ParticipantList::added)
        Fail("participant " + s_first + " " + s_last);
    return participant.GetKey();
}

LONG AddGroup(EventDoc& doc, const std::string& s_name, std::initializer_list<LONG> a_styles = {})
{
    Group group;
    group.SetName(s_name);
    for (LONG l_key : a_styles)
        group.GetStyles().Add(l_key);
    if (doc.GetGroups().AddGroup(group) != GroupList::added)
        Fail("group " + s_name);
    return group.GetKey();
}

Group& GroupOf(EventDoc& doc, LONG l_key)
{
    const int i = doc.GetGroups().FindByKey(l_key);
    if (i < 0)
        Fail("no group " + std::to_string(l_key));
    return doc.GetGroups()[i];
}

Participant& ParticipantOf(EventDoc& doc, LONG l_key)
{
    const int i = doc.GetParticipants().FindByKey(l_key);
    if (i < 0)
        Fail("no participant " + std::to_string(l_key));
    return doc.GetParticipants()[i];
}

LONG AddRole(EventDoc& doc, const std::string& s_name, std::initializer_list<LONG> a_rosterStyles = {})
{
    ParticipantRole role(s_name);
    LONG l_order = 1;
    for (LONG l_style : a_rosterStyles)
        role.GetRosterStyles().InsertSorted(RosterStyle(l_style, l_order++));
    if (doc.GetParticipantRoles().Add(role) != ParticipantRoleList::added)
        Fail("role " + s_name);
    return role.GetKey();
}

// The slot of the venue starting at the time on the day.
Timeslot& SlotAt(EventDoc& doc, int i_day, int i_venue, int i_hour, int i_minute = 0)
{
    Timetable* p_timetable = doc.GetTimetableObject();
    if (p_timetable == nullptr)
        Fail("no timetable");
    TimeslotArray& a_slots = p_timetable->GetDay(i_day).GetVenueSlots(i_venue);
    const int i_slot = a_slots.FindFirst(At(i_hour, i_minute), TRUE);
    if (i_slot < 0)
        Fail("no slot at " + std::to_string(i_hour) + ":" + std::to_string(i_minute));
    return a_slots.ElementAt(i_slot);
}

void Place(EventDoc& doc, int i_day, int i_venue, int i_hour, LONG l_group, bool b_locked = false, int i_minute = 0)
{
    Timeslot& slot = SlotAt(doc, i_day, i_venue, i_hour, i_minute);
    slot.SetGroup(l_group);
    slot.SetLocked(b_locked ? TRUE : FALSE);
}

} // namespace

void ResetKeyCounters()
{
    Venue::SetKeyCounter(0);
    Group::SetKeyCounter(0);
    Participant::SetKeyCounter(0);
    Property::SetKeyCounter(0);
    ParticipantRole::SetKeyCounter(0);
    CustomDays::SetKeyCounter(0);
    ktTSCombKey = 0;
}

void MakeEmpty(EventDoc& doc)
{
    Dates(doc, "Empty event");
}

void MakeCalendarEvent(EventDoc& doc)
{
    Dates(doc, "Summer school");
    doc.SetFurtherText1("kept as it stands");
    CalendarDays days = Calendar(2024, 6, 3, 3);
    days.SetDatePicture("ddd d MMM");
    days.Set24Hour(TRUE);
    SetAllLayouts(days, Run(9, 60, 4));
    doc.GetEventDef().SetDayDef(days);

    const LONG l_strings = AddStyle(doc, "Strings");
    const LONG l_brass = AddStyle(doc, "Brass");
    const LONG l_voice = AddStyle(doc, "Voice");
    const LONG l_piano = AddFacility(doc, "Piano");
    const LONG l_stage = AddFacility(doc, "Stage");
    const LONG l_hall = AddVenue(doc, "Great Hall", {l_strings, l_brass}, {l_piano, l_stage});
    AddVenue(doc, "Studio", {l_voice}, {l_piano});
    const LONG l_lead = AddRole(doc, "Leader", {l_strings, l_voice});
    const LONG l_player = AddRole(doc, "Player", {l_brass});

    const LONG l_ann = AddParticipant(doc, "Ann", "Lee", l_lead);
    const LONG l_ben = AddParticipant(doc, "Ben", "Moss", l_player);
    const LONG l_cara = AddParticipant(doc, "Cara", "Ng", l_player);
    const LONG l_dev = AddParticipant(doc, "Dev", "Okoro");
    {
        Participant& dev = doc.GetParticipants()[doc.GetParticipants().FindByKey(l_dev)];
        dev.GetOwnRosterStyles().InsertSorted(RosterStyle(l_voice, 1));
        dev.GetOwnRosterStyles().InsertSorted(RosterStyle(l_strings, 2));
        dev.SetOrdered(TRUE);
        dev.SetOwnRosterLim(RosterLim(SchedLim::e_range, 0, 1, 2));
        Participant& ann = doc.GetParticipants()[doc.GetParticipants().FindByKey(l_ann)];
        ann.SetByRole(TRUE);
        ann.SetRosterRoleKey(l_lead);
    }

    const LONG l_orchestra = AddGroup(doc, "Orchestra", {l_strings, l_brass});
    const LONG l_choir = AddGroup(doc, "Choir", {l_voice});
    const LONG l_quartet = AddGroup(doc, "Quartet", {l_strings});
    {
        Group& orchestra = GroupOf(doc, l_orchestra);
        orchestra.GetMembers().SetMember(l_ann, "Leader", FALSE);
        orchestra.GetMembers().SetMember(l_ben, "Player", TRUE);
        orchestra.GetMembers().SetMember(l_cara, "Player", FALSE);
        orchestra.GetFacilities().Add(l_stage);
        VenueAlloc alloc(l_hall);
        alloc.Alloc = SchedAlloc(SchedLim::e_range, 0, 1, 2);
        alloc.bConsecutive = TRUE;
        orchestra.GetVenueAllocs().InsertSorted(alloc);
        Group& choir = GroupOf(doc, l_choir);
        choir.GetMembers().SetMember(l_dev, "", FALSE);
        choir.GetMembers().SetMember(l_ann, "Leader", FALSE);
        choir.GetUnavailable().AddTime(days.GetDayId(1), Rel(9, 0, 60));
        GroupOf(doc, l_quartet).GetMembers().SetMember(l_cara, "Player", FALSE);
    }

    // One rule of each kind, on days and on venues.
    SchedulingRules& rules = doc.GetSchedulingRules();
    {
        DayRule limit;
        limit.SetKind(SchedRule::e_limit_participants);
        limit.SetDayId(days.GetDayId(0));
        limit.GetLimit() = SchedLim(SchedLim::e_range, 0, 0, 3);
        limit.GetScope().AddTime(limit.GetDayId(), Rel(9, 0, 60, l_hall));
        limit.UpdateValid(&doc);
        rules.GetDayRules().Add(limit);

        DayRule same;
        same.SetKind(SchedRule::e_same_styles);
        same.SetStrength(SchedRule::e_preference);
        same.SetDayId(days.GetDayId(2));
        same.GetScope().AddTime(same.GetDayId(), Rel(10, 0, 60, l_hall));
        same.GetScope().AddTime(same.GetDayId(), Rel(11, 0, 60, l_hall));
        same.UpdateValid(&doc);
        rules.GetDayRules().Add(same);

        VenueRule different(l_hall);
        different.SetKind(SchedRule::e_different_styles);
        different.GetScope().AddTime(days.GetDayId(0), Rel(11, 0, 60));
        different.GetScope().AddTime(days.GetDayId(0), Rel(12, 0, 60));
        different.UpdateValid(&doc);
        rules.GetVenueRules().Add(different);

        VenueRule selected(l_hall);
        selected.SetKind(SchedRule::e_selected_styles);
        selected.GetStyles().Add(l_brass);
        selected.GetScope().AddTime(days.GetDayId(1), Rel(9, 0, 60));
        selected.UpdateValid(&doc);
        rules.GetVenueRules().Add(selected);

        VenueRule groups(l_hall);
        groups.SetKind(SchedRule::e_different_groups);
        groups.SetEnabled(FALSE);
        groups.GetScope().AddTime(days.GetDayId(2), Rel(9, 0, 60));
        groups.GetScope().AddTime(days.GetDayId(2), Rel(12, 0, 60));
        groups.UpdateValid(&doc);
        rules.GetVenueRules().Add(groups);
    }

    ZelTimeslotCombination morning("Morning block");
    doc.GetCombinations().Add(morning);

    doc.NewTimetable();
    Place(doc, 0, 0, 9, l_orchestra, true);
    Place(doc, 0, 0, 10, l_orchestra);
    Place(doc, 0, 1, 9, l_choir);
    Place(doc, 1, 1, 11, l_quartet, true);
    Place(doc, 2, 0, 12, l_choir);
    SlotAt(doc, 0, 0, 9).SetCombinationKey(morning.GetKey());
    SlotAt(doc, 0, 0, 10).SetCombinationKey(morning.GetKey());
}

void MakeWeekEvent(EventDoc& doc)
{
    Dates(doc, "Weekly classes");
    WeekDays days;
    Flags weekdays(7);
    for (int i = 1; i <= 5; ++i)
        weekdays[i] = 1;
    days.SetDays(weekdays);
    SetAllLayouts(days, Run(16, 45, 4));
    doc.GetEventDef().SetDayDef(days);
    AddVenue(doc, "Room 1");
    const LONG l_beginners = AddGroup(doc, "Beginners");
    const LONG l_advanced = AddGroup(doc, "Advanced");
    const LONG l_practice = AddGroup(doc, "Open practice");
    // Every evening one class of each level and two hours of practice.
    GroupOf(doc, l_beginners).SetDayLimits(SchedLim(SchedLim::e_exact, 1, 0, 0));
    GroupOf(doc, l_advanced).SetDayLimits(SchedLim(SchedLim::e_exact, 1, 0, 0));
    GroupOf(doc, l_practice).SetDayLimits(SchedLim(SchedLim::e_exact, 2, 0, 0));
    doc.NewTimetable();
    Place(doc, 0, 0, 16, l_beginners, true);
    Place(doc, 2, 0, 16, l_advanced);
}

void MakeCustomEvent(EventDoc& doc)
{
    Dates(doc, "Festival weekend");
    CustomDays days;
    ZelStringArray a_names;
    for (const char* p : {"Friday night", "Saturday", "Sunday"})
        a_names.Add(p);
    days.SetDays(a_names);
    days.SetConsecutive(0, TRUE);
    SetAllLayouts(days, Run(18, 90, 3));
    days.GetDaySlots(1).SetSlots(Run(10, 120, 4), TRUE);
    doc.GetEventDef().SetDayDef(days);
    AddVenue(doc, "Main stage");
    AddVenue(doc, "Tent");
    const LONG l_band = AddGroup(doc, "House band");
    AddGroup(doc, "Dancers");
    doc.NewTimetable();
    Place(doc, 0, 0, 18, l_band, true);
}

void MakeRosterEvent(EventDoc& doc)
{
    Dates(doc, "Music camp");
    CalendarDays days = Calendar(2024, 7, 6, 2);
    // A quarter of an hour between sessions: time to walk from the hall to
    // the studio.
    SetAllLayouts(days, Run(9, 75, 3, 15));
    doc.GetEventDef().SetDayDef(days);
    AddVenue(doc, "Hall");
    AddVenue(doc, "Studio");

    const LONG l_orchestra = AddStyle(doc, "Orchestra");
    const LONG l_choir = AddStyle(doc, "Choir");
    const LONG l_theory = AddStyle(doc, "Theory");
    const LONG l_student = AddRole(doc, "Student", {l_orchestra, l_choir, l_theory});
    const LONG l_singer = AddRole(doc, "Singer", {l_choir, l_theory});

    // The camp's sessions stand where the organisers put them (locked, so
    // that rostering may use them), in the order of the roles' roster
    // styles: orchestra, then a choir, then a theory class. The studio's
    // early sessions are left to the build. Each group meets once a day.
    struct Session {
        const char* pName;
        LONG lStyle;
        int iVenue;
        int iHour;
        int iMinute;
    };
    const Session a_sessions[] = {
        {"Orchestra", l_orchestra, 0, 9, 0}, {"Choir A", l_choir, 0, 10, 30}, {"Choir B", l_choir, 1, 10, 30},
        {"Theory 1", l_theory, 0, 12, 0},    {"Theory 2", l_theory, 1, 12, 0},
    };
    const SchedLim once_a_day(SchedLim::e_exact, 1, 0, 0);
    std::vector<LONG> v_groups;
    for (const Session& session : a_sessions) {
        const LONG l_group = AddGroup(doc, session.pName, {session.lStyle});
        Group& group = GroupOf(doc, l_group);
        group.SetDayLimits(once_a_day);
        // Two choirs and two theory classes share the camp between them.
        if (session.lStyle != l_orchestra)
            group.SetMaxGroupSize(7);
        v_groups.push_back(l_group);
    }
    AddGroup(doc, "Free practice");

    // Students play, sing and study theory; singers do not play.
    struct Camper {
        const char* pFirst;
        const char* pLast;
        LONG lRole;
    };
    const Camper a_campers[] = {
        {"Amy", "Hart", l_student},   {"Ben", "Cole", l_student},  {"Chloe", "Dunn", l_student},
        {"Dan", "Ellis", l_student},  {"Eva", "Ford", l_student},  {"Finn", "Gray", l_student},
        {"Grace", "Hill", l_student}, {"Harry", "Irwin", l_student}, {"Isla", "Jones", l_student},
        {"Jack", "King", l_singer},   {"Kate", "Lane", l_singer},
    };
    for (const Camper& camper : a_campers) {
        Participant& participant = ParticipantOf(doc, AddParticipant(doc, camper.pFirst, camper.pLast, camper.lRole));
        participant.SetByRole(TRUE);
        participant.SetRosterRoleKey(camper.lRole);
    }
    // A late joiner who plays and studies theory but does not sing.
    {
        Participant& leo = ParticipantOf(doc, AddParticipant(doc, "Leo", "Marsh", l_student));
        leo.GetOwnRosterStyles().InsertSorted(RosterStyle(l_orchestra, 1));
        leo.GetOwnRosterStyles().InsertSorted(RosterStyle(l_theory, 2));
    }

    doc.NewTimetable();
    for (int i_day = 0; i_day < 2; ++i_day)
        for (std::size_t i = 0; i < v_groups.size(); ++i) {
            const Session& session = a_sessions[i];
            Place(doc, i_day, session.iVenue, session.iHour, v_groups[i], true, session.iMinute);
        }
}

void MakeLargeEvent(EventDoc& doc)
{
    benchevent::EventOptions options;
    options.uSeed = 200;
    options.nGroups = 200;
    options.nParticipants = 500;
    options.nDays = 5;
    options.nVenues = 6;
    options.nDayRules = 4;
    options.nVenueRules = 4;
    auto p_made = benchevent::GenerateEvent(options);
    Dates(*p_made, "Regional festival");
    // Taken over as a load would, so that the document is the one given.
    doc.ReadEventFile(p_made->WriteEventFile());
}

const std::vector<Sample>& Samples()
{
    static const std::vector<Sample> v_samples = {
        {"empty.eve", MakeEmpty},
        {"calendar-small.eve", MakeCalendarEvent},
        {"week-days.eve", MakeWeekEvent},
        {"custom-days.eve", MakeCustomEvent},
        {"roster-styles.eve", MakeRosterEvent},
        {"groups-200.eve", MakeLargeEvent},
    };
    return v_samples;
}

} // namespace sampleevents
