// The Availability, Allocation and participant Rostering pages on a display,
// in the group and participant sheets opened directly over a small event
// and driven by control ids, and in a sheet of defaults as the preferences
// show them.
//
// With ROTAVEX_SHOW_SECONDS set, the pages named by ROTAVEX_SHOW_ONLY (or
// every page) stay on screen that long, for screenshots.
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"
#include "sheets/AllocPPage.h"
#include "sheets/AvailPages.h"
#include "sheets/GroupPSheet.h"
#include "sheets/RosterPPage.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "zelkit/import/ui/ZelCheckListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <thread>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace {

using testevent::EventBuilder;

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

bool Checked(wxWindow& page, int i_id) { return Find<wxRadioButton>(page, i_id)->GetValue(); }
bool Enabled(wxWindow& page, int i_id) { return page.FindWindow(i_id)->IsEnabled(); }

int RowOf(ZelCheckListCtrl& list, int i_col, const std::string& s_text)
{
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.GetItemText(i, i_col) == s_text)
            return i;
    }
    return -1;
}

class PagesWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Days({"Mon", "Tue", "Wed"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00"})
            .Venue("Hall")
            .Venue("Barn")
            .Venue("Attic")
            .Style("Bass")
            .Style("Drums")
            .Style("Keys")
            .Group("Band")
            .GroupStyles("Band", {"Bass", "Drums", "Keys"})
            .Participant("Ann Lee");
    }
    EventDoc& Doc() { return event.Doc(); }
    LONG DayId(int i_day) { return Doc().GetEventDef().GetDayDefConst().GetDayId(i_day); }

    EventBuilder event;
    ScriptedMessageBox boxes;
};

TEST_F(PagesWxTest, GroupAvailabilityAndAllocationEditedAndSaved)
{
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = event.GetGroup("Band");
    VenueAlloc attic(event.VenueKey("Attic"));
    attic.Alloc = SchedAlloc(SchedLim::e_range, 1, 2, 4);
    sheet.GetWorkingGroup().GetVenueAllocs().InsertSorted(attic);
    sheet.GetWorkingGroup().GetUnavailable().AddTime(DayId(1), EventBuilder::RelSlot("14:00-15:00"));
    const int i_result = RunModal<GroupPSheet>(
        sheet, [](GroupPSheet& s) { return s.DoModal(); },
        [&](GroupPSheet& s) {
            // The tabs in their order, Members last.
            wxBookCtrlBase* p_book = s.GetBookCtrl();
            ASSERT_EQ(p_book->GetPageCount(), 8u);
            EXPECT_EQ(p_book->GetPageText(2), "Limits");
            EXPECT_EQ(p_book->GetPageText(3), "Availability");
            EXPECT_EQ(p_book->GetPageText(4), "Allocation");
            EXPECT_EQ(p_book->GetPageText(5), "Rostering");

            GroupAvailPPage& avail = *s.GetAvailPage();
            ShowPage(s, &avail);
            // Timeslot mode first: a time drawn on Monday, painted red.
            ZelTimeslotCtrl* p_grid = avail.GetPanel().GetGrid();
            ASSERT_TRUE(p_grid->IsEnabled());
            EXPECT_EQ(p_grid->GetGrid().GetDisplayStart().GetHour(), 14) << "the grid starts at the group's time";
            EXPECT_EQ(p_grid->GetNumDays(), 3u);
            ZelRelTimeslotArray a_times;
            a_times.Add(EventBuilder::RelSlot("10:00-11:00"));
            p_grid->SetTimeslots(0, a_times, 0, nullptr);
            ZelSendNotify(p_grid, ZTSN_CHANGED);
            EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
            ZelTimeslotColorNotify colour;
            EXPECT_EQ(ZelSendNotify(p_grid, ZTSN_SLOTCOLOR, &colour), 1);
            EXPECT_EQ(colour.crColor, 0x000000FFu);
            ShowAWhile("group-avail-slots");

            // Whole days: Monday and Tuesday are partly unavailable;
            // Wednesday ticked.
            Choose(avail, IDC_AVAIL_WHOLE_DAYS);
            EXPECT_FALSE(p_grid->IsShown());
            ZelCheckListCtrl& days = *avail.GetPanel().GetList();
            ASSERT_EQ(days.GetItemCount(), 3);
            EXPECT_EQ(days.GetCheckState(0, 1), 2);
            EXPECT_EQ(days.GetCheckState(1, 1), 2);
            EXPECT_EQ(days.GetCheckState(2, 1), 0);
            ASSERT_TRUE(days.Toggle(2, 1));
            EXPECT_EQ(days.GetCheckState(2, 1), 1);
            ShowAWhile("group-avail-days");

            GroupAllocPPage& alloc = *s.GetAllocPage();
            ShowPage(s, &alloc);
            ZelTreeCtrl& tree = *alloc.GetTree();
            // The root alone: nothing to edit.
            SelectItems(tree, {"Venues"});
            EXPECT_FALSE(Enabled(alloc, IDC_ALLOC_NONE));
            EXPECT_FALSE(Enabled(alloc, IDC_ALLOC_DEFAULT_SEL));
            // Hall: no requirement; then exactly 3.
            SelectItems(tree, {"Hall"});
            EXPECT_TRUE(Checked(alloc, IDC_ALLOC_NONE));
            EXPECT_FALSE(Enabled(alloc, IDC_ALLOC_EXACT_VALUE));
            Choose(alloc, IDC_ALLOC_EXACT);
            EXPECT_TRUE(Enabled(alloc, IDC_ALLOC_EXACT_VALUE));
            Type(alloc, IDC_ALLOC_EXACT_VALUE, "3");
            // Out of range: the message at once, the value not taken.
            Type(alloc, IDC_ALLOC_EXACT_VALUE, "1000");
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, "Please enter an integer between 1 and 999.");
            boxes.Clear();
            Type(alloc, IDC_ALLOC_EXACT_VALUE, "3");
            // Hall with Attic differ: no radio, empty boxes.
            SelectItems(tree, {"Hall", "Attic"});
            EXPECT_FALSE(Checked(alloc, IDC_ALLOC_NONE) || Checked(alloc, IDC_ALLOC_EXACT) ||
                         Checked(alloc, IDC_ALLOC_RANGE));
            EXPECT_EQ(Find<wxTextCtrl>(alloc, IDC_ALLOC_MIN_VALUE)->GetValue(), "");
            ShowAWhile("group-alloc");
            // Attic alone: No requirements removes its entry on leaving.
            SelectItems(tree, {"Attic"});
            EXPECT_TRUE(Checked(alloc, IDC_ALLOC_RANGE));
            EXPECT_EQ(Find<wxTextCtrl>(alloc, IDC_ALLOC_MAX_VALUE)->GetValue(), "4");
            Choose(alloc, IDC_ALLOC_NONE);
            Press(s, wxID_OK);
        });
    ASSERT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().sText;
    const Group& saved = sheet.GetWorkingGroup();
    const VenueAllocArray& a_allocs = saved.GetVenueAllocs();
    ASSERT_EQ(a_allocs.GetSize(), 1);
    EXPECT_EQ(a_allocs[0].lVenueKey, event.VenueKey("Hall"));
    EXPECT_EQ(a_allocs[0].Alloc, SchedAlloc(SchedLim::e_exact, 3, 1, 1));
    const TimeList& times = saved.GetUnavailable();
    ASSERT_NE(times.FindDayTimes(DayId(0)), nullptr);
    EXPECT_EQ(times.FindDayTimes(DayId(0))->GetSize(), 1);
    ASSERT_NE(times.FindDayTimes(DayId(1)), nullptr);
    EXPECT_EQ((*times.FindDayTimes(DayId(1)))[0].GetStart(), EventBuilder::At("14:00"));
    ASSERT_NE(times.FindDayTimes(DayId(2)), nullptr);
    EXPECT_EQ((*times.FindDayTimes(DayId(2)))[0].GetLength(), ZelOleDateTimeSpan(1, 0, 0, 0));
}

TEST_F(PagesWxTest, ParticipantGivenAvailabilityAndRosteringByStyles)
{
    ParticipantPSheet sheet(&Doc(), nullptr);
    sheet.GetParticipant() = event.GetParticipant("Ann Lee");
    const int i_result = RunModal<ParticipantPSheet>(
        sheet, [](ParticipantPSheet& s) { return s.ShowModal(); },
        [&](ParticipantPSheet& s) {
            wxBookCtrlBase* p_book = s.GetBookCtrl();
            ASSERT_EQ(p_book->GetPageCount(), 5u);
            EXPECT_EQ(p_book->GetPageText(2), "Availability");
            EXPECT_EQ(p_book->GetPageText(3), "Rostering");

            ParticipantAvailPPage& avail = s.GetAvailPage();
            ShowPage(s, &avail);
            // No time to show: the grid starts at the event's first
            // timeslot, not at midnight.
            const ZelOleDateTime dt_start = avail.GetPanel().GetGrid()->GetGrid().GetDisplayStart();
            EXPECT_EQ(dt_start.GetHour() * 60 + dt_start.GetMinute(), 9 * 60);
            ShowAWhile("participant-avail-slots");
            Choose(avail, IDC_AVAIL_WHOLE_DAYS);
            // Uncheck all with nothing to uncheck leaves Undo off.
            Press(avail, IDC_AVAIL_UNCHECK_ALL);
            EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
            Press(avail, IDC_AVAIL_CHECK_ALL);
            EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
            ZelCheckListCtrl& days = *avail.GetPanel().GetList();
            ASSERT_TRUE(days.Toggle(1, 1));
            EXPECT_EQ(days.GetCheckState(1, 1), 0);
            ShowAWhile("participant-avail-days");

            ParticipantRosterPPage& roster = s.GetRosterPage();
            ShowPage(s, &roster);
            // The texts before the limit's boxes end clear of them.
            const std::pair<int, int> a_rows[] = {{IDC_ROSTER_EXACT, IDC_ROSTER_EXACT_VALUE},
                                                  {IDC_ROSTER_MIN_TEXT, IDC_ROSTER_MIN_VALUE},
                                                  {IDC_ROSTER_MAX_TEXT, IDC_ROSTER_MAX_VALUE}};
            for (const auto& [i_text, i_box] : a_rows) {
                const wxWindow* p_text = roster.FindWindow(i_text);
                const wxWindow* p_box = roster.FindWindow(i_box);
                ASSERT_TRUE(p_text != nullptr && p_box != nullptr);
                EXPECT_LE(p_text->GetPosition().x + p_text->GetBestSize().x + 2, p_box->GetPosition().x) << i_text;
            }
            // No role has styles: style mode, the role radio disabled.
            EXPECT_TRUE(Checked(roster, IDC_ROSTER_BY_STYLE));
            EXPECT_FALSE(Enabled(roster, IDC_ROSTER_BY_ROLE));
            ZelCheckListCtrl& list = *roster.GetList();
            ASSERT_EQ(list.GetItemCount(), 3);
            // The limit waits for a style.
            EXPECT_FALSE(Enabled(roster, IDC_ROSTER_EXACT));
            for (const char* p_style : {"Keys", "Bass"})
                ASSERT_TRUE(list.Toggle(RowOf(list, 2, p_style), 1));
            EXPECT_EQ(list.GetItemText(RowOf(list, 2, "Keys"), 0), "1");
            EXPECT_EQ(list.GetItemText(RowOf(list, 2, "Bass"), 0), "2");
            EXPECT_TRUE(Enabled(roster, IDC_ROSTER_EXACT));
            // Keys moved down: {Bass} {Keys}.
            list.UnselectAll();
            list.SetItemState(RowOf(list, 2, "Keys"), LVIS_SELECTED, LVIS_SELECTED);
            wxCommandEvent down(wxEVT_MENU, WxId(ID_PAGE_MOVE_DOWN));
            roster.GetEventHandler()->ProcessEvent(down);
            EXPECT_EQ(list.GetItemText(0, 2), "Bass");
            EXPECT_EQ(list.GetItemText(0, 0), "1");
            EXPECT_EQ(list.GetItemText(1, 2), "Keys");
            EXPECT_EQ(list.GetItemText(1, 0), "2");
            Choose(roster, IDC_ROSTER_RANGE);
            Type(roster, IDC_ROSTER_MIN_VALUE, "1");
            Type(roster, IDC_ROSTER_MAX_VALUE, "2");
            ShowAWhile("participant-roster");
            Press(s, wxID_OK);
        });
    ASSERT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().sText;
    const Participant& saved = sheet.GetParticipant();
    EXPECT_FALSE(saved.GetByRole());
    const RosterStyleArray& styles = saved.GetOwnRosterStyles();
    ASSERT_EQ(styles.GetSize(), 2);
    EXPECT_EQ(styles[0].lStyleKey, event.StyleKey("Bass"));
    EXPECT_EQ(styles[0].lOrder, 1);
    EXPECT_EQ(styles[1].lStyleKey, event.StyleKey("Keys"));
    EXPECT_EQ(styles[1].lOrder, 2);
    EXPECT_EQ(saved.GetOwnRosterLim(), SchedLim(SchedLim::e_range, 0, 1, 2));
    const TimeList& times = saved.GetUnavailable();
    EXPECT_NE(times.FindDayTimes(DayId(0)), nullptr);
    EXPECT_EQ(times.FindDayTimes(DayId(1)), nullptr);
    EXPECT_NE(times.FindDayTimes(DayId(2)), nullptr);
}

TEST_F(PagesWxTest, ParticipantStylesSavedIntoTheUsualRole)
{
    const LONG l_role = Doc().AddParticipantRole("Strings");
    Participant& ann = event.GetParticipant("Ann Lee");
    ann.SetUsualRoleKey(l_role);
    ParticipantPSheet sheet(&Doc(), nullptr);
    sheet.GetParticipant() = ann;
    boxes.Answer(IDYES);
    RunModal<ParticipantPSheet>(
        sheet, [](ParticipantPSheet& s) { return s.ShowModal(); },
        [&](ParticipantPSheet& s) {
            ParticipantRosterPPage& roster = s.GetRosterPage();
            ShowPage(s, &roster);
            auto* p_save = Find<wxButton>(roster, IDC_ROSTER_SAVE_ROLE);
            ASSERT_TRUE(p_save->IsShown());
            EXPECT_EQ(p_save->GetLabel(), "&Add");
            EXPECT_FALSE(p_save->IsEnabled());
            ZelCheckListCtrl& list = *roster.GetList();
            ASSERT_TRUE(list.Toggle(RowOf(list, 2, "Drums"), 1));
            EXPECT_TRUE(p_save->IsEnabled());
            ShowAWhile("participant-roster-role");
            Press(roster, IDC_ROSTER_SAVE_ROLE);
            // The role has the style now, and the page follows it.
            EXPECT_TRUE(Checked(roster, IDC_ROSTER_BY_ROLE));
            EXPECT_TRUE(Enabled(roster, IDC_ROSTER_ROLE));
            auto* p_roles = Find<wxChoice>(roster, IDC_ROSTER_ROLE);
            EXPECT_EQ(p_roles->GetStringSelection(), "Strings");
            Press(s, wxID_OK);
        });
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("role 'Strings'"), std::string::npos);
    const ParticipantRole& role = Doc().GetParticipantRoles()[Doc().GetParticipantRoles().FindByKey(l_role)];
    ASSERT_EQ(role.GetRosterStyles().GetSize(), 1);
    EXPECT_EQ(role.GetRosterStyles()[0].lStyleKey, event.StyleKey("Drums"));
    EXPECT_TRUE(sheet.GetParticipant().GetByRole());
    EXPECT_EQ(sheet.GetParticipant().GetRosterRoleKey(), l_role);
}

// A sheet over the defaults of new groups and participants, as the
// preferences hold them.
class DefaultsSheet : public EditingPSheet, public IGroupPageHost, public ParticipantPageHost {
public:
    explicit DefaultsSheet(EventDoc* p_doc) : EditingPSheet(nullptr, "Preferences")
    {
        pAlloc = new GroupAllocPPage(GetBookCtrl(), p_doc, FALSE);
        pRoster = new ParticipantRosterPPage(GetBookCtrl(), p_doc, TRUE);
        AddPage(pAlloc);
        AddPage(pRoster);
        pAlloc->LoadPage(DefaultGroup);
        pRoster->LoadPage(DefaultParticipant);
    }
    Group& GetWorkingGroup() override { return DefaultGroup; }
    BOOL ChecksEventDays() const override { return FALSE; }
    Participant& GetPageParticipant() override { return DefaultParticipant; }
    BOOL IsInteractive() const override { return FALSE; }

    Group DefaultGroup;
    Participant DefaultParticipant;
    GroupAllocPPage* pAlloc;
    ParticipantRosterPPage* pRoster;
};

TEST_F(PagesWxTest, DefaultsShowNoDefaultButtonsAndOnlyTheRosterLimit)
{
    DefaultsSheet sheet(&Doc());
    RunModal<DefaultsSheet>(
        sheet, [](DefaultsSheet& s) { return s.ShowModal(); },
        [&](DefaultsSheet& s) {
            GroupAllocPPage& alloc = *s.pAlloc;
            EXPECT_FALSE(alloc.FindWindow(IDC_ALLOC_DEFAULT_ALL)->IsShown());
            EXPECT_FALSE(alloc.FindWindow(IDC_ALLOC_DEFAULT_SEL)->IsShown());
            SelectItems(*alloc.GetTree(), {"Barn"});
            Choose(alloc, IDC_ALLOC_RANGE);
            Type(alloc, IDC_ALLOC_MIN_VALUE, "2");
            ShowAWhile("defaults-alloc");

            ParticipantRosterPPage& roster = *s.pRoster;
            ShowPage(s, &roster);
            for (int i_id : {IDC_ROSTER_STYLES, IDC_ROSTER_ROLE, IDC_ROSTER_BY_ROLE, IDC_ROSTER_BY_STYLE,
                             IDC_ROSTER_DEFAULT, IDC_ROSTER_SAVE_ROLE})
                EXPECT_FALSE(roster.FindWindow(i_id)->IsShown()) << i_id;
            EXPECT_TRUE(roster.FindWindow(IDC_ROSTER_LIMIT_BOX)->IsShown());
            EXPECT_TRUE(Enabled(roster, IDC_ROSTER_EXACT));
            Choose(roster, IDC_ROSTER_EXACT);
            Type(roster, IDC_ROSTER_EXACT_VALUE, "2");
            // Out of range is refused when the page is left.
            Type(roster, IDC_ROSTER_EXACT_VALUE, "10000");
            EXPECT_FALSE(roster.TransferDataFromWindow());
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, "Please enter an integer between 0 and 9999.");
            Type(roster, IDC_ROSTER_EXACT_VALUE, "2");
            ShowAWhile("defaults-roster");
            ShowPage(s, &alloc);
        });
    const VenueAllocArray& a_allocs = sheet.DefaultGroup.GetVenueAllocs();
    ASSERT_EQ(a_allocs.GetSize(), 1);
    EXPECT_EQ(a_allocs[0].Alloc.uType, (UINT)SchedLim::e_range);
    EXPECT_EQ(a_allocs[0].Alloc.uMin, 2u);
    EXPECT_EQ(sheet.DefaultParticipant.GetOwnRosterLim(), SchedLim(SchedLim::e_exact, 2, 1, 1));
}

TEST_F(PagesWxTest, KeyboardSelectionInTheAllocationTreeAppliesLikeTheMouse)
{
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 4, "Define group");
    sheet.GetWorkingGroup() = event.GetGroup("Band");
    RunModal<GroupPSheet>(
        sheet, [](GroupPSheet& s) { return s.DoModal(); },
        [&](GroupPSheet& s) {
            GroupAllocPPage& alloc = *s.GetAllocPage();
            ShowPage(s, &alloc);
            ZelTreeCtrl& tree = *alloc.GetTree();
            SelectItems(tree, {"Barn"});
            Choose(alloc, IDC_ALLOC_EXACT);
            Type(alloc, IDC_ALLOC_EXACT_VALUE, "3");
            tree.SetFocus();
            wxYield();
            wxUIActionSimulator sim;
            const auto f_key = [&sim](int i_key) {
                sim.Char(i_key);
                for (int i = 0; i < 20; ++i) {
                    wxYield();
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            };
            // Down to Hall, which has no requirement; up again to Barn.
            f_key(WXK_DOWN);
            EXPECT_TRUE(Checked(alloc, IDC_ALLOC_NONE));
            f_key(WXK_UP);
            EXPECT_TRUE(Checked(alloc, IDC_ALLOC_EXACT));
            EXPECT_EQ(Find<wxTextCtrl>(alloc, IDC_ALLOC_EXACT_VALUE)->GetValue(), "3");
            Press(s, wxID_OK);
        });
    const VenueAllocArray& a_allocs = sheet.GetWorkingGroup().GetVenueAllocs();
    ASSERT_EQ(a_allocs.GetSize(), 1);
    EXPECT_EQ(a_allocs[0].lVenueKey, event.VenueKey("Barn"));
    EXPECT_EQ(a_allocs[0].Alloc.uValue, 3u);
}

TEST_F(PagesWxTest, RosterSettingsThatFailAreAskedAboutWhenThePageIsLeft)
{
    ParticipantPSheet sheet(&Doc(), nullptr, 3);
    sheet.GetParticipant() = event.GetParticipant("Ann Lee");
    boxes.Answer(IDNO);
    const int i_result = RunModal<ParticipantPSheet>(
        sheet, [](ParticipantPSheet& s) { return s.ShowModal(); },
        [&](ParticipantPSheet& s) {
            ParticipantRosterPPage& roster = s.GetRosterPage();
            ShowPage(s, &roster);
            ZelCheckListCtrl& list = *roster.GetList();
            ASSERT_TRUE(list.Toggle(RowOf(list, 2, "Bass"), 1));
            Choose(roster, IDC_ROSTER_EXACT);
            Type(roster, IDC_ROSTER_EXACT_VALUE, "3");
            // Left with No: the edits stay, and OK refuses them.
            ShowPage(s, &s.GetAvailPage());
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_NE(boxes.Boxes()[0].sText.find("The roster exact limit is greater than the number of styles"),
                      std::string::npos);
            EXPECT_NE(boxes.Boxes()[0].sText.find("Do you want to discard your changes?"), std::string::npos);
            Press(s, wxID_OK);
            EXPECT_TRUE(s.IsModal());
            ASSERT_GE(boxes.Boxes().size(), 2u);
            EXPECT_EQ(boxes.Boxes().back().sText.rfind("Your settings are not valid.", 0), 0u);
            Press(s, wxID_CANCEL);
        });
    EXPECT_EQ(i_result, wxID_CANCEL);
}

TEST(PagesSize, AllocatesAmongFiveHundredVenuesWithTwentyThousandParticipants)
{
    EventBuilder event;
    EventDoc& doc = event.Doc();
    event.Group("Band");
    for (int i = 0; i < 500; ++i)
        event.Venue("Venue " + std::to_string(1000 - i));
    for (int i = 0; i < 20000; ++i) {
        Participant participant;
        participant.SetName("First" + std::to_string(i), "", "Last" + std::to_string(i));
        doc.GetParticipants().Add(participant);
    }
    ScriptedMessageBox boxes;
    GroupPSheet sheet(&doc, 5, 5, nullptr, 4, "Define group");
    sheet.GetWorkingGroup() = event.GetGroup("Band");
    RunModal<GroupPSheet>(
        sheet, [](GroupPSheet& s) { return s.DoModal(); },
        [&](GroupPSheet& s) {
            GroupAllocPPage& alloc = *s.GetAllocPage();
            ShowPage(s, &alloc);
            ZelTreeCtrl& tree = *alloc.GetTree();
            wxTreeItemIdValue cookie;
            const wxTreeItemId id_root = tree.GetFirstChild(tree.GetRootItem(), cookie);
            ASSERT_EQ(tree.GetChildrenCount(id_root, false), 500u);
            ZelNMTreeView nm;
            ZelSendNotify(&tree, TVN_SELCHANGING, &nm);
            for (wxTreeItemId id = tree.GetFirstChild(id_root, cookie); id.IsOk(); id = tree.GetNextChild(id_root, cookie))
                tree.SelectItemEx(ZelTreeCtrl::Handle(id), TRUE);
            ZelSendNotify(&tree, TVN_SELCHANGED, &nm);
            Choose(alloc, IDC_ALLOC_RANGE);
            Type(alloc, IDC_ALLOC_MAX_VALUE, "2");
            Press(s, wxID_OK);
        });
    EXPECT_EQ(sheet.GetWorkingGroup().GetVenueAllocs().GetSize(), 500);
}

} // namespace
