// The "Unexpected error" dialog of the assertion contract, and the report
// port that shows it.
#pragma once

#include "zelkit/base/ZelErrorReport.h"

#include <wx/dialog.h>

class ZelErrorDlg : public wxDialog {
public:
    ZelErrorDlg(wxWindow* p_parent, const ZelErrorReport& report);
    const ZelErrorReport& GetReport() const { return rReport; }

protected:
    void OnSend(wxCommandEvent& event);

    ZelErrorReport rReport;
};

// Derived only to carry its own caption; nothing creates it.
class AssertDlg : public ZelErrorDlg {
public:
    AssertDlg(wxWindow* p_parent, ZelErrorReport report);
};

class ZelErrorDlgPort : public IZelErrorReportPort {
public:
    void Show(const ZelErrorReport& report) override;
};
