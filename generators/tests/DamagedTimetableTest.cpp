// Event files whose stored timetable holds what no edit of the program
// makes: locks without a group, groups the event lacks or of a negative
// key, one group in two venues at once, slots the day's timeslots do not
// have, placements where the group may not go, locks of groups whose
// allocations ask for runs of no timeslot or of thousands, or no timetable
// at all beside timeslots. Each is written, opened through the program's
// own open and built without a display: a build may end any way a build
// ends, but never in a failure inside the engine. And the build and check
// commands of an event that cannot have a timetable say what it lacks.
#include "testsupport/EventFileFixtures.h"
#include "generators/AlwaysContinue.h"
#include "generators/CountingBoxes.h"
#include "generators/HeadlessBuild.h"
#include "generators/SampleEvents.h"
#include "model/EventDoc.h"
#include "framework/MessageBox.h"
#include "model/ShellPorts.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;
using testbytes::Builder;

SchedLim Range(UINT u_min, UINT u_max)
{
    return SchedLim(SchedLim::e_range, 0, u_min, u_max);
}

// Two days of three hour slots in two halls; Choir may use the Hall only,
// Band is away on Tuesday morning, Drama takes two slots at a time.
void MakeEvent(testevent::EventBuilder& event)
{
    event.Name("Damaged").Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
    event.Venue("Hall").Venue("Room");
    event.Participant("Ann Lee").Participant("Bo Chan");
    event.Group("Choir", [](Group& g) { g.SetEventLimits(Range(1, 3)); });
    event.Alloc("Choir", "Hall", 1, 1);
    event.Group("Band", [](Group& g) { g.SetEventLimits(Range(1, 2)); });
    event.GroupUnavailable("Band", 1, "09:00-11:00");
    event.Group("Drama", [](Group& g) { g.SetEventLimits(Range(0, 4)); });
    event.Alloc("Drama", "Room", 2, 2);
    event.Member("Choir", "Ann Lee").Member("Band", "Ann Lee").Member("Drama", "Bo Chan");
    event.Timetable();
}

Timeslot& SlotAt(EventDoc& doc, int i_day, int i_venue, int i_slot)
{
    return doc.GetTimetableObject()->GetDay(i_day).GetVenueSlots(i_venue).ElementAt(i_slot);
}

void Put(EventDoc& doc, int i_day, int i_venue, int i_slot, LONG l_group, bool b_locked)
{
    Timeslot& slot = SlotAt(doc, i_day, i_venue, i_slot);
    slot.SetGroup(l_group);
    slot.SetLocked(b_locked ? TRUE : FALSE);
}

LONG Key(testevent::EventBuilder& event, const char* p_group)
{
    return event.GroupKey(p_group);
}

// A slot the day's timeslots do not have, added to a venue's array.
void AddSlot(EventDoc& doc, int i_day, int i_venue, int i_hour, int i_minute, int i_minutes, LONG l_group,
             bool b_locked)
{
    Timeslot slot(CHighTimeSpan(0, i_hour, i_minute, 0), CHighTimeSpan(0, 0, i_minutes, 0), i_day, i_venue, -1);
    slot.SetGroup(l_group);
    slot.SetLocked(b_locked ? TRUE : FALSE);
    doc.GetTimetableObject()->GetDay(i_day).GetVenueSlots(i_venue).Add(slot);
}

struct Damage {
    const char* pWhat;
    std::function<void(testevent::EventBuilder&)> fDamage;
};

std::vector<Damage> Damages()
{
    return {
        {"a lock on an empty slot",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 0, 0, 1, -1, true); }},
        {"locks on every empty slot",
         [](testevent::EventBuilder& e) {
             for (int d = 0; d < 2; ++d)
                 for (int v = 0; v < 2; ++v)
                     for (int s = 0; s < 3; ++s)
                         Put(e.Doc(), d, v, s, -1, true);
         }},
        {"a lock on a slot whose group key is another negative",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 1, 1, 2, -7, true); }},
        {"an unlocked group key of another negative",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 1, 1, 2, -7, false); }},
        {"a group key no group has",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 0, 0, 0, 999999, false); }},
        {"a locked group key no group has",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 0, 0, 0, 999999, true); }},
        {"one group in both venues at one time",
         [](testevent::EventBuilder& e) {
             Put(e.Doc(), 0, 0, 0, Key(e, "Band"), false);
             Put(e.Doc(), 0, 1, 0, Key(e, "Band"), false);
         }},
        {"one group locked in both venues at one time",
         [](testevent::EventBuilder& e) {
             Put(e.Doc(), 0, 0, 0, Key(e, "Band"), true);
             Put(e.Doc(), 0, 1, 0, Key(e, "Band"), true);
         }},
        {"two groups of one member locked at one time",
         [](testevent::EventBuilder& e) {
             Put(e.Doc(), 0, 0, 0, Key(e, "Choir"), true);
             Put(e.Doc(), 0, 1, 0, Key(e, "Band"), true);
         }},
        {"a group locked in a venue it may not use",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 0, 1, 0, Key(e, "Choir"), true); }},
        {"a group placed in a venue it may not use",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 0, 1, 0, Key(e, "Choir"), false); }},
        {"a group locked where it is unavailable",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 1, 0, 0, Key(e, "Band"), true); }},
        {"a group locked over its maximum",
         [](testevent::EventBuilder& e) {
             for (int s = 0; s < 3; ++s)
                 Put(e.Doc(), 0, 0, s, Key(e, "Band"), true);
         }},
        {"a group locked in one slot of a two-slot allocation",
         [](testevent::EventBuilder& e) { Put(e.Doc(), 0, 1, 1, Key(e, "Drama"), true); }},
        {"a locked slot the day does not have",
         [](testevent::EventBuilder& e) { AddSlot(e.Doc(), 0, 0, 13, 0, 60, Key(e, "Band"), true); }},
        {"an empty locked slot the day does not have",
         [](testevent::EventBuilder& e) { AddSlot(e.Doc(), 1, 1, 14, 0, 60, -1, true); }},
        {"a locked slot overlapping the day's slots",
         [](testevent::EventBuilder& e) { AddSlot(e.Doc(), 0, 0, 9, 30, 60, Key(e, "Band"), true); }},
        {"a second slot at a slot's time, both locked",
         [](testevent::EventBuilder& e) {
             Put(e.Doc(), 0, 0, 0, Key(e, "Choir"), true);
             AddSlot(e.Doc(), 0, 0, 9, 0, 60, Key(e, "Band"), true);
         }},
        {"a locked slot of no length",
         [](testevent::EventBuilder& e) { AddSlot(e.Doc(), 0, 1, 12, 0, 0, Key(e, "Band"), true); }},
        {"a venue without its slots and a lock elsewhere",
         [](testevent::EventBuilder& e) {
             e.Doc().GetTimetableObject()->GetDay(0).GetVenueSlots(1).RemoveAll();
             Put(e.Doc(), 0, 0, 2, Key(e, "Drama"), true);
         }},
        {"a lock in a venue whose allocation asks for no timeslot",
         [](testevent::EventBuilder& e) {
             e.GetGroup("Choir").GetVenueAllocs()[0].Alloc = SchedAlloc(SchedLim::e_exact, 0, 0, 0);
             Put(e.Doc(), 0, 0, 0, Key(e, "Choir"), true);
         }},
        {"a lock in a venue whose allocation's maximum is below its minimum",
         [](testevent::EventBuilder& e) {
             e.GetGroup("Drama").GetVenueAllocs()[0].Alloc = SchedAlloc(SchedLim::e_range, 0, 3, 1);
             Put(e.Doc(), 0, 1, 0, Key(e, "Drama"), true);
         }},
        {"a lock in a venue whose allocation asks for more timeslots than any",
         [](testevent::EventBuilder& e) {
             e.GetGroup("Drama").GetVenueAllocs()[0].Alloc = SchedAlloc(SchedLim::e_range, 0, 5000, 6000);
             Put(e.Doc(), 1, 1, 0, Key(e, "Drama"), true);
         }},
        {"a group of a negative key",
         [](testevent::EventBuilder& e) { e.GetGroup("Band").SetKey(-5); }},
        {"a day's slot gone under a lock",
         [](testevent::EventBuilder& e) {
             Put(e.Doc(), 1, 1, 0, Key(e, "Drama"), true);
             Put(e.Doc(), 1, 1, 1, Key(e, "Drama"), true);
             e.Doc().GetTimetableObject()->GetDay(1).GetVenueSlots(1).RemoveAt(2);
         }},
    };
}

class TempFile {
public:
    TempFile() : Path(fs::temp_directory_path() / ("rvx-damaged-" + std::to_string(getpid()) + ".eve")) {}
    ~TempFile() { fs::remove(Path); }
    void Write(const Bytes& v_bytes) const
    {
        std::ofstream out(Path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(v_bytes.data()), static_cast<std::streamsize>(v_bytes.size()));
    }
    std::string Name() const { return Path.string(); }

    fs::path Path;
};

struct Outcome {
    bool bOpened = false;
    std::string sBuild;
    std::string sCheck;
};

// The bytes opened as the program opens a file, built headless as the
// build command runs, then checked.
Outcome OpenAndBuild(const Bytes& v_bytes, bool b_fill)
{
    Outcome outcome;
    TempFile file;
    file.Write(v_bytes);
    sampleevents::ResetKeyCounters();
    EventDoc doc;
    if (!doc.OnOpenDocument(file.Name()))
        return outcome;
    outcome.bOpened = true;
    if (doc.GetTimetable() == nullptr)
        return outcome;
    benchbuild::BuildScript script;
    script.bFill = b_fill;
    outcome.sBuild = benchbuild::RunBuild(doc, script).sResult;
    outcome.sCheck = benchbuild::RunCheck(doc).sResult;
    return outcome;
}

TEST(DamagedTimetable, NoDamagedTimetableEndsABuildInAnEngineFailure)
{
    const AlwaysContinue always_continue;
    const CountingBoxes boxes;
    for (const Damage& damage : Damages()) {
        for (const bool b_fill : {false, true}) {
            SCOPED_TRACE(std::string(damage.pWhat) + (b_fill ? ", fill" : ""));
            sampleevents::ResetKeyCounters();
            testevent::EventBuilder event;
            MakeEvent(event);
            damage.fDamage(event);
            const Bytes v_bytes = event.Doc().WriteEventFile();
            const Outcome outcome = OpenAndBuild(v_bytes, b_fill);
            EXPECT_TRUE(outcome.bOpened);
            EXPECT_FALSE(outcome.sBuild.empty());
            EXPECT_NE(outcome.sBuild, "engine failure");
            EXPECT_FALSE(outcome.sCheck.empty());
        }
    }
}

// The timetable's bytes of a sample event altered a word at a time with
// the values damage brings (locks without groups, keys no group has, lost
// slots, wrong counts, odd times): whatever opens builds without a failure
// inside the engine. The draws are seeded, so a failure comes back.
TEST(DamagedTimetable, AlteredTimetableBytesNeverEndABuildInAnEngineFailure)
{
    const AlwaysContinue always_continue;
    const CountingBoxes boxes;
    struct Source {
        const char* pName;
        std::function<void(EventDoc&)> fMake;
    };
    const Source a_sources[] = {
        {"damaged", [](EventDoc& doc) {
             testevent::EventBuilder event;
             MakeEvent(event);
             Put(event.Doc(), 0, 0, 0, Key(event, "Choir"), true);
             Put(event.Doc(), 0, 1, 1, Key(event, "Drama"), true);
             Put(event.Doc(), 0, 1, 2, Key(event, "Drama"), true);
             Put(event.Doc(), 1, 0, 2, Key(event, "Band"), false);
             doc.ReadEventFile(event.Doc().WriteEventFile());
         }},
        {"calendar", sampleevents::MakeCalendarEvent},
        {"roster", sampleevents::MakeRosterEvent},
    };
    std::mt19937 random(69);
    int n_opened = 0;
    int n_built = 0;
    for (const Source& source : a_sources) {
        sampleevents::ResetKeyCounters();
        EventDoc made;
        source.fMake(made);
        ASSERT_NE(made.GetTimetableObject(), nullptr) << source.pName;
        const Bytes v_file = made.WriteEventFile();
        const Bytes v_table = testbytes::Store(*made.GetTimetableObject(), &made);
        const auto it_table = std::search(v_file.begin(), v_file.end(), v_table.begin(), v_table.end());
        ASSERT_NE(it_table, v_file.end()) << source.pName;
        const std::size_t u_first = static_cast<std::size_t>(it_table - v_file.begin());
        // Keys of groups the event has, and of none.
        std::vector<std::uint32_t> v_values = {0, 1, 2, 0xFFFFFFFFu, 0xFFFFFFF9u, 999999, 0x80000000u, 0x7FFFFFFFu};
        for (int g = 0; g < made.GetGroups().GetNumGroups(); ++g)
            v_values.push_back(static_cast<std::uint32_t>(made.GetGroups()[g].GetKey()));
        for (int i_run = 0; i_run < 300; ++i_run) {
            Bytes v_bytes = v_file;
            const int n_words = 1 + static_cast<int>(random() % 4);
            for (int w = 0; w < n_words; ++w) {
                const std::size_t u_at = u_first + random() % (v_table.size() - 3);
                const std::uint32_t u_value = random() % 8 == 0 ? static_cast<std::uint32_t>(random())
                                                                : v_values[random() % v_values.size()];
                for (int b = 0; b < 4; ++b)
                    v_bytes[u_at + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(u_value >> (8 * b));
            }
            SCOPED_TRACE(std::string(source.pName) + " run " + std::to_string(i_run));
            const Outcome outcome = OpenAndBuild(v_bytes, i_run % 2 == 1);
            n_opened += outcome.bOpened ? 1 : 0;
            n_built += outcome.sBuild.empty() ? 0 : 1;
            ASSERT_NE(outcome.sBuild, "engine failure");
        }
    }
    // Most alterations leave a file that opens and builds.
    EXPECT_GT(n_built, 300);
    EXPECT_EQ(n_built, n_opened);
}

// A file whose days have timeslots but which stores no timetable opens
// with the empty one they make, builds, and is saved with what was built.
TEST(DamagedTimetable, AFileWithoutItsTimetableBuildsAndIsSavedWithIt)
{
    const AlwaysContinue always_continue;
    const CountingBoxes boxes;
    sampleevents::ResetKeyCounters();
    testevent::EventBuilder event;
    MakeEvent(event);
    Put(event.Doc(), 0, 0, 0, Key(event, "Choir"), true);
    EventDoc& made = event.Doc();
    const Bytes v_table = testbytes::Store(*made.GetTimetableObject(), &made);
    const Bytes v_file = eventfixtures::ReplaceOnce(made.WriteEventFile(), Builder().Dword(1).Raw(v_table).Get(),
                                                    Builder().Dword(0).Get());
    TempFile file;
    file.Write(v_file);
    sampleevents::ResetKeyCounters();
    EventDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file.Name()));
    ASSERT_NE(doc.GetTimetable(), nullptr);
    const benchbuild::BuildFigures figures = benchbuild::RunBuild(doc, benchbuild::BuildScript());
    EXPECT_EQ(figures.sResult, "built");
    EXPECT_TRUE(figures.bValid);
    EXPECT_GT(figures.nPlaced, 0);
    EXPECT_EQ(figures.nViolations, 0) << figures.sFirstViolation;
    EXPECT_TRUE(doc.IsModified());

    file.Write(doc.WriteEventFile());
    sampleevents::ResetKeyCounters();
    EventDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(file.Name()));
    EXPECT_FALSE(saved.IsModified());
    ASSERT_NE(saved.GetTimetable(), nullptr);
    EXPECT_TRUE(saved.GetTimetable()->IsValid());
    EXPECT_EQ(benchbuild::TimetableHash(saved), figures.sHash);
    EXPECT_EQ(boxes.nShown, 0) << boxes.sFirst;
}

// The build and check commands, as the program runs them, on an event that
// cannot have a timetable: one box saying what it lacks, nothing changed.
TEST(DamagedTimetable, BuildAndCheckOfAnEventWithoutATimetableSayWhatItLacks)
{
    struct Case {
        const char* pWhat;
        std::function<void(testevent::EventBuilder&)> fMake;
        const char* pLacks;
    };
    const Case a_cases[] = {
        {"no days", [](testevent::EventBuilder& e) { e.Venue("Hall").Group("Choir"); }, "The event has no days"},
        {"no timeslots", [](testevent::EventBuilder& e) { e.Days({"Mon"}).Venue("Hall").Group("Choir").Timetable(); },
         "The event's days have no timeslots"},
        {"no venues",
         [](testevent::EventBuilder& e) { e.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Group("Choir").Timetable(); },
         "The event has no venues"},
    };
    for (const Case& c : a_cases) {
        for (const bool b_build : {true, false}) {
            SCOPED_TRACE(std::string(c.pWhat) + (b_build ? ", build" : ", check"));
            testevent::EventBuilder event;
            event.Name("Spring");
            c.fMake(event);
            EventDoc& doc = event.Doc();
            doc.SetModifiedFlag(false);
            ScriptedMessageBox boxes;
            if (b_build)
                EXPECT_FALSE(doc.OnBuildTimetable());
            else
                doc.OnCheckTimetable();
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            const std::string& s_text = boxes.Boxes()[0].sText;
            EXPECT_EQ(s_text.rfind(b_build ? "The timetable cannot be built yet.\n"
                                           : "The timetable cannot be checked yet.\n",
                                   0),
                      0u)
                << s_text;
            EXPECT_NE(s_text.find(c.pLacks), std::string::npos) << s_text;
            EXPECT_FALSE(doc.IsModified());
        }
    }
}

} // namespace
