// Growth of the document's long lists (groups, participants) as items are
// appended one by one, as a file is read: the array's own step stops
// growing at a fixed size, and a key index's table never grows by itself,
// so without these a long list would be copied, and its index chains
// walked, over and over as it grows. Also the items built outside a list
// that must not move the key counters the file keeps (UnkeyedItem).
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelKeyedObject.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Room for one more item, doubling the room when it is used up.
template <class T>
void MakeRoomToAppend(ZelArray<T>& a_items, int n_initial)
{
    const int n_size = a_items.GetSize();
    if (n_size < a_items.GetAllocSize())
        return;
    a_items.Reserve(std::max(n_initial, n_size < INT_MAX / 2 ? n_size * 2 : INT_MAX));
}

// Room for the items there are and n_more, made at once so that appending
// them copies none; returns the room. The records a move copies take no
// keys.
template <class T>
int ReserveRoom(ZelArray<T>& a_items, int n_more)
{
    const int n_room = a_items.GetSize() + std::max(n_more, 0);
    const LONG l_counter = T::GetKeyCounter();
    a_items.Reserve(n_room);
    T::SetKeyCounter(l_counter);
    return n_room;
}

// An item that is no item of the event: the working copy a sheet edits,
// or the holder of the defaults of new items. Building it gives back the
// key it took, so that the key counter the event file keeps moves only when
// an item is added; its key is -1 until an item of the event is copied
// into it.
template <class T>
T UnkeyedItem()
{
    const LONG l_next = T::GetKeyCounter();
    T item;
    T::SetKeyCounter(l_next);
    item.SetKey(-1);
    return item;
}

// After an item was appended at i_new: a current index takes its key;
// one that holds twice as many keys as its table has buckets is marked
// stale instead, and TRUE tells the caller to build it again for twice
// the items.
inline BOOL IndexAppended(ZelKeyIndex<int>& index, BOOL& b_valid, LONG l_key, int i_new)
{
    if (!b_valid)
        return FALSE;
    if (static_cast<UINT>(index.GetCount()) >= 2 * index.GetHashTableSize()) {
        b_valid = FALSE;
        return TRUE;
    }
    index.SetAt(l_key, i_new);
    return FALSE;
}

// The blank record at the end of a list being read that the file's next
// record is read into, so that no record is moved into the list: kept or
// taken out again once tested, and taken out when its read fails (the
// reading ends with it still pending).
template <class T>
class RecordToRead {
public:
    explicit RecordToRead(ZelArray<T>& a_items) : Items(a_items) {}
    ~RecordToRead()
    {
        if (bPending)
            Items.RemoveAt(Items.GetSize() - 1);
    }
    RecordToRead(const RecordToRead&) = delete;
    RecordToRead& operator=(const RecordToRead&) = delete;

    template <class... Args>
    T& Next(int n_initialRoom, Args&&... args)
    {
        ZEL_ASSERT(!bPending);
        MakeRoomToAppend(Items, n_initialRoom);
        T& record = Items.AddNew(std::forward<Args>(args)...);
        bPending = TRUE;
        return record;
    }
    // f_keep(position) tests the record and, when it is kept, takes it into
    // the list's indexes; any answer but i_added takes it out again.
    template <class Keep>
    int Settle(int i_added, Keep f_keep)
    {
        ZEL_ASSERT(bPending);
        bPending = FALSE;
        const int i_new = Items.GetSize() - 1;
        const int i_result = f_keep(i_new);
        if (i_result != i_added)
            Items.RemoveAt(i_new);
        return i_result;
    }

private:
    ZelArray<T>& Items;
    BOOL bPending = FALSE;
};

// The positions of a list's items by a hash of their names, for the test of
// a name taken while a long list is read: one block of slots searched from
// the hash's own slot on, so that a test reads a cache line or two where a
// map of names would walk its nodes. A slot holds the hash's upper half and
// the position in eight bytes. The caller compares the names at the
// positions of a matching hash.
//
// Nearly every name read is new, and the slots of a long list are spread
// over more memory than the cache keeps between one record and the next:
// a word of a small filter (two bits a name) tells most new names apart
// without the slots, and the names added are put into their slots only when
// a test needs them, many at once, so that their reads of memory overlap
// instead of each waiting for the last.
class NameHashes {
public:
    static std::uint64_t Hash(const std::string& s_name) { return std::hash<std::string>()(s_name); }

    // Empty, with room for n_expected names.
    void Init(int n_expected)
    {
        vAdded.clear();
        vAdded.reserve(static_cast<std::size_t>(std::max(n_expected, 0)));
        nPlaced = 0;
        Size(static_cast<std::size_t>(std::max(n_expected, 0)));
    }
    void Clear()
    {
        std::vector<Slot>().swap(vSlots);
        std::vector<std::uint64_t>().swap(vFilter);
        std::vector<Added>().swap(vAdded);
        nPlaced = 0;
    }
    void Add(std::uint64_t u_hash, int i_position)
    {
        vAdded.push_back(Added{u_hash, i_position});
        if (2 * vAdded.size() > vSlots.size()) {
            Size(vAdded.size());
            return;
        }
        vFilter[FilterWord(u_hash)] |= FilterBits(u_hash);
    }
    // Asks for what a look-up of the hash reads first, for one to come.
    void Prefetch(std::uint64_t u_hash) const
    {
        if (!vFilter.empty())
            __builtin_prefetch(&vFilter[FilterWord(u_hash)]);
    }
    // The highest position added with the hash for which f_same holds, or -1.
    template <class Same>
    int FindLast(std::uint64_t u_hash, Same f_same) const
    {
        int i_found = -1;
        if (vSlots.empty())
            return i_found;
        const std::uint64_t u_bits = FilterBits(u_hash);
        if ((vFilter[FilterWord(u_hash)] & u_bits) != u_bits)
            return i_found;
        PlaceWaiting();
        const std::size_t u_mask = vSlots.size() - 1;
        const std::uint32_t u_tag = Tag(u_hash);
        for (std::size_t u = u_hash & u_mask; vSlots[u].iPosition >= 0; u = (u + 1) & u_mask) {
            if (vSlots[u].uTag == u_tag && vSlots[u].iPosition > i_found && f_same(vSlots[u].iPosition))
                i_found = vSlots[u].iPosition;
        }
        return i_found;
    }

private:
    static constexpr std::size_t kMinSlots = 16;
    struct Slot {
        std::uint32_t uTag = 0;
        int iPosition = -1;
    };
    // The bits of the hash the slot's place does not already tell.
    static std::uint32_t Tag(std::uint64_t u_hash) { return static_cast<std::uint32_t>(u_hash >> 32); }
    // The filter word and its two bits of the hash, from bits the slot's
    // place does not use.
    std::size_t FilterWord(std::uint64_t u_hash) const
    {
        return static_cast<std::size_t>(u_hash >> 40) & (vFilter.size() - 1);
    }
    static std::uint64_t FilterBits(std::uint64_t u_hash)
    {
        return std::uint64_t(1) << (u_hash >> 20 & 63) | std::uint64_t(1) << (u_hash >> 26 & 63);
    }

    // Slots for twice the n names, a filter word for every four; the names
    // added so far are filtered anew and wait for their slots.
    void Size(std::size_t n_names)
    {
        std::size_t u_size = kMinSlots;
        while (u_size < 2 * n_names)
            u_size *= 2;
        vSlots.assign(u_size, Slot{});
        vFilter.assign(u_size / 8, 0);
        for (const Added& added : vAdded)
            vFilter[FilterWord(added.uHash)] |= FilterBits(added.uHash);
        nPlaced = 0;
    }
    // A slot keeps only part of its hash: the entries are placed from the
    // whole hashes, kept one after another as they came.
    void PlaceWaiting() const
    {
        const std::size_t u_mask = vSlots.size() - 1;
        for (; nPlaced < vAdded.size(); ++nPlaced) {
            std::size_t u = vAdded[nPlaced].uHash & u_mask;
            while (vSlots[u].iPosition >= 0)
                u = (u + 1) & u_mask;
            vSlots[u] = Slot{Tag(vAdded[nPlaced].uHash), vAdded[nPlaced].iPosition};
        }
    }

    struct Added {
        std::uint64_t uHash;
        int iPosition;
    };
    // The slots are filled in as the look-ups need them.
    mutable std::vector<Slot> vSlots;
    std::vector<std::uint64_t> vFilter;
    std::vector<Added> vAdded;
    // The entries of vAdded that are in their slots.
    mutable std::size_t nPlaced = 0;
};
