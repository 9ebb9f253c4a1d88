// The participant's Rostering page: either the participant follows a role
// (the role's roster styles and limit apply), or it has roster styles of its
// own, chosen among the styles the groups carry and arranged in ranks of
// preference, with a roster limit. From the page the user can also copy the
// page's styles and limit into the participant's usual role.
//
// In the preferences sheet (b_prefs) only the roster limit is shown.
#pragma once

#include "framework/Types.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/RosterPageRules.h"

#include <initializer_list>
#include <vector>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class ZelCheckListCtrl;
class ZelNotifyEvent;

class ParticipantRosterPPage : public ParticipantEditingPPage {
public:
    ParticipantRosterPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_prefs);

    BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) override;
    void LoadPage(const Participant& participant) override;
    void RestorePage(Participant& working, const Participant& stored) override
    {
        RosterPageState::RestoreStored(working, stored);
    }
    DWORD GetCheckFlags() const override { return kParticipantRosterCheckFlags; }
    BOOL CheckPage(std::string& s_message) const override { return State.CheckLimit(s_message); }
    void ReloadPage() override;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    const RosterPageState& GetState() const { return State; }
    ZelCheckListCtrl* GetList() const { return pList; }

private:
    // Moves the column of boxes right of the widest of the texts before it.
    void KeepClearOfTexts(std::initializer_list<wxWindow*> a_texts, std::initializer_list<wxWindow*> a_column);
    // The style list refilled in the sort order, keeping the selection.
    void FillStyleList();
    // The rank and check texts of every row.
    void RefreshRows();
    void UpdateToolBar();
    void RefreshRoleControls();
    void FillRoleCombo();
    void ApplyEnables();
    void ShowLimit();
    // Reads the boxes into the limit; with b_loud the range message and
    // the focus for a refused box (FALSE). Boxes that still show the limit
    // leave it as it is, unless the user has just chosen its type.
    BOOL WriteLimit(BOOL b_loud, bool b_typeChosen = false);
    int CheckedLimitType() const;
    LONG ChosenRole() const;
    std::vector<int> SelectedRows() const;
    void MarkPageChanged();

    void OnListNotify(ZelNotifyEvent& event);
    void OnMove(bool b_up);
    void OnOrder(wxCommandEvent& event);
    void OnRoleMode(wxCommandEvent& event);
    void OnStyleMode(wxCommandEvent& event);
    void OnRoleChosen(wxCommandEvent& event);
    void OnSaveRole(wxCommandEvent& event);
    void OnLimitType(wxCommandEvent& event);
    void OnLimitValue(wxCommandEvent& event);
    void OnDefault(wxCommandEvent& event);

    RosterPageState State;
    BOOL bPrefs;
    bool bReady = false;
    BOOL bUpdating = FALSE;
    // The list's sort: column 2 alone, or rank then name.
    int iSortColumn = 0;
    bool bAscending = true;

    wxRadioButton* pByRole = nullptr;
    wxRadioButton* pByStyle = nullptr;
    wxChoice* pRoles = nullptr;
    std::vector<LONG> vRoleKeys;
    wxStaticText* pStylesLabel = nullptr;
    ZelCheckListCtrl* pList = nullptr;
    wxToolBar* pToolBar = nullptr;
    wxStaticBox* pLimitBox = nullptr;
    wxRadioButton* apLimit[3] = {nullptr, nullptr, nullptr};
    wxTextCtrl* pExact = nullptr;
    wxTextCtrl* pMin = nullptr;
    wxTextCtrl* pMax = nullptr;
    std::vector<wxWindow*> vLimitLabels;
    wxButton* pDefault = nullptr;
    wxButton* pSaveRole = nullptr;
    wxStaticText* pSaveRoleText = nullptr;
    wxStaticText* pSaveRoleHelp = nullptr;
    wxWindow* pDescription = nullptr;
};
