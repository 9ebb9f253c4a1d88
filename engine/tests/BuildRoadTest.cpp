// The road of a build on small events, judged by the independent checker:
// the options, an event without groups, a lock over a maximum, the minimum
// passes, the fill, a Skip and another attempt, and the check command.
#include "BuildBed.h"

#include "generators/EventGenerator.h"
#include "engine/SelCounters.h"

#include <algorithm>
#include <gtest/gtest.h>

using buildtest::Bed;
using buildtest::Exact;
using buildtest::Range;

namespace {

bool StartsWith(const std::string& s, const std::string& s_prefix)
{
    return s.compare(0, s_prefix.size(), s_prefix) == 0;
}

TEST(BuildRoad, CancellingTheOptionsLeavesEverythingAsItWas)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(2, 2)); }).Timetable().Place(0, "Hall", "10:00", "Gee");
    bed.Doc().SetModifiedFlag(false);
    const std::uint64_t n_maps = TTMap::GetMapsMade();
    std::uint64_t n_maps_at_options = 0;
    bed.dialogs.fOnShow = [&](UINT) { n_maps_at_options = TTMap::GetMapsMade(); };
    bed.dialogs.AnswerOptions([](BuildOptionsModel& model) {
        model.bFillTimeslots = TRUE;
        return IDCANCEL;
    });
    EXPECT_EQ(bed.Build(), 0);
    EXPECT_EQ(bed.Cells(), " - Gee");
    EXPECT_EQ(bed.dialogs.vShown, std::vector<UINT>{IDD_BUILD_OPTIONS});
    EXPECT_FALSE(bed.Doc().GetPreferences().GetFillEmptySlots()) << "nothing stored";
    EXPECT_FALSE(bed.Doc().IsModified());
    EXPECT_TRUE(bed.views.Updates.empty());
    EXPECT_EQ(bed.progress.Shown(), 0U);
    // The options were asked before any map was made, and their Cancel
    // made none: the main window never had to wait.
    EXPECT_EQ(n_maps_at_options, n_maps);
    EXPECT_EQ(TTMap::GetMapsMade(), n_maps);
    EXPECT_TRUE(bed.window.vCalls.empty());
}

// What the user sets in the options is what the build works with: travel
// time keeps Ole out of the slot right after its member's other group in
// another venue, and the fill places Ada, who has no minimum.
TEST(BuildRoad, TheOptionsTheUserSetsAreTheOnesTheBuildUses)
{
    struct Case {
        const char* pWhat;
        BOOL bTravel;
        BOOL bFill;
        const char* pCells;
    };
    const Case a_cases[] = {
        {"neither", FALSE, FALSE, " Gee* / Ole -"},
        {"travel and fill", TRUE, TRUE, " Gee* / Ada Ole"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        Bed bed;
        bed.event.Days({"Mon"}).Venue("Hall").Venue("Barn");
        bed.event.VenueSlots(0, "Hall", {"09:00-10:00"}).VenueSlots(0, "Barn", {"10:00-11:00", "11:00-12:00"});
        bed.event.Participant("Pat Doe");
        bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(1, 1)); });
        bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(1, 1)); });
        bed.event.Group("Ada").Member("Gee", "Pat Doe").Member("Ole", "Pat Doe").Timetable();
        bed.event.Place(0, "Hall", "09:00", "Gee", true);
        bed.dialogs.AnswerOptions([&c](BuildOptionsModel& model) {
            model.bAllowTravel = c.bTravel;
            model.uTravelMinutes = 30;
            model.bFillTimeslots = c.bFill;
            return IDOK;
        });
        EXPECT_EQ(bed.Build(), 1);
        EXPECT_EQ(bed.Cells(), c.pCells);
        EXPECT_TRUE(bed.TT().IsValid());
        EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
    }
}

TEST(BuildRoad, TheOptionsAreStoredOrNotAskedForWhenSuppressed)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Gee").Timetable();
    bed.dialogs.AnswerOptions([](BuildOptionsModel& model) {
        EXPECT_FALSE(model.bAllowTravel);
        model.bAllowTravel = TRUE;
        model.uTravelMinutes = 30;
        model.bFillTimeslots = TRUE;
        model.bDontShowAgain = TRUE;
        return IDOK;
    });
    EXPECT_EQ(bed.Build(), 1);
    const Preferences& prefs = bed.Doc().GetPreferences();
    EXPECT_TRUE(prefs.GetAllowTravel());
    EXPECT_EQ(prefs.GetTravelMinutes(), 30U);
    EXPECT_TRUE(prefs.GetFillEmptySlots());
    EXPECT_TRUE(prefs.GetSkipBuildOptions());
    EXPECT_EQ(bed.Cells(), " Gee") << "filled, as the stored option now says";

    bed.dialogs.vShown.clear();
    EXPECT_EQ(bed.Build(), 1);
    EXPECT_EQ(bed.dialogs.vShown, std::vector<UINT>{}) << "not asked again";
}

TEST(BuildRoad, AnEventWithoutGroupsEndsValid)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Timetable();
    bed.Doc().SetModifiedFlag(false);
    EXPECT_EQ(bed.Build(), 1);
    EXPECT_TRUE(bed.TT().IsValid());
    EXPECT_EQ(bed.TT().GetCreationDate(), CHighTime(2025, 3, 3, 12, 0, 0));
    EXPECT_TRUE(bed.Messages().empty());
    const std::vector<std::string> v_stages = bed.Stages();
    ASSERT_GE(v_stages.size(), 2U);
    EXPECT_EQ(v_stages[0], "Checking counts...");
    EXPECT_EQ(v_stages[1], "Checking rules...");
    // The views learn of the build, the event is modified, and the main
    // window is back and active.
    ASSERT_EQ(bed.views.Updates.size(), 1U);
    EXPECT_EQ(bed.views.Updates[0].lCode, 0);
    EXPECT_FALSE(bed.views.Updates[0].bHint);
    EXPECT_TRUE(bed.Doc().IsModified());
    // Once while the map is made, once for the build.
    EXPECT_EQ(bed.window.vCalls,
              (std::vector<std::string>{"disable", "enable", "disable", "enable+activate"}));
    EXPECT_EQ(bed.progress.Shown(), bed.progress.Ended());
}

TEST(BuildRoad, ALockOverADayMaximumStopsTheBuildAfterCheckingCounts)
{
    Bed bed;
    bed.window.bMainActive = FALSE;
    bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(0, 1)); }).Group("Ole").Timetable();
    bed.event.Place(1, "Hall", "09:00", "Gee", true).Place(1, "Hall", "10:00", "Gee", true);
    bed.event.Place(0, "Hall", "09:00", "Ole");
    EXPECT_EQ(bed.Build(), 0);
    EXPECT_EQ(bed.Stages().back(), "Checking counts...");
    EXPECT_EQ(bed.Messages(), std::vector<std::string>{"You have locked group 'Gee' into day 'Tue'.  This lock exceeds the "
                                                       "group's maximum scheduling limit for the day (1)."});
    EXPECT_EQ(bed.Cells(), " - - | Gee* Gee*") << "only the locks are left";
    EXPECT_FALSE(bed.TT().IsValid());
    EXPECT_EQ(bed.window.vCalls, (std::vector<std::string>{"disable", "enable", "disable", "enable"}));
    EXPECT_EQ(bed.progress.Shown(), bed.progress.Ended());
    EXPECT_EQ(bed.views.Updates.size(), 1U) << "the build had started";
}

TEST(BuildRoad, RaisesEveryGroupToItsMinimumsUnderItsLimitsAndLocks)
{
    // Two days of four timeslots in two venues; Ann sings in Choir and Duo,
    // Bob in Duo and Band. Band is locked into Hall on Mon at 09:00.
    Bed bed;
    bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"});
    bed.event.Venue("Hall").Venue("Barn").Participant("Ann Lee").Participant("Bob Ray");
    bed.event.Group("Choir", [](Group& g) {
        g.SetEventLimits(Range(3, 4));
        g.SetDayLimits(Range(1, 2));
    });
    bed.event.Group("Duo", [](Group& g) { g.SetEventLimits(Exact(2)); });
    bed.event.Group("Band", [](Group& g) {
        g.SetEventLimits(Range(2, 3));
        g.SetDayLimits(Range(0, 2));
    });
    bed.event.Member("Choir", "Ann Lee").Member("Duo", "Ann Lee").Member("Duo", "Bob Ray").Member("Band", "Bob Ray");
    bed.event.Timetable().Place(0, "Hall", "09:00", "Band", true);
    EXPECT_EQ(bed.Build(), 1);
    EXPECT_TRUE(bed.TT().IsValid());
    EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
    EXPECT_TRUE(bed.Messages().empty()) << bed.Messages().front();
    const Timetable& tt = bed.TT();
    EXPECT_GE(tt.CountPlacements(bed.event.GroupKey("Choir"), -1, -1), 0);
    int n_choir = 0, n_duo = 0, n_band = 0;
    for (int d = 0; d < tt.GetNumDays(); ++d) {
        int n_choir_day = 0;
        for (int v = 0; v < tt.GetDay(d).GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = tt.GetDay(d).GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                n_choir_day += a_slots[s].GetGroup() == bed.event.GroupKey("Choir");
                n_duo += a_slots[s].GetGroup() == bed.event.GroupKey("Duo");
                n_band += a_slots[s].GetGroup() == bed.event.GroupKey("Band");
            }
        }
        EXPECT_GE(n_choir_day, 1) << "Choir's day minimum on day " << d;
        n_choir += n_choir_day;
    }
    EXPECT_GE(n_choir, 3);
    EXPECT_EQ(n_duo, 2);
    EXPECT_GE(n_band, 2);
    EXPECT_EQ(bed.dialogs.vShown, std::vector<UINT>{IDD_BUILD_OPTIONS}) << "no report";
}

TEST(BuildRoad, AFillThatCannotFillEveryTimeslotStillEndsValid)
{
    Bed bed;
    bed.Doc().GetPreferences().SetFillEmptySlots(TRUE);
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).Timetable();
    EXPECT_EQ(bed.Build(), 1);
    EXPECT_TRUE(bed.TT().IsValid());
    EXPECT_EQ(bed.TT().CountUnfilled(-1, -1), 2);
    EXPECT_EQ(bed.Messages(), std::vector<std::string>{"Rotavex has created a valid timetable according to your "
                                                       "specifications.  However, there were 2 timeslot(s) that "
                                                       "could not be filled."});
    EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
}

TEST(BuildRoad, AFillOfEveryTimeslotIsNotReported)
{
    Bed bed;
    bed.Doc().GetPreferences().SetFillEmptySlots(TRUE);
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Barn");
    // A group is in one venue at a time: each fills one venue.
    bed.event.Group("Gee").Group("Ole", [](Group& g) { g.SetDayLimits(Range(0, 3)); }).Timetable();
    EXPECT_EQ(bed.Build(), 1);
    EXPECT_EQ(bed.TT().CountUnfilled(-1, -1), 0);
    EXPECT_TRUE(bed.Messages().empty());
    EXPECT_EQ(bed.Problems(), std::vector<std::string>{});
}

TEST(BuildRoad, SkipDuringTheEventPassLeavesTheMinimumsIncompleteAndAnotherAttemptGoesOnFromThere)
{
    // Gee needs three placements but can have two of the three timeslots:
    // the event pass cannot reach its minimum. Skip is pressed while it
    // searches for the third.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(3, 3)); }).Timetable();
    bed.event.GroupUnavailable("Gee", 0, "11:00-12:00");
    bed.progress.Clock().SetStepPerReading(100);
    bool b_pressed = false;
    bed.progress.SetPumpHook([&](UINT) {
        const BuildProgressModel* p_model = bed.progress.Model();
        if (!b_pressed && p_model != nullptr && StartsWith(p_model->GetDescription(), "Enforcing minimum event")
            && bed.Cells() == " Gee Gee -")
            b_pressed = bed.progress.Click(IDC_PROGRESS_SKIP);
    });
    std::string s_cells_at_second;
    bed.dialogs.fOnShow = [&](UINT u_dialog) {
        if (u_dialog == IDD_FAILED_MINIMUMS && bed.dialogs.vMinimums.size() == 1)
            s_cells_at_second = bed.Cells();
    };
    bed.dialogs.KeepSearching(1);
    bed.dialogs.MakeChanges();
    EXPECT_EQ(bed.BuildWithEngine(), FALSE);
    EXPECT_TRUE(b_pressed);

    ASSERT_EQ(bed.dialogs.vMinimums.size(), 2U);
    const FailedMinimumsModel& first = bed.dialogs.vMinimums[0];
    EXPECT_EQ(first.GetMode(), 0);
    EXPECT_TRUE(first.IsIncomplete()) << "the search was cut short";
    ASSERT_EQ(first.GetRows().size(), 1U);
    EXPECT_EQ(first.GetRows()[0], (FailedMinItem{"Gee", "Event", 3, 2}));
    const FailedMinimumsModel& second = bed.dialogs.vMinimums[1];
    EXPECT_EQ(second.GetMode(), 1) << "the mode chosen";
    EXPECT_FALSE(second.IsIncomplete());
    EXPECT_EQ(s_cells_at_second, " Gee Gee -") << "the second attempt started from the placements";
    EXPECT_EQ(bed.progress.Shown(), 2U) << "a new window for the second attempt";
    EXPECT_EQ(bed.pEngine->GetStats().nAttempts, 2);
    EXPECT_EQ(bed.pEngine->GetSearchDepth(), 3U) << "a complete search reaches every timeslot";
    EXPECT_EQ(bed.Cells(), " Gee Gee -") << "kept for the user to see";
    EXPECT_FALSE(bed.TT().IsValid());
}

TEST(BuildRoad, CancelLeavesATimetableOfLocksAsItWas)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(1, 1)); });
    bed.event.Group("Ole", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).Timetable();
    bed.event.Place(0, "Hall", "10:00", "Ole", true);
    bed.progress.Clock().SetStepPerReading(100);
    bed.progress.SetPumpHook([&](UINT) {
        if (bed.progress.Model() != nullptr
            && StartsWith(bed.progress.Model()->GetDescription(), "Enforcing minimum event"))
            bed.progress.Click(IDCANCEL);
    });
    EXPECT_EQ(bed.Build(), 0);
    EXPECT_EQ(bed.Cells(), " - Ole*");
    EXPECT_FALSE(bed.TT().IsValid());
    EXPECT_EQ(bed.progress.Shown(), bed.progress.Ended());
}

TEST(BuildRoad, CheckStampsAValidTimetableAndClearsTheStampOfAnInvalidOne)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).Group("Ole").Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee");
    bed.Doc().SetModifiedFlag(false);

    bed.Doc().OnCheckTimetable();
    EXPECT_TRUE(bed.TT().IsValid());
    EXPECT_EQ(bed.TT().GetCreationDate(), CHighTime(2025, 3, 3, 12, 0, 0));
    EXPECT_EQ(bed.Messages(), std::vector<std::string>{"The timetable is valid."});
    EXPECT_TRUE(bed.Doc().IsModified()) << "the stamp changed";

    // Valid again: nothing changes.
    bed.boxes.Clear();
    bed.Doc().SetModifiedFlag(false);
    bed.clock.Set(CHighTime(2025, 3, 4, 8, 0, 0));
    bed.Doc().OnCheckTimetable();
    EXPECT_EQ(bed.TT().GetCreationDate(), CHighTime(2025, 3, 3, 12, 0, 0));
    EXPECT_FALSE(bed.Doc().IsModified());

    // Gee placed twice breaks its maximum: the check tells why, then says
    // the timetable is invalid.
    bed.boxes.Clear();
    bed.event.Place(0, "Hall", "10:00", "Gee");
    bed.Doc().OnCheckTimetable();
    EXPECT_FALSE(bed.TT().IsValid());
    ASSERT_EQ(bed.Messages().size(), 2U);
    EXPECT_NE(bed.Messages()[0].find("Group 'Gee' has been selected too many times"), std::string::npos)
        << bed.Messages()[0];
    EXPECT_EQ(bed.Messages()[1], "The timetable is invalid.  Build the timetable to correct errors.");
    EXPECT_TRUE(bed.Doc().IsModified());
    EXPECT_EQ(bed.progress.Shown(), 0U) << "a check shows no progress";
}

TEST(BuildRoad, CheckKeepsTheMainWindowWaitingAndRepaintingUntilItsBox)
{
    Bed bed;
    bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Lab");
    bed.event.Group("Gee").Group("Ole").Group("Ada").Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee").Place(1, "Lab", "10:00", "Ole");
    // Each reading of the clock is 60 ms on: every poll of the check's
    // loops is due to dispatch the window's events.
    bed.progress.Clock().SetStepPerReading(60);
    std::vector<bool> v_disabled_at_pump;
    bed.progress.SetPumpHook([&](UINT) { v_disabled_at_pump.push_back(bed.window.bDisabled != FALSE); });
    // A press made meanwhile finds no window to take it.
    bed.progress.Press(IDCANCEL);

    bed.Doc().OnCheckTimetable();
    EXPECT_TRUE(bed.TT().IsValid());
    EXPECT_EQ(bed.progress.Shown(), 0U) << "a check shows no progress";
    // The map, every cell and the groups' minimums each dispatched the
    // events, all while the main window took no input.
    EXPECT_GE(v_disabled_at_pump.size(), 3U + 12U);
    EXPECT_EQ(std::count(v_disabled_at_pump.begin(), v_disabled_at_pump.end(), false), 0);
    // The window takes input again, its focus untouched, before the box
    // that tells the finding.
    EXPECT_EQ(bed.window.vCalls, (std::vector<std::string>{"disable", "enable"}));
    EXPECT_FALSE(bed.window.bDisabled);
    EXPECT_EQ(bed.Messages(), std::vector<std::string>{"The timetable is valid."});

    // On the clock that stands still the check pumps once, as it begins,
    // so that the busy pointer shows at once; a check that takes less than
    // the pump's pace then leaves the events alone.
    bed.progress.Clock().SetStepPerReading(0);
    const UINT n_pumps = bed.progress.Pumps();
    v_disabled_at_pump.clear();
    bed.Doc().OnCheckTimetable();
    EXPECT_EQ(bed.progress.Pumps(), n_pumps + 1);
    EXPECT_EQ(v_disabled_at_pump, std::vector<bool>{true});
}

TEST(BuildRoad, CheckFindsGroupsBelowTheirMinimums)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(1, 1)); }).Timetable();
    bed.TT().SetValid(TRUE);
    bed.Doc().OnCheckTimetable();
    EXPECT_FALSE(bed.TT().IsValid());
    EXPECT_EQ(bed.Messages(), std::vector<std::string>{"The timetable is invalid.  Build the timetable to correct errors."});
    EXPECT_TRUE(bed.dialogs.vShown.empty()) << "the check shows no report";
}

} // namespace

namespace {

// A generated event of some size, built as the command builds it.
struct Generated {
    explicit Generated(bool b_fill)
    {
        benchevent::EventOptions options;
        options.uSeed = 11;
        // A fill that cannot fill a timeslot searches through everything
        // in the complete modes: the event that is filled is a small one.
        // A fill that cannot fill a timeslot searches through everything
        // in the complete modes, which takes long: the event that is
        // filled here can be filled.
        options.nGroups = b_fill ? 30 : 40;
        options.nParticipants = b_fill ? 60 : 90;
        options.nDays = b_fill ? 3 : 4;
        options.nVenues = 4;
        options.nSlotsPerDay = b_fill ? 5 : 6;
        options.nStyles = b_fill ? 2 : 6;
        options.nDayRules = 3;
        options.nVenueRules = 3;
        pDoc = benchevent::GenerateEvent(options);
        pDoc->GetPreferences().SetFillEmptySlots(b_fill);
        vLocks = testcheck::TimetableChecker::TakeLocks(*pDoc);
        iResult = pDoc->GetTimetable()->Build(pDoc.get());
    }
    std::string Cells() const
    {
        std::string s;
        const Timetable& tt = *pDoc->GetTimetable();
        for (int d = 0; d < tt.GetNumDays(); ++d) {
            for (int v = 0; v < tt.GetDay(d).GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = tt.GetDay(d).GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i)
                    s += std::to_string(a_slots[i].GetGroup()) + " ";
            }
        }
        return s;
    }

    std::unique_ptr<EventDoc> pDoc;
    std::vector<testcheck::LockedCell> vLocks;
    int iResult = 0;
};

TEST(BuildRoad, AGeneratedEventBuildsValidAndTheSameEveryTime)
{
    for (const bool b_fill : {false, true}) {
        Bed bed;
        const Generated first(b_fill);
        EXPECT_EQ(first.iResult, 1) << b_fill;
        EXPECT_TRUE(first.pDoc->GetTimetable()->IsValid()) << b_fill;
        EXPECT_EQ(testcheck::TimetableChecker(*first.pDoc).CheckAll(first.vLocks), std::vector<std::string>{})
            << b_fill;
        EXPECT_EQ(bed.Messages(), std::vector<std::string>{}) << b_fill;
        if (b_fill) {
            EXPECT_EQ(first.pDoc->GetTimetable()->CountUnfilled(-1, -1), 0);
        }
        // A second run, with the pump running at every chance, gives the
        // same placements.
        bed.progress.Clock().SetStepPerReading(150);
        const Generated second(b_fill);
        EXPECT_EQ(second.Cells(), first.Cells()) << b_fill;
    }
}

} // namespace

namespace {

TEST(BuildRoad, ClearingKeepsTheLocksCountsThemAndTheirRuns)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Barn");
    bed.event.Group("Gee").Group("Ole").Group("Ann").Timetable();
    bed.event.Place(0, "Hall", "09:00", "Gee", true).Place(0, "Hall", "10:00", "Gee", true);
    bed.event.Place(0, "Barn", "11:00", "Ole", true).Place(0, "Barn", "09:00", "Ann");
    bed.event.Slot(0, "Barn", "09:00").SetSpare(7);
    bed.TT().SetValid(TRUE);
    bed.TT().SetCreationDate(CHighTime(2025, 1, 1, 0, 0, 0));
    bed.pMap = std::make_unique<TTMap>(&bed.Doc(), &bed.TT());
    bed.pMap->Build();
    BuildEngine engine(&bed.Doc(), &bed.TT(), bed.pMap.get());
    SelCounters counters(&bed.Doc(), &bed.TT(), FALSE);
    Generator::GroupIndexList a_locked;
    engine.ClearTimetable(&counters, &a_locked);

    EXPECT_EQ(bed.Cells(), " Gee* Gee* - / - - Ole*");
    EXPECT_EQ(bed.event.Slot(0, "Barn", "09:00").GetSpare(), 0U);
    EXPECT_FALSE(bed.TT().IsValid());
    EXPECT_NE(bed.TT().GetCreationDate().GetStatus(), CHighTime::valid);
    const int i_gee = 0, i_ole = 1, i_ann = 2, i_hall = 0, i_barn = 1;
    EXPECT_EQ(counters.GetTotal(i_gee), 2U);
    EXPECT_EQ(counters.GetVenueTotal(i_ole, i_barn), 1U);
    EXPECT_EQ(counters.GetTotal(i_ann), 0U);
    EXPECT_EQ(counters.GetRuns(i_gee, -1, i_hall), 1U) << "two locked timeslots in a row are one run";
    EXPECT_EQ(counters.GetRuns(i_gee, 0, i_hall), 1U);
    EXPECT_EQ(a_locked, (Generator::GroupIndexList{i_ole, i_gee})) << "the group counted last comes first";
}

// A script that keeps searching only as a user could: after a complete
// search that ran to its end the report no longer offers it, and the
// script's answer there is "make changes", however many it has left.
TEST(BuildRoad, KeepSearchingWhereEnabledStopsWhereTheReportOffersItNoMore)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(2, 2)); }).Timetable();
    for (int i = 0; i < 5; ++i)
        bed.dialogs.KeepSearching(1, TRUE);
    EXPECT_EQ(bed.BuildWithEngine(), FALSE);
    ASSERT_EQ(bed.dialogs.vMinimums.size(), 2U);
    EXPECT_TRUE(bed.dialogs.vMinimums[0].bKeepSearchingEnabled);
    EXPECT_EQ(bed.dialogs.vMinimums[0].GetChoice(), IDC_FAILED_MIN_KEEP_SEARCHING);
    EXPECT_FALSE(bed.dialogs.vMinimums[1].bKeepSearchingEnabled);
    EXPECT_EQ(bed.dialogs.vMinimums[1].GetChoice(), IDC_FAILED_MIN_MAKE_CHANGES);
}

} // namespace
