// The preferences sheet on a display, run by the document's command and
// driven by control ids: a cancel leaves the preferences alone, the sheet
// reopens on the tab it was closed on, the minutes' range keeps the page,
// and OK hands the preferences to the document.
//
// With ROTAVEX_SHOW_SECONDS set, every tab stays on screen that long, for
// screenshots (ROTAVEX_SHOW_ONLY: "pref0" to "pref5", "pref-no" for the sheet
// kept open on invalid limits).
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"
#include "model/Preferences.h"
#include "sheets/AllocRules.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/LimitsRules.h"
#include "sheets/PrefPSheet.h"
#include "sheets/RosterPageRules.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestEnvironment.h"

#include <gtest/gtest.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

void WhenOpen(std::function<void(PrefPSheet&)> f_drive, int n_tries = 50)
{
    wxTheApp->CallAfter([f_drive, n_tries] {
        for (wxWindow* p_window : wxTopLevelWindows) {
            auto* p_sheet = dynamic_cast<PrefPSheet*>(p_window);
            if (p_sheet != nullptr && p_sheet->IsModal()) {
                Settle();
                f_drive(*p_sheet);
                return;
            }
        }
        ASSERT_GT(n_tries, 0) << "the sheet did not open";
        WhenOpen(f_drive, n_tries - 1);
    });
}

// The range two boxes of a page show, as "minimum/maximum".
std::string ShownRange(wxWindow& page, int i_min, int i_max)
{
    return std::string(Find<wxTextCtrl>(page, i_min)->GetValue().utf8_str()) + "/"
           + std::string(Find<wxTextCtrl>(page, i_max)->GetValue().utf8_str());
}

// A range typed into the minimum and maximum boxes of a limits page or a
// roster page.
void TypeLimits(wxWindow& page, const char* p_min, const char* p_max)
{
    Type(page, IDC_LIMITS_MIN_VALUE, p_min);
    Type(page, IDC_LIMITS_MAX_VALUE, p_max);
}

void TypeRosterRange(wxWindow& page, const char* p_min, const char* p_max)
{
    Type(page, IDC_ROSTER_MIN_VALUE, p_min);
    Type(page, IDC_ROSTER_MAX_VALUE, p_max);
}

std::string ShownLimits(wxWindow& page) { return ShownRange(page, IDC_LIMITS_MIN_VALUE, IDC_LIMITS_MAX_VALUE); }
std::string ShownRosterRange(wxWindow& page) { return ShownRange(page, IDC_ROSTER_MIN_VALUE, IDC_ROSTER_MAX_VALUE); }

// The Group Limits tab shown, with its tree of limits.
struct LimitsTab {
    wxWindow& page;
    ZelTreeCtrl* pTree;
};
LimitsTab ShowGroupLimits(PrefPSheet& sheet)
{
    ShowPage(sheet, 1);
    wxWindow& page = *sheet.GetBookCtrl()->GetPage(1);
    return {page, Find<ZelTreeCtrl>(page, IDC_LIMITS_TREE)};
}

// The Participant Rostering tab shown; nullptr when the sheet has none.
wxWindow* ShowParticipantRostering(PrefPSheet& sheet)
{
    wxBookCtrlBase& book = *sheet.GetBookCtrl();
    for (size_t i = 0; i < book.GetPageCount(); ++i) {
        if (book.GetPageText(i) == "Participant Rostering") {
            ShowPage(sheet, static_cast<int>(i));
            return book.GetPage(i);
        }
    }
    return nullptr;
}

// The preferences sheet installed as the program installs it, opening on
// its first tab, over an event of one day, one venue and one timeslot.
class PrefSheet : public ::testing::Test {
protected:
    PrefSheet()
    {
        InstallPreferencesSheet();
        PrefPSheet::SetLastPage(0);
        event.Days({"Mon"}).Venue("Hall").Slots(-1, {"09:00-10:00"});
    }

    // A style to roster by, and a default participant roster range of 1
    // to 3 held by the event.
    RosterLim HoldRosterRange()
    {
        event.Style("Bass");
        const RosterLim held(SchedLim(SchedLim::e_range, 0, 1, 3));
        doc.GetPreferences().GetPartRosterLim() = held;
        return held;
    }

    testevent::EventBuilder event;
    EventDoc& doc = event.Doc();
};

TEST_F(PrefSheet, ChangedCancelledReopenedOnTheSameTabAndTaken)
{
    doc.GetPreferences().SetSuppressedMessages(7);
    ScriptedMessageBox boxes;

    // Every tab, in order; the travel check cleared, then Close.
    std::vector<std::string> v_tabs;
    WhenOpen([&v_tabs](PrefPSheet& sheet) {
        EXPECT_EQ(std::string(sheet.GetTitle().utf8_str()), "Define preferences");
        for (size_t i = 0; i < sheet.GetBookCtrl()->GetPageCount(); ++i) {
            v_tabs.push_back(std::string(sheet.GetBookCtrl()->GetPageText(i).utf8_str()));
            ShowPage(sheet, static_cast<int>(i));
            Settle();
            ShowAWhile(("pref" + std::to_string(i)).c_str());
        }
        ShowPage(sheet, 0);
        Tick(sheet.GetGeneralPage(), IDC_PREF_TRAVEL, false);
        EXPECT_FALSE(sheet.GetGeneralPage().FindWindow(IDC_PREF_TRAVEL_MINUTES)->IsEnabled());
        ShowPage(sheet, 3);
        Press(sheet, wxID_CANCEL);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_EQ((std::vector<std::string>{"General", "Group Limits", "Group Allocations", "Group Rostering",
                                        "Participant Limits", "Participant Rostering"}),
              v_tabs);
    EXPECT_TRUE(doc.GetPreferences().GetAllowTravel());
    EXPECT_FALSE(doc.IsModified());

    // Reopened on the tab it was closed on; out-of-range minutes keep the
    // General page; then OK.
    int i_opened = -1;
    size_t n_boxes = 0;
    WhenOpen([&](PrefPSheet& sheet) {
        i_opened = sheet.GetBookCtrl()->GetSelection();
        ShowPage(sheet, 0);
        Type(sheet.GetGeneralPage(), IDC_PREF_TRAVEL_MINUTES, "0");
        Press(sheet, wxID_OK);
        Settle();
        n_boxes = boxes.Boxes().size();
        EXPECT_TRUE(sheet.IsModal());
        Type(sheet.GetGeneralPage(), IDC_PREF_TRAVEL_MINUTES, "40");
        Type(sheet.GetGeneralPage(), IDC_PREF_FONT_SIZE, "25");
        Press(sheet, wxID_OK);
        Settle();
        Type(sheet.GetGeneralPage(), IDC_PREF_FONT_SIZE, "10");
        Tick(sheet.GetGeneralPage(), IDC_PREF_REENABLE, true);
        Press(sheet, wxID_OK);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_EQ(3, i_opened);
    EXPECT_EQ(1u, n_boxes);
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ("Please enter an integer between 1 and 1440.", boxes.Boxes()[0].sText);
    EXPECT_EQ("Please enter an integer between 4 and 24.", boxes.Boxes()[1].sText);
    EXPECT_EQ(40u, doc.GetPreferences().GetTravelMinutes());
    EXPECT_EQ(10u, doc.GetPreferences().GetReportFontSize());
    EXPECT_EQ(0u, doc.GetPreferences().GetSuppressedMessages());
    EXPECT_EQ(0u, PrefPSheet::GetLastPage());
}

// Apply hands the preferences to the document while the sheet stays open
// on them (the general page's values as stored); Cancel afterwards keeps
// what Apply stored and drops only what came after it.
TEST_F(PrefSheet, ApplyStoresAndTheSheetStaysOpen)
{
    doc.GetPreferences().SetSuppressedMessages(7);
    ScriptedMessageBox boxes;
    bool b_open = false;
    UINT u_minutesWhileOpen = 0;
    UINT u_suppressedWhileOpen = 99;
    bool b_reenableShown = true;
    WhenOpen([&](PrefPSheet& sheet) {
        ShowPage(sheet, 0);
        Type(sheet.GetGeneralPage(), IDC_PREF_TRAVEL_MINUTES, "35");
        Tick(sheet.GetGeneralPage(), IDC_PREF_REENABLE, true);
        ShowPage(sheet, 3);
        Type(*sheet.GetBookCtrl()->GetPage(3), IDC_GROUP_MAX_SIZE, "12");
        Press(sheet, IDC_SHEET_APPLY_NOW);
        Settle();
        b_open = sheet.IsModal();
        u_minutesWhileOpen = doc.GetPreferences().GetTravelMinutes();
        u_suppressedWhileOpen = doc.GetPreferences().GetSuppressedMessages();
        ShowPage(sheet, 0);
        b_reenableShown = Find<wxCheckBox>(sheet.GetGeneralPage(), IDC_PREF_REENABLE)->GetValue();
        Type(sheet.GetGeneralPage(), IDC_PREF_TRAVEL_MINUTES, "50");
        Press(sheet, wxID_CANCEL);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_TRUE(b_open);
    EXPECT_EQ(35u, u_minutesWhileOpen);
    EXPECT_EQ(0u, u_suppressedWhileOpen);
    EXPECT_FALSE(b_reenableShown) << "the messages are enabled again: the box shows that done";
    EXPECT_EQ(35u, doc.GetPreferences().GetTravelMinutes());
    EXPECT_EQ(12, doc.GetPreferences().GetMaxGroupSize());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(boxes.Boxes().empty());
}

// Yes to the question whether to discard returns the page to the values
// the event holds, also when an Apply was refused before and the user
// kept the edits then: Group Limits, Event between 5 and 2, Apply, No;
// a click on another tab, Yes: that tab opens, and back on Group Limits
// the stored range shows again. A range Apply did store is what a later
// discard returns to.
TEST_F(PrefSheet, DiscardAfterARefusedApplyReturnsToTheStoredValues)
{
    doc.GetPreferences().GetGroupEventLimits() = SchedLim(SchedLim::e_range, 0, 1, 4);
    ScriptedMessageBox boxes;
    std::vector<std::string> v_shown;
    std::vector<bool> v_left;
    std::vector<bool> v_open;
    WhenOpen([&](PrefPSheet& sheet) {
        auto [limits, p_tree] = ShowGroupLimits(sheet);
        ASSERT_NE(p_tree, nullptr);
        SelectItems(*p_tree, {"Event"});
        TypeLimits(limits, "5", "2");
        boxes.Answer(IDNO);
        Press(sheet, IDC_SHEET_APPLY_NOW);
        Settle();
        v_open.push_back(sheet.IsModal());
        v_shown.push_back(ShownLimits(limits));
        ShowAWhile("pref-apply-no");
        boxes.Answer(IDYES);
        v_left.push_back(ShowPage(sheet, sheet.GetBookCtrl()->GetPage(4)));
        Settle();
        EXPECT_TRUE(ShowPage(sheet, &limits));
        SelectItems(*p_tree, {"Event"});
        v_shown.push_back(ShownLimits(limits));
        ShowAWhile("pref-discarded");

        // A range that holds is applied; a bad one after it is discarded
        // back to the applied one.
        TypeLimits(limits, "2", "6");
        Press(sheet, IDC_SHEET_APPLY_NOW);
        Settle();
        v_open.push_back(sheet.IsModal());
        TypeLimits(limits, "7", "3");
        boxes.Answer(IDYES);
        v_left.push_back(ShowPage(sheet, sheet.GetBookCtrl()->GetPage(4)));
        Settle();
        EXPECT_TRUE(ShowPage(sheet, &limits));
        SelectItems(*p_tree, {"Event"});
        v_shown.push_back(ShownLimits(limits));
        v_left.push_back(ShowPage(sheet, sheet.GetBookCtrl()->GetPage(4)));
        Press(sheet, wxID_CANCEL);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_EQ((std::vector<bool>{true, true}), v_open);
    EXPECT_EQ((std::vector<std::string>{"5/2", "1/4", "2/6"}), v_shown);
    EXPECT_EQ((std::vector<bool>{true, true, true}), v_left) << "Yes opens the tab clicked";
    ASSERT_EQ(3u, boxes.Boxes().size());
    for (const auto& box : boxes.Boxes())
        EXPECT_NE(box.sText.find("Do you want to discard your changes?"), std::string::npos) << box.sText;
    EXPECT_EQ(doc.GetPreferences().GetGroupEventLimits(), SchedLim(SchedLim::e_range, 0, 2, 6));
}

// The same for the defaults of new participants: a roster range of 5 to 2
// refused at Apply and kept, then discarded on leaving the page, comes
// back as the event holds it.
TEST_F(PrefSheet, DiscardOfTheDefaultRosterRangeAfterARefusedApplyReturnsToTheStoredRange)
{
    const RosterLim held = HoldRosterRange();
    ScriptedMessageBox boxes;
    std::vector<std::string> v_shown;
    bool b_left = true;
    WhenOpen([&](PrefPSheet& sheet) {
        wxWindow* p_roster = ShowParticipantRostering(sheet);
        ASSERT_NE(p_roster, nullptr);
        wxWindow& roster = *p_roster;
        Choose(roster, IDC_ROSTER_RANGE);
        TypeRosterRange(roster, "5", "2");
        boxes.Answer(IDNO);
        Press(sheet, IDC_SHEET_APPLY_NOW);
        Settle();
        v_shown.push_back(ShownRosterRange(roster));
        boxes.Answer(IDYES);
        b_left = ShowPage(sheet, sheet.GetBookCtrl()->GetPage(1));
        Settle();
        EXPECT_TRUE(ShowPage(sheet, &roster));
        v_shown.push_back(ShownRosterRange(roster));
        Press(sheet, wxID_CANCEL);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_EQ((std::vector<std::string>{"5/2", "1/3"}), v_shown);
    EXPECT_TRUE(b_left) << "Yes opens the tab clicked; back on the page, it shows the stored range";
    EXPECT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ(doc.GetPreferences().GetPartRosterLim(), held);
}

// Group limits that do not hold together never reach the preferences: a
// maximum below the minimum, then OK; No to the question whether to
// discard keeps the sheet open on the page, so does Yes, which gives the
// page its values back; the limits then set right are taken.
TEST_F(PrefSheet, InvalidDefaultLimitsKeepTheSheetOpen)
{
    ScriptedMessageBox boxes;
    bool b_stayedOnNo = false;
    bool b_stayedOnYes = false;
    bool b_onPage = false;
    WhenOpen([&](PrefPSheet& sheet) {
        auto [limits, p_tree] = ShowGroupLimits(sheet);
        ASSERT_NE(p_tree, nullptr);
        SelectItems(*p_tree, {"Event"});
        Choose(limits, IDC_LIMITS_RANGE);
        TypeLimits(limits, "5", "2");
        boxes.Answer(IDNO);
        Press(sheet, wxID_OK);
        Settle();
        b_stayedOnNo = sheet.IsModal();
        b_onPage = sheet.GetBookCtrl()->GetSelection() == 1;
        ShowAWhile("pref-no");
        boxes.Answer(IDYES);
        Press(sheet, wxID_OK);
        Settle();
        b_stayedOnYes = sheet.IsModal();
        SelectItems(*p_tree, {"Event"});
        Choose(limits, IDC_LIMITS_RANGE);
        TypeLimits(limits, "2", "5");
        Press(sheet, wxID_OK);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_TRUE(b_stayedOnNo);
    EXPECT_TRUE(b_onPage);
    EXPECT_TRUE(b_stayedOnYes);
    ASSERT_GE(boxes.Boxes().size(), 2u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("The Event maximum limit is less than the Event minimum limit."),
              std::string::npos)
        << boxes.Boxes()[0].sText;
    EXPECT_EQ(doc.GetPreferences().GetGroupEventLimits(), SchedLim(SchedLim::e_range, 0, 2, 5));
}

// The default participant has no roster styles, so nothing but the page
// itself looks at its roster range: a maximum below the minimum is refused
// on OK with the question whether to discard, No keeps the sheet open on
// what was typed, and the range then set right is taken.
TEST_F(PrefSheet, DefaultRosterRangeBelowItsMinimumIsRefused)
{
    const RosterLim held = HoldRosterRange();
    ScriptedMessageBox boxes;
    bool b_stayedOnNo = false;
    std::string s_shown;
    RosterLim limitWhileOpen;
    WhenOpen([&](PrefPSheet& sheet) {
        wxWindow* p_roster = ShowParticipantRostering(sheet);
        ASSERT_NE(p_roster, nullptr);
        wxWindow& roster = *p_roster;
        Choose(roster, IDC_ROSTER_RANGE);
        TypeRosterRange(roster, "5", "2");
        boxes.Answer(IDNO);
        Press(sheet, wxID_OK);
        Settle();
        b_stayedOnNo = sheet.IsModal();
        limitWhileOpen = doc.GetPreferences().GetPartRosterLim();
        s_shown = ShownRosterRange(roster);
        ShowAWhile("pref-roster-no");
        Type(roster, IDC_ROSTER_MAX_VALUE, "7");
        Press(sheet, wxID_OK);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_TRUE(b_stayedOnNo);
    EXPECT_EQ("5/2", s_shown);
    EXPECT_EQ(limitWhileOpen, held);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const std::string& s_text = boxes.Boxes()[0].sText;
    EXPECT_NE(s_text.find("The roster maximum limit is less than the roster minimum limit."), std::string::npos)
        << s_text;
    EXPECT_NE(s_text.find("Do you want to discard your changes?"), std::string::npos) << s_text;
    EXPECT_EQ(doc.GetPreferences().GetPartRosterLim(), RosterLim(SchedLim(SchedLim::e_range, 0, 5, 7)));
}

// Looking at another item and back shows the limit the page holds, even a
// maximum below the minimum: otherwise the boxes would show a valid range
// the question keeps refusing, and the user could not see what to mend.
// The maximum then typed right is taken.
TEST_F(PrefSheet, LimitsLookedAtAgainShowWhatThePageHolds)
{
    ScriptedMessageBox boxes;
    std::vector<std::string> v_shown;
    bool b_stayedOnNo = false;
    WhenOpen([&](PrefPSheet& sheet) {
        auto [limits, p_tree] = ShowGroupLimits(sheet);
        ASSERT_NE(p_tree, nullptr);
        SelectItems(*p_tree, {"Event"});
        Choose(limits, IDC_LIMITS_RANGE);
        TypeLimits(limits, "5", "2");
        SelectItems(*p_tree, {"Day"});
        SelectItems(*p_tree, {"Event"});
        v_shown.push_back(ShownLimits(limits));
        ShowAWhile("pref-switch");
        boxes.Answer(IDNO);
        Press(sheet, wxID_OK);
        Settle();
        b_stayedOnNo = sheet.IsModal();
        v_shown.push_back(ShownLimits(limits));
        Type(limits, IDC_LIMITS_MAX_VALUE, "7");
        Press(sheet, wxID_OK);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_EQ((std::vector<std::string>{"5/2", "5/2"}), v_shown);
    EXPECT_TRUE(b_stayedOnNo);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].sText.find("The Event maximum limit is less than the Event minimum limit."),
              std::string::npos)
        << boxes.Boxes()[0].sText;
    EXPECT_EQ(doc.GetPreferences().GetGroupEventLimits(), SchedLim(SchedLim::e_range, 0, 5, 7));
    EXPECT_EQ(doc.GetPreferences().GetGroupDayLimits(), SchedLim());
}

// Defaults an event file may hold beyond what the boxes let a user type
// (a limit above 99999, an allocation above 999, a group size above 99999,
// a roster maximum above 9999) are shown and kept by an OK after every tab
// was looked at.
TEST_F(PrefSheet, DefaultsBeyondWhatTheBoxesTakeSurviveAnUnchangedOk)
{
    Preferences& prefs = doc.GetPreferences();
    prefs.GetGroupEventLimits() = SchedLim(SchedLim::e_range, 0, 0, 150000);
    prefs.GetPartDayLimits() = SchedLim(SchedLim::e_range, 0, 0, 120000);
    prefs.SetMaxGroupSize(150000);
    prefs.GetPartRosterLim() = RosterLim(SchedLim(SchedLim::e_range, 0, 1, 99999));
    VenueAlloc hall(event.VenueKey("Hall"));
    hall.Alloc.uType = SchedLim::e_range;
    hall.Alloc.uMin = 1;
    hall.Alloc.uMax = 1500;
    prefs.GetGroupVenueAllocs().InsertSorted(hall);
    const Preferences stored(prefs);
    ScriptedMessageBox boxes;
    bool b_ended = false;
    WhenOpen([&](PrefPSheet& sheet) {
        for (int i_tab = 1; i_tab <= 5; ++i_tab) {
            ShowPage(sheet, i_tab);
            wxWindow& page = *sheet.GetBookCtrl()->GetPage(static_cast<size_t>(i_tab));
            if (auto* p_tree = Find<ZelTreeCtrl>(page, IDC_LIMITS_TREE))
                SelectItems(*p_tree, {i_tab == 1 ? "Event" : "Day"});
            if (auto* p_tree = Find<ZelTreeCtrl>(page, IDC_ALLOC_TREE))
                SelectItems(*p_tree, {"Hall"});
            Settle();
        }
        Press(sheet, wxID_OK);
        Settle();
        b_ended = !sheet.IsModal();
        if (sheet.IsModal())
            Press(sheet, wxID_CANCEL);
    });
    doc.OnPreferences();
    Settle();
    EXPECT_TRUE(b_ended);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().sText;
    EXPECT_EQ(prefs.GetGroupEventLimits(), stored.GetGroupEventLimits());
    EXPECT_EQ(prefs.GetPartDayLimits(), stored.GetPartDayLimits());
    EXPECT_EQ(prefs.GetMaxGroupSize(), 150000);
    EXPECT_EQ(prefs.GetPartRosterLim(), stored.GetPartRosterLim());
    ASSERT_EQ(prefs.GetGroupVenueAllocs().GetSize(), 1);
    EXPECT_EQ(prefs.GetGroupVenueAllocs()[0].Alloc.uMax, 1500u);
}

} // namespace
