// The venue list's work without a window: the texts of a venue's fields
// (name, location, styles, facilities and its schedule by group or by
// participant), the sort keys of a column click, adding a venue with the
// add's messages, the check and store of a changed venue, deleting one,
// and the columns a printed venue list may offer.
//
// The venue view (VenueView) answers its texts, sorts, adds, changes and
// deletes through these; so does the text export for the schedules.
#pragma once

#include "framework/Types.h"
#include "model/Venue.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/lists/ZelListSort.h"

#include <string>
#include <vector>

class EventDoc;
class ZelStringArray;

// The venue fields' ids, as the printed columns store them.
enum VenueFieldId : int {
    vfName = 0,
    vfLocation = 1,
    vfStyles = 2,
    vfFacilities = 3,
    vfGroupSchedule = 4,
    vfParticipantSchedule = 5,
    vfNumFields = 6,
};

// Texts of the venue list and sheet.
enum : UINT {
    IDS_VENUE_NAME_MISSING = 1077,     // "You must provide a name for the venue."
    IDS_VENUE_SETTINGS_INVALID = 3005, // "Your settings are not valid.  %1"
    IDS_VENUE_DETAILS_DESC = 6008,
};

class VenueViewRules {
public:
    // Results of VenueList::AddVenue.
    enum : int { e_added = 0, e_name_used = 2, e_key_used = 3 };

    // The list's four columns: their headings, in column order.
    static std::vector<std::string> GetColumnHeadings();
    // The printed field ids 0 to 5 with their titles.
    static std::string GetFieldTitle(int i_fieldId);

    // A field's text; empty for an id beyond the fields.
    static std::string GetFieldText(const EventDoc* p_doc, const Venue& venue, int i_fieldId);
    // The venue's schedule, one line per placed group (vfGroupSchedule: its
    // name; vfParticipantSchedule: its members' full names joined by ";"),
    // by timetable day and slot. Nothing unless the event has venues, days,
    // timeslots and a timetable.
    static void GetScheduleText(ZelStringArray& a_lines, const EventDoc* p_doc, const Venue& venue, int i_fieldId);

    // The two keys a click on the column sorts by, both ascending: the
    // name then the location for column 0, else the column then the name.
    static void GetSortKeys(int i_column, ZelColSortSpec (&a_keys)[2]);

    // Adds the venue to the document's list; e_added, or the list's code
    // with its message in s_msg (short or long texts).
    static int AddVenue(EventDoc& doc, const Venue& venue, std::string& s_msg, BOOL b_shortTexts);
    // Whether the working venue (which carries the stored venue's key, or a
    // new key when it is added) may be stored: FALSE with the
    // duplicate-name message, its verb p_verb, when another venue has its
    // name.
    static BOOL CheckChange(const EventDoc& doc, const Venue& working, std::string& s_msg,
                            const char* p_verb = "change");
    // Stores the working venue over the venue with its key; FALSE (nothing
    // stored) when the name is another venue's, the key is gone or the
    // venue is stored as it is already (then without a message).
    static BOOL StoreChange(EventDoc& doc, const Venue& working, std::string& s_msg);
    // Takes the venue and every reference to it out of the event.
    static void DeleteVenue(EventDoc& doc, LONG l_key);

    // The printable field ids in the order they are offered, without those
    // whose text is empty for every venue.
    static ZelArray<UINT> GetPrintCandidates(const EventDoc* p_doc);
    // The columns printed when none were chosen before.
    static ZelArray<UINT> GetDefaultPrintIds();
};
