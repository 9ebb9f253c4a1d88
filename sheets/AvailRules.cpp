#include "sheets/AvailRules.h"

#include "model/DayDefSlots.h"
#include "model/EventDefinition.h"

namespace {

// The template of a whole day: from midnight, one day long, of no venue.
ZelRelTimeslot WholeDayTemplate()
{
    ZelRelTimeslot time(ZelOleDateTimeSpan(0, 0, 0, 0), ZelOleDateTimeSpan(1, 0, 0, 0), -1);
    time.SetItemData(0);
    time.SetCombinationKey(-1);
    return time;
}

} // namespace

void AvailState::Load(const TimeList& times, const DayDefBase* p_days)
{
    Times = times;
    pDays = p_days;
}

int AvailState::GetNumDays() const { return pDays != nullptr ? pDays->GetNumDays() : 0; }

LONG AvailState::GetDayId(int i_day) const { return pDays->GetDayId(i_day); }

UINT AvailState::GetDayState(LONG l_dayId) const
{
    const ZelRelTimeslotArray* p_times = Times.FindDayTimes(l_dayId);
    if (p_times == nullptr || p_times->GetSize() == 0)
        return e_avail_day_free;
    if ((*p_times)[0].GetLength() == WholeDayTemplate().GetLength())
        return e_avail_day_unavailable;
    return e_avail_day_partly;
}

ZelRelTimeslot AvailState::WholeDayTime(LONG l_dayId) const
{
    ZelRelTimeslot whole = WholeDayTemplate();
    const int i_day = pDays != nullptr ? pDays->FindDayId(l_dayId) : -1;
    if (i_day < 0 || i_day >= pDays->GetNumLayouts())
        return whole;
    const ZelRelTimeslotArray& a_slots = pDays->GetDaySlots(i_day).GetSlots();
    const int i_earliest = a_slots.FindEarliest();
    if (i_earliest < 0)
        return whole;
    const ZelOleDateTimeSpan o_day(1, 0, 0, 0);
    if (a_slots[i_earliest].GetStart() < whole.GetStart()) {
        // The layout begins the evening before.
        whole.SetStart(a_slots[i_earliest].GetStart());
    } else {
        const int i_latest = a_slots.FindLatest();
        if (i_latest >= 0 && a_slots[i_latest].GetEnd() > whole.GetEnd())
            whole.SetStart(ZelOleDateTimeSpan(a_slots[i_latest].GetEnd() - o_day));
    }
    whole.SetLength(o_day);
    whole.UpdateValues();
    return whole;
}

BOOL AvailState::SetDayUnavailable(LONG l_dayId, BOOL b_unavailable)
{
    ZelRelTimeslotArray* p_times = Times.GetDayTimes(l_dayId);
    if (!b_unavailable) {
        if (p_times == nullptr || p_times->GetSize() == 0)
            return FALSE;
        Times.SetDayTimes(l_dayId, ZelRelTimeslotArray());
        return TRUE;
    }
    const ZelRelTimeslot whole = WholeDayTime(l_dayId);
    if (p_times != nullptr && p_times->GetSize() == 1) {
        const ZelRelTimeslot& only = (*p_times)[0];
        if (only.GetSetKey() == whole.GetSetKey() && only.GetStart() == whole.GetStart() &&
            only.GetLength() == whole.GetLength())
            return FALSE;
    }
    ZelRelTimeslotArray a_whole;
    a_whole.Add(whole);
    Times.SetDayTimes(l_dayId, a_whole);
    return TRUE;
}

std::vector<int> AvailState::SetAllDays(BOOL b_unavailable)
{
    std::vector<int> v_changed;
    for (int i = GetNumDays() - 1; i >= 0; --i) {
        if (SetDayUnavailable(GetDayId(i), b_unavailable))
            v_changed.push_back(i);
    }
    return v_changed;
}

void AvailState::TakeGridDay(int i_day, const ZelRelTimeslotArray& a_times)
{
    if (i_day < 0 || i_day >= GetNumDays())
        return;
    Times.SetDayTimes(GetDayId(i_day), a_times);
}
