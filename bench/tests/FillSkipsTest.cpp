// The fill of empty timeslots leaves out requests it can tell will fail: a
// cell no group can start into, and a request that failed with no gain
// kept since. Left out or run, such a request changes nothing, so the
// build must end with the very timetable the full search gives. Each event
// below is built twice from the same file, with the skips off and on; the
// timetables' hashes, the placements and the ends must be equal, and the
// skips must have saved search steps where they had requests to leave out
// (else they would not be tried here at all).
#include "engine/Shuffler.h"
#include "generators/HeadlessBuild.h"
#include "generators/RosterGenerator.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The skips back on however the test ends.
class SkipsSwitch {
public:
    explicit SkipsSwitch(BOOL b_on) { Shuffler::SetFillSkips(b_on); }
    ~SkipsSwitch() { Shuffler::SetFillSkips(TRUE); }
    SkipsSwitch(const SkipsSwitch&) = delete;
    SkipsSwitch& operator=(const SkipsSwitch&) = delete;
};

std::unique_ptr<EventDoc> Generated(const std::string& s_options)
{
    std::vector<std::string> v_words{"generate"};
    std::istringstream words(s_options);
    for (std::string s_word; words >> s_word;)
        v_words.push_back(s_word);
    std::vector<char*> v_args;
    for (std::string& s_word : v_words)
        v_args.push_back(s_word.data());
    std::string s_error;
    benchevent::RosterOptions options;
    EXPECT_TRUE(benchevent::ParseRosterOptions(static_cast<int>(v_args.size()), v_args.data(), options, s_error))
        << s_error;
    return benchevent::GenerateRosterEvent(options);
}

// The generated event in a file of its own, which each build opens anew.
void SaveGenerated(const std::string& s_options, const std::string& s_path)
{
    const std::unique_ptr<EventDoc> p_made = Generated(s_options);
    ASSERT_NE(p_made, nullptr);
    ASSERT_TRUE(GetEventFilePort().Save(*p_made, s_path));
}

benchbuild::BuildFigures BuildFromFile(const std::string& s_path, const benchbuild::BuildScript& script, BOOL b_skips)
{
    SkipsSwitch skips(b_skips);
    auto p_doc = std::make_unique<EventDoc>();
    EXPECT_TRUE(p_doc->OnOpenDocument(s_path));
    return benchbuild::RunBuild(*p_doc, script);
}

TEST(FillSkips, TheFillGivesTheSameTimetableWithItsSkipsAsWithout)
{
    struct Case {
        const char* pOptions;
        // Keep searching in the complete mode this many times at the
        // minimum report, and with travel time.
        int nKeepSearching;
        bool bTravel;
    };
    const Case a_cases[] = {
        // Participants at their limits leave most cells to no group: the
        // thorough level's cells are passed over, the complete levels
        // search.
        {"--groups=12 --participants=30 --days=6 --venues=8 --seed=2", 0, false},
        {"--groups=20 --participants=50 --days=5 --venues=6 --seed=1", 0, false},
        // A crowded event: the fill gains now and then, and each gain
        // calls for the day's cells again.
        {"--groups=40 --participants=100 --days=3 --venues=5 --seed=3", 0, false},
        // Rotation, runs of two, rules and travel time, after two complete
        // searches.
        {"--groups=12 --participants=20 --days=2 --venues=3 --slots=5 --rotation=40 --chunks=30 --locks=0 "
         "--day-rules=2 --venue-rules=2 --seed=1",
         2, true},
        {"--groups=8 --participants=20 --days=4 --venues=4 --seed=5", 0, false},
    };
    std::uint64_t u_steps_off = 0;
    std::uint64_t u_steps_on = 0;
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pOptions);
        const std::string s_path = ::testing::TempDir() + "fill-skips.eve";
        ASSERT_NO_FATAL_FAILURE(SaveGenerated(c.pOptions, s_path));
        benchbuild::BuildScript script;
        script.bFill = true;
        if (c.nKeepSearching > 0) {
            script.iKeepSearchingMode = 1;
            script.nKeepSearching = c.nKeepSearching;
        }
        if (c.bTravel) {
            script.bAllowTravel = true;
            script.uTravelMinutes = 30;
        }
        const benchbuild::BuildFigures full = BuildFromFile(s_path, script, FALSE);
        const benchbuild::BuildFigures skipped = BuildFromFile(s_path, script, TRUE);
        std::remove(s_path.c_str());
        EXPECT_EQ(skipped.sResult, full.sResult);
        EXPECT_EQ(skipped.nPlaced, full.nPlaced);
        EXPECT_EQ(skipped.sHash, full.sHash);
        EXPECT_LE(skipped.uSteps, full.uSteps);
        u_steps_off += full.uSteps;
        u_steps_on += skipped.uSteps;
    }
    EXPECT_LT(u_steps_on, u_steps_off) << "the skips left out no request";
}

// Larger events, where the full search takes minutes: their timetables as
// the full search gave them (recorded from the build before the skips),
// built here with the skips. The 20-group event gains in the complete
// levels through groups whose members are at their limits, which a skip
// that took those members' limits for the complete levels too would lose.
TEST(FillSkips, TheFillGivesTheTimetablesTheFullSearchGave)
{
    struct Case {
        const char* pOptions;
        const char* pHash;
    };
    const Case a_cases[] = {
        {"--groups=12 --participants=30 --seed=2", "498cfbbdd8f0696a"},
        {"--groups=20 --participants=50 --seed=1", "1f56502dba4ea5b5"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pOptions);
        const std::string s_path = ::testing::TempDir() + "fill-skips.eve";
        ASSERT_NO_FATAL_FAILURE(SaveGenerated(c.pOptions, s_path));
        benchbuild::BuildScript script;
        script.bFill = true;
        const benchbuild::BuildFigures built = BuildFromFile(s_path, script, TRUE);
        std::remove(s_path.c_str());
        EXPECT_EQ(built.sResult, "built");
        EXPECT_EQ(built.sHash, c.pHash);
    }
}
} // namespace
