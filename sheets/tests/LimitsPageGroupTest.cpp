// The group sheet's Limits page on a display over a small event, driven by
// control ids: limits for the event, the day and each venue, the rotation
// and its Default, saved into the working group by OK.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"
#include "sheets/GroupPSheet.h"
#include "sheets/LimitsPPageGroup.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "testsupport/ui/WindowStacking.h"
#include "framework/ui/WxMessageBox.h"

#include <wx/timer.h>
#include <wx/uiaction.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

int RunModal(GroupPSheet& sheet, const std::function<void(GroupPSheet&)>& f_drive)
{
    wxTheApp->CallAfter([&sheet, f_drive] {
        f_drive(sheet);
        if (sheet.IsModal())
            sheet.EndModal(wxID_CANCEL);
    });
    return sheet.DoModal();
}

class GroupLimitsPageTest : public ::testing::Test {
protected:
    GroupLimitsPageTest()
    {
        GroupPSheet::ForgetPosition();
        event.Days({"Mon", "Tue"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
            .Venue("Tent")
            .Venue("Hall")
            .Group("Choir");
        event.Doc().GetPreferences().SetGroupRotation(Preferences::e_day_rotation);
    }

    testevent::EventBuilder event;
    ScriptedMessageBox boxes;
};

TEST_F(GroupLimitsPageTest, LimitsAndRotationEditedAndSaved)
{
    EventDoc& doc = event.Doc();
    GroupPSheet sheet(&doc, 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = event.GetGroup("Choir");
    const int i_result = RunModal(sheet, [&](GroupPSheet& s) {
        ShowPage(s, 2);
        ASSERT_EQ(s.GetBookCtrl()->GetSelection(), 2);
        wxWindow& limits = *s.GetLimitsPage();
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        ASSERT_NE(p_tree, nullptr);
        // Nothing selected yet: nothing to edit.
        EXPECT_FALSE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->IsEnabled());
        SelectItems(*p_tree, {"Day"});
        Choose(limits, IDC_LIMITS_RANGE);
        EXPECT_FALSE(Find<wxTextCtrl>(limits, IDC_LIMITS_EXACT_VALUE)->IsEnabled());
        Type(limits, IDC_LIMITS_MIN_VALUE, "1");
        Type(limits, IDC_LIMITS_MAX_VALUE, "2");

        // Limits for each venue: the venues come in by name, "Event" can no
        // longer be edited.
        Tick(limits, IDC_LIMITS_VENUE_CHECK, true);
        SelectItems(*p_tree, {"Event"});
        EXPECT_FALSE(Find<wxRadioButton>(limits, IDC_LIMITS_NONE)->IsEnabled());
        SelectItems(*p_tree, {"Hall", "Tent"});
        Choose(limits, IDC_LIMITS_EXACT);
        Type(limits, IDC_LIMITS_EXACT_VALUE, "2");
        // "No limits" for one venue drops its entry again.
        SelectItems(*p_tree, {"Tent"});
        Choose(limits, IDC_LIMITS_NONE);

        Choose(limits, IDC_ROTATION_EVENT);
        Press(limits, IDC_ROTATION_DEFAULT);
        EXPECT_TRUE(Find<wxRadioButton>(limits, IDC_ROTATION_DAY)->GetValue());
        // The description follows the focus: rotation, then limits again.
        const auto f_help = [&limits] { return limits.FindWindow(IDC_LIMITS_HELP)->GetLabel().ToStdString(); };
        limits.FindWindow(IDC_ROTATION_DAY)->SetFocus();
        wxYield();
        EXPECT_EQ(f_help().rfind("You can specify that you want the group to be rotated", 0), 0u) << f_help();
        p_tree->SetFocus();
        wxYield();
        EXPECT_EQ(f_help().rfind("You can set limits to control the number of times the group", 0), 0u) << f_help();
        SelectItems(*p_tree, {"Hall"});
        ShowAWhile("group");
        Press(s, wxID_OK);
    });
    EXPECT_EQ(i_result, wxID_OK);
    for (const auto& box : boxes.Boxes())
        ADD_FAILURE() << box.sText;
    const Group& group = sheet.GetWorkingGroup();
    EXPECT_EQ(group.GetDayLimits(), SchedLim(SchedLim::e_range, 0, 1, 2));
    EXPECT_TRUE(group.GetUseVenueLimits());
    EXPECT_EQ(group.GetEventLimits(), SchedLim());
    const VenueLimitArray& a_venues = group.GetVenueLimits();
    ASSERT_EQ(a_venues.GetSize(), 1);
    EXPECT_EQ(a_venues[0].lVenueKey, event.VenueKey("Hall"));
    EXPECT_EQ(a_venues[0].Limit, SchedLim(SchedLim::e_exact, 2, 0, 0));
    EXPECT_EQ(group.GetRotation(), UINT(Preferences::e_day_rotation));
}

TEST_F(GroupLimitsPageTest, InconsistentLimitsAreReportedByTheGroupCheck)
{
    // A maximum below the minimum is taken on the page; OK reports it.
    EventDoc& doc = event.Doc();
    GroupPSheet sheet(&doc, 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = event.GetGroup("Choir");
    boxes.Answer(IDNO);
    const int i_result = RunModal(sheet, [&](GroupPSheet& s) {
        ShowPage(s, 2);
        wxWindow& limits = *s.GetLimitsPage();
        SelectItems(*Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE), {"Event"});
        Choose(limits, IDC_LIMITS_RANGE);
        Type(limits, IDC_LIMITS_MIN_VALUE, "3");
        Type(limits, IDC_LIMITS_MAX_VALUE, "1");
        Press(s, wxID_OK);
        EXPECT_TRUE(s.IsModal());
        Press(s, wxID_CANCEL);
    });
    EXPECT_EQ(i_result, wxID_CANCEL);
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_NE(boxes.Boxes()[0].sText.find("The Event maximum limit is less than the Event minimum limit."),
              std::string::npos)
        << boxes.Boxes()[0].sText;
}

TEST_F(GroupLimitsPageTest, YesToTheDiscardQuestionOnOkShowsTheStoredLimits)
{
    // The event has six timeslots: the group cannot be placed exactly 60
    // times. Choir carries limits for the event and the day and a
    // rotation, so that each of them must come back.
    event.Timetable();
    ::Group& choir = event.GetGroup("Choir");
    choir.SetEventLimits(SchedLim(SchedLim::e_exact, 4, 0, 0));
    choir.SetDayLimits(SchedLim(SchedLim::e_range, 0, 1, 3));
    choir.SetRotation(Preferences::e_event_rotation);
    const Group stored = choir;
    EventDoc& doc = event.Doc();
    GroupPSheet sheet(&doc, 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = stored;
    // Typed and clicked as a user does, and answered in the toolkit's own
    // box (Yes is GTK_RESPONSE_YES): the reload comes after the box's own
    // loop and the focus moves it causes.
    WxMessageBoxPort real_box;
    IMessageBoxPort* p_before = SetMessageBoxPort(&real_box);
    int n_answered = 0;
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (void* p_box = ShownMessageBox(); p_box != nullptr) {
            ++n_answered;
            AnswerMessageBox(p_box, -8);
        }
    });
    watch.Start(50);
    const int i_result = RunModal(sheet, [&](GroupPSheet& s) {
        ShowPage(s, 2);
        wxWindow& limits = *s.GetLimitsPage();
        auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
        SelectItems(*p_tree, {"Event"});
        Choose(limits, IDC_LIMITS_EXACT);
        Choose(limits, IDC_ROTATION_DAY);
        const auto f_settle = [] {
            for (int i = 0; i < 20; ++i) {
                wxYield();
                wxMilliSleep(10);
            }
        };
        wxUIActionSimulator sim;
        auto* p_exact = Find<wxTextCtrl>(limits, IDC_LIMITS_EXACT_VALUE);
        p_exact->SetFocus();
        p_exact->SelectAll();
        f_settle();
        sim.Text("60");
        f_settle();
        EXPECT_EQ(p_exact->GetValue(), "60");
        wxWindow* p_ok = s.FindWindow(wxID_OK);
        sim.MouseMove(p_ok->GetScreenRect().GetPosition() + wxPoint(5, 5));
        f_settle();
        sim.MouseClick();
        for (int i = 0; i < 10; ++i)
            f_settle();
        EXPECT_TRUE(s.IsModal());
        EXPECT_EQ(n_answered, 1);
        // The page shows what the group holds, with nothing to undo.
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 2);
        EXPECT_TRUE(Find<wxRadioButton>(limits, IDC_LIMITS_EXACT)->GetValue());
        EXPECT_EQ(p_exact->GetValue(), "4");
        EXPECT_TRUE(Find<wxRadioButton>(limits, IDC_ROTATION_EVENT)->GetValue());
        EXPECT_FALSE(Find<wxCheckBox>(limits, IDC_LIMITS_VENUE_CHECK)->GetValue());
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        EXPECT_TRUE(s.GetWorkingGroup() == stored);
        // OK now closes with the group as it was.
        Press(s, wxID_OK);
    });
    watch.Stop();
    SetMessageBoxPort(p_before);
    EXPECT_EQ(n_answered, 1);
    EXPECT_EQ(i_result, wxID_OK);
    for (const auto& box : boxes.Boxes())
        ADD_FAILURE() << box.sText;
    EXPECT_TRUE(sheet.GetWorkingGroup() == stored);
}

// A sheet of defaults, as the preferences hold them for new groups.
class GroupDefaultsSheet : public EditingPSheet, public IGroupPageHost {
public:
    explicit GroupDefaultsSheet(EventDoc* p_doc) : EditingPSheet(nullptr, "Preferences")
    {
        pLimits = new GroupLimitsPPage(GetBookCtrl(), p_doc, FALSE, IDS_GROUP_LIMITS_DEFAULTS_DESC,
                                       IDS_GROUP_ROTATION_DEFAULTS_DESC);
        AddPage(pLimits);
    }
    Group& GetWorkingGroup() override { return Defaults; }
    BOOL ChecksEventDays() const override { return FALSE; }

    Group Defaults;
    GroupLimitsPPage* pLimits;
};

TEST_F(GroupLimitsPageTest, DefaultsPageHasNoDefaultButtonsAndSpeaksOfDefaults)
{
    GroupDefaultsSheet sheet(&event.Doc());
    wxTheApp->CallAfter([&] {
        wxWindow& limits = *sheet.pLimits;
        sheet.pLimits->ReloadPage();
        for (const int i_id : {IDC_LIMITS_DEFAULT_SEL, IDC_LIMITS_DEFAULT_ALL, IDC_ROTATION_DEFAULT})
            EXPECT_FALSE(limits.FindWindow(i_id)->IsShown()) << i_id;
        EXPECT_EQ(limits.FindWindow(IDC_LIMITS_HELP)->GetLabel().ToStdString().rfind(
                      "You can set limits to control the default number of times a group", 0),
                  0u);
        ShowAWhile("group-defaults");
        SelectItems(*Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE), {"Event"});
        Choose(limits, IDC_LIMITS_EXACT);
        Type(limits, IDC_LIMITS_EXACT_VALUE, "4");
        Press(sheet, wxID_OK);
        if (sheet.IsModal())
            sheet.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(sheet.ShowModal(), wxID_OK);
    EXPECT_EQ(sheet.Defaults.GetEventLimits(), SchedLim(SchedLim::e_exact, 4, 0, 0));
}

} // namespace
