// Small helpers of the day-layout, day-definition and time-list tests:
// times of day as spans, relative slots, and the archive forms of dates.
#pragma once

#include "framework/Archive.h"
#include "framework/PlatformTime.h"
#include "testsupport/ArchiveBytes.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/values/ZelTimeslot.h"

#include <string>
#include <vector>

namespace daytimes {

// hh:mm from the day's midnight (negative hours reach into the day before).
inline ZelOleDateTimeSpan At(int i_hours, int i_minutes = 0)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(0, i_hours, i_minutes));
}

inline ZelOleDateTimeSpan Minutes(int n_minutes) { return ZelOleDateTimeSpan(CHighTimeSpan(0, 0, n_minutes)); }

inline ZelRelTimeslot Slot(int i_hours, int i_minutes, int n_minutes, LONG l_setKey = -1)
{
    return ZelRelTimeslot(At(i_hours, i_minutes), Minutes(n_minutes), l_setKey);
}

inline ZelRelTimeslotArray Slots(std::initializer_list<ZelRelTimeslot> a_slots)
{
    ZelRelTimeslotArray a;
    for (const ZelRelTimeslot& s : a_slots)
        a.Add(s);
    return a;
}

// "hh:mm" starts of the slots, with "/key" for a set key other than -1.
inline std::vector<std::string> Starts(const ZelRelTimeslotArray& a_slots)
{
    std::vector<std::string> v;
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        std::string s = a_slots[i].GetStart().Format("%H:%M");
        if (a_slots[i].GetSetKey() != -1)
            s += "/" + std::to_string(a_slots[i].GetSetKey());
        v.push_back(s);
    }
    return v;
}

// The archive form of a date-time (three words).
inline testbytes::Bytes TimeBytes(const CHighTime& dt)
{
    CArchive ar(CArchive::store);
    ar << dt;
    return ar.GetBuffer();
}

// The framework's date-time form of old files (status, then the day count).
inline testbytes::Bytes OleBytes(int i_year, int i_month, int i_day, int i_hour = 0, int i_minute = 0)
{
    CArchive ar(CArchive::store);
    ar << COleDateTime(i_year, i_month, i_day, i_hour, i_minute, 0);
    return ar.GetBuffer();
}

// A relative slot in the archive form of schema 3 (or 2, with a 16-bit set
// key).
inline testbytes::Bytes SlotBytes(const ZelRelTimeslot& slot, int i_schema = 3)
{
    CArchive ar(CArchive::store);
    ar << static_cast<std::uint32_t>(i_schema) << slot.GetStart() << slot.GetLength();
    if (i_schema < 3)
        ar << static_cast<std::uint16_t>(slot.GetSetKey());
    else
        ar << static_cast<std::int32_t>(slot.GetSetKey());
    ar << static_cast<std::int32_t>(slot.GetItemData());
    if (i_schema >= 2)
        ar << static_cast<std::int32_t>(slot.GetCombinationKey());
    return ar.GetBuffer();
}

} // namespace daytimes
