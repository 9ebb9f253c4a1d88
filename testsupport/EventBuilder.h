// A small, fluent maker of events for tests: days with their timeslots,
// venues, styles, facilities, participants, groups with members, and a
// timetable with placements and locks. Names stand for keys throughout, so
// that a test reads as the event it describes:
//
//     testevent::EventBuilder event;
//     event.Days({"Mon", "Tue"})
//         .Slots(-1, {"09:00-10:00", "10:00-11:00"})
//         .Venue("Hall")
//         .Participant("Ann Lee")
//         .Group("Choir")
//         .Member("Choir", "Ann Lee", "alto")
//         .Timetable()
//         .Place(0, "Hall", "09:00", "Choir", true)
//         .DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
//     EventDoc& doc = event.Doc();
//
// Anything a shorthand does not cover is set through the optional callback
// of Group, Participant and the rules, or on the document itself.
#pragma once

#include "model/EventDoc.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace testevent {

class EventBuilder {
public:
    EventBuilder();
    ~EventBuilder();
    EventBuilder(const EventBuilder&) = delete;
    EventBuilder& operator=(const EventBuilder&) = delete;

    EventDoc& Doc() { return *pDoc; }

    // The event's name.
    EventBuilder& Name(const std::string& s_name);

    // Custom days with these names, in order, with no timeslots yet.
    EventBuilder& Days(std::initializer_list<std::string> a_names);
    // Timeslots "hh:mm-hh:mm" for every venue, on one day or on every day
    // (i_day -1); they replace the day's timeslots.
    EventBuilder& Slots(int i_day, std::initializer_list<std::string> a_times);
    // Timeslots of one venue only: the day's layout becomes one of
    // timeslots for each venue, and these are added to it.
    EventBuilder& VenueSlots(int i_day, const std::string& s_venue, std::initializer_list<std::string> a_times);
    EventBuilder& TwentyFourHour(bool b_24Hour = true);
    // Custom day i_day is followed without a break by the next day (the
    // last day by the first).
    EventBuilder& Consecutive(int i_day, bool b_consecutive = true);

    EventBuilder& Style(const std::string& s_name);
    EventBuilder& Facility(const std::string& s_name);
    EventBuilder& Venue(const std::string& s_name, std::initializer_list<std::string> a_styles = {},
                        std::initializer_list<std::string> a_facilities = {});
    // "First Last" or "First Middle Last".
    EventBuilder& Participant(const std::string& s_name, const std::function<void(::Participant&)>& f_set = {});
    EventBuilder& Group(const std::string& s_name, const std::function<void(::Group&)>& f_set = {});
    EventBuilder& GroupStyles(const std::string& s_group, std::initializer_list<std::string> a_styles);
    EventBuilder& GroupFacilities(const std::string& s_group, std::initializer_list<std::string> a_facilities);
    EventBuilder& Member(const std::string& s_group, const std::string& s_participant, const std::string& s_role = "");
    // The group's allocation to the venue: u_min to u_max consecutive
    // slots, across days with b_acrossDays.
    EventBuilder& Alloc(const std::string& s_group, const std::string& s_venue, UINT u_min, UINT u_max,
                        bool b_acrossDays = false);
    // The group is not available at "hh:mm-hh:mm" on the day.
    EventBuilder& GroupUnavailable(const std::string& s_group, int i_day, const std::string& s_times);

    // Makes the timetable for the event as it stands.
    EventBuilder& Timetable();
    // Puts the group into the venue's slot starting at "hh:mm" on the day.
    EventBuilder& Place(int i_day, const std::string& s_venue, const std::string& s_start, const std::string& s_group,
                        bool b_locked = false);

    // Scheduling rules of the kind, enabled and mandatory, validated and
    // appended to the document's rules after f_set has set anything else
    // (styles, limit, strength). A day rule's times are "Venue hh:mm-hh:mm"
    // on the day; a venue rule's are "Day hh:mm-hh:mm" with the day's name.
    // The times need not be slots of the timetable.
    EventBuilder& DayRule(int i_day, UINT u_kind, std::initializer_list<std::string> a_times,
                          const std::function<void(::DayRule&)>& f_set = {});
    EventBuilder& VenueRule(const std::string& s_venue, UINT u_kind, std::initializer_list<std::string> a_times,
                            const std::function<void(::VenueRule&)>& f_set = {});
    ::DayRule& GetDayRule(int i_rule);
    ::VenueRule& GetVenueRule(int i_rule);

    LONG StyleKey(const std::string& s_name) const;
    LONG FacilityKey(const std::string& s_name) const;
    LONG VenueKey(const std::string& s_name) const;
    int VenueIndex(const std::string& s_name) const;
    LONG GroupKey(const std::string& s_name) const;
    LONG ParticipantKey(const std::string& s_name) const;
    ::Group& GetGroup(const std::string& s_name);
    ::Participant& GetParticipant(const std::string& s_name);
    // The slot of the venue starting at "hh:mm" on the day.
    Timeslot& Slot(int i_day, const std::string& s_venue, const std::string& s_start);

    // "hh:mm" as an offset from midnight, and "hh:mm-hh:mm" as a slot.
    static CHighTimeSpan At(const std::string& s_time);
    static ZelRelTimeslot RelSlot(const std::string& s_times, LONG l_setKey = -1);

private:
    DayDefSlots& Layout(int i_day);
    // "Name hh:mm-hh:mm" split at its last space.
    static std::pair<std::string, std::string> SplitNamedTimes(const std::string& s_text);

    std::unique_ptr<EventDoc> pDoc;
};

} // namespace testevent
