#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/tests/TornWrite.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "model/ShellPorts.h"
#include "model/tests/DayTimes.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventFileFixtures.h"
#include "testsupport/OrdinaryUser.h"
#include "generators/SampleEvents.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testbytes::Builder;
using testbytes::Bytes;
using namespace eventfixtures;

namespace fs = std::filesystem;

namespace {

constexpr UINT uWarning = MB_OK | MB_ICONEXCLAMATION;

// The ports a load talks to, scripted: message boxes, the continue-or-quit
// question, the main window and the clock.
struct Ports {
    ScriptedMessageBox Boxes;
    ScriptedContinueQuit ContinueQuit;
    ScriptedMainWindow MainWindow;
    ScriptedClock Clock{ZelOleDateTime(2025, 2, 3, 4, 5, 6)};

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> v;
        for (const auto& box : Boxes.Boxes())
            v.push_back(box.sText);
        return v;
    }
};

std::unique_ptr<EventDoc> Make(void (*f_make)(EventDoc&))
{
    auto p_doc = std::make_unique<EventDoc>();
    f_make(*p_doc);
    return p_doc;
}

// The event of the bytes, loaded as in a program just started.
std::unique_ptr<EventDoc> LoadFresh(const Bytes& v_bytes)
{
    sampleevents::ResetKeyCounters();
    auto p_doc = std::make_unique<EventDoc>();
    p_doc->ReadEventFile(v_bytes);
    return p_doc;
}

Bytes Rename(const Bytes& v_bytes, const std::string& s_from, const std::string& s_to)
{
    return ReplaceOnce(v_bytes, TextBytes(s_from), TextBytes(s_to));
}

// Placed groups and locks over the timetable: "day/venue/slot:group!"
// for each placement, the bang for a lock, the venue by its index.
std::vector<std::string> Placements(const EventDoc& doc)
{
    std::vector<std::string> v;
    const Timetable* p_timetable = doc.GetTimetableObject();
    if (p_timetable == nullptr)
        return v;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        for (int i_venue = 0; i_venue < day.GetNumVenues(); ++i_venue) {
            const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                const Timeslot& slot = a_slots[i];
                EXPECT_EQ(slot.GetDay(), d);
                EXPECT_EQ(slot.GetVenue(), i_venue);
                if (slot.GetGroup() < 0 && !slot.IsLocked())
                    continue;
                const int i_group = doc.GetGroups().FindByKey(slot.GetGroup());
                v.push_back(std::to_string(d) + "/" + std::to_string(i_venue) + "/" + std::to_string(i) + ":"
                            + (i_group < 0 ? std::to_string(slot.GetGroup()) : doc.GetGroups()[i_group].GetName())
                            + (slot.IsLocked() ? "!" : ""));
            }
        }
    }
    return v;
}

class TempDir {
public:
    TempDir() : Path(fs::temp_directory_path() / ("rvx-eventfile-" + std::to_string(getpid())))
    {
        fs::create_directories(Path);
    }
    ~TempDir() { fs::remove_all(Path); }
    std::string File(const std::string& s_name) const { return (Path / s_name).string(); }

    fs::path Path;
};

Bytes ReadFile(const std::string& s_path) { return ReadWholeFile(s_path); }

// ---- the stored form ----

// Every sample event, written and read back in a program just started,
// writes the same bytes again; the file starts with the current version,
// the name and the release.
TEST(EventFile, EverySampleLoadsAndSavesToTheSameBytes)
{
    Ports ports;
    for (const sampleevents::Sample& sample : sampleevents::Samples()) {
        sampleevents::ResetKeyCounters();
        const Bytes v_saved = Make(sample.fMake)->WriteEventFile();
        auto p_loaded = LoadFresh(v_saved);
        EXPECT_EQ(p_loaded->WriteEventFile(), v_saved) << sample.pFileName;
        EXPECT_FALSE(p_loaded->GetLoadProblems()) << sample.pFileName;
        EXPECT_FALSE(p_loaded->GetLoadRepairs()) << sample.pFileName;
        Builder head;
        head.Dword(40).String(p_loaded->GetEventName()).String("1.89");
        EXPECT_TRUE(std::equal(head.Get().begin(), head.Get().end(), v_saved.begin())) << sample.pFileName;
    }
    EXPECT_TRUE(ports.Boxes.Boxes().empty());
}

TEST(EventFile, TheCalendarSampleComesBackWhole)
{
    Ports ports;
    sampleevents::ResetKeyCounters();
    auto p_made = Make(sampleevents::MakeCalendarEvent);
    auto p_doc = LoadFresh(p_made->WriteEventFile());
    const EventDoc& doc = *p_doc;
    EXPECT_EQ(doc.GetEventName(), "Summer school");
    EXPECT_EQ(doc.GetFurtherText1(), "kept as it stands");
    EXPECT_EQ(doc.GetCreationDate(), p_made->GetCreationDate());
    EXPECT_EQ(doc.GetEventDef().GetDaySel(), EventDefinition::eCalendar);
    EXPECT_EQ(doc.GetEventDef().GetDayDef().GetNumDays(), 3);
    EXPECT_EQ(doc.GetParticipantRoles().GetCount(), 2);
    EXPECT_EQ(doc.GetNumVenues(), 2);
    EXPECT_EQ(doc.GetGroups().GetNumGroups(), 3);
    EXPECT_EQ(doc.GetParticipants().GetNumParticipants(), 4);
    EXPECT_EQ(doc.GetStyles().GetCount(), 3);
    EXPECT_EQ(doc.GetFacilities().GetCount(), 2);
    EXPECT_EQ(doc.GetSchedulingRules().GetNumDayRules(), 2);
    EXPECT_EQ(doc.GetSchedulingRules().GetNumVenueRules(), 3);
    EXPECT_EQ(doc.GetCombinations().GetCount(), 1);
    EXPECT_EQ(doc.GetGroups()[0].GetMembers().GetSize(), 3);
    EXPECT_EQ(Placements(doc), Placements(*p_made));
    EXPECT_EQ(Placements(doc).size(), 5u);
}

// The samples kept for the tests of other parts are the generator's output
// as it stands, and each loads and saves to its own bytes.
TEST(EventFile, KeptSampleFilesAreCurrent)
{
    Ports ports;
    for (const sampleevents::Sample& sample : sampleevents::Samples()) {
        const std::string s_path = std::string(ROTAVEX_SAMPLE_EVENTS) + "/" + sample.pFileName;
        const Bytes v_kept = ReadFile(s_path);
        sampleevents::ResetKeyCounters();
        EXPECT_EQ(Make(sample.fMake)->WriteEventFile(), v_kept) << sample.pFileName << " needs generating again";
        EXPECT_EQ(LoadFresh(v_kept)->WriteEventFile(), v_kept) << sample.pFileName;
    }
}

// An event without any item still holds every key counter and a zero count
// for every list, then no timetable, an empty combination list and no
// layouts.
TEST(EventFile, AnEmptyEventHoldsEveryCounter)
{
    Ports ports;
    EventDoc doc;
    doc.SetEventName("Nothing yet");
    ParticipantRole::SetKeyCounter(15);
    Venue::SetKeyCounter(11);
    Group::SetKeyCounter(12);
    Participant::SetKeyCounter(13);
    Property::SetKeyCounter(14);
    const Bytes v_file = doc.WriteEventFile();
    Builder tail;
    tail.Dwords({15, 0, 11, 0, 12, 0, 13, 0, 14, 0, 14, 0}).Dword(0).Dwords({1, 999999, 0}).Dword(0);
    EXPECT_EQ(v_file, Builder(HeadOf(doc)).Raw(tail).Get());

    sampleevents::ResetKeyCounters();
    EventDoc loaded;
    loaded.ReadEventFile(v_file);
    EXPECT_EQ(ParticipantRole::GetKeyCounter(), 15);
    EXPECT_EQ(Venue::GetKeyCounter(), 11);
    EXPECT_EQ(Group::GetKeyCounter(), 12);
    EXPECT_EQ(Participant::GetKeyCounter(), 13);
    EXPECT_EQ(Property::GetKeyCounter(), 14);
    EXPECT_EQ(loaded.GetFileVersion(), 40u);
    EXPECT_EQ(loaded.GetTimetableObject(), nullptr);
}

// ---- older versions ----

// Each version gives its sections, and what an older file lacks is left
// empty or at its defaults, whatever the open event had: the rules below
// 22, the roles below 29, the combinations below 32, the layouts below 15
// (the list views keep theirs).
TEST(EventFile, OlderVersionsReadWhatTheyHold)
{
    Ports ports;
    ScriptedViews views;
    ScriptedViews::ListView& group_view = views.AddListView("GroupView");
    for (unsigned v = 1; v <= 40; ++v) {
        sampleevents::ResetKeyCounters();
        auto p_doc = Make(sampleevents::MakeCalendarEvent);
        const LONG l_property = Property::GetKeyCounter();
        group_view.nLayoutsTaken = 0;
        group_view.bRefill = FALSE;
        p_doc->ReadEventFile(MinimalFile(v));
        const EventDoc& doc = *p_doc;
        EXPECT_EQ(doc.GetFileVersion(), v);
        EXPECT_EQ(doc.GetEventName(), "Old event");
        EXPECT_EQ(doc.GetNumVenues(), 0) << v;
        // The one day of versions 1 to 6 has timeslots, and with them the
        // (empty) timetable they make; the later files have no days.
        if (v <= 6) {
            ASSERT_NE(doc.GetTimetableObject(), nullptr) << v;
            EXPECT_EQ(doc.GetTimetableObject()->GetNumDays(), 1) << v;
            EXPECT_TRUE(Placements(doc).empty()) << v;
        } else {
            EXPECT_EQ(doc.GetTimetableObject(), nullptr) << v;
        }
        EXPECT_EQ(doc.GetSchedulingRules().GetNumDayRules() + doc.GetSchedulingRules().GetNumVenueRules(), 0) << v;
        EXPECT_EQ(doc.GetParticipantRoles().GetCount(), 0) << v;
        EXPECT_EQ(doc.GetCombinations().GetCount(), 0) << v;
        EXPECT_EQ(group_view.bRefill, TRUE) << v << ": every load refills the list views";
        EXPECT_EQ(group_view.nLayoutsTaken, v >= 15 ? 1 : 0) << v;
        EXPECT_EQ(doc.GetViewLayouts().size(), v >= 15 ? 1u : 0u) << v;
        if (v >= 15) {
            EXPECT_EQ(group_view.Layout.GetColumnCount(), 4) << v;
        }
        EXPECT_EQ(Venue::GetKeyCounter(), 4) << v;
        EXPECT_EQ(Property::GetKeyCounter(), std::max<LONG>(l_property, 7)) << v;
        if (v >= 29) {
            EXPECT_EQ(ParticipantRole::GetKeyCounter(), 3) << v;
        }
        // Saved again, any version is written as the current one.
        const Bytes v_saved = p_doc->WriteEventFile();
        EXPECT_EQ(Bytes(v_saved.begin(), v_saved.begin() + 4), Builder().Dword(40).Get()) << v;
        EXPECT_EQ(p_doc->GetFileVersion(), 40u);
    }
    EXPECT_TRUE(ports.Boxes.Boxes().empty());
}

// The export choices carry over from the open event to the one opened,
// unless the file holds its own (from version 10).
TEST(EventFile, ExportChoicesCarryOverUnlessTheFileHoldsThem)
{
    Ports ports;
    for (unsigned v : {9u, 10u, 40u}) {
        EventDoc doc;
        doc.GetMiscOptions().SetTextExportKind(MiscOptions::IDC_TEXT_KIND_FIRST + 2);
        doc.ReadEventFile(MinimalFile(v));
        EXPECT_EQ(doc.GetMiscOptions().GetTextExportKind(), v < 10 ? 3 : 1) << v;
    }
}

// Versions 1 to 6 give the event as calendar days from the first day's
// start to the last day's end, each day cut into slots of the stored
// minutes: the first day from its own start, the last to its own end, the
// others between the other days' times. The creation date is the time of
// the load.
TEST(EventFile, OldDatesGiveCalendarDaysWithGeneratedSlots)
{
    Ports ports;
    for (unsigned v = 1; v <= 6; ++v) {
        Bytes v_file = MinimalFile(v);
        const Bytes v_dates = Builder()
                                  .Raw(OleBytes(2001, 5, 14, 9))
                                  .Raw(OleBytes(2001, 5, 14, 17))
                                  .Raw(OleBytes(2001, 5, 14, 9))
                                  .Raw(OleBytes(2001, 5, 14, 17))
                                  .Dword(60)
                                  .Get();
        const Bytes v_span = Builder()
                                 .Raw(OleBytes(2001, 5, 14, 10))
                                 .Raw(OleBytes(2001, 5, 16, 15))
                                 .Raw(OleBytes(2001, 5, 15, 8))
                                 .Raw(OleBytes(2001, 5, 15, 12))
                                 .Dword(60)
                                 .Get();
        v_file = ReplaceOnce(v_file, v_dates, v_span);
        EventDoc doc;
        doc.ReadEventFile(v_file);
        const DayDefBase& days = doc.GetEventDef().GetDayDef();
        ASSERT_EQ(doc.GetEventDef().GetDaySel(), EventDefinition::eCalendar);
        ASSERT_EQ(days.GetNumDays(), 3) << v;
        EXPECT_EQ(days.GetDayName(0), doc.GetEventDef().GetCalendarDays().FormatDate(ZelOleDateTime(2001, 5, 14)));
        EXPECT_EQ(days.GetDayId(2) - days.GetDayId(0), 2);
        using V = std::vector<std::string>;
        EXPECT_EQ(daytimes::Starts(days.GetDaySlots(0).GetSlots()), (V{"10:00", "11:00"})) << v;
        EXPECT_EQ(daytimes::Starts(days.GetDaySlots(1).GetSlots()), (V{"08:00", "09:00", "10:00", "11:00"})) << v;
        EXPECT_EQ(daytimes::Starts(days.GetDaySlots(2).GetSlots()),
                  (V{"08:00", "09:00", "10:00", "11:00", "12:00", "13:00", "14:00"}))
            << v;
        EXPECT_EQ(doc.GetCreationDate(), ZelOleDateTime(2025, 2, 3, 4, 5, 6));
        EXPECT_EQ(doc.GetLastSavedDate().GetStatus(), CHighTime::null);
    }

    // Ten years and a little (3,660 days) is the longest span taken.
    const Bytes v_longest = ReplaceOnce(MinimalFile(5),
                                        Builder().Raw(OleBytes(2001, 5, 14, 17)).Raw(OleBytes(2001, 5, 14, 9)),
                                        Builder().Raw(OleBytes(2011, 5, 21, 17)).Raw(OleBytes(2001, 5, 14, 9)));
    EventDoc longest;
    longest.ReadEventFile(v_longest);
    EXPECT_EQ(longest.GetEventDef().GetDayDef().GetNumDays(), 3660);
}

// ---- damaged files ----

// A file the program cannot take fails the open with the one message that
// names it, whatever is wrong with it; the open event stays as it was,
// key counters included.
TEST(EventFile, DamagedFilesAreRefusedAndTheOpenEventStays)
{
    sampleevents::ResetKeyCounters();
    const Bytes v_good = Make(sampleevents::MakeCalendarEvent)->WriteEventFile();
    Bytes v_wideName = Builder().Dword(40).Byte(0xFF).Word(0xFFFE).Dword(4).Get();
    v_wideName.insert(v_wideName.end(), v_good.begin() + 4, v_good.end());
    Bytes v_version0 = v_good;
    v_version0[0] = 0;
    Bytes v_version41 = v_good;
    v_version41[0] = 41;
    const Bytes v_combination2 =
        ReplaceOnce(v_good, Builder().Dwords({1, 999999, 1, 1}), Builder().Dwords({1, 999999, 1, 2}));
    const Bytes v_manyVenues = ReplaceOnce(v_good, Builder().Dwords({2, 0, 1}).String("Great Hall"),
                                           Builder().Dwords({0x7FFFFFFF, 0, 1}).String("Great Hall"));

    // A timetable day holding arrays for more venues than the file has.
    sampleevents::ResetKeyCounters();
    auto p_short = Make(sampleevents::MakeCalendarEvent);
    p_short->GetVenues().RemoveAt(1);
    const Bytes v_arrays = p_short->WriteEventFile();

    // MinimalFile(5) with other dates and minutes.
    const Bytes v_minimalDates = Builder()
                                     .Raw(OleBytes(2001, 5, 14, 9))
                                     .Raw(OleBytes(2001, 5, 14, 17))
                                     .Raw(OleBytes(2001, 5, 14, 9))
                                     .Raw(OleBytes(2001, 5, 14, 17))
                                     .Dword(60);
    auto old_dates = [&](const Bytes& v_first, const Bytes& v_last, DWORD u_minutes) {
        return ReplaceOnce(MinimalFile(5), v_minimalDates,
                           Builder().Raw(v_first).Raw(v_last).Raw(v_first).Raw(v_last).Dword(u_minutes));
    };
    const Bytes v_oldLong = old_dates(OleBytes(2001, 5, 14, 9), OleBytes(2011, 5, 24, 17), 60);
    // One-minute slots around the clock for two years: twenty bytes of
    // dates and minutes asking for a million slots.
    const Bytes v_oldMinutes = old_dates(OleBytes(2001, 5, 14, 0), OleBytes(2003, 5, 14, 23, 59), 1);
    Bytes v_oldInvalid = MinimalFile(5);
    v_oldInvalid[4 + 10 + 12] = 1; // after the version, the name and the first date: the second date's status

    struct Case {
        const char* pWhat;
        Bytes vBytes;
    };
    const std::vector<Case> v_cases = {
        {"empty", {}},
        {"a few bytes", {40, 0, 0}},
        {"version 0", v_version0},
        {"version 41", v_version41},
        {"a wide-character name", v_wideName},
        {"an unknown schema word", v_combination2},
        {"a count beyond the data", v_manyVenues},
        {"timetable arrays for venues the file lacks", v_arrays},
        {"old dates more than 3,660 days apart", v_oldLong},
        {"an old date that is not valid", v_oldInvalid},
        {"old dates and minutes making a million slots", v_oldMinutes},
    };
    Ports ports;
    sampleevents::ResetKeyCounters();
    auto p_doc = Make(sampleevents::MakeWeekEvent);
    const Bytes v_open = p_doc->WriteEventFile();
    const LONG l_group = Group::GetKeyCounter(), l_property = Property::GetKeyCounter();
    for (const Case& c : v_cases) {
        ports.Boxes.Clear();
        EXPECT_FALSE(EventFile::LoadBytes(*p_doc, c.vBytes, "bad.eve")) << c.pWhat;
        EXPECT_EQ(ports.Texts(), std::vector<std::string>{"Cannot open the event file 'bad.eve'.\n"
                                                           "The file is damaged or is not an event file."})
            << c.pWhat;
        EXPECT_EQ(p_doc->WriteEventFile(), v_open) << c.pWhat;
        EXPECT_EQ(Group::GetKeyCounter(), l_group) << c.pWhat;
        EXPECT_EQ(Property::GetKeyCounter(), l_property) << c.pWhat;
    }
    EXPECT_TRUE(ports.ContinueQuit.Asked().empty());
}

// Every truncation of a file, at every byte, is refused with the archive
// exception: no crash, no assertion, nothing half loaded.
TEST(EventFile, EveryTruncationIsRefused)
{
    Ports ports;
    sampleevents::ResetKeyCounters();
    const Bytes v_file = Make(sampleevents::MakeCalendarEvent)->WriteEventFile();
    for (std::size_t n = 0; n < v_file.size(); ++n) {
        EventDoc doc;
        doc.SetEventName("open");
        EXPECT_THROW(doc.ReadEventFile(Bytes(v_file.begin(), v_file.begin() + static_cast<std::ptrdiff_t>(n))),
                     CArchiveException)
            << n;
        EXPECT_EQ(doc.GetEventName(), "open");
    }
}

// ---- refused items ----

TEST(EventFile, RefusedItemsAreCountedAndReported)
{
    Ports ports;
    ports.ContinueQuit.Answer(IDOK);
    EventDoc doc;
    ASSERT_TRUE(EventFile::LoadBytes(doc, RefusalsFile(), "refusals.eve"));
    EXPECT_EQ(ports.Texts(), (std::vector<std::string>{
                                 "3 errors occurred while loading roles.",
                                 "1 duplicate venue(s).\n1 duplicate group(s).\n1 duplicate participant(s).\n"
                                 "1 duplicate style(s).\n\nThe duplicates were discarded and not loaded.",
                                 "1 error(s) loading venues.\n2 error(s) loading groups.\n"
                                 "1 error(s) loading participants.\n1 error(s) loading styles.\n"
                                 "1 error(s) loading facilities.\n\nError in loading Event data.",
                             }));
    for (const auto& box : ports.Boxes.Boxes())
        EXPECT_EQ(box.uStyle, uWarning);
    EXPECT_EQ(ports.ContinueQuit.Asked(),
              std::vector<std::string>{"Errors occurred while loading your Event data. Do you want to Continue or "
                                       "Quit?\nIf you choose to continue, some Event data from the loaded file will "
                                       "be missing."});
    EXPECT_EQ(doc.GetLoadMessages(),
              (std::vector<UINT>{1069, 1026, 1027, 1028, 1046, 1030, 1031, 1032, 1045, 1051, 1059}));
    EXPECT_TRUE(doc.GetLoadProblems());
    EXPECT_EQ(doc.GetParticipantRoles().GetCount(), 1);
    EXPECT_EQ(doc.GetNumVenues(), 2);
    EXPECT_EQ(doc.GetGroups().GetNumGroups(), 1);
    EXPECT_EQ(doc.GetParticipants().GetNumParticipants(), 1);
    EXPECT_EQ(doc.GetStyles().GetCount(), 1);
    EXPECT_EQ(doc.GetFacilities().GetCount(), 1);
    EXPECT_TRUE(ports.MainWindow.Posted().empty());
}

// Quit ends the open with no further message; the event that was open,
// and the key counters, stay as they were.
TEST(EventFile, QuitLeavesTheOpenEventUntouched)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("refusals.eve");
    WriteFileAtomically(s_path, RefusalsFile());
    sampleevents::ResetKeyCounters();
    auto p_doc = Make(sampleevents::MakeCalendarEvent);
    p_doc->SetPathName("open.eve");
    const Bytes v_before = p_doc->WriteEventFile();
    const LONG a_counters[] = {Venue::GetKeyCounter(), Group::GetKeyCounter(), Participant::GetKeyCounter(),
                               Property::GetKeyCounter(), ParticipantRole::GetKeyCounter()};

    EXPECT_FALSE(p_doc->OnOpenDocument(s_path));
    EXPECT_EQ(ports.ContinueQuit.Asked().size(), 1u);
    EXPECT_EQ(ports.Boxes.Boxes().size(), 3u) << "nothing after the question";
    EXPECT_EQ(p_doc->WriteEventFile(), v_before);
    EXPECT_EQ(p_doc->GetPathName(), "open.eve");
    const LONG a_after[] = {Venue::GetKeyCounter(), Group::GetKeyCounter(), Participant::GetKeyCounter(),
                            Property::GetKeyCounter(), ParticipantRole::GetKeyCounter()};
    EXPECT_TRUE(std::equal(std::begin(a_counters), std::end(a_counters), std::begin(a_after)));
}

// Continue keeps what the lists took; the open then revalidates the event
// and marks it modified.
TEST(EventFile, ContinueOpensTheRestModified)
{
    Ports ports;
    ports.ContinueQuit.Answer(IDOK);
    TempDir dir;
    const std::string s_path = dir.File("refusals.eve");
    WriteFileAtomically(s_path, RefusalsFile());
    EventDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(s_path));
    EXPECT_EQ(doc.GetPathName(), s_path);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetEventName(), "Refusals");
    // The revalidation drops roles no participant has as its usual role.
    EXPECT_EQ(doc.GetParticipantRoles().GetCount(), 0);
}

// ---- key counters ----

// A list's counter is the stored one, also when it is lower than the
// present one, but always above every key the list took; the counter that
// styles and facilities share never goes down.
TEST(EventFile, KeyCountersAfterALoad)
{
    Ports ports;
    struct Case {
        const char* pWhat;
        DWORD uStored;
        LONG lPresent;
        LONG lVenues;   // expected venue counter
        LONG lProperty; // expected property counter
    };
    const Case a_cases[] = {
        {"stored above present", 50, 20, 50, 50},
        {"stored below present", 30, 90, 30, 90},
        {"stored below the keys", 2, 0, 10, 10},
    };
    for (const Case& c : a_cases) {
        EventDoc head;
        Builder b = HeadOf(head);
        b.Dwords({0, 0});
        Venue hall = Named<Venue>("Hall");
        hall.SetKey(9);
        List<Venue>(b, c.uStored, {hall});
        b.Dwords({0, 0, 0, 0});
        Style jazz = Named<Style>("Jazz");
        List<Style>(b, c.uStored, {jazz});
        b.Dwords({c.uStored, 0});
        const Bytes v_file = Tail(b).Get();
        // The style was made with a key of its own: give it 9 too.
        Venue::SetKeyCounter(c.lPresent);
        Property::SetKeyCounter(c.lPresent);
        EventDoc doc;
        doc.ReadEventFile(ReplaceOnce(v_file, Builder().Dword(static_cast<DWORD>(jazz.GetKey())).Name("Jazz"),
                                      Builder().Dword(9).Name("Jazz")));
        EXPECT_EQ(Venue::GetKeyCounter(), c.lVenues) << c.pWhat;
        EXPECT_EQ(Property::GetKeyCounter(), c.lProperty) << c.pWhat;
    }
}

// ---- what refused venues and groups leave in the timetable ----

// A refused venue takes its timetable column with it: the venues behind it
// keep their placements and locks in their new columns. Placements of a
// refused group are emptied and unlocked.
TEST(EventFile, RefusedVenuesAndGroupsLeaveAConsistentTimetable)
{
    Ports ports;
    ports.ContinueQuit.Answer(IDOK);
    sampleevents::ResetKeyCounters();
    EventDoc made;
    {
        CustomDays days;
        ZelStringArray a_names;
        a_names.Add("Day one");
        a_names.Add("Day two");
        days.SetDays(a_names);
        for (int d = 0; d < 2; ++d)
            days.GetDaySlots(d).SetSlots(daytimes::Slots({daytimes::Slot(9, 0, 60), daytimes::Slot(10, 0, 60)}), TRUE);
        made.GetEventDef().SetDayDef(days);
        for (const char* p : {"Hall A", "Hall B", "Hall C"})
            made.GetVenues().AddVenue(Named<Venue>(p));
        for (const char* p : {"Team 1", "Team 2", "Team 3"})
            made.GetGroups().AddGroup(Named<Group>(p));
        made.NewTimetable();
        Timetable& timetable = *made.GetTimetableObject();
        for (int d = 0; d < 2; ++d) {
            for (int v = 0; v < 3; ++v) {
                Timeslot& slot = timetable.GetDay(d).GetVenueSlots(v).ElementAt(d);
                slot.SetGroup(made.GetGroups()[(v + d) % 3].GetKey());
                slot.SetLocked(v == 2 || d == 1);
            }
        }
    }
    using V = std::vector<std::string>;
    EXPECT_EQ(Placements(made), (V{"0/0/0:Team 1", "0/1/0:Team 2", "0/2/0:Team 3!", "1/0/1:Team 2!",
                                   "1/1/1:Team 3!", "1/2/1:Team 1!"}));
    Bytes v_file = Rename(made.WriteEventFile(), "Hall B", "Hall A");
    v_file = Rename(v_file, "Team 2", "Team 1");

    auto p_doc = LoadFresh(v_file);
    EXPECT_EQ(p_doc->GetLoadMessages(), (std::vector<UINT>{1026, 1027, 1059}));
    ASSERT_EQ(p_doc->GetNumVenues(), 2);
    EXPECT_EQ(p_doc->GetVenues()[1].GetName(), "Hall C");
    EXPECT_EQ(p_doc->GetTimetableObject()->GetDay(0).GetNumVenues(), 2);
    EXPECT_EQ(Placements(*p_doc), (V{"0/0/0:Team 1", "0/1/0:Team 3!", "1/1/1:Team 1!"}));
    EXPECT_TRUE(p_doc->GetLoadRepairs());
}

// Layouts of older files name a venue by its place in the file's venue
// list: with a venue refused, the places behind it move up, and the
// refused venue's slots go.
TEST(EventFile, OlderLayoutsFollowTheVenuesTheListTook)
{
    Ports ports;
    ports.ContinueQuit.Answer(IDOK);
    sampleevents::ResetKeyCounters();
    EventDoc made;
    CustomDays days;
    ZelStringArray a_names;
    a_names.Add("Only day");
    days.SetDays(a_names);
    made.GetEventDef().SetDayDef(days);
    for (const char* p : {"Hall A", "Hall B", "Hall C"})
        made.GetVenues().AddVenue(Named<Venue>(p));
    const Bytes v_layouts = testbytes::Store(made.GetEventDef(), &made);
    // The same definition with one layout of three slots, each for one
    // venue named by its place, in the slot form of older files.
    Builder b;
    b.Dwords({EventDefinition::eCustom, 1, 0, 0})
        .Raw(TimeBytes(CHighTime()))
        .Raw(TimeBytes(CHighTime()));
    b.Dwords({0, 3}).Count(3);
    for (int v = 0; v < 3; ++v)
        b.Raw(daytimes::SlotBytes(daytimes::Slot(9 + v, 0, 60, v), 2));
    const Bytes v_from = Bytes(v_layouts.begin() + 4 + 4 + ZelElementMinBytes<DayDefSlots>::value, v_layouts.end());
    b.Raw(v_from);
    Bytes v_file = ReplaceOnce(made.WriteEventFile(), v_layouts, b);
    v_file = Rename(v_file, "Hall B", "Hall A");

    auto p_doc = LoadFresh(v_file);
    ASSERT_EQ(p_doc->GetNumVenues(), 2);
    const ZelRelTimeslotArray& a_slots = p_doc->GetEventDef().GetDayDef().GetDaySlots(0).GetSlots();
    EXPECT_EQ(daytimes::Starts(a_slots),
              (std::vector<std::string>{"09:00/" + std::to_string(p_doc->GetVenues()[0].GetKey()),
                                        "11:00/" + std::to_string(p_doc->GetVenues()[1].GetKey())}));
}

// ---- references no list resolves ----

// A well-formed file may name what no list holds: a member who is no
// participant, availability on a day the event lacks. The open repairs
// them without asking and marks the event modified.
TEST(EventFile, UnresolvedReferencesAreRepairedWithoutAsking)
{
    Ports ports;
    TempDir dir;
    sampleevents::ResetKeyCounters();
    auto p_made = Make(sampleevents::MakeCalendarEvent);
    // Dev Okoro goes, still a member of the choir.
    ParticipantList& participants = p_made->GetParticipants();
    participants.RemoveParticipant(participants.FindByName("Dev Okoro"));
    const std::string s_path = dir.File("dangling.eve");
    WriteFileAtomically(s_path, p_made->WriteEventFile());

    EventDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(s_path));
    EXPECT_TRUE(ports.ContinueQuit.Asked().empty());
    EXPECT_TRUE(doc.GetLoadRepairs());
    EXPECT_FALSE(doc.GetLoadProblems());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetGroups()[doc.GetGroups().FindByName("Choir")].GetMembers().GetSize(), 1);

    // A participant unavailable on a day the event lacks, as the last of the
    // list or the first: the participants are checked as they are read.
    for (const bool b_last : {true, false}) {
        sampleevents::ResetKeyCounters();
        auto p_dayless = Make(sampleevents::MakeCalendarEvent);
        ParticipantList& list = p_dayless->GetParticipants();
        list[b_last ? list.GetNumParticipants() - 1 : 0].GetUnavailable().AddTime(
            999999, daytimes::Slot(9, 0, 60, -1));
        WriteFileAtomically(s_path, p_dayless->WriteEventFile());
        EventDoc repaired;
        ASSERT_TRUE(repaired.OnOpenDocument(s_path));
        EXPECT_TRUE(repaired.GetLoadRepairs()) << b_last;
        EXPECT_TRUE(repaired.IsModified()) << b_last;
    }

    // A group that names a style, facility, venue or day the event lacks,
    // as the first of the list or the last: the venues and days are known
    // as the groups are read, the styles and facilities only after them.
    const std::function<void(Group&)> a_danglings[] = {
        [](Group& group) { group.GetStyles().Add(999999); },
        [](Group& group) { group.GetFacilities().Add(999999); },
        [](Group& group) { group.GetVenueAllocs().InsertSorted(VenueAlloc(999999)); },
        [](Group& group) { group.GetVenueLimits().InsertSorted(VenueLimit(999999)); },
        [](Group& group) { group.GetUnavailable().AddTime(999999, daytimes::Slot(9, 0, 60, -1)); },
        [](Group& group) { group.GetMembers().SetMember(999999, "", FALSE); },
    };
    for (std::size_t i = 0; i < std::size(a_danglings); ++i) {
        for (const bool b_last : {true, false}) {
            sampleevents::ResetKeyCounters();
            auto p_dangling = Make(sampleevents::MakeCalendarEvent);
            GroupList& groups = p_dangling->GetGroups();
            a_danglings[i](groups[b_last ? groups.GetNumGroups() - 1 : 0]);
            WriteFileAtomically(s_path, p_dangling->WriteEventFile());
            EventDoc repaired;
            ASSERT_TRUE(repaired.OnOpenDocument(s_path));
            EXPECT_TRUE(repaired.GetLoadRepairs()) << i << " " << b_last;
            EXPECT_TRUE(repaired.IsModified()) << i << " " << b_last;
        }
    }

    // A clean file opens unmodified.
    sampleevents::ResetKeyCounters();
    WriteFileAtomically(s_path, Make(sampleevents::MakeCalendarEvent)->WriteEventFile());
    EventDoc clean;
    ASSERT_TRUE(clean.OnOpenDocument(s_path));
    EXPECT_FALSE(clean.GetLoadRepairs());
    EXPECT_FALSE(clean.IsModified());
    EXPECT_TRUE(ports.Boxes.Boxes().empty());
}

// A lock holds a group in its slot. A file whose slots are locked without
// a group (key -1, or any other negative) locked nothing: the open drops
// those locks without asking, keeps every other placement, lock and slot
// field, and marks the event modified; saved, it is the file it was
// before the damage.
TEST(EventFile, LocksWithoutAGroupAreDroppedAtTheOpen)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("locks.eve");
    struct Case {
        const char* pWhat;
        LONG lGroupKey;
        std::vector<std::pair<int, int>> vCells; // (day, venue) of the last slot
    };
    const Case a_cases[] = {
        {"a slot of a timeslot combination", -1, {{2, 1}}},
        {"a slot beside other locks", -1, {{0, 1}}},
        {"every day and venue", -1, {{0, 1}, {1, 0}, {2, 1}}},
        {"a group key of another negative", -9, {{1, 0}}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        sampleevents::ResetKeyCounters();
        auto p_made = Make(sampleevents::MakeCalendarEvent);
        Timetable& timetable = *p_made->GetTimetableObject();
        // The empty slots damaged carry every stored field: a combination
        // key too.
        const LONG l_combination = p_made->GetCombinations()[0].GetKey();
        for (const auto& [i_day, i_venue] : c.vCells) {
            TimeslotArray& a_slots = timetable.GetDay(i_day).GetVenueSlots(i_venue);
            Timeslot& slot = a_slots.ElementAt(a_slots.GetSize() - 1);
            ASSERT_LT(slot.GetGroup(), 0);
            slot.SetCombinationKey(l_combination);
            slot.SetGroup(c.lGroupKey);
        }
        const Bytes v_clean = p_made->WriteEventFile();
        const std::vector<std::string> v_placements = Placements(*p_made);
        for (const auto& [i_day, i_venue] : c.vCells) {
            TimeslotArray& a_slots = timetable.GetDay(i_day).GetVenueSlots(i_venue);
            a_slots.ElementAt(a_slots.GetSize() - 1).SetLocked(TRUE);
        }
        WriteFileAtomically(s_path, p_made->WriteEventFile());

        EventDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(s_path));
        EXPECT_TRUE(ports.Boxes.Boxes().empty());
        EXPECT_TRUE(ports.ContinueQuit.Asked().empty());
        EXPECT_TRUE(doc.GetLoadRepairs());
        EXPECT_FALSE(doc.GetLoadProblems());
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(Placements(doc), v_placements);
        EXPECT_EQ(doc.WriteEventFile(), v_clean);
    }
}

// A venue allocation asks for a run of 1 to 999 timeslots, its maximum no
// shorter than its minimum: the allocation page stores nothing else, and
// the build takes nothing else. Any other a file holds, in a group or in
// the allocations new groups take, is mended at the open as the page would
// store it; the venue and the consecutive flag stay, and the event is
// marked modified. A group of a negative key (a timeslot's "no group") is
// an error of the group list, reported before "Continue or Quit?".
TEST(EventFile, AllocationsOutsideWhatThePageStoresAreMendedAtTheOpen)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("allocs.eve");
    struct Case {
        const char* pWhat;
        SchedAlloc Stored;
        SchedAlloc Opened;
    };
    const UINT e_none = SchedLim::e_no_limits, e_exact = SchedLim::e_exact, e_range = SchedLim::e_range;
    const Case a_cases[] = {
        {"an exact count of 0", SchedAlloc(e_exact, 0, 4, 2), SchedAlloc(e_exact, 1, 4, 2)},
        {"an exact count above 999", SchedAlloc(e_exact, 5000, 0, 0), SchedAlloc(e_exact, 999, 0, 0)},
        {"a range of 0 to 0", SchedAlloc(e_range, 7, 0, 0), SchedAlloc(e_range, 7, 1, 1)},
        {"a maximum below the minimum", SchedAlloc(e_range, 0, 3, 1), SchedAlloc(e_range, 0, 3, 3)},
        {"a range above 999", SchedAlloc(e_range, 0, 5000, 6000), SchedAlloc(e_range, 0, 999, 999)},
        {"a type of no name, taken as a range", SchedAlloc(9, 0, 0, 2), SchedAlloc(9, 0, 1, 2)},
        {"no requirement, whatever its counts", SchedAlloc(e_none, 0, 0, 0), SchedAlloc(e_none, 0, 0, 0)},
        {"a range the page stores", SchedAlloc(e_range, 0, 2, 4), SchedAlloc(e_range, 0, 2, 4)},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        sampleevents::ResetKeyCounters();
        auto p_made = Make(sampleevents::MakeCalendarEvent);
        const LONG l_venue = p_made->GetVenues()[1].GetKey();
        VenueAlloc alloc(l_venue);
        alloc.Alloc = c.Stored;
        alloc.bConsecutive = TRUE;
        Group& group = p_made->GetGroups()[p_made->GetGroups().GetNumGroups() - 1];
        group.GetVenueAllocs().RemoveAll();
        group.GetVenueAllocs().InsertSorted(alloc);
        p_made->GetPreferences().GetGroupVenueAllocs().RemoveAll();
        p_made->GetPreferences().GetGroupVenueAllocs().InsertSorted(alloc);
        WriteFileAtomically(s_path, p_made->WriteEventFile());

        EventDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(s_path));
        EXPECT_TRUE(ports.Boxes.Boxes().empty());
        const bool b_mended = c.Stored.uValue != c.Opened.uValue
            || c.Stored.uMin != c.Opened.uMin || c.Stored.uMax != c.Opened.uMax;
        EXPECT_EQ(doc.GetLoadRepairs(), b_mended);
        EXPECT_EQ(doc.IsModified(), b_mended);
        for (const VenueAllocArray* p_allocs :
             {&doc.GetGroups()[doc.GetGroups().GetNumGroups() - 1].GetVenueAllocs(),
              &doc.GetPreferences().GetGroupVenueAllocs()}) {
            ASSERT_EQ(p_allocs->GetSize(), 1);
            const VenueAlloc& opened = (*p_allocs)[0];
            EXPECT_EQ(opened.GetVenueKey(), l_venue);
            EXPECT_TRUE(opened.bConsecutive);
            EXPECT_EQ(opened.Alloc.uType, c.Opened.uType);
            EXPECT_EQ(opened.Alloc.uValue, c.Opened.uValue);
            EXPECT_EQ(opened.Alloc.uMin, c.Opened.uMin);
            EXPECT_EQ(opened.Alloc.uMax, c.Opened.uMax);
        }
    }

    // A group of a negative key.
    sampleevents::ResetKeyCounters();
    auto p_made = Make(sampleevents::MakeCalendarEvent);
    const int n_groups = p_made->GetGroups().GetNumGroups();
    p_made->GetGroups()[0].SetKey(-5);
    ports.ContinueQuit.Answer(IDOK);
    auto p_doc = LoadFresh(p_made->WriteEventFile());
    EXPECT_EQ(p_doc->GetLoadMessages(), (std::vector<UINT>{1031, 1059}));
    EXPECT_EQ(p_doc->GetGroups().GetNumGroups(), n_groups - 1);
    for (int i = 0; i < p_doc->GetGroups().GetNumGroups(); ++i)
        EXPECT_GE(p_doc->GetGroups()[i].GetKey(), 0);
}

// A file whose day definition has timeslots but which stores no timetable
// (a program of its own may write one): the event gets the empty timetable
// its days and venues make, as an edit would have made it, is marked
// modified, and is saved with it; that file then opens as it is.
TEST(EventFile, TimeslotsWithoutAStoredTimetableGetTheirTimetable)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("untimed.eve");
    sampleevents::ResetKeyCounters();
    auto p_made = Make(sampleevents::MakeCalendarEvent);
    const Bytes v_table = testbytes::Store(*p_made->GetTimetableObject(), p_made.get());
    const Bytes v_file = ReplaceOnce(p_made->WriteEventFile(), Builder().Dword(1).Raw(v_table).Get(),
                                     Builder().Dword(0).Get());
    // What an edit makes of the same event: its timetable new and empty.
    p_made->NewTimetable();
    const Bytes v_expected = p_made->WriteEventFile();
    WriteFileAtomically(s_path, v_file);

    EventDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(s_path));
    EXPECT_TRUE(ports.Boxes.Boxes().empty());
    ASSERT_NE(doc.GetTimetable(), nullptr);
    EXPECT_EQ(doc.GetTimetable()->GetNumDays(), doc.GetEventDef().GetDayDef().GetNumDays());
    EXPECT_EQ(doc.GetTimetable()->GetDay(0).GetNumVenues(), doc.GetNumVenues());
    EXPECT_EQ(doc.GetTimetable()->CountUnfilled(-1, -1), p_made->GetTimetable()->CountUnfilled(-1, -1));
    EXPECT_TRUE(Placements(doc).empty());
    EXPECT_TRUE(doc.GetLoadRepairs());
    EXPECT_TRUE(doc.IsModified());
    const Bytes v_saved = doc.WriteEventFile();
    EXPECT_EQ(v_saved, v_expected);

    WriteFileAtomically(s_path, v_saved);
    EventDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(s_path));
    EXPECT_FALSE(reopened.GetLoadRepairs());
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_EQ(reopened.WriteEventFile(), v_saved);

    // Without timeslots there is no timetable to make: the file opens as
    // it is.
    sampleevents::ResetKeyCounters();
    EventDoc slotless;
    slotless.GetVenues().AddVenue(Named<Venue>("Hall"));
    CustomDays days;
    ZelStringArray a_names;
    a_names.Add("Only day");
    days.SetDays(a_names);
    slotless.GetEventDef().SetDayDef(days);
    slotless.SetEventName("No slots");
    WriteFileAtomically(s_path, slotless.WriteEventFile());
    EventDoc plain;
    ASSERT_TRUE(plain.OnOpenDocument(s_path));
    EXPECT_EQ(plain.GetTimetableObject(), nullptr);
    EXPECT_FALSE(plain.GetLoadRepairs());
    EXPECT_FALSE(plain.IsModified());
}

// Venues of versions 3 to 6 with availability times of their own: the user
// is told to check the timeslots and the Define Event sheet is asked for.
TEST(EventFile, OldVenueAvailabilityIsReported)
{
    Ports ports;
    const Bytes v_file = OldVenueTimesFile();
    EventDoc doc;
    doc.ReadEventFile(v_file);
    EXPECT_EQ(doc.GetNumVenues(), 1);
    ASSERT_EQ(ports.Boxes.Boxes().size(), 1u);
    EXPECT_EQ(ports.Boxes.Boxes()[0].sText,
              "One or more of your venues contain old-style availabilty definitions.  These definitions are not "
              "supported in this version of Rotavex.  Please verify your timeslot definitions and modify where "
              "appropriate.");
    EXPECT_EQ(ports.Boxes.Boxes()[0].uStyle, uWarning);
    EXPECT_EQ(ports.MainWindow.Posted(), std::vector<UINT>{EventDoc::ID_DEFINE_EVENT});
    EXPECT_TRUE(ports.ContinueQuit.Asked().empty());
}

// ---- the list views' layouts ----

// Each open list view takes the layout stored for its class; the layout of
// a class with no open view is kept and written back unchanged, after the
// others' present layouts.
TEST(EventFile, ListViewsTakeTheirLayoutsAndTheRestIsKept)
{
    Ports ports;
    EventDoc head;
    Builder b = HeadOf(head);
    b.Dwords({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).Dword(0).Dwords({1, 999999, 0});
    ViewLayout groups, others, venues;
    groups.SetColumnCount(5);
    others.SetColumnCount(7);
    venues.SetColumnCount(3);
    b.Dword(3);
    b.String("GroupView").Raw(testbytes::Store(groups));
    b.String("OtherView").Raw(testbytes::Store(others));
    b.String("VenueView").Raw(testbytes::Store(venues));
    const Bytes v_file = b.Get();

    // Without views nothing is lost.
    EXPECT_EQ(LoadFresh(v_file)->WriteEventFile(), v_file);

    ScriptedViews views;
    ScriptedViews::ListView& venue_view = views.AddListView("VenueView");
    ScriptedViews::ListView& group_view = views.AddListView("GroupView");
    ScriptedViews::ListView& people_view = views.AddListView("ParticipantView");
    auto p_doc = LoadFresh(v_file);
    EXPECT_EQ(group_view.Layout.GetColumnCount(), 5);
    EXPECT_EQ(venue_view.Layout.GetColumnCount(), 3);
    EXPECT_EQ(people_view.nLayoutsTaken, 0);

    group_view.Layout.SetColumnCount(6);
    people_view.Layout.SetColumnCount(2);
    ViewLayout groups6 = groups, people2;
    groups6.SetColumnCount(6);
    people2.SetColumnCount(2);
    Builder expected = HeadOf(*p_doc);
    expected.Dwords({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).Dword(0).Dwords({1, 999999, 0}).Dword(4);
    expected.String("GroupView").Raw(testbytes::Store(groups6));
    expected.String("OtherView").Raw(testbytes::Store(others));
    expected.String("VenueView").Raw(testbytes::Store(venues));
    expected.String("ParticipantView").Raw(testbytes::Store(people2));
    EXPECT_EQ(p_doc->WriteEventFile(), expected.Get());
}

// ---- the name at the head of a file ----

TEST(EventFile, ReadEventNameReadsOnlyTheHead)
{
    struct Case {
        DWORD uVersion;
        const char* pExpected;
    };
    const Case a_cases[] = {{40, "Gala"}, {1, "Gala"}, {0, ""}, {41, ""}, {0xFFFFFFFF, ""}};
    for (const Case& c : a_cases) {
        CArchive ar(Builder().Dword(c.uVersion).String("Gala").Get());
        EXPECT_EQ(EventDoc::ReadEventName(ar), c.pExpected) << c.uVersion;
    }
    CArchive a_short(Builder().Dword(40).Byte(9).Get());
    EXPECT_THROW(EventDoc::ReadEventName(a_short), CArchiveException);
    CArchive a_empty(Bytes{});
    EXPECT_THROW(EventDoc::ReadEventName(a_empty), CArchiveException);
}

// ---- files on disk ----

TEST(EventFile, AFileThatCannotBeReadNamesTheSystemsReason)
{
    Ports ports;
    TempDir dir;
    EventDoc doc;
    doc.SetEventName("open");
    const std::string s_path = dir.File("missing.eve");
    EXPECT_FALSE(doc.OnOpenDocument(s_path));
    EXPECT_EQ(ports.Texts(), std::vector<std::string>{"Cannot open the event file '" + s_path
                                                       + "'.\ncannot open the file: No such file or directory"});
    EXPECT_EQ(doc.GetEventName(), "open");

    // A missing folder is named, the one a link leads into too.
    fs::create_symlink(dir.Path / "gone" / "real.eve", dir.Path / "link.eve");
    for (const auto& [s_file, s_folder] : {std::pair{dir.File("no/x.eve"), dir.File("no")},
                                           std::pair{dir.File("link.eve"), dir.File("gone")}}) {
        ports.Boxes.Clear();
        EXPECT_FALSE(doc.OnOpenDocument(s_file));
        EXPECT_EQ(ports.Texts(), std::vector<std::string>{"Cannot open the event file '" + s_file
                                                           + "'.\nThe folder '" + s_folder + "' does not exist."});
    }
    EXPECT_EQ(doc.GetEventName(), "open");
}

// What cannot be an event file is refused before it is read: a device, a
// pipe (no writer: the open must not wait), a folder, a file larger than
// any event file (its head an event's) and one whose head is not an
// event's. One message says what is wrong; the open event stays.
TEST(EventFile, WhatCannotBeAnEventFileIsRefusedUnread)
{
    Ports ports;
    TempDir dir;
    const std::string s_pipe = dir.File("pipe.eve");
    ASSERT_EQ(mkfifo(s_pipe.c_str(), 0600), 0);
    const std::string s_folder = dir.File("folder.eve");
    fs::create_directories(s_folder);
    const std::string s_huge = dir.File("huge.eve");
    WriteFileAtomically(s_huge, Make(sampleevents::MakeWeekEvent)->WriteEventFile());
    ASSERT_EQ(truncate(s_huge.c_str(), static_cast<off_t>(EventFile::kMaxFileBytes + 1)), 0); // sparse
    const std::string s_text = dir.File("text.eve");
    WriteFileAtomically(s_text, std::string("#!/bin/sh\necho not an event\n"));

    sampleevents::ResetKeyCounters();
    auto p_doc = Make(sampleevents::MakeCalendarEvent);
    const Bytes v_open = p_doc->WriteEventFile();
    const std::string s_notRegular = "'.\nIt is not a regular file but a folder, a device or a pipe.";
    for (const auto& [s_path, s_says] :
         {std::pair{std::string("/dev/zero"), s_notRegular}, std::pair{s_pipe, s_notRegular},
          std::pair{s_folder, s_notRegular},
          std::pair{s_huge, std::string("'.\nThe file is too large: an event file is never larger than "
                                        "1,073,741,824 bytes.")},
          std::pair{s_text, std::string("'.\nThe file is damaged or is not an event file.")}}) {
        ports.Boxes.Clear();
        EXPECT_FALSE(p_doc->OnOpenDocument(s_path)) << s_path;
        EXPECT_EQ(ports.Texts(), std::vector<std::string>{"Cannot open the event file '" + s_path + s_says});
        EXPECT_EQ(p_doc->WriteEventFile(), v_open) << s_path;
    }
}

// A read-only file is refused by name with the way out; the file, the
// event and its modified mark stay.
TEST(EventFile, AReadOnlyFileIsNotSavedOver)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("protected.eve");
    WriteFileAtomically(s_path, std::string("old contents"));
    ASSERT_EQ(chmod(s_path.c_str(), 0444), 0);
    sampleevents::ResetKeyCounters();
    auto p_doc = Make(sampleevents::MakeCalendarEvent);
    p_doc->SetModifiedFlag();

    EXPECT_FALSE(p_doc->OnSaveDocument(s_path));
    EXPECT_EQ(ports.Texts(), std::vector<std::string>{"The event file '" + s_path
                                                       + "' is read-only; use Save As to keep your changes in "
                                                         "another file."});
    EXPECT_EQ(ReadFile(s_path), TextBytes("old contents"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), fs::directory_iterator()), 1);
    EXPECT_TRUE(p_doc->IsModified());
}

// A save that cannot be written leaves the old file whole, says why, and
// leaves the event modified and at its file version.
TEST(EventFile, AFailedSaveLeavesTheOldFileWhole)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("keep.eve");
    WriteFileAtomically(s_path, std::string("old contents"));
    sampleevents::ResetKeyCounters();
    auto p_doc = Make(sampleevents::MakeLargeEvent);
    p_doc->SetFileVersion(31);
    p_doc->SetModifiedFlag();

    // Files may not grow beyond a few bytes, so the write fails: in a child
    // that sets up its signals as the program does at start-up, from the
    // default disposition, so that the signal the limit raises would end
    // it if the set-up did not take it.
    int a_pipe[2];
    ASSERT_EQ(pipe(a_pipe), 0);
    std::fflush(nullptr);
    const pid_t i_child = fork();
    ASSERT_GE(i_child, 0);
    if (i_child == 0) {
        close(a_pipe[0]);
        std::signal(SIGXFSZ, SIG_DFL);
        IgnoreFileSizeSignal();
        rlimit o_small{};
        getrlimit(RLIMIT_FSIZE, &o_small);
        o_small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &o_small);
        const BOOL b_saved = p_doc->OnSaveDocument(s_path);
        std::string s_result = std::string(b_saved ? "saved" : "not saved") + (p_doc->IsModified() ? ", modified" : "")
                               + ", version " + std::to_string(p_doc->GetFileVersion());
        for (const std::string& s_text : ports.Texts())
            s_result += "\n" + s_text;
        const ssize_t i_put = write(a_pipe[1], s_result.data(), s_result.size());
        _exit(i_put > 0 ? 0 : 1);
    }
    close(a_pipe[1]);
    std::string s_result;
    char a_buf[512];
    for (ssize_t n; (n = read(a_pipe[0], a_buf, sizeof a_buf)) > 0;)
        s_result.append(a_buf, static_cast<std::size_t>(n));
    close(a_pipe[0]);
    int i_status = 0;
    waitpid(i_child, &i_status, 0);
    ASSERT_TRUE(WIFEXITED(i_status)) << "ended by signal " << WTERMSIG(i_status);
    EXPECT_EQ(s_result, "not saved, modified, version 31\nCannot save the event file '" + s_path
                            + "'.\ncannot write the file: File too large\nThe file was not changed.");
    EXPECT_EQ(ReadFile(s_path), TextBytes("old contents"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), fs::directory_iterator()), 1) << "no temporary left";

    // Saved for good, the file is the event.
    ASSERT_TRUE(p_doc->OnSaveDocument(s_path));
    EXPECT_FALSE(p_doc->IsModified());
    EXPECT_EQ(p_doc->GetFileVersion(), 40u);
    EXPECT_EQ(ReadFile(s_path), p_doc->WriteEventFile());
}

// A save names what is wrong with where it goes, writes nothing and leaves
// the event modified: a pipe (refused at once, not waited on), a folder, a
// missing folder (the one a link leads into too), another user's file.
TEST(EventFile, ASaveSaysWhatIsWrongWithWhereItGoes)
{
    Ports ports;
    TempDir dir;
    const std::string s_pipe = dir.File("pipe.eve");
    ASSERT_EQ(mkfifo(s_pipe.c_str(), 0600), 0);
    const std::string s_folder = dir.File("folder.eve");
    fs::create_directories(s_folder);
    fs::create_symlink(dir.Path / "gone" / "real.eve", dir.Path / "link.eve");
    sampleevents::ResetKeyCounters();
    auto p_doc = Make(sampleevents::MakeCalendarEvent);
    p_doc->SetModifiedFlag();

    const std::string s_notRegular = "'.\nIt is not a regular file but a folder, a device or a pipe; nothing was "
                                     "written to it.";
    for (const auto& [s_path, s_says] :
         {std::pair{s_pipe, "Cannot save the event file '" + s_pipe + s_notRegular},
          std::pair{s_folder, "Cannot save the event file '" + s_folder + s_notRegular},
          std::pair{dir.File("no/x.eve"), "Cannot save the event file '" + dir.File("no/x.eve")
                                              + "'.\nThe folder '" + dir.File("no") + "' does not exist."},
          std::pair{dir.File("link.eve"), "Cannot save the event file '" + dir.File("link.eve")
                                              + "'.\nThe folder '" + dir.File("gone") + "' does not exist."}}) {
        ports.Boxes.Clear();
        EXPECT_FALSE(p_doc->OnSaveDocument(s_path)) << s_path;
        EXPECT_EQ(ports.Texts(), std::vector<std::string>{s_says});
        EXPECT_TRUE(p_doc->IsModified());
    }
    EXPECT_TRUE(fs::is_fifo(s_pipe));
    EXPECT_TRUE(fs::is_empty(s_folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), fs::directory_iterator()), 3);

    if (!ordinaryuser::RunningAsRoot())
        GTEST_SKIP() << "another user's file needs root to set up";
    // Root's file, writable by root alone, in a folder anyone may write.
    const std::string s_roots = dir.File("roots.eve");
    WriteFileAtomically(s_roots, std::string("root's"));
    ASSERT_EQ(chmod(s_roots.c_str(), 0644), 0);
    ASSERT_EQ(chmod(dir.Path.c_str(), 0777), 0);
    ports.Boxes.Clear();
    EXPECT_EQ(ordinaryuser::RunAsOrdinaryUser([&] {
                  p_doc->OnSaveDocument(s_roots);
                  return ports.Texts().empty() ? std::string("saved") : ports.Texts().back();
              }),
              "The event file '" + s_roots
                  + "' is not writable by you; use Save As to keep your changes in another file.");
    EXPECT_EQ(ReadFile(s_roots), TextBytes("root's"));
}

// A file torn by a kill during its write in place (it has a second hard
// link) is damaged: its open names the whole copy the save left.
TEST(EventFile, ATornFileNamesTheWholeCopyItsSaveLeft)
{
    Ports ports;
    TempDir dir;
    const std::string s_path = dir.File("torn.eve");
    sampleevents::ResetKeyCounters();
    const Bytes v_event = Make(sampleevents::MakeCalendarEvent)->WriteEventFile();
    const std::string s_new(32 << 20, 'n');
    bool b_torn = false;
    for (int i_try = 0; i_try < 10 && !b_torn; ++i_try) {
        fs::remove(dir.File("other.eve"));
        WriteFileAtomically(s_path, v_event);
        fs::create_hard_link(s_path, dir.Path / "other.eve");
        b_torn = tornwrite::KillPartWay(s_path, s_new, [&] { WriteFileAtomically(s_path, s_new); })
                 && ReadFile(s_path) != TextBytes(s_new);
    }
    ASSERT_TRUE(b_torn) << "no kill caught the write part way";
    const std::vector<std::string> v_copies = FindRescueCopies(s_path);
    ASSERT_EQ(v_copies.size(), 1u);

    EventDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(s_path));
    EXPECT_EQ(ports.Texts(),
              std::vector<std::string>{"Cannot open the event file '" + s_path
                                       + "'.\nThe file is damaged: a save of it was cut short. '" + v_copies[0]
                                       + "' holds everything that save was to write; open that file and save it "
                                         "in this one's place."});
    EXPECT_EQ(ReadFile(v_copies[0]), TextBytes(s_new));
}

} // namespace
