// The event file on disk: the reader and writer the document's open and
// save go through (the default event-file port).
//
// A file is read whole and loaded into a fresh document, which takes the
// open document's place only when everything succeeded; a file that
// cannot be read or taken leaves the open event as it was and tells the
// user why. Saving writes the whole file to a temporary file beside the
// target and renames it over the target, so that a failed save leaves the
// old file whole.
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
};

class EventFile : public IEventFilePort {
public:
    BOOL Load(EventDoc& doc, const std::string& s_path) override;
    BOOL Save(EventDoc& doc, const std::string& s_path) override;

    // Loads an event file's bytes held in memory, as Load does after
    // reading the file; s_name names them in messages.
    static BOOL LoadBytes(EventDoc& doc, std::vector<std::uint8_t> v_bytes, const std::string& s_name);
};
