#include "model/TimetableDay.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/values/ZelTimeslot.h"

#include <algorithm>
#include <climits>

namespace {

CHighTime InvalidTime()
{
    CHighTime dt;
    dt.SetStatus(CHighTime::invalid);
    return dt;
}

BOOL Passes(Day::SlotFilter p_filter, const void* p_context, const Timeslot& slot)
{
    return p_filter == nullptr || p_filter(p_context, slot);
}

// The key a lock entry names: its item data without the sign that marks a
// changed time (worked in 32 bits, so no value overflows).
LONG UnsignedKey(LONG l_itemData)
{
    return l_itemData < 0 ? static_cast<LONG>(0u - static_cast<DWORD>(l_itemData)) : l_itemData;
}

BOOL GroupExists(const EventDoc* p_doc, LONG l_groupKey)
{
    return l_groupKey >= 0 && p_doc->GetGroups().FindByKey(l_groupKey) >= 0;
}

// The fewest bytes an old slot record takes: its start, two words, the
// venue count of its key list and the values flag.
constexpr std::size_t kMinOldSlotBytes = 12 + 4 + 4 + 4 + 4;

} // namespace

// ---- TimeslotLock ----

TimeslotLock::TimeslotLock() : dtStart(InvalidTime()) {}

TimeslotLock::TimeslotLock(const CHighTime& dt_start, LONG l_venueKey, LONG l_groupKey, LONG l_slotKey)
    : dtStart(dt_start), lVenueKey(l_venueKey), lGroupKey(l_groupKey), lSlotKey(l_slotKey)
{
}

// ---- Day::SlotArray ----

Day::SlotArray::SlotArray() : ZelSortedArray<SlotDef>(&CompareStarts) {}

int Day::SlotArray::CompareStarts(const SlotDef* p_a, const SlotDef* p_b)
{
    const auto ll_a = static_cast<std::int64_t>(p_a->Start);
    const auto ll_b = static_cast<std::int64_t>(p_b->Start);
    return ll_a < ll_b ? -1 : (ll_a > ll_b ? 1 : 0);
}

int Day::SlotArray::FindFirst(const CHighTimeSpan& t) const
{
    return ZelSortedArray<SlotDef>::FindFirst(SlotDef(t, CHighTimeSpan()));
}

int Day::SlotArray::FindDef(const CHighTimeSpan& start, const CHighTimeSpan& length) const
{
    for (int i = FindFirst(start); i >= 0 && i < GetSize() && GetAt(i).Start == start; ++i) {
        if (GetAt(i).Length == length)
            return i;
    }
    return -1;
}

int Day::SlotArray::FindTime(const CHighTimeSpan& t) const
{
    for (int i = 0; i < GetSize(); ++i) {
        if (GetAt(i).Start == t || GetAt(i).GetEnd() == t)
            return i;
    }
    return -1;
}

int Day::SlotArray::GetLatestEnd() const
{
    int i_latest = -1;
    for (int i = 0; i < GetSize(); ++i) {
        if (i_latest < 0 || GetAt(i).GetEnd() >= GetAt(i_latest).GetEnd())
            i_latest = i;
    }
    return i_latest;
}

int Day::SlotArray::Merge(const SlotDef& def)
{
    int i_at = 0;
    int i = ZelSortedArray<SlotDef>::FindFirst(def, &i_at);
    if (i >= 0) {
        for (; i < GetSize() && GetAt(i).Start == def.Start; ++i) {
            if (GetAt(i).Length == def.Length)
                return i;
            if (GetAt(i).Length > def.Length)
                break;
        }
        i_at = i;
    }
    InsertAt(i_at, def);
    return i_at;
}

// ---- Day ----

Day::Day(EventDoc* p_doc, int i_dayIndex)
{
    Init(p_doc, i_dayIndex, nullptr);
}

void Day::Init(EventDoc* p_doc, int i_dayIndex, ZelRelTimeslotArray* p_previous)
{
    VenueSlots.RemoveAll();
    pDoc = p_doc;
    iDayIndex = i_dayIndex;
    if (pDoc == nullptr)
        return;

    const VenueList& venues = pDoc->GetVenues();
    VenueSlots.SetSize(venues.GetNumVenues());
    const DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    if (iDayIndex < 0 || iDayIndex >= days.GetNumLayouts())
        return;
    const DayDefSlots& layout = days.GetDaySlots(iDayIndex);
    const ZelRelTimeslotArray& a_layout = layout.GetSlots();

    if (!layout.IsAllVenues()) {
        // Each slot belongs to the venue its set key names; a venue that is
        // gone takes its slots with it.
        for (int i = 0; i < a_layout.GetSize(); ++i) {
            const int i_venue = venues.FindByKey(a_layout[i].GetSetKey());
            if (i_venue >= 0)
                AddLayoutSlot(a_layout[i], i_venue, venues[i_venue].GetKey(), p_previous);
        }
    } else {
        for (int i_venue = venues.GetNumVenues() - 1; i_venue >= 0; --i_venue) {
            for (int i = 0; i < a_layout.GetSize(); ++i)
                AddLayoutSlot(a_layout[i], i_venue, venues[i_venue].GetKey(), p_previous);
        }
    }
    for (int i = 0; i < VenueSlots.GetSize(); ++i)
        VenueSlots[i].ReSort();
}

DWORD Day::LayoutKeys(const EventDoc* p_doc, int i_dayIndex)
{
    if (p_doc == nullptr)
        return 0;
    const VenueList& venues = p_doc->GetVenues();
    const DayDefBase& days = p_doc->GetEventDef().GetDayDef();
    if (i_dayIndex < 0 || i_dayIndex >= days.GetNumLayouts())
        return 0;
    const DayDefSlots& layout = days.GetDaySlots(i_dayIndex);
    const ZelRelTimeslotArray& a_layout = layout.GetSlots();

    // Init makes a slot per layout slot and venue, which takes a key, and
    // adds it to its venue's array, which first grows by a blank slot that
    // takes another.
    DWORD n_slots = 0;
    if (layout.IsAllVenues()) {
        n_slots = static_cast<DWORD>(a_layout.GetSize()) * static_cast<DWORD>(venues.GetNumVenues());
    } else {
        for (int i = 0; i < a_layout.GetSize(); ++i) {
            if (venues.FindByKey(a_layout[i].GetSetKey()) >= 0)
                ++n_slots;
        }
    }
    return 2 * n_slots;
}

void Day::AddLayoutSlot(const ZelRelTimeslot& layoutSlot, int i_venue, LONG l_venueKey,
                        ZelRelTimeslotArray* p_previous)
{
    ZelRelTimeslot probe(layoutSlot);
    probe.SetSetKey(l_venueKey);
    const int i_previous = p_previous ? p_previous->Find(probe) : -1;

    // A slot that stands unchanged in the previous list keeps the key the
    // previous list carries for it.
    LONG l_slotKey = -1;
    if (i_previous >= 0 && layoutSlot.GetItemData() > 0 && (*p_previous)[i_previous].GetItemData() > 0)
        l_slotKey = (*p_previous)[i_previous].GetItemData();

    const Timeslot slot(layoutSlot, iDayIndex, i_venue, l_slotKey);
    VenueSlots[i_venue].Add(slot);
    if (l_slotKey < 0 && i_previous >= 0)
        (*p_previous)[i_previous].SetItemData(slot.GetSlotKey());
}

LONG Day::GetDayId() const
{
    if (pDoc == nullptr || iDayIndex < 0)
        return -1;
    const DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    return iDayIndex < days.GetNumDays() ? days.GetDayId(iDayIndex) : -1;
}

std::string Day::GetName() const
{
    if (pDoc == nullptr || iDayIndex < 0)
        return {};
    const DayDefBase& days = pDoc->GetEventDef().GetDayDef();
    return iDayIndex < days.GetNumDays() ? days.GetDayName(iDayIndex) : std::string();
}

int Day::GetNumDocVenues() const
{
    if (pDoc == nullptr)
        return 0;
    return std::min(VenueSlots.GetSize(), pDoc->GetNumVenues());
}

void Day::GetLocks(TimeslotLockArray& a_out, const ZelRelTimeslotArray* p_slots)
{
    a_out.RemoveAll();
    const int n_venues = GetNumDocVenues();
    if (n_venues == 0)
        return;
    const VenueList& venues = pDoc->GetVenues();

    if (p_slots == nullptr) {
        for (int i_venue = 0; i_venue < n_venues; ++i_venue) {
            const TimeslotArray& a_slots = VenueSlots[i_venue];
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                const Timeslot& slot = a_slots[i];
                if (slot.IsLocked())
                    a_out.Add(TimeslotLock(slot.GetStart(), venues[i_venue].GetKey(), slot.GetGroup(),
                                           slot.GetSlotKey()));
            }
        }
        return;
    }

    for (int i_entry = p_slots->GetSize() - 1; i_entry >= 0; --i_entry) {
        const ZelRelTimeslot& entry = (*p_slots)[i_entry];
        const int i_venue = venues.FindByKey(entry.GetSetKey());
        if (i_venue < 0 || i_venue >= n_venues)
            continue;
        const LONG l_item = entry.GetItemData();
        const LONG l_key = UnsignedKey(l_item);

        // The slot the entry replaces, in its own venue first.
        const Timeslot* p_old = nullptr;
        int i_found = -1;
        if (VenueSlots[i_venue].FindSlotKey(l_key, i_found)) {
            p_old = &VenueSlots[i_venue][i_found];
        } else {
            for (int i_other = n_venues - 1; i_other >= 0 && p_old == nullptr; --i_other) {
                if (i_other != i_venue && VenueSlots[i_other].FindSlotKey(l_key, i_found))
                    p_old = &VenueSlots[i_other][i_found];
            }
        }
        if (p_old == nullptr || !p_old->IsLocked())
            continue;
        a_out.Add(TimeslotLock(Timeslot::GetBaseDate() + entry.GetStart(), entry.GetSetKey(), p_old->GetGroup(),
                               l_item > 0 ? l_key : -1));
    }
}

void Day::SetLocks(const TimeslotLockArray& a_locks)
{
    if (pDoc == nullptr)
        return;
    const int n_venues = GetNumDocVenues();
    for (int i_lock = a_locks.GetSize() - 1; i_lock >= 0; --i_lock) {
        const TimeslotLock& lock = a_locks[i_lock];
        const int i_venue = pDoc->GetVenues().FindByKey(lock.lVenueKey);
        if (i_venue < 0 || i_venue >= n_venues)
            continue;
        if (!GroupExists(pDoc, lock.lGroupKey))
            continue;
        TimeslotArray& a_slots = VenueSlots[i_venue];
        int i_slot = -1;
        if (lock.lSlotKey >= 0 && a_slots.FindSlotKey(lock.lSlotKey, i_slot)) {
            Timeslot& slot = a_slots.ElementAt(i_slot);
            if (!slot.IsLocked()) {
                slot.SetGroup(lock.lGroupKey);
                slot.SetLocked(TRUE);
            }
            continue;
        }
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            Timeslot& slot = a_slots.ElementAt(i);
            if (slot.GetStart() == lock.dtStart && !slot.IsLocked()) {
                slot.SetGroup(lock.lGroupKey);
                slot.SetLocked(TRUE);
            }
        }
    }
}

void Day::RemoveVenue(int i_venue)
{
    if (i_venue < 0 || i_venue >= VenueSlots.GetSize())
        return;
    VenueSlots.RemoveAt(i_venue);
    // The slots behind it now stand one column further up.
    for (int v = i_venue; v < VenueSlots.GetSize(); ++v) {
        TimeslotArray& a_slots = VenueSlots[v];
        for (int i = 0; i < a_slots.GetSize(); ++i)
            a_slots.ElementAt(i).SetVenue(v);
    }
}

int Day::CountLocked(LONG l_groupKey, int i_venue) const
{
    int n_locked = 0;
    for (int v = 0; v < VenueSlots.GetSize(); ++v) {
        if (i_venue >= 0 && v != i_venue)
            continue;
        const TimeslotArray& a_slots = VenueSlots[v];
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            if (a_slots[i].IsLocked() && a_slots[i].GetGroup() == l_groupKey)
                ++n_locked;
        }
    }
    return n_locked;
}

int Day::CountUnfilled(int i_venue) const
{
    int n_unfilled = 0;
    for (int v = 0; v < VenueSlots.GetSize(); ++v) {
        if (i_venue < 0 || v == i_venue)
            n_unfilled += VenueSlots[v].GetNumUnfilled();
    }
    return n_unfilled;
}

void Day::CollectSlots(ZelArray<const Timeslot*>& a_out, int i_venue, SlotFilter p_filter,
                       const void* p_context) const
{
    if (i_venue < 0 || i_venue >= VenueSlots.GetSize())
        return;
    const TimeslotArray& a_slots = VenueSlots[i_venue];
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        if (Passes(p_filter, p_context, a_slots[i]))
            a_out.Add(&a_slots[i]);
    }
}

void Day::CollectAllSlots(ZelArray<const Timeslot*>& a_out, SlotFilter p_filter, const void* p_context) const
{
    for (int v = 0; v < VenueSlots.GetSize(); ++v)
        CollectSlots(a_out, v, p_filter, p_context);
}

void Day::AddVenueSlotDefs(SlotArray& a_defs, int i_venue, SlotFilter p_filter, const void* p_context) const
{
    if (i_venue < 0 || i_venue >= VenueSlots.GetSize())
        return;
    const TimeslotArray& a_slots = VenueSlots[i_venue];
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        if (Passes(p_filter, p_context, a_slots[i]))
            a_defs.Merge(SlotDef(a_slots[i].GetStartOffset(), a_slots[i].GetSpan()));
    }
}

void Day::AddAllSlotDefs(SlotArray& a_defs, SlotFilter p_filter, const void* p_context) const
{
    for (int v = 0; v < VenueSlots.GetSize(); ++v)
        AddVenueSlotDefs(a_defs, v, p_filter, p_context);
}

void Day::GetVenueSlotDefs(SlotArray& a_defs, int i_venue, SlotFilter p_filter, const void* p_context) const
{
    a_defs.RemoveAll();
    AddVenueSlotDefs(a_defs, i_venue, p_filter, p_context);
}

void Day::GetAllSlotDefs(SlotArray& a_defs, SlotFilter p_filter, const void* p_context) const
{
    a_defs.RemoveAll();
    AddAllSlotDefs(a_defs, p_filter, p_context);
}

void Day::StampPositions()
{
    for (int v = 0; v < VenueSlots.GetSize(); ++v) {
        TimeslotArray& a_slots = VenueSlots[v];
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            a_slots.ElementAt(i).SetDay(iDayIndex);
            a_slots.ElementAt(i).SetVenue(v);
        }
        a_slots.ReSort();
    }
}

int Day::ResolveLoaded(int i_dayIndex, const ZelArray<BOOL>& a_kept)
{
    for (int v = std::min(VenueSlots.GetSize(), a_kept.GetSize()) - 1; v >= 0; --v) {
        if (!a_kept[v])
            VenueSlots.RemoveAt(v);
    }
    iDayIndex = i_dayIndex;
    int n_emptied = 0;
    for (int v = 0; v < VenueSlots.GetSize(); ++v) {
        TimeslotArray& a_slots = VenueSlots[v];
        for (int i = 0; i < a_slots.GetSize(); ++i) {
            Timeslot& slot = a_slots.ElementAt(i);
            slot.SetDay(iDayIndex);
            slot.SetVenue(v);
            if (slot.GetGroup() >= 0 && !GroupExists(pDoc, slot.GetGroup())) {
                slot.SetGroup(-1);
                slot.SetLocked(FALSE);
                ++n_emptied;
            } else if (slot.GetGroup() < 0 && slot.IsLocked()) {
                // A lock holds a group in its slot; one without a group
                // locks nothing, and the build would take it for a group
                // to keep.
                slot.SetLocked(FALSE);
                ++n_emptied;
            }
        }
    }
    return n_emptied;
}

void Day::Serialize(CArchive& ar)
{
    const UINT u_version = GetArchiveVersionChecked(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(iDayIndex);
        VenueSlots.Serialize(ar);
        return;
    }
    if (u_version >= 1 && u_version <= 6) {
        LoadOldSlots(ar);
        return;
    }
    DWORD u_index = 0;
    ar >> u_index;
    ZelArray<TimeslotArray> a_loaded;
    a_loaded.Serialize(ar);
    iDayIndex = static_cast<int>(u_index);
    VenueSlots = std::move(a_loaded);
    StampPositions();
}

void Day::LoadOldSlots(CArchive& ar)
{
    COleDateTime dt_dropped;
    DWORD u_dropped = 0, n_count = 0, u_hasSlots = 0;
    ar >> dt_dropped >> u_dropped >> n_count >> u_hasSlots;
    if (u_hasSlots == 0)
        return;
    ar.CheckAvailable(n_count, kMinOldSlotBytes);

    // The day's slots come from its layout; the old records only say which
    // group was placed, and locked, at which start in each venue.
    EventDoc* p_doc = GetArchiveDoc(ar);
    Init(p_doc, iDayIndex, nullptr);
    for (DWORD i = 0; i < n_count; ++i) {
        OldTimeslot old;
        old.Serialize(ar);
        const CHighTimeSpan start = ZelRelTimeslot::GetRelative(ZelOleDateTime(old.GetStart()));
        const int n_venues = std::min(old.GetCount(), GetNumDocVenues());
        for (int v = 0; v < n_venues; ++v) {
            TimeslotArray& a_slots = VenueSlots[v];
            const int i_slot = a_slots.FindFirst(start, TRUE);
            if (i_slot < 0)
                continue;
            const LONG l_group = old.GetKeys()[v];
            if (!GroupExists(p_doc, l_group))
                continue;
            Timeslot& slot = a_slots.ElementAt(i_slot);
            slot.SetGroup(l_group);
            if (v < old.GetFlags().GetSize() && old.GetFlags().IsSet(v))
                slot.SetLocked(TRUE);
        }
    }
}
