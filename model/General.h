// Helpers every part of the program uses: message boxes built from the
// string table, resource strings, the link from an archive to the event
// document it serves, archive forms shared by many model classes, the
// comparison of two items by their stored form, moving the selection of a
// list box and measuring a text of several lines.
//
// Every message box of the program goes through ShowMessageBox, which ends
// the splash window first; the others format their text and call it.
// Internal errors (string ids 10000 to 10199) show a line "Error code n."
// above their text, so that a user can quote the number.
//
// Every Serialize of the model asks the document which file version is
// being read (a stored file keeps the version it was written with; storing
// always writes the current one) and chooses its layout by it. Files of
// versions 1 to 3 began some sections with an old per-object schema word;
// the sections that had one read their version through
// GetArchiveVersionChecked, which reads and checks that word.
#pragma once

#include "framework/Archive.h"
#include "framework/MessageBox.h"
#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <functional>
#include <string>

class EventDoc;
class IListBoxItems;
class ZelStringArray;

// String ids of the message helpers.
enum : UINT {
    IDS_ERROR_CODE = 10000,
    IDS_FIRST_ERROR_CODE = 10000,
    IDS_LAST_ERROR_CODE = 10199,
};

// ---- message boxes ----

// Ends the splash window when it is still up, then shows the text through
// the class library's message box. u_type is the box's style (buttons and
// icon); the result is the button pressed.
int ShowMessageBox(const std::string& s_text, UINT u_type);
int ShowMessageText(const std::string& s_text, UINT u_type);
// The formatted string-table text (below) in a message box.
int ShowMessageId(UINT u_id, const std::string& s_arg, UINT u_type);
int ShowMessageId2(UINT u_id, const std::string& s_arg1, const std::string& s_arg2, UINT u_type);
int ShowMessageIdArray(UINT u_id, const ZelStringArray& a_args, UINT u_type);

// String u_id with "%1" (and "%2" ...) replaced by the arguments, after the
// error-code line for ids 10000 to 10199: string 10000 with the id in
// decimal, then a line feed. A missing id gives an empty text (after the
// error-code line).
std::string FormatMessageId(UINT u_id, const std::string& s_arg);
std::string FormatMessageId2(UINT u_id, const std::string& s_arg1, const std::string& s_arg2);
std::string FormatMessageIdArray(UINT u_id, const ZelStringArray& a_args);

// ---- resource strings ----

// The text of string u_id, or p_default when there is none.
std::string LoadResString(UINT u_id, const char* p_default);
void LoadResString(UINT u_id, const char* p_default, std::string& s_out);

// The event document the archive belongs to; an archive without one (or
// with another kind of document) is a programming error.
EventDoc* GetArchiveDoc(CArchive& ar);

// The file version of the archive's document: the version of the file
// being loaded, or the current version while storing. A document that has
// no version yet (0) counts as the current version.
UINT GetArchiveVersion(CArchive& ar);

// As GetArchiveVersion; when loading a file older than version 4 it first
// reads the section's old schema word, which must be 1, 2 or 3.
UINT GetArchiveVersionChecked(CArchive& ar);

// An array of unsigned words: a format word (0), the count, then the words.
// A format word other than 0 refuses the data.
void SerializeUIntArray(CArchive& ar, ZelArray<UINT>& a_values);

// Date-time elements of the library's arrays are written and read as
// date-times (three 32-bit words each); the owner writes the count.
template <>
struct ZelElementMinBytes<CHighTime> {
    static constexpr std::size_t value = 12;
};
template <>
struct ZelElementMinBytes<ZelOleDateTime> {
    static constexpr std::size_t value = 12;
};
template <>
void SerializeElements<CHighTime>(CArchive& ar, CHighTime* p_elements, int n_count);
template <>
void SerializeElements<ZelOleDateTime>(CArchive& ar, ZelOleDateTime* p_elements, int n_count);

// Whether two items would be written to the event file alike. An edit that
// ends with nothing different must leave the document alone: storing it
// would run the change routine, which keeps only the timetable's locks.
template <class T>
bool SameStoredForm(const T& first, const T& second)
{
    T first_copy(first);
    T second_copy(second);
    CArchive ar_first(CArchive::store);
    CArchive ar_second(CArchive::store);
    first_copy.Serialize(ar_first);
    second_copy.Serialize(ar_second);
    return ar_first.GetBuffer() == ar_second.GetBuffer();
}

// ---- list boxes and texts ----

// Moves every selected entry of a multiple-selection list box one place up
// (b_up) or down, keeping its text and item data. Selected entries are
// taken from the first when moving up and from the last when moving down;
// an entry already at the top (or bottom) stays, and each other selected
// entry moves past whatever entry stands next to it. The selection is then
// set to the moved entries' new indexes and the unmoved entries' indexes.
// 0 when the list box reports an error, else 1.
int MoveListBoxSelection(IListBoxItems& list, BOOL b_up);

// The width and height of a text as a device measures it.
struct TextExtent {
    LONG cx = 0;
    LONG cy = 0;
    bool operator==(const TextExtent&) const = default;
};
using MeasureText = std::function<TextExtent(const std::string& s_line)>;

// Splits the text at line feeds (carriage returns are dropped) and measures
// each line: the widest line's width and the sum of the line heights. The
// text after the last line feed is a line when it is not empty, so a text
// ending in a line feed has no empty last line; a line feed on its own is
// an empty line, measured as such.
TextExtent SplitTextLines(const MeasureText& f_measure, const std::string& s_text);
