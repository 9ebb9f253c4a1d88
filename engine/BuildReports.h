// The dialogs around a build, as models without a window: the build
// options asked before a build, the report of the groups left below their
// minimums, the report of the groups whose rotation failed, the list of the
// groups not scheduled at all, and the notice after a long sort of a list.
//
// Each model holds what its dialog shows and what the user chose; the
// engine fills it and hands it to the build dialogs' port (BuildPorts.h),
// which shows the program's dialog or, in tests and tools, answers as a
// script says. The control ids are the dialogs' own, for the windows that
// render the models and for the tests that drive those windows.
#pragma once

#include "framework/Types.h"
#include "zelkit/dialogs/ZelReportLayout.h"
#include "zelkit/base/ZelStringArray.h"

#include <string>
#include <vector>

class Preferences;

// Dialogs and controls of the build's dialogs.
enum : UINT {
    IDD_BUILD_OPTIONS = 244,
    IDC_BUILD_ALLOW_TRAVEL = 1072,
    IDC_BUILD_TRAVEL_MINUTES = 1196,
    IDC_BUILD_FILL = 1263,
    IDC_BUILD_DONT_SHOW = 1265,

    IDD_FAILED_MINIMUMS = 156,
    IDC_FAILED_MIN_LIST = 1072,
    IDC_FAILED_MIN_KEEP_SEARCHING = 1123,
    IDC_FAILED_MIN_MAKE_CHANGES = 1124,
    IDC_FAILED_MIN_MODE = 1128,
    IDC_FAILED_MIN_PRINT = 1239,

    IDD_FAILED_ROTATION = 239,
    IDC_FAILED_ROT_LIST = 1223,
    IDC_FAILED_ROT_PRINT = 1256,

    IDD_NOT_SCHEDULED = 202,
    IDC_NOT_SCHEDULED_LIST = 1072,
    IDC_NOT_SCHEDULED_EXPLAIN_1 = 1129,
    IDC_NOT_SCHEDULED_EXPLAIN_2 = 1130,

    IDD_SORT_TOO_LONG = 271,
    IDC_SORT_TOO_LONG_DONT_SHOW = 1374,
};

// Texts of the build's dialogs.
enum : UINT {
    IDS_BUILD_OPTIONS_AGAIN = 139,
};

// ---- 244 "Build options" ----

class BuildOptionsModel {
public:
    static constexpr UINT uMinTravelMinutes = 1;
    static constexpr UINT uMaxTravelMinutes = 1440;

    BuildOptionsModel() = default;
    // The four options as the preferences hold them.
    explicit BuildOptionsModel(const Preferences& prefs);
    // Writes the four options back into the preferences.
    void Store(Preferences& prefs) const;

    // The minutes can be edited only while travel time is allowed.
    BOOL IsMinutesEnabled() const { return bAllowTravel; }

    // The text of the minutes edit as a number of minutes from 1 to 1440:
    // TRUE with the number, else FALSE with the text the user is shown.
    static BOOL ParseMinutes(const std::string& s_text, UINT& u_minutes, std::string& s_error);
    // OK reads the minutes: FALSE after telling the user why the text is
    // refused (the minutes then stay as they were).
    BOOL ValidateMinutes(const std::string& s_text);

    // The do-not-show-again box was clicked and now reads b_checked: when
    // ticked, the user is told where to bring the dialog back (139).
    void OnDontShowClicked(BOOL b_checked);

    BOOL bAllowTravel = FALSE;
    UINT uTravelMinutes = 5;
    BOOL bFillTimeslots = FALSE;
    BOOL bDontShowAgain = FALSE;
};

// ---- 156 "Minimum scheduling failures" ----

// A group below one of its minimums: where ("Day: " and the day's name,
// "Event", or "Venue: " and the venue's name), the minimum and the count.
struct FailedMinItem {
    std::string sGroup;
    std::string sWhere;
    UINT uMinimum = 0;
    UINT uActual = 0;

    bool operator==(const FailedMinItem&) const = default;
};

class FailedMinimumsModel {
public:
    // The entries of the search list: 0 "Thorough", 1 "Complete".
    enum : int { e_thorough_entry = 0, e_complete_entry = 1 };

    // The search mode the build ran in, and whether a search was cut short
    // (the minimums are incomplete rather than out of reach).
    FailedMinimumsModel(int i_mode = 0, BOOL b_incomplete = FALSE);

    // Adds a row in its place: rows are ordered by group name, rows of one
    // group keeping the order they came in.
    void Add(const FailedMinItem& item);
    const std::vector<FailedMinItem>& GetRows() const { return Rows; }
    // A row as the list shows it: group, where, minimum, actual.
    static ZelStringArray GetRowTexts(const FailedMinItem& item);

    int GetMode() const { return iMode; }
    BOOL IsIncomplete() const { return bIncomplete; }

    // The state the dialog opens in, from the mode and the flag: the
    // search entry selected, the radio button set and whether "keep
    // searching" may be chosen.
    void Init();

    // The dialog's answer on OK: the radio button set (1123 or 1124), and
    // the mode to search in next (1 for "Complete", else 0).
    int GetChoice() const { return iChoice; }
    int GetChosenMode() const { return iEntry == e_complete_entry ? 1 : 0; }

    // The page layout of the printed report: its title, columns and rows.
    ZelReportLayout MakeReport() const;

    // The dialog's state: set by Init, changed by the user.
    int iEntry = e_complete_entry;
    int iChoice = IDC_FAILED_MIN_KEEP_SEARCHING;
    BOOL bKeepSearchingEnabled = TRUE;

private:
    int iMode;
    BOOL bIncomplete;
    std::vector<FailedMinItem> Rows;
};

// ---- 239 "Rotation failures" ----

// A group whose rotation through the venues failed: the venue it missed
// (or repeated), other information, and the scope: 1 the event, 2 a day
// (with the day's name).
struct FailedRotItem {
    std::string sGroup;
    std::string sVenue;
    std::string sOther;
    int iScope = 0;
    std::string sDay;

    bool operator==(const FailedRotItem&) const = default;
};

// Rows ordered by group name, then venue name; a row equal to one already
// listed is not added again.
class FailedRotationList {
public:
    // FALSE when the row was there already.
    BOOL Add(const FailedRotItem& item);
    int GetSize() const { return static_cast<int>(Rows.size()); }
    BOOL IsEmpty() const { return Rows.empty(); }
    const FailedRotItem& operator[](int i) const { return Rows[static_cast<std::size_t>(i)]; }
    const std::vector<FailedRotItem>& GetRows() const { return Rows; }

private:
    std::vector<FailedRotItem> Rows;
};

class FailedRotationModel {
public:
    // "Event" for the event (1), "Day" for a day (2) followed by ": " and
    // the day's name when it has one, nothing for any other scope.
    static std::string GetScopeText(int i_scope, const std::string& s_day);
    // A row as the list shows it: group, rotation (the scope), venue,
    // other information.
    static ZelStringArray GetRowTexts(const FailedRotItem& item);

    ZelReportLayout MakeReport() const;

    FailedRotationList Rows;
};

// ---- 202 "Not Scheduled" ----

class NotScheduledModel {
public:
    // The groups' names in the order given.
    ZelStringArray Groups;
    // Shows the two lines that explain why (no minimum limit given).
    BOOL bExplain = FALSE;
};

// ---- 271 "Long sorting process" ----

class SortTooLongModel {
public:
    BOOL bDontShowAgain = FALSE;
};
