// The small pages of the group sheet: Details (name and contact), Notes,
// and Rostering (the largest number of members rostering may put into the
// group; also the default for new groups in the preferences sheet).
#pragma once

#include "sheets/GroupEditingPPage.h"

#include <array>

class wxButton;
class wxStaticText;

class GroupContactPPage : public GroupEditingPPage {
public:
    GroupContactPPage(wxWindow* p_book, EventDoc* p_doc);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    bool OnInitDialog() override;
    // An empty name (blanks only counts as empty) keeps the page.
    bool OnKillActive() override;

    const GroupContactFields& GetFields() const { return Fields; }

private:
    void OnNameChange(wxCommandEvent& event);

    GroupContactFields Fields;
    // The boxes in the order of the fields.
    std::array<wxTextCtrl*, 10> apEdits{};
    std::array<wxStaticText*, 8> apLabels{};
    wxWindow* pDescription = nullptr;
};

class GroupNotesPPage : public GroupEditingPPage {
public:
    GroupNotesPPage(wxWindow* p_book, EventDoc* p_doc);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    bool OnInitDialog() override;

private:
    std::string sNotes;
    wxTextCtrl* pNotes = nullptr;
    wxWindow* pDescription = nullptr;
};

class GroupRosterPPage : public GroupEditingPPage {
public:
    // b_forGroup: in the group sheet (a Default button); FALSE for the
    // defaults of new groups.
    GroupRosterPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_forGroup);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    bool OnInitDialog() override;

    UINT GetMaxGroupSize() const { return Fields.uMaxGroupSize; }

private:
    void OnDefault(wxCommandEvent& event);

    GroupRosterFields Fields;
    BOOL bForGroup;
    wxStaticText* pLabel = nullptr;
    wxTextCtrl* pSize = nullptr;
    wxButton* pDefault = nullptr;
    wxWindow* pDescription = nullptr;
};
