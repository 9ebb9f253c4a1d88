#include "shell/lists/SelectColumns.h"

#include <memory>

SelectColumnsModel::SelectColumnsModel(SelectColumnsData& data, ZelListModel& available, ZelListModel& selected)
    : Data(data), Available(available), Selected(selected)
{
}

std::string SelectColumnsModel::PrintGroupText(const std::string& s_text) const
{
    if (Data.sItems.empty())
        return s_text;
    const std::size_t i = s_text.find("selection");
    return (i == std::string::npos ? s_text : s_text.substr(0, i)) + Data.sItems;
}

void SelectColumnsModel::Fill(ZelListModel& list, const ZelStringArray& a_titles)
{
    list.DeleteAllItems();
    if (list.GetColumnCount() == 0)
        list.InsertColumn(0, "");
    for (int i = 0; i < a_titles.GetSize(); ++i)
        list.InsertItem(list.GetItemCount(), a_titles[i].c_str(), 0);
    list.AutoSizeColumns();
}

void SelectColumnsModel::Init()
{
    Fill(Available, Data.Available);
    Fill(Selected, Data.Selected);
    iOrientation = Data.bLandscape ? 1 : 0;
    // Without selected rows the whole list prints.
    iPrintAll = Data.bRowsSelected ? (Data.bPrintAll ? 1 : 0) : 1;
}

void SelectColumnsModel::Move(ZelListModel& from, ZelListModel& to)
{
    std::unique_ptr<LPARAM[]> p_data;
    to.MoveSelFrom(from, p_data, 1, FALSE);
    Available.AutoSizeColumns();
    Selected.AutoSizeColumns();
}

void SelectColumnsModel::MoveRight() { Move(Available, Selected); }

void SelectColumnsModel::MoveAllRight()
{
    Available.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    MoveRight();
}

void SelectColumnsModel::MoveLeft() { Move(Selected, Available); }

void SelectColumnsModel::MoveAllLeft()
{
    Selected.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    MoveLeft();
}

SelectColumnsModel::Buttons SelectColumnsModel::GetButtons() const
{
    Buttons b;
    b.bRight = Available.GetSelectedCount() > 0;
    b.bAllRight = Available.GetItemCount() > 0;
    b.bLeft = Selected.GetSelectedCount() > 0;
    b.bAllLeft = Selected.GetItemCount() > 0;
    b.bOK = Selected.GetItemCount() > 0;
    return b;
}

void SelectColumnsModel::Accept()
{
    Data.Selected.RemoveAll();
    for (int i = 0; i < Selected.GetItemCount(); ++i)
        Data.Selected.Add(Selected.GetItemText(i, 0));
    Data.bLandscape = iOrientation == 1 ? 1 : 0;
    if (Data.bRowsSelected)
        Data.bPrintAll = iPrintAll ? 1 : 0;
}
