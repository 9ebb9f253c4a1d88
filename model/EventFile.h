// The event file on disk: the reader and writer the document's open and
// save go through (the default event-file port).
//
// A file is looked at before it is read: what is not a regular file, is
// larger than any event file can be, or does not begin as an event file
// does is refused at once as damaged or not an event file. A file is then
// read whole and loaded into a fresh document, which takes the
// open document's place only when everything succeeded; a file that
// cannot be read or taken leaves the open event as it was and tells the
// user why. Saving goes through WriteFileAtomically (framework/FileIO.h):
// a failed save leaves the old file whole, and a read-only file is refused
// with a message of its own.
#pragma once

#include "model/DocumentPorts.h"

#include <cstdint>
#include <string>
#include <vector>

// Our own message ids for the event file.
enum : UINT {
    // The file is damaged or is not an event file ("%1" the file).
    IDS_EVENT_FILE_DAMAGED = 20001,
    // The file cannot be read: "%1" the file, "%2" the system's reason.
    IDS_EVENT_FILE_UNREADABLE = 20002,
    // The file cannot be written: "%1" the file, "%2" the system's reason.
    IDS_EVENT_FILE_UNWRITABLE = 20003,
    // The file is protected against writing ("%1" the file).
    IDS_EVENT_FILE_READ_ONLY = 20010,
    // Writing the file in place failed part way: "%1" the file, "%2" the
    // reason and where the complete copy is.
    IDS_EVENT_FILE_PARTLY_WRITTEN = 20011,
};

class EventFile : public IEventFilePort {
public:
    BOOL Load(EventDoc& doc, const std::string& s_path) override;
    BOOL Save(EventDoc& doc, const std::string& s_path) override;

    // Loads an event file's bytes held in memory, as Load does after
    // reading the file; s_name names them in messages.
    static BOOL LoadBytes(EventDoc& doc, std::vector<std::uint8_t> v_bytes, const std::string& s_name);

    // The largest file taken as an event file: 1 GiB. The whole file is
    // read into memory and the event made from it is held there beside it,
    // each stored item as an object larger than its bytes on disk. Event
    // files were first written by a program with a 32-bit address space
    // (2 GiB for its data), which had to hold both at once, so none it
    // wrote or could open comes near this size; the largest event this
    // program is measured on (2,000 groups, 20,000 participants, a
    // timetable of 60 days by 40 venues) takes under 5 MB. The counts the
    // format itself allows (32-bit, times the record sizes) would let a
    // damaged or foreign file ask for terabytes.
    static constexpr std::uint64_t kMaxFileBytes = std::uint64_t(1) << 30;

    // An event file begins with its version, a 32-bit word from 1 to the
    // current one; anything else is refused before the rest is read.
    static bool HeadIsEvent(const std::uint8_t* p_head, std::size_t n_bytes);
};
