#include "shell/frame/SmallDialogs.h"

#include "framework/Desktop.h"
#include "framework/Resources.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "res/ProgramRelease.h"
#include "res/RotavexStrings.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/StaticLink.h"
#include "zelkit/values/ZelRelease.h"

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

// ---- 194 "Revision has changed" ----

RevisionChgDlg::RevisionChgDlg(wxWindow* p_parent, const std::string& s_userGuide)
    : wxDialog(p_parent, WxId(IDD_REVISION_CHANGED), "Revision has changed"), sUserGuide(s_userGuide)
{
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    auto* p_text = new wxBoxSizer(wxVERTICAL);
    auto* p_first = new wxStaticText(this, wxID_ANY, "Your Event was created by an earlier Revision of Rotavex.");
    p_first->SetFont(p_first->GetFont().Bold());
    p_text->Add(p_first, 0, wxBOTTOM, 8);
    p_text->Add(new wxStaticText(this, wxID_ANY, "You can choose to:"), 0, wxBOTTOM, 2);
    p_text->Add(new wxStaticText(this, wxID_ANY, "- overwrite your existing Event file with the new format"), 0,
                wxLEFT, 12);
    p_text->Add(new wxStaticText(this, wxID_ANY, "- save your changes under a different file name"), 0,
                wxLEFT | wxBOTTOM, 12);
    p_text->Add(new wxStaticText(this, wxID_ANY,
                                 "If you intend to continue using an earlier Revision of Rotavex, you should\n"
                                 "save your changes under a different file name.  If you do not have an\n"
                                 "earlier Revision installed on your computer, you can overwrite your existing\n"
                                 "Event file."));
    p_top->Add(p_text, 0, wxALL, 12);

    auto* p_buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* p_overwrite = new wxButton(this, WxId(IDC_REVISION_OVERWRITE), "&Overwrite");
    auto* p_saveAs = new wxButton(this, WxId(IDC_REVISION_SAVE_AS), "&Save as...");
    auto* p_more = new wxButton(this, WxId(IDC_REVISION_MORE_INFO), "&More information");
    auto* p_cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    for (wxButton* p : {p_overwrite, p_saveAs, p_more, p_cancel})
        p_buttons->Add(p, 0, wxLEFT | wxRIGHT, 4);
    p_top->Add(p_buttons, 0, wxALIGN_CENTRE | wxBOTTOM, 12);
    p_overwrite->SetDefault();
    p_more->Enable(!sUserGuide.empty());
    SetSizerAndFit(p_top);
    CentreOnParent();

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(IDC_REVISION_OVERWRITE); }, WxId(IDC_REVISION_OVERWRITE));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(IDC_REVISION_SAVE_AS); }, WxId(IDC_REVISION_SAVE_AS));
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            // There is no help topic of the dialog's own here: the user
            // guide tells about revisions.
            const wxBusyCursor wait;
            if (!GetDesktopPort().Open(sUserGuide))
                wxBell();
        },
        WxId(IDC_REVISION_MORE_INFO));
}

int WxRevisionChangedPort::Ask()
{
    CRotavexApp* p_app = TheApp();
    RevisionChgDlg dlg(wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr,
                       p_app != nullptr ? p_app->UserGuide : std::string());
    switch (dlg.ShowModal()) {
    case IDC_REVISION_OVERWRITE: return IDC_REVISION_OVERWRITE;
    case IDC_REVISION_SAVE_AS: return IDC_REVISION_SAVE_AS;
    default: return IDCANCEL;
    }
}

// ---- 100 "About Rotavex" ----

namespace {

// The program's mark: a timetable card of coloured bookings.
wxBitmap AboutIcon()
{
    const int i_size = 48;
    wxBitmap bitmap(i_size, i_size, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(246, 243, 236)));
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(31, 58, 104)));
    dc.DrawRoundedRectangle(0, 0, i_size, i_size, 8);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRoundedRectangle(6, 6, i_size - 12, i_size - 12, 3);
    const wxColour a_colours[] = {wxColour(232, 118, 84), wxColour(86, 140, 210), wxColour(92, 170, 120),
                                  wxColour(236, 180, 64)};
    const int a_blocks[][3] = {{0, 0, 2}, {1, 1, 2}, {2, 0, 1}, {2, 2, 1}, {0, 3, 1}, {1, 3, 1}};
    for (std::size_t i = 0; i < std::size(a_blocks); ++i) {
        dc.SetBrush(wxBrush(a_colours[i % std::size(a_colours)]));
        dc.DrawRectangle(9 + a_blocks[i][0] * 10, 9 + a_blocks[i][1] * 7, 8, a_blocks[i][2] * 7 - 1);
    }
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace

CAboutDlg::CAboutDlg(wxWindow* p_parent) : wxDialog(p_parent, WxId(IDD_ABOUTBOX), "About Rotavex")
{
    std::string s_email;
    LoadResourceString(IDS_SUPPORT_EMAIL, s_email);
    std::string s_web;
    LoadResourceString(IDS_WEB_ADDRESS, s_web);
    std::string s_notice;
    LoadResourceString(IDS_NOTICE, s_notice);
    std::string s_rights;
    LoadResourceString(IDS_RIGHTS, s_rights);

    auto* p_top = new wxBoxSizer(wxVERTICAL);
    auto* p_body = new wxBoxSizer(wxHORIZONTAL);
    p_body->Add(new wxStaticBitmap(this, wxID_ANY, AboutIcon()), 0, wxRIGHT, 16);

    auto* p_texts = new wxBoxSizer(wxVERTICAL);
    auto* p_product = new wxStaticText(this, WxId(IDC_ABOUT_PRODUCT),
                                       ToWx(std::string(RVX_PRODUCT_NAME) + " Revision " + RotavexRelease().FormatRel()));
    p_product->SetFont(p_product->GetFont().Bold().Larger());
    p_texts->Add(p_product, 0, wxBOTTOM, 8);
    p_texts->Add(new wxStaticText(this, WxId(IDC_ABOUT_NOTICE), ToWx(s_notice)));
    p_texts->Add(new wxStaticText(this, wxID_ANY, ToWx(s_rights)), 0, wxBOTTOM, 12);

    auto* p_links = new wxFlexGridSizer(2, wxSize(8, 4));
    p_links->Add(new wxStaticText(this, wxID_ANY, "E-mail:"));
    pEmail = new CStaticLink(this, WxId(IDC_ABOUT_EMAIL), s_email, s_email.empty() ? std::string() : "mailto:" + s_email);
    p_links->Add(pEmail);
    p_links->Add(new wxStaticText(this, wxID_ANY, "Web site:"));
    pWeb = new CStaticLink(this, WxId(IDC_ABOUT_WEB), s_web);
    p_links->Add(pWeb);
    p_texts->Add(p_links);
    p_body->Add(p_texts, 1, wxEXPAND);
    p_top->Add(p_body, 1, wxEXPAND | wxALL, 14);

    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    p_ok->SetDefault();
    p_top->Add(p_ok, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 14);
    SetSizerAndFit(p_top);
    CentreOnParent();
}
