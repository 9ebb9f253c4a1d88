#include "roster/RosterPorts.h"

void RecordingRosterPort::Post(const RosterPost& post)
{
    {
        std::lock_guard<std::mutex> lock(Lock);
        vPosts.push_back(post);
    }
    if (fHook)
        fHook(post);
}

std::vector<RosterPost> RecordingRosterPort::Posts() const
{
    std::lock_guard<std::mutex> lock(Lock);
    return vPosts;
}

std::vector<int> RecordingRosterPort::Codes() const
{
    std::lock_guard<std::mutex> lock(Lock);
    std::vector<int> v_codes;
    for (const RosterPost& post : vPosts)
        v_codes.push_back(post.iCode);
    return v_codes;
}

namespace {

class NoRosterReports : public IRosterReportPort {
public:
    void ShowReport(const RosterErrorTable&) override {}
};

NoRosterReports g_NoReports;
IRosterReportPort* g_pReportPort = &g_NoReports;

} // namespace

IRosterReportPort& GetRosterReportPort()
{
    return *g_pReportPort;
}

IRosterReportPort* SetRosterReportPort(IRosterReportPort* p_port)
{
    IRosterReportPort* p_previous = g_pReportPort;
    g_pReportPort = p_port ? p_port : &g_NoReports;
    return p_previous;
}

RecordingRosterReports::RecordingRosterReports() : pPrevious(SetRosterReportPort(this)) {}

RecordingRosterReports::~RecordingRosterReports()
{
    SetRosterReportPort(pPrevious);
}
