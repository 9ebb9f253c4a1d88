#include "sheets/LimitsRules.h"

#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "model/SchedEntity.h"
#include "sheets/SheetRules.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

std::vector<std::pair<std::string, LONG>> LimitVenueItems(const EventDoc& doc)
{
    const VenueList& venues = doc.GetVenues();
    std::vector<std::pair<std::string, LONG>> v_items;
    v_items.reserve(static_cast<std::size_t>(venues.GetNumVenues()));
    for (int i = 0; i < venues.GetNumVenues(); ++i)
        v_items.emplace_back(venues.GetVenue(i).GetName(), venues.GetVenue(i).GetKey());
    // std::string compares its bytes as unsigned char, as the names sort.
    std::stable_sort(v_items.begin(), v_items.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return v_items;
}

BOOL ParseLimitValue(const std::string& s_text, UINT& u_value, std::string& s_error)
{
    const std::optional<std::uint64_t> u_read = ReadBoxNumber(s_text, kMaxLimitValue);
    if (!u_read) {
        s_error = kNotANumberMessage;
        return FALSE;
    }
    if (*u_read > kMaxLimitValue) {
        s_error = BoxRangeMessage(0, kMaxLimitValue);
        return FALSE;
    }
    u_value = static_cast<UINT>(*u_read);
    return TRUE;
}

LimitsDefaults GroupLimitsDefaults(const Preferences& prefs)
{
    LimitsDefaults defaults;
    defaults.EventLimits = prefs.GetGroupEventLimits();
    defaults.DayLimits = prefs.GetGroupDayLimits();
    defaults.bUseVenueLimits = prefs.GetGroupUsesVenueLimits();
    defaults.VenueLimits = prefs.GetGroupVenueLimits();
    return defaults;
}

LimitsDefaults ParticipantLimitsDefaults(const Preferences& prefs)
{
    LimitsDefaults defaults;
    defaults.EventLimits = prefs.GetPartEventLimits();
    defaults.DayLimits = prefs.GetPartDayLimits();
    defaults.bUseVenueLimits = prefs.GetPartUsesVenueLimits();
    defaults.VenueLimits = prefs.GetPartVenueLimits();
    return defaults;
}

SchedLim& LimitsState::VenueEntry(LONG l_venueKey)
{
    int i_at = VenueLimits.FindKey(l_venueKey);
    if (i_at < 0)
        i_at = VenueLimits.InsertSorted(VenueLimit(l_venueKey));
    return VenueLimits[i_at].Limit;
}

LimitsShown LimitsState::Update(const std::vector<DWORD>& a_selected)
{
    LimitsShown shown;
    if (a_selected.empty())
        return shown;

    BOOL b_editable = TRUE;
    BOOL b_mixed = FALSE;
    bool a_kinds[4] = {false, false, false, false};
    bool b_any = false;
    SchedLim last;
    // From the last selected item to the first, so that the first one's
    // limit is the one the boxes show.
    for (auto it = a_selected.rbegin(); it != a_selected.rend(); ++it) {
        const UINT u_kind = LimitItemKind(*it);
        SchedLim limit;
        switch (u_kind) {
        case e_limit_item_event:
            limit = EventLimits;
            if (bEnableVenueLimits)
                b_editable = FALSE;
            break;
        case e_limit_item_day: limit = DayLimits; break;
        case e_limit_item_venue:
            if (!bEnableVenueLimits) {
                b_editable = FALSE;
                continue;
            }
            limit = VenueEntry(static_cast<LONG>(LimitItemValue(*it)));
            break;
        default: b_editable = FALSE; continue;
        }
        a_kinds[u_kind] = true;
        if (b_any && limit != last)
            b_mixed = TRUE;
        last = limit;
        b_any = true;
    }
    const int n_kinds = int(a_kinds[1]) + int(a_kinds[2]) + int(a_kinds[3]);
    if (n_kinds != 1)
        b_editable = FALSE;
    if (b_any) {
        uExact = last.uValue;
        uMin = last.uMin;
        // The maximum as held, even below the minimum: a box showing any
        // other value would hide the range the group check refuses, and
        // the user could not see what to mend.
        uMax = last.uMax;
    }

    bMixed = FALSE;
    if (!b_editable)
        return shown;
    shown.bEnabled = TRUE;
    switch (last.uType) {
    case SchedLim::e_no_limits: shown.iChecked = e_limits_no_limits; break;
    case SchedLim::e_exact:
        shown.iChecked = e_limits_exact;
        shown.bExactEnabled = TRUE;
        break;
    default:
        shown.iChecked = e_limits_range;
        shown.bMinEnabled = TRUE;
        shown.bMaxEnabled = TRUE;
        break;
    }
    if (a_selected.size() > 1 && b_mixed) {
        bMixed = TRUE;
        shown.bMixed = TRUE;
        shown.iChecked = e_limits_button_none;
        shown.bExactEnabled = shown.bMinEnabled = shown.bMaxEnabled = FALSE;
    }
    return shown;
}

void LimitsState::Apply(const std::vector<DWORD>& a_selected, int i_button)
{
    if (i_button < e_limits_no_limits || i_button > e_limits_range)
        return;
    for (auto it = a_selected.rbegin(); it != a_selected.rend(); ++it) {
        const UINT u_kind = LimitItemKind(*it);
        const LONG l_venueKey = static_cast<LONG>(LimitItemValue(*it));
        SchedLim* p_limit = nullptr;
        if (u_kind == e_limit_item_event && !bEnableVenueLimits)
            p_limit = &EventLimits;
        else if (u_kind == e_limit_item_day)
            p_limit = &DayLimits;
        else if (u_kind == e_limit_item_venue && bEnableVenueLimits)
            p_limit = &VenueEntry(l_venueKey);
        if (p_limit == nullptr)
            continue;
        switch (i_button) {
        case e_limits_no_limits:
            p_limit->uType = SchedLim::e_no_limits;
            // A venue without limits needs no entry.
            if (u_kind == e_limit_item_venue)
                VenueLimits.RemoveAt(VenueLimits.FindKey(l_venueKey));
            break;
        case e_limits_exact:
            p_limit->uType = SchedLim::e_exact;
            p_limit->uValue = uExact;
            break;
        default:
            p_limit->uType = SchedLim::e_range;
            p_limit->uMin = uMin;
            p_limit->uMax = std::min(uMax, kMaxLimitValue);
            break;
        }
    }
}

void LimitsState::DefaultAll(const LimitsDefaults& defaults, BOOL b_venueCheckShown)
{
    EventLimits = defaults.EventLimits;
    DayLimits = defaults.DayLimits;
    if (b_venueCheckShown) {
        VenueLimits = defaults.VenueLimits;
        bEnableVenueLimits = defaults.bUseVenueLimits;
    }
}

void LimitsState::DefaultSelection(const std::vector<DWORD>& a_selected, const LimitsDefaults& defaults,
                                   BOOL b_venueCheckShown)
{
    for (const DWORD u_data : a_selected) {
        switch (LimitItemKind(u_data)) {
        case e_limit_item_event: EventLimits = defaults.EventLimits; break;
        case e_limit_item_day: DayLimits = defaults.DayLimits; break;
        case e_limit_item_venue: {
            if (!b_venueCheckShown)
                break;
            const LONG l_venueKey = static_cast<LONG>(LimitItemValue(u_data));
            const int i_default = defaults.VenueLimits.FindKey(l_venueKey);
            VenueEntry(l_venueKey) = i_default >= 0 ? defaults.VenueLimits[i_default].Limit : SchedLim();
            break;
        }
        default: break;
        }
    }
}

void LimitsState::Load(const SchedEntity& entity)
{
    EventLimits = entity.GetEventLimits();
    DayLimits = entity.GetDayLimits();
    VenueLimits = entity.GetVenueLimits();
    bEnableVenueLimits = entity.GetUseVenueLimits();
}

void LimitsState::Save(SchedEntity& entity) const
{
    entity.SetEventLimits(EventLimits);
    entity.SetDayLimits(DayLimits);
    entity.GetVenueLimits() = VenueLimits;
    if (bEnableVenueLimits) {
        entity.SetUseVenueLimits(TRUE);
        entity.GetStoredEventLimits().uType = SchedLim::e_no_limits;
    } else {
        entity.ClearVenueLimits();
    }
}

BOOL LimitsState::DiffersFrom(const SchedEntity& entity) const
{
    if (DayLimits != entity.GetDayLimits())
        return TRUE;
    if (!entity.GetUseVenueLimits())
        return bEnableVenueLimits || EventLimits != entity.GetEventLimits();
    const VenueLimitArray& a_theirs = entity.GetVenueLimits();
    if (!bEnableVenueLimits || VenueLimits.GetSize() != a_theirs.GetSize())
        return TRUE;
    for (int i = 0; i < VenueLimits.GetSize(); ++i) {
        if (VenueLimits[i] != a_theirs[i])
            return TRUE;
    }
    return FALSE;
}
