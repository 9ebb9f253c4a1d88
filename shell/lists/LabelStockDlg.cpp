#include "shell/lists/LabelStockDlg.h"

#include "framework/ui/WxText.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

// The 32-bit item data of a tree item.
class LabelItemData : public wxTreeItemData {
public:
    explicit LabelItemData(DWORD u_data) : uData(u_data) {}
    DWORD uData;
};

} // namespace

LabelStockDlg::LabelStockDlg(wxWindow* p_parent, const ZelLabelStockFile& standard, const ZelLabelStockFile& custom)
    : wxDialog(p_parent, IDD, "Select label stock", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      Choice(standard, custom)
{
    auto* p_sizer = new wxBoxSizer(wxVERTICAL);
    p_sizer->Add(new wxStaticText(this, wxID_ANY, "Select the label stock:"), 0, wxALL, 8);
    pTree = new wxTreeCtrl(this, IDC_TREE, wxDefaultPosition, FromDIP(wxSize(420, 320)),
                           wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN);
    p_sizer->Add(pTree, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
    auto* p_buttons = new wxStdDialogButtonSizer;
    pOk = new wxButton(this, wxID_OK);
    p_buttons->AddButton(pOk);
    p_buttons->AddButton(new wxButton(this, wxID_CANCEL));
    p_buttons->Realize();
    p_sizer->Add(p_buttons, 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(p_sizer);
    SetEscapeId(wxID_CANCEL);
    pTree->Bind(wxEVT_TREE_SEL_CHANGED, [this](wxTreeEvent&) { UpdateChoice(); });
    pTree->Bind(wxEVT_TREE_ITEM_ACTIVATED, &LabelStockDlg::OnActivated, this);
    pOk->Bind(wxEVT_BUTTON, &LabelStockDlg::OnOk, this);
}

int LabelStockDlg::ShowModal()
{
    InitTree();
    CentreOnParent();
    return wxDialog::ShowModal();
}

void LabelStockDlg::InitTree()
{
    FillTree();
    UpdateChoice();
}

DWORD LabelStockDlg::ItemData(const wxTreeItemId& item) const
{
    const auto* p_data = item.IsOk() ? dynamic_cast<LabelItemData*>(pTree->GetItemData(item)) : nullptr;
    return p_data != nullptr ? p_data->uData : 0;
}

void LabelStockDlg::FillTree()
{
    pTree->DeleteAllItems();
    const wxTreeItemId root = pTree->AddRoot(wxString());
    const std::vector<LabelTreeNode> v_tree = Choice.BuildTree();
    wxTreeItemId sel_group, sel_stock;
    for (std::size_t t = 0; t < v_tree.size(); ++t) {
        const LabelTreeNode& group = v_tree[t];
        const wxTreeItemId group_item = pTree->AppendItem(root, ToWx(group.sText), -1, -1, new LabelItemData(group.uData));
        if (static_cast<int>(t) == Choice.GetSelectedTop())
            sel_group = group_item;
        for (std::size_t s = 0; s < group.vChildren.size(); ++s) {
            const LabelTreeNode& stock = group.vChildren[s];
            const wxTreeItemId stock_item =
                pTree->AppendItem(group_item, ToWx(stock.sText), -1, -1, new LabelItemData(stock.uData));
            if (sel_group.IsOk() && sel_group == group_item && static_cast<int>(s) == Choice.GetSelectedStock())
                sel_stock = stock_item;
            for (const LabelTreeNode& line : stock.vChildren)
                pTree->AppendItem(stock_item, ToWx(line.sText), -1, -1, new LabelItemData(line.uData));
        }
    }
    for (const wxTreeItemId& item : {sel_group, sel_stock}) {
        if (!item.IsOk())
            continue;
        pTree->EnsureVisible(item);
        pTree->SelectItem(item);
        pTree->Expand(item);
    }
}

void LabelStockDlg::UpdateChoice()
{
    const wxTreeItemId item = pTree->GetSelection();
    pOk->Enable(Choice.OnSelect(item.IsOk() ? TRUE : FALSE, ItemData(item)) != FALSE);
}

void LabelStockDlg::OnOk(wxCommandEvent&)
{
    const wxTreeItemId item = pTree->GetSelection();
    Choice.OnOK(item.IsOk() ? TRUE : FALSE, ItemData(item));
    EndDialog(wxID_OK);
}

void LabelStockDlg::OnActivated(wxTreeEvent& event)
{
    UpdateChoice();
    if (pOk->IsEnabled()) {
        wxCommandEvent press(wxEVT_BUTTON, wxID_OK);
        OnOk(press);
        return;
    }
    // A group only opens or closes.
    event.Skip();
}
