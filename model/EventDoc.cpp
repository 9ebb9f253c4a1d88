#include "model/EventDoc.h"

#include "zelkit/base/ZelAssert.h"

EventDoc::EventDoc() = default;

EventDoc::~EventDoc() = default;

// --- styles, facilities, participant roles, preferences, options ---

LONG EventDoc::AddParticipantRole(const std::string& s_name)
{
    const int i_role = ParticipantRoles.FindByName(s_name);
    if (i_role >= 0)
        return ParticipantRoles.GetAt(i_role).GetKey();
    const ParticipantRole role(s_name);
    if (ParticipantRoles.Add(role) != ParticipantRoleList::added)
        return -1;
    SetModifiedFlag();
    return role.GetKey();
}

// --- event definition, day layouts and time lists ---

BOOL EventDoc::OverlapsTimeList(const TimeList& list, LONG l_dayId, const CHighTimeSpan& o_start,
                                const CHighTimeSpan& o_length) const
{
    if (list.OverlapsSorted(l_dayId, o_start, o_length))
        return TRUE;
    // Each day's times are on its own clock: a span or a time that runs
    // past midnight meets the neighbouring day one day later or earlier.
    const DayDefBase& days = EventDef.GetDayDef();
    const int i_day = days.FindDayId(l_dayId);
    if (i_day < 0)
        return FALSE;
    const CHighTimeSpan o_day(1, 0);
    for (const DayDefBase::Neighbour& next : days.GetNeighbours(i_day)) {
        if (list.OverlapsSorted(days.GetDayId(next.iDay), next.nShift < 0 ? o_start - o_day : o_start + o_day,
                                o_length))
            return TRUE;
    }
    return FALSE;
}

// --- timetable ---

Timetable* EventDoc::GetTimetable()
{
    return GetNumVenues() > 0 && HasDaysAndTimeslots() ? pTimetable.get() : nullptr;
}

const Timetable* EventDoc::GetTimetable() const
{
    return const_cast<EventDoc*>(this)->GetTimetable();
}

Timetable& EventDoc::NewTimetable()
{
    pTimetable = std::make_unique<Timetable>(this);
    return *pTimetable;
}

void EventDoc::DeleteTimetable()
{
    pTimetable.reset();
}

BOOL EventDoc::HasDaysAndTimeslots() const
{
    const DayDefBase& days = EventDef.GetDayDef();
    return days.GetNumDays() > 0 && days.GetNumTimeslots() > 0;
}

// --- groups and participants ---

void EventDoc::GetGroupStyleKeys(SortedKeyArray& a_keys) const
{
    a_keys.RemoveAll();
    for (int i = 0; i < Groups.GetNumGroups(); ++i) {
        const KeyList& styles = Groups[i].GetStyles();
        for (int k = 0; k < styles.GetMaxKeys(); ++k) {
            if (styles[k] == -1)
                continue;
            int i_at = 0;
            if (a_keys.Find(styles[k], &i_at) < 0)
                a_keys.InsertAt(i_at, styles[k]);
        }
    }
}

// --- scheduling rules ---

void EventDoc::AttachRulesToSlots(BOOL b_attach)
{
    Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return;
    for (int i_day = 0; i_day < p_timetable->GetNumDays(); ++i_day) {
        Day& day = p_timetable->GetDay(i_day);
        for (int i_venue = 0; i_venue < day.GetNumVenues(); ++i_venue) {
            TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
            for (int i_slot = 0; i_slot < a_slots.GetSize(); ++i_slot) {
                a_slots.ElementAt(i_slot).GetVenueRules().RemoveAll();
                a_slots.ElementAt(i_slot).GetDayRules().RemoveAll();
            }
        }
    }
    if (!b_attach)
        return;

    const ZelArray<VenueRule>& a_venueRules = SchedRules.GetVenueRules();
    for (int i_rule = a_venueRules.GetSize() - 1; i_rule >= 0; --i_rule) {
        const VenueRule& rule = a_venueRules[i_rule];
        if (!rule.IsEnabled())
            continue;
        const int i_venue_index = rule.GetVenueIndex(this);
        for (int i_day = 0; i_day < p_timetable->GetNumDays(); ++i_day) {
            Day& day = p_timetable->GetDay(i_day);
            int i_ruleSlot = -1;
            for (TimeslotPtr sp_slot = rule.NextSlotPtr(this, day, i_ruleSlot); !sp_slot.IsNull();
                 sp_slot = rule.NextSlotPtr(this, day, i_ruleSlot)) {
                ZEL_ASSERT(sp_slot->GetVenue() == i_venue_index);
                sp_slot->GetVenueRules().Add(static_cast<UINT>(i_rule));
            }
        }
    }

    const ZelArray<DayRule>& a_dayRules = SchedRules.GetDayRules();
    for (int i_rule = a_dayRules.GetSize() - 1; i_rule >= 0; --i_rule) {
        const DayRule& rule = a_dayRules[i_rule];
        if (!rule.IsEnabled())
            continue;
        for (int i_day_index = 0; i_day_index < p_timetable->GetNumDays(); ++i_day_index) {
            Day& day = p_timetable->GetDay(i_day_index);
            int i_ruleSlot = -1;
            for (TimeslotPtr sp_slot = rule.NextSlotPtr(this, day, i_ruleSlot); !sp_slot.IsNull();
                 sp_slot = rule.NextSlotPtr(this, day, i_ruleSlot)) {
                ZEL_ASSERT(sp_slot->GetDay() == i_day_index);
                sp_slot->GetDayRules().Add(static_cast<UINT>(i_rule));
            }
        }
    }
}
