#include "zelkit/controls/ui/ZelLabelStockDlg.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/time.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Dlg = ZelLabelStockDlg;

// A length field: its edit, its spin button, and the dimension it shows.
struct LengthField {
    int iEdit;
    int iSpin;
    const char* pLabel;
    LONG (*fGet)(const ZelLabelDim&);
    void (*fSet)(ZelLabelDim&, LONG);
};

const LengthField aLengths[] = {
    {Dlg::IDC_PAGE_HEIGHT, Dlg::IDC_PAGE_HEIGHT_SPIN, "Page &height:",
     [](const ZelLabelDim& d) { return d.GetPaperDim().cy; },
     [](ZelLabelDim& d, LONG l) { d.SetPaperDim(CSize(d.GetPaperDim().cx, l)); }},
    {Dlg::IDC_PAGE_WIDTH, Dlg::IDC_PAGE_WIDTH_SPIN, "Page &width:",
     [](const ZelLabelDim& d) { return d.GetPaperDim().cx; },
     [](ZelLabelDim& d, LONG l) { d.SetPaperDim(CSize(l, d.GetPaperDim().cy)); }},
    {Dlg::IDC_TOP_MARGIN, Dlg::IDC_TOP_MARGIN_SPIN, "&Top margin:",
     [](const ZelLabelDim& d) { return d.GetTopMargin(); }, [](ZelLabelDim& d, LONG l) { d.SetTopMargin(l); }},
    {Dlg::IDC_LEFT_MARGIN, Dlg::IDC_LEFT_MARGIN_SPIN, "L&eft margin:",
     [](const ZelLabelDim& d) { return d.GetLeftMargin(); }, [](ZelLabelDim& d, LONG l) { d.SetLeftMargin(l); }},
    {Dlg::IDC_LABEL_HEIGHT, Dlg::IDC_LABEL_HEIGHT_SPIN, "Label h&eight:",
     [](const ZelLabelDim& d) { return d.GetHeight(); }, [](ZelLabelDim& d, LONG l) { d.SetHeight(l); }},
    {Dlg::IDC_LABEL_WIDTH, Dlg::IDC_LABEL_WIDTH_SPIN, "Label w&idth:",
     [](const ZelLabelDim& d) { return d.GetWidth(); }, [](ZelLabelDim& d, LONG l) { d.SetWidth(l); }},
    {Dlg::IDC_BETWEEN_ROWS, Dlg::IDC_BETWEEN_ROWS_SPIN, "Space between &rows:",
     [](const ZelLabelDim& d) {
         LONG l_rows = 0, l_columns = 0;
         d.GetBetween(l_rows, l_columns);
         return l_rows;
     },
     [](ZelLabelDim& d, LONG l) {
         LONG l_rows = 0, l_columns = 0;
         d.GetBetween(l_rows, l_columns);
         d.SetBetween(l, l_columns);
     }},
    {Dlg::IDC_BETWEEN_COLUMNS, Dlg::IDC_BETWEEN_COLUMNS_SPIN, "Space between &columns:",
     [](const ZelLabelDim& d) {
         LONG l_rows = 0, l_columns = 0;
         d.GetBetween(l_rows, l_columns);
         return l_columns;
     },
     [](ZelLabelDim& d, LONG l) {
         LONG l_rows = 0, l_columns = 0;
         d.GetBetween(l_rows, l_columns);
         d.SetBetween(l_rows, l);
     }},
};

// The spin buttons of the lengths never move themselves: they rest in the
// middle of their range so that both directions always give a tick.
constexpr int iSpinRest = Dlg::nMaxSpin / 2;

DWORD SteadyMillis() { return static_cast<DWORD>(wxGetLocalTimeMillis().GetValue()); }

// A whole number within the labels' range, blanks around it allowed.
bool ReadCount(const std::string& s_text, int& i_value)
{
    const std::size_t i_first = s_text.find_first_not_of(" \t");
    if (i_first == std::string::npos)
        return false;
    const std::size_t i_last = s_text.find_last_not_of(" \t");
    int i = 0;
    for (std::size_t u = i_first; u <= i_last; ++u) {
        if (s_text[u] < '0' || s_text[u] > '9')
            return false;
        i = i * 10 + (s_text[u] - '0');
        if (i > Dlg::nMaxLabels)
            return false;
    }
    if (i < Dlg::nMinLabels)
        return false;
    i_value = i;
    return true;
}

} // namespace

ZelLabelStockDlg::ZelLabelStockDlg(wxWindow* p_parent)
    : wxDialog(p_parent, WxId(IDD), "Label stock"), fClock(&SteadyMillis)
{
    // Laid out in dialog units; a spin button sits right of its edit at
    // its own width.
    const auto place = [this](wxWindow& w, int i_x, int i_y, int i_cx, int i_cy) {
        w.SetSize(wxRect(ConvertDialogToPixels(wxPoint(i_x, i_y)), ConvertDialogToPixels(wxSize(i_cx, i_cy))));
    };
    // A field at a pixel column (i_x) and a row in dialog units; the
    // spin button's right edge in pixels.
    int i_spin_right = 0;
    const auto add_field = [&](int i_edit, int i_spin, const char* p_label, int i_x, int i_y) {
        const wxPoint pt = ConvertDialogToPixels(wxPoint(0, i_y));
        auto* p_label_ctrl = new wxStaticText(this, wxID_ANY, p_label);
        p_label_ctrl->SetSize(wxRect(wxPoint(i_x, pt.y + ConvertDialogToPixels(wxPoint(0, 2)).y),
                                     ConvertDialogToPixels(wxSize(88, 8))));
        auto* p_edit = new wxTextCtrl(this, WxId(i_edit));
        p_edit->SetMaxLength(nMaxField);
        p_edit->SetSize(wxRect(wxPoint(i_x + ConvertDialogToPixels(wxPoint(90, 0)).x, pt.y),
                               ConvertDialogToPixels(wxSize(44, 13))));
        auto* p_spin = new wxSpinButton(this, WxId(i_spin), wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
        const wxRect rc_edit = p_edit->GetRect();
        const wxSize sz_spin = p_spin->GetBestSize();
        p_spin->SetSize(rc_edit.GetRight() + 2, rc_edit.y + (rc_edit.height - sz_spin.y) / 2, sz_spin.x, sz_spin.y);
        i_spin_right = std::max(i_spin_right, p_spin->GetRect().GetRight());
        p_edit->Bind(wxEVT_KILL_FOCUS, &ZelLabelStockDlg::OnLeaveField, this);
        return p_spin;
    };

    auto* p_name_label = new wxStaticText(this, wxID_ANY, "&Name:");
    place(*p_name_label, 7, 9, 40, 8);
    auto* p_name = new wxTextCtrl(this, WxId(IDC_NAME));
    p_name->SetMaxLength(nMaxName);
    place(*p_name, 50, 7, 150, 13);
    p_name->Bind(wxEVT_KILL_FOCUS, &ZelLabelStockDlg::OnLeaveField, this);
    Bind(wxEVT_TEXT, &ZelLabelStockDlg::OnNameChange, this, WxId(IDC_NAME));

    auto* p_type = new wxStaticBox(this, wxID_ANY, "Stock type");
    place(*p_type, 7, 26, 110, 50);
    auto* p_page = new wxRadioButton(this, WxId(IDC_PAGE), "&Page", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    place(*p_page, 15, 38, 90, 10);
    auto* p_roll = new wxRadioButton(this, WxId(IDC_ROLL), "R&oll");
    place(*p_roll, 15, 50, 90, 10);
    auto* p_fanfold = new wxRadioButton(this, WxId(IDC_FANFOLD), "&Fan fold");
    place(*p_fanfold, 15, 62, 90, 10);

    auto* p_orient = new wxStaticBox(this, wxID_ANY, "Orientation");
    place(*p_orient, 125, 26, 110, 50);
    auto* p_portrait =
        new wxRadioButton(this, WxId(IDC_PORTRAIT), "Por&trait", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    place(*p_portrait, 133, 38, 90, 10);
    auto* p_landscape = new wxRadioButton(this, WxId(IDC_LANDSCAPE), "&Landscape");
    place(*p_landscape, 133, 50, 90, 10);
    for (int i_id : {IDC_PAGE, IDC_ROLL, IDC_FANFOLD, IDC_PORTRAIT, IDC_LANDSCAPE})
        Bind(wxEVT_RADIOBUTTON, &ZelLabelStockDlg::OnRadio, this, WxId(i_id));

    // Two columns: the page on the left, the labels on the right, each
    // with its count last.
    struct Row {
        int iEdit, iSpin;
        const char* pLabel;
        const LengthField* pLength;
    };
    std::vector<Row> a_columns[2];
    for (const LengthField& f : aLengths)
        a_columns[a_columns[0].size() < 4 ? 0 : 1].push_back({f.iEdit, f.iSpin, f.pLabel, &f});
    a_columns[0].push_back({IDC_ACROSS, IDC_ACROSS_SPIN, "Labels &across:", nullptr});
    a_columns[1].push_back({IDC_DOWN, IDC_DOWN_SPIN, "Labels &down:", nullptr});
    int i_x = ConvertDialogToPixels(wxPoint(7, 0)).x;
    for (const std::vector<Row>& a_rows : a_columns) {
        int i_y = 86;
        for (const Row& row : a_rows) {
            wxSpinButton* p_spin = add_field(row.iEdit, row.iSpin, row.pLabel, i_x, i_y);
            if (row.pLength) {
                p_spin->SetRange(0, nMaxSpin);
                p_spin->SetValue(iSpinRest);
                Bind(wxEVT_SPIN_UP, &ZelLabelStockDlg::OnLengthSpin, this, WxId(row.iSpin));
                Bind(wxEVT_SPIN_DOWN, &ZelLabelStockDlg::OnLengthSpin, this, WxId(row.iSpin));
                p_spin->Bind(wxEVT_LEFT_UP, &ZelLabelStockDlg::OnSpinRelease, this);
            } else {
                p_spin->SetRange(nMinLabels, nMaxLabels);
                Bind(wxEVT_SPIN, &ZelLabelStockDlg::OnCountSpin, this, WxId(row.iSpin));
            }
            i_y += 18;
        }
        i_x = i_spin_right + ConvertDialogToPixels(wxPoint(14, 0)).x;
    }

    // OK and Cancel at the top right, over the spin buttons' edge.
    const wxSize sz_button = ConvertDialogToPixels(wxSize(50, 14));
    const int i_buttons = i_spin_right - sz_button.x;
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    p_ok->SetSize(wxRect(wxPoint(i_buttons, ConvertDialogToPixels(wxPoint(0, 7)).y), sz_button));
    p_ok->SetDefault();
    auto* p_cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    p_cancel->SetSize(wxRect(wxPoint(i_buttons, ConvertDialogToPixels(wxPoint(0, 25)).y), sz_button));
    Bind(wxEVT_BUTTON, &ZelLabelStockDlg::OnOK, this, wxID_OK);

    // Wide enough for the spin buttons of the right column, whatever
    // their width.
    int i_right = 0;
    for (wxWindow* p_child : GetChildren())
        i_right = std::max(i_right, p_child->GetRect().GetRight() + ConvertDialogToPixels(wxPoint(7, 0)).x);
    SetClientSize(i_right, ConvertDialogToPixels(wxSize(0, 180)).y);
    Bind(wxEVT_INIT_DIALOG, &ZelLabelStockDlg::OnInit, this);
    CentreOnParent();
}

wxTextCtrl* ZelLabelStockDlg::Edit(int i_id) const { return wxDynamicCast(FindWindow(WxId(i_id)), wxTextCtrl); }

void ZelLabelStockDlg::OnInit(wxInitDialogEvent&)
{
    Working = Stock;
    ShowValues();
    ValidateStock();
    Edit(IDC_NAME)->SetFocus();
}

bool ZelLabelStockDlg::ReadControls()
{
    bool b_read = true;
    const std::optional<std::string> s_name = FromWx(Edit(IDC_NAME)->GetValue());
    if (s_name)
        Working.SetName(*s_name);
    else
        b_read = false;

    ZelLabelDim& dim = Working.GetDim();
    const auto checked = [this](int i_id) { return wxDynamicCast(FindWindow(WxId(i_id)), wxRadioButton)->GetValue(); };
    if (checked(IDC_PAGE))
        dim.SetType(ZelLabelDim::stPage);
    else if (checked(IDC_ROLL))
        dim.SetType(ZelLabelDim::stRoll);
    else if (checked(IDC_FANFOLD))
        dim.SetType(ZelLabelDim::stFanFold);
    dim.SetOrientation(checked(IDC_PORTRAIT) ? 1 : 0);

    for (const LengthField& f : aLengths) {
        const std::optional<std::string> s_text = FromWx(Edit(f.iEdit)->GetValue());
        if (s_text)
            f.fSet(dim, dim.Parse(*s_text));
        else
            b_read = false;
    }

    int i_down = 0, i_across = 0;
    dim.GetNLabels(i_down, i_across);
    const std::optional<std::string> s_across = FromWx(Edit(IDC_ACROSS)->GetValue());
    const std::optional<std::string> s_down = FromWx(Edit(IDC_DOWN)->GetValue());
    b_read = (s_across && ReadCount(*s_across, i_across)) && b_read;
    b_read = (s_down && ReadCount(*s_down, i_down)) && b_read;
    dim.SetNLabels(i_down, i_across);
    return b_read;
}

void ZelLabelStockDlg::ShowValues()
{
    Edit(IDC_NAME)->ChangeValue(ToWx(Working.GetName()));
    const ZelLabelDim& dim = Working.GetDim();
    const auto check = [this](int i_id) { wxDynamicCast(FindWindow(WxId(i_id)), wxRadioButton)->SetValue(true); };
    switch (dim.GetType()) {
    case ZelLabelDim::stRoll: check(IDC_ROLL); break;
    case ZelLabelDim::stFanFold: check(IDC_FANFOLD); break;
    default: check(IDC_PAGE); break;
    }
    check(dim.GetOrientation() == 1 ? IDC_PORTRAIT : IDC_LANDSCAPE);
    for (const LengthField& f : aLengths)
        Edit(f.iEdit)->ChangeValue(ToWx(dim.FormatDimension(f.fGet(dim))));
    int i_down = 0, i_across = 0;
    dim.GetNLabels(i_down, i_across);
    for (const auto& [i_edit, i_spin, i_value] :
         {std::tuple{IDC_ACROSS, IDC_ACROSS_SPIN, i_across}, std::tuple{IDC_DOWN, IDC_DOWN_SPIN, i_down}}) {
        Edit(i_edit)->ChangeValue(wxString::Format("%d", i_value));
        wxDynamicCast(FindWindow(WxId(i_spin)), wxSpinButton)
            ->SetValue(std::clamp(i_value, int(nMinLabels), int(nMaxLabels)));
    }
}

void ZelLabelStockDlg::ValidateStock()
{
    const bool b_read = ReadControls();
    FindWindow(wxID_OK)->Enable(b_read && !Working.GetName().empty());
}

void ZelLabelStockDlg::OnLeaveField(wxFocusEvent& event)
{
    event.Skip();
    // The focus also leaves as the dialog goes.
    if (IsBeingDeleted())
        return;
    ValidateStock();
    ShowValues();
}

void ZelLabelStockDlg::OnNameChange(wxCommandEvent&) { ValidateStock(); }

void ZelLabelStockDlg::OnRadio(wxCommandEvent&) { ValidateStock(); }

void ZelLabelStockDlg::OnLengthSpin(wxSpinEvent& event)
{
    // The spin button stays where it is; the value moves instead.
    event.Veto();
    const auto* p_field = std::find_if(std::begin(aLengths), std::end(aLengths),
                                       [&](const LengthField& f) { return WxId(f.iSpin) == event.GetId(); });
    if (p_field == std::end(aLengths))
        return;
    // What was typed and not yet left counts.
    ValidateStock();
    const LONG l_step = Accel.Next(fClock());
    ZelLabelDim& dim = Working.GetDim();
    const std::int64_t l_new =
        std::int64_t(p_field->fGet(dim)) + (event.GetEventType() == wxEVT_SPIN_UP ? l_step : -std::int64_t(l_step));
    p_field->fSet(dim, static_cast<LONG>(std::clamp<std::int64_t>(l_new, 0, LONG_MAX)));
    ShowValues();
}

void ZelLabelStockDlg::OnCountSpin(wxSpinEvent& event)
{
    const int i_edit = event.GetId() == WxId(IDC_ACROSS_SPIN) ? IDC_ACROSS : IDC_DOWN;
    Edit(i_edit)->ChangeValue(wxString::Format("%d", event.GetPosition()));
    ValidateStock();
}

void ZelLabelStockDlg::OnSpinRelease(wxMouseEvent& event)
{
    event.Skip();
    Accel.Release();
}

void ZelLabelStockDlg::OnOK(wxCommandEvent&)
{
    if (!ReadControls() || Working.GetName().empty())
        return;
    Stock = Working;
    if (IsModal()) {
        EndModal(wxID_OK);
    } else {
        SetReturnCode(wxID_OK);
        Hide();
    }
}
