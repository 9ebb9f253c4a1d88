// Every editing sheet ended without an edit, in the program under a virtual
// display, over a generated event (as evetool makes it: calendar days in the
// locale's own date form, roster settings, limits, allocations, rotations,
// not-available times and both kinds of rule) with a built timetable that
// holds unlocked placements. One venue, one group and one participant carry
// every kind of field their sheets edit on top of what the generator gave
// them. Each sheet is opened on them, every page is visited, and OK, Next,
// Apply or Finish is pressed: the event must stay as it was, timetable
// included. A real edit still goes through the change routine, which keeps
// only the locked placements.
//
// With ROTAVEX_SHOW_SECONDS set, each sheet stays on screen that long before
// it is ended, for screenshots (ROTAVEX_SHOW_ONLY names one: "venue",
// "group", "participant", "role", "rules", "calendar", "preferences",
// "preferences-rostering").
#include "framework/Archive.h"
#include "framework/MessageBox.h"
#include "generators/RosterGenerator.h"
#include "model/EventDoc.h"
#include "model/DatePicture.h"
#include "model/General.h"
#include "model/ParticipantRole.h"
#include "model/Preferences.h"
#include "model/Property.h"
#include "model/SchedRule.h"
#include "model/Timetable.h"
#include "app/InstallSheets.h"
#include "sheets/DayPages.h"
#include "sheets/DefineEventSheet.h"
#include "sheets/GroupPSheet.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/ParticipantSheetPort.h"
#include "sheets/PrefPSheet.h"
#include "sheets/RosterPPage.h"
#include "sheets/RosterPageRules.h"
#include "sheets/SchedulingRulesPSheet.h"
#include "sheets/VenuePSheet.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/GroupView.h"
#include "shell/lists/ParticipantView.h"
#include "shell/lists/VenueView.h"
#include "testsupport/EveryField.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/ProgramRunEnd.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SheetTestDriving.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment(&InstallSheets));

// The generated event of the report: 500 groups and 1,500 participants.
benchevent::RosterOptions GeneratedOptions()
{
    benchevent::RosterOptions options;
    options.Event.nGroups = 500;
    options.Event.nParticipants = 1500;
    options.Event.nDays = 5;
    options.Event.nVenues = 12;
    options.Event.nRotationPercent = 20;
    options.Event.nVenueLimitPercent = 30;
    options.Event.nChunkPercent = 20;
    options.Event.nDayRules = 4;
    options.Event.nVenueRules = 4;
    options.Event.nFillPercent = 40;
    options.Event.nLockPercent = 10;
    return options;
}

// Preferences that differ from every value a page of the preferences
// sheet starts with before it is loaded, and from the preferences' own
// defaults, but for the largest group size, which stays the usual 99999:
// travel not allowed, its minutes, the build options skipped, messages not
// to be shown again, a larger report font, and defaults of new groups (day
// rotation, event and day limits, an allocation) and participants (event
// and day limits, a roster limit, venue limits in use).
void GiveEveryPreference(EventDoc& doc)
{
    Preferences& prefs = doc.GetPreferences();
    prefs.SetAllowTravel(FALSE);
    prefs.SetTravelMinutes(17);
    prefs.SetSkipBuildOptions(TRUE);
    prefs.SetSuppressedMessages(0x5);
    prefs.SetReportFontSize(9);
    ASSERT_EQ(prefs.GetMaxGroupSize(), 99999);
    prefs.SetGroupRotation(Preferences::e_day_rotation);
    prefs.GetGroupEventLimits() = SchedLim(SchedLim::e_range, 0, 2, 4);
    prefs.GetGroupDayLimits() = SchedLim(SchedLim::e_exact, 1, 0, 0);
    VenueAlloc alloc(doc.GetVenues()[1].GetKey());
    alloc.Alloc = SchedAlloc(SchedLim::e_range, 1, 1, 2);
    alloc.bConsecutive = TRUE;
    prefs.GetGroupVenueAllocs().RemoveAll();
    prefs.GetGroupVenueAllocs().InsertSorted(alloc);
    prefs.GetPartDayLimits() = SchedLim(SchedLim::e_range, 0, 1, 3);
    prefs.GetPartRosterLim() = RosterLim(SchedLim(SchedLim::e_exact, 2, 0, 0));
    // Venue limits in use leave the event limits none, as the sheet keeps
    // them.
    prefs.GetPartEventLimits() = SchedLim();
    VenueLimit limit(doc.GetVenues()[2].GetKey());
    limit.Limit = SchedLim(SchedLim::e_range, 0, 1, 5);
    prefs.GetPartVenueLimits().RemoveAll();
    prefs.GetPartVenueLimits().InsertSorted(limit);
    prefs.SetPartUsesVenueLimits(TRUE);
}

// Gives the venue, the group and the participant every field their sheets
// edit that the generator leaves empty.
void FillEveryField(EventDoc& doc)
{
    const std::vector<LONG> v_styles = testevent::KeysInReverseNameOrder(doc.GetStyles());
    const std::vector<LONG> v_facilities = testevent::KeysInReverseNameOrder(doc.GetFacilities());
    ASSERT_GE(v_styles.size(), 3u);
    ASSERT_GE(v_facilities.size(), 2u);
    const LONG l_role = doc.AddParticipantRole("Leader");
    ASSERT_GE(l_role, 0);

    Venue& venue = doc.GetVenues()[0];
    // Longer than the sheet lets a user type, as older files may hold.
    venue.SetName("Hall 1 of the Northern Conservatory Wing");
    venue.SetLocation("North wing");
    venue.GetStyles().RemoveAll();
    venue.GetStyles().Add(v_styles[0]);
    venue.GetStyles().Add(v_styles[2]);
    venue.GetFacilities().RemoveAll();
    venue.GetFacilities().Add(v_facilities[1]);

    Group& group = doc.GetGroups().GetAt(0);
    testevent::GiveEveryField(group, v_styles, v_facilities);

    Participant& part = doc.GetParticipants().GetAt(0);
    testevent::GiveEveryField(part, l_role);
    // Following its role, which has no roster styles (no role has), with
    // own roster settings kept behind it: unordered styles and a limit.
    part.SetByRole(TRUE);
    part.SetRosterRoleKey(l_role);
    part.GetOwnRosterStyles().RemoveAll();
    part.GetOwnRosterStyles().InsertSorted(RosterStyle(v_styles[0], 1));
    part.GetOwnRosterStyles().InsertSorted(RosterStyle(v_styles[1], 1));
    part.SetOrdered(FALSE);
    part.SetOwnRosterLim(RosterLim(SchedLim(SchedLim::e_range, 0, 1, 2)));

    GiveEveryPreference(doc);

    // Two of the generated participants that the walk below visits have no
    // roster styles, one with its styles marked ordered and one not: either
    // mark is kept as stored.
    for (int i = 1; i <= 2; ++i) {
        Participant& plain = doc.GetParticipants().GetAt(i);
        plain.GetOwnRosterStyles().RemoveAll();
        plain.SetOrdered(i == 1 ? TRUE : FALSE);
        plain.SetByRole(FALSE);
    }
}

class UnchangedSheetsWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-unchanged");
        {
            std::unique_ptr<EventDoc> p_doc = benchevent::GenerateRosterEvent(GeneratedOptions());
            p_doc->SetEventName("Generated event");
            FillEveryField(*p_doc);
            ReshapeDays(*p_doc);
            ASSERT_TRUE(p_doc->OnSaveDocument((fsFolder / "generated.eve").string()));
        }
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterVenueView());
        ASSERT_TRUE(RegisterGroupView());
        ASSERT_TRUE(RegisterParticipantView());
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "generated.eve").string()));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
        ASSERT_NE(Venues(), nullptr);
        ASSERT_NE(Groups(), nullptr);
        ASSERT_NE(Participants(), nullptr);
        ASSERT_NE(Doc().GetTimetable(), nullptr);
        // The generator's rules and not-available times name calendar days;
        // opening an event whose days were given another kind mends what
        // no longer names a day. The walks start from the event as opened.
        if (Doc().GetEventDef().GetDaySel() != EventDefinition::eCalendar) {
            Doc().SetModifiedFlag(false);
            Boxes.Clear();
        }
        ASSERT_FALSE(Doc().IsModified());
        nUnfilled = Unfilled();
        // Unlocked placements that an edit would take away.
        ASSERT_GT(Placed(), Locked());
    }
    void TearDown() override { EndProgramRun({kVenueView, kGroupView, kParticipantView}, fsFolder); }
    // The generated event keeps its calendar days; a fixture for another
    // kind of day gives it those, with the same layouts.
    virtual void ReshapeDays(EventDoc&) {}

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    VenueView* Venues() { return dynamic_cast<VenueView*>(Frame().GetPaneView(0, 0)); }
    GroupView* Groups() { return dynamic_cast<GroupView*>(Frame().GetPaneView(1, 0)); }
    ParticipantView* Participants() { return dynamic_cast<ParticipantView*>(Frame().GetPaneView(0, 1)); }
    int Unfilled() { return Doc().GetTimetable()->CountUnfilled(-1, -1); }
    // The timetable's placements, locked ones only with b_locked.
    int Placed(bool b_locked = false)
    {
        int n_placed = 0;
        const Timetable& table = *Doc().GetTimetable();
        for (int d = 0; d < table.GetNumDays(); ++d) {
            ZelArray<const Timeslot*> a_slots;
            table.GetDay(d).CollectAllSlots(a_slots);
            for (int i = 0; i < a_slots.GetSize(); ++i)
                n_placed += !a_slots[i]->IsEmpty() && (!b_locked || a_slots[i]->IsLocked()) ? 1 : 0;
        }
        return n_placed;
    }
    int Locked() { return Placed(true); }
    // The event is as it was opened: not modified, every placement there.
    void ExpectUntouched(const char* p_what)
    {
        EXPECT_FALSE(Doc().IsModified()) << p_what;
        EXPECT_EQ(Unfilled(), nUnfilled) << p_what << ": the unlocked placements are kept";
        EXPECT_TRUE(Boxes.Boxes().empty()) << p_what << ": " << (Boxes.Boxes().empty() ? "" : Boxes.Boxes()[0].sText);
        Boxes.Clear();
    }
    // Selects the rows of the items with these keys, as clicks would.
    static void Select(ItemListView& view, std::initializer_list<LONG> a_keys)
    {
        view.Click(-1, FALSE, FALSE);
        for (LONG l_key : a_keys) {
            const int i_row = view.GetList().FindItemData(l_key);
            ASSERT_GE(i_row, 0) << "no row for key " << l_key;
            view.Click(i_row, FALSE, TRUE);
        }
        Pump();
    }

    ScriptedMessageBox Boxes;
    fs::path fsFolder;
    int nUnfilled = 0;
};

// Where two items' stored forms part.
template <class T>
std::string StoredDiff(const T& first, const T& second)
{
    T first_copy(first);
    T second_copy(second);
    CArchive ar_first(CArchive::store);
    CArchive ar_second(CArchive::store);
    first_copy.Serialize(ar_first);
    second_copy.Serialize(ar_second);
    const auto& a = ar_first.GetBuffer();
    const auto& b = ar_second.GetBuffer();
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + ", first difference at "
           + std::to_string(i);
}

// The preferences as the event file stores them (their record reads the
// event it belongs to).
std::vector<unsigned char> StoredBytes(EventDoc& doc, const Preferences& prefs)
{
    Preferences copy(prefs);
    CArchive ar(CArchive::store);
    ar.SetDocument(&doc);
    copy.Serialize(ar);
    return std::vector<unsigned char>(ar.GetBuffer().begin(), ar.GetBuffer().end());
}

// Shows every tab of the sheet from the last to the first, as a user
// looking through it would, ending on the first.
void VisitEveryPage(EditingPSheet& sheet)
{
    wxBookCtrlBase& book = *sheet.GetBookCtrl();
    for (int i = static_cast<int>(book.GetPageCount()) - 1; i >= 0; --i)
        EXPECT_TRUE(ShowPage(sheet, book.GetPage(static_cast<size_t>(i)))) << "page " << i << " kept the user";
}

// Opens the sheet of each selected item in turn and presses the buttons
// given for it, after a look at every page: an Apply keeps the sheet open
// (and every page is looked at again), the last button ends it.
template <class Sheet>
void EndEachWith(std::vector<std::vector<int>> v_buttons, const char* p_what, int& n_sheets)
{
    if (v_buttons.empty())
        return;
    WhenShownPainted<Sheet>([v_buttons, p_what, &n_sheets](Sheet& sheet) {
        ++n_sheets;
        VisitEveryPage(sheet);
        ShowAWhile(p_what);
        const std::vector<std::vector<int>> v_rest(v_buttons.begin() + 1, v_buttons.end());
        const std::vector<int>& v_mine = v_buttons.front();
        for (std::size_t i = 0; i + 1 < v_mine.size(); ++i) {
            PressInLoop(sheet, v_mine[i]);
            Pump();
            EXPECT_TRUE(sheet.IsModal()) << p_what << ": " << v_mine[i] << " keeps the sheet open";
            VisitEveryPage(sheet);
        }
        EndEachWith<Sheet>(v_rest, p_what, n_sheets);
        PressInLoop(sheet, v_mine.back());
    });
}

TEST_F(UnchangedSheetsWxTest, PaneSheetsEndedWithoutAnEditKeepTheTimetable)
{
    int n_sheets = 0;
    // The venue with two styles out of their list order, a facility and
    // venue rules; Apply, then Next to a second venue, then OK.
    const LONG l_venue = Doc().GetVenues()[0].GetKey();
    const Venue venue = Doc().GetVenues()[0];
    Select(*Venues(), {l_venue, Doc().GetVenues()[1].GetKey()});
    EndEachWith<VenuePSheet>({{IDC_SHEET_APPLY_NOW, IDC_SHEET_NEXT}, {wxID_OK}}, "venue", n_sheets);
    Venues()->ChangeSelected();
    Pump();
    EXPECT_EQ(n_sheets, 2);
    ExpectUntouched("venues");
    EXPECT_TRUE(SameStoredForm(Doc().GetVenues()[0], venue));

    // The group with every field, and the next one the generator made.
    n_sheets = 0;
    const Group group = Doc().GetGroups().GetAt(0);
    Select(*Groups(), {group.GetKey(), Doc().GetGroups().GetAt(1).GetKey()});
    EndEachWith<GroupPSheet>({{IDC_SHEET_APPLY_NOW, IDC_SHEET_NEXT}, {wxID_OK}}, "group", n_sheets);
    Groups()->ChangeSelected();
    Pump();
    EXPECT_EQ(n_sheets, 2);
    ExpectUntouched("groups");
    EXPECT_TRUE(SameStoredForm(Doc().GetGroups().GetAt(0), group));

    // The participant with every field, then a walk over generated ones
    // with roster styles, ordered or not, limits and not-available times.
    n_sheets = 0;
    const Participant part = Doc().GetParticipants().GetAt(0);
    std::vector<std::vector<int>> v_buttons;
    std::vector<LONG> v_keys;
    std::vector<Participant> v_kept;
    for (int i = 0; i < 12; ++i) {
        v_kept.push_back(Doc().GetParticipants().GetAt(i));
        v_keys.push_back(Doc().GetParticipants().GetAt(i).GetKey());
        v_buttons.push_back({i < 11 ? int(IDC_SHEET_NEXT) : int(wxID_OK)});
    }
    v_buttons.front().insert(v_buttons.front().begin(), IDC_SHEET_APPLY_NOW);
    Participants()->Click(-1, FALSE, FALSE);
    for (LONG l_key : v_keys)
        Participants()->Click(Participants()->GetList().FindItemData(l_key), FALSE, TRUE);
    Pump();
    EndEachWith<ParticipantChangePSheet>(v_buttons, "participant", n_sheets);
    Participants()->ChangeSelected();
    Pump();
    EXPECT_EQ(n_sheets, 12);
    for (std::size_t i = 0; i < v_kept.size(); ++i) {
        const Participant& now = Doc().GetParticipants().GetAt(Doc().GetParticipants().FindByKey(v_kept[i].GetKey()));
        EXPECT_TRUE(SameStoredForm(now, v_kept[i])) << "participant " << i << ": " << StoredDiff(now, v_kept[i]);
    }
    ExpectUntouched("participants");
    EXPECT_TRUE(SameStoredForm(Doc().GetParticipants().GetAt(0), part));
}

// The participant that follows a role no role of the event gives roster
// styles to: the Rostering page can only show it in style mode, with the
// role's (empty) settings, and an OK there must not take it off its role
// or write what the page showed over its own hidden settings.
TEST_F(UnchangedSheetsWxTest, AParticipantFollowingARoleKeepsItOnAnUnchangedOK)
{
    const Participant part = Doc().GetParticipants().GetAt(0);
    ASSERT_TRUE(part.GetByRole());
    ASSERT_EQ(Doc().GetParticipantRoles().GetNumRolesWithStyles(), 0);
    Select(*Participants(), {part.GetKey()});
    bool b_shown = false;
    WhenShownPainted<ParticipantChangePSheet>([&](ParticipantChangePSheet& sheet) {
        VisitEveryPage(sheet);
        ParticipantRosterPPage& page = sheet.GetRosterPage();
        EXPECT_TRUE(ShowPage(sheet, &page));
        auto* p_byStyle = Find<wxRadioButton>(page, IDC_ROSTER_BY_STYLE);
        auto* p_byRole = Find<wxRadioButton>(page, IDC_ROSTER_BY_ROLE);
        ASSERT_NE(p_byStyle, nullptr);
        ASSERT_NE(p_byRole, nullptr);
        EXPECT_TRUE(p_byStyle->GetValue());
        EXPECT_FALSE(p_byRole->IsEnabled()) << "no role has styles to follow";
        // The usual role's area offers to add the page's styles to it.
        EXPECT_TRUE(Find<wxWindow>(page, IDC_ROSTER_SAVE_ROLE)->IsShown());
        b_shown = true;
        ShowAWhile("role");
        PressInLoop(sheet, wxID_OK);
    });
    Participants()->ChangeSelected();
    Pump();
    EXPECT_TRUE(b_shown);
    const Participant& now = Doc().GetParticipants().GetAt(Doc().GetParticipants().FindByKey(part.GetKey()));
    EXPECT_TRUE(now.GetByRole());
    EXPECT_EQ(now.GetRosterRoleKey(), part.GetRosterRoleKey());
    EXPECT_TRUE(SameStoredForm(now, part)) << StoredDiff(now, part);
    ExpectUntouched("the participant following a role");
}

// The event as its file would hold it. Nothing here saves, so the save
// stamp is the one the event was opened with.
std::vector<unsigned char> SavedBytes(EventDoc& doc)
{
    CArchive ar(CArchive::store, &doc);
    doc.Serialize(ar);
    return std::vector<unsigned char>(ar.GetBuffer().begin(), ar.GetBuffer().end());
}

// Where two saved forms part, for the failure's message.
std::string FirstDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + ", first difference at "
           + std::to_string(i);
}

// The next key of every kind of item the event file keeps.
std::vector<LONG> KeyCounters()
{
    return {Venue::GetKeyCounter(), Group::GetKeyCounter(), Participant::GetKeyCounter(),
            Property::GetKeyCounter(), ParticipantRole::GetKeyCounter()};
}

// How a sheet is ended without an edit: at once, with only its first page
// ever shown, or after a look at every page; by OK, or by Apply and then
// Cancel (which keeps what Apply stored).
struct UnchangedEnding {
    const char* pName;
    bool bLookAtEveryPage;
    bool bApply;
};

const UnchangedEnding aUnchangedEndings[] = {
    {"OK at once", false, false},
    {"Apply at once, then Cancel", false, true},
    {"every page shown, then OK", true, false},
    {"every page shown, Apply, every page again, then Cancel", true, true},
};

template <class Sheet>
void EndUnchanged(Sheet& sheet, const UnchangedEnding& ending)
{
    if (ending.bLookAtEveryPage)
        VisitEveryPage(sheet);
    if (!ending.bApply) {
        PressInLoop(sheet, wxID_OK);
        return;
    }
    PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
    Pump();
    EXPECT_TRUE(sheet.IsModal()) << ending.pName << ": Apply keeps the sheet open";
    if (ending.bLookAtEveryPage)
        VisitEveryPage(sheet);
    PressInLoop(sheet, wxID_CANCEL);
}

// Every sheet over the items and settings that carry every field, ended
// without an edit in each way: the event's saved form stays byte for byte
// what it was, key counters included, also for the pages the user never
// opened (a page that had not been loaded used to store its empty start:
// the preferences' largest group size became 0). Only the preferences
// sheet marks the event modified, as it always has.
TEST_F(UnchangedSheetsWxTest, EverySheetEndedWithoutAnEditKeepsTheSavedEventByteForByte)
{
    const std::vector<unsigned char> v_before = SavedBytes(Doc());
    const std::vector<LONG> v_counters = KeyCounters();
    const LONG l_venue = Doc().GetVenues()[0].GetKey();
    const LONG l_group = Doc().GetGroups().GetAt(0).GetKey();
    const LONG l_part = Doc().GetParticipants().GetAt(0).GetKey();
    ASSERT_EQ(Doc().GetPreferences().GetMaxGroupSize(), 99999);
    for (const UnchangedEnding& ending : aUnchangedEndings) {
        struct Sheet {
            const char* pName;
            bool bMarksModified;
            std::function<void()> fRun;
        };
        const Sheet a_sheets[] = {
            {"venue", false,
             [&] {
                 Select(*Venues(), {l_venue});
                 WhenShownPainted<VenuePSheet>([&](VenuePSheet& sheet) { EndUnchanged(sheet, ending); });
                 Venues()->ChangeSelected();
             }},
            {"group", false,
             [&] {
                 Select(*Groups(), {l_group});
                 WhenShownPainted<GroupPSheet>([&](GroupPSheet& sheet) { EndUnchanged(sheet, ending); });
                 Groups()->ChangeSelected();
             }},
            {"participant", false,
             [&] {
                 Select(*Participants(), {l_part});
                 WhenShownPainted<ParticipantChangePSheet>(
                     [&](ParticipantChangePSheet& sheet) { EndUnchanged(sheet, ending); });
                 Participants()->ChangeSelected();
             }},
            {"preferences", true,
             [&] {
                 // On its General page, as at the first opening of a run.
                 PrefPSheet::SetLastPage(0);
                 WhenShownPainted<PrefPSheet>([&](PrefPSheet& sheet) {
                     if (ending.bLookAtEveryPage && !ending.bApply) {
                         // The default largest group size as the event holds it.
                         wxWindow* p_roster = sheet.GetBookCtrl()->GetPage(3);
                         EXPECT_TRUE(ShowPage(sheet, p_roster));
                         EXPECT_EQ(Find<wxTextCtrl>(*p_roster, IDC_GROUP_MAX_SIZE)->GetValue(), "99999");
                         ShowAWhile("preferences-rostering");
                     }
                     EndUnchanged(sheet, ending);
                 });
                 Frame().RunCommand(EventDoc::ID_PREFERENCES);
             }},
            {"scheduling rules", false,
             [&] {
                 WhenShownPainted<SchedulingRulesPSheet>(
                     [&](SchedulingRulesPSheet& sheet) { EndUnchanged(sheet, ending); });
                 Frame().RunCommand(EventDoc::ID_SCHEDULING_RULES);
             }},
        };
        for (const Sheet& sheet : a_sheets) {
            const std::string s_what = std::string(sheet.pName) + ", " + ending.pName;
            sheet.fRun();
            Pump();
            const std::vector<unsigned char> v_after = SavedBytes(Doc());
            EXPECT_TRUE(v_after == v_before) << s_what << ": " << FirstDifference(v_before, v_after);
            EXPECT_EQ(KeyCounters(), v_counters) << s_what;
            EXPECT_EQ(Doc().GetPreferences().GetMaxGroupSize(), 99999) << s_what;
            EXPECT_EQ(Unfilled(), nUnfilled) << s_what << ": the unlocked placements are kept";
            EXPECT_EQ(static_cast<bool>(Doc().IsModified()), sheet.bMarksModified) << s_what;
            EXPECT_TRUE(Boxes.Boxes().empty()) << s_what << ": " << (Boxes.Boxes().empty() ? "" : Boxes.Boxes()[0].sText);
            Boxes.Clear();
            Doc().SetModifiedFlag(false);
        }
    }
}

// One field changed on the item that carries every field: the item is
// stored and the change routine keeps only the locked placements.
class OneChangedFieldWxTest : public UnchangedSheetsWxTest {
protected:
    void ExpectStoredAndDropped(const char* p_what, bool b_stored)
    {
        EXPECT_TRUE(b_stored) << p_what;
        EXPECT_TRUE(Doc().IsModified()) << p_what;
        EXPECT_GT(Unfilled(), nUnfilled) << p_what;
        EXPECT_EQ(Placed(), Locked()) << p_what << ": only the locks stay";
        EXPECT_GT(Locked(), 0) << p_what;
    }
};

TEST_F(OneChangedFieldWxTest, Venue)
{
    const LONG l_venue = Doc().GetVenues()[0].GetKey();
    Select(*Venues(), {l_venue});
    WhenShownPainted<VenuePSheet>([](VenuePSheet& sheet) {
        VisitEveryPage(sheet);
        TypeInLoop(sheet.GetDetailsPage(), IDC_VENUE_LOCATION, "South wing");
        PressInLoop(sheet, wxID_OK);
    });
    Venues()->ChangeSelected();
    Pump();
    const Venue& venue = Doc().GetVenues()[Doc().GetVenues().FindByKey(l_venue)];
    ExpectStoredAndDropped("venue", venue.GetLocation() == "South wing" && venue.GetStyles().GetCount() == 2);
}

TEST_F(OneChangedFieldWxTest, Group)
{
    const LONG l_group = Doc().GetGroups().GetAt(0).GetKey();
    Select(*Groups(), {l_group});
    WhenShownPainted<GroupPSheet>([](GroupPSheet& sheet) {
        VisitEveryPage(sheet);
        ShowPage(sheet, sheet.GetContactPage());
        TypeInLoop(*sheet.GetContactPage(), IDC_GROUP_CONTACT, "Dee Fox");
        PressInLoop(sheet, wxID_OK);
    });
    Groups()->ChangeSelected();
    Pump();
    const Group& group = Doc().GetGroups().GetAt(Doc().GetGroups().FindByKey(l_group));
    ExpectStoredAndDropped("group", group.GetContact().GetName() == "Dee Fox"
                                        && group.GetEmail() == "choir@example.org");
}

TEST_F(OneChangedFieldWxTest, Participant)
{
    const LONG l_part = Doc().GetParticipants().GetAt(0).GetKey();
    Select(*Participants(), {l_part});
    WhenShownPainted<ParticipantChangePSheet>([](ParticipantChangePSheet& sheet) {
        VisitEveryPage(sheet);
        TypeInLoop(sheet.GetDetailsPage(), IDC_PART_EMAIL, "ann.lee@example.org");
        PressInLoop(sheet, wxID_OK);
    });
    Participants()->ChangeSelected();
    Pump();
    const Participant& part = Doc().GetParticipants().GetAt(Doc().GetParticipants().FindByKey(l_part));
    ExpectStoredAndDropped("participant", part.GetEmail() == "ann.lee@example.org" && part.GetPhone() == "555 0200 extension 6789, ask for the office");
}

// Changes one field of the selected item in its sheet, presses Apply and
// then Cancel: what the sheet showed after Apply, and whether it stayed.
struct AppliedLook {
    bool bOpen = false;
    std::string sShown;
};

template <class Sheet>
AppliedLook ApplyThenCancel(const std::function<void(Sheet&)>& f_edit,
                                   const std::function<std::string(Sheet&)>& f_shown)
{
    AppliedLook look;
    WhenShownPainted<Sheet>([&](Sheet& sheet) {
        VisitEveryPage(sheet);
        f_edit(sheet);
        PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
        Pump();
        look.bOpen = sheet.IsModal();
        look.sShown = f_shown(sheet);
        VisitEveryPage(sheet);
        PressInLoop(sheet, wxID_CANCEL);
    });
    return look;
}

std::string BoxText(wxWindow& page, int i_id)
{
    auto* p_box = wxDynamicCast(page.FindWindow(i_id), wxTextCtrl);
    return p_box != nullptr ? std::string(p_box->GetValue().utf8_str()) : std::string("?");
}

// Apply over the items that carry every field: the changed field is stored
// at once, every other field as it was, the change routine runs (only the
// locks stay), the sheet stays open showing the item as stored, and Cancel
// then keeps what Apply stored.
TEST_F(OneChangedFieldWxTest, ApplyStoresWhileTheSheetStaysOpen)
{
    Venue venue = Doc().GetVenues()[0];
    Select(*Venues(), {venue.GetKey()});
    const auto venue_look = ApplyThenCancel<VenuePSheet>(
        [](VenuePSheet& sheet) { TypeInLoop(sheet.GetDetailsPage(), IDC_VENUE_LOCATION, "South wing"); },
        [](VenuePSheet& sheet) { return BoxText(sheet.GetDetailsPage(), IDC_VENUE_LOCATION); });
    Venues()->ChangeSelected();
    Pump();
    EXPECT_TRUE(venue_look.bOpen);
    EXPECT_EQ(venue_look.sShown, "South wing");
    venue.SetLocation("South wing");
    const Venue& stored_venue = Doc().GetVenues()[Doc().GetVenues().FindByKey(venue.GetKey())];
    EXPECT_TRUE(SameStoredForm(stored_venue, venue)) << StoredDiff(stored_venue, venue);
    ExpectStoredAndDropped("venue", true);

    Group group = Doc().GetGroups().GetAt(0);
    Select(*Groups(), {group.GetKey()});
    const auto group_look = ApplyThenCancel<GroupPSheet>(
        [](GroupPSheet& sheet) {
            ShowPage(sheet, sheet.GetContactPage());
            TypeInLoop(*sheet.GetContactPage(), IDC_GROUP_CONTACT, "Dee Fox");
        },
        [](GroupPSheet& sheet) { return BoxText(*sheet.GetContactPage(), IDC_GROUP_CONTACT); });
    Groups()->ChangeSelected();
    Pump();
    EXPECT_TRUE(group_look.bOpen);
    EXPECT_EQ(group_look.sShown, "Dee Fox");
    group.GetContact().SetName("Dee Fox");
    const Group& stored_group = Doc().GetGroups().GetAt(Doc().GetGroups().FindByKey(group.GetKey()));
    EXPECT_TRUE(SameStoredForm(stored_group, group)) << StoredDiff(stored_group, group);

    Participant part = Doc().GetParticipants().GetAt(0);
    Select(*Participants(), {part.GetKey()});
    const auto part_look = ApplyThenCancel<ParticipantChangePSheet>(
        [](ParticipantChangePSheet& sheet) {
            TypeInLoop(sheet.GetDetailsPage(), IDC_PART_EMAIL, "ann.lee@example.org");
        },
        [](ParticipantChangePSheet& sheet) { return BoxText(sheet.GetDetailsPage(), IDC_PART_EMAIL); });
    Participants()->ChangeSelected();
    Pump();
    EXPECT_TRUE(part_look.bOpen);
    EXPECT_EQ(part_look.sShown, "ann.lee@example.org");
    part.SetEmail("ann.lee@example.org");
    const Participant& stored_part =
        Doc().GetParticipants().GetAt(Doc().GetParticipants().FindByKey(part.GetKey()));
    EXPECT_TRUE(SameStoredForm(stored_part, part)) << StoredDiff(stored_part, part);
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes()[0].sText;
}

TEST_F(UnchangedSheetsWxTest, TheRulesSheetAndTheDefineEventWalkEndedWithoutAnEditKeepTheTimetable)
{
    ASSERT_GT(Doc().GetSchedulingRules().GetNumVenueRules(), 0);
    ASSERT_GT(Doc().GetSchedulingRules().GetNumDayRules(), 0);
    bool b_rules = false;
    WhenShownPainted<SchedulingRulesPSheet>([&](SchedulingRulesPSheet& sheet) {
        VisitEveryPage(sheet);
        ShowAWhile("rules");
        // Apply stores nothing unchanged and keeps the sheet open.
        PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
        Pump();
        b_rules = sheet.IsModal();
        VisitEveryPage(sheet);
        PressInLoop(sheet, wxID_OK);
    });
    Frame().RunCommand(EventDoc::ID_SCHEDULING_RULES);
    Pump();
    EXPECT_TRUE(b_rules);
    ExpectUntouched("the rules sheet");

    // The preferences, every page looked at: Apply, then OK, store them as
    // the sheet always has (the event is marked modified), but the same
    // preferences are no change that could make the timetable wrong.
    const Preferences prefs = Doc().GetPreferences();
    bool b_prefs = false;
    WhenShownPainted<PrefPSheet>([&](PrefPSheet& sheet) {
        VisitEveryPage(sheet);
        ShowAWhile("preferences");
        PressInLoop(sheet, IDC_SHEET_APPLY_NOW);
        Pump();
        b_prefs = sheet.IsModal();
        VisitEveryPage(sheet);
        PressInLoop(sheet, wxID_OK);
    });
    Frame().RunCommand(EventDoc::ID_PREFERENCES);
    Pump();
    EXPECT_TRUE(b_prefs);
    EXPECT_EQ(StoredBytes(Doc(), Doc().GetPreferences()), StoredBytes(Doc(), prefs));
    EXPECT_EQ(Unfilled(), nUnfilled) << "the preferences: the unlocked placements are kept";
    EXPECT_TRUE(Boxes.Boxes().empty());
    Doc().SetModifiedFlag(false);

    // The generated days are labelled in the locale's own date form (the
    // event stores no picture); the calendar page shows them so and the
    // walk keeps them.
    const EventDefinition def = Doc().GetEventDef();
    const std::string s_label = def.GetDayDef().GetDayName(0);
    bool b_walked = false;
    std::string s_format;
    std::string s_sample;
    WhenShownPainted<DefineEventPSheet>([&](DefineEventPSheet& sheet) {
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_calendar = dynamic_cast<CalendarDaysPPage*>(sheet.GetActivePage());
        ASSERT_NE(p_calendar, nullptr);
        auto* p_formats = Find<wxListBox>(*p_calendar, IDC_CAL_FORMATS);
        ASSERT_NE(p_formats, nullptr);
        s_format = std::string(p_formats->GetStringSelection().utf8_str());
        s_sample = std::string(Find<wxStaticText>(*p_calendar, IDC_CAL_SAMPLE)->GetLabel().utf8_str());
        ShowAWhile("calendar");
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        b_walked = true;
    });
    Frame().RunCommand(EventDoc::ID_DEFINE_EVENT);
    Pump();
    EXPECT_TRUE(b_walked);
    ExpectUntouched("the define-event walk");
    EXPECT_TRUE(SameStoredForm(Doc().GetEventDef(), def)) << StoredDiff(Doc().GetEventDef(), def);
    EXPECT_EQ(Doc().GetEventDef().GetCalendarDays().GetSeparator(), def.GetCalendarDays().GetSeparator());
    EXPECT_EQ(Doc().GetEventDef().GetCalendarDays().GetDatePicture(), def.GetCalendarDays().GetDatePicture());
    EXPECT_EQ(Doc().GetEventDef().GetDayDef().GetDayName(0), s_label);
    EXPECT_FALSE(s_format.empty()) << "the event's own format is chosen";
    EXPECT_EQ(s_sample.size(), FormatDatePicture(CHighTime::GetPresentTime(), GetShortDatePicture()).size()) << s_sample;
}

// The generated event's days as days of the week (Monday to Friday) or as
// custom days, the same layouts on each, the placements where they were.
class OtherDaysWxTest : public UnchangedSheetsWxTest,
                        public ::testing::WithParamInterface<EventDefinition::DaySel> {
protected:
    void ReshapeDays(EventDoc& doc) override
    {
        EventDefinition& def = doc.GetEventDef();
        const CalendarDays calendar = def.GetCalendarDays();
        ASSERT_EQ(calendar.GetNumDays(), 5);
        if (GetParam() == EventDefinition::eWeekDays) {
            WeekDays week;
            week.SetFirstDay(1);
            week.SetFullName(FALSE);
            Flags days(ZelOleDateTime::nDayNames);
            for (int i = 1; i <= 5; ++i)
                days[i] = 1;
            week.SetDays(days);
            CopyLayouts(calendar, week);
            def.SetDayDef(week);
        } else {
            CustomDays custom;
            ZelStringArray a_names;
            for (const char* p_name : {"Opening", "Heats", "Heats 2", "Semis", "Finals"})
                a_names.Add(p_name);
            custom.SetDays(a_names);
            custom.SetConsecutive(1, TRUE);
            custom.SetConsecutive(2, TRUE);
            CopyLayouts(calendar, custom);
            def.SetDayDef(custom);
        }
        ASSERT_EQ(def.GetDaySel(), GetParam());
    }
    static void CopyLayouts(const DayDefBase& from, DayDefBase& to)
    {
        to.Set24Hour(from.Is24Hour());
        for (int i = 0; i < from.GetNumLayouts(); ++i)
            to.GetDaySlots(i).CopySlots(from.GetDaySlots(i));
    }
};

TEST_P(OtherDaysWxTest, TheDefineEventWalkEndedWithoutAnEditKeepsTheTimetable)
{
    const EventDefinition def = Doc().GetEventDef();
    ASSERT_EQ(def.GetDaySel(), GetParam());
    std::vector<std::string> v_labels;
    for (int i = 0; i < def.GetDayDef().GetNumDays(); ++i)
        v_labels.push_back(def.GetDayDef().GetDayName(i));
    bool b_walked = false;
    WhenShownPainted<DefineEventPSheet>([&](DefineEventPSheet& sheet) {
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        const bool b_week = dynamic_cast<WeekDaysPPage*>(sheet.GetActivePage()) != nullptr;
        const bool b_custom = dynamic_cast<CustomDaysPPage*>(sheet.GetActivePage()) != nullptr;
        EXPECT_TRUE(GetParam() == EventDefinition::eWeekDays ? b_week : b_custom) << "the event's own kind of day";
        ShowAWhile(GetParam() == EventDefinition::eWeekDays ? "week" : "custom");
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        b_walked = true;
    });
    Frame().RunCommand(EventDoc::ID_DEFINE_EVENT);
    Pump();
    EXPECT_TRUE(b_walked);
    ExpectUntouched("the define-event walk");
    EXPECT_TRUE(SameStoredForm(Doc().GetEventDef(), def)) << StoredDiff(Doc().GetEventDef(), def);
    for (int i = 0; i < static_cast<int>(v_labels.size()); ++i)
        EXPECT_EQ(Doc().GetEventDef().GetDayDef().GetDayName(i), v_labels[static_cast<std::size_t>(i)]);
}

INSTANTIATE_TEST_SUITE_P(DayKinds, OtherDaysWxTest,
                         ::testing::Values(EventDefinition::eWeekDays, EventDefinition::eCustom),
                         [](const auto& info) {
                             return info.param == EventDefinition::eWeekDays ? "WeekDays" : "CustomDays";
                         });

} // namespace
