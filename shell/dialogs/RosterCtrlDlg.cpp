#include "shell/dialogs/RosterCtrlDlg.h"

#include "framework/ui/DialogOwner.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

#include <algorithm>
#include <climits>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxDEFINE_EVENT(EVT_ROSTER_POST, wxThreadEvent);

using P = RosterCtrlPresenter;

namespace {

// Every control of the template, for the shown and enabled states.
constexpr UINT kControls[] = {
    P::IDC_OK,           P::IDC_CANCEL,   P::IDC_TO_MINIMUM_LABEL,     P::IDC_TO_MINIMUM,
    P::IDC_TO_BE_ROSTERED_LABEL, P::IDC_TO_BE_ROSTERED, P::IDC_ERRORS_LABEL, P::IDC_ERRORS,
    P::IDC_WITH_ROSTERING_LABEL, P::IDC_WITH_ROSTERING, P::IDC_ROSTER,  P::IDC_VIEW_ERRORS,
    P::IDC_MESSAGE,      P::IDC_TO_MAXIMUM_LABEL, P::IDC_TO_MAXIMUM,
};

// The template's width, in dialog units; the height is what the controls
// take, so that no empty band opens between the counts and the bar.
constexpr int kWidthDlu = 279;
constexpr int kMarginDlu = 7;
constexpr int kGapDlu = 4;

wxWindow* TopWindow() { return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr; }

// The rostering errors' report opens wide enough for its columns, so that
// the long texts of "More information" show whole, as far as the screen
// allows; beyond that the list scrolls sideways.
class RosterErrorsDlg : public ZelReportDlg {
public:
    using ZelReportDlg::ZelReportDlg;

protected:
    bool OnInitDialog() override
    {
        ZelReportDlg::OnInitDialog();
        ZelListCtrl& list = GetList();
        const int i_missing = list.GetTotalColumnWidth() - list.GetClientSize().x;
        if (i_missing <= 0)
            return true;
        const int i_display = wxDisplay::GetFromWindow(this);
        const wxRect rc_area = wxDisplay(i_display != wxNOT_FOUND ? i_display : 0).GetClientArea();
        SetSize(std::min(GetSize().x + i_missing, rc_area.width), -1);
        CentreOnParent();
        return true;
    }
    using ZelReportDlg::OnInitDialog;
};

} // namespace

RosterCtrlDlg::RosterCtrlDlg(EventDoc& doc, wxWindow* p_parent)
    : ZelGeneralProgress("Roster participants", nullptr, p_parent, P::IDD_ROSTER_CTRL),
      Presenter(doc, [this](const RosterPost& post) {
          // On the worker: queueing is the one thing wx allows from there.
          auto* p_event = new wxThreadEvent(EVT_ROSTER_POST);
          p_event->SetInt(post.iCode);
          p_event->SetPayload(post);
          wxQueueEvent(this, p_event);
      })
{
    SetTitle("Roster participants");
    const auto dlu_x = [this](int i_dlu) { return ConvertDialogToPixels(wxSize(i_dlu, 0)).x; };
    const auto dlu_y = [this](int i_dlu) { return ConvertDialogToPixels(wxSize(0, i_dlu)).y; };
    const wxSizerFlags keep = wxSizerFlags().ReserveSpaceEvenIfHidden();

    auto* p_counts = new wxFlexGridSizer(2, dlu_y(3), dlu_x(kMarginDlu));
    p_counts->AddGrowableCol(0);
    // The counts of participants with rostering and to be rostered are put
    // away when a run starts and stay away after it: their rows close up
    // rather than leave an empty band over the counts that remain.
    const auto add_count = [&](UINT u_label, const char* p_label, UINT u_value, bool b_hides) {
        const wxSizerFlags flags = b_hides ? wxSizerFlags() : keep;
        p_counts->Add(new wxStaticText(this, WxId(u_label), p_label), wxSizerFlags(flags).CentreVertical());
        auto* p_value = new wxStaticText(this, WxId(u_value), "0", wxDefaultPosition, wxSize(dlu_x(40), -1),
                                         wxST_NO_AUTORESIZE | wxALIGN_RIGHT);
        p_counts->Add(p_value, wxSizerFlags(flags).CentreVertical());
    };
    add_count(P::IDC_WITH_ROSTERING_LABEL, "Number of participants with rostering:", P::IDC_WITH_ROSTERING, true);
    add_count(P::IDC_TO_BE_ROSTERED_LABEL, "Number of participants to be rostered:", P::IDC_TO_BE_ROSTERED, true);
    add_count(P::IDC_TO_MINIMUM_LABEL, "Number of participants rostered to minimum:", P::IDC_TO_MINIMUM, false);
    add_count(P::IDC_TO_MAXIMUM_LABEL, "Number of participants rostered to maximum:", P::IDC_TO_MAXIMUM, false);
    add_count(P::IDC_ERRORS_LABEL, "Number of rostering errors:", P::IDC_ERRORS, false);

    auto* p_message = new wxStaticText(this, WxId(P::IDC_MESSAGE), "Message", wxDefaultPosition, wxDefaultSize,
                                       wxST_NO_AUTORESIZE);
    auto* p_text = new wxStaticText(this, IDC_ZEL_PROGRESS_TEXT, "", wxDefaultPosition, wxDefaultSize,
                                    wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    auto* p_bar = new wxGauge(this, IDC_ZEL_PROGRESS_BAR, 100, wxDefaultPosition, wxSize(-1, dlu_y(11)));

    const wxSize sz_button = ConvertDialogToPixels(wxSize(50, 14));
    auto* p_buttons = new wxBoxSizer(wxHORIZONTAL);
    p_buttons->Add(new wxButton(this, WxId(P::IDC_ROSTER), "&Roster", wxDefaultPosition, sz_button), keep);
    p_buttons->Add(new wxButton(this, WxId(P::IDC_VIEW_ERRORS), "&View errors", wxDefaultPosition, sz_button),
                   wxSizerFlags(keep).Border(wxLEFT, dlu_x(kGapDlu)));
    p_buttons->AddStretchSpacer();
    p_buttons->Add(new wxButton(this, P::IDC_OK, "OK", wxDefaultPosition, sz_button), keep);
    p_buttons->Add(new wxButton(this, P::IDC_CANCEL, "Cancel", wxDefaultPosition, sz_button),
                   wxSizerFlags(keep).Border(wxLEFT, dlu_x(kGapDlu)));

    auto* p_top = new wxBoxSizer(wxVERTICAL);
    p_top->Add(p_counts, wxSizerFlags().Expand());
    p_top->AddSpacer(dlu_y(kMarginDlu));
    p_top->Add(p_message, wxSizerFlags(keep).Expand());
    p_top->AddSpacer(dlu_y(kGapDlu));
    p_top->Add(p_text, wxSizerFlags().Expand());
    p_top->AddSpacer(dlu_y(2));
    p_top->Add(p_bar, wxSizerFlags().Expand());
    p_top->AddSpacer(dlu_y(kMarginDlu));
    p_top->Add(p_buttons, wxSizerFlags().Expand());
    auto* p_outer = new wxBoxSizer(wxVERTICAL);
    p_outer->Add(p_top, wxSizerFlags(1).Expand().Border(wxALL, dlu_x(kMarginDlu)));
    SetSizer(p_outer);

    // The message keeps the height of the tallest text it shows at the
    // end of a run, wrapped to its width, so that the dialog keeps its
    // size as the texts change.
    const int i_width = ConvertDialogToPixels(wxSize(kWidthDlu, 0)).x;
    const int i_text_width = i_width - 2 * dlu_x(kMarginDlu);
    int i_message = p_message->GetCharHeight();
    for (const UINT u_text : {P::IDS_ROSTER_ERRORS_OCCURRED, P::IDS_ROSTER_CLICK_ROSTER, P::IDS_ROSTER_NOT_REQUIRED,
                              P::IDS_ROSTER_COMPLETE, P::IDS_ROSTER_COMPLETE_ERRORS}) {
        p_message->SetLabelText(ToWx(LoadResString(u_text, "")));
        p_message->Wrap(i_text_width);
        i_message = std::max(i_message, p_message->GetBestSize().y);
    }
    p_message->SetLabelText("Message");
    p_message->SetMinSize(wxSize(-1, i_message));
    FitHeight();
    CentreOnParent();

    Bind(wxEVT_BUTTON, &RosterCtrlDlg::OnRoster, this, WxId(P::IDC_ROSTER));
    Bind(wxEVT_BUTTON, &RosterCtrlDlg::OnViewErrors, this, WxId(P::IDC_VIEW_ERRORS));
    Bind(wxEVT_BUTTON, &RosterCtrlDlg::OnOk, this, P::IDC_OK);
    Bind(EVT_ROSTER_POST, &RosterCtrlDlg::OnRosterMessage, this);
}

RosterCtrlDlg::~RosterCtrlDlg()
{
    Presenter.StopAndJoin();
    ThawFrame();
}

std::exception_ptr RosterCtrlDlg::TakeFailure()
{
    std::exception_ptr p_presenter = Presenter.TakeFailure();
    if (pFailure)
        return std::exchange(pFailure, nullptr);
    return p_presenter;
}

void RosterCtrlDlg::RunStep(const std::function<void()>& f_step)
{
    const bool b_was_running = Presenter.IsRunning();
    try {
        f_step();
    } catch (...) {
        if (!pFailure)
            pFailure = std::current_exception();
    }
    if (!b_was_running && Presenter.IsRunning())
        FreezeFrame();
    else if (b_was_running && !Presenter.IsRunning())
        ThawFrame();
    Apply();
    if ((pFailure || Presenter.HasFailure()) && IsModal())
        EndModal(wxID_ABORT);
}

bool RosterCtrlDlg::OnInitDialog()
{
    ZelGeneralProgress::OnInitDialog();
    const wxWindow* p_cancel = FindWindow(P::IDC_CANCEL);
    const wxWindow* p_view = FindWindow(WxId(P::IDC_VIEW_ERRORS));
    const std::string s_cancel = FromWx(p_cancel->GetLabel()).value_or("Cancel");
    const std::string s_view = FromWx(p_view->GetLabel()).value_or("&View errors");
    RunStep([&] { Presenter.OnInitDialog(s_cancel, s_view); });
    return true;
}

void RosterCtrlDlg::OnRoster(wxCommandEvent&)
{
    RunStep([this] { Presenter.OnRoster(); });
}

void RosterCtrlDlg::OnViewErrors(wxCommandEvent&)
{
    RunStep([this] { Presenter.OnViewErrors(); });
}

void RosterCtrlDlg::OnOk(wxCommandEvent&)
{
    if (Presenter.OnOK() && IsModal())
        EndModal(wxID_OK);
}

void RosterCtrlDlg::OnCancel()
{
    if (Presenter.OnCancel())
        ZelGeneralProgress::OnCancel();
    else
        Apply();
}

void RosterCtrlDlg::OnRosterMessage(wxThreadEvent& event)
{
    const RosterPost post = event.GetPayload<RosterPost>();
    RunStep([&] { Presenter.OnRosterMessage(post); });
}

void RosterCtrlDlg::Apply()
{
    for (const auto& [u_id, s_text] : Presenter.GetTexts()) {
        if (u_id == P::IDC_PROGRESS_TEXT) {
            SetStatusText(s_text);
            continue;
        }
        wxWindow* p_ctrl = FindWindow(WxId(u_id));
        if (p_ctrl == nullptr)
            continue;
        const auto it_applied = Applied.find(u_id);
        if (it_applied != Applied.end() && it_applied->second == s_text)
            continue;
        Applied[u_id] = s_text;
        if (auto* p_static = wxDynamicCast(p_ctrl, wxStaticText)) {
            // Names may hold an ampersand: static texts show it as it is.
            p_static->SetLabelText(ToWx(s_text));
            if (u_id == P::IDC_MESSAGE)
                p_static->Wrap(p_static->GetSize().x);
        } else {
            p_ctrl->SetLabel(ToWx(s_text));
        }
    }
    bool b_relayout = false;
    for (const UINT u_id : kControls) {
        wxWindow* p_ctrl = FindWindow(WxId(u_id));
        if (p_ctrl == nullptr)
            continue;
        const bool b_shown = Presenter.IsShown(u_id) != FALSE;
        const bool b_enabled = Presenter.IsEnabled(u_id) != FALSE;
        if (p_ctrl->IsShown() != b_shown) {
            p_ctrl->Show(b_shown);
            b_relayout = true;
        }
        if (p_ctrl->IsThisEnabled() != b_enabled)
            p_ctrl->Enable(b_enabled);
    }
    if (b_relayout)
        FitHeight();
    if (wxGauge* p_bar = GetBar()) {
        SetRangeMax(Presenter.GetRangeMax());
        const int i_range = static_cast<int>(std::clamp<DWORD>(Presenter.GetRangeMax(), 1, INT_MAX));
        if (p_bar->GetRange() != i_range)
            p_bar->SetRange(i_range);
        const int i_position = std::clamp(Presenter.GetPosition(), 0, i_range);
        if (p_bar->GetValue() != i_position)
            p_bar->SetValue(i_position);
    }
    TransferDataToWindow();
}

void RosterCtrlDlg::FitHeight()
{
    const int i_width = ConvertDialogToPixels(wxSize(kWidthDlu, 0)).x;
    const wxSize sz_min = GetSizer()->GetMinSize();
    SetClientSize(std::max(i_width, sz_min.x), sz_min.y);
    Layout();
}

void RosterCtrlDlg::FreezeFrame()
{
    wxWindow* p_frame = GetParent() != nullptr ? wxGetTopLevelParent(GetParent()) : nullptr;
    if (p_frame != nullptr && pFrozen == nullptr) {
        p_frame->Freeze();
        pFrozen = p_frame;
    }
}

void RosterCtrlDlg::ThawFrame()
{
    if (pFrozen != nullptr) {
        pFrozen->Thaw();
        pFrozen = nullptr;
    }
}

// ---- the ports ----

void WxRosterDialogPort::Run(EventDoc& doc)
{
    std::exception_ptr p_failure;
    {
        RosterCtrlDlg dlg(doc, TopWindow());
        dlg.ShowModal();
        p_failure = dlg.TakeFailure();
    }
    // With the dialog gone, for the roster driver to report.
    if (p_failure)
        std::rethrow_exception(p_failure);
}

void WxRosterReportPort::ShowReport(const RosterErrorTable& table)
{
    RosterErrorsDlg dlg(table.sTitle, DialogOwner());
    for (const std::string& s_column : table.vColumns)
        dlg.GetColumnTitles().Add(s_column);
    for (const std::vector<std::string>& v_row : table.vRows) {
        ZelStringArray row;
        for (const std::string& s_cell : v_row)
            row.Add(s_cell);
        dlg.GetRows().Add(row);
    }
    dlg.SetDescription(table.sDescription);
    dlg.ShowModal();
}

void InstallRosterDialogs()
{
    static WxRosterDialogPort s_dialog;
    static WxRosterReportPort s_reports;
    SetRosterDialogPort(&s_dialog);
    SetRosterReportPort(&s_reports);
}
