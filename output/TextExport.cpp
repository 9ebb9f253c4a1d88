#include "output/TextExport.h"

#include "framework/Encoding.h"
#include "model/EventDoc.h"

#include <cctype>

namespace TextExport {

namespace {

constexpr const char* kEol = "\r\n";

void Cell(std::ostream& os, const std::string& s_text) { os << QuoteField(s_text) << ','; }

void Header(std::ostream& os, std::initializer_list<const char*> a_cells)
{
    for (const char* p_cell : a_cells)
        os << p_cell << ',';
}

template <class List>
void WriteNameList(std::ostream& os, const List& list, const KeyList& keys)
{
    os << '"';
    bool b_first = true;
    for (int i = 0; i < keys.GetMaxKeys(); ++i) {
        const LONG l_key = keys[i];
        if (l_key == -1)
            continue;
        const int i_found = list.FindByKey(l_key);
        if (i_found < 0)
            continue;
        if (!b_first)
            os << ',';
        os << EscapeQuotes(list[i_found].GetName());
        b_first = false;
    }
    os << "\",";
}

std::string Join(const std::vector<std::string>& v_parts)
{
    std::string s_text;
    for (const std::string& s_part : v_parts) {
        if (!s_text.empty())
            s_text += ',';
        s_text += s_part;
    }
    return s_text;
}

// The slot of the venue with the definition's time, or -1.
int FindSlot(const TimeslotArray& a_slots, const Day::SlotDef& def)
{
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        if (a_slots[i].GetStartOffset() == def.Start && a_slots[i].GetSpan() == def.Length)
            return i;
    }
    return -1;
}

} // namespace

std::string EscapeQuotes(const std::string& s_text)
{
    std::string s_out;
    s_out.reserve(s_text.size());
    for (const char c : s_text) {
        if (c == '"')
            s_out += '\\';
        s_out += c;
    }
    return s_out;
}

std::string QuoteField(const std::string& s_text) { return "\"" + EscapeQuotes(s_text) + "\""; }

void WriteCleanField(const std::string& s_text, std::ostream& os)
{
    os << '"';
    for (std::size_t i = 0; i < s_text.size(); ++i) {
        const char c = s_text[i];
        if (c == '"' || c == ',')
            continue;
        if (c == '\t') {
            os << ' ';
        } else if (c == '\r' || c == '\n' || c == '\f') {
            // The break and the white space after it: one space.
            while (i + 1 < s_text.size() && static_cast<unsigned char>(s_text[i + 1]) < 128 &&
                   std::isspace(static_cast<unsigned char>(s_text[i + 1])))
                ++i;
            os << ' ';
        } else {
            os << c;
        }
    }
    os << '"';
}

void WriteFacilityList(std::ostream& os, const EventDoc& doc, const KeyList& keys)
{
    WriteNameList(os, doc.GetFacilities(), keys);
}

void WriteStyleList(std::ostream& os, const EventDoc& doc, const KeyList& keys)
{
    WriteNameList(os, doc.GetStyles(), keys);
}

int ExportVenuesText(std::ostream& os, const EventDoc& doc, const Schedules& schedules)
{
    Header(os, {"Venue", "Location", "Facilities", "Styles", "Group Schedule", "Participant Schedule"});
    os << kEol;
    const bool b_schedules = doc.GetTimetable() != nullptr && schedules.fVenue;
    const VenueList& venues = doc.GetVenues();
    for (int i = 0; i < venues.GetNumVenues(); ++i) {
        const Venue& venue = venues.GetVenue(i);
        Cell(os, venue.GetName());
        Cell(os, venue.GetLocation());
        WriteFacilityList(os, doc, venue.GetFacilities());
        WriteStyleList(os, doc, venue.GetStyles());
        Cell(os, b_schedules ? schedules.fVenue(venue, 0) : std::string());
        Cell(os, b_schedules ? schedules.fVenue(venue, 1) : std::string());
        os << kEol;
    }
    return venues.GetNumVenues();
}

int ExportGroupsText(std::ostream& os, const EventDoc& doc, const Schedules& schedules)
{
    Header(os, {"Group", "Contact", "Address1", "Address2", "Address3", "PostalCode", "Phone", "Phone2", "Fax",
                "Email", "Facilities", "Styles", "Event Limits", "Day Limits", "Members", "Members with role",
                "Not Available", "Schedule", "Locked Timeslots", "Notes"});
    os << kEol;
    const bool b_schedules = doc.GetTimetable() != nullptr && schedules.fGroup;
    const DayDefBase* p_days = &doc.GetEventDef().GetDayDefConst();
    const GroupList& groups = doc.GetGroups();
    for (int i = 0; i < groups.GetNumGroups(); ++i) {
        const Group& group = groups.GetAt(i);
        const ZelSimpleAddress& address = group.GetAddress();
        Cell(os, group.GetName());
        Cell(os, group.GetContact().GetName());
        Cell(os, address.GetLine1());
        Cell(os, address.GetLine2());
        Cell(os, address.GetLine3());
        Cell(os, address.GetPCode());
        Cell(os, group.GetPhone());
        Cell(os, group.GetPhone2());
        Cell(os, group.GetFax());
        Cell(os, group.GetEmail());
        WriteFacilityList(os, doc, group.GetFacilities());
        WriteStyleList(os, doc, group.GetStyles());
        Cell(os, group.GetEventLimits().GetText());
        Cell(os, group.GetDayLimits().GetText());
        Cell(os, Join(group.GetMemberNames(&doc, FALSE)));
        Cell(os, Join(group.GetMemberNames(&doc, TRUE)));
        Cell(os, group.GetUnavailable().GetText(p_days, -1, FALSE));
        Cell(os, b_schedules ? schedules.fGroup(group) : std::string());
        Cell(os, group.GetDetailsText(&doc, TRUE));
        WriteCleanField(group.GetNotes(), os);
        os << ',' << kEol;
    }
    return groups.GetNumGroups();
}

int ExportParticipantsText(std::ostream& os, const EventDoc& doc, const Schedules& schedules)
{
    Header(os, {"Name", "Address1", "Address2", "Address3", "PostalCode", "Phone", "Phone2", "Fax", "Email",
                "Usual Role", "Event Limits", "Day Limits", "Rostering", "Rostering Limits", "Notes",
                "Venue Schedule", "Group Schedule", "Groups", "Venues"});
    const Timetable* p_timetable = doc.GetTimetable();
    // Each timetable day's distinct slot times; days without any are left
    // out of both blocks.
    std::vector<std::pair<const Day*, Day::SlotArray>> v_days;
    if (p_timetable != nullptr) {
        for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
            const Day& day = p_timetable->GetDay(d);
            Day::SlotArray a_defs;
            day.GetAllSlotDefs(a_defs);
            if (a_defs.GetSize() > 0)
                v_days.emplace_back(&day, std::move(a_defs));
        }
        for (int i_block = 0; i_block < 2; ++i_block) {
            for (const auto& [p_day, a_defs] : v_days) {
                for (int k = 1; k <= a_defs.GetSize(); ++k)
                    Cell(os, p_day->GetName() + " Slot " + std::to_string(k));
            }
        }
    }
    os << kEol;

    const bool b_schedules = p_timetable != nullptr && schedules.fParticipant;
    const ParticipantList& participants = doc.GetParticipants();
    const GroupList& groups = doc.GetGroups();
    const VenueList& venues = doc.GetVenues();
    for (int i = 0; i < participants.GetNumParticipants(); ++i) {
        const Participant& part = participants[i];
        const ZelSimpleAddress& address = part.GetAddress();
        Cell(os, part.GetFullName());
        Cell(os, address.GetLine1());
        Cell(os, address.GetLine2());
        Cell(os, address.GetLine3());
        Cell(os, address.GetPCode());
        Cell(os, part.GetPhone());
        Cell(os, part.GetPhone2());
        Cell(os, part.GetFax());
        Cell(os, part.GetEmail());
        Cell(os, part.GetUsualRoleName(&doc));
        Cell(os, part.GetEventLimits().GetText());
        Cell(os, part.GetDayLimits().GetText());
        BOOL b_ordered = FALSE;
        const RosterStyleArray& a_styles = part.GetRosterStyles(&doc, b_ordered);
        Cell(os, a_styles.GetText(&doc, b_ordered));
        Cell(os, part.GetRosterLim(&doc).GetText());
        WriteCleanField(part.GetNotes(), os);
        os << ',';
        Cell(os, b_schedules ? schedules.fParticipant(part, 1) : std::string());
        Cell(os, b_schedules ? schedules.fParticipant(part, 0) : std::string());
        // The header's "Groups" and "Venues" cells.
        Cell(os, {});
        Cell(os, {});

        // Per day and slot time: the first group, taking the venues in the
        // event's order, placed there with the participant among its
        // members, and its venue.
        std::vector<std::string> v_groups;
        std::vector<std::string> v_venues;
        for (const auto& [p_day, a_defs] : v_days) {
            for (int k = 0; k < a_defs.GetSize(); ++k) {
                std::string s_group;
                std::string s_venue;
                const int n_venues = std::min(p_day->GetNumVenues(), venues.GetNumVenues());
                for (int v = 0; v < n_venues && s_group.empty(); ++v) {
                    const TimeslotArray& a_slots = p_day->GetVenueSlots(v);
                    const int i_slot = FindSlot(a_slots, a_defs[k]);
                    if (i_slot < 0 || a_slots[i_slot].IsEmpty())
                        continue;
                    const int i_group = groups.FindByKey(a_slots[i_slot].GetGroup());
                    if (i_group < 0 || !groups.GetAt(i_group).GetMembers().HasMember(part.GetKey()))
                        continue;
                    s_group = groups.GetAt(i_group).GetName();
                    s_venue = venues.GetVenue(v).GetName();
                }
                v_groups.push_back(s_group);
                v_venues.push_back(s_venue);
            }
        }
        for (const std::string& s_group : v_groups)
            Cell(os, s_group);
        for (const std::string& s_venue : v_venues)
            Cell(os, s_venue);
        os << kEol;
    }
    return participants.GetNumParticipants();
}

int ExportTimetableText(std::ostream& os, const EventDoc& doc, BOOL b_times)
{
    const Timetable* p_timetable = doc.GetTimetable();
    if (p_timetable == nullptr)
        return 0;
    const VenueList& venues = doc.GetVenues();
    const GroupList& groups = doc.GetGroups();
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        Cell(os, day.GetName());
        os << kEol;
        const int n_venues = std::min(day.GetNumVenues(), venues.GetNumVenues());
        for (int v = 0; v < n_venues; ++v) {
            if (b_times) {
                Cell(os, "Start");
                Cell(os, "End");
            }
            Cell(os, venues.GetVenue(v).GetName());
            os << kEol;
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Timeslot& slot = a_slots[s];
                if (b_times) {
                    Cell(os, slot.GetTimeText(TRUE, FALSE));
                    Cell(os, slot.GetTimeText(TRUE, TRUE));
                }
                const int i_group = slot.IsEmpty() ? -1 : groups.FindByKey(slot.GetGroup());
                Cell(os, i_group < 0 ? std::string() : groups.GetAt(i_group).GetName());
                os << kEol;
            }
        }
    }
    return p_timetable->GetNumDays();
}

int ExportKind(std::ostream& os, const EventDoc& doc, int i_kindId, BOOL b_times, const Schedules& schedules)
{
    switch (i_kindId) {
    case IDC_PARTICIPANTS: return ExportParticipantsText(os, doc, schedules);
    case IDC_GROUPS: return ExportGroupsText(os, doc, schedules);
    case IDC_TIMETABLE: return ExportTimetableText(os, doc, b_times);
    default: return ExportVenuesText(os, doc, schedules);
    }
}

std::string FileBytes(const std::string& s_cp1252) { return "\xEF\xBB\xBF" + Cp1252ToUtf8(s_cp1252); }

} // namespace TextExport
