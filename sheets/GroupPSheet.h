// The group sheet: defines a new group or changes one, over a working copy
// that the caller fills before DoModal and reads after it. Its pages read
// the copy when they become active and write into it when they are left;
// OK (and Next, Previous and Apply, which press OK first) saves and checks
// every page and then the whole group, and keeps the sheet open while a
// check fails.
//
// DoModal returns wxID_OK, IDC_SHEET_PREVIOUS, IDC_SHEET_NEXT or
// wxID_CANCEL; SetItemPosition (before DoModal) makes it one step of a walk
// through several groups. Apply hands the group to the caller's store
// (SetApplyStore) and keeps the sheet open on the group as stored. The page active at the end is
// GetActivePageIndex. A group sheet opens where and as large as the last
// one was left during the run.
#pragma once

#include "model/Group.h"
#include "model/ListRoom.h"
#include "sheets/GroupEditingPPage.h"
#include "shell/editing/EditingPSheet.h"

#include <functional>
#include <optional>
#include <vector>

class EventDoc;
class GroupAllocPPage;
class GroupAvailPPage;
class GroupContactPPage;
class GroupLimitsPPage;
class GroupMembPPage;
class GroupNotesPPage;
class GroupRosterPPage;
class GroupStyleFacilityPPage;

class GroupPSheet : public EditingPSheet, public IGroupPageHost {
public:
    // n_styleKeys, n_facilityKeys: the first size of the style and facility
    // key lists of the Styles && Facilities page (5 and 5 for groups).
    GroupPSheet(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys, wxWindow* p_parent, UINT u_firstPage,
                const wxString& s_caption);
    ~GroupPSheet() override;

    Group& GetWorkingGroup() override { return Working; }
    BOOL ChecksEventDays() const override { return TRUE; }
    const Group* GetStoredGroup() const override { return Stored ? &*Stored : nullptr; }
    const Group& GetWorkingGroup() const { return Working; }

    int DoModal();

    GroupContactPPage* GetContactPage() const { return pContact; }
    GroupStyleFacilityPPage* GetStyleFacilityPage() const { return pStyles; }
    GroupLimitsPPage* GetLimitsPage() const { return pLimits; }
    GroupAvailPPage* GetAvailPage() const { return pAvail; }
    GroupAllocPPage* GetAllocPage() const { return pAlloc; }
    GroupRosterPPage* GetRosterPage() const { return pRoster; }
    GroupNotesPPage* GetNotesPage() const { return pNotes; }
    GroupMembPPage* GetMembersPage() const { return pMembers; }

    // The run's last group sheet placement is forgotten (a fresh start).
    static void ForgetPosition();
    // Asked once the pages saved and checked the group, before the sheet
    // ends with OK, Apply, Next or Previous: FALSE keeps it open on the
    // Details page with the name selected.
    void SetAcceptCheck(std::function<BOOL(const Group&)> f_accept) { fAccept = std::move(f_accept); }

protected:
    bool OnInitDialog() override;
    bool ApplyPages() override;
    void ShowApplied() override;

private:
    // The pages in the order they load and save.
    std::vector<GroupEditingPPage*> PagesInLoadOrder() const;
    void OnMoveOrSize();

    // A copy of the group the caller gives; built taking no key.
    Group Working = UnkeyedItem<Group>();
    // The group as the event holds it, for the pages' discards.
    // (Held apart from construction: a blank one would take a key.)
    std::optional<Group> Stored;
    EventDoc* pDoc;
    GroupContactPPage* pContact = nullptr;
    GroupStyleFacilityPPage* pStyles = nullptr;
    GroupLimitsPPage* pLimits = nullptr;
    GroupAvailPPage* pAvail = nullptr;
    GroupAllocPPage* pAlloc = nullptr;
    GroupRosterPPage* pRoster = nullptr;
    GroupNotesPPage* pNotes = nullptr;
    GroupMembPPage* pMembers = nullptr;
    bool bInitialised = false;
    std::function<BOOL(const Group&)> fAccept;
};
