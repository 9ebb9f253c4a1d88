// The Availability page's work without a window: the page's copy of an
// entity's not-available times, what a day shows in the whole-days list,
// and how ticking a day, or drawing on the timeslot grid, changes them.
//
// Both of the page's modes edit one per-day list of times relative to each
// event day's midnight. A whole day is one time of one day's length; for a
// day whose timeslots begin before midnight, or end after the next one, the
// whole day is laid over those timeslots, so that it still covers them all.
#pragma once

#include "framework/Types.h"
#include "model/TimeList.h"
#include "zelkit/values/ZelTimeslot.h"

#include <vector>

class DayDefBase;

// Control ids of the Availability pages.
enum : int {
    IDC_AVAIL_LIST = 1167,
    IDC_AVAIL_GRID = 1193,
    IDC_AVAIL_TIMESLOTS = 1366,
    IDC_AVAIL_WHOLE_DAYS = 1367,
    IDC_AVAIL_CHECK_ALL = 1370,
    IDC_AVAIL_UNCHECK_ALL = 1371,
    IDC_AVAIL_LABEL = 1372,
};

// Texts of the Availability pages.
enum : UINT {
    IDS_GROUP_AVAIL_SLOTS_DESC = 6007,
    IDS_PARTICIPANT_AVAIL_SLOTS_DESC = 6017,
    IDS_GROUP_AVAIL_DAYS_DESC = 6026,
    IDS_PARTICIPANT_AVAIL_DAYS_DESC = 6027,
};

// The check of a day in the whole-days list.
enum : UINT { e_avail_day_free = 0, e_avail_day_unavailable = 1, e_avail_day_partly = 2 };

class AvailState {
public:
    AvailState() : Times(0, -1) {}

    // The entity's times and the event's days in force.
    void Load(const TimeList& times, const DayDefBase* p_days);
    void Save(TimeList& times) const { times = Times; }
    BOOL DiffersFrom(const TimeList& times) const { return Times != times ? TRUE : FALSE; }

    // The event's days (none before the first load).
    int GetNumDays() const;
    LONG GetDayId(int i_day) const;

    // 0 without times, 1 when the first time lasts one whole day, else 2.
    UINT GetDayState(LONG l_dayId) const;
    // The time that makes the day wholly unavailable.
    ZelRelTimeslot WholeDayTime(LONG l_dayId) const;
    // The day made wholly unavailable, or free of times; TRUE when the
    // list changed.
    BOOL SetDayUnavailable(LONG l_dayId, BOOL b_unavailable);
    // Check all / Uncheck all: every day from the last to the first; the
    // indexes of the days that changed, in that order.
    std::vector<int> SetAllDays(BOOL b_unavailable);
    // The grid's times of one of its days. The grid shows a day even for an
    // event without days: times of a day the event does not have are not
    // kept.
    void TakeGridDay(int i_day, const ZelRelTimeslotArray& a_times);

    const TimeList& GetTimes() const { return Times; }
    const DayDefBase* GetDays() const { return pDays; }

private:
    TimeList Times;
    const DayDefBase* pDays = nullptr;
};
