// Fonts made from their text form, and the clock, in a real application
// (run under a virtual display).
#include "framework/Exceptions.h"
#include "zelkit/windows/ui/ZelClock.h"
#include "zelkit/windows/ui/ZelFont.h"

#include <gtest/gtest.h>
#include <wx/dcscreen.h>
#include <wx/dcsvg.h>
#include <wx/evtloop.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/timer.h>

namespace {

// The application object is started by WindowServicesWxTest.cpp, linked
// into the same executable.

TEST(Font, PointFontTextHasThirteenNumbersAndTheFaceAndRecreatesIt)
{
    ZelFont font;
    EXPECT_EQ(font.ToString(), ""); // not made yet
    ASSERT_EQ(font.CreatePointFont(120, "DejaVu Sans"), TRUE);
    ASSERT_TRUE(font.IsOk());
    const int i_ppi = wxScreenDC().GetPPI().y;
    ZelLogFont lf;
    ASSERT_EQ(font.GetLogFont(&lf), TRUE);
    EXPECT_EQ(lf.lfHeight, -(i_ppi * 120 / 720));
    EXPECT_EQ(lf.GetFaceName(), "DejaVu Sans");

    const std::string s = font.ToString();
    std::size_t n_colons = 0;
    for (std::size_t i = 0; i < s.find('"'); ++i)
        n_colons += s[i] == ':';
    EXPECT_EQ(n_colons, 13u);
    EXPECT_EQ(s.substr(s.find('"')), "\"DejaVu Sans\"");
    EXPECT_EQ(s.rfind(std::to_string(lf.lfHeight) + ":0:0:0:0:0:0:0:0:0:0:0:0:", 0), 0u) << s;

    ZelFont again;
    ASSERT_EQ(again.FromString(s), TRUE);
    ZelLogFont lf_again;
    ASSERT_EQ(again.GetLogFont(&lf_again), TRUE);
    EXPECT_EQ(lf_again, lf);
    EXPECT_EQ(again.ToString(), s);
    EXPECT_NEAR(again.GetFractionalPointSize(), 12.0, 0.5);
    EXPECT_EQ(again.GetFaceName(), "DejaVu Sans");
}

TEST(Font, PointFontHasItsSizeOnTheDeviceItIsMadeFor)
{
    // The logical height is in the device's pixels; the font shown on that
    // device is still the asked point size.
    for (const double d_dpi : {72.0, 300.0, 600.0}) {
        const wxString s_file = wxFileName::CreateTempFileName("zelfont");
        {
            wxSVGFileDC dc(s_file, 100, 100, d_dpi);
            ZelFont font;
            ASSERT_EQ(font.CreatePointFont(120, "DejaVu Sans", &dc), TRUE) << d_dpi;
            ZelLogFont lf;
            ASSERT_EQ(font.GetLogFont(&lf), TRUE);
            EXPECT_EQ(lf.lfHeight, -static_cast<LONG>(d_dpi * 120 / 720)) << d_dpi;
            EXPECT_NEAR(font.GetFractionalPointSize(), 12.0, 0.5) << d_dpi;
        }
        wxRemoveFile(s_file);
    }
}

TEST(Font, StyleFieldsReachTheWxFont)
{
    ZelFont font;
    ASSERT_EQ(font.FromString("-16:0:0:0:700:1:1:0:0:0:0:0:49:\"DejaVu Sans Mono\""), TRUE);
    EXPECT_EQ(font.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(font.GetStyle(), wxFONTSTYLE_ITALIC);
    EXPECT_TRUE(font.GetUnderlined());
    EXPECT_FALSE(font.GetStrikethrough());
}

TEST(Font, RefusedTextLeavesTheFontAsItWas)
{
    ZelFont font;
    ASSERT_EQ(font.CreatePointFont(100, "DejaVu Serif"), TRUE);
    const std::string s_before = font.ToString();
    EXPECT_EQ(font.FromString("-13:0:0:0:400:0:0:0:0:0:0:0:0"), FALSE);
    EXPECT_EQ(font.ToString(), s_before);
    EXPECT_EQ(font.GetFaceName(), "DejaVu Serif");
}

// Handles events for about i_ms milliseconds.
void PumpFor(int i_ms)
{
    wxEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(i_ms);
    loop.Run();
}

TEST(Clock, PeriodIsAtLeastTwentyAndTimesFollowTheTicks)
{
    {
        ZelClock clock(5);
        EXPECT_EQ(clock.GetFrequency(), 20u);
        const std::uint32_t n_start = ZelClock::nTicks;
        ZelClock::nTicks = n_start + 50;
        EXPECT_EQ(clock.GetTickCount(), 50u);
        EXPECT_EQ(clock.GetMilliSeconds(), 1000u);
        EXPECT_EQ(clock.GetSeconds(), 1u);
        ZelClock::nTicks = n_start + 49;
        EXPECT_EQ(clock.GetSeconds(), 0u);
    }
    EXPECT_EQ(ZelClock::nTicks, 0u); // the last clock resets the count
    ZelClock clock;
    EXPECT_EQ(clock.GetFrequency(), ZelClock::uDefFreq);
}

TEST(Clock, OnlyOneClockAtATime)
{
    ZelClock clock(50);
    EXPECT_THROW(ZelClock second, CUserException);
    // The living clock is untouched: its timer still runs, and it is still
    // the only one, so it alone resets the count at its end.
    PumpFor(200);
    EXPECT_GT(clock.GetTickCount(), 0u);
    EXPECT_THROW(ZelClock third(20), CUserException);
}

TEST(Clock, TicksOnlyWhileEventsAreHandled)
{
    ZelClock clock(20);
    const std::uint32_t n_before = ZelClock::nTicks;
    wxMilliSleep(100);
    EXPECT_EQ(ZelClock::nTicks, n_before);
    PumpFor(150);
    EXPECT_GT(ZelClock::nTicks, n_before);
}

} // namespace
