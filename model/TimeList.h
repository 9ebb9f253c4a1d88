// Times per event day: the not-available times of a group, a participant
// or a venue, and the scope of a scheduling rule.
//
// A day is named by its identifier in the day definition (never by its
// position); each day holds a sorted array of times relative to that day's
// midnight. A time may start before midnight (the day before) or end after
// the next one. A day is present only while it has times.
#pragma once

#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelTimeslot.h"

#include <string>

class CArchive;
class DayDefBase;
class EventDoc;

class TimeListDay {
public:
    TimeListDay() = default;
    explicit TimeListDay(LONG l_dayId) : lDayId(l_dayId) {}

    bool operator==(const TimeListDay& other) const;
    bool operator!=(const TimeListDay& other) const { return !(*this == other); }

    // The day identifier, then the times. Files before version 7 keep
    // their times in another form, which the list reads itself.
    void Serialize(CArchive& ar);

    LONG lDayId = -1;
    ZelRelTimeslotArray Times;
};

template <>
struct ZelElementMinBytes<TimeListDay> {
    static constexpr std::size_t value = 4 + 2;
};

class TimeList {
public:
    // b_perTimeKeys 0: every time carries l_venueKey as its set key (-1:
    // the list belongs to no venue); otherwise each time keeps its own.
    explicit TimeList(BOOL b_perTimeKeys = 0, LONG l_venueKey = -1);
    TimeList(const TimeList& src);
    TimeList(TimeList&& src) = default;
    TimeList& operator=(const TimeList& src);
    virtual ~TimeList() = default;

    bool operator==(const TimeList& other) const;
    bool operator!=(const TimeList& other) const { return !(*this == other); }

    BOOL HasPerTimeKeys() const { return bPerTimeKeys; }
    LONG GetVenueKey() const { return lVenueKey; }
    // The days that have times, by identifier.
    int GetNumDays() const { return Days.GetSize(); }
    const TimeListDay& GetDay(int i_index) const { return Days[i_index]; }

    // Unless each time keeps its own key, gives every time the venue key.
    void StampVenueKey();
    // Adds a copy of the time at its sorted place in the day.
    void AddTime(LONG l_dayId, const ZelRelTimeslot& time);
    // The day's times; null when the day has none. Changes through the
    // pointer change the list.
    const ZelRelTimeslotArray* FindDayTimes(LONG l_dayId) const;
    ZelRelTimeslotArray* GetDayTimes(LONG l_dayId);
    // Replaces the day's times; an empty array removes the day.
    void SetDayTimes(LONG l_dayId, const ZelRelTimeslotArray& a_times);
    // All times of all days; *p_days receives the number of days.
    int GetNumTimes(int* p_days = nullptr) const;

    // A valid time of the day holds the moment.
    BOOL Contains(LONG l_dayId, const CHighTimeSpan& o_time) const;
    // [start, start + length) overlaps a time of the day.
    BOOL Overlaps(LONG l_dayId, const CHighTimeSpan& o_start, const CHighTimeSpan& o_length) const;
    // The same answer by bisection of the day's times, for spans that are
    // valid and longer than zero (FALSE for any other). The day's times do
    // not overlap one another, as every editor keeps them.
    BOOL OverlapsSorted(LONG l_dayId, const CHighTimeSpan& o_start, const CHighTimeSpan& o_length) const;

    // Drops the days the event no longer has; with b_matchSlots also the
    // times of venues that are gone and times that are no slot of their
    // day's layout. TRUE when anything was dropped.
    BOOL Revalidate(EventDoc* p_doc, BOOL b_matchSlots);

    // The times in words ("Monday: 09:00 to 11:00,..."), in at most
    // n_maxLen characters (no limit when negative); b_nextDay marks ends
    // past midnight.
    std::string GetText(const DayDefBase* p_days, int n_maxLen, BOOL b_nextDay) const;

    void Serialize(CArchive& ar);

private:
    // The position of the day, or -1 with *p_insert_at its sorted place.
    int FindDay(LONG l_dayId, int* p_insert_at = nullptr) const;
    void LoadOldTimes(CArchive& ar);

    ZelArray<TimeListDay> Days;
    BOOL bPerTimeKeys = 0;
    LONG lVenueKey = -1;
};
