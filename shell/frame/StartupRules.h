// The start-up dialog's rules without a window: the rows of the recent
// files (names shown relative to the working folder, event names read from
// the files), whether "open last" may fire, and the command the dialog's
// answer becomes, with "OpenLast" written whatever the answer.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

// The start-up dialog and its controls.
enum : int {
    IDD_STARTUP = 197,
    IDC_STARTUP_NEW = 1116,
    IDC_STARTUP_OPEN = 1117,
    IDC_STARTUP_SAMPLE = 1118,
    IDC_STARTUP_EXIT = 1120,
    IDC_STARTUP_FILES = 1121,
    IDC_STARTUP_OPEN_LAST = 1307,
};

namespace StartupRules {

// The event name at the head of an event file. A file that is not there
// (or a path through a missing folder) gives "(Not found)"; a file that
// cannot be read or is no event file of a version this program reads gives
// an empty name. Either way o_ok is false.
std::string ReadEventName(const std::string& s_path, bool& o_ok);

// A recent file's name as the list shows it: relative to s_folder when it
// lies below it, else the full path; at least the file's name.
std::string DisplayName(const std::string& s_path, const std::string& s_folder);

struct RecentRow {
    std::string sDisplay;
    std::string sEventName;
    int iIndex; // the entry's index in the recent-file list
};

struct RecentRows {
    std::vector<RecentRow> vRows;
    // The first entry's event name was read without error.
    bool bFirstReadable = false;
};

// A row per recent file in order, entries without a display name skipped.
RecentRows MakeRecentRows(const std::vector<std::string>& v_files, const std::string& s_folder);

// The command the dialog's answer posts to the main window; 0 for none.
// i_chosen is the chosen recent file's index, -1 for none.
UINT CommandFor(int i_result, int i_chosen);

// After the dialog: "OpenLast" takes the check box's state, whatever the
// answer; returns the command to post (0 for none).
UINT FinishStartup(int i_result, int i_chosen, BOOL b_openLast);

} // namespace StartupRules
