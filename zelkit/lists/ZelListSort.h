// The sort state of a report list: its sort keys (column, direction), most
// significant first, with the links a sort needs while it runs (the list,
// the view that owns the state, caller data and an optional compare-by-row
// function). Only the keys are saved: a list view keeps its sort in the
// event file through this class's archive form.
//
// The list control and the list view are window classes; this header only
// names them, so the state can be kept, copied and stored without any
// window.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"

class CArchive;
class ZelListCtrl;
class ZelListView;
class ZelListSort;

// One sort key: a column (sub-item) and a direction.
class ZelColSortSpec {
public:
    enum { kDescending = 0, kAscending = 1 };

    // Column -1 (a negative column is skipped when rows are compared),
    // ascending.
    ZelColSortSpec() = default;
    ZelColSortSpec(int i_col, int i_direction) : iCol(i_col), iDirection(i_direction) {}

    // The column; the direction goes to i_direction.
    int GetCol(int& i_direction) const
    {
        i_direction = iDirection;
        return iCol;
    }
    void SetCol(int i_col, int i_direction)
    {
        iCol = i_col;
        iDirection = i_direction;
    }

    bool operator==(const ZelColSortSpec& other) const
    {
        return iCol == other.iCol && iDirection == other.iDirection;
    }
    bool operator!=(const ZelColSortSpec& other) const { return !(*this == other); }

    // A version word (1), the column, the direction: 32-bit words. Another
    // version refuses the data.
    void Serialize(CArchive& ar);

private:
    LONG iCol = -1;
    LONG iDirection = kAscending;
};

// A stored key takes three words.
template <>
struct ZelElementMinBytes<ZelColSortSpec> {
    static constexpr std::size_t value = 12;
};

class ZelListSort {
public:
    // Compares two rows by their indexes under the given sort state, like a
    // comparison: negative, 0 or positive. A list that can compare rows this
    // way sorts without searching for them.
    using SortIndexFunc = int (*)(int i_row1, int i_row2, ZelListSort* p_sort);

    // The version word of the archive form.
    static constexpr DWORD iArchiveVersion = 1;

    // No keys, every link null.
    ZelListSort() = default;
    // One key.
    ZelListSort(int i_col, int i_direction, ZelListCtrl* p_ctrl = nullptr, ZelListView* p_view = nullptr);
    // A copy of n_count keys.
    ZelListSort(const ZelColSortSpec* p_specs, int n_count, ZelListCtrl* p_ctrl = nullptr,
        ZelListView* p_view = nullptr);
    // Copies take the keys and every link.
    ZelListSort(const ZelListSort& src) = default;
    ZelListSort& operator=(const ZelListSort& src) = default;
    virtual ~ZelListSort() = default;

    // Replaces the keys with copies of n_count keys from p_specs; null keys
    // or a count of 0 or less leave none. Handing back the state's own keys
    // (as a repeated sort does) keeps them, cut to n_count when that is
    // fewer.
    void SetCols(const ZelColSortSpec* p_specs, int n_count);
    void AddCol(int i_col, int i_direction) { Specs.Add(ZelColSortSpec(i_col, i_direction)); }
    void AddCol(const ZelColSortSpec& spec) { Specs.Add(spec); }
    // The keys (null when there are none); their number goes to n_count.
    const ZelColSortSpec* GetCols(int& n_count) const
    {
        n_count = Specs.GetSize();
        return Specs.IsEmpty() ? nullptr : Specs.GetData();
    }
    int GetCount() const { return Specs.GetSize(); }

    void SetCtrl(ZelListCtrl* p_ctrl) { pCtrl = p_ctrl; }
    ZelListCtrl* GetCtrl() const { return pCtrl; }
    void SetView(ZelListView* p_view) { pView = p_view; }
    ZelListView* GetView() const { return pView; }
    void SetData(void* p_data) { pData = p_data; }
    void* GetData() const { return pData; }
    void SetSortIndexFunc(SortIndexFunc p_func) { pSortIndexFunc = p_func; }
    SortIndexFunc GetSortIndexFunc() const { return pSortIndexFunc; }

    // Equal links, the same number of keys and equal keys in order.
    bool operator==(const ZelListSort& other) const;
    bool operator!=(const ZelListSort& other) const { return !(*this == other); }

    // The version word, the number of keys (32 bits), then each key.
    // Loading replaces the keys and drops the compare-by-row function; the
    // other links stay. A wrong version word or a count the data cannot
    // hold refuses the data before anything changes; a key refused part
    // way leaves the keys read so far, the rest at their defaults.
    void Serialize(CArchive& ar);

private:
    ZelArray<ZelColSortSpec> Specs;
    ZelListCtrl* pCtrl = nullptr;
    ZelListView* pView = nullptr;
    void* pData = nullptr;
    SortIndexFunc pSortIndexFunc = nullptr;
};
