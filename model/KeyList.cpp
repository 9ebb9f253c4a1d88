#include "model/KeyList.h"

#include "framework/Archive.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>

namespace {

constexpr LONG kFree = -1;

// Reads a stored size and checks that its words are really there, so that a
// damaged file cannot make a container allocate what it claims.
DWORD ReadStoredSize(CArchive& ar)
{
    DWORD n = 0;
    ar >> n;
    ar.CheckAvailable(n, 4);
    return n;
}

// Fixed-size containers refuse a file that holds more values than they have.
template <class T>
void LoadInto(CArchive& ar, std::vector<T>& v_values, DWORD n)
{
    if (n > v_values.size())
        CArchive::ThrowBadSchema("a stored list is longer than the list it is read into");
    for (DWORD i = 0; i < n; ++i) {
        DWORD u = 0;
        ar >> u;
        v_values[i] = static_cast<T>(u);
    }
}

template <class T>
void StoreAll(CArchive& ar, const std::vector<T>& v_values)
{
    ar << static_cast<DWORD>(v_values.size());
    for (const T& value : v_values)
        ar << static_cast<DWORD>(value);
}

} // namespace

// ---- KeyList ----

KeyList::KeyList(int n_max_keys)
{
    const int n = std::max(n_max_keys, 1);
    if (n > kInlineSlots) {
        SetMaxKeys(n);
        return;
    }
    // Every group record is made with two small lists.
    nMax = n;
    std::fill(aInline, aInline + n, kFree);
}

KeyList::KeyList(const KeyList& src)
{
    *this = src;
}

KeyList& KeyList::operator=(const KeyList& src)
{
    if (this == &src)
        return *this;
    if (src.nMax > kInlineSlots) {
        auto p_slots = std::make_unique<LONG[]>(static_cast<std::size_t>(src.nMax));
        std::copy(src.pMore.get(), src.pMore.get() + src.nMax, p_slots.get());
        pMore = std::move(p_slots);
    } else {
        pMore.reset();
        std::copy(src.aInline, src.aInline + src.nMax, aInline);
    }
    nMax = src.nMax;
    return *this;
}

KeyList::KeyList(KeyList&& src) noexcept : nMax(src.nMax), pMore(std::move(src.pMore))
{
    if (!pMore)
        std::copy(src.aInline, src.aInline + nMax, aInline);
    src.nMax = 0;
}

KeyList& KeyList::operator=(KeyList&& src) noexcept
{
    if (this == &src)
        return *this;
    pMore = std::move(src.pMore);
    nMax = src.nMax;
    if (!pMore)
        std::copy(src.aInline, src.aInline + nMax, aInline);
    src.nMax = 0;
    return *this;
}

void KeyList::RemoveAll()
{
    std::fill(Slots(), Slots() + nMax, kFree);
}

void KeyList::SetMaxKeys(int n_max_keys)
{
    const int n_new = std::max(n_max_keys, 0);
    const int n_kept = std::min(n_new, nMax);
    if (n_new > kInlineSlots) {
        auto p_slots = std::make_unique<LONG[]>(static_cast<std::size_t>(n_new));
        std::copy(Slots(), Slots() + n_kept, p_slots.get());
        std::fill(p_slots.get() + n_kept, p_slots.get() + n_new, kFree);
        pMore = std::move(p_slots);
    } else {
        if (pMore) {
            std::copy(pMore.get(), pMore.get() + n_kept, aInline);
            pMore.reset();
        }
        std::fill(aInline + n_kept, aInline + n_new, kFree);
    }
    nMax = n_new;
}

int KeyList::Find(LONG l_key) const
{
    const LONG* p_slots = Slots();
    const LONG* p_found = std::find(p_slots, p_slots + nMax, l_key);
    return p_found == p_slots + nMax ? -1 : static_cast<int>(p_found - p_slots);
}

int KeyList::Add(LONG l_key)
{
    int i_free = -1;
    for (int i = 0; i < GetMaxKeys(); ++i) {
        const LONG l = Slots()[i];
        if (l == l_key)
            return i;
        if (l == kFree && i_free < 0)
            i_free = i;
    }
    if (i_free < 0) {
        i_free = GetMaxKeys();
        Grow();
    }
    Slots()[i_free] = l_key;
    return i_free;
}

void KeyList::Grow()
{
    const int n_max = GetMaxKeys();
    int i_new_max = (3 * n_max) / 2;
    if (i_new_max == n_max)
        i_new_max = 2 * n_max + 1;
    ZEL_ASSERT(i_new_max > n_max);
    SetMaxKeys(i_new_max);
}

void KeyList::AddList(const KeyList& other)
{
    if (this == &other)
        return; // every key is already here
    for (int i = other.GetMaxKeys() - 1; i >= 0; --i) {
        const LONG l_key = other.Slots()[i];
        if (l_key != kFree)
            Add(l_key);
    }
}

int KeyList::GetCount() const
{
    return static_cast<int>(std::count_if(Slots(), Slots() + nMax, [](LONG l) { return l != kFree; }));
}

bool KeyList::operator==(const KeyList& other) const
{
    return this == &other || std::equal(Slots(), Slots() + nMax, other.Slots(), other.Slots() + other.nMax);
}

void KeyList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(nMax);
        for (int i = 0; i < nMax; ++i)
            ar << static_cast<DWORD>(Slots()[i]);
        return;
    }
    const DWORD n = ReadStoredSize(ar);
    if (n > static_cast<DWORD>(nMax))
        SetMaxKeys(static_cast<int>(n));
    RemoveAll();
    LONG* p_slots = Slots();
    for (DWORD i = 0; i < n; ++i) {
        DWORD u = 0;
        ar >> u;
        p_slots[i] = static_cast<LONG>(u);
    }
}

// ---- IdxList ----

IdxList::IdxList(int n_count) : Indices(static_cast<std::size_t>(std::max(n_count, 0)), kFree) {}

LONG IdxList::GetAt(int i) const
{
    ZEL_ASSERT(0 <= i && i < GetSize());
    return Indices[static_cast<std::size_t>(i)];
}

LONG& IdxList::operator[](int i)
{
    ZEL_ASSERT(0 <= i && i < GetSize());
    return Indices[static_cast<std::size_t>(i)];
}

void IdxList::SetSize(int n_count)
{
    Indices.assign(static_cast<std::size_t>(std::max(n_count, 0)), kFree);
}

void IdxList::Reset()
{
    std::fill(Indices.begin(), Indices.end(), kFree);
}

int IdxList::GetCount() const
{
    return static_cast<int>(std::count_if(Indices.begin(), Indices.end(), [](LONG l) { return l != kFree; }));
}

void IdxList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreAll(ar, Indices);
        return;
    }
    const DWORD n = ReadStoredSize(ar);
    if (n > Indices.size())
        CArchive::ThrowBadSchema("a stored index list is longer than the list it is read into");
    Reset();
    LoadInto(ar, Indices, n);
}

// ---- Flags ----

Flags::Flags(int n_max_flags) : Values(static_cast<std::size_t>(std::max(n_max_flags, 0)), 0) {}

DWORD Flags::GetAt(int i) const
{
    ZEL_ASSERT(0 <= i && i < GetSize());
    return Values[static_cast<std::size_t>(i)];
}

DWORD& Flags::operator[](int i)
{
    ZEL_ASSERT(0 <= i && i < GetSize());
    return Values[static_cast<std::size_t>(i)];
}

void Flags::SetMaxFlags(int n_max_flags)
{
    Values.assign(static_cast<std::size_t>(std::max(n_max_flags, 0)), 0);
}

void Flags::Clear()
{
    std::fill(Values.begin(), Values.end(), 0);
}

Flags& Flags::operator|=(const Flags& rhs)
{
    if (__ZelAssertOn && rhs.GetSize() != GetSize())
        __ZelAssert("rhs.nMaxFlags == nMaxFlags", __FILE_NAME__, __LINE__, nullptr);
    const std::size_t n = std::min(Values.size(), rhs.Values.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (rhs.Values[i] != 0)
            Values[i] = 1;
    }
    return *this;
}

Flags Flags::operator|(const Flags& rhs) const
{
    Flags result(*this);
    result |= rhs;
    return result;
}

int Flags::GetNumSet() const
{
    return static_cast<int>(std::count_if(Values.begin(), Values.end(), [](DWORD u) { return u != 0; }));
}

int Flags::GetNumClear() const
{
    return GetSize() - GetNumSet();
}

void Flags::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreAll(ar, Values);
        return;
    }
    LoadInto(ar, Values, ReadStoredSize(ar));
}

// ---- Counters ----

Counters::Counters(int n_max_counters) : Values(static_cast<std::size_t>(std::max(n_max_counters, 0)), 0) {}

Counters& Counters::operator=(const Counters& rhs)
{
    if (this == &rhs)
        return *this;
    if (__ZelAssertOn && rhs.GetSize() != GetSize())
        __ZelAssert("rhs.nMaxCounters == nMaxCounters", __FILE_NAME__, __LINE__, nullptr);
    if (rhs.GetSize() == GetSize())
        Values = rhs.Values;
    return *this;
}

LONG Counters::GetAt(int i) const
{
    ZEL_ASSERT(0 <= i && i < GetSize());
    return Values[static_cast<std::size_t>(i)];
}

LONG& Counters::operator[](int i)
{
    ZEL_ASSERT(0 <= i && i < GetSize());
    return Values[static_cast<std::size_t>(i)];
}

void Counters::Clear()
{
    std::fill(Values.begin(), Values.end(), 0);
}

LONG Counters::GetSum() const
{
    // The counters are 32-bit values and so is their sum: it wraps as the
    // original's did rather than growing wider.
    DWORD u_sum = 0;
    for (LONG l : Values)
        u_sum += static_cast<DWORD>(l);
    return static_cast<LONG>(u_sum);
}

void Counters::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreAll(ar, Values);
        return;
    }
    LoadInto(ar, Values, ReadStoredSize(ar));
}
