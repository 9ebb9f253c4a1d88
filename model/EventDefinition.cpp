#include "model/EventDefinition.h"

#include "framework/Archive.h"
#include "model/DatePicture.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/KeyList.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelKeyedObject.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <vector>

namespace {

LONG lCustomDayKeyCounter = 0;

// Reorders an array by a permutation: element i becomes a_old[v_order[i]].
template <class T>
void Permute(ZelArray<T>& a_values, const std::vector<int>& v_order)
{
    const ZelArray<T> a_old(a_values);
    for (int i = 0; i < a_values.GetSize(); ++i)
        a_values[i] = a_old[v_order[static_cast<std::size_t>(i)]];
}

} // namespace

// ---- DayDefBase ----

int DayDefBase::GetNumTimeslots() const
{
    int n_slots = 0;
    for (int i = 0; i < DayArray.GetSize(); ++i)
        n_slots += DayArray[i].GetNumSlots();
    return n_slots;
}

int DayDefBase::FindDayByName(const std::string& s_name) const
{
    for (int i = 0; i < GetNumDays(); ++i) {
        if (GetDayName(i) == s_name)
            return i;
    }
    return -1;
}

const std::vector<DayDefBase::Neighbour>& DayDefBase::GetNeighbours(int i_day) const
{
    ZEL_ASSERT(0 <= i_day && static_cast<std::size_t>(i_day) < vNeighbours.size());
    return vNeighbours[static_cast<std::size_t>(i_day)];
}

void DayDefBase::RebuildDayFacts()
{
    // Every pair is asked, as the callers once asked on every test: each
    // kind keeps its own rule of what follows what (wrapping weeks, linked
    // custom days, dates that may repeat in a damaged file), and a list of
    // days is short next to the tests that use it.
    const int n_days = GetNumDays();
    vNeighbours.assign(static_cast<std::size_t>(n_days), {});
    DayIndex.clear();
    DayIndex.reserve(static_cast<std::size_t>(n_days));
    for (int i_day = 0; i_day < n_days; ++i_day) {
        DayIndex.emplace(GetDayId(i_day), i_day);
        std::vector<Neighbour>& v_next = vNeighbours[static_cast<std::size_t>(i_day)];
        for (int i = n_days - 1; i >= 0; --i) {
            if (IsConsecutive(i_day, i))
                v_next.push_back({i, -1});
            else if (IsConsecutive(i, i_day))
                v_next.push_back({i, +1});
        }
    }
}

int DayDefBase::LookUpDayId(LONG l_id) const
{
    const auto it = DayIndex.find(l_id);
    return it == DayIndex.end() ? -1 : it->second;
}

void DayDefBase::SetNumDays(int n_days)
{
    DayArray.SetSize(n_days);
    for (int i = 0; i < DayArray.GetSize(); ++i)
        DayArray[i].Clear();
}

void DayDefBase::GenerateDay(int i_day, const CHighTime& dt_start, const CHighTime& dt_end, int n_minutes)
{
    // The neighbours wrap: week days and custom days may run on from the
    // last day to the first.
    const int n_days = std::min(GetNumDays(), GetNumLayouts());
    const int i_prev = (i_day + n_days - 1) % n_days;
    const int i_next = (i_day + 1) % n_days;
    const DayDefSlots* p_prev = IsConsecutive(i_prev, i_day) ? &DayArray[i_prev] : nullptr;
    const DayDefSlots* p_next = IsConsecutive(i_day, i_next) ? &DayArray[i_next] : nullptr;
    DayArray[i_day].GenerateSlots(dt_start, dt_end, n_minutes, p_prev, p_next);
}

void DayDefBase::FillEmptyDays(const CHighTime& dt_start, const CHighTime& dt_end, int n_minutes)
{
    const int n_days = std::min(GetNumDays(), GetNumLayouts());
    for (int i = 0; i < n_days; ++i) {
        if (DayArray[i].GetNumSlots() == 0)
            GenerateDay(i, dt_start, dt_end, n_minutes);
    }
}

int DayDefBase::RegenerateDays(const CHighTime& dt_start, const CHighTime& dt_end, int n_minutes)
{
    if (dt_start.GetStatus() != CHighTime::valid || dt_end.GetStatus() != CHighTime::valid || n_minutes <= 0)
        return 0;
    const int n_days = std::min(GetNumDays(), GetNumLayouts());
    for (int i = 0; i < n_days; ++i)
        GenerateDay(i, dt_start, dt_end, n_minutes);
    return GetNumDays();
}

void DayDefBase::GenerateAllDays(const CHighTime& dt_firstStart, const CHighTime& dt_lastEnd,
                                 const CHighTime& dt_otherStart, const CHighTime& dt_otherEnd, int n_minutes)
{
    const int n_days = std::min(GetNumDays(), GetNumLayouts());
    for (int i = 0; i < n_days; ++i) {
        CHighTime dt_start = i == 0 ? dt_firstStart : dt_otherStart;
        CHighTime dt_end = i == n_days - 1 ? dt_lastEnd : dt_otherEnd;
        SetSlotBaseDate(dt_start, FALSE);
        SetSlotBaseDate(dt_end, TRUE);
        GenerateDay(i, dt_start, dt_end, n_minutes);
    }
}

void DayDefBase::CheckDayCount(const LoadedBase& loaded, int n_days, const char* p_text)
{
    // Every day has its layout; a damaged file must not leave a day
    // without one for the timetable and the pages to reach past the end.
    if (n_days > loaded.Layouts.GetSize())
        CArchive::ThrowBadSchema(p_text);
}

DayDefBase::LoadedBase DayDefBase::LoadBase(CArchive& ar)
{
    LoadedBase loaded;
    DWORD n_layouts = 0;
    ar >> n_layouts;
    ar.CheckAvailable(n_layouts, ZelElementMinBytes<DayDefSlots>::value);
    loaded.Layouts.SetSize(static_cast<int>(n_layouts));
    for (int i = 0; i < loaded.Layouts.GetSize(); ++i)
        loaded.Layouts[i].Serialize(ar);
    DWORD u_24Hour = 0;
    if (GetArchiveVersion(ar) >= 8)
        ar >> u_24Hour;
    loaded.b24Hour = static_cast<BOOL>(u_24Hour);
    return loaded;
}

void DayDefBase::CommitBase(LoadedBase& loaded)
{
    DayArray = std::move(loaded.Layouts);
    b24Hour = loaded.b24Hour;
}

void DayDefBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(DayArray.GetSize());
        for (int i = 0; i < DayArray.GetSize(); ++i)
            DayArray[i].Serialize(ar);
        ar << static_cast<DWORD>(b24Hour);
        return;
    }
    LoadedBase loaded = LoadBase(ar);
    CommitBase(loaded);
}

// ---- CalendarDays ----

LONG CalendarDays::GetCalendarDayId(const CHighTime& dt_date)
{
    // Tick 0 is 1 January 1601 00:00; the identifiers count from 1800.
    static const std::int64_t ll_daysTo1800 = OleDate::DaysFromCivil(1800, 1, 1) - OleDate::DaysFromCivil(1601, 1, 1);
    const std::int64_t ll_ticks = static_cast<std::int64_t>(dt_date);
    std::int64_t ll_days = ll_ticks / CHighTimeSpan::llTicksPerDay;
    if (ll_ticks % CHighTimeSpan::llTicksPerDay < 0)
        --ll_days;
    return static_cast<LONG>(ll_days - ll_daysTo1800);
}

BOOL CalendarDays::IsConsecutive(int i_day1, int i_day2) const
{
    ZEL_ASSERT(0 <= i_day1 && i_day1 < Dates.GetSize());
    ZEL_ASSERT(0 <= i_day2 && i_day2 < Dates.GetSize());
    // The identifiers count calendar days, so the next date has the next
    // identifier. Availability tests ask this for every day of the event,
    // so it must not convert dates.
    return GetDayId(i_day2) == GetDayId(i_day1) + 1 ? TRUE : FALSE;
}

std::string CalendarDays::GetDayName(int i_day) const { return FormatDate(Dates[i_day]); }

LONG CalendarDays::GetDayId(int i_day) const { return static_cast<LONG>(DayIds[i_day]); }

int CalendarDays::FindDayId(LONG l_id) const { return LookUpDayId(l_id); }

int CalendarDays::FindDate(const ZelOleDateTime& o_date) const
{
    for (int i = 0; i < Dates.GetSize(); ++i) {
        if (Dates[i].IsSameDate(o_date))
            return i;
    }
    return -1;
}

std::string CalendarDays::FormatDate(const CHighTime& dt_date) const
{
    return FormatDatePicture(dt_date, sDatePicture.empty() ? GetShortDatePicture() : sDatePicture);
}

void CalendarDays::SetDates(const ZelArray<ZelOleDateTime>& a_dates)
{
    const CalendarDays o_old(*this);
    Dates = a_dates;
    std::stable_sort(Dates.GetData(), Dates.GetData() + Dates.GetSize(),
                     [](const ZelOleDateTime& a, const ZelOleDateTime& b) { return ZelOleDateTime::Compare(a, b) < 0; });
    SetNumDays(Dates.GetSize());
    for (int i = 0; i < Dates.GetSize(); ++i) {
        const int i_old = o_old.FindDate(Dates[i]);
        if (i_old >= 0 && i_old < o_old.GetNumLayouts())
            DayArray[i].CopySlots(o_old.DayArray[i_old]);
    }
    RebuildDayIds();
}

void CalendarDays::RebuildDayIds()
{
    DayIds.SetSize(Dates.GetSize());
    for (int i = 0; i < Dates.GetSize(); ++i)
        DayIds[i] = static_cast<DWORD>(GetCalendarDayId(Dates[i]));
    RebuildDayFacts();
}

void CalendarDays::Reset()
{
    Dates.RemoveAll();
    DayIds.RemoveAll();
    DayArray.RemoveAll();
    RebuildDayFacts();
}

void CalendarDays::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        DayDefBase::Serialize(ar);
        ar << sSeparator << sDatePicture << static_cast<DWORD>(Dates.GetSize());
        for (int i = 0; i < Dates.GetSize(); ++i)
            ar << static_cast<const CHighTime&>(Dates[i]);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    LoadedBase base = LoadBase(ar);
    std::string s_separator;
    std::string s_picture;
    DWORD n_dates = 0;
    ar >> s_separator >> s_picture >> n_dates;
    // Both date forms take twelve bytes.
    ar.CheckAvailable(n_dates, 12);
    ZelArray<ZelOleDateTime> a_dates;
    a_dates.SetSize(static_cast<int>(n_dates));
    for (int i = 0; i < a_dates.GetSize(); ++i) {
        CHighTime dt_date;
        if (u_version <= 6) {
            COleDateTime o_old;
            ar >> o_old;
            dt_date = o_old;
        } else {
            ar >> dt_date;
        }
        // A day of the event is a date; a null or invalid one names no day.
        if (dt_date.GetStatus() != CHighTime::valid)
            CArchive::ThrowBadSchema("a calendar day that is not a valid date");
        a_dates[i] = dt_date;
    }
    CheckDayCount(base, a_dates.GetSize(), "more calendar days than day layouts");
    CommitBase(base);
    sSeparator = s_separator;
    sDatePicture = s_picture;
    Dates = std::move(a_dates);
    RebuildDayIds();
}

// ---- WeekDays ----

BOOL WeekDays::IsConsecutive(int i_day1, int i_day2) const
{
    // The indices are positions among the chosen days, not week-day
    // numbers: checking them against the week length would let a bad
    // index read past the chosen days.
    ZEL_ASSERT(0 <= i_day1 && i_day1 < Days.GetSize());
    ZEL_ASSERT(0 <= i_day2 && i_day2 < Days.GetSize());
    const std::int64_t ll_day1 = Days[i_day1];
    const std::int64_t ll_day2 = Days[i_day2];
    return ll_day2 == ll_day1 + 1 || (ll_day2 == 0 && ll_day1 == nDaysPerWeek - 1) ? TRUE : FALSE;
}

std::string WeekDays::GetDayName(int i_day) const
{
    const DWORD u_weekDay = Days[i_day];
    if (u_weekDay >= static_cast<DWORD>(ZelOleDateTime::nDayNames))
        return {};
    ZelOleDateTime::Init();
    return bFullName ? ZelOleDateTime::DayNames[u_weekDay] : ZelOleDateTime::AbbrevDayNames[u_weekDay];
}

LONG WeekDays::GetDayId(int i_day) const { return static_cast<LONG>(Days[i_day]); }

int WeekDays::FindDayId(LONG l_id) const { return LookUpDayId(l_id); }

void WeekDays::SetDays(const Flags& flags)
{
    const WeekDays o_old(*this);
    Days.RemoveAll();
    for (int i = 0; i < ZelOleDateTime::nDayNames && i < flags.GetSize(); ++i) {
        if (flags.IsSet(i))
            Days.Add(static_cast<DWORD>(i));
    }
    SortDays();
    SetNumDays(Days.GetSize());
    for (int i = 0; i < Days.GetSize(); ++i) {
        const int i_old = o_old.FindDayId(static_cast<LONG>(Days[i]));
        if (i_old >= 0 && i_old < o_old.GetNumLayouts())
            DayArray[i].CopySlots(o_old.DayArray[i_old]);
    }
}

void WeekDays::SortDays()
{
    const std::int64_t ll_week = nDaysPerWeek;
    auto place = [&](DWORD u_day) {
        return ((static_cast<std::int64_t>(u_day) - iFirstDay) % ll_week + ll_week) % ll_week;
    };
    std::vector<int> v_order(static_cast<std::size_t>(Days.GetSize()));
    std::iota(v_order.begin(), v_order.end(), 0);
    std::stable_sort(v_order.begin(), v_order.end(),
                     [&](int a, int b) { return place(Days[a]) < place(Days[b]); });
    // The layouts belong to their days and move with them.
    if (DayArray.GetSize() == Days.GetSize())
        Permute(DayArray, v_order);
    Permute(Days, v_order);
    RebuildDayFacts();
}

void WeekDays::Reset()
{
    Days.RemoveAll();
    DayArray.RemoveAll();
    iFirstDay = 1;
    bFullName = 1;
    RebuildDayFacts();
}

void WeekDays::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        DayDefBase::Serialize(ar);
        ar << static_cast<DWORD>(iFirstDay) << static_cast<DWORD>(bFullName) << static_cast<DWORD>(nDaysPerWeek);
        ar.WriteCount(static_cast<std::uint32_t>(Days.GetSize()));
        for (int i = 0; i < Days.GetSize(); ++i)
            ar << Days[i];
        return;
    }
    LoadedBase base = LoadBase(ar);
    DWORD u_firstDay = 0;
    DWORD u_fullName = 0;
    DWORD u_daysPerWeek = 0;
    ar >> u_firstDay >> u_fullName >> u_daysPerWeek;
    if (u_daysPerWeek != static_cast<DWORD>(nDaysPerWeek))
        CArchive::ThrowBadSchema("a week of another length");
    const std::uint32_t n_days = ar.ReadCountChecked(4);
    ZelArray<DWORD> a_days;
    a_days.SetSize(static_cast<int>(n_days));
    for (int i = 0; i < a_days.GetSize(); ++i) {
        ar >> a_days[i];
        // The number indexes the day-name tables.
        if (a_days[i] >= static_cast<DWORD>(nDaysPerWeek))
            CArchive::ThrowBadSchema("a week-day number outside the week");
    }
    CheckDayCount(base, a_days.GetSize(), "more week days than day layouts");
    CommitBase(base);
    iFirstDay = static_cast<int>(u_firstDay);
    bFullName = static_cast<BOOL>(u_fullName);
    Days = std::move(a_days);
    RebuildDayFacts();
}

// ---- CustomDays ----

CustomDays::Day& CustomDays::Day::operator=(const Day& src)
{
    lKey = src.lKey;
    sName = src.sName;
    bConsecutive = src.bConsecutive;
    return *this;
}

LONG CustomDays::GetKeyCounter() { return lCustomDayKeyCounter; }

void CustomDays::SetKeyCounter(LONG l_next) { lCustomDayKeyCounter = l_next; }

BOOL CustomDays::IsConsecutive(int i_day1, int i_day2) const
{
    ZEL_ASSERT(0 <= i_day1 && i_day1 < Days.GetSize());
    ZEL_ASSERT(0 <= i_day2 && i_day2 < Days.GetSize());
    if (!Days[i_day1].bConsecutive)
        return FALSE;
    const int i_last = Days.GetSize() - 1;
    if (i_day1 != i_last)
        return i_day2 == i_day1 + 1 ? TRUE : FALSE;
    return i_day2 == 0 ? TRUE : FALSE;
}

std::string CustomDays::GetDayName(int i_day) const { return Days[i_day].sName; }

LONG CustomDays::GetDayId(int i_day) const { return Days[i_day].lKey; }

int CustomDays::FindDayId(LONG l_id) const { return LookUpDayId(l_id); }

void CustomDays::SetConsecutive(int i_day, BOOL b_consecutive)
{
    Days[i_day].bConsecutive = b_consecutive;
    RebuildDayFacts();
}

void CustomDays::SetDays(const ZelStringArray& a_names)
{
    const CustomDays o_old(*this);
    Days.RemoveAll();
    SetNumDays(a_names.GetSize());
    for (int i = 0; i < a_names.GetSize(); ++i) {
        Day day;
        day.sName = a_names[i];
        int i_old = -1;
        for (int j = 0; j < o_old.Days.GetSize() && i_old < 0; ++j) {
            if (o_old.Days[j].sName == day.sName)
                i_old = j;
        }
        if (i_old >= 0) {
            day.lKey = o_old.Days[i_old].lKey;
            day.bConsecutive = o_old.Days[i_old].bConsecutive;
            if (i_old < o_old.GetNumLayouts())
                DayArray[i].CopySlots(o_old.DayArray[i_old]);
        } else {
            day.lKey = ZelKeyCounter::Take(lCustomDayKeyCounter);
        }
        Days.Add(day);
    }
    RebuildDayFacts();
}

void CustomDays::SetDays(const ZelArray<Day>& a_rows)
{
    const CustomDays o_old(*this);
    Days.RemoveAll();
    SetNumDays(a_rows.GetSize());
    for (int i = 0; i < a_rows.GetSize(); ++i) {
        Day day = a_rows[i];
        const int i_old = day.lKey < 0 ? -1 : o_old.FindDayId(day.lKey);
        bool b_taken = false;
        for (int j = 0; j < i && !b_taken; ++j)
            b_taken = Days[j].lKey == day.lKey;
        if (i_old >= 0 && !b_taken) {
            if (i_old < o_old.GetNumLayouts())
                DayArray[i].CopySlots(o_old.DayArray[i_old]);
        } else {
            day.lKey = ZelKeyCounter::Take(lCustomDayKeyCounter);
        }
        Days.Add(day);
    }
    RebuildDayFacts();
}

ZelStringArray CustomDays::GetNames() const
{
    ZelStringArray a_names;
    for (int i = 0; i < Days.GetSize(); ++i)
        a_names.Add(Days[i].sName);
    return a_names;
}

void CustomDays::Reset()
{
    Days.RemoveAll();
    DayArray.RemoveAll();
    RebuildDayFacts();
}

void CustomDays::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        DayDefBase::Serialize(ar);
        if (__ZelAssertOn && !(Days.GetSize() <= DayArray.GetSize()))
            __ZelAssert("Days.GetSize() <= DayArray.GetSize()", __FILE_NAME__, __LINE__, nullptr);
        const Day o_blank;
        for (int i = 0; i < DayArray.GetSize(); ++i) {
            const Day& day = i < Days.GetSize() ? Days[i] : o_blank;
            ar << day.sName << static_cast<DWORD>(day.lKey) << static_cast<DWORD>(day.bConsecutive);
        }
        ar << static_cast<DWORD>(lCustomDayKeyCounter);
        return;
    }
    LoadedBase base = LoadBase(ar);
    const int n_layouts = base.Layouts.GetSize();
    ZelArray<Day> a_days;
    if (GetArchiveVersion(ar) <= 13) {
        DWORD n_days = 0;
        ar >> n_days;
        ar.CheckAvailable(n_days, 1);
        a_days.SetSize(static_cast<int>(n_days));
        for (int i = 0; i < a_days.GetSize(); ++i)
            ar >> a_days[i].sName;
        DWORD i_amt = 0;
        ar >> i_amt;
        if (i_amt != n_days)
            CArchive::ThrowBadSchema("i_amt == n_days");
        ar.CheckAvailable(i_amt, 4);
        for (int i = 0; i < a_days.GetSize(); ++i) {
            DWORD u_key = 0;
            ar >> u_key;
            a_days[i].lKey = static_cast<LONG>(u_key);
        }
    } else {
        ar.CheckAvailable(static_cast<std::uint64_t>(n_layouts), 1 + 4 + 4);
        a_days.SetSize(n_layouts);
        for (int i = 0; i < a_days.GetSize(); ++i) {
            DWORD u_key = 0;
            DWORD u_consecutive = 0;
            ar >> a_days[i].sName >> u_key >> u_consecutive;
            a_days[i].lKey = static_cast<LONG>(u_key);
            a_days[i].bConsecutive = static_cast<BOOL>(u_consecutive);
        }
    }
    DWORD u_counter = 0;
    ar >> u_counter;
    CheckDayCount(base, a_days.GetSize(), "Days.GetSize() <= DayArray.GetSize()");
    // New days must never take a key a loaded day has, whatever counter
    // the file holds.
    std::int64_t ll_next = static_cast<LONG>(u_counter);
    std::vector<LONG> v_keys;
    for (int i = 0; i < a_days.GetSize(); ++i) {
        ll_next = std::max<std::int64_t>(ll_next, static_cast<std::int64_t>(a_days[i].lKey) + 1);
        v_keys.push_back(a_days[i].lKey);
    }
    CommitBase(base);
    Days = std::move(a_days);
    lCustomDayKeyCounter = ZelKeyCounter::Settle(ll_next, std::move(v_keys), static_cast<LONG>(u_counter));
    RebuildDayFacts();
}

// ---- EventDefinition ----

DayDefBase& EventDefinition::GetDayDef()
{
    return const_cast<DayDefBase&>(static_cast<const EventDefinition*>(this)->GetDayDef());
}

const DayDefBase& EventDefinition::GetDayDef() const
{
    switch (eDaySel) {
    case eCalendar: return Calendar;
    case eWeekDays: return Week;
    case eCustom: return Custom;
    }
    if (__ZelAssertOn)
        __ZelAssert("FALSE", __FILE_NAME__, __LINE__, nullptr);
    return Week;
}

void EventDefinition::SetDayDef(const DayDefBase& days)
{
    if (const auto* p_calendar = dynamic_cast<const CalendarDays*>(&days)) {
        Calendar = *p_calendar;
        eDaySel = eCalendar;
    } else if (const auto* p_week = dynamic_cast<const WeekDays*>(&days)) {
        Week = *p_week;
        eDaySel = eWeekDays;
    } else if (const auto* p_custom = dynamic_cast<const CustomDays*>(&days)) {
        Custom = *p_custom;
        eDaySel = eCustom;
    } else if (__ZelAssertOn) {
        __ZelAssert("FALSE", __FILE_NAME__, __LINE__, nullptr);
    }
}

void EventDefinition::RemapSetKeys(EventDoc* p_doc)
{
    const VenueList& venues = p_doc->GetVenues();
    ZelArray<LONG> a_keys;
    a_keys.SetSize(venues.GetNumVenues());
    for (int i = 0; i < venues.GetNumVenues(); ++i)
        a_keys[i] = venues[i].GetKey();
    RemapSetKeys(a_keys);
}

void EventDefinition::RemapSetKeys(const ZelArray<LONG>& a_venueKeys)
{
    const int n_venues = a_venueKeys.GetSize();
    DayDefBase& days = GetDayDef();
    for (int i = 0; i < days.GetNumLayouts(); ++i) {
        ZelRelTimeslotArray& a_slots = days.GetDaySlots(i).GetSlots();
        for (int j = a_slots.GetSize() - 1; j >= 0; --j) {
            ZelRelTimeslot& slot = a_slots[j];
            if (slot.GetLoadedSchema() < ZelRelTimeslot::iSchema && slot.GetSetKey() >= 0 &&
                slot.GetSetKey() < n_venues) {
                const LONG l_key = a_venueKeys[slot.GetSetKey()];
                if (l_key < 0)
                    a_slots.RemoveAt(j);
                else
                    slot.SetSetKey(l_key);
            }
        }
        a_slots.Sort();
    }
}

void EventDefinition::Reset()
{
    Calendar.Reset();
    Week.Reset();
    Custom.Reset();
    eDaySel = eCalendar;
}

void EventDefinition::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(eDaySel);
        GetDayDef().Serialize(ar);
        return;
    }
    DWORD u_daySel = 0;
    ar >> u_daySel;
    if (u_daySel > eCustom)
        CArchive::ThrowBadSchema("an unknown kind of day definition");
    // Each kind changes nothing unless it loads whole.
    DayDefBase& days = u_daySel == eCalendar ? static_cast<DayDefBase&>(Calendar)
                       : u_daySel == eWeekDays ? static_cast<DayDefBase&>(Week)
                                               : static_cast<DayDefBase&>(Custom);
    days.Serialize(ar);
    eDaySel = static_cast<DaySel>(u_daySel);
}
