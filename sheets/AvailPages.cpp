#include "sheets/AvailPages.h"

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Participant.h"

namespace {

AvailPageConfig GroupConfig()
{
    return {"Indicate when the group is not &available:", IDS_GROUP_AVAIL_SLOTS_DESC, IDS_GROUP_AVAIL_DAYS_DESC};
}

AvailPageConfig ParticipantConfig()
{
    return {"Indicate when the participant is not &available:", IDS_PARTICIPANT_AVAIL_SLOTS_DESC,
            IDS_PARTICIPANT_AVAIL_DAYS_DESC};
}

} // namespace

GroupAvailPPage::GroupAvailPPage(wxWindow* p_book, EventDoc* p_doc)
    : AvailPPage<GroupEditingPPage>(GroupConfig(), p_book, "Availability", p_doc, IDS_GROUP_AVAIL_SLOTS_DESC)
{
}

BOOL GroupAvailPPage::SavePage(Group& group, std::string&)
{
    Panel.State.Save(group.GetUnavailable());
    return TRUE;
}

void GroupAvailPPage::LoadPage(const Group& group) { LoadTimes(group.GetUnavailable()); }

ParticipantAvailPPage::ParticipantAvailPPage(wxWindow* p_book, EventDoc* p_doc)
    : AvailPPage<ParticipantEditingPPage>(ParticipantConfig(), p_book, "Availability", p_doc,
                                          IDS_PARTICIPANT_AVAIL_SLOTS_DESC)
{
}

BOOL ParticipantAvailPPage::SavePage(Participant& participant, std::string&, BOOL* p_changed)
{
    if (p_changed != nullptr)
        *p_changed = Panel.State.DiffersFrom(participant.GetUnavailable());
    Panel.State.Save(participant.GetUnavailable());
    return TRUE;
}

void ParticipantAvailPPage::LoadPage(const Participant& participant) { LoadTimes(participant.GetUnavailable()); }
