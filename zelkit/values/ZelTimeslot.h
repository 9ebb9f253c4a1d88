// Timeslot values.
//
// ZelTimeslot is an absolute slot (a date-time start and a length) as the
// timeslot grid control handles it; ZelTimeslotList keeps one day-and-set's
// slots sorted by start and refuses overlaps, invalid slots and days longer
// than its maximum. ZelRelTimeslot is a slot relative to a day's midnight,
// as the event file stores a day's timeslot layout, and ZelRelTimeslotArray
// a sorted array of those.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <cstdint>
#include <string>

class CArchive;

class ZelTimeslot {
public:
    ZelTimeslot();
    ZelTimeslot(const ZelOleDateTime& o_start, const ZelOleDateTimeSpan& o_length, WORD u_setIndex,
                DWORD u_itemData);
    ZelTimeslot(const ZelOleDateTime& o_start, std::int64_t ll_lengthSeconds, WORD u_setIndex, DWORD u_itemData);
    ZelTimeslot(const ZelTimeslot& other) = default;
    ZelTimeslot& operator=(const ZelTimeslot& other) = default;
    virtual ~ZelTimeslot() = default;

    const ZelOleDateTime& GetStart() const { return Start; }
    void SetStart(const ZelOleDateTime& o_start) { Start = o_start; }
    const ZelOleDateTimeSpan& GetLengthSpan() const { return Length; }
    // The length in whole seconds.
    std::int64_t GetLength() const { return Length.GetTotalSeconds(); }
    void SetLength(const ZelOleDateTimeSpan& o_length) { Length = o_length; }
    void SetLength(std::int64_t ll_seconds);
    // Start + length; null when the slot is not valid.
    ZelOleDateTime GetEnd() const;

    WORD GetSetIndex() const { return uSetIndex; }
    void SetSetIndex(WORD u_setIndex) { uSetIndex = u_setIndex; }
    DWORD GetItemData() const { return uItemData; }
    void SetItemData(DWORD u_itemData) { uItemData = u_itemData; }
    LONG GetCombinationKey() const { return lCombKey; }
    void SetCombinationKey(LONG l_key) { lCombKey = l_key; }

    BOOL IsSelected() const { return bSelected; }
    // Non-zero only when the state changed.
    BOOL Select(bool b_select);
    BOOL HasFocus() const { return bFocus; }
    void SetFocus(BOOL b_focus) { bFocus = b_focus ? TRUE : FALSE; }
    // The grid control caches its text measurement here: whether the slot
    // was measured, and whether its text fitted. The slot is big enough
    // only when both are set.
    BOOL IsMeasured() const { return bMeasured; }
    BOOL IsBigEnough() const { return bMeasured && bTextFits ? TRUE : FALSE; }
    void SetBigEnough(BOOL b_measured, BOOL b_fits);

    // Start and length valid and the length positive.
    BOOL IsValid() const;
    // Start or length null.
    BOOL IsNull() const;
    void Move(const ZelOleDateTimeSpan& o_by) { Start += o_by; }
    void Resize(const ZelOleDateTimeSpan& o_by) { Length += o_by; }
    // The same start and length.
    BOOL Equal(const ZelTimeslot& other) const;
    // start <= time, and time <= end when inclusive, else time < end.
    BOOL Within(const ZelOleDateTime& o_time, BOOL b_inclusive) const;
    // Same set, and the previous slot ends exactly where this one starts.
    BOOL Follows(const ZelTimeslot& previous) const;
    // Same set, and [start, end) of the two intersect.
    BOOL Overlaps(const ZelTimeslot& other) const;

    // "09:00 - 10:30 (1h30m)"; empty for a slot that is not valid.
    std::string FormatHHMM(char c_sep) const;
    // The same with the am/pm form of the times.
    std::string FormatAMPM(BOOL b_lower, char c_space, char c_sep) const;
    std::string FormatLength(ZelOleDateTimeSpan::FormatUnits e_units) const;

    // One line of text for clipboard copies: the start (relative to base
    // when base is valid), the length, the set index, the item data and the
    // combination key. SetFromText reads it back; non-zero on success.
    std::string GetAsText(const ZelOleDateTime& o_base) const;
    BOOL SetFromText(const std::string& s_text);

private:
    ZelOleDateTime Start;
    ZelOleDateTimeSpan Length;
    WORD uSetIndex = 0;
    DWORD uItemData = 0;
    LONG lCombKey = -1;
    BOOL bSelected = FALSE;
    BOOL bMeasured = FALSE;
    BOOL bTextFits = FALSE;
    BOOL bFocus = FALSE;
};

class ZelTimeslotList {
public:
    enum AddResult { Added = 0, Overlap = 1, Invalid = 2, TooLong = 3 };

    ZelTimeslotList();
    ZelTimeslotList(const ZelTimeslotList& other) = default;
    ZelTimeslotList& operator=(const ZelTimeslotList& other) = default;
    // Takes the slots of an array, in order of start.
    ZelTimeslotList& operator=(const ZelArray<ZelTimeslot>& a_slots);
    virtual ~ZelTimeslotList() = default;

    int GetCount() const { return Timeslots.GetSize(); }
    ZelTimeslot& operator[](int i_index);
    const ZelTimeslot& operator[](int i_index) const;

    const ZelOleDateTimeSpan& GetMaximum() const { return Maximum; }
    void SetMaximum(const ZelOleDateTimeSpan& o_max) { Maximum = o_max; }

    // The start of the first slot; null when the list is empty.
    ZelOleDateTime GetFirstTime() const;
    // The latest end of a valid slot; null when there is none.
    ZelOleDateTime GetLastTime() const;

    // What adding the slot would give, without changing the list; on
    // success *p_insertAt receives the index it would take.
    AddResult TestAdd(const ZelTimeslot& slot, int* p_insertAt = nullptr) const;
    // TestAdd, then on success a copy of the slot takes its place.
    AddResult Add(const ZelTimeslot& slot);
    static std::string GetFailMessage(AddResult e_result);

    // From the last slot down: the first with the same start and length
    // (exact) or the first that overlaps; -1 when none or the slot is not
    // valid.
    int Find(const ZelTimeslot& slot, BOOL b_exact) const;
    // From the last slot down: the first that holds the time.
    int Find(const ZelOleDateTime& o_time, BOOL b_inclusive) const;
    void Delete(int i_index);
    // Deletes the slot with the same start and length; non-zero when found.
    BOOL Delete(const ZelTimeslot& slot);
    void RemoveAll() { Timeslots.RemoveAll(); }

    // The sum of the lengths, in whole seconds.
    std::int64_t GetTotalTime() const;
    // The time between neighbours that do not follow each other, and how
    // many such gaps there are.
    ZelOleDateTimeSpan GetTotalGaps(int& n_gaps) const;
    // Moves the slot's start to the first gap that holds it, else after the
    // last slot. Non-zero when the day still has room for it there.
    BOOL FindGap(ZelTimeslot& slot) const;
    int CountSelected() const;
    // The maximum day length less the time from first to last, both
    // widened to take in the slot. A first or last that is not valid is
    // taken from the list.
    ZelOleDateTimeSpan GetTimeLeft(const ZelTimeslot& slot, ZelOleDateTime o_first, ZelOleDateTime o_last) const;

    const ZelArray<ZelTimeslot>& GetTimeslots() const { return Timeslots; }

private:
    ZelArray<ZelTimeslot> Timeslots;
    ZelOleDateTimeSpan Maximum;
};

class ZelRelTimeslot {
public:
    static constexpr std::int32_t iSchema = 3;

    ZelRelTimeslot();
    ZelRelTimeslot(const ZelOleDateTimeSpan& o_start, const ZelOleDateTimeSpan& o_length, LONG l_setKey);
    ZelRelTimeslot(const ZelRelTimeslot& other) = default;
    ZelRelTimeslot& operator=(const ZelRelTimeslot& other) = default;
    virtual ~ZelRelTimeslot() = default;

    const ZelOleDateTimeSpan& GetStart() const { return Start; }
    void SetStart(const ZelOleDateTimeSpan& o_start);
    // The date-time's offset from its own midnight.
    void SetStart(const ZelOleDateTime& o_start);
    const ZelOleDateTimeSpan& GetLength() const { return Length; }
    void SetLength(const ZelOleDateTimeSpan& o_length);
    void SetLength(std::int64_t ll_seconds);
    const ZelOleDateTimeSpan& GetEnd() const { return End; }
    // Recomputes the end from start and length.
    void UpdateValues();

    LONG GetSetKey() const { return lSetKey; }
    void SetSetKey(LONG l_key) { lSetKey = l_key; }
    LONG GetCombinationKey() const { return lCombKey; }
    void SetCombinationKey(LONG l_key) { lCombKey = l_key; }
    LONG GetItemData() const { return lItemData; }
    void SetItemData(LONG l_itemData) { lItemData = l_itemData; }
    BOOL IsSelected() const { return bSelected; }
    void SetSelected(BOOL b_selected) { bSelected = b_selected ? TRUE : FALSE; }
    // The schema the slot was loaded with (the current one for a new slot).
    std::int32_t GetLoadedSchema() const { return iLoadedSchema; }

    // Start and length valid and the length positive.
    BOOL IsValid() const;
    // A valid slot with start <= t < end.
    BOOL Within(const ZelOleDateTimeSpan& o_time) const;
    // [start, end) of two valid slots intersect; set keys are not compared.
    BOOL Overlaps(const ZelRelTimeslot& other) const;

    // By set key, then start, then length. Equality also compares the
    // statuses and ignores item data and combination key.
    bool operator<(const ZelRelTimeslot& other) const;
    bool operator<=(const ZelRelTimeslot& other) const { return !(other < *this); }
    bool operator>(const ZelRelTimeslot& other) const { return other < *this; }
    bool operator>=(const ZelRelTimeslot& other) const { return !(*this < other); }
    bool operator==(const ZelRelTimeslot& other) const;
    bool operator!=(const ZelRelTimeslot& other) const { return !(*this == other); }

    // Stores schema 3; loads schemas 1 to 3 and refuses any other.
    virtual void Serialize(CArchive& ar);

    // Sort compare by start: a valid slot sorts after one that is not.
    static int CmpStart(const ZelRelTimeslot* p_a, const ZelRelTimeslot* p_b);
    // The element order as a three-way compare (set key, start, length).
    static int CmpOrder(const ZelRelTimeslot* p_a, const ZelRelTimeslot* p_b);
    // The end less 24 hours; zero for a slot that is not valid.
    static ZelOleDateTimeSpan GetEarliest(const ZelRelTimeslot& slot);
    // The start plus 24 hours; zero for a slot that is not valid.
    static ZelOleDateTimeSpan GetLatest(const ZelRelTimeslot& slot);
    // The offset of a date-time from its own midnight; zero when it is not
    // valid.
    static ZelOleDateTimeSpan GetRelative(const ZelOleDateTime& o_time);

private:
    ZelOleDateTimeSpan Start;
    ZelOleDateTimeSpan Length;
    ZelOleDateTimeSpan End;
    LONG lSetKey = -1;
    BOOL bSelected = FALSE;
    LONG lItemData = 0;
    LONG lCombKey = -1;
    std::int32_t iLoadedSchema = iSchema;
};

// The fewest bytes a stored relative slot takes (schema 1): a loader checks
// a stored count against it before it sizes an array.
template <>
struct ZelElementMinBytes<ZelRelTimeslot> {
    static constexpr std::size_t value = 4 + 12 + 12 + 2 + 4;
};

class ZelRelTimeslotArray : public ZelSortedArray<ZelRelTimeslot> {
public:
    explicit ZelRelTimeslotArray(CompareFunc p_compare = nullptr) : ZelSortedArray<ZelRelTimeslot>(p_compare) {}
    ZelRelTimeslotArray(const ZelRelTimeslotArray& other) = default;
    ZelRelTimeslotArray& operator=(const ZelRelTimeslotArray& other) = default;

    // The first slot of the slot's set (or of any set, for a slot with a
    // negative set key) with the same start and length; -1 when none.
    int Match(const ZelRelTimeslot& slot) const;
    // The slot that starts first / ends last (the first of equals); -1 for
    // an empty array.
    int FindEarliest() const;
    int FindLatest() const;

    // The count and each slot; a loaded array out of order is sorted.
    void Serialize(CArchive& ar);

    // Non-zero when some slot orders before its predecessor.
    BOOL IsOutOfOrder() const;
    // Sorts by the compare function (else the slots' own order), keeping
    // the stored order of equal slots.
    void Sort();
};
