// The content of the "Unexpected error" report and what its dialog does
// with it, kept apart from the dialog so it can be tested without a
// display. The dialog shows it through a port: the program installs the
// real dialog; until then (and in tests) reports go to standard error or to
// a recorder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum : std::uint32_t {
    IDD_ZEL_ERROR = 26015,
    IDC_ZEL_ERROR_TEXT = 56040,
    IDC_ZEL_ERROR_SEND = 56042,
    IDC_ZEL_ERROR_INSTRUCTION = 56043,
    IDC_ZEL_ERROR_ICON = 56044,
    IDS_ZEL_SEND_INSTRUCTION = 55018,
    IDS_ZEL_COPY_INSTRUCTION = 55020,
};

struct ZelErrorReport {
    std::string sReport;
    std::string sEmail;
    std::string sProduct;
    std::string sCaption; // empty: the dialog keeps its own title

    bool CanSend() const { return !sEmail.empty(); }
    // 55018 when a support address is set, else 55020.
    std::uint32_t InstructionId() const;
    std::string InstructionText() const;
    // The "mailto:" address the send button hands to the desktop.
    std::string MailtoAddress() const;
    // Hands MailtoAddress() to the desktop; false when there is no address
    // or the desktop could not take it.
    bool Send() const;
};

// Percent-encodes a mail body: a line feed becomes "%0D%0A" (mail bodies
// break lines with CR LF); every byte outside the URI's unreserved set is
// escaped, after text in code page 1252 is turned into UTF-8, so that no
// character can cut or change the body.
std::string ZelEscapeMailBody(const std::string& s_body);

class IZelErrorReportPort {
public:
    virtual ~IZelErrorReportPort() = default;
    virtual void Show(const ZelErrorReport& report) = 0;
};

IZelErrorReportPort& ZelGetErrorReportPort();
IZelErrorReportPort* ZelSetErrorReportPort(IZelErrorReportPort* p_port);

// Records reports instead of showing them; installs itself for its life.
class ZelRecordingErrorReports : public IZelErrorReportPort {
public:
    ZelRecordingErrorReports();
    ~ZelRecordingErrorReports() override;
    ZelRecordingErrorReports(const ZelRecordingErrorReports&) = delete;
    ZelRecordingErrorReports& operator=(const ZelRecordingErrorReports&) = delete;

    void Show(const ZelErrorReport& report) override { vReports.push_back(report); }
    const std::vector<ZelErrorReport>& Reports() const { return vReports; }

private:
    std::vector<ZelErrorReport> vReports;
    IZelErrorReportPort* pPrevious;
};
