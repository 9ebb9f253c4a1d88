#include "sheets/StyleFacilityPPage.h"

int StyleFacilityListAdapter::GetRowCount() const { return List.GetItemCount(); }

std::string StyleFacilityListAdapter::GetRowName(int i_row) const { return List.GetItemText(i_row, 1); }

void StyleFacilityListAdapter::SetRowName(int i_row, const std::string& s_name) { List.SetItemText(i_row, 1, s_name); }

LONG StyleFacilityListAdapter::GetRowKey(int i_row) const { return static_cast<LONG>(List.GetItemData(i_row)); }

void StyleFacilityListAdapter::SetRowKey(int i_row, LONG l_key) { List.SetItemData(i_row, l_key); }

BOOL StyleFacilityListAdapter::IsRowChecked(int i_row) const
{
    return List.GetCheckState(i_row, 0) == ZelCheckListLayer::stateChecked;
}

void StyleFacilityListAdapter::SetRowChecked(int i_row, BOOL b_checked)
{
    List.SetCheckState(i_row, 0, b_checked ? ZelCheckListLayer::stateChecked : ZelCheckListLayer::stateUnchecked);
}

int StyleFacilityListAdapter::AppendRow(const std::string& s_name, LONG l_key, BOOL b_checked)
{
    const int i_row = List.InsertItem(List.GetItemCount(), "0", l_key);
    if (i_row < 0)
        return -1;
    List.SetItemText(i_row, 1, s_name);
    SetRowChecked(i_row, b_checked);
    return i_row;
}

void StyleFacilityListAdapter::DeleteRow(int i_row) { List.DeleteItem(i_row); }

std::vector<int> StyleFacilityListAdapter::GetSelectedRows() const
{
    std::vector<int> v_rows;
    for (int i = List.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = List.GetNextItem(i, LVNI_SELECTED))
        v_rows.push_back(i);
    return v_rows;
}

void SetUpStyleFacilityList(ZelEditListCtrl& list)
{
    list.InsertColumn(0, std::string(), LVCFMT_CENTER);
    list.InsertColumn(1, std::string(), LVCFMT_LEFT);
    list.SetCheckColumn(0);
    list.SetCheckColumnStyle(0, ZelCheckListLayer::styleSecond);
    list.SetExtendedListStyle(list.GetExtendedListStyle() | LVS_EX_FULLROWSELECT);
    list.AddEditColumn(1, ZelEditListRules::editBox, TRUE, FALSE);
    const int i_checkWidth = list.GetColumnWidth(0);
    list.SetColumnWidth(1, std::max(list.GetClientSize().x - i_checkWidth - 16, 20));
    list.SetColumnWidth(0, i_checkWidth);
    list.AutoSizeColumns();
}

void SortStyleFacilityList(ZelEditListCtrl& list, ZelListSort& sort)
{
    list.Sort(1, sort, ZelColSortSpec::kAscending, FALSE, &ZelCheckListLayer::ItemCompare);
}

void ShowFirstChecked(ZelEditListCtrl& list)
{
    std::unique_ptr<int[]> p_rows;
    const int n_checked = list.GetItemsByState(p_rows, 0, ZelCheckListLayer::stateChecked);
    if (n_checked <= 0)
        return;
    if (list.GetFocusItemIndex() < 0)
        list.SetFocusItem(p_rows[0]);
    list.EnsureVisible(p_rows[n_checked - 1], FALSE);
    list.EnsureVisible(p_rows[0], FALSE);
}

void ShowRowNamed(ZelEditListCtrl& list, const std::string& s_name)
{
    const int i_row = list.Find(1, s_name, -1);
    if (i_row >= 0)
        list.EnsureVisible(i_row, FALSE);
}
