// One event day of the timetable: for every venue of the event, the day's
// timeslots at that venue, each holding the group placed in it and whether
// that placement is locked.
//
// A day builds its venue arrays from the day's timeslot layout. When the
// layout is rebuilt, slots that did not change keep their slot keys, so
// placements, locks and rules that name a slot by key stay with it; locks
// are carried across as TimeslotLock records and put back by key, or by
// start where the key is gone. The slot definitions are the day's distinct
// slot times (start and length from midnight), which the day grid, the
// printing and the HTML pages lay their rows out by.
//
// The venue arrays stand in the order of the document's venue list. A day
// read from a file first holds as many arrays as the file did; the
// document's load then keeps those of the venues its list took
// (ResolveLoaded). Every operation that goes from an array to the venue
// list, or back, stays within both all the same.
#pragma once

#include "framework/Types.h"
#include "model/Timeslot.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"

#include <string>

class CArchive;
class EventDoc;
class ZelRelTimeslotArray;

// A lock in a form that outlives the timetable it came from: when the slot
// starts, at which venue, the group locked into it and the slot's key.
class TimeslotLock {
public:
    // No start (invalid status) and no venue, group or slot.
    TimeslotLock();
    TimeslotLock(const CHighTime& dt_start, LONG l_venueKey, LONG l_groupKey, LONG l_slotKey);
    TimeslotLock(const TimeslotLock& src) = default;
    TimeslotLock& operator=(const TimeslotLock& src) = default;
    virtual ~TimeslotLock() = default;

    CHighTime dtStart;
    LONG lVenueKey = -1;
    LONG lGroupKey = -1;
    LONG lSlotKey = -1;
};

using TimeslotLockArray = ZelArray<TimeslotLock>;
// One lock array per day of a timetable.
using TimeslotLockArrays = ZelArray<TimeslotLockArray>;

// A stored venue array takes at least its count.
template <>
struct ZelElementMinBytes<TimeslotArray> {
    static constexpr std::size_t value = 2;
};

class Day {
public:
    // One distinct slot time of the day: start and length from midnight.
    class SlotDef {
    public:
        SlotDef() = default;
        SlotDef(const CHighTimeSpan& start, const CHighTimeSpan& length) : Start(start), Length(length) {}
        virtual ~SlotDef() = default;
        SlotDef(const SlotDef&) = default;
        SlotDef& operator=(const SlotDef&) = default;

        CHighTimeSpan GetEnd() const { return Start + Length; }

        CHighTimeSpan Start;
        CHighTimeSpan Length;
    };

    // Slot definitions ordered by start; definitions with the same start
    // stand in order of length.
    class SlotArray : public ZelSortedArray<SlotDef> {
    public:
        SlotArray();

        // The first definition starting at t (found by bisection, then back
        // over equal starts); -1 when none does.
        int FindFirst(const CHighTimeSpan& t) const;
        // The definition with that start and length; -1 when none.
        int FindDef(const CHighTimeSpan& start, const CHighTimeSpan& length) const;
        // The first definition that starts or ends at t; -1 when none.
        int FindTime(const CHighTimeSpan& t) const;
        // The definition that ends last (the last of equals); -1 when empty.
        int GetLatestEnd() const;
        // Adds the definition unless one with the same start and length is
        // there; returns its position.
        int Merge(const SlotDef& def);

        static int CompareStarts(const SlotDef* p_a, const SlotDef* p_b);
    };

    // Which slots an operation considers: TRUE to take the slot. The
    // context is handed through as the caller gave it.
    using SlotFilter = BOOL (*)(const void* p_context, const Timeslot& slot);

    // A day that belongs to no document yet (index -1, no venues).
    Day() = default;
    // Init with no previous slot list.
    Day(EventDoc* p_doc, int i_dayIndex);
    // A day whose venue arrays a file is about to give: its document and
    // index, no arrays yet. The caller skips the slot keys the layout
    // would have taken (LayoutKeys).
    struct ToRead {};
    Day(EventDoc* p_doc, int i_dayIndex, ToRead) : pDoc(p_doc), iDayIndex(i_dayIndex) {}
    Day(const Day& src) = default;
    Day& operator=(const Day& src) = default;
    Day(Day&& src) noexcept = default;
    Day& operator=(Day&& src) noexcept = default;
    virtual ~Day() = default;

    // Builds the venue arrays from the day's layout. p_previous is the
    // day's previous slot list (or null): a layout slot that stands
    // unchanged in it takes the slot key its entry holds, and a fresh slot
    // leaves its new key in the matching entry.
    void Init(EventDoc* p_doc, int i_dayIndex, ZelRelTimeslotArray* p_previous);
    // The slot keys Init(p_doc, i_dayIndex, nullptr) takes, worked out
    // from the layout alone.
    static DWORD LayoutKeys(const EventDoc* p_doc, int i_dayIndex);

    EventDoc* GetDoc() const { return pDoc; }
    int GetDayIndex() const { return iDayIndex; }
    // The day's identifier in the day definition; -1 for a day without an
    // index or with one the definition does not have.
    LONG GetDayId() const;
    // The day's name; empty for a day without an index or with one the
    // definition does not have.
    std::string GetName() const;

    // The number of venue arrays the day holds.
    int GetNumVenues() const { return VenueSlots.GetSize(); }
    TimeslotArray& GetVenueSlots(int i_venue) { return VenueSlots[i_venue]; }
    const TimeslotArray& GetVenueSlots(int i_venue) const { return VenueSlots[i_venue]; }
    // The arrays that are also venues of the document: the smaller of the
    // two counts.
    int GetNumDocVenues() const;

    // The day's locks. Without a slot list, one per locked slot. With one
    // (the day's new slots, each carrying in its item data the key of the
    // slot it replaces, negated when that slot's time changed), one per
    // entry whose replaced slot is locked, at the entry's start and with
    // the old key only when its time did not change. Looking slots up by
    // key may rebuild the arrays' key indexes; no slot changes.
    void GetLocks(TimeslotLockArray& a_out, const ZelRelTimeslotArray* p_slots);
    // Puts locks back, from the last to the first: by slot key when the
    // venue still has the slot, else into every unlocked slot of the venue
    // with the lock's start. Locks of venues or groups the document no
    // longer has, and slots already locked, are left alone.
    void SetLocks(const TimeslotLockArray& a_locks);

    // Drops the venue's array; the later arrays move down. An index out of
    // range does nothing.
    void RemoveVenue(int i_venue);
    // Locked slots holding the group in the venue, or in all venues for a
    // negative venue.
    int CountLocked(LONG l_groupKey, int i_venue) const;
    // Slots with a negative group key in the venue, or in all venues.
    int CountUnfilled(int i_venue) const;

    // Adds the venue's slots that pass the filter (all without one).
    void CollectSlots(ZelArray<const Timeslot*>& a_out, int i_venue, SlotFilter p_filter = nullptr,
                      const void* p_context = nullptr) const;
    // The same over every venue, venue by venue.
    void CollectAllSlots(ZelArray<const Timeslot*>& a_out, SlotFilter p_filter = nullptr,
                         const void* p_context = nullptr) const;

    // Merges the distinct slot times of one venue, or of all venues, that
    // pass the filter into the definitions; the Get forms empty them first.
    void AddVenueSlotDefs(SlotArray& a_defs, int i_venue, SlotFilter p_filter = nullptr,
                          const void* p_context = nullptr) const;
    void AddAllSlotDefs(SlotArray& a_defs, SlotFilter p_filter = nullptr, const void* p_context = nullptr) const;
    void GetVenueSlotDefs(SlotArray& a_defs, int i_venue, SlotFilter p_filter = nullptr,
                          const void* p_context = nullptr) const;
    void GetAllSlotDefs(SlotArray& a_defs, SlotFilter p_filter = nullptr, const void* p_context = nullptr) const;

    // The document the day belongs to, when the document's event moves to
    // another document object.
    void SetDoc(EventDoc* p_doc) { pDoc = p_doc; }
    // After a load that refused venues: keeps the arrays of the file's
    // venues the venue list took (a_kept, one entry per array the file
    // held), stamps every slot with i_dayIndex and its array's new
    // position, empties and unlocks every placement of a group the
    // document does not hold, and unlocks every slot locked without a
    // group. Returns the slots so mended.
    int ResolveLoaded(int i_dayIndex, const ZelArray<BOOL>& a_kept);

    // The day index and the venue arrays. Files of versions 1 to 6 hold
    // the day's old slot records, which are converted into the day's
    // layout; their day and venue positions come from where they stand.
    void Serialize(CArchive& ar);

private:
    void AddLayoutSlot(const ZelRelTimeslot& layoutSlot, int i_venue, LONG l_venueKey,
                       ZelRelTimeslotArray* p_previous);
    void LoadOldSlots(CArchive& ar);
    // Every slot takes the day's index and its array's position.
    void StampPositions();

    EventDoc* pDoc = nullptr;
    int iDayIndex = -1;
    ZelArray<TimeslotArray> VenueSlots;
};
