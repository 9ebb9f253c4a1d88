// The event file on disk: the reader and writer the document's open and
// save go through (the default event-file port).
//
// A file is looked at before it is read: what is not a regular file or is
// larger than any event file can be is refused at once, saying so, and
// one that does not begin as an event file does is refused as damaged or
// not an event file. A damaged file whose last save in place was cut
// short is refused naming the whole copy that save left. A file is then
// read whole and loaded into a fresh document, which takes the
// open document's place only when everything succeeded; a file that
// cannot be read or taken leaves the open event as it was and tells the
// user why. Saving goes through WriteFileAtomically (framework/FileIO.h):
// a failed save leaves the old file whole; a read-only file, another
// user's, a folder, a device or a pipe, and a missing folder are refused
// with messages of their own.
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
    // reason, "%3" where the complete copy is.
    IDS_EVENT_FILE_PARTLY_WRITTEN = 20011,
    // A folder, a device or a pipe was named to open ("%1").
    IDS_EVENT_FILE_NOT_REGULAR = 20020,
    // The file is larger than any event file: "%1" the file, "%2" the bound
    // in bytes.
    IDS_EVENT_FILE_TOO_LARGE = 20021,
    // The folder of the file to open is missing: "%1" the file, "%2" the folder.
    IDS_EVENT_FILE_OPEN_FOLDER_MISSING = 20022,
    // A damaged file whose last save in place was cut short: "%1" the file,
    // "%2" the whole copy of that save.
    IDS_EVENT_FILE_DAMAGED_RESCUED = 20023,
    // A folder, a device or a pipe was named to save to ("%1").
    IDS_EVENT_FILE_SAVE_NOT_REGULAR = 20024,
    // The file has write bits, but none for this user ("%1").
    IDS_EVENT_FILE_NOT_WRITABLE_BY_USER = 20025,
    // The folder of a new file is missing: "%1" the file, "%2" the folder.
    IDS_EVENT_FILE_SAVE_FOLDER_MISSING = 20026,
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
