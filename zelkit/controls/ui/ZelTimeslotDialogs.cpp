#include "zelkit/controls/ui/ZelTimeslotDialogs.h"

#include "framework/ui/WxText.h"

#include <functional>
#include <optional>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valnum.h>

namespace {

// OK and Cancel side by side at a height, in dialog units.
void AddButtons(ZelSizingDialog& dlg, int i_left, int i_top, const std::function<void(wxWindow&, int, int)>& place)
{
    auto* p_ok = new wxButton(&dlg, wxID_OK, "OK");
    place(*p_ok, i_left, i_top);
    p_ok->SetDefault();
    auto* p_cancel = new wxButton(&dlg, wxID_CANCEL, "Cancel");
    place(*p_cancel, i_left + 56, i_top);
}

} // namespace

// ---------------------------------------------------------- slot length

ZelTimeslotCtrlChangeLengthDlg::ZelTimeslotCtrlChangeLengthDlg(wxWindow* p_parent, UINT u_minutes)
    : ZelSizingDialog(p_parent, WxId(IDD), "Timeslot length", freedomNone, false, wxDEFAULT_DIALOG_STYLE),
      uMinutes(u_minutes)
{
    SetClientSize(ConvertDialogToPixels(wxSize(170, 52)));
    auto* p_label = new wxStaticText(this, wxID_ANY, "Length for new timeslots:");
    PlaceDlgUnits(*p_label, 7, 9, 88, 8);
    wxIntegerValidator<UINT> validator(&uMinutes);
    validator.SetRange(uMinMinutes, uMaxMinutes);
    auto* p_edit = new wxTextCtrl(this, WxId(IDC_LENGTH), wxString(), wxDefaultPosition, wxDefaultSize, 0, validator);
    PlaceDlgUnits(*p_edit, 96, 7, 34, 12);
    auto* p_unit = new wxStaticText(this, wxID_ANY, "minutes");
    PlaceDlgUnits(*p_unit, 134, 9, 32, 8);
    AddButtons(*this, 29, 30, [this](wxWindow& w, int x, int y) { PlaceDlgUnits(w, x, y, 50, 14); });
    p_edit->SetFocus();
    CentreOnParent();
}

// ----------------------------------------------------------- resolution

ZelTimeslotResDlg::ZelTimeslotResDlg(wxWindow* p_parent, UINT u_minutes, int b_auto)
    : ZelSizingDialog(p_parent, WxId(IDD), "Resolution", freedomNone, false, wxDEFAULT_DIALOG_STYLE),
      uMinutes(u_minutes), bAuto(b_auto != 0)
{
    SetClientSize(ConvertDialogToPixels(wxSize(206, 70)));
    auto* p_label = new wxStaticText(this, wxID_ANY, "&Mouse resolution:");
    PlaceDlgUnits(*p_label, 7, 9, 70, 8);
    wxIntegerValidator<UINT> validator(&uMinutes);
    validator.SetRange(uMinMinutes, uMaxMinutes);
    auto* p_edit =
        new wxTextCtrl(this, WxId(IDC_RESOLUTION), wxString(), wxDefaultPosition, wxDefaultSize, 0, validator);
    PlaceDlgUnits(*p_edit, 80, 7, 26, 12);
    auto* p_unit = new wxStaticText(this, wxID_ANY, "minutes");
    PlaceDlgUnits(*p_unit, 110, 9, 40, 8);
    auto* p_auto = new wxCheckBox(this, WxId(IDC_AUTO), "&Automatically give me finer resolution when I zoom in.",
                                  wxDefaultPosition, wxDefaultSize, 0, wxGenericValidator(&bAuto));
    PlaceDlgUnits(*p_auto, 7, 26, 196, 10);
    AddButtons(*this, 47, 48, [this](wxWindow& w, int x, int y) { PlaceDlgUnits(w, x, y, 50, 14); });
    p_edit->SetFocus();
    CentreOnParent();
}

// ----------------------------------------------------------- combination

ZelTimeslotCombineDlg::ZelTimeslotCombineDlg(wxWindow* p_parent)
    : ZelSizingDialog(p_parent, WxId(IDD), "Combine timeslots", freedomNone, false, wxDEFAULT_DIALOG_STYLE)
{
    SetClientSize(ConvertDialogToPixels(wxSize(186, 62)));
    auto* p_label = new wxStaticText(this, wxID_ANY, "Enter or select the name of the combination:");
    PlaceDlgUnits(*p_label, 7, 7, 172, 8);
    pName = new wxComboBox(this, WxId(IDC_NAME), wxString(), wxDefaultPosition, wxDefaultSize, 0, nullptr,
                           wxCB_DROPDOWN);
    PlaceDlgUnits(*pName, 7, 18, 172, 13);
    AddButtons(*this, 37, 40, [this](wxWindow& w, int x, int y) { PlaceDlgUnits(w, x, y, 50, 14); });
    CentreOnParent();
    Bind(wxEVT_TEXT, &ZelTimeslotCombineDlg::OnNameChange, this, WxId(IDC_NAME));
    Bind(wxEVT_COMBOBOX, &ZelTimeslotCombineDlg::OnNameChange, this, WxId(IDC_NAME));
    Bind(wxEVT_BUTTON, &ZelTimeslotCombineDlg::OnOK, this, wxID_OK);
}

bool ZelTimeslotCombineDlg::OnInitDialog()
{
    ZelSizingDialog::OnInitDialog();
    FindWindow(wxID_OK)->Enable(false);
    for (int i = 0; i < Combinations.GetCount(); ++i)
        pName->Append(ToWx(Combinations[i].GetName()));
    pName->SetFocus();
    return true;
}

void ZelTimeslotCombineDlg::OnNameChange(wxCommandEvent& event)
{
    FindWindow(wxID_OK)->Enable(event.GetEventType() == wxEVT_COMBOBOX || !pName->GetValue().empty());
}

void ZelTimeslotCombineDlg::OnOK(wxCommandEvent&)
{
    std::string s_bad;
    const std::optional<std::string> s_name = FromWx(pName->GetValue(), &s_bad);
    if (!s_name) {
        wxMessageBox(wxString::Format("The character \"%s\" cannot be part of a name.", wxString::FromUTF8(s_bad)),
                     GetTitle(), wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    sName = *s_name;
    EndDialog(wxID_OK);
}
