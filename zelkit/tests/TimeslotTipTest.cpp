// The summaries the grid shows over a day name or a set name: the range,
// the count and total, the gaps and the time left; and which of the two a
// pointer over the headers gets.
#include "zelkit/tests/TimeslotGridFixture.h"

#include <string>

namespace {

using TipTest = TimeslotGridFixture;

TEST_F(TipTest, SetTipsSumUpTheSet)
{
    Build(1, 2);
    Grid.SetDayName(0, "Friday");
    Grid.SetSetName(0, 0, "Hall");
    Grid.SetSetName(0, 1, "Studio");
    struct Case {
        const char* pName;
        int a_starts[3]; // minutes after midnight, -1 ends
        int a_lengths[3];
        const char* pTip;
    } const a_cases[] = {
        {"one slot: no s, no gap line", {9 * 60, -1}, {30}, "Friday (Hall):\r\n09:00 - 09:30 (30m).\r\n1 timeslot (30m).\r\nTime left: 23h30m."},
        {"a 15-minute gap",
         {9 * 60, 9 * 60 + 45, -1},
         {30, 60},
         "Friday (Hall):\r\n09:00 - 10:45 (1h45m).\r\n2 timeslots (1h30m).\r\n1 gap (15m).\r\nTime left: 22h15m."},
        {"slots that follow each other make no gap",
         {8 * 60, 9 * 60, 11 * 60},
         {60, 60, 30},
         "Friday (Hall):\r\n08:00 - 11:30 (3h30m).\r\n3 timeslots (2h30m).\r\n1 gap (1h).\r\nTime left: 20h30m."},
        {"none", {-1}, {0}, "Friday (Hall):\r\nNo timeslots defined."},
    };
    for (const Case& c : a_cases) {
        Grid.SetNumSets(0, 2);
        Grid.SetSetName(0, 0, "Hall");
        for (int i = 0; i < 3 && c.a_starts[i] >= 0; ++i)
            Grid.Put(0, 0, At(0, 0) + Minutes(c.a_starts[i]), c.a_lengths[i]);
        EXPECT_EQ(Grid.GetSetTip(0, 0), c.pTip) << c.pName;
    }
}

TEST_F(TipTest, DayTipsSumUpTheDayOrItsSets)
{
    Build(2, 1);
    Grid.SetDayName(0, "Friday");
    Grid.Put(0, 0, At(9, 0), 30);
    EXPECT_EQ(Grid.GetDayTip(0), "Friday:\r\n09:00 - 09:30 (30m).\r\n1 timeslot (30m).\r\nTime left: 23h30m.")
        << "one set: the set's lines";

    Grid.SetNumSets(1, 2);
    Grid.SetDayName(1, "Saturday");
    EXPECT_EQ(Grid.GetDayTip(1), "Saturday:\r\nNo timeslots defined.") << "two sets without slots";
    Grid.Put(1, 1, At(8, 0, 0, 1), 60);
    Grid.Put(1, 0, At(10, 0, 0, 1), 30);
    EXPECT_EQ(Grid.GetDayTip(1), "Saturday:\r\n08:00 - 10:30 (2h30m).\r\nTime left: 23h30m.")
        << "the range over both sets, the time left of set 0";

    Grid.Set24Hour(FALSE);
    EXPECT_EQ(Grid.GetDayTip(1), "Saturday:\r\n8:00am - 10:30am (2h30m).\r\nTime left: 23h30m.");
}

TEST_F(TipTest, ThePointerOverTheHeadersGetsTheDayOrTheSetTip)
{
    Build(2, 1);
    Grid.SetNumSets(1, 2);
    Grid.SetDayName(0, "Friday");
    Grid.SetDayName(1, "Saturday");
    Grid.SetSetName(1, 1, "Studio");
    Grid.Recompute();
    CRect rc_day0, rc_set;
    ASSERT_TRUE(Grid.DayToRect(0, rc_day0));
    ASSERT_TRUE(Grid.SetToRect(1, 1, rc_set));
    struct Case {
        const char* pName;
        CPoint pt;
        const char* pStart;
    } const a_cases[] = {
        {"day name of a one-set day", CPoint(rc_day0.CenterPoint().x, Grid.GetDayRowRect().top + 2), "Friday:"},
        {"set name", CPoint(rc_set.CenterPoint().x, Grid.GetSetRowRect().top + 2), "Saturday (Studio):"},
        {"day name of a two-set day", CPoint(rc_set.CenterPoint().x, Grid.GetDayRowRect().top + 2), "Saturday:"},
    };
    for (const Case& c : a_cases) {
        Grid.OnMouseMove(0, c.pt);
        EXPECT_EQ(Grid.GetTipText().rfind(c.pStart, 0), 0u) << c.pName << ": " << Grid.GetTipText();
        EXPECT_TRUE(Host.TimerRuns(ZelTimeslotGrid::uTipTimer)) << c.pName;
    }
}

} // namespace
