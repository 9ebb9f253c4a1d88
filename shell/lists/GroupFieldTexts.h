// Every text the program shows about one group outside its editing sheet:
// the group field ids (the group list's columns, its printed columns, the
// import's fields and the HTML export's items), the schedule of a group in
// its five layouts, the name of a timeslot combination and the text of a
// group's address label.
//
// Nothing here needs a window: the label is measured through the drawing
// port, so the group view and the label printing share one placement.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"

#include <string>

class EventDoc;
class Group;
class IZelDrawPort;
class Timetable;
class ZelStringArray;

// The group field ids.
enum GroupFieldId : int {
    gfName = 0,
    gfContact = 1,
    gfPhone = 2,
    gfPhone1 = 3,
    gfPhone2 = 4,
    gfFax = 5,
    gfEmail = 6,
    gfAddress = 7,
    gfAddress1 = 8,
    gfAddress2 = 9,
    gfAddress3 = 10,
    gfPostalCode = 11,
    gfStyles = 12,
    gfFacilities = 13,
    gfMembers = 14,
    gfMembersWithRole = 15,
    gfLimits = 16,
    gfAllocation = 17,
    gfNotAvailable = 18,
    gfLockedTimeslots = 19,
    gfScheduleOld = 20,
    gfNotes = 21,
    gfScheduleDayVenueSlot = 22,
    gfScheduleDaySlotVenue = 23,
    gfScheduleVenueDaySlot = 24,
    gfScheduleSlotDayVenue = 25,
    gfNumFields = 26,
};

class GroupFieldTexts {
public:
    // The members text stops near this many characters.
    static constexpr int nMembersWidth = 4096;

    // The column and print heading of the field; empty for an id outside
    // the 26.
    static std::string GetFieldTitle(int i_fieldId);
    // The field's text for the group; empty for an id outside the 26.
    static std::string GetFieldText(const EventDoc* p_doc, const Group& group, int i_fieldId);
    // The field ids of the schedule layouts.
    static bool IsScheduleField(int i_fieldId);

    // The group's event and day limits with its rotation; empty when the
    // group has none of them.
    static std::string GetLimitsText(const EventDoc* p_doc, const Group& group);
    // The group's own not-available times, then its members'.
    static std::string GetNotAvailableText(const EventDoc* p_doc, const Group& group);

    // The lines of the group's schedule in the layout of the field id (20,
    // 22, 23, 24 or 25); no lines for any other id or without a timetable.
    static void GetScheduleText(ZelStringArray& a_out, const EventDoc* p_doc, const Timetable* p_timetable,
                                const Group& group, int i_fieldId);
    // A schedule cell's text: the lines joined by a comma and a line end.
    static std::string JoinScheduleLines(const ZelStringArray& a_lines);
    // The name of the document's timeslot combination with the key; empty
    // for a key below 0 or one the list does not hold.
    static std::string GetCombinationName(const EventDoc* p_doc, LONG l_key);

    // The address label of the group: contact, name and address lines
    // (those not empty), the postal code after the last of them, each line
    // ending in "\n". The box is narrowed and lowered so that the measured
    // block stands in its middle.
    static std::string GetLabelText(IZelDrawPort& port, const Group& group, CRect& rc_box);
};
