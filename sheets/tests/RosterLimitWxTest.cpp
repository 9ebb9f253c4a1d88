// The participant sheet's Rostering page on a display, opened directly over
// a small event and driven by control ids: a roster range whose maximum is
// below its minimum, typed for a participant left with no roster styles
// (which the participant's own check does not look at), is refused on OK,
// while such a range the participant was stored with still passes.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/RosterPPage.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "zelkit/import/ui/ZelCheckListCtrl.h"

#include <functional>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/textctrl.h>

namespace {

using testevent::EventBuilder;

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

int RunModal(ParticipantPSheet& sheet, const std::function<void(ParticipantPSheet&)>& f_drive)
{
    wxTheApp->CallAfter([&sheet, f_drive] {
        Pump();
        f_drive(sheet);
        if (sheet.IsModal())
            sheet.EndModal(wxID_ABORT);
    });
    return sheet.ShowModal();
}

int RowOf(ZelCheckListCtrl& list, const std::string& s_style)
{
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.GetItemText(i, 2) == s_style)
            return i;
    }
    return -1;
}

std::string Text(wxWindow& page, int i_id) { return std::string(Find<wxTextCtrl>(page, i_id)->GetValue().utf8_str()); }

class RosterLimitWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Days({"Mon"})
            .Slots(-1, {"09:00-10:00"})
            .Venue("Hall")
            .Style("Bass")
            .Group("Band")
            .GroupStyles("Band", {"Bass"})
            .Participant("Ann Lee", [](Participant& ann) {
                ann.SetPhone("555 0101");
                ann.SetEmail("ann@example.org");
                ann.SetNotes("Brings her own amplifier");
                ann.SetDayLimits(SchedLim(SchedLim::e_range, 0, 1, 2));
                ann.SetOwnRosterLim(RosterLim(SchedLim(SchedLim::e_range, 0, 1, 3)));
            });
    }

    // The range typed while a style is checked, which the boxes need, and
    // the style then unchecked, so that the participant has no styles.
    static void TypeRange(ParticipantRosterPPage& roster, const char* s_min, const char* s_max)
    {
        ZelCheckListCtrl& list = *roster.GetList();
        ASSERT_TRUE(list.Toggle(RowOf(list, "Bass"), 1));
        Choose(roster, IDC_ROSTER_RANGE);
        Type(roster, IDC_ROSTER_MIN_VALUE, s_min);
        Type(roster, IDC_ROSTER_MAX_VALUE, s_max);
        ASSERT_TRUE(list.Toggle(RowOf(list, "Bass"), 1));
        ASSERT_EQ(roster.GetState().Selection.GetSize(), 0);
    }

    EventBuilder event;
    ScriptedMessageBox boxes;
};

TEST_F(RosterLimitWxTest, TypedRangeBelowItsMinimumIsRefusedWithoutRosterStyles)
{
    ParticipantPSheet sheet(&event.Doc(), nullptr, 3);
    sheet.GetParticipant() = event.GetParticipant("Ann Lee");
    bool b_stayedOnNo = false;
    std::string s_shown;
    RosterLim limitWhileOpen;
    boxes.Answer(IDNO);
    const int i_result = RunModal(sheet, [&](ParticipantPSheet& s) {
        ParticipantRosterPPage& roster = s.GetRosterPage();
        ShowPage(s, &roster);
        TypeRange(roster, "5", "2");
        Press(s, wxID_OK);
        Pump();
        b_stayedOnNo = s.IsModal();
        limitWhileOpen = s.GetParticipant().GetOwnRosterLim();
        s_shown = Text(roster, IDC_ROSTER_MIN_VALUE) + "/" + Text(roster, IDC_ROSTER_MAX_VALUE);
        ShowAWhile("participant-roster-range");
        TypeRange(roster, "5", "7");
        Press(s, wxID_OK);
    });
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(b_stayedOnNo);
    EXPECT_EQ(s_shown, "5/2");
    // The refused OK gave the participant back as it was.
    EXPECT_EQ(limitWhileOpen, RosterLim(SchedLim(SchedLim::e_range, 0, 1, 3)));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const std::string& s_text = boxes.Boxes()[0].sText;
    EXPECT_NE(s_text.find("The roster maximum limit is less than the roster minimum limit."), std::string::npos)
        << s_text;
    EXPECT_NE(s_text.find("Do you want to discard your changes?"), std::string::npos) << s_text;
    const Participant& ann = sheet.GetParticipant();
    EXPECT_EQ(ann.GetOwnRosterLim(), RosterLim(SchedLim(SchedLim::e_range, 0, 5, 7)));
    EXPECT_EQ(ann.GetOwnRosterStyles().GetSize(), 0);
    EXPECT_EQ(ann.GetPhone(), "555 0101");
    EXPECT_EQ(ann.GetEmail(), "ann@example.org");
    EXPECT_EQ(ann.GetNotes(), "Brings her own amplifier");
    EXPECT_EQ(ann.GetDayLimits(), SchedLim(SchedLim::e_range, 0, 1, 2));
}

// A participant stored with such a range and no styles keeps it through an
// OK: the boxes are disabled while it has no styles, so the page could not
// be mended, and nothing the participant is rostered by looks at it.
TEST_F(RosterLimitWxTest, StoredRangeBelowItsMinimumWithoutStylesPassesAnOk)
{
    const RosterLim stored(SchedLim(SchedLim::e_range, 0, 5, 2));
    event.GetParticipant("Ann Lee").SetOwnRosterLim(stored);
    ParticipantPSheet sheet(&event.Doc(), nullptr, 3);
    sheet.GetParticipant() = event.GetParticipant("Ann Lee");
    const int i_result = RunModal(sheet, [&](ParticipantPSheet& s) {
        ShowPage(s, &s.GetRosterPage());
        Press(s, wxID_OK);
    });
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(sheet.GetParticipant().GetOwnRosterLim(), stored);
}

} // namespace
