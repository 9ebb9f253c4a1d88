// A build of a large event (a generated event of 1,200 groups) gives its
// memory back when it ends: its map and counters, most of a hundred
// megabytes here, leave the process no larger than before the build, and a
// second build reaches no more than the first.
#include "generators/EventGenerator.h"
#include "generators/HeadlessBuild.h"
#include "generators/ProcessFigures.h"
#include "model/EventDoc.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr long kMiB = 1024;

std::unique_ptr<EventDoc> LargeEvent()
{
    benchevent::EventOptions options;
    options.nGroups = 1200;
    options.nParticipants = 3000;
    return benchevent::GenerateEvent(options);
}

TEST(BuildMemory, ALargeBuildLeavesTheProcessAsLargeAsBefore)
{
    benchbuild::BuildScript script;
    // The fill of a nearly empty timetable would only add minutes.
    script.bFill = false;
    // The map alone: a flag record per group, venue and day.
    const long l_map_kib = 1200L * 40 * 60 * 24 / 1024;

    long a_peak_growth[2] = {};
    for (int i_build = 0; i_build < 2; ++i_build) {
        SCOPED_TRACE(i_build == 0 ? "first build" : "second build");
        std::unique_ptr<EventDoc> p_doc = LargeEvent();
        const bool b_peak_reset = ResetPeak();
        const long l_before = StatusKib("VmRSS");
        const benchbuild::BuildFigures figures = benchbuild::RunBuild(*p_doc, script);
        const long l_after = StatusKib("VmRSS");
        ASSERT_EQ(figures.sResult, "built");
        ASSERT_GT(l_before, 0);
        if (b_peak_reset) {
            // The build did take its map: the measure sees what it should.
            a_peak_growth[i_build] = StatusKib("VmHWM") - l_before;
            EXPECT_GT(a_peak_growth[i_build], l_map_kib);
        }
        EXPECT_LT(l_after - l_before, l_map_kib / 3) << "resident " << l_before / kMiB << " MiB before the build, "
                                                     << l_after / kMiB << " MiB after";
    }
    if (a_peak_growth[0] > 0) {
        EXPECT_LT(a_peak_growth[1], a_peak_growth[0] + 16 * kMiB);
    }
}

} // namespace
