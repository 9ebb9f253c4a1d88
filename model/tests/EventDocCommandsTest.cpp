#include "framework/Exceptions.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/tests/RuleEvent.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using ruleevent::Festival;
using testevent::EventBuilder;

namespace {

// Enabled state of the commands that depend on the event, in this order.
const UINT kEventCommands[] = {32781, 32855, 32864, 32861, 32863};

// A rostering dialog that is there and does nothing.
class IdleRosterDialog : public IRosterDialogPort {
public:
    IdleRosterDialog() : pPrevious(SetRosterDialogPort(this)) {}
    ~IdleRosterDialog() override { SetRosterDialogPort(pPrevious); }
    IdleRosterDialog(const IdleRosterDialog&) = delete;
    IdleRosterDialog& operator=(const IdleRosterDialog&) = delete;
    void Run(EventDoc&) override {}

private:
    IRosterDialogPort* pPrevious;
};

TEST(EventDocCommands, EnableRulesFollowTheEvent)
{
    IdleRosterDialog dialog;
    struct Case {
        const char* pWhat;
        std::function<void(EventBuilder&)> fMake;
        bool bTimetable; // the accessor hands out the timetable
        std::vector<bool> vEnabled;
    };
    const Case a_cases[] = {
        {"an empty event", [](EventBuilder&) {}, false, {false, false, false, false, false}},
        {"a timetable object without venues",
         [](EventBuilder& e) { e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Group("Choir").Timetable(); }, false,
         {false, false, false, false, false}},
        {"venues and groups, no days",
         [](EventBuilder& e) { e.Venue("Hall").Group("Choir"); }, false, {true, false, false, false, false}},
        {"days without timeslots",
         [](EventBuilder& e) { e.Days({"Mon"}).Venue("Hall").Group("Choir").Participant("Ann Lee").Timetable(); },
         false, {true, false, false, false, false}},
        {"no participant",
         [](EventBuilder& e) { e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Choir").Timetable(); },
         true, {true, true, true, false, false}},
        {"everything but the timetable",
         [](EventBuilder& e) {
             e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Choir").Participant("Ann Lee");
         },
         false, {true, true, false, false, false}},
        {"no group",
         [](EventBuilder& e) {
             e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Participant("Ann Lee").Timetable();
         },
         true, {false, false, true, false, false}},
        {"everything", [](EventBuilder& e) { Festival(e); }, true, {true, true, true, true, true}},
        {"every timeslot removed by an edit",
         [](EventBuilder& e) {
             Festival(e);
             e.Slots(-1, {});
             e.Doc().DocChanged(UpdateViewHint::e_event_definition);
         },
         false, {true, false, false, false, false}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        c.fMake(event);
        const EventDoc& doc = event.Doc();
        EXPECT_EQ(doc.GetTimetable() != nullptr, c.bTimetable);
        std::vector<bool> v_enabled;
        for (UINT u_id : kEventCommands)
            v_enabled.push_back(doc.IsCommandEnabled(u_id) != FALSE);
        EXPECT_EQ(v_enabled, c.vEnabled);
        for (UINT u_id : {32773u, 32774u, 32796u, 57602u})
            EXPECT_TRUE(doc.IsCommandEnabled(u_id)) << u_id;
    }
}

TEST(EventDocCommands, RosteringWaitsForItsDialog)
{
    EventBuilder event;
    Festival(event);
    EXPECT_FALSE(event.Doc().IsCommandEnabled(EventDoc::ID_ROSTER_PARTICIPANTS));
    EXPECT_FALSE(event.Doc().IsCommandEnabled(EventDoc::ID_ROSTER_PARTICIPANTS_TOOL));
    IdleRosterDialog dialog;
    EXPECT_TRUE(event.Doc().IsCommandEnabled(EventDoc::ID_ROSTER_PARTICIPANTS));
}

TEST(EventDocCommands, MailCommandsFollowTheMailService)
{
    EventBuilder event;
    Festival(event);
    EventDoc& doc = event.Doc();
    EXPECT_FALSE(doc.IsCommandEnabled(32843)) << "no mail until the desktop's is installed";
    EXPECT_FALSE(doc.IsCommandEnabled(57612));
    EXPECT_FALSE(doc.IsCommandEnabled(32800)) << "not the document's command";
    EXPECT_TRUE(EventDoc::IsDocumentCommand(57612));
    EXPECT_FALSE(EventDoc::IsDocumentCommand(32800));

    ScriptedMail mail;
    EXPECT_TRUE(doc.IsCommandEnabled(32843));
    EXPECT_TRUE(doc.IsCommandEnabled(57612));
    doc.OnEmailSupport();
    doc.OnSendMail();
    ASSERT_EQ(mail.SentMail().size(), 2u);
    EXPECT_EQ(mail.SentMail()[0].pDoc, &doc);
    EXPECT_EQ(mail.SentMail()[0].vAddresses, std::vector<std::string>{"support@rotavex.example"});
    EXPECT_EQ(mail.SentMail()[0].vNames, std::vector<std::string>{"Support"});
    EXPECT_TRUE(mail.SentMail()[1].vAddresses.empty());
}

TEST(EventDocCommands, DefineEventRunsTheChangeRoutineOnlyWhenFinished)
{
    EventBuilder event;
    Festival(event);
    EventDoc& doc = event.Doc();
    ScriptedSheets sheets;
    ScriptedViews views;

    sheets.DefineEventAnswer(IDCANCEL, [](std::string& s_name, EventDefinition&) { s_name = "Dropped"; });
    doc.OnDefineEvent();
    EXPECT_EQ(doc.GetEventName(), "");
    EXPECT_TRUE(views.Updates.empty());
    EXPECT_FALSE(doc.IsModified());

    sheets.DefineEventAnswer(ID_WIZFINISH, [](std::string& s_name, EventDefinition& def) {
        s_name = "Spring";
        def.GetDayDef().GetDaySlots(1).SetSlots(ZelRelTimeslotArray(), TRUE);
    });
    doc.OnDefineEvent();
    EXPECT_EQ(doc.GetEventName(), "Spring");
    ASSERT_EQ(views.Updates.size(), 1u);
    EXPECT_EQ(views.Updates[0].lCode, UpdateViewHint::e_event_definition);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTimetable()->GetDay(1).GetVenueSlots(0).GetSize(), 0) << "the timetable was rebuilt";
}

// Every placement of the group, locked or not.
int PlacedCount(const EventDoc& doc, LONG l_group)
{
    int n_placed = 0;
    const Timetable& timetable = *doc.GetTimetable();
    for (int d = 0; d < timetable.GetNumDays(); ++d)
        for (int v = 0; v < doc.GetNumVenues(); ++v) {
            const TimeslotArray& slots = timetable.GetDay(d).GetVenueSlots(v);
            for (int i = 0; i < slots.GetSize(); ++i)
                n_placed += slots[i].GetGroup() == l_group ? 1 : 0;
        }
    return n_placed;
}

TEST(EventDocCommands, DefineEventFinishedWithoutAChangeKeepsTheTimetable)
{
    EventBuilder event;
    Festival(event);
    ruleevent::PlaceAll(event, {{0, "Hall", "09:00", "Choir"}, {1, "Barn", "10:00", "Band", true}});
    EventDoc& doc = event.Doc();
    doc.SetEventName("Spring");
    doc.SetModifiedFlag(false);
    ScriptedSheets sheets;
    ScriptedViews views;

    // Through every page and Finish, touching nothing.
    sheets.DefineEventAnswer(ID_WIZFINISH);
    doc.OnDefineEvent();
    EXPECT_EQ(sheets.nDefineEvent, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(views.Updates.empty());
    EXPECT_EQ(PlacedCount(doc, event.GroupKey("Choir")), 1)
        << "the unlocked placement stays";
    EXPECT_EQ(PlacedCount(doc, event.GroupKey("Band")), 1);

    // A change of name alone is a change.
    sheets.DefineEventAnswer(ID_WIZFINISH, [](std::string& s_name, EventDefinition&) { s_name = "Summer"; });
    doc.OnDefineEvent();
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(views.Updates.size(), 1u);
    EXPECT_EQ(views.Updates[0].lCode, UpdateViewHint::e_event_definition);
    EXPECT_EQ(PlacedCount(doc, event.GroupKey("Choir")), 0) << "a real change keeps only the locks";
    EXPECT_EQ(PlacedCount(doc, event.GroupKey("Band")), 1);
}

TEST(EventDocCommands, BuildStartsWithPendingEditsAndANamedEvent)
{
    struct Case {
        const char* pWhat;
        const char* pName;
        int iSheet; // -1: not asked
        const char* pSheetName;
        bool bTimeslots;
        bool bBuilds;
    };
    const Case a_cases[] = {
        {"named", "Spring", -1, "", true, true},
        {"named in the sheet", "", ID_WIZFINISH, "Spring", true, true},
        {"the sheet cancelled", "", IDCANCEL, "Spring", true, false},
        {"no timetable", "Spring", -1, "", false, false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        Festival(event);
        event.Name(c.pName);
        if (!c.bTimeslots)
            event.Slots(-1, {});
        ScriptedSheets sheets;
        ScriptedViews views;
        if (c.iSheet >= 0) {
            const std::string s_name = c.pSheetName;
            sheets.DefineEventAnswer(c.iSheet, [s_name](std::string& s, EventDefinition&) { s = s_name; });
        }
        Timetable* p_timetable = event.Doc().GetTimetableToBuild();
        EXPECT_EQ(views.nSlotRefreshes, 1);
        EXPECT_EQ(sheets.nDefineEvent, c.iSheet >= 0 ? 1 : 0);
        EXPECT_EQ(p_timetable != nullptr, c.bBuilds);
        if (c.bBuilds) {
            EXPECT_EQ(p_timetable, event.Doc().GetTimetable());
        }
    }
}

// Build and Check on an event that cannot have a timetable end with a box
// that says what it lacks, never without a word; an event that can have
// one gets it, even when it came without one.
TEST(EventDocCommands, BuildAndCheckSayWhatTheEventLacks)
{
    const std::string s_days =
        "The event has no days: define its days and their timeslots with Event > Define event.\n";
    const std::string s_slots = "The event's days have no timeslots: define them with Event > Define event.\n";
    const std::string s_venues = "The event has no venues: add one with Event > Add venue.\n";
    struct Case {
        const char* pWhat;
        std::function<void(EventBuilder&)> fMake;
        std::string sLacks; // empty: the timetable is handed out
    };
    const Case a_cases[] = {
        {"an empty event", [](EventBuilder&) {}, s_days + s_venues},
        {"venues and groups, no days", [](EventBuilder& e) { e.Venue("Hall").Group("Choir"); }, s_days},
        {"days without timeslots",
         [](EventBuilder& e) { e.Days({"Mon", "Tue"}).Venue("Hall").Group("Choir").Timetable(); }, s_slots},
        {"timeslots without venues",
         [](EventBuilder& e) { e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Group("Choir").Timetable(); }, s_venues},
        {"everything", [](EventBuilder& e) { e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Timetable(); },
         ""},
        {"everything but the timetable object",
         [](EventBuilder& e) { e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Choir"); }, ""},
    };
    for (const Case& c : a_cases) {
        for (const bool b_build : {true, false}) {
            SCOPED_TRACE(std::string(c.pWhat) + (b_build ? ", build" : ", check"));
            EventBuilder event;
            event.Name("Spring");
            c.fMake(event);
            EventDoc& doc = event.Doc();
            ScriptedMessageBox boxes;
            ScriptedViews views;
            Timetable* p_timetable = b_build ? doc.GetTimetableToBuild() : doc.GetTimetableToCheck();
            EXPECT_EQ(doc.DescribeTimetableNeeds(), c.sLacks);
            if (c.sLacks.empty()) {
                EXPECT_TRUE(boxes.Boxes().empty());
                ASSERT_NE(p_timetable, nullptr);
                EXPECT_EQ(p_timetable, doc.GetTimetable());
                EXPECT_EQ(p_timetable->GetNumDays(), 1);
                continue;
            }
            EXPECT_EQ(p_timetable, nullptr);
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText,
                      std::string(b_build ? "The timetable cannot be built yet.\n"
                                          : "The timetable cannot be checked yet.\n")
                          + c.sLacks);
            EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONINFORMATION);
        }
    }
}

TEST(EventDocCommands, CheckResultIsReported)
{
    struct Case {
        int iResult;
        BOOL bChanged;
        const char* pText;
        bool bModified;
    };
    const Case a_cases[] = {
        {1, FALSE, "The timetable is valid.", false},
        {0, TRUE, "The timetable is invalid.  Build the timetable to correct errors.", true},
        {-1, FALSE, "The timetable is invalid.  Build the timetable to correct errors.", false},
    };
    for (const Case& c : a_cases) {
        EventDoc doc;
        ScriptedMessageBox boxes;
        doc.ReportCheckResult(c.iResult, c.bChanged);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].sText, c.pText);
        EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(doc.IsModified(), c.bModified);
    }
}

TEST(EventDocCommands, PreferencesRebuildOnlyWhenTravelGrows)
{
    struct Case {
        const char* pWhat;
        BOOL bAllowBefore;
        UINT uMinutesBefore;
        BOOL bAllowAfter;
        UINT uMinutesAfter;
        BOOL bRebuild;
        bool bChangeRoutine;
    };
    const Case a_cases[] = {
        {"travel allowed", FALSE, 5, TRUE, 5, TRUE, true},
        {"more minutes", TRUE, 5, TRUE, 10, TRUE, true},
        {"fewer minutes", TRUE, 10, TRUE, 5, TRUE, false},
        {"travel no longer allowed", TRUE, 5, FALSE, 5, TRUE, false},
        {"more minutes while not allowed", FALSE, 5, FALSE, 10, TRUE, false},
        {"no rebuild asked", FALSE, 5, TRUE, 5, FALSE, false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        Festival(event);
        EventDoc& doc = event.Doc();
        doc.GetPreferences().SetAllowTravel(c.bAllowBefore);
        doc.GetPreferences().SetTravelMinutes(c.uMinutesBefore);
        ScriptedViews views;
        Preferences prefs(doc.GetPreferences());
        prefs.SetAllowTravel(c.bAllowAfter);
        prefs.SetTravelMinutes(c.uMinutesAfter);

        doc.SetPreferences(prefs, c.bRebuild);
        EXPECT_EQ(doc.GetPreferences().GetAllowTravel(), c.bAllowAfter);
        EXPECT_EQ(doc.GetPreferences().GetTravelMinutes(), c.uMinutesAfter);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(views.Updates.size(), c.bChangeRoutine ? 1u : 0u);
        if (c.bChangeRoutine) {
            EXPECT_FALSE(views.Updates[0].bHint);
        }
    }
}

TEST(EventDocCommands, PreferencesSheetResults)
{
    EventBuilder event;
    Festival(event);
    EventDoc& doc = event.Doc();
    ScriptedSheets sheets;
    ScriptedViews views;

    sheets.PreferencesAnswer(IDCANCEL, [](Preferences& p) { p.SetTravelMinutes(60); });
    doc.OnPreferences();
    EXPECT_EQ(doc.GetPreferences().GetTravelMinutes(), 5u);
    EXPECT_FALSE(doc.IsModified());

    sheets.PreferencesAnswer(IDOK, [](Preferences& p) { p.SetTravelMinutes(60); });
    doc.OnPreferences();
    EXPECT_EQ(doc.GetPreferences().GetTravelMinutes(), 60u);
    EXPECT_EQ(views.Updates.size(), 1u) << "more travel time rebuilds";

    sheets.PreferencesAnswer(IDABORT, [](Preferences& p) { p.SetTravelMinutes(90); });
    EXPECT_THROW(doc.OnPreferences(), CResourceException);
    EXPECT_EQ(doc.GetPreferences().GetTravelMinutes(), 60u);
}

TEST(EventDocCommands, SchedulingRulesSheetTakesRevalidatesAndTells)
{
    EventBuilder event;
    Festival(event);
    EventDoc& doc = event.Doc();
    ScriptedSheets sheets;
    ScriptedViews views;
    ScriptedMessageBox boxes;
    const LONG l_hall = event.VenueKey("Hall");
    const LONG l_mon = doc.GetEventDef().GetDayDef().GetDayId(0);

    // The sheet adds a rule over Hall 09:00 and a time that is no slot.
    auto f_add = [&](SchedulingRules& rules) {
        ::DayRule rule;
        rule.SetKind(SchedRule::e_different_groups);
        rule.SetDayId(l_mon);
        rule.GetScope().AddTime(l_mon, EventBuilder::RelSlot("09:00-10:00", l_hall));
        rule.GetScope().AddTime(l_mon, EventBuilder::RelSlot("13:00-14:00", l_hall));
        rule.UpdateValid(&doc);
        rules.GetDayRules().Add(rule);
    };
    sheets.RulesAnswer(IDCANCEL, f_add);
    doc.OnSchedulingRules();
    EXPECT_EQ(doc.GetSchedulingRules().GetNumDayRules(), 0);
    EXPECT_TRUE(views.Updates.empty());

    sheets.RulesAnswer(IDOK, f_add);
    doc.OnSchedulingRules();
    ASSERT_EQ(doc.GetSchedulingRules().GetNumDayRules(), 1);
    EXPECT_EQ(doc.GetSchedulingRules().GetDayRules()[0].IsEnabled(), FALSE);
    EXPECT_EQ(boxes.Boxes().size(), 1u) << "told once, though revalidated twice";
    ASSERT_EQ(views.Updates.size(), 1u);
    EXPECT_EQ(views.Updates[0].lCode, UpdateViewHint::e_scheduling_rules);
    EXPECT_TRUE(doc.IsModified());
}

TEST(EventDocEdits, RemoveVenueRefs)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Venue("Hall").Venue("Barn").Venue("Loft").Group("Choir").Group("Band");
    for (int d = 0; d < 2; ++d) {
        event.VenueSlots(d, "Hall", {"09:00-10:00"});
        event.VenueSlots(d, "Barn", {"10:00-11:00"});
        event.VenueSlots(d, "Loft", {"11:00-12:00"});
    }
    event.Timetable().Place(1, "Hall", "09:00", "Choir").Place(1, "Loft", "11:00", "Band", true);
    EventDoc& doc = event.Doc();
    const LONG l_barn = event.VenueKey("Barn");

    doc.RemoveVenueRefs(l_barn);

    EXPECT_EQ(doc.GetNumVenues(), 2);
    EXPECT_EQ(doc.GetVenues().FindByKey(l_barn), -1);
    for (int d = 0; d < 2; ++d) {
        const ZelRelTimeslotArray& a_slots = doc.GetEventDef().GetDayDef().GetDaySlots(d).GetSlots();
        ASSERT_EQ(a_slots.GetSize(), 2);
        for (int i = 0; i < a_slots.GetSize(); ++i)
            EXPECT_NE(a_slots[i].GetSetKey(), l_barn);
        ASSERT_EQ(doc.GetTimetable()->GetDay(d).GetNumVenues(), 2);
    }
    EXPECT_EQ(event.Slot(1, "Hall", "09:00").GetGroup(), event.GroupKey("Choir"));
    EXPECT_EQ(event.Slot(1, "Loft", "11:00").GetGroup(), event.GroupKey("Band"));
    EXPECT_EQ(event.Slot(1, "Loft", "11:00").IsLocked(), TRUE);
}

TEST(EventDocEdits, CompareSlotTimesAcrossConsecutiveDays)
{
    // Mon is followed by Tue; Thu follows nothing and nothing follows it.
    EventBuilder event;
    event.Days({"Mon", "Tue", "Thu"}).Consecutive(0);
    const EventDoc& doc = event.Doc();
    auto slot = [](int i_day, const char* p_start, int i_minutes) {
        return Timeslot(EventBuilder::At(p_start), CHighTimeSpan(0, 0, i_minutes), i_day, 0);
    };
    struct Case {
        const char* pWhat;
        Timeslot a;
        Timeslot b;
        int iMode;
        int iOrder;
    };
    const Case a_cases[] = {
        {"same day, starts", slot(0, "09:00", 60), slot(0, "10:00", 60), 0, -1},
        {"same day, end against start", slot(0, "09:00", 60), slot(0, "10:00", 60), 2, 0},
        {"same day, start against end", slot(0, "10:00", 60), slot(0, "09:00", 30), 1, 1},
        {"same day, ends", slot(0, "09:00", 120), slot(0, "10:00", 60), 3, 0},
        {"next day's early slot is later", slot(0, "09:00", 60), slot(1, "08:00", 60), 0, -1},
        {"and the other way round", slot(1, "08:00", 60), slot(0, "09:00", 60), 0, 1},
        {"a late slot runs past midnight into the next day's", slot(0, "23:00", 120), slot(1, "00:30", 60), 2, 1},
        {"ending at midnight meets the next day's first", slot(0, "23:00", 60), slot(1, "00:00", 60), 2, 0},
        {"the next day's start against the late end", slot(1, "00:30", 60), slot(0, "23:00", 120), 1, -1},
        {"days apart: the day decides", slot(1, "23:00", 60), slot(2, "01:00", 60), 0, -1},
        {"days apart, the other way round", slot(2, "01:00", 60), slot(1, "23:00", 60), 0, 1},
        {"an earlier day apart, whatever the times", slot(0, "23:00", 60), slot(2, "00:00", 60), 3, -1},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(doc.CompareSlotTimes(c.a, c.b, c.iMode), c.iOrder) << c.pWhat;
}

TEST(EventDocEdits, RenameStyleAndFacility)
{
    struct Case {
        const char* pWhat;
        bool bFacility;
        const char* pKeyOf;
        const char* pName;
        int iResult;
        const char* pBox; // null: none
        const char* pNameAfter;
    };
    const Case a_cases[] = {
        {"a new name", false, "Beta", "Gamma", 1, nullptr, "Gamma"},
        {"its own name", false, "Beta", "Beta", -1, "Cannot rename 'Beta' to 'Beta': 'Beta' already exists.", "Beta"},
        {"another's name, compared as a name", false, "Beta", " Alpha ", -1,
         "Cannot rename 'Beta' to 'Alpha': 'Alpha' already exists.", "Beta"},
        {"an empty name", false, "Beta", "  ", -1, "The name '  ' is not a valid style name.", "Beta"},
        {"an empty facility name", true, "Piano", "", -1, "The name '' is not a valid facility name.", "Piano"},
        {"a facility's new name", true, "Piano", "Organ", 0, nullptr, "Organ"},
        {"a style's name for a facility", true, "Piano", "Alpha", 0, nullptr, "Alpha"},
        {"no such key", false, nullptr, "Delta", -1, nullptr, nullptr},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        event.Style("Alpha").Style("Beta").Facility("Piano");
        EventDoc& doc = event.Doc();
        ScriptedMessageBox boxes;
        ScriptedViews views;
        const LONG l_key = c.pKeyOf == nullptr ? 999999 : c.bFacility ? event.FacilityKey(c.pKeyOf)
                                                                         : event.StyleKey(c.pKeyOf);
        const int i_result = c.bFacility ? doc.RenameFacility(l_key, c.pName) : doc.RenameStyle(l_key, c.pName);
        EXPECT_EQ(i_result, c.iResult);
        if (c.pBox != nullptr) {
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, c.pBox);
            EXPECT_EQ(boxes.Boxes()[0].uStyle, MB_OK | MB_ICONEXCLAMATION);
        } else {
            EXPECT_TRUE(boxes.Boxes().empty());
        }
        if (c.pNameAfter != nullptr) {
            const std::string s_after = c.bFacility
                ? doc.GetFacilities().GetAt(doc.GetFacilities().FindByKey(l_key)).GetName()
                : doc.GetStyles().GetAt(doc.GetStyles().FindByKey(l_key)).GetName();
            EXPECT_EQ(s_after, c.pNameAfter);
        }
        EXPECT_EQ(views.Updates.size(), c.iResult >= 0 ? 1u : 0u);
        EXPECT_EQ(doc.IsModified(), c.iResult >= 0);
    }
}

} // namespace
