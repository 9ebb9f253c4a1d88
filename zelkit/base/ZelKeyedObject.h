// Keyed objects, their lists and the key index.
//
// An entity that other records refer to by number carries a key that never
// changes and is never handed out twice while the program runs: each entity
// type has one process-wide counter, and constructing an object takes the
// counter's value and moves the counter on. Copies keep the key of their
// source. The owning document stores the counters in its file and restores
// them on load, so keys stay unique from one run to the next.
//
// The key index is a hash table of its own rather than a standard unordered
// map because its iteration order is part of the behaviour: buckets in
// ascending order (bucket = key modulo the table size), and within a bucket
// the most recently added key first. The rostering sweeps visit keys in that
// order, so it must not depend on a library's hashing. ZelHashSize sizes
// every such table from the number of entries expected.
//
// The counters are unlocked: keyed objects are created on the user-interface
// thread only.
#pragma once

#include "framework/Archive.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelAssert.h"

#include <bit>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The size of a hash table for an expected number of entries: the first
// prime of a fixed table that is at least n + n / 5, or n + n / 5 itself
// beyond the table's largest prime (27011).
class ZelHashSize {
public:
    static UINT GetSize(UINT n_count);
};

// A hash map from a 32-bit key to a T with one built-in iteration cursor.
// Entries never move: a value reached by key stays at its address until its
// key is removed, however many keys are added after it.
template <class T>
class ZelKeyIndex {
public:
    static constexpr UINT kDefaultHashSize = 17;

    explicit ZelKeyIndex(UINT n_hash_size = kDefaultHashSize) : nHashSize(n_hash_size ? n_hash_size : 1) {}

    // Gives the table n_hash_size buckets; the map is emptied first.
    void InitHashTable(UINT n_hash_size)
    {
        RemoveAll();
        nHashSize = n_hash_size ? n_hash_size : 1;
    }
    // Empties the map and sizes its table for n_expected entries.
    void InitIndex(UINT n_expected) { InitHashTable(ZelHashSize::GetSize(n_expected)); }

    UINT GetHashTableSize() const { return nHashSize; }
    int GetCount() const { return nCount; }
    BOOL IsEmpty() const { return nCount == 0; }

    BOOL Lookup(LONG l_key, T& value) const
    {
        const int i_assoc = FindAssoc(l_key);
        if (i_assoc < 0)
            return FALSE;
        value = Assocs[i_assoc].Value;
        return TRUE;
    }

    // Adds the key or replaces its value; a replaced entry keeps its place.
    void SetAt(LONG l_key, const T& value) { (*this)[l_key] = value; }

    // The value of the key, added with a default value when missing.
    T& operator[](LONG l_key)
    {
        int i_assoc = FindAssoc(l_key);
        if (i_assoc < 0)
            i_assoc = NewAssoc(l_key);
        return Assocs[i_assoc].Value;
    }

    BOOL RemoveKey(LONG l_key)
    {
        if (Buckets.empty())
            return FALSE;
        int* p_link = &Buckets[Bucket(l_key)];
        while (*p_link >= 0) {
            Assoc& assoc = Assocs[*p_link];
            if (assoc.lKey == l_key) {
                const int i_removed = *p_link;
                *p_link = assoc.iNext;
                if (iNextAssoc == i_removed) // keep the cursor off the freed entry
                    Advance();
                assoc.Value = T();
                assoc.iNext = iFree;
                iFree = i_removed;
                --nCount;
                return TRUE;
            }
            p_link = &assoc.iNext;
        }
        return FALSE;
    }

    void RemoveAll()
    {
        std::vector<int>().swap(Buckets);
        Assocs.Clear();
        iFree = -1;
        nCount = 0;
        uNextBucket = 0;
        iNextAssoc = -1;
    }

    // Puts the cursor before the first entry.
    void SetToStart()
    {
        uNextBucket = 0;
        iNextAssoc = -1;
        FindBucketFrom(0);
    }
    // The entry under the cursor, then the cursor moves on; FALSE at the end.
    BOOL GetNext(LONG& l_key, T& value)
    {
        if (iNextAssoc < 0)
            return FALSE;
        const Assoc& assoc = Assocs[iNextAssoc];
        l_key = assoc.lKey;
        value = assoc.Value;
        Advance();
        return TRUE;
    }

private:
    struct Assoc {
        LONG lKey = 0;
        T Value{};
        int iNext = -1;
    };

    // The entries by number, in blocks of 16, 32, 64, ... entries: an entry
    // never moves, a number finds its block with a few bit operations, and
    // an empty map holds no block at all (many maps stay empty or small).
    class AssocStore {
    public:
        AssocStore() = default;
        AssocStore(const AssocStore& src) { *this = src; }
        AssocStore& operator=(const AssocStore& src)
        {
            if (this != &src) {
                Clear();
                for (int i = 0; i < src.nUsed; ++i)
                    (*this)[Append()] = src[i];
            }
            return *this;
        }
        AssocStore(AssocStore&&) noexcept = default;
        AssocStore& operator=(AssocStore&&) noexcept = default;

        Assoc& operator[](int i)
        {
            const auto [u_block, u_offset] = Place(i);
            return vBlocks[u_block][u_offset];
        }
        const Assoc& operator[](int i) const
        {
            const auto [u_block, u_offset] = Place(i);
            return vBlocks[u_block][u_offset];
        }
        // A new default entry at the end; returns its number.
        int Append()
        {
            if (Place(nUsed).first == vBlocks.size())
                vBlocks.push_back(std::make_unique<Assoc[]>(kFirstBlock << vBlocks.size()));
            return nUsed++;
        }
        void Clear()
        {
            vBlocks.clear();
            nUsed = 0;
        }

    private:
        static constexpr std::size_t kFirstBlock = 16;
        // Block b holds the numbers 16 * (2^b - 1) to 16 * (2^(b+1) - 1) - 1.
        static std::pair<std::size_t, std::size_t> Place(int i)
        {
            const std::size_t u_group = static_cast<std::size_t>(i) / kFirstBlock + 1;
            const std::size_t u_block = static_cast<std::size_t>(std::bit_width(u_group)) - 1;
            return {u_block, static_cast<std::size_t>(i) - kFirstBlock * ((std::size_t(1) << u_block) - 1)};
        }

        std::vector<std::unique_ptr<Assoc[]>> vBlocks;
        int nUsed = 0;
    };

    std::size_t Bucket(LONG l_key) const
    {
        // Keys are compared as unsigned so that a negative key cannot give a
        // negative bucket.
        return static_cast<std::size_t>(static_cast<std::uint32_t>(l_key) % nHashSize);
    }

    int FindAssoc(LONG l_key) const
    {
        if (Buckets.empty())
            return -1;
        for (int i = Buckets[Bucket(l_key)]; i >= 0; i = Assocs[i].iNext) {
            if (Assocs[i].lKey == l_key)
                return i;
        }
        return -1;
    }

    int NewAssoc(LONG l_key)
    {
        if (Buckets.empty())
            Buckets.assign(nHashSize, -1);
        int i_assoc;
        if (iFree >= 0) {
            i_assoc = iFree;
            iFree = Assocs[i_assoc].iNext;
        } else {
            i_assoc = Assocs.Append();
        }
        Assoc& assoc = Assocs[i_assoc];
        assoc.lKey = l_key;
        int& i_head = Buckets[Bucket(l_key)];
        assoc.iNext = i_head; // the newest entry leads its bucket
        i_head = i_assoc;
        ++nCount;
        return i_assoc;
    }

    void Advance()
    {
        const int i_next = Assocs[iNextAssoc].iNext;
        if (i_next >= 0) {
            iNextAssoc = i_next;
            return;
        }
        FindBucketFrom(uNextBucket + 1);
    }

    void FindBucketFrom(std::size_t u_bucket)
    {
        iNextAssoc = -1;
        for (; u_bucket < Buckets.size(); ++u_bucket) {
            if (Buckets[u_bucket] >= 0) {
                uNextBucket = u_bucket;
                iNextAssoc = Buckets[u_bucket];
                return;
            }
        }
        uNextBucket = Buckets.size();
    }

    UINT nHashSize;
    std::vector<int> Buckets; // head entry of each bucket, -1 for none
    AssocStore Assocs;
    int iFree = -1;
    int nCount = 0;
    std::size_t uNextBucket = 0;
    int iNextAssoc = -1;
};

// The keys a counter hands out: 0 to INT32_MAX, each once. A counter
// holds the key it hands out next. At the top it stays there, where a
// signed counter would wrap to negative keys and then to the keys of the
// first items: the top key handed out again is refused by the list the
// item joins as a key it holds. Only a damaged file brings a counter near
// the top (the items of an event take a few of its two thousand million
// keys); the load settles such a counter where it has keys to give.
class ZelKeyCounter {
public:
    // The counter's key, and the counter moved on. A counter below 0 (a
    // damaged file's) hands out 0 first.
    static LONG Take(LONG& l_counter)
    {
        const LONG l_key = l_counter < 0 ? 0 : l_counter;
        l_counter = l_key < INT32_MAX ? l_key + 1 : l_key;
        return l_key;
    }
    // The counter for a list read from a file: ll_next, the stored counter
    // moved past every key read, while it has keys to hand out; else (at
    // the top, past it or below 0) the longest run of keys that no item of
    // the list holds, so that new items take keys none of them has and the
    // list keeps every item. The run is taken from its first key, or from
    // ll_stored (the counter the file held) when that lies in it: an event
    // saved and opened again keeps its counter.
    static LONG Settle(std::int64_t ll_next, std::vector<LONG> v_keys, std::int64_t ll_stored);
};

// The base of keyed entities, over the process-wide key counter of their
// type: for example
//     extern LONG ktTSCombKey;
//     class ZelTimeslotCombination : public ZelKeyedObject<&ktTSCombKey> { ... };
template <LONG* pKeyGen>
class ZelKeyedObject {
public:
    ZelKeyedObject() : lKey(NextKey()) {}
    ZelKeyedObject(const ZelKeyedObject& src) : lKey(src.lKey) {}
    ZelKeyedObject& operator=(const ZelKeyedObject& src)
    {
        lKey = src.lKey;
        return *this;
    }
    virtual ~ZelKeyedObject() = default;

    // The key as one 32-bit word.
    virtual void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << lKey;
        else
            ar >> lKey;
    }
    // The object's display name.
    virtual std::string GetName() const = 0;
    virtual BOOL IsValid() const { return !GetName().empty(); }

    LONG GetKey() const { return lKey; }

protected:
    LONG lKey;

private:
    static LONG NextKey() { return ZelKeyCounter::Take(*pKeyGen); }
};

// The list of one keyed entity type: positions 0 to GetCount() - 1 are in
// use (the array may hold further, unused records), at most nMaxObjects of
// them, and a key index from key to position that every change marks stale
// and the next lookup by key rebuilds. T provides GetKey, GetName and
// IsValid (a ZelKeyedObject does). The derived list gives the archive form.
template <class T>
class ZelKeyedObjectList {
public:
    // Results of Add.
    enum AddResult {
        added = 0,      // appended at the end
        tooMany = 1,    // the list holds its maximum count
        nameExists = 2, // another object with an equal name and another key
        keyExists = 3,  // an object with the same key
        notValid = 4,   // the object is not valid
    };
    static constexpr int kDefaultMaxObjects = 999999;

    // n_room: elements the array holds before it first grows.
    explicit ZelKeyedObjectList(int n_room = 0, int n_max_objects = kDefaultMaxObjects)
        : nMaxObjects(n_max_objects), nObjects(0), bIndexBuilt(FALSE)
    {
        Objects.Reserve(n_room);
    }
    ZelKeyedObjectList(const ZelKeyedObjectList& src)
        : Objects(src.Objects), nMaxObjects(src.nMaxObjects), nObjects(src.nObjects), bIndexBuilt(FALSE)
    {
    }
    // Copies the objects, the count and the limit; a source holding more
    // objects than this list allows is an assertion failure.
    ZelKeyedObjectList& operator=(const ZelKeyedObjectList& rhs)
    {
        if (this == &rhs)
            return *this;
        ZEL_ASSERT(rhs.nObjects <= nMaxObjects);
        Objects = rhs.Objects;
        nObjects = rhs.nObjects;
        nMaxObjects = rhs.nMaxObjects;
        bIndexBuilt = FALSE;
        return *this;
    }
    virtual ~ZelKeyedObjectList() = default;

    int GetCount() const { return nObjects; }
    int GetMaxObjects() const { return nMaxObjects; }
    void SetMaxObjects(int n_max_objects) { nMaxObjects = n_max_objects; }

    const T& GetAt(int i_index) const
    {
        ZEL_ASSERT(0 <= i_index && i_index < nObjects);
        return Objects[i_index];
    }
    const T& operator[](int i_index) const { return GetAt(i_index); }
    // An element handed out for change may change its key: the index is
    // marked stale.
    T& operator[](int i_index)
    {
        ZEL_ASSERT(0 <= i_index && i_index < nObjects);
        bIndexBuilt = FALSE;
        return Objects[i_index];
    }

    // The position of the object with the key, or -1.
    int FindByKey(LONG l_key) const
    {
        RebuildIndex();
        int i_index = -1;
        if (!KeyIndex.Lookup(l_key, i_index))
            return -1;
        return i_index;
    }

    // Appends a copy of the object; see AddResult. The tests run in the
    // order: valid, room, name, key.
    int Add(const T& object)
    {
        if (!object.IsValid())
            return notValid;
        if (nObjects >= nMaxObjects)
            return tooMany;
        const std::string s_name = object.GetName();
        for (int i = 0; i < nObjects; ++i) {
            const T& other = Objects[i];
            if (other.GetKey() != object.GetKey() && other.GetName() == s_name)
                return nameExists;
        }
        if (FindByKey(object.GetKey()) >= 0)
            return keyExists;
        if (nObjects < Objects.GetSize())
            Objects[nObjects] = object;
        else
            Objects.SetAtGrow(nObjects, object);
        ++nObjects;
        bIndexBuilt = FALSE;
        return added;
    }

    // Removes the object at the position; the following ones move up.
    void Delete(int i_index)
    {
        ZEL_ASSERT(0 <= i_index && i_index < nObjects);
        Objects.RemoveAt(i_index);
        --nObjects;
        bIndexBuilt = FALSE;
    }

    void RemoveAll()
    {
        Objects.RemoveAll();
        nObjects = 0;
        KeyIndex.RemoveAll();
        bIndexBuilt = FALSE;
    }

    BOOL IsIndexBuilt() const { return bIndexBuilt; }
    void InvalidateIndex() { bIndexBuilt = FALSE; }

    // Builds the key index when it is stale: a table sized for the count,
    // key to position for each object in use (a repeated key maps to its
    // last position).
    void RebuildIndex() const
    {
        if (bIndexBuilt)
            return;
        KeyIndex.InitIndex(static_cast<UINT>(nObjects));
        for (int i = 0; i < nObjects; ++i)
            KeyIndex.SetAt(Objects[i].GetKey(), i);
        bIndexBuilt = TRUE;
    }

protected:
    ZelArray<T> Objects;
    int nMaxObjects;
    int nObjects;
    mutable ZelKeyIndex<int> KeyIndex;
    mutable BOOL bIndexBuilt;
};
