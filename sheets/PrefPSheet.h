// The preferences sheet "Define preferences": the General page, then the
// group and participant pages in their preferences mode over a default
// group and participant that carry the defaults of new groups and
// participants while the sheet runs. The document opens it through its
// sheet port on the tab that was active when it last closed in this run.
#pragma once

#include "framework/Types.h"
#include "model/Group.h"
#include "model/ListRoom.h"
#include "model/Participant.h"
#include "model/Preferences.h"
#include "shell/editing/EditingPPage.h"
#include "shell/editing/EditingPSheet.h"
#include "sheets/GroupEditingPPage.h"
#include "sheets/ParticipantPSheet.h"
#include "sheets/PrefSheetRules.h"

#include <optional>

class EventDoc;
class GroupAllocPPage;
class GroupLimitsPPage;
class GroupRosterPPage;
class ParticipantRosterPPage;
class wxCheckBox;
class wxTextCtrl;

enum : int {
    IDC_PREF_TRAVEL = 1072,
    IDC_PREF_TRAVEL_MINUTES = 1196,
    IDC_PREF_NO_BUILD_OPTIONS = 1265,
    IDC_PREF_REENABLE = 1375,
    IDC_PREF_FONT_SIZE = 1376,
};

class PrefGenPPage : public EditingPPage {
public:
    explicit PrefGenPPage(wxWindow* p_book);

    PrefGeneralFields Fields;

    bool OnInitDialog() override;
    bool TransferDataToWindow() override;
    // The range check of the two numbers: the standard message, and the
    // focus stays on the field (the page is not left).
    bool TransferDataFromWindow() override;

private:
    void EnableMinutes();

    wxCheckBox* pTravel = nullptr;
    wxTextCtrl* pMinutes = nullptr;
    wxCheckBox* pNoBuildOptions = nullptr;
    wxCheckBox* pReenable = nullptr;
    wxTextCtrl* pFontSize = nullptr;
};

class PrefPSheet : public EditingPSheet, public IGroupPageHost, public ParticipantPageHost {
public:
    PrefPSheet(EventDoc* p_doc, UINT u_startPage, const wxString& s_caption, wxWindow* p_parent);

    Preferences& GetWorkingPrefs() { return Working; }
    Group& GetWorkingGroup() override { return DefaultGroup; }
    BOOL ChecksEventDays() const override { return FALSE; }
    const Group* GetStoredGroup() const override { return StoredGroup ? &*StoredGroup : nullptr; }
    Participant& GetPageParticipant() override { return DefaultParticipant; }
    BOOL IsInteractive() const override { return FALSE; }
    const Participant* GetStoredParticipant() const override
    {
        return StoredParticipant ? &*StoredParticipant : nullptr;
    }
    PrefGenPPage& GetGeneralPage() { return *pGeneral; }

    // Loads the pages, runs the sheet, fills the working preferences back
    // (whatever the result): wxID_OK or wxID_CANCEL. Apply hands the
    // preferences to the caller's store (SetApplyStore, which reads them
    // with TakeWorkingPrefs) and the sheet stays open on them.
    int DoModal();
    // The working preferences with what the pages hold.
    const Preferences& TakeWorkingPrefs();

    // The tab the next sheet of this run opens on.
    static UINT GetLastPage() { return uLastPage; }
    static void SetLastPage(UINT u_page) { uLastPage = u_page; }

protected:
    // The defaults of new groups and participants are checked page by page
    // before the sheet may end, as the participant sheet checks its pages:
    // a page whose settings are not valid keeps the sheet open on it,
    // whether or not the user chose to discard the changes.
    bool ApplyPages() override;
    // The pages show the preferences as stored, the general page's
    // "re-enable" box cleared again.
    void ShowApplied() override;

private:
    void LoadPages();

    EventDoc* pDoc;
    Preferences Working;
    // No items of the event: they take no keys from it.
    Group DefaultGroup = UnkeyedItem<Group>();
    Participant DefaultParticipant = UnkeyedItem<Participant>();
    // The defaults as the event holds them, for the pages' discards; none
    // until the sheet has loaded them.
    std::optional<Group> StoredGroup;
    std::optional<Participant> StoredParticipant;
    PrefGenPPage* pGeneral = nullptr;
    GroupLimitsPPage* pGroupLimits = nullptr;
    GroupAllocPPage* pGroupAlloc = nullptr;
    GroupRosterPPage* pGroupRoster = nullptr;
    ParticipantLimitsPPage* pPartLimits = nullptr;
    ParticipantRosterPPage* pPartRoster = nullptr;
    static UINT uLastPage;
};

// Installs the sheet as the document's preferences sheet (the port's other
// sheets stay those installed before).
void InstallPreferencesSheet();
