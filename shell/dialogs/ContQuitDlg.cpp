#include "shell/dialogs/ContQuitDlg.h"

#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/services/ZelMessages.h"

#include <wx/button.h>
#include <wx/stattext.h>

CContQuitDlg::CContQuitDlg(const char* p_text, wxWindow* p_parent) : sMessage(p_text ? p_text : "")
{
    Build(p_parent);
}

CContQuitDlg::CContQuitDlg(UINT u_stringId, wxWindow* p_parent)
    : sMessage(ZelLoadResourceString(static_cast<int>(u_stringId), ""))
{
    Build(p_parent);
}

void CContQuitDlg::Build(wxWindow* p_parent)
{
    Create(p_parent, WxId(IDD), "Continue or Quit?", wxDefaultPosition, wxDefaultSize,
           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    // Laid out in dialog units, as the dialog has always been.
    const auto place = [this](wxWindow& w, int i_x, int i_y, int i_cx, int i_cy) {
        w.SetSize(wxRect(ConvertDialogToPixels(wxPoint(i_x, i_y)), ConvertDialogToPixels(wxSize(i_cx, i_cy))));
    };
    SetClientSize(ConvertDialogToPixels(wxSize(186, 95)));
    auto* p_text = new wxStaticText(this, WxId(IDC_MESSAGE), ToWx(sMessage));
    place(*p_text, 26, 14, 134, 48);
    p_text->Wrap(ConvertDialogToPixels(wxSize(134, 0)).x);
    auto* p_continue = new wxButton(this, wxID_OK, "&Continue");
    place(*p_continue, 35, 74, 50, 14);
    auto* p_quit = new wxButton(this, wxID_CANCEL, "&Quit");
    place(*p_quit, 101, 74, 50, 14);
    // Quit is the default: Enter quits, wherever the focus starts.
    p_quit->SetDefault();
    p_quit->SetFocus();
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_CANCEL);
    CentreOnScreen();
}

int CContQuitDlg::DoModal() { return ShowModal() == wxID_OK ? IDOK : IDCANCEL; }

int WxContinueQuitPort::Ask(const std::string& s_text)
{
    CContQuitDlg dlg(s_text.c_str(), nullptr);
    return dlg.DoModal();
}

void InstallContQuitDialog()
{
    static WxContinueQuitPort s_port;
    SetContinueQuitPort(&s_port);
}
