#include "shell/lists/GroupFieldTexts.h"

#include "engine/BuildReports.h"
#include "model/EventDefinition.h"
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Participant.h"
#include "model/Property.h"
#include "model/Timetable.h"
#include "shell/lists/ItemListCore.h"
#include "model/TimetableDay.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <algorithm>
#include <vector>

namespace {

const char* const a_fieldTitles[gfNumFields] = {
    "Name",
    "Contact",
    "Phone",
    "Phone 1",
    "Phone 2",
    "Fax",
    "Email",
    "Address",
    "Address 1",
    "Address 2",
    "Address 3",
    "Postal Code",
    "Styles",
    "Facilities",
    "Members",
    "Members with role",
    "Limits",
    "Allocation",
    "Not Available",
    "Locked Timeslots",
    "Schedule (Old format)",
    "Notes",
    "Schedule (Day/Venue/Slot)",
    "Schedule (Day/Slot/Venue)",
    "Schedule (Venue/Day/Slot)",
    "Schedule (Slot/Day/Venue)",
};

// What one line of a schedule is made of.
struct SlotLine {
    std::string sDay;
    std::string sVenue;
    std::string sStart;
    std::string sEnd;
    std::string sCombination;
};

std::string FormatLine(int i_fieldId, const SlotLine& line)
{
    std::string s_line;
    switch (i_fieldId) {
    case gfScheduleOld:
    case gfScheduleVenueDaySlot:
        s_line = line.sVenue + " - " + line.sDay + " " + line.sStart + " to " + line.sEnd;
        break;
    case gfScheduleDayVenueSlot:
        s_line = line.sDay + " - " + line.sVenue + " - " + line.sStart + " to " + line.sEnd;
        break;
    case gfScheduleDaySlotVenue:
        s_line = line.sDay + " " + line.sStart + " to " + line.sEnd + " - " + line.sVenue;
        break;
    case gfScheduleSlotDayVenue:
        s_line = line.sStart + " to " + line.sEnd + " - " + line.sDay + " - " + line.sVenue;
        break;
    default: break;
    }
    if (!line.sCombination.empty())
        s_line += " (" + line.sCombination + ")";
    return s_line;
}

// Walks one group's placements and adds a line for each.
class ScheduleWalk {
public:
    ScheduleWalk(ZelStringArray& a_out, const EventDoc* p_doc, const Timetable& timetable, const Group& group,
                 int i_fieldId)
        : aOut(a_out), pDoc(p_doc), Table(timetable), lGroupKey(group.GetKey()), iFieldId(i_fieldId),
          b24Hour(p_doc->GetEventDef().GetDayDefConst().Is24Hour())
    {
    }

    // Days, then venues, then the venue's slots.
    void ByDayVenueSlot()
    {
        for (int d = 0; d < Table.GetNumDays(); ++d) {
            const Day& day = Table.GetDay(d);
            for (int v = 0; v < NumVenues(day); ++v)
                AddVenueSlots(day, v);
        }
    }

    // Venues, then days, then slots.
    void ByVenueDaySlot()
    {
        for (int v = 0; v < pDoc->GetNumVenues(); ++v) {
            for (int d = 0; d < Table.GetNumDays(); ++d) {
                const Day& day = Table.GetDay(d);
                if (v < NumVenues(day))
                    AddVenueSlots(day, v);
            }
        }
    }

    // Days, then slot times, then venues.
    void ByDaySlotVenue()
    {
        const Day::SlotArray a_defs = GatherSlotTimes();
        for (int d = 0; d < Table.GetNumDays(); ++d) {
            const Day& day = Table.GetDay(d);
            ForEachDistinctTime(a_defs, [&](const Day::SlotDef& def) {
                for (int v = 0; v < NumVenues(day); ++v)
                    AddSlotAt(day, v, def);
            });
        }
    }

    // Slot times, then days, then venues.
    void BySlotDayVenue()
    {
        const Day::SlotArray a_defs = GatherSlotTimes();
        ForEachDistinctTime(a_defs, [&](const Day::SlotDef& def) {
            for (int d = 0; d < Table.GetNumDays(); ++d) {
                const Day& day = Table.GetDay(d);
                for (int v = 0; v < NumVenues(day); ++v)
                    AddSlotAt(day, v, def);
            }
        });
    }

private:
    // A day may still hold the array of a venue the document has dropped;
    // only venues both know are visited.
    int NumVenues(const Day& day) const { return std::min(day.GetNumVenues(), pDoc->GetNumVenues()); }

    void AddVenueSlots(const Day& day, int i_venue)
    {
        const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
        for (int s = 0; s < a_slots.GetSize(); ++s)
            AddSlot(day, i_venue, a_slots[s]);
    }

    // The slot of the venue with exactly the definition's times.
    void AddSlotAt(const Day& day, int i_venue, const Day::SlotDef& def)
    {
        const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
        int i_slot = a_slots.FindFirst(def.Start, TRUE);
        if (i_slot < 0)
            return;
        const CHighTimeSpan end = def.GetEnd();
        for (; i_slot < a_slots.GetSize() && a_slots[i_slot].GetStartOffset() == def.Start; ++i_slot) {
            if (a_slots[i_slot].GetEndOffset() == end) {
                AddSlot(day, i_venue, a_slots[i_slot]);
                return;
            }
        }
    }

    void AddSlot(const Day& day, int i_venue, const Timeslot& slot)
    {
        if (slot.GetGroup() != lGroupKey)
            return;
        SlotLine line;
        line.sDay = day.GetName();
        line.sVenue = pDoc->GetVenues()[i_venue].GetName();
        line.sStart = slot.GetTimeText(b24Hour, FALSE);
        line.sEnd = slot.GetTimeText(b24Hour, TRUE);
        line.sCombination = GroupFieldTexts::GetCombinationName(pDoc, slot.GetCombinationKey());
        aOut.Add(FormatLine(iFieldId, line));
    }

    // Every distinct slot time of every day and venue, sorted by time.
    Day::SlotArray GatherSlotTimes() const
    {
        Day::SlotArray a_defs;
        for (int d = 0; d < Table.GetNumDays(); ++d) {
            const Day& day = Table.GetDay(d);
            for (int v = 0; v < NumVenues(day); ++v)
                day.AddVenueSlotDefs(a_defs, v);
        }
        return a_defs;
    }

    // Each run of definitions with the same times once.
    template <class F>
    static void ForEachDistinctTime(const Day::SlotArray& a_defs, F f_visit)
    {
        for (int i = 0; i < a_defs.GetSize(); ++i) {
            if (i > 0 && a_defs[i].Start == a_defs[i - 1].Start && a_defs[i].Length == a_defs[i - 1].Length)
                continue;
            f_visit(a_defs[i]);
        }
    }

    ZelStringArray& aOut;
    const EventDoc* pDoc;
    const Timetable& Table;
    LONG lGroupKey;
    int iFieldId;
    BOOL b24Hour;
};

} // namespace

std::string GroupFieldTexts::GetFieldTitle(int i_fieldId)
{
    if (i_fieldId < 0 || i_fieldId >= gfNumFields)
        return {};
    return a_fieldTitles[i_fieldId];
}

bool GroupFieldTexts::IsScheduleField(int i_fieldId)
{
    return i_fieldId == gfScheduleOld || (i_fieldId >= gfScheduleDayVenueSlot && i_fieldId <= gfScheduleSlotDayVenue);
}

std::string GroupFieldTexts::GetFieldText(const EventDoc* p_doc, const Group& group, int i_fieldId)
{
    const ZelSimpleAddress& address = group.GetAddress();
    switch (i_fieldId) {
    case gfName: return group.GetName();
    case gfContact: return group.GetContact().GetName();
    case gfPhone: {
        std::string s_text = group.GetPhone();
        if (!group.GetPhone2().empty())
            s_text += ", " + group.GetPhone2();
        return s_text;
    }
    case gfPhone1: return group.GetPhone();
    case gfPhone2: return group.GetPhone2();
    case gfFax: return group.GetFax();
    case gfEmail: return group.GetEmail();
    case gfAddress:
        return address.GetLine1() + " " + address.GetLine2() + " " + address.GetLine3() + " " + address.GetPCode();
    case gfAddress1: return address.GetLine1();
    case gfAddress2: return address.GetLine2();
    case gfAddress3: return address.GetLine3();
    case gfPostalCode: return address.GetPCode();
    case gfStyles: return p_doc->GetStyles().GetNamesText(group.GetStyles());
    case gfFacilities: return p_doc->GetFacilities().GetNames(group.GetFacilities());
    case gfMembers: return group.GetMembersText(p_doc, nMembersWidth, FALSE);
    case gfMembersWithRole: return group.GetMembersText(p_doc, nMembersWidth, TRUE);
    case gfLimits: return GetLimitsText(p_doc, group);
    case gfAllocation: return group.GetVenueAllocText(p_doc);
    case gfNotAvailable: return GetNotAvailableText(p_doc, group);
    case gfLockedTimeslots: return group.GetDetailsText(p_doc, FALSE);
    case gfNotes: return group.GetNotes();
    case gfScheduleOld:
    case gfScheduleDayVenueSlot:
    case gfScheduleDaySlotVenue:
    case gfScheduleVenueDaySlot:
    case gfScheduleSlotDayVenue: {
        // The timetable is handed out only while the event has venues, days
        // and timeslots.
        const Timetable* p_timetable = p_doc->GetTimetable();
        if (p_timetable == nullptr)
            return {};
        ZelStringArray a_lines;
        GetScheduleText(a_lines, p_doc, p_timetable, group, i_fieldId);
        return JoinScheduleLines(a_lines);
    }
    default: return {};
    }
}

std::string GroupFieldTexts::GetLimitsText(const EventDoc* p_doc, const Group& group)
{
    bool b_nothing = true;
    std::string s_venueText;
    const BOOL b_venueLimits = group.GetUseVenueLimits();
    if (!b_venueLimits) {
        if (group.GetEventLimits().uType != SchedLim::e_no_limits)
            b_nothing = false;
    } else {
        s_venueText = group.GetVenueLimitsText(p_doc, TRUE);
        if (!s_venueText.empty())
            b_nothing = false;
    }
    const UINT e_rotation = group.GetRotation();
    if (e_rotation != Group::e_no_rotation)
        b_nothing = false;
    if (b_nothing && group.GetDayLimits().uType == SchedLim::e_no_limits)
        return {};

    std::string s_text = b_venueLimits ? s_venueText : "Event=" + group.GetEventLimits().GetText();
    if (!s_text.empty())
        s_text += ",";
    s_text += "Day=" + group.GetDayLimits().GetText();
    if (e_rotation != Group::e_no_rotation)
        s_text += " " + FailedRotationModel::GetScopeText(static_cast<int>(e_rotation), std::string()) + " Rotation";
    return s_text;
}

std::string GroupFieldTexts::GetNotAvailableText(const EventDoc* p_doc, const Group& group)
{
    const DayDefBase* p_days = &p_doc->GetEventDef().GetDayDefConst();
    std::string s_text;
    if (group.GetUnavailable().GetNumTimes() > 0)
        s_text = group.GetUnavailable().GetText(p_days, -1, FALSE);

    const ParticipantList& participants = p_doc->GetParticipants();
    const GroupMembers& members = group.GetMembers();
    bool b_firstMember = true;
    for (int m = members.GetSize() - 1; m >= 0; --m) {
        const int i_part = participants.FindByKey(members[m].lParticipantKey);
        if (i_part < 0)
            continue;
        const TimeList& times = participants[i_part].GetUnavailable();
        if (times.GetNumTimes() <= 0)
            continue;
        if (b_firstMember) {
            s_text = s_text.empty() ? std::string("Members: ") : "Group: " + s_text + " Members: ";
            b_firstMember = false;
        }
        s_text += times.GetText(p_days, -1, FALSE);
    }
    return s_text;
}

void GroupFieldTexts::GetScheduleText(ZelStringArray& a_out, const EventDoc* p_doc, const Timetable* p_timetable,
                                      const Group& group, int i_fieldId)
{
    if (p_doc == nullptr || p_timetable == nullptr)
        return;
    ScheduleWalk walk(a_out, p_doc, *p_timetable, group, i_fieldId);
    switch (i_fieldId) {
    case gfScheduleOld:
    case gfScheduleDayVenueSlot: walk.ByDayVenueSlot(); break;
    case gfScheduleDaySlotVenue: walk.ByDaySlotVenue(); break;
    case gfScheduleVenueDaySlot: walk.ByVenueDaySlot(); break;
    case gfScheduleSlotDayVenue: walk.BySlotDayVenue(); break;
    default: break;
    }
}

std::string GroupFieldTexts::JoinScheduleLines(const ZelStringArray& a_lines)
{
    std::string s_text;
    for (int i = 0; i < a_lines.GetSize(); ++i) {
        if (i > 0)
            s_text += ",\n";
        s_text += a_lines[i];
    }
    return s_text;
}

std::string GroupFieldTexts::GetCombinationName(const EventDoc* p_doc, LONG l_key)
{
    if (l_key < 0 || p_doc == nullptr)
        return {};
    const ZelTimeslotCombinationList& combinations = p_doc->GetCombinations();
    const int i_index = combinations.FindByKey(l_key);
    if (i_index < 0)
        return {};
    return combinations.GetAt(i_index).GetName();
}

std::string GroupFieldTexts::GetLabelText(IZelDrawPort& port, const Group& group, CRect& rc_box)
{
    const ZelSimpleAddress& address = group.GetAddress();
    return ItemListCore::AddressLabel(port,
                                      {group.GetContact().GetName(), group.GetName(), address.GetLine1(),
                                       address.GetLine2(), address.GetLine3()},
                                      address.GetPCode(), rc_box);
}
