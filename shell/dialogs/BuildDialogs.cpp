#include "shell/dialogs/BuildDialogs.h"

#include "framework/MessageBox.h"
#include "framework/ui/DialogOwner.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/dialogs/ui/ZelReportPrintout.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// Spaces of the fixed layouts, in dialog units.
constexpr int iMarginDlu = 7;
constexpr int iGapDlu = 4;

// A text that wraps within the width given in dialog units.
wxStaticText* NewWrappedText(wxWindow* p_parent, const char* p_text, int i_width_dlu, wxWindowID i_id = wxID_ANY)
{
    auto* p_text_ctrl = new wxStaticText(p_parent, i_id, ToWx(p_text));
    p_text_ctrl->Wrap(p_parent->ConvertDialogToPixels(wxSize(i_width_dlu, 0)).x);
    return p_text_ctrl;
}

// The OK (and Cancel) row of a fixed dialog.
wxSizer* NewButtonRow(wxDialog* p_dialog, bool b_cancel)
{
    auto* p_row = new wxBoxSizer(wxHORIZONTAL);
    p_row->AddStretchSpacer();
    auto* p_ok = new wxButton(p_dialog, wxID_OK, "OK");
    p_ok->SetDefault();
    p_row->Add(p_ok);
    if (b_cancel)
        p_row->Add(new wxButton(p_dialog, wxID_CANCEL, "Cancel"), 0, wxLEFT, p_dialog->ConvertDialogToPixels(wxSize(iGapDlu, 0)).x);
    p_row->AddStretchSpacer();
    return p_row;
}

void FinishFixedLayout(wxDialog* p_dialog, wxSizer* p_top)
{
    auto* p_outer = new wxBoxSizer(wxVERTICAL);
    p_outer->Add(p_top, 1, wxEXPAND | wxALL, p_dialog->ConvertDialogToPixels(wxSize(iMarginDlu, 0)).x);
    p_dialog->SetSizerAndFit(p_outer);
    p_dialog->CentreOnParent();
}

wxWindow* TopWindow()
{
    return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
}

} // namespace

// ---- 244 "Build options" ----

BuildOptionsDlg::BuildOptionsDlg(wxWindow* p_parent, BuildOptionsModel& model)
    : wxDialog(p_parent, WxId(IDD_BUILD_OPTIONS), "Build options"), Model(model)
{
    const int i_gap = ConvertDialogToPixels(wxSize(0, iGapDlu)).y;
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    p_top->Add(NewWrappedText(this,
                              "Check the box below to ensure that Rotavex fills as many timeslots as possible after "
                              "meeting your other specifications.",
                              220));
    pFill = new wxCheckBox(this, WxId(IDC_BUILD_FILL), "&Fill as many timeslots as possible.");
    p_top->Add(pFill, 0, wxTOP, i_gap);
    p_top->Add(NewWrappedText(this,
                              "You can allow your participants time to travel between venues.  To do this, check the "
                              "box below and enter the number of minutes to allow for travel.",
                              220),
               0, wxTOP, 3 * i_gap);
    pTravel = new wxCheckBox(this, WxId(IDC_BUILD_ALLOW_TRAVEL), "Allow &travel time between venues.");
    p_top->Add(pTravel, 0, wxTOP, i_gap);
    auto* p_minutes_row = new wxBoxSizer(wxHORIZONTAL);
    p_minutes_row->Add(new wxStaticText(this, wxID_ANY, "Allow"), 0, wxALIGN_CENTER_VERTICAL);
    pMinutes = new wxTextCtrl(this, WxId(IDC_BUILD_TRAVEL_MINUTES), wxEmptyString, wxDefaultPosition,
                              ConvertDialogToPixels(wxSize(30, -1)));
    p_minutes_row->Add(pMinutes, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, i_gap);
    p_minutes_row->Add(new wxStaticText(this, wxID_ANY, "minutes."), 0, wxALIGN_CENTER_VERTICAL);
    p_top->Add(p_minutes_row, 0, wxTOP | wxLEFT, i_gap);
    pDontShow = new wxCheckBox(this, WxId(IDC_BUILD_DONT_SHOW), "&Do not show this dialog again");
    p_top->Add(pDontShow, 0, wxTOP, 3 * i_gap);
    p_top->Add(NewButtonRow(this, true), 0, wxEXPAND | wxTOP, 3 * i_gap);
    FinishFixedLayout(this, p_top);

    pFill->SetValue(Model.bFillTimeslots != FALSE);
    pTravel->SetValue(Model.bAllowTravel != FALSE);
    pMinutes->SetValue(std::to_string(Model.uTravelMinutes));
    pDontShow->SetValue(Model.bDontShowAgain != FALSE);
    EnableMinutes();

    Bind(wxEVT_CHECKBOX, &BuildOptionsDlg::OnTravelClicked, this, WxId(IDC_BUILD_ALLOW_TRAVEL));
    Bind(wxEVT_CHECKBOX, &BuildOptionsDlg::OnDontShowClicked, this, WxId(IDC_BUILD_DONT_SHOW));
}

void BuildOptionsDlg::EnableMinutes()
{
    Model.bAllowTravel = pTravel->GetValue() ? TRUE : FALSE;
    pMinutes->Enable(Model.IsMinutesEnabled() != FALSE);
}

void BuildOptionsDlg::OnTravelClicked(wxCommandEvent&)
{
    EnableMinutes();
}

void BuildOptionsDlg::OnDontShowClicked(wxCommandEvent&)
{
    Model.OnDontShowClicked(pDontShow->GetValue() ? TRUE : FALSE);
}

bool BuildOptionsDlg::TransferDataFromWindow()
{
    // Minutes that cannot be edited are not held against the user: they
    // stay as they were.
    if (pTravel->GetValue()) {
        const std::string s_minutes = FromWx(pMinutes->GetValue()).value_or(std::string("?"));
        if (!Model.ValidateMinutes(s_minutes)) {
            pMinutes->SetFocus();
            pMinutes->SelectAll();
            return false;
        }
    }
    Model.bAllowTravel = pTravel->GetValue() ? TRUE : FALSE;
    Model.bFillTimeslots = pFill->GetValue() ? TRUE : FALSE;
    Model.bDontShowAgain = pDontShow->GetValue() ? TRUE : FALSE;
    return true;
}

// ---- the printable reports ----

BuildReportDlg::BuildReportDlg(wxWindow* p_parent, UINT u_id, const wxString& s_title)
    : ZelSizingDialog(p_parent, WxId(u_id), s_title, freedomBoth, true)
{
}

void BuildReportDlg::FillList(ZelListCtrl& list, const ZelReportLayout& layout)
{
    for (int c = 0; c < layout.ColumnTitles.GetSize(); ++c)
        list.InsertColumn(c, layout.ColumnTitles[c], LVCFMT_LEFT);
    for (int r = 0; r < layout.Rows.GetSize(); ++r) {
        const ZelStringArray& row = layout.Rows[r];
        if (list.InsertItem(r, row.GetSize() > 0 ? row[0].c_str() : "", r) != r)
            break;
        for (int c = 1; c < row.GetSize(); ++c)
            list.SetItemText(r, c, row[c]);
    }
    list.UpdateLayout();
    list.AutoSizeColumns(-1, -1);
}

void BuildReportDlg::Print(const ZelReportLayout& layout)
{
    ZelPrintReport(this, layout);
}

// ---- 156 "Minimum scheduling failures" ----

FailedMinimums::FailedMinimums(wxWindow* p_parent, FailedMinimumsModel& model)
    : BuildReportDlg(p_parent, IDD_FAILED_MINIMUMS, "Minimum scheduling failures"), Model(model)
{
    SetClientSize(ConvertDialogToPixels(wxSize(300, 236)));
    auto* p_intro = new wxStaticText(this, wxID_ANY,
                                     "The following groups were not able to be scheduled according to the minimum "
                                     "limits you specified.\nYou may have to increase the number of time slots "
                                     "available or change the limits for some groups.");
    PlaceDlgUnits(*p_intro, 7, 7, 286, 26);
    pList = new ZelListCtrl(this, WxId(IDC_FAILED_MIN_LIST));
    PlaceDlgUnits(*pList, 7, 36, 286, 96);
    auto* p_complete = new wxStaticText(this, wxID_ANY,
                                        "You can request a \"Complete\" search to try to find a solution to your "
                                        "timetable.  If you have already tried a \"Complete\" search, you will need to "
                                        "change your Event specifications (e.g. add more timeslots).");
    PlaceDlgUnits(*p_complete, 7, 138, 286, 26);
    auto* p_question = new wxStaticText(this, wxID_ANY, "What would you like to do?");
    PlaceDlgUnits(*p_question, 7, 168, 286, 9);
    pKeep = new wxRadioButton(this, WxId(IDC_FAILED_MIN_KEEP_SEARCHING), "&Keep searching to place these groups",
                              wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    PlaceDlgUnits(*pKeep, 15, 181, 170, 10);
    pMode = new wxChoice(this, WxId(IDC_FAILED_MIN_MODE));
    pMode->Append("Thorough");
    pMode->Append("Complete");
    PlaceDlgUnits(*pMode, 190, 179, 80, 14);
    pChange = new wxRadioButton(this, WxId(IDC_FAILED_MIN_MAKE_CHANGES), "&Make some changes to the Event specifications");
    PlaceDlgUnits(*pChange, 15, 196, 250, 10);
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    PlaceDlgUnits(*p_ok, 92, 215, 50, 14);
    p_ok->SetDefault();
    auto* p_print = new wxButton(this, WxId(IDC_FAILED_MIN_PRINT), "&Print");
    PlaceDlgUnits(*p_print, 158, 215, 50, 14);
    CentreOnParent();

    Bind(wxEVT_BUTTON, &FailedMinimums::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &FailedMinimums::OnPrint, this, WxId(IDC_FAILED_MIN_PRINT));
}

bool FailedMinimums::OnInitDialog()
{
    BuildReportDlg::OnInitDialog();
    for (wxWindow* p_child : GetChildren()) {
        if (p_child == pList) {
            AddSzControl(*pList, modeStretch, modeStretch);
        } else if (p_child->GetId() == wxID_OK || p_child->GetId() == WxId(IDC_FAILED_MIN_PRINT)) {
            AddSzControl(*p_child, modeMoveHalf, modeMove);
        } else if (p_child->GetPosition().y > pList->GetPosition().y) {
            // Everything under the list goes down with its bottom edge; the
            // texts widen with the window.
            AddSzControl(*p_child, dynamic_cast<wxStaticText*>(p_child) != nullptr ? modeStretch : modeFixed, modeMove);
        } else {
            AddSzXControl(*p_child, modeStretch);
        }
    }

    Model.Init();
    FillList(*pList, Model.MakeReport());
    pMode->SetSelection(Model.iEntry);
    pKeep->Enable(Model.bKeepSearchingEnabled != FALSE);
    pKeep->SetValue(Model.iChoice == IDC_FAILED_MIN_KEEP_SEARCHING);
    pChange->SetValue(Model.iChoice != IDC_FAILED_MIN_KEEP_SEARCHING);
    return true;
}

void FailedMinimums::OnOk(wxCommandEvent&)
{
    Model.iChoice = pKeep->GetValue() ? IDC_FAILED_MIN_KEEP_SEARCHING : IDC_FAILED_MIN_MAKE_CHANGES;
    Model.iEntry = pMode->GetSelection() == FailedMinimumsModel::e_complete_entry ? FailedMinimumsModel::e_complete_entry
                                                                                  : FailedMinimumsModel::e_thorough_entry;
    if (IsModal())
        EndModal(Model.iChoice);
    else
        Hide();
}

void FailedMinimums::OnPrint(wxCommandEvent&)
{
    Print(Model.MakeReport());
}

// ---- 239 "Rotation failures" ----

FailedRotation::FailedRotation(wxWindow* p_parent, FailedRotationModel& model)
    : BuildReportDlg(p_parent, IDD_FAILED_ROTATION, "Rotation failures"), Model(model)
{
    SetClientSize(ConvertDialogToPixels(wxSize(300, 200)));
    auto* p_intro = new wxStaticText(this, wxID_ANY,
                                     "The following groups were not able to be rotated according to your "
                                     "specifications.");
    PlaceDlgUnits(*p_intro, 7, 7, 286, 9);
    pList = new ZelListCtrl(this, WxId(IDC_FAILED_ROT_LIST));
    PlaceDlgUnits(*pList, 7, 19, 286, 110);
    auto* p_no_solution = new wxStaticText(this, wxID_ANY,
                                           "Rotavex cannot find a solution for your timetabling problem.  It is likely "
                                           "that no solution exists that meets your specifications.  You must change one "
                                           "or more of your specifications.");
    PlaceDlgUnits(*p_no_solution, 7, 135, 286, 26);
    auto* p_example = new wxStaticText(this, wxID_ANY,
                                       "For example, you can improve the chances of finding a solution by creating more "
                                       "timeslots.");
    PlaceDlgUnits(*p_example, 7, 163, 286, 17);
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    PlaceDlgUnits(*p_ok, 92, 181, 50, 14);
    p_ok->SetDefault();
    auto* p_print = new wxButton(this, WxId(IDC_FAILED_ROT_PRINT), "&Print");
    PlaceDlgUnits(*p_print, 158, 181, 50, 14);
    CentreOnParent();

    Bind(wxEVT_BUTTON, &FailedRotation::OnPrint, this, WxId(IDC_FAILED_ROT_PRINT));
}

bool FailedRotation::OnInitDialog()
{
    BuildReportDlg::OnInitDialog();
    for (wxWindow* p_child : GetChildren()) {
        if (p_child == pList)
            AddSzControl(*pList, modeStretch, modeStretch);
        else if (p_child->GetId() == wxID_OK || p_child->GetId() == WxId(IDC_FAILED_ROT_PRINT))
            AddSzControl(*p_child, modeMoveHalf, modeMove);
        else if (p_child->GetPosition().y > pList->GetPosition().y)
            AddSzControl(*p_child, modeStretch, modeMove);
        else
            AddSzXControl(*p_child, modeStretch);
    }
    FillList(*pList, Model.MakeReport());
    return true;
}

void FailedRotation::OnPrint(wxCommandEvent&)
{
    Print(Model.MakeReport());
}

// ---- 202 "Not Scheduled" ----

NotScheduledDlg::NotScheduledDlg(wxWindow* p_parent, NotScheduledModel& model)
    : ZelSizingDialog(p_parent, WxId(IDD_NOT_SCHEDULED), "Not Scheduled", freedomBoth, true), Model(model)
{
    SetClientSize(ConvertDialogToPixels(wxSize(200, 180)));
    auto* p_warning = new wxStaticText(this, wxID_ANY, "Warning: The following groups were not scheduled at all.");
    PlaceDlgUnits(*p_warning, 7, 7, 186, 9);
    pList = new ZelListCtrl(this, WxId(IDC_NOT_SCHEDULED_LIST));
    PlaceDlgUnits(*pList, 7, 19, 186, 112);
    pExplain1 = new wxStaticText(this, WxId(IDC_NOT_SCHEDULED_EXPLAIN_1), "This happened because you did not specify a minimum");
    PlaceDlgUnits(*pExplain1, 7, 135, 186, 9);
    pExplain2 = new wxStaticText(this, WxId(IDC_NOT_SCHEDULED_EXPLAIN_2), "scheduling limit for these groups.");
    PlaceDlgUnits(*pExplain2, 7, 145, 186, 9);
    auto* p_ok = new wxButton(this, wxID_OK, "OK");
    PlaceDlgUnits(*p_ok, 75, 160, 50, 14);
    p_ok->SetDefault();
    CentreOnParent();
}

bool NotScheduledDlg::OnInitDialog()
{
    ZelSizingDialog::OnInitDialog();
    AddSzControl(*pList, modeStretch, modeStretch);
    AddSzControl(*pExplain1, modeStretch, modeMove);
    AddSzControl(*pExplain2, modeStretch, modeMove);
    if (wxWindow* p_ok = FindWindow(wxID_OK))
        AddSzControl(*p_ok, modeMoveHalf, modeMove);
    pExplain1->Show(Model.bExplain != FALSE);
    pExplain2->Show(Model.bExplain != FALSE);

    pList->InsertColumn(0, "Group name", LVCFMT_LEFT);
    for (int i = 0; i < Model.Groups.GetSize(); ++i)
        pList->InsertItem(i, Model.Groups[i].c_str(), i);
    pList->UpdateLayout();
    pList->AutoSizeColumns(-1, -1);
    return true;
}

// ---- 271 "Long sorting process" ----

SortTooLongDlg::SortTooLongDlg(wxWindow* p_parent, SortTooLongModel& model)
    : wxDialog(p_parent, WxId(IDD_SORT_TOO_LONG), "Long sorting process"), Model(model)
{
    const int i_gap = ConvertDialogToPixels(wxSize(0, iGapDlu)).y;
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    p_top->Add(new wxStaticText(this, wxID_ANY, "Sort complete!"));
    p_top->Add(NewWrappedText(this,
                              "You have a large number of items in the list and this is making the sort process take a "
                              "long time.  You can disable the sort and save time by right-clicking on a column heading "
                              "and selecting \"Do not sort\".",
                              200),
               0, wxTOP, 2 * i_gap);
    pDontShow = new wxCheckBox(this, WxId(IDC_SORT_TOO_LONG_DONT_SHOW), "Do &not show again");
    p_top->Add(pDontShow, 0, wxTOP, 3 * i_gap);
    p_top->Add(NewButtonRow(this, false), 0, wxEXPAND | wxTOP, 3 * i_gap);
    FinishFixedLayout(this, p_top);
    pDontShow->SetValue(Model.bDontShowAgain != FALSE);
}

bool SortTooLongDlg::TransferDataFromWindow()
{
    Model.bDontShowAgain = pDontShow->GetValue() ? TRUE : FALSE;
    return true;
}

// ---- the ports ----

// The build's dialogs go over the dialog on top: during a build that is the
// progress window, which would otherwise hide them.

int WxBuildDialogsPort::AskBuildOptions(BuildOptionsModel& model)
{
    BuildOptionsModel working(model);
    BuildOptionsDlg dlg(DialogOwner(), working);
    if (dlg.ShowModal() != wxID_OK)
        return IDCANCEL;
    model = working;
    return IDOK;
}

int WxBuildDialogsPort::ShowFailedMinimums(FailedMinimumsModel& model)
{
    FailedMinimums dlg(DialogOwner(), model);
    // Closed without OK, the dialog chose nothing.
    return dlg.ShowModal();
}

void WxBuildDialogsPort::ShowFailedRotation(FailedRotationModel& model)
{
    FailedRotation dlg(DialogOwner(), model);
    dlg.ShowModal();
}

void WxBuildDialogsPort::ShowNotScheduled(NotScheduledModel& model)
{
    NotScheduledDlg dlg(DialogOwner(), model);
    dlg.ShowModal();
}

void WxBuildDialogsPort::ShowSortTooLong(SortTooLongModel& model)
{
    SortTooLongDlg dlg(DialogOwner(), model);
    dlg.ShowModal();
}

BOOL WxBuildWindowPort::DisableMainWindow()
{
    wxWindow* p_main = TopWindow();
    if (p_main == nullptr)
        return FALSE;
    BOOL b_active = FALSE;
    for (wxWindow* p = wxWindow::FindFocus(); p != nullptr; p = p->GetParent()) {
        if (p == p_main) {
            b_active = TRUE;
            break;
        }
    }
    p_main->Disable();
    return b_active;
}

void WxBuildWindowPort::EnableMainWindow(BOOL b_activate)
{
    wxWindow* p_main = TopWindow();
    if (p_main == nullptr)
        return;
    p_main->Enable();
    if (b_activate) {
        p_main->Raise();
        p_main->SetFocus();
    }
}
