// What the main frame's commands need beyond the frame: the dialogs of the
// import from the web and the event's exports. Like the document's ports
// (model/DocumentPorts.h) each is process-wide with a quiet stand-in until
// the program installs its own, and a scripted implementation for tests
// that installs itself for its lifetime.
//
// The stand-ins have nothing to offer: the web dialog is cancelled and no
// export exists, so the frame keeps those commands disabled.
#pragma once

#include "framework/Types.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class EventDoc;

// ---- the import from the web ----

// The web-import dialog's data: the recent sites and files, the kind of
// import (0 groups, 1 participants) and the kinds allowed, in that order;
// on OK the site, the file and the kind chosen.
struct WebImportRequest {
    std::vector<std::string> vSites;
    std::vector<std::string> vFiles;
    int iKind = 0;
    std::vector<int> vAllowedKinds;
    std::string sSite;
    std::string sFile;
};

// The ends of a fetch besides OK and Cancel: string ids of the message the
// frame shows with the download's error text.
enum : int {
    IDS_WEB_FETCH_FAILED = 5043,
    IDS_WEB_FILE_TOO_BIG = 5044,
};

class IWebImportPort {
public:
    virtual ~IWebImportPort() = default;
    // The web-import dialog: IDOK with the choice in the request, or
    // IDCANCEL.
    virtual int AskWebImport(WebImportRequest& request) = 0;
    // Fetches site + "/" + file in a dialog with the title: IDOK with the
    // text, IDCANCEL, or IDS_WEB_FETCH_FAILED or IDS_WEB_FILE_TOO_BIG with
    // the error text.
    virtual int FetchWebFile(const std::string& s_title, const std::string& s_site, const std::string& s_file,
                             std::string& s_text, std::string& s_error) = 0;
};

IWebImportPort& GetWebImportPort();
// Null puts the stand-in back, which cancels.
IWebImportPort* SetWebImportPort(IWebImportPort* p_port);

class ScriptedWebImport : public IWebImportPort {
public:
    using Choose = std::function<int(WebImportRequest& request)>;
    struct Fetch {
        int iResult;
        std::string sText;
        std::string sError;
    };
    struct Fetched {
        std::string sTitle;
        std::string sSite;
        std::string sFile;
    };

    ScriptedWebImport();
    ~ScriptedWebImport() override;
    ScriptedWebImport(const ScriptedWebImport&) = delete;
    ScriptedWebImport& operator=(const ScriptedWebImport&) = delete;

    // Answers in turn; Cancel once they are used up.
    void AnswerDialog(Choose f_choose) { qDialog.push_back(std::move(f_choose)); }
    void AnswerFetch(Fetch fetch) { qFetch.push_back(std::move(fetch)); }
    // Each dialog's request as it opened, and each fetch.
    const std::vector<WebImportRequest>& Requests() const { return vRequests; }
    const std::vector<Fetched>& Fetches() const { return vFetches; }

    int AskWebImport(WebImportRequest& request) override;
    int FetchWebFile(const std::string& s_title, const std::string& s_site, const std::string& s_file,
                     std::string& s_text, std::string& s_error) override;

private:
    std::deque<Choose> qDialog;
    std::deque<Fetch> qFetch;
    std::vector<WebImportRequest> vRequests;
    std::vector<Fetched> vFetches;
    IWebImportPort* pPrevious;
};

// ---- the exports ----

class IExportPort {
public:
    virtual ~IExportPort() = default;
    // Whether the export of the command (32835 HTML, 32836 text) exists.
    virtual BOOL CanExport(UINT u_command) = 0;
    // Runs it over the event: its dialog, then the file.
    virtual void Export(UINT u_command, EventDoc& doc) = 0;
};

IExportPort& GetExportPort();
// Null puts the stand-in back, which has no export.
IExportPort* SetExportPort(IExportPort* p_port);
