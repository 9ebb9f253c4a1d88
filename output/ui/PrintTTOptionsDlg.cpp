#include "output/ui/PrintTTOptionsDlg.h"

#include "framework/ui/WxIds.h"
#include "output/ui/TTPrintWx.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

using M = PrintTTOptionsModel;

// ------------------------------------------------------------------ sample

PrintTTSample::PrintTTSample(wxWindow* p_parent, const PrintOptions& options)
    : wxWindow(p_parent, WxId(M::IDC_SAMPLE), wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE), Options(options)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &PrintTTSample::OnPaint, this);
}

void PrintTTSample::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const wxSize sz = GetClientSize();
    TTPrintCanvasWx canvas;
    canvas.SetDC(&dc, sz, dc.GetPPI().y, 1.0);
    DrawTTSample(canvas, Options, ZelRect{0, 0, sz.x, sz.y});
}

// ------------------------------------------------------------------ dialog

PrintTTOptionsDlg::PrintTTOptionsDlg(wxWindow* p_parent, const PrintOptions& options, int n_groups, int n_venues,
                                     int n_participants)
    : wxDialog(p_parent, wxID_ANY, "Timetable print options"), Model(options, n_groups, n_venues, n_participants)
{
    const int i_gap = ConvertDialogToPixels(wxSize(4, 4)).x;
    auto radio_group = [&](wxSizer* p_into, const char* p_title, std::initializer_list<std::pair<UINT, const char*>> a_buttons) {
        auto* p_box = new wxStaticBoxSizer(wxVERTICAL, this, p_title);
        bool b_first = true;
        for (const auto& [u_id, p_text] : a_buttons) {
            auto* p_radio = new wxRadioButton(p_box->GetStaticBox(), WxId(u_id), p_text, wxDefaultPosition,
                                              wxDefaultSize, b_first ? wxRB_GROUP : 0);
            p_box->Add(p_radio, 0, wxALL, i_gap / 2);
            mControls[u_id] = p_radio;
            b_first = false;
        }
        p_into->Add(p_box, 0, wxEXPAND | wxBOTTOM, i_gap);
    };
    auto* p_left = new wxBoxSizer(wxVERTICAL);
    radio_group(p_left, "&Print by",
                {{M::IDC_BY_DAY, "Day"}, {M::IDC_BY_GROUP, "Group"}, {M::IDC_BY_VENUE, "Venue"}, {M::IDC_BY_PARTICIPANT, "Participant"}});
    radio_group(p_left, "Timeslot &height", {{M::IDC_PROPORTIONAL, "Proportional"}, {M::IDC_CONSTANT, "Constant"}});
    radio_group(p_left, "Time &labels",
                {{M::IDC_START_END, "Start and end times"}, {M::IDC_START_ONLY, "Start times only"}, {M::IDC_NO_LABELS, "No time labels"}});

    auto* p_middle = new wxBoxSizer(wxVERTICAL);
    radio_group(p_middle, "Page &orientation", {{M::IDC_PORTRAIT, "Portrait"}, {M::IDC_LANDSCAPE, "Landscape"}});
    radio_group(p_middle, "Print &selection", {{M::IDC_ALL, "All"}, {M::IDC_SELECTED, "Selected"}});
    for (const auto& [u_id, p_text] : std::initializer_list<std::pair<UINT, const char*>>{
             {M::IDC_ALL_TIMESLOTS, "Print &all timeslots"},
             {M::IDC_GRID_LINES, "&Grid lines"},
             {M::IDC_GROUP_MEMBERS, "Show group &members"},
             {M::IDC_COMBINATIONS, "Print timeslot &combinations"}}) {
        auto* p_check = new wxCheckBox(this, WxId(u_id), p_text);
        p_middle->Add(p_check, 0, wxALL, i_gap / 2);
        mControls[u_id] = p_check;
    }

    // The sample: room for either shape, the page at the top left of it.
    szPortrait = ConvertDialogToPixels(wxSize(112, 110));
    szLandscape = ConvertDialogToPixels(wxSize(144, 90));
    auto* p_right = new wxBoxSizer(wxVERTICAL);
    p_right->Add(new wxStaticText(this, wxID_ANY, "Sample:"), 0, wxBOTTOM, i_gap / 2);
    pSampleArea = new wxWindow(this, wxID_ANY, wxDefaultPosition,
                               wxSize(std::max(szPortrait.x, szLandscape.x), std::max(szPortrait.y, szLandscape.y)));
    pSample = new PrintTTSample(pSampleArea, Model.Options);
    p_right->Add(pSampleArea, 0);
    p_right->AddStretchSpacer();
    auto* p_buttons = new wxBoxSizer(wxHORIZONTAL);
    p_buttons->AddStretchSpacer();
    // OK is the default button: Return prints with the options shown.
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    p_ok->SetDefault();
    p_buttons->Add(p_ok, 0);
    p_buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxLEFT, i_gap);
    p_right->Add(p_buttons, 0, wxEXPAND | wxTOP, i_gap);

    auto* p_row = new wxBoxSizer(wxHORIZONTAL);
    p_row->Add(p_left, 0, wxEXPAND | wxRIGHT, 2 * i_gap);
    p_row->Add(p_middle, 0, wxEXPAND | wxRIGHT, 2 * i_gap);
    p_row->Add(p_right, 1, wxEXPAND);
    auto* p_outer = new wxBoxSizer(wxVERTICAL);
    p_outer->Add(p_row, 1, wxEXPAND | wxALL, 2 * i_gap);
    SetSizerAndFit(p_outer);
    SetEscapeId(wxID_CANCEL);

    Bind(wxEVT_RADIOBUTTON, &PrintTTOptionsDlg::OnButton, this);
    Bind(wxEVT_CHECKBOX, &PrintTTOptionsDlg::OnButton, this);
    Model.Refresh();
    ShowModel();
}

void PrintTTOptionsDlg::OnButton(wxCommandEvent& event)
{
    // One handler for the 17 buttons: the click goes to the rules, and the
    // controls show what they made of it.
    Model.Click(static_cast<UINT>(event.GetId()));
    ShowModel();
}

void PrintTTOptionsDlg::ShowModel()
{
    const PrintTTControls& c = Model.Controls;
    auto set_radio = [this](UINT u_id, bool b_on, bool b_enabled = true) {
        auto* p_radio = static_cast<wxRadioButton*>(mControls[u_id]);
        if (b_on)
            p_radio->SetValue(true);
        p_radio->Enable(b_enabled);
    };
    for (int i = 0; i < 4; ++i)
        set_radio(M::IDC_BY_DAY + i, c.iPrintBy == i);
    set_radio(M::IDC_PROPORTIONAL, c.iHeight == 0);
    set_radio(M::IDC_CONSTANT, c.iHeight == 1);
    set_radio(M::IDC_START_END, c.iLabels == 0, c.bStartEndEnabled);
    set_radio(M::IDC_START_ONLY, c.iLabels == 1);
    set_radio(M::IDC_NO_LABELS, c.iLabels == 2);
    set_radio(M::IDC_PORTRAIT, c.iOrientation == 0);
    set_radio(M::IDC_LANDSCAPE, c.iOrientation == 1);
    set_radio(M::IDC_ALL, c.iSelection == 0, c.bSelectionEnabled);
    set_radio(M::IDC_SELECTED, c.iSelection == 1, c.bSelectionEnabled);
    auto set_check = [this](UINT u_id, BOOL b_on, bool b_enabled = true) {
        auto* p_check = static_cast<wxCheckBox*>(mControls[u_id]);
        p_check->SetValue(b_on != FALSE);
        p_check->Enable(b_enabled);
    };
    set_check(M::IDC_ALL_TIMESLOTS, c.bAllTimeslots);
    set_check(M::IDC_GRID_LINES, c.bGridLines, c.bGridLinesEnabled != FALSE);
    set_check(M::IDC_GROUP_MEMBERS, c.bGroupMembers);
    set_check(M::IDC_COMBINATIONS, c.bCombinations);

    pSample->SetSize(wxRect(wxPoint(0, 0), c.iOrientation == 1 ? szLandscape : szPortrait));
    pSample->Refresh();
}
