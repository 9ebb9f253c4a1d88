#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "model/tests/RuleEvent.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ruleevent::Festival;
using testevent::EventBuilder;

namespace {

const CHighTime kMonday(2024, 5, 6, 9, 30);
const CHighTime kTuesday(2024, 5, 7, 17, 45);

// The festival, named, with Choir locked into Hall at 09:00 on Mon.
void NamedFestival(EventBuilder& event)
{
    Festival(event);
    event.Name("Spring").Place(0, "Hall", "09:00", "Choir", true);
}

TEST(EventDocLife, NewEventStartsEmptyAndAsksForItsDefinitionOnce)
{
    EventBuilder event;
    NamedFestival(event);
    EventDoc& doc = event.Doc();
    doc.SetFileVersion(38);
    doc.SetPathName("/events/old.eve");
    doc.GetMiscOptions().SetTextExportKind(1109);
    doc.SetModifiedFlag();

    ScriptedMainWindow frame;
    ScriptedClock clock(kMonday);
    ScriptedViews views;
    ScriptedViews::ListView& groups = views.AddListView("GroupView");
    ASSERT_TRUE(doc.OnNewDocument());

    EXPECT_EQ(frame.Posted(), std::vector<UINT>{32774});
    EXPECT_EQ(doc.GetFileVersion(), 40u);
    EXPECT_EQ(doc.GetCreationDate(), kMonday);
    EXPECT_EQ(doc.GetLastSavedDate().GetStatus(), CHighTime::null);
    EXPECT_EQ(doc.GetEventName(), "");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetNumVenues(), 0);
    EXPECT_EQ(doc.GetGroups().GetNumGroups(), 0);
    EXPECT_EQ(doc.GetTimetableObject(), nullptr);
    EXPECT_EQ(doc.GetMiscOptions().GetTextExportKindId(), 1109) << "export choices carry over";
    EXPECT_EQ(groups.nFocusCleared, 1);
    ASSERT_EQ(views.Updates.size(), 1u);
    EXPECT_FALSE(views.Updates[0].bHint);

    // The posted command opens Define Event; cancelled, the event has no
    // name, and saving it opens the sheet again before anything is saved.
    ScriptedSheets sheets;
    ScriptedSaveQuestions questions;
    ScriptedEventFile file;
    sheets.DefineEventAnswer(IDCANCEL, [](std::string& s_name, EventDefinition&) { s_name = "Too late"; });
    doc.OnDefineEvent();
    EXPECT_EQ(doc.GetEventName(), "") << "a cancelled sheet copies nothing back";

    questions.SavePathAnswer("/events/new.eve");
    sheets.DefineEventAnswer(ID_WIZFINISH, [](std::string& s_name, EventDefinition&) { s_name = "Summer"; });
    clock.Set(kTuesday);
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(sheets.nDefineEvent, 2);
    EXPECT_EQ(file.Saved(), std::vector<std::string>{"/events/new.eve"});
    EXPECT_EQ(doc.GetEventName(), "Summer");
    EXPECT_EQ(doc.GetPathName(), "/events/new.eve");
    EXPECT_EQ(doc.GetLastSavedDate(), kTuesday);
    EXPECT_EQ(doc.GetCreationDate(), kMonday);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame.Posted().size(), 1u);

    // Still without a name after the sheet: nothing is saved.
    doc.SetEventName("");
    EXPECT_FALSE(doc.OnSaveDocument("/events/new.eve"));
    EXPECT_EQ(sheets.nDefineEvent, 3);
    EXPECT_EQ(file.Saved().size(), 1u);
}

TEST(EventDocLife, OlderFileAsksBeforeItIsOverwritten)
{
    struct Case {
        const char* pWhat;
        int iAnswer;
        const char* pChosenPath; // the Save As answer; null: not asked
        BOOL bSaved;
        std::vector<std::string> vSaved;
        const char* pPathAfter;
    };
    const Case a_cases[] = {
        {"overwrite", IDC_REVISION_OVERWRITE, nullptr, TRUE, {"/e/old.eve"}, "/e/old.eve"},
        {"save as", IDC_REVISION_SAVE_AS, "/e/new.eve", TRUE, {"/e/new.eve"}, "/e/new.eve"},
        {"save as, no name chosen", IDC_REVISION_SAVE_AS, "", FALSE, {}, "/e/old.eve"},
        {"cancel", IDCANCEL, nullptr, FALSE, {}, "/e/old.eve"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        NamedFestival(event);
        EventDoc& doc = event.Doc();
        doc.SetFileVersion(38);
        doc.SetPathName("/e/old.eve");
        doc.SetModifiedFlag();

        ScriptedRevisionChanged revision;
        ScriptedSaveQuestions questions;
        ScriptedEventFile file;
        revision.Answer(c.iAnswer);
        if (c.pChosenPath != nullptr)
            questions.SavePathAnswer(c.pChosenPath);

        EXPECT_EQ(doc.DoFileSave(), c.bSaved);
        EXPECT_EQ(revision.TimesAsked(), 1);
        EXPECT_EQ(questions.SavePathAsked().size(), c.pChosenPath != nullptr ? 1u : 0u);
        EXPECT_EQ(file.Saved(), c.vSaved);
        EXPECT_EQ(doc.GetPathName(), c.pPathAfter);
        EXPECT_EQ(doc.IsModified(), !c.bSaved);
        EXPECT_EQ(doc.GetFileVersion(), c.bSaved ? 40u : 38u);

        // Once saved in the current version the question is not asked again.
        if (c.bSaved) {
            doc.SetModifiedFlag();
            EXPECT_TRUE(doc.DoFileSave());
            EXPECT_EQ(revision.TimesAsked(), 1);
            EXPECT_EQ(file.Saved().size(), 2u);
        }
    }

    // Save As of an older file names a new file anyway: no question.
    EventBuilder event;
    NamedFestival(event);
    event.Doc().SetFileVersion(38);
    ScriptedRevisionChanged revision;
    ScriptedSaveQuestions questions;
    ScriptedEventFile file;
    questions.SavePathAnswer("/e/copy.eve");
    EXPECT_TRUE(event.Doc().DoSave("", TRUE));
    EXPECT_EQ(revision.TimesAsked(), 0);
    EXPECT_EQ(file.Saved(), std::vector<std::string>{"/e/copy.eve"});
}

TEST(EventDocLife, SaveModifiedAndClose)
{
    struct Case {
        const char* pWhat;
        bool bModified;
        int iAnswer;
        BOOL bSaveWorks;
        BOOL bResult;
        bool bAsked;
        size_t nSaved;
        bool bModifiedAfter;
        bool bClosed; // the close that follows empties the event
    };
    const Case a_cases[] = {
        {"unmodified", false, IDCANCEL, TRUE, TRUE, false, 0, false, true},
        {"cancel", true, IDCANCEL, TRUE, FALSE, true, 0, true, false},
        {"no", true, IDNO, TRUE, TRUE, true, 0, false, true},
        {"yes", true, IDYES, TRUE, TRUE, true, 1, false, true},
        {"yes, the save fails", true, IDYES, FALSE, FALSE, true, 1, true, false},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        for (bool b_close : {false, true}) {
            EventBuilder event;
            NamedFestival(event);
            EventDoc& doc = event.Doc();
            doc.SetPathName("/e/spring.eve");
            doc.SetModifiedFlag(c.bModified);

            ScriptedSaveQuestions questions;
            ScriptedEventFile file;
            ScriptedMainWindow frame;
            ScriptedClock clock(kTuesday);
            questions.SaveChangesAnswer(c.iAnswer);
            file.SetSave([&c](EventDoc&, const std::string&) { return c.bSaveWorks; });

            if (!b_close) {
                EXPECT_EQ(doc.SaveModified(), c.bResult);
                EXPECT_EQ(doc.IsModified(), c.bModifiedAfter);
            } else {
                doc.OnCloseEvent();
                EXPECT_EQ(doc.GetEventName(), c.bClosed ? "" : "Spring");
                EXPECT_EQ(doc.GetNumVenues(), c.bClosed ? 0 : 2);
                if (c.bClosed) {
                    EXPECT_EQ(doc.GetCreationDate(), kTuesday);
                    EXPECT_EQ(doc.GetPathName(), "");
                    EXPECT_FALSE(doc.IsModified());
                }
                EXPECT_TRUE(frame.Posted().empty()) << "closing never opens Define Event";
            }
            EXPECT_EQ(questions.SaveChangesAsked(),
                      c.bAsked ? std::vector<std::string>{"/e/spring.eve"} : std::vector<std::string>{});
            EXPECT_EQ(file.Saved().size(), c.nSaved);
        }
    }
}

TEST(EventDocLife, OpenRevalidatesOnlyAfterLoadProblems)
{
    struct Case {
        const char* pWhat;
        BOOL bLoads;
        BOOL bProblems;
        bool bRevalidated;
        bool bModified;
    };
    const Case a_cases[] = {
        {"a clean load", TRUE, FALSE, false, false},
        {"a load that refused items", TRUE, TRUE, true, true},
        {"a file that cannot be opened", FALSE, FALSE, false, true},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder open;
        NamedFestival(open);
        EventDoc& doc = open.Doc();
        doc.SetPathName("/e/before.eve");
        doc.SetModifiedFlag();

        ScriptedEventFile file;
        ScriptedMessageBox boxes;
        ScriptedViews views;
        ScriptedViews::ListView& list = views.AddListView("ParticipantView");
        file.SetLoad([&c](EventDoc& d, const std::string&) {
            if (!c.bLoads)
                return FALSE;
            // The loaded event: a day rule over a time that is no slot,
            // which revalidation disables (and says so).
            EventBuilder loaded;
            Festival(loaded);
            d.SetEventName("Loaded");
            d.GetEventDef() = loaded.Doc().GetEventDef();
            d.GetSchedulingRules() = SchedulingRules();
            ::DayRule rule;
            rule.SetKind(SchedRule::e_different_groups);
            rule.SetDayId(d.GetEventDef().GetDayDef().GetDayId(0));
            rule.GetScope().AddTime(rule.GetDayId(), EventBuilder::RelSlot("13:00-14:00", d.GetVenues()[0].GetKey()));
            rule.UpdateValid(&d);
            d.GetSchedulingRules().GetDayRules().Add(rule);
            d.SetLoadProblems(c.bProblems);
            return TRUE;
        });

        EXPECT_EQ(doc.OnOpenDocument("/e/after.eve"), c.bLoads);
        EXPECT_EQ(doc.GetEventName(), c.bLoads ? "Loaded" : "Spring");
        EXPECT_EQ(doc.GetPathName(), c.bLoads ? "/e/after.eve" : "/e/before.eve");
        EXPECT_EQ(doc.IsModified(), c.bModified);
        EXPECT_EQ(boxes.Boxes().size(), c.bRevalidated ? 1u : 0u);
        if (c.bLoads) {
            EXPECT_EQ(doc.GetSchedulingRules().GetDayRules()[0].IsEnabled(), c.bRevalidated ? FALSE : TRUE);
        }
        EXPECT_EQ(list.nFocusCleared, c.bLoads ? 1 : 0);
    }
}

TEST(EventDocLife, DeleteContentsKeepsExportChoicesVersionAndLoadFlag)
{
    EventBuilder event;
    NamedFestival(event);
    EventDoc& doc = event.Doc();
    event.Style("Jazz2").Facility("Piano");
    doc.AddParticipantRole("Lead");
    doc.SetFurtherText1("one");
    doc.SetFurtherText2("two");
    doc.GetCombinations().Add(ZelTimeslotCombination("Morning"));
    doc.SetCreationDate(kMonday);
    doc.SetLastSavedDate(kTuesday);
    doc.GetPreferences().SetTravelMinutes(30);
    doc.GetPrintOptions().bLandscape = 1;
    event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
    doc.GetMiscOptions().SetTextExportKind(1110);
    doc.SetFileVersion(38);
    doc.SetLoadProblems(TRUE);

    doc.DeleteContents();

    EXPECT_EQ(doc.GetEventName(), "");
    EXPECT_EQ(doc.GetFurtherText1(), "");
    EXPECT_EQ(doc.GetFurtherText2(), "");
    EXPECT_EQ(doc.GetTimetableObject(), nullptr);
    EXPECT_EQ(doc.GetNumVenues(), 0);
    EXPECT_EQ(doc.GetGroups().GetNumGroups(), 0);
    EXPECT_EQ(doc.GetParticipants().GetNumParticipants(), 0);
    EXPECT_EQ(doc.GetStyles().GetCount(), 0);
    EXPECT_EQ(doc.GetFacilities().GetCount(), 0);
    EXPECT_EQ(doc.GetParticipantRoles().GetCount(), 0);
    EXPECT_EQ(doc.GetCombinations().GetCount(), 0);
    EXPECT_EQ(doc.GetEventDef().GetDayDef().GetNumDays(), 0);
    EXPECT_EQ(doc.GetPreferences().GetTravelMinutes(), 5u);
    EXPECT_TRUE(doc.GetPrintOptions() == PrintOptions());
    EXPECT_EQ(doc.GetSchedulingRules().GetNumDayRules(), 0);
    EXPECT_EQ(doc.GetCreationDate().GetStatus(), CHighTime::null);
    EXPECT_EQ(doc.GetLastSavedDate().GetStatus(), CHighTime::null);

    EXPECT_EQ(doc.GetMiscOptions().GetTextExportKindId(), 1110);
    EXPECT_EQ(doc.GetFileVersion(), 38u);
    EXPECT_EQ(doc.GetLoadProblems(), TRUE);
}

TEST(EventDocChange, RebuildsRevalidatesThenTellsTheViewsWithTheHint)
{
    for (LONG l_hint = 0; l_hint <= 5; ++l_hint) {
        SCOPED_TRACE(l_hint);
        EventBuilder event;
        NamedFestival(event);
        EventDoc& doc = event.Doc();
        // A day rule over Mon's 10:00 slot, which the edit below removes.
        event.DayRule(0, SchedRule::e_different_groups, {"Hall 10:00-11:00", "Barn 10:00-11:00"});
        event.Slots(0, {"09:00-10:00", "11:00-12:00"});
        doc.SetModifiedFlag(false);

        ScriptedViews views;
        ScriptedViews::ListView& venues = views.AddListView("VenueView");
        views.SetActiveView(&venues);
        ScriptedMessageBox boxes;
        struct Seen {
            int nSlots = -1;
            BOOL bLocked = FALSE;
            size_t nBoxes = 0;
            bool bModified = true;
        } seen;
        views.fOnUpdate = [&](const UpdateViewHint*) {
            const Timetable* p_timetable = doc.GetTimetableObject();
            seen.nSlots = p_timetable->GetDay(0).GetVenueSlots(0).GetSize();
            seen.bLocked = event.Slot(0, "Hall", "09:00").IsLocked();
            seen.nBoxes = boxes.Boxes().size();
            seen.bModified = doc.IsModified();
        };

        doc.DocChanged(l_hint);

        // By the time the views hear of it the timetable is the new one,
        // with the lock carried over, and the rules were revalidated; the
        // event is marked modified only afterwards.
        EXPECT_EQ(seen.nSlots, 2);
        EXPECT_EQ(seen.bLocked, TRUE);
        EXPECT_EQ(seen.nBoxes, 1u);
        EXPECT_FALSE(seen.bModified);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(event.GetDayRule(0).IsEnabled(), FALSE);

        ASSERT_EQ(views.Updates.size(), 1u);
        const ScriptedViews::Update& update = views.Updates[0];
        EXPECT_EQ(update.lCode, l_hint);
        EXPECT_EQ(update.bHint, l_hint != 0 ? TRUE : FALSE) << "everything goes without a hint";
        EXPECT_EQ(update.lIndex, -1);
        EXPECT_EQ(update.lValue, 0);
        EXPECT_EQ(update.pActive, nullptr) << "no active view during the update";
        EXPECT_EQ(views.GetActiveView(), &venues) << "and it is back afterwards";
    }
}

TEST(EventDocChange, WithoutTimeslotsThereIsNoTimetable)
{
    EventBuilder event;
    NamedFestival(event);
    EventDoc& doc = event.Doc();
    event.Slots(-1, {});
    doc.DocChanged(UpdateViewHint::e_event_definition);
    EXPECT_EQ(doc.GetTimetableObject(), nullptr);

    // Timeslots back: a new timetable, nothing placed.
    event.Slots(-1, {"09:00-10:00"});
    doc.DocChanged(UpdateViewHint::e_event_definition);
    ASSERT_NE(doc.GetTimetable(), nullptr);
    EXPECT_EQ(doc.GetTimetable()->GetNumDays(), 2);
    EXPECT_TRUE(event.Slot(0, "Hall", "09:00").IsEmpty());
}

TEST(EventDocChange, ListViewsRefillFocusAndPendingEdits)
{
    EventDoc doc;
    ScriptedViews views;
    ScriptedViews::ListView& groups = views.AddListView("GroupView");
    views.AddView("CRotavexView");
    ScriptedViews::ListView& participants = views.AddListView("ParticipantView");

    doc.InvalidateItemListViews();
    EXPECT_EQ(groups.bRefill, TRUE);
    EXPECT_EQ(participants.bRefill, TRUE);
    EXPECT_EQ(views.iSelectedDay, -1);
    EXPECT_EQ(views.bResetRequest, TRUE);

    doc.ClearListViewFocus();
    EXPECT_EQ(groups.nFocusCleared, 1);
    EXPECT_EQ(participants.nFocusCleared, 1);

    doc.CommitViewEdits();
    EXPECT_EQ(views.nSlotRefreshes, 1);
}

} // namespace
