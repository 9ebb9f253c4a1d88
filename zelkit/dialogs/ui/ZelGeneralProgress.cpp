#include "zelkit/dialogs/ui/ZelGeneralProgress.h"

#include "framework/ui/WxText.h"
#include "zelkit/base/ZelLibrary.h"

#include <algorithm>
#include <climits>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

namespace {

void Place(wxWindow& parent, wxWindow& ctrl, int i_x, int i_y, int i_cx, int i_cy)
{
    const wxPoint pt = parent.ConvertDialogToPixels(wxPoint(i_x, i_y));
    const wxSize sz = parent.ConvertDialogToPixels(wxSize(i_cx, i_cy));
    ctrl.SetSize(pt.x, pt.y, sz.x, sz.y);
}

} // namespace

ZelGeneralProgress::ZelGeneralProgress(const std::string& s_title, ZelGeneralCallback* p_callback,
                                       wxWindow* p_parent, UINT u_templateId)
    : wxDialog(p_parent, static_cast<wxWindowID>(u_templateId), "Progress"), sTitle(s_title), pCallback(p_callback)
{
    if (u_templateId == IDD_ZEL_PROGRESS) {
        SetClientSize(ConvertDialogToPixels(wxSize(220, 62)));
        auto* p_text = new wxStaticText(this, IDC_ZEL_PROGRESS_TEXT, "", wxDefaultPosition, wxDefaultSize,
                                        wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
        Place(*this, *p_text, 7, 7, 206, 10);
        auto* p_bar = new wxGauge(this, IDC_ZEL_PROGRESS_BAR, 100);
        Place(*this, *p_bar, 7, 20, 206, 11);
        auto* p_cancel = new wxButton(this, wxID_CANCEL, "Cancel");
        Place(*this, *p_cancel, 85, 41, 50, 14);
        CentreOnParent();
    }
    Bind(wxEVT_INIT_DIALOG, &ZelGeneralProgress::OnInitDialogEvent, this);
    Bind(wxEVT_BUTTON, &ZelGeneralProgress::OnCancelButton, this, wxID_CANCEL);
    Bind(wxEVT_BUTTON, &ZelGeneralProgress::OnCancelButton, this, 2);
    Bind(wxEVT_CHAR_HOOK, &ZelGeneralProgress::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &ZelGeneralProgress::OnClose, this);
}

wxGauge* ZelGeneralProgress::GetBar() const { return wxDynamicCast(FindWindow(IDC_ZEL_PROGRESS_BAR), wxGauge); }

wxStaticText* ZelGeneralProgress::GetStatusCtrl() const
{
    return wxDynamicCast(FindWindow(IDC_ZEL_PROGRESS_TEXT), wxStaticText);
}

bool ZelGeneralProgress::TransferDataToWindow()
{
    if (wxStaticText* p_text = GetStatusCtrl())
        p_text->SetLabel(ToWx(sStatus));
    return wxDialog::TransferDataToWindow();
}

bool ZelGeneralProgress::TransferDataFromWindow()
{
    if (wxStaticText* p_text = GetStatusCtrl())
        sStatus = FromWx(p_text->GetLabel()).value_or(sStatus);
    return wxDialog::TransferDataFromWindow();
}

void ZelGeneralProgress::OnInitDialogEvent(wxInitDialogEvent&) { OnInitDialog(); }

bool ZelGeneralProgress::OnInitDialog()
{
    ZelLocalResource local;
    TransferDataToWindow();
    if (!sTitle.empty())
        SetTitle(ToWx(sTitle));
    ResetProgress();
    if (pCallback != nullptr)
        pCallback->AfterInit(*this);
    return true;
}

void ZelGeneralProgress::ResetProgress()
{
    wxGauge* p_bar = GetBar();
    if (p_bar == nullptr)
        return;
    // The whole range: a count above 65535 must not leave an empty bar.
    p_bar->SetRange(static_cast<int>(std::clamp<DWORD>(uRangeMax, 1, INT_MAX)));
    p_bar->SetValue(0);
}

void ZelGeneralProgress::Step()
{
    if (wxGauge* p_bar = GetBar()) {
        // Past its end the bar starts again from 0, as the system's does.
        int i_pos = p_bar->GetValue() + 1;
        if (i_pos > p_bar->GetRange())
            i_pos = 0;
        p_bar->SetValue(i_pos);
    }
    TransferDataToWindow();
}

int ZelGeneralProgress::GetPosition() const
{
    wxGauge* p_bar = GetBar();
    return p_bar ? p_bar->GetValue() : 0;
}

void ZelGeneralProgress::OnCancel()
{
    if (pCallback != nullptr)
        pCallback->Cancel();
    if (IsModal()) {
        EndModal(wxID_CANCEL);
    } else {
        SetReturnCode(wxID_CANCEL);
        Hide();
    }
}

void ZelGeneralProgress::OnCancelButton(wxCommandEvent&) { OnCancel(); }

void ZelGeneralProgress::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
        OnCancel();
    else
        event.Skip();
}

void ZelGeneralProgress::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto()) {
        OnCancel();
        event.Veto();
    } else {
        event.Skip();
    }
}
