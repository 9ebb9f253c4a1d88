#include "shell/dialogs/WebImportRules.h"

#include "framework/MessageBox.h"
#include "shell/frame/FramePorts.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <cctype>

namespace WebImportRules {

namespace {

bool StartsWithNoCase(const std::string& s_text, const std::string& s_start)
{
    if (s_text.size() < s_start.size())
        return false;
    for (std::size_t i = 0; i < s_start.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s_text[i])) != s_start[i])
            return false;
    }
    return true;
}

} // namespace

bool IsAllowed(int i_kind, const std::vector<int>& v_allowed)
{
    return std::find(v_allowed.begin(), v_allowed.end(), i_kind) != v_allowed.end();
}

int InitialKind(int i_preferred, const std::vector<int>& v_allowed)
{
    if (IsAllowed(i_preferred, v_allowed))
        return i_preferred;
    return v_allowed.empty() ? 0 : v_allowed.front();
}

UINT CheckChoice(const std::string& s_site, const std::string& s_file)
{
    const ZelObjectName site(s_site, 2048);
    if (site.GetName().empty())
        return 5022;
    if (s_file.empty())
        return 5023;
    return 0;
}

bool MakeServer(const std::string& s_site, std::string& s_server, std::string& s_reason)
{
    if (StartsWithNoCase(s_site, "http://") || StartsWithNoCase(s_site, "https://")) {
        s_server = s_site;
        return true;
    }
    const std::size_t u_scheme = s_site.find("://");
    if (u_scheme != std::string::npos) {
        s_reason = "Only web addresses starting with http:// or https:// can be fetched.";
        return false;
    }
    s_server = "http://" + s_site;
    return true;
}

FetchProgress::Action FetchProgress::OnProgress(long l_code, const Download& download, DWORD u_nowMs)
{
    Action action;
    switch (l_code) {
    case 1: action.sStatus = "Connecting..."; break;
    case 2: action.sStatus = "Finding file..."; break;
    case 3: action.sStatus = "Reading..."; break;
    case 4: action.sStatus = "Reading... (" + std::to_string(download.lAmtRead) + ")"; break;
    case 5:
        action.bEnd = true;
        if (!download.bAccess) {
            sError = "Internal error";
            action.iResult = IDS_WEB_FETCH_FAILED;
        } else {
            sText = download.sData;
            action.iResult = IDOK;
        }
        return action;
    default:
        // A failure: too large (or out of memory) has a message of its own.
        action.bEnd = true;
        sError = download.bAccess ? download.sError : "Internal error";
        action.iResult = download.bAccess && download.bTooBig ? IDS_WEB_FILE_TOO_BIG : IDS_WEB_FETCH_FAILED;
        return action;
    }
    if (l_code > lLastCode) {
        action.bSetStatus = true;
        action.bStep = true;
        lLastCode = l_code;
        uLastRefresh = u_nowMs;
    } else if (u_nowMs - uLastRefresh >= uRefreshMs) {
        action.bSetStatus = true;
        uLastRefresh = u_nowMs;
    }
    return action;
}

} // namespace WebImportRules
