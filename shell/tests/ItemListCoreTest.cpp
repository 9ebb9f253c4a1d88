// The list views' common part over a plain list model and a fake view of
// three records: selection by click and keys, the refill that keeps the
// selection by key, the Change and Delete walks, adding from text, the
// status text, the column chooser and the layout the event file keeps.
#include "shell/lists/ItemListCore.h"

#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/frame/ListPorts.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

using testbytes::Builder;

namespace {

struct Record {
    std::string sName;
    std::string sTown;
};

struct ListParts {
    ZelListModel Model;
    ZelListSort SortState;
};

// Groups keyed 10, 20 and 30: "Cello", "Alto", "Bass", in towns that sort
// the other way round.
class FakeView : private ListParts, public ItemListCore {
public:
    FakeView() : ItemListCore(&static_cast<ListParts&>(*this).Model, static_cast<ListParts&>(*this).SortState)
    {
        mRecords[10] = {"Cello", "Avon"};
        mRecords[20] = {"Alto", "Crewe"};
        mRecords[30] = {"Bass", "Bath"};
        SetColumnDefs({{0, "Name"}, {1, "Town"}, {2, "Notes"}});
        BuildColumnTitles();
        Model.SetRowsArea(200, 170);
    }

    void FillList() override
    {
        InsertColumn(0, "Name");
        InsertColumn(1, "Town");
        for (const auto& [l_key, rec] : mRecords) {
            AddItem(l_key, 0, rec.sName);
            AddItem(l_key, 1, rec.sTown);
        }
        ++nFills;
    }
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL) override
    {
        if (name.GetFullName() == "Taken") {
            s_error = "The name is in use.";
            return FALSE;
        }
        mRecords[lNextKey++] = {name.GetFullName(), ""};
        return TRUE;
    }
    void DoAddDialog() override { ++nAddDialogs; }
    void DeleteRecord(LPARAM l_key, BOOL b_last) override
    {
        vDeleted.emplace_back(l_key, b_last);
        mRecords.erase(l_key);
    }
    int DoChangeDialog(LPARAM l_key, LPARAM&, int i_position, int n_count) override
    {
        vChanges.push_back({l_key, i_position, n_count});
        if (qCodes.empty())
            return 1;
        const int i = qCodes.front();
        qCodes.pop_front();
        return i;
    }
    int GetRecordCount() override { return static_cast<int>(mRecords.size()); }
    std::string GetPluralTitle() override { return "Groups"; }
    std::string GetSingularTitle() override { return "Group"; }
    std::string GetSingularNoun() override { return "group"; }
    std::string GetPluralNoun() override { return "groups"; }
    std::string GetCountNoun() override { return "group(s)"; }
    BOOL SelectPrintColumns() override
    {
        GetPrintColumnIds().RemoveAll();
        for (UINT u : {0u, 1u, 2u})
            GetPrintColumnIds().Add(u);
        int b_landscape = 0, b_all = 1;
        return SelectColumnsForPrint(Chosen, b_landscape, b_all);
    }
    ILVRecord GetRecord(int i_row) override
    {
        const auto it = mRecords.find(Model.GetItemData(i_row));
        return it == mRecords.end() ? nullptr : &it->second;
    }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        ++nFieldTexts;
        const auto* p = static_cast<const Record*>(p_record);
        return i_column == 0 ? p->sName : i_column == 1 ? p->sTown : "note";
    }

    void EndProgram() override { ++nEnds; }

    std::vector<std::string> Names()
    {
        std::vector<std::string> v;
        for (int i = 0; i < Model.GetItemCount(); ++i)
            v.push_back(Model.GetItemText(i, 0));
        return v;
    }
    std::vector<LPARAM> Selected()
    {
        std::vector<LPARAM> v;
        for (int i = Model.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = Model.GetNextItem(i, LVNI_SELECTED))
            v.push_back(Model.GetItemData(i));
        return v;
    }
    int Row(LPARAM l_key) { return Model.FindItemData(l_key); }

    struct Change {
        LPARAM lKey;
        int iPosition;
        int nCount;
        bool operator==(const Change&) const = default;
    };
    std::map<LPARAM, Record> mRecords;
    LPARAM lNextKey = 40;
    int nFills = 0;
    int nAddDialogs = 0;
    int nFieldTexts = 0;
    int nEnds = 0;
    std::vector<std::pair<LPARAM, BOOL>> vDeleted;
    std::vector<Change> vChanges;
    std::deque<int> qCodes;
    ZelArray<UINT> Chosen;
};

class ItemListCoreTest : public ::testing::Test {
protected:
    void SetUp() override { View.InitialUpdate(); }

    ScriptedMessageBox Boxes;
    RecordingListStatus Status;
    RecordingMessageLists Lists;
    FakeView View;
};

TEST_F(ItemListCoreTest, ClickSelectionFollowsShiftAndCtrl)
{
    // Rows in key order: 10, 20, 30.
    struct Step {
        int iRow;
        bool bShift, bCtrl;
        std::vector<LPARAM> vSelected;
    } a_steps[] = {
        {1, true, false, {20}},          // Shift without a selection: just the row
        {0, false, false, {10}},         // a plain click replaces the selection
        {2, true, false, {10, 20, 30}},  // Shift extends from the first selected row
        {1, false, true, {10, 30}},      // Ctrl unselects a selected row, keeps the others
        {1, false, true, {10, 20, 30}},  // and selects it again
        {-1, false, false, {}},          // below the last row: nothing
        {-1, false, true, {}},
    };
    for (const Step& s : a_steps) {
        View.Click(s.iRow, s.bShift, s.bCtrl);
        EXPECT_EQ(View.Selected(), s.vSelected) << "row " << s.iRow;
        if (s.iRow >= 0) {
            EXPECT_EQ(View.GetList().GetNextItem(-1, LVNI_FOCUSED), s.iRow);
        }
    }
    EXPECT_EQ(Status.vTexts.back(), "3 groups");

    // Shift extends from the row clicked before, not from the first
    // selected row.
    View.Click(0, FALSE, FALSE);
    View.Click(2, FALSE, TRUE);
    View.Click(2, FALSE, TRUE);
    EXPECT_EQ(View.Selected(), std::vector<LPARAM>{10});
    View.Click(1, TRUE, FALSE);
    EXPECT_EQ(View.Selected(), (std::vector<LPARAM>{10, 20, 30}));
    EXPECT_EQ(Status.vTexts.back(), "3 groups, 3 selected");
}

TEST_F(ItemListCoreTest, DoubleClickChangesARowAndAddsOnEmptySpace)
{
    View.DoubleClick(1);
    EXPECT_EQ(View.vChanges, (std::vector<FakeView::Change>{{20, 0, 0}}));
    EXPECT_EQ(View.Selected(), std::vector<LPARAM>{20});
    View.DoubleClick(-1);
    EXPECT_EQ(View.nAddDialogs, 1);
    EXPECT_TRUE(View.Selected().empty());
}

TEST_F(ItemListCoreTest, KeysMoveFocusAndSelectionWithTheAnchor)
{
    using K = ItemListCore::Key;
    // Without a focused row the arrows do nothing.
    View.ClearFocus();
    EXPECT_TRUE(View.KeyDown(K::Down, FALSE));
    EXPECT_TRUE(View.Selected().empty());

    View.Click(0, FALSE, FALSE);
    EXPECT_TRUE(View.KeyDown(K::Down, FALSE));
    EXPECT_EQ(View.Selected(), std::vector<LPARAM>{20});
    EXPECT_TRUE(View.KeyDown(K::Down, TRUE)); // anchor at row 1
    EXPECT_EQ(View.Selected(), (std::vector<LPARAM>{20, 30}));
    EXPECT_TRUE(View.KeyDown(K::Down, TRUE)); // stays on the last row
    EXPECT_EQ(View.Selected(), (std::vector<LPARAM>{20, 30}));
    EXPECT_TRUE(View.KeyDown(K::Up, TRUE));
    EXPECT_TRUE(View.KeyDown(K::Up, TRUE));
    EXPECT_EQ(View.Selected(), (std::vector<LPARAM>{10, 20}));
    EXPECT_EQ(View.GetAnchor(), 1);
    EXPECT_FALSE(View.KeyDown(K::Escape, FALSE));
    EXPECT_TRUE(View.Selected().empty());
    EXPECT_EQ(View.GetAnchor(), -1);
    EXPECT_TRUE(View.KeyDown(K::Space, FALSE));
    EXPECT_EQ(View.Selected(), std::vector<LPARAM>{10});

    // Enter changes the selected records.
    EXPECT_TRUE(View.KeyDown(K::Enter, FALSE));
    EXPECT_EQ(View.vChanges.size(), 1u);
}

TEST_F(ItemListCoreTest, RefillKeepsSelectionAndFocusByKeyAfterAReSort)
{
    View.Sort(0); // Alto 20, Bass 30, Cello 10
    EXPECT_EQ(View.Names(), (std::vector<std::string>{"Alto", "Bass", "Cello"}));
    View.Click(0, FALSE, FALSE);
    View.Click(2, FALSE, TRUE);
    EXPECT_EQ(View.Selected(), (std::vector<LPARAM>{20, 10}));

    // The towns change so that the kept sort puts the rows elsewhere.
    View.mRecords[10].sName = "Aria";
    View.mRecords[20].sName = "Zither";
    UpdateViewHint hint;
    hint.lCode = UpdateViewHint::e_groups;
    View.OnUpdate(&hint);
    EXPECT_EQ(View.Names(), (std::vector<std::string>{"Aria", "Bass", "Zither"}));
    EXPECT_EQ(View.Selected(), (std::vector<LPARAM>{10, 20}));
    EXPECT_EQ(View.GetList().GetItemData(View.GetList().GetNextItem(-1, LVNI_FOCUSED)), 10);

    // A hint carrying a value was applied by the view itself: no refill.
    const int n_fills = View.nFills;
    hint.lValue = 1;
    View.OnUpdate(&hint);
    EXPECT_EQ(View.nFills, n_fills);
}

TEST_F(ItemListCoreTest, SortCollectsEachRowsTextsOnceAndSecondClickReverses)
{
    View.nFieldTexts = 0;
    View.Sort(1);
    EXPECT_EQ(View.nFieldTexts, 3); // one text per row, none during the comparisons
    EXPECT_EQ(View.Names(), (std::vector<std::string>{"Cello", "Bass", "Alto"}));
    View.Sort(1);
    EXPECT_EQ(View.Names(), (std::vector<std::string>{"Alto", "Bass", "Cello"}));
    // Bytes compare unsigned: a code page 1252 letter sorts after ASCII.
    View.mRecords[30].sName = "\xC9mile";
    View.Refill();
    View.Sort(0);
    EXPECT_EQ(View.Names(), (std::vector<std::string>{"Alto", "Cello", "\xC9mile"}));
    View.NoSort();
    EXPECT_EQ(View.GetSort().GetCount(), 0);
}

TEST_F(ItemListCoreTest, ChangeWalkFollowsTheSheetsCodes)
{
    View.Click(0, FALSE, FALSE);
    View.Click(2, TRUE, FALSE);
    // 1 next, 0 the same again, 2 previous, 1, 1, 3 stop is not reached.
    View.qCodes = {1, 0, 2, 1, 1, 1};
    View.ChangeSelected();
    using C = FakeView::Change;
    EXPECT_EQ(View.vChanges,
              (std::vector<C>{{10, 0, 3}, {20, 1, 3}, {20, 1, 3}, {10, 0, 3}, {20, 1, 3}, {30, 2, 3}}));

    View.vChanges.clear();
    View.qCodes = {1, 3};
    View.ChangeSelected();
    EXPECT_EQ(View.vChanges, (std::vector<C>{{10, 0, 3}, {20, 1, 3}}));
}

TEST_F(ItemListCoreTest, DeleteGoesFromTheLastKeyAndFlagsTheFirstAsLast)
{
    View.Click(0, FALSE, FALSE);
    View.Click(2, FALSE, TRUE);
    View.DeleteSelected();
    EXPECT_EQ(View.vDeleted, (std::vector<std::pair<LPARAM, BOOL>>{{30, FALSE}, {10, TRUE}}));
}

TEST_F(ItemListCoreTest, AddFromTextAddsEachLineAndListsFailures)
{
    EXPECT_EQ(View.AddFromText("Viola\r\n\r\nHarp\n"), 1);
    EXPECT_EQ(View.GetRecordCount(), 5);
    EXPECT_TRUE(Lists.vShown.empty());
    EXPECT_EQ(View.AddFromText("\r\n\n"), 0);

    // A line of blanks only gives an empty name.
    EXPECT_EQ(View.AddFromText("Lute\n \t \nTaken"), 0);
    ASSERT_EQ(Lists.vShown.size(), 1u);
    const MessageList& list = Lists.vShown[0];
    EXPECT_EQ(list.sTitle, "Add failures");
    EXPECT_EQ(list.vRows, (std::vector<std::pair<std::string, std::string>>{
                              {"<empty>", "Cannot add a group with no name."}, {"Taken", "The name is in use."}}));
    EXPECT_EQ(list.sHeading, "1 group(s) were added, 2 errors occurred.  Any error messages are shown below.");
}

TEST_F(ItemListCoreTest, StatusTextCountsRecordsAndSelection)
{
    EXPECT_EQ(View.StatusText(0, 0), "");
    EXPECT_EQ(View.StatusText(1, 1), "1 group, 1 selected");
    EXPECT_EQ(View.StatusText(5, 0), "5 groups");
    EXPECT_EQ(View.StatusText(5, 2), "5 groups, 2 selected");
}

// Another event opened (or records imported) refills the lists: the
// message bar then shows the new counts of the view it was showing, or of
// the view with the focus, and never those of a view the user is not in.
TEST_F(ItemListCoreTest, ARefillShowsTheNewCountsOfTheViewTheMessageBarShows)
{
    FakeView other;
    other.InitialUpdate();
    Status.vTexts.clear();
    auto last = [this] { return Status.vTexts.empty() ? std::string("<none>") : Status.vTexts.back(); };

    // No view has shown its counts yet: a refill leaves the bar alone.
    View.OnUpdate(nullptr);
    EXPECT_EQ(last(), "<none>");

    View.Click(0, FALSE, FALSE);
    EXPECT_EQ(last(), "3 groups, 1 selected");
    EXPECT_EQ(ItemListCore::StatusOwner(), &View);

    // The next event has other records: the view shown refills with the
    // new count (its selected key is gone), the other view's refill does
    // not take the bar.
    View.mRecords = {{50, {"Oboe", "Ely"}}};
    other.mRecords.erase(10);
    other.OnUpdate(nullptr);
    EXPECT_EQ(last(), "3 groups, 1 selected");
    View.OnUpdate(nullptr);
    EXPECT_EQ(last(), "1 group");

    // The view with the focus shows its counts after each refill.
    View.OnKillFocus();
    other.OnSetFocus();
    EXPECT_EQ(last(), "2 groups");
    other.mRecords.erase(20);
    View.OnUpdate(nullptr);
    other.OnUpdate(nullptr);
    EXPECT_EQ(last(), "1 group");
    other.OnKillFocus();
    other.mRecords.clear();
    other.OnUpdate(nullptr);
    EXPECT_EQ(last(), "") << "the bar's view stays its owner without the focus";
}

TEST_F(ItemListCoreTest, AKeyWithoutARowIsReportedAndTheEventOfferedForSaving)
{
    EXPECT_EQ(View.ChgItem(99, 1, "x"), -1);
    View.DelItem(98);
    ASSERT_EQ(Boxes.Boxes().size(), 2u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("func=ItemListView::ChgItem,key=99"), std::string::npos);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("The program will now terminate."), std::string::npos);
    EXPECT_EQ(Boxes.Boxes()[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONSTOP));
    EXPECT_EQ(View.nEnds, 2);
}

// The event itself is sound when a list loses track of a key: its unsaved
// changes are offered for saving before the program ends.
TEST_F(ItemListCoreTest, AKeyWithoutARowOffersTheSaveQuestionBeforeTheEnd)
{
    class ViewOfDoc : public FakeView {
    public:
        EventDoc* GetEventDoc() override { return &Doc; }
        EventDoc Doc;
    } view;
    view.InitialUpdate();
    view.Doc.SetModifiedFlag(true);
    ScriptedSaveQuestions questions;
    questions.SaveChangesAnswer(IDNO);
    view.DelItem(77);
    EXPECT_EQ(questions.SaveChangesAsked().size(), 1u);
    EXPECT_EQ(view.nEnds, 1);
}

// During a rostering run the records change under the view: it reads none
// and refills at the first update after the run, whatever its hint.
TEST_F(ItemListCoreTest, ABusyDocumentPostponesTheRefill)
{
    class ViewOfDoc : public FakeView {
    public:
        EventDoc* GetEventDoc() override { return &Doc; }
        EventDoc Doc;
    } view;
    view.InitialUpdate();
    const int n_fills = view.nFills;
    view.Doc.SetBusy(TRUE);
    view.mRecords[40] = {"Oboe", "Ely"};
    view.OnUpdate(nullptr);
    EXPECT_EQ(view.nFills, n_fills);
    EXPECT_TRUE(view.IsRefillPending());
    view.Doc.SetBusy(FALSE);
    UpdateViewHint hint;
    hint.lValue = 1; // a hint the view would apply itself
    view.OnUpdate(&hint);
    EXPECT_EQ(view.nFills, n_fills + 1);
    EXPECT_EQ(view.GetList().GetItemCount(), 4);
}

TEST_F(ItemListCoreTest, ColumnChooserGetsTitlesAndGivesBackIdsInTheChosenOrder)
{
    ScriptedSelectColumns chooser;
    View.Chosen.Add(2);
    chooser.fAnswer = [](SelectColumnsData& data) {
        data.Selected.RemoveAll();
        data.Selected.Add("Town");
        data.Selected.Add("Name");
        return IDOK;
    };
    EXPECT_TRUE(View.SelectPrintColumns());
    ASSERT_EQ(chooser.vShown.size(), 1u);
    const SelectColumnsData& shown = chooser.vShown[0];
    ASSERT_EQ(shown.Available.GetSize(), 2);
    EXPECT_EQ(shown.Available[0], "Name");
    EXPECT_EQ(shown.Available[1], "Town");
    ASSERT_EQ(shown.Selected.GetSize(), 1);
    EXPECT_EQ(shown.Selected[0], "Notes");
    EXPECT_EQ(shown.sItems, "groups");
    EXPECT_EQ(shown.bRowsSelected, 0);
    EXPECT_EQ(View.GetPrintColumnCount(), 2);
    EXPECT_EQ(View.GetPrintColumnTitle(0), "Town");
    ASSERT_EQ(View.Chosen.GetSize(), 2);
    EXPECT_EQ(View.Chosen[0], 1u);
    EXPECT_EQ(View.Chosen[1], 0u);
    EXPECT_EQ(View.FindColumnDef("Notes"), 2);
    EXPECT_EQ(View.FindColumnDef("Nope"), -1);

    chooser.fAnswer = nullptr; // cancelled: nothing changes
    EXPECT_FALSE(View.SelectPrintColumns());
    EXPECT_EQ(View.GetPrintColumnCount(), 2);
}

// Layout records as files of each version hold them, loaded through the
// record's own form and applied to the view.
TEST_F(ItemListCoreTest, LayoutsByFileVersionAreAppliedOnlyWhenTheColumnsMatch)
{
    const auto head = [](DWORD n_cols) {
        Builder b;
        b.Dword(n_cols).Dwords({0, 2, 111, 77}).Dwords({0, 2, 1, 0});
        return b;
    };
    const Builder sort = Builder().Dwords({1, 1}).Dwords({1, 1, 1});
    const Builder mappings = Builder().Count(1).String("file.csv").Count(1).String("Name");
    struct Case {
        unsigned uVersion;
        DWORD nColumns;
        bool bSort, bMappings;
        bool bApplied;
    } a_cases[] = {
        {20, 2, false, false, true},
        {26, 2, true, false, true},
        {27, 2, true, true, true},
        {27, 4, true, true, false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.uVersion);
        FakeView view;
        view.InitialUpdate();
        view.GetSort().AddCol(0, 1);
        const int i_width1 = view.GetList().GetColumnWidth(1);
        Builder b = head(c.nColumns);
        if (c.bSort)
            b.Raw(sort.Get());
        if (c.bMappings)
            b.Raw(mappings.Get());
        ViewLayout layout;
        testbytes::Load(layout, b.Get(), c.uVersion);
        view.ApplyLayout(layout);
        view.Refill();
        EXPECT_EQ(view.GetSort().GetCount(), c.bSort ? 1 : 0);
        if (c.bSort) {
            EXPECT_EQ(view.Names(), (std::vector<std::string>{"Cello", "Bass", "Alto"}));
        }
        EXPECT_EQ(view.GetMappings().GetSize(), c.bMappings ? 1 : 0);
        if (c.bApplied) {
            EXPECT_EQ(view.GetList().GetColumnWidth(0), 111);
            std::vector<int> v_order;
            view.GetList().GetColumnOrderArray(v_order);
            EXPECT_EQ(v_order, (std::vector<int>{1, 0}));
        } else {
            EXPECT_NE(view.GetList().GetColumnWidth(0), 111);
            EXPECT_EQ(view.GetList().GetColumnWidth(1), i_width1);
        }

        // What the view gives back is what it shows.
        ViewLayout back;
        view.FillLayout(back);
        EXPECT_EQ(back.GetColumnCount(), 2);
        EXPECT_EQ(back.GetSort().GetCount(), view.GetSort().GetCount());
    }
}

TEST_F(ItemListCoreTest, AFirstFillAutoSizesALaterOneKeepsWidthsAndOrder)
{
    EXPECT_FALSE(View.IsFirstFill());
    View.GetList().SetColumnWidth(0, 222);
    View.GetList().SetColumnOrderArray({1, 0});
    View.Refill();
    EXPECT_EQ(View.GetList().GetColumnWidth(0), 222);
    std::vector<int> v_order;
    View.GetList().GetColumnOrderArray(v_order);
    EXPECT_EQ(v_order, (std::vector<int>{1, 0}));
}

} // namespace
