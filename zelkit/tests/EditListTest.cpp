// The in-place editing list without its window: the edit columns, the
// rules an ended edit is taken by, and where the editor goes.
#include "zelkit/import/ZelEditList.h"
#include "zelkit/lists/ZelListModel.h"

#include <gtest/gtest.h>

namespace {

using Rules = ZelEditListRules;

TEST(EditListRules, EditColumnsAreReplacedOrAppended)
{
    Rules rules;
    EXPECT_EQ(rules.FindColumn(-1), nullptr);
    rules.AddEditColumn(2, Rules::editListBox, 0, 0);
    rules.AddEditColumn(0, Rules::editBox, 1, 0);
    rules.AddEditColumn(2, Rules::editAsk, 0, 1);
    EXPECT_EQ(rules.GetEditColumnCount(), 2);
    ASSERT_NE(rules.FindColumn(-1), nullptr);
    EXPECT_EQ(rules.FindColumn(-1)->iColumn, 2) << "-1 is the first added";
    EXPECT_EQ(rules.FindColumn(2)->eType, Rules::editAsk);
    EXPECT_TRUE(rules.FindColumn(2)->bAllowEmpty);
    EXPECT_EQ(rules.FindColumn(1), nullptr);
}

TEST(EditListRules, AnEndedEditIsTrimmedCheckedOrRefused)
{
    struct Case {
        const char* p_name;
        const char* p_raw;
        bool b_cancelled;
        BOOL b_unique, b_allowEmpty;
        int i_usedRow;
        const char* p_value;
        bool b_store;
        UINT u_error;
    };
    const Case a_cases[] = {
        {"trimmed", "  Hall A \t", false, FALSE, FALSE, -1, "Hall A", true, 0},
        {"cancelled stores nothing", "Hall A", true, TRUE, FALSE, 3, "Hall A", false, 0},
        {"used in another row", "Hall A", false, TRUE, FALSE, 3, "Hall A", false, Rules::IDS_VALUE_USED},
        {"used elsewhere, not unique", "Hall A", false, FALSE, FALSE, 3, "Hall A", true, 0},
        {"empty refused", "   ", false, FALSE, FALSE, -1, "", false, Rules::IDS_VALUE_EMPTY},
        {"empty allowed", "", false, FALSE, TRUE, -1, "", true, 0},
        {"cancelled empty", "", true, FALSE, FALSE, -1, "", false, 0},
    };
    for (const Case& c : a_cases) {
        Rules::EditColumn col;
        col.bUnique = c.b_unique;
        col.bAllowEmpty = c.b_allowEmpty;
        const Rules::EndResult result = Rules::DecideEnd(c.p_raw, c.b_cancelled, col, c.i_usedRow);
        EXPECT_EQ(result.sValue, c.p_value) << c.p_name;
        EXPECT_EQ(result.bStore, c.b_store) << c.p_name;
        EXPECT_EQ(result.uError, c.u_error) << c.p_name;
    }
}

TEST(EditListRules, FindSkipsTheEditedRowAndTakesTheHighest)
{
    ZelListModel list;
    list.InsertColumn(0, "Name");
    for (const char* p : {"Hall A", "Hall B", "Hall A", "hall a"})
        list.InsertItem(list.GetItemCount(), p, 0);
    EXPECT_EQ(Rules::Find(list, 0, "Hall A", -1), 2);
    EXPECT_EQ(Rules::Find(list, 0, "Hall A", 2), 0) << "the row's own value does not count";
    EXPECT_EQ(Rules::Find(list, 0, "Hall B", 1), -1);
    EXPECT_EQ(Rules::Find(list, 0, "HALL A", -1), -1) << "case-sensitive";
}

TEST(EditListRules, TheEditorGoesOverTheCell)
{
    ZelListModel list;
    list.InsertColumn(0, "A", LVCFMT_LEFT, 50);
    list.InsertColumn(1, "B", LVCFMT_LEFT, 70);
    list.InsertColumn(2, "C", LVCFMT_LEFT, 200);
    const ZelRect rc_row{-10, 40, 310, 57};
    EXPECT_EQ(Rules::CellRect(list, rc_row, 1, 300), (ZelRect{40, 40, 110, 57}));
    EXPECT_EQ(Rules::CellRect(list, rc_row, 2, 300), (ZelRect{110, 40, 300, 57})) << "cut at the client's right";

    EXPECT_EQ(Rules::EditBoxRect(ZelRect{40, 40, 110, 57}, 200), (ZelRect{40, 38, 110, 59}));
    EXPECT_EQ(Rules::EditBoxRect(ZelRect{40, 1, 110, 18}, 19), (ZelRect{40, 0, 110, 19})) << "kept in the client";

    bool b_upward = true;
    EXPECT_EQ(Rules::ListBoxRect(ZelRect{40, 40, 110, 57}, 0, 200, b_upward), (ZelRect{40, 40, 110, 140}));
    EXPECT_FALSE(b_upward);
    EXPECT_EQ(Rules::ListBoxRect(ZelRect{40, 160, 110, 177}, 0, 200, b_upward), (ZelRect{40, 77, 110, 177}));
    EXPECT_TRUE(b_upward) << "a cell near the bottom opens upward";

    // Fitted to three entries of 15 pixels, 90 wide with a 16-pixel bar.
    EXPECT_EQ(Rules::FitListBox(ZelRect{40, 40, 110, 140}, false, 74, 16, 300, 45), (ZelRect{40, 40, 130, 85}));
    EXPECT_EQ(Rules::FitListBox(ZelRect{40, 77, 110, 177}, true, 74, 16, 300, 45), (ZelRect{40, 132, 130, 177}));
    EXPECT_EQ(Rules::FitListBox(ZelRect{250, 40, 300, 140}, false, 74, 16, 300, 500), (ZelRect{210, 40, 300, 140}))
        << "moved left to stay inside, never taller";
    EXPECT_EQ(Rules::FitListBox(ZelRect{10, 40, 60, 140}, false, 400, 16, 300, 45), (ZelRect{0, 40, 300, 85}))
        << "not past the left edge";
}

} // namespace
