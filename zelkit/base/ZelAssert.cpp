#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

std::int32_t __ZelAssertOn = 1;

namespace {
std::string& SupportEmail()
{
    static std::string s;
    return s;
}
std::string& ProductInfo()
{
    static std::string s;
    return s;
}
// Set while the library is loaded, which the program's first thread does.
std::atomic<std::thread::id> g_idReportThread{std::this_thread::get_id()};

std::mutex g_QueueLock;
std::deque<std::string>& QueuedReports()
{
    static std::deque<std::string> q;
    return q;
}

std::string BuildReport(const char* p_expr, const char* p_file, long l_line, const char* p_other)
{
    char a_line[32];
    std::snprintf(a_line, sizeof a_line, "%ld", l_line);
    std::string s_report = "Source file '";
    s_report += p_file ? p_file : "";
    s_report += "'\nLine ";
    s_report += a_line;
    s_report += "\nError: ";
    s_report += p_expr ? p_expr : "";
    if (p_other) {
        s_report += "\nOther information: ";
        s_report += p_other;
    }
    return s_report;
}

void ShowReport(const std::string& s_report)
{
    ZelErrorReport report{s_report, SupportEmail(), ProductInfo(), {}};
    ZelGetErrorReportPort().Show(report);
}

} // namespace

void ZelAssertSetReportThread() { g_idReportThread.store(std::this_thread::get_id()); }
bool ZelAssertOnReportThread() { return g_idReportThread.load() == std::this_thread::get_id(); }

void ZelAssertSetEmail(const char* p_email) { SupportEmail() = p_email ? p_email : ""; }
void ZelAssertSetProductInfo(const char* p_product) { ProductInfo() = p_product ? p_product : ""; }
const std::string& ZelAssertGetEmail() { return SupportEmail(); }
const std::string& ZelAssertGetProductInfo() { return ProductInfo(); }

ZelAssertException::ZelAssertException(const std::string& s_text)
{
    std::strncpy(szText, s_text.c_str(), sizeof szText);
    szText[sizeof szText - 1] = '\0';
}

ZelAssertException::ZelAssertException(const std::string& s_text, bool b_report_pending) : ZelAssertException(s_text)
{
    if (b_report_pending)
        sPendingReport = s_text;
}

void ZelShowPendingReport(const ZelAssertException& e)
{
    if (!e.IsReportPending() || !ZelAssertOnReportThread())
        return;
    const std::string s_report = std::move(e.sPendingReport);
    e.sPendingReport.clear();
    ShowReport(s_report);
}

void ZelShowPendingReports()
{
    if (!ZelAssertOnReportThread())
        return;
    for (;;) {
        std::string s_report;
        {
            std::lock_guard<std::mutex> lock(g_QueueLock);
            if (QueuedReports().empty())
                return;
            s_report = std::move(QueuedReports().front());
            QueuedReports().pop_front();
        }
        ShowReport(s_report);
    }
}

std::string ZelSendError(const char* p_expr, const char* p_file, long l_line, const char* p_other)
{
    std::string s_report = BuildReport(p_expr, p_file, l_line, p_other);
    if (ZelAssertOnReportThread()) {
        ShowReport(s_report);
    } else {
        std::lock_guard<std::mutex> lock(g_QueueLock);
        QueuedReports().push_back(s_report);
    }
    return s_report;
}

void __ZelAssert(const char* p_expr, const char* p_file, long l_line, const char* p_other)
{
    if (!ZelAssertOnReportThread())
        throw ZelAssertException(BuildReport(p_expr, p_file, l_line, p_other), true);
    throw ZelAssertException(ZelSendError(p_expr, p_file, l_line, p_other));
}
