#include "zelkit/values/ZelTimeslot.h"

#include "framework/Archive.h"
#include "framework/Resources.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::int64_t llTicksPerSecond = CHighTimeSpan::llTicksPerSecond;

bool IsValidSpan(const CHighTimeSpan& o_span)
{
    return o_span.GetStatus() == CHighTime::valid;
}

bool IsValidTime(const CHighTime& o_time)
{
    return o_time.GetStatus() == CHighTime::valid;
}

ZelOleDateTimeSpan SpanOfSeconds(std::int64_t ll_seconds)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(ll_seconds * llTicksPerSecond));
}

ZelOleDateTimeSpan Hours24()
{
    return ZelOleDateTimeSpan(CHighTimeSpan(24 * CHighTimeSpan::llTicksPerHour));
}

ZelOleDateTime NullTime()
{
    return ZelOleDateTime(); // a default date-time is null
}

// A decimal field of the text form: all of it must be a number.
bool ParseNumber(const std::string& s_field, std::int64_t& ll_value)
{
    if (s_field.empty())
        return false;
    errno = 0;
    char* p_end = nullptr;
    const long long ll = std::strtoll(s_field.c_str(), &p_end, 10);
    if (errno != 0 || p_end == s_field.c_str() || *p_end != '\0')
        return false;
    ll_value = ll;
    return true;
}

bool ParseDuration(const std::string& s_field, ZelOleDateTimeSpan& o_span)
{
    ZelOleDateTimeSpan o_parsed;
    if (!o_parsed.SetFromText(s_field.c_str()))
        return false;
    o_span = o_parsed;
    return true;
}

} // namespace

// ------------------------------------------------------------ ZelTimeslot

ZelTimeslot::ZelTimeslot()
{
    Start.SetStatus(CHighTime::null);
    Length.SetStatus(CHighTime::null);
}

ZelTimeslot::ZelTimeslot(const ZelOleDateTime& o_start, const ZelOleDateTimeSpan& o_length, WORD u_setIndex,
                         DWORD u_itemData)
    : Start(o_start), Length(o_length), uSetIndex(u_setIndex), uItemData(u_itemData)
{
}

ZelTimeslot::ZelTimeslot(const ZelOleDateTime& o_start, std::int64_t ll_lengthSeconds, WORD u_setIndex,
                         DWORD u_itemData)
    : Start(o_start), Length(SpanOfSeconds(ll_lengthSeconds)), uSetIndex(u_setIndex), uItemData(u_itemData)
{
}

void ZelTimeslot::SetLength(std::int64_t ll_seconds)
{
    Length = SpanOfSeconds(ll_seconds);
}

ZelOleDateTime ZelTimeslot::GetEnd() const
{
    if (!IsValid())
        return NullTime();
    return ZelOleDateTime(Start + Length);
}

BOOL ZelTimeslot::Select(bool b_select)
{
    const BOOL b_new = b_select ? TRUE : FALSE;
    if (bSelected == b_new)
        return FALSE;
    bSelected = b_new;
    return TRUE;
}

void ZelTimeslot::SetBigEnough(BOOL b_measured, BOOL b_fits)
{
    bMeasured = b_measured ? TRUE : FALSE;
    bTextFits = b_fits ? TRUE : FALSE;
}

BOOL ZelTimeslot::IsValid() const
{
    return IsValidTime(Start) && IsValidSpan(Length) && Length.IsPositive() ? TRUE : FALSE;
}

BOOL ZelTimeslot::IsNull() const
{
    return Start.GetStatus() == CHighTime::null || Length.GetStatus() == CHighTime::null ? TRUE : FALSE;
}

BOOL ZelTimeslot::Equal(const ZelTimeslot& other) const
{
    return Start == other.Start && Length == other.Length ? TRUE : FALSE;
}

BOOL ZelTimeslot::Within(const ZelOleDateTime& o_time, BOOL b_inclusive) const
{
    if (!IsValid() || !IsValidTime(o_time))
        return FALSE;
    const ZelOleDateTime o_end = GetEnd();
    if (o_time < Start)
        return FALSE;
    return (b_inclusive ? o_time <= o_end : o_time < o_end) ? TRUE : FALSE;
}

BOOL ZelTimeslot::Follows(const ZelTimeslot& previous) const
{
    if (!IsValid() || !previous.IsValid() || uSetIndex != previous.uSetIndex)
        return FALSE;
    return previous.GetEnd() == Start ? TRUE : FALSE;
}

BOOL ZelTimeslot::Overlaps(const ZelTimeslot& other) const
{
    if (!IsValid() || !other.IsValid() || uSetIndex != other.uSetIndex)
        return FALSE;
    return Start < other.GetEnd() && other.Start < GetEnd() ? TRUE : FALSE;
}

std::string ZelTimeslot::FormatLength(ZelOleDateTimeSpan::FormatUnits e_units) const
{
    return Length.GetAsText(e_units);
}

std::string ZelTimeslot::FormatHHMM(char c_sep) const
{
    if (!IsValid())
        return {};
    std::string s_text = Start.FormatHHMM(c_sep) + " - " + GetEnd().FormatHHMM(c_sep);
    const std::string s_length = FormatLength(ZelOleDateTimeSpan::fuAll);
    if (!s_length.empty())
        s_text += " (" + s_length + ")";
    return s_text;
}

std::string ZelTimeslot::FormatAMPM(BOOL b_lower, char c_space, char c_sep) const
{
    if (!IsValid())
        return {};
    std::string s_text =
        Start.FormatAMPM(b_lower, c_space, c_sep) + " - " + GetEnd().FormatAMPM(b_lower, c_space, c_sep);
    const std::string s_length = FormatLength(ZelOleDateTimeSpan::fuAll);
    if (!s_length.empty())
        s_text += " (" + s_length + ")";
    return s_text;
}

std::string ZelTimeslot::GetAsText(const ZelOleDateTime& o_base) const
{
    const bool b_base = IsValidTime(o_base) != 0;
    const ZelOleDateTime& o_ref = b_base ? o_base : Start;
    std::string s_text = o_ref.Format("%d%m%Y") + "," + o_ref.Format("%H:%M");
    if (b_base)
        s_text += "%" + ZelOleDateTimeSpan::GetAsText((Start - o_base).GetTotalSeconds(),
                                                       ZelOleDateTimeSpan::fuAll);
    char sz_tail[96];
    std::snprintf(sz_tail, sizeof sz_tail, ",%u,%" PRId32 ",%" PRId32, static_cast<unsigned>(uSetIndex),
                  static_cast<std::int32_t>(uItemData), static_cast<std::int32_t>(lCombKey));
    s_text += "," + Length.GetAsText(ZelOleDateTimeSpan::fuAll) + sz_tail;
    return s_text;
}

BOOL ZelTimeslot::SetFromText(const std::string& s_text)
{
    // 1. The reference date.
    const std::size_t u_comma = s_text.find(',');
    if (u_comma == std::string::npos)
        return FALSE;
    ZelOleDateTime o_start;
    o_start.SetDDMMYYYY(s_text.substr(0, u_comma).c_str());
    if (!IsValidTime(o_start))
        return FALSE;

    // 2. The reference time, then an offset when a "%" follows it.
    const std::string s_rest = s_text.substr(u_comma + 1);
    const std::size_t u_next = s_rest.find(',');
    const std::size_t u_percent = s_rest.find('%');
    const bool b_offset = u_percent != std::string::npos && (u_next == std::string::npos || u_percent < u_next);
    const std::size_t u_timeEnd = b_offset ? u_percent : u_next;
    if (u_timeEnd == std::string::npos)
        return FALSE;
    ZelOleDateTime o_time;
    o_time.SetHHMM(s_rest.substr(0, u_timeEnd).c_str(), ':');
    if (!IsValidTime(o_time))
        return FALSE;
    o_start.SetTimeOnly(o_time);
    if (!IsValidTime(o_start))
        return FALSE;

    // 3. The fields after it.
    ZelStringArray a_fields;
    a_fields.SplitEx(s_rest.substr(u_timeEnd + 1), ',', '"', '\\', 1, 1);
    int i_field = 0;

    // 4. The offset from the reference.
    if (b_offset) {
        ZelOleDateTimeSpan o_offset;
        if (a_fields.GetSize() < 1 || !ParseDuration(a_fields[0], o_offset))
            return FALSE;
        o_start = ZelOleDateTime(o_start + o_offset);
        ++i_field;
    }
    Start = o_start;

    // 5. Length, set index, item data, combination key.
    if (a_fields.GetSize() - i_field < 4)
        return FALSE;
    ZelOleDateTimeSpan o_length;
    if (!ParseDuration(a_fields[i_field], o_length))
        return FALSE;
    Length = o_length;
    std::int64_t ll_set = 0, ll_item = 0, ll_comb = 0;
    if (!ParseNumber(a_fields[i_field + 1], ll_set) || ll_set < 0 || ll_set > 0xFFFF)
        return FALSE;
    uSetIndex = static_cast<WORD>(ll_set);
    // Item data is written signed ("-1" for "none") but is 32 bits either way.
    if (!ParseNumber(a_fields[i_field + 2], ll_item) || ll_item < INT32_MIN || ll_item > UINT32_MAX)
        return FALSE;
    uItemData = static_cast<DWORD>(ll_item);
    if (!ParseNumber(a_fields[i_field + 3], ll_comb) || ll_comb < INT32_MIN || ll_comb > INT32_MAX)
        return FALSE;
    lCombKey = static_cast<LONG>(ll_comb);
    return TRUE;
}

// -------------------------------------------------------- ZelTimeslotList

ZelTimeslotList::ZelTimeslotList() : Maximum(Hours24()) {}

ZelTimeslotList& ZelTimeslotList::operator=(const ZelArray<ZelTimeslot>& a_slots)
{
    // The list's searches rely on the order of start, whatever order the
    // array came in.
    std::vector<ZelTimeslot> v_slots;
    for (int i = 0; i < a_slots.GetSize(); ++i)
        v_slots.push_back(a_slots[i]);
    std::stable_sort(v_slots.begin(), v_slots.end(),
                     [](const ZelTimeslot& a, const ZelTimeslot& b) { return a.GetStart() < b.GetStart(); });
    Timeslots.RemoveAll();
    for (const ZelTimeslot& slot : v_slots)
        Timeslots.Add(slot);
    return *this;
}

ZelTimeslot& ZelTimeslotList::operator[](int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < Timeslots.GetSize());
    return Timeslots[i_index];
}

const ZelTimeslot& ZelTimeslotList::operator[](int i_index) const
{
    ZEL_ASSERT(0 <= i_index && i_index < Timeslots.GetSize());
    return Timeslots[i_index];
}

ZelOleDateTime ZelTimeslotList::GetFirstTime() const
{
    return Timeslots.IsEmpty() ? NullTime() : Timeslots[0].GetStart();
}

ZelOleDateTime ZelTimeslotList::GetLastTime() const
{
    ZelOleDateTime o_last = NullTime();
    for (int i = 0; i < Timeslots.GetSize(); ++i) {
        const ZelTimeslot& slot = Timeslots[i];
        if (!slot.IsValid())
            continue;
        const ZelOleDateTime o_end = slot.GetEnd();
        if (!IsValidTime(o_last) || o_end > o_last)
            o_last = o_end;
    }
    return o_last;
}

ZelOleDateTimeSpan ZelTimeslotList::GetTimeLeft(const ZelTimeslot& slot, ZelOleDateTime o_first,
                                                ZelOleDateTime o_last) const
{
    if (!IsValidTime(o_first))
        o_first = GetFirstTime();
    if (!IsValidTime(o_last))
        o_last = GetLastTime();
    if (slot.IsValid()) {
        if (!IsValidTime(o_first) || slot.GetStart() < o_first)
            o_first = slot.GetStart();
        const ZelOleDateTime o_end = slot.GetEnd();
        if (!IsValidTime(o_last) || o_end > o_last)
            o_last = o_end;
    }
    if (IsValidTime(o_first) && IsValidTime(o_last))
        return ZelOleDateTimeSpan(Maximum - (o_last - o_first));
    return Maximum;
}

ZelTimeslotList::AddResult ZelTimeslotList::TestAdd(const ZelTimeslot& slot, int* p_insertAt) const
{
    if (!slot.IsValid())
        return Invalid;
    int i_insert = -1;
    for (int i = 0; i < Timeslots.GetSize(); ++i) {
        if (Timeslots[i].Overlaps(slot))
            return Overlap;
        if (i_insert < 0 && Timeslots[i].GetStart() > slot.GetStart())
            i_insert = i;
    }
    if (i_insert < 0)
        i_insert = Timeslots.GetSize();
    if (GetTimeLeft(slot, NullTime(), NullTime()).IsNegative())
        return TooLong;
    if (p_insertAt)
        *p_insertAt = i_insert;
    return Added;
}

ZelTimeslotList::AddResult ZelTimeslotList::Add(const ZelTimeslot& slot)
{
    int i_insert = 0;
    const AddResult e_result = TestAdd(slot, &i_insert);
    if (e_result == Added)
        Timeslots.InsertAt(i_insert, slot);
    return e_result;
}

std::string ZelTimeslotList::GetFailMessage(AddResult e_result)
{
    static const std::uint32_t a_ids[] = {56003, 56004, 56005, 56006};
    if (e_result < Added || e_result > TooLong)
        return {};
    ZelLocalResource local;
    std::string s_text;
    LoadResourceString(a_ids[e_result], s_text);
    return s_text;
}

int ZelTimeslotList::Find(const ZelTimeslot& slot, BOOL b_exact) const
{
    if (!slot.IsValid())
        return -1;
    for (int i = Timeslots.GetSize() - 1; i >= 0; --i) {
        if (b_exact ? Timeslots[i].Equal(slot) : Timeslots[i].Overlaps(slot))
            return i;
    }
    return -1;
}

int ZelTimeslotList::Find(const ZelOleDateTime& o_time, BOOL b_inclusive) const
{
    if (!IsValidTime(o_time))
        return -1;
    for (int i = Timeslots.GetSize() - 1; i >= 0; --i)
        if (Timeslots[i].Within(o_time, b_inclusive))
            return i;
    return -1;
}

void ZelTimeslotList::Delete(int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < Timeslots.GetSize());
    Timeslots.RemoveAt(i_index);
}

BOOL ZelTimeslotList::Delete(const ZelTimeslot& slot)
{
    const int i_index = Find(slot, TRUE);
    if (i_index < 0)
        return FALSE;
    Timeslots.RemoveAt(i_index);
    return TRUE;
}

std::int64_t ZelTimeslotList::GetTotalTime() const
{
    std::int64_t ll_seconds = 0;
    for (int i = 0; i < Timeslots.GetSize(); ++i)
        ll_seconds += Timeslots[i].GetLength();
    return ll_seconds;
}

ZelOleDateTimeSpan ZelTimeslotList::GetTotalGaps(int& n_gaps) const
{
    n_gaps = 0;
    ZelOleDateTimeSpan o_total = SpanOfSeconds(0);
    for (int i = 1; i < Timeslots.GetSize(); ++i) {
        const ZelTimeslot& first = Timeslots[i - 1];
        const ZelTimeslot& second = Timeslots[i];
        if (second.Follows(first))
            continue;
        ++n_gaps;
        o_total += ZelOleDateTimeSpan(second.GetStart() - first.GetEnd());
    }
    return o_total;
}

BOOL ZelTimeslotList::FindGap(ZelTimeslot& slot) const
{
    const ZelOleDateTimeSpan& o_length = slot.GetLengthSpan();
    if (!IsValidSpan(o_length) || o_length.GetTotalSeconds() < 1 || Timeslots.IsEmpty())
        return FALSE;
    int i_after = Timeslots.GetSize() - 1;
    for (int i = 1; i < Timeslots.GetSize(); ++i) {
        const ZelTimeslot& first = Timeslots[i - 1];
        const ZelTimeslot& second = Timeslots[i];
        if (!second.Follows(first) && second.GetStart() - first.GetEnd() >= o_length) {
            i_after = i - 1;
            break;
        }
    }
    slot.SetStart(Timeslots[i_after].GetEnd());
    return GetTimeLeft(slot, NullTime(), NullTime()).IsNegative() ? FALSE : TRUE;
}

int ZelTimeslotList::CountSelected() const
{
    int n_selected = 0;
    for (int i = 0; i < Timeslots.GetSize(); ++i)
        if (Timeslots[i].IsSelected())
            ++n_selected;
    return n_selected;
}

// --------------------------------------------------------- ZelRelTimeslot

ZelRelTimeslot::ZelRelTimeslot() : Start(SpanOfSeconds(0)), Length(SpanOfSeconds(0)), End(SpanOfSeconds(0)) {}

ZelRelTimeslot::ZelRelTimeslot(const ZelOleDateTimeSpan& o_start, const ZelOleDateTimeSpan& o_length,
                               LONG l_setKey)
    : Start(o_start), Length(o_length), lSetKey(l_setKey)
{
    UpdateValues();
}

void ZelRelTimeslot::UpdateValues()
{
    End = ZelOleDateTimeSpan(Start + Length);
}

void ZelRelTimeslot::SetStart(const ZelOleDateTimeSpan& o_start)
{
    Start = o_start;
    UpdateValues();
}

void ZelRelTimeslot::SetStart(const ZelOleDateTime& o_start)
{
    SetStart(GetRelative(o_start));
}

void ZelRelTimeslot::SetLength(const ZelOleDateTimeSpan& o_length)
{
    Length = o_length;
    UpdateValues();
}

void ZelRelTimeslot::SetLength(std::int64_t ll_seconds)
{
    SetLength(SpanOfSeconds(ll_seconds));
}

BOOL ZelRelTimeslot::IsValid() const
{
    return IsValidSpan(Start) && IsValidSpan(Length) && Length.IsPositive() ? TRUE : FALSE;
}

BOOL ZelRelTimeslot::Within(const ZelOleDateTimeSpan& o_time) const
{
    if (!IsValid() || !IsValidSpan(o_time))
        return FALSE;
    return Start <= o_time && o_time < End ? TRUE : FALSE;
}

BOOL ZelRelTimeslot::Overlaps(const ZelRelTimeslot& other) const
{
    if (!IsValid() || !other.IsValid())
        return FALSE;
    return Start < other.End && other.Start < End ? TRUE : FALSE;
}

bool ZelRelTimeslot::operator<(const ZelRelTimeslot& other) const
{
    if (lSetKey != other.lSetKey)
        return lSetKey < other.lSetKey;
    // Starts that differ only in their status (a damaged file can hold an
    // invalid or null one) are the same start here, and the length decides:
    // otherwise the order would not be a strict weak order and sorting a
    // loaded array would be undefined.
    if (Start < other.Start || other.Start < Start)
        return Start < other.Start;
    return Length < other.Length;
}

bool ZelRelTimeslot::operator==(const ZelRelTimeslot& other) const
{
    return lSetKey == other.lSetKey && Start == other.Start && Length == other.Length;
}

int ZelRelTimeslot::CmpOrder(const ZelRelTimeslot* p_a, const ZelRelTimeslot* p_b)
{
    if (*p_a < *p_b)
        return -1;
    return *p_a == *p_b ? 0 : 1;
}

int ZelRelTimeslot::CmpStart(const ZelRelTimeslot* p_a, const ZelRelTimeslot* p_b)
{
    const bool b_a = p_a->IsValid() != 0;
    const bool b_b = p_b->IsValid() != 0;
    if (b_a && b_b) {
        if (p_a->Start < p_b->Start)
            return -1;
        return p_a->Start > p_b->Start ? 1 : 0;
    }
    if (b_a != b_b)
        return b_a ? 1 : -1;
    return 0;
}

ZelOleDateTimeSpan ZelRelTimeslot::GetEarliest(const ZelRelTimeslot& slot)
{
    if (!slot.IsValid())
        return SpanOfSeconds(0);
    return ZelOleDateTimeSpan(slot.End - Hours24());
}

ZelOleDateTimeSpan ZelRelTimeslot::GetLatest(const ZelRelTimeslot& slot)
{
    if (!slot.IsValid())
        return SpanOfSeconds(0);
    return ZelOleDateTimeSpan(slot.Start + Hours24());
}

ZelOleDateTimeSpan ZelRelTimeslot::GetRelative(const ZelOleDateTime& o_time)
{
    if (!IsValidTime(o_time))
        return SpanOfSeconds(0);
    return ZelOleDateTimeSpan(o_time - o_time.GetDate());
}

void ZelRelTimeslot::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint32_t>(iSchema) << Start << Length << static_cast<std::int32_t>(lSetKey)
           << static_cast<std::int32_t>(lItemData) << static_cast<std::int32_t>(lCombKey);
        return;
    }
    std::uint32_t u_schema = 0;
    ar >> u_schema;
    if (u_schema < 1 || u_schema > static_cast<std::uint32_t>(iSchema))
        CArchive::ThrowBadSchema("unknown timeslot schema " + std::to_string(u_schema));
    ZelOleDateTimeSpan o_start, o_length;
    ar >> o_start >> o_length;
    std::int32_t l_setKey = 0;
    if (u_schema < 3) {
        std::uint16_t u_setKey = 0;
        ar >> u_setKey;
        l_setKey = u_setKey;
    } else {
        ar >> l_setKey;
    }
    std::int32_t l_itemData = 0;
    ar >> l_itemData;
    std::int32_t l_combKey = -1;
    if (u_schema >= 2)
        ar >> l_combKey;
    // Nothing changes until the whole slot was read.
    Start = o_start;
    Length = o_length;
    lSetKey = l_setKey;
    lItemData = l_itemData;
    lCombKey = l_combKey;
    bSelected = FALSE;
    iLoadedSchema = static_cast<std::int32_t>(u_schema);
    UpdateValues();
}

// ---------------------------------------------------- ZelRelTimeslotArray

int ZelRelTimeslotArray::Match(const ZelRelTimeslot& slot) const
{
    for (int i = 0; i < GetSize(); ++i) {
        const ZelRelTimeslot& o = (*this)[i];
        if ((o.GetSetKey() < 0 || o.GetSetKey() == slot.GetSetKey()) && o.GetStart() == slot.GetStart() &&
            o.GetLength() == slot.GetLength())
            return i;
    }
    return -1;
}

int ZelRelTimeslotArray::FindEarliest() const
{
    int i_found = -1;
    CHighTimeSpan o_best(99, 0);
    for (int i = 0; i < GetSize(); ++i) {
        if ((*this)[i].GetStart() < o_best) {
            o_best = (*this)[i].GetStart();
            i_found = i;
        }
    }
    return i_found;
}

int ZelRelTimeslotArray::FindLatest() const
{
    int i_found = -1;
    CHighTimeSpan o_best(-99, 0);
    for (int i = 0; i < GetSize(); ++i) {
        if ((*this)[i].GetEnd() > o_best) {
            o_best = (*this)[i].GetEnd();
            i_found = i;
        }
    }
    return i_found;
}

BOOL ZelRelTimeslotArray::IsOutOfOrder() const
{
    const CompareFunc p_cmp = pCompare ? pCompare : &ZelRelTimeslot::CmpOrder;
    for (int i = 1; i < GetSize(); ++i)
        if (p_cmp(&Elements[static_cast<std::size_t>(i)], &Elements[static_cast<std::size_t>(i - 1)]) < 0)
            return TRUE;
    return FALSE;
}

void ZelRelTimeslotArray::Sort()
{
    const CompareFunc p_cmp = pCompare ? pCompare : &ZelRelTimeslot::CmpOrder;
    std::stable_sort(Elements.begin(), Elements.end(),
                     [p_cmp](const ZelRelTimeslot& a, const ZelRelTimeslot& b) { return p_cmp(&a, &b) < 0; });
}

void ZelRelTimeslotArray::Serialize(CArchive& ar)
{
    ZelSortedArray<ZelRelTimeslot>::Serialize(ar);
    if (ar.IsLoading() && GetSize() >= 2 && IsOutOfOrder())
        Sort();
}
