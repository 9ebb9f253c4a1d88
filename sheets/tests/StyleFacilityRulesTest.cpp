#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "sheets/StyleFacilityRules.h"
#include "testsupport/EventBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Kind = StyleFacilityRules::Kind;
using EditEnd = StyleFacilityRules::EditEnd;
using AfterEdit = StyleFacilityRules::AfterEdit;

// A check list as rows in a vector.
class FakeList : public IStyleFacilityList {
public:
    struct Row {
        std::string sName;
        LONG lKey;
        BOOL bChecked;
        bool bSelected = false;
    };
    std::vector<Row> vRows;
    int nMaxRows = 1000;

    int GetRowCount() const override { return static_cast<int>(vRows.size()); }
    std::string GetRowName(int i) const override { return vRows[i].sName; }
    void SetRowName(int i, const std::string& s) override { vRows[i].sName = s; }
    LONG GetRowKey(int i) const override { return vRows[i].lKey; }
    void SetRowKey(int i, LONG l) override { vRows[i].lKey = l; }
    BOOL IsRowChecked(int i) const override { return vRows[i].bChecked; }
    void SetRowChecked(int i, BOOL b) override { vRows[i].bChecked = b; }
    int AppendRow(const std::string& s, LONG l, BOOL b) override
    {
        if (GetRowCount() >= nMaxRows)
            return -1;
        vRows.push_back({s, l, b});
        return GetRowCount() - 1;
    }
    void DeleteRow(int i) override { vRows.erase(vRows.begin() + i); }
    std::vector<int> GetSelectedRows() const override
    {
        std::vector<int> v;
        for (int i = 0; i < GetRowCount(); ++i)
            if (vRows[i].bSelected)
                v.push_back(i);
        return v;
    }
    int Find(const std::string& s) const
    {
        for (int i = 0; i < GetRowCount(); ++i)
            if (vRows[i].sName == s)
                return i;
        return -1;
    }
};

struct StyleFacilityRulesTest : ::testing::Test {
    testevent::EventBuilder event;
    StyleFacilityRules Rules{&event.Doc(), 5, 5};
    FakeList Styles;
    FakeList Facilities;

    StyleFacilityRulesTest()
    {
        event.Style("Jazz").Style("Folk").Style("Rock").Facility("Piano").Group("Choir");
        Rules.GetKeys(StyleFacilityRules::e_styles).Add(StyleKey("Folk"));
        Rules.Fill(StyleFacilityRules::e_styles, Styles);
        Rules.Fill(StyleFacilityRules::e_facilities, Facilities);
    }
    LONG StyleKey(const std::string& s_name) const
    {
        const StyleList& list = const_cast<testevent::EventBuilder&>(event).Doc().GetStyles();
        const int i = list.FindByName(s_name);
        return i < 0 ? -1 : list.GetAt(i).GetKey();
    }
    // New, the typed name, and the end of the edit.
    AfterEdit NameNew(Kind e_kind, FakeList& list, const std::string& s_name, EditEnd e_end, BOOL& b_changed)
    {
        const int i_row = Rules.BeginNew(e_kind, list);
        EXPECT_GE(i_row, 0);
        Rules.EditBegins(e_kind, list, i_row);
        list.SetRowName(i_row, s_name);
        return Rules.EditEnds(e_kind, list, i_row, e_end, b_changed);
    }
};

TEST_F(StyleFacilityRulesTest, MarksFollowTheKeysByName)
{
    ASSERT_EQ(Styles.GetRowCount(), 3);
    EXPECT_FALSE(Styles.vRows[0].bChecked);
    EXPECT_TRUE(Styles.vRows[1].bChecked);
    Styles.vRows[2].bChecked = TRUE;
    Styles.vRows[1].bChecked = FALSE;
    Rules.KeysFromMarks(StyleFacilityRules::e_styles, Styles);
    const KeyList& keys = Rules.GetKeys(StyleFacilityRules::e_styles);
    EXPECT_EQ(keys.GetCount(), 1);
    EXPECT_GE(keys.Find(StyleKey("Rock")), 0);
}

// The rows stand in the event's order, the keys in the order they came:
// marks that did not change leave every key in its slot, and a changed mark
// moves no other key.
TEST_F(StyleFacilityRulesTest, UnchangedMarksLeaveTheKeysInTheirSlots)
{
    KeyList& keys = Rules.GetKeys(StyleFacilityRules::e_styles);
    keys.RemoveAll();
    keys.SetAt(1, StyleKey("Rock"));
    keys.SetAt(3, StyleKey("Jazz"));
    const KeyList stored(keys);
    Rules.MarksFromKeys(StyleFacilityRules::e_styles, Styles);
    Rules.KeysFromMarks(StyleFacilityRules::e_styles, Styles);
    EXPECT_TRUE(keys == stored);

    Styles.vRows[static_cast<std::size_t>(Styles.Find("Folk"))].bChecked = TRUE;
    Styles.vRows[static_cast<std::size_t>(Styles.Find("Rock"))].bChecked = FALSE;
    Rules.KeysFromMarks(StyleFacilityRules::e_styles, Styles);
    EXPECT_EQ(keys.GetMaxKeys(), stored.GetMaxKeys());
    EXPECT_EQ(keys.GetAt(0), StyleKey("Folk")) << "a new mark takes the first free slot";
    EXPECT_EQ(keys.GetAt(1), -1);
    EXPECT_EQ(keys.GetAt(3), StyleKey("Jazz"));
    EXPECT_EQ(keys.GetCount(), 2);
}

TEST_F(StyleFacilityRulesTest, NewChecksTheRowAndEscapeLeavesNone)
{
    ScriptedMessageBox boxes;
    BOOL b_changed = FALSE;
    EXPECT_EQ(NameNew(StyleFacilityRules::e_styles, Styles, "Blues", EditEnd::Done, b_changed), AfterEdit::Changed);
    EXPECT_TRUE(b_changed);
    const LONG l_blues = StyleKey("Blues");
    ASSERT_GE(l_blues, 0);
    const int i_row = Styles.Find("Blues");
    ASSERT_GE(i_row, 0);
    EXPECT_EQ(Styles.vRows[i_row].lKey, l_blues);
    EXPECT_TRUE(Styles.vRows[i_row].bChecked);
    EXPECT_GE(Rules.GetKeys(StyleFacilityRules::e_styles).Find(l_blues), 0);
    EXPECT_EQ(Rules.GetNamingRow(StyleFacilityRules::e_styles), -1);

    // The first facility of an event without any, likewise.
    event.Doc().GetFacilities().RemoveAll();
    Facilities.vRows.clear();
    EXPECT_EQ(NameNew(StyleFacilityRules::e_facilities, Facilities, "Stage", EditEnd::Done, b_changed),
              AfterEdit::Changed);
    EXPECT_EQ(event.Doc().GetFacilities().GetCount(), 1);

    // Escape after New: no row, nothing in the event.
    EXPECT_EQ(NameNew(StyleFacilityRules::e_styles, Styles, "", EditEnd::Cancelled, b_changed), AfterEdit::RowDeleted);
    EXPECT_EQ(Styles.GetRowCount(), 4);
    EXPECT_EQ(event.Doc().GetStyles().GetCount(), 4);

    // A name the list refuses keeps the row being named.
    const int i_new = Rules.BeginNew(StyleFacilityRules::e_styles, Styles);
    Styles.SetRowName(i_new, "Jazz");
    EXPECT_EQ(Rules.EditEnds(StyleFacilityRules::e_styles, Styles, i_new, EditEnd::Used, b_changed),
              AfterEdit::EditAgain);
    EXPECT_EQ(Rules.GetNamingRow(StyleFacilityRules::e_styles), i_new);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(StyleFacilityRulesTest, ANewObjectTheEventRefusesTellsWhyAndLeavesNoRow)
{
    ScriptedMessageBox boxes;
    BOOL b_changed = FALSE;
    event.Doc().GetStyles().SetMaxObjects(3);
    EXPECT_EQ(NameNew(StyleFacilityRules::e_styles, Styles, "Blues", EditEnd::Done, b_changed), AfterEdit::RowDeleted);
    EXPECT_FALSE(b_changed);
    EXPECT_EQ(Styles.GetRowCount(), 3);
    EXPECT_EQ(event.Doc().GetStyles().GetCount(), 3);
    EXPECT_EQ(Rules.GetKeys(StyleFacilityRules::e_styles).GetCount(), 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("cannot hold any more styles"), std::string::npos) << boxes.Boxes()[0].sText;

    // A name equal to another once cleaned: the list saw two texts, the
    // event sees one name.
    event.Doc().GetStyles().SetMaxObjects(100);
    EXPECT_EQ(NameNew(StyleFacilityRules::e_styles, Styles, "  Jazz ", EditEnd::Done, b_changed),
              AfterEdit::RowDeleted);
    EXPECT_EQ(event.Doc().GetStyles().GetCount(), 3);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_NE(boxes.Boxes()[1].sText.find("already has a style named 'Jazz'"), std::string::npos);
}

TEST_F(StyleFacilityRulesTest, RenameGoesToTheDocument)
{
    ScriptedMessageBox boxes;
    const LONG l_folk = StyleKey("Folk");
    const int i_row = Styles.Find("Folk");
    Rules.EditBegins(StyleFacilityRules::e_styles, Styles, i_row);
    Styles.SetRowName(i_row, "Folk dance");
    BOOL b_changed = FALSE;
    EXPECT_EQ(Rules.EditEnds(StyleFacilityRules::e_styles, Styles, i_row, EditEnd::Done, b_changed),
              AfterEdit::Changed);
    EXPECT_EQ(StyleKey("Folk dance"), l_folk);
    EXPECT_EQ(StyleKey("Folk"), -1);
    EXPECT_GE(Rules.GetKeys(StyleFacilityRules::e_styles).Find(l_folk), 0);
    EXPECT_EQ(event.Doc().GetStyles().GetCount(), 3);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(StyleFacilityRulesTest, DeleteAsksThenRemovesFromTheEvent)
{
    {
        // No: nothing goes.
        ScriptedMessageBox boxes;
        boxes.Answer(IDNO);
        for (auto& row : Styles.vRows)
            row.bSelected = true;
        EXPECT_FALSE(Rules.DeleteSelected(StyleFacilityRules::e_styles, Styles));
        EXPECT_EQ(event.Doc().GetStyles().GetCount(), 3);
        EXPECT_EQ(Styles.GetRowCount(), 3);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].sText,
                  "You've selected 3 style(s) to delete.  Are you sure you want to permanently delete this selection "
                  "from your Event?");
        EXPECT_EQ(boxes.Boxes()[0].sCaption, "Delete");
        EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
    }
    {
        // Yes: the three styles leave the event and the key lists, even
        // the group's in the event, whatever happens to the sheet.
        const LONG l_folk = StyleKey("Folk");
        event.Doc().GetGroups().GetAt(0).GetStyles().Add(l_folk);
        ScriptedMessageBox boxes;
        boxes.Answer(IDYES);
        EXPECT_TRUE(Rules.DeleteSelected(StyleFacilityRules::e_styles, Styles));
        EXPECT_EQ(event.Doc().GetStyles().GetCount(), 0);
        EXPECT_EQ(Styles.GetRowCount(), 0);
        EXPECT_EQ(Rules.GetKeys(StyleFacilityRules::e_styles).GetCount(), 0);
        EXPECT_EQ(event.Doc().GetGroups().GetAt(0).GetStyles().GetCount(), 0);
    }
    {
        // Nothing selected: no question.
        ScriptedMessageBox boxes;
        Facilities.vRows[0].bSelected = false;
        EXPECT_FALSE(Rules.DeleteSelected(StyleFacilityRules::e_facilities, Facilities));
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(event.Doc().GetFacilities().GetCount(), 1);
    }
}

} // namespace
