#include "sheets/TimeslotsRules.h"

#include "model/DayDefSlots.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/KeyList.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSet(const CHighTime& dt) { return dt.GetStatus() == CHighTime::valid; }

CHighTime Unset()
{
    CHighTime dt;
    dt.SetStatus(CHighTime::invalid);
    return dt;
}

bool SameTime(const CHighTime& dt_a, const CHighTime& dt_b)
{
    if (IsSet(dt_a) != IsSet(dt_b))
        return false;
    return !IsSet(dt_a) || dt_a == dt_b;
}

// A typed time of day on the layouts' base date; unset when it does not
// read as a time.
CHighTime ParseTime(const std::string& s_text, BOOL b_end)
{
    ZelOleDateTime o_time;
    if (s_text.empty() || !o_time.SetTimeFromString(s_text.c_str()) || !o_time.IsValid())
        return Unset();
    CHighTime dt = o_time;
    SetSlotBaseDate(dt, b_end);
    return dt;
}

} // namespace

CHighTime TimeslotsPageCore::DefaultDayStart() { return CHighTime(2000, 1, 1, 9, 0, 0); }

CHighTime TimeslotsPageCore::DefaultDayEnd() { return CHighTime(2000, 1, 1, 17, 0, 0); }

std::vector<TimeslotsPageCore::Venue> TimeslotsPageCore::VenuesOf(const EventDoc& doc)
{
    std::vector<Venue> v_venues;
    const VenueList& venues = doc.GetVenues();
    for (int i = 0; i < venues.GetNumVenues(); ++i)
        v_venues.push_back({venues.GetVenue(i).GetKey(), venues.GetVenue(i).GetName()});
    return v_venues;
}

ZelArrayWithFind<long> TimeslotsPageCore::VenueKeys() const
{
    ZelArrayWithFind<long> a_keys;
    for (const Venue& venue : vVenues)
        a_keys.Add(venue.lKey);
    return a_keys;
}

void TimeslotsPageCore::Initialise(BOOL b_24Hour)
{
    if (bInitialised)
        return;
    bInitialised = true;
    b24Hour = b_24Hour ? TRUE : FALSE;
    dtStart = DefaultDayStart();
    dtEnd = DefaultDayEnd();
    uLength = nDefaultMinutes;
}

std::vector<std::string> TimeslotsPageCore::DayLines(const EventDefinition& def)
{
    std::vector<std::string> v_lines;
    const DayDefBase& days = def.GetDayDef();
    for (int i = 0; i < days.GetNumDays(); ++i) {
        if (def.GetDaySel() == EventDefinition::eCalendar)
            v_lines.push_back(def.GetCalendarDays().FormatDate(def.GetCalendarDays().GetDate(i)));
        else
            v_lines.push_back(days.GetDayName(i));
    }
    return v_lines;
}

void TimeslotsPageCore::Load(const EventDefinition& def)
{
    Def = def;
    const DayDefBase& days = Def.GetDayDef();
    vLayouts.clear();
    const int n_days = std::min(days.GetNumDays(), days.GetNumLayouts());
    for (int i = 0; i < n_days; ++i)
        vLayouts.push_back(days.GetDaySlots(i));
    vSelected.erase(std::remove_if(vSelected.begin(), vSelected.end(), [&](int i) { return i >= n_days; }),
                    vSelected.end());
}

void TimeslotsPageCore::SetSelection(std::vector<int> v_selected)
{
    std::sort(v_selected.begin(), v_selected.end());
    v_selected.erase(std::unique(v_selected.begin(), v_selected.end()), v_selected.end());
    v_selected.erase(std::remove_if(v_selected.begin(), v_selected.end(),
                                    [&](int i) { return i < 0 || i >= GetNumDays(); }),
                     v_selected.end());
    vSelected = std::move(v_selected);
}

bool TimeslotsPageCore::SelectionFitsLayouts() const
{
    return !vSelected.empty() && vSelected.size() <= vLayouts.size();
}

TimeslotsGridPlan TimeslotsPageCore::Rebuild()
{
    TimeslotsGridPlan plan;
    if (vSelected.empty())
        return plan;
    plan.bEnabled = true;
    const DayDefBase& days = DayDef();
    const std::vector<std::string> v_lines = DayLines(Def);

    // The merge of the shown days' simple settings, column by column.
    int i_advanced = TSP_UNCHECKED;
    int i_eachVenue = TSP_UNCHECKED;
    CHighTime dt_start = Unset();
    CHighTime dt_end = Unset();
    UINT u_length = 0;
    for (std::size_t i = 0; i < vSelected.size(); ++i) {
        const int i_day = vSelected[i];
        const DayDefSlots& layout = vLayouts[static_cast<std::size_t>(i_day)];
        TimeslotsGridColumn column;
        column.iDay = i_day;
        column.sName = static_cast<std::size_t>(i_day) < v_lines.size() ? v_lines[static_cast<std::size_t>(i_day)] : "";
        column.bPerVenue = !layout.IsAllVenues();
        column.Slots = layout.GetSlots();
        plan.bAnySlot = plan.bAnySlot || layout.GetNumSlots() > 0;
        plan.vColumns.push_back(std::move(column));

        const bool b_simple = layout.IsGenerated() != FALSE;
        const int i_perVenue = layout.IsAllVenues() ? TSP_UNCHECKED : TSP_CHECKED;
        if (i == 0) {
            if (b_simple) {
                dt_start = layout.GetFirstStart();
                dt_end = layout.GetLastEnd();
                u_length = static_cast<UINT>(std::max<LONG>(layout.GetSlotMinutes(), 0));
                i_advanced = TSP_UNCHECKED;
                i_eachVenue = TSP_UNCHECKED;
            } else {
                i_advanced = TSP_CHECKED;
                i_eachVenue = i_perVenue;
            }
            continue;
        }
        if (i_advanced == TSP_UNCHECKED && b_simple) {
            if (!SameTime(dt_start, layout.GetFirstStart()))
                dt_start = Unset();
            if (!SameTime(dt_end, layout.GetLastEnd()))
                dt_end = Unset();
            if (static_cast<LONG>(u_length) != layout.GetSlotMinutes())
                u_length = 0;
        }
        if ((i_advanced == TSP_UNCHECKED && !b_simple) || (i_advanced == TSP_CHECKED && b_simple)) {
            i_advanced = TSP_INDETERMINATE;
            dt_start = Unset();
            dt_end = Unset();
            u_length = 0;
        }
        if (i_perVenue != i_eachVenue)
            i_eachVenue = TSP_INDETERMINATE;
    }

    // The limits of consecutive days: a column that runs on from its
    // predecessor is marked as such; any other column is limited by the
    // layouts of the days around it in the definition that cross midnight.
    const int n_columns = static_cast<int>(vSelected.size());
    const int n_days = GetNumDays();
    auto layout_of = [&](int i_day) { return &vLayouts[static_cast<std::size_t>(i_day)]; };
    for (int i = 0; i < n_columns; ++i) {
        const int i_prevColumn = i == 0 ? n_columns - 1 : i - 1;
        const int i_day = vSelected[static_cast<std::size_t>(i)];
        TimeslotsGridColumn& column = plan.vColumns[static_cast<std::size_t>(i)];
        if (days.IsConsecutive(vSelected[static_cast<std::size_t>(i_prevColumn)], i_day)) {
            column.bConsec = true;
            continue;
        }
        const int i_before = i_day == 0 ? n_days - 1 : i_day - 1;
        if (days.IsConsecutive(i_before, i_day))
            column.pStartLimit = layout_of(i_before);
        const int i_after = i_day + 1 >= n_days ? 0 : i_day + 1;
        if (days.IsConsecutive(i_day, i_after))
            column.pEndLimit = layout_of(i_after);
    }
    const int i_last = vSelected.back();
    if (!days.IsConsecutive(i_last, vSelected.front())) {
        const int i_after = i_last + 1 >= n_days ? 0 : i_last + 1;
        if (days.IsConsecutive(i_last, i_after))
            plan.vColumns.back().pEndLimit = layout_of(i_after);
    }

    if (u_length != 0)
        plan.uSlotSeconds = u_length * 60;
    if (i_advanced == TSP_UNCHECKED) {
        dtStart = dt_start;
        dtEnd = dt_end;
        uLength = u_length;
    }
    plan.bReadOnly = i_advanced != TSP_CHECKED;
    iAdvanced = i_advanced;
    iEachVenue = i_eachVenue;
    return plan;
}

std::string TimeslotsPageCore::TimeText(const CHighTime& dt) const
{
    if (!IsSimpleMode() || !IsSet(dt))
        return {};
    const ZelOleDateTime o_time(dt);
    return b24Hour ? o_time.FormatHHMM() : o_time.FormatAMPM(TRUE);
}

std::string TimeslotsPageCore::LengthText() const
{
    if (!IsSimpleMode() || uLength == 0)
        return {};
    return std::to_string(uLength);
}

bool TimeslotsPageCore::Exchange(const std::string& s_start, const std::string& s_end, const std::string& s_length)
{
    const CHighTime dt_start = ParseTime(s_start, FALSE);
    const CHighTime dt_end = ParseTime(s_end, TRUE);
    if (IsSet(dt_start) && IsSet(dt_end) && !(dt_start < dt_end)) {
        ShowMessageId(IDS_DAY_START_NOT_BEFORE_END, "", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    UINT u_length = uLength;
    if (!s_length.empty()) {
        // Digits only, and few enough of them to be read safely.
        const bool b_digits = s_length.size() <= 9
            && std::all_of(s_length.begin(), s_length.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        const long l_value = b_digits ? std::stol(s_length) : -1;
        if (l_value < 1 || l_value > 1440) {
            ShowMessageId(IDS_SLOT_LENGTH_RANGE, "", MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        u_length = static_cast<UINT>(l_value);
    }
    dtStart = dt_start;
    dtEnd = dt_end;
    uLength = u_length;
    return true;
}

bool TimeslotsPageCore::ApplySimple()
{
    if (!bInitialised)
        return false;
    if (!IsSet(dtStart) && !IsSet(dtEnd) && uLength == 0)
        return false;
    const DayDefBase& days = DayDef();
    const int n_days = GetNumDays();
    for (int i_day : vSelected) {
        const DayDefSlots* p_prev = i_day > 0 && days.IsConsecutive(i_day - 1, i_day) ? &vLayouts[static_cast<std::size_t>(i_day - 1)] : nullptr;
        const DayDefSlots* p_next =
            i_day + 1 < n_days && days.IsConsecutive(i_day, i_day + 1) ? &vLayouts[static_cast<std::size_t>(i_day + 1)] : nullptr;
        vLayouts[static_cast<std::size_t>(i_day)].GenerateSlots(dtStart, dtEnd, static_cast<int>(uLength), p_prev, p_next);
    }
    return !vSelected.empty();
}

void TimeslotsPageCore::SetAdvanced(bool b_checked)
{
    if (!b_checked) {
        iAdvanced = TSP_UNCHECKED;
        iEachVenue = TSP_UNCHECKED;
        ApplySimple();
        return;
    }
    iAdvanced = TSP_CHECKED;
    if (!SelectionFitsLayouts())
        return;
    for (int i_day : vSelected) {
        DayDefSlots& layout = vLayouts[static_cast<std::size_t>(i_day)];
        const ZelRelTimeslotArray a_slots = layout.GetSlots();
        layout.SetSlotArray(a_slots);
    }
}

void TimeslotsPageCore::SetEachVenue(bool b_checked)
{
    iEachVenue = b_checked ? TSP_CHECKED : TSP_UNCHECKED;
    if (!SelectionFitsLayouts())
        return;
    KeyList keys(static_cast<int>(std::max<std::size_t>(vVenues.size(), 1)));
    for (std::size_t i = 0; i < vVenues.size(); ++i)
        keys.SetAt(static_cast<int>(i), vVenues[i].lKey);
    for (int i_day : vSelected) {
        DayDefSlots& layout = vLayouts[static_cast<std::size_t>(i_day)];
        const BOOL b_common = layout.IsGenerated() || !b_checked;
        layout.SetAllVenues(b_common);
        if (!layout.IsAllVenues())
            layout.RepeatForVenues(static_cast<int>(vVenues.size()), keys);
    }
}

void TimeslotsPageCore::GridChanged(int i_column, const ZelRelTimeslotArray& a_slots)
{
    if (i_column < 0 || static_cast<std::size_t>(i_column) >= vSelected.size())
        return;
    vLayouts[static_cast<std::size_t>(vSelected[static_cast<std::size_t>(i_column)])].SetSlotArray(a_slots);
}

void TimeslotsPageCore::WriteLayouts(EventDefinition& def) const
{
    DayDefBase& days = def.GetDayDef();
    const int n_layouts = std::min(static_cast<int>(vLayouts.size()), days.GetNumLayouts());
    for (int i = 0; i < n_layouts; ++i)
        days.GetDaySlots(i).CopySlots(vLayouts[static_cast<std::size_t>(i)]);
    days.Set24Hour(b24Hour);
}
