// The multi-selection tree without a window, over a small tree of nodes:
// check marks and their propagation, full-order navigation and the
// checked-item search, path texts, and the selection rules of the mouse
// and the keys with what the parent hears.
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ZelTreeCtrlCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Node {
    std::string sText;
    DWORD uData = 0;
    Node* pParent = nullptr;
    std::vector<Node*> vChildren;
    bool bExpanded = true;
    bool bSelected = false;
    int iState = 0;
};

class FakeTree : public IZelTreePort {
public:
    // Adds a node under p_parent (null: top level).
    Node* Add(const std::string& s_text, Node* p_parent = nullptr, int i_state = 0, DWORD u_data = 0)
    {
        vOwned.push_back(std::make_unique<Node>());
        Node* p = vOwned.back().get();
        p->sText = s_text;
        p->uData = u_data;
        p->pParent = p_parent;
        p->iState = i_state;
        (p_parent ? p_parent->vChildren : vTop).push_back(p);
        return p;
    }
    Node* N(const std::string& s_text)
    {
        for (auto& p : vOwned)
            if (p->sText == s_text)
                return p.get();
        ADD_FAILURE() << "no node " << s_text;
        return nullptr;
    }
    static Node* Of(HTREEITEM h) { return static_cast<Node*>(h); }
    std::vector<Node*>& Siblings(Node* p) { return p->pParent ? p->pParent->vChildren : vTop; }

    // The selected nodes' texts in full order.
    std::string Selected()
    {
        std::string s;
        for (auto& p : vOwned)
            if (p->bSelected)
                s += (s.empty() ? "" : ",") + p->sText;
        return s;
    }
    std::string States()
    {
        std::string s;
        for (auto& p : vOwned)
            s += std::to_string(p->iState);
        return s;
    }

    HTREEITEM GetRootItem() override { return vTop.empty() ? nullptr : vTop.front(); }
    HTREEITEM GetChildItem(HTREEITEM h) override
    {
        return Of(h)->vChildren.empty() ? nullptr : Of(h)->vChildren.front();
    }
    HTREEITEM GetNextSiblingItem(HTREEITEM h) override
    {
        auto& v = Siblings(Of(h));
        auto it = std::find(v.begin(), v.end(), Of(h));
        return it + 1 == v.end() ? nullptr : *(it + 1);
    }
    HTREEITEM GetPrevSiblingItem(HTREEITEM h) override
    {
        auto& v = Siblings(Of(h));
        auto it = std::find(v.begin(), v.end(), Of(h));
        return it == v.begin() ? nullptr : *(it - 1);
    }
    HTREEITEM GetParentItem(HTREEITEM h) override { return Of(h)->pParent; }
    BOOL IsExpanded(HTREEITEM h) override { return Of(h)->bExpanded; }
    std::string GetItemText(HTREEITEM h) override { return Of(h)->sText; }
    DWORD GetItemData(HTREEITEM h) override { return Of(h)->uData; }
    void DeleteItem(HTREEITEM h) override
    {
        auto& v = Siblings(Of(h));
        v.erase(std::find(v.begin(), v.end(), Of(h)));
        vDeleted.push_back(Of(h)->sText);
    }
    BOOL IsSelected(HTREEITEM h) override { return Of(h)->bSelected; }
    void SetSelected(HTREEITEM h, BOOL b) override { Of(h)->bSelected = b != FALSE; }
    HTREEITEM GetCaret() override { return pCaret; }
    void SetCaret(HTREEITEM h) override { pCaret = Of(h); }
    void EnsureVisible(HTREEITEM) override {}
    int GetStateImage(HTREEITEM h) override { return Of(h)->iState; }
    void SetStateImage(HTREEITEM h, int i) override { Of(h)->iState = i; }
    BOOL HasEditLabels() override { return bEditLabels; }
    BOOL HasFocus() override { return bFocus; }
    void TakeFocus() override { bFocus = TRUE; }
    void EditLabel(HTREEITEM h) override { vEdited.push_back(Of(h)->sText); }
    CSize GetDragDistance() override { return CSize(4, 4); }
    void RepaintAll() override { ++nRepaints; }
    long Notify(int i_code, void* p_record) override
    {
        std::string s = std::to_string(i_code);
        if (i_code == TVN_KEYDOWN) {
            s += ":" + std::to_string(static_cast<ZelNMTVKeyDown*>(p_record)->wVKey);
        } else {
            auto* p_nm = static_cast<ZelNMTreeView*>(p_record);
            s += ":" + (p_nm->itemOld.hItem ? Of(p_nm->itemOld.hItem)->sText : std::string("-"));
            s += ">" + (p_nm->itemNew.hItem ? Of(p_nm->itemNew.hItem)->sText : std::string("-"));
            if (i_code == TVN_BEGINDRAG)
                vDragRecords.push_back(*p_nm);
        }
        vNotes.push_back(s);
        return 0;
    }
    // The notes of one code, cleared after.
    std::vector<std::string> Notes(int i_code)
    {
        std::vector<std::string> v;
        for (const std::string& s : vNotes)
            if (s.rfind(std::to_string(i_code) + ":", 0) == 0)
                v.push_back(s.substr(s.find(':') + 1));
        vNotes.clear();
        return v;
    }

    std::vector<std::unique_ptr<Node>> vOwned;
    std::vector<Node*> vTop;
    Node* pCaret = nullptr;
    BOOL bEditLabels = FALSE;
    BOOL bFocus = FALSE;
    int nRepaints = 0;
    std::vector<std::string> vNotes, vEdited, vDeleted;
    std::vector<ZelNMTreeView> vDragRecords;
};

// A
//   A1
//     A1a
//     A1b
//   A2
// B
//   B1
// C
void Build(FakeTree& t, int i_state = 0)
{
    Node* a = t.Add("A", nullptr, i_state, 10);
    Node* a1 = t.Add("A1", a, i_state, 11);
    t.Add("A1a", a1, i_state, 12);
    t.Add("A1b", a1, i_state, 13);
    t.Add("A2", a, i_state, 14);
    Node* b = t.Add("B", nullptr, i_state, 20);
    t.Add("B1", b, i_state, 21);
    t.Add("C", nullptr, i_state, 30);
}

std::string Walk(ZelTreeCtrlCore& core, HTREEITEM h, HTREEITEM (ZelTreeCtrlCore::*f_step)(HTREEITEM))
{
    std::string s;
    for (; h; h = (core.*f_step)(h))
        s += (s.empty() ? "" : ",") + FakeTree::Of(h)->sText;
    return s;
}

TEST(TreeCtrlCore, CheckMarksReachTheAncestorsAndLeaveThemAgain)
{
    // Nodes in the order A A1 A1a A1b A2 B B1 C; each step on the state
    // the previous one left.
    struct Step {
        const char* pItem;
        ZelTreeCtrlCore::CheckType eType;
        const char* pStates;
    };
    const Step a_steps[] = {
        {"A1a", ZelTreeCtrlCore::ctCheck, "33211111"},   // a leaf under unchecked parents
        {"A1a", ZelTreeCtrlCore::ctCheck, "33211111"},   // already checked: nothing
        {"A1b", ZelTreeCtrlCore::ctToggle, "33221111"},  // a second leaf
        {"A1a", ZelTreeCtrlCore::ctUncheck, "33121111"}, // a checked sibling keeps the marks
        {"A1b", ZelTreeCtrlCore::ctUncheck, "11111111"}, // the last one clears them
        {"A", ZelTreeCtrlCore::ctCheck, "21111111"},
        {"A1a", ZelTreeCtrlCore::ctCheck, "43211111"},   // a checked grandparent turns to 4
        {"A1a", ZelTreeCtrlCore::ctToggle, "21111111"},  // and back to 2
        {"A1", ZelTreeCtrlCore::ctToggle, "42111111"},
        {"A1", ZelTreeCtrlCore::ctToggle, "21111111"},
        {"B1", ZelTreeCtrlCore::ctCheck, "21111321"},
        {"C", ZelTreeCtrlCore::ctToggle, "21111322"},
    };
    FakeTree t;
    Build(t, 1);
    t.N("A2")->iState = 3; // a stale marker: the refresh puts it right
    ZelTreeCtrlCore core(t);
    EXPECT_TRUE(core.SetCheck(t.N("A2"), ZelTreeCtrlCore::ctRefresh));
    ASSERT_EQ(t.States(), "11111111");
    for (const Step& s : a_steps) {
        EXPECT_TRUE(core.SetCheck(t.N(s.pItem), s.eType));
        EXPECT_EQ(t.States(), s.pStates) << s.pItem << " " << s.eType;
    }
    EXPECT_TRUE(core.IsItemChecked(t.N("A")));
    EXPECT_FALSE(core.IsItemChecked(t.N("B")));
    EXPECT_EQ(core.GetCheckState(t.N("B")), 3);
    EXPECT_FALSE(core.SetCheck(nullptr, ZelTreeCtrlCore::ctCheck));

    // A parent marked by hand is put right by a refresh.
    t.N("A1")->iState = 1;
    t.N("A1b")->iState = 2;
    core.SetCheck(t.N("A1"), ZelTreeCtrlCore::ctRefresh);
    EXPECT_EQ(t.N("A1")->iState, 3);
}

TEST(TreeCtrlCore, MarksStopAtAnItemWithoutACheckBox)
{
    FakeTree t;
    Build(t, 1);
    t.N("A1")->iState = 0;
    ZelTreeCtrlCore core(t);
    core.SetCheck(t.N("A1a"), ZelTreeCtrlCore::ctCheck);
    EXPECT_EQ(t.States(), "10211111") << "A stays unmarked above A1";
    core.SetCheck(t.N("A1"), ZelTreeCtrlCore::ctToggle);
    EXPECT_EQ(t.N("A1")->iState, 0) << "no check box, no check";
    core.SetCheck(t.N("A1a"), ZelTreeCtrlCore::ctUncheck);
    EXPECT_EQ(t.States(), "10111111");
}

TEST(TreeCtrlCore, NavigationFollowsTheFullTreeOrder)
{
    FakeTree t;
    Build(t);
    t.N("A")->bExpanded = false; // order over all items, shown or not
    ZelTreeCtrlCore core(t);
    EXPECT_EQ(Walk(core, t.N("A"), &ZelTreeCtrlCore::GetNextItem), "A,A1,A1a,A1b,A2,B,B1,C");
    EXPECT_EQ(Walk(core, t.N("C"), &ZelTreeCtrlCore::GetPrevItem), "C,B1,B,A2,A1b,A1a,A1,A");
    EXPECT_EQ(FakeTree::Of(core.GetLastItem(nullptr))->sText, "C");
    EXPECT_EQ(FakeTree::Of(core.GetLastItem(t.N("A")))->sText, "A2");
    EXPECT_EQ(FakeTree::Of(core.GetLastItem(t.N("A1")))->sText, "A1b");
    EXPECT_EQ(core.GetLastItem(t.N("C")), t.N("C"));
    EXPECT_EQ(core.GetItemCount(t.N("A")), 2);
    EXPECT_EQ(core.GetItemCount(t.N("C")), 0);
    EXPECT_EQ(core.GetItemCount(nullptr), 3);

    // Visible order skips the closed branch.
    EXPECT_EQ(core.GetNextItem(t.N("A"), TVGN_NEXTVISIBLE), t.N("B"));
    EXPECT_EQ(core.GetNextItem(t.N("B"), TVGN_PREVIOUSVISIBLE), t.N("A"));
    EXPECT_EQ(core.GetNextItem(t.N("A1"), TVGN_PARENT), t.N("A"));
    EXPECT_EQ(core.GetNextItem(nullptr, TVGN_ROOT), t.N("A"));

    EXPECT_EQ(core.FindItemData(t.N("A"), 13), t.N("A1b"));
    EXPECT_EQ(core.FindItemData(t.N("A"), 10), t.N("A"));
    EXPECT_EQ(core.FindItemData(t.N("A"), 21), nullptr) << "only under the item";
    EXPECT_EQ(core.FindItemData(nullptr, 10), nullptr);
    EXPECT_EQ(core.ItemFromData(14), t.N("A2"));
    EXPECT_EQ(core.ItemFromData(21), nullptr) << "the first top-level item's siblings are not searched";
    EXPECT_EQ(core.ItemFromData(21, t.N("B")), t.N("B1"));

    core.DeleteChildren(t.N("A"));
    EXPECT_EQ(t.vDeleted, (std::vector<std::string>{"A1a", "A1b", "A1", "A2"})) << "depth first";
    EXPECT_EQ(core.GetItemCount(t.N("A")), 0);
}

TEST(TreeCtrlCore, TheCheckedSearchEntersOnlyMarkedBranches)
{
    FakeTree t;
    Build(t, 1);
    ZelTreeCtrlCore core(t);
    core.SetCheck(t.N("A1b"), ZelTreeCtrlCore::ctCheck);
    core.SetCheck(t.N("B"), ZelTreeCtrlCore::ctCheck);
    core.SetCheck(t.N("C"), ZelTreeCtrlCore::ctCheck);
    EXPECT_EQ(Walk(core, core.GetFirstCheckedItem(), &ZelTreeCtrlCore::GetNextCheckedItem), "A1b,B,C");
    EXPECT_EQ(Walk(core, t.N("C"), &ZelTreeCtrlCore::GetPrevCheckedItem), "C,B,A1b");
    EXPECT_EQ(core.GetNextCheckedItem(nullptr), t.N("A1b"));

    // An item checked below an unmarked one (a hand-set state) is found
    // only where the search enters: below the last sibling, not below one
    // with a next sibling.
    t.N("B1")->iState = 2;
    t.N("B")->iState = 1;
    EXPECT_EQ(Walk(core, core.GetFirstCheckedItem(), &ZelTreeCtrlCore::GetNextCheckedItem), "A1b,C");
    t.N("A2")->iState = 0;
    Node* p_hidden = t.Add("A2x", t.N("A2"), 2);
    EXPECT_EQ(core.GetNextCheckedItem(t.N("A1b")), p_hidden) << "A2 is the last child: the search goes on into it";
}

TEST(TreeCtrlCore, PathTextsEndWithABackslash)
{
    FakeTree t;
    Build(t);
    ZelTreeCtrlCore core(t);
    std::string s_path = "x:";
    core.GetFullyQualifiedPath(t.N("A1a"), s_path, TRUE);
    EXPECT_EQ(s_path, "x:A\\A1\\A1a\\");
    s_path.clear();
    core.GetFullyQualifiedPath(t.N("A1a"), s_path, FALSE);
    EXPECT_EQ(s_path, "A1a\\A1\\A\\");
    s_path.clear();
    core.GetFullyQualifiedPath(t.N("C"), s_path, TRUE);
    EXPECT_EQ(s_path, "C\\");
}

constexpr UINT kOnLabel = TVHT_ONITEMLABEL;

class TreeSelection : public ::testing::Test {
protected:
    TreeSelection() : Core(T) { Build(T); }
    void Click(const char* p_item, UINT u_flags = 0, CPoint pt = CPoint(5, 5))
    {
        EXPECT_FALSE(Core.OnLButtonDown(u_flags, pt, T.N(p_item), kOnLabel));
        Core.OnLButtonUp(u_flags, pt);
    }
    std::string Caret() { return T.pCaret ? T.pCaret->sText : "-"; }

    FakeTree T;
    ZelTreeCtrlCore Core;
};

TEST_F(TreeSelection, ClicksWithCtrlAndShiftFollowTheRules)
{
    Click("A1");
    EXPECT_EQ(T.Selected(), "A1");
    EXPECT_EQ(Caret(), "A1");
    EXPECT_TRUE(T.bFocus) << "a press on an item takes the focus";
    EXPECT_EQ(T.Notes(TVN_SELCHANGED), (std::vector<std::string>{"->A1"})) << "once, from the control";

    Click("B", MK_CONTROL);
    EXPECT_EQ(T.Selected(), "A1,B");
    EXPECT_EQ(Caret(), "B") << "an added item becomes the caret";
    T.vNotes.clear();
    Click("A1", MK_CONTROL);
    EXPECT_EQ(T.Selected(), "B") << "Ctrl on a selected item unselects only it";
    EXPECT_EQ(Caret(), "B");

    // A Shift range runs in visible order from the anchor, either way.
    Click("A1a");
    Click("B1", MK_SHIFT);
    EXPECT_EQ(T.Selected(), "A1a,A1b,A2,B,B1");
    EXPECT_EQ(Caret(), "B1");
    EXPECT_EQ(Core.GetSelectedCount(), 5u);
    Click("A", MK_SHIFT);
    EXPECT_EQ(T.Selected(), "A,A1,A1a") << "from the same anchor the other way";

    // Without multi-selection every click selects one item.
    Core.EnableMultiSelection(FALSE);
    Click("A2", MK_CONTROL);
    EXPECT_EQ(T.Selected(), "A2");
    Click("C", MK_SHIFT);
    EXPECT_EQ(T.Selected(), "C");
}

TEST_F(TreeSelection, APressOnASelectedItemWaitsForTheButtonOrStartsADrag)
{
    Click("A1");
    Click("A2", MK_SHIFT);
    ASSERT_EQ(T.Selected(), "A1,A1a,A1b,A2");
    T.vNotes.clear();

    // Pressing on a selected item and moving by more than the distance
    // drags the whole selection.
    EXPECT_FALSE(Core.OnLButtonDown(0, CPoint(10, 10), T.N("A1a"), kOnLabel));
    EXPECT_TRUE(Core.IsPendingSelect());
    Core.OnMouseMove(MK_LBUTTON, CPoint(14, 6));
    EXPECT_TRUE(T.vDragRecords.empty()) << "within the distance";
    Core.OnMouseMove(MK_LBUTTON, CPoint(15, 10));
    ASSERT_EQ(T.vDragRecords.size(), 1u);
    EXPECT_EQ(T.vDragRecords[0].itemNew.hItem, T.N("A1a"));
    EXPECT_EQ(T.vDragRecords[0].itemNew.lParam, 12u);
    EXPECT_EQ(T.vDragRecords[0].itemNew.state & TVIS_SELECTED, TVIS_SELECTED);
    EXPECT_EQ(T.vDragRecords[0].ptDrag, CPoint(15, 10));
    Core.OnMouseMove(MK_LBUTTON, CPoint(40, 40));
    Core.OnLButtonUp(0, CPoint(40, 40));
    EXPECT_EQ(T.vDragRecords.size(), 1u) << "one drag per press";
    EXPECT_EQ(T.Selected(), "A1,A1a,A1b,A2") << "the selection stays whole";

    // Released where it was pressed, it is a plain click after all.
    Core.OnLButtonDown(0, CPoint(10, 10), T.N("A1b"), kOnLabel);
    EXPECT_EQ(T.Selected(), "A1,A1a,A1b,A2");
    Core.OnLButtonUp(0, CPoint(10, 10));
    EXPECT_EQ(T.Selected(), "A1b");

    // A fresh press drags from its own point, not from an older one.
    Core.OnLButtonDown(0, CPoint(100, 100), T.N("C"), kOnLabel);
    Core.OnMouseMove(MK_LBUTTON, CPoint(101, 101));
    EXPECT_EQ(T.vDragRecords.size(), 1u);
}

TEST_F(TreeSelection, AnItemDeletedIsForgottenAsAnchorAndPressedItem)
{
    Click("A1");
    Click("A2", MK_CONTROL);
    ASSERT_EQ(Core.GetAnchor(), T.N("A1"));
    Core.OnLButtonDown(0, CPoint(10, 10), T.N("A2"), kOnLabel);
    ASSERT_EQ(Core.GetPressedItem(), T.N("A2"));
    Core.OnItemDeleted(T.N("B"));
    EXPECT_EQ(Core.GetAnchor(), T.N("A1")) << "another item changes nothing";
    Core.OnItemDeleted(T.N("A2"));
    Core.OnItemDeleted(T.N("A1"));
    EXPECT_EQ(Core.GetAnchor(), nullptr);
    EXPECT_EQ(Core.GetPressedItem(), nullptr);
    EXPECT_FALSE(Core.IsPendingSelect());
    Core.OnMouseMove(MK_LBUTTON, CPoint(60, 60));
    Core.OnLButtonUp(0, CPoint(60, 60));
    EXPECT_TRUE(T.vDragRecords.empty()) << "no drag of an item that is gone";
}

TEST_F(TreeSelection, PressesBesideItemsStateIconsAndLabelEditing)
{
    EXPECT_TRUE(Core.OnLButtonDown(0, CPoint(1, 1), T.N("A"), TVHT_ONITEMBUTTON)) << "the tree's own handling";
    EXPECT_TRUE(Core.OnLButtonDown(0, CPoint(1, 1), nullptr, TVHT_NOWHERE));
    EXPECT_EQ(T.Selected(), "");

    T.N("B")->iState = 1;
    EXPECT_FALSE(Core.OnLButtonDown(0, CPoint(1, 1), T.N("B"), TVHT_ONITEMSTATEICON));
    EXPECT_EQ(T.N("B")->iState, 2);
    EXPECT_EQ(T.Selected(), "") << "a check is no selection";

    T.bEditLabels = TRUE;
    Click("A2");
    T.vNotes.clear();
    EXPECT_FALSE(Core.OnLButtonDown(0, CPoint(1, 1), T.N("A2"), kOnLabel));
    EXPECT_EQ(T.vEdited, std::vector<std::string>{"A2"});
    EXPECT_EQ(T.Selected(), "A2");

    // A right press selects an unselected item and keeps a selection.
    Click("A1");
    Click("B", MK_CONTROL);
    Core.OnRButtonDown(0, CPoint(1, 1), T.N("A1"), kOnLabel);
    EXPECT_EQ(T.Selected(), "A1,B");
    Core.OnRButtonUp();
    Core.OnRButtonDown(0, CPoint(1, 1), T.N("C"), kOnLabel);
    EXPECT_EQ(T.Selected(), "C");
}

TEST_F(TreeSelection, ShiftArrowsGrowAndShrinkTheRangeAndPlainArrowsMoveOne)
{
    Click("A1");
    T.vNotes.clear();
    EXPECT_FALSE(Core.OnKeyDown(VK_DOWN, KM_SHIFT));
    EXPECT_FALSE(Core.OnKeyDown(VK_DOWN, KM_SHIFT));
    EXPECT_EQ(T.Selected(), "A1,A1a,A1b");
    EXPECT_EQ(Caret(), "A1b");
    EXPECT_EQ(T.Notes(TVN_KEYDOWN), (std::vector<std::string>{"40", "40"}));
    EXPECT_FALSE(Core.OnKeyDown(VK_UP, KM_SHIFT));
    EXPECT_EQ(T.Selected(), "A1,A1a") << "moving back shrinks the range";
    EXPECT_FALSE(Core.OnKeyDown(VK_UP, KM_SHIFT));
    EXPECT_FALSE(Core.OnKeyDown(VK_UP, KM_SHIFT));
    EXPECT_EQ(T.Selected(), "A,A1") << "and grows past the anchor";
    EXPECT_EQ(Caret(), "A");

    EXPECT_FALSE(Core.OnKeyDown(VK_DOWN, 0));
    EXPECT_EQ(T.Selected(), "A1");
    EXPECT_EQ(Caret(), "A1");
    EXPECT_EQ(Core.GetAnchor(), T.N("A1"));
    T.vNotes.clear();
    Core.OnKeyDown(VK_UP, 0);
    EXPECT_EQ(T.Notes(TVN_SELCHANGED), (std::vector<std::string>{"A1>A"})) << "the tree's own move is heard";

    EXPECT_TRUE(Core.OnKeyDown(VK_RIGHT, 0)) << "other keys are the tree's";

    T.N("A")->iState = 1;
    EXPECT_FALSE(Core.OnKeyDown(VK_SPACE, 0));
    EXPECT_EQ(T.N("A")->iState, 2) << "space toggles the caret's check";
}

TEST_F(TreeSelection, CollapsingUnselectsWhatItHides)
{
    Click("A1a");
    Click("B1", MK_SHIFT);
    ZelArray<HTREEITEM> a_items;
    Core.GetAllSelections(a_items);
    EXPECT_EQ(a_items.GetSize(), 5);

    T.N("A")->bExpanded = false;
    Core.GetAllSelections(a_items);
    EXPECT_EQ(a_items.GetSize(), 5) << "hidden but still selected";
    EXPECT_EQ(Core.GetSelectedCount(), 2u) << "the count is over the shown items";
    T.N("A")->bExpanded = true;

    Core.OnItemExpanding(T.N("A1"), FALSE);
    EXPECT_EQ(T.Selected(), "A1a,A1b,A2,B,B1") << "opening changes nothing";
    Core.OnItemExpanding(T.N("A1"), TRUE);
    T.N("A1")->bExpanded = false;
    Core.GetAllSelections(a_items);
    ASSERT_EQ(a_items.GetSize(), 3);
    EXPECT_EQ(a_items[0], T.N("A2"));
    EXPECT_EQ(a_items[1], T.N("B"));
    EXPECT_EQ(a_items[2], T.N("B1"));
    EXPECT_EQ(Walk(Core, Core.GetFirstSelectedItem(), &ZelTreeCtrlCore::GetNextSelectedItem), "A2,B,B1");
    EXPECT_EQ(Walk(Core, T.N("B1"), &ZelTreeCtrlCore::GetPrevSelectedItem), "B1,B,A2");

    Core.OnFocusChange();
    EXPECT_EQ(T.nRepaints, 1) << "several selected: the highlight changes with the focus";
    Core.ClearSelection(FALSE);
    EXPECT_EQ(T.Selected(), "");
    EXPECT_EQ(Caret(), "-");
    Core.OnFocusChange();
    EXPECT_EQ(T.nRepaints, 1);
}

TEST_F(TreeSelection, SelectItemExKeepsTheOldCaretSelected)
{
    Click("A");
    EXPECT_TRUE(Core.SelectItemEx(T.N("C"), TRUE));
    EXPECT_EQ(T.Selected(), "A,C");
    EXPECT_EQ(Caret(), "C");
    EXPECT_EQ(Core.GetAnchor(), T.N("C"));
    EXPECT_FALSE(Core.SelectItemEx(T.N("C"), TRUE));
    EXPECT_TRUE(Core.SelectItemEx(T.N("C"), FALSE));
    EXPECT_EQ(Caret(), "-");
    EXPECT_EQ(T.Selected(), "A");

    EXPECT_TRUE(Core.SelectItems(T.N("B1"), T.N("A2")));
    EXPECT_EQ(T.Selected(), "A2,B,B1");
    EXPECT_EQ(Caret(), "A2");
    T.N("A")->bExpanded = false;
    EXPECT_FALSE(Core.SelectItems(T.N("A1"), T.N("A2"))) << "neither shown";
}

} // namespace
