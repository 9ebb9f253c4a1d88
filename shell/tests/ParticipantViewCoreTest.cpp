// The participant pane's work over a plain list and a built event: the
// field texts and schedule lines, the name sort's cycle, the change walk
// with the duplicate-name check inside the sheet, adds and deletes, the
// printed columns offered, the mail recipients, un-rostering and the import
// of participant records.
#include "shell/lists/ParticipantViewCore.h"

#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/lists/ItemListImport.h"
#include "shell/frame/ListPorts.h"
#include "shell/lists/SelectColumns.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/MailStandIn.h"
#include "zelkit/values/ZelTimeslotCombination.h"
#include "zelkit/tests/TimeslotFakes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

struct ListParts {
    ZelListModel Model;
    ZelListSort SortState;
};

class TestCore : public ParticipantViewCore {
public:
    using ParticipantViewCore::ParticipantViewCore;
    BOOL bPortrait = TRUE;

protected:
    void SetPortrait(BOOL b_portrait) override { bPortrait = b_portrait; }
};

// The participant list as the participant view runs it, on a list model.
class ParticipantRows : private ListParts, public ItemListCore {
public:
    explicit ParticipantRows(EventDoc& doc)
        : ItemListCore(&static_cast<ListParts&>(*this).Model, static_cast<ListParts&>(*this).SortState), Doc(doc)
    {
        SetColumnDefs(ParticipantViewCore::ColumnDefs());
        BuildColumnTitles();
    }

    TestCore Core{*this};

    EventDoc* GetEventDoc() override { return &Doc; }
    void FillList() override
    {
        if (GetColumnCount() == 0)
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
    int GetRecordCount() override { return Doc.GetParticipants().GetNumParticipants(); }
    std::string GetPluralTitle() override { return "Participants"; }
    std::string GetSingularTitle() override { return "Participant"; }
    std::string GetSingularNoun() override { return "participant"; }
    std::string GetPluralNoun() override { return "participants"; }
    std::string GetCountNoun() override { return "participant(s)"; }
    BOOL SelectPrintColumns() override { return Core.SelectPrintColumns(); }
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override { return ParticipantViewCore::FilterUpdateHint(hint); }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        return Core.GetColumnText(static_cast<const Participant*>(p_record), i_column);
    }
    ILVRecord GetRecord(int i_row) override { return Core.GetRecord(i_row); }
    std::string GetListText(int i_row, int i_column) override { return GetFieldText(GetRecord(i_row), i_column); }
    int GetRecordValue(int i_row) override { return Core.GetRecordValue(i_row); }

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

// The participant sheet: each step edits the working participant and
// presses a button; OK, Apply, Next and Previous go through the sheet's
// acceptance as the real sheet's do, and a refused one keeps the sheet
// open for the next step.
class ScriptedSheet : public IParticipantSheetPort {
public:
    struct Step {
        int iResult;
        std::function<void(Participant&)> fEdit;
    };
    ScriptedSheet() { pPrevious = SetParticipantSheetPort(this); }
    ~ScriptedSheet() override { SetParticipantSheetPort(pPrevious); }

    int Run(Request& request) override
    {
        vOpened.push_back(request.pWorking->GetFullName());
        vPositions.emplace_back(request.iPosition, request.nCount);
        EXPECT_EQ(request.sCaption, "Define participant");
        while (!qSteps.empty()) {
            Step step = qSteps.front();
            qSteps.pop_front();
            if (step.fEdit)
                step.fEdit(*request.pWorking);
            request.iLastPage = 1;
            if (step.iResult == IDCANCEL)
                return IDCANCEL;
            if (request.fAccept && !request.fAccept(*request.pWorking)) {
                ++nRefused;
                continue;
            }
            return step.iResult;
        }
        return IDCANCEL;
    }

    std::deque<Step> qSteps;
    std::vector<std::string> vOpened;
    std::vector<std::pair<int, int>> vPositions;
    int nRefused = 0;

private:
    IParticipantSheetPort* pPrevious;
};

class ParticipantViewCoreTest : public ::testing::Test {
protected:
    ParticipantViewCoreTest()
    {
        Event.Participant("Ann Lee", [](Participant& p) { p.SetEmail("ann@example.org"); })
            .Participant("Bob Ray", [](Participant& p) { p.SetEmail("bob@example.org"); })
            .Participant("Cal Fox", [](Participant& p) { p.SetEmail("ann@example.org"); });
        Views.fOnUpdate = [this](const UpdateViewHint* p_hint) { Rows.OnUpdate(p_hint); };
        Rows.InitialUpdate();
    }

    Participant& Part(const std::string& s_name) { return Event.GetParticipant(s_name); }
    std::string Field(const std::string& s_name, int i_field) { return Rows.Core.GetFieldText(&Part(s_name), i_field); }

    ScriptedMessageBox Boxes;
    ScriptedViews Views;
    EventBuilder Event;
    ParticipantRows Rows{Event.Doc()};
};

TEST_F(ParticipantViewCoreTest, FieldTexts)
{
    Part("Ann Lee").SetPhone2("555-2");
    Part("Ann Lee").GetAddress().SetAddrLine1("1 High St");
    Part("Ann Lee").GetAddress().SetAddrLine3("Town");
    Part("Ann Lee").GetAddress().SetPostCode("AB1");
    Part("Bob Ray").SetPhone("555-1");
    Part("Bob Ray").SetPhone2("555-3");
    Part("Ann Lee").SetUsualRoleKey(Event.Doc().AddParticipantRole("Tenor"));
    SchedLim limit;
    limit.uType = SchedLim::e_exact;
    limit.uValue = 3;
    Part("Bob Ray").SetDayLimits(limit);
    limit.uValue = 8;
    Part("Cal Fox").SetEventLimits(limit);
    Part("Cal Fox").SetDayLimits(limit);
    Part("Cal Fox").SetNotes("Brings a drum");

    const struct {
        const char* pName;
        int iField;
        std::string sText;
    } a_cases[] = {
        // Only phone 2: the comma goes first all the same.
        {"Ann Lee", pfPhone, ", 555-2"},
        {"Bob Ray", pfPhone, "555-1, 555-3"},
        {"Cal Fox", pfPhone, ""},
        {"Ann Lee", pfPhone2, "555-2"},
        // Always the four parts, empty ones too.
        {"Ann Lee", pfAddress, "1 High St  Town AB1"},
        {"Bob Ray", pfAddress, "   "},
        {"Ann Lee", pfPostalCode, "AB1"},
        {"Ann Lee", pfUsualRole, "Tenor"},
        {"Bob Ray", pfUsualRole, ""},
        {"Ann Lee", pfLimits, ""},
        {"Bob Ray", pfLimits, "Day=3"},
        {"Cal Fox", pfLimits, "Event=8,Day=8"},
        {"Cal Fox", pfNotes, "Brings a drum"},
        {"Ann Lee", pfName, "Ann Lee"},
        {"Ann Lee", pfNumFields, ""},
    };
    for (const auto& c : a_cases)
        EXPECT_EQ(Field(c.pName, c.iField), c.sText) << c.pName << " " << c.iField;
    // The list's columns are the name, address, phone, fax, e-mail and
    // role fields.
    Rows.Refill();
    EXPECT_EQ(Rows.GetListText(0, 1), "1 High St  Town AB1");
    EXPECT_EQ(Rows.GetListText(0, 2), ", 555-2");
    EXPECT_EQ(Rows.GetListText(0, 4), "ann@example.org");
    EXPECT_EQ(Rows.GetListText(0, 5), "Tenor");
    EXPECT_EQ(Rows.GetListText(0, 6), "");
    EXPECT_EQ(Rows.GetListText(7, 0), "");
}

TEST(ParticipantFieldsTest, GroupsNotAvailableRosteringAndSchedules)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"})
        .Slots(-1, {"09:00-10:00", "10:00-11:00"})
        .TwentyFourHour()
        .Style("Drums")
        .Venue("Hall")
        .Venue("Annex")
        .Participant("Ann Lee")
        .Participant("Bob Ray")
        .Group("Choir")
        .Group("Band")
        .Member("Choir", "Ann Lee")
        .Member("Band", "Ann Lee")
        .Member("Band", "Bob Ray");
    ScriptedViews views;
    ParticipantRows rows(event.Doc());
    Participant& ann = event.GetParticipant("Ann Lee");
    const Participant& bob = event.GetParticipant("Bob Ray");

    EXPECT_EQ(rows.Core.GetFieldText(&ann, pfGroups), "Choir,Band");
    EXPECT_EQ(rows.Core.GetFieldText(&bob, pfGroups), "Band");
    // No timetable yet: no schedule.
    EXPECT_EQ(rows.Core.GetFieldText(&ann, pfVenueSchedule), "");

    EXPECT_EQ(rows.Core.GetFieldText(&ann, pfNotAvailable), "");
    const LONG l_mon = event.Doc().GetEventDef().GetDayDefConst().GetDayId(0);
    ann.GetUnavailable().AddTime(l_mon, EventBuilder::RelSlot("09:00-10:00"));
    EXPECT_EQ(rows.Core.GetFieldText(&ann, pfNotAvailable),
              ann.GetUnavailable().GetText(&event.Doc().GetEventDef().GetDayDefConst(), -1, FALSE));
    EXPECT_NE(rows.Core.GetFieldText(&ann, pfNotAvailable), "");

    BOOL b_ordered = FALSE;
    std::string s_message;
    ASSERT_TRUE(ann.GetOwnRosterStyles().SetFromText("Ordered:#1: Drums", &event.Doc(), b_ordered, s_message));
    ann.SetOrdered(b_ordered);
    EXPECT_EQ(rows.Core.GetFieldText(&ann, pfRostering), "Ordered:#1: Drums");

    event.Timetable().Place(0, "Annex", "09:00", "Choir").Place(1, "Hall", "10:00", "Band");
    ZelTimeslotCombination morning("Morning");
    ASSERT_EQ(event.Doc().GetCombinations().Add(morning), 0);
    event.Slot(1, "Hall", "10:00").SetCombinationKey(morning.GetKey());
    EXPECT_EQ(ParticipantViewCore::GetScheduleLines(&event.Doc(), ann, TRUE),
              (std::vector<std::string>{"Annex - Mon 09:00 to 10:00", "Hall - Tue 10:00 to 11:00 (Morning)"}));
    EXPECT_EQ(rows.Core.GetFieldText(&ann, pfGroupSchedule),
              "Choir - Mon 09:00 to 10:00,\nBand - Tue 10:00 to 11:00 (Morning)");
    EXPECT_EQ(rows.Core.GetFieldText(&bob, pfVenueSchedule), "Hall - Tue 10:00 to 11:00 (Morning)");
}

TEST(ParticipantLabelTest, LinesAndCentring)
{
    FakeDrawPort port;
    port.SetFont({10, true, false}); // 6 pixels a character, 13 a line
    Participant part;
    part.SetName("Ann", "", "Lee");
    part.GetAddress().SetAddr("1 High St", "", "Town", "AB1");
    // Empty lines are left out; the postal code follows the last line.
    CRect rc_box(10, 20, 210, 120);
    EXPECT_EQ(ParticipantViewCore::GetLabelText(port, part, rc_box), "Ann Lee\n1 High St\nTown AB1\n");
    // Three lines, the widest of 9 characters: 54 by 39 in the middle.
    EXPECT_EQ(rc_box, CRect(83, 50, 137, 90));
    CRect rc_small(0, 0, 30, 20);
    ParticipantViewCore::GetLabelText(port, part, rc_small);
    EXPECT_EQ(rc_small, CRect(0, 0, 30, 20));
}

TEST_F(ParticipantViewCoreTest, ThreeClicksOnTheNameEndLastNameFirstAscending)
{
    Rows.Core.Sort(4);
    for (int i = 0; i < 3; ++i)
        Rows.Core.Sort(0);
    EXPECT_FALSE(Rows.Core.IsNameFirstLast());
    EXPECT_EQ(Rows.Names(), (std::vector<std::string>{"Fox, Cal", "Lee, Ann", "Ray, Bob"}));
    // The fourth: last name first, descending; the fifth starts again.
    Rows.Core.Sort(0);
    EXPECT_EQ(Rows.Names(), (std::vector<std::string>{"Ray, Bob", "Lee, Ann", "Fox, Cal"}));
    Rows.Core.Sort(0);
    EXPECT_TRUE(Rows.Core.IsNameFirstLast());
    EXPECT_EQ(Rows.Names(), (std::vector<std::string>{"Ann Lee", "Bob Ray", "Cal Fox"}));
    // Another column keeps the name order.
    Rows.Core.Sort(4);
    EXPECT_TRUE(Rows.Core.IsNameFirstLast());
}

TEST_F(ParticipantViewCoreTest, ADuplicateNameKeepsTheSheetOpenWithItsEdits)
{
    ScriptedSheet sheet;
    const LONG l_bob = Event.ParticipantKey("Bob Ray");
    // The user gives Bob Ann's name and a note, presses OK, is told, then
    // renames him and presses OK again: the note typed first is kept.
    sheet.qSteps.push_back({IDOK, [](Participant& p) {
                                p.SetName("Ann", "", "Lee");
                                p.SetNotes("typed first");
                            }});
    sheet.qSteps.push_back({IDOK, [&](Participant& p) {
                                EXPECT_EQ(p.GetNotes(), "typed first");
                                EXPECT_EQ(Part("Bob Ray").GetNotes(), "");
                                p.SetName("Rob", "", "Ray");
                            }});
    Rows.Select({1});
    Rows.ChangeSelected();
    EXPECT_EQ(sheet.nRefused, 1);
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot change participant.  Participant 'Ann Lee' already exists.");
    const Participant& rob = Event.Doc().GetParticipants().GetAt(Event.Doc().GetParticipants().FindByKey(l_bob));
    EXPECT_EQ(rob.GetFullName(), "Rob Ray");
    EXPECT_EQ(rob.GetNotes(), "typed first");
    EXPECT_EQ(Rows.Names()[1], "Rob Ray");
    EXPECT_EQ(Event.Doc().GetParticipants().FindByName("Rob Ray"), 1);

    // Cancelled while the name is taken: nothing stored.
    Boxes.Clear();
    sheet.qSteps.push_back({IDOK, [](Participant& p) { p.SetName("Cal", "", "Fox"); }});
    sheet.qSteps.push_back({IDCANCEL, {}});
    Rows.ChangeSelected();
    EXPECT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Event.Doc().GetParticipants().GetAt(1).GetFullName(), "Rob Ray");
}

TEST_F(ParticipantViewCoreTest, TheChangeWalkFollowsApplyNextAndPrevious)
{
    ScriptedSheet sheet;
    // Apply reopens the same participant, Next moves on, Previous back, and
    // Next on the last ends the walk.
    sheet.qSteps.push_back({IDC_SHEET_APPLY_NOW, [](Participant& p) { p.SetFax("1"); }});
    sheet.qSteps.push_back({IDC_SHEET_NEXT, [](Participant& p) { p.SetFax("2"); }});
    sheet.qSteps.push_back({IDC_SHEET_PREVIOUS, {}});
    sheet.qSteps.push_back({IDC_SHEET_NEXT, {}});
    sheet.qSteps.push_back({IDC_SHEET_NEXT, [](Participant& p) { p.SetFax("3"); }});
    Rows.Select({0, 2});
    Rows.ChangeSelected();
    EXPECT_EQ(sheet.vOpened, (std::vector<std::string>{"Ann Lee", "Ann Lee", "Cal Fox", "Ann Lee", "Cal Fox"}));
    EXPECT_EQ(Part("Ann Lee").GetFax(), "2");
    EXPECT_EQ(Part("Cal Fox").GetFax(), "3");
    EXPECT_EQ(ParticipantViewCore::LastChangePage(), 1);
}

TEST_F(ParticipantViewCoreTest, AddsAndDeletes)
{
    ScriptedSheet sheet;
    sheet.qSteps.push_back({IDOK, [](Participant& p) { p.SetName("Bob", "", "Ray"); }});
    Rows.OnAdd();
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "Cannot add participant.  Participant 'Bob Ray' already exists.");
    sheet.qSteps.push_back({IDOK, [](Participant& p) { p.SetName("Dee", "", "Sun"); }});
    Rows.OnAdd();
    EXPECT_EQ(Rows.Names().size(), 4u);
    EXPECT_EQ(Event.Doc().GetParticipants().GetNumParticipants(), 4);

    std::string s_error;
    ZelFullName name(20, 30, 20);
    name.SetName("Ann Lee");
    EXPECT_FALSE(Rows.Core.AddRecordByName(name, s_error, TRUE));
    EXPECT_EQ(s_error, "Participant already exists.");

    Rows.Select({0, 2});
    Rows.DeleteSelected();
    EXPECT_EQ(Rows.Names(), (std::vector<std::string>{"Bob Ray", "Dee Sun"}));
}

TEST_F(ParticipantViewCoreTest, PrintingOffersOnlyColumnsWithTextAndKeepsTheChoice)
{
    ScriptedSelectColumns chooser;
    std::vector<std::string> v_available, v_selected;
    chooser.fAnswer = [&](SelectColumnsData& data) {
        v_available.assign(&data.Available[0], &data.Available[0] + data.Available.GetSize());
        v_selected.assign(&data.Selected[0], &data.Selected[0] + data.Selected.GetSize());
        data.bLandscape = 1;
        return IDOK;
    };
    Part("Bob Ray").SetPhone("555");
    Event.Doc().SetModifiedFlag(false);
    ASSERT_TRUE(Rows.Core.SelectPrintColumns());
    // Nobody has a fax, an address or a role.
    EXPECT_EQ(v_selected, (std::vector<std::string>{"Name", "Phone", "Email"}));
    EXPECT_EQ(v_available, (std::vector<std::string>{"Phone 1"}));
    const PrintIdSet& set = Event.Doc().GetPrintOptions().GetParticipantListSet();
    EXPECT_EQ(set.GetIds().GetSize(), 3);
    EXPECT_TRUE(set.IsLandscape());
    EXPECT_TRUE(Event.Doc().IsModified());
    EXPECT_FALSE(Rows.Core.bPortrait);
    // The chooser's print group speaks of participants.
    const SelectColumnsData& shown = chooser.vShown.back();
    EXPECT_EQ(shown.sItems, "participants");
    SelectColumnsData data = shown;
    ZelListModel available, selected;
    SelectColumnsModel model(data, available, selected);
    EXPECT_EQ(model.PrintGroupText("&Print selection"), "&Print participants");

    // Cancel prints nothing and keeps the choice.
    chooser.fAnswer = [](SelectColumnsData&) { return IDCANCEL; };
    EXPECT_FALSE(Rows.Core.SelectPrintColumns());
    EXPECT_EQ(Event.Doc().GetPrintOptions().GetParticipantListSet().GetIds().GetSize(), 3);
}

TEST_F(ParticipantViewCoreTest, MailGoesToTheSelectionsAddressesOnceEach)
{
    Part("Bob Ray").SetEmail("");
    Event.Participant("Dee Sun", [](Participant& p) { p.SetEmail("dee@example.org"); });
    Rows.Refill();
    Rows.Select({1});
    EXPECT_FALSE(Rows.Core.CanSendMail());
    Rows.Select({0, 2, 3});
    // A rostering run owns the event: nothing is read, nothing enabled.
    {
        MailStandIn stand_in;
        Event.Doc().SetBusy(TRUE);
        EXPECT_FALSE(Rows.Core.CanSendMail());
        EXPECT_FALSE(Rows.Core.CanApplyPreferences());
        EXPECT_FALSE(Rows.Core.CanUnroster());
        Event.Doc().SetBusy(FALSE);
        EXPECT_TRUE(Rows.Core.CanApplyPreferences());
    }
    std::vector<std::string> v_addresses, v_names;
    EXPECT_EQ(Rows.Core.CollectEmails(v_addresses, v_names), 2);
    EXPECT_EQ(v_addresses, (std::vector<std::string>{"ann@example.org", "dee@example.org"}));
    EXPECT_EQ(v_names, (std::vector<std::string>{"Ann Lee", "Dee Sun"}));

    MailStandIn stand_in;
    EXPECT_TRUE(Rows.Core.CanSendMail());
    Rows.Core.SendMail();
    EXPECT_EQ(stand_in.TakeArgs(), "--utf8\nmailto:ann@example.org,dee@example.org\n");
}

TEST_F(ParticipantViewCoreTest, PreferencesAndUnrostering)
{
    Preferences prefs = Event.Doc().GetPreferences();
    SchedLim limit;
    limit.uType = SchedLim::e_exact;
    limit.uValue = 2;
    prefs.GetPartDayLimits() = limit;
    Event.Doc().SetPreferences(prefs, FALSE);
    Rows.Select({1});
    Rows.Core.ApplyPreferences(ParticipantViewCore::e_pref_limits);
    EXPECT_EQ(Part("Bob Ray").GetDayLimits().uValue, 2u);
    EXPECT_NE(Part("Ann Lee").GetDayLimits().uValue, 2u);

    // Un-rostering needs groups, venues, days, timeslots and a timetable.
    EXPECT_FALSE(Rows.Core.CanUnroster());
    Event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Choir").Member("Choir", "Ann Lee").Timetable();
    EXPECT_TRUE(Rows.Core.CanUnroster());
    // Without a selection the question is about everyone.
    Rows.UnselectAll();
    Boxes.Answer(IDNO);
    EXPECT_EQ(Rows.Core.Unroster(), 0);
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("all participants"), std::string::npos) << Boxes.Boxes()[0].sText;
    Boxes.Clear();
    Rows.Select({0, 1});
    Boxes.Answer(IDNO);
    Rows.Core.Unroster();
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("2 participant(s)"), std::string::npos) << Boxes.Boxes()[0].sText;
}

// One import value of a string field.
ZelImport::ColValue Value(DWORD u_field, const std::string& s_text, const std::string& s_column = "",
                          DWORD u_option = ZelImportFieldDef::COLTYPE_SINGLE)
{
    ZelImport::ColValue value;
    value.uType = ZelImportFieldDef::COLTYPE_STRING | u_option;
    value.uData = u_field;
    value.sName = s_column;
    ZelImport::SingleValue single;
    single.sText = s_text;
    single.uType = u_option;
    value.Values.Add(single);
    return value;
}

TEST_F(ParticipantViewCoreTest, ImportRecords)
{
    ZelImportFieldDef defs;
    Rows.Core.FillImportFields(defs);
    ILVImportErrors errors("Import");
    const auto import = [&](std::initializer_list<ZelImport::ColValue> a_values, int i_record) {
        ZelArray<ZelImport::ColValue> a;
        for (const auto& v : a_values)
            a.Add(v);
        return Rows.Core.ImportRecord(i_record, i_record * 2, a, &errors);
    };
    const std::string s_long(50, 'x');
    EXPECT_EQ(import({Value(pfName, "Dee Sun"), Value(pfPhone1, "1"), Value(pfPhone2, "2"), Value(pfFax, "3"),
                      Value(pfEmail, "dee@x.org"), Value(pfAddress1, s_long), Value(pfPostalCode, "1234567890"),
                      Value(pfUsualRole, "Alto"), Value(pfNotes, "first", "Notes", ZelImportFieldDef::COLTYPE_MULTILINE),
                      Value(pfNotes, "second", "Remarks", ZelImportFieldDef::COLTYPE_MULTILINE)},
                     1),
              1);
    // A bad roster style list is reported and the participant still comes
    // in; a refused participant is reported and the import goes on.
    EXPECT_EQ(import({Value(pfName, "Eve Moon"), Value(pfRostering, "Ordered:#1: Nosuchstyle")}, 2), 1);
    EXPECT_EQ(import({Value(pfName, "Ann Lee")}, 3), 0);
    EXPECT_EQ(import({Value(pfPhone1, "no name")}, 4), 0);
    EXPECT_EQ(import({}, -1), 1);

    EXPECT_EQ(errors.nAdded, 2);
    ASSERT_EQ(errors.GetRowCount(), 3);
    EXPECT_EQ(errors.GetRows()[0][0], "Row 2, near line 4");
    EXPECT_EQ(errors.GetRows()[1][0], "Row 3, near line 6");
    EXPECT_EQ(errors.GetRows()[1][1], "Cannot add participant.  Participant 'Ann Lee' already exists.");
    EXPECT_EQ(errors.GetRows()[2][0], "Row 4, near line 8");

    const Participant& dee = Part("Dee Sun");
    EXPECT_EQ(dee.GetPhone(), "1");
    EXPECT_EQ(dee.GetPhone2(), "2");
    EXPECT_EQ(dee.GetFax(), "3");
    EXPECT_EQ(dee.GetEmail(), "dee@x.org");
    EXPECT_EQ(dee.GetAddress().GetLine1(), std::string(40, 'x'));
    EXPECT_EQ(dee.GetAddress().GetPCode(), "123456789");
    EXPECT_EQ(dee.GetUsualRoleName(&Event.Doc()), "Alto");
    EXPECT_EQ(dee.GetNotes(), "first\nRemarks: second");
    EXPECT_EQ(Rows.Names().size(), 5u);
}

TEST(ParticipantViewSizeTest, TwentyThousandRowsFillAndSort)
{
    EventBuilder event;
    for (int i = 0; i < 20000; ++i)
        event.Participant("P" + std::to_string(i * 7919 % 20000) + " Person" + std::to_string(i % 97),
                          [i](Participant& p) { p.SetEmail("p" + std::to_string(i) + "@example.org"); });
    ScriptedViews views;
    ParticipantRows rows(event.Doc());
    rows.InitialUpdate();
    ASSERT_EQ(rows.GetList().GetItemCount(), 20000);
    for (int i = 0; i < 4; ++i)
        rows.Core.Sort(0);
    rows.Core.Sort(4);
    EXPECT_FALSE(rows.Core.IsNameFirstLast());
}

} // namespace
