// "Select columns" (251): the column chooser before a list is printed, on
// the rules of SelectColumnsModel, and the port that shows it over the
// program's top window.
#pragma once

#include "shell/frame/ListPorts.h"
#include "shell/lists/SelectColumns.h"

#include <functional>
#include <memory>
#include <wx/dialog.h>

class wxBoxSizer;
class wxButton;
class wxRadioButton;
class wxStaticBox;
class ZelListCtrl;
class ZelNotifyEvent;

// The row of a dialog that moves items between two lists: the lists side
// by side under their labels, and between them the four move buttons (>,
// >>, <, <<) with the ids given, each calling f_move. f_list makes the
// available (FALSE) or the selected (TRUE) list, in its place in the tab
// order.
struct MoveListsRow {
    wxBoxSizer* pSizer;
    ZelListCtrl* pAvailable;
    ZelListCtrl* pSelected;
};
MoveListsRow MakeMoveListsRow(wxWindow& dlg, const char* s_available, const char* s_selected,
                              const std::function<ZelListCtrl*(bool b_selected)>& f_list, const UINT (&a_moveIds)[4],
                              wxButton* (&ap_moves)[4], const std::function<void(wxCommandEvent&)>& f_move);
// The end of such a dialog: OK (the default) and Cancel at the right below
// p_top, the margin around it, and the dialog sized to it and centred over
// its parent. The OK button.
wxButton* FinishMoveListsDialog(wxDialog& dlg, wxBoxSizer* p_top);

class SelectColumnsDlg : public wxDialog {
public:
    // The data is changed only when the dialog ends with OK.
    SelectColumnsDlg(wxWindow* p_parent, SelectColumnsData& data);

    bool TransferDataFromWindow() override;
    ZelListCtrl& GetAvailable() { return *pAvailable; }
    ZelListCtrl& GetSelected() { return *pSelected; }
    SelectColumnsModel& GetModel() { return *pModel; }
    // The buttons and OK as the model says.
    void UpdateButtons();

private:
    void OnMove(wxCommandEvent& event);
    void OnListNotify(ZelNotifyEvent& event);

    SelectColumnsData& Data;
    SelectColumnsData Working;
    ZelListCtrl* pAvailable;
    ZelListCtrl* pSelected;
    std::unique_ptr<SelectColumnsModel> pModel;
    wxButton* aMoves[4];
    wxButton* pOK;
    wxRadioButton* pPortrait;
    wxRadioButton* pLandscape;
    wxRadioButton* pAll;
    wxRadioButton* pSelectedRows;
};

class WxSelectColumnsPort : public ISelectColumnsPort {
public:
    int DoModal(SelectColumnsData& data) override;
};
