#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/base/ZelLibrary.h"
#include "framework/Desktop.h"
#include "framework/Encoding.h"
#include "framework/Resources.h"

#include <cstdio>

std::uint32_t ZelErrorReport::InstructionId() const
{
    return CanSend() ? IDS_ZEL_SEND_INSTRUCTION : IDS_ZEL_COPY_INSTRUCTION;
}

std::string ZelErrorReport::InstructionText() const
{
    ZelLocalResource local;
    std::string s;
    LoadResourceString(InstructionId(), s);
    return s;
}

std::string ZelEscapeMailBody(const std::string& s_body)
{
    static const char* a_hex = "0123456789ABCDEF";
    const std::string s_utf8 = Cp1252ToUtf8(s_body);
    std::string s_out;
    for (const char c : s_utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n') {
            s_out += "%0D%0A";
        } else if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
                   u == '.' || u == '_' || u == '~') {
            s_out += c;
        } else {
            s_out += '%';
            s_out += a_hex[u >> 4];
            s_out += a_hex[u & 15];
        }
    }
    return s_out;
}

std::string ZelErrorReport::MailtoAddress() const
{
    std::string s_body;
    if (!sProduct.empty())
        s_body = "Product: " + sProduct + "\n\n";
    s_body += sReport + "\n";
    // The address itself is the user's setting, written as a mail address;
    // it goes in as it stands.
    return "mailto:" + sEmail + "?subject=Assertion%20failure&body=" + ZelEscapeMailBody(s_body);
}

bool ZelErrorReport::Send() const
{
    if (!CanSend())
        return false;
    return GetDesktopPort().Open(MailtoAddress());
}

namespace {

class StderrErrorReports : public IZelErrorReportPort {
public:
    void Show(const ZelErrorReport& report) override
    {
        std::fprintf(stderr, "Unexpected error\n%s\n", report.sReport.c_str());
    }
};

StderrErrorReports g_stderrReports;
IZelErrorReportPort* g_pReports = &g_stderrReports;

} // namespace

IZelErrorReportPort& ZelGetErrorReportPort() { return *g_pReports; }

IZelErrorReportPort* ZelSetErrorReportPort(IZelErrorReportPort* p_port)
{
    IZelErrorReportPort* p_old = g_pReports;
    g_pReports = p_port ? p_port : &g_stderrReports;
    return p_old;
}

ZelRecordingErrorReports::ZelRecordingErrorReports() : pPrevious(ZelSetErrorReportPort(this)) {}
ZelRecordingErrorReports::~ZelRecordingErrorReports() { ZelSetErrorReportPort(pPrevious); }
