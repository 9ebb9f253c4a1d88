#include "framework/ui/WxFileDialog.h"
#include "framework/ui/WxText.h"

#include <vector>
#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filedlgcustomize.h>
#include <wx/filename.h>

namespace {

// Puts the request's option controls into the dialog and reads them back
// when the user accepts.
class OptionsHook : public wxFileDialogCustomizeHook {
public:
    explicit OptionsHook(FileDialogRequest& request) : Request(request) {}

    void AddCustomControls(wxFileDialogCustomize& customize) override
    {
        for (std::size_t i = 0; i < Request.vOptions.size(); ++i) {
            const FileDialogOption& option = Request.vOptions[i];
            wxFileDialogCustomControl* p_control = nullptr;
            if (option.eKind == FileDialogOption::e_radio) {
                auto* p_radio = customize.AddRadioButton(ToWx(option.sLabel));
                p_radio->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { OnClick(i); });
                p_control = p_radio;
            } else {
                auto* p_check = customize.AddCheckBox(ToWx(option.sLabel));
                p_check->Bind(wxEVT_CHECKBOX, [this, i](wxCommandEvent&) { OnClick(i); });
                p_control = p_check;
            }
            vControls.push_back(p_control);
        }
        ShowOptions();
    }

    void TransferDataFromCustomControls() override { ReadOptions(); }

private:
    void ReadOptions()
    {
        for (std::size_t i = 0; i < vControls.size(); ++i) {
            FileDialogOption& option = Request.vOptions[i];
            if (option.eKind == FileDialogOption::e_radio)
                option.bValue = static_cast<wxFileDialogRadioButton*>(vControls[i])->GetValue() ? TRUE : FALSE;
            else
                option.bValue = static_cast<wxFileDialogCheckBox*>(vControls[i])->GetValue() ? TRUE : FALSE;
        }
    }

    void ShowOptions()
    {
        for (std::size_t i = 0; i < vControls.size(); ++i) {
            const FileDialogOption& option = Request.vOptions[i];
            if (option.eKind == FileDialogOption::e_radio)
                static_cast<wxFileDialogRadioButton*>(vControls[i])->SetValue(option.bValue != FALSE);
            else
                static_cast<wxFileDialogCheckBox*>(vControls[i])->SetValue(option.bValue != FALSE);
            vControls[i]->Enable(option.bEnabled != FALSE);
            vControls[i]->Show(option.bVisible != FALSE);
        }
    }

    // The control already shows the click: the options take its state,
    // follow each other, and the controls show the result.
    void OnClick(std::size_t i_option)
    {
        ReadOptions();
        if (Request.fOnClick)
            Request.fOnClick(Request, Request.vOptions[i_option].iId);
        ShowOptions();
    }

    FileDialogRequest& Request;
    std::vector<wxFileDialogCustomControl*> vControls;
};

} // namespace

wxString WxFileDialogPort::AnyCasePattern(const std::string& s_pattern)
{
    std::string s_glob;
    for (const char c : s_pattern) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            const char c_lower = static_cast<char>(c | 0x20);
            s_glob += {'[', c_lower, static_cast<char>(c_lower - 0x20), ']'};
        } else {
            s_glob += c;
        }
    }
    return wxString::FromUTF8(s_glob);
}

wxString WxFileDialogPort::Wildcard(const FileDialogRequest& request)
{
    wxString s_wildcard;
    for (const auto& [s_name, s_patterns] : request.vFilters) {
        wxString s_any;
        std::size_t u_start = 0;
        while (u_start <= s_patterns.size()) {
            std::size_t u_end = s_patterns.find(';', u_start);
            if (u_end == std::string::npos)
                u_end = s_patterns.size();
            if (!s_any.empty())
                s_any << ';';
            s_any << AnyCasePattern(s_patterns.substr(u_start, u_end - u_start));
            u_start = u_end + 1;
        }
        if (!s_wildcard.empty())
            s_wildcard << '|';
        s_wildcard << ToWx(s_name) << '|' << s_any;
    }
    return s_wildcard;
}

BOOL WxFileDialogPort::Ask(FileDialogRequest& request)
{
    long l_style = request.bSave ? wxFD_SAVE : wxFD_OPEN;
    if (request.bMustExist)
        l_style |= wxFD_FILE_MUST_EXIST;
    if (request.bOverwritePrompt)
        l_style |= wxFD_OVERWRITE_PROMPT;
    wxWindow* p_parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    const wxString s_title = request.sTitle.empty() ? wxString(request.bSave ? "Save As" : "Open") : ToWx(request.sTitle);
    wxFileDialog dlg(p_parent, s_title, wxString::FromUTF8(request.sFolder), wxString::FromUTF8(request.sFileName),
                     Wildcard(request), l_style);
    if (!request.vFilters.empty())
        dlg.SetFilterIndex(request.iFilter);
    OptionsHook hook(request);
    if (!request.vOptions.empty())
        dlg.SetCustomizeHook(hook);
    if (dlg.ShowModal() != wxID_OK)
        return FALSE;
    wxFileName name(dlg.GetPath());
    if (request.bSave && name.GetExt().empty() && !request.sDefaultExt.empty())
        name.SetExt(wxString::FromUTF8(request.sDefaultExt));
    request.sPath = std::string(name.GetFullPath().utf8_str());
    return TRUE;
}
