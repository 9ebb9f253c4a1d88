// The rostering engine on generated events of three sizes, through the
// threaded driver as the roster control dialog runs it: about 50 groups
// and 500 participants, 500 and 5,000, 2,000 and 20,000. Every size is
// run twice from the same generated event; both runs must end with the
// same memberships (the hash).
//
// For each run: the time of each pass and the peak resident size, the
// participants rostered to their minimum and to their maximum and those
// left below their minimum (the recount after the run), the errors by
// message id (the recount's, and the passes' own list), and the tries the
// search committed and rolled back. Where participants are left below
// their minimum the driver does not run the maximum pass; the bench then
// runs it on its own afterwards and times it apart.
//
// Run by hand: build/bin/roster_bench [--sizes=012] [--seed=N]
// [--budget=SECONDS] [roster generator options]. A run that takes longer
// than the budget (default 600 s) is stopped as a user would stop it.
#include "generators/CountingBoxes.h"
#include "generators/RosterGenerator.h"
#include "generators/RosterRunner.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Counts(const std::map<std::string, int>& m_counts)
{
    if (m_counts.empty())
        return "none";
    std::string s;
    for (const auto& [s_id, n] : m_counts)
        s += (s.empty() ? "" : ", ") + s_id + " x " + std::to_string(n);
    return s;
}

void PrintRun(int i_run, const benchroster::RosterResult& r)
{
    std::printf("  run %d: minimum pass %.3f s, maximum pass %.3f s%s, total %.3f s, peak %ld KiB%s\n", i_run,
                r.dMinimumSeconds, r.dMaximumSeconds, r.bRanMaximum ? "" : " (not run)", r.dSeconds, r.lPeakKib,
                r.bStopped ? " (stopped at the budget)" : "");
    std::printf("         %u with rostering: %u rostered to minimum, %u to maximum, %u below minimum\n",
                r.nWithRostering, r.nToMinimum, r.nToMaximum, r.nBelowMinimum);
    std::printf("         errors after the run: %s; the passes' errors: %s\n", Counts(r.Errors).c_str(),
                Counts(r.PassErrors).c_str());
    std::printf("         tries committed %llu, rolled back %llu; searches %llu, deepest nesting %d\n",
                static_cast<unsigned long long>(r.nCommitted), static_cast<unsigned long long>(r.nRolledBack),
                static_cast<unsigned long long>(r.nSearches), r.nDeepest);
    std::printf("         memberships %s\n", r.sHash.c_str());
    if (r.bLoneMaximum)
        std::printf("         the maximum pass on its own afterwards: %.3f s, then %u rostered to maximum, memberships %s\n",
                    r.dLoneMaximumSeconds, r.nLoneToMaximum, r.sLoneHash.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    CountingBoxes boxes;
    std::string s_sizes = "012";
    double d_budget = 600;
    std::uint32_t u_seed = 1;
    std::vector<char*> v_rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string s_arg = argv[i];
        if (s_arg.rfind("--sizes=", 0) == 0)
            s_sizes = s_arg.substr(8);
        else if (s_arg.rfind("--budget=", 0) == 0)
            d_budget = std::atof(s_arg.c_str() + 9);
        else if (s_arg.rfind("--seed=", 0) == 0)
            u_seed = static_cast<std::uint32_t>(std::strtoul(s_arg.c_str() + 7, nullptr, 10));
        else
            v_rest.push_back(argv[i]);
    }
    for (const char c_size : s_sizes) {
        const int i_size = c_size - '0';
        if (i_size < 0 || i_size > 2) {
            std::fprintf(stderr, "roster_bench: sizes are 0, 1 and 2\n");
            return 1;
        }
        benchevent::RosterOptions options = benchevent::RosterPreset(i_size, u_seed);
        std::string s_error;
        if (!benchevent::ParseRosterOptions(static_cast<int>(v_rest.size()), v_rest.data(), options, s_error)) {
            std::fprintf(stderr, "roster_bench: %s\n", s_error.c_str());
            return 1;
        }
        const std::vector<std::uint8_t> v_bytes = benchevent::GenerateRosterEvent(options)->WriteEventFile();
        std::string s_hash;
        for (int i_run = 1; i_run <= 2; ++i_run) {
            EventDoc doc;
            doc.ReadEventFile(v_bytes);
            if (i_run == 1) {
                const benchevent::EventSummary summary = benchevent::SummarizeEvent(doc);
                std::printf("size %d: %d groups, %d participants, %d days x %d venues x %d slots, %d placements "
                            "(%d locked), %d members (%s)\n",
                            i_size, summary.nGroups, summary.nParticipants, summary.nDays, summary.nVenues,
                            options.Event.nSlotsPerDay, summary.nPlacements, summary.nLocked, summary.nMembers,
                            benchevent::DescribeEventOptions(options.Event).c_str());
            }
            const benchroster::RosterResult result = benchroster::RunRoster(doc, d_budget, true);
            PrintRun(i_run, result);
            const std::string s_final = result.bLoneMaximum ? result.sLoneHash : result.sHash;
            if (i_run == 2)
                std::printf("  the two runs %s\n", s_final == s_hash ? "give the same memberships"
                                                                      : "DIFFER: not deterministic");
            s_hash = s_final;
            std::fflush(stdout);
        }
    }
    return 0;
}
