// The participant sheet on a display over a small event, driven by control
// ids: a participant added with a name, a role and limits; the name rule;
// venue limits edited together; and the sheet's speed over a large event.
//
// With ROTAVEX_SHOW_SECONDS set, each page stays on screen that long, for
// screenshots.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/tests/TabStripCheck.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

int RunModal(ParticipantPSheet& sheet, const std::function<void(ParticipantPSheet&)>& f_drive)
{
    wxTheApp->CallAfter([&sheet, f_drive] {
        f_drive(sheet);
        // A test that failed part way leaves the sheet all the same.
        if (sheet.IsModal())
            sheet.EndModal(wxID_CANCEL);
    });
    return sheet.ShowModal();
}

class ParticipantSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Venue("Tent").Venue("Hall").Venue("Barn").Participant("Bob Ray");
        event.Doc().AddParticipantRole("Usher");
    }

    testevent::EventBuilder event;
    ScriptedMessageBox boxes;
};

TEST_F(ParticipantSheetTest, AddsAParticipantWithNameRoleAndLimits)
{
    EventDoc& doc = event.Doc();
    ParticipantPSheet sheet(&doc, nullptr);
    sheet.GetParticipant().ApplyDefaults(doc.GetPreferences());
    std::string s_caption;
    const int i_result = RunModal(sheet, [&](ParticipantPSheet& s) {
        wxWindow& details = s.GetDetailsPage();
        EXPECT_EQ(s.GetTitle(), "Define participant");
        Type(details, IDC_PART_FIRST_NAME, "Ann");
        Type(details, IDC_PART_LAST_NAME, "Lee");
        s_caption = s.GetTitle().ToStdString();
        Type(details, IDC_PART_ROLE, "Soloist");
        Type(details, IDC_PART_PHONE, "555 0100");
        ShowAWhile("details");

        ShowPage(s, 1);
        ASSERT_EQ(s.GetBookCtrl()->GetSelection(), 1);
        wxWindow& limits = s.GetLimitsPage();
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        ASSERT_NE(p_tree, nullptr);
        SelectItems(*p_tree, {"Event"});
        EXPECT_TRUE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->GetValue());
        EXPECT_FALSE(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->IsEnabled());
        Choose(limits, IDC_LIMITS_RANGE);
        EXPECT_TRUE(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->IsEnabled());
        Type(limits, IDC_LIMITS_MAX_VALUE, "3");
        EXPECT_TRUE(s.GetUndoButton()->IsEnabled());
        // No exact or minimum boxes on a participant's page.
        EXPECT_EQ(limits.FindWindow(IDC_LIMITS_EXACT_VALUE), nullptr);
        EXPECT_EQ(limits.FindWindow(IDC_LIMITS_MIN_VALUE), nullptr);
        ShowAWhile("limits");

        ShowPage(s, 4);
        Type(s.GetNotesPage(), IDC_PART_NOTES, "Sings tenor");
        ShowAWhile("notes");
        Press(s, wxID_OK);
    });
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_EQ(s_caption, "Define participant - Ann Lee");
    const Participant& added = sheet.GetParticipant();
    EXPECT_EQ(added.GetFullName(), "Ann Lee");
    EXPECT_EQ(added.GetPhone(), "555 0100");
    EXPECT_EQ(added.GetUsualRoleName(&doc), "Soloist");
    EXPECT_EQ(added.GetEventLimits(), SchedLim(SchedLim::e_range, 0, 0, 3));
    EXPECT_EQ(added.GetNotes(), "Sings tenor");
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].sText;
}

// The sheet opens wide enough to show every tab, within the screen's work
// area.
TEST_F(ParticipantSheetTest, OpensWithEveryTabShown)
{
    ParticipantPSheet sheet(&event.Doc(), nullptr);
    RunModal(sheet, [](ParticipantPSheet& s) {
        for (int i = 0; i < 5; ++i)
            wxTheApp->Yield(true);
        EXPECT_GT(s.GetBookCtrl()->GetPageCount(), 1u);
        EXPECT_EQ(TabsNotShownWhole(*s.GetBookCtrl()), std::vector<int>{});
        EXPECT_LE(s.GetSize().x, wxDisplay(0u).GetClientArea().GetWidth());
        ShowAWhile("tabs");
        Press(s, wxID_CANCEL);
    });
}

TEST_F(ParticipantSheetTest, ANameIsNeededToLeaveDetails)
{
    EventDoc& doc = event.Doc();
    ParticipantPSheet sheet(&doc, nullptr);
    const int i_result = RunModal(sheet, [&](ParticipantPSheet& s) {
        Type(s.GetDetailsPage(), IDC_PART_OTHER_NAMES, "Marie");
        EXPECT_EQ(s.GetTitle(), "Define participant - Marie");
        ShowPage(s, 1);
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 0);
        Press(s, wxID_OK);
        EXPECT_TRUE(s.IsModal());
        ASSERT_EQ(boxes.Boxes().size(), 2u);
        EXPECT_EQ(boxes.Boxes()[1].sText, "You must provide a first name or a last name for the participant.");
        Press(s, wxID_CANCEL);
    });
    EXPECT_EQ(i_result, wxID_CANCEL);
}

TEST_F(ParticipantSheetTest, VenueLimitsEditedTogetherAndTheCheckOnLeaving)
{
    EventDoc& doc = event.Doc();
    ParticipantPSheet sheet(&doc, nullptr, 1);
    Participant& working = sheet.GetParticipant();
    working = event.GetParticipant("Bob Ray");
    VenueLimit hall(event.VenueKey("Hall"));
    hall.Limit = SchedLim(SchedLim::e_range, 0, 0, 4);
    working.GetVenueLimits().InsertSorted(hall);
    working.SetUseVenueLimits(TRUE);
    boxes.Answer(IDNO);
    RunModal(sheet, [&](ParticipantPSheet& s) {
        wxWindow& limits = s.GetLimitsPage();
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        ASSERT_NE(p_tree, nullptr);
        EXPECT_TRUE(Find<wxCheckBox>(limits, IDC_LIMITS_VENUE_CHECK)->GetValue());
        // "Event" cannot be edited while the venues have limits.
        SelectItems(*p_tree, {"Event"});
        EXPECT_FALSE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->IsEnabled());
        // Three venues with different limits: no button, empty boxes.
        SelectItems(*p_tree, {"Barn", "Hall", "Tent"});
        EXPECT_FALSE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->GetValue());
        EXPECT_FALSE(Find<wxRadioButton>(limits, IDC_LIMITS_RANGE)->GetValue());
        EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->GetValue(), "");
        ShowAWhile("mixed");
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MAX_VALUE, "2");
        // A day maximum below the venues' sum cannot be met: left with No
        // to the question, the page goes with its edits kept.
        SelectItems(*p_tree, {"Day"});
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MAX_VALUE, "100000");
        ShowPage(s, 2);
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 1);
        Type(limits, IDC_LIMITS_MAX_VALUE, "1");
        ShowPage(s, 0);
        Press(s, wxID_CANCEL);
    });
    const VenueLimitArray& a_limits = working.GetVenueLimits();
    ASSERT_EQ(a_limits.GetSize(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(a_limits[i].Limit, SchedLim(SchedLim::e_range, 0, 0, 2)) << i;
    EXPECT_EQ(working.GetDayLimits(), SchedLim(SchedLim::e_range, 0, 0, 1));
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes()[0].sText, "Please enter an integer between 0 and 99999.");
}

TEST_F(ParticipantSheetTest, KeyboardSelectionInTheTreeAppliesLikeTheMouse)
{
    EventDoc& doc = event.Doc();
    ParticipantPSheet sheet(&doc, nullptr, 1);
    sheet.GetParticipant() = event.GetParticipant("Bob Ray");
    RunModal(sheet, [&](ParticipantPSheet& s) {
        wxWindow& limits = s.GetLimitsPage();
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        ASSERT_NE(p_tree, nullptr);
        SelectItems(*p_tree, {"Event"});
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MAX_VALUE, "4");
        // Down moves to "Day", which shows its own limits.
        p_tree->SetFocus();
        wxYield();
        wxUIActionSimulator sim;
        sim.Char(WXK_DOWN);
        for (int i = 0; i < 20; ++i) {
            wxYield();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const auto v_selected = s.GetLimitsPage().GetPanel().SelectedData();
        ASSERT_EQ(v_selected, std::vector<DWORD>{kDayItemData});
        EXPECT_TRUE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->GetValue());
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MAX_VALUE, "1");
        sim.Char(WXK_UP);
        for (int i = 0; i < 20; ++i) {
            wxYield();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->GetValue(), "4");
        Press(s, wxID_OK);
    });
    EXPECT_EQ(sheet.GetParticipant().GetEventLimits(), SchedLim(SchedLim::e_range, 0, 0, 4));
    EXPECT_EQ(sheet.GetParticipant().GetDayLimits(), SchedLim(SchedLim::e_range, 0, 0, 1));
}

TEST_F(ParticipantSheetTest, YesToTheDiscardQuestionShowsTheLimitsBeforeTheEdit)
{
    // Bob's group needs him five times: a maximum of 1 cannot be kept.
    event.Group("Choir", [](Group& group) { group.SetEventLimits(SchedLim(SchedLim::e_exact, 5, 0, 0)); });
    event.Member("Choir", "Bob Ray");
    EventDoc& doc = event.Doc();
    ParticipantPSheet sheet(&doc, nullptr, 1);
    sheet.GetParticipant() = event.GetParticipant("Bob Ray");
    boxes.Answer(IDYES);
    RunModal(sheet, [&](ParticipantPSheet& s) {
        wxWindow& limits = s.GetLimitsPage();
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        ASSERT_NE(p_tree, nullptr);
        SelectItems(*p_tree, {"Event"});
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MAX_VALUE, "1");
        // Yes: the tab clicked opens, and the page left holds what the
        // participant had.
        ShowPage(s, 2);
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 2);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_NE(boxes.Boxes()[0].sText.find("Do you want to discard your changes?"), std::string::npos);
        for (int i = 0; i < 5; ++i)
            wxYield();
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 2);
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        ShowPage(s, 1);
        ASSERT_EQ(s.GetBookCtrl()->GetSelection(), 1);
        SelectItems(*p_tree, {"Event"});
        EXPECT_TRUE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->GetValue());
        Press(s, wxID_CANCEL);
    });
    EXPECT_EQ(sheet.GetParticipant().GetEventLimits(), SchedLim());
}

// A sheet of defaults, as the preferences hold them for new participants.
class DefaultsSheet : public EditingPSheet, public ParticipantPageHost {
public:
    explicit DefaultsSheet(EventDoc* p_doc) : EditingPSheet(nullptr, "Preferences")
    {
        pLimits = new ParticipantLimitsPPage(GetBookCtrl(), p_doc, FALSE, IDS_PARTICIPANT_LIMITS_DEFAULTS_DESC);
        AddPage(pLimits);
    }
    Participant& GetPageParticipant() override { return Defaults; }
    BOOL IsInteractive() const override { return FALSE; }

    Participant Defaults;
    ParticipantLimitsPPage* pLimits;
};

TEST_F(ParticipantSheetTest, DefaultsPageHasNoDefaultButtonsAndSpeaksOfDefaults)
{
    DefaultsSheet sheet(&event.Doc());
    wxTheApp->CallAfter([&] {
        wxWindow& limits = *sheet.pLimits;
        sheet.pLimits->ReloadPage();
        EXPECT_FALSE(limits.FindWindow(IDC_LIMITS_DEFAULT_SEL)->IsShown());
        EXPECT_FALSE(limits.FindWindow(IDC_LIMITS_DEFAULT_ALL)->IsShown());
        EXPECT_EQ(limits.FindWindow(IDC_LIMITS_HELP)->GetLabel().ToStdString().rfind(
                      "You can set limits to control the default maximum number", 0),
                  0u);
        ShowAWhile("defaults");
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        SelectItems(*p_tree, {"Day"});
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MAX_VALUE, "2");
        Press(sheet, wxID_OK);
        if (sheet.IsModal())
            sheet.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(sheet.ShowModal(), wxID_OK);
    EXPECT_EQ(sheet.Defaults.GetDayLimits(), SchedLim(SchedLim::e_range, 0, 0, 2));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(ParticipantSheetSize, WorksWithFiveHundredVenuesAndTwentyThousandParticipants)
{
    testevent::EventBuilder event;
    EventDoc& doc = event.Doc();
    for (int i = 0; i < 500; ++i)
        event.Venue("Venue " + std::to_string(1000 - i));
    for (int i = 0; i < 20000; ++i) {
        Participant participant;
        participant.SetName("First" + std::to_string(i), "", "Last" + std::to_string(i));
        doc.GetParticipants().Add(participant);
    }
    ScriptedMessageBox boxes;
    ParticipantPSheet sheet(&doc, nullptr, 1);
    sheet.GetParticipant() = doc.GetParticipants()[10000];
    RunModal(sheet, [&](ParticipantPSheet& s) {
        wxWindow& limits = s.GetLimitsPage();
        Tick(limits, IDC_LIMITS_VENUE_CHECK, true);
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        ASSERT_NE(p_tree, nullptr);
        wxTreeItemIdValue cookie;
        const wxTreeItemId id_event = p_tree->GetFirstChild(p_tree->GetRootItem(), cookie);
        EXPECT_EQ(p_tree->GetChildrenCount(id_event, false), 500u);
        // Off and on again: the venue items go and come back.
        Tick(limits, IDC_LIMITS_VENUE_CHECK, false);
        EXPECT_EQ(p_tree->GetChildrenCount(id_event, false), 0u);
        Tick(limits, IDC_LIMITS_VENUE_CHECK, true);
        EXPECT_EQ(p_tree->GetChildrenCount(id_event, false), 500u);
        Press(s, wxID_OK);
    });
    EXPECT_TRUE(sheet.GetParticipant().GetUseVenueLimits());
}

} // namespace
