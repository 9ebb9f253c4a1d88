// The participant sheet and its pages.
//
// ParticipantPSheet edits a working copy of one participant: the caller
// fills it before ShowModal and copies it out after wxID_OK; Apply hands it
// to the caller's store (SetApplyStore) and the sheet stays on it. Its pages run
// on ParticipantEditingPPage, which finds the participant being edited
// through the sheet (ParticipantPageHost: this sheet's working
// participant, or the default participant of a sheet of preferences),
// reloads the page on each activation, saves and checks it when it is
// left, and reloads it on Undo.
//
// The pages, in order: Details, Limits, Availability, Rostering, Notes.
#pragma once

#include "framework/Types.h"
#include "model/ListRoom.h"
#include "model/Participant.h"
#include "sheets/LimitsPPage.h"
#include "sheets/ParticipantSheetRules.h"
#include "shell/editing/EditingPPage.h"
#include "shell/editing/EditingPSheet.h"

#include <string>
#include <optional>
#include <vector>
#include <wx/combobox.h>
#include <wx/textctrl.h>

class EventDoc;
class ParticipantAvailPPage;
class ParticipantRosterPPage;

// A sheet whose pages edit a participant.
class ParticipantPageHost {
public:
    virtual ~ParticipantPageHost() = default;
    virtual Participant& GetPageParticipant() = 0;
    // The participant's groups are checked with it (not for defaults).
    virtual BOOL IsInteractive() const = 0;
    // The participant as the event holds it: before the sheet opened, or
    // as the sheet's last Apply stored it. A page whose edits the user
    // discards returns to it. Null: to what the page held when it was last
    // left.
    virtual const Participant* GetStoredParticipant() const { return nullptr; }
};

class ParticipantEditingPPage : public EditingPPage, public ParticipantPageData {
public:
    ParticipantEditingPPage(wxWindow* p_book, const wxString& s_caption, EventDoc* p_doc, UINT u_descriptionId);

    EventDoc* GetDocument() const { return pDoc; }
    // The participant being edited: that of p_sheet, or of this page's
    // sheet when null.
    Participant& GetParticipant(EditingPSheet* p_sheet = nullptr);
    // LoadPage from the participant, then the values into the controls.
    void ReloadPage() override;
    // The user edited the page: changed flag and Undo.
    void MarkChanged();

    BOOL IsPageChanged() const override { return IsChanged(); }
    BOOL CheckSettings(BOOL* p_stay) override;
    bool OnSetActive() override;
    void Undo();

protected:
    EventDoc* pDoc;

private:
    void OnUndo(wxCommandEvent& event);
};

class ParticipantDetailsPPage : public ParticipantEditingPPage {
public:
    ParticipantDetailsPPage(wxWindow* p_book, EventDoc* p_doc);

    BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) override;
    void LoadPage(const Participant& participant) override;
    DWORD GetCheckFlags() const override { return kParticipantDetailsCheckFlags; }
    bool OnKillActive() override;
    bool OnInitDialog() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    const ParticipantDetailsFields& GetFields() const { return Fields; }

private:
    void OnNameChanged(wxCommandEvent& event);
    void FillRoles(LONG l_roleKey);

    ParticipantDetailsFields Fields;
    wxComboBox* pRole = nullptr;
    std::vector<wxWindow*> vAnchored;
};

class ParticipantNotesPPage : public ParticipantEditingPPage {
public:
    ParticipantNotesPPage(wxWindow* p_book, EventDoc* p_doc);

    BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) override;
    void LoadPage(const Participant& participant) override;
    DWORD GetCheckFlags() const override { return kParticipantNotesCheckFlags; }
    bool OnInitDialog() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    std::string sNotes;
    wxTextCtrl* pNotes = nullptr;
};

class ParticipantLimitsPPage : public LimitsPPage<ParticipantEditingPPage> {
public:
    // b_forParticipant: in the participant sheet (Default buttons shown);
    // FALSE for the defaults of new participants.
    ParticipantLimitsPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_forParticipant, UINT u_descriptionId);

    BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) override;
    void LoadPage(const Participant& participant) override;

    SchedLim GetDefaultEventLimits() override;
    SchedLim GetDefaultDayLimits() override;
    BOOL GetDefaultUseVenueLimits() override;
    VenueLimitArray GetDefaultVenueLimits() override;

private:
    static LimitsPageConfig Config(BOOL b_forParticipant, UINT u_descriptionId);
};

class ParticipantPSheet : public EditingPSheet, public ParticipantPageHost {
public:
    ParticipantPSheet(EventDoc* p_doc, wxWindow* p_parent, UINT u_selectPage = 0,
                      const wxString& s_caption = "Define participant");

    Participant& GetParticipant() { return Working; }
    Participant& GetPageParticipant() override { return Working; }
    BOOL IsInteractive() const override { return TRUE; }
    const Participant* GetStoredParticipant() const override { return Stored ? &*Stored : nullptr; }

    // Loads every page from the working participant, sets the caption and
    // runs the sheet.
    int ShowModal() override;
    // Loads every page and sets the caption, as ShowModal does before it
    // runs the sheet (for a sheet shown without a modal loop).
    void PreparePages();

    ParticipantDetailsPPage& GetDetailsPage() { return *pDetails; }
    ParticipantLimitsPPage& GetLimitsPage() { return *pLimits; }
    ParticipantAvailPPage& GetAvailPage() { return *pAvail; }
    ParticipantRosterPPage& GetRosterPage() { return *pRoster; }
    ParticipantNotesPPage& GetNotesPage() { return *pNotes; }
    std::vector<ParticipantEditingPPage*> GetParticipantPages() const;

protected:
    bool ApplyPages() override;
    void ShowApplied() override;

private:
    void ShowNameInTitle();

    EventDoc* pDoc;
    // A copy of the participant the caller gives; built taking no key.
    Participant Working = UnkeyedItem<Participant>();
    // The participant as the event holds it, for the pages' discards.
    // (Held apart from construction: a blank one would take a key.)
    std::optional<Participant> Stored;
    ParticipantDetailsPPage* pDetails;
    ParticipantLimitsPPage* pLimits;
    ParticipantAvailPPage* pAvail;
    ParticipantRosterPPage* pRoster;
    ParticipantNotesPPage* pNotes;
};
