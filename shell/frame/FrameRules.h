// The main frame's rules that need no window: when the timetable can be
// printed, the print that a framework print command runs after a preview,
// the recent lists of the import from the web, and the kind and key texts
// of the import from a file.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

class EventDoc;

// The active document (null for none) is an event with a venue, a day, a
// timeslot and a timetable object.
BOOL IsTimetablePrintable(const EventDoc* p_doc);

// The print the framework's print command runs: the print of what the last
// preview showed. Empty until the first preview, then replaced by each
// preview and never cleared.
class PendingPrint {
public:
    // The print command that matches a preview command; 0 for a command
    // that is no preview of the frame.
    static UINT PrintForPreview(UINT u_preview);

    // A preview command ran: its print becomes the pending one.
    void Previewed(UINT u_preview);
    BOOL IsSet() const { return uPrint != 0 ? TRUE : FALSE; }
    // The pending print command; 0 for none.
    UINT GetPrintCommand() const { return uPrint; }

private:
    UINT uPrint = 0;
};

// One recent list of the import from the web ("WebSites" or "WebFiles"),
// with its kind, kept in the per-user settings key.
class WebImportList {
public:
    // Entries a list keeps at most.
    static constexpr int nMaxEntries = 4;

    explicit WebImportList(std::string s_name) : sName(std::move(s_name)) {}

    // Reads the list and its kind ("<name>Type"; missing reads 0) from the
    // per-user key, which is never created; a key that cannot be opened
    // empties the list.
    void Load();
    // Writes both; nothing when the key cannot be opened (never created).
    void Save() const;
    // Puts the entry first: an equal entry is removed first, and the list
    // keeps its first four entries.
    void MoveToFront(const std::string& s_entry);

    const std::string& GetName() const { return sName; }
    std::vector<std::string> vEntries;
    DWORD uKind = 0;

private:
    std::string sName;
};

// A site as it is stored: without one trailing "/". A file: without one
// leading "/".
std::string TrimWebSite(const std::string& s_site);
std::string TrimWebFile(const std::string& s_file);

// The radio buttons of the import from a file.
enum : int {
    IDC_IMPORT_GROUPS = 1327,
    IDC_IMPORT_PARTICIPANTS = 1328,
};

// The import dialog's radios as they open: which are enabled, and which
// kind is checked, from the kind remembered for the run of the program
// (outside 1327..1328 at first), which takes the checked one's value.
struct ImportKindChoice {
    BOOL bGroupsEnabled;
    BOOL bParticipantsEnabled;
    int iKind;
};
ImportKindChoice ChooseImportKind(int i_remembered, BOOL b_groupsAccepted, BOOL b_participantsAccepted);

// The three texts a view's import from a file receives: the key ("G" for
// groups, "P" for participants, then the full path), the same letter with
// the file's name and extension, and the full path.
struct ImportFileTexts {
    std::string sKey;
    std::string sName;
    std::string sPath;
};
ImportFileTexts MakeImportFileTexts(int i_kind, const std::string& s_path);
