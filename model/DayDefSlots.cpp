#include "model/DayDefSlots.h"

#include "framework/Archive.h"
#include "model/KeyList.h"

#include <algorithm>

namespace {

bool IsValidTime(const CHighTime& dt) { return dt.GetStatus() == CHighTime::valid; }

} // namespace

const CHighTime& GetSlotBaseDate()
{
    static const CHighTime dt_base(2000, 1, 1);
    return dt_base;
}

void SetSlotBaseDate(CHighTime& dt, BOOL b_end)
{
    if (!IsValidTime(dt))
        return;
    const std::int64_t ll_day = CHighTimeSpan::llTicksPerDay;
    std::int64_t ll_timeOfDay = static_cast<std::int64_t>(dt) % ll_day;
    if (ll_timeOfDay < 0)
        ll_timeOfDay += ll_day;
    if (b_end && ll_timeOfDay == 0)
        ll_timeOfDay = ll_day;
    dt = GetSlotBaseDate() + CHighTimeSpan(ll_timeOfDay);
}

DayDefSlots::DayDefSlots()
{
    dtFirstStart.SetStatus(CHighTime::null);
    dtLastEnd.SetStatus(CHighTime::null);
}

DayDefSlots::DayDefSlots(const DayDefSlots& src) { CopySlots(src); }

DayDefSlots& DayDefSlots::operator=(const DayDefSlots& src)
{
    CopySlots(src);
    return *this;
}

void DayDefSlots::CopySlots(const DayDefSlots& src)
{
    if (this == &src)
        return;
    Slots = src.Slots;
    bGenerated = src.bGenerated;
    bAllVenues = src.bAllVenues;
    dtFirstStart = src.dtFirstStart;
    dtLastEnd = src.dtLastEnd;
    nSlotMinutes = src.nSlotMinutes;
}

void DayDefSlots::Clear()
{
    Slots.RemoveAll();
    bGenerated = 0;
    bAllVenues = 1;
}

void DayDefSlots::SetSlots(const ZelRelTimeslotArray& a_slots, BOOL b_allVenues)
{
    if (&a_slots != &Slots) {
        Slots = a_slots;
        bGenerated = 0;
    }
    SetAllVenues(b_allVenues);
}

void DayDefSlots::SetSlotArray(const ZelRelTimeslotArray& a_slots)
{
    if (&a_slots == &Slots)
        return;
    Slots.SetSize(a_slots.GetSize());
    for (int i = 0; i < a_slots.GetSize(); ++i)
        Slots[i] = a_slots[i];
    bGenerated = 0;
}

void DayDefSlots::SetAllVenues(BOOL b_allVenues)
{
    bAllVenues = bGenerated ? 1 : (b_allVenues ? 1 : 0);
    if (bAllVenues)
        RemoveDuplicates();
}

void DayDefSlots::RemoveItem(LONG l_venueKey)
{
    if (bAllVenues)
        return;
    for (int i = Slots.GetSize() - 1; i >= 0; --i) {
        if (Slots[i].GetSetKey() == l_venueKey)
            Slots.RemoveAt(i);
    }
}

void DayDefSlots::RepeatForVenues(int n_venues, const KeyList& keys)
{
    if (Slots.IsEmpty())
        return;
    const LONG l_firstKey = Slots[0].GetSetKey();
    ZelArray<ZelRelTimeslot> a_taken;
    for (int i = 0; i < Slots.GetSize(); ++i) {
        if (Slots[i].GetSetKey() == l_firstKey)
            a_taken.Add(Slots[i]);
    }
    Slots.RemoveAll();
    const int n_keys = std::min(n_venues, keys.GetMaxKeys());
    for (int i_key = 0; i_key < n_keys; ++i_key) {
        for (int i = 0; i < a_taken.GetSize(); ++i) {
            ZelRelTimeslot slot = a_taken[i];
            slot.SetSetKey(keys[i_key]);
            int i_at = 0;
            Slots.Find(slot, &i_at);
            Slots.InsertAt(i_at, slot);
        }
    }
}

int DayDefSlots::RemoveDuplicates()
{
    if (Slots.IsEmpty())
        return 0;
    const LONG l_firstKey = Slots[0].GetSetKey();
    for (int i = Slots.GetSize() - 1; i >= 0; --i) {
        if (Slots[i].GetSetKey() != l_firstKey)
            Slots.RemoveAt(i);
    }
    for (int i = Slots.GetSize() - 1; i >= 1; --i) {
        if (Slots[i] == Slots[i - 1])
            Slots.RemoveAt(i);
    }
    for (int i = 0; i < Slots.GetSize(); ++i)
        Slots[i].SetSetKey(-1);
    return Slots.GetSize();
}

void DayDefSlots::GenerateSlots(const CHighTime& dt_first, const CHighTime& dt_last, int n_minutes,
                                const DayDefSlots* p_prev, const DayDefSlots* p_next)
{
    if (IsValidTime(dt_first))
        dtFirstStart = dt_first;
    if (IsValidTime(dt_last))
        dtLastEnd = dt_last;
    // Minutes below 1 (a stored value of a damaged or old file among them)
    // count as none given: a slot of no length would never reach the end.
    if (n_minutes > 0)
        nSlotMinutes = n_minutes;
    SetSlotBaseDate(dtFirstStart, FALSE);
    SetSlotBaseDate(dtLastEnd, TRUE);
    if (!IsValidTime(dtFirstStart) || !IsValidTime(dtLastEnd) || nSlotMinutes <= 0)
        return;

    bGenerated = 1;
    SetAllVenues(TRUE);
    Slots.RemoveAll();

    // The neighbouring days are measured on their own clocks. A slot of the
    // day before that runs past midnight ends, on this day's clock, one day
    // earlier; a slot of the day after that starts before its midnight
    // starts one day later. Every such slot is taken into account, not only
    // the last (or first) one, so that a layout with timeslots for each
    // venue is covered as well.
    CHighTimeSpan o_start = dtFirstStart - GetSlotBaseDate();
    CHighTimeSpan o_end = dtLastEnd - GetSlotBaseDate();
    if (p_prev != nullptr) {
        for (int i = 0; i < p_prev->Slots.GetSize(); ++i) {
            const ZelRelTimeslot& slot = p_prev->Slots[i];
            if (!slot.IsValid())
                continue;
            const CHighTimeSpan o_earliest = ZelRelTimeslot::GetEarliest(slot);
            if (!o_earliest.IsNegative() && o_earliest > o_start)
                o_start = o_earliest;
        }
    }
    if (p_next != nullptr) {
        for (int i = 0; i < p_next->Slots.GetSize(); ++i) {
            const ZelRelTimeslot& slot = p_next->Slots[i];
            if (!slot.IsValid())
                continue;
            const CHighTimeSpan o_latest = ZelRelTimeslot::GetLatest(slot);
            if (o_end > o_latest)
                o_end = o_latest;
        }
    }

    const CHighTimeSpan o_length(0, 0, nSlotMinutes);
    for (CHighTimeSpan o_at = o_start; o_at + o_length <= o_end; o_at += o_length)
        Slots.Add(ZelRelTimeslot(o_at, o_length, -1));
}

void DayDefSlots::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(bGenerated) << static_cast<DWORD>(bAllVenues) << dtFirstStart << dtLastEnd
           << static_cast<DWORD>(nSlotMinutes) << static_cast<DWORD>(Slots.GetSize());
        Slots.Serialize(ar);
        return;
    }
    DWORD u_generated = 0;
    DWORD u_allVenues = 0;
    CHighTime dt_first;
    CHighTime dt_last;
    DWORD u_minutes = 0;
    DWORD u_count = 0;
    ar >> u_generated >> u_allVenues >> dt_first >> dt_last >> u_minutes >> u_count;
    ZelRelTimeslotArray a_slots(Slots.GetCompareFunc());
    a_slots.Serialize(ar);
    Slots = a_slots;
    bGenerated = static_cast<BOOL>(u_generated);
    bAllVenues = static_cast<BOOL>(u_allVenues);
    dtFirstStart = dt_first;
    dtLastEnd = dt_last;
    nSlotMinutes = static_cast<LONG>(u_minutes);
    if (bAllVenues)
        RemoveDuplicates();
}
