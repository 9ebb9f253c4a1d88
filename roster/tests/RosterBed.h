// What the rostering tests share: roster settings for the event builder's
// participants, the memberships of an event as readable lines, and the
// small event most tests start from.
#pragma once

#include "model/EventDoc.h"
#include "roster/RosterEngine.h"
#include "testsupport/EventBuilder.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace rostertest {

// Roster styles as (style name, order) for Participant's callback, with
// the ordered flag and a limit (none by default).
inline std::function<void(Participant&)> Styles(testevent::EventBuilder& event,
                                                std::initializer_list<std::pair<std::string, int>> a_styles,
                                                bool b_ordered, RosterLim limit = RosterLim())
{
    std::vector<RosterStyle> v_styles;
    for (const auto& [s_style, i_order] : a_styles)
        v_styles.emplace_back(event.StyleKey(s_style), i_order);
    return [v_styles, b_ordered, limit](Participant& part) {
        for (const RosterStyle& style : v_styles)
            part.GetOwnRosterStyles().InsertSorted(style);
        part.SetOrdered(b_ordered ? TRUE : FALSE);
        part.SetOwnRosterLim(limit);
    };
}

inline RosterLim Range(UINT u_min, UINT u_max) { return RosterLim(SchedLim::e_range, 0, u_min, u_max); }
inline RosterLim Exact(UINT u_value) { return RosterLim(SchedLim::e_exact, u_value, 0, 0); }

// One line per group with members, in list order: "Group: Ann Lee+, Bob
// Ray" with + after a rostered member.
inline std::vector<std::string> Memberships(const EventDoc& doc)
{
    std::vector<std::string> v_lines;
    const GroupList& groups = doc.GetGroups();
    const ParticipantList& participants = doc.GetParticipants();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        const GroupMembers& members = groups[g].GetMembers();
        if (members.GetSize() == 0)
            continue;
        std::string s_line = groups[g].GetName() + ":";
        for (int m = 0; m < members.GetSize(); ++m) {
            const int i_part = participants.FindByKey(members[m].lParticipantKey);
            s_line += m == 0 ? " " : ", ";
            s_line += i_part >= 0 ? participants[i_part].GetFullName() : "#" + std::to_string(members[m].lParticipantKey);
            if (members[m].bRostered)
                s_line += "+";
        }
        v_lines.push_back(s_line);
    }
    return v_lines;
}

// The error list as "participant / style / message id" lines; the id is
// found by the message's text.
std::vector<std::string> ErrorLines(const RosterEngine& engine);

// Two days (Mon, Tue) of three hour-long slots from 09:00 in two venues
// (Hall, Barn), styles Jazz, Folk and Rock, and groups in locked and
// unlocked slots:
//
//   Mon Hall 09:00  Trio  (Jazz, size 2)  locked
//   Mon Barn 09:00  Ring  (Folk, size 2)  locked
//   Mon Barn 11:00  Duo   (Folk, size 2)  locked
//   Tue Hall 10:00  Band  (Rock, size 3)  locked
//   Tue Barn 10:00  Combo (Jazz)          not locked
//   Tue Barn 11:00  Band                  not locked
//
// No participants: each test adds its own before Timetable().
testevent::EventBuilder& SmallEvent(testevent::EventBuilder& event);
// The placements of SmallEvent; call after Timetable().
testevent::EventBuilder& PlaceSmallEvent(testevent::EventBuilder& event);

} // namespace rostertest
