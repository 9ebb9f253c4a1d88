// The Limits page's work without a window: how many times a group or a
// participant is scheduled over the event, in each day, or per venue in
// place of the event-wide limit, and, for groups, the rotation.
//
// The page shows a tree of "Event", "Day" and (while limits for each venue
// are enabled) one item per venue under "Event". Each item carries its
// kind in the top four bits of its item data and a value below: the venue
// key for a venue item. The page edits the limits of every selected item
// at once; items of different kinds, or values that differ, cannot be
// edited together as one value, and the page says so by its controls.
#pragma once

#include "framework/Types.h"
#include "model/SchedLim.h"
#include "model/Venue.h"

#include <string>
#include <utility>
#include <vector>

class EventDoc;
class Participant;
class Preferences;
class SchedEntity;

// Control ids of the Limits pages.
enum : int {
    IDC_LIMITS_TREE = 1401,
    IDC_LIMITS_TREE_LABEL = 1402,
    IDC_LIMITS_VENUE_CHECK = 1403,
    IDC_LIMITS_GROUP_BOX = 1404,
    IDC_LIMITS_NONE = 1405,
    IDC_LIMITS_EXACT = 1406,
    IDC_LIMITS_RANGE = 1407,
    IDC_LIMITS_EXACT_VALUE = 1408,
    IDC_LIMITS_MIN_VALUE = 1409,
    IDC_LIMITS_MAX_VALUE = 1410,
    IDC_LIMITS_EXACT_TIMES = 1411,
    IDC_LIMITS_MIN_TIMES = 1412,
    IDC_LIMITS_AND_MAX = 1413,
    IDC_LIMITS_MAX_TIMES = 1414,
    IDC_LIMITS_DEFAULT_SEL = 1415,
    IDC_LIMITS_DEFAULT_ALL = 1416,
    IDC_ROTATION_GROUP_BOX = 1417,
    IDC_ROTATION_NONE = 1418,
    IDC_ROTATION_EVENT = 1419,
    IDC_ROTATION_DAY = 1420,
    IDC_ROTATION_DEFAULT = 1421,
    IDC_LIMITS_HELP = 1422,
};

// Texts of the Limits pages.
enum : UINT {
    IDS_GROUP_LIMITS_DESC = 6000,
    IDS_GROUP_LIMITS_DEFAULTS_DESC = 6001,
    IDS_GROUP_ROTATION_DESC = 6002,
    IDS_GROUP_ROTATION_DEFAULTS_DESC = 6003,
    IDS_PARTICIPANT_LIMITS_DESC = 6018,
    IDS_PARTICIPANT_LIMITS_DEFAULTS_DESC = 6025,
};

// The most a limit box takes.
constexpr UINT kMaxLimitValue = 99999;

// --- Tree item data -------------------------------------------------------
enum : UINT { e_limit_item_other = 0, e_limit_item_event = 1, e_limit_item_day = 2, e_limit_item_venue = 3 };
// The value of "Event" and "Day": no venue.
constexpr DWORD kLimitItemNoVenue = DWORD(1) << 27;

constexpr DWORD LimitItemData(UINT u_kind, DWORD u_value)
{
    return (DWORD(u_kind) << 28) | (u_value & 0x0FFFFFFFu);
}
constexpr UINT LimitItemKind(DWORD u_data) { return UINT(u_data >> 28); }
constexpr DWORD LimitItemValue(DWORD u_data) { return u_data & 0x0FFFFFFFu; }
constexpr DWORD kEventItemData = LimitItemData(e_limit_item_event, kLimitItemNoVenue);
constexpr DWORD kDayItemData = LimitItemData(e_limit_item_day, kLimitItemNoVenue);

// The venue items: the event's venues as (name, key), by name compared as
// bytes.
std::vector<std::pair<std::string, LONG>> LimitVenueItems(const EventDoc& doc);

// The typed text of a limit box as a number of 0 to 99999; FALSE with the
// message a number box gives otherwise.
BOOL ParseLimitValue(const std::string& s_text, UINT& u_value, std::string& s_error);

// The defaults the Default buttons copy.
struct LimitsDefaults {
    SchedLim EventLimits;
    SchedLim DayLimits;
    BOOL bUseVenueLimits = FALSE;
    VenueLimitArray VenueLimits;
};
LimitsDefaults GroupLimitsDefaults(const Preferences& prefs);
LimitsDefaults ParticipantLimitsDefaults(const Preferences& prefs);

// The limit radio buttons.
enum : int { e_limits_button_none = -1, e_limits_no_limits = 0, e_limits_exact = 1, e_limits_range = 2 };

// What the limit controls show after the selection changed.
struct LimitsShown {
    // The twelve limit controls (buttons, boxes, labels, Default selection).
    BOOL bEnabled = FALSE;
    // The checked radio button, e_limits_button_none for none.
    int iChecked = e_limits_button_none;
    BOOL bExactEnabled = FALSE;
    BOOL bMinEnabled = FALSE;
    BOOL bMaxEnabled = FALSE;
    // Several items with different limits: the boxes are shown empty.
    BOOL bMixed = FALSE;
};

// The page's limits between loading them from the entity and saving them.
class LimitsState {
public:
    explicit LimitsState(BOOL b_maxOnly = FALSE) : bMaxOnly(b_maxOnly) {}

    // The selection (item data in tree order) changed: the limits of the
    // selected items go into the boxes as held (a maximum below the minimum
    // too), venues without an entry get one
    // with no limits, and the result says what the controls show.
    LimitsShown Update(const std::vector<DWORD>& a_selected);
    // The checked button (with the boxes' values) goes into every selected
    // item that can take it. "No limits" removes a venue's entry; a range's
    // maximum is kept to 99999. e_limits_button_none does nothing.
    void Apply(const std::vector<DWORD>& a_selected, int i_button);
    // "Default all": all limits from the defaults (the venue limits and
    // their flag only when the page shows the venue check box).
    void DefaultAll(const LimitsDefaults& defaults, BOOL b_venueCheckShown);
    // "Default selection": each selected item's limit from the defaults.
    void DefaultSelection(const std::vector<DWORD>& a_selected, const LimitsDefaults& defaults,
                          BOOL b_venueCheckShown);

    // The entity's limits as it reports them.
    void Load(const SchedEntity& entity);
    // Into the entity: with limits for each venue the event limits become
    // none, without them every venue limit becomes none.
    void Save(SchedEntity& entity) const;
    // Saving would change the participant's limits.
    BOOL DiffersFrom(const SchedEntity& entity) const;

    BOOL IsMaxOnly() const { return bMaxOnly; }

    SchedLim EventLimits;
    SchedLim DayLimits;
    VenueLimitArray VenueLimits;
    BOOL bEnableVenueLimits = FALSE;
    // The boxes' values.
    UINT uExact = 0;
    UINT uMin = 0;
    UINT uMax = 0;
    BOOL bMixed = FALSE;

private:
    // The limit of a venue, its entry made (no limits) when it has none.
    SchedLim& VenueEntry(LONG l_venueKey);

    BOOL bMaxOnly;
};
