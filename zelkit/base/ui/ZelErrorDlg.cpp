#include "zelkit/base/ui/ZelErrorDlg.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

ZelErrorDlg::ZelErrorDlg(wxWindow* p_parent, const ZelErrorReport& report)
    : wxDialog(p_parent, WxId(IDD_ZEL_ERROR), "Unexpected error", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      rReport(report)
{
    if (!rReport.sCaption.empty())
        SetTitle(ToWx(rReport.sCaption));

    auto* p_top = new wxBoxSizer(wxVERTICAL);
    auto* p_head = new wxBoxSizer(wxHORIZONTAL);
    p_head->Add(new wxStaticBitmap(this, WxId(IDC_ZEL_ERROR_ICON), wxArtProvider::GetBitmap(wxART_ERROR, wxART_MESSAGE_BOX)),
                0, wxALL, 8);
    p_head->Add(new wxStaticText(this, wxID_ANY, "The program has encountered the following unexpected error."), 1,
                wxALIGN_CENTER_VERTICAL | wxALL, 8);
    p_top->Add(p_head, 0, wxEXPAND);

    auto* p_text = new wxTextCtrl(this, WxId(IDC_ZEL_ERROR_TEXT), ToWx(rReport.sReport), wxDefaultPosition,
                                  ConvertDialogToPixels(wxSize(220, 80)),
                                  wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2 | wxHSCROLL);
    p_top->Add(p_text, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* p_instruction = new wxStaticText(this, WxId(IDC_ZEL_ERROR_INSTRUCTION), ToWx(rReport.InstructionText()));
    p_instruction->Wrap(ConvertDialogToPixels(wxSize(220, 0)).x);
    p_top->Add(p_instruction, 0, wxEXPAND | wxALL, 8);

    auto* p_buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* p_send = new wxButton(this, WxId(IDC_ZEL_ERROR_SEND), "&Send to support");
    p_send->Enable(rReport.CanSend());
    p_buttons->Add(p_send, 0, wxRIGHT, 8);
    p_buttons->AddStretchSpacer();
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    p_ok->SetDefault();
    p_buttons->Add(p_ok);
    p_top->Add(p_buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);

    SetSizerAndFit(p_top);
    SetMinSize(ConvertDialogToPixels(wxSize(233, 166)));
    wxSize sz = GetSize();
    sz.IncTo(GetMinSize());
    SetSize(sz);
    CentreOnScreen();
    p_ok->SetFocus();

    Bind(wxEVT_BUTTON, &ZelErrorDlg::OnSend, this, WxId(IDC_ZEL_ERROR_SEND));
}

void ZelErrorDlg::OnSend(wxCommandEvent&)
{
    if (!rReport.CanSend())
        return;
    wxBusyCursor wait;
    // A failure of the desktop to take the address is not reported: the
    // user still has the text to copy.
    rReport.Send();
}

AssertDlg::AssertDlg(wxWindow* p_parent, ZelErrorReport report)
    : ZelErrorDlg(p_parent, [&] {
          report.sCaption = "Assertion failure";
          return report;
      }())
{
}

void ZelErrorDlgPort::Show(const ZelErrorReport& report)
{
    ZelErrorDlg dlg(nullptr, report);
    dlg.ShowModal();
}
