#include "zelkit/ZelAssert.h"
#include "zelkit/ZelErrorReport.h"

#include <cstdio>
#include <cstring>

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
} // namespace

void ZelAssertSetEmail(const char* p_email) { SupportEmail() = p_email ? p_email : ""; }
void ZelAssertSetProductInfo(const char* p_product) { ProductInfo() = p_product ? p_product : ""; }
const std::string& ZelAssertGetEmail() { return SupportEmail(); }
const std::string& ZelAssertGetProductInfo() { return ProductInfo(); }

ZelAssertException::ZelAssertException(const std::string& s_text)
{
    std::strncpy(szText, s_text.c_str(), sizeof szText);
    szText[sizeof szText - 1] = '\0';
}

std::string ZelSendError(const char* p_expr, const char* p_file, long l_line, const char* p_other)
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
    ZelErrorReport report{s_report, SupportEmail(), ProductInfo(), {}};
    ZelGetErrorReportPort().Show(report);
    return s_report;
}

void __ZelAssert(const char* p_expr, const char* p_file, long l_line, const char* p_other)
{
    throw ZelAssertException(ZelSendError(p_expr, p_file, l_line, p_other));
}
