// A group and a participant that carry every stored field a generated
// event leaves empty, for tests that must hold for every field: contact,
// address, phones longer than a sheet lets a user type (as imports and
// older files bring), e-mail, notes, styles and facilities stored out of
// name order, rotation, size, a member with a role, a usual role.
#pragma once

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Participant.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace testevent {

// A list's keys in reverse name order, the order no sheet would store.
template <class List>
std::vector<LONG> KeysInReverseNameOrder(const List& list)
{
    std::vector<std::pair<std::string, LONG>> v_named;
    for (int i = 0; i < list.GetCount(); ++i)
        v_named.emplace_back(list.GetAt(i).GetName(), list.GetAt(i).GetKey());
    std::sort(v_named.rbegin(), v_named.rend());
    std::vector<LONG> v_keys;
    for (const auto& named : v_named)
        v_keys.push_back(named.second);
    return v_keys;
}

// The first two of v_styles and v_facilities are given to the group.
inline void GiveEveryField(Group& group, const std::vector<LONG>& v_styles, const std::vector<LONG>& v_facilities)
{
    group.GetContact().SetName("Cal Fox");
    group.GetAddress().SetAddr("1 High Street", "Upper Town", "Shire", "AB1 2CD");
    group.SetPhone("555 0100 extension 2345, ask for the office");
    group.SetPhone2("555 0101");
    group.SetFax("555 0102");
    group.SetEmail("choir@example.org");
    group.SetNotes("Bring the music stands.\r\nAsk for the key.");
    group.GetStyles().RemoveAll();
    group.GetStyles().Add(v_styles[0]);
    group.GetStyles().Add(v_styles[1]);
    group.GetFacilities().RemoveAll();
    group.GetFacilities().Add(v_facilities[0]);
    group.GetFacilities().Add(v_facilities[1]);
    group.SetRotation(Group::e_day_rotation);
    group.SetMaxGroupSize(12);
    if (group.GetMembers().GetSize() > 0) {
        const AGroupMember first = group.GetMembers()[0];
        group.GetMembers().SetMember(first.lParticipantKey, "Leader", TRUE);
    }
}

inline void GiveEveryField(Participant& part, LONG l_role)
{
    part.SetName("Ann", "Maria", "Lee");
    part.GetAddress().SetAddr("2 Low Road", "Lower Town", "Shire", "AB3 4EF");
    part.SetPhone("555 0200 extension 6789, ask for the office");
    part.SetPhone2("555 0201");
    part.SetFax("555 0202");
    part.SetEmail("ann@example.org");
    part.SetNotes("Vegetarian.");
    part.SetUsualRoleKey(l_role);
}

} // namespace testevent
