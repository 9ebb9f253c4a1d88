// A laid-out timeslot grid on the fake window of TimeslotFakes.h, with
// times on the grid's own time line and the protected operations opened
// to the tests.
//
// The standard grid: 600 x 400 pixels, 24-hour labels ("08:00", 30 x 13
// pixels, a column 38 wide), 15-minute spacing, 08:00 to 10:00 shown. Its
// line pitch is 32, its step 5 minutes of 10 pixels; the first line (08:00)
// lies at y = 30 and line i at 30 + 32 i; the slot area starts at x = 39,
// y = 14.
#pragma once

#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/controls/ZelTimeslotGrid.h"
#include "zelkit/tests/TimeslotFakes.h"

#include <gtest/gtest.h>

#include <cstdint>

inline ZelOleDateTimeSpan Minutes(std::int64_t ll_minutes)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(ll_minutes * CHighTimeSpan::llTicksPerMinute));
}

inline ZelOleDateTimeSpan Seconds(std::int64_t ll_seconds)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(ll_seconds * CHighTimeSpan::llTicksPerSecond));
}

// hh:mm:ss on grid day i (its midnight is 1 January 2000 + 3 i days).
inline ZelOleDateTime At(int i_hour, int i_minute, int i_second = 0, int i_day = 0)
{
    return ZelOleDateTime(2000, 1, 1 + 3 * i_day, 0, 0, 0) + Seconds(i_hour * 3600 + i_minute * 60 + i_second);
}

class TestGrid : public ZelTimeslotGrid {
public:
    using ZelTimeslotGrid::ZelTimeslotGrid;
    using ZelTimeslotGrid::AddSlot;
    using ZelTimeslotGrid::CheckVertAutoScroll;
    using ZelTimeslotGrid::DrawSlotText;
    using ZelTimeslotGrid::GetDayTip;
    using ZelTimeslotGrid::GetSetTip;
    using ZelTimeslotGrid::GetSlotShape;
    using ZelTimeslotGrid::IsAddOK;
    using ZelTimeslotGrid::MoveHorz;
    using ZelTimeslotGrid::OnEditRedo;
    using ZelTimeslotGrid::OnEditUndo;
    using ZelTimeslotGrid::Overlaps;
    using ZelTimeslotGrid::ResizePoint;
    using ZelTimeslotGrid::SetFocus;

    // A slot of the current days.
    const ZelTimeslot& Slot(int i_day, int i_set, int i_slot) const { return GetDays()[i_day][i_set][i_slot]; }
    // Adds a slot straight to a list (no rules but the list's own).
    void Put(int i_day, int i_set, const ZelOleDateTime& dt_start, int i_minutes, DWORD u_item = 0)
    {
        GetTimeslotList(i_day, i_set).Add(ZelTimeslot(dt_start, Minutes(i_minutes), static_cast<WORD>(i_set), u_item));
    }
    // The centre of a slot's rectangle.
    CPoint Centre(int i_day, int i_set, int i_slot) const
    {
        CRect rc;
        GetSlotRect(i_day, i_set, i_slot, rc);
        return rc.CenterPoint();
    }
};

class TimeslotGridFixture : public ::testing::Test {
protected:
    void SetUp() override { ZelTimeslotGrid::Settings() = ZelTimeslotSettings(); }
    void TearDown() override { ZelTimeslotGrid::Settings() = ZelTimeslotSettings(); }

    // n days of n sets, hour_start to hour_end shown, laid out.
    void Build(int n_days = 1, int n_sets = 1, int i_hour_start = 8, int i_hour_end = 10)
    {
        Host.Attach(Grid);
        Grid.Set24Hour(TRUE);
        Grid.SetNumDays(static_cast<UINT>(n_days));
        for (int d = 0; d < n_days; ++d)
            Grid.SetNumSets(d, static_cast<UINT>(n_sets));
        Grid.SetDisplayStart(FALSE, i_hour_start, 0);
        Grid.SetDisplayEnd(TRUE, i_hour_end, 0);
    }
    // The height of the line of a time of day on the standard grid.
    static LONG Y(int i_hour, int i_minute) { return 30 + (i_hour * 60 + i_minute - 8 * 60) * 32 / 15; }

    ZelRecordingErrorReports Reports;
    FakeHost Host;
    TestGrid Grid;
};
