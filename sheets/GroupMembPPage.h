// The group sheet's last tab, Members: the event's participants that are
// not members on the left (texts on demand), the members in their printed
// order on the right with the role each fills, typed in place. The arrow
// buttons move participants across; Move up and Move down (the members
// list's toolbar) reorder the members. The page's copy of the members
// (GroupMembersRules) follows the members list whenever the page is left.
#pragma once

#include "sheets/GroupEditingPPage.h"
#include "sheets/GroupMembersRules.h"

class wxBitmapButton;
class wxStaticText;
class wxToolBar;
class ZelEditListCtrl;
class ZelListCtrl;
class ZelNotifyEvent;

class GroupMembPPage : public GroupEditingPPage {
public:
    GroupMembPPage(wxWindow* p_book, EventDoc* p_doc);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
    void ReloadPage() override;
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool IsEditingInPlace() const override;

    GroupMembersRules& GetRules() { return Rules; }
    ZelListCtrl& GetParticipantsList() const { return *pParticipants; }
    ZelEditListCtrl& GetMembersList() const { return *pMembers; }

private:
    void FillLists();
    void UpdateToolBar();
    void OnAdd(wxCommandEvent& event);
    void OnRemove(wxCommandEvent& event);
    void OnMove(wxCommandEvent& event);
    void OnParticipantsNotify(ZelNotifyEvent& event);
    void OnMembersNotify(ZelNotifyEvent& event);
    void OnFirstSort();

    GroupMembersRules Rules;
    wxStaticText* pParticipantsCaption = nullptr;
    wxStaticText* pMembersCaption = nullptr;
    ZelListCtrl* pParticipants = nullptr;
    ZelEditListCtrl* pMembers = nullptr;
    wxBitmapButton* pAdd = nullptr;
    wxBitmapButton* pRemove = nullptr;
    wxToolBar* pToolBar = nullptr;
    wxWindow* pDescription = nullptr;
    bool bFirstSort = false;
    bool bListsFilled = false;
};
