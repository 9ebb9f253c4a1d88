// Cancel and Stop in a build's progress window, on a built timetable: a
// Cancel wherever the build is (a search, a fill, a check, a later "keep
// searching" attempt) leaves the event as the build command found it, its
// saved bytes and its modified flag; Stop keeps what the build placed.
// The buttons are pressed on the window the build shows, as the user
// presses them, while it pumps.
#include "BuildBed.h"

#include "generators/EventGenerator.h"
#include "model/ParticipantRole.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EveryField.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

using buildtest::Range;

namespace {

bool StartsWith(const std::string& s, const std::string& s_prefix)
{
    return s.compare(0, s_prefix.size(), s_prefix) == 0;
}

// A generated event with locked and unlocked placements, limits, rules
// and members, whose first group and participant carry every stored
// field, built once; every port a build reaches scripted.
// (b_small: a few groups over a few timeslots, for the tests that build
// it again and again.)
struct BuiltEvent : buildtest::ScriptedPorts {
    explicit BuiltEvent(BOOL b_fill, bool b_small = false)
    {
        benchevent::EventOptions options;
        options.nGroups = b_small ? 5 : 40;
        options.nParticipants = b_small ? 10 : 100;
        options.nDays = b_small ? 2 : 3;
        options.nVenues = b_small ? 2 : 4;
        options.nSlotsPerDay = b_small ? 3 : 6;
        options.nFillPercent = 50;
        options.nLockPercent = 30;
        options.nChunkPercent = 20;
        options.nDayRules = 2;
        options.nVenueRules = 2;
        benchevent::ResetKeyCounters();
        pDoc = benchevent::GenerateEvent(options);
        EventDoc& doc = *pDoc;
        doc.SetEventName("Spring fair");
        const std::vector<LONG> v_styles = testevent::KeysInReverseNameOrder(doc.GetStyles());
        const std::vector<LONG> v_facilities = testevent::KeysInReverseNameOrder(doc.GetFacilities());
        testevent::GiveEveryField(doc.GetGroups().GetAt(0), v_styles, v_facilities);
        // Every venue suits the group's new styles and facilities, so that
        // its placements and locks stand as the generator made them.
        for (int v = 0; v < doc.GetNumVenues(); ++v) {
            Venue& venue = doc.GetVenues().GetVenue(v);
            for (const LONG l_key : v_styles)
                venue.GetStyles().Add(l_key);
            for (const LONG l_key : v_facilities)
                venue.GetFacilities().Add(l_key);
        }
        testevent::GiveEveryField(doc.GetParticipants().GetAt(0), doc.AddParticipantRole("Leader"));
        doc.GetPreferences().SetFillEmptySlots(b_fill);
        doc.GetPreferences().SetAllowTravel(FALSE);
        EXPECT_NE(TT().Build(&doc), 0) << "the first build ran to its end";
        EXPECT_TRUE(dialogs.vMinimums.empty());
        dialogs.vShown.clear();
        doc.SetModifiedFlag(false);
        views.Updates.clear();
    }

    EventDoc& Doc() { return *pDoc; }
    Timetable& TT() { return *pDoc->GetTimetable(); }
    testbytes::Bytes Saved() { return testbytes::Store(Doc(), &Doc()); }
    // The timeslots that are locked (b_locked) or hold a group.
    int Count(bool b_locked)
    {
        int n = 0;
        for (int d = 0; d < TT().GetNumDays(); ++d)
            for (int v = 0; v < TT().GetDay(d).GetNumVenues(); ++v)
                for (int s = 0; s < TT().GetDay(d).GetVenueSlots(v).GetSize(); ++s) {
                    const Timeslot& slot = TT().GetDay(d).GetVenueSlots(v)[s];
                    n += (b_locked ? slot.IsLocked() : !slot.IsEmpty()) ? 1 : 0;
                }
        return n;
    }
    int Locked() { return Count(true); }
    int Placed() { return Count(false); }
    // Presses the button once, in the first pump whose window shows a
    // stage that begins with the text (in the attempt given, counted from
    // 1 by the windows shown from now on).
    void PressWhen(UINT u_button, const std::string& s_stage, UINT n_window = 1)
    {
        const UINT n_shown = progress.Shown();
        progress.SetPumpHook([this, u_button, s_stage, n_window, n_shown](UINT) {
            if (bPressed || progress.Model() == nullptr || progress.Shown() != n_shown + n_window
                || !StartsWith(progress.Model()->GetDescription(), s_stage))
                return;
            bPressed = progress.Click(u_button);
        });
    }

    std::unique_ptr<EventDoc> pDoc;
    bool bPressed = false;
};

TEST(BuildCancel, ACancelAnywhereInTheBuildLeavesTheEventAsTheCommandFoundIt)
{
    struct Case {
        const char* pWhere;
        BOOL bFill;
        const char* pStage;
        // A first attempt cut short by Stop, the report answered "keep
        // searching", and the Cancel in the second attempt's window.
        bool bKeepSearching;
    };
    const Case a_cases[] = {
        {"the first search", FALSE, "Enforcing minimum", false},
        {"the fill", TRUE, "Filling empty slots", false},
        {"the check after the search", FALSE, "Checking timetable", false},
        {"a keep-searching round", FALSE, "Enforcing minimum", true},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhere);
        BuiltEvent built(c.bFill);
        ASSERT_TRUE(built.TT().IsValid()) << "the generated event builds valid";
        const int n_locked = built.Locked();
        ASSERT_GT(n_locked, 0);
        ASSERT_GT(built.Placed(), n_locked) << "unlocked placements too";
        const testbytes::Bytes a_before = built.Saved();
        const int n_empty = built.TT().CountUnfilled(-1, -1);
        const CHighTime dt_built = built.TT().GetCreationDate();
        built.clock.Set(CHighTime(2025, 3, 4, 8, 0, 0));

        // Every poll of the build is due to pump.
        built.progress.Clock().SetStepPerReading(100);
        if (c.bKeepSearching) {
            // Stop as the first attempt's event pass begins leaves groups
            // below their event minimums; the report offers to keep
            // searching.
            bool b_stopped = false;
            const UINT n_shown = built.progress.Shown();
            built.progress.SetPumpHook([&, n_shown](UINT) {
                HeadlessProgress& progress = built.progress;
                if (progress.Model() == nullptr || built.bPressed)
                    return;
                const std::string& s_stage = progress.Model()->GetDescription();
                if (!b_stopped && progress.Shown() == n_shown + 1 && StartsWith(s_stage, "Enforcing minimum event"))
                    b_stopped = progress.Click(IDC_PROGRESS_STOP);
                if (progress.Shown() == n_shown + 2 && StartsWith(s_stage, c.pStage))
                    built.bPressed = progress.Click(IDCANCEL);
            });
            built.dialogs.KeepSearching(0);
        } else {
            built.PressWhen(IDCANCEL, c.pStage);
        }

        const UINT n_shown = built.progress.Shown();
        EXPECT_EQ(built.TT().Build(&built.Doc()), 0);
        ASSERT_TRUE(built.bPressed) << "the build reached the stage";
        if (c.bKeepSearching) {
            ASSERT_EQ(built.dialogs.vMinimums.size(), 1U);
            EXPECT_EQ(built.progress.Shown(), n_shown + 2) << "Cancel came in the second attempt";
        }
        EXPECT_EQ(built.TT().CountUnfilled(-1, -1), n_empty);
        EXPECT_TRUE(built.Saved() == a_before) << "the saved event is the same, byte for byte";
        EXPECT_TRUE(built.TT().IsValid());
        EXPECT_EQ(built.TT().GetCreationDate(), dt_built);
        EXPECT_EQ(built.Locked(), n_locked);
        EXPECT_FALSE(built.Doc().IsModified());
        EXPECT_EQ(built.progress.Shown(), built.progress.Ended());
        EXPECT_FALSE(built.window.bDisabled);
        // The views showed the build's placements as it went: they are
        // told to show the timetable again.
        ASSERT_EQ(built.views.Updates.size(), 1U);
    }
}

TEST(BuildCancel, ACancelOfABuildOverLocksOnlyEndsWithTheLocksAndAnEditedEventStaysModified)
{
    BuiltEvent built(FALSE);
    // The unlocked placements dropped, as an edit of the event drops them.
    const int n_locked = built.Locked();
    for (int d = 0; d < built.TT().GetNumDays(); ++d)
        for (int v = 0; v < built.TT().GetDay(d).GetNumVenues(); ++v)
            for (int s = 0; s < built.TT().GetDay(d).GetVenueSlots(v).GetSize(); ++s) {
                if (!built.TT().GetDay(d).GetVenueSlots(v)[s].IsLocked()) {
                    TimeslotPtr sp_slot = built.TT().GetDay(d).GetVenueSlots(v).GetSlotPtr(s);
                    sp_slot->SetGroup(-1);
                    sp_slot->SetSpare(0);
                }
            }
    built.TT().Invalidate();
    built.Doc().SetModifiedFlag(true);
    const testbytes::Bytes a_before = built.Saved();
    const int n_empty = built.TT().CountUnfilled(-1, -1);

    built.progress.Clock().SetStepPerReading(100);
    built.PressWhen(IDCANCEL, "Enforcing minimum");
    EXPECT_EQ(built.TT().Build(&built.Doc()), 0);
    ASSERT_TRUE(built.bPressed);
    EXPECT_TRUE(built.Saved() == a_before);
    EXPECT_EQ(built.Locked(), n_locked);
    EXPECT_EQ(built.TT().CountUnfilled(-1, -1), n_empty);
    EXPECT_FALSE(built.TT().IsValid());
    EXPECT_TRUE(built.Doc().IsModified()) << "modified before the build, modified after";
}

// Stop ends the search where it is: what it placed stays for the checks
// and the report, and the timetable the user had before is gone.
TEST(BuildCancel, StopKeepsWhatTheBuildPlaced)
{
    buildtest::Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(1, 1)); });
    bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(1, 1)); });
    bed.event.Group("Ada", [](Group& g) { g.SetDayLimits(Range(1, 1)); }).Timetable();
    // Before the build: Ole locked at 09:00, Gee placed at 11:00.
    bed.event.Place(0, "Hall", "09:00", "Ole", true).Place(0, "Hall", "11:00", "Gee");
    bed.TT().SetValid(TRUE);
    bed.Doc().SetModifiedFlag(false);
    // The day pass places Ada; Stop comes as the event pass begins, before
    // Gee is placed again.
    bed.progress.Clock().SetStepPerReading(100);
    bool b_pressed = false;
    bed.progress.SetPumpHook([&](UINT) {
        if (!b_pressed && bed.progress.Model() != nullptr
            && StartsWith(bed.progress.Model()->GetDescription(), "Enforcing minimum event"))
            b_pressed = bed.progress.Click(IDC_PROGRESS_STOP);
    });
    bed.dialogs.MakeChanges();
    EXPECT_EQ(bed.Build(), 0);
    ASSERT_TRUE(b_pressed);
    ASSERT_EQ(bed.dialogs.vMinimums.size(), 1U) << "Gee is reported below its minimum";
    EXPECT_TRUE(bed.dialogs.vMinimums[0].IsIncomplete());
    EXPECT_EQ(bed.Cells(), " Ole* Ada -");
    EXPECT_FALSE(bed.TT().IsValid());
    EXPECT_TRUE(bed.Doc().IsModified());
}

// Cancel pressed at every pump of a small build in turn, from the first to
// the last the build makes on its own: wherever the window takes it
// (every stage of every attempt, the last check and the reports that keep
// the window answering included), the event is as the build command found
// it, its saved bytes and its modified flag; wherever the window refuses it
// (no window up, or the window greyed out as it ends), the build ends as
// it would have without the press.
TEST(BuildCancel, ACancelAtEveryPumpTheWindowTakesLeavesTheEventAsTheCommandFoundIt)
{
    struct Case {
        const char* pWhat;
        BOOL bFill;
        // Two reports of groups below their minimums answered "keep
        // searching", the third "make changes": three attempts.
        bool bKeepSearching;
    };
    const Case a_cases[] = {
        {"a plain rebuild", FALSE, false},
        {"a rebuild with the fill", TRUE, false},
        {"a build that keeps searching", FALSE, true},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        // The event as the build command finds it, ready to build; the same
        // each time, keys included (the generator sets the counters of the
        // keys it gives, the role's is set here).
        const LONG l_role_key = ParticipantRole::GetKeyCounter();
        auto make = [&c, l_role_key] {
            ParticipantRole::SetKeyCounter(l_role_key);
            auto p_built = std::make_unique<BuiltEvent>(c.bFill, true);
            BuiltEvent& built = *p_built;
            if (c.bKeepSearching) {
                // A group's event minimum beyond every timeslot of the
                // event: no attempt reaches it. The edit leaves the event
                // modified.
                GroupList& groups = built.Doc().GetGroups();
                int g = 0;
                while (g < groups.GetNumGroups() && groups.GetAt(g).GetUseVenueLimits())
                    ++g;
                EXPECT_LT(g, groups.GetNumGroups());
                const UINT u_beyond = static_cast<UINT>(built.TT().CountUnfilled(-1, -1) + built.Placed() + 1);
                groups.GetAt(g).SetEventLimits(Range(u_beyond, u_beyond));
                built.Doc().SetModifiedFlag(true);
                built.dialogs.KeepSearching(0);
                built.dialogs.KeepSearching(0);
                built.dialogs.MakeChanges();
            }
            built.clock.Set(CHighTime(2025, 3, 4, 8, 0, 0));
            // Every poll of the build is due to pump.
            built.progress.Clock().SetStepPerReading(100);
            return p_built;
        };

        // The build without a press: its pumps, and where it ends.
        std::unique_ptr<BuiltEvent> p_first = make();
        const testbytes::Bytes a_before = p_first->Saved();
        const bool b_was_modified = p_first->Doc().IsModified();
        const UINT n_pumps_before = p_first->progress.Pumps();
        const UINT n_shown_before = p_first->progress.Shown();
        const int i_result = p_first->TT().Build(&p_first->Doc());
        const UINT n_pumps = p_first->progress.Pumps() - n_pumps_before;
        const UINT n_windows = p_first->progress.Shown() - n_shown_before;
        const testbytes::Bytes a_after = p_first->Saved();
        const bool b_modified_after = p_first->Doc().IsModified();
        if (c.bKeepSearching) {
            ASSERT_EQ(i_result, 0);
            ASSERT_EQ(p_first->dialogs.vMinimums.size(), 3U);
            ASSERT_EQ(n_windows, 3U) << "one window for each attempt";
        } else {
            ASSERT_NE(i_result, 0);
            ASSERT_TRUE(p_first->TT().IsValid());
            ASSERT_EQ(n_windows, 1U);
        }
        ASSERT_FALSE(a_after == a_before) << "the build changes the timetable";
        ASSERT_TRUE(b_modified_after);
        p_first.reset();

        // The stages of each window in which the window took a Cancel, and
        // the pumps after whose press the build ended otherwise than said.
        std::vector<std::set<std::int32_t>> v_taken(n_windows);
        std::string s_wrong;
        for (UINT k = 1; k <= n_pumps; ++k) {
            std::unique_ptr<BuiltEvent> p_built = make();
            BuiltEvent& built = *p_built;
            HeadlessProgress& progress = built.progress;
            const UINT u_at = progress.Pumps() + k;
            const UINT n_shown = progress.Shown();
            bool b_taken = false;
            UINT i_window = 0;
            std::int32_t i_stage = -1;
            progress.SetPumpHook([&](UINT u_pump) {
                if (u_pump != u_at)
                    return;
                if (progress.Model() != nullptr) {
                    i_window = progress.Shown() - n_shown - 1;
                    i_stage = progress.Model()->GetStage();
                }
                b_taken = progress.Click(IDCANCEL);
            });
            const int i_built = built.TT().Build(&built.Doc());
            ASSERT_GE(progress.Pumps(), u_at) << "the build reached pump " << k;
            bool b_right = progress.Shown() == progress.Ended() && !built.window.bDisabled;
            if (b_taken) {
                ASSERT_LT(i_window, v_taken.size());
                v_taken[i_window].insert(i_stage);
                // As before, byte for byte, and no attempt after the Cancel.
                b_right = b_right && i_built == 0 && built.Saved() == a_before
                    && built.Doc().IsModified() == b_was_modified && progress.Shown() - n_shown <= i_window + 1;
            } else {
                b_right = b_right && i_built == i_result && built.Saved() == a_after
                    && built.Doc().IsModified() == b_modified_after;
            }
            if (!b_right) {
                s_wrong += " " + std::to_string(k) + (b_taken ? " (taken in window " + std::to_string(i_window + 1)
                                                          + " stage " + std::to_string(i_stage) + ")"
                                                    : " (refused)");
            }
        }
        EXPECT_EQ(s_wrong, "") << "of " << n_pumps << " pumps";
        // Each window took Cancel in its last check, where the count of the
        // minimums runs, as in its search.
        for (UINT w = 0; w < n_windows; ++w) {
            SCOPED_TRACE("window " + std::to_string(w + 1));
            EXPECT_EQ(v_taken[w].count(BuildEngine::e_stage_minimums), 1U);
            EXPECT_EQ(v_taken[w].count(BuildEngine::e_stage_minimum_check), 1U);
        }
    }
}

} // namespace
