// Values an event file may hold beyond what a sheet's boxes let a user type
// (a roster limit of 99999, a limit above 99999, an allocation above 999,
// a range whose maximum lies below its minimum), on a display: each sheet
// is opened on an item that carries every stored field and such a value,
// the box showing it is looked at as a user would (its page shown, its
// venue or limit selected), and OK is pressed. What the user did not
// change stays as it was stored.
#include "framework/Archive.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "sheets/AllocPPage.h"
#include "sheets/GroupPSheet.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/LimitsPPage.h"
#include "sheets/LimitsPPageGroup.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/RosterPPage.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/EveryField.h"
#include "testsupport/ui/SheetTestDriving.h"
#include "testsupport/ui/SheetTestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/textctrl.h>

namespace {

using testevent::EventBuilder;

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

template <class L>
std::string Describe(const L& limit)
{
    return "type " + std::to_string(limit.uType) + " value " + std::to_string(limit.uValue) + " min "
           + std::to_string(limit.uMin) + " max " + std::to_string(limit.uMax);
}

// The item as the event file stores it.
template <class T>
std::vector<unsigned char> StoredBytes(const T& item)
{
    T copy(item);
    CArchive ar(CArchive::store);
    copy.Serialize(ar);
    return std::vector<unsigned char>(ar.GetBuffer().begin(), ar.GetBuffer().end());
}

class StoredValuesWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Days({"Mon", "Tue", "Wed"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
            .Venue("Hall")
            .Venue("Barn")
            .Style("Bass")
            .Style("Drums")
            .Style("Keys")
            .Facility("Piano")
            .Facility("Stage")
            .Participant("Ann Lee")
            .Participant("Bob Ray")
            .Group("Band")
            .GroupStyles("Band", {"Bass", "Drums", "Keys"})
            .Member("Band", "Bob Ray", "Leader");
        lRole = Doc().AddParticipantRole("Leader");
    }
    EventDoc& Doc() { return event.Doc(); }

    // Ann with every stored field, rostered by two styles of her own.
    Participant StoredParticipant(const SchedLim& roster_limit)
    {
        Participant part = event.GetParticipant("Ann Lee");
        testevent::GiveEveryField(part, lRole);
        part.SetByRole(FALSE);
        part.GetOwnRosterStyles().RemoveAll();
        part.GetOwnRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Bass"), 1));
        part.GetOwnRosterStyles().InsertSorted(RosterStyle(event.StyleKey("Keys"), 2));
        part.SetOwnRosterLim(RosterLim(roster_limit));
        return part;
    }
    // The band with every stored field.
    Group StoredGroup()
    {
        Group group = event.GetGroup("Band");
        testevent::GiveEveryField(group, testevent::KeysInReverseNameOrder(Doc().GetStyles()),
                                  testevent::KeysInReverseNameOrder(Doc().GetFacilities()));
        return group;
    }

    EventBuilder event;
    ScriptedMessageBox boxes;
    LONG lRole = -1;
};

// The Rostering page's boxes take 0 to 9999 as typed; a stored maximum
// above that (a range's maximum may be 99999) is shown and kept.
TEST_F(StoredValuesWxTest, ParticipantRosterLimitAboveWhatTheBoxesTake)
{
    const SchedLim a_limits[] = {
        SchedLim(SchedLim::e_range, 0, 1, 99999),
        SchedLim(SchedLim::e_range, 0, 2, 50000),
    };
    for (const SchedLim& limit : a_limits) {
        SCOPED_TRACE(Describe(limit));
        const Participant stored = StoredParticipant(limit);
        ParticipantPSheet sheet(&Doc(), nullptr);
        sheet.GetParticipant() = stored;
        const int i_result = RunModal<ParticipantPSheet>(
            sheet, [](ParticipantPSheet& s) { return s.ShowModal(); },
            [&](ParticipantPSheet& s) {
                ShowPage(s, &s.GetRosterPage());
                Press(s, wxID_OK);
            });
        EXPECT_EQ(i_result, wxID_OK);
        EXPECT_EQ(Describe(sheet.GetParticipant().GetOwnRosterLim()), Describe(limit));
        EXPECT_TRUE(StoredBytes(sheet.GetParticipant()) == StoredBytes(stored));
        EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().sText;
        boxes.Clear();
    }
}


// A stored limit whose maximum lies below its minimum is not made into
// another by looking at it: the sheet's check reports it, as it reports
// one typed, and the participant stays as stored.
TEST_F(StoredValuesWxTest, ParticipantRosterRangeUpsideDownIsReportedNotRewritten)
{
    const SchedLim limit(SchedLim::e_range, 0, 2, 1);
    const Participant stored = StoredParticipant(limit);
    ParticipantPSheet sheet(&Doc(), nullptr);
    sheet.GetParticipant() = stored;
    const int i_result = RunModal<ParticipantPSheet>(
        sheet, [](ParticipantPSheet& s) { return s.ShowModal(); },
        [&](ParticipantPSheet& s) {
            ParticipantRosterPPage& roster = s.GetRosterPage();
            ShowPage(s, &roster);
            // Shown as held, before and after OK refused it, so that the
            // user sees what to mend.
            EXPECT_EQ(Find<wxTextCtrl>(roster, IDC_ROSTER_MAX_VALUE)->GetValue(), "1");
            Press(s, wxID_OK);
            EXPECT_TRUE(s.IsModal());
            EXPECT_EQ(Find<wxTextCtrl>(roster, IDC_ROSTER_MIN_VALUE)->GetValue(), "2");
            EXPECT_EQ(Find<wxTextCtrl>(roster, IDC_ROSTER_MAX_VALUE)->GetValue(), "1");
            Press(s, wxID_CANCEL);
        });
    EXPECT_EQ(i_result, wxID_CANCEL);
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_NE(boxes.Boxes()[0].sText.find("The roster maximum limit is less than the roster minimum limit."),
              std::string::npos)
        << boxes.Boxes()[0].sText;
    EXPECT_EQ(Describe(sheet.GetParticipant().GetOwnRosterLim()), Describe(limit));
}

// The Limits page and the maximum group size take 0 to 99999 as typed, the
// Allocation page 1 to 999; stored values above those, in each kind of
// limit and allocation, are shown and kept when the user selects each in
// turn and presses OK.
TEST_F(StoredValuesWxTest, GroupLimitsAndAllocationsAboveWhatTheBoxesTake)
{
    Group stored = StoredGroup();
    stored.SetEventLimits(SchedLim(SchedLim::e_range, 0, 0, 150000));
    stored.SetDayLimits(SchedLim(SchedLim::e_range, 0, 0, 120000));
    stored.SetMaxGroupSize(150000);
    stored.GetVenueAllocs().RemoveAll();
    VenueAlloc hall(event.VenueKey("Hall"));
    hall.Alloc.uType = SchedLim::e_range;
    hall.Alloc.uMin = 1;
    hall.Alloc.uMax = 1500;
    stored.GetVenueAllocs().InsertSorted(hall);
    VenueAlloc barn(event.VenueKey("Barn"));
    barn.Alloc.uType = SchedLim::e_exact;
    barn.Alloc.uValue = 1000;
    barn.bConsecutive = TRUE;
    stored.GetVenueAllocs().InsertSorted(barn);
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = stored;
    const int i_result = RunModal<GroupPSheet>(
        sheet, [](GroupPSheet& s) { return s.DoModal(); },
        [&](GroupPSheet& s) {
            wxWindow& limits = *s.GetLimitsPage();
            ShowPage(s, &limits);
            auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
            ASSERT_NE(p_tree, nullptr);
            SelectItems(*p_tree, {"Event"});
            EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->GetValue(), "150000");
            SelectItems(*p_tree, {"Day"});
            EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->GetValue(), "120000");
            SelectItems(*p_tree, {"Event"});
            wxWindow& alloc = *s.GetAllocPage();
            ShowPage(s, &alloc);
            SelectItems(*s.GetAllocPage()->GetTree(), {"Hall"});
            EXPECT_EQ(Find<wxTextCtrl>(alloc, IDC_ALLOC_MAX_VALUE)->GetValue(), "1500");
            SelectItems(*s.GetAllocPage()->GetTree(), {"Barn"});
            EXPECT_EQ(Find<wxTextCtrl>(alloc, IDC_ALLOC_EXACT_VALUE)->GetValue(), "1000");
            SelectItems(*s.GetAllocPage()->GetTree(), {"Hall"});
            wxWindow& roster = *s.GetRosterPage();
            ShowPage(s, &roster);
            EXPECT_EQ(Find<wxTextCtrl>(roster, IDC_GROUP_MAX_SIZE)->GetValue(), "150000");
            Press(s, wxID_OK);
        });
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().sText;
    const Group& saved = sheet.GetWorkingGroup();
    EXPECT_EQ(Describe(saved.GetEventLimits()), Describe(stored.GetEventLimits()));
    EXPECT_EQ(Describe(saved.GetDayLimits()), Describe(stored.GetDayLimits()));
    ASSERT_EQ(saved.GetVenueAllocs().GetSize(), 2);
    EXPECT_EQ(Describe(saved.GetVenueAllocs()[0].Alloc), Describe(stored.GetVenueAllocs()[0].Alloc));
    EXPECT_EQ(Describe(saved.GetVenueAllocs()[1].Alloc), Describe(stored.GetVenueAllocs()[1].Alloc));
    EXPECT_TRUE(StoredBytes(saved) == StoredBytes(stored));
}

// Looking at a stored limit or allocation whose maximum lies below its
// minimum does not turn it into another: the limits are reported by the
// group's check, as typed ones are; allocations, which the sheet does not
// check, stay as stored.
TEST_F(StoredValuesWxTest, GroupRangesUpsideDownAreNotRewrittenByLooking)
{
    Group stored = StoredGroup();
    stored.SetDayLimits(SchedLim(SchedLim::e_range, 0, 3, 1));
    stored.GetVenueAllocs().RemoveAll();
    VenueAlloc hall(event.VenueKey("Hall"));
    hall.Alloc.uType = SchedLim::e_range;
    hall.Alloc.uMin = 3;
    hall.Alloc.uMax = 2;
    stored.GetVenueAllocs().InsertSorted(hall);
    boxes.Answer(IDNO);
    GroupPSheet sheet(&Doc(), 5, 5, nullptr, 0, "Define group");
    sheet.GetWorkingGroup() = stored;
    RunModal<GroupPSheet>(
        sheet, [](GroupPSheet& s) { return s.DoModal(); },
        [&](GroupPSheet& s) {
            wxWindow& alloc = *s.GetAllocPage();
            ShowPage(s, &alloc);
            SelectItems(*s.GetAllocPage()->GetTree(), {"Hall"});
            SelectItems(*s.GetAllocPage()->GetTree(), {"Barn"});
            wxWindow& limits = *s.GetLimitsPage();
            ShowPage(s, &limits);
            auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
            ASSERT_NE(p_tree, nullptr);
            SelectItems(*p_tree, {"Day"});
            SelectItems(*p_tree, {"Event"});
            SelectItems(*p_tree, {"Day"});
            Press(s, wxID_OK);
            EXPECT_TRUE(s.IsModal());
            // The refused range is shown as held, so the user sees what to mend.
            EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MIN_VALUE)->GetValue(), "3");
            EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->GetValue(), "1");
            Press(s, wxID_CANCEL);
        });
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_NE(boxes.Boxes().back().sText.find("The Day maximum limit is less than the Day minimum limit."),
              std::string::npos)
        << boxes.Boxes().back().sText;
    const Group& saved = sheet.GetWorkingGroup();
    EXPECT_EQ(Describe(saved.GetDayLimits()), Describe(stored.GetDayLimits()));
    ASSERT_EQ(saved.GetVenueAllocs().GetSize(), 1);
    EXPECT_EQ(Describe(saved.GetVenueAllocs()[0].Alloc), Describe(stored.GetVenueAllocs()[0].Alloc));
}

// The participant's Limits page, maximum only, as the group's.
TEST_F(StoredValuesWxTest, ParticipantLimitsAboveWhatTheBoxTakes)
{
    Participant stored = StoredParticipant(SchedLim(SchedLim::e_range, 0, 1, 2));
    stored.SetEventLimits(SchedLim(SchedLim::e_range, 0, 0, 150000));
    stored.SetDayLimits(SchedLim(SchedLim::e_range, 0, 0, 120000));
    ParticipantPSheet sheet(&Doc(), nullptr);
    sheet.GetParticipant() = stored;
    const int i_result = RunModal<ParticipantPSheet>(
        sheet, [](ParticipantPSheet& s) { return s.ShowModal(); },
        [&](ParticipantPSheet& s) {
            wxWindow& limits = s.GetLimitsPage();
            ShowPage(s, &limits);
            auto* p_tree = Find<ZelTreeCtrl>(limits, IDC_LIMITS_TREE);
            ASSERT_NE(p_tree, nullptr);
            SelectItems(*p_tree, {"Event"});
            EXPECT_EQ(Find<wxTextCtrl>(limits, IDC_LIMITS_MAX_VALUE)->GetValue(), "150000");
            SelectItems(*p_tree, {"Day"});
            SelectItems(*p_tree, {"Event"});
            Press(s, wxID_OK);
        });
    EXPECT_EQ(i_result, wxID_OK);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().sText;
    EXPECT_TRUE(StoredBytes(sheet.GetParticipant()) == StoredBytes(stored));
}

} // namespace
