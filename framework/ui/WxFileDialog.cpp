#include "framework/ui/WxFileDialog.h"
#include "framework/ui/WxText.h"

#include <algorithm>
#include <vector>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
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
            if (option.eKind == FileDialogOption::e_radio) {
                // A radio is only ever checked: unchecking one clears its group.
                if (option.bValue)
                    static_cast<wxFileDialogRadioButton*>(vControls[i])->SetValue(true);
            } else
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

// Options laid out in rows (some indented) do not fit the hook's single
// row: they go on a panel of their own under the file list.
FileDialogRequest* g_pPanelRequest = nullptr;

class OptionsPanel : public wxPanel {
public:
    OptionsPanel(wxWindow* p_parent, FileDialogRequest& request) : wxPanel(p_parent), Request(request)
    {
        // A grid, so that the options of the rows stand in columns.
        auto* p_grid = new wxGridBagSizer(FromDIP(4), FromDIP(16));
        wxBoxSizer* p_indented = nullptr;
        int i_gridRow = -1;
        int i_col = 0;
        int i_row = 0;
        bool b_afterRadio = false;
        for (std::size_t i = 0; i < Request.vOptions.size(); ++i) {
            const FileDialogOption& option = Request.vOptions[i];
            if (i_gridRow < 0 || option.iRow != i_row) {
                ++i_gridRow;
                i_col = 0;
                i_row = option.iRow;
            }
            wxControl* p_control = nullptr;
            if (option.eKind == FileDialogOption::e_radio) {
                p_control = new wxRadioButton(this, wxID_ANY, ToWx(option.sLabel), wxDefaultPosition, wxDefaultSize,
                                              b_afterRadio ? 0 : wxRB_GROUP);
                p_control->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { OnClick(i); });
            } else {
                p_control = new wxCheckBox(this, wxID_ANY, ToWx(option.sLabel));
                p_control->Bind(wxEVT_CHECKBOX, [this, i](wxCommandEvent&) { OnClick(i); });
            }
            b_afterRadio = option.eKind == FileDialogOption::e_radio;
            if (option.iIndent > 0) {
                // An indented row belongs to the option above it: it runs
                // on as one line, across the columns.
                if (i_col == 0) {
                    p_indented = new wxBoxSizer(wxHORIZONTAL);
                    p_grid->Add(p_indented, wxGBPosition(i_gridRow, 0), wxGBSpan(1, std::max(1, NumColumns())),
                                wxLEFT, FromDIP(24) * option.iIndent);
                }
                p_indented->Add(p_control, 0, wxRIGHT, FromDIP(16));
            } else {
                p_grid->Add(p_control, wxGBPosition(i_gridRow, i_col));
            }
            ++i_col;
            vControls.push_back(p_control);
        }
        auto* p_outer = new wxBoxSizer(wxVERTICAL);
        p_outer->Add(p_grid, 0, wxALL, FromDIP(4));
        SetSizer(p_outer);
        ShowOptions();
        // The desktop's dialog takes the panel at the size it has.
        Fit();
    }

private:
    // The most options a row without indent holds.
    int NumColumns() const
    {
        int n_most = 0;
        int n_row = 0;
        for (std::size_t i = 0; i < Request.vOptions.size(); ++i) {
            const FileDialogOption& option = Request.vOptions[i];
            n_row = i > 0 && Request.vOptions[i - 1].iRow == option.iRow ? n_row + 1 : 1;
            if (option.iIndent == 0)
                n_most = std::max(n_most, n_row);
        }
        return n_most;
    }

    void ShowOptions()
    {
        for (std::size_t i = 0; i < vControls.size(); ++i) {
            const FileDialogOption& option = Request.vOptions[i];
            if (option.eKind == FileDialogOption::e_radio) {
                // A radio is only ever checked: unchecking one clears its group.
                if (option.bValue)
                    static_cast<wxRadioButton*>(vControls[i])->SetValue(true);
            } else {
                static_cast<wxCheckBox*>(vControls[i])->SetValue(option.bValue != FALSE);
            }
            vControls[i]->Enable(option.bEnabled != FALSE);
            vControls[i]->Show(option.bVisible != FALSE);
        }
        Layout();
    }

    void OnClick(std::size_t i_option)
    {
        // The request was in step with the controls: the click changes it
        // as the control changed.
        Request.Click(Request.vOptions[i_option].iId);
        ShowOptions();
    }

    FileDialogRequest& Request;
    std::vector<wxControl*> vControls;
};

wxWindow* MakeOptionsPanel(wxWindow* p_parent) { return WxFileDialogPort::CreateOptionsPanel(p_parent, *g_pPanelRequest); }

bool HasRows(const FileDialogRequest& request)
{
    for (const FileDialogOption& option : request.vOptions) {
        if (option.iRow != 0 || option.iIndent != 0)
            return true;
    }
    return false;
}

} // namespace

wxWindow* WxFileDialogPort::CreateOptionsPanel(wxWindow* p_parent, FileDialogRequest& request)
{
    return new OptionsPanel(p_parent, request);
}

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
            // A save dialog puts the filter's extension on the name: it
            // stays as written there.
            const std::string s_one = s_patterns.substr(u_start, u_end - u_start);
            s_any << (request.bSave ? wxString::FromUTF8(s_one) : AnyCasePattern(s_one));
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
    if (HasRows(request)) {
        g_pPanelRequest = &request;
        dlg.SetExtraControlCreator(MakeOptionsPanel);
    } else if (!request.vOptions.empty()) {
        dlg.SetCustomizeHook(hook);
    }
    if (dlg.ShowModal() != wxID_OK)
        return FALSE;
    wxFileName name(dlg.GetPath());
    if (request.bSave && name.GetExt().empty() && !request.sDefaultExt.empty())
        name.SetExt(wxString::FromUTF8(request.sDefaultExt));
    request.sPath = std::string(name.GetFullPath().utf8_str());
    return TRUE;
}
