// Small containers of 32-bit values with archive forms of their own.
//
// KeyList is an unordered set of object keys (styles, facilities) with free
// slots (-1) that are used again before it grows. IdxList, Flags and
// Counters have a fixed size: an owner constructs them at full size before
// loading, and a file that holds more values than that is refused. None of
// them is written with class information: owners call Serialize directly.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelAssert.h"

#include <memory>
#include <vector>

class CArchive;

class KeyList {
public:
    // A capacity below 1 becomes 1; every slot is free.
    explicit KeyList(int n_max_keys);
    // One free slot; also what a keyed index of lists gives a new key.
    KeyList() : KeyList(1) {}
    KeyList(const KeyList& src);
    KeyList& operator=(const KeyList& src);
    // Moving takes the slots along without a copy of a heap block; the
    // source keeps a list of no slots, which its next Add grows from.
    KeyList(KeyList&& src) noexcept;
    KeyList& operator=(KeyList&& src) noexcept;
    ~KeyList() = default;

    int GetMaxKeys() const { return nMax; }
    // The key in slot i_slot (-1 when free). Inline, as every walk over a
    // group's styles and facilities (each group of a file as it is read,
    // the build's venue tests) reads the slots one by one.
    LONG GetAt(int i_slot) const
    {
        ZEL_ASSERT(0 <= i_slot && i_slot < nMax);
        return Slots()[i_slot];
    }
    LONG operator[](int i_slot) const { return GetAt(i_slot); }
    // Writes a slot directly; -1 frees it.
    void SetAt(int i_slot, LONG l_key)
    {
        ZEL_ASSERT(0 <= i_slot && i_slot < nMax);
        Slots()[i_slot] = l_key;
    }

    void RemoveAll();
    // A new capacity; the first slots keep their keys, the rest are free.
    void SetMaxKeys(int n_max_keys);
    // The first slot holding l_key, or -1.
    int Find(LONG l_key) const;
    // The slot that holds l_key afterwards: its present slot, else the
    // first free slot, else a new slot past the old capacity.
    int Add(LONG l_key);
    // Adds every used key of other, walking it from its last slot down.
    void AddList(const KeyList& other);
    // The number of used slots.
    int GetCount() const;

    bool operator==(const KeyList& other) const;
    bool operator!=(const KeyList& other) const { return !(*this == other); }

    // The capacity, then every slot. Loading takes a larger stored
    // capacity, frees every slot and reads the stored keys into the first.
    void Serialize(CArchive& ar);

private:
    // The lists of groups, venues and rules hold a few slots: up to
    // kInlineSlots stand in the list itself, so that the many group records
    // of an event allocate, and give back, no block for them.
    static constexpr int kInlineSlots = 5;

    LONG* Slots() { return pMore ? pMore.get() : aInline; }
    const LONG* Slots() const { return pMore ? pMore.get() : aInline; }
    void Grow();

    int nMax = 0;
    LONG aInline[kInlineSlots];
    // The slots when there are more than kInlineSlots.
    std::unique_ptr<LONG[]> pMore;
};

class IdxList {
public:
    IdxList() = default;
    // n_count entries, all -1.
    explicit IdxList(int n_count);

    int GetSize() const { return static_cast<int>(Indices.size()); }
    LONG GetAt(int i) const;
    LONG& operator[](int i);
    LONG operator[](int i) const { return GetAt(i); }

    // n_count entries of -1 in place of the contents.
    void SetSize(int n_count);
    void Reset();
    // The number of entries that are not -1.
    int GetCount() const;

    bool operator==(const IdxList& other) const { return Indices == other.Indices; }

    void Serialize(CArchive& ar);

private:
    std::vector<LONG> Indices;
};

class Flags {
public:
    Flags() = default;
    // n_max_flags clear flags.
    explicit Flags(int n_max_flags);

    int GetSize() const { return static_cast<int>(Values.size()); }
    DWORD GetAt(int i) const;
    DWORD& operator[](int i);
    DWORD operator[](int i) const { return GetAt(i); }
    BOOL IsSet(int i) const { return GetAt(i) != 0; }

    // n_max_flags clear flags in place of the contents.
    void SetMaxFlags(int n_max_flags);
    void Clear();

    bool operator==(const Flags& other) const { return Values == other.Values; }
    bool operator!=(const Flags& other) const { return !(*this == other); }
    // Sets every flag that is set in rhs; the sizes must be equal.
    Flags& operator|=(const Flags& rhs);
    Flags operator|(const Flags& rhs) const;

    int GetNumSet() const;
    int GetNumClear() const;

    void Serialize(CArchive& ar);

private:
    std::vector<DWORD> Values;
};

class Counters {
public:
    Counters() = default;
    // n_max_counters counters of 0.
    explicit Counters(int n_max_counters);
    Counters(const Counters& src) = default;
    // The sizes must be equal; nothing is copied when they are not.
    Counters& operator=(const Counters& rhs);

    int GetSize() const { return static_cast<int>(Values.size()); }
    LONG GetAt(int i) const;
    LONG& operator[](int i);
    LONG operator[](int i) const { return GetAt(i); }

    void Clear();
    LONG GetSum() const;

    void Serialize(CArchive& ar);

private:
    std::vector<LONG> Values;
};
