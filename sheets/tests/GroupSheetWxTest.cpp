// The group sheet on a display, opened directly over a small event and
// driven by control ids: adding a group (name, contact, a new style, two
// members), changing groups over a walk of two, the checks that keep the
// sheet open, Undo, and the placement a second sheet takes over.
//
// With ROTAVEX_SHOW_PAGE set to a tab's index (and ROTAVEX_SHOW_SECONDS),
// the ShowPage test keeps that tab on screen, for screenshots.
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"
#include "sheets/GroupMembPPage.h"
#include "sheets/GroupPSheet.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/GroupStyleFacilityPPage.h"
#include "sheets/tests/TabStripCheck.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

void Pump()
{
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
}

void Press(wxWindow& sheet, int i_id)
{
    wxWindow* p_button = sheet.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

wxTextCtrl& Box(wxWindow& sheet, int i_id)
{
    auto* p_box = wxDynamicCast(sheet.FindWindow(i_id), wxTextCtrl);
    EXPECT_NE(p_box, nullptr) << i_id;
    return *p_box;
}

// Types into a box: the change reaches the page as typing does.
void Type(wxWindow& sheet, int i_id, const wxString& s_text) { Box(sheet, i_id).SetValue(s_text); }

// Chooses the tab as a click on it does: the page being left is asked
// first, and may keep its tab.
void ChooseTab(GroupPSheet& sheet, wxWindow* p_page)
{
    wxBookCtrlBase* p_book = sheet.GetBookCtrl();
    const int i_to = p_book->FindPage(p_page);
    ASSERT_GE(i_to, 0);
    const int i_from = p_book->GetSelection();
    wxBookCtrlEvent changing(wxEVT_NOTEBOOK_PAGE_CHANGING, p_book->GetId(), i_to, i_from);
    changing.SetEventObject(p_book);
    p_book->GetEventHandler()->ProcessEvent(changing);
    if (!changing.IsAllowed())
        return;
    p_book->ChangeSelection(static_cast<size_t>(i_to));
    wxBookCtrlEvent changed(wxEVT_NOTEBOOK_PAGE_CHANGED, p_book->GetId(), i_to, i_from);
    changed.SetEventObject(p_book);
    p_book->GetEventHandler()->ProcessEvent(changed);
    Pump();
}

// The command of a page toolbar's tool, as a click on it sends it.
void ClickTool(ExPropertyPage& page, int i_owner, int i_command)
{
    for (const auto& def : page.GetToolBars()) {
        if (def.iOwnerId != i_owner)
            continue;
        wxCommandEvent click(wxEVT_MENU, WxId(static_cast<UINT>(i_command)));
        click.SetEventObject(def.pToolBar);
        page.GetEventHandler()->ProcessEvent(click);
        return;
    }
    ADD_FAILURE() << "no toolbar for " << i_owner;
}

void SelectRowsNamed(ZelListModel& list, std::initializer_list<std::string> a_names)
{
    list.UnselectAll();
    for (const std::string& s_name : a_names) {
        for (int i = 0; i < list.GetItemCount(); ++i) {
            if (list.GetItemText(i, 0) == s_name)
                list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        }
    }
}

int RunModal(GroupPSheet& sheet, const std::function<void(GroupPSheet&)>& f_drive)
{
    wxTheApp->CallAfter([&sheet, f_drive] {
        Pump();
        f_drive(sheet);
        // A drive that failed half way still ends the sheet.
        if (sheet.IsModal())
            sheet.EndModal(wxID_ABORT);
    });
    return sheet.DoModal();
}

struct GroupSheetWxTest : ::testing::Test {
    testevent::EventBuilder event;
    ScriptedMessageBox Boxes;

    GroupSheetWxTest()
    {
        GroupPSheet::ForgetPosition();
        EventDoc& doc = event.Doc();
        const LONG l_alto = doc.AddParticipantRole("Alto");
        event.Days({"Mon", "Tue"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00"})
            .Venue("Hall")
            .Style("Jazz")
            .Style("Folk")
            .Facility("Piano")
            .Participant("Ann Lee", [l_alto](Participant& p) { p.SetUsualRoleKey(l_alto); })
            .Participant("Bob Ray")
            .Participant("Cat Day")
            .Group("Choir")
            .Group("Band")
            .Member("Band", "Bob Ray", "Drums");
    }
    EventDoc& Doc() { return event.Doc(); }
};

TEST_F(GroupSheetWxTest, AddAGroup)
{
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    // As the group pane does: the new group takes its key, and the sheet
    // edits a copy of it (a sheet's own copy takes none).
    sheet.GetWorkingGroup() = Group();
    sheet.GetWorkingGroup().ApplyDefaults(Doc().GetPreferences());
    sheet.SetItemPosition(0, 1);
    const int i_result = RunModal(sheet, [this](GroupPSheet& s) {
        // The tabs, Members last.
        wxBookCtrlBase* p_book = s.GetBookCtrl();
        ASSERT_EQ(p_book->GetPageCount(), 8u);
        EXPECT_EQ(p_book->GetPageText(2), "Limits");
        EXPECT_EQ(p_book->GetPageText(7), "Members");
        EXPECT_EQ(s.GetTitle(), "Define group");

        Type(s, IDC_GROUP_NAME, "Youth choir");
        EXPECT_EQ(s.GetTitle(), "Define group - Youth choir");
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
        Type(s, IDC_GROUP_CONTACT, "Dan Fox");

        // A new style, checked for the group at once.
        GroupStyleFacilityPPage& styles = *s.GetStyleFacilityPage();
        ChooseTab(s, &styles);
        ZelEditListCtrl& list = styles.GetList(StyleFacilityRules::e_styles);
        // A click on a check box marks the style and enables Undo.
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        ASSERT_TRUE(list.Toggle(list.Find(1, "Jazz", -1), 0));
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
        ClickTool(styles, IDC_STYLE_LIST, ID_PAGE_NEW);
        ASSERT_TRUE(list.IsEditing());
        auto* p_editor = wxDynamicCast(list.GetEditor(), wxTextCtrl);
        ASSERT_NE(p_editor, nullptr);
        // While a name is typed, Delete is the editor's, not the tool's.
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_DELETE;
        key.SetEventObject(p_editor);
        styles.GetEventHandler()->ProcessEvent(key);
        EXPECT_TRUE(Boxes.Boxes().empty());
        EXPECT_TRUE(list.IsEditing());
        p_editor->SetValue("Blues");
        EXPECT_TRUE(list.EndEdit());
        Pump();
        EXPECT_GE(Doc().GetStyles().FindByName("Blues"), 0);
        const int i_row = list.Find(1, "Blues", -1);
        ASSERT_GE(i_row, 0);
        EXPECT_EQ(list.GetCheckState(i_row, 0), ZelCheckListLayer::stateChecked);

        // Two members: Ann with her usual role, Cat with none.
        GroupMembPPage& members = *s.GetMembersPage();
        ChooseTab(s, &members);
        SelectRowsNamed(members.GetParticipantsList(), {"Ann Lee", "Cat Day"});
        Press(s, IDC_GROUP_MEMBER_ADD);
        EXPECT_EQ(members.GetMembersList().GetItemCount(), 2);
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
        ShowAWhile();
        Press(s, wxID_OK);
    });
    ASSERT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes().front().sText;

    // The caller hands the working group to the event.
    ASSERT_EQ(Doc().GetGroups().AddGroup(sheet.GetWorkingGroup()), GroupList::added);
    Doc().DocChanged(1);
    const Group& added = Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Youth choir"));
    EXPECT_EQ(added.GetContact().GetName(), "Dan Fox");
    const StyleList& a_styles = Doc().GetStyles();
    EXPECT_GE(added.GetStyles().Find(a_styles.GetAt(a_styles.FindByName("Blues")).GetKey()), 0);
    EXPECT_GE(added.GetStyles().Find(a_styles.GetAt(a_styles.FindByName("Jazz")).GetKey()), 0);
    EXPECT_EQ(added.GetStyles().GetCount(), 2);
    ASSERT_EQ(added.GetMembers().GetSize(), 2);
    const ParticipantList& people = Doc().GetParticipants();
    EXPECT_EQ(added.GetMembers()[0].lParticipantKey, people.GetAt(people.FindByName("Ann Lee")).GetKey());
    EXPECT_EQ(added.GetMembers()[0].sRole, "Alto");
    EXPECT_EQ(added.GetMembers()[1].sRole, "");
}

TEST_F(GroupSheetWxTest, ChangeGroupsOverAWalk)
{
    // The group view's walk: the first of two, Next; the second, Previous.
    struct Step {
        int iItem;
        std::function<void(GroupPSheet&)> fEdit;
        int iPress;
    };
    const Step a_steps[] = {
        {0,
         [](GroupPSheet& s) {
             ChooseTab(s, s.GetNotesPage());
             Type(s, IDC_GROUP_NOTES, "Bring music\nand stands");
         },
         IDC_SHEET_NEXT},
        {1,
         [](GroupPSheet& s) {
             ChooseTab(s, s.GetRosterPage());
             Type(s, IDC_GROUP_MAX_SIZE, "12");
             // Default copies the preference's size.
             Press(s, IDC_GROUP_MAX_SIZE_DEFAULT);
             EXPECT_EQ(Box(s, IDC_GROUP_MAX_SIZE).GetValue(), "99999");
             Type(s, IDC_GROUP_MAX_SIZE, "12");
             // Move up leaves Undo as it was.
             GroupMembPPage& members = *s.GetMembersPage();
             ChooseTab(s, &members);
             EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
             members.GetMembersList().SelectItem(0);
             ClickTool(members, IDC_GROUP_MEMBERS, ID_PAGE_MOVE_UP);
             EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
             // A role typed in place.
             ZelEditListCtrl& list = members.GetMembersList();
             list.BeginEdit(0, 1);
             auto* p_editor = wxDynamicCast(list.GetEditor(), wxTextCtrl);
             ASSERT_NE(p_editor, nullptr);
             p_editor->SetValue("Percussion");
             EXPECT_TRUE(list.EndEdit());
         },
         IDC_SHEET_PREVIOUS},
    };
    for (const Step& step : a_steps) {
        GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
        sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(step.iItem);
        sheet.SetItemPosition(step.iItem, 2);
        const int i_result = RunModal(sheet, [&step](GroupPSheet& s) {
            step.fEdit(s);
            Press(s, step.iPress);
        });
        ASSERT_EQ(i_result, step.iPress);
        Doc().GetGroups().GetAt(step.iItem) = sheet.GetWorkingGroup();
        Doc().DocChanged(1);
    }
    EXPECT_TRUE(Boxes.Boxes().empty());
    EXPECT_EQ(Doc().GetGroups().GetAt(0).GetNotes(), "Bring music\nand stands");
    EXPECT_EQ(Doc().GetGroups().GetAt(1).GetMaxGroupSize(), 12);
    ASSERT_EQ(Doc().GetGroups().GetAt(1).GetMembers().GetSize(), 1);
    EXPECT_EQ(Doc().GetGroups().GetAt(1).GetMembers()[0].sRole, "Percussion");
}

TEST_F(GroupSheetWxTest, ChecksKeepTheSheetOpen)
{
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(0);
    sheet.GetWorkingGroup().SetDayLimits(SchedLim(SchedLim::e_range, 0, 5, 2));
    const int i_result = RunModal(sheet, [this](GroupPSheet& s) {
        // A name of blanks: 1065, the page stays.
        Type(s, IDC_GROUP_NAME, "   ");
        Press(s, wxID_OK);
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_EQ(Boxes.Boxes()[0].sText, "You must provide a name for the group.");
        EXPECT_TRUE(s.IsShown());

        // Limits that fail: the group keeps the sheet open.
        Type(s, IDC_GROUP_NAME, "Choir");
        Boxes.Clear();
        Press(s, wxID_OK);
        ASSERT_FALSE(Boxes.Boxes().empty());
        EXPECT_EQ(Boxes.Boxes().back().sText.rfind("Your settings are not valid.  ", 0), 0u);
        EXPECT_TRUE(s.IsShown());

        // A changed page whose group fails, left by a click on another
        // tab: Yes discards the edits and the tab clicked opens, with
        // nothing to undo; back on the page, it shows the values it had.
        // No keeps the edits and lets the page go.
        Boxes.Clear();
        Boxes.Answer(IDNO);
        ChooseTab(s, s.GetNotesPage());
        ASSERT_EQ(s.GetBookCtrl()->GetCurrentPage(), s.GetNotesPage());
        Type(s, IDC_GROUP_NOTES, "Bring music");
        Boxes.Clear();
        Boxes.Answer(IDYES);
        ChooseTab(s, s.GetRosterPage());
        Pump();
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_NE(Boxes.Boxes()[0].sText.find("Do you want to discard your changes?"), std::string::npos);
        EXPECT_EQ(s.GetBookCtrl()->GetCurrentPage(), s.GetRosterPage());
        EXPECT_EQ(s.GetActivePageIndex(), s.GetBookCtrl()->FindPage(s.GetRosterPage()));
        EXPECT_EQ(s.GetWorkingGroup().GetNotes(), "");
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        EXPECT_EQ(Box(s, IDC_GROUP_NOTES).GetValue(), "") << "the page left shows what it came back to";
        // The group still fails its day limits: the unchanged roster page
        // says so and lets the user go.
        Boxes.Clear();
        ChooseTab(s, s.GetNotesPage());
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_EQ(Boxes.Boxes()[0].sText.find("Do you want to discard"), std::string::npos);
        ASSERT_EQ(s.GetBookCtrl()->GetCurrentPage(), s.GetNotesPage());
        EXPECT_EQ(Box(s, IDC_GROUP_NOTES).GetValue(), "");
        Type(s, IDC_GROUP_NOTES, "Bring music");
        Boxes.Answer(IDNO);
        ChooseTab(s, s.GetRosterPage());
        EXPECT_EQ(s.GetBookCtrl()->GetCurrentPage(), s.GetRosterPage());
        EXPECT_EQ(s.GetWorkingGroup().GetNotes(), "Bring music");

        // A size that is no number, and one out of range: the page stays.
        s.GetWorkingGroup().SetDayLimits(SchedLim());
        for (const char* p_text : {"many", "100000"}) {
            Boxes.Clear();
            Type(s, IDC_GROUP_MAX_SIZE, p_text);
            ChooseTab(s, s.GetNotesPage());
            ASSERT_EQ(Boxes.Boxes().size(), 1u) << p_text;
            EXPECT_EQ(Boxes.Boxes()[0].sText, "Please enter an integer between 0 and 99999.");
            EXPECT_EQ(s.GetBookCtrl()->GetCurrentPage(), s.GetRosterPage());
        }
        // Undo brings back the group's size.
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
        Press(s, IDC_SHEET_UNDO);
        EXPECT_EQ(Box(s, IDC_GROUP_MAX_SIZE).GetValue(), "99999");
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        Press(s, wxID_CANCEL);
    });
    EXPECT_EQ(i_result, wxID_CANCEL);
}

// Ticking a style as the user does, with the mouse on the tab and on the
// check box, and with the space bar: each tick enables Undo, and Undo
// takes the ticks back. A new style is named by typing after New.
TEST_F(GroupSheetWxTest, TicksAndNewStylesMadeWithMouseAndKeysCanBeUndone)
{
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(0);
    sheet.SetItemPosition(0, 1);
    const int i_result = RunModal(sheet, [this](GroupPSheet& s) {
        GroupStyleFacilityPPage& styles = *s.GetStyleFacilityPage();
        wxUIActionSimulator sim;
        auto settle = [] {
            for (int i = 0; i < 20; ++i) {
                wxTheApp->Yield(true);
                wxMilliSleep(10);
            }
        };
        auto click_at = [&](wxWindow& window, const wxPoint& pt) {
            const wxPoint pt_screen = window.ClientToScreen(pt);
            sim.MouseMove(pt_screen.x, pt_screen.y);
            settle();
            sim.MouseClick();
            settle();
        };
        auto* p_tabs = wxDynamicCast(s.GetBookCtrl(), wxNotebook);
        ASSERT_NE(p_tabs, nullptr);
        const int i_tab = p_tabs->FindPage(&styles);
        for (int x = 5; x < p_tabs->GetClientSize().x && p_tabs->GetSelection() != i_tab; x += 5) {
            long l_flags = 0;
            if (p_tabs->HitTest(wxPoint(x, 10), &l_flags) == i_tab)
                click_at(*p_tabs, wxPoint(x, 10));
        }
        ASSERT_EQ(p_tabs->GetCurrentPage(), &styles);
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());

        ZelEditListCtrl& list = styles.GetList(StyleFacilityRules::e_styles);
        // Both columns have empty headings: the lists show no header strip,
        // and so no sort arrow.
        for (StyleFacilityRules::Kind e_list : {StyleFacilityRules::e_styles, StyleFacilityRules::e_facilities}) {
            ZelEditListCtrl& shown = styles.GetList(e_list);
            ASSERT_NE(shown.GetHeaderCtrl(), nullptr);
            EXPECT_FALSE(shown.GetHeaderCtrl()->IsShown()) << e_list;
        }
        const int i_folk = list.Find(1, "Folk", -1);
        ASSERT_GE(i_folk, 0);
        const wxRect rc_row = list.GetRowRect(i_folk);
        click_at(list, wxPoint(list.GetColumnLeft(0) + list.GetColumnWidth(0) / 2, rc_row.y + rc_row.height / 2));
        EXPECT_EQ(list.GetCheckState(i_folk, 0), ZelCheckListLayer::stateChecked);
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled()) << "a tick with the mouse";
        Press(s, IDC_SHEET_UNDO);
        EXPECT_EQ(list.GetCheckState(i_folk, 0), ZelCheckListLayer::stateUnchecked);
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());

        list.SetFocus();
        list.SetFocusItem(i_folk);
        settle();
        sim.Char(WXK_SPACE);
        settle();
        EXPECT_EQ(list.GetCheckState(i_folk, 0), ZelCheckListLayer::stateChecked);
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled()) << "a tick with the space bar";

        Press(s, IDC_SHEET_UNDO);
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());

        // New, clicked on the list's toolbar: the name typed next goes into
        // the new, ticked row (Delete is the editor's, not the tool's), and
        // Undo can take the tick back.
        wxToolBar* p_bar = nullptr;
        for (const auto& def : styles.GetToolBars())
            if (def.iOwnerId == IDC_STYLE_LIST)
                p_bar = def.pToolBar;
        ASSERT_NE(p_bar, nullptr);
        // New is the first of the bar's two tools.
        ASSERT_EQ(p_bar->GetToolPos(WxId(ID_PAGE_NEW)), 0);
        ASSERT_EQ(p_bar->GetToolsCount(), 2u);
        click_at(*p_bar, wxPoint(p_bar->GetClientSize().x / 4, p_bar->GetClientSize().y / 2));
        ASSERT_TRUE(list.IsEditing());
        sim.Text("Blues");
        settle();
        sim.Char(WXK_DELETE);
        settle();
        EXPECT_TRUE(list.IsEditing());
        EXPECT_TRUE(Boxes.Boxes().empty());
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        sim.Char(WXK_RETURN);
        settle();
        EXPECT_FALSE(list.IsEditing());
        EXPECT_GE(Doc().GetStyles().FindByName("Blues"), 0);
        const int i_blues = list.Find(1, "Blues", -1);
        ASSERT_GE(i_blues, 0);
        EXPECT_EQ(list.GetCheckState(i_blues, 0), ZelCheckListLayer::stateChecked);
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled()) << "a new style";
        ShowAWhile();
        Press(s, wxID_OK);
    });
    ASSERT_EQ(i_result, wxID_OK);
    const StyleList& a_styles = Doc().GetStyles();
    const KeyList& a_keys = sheet.GetWorkingGroup().GetStyles();
    EXPECT_GE(a_keys.Find(a_styles.GetAt(a_styles.FindByName("Blues")).GetKey()), 0);
    EXPECT_LT(a_keys.Find(a_styles.GetAt(a_styles.FindByName("Folk")).GetKey()), 0);
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes().front().sText;
}

// A member's role typed in place on the keyboard lands in the role.
TEST_F(GroupSheetWxTest, ARoleTypedInPlaceReachesItsEditor)
{
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(Doc().GetGroups().FindByName("Band"));
    sheet.SetItemPosition(0, 1);
    const int i_result = RunModal(sheet, [](GroupPSheet& s) {
        GroupMembPPage& members = *s.GetMembersPage();
        ChooseTab(s, &members);
        ZelEditListCtrl& list = members.GetMembersList();
        list.BeginEdit(0, 1);
        ASSERT_TRUE(list.IsEditing());
        wxUIActionSimulator sim;
        auto settle = [] {
            for (int i = 0; i < 20; ++i) {
                wxTheApp->Yield(true);
                wxMilliSleep(10);
            }
        };
        settle();
        sim.Text("Bass");
        settle();
        sim.Char(WXK_RETURN);
        settle();
        EXPECT_FALSE(list.IsEditing());
        EXPECT_EQ(list.GetItemText(0, 1), "Bass");
        Press(s, wxID_OK);
    });
    ASSERT_EQ(i_result, wxID_OK);
    ASSERT_EQ(sheet.GetWorkingGroup().GetMembers().GetSize(), 1);
    EXPECT_EQ(sheet.GetWorkingGroup().GetMembers()[0].sRole, "Bass");
}

TEST_F(GroupSheetWxTest, ASecondSheetOpensWhereTheFirstWasLeft)
{
    wxRect rc_left;
    {
        GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
        sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(0);
        RunModal(sheet, [&rc_left](GroupPSheet& s) {
            const wxSize sz = s.GetSize();
            s.SetSize(sz.x + 60, sz.y + 40);
            Pump();
            rc_left = s.GetRect();
            Press(s, wxID_CANCEL);
        });
    }
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(1);
    RunModal(sheet, [&rc_left](GroupPSheet& s) {
        EXPECT_EQ(s.GetSize(), rc_left.GetSize());
        EXPECT_EQ(s.GetTitle(), "Define group - Band");
        Press(s, wxID_CANCEL);
    });
}

// The sheet opens wide enough to show its eight tabs side by side, and no
// wider than the screen's work area.
TEST_F(GroupSheetWxTest, OpensWithEveryTabShown)
{
    GroupPSheet::ForgetPosition();
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(1);
    RunModal(sheet, [](GroupPSheet& s) {
        Pump();
        ASSERT_EQ(s.GetBookCtrl()->GetPageCount(), 8u);
        EXPECT_EQ(TabsNotShownWhole(*s.GetBookCtrl()), std::vector<int>{});
        EXPECT_LE(s.GetSize().x, wxDisplay(0u).GetClientArea().GetWidth());
        Press(s, wxID_CANCEL);
    });
}

TEST_F(GroupSheetWxTest, ShowPage)
{
    const char* p_page = std::getenv("ROTAVEX_SHOW_PAGE");
    if (p_page == nullptr)
        GTEST_SKIP() << "for screenshots";
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = Doc().GetGroups().GetAt(1);
    sheet.GetWorkingGroup().GetStyles().Add(Doc().GetStyles().GetAt(1).GetKey());
    sheet.GetWorkingGroup().GetMembers().SetMember(Doc().GetParticipants().GetAt(0).GetKey(), "Alto", TRUE);
    sheet.SetItemPosition(1, 3);
    RunModal(sheet, [p_page](GroupPSheet& s) {
        ChooseTab(s, s.GetBookCtrl()->GetPage(static_cast<size_t>(std::atoi(p_page))));
        if (std::getenv("ROTAVEX_SHOW_NEW") != nullptr && s.GetBookCtrl()->GetCurrentPage() == s.GetStyleFacilityPage())
            ClickTool(*s.GetStyleFacilityPage(), IDC_STYLE_LIST, ID_PAGE_NEW);
        Pump();
        ShowAWhile();
        Press(s, wxID_CANCEL);
    });
}

} // namespace
