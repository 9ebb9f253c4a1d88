#include "model/EventDoc.h"

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
    for (int i = days.GetNumDays() - 1; i >= 0; --i) {
        if (days.IsConsecutive(i_day, i)) {
            if (list.OverlapsSorted(days.GetDayId(i), o_start - o_day, o_length))
                return TRUE;
        } else if (days.IsConsecutive(i, i_day)) {
            if (list.OverlapsSorted(days.GetDayId(i), o_start + o_day, o_length))
                return TRUE;
        }
    }
    return FALSE;
}
