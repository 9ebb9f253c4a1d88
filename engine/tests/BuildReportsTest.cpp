// What a build asks and reports around its search: the options dialog's
// model, the lock messages in their order, the rows of the minimum report
// and the state its dialog opens in, the rotation report's rows, the groups
// never placed, and the search depths of the event pass.
#include "BuildBed.h"

#include <gtest/gtest.h>

#include <functional>

using buildtest::Bed;
using buildtest::Exact;
using buildtest::Range;

namespace {

VenueLimit Limit(LONG l_venue_key, SchedLim limit)
{
    VenueLimit venue_limit(l_venue_key);
    venue_limit.Limit = limit;
    return venue_limit;
}

// ---- the options ----

TEST(BuildOptions, TravelMinutesFromOneTo1440AreTakenAndOthersRefusedWithTheReason)
{
    struct Case {
        const char* pText;
        bool bTaken;
        UINT uMinutes;
        const char* pError;
    };
    const Case a_cases[] = {
        {"1", true, 1, ""},
        {" 1440 ", true, 1440, ""},
        {"45", true, 45, ""},
        {"0", false, 0, "Please enter an integer between 1 and 1440."},
        {"1441", false, 0, "Please enter an integer between 1 and 1440."},
        {"99999999999999999999", false, 0, "Please enter an integer between 1 and 1440."},
        {"", false, 0, "Please enter a positive integer."},
        {"-5", false, 0, "Please enter a positive integer."},
        {"12a", false, 0, "Please enter a positive integer."},
    };
    for (const Case& c : a_cases) {
        ScriptedMessageBox boxes;
        BuildOptionsModel model;
        model.uTravelMinutes = 7;
        EXPECT_EQ(model.ValidateMinutes(c.pText) != FALSE, c.bTaken) << c.pText;
        if (c.bTaken) {
            EXPECT_EQ(model.uTravelMinutes, c.uMinutes) << c.pText;
            EXPECT_TRUE(boxes.Boxes().empty());
        } else {
            EXPECT_EQ(model.uTravelMinutes, 7U) << c.pText;
            ASSERT_EQ(boxes.Boxes().size(), 1U) << c.pText;
            EXPECT_EQ(boxes.Boxes()[0].sText, c.pError);
        }
    }
}

TEST(BuildOptions, TickingDoNotShowAgainSaysWhereTheDialogComesBack)
{
    ScriptedMessageBox boxes;
    Preferences prefs;
    prefs.SetAllowTravel(FALSE);
    BuildOptionsModel model(prefs);
    EXPECT_FALSE(model.IsMinutesEnabled());
    model.bAllowTravel = TRUE;
    EXPECT_TRUE(model.IsMinutesEnabled());
    model.OnDontShowClicked(FALSE);
    EXPECT_TRUE(boxes.Boxes().empty());
    model.OnDontShowClicked(TRUE);
    ASSERT_EQ(boxes.Boxes().size(), 1U);
    EXPECT_EQ(boxes.Boxes()[0].sText, "You can choose to display this dialog again through an option in Event|Preferences.");
    model.Store(prefs);
    EXPECT_TRUE(prefs.GetSkipBuildOptions());
    EXPECT_TRUE(prefs.GetAllowTravel());
}

// ---- the lock messages ----

TEST(BuildLockLimits, ALockOverAMaximumIsNamedInTheOrderTheLimitsAreChecked)
{
    struct Case {
        const char* pName;
        std::function<void(Bed&)> fMake;
        const char* pMessage;
    };
    // Mon and Tue with two timeslots in Hall and Barn; Ann Lee sings in
    // Gee and Ole.
    const auto base = [](Bed& bed) {
        bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    };
    const Case a_cases[] = {
        {"venue maximum before the day's",
         [&](Bed& bed) {
             base(bed);
             const LONG l_hall = bed.event.VenueKey("Hall");
             bed.event.Group("Gee", [&](Group& g) {
                 g.SetUseVenueLimits(TRUE);
                 g.GetVenueLimits().InsertSorted(Limit(l_hall, Range(0, 1)));
                 g.SetDayLimits(Range(0, 1));
             });
             bed.event.Timetable().Place(0, "Hall", "09:00", "Gee", true).Place(0, "Hall", "10:00", "Gee", true);
         },
         "You have locked group 'Gee' into venue 'Hall'.  This lock exceeds the group's maximum scheduling limit for "
         "the venue (1)."},
        {"day maximum, last day first",
         [&](Bed& bed) {
             base(bed);
             bed.event.Group("Gee", [](Group& g) { g.SetDayLimits(Range(0, 1)); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee", true).Place(0, "Hall", "10:00", "Gee", true);
             bed.event.Place(1, "Hall", "09:00", "Gee", true).Place(1, "Barn", "10:00", "Gee", true);
         },
         "You have locked group 'Gee' into day 'Tue'.  This lock exceeds the group's maximum scheduling limit for the "
         "day (1)."},
        {"event maximum, on the last day locked",
         [&](Bed& bed) {
             base(bed);
             bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Range(0, 1)); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee", true).Place(1, "Barn", "10:00", "Gee", true);
         },
         "You have locked group 'Gee' into day 'Tue'.  This lock exceeds the group's maximum scheduling limit for the "
         "Event (1)."},
        {"a member's day maximum",
         [&](Bed& bed) {
             base(bed);
             bed.event.Participant("Ann Lee", [](Participant& p) { p.SetDayLimits(Range(0, 1)); });
             bed.event.Group("Gee").Group("Ole").Member("Gee", "Ann Lee").Member("Ole", "Ann Lee").Timetable();
             bed.event.Place(0, "Hall", "09:00", "Ole", true).Place(0, "Barn", "10:00", "Gee", true);
         },
         "You have locked group 'Gee' into day 'Mon'.  This lock exceeds the maximum scheduling limit of the "
         "participant 'Ann Lee' for the day (1)."},
        {"a member's event maximum, on a day the group is locked",
         [&](Bed& bed) {
             base(bed);
             bed.event.Participant("Ann Lee", [](Participant& p) { p.SetEventLimits(Range(0, 1)); });
             bed.event.Group("Gee").Group("Ole").Member("Gee", "Ann Lee").Member("Ole", "Ann Lee").Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee", true).Place(1, "Barn", "10:00", "Ole", true);
         },
         "You have locked group 'Gee' into day 'Mon'.  This lock exceeds the maximum scheduling limit of the "
         "participant 'Ann Lee' for the Event (1)."},
        {"a member's venue maximum",
         [&](Bed& bed) {
             base(bed);
             const LONG l_barn = bed.event.VenueKey("Barn");
             bed.event.Participant("Ann Lee", [&](Participant& p) {
                 p.SetUseVenueLimits(TRUE);
                 p.GetVenueLimits().InsertSorted(Limit(l_barn, Range(0, 1)));
             });
             bed.event.Group("Gee").Group("Ole").Member("Gee", "Ann Lee").Member("Ole", "Ann Lee").Timetable();
             bed.event.Place(1, "Barn", "09:00", "Ole", true).Place(0, "Barn", "10:00", "Gee", true);
         },
         "You have locked group 'Gee' into day 'Mon'.  This lock exceeds the maximum scheduling limit of the "
         "participant 'Ann Lee' for the venue 'Barn' (1)."},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        c.fMake(bed);
        EXPECT_EQ(bed.Build(), 0) << c.pName;
        EXPECT_EQ(bed.Messages(), std::vector<std::string>{c.pMessage}) << c.pName;
        EXPECT_EQ(bed.Stages().back(), "Checking counts...") << c.pName;
    }
}

TEST(BuildLockLimits, LocksThatCannotBeCompletedIntoARunStopTheBuild)
{
    // Gee must stay two timeslots at a time in Hall; its lock sits between
    // Ole's.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall");
    bed.event.Group("Gee").Alloc("Gee", "Hall", 2, 2).Group("Ole").Timetable();
    bed.event.Place(0, "Hall", "09:00", "Ole", true).Place(0, "Hall", "10:00", "Gee", true);
    bed.event.Place(0, "Hall", "11:00", "Ole", true);
    EXPECT_EQ(bed.Build(), 0);
    EXPECT_EQ(bed.Messages(), std::vector<std::string>{"You have locked group 'Gee' into day 'Mon' venue 'Hall'.  This "
                                                       "lock prevents Rotavex from creating a valid timetable."});
    EXPECT_EQ(bed.Cells(), " Ole* Gee* Ole*");
}

TEST(BuildLockLimits, AFailingRuleStopsTheBuildWithItsText)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee").Timetable().Place(0, "Hall", "09:00", "Gee", true).Place(0, "Hall", "10:00", "Gee", true);
    bed.event.DayRule(0, SchedRule::e_different_groups, {"Hall 09:00-10:00", "Hall 10:00-11:00"});
    EXPECT_EQ(bed.Build(), 0);
    ASSERT_EQ(bed.boxes.Boxes().size(), 1U);
    EXPECT_NE(bed.boxes.Boxes()[0].sText.find("Day scheduling rule 1"), std::string::npos) << bed.boxes.Boxes()[0].sText;
    EXPECT_EQ(bed.boxes.Boxes()[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));
    EXPECT_EQ(bed.Stages().back(), "Checking rules...");
}

// ---- the minimum report ----

TEST(FailedMinimums, TheDialogOpensByModeAndByWhetherTheSearchWasCutShort)
{
    struct Case {
        int iMode;
        BOOL bIncomplete;
        int iEntry;
        int iChoice;
        BOOL bKeepEnabled;
    };
    const int k = IDC_FAILED_MIN_KEEP_SEARCHING, m = IDC_FAILED_MIN_MAKE_CHANGES;
    const Case a_cases[] = {
        {0, FALSE, 1, k, TRUE}, {0, TRUE, 1, k, TRUE},  {1, FALSE, 1, m, FALSE}, {1, TRUE, 1, k, TRUE},
        {2, FALSE, 1, m, FALSE}, {2, TRUE, 1, k, TRUE}, {3, FALSE, 0, k, TRUE},  {-1, TRUE, 0, k, TRUE},
    };
    for (const Case& c : a_cases) {
        const FailedMinimumsModel model(c.iMode, c.bIncomplete);
        EXPECT_EQ(model.iEntry, c.iEntry) << c.iMode << "/" << c.bIncomplete;
        EXPECT_EQ(model.iChoice, c.iChoice) << c.iMode << "/" << c.bIncomplete;
        EXPECT_EQ(model.bKeepSearchingEnabled, c.bKeepEnabled) << c.iMode << "/" << c.bIncomplete;
        EXPECT_EQ(model.GetChosenMode(), c.iEntry) << "the entry chosen is the mode returned";
    }
}

TEST(FailedMinimums, RowsGoLastGroupFirstDaysBeforeTheEventOrVenuesThenSortedByGroup)
{
    // Zed and Amy are below their minimums on both days and over the
    // event; Vic, with venue limits, below its minimum in Barn. Tue is a
    // day Amy cannot be placed on.
    Bed bed;
    bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn");
    const LONG l_barn = bed.event.VenueKey("Barn");
    bed.event.Group("Zed", [](Group& g) {
        g.SetDayLimits(Range(1, 1));
        g.SetEventLimits(Range(3, 3));
    });
    bed.event.Group("Amy", [](Group& g) {
        g.SetDayLimits(Range(1, 1));
        g.SetEventLimits(Range(2, 2));
    });
    bed.event.Group("Vic", [&](Group& g) {
        g.SetUseVenueLimits(TRUE);
        g.GetVenueLimits().InsertSorted(Limit(l_barn, Range(2, 2)));
    });
    bed.event.GroupUnavailable("Amy", 1, "00:00-23:59").Timetable();
    bed.event.Place(0, "Barn", "09:00", "Vic");
    bed.pMap = std::make_unique<TTMap>(&bed.Doc(), &bed.TT());
    bed.pMap->Build();
    BuildEngine engine(&bed.Doc(), &bed.TT(), bed.pMap.get());
    BOOL b_again = TRUE;
    FailedMinimumsModel rows;
    EXPECT_EQ(engine.CheckMinimums(TRUE, b_again, FALSE, &rows), 0);
    EXPECT_FALSE(b_again);
    const std::vector<FailedMinItem> v_expected = {
        {"Amy", "Day: Mon", 1, 0}, {"Amy", "Event", 2, 0},  {"Vic", "Venue: Barn", 2, 1},
        {"Zed", "Day: Mon", 1, 0}, {"Zed", "Day: Tue", 1, 0}, {"Zed", "Event", 3, 0},
    };
    EXPECT_EQ(rows.GetRows(), v_expected);
    EXPECT_EQ(engine.GetStats().uMinimumShortfall, 1U + 2 + 1 + 1 + 1 + 3);
    EXPECT_TRUE(bed.dialogs.vShown.empty()) << "not interactive";

    // Shown, and "keep searching" in "Complete" becomes the engine's mode.
    bed.dialogs.KeepSearching(1);
    EXPECT_EQ(engine.CheckMinimums(TRUE, b_again, TRUE), 0);
    EXPECT_TRUE(b_again);
    EXPECT_EQ(engine.GetMode(), 1);
    ASSERT_EQ(bed.dialogs.vMinimums.size(), 1U);
    EXPECT_TRUE(bed.dialogs.vMinimums[0].IsIncomplete());
    const ZelReportLayout report = bed.dialogs.vMinimums[0].MakeReport();
    EXPECT_EQ(report.sTitle, "Minimum Scheduling Failures");
    ASSERT_EQ(report.Rows.GetSize(), 6);
    EXPECT_EQ(report.Rows[2][0] + "|" + report.Rows[2][1] + "|" + report.Rows[2][2] + "|" + report.Rows[2][3],
              "Vic|Venue: Barn|2|1");
}

// ---- the rotation report ----

TEST(FailedRotation, ScopeTexts)
{
    EXPECT_EQ(FailedRotationModel::GetScopeText(1, "Mon"), "Event");
    EXPECT_EQ(FailedRotationModel::GetScopeText(2, "Mon"), "Day: Mon");
    EXPECT_EQ(FailedRotationModel::GetScopeText(2, ""), "Day");
    EXPECT_EQ(FailedRotationModel::GetScopeText(0, "Mon"), "");
}

TEST(FailedRotation, RowsNameTheVenuesAGroupMissedWhileRepeatingAnother)
{
    struct Case {
        const char* pName;
        std::function<void(Bed&)> fMake;
        std::vector<FailedRotItem> vRows;
    };
    const Case a_cases[] = {
        {"day rotation, Hall twice on Mon and Barn not at all",
         [](Bed& bed) {
             bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
             bed.event.Venue("Hall").Venue("Barn").Venue("Loft");
             bed.event.Group("Gee", [](Group& g) { g.SetRotation(Group::e_day_rotation); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee", true).Place(0, "Hall", "11:00", "Gee");
             bed.event.Place(0, "Loft", "10:00", "Gee").Place(1, "Hall", "09:00", "Gee");
         },
         {{"Gee", "Barn", "Locked in one or more venues.", 2, "Mon"}}},
        {"day rotation, a run of two is one placement",
         [](Bed& bed) {
             bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
             bed.event.Group("Gee", [](Group& g) { g.SetRotation(Group::e_day_rotation); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee").Place(0, "Hall", "10:00", "Gee");
         },
         {}},
        {"event rotation, over two days",
         [](Bed& bed) {
             bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Venue("Loft");
             bed.event.Group("Gee", [](Group& g) { g.SetRotation(Group::e_event_rotation); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee", true).Place(1, "Hall", "09:00", "Gee");
         },
         {{"Gee", "Barn", "Locked in this venue 1 time(s).", 1, ""},
          {"Gee", "Loft", "Locked in this venue 1 time(s).", 1, ""}}},
        {"event rotation in a one-day event is never reported",
         [](Bed& bed) {
             bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
             bed.event.Venue("Hall").Venue("Barn");
             bed.event.Group("Gee", [](Group& g) { g.SetRotation(Group::e_event_rotation); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee").Place(0, "Hall", "11:00", "Gee");
         },
         {}},
        {"the same placements under day rotation are",
         [](Bed& bed) {
             bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"});
             bed.event.Venue("Hall").Venue("Barn");
             bed.event.Group("Gee", [](Group& g) { g.SetRotation(Group::e_day_rotation); }).Timetable();
             bed.event.Place(0, "Hall", "09:00", "Gee").Place(0, "Hall", "11:00", "Gee");
         },
         {{"Gee", "Barn", "", 2, "Mon"}}},
        {"no rotation asked for",
         [](Bed& bed) {
             bed.event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn");
             bed.event.Group("Gee").Timetable().Place(0, "Hall", "09:00", "Gee").Place(1, "Hall", "09:00", "Gee");
         },
         {}},
    };
    for (const Case& c : a_cases) {
        Bed bed;
        c.fMake(bed);
        bed.pMap = std::make_unique<TTMap>(&bed.Doc(), &bed.TT());
        bed.pMap->Build();
        BuildEngine engine(&bed.Doc(), &bed.TT(), bed.pMap.get());
        FailedRotationList rows;
        EXPECT_EQ(engine.ReportFailedRotations(&rows) != FALSE, c.vRows.empty()) << c.pName;
        EXPECT_EQ(rows.GetRows(), c.vRows) << c.pName;
        EXPECT_EQ(bed.dialogs.vRotations.size(), c.vRows.empty() ? 0U : 1U) << c.pName;
    }
}

TEST(FailedRotation, RowsAreSortedByGroupThenVenueAndEqualRowsAreNotAddedTwice)
{
    FailedRotationList rows;
    EXPECT_TRUE(rows.Add({"Ole", "Hall", "", 2, "Mon"}));
    EXPECT_TRUE(rows.Add({"Gee", "Loft", "", 2, "Mon"}));
    EXPECT_TRUE(rows.Add({"Gee", "Barn", "", 2, "Tue"}));
    EXPECT_TRUE(rows.Add({"Gee", "Barn", "", 2, "Mon"})) << "another day is another row";
    EXPECT_FALSE(rows.Add({"Gee", "Loft", "", 2, "Mon"}));
    ASSERT_EQ(rows.GetSize(), 4);
    EXPECT_EQ(rows[0].sVenue + rows[0].sDay, "BarnTue");
    EXPECT_EQ(rows[1].sVenue + rows[1].sDay, "BarnMon");
    EXPECT_EQ(rows[2].sVenue, "Loft");
    EXPECT_EQ(rows[3].sGroup, "Ole");
}

// ---- groups never placed ----

TEST(NotScheduled, ListsGroupsWithoutPlacementOrLimitsLastFirst)
{
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall");
    const LONG l_hall = bed.event.VenueKey("Hall");
    bed.event.Group("Ann").Group("Bea").Group("Cal", [](Group& g) { g.SetEventLimits(Range(0, 2)); });
    bed.event.Group("Dot", [&](Group& g) {
        g.SetUseVenueLimits(TRUE);
        g.GetVenueLimits().InsertSorted(Limit(l_hall, Range(0, 0)));
    });
    bed.event.Group("Eve").Timetable().Place(0, "Hall", "09:00", "Bea");
    bed.pMap = std::make_unique<TTMap>(&bed.Doc(), &bed.TT());
    bed.pMap->Build();
    BuildEngine engine(&bed.Doc(), &bed.TT(), bed.pMap.get());
    engine.ReportNotScheduled();
    ASSERT_EQ(bed.dialogs.vNotScheduled.size(), 1U);
    const NotScheduledModel& model = bed.dialogs.vNotScheduled[0];
    ASSERT_EQ(model.Groups.GetSize(), 2);
    EXPECT_EQ(model.Groups[0], "Eve");
    EXPECT_EQ(model.Groups[1], "Ann");
    EXPECT_FALSE(model.bExplain);
    EXPECT_EQ(engine.GetStats().nNotScheduled, 2);
}

// ---- the search depth of the event pass ----

TEST(BuildDepth, TheEventPassTriesDepthFourBeforeTheFullDepthFromTenOn)
{
    struct Case {
        UINT uDepth;
        int iMode;
        std::vector<std::pair<UINT, int>> vSettings;
    };
    const Case a_cases[] = {
        {1, 0, {{1, 0}}},
        {9, 0, {{9, 0}}},
        {9, 1, {{9, 2}}},
        {9, 2, {{9, 2}}},
        {10, 0, {{4, 0}, {10, 0}}},
        {40, 2, {{4, 2}, {40, 2}}},
        {40, 1, {{4, 1}, {4, 2}, {40, 2}}},
    };
    for (const Case& c : a_cases) {
        UINT a_depths[3];
        int a_modes[3];
        const int n = BuildEngine::GetEventPassSettings(c.uDepth, c.iMode, a_depths, a_modes);
        std::vector<std::pair<UINT, int>> v_settings;
        for (int i = 0; i < n; ++i)
            v_settings.emplace_back(a_depths[i], a_modes[i]);
        EXPECT_EQ(v_settings, c.vSettings) << c.uDepth << "/" << c.iMode;
    }
}

TEST(BuildDepth, ThoroughSearchesHalfTheGroupsDeepAndNeverLessThanOne)
{
    for (int n_groups : {1, 3, 20}) {
        Bed bed;
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall");
        for (int g = 0; g < n_groups; ++g)
            bed.event.Group("G" + std::to_string(g));
        bed.event.Timetable();
        EXPECT_EQ(bed.BuildWithEngine(), TRUE);
        EXPECT_EQ(bed.pEngine->GetSearchDepth(), static_cast<UINT>(std::max(1, n_groups / 2))) << n_groups;
    }
}

TEST(BuildDepth, OneGroupReachesItsEventMinimumInThoroughMode)
{
    // With a depth of 0 the event pass could never place the group.
    Bed bed;
    bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
    bed.event.Group("Gee", [](Group& g) { g.SetEventLimits(Exact(2)); }).Timetable();
    EXPECT_EQ(bed.Build(), 1);
    EXPECT_TRUE(bed.TT().IsValid());
    EXPECT_EQ(bed.Cells(), " Gee Gee");
}

} // namespace
