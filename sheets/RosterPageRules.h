// The participant Rostering page's work without a window: the styles the
// participant is rostered into, in ranks of preference, with the rank
// arithmetic of checking, unchecking and moving styles; the roster limit as
// the page shows and takes it; what the role controls show; and saving the
// page's styles and limit into the participant's usual role.
#pragma once

#include "framework/Types.h"
#include "model/ParticipantRole.h"
#include "model/SchedLim.h"

#include <string>
#include <utility>
#include <vector>

class EventDoc;
class Participant;
class Preferences;

// Control ids of the Rostering page.
enum : int {
    IDC_ROSTER_EXACT_VALUE = 1073,
    IDC_ROSTER_MIN_VALUE = 1074,
    IDC_ROSTER_MAX_VALUE = 1075,
    IDC_ROSTER_STYLES = 1331,
    IDC_ROSTER_DEFAULT = 1335,
    IDC_ROSTER_ROLE = 1347,
    IDC_ROSTER_BY_ROLE = 1348,
    IDC_ROSTER_BY_STYLE = 1349,
    IDC_ROSTER_SAVE_ROLE = 1354,
    IDC_ROSTER_SAVE_ROLE_TEXT = 1355,
    IDC_ROSTER_SAVE_ROLE_HELP = 1356,
    IDC_ROSTER_ALL = 1359,
    IDC_ROSTER_EXACT = 1360,
    IDC_ROSTER_EXACT_STYLES = 1361,
    IDC_ROSTER_MIN_LABEL = 1362,
    IDC_ROSTER_MAX_LABEL = 1363,
    IDC_ROSTER_RANGE = 1364,
    IDC_ROSTER_LIMIT_BOX = 1365,
    IDC_ROSTER_STYLES_LABEL = 1372,
    IDC_ROSTER_TOOLBAR_PLACE = 1288,
    IDC_ROSTER_MIN_TEXT = 1260,
    IDC_ROSTER_MAX_TEXT = 1261,
};

// Texts of the Rostering page.
enum : UINT {
    IDS_ROSTER_UPDATE_ROLE = 153,
    IDS_ROSTER_ADD_ROLE = 154,
    IDS_ROSTER_CHANGE_ROLE_ASK = 155,
    IDS_ROSTER_UPDATE_BUTTON = 162,
    IDS_ROSTER_ADD_BUTTON = 163,
    IDS_PARTICIPANT_ROSTER_DESC = 6020,
    IDS_PARTICIPANT_ROSTER_ROLE_HELP = 6024,
    IDS_PARTICIPANT_ROSTER_DEFAULTS_DESC = 6028,
};

// The most a roster limit box takes, and the most a range's maximum keeps.
constexpr UINT kMaxRosterBoxValue = 9999;
constexpr UINT kMaxRosterLimitValue = 99999;

// The typed text of a roster limit box as a number of 0 to 9999; FALSE
// with the message a number box gives otherwise.
BOOL ParseRosterCount(const std::string& s_text, UINT& u_value, std::string& s_error);

struct StyleSelect {
    LONG lStyleKey = -1;
    LONG lRank = 0;
};

// The selected styles, kept in rank order (ranks from 1; styles may share a
// rank).
class StyleSelectArray {
public:
    void Load(const RosterStyleArray& a_styles);
    RosterStyleArray ToRosterStyles() const;

    int GetSize() const { return static_cast<int>(vStyles.size()); }
    const StyleSelect& operator[](int i) const { return vStyles[static_cast<std::size_t>(i)]; }
    // The style's rank; 0 when it is not selected.
    LONG GetRank(LONG l_styleKey) const;
    LONG GetHighestRank() const;
    int CountRank(LONG l_rank) const;

    // Checking a style: it joins with the highest rank + 1.
    void Add(LONG l_styleKey);
    // Unchecking: it leaves, and the ranks close up.
    void Remove(LONG l_styleKey);
    // One style a rank up (it merges into the rank above) or down (it
    // merges into the rank below, except that a style alone in the first
    // rank, or alone in the second-highest with one style in the highest,
    // changes places with the next rank).
    void MoveOne(LONG l_styleKey, BOOL b_up);
    // Several styles, each moved as MoveOne in the order given. The styles
    // are named by key, so that the re-sort after each move does not change
    // which styles the later moves act on.
    void MoveStyles(const std::vector<LONG>& v_styleKeys, BOOL b_up);

    // The same styles with the same ranks.
    bool operator==(const StyleSelectArray& other) const;

private:
    // Rank order, then the ranks made 1, 2, 3... keeping styles of one rank
    // together.
    void SortAndRenumber();

    std::vector<StyleSelect> vStyles;
};

// One row of the style list as it is sorted: its rank (0: not selected,
// shown empty) and its style's name.
struct StyleRow {
    LONG lRank = 0;
    std::string sName;
};
// The sort keys: column 2 alone when that column was clicked, else column 0
// then column 2. A rank compares by number, an empty one after any other;
// names compare byte for byte; b_ascending false reverses the result.
int CompareStyleRows(const StyleRow& a, const StyleRow& b, int i_column, bool b_ascending);
// The rows show the ranks in order: 1, then each equal to the one before or
// one more, and empty ranks only after them.
BOOL RowsInRankOrder(const std::vector<LONG>& v_rowRanks);

// Which of the list's tools are enabled.
struct RosterTools {
    BOOL bMove = FALSE;
    BOOL bOrder = FALSE;
};
// v_rowRanks: the rows' ranks in list order; v_selectedRows: the selected
// rows (positions).
RosterTools GetRosterTools(const std::vector<LONG>& v_rowRanks, const std::vector<int>& v_selectedRows,
                           int n_selectedStyles);

// What the role controls and the limit controls show.
struct RosterControls {
    // The role-saving area (button, its text and the help under it).
    BOOL bRoleAreaShown = FALSE;
    std::string sRoleText;
    std::string sRoleButton;
    BOOL bRoleButtonEnabled = FALSE;

    BOOL bRoleRadio = FALSE;
    BOOL bStyleRadio = FALSE;
    BOOL bCombo = FALSE;
    BOOL bList = FALSE;
    BOOL bOrder = FALSE;
    // The three radios of the limit, and the boxes each type enables.
    BOOL bLimitControls = FALSE;
    BOOL bExactBox = FALSE;
    BOOL bMinBox = FALSE;
    BOOL bMaxBox = FALSE;
};

class RosterPageState {
public:
    explicit RosterPageState(BOOL b_prefs = FALSE) : bPrefs(b_prefs) {}

    // The participant's effective styles and limit.
    void Load(const Participant& participant, const EventDoc& doc);
    // Role mode takes the chosen role (none chosen: unchanged); style mode
    // the page's styles. The limit always. *p_changed gets TRUE. A page
    // that still shows what it loaded (same mode, role, styles and limit)
    // leaves the participant as it is: what it showed may be a role's
    // settings rather than the participant's own, or a mode the participant
    // does not follow, and an OK with nothing changed must change nothing.
    void Save(Participant& participant, LONG l_chosenRole, BOOL* p_changed) const;
    // The participant's roster fields (role or own styles, their order and
    // the limit) as the stored participant holds them: what the page's
    // edits come back to when they are discarded. Copied, since Save
    // writes nothing for a page that shows what it loaded.
    static void RestoreStored(Participant& participant, const Participant& stored);

    // The roles that have roster styles, by name (the combo's entries), and
    // the entry to select: the participant's rostering role when it follows
    // one, else its usual role, else the first; -1 for an empty combo.
    static std::vector<std::pair<std::string, LONG>> RoleEntries(const EventDoc& doc);
    static int RoleEntryToSelect(const std::vector<std::pair<std::string, LONG>>& v_entries,
                                 const Participant& participant);
    // The refresh at load: the mode the page takes. What the page then
    // shows is remembered as what it loaded.
    void RefreshMode(const Participant& participant, const EventDoc& doc);
    // What every control shows.
    RosterControls GetControls(const Participant& participant, const EventDoc& doc) const;

    // Role mode with the role's styles and limit (a default limit for an
    // unknown role).
    void TakeRole(const EventDoc& doc, LONG l_roleKey);
    // Style mode with the participant's effective styles and limit.
    void TakeParticipant(const Participant& participant, const EventDoc& doc);
    // The limit the controls show, as held: the exact count, the minimum and
    // the maximum (below the minimum too).
    void ShownValues(UINT& u_exact, UINT& u_min, UINT& u_max) const;
    // The controls' limit: a range's maximum kept to 99999.
    void WriteLimit(UINT u_type, UINT u_exact, UINT u_min, UINT u_max);
    // Default: the preferences' participant roster limit.
    void SetDefault(const Preferences& prefs);

    // The page's styles and limit into the participant's usual role, after
    // the limit was checked against the styles (3003 with 5055 to 5057 when
    // it fails) and the user agreed (155). The role changes in the event at
    // once; the page then follows it. TRUE when the role was changed.
    BOOL SaveIntoRole(EventDoc& doc, const Participant& participant);

    // The page's own check of its limit, beside the participant's: a range
    // whose maximum is below its minimum is refused (5055) even where the
    // participant's check lets it pass, because it has no roster styles
    // (the defaults for new participants never have). A limit the sheet
    // opened with is let through, so that a participant stored so can still
    // be edited: its boxes may be disabled while it has no styles.
    BOOL CheckLimit(std::string& s_message) const;

    BOOL IsPrefs() const { return bPrefs; }

    // 0 role mode, 1 style mode, -1 before the first load.
    int iMode = -1;
    LONG lChosenRole = -1;
    StyleSelectArray Selection;
    RosterLim Limit;

private:
    // The page shows what it loaded, with l_chosenRole in the combo.
    bool ShowsLoaded(LONG l_chosenRole) const;

    BOOL bPrefs;
    // What the page showed at its last load; mode -1 before any.
    int iLoadedMode = -1;
    LONG lLoadedRole = -1;
    StyleSelectArray LoadedSelection;
    RosterLim LoadedLimit;
    // The limit of the first load, the one the sheet opened with.
    bool bOpened = false;
    RosterLim OpenedLimit;
};
