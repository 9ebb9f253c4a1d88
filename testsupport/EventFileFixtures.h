// Hand-built event files for the tests of the file format and as seeds of
// its fuzz target: files of every version with nothing in them, a file whose
// lists hold duplicates and invalid items, a file of version 5 with venues
// that carry old availability times, and the pieces such files are built of.
#pragma once

#include "model/EventDoc.h"
#include "testsupport/ArchiveBytes.h"

#include <string>
#include <utility>
#include <vector>

namespace eventfixtures {

using testbytes::Builder;
using testbytes::Bytes;

Bytes TextBytes(const std::string& s);
// The bytes with the one occurrence of a pattern replaced; throws when the
// pattern is missing or found twice.
Bytes ReplaceOnce(Bytes v_bytes, const Bytes& v_from, const Bytes& v_to);

// The archive form of a date-time (three words), and the framework's older
// date-time form (status, then the day count).
Bytes TimeBytes(const CHighTime& dt);
Bytes OleBytes(int i_year, int i_month, int i_day, int i_hour = 0, int i_minute = 0);

// The top of a current-version file up to the lists, from the document's
// own sections.
Builder HeadOf(EventDoc& doc);

// A keyed list of the file: counter, count, then each element.
template <class T>
Builder& List(Builder& b, DWORD u_counter, std::vector<T> v_items)
{
    b.Dwords({u_counter, static_cast<std::int64_t>(v_items.size())});
    for (T& item : v_items)
        b.Raw(testbytes::Store(item));
    return b;
}

// No timetable, no combinations, no layouts.
Builder& Tail(Builder& b);

template <class T>
T Named(const std::string& s_name)
{
    T t;
    t.SetName(s_name);
    return t;
}

// A copy (same key) under another name.
template <class T>
T Renamed(T t, const std::string& s_name)
{
    t.SetName(s_name);
    return t;
}

// A layout of a list view as a file of the version holds it: i_columns
// columns and no widths, order, sort or mappings.
Builder LayoutBytes(unsigned v, const std::string& s_class, int i_columns);

// An event file of the version with no days, no items and no timetable,
// with one layout (of a group list) where the version has layouts. Files
// of versions 1 to 6 hold one day, 09:00 to 17:00 in hours, on 14 May 2001.
// Its counters: roles 3, venues 4, groups 5, participants 6, styles and
// facilities 7.
Bytes MinimalFile(unsigned v);

// A file whose lists hold duplicates and invalid items: three role errors;
// a duplicate venue, group, participant and style; a venue error, two group
// errors, a participant, a style and a facility error.
Bytes RefusalsFile();

// MinimalFile(5) with one venue whose old availability times hold a time.
Bytes OldVenueTimesFile();

// Every fixture, with a file name, for seeding the fuzz target.
std::vector<std::pair<std::string, Bytes>> AllFixtures();

} // namespace eventfixtures
