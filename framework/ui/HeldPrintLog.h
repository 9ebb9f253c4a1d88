// Holds the toolkit's messages while a print runs, so that a failed print
// is told once, by the program and in its own words with the toolkit's
// reason after them, instead of in a box of the toolkit's own.
#pragma once

#include "framework/ui/WxText.h"

#include <string>
#include <wx/log.h>

class HeldPrintLog : public wxLog {
public:
    HeldPrintLog() : pPrevious(wxLog::SetActiveTarget(this)) {}
    ~HeldPrintLog() override { wxLog::SetActiveTarget(pPrevious); }
    HeldPrintLog(const HeldPrintLog&) = delete;
    HeldPrintLog& operator=(const HeldPrintLog&) = delete;

    // The errors and warnings held, one a line.
    const std::string& GetText() const { return sText; }

protected:
    void DoLogRecord(wxLogLevel e_level, const wxString& s_message, const wxLogRecordInfo&) override
    {
        if (e_level > wxLOG_Warning)
            return;
        std::string s_line = FromWx(s_message).value_or(std::string());
        while (!s_line.empty() && s_line.back() == ' ')
            s_line.pop_back();
        // "Error while printing: " with nothing after it says nothing.
        if (s_line.empty() || s_line.back() == ':')
            return;
        if (!sText.empty())
            sText += '\n';
        sText += s_line;
    }

private:
    wxLog* pPrevious;
    std::string sText;
};
