// The scheduling rules sheet on a display, driven by control ids: a venue
// rule and a day rule added on a small event, their timeslots picked, a
// pick discarded and one applied, OK; then the document's command runs the
// sheet, and a build keeps the rules.
//
// With ROTAVEX_SHOW_SECONDS set, the pages stay on screen that long, for
// screenshots (ROTAVEX_SHOW_ONLY: "venue", "pending", "day").
#include "engine/BuildPorts.h"
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/Timetable.h"
#include "res/RotavexStrings.h"
#include "sheets/SchedulingRulesPSheet.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/editing/PageToolBarRules.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <gtest/gtest.h>
#include <wx/listbox.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

void Command(wxWindow& page, int i_command)
{
    wxCommandEvent event(wxEVT_MENU, WxId(static_cast<unsigned>(i_command)));
    event.SetEventObject(&page);
    page.GetEventHandler()->ProcessEvent(event);
    Settle();
}

// Picks an entry of the cell's drop list as the user would.
void EditCell(SchedRulesPPage& page, int i_row, int i_col, const std::string& s_entry)
{
    EditListCtrl& list = page.GetList();
    list.BeginEdit(i_row, i_col);
    auto* p_box = wxDynamicCast(list.GetEditor(), wxListBox);
    ASSERT_NE(p_box, nullptr);
    const int i_entry = p_box->FindString(s_entry, true);
    ASSERT_NE(i_entry, wxNOT_FOUND) << s_entry;
    p_box->SetSelection(i_entry);
    EXPECT_TRUE(list.EndEdit());
    Settle();
}

// A cell as drawn: the "Enable" check's state is asked of the page.
std::string Cell(SchedRulesPPage& page, int i_row, int i_col)
{
    EditListCtrl& list = page.GetList();
    if (list.IsCheckColumn(i_col))
        return std::to_string(list.FetchCheckState(i_row, i_col));
    return list.GetItemText(i_row, i_col);
}

// Runs the driver inside the sheet's modal loop once it is open.
void WhenOpen(std::function<void(SchedulingRulesPSheet&)> f_drive, int n_tries = 50)
{
    wxTheApp->CallAfter([f_drive, n_tries] {
        for (wxWindow* p_window : wxTopLevelWindows) {
            auto* p_sheet = dynamic_cast<SchedulingRulesPSheet*>(p_window);
            if (p_sheet != nullptr && p_sheet->IsModal()) {
                f_drive(*p_sheet);
                return;
            }
        }
        ASSERT_GT(n_tries, 0) << "the sheet did not open";
        WhenOpen(f_drive, n_tries - 1);
    });
}

// Selects the grid's timeslots for which f_pick says so, as clicks would,
// and tells the page.
template <class F>
void PickSlots(SchedRulesPPage& page, const ZelArrayWithFind<long>& a_keys, F f_pick)
{
    ZelTimeslotCtrl& grid = page.GetGrid();
    for (UINT u = 0; u < grid.GetNumDays(); ++u) {
        ZelRelTimeslotArray a_slots;
        grid.GetTimeslots(static_cast<int>(u), a_slots, a_keys);
        for (int i = 0; i < a_slots.GetSize(); ++i)
            a_slots[i].SetSelected(f_pick(static_cast<int>(u), a_slots[i]) ? TRUE : FALSE);
        grid.SetTimeslots(static_cast<int>(u), a_slots, TRUE, &a_keys);
    }
    ZelSendNotify(&grid, ZTSN_SELCHANGED);
    Settle();
}

// A new venue rule made on the page as the user makes it: the venue, no
// participants, every one of the venue's timeslots picked, and the rule
// applied on the page.
void AddNoParticipantsRule(VenueRulesPPage& venues, const std::string& s_venue, LONG l_venue)
{
    Command(venues, ID_PAGE_NEW);
    venues.GetList().AbortEdit();
    EditCell(venues, 0, 2, s_venue);
    EditCell(venues, 0, 3, "Limit participants");
    venues.GetList().BeginEdit(0, 4);
    if (auto* p_value = wxDynamicCast(venues.GetList().GetEditor(), wxTextCtrl))
        p_value->SetValue("0");
    venues.GetList().EndEdit();
    Settle();
    ZelArrayWithFind<long> a_venue;
    a_venue.Add(l_venue);
    PickSlots(venues, a_venue, [](int, const ZelRelTimeslot&) { return true; });
    Press(venues, IDC_RULES_APPLY);
}

// The document holds one venue rule, valid and on, over the venue's four
// timeslots.
void ExpectOneRuleOnEveryTimeslotOfAVenue(EventDoc& doc)
{
    ASSERT_EQ(1, doc.GetSchedulingRules().GetNumVenueRules());
    const VenueRule& rule = doc.GetSchedulingRules().GetVenueRules()[0];
    EXPECT_TRUE(rule.IsValid() && rule.IsEnabled());
    EXPECT_EQ(4, rule.GetNumTimes());
}

bool Enabled(wxWindow& window, int i_id) { return window.FindWindow(i_id)->IsEnabled(); }

class RulesSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Days({"Mon", "Tue"})
            .Venue("Hall")
            .Venue("Room")
            .Slots(-1, {"09:00-10:00", "10:00-11:00"})
            .Participant("Ann")
            .Group("Choir", [](Group& g) { g.SetEventLimits(SchedLim(SchedLim::e_exact, 1, 0, 0)); })
            .Member("Choir", "Ann")
            .Timetable();
    }

    testevent::EventBuilder event;
    ScriptedMessageBox Boxes;
};

TEST_F(RulesSheetTest, RulesAddedPickedAndTakenOnOK)
{
    auto* p_sheet = new SchedulingRulesPSheet(&event.Doc(), "Scheduling rules", nullptr);
    SchedulingRulesPSheet& sheet = *p_sheet;
    sheet.GetVenuePage().LoadRules(sheet.GetWorkingRules());
    sheet.GetDayPage().LoadRules(sheet.GetWorkingRules());
    sheet.Show();
    Settle();

    // A venue rule: limit Hall to no participants on both days.
    VenueRulesPPage& venues = sheet.GetVenuePage();
    Command(venues, ID_PAGE_NEW);
    ASSERT_EQ(1, venues.GetRuleCount());
    EXPECT_TRUE(venues.GetList().IsEditing());
    EXPECT_EQ(2, venues.GetList().GetEditColumn()); // its own "Venue" cell
    venues.GetList().AbortEdit();
    EXPECT_EQ("1", Cell(venues, 0, 0));
    EXPECT_EQ("3", Cell(venues, 0, 1));
    EXPECT_EQ("Same styles", Cell(venues, 0, 3));
    EditCell(venues, 0, 2, "Hall");
    EditCell(venues, 0, 3, "Limit participants");
    venues.GetList().BeginEdit(0, 4);
    auto* p_value = wxDynamicCast(venues.GetList().GetEditor(), wxTextCtrl);
    ASSERT_NE(p_value, nullptr) << "a number is typed";
    p_value->SetValue("0");
    EXPECT_TRUE(venues.GetList().EndEdit());
    Settle();
    EXPECT_EQ("0", Cell(venues, 0, 4));
    EXPECT_EQ("0 timeslots in 0 day", Cell(venues, 0, 5));
    ShowAWhile("venue");

    ZelArrayWithFind<long> a_hall;
    a_hall.Add(event.VenueKey("Hall"));
    PickSlots(venues, a_hall, [](int, const ZelRelTimeslot&) { return true; });
    EXPECT_TRUE(venues.IsPending());
    EXPECT_FALSE(Enabled(venues, IDC_RULES_LIST));
    EXPECT_TRUE(Enabled(venues, IDC_RULES_APPLY));
    EXPECT_FALSE(Enabled(sheet, wxID_OK));
    ShowAWhile("pending");
    // The page cannot be left while the pick is pending.
    ShowPage(sheet, 1);
    EXPECT_EQ(0, sheet.GetBookCtrl()->GetSelection());

    Press(venues, IDC_RULES_DISCARD);
    Settle();
    EXPECT_FALSE(venues.IsPending());
    EXPECT_TRUE(Enabled(sheet, wxID_OK));
    EXPECT_EQ(0, venues.GetCore().CountRuleTimes(0));

    PickSlots(venues, a_hall, [](int, const ZelRelTimeslot&) { return true; });
    Press(venues, IDC_RULES_APPLY);
    Settle();
    EXPECT_EQ("4 timeslots in 2 days", Cell(venues, 0, 5));
    EXPECT_EQ("1", Cell(venues, 0, 1));

    // The check of a valid rule toggles; that of an invalid one does not.
    venues.GetList().Toggle(0, 1);
    Settle();
    EXPECT_EQ("0", Cell(venues, 0, 1));
    venues.GetList().Toggle(0, 1);
    Settle();
    EXPECT_EQ("1", Cell(venues, 0, 1));
    Command(venues, ID_PAGE_NEW);
    venues.GetList().AbortEdit();
    venues.GetList().Toggle(1, 1);
    Settle();
    EXPECT_EQ("3", Cell(venues, 1, 1));
    // Undo brings back the working rules, which have none yet.
    Press(sheet, IDC_SHEET_UNDO);
    Settle();
    EXPECT_EQ(0, venues.GetRuleCount());
    EXPECT_EQ(0, venues.GetList().GetItemCount());
    // Again, and kept by moving to the other page.
    Command(venues, ID_PAGE_NEW);
    venues.GetList().AbortEdit();
    EditCell(venues, 0, 2, "Hall");
    EditCell(venues, 0, 3, "Limit participants");
    venues.GetList().BeginEdit(0, 4);
    if (auto* p_again = wxDynamicCast(venues.GetList().GetEditor(), wxTextCtrl))
        p_again->SetValue("123456");
    venues.GetList().EndEdit();
    Settle();
    EXPECT_EQ("99999", Cell(venues, 0, 4));
    venues.GetList().BeginEdit(0, 4);
    if (auto* p_again = wxDynamicCast(venues.GetList().GetEditor(), wxTextCtrl))
        p_again->SetValue("0");
    venues.GetList().EndEdit();
    Settle();
    PickSlots(venues, a_hall, [](int, const ZelRelTimeslot&) { return true; });
    Press(venues, IDC_RULES_APPLY);
    Settle();
    EXPECT_EQ("1", Cell(venues, 0, 1));

    // A day rule on Tuesday: different groups in both of Room's timeslots.
    ShowPage(sheet, 1);
    ASSERT_EQ(1, sheet.GetBookCtrl()->GetSelection());
    DayRulesPPage& days = sheet.GetDayPage();
    Command(days, ID_PAGE_NEW);
    days.GetList().AbortEdit();
    EditCell(days, 0, 2, "Tue");
    EditCell(days, 0, 3, "Different groups");
    ZelArrayWithFind<long> a_venues;
    a_venues.Add(event.VenueKey("Hall"));
    a_venues.Add(event.VenueKey("Room"));
    const LONG l_room = event.VenueKey("Room");
    PickSlots(days, a_venues, [l_room](int, const ZelRelTimeslot& slot) { return slot.GetSetKey() == l_room; });
    Press(days, IDC_RULES_APPLY);
    Settle();
    EXPECT_EQ("2 timeslots", Cell(days, 0, 5));
    EXPECT_EQ("1", Cell(days, 0, 1));
    ShowAWhile("day");

    Press(sheet, wxID_OK);
    Settle();
    const SchedulingRules& rules = sheet.GetWorkingRules();
    ASSERT_EQ(1, rules.GetNumVenueRules());
    ASSERT_EQ(1, rules.GetNumDayRules());
    EXPECT_EQ(4, rules.GetVenueRules()[0].GetNumTimes());
    EXPECT_EQ(SchedRule::e_different_groups, rules.GetDayRules()[0].GetKind());
    EXPECT_TRUE(rules.GetVenueRules()[0].IsValid() && rules.GetVenueRules()[0].IsEnabled());
    sheet.Destroy();
    Settle();
}

TEST_F(RulesSheetTest, TheDocumentTakesTheRulesOnlyOnOKAndTheBuildKeepsThem)
{
    InstallSchedulingRulesSheet();
    // Close after a change leaves the document's rules as they were.
    std::function<void(SchedulingRulesPSheet&)> f_cancel = [](SchedulingRulesPSheet& sheet) {
        Command(sheet.GetVenuePage(), ID_PAGE_NEW);
        Press(sheet, wxID_CANCEL);
    };
    WhenOpen(f_cancel);
    event.Doc().OnSchedulingRules();
    Settle();
    EXPECT_EQ(0, event.Doc().GetSchedulingRules().GetNumVenueRules());

    // Hall takes no participants: Choir, who has one, goes to Room.
    const LONG l_hall = event.VenueKey("Hall");
    std::function<void(SchedulingRulesPSheet&)> f_ok = [l_hall](SchedulingRulesPSheet& sheet) {
        VenueRulesPPage& venues = sheet.GetVenuePage();
        AddNoParticipantsRule(venues, "Hall", l_hall);
        Settle();
        Press(sheet, wxID_OK);
    };
    WhenOpen(f_ok);
    event.Doc().OnSchedulingRules();
    Settle();
    ExpectOneRuleOnEveryTimeslotOfAVenue(event.Doc());

    event.Doc().GetPreferences().SetSkipBuildOptions(TRUE);
    ScriptedBuildDialogs dialogs;
    Timetable* p_tt = event.Doc().GetTimetable();
    ASSERT_NE(p_tt, nullptr);
    EXPECT_NE(0, p_tt->Build(&event.Doc()));
    int n_hall = 0;
    int n_room = 0;
    for (int d = 0; d < p_tt->GetNumDays(); ++d) {
        for (int v = 0; v < p_tt->GetDay(d).GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = p_tt->GetDay(d).GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                if (a_slots[i].GetGroup() == event.GroupKey("Choir"))
                    ++(v == event.VenueIndex("Hall") ? n_hall : n_room);
            }
        }
    }
    EXPECT_EQ(0, n_hall);
    EXPECT_EQ(1, n_room);
}

// Apply hands the rules to the document while the sheet stays open on them;
// a rule added after it goes with Cancel, the applied one stays.
TEST_F(RulesSheetTest, ApplyStoresTheRulesAndTheSheetStaysOpen)
{
    InstallSchedulingRulesSheet();
    const LONG l_hall = event.VenueKey("Hall");
    bool b_open = false;
    int n_stored = -1;
    int n_rows = -1;
    std::string s_venue;
    std::function<void(SchedulingRulesPSheet&)> f_apply = [&](SchedulingRulesPSheet& sheet) {
        VenueRulesPPage& venues = sheet.GetVenuePage();
        AddNoParticipantsRule(venues, "Hall", l_hall);
        Press(sheet, IDC_SHEET_APPLY_NOW);
        Settle();
        b_open = sheet.IsModal();
        n_stored = event.Doc().GetSchedulingRules().GetNumVenueRules();
        n_rows = venues.GetList().GetItemCount();
        s_venue = Cell(venues, 0, 2);
        Command(venues, ID_PAGE_NEW);
        venues.GetList().AbortEdit();
        Press(sheet, wxID_CANCEL);
    };
    WhenOpen(f_apply);
    event.Doc().OnSchedulingRules();
    Settle();
    EXPECT_TRUE(b_open);
    EXPECT_EQ(n_stored, 1);
    EXPECT_EQ(n_rows, 1) << "the sheet shows the rules as stored";
    EXPECT_EQ(s_venue, "Hall");
    ExpectOneRuleOnEveryTimeslotOfAVenue(event.Doc());
}

} // namespace

namespace {

TEST_F(RulesSheetTest, OpensOnDayRulesOnlyWhenThereAreNoVenueRules)
{
    InstallSchedulingRulesSheet();
    int i_page = -1;
    auto f_look = [&i_page](SchedulingRulesPSheet& sheet) {
        i_page = sheet.GetBookCtrl()->GetSelection();
        Press(sheet, wxID_CANCEL);
    };
    WhenOpen(f_look);
    event.Doc().OnSchedulingRules();
    Settle();
    EXPECT_EQ(0, i_page);

    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Room 09:00-10:00"});
    WhenOpen(f_look);
    event.Doc().OnSchedulingRules();
    Settle();
    EXPECT_EQ(1, i_page);

    event.VenueRule("Hall", SchedRule::e_same_styles, {});
    WhenOpen(f_look);
    event.Doc().OnSchedulingRules();
    Settle();
    EXPECT_EQ(0, i_page);
}

} // namespace
