#include "model/TimeList.h"

#include "framework/Archive.h"
#include "framework/PlatformTime.h"
#include "model/EventDefinition.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/KeyList.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

const CHighTimeSpan& OneDay()
{
    static const CHighTimeSpan o_day(1, 0);
    return o_day;
}

// Hours and minutes of the clock a span points at, whichever day that is.
std::string ClockText(const CHighTimeSpan& o_offset)
{
    const std::int64_t ll_day = CHighTimeSpan::llTicksPerDay;
    std::int64_t ll_timeOfDay = static_cast<std::int64_t>(o_offset) % ll_day;
    if (ll_timeOfDay < 0)
        ll_timeOfDay += ll_day;
    char sz_text[8];
    std::snprintf(sz_text, sizeof sz_text, "%02d:%02d", static_cast<int>(ll_timeOfDay / CHighTimeSpan::llTicksPerHour),
                  static_cast<int>(ll_timeOfDay / CHighTimeSpan::llTicksPerMinute % 60));
    return sz_text;
}

bool IsValidSpan(const CHighTimeSpan& o_span) { return o_span.GetStatus() == CHighTime::valid; }

// Times that left their order (a changed set key) are put back in it.
void KeepSorted(ZelRelTimeslotArray& a_times)
{
    if (a_times.IsOutOfOrder())
        a_times.Sort();
}

} // namespace

// ---- TimeListDay ----

bool TimeListDay::operator==(const TimeListDay& other) const
{
    if (lDayId != other.lDayId || Times.GetSize() != other.Times.GetSize())
        return false;
    for (int i = 0; i < Times.GetSize(); ++i) {
        if (Times[i] != other.Times[i])
            return false;
    }
    return true;
}

void TimeListDay::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lDayId);
        Times.Serialize(ar);
        return;
    }
    if (GetArchiveVersion(ar) <= 6)
        CArchive::ThrowBadSchema("a time-list day in a file before version 7");
    DWORD u_dayId = 0;
    ar >> u_dayId;
    Times.Serialize(ar);
    lDayId = static_cast<LONG>(u_dayId);
}

// ---- TimeList ----

TimeList::TimeList(BOOL b_perTimeKeys, LONG l_venueKey) : bPerTimeKeys(b_perTimeKeys), lVenueKey(l_venueKey) {}

TimeList::TimeList(const TimeList& src) { *this = src; }

TimeList& TimeList::operator=(const TimeList& src)
{
    if (this != &src) {
        Days = src.Days;
        bPerTimeKeys = src.bPerTimeKeys;
        lVenueKey = src.lVenueKey;
    }
    StampVenueKey();
    return *this;
}

bool TimeList::operator==(const TimeList& other) const
{
    if (bPerTimeKeys != other.bPerTimeKeys || lVenueKey != other.lVenueKey || Days.GetSize() != other.Days.GetSize())
        return false;
    for (int i = 0; i < Days.GetSize(); ++i) {
        if (Days[i] != other.Days[i])
            return false;
    }
    return true;
}

void TimeList::StampVenueKey()
{
    if (bPerTimeKeys)
        return;
    for (int i = 0; i < Days.GetSize(); ++i) {
        ZelRelTimeslotArray& a_times = Days[i].Times;
        for (int j = 0; j < a_times.GetSize(); ++j)
            a_times[j].SetSetKey(lVenueKey);
        KeepSorted(a_times);
    }
}

int TimeList::FindDay(LONG l_dayId, int* p_insert_at) const
{
    int i_low = 0;
    int i_high = Days.GetSize() - 1;
    while (i_low <= i_high) {
        const int i_mid = (i_low + i_high) / 2;
        if (Days[i_mid].lDayId == l_dayId) {
            if (p_insert_at)
                *p_insert_at = i_mid;
            return i_mid;
        }
        if (l_dayId < Days[i_mid].lDayId)
            i_high = i_mid - 1;
        else
            i_low = i_mid + 1;
    }
    if (p_insert_at)
        *p_insert_at = i_low;
    return -1;
}

void TimeList::AddTime(LONG l_dayId, const ZelRelTimeslot& time)
{
    int i_day = 0;
    if (FindDay(l_dayId, &i_day) < 0)
        Days.InsertAt(i_day, TimeListDay(l_dayId));
    ZelRelTimeslot copy(time);
    if (!bPerTimeKeys)
        copy.SetSetKey(lVenueKey);
    ZelRelTimeslotArray& a_times = Days[i_day].Times;
    int i_at = 0;
    a_times.Find(copy, &i_at);
    a_times.InsertAt(i_at, copy);
}

const ZelRelTimeslotArray* TimeList::FindDayTimes(LONG l_dayId) const
{
    const int i_day = FindDay(l_dayId);
    return i_day < 0 ? nullptr : &Days[i_day].Times;
}

ZelRelTimeslotArray* TimeList::GetDayTimes(LONG l_dayId)
{
    const int i_day = FindDay(l_dayId);
    return i_day < 0 ? nullptr : &Days[i_day].Times;
}

void TimeList::SetDayTimes(LONG l_dayId, const ZelRelTimeslotArray& a_times)
{
    int i_day = 0;
    const bool b_found = FindDay(l_dayId, &i_day) >= 0;
    if (a_times.IsEmpty()) {
        if (b_found)
            Days.RemoveAt(i_day);
        return;
    }
    if (!b_found)
        Days.InsertAt(i_day, TimeListDay(l_dayId));
    ZelRelTimeslotArray& a_day = Days[i_day].Times;
    if (&a_day != &a_times)
        a_day = a_times;
    if (!bPerTimeKeys) {
        for (int j = 0; j < a_day.GetSize(); ++j)
            a_day[j].SetSetKey(lVenueKey);
    }
    KeepSorted(a_day);
}

int TimeList::GetNumTimes(int* p_days) const
{
    int n_times = 0;
    int n_days = 0;
    for (int i = 0; i < Days.GetSize(); ++i) {
        n_times += Days[i].Times.GetSize();
        if (!Days[i].Times.IsEmpty())
            ++n_days;
    }
    if (p_days)
        *p_days = n_days;
    return n_times;
}

BOOL TimeList::Contains(LONG l_dayId, const CHighTimeSpan& o_time) const
{
    const ZelRelTimeslotArray* p_times = FindDayTimes(l_dayId);
    if (p_times == nullptr)
        return FALSE;
    for (int i = 0; i < p_times->GetSize(); ++i) {
        if ((*p_times)[i].Within(o_time))
            return TRUE;
    }
    return FALSE;
}

BOOL TimeList::Overlaps(LONG l_dayId, const CHighTimeSpan& o_start, const CHighTimeSpan& o_length) const
{
    const ZelRelTimeslotArray* p_times = FindDayTimes(l_dayId);
    if (p_times == nullptr)
        return FALSE;
    const CHighTimeSpan o_end = o_start + o_length;
    for (int i = 0; i < p_times->GetSize(); ++i) {
        const ZelRelTimeslot& time = (*p_times)[i];
        if (time.GetStart() <= o_start && time.GetEnd() > o_start)
            return TRUE;
        if (time.GetStart() >= o_start && time.GetStart() < o_end)
            return TRUE;
    }
    return FALSE;
}

BOOL TimeList::OverlapsSorted(LONG l_dayId, const CHighTimeSpan& o_start, const CHighTimeSpan& o_length) const
{
    if (!IsValidSpan(o_start) || !IsValidSpan(o_length) || !o_length.IsPositive())
        return FALSE;
    // A list whose times keep their own venue keys orders them by venue
    // first, so they are not in order of start.
    if (bPerTimeKeys)
        return Overlaps(l_dayId, o_start, o_length);
    const ZelRelTimeslotArray* p_times = FindDayTimes(l_dayId);
    if (p_times == nullptr)
        return FALSE;
    const CHighTimeSpan o_end = o_start + o_length;
    // The first time that does not order before the span.
    int i_low = 0;
    int i_high = p_times->GetSize();
    while (i_low < i_high) {
        const int i_mid = (i_low + i_high) / 2;
        const ZelRelTimeslot& time = (*p_times)[i_mid];
        const bool b_before = time.GetStart() < o_start || (!(o_start < time.GetStart()) && time.GetLength() < o_length);
        if (b_before)
            i_low = i_mid + 1;
        else
            i_high = i_mid;
    }
    if (i_low < p_times->GetSize() && (*p_times)[i_low].GetStart() < o_end)
        return TRUE;
    if (i_low > 0 && (*p_times)[i_low - 1].GetEnd() > o_start)
        return TRUE;
    return FALSE;
}

BOOL TimeList::Revalidate(EventDoc* p_doc, BOOL b_matchSlots)
{
    const DayDefBase& days = p_doc->GetEventDef().GetDayDef();
    const VenueList& venues = p_doc->GetVenues();
    BOOL b_changed = FALSE;
    for (int i = Days.GetSize() - 1; i >= 0; --i) {
        const int i_day = days.FindDayId(Days[i].lDayId);
        if (i_day < 0) {
            Days.RemoveAt(i);
            b_changed = TRUE;
            continue;
        }
        if (!b_matchSlots)
            continue;
        static const ZelRelTimeslotArray a_none;
        const ZelRelTimeslotArray& a_layout =
            i_day < days.GetNumLayouts() ? days.GetDaySlots(i_day).GetSlots() : a_none;
        ZelRelTimeslotArray& a_times = Days[i].Times;
        for (int j = a_times.GetSize() - 1; j >= 0; --j) {
            const ZelRelTimeslot& time = a_times[j];
            bool b_keep = false;
            if (time.GetSetKey() == -1 || venues.ContainsKey(time.GetSetKey())) {
                const int i_match = a_layout.Match(time);
                b_keep = i_match >= 0 && a_layout[i_match].GetEnd() == time.GetEnd();
            }
            if (!b_keep) {
                a_times.RemoveAt(j);
                b_changed = TRUE;
            }
        }
        if (a_times.IsEmpty())
            Days.RemoveAt(i);
    }
    return b_changed;
}

std::string TimeList::GetText(const DayDefBase* p_days, int n_maxLen, BOOL b_nextDay) const
{
    auto fits = [n_maxLen](std::size_t n_length) {
        return n_maxLen < 0 || n_length <= static_cast<std::size_t>(n_maxLen);
    };
    if (GetNumTimes() == 0) {
        for (const char* p_text : {"None defined", "None", "No"}) {
            if (fits(std::string(p_text).size()))
                return p_text;
        }
        return {};
    }

    // One item per run of times that follow one another.
    std::vector<std::string> v_items;
    for (int i = 0; i < Days.GetSize(); ++i) {
        const int i_day = p_days->FindDayId(Days[i].lDayId);
        if (i_day < 0)
            continue;
        const std::string s_name = p_days->GetDayName(i_day);
        const ZelRelTimeslotArray& a_times = Days[i].Times;
        int j = 0;
        while (j < a_times.GetSize()) {
            const CHighTimeSpan o_start = a_times[j].GetStart();
            CHighTimeSpan o_end = a_times[j].GetEnd();
            ++j;
            while (j < a_times.GetSize() && a_times[j].GetStart() == o_end) {
                o_end = a_times[j].GetEnd();
                ++j;
            }
            std::string s_item = s_name + ": " + ClockText(o_start);
            if (o_start.IsNegative())
                s_item += " (prev day)";
            s_item += " to " + ClockText(o_end);
            if (b_nextDay && o_end >= OneDay())
                s_item += " (next day)";
            v_items.push_back(s_item);
        }
    }

    std::string s_text;
    if (n_maxLen < 0) {
        for (const std::string& s_item : v_items) {
            if (!s_text.empty())
                s_text += ",";
            s_text += s_item;
        }
        return s_text;
    }

    static const std::string s_more = "...";
    bool b_all = true;
    bool b_more = false;
    for (std::size_t i = 0; i < v_items.size(); ++i) {
        const std::string s_sep = s_text.empty() ? "" : ",";
        const std::size_t n_with = s_text.size() + s_sep.size() + v_items[i].size();
        const bool b_last = i + 1 == v_items.size();
        if (fits(n_with + s_more.size()) || (b_last && fits(n_with))) {
            s_text += s_sep + v_items[i];
            continue;
        }
        b_all = false;
        if (!s_text.empty()) {
            s_text += s_more;
            b_more = true;
        }
        break;
    }
    if (b_all || b_more)
        return s_text;
    const std::string s_count = std::to_string(v_items.size()) + " defined";
    if (fits(s_count.size()))
        return s_count;
    if (fits(3))
        return "Yes";
    return "Y";
}

void TimeList::LoadOldTimes(CArchive& ar)
{
    // Files before version 7 kept availability as date-times of calendar
    // days, all of one length; only events of calendar days had them.
    const EventDefinition& definition = GetArchiveDoc(ar)->GetEventDef();
    if (definition.GetDaySel() != EventDefinition::eCalendar)
        CArchive::ThrowBadSchema("eDaySel == eCalendar");
    const CalendarDays& calendar = definition.GetCalendarDays();
    DWORD u_minutes = 0;
    ar >> u_minutes;
    const std::uint32_t n_times = ar.ReadCountChecked(12);
    TimeList loaded;
    for (std::uint32_t i = 0; i < n_times; ++i) {
        COleDateTime o_old;
        ar >> o_old;
        const ZelOleDateTime o_time{CHighTime(o_old)};
        if (!o_time.IsValid())
            continue;
        const int i_day = calendar.FindDate(o_time);
        if (i_day < 0)
            continue;
        ZelRelTimeslot time;
        time.SetStart(ZelRelTimeslot::GetRelative(o_time));
        time.SetLength(static_cast<std::int64_t>(u_minutes) * 60);
        time.SetSetKey(-1);
        time.SetCombinationKey(-1);
        loaded.AddTime(calendar.GetDayId(i_day), time);
    }
    *this = loaded;
}

void TimeList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(bPerTimeKeys) << static_cast<DWORD>(lVenueKey);
        Days.Serialize(ar);
        return;
    }
    const UINT u_version = GetArchiveVersionChecked(ar);
    if (u_version <= 6) {
        LoadOldTimes(ar);
        return;
    }
    DWORD u_perTimeKeys = 0;
    DWORD u_venueKey = static_cast<DWORD>(-1);
    // Only the files of versions 25 to 36 hold venue positions; every
    // group and participant reads a time list, so the others make none.
    std::optional<KeyList> venue_positions;
    if (u_version >= 25)
        ar >> u_perTimeKeys;
    if (u_version >= 37)
        ar >> u_venueKey;
    else if (u_version >= 25)
        venue_positions.emplace().Serialize(ar);
    ZelArray<TimeListDay> a_days;
    a_days.Serialize(ar);

    // Days are found by bisection: put a list stored out of order back in
    // order, and refuse one that names a day twice.
    auto less = [](const TimeListDay& a, const TimeListDay& b) { return a.lDayId < b.lDayId; };
    std::stable_sort(a_days.GetData(), a_days.GetData() + a_days.GetSize(), less);
    for (int i = 1; i < a_days.GetSize(); ++i) {
        if (a_days[i].lDayId == a_days[i - 1].lDayId)
            CArchive::ThrowBadSchema("a day twice in one time list");
    }

    if (u_version >= 25 && u_version <= 36) {
        // These files named a time's venue by its position in the venue
        // list, and kept the positions' keys beside the times.
        for (int i = 0; i < a_days.GetSize(); ++i) {
            ZelRelTimeslotArray& a_times = a_days[i].Times;
            for (int j = 0; j < a_times.GetSize(); ++j) {
                const LONG l_position = a_times[j].GetSetKey();
                if (l_position >= 0 && l_position < venue_positions->GetMaxKeys() &&
                    (*venue_positions)[l_position] >= 0)
                    a_times[j].SetSetKey((*venue_positions)[l_position]);
            }
            a_times.Sort();
        }
    }
    Days = std::move(a_days);
    bPerTimeKeys = static_cast<BOOL>(u_perTimeKeys);
    lVenueKey = static_cast<LONG>(u_venueKey);
}
