// The selection counters: counts of groups and their members, the save and
// restore of a trial, the participants' room for one more placement, the
// venue queries on run counts, and counting a whole timetable.
#include "engine/SelCounters.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

SchedLim Range(UINT u_min, UINT u_max) { return SchedLim(SchedLim::e_range, 0, u_min, u_max); }

// Three days, venues Hall and Barn. Ann: at most 1 a day and 2 over the
// event. Bob: venue limits, at most 1 in Hall and none for Barn; at most 2
// a day. Duo has both, Solo has Bob, Quiet has no members.
struct Festival {
    Festival()
    {
        event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
        const LONG l_hall = event.VenueKey("Hall");
        event.Participant("Ann Lee", [](Participant& p) {
            p.SetDayLimits(Range(0, 1));
            p.SetEventLimits(Range(0, 2));
        });
        event.Participant("Bob Ray", [l_hall](Participant& p) {
            p.SetDayLimits(Range(0, 2));
            p.SetUseVenueLimits(TRUE);
            VenueLimit limit(l_hall);
            limit.Limit = Range(0, 1);
            p.GetVenueLimits().InsertSorted(limit);
        });
        event.Group("Duo").Member("Duo", "Ann Lee").Member("Duo", "Bob Ray");
        event.Group("Solo").Member("Solo", "Bob Ray").Group("Quiet").Timetable();
    }

    EventBuilder event;
    static constexpr int iDuo = 0, iSolo = 1, iQuiet = 2, iAnn = 0, iBob = 1, iHall = 0, iBarn = 1;
};

// Every count of the counters as text, to compare whole states.
std::string Dump(const SelCounters& counters)
{
    std::string s;
    auto counts = [&s](const CountBase& c) {
        s += " t" + std::to_string(c.GetTotal()) + " d";
        for (int d = 0; d < c.DayCounts.GetSize(); ++d)
            s += std::to_string(c.DayCounts[d]) + ",";
        s += " v";
        for (int v = 0; v < c.VenueCounts.GetSize(); ++v)
            s += std::to_string(c.VenueCounts[v]) + ",";
    };
    for (int g = 0; g < counters.GetNumGroups(); ++g) {
        const GroupCount& c = counters.GetGroupCount(g);
        s += "\ngroup " + std::to_string(g);
        counts(c);
        s += " r";
        for (int v = 0; v < c.VenueRuns.GetSize(); ++v)
            s += std::to_string(c.VenueRuns[v]) + ",";
        for (int d = 0; d < c.DayVenueCounts.GetSize(); ++d) {
            s += " dv" + std::to_string(d) + ":";
            for (int v = 0; v < c.DayVenueCounts[d].GetSize(); ++v)
                s += std::to_string(c.DayVenueCounts[d][v]) + "/" + std::to_string(c.DayVenueRuns[d][v]) + ",";
        }
    }
    if (counters.IsCountingParticipants()) {
        for (int p = 0; p < counters.GetNumParticipants(); ++p) {
            s += "\npart " + std::to_string(p);
            counts(counters.GetPartCount(p));
        }
    }
    return s;
}

TEST(SelCounters, PlacementsCountForTheGroupAndItsMembers)
{
    Festival fest;
    SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), TRUE);
    ASSERT_EQ(counters.GetNumDays(), 3);
    ASSERT_EQ(counters.GetNumVenues(), 2);
    counters.GetPartCount(Festival::iAnn).SetNoVenueCounts();

    counters.IncGroupCount(Festival::iDuo, 1, Festival::iBarn);
    counters.IncGroupCount(Festival::iDuo, 2, Festival::iBarn);
    counters.IncGroupCount(Festival::iSolo, 1, Festival::iHall);
    EXPECT_EQ(counters.GetTotal(Festival::iDuo), 2u);
    EXPECT_EQ(counters.GetDayTotal(Festival::iDuo, 1), 1u);
    EXPECT_EQ(counters.GetDayTotal(Festival::iDuo, 0), 0u);
    EXPECT_EQ(counters.GetVenueTotal(Festival::iDuo, Festival::iBarn), 2u);
    EXPECT_EQ(counters.GetDayVenueTotal(Festival::iDuo, 2, Festival::iBarn), 1u);

    const PartCount& ann = counters.GetPartCount(Festival::iAnn);
    const PartCount& bob = counters.GetPartCount(Festival::iBob);
    EXPECT_EQ(ann.GetTotal(), 2u);
    EXPECT_EQ(ann.GetDayCount(2), 1u);
    EXPECT_TRUE(ann.VenueCounts.IsEmpty()) << "no venue counts are kept for her";
    EXPECT_EQ(ann.GetVenueCount(Festival::iBarn), 0u);
    EXPECT_EQ(bob.GetTotal(), 3u);
    EXPECT_EQ(bob.GetDayCount(1), 2u);
    EXPECT_EQ(bob.GetVenueCount(Festival::iBarn), 2u);
    EXPECT_EQ(bob.GetVenueCount(Festival::iHall), 1u);

    counters.DecGroupCount(Festival::iDuo, 1, Festival::iBarn);
    EXPECT_EQ(counters.GetTotal(Festival::iDuo), 1u);
    EXPECT_EQ(ann.GetDayCount(1), 0u);
    EXPECT_EQ(bob.GetVenueCount(Festival::iBarn), 1u);

    counters.ResetCounts();
    counters.SetRuns(Festival::iDuo, -1, Festival::iHall, 4);
    counters.SetVenueExcluded(Festival::iDuo, Festival::iBarn, TRUE);
    counters.ResetCounts();
    EXPECT_EQ(counters.GetTotal(Festival::iSolo), 0u);
    EXPECT_EQ(bob.GetTotal(), 0u);
    EXPECT_EQ(counters.GetRuns(Festival::iDuo, -1, Festival::iHall), 4u) << "runs are not placement counts";
    EXPECT_TRUE(counters.IsVenueExcluded(Festival::iDuo, Festival::iBarn));
}

TEST(SelCounters, WithoutParticipantsOnlyGroupsAreCounted)
{
    Festival fest;
    SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), FALSE);
    counters.IncPartCount(Festival::iAnn, 0, 0);
    counters.IncGroupCount(Festival::iDuo, 0, Festival::iHall);
    counters.IncGroupCount(Festival::iDuo, 0, Festival::iHall);
    EXPECT_EQ(counters.GetTotal(Festival::iDuo), 2u);
    EXPECT_TRUE(counters.CanAddPartsDay(Festival::iDuo, 0));
    EXPECT_TRUE(counters.CanAddPartsVenue(Festival::iDuo, Festival::iHall));
    EXPECT_TRUE(counters.CanAddParts(Festival::iDuo, 0, Festival::iHall));
}

TEST(SelCounters, ATrialsChangesAreRestored)
{
    Festival fest;
    SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), TRUE);
    counters.IncGroupCount(Festival::iDuo, 0, Festival::iHall);
    counters.SetRuns(Festival::iDuo, 0, Festival::iHall, 1);
    const std::string s_before = Dump(counters);

    counters.SetSaveMode(TRUE);
    counters.IncGroupCount(Festival::iDuo, 1, Festival::iBarn);
    counters.IncGroupCount(Festival::iDuo, 1, Festival::iBarn);
    counters.DecGroupCount(Festival::iDuo, 0, Festival::iHall);
    counters.AddRuns(Festival::iDuo, 1, Festival::iBarn, 1, 1);
    counters.IncGroupCount(Festival::iSolo, 2, Festival::iHall);
    counters.IncPartCount(Festival::iAnn, 2, Festival::iHall);
    ASSERT_NE(Dump(counters), s_before);
    counters.RestoreSaved();
    EXPECT_EQ(Dump(counters), s_before) << "every entity the trial touched is as it was";
    EXPECT_FALSE(counters.IsSaveMode());

    counters.RestoreSaved();
    EXPECT_EQ(Dump(counters), s_before) << "outside save mode there is nothing to restore";

    counters.SetSaveMode(TRUE);
    counters.IncGroupCount(Festival::iSolo, 0, Festival::iBarn);
    counters.SetSaveMode(FALSE);
    const std::string s_kept = Dump(counters);
    counters.SetSaveMode(TRUE);
    counters.RestoreSaved();
    EXPECT_EQ(Dump(counters), s_kept) << "leaving save mode forgets what was saved";
    EXPECT_EQ(counters.GetTotal(Festival::iSolo), 1u);
}

TEST(SelCounters, RoomForTheMembers)
{
    struct Placement {
        int iPart;
        int iDay;
        int iVenue;
    };
    struct Case {
        std::vector<Placement> vPlaced;
        int iGroup;
        int iDay;
        int iVenue;
        bool bDay;
        bool bVenue;
        bool bAll;
        const char* pWhy;
    };
    const int H = Festival::iHall, B = Festival::iBarn, ANN = Festival::iAnn, BOB = Festival::iBob;
    const Case a_cases[] = {
        {{}, Festival::iDuo, 0, H, true, true, true, "nobody placed yet"},
        {{{ANN, 0, B}}, Festival::iDuo, 0, H, false, true, false, "Ann has her day's one"},
        {{{ANN, 0, B}}, Festival::iDuo, 1, H, true, true, true, "another day"},
        {{{ANN, 0, B}}, Festival::iSolo, 0, H, true, true, true, "Solo does not have Ann"},
        {{{BOB, 0, H}}, Festival::iDuo, 1, H, true, false, false, "Bob has his one in Hall"},
        {{{BOB, 0, H}}, Festival::iDuo, 1, B, true, true, true, "Bob has no limit in Barn"},
        {{{ANN, 0, B}, {ANN, 1, B}}, Festival::iDuo, 2, B, true, true, false, "Ann has her event's two"},
        {{{BOB, 2, B}, {BOB, 2, B}}, Festival::iSolo, 2, B, false, true, false, "Bob has his day's two"},
        {{{BOB, 2, B}, {BOB, 2, B}, {BOB, 2, B}}, Festival::iSolo, 0, B, true, true, true,
         "Bob uses venue limits: no event maximum"},
        {{{ANN, 0, B}}, Festival::iQuiet, 0, H, true, true, true, "no members"},
    };
    for (const Case& c : a_cases) {
        Festival fest;
        SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), TRUE);
        for (const Placement& p : c.vPlaced)
            counters.IncPartCount(p.iPart, p.iDay, p.iVenue);
        EXPECT_EQ(counters.CanAddPartsDay(c.iGroup, c.iDay) != FALSE, c.bDay) << c.pWhy;
        EXPECT_EQ(counters.CanAddPartsVenue(c.iGroup, c.iVenue) != FALSE, c.bVenue) << c.pWhy;
        EXPECT_EQ(counters.CanAddParts(c.iGroup, c.iDay, c.iVenue) != FALSE, c.bAll) << c.pWhy;
    }
}

TEST(SelCounters, VenueCountsNotKeptReadAsNone)
{
    Festival fest;
    SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), TRUE);
    counters.GetPartCount(Festival::iBob).SetNoVenueCounts();
    counters.IncGroupCount(Festival::iSolo, 0, Festival::iHall);
    EXPECT_TRUE(counters.GetPartCount(Festival::iBob).VenueCounts.IsEmpty());
    EXPECT_TRUE(counters.CanAddPartsVenue(Festival::iSolo, Festival::iHall)) << "his Hall count reads 0";
    EXPECT_TRUE(counters.CanAddParts(Festival::iSolo, 1, Festival::iHall));
}

TEST(SelCounters, AMemberWithoutAParticipant)
{
    Festival fest;
    fest.event.GetGroup("Duo").GetMembers().SetMember(987654, "", FALSE);
    SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), TRUE);
    EXPECT_TRUE(counters.CanAddPartsDay(Festival::iDuo, 0)) << "the day test passes it over";
    EXPECT_TRUE(counters.CanAddPartsVenue(Festival::iDuo, Festival::iHall));
    ZelRecordingErrorReports reports;
    EXPECT_THROW(counters.CanAddParts(Festival::iDuo, 0, Festival::iHall), ZelAssertException);
    EXPECT_THROW(counters.IncGroupCount(Festival::iDuo, 0, Festival::iHall), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 2u);
    EXPECT_NE(reports.Reports()[1].sReport.find("Error: i_index >= 0"), std::string::npos);
}

TEST(SelCounters, VenuesByRunCounts)
{
    struct Case {
        std::vector<UINT> vRuns;
        std::vector<int> vExcluded;
        int iWithout;
        int iMost;
        int nWith;
    };
    const Case a_cases[] = {
        {{0, 0, 0}, {}, 0, 0, 0},
        {{2, 3, 3}, {}, -1, 1, 3},
        {{2, 3, 3}, {1}, -1, 2, 2},
        {{2, 0, 5}, {0}, 1, 2, 1},
        {{0, 1, 0}, {0, 1, 2}, -1, 0, 0},
        {{4, 0, 1}, {2}, 1, 0, 1},
    };
    for (int i_day : {-1, 1}) {
        for (const Case& c : a_cases) {
            EventBuilder event;
            event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Venue("Loft");
            event.Group("Choir").Timetable();
            SelCounters counters(&event.Doc(), event.Doc().GetTimetable(), FALSE);
            for (int v = 0; v < 3; ++v)
                counters.SetRuns(0, i_day, v, c.vRuns[static_cast<std::size_t>(v)]);
            for (int v : c.vExcluded)
                counters.SetVenueExcluded(0, v, TRUE);
            const int i_other = i_day < 0 ? 0 : -1;
            EXPECT_EQ(counters.FindVenueWithoutRuns(0, i_day), c.iWithout);
            EXPECT_EQ(counters.FindVenueWithMostRuns(0, i_day), c.iMost);
            EXPECT_EQ(counters.CountVenuesWithRuns(0, i_day), c.nWith);
            EXPECT_EQ(counters.CountVenuesWithRuns(0, i_other), 0) << "the other counts are apart";
        }
    }
}

TEST(SelCounters, RunCountsChangeByAmountsAndSaveFirst)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Group("Choir").Timetable();
    SelCounters counters(&event.Doc(), event.Doc().GetTimetable(), FALSE);
    counters.SetRuns(0, -1, 0, 2);
    counters.SetRuns(0, 1, 0, 1);
    counters.SetSaveMode(TRUE);
    counters.AddRuns(0, 1, 0, -1, 1);
    EXPECT_EQ(counters.GetRuns(0, -1, 0), 1u);
    EXPECT_EQ(counters.GetRuns(0, 1, 0), 2u);
    counters.RestoreSaved();
    EXPECT_EQ(counters.GetRuns(0, -1, 0), 2u);
    EXPECT_EQ(counters.GetRuns(0, 1, 0), 1u);
    counters.AddRuns(0, 0, 0, -3, 0);
    EXPECT_EQ(counters.GetRuns(0, -1, 0), 0xFFFFFFFFu) << "counts are unsigned 32-bit and wrap";
}

TEST(SelCounters, CountingATimetable)
{
    Festival fest;
    fest.event.Place(0, "Hall", "09:00", "Duo", true).Place(0, "Barn", "09:00", "Solo");
    fest.event.Place(2, "Barn", "10:00", "Duo").Place(2, "Hall", "10:00", "Quiet");
    fest.event.Slot(1, "Hall", "09:00").SetGroup(424242);

    SelCounters counters(&fest.event.Doc(), fest.event.Doc().GetTimetable(), TRUE);
    EXPECT_TRUE(counters.CountTimetable());
    EXPECT_EQ(counters.GetTotal(Festival::iDuo), 2u);
    EXPECT_EQ(counters.GetDayVenueTotal(Festival::iDuo, 2, Festival::iBarn), 1u);
    EXPECT_EQ(counters.GetTotal(Festival::iSolo), 1u);
    EXPECT_EQ(counters.GetTotal(Festival::iQuiet), 1u);
    EXPECT_EQ(counters.GetPartCount(Festival::iBob).GetTotal(), 3u) << "the members are counted too";

    struct Stopper {
        int nCalls = 0;
        static BOOL Step(void* p_arg)
        {
            auto* p_self = static_cast<Stopper*>(p_arg);
            return ++p_self->nCalls < 2 ? TRUE : FALSE;
        }
    } stopper;
    SelCounters partial(&fest.event.Doc(), fest.event.Doc().GetTimetable(), FALSE);
    EXPECT_FALSE(partial.CountTimetable(&Stopper::Step, &stopper));
    EXPECT_EQ(stopper.nCalls, 2) << "one call after each placement counted; FALSE stops";
    EXPECT_EQ(partial.GetTotal(Festival::iDuo) + partial.GetTotal(Festival::iSolo), 2u)
        << "day 0's two placements, in order, and nothing after";
}

TEST(SelCounters, RunCountsFromTheBuildMap)
{
    EventBuilder event;
    event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Consecutive(0);
    event.Venue("Hall").Venue("Barn").Group("Choir").Group("Band").Alloc("Choir", "Barn", 1, 9, true);
    event.Timetable();
    for (const char* p_start : {"09:00", "10:00"})
        event.Place(0, "Hall", p_start, "Choir");
    event.Place(0, "Hall", "11:00", "Band").Place(1, "Hall", "10:00", "Choir");
    // A run in Barn from Monday's last slot into Tuesday's first: once
    // over the event, once on each day.
    event.Place(0, "Barn", "11:00", "Choir").Place(1, "Barn", "09:00", "Choir").Place(2, "Barn", "09:00", "Choir");
    TTMap map(&event.Doc(), event.Doc().GetTimetable());
    map.Build();
    SelCounters counters(&event.Doc(), event.Doc().GetTimetable(), FALSE);
    counters.SetRuns(1, -1, 1, 5);
    counters.SetRuns(1, 2, 1, 5);
    counters.CountRuns(map);
    const int i_choir = 0, i_band = 1, i_hall = 0, i_barn = 1;
    struct Case {
        int iGroup;
        int iDay;
        int iVenue;
        UINT nRuns;
    };
    const Case a_cases[] = {
        {i_choir, -1, i_hall, 2}, {i_choir, 0, i_hall, 1}, {i_choir, 1, i_hall, 1}, {i_choir, 2, i_hall, 0},
        {i_choir, -1, i_barn, 2}, {i_choir, 0, i_barn, 1}, {i_choir, 1, i_barn, 1}, {i_choir, 2, i_barn, 1},
        {i_band, -1, i_hall, 1},  {i_band, 0, i_hall, 1},  {i_band, -1, i_barn, 0}, {i_band, 2, i_barn, 0},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(counters.GetRuns(c.iGroup, c.iDay, c.iVenue), c.nRuns)
            << "group " << c.iGroup << " day " << c.iDay << " venue " << c.iVenue;
}

} // namespace
