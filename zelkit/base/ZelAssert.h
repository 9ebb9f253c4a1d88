// The assertion contract of both deliverables.
//
// A failed check never returns: it shows the "Unexpected error" report
// (which can mail it to the support address) and throws ZelAssertException.
// The build and rostering drivers catch it and go on; the program's run
// loop catches it and ends the program.
//
// The report is a dialog, and dialogs belong to the user-interface thread:
// a check that fails on any other thread (the rostering worker) shows
// nothing there. Its report travels inside the exception, and whoever
// takes the exception over on the user-interface thread shows it there
// (ZelShowPendingReport). Reports sent directly from another thread wait
// in a queue for ZelShowPendingReports.
#pragma once

#include <cstdint>
#include <string>

// Checks run only while this is non-zero; initially 1.
extern std::int32_t __ZelAssertOn;

// Reports the failure and throws ZelAssertException; never returns.
[[noreturn]] void __ZelAssert(const char* p_expr, const char* p_file, long l_line, const char* p_other);

// Builds the report text, shows it, and returns it. Off the report thread
// the report is queued for ZelShowPendingReports instead of shown.
std::string ZelSendError(const char* p_expr, const char* p_file, long l_line, const char* p_other);

// The thread that shows reports: the one that loaded the library (the
// program's user-interface thread) until another calls this.
void ZelAssertSetReportThread();
bool ZelAssertOnReportThread();

void ZelAssertSetEmail(const char* p_email);
void ZelAssertSetProductInfo(const char* p_product);
const std::string& ZelAssertGetEmail();
const std::string& ZelAssertGetProductInfo();

// What a failed check throws. It holds the first 127 characters of the
// report. It is thrown by value (not by pointer as the contract once had
// it), so a catcher owns nothing and cannot leak or double-free it.
class ZelAssertException {
public:
    explicit ZelAssertException(const std::string& s_text);
    // A failure off the report thread: the whole report, not shown yet.
    ZelAssertException(const std::string& s_text, bool b_report_pending);
    virtual ~ZelAssertException() = default;
    const char* GetText() const { return szText; }
    // The report still has to be shown (the check failed on another
    // thread); empty once shown or when it was shown where it failed.
    bool IsReportPending() const { return !sPendingReport.empty(); }
    const std::string& GetPendingReport() const { return sPendingReport; }

private:
    friend void ZelShowPendingReport(const ZelAssertException& e);
    char szText[128];
    mutable std::string sPendingReport;
};

// On the report thread: shows the report the exception brought from
// another thread, once. Nothing for a report already shown.
void ZelShowPendingReport(const ZelAssertException& e);
// On the report thread: shows the reports queued from other threads, in
// the order they were sent.
void ZelShowPendingReports();

#define ZEL_ASSERT_INFO(cond, other)                                   \
    do {                                                               \
        if (__ZelAssertOn && !(cond))                                  \
            __ZelAssert(#cond, __FILE_NAME__, __LINE__, (other));      \
    } while (0)

#define ZEL_ASSERT(cond) ZEL_ASSERT_INFO(cond, nullptr)

// Turns checks off for a scope (tests of what unchecked code does).
class ZelAssertOff {
public:
    ZelAssertOff() : iSaved(__ZelAssertOn) { __ZelAssertOn = 0; }
    ~ZelAssertOff() { __ZelAssertOn = iSaved; }
    ZelAssertOff(const ZelAssertOff&) = delete;
    ZelAssertOff& operator=(const ZelAssertOff&) = delete;

private:
    std::int32_t iSaved;
};
