#include "zelkit/import/ZelCheckList.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <vector>

ZelCheckListLayer::ZelCheckListLayer(ZelListModel& list) : List(list) {}

int ZelCheckListLayer::StateFromText(const char* p_text)
{
    if (p_text == LPSTR_TEXTCALLBACK)
        return stateCallback;
    if (p_text == nullptr)
        return stateUnchecked;
    // Read as a number the way the list's owners wrote them: blanks, a
    // sign, digits; what follows is ignored.
    const char* p = p_text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool b_negative = false;
    if (*p == '+' || *p == '-')
        b_negative = *p++ == '-';
    long l_value = 0;
    while (std::isdigit(static_cast<unsigned char>(*p)) && l_value <= nStates)
        l_value = l_value * 10 + (*p++ - '0');
    if (b_negative || l_value >= nStates)
        return stateUnchecked;
    return static_cast<int>(l_value);
}

ZelCheckListLayer::ItemInfo* ZelCheckListLayer::Info(int i_row)
{
    const int i_key = GetItemKey(i_row);
    auto it = mItems.find(i_key);
    return it == mItems.end() ? nullptr : &it->second;
}

const ZelCheckListLayer::ItemInfo* ZelCheckListLayer::Info(int i_row) const
{
    const int i_key = GetItemKey(i_row);
    auto it = mItems.find(i_key);
    return it == mItems.end() ? nullptr : &it->second;
}

int ZelCheckListLayer::GetItemKey(int i_row) const
{
    if (i_row < 0 || i_row >= List.GetItemCount())
        return -1;
    return static_cast<int>(List.GetItemData(i_row));
}

void ZelCheckListLayer::StoreState(int i_row, ItemInfo& info, int i_col, int e_state)
{
    info.mStates[i_col] = e_state;
    List.SetItemText(i_row, i_col, std::to_string(e_state));
}

// ------------------------------------------------------------ check columns

BOOL ZelCheckListLayer::SetCheckColumn(UINT u_col)
{
    const int i_col = static_cast<int>(u_col);
    if (i_col >= List.GetColumnCount() || List.GetItemCount() > 0)
        return FALSE;
    mColumns.emplace(i_col, styleFirst);
    return TRUE;
}

BOOL ZelCheckListLayer::GetCheckColumnStyle(UINT u_col, eStyle& e_style) const
{
    auto it = mColumns.find(static_cast<int>(u_col));
    if (static_cast<int>(u_col) >= List.GetColumnCount() || it == mColumns.end())
        return FALSE;
    e_style = static_cast<eStyle>(it->second);
    return TRUE;
}

BOOL ZelCheckListLayer::SetCheckColumnStyle(UINT u_col, eStyle e_style)
{
    auto it = mColumns.find(static_cast<int>(u_col));
    if (static_cast<int>(u_col) >= List.GetColumnCount() || it == mColumns.end())
        return FALSE;
    it->second = e_style;
    List.UpdateAll();
    return TRUE;
}

int ZelCheckListLayer::GetCheckState(int i_row, UINT u_col) const
{
    const int i_col = static_cast<int>(u_col);
    const ItemInfo* p_info = Info(i_row);
    if (i_col >= List.GetColumnCount() || p_info == nullptr)
        return stateCheckedGrey;
    auto it = p_info->mStates.find(i_col);
    return it == p_info->mStates.end() ? stateCheckedGrey : it->second;
}

bool ZelCheckListLayer::HasCheckState(int i_row, int i_col) const
{
    const ItemInfo* p_info = Info(i_row);
    return p_info != nullptr && p_info->mStates.count(i_col) != 0;
}

BOOL ZelCheckListLayer::SetCheckState(int i_row, UINT u_col, int e_state)
{
    const int i_col = static_cast<int>(u_col);
    ItemInfo* p_info = Info(i_row);
    if (i_col >= List.GetColumnCount() || e_state < 0 || e_state >= nStates || p_info == nullptr
        || p_info->mStates.count(i_col) == 0)
        return FALSE;
    StoreState(i_row, *p_info, i_col, e_state);
    RedrawRow(i_row);
    return TRUE;
}

int ZelCheckListLayer::CountItemsByState(UINT u_col, int e_state) const
{
    int n_found = 0;
    for (int i = 0; i < List.GetItemCount(); ++i) {
        const ItemInfo* p_info = Info(i);
        if (p_info == nullptr)
            continue;
        auto it = p_info->mStates.find(static_cast<int>(u_col));
        if (it != p_info->mStates.end() && it->second == e_state)
            ++n_found;
    }
    return n_found;
}

int ZelCheckListLayer::GetItemsByState(std::unique_ptr<int[]>& p_rows, UINT u_col, int e_state) const
{
    p_rows.reset();
    const int n_found = CountItemsByState(u_col, e_state);
    if (n_found == 0)
        return 0;
    p_rows = std::make_unique<int[]>(static_cast<std::size_t>(n_found));
    int n = 0;
    for (int i = 0; i < List.GetItemCount() && n < n_found; ++i) {
        const ItemInfo* p_info = Info(i);
        if (p_info == nullptr)
            continue;
        auto it = p_info->mStates.find(static_cast<int>(u_col));
        if (it != p_info->mStates.end() && it->second == e_state)
            p_rows[n++] = i;
    }
    return n;
}

// ---------------------------------------------------------------- rows

int ZelCheckListLayer::InsertItem(int i_row, const char* p_text, LPARAM l_data)
{
    ZelLVItem item;
    item.uMask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i_row;
    item.bTextCallback = p_text == LPSTR_TEXTCALLBACK;
    if (!item.bTextCallback && p_text != nullptr)
        item.sText = p_text;
    item.lParam = l_data;
    return InsertItem(item);
}

int ZelCheckListLayer::InsertItem(const ZelLVItem& item)
{
    ItemInfo info;
    info.iKey = NextKey();
    info.lData = (item.uMask & LVIF_PARAM) ? item.lParam : 0;
    for (const auto& [i_col, i_style] : mColumns) {
        (void)i_style;
        info.mStates[i_col] = stateUnchecked;
    }
    const bool b_col0Check = IsCheckColumn(0);
    if (b_col0Check && (item.uMask & LVIF_TEXT) && item.bTextCallback)
        info.mStates[0] = stateCallback;

    ZelLVItem inserted = item;
    inserted.uMask |= LVIF_PARAM;
    inserted.lParam = info.iKey;
    if (b_col0Check && (inserted.uMask & LVIF_TEXT)) {
        inserted.bTextCallback = false;
        inserted.sText = std::to_string(info.mStates[0]);
    }
    const int i_key = info.iKey;
    auto [it, b_new] = mItems.emplace(i_key, std::move(info));
    (void)b_new;
    const int i_new = List.InsertItem(inserted);
    if (i_new < 0) {
        mItems.erase(it);
        return i_new;
    }
    for (const auto& [i_col, i_state] : it->second.mStates)
        List.SetItemText(i_new, i_col, std::to_string(i_state));
    return i_new;
}

BOOL ZelCheckListLayer::SetItem(const ZelLVItem& item)
{
    ItemInfo* p_info = Info(item.iItem);
    if (p_info == nullptr)
        return FALSE;
    ZelLVItem rest = item;
    if ((rest.uMask & LVIF_TEXT) && IsCheckColumn(item.iSubItem)) {
        SetCheckState(item.iItem, static_cast<UINT>(item.iSubItem),
                      StateFromText(item.bTextCallback ? LPSTR_TEXTCALLBACK : item.sText.c_str()));
        rest.uMask &= ~LVIF_TEXT;
    }
    const bool b_param = (rest.uMask & LVIF_PARAM) != 0;
    rest.uMask &= ~LVIF_PARAM;
    const BOOL b_done = rest.uMask == 0 ? TRUE : List.SetItem(rest);
    if (b_done && b_param)
        p_info->lData = item.lParam;
    return b_done;
}

BOOL ZelCheckListLayer::GetItem(ZelLVItem& item, UINT u_wParam) const
{
    const ItemInfo* p_info = Info(item.iItem);
    if (!List.GetItem(item))
        return FALSE;
    if ((item.uMask & LVIF_TEXT) && IsCheckColumn(item.iSubItem)) {
        const int i_state = GetCheckState(item.iItem, static_cast<UINT>(item.iSubItem));
        item.bTextCallback = i_state == stateCallback && (item.uMask & LVIF_NORECOMPUTE);
        item.sText = item.bTextCallback ? std::string() : std::to_string(i_state);
    }
    if ((item.uMask & LVIF_PARAM) && p_info != nullptr && u_wParam != wGetKey)
        item.lParam = p_info->lData;
    return TRUE;
}

BOOL ZelCheckListLayer::SetItemText(int i_row, int i_col, const char* p_text)
{
    if (IsCheckColumn(i_col))
        return SetCheckState(i_row, static_cast<UINT>(i_col), StateFromText(p_text));
    if (!List.SetItemText(i_row, i_col, p_text))
        return FALSE;
    if (p_text != LPSTR_TEXTCALLBACK)
        NotifySetText(i_row, i_col, p_text ? p_text : "");
    return TRUE;
}

std::string ZelCheckListLayer::GetItemText(int i_row, int i_col) const
{
    if (IsCheckColumn(i_col))
        return std::to_string(GetCheckState(i_row, static_cast<UINT>(i_col)));
    return List.GetItemText(i_row, i_col);
}

BOOL ZelCheckListLayer::DeleteItem(int i_row)
{
    const int i_key = GetItemKey(i_row);
    if (!List.DeleteItem(i_row))
        return FALSE;
    mItems.erase(i_key);
    return TRUE;
}

BOOL ZelCheckListLayer::DeleteAllItems()
{
    if (!List.DeleteAllItems())
        return FALSE;
    mItems.clear();
    return TRUE;
}

int ZelCheckListLayer::FindItemData(LPARAM l_data, int i_start) const
{
    for (int i = std::max(0, i_start + 1); i < List.GetItemCount(); ++i) {
        const ItemInfo* p_info = Info(i);
        if (p_info != nullptr && p_info->lData == l_data)
            return i;
    }
    return -1;
}

BOOL ZelCheckListLayer::SetItemData(int i_row, LPARAM l_data)
{
    ItemInfo* p_info = Info(i_row);
    if (p_info == nullptr)
        return FALSE;
    p_info->lData = l_data;
    return TRUE;
}

LPARAM ZelCheckListLayer::GetItemData(int i_row) const
{
    const ItemInfo* p_info = Info(i_row);
    return p_info ? p_info->lData : 0;
}

// ------------------------------------------------------------- columns

int ZelCheckListLayer::GetColumnWidth(int i_col) const
{
    const int i_width = List.GetColumnWidth(i_col);
    return IsCheckColumn(i_col) ? std::max(i_width, iImageCx) : i_width;
}

BOOL ZelCheckListLayer::GetColumn(int i_col, std::string* p_title, int* p_format, int* p_width) const
{
    if (!List.GetColumn(i_col, p_title, p_format, p_width))
        return FALSE;
    if (p_width != nullptr && IsCheckColumn(i_col))
        *p_width = std::max(*p_width, iImageCx);
    return TRUE;
}

int ZelCheckListLayer::InsertColumn(int i_col, const std::string& s_title, int i_format, int i_width)
{
    const int i_new = List.InsertColumn(i_col, s_title, i_format, i_width);
    if (i_new < 0)
        return i_new;
    // A column put before check columns moves them one to the right.
    ShiftColumns(i_new, 1);
    if (i_new == 0)
        iCol0Align = i_format;
    return i_new;
}

BOOL ZelCheckListLayer::SetColumnFormat(int i_col, int i_format)
{
    if (i_col < 0 || i_col >= List.GetColumnCount())
        return FALSE;
    if (i_col == 0)
        iCol0Align = i_format;
    return TRUE;
}

BOOL ZelCheckListLayer::DeleteColumn(int i_col)
{
    if (!List.DeleteColumn(i_col))
        return FALSE;
    mColumns.erase(i_col);
    for (auto& [i_key, info] : mItems) {
        (void)i_key;
        info.mStates.erase(i_col);
    }
    // The columns to its right moved one to the left: their check boxes and
    // states go with them.
    ShiftColumns(i_col + 1, -1);
    return TRUE;
}

void ZelCheckListLayer::ShiftColumns(int i_from, int i_by)
{
    auto shift = [&](std::map<int, int>& m) {
        std::map<int, int> m_moved;
        for (const auto& [i_col, i_value] : m)
            m_moved.emplace(i_col >= i_from ? i_col + i_by : i_col, i_value);
        m.swap(m_moved);
    };
    shift(mColumns);
    for (auto& [i_key, info] : mItems) {
        (void)i_key;
        shift(info.mStates);
    }
}

// ------------------------------------------------------ toggles, geometry

void ZelCheckListLayer::SetCheckImageSize(int i_cx, int i_cy)
{
    iImageCx = i_cx;
    iImageCy = i_cy;
}

void ZelCheckListLayer::GetCheckedRect(int i_left, int i_width, int i_top, int i_height, int& i_x, int& i_y) const
{
    i_x = i_left + std::max(1, (i_width - iImageCx) / 2);
    i_y = i_top + std::max(0, (i_height - iImageCy) / 2);
}

int ZelCheckListLayer::GetColumnLeft(int i_col) const
{
    std::vector<int> v_order;
    List.GetColumnOrderArray(v_order);
    int i_left = -List.GetScrollX();
    for (int c : v_order) {
        if (c == i_col)
            return i_left;
        i_left += GetColumnWidth(c);
    }
    return i_left;
}

int ZelCheckListLayer::ColHitTest(int i_x, int i_y, int& i_col) const
{
    i_col = -1;
    int i_hitCol = -1;
    const int i_row = List.RowHitTest(i_x, i_y, &i_hitCol);
    if (i_row < 0 || !IsCheckColumn(i_hitCol))
        return -1;
    const int i_top = (i_row - List.GetTopIndex()) * List.GetRowHeight();
    int i_bx = 0, i_by = 0;
    GetCheckedRect(GetColumnLeft(i_hitCol), GetColumnWidth(i_hitCol), i_top, List.GetRowHeight(), i_bx, i_by);
    if (i_x < i_bx || i_x >= i_bx + iImageCx || i_y < i_by || i_y >= i_by + iImageCy)
        return -1;
    i_col = i_hitCol;
    return i_row;
}

BOOL ZelCheckListLayer::Toggle(int i_row, int i_col)
{
    ItemInfo* p_info = Info(i_row);
    if (p_info == nullptr)
        return FALSE;
    auto it = p_info->mStates.find(i_col);
    if (it == p_info->mStates.end())
        return FALSE;
    const int i_old = it->second;
    const int i_new = i_old == stateChecked ? stateUnchecked : i_old == stateCallback ? stateCallback : stateChecked;
    StoreState(i_row, *p_info, i_col, i_new);
    ZelNMListView nm;
    nm.iItem = i_row;
    nm.iSubItem = i_col;
    nm.uNewState = static_cast<UINT>(i_new);
    nm.uOldState = static_cast<UINT>(i_old);
    nm.uChanged = uToggleChanged;
    nm.lParam = p_info->lData;
    NotifyChange(nm);
    RedrawRow(i_row);
    return TRUE;
}

BOOL ZelCheckListLayer::ClickAt(int i_x, int i_y)
{
    int i_col = -1;
    const int i_row = ColHitTest(i_x, i_y, i_col);
    return i_row >= 0 ? Toggle(i_row, i_col) : FALSE;
}

BOOL ZelCheckListLayer::ToggleFocused()
{
    const int i_row = List.GetFocusItemIndex();
    if (i_row < 0 || mColumns.empty())
        return FALSE;
    return Toggle(i_row, mColumns.begin()->first);
}

int ZelCheckListLayer::FetchCheckState(int i_row, int i_col)
{
    const int i_state = GetCheckState(i_row, static_cast<UINT>(i_col));
    if (i_state != stateCallback)
        return i_state;
    std::string s_text;
    UINT u_mask = LVIF_TEXT;
    AskCallbackState(i_row, i_col, s_text, u_mask);
    const int i_asked = StateFromText(s_text.c_str());
    if (u_mask & LVIF_DI_SETITEM) {
        if (ItemInfo* p_info = Info(i_row))
            StoreState(i_row, *p_info, i_col, i_asked);
    }
    return i_asked;
}

void ZelCheckListLayer::AskCallbackState(int, int, std::string&, UINT&) {}
