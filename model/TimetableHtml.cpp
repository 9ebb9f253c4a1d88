// The timetable's HTML pages. The markup is the page's own; every text that
// comes from the event (names of days, venues, groups and participants,
// members and roles) goes through HtmlText, which escapes it and writes it
// as UTF-8.
#include "model/EventDoc.h"
#include "model/GroupList.h"
#include "model/HtmlText.h"
#include "model/KeyList.h"
#include "model/Participant.h"
#include "model/ShellPorts.h"
#include "model/Timetable.h"

#include <ostream>

namespace {

constexpr int kNameColumn = 0;

// The participant's name as the participant list shows it; its full name
// where no list gives one (without the views, as in tests and tools).
std::string ParticipantName(const Participant& participant)
{
    const std::string s_name = GetFieldTextPort().GetParticipantFieldText(participant, kNameColumn);
    return s_name.empty() ? participant.GetFullName() : s_name;
}

// The slot of the venue with exactly the definition's time, or -1.
int FindSlot(const TimeslotArray& a_slots, const Day::SlotDef& def)
{
    for (int i = a_slots.FindFirst(def.Start, TRUE); i >= 0 && i < a_slots.GetSize(); ++i) {
        if (a_slots[i].GetStartOffset() != def.Start)
            break;
        if (a_slots[i].GetSpan() == def.Length)
            return i;
    }
    return -1;
}

} // namespace

void Timetable::ExportHtmlValidity(std::ostream& os) const
{
    if (!bValid) {
        os << "<p><u><i>Note: The timetable is invalid or incomplete.</i></u> "
           << "This means the following information may be incorrect. "
           << "Use 'Check timetable' or 'Build timetable' before exporting "
           << "to ensure the information is valid.</p><p />" << "\n";
        return;
    }
    os << "<p><font size=\"-1\"><i>This timetable was created on " << dtCreated.Format("%d-%b-%Y at %H:%M:%S")
       << "</i></font></p><p />" << "\n";
}

void Timetable::ExportHtmlByDay(const EventDoc* p_doc, std::ostream& os) const
{
    ExportHtmlValidity(os);
    os << "<a name=\"TT_DAY_INDEX\"><i>Select the day you want to view:</i></a><br />\n";
    os << "<table border>\n<tr>";
    for (int d = 0; d < GetNumDays(); ++d)
        os << "<td><a href=\"#" << GetDayAnchor(d) << "\">" << HtmlText(GetDay(d).GetName()) << "</a></td>";
    os << "</tr>\n</table>\n";

    for (int d = 0; d < GetNumDays(); ++d) {
        const Day& day = GetDay(d);
        os << "<h4><a name=\"" << GetDayAnchor(d) << "\"><u>" << HtmlText(day.GetName()) << "</u></a></h4>\n";
        WriteDayTable(p_doc, os, day, "", -1);
        os << "<p><a href=\"#TT_DAY_INDEX\">Select another day</a></p>\n";
    }
}

void Timetable::ExportHtmlByParticipant(const EventDoc* p_doc, std::ostream& os) const
{
    const ParticipantList& participants = p_doc->GetParticipants();
    const GroupList& groups = p_doc->GetGroups();

    ExportHtmlValidity(os);
    os << "<a name=\"TT_PART_INDEX\"><i>Select the participant you want to view:</i></a><br />\n";
    os << "<table border>\n<tr>";
    for (int p = 0; p < participants.GetNumParticipants(); ++p)
        os << "<td><a href=\"#" << GetPartAnchor(p) << "\">" << HtmlText(ParticipantName(participants[p]))
           << "</a></td>";
    os << "</tr>\n</table>\n";

    for (int p = 0; p < participants.GetNumParticipants(); ++p) {
        const Participant& participant = participants[p];
        os << "<h4><a name=\"" << GetPartAnchor(p) << "\"><u>" << HtmlText(ParticipantName(participant))
           << "</u></a></h4>\n";

        // The days on which a group of the participant is placed.
        Flags days(GetNumDays());
        for (int d = 0; d < GetNumDays(); ++d) {
            const Day& day = GetDay(d);
            for (int v = 0; v < day.GetNumDocVenues() && !days.IsSet(d); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i) {
                    const int i_group = a_slots[i].GetGroup() < 0 ? -1 : groups.FindByKey(a_slots[i].GetGroup());
                    if (i_group >= 0 && groups[i_group].GetMembers().HasMember(participant.GetKey())) {
                        days[d] = 1;
                        break;
                    }
                }
            }
        }
        for (int d = 0; d < GetNumDays(); ++d) {
            if (days.IsSet(d))
                WriteDayTable(p_doc, os, GetDay(d), HtmlText(GetDay(d).GetName()), participant.GetKey());
        }
        os << "<p><a href=\"#TT_PART_INDEX\">Select another participant</a></p>\n";
    }
}

void Timetable::WriteDayTable(const EventDoc* p_doc, std::ostream& os, const Day& day, const std::string& s_corner,
                              LONG l_participantKey) const
{
    const GroupList& groups = p_doc->GetGroups();
    const int n_columns = day.GetNumDocVenues();
    Day::SlotArray a_defs;
    for (int v = 0; v < n_columns; ++v)
        day.AddVenueSlotDefs(a_defs, v);
    const BOOL b_24Hour = p_doc->GetEventDef().GetDayDef().Is24Hour();

    os << "<table border>\n<tr><th>" << s_corner << "</th>";
    for (int v = 0; v < n_columns; ++v)
        os << "<th>" << HtmlText(p_doc->GetVenues()[v].GetName()) << "</th>";
    os << "</tr>\n";

    SkipFlags skip(a_defs.GetSize(), n_columns);
    for (int r = 0; r < a_defs.GetSize(); ++r) {
        os << "<tr><td>" << GetTimeLabel(a_defs[r], a_defs[r], Html.bTimes, b_24Hour) << "</td>";
        for (int v = 0; v < n_columns; ++v) {
            if (skip.Get(r, v))
                continue;
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            const int i_slot = FindSlot(a_slots, a_defs[r]);
            LONG l_group = i_slot < 0 ? -1 : a_slots[i_slot].GetGroup();
            const int i_group = l_group < 0 ? -1 : groups.FindByKey(l_group);
            if (i_group < 0
                || (l_participantKey >= 0 && !groups[i_group].GetMembers().HasMember(l_participantKey))) {
                os << "<td><br /></td>";
                continue;
            }
            int n_rows = 1;
            const int n_slots = Html.bCombine ? CountConsecutive(a_slots, i_slot) : 1;
            if (n_slots >= 2) {
                // The cell reaches down to the row of the last slot; the
                // cells it covers are not written.
                const Timeslot& last = a_slots[i_slot + n_slots - 1];
                const int r_last = a_defs.FindDef(last.GetStartOffset(), last.GetSpan());
                if (r_last > r) {
                    n_rows = r_last - r + 1;
                    for (int r_covered = r + 1; r_covered <= r_last; ++r_covered)
                        skip.Set(r_covered, v);
                }
            }
            WriteGroupCell(p_doc, os, l_group, n_rows);
        }
        os << "</tr>\n";
    }
    os << "</table>\n";
}

void Timetable::WriteGroupCell(const EventDoc* p_doc, std::ostream& os, LONG l_groupKey, int n_rows) const
{
    const GroupList& groups = p_doc->GetGroups();
    const Group& group = groups[groups.FindByKey(l_groupKey)];
    if (n_rows >= 2)
        os << "<td rowspan=\"" << n_rows << "\">";
    else
        os << "<td>";
    if (Html.bLinks)
        os << "<a href=\"#" << group.GetHtmlAnchor() << "\">";
    os << HtmlText(group.GetName());
    if (Html.bLinks)
        os << "</a>";
    if (Html.bMembers) {
        std::string s_members;
        for (const std::string& s_name : group.GetMemberNames(p_doc, Html.bRoles)) {
            if (!s_members.empty())
                s_members += Html.iMemberLayout == 1 ? "\n" : ", ";
            s_members += s_name;
        }
        os << "<br />" << HtmlLines(s_members);
    }
    os << "</td>";
}
