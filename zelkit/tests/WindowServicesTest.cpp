// Redraw nesting, wait cursors and dialog units without a window.
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<void*, BOOL>> g_sent;

void RecordRedraw(void* p_wnd, BOOL b_redraw) { g_sent.emplace_back(p_wnd, b_redraw); }

class RedrawTest : public ::testing::Test {
protected:
    void SetUp() override { g_sent.clear(); }
    void TearDown() override
    {
        ZelSetRedrawRemove(&wnd1);
        ZelSetRedrawRemove(&wnd2);
    }
    int wnd1 = 0;
    int wnd2 = 0;
};

TEST_F(RedrawTest, NestedSuspensionsSwitchOffOnceAndOnAtTheLastRelease)
{
    EXPECT_EQ(ZelSetRedraw(&wnd1, FALSE, RecordRedraw), 0);
    EXPECT_EQ(ZelSetRedraw(&wnd1, FALSE, RecordRedraw), 0);
    EXPECT_EQ(ZelSetRedraw(&wnd1, FALSE, RecordRedraw), 0);
    EXPECT_EQ(ZelGetRedrawCount(&wnd1), 3);
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0], std::make_pair(static_cast<void*>(&wnd1), BOOL{FALSE}));

    EXPECT_EQ(ZelSetRedraw(&wnd1, TRUE, RecordRedraw), 0);
    EXPECT_EQ(ZelSetRedraw(&wnd1, TRUE, RecordRedraw), 0);
    EXPECT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(ZelSetRedraw(&wnd1, TRUE, RecordRedraw), 1);
    ASSERT_EQ(g_sent.size(), 2u);
    EXPECT_EQ(g_sent[1], std::make_pair(static_cast<void*>(&wnd1), BOOL{TRUE}));
    EXPECT_EQ(ZelGetRedrawCount(&wnd1), 0);
}

TEST_F(RedrawTest, WindowsNestSeparately)
{
    ZelSetRedraw(&wnd1, FALSE, RecordRedraw);
    ZelSetRedraw(&wnd2, FALSE, RecordRedraw);
    ZelSetRedraw(&wnd2, FALSE, RecordRedraw);
    EXPECT_EQ(ZelSetRedraw(&wnd1, TRUE, RecordRedraw), 1);
    EXPECT_EQ(ZelGetRedrawCount(&wnd2), 2);
    EXPECT_EQ(g_sent.size(), 3u);
    EXPECT_EQ(g_sent.back().first, &wnd1);
}

TEST_F(RedrawTest, ReleasingAWindowNeverSuspendedSwitchesItOn)
{
    EXPECT_EQ(ZelSetRedraw(&wnd1, TRUE, RecordRedraw), 1);
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].second, TRUE);
    EXPECT_EQ(ZelGetRedrawCount(&wnd1), 0);
}

TEST_F(RedrawTest, RemovingForgetsTheWindowWithoutSending)
{
    ZelSetRedraw(&wnd1, FALSE, RecordRedraw);
    ZelSetRedraw(&wnd1, FALSE, RecordRedraw);
    ZelSetRedrawRemove(&wnd1);
    EXPECT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(ZelGetRedrawCount(&wnd1), 0);
    // A new window at the same address starts afresh.
    ZelSetRedraw(&wnd1, FALSE, RecordRedraw);
    EXPECT_EQ(g_sent.size(), 2u);
    EXPECT_EQ(ZelSetRedraw(&wnd1, TRUE, RecordRedraw), 1);
}

// Records what the wait cursors ask of the desktop; knows cursor 7 only.
class RecordingCursors : public IZelCursorPort {
public:
    RecordingCursors() : pPrevious(ZelSetCursorPort(this)) {}
    ~RecordingCursors() override { ZelSetCursorPort(pPrevious); }
    void BeginWaitCursor() override { vCalls.push_back("begin"); }
    void EndWaitCursor() override { vCalls.push_back("end"); }
    bool SetCursor(UINT u_id, ZelCursorHandle& h_previous) override
    {
        vCalls.push_back("set " + std::to_string(u_id));
        if (u_id != 7)
            return false;
        h_previous = &iCurrent;
        return true;
    }
    void RestoreCursor(ZelCursorHandle h_previous) override
    {
        vCalls.push_back(h_previous == &iCurrent ? "restore previous" : "restore other");
    }
    std::vector<std::string> vCalls;

private:
    int iCurrent = 0;
    IZelCursorPort* pPrevious;
};

TEST(WaitCursor, ScopesShowAndRestoreTheirCursor)
{
    RecordingCursors cursors;
    {
        ZelWaitCursor wait;
        {
            ZelWaitCursor own(7);
        }
        {
            // A cursor the library does not have falls back to the wait cursor.
            ZelWaitCursor missing(9);
        }
    }
    EXPECT_EQ(cursors.vCalls, (std::vector<std::string>{"begin", "set 7", "restore previous", "set 9", "begin", "end",
                                                         "end"}));
}

class DlgUnitsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ZelDlgUnits::SetBaseSource(pSaved);
        ZelDlgUnits::SetBaseUnits(0, 0);
    }
    ZelDlgBaseSource pSaved = ZelDlgUnits::SetBaseSource(nullptr);
};

TEST_F(DlgUnitsTest, ConvertsWithTheMeasuredBase)
{
    ZelDlgUnits::SetBaseUnits(0, 0);
    static int s_reads = 0;
    s_reads = 0;
    ZelDlgUnits::SetBaseSource([](std::int32_t& i_x, std::int32_t& i_y) {
        ++s_reads;
        i_x = 8;
        i_y = 16;
        return true;
    });
    ZelDlgUnits units;
    ZelDlgUnits again;
    EXPECT_EQ(s_reads, 1); // measured once
    EXPECT_EQ(ZelDlgUnits::GetXBase(), 8);
    EXPECT_EQ(ZelDlgUnits::GetYBase(), 16);
    EXPECT_EQ(units.GetXDlg(100), 50);
    EXPECT_EQ(units.GetYDlg(100), 50);
    EXPECT_EQ(units.GetXPix(50), 100);
    EXPECT_EQ(units.GetYPix(50), 100);
    // Quotients truncate.
    EXPECT_EQ(units.GetXDlg(7), 3);
    EXPECT_EQ(units.GetXPix(3), 6);
    EXPECT_EQ(units.GetYPix(3), 6);
    // Large coordinates do not wrap.
    EXPECT_EQ(units.GetXDlg(1000000000), 500000000);
}

TEST_F(DlgUnitsTest, WithoutBaseUnitsTheCheckFails)
{
    ZelRecordingErrorReports reports;
    ZelDlgUnits::SetBaseUnits(0, 0);
    ZelDlgUnits::SetBaseSource([](std::int32_t&, std::int32_t&) { return false; });
    ZelDlgUnits units;
    EXPECT_THROW(ZelDlgUnits::GetXBase(), ZelAssertException);
    EXPECT_THROW(units.GetYDlg(10), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 2u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: iXBase != 0"), std::string::npos);
    EXPECT_NE(reports.Reports()[1].sReport.find("Error: iYBase != 0"), std::string::npos);
    ZelAssertOff off;
    EXPECT_EQ(units.GetXDlg(10), 0);
}

} // namespace

namespace {

// A clock the test moves by hand.
CHighTime g_now(2024, 3, 1, 12, 0, 0);
CHighTime FakeNow() { return g_now; }

class TooLongTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_now = CHighTime(2024, 3, 1, 12, 0, 0);
        pSaved = ZelTooLong::SetClock(FakeNow);
    }
    void TearDown() override { ZelTooLong::SetClock(pSaved); }
    ZelTooLong::Clock pSaved = nullptr;
};

struct Watcher {
    std::vector<std::int64_t> vSeconds;
    void TookLong(const CHighTimeSpan& span) { vSeconds.push_back(span.GetTotalSeconds()); }
};

TEST_F(TooLongTest, CallsBackOnlyWhenTheWholeSecondsReachTheLimit)
{
    Watcher watcher;
    const struct {
        std::int32_t i_limit;
        CHighTimeSpan took;
        bool b_called;
    } a_cases[] = {
        {10, CHighTimeSpan(0, 0, 0, 3), false},
        {10, CHighTimeSpan(0, 0, 0, 9, 999), false}, // 9.999 s are 9 whole seconds
        {10, CHighTimeSpan(0, 0, 0, 10), true},
        {10, CHighTimeSpan(0, 1, 0, 0), true},
        {0, CHighTimeSpan(0, 0, 0, 0), true},
    };
    for (const auto& c : a_cases) {
        watcher.vSeconds.clear();
        {
            ZelTooLong watch(c.i_limit, &watcher, &Watcher::TookLong);
            g_now = g_now + c.took;
        }
        EXPECT_EQ(watcher.vSeconds.size(), c.b_called ? 1u : 0u) << c.took.GetTotalSeconds();
        if (c.b_called && !watcher.vSeconds.empty()) {
            EXPECT_EQ(watcher.vSeconds[0], c.took.GetTotalSeconds());
        }
    }
}

TEST_F(TooLongTest, ACallbackThatThrowsDoesNotEndTheProgram)
{
    bool b_called = false;
    {
        ZelTooLong watch(1, [&](const CHighTimeSpan&) {
            b_called = true;
            throw std::runtime_error("report failed");
        });
        g_now = g_now + CHighTimeSpan(0, 0, 0, 5);
    }
    EXPECT_TRUE(b_called);
}

} // namespace
