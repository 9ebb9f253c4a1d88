// "Select columns" (251): the column chooser before a list is printed, on
// the rules of SelectColumnsModel, and the port that shows it over the
// program's top window.
#pragma once

#include "shell/ListPorts.h"
#include "shell/SelectColumns.h"

#include <memory>
#include <wx/dialog.h>

class wxButton;
class wxRadioButton;
class wxStaticBox;
class ZelListCtrl;
class ZelNotifyEvent;

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
