// How long the window goes without answering while the check command and
// the build command run on large events: the longest stretch in which the
// user-interface thread dispatched no events, between the command's start,
// every pump of the progress port, every dialog and message box shown and
// the command's end (generators/HeadlessBuild.h times them), and how many
// stretches were longer than 250 ms.
//
// The events are evetool's generated ones (`evetool generate --groups=N
// --participants=2.5N --seed=S`), of 500, 2,000 and 8,000 groups by
// default, or the files named. Each is checked, built as evetool builds
// it (the options as stored, the minimum report answered "make changes"),
// and checked again. One line per command: its seconds, the pumps, the
// longest stretch without one in ms, the stretches over 250 ms, between
// what the longest fell, and the
// check's finding or the build's timetable hash.
//
// Run by hand: build/bin/pump_bench [--sizes=500,2000,8000] [--seed=N]
// [--time-limit=SECONDS] [FILE...]
#include "generators/AlwaysContinue.h"
#include "generators/HeadlessBuild.h"
#include "generators/RosterGenerator.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "generators/CountingBoxes.h"
#include "res/RotavexStrings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

bool ReadArg(const char* p_arg, const char* p_name, std::string& s_value)
{
    const std::size_t n = std::strlen(p_name);
    if (std::strncmp(p_arg, p_name, n) != 0 || p_arg[n] != '=')
        return false;
    s_value = p_arg + n + 1;
    return true;
}

void PrintLine(const std::string& s_event, const char* p_command, double d_seconds, int n_pumps, double d_freeze_ms,
               int n_over, const std::string& s_result, const std::string& s_where)
{
    std::printf("%-14s %-6s %8.2f %7d %10.0f %6d  %-18s %s\n", s_event.c_str(), p_command, d_seconds, n_pumps,
                d_freeze_ms, n_over, s_result.c_str(), s_where.c_str());
    std::fflush(stdout);
}

void RunEvent(const std::string& s_event, EventDoc& doc, const benchbuild::BuildScript& script)
{
    const benchbuild::CheckFigures before = benchbuild::RunCheck(doc);
    PrintLine(s_event, "check", before.dSeconds, before.nPumps, before.dLongestFreezeMs, before.nFreezesOver250, before.sResult,
              before.sFreezeWhere);
    const benchbuild::BuildFigures build = benchbuild::RunBuild(doc, script);
    PrintLine(s_event, "build", build.dSeconds, build.nPumps, build.dLongestFreezeMs, build.nFreezesOver250, build.sHash,
              build.sFreezeWhere);
    const benchbuild::CheckFigures after = benchbuild::RunCheck(doc);
    PrintLine(s_event, "check", after.dSeconds, after.nPumps, after.dLongestFreezeMs, after.nFreezesOver250, after.sResult,
              after.sFreezeWhere);
}

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    std::vector<int> v_sizes = {500, 2000, 8000};
    std::vector<std::string> v_files;
    benchbuild::BuildScript script;
    std::uint32_t u_seed = 1;
    for (int i = 1; i < argc; ++i) {
        std::string s_value;
        if (ReadArg(argv[i], "--sizes", s_value)) {
            v_sizes.clear();
            for (std::size_t u_at = 0; u_at < s_value.size();) {
                v_sizes.push_back(std::atoi(s_value.c_str() + u_at));
                const std::size_t u_comma = s_value.find(',', u_at);
                u_at = u_comma == std::string::npos ? s_value.size() : u_comma + 1;
            }
        } else if (ReadArg(argv[i], "--seed", s_value)) {
            u_seed = static_cast<std::uint32_t>(std::strtoul(s_value.c_str(), nullptr, 10));
        } else if (ReadArg(argv[i], "--time-limit", s_value)) {
            script.uTimeLimitSeconds = static_cast<UINT>(std::atoi(s_value.c_str()));
        } else if (argv[i][0] != '-') {
            v_files.emplace_back(argv[i]);
        } else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    std::printf("%-14s %-6s %8s %7s %10s %6s  %-18s %s\n", "event", "cmd", "seconds", "pumps", "freeze ms", ">250ms",
                "result", "longest freeze between");
    if (!v_files.empty()) {
        CountingBoxes boxes;
        const AlwaysContinue quiet;
        for (const std::string& s_file : v_files) {
            EventDoc doc;
            if (!doc.OnOpenDocument(s_file) || doc.GetTimetable() == nullptr) {
                std::fprintf(stderr, "%s: cannot be opened, or has no timetable\n", s_file.c_str());
                return 1;
            }
            RunEvent(s_file.substr(s_file.find_last_of('/') + 1), doc, script);
        }
        return 0;
    }
    for (const int n_groups : v_sizes) {
        benchevent::RosterOptions options;
        options.Event.uSeed = u_seed;
        options.Event.nGroups = n_groups;
        options.Event.nParticipants = n_groups * 5 / 2;
        const std::unique_ptr<EventDoc> p_doc = benchevent::GenerateRosterEvent(options);
        RunEvent(std::to_string(n_groups) + " groups", *p_doc, script);
    }
    return 0;
}
