// The whole build on generated events of 50, 200, 800 and 3,200 groups,
// one line per size: how the cost of a build grows with the event.
//
// The events grow in proportion: 2.5 participants per group, days and
// venues each with the square root of the groups (so the timetable's
// timeslots, 8 a day, grow with the groups, about four per group), rules
// with the groups; every group's minimums are small (0 to 2 placements
// over the event) and can be met in principle. The build runs as the
// command runs it, headless: the options as the event stores them (fill
// included unless --fill=0), the minimum report answered "make changes",
// and a time limit over the whole build (--time-limit=N seconds, 60 by
// default). Each size is built twice from a fresh event; the second run
// must give the same timetable, unless the time limit cut a search short.
//
// Run by hand: build/bin/build_bench [--sizes=50,200] [--time-limit=N]
// [--fill=0|1] [--seed=N]
//
// With --shape=courses the events are course timetables
// (generators/CourseGenerator.h) of 30, 50, 80 and 150 courses by default, each
// known to be buildable in full, and each is built twice: in a "Thorough"
// search (the minimum report answered "make changes"), and in a "Complete"
// one (the report answered "keep searching" in the complete mode, once).
// Per size and search: the lectures placed of those asked for, the search
// steps, steps per CPU second, seconds, peak memory, how the build ended
// and the timetable's hash.
#include "generators/CourseGenerator.h"
#include "generators/EventGenerator.h"
#include "generators/HeadlessBuild.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

benchevent::EventOptions OptionsFor(int n_groups, std::uint32_t u_seed)
{
    benchevent::EventOptions o;
    o.uSeed = u_seed;
    o.nGroups = n_groups;
    o.nParticipants = n_groups * 5 / 2;
    const int n_side = std::max(3, static_cast<int>(std::lround(std::sqrt(n_groups / 2.0))));
    o.nDays = n_side;
    o.nVenues = n_side;
    o.nSlotsPerDay = 8;
    // Every group can go somewhere: a venue in four takes any style, and
    // no group asks for a facility.
    o.nFacilities = 0;
    o.nDayRules = std::max(1, n_groups / 50);
    o.nVenueRules = std::max(1, n_groups / 50);
    return o;
}

bool ReadArg(const char* p_arg, const char* p_name, std::string& s_value)
{
    const std::size_t n = std::strlen(p_name);
    if (std::strncmp(p_arg, p_name, n) != 0 || p_arg[n] != '=')
        return false;
    s_value = p_arg + n + 1;
    return true;
}

// The lectures the course event asks for: the sum of its exact counts.
UINT CountLectures(const EventDoc& doc)
{
    UINT u_total = 0;
    for (int g = 0; g < doc.GetGroups().GetNumGroups(); ++g)
        u_total += doc.GetGroups()[g].GetEventLimits().GetMin();
    return u_total;
}

int RunCourses(const std::vector<int>& v_sizes, const benchbuild::BuildScript& limits, std::uint32_t u_seed)
{
    std::printf("%7s %9s %15s %10s %10s %8s %8s %6s %-16s %s\n", "courses", "search", "lectures placed", "steps",
                "steps/s", "seconds", "cpu", "MiB", "result", "hash");
    int i_exit = 0;
    for (const int n_groups : v_sizes) {
        benchevent::CourseOptions options;
        options.uSeed = u_seed;
        options.nGroups = n_groups;
        for (const bool b_complete : {false, true}) {
            std::unique_ptr<EventDoc> p_doc = benchevent::GenerateCourseEvent(options);
            benchbuild::BuildScript script = limits;
            if (b_complete) {
                script.iKeepSearchingMode = 1;
                script.nKeepSearching = 1;
            }
            const benchbuild::BuildFigures f = benchbuild::RunBuild(*p_doc, script);
            const std::string s_placed = std::to_string(f.nPlaced) + " of " + std::to_string(CountLectures(*p_doc));
            const double d_rate = f.dCpuSeconds > 0 ? static_cast<double>(f.uSteps) / f.dCpuSeconds : 0.0;
            std::printf("%7d %9s %15s %10llu %10.0f %8.2f %8.2f %6ld %-16s %s%s\n", n_groups,
                        b_complete ? "complete" : "thorough", s_placed.c_str(),
                        static_cast<unsigned long long>(f.uSteps), d_rate, f.dSeconds, f.dCpuSeconds, f.lPeakKib / 1024,
                        f.sResult.c_str(), f.sHash.c_str(), f.bTimeLimitHit ? " (time limit)" : "");
            std::fflush(stdout);
            if (f.nViolations != 0) {
                std::printf("  the judge: %s\n", f.sFirstViolation.c_str());
                i_exit = 1;
            }
        }
    }
    return i_exit;
}

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    std::vector<int> v_sizes = {50, 200, 800, 3200};
    benchbuild::BuildScript script;
    script.uTimeLimitSeconds = 60;
    std::uint32_t u_seed = 1;
    bool b_courses = false;
    bool b_sizes_given = false;
    for (int i = 1; i < argc; ++i) {
        std::string s_value;
        if (std::strcmp(argv[i], "--shape=courses") == 0) {
            b_courses = true;
        } else if (ReadArg(argv[i], "--sizes", s_value)) {
            b_sizes_given = true;
            v_sizes.clear();
            for (std::size_t u_at = 0; u_at < s_value.size();) {
                v_sizes.push_back(std::atoi(s_value.c_str() + u_at));
                const std::size_t u_comma = s_value.find(',', u_at);
                u_at = u_comma == std::string::npos ? s_value.size() : u_comma + 1;
            }
        } else if (ReadArg(argv[i], "--time-limit", s_value)) {
            script.uTimeLimitSeconds = static_cast<UINT>(std::atoi(s_value.c_str()));
        } else if (ReadArg(argv[i], "--fill", s_value)) {
            script.bFill = s_value != "0";
        } else if (ReadArg(argv[i], "--seed", s_value)) {
            u_seed = static_cast<std::uint32_t>(std::strtoul(s_value.c_str(), nullptr, 10));
        } else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    if (b_courses)
        return RunCourses(b_sizes_given ? v_sizes : std::vector<int>{30, 50, 80, 150}, script, u_seed);

    std::printf("%6s %6s %6s %8s %8s %10s %7s %6s %7s %7s %7s %8s %5s %5s %5s\n", "groups", "cells", "parts", "seconds",
                "cpu", "steps", "depth", "MiB", "placed", "unmet", "unfill", "result", "valid", "limit", "same");
    int i_exit = 0;
    for (const int n_groups : v_sizes) {
        const benchevent::EventOptions options = OptionsFor(n_groups, u_seed);
        std::unique_ptr<EventDoc> p_first = benchevent::GenerateEvent(options);
        const benchbuild::BuildFigures first = benchbuild::RunBuild(*p_first, script);
        p_first.reset();
        std::unique_ptr<EventDoc> p_second = benchevent::GenerateEvent(options);
        const benchbuild::BuildFigures second = benchbuild::RunBuild(*p_second, script);
        const bool b_same = first.sHash == second.sHash;
        std::printf("%6d %6d %6d %8.2f %8.2f %10llu %7u %6ld %7d %7u %7d %8.8s %5s %5s %5s\n", n_groups, first.nCells,
                    options.nParticipants, first.dSeconds, first.dCpuSeconds,
                    static_cast<unsigned long long>(first.uSteps), first.uMaxDepth, first.lPeakKib / 1024,
                    first.nPlaced, first.uMinimumShortfall, first.nUnfilled, first.sResult.c_str(),
                    first.bValid ? "yes" : "no", first.bTimeLimitHit || second.bTimeLimitHit ? "hit" : "-",
                    b_same ? "yes" : "NO");
        std::fflush(stdout);
        if (first.nViolations != 0) {
            std::printf("  the judge: %s\n", first.sFirstViolation.c_str());
            i_exit = 1;
        }
        if (first.nMessages != 0)
            std::printf("  %d message(s); the first: %s\n", first.nMessages, first.sFirstMessage.c_str());
        if (!b_same && !first.bTimeLimitHit && !second.bTimeLimitHit)
            i_exit = 1;
    }
    return i_exit;
}
