// The two Availability pages: the group's, in the group sheet, and the
// participant's, in the participant sheet.
#pragma once

#include "sheets/AvailPPage.h"
#include "sheets/GroupEditingPPage.h"
#include "sheets/ParticipantPSheet.h"

class GroupAvailPPage : public AvailPPage<GroupEditingPPage> {
public:
    GroupAvailPPage(wxWindow* p_book, EventDoc* p_doc);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
};

class ParticipantAvailPPage : public AvailPPage<ParticipantEditingPPage> {
public:
    ParticipantAvailPPage(wxWindow* p_book, EventDoc* p_doc);

    // *p_changed: whether the participant's times differed.
    BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) override;
    void LoadPage(const Participant& participant) override;
};
