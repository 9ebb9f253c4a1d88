// The import from the web without a window: the dialog's kind and checks,
// the address fetched, and what the fetch dialog does with each progress
// code of the download.
#pragma once

#include "framework/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace WebImportRules {

// Control ids of the web-import dialog (252).
enum : int {
    IDD_IMPORT_WEB = 252,
    IDC_WEB_SITE = 1321,
    IDC_WEB_FILE = 1322,
    IDC_WEB_GROUPS = 1323,
    IDC_WEB_PARTICIPANTS = 1324,
};

// The radio shown: the preferred kind when allowed, else the first allowed
// kind, else 0.
int InitialKind(int i_preferred, const std::vector<int>& v_allowed);
bool IsAllowed(int i_kind, const std::vector<int>& v_allowed);
// OK's check: 5022 for a site that is empty as a name (blank), 5023 for an
// empty file name, else 0.
UINT CheckChoice(const std::string& s_site, const std::string& s_file);

// The server part the download joins to the file with one "/": the site
// as typed with "http://" put before it unless it starts with "http://" or
// "https://" (either case). False, with the reason, for another scheme.
bool MakeServer(const std::string& s_site, std::string& s_server, std::string& s_reason);

// The fetch dialog's handling of the download's codes. The bar runs from 0
// to 5, one step for each code higher than the last shown; a repeated or
// lower code refreshes the status only once a second.
class FetchProgress {
public:
    static constexpr DWORD uBarMax = 5;
    static constexpr DWORD uRefreshMs = 1000;

    // What the dialog does for one code.
    struct Action {
        bool bSetStatus = false; // show sStatus
        bool bStep = false;      // advance the bar one step
        bool bEnd = false;       // end with iResult
        std::string sStatus;
        int iResult = 0;
    };

    // What the dialog knows of the download when the code arrives; a
    // missing download has bAccess false.
    struct Download {
        bool bAccess = true;
        long lAmtRead = 0;
        std::string sData;
        std::string sError;
        bool bTooBig = false;
    };

    Action OnProgress(long l_code, const Download& download, DWORD u_nowMs);

    // The results: the fetched text (after 1) and the error text (after
    // 5043 or 5044).
    const std::string& GetText() const { return sText; }
    const std::string& GetError() const { return sError; }

private:
    long lLastCode = 1;
    DWORD uLastRefresh = 0;
    std::string sText;
    std::string sError;
};

} // namespace WebImportRules
