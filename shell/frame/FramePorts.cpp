#include "shell/frame/FramePorts.h"

#include "framework/MessageBox.h"

namespace {

class QuietWebImport : public IWebImportPort {
public:
    int AskWebImport(WebImportRequest&) override { return IDCANCEL; }
    int FetchWebFile(const std::string&, const std::string&, const std::string&, std::string&, std::string&) override
    {
        return IDCANCEL;
    }
};

class NoExport : public IExportPort {
public:
    BOOL CanExport(UINT) override { return FALSE; }
    void Export(UINT, EventDoc&) override {}
};

QuietWebImport g_quietWeb;
IWebImportPort* g_pWeb = &g_quietWeb;
NoExport g_noExport;
IExportPort* g_pExport = &g_noExport;

} // namespace

IWebImportPort& GetWebImportPort() { return *g_pWeb; }

IWebImportPort* SetWebImportPort(IWebImportPort* p_port)
{
    IWebImportPort* p_old = g_pWeb;
    g_pWeb = p_port ? p_port : &g_quietWeb;
    return p_old;
}

ScriptedWebImport::ScriptedWebImport() : pPrevious(SetWebImportPort(this)) {}
ScriptedWebImport::~ScriptedWebImport() { SetWebImportPort(pPrevious); }

int ScriptedWebImport::AskWebImport(WebImportRequest& request)
{
    vRequests.push_back(request);
    if (qDialog.empty())
        return IDCANCEL;
    const Choose f_choose = std::move(qDialog.front());
    qDialog.pop_front();
    return f_choose(request);
}

int ScriptedWebImport::FetchWebFile(const std::string& s_title, const std::string& s_site, const std::string& s_file,
                                    std::string& s_text, std::string& s_error)
{
    vFetches.push_back({s_title, s_site, s_file});
    if (qFetch.empty())
        return IDCANCEL;
    const Fetch fetch = std::move(qFetch.front());
    qFetch.pop_front();
    s_text = fetch.sText;
    s_error = fetch.sError;
    return fetch.iResult;
}

IExportPort& GetExportPort() { return *g_pExport; }

IExportPort* SetExportPort(IExportPort* p_port)
{
    IExportPort* p_old = g_pExport;
    g_pExport = p_port ? p_port : &g_noExport;
    return p_old;
}
