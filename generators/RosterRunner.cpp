#include "generators/RosterRunner.h"

#include "generators/ProcessFigures.h"

#include "model/EventDoc.h"
#include "model/General.h"
#include "roster/RosterEngine.h"
#include "roster/RosterRun.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

namespace benchroster {

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the passes start and the run ends; called on the worker.
class TimingPort : public IRosterPostPort {
public:
    void Post(const RosterPost& post) override
    {
        const Clock::time_point t_now = Clock::now();
        switch (post.iCode) {
        case ROSTER_POST_MINIMUM_PASS:
            tMinimum = t_now;
            break;
        case ROSTER_POST_MAXIMUM_PASS:
            tMaximum = t_now;
            bMaximum = true;
            break;
        case ROSTER_POST_CANCELLED:
        case ROSTER_POST_FINISHED:
            tEnd = t_now;
            bEnded.store(true);
            break;
        default:
            break;
        }
    }

    Clock::time_point tMinimum{};
    Clock::time_point tMaximum{};
    Clock::time_point tEnd{};
    bool bMaximum = false;
    std::atomic<bool> bEnded{false};
};

double Seconds(Clock::time_point t_from, Clock::time_point t_to)
{
    return std::chrono::duration<double>(t_to - t_from).count();
}

std::map<std::string, int> CountErrors(const RosterEngine& engine)
{
    std::map<std::string, int> m_counts;
    const RosterEngine::ErrorRecord& errors = engine.GetErrors();
    for (int i = 0; i < errors.GetSize(); ++i)
        ++m_counts[MessageId(errors[i].sMessage)];
    return m_counts;
}

} // namespace

std::string MessageId(const std::string& s_message)
{
    for (const UINT u_id : {5045u, 5047u, 5048u, 5049u, 5050u, 5051u, 5054u, 5058u}) {
        if (s_message == LoadResString(u_id, ""))
            return std::to_string(u_id);
    }
    struct Prefix {
        UINT uId;
        const char* pArg;
    };
    for (const Prefix prefix : {Prefix{5046, "0"}, Prefix{5052, "0"}, Prefix{5053, "0"}}) {
        const std::string s_text = LoadResString(prefix.uId, "");
        const std::string s_head = s_text.substr(0, s_text.find('%'));
        if (!s_head.empty() && s_message.rfind(s_head, 0) == 0)
            return std::to_string(prefix.uId);
    }
    return s_message;
}

std::string MembershipHash(const EventDoc& doc)
{
    // FNV-1a over the 32-bit values, little end first.
    std::uint64_t u_hash = 0xcbf29ce484222325ull;
    auto mix = [&u_hash](std::uint32_t u_value) {
        for (int i = 0; i < 4; ++i) {
            u_hash ^= (u_value >> (8 * i)) & 0xFF;
            u_hash *= 0x100000001b3ull;
        }
    };
    const GroupList& groups = doc.GetGroups();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        const GroupMembers& members = groups[g].GetMembers();
        mix(static_cast<std::uint32_t>(groups[g].GetKey()));
        mix(static_cast<std::uint32_t>(members.GetSize()));
        for (int m = 0; m < members.GetSize(); ++m) {
            mix(static_cast<std::uint32_t>(members[m].lParticipantKey));
            mix(members[m].bRostered ? 1u : 0u);
        }
    }
    char a_text[17];
    std::snprintf(a_text, sizeof a_text, "%016llx", static_cast<unsigned long long>(u_hash));
    return a_text;
}

RosterResult RunRoster(EventDoc& doc, double d_budget_seconds, bool b_lone_maximum)
{
    RosterResult result;
    RosterEngine engine(&doc);
    RosterStatus status;
    engine.Recount(TRUE, &status);

    TimingPort port;
    const Clock::time_point t_start = Clock::now();
    RosterRun run(engine, &status, &port);
    run.Start();
    if (d_budget_seconds > 0) {
        while (!port.bEnded.load()) {
            if (Seconds(t_start, Clock::now()) > d_budget_seconds) {
                run.Cancel();
                result.bStopped = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    run.Join();
    const Clock::time_point t_end = Clock::now();
    run.RethrowFailure();

    result.dSeconds = Seconds(t_start, t_end);
    result.bRanMaximum = port.bMaximum;
    result.dMinimumSeconds = Seconds(port.tMinimum, port.bMaximum ? port.tMaximum : port.tEnd);
    result.dMaximumSeconds = port.bMaximum ? Seconds(port.tMaximum, port.tEnd) : 0;
    result.bModified = run.IsModified() != FALSE;
    result.PassErrors = CountErrors(engine);
    const RosterEngine::SearchStats& stats = engine.GetSearchStats();
    result.nCommitted = stats.nCommitted;
    result.nRolledBack = stats.nRolledBack;
    result.nSearches = stats.nSearches;
    result.nDeepest = stats.nDeepest;

    engine.Recount(FALSE, &status);
    const RosterCounts counts = status.GetSnapshot();
    result.nWithRostering = counts.nWithRostering;
    result.nToMinimum = counts.nToMinimum;
    result.nToMaximum = counts.nToMaximum;
    result.Errors = CountErrors(engine);
    std::set<LONG> s_below;
    const std::string s_below_id = "5046";
    const RosterEngine::ErrorRecord& errors = engine.GetErrors();
    for (int i = 0; i < errors.GetSize(); ++i) {
        if (MessageId(errors[i].sMessage) == s_below_id)
            s_below.insert(errors[i].lParticipantKey);
    }
    result.nBelowMinimum = static_cast<UINT>(s_below.size());
    result.sHash = MembershipHash(doc);

    if (b_lone_maximum && !result.bRanMaximum && !result.bStopped) {
        std::atomic<bool> b_modified{false};
        const Clock::time_point t_lone = Clock::now();
        engine.RosterToMaximum(&b_modified, nullptr, &status, nullptr, nullptr);
        result.dLoneMaximumSeconds = Seconds(t_lone, Clock::now());
        result.bLoneMaximum = true;
        engine.Recount(FALSE, &status);
        result.nLoneToMaximum = status.GetSnapshot().nToMaximum;
        result.sLoneHash = MembershipHash(doc);
    }
    result.lPeakKib = PeakResidentKib();
    return result;
}

} // namespace benchroster
