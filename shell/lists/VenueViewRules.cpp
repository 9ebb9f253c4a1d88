#include "shell/lists/VenueViewRules.h"

#include "framework/Resources.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "shell/lists/GroupFieldTexts.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>

namespace {

const char* const a_headings[] = {"Venue Name", "Location", "Styles", "Facilities"};
const char* const a_titles[vfNumFields] = {"Name",       "Location",       "Styles",
                                           "Facilities", "Group Schedule", "Participant Schedule"};

// The full names of the group's members that are participants of the
// event, in the group's member order, separated by ";".
std::string MemberNames(const EventDoc& doc, const Group& group)
{
    const ParticipantList& participants = doc.GetParticipants();
    const GroupMembers& members = group.GetMembers();
    std::string s_names;
    bool b_first = true;
    for (int i = 0; i < members.GetSize(); ++i) {
        const int i_part = participants.FindByKey(members[i].lParticipantKey);
        if (i_part < 0)
            continue;
        if (!b_first)
            s_names += ";";
        s_names += participants[i_part].GetNameObject().GetFullName();
        b_first = false;
    }
    return s_names;
}

std::string TrimBoth(const std::string& s)
{
    const char* p_space = " \t\r\n";
    const std::size_t i_first = s.find_first_not_of(p_space);
    if (i_first == std::string::npos)
        return {};
    return s.substr(i_first, s.find_last_not_of(p_space) - i_first + 1);
}

} // namespace

std::vector<std::string> VenueViewRules::GetColumnHeadings()
{
    return std::vector<std::string>(std::begin(a_headings), std::end(a_headings));
}

std::string VenueViewRules::GetFieldTitle(int i_fieldId)
{
    return i_fieldId >= 0 && i_fieldId < vfNumFields ? a_titles[i_fieldId] : std::string();
}

std::string VenueViewRules::GetFieldText(const EventDoc* p_doc, const Venue& venue, int i_fieldId)
{
    switch (i_fieldId) {
    case vfName: return venue.GetName();
    case vfLocation: return venue.GetLocation();
    case vfStyles: return p_doc != nullptr ? p_doc->GetStyles().GetNamesText(venue.GetStyles()) : std::string();
    case vfFacilities: return p_doc != nullptr ? p_doc->GetFacilities().GetNames(venue.GetFacilities()) : std::string();
    case vfGroupSchedule:
    case vfParticipantSchedule: {
        ZelStringArray a_lines;
        GetScheduleText(a_lines, p_doc, venue, i_fieldId);
        return GroupFieldTexts::JoinScheduleLines(a_lines);
    }
    default: return {};
    }
}

void VenueViewRules::GetScheduleText(ZelStringArray& a_lines, const EventDoc* p_doc, const Venue& venue,
                                     int i_fieldId)
{
    if (p_doc == nullptr || p_doc->GetNumVenues() == 0 || !p_doc->HasDaysAndTimeslots())
        return;
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr)
        return;
    const int i_venue = p_doc->GetVenues().FindByKey(venue.GetKey());
    if (i_venue < 0)
        return;
    const BOOL b_24Hour = p_doc->GetEventDef().GetDayDefConst().Is24Hour();
    const GroupList& groups = p_doc->GetGroups();
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        // A day may still lack the slots of a venue added since it was made.
        if (i_venue >= day.GetNumVenues())
            continue;
        const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            const Timeslot& slot = a_slots[s];
            const int i_group = groups.FindByKey(slot.GetGroup());
            if (i_group < 0)
                continue;
            std::string s_line = day.GetName() + " " + slot.GetTimeText(b_24Hour, FALSE) + " to "
                + slot.GetTimeText(b_24Hour, TRUE);
            const std::string s_combination = GroupFieldTexts::GetCombinationName(p_doc, slot.GetCombinationKey());
            if (!s_combination.empty())
                s_line += " (" + s_combination + ")";
            s_line += " - ";
            s_line += i_fieldId == vfGroupSchedule ? groups[i_group].GetName() : MemberNames(*p_doc, groups[i_group]);
            a_lines.Add(s_line);
        }
    }
}

void VenueViewRules::GetSortKeys(int i_column, ZelColSortSpec (&a_keys)[2])
{
    a_keys[0] = ZelColSortSpec(i_column, ZelColSortSpec::kAscending);
    a_keys[1] = ZelColSortSpec(i_column == 0 ? 1 : 0, ZelColSortSpec::kAscending);
}

int VenueViewRules::AddVenue(EventDoc& doc, const Venue& venue, std::string& s_msg, BOOL b_shortTexts)
{
    s_msg.clear();
    const int i_result = doc.GetVenues().AddVenue(venue);
    const std::string s_name = venue.GetName();
    switch (i_result) {
    case e_added: break;
    case e_name_used:
        s_msg = b_shortTexts ? "Venue already exists."
                             : FormatMessageText("Cannot %1 venue. Venue '%2' already exists.", {"add", s_name});
        break;
    case e_key_used:
        s_msg = b_shortTexts ? "Venue key already exisits."
                             : FormatMessageText("Cannot add venue '%1'. Duplicate venue key.", {s_name});
        break;
    default:
        s_msg = b_shortTexts ? "An undefined error has occurred."
                             : FormatMessageText("Cannot add '%1'.  An undefined error has occurred.\nContact your "
                                                 "Support facility for this Product.",
                                                 {s_name});
        break;
    }
    return i_result;
}

BOOL VenueViewRules::CheckChange(const EventDoc& doc, const Venue& working, std::string& s_msg, const char* p_verb)
{
    s_msg.clear();
    if (!doc.GetVenues().IsDuplicateName(working))
        return TRUE;
    s_msg = FormatMessageText("Cannot %1 venue. Venue '%2' already exists.", {p_verb, working.GetName()});
    return FALSE;
}

BOOL VenueViewRules::StoreChange(EventDoc& doc, const Venue& working, std::string& s_msg)
{
    if (!CheckChange(doc, working, s_msg))
        return FALSE;
    const int i_index = doc.GetVenues().FindByKey(working.GetKey());
    // OK with nothing edited stores nothing: the caller's change routine
    // would drop every placement that is not locked.
    if (i_index < 0 || SameStoredForm(working, doc.GetVenues()[i_index]))
        return FALSE;
    doc.GetVenues()[i_index] = working;
    return TRUE;
}

void VenueViewRules::DeleteVenue(EventDoc& doc, LONG l_key)
{
    if (doc.GetVenues().FindByKey(l_key) >= 0)
        doc.RemoveVenueRefs(l_key);
}

ZelArray<UINT> VenueViewRules::GetPrintCandidates(const EventDoc* p_doc)
{
    bool ab_used[vfNumFields] = {};
    if (p_doc != nullptr) {
        const VenueList& venues = p_doc->GetVenues();
        for (int v = venues.GetNumVenues() - 1; v >= 0; --v) {
            for (int i_id = 0; i_id < vfNumFields; ++i_id) {
                if (!ab_used[i_id] && !TrimBoth(GetFieldText(p_doc, venues[v], i_id)).empty())
                    ab_used[i_id] = true;
            }
            if (std::all_of(std::begin(ab_used), std::end(ab_used), [](bool b) { return b; }))
                break;
        }
    }
    ZelArray<UINT> a_ids;
    for (int i_id = 0; i_id < vfNumFields; ++i_id) {
        if (ab_used[i_id])
            a_ids.Add(static_cast<UINT>(i_id));
    }
    return a_ids;
}

ZelArray<UINT> VenueViewRules::GetDefaultPrintIds()
{
    ZelArray<UINT> a_ids;
    for (UINT u_id : {UINT(vfName), UINT(vfLocation), UINT(vfStyles), UINT(vfFacilities)})
        a_ids.Add(u_id);
    return a_ids;
}
