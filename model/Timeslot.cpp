#include "model/Timeslot.h"

#include "framework/Archive.h"
#include "framework/PlatformTime.h"
#include "model/DayDefSlots.h"
#include "model/General.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/values/ZelTimeslot.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

// The key the next slot built without one takes.
LONG g_lNextSlotKey = 1;

LONG TakeSlotKey(LONG l_slotKey)
{
    if (l_slotKey >= 0)
        return l_slotKey;
    const LONG l_key = g_lNextSlotKey;
    g_lNextSlotKey = static_cast<LONG>(static_cast<DWORD>(g_lNextSlotKey) + 1);
    return l_key;
}

// Search probes are never stored, so they do not use up slot keys.
constexpr LONG kProbeKey = 0;

CHighTime InvalidHighTime()
{
    CHighTime dt;
    dt.SetStatus(CHighTime::invalid);
    return dt;
}

CHighTimeSpan InvalidSpan()
{
    CHighTimeSpan span;
    span.SetStatus(CHighTime::invalid);
    return span;
}

bool IsValid(const CHighTime& dt) { return dt.GetStatus() == CHighTime::valid; }
bool IsValid(const CHighTimeSpan& span) { return span.GetStatus() == CHighTime::valid; }

// Slots are half-open: [start offset, end offset).
bool Overlaps(const Timeslot& slot, const Timeslot& s)
{
    return (slot.GetStartOffset() <= s.GetStartOffset() && slot.GetEndOffset() > s.GetStartOffset())
        || (slot.GetStartOffset() >= s.GetStartOffset() && slot.GetStartOffset() < s.GetEndOffset());
}

} // namespace

// ---- Timeslot ----

void Timeslot::SkipSlotKeys(DWORD n_keys)
{
    g_lNextSlotKey = static_cast<LONG>(static_cast<DWORD>(g_lNextSlotKey) + n_keys);
}

Timeslot::Timeslot()
    : Start(InvalidHighTime()), Span(InvalidSpan()), End(InvalidHighTime()), StartOffset(InvalidSpan()),
      EndOffset(InvalidSpan()), lSlotKey(TakeSlotKey(-1))
{
}

Timeslot::Timeslot(const CHighTime& dt_start, const CHighTimeSpan& span) : Timeslot()
{
    if (IsValid(dt_start) && IsValid(span))
        SetTimesFromStart(dt_start, span);
}

Timeslot::Timeslot(const ZelRelTimeslot& rel, int i_day, int i_venue, LONG l_slotKey)
    : Start(InvalidHighTime()), Span(InvalidSpan()), End(InvalidHighTime()), StartOffset(InvalidSpan()),
      EndOffset(InvalidSpan()), iDay(i_day), iVenue(i_venue), lCombKey(rel.GetCombinationKey()),
      lSlotKey(TakeSlotKey(l_slotKey))
{
    if (IsValid(rel.GetStart()) && IsValid(rel.GetLength()) && rel.GetLength().IsPositive())
        SetTimesFromStart(GetBaseDate() + rel.GetStart(), rel.GetLength());
}

Timeslot::Timeslot(const CHighTimeSpan& start_offset, const CHighTimeSpan& span, int i_day, int i_venue,
    LONG l_slotKey)
    : Start(InvalidHighTime()), Span(InvalidSpan()), End(InvalidHighTime()), StartOffset(InvalidSpan()),
      EndOffset(InvalidSpan()), iDay(i_day), iVenue(i_venue), lSlotKey(TakeSlotKey(l_slotKey))
{
    if (IsValid(start_offset) && IsValid(span))
        SetTimesFromStart(GetBaseDate() + start_offset, span);
}

Timeslot::Timeslot(const Timeslot& src)
    : Start(src.Start), Span(src.Span), End(src.End), StartOffset(src.StartOffset), EndOffset(src.EndOffset),
      lGroupKey(src.lGroupKey), bLocked(src.bLocked), iDay(src.iDay), iVenue(src.iVenue), lCombKey(src.lCombKey),
      uSpare(src.uSpare), lSlotKey(src.lSlotKey)
{
}

Timeslot& Timeslot::operator=(const Timeslot& src)
{
    Start = src.Start;
    Span = src.Span;
    End = src.End;
    StartOffset = src.StartOffset;
    EndOffset = src.EndOffset;
    lGroupKey = src.lGroupKey;
    bLocked = src.bLocked;
    iDay = src.iDay;
    iVenue = src.iVenue;
    lCombKey = src.lCombKey;
    uSpare = src.uSpare;
    lSlotKey = src.lSlotKey;
    return *this;
}

// The timetable's slots stand on the same base as the day layouts they are
// made from, so a layout slot's offset is the timetable slot's offset.
const CHighTime& Timeslot::GetBaseDate()
{
    return GetSlotBaseDate();
}

void Timeslot::SetTimesFromStart(const CHighTime& dt_start, const CHighTimeSpan& span)
{
    Start = dt_start;
    Span = span;
    DeriveTimes();
}

void Timeslot::DeriveTimes()
{
    End = Start + Span;
    StartOffset = Start - GetBaseDate();
    EndOffset = StartOffset + Span;
}

void Timeslot::SetStartOffset(const CHighTimeSpan& start_offset)
{
    Start = GetBaseDate() + start_offset;
    DeriveTimes();
}

void Timeslot::SetSpan(const CHighTimeSpan& span)
{
    Span = span;
    DeriveTimes();
}

bool Timeslot::operator==(const Timeslot& other) const
{
    return Start == other.Start && End == other.End && Span == other.Span && iDay == other.iDay
        && iVenue == other.iVenue;
}

std::string Timeslot::GetTimeText(BOOL b_24Hour, BOOL b_end) const
{
    const CHighTime& dt = b_end ? End : Start;
    if (b_24Hour)
        return dt.Format("%H:%M");
    std::string s_text = dt.Format("%I:%M%p");
    for (char& c : s_text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s_text;
}

void Timeslot::Serialize(CArchive& ar)
{
    const UINT u_version = GetArchiveVersion(ar);
    if (ar.IsStoring()) {
        ar << Start << Span << static_cast<DWORD>(bLocked) << static_cast<DWORD>(lGroupKey)
           << static_cast<DWORD>(iDay) << static_cast<DWORD>(iVenue) << static_cast<DWORD>(lCombKey);
        return;
    }
    if (u_version < 7)
        CArchive::ThrowBadSchema("a timeslot of a file older than version 7");
    CHighTime dt_start;
    CHighTimeSpan span;
    LONG l_locked = 0, l_group = 0, l_day = 0, l_venue = 0, l_comb = -1;
    ar >> dt_start >> span >> l_locked >> l_group >> l_day >> l_venue;
    if (u_version >= 32)
        ar >> l_comb;
    Start = dt_start;
    Span = span;
    bLocked = l_locked;
    lGroupKey = l_group;
    iDay = l_day;
    iVenue = l_venue;
    lCombKey = l_comb;
    DeriveTimes();
}

// ---- TimeslotArray ----

TimeslotArray::TimeslotArray(CompareFunc p_compare) : Base(p_compare ? p_compare : &CompareStarts) {}

TimeslotArray::TimeslotArray(const TimeslotArray& src) : Base(src.GetCompareFunc())
{
    Base::Copy(src);
}

TimeslotArray& TimeslotArray::operator=(const TimeslotArray& src)
{
    if (this != &src) {
        Base::SetCompareFunc(src.GetCompareFunc());
        Base::Copy(src);
        Changed();
    }
    return *this;
}

TimeslotArray::TimeslotArray(TimeslotArray&& src) noexcept
    : Base(std::move(src)), SlotKeyIndex(std::move(src.SlotKeyIndex)), bKeyIndexCurrent(src.bKeyIndexCurrent),
      lChangeCounter(src.lChangeCounter)
{
    src.bKeyIndexCurrent = FALSE;
}

TimeslotArray& TimeslotArray::operator=(TimeslotArray&& src) noexcept
{
    if (this != &src) {
        Base::operator=(std::move(src));
        SlotKeyIndex = std::move(src.SlotKeyIndex);
        bKeyIndexCurrent = src.bKeyIndexCurrent;
        src.bKeyIndexCurrent = FALSE;
        // The slots here are new to pointers made on this array.
        Changed();
    }
    return *this;
}

void TimeslotArray::SetCompareFunc(CompareFunc p_compare)
{
    Base::SetCompareFunc(p_compare ? p_compare : &CompareStarts);
}

int TimeslotArray::CompareStarts(const Timeslot* p_a, const Timeslot* p_b)
{
    const auto ll_a = static_cast<std::int64_t>(p_a->GetStart());
    const auto ll_b = static_cast<std::int64_t>(p_b->GetStart());
    return ll_a < ll_b ? -1 : (ll_a > ll_b ? 1 : 0);
}

void TimeslotArray::Changed()
{
    bKeyIndexCurrent = FALSE;
    lChangeCounter = static_cast<LONG>(static_cast<DWORD>(lChangeCounter) + 1);
}

int TimeslotArray::Add(const Timeslot& slot)
{
    int i_insertAt = 0;
    const int i_found = Find(slot, &i_insertAt);
    const int i_at = i_found >= 0 ? i_found : i_insertAt;
    Base::InsertAt(i_at, slot);
    Changed();
    return i_at;
}

void TimeslotArray::RemoveAll()
{
    Base::RemoveAll();
    SlotKeyIndex.RemoveAll();
    Changed();
}

void TimeslotArray::RemoveAt(int i_index, int n_count)
{
    Base::RemoveAt(i_index, n_count);
    Changed();
}

int TimeslotArray::FindSorted(const Timeslot& slot, int& i_insertAt) const
{
    return Find(slot, &i_insertAt);
}

void TimeslotArray::ReSort()
{
    std::stable_sort(Elements.begin(), Elements.end(),
        [this](const Timeslot& a, const Timeslot& b) { return CompareElements(a, b) < 0; });
    Changed();
}

void TimeslotArray::RebuildKeyIndex()
{
    SlotKeyIndex.InitIndex(static_cast<UINT>(GetSize()));
    for (int i = GetSize() - 1; i >= 0; --i)
        SlotKeyIndex.SetAt(GetAt(i).GetSlotKey(), i);
    bKeyIndexCurrent = TRUE;
}

BOOL TimeslotArray::FindSlotKey(LONG l_slotKey, int& i_index)
{
    if (!bKeyIndexCurrent)
        RebuildKeyIndex();
    return SlotKeyIndex.Lookup(l_slotKey, i_index);
}

int TimeslotArray::FindFirst(const CHighTimeSpan& t, BOOL b_start) const
{
    const Timeslot probe(t, CHighTimeSpan(0), -1, -1, kProbeKey);
    int i_insertAt = 0;
    const int i_found = Base::FindFirst(probe, &i_insertAt);
    if (b_start)
        return i_found >= 0 && GetAt(i_found).GetStartOffset() == t ? i_found : -1;
    const int i_before = (i_found >= 0 ? i_found : i_insertAt) - 1;
    return i_before >= 0 && GetAt(i_before).GetEndOffset() == t ? i_before : -1;
}

int TimeslotArray::FindFirstAt(const CHighTime& t, BOOL b_start) const
{
    Timeslot probe(t - Timeslot::GetBaseDate(), CHighTimeSpan(0), -1, -1, kProbeKey);
    int i_insertAt = 0;
    const int i_found = Base::FindFirst(probe, &i_insertAt);
    if (b_start)
        return i_found >= 0 && GetAt(i_found).GetStart() == t ? i_found : -1;
    const int i_before = (i_found >= 0 ? i_found : i_insertAt) - 1;
    return i_before >= 0 && GetAt(i_before).GetEnd() == t ? i_before : -1;
}

int TimeslotArray::FindOverlapping(const Timeslot& slot, ZelArray<int>& a_out) const
{
    int i_insertAt = 0;
    int i_place = FindSorted(slot, i_insertAt);
    if (i_place < 0)
        i_place = i_insertAt;
    int n_found = 0;
    for (int i = i_place; i < GetSize() && Overlaps(GetAt(i), slot); ++i, ++n_found)
        a_out.Add(i);
    for (int i = i_place - 1; i >= 0 && Overlaps(GetAt(i), slot); --i, ++n_found)
        a_out.Add(i);
    return n_found;
}

int TimeslotArray::FindOverlappingTimes(const CHighTimeSpan& start_offset, const CHighTimeSpan& end_offset,
    ZelArray<int>& a_out) const
{
    if (IsEmpty())
        return 0;
    const Timeslot probe(start_offset, end_offset - start_offset, GetAt(0).GetDay(), GetAt(0).GetVenue(), kProbeKey);
    return FindOverlapping(probe, a_out);
}

int TimeslotArray::GetLatestEnd() const
{
    int i_latest = -1;
    for (int i = 0; i < GetSize(); ++i) {
        if (i_latest < 0 || GetAt(i).GetEnd() >= GetAt(i_latest).GetEnd())
            i_latest = i;
    }
    return i_latest;
}

int TimeslotArray::GetShortestSlot() const
{
    CHighTimeSpan shortest(99, 0);
    int i_shortest = -1;
    for (int i = 0; i < GetSize(); ++i) {
        if (GetAt(i).GetSpan() < shortest) {
            shortest = GetAt(i).GetSpan();
            i_shortest = i;
        }
    }
    return i_shortest;
}

int TimeslotArray::GetNumUnfilled() const
{
    int n_unfilled = 0;
    for (int i = 0; i < GetSize(); ++i) {
        if (GetAt(i).IsEmpty())
            ++n_unfilled;
    }
    return n_unfilled;
}

int TimeslotArray::GetUnfilled(ZelArray<int>& a_out) const
{
    for (int i = 0; i < GetSize(); ++i) {
        if (GetAt(i).IsEmpty())
            a_out.Add(i);
    }
    return a_out.GetSize();
}

int TimeslotArray::RemoveMarked(const std::vector<bool>& v_marked)
{
    int n_removed = 0;
    for (int i = GetSize() - 1; i >= 0; --i) {
        if (v_marked[static_cast<std::size_t>(i)]) {
            Base::RemoveAt(i);
            ++n_removed;
        }
    }
    if (n_removed > 0)
        Changed();
    return n_removed;
}

int TimeslotArray::TrimUnfilled()
{
    std::vector<bool> v_marked(static_cast<std::size_t>(GetSize()), false);
    int i_first = 0;
    while (i_first < GetSize() && GetAt(i_first).IsEmpty())
        v_marked[static_cast<std::size_t>(i_first++)] = true;
    for (int i = GetSize() - 1; i > i_first && GetAt(i).IsEmpty(); --i)
        v_marked[static_cast<std::size_t>(i)] = true;
    return RemoveMarked(v_marked);
}

int TimeslotArray::RemoveUnfilled()
{
    std::vector<bool> v_marked(static_cast<std::size_t>(GetSize()), false);
    for (int i = 0; i < GetSize(); ++i)
        v_marked[static_cast<std::size_t>(i)] = GetAt(i).IsEmpty() != FALSE;
    return RemoveMarked(v_marked);
}

int TimeslotArray::RemoveOverlappingUnfilled()
{
    std::vector<bool> v_marked(static_cast<std::size_t>(GetSize()), false);
    for (int i = 0; i < GetSize(); ++i) {
        if (!GetAt(i).IsEmpty())
            continue;
        ZelArray<int> a_found;
        if (FindOverlapping(GetAt(i), a_found) == 0)
            continue;
        // The overlapping set in position order, each position once.
        std::vector<int> a_list(a_found.GetData(), a_found.GetData() + a_found.GetSize());
        std::sort(a_list.begin(), a_list.end());
        a_list.erase(std::unique(a_list.begin(), a_list.end()), a_list.end());
        if (__ZelAssertOn && a_list.empty())
            __ZelAssert("a_list.GetSize() > 0", __FILE_NAME__, __LINE__, nullptr);

        int i_keep = -1;
        for (int j : a_list) {
            if (!GetAt(j).IsEmpty()) {
                i_keep = j;
                break;
            }
        }
        if (i_keep < 0) {
            for (int j : a_list) {
                if (i_keep < 0 || GetAt(j).GetSpan() > GetAt(i_keep).GetSpan())
                    i_keep = j;
            }
        }
        ZEL_ASSERT(i_keep >= 0);
        for (int j : a_list) {
            if (j != i_keep)
                v_marked[static_cast<std::size_t>(j)] = true;
        }
    }
    return RemoveMarked(v_marked);
}

TimeslotPtr TimeslotArray::GetSlotPtr(int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < GetSize());
    return TimeslotPtr(this, i_index);
}

void TimeslotArray::Serialize(CArchive& ar)
{
    Base::Serialize(ar);
    if (ar.IsLoading())
        Changed();
}

// ---- TimeslotPtr ----

CHighTime TimeslotPtr::InvalidTime() { return InvalidHighTime(); }

TimeslotPtr::TimeslotPtr(TimeslotArray* p_array, int i_index) : pArray(p_array), iIndex(i_index)
{
    if (pArray)
        lArrayChangeCounter = pArray->GetChangeCounter();
    TakeSnapshot();
}

TimeslotPtr& TimeslotPtr::operator=(const TimeslotPtr& rhs)
{
    if (this == &rhs)
        return *this;
    Settle(true);
    ZEL_ASSERT(rhs.IsNull() || rhs.pArray->GetChangeCounter() == rhs.lArrayChangeCounter);
    pArray = rhs.pArray;
    iIndex = rhs.iIndex;
    lArrayChangeCounter = rhs.lArrayChangeCounter;
    TakeSnapshot();
    return *this;
}

TimeslotPtr::~TimeslotPtr()
{
    if (IsCurrent())
        Settle(false);
}

void TimeslotPtr::CheckCurrent() const
{
    ZEL_ASSERT(pArray != nullptr);
    ZEL_ASSERT(pArray->GetChangeCounter() == lArrayChangeCounter);
}

Timeslot& TimeslotPtr::GetTimeslot() const
{
    CheckCurrent();
    return pArray->ElementAt(iIndex);
}

BOOL TimeslotPtr::IsModified() const
{
    if (!InArray())
        return FALSE;
    const Timeslot& slot = pArray->GetAt(iIndex);
    return slot.GetStart().GetStatus() != dtStart.GetStatus()
        || static_cast<std::int64_t>(slot.GetStart()) != static_cast<std::int64_t>(dtStart)
        || slot.GetSlotKey() != kSlotKey;
}

TimeslotPtr& TimeslotPtr::operator++()
{
    CheckCurrent();
    ZEL_ASSERT(!IsModified());
    ++iIndex;
    TakeSnapshot();
    return *this;
}

TimeslotPtr& TimeslotPtr::operator--()
{
    CheckCurrent();
    ZEL_ASSERT(!IsModified());
    --iIndex;
    TakeSnapshot();
    return *this;
}

void TimeslotPtr::TakeSnapshot()
{
    if (InArray()) {
        const Timeslot& slot = pArray->GetAt(iIndex);
        dtStart = slot.GetStart();
        kSlotKey = slot.GetSlotKey();
    }
}

void TimeslotPtr::Settle(bool b_mayThrow)
{
    if (!InArray())
        return;
    if (b_mayThrow)
        CheckCurrent();
    const Timeslot& slot = pArray->GetAt(iIndex);
    const LONG k_slot_key = slot.GetSlotKey();
    const bool b_moved = slot.GetStart().GetStatus() != dtStart.GetStatus()
        || static_cast<std::int64_t>(slot.GetStart()) != static_cast<std::int64_t>(dtStart);
    if (b_moved) {
        pArray->ReSort();
        pArray->RebuildKeyIndex();
    } else if (k_slot_key != kSlotKey) {
        pArray->RebuildKeyIndex();
    }
    int i_found = -1;
    if (!pArray->FindSlotKey(k_slot_key, i_found)) {
        // Reported whether or not checks are on; the pointer keeps its
        // position.
        const char* p_expr = "pArray->SlotKeyIndex.Find(k_slot_key,iIndex)";
        if (b_mayThrow)
            __ZelAssert(p_expr, __FILE_NAME__, __LINE__, nullptr);
        ZelSendError(p_expr, __FILE_NAME__, __LINE__, nullptr);
        return;
    }
    iIndex = i_found;
    lArrayChangeCounter = pArray->GetChangeCounter();
    TakeSnapshot();
}

// ---- OldTimeslot ----

void OldTimeslot::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        return;
    const UINT u_version = GetArchiveVersionChecked(ar);
    if (u_version < 1 || u_version > 6)
        CArchive::ThrowBadSchema("an old timeslot in a file of version " + std::to_string(u_version));
    COleDateTime dt_old;
    ar >> dt_old;
    Start = CHighTime(dt_old);
    DWORD u_value = 0, n_count = 0;
    ar >> u_value >> n_count;
    // One key per venue follows at the least, so a count the data cannot
    // hold is damage, found before anything is sized to it.
    ar.CheckAvailable(n_count, 4);
    if (n_count > static_cast<DWORD>(INT_MAX))
        CArchive::ThrowBadSchema("an old timeslot with too many venues");
    const int n_venues = static_cast<int>(n_count);
    KeyList keys;
    keys.SetMaxKeys(n_venues);
    keys.Serialize(ar);
    Flags lock_flags(n_venues);
    if (u_version >= 4)
        lock_flags.Serialize(ar);
    DWORD u_hasValues = 0;
    ar >> u_hasValues;
    ZelArray<DWORD> a_values;
    if (u_hasValues != 0) {
        ar.CheckAvailable(n_count, 4);
        a_values.SetSize(n_venues);
        for (int i = 0; i < n_venues; ++i)
            ar >> a_values[i];
    }
    uValue = u_value;
    nCount = n_venues;
    Keys = keys;
    LockFlags = lock_flags;
    bHasValues = u_hasValues != 0 ? TRUE : FALSE;
    Values = std::move(a_values);
}
