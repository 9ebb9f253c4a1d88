#include "shell/lists/SelectColumnsDlg.h"

#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

constexpr int iGapDlu = 4;

ZelListCtrl* NewColumnList(wxWindow* p_parent, UINT u_id)
{
    auto* p_list = new ZelListCtrl(p_parent, WxId(u_id), wxDefaultPosition, p_parent->ConvertDialogToPixels(wxSize(90, 110)),
                                   LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER);
    p_list->SetExtendedListStyle(LVS_EX_FULLROWSELECT);
    return p_list;
}

} // namespace

MoveListsRow MakeMoveListsRow(wxWindow& dlg, const char* s_available, const char* s_selected,
                              const std::function<ZelListCtrl*(bool b_selected)>& f_list, const UINT (&a_moveIds)[4],
                              wxButton* (&ap_moves)[4], const std::function<void(wxCommandEvent&)>& f_move)
{
    const int i_gap = dlg.ConvertDialogToPixels(wxSize(iGapDlu, 0)).x;
    MoveListsRow row{new wxBoxSizer(wxHORIZONTAL), nullptr, nullptr};
    auto* p_left = new wxBoxSizer(wxVERTICAL);
    p_left->Add(new wxStaticText(&dlg, wxID_ANY, s_available));
    row.pAvailable = f_list(false);
    p_left->Add(row.pAvailable, 1, wxEXPAND);
    row.pSizer->Add(p_left, 1, wxEXPAND);

    auto* p_buttons = new wxBoxSizer(wxVERTICAL);
    const char* const a_labels[] = {">", ">>", "<", "<<"};
    p_buttons->AddStretchSpacer();
    for (int i = 0; i < 4; ++i) {
        ap_moves[i] = new wxButton(&dlg, WxId(a_moveIds[i]), a_labels[i], wxDefaultPosition,
                                   dlg.ConvertDialogToPixels(wxSize(24, 14)));
        p_buttons->Add(ap_moves[i], 0, wxTOP, i_gap);
        ap_moves[i]->Bind(wxEVT_BUTTON, f_move);
    }
    p_buttons->AddStretchSpacer();
    row.pSizer->Add(p_buttons, 0, wxEXPAND | wxLEFT | wxRIGHT, i_gap);

    auto* p_right = new wxBoxSizer(wxVERTICAL);
    p_right->Add(new wxStaticText(&dlg, wxID_ANY, s_selected));
    row.pSelected = f_list(true);
    p_right->Add(row.pSelected, 1, wxEXPAND);
    row.pSizer->Add(p_right, 1, wxEXPAND);
    return row;
}

wxButton* FinishMoveListsDialog(wxDialog& dlg, wxBoxSizer* p_top)
{
    const int i_gap = dlg.ConvertDialogToPixels(wxSize(iGapDlu, 0)).x;
    auto* p_row = new wxBoxSizer(wxHORIZONTAL);
    p_row->AddStretchSpacer();
    auto* p_ok = new wxButton(&dlg, wxID_OK, "OK");
    p_ok->SetDefault();
    p_row->Add(p_ok);
    p_row->Add(new wxButton(&dlg, wxID_CANCEL, "Cancel"), 0, wxLEFT, i_gap);
    p_top->Add(p_row, 0, wxEXPAND | wxTOP, 2 * i_gap);

    auto* p_outer = new wxBoxSizer(wxVERTICAL);
    p_outer->Add(p_top, 1, wxEXPAND | wxALL, dlg.ConvertDialogToPixels(wxSize(7, 0)).x);
    dlg.SetSizerAndFit(p_outer);
    dlg.CentreOnParent();
    return p_ok;
}

SelectColumnsDlg::SelectColumnsDlg(wxWindow* p_parent, SelectColumnsData& data)
    : wxDialog(p_parent, WxId(SelectColumnsModel::IDD_SELECT_COLUMNS), "Select columns"), Data(data), Working(data)
{
    using M = SelectColumnsModel;
    const int i_gap = ConvertDialogToPixels(wxSize(iGapDlu, 0)).x;
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    p_top->Add(new wxStaticText(this, wxID_ANY, "Select the columns you want to print."), 0, wxBOTTOM, i_gap);

    const MoveListsRow lists = MakeMoveListsRow(
        *this, "&Available columns:", "&Selected columns:",
        [this](bool b_selected) { return NewColumnList(this, b_selected ? M::IDC_SELECTED : M::IDC_AVAILABLE); },
        {M::IDC_MOVE_RIGHT, M::IDC_MOVE_ALL_RIGHT, M::IDC_MOVE_LEFT, M::IDC_MOVE_ALL_LEFT}, aMoves,
        [this](wxCommandEvent& event) { OnMove(event); });
    pAvailable = lists.pAvailable;
    pSelected = lists.pSelected;
    p_top->Add(lists.pSizer, 1, wxEXPAND);

    pModel = std::make_unique<SelectColumnsModel>(Working, *pAvailable, *pSelected);

    auto* p_options = new wxBoxSizer(wxHORIZONTAL);
    auto* p_orientation = new wxStaticBoxSizer(wxVERTICAL, this, "Page &orientation");
    pPortrait = new wxRadioButton(p_orientation->GetStaticBox(), WxId(M::IDC_PORTRAIT), "Portrait", wxDefaultPosition,
                                  wxDefaultSize, wxRB_GROUP);
    pLandscape = new wxRadioButton(p_orientation->GetStaticBox(), WxId(M::IDC_LANDSCAPE), "Landscape");
    p_orientation->Add(pPortrait);
    p_orientation->Add(pLandscape);
    p_options->Add(p_orientation, 1, wxEXPAND);
    auto* p_rows = new wxStaticBoxSizer(wxVERTICAL, this, ToWx(pModel->PrintGroupText("&Print selection")));
    p_rows->GetStaticBox()->SetId(WxId(M::IDC_PRINT_GROUP));
    pAll = new wxRadioButton(p_rows->GetStaticBox(), WxId(M::IDC_ROWS_ALL), "All", wxDefaultPosition, wxDefaultSize,
                             wxRB_GROUP);
    pSelectedRows = new wxRadioButton(p_rows->GetStaticBox(), WxId(M::IDC_ROWS_SELECTED), "Selected");
    p_rows->Add(pAll);
    p_rows->Add(pSelectedRows);
    p_options->Add(p_rows, 1, wxEXPAND | wxLEFT, i_gap);
    p_top->Add(p_options, 0, wxEXPAND | wxTOP, i_gap);

    pOK = FinishMoveListsDialog(*this, p_top);

    pModel->Init();
    (pModel->iOrientation == 1 ? pLandscape : pPortrait)->SetValue(true);
    (pModel->iPrintAll ? pAll : pSelectedRows)->SetValue(true);
    pAll->Enable(pModel->RowRadiosEnabled());
    pSelectedRows->Enable(pModel->RowRadiosEnabled());
    for (UINT u_id : {M::IDC_AVAILABLE, M::IDC_SELECTED})
        Bind(wxEVT_ZEL_NOTIFY, &SelectColumnsDlg::OnListNotify, this, WxId(u_id));
    UpdateButtons();
}

void SelectColumnsDlg::UpdateButtons()
{
    const SelectColumnsModel::Buttons b = pModel->GetButtons();
    aMoves[0]->Enable(b.bRight);
    aMoves[1]->Enable(b.bAllRight);
    aMoves[2]->Enable(b.bLeft);
    aMoves[3]->Enable(b.bAllLeft);
    pOK->Enable(b.bOK);
}

void SelectColumnsDlg::OnMove(wxCommandEvent& event)
{
    using M = SelectColumnsModel;
    const int i_id = event.GetId();
    if (i_id == WxId(M::IDC_MOVE_RIGHT))
        pModel->MoveRight();
    else if (i_id == WxId(M::IDC_MOVE_ALL_RIGHT))
        pModel->MoveAllRight();
    else if (i_id == WxId(M::IDC_MOVE_LEFT))
        pModel->MoveLeft();
    else if (i_id == WxId(M::IDC_MOVE_ALL_LEFT))
        pModel->MoveAllLeft();
    UpdateButtons();
}

void SelectColumnsDlg::OnListNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == LVN_ITEMCHANGED || event.GetCode() == NM_CLICK)
        UpdateButtons();
}

bool SelectColumnsDlg::TransferDataFromWindow()
{
    if (pSelected->GetItemCount() == 0)
        return false;
    pModel->iOrientation = pLandscape->GetValue() ? 1 : 0;
    pModel->iPrintAll = pAll->GetValue() ? 1 : 0;
    pModel->Accept();
    Data = Working;
    return true;
}

int WxSelectColumnsPort::DoModal(SelectColumnsData& data)
{
    wxWindow* p_parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    SelectColumnsDlg dlg(p_parent, data);
    return dlg.ShowModal() == wxID_OK ? IDOK : IDCANCEL;
}
