// "Select label stock" (192): the groups and stocks of the standard and the
// custom label file in a tree, each stock with its description lines under
// it; the last choice is selected when it opens. OK is enabled on a stock
// (or one of its lines) only; a double click on a stock presses it, one on
// a group only opens the group.
#pragma once

#include "shell/lists/LabelLayout.h"

#include <wx/dialog.h>
#include <wx/treectrl.h>

class wxButton;

class LabelStockDlg : public wxDialog {
public:
    enum { IDD = 192, IDC_TREE = 1106 };

    LabelStockDlg(wxWindow* p_parent, const ZelLabelStockFile& standard, const ZelLabelStockFile& custom);

    // In and out: the file, group and stock; out: the stock chosen.
    LabelStockChoice Choice;

    int ShowModal() override;
    // Fills the tree and selects the last choice (ShowModal does it first).
    void InitTree();
    wxTreeCtrl* GetTree() { return pTree; }
    wxButton* GetOkButton() { return pOk; }

private:
    void FillTree();
    void UpdateChoice();
    DWORD ItemData(const wxTreeItemId& item) const;
    void OnOk(wxCommandEvent& event);
    void OnActivated(wxTreeEvent& event);

    wxTreeCtrl* pTree = nullptr;
    wxButton* pOk = nullptr;
};
