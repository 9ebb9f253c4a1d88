// The report list without its window: sorting, arrows, fitting columns,
// moving rows, selection and scrolling.
#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "zelkit/lists/ZelListModel.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A list that answers callback cells from a table and records which rows'
// texts were measured.
class TestList : public ZelListModel {
public:
    std::map<std::pair<int, LPARAM>, std::string> mSupplied; // (column, item data) -> text
    mutable std::set<std::string> sMeasured;
    mutable int nCallbacks = 0;

    std::string GetCallbackText(int, int i_col, LPARAM l_data) const override
    {
        ++nCallbacks;
        auto it = mSupplied.find({i_col, l_data});
        return it == mSupplied.end() ? std::string() : it->second;
    }
    int GetStringWidth(const std::string& s_text) const override
    {
        sMeasured.insert(s_text);
        return ZelListModel::GetStringWidth(s_text);
    }
    using ZelListModel::TryFastSort;
};

// Rows of texts (column 0, column 1, ...), item data 100, 101, ...
void Fill(ZelListModel& list, const std::vector<Texts>& v_rows, int n_cols = 0)
{
    if (n_cols == 0)
        n_cols = v_rows.empty() ? 1 : static_cast<int>(v_rows[0].size());
    for (int c = list.GetColumnCount(); c < n_cols; ++c)
        list.InsertColumn(c, "Column " + std::to_string(c));
    for (const Texts& row : v_rows) {
        const int i_row = list.InsertItem(list.GetItemCount(), row[0].c_str(), 100 + list.GetItemCount());
        for (std::size_t c = 1; c < row.size(); ++c)
            list.SetItemText(i_row, static_cast<int>(c), row[c]);
    }
}

Texts Column(const ZelListModel& list, int i_col)
{
    Texts v;
    for (int i = 0; i < list.GetItemCount(); ++i)
        v.push_back(list.GetItemText(i, i_col));
    return v;
}

std::vector<LPARAM> Data(const ZelListModel& list)
{
    std::vector<LPARAM> v;
    for (int i = 0; i < list.GetItemCount(); ++i)
        v.push_back(list.GetItemData(i));
    return v;
}

std::vector<std::pair<int, int>> Specs(const ZelListSort& sort)
{
    int n = 0;
    const ZelColSortSpec* p = sort.GetCols(n);
    std::vector<std::pair<int, int>> v;
    for (int i = 0; i < n; ++i) {
        int i_dir = 0;
        const int i_col = p[i].GetCol(i_dir);
        v.emplace_back(i_col, i_dir);
    }
    return v;
}

TEST(ListModel, HeaderClicksToggleOnlyTheSameSpecs)
{
    using V = std::vector<std::pair<int, int>>;
    struct Case {
        V held;
        V asked;
        int b_toggle;
        V expected;
        const char* what;
    };
    const Case a_cases[] = {
        {{{0, 1}}, {{0, 1}}, 1, {{0, 0}}, "second click on the same column reverses it"},
        {{{0, 0}}, {{0, 1}}, 1, {{0, 1}}, "a third click reverses it back"},
        {{{0, 0}}, {{0, 1}}, 0, {{0, 1}}, "without toggling the asked direction holds"},
        {{{0, 1}}, {{1, 0}}, 1, {{1, 0}}, "another column takes the asked direction"},
        {{{2, 1}, {1, 0}}, {{2, 1}, {1, 0}}, 1, {{2, 0}, {1, 0}}, "several specs: only the first flips"},
        {{{2, 1}, {1, 0}}, {{2, 1}, {1, 1}}, 1, {{2, 1}, {1, 1}}, "a different second spec replaces them"},
        {{{2, 1}}, {{2, 1}, {1, 1}}, 1, {{2, 1}, {1, 1}}, "a different count replaces them"},
        {{}, {{1, 1}}, 1, {{1, 1}}, "nothing held yet"},
    };
    for (const Case& c : a_cases) {
        TestList list;
        Fill(list, {{"b", "x", "1"}, {"a", "y", "2"}});
        ZelListSort sort;
        for (auto [i_col, i_dir] : c.held)
            sort.AddCol(i_col, i_dir);
        std::vector<ZelColSortSpec> v_asked;
        for (auto [i_col, i_dir] : c.asked)
            v_asked.emplace_back(i_col, i_dir);
        list.Sort(v_asked.data(), static_cast<int>(v_asked.size()), sort, c.b_toggle);
        EXPECT_EQ(Specs(sort), c.expected) << c.what;
    }
}

TEST(ListModel, SortComparesCodePageBytesUnsignedAndKeepsEqualRowsInOrder)
{
    TestList list;
    // "\xE9" is e-acute and "\x80" the euro sign in code page 1252: both
    // sort after every ASCII letter; capitals come before small letters.
    Fill(list, {{"b", "2"}, {"\xE9t\xE9", "1"}, {"Zoo", "3"}, {"a", "4"}, {"\x80", "5"}, {"b", "6"}, {"a", "7"}});
    ZelListSort sort;
    list.Sort(0, sort, 1, 1);
    EXPECT_EQ(Column(list, 0), (Texts{"Zoo", "a", "a", "b", "b", "\x80", "\xE9t\xE9"}));
    EXPECT_EQ(Column(list, 1), (Texts{"3", "4", "7", "2", "6", "5", "1"})) << "equal texts keep their order";
    list.Sort(0, sort, 1, 1);
    EXPECT_EQ(Column(list, 0), (Texts{"\xE9t\xE9", "\x80", "b", "b", "a", "a", "Zoo"}));
    EXPECT_EQ(sort.GetCtrl(), nullptr) << "a list without a window records none";
    EXPECT_EQ(list.FindItemData(104), 1) << "rows are found by their data after a sort";
}

TEST(ListModel, NegativeAndMissingColumnsAreSkippedAndLaterKeysDecideTies)
{
    TestList list;
    Fill(list, {{"x", "2"}, {"y", "1"}, {"x", "1"}, {"y", "2"}});
    const ZelColSortSpec a_only[] = {{-1, 1}, {-5, 0}};
    ZelListSort sort;
    list.Sort(a_only, 2, sort, 0);
    EXPECT_EQ(Column(list, 0), (Texts{"x", "y", "x", "y"})) << "only skipped specs leave every pair equal";
    EXPECT_EQ(list.CompareRows(0, 1, sort), 0);

    const ZelColSortSpec a_specs[] = {{0, 0}, {-1, 1}, {7, 0}, {1, 1}};
    list.Sort(a_specs, 4, sort, 0);
    EXPECT_EQ(Column(list, 0), (Texts{"y", "y", "x", "x"})) << "a column the list does not have is skipped too";
    EXPECT_EQ(Column(list, 1), (Texts{"1", "2", "1", "2"}));
}

TEST(ListModel, CallbackCellsAreAskedOncePerSortedRow)
{
    TestList list;
    list.InsertColumn(0, "Name");
    for (int i = 0; i < 50; ++i) {
        list.InsertItem(i, LPSTR_TEXTCALLBACK, i);
        list.mSupplied[{0, i}] = std::string(1, static_cast<char>('z' - i % 26)) + std::to_string(i);
    }
    ZelListSort sort;
    list.Sort(0, sort, 1, 0);
    EXPECT_EQ(list.nCallbacks, 50);
    EXPECT_EQ(list.GetItemText(0, 0), "a25");
    EXPECT_TRUE(list.IsTextCallback(0, 0));
}

int g_nIndexCalls = 0;
int ByTextOfColumn1(int i_row1, int i_row2, ZelListSort* p_sort)
{
    ++g_nIndexCalls;
    auto* p_list = static_cast<ZelListModel*>(p_sort->GetData());
    return p_list->GetItemText(i_row1, 1).compare(p_list->GetItemText(i_row2, 1));
}

TEST(ListModel, FastSortMovesOnlyItemDataUnlessTheFirstTwoRowsShareIt)
{
    TestList list;
    Fill(list, {{"r0", "c"}, {"r1", "a"}, {"r2", "b"}});
    ZelListSort sort;
    sort.SetData(&list);
    sort.SetSortIndexFunc(&ByTextOfColumn1);
    g_nIndexCalls = 0;
    list.Sort(1, sort, 1, 0);
    EXPECT_GT(g_nIndexCalls, 0);
    EXPECT_EQ(Column(list, 0), (Texts{"r0", "r1", "r2"})) << "the texts stay where they are";
    EXPECT_EQ(Data(list), (std::vector<LPARAM>{101, 102, 100}));

    TestList same;
    Fill(same, {{"r0", "c"}, {"r1", "a"}, {"r2", "b"}});
    same.SetItemData(1, 100);
    g_nIndexCalls = 0;
    sort.SetData(&same);
    same.Sort(1, sort, 1, 0);
    EXPECT_EQ(g_nIndexCalls, 0) << "rows 0 and 1 with the same data refuse the fast path";
    EXPECT_EQ(Column(same, 0), (Texts{"r1", "r2", "r0"})) << "whole rows move instead";
}

int ByDataDescending(LPARAM l1, LPARAM l2, LPARAM l_sort)
{
    EXPECT_NE(l_sort, 0);
    return l1 > l2 ? -1 : l1 < l2 ? 1 : 0;
}

TEST(ListModel, GivenComparisonSortsByItemData)
{
    TestList list;
    Fill(list, {{"a"}, {"b"}, {"c"}});
    ZelListSort sort;
    list.Sort(0, sort, 1, 0, &ByDataDescending);
    EXPECT_EQ(Column(list, 0), (Texts{"c", "b", "a"}));
    EXPECT_EQ(list.GetHeaderSortType(0), ZelListModel::sortAscending);
}

TEST(ListModel, ShowSortPutsOneArrowOrClearsThem)
{
    TestList list;
    Fill(list, {{"a", "b", "c"}});
    ZelListSort sort(1, 0);
    sort.AddCol(2, 1);
    list.ShowSort(sort);
    EXPECT_EQ((std::vector<int>{list.GetHeaderSortType(0), list.GetHeaderSortType(1), list.GetHeaderSortType(2)}),
              (std::vector<int>{0, ZelListModel::sortDescending, 0}))
        << "only the first spec shows";
    list.ShowSort(ZelListSort(5, 1));
    EXPECT_EQ(list.GetHeaderSortType(1), 0) << "a spec naming no column clears the others";
    list.ShowSort(sort);
    list.SetShowSortDirection(FALSE);
    list.ShowSort(ZelListSort());
    EXPECT_EQ(list.GetHeaderSortType(1), ZelListModel::sortDescending) << "arrows switched off: nothing changes";
    list.SetShowSortDirection(TRUE);
    list.ShowSort(ZelListSort());
    EXPECT_EQ(list.GetHeaderSortType(1), 0);
    list.ModifyListStyle(0, LVS_NOCOLUMNHEADER);
    list.ShowSort(sort);
    EXPECT_EQ(list.GetHeaderSortType(1), 0) << "no header, no arrows";
}

TEST(ListModel, SortStateSurvivesTheArchiveAndSortsAgain)
{
    TestList list;
    Fill(list, {{"b", "1"}, {"a", "2"}, {"b", "0"}});
    ZelListSort sort;
    const ZelColSortSpec a_specs[] = {{0, 0}, {1, 1}};
    list.Sort(a_specs, 2, sort, 0);
    CArchive ar_out(CArchive::store);
    sort.Serialize(ar_out);

    TestList other;
    Fill(other, {{"a", "2"}, {"b", "1"}, {"b", "0"}});
    ZelListSort loaded;
    CArchive ar_in(ar_out.GetBuffer());
    loaded.Serialize(ar_in);
    other.ReSort(loaded);
    EXPECT_EQ(Column(other, 0), Column(list, 0));
    EXPECT_EQ(Column(other, 1), (Texts{"0", "1", "2"}));
    EXPECT_EQ(other.GetHeaderSortType(0), ZelListModel::sortDescending) << "the arrow comes back with the sort";

    std::vector<std::uint8_t> v_bad = ar_out.GetBuffer();
    v_bad[0] = 2;
    ZelListSort damaged;
    CArchive ar_bad(v_bad);
    EXPECT_THROW(damaged.Serialize(ar_bad), CArchiveException);
    EXPECT_EQ(damaged.GetCount(), 0);
}

TEST(ListModel, AutoSizeMeasuresAWindowAroundTheFocusedRow)
{
    TestList list;
    list.InsertColumn(0, "Row");
    for (int i = 0; i < 5000; ++i)
        list.InsertItem(i, ("r" + std::to_string(i)).c_str(), i);
    list.SetFocusItem(4900);
    list.AutoSizeColumns(-1, -1);
    std::set<int> s_rows;
    for (const std::string& s : list.sMeasured) {
        if (s[0] == 'r')
            s_rows.insert(std::stoi(s.substr(1)));
    }
    ASSERT_FALSE(s_rows.empty());
    EXPECT_EQ(*s_rows.begin(), 3900);
    EXPECT_EQ(*s_rows.rbegin(), 4999);
    EXPECT_EQ(s_rows.size(), 1100u);

    list.sMeasured.clear();
    list.SetItemState(4900, 0, LVIS_FOCUSED);
    list.SelectItem(150);
    list.AutoSizeColumns(-1, -1);
    EXPECT_TRUE(list.sMeasured.count("r0") && list.sMeasured.count("r1999") && !list.sMeasured.count("r2000"))
        << "without a focused row the first selected row is the centre, and the window starts at row 0";
}

TEST(ListModel, AutoSizeFitsTitlesAndTextsAndTheLastColumnFills)
{
    TestList list; // 7 pixels a character
    Fill(list, {{"abc", "a", "xy"}, {"a", "abcdefgh", ""}});
    list.SetColumnTitle(2, "Zz");
    list.SetRowsArea(400, 200);
    list.AutoSizeColumns(-1, -1);
    EXPECT_EQ(list.GetColumnWidth(0), 8 * 7 + 16) << "the title \"Column 0\" is wider than the texts";
    EXPECT_EQ(list.GetColumnWidth(1), 8 * 7 + 16);
    EXPECT_EQ(list.GetColumnWidth(2), 400 - 2 * 72) << "the last column reaches the right edge";

    list.SetRowsArea(100, 200);
    list.AutoSizeColumns(2, 2);
    EXPECT_EQ(list.GetColumnWidth(2), 2 * 7 + 16) << "never narrower than its texts and title";

    list.SetColumnOrderArray({2, 0, 1});
    list.SetRowsArea(400, 200);
    list.AutoSizeColumns(1, 1);
    EXPECT_EQ(list.GetColumnWidth(1), 400 - 30 - 72) << "the last column is the last one shown";

    ZelListSort sort(0, 1);
    list.ShowSort(sort);
    list.AutoSizeColumns(0, 0);
    EXPECT_EQ(list.GetColumnWidth(0), 8 * 7 + 16 + ZelListModel::iSortArrowSize + ZelListModel::iBitmapOffset)
        << "a header arrow takes room";
    list.SetImageList(LVSIL_SMALL, 16, 16, 2);
    list.SetColumnTitle(0, "");
    list.SetItemText(0, 0, std::string(20, 'w'));
    list.AutoSizeColumns(0, 0);
    EXPECT_EQ(list.GetColumnWidth(0), 20 * 7 + 16 * 4 / 3 + 8) << "column 0 leaves room for the row's image";
}

TEST(ListModel, MoveOnePositionSkipsEdgeRowsAndMovesWholeRows)
{
    TestList list;
    const std::string s_long(3000, 'q');
    Fill(list, {{"r0", "a", ""}, {"r1", "b", ""}, {"r2", "c", ""}, {"r3", s_long, ""}, {"r4", "e", ""}});
    list.SetItemText(3, 2, LPSTR_TEXTCALLBACK);
    list.SelectItem(0);
    list.SelectItem(3);
    list.SetFocusItem(3);
    EXPECT_EQ(list.MoveOnePosition(TRUE), 1);
    EXPECT_EQ(Column(list, 0), (Texts{"r0", "r1", "r3", "r2", "r4"}));
    EXPECT_EQ(list.GetItemText(2, 1), s_long) << "long texts move whole";
    EXPECT_TRUE(list.IsTextCallback(2, 2)) << "a callback cell stays one";
    EXPECT_EQ(list.GetItemData(2), 103);
    EXPECT_EQ(list.GetFocusItemIndex(), 2);
    EXPECT_EQ(list.GetSelectedCount(), 2);
    EXPECT_TRUE(list.GetItemState(0, LVIS_SELECTED) && list.GetItemState(2, LVIS_SELECTED));

    list.UnselectAll();
    list.SelectItem(3);
    list.SelectItem(4);
    list.MoveOnePosition(FALSE);
    EXPECT_EQ(Column(list, 0), (Texts{"r0", "r1", "r3", "r4", "r2"})) << "the last row stays, the one above moves down";
    EXPECT_EQ(list.FindItemData(102), 4);

    TestList empty;
    EXPECT_EQ(empty.MoveOnePosition(TRUE), 1);
}

TEST(ListModel, MoveSelFromAppendsSelectsAndDeletesFromTheSource)
{
    TestList source, target;
    Fill(source, {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    Fill(target, {{"t", "0"}});
    std::unique_ptr<LPARAM[]> p_data;
    EXPECT_EQ(target.MoveSelFrom(source, p_data, 3, FALSE), -1) << "fewer columns than asked";
    EXPECT_EQ(p_data, nullptr);
    EXPECT_EQ(target.MoveSelFrom(source, p_data, 2, FALSE), 0) << "nothing selected";
    source.SelectItem(2);
    source.SelectItem(0);
    ASSERT_EQ(target.MoveSelFrom(source, p_data, 2, FALSE), 2);
    EXPECT_EQ(p_data[0], 100);
    EXPECT_EQ(p_data[1], 102);
    EXPECT_EQ(Column(target, 0), (Texts{"t", "a", "c"}));
    EXPECT_EQ(Column(target, 1), (Texts{"0", "1", "3"}));
    EXPECT_EQ(target.GetSelectedCount(), 2);
    EXPECT_EQ(Column(source, 0), (Texts{"b"}));

    source.SelectItem(0);
    target.MoveSelFrom(source, p_data, 1, TRUE);
    EXPECT_TRUE(target.IsTextCallback(3, 0)) << "on-demand texts";
}

TEST(ListModel, SelectionHelpersAndTheFocusRow)
{
    TestList list;
    Fill(list, {{"a"}, {"b"}, {"c"}, {"d"}});
    EXPECT_EQ(list.GetSelectedItemIndex(), -1);
    list.SelectItem(2);
    EXPECT_EQ(list.GetSelectedItemIndex(), 2);
    list.SelectItem(1);
    EXPECT_EQ(list.GetSelectedItemIndex(), -1) << "several selected";
    ZelArray<UINT> a_rows;
    EXPECT_EQ(list.GetSelItems(a_rows), 2);
    EXPECT_EQ(a_rows[0], 1u);
    std::unique_ptr<int[]> p_rows;
    EXPECT_EQ(list.GetSelItems(p_rows), 2);
    EXPECT_EQ(p_rows[1], 2);
    list.SetFocusItem(3);
    list.SetFocusItem(0);
    EXPECT_EQ(list.GetItemState(3, LVIS_FOCUSED), 0u) << "one focused row";
    list.DeleteItem(0);
    EXPECT_EQ(list.GetFocusItemIndex(), -1);
    list.UnselectAll();
    EXPECT_EQ(list.GetSelectedCount(), 0);

    list.ModifyListStyle(0, LVS_SINGLESEL);
    list.SelectItem(0);
    list.SelectItem(2);
    EXPECT_EQ(list.GetSelectedCount(), 1);
    EXPECT_FALSE(list.KeyDown(ZelListKey::All, false, true)) << "Ctrl+A is not for a list of one selection";
    EXPECT_EQ(list.GetSelectedCount(), 1);
}

TEST(ListModel, ClicksAndKeysExtendTheSelectionAsUsersExpect)
{
    TestList list;
    for (int i = 0; i < 30; ++i)
        list.InsertItem(i, std::to_string(i).c_str(), i);
    list.SetRowsArea(100, 12 * list.GetRowHeight());
    auto selected = [&] {
        std::vector<int> v;
        for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
            v.push_back(i);
        return v;
    };
    list.ClickRow(3, false, false);
    list.ClickRow(6, true, false);
    EXPECT_EQ(selected(), (std::vector<int>{3, 4, 5, 6}));
    list.ClickRow(10, false, true);
    EXPECT_EQ(selected(), (std::vector<int>{3, 4, 5, 6, 10}));
    list.ClickRow(4, false, true);
    EXPECT_EQ(selected(), (std::vector<int>{3, 5, 6, 10}));
    list.KeyDown(ZelListKey::Down, true, false);
    EXPECT_EQ(selected(), (std::vector<int>{4, 5})) << "Shift extends from the anchor";
    list.KeyDown(ZelListKey::Down, false, true);
    list.KeyDown(ZelListKey::Down, false, true);
    EXPECT_EQ(list.GetFocusItemIndex(), 7);
    EXPECT_EQ(selected(), (std::vector<int>{4, 5})) << "Ctrl moves only the focus";
    list.KeyDown(ZelListKey::Space, false, true);
    EXPECT_EQ(selected(), (std::vector<int>{4, 5, 7}));
    list.KeyDown(ZelListKey::PageDown, false, false);
    EXPECT_EQ(list.GetFocusItemIndex(), 11) << "first to the bottom of the page";
    list.KeyDown(ZelListKey::PageDown, false, false);
    EXPECT_EQ(list.GetFocusItemIndex(), 22);
    EXPECT_EQ(list.GetTopIndex(), 11);
    list.KeyDown(ZelListKey::End, false, false);
    EXPECT_EQ(selected(), (std::vector<int>{29}));
    EXPECT_EQ(list.GetTopIndex(), 18);
    list.KeyDown(ZelListKey::Home, true, false);
    EXPECT_EQ(list.GetSelectedCount(), 30);
    list.ClickRow(12, false, false);
    list.ClickRow(14, true, false);
    EXPECT_TRUE(list.KeyDown(ZelListKey::All, false, true));
    EXPECT_EQ(list.GetSelectedCount(), 30) << "Ctrl+A takes every row";
    EXPECT_EQ(list.GetFocusItemIndex(), 14) << "and leaves the focus";
    list.ClickRow(16, true, false);
    EXPECT_EQ(selected(), (std::vector<int>{12, 13, 14, 15, 16})) << "and the anchor of a later Shift-click";
    list.ClickRow(-1, false, false);
    EXPECT_EQ(list.GetSelectedCount(), 0) << "a click below the rows clears the selection";
}

TEST(ListModel, ScrollingArithmetic)
{
    TestList list;
    list.InsertColumn(0, "A", LVCFMT_LEFT, 50);
    list.InsertColumn(1, "B", LVCFMT_LEFT, 70);
    for (int i = 0; i < 100; ++i)
        list.InsertItem(i, "x", i);
    list.SetRowHeight(10);
    list.SetRowsArea(100, 95);
    EXPECT_EQ(list.GetCountPerPage(), 9);
    list.SetTopIndex(500);
    EXPECT_EQ(list.GetTopIndex(), 91);
    list.EnsureVisible(5, FALSE);
    EXPECT_EQ(list.GetTopIndex(), 5);
    list.EnsureVisible(14, TRUE);
    EXPECT_EQ(list.GetTopIndex(), 5) << "row 14 shows in part below the last whole row";
    list.EnsureVisible(14, FALSE);
    EXPECT_EQ(list.GetTopIndex(), 6);
    int i_col = -2;
    EXPECT_EQ(list.RowHitTest(60, 25, &i_col), 8);
    EXPECT_EQ(i_col, 1);
    list.SetColumnOrderArray({1, 0});
    list.RowHitTest(80, 25, &i_col);
    EXPECT_EQ(i_col, 0) << "hit tests follow the display order";
    list.FindClickedItem(80, 25, &i_col);
    EXPECT_EQ(i_col, 1) << "FindClickedItem counts the columns by index";
    list.SetScrollX(1000);
    EXPECT_EQ(list.GetScrollX(), 20);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST(ListModel, EmptyListFocusFrameAndFocusOnRows)
{
    TestList list;
    list.InsertColumn(0, "A", LVCFMT_LEFT, 50);
    list.DrawFocus(TRUE, TRUE);
    EXPECT_TRUE(list.IsFocusDrawn());
    list.DrawFocus(FALSE, TRUE);
    EXPECT_FALSE(list.IsFocusDrawn());
    list.SetHeaderHeight(20);
    int l, t, r, b;
    list.GetEmptyFocusRect(l, t, r, b);
    EXPECT_EQ((std::vector<int>{l, t, r, b}), (std::vector<int>{0, 1, 50, 21}));

    Fill(list, {{"a"}, {"b"}, {"c"}});
    list.SelectItem(2);
    list.DrawFocus(TRUE, TRUE);
    EXPECT_EQ(list.GetFocusItemIndex(), 2) << "the first selected row takes the focus";
    EXPECT_FALSE(list.IsFocusDrawn());
}

TEST(ListModel, ItemDataIndexFollowsInsertsDeletesAndChanges)
{
    TestList list;
    Fill(list, {{"a"}, {"b"}, {"c"}});
    EXPECT_EQ(list.FindItemData(101), 1);
    list.InsertItem(0, "z", 101);
    EXPECT_EQ(list.FindItemData(101), 0) << "the first row of the data";
    list.DeleteItem(0);
    EXPECT_EQ(list.FindItemData(101), 1);
    list.SetItemData(2, 7);
    EXPECT_EQ(list.FindItemData(7), 2);
    EXPECT_EQ(list.FindItemData(102), -1);
    list.DeleteItem(2);
    EXPECT_EQ(list.FindItemData(7), -1);
    list.InsertItem(5, "d", 9);
    EXPECT_EQ(list.FindItemData(9), 2);
}

TEST(ListModel, ColumnsKeepTheirCellsWhenColumnsComeAndGo)
{
    TestList list;
    Fill(list, {{"a", "b", "c"}});
    list.InsertColumn(1, "New");
    EXPECT_EQ(Column(list, 2), Texts{"b"});
    EXPECT_EQ(list.GetItemText(0, 1), "");
    std::vector<int> v_order;
    list.GetColumnOrderArray(v_order);
    EXPECT_EQ(v_order, (std::vector<int>{0, 1, 2, 3}));
    list.DeleteColumn(1);
    EXPECT_EQ(Column(list, 2), Texts{"c"});
    EXPECT_FALSE(list.SetColumnOrderArray({0, 0, 1})) << "not a permutation";
    EXPECT_FALSE(list.SetItemText(0, 5, "x")) << "no such column";
}

} // namespace
