// Growth of the document's long lists (groups, participants) as items are
// appended one by one, as a file is read: the array's own step stops
// growing at a fixed size, and a key index's table never grows by itself,
// so without these a long list would be copied, and its index chains
// walked, over and over as it grows.
#pragma once

#include "framework/Types.h"
#include "zelkit/ZelArray.h"
#include "zelkit/ZelKeyedObject.h"

#include <algorithm>
#include <climits>

// Room for one more item, doubling the room when it is used up.
template <class T>
void MakeRoomToAppend(ZelArray<T>& a_items, int n_initial)
{
    const int n_size = a_items.GetSize();
    if (n_size < a_items.GetAllocSize())
        return;
    a_items.Reserve(std::max(n_initial, n_size < INT_MAX / 2 ? n_size * 2 : INT_MAX));
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
