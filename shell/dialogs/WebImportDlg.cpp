#include "shell/dialogs/WebImportDlg.h"

#include "framework/MessageBox.h"
#include "framework/PortSlot.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "model/General.h"
#include "zelkit/windows/ui/ZelClock.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

using namespace WebImportRules;

namespace {

constexpr int iGapDlu = 4;

wxComboBox* NewCombo(wxWindow* p_parent, int i_id, const std::vector<std::string>& v_entries)
{
    auto* p_combo = new wxComboBox(p_parent, WxId(i_id), wxEmptyString, wxDefaultPosition,
                                   p_parent->ConvertDialogToPixels(wxSize(200, -1)), 0, nullptr, wxCB_DROPDOWN);
    for (const std::string& s_entry : v_entries)
        p_combo->Append(ToWx(s_entry));
    if (!v_entries.empty())
        p_combo->SetSelection(0);
    return p_combo;
}

std::string FromCombo(const wxComboBox* p_combo)
{
    // Text the code page cannot hold cannot name a site the lists keep.
    return FromWx(p_combo->GetValue()).value_or(std::string());
}

DWORD LibraryMilliseconds() { return static_cast<DWORD>(ZelClock::nTicks) * ZelClock::uDefFreq; }

} // namespace

// ---- ImportWebDlg ----

ImportWebDlg::ImportWebDlg(wxWindow* p_parent, WebImportRequest& request)
    : wxDialog(p_parent, WxId(IDD_IMPORT_WEB), "Import from the web"), Request(request)
{
    const int i_gap = ConvertDialogToPixels(wxSize(iGapDlu, 0)).x;
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    p_top->Add(new wxStaticText(this, wxID_ANY, "Web &site:"));
    pSite = NewCombo(this, IDC_WEB_SITE, request.vSites);
    p_top->Add(pSite, 0, wxEXPAND);
    p_top->Add(new wxStaticText(this, wxID_ANY, "(Example: www.example.org/events)"), 0, wxBOTTOM, 2 * i_gap);
    p_top->Add(new wxStaticText(this, wxID_ANY, "&File:"));
    pFile = NewCombo(this, IDC_WEB_FILE, request.vFiles);
    p_top->Add(pFile, 0, wxEXPAND);
    p_top->Add(new wxStaticText(this, wxID_ANY, "(Example: registrants.txt)"), 0, wxBOTTOM, 2 * i_gap);

    auto* p_kind = new wxStaticBoxSizer(wxHORIZONTAL, this, "&What are you importing?");
    pGroups = new wxRadioButton(p_kind->GetStaticBox(), WxId(IDC_WEB_GROUPS), "Groups", wxDefaultPosition,
                                wxDefaultSize, wxRB_GROUP);
    pParticipants = new wxRadioButton(p_kind->GetStaticBox(), WxId(IDC_WEB_PARTICIPANTS), "Participants");
    p_kind->Add(pGroups, 0, wxALL, i_gap);
    p_kind->Add(pParticipants, 0, wxALL, i_gap);
    p_top->Add(p_kind, 0, wxEXPAND);

    const int i_kind = InitialKind(request.iKind, request.vAllowedKinds);
    (i_kind == 1 ? pParticipants : pGroups)->SetValue(true);
    pGroups->Enable(IsAllowed(0, request.vAllowedKinds));
    pParticipants->Enable(IsAllowed(1, request.vAllowedKinds));

    auto* p_row = new wxBoxSizer(wxHORIZONTAL);
    p_row->AddStretchSpacer();
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    p_ok->SetDefault();
    p_ok->Enable(IsAllowed(i_kind, request.vAllowedKinds));
    p_row->Add(p_ok);
    p_row->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxLEFT, i_gap);
    p_top->Add(p_row, 0, wxEXPAND | wxTOP, 2 * i_gap);

    auto* p_outer = new wxBoxSizer(wxVERTICAL);
    p_outer->Add(p_top, 1, wxEXPAND | wxALL, ConvertDialogToPixels(wxSize(7, 0)).x);
    SetSizerAndFit(p_outer);
    CentreOnParent();
}

bool ImportWebDlg::Validate()
{
    const UINT u_message = CheckChoice(FromCombo(pSite), FromCombo(pFile));
    if (u_message == 0)
        return true;
    ShowMessageId(u_message, std::string(), MB_OK | MB_ICONEXCLAMATION);
    (u_message == 5022 ? pSite : pFile)->SetFocus();
    return false;
}

bool ImportWebDlg::TransferDataFromWindow()
{
    Request.sSite = FromCombo(pSite);
    Request.sFile = FromCombo(pFile);
    Request.iKind = pParticipants->GetValue() ? 1 : 0;
    return true;
}

// ---- FetchWebFileDlg ----

FetchWebFileDlg::FetchWebFileDlg(const std::string& s_description, wxWindow* p_parent)
    : ZelGeneralProgress(s_description, nullptr, p_parent), Call(*this), Poster(this), fNow(LibraryMilliseconds)
{
    SetCallback(&Call);
    SetRangeMax(FetchProgress::uBarMax);
    SetStatusText("Connecting...");
    Bind(ZEL_EVT_INTERNET_FILE, &FetchWebFileDlg::OnProgressEvent, this, WxId(uMessage));
}

FetchWebFileDlg::~FetchWebFileDlg() { CloseDownload(); }

void FetchWebFileDlg::SetSource(const std::string& s_site, const std::string& s_file)
{
    Call.sSite = s_site;
    Call.sFile = s_file;
}

const std::string& FetchWebFileDlg::GetError() const
{
    return sStartError.empty() ? Progress.GetError() : sStartError;
}

void FetchWebFileDlg::Callback::AfterInit(wxDialog&)
{
    std::string s_server;
    std::string s_reason;
    if (!MakeServer(sSite, s_server, s_reason)) {
        Dlg.sStartError = s_reason;
        Dlg.CallAfter([this] { Dlg.End(IDS_WEB_FETCH_FAILED); });
        return;
    }
    pAccess.reset(CInternetFileAccess::ReadInternetFile(&Dlg.Poster, uMessage, s_server, sFile, TRUE, TRUE));
    if (!pAccess) {
        Dlg.sStartError = "Internal error";
        Dlg.CallAfter([this] { Dlg.End(IDS_WEB_FETCH_FAILED); });
    }
}

void FetchWebFileDlg::Callback::Cancel() { Dlg.CloseDownload(); }

void FetchWebFileDlg::CloseDownload()
{
    if (!Call.pAccess)
        return;
    Call.pAccess->Close(TRUE);
    Call.pAccess->WaitForThreadToClose(CInternetFileAccess::waitForever);
    Call.pAccess.reset();
}

void FetchWebFileDlg::End(int i_result)
{
    CloseDownload();
    if (IsModal())
        EndModal(i_result);
    else
        SetReturnCode(i_result);
}

void FetchWebFileDlg::OnProgressEvent(wxThreadEvent& event)
{
    CInternetFileAccess* p_access = ZelInternetFilePoster::GetAccess(event);
    // Codes of a download already closed are left alone.
    if (p_access != nullptr && p_access != Call.pAccess.get())
        return;
    OnProgress(event.GetInt(), p_access);
}

void FetchWebFileDlg::OnProgress(long l_code, CInternetFileAccess* p_access)
{
    FetchProgress::Action action;
    try {
        FetchProgress::Download download;
        download.bAccess = p_access != nullptr;
        if (p_access != nullptr) {
            download.lAmtRead = p_access->GetAmtRead();
            if (l_code == CInternetFileAccess::done && p_access->GetData() != nullptr)
                download.sData.assign(reinterpret_cast<const char*>(p_access->GetData()),
                                      static_cast<std::size_t>(p_access->GetDataLength()));
            download.sError = p_access->GetErrorText();
            download.bTooBig = p_access->IsTooBig() != FALSE;
        }
        action = Progress.OnProgress(l_code, download, fNow());
    } catch (const std::bad_alloc&) {
        End(IDS_WEB_FILE_TOO_BIG);
        return;
    }
    if (action.bEnd) {
        End(action.iResult);
        return;
    }
    if (action.bSetStatus) {
        SetStatusText(action.sStatus);
        if (action.bStep)
            Step();
        else
            TransferDataToWindow();
        Refresh();
        Update();
    }
}

// ---- the port ----

int WxWebImportPort::AskWebImport(WebImportRequest& request)
{
    wxWindow* p_parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    ImportWebDlg dlg(p_parent, request);
    return dlg.ShowModal() == wxID_OK ? IDOK : IDCANCEL;
}

int WxWebImportPort::FetchWebFile(const std::string& s_title, const std::string& s_site, const std::string& s_file,
                                  std::string& s_text, std::string& s_error)
{
    wxWindow* p_parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    FetchWebFileDlg dlg(s_title, p_parent);
    dlg.SetSource(s_site, s_file);
    const int i_result = dlg.ShowModal();
    if (i_result == IDOK) {
        s_text = dlg.GetText();
        return IDOK;
    }
    if (i_result == IDS_WEB_FETCH_FAILED || i_result == IDS_WEB_FILE_TOO_BIG) {
        s_error = dlg.GetError();
        return i_result;
    }
    return IDCANCEL;
}

namespace {
WxWebImportPort g_webPort;
} // namespace

void InstallWebImportDialogs() { SetWebImportPort(&g_webPort); }

void RemoveWebImportDialogs()
{
    RemovePortIfOurs(GetWebImportPort, SetWebImportPort, g_webPort);
}
