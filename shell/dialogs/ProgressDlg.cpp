#include "shell/dialogs/ProgressDlg.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <wx/app.h>
#include <wx/weakref.h>

#include <chrono>
#include <thread>

namespace {

// Spaces of the layouts, in dialog units.
constexpr int iMarginDlu = 7;
constexpr int iGapDlu = 4;

int XPix(int i_dlu)
{
    return ZelDlgUnits().GetXPix(i_dlu);
}

int YPix(int i_dlu)
{
    return ZelDlgUnits().GetYPix(i_dlu);
}

// A text the operation rewrites while it runs: its size is the layout's, so
// a new text never moves a control, and a long one ends in an ellipsis.
wxStaticText* NewValueText(wxWindow* p_parent, UINT u_id)
{
    return new wxStaticText(p_parent, WxId(u_id), wxEmptyString, wxDefaultPosition, wxDefaultSize,
                            wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
}

} // namespace

// ---- TTProgressDlg ----

TTProgressDlg::TTProgressDlg(ProgressModel& model, UINT u_template) : pModel(&model), uTemplate(u_template) {}

bool TTProgressDlg::Open(wxWindow* p_parent)
{
    const wxString s_title = pModel->GetTitle().empty() ? TemplateTitle() : ToWx(pModel->GetTitle());
    if (!wxDialog::Create(p_parent, uTemplate != 0 ? WxId(uTemplate) : wxID_ANY, s_title))
        return false;

    auto* p_top = new wxBoxSizer(wxVERTICAL);
    pOverall = new wxStaticText(this, WxId(IDC_PROGRESS_OVERALL), "Overall progress...", wxDefaultPosition,
                                wxDefaultSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    p_top->Add(pOverall, 0, wxEXPAND);
    pStageBar = new wxGauge(this, WxId(IDC_PROGRESS_STAGE_BAR), 0);
    p_top->Add(pStageBar, 0, wxEXPAND | wxTOP, YPix(2));
    pDescription = NewValueText(this, IDC_PROGRESS_DESCRIPTION);
    p_top->Add(pDescription, 0, wxEXPAND | wxTOP, YPix(iGapDlu + 2));
    pStepBar = new wxGauge(this, WxId(IDC_PROGRESS_STEP_BAR), 0);
    p_top->Add(pStepBar, 0, wxEXPAND | wxTOP, YPix(2));
    AddDetails(p_top);
    p_top->AddStretchSpacer();

    auto* p_row = new wxBoxSizer(wxHORIZONTAL);
    p_row->AddStretchSpacer();
    pStop = new wxButton(this, WxId(IDC_PROGRESS_STOP), "&Stop");
    p_row->Add(pStop);
    pCancel = new wxButton(this, wxID_CANCEL, "Cancel");
    p_row->Add(pCancel, 0, wxLEFT, XPix(iGapDlu));
    AddButtons(p_row);
    p_row->AddStretchSpacer();
    p_top->Add(p_row, 0, wxEXPAND | wxTOP, YPix(iGapDlu + 2));

    auto* p_outer = new wxBoxSizer(wxVERTICAL);
    p_outer->Add(p_top, 1, wxEXPAND | wxALL, XPix(iMarginDlu));
    SetSizer(p_outer);
    const wxSize size_template(XPix(TemplateSize().x), YPix(TemplateSize().y));
    wxSize size_client = p_outer->GetMinSize();
    size_client.IncTo(size_template);
    SetClientSize(size_client);
    SetMinClientSize(size_client);
    Layout();

    pStop->SetDefault();
    Bind(wxEVT_BUTTON, &TTProgressDlg::OnStop, this, WxId(IDC_PROGRESS_STOP));
    Bind(wxEVT_BUTTON, &TTProgressDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &TTProgressDlg::OnClose, this);
    Bind(wxEVT_CHAR_HOOK, &TTProgressDlg::OnCharHook, this);

    // Without the step part the stage texts go into the overall label.
    if (!pModel->IsStepPartShown()) {
        pDescription->Hide();
        pStepBar->Hide();
    }
    pModel->TakeChanges();
    Render(ProgressModel::kAllParts);
    CentreOnScreen();
    Show();
    pStop->SetFocus();
    return true;
}

wxString TTProgressDlg::TemplateTitle() const
{
    return wxEmptyString;
}

void TTProgressDlg::AddDetails(wxBoxSizer*) {}

void TTProgressDlg::AddButtons(wxBoxSizer*) {}

wxSize TTProgressDlg::TemplateSize() const
{
    return wxSize(254, 80);
}

void TTProgressDlg::SetText(wxStaticText* p_text, const std::string& s_text)
{
    const wxString s_label = ToWx(s_text);
    if (p_text->GetLabelText() != s_label)
        p_text->SetLabelText(s_label);
}

void TTProgressDlg::SetBar(wxGauge* p_gauge, const ProgressBar& bar)
{
    if (p_gauge->GetRange() != bar.iMax)
        p_gauge->SetRange(bar.iMax);
    if (p_gauge->GetValue() != bar.iPos)
        p_gauge->SetValue(bar.iPos);
}

void TTProgressDlg::Render(UINT u_parts)
{
    if (pModel == nullptr || pStop == nullptr)
        return;
    if (u_parts & ProgressModel::kStageBar)
        SetBar(pStageBar, pModel->GetStageBar());
    if (u_parts & ProgressModel::kStepBar)
        SetBar(pStepBar, pModel->GetStepBar());
    if (u_parts & ProgressModel::kDescription)
        SetText(pDescription, pModel->GetDescription());
    if (u_parts & ProgressModel::kStopButton)
        EnableStop(pModel->IsStopEnabled() != FALSE);
    if ((u_parts & ProgressModel::kOverallLabel) && !pModel->GetOverallLabel().empty())
        SetText(pOverall, pModel->GetOverallLabel());
}

// The toolkit lets no disabled control keep the focus: Stop disabled while
// it had it would leave the window with no focus at all, and then no key
// reaches it, Escape included. So the focus waits on Cancel meanwhile and
// goes back to Stop when Stop is enabled again; Enter still presses only
// Stop then, never the Cancel the focus waits on.
void TTProgressDlg::EnableStop(bool b_enable)
{
    if (pStop->IsThisEnabled() == b_enable)
        return;
    if (!b_enable && FindFocus() == pStop) {
        pCancel->SetFocus();
        bFocusWaiting = true;
    }
    pStop->Enable(b_enable);
    if (b_enable && bFocusWaiting) {
        if (FindFocus() == pCancel)
            pStop->SetFocus();
        bFocusWaiting = false;
    }
}

void TTProgressDlg::RenderChanges()
{
    if (pModel != nullptr)
        Render(pModel->TakeChanges());
}

void TTProgressDlg::SetNumStages(std::int32_t n_stages)
{
    if (pModel == nullptr)
        return;
    pModel->SetNumStages(n_stages);
    RenderChanges();
}

void TTProgressDlg::SetStage(std::int32_t i_stage, const std::string& s_text, std::int32_t i_max,
                             BOOL b_stop_allowed)
{
    if (pModel == nullptr)
        return;
    pModel->SetStage(i_stage, s_text, i_max, b_stop_allowed);
    RenderChanges();
}

void TTProgressDlg::StepIt()
{
    if (pModel == nullptr)
        return;
    pModel->StepIt();
    RenderChanges();
}

BOOL TTProgressDlg::IsStopRequested() const
{
    return pModel != nullptr ? pModel->IsStopRequested() : FALSE;
}

void TTProgressDlg::ClearRequests()
{
    if (pModel != nullptr)
        pModel->ClearRequests();
}

void TTProgressDlg::OnStop(wxCommandEvent&)
{
    if (pModel != nullptr)
        pModel->OnStop();
}

// Cancel only asks: the window stays until its owner ends it.
void TTProgressDlg::OnCancel(wxCommandEvent&)
{
    if (pModel != nullptr)
        pModel->OnCancel();
}

void TTProgressDlg::OnClose(wxCloseEvent& event)
{
    if (!event.CanVeto()) {
        event.Skip();
        return;
    }
    event.Veto();
    if (pModel != nullptr && IsEnabled())
        pModel->OnCancel();
}

// Enter presses the button that has the focus (but for the focus waiting on
// Cancel while Stop is disabled), or else the default button (Stop); a
// disabled one ignores it. Escape is left to the dialog, which
// presses Cancel.
void TTProgressDlg::OnCharHook(wxKeyEvent& event)
{
    const int i_key = event.GetKeyCode();
    if ((i_key != WXK_RETURN && i_key != WXK_NUMPAD_ENTER) || event.HasAnyModifiers()) {
        event.Skip();
        return;
    }
    auto* p_button = wxDynamicCast(FindFocus(), wxButton);
    if (p_button == nullptr || p_button->GetParent() != this || (bFocusWaiting && p_button == pCancel))
        p_button = wxDynamicCast(GetDefaultItem(), wxButton);
    if (p_button == nullptr || !p_button->IsEnabled())
        return;
    wxCommandEvent click(wxEVT_BUTTON, p_button->GetId());
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

// ---- TTBuildProgressDlg ----

TTBuildProgressDlg::TTBuildProgressDlg(BuildProgressModel& model) : TTProgressDlg(model, IDD_BUILD_PROGRESS) {}

wxString TTBuildProgressDlg::TemplateTitle() const
{
    return "Building timetable";
}

wxSize TTBuildProgressDlg::TemplateSize() const
{
    return wxSize(254, 167);
}

void TTBuildProgressDlg::AddDetails(wxBoxSizer* p_top)
{
    auto* p_grid = new wxFlexGridSizer(2, YPix(3), XPix(iGapDlu));
    p_grid->AddGrowableCol(1);
    auto add_row = [&](const char* p_label, wxWindow* p_value) {
        p_grid->Add(new wxStaticText(this, wxID_ANY, p_label), 0, wxALIGN_CENTER_VERTICAL);
        p_grid->Add(p_value, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    };
    add_row("Group instances to place:", pToPlace = NewValueText(this, IDC_PROGRESS_TO_PLACE));
    add_row("Current target group:", pTargetGroup = NewValueText(this, IDC_PROGRESS_TARGET_GROUP));
    add_row("Placing group:", pPlacingGroup = NewValueText(this, IDC_PROGRESS_PLACING_GROUP));
    add_row("Search level:", pSearchLevel = NewValueText(this, IDC_PROGRESS_SEARCH_LEVEL));
    add_row("Searches performed:", pSearches = NewValueText(this, IDC_PROGRESS_SEARCHES));
    add_row("Current target:", pTargetCount = NewValueText(this, IDC_PROGRESS_TARGET_COUNT));

    auto* p_depth = new wxBoxSizer(wxHORIZONTAL);
    pDepthBar = new wxGauge(this, WxId(IDC_PROGRESS_DEPTH_BAR), 0);
    p_depth->Add(pDepthBar, 1, wxALIGN_CENTER_VERTICAL);
    pDepthText = NewValueText(this, IDC_PROGRESS_DEPTH_TEXT);
    pDepthText->SetMinSize(wxSize(XPix(40), -1));
    p_depth->Add(pDepthText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, XPix(iGapDlu));
    p_grid->Add(new wxStaticText(this, wxID_ANY, "Search depth:"), 0, wxALIGN_CENTER_VERTICAL);
    p_grid->Add(p_depth, 1, wxEXPAND);

    p_top->Add(p_grid, 0, wxEXPAND | wxTOP, YPix(iGapDlu + 4));
}

void TTBuildProgressDlg::AddButtons(wxBoxSizer* p_row)
{
    pSkip = new wxButton(this, WxId(IDC_PROGRESS_SKIP), "S&kip");
    p_row->Add(pSkip, 0, wxLEFT, XPix(iGapDlu));
    Bind(wxEVT_BUTTON, &TTBuildProgressDlg::OnSkip, this, WxId(IDC_PROGRESS_SKIP));
}

void TTBuildProgressDlg::Render(UINT u_parts)
{
    TTProgressDlg::Render(u_parts);
    BuildProgressModel* p_model = BuildModel();
    if (p_model == nullptr || pSkip == nullptr)
        return;
    if (u_parts & ProgressModel::kDepthBar)
        SetBar(pDepthBar, p_model->GetDepthBar());
    if ((u_parts & ProgressModel::kTexts) && p_model->AreDetailsShown()) {
        SetText(pToPlace, p_model->GetToPlace());
        SetText(pTargetGroup, p_model->GetTargetGroup());
        SetText(pPlacingGroup, p_model->GetPlacingGroup());
        SetText(pSearchLevel, p_model->GetSearchLevel());
        SetText(pSearches, p_model->GetSearches());
        SetText(pTargetCount, p_model->GetTargetCount());
        SetText(pDepthText, p_model->GetDepthText());
    }
}

void TTBuildProgressDlg::OnSkip(wxCommandEvent&)
{
    if (BuildProgressModel* p_model = BuildModel())
        p_model->OnSkip();
}

// ---- WxProgressPort ----

namespace {

class WxProgressWindow : public IProgressWindow {
public:
    explicit WxProgressWindow(TTBuildProgressDlg* p_dlg) : pDlg(p_dlg) {}
    ~WxProgressWindow() override
    {
        // The window may already be gone with the application. It leaves the
        // screen at once, and is deleted once its pending events are handled.
        if (TTBuildProgressDlg* p_dlg = pDlg.get()) {
            p_dlg->Detach();
            p_dlg->Hide();
            p_dlg->Destroy();
        }
    }
    void Refresh(UINT u_parts) override
    {
        if (pDlg)
            pDlg->Render(u_parts);
    }
    void Disable() override
    {
        if (pDlg)
            pDlg->Disable();
    }

private:
    wxWeakRef<TTBuildProgressDlg> pDlg;
};

} // namespace

std::unique_ptr<IProgressWindow> WxProgressPort::Show(BuildProgressModel& model)
{
    if (wxTheApp == nullptr)
        return nullptr;
    auto* p_dlg = new TTBuildProgressDlg(model);
    if (!p_dlg->Open(nullptr)) {
        delete p_dlg;
        return nullptr;
    }
    return std::make_unique<WxProgressWindow>(p_dlg);
}

void WxProgressPort::Pump()
{
    if (wxTheApp != nullptr)
        wxTheApp->Yield(true);
}

void WxProgressPort::Yield()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
