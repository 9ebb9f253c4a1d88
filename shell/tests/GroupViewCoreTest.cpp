// The group pane's work over a plain list and a built event: the messages
// of a refused add, the change walk fed with the sheet's results, deletes,
// sorting, the printed columns offered and kept, the preferences applied,
// the mail recipients and the selection announced; then the import of
// group records.
#include "shell/lists/GroupViewCore.h"

#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/ItemListImport.h"
#include "shell/frame/ListPorts.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <deque>
#include <algorithm>
#include <functional>
#include <tuple>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

struct ListParts {
    ZelListModel Model;
    ZelListSort SortState;
};

class TestCore : public GroupViewCore {
public:
    using GroupViewCore::GroupViewCore;
    std::vector<UpdateViewHint> vHints;
    BOOL bPortrait = TRUE;

protected:
    void SendSelectionHint(const UpdateViewHint& hint) override { vHints.push_back(hint); }
    void SetPortrait(BOOL b_portrait) override { bPortrait = b_portrait; }
};

// The group list as the group view runs it, on a list model.
class GroupRows : private ListParts, public ItemListCore {
public:
    explicit GroupRows(EventDoc& doc)
        : ItemListCore(&static_cast<ListParts&>(*this).Model, static_cast<ListParts&>(*this).SortState), Doc(doc)
    {
        SetColumnDefs(GroupViewCore::ColumnDefs());
        BuildColumnTitles();
    }

    TestCore Core{*this};

    EventDoc* GetEventDoc() override { return &Doc; }
    void FillList() override
    {
        Core.InsertColumns();
        Core.AddRows();
    }
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag) override
    {
        return Core.AddRecordByName(name, s_error, b_flag);
    }
    void DoAddDialog() override { Core.DoAddDialog(); }
    void DeleteRecord(LPARAM l_key, BOOL b_last) override { Core.DeleteRecord(l_key, b_last); }
    void DeleteRecords(const LPARAM* p_keys, int n_keys) override { Core.DeleteRecords(p_keys, n_keys); }
    int DoChangeDialog(LPARAM l_key, LPARAM& l_out, int i_position, int n_count) override
    {
        return Core.DoChangeDialog(l_key, l_out, i_position, n_count);
    }
    int GetRecordCount() override { return Doc.GetGroups().GetNumGroups(); }
    std::string GetPluralTitle() override { return "Groups"; }
    std::string GetSingularTitle() override { return "Group"; }
    std::string GetSingularNoun() override { return "group"; }
    std::string GetPluralNoun() override { return "groups"; }
    std::string GetCountNoun() override { return "group(s)"; }
    BOOL SelectPrintColumns() override { return Core.SelectPrintColumns(); }
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override { return GroupViewCore::FilterUpdateHint(hint); }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        return Core.GetFieldText(static_cast<const Group*>(p_record), i_column);
    }
    ILVRecord GetRecord(int i_row) override { return Core.GetRecord(i_row); }
    std::string GetListText(int i_row, int i_column) override { return GetFieldText(GetRecord(i_row), i_column); }
    int GetRecordValue(int i_row) override { return Core.GetRecordValue(i_row); }
    BOOL SelectItem(int i_row) override
    {
        return ItemListCore::SelectItem(i_row) && Core.MarkSelected(i_row, GroupViewCore::e_mark_select);
    }
    BOOL ToggleSelect(int i_row) override
    {
        return ItemListCore::ToggleSelect(i_row) && Core.MarkSelected(i_row, GroupViewCore::e_mark_toggle);
    }

    std::vector<std::string> Names()
    {
        std::vector<std::string> v;
        for (int i = 0; i < Model.GetItemCount(); ++i)
            v.push_back(Model.GetItemText(i, 0));
        return v;
    }
    void Select(std::initializer_list<int> a_rows)
    {
        for (int i_row : a_rows)
            ItemListCore::SelectItem(i_row);
    }

    EventDoc& Doc;
};

// The group sheet: answers in turn, each after an edit of the working
// group; records the groups it was opened on.
class ScriptedSheet : public IGroupSheetPort {
public:
    struct Step {
        int iResult;
        std::function<void(Group&)> fEdit;
    };
    ScriptedSheet() { pPrevious = SetGroupSheetPort(this); }
    ~ScriptedSheet() override { SetGroupSheetPort(pPrevious); }

    int Run(Request& request) override
    {
        vOpened.push_back(request.pWorking->GetName());
        vPositions.emplace_back(request.iPosition, request.nCount);
        EXPECT_EQ(request.sCaption, "Define group");
        EXPECT_EQ(request.nMaxStyles, 5);
        if (qSteps.empty())
            return IDCANCEL;
        Step step = qSteps.front();
        qSteps.pop_front();
        if (step.fEdit)
            step.fEdit(*request.pWorking);
        request.iLastPage = 2;
        return step.iResult;
    }

    std::deque<Step> qSteps;
    std::vector<std::string> vOpened;
    std::vector<std::pair<int, int>> vPositions;

private:
    IGroupSheetPort* pPrevious;
};

class GroupViewCoreTest : public ::testing::Test {
protected:
    GroupViewCoreTest()
    {
        Event.Group("Choir", [](Group& g) {
                 g.GetContact().SetName("Ann Lee");
                 g.SetEmail("choir@example.org");
             })
            .Group("Band", [](Group& g) {
                g.GetContact().SetName("Bob Ray");
                g.SetEmail("band@example.org");
            })
            .Group("Dancers", [](Group& g) {
                g.GetContact().SetName("Cal Fox");
                g.SetEmail("choir@example.org");
            });
        Views.fOnUpdate = [this](const UpdateViewHint* p_hint) { Rows.OnUpdate(p_hint); };
        Rows.InitialUpdate();
    }

    int GroupUpdates() const
    {
        int n = 0;
        for (const auto& update : Views.Updates)
            n += update.bHint && update.lCode == UpdateViewHint::e_groups ? 1 : 0;
        return n;
    }

    ScriptedMessageBox Boxes;
    ScriptedViews Views;
    EventBuilder Event;
    GroupRows Rows{Event.Doc()};
};

TEST_F(GroupViewCoreTest, ListShowsTheGroupsInNineColumns)
{
    EXPECT_EQ(Rows.GetList().GetColumnCount(), 9);
    EXPECT_EQ(Rows.Names(), (std::vector<std::string>{"Choir", "Band", "Dancers"}));
    EXPECT_EQ(Rows.GetListText(1, 1), "Bob Ray");
    EXPECT_EQ(Rows.GetListText(1, 4), "band@example.org");
    EXPECT_EQ(Rows.GetListText(1, 9), "");
    EXPECT_EQ(GroupViewCore::GetListColumnTitle(0), "Group Name");
}

TEST_F(GroupViewCoreTest, AddGroupToDocMessages)
{
    const Group& choir = Event.Doc().GetGroups().GetAt(0);
    Group same_name;
    same_name.SetName("Choir");
    Group same_key(choir);
    same_key.SetName("Other");
    Group no_name;
    struct Case {
        const Group* pGroup;
        int iResult;
        const char* pLong;
        const char* pShort;
    } a_cases[] = {
        {&same_name, 2, "Cannot add group.  Group 'Choir' already exists.", "Group already exists."},
        {&same_key, 3, "Cannot add group 'Other'. Duplicate group key.", "Group key already exisits."},
        {&no_name, 4, "'' is an invalid group", "Invalid group."},
    };
    for (const Case& c : a_cases) {
        std::string s_message;
        EXPECT_EQ(Rows.Core.AddGroupToDoc(*c.pGroup, s_message, FALSE, FALSE), c.iResult);
        EXPECT_EQ(s_message, c.pLong);
        EXPECT_EQ(Rows.Core.AddGroupToDoc(*c.pGroup, s_message, TRUE, FALSE), c.iResult);
        EXPECT_EQ(s_message, c.pShort);
    }
    EXPECT_EQ(Rows.GetList().GetItemCount(), 3);
    EXPECT_EQ(GroupUpdates(), 0);

    Group added;
    added.SetName("Brass");
    std::string s_message = "old";
    EXPECT_EQ(Rows.Core.AddGroupToDoc(added, s_message, FALSE, TRUE), 0);
    EXPECT_EQ(s_message, "");
    EXPECT_EQ(Rows.GetList().GetItemCount(), 4);
    EXPECT_EQ(GroupUpdates(), 0); // no update asked
    added.SetKey(added.GetKey() + 1000);
    added.SetName("Strings");
    EXPECT_EQ(Rows.Core.AddGroupToDoc(added, s_message, FALSE, FALSE), 0);
    EXPECT_EQ(GroupUpdates(), 1);
    EXPECT_EQ(Rows.GetList().GetItemCount(), 5);
}

TEST_F(GroupViewCoreTest, AddDialogAddsOnOkAndShowsARefusal)
{
    ScriptedSheet sheet;
    sheet.qSteps.push_back({IDOK, [](Group& g) { g.SetName("Brass"); }});
    sheet.qSteps.push_back({IDOK, [](Group& g) { g.SetName("Choir"); }});
    sheet.qSteps.push_back({IDCANCEL, [](Group& g) { g.SetName("Strings"); }});
    for (int i = 0; i < 3; ++i)
        Rows.OnAdd();
    EXPECT_EQ(Event.Doc().GetGroups().GetNumGroups(), 4);
    EXPECT_GE(Event.Doc().GetGroups().FindByName("Brass"), 0);
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot add group.  Group 'Choir' already exists.");
    EXPECT_TRUE(Boxes.Boxes()[0].uStyle & MB_ICONSTOP);
}

TEST_F(GroupViewCoreTest, ChangeWalkFollowsTheSheetResults)
{
    ScriptedSheet sheet;
    const auto rename = [](const char* p_name) { return [p_name](Group& g) { g.SetName(p_name); }; };
    // Apply reopens the same group; a rename to a taken name is refused
    // and the walk still moves on; Previous goes back; Cancel stops.
    sheet.qSteps = {
        {IDC_SHEET_APPLY_NOW, rename("Choir 2")},
        {IDC_SHEET_NEXT, nullptr},
        {IDC_SHEET_NEXT, rename("Choir 2")},
        {IDC_SHEET_PREVIOUS, rename("Drums")},
        {IDCANCEL, nullptr},
    };
    Rows.Select({0, 1, 2});
    Rows.ChangeSelected();
    EXPECT_EQ(sheet.vOpened, (std::vector<std::string>{"Choir", "Choir 2", "Band", "Dancers", "Band"}));
    EXPECT_EQ(sheet.vPositions,
              (std::vector<std::pair<int, int>>{{0, 3}, {0, 3}, {1, 3}, {2, 3}, {1, 3}}));
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot change group.  Group 'Choir 2' already exists.");
    EXPECT_EQ(Event.Doc().GetGroups().GetAt(1).GetName(), "Band");
    EXPECT_EQ(Event.Doc().GetGroups().GetAt(2).GetName(), "Drums");
    EXPECT_EQ(GroupViewCore::LastChangePage(), 2);

    const struct {
        int iSheet;
        int iCode;
    } a_codes[] = {{IDOK, 3}, {IDC_SHEET_APPLY_NOW, 0}, {IDC_SHEET_NEXT, 1}, {IDC_SHEET_PREVIOUS, 2}, {IDCANCEL, 3}};
    for (const auto& c : a_codes)
        EXPECT_EQ(GroupViewCore::ChangeCode(c.iSheet), c.iCode) << c.iSheet;
}

TEST_F(GroupViewCoreTest, DeletesRunTheChangeRoutineOnce)
{
    Rows.Select({0, 2});
    Rows.DeleteSelected();
    EXPECT_EQ(GroupUpdates(), 1);
    EXPECT_EQ(Rows.Names(), (std::vector<std::string>{"Band"}));
    Rows.Select({0});
    Rows.DeleteSelected();
    EXPECT_EQ(GroupUpdates(), 2);
    EXPECT_EQ(Event.Doc().GetGroups().GetNumGroups(), 0);
}

TEST_F(GroupViewCoreTest, SortBreaksTies)
{
    // Groups of one name are only made by changing names; set them directly.
    EventDoc& doc = Event.Doc();
    {
        GroupSmartPtr sp(&doc.GetGroups(), 0);
        sp->SetName("Band");
        sp->GetContact().SetName("Zed Ash");
    }
    doc.GetGroups().GetAt(1).SetFax("2");
    doc.GetGroups().GetAt(2).SetFax("1");
    {
        GroupSmartPtr sp(&doc.GetGroups(), 2);
        sp->SetName("Band");
        sp->GetContact().SetName("Bob Ray");
    }
    Rows.Refill();
    // Name, contact, fax: the fax decides between the two Bob Rays.
    Rows.Core.Sort(0);
    std::vector<std::string> v_rows;
    for (int i = 0; i < 3; ++i)
        v_rows.push_back(Rows.GetListText(i, 1) + "/" + Rows.GetListText(i, 3));
    EXPECT_EQ(v_rows, (std::vector<std::string>{"Bob Ray/1", "Bob Ray/2", "Zed Ash/"}));
    // Another column: the name breaks its ties.
    Rows.Core.Sort(4);
    EXPECT_EQ(Rows.GetListText(0, 4), "band@example.org");
    EXPECT_EQ(Rows.GetListText(1, 4), "choir@example.org");
    EXPECT_EQ(Rows.GetListText(1, 0), "Band");
    EXPECT_EQ(Rows.GetListText(2, 0), "Band");
}

TEST(GroupViewPrintIds, OfferedOnlyWhenSomeGroupHasText)
{
    EventBuilder event;
    event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).TwentyFourHour().Venue("Hall").Group("Choir", [](Group& g) {
        g.SetPhone("123");
        g.GetContact().SetName("Ann");
    });
    std::vector<UINT> v_ids = GroupViewCore::OfferedPrintIds(&event.Doc());
    const auto offered = [&](UINT u) { return std::find(v_ids.begin(), v_ids.end(), u) != v_ids.end(); };
    EXPECT_TRUE(offered(0) && offered(1) && offered(2) && offered(3));
    EXPECT_FALSE(offered(4)); // no group has a second phone
    EXPECT_FALSE(offered(7)); // the address is only its three blanks
    for (UINT u : {20u, 22u, 23u, 24u, 25u})
        EXPECT_FALSE(offered(u)) << u;

    event.Timetable().Place(0, "Hall", "09:00", "Choir", true);
    v_ids = GroupViewCore::OfferedPrintIds(&event.Doc());
    for (UINT u : {20u, 22u, 23u, 24u, 25u})
        EXPECT_TRUE(offered(u)) << u;
    // In the offered order: 20 then the four new layouts, notes last.
    const auto it = std::find(v_ids.begin(), v_ids.end(), 20u);
    ASSERT_NE(it, v_ids.end());
    EXPECT_EQ(std::vector<UINT>(it, it + 5), (std::vector<UINT>{20, 22, 23, 24, 25}));
}

TEST_F(GroupViewCoreTest, PrintOptionsKeepAChangedChoice)
{
    ScriptedSelectColumns chooser;
    std::vector<std::string> v_offered;
    chooser.fAnswer = [&](SelectColumnsData& data) {
        v_offered.clear();
        for (int i = 0; i < data.Selected.GetSize(); ++i)
            v_offered.push_back(data.Selected[i]);
        data.Selected.RemoveAll();
        data.Selected.Add("Name");
        data.Selected.Add("Email");
        data.bLandscape = 1;
        return IDOK;
    };
    EventDoc& doc = Event.Doc();
    doc.SetModifiedFlag(false);
    Rows.Select({1});
    ASSERT_TRUE(Rows.Core.SelectPrintColumns());
    // Nothing stored: name, contact and e-mail of the defaults (the others
    // have no text).
    EXPECT_EQ(v_offered, (std::vector<std::string>{"Name", "Contact", "Email"}));
    EXPECT_TRUE(chooser.vShown.back().bRowsSelected);
    const PrintIdSet& set = doc.GetPrintOptions().GetGroupListSet();
    ASSERT_EQ(set.GetIds().GetSize(), 2);
    EXPECT_EQ(set.GetIds()[1], 6u);
    EXPECT_TRUE(set.IsLandscape());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(Rows.Core.bPortrait);

    // The same choice again changes nothing.
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(Rows.Core.SelectPrintColumns());
    EXPECT_EQ(v_offered, (std::vector<std::string>{"Name", "Email"}));
    EXPECT_FALSE(doc.IsModified());

    chooser.fAnswer = [](SelectColumnsData&) { return IDCANCEL; };
    EXPECT_FALSE(Rows.Core.SelectPrintColumns());
}

TEST_F(GroupViewCoreTest, PreferenceMasksChangeTheirPartOnly)
{
    EventDoc& doc = Event.Doc();
    Preferences prefs = doc.GetPreferences();
    prefs.SetMaxGroupSize(7);
    prefs.SetGroupRotation(Group::e_day_rotation);
    doc.SetPreferences(prefs, FALSE);
    Rows.Select({0, 2});
    Rows.Core.ApplyPreferences(GroupViewCore::e_pref_rostering);
    EXPECT_EQ(GroupUpdates(), 1);
    EXPECT_EQ(doc.GetGroups().GetAt(0).GetMaxGroupSize(), 7);
    EXPECT_EQ(doc.GetGroups().GetAt(2).GetMaxGroupSize(), 7);
    EXPECT_NE(doc.GetGroups().GetAt(1).GetMaxGroupSize(), 7);
    EXPECT_EQ(doc.GetGroups().GetAt(0).GetRotation(), static_cast<UINT>(Group::e_no_rotation));
    Rows.Select({0});
    Rows.Core.ApplyPreferences(GroupViewCore::e_pref_rotation);
    EXPECT_EQ(doc.GetGroups().GetAt(0).GetRotation(), static_cast<UINT>(Group::e_day_rotation));
}

TEST_F(GroupViewCoreTest, MailRecipientsAreDeduplicated)
{
    Rows.Select({0, 1, 2});
    std::vector<std::string> v_addresses, v_names;
    EXPECT_EQ(Rows.Core.CollectGroupEmails(v_addresses, v_names), 2);
    // By address; the shared address keeps the upper row's contact.
    EXPECT_EQ(v_addresses, (std::vector<std::string>{"band@example.org", "choir@example.org"}));
    EXPECT_EQ(v_names, (std::vector<std::string>{"Bob Ray", "Ann Lee"}));

    v_addresses.clear();
    v_names.clear();
    EXPECT_EQ(Rows.Core.CollectMemberEmails(v_addresses, v_names), 0);
    Event.Participant("Eve Moss", [](Participant& p) { p.SetEmail("eve@example.org"); })
        .Participant("Tom Hill", [](Participant& p) { p.SetEmail("eve@example.org"); })
        .Member("Band", "Tom Hill")
        .Member("Band", "Eve Moss");
    EXPECT_EQ(Rows.Core.CollectMemberEmails(v_addresses, v_names), 1);
    EXPECT_EQ(v_names, (std::vector<std::string>{"Tom Hill"}));
}

TEST_F(GroupViewCoreTest, SelectionMarksTheGroupAndTellsTheOtherViews)
{
    const LONG l_key = Event.GroupKey("Band");
    Rows.Click(1, FALSE, FALSE);
    EXPECT_TRUE(Event.Doc().GetGroups().GetAt(1).IsSelected());
    Rows.Click(1, FALSE, TRUE); // Ctrl toggles it off
    EXPECT_FALSE(Event.Doc().GetGroups().GetAt(1).IsSelected());
    ASSERT_EQ(Rows.Core.vHints.size(), 2u);
    EXPECT_EQ(Rows.Core.vHints[0].lIndex, l_key);
    EXPECT_EQ(Rows.Core.vHints[0].lValue, 1);
    EXPECT_EQ(Rows.Core.vHints[1].lValue, 2);
}

// ------------------------------------------------------------------ import

class GroupImportTest : public GroupViewCoreTest {
protected:
    // One record of (field id, caption, text) columns.
    int Import(std::initializer_list<std::tuple<DWORD, std::string, std::string>> a_columns)
    {
        ZelArray<ZelImport::ColValue> a_values;
        for (const auto& [u_id, s_caption, s_text] : a_columns) {
            DWORD u_type = ZelImportFieldDef::COLTYPE_STRING | ZelImportFieldDef::COLTYPE_SINGLE;
            for (const auto& field : GroupViewCore::aImportFields)
                if (field.uId == u_id)
                    u_type = ZelImportFieldDef::COLTYPE_STRING | field.uOption | field.uFlags;
            ZelImport::ColValue value;
            value.uType = u_type;
            value.uData = u_id;
            value.sName = s_caption;
            ZelImport::SingleValue single;
            single.sText = s_text;
            single.uType = u_type;
            value.Values.Add(single);
            a_values.Add(value);
        }
        ++iRecord;
        return Rows.Core.ImportRecord(iRecord, iRecord + 1, a_values, &Errors);
    }
    const Group& Imported(const std::string& s_name)
    {
        const int i = Event.Doc().GetGroups().FindByName(s_name);
        EXPECT_GE(i, 0) << s_name;
        return Event.Doc().GetGroups().GetAt(std::max(i, 0));
    }
    std::string RoleOf(const Group& group, const std::string& s_person)
    {
        const ParticipantList& parts = Event.Doc().GetParticipants();
        const int i_part = parts.FindByName(s_person);
        if (i_part < 0)
            return "<no participant>";
        const int i_member = group.GetMembers().Find(parts[i_part].GetKey());
        return i_member < 0 ? "<no member>" : group.GetMembers()[i_member].sRole;
    }

    ILVImportErrors Errors{"Import errors"};
    int iRecord = 0;
};

TEST_F(GroupImportTest, MemberLinesGiveMembersAndRoles)
{
    EXPECT_EQ(Import({{gfName, "", "Brass"},
                      {gfMembers, "", "Smith (leader)\nJones: TEAM CAPTAIN\n  Lee  \n\nAnn Clark-Brown\nMoss-"}}),
              1);
    const Group& brass = Imported("Brass");
    EXPECT_EQ(brass.GetMembers().GetSize(), 5);
    const struct {
        const char* pPerson;
        const char* pRole;
    } a_members[] = {{"Smith", "Leader"}, {"Jones", "Team captain"}, {"Lee", ""}, {"Ann Clark", "Brown"}, {"Moss", ""}};
    for (const auto& m : a_members)
        EXPECT_EQ(RoleOf(brass, m.pPerson), m.pRole) << m.pPerson;
    const ParticipantRoleList& roles = Event.Doc().GetParticipantRoles();
    EXPECT_GE(roles.FindByName("Team captain"), 0);
    // The new participant takes the role as its usual one.
    const ParticipantList& parts = Event.Doc().GetParticipants();
    EXPECT_EQ(parts[parts.FindByName("Smith")].GetUsualRoleKey(), roles[roles.FindByName("Leader")].GetKey());
    EXPECT_EQ(Errors.GetRowCount(), 0);
    EXPECT_EQ(Errors.nAdded, 1);
}

TEST_F(GroupImportTest, AddressesNotesAndStyles)
{
    const std::string s_long(50, 'x');
    Import({{gfName, "", "Brass"},
            {gfAddress1, "", s_long},
            {gfAddress2, "", "Flat 2"},
            {gfAddress2, "", "Block B"},
            {gfPostalCode, "", "AB1 2CD EFGH"},
            {gfNotes, "Diet", "vegan"},
            {gfNotes, "Remarks", "late"},
            {gfStyles, "", "Jazz, \"Folk, old\", Jazz"}});
    const Group& brass = Imported("Brass");
    EXPECT_EQ(brass.GetAddress().GetLine1(), std::string(40, 'x'));
    EXPECT_EQ(brass.GetAddress().GetLine2(), "Flat 2, Block B");
    EXPECT_EQ(brass.GetAddress().GetPCode(), "AB1 2CD E");
    EXPECT_EQ(brass.GetNotes(), "Diet: vegan\r\nRemarks: late");
    const StyleList& styles = Event.Doc().GetStyles();
    ASSERT_GE(styles.FindByName("Jazz"), 0);
    ASSERT_GE(styles.FindByName("Folk, old"), 0);
    // Jazz named twice is one key of the group.
    EXPECT_EQ(brass.GetStyles().GetCount(), 2);
}

TEST_F(GroupImportTest, DuplicatesAndTheFinalRefresh)
{
    // The same content as Band: skipped without a row.
    EXPECT_EQ(Import({{gfName, "", "Band"}, {gfContact, "", "Bob Ray"}, {gfEmail, "", "band@example.org"}}), 0);
    EXPECT_EQ(Event.Doc().GetGroups().GetNumGroups(), 3);
    EXPECT_EQ(Errors.GetRowCount(), 0);
    // Other content: added under a numbered name, and counted.
    EXPECT_EQ(Import({{gfName, "", "Band"}, {gfContact, "", "Sue Day"}}), 1);
    EXPECT_GE(Event.Doc().GetGroups().FindByName("#2 Band"), 0);
    EXPECT_EQ(Errors.nAdded, 1);
    EXPECT_EQ(GroupUpdates(), 1);
    // No name: reported with the add's message.
    EXPECT_EQ(Import({{gfContact, "", "Nobody"}}), 0);
    ASSERT_EQ(Errors.GetRowCount(), 1);
    EXPECT_EQ(Errors.GetRows()[0][1], "'' is an invalid group");
    EXPECT_EQ(Errors.GetRows()[0][0], "Row 3, item '', near line 4");

    const std::size_t n_before = Views.Updates.size();
    Rows.Core.ImportRecord(-1, -1, ZelArray<ZelImport::ColValue>(), &Errors);
    ASSERT_EQ(Views.Updates.size(), n_before + 1);
    EXPECT_FALSE(Views.Updates.back().bHint); // code 0: every view refreshes
}

TEST_F(GroupImportTest, ProblemsGoToTheReportAndTheNotes)
{
    // A participant name that cannot be a participant (too long a first
    // name is cut, so use an empty one after trimming the separator).
    Import({{gfName, "", "Brass"}, {gfMembers, "", "-Leader"}});
    const Group& brass = Imported("Brass");
    EXPECT_EQ(brass.GetMembers().GetSize(), 0);
    ASSERT_EQ(Errors.GetRowCount(), 1);
    EXPECT_EQ(Errors.GetRows()[0][0], "Row 1, item 'Brass', near line 2");
    EXPECT_NE(Errors.GetRows()[0][1].find("Cannot import group member."), std::string::npos);
    EXPECT_NE(brass.GetNotes().find("*********************\nImport errors:"), std::string::npos);
    EXPECT_NE(brass.GetNotes().find("Import data: '-Leader'"), std::string::npos);
    EXPECT_EQ(Errors.nAdded, 1);
}

} // namespace
