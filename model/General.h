// The link from an archive to the event document it serves, and archive
// forms shared by many model classes.
//
// Every Serialize of the model asks the document which file version is
// being read (a stored file keeps the version it was written with; storing
// always writes the current one) and chooses its layout by it. Files of
// versions 1 to 3 began some sections with an old per-object schema word;
// the sections that had one read their version through
// GetArchiveVersionChecked, which reads and checks that word.
#pragma once

#include "framework/Archive.h"
#include "framework/Types.h"
#include "zelkit/CHighTime.h"
#include "zelkit/ZelArray.h"
#include "zelkit/ZelOleDateTime.h"

class EventDoc;

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
