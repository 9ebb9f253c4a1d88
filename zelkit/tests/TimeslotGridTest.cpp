// The timeslot grid without a window: days and their windows, sets and
// names, the owner's slots in and out, limits, the consecutive flag, the
// process-wide choices and the undo store.
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ZelTimeslotGrid.h"
#include "zelkit/tests/TimeslotFakes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

ZelOleDateTimeSpan Minutes(std::int64_t ll_minutes)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(ll_minutes * CHighTimeSpan::llTicksPerMinute));
}

// Midnight of grid day i plus minutes.
ZelOleDateTime OnDay(int i_day, std::int64_t ll_minutes)
{
    return ZelOleDateTime(2000, 1, 1 + 3 * i_day, 0, 0, 0) + Minutes(ll_minutes);
}

ZelRelTimeslot Rel(std::int64_t ll_start, std::int64_t ll_length, LONG l_key = -1)
{
    return ZelRelTimeslot(Minutes(ll_start), Minutes(ll_length), l_key);
}

ZelRelTimeslotArray Array(std::initializer_list<ZelRelTimeslot> slots)
{
    ZelRelTimeslotArray a;
    for (const auto& s : slots)
        a.Add(s);
    return a;
}

ZelArrayWithFind<long> Keys(std::initializer_list<long> keys)
{
    ZelArrayWithFind<long> a;
    for (long l : keys)
        a.Add(l);
    return a;
}

// Opens the protected undo store to the tests.
class TestGrid : public ZelTimeslotGrid {
public:
    using ZelTimeslotGrid::ZelTimeslotGrid;
    using ZelTimeslotGrid::Changed;
    using ZelTimeslotGrid::DiscardUndo;
    using ZelTimeslotGrid::Save4Undo;
    using ZelTimeslotGrid::SelectionChanged;
};

class TimeslotGridTest : public ::testing::Test {
protected:
    void SetUp() override { ZelTimeslotGrid::Settings() = ZelTimeslotSettings(); }
    void TearDown() override { ZelTimeslotGrid::Settings() = ZelTimeslotSettings(); }
    ZelRecordingErrorReports Reports;
};

TEST_F(TimeslotGridTest, DaysGetTheirWindowsNamesAndOneSet)
{
    TestGrid grid;
    grid.SetNumDays(0);
    ASSERT_EQ(grid.GetNumDays(), 1u);
    EXPECT_EQ(grid.GetDayName(0), "Day 1");
    EXPECT_EQ(grid.GetNumSets(0), 1);
    EXPECT_EQ(grid.GetSetName(0, 0), "Set 1");

    grid.SetNumDays(3);
    struct {
        int iDay;
        ZelOleDateTime dtStart, dtEnd;
    } const a_windows[] = {
        {0, ZelOleDateTime(1999, 12, 31, 12, 0, 0), ZelOleDateTime(2000, 1, 2, 12, 0, 0)},
        {1, ZelOleDateTime(2000, 1, 3, 12, 0, 0), ZelOleDateTime(2000, 1, 5, 12, 0, 0)},
        {2, ZelOleDateTime(2000, 1, 6, 12, 0, 0), ZelOleDateTime(2000, 1, 8, 12, 0, 0)},
    };
    for (const auto& w : a_windows) {
        EXPECT_EQ(grid.GetDayStart(w.iDay), w.dtStart) << w.iDay;
        EXPECT_EQ(grid.GetDayEnd(w.iDay), w.dtEnd) << w.iDay;
        EXPECT_EQ(grid.GetDayName(w.iDay), "Day " + std::to_string(w.iDay + 1));
    }
    EXPECT_EQ(grid.FindDay(OnDay(2, 0)), 2) << "day 2's midnight is 7 January";
    EXPECT_EQ(grid.FindDay(ZelOleDateTime(2000, 1, 6, 12, 0, 0)), 2) << "window ends count";
    EXPECT_EQ(grid.FindDay(ZelOleDateTime(2000, 1, 6, 11, 0, 0)), -1) << "between two windows";
    EXPECT_EQ(grid.ChangeDay(0, OnDay(2, 8 * 60), -1), OnDay(0, 8 * 60));

    grid.SetNumSets(1, 0);
    EXPECT_EQ(grid.GetNumSets(1), 1);
    grid.SetNumSets(1, 3);
    EXPECT_EQ(grid.GetSetName(1, 2), "Set 3");
    EXPECT_EQ(grid.GetMaxSets(), 3);
    EXPECT_EQ(grid.GetTotalSets(), 5);
    EXPECT_EQ(grid.GetSetIndex(2, 0), 4);
    int i_day = -1;
    EXPECT_EQ(grid.GetSetIndexWithinDay(3, &i_day), 2);
    EXPECT_EQ(i_day, 1);
    int i_within = -1;
    EXPECT_EQ(grid.GetDayIndex(6, &i_within), 3) << "past the last column: the day count";
    EXPECT_EQ(i_within, 1) << "and the excess";

    grid.SetDayName(5, "ignored");
    grid.SetDayName(-1, "ignored");
    grid.SetDayName(2, "Sunday");
    EXPECT_EQ(grid.GetDayName(2), "Sunday");
}

TEST_F(TimeslotGridTest, OutOfRangeDaysAndSetsGoToTheAssertionContract)
{
    TestGrid grid;
    grid.SetNumDays(2);
    EXPECT_THROW(grid.SetNumSets(2, 1), ZelAssertException);
    EXPECT_THROW(grid.SetSetName(0, 1, "x"), ZelAssertException);
    EXPECT_THROW(grid.GetTimeslotList(1, 1), ZelAssertException);
    ZelRelTimeslotArray a_out;
    EXPECT_THROW(grid.GetTimeslots(-1, a_out, Keys({})), ZelAssertException);
    EXPECT_THROW(grid.SetTimeslots(2, Array({Rel(60, 30)}), 0, nullptr), ZelAssertException);
    EXPECT_THROW(grid.SetConsec(2, 1), ZelAssertException);
    EXPECT_EQ(Reports.Reports().size(), 6u);
}

TEST_F(TimeslotGridTest, SetTimeslotsMapsSetKeysAndLeavesOutWhatCannotBePlaced)
{
    TestGrid grid;
    grid.SetNumDays(1);
    grid.SetNumSets(0, 2);

    // No key array: every slot in set 0; of two overlapping slots the
    // second is left out.
    EXPECT_EQ(grid.SetTimeslots(0, Array({Rel(9 * 60, 60, 10), Rel(9 * 60 + 30, 60, 20)}), 0, nullptr), 0);
    EXPECT_EQ(grid.GetTimeslotList(0, 0).GetCount(), 1);
    EXPECT_EQ(grid.GetTimeslotList(0, 1).GetCount(), 0);

    const auto a_keys = Keys({30, 10});
    struct Case {
        const char* pName;
        ZelRelTimeslot Slot;
        int iResult;
        int iSet; // -1: left out
    } const a_cases[] = {
        {"first key", Rel(8 * 60, 30, 30), 1, 0},
        {"second key", Rel(8 * 60, 30, 10), 1, 1},
        {"negative key", Rel(8 * 60, 30, -1), 1, 0},
        {"unknown key", Rel(8 * 60, 30, 99), 0, -1},
        {"invalid length", Rel(8 * 60, 0, 10), 0, -1},
        {"longer than a day", Rel(8 * 60, 25 * 60, 10), 0, -1},
    };
    for (const Case& c : a_cases) {
        EXPECT_EQ(grid.SetTimeslots(0, Array({c.Slot}), 0, &a_keys), c.iResult) << c.pName;
        for (int s = 0; s < 2; ++s)
            EXPECT_EQ(grid.GetTimeslotList(0, s).GetCount(), s == c.iSet ? 1 : 0) << c.pName << " set " << s;
    }

    // A key found at an index the day has no set for is left out too.
    const auto a_long_keys = Keys({1, 2, 3});
    EXPECT_EQ(grid.SetTimeslots(0, Array({Rel(8 * 60, 30, 3)}), 0, &a_long_keys), 0);
    EXPECT_EQ(grid.GetDays().CountSlots(), 0);

    // What a slot carries besides its times.
    ZelRelTimeslot rel = Rel(-2 * 60, 90, 10);
    rel.SetItemData(4711);
    rel.SetCombinationKey(8);
    rel.SetSelected(TRUE);
    EXPECT_EQ(grid.SetTimeslots(0, Array({rel}), 0, &a_keys), 1);
    const ZelTimeslot& slot = grid.GetTimeslotList(0, 1)[0];
    EXPECT_EQ(slot.GetStart(), OnDay(0, -120));
    EXPECT_EQ(slot.GetSetIndex(), 1);
    EXPECT_EQ(slot.GetItemData(), 4711u);
    EXPECT_EQ(slot.GetCombinationKey(), 8);
    EXPECT_TRUE(slot.IsSelected());
}

TEST_F(TimeslotGridTest, GetTimeslotsGivesRelativeSlotsInOrderWithTheSetKeys)
{
    TestGrid grid;
    grid.SetNumDays(2);
    grid.SetNumSets(1, 3);
    const auto a_keys = Keys({7, 5, 6});
    ZelRelTimeslot early = Rel(-2 * 60, 60, 5);
    early.SetItemData(12);
    ASSERT_EQ(grid.SetTimeslots(1, Array({Rel(10 * 60, 30, 7), Rel(9 * 60, 30, 7), early, Rel(26 * 60, 30, 6)}), 0,
                                &a_keys),
              1);

    ZelRelTimeslotArray a_out;
    a_out.Add(Rel(0, 1, 1)); // emptied first
    grid.GetTimeslots(1, a_out, Keys({7, 5}));
    ASSERT_EQ(a_out.GetSize(), 4);
    // Sorted by set key, start, length: the key-less third set comes first.
    EXPECT_EQ(a_out[0].GetSetKey(), -1);
    EXPECT_EQ(a_out[0].GetStart(), Minutes(26 * 60));
    EXPECT_EQ(a_out[1].GetSetKey(), 5);
    EXPECT_EQ(a_out[1].GetStart(), Minutes(-120)) << "two hours before midnight";
    EXPECT_EQ(a_out[1].GetItemData(), 12);
    EXPECT_EQ(a_out[2].GetStart(), Minutes(9 * 60));
    EXPECT_EQ(a_out[3].GetStart(), Minutes(10 * 60));
    EXPECT_EQ(a_out[3].GetEnd(), Minutes(10 * 60 + 30));

    // Item data come back from matching slots; nothing else changes.
    ZelRelTimeslot update = Rel(9 * 60, 30, 7);
    update.SetItemData(99);
    ZelRelTimeslot other = Rel(9 * 60, 45, 7); // another length: no match
    other.SetItemData(55);
    grid.UpdateItemData(1, Array({update, other}), a_keys);
    EXPECT_EQ(grid.GetTimeslotList(1, 0)[0].GetItemData(), 99u);
    EXPECT_EQ(grid.GetTimeslotList(1, 0)[1].GetItemData(), 0u);
    EXPECT_EQ(grid.GetTimeslotList(1, 1)[0].GetItemData(), 12u);
}

TEST_F(TimeslotGridTest, LimitsFromTheCalendarDaysAround)
{
    TestGrid grid;
    grid.SetNumDays(2);
    struct Case {
        const char* pName;
        ZelRelTimeslotArray Before, After;
        std::optional<std::int64_t> llStart, llEnd; // minutes from day 1's midnight
    } const a_cases[] = {
        {"nothing around", ZelRelTimeslotArray(), ZelRelTimeslotArray(), std::nullopt, std::nullopt},
        {"ends 11:00 the day before", Array({Rel(9 * 60, 120)}), ZelRelTimeslotArray(), std::nullopt, std::nullopt},
        {"ends 23:30 the day before", Array({Rel(22 * 60, 90)}), ZelRelTimeslotArray(), -30, std::nullopt},
        {"ends 02:00 this morning", Array({Rel(22 * 60, 240)}), ZelRelTimeslotArray(), 120, std::nullopt},
        {"starts 12:00 the day after", ZelRelTimeslotArray(), Array({Rel(12 * 60, 60)}), std::nullopt, std::nullopt},
        {"starts 08:00 the day after", ZelRelTimeslotArray(), Array({Rel(8 * 60, 60)}), std::nullopt, 32 * 60},
        // Slots of several sets: the latest end and the earliest start over
        // all of them, not the last and first element of the array.
        {"latest end in the first set", Array({Rel(20 * 60, 240, 1), Rel(9 * 60, 60, 2)}), ZelRelTimeslotArray(), 0, std::nullopt},
        {"earliest start in the last set", ZelRelTimeslotArray(), Array({Rel(10 * 60, 60, 1), Rel(6 * 60, 60, 2)}), std::nullopt,
         30 * 60},
    };
    for (const Case& c : a_cases) {
        grid.SetStartLimit(1, c.Before);
        grid.SetEndLimit(1, c.After);
        const ZelOleDateTime dt_start = grid.GetDayStartLimit(1);
        const ZelOleDateTime dt_end = grid.GetDayEndLimit(1);
        EXPECT_EQ(dt_start, c.llStart ? OnDay(1, *c.llStart) : grid.GetDayStart(1)) << c.pName;
        EXPECT_EQ(dt_end, c.llEnd ? OnDay(1, *c.llEnd) : grid.GetDayEnd(1)) << c.pName;
    }
}

TEST_F(TimeslotGridTest, TheDaysOwnSlotsAndConsecutiveDaysLimitEachOther)
{
    TestGrid grid;
    grid.SetNumDays(3);
    // 20:00 to 06:00 of the next morning: the day may start at 06:00 at the
    // earliest; 20:00 + 24 h lies beyond the window, which stays the end.
    grid.SetTimeslots(0, Array({Rel(20 * 60, 600)}), 0, nullptr);
    EXPECT_EQ(grid.GetDayStartLimit(0), OnDay(0, 6 * 60));
    EXPECT_EQ(grid.GetDayEndLimit(0), grid.GetDayEnd(0));
    // 10:00 to 12:00: the window start, and 10:00 of the next morning.
    grid.SetTimeslots(1, Array({Rel(10 * 60, 120)}), 0, nullptr);
    EXPECT_EQ(grid.GetDayStartLimit(1), grid.GetDayStart(1));
    EXPECT_EQ(grid.GetDayEndLimit(1), OnDay(1, 34 * 60));

    // Day 1 follows day 0 without a break: day 0's end at 06:00 the next
    // morning (+30 h) bars day 1 before 06:00.
    grid.SetConsec(1, 1);
    EXPECT_EQ(grid.GetDayStartLimit(1), OnDay(1, 6 * 60));
    // ... and day 1's first start at 10:00 ends day 0 at 10:00 the next
    // morning.
    EXPECT_EQ(grid.GetDayEndLimit(0), OnDay(0, 34 * 60));
    grid.SetTimeslots(1, Array({Rel(-60, 120)}), 0, nullptr);
    EXPECT_EQ(grid.GetDayEndLimit(0), OnDay(0, 23 * 60)) << "23:00 of day 0 is day 1's -1 h";

    // An explicit limit wins over the consecutive rule.
    grid.SetStartLimit(1, Array({Rel(23 * 60, 120)}));
    EXPECT_EQ(grid.GetDayStartLimit(1), OnDay(1, 60));
}

TEST_F(TimeslotGridTest, ConsecutiveClearsTheLimitsItReplaces)
{
    TestGrid grid;
    grid.SetNumDays(3);
    for (int d = 0; d < 3; ++d) {
        grid.SetStartLimit(d, Array({Rel(23 * 60, 120)}));
        grid.SetEndLimit(d, Array({Rel(8 * 60, 60)}));
    }
    grid.SetConsec(0, 1);
    EXPECT_TRUE(grid.IsConsec(0));
    EXPECT_EQ(grid.GetDayStartLimit(0), grid.GetDayStart(0)) << "day 0's start limit cleared";
    EXPECT_EQ(grid.GetDayEndLimit(2), grid.GetDayEnd(2)) << "the last day is day 0's previous day";
    EXPECT_EQ(grid.GetDayEndLimit(0), OnDay(0, 32 * 60)) << "kept";
    EXPECT_EQ(grid.GetDayStartLimit(2), OnDay(2, 60)) << "kept";
    grid.SetConsec(1, 0);
    EXPECT_EQ(grid.GetDayEndLimit(0), OnDay(0, 32 * 60)) << "clearing the flag clears nothing";
}

TEST_F(TimeslotGridTest, ProcessWideChoicesCarryToTheNextGrid)
{
    ZelTimeslotGrid::Settings().uPrevSlotLength = 2700;
    ZelTimeslotGrid::Settings().bPrev24Hour = 1;
    ZelTimeslotGrid::Settings().dtsUserResolution = Minutes(10);
    ZelTimeslotGrid::Settings().bUserAutoResolution = 0;
    {
        TestGrid grid;
        EXPECT_EQ(grid.GetSlotLength(), 2700u);
        EXPECT_EQ(grid.Get24Hour(), 1);
        EXPECT_EQ(ZelTimeslotGrid::Settings().dtsUserResolution, Minutes(10)) << "previous spacing kept the choices";
        grid.Set24Hour(0);
        grid.Save24Hour();
    }
    EXPECT_EQ(ZelTimeslotGrid::Settings().bPrev24Hour, 0);
    TestGrid plain(FALSE);
    EXPECT_EQ(ZelTimeslotGrid::Settings().dtsUserResolution, Minutes(5)) << "a plain spacing resets the resolution";
    EXPECT_EQ(ZelTimeslotGrid::Settings().bUserAutoResolution, 1);
    EXPECT_EQ(plain.SetReadOnly(1), 0);
    EXPECT_EQ(plain.SetReadOnly(0), 1);
    EXPECT_EQ(plain.SetPositionTips(0), 1);
}

TEST_F(TimeslotGridTest, UndoStoreAndNotifications)
{
    TestGrid grid;
    FakeHost host;
    host.Attach(grid);
    grid.SetTimeslots(0, Array({Rel(9 * 60, 30)}), 0, nullptr);

    grid.Save4Undo();
    grid.Save4Undo();
    EXPECT_EQ(grid.GetUndoCount(), 2);
    grid.DiscardUndo();
    EXPECT_EQ(grid.GetUndoCount(), 1) << "Save4Undo then DiscardUndo leaves the store as it was";
    EXPECT_EQ(grid.GetRedoCount(), 0);

    grid.Changed();
    grid.SelectionChanged();
    EXPECT_EQ(host.vCodes, (std::vector<int>{ZTSN_CHANGED, ZTSN_SELCHANGED}));
    grid.SetHost(nullptr);
}

} // namespace
