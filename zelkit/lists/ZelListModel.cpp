#include "zelkit/lists/ZelListModel.h"

#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <numeric>

int ZelListModel::iMaxRowScan = 2000;

namespace {

// The wait cursor a sort shows.
constexpr UINT uSortCursorId = 26052;

// Code page 1252 texts compare byte by byte, unsigned; a text ends at its
// first NUL as the window system's strings do.
int CompareText(std::string_view s1, std::string_view s2)
{
    s1 = s1.substr(0, s1.find('\0'));
    s2 = s2.substr(0, s2.find('\0'));
    const int i = s1.compare(s2);
    return i < 0 ? -1 : i > 0 ? 1 : 0;
}

} // namespace

ZelListModel::ZelListModel() = default;

ZelListModel::~ZelListModel() = default;

// ------------------------------------------------------------------ styles

void ZelListModel::ModifyListStyle(DWORD u_remove, DWORD u_add)
{
    uStyle = (uStyle & ~u_remove) | u_add;
    if ((uStyle & LVS_SINGLESEL) && nSelected > 1) {
        // One selected row at most: keep the focused one, else the first.
        int i_keep = iFocus >= 0 && (vRows[iFocus].uState & LVIS_SELECTED) ? iFocus : GetNextItem(-1, LVNI_SELECTED);
        for (int i = 0; i < GetItemCount(); ++i) {
            if (i != i_keep)
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }
    Notify(changeColumns | changeRows);
}

void ZelListModel::SetExtendedListStyle(DWORD u_exStyle)
{
    uExStyle = u_exStyle;
    Notify(changeColumns | changeRows);
}

// ----------------------------------------------------------------- columns

int ZelListModel::InsertColumn(int i_col, const std::string& s_title, int i_format, int i_width)
{
    if (i_col < 0)
        return -1;
    i_col = std::min(i_col, GetColumnCount());
    Column col;
    col.sTitle = s_title;
    col.iFormat = i_format;
    col.iWidth = std::max(0, i_width);
    vColumns.insert(vColumns.begin() + i_col, col);
    for (int& i : vOrder) {
        if (i >= i_col)
            ++i;
    }
    vOrder.insert(vOrder.begin() + std::min<std::size_t>(static_cast<std::size_t>(i_col), vOrder.size()), i_col);
    // A row's cells follow their columns.
    for (Row& row : vRows) {
        if (static_cast<int>(row.vCells.size()) > i_col && i_col > 0)
            row.vCells.insert(row.vCells.begin() + i_col, Cell{});
    }
    Notify(changeColumns | changeRows);
    return i_col;
}

BOOL ZelListModel::DeleteColumn(int i_col)
{
    if (i_col < 0 || i_col >= GetColumnCount())
        return FALSE;
    vColumns.erase(vColumns.begin() + i_col);
    vOrder.erase(std::find(vOrder.begin(), vOrder.end(), i_col));
    for (int& i : vOrder) {
        if (i > i_col)
            --i;
    }
    for (Row& row : vRows) {
        if (static_cast<int>(row.vCells.size()) > i_col)
            row.vCells.erase(row.vCells.begin() + i_col);
    }
    Notify(changeColumns | changeRows);
    return TRUE;
}

BOOL ZelListModel::GetColumn(int i_col, std::string* p_title, int* p_format, int* p_width) const
{
    if (i_col < 0 || i_col >= GetColumnCount())
        return FALSE;
    const Column& col = vColumns[i_col];
    if (p_title)
        *p_title = col.sTitle;
    if (p_format)
        *p_format = col.iFormat;
    if (p_width)
        *p_width = col.iWidth;
    return TRUE;
}

BOOL ZelListModel::SetColumnTitle(int i_col, const std::string& s_title)
{
    if (i_col < 0 || i_col >= GetColumnCount())
        return FALSE;
    vColumns[i_col].sTitle = s_title;
    Notify(changeColumns);
    return TRUE;
}

int ZelListModel::GetColumnWidth(int i_col) const
{
    return i_col >= 0 && i_col < GetColumnCount() ? vColumns[i_col].iWidth : 0;
}

BOOL ZelListModel::SetColumnWidth(int i_col, int i_width)
{
    if (i_col < 0 || i_col >= GetColumnCount())
        return FALSE;
    vColumns[i_col].iWidth = std::max(0, i_width);
    Notify(changeColumns | changeRows);
    return TRUE;
}

BOOL ZelListModel::GetColumnOrderArray(std::vector<int>& v_order) const
{
    v_order = vOrder;
    return TRUE;
}

BOOL ZelListModel::SetColumnOrderArray(const std::vector<int>& v_order)
{
    // A permutation of the columns, else nothing changes.
    if (static_cast<int>(v_order.size()) != GetColumnCount())
        return FALSE;
    std::vector<int> v_sorted = v_order;
    std::sort(v_sorted.begin(), v_sorted.end());
    for (int i = 0; i < GetColumnCount(); ++i) {
        if (v_sorted[i] != i)
            return FALSE;
    }
    vOrder = v_order;
    Notify(changeColumns | changeRows);
    return TRUE;
}

int ZelListModel::GetTotalColumnWidth() const
{
    int i_total = 0;
    for (const Column& col : vColumns)
        i_total += col.iWidth;
    return i_total;
}

int ZelListModel::GetHeaderSortType(int i_col) const
{
    return i_col >= 0 && i_col < GetColumnCount() ? vColumns[i_col].iSortType : sortNone;
}

BOOL ZelListModel::SetHeaderSortType(int i_col, int i_type)
{
    if (i_col < 0 || i_col >= GetColumnCount())
        return FALSE;
    if (vColumns[i_col].iSortType != i_type) {
        vColumns[i_col].iSortType = i_type;
        Notify(changeColumns);
    }
    return TRUE;
}

// -------------------------------------------------------------------- rows

void ZelListModel::SetCellText(Row& row, int i_col, const char* p_text)
{
    if (static_cast<int>(row.vCells.size()) <= i_col)
        row.vCells.resize(static_cast<std::size_t>(i_col) + 1);
    Cell& cell = row.vCells[i_col];
    if (p_text == LPSTR_TEXTCALLBACK) {
        cell.bCallback = true;
        cell.sText.clear();
    } else {
        cell.bCallback = false;
        cell.sText = p_text ? p_text : "";
    }
}

int ZelListModel::InsertItem(int i_row, const char* p_text, LPARAM l_data)
{
    ZelLVItem item;
    item.uMask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i_row;
    item.bTextCallback = p_text == LPSTR_TEXTCALLBACK;
    if (!item.bTextCallback && p_text)
        item.sText = p_text;
    item.lParam = l_data;
    return InsertItem(item);
}

int ZelListModel::InsertItem(const ZelLVItem& item)
{
    if (item.iItem < 0 || item.iSubItem != 0)
        return -1;
    const int i_row = std::min(item.iItem, GetItemCount());
    Row row;
    row.vCells.reserve(static_cast<std::size_t>(std::max(1, GetColumnCount())));
    if (item.uMask & LVIF_TEXT)
        SetCellText(row, 0, item.bTextCallback ? LPSTR_TEXTCALLBACK : item.sText.c_str());
    if (item.uMask & LVIF_PARAM)
        row.lData = item.lParam;
    if (item.uMask & LVIF_IMAGE)
        row.iImage = item.iImage;
    if (item.uMask & LVIF_INDENT)
        row.iIndent = item.iIndent;
    UINT u_state = 0;
    if (item.uMask & LVIF_STATE)
        u_state = item.uState & item.uStateMask;
    if (uStyle & LVS_SINGLESEL && (u_state & LVIS_SELECTED))
        UnselectAll();
    const bool b_append = i_row == GetItemCount();
    vRows.insert(vRows.begin() + i_row, std::move(row));
    // Rows below moved down by one.
    if (iFocus >= i_row)
        ++iFocus;
    if (iAnchor >= i_row)
        ++iAnchor;
    if (bIndexValid) {
        if (b_append)
            mDataIndex.emplace(vRows[i_row].lData, i_row);
        else
            InvalidateIndex();
    }
    Notify(changeRows, i_row);
    if (u_state)
        ChangeState(i_row, u_state, u_state);
    return i_row;
}

BOOL ZelListModel::DeleteItem(int i_row)
{
    if (!ValidRow(i_row))
        return FALSE;
    if (vRows[i_row].uState & LVIS_SELECTED)
        --nSelected;
    if (iFocus == i_row)
        iFocus = -1;
    else if (iFocus > i_row)
        --iFocus;
    if (iAnchor == i_row)
        iAnchor = -1;
    else if (iAnchor > i_row)
        --iAnchor;
    const bool b_last = i_row == GetItemCount() - 1;
    const LPARAM l_data = vRows[i_row].lData;
    vRows.erase(vRows.begin() + i_row);
    if (bIndexValid && b_last) {
        // No other row moved: only the data's own entry may go.
        auto it = mDataIndex.find(l_data);
        if (it != mDataIndex.end() && it->second == i_row)
            mDataIndex.erase(it);
    } else {
        InvalidateIndex();
    }
    ClampTop();
    Notify(changeRows, i_row);
    return TRUE;
}

BOOL ZelListModel::DeleteAllItems()
{
    vRows.clear();
    mDataIndex.clear();
    bIndexValid = true;
    nSelected = 0;
    iFocus = -1;
    iAnchor = -1;
    iTopIndex = 0;
    Notify(changeRows | changeScroll);
    return TRUE;
}

BOOL ZelListModel::SetItemText(int i_row, int i_col, const char* p_text)
{
    if (!ValidRow(i_row) || i_col < 0 || i_col >= std::max(1, GetColumnCount()))
        return FALSE;
    SetCellText(vRows[i_row], i_col, p_text);
    Notify(changeRow, i_row);
    return TRUE;
}

std::string ZelListModel::GetItemText(int i_row, int i_col) const
{
    if (!ValidRow(i_row) || i_col < 0)
        return {};
    const Row& row = vRows[i_row];
    if (i_col >= static_cast<int>(row.vCells.size()))
        return {};
    const Cell& cell = row.vCells[i_col];
    return cell.bCallback ? GetCallbackText(i_row, i_col, row.lData) : cell.sText;
}

bool ZelListModel::IsTextCallback(int i_row, int i_col) const
{
    if (!ValidRow(i_row) || i_col < 0 || i_col >= static_cast<int>(vRows[i_row].vCells.size()))
        return false;
    return vRows[i_row].vCells[i_col].bCallback;
}

BOOL ZelListModel::SetItem(const ZelLVItem& item)
{
    if (!ValidRow(item.iItem) || item.iSubItem < 0 || item.iSubItem >= std::max(1, GetColumnCount()))
        return FALSE;
    Row& row = vRows[item.iItem];
    if (item.uMask & LVIF_TEXT)
        SetCellText(row, item.iSubItem, item.bTextCallback ? LPSTR_TEXTCALLBACK : item.sText.c_str());
    if (item.iSubItem == 0) {
        if (item.uMask & LVIF_IMAGE)
            row.iImage = item.iImage;
        if (item.uMask & LVIF_INDENT)
            row.iIndent = item.iIndent;
        if (item.uMask & LVIF_PARAM)
            SetItemData(item.iItem, item.lParam);
    }
    Notify(changeRow, item.iItem);
    if (item.uMask & LVIF_STATE)
        SetItemState(item.iItem, item.uState, item.uStateMask);
    return TRUE;
}

BOOL ZelListModel::GetItem(ZelLVItem& item) const
{
    if (!ValidRow(item.iItem) || item.iSubItem < 0)
        return FALSE;
    const Row& row = vRows[item.iItem];
    if (item.uMask & LVIF_TEXT) {
        item.bTextCallback = IsTextCallback(item.iItem, item.iSubItem);
        item.sText = item.bTextCallback ? std::string() : GetItemText(item.iItem, item.iSubItem);
    }
    if (item.uMask & LVIF_IMAGE)
        item.iImage = row.iImage;
    if (item.uMask & LVIF_PARAM)
        item.lParam = row.lData;
    if (item.uMask & LVIF_INDENT)
        item.iIndent = row.iIndent;
    if (item.uMask & LVIF_STATE)
        item.uState = row.uState & item.uStateMask;
    return TRUE;
}

BOOL ZelListModel::SetItemData(int i_row, LPARAM l_data)
{
    if (!ValidRow(i_row))
        return FALSE;
    if (vRows[i_row].lData != l_data) {
        vRows[i_row].lData = l_data;
        InvalidateIndex();
    }
    return TRUE;
}

LPARAM ZelListModel::GetItemData(int i_row) const { return ValidRow(i_row) ? vRows[i_row].lData : 0; }

void ZelListModel::ChangeState(int i_row, UINT u_state, UINT u_mask)
{
    Row& row = vRows[i_row];
    const UINT u_old = row.uState;
    const UINT u_new = (u_old & ~u_mask) | (u_state & u_mask);
    if (u_new == u_old)
        return;
    row.uState = u_new;
    if ((u_old ^ u_new) & LVIS_SELECTED)
        nSelected += (u_new & LVIS_SELECTED) ? 1 : -1;
    if ((u_old ^ u_new) & LVIS_FOCUSED) {
        if (u_new & LVIS_FOCUSED) {
            // One focused row: the previous one loses it first.
            const int i_previous = iFocus;
            iFocus = i_row;
            if (i_previous >= 0 && i_previous != i_row)
                ChangeState(i_previous, 0, LVIS_FOCUSED);
        } else if (iFocus == i_row) {
            iFocus = -1;
        }
    }
    Notify(changeState, i_row);
    OnItemStateChanged(i_row, u_old, u_new);
}

BOOL ZelListModel::SetItemState(int i_row, UINT u_state, UINT u_mask)
{
    if (i_row == -1) {
        for (int i = 0; i < GetItemCount(); ++i)
            SetItemState(i, u_state, u_mask);
        return TRUE;
    }
    if (!ValidRow(i_row))
        return FALSE;
    if ((uStyle & LVS_SINGLESEL) && (u_mask & u_state & LVIS_SELECTED)) {
        for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) {
            if (i != i_row)
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }
    ChangeState(i_row, u_state, u_mask);
    return TRUE;
}

UINT ZelListModel::GetItemState(int i_row, UINT u_mask) const
{
    return ValidRow(i_row) ? vRows[i_row].uState & u_mask : 0;
}

int ZelListModel::GetNextItem(int i_start, UINT u_flags) const
{
    if (u_flags & LVNI_FOCUSED) {
        if (iFocus > i_start && (!(u_flags & LVNI_SELECTED) || (vRows[iFocus].uState & LVIS_SELECTED)))
            return iFocus;
        return -1;
    }
    if ((u_flags & LVNI_SELECTED) && nSelected == 0)
        return -1;
    for (int i = std::max(0, i_start + 1); i < GetItemCount(); ++i) {
        if ((vRows[i].uState & u_flags) == u_flags)
            return i;
    }
    return -1;
}

int ZelListModel::FindItemData(LPARAM l_data) const
{
    if (!bIndexValid) {
        mDataIndex.clear();
        mDataIndex.reserve(vRows.size());
        for (int i = 0; i < GetItemCount(); ++i)
            mDataIndex.emplace(vRows[i].lData, i);
        bIndexValid = true;
    }
    auto it = mDataIndex.find(l_data);
    return it == mDataIndex.end() ? -1 : it->second;
}

void ZelListModel::ReorderRows(const std::vector<int>& v_order)
{
    // v_order[i] is the old index of the row that goes to place i.
    std::vector<Row> v_rows;
    v_rows.reserve(vRows.size());
    std::vector<int> v_newIndex(vRows.size());
    for (std::size_t i = 0; i < v_order.size(); ++i) {
        v_newIndex[v_order[i]] = static_cast<int>(i);
        v_rows.push_back(std::move(vRows[v_order[i]]));
    }
    vRows.swap(v_rows);
    if (iFocus >= 0)
        iFocus = v_newIndex[iFocus];
    if (iAnchor >= 0)
        iAnchor = v_newIndex[iAnchor];
    InvalidateIndex();
    Notify(changeRows);
}

BOOL ZelListModel::SortItems(PFNLVCOMPARE pfn_compare, LPARAM l_sort)
{
    if (pfn_compare == nullptr)
        return FALSE;
    if (pfn_compare == &ZelListModel::ItemCompare) {
        // The default comparison reads the rows' texts; read each once
        // instead of finding both rows again for every comparison.
        const auto* p_sort = reinterpret_cast<const ZelListSort*>(l_sort);
        if (p_sort == nullptr)
            return FALSE;
        StableSortByTexts(*p_sort);
        return TRUE;
    }
    std::vector<int> v_order(vRows.size());
    std::iota(v_order.begin(), v_order.end(), 0);
    std::stable_sort(v_order.begin(), v_order.end(), [&](int i1, int i2) {
        return pfn_compare(vRows[i1].lData, vRows[i2].lData, l_sort) < 0;
    });
    ReorderRows(v_order);
    return TRUE;
}

void ZelListModel::StableSortByTexts(const ZelListSort& sort)
{
    int n_specs = 0;
    const ZelColSortSpec* p_specs = sort.GetCols(n_specs);
    struct Key {
        int iCol;
        bool bAscending;
    };
    std::vector<Key> v_keys;
    for (int i = 0; i < n_specs; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        if (i_col >= 0)
            v_keys.push_back({i_col, i_direction != 0});
    }
    const std::size_t n_rows = vRows.size();
    const std::size_t n_keys = v_keys.size();
    // Each row's compared texts, once: a view of the row's own text, or of
    // a text its owner supplied.
    std::vector<std::string> v_supplied;
    std::vector<std::string_view> v_texts(n_rows * n_keys);
    std::vector<std::pair<std::size_t, std::size_t>> v_pending;
    for (std::size_t r = 0; r < n_rows; ++r) {
        for (std::size_t k = 0; k < n_keys; ++k) {
            const int i_col = v_keys[k].iCol;
            const Row& row = vRows[r];
            if (i_col < static_cast<int>(row.vCells.size()) && row.vCells[i_col].bCallback) {
                v_pending.emplace_back(r * n_keys + k, v_supplied.size());
                v_supplied.push_back(GetCallbackText(static_cast<int>(r), i_col, row.lData));
            } else if (i_col < static_cast<int>(row.vCells.size())) {
                v_texts[r * n_keys + k] = row.vCells[i_col].sText;
            }
        }
    }
    for (const auto& [u_slot, u_text] : v_pending)
        v_texts[u_slot] = v_supplied[u_text];

    std::vector<int> v_order(n_rows);
    std::iota(v_order.begin(), v_order.end(), 0);
    std::stable_sort(v_order.begin(), v_order.end(), [&](int i1, int i2) {
        for (std::size_t k = 0; k < n_keys; ++k) {
            std::string_view s1 = v_texts[static_cast<std::size_t>(i1) * n_keys + k];
            std::string_view s2 = v_texts[static_cast<std::size_t>(i2) * n_keys + k];
            if (!v_keys[k].bAscending)
                std::swap(s1, s2);
            const int i = CompareText(s1, s2);
            if (i != 0)
                return i < 0;
        }
        return false;
    });
    ReorderRows(v_order);
}

BOOL ZelListModel::RedrawItems(int i_first, int i_last)
{
    if (i_first < 0 || i_last < i_first)
        return FALSE;
    for (int i = i_first; i <= i_last && i < GetItemCount(); ++i)
        Notify(changeRow, i);
    return TRUE;
}

void ZelListModel::SetImageList(int i_type, int i_width, int i_height, int n_images)
{
    if (i_type < LVSIL_NORMAL || i_type > LVSIL_STATE)
        return;
    aImageLists[i_type] = {i_width, i_height, n_images};
    Notify(changeRows);
}

bool ZelListModel::GetImageList(int i_type, int& i_width, int& i_height, int& n_images) const
{
    if (i_type < LVSIL_NORMAL || i_type > LVSIL_STATE || aImageLists[i_type].nImages <= 0)
        return false;
    i_width = aImageLists[i_type].iWidth;
    i_height = aImageLists[i_type].iHeight;
    n_images = aImageLists[i_type].nImages;
    return true;
}

// ---------------------------------------------------------------- scrolling

void ZelListModel::SetRowsArea(int i_cx, int i_cy)
{
    iClientWidth = std::max(0, i_cx);
    iClientHeight = std::max(0, i_cy);
    ClampTop();
}

void ZelListModel::SetRowHeight(int i_height)
{
    iRowHeight = std::max(1, i_height);
    ClampTop();
}

int ZelListModel::GetCountPerPage() const { return iClientHeight / iRowHeight; }

int ZelListModel::GetMaxTopIndex() const { return std::max(0, GetItemCount() - std::max(1, GetCountPerPage())); }

void ZelListModel::ClampTop()
{
    const int i_top = std::clamp(iTopIndex, 0, GetMaxTopIndex());
    if (i_top != iTopIndex) {
        iTopIndex = i_top;
        Notify(changeScroll);
    }
}

void ZelListModel::SetTopIndex(int i_top)
{
    i_top = std::clamp(i_top, 0, GetMaxTopIndex());
    if (i_top != iTopIndex) {
        iTopIndex = i_top;
        Notify(changeScroll);
    }
}

void ZelListModel::SetScrollX(int i_x)
{
    i_x = std::clamp(i_x, 0, std::max(0, GetTotalColumnWidth() - iClientWidth));
    if (i_x != iScrollX) {
        iScrollX = i_x;
        Notify(changeScroll);
    }
}

BOOL ZelListModel::EnsureVisible(int i_row, BOOL b_partialOK)
{
    if (!ValidRow(i_row))
        return FALSE;
    const int n_page = std::max(1, GetCountPerPage());
    if (i_row < iTopIndex) {
        SetTopIndex(i_row);
        return TRUE;
    }
    // A row below the last whole one may still show in part.
    const bool b_partShown = b_partialOK && i_row == iTopIndex + n_page && iClientHeight % iRowHeight != 0;
    if (i_row >= iTopIndex + n_page && !b_partShown)
        SetTopIndex(i_row - n_page + 1);
    return TRUE;
}

int ZelListModel::RowHitTest(int i_x, int i_y, int* p_col) const
{
    if (p_col)
        *p_col = -1;
    if (i_y < 0 || i_x < 0)
        return -1;
    const int i_row = iTopIndex + i_y / iRowHeight;
    if (!ValidRow(i_row))
        return -1;
    if (p_col) {
        int i_left = -iScrollX;
        for (int i_col : vOrder) {
            const int i_right = i_left + vColumns[i_col].iWidth;
            if (i_x >= i_left && i_x < i_right) {
                *p_col = i_col;
                break;
            }
            i_left = i_right;
        }
    }
    return i_row;
}

// ------------------------------------------------- focus and selection input

void ZelListModel::SelectRange(int i_from, int i_to, bool b_keepOthers)
{
    if (i_from > i_to)
        std::swap(i_from, i_to);
    if (!b_keepOthers) {
        for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) {
            if (i < i_from || i > i_to)
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }
    for (int i = i_from; i <= i_to; ++i)
        ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
}

void ZelListModel::MoveFocusTo(int i_row)
{
    if (ValidRow(i_row))
        ChangeState(i_row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ZelListModel::ClickRow(int i_row, bool b_shift, bool b_ctrl)
{
    const bool b_single = (uStyle & LVS_SINGLESEL) != 0;
    if (!ValidRow(i_row)) {
        if (!b_ctrl && !b_shift)
            UnselectAll();
        return;
    }
    if (b_single || (!b_shift && !b_ctrl)) {
        SelectRange(i_row, i_row, false);
        iAnchor = i_row;
    } else if (b_shift) {
        const int i_anchor = ValidRow(iAnchor) ? iAnchor : (iFocus >= 0 ? iFocus : i_row);
        SelectRange(i_anchor, i_row, b_ctrl);
        iAnchor = i_anchor;
    } else {
        const UINT u_sel = vRows[i_row].uState & LVIS_SELECTED;
        ChangeState(i_row, u_sel ? 0u : UINT(LVIS_SELECTED), LVIS_SELECTED);
        iAnchor = i_row;
    }
    MoveFocusTo(i_row);
    EnsureVisible(i_row, FALSE);
}

bool ZelListModel::KeyDown(ZelListKey e_key, bool b_shift, bool b_ctrl)
{
    const int n_rows = GetItemCount();
    if (n_rows == 0)
        return false;
    const bool b_single = (uStyle & LVS_SINGLESEL) != 0;
    const int i_focus = iFocus;
    if (e_key == ZelListKey::All) {
        // A list of one selection has no use for the key.
        if (b_single)
            return false;
        SelectRange(0, n_rows - 1, true);
        return true;
    }
    if (e_key == ZelListKey::Space) {
        if (i_focus < 0)
            return false;
        if (b_ctrl && !b_single) {
            const UINT u_sel = vRows[i_focus].uState & LVIS_SELECTED;
            ChangeState(i_focus, u_sel ? 0u : UINT(LVIS_SELECTED), LVIS_SELECTED);
            iAnchor = i_focus;
        } else if (b_shift && !b_single && ValidRow(iAnchor)) {
            SelectRange(iAnchor, i_focus, false);
        } else {
            SelectRange(i_focus, i_focus, false);
            iAnchor = i_focus;
        }
        return true;
    }
    const int n_page = std::max(1, GetCountPerPage());
    const int i_from = i_focus < 0 ? 0 : i_focus;
    int i_to = i_from;
    switch (e_key) {
    case ZelListKey::Up: i_to = i_focus < 0 ? 0 : i_from - 1; break;
    case ZelListKey::Down: i_to = i_focus < 0 ? 0 : i_from + 1; break;
    case ZelListKey::Home: i_to = 0; break;
    case ZelListKey::End: i_to = n_rows - 1; break;
    case ZelListKey::PageUp:
        // First to the top of the page, then a page further.
        i_to = i_from != iTopIndex ? iTopIndex : i_from - (n_page - 1);
        break;
    case ZelListKey::PageDown: {
        const int i_bottom = iTopIndex + n_page - 1;
        i_to = i_from != i_bottom ? i_bottom : i_from + (n_page - 1);
        break;
    }
    default: break;
    }
    i_to = std::clamp(i_to, 0, n_rows - 1);
    if (b_shift && !b_single) {
        const int i_anchor = ValidRow(iAnchor) ? iAnchor : i_from;
        SelectRange(i_anchor, i_to, false);
        iAnchor = i_anchor;
    } else if (!b_ctrl || b_single) {
        SelectRange(i_to, i_to, false);
        iAnchor = i_to;
    }
    MoveFocusTo(i_to);
    EnsureVisible(i_to, FALSE);
    return true;
}

// ------------------------------------------------------------------ sorting

void ZelListModel::Sort(int i_col, ZelListSort& sort, int i_direction, int b_toggle, PFNLVCOMPARE pfn_compare)
{
    const ZelColSortSpec spec(i_col, i_direction);
    Sort(&spec, 1, sort, b_toggle, pfn_compare);
}

void ZelListModel::Sort(const ZelColSortSpec* p_specs, int n_specs, ZelListSort& sort, int b_toggle,
                        PFNLVCOMPARE pfn_compare)
{
    if (n_specs <= 0 || p_specs == nullptr)
        return;
    ZelWaitCursor wait(uSortCursorId);
    int n_held = 0;
    const ZelColSortSpec* p_held = sort.GetCols(n_held);
    bool b_flip = b_toggle && n_held == n_specs && p_held != nullptr;
    if (b_flip) {
        int i_direction = 0;
        b_flip = p_held[0].GetCol(i_direction) == p_specs[0].GetCol(i_direction);
        for (int i = 1; b_flip && i < n_specs; ++i)
            b_flip = p_held[i] == p_specs[i];
    }
    if (b_flip) {
        // The second click on the same column header reverses it.
        std::vector<ZelColSortSpec> v_specs(p_held, p_held + n_held);
        int i_direction = 0;
        const int i_col = v_specs[0].GetCol(i_direction);
        v_specs[0].SetCol(i_col, i_direction == 0 ? 1 : 0);
        sort.SetCols(v_specs.data(), n_held);
    } else {
        sort.SetCols(p_specs, n_specs);
        sort.SetCtrl(pOwnerCtrl);
    }
    TryFastSort(pfn_compare, sort);
    ShowSort(sort);
}

void ZelListModel::ReSort(ZelListSort& sort, PFNLVCOMPARE pfn_compare)
{
    int n_specs = 0;
    const ZelColSortSpec* p_specs = sort.GetCols(n_specs);
    if (p_specs == nullptr || n_specs == 0)
        return;
    // The specs are copied: sorting hands them back to the same state.
    const std::vector<ZelColSortSpec> v_specs(p_specs, p_specs + n_specs);
    Sort(v_specs.data(), n_specs, sort, 0, pfn_compare);
}

BOOL ZelListModel::TryFastSort(PFNLVCOMPARE pfn_compare, ZelListSort& sort)
{
    ZelListSort::SortIndexFunc pfn_index = sort.GetSortIndexFunc();
    if (pfn_index != nullptr && GetItemCount() > 1 && vRows[0].lData != vRows[1].lData) {
        // The rows show themselves through their item data: only the data
        // move, the texts stay.
        std::vector<int> v_order(vRows.size());
        std::iota(v_order.begin(), v_order.end(), 0);
        std::stable_sort(v_order.begin(), v_order.end(),
                         [&](int i1, int i2) { return pfn_index(i1, i2, &sort) < 0; });
        std::vector<LPARAM> v_data(vRows.size());
        for (std::size_t i = 0; i < v_order.size(); ++i)
            v_data[i] = vRows[v_order[i]].lData;
        for (std::size_t i = 0; i < v_data.size(); ++i)
            vRows[i].lData = v_data[i];
        InvalidateIndex();
        UpdateAll();
        return TRUE;
    }
    return SortItems(pfn_compare ? pfn_compare : &ZelListModel::ItemCompare, reinterpret_cast<LPARAM>(&sort));
}

void ZelListModel::ShowSort(const ZelListSort& sort)
{
    if (!HasHeader() || !bShowSortDirection)
        return;
    int n_specs = 0;
    const ZelColSortSpec* p_specs = sort.GetCols(n_specs);
    int i_direction = 0;
    const int i_sortCol = p_specs != nullptr && n_specs > 0 ? p_specs[0].GetCol(i_direction) : -1;
    for (int i = 0; i < GetColumnCount(); ++i) {
        if (i != i_sortCol)
            SetHeaderSortType(i, sortNone);
    }
    if (i_sortCol >= 0)
        SetHeaderSortType(i_sortCol, i_direction > 0 ? sortAscending : sortDescending);
}

int ZelListModel::CompareRows(int i_row1, int i_row2, const ZelListSort& sort) const
{
    int n_specs = 0;
    const ZelColSortSpec* p_specs = sort.GetCols(n_specs);
    for (int i = 0; i < n_specs && p_specs != nullptr; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        if (i_col < 0)
            continue;
        const std::string s1 = GetItemText(i_direction == 0 ? i_row2 : i_row1, i_col);
        const std::string s2 = GetItemText(i_direction == 0 ? i_row1 : i_row2, i_col);
        const int i_result = CompareText(s1, s2);
        if (i_result != 0)
            return i_result;
    }
    return 0;
}

int ZelListModel::ItemCompare(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort)
{
    auto* p_sort = reinterpret_cast<ZelListSort*>(l_sort);
    const ZelListModel* p_list = p_sort ? ZelListModelOf(p_sort->GetCtrl()) : nullptr;
    if (p_list == nullptr)
        return 0;
    return p_list->CompareRows(p_list->FindItemData(l_data1), p_list->FindItemData(l_data2), *p_sort);
}

int ZelListModel::ItemCompareByIndex(int i_row1, int i_row2, ZelListSort* p_sort)
{
    const ZelListModel* p_list = p_sort ? ZelListModelOf(p_sort->GetCtrl()) : nullptr;
    return p_list ? p_list->CompareRows(i_row1, i_row2, *p_sort) : 0;
}

// -------------------------------------------------------------- auto-size

BOOL ZelListModel::GetHdrBitmapSize(int i_col, int& i_cx, int& i_cy) const
{
    if (!HasHeader() || i_col < 0 || i_col >= GetColumnCount())
        return FALSE;
    const bool b_arrow = vColumns[i_col].iSortType != sortNone;
    i_cx = b_arrow ? iSortArrowSize : 0;
    i_cy = b_arrow ? iSortArrowSize : 0;
    return TRUE;
}

int ZelListModel::GetImageOffset(int i_imageListType, int i_image) const
{
    int i_width = 0, i_height = 0, n_images = 0;
    if (!GetImageList(i_imageListType, i_width, i_height, n_images) || i_image < 0 || i_image >= n_images)
        return 0;
    return ComputeImageOffset(i_width);
}

void ZelListModel::AutoSizeColumns(int i_first, int i_last)
{
    const int n_cols = GetColumnCount();
    if (n_cols == 0)
        return;
    if (i_first < 0)
        i_first = 0;
    if (i_last < 0 || i_last >= n_cols)
        i_last = n_cols - 1;
    if (i_first > i_last)
        return;
    std::vector<int> v_header(n_cols, 0), v_cells(n_cols, 0);
    const int i_lastDisplayed = vOrder.empty() ? n_cols - 1 : vOrder.back();
    bool b_fill = false;
    for (int c = i_first; c <= i_last; ++c) {
        v_header[c] = GetStringWidth(vColumns[c].sTitle) + 16;
        int i_bmpX = 0, i_bmpY = 0;
        if (GetHdrBitmapSize(c, i_bmpX, i_bmpY) && i_bmpX != 0)
            v_header[c] += i_bmpX + iBitmapOffset;
        if (c == i_lastDisplayed)
            b_fill = true;
    }
    const int i_imageOffset = GetImageOffset(LVSIL_SMALL, 0);

    int i_start = 0;
    int i_end = GetItemCount();
    if (GetItemCount() > iMaxRowScan) {
        int i_centre = iFocus;
        if (i_centre < 0)
            i_centre = GetNextItem(-1, LVNI_SELECTED);
        if (i_centre < 0)
            i_centre = 0;
        i_start = std::max(0, i_centre - iMaxRowScan / 2);
        i_end = std::min(GetItemCount(), i_start + iMaxRowScan);
    }
    for (int r = i_start; r < i_end; ++r) {
        for (int c = i_first; c <= i_last; ++c) {
            const int i_text = GetStringWidth(GetItemText(r, c));
            const int i_width = c == 0 ? i_text + i_imageOffset + 8 : i_text + 8 + 8;
            v_cells[c] = std::max(v_cells[c], i_width);
        }
    }
    if (b_fill) {
        int i_sum = 0;
        for (int c : vOrder) {
            if (c == i_lastDisplayed)
                continue;
            i_sum += c >= i_first && c <= i_last ? std::max(v_header[c], v_cells[c]) : vColumns[c].iWidth;
        }
        if (v_cells[i_lastDisplayed] + i_sum < iClientWidth)
            v_cells[i_lastDisplayed] = iClientWidth - i_sum;
    }
    for (int c = i_first; c <= i_last; ++c)
        vColumns[c].iWidth = std::max(v_header[c], v_cells[c]);
    Notify(changeColumns | changeRows);
}

int ZelListModel::FindClickedItem(int i_x, int i_y, int* p_col) const
{
    int i_found = -1;
    const int i_end = std::min(GetItemCount(), iTopIndex + GetCountPerPage() + 1);
    for (int i = iTopIndex; i < i_end; ++i) {
        const int i_top = (i - iTopIndex) * iRowHeight;
        if (i_y >= i_top && i_y < i_top + iRowHeight && i_x >= -iScrollX && i_x < GetTotalColumnWidth() - iScrollX) {
            i_found = i;
            break;
        }
    }
    if (p_col) {
        *p_col = -1;
        int i_left = 0;
        for (int c = 0; c < GetColumnCount(); ++c) {
            const int i_right = i_left + vColumns[c].iWidth;
            if (i_x >= i_left && i_x < i_right) {
                *p_col = c;
                break;
            }
            i_left = i_right;
        }
    }
    return i_found;
}

// ---------------------------------------------------------------- selection

int ZelListModel::GetSelItems(ZelArray<UINT>& a_rows) const
{
    a_rows.RemoveAll();
    const int n_count = GetSelectedCount();
    if (n_count < 1)
        return n_count;
    a_rows.SetSize(n_count);
    int n_filled = 0;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && n_filled < n_count; i = GetNextItem(i, LVNI_SELECTED))
        a_rows[n_filled++] = static_cast<UINT>(i);
    return n_filled;
}

int ZelListModel::GetSelItems(std::unique_ptr<int[]>& p_rows) const
{
    p_rows.reset();
    ZelArray<UINT> a_rows;
    const int n_rows = GetSelItems(a_rows);
    if (n_rows < 1)
        return n_rows;
    p_rows = std::make_unique<int[]>(static_cast<std::size_t>(n_rows));
    for (int i = 0; i < n_rows; ++i)
        p_rows[i] = static_cast<int>(a_rows[i]);
    return n_rows;
}

int ZelListModel::GetSelectedItemIndex() const
{
    return GetSelectedCount() == 1 ? GetNextItem(-1, LVNI_SELECTED) : -1;
}

void ZelListModel::UnselectAll()
{
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
        ChangeState(i, 0, LVIS_SELECTED);
}

void ZelListModel::SelectItem(int i_row) { SetItemState(i_row, LVIS_SELECTED, LVIS_SELECTED); }

void ZelListModel::SetFocusItem(int i_row) { SetItemState(i_row, LVIS_FOCUSED, LVIS_FOCUSED); }

void ZelListModel::EnsureFocusVisible(BOOL b_partialOK)
{
    if (iFocus >= 0)
        EnsureVisible(iFocus, b_partialOK);
}

void ZelListModel::DrawEmptyFocus() { Notify(changeFocusFrame); }

void ZelListModel::GetEmptyFocusRect(int& i_left, int& i_top, int& i_right, int& i_bottom) const
{
    // The place of the first row: the header's height below the header.
    const int i_header = GetHeaderHeight();
    if (i_header > 0) {
        i_left = 0;
        i_right = GetTotalColumnWidth() - iScrollX;
        i_top = 1;
        i_bottom = i_header + 1;
        return;
    }
    const int n_page = GetCountPerPage();
    i_left = 0;
    i_right = iClientWidth;
    i_top = 0;
    i_bottom = iClientHeight / (n_page == 0 ? 10 : n_page);
}

void ZelListModel::DrawFocus(BOOL b_focus, BOOL b_ensureVisible)
{
    if (!b_focus) {
        if (GetItemCount() == 0 && bFocusDrawn)
            DrawEmptyFocus();
        bFocusDrawn = FALSE;
        return;
    }
    if (GetItemCount() == 0) {
        if (bFocusDrawn)
            return;
        bFocusDrawn = TRUE;
        DrawEmptyFocus();
        return;
    }
    if (iFocus < 0) {
        const int i_sel = GetNextItem(-1, LVNI_SELECTED);
        SetFocusItem(i_sel >= 0 ? i_sel : 0);
    }
    if (b_ensureVisible)
        EnsureVisible(iFocus, FALSE);
}

// ------------------------------------------------------------- moving rows

int ZelListModel::MoveSelFrom(ZelListModel& source, std::unique_ptr<LPARAM[]>& p_data, int n_cols,
                              BOOL b_callbackText)
{
    p_data.reset();
    if (GetColumnCount() < n_cols || source.GetColumnCount() < n_cols)
        return -1;
    ZelArray<UINT> a_rows;
    const int n_sel = source.GetSelItems(a_rows);
    if (n_sel < 1)
        return 0;
    p_data = std::make_unique<LPARAM[]>(static_cast<std::size_t>(n_sel));
    int n_moved = 0;
    for (int i = 0; i < n_sel; ++i) {
        const int i_src = static_cast<int>(a_rows[i]);
        const LPARAM l_data = source.GetItemData(i_src);
        const std::string s_first = b_callbackText ? std::string() : source.GetItemText(i_src, 0);
        const int i_new = InsertItem(GetItemCount(), b_callbackText ? LPSTR_TEXTCALLBACK : s_first.c_str(), l_data);
        if (i_new < 0)
            break;
        for (int c = 1; c < n_cols; ++c) {
            if (b_callbackText)
                SetItemText(i_new, c, LPSTR_TEXTCALLBACK);
            else
                SetItemText(i_new, c, source.GetItemText(i_src, c));
        }
        SelectItem(i_new);
        p_data[n_moved++] = l_data;
    }
    for (int i = n_moved - 1; i >= 0; --i)
        source.DeleteItem(static_cast<int>(a_rows[i]));
    return n_moved;
}

int ZelListModel::MoveOnePosition(BOOL b_up)
{
    ZelArray<UINT> a_rows;
    const int n_sel = GetSelItems(a_rows);
    if (n_sel < 1)
        return 1;
    for (int k = 0; k < n_sel; ++k) {
        const int i_row = static_cast<int>(a_rows[b_up ? k : n_sel - 1 - k]);
        if ((b_up && i_row == 0) || (!b_up && i_row == GetItemCount() - 1))
            continue;
        // The whole row: every cell's whole text (or its callback), and
        // column 0's image, item data, indent and states.
        Row copy = vRows[i_row];
        const int i_target = b_up ? i_row - 1 : i_row + 2;
        ZelLVItem item;
        item.uMask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT | LVIF_STATE;
        item.iItem = i_target;
        item.bTextCallback = !copy.vCells.empty() && copy.vCells[0].bCallback;
        item.sText = copy.vCells.empty() ? std::string() : copy.vCells[0].sText;
        item.iImage = copy.iImage;
        item.lParam = copy.lData;
        item.iIndent = copy.iIndent;
        item.uState = copy.uState & (LVIS_FOCUSED | LVIS_SELECTED);
        item.uStateMask = LVIS_FOCUSED | LVIS_SELECTED;
        // The old row gives up its states first, so that the copy takes
        // them over whole.
        ChangeState(i_row, 0, LVIS_FOCUSED | LVIS_SELECTED);
        const int i_new = InsertItem(item);
        if (i_new < 0)
            break;
        for (std::size_t c = 1; c < copy.vCells.size(); ++c)
            SetCellText(vRows[i_new], static_cast<int>(c),
                        copy.vCells[c].bCallback ? LPSTR_TEXTCALLBACK : copy.vCells[c].sText.c_str());
        DeleteItem(b_up ? i_row + 1 : i_row);
        a_rows[b_up ? k : n_sel - 1 - k] = static_cast<UINT>(b_up ? i_target : i_target - 1);
    }
    return 1;
}

// --------------------------------------------------------------- defaults

std::string ZelListModel::GetCallbackText(int, int, LPARAM) const { return {}; }

int ZelListModel::GetStringWidth(const std::string& s_text) const
{
    return static_cast<int>(s_text.size()) * iAverageCharWidth;
}
