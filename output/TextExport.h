// One kind of item of the event (venues, participants, groups or the
// timetable) as comma-separated text, one record per line.
//
// The form: CR LF line ends; every cell followed by a comma; header cells
// bare; data cells in double quotes with a backslash before each double
// quote inside; several values of one cell joined with "," inside its
// quotes. Every record of a file has its header's number of cells. The
// writers compose code page 1252 text; the file is UTF-8 with a byte-order
// mark, so that spreadsheet programs read it as UTF-8.
#pragma once

#include "framework/Types.h"

#include <functional>
#include <ostream>
#include <string>

class EventDoc;
class Group;
class KeyList;
class Participant;
class Venue;

namespace TextExport {

// Control ids of the kind radios (the event keeps kinds 1 to 4) and of the
// include-times check box.
enum : int {
    IDC_VENUES = 1107,
    IDC_PARTICIPANTS = 1108,
    IDC_GROUPS = 1109,
    IDC_TIMETABLE = 1110,
    IDC_INCLUDE_TIMES = 1233,
};

// The schedule cells come from the list views, which know how their items
// are scheduled; a missing function (no such view) leaves its cells empty.
// The texts are the schedule's lines joined with ",".
struct Schedules {
    // Flag 0 lists the groups in the venue, 1 the participants.
    std::function<std::string(const Venue&, int i_flag)> fVenue;
    std::function<std::string(const Group&)> fGroup;
    // Flag 1 lists the venues, 0 the groups.
    std::function<std::string(const Participant&, int i_flag)> fParticipant;
};

// A backslash before every double quote.
std::string EscapeQuotes(const std::string& s_text);
// The escaped text in double quotes.
std::string QuoteField(const std::string& s_text);
// A free-text cell: quotes and commas dropped, a tab a space, a line break
// with the white space after it one space; everything else as it stands.
void WriteCleanField(const std::string& s_text, std::ostream& os);
// The names of the facilities (styles) whose keys the list holds, in the
// list's order, in one quoted cell; keys the event does not hold are left
// out.
void WriteFacilityList(std::ostream& os, const EventDoc& doc, const KeyList& keys);
void WriteStyleList(std::ostream& os, const EventDoc& doc, const KeyList& keys);

// The writers; each returns the number of records (days for the
// timetable) written.
int ExportVenuesText(std::ostream& os, const EventDoc& doc, const Schedules& schedules);
int ExportGroupsText(std::ostream& os, const EventDoc& doc, const Schedules& schedules);
int ExportParticipantsText(std::ostream& os, const EventDoc& doc, const Schedules& schedules);
// Nothing (0) while the event has no timetable.
int ExportTimetableText(std::ostream& os, const EventDoc& doc, BOOL b_times);

// The writer of the kind's control id (1107 to 1110).
int ExportKind(std::ostream& os, const EventDoc& doc, int i_kindId, BOOL b_times, const Schedules& schedules);

// The file's bytes: the byte-order mark, then the text as UTF-8.
std::string FileBytes(const std::string& s_cp1252);

} // namespace TextExport
