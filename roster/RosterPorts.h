// What the rostering engine needs of the user interface: a receiver of its
// progress codes, and a report window for its error list.
//
// Progress: the engine and its worker post a code with a payload that
// holds everything the receiver needs, taken at the moment of posting, so
// that the receiver never reads the engine across threads. Post is called
// on the thread that runs the engine (the worker during a run); a window
// queues the post to its own thread. A null port receives nothing.
//
// Error report: the engine hands its error list over as a plain table; the
// program's port shows it in a report dialog. Until one is installed the
// table goes nowhere.
#pragma once

#include "framework/Types.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The progress codes.
enum : int {
    // A pass starts: iPass and uRange give the pass and the progress range.
    ROSTER_POST_PASS_START = 0,
    // The pass text changed (sText).
    ROSTER_POST_PASS_TEXT = 1,
    // The participant being worked on changed (sText).
    ROSTER_POST_PARTICIPANT_TEXT = 2,
    // One participant done: step the progress, refresh the counters.
    ROSTER_POST_PARTICIPANT_DONE = 3,
    // The run ended after a Stop; the receiver then ends it as for 5.
    ROSTER_POST_CANCELLED = 4,
    // The run ended: the receiver joins the worker.
    ROSTER_POST_FINISHED = 5,
    // The minimum pass is about to run: no skipping.
    ROSTER_POST_MINIMUM_PASS = 6,
    // The maximum pass is about to run: skipping allowed.
    ROSTER_POST_MAXIMUM_PASS = 7,
};

// The passes, as iPass of code 0 and the engine's pass flag give them.
enum : int { ROSTER_MAXIMUM_PASS = 0, ROSTER_MINIMUM_PASS = 1 };

struct RosterPost {
    int iCode = -1;
    // Code 0: the pass that starts and the progress range for it (the
    // participants with rostering, less those already rostered to their
    // maximum when the maximum pass starts). -1 and 0 otherwise.
    int iPass = -1;
    UINT uRange = 0;
    // Codes 1 and 2: the new text.
    std::string sText;

    bool operator==(const RosterPost&) const = default;
};

class IRosterPostPort {
public:
    virtual ~IRosterPostPort() = default;
    virtual void Post(const RosterPost& post) = 0;
};

// Keeps every post in order, from any thread; an optional hook sees each
// post as it arrives, on the posting thread (a test presses Stop there).
class RecordingRosterPort : public IRosterPostPort {
public:
    using Hook = std::function<void(const RosterPost& post)>;

    RecordingRosterPort() = default;
    explicit RecordingRosterPort(Hook f_hook) : fHook(std::move(f_hook)) {}

    void Post(const RosterPost& post) override;

    std::vector<RosterPost> Posts() const;
    // The codes alone, in order.
    std::vector<int> Codes() const;

private:
    mutable std::mutex Lock;
    std::vector<RosterPost> vPosts;
    Hook fHook;
};

// The error list as a report: a title, a line of description, the column
// titles and one row of texts per error.
struct RosterErrorTable {
    std::string sTitle;
    std::string sDescription;
    std::vector<std::string> vColumns;
    std::vector<std::vector<std::string>> vRows;
};

class IRosterReportPort {
public:
    virtual ~IRosterReportPort() = default;
    // Shows the report modally.
    virtual void ShowReport(const RosterErrorTable& table) = 0;
};

IRosterReportPort& GetRosterReportPort();
// Installs a port (null puts back the stand-in, which shows nothing);
// returns the previous one.
IRosterReportPort* SetRosterReportPort(IRosterReportPort* p_port);

// Keeps the reports it is asked to show; installs itself for its life.
class RecordingRosterReports : public IRosterReportPort {
public:
    RecordingRosterReports();
    ~RecordingRosterReports() override;
    RecordingRosterReports(const RecordingRosterReports&) = delete;
    RecordingRosterReports& operator=(const RecordingRosterReports&) = delete;

    void ShowReport(const RosterErrorTable& table) override { vTables.push_back(table); }
    const std::vector<RosterErrorTable>& Tables() const { return vTables; }

private:
    std::vector<RosterErrorTable> vTables;
    IRosterReportPort* pPrevious;
};
