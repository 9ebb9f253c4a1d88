// Course timetables: the generator's events, and what the build makes of
// them. Every build below gives the timetable the build gave before its
// searches were made faster (the hashes were recorded from that build, on
// the same files): the same placements, the same locks, in the same cells,
// in the "Thorough" search and in the "Complete" one; and so do small
// events with rotating groups.
#include "generators/CourseGenerator.h"
#include "generators/HeadlessBuild.h"
#include "generators/RosterGenerator.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using benchevent::CourseOptions;

namespace {

CourseOptions Courses(int n_groups, std::uint32_t u_seed)
{
    CourseOptions o;
    o.nGroups = n_groups;
    o.uSeed = u_seed;
    return o;
}

// The event as evetool's generate writes it and its build reads it back.
std::unique_ptr<EventDoc> WrittenAndRead(EventDoc& made)
{
    const std::string s_path = ::testing::TempDir() + "built-as-before.eve";
    EXPECT_TRUE(GetEventFilePort().Save(made, s_path));
    auto p_doc = std::make_unique<EventDoc>();
    EXPECT_TRUE(p_doc->OnOpenDocument(s_path));
    std::remove(s_path.c_str());
    return p_doc;
}

// What the build recorded before gave: how it ended, the cells placed and
// the timetable's hash; and nothing the judge finds wrong.
struct Before {
    const char* pResult;
    int nPlaced;
    const char* pHash;
};

// The event written and read back as evetool does it, built under the
// script.
void ExpectBuiltAsBefore(EventDoc& made, const benchbuild::BuildScript& script, const Before& before)
{
    std::unique_ptr<EventDoc> p_doc = WrittenAndRead(made);
    const benchbuild::BuildFigures figures = benchbuild::RunBuild(*p_doc, script);
    EXPECT_EQ(figures.sResult, before.pResult);
    EXPECT_EQ(figures.nPlaced, before.nPlaced);
    EXPECT_EQ(figures.sHash, before.pHash);
    EXPECT_EQ(figures.nViolations, 0) << figures.sFirstViolation;
}

TEST(CourseBuild, TheBuildGivesTheTimetablesItGaveBefore)
{
    struct Case {
        int nGroups;
        std::uint32_t uSeed;
        bool bComplete;
        Before before;
    };
    const Case a_cases[] = {
        {30, 1, false, {"minimums failed", 70, "3863ff5dc3c50f81"}},
        {30, 2, false, {"minimums failed", 78, "fce67e8b80f67a16"}},
        {30, 3, false, {"minimums failed", 69, "771ce148464b1d9a"}},
        {40, 3, false, {"minimums failed", 84, "41ab66bacb7aa42a"}},
        {50, 1, false, {"minimums failed", 114, "c60daeddaf2c80be"}},
        {60, 2, false, {"minimums failed", 133, "45b148ec57e65970"}},
        {80, 1, false, {"minimums failed", 178, "73d7fb70316ea47d"}},
        {150, 1, false, {"minimums failed", 321, "6b8f9d2e25e45df3"}},
        {30, 1, true, {"built", 90, "e938fe6a6a2b3dc9"}},
        {30, 2, true, {"built", 96, "b8c28574cd6874d4"}},
        {30, 3, true, {"built", 92, "7dfc450e7ebb2ffd"}},
        {40, 3, true, {"built", 118, "3f01c509393106ad"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(std::to_string(c.nGroups) + " courses, seed " + std::to_string(c.uSeed)
                     + (c.bComplete ? ", complete" : ", thorough"));
        const std::unique_ptr<EventDoc> p_made = benchevent::GenerateCourseEvent(Courses(c.nGroups, c.uSeed));
        benchbuild::BuildScript script;
        if (c.bComplete) {
            script.iKeepSearchingMode = 1;
            script.nKeepSearching = 1;
        }
        ExpectBuiltAsBefore(*p_made, script, c.before);
    }
}

// Small events of the other generator whose groups rotate through the
// venues, take runs of two and meet rules, built with the fill and travel
// time and two complete searches: the rotation's repair and the moves of
// the later strategies are reached here.
TEST(CourseBuild, RotatingGroupsBuildAsBefore)
{
    struct Case {
        std::uint32_t uSeed;
        Before before;
    };
    const Case a_cases[] = {
        {1, {"built", 12, "132d01d82eaaa41c"}},
        {2, {"minimums failed", 14, "813d11a482a0326a"}},
        {3, {"minimums failed", 16, "53be76aab27100db"}},
        {4, {"minimums failed", 10, "f2bce39228fbb00d"}},
        {6, {"minimums failed", 12, "d9618ae879143fe3"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE("seed " + std::to_string(c.uSeed));
        std::vector<std::string> v_args = {"evetool", "--groups=12", "--participants=20", "--days=2", "--venues=3",
                                           "--slots=5", "--rotation=40", "--chunks=30", "--fill=0", "--locks=0",
                                           "--day-rules=2", "--venue-rules=2", "--seed=" + std::to_string(c.uSeed)};
        std::vector<char*> v_argv;
        for (std::string& s_arg : v_args)
            v_argv.push_back(s_arg.data());
        benchevent::RosterOptions options;
        std::string s_error;
        ASSERT_TRUE(benchevent::ParseRosterOptions(static_cast<int>(v_argv.size()), v_argv.data(), options, s_error))
            << s_error;
        const std::unique_ptr<EventDoc> p_made = benchevent::GenerateRosterEvent(options);
        benchbuild::BuildScript script;
        script.iKeepSearchingMode = 1;
        script.nKeepSearching = 2;
        script.bFill = true;
        script.bAllowTravel = true;
        script.uTravelMinutes = 30;
        ExpectBuiltAsBefore(*p_made, script, c.before);
    }
}

// Each course has its lectures as an exact count, at most one a day, its
// teacher and curricula as members; the same options give the same event.
TEST(CourseGenerator, CoursesHaveExactCountsAndTheSameOptionsTheSameEvent)
{
    auto describe = [](const EventDoc& doc) {
        std::string s = std::to_string(doc.GetNumVenues()) + " venues;";
        for (int g = 0; g < doc.GetGroups().GetNumGroups(); ++g) {
            const Group& group = doc.GetGroups()[g];
            s += " " + std::to_string(group.GetEventLimits().GetMin()) + "/" + std::to_string(group.GetMembers().GetSize());
        }
        return s;
    };
    const std::unique_ptr<EventDoc> p_doc = benchevent::GenerateCourseEvent(Courses(150, 4));
    EXPECT_EQ(describe(*p_doc), describe(*benchevent::GenerateCourseEvent(Courses(150, 4))));
    EXPECT_NE(describe(*p_doc), describe(*benchevent::GenerateCourseEvent(Courses(150, 5))));
    EXPECT_EQ(p_doc->GetNumVenues(), 23) << "lectures in a little over half the cells";
    EXPECT_EQ(p_doc->GetPreferences().GetFillEmptySlots(), FALSE);
    UINT u_lectures = 0;
    for (int g = 0; g < p_doc->GetGroups().GetNumGroups(); ++g) {
        const Group& group = p_doc->GetGroups()[g];
        EXPECT_EQ(group.GetEventLimits().GetMin(), group.GetEventLimits().GetMax()) << group.GetName();
        EXPECT_EQ(group.GetDayLimits().GetMax(), 1U) << group.GetName();
        EXPECT_GE(group.GetMembers().GetSize(), 2) << group.GetName();
        u_lectures += group.GetEventLimits().GetMin();
    }
    EXPECT_GT(u_lectures, 150U * 2);
}

TEST(CourseGenerator, OptionsOutOfRangeAreRefusedWithTheReason)
{
    struct Case {
        std::vector<std::string> vArgs;
        const char* pError;
    };
    const Case a_cases[] = {
        {{"--shape=courses", "--groups=80", "--seed=9", "--venues=12"}, ""},
        {{"--groups=0"}, "--groups takes a number from 1 to 1000 for course events"},
        {{"--groups=1001"}, "--groups takes a number from 1 to 1000 for course events"},
        {{"--slots=x"}, "--slots takes a number from 1 to 15: --slots=x"},
        {{"--seed=-1"}, "the seed must be a number from 0 to 4294967295: --seed=-1"},
        {{"--participants=5"}, "unknown option for course events: --participants=5"},
    };
    for (const Case& c : a_cases) {
        std::vector<std::string> v_args = c.vArgs;
        std::vector<char*> v_argv{const_cast<char*>("evetool")};
        for (std::string& s_arg : v_args)
            v_argv.push_back(s_arg.data());
        CourseOptions options;
        std::string s_error;
        const bool b_ok = benchevent::ParseCourseOptions(static_cast<int>(v_argv.size()), v_argv.data(), options, s_error);
        EXPECT_EQ(b_ok, *c.pError == '\0') << c.vArgs[0];
        EXPECT_EQ(s_error, c.pError);
        if (b_ok) {
            EXPECT_EQ(benchevent::DescribeCourseOptions(options),
                      "--shape=courses --seed=9 --groups=80 --days=6 --slots=6 --venues=12");
        }
    }
}

} // namespace
