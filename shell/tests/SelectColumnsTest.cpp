// The column chooser's rules over two plain list models: moves keep the
// order, OK needs a column, and the row radios need selected rows.
#include "shell/lists/SelectColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const ZelListModel& list)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.GetItemCount(); ++i)
        v.push_back(list.GetItemText(i, 0));
    return v;
}

ZelStringArray Array(std::initializer_list<const char*> a)
{
    ZelStringArray arr;
    for (const char* p : a)
        arr.Add(p);
    return arr;
}

TEST(SelectColumns, SeparatedRowsMovedRightKeepTheirOrderAndOKNeedsAColumn)
{
    SelectColumnsData data;
    data.Available = Array({"Address", "Email", "Name", "Phone"});
    data.Selected = Array({"Town"});
    ZelListModel available, selected;
    SelectColumnsModel model(data, available, selected);
    model.Init();
    using B = SelectColumnsModel::Buttons;
    EXPECT_EQ(model.GetButtons(), (B{false, true, false, true, true}));

    available.SelectItem(3);
    available.SelectItem(1);
    EXPECT_TRUE(model.GetButtons().bRight);
    model.MoveRight();
    EXPECT_EQ(Texts(selected), (std::vector<std::string>{"Town", "Email", "Phone"}));
    EXPECT_EQ(Texts(available), (std::vector<std::string>{"Address", "Name"}));

    model.MoveAllLeft();
    EXPECT_EQ(model.GetButtons(), (B{true, true, false, false, false})); // OK off without a column
    available.UnselectAll();
    available.SelectItem(0);
    model.MoveRight();
    EXPECT_TRUE(model.GetButtons().bOK);
    model.MoveAllRight();
    EXPECT_EQ(Texts(selected), (std::vector<std::string>{"Address", "Name", "Town", "Email", "Phone"}));

    model.iOrientation = 1;
    model.Accept();
    EXPECT_EQ(data.Selected.GetSize(), 5);
    EXPECT_EQ(data.Selected[2], "Town");
    EXPECT_EQ(data.bLandscape, 1);
}

TEST(SelectColumns, RowRadiosNeedSelectedRowsAndTheGroupNamesTheItems)
{
    struct Case {
        int bRowsSelected, bPrintAll;
        bool bEnabled;
        int iShown;
        int iChosen;
        int bResult;
    } a_cases[] = {
        {0, 0, false, 1, 0, 0}, // without selected rows: All, and the flag stays as given
        {1, 0, true, 0, 1, 1},
        {1, 1, true, 1, 0, 0},
    };
    for (const Case& c : a_cases) {
        SelectColumnsData data;
        data.Selected = Array({"Name"});
        data.bRowsSelected = c.bRowsSelected;
        data.bPrintAll = c.bPrintAll;
        data.sItems = "participants";
        ZelListModel available, selected;
        SelectColumnsModel model(data, available, selected);
        model.Init();
        EXPECT_EQ(model.RowRadiosEnabled(), c.bEnabled);
        EXPECT_EQ(model.iPrintAll, c.iShown);
        EXPECT_EQ(model.PrintGroupText("&Print selection"), "&Print participants");
        model.iPrintAll = c.iChosen;
        model.Accept();
        EXPECT_EQ(data.bPrintAll, c.bResult);
    }
}

} // namespace
