#include "testsupport/EventBuilder.h"

#include "zelkit/base/ZelStringArray.h"

#include <stdexcept>

namespace testevent {

namespace {

[[noreturn]] void Fail(const std::string& s_what)
{
    throw std::runtime_error("EventBuilder: " + s_what);
}

} // namespace

EventBuilder::EventBuilder() : pDoc(std::make_unique<EventDoc>()) {}

EventBuilder::~EventBuilder() = default;

CHighTimeSpan EventBuilder::At(const std::string& s_time)
{
    const std::size_t n_colon = s_time.find(':');
    if (n_colon == std::string::npos)
        Fail("a time needs hh:mm: " + s_time);
    return CHighTimeSpan(0, std::stoi(s_time.substr(0, n_colon)), std::stoi(s_time.substr(n_colon + 1)));
}

ZelRelTimeslot EventBuilder::RelSlot(const std::string& s_times, LONG l_setKey)
{
    const std::size_t n_dash = s_times.find('-');
    if (n_dash == std::string::npos)
        Fail("a slot needs hh:mm-hh:mm: " + s_times);
    const CHighTimeSpan start = At(s_times.substr(0, n_dash));
    const CHighTimeSpan end = At(s_times.substr(n_dash + 1));
    return ZelRelTimeslot(ZelOleDateTimeSpan(start), ZelOleDateTimeSpan(end - start), l_setKey);
}

DayDefSlots& EventBuilder::Layout(int i_day)
{
    DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    if (i_day < 0 || i_day >= days.GetNumLayouts())
        Fail("no day " + std::to_string(i_day));
    return days.GetDaySlots(i_day);
}

EventBuilder& EventBuilder::Name(const std::string& s_name)
{
    pDoc->SetEventName(s_name);
    return *this;
}

EventBuilder& EventBuilder::Days(std::initializer_list<std::string> a_names)
{
    ZelStringArray a_days;
    for (const std::string& s : a_names)
        a_days.Add(s);
    CustomDays days;
    days.SetDays(a_days);
    days.Set24Hour(pDoc->GetEventDef().GetDayDef().Is24Hour());
    pDoc->GetEventDef().SetDayDef(days);
    return *this;
}

EventBuilder& EventBuilder::Slots(int i_day, std::initializer_list<std::string> a_times)
{
    ZelRelTimeslotArray a_slots;
    for (const std::string& s : a_times) {
        int i_at = 0;
        const ZelRelTimeslot slot = RelSlot(s);
        a_slots.Find(slot, &i_at);
        a_slots.InsertAt(i_at, slot);
    }
    const int n_days = pDoc->GetEventDef().GetDayDef().GetNumLayouts();
    for (int d = 0; d < n_days; ++d) {
        if (i_day < 0 || d == i_day)
            Layout(d).SetSlots(a_slots, TRUE);
    }
    return *this;
}

EventBuilder& EventBuilder::VenueSlots(int i_day, const std::string& s_venue, std::initializer_list<std::string> a_times)
{
    DayDefSlots& layout = Layout(i_day);
    ZelRelTimeslotArray a_slots = layout.IsAllVenues() ? ZelRelTimeslotArray() : layout.GetSlots();
    for (const std::string& s : a_times) {
        int i_at = 0;
        const ZelRelTimeslot slot = RelSlot(s, VenueKey(s_venue));
        a_slots.Find(slot, &i_at);
        a_slots.InsertAt(i_at, slot);
    }
    layout.SetSlots(a_slots, FALSE);
    return *this;
}

EventBuilder& EventBuilder::TwentyFourHour(bool b_24Hour)
{
    pDoc->GetEventDef().GetDayDef().Set24Hour(b_24Hour ? TRUE : FALSE);
    return *this;
}

EventBuilder& EventBuilder::Consecutive(int i_day, bool b_consecutive)
{
    auto* p_days = dynamic_cast<CustomDays*>(&pDoc->GetEventDef().GetDayDef());
    if (p_days == nullptr || i_day < 0 || i_day >= p_days->GetNumDays())
        Fail("no custom day " + std::to_string(i_day));
    p_days->SetConsecutive(i_day, b_consecutive ? TRUE : FALSE);
    return *this;
}

EventBuilder& EventBuilder::Style(const std::string& s_name)
{
    ::Style style;
    style.SetName(s_name);
    if (pDoc->GetStyles().Add(style) != StyleList::added)
        Fail("style " + s_name + " not added");
    return *this;
}

EventBuilder& EventBuilder::Facility(const std::string& s_name)
{
    ::Facility facility;
    facility.SetName(s_name);
    if (pDoc->GetFacilities().Add(facility) != FacilityList::added)
        Fail("facility " + s_name + " not added");
    return *this;
}

EventBuilder& EventBuilder::Venue(const std::string& s_name, std::initializer_list<std::string> a_styles,
                                  std::initializer_list<std::string> a_facilities)
{
    ::Venue venue;
    venue.SetName(s_name);
    for (const std::string& s : a_styles)
        venue.GetStyles().Add(StyleKey(s));
    for (const std::string& s : a_facilities)
        venue.GetFacilities().Add(FacilityKey(s));
    if (pDoc->GetVenues().AddVenue(venue) != 0)
        Fail("venue " + s_name + " not added");
    return *this;
}

EventBuilder& EventBuilder::Participant(const std::string& s_name, const std::function<void(::Participant&)>& f_set)
{
    ::Participant participant;
    participant.SetName(s_name);
    if (f_set)
        f_set(participant);
    if (pDoc->GetParticipants().Add(participant) != ParticipantList::added)
        Fail("participant " + s_name + " not added");
    return *this;
}

EventBuilder& EventBuilder::Group(const std::string& s_name, const std::function<void(::Group&)>& f_set)
{
    ::Group group;
    group.SetName(s_name);
    if (f_set)
        f_set(group);
    if (pDoc->GetGroups().AddGroup(group) != GroupList::added)
        Fail("group " + s_name + " not added");
    return *this;
}

EventBuilder& EventBuilder::GroupStyles(const std::string& s_group, std::initializer_list<std::string> a_styles)
{
    ::Group& group = GetGroup(s_group);
    for (const std::string& s : a_styles)
        group.GetStyles().Add(StyleKey(s));
    return *this;
}

EventBuilder& EventBuilder::GroupFacilities(const std::string& s_group, std::initializer_list<std::string> a_facilities)
{
    ::Group& group = GetGroup(s_group);
    for (const std::string& s : a_facilities)
        group.GetFacilities().Add(FacilityKey(s));
    return *this;
}

EventBuilder& EventBuilder::Member(const std::string& s_group, const std::string& s_participant,
                                   const std::string& s_role)
{
    GetGroup(s_group).GetMembers().SetMember(ParticipantKey(s_participant), s_role, FALSE);
    return *this;
}

EventBuilder& EventBuilder::Alloc(const std::string& s_group, const std::string& s_venue, UINT u_min, UINT u_max,
                                  bool b_acrossDays)
{
    VenueAlloc alloc(VenueKey(s_venue));
    alloc.Alloc = SchedAlloc(SchedLim::e_range, 0, u_min, u_max);
    alloc.bConsecutive = b_acrossDays ? TRUE : FALSE;
    VenueAllocArray& a_allocs = GetGroup(s_group).GetVenueAllocs();
    const int i_present = a_allocs.FindKey(alloc.GetVenueKey());
    if (i_present >= 0)
        a_allocs.RemoveAt(i_present);
    a_allocs.InsertSorted(alloc);
    return *this;
}

EventBuilder& EventBuilder::GroupUnavailable(const std::string& s_group, int i_day, const std::string& s_times)
{
    GetGroup(s_group).GetUnavailable().AddTime(pDoc->GetEventDef().GetDayDef().GetDayId(i_day), RelSlot(s_times));
    return *this;
}

EventBuilder& EventBuilder::Timetable()
{
    pDoc->NewTimetable();
    return *this;
}

EventBuilder& EventBuilder::Place(int i_day, const std::string& s_venue, const std::string& s_start,
                                  const std::string& s_group, bool b_locked)
{
    Timeslot& slot = Slot(i_day, s_venue, s_start);
    slot.SetGroup(GroupKey(s_group));
    slot.SetLocked(b_locked ? TRUE : FALSE);
    return *this;
}

Timeslot& EventBuilder::Slot(int i_day, const std::string& s_venue, const std::string& s_start)
{
    ::Timetable* p_timetable = pDoc->GetTimetableObject();
    if (p_timetable == nullptr || i_day < 0 || i_day >= p_timetable->GetNumDays())
        Fail("no timetable day " + std::to_string(i_day));
    Day& day = p_timetable->GetDay(i_day);
    const int i_venue = VenueIndex(s_venue);
    if (i_venue >= day.GetNumVenues())
        Fail("no slots for venue " + s_venue);
    TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
    const int i_slot = a_slots.FindFirst(At(s_start), TRUE);
    if (i_slot < 0)
        Fail("no slot at " + s_start + " in " + s_venue);
    return a_slots.ElementAt(i_slot);
}

std::pair<std::string, std::string> EventBuilder::SplitNamedTimes(const std::string& s_text)
{
    const std::size_t n_space = s_text.rfind(' ');
    if (n_space == std::string::npos)
        Fail("a rule time needs a name before hh:mm-hh:mm: " + s_text);
    return {s_text.substr(0, n_space), s_text.substr(n_space + 1)};
}

EventBuilder& EventBuilder::DayRule(int i_day, UINT u_kind, std::initializer_list<std::string> a_times,
                                    const std::function<void(::DayRule&)>& f_set)
{
    const DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    if (i_day < 0 || i_day >= days.GetNumDays())
        Fail("no day " + std::to_string(i_day));
    ::DayRule rule;
    rule.SetKind(u_kind);
    rule.SetDayId(days.GetDayId(i_day));
    for (const std::string& s : a_times) {
        const auto [s_venue, s_times] = SplitNamedTimes(s);
        rule.GetScope().AddTime(rule.GetDayId(), RelSlot(s_times, VenueKey(s_venue)));
    }
    if (f_set)
        f_set(rule);
    rule.UpdateValid(pDoc.get());
    pDoc->GetSchedulingRules().GetDayRules().Add(rule);
    return *this;
}

EventBuilder& EventBuilder::VenueRule(const std::string& s_venue, UINT u_kind,
                                      std::initializer_list<std::string> a_times,
                                      const std::function<void(::VenueRule&)>& f_set)
{
    const DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    ::VenueRule rule(VenueKey(s_venue));
    rule.SetKind(u_kind);
    for (const std::string& s : a_times) {
        const auto [s_day, s_times] = SplitNamedTimes(s);
        const int i_day = days.FindDayByName(s_day);
        if (i_day < 0)
            Fail("no day " + s_day);
        rule.GetScope().AddTime(days.GetDayId(i_day), RelSlot(s_times));
    }
    if (f_set)
        f_set(rule);
    rule.UpdateValid(pDoc.get());
    pDoc->GetSchedulingRules().GetVenueRules().Add(rule);
    return *this;
}

::DayRule& EventBuilder::GetDayRule(int i_rule)
{
    ZelArray<::DayRule>& a_rules = pDoc->GetSchedulingRules().GetDayRules();
    if (i_rule < 0 || i_rule >= a_rules.GetSize())
        Fail("no day rule " + std::to_string(i_rule));
    return a_rules[i_rule];
}

::VenueRule& EventBuilder::GetVenueRule(int i_rule)
{
    ZelArray<::VenueRule>& a_rules = pDoc->GetSchedulingRules().GetVenueRules();
    if (i_rule < 0 || i_rule >= a_rules.GetSize())
        Fail("no venue rule " + std::to_string(i_rule));
    return a_rules[i_rule];
}

LONG EventBuilder::StyleKey(const std::string& s_name) const
{
    const int i = pDoc->GetStyles().FindByName(s_name);
    if (i < 0)
        Fail("no style " + s_name);
    return pDoc->GetStyles()[i].GetKey();
}

LONG EventBuilder::FacilityKey(const std::string& s_name) const
{
    const int i = pDoc->GetFacilities().FindByName(s_name);
    if (i < 0)
        Fail("no facility " + s_name);
    return pDoc->GetFacilities()[i].GetKey();
}

int EventBuilder::VenueIndex(const std::string& s_name) const
{
    const int i = pDoc->GetVenues().FindByName(s_name);
    if (i < 0)
        Fail("no venue " + s_name);
    return i;
}

LONG EventBuilder::VenueKey(const std::string& s_name) const
{
    return pDoc->GetVenues()[VenueIndex(s_name)].GetKey();
}

LONG EventBuilder::GroupKey(const std::string& s_name) const
{
    const int i = pDoc->GetGroups().FindByName(s_name);
    if (i < 0)
        Fail("no group " + s_name);
    return pDoc->GetGroups()[i].GetKey();
}

LONG EventBuilder::ParticipantKey(const std::string& s_name) const
{
    ZelFullName name(::Participant::kMaxFirst, ::Participant::kMaxMiddle, ::Participant::kMaxLast);
    name.SetName(s_name);
    const int i = pDoc->GetParticipants().FindByName(name.GetFullName());
    if (i < 0)
        Fail("no participant " + s_name);
    return pDoc->GetParticipants()[i].GetKey();
}

::Group& EventBuilder::GetGroup(const std::string& s_name)
{
    return pDoc->GetGroups()[pDoc->GetGroups().FindByKey(GroupKey(s_name))];
}

::Participant& EventBuilder::GetParticipant(const std::string& s_name)
{
    return pDoc->GetParticipants()[pDoc->GetParticipants().FindByKey(ParticipantKey(s_name))];
}

} // namespace testevent
