// The group's Allocation page: for each venue, how many timeslots the group
// needs when it is scheduled there. The user selects one or more venues in
// a tree and sets the requirement for all of them at once (AllocState).
// In the group sheet it edits the working group and has two buttons that
// copy the preferences' defaults; over the defaults of new groups (b_group
// FALSE) the buttons are hidden.
#pragma once

#include "framework/Types.h"
#include "sheets/AllocRules.h"
#include "sheets/GroupEditingPPage.h"

#include <vector>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

class ZelNotifyEvent;
class ZelTreeCtrl;

class GroupAllocPPage : public GroupEditingPPage {
public:
    GroupAllocPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_group);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
    // Leaving this page never fails on the group's check.
    DWORD GetCheckFlags() const override { return 0; }
    void ReloadPage() override;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    const AllocState& GetState() const { return State; }
    ZelTreeCtrl* GetTree() const { return pTree; }

private:
    // The selected items' data, in tree order.
    std::vector<LONG> SelectedData() const;
    int CheckedRadio() const;
    // Reads the boxes; FALSE when a box was refused. Leaving the page, a
    // refused box gets the range message and the focus; while typing, the
    // message, but an empty box waits for a number; silently, neither.
    enum : int { e_read_leaving = 0, e_read_typing = 1, e_read_silent = 2 };
    BOOL ReadBoxes(int e_read);
    void ShowSelection();
    void ApplyControls();
    void SetAllocControlsEnabled(bool b_enable);
    void RadioState(int i_radio);
    void MarkChanged();

    void OnTreeNotify(ZelNotifyEvent& event);
    void OnRadio(wxCommandEvent& event);
    void OnValueChanged(wxCommandEvent& event);
    void OnDefaultAll(wxCommandEvent& event);
    void OnDefaultSelection(wxCommandEvent& event);

    BOOL bGroup;
    AllocState State;
    ZelTreeCtrl* pTree = nullptr;
    void* hRoot = nullptr;
    wxRadioButton* apRadios[3] = {nullptr, nullptr, nullptr};
    // Checked when none of the three is (a mixed selection).
    wxRadioButton* pNoneChecked = nullptr;
    wxTextCtrl* pExact = nullptr;
    wxTextCtrl* pMin = nullptr;
    wxTextCtrl* pMax = nullptr;
    wxCheckBox* pConsecutive = nullptr;
    wxButton* pDefaultAll = nullptr;
    wxButton* pDefaultSel = nullptr;
    std::vector<wxWindow*> vLabels;
    std::vector<wxWindow*> vRightSide;
    wxWindow* pLabel = nullptr;
    wxWindow* pDescription = nullptr;
    BOOL bUpdating = FALSE;
    bool bReady = false;
    // The selection the controls show, which they go into.
    std::vector<LONG> vShown;
    // The user changed the controls since they last showed the selection:
    // only then do they go into it, so that looking at a stored allocation
    // does not rewrite it.
    bool bControlsEdited = false;
};
