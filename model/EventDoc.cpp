#include "model/EventDoc.h"

EventDoc::EventDoc() = default;

EventDoc::~EventDoc() = default;

// --- styles, facilities, participant roles, preferences, options ---

LONG EventDoc::AddParticipantRole(const std::string& s_name)
{
    const int i_role = ParticipantRoles.FindByName(s_name);
    if (i_role >= 0)
        return ParticipantRoles.GetAt(i_role).GetKey();
    const ParticipantRole role(s_name);
    if (ParticipantRoles.Add(role) != ParticipantRoleList::added)
        return -1;
    SetModifiedFlag();
    return role.GetKey();
}
