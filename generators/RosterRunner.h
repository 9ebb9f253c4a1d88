// One rostering run over an event as the roster control dialog makes it,
// without a window: a recount before the run, the run on its worker
// thread through the threaded driver (RosterRun), the recount after it,
// and the figures the roster benchmark and evetool print.
//
// With a time budget the runner presses Stop once the run has taken
// longer, as a user would; the figures then say so.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <map>
#include <string>

class EventDoc;

namespace benchroster {

struct RosterResult {
    double dSeconds = 0;
    double dMinimumSeconds = 0;
    double dMaximumSeconds = 0;
    // From the recount after the run, as the dialog shows them.
    UINT nWithRostering = 0;
    UINT nToMinimum = 0;
    UINT nToMaximum = 0;
    // Participants below their minimum after the run.
    UINT nBelowMinimum = 0;
    // The recount's errors after the run, and the passes' own error list
    // before it, by message id.
    std::map<std::string, int> Errors;
    std::map<std::string, int> PassErrors;
    std::uint64_t nCommitted = 0;
    std::uint64_t nRolledBack = 0;
    std::uint64_t nSearches = 0;
    int nDeepest = 0;
    // The process's peak resident size so far.
    long lPeakKib = 0;
    std::string sHash;
    bool bStopped = false;
    bool bRanMaximum = false;
    bool bModified = false;
    // The maximum pass run on its own after a run that did not run it
    // (RunRoster with b_lone_maximum), and the figures after it.
    bool bLoneMaximum = false;
    double dLoneMaximumSeconds = 0;
    UINT nLoneToMaximum = 0;
    std::string sLoneHash;
};

// A budget of 0 or less lets the run take as long as it takes. A failure
// the worker caught is thrown here, after the run. With b_lone_maximum, a
// run that left participants below their minimum (so that the maximum pass
// did not run) is followed by the maximum pass on its own, on this thread,
// timed apart: the figures of the run stay those of the run.
RosterResult RunRoster(EventDoc& doc, double d_budget_seconds = 0, bool b_lone_maximum = false);

// A hash of every group's members in list order (group key, participant
// key, rostered flag), as 16 hexadecimal digits.
std::string MembershipHash(const EventDoc& doc);

// The string id whose text the message is (5045 to 5058), or the message
// itself.
std::string MessageId(const std::string& s_message);


} // namespace benchroster
