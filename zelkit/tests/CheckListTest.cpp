// The check-box list without its window: states read from texts, the
// caller's item data beside the list's keys, toggles and what the owner is
// told, sorting by states, and columns deleted around check columns.
#include "zelkit/import/ZelCheckList.h"
#include "zelkit/lists/ZelListSort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A list model with the check layer over it, recording what the owner is
// told and answering callback cells from iAnswer.
class TestCheckList : public ZelListModel, public ZelCheckListLayer {
public:
    TestCheckList() : ZelCheckListLayer(static_cast<ZelListModel&>(*this)) {}

    using ZelCheckListLayer::DeleteAllItems;
    using ZelCheckListLayer::DeleteColumn;
    using ZelCheckListLayer::DeleteItem;
    using ZelCheckListLayer::FindItemData;
    using ZelCheckListLayer::GetColumnWidth;
    using ZelCheckListLayer::GetItem;
    using ZelCheckListLayer::GetItemData;
    using ZelCheckListLayer::GetItemText;
    using ZelCheckListLayer::InsertColumn;
    using ZelCheckListLayer::InsertItem;
    using ZelCheckListLayer::SetItem;
    using ZelCheckListLayer::SetItemData;
    using ZelCheckListLayer::SetItemText;

    struct SetText {
        int iRow, iCol;
        std::string sText;
    };
    std::vector<SetText> vSetTexts;
    std::vector<ZelNMListView> vChanges;
    std::string sAnswer = "1";
    UINT uAnswerMask = LVIF_TEXT;
    int nAsked = 0;

protected:
    void AskCallbackState(int, int, std::string& s_text, UINT& u_mask) override
    {
        ++nAsked;
        s_text = sAnswer;
        u_mask = uAnswerMask;
    }
    void NotifySetText(int i_row, int i_col, const std::string& s_text) override
    {
        vSetTexts.push_back({i_row, i_col, s_text});
    }
    void NotifyChange(const ZelNMListView& nm) override { vChanges.push_back(nm); }
};

// Columns "Name" and "On" (a check column), rows with item data 500 + i.
void Fill(TestCheckList& list, const std::vector<std::string>& v_names)
{
    list.InsertColumn(0, "Name");
    list.InsertColumn(1, "On");
    ASSERT_TRUE(list.SetCheckColumn(1));
    for (const std::string& s : v_names)
        list.InsertItem(list.GetItemCount(), s.c_str(), 500 + list.GetItemCount());
}

TEST(CheckList, CellTextsBecomeStates)
{
    struct Case {
        const char* p_text;
        int i_state;
    };
    const Case a_cases[] = {
        {"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4},   // the five states
        {"5", 0}, {"17", 0}, {"-1", 0}, {"yes", 0}, {"", 0}, // anything else is unchecked
        {" 1", 1}, {"1x", 1},                                 // read as a number is read
        {LPSTR_TEXTCALLBACK, 4},
    };
    for (const Case& c : a_cases) {
        TestCheckList list;
        Fill(list, {"a"});
        list.SetCheckState(0, 1, 3);
        EXPECT_TRUE(list.SetItemText(0, 1, c.p_text));
        EXPECT_EQ(list.GetCheckState(0, 1), c.i_state) << (c.p_text == LPSTR_TEXTCALLBACK ? "callback" : c.p_text);
        EXPECT_EQ(list.GetItemText(0, 1), std::to_string(c.i_state));
    }
}

TEST(CheckList, StatesAndColumnsRefuseWhatIsNotThere)
{
    TestCheckList list;
    Fill(list, {"a", "b"});
    EXPECT_FALSE(list.SetCheckColumn(0)) << "a list with rows takes no new check column";
    EXPECT_FALSE(list.IsCheckColumn(0));
    EXPECT_FALSE(list.SetCheckState(0, 1, 5));
    EXPECT_FALSE(list.SetCheckState(0, 0, 1)) << "column 0 has no state";
    EXPECT_FALSE(list.SetCheckState(0, 7, 1));
    EXPECT_FALSE(list.SetCheckState(9, 1, 1));
    EXPECT_EQ(list.GetCheckState(0, 0), 2) << "a cell without a state answers 2";
    EXPECT_EQ(list.GetCheckState(0, 7), 2);
    EXPECT_EQ(list.GetCheckState(0, 1), 0);
    ZelCheckListLayer::eStyle e_style = ZelCheckListLayer::styleSecond;
    EXPECT_FALSE(list.GetCheckColumnStyle(0, e_style));
    EXPECT_TRUE(list.GetCheckColumnStyle(1, e_style));
    EXPECT_EQ(e_style, ZelCheckListLayer::styleFirst);
    EXPECT_TRUE(list.SetCheckColumnStyle(1, ZelCheckListLayer::styleSecond));
    EXPECT_TRUE(list.GetCheckColumnStyle(1, e_style));
    EXPECT_EQ(e_style, ZelCheckListLayer::styleSecond);
}

TEST(CheckList, TheCallersItemDataLivesBesideTheKeys)
{
    TestCheckList list;
    Fill(list, {"a", "b", "c"});
    EXPECT_EQ(list.GetItemKey(0), 1);
    EXPECT_EQ(list.GetItemKey(2), 3);
    EXPECT_EQ(list.GetItemData(1), 501);
    EXPECT_EQ(list.FindItemData(502), 2) << "found by the caller's data, not the key";
    EXPECT_EQ(list.FindItemData(3), -1);
    EXPECT_EQ(list.FindItemData(500, 0), -1) << "the search starts after the start row";

    ZelLVItem item;
    item.uMask = LVIF_PARAM;
    item.iItem = 1;
    ASSERT_TRUE(list.GetItem(item));
    EXPECT_EQ(item.lParam, 501);
    ASSERT_TRUE(list.GetItem(item, ZelCheckListLayer::wGetKey));
    EXPECT_EQ(item.lParam, 2);

    item.uMask = LVIF_PARAM;
    item.lParam = 77;
    ASSERT_TRUE(list.SetItem(item));
    EXPECT_EQ(list.GetItemData(1), 77);
    EXPECT_EQ(list.GetItemKey(1), 2) << "the list's own item data keep the key";

    list.DeleteItem(0);
    EXPECT_EQ(list.FindItemData(77), 0);
    EXPECT_EQ(list.InsertItem(3, "d", 9), 2);
    EXPECT_EQ(list.GetItemKey(2), 4) << "keys are never given twice";
    item.iItem = 5;
    EXPECT_FALSE(list.SetItem(item));
}

TEST(CheckList, ACallbackStateIsAskedForAndKeptWhenTheOwnerSaysSo)
{
    TestCheckList list;
    list.InsertColumn(0, "On");
    ASSERT_TRUE(list.SetCheckColumn(0));
    list.InsertItem(0, LPSTR_TEXTCALLBACK, 1);
    list.InsertItem(1, "x", 2);
    EXPECT_EQ(list.GetCheckState(0, 0), 4) << "a callback text in check column 0 starts as 4";
    EXPECT_EQ(list.GetCheckState(1, 0), 0);

    ZelLVItem item;
    item.uMask = LVIF_TEXT | LVIF_NORECOMPUTE;
    item.iItem = 0;
    ASSERT_TRUE(list.GetItem(item));
    EXPECT_TRUE(item.bTextCallback);
    item.uMask = LVIF_TEXT;
    ASSERT_TRUE(list.GetItem(item));
    EXPECT_FALSE(item.bTextCallback);
    EXPECT_EQ(item.sText, "4");

    EXPECT_EQ(list.FetchCheckState(0, 0), 1);
    EXPECT_EQ(list.GetCheckState(0, 0), 4) << "kept only with LVIF_DI_SETITEM";
    list.uAnswerMask = LVIF_TEXT | LVIF_DI_SETITEM;
    list.sAnswer = "3";
    EXPECT_EQ(list.FetchCheckState(0, 0), 3);
    EXPECT_EQ(list.GetCheckState(0, 0), 3);
    EXPECT_EQ(list.nAsked, 2);
    EXPECT_EQ(list.FetchCheckState(0, 0), 3);
    EXPECT_EQ(list.nAsked, 2) << "a stored state is not asked for";
}

TEST(CheckList, TogglesAndWhatTheOwnerIsTold)
{
    struct Case {
        int i_from, i_to;
    };
    const Case a_cases[] = {{0, 1}, {1, 0}, {2, 1}, {3, 1}, {4, 4}};
    for (const Case& c : a_cases) {
        TestCheckList list;
        Fill(list, {"a"});
        list.SetCheckState(0, 1, c.i_from);
        ASSERT_TRUE(list.Toggle(0, 1));
        EXPECT_EQ(list.GetCheckState(0, 1), c.i_to) << "from " << c.i_from;
        ASSERT_EQ(list.vChanges.size(), 1u);
        const ZelNMListView& nm = list.vChanges[0];
        EXPECT_EQ(nm.iItem, 0);
        EXPECT_EQ(nm.iSubItem, 1);
        EXPECT_EQ(nm.uOldState, static_cast<UINT>(c.i_from));
        EXPECT_EQ(nm.uNewState, static_cast<UINT>(c.i_to));
        EXPECT_EQ(nm.uChanged, ZelCheckListLayer::uToggleChanged);
        EXPECT_EQ(nm.lParam, 500);
    }
    TestCheckList list;
    Fill(list, {"a", "b"});
    EXPECT_FALSE(list.Toggle(0, 0)) << "no state, no toggle";
    EXPECT_FALSE(list.ToggleFocused()) << "no focused row";
    list.SetFocusItem(1);
    EXPECT_TRUE(list.ToggleFocused());
    EXPECT_EQ(list.GetCheckState(1, 1), 1);
}

TEST(CheckList, AClickTogglesOnlyOnTheCheckBox)
{
    TestCheckList list;
    Fill(list, {"a", "b"});
    list.SetColumnWidth(0, 100);
    list.SetColumnWidth(1, 41);
    list.SetRowHeight(17);
    list.SetRowsArea(300, 200);
    list.SetCheckImageSize(13, 13);
    int i_x = 0, i_y = 0;
    list.GetCheckedRect(100, 41, 17, 17, i_x, i_y);
    EXPECT_EQ(i_x, 114);
    EXPECT_EQ(i_y, 19);
    list.GetCheckedRect(100, 5, 0, 8, i_x, i_y);
    EXPECT_EQ(i_x, 101) << "at least a pixel from the cell's left";
    EXPECT_EQ(i_y, 0);

    int i_col = -1;
    EXPECT_EQ(list.ColHitTest(120, 25, i_col), 1);
    EXPECT_EQ(i_col, 1);
    EXPECT_EQ(list.ColHitTest(112, 25, i_col), -1) << "beside the box";
    EXPECT_EQ(list.ColHitTest(50, 25, i_col), -1) << "an ordinary column";
    EXPECT_TRUE(list.ClickAt(114, 19));
    EXPECT_EQ(list.GetCheckState(1, 1), 1);
    EXPECT_FALSE(list.ClickAt(140, 19));
    EXPECT_EQ(list.GetCheckState(0, 1), 0);
}

TEST(CheckList, OrdinaryTextsAreReportedButCallbacksAndStatesAreNot)
{
    TestCheckList list;
    Fill(list, {"a"});
    list.InsertColumn(2, "Note");
    list.SetItemText(0, 2, "hello");
    list.SetItemText(0, 2, LPSTR_TEXTCALLBACK);
    list.SetItemText(0, 1, "1");
    ASSERT_EQ(list.vSetTexts.size(), 1u);
    EXPECT_EQ(list.vSetTexts[0].iRow, 0);
    EXPECT_EQ(list.vSetTexts[0].iCol, 2);
    EXPECT_EQ(list.vSetTexts[0].sText, "hello");
}

TEST(CheckList, CountsSortsAndWidthsGoByStates)
{
    TestCheckList list;
    Fill(list, {"a", "b", "c", "d"});
    list.SetCheckState(0, 1, 4);
    list.SetCheckState(1, 1, 1);
    list.SetCheckState(3, 1, 1);
    EXPECT_EQ(list.CountItemsByState(1, 1), 2);
    std::unique_ptr<int[]> p_rows;
    ASSERT_EQ(list.GetItemsByState(p_rows, 1, 1), 2);
    EXPECT_EQ(p_rows[0], 1);
    EXPECT_EQ(p_rows[1], 3);
    EXPECT_EQ(list.GetItemsByState(p_rows, 1, 3), 0);
    EXPECT_EQ(p_rows, nullptr);

    ZelListSort sort;
    list.Sort(1, sort, 1, 0);
    std::vector<std::string> v_order;
    for (int i = 0; i < list.GetItemCount(); ++i)
        v_order.push_back(list.ZelListModel::GetItemText(i, 0));
    EXPECT_EQ(v_order, (std::vector<std::string>{"c", "b", "d", "a"})) << "0, 1, 1, 4 by the states' texts";
    EXPECT_EQ(list.GetItemData(3), 500) << "the caller's data follow their rows";
    EXPECT_EQ(list.GetCheckState(3, 1), 4);

    list.SetColumnWidth(1, 2);
    list.SetCheckImageSize(13, 13);
    EXPECT_EQ(list.GetColumnWidth(1), 13) << "a check column is at least as wide as its box";
    EXPECT_EQ(list.GetColumnWidth(0), 80);
}

TEST(CheckList, DeletingAColumnMovesTheCheckColumnsAfterIt)
{
    TestCheckList list;
    list.InsertColumn(0, "Name");
    list.InsertColumn(1, "Note");
    list.InsertColumn(2, "On");
    ASSERT_TRUE(list.SetCheckColumn(2));
    list.InsertItem(0, "a", 1);
    list.SetItemText(0, 1, "note");
    list.SetCheckState(0, 2, 1);

    ASSERT_TRUE(list.DeleteColumn(1));
    EXPECT_TRUE(list.IsCheckColumn(1)) << "the check column moved left with its column";
    EXPECT_FALSE(list.IsCheckColumn(2));
    EXPECT_EQ(list.GetCheckState(0, 1), 1) << "and its rows' states with it";
    EXPECT_EQ(list.GetItemText(0, 1), "1");

    ASSERT_TRUE(list.DeleteColumn(1));
    EXPECT_FALSE(list.IsCheckColumn(1));
    EXPECT_EQ(list.GetCheckState(0, 1), 2);

    TestCheckList front;
    front.InsertColumn(0, "On");
    ASSERT_TRUE(front.SetCheckColumn(0));
    front.InsertItem(0, "1", 1);
    front.SetCheckState(0, 0, 1);
    front.InsertColumn(0, "Name");
    EXPECT_TRUE(front.IsCheckColumn(1)) << "a column put in front moves it right";
    EXPECT_EQ(front.GetCheckState(0, 1), 1);
}

} // namespace
