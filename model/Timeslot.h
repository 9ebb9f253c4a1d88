// The timeslots of a built timetable.
//
// Every event day holds, for every venue, a TimeslotArray: the day's slots
// at that venue sorted by start, each a Timeslot record saying when it
// runs, which group is placed in it, whether that placement is locked and
// which scheduling rules cover it. The build engine, the rostering engine,
// the day grid and the timetable reach a slot through a TimeslotPtr, which
// notices when the array changed under it. OldTimeslot reads the slot
// records of event files of versions 1 to 6, which the day converts.
//
// All slot times are offsets against one base date, 1 January 2000 00:00:
// a slot's absolute start is the base date plus its start offset, so that
// slots of different days compare as times of day.
//
// Slot keys identify a slot while the program runs: a slot built without a
// key takes the next value of a process-wide counter that starts at 1 and
// is never reset. Keys are not saved. Like the library's other counters the
// slot-key counter belongs to the user-interface thread.
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelKeyedObject.h"

#include <string>
#include <vector>

class CArchive;
class TimeslotPtr;
class ZelRelTimeslot;

class Timeslot {
public:
    // A slot without times (all five invalid) and a fresh slot key.
    Timeslot();
    // A slot at an absolute start; the times stay invalid unless both
    // values are valid.
    Timeslot(const CHighTime& dt_start, const CHighTimeSpan& span);
    // A slot of a day's layout on the given day and venue: the relative
    // slot's start offset and length, and its combination key. A slot of
    // no length keeps invalid times. A key of -1 takes the next slot key.
    Timeslot(const ZelRelTimeslot& rel, int i_day, int i_venue, LONG l_slotKey = -1);
    Timeslot(const CHighTimeSpan& start_offset, const CHighTimeSpan& span, int i_day, int i_venue,
        LONG l_slotKey = -1);

    // A copy takes every field, slot key included, but not the rule lists:
    // a copy starts without them, and assignment leaves the target's own.
    Timeslot(const Timeslot& src);
    Timeslot& operator=(const Timeslot& src);
    // Moving is how an array makes room and sorts: everything goes along.
    Timeslot(Timeslot&& src) noexcept = default;
    Timeslot& operator=(Timeslot&& src) noexcept = default;
    virtual ~Timeslot() = default;

    // The base date of every slot time, 1 January 2000 00:00.
    static const CHighTime& GetBaseDate();
    // Uses up the next n_keys slot keys, as making that many slots without
    // a key would: for slots a reader never makes because the file's slots
    // replace them, so that every later key is the one it always was.
    static void SkipSlotKeys(DWORD n_keys);

    const CHighTime& GetStart() const { return Start; }
    const CHighTimeSpan& GetSpan() const { return Span; }
    const CHighTime& GetEnd() const { return End; }
    const CHighTimeSpan& GetStartOffset() const { return StartOffset; }
    const CHighTimeSpan& GetEndOffset() const { return EndOffset; }
    // Moves the slot or changes its length; the other times follow. Done
    // through a TimeslotPtr, the array is re-sorted when the pointer lets go.
    void SetStartOffset(const CHighTimeSpan& start_offset);
    void SetSpan(const CHighTimeSpan& span);

    // The group placed in the slot; negative when the slot is unfilled.
    LONG GetGroup() const { return lGroupKey; }
    void SetGroup(LONG l_groupKey) { lGroupKey = l_groupKey; }
    BOOL IsEmpty() const { return lGroupKey < 0; }
    BOOL IsLocked() const { return bLocked; }
    void SetLocked(BOOL b_locked) { bLocked = b_locked; }
    int GetDay() const { return iDay; }
    void SetDay(int i_day) { iDay = i_day; }
    int GetVenue() const { return iVenue; }
    void SetVenue(int i_venue) { iVenue = i_venue; }
    LONG GetCombinationKey() const { return lCombKey; }
    void SetCombinationKey(LONG l_key) { lCombKey = l_key; }
    DWORD GetSpare() const { return uSpare; }
    void SetSpare(DWORD u_spare) { uSpare = u_spare; }
    LONG GetSlotKey() const { return lSlotKey; }
    void SetSlotKey(LONG l_key) { lSlotKey = l_key; }

    // Indices of the venue rules and day rules that cover the slot, filled
    // before a build.
    ZelArray<UINT>& GetVenueRules() { return VenueRules; }
    const ZelArray<UINT>& GetVenueRules() const { return VenueRules; }
    ZelArray<UINT>& GetDayRules() { return DayRules; }
    const ZelArray<UINT>& GetDayRules() const { return DayRules; }

    // Same start, end and span (status and ticks) on the same day and
    // venue; group, lock, combination and slot key are not compared.
    bool operator==(const Timeslot& other) const;
    bool operator!=(const Timeslot& other) const { return !(*this == other); }

    // The start, or with b_end the end: "13:30" with b_24Hour, else
    // "01:30pm".
    std::string GetTimeText(BOOL b_24Hour, BOOL b_end) const;

    // Start, span (three words each), then the lock, group key, day index,
    // venue index and combination key as 32-bit words. Files before
    // version 32 have no combination key (-1); files before version 7 hold
    // OldTimeslot records and are refused here.
    void Serialize(CArchive& ar);

private:
    void SetTimesFromStart(const CHighTime& dt_start, const CHighTimeSpan& span);
    void DeriveTimes();

    CHighTime Start;
    CHighTimeSpan Span;
    CHighTime End;
    CHighTimeSpan StartOffset;
    CHighTimeSpan EndOffset;
    LONG lGroupKey = -1;
    BOOL bLocked = FALSE;
    int iDay = -1;
    int iVenue = -1;
    LONG lCombKey = -1;
    DWORD uSpare = 0;
    ZelArray<UINT> VenueRules;
    ZelArray<UINT> DayRules;
    LONG lSlotKey = -1;
};

// A stored slot of a file older than version 32 takes 40 bytes.
template <>
struct ZelElementMinBytes<Timeslot> {
    static constexpr std::size_t value = 40;
};

// The slots of one day at one venue, sorted by the compare function (by
// start when none is given). An added slot goes before a slot that compares
// equal, and a re-sort keeps the order of equal slots, so the same event
// always gives the same order. A change counter rises with every change of
// the array's structure; the slot-key index maps a slot key to its
// position and is rebuilt on the first lookup after such a change.
//
// Its archive form is the library array's: the count, then each slot.
class TimeslotArray : public ZelSortedArray<Timeslot> {
    using Base = ZelSortedArray<Timeslot>;

public:
    explicit TimeslotArray(CompareFunc p_compare = nullptr);
    // Copies hold copies of the slots (without their rule lists).
    TimeslotArray(const TimeslotArray& src);
    TimeslotArray& operator=(const TimeslotArray& src);
    TimeslotArray(TimeslotArray&& src) noexcept;
    TimeslotArray& operator=(TimeslotArray&& src) noexcept;

    // Null gives the order by start.
    void SetCompareFunc(CompareFunc p_compare);
    // Start ticks, earlier first.
    static int CompareStarts(const Timeslot* p_a, const Timeslot* p_b);

    LONG GetChangeCounter() const { return lChangeCounter; }

    // Copies the slot in at its place: before the equal slot the bisection
    // meets, else at the insertion point. Returns its position.
    int Add(const Timeslot& slot);
    void RemoveAll();
    void RemoveAt(int i_index, int n_count = 1);
    // The bisection: the position of a slot comparing equal, else -1 with
    // i_insertAt set to where the slot would go.
    int FindSorted(const Timeslot& slot, int& i_insertAt) const;
    // Sorts again, keeping the order of equal slots.
    void ReSort();

    // Enters every slot's key and position (the last position first, so
    // the first of two equal keys wins).
    void RebuildKeyIndex();
    BOOL IsKeyIndexCurrent() const { return bKeyIndexCurrent; }
    // The position of the slot with the key, rebuilding the index first
    // when a change made it stale; FALSE when no slot has the key.
    BOOL FindSlotKey(LONG l_slotKey, int& i_index);

    // With b_start: a slot starting at t. Without: the slot that ends where
    // t begins, that is the slot just before the first slot starting at t
    // (or before where such a slot would go) when it ends at t. -1 if none.
    int FindFirst(const CHighTimeSpan& t, BOOL b_start) const;
    // The same with absolute times.
    int FindFirstAt(const CHighTime& t, BOOL b_start) const;
    // Appends the positions of the slots overlapping the slot (half-open
    // intervals): forward from the slot's place while they overlap, then
    // backward from the place before it. Returns how many.
    int FindOverlapping(const Timeslot& slot, ZelArray<int>& a_out) const;
    // The same for the times given, on the first slot's day and venue; 0
    // for an empty array.
    int FindOverlappingTimes(const CHighTimeSpan& start_offset, const CHighTimeSpan& end_offset,
        ZelArray<int>& a_out) const;
    // The slot ending last (the later of equals); -1 when empty.
    int GetLatestEnd() const;
    // The shortest slot shorter than 99 days (the earlier of equals); -1
    // when there is none.
    int GetShortestSlot() const;

    int GetNumUnfilled() const;
    // Appends the unfilled slots' positions; the new size of a_out.
    int GetUnfilled(ZelArray<int>& a_out) const;
    // Removes the unfilled slots before the first filled one and after the
    // last (all of them when none is filled); returns how many.
    int TrimUnfilled();
    int RemoveUnfilled();
    // Where unfilled slots overlap others, keeps one slot of each
    // overlapping set: the first filled one, else the longest (the earlier
    // of equals). Returns how many were removed.
    int RemoveOverlappingUnfilled();

    // A checked pointer to the slot at the position.
    TimeslotPtr GetSlotPtr(int i_index);

    void Serialize(CArchive& ar);

private:
    // Changes that would put a slot out of its place.
    using Base::Append;
    using Base::Copy;
    using Base::InsertAt;
    using Base::SetAt;
    using Base::SetAtGrow;
    using Base::SetSize;

    void Changed();
    // Removes the positions marked, highest first; returns how many.
    int RemoveMarked(const std::vector<bool>& v_marked);

    ZelKeyIndex<int> SlotKeyIndex;
    BOOL bKeyIndexCurrent = FALSE;
    LONG lChangeCounter = 0;
};

// A reference to one slot of a TimeslotArray that checks, on every use,
// that the array has not changed since the pointer was made valid. A
// pointer that changes its slot's start moves the slot: when it lets go
// (assignment or end of life) the array is re-sorted and its change counter
// rises, and the pointer follows its slot by key. Every other pointer into
// that array is then stale, and using it is an assertion failure.
class TimeslotPtr {
public:
    // The null pointer.
    TimeslotPtr() = default;
    TimeslotPtr(TimeslotArray* p_array, int i_index);
    TimeslotPtr(const TimeslotPtr& src) = default;
    // Lets go of the present slot first; the right-hand pointer must be
    // null or current.
    TimeslotPtr& operator=(const TimeslotPtr& rhs);
    // Lets go of the slot. A pointer gone stale is dropped as it is: it has
    // no place to settle, and an end of life must not throw.
    ~TimeslotPtr();

    Timeslot* operator->() const { return &GetTimeslot(); }
    Timeslot& operator*() const { return GetTimeslot(); }
    Timeslot& GetTimeslot() const;
    // To the next or previous position; the slot must be unchanged since
    // the pointer was made valid.
    TimeslotPtr& operator++();
    TimeslotPtr& operator--();

    BOOL IsNull() const { return pArray == nullptr; }
    // The slot's start or key differ from the snapshot.
    BOOL IsModified() const;
    BOOL IsCurrent() const { return pArray && pArray->GetChangeCounter() == lArrayChangeCounter; }
    TimeslotArray* GetArray() const { return pArray; }
    int GetIndex() const { return iIndex; }

private:
    bool InArray() const { return pArray && iIndex >= 0 && iIndex < pArray->GetSize(); }
    void CheckCurrent() const;
    void TakeSnapshot();
    // Re-sorts and re-indexes as the slot's changes ask, then follows the
    // slot. b_mayThrow: report a failure through the assertion contract
    // (which throws); else report it and go on.
    void Settle(bool b_mayThrow);

    TimeslotArray* pArray = nullptr;
    int iIndex = -1;
    LONG lArrayChangeCounter = 0;
    CHighTime dtStart = InvalidTime();
    LONG kSlotKey = -1;

    static CHighTime InvalidTime();
};

// A slot record of an event file of version 1 to 6, read only to be
// converted: its start, a 32-bit value (the length in minutes), and per
// venue a group key and a lock flag, with an optional array of one value
// per venue.
class OldTimeslot {
public:
    OldTimeslot() = default;
    virtual ~OldTimeslot() = default;

    const CHighTime& GetStart() const { return Start; }
    DWORD GetValue() const { return uValue; }
    int GetCount() const { return nCount; }
    const KeyList& GetKeys() const { return Keys; }
    const Flags& GetFlags() const { return LockFlags; }
    BOOL HasValues() const { return bHasValues; }
    const ZelArray<DWORD>& GetValues() const { return Values; }

    // Loads only (storing writes nothing). Files of versions 1 to 3 begin
    // the record with the old object schema (1 to 3); the start is the
    // framework's date-time form; the lock flags are in the file from
    // version 4. A count the remaining data cannot hold is refused before
    // anything is sized to it.
    void Serialize(CArchive& ar);

private:
    CHighTime Start;
    DWORD uValue = 0;
    int nCount = 0;
    KeyList Keys;
    Flags LockFlags;
    BOOL bHasValues = FALSE;
    ZelArray<DWORD> Values;
};
