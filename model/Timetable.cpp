#include "model/Timetable.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/base/ZelAssert.h"

#include <cstdio>

namespace {

CHighTime NullTime()
{
    CHighTime dt;
    dt.SetStatus(CHighTime::null);
    return dt;
}

const VenueList& EmptyVenues()
{
    static const VenueList venues;
    return venues;
}

} // namespace

// ---- SkipFlags ----

Timetable::SkipFlags::SkipFlags(int n_rows, int n_columns)
    : nRows(std::max(n_rows, 0)), nColumns(std::max(n_columns, 0)),
      Rows(static_cast<std::size_t>(nRows), std::vector<BYTE>(static_cast<std::size_t>(nColumns), 0))
{
}

void Timetable::SkipFlags::Check(int i_row, int i_col) const
{
    ZEL_ASSERT(0 <= i_row && i_row < nRows);
    ZEL_ASSERT(0 <= i_col && i_col < nColumns);
}

BOOL Timetable::SkipFlags::Get(int i_row, int i_col) const
{
    Check(i_row, i_col);
    return Rows[static_cast<std::size_t>(i_row)][static_cast<std::size_t>(i_col)] != 0;
}

void Timetable::SkipFlags::Set(int i_row, int i_col, BOOL b_skip)
{
    Check(i_row, i_col);
    Rows[static_cast<std::size_t>(i_row)][static_cast<std::size_t>(i_col)] = b_skip ? 1 : 0;
}

// ---- Timetable ----

Timetable::Timetable(EventDoc* p_doc) : pVenues(&p_doc->GetVenues()), dtCreated(NullTime())
{
    const int n_days = p_doc->GetEventDef().GetDayDef().GetNumDays();
    Days.reserve(static_cast<std::size_t>(n_days));
    for (int i = 0; i < n_days; ++i)
        Days.emplace_back(p_doc, i);
}

Timetable::Timetable(EventDoc* p_doc, ToRead) : pVenues(&p_doc->GetVenues()), dtCreated(NullTime())
{
    const int n_days = p_doc->GetEventDef().GetDayDef().GetNumDays();
    Days.reserve(static_cast<std::size_t>(n_days));
    DWORD n_keys = 0;
    for (int i = 0; i < n_days; ++i) {
        Days.emplace_back(p_doc, i, Day::ToRead{});
        n_keys += Day::LayoutKeys(p_doc, i);
    }
    Timeslot::SkipSlotKeys(n_keys);
}

Timetable::Timetable() : pVenues(&EmptyVenues()), dtCreated(NullTime())
{
    ZEL_ASSERT(FALSE);
}

Timetable::~Timetable() = default;

Day* Timetable::FindDay(LONG l_dayId)
{
    for (Day& day : Days) {
        if (day.GetDayId() == l_dayId)
            return &day;
    }
    return nullptr;
}

const Day* Timetable::FindDay(LONG l_dayId) const
{
    return const_cast<Timetable*>(this)->FindDay(l_dayId);
}

void Timetable::Invalidate()
{
    dtCreated = NullTime();
    bValid = FALSE;
}

// ---- placements kept and put back ----

Timetable::Placements::Placements(const Timetable& timetable)
    : dtCreated(timetable.GetCreationDate()), bValid(timetable.IsValid())
{
    for (const Day& day : timetable.Days) {
        vSlotCounts.push_back(day.GetNumVenues());
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            vSlotCounts.push_back(a_slots.GetSize());
            for (int s = 0; s < a_slots.GetSize(); ++s)
                vCells.push_back({a_slots[s].GetGroup(), a_slots[s].GetSpare(), a_slots[s].IsLocked()});
        }
    }
}

BOOL Timetable::Placements::Restore(Timetable& timetable) const
{
    // The shape first: a cell goes back only to the timeslot it came from.
    std::size_t u_count = 0;
    for (const Day& day : timetable.Days) {
        if (u_count >= vSlotCounts.size() || vSlotCounts[u_count++] != day.GetNumVenues())
            return FALSE;
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            if (u_count >= vSlotCounts.size() || vSlotCounts[u_count++] != day.GetVenueSlots(v).GetSize())
                return FALSE;
        }
    }
    if (u_count != vSlotCounts.size())
        return FALSE;
    std::size_t u_cell = 0;
    for (Day& day : timetable.Days) {
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Cell& cell = vCells[u_cell++];
                const Timeslot& slot = a_slots[s];
                if (slot.GetGroup() == cell.lGroupKey && slot.GetSpare() == cell.uSpare
                    && slot.IsLocked() == cell.bLocked)
                    continue;
                // Only a timeslot the build changed is touched, through the
                // pointer that keeps the array in order.
                TimeslotPtr sp_slot = a_slots.GetSlotPtr(s);
                sp_slot->SetGroup(cell.lGroupKey);
                sp_slot->SetSpare(cell.uSpare);
                sp_slot->SetLocked(cell.bLocked);
            }
        }
    }
    timetable.dtCreated = dtCreated;
    timetable.bValid = bValid;
    return TRUE;
}

int Timetable::CountUnfilled(int i_day, int i_venue) const
{
    int n_unfilled = 0;
    for (int d = 0; d < GetNumDays(); ++d) {
        if (i_day < 0 || d == i_day)
            n_unfilled += Days[static_cast<std::size_t>(d)].CountUnfilled(i_venue);
    }
    return n_unfilled;
}

int Timetable::CountPlacements(LONG l_groupKey, int i_venue, int i_day) const
{
    if (i_day >= 0)
        return i_day < GetNumDays() ? Days[static_cast<std::size_t>(i_day)].CountLocked(l_groupKey, i_venue) : 0;
    int n_placed = 0;
    for (const Day& day : Days)
        n_placed += day.CountLocked(l_groupKey, i_venue);
    return n_placed;
}

void Timetable::GetLocks(TimeslotLockArrays& a_locks)
{
    a_locks.SetSize(GetNumDays());
    for (int d = 0; d < GetNumDays(); ++d)
        Days[static_cast<std::size_t>(d)].GetLocks(a_locks[d], nullptr);
}

void Timetable::SetLocks(const TimeslotLockArrays& a_locks)
{
    const int n_days = std::min(GetNumDays(), a_locks.GetSize());
    for (int d = 0; d < n_days; ++d)
        Days[static_cast<std::size_t>(d)].SetLocks(a_locks[d]);
}

void Timetable::ResetDayTimeslots(EventDoc* p_doc, int i_day, ZelRelTimeslotArray* p_previous)
{
    if (i_day < 0 || i_day >= GetNumDays())
        return;
    Day& day = Days[static_cast<std::size_t>(i_day)];
    TimeslotLockArray a_locks;
    day.GetLocks(a_locks, p_previous);
    day.Init(p_doc, i_day, p_previous);
    day.SetLocks(a_locks);
    Invalidate();
}

void Timetable::RemoveVenue(int i_venue)
{
    for (Day& day : Days)
        day.RemoveVenue(i_venue);
}

void Timetable::SetDocument(EventDoc* p_doc)
{
    pVenues = &p_doc->GetVenues();
    for (Day& day : Days)
        day.SetDoc(p_doc);
}

int Timetable::ResolveLoaded(const ZelArray<BOOL>& a_kept)
{
    int n_emptied = 0;
    for (std::size_t i = 0; i < Days.size(); ++i)
        n_emptied += Days[i].ResolveLoaded(static_cast<int>(i), a_kept);
    return n_emptied;
}

void Timetable::Serialize(CArchive& ar)
{
    const UINT u_version = GetArchiveVersionChecked(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(bValid) << dtCreated << static_cast<DWORD>(GetNumDays());
        for (Day& day : Days)
            day.Serialize(ar);
        return;
    }
    DWORD u_valid = 0;
    ar >> u_valid;
    CHighTime dt_created;
    if (u_version >= 1 && u_version <= 6) {
        COleDateTime dt_old;
        ar >> dt_old;
        dt_created = CHighTime(dt_old);
    } else {
        ar >> dt_created;
    }
    DWORD n_days = 0;
    ar >> n_days;
    if (n_days != static_cast<DWORD>(GetNumDays()))
        CArchive::ThrowBadSchema("the timetable's day count differs from the event's");
    bValid = static_cast<BOOL>(u_valid);
    dtCreated = dt_created;
    for (Day& day : Days)
        day.Serialize(ar);
}

// ---- labels ----

std::string Timetable::GetDayAnchor(int i_day)
{
    return "TT_DAY_" + std::to_string(static_cast<UINT>(i_day + 1));
}

std::string Timetable::GetPartAnchor(int i_participant)
{
    return "TT_PART_" + std::to_string(static_cast<UINT>(i_participant + 1));
}

std::string Timetable::GetTimeLabel(const Day::SlotDef& first, const Day::SlotDef& last, BOOL b_full,
                                    BOOL b_24Hour)
{
    // Slot probes of key 0 take no slot key.
    const Timeslot first_slot(first.Start, first.Length, -1, -1, 0);
    std::string s_label = first_slot.GetTimeText(b_24Hour, FALSE);
    const bool b_spans = first.Start != last.Start || first.Length != last.Length;
    if (b_spans || b_full) {
        const Timeslot last_slot(last.Start, last.Length, -1, -1, 0);
        s_label += " to " + last_slot.GetTimeText(b_24Hour, TRUE);
    }
    return s_label;
}

int Timetable::CountConsecutive(const TimeslotArray& a_slots, int i_slot, BOOL b_sameCombination)
{
    if (i_slot < 0 || i_slot >= a_slots.GetSize())
        return 0;
    const Timeslot& first = a_slots[i_slot];
    int n_slots = 1;
    for (int i = i_slot + 1; i < a_slots.GetSize(); ++i, ++n_slots) {
        const Timeslot& slot = a_slots[i];
        if (slot.GetGroup() != first.GetGroup())
            break;
        if (b_sameCombination && slot.GetCombinationKey() != first.GetCombinationKey())
            break;
    }
    return n_slots;
}
