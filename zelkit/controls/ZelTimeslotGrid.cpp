#include "zelkit/controls/ZelTimeslotGrid.h"

#include "zelkit/base/ZelAssert.h"
#include "zelkit/windows/ZelNotifyCodes.h"

#include <algorithm>
#include <cstdio>

namespace {

// The grid before it has a window: nothing to draw on, nobody to tell.
class NoHost : public IZelTimeslotHost {
public:
    BOOL HasWindow() const override { return FALSE; }
    CRect GetClientArea() const override { return {}; }
    BOOL IsWindowEnabled() const override { return TRUE; }
    BOOL HasKeyboardFocus() const override { return FALSE; }
    void TakeKeyboardFocus() override {}
    void Invalidate(const CRect*, BOOL) override {}
    long Notify(int, void*) override { return 0; }
    BOOL GetScrollInfo(int, ZelScrollInfo&) override { return FALSE; }
    void SetScrollInfo(int, const ZelScrollInfo&) override {}
    void ScrollArea(LONG, LONG, const CRect&) override {}
    void SetRedraw(BOOL) override {}
    int GetParentFontPoints() override { return 0; }
    std::unique_ptr<IZelDrawPort> CreateMeasurePort() override { return nullptr; }
    void SetPointerCursor(ZelCursorKind) override {}
    CPoint GetCursorClientPoint() override { return {}; }
    void ShowTip(const std::string&, const CPoint&) override {}
    void HideTip() override {}
    BOOL GetClipboardText(std::string&) override { return FALSE; }
    BOOL SetClipboardText(const std::string&) override { return FALSE; }
    DWORD DoDragDrop(const std::string&) override { return DROPEFFECT_NONE; }
    void TrackPopupMenu(const ZelMenu&, const CPoint&) override {}
    BOOL AskSlotLength(UINT&) override { return FALSE; }
    BOOL AskResolution(UINT&, int&) override { return FALSE; }
    BOOL AskCombinationName(const ZelTimeslotCombinationList&, std::string&) override { return FALSE; }
};

class NoPorts : public IZelMetricsPort, public IZelTimerPort, public IZelBeepPort {
public:
    int GetSystemMetrics(int i_index) override { return ZelDefaultSystemMetrics(i_index); }
    COLORREF GetSysColor(int i_index) override { return ZelDefaultSysColor(i_index); }
    void StartTimer(UINT, UINT) override {}
    void KillTimer(UINT) override {}
    DWORD GetTickCount() override { return 0; }
    void Beep() override {}
};

NoHost g_noHost;
NoPorts g_noPorts;

std::string Numbered(const char* p_format, unsigned u_number)
{
    char sz[64];
    std::snprintf(sz, sizeof sz, p_format, u_number);
    return sz;
}

ZelOleDateTime Later(const ZelOleDateTime& a, const ZelOleDateTime& b) { return b > a ? b : a; }
ZelOleDateTime Earlier(const ZelOleDateTime& a, const ZelOleDateTime& b) { return b < a ? b : a; }

} // namespace

// ------------------------------------------------------------------ DaySet

void ZelTimeslotGrid::DaySet::SetSize(int n_sets)
{
    ZEL_ASSERT(n_sets >= 0);
    nSets = n_sets;
    Lists.RemoveAll();
    Lists.SetSize(n_sets);
}

ZelTimeslotList& ZelTimeslotGrid::DaySet::operator[](int i_set)
{
    ZEL_ASSERT(0 <= i_set && i_set < nSets);
    return Lists[i_set];
}

const ZelTimeslotList& ZelTimeslotGrid::DaySet::operator[](int i_set) const
{
    ZEL_ASSERT(0 <= i_set && i_set < nSets);
    return Lists[i_set];
}

ZelOleDateTime ZelTimeslotGrid::DaySet::GetLatestEnd() const
{
    ZelOleDateTime dt_latest;
    for (int i = 0; i < nSets; ++i) {
        const ZelOleDateTime dt_last = Lists[i].GetLastTime();
        if (dt_last.IsValid() && (!dt_latest.IsValid() || dt_last > dt_latest))
            dt_latest = dt_last;
    }
    return dt_latest;
}

ZelOleDateTime ZelTimeslotGrid::DaySet::GetEarliestStart() const
{
    ZelOleDateTime dt_earliest;
    for (int i = 0; i < nSets; ++i) {
        if (Lists[i].GetCount() == 0)
            continue;
        const ZelOleDateTime dt_first = Lists[i].GetFirstTime();
        if (dt_first.IsValid() && (!dt_earliest.IsValid() || dt_first < dt_earliest))
            dt_earliest = dt_first;
    }
    return dt_earliest;
}

int ZelTimeslotGrid::DaySet::CountSlots() const
{
    int n = 0;
    for (int i = 0; i < nSets; ++i)
        n += Lists[i].GetCount();
    return n;
}

// ---------------------------------------------------------------- DayArray

void ZelTimeslotGrid::DayArray::SetSize(int n_days)
{
    ZEL_ASSERT(n_days >= 0);
    nDays = n_days;
    Days.RemoveAll();
    Days.SetSize(n_days);
    for (int i = 0; i < n_days; ++i)
        Days[i].SetSize(1);
}

ZelTimeslotGrid::DaySet& ZelTimeslotGrid::DayArray::operator[](int i_day)
{
    ZEL_ASSERT(0 <= i_day && i_day < nDays);
    return Days[i_day];
}

const ZelTimeslotGrid::DaySet& ZelTimeslotGrid::DayArray::operator[](int i_day) const
{
    ZEL_ASSERT(0 <= i_day && i_day < nDays);
    return Days[i_day];
}

int ZelTimeslotGrid::DayArray::CountSlots() const
{
    int n = 0;
    for (int i = 0; i < nDays; ++i)
        n += Days[i].CountSlots();
    return n;
}

// ------------------------------------------------------------ construction

const ZelOleDateTime& ZelTimeslotGrid::dtNomDate()
{
    static const ZelOleDateTime dt(2000, 1, 1, 0, 0, 0);
    return dt;
}

ZelTimeslotSettings& ZelTimeslotGrid::Settings()
{
    static ZelTimeslotSettings settings;
    return settings;
}

ZelTimeslotGrid::ZelTimeslotGrid(int b_use_prev_spacing)
    : pHost(&g_noHost), pMetrics(&g_noPorts), pTimers(&g_noPorts), pBeep(&g_noPorts), uSlotLength(Settings().uPrevSlotLength), b24Hour(Settings().bPrev24Hour)
{
    SetNumDays(1);
    UsePrevSpacing(b_use_prev_spacing);
}

ZelTimeslotGrid::~ZelTimeslotGrid() = default;

void ZelTimeslotGrid::SetHost(IZelTimeslotHost* p_host, IZelMetricsPort* p_metrics, IZelTimerPort* p_timers,
                              IZelBeepPort* p_beep)
{
    pHost = p_host ? p_host : &g_noHost;
    pMetrics = p_metrics ? p_metrics : &g_noPorts;
    pTimers = p_timers ? p_timers : &g_noPorts;
    pBeep = p_beep ? p_beep : &g_noPorts;
}

// ------------------------------------------------------ days, sets, names

void ZelTimeslotGrid::SetNumDays(UINT n_days)
{
    nDays = std::max<UINT>(n_days, 1);
    DayDefinitions.RemoveAll();
    DayNames.RemoveAll();

    const ZelOleDateTimeSpan dts_window(2, 0, 0, 0);
    ZelOleDateTime dt_start = dtNomDate() - dtsHalfDayLength();
    for (UINT u = 0; u < nDays; ++u) {
        DayNames.Add(Numbered("Day %u", u + 1));
        DayDef def;
        def.dtDayStart = dt_start;
        def.dtDayEnd = dt_start + dts_window;
        def.SetNames.Add(Numbered("Set %u", 1));
        DayDefinitions.Add(def);
        dt_start = def.dtDayEnd + dtsDayLength();
    }

    dtAxisStart = DayDefinitions[0].dtDayStart;
    dtDisplayStart = dtAxisStart + dtsDayLength();
    dtDisplayStart.SetTimeOnly(0, 0, 0);
    dtDisplayEnd = dtDisplayStart + dtsDayLength();
    dtAxisEnd = dtAxisStart + dts_window;

    Days.SetSize(static_cast<int>(nDays));
    ComputeAreas();
    pHost->Invalidate(nullptr, FALSE);
}

void ZelTimeslotGrid::SetNumSets(int i_day, UINT n_sets)
{
    CheckDay(i_day);
    n_sets = std::max<UINT>(n_sets, 1);
    Days[i_day].SetSize(static_cast<int>(n_sets));
    ZelStringArray& names = DayDefinitions[i_day].SetNames;
    names.RemoveAll();
    for (UINT u = 0; u < n_sets; ++u)
        names.Add(Numbered("Set %u", u + 1));
    ComputeAreas();
    pHost->Invalidate(nullptr, FALSE);
}

void ZelTimeslotGrid::SetDayName(int i_day, const std::string& s_name)
{
    if (i_day < 0 || i_day >= static_cast<int>(nDays))
        return;
    DayNames.SetAtGrow(i_day, s_name);
}

void ZelTimeslotGrid::SetSetName(int i_day, int i_set, const std::string& s_name)
{
    CheckSet(i_day, i_set);
    DayDefinitions[i_day].SetNames.SetAtGrow(i_set, s_name);
}

const std::string& ZelTimeslotGrid::GetDayName(int i_day) const
{
    CheckDay(i_day);
    return DayNames[i_day];
}

const std::string& ZelTimeslotGrid::GetSetName(int i_day, int i_set) const
{
    CheckSet(i_day, i_set);
    return DayDefinitions[i_day].SetNames[i_set];
}

int ZelTimeslotGrid::GetNumSets(int i_day, const DayArray* p_days) const
{
    const DayArray& days = p_days ? *p_days : Days;
    return days[i_day].GetSize();
}

int ZelTimeslotGrid::GetMaxSets() const
{
    int n_max = 0;
    for (int i = 0; i < Days.GetSize(); ++i)
        n_max = std::max(n_max, Days[i].GetSize());
    return n_max;
}

int ZelTimeslotGrid::GetTotalSets() const
{
    int n_total = 0;
    for (int i = 0; i < Days.GetSize(); ++i)
        n_total += Days[i].GetSize();
    return n_total;
}

int ZelTimeslotGrid::GetSetIndex(int i_day, int i_set) const
{
    CheckDay(i_day);
    int i_index = i_set;
    for (int i = 0; i < i_day; ++i)
        i_index += Days[i].GetSize();
    return i_index;
}

int ZelTimeslotGrid::GetSetIndexWithinDay(int i_index, int* p_day) const
{
    int i_day = 0;
    while (i_day < Days.GetSize() && i_index >= Days[i_day].GetSize()) {
        i_index -= Days[i_day].GetSize();
        ++i_day;
    }
    if (p_day)
        *p_day = i_day;
    return i_index;
}

int ZelTimeslotGrid::GetDayIndex(int i_index, int* p_within) const
{
    int i_day = 0;
    const int i_within = GetSetIndexWithinDay(i_index, &i_day);
    if (p_within)
        *p_within = i_within;
    return i_day;
}

ZelTimeslotList& ZelTimeslotGrid::GetTimeslotList(int i_day, int i_set)
{
    CheckSet(i_day, i_set);
    return Days[i_day][i_set];
}

const ZelTimeslotList& ZelTimeslotGrid::GetTimeslotList(int i_day, int i_set) const
{
    CheckSet(i_day, i_set);
    return Days[i_day][i_set];
}

const ZelOleDateTime& ZelTimeslotGrid::GetDayStart(UINT u_day) const
{
    CheckDay(static_cast<int>(u_day));
    return DayDefinitions[static_cast<int>(u_day)].dtDayStart;
}

const ZelOleDateTime& ZelTimeslotGrid::GetDayEnd(UINT u_day) const
{
    CheckDay(static_cast<int>(u_day));
    return DayDefinitions[static_cast<int>(u_day)].dtDayEnd;
}

int ZelTimeslotGrid::FindDay(const ZelOleDateTime& dt_time) const
{
    if (!dt_time.IsValid())
        return -1;
    for (int i = 0; i < DayDefinitions.GetSize(); ++i)
        if (DayDefinitions[i].dtDayStart <= dt_time && dt_time <= DayDefinitions[i].dtDayEnd)
            return i;
    return -1;
}

ZelOleDateTime ZelTimeslotGrid::ChangeDay(UINT u_day, const ZelOleDateTime& dt_time, int i_from_day) const
{
    if (i_from_day < 0)
        i_from_day = FindDay(dt_time);
    if (i_from_day < 0 || !dt_time.IsValid())
        return dt_time;
    return GetDayStart(u_day) + (dt_time - GetDayStart(static_cast<UINT>(i_from_day)));
}

ZelOleDateTime ZelTimeslotGrid::GetDisplayTime(const ZelOleDateTime& dt_time) const
{
    if (!dt_time.IsValid())
        return dt_time;
    const int i_day = FindDay(dt_time);
    if (i_day < 0)
        return dt_time < dtAxisStart ? dtAxisStart : dtAxisEnd;
    return dtAxisStart + (dt_time - DayDefinitions[i_day].dtDayStart);
}

ZelOleDateTime ZelTimeslotGrid::GetDayTime(UINT u_day, const ZelOleDateTime& dt_axis) const
{
    if (!dt_axis.IsValid())
        return dt_axis;
    return GetDayStart(u_day) + (dt_axis - dtAxisStart);
}

ZelOleDateTime ZelTimeslotGrid::GetMidnight(int i_day) const
{
    CheckDay(i_day);
    return DayDefinitions[i_day].dtDayStart + dtsHalfDayLength();
}

void ZelTimeslotGrid::CheckDay(int i_day) const
{
    ZEL_ASSERT(0 <= i_day && i_day < static_cast<int>(nDays));
    ZEL_ASSERT(i_day < DayDefinitions.GetSize() && i_day < Days.GetSize());
}

void ZelTimeslotGrid::CheckSet(int i_day, int i_set) const
{
    CheckDay(i_day);
    ZEL_ASSERT(0 <= i_set && i_set < Days[i_day].GetSize());
}

// ------------------------------------------------ consecutive days, limits

void ZelTimeslotGrid::SetConsec(int i_day_index, int b_consec)
{
    ZEL_ASSERT(0 <= i_day_index && i_day_index < (int) nDays);
    ZEL_ASSERT(i_day_index < DayDefinitions.GetSize());
    DayDefinitions[i_day_index].bConsec = b_consec;
    if (b_consec) {
        DayDefinitions[i_day_index].dtStartLimit.SetNull();
        const int i_prev = i_day_index == 0 ? static_cast<int>(nDays) - 1 : i_day_index - 1;
        DayDefinitions[i_prev].dtEndLimit.SetNull();
    }
}

int ZelTimeslotGrid::IsConsec(UINT u_day) const
{
    CheckDay(static_cast<int>(u_day));
    return DayDefinitions[static_cast<int>(u_day)].bConsec;
}

void ZelTimeslotGrid::SetStartLimit(int i_day, const ZelRelTimeslotArray& a_before)
{
    CheckDay(i_day);
    DayDef& def = DayDefinitions[i_day];
    def.dtStartLimit.SetNull();
    // The latest end over the whole array: with the slots of several sets
    // the last element (ordered by set key first) need not end last.
    bool b_found = false;
    ZelOleDateTimeSpan dts_latest;
    for (int i = 0; i < a_before.GetSize(); ++i) {
        const ZelRelTimeslot& slot = a_before[i];
        if (!slot.IsValid())
            continue;
        const ZelOleDateTimeSpan dts_end = slot.GetStart() + slot.GetLength();
        if (!b_found || dts_end > dts_latest)
            dts_latest = dts_end;
        b_found = true;
    }
    if (!b_found)
        return;
    const ZelOleDateTimeSpan dts_x = dts_latest - dtsHalfDayLength();
    if (!dts_x.IsNegative())
        def.dtStartLimit = def.dtDayStart + dts_x;
}

void ZelTimeslotGrid::SetEndLimit(int i_day, const ZelRelTimeslotArray& a_after)
{
    CheckDay(i_day);
    DayDef& def = DayDefinitions[i_day];
    def.dtEndLimit.SetNull();
    // The earliest start over the whole array, for the same reason.
    bool b_found = false;
    ZelOleDateTimeSpan dts_earliest;
    for (int i = 0; i < a_after.GetSize(); ++i) {
        const ZelRelTimeslot& slot = a_after[i];
        if (!slot.IsValid())
            continue;
        if (!b_found || slot.GetStart() < dts_earliest)
            dts_earliest = slot.GetStart();
        b_found = true;
    }
    if (!b_found)
        return;
    const ZelOleDateTimeSpan dts_y = dts_earliest - dtsHalfDayLength();
    if (dts_y.IsNegative())
        def.dtEndLimit = def.dtDayEnd + dts_y;
}

ZelOleDateTime ZelTimeslotGrid::GetDayStartLimit(UINT u_day) const
{
    const int i_day = static_cast<int>(u_day);
    CheckDay(i_day);
    const DayDef& def = DayDefinitions[i_day];
    ZelOleDateTime dt_base = def.dtDayStart;
    const ZelOleDateTime dt_latest = Days[i_day].GetLatestEnd();
    if (dt_latest.IsValid())
        dt_base = Later(dt_base, dt_latest - dtsDayLength());

    if (def.dtStartLimit.IsValid())
        return Later(dt_base, def.dtStartLimit);
    if (def.bConsec) {
        const int i_prev = i_day == 0 ? static_cast<int>(nDays) - 1 : i_day - 1;
        if (Days[i_prev].CountSlots() > 0) {
            const ZelOleDateTime dt_last = Days[i_prev].GetLatestEnd();
            ZEL_ASSERT(!dt_last.IsNull());
            const ZelOleDateTimeSpan dts_d = dt_last - (DayDefinitions[i_prev].dtDayStart + dtsDayLength());
            if (!dts_d.IsNegative())
                return Later(dt_base, def.dtDayStart + dts_d);
        }
    }
    return dt_base;
}

ZelOleDateTime ZelTimeslotGrid::GetDayEndLimit(UINT u_day) const
{
    const int i_day = static_cast<int>(u_day);
    CheckDay(i_day);
    const DayDef& def = DayDefinitions[i_day];
    ZelOleDateTime dt_base = def.dtDayEnd;
    const ZelOleDateTime dt_earliest = Days[i_day].GetEarliestStart();
    if (dt_earliest.IsValid())
        dt_base = Earlier(dt_base, dt_earliest + dtsDayLength());

    if (def.dtEndLimit.IsValid())
        return Earlier(dt_base, def.dtEndLimit);
    const int i_next = i_day + 1 >= static_cast<int>(nDays) ? 0 : i_day + 1;
    if (DayDefinitions[i_next].bConsec && Days[i_next].CountSlots() > 0) {
        const ZelOleDateTime dt_first = Days[i_next].GetEarliestStart();
        ZEL_ASSERT(!dt_first.IsNull());
        const ZelOleDateTimeSpan dts_d = dt_first - (DayDefinitions[i_next].dtDayStart + dtsDayLength());
        if (dts_d.IsNegative())
            return Earlier(dt_base, def.dtDayEnd + dts_d);
    }
    return dt_base;
}

// ------------------------------------------------------- the owner's slots

int ZelTimeslotGrid::SetTimeslots(int i_day, const ZelRelTimeslotArray& a_slots, int b_recompute,
                                  const ZelArrayWithFind<long>* p_set_keys)
{
    const ZelOleDateTime dt_midnight = GetMidnight(i_day);
    DaySet& day = Days[i_day];
    for (int s = 0; s < day.GetSize(); ++s)
        day[s].RemoveAll();

    int b_all = 1;
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        const ZelRelTimeslot& rel = a_slots[i];
        int i_set = 0;
        if (p_set_keys != nullptr && rel.GetSetKey() >= 0) {
            // The first key equal to the slot's: the keys are in the owner's
            // order, not sorted, so this is a walk rather than a bisection.
            const long l_key = rel.GetSetKey();
            const auto p_compare = p_set_keys->GetCompareFunc();
            i_set = -1;
            for (int k = 0; k < p_set_keys->GetSize(); ++k) {
                const long& l_entry = (*p_set_keys)[k];
                if (p_compare ? p_compare(&l_key, &l_entry) == 0 : l_key == l_entry) {
                    i_set = k;
                    break;
                }
            }
            if (i_set < 0 || i_set >= day.GetSize()) {
                b_all = 0;
                continue;
            }
        }
        ZelTimeslot slot(dt_midnight + rel.GetStart(), rel.GetLength(), static_cast<WORD>(i_set),
                         static_cast<DWORD>(rel.GetItemData()));
        slot.SetCombinationKey(rel.GetCombinationKey());
        slot.Select(rel.IsSelected() != 0);
        if (day[i_set].Add(slot) != ZelTimeslotList::Added)
            b_all = 0;
    }
    if (b_recompute)
        Recompute();
    return b_all;
}

void ZelTimeslotGrid::GetTimeslots(int i_day, ZelRelTimeslotArray& a_out, const ZelArrayWithFind<long>& a_set_keys) const
{
    a_out.RemoveAll();
    const ZelOleDateTime dt_midnight = GetMidnight(i_day);
    const DaySet& day = Days[i_day];
    for (int s = 0; s < day.GetSize(); ++s) {
        const long l_key = s < a_set_keys.GetSize() ? a_set_keys[s] : -1;
        const ZelTimeslotList& list = day[s];
        for (int i = 0; i < list.GetCount(); ++i) {
            const ZelTimeslot& slot = list[i];
            ZelRelTimeslot rel(slot.GetStart() - dt_midnight, slot.GetLengthSpan(), static_cast<LONG>(l_key));
            rel.SetSelected(slot.IsSelected());
            rel.SetItemData(static_cast<LONG>(slot.GetItemData()));
            rel.SetCombinationKey(slot.GetCombinationKey());
            int i_insert = 0;
            const int i_found = a_out.Find(rel, &i_insert);
            a_out.InsertAt(i_found >= 0 ? i_found : i_insert, rel);
        }
    }
}

void ZelTimeslotGrid::UpdateItemData(int i_day, const ZelRelTimeslotArray& a_slots,
                                     const ZelArrayWithFind<long>& a_set_keys)
{
    const ZelOleDateTime dt_midnight = GetMidnight(i_day);
    DaySet& day = Days[i_day];
    for (int s = 0; s < day.GetSize(); ++s) {
        const long l_key = s < a_set_keys.GetSize() ? a_set_keys[s] : -1;
        ZelTimeslotList& list = day[s];
        for (int i = 0; i < list.GetCount(); ++i) {
            ZelTimeslot& slot = list[i];
            const ZelRelTimeslot rel(slot.GetStart() - dt_midnight, slot.GetLengthSpan(), static_cast<LONG>(l_key));
            const int i_found = a_slots.Find(rel);
            if (i_found >= 0)
                slot.SetItemData(static_cast<DWORD>(a_slots[i_found].GetItemData()));
        }
    }
}

int ZelTimeslotGrid::CountSelected() const
{
    int n = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s)
            n += Days[d][s].CountSelected();
    return n;
}

void ZelTimeslotGrid::SetCombinations(const ZelTimeslotCombinationList& combinations)
{
    Combinations = combinations;
    bCombinationsSet = 1;
}

// ------------------------------------------------------ flags and settings

int ZelTimeslotGrid::SetReadOnly(int b_read_only)
{
    const int b_previous = bReadOnly;
    bReadOnly = b_read_only;
    return b_previous;
}

void ZelTimeslotGrid::Set24Hour(int b_24_hour)
{
    if ((b_24_hour != 0) == (b24Hour != 0))
        return;
    b24Hour = b_24_hour;
    Recompute();
    MakeFocusVisible(0);
}

void ZelTimeslotGrid::Save24Hour()
{
    Settings().bPrev24Hour = b24Hour;
}

void ZelTimeslotGrid::UsePrevSpacing(int b_use)
{
    bUsePrevSpacing = b_use;
    if (b_use) {
        dtsSpacing = Settings().dtsPrevSpacing;
    } else {
        dtsSpacing = dtsDefSpacing();
        Settings().dtsUserResolution = dtsDefUserResolution();
        Settings().bUserAutoResolution = 1;
    }
}

int ZelTimeslotGrid::SetPositionTips(int b_tips)
{
    const int b_previous = bPositionTips;
    bPositionTips = b_tips;
    return b_previous;
}

int ZelTimeslotGrid::ShowTimeslotText(int b_show)
{
    const int b_previous = bShowSlotText;
    bShowSlotText = b_show;
    CheckSlotSizes();
    pHost->Invalidate(nullptr, TRUE);
    return b_previous;
}

int ZelTimeslotGrid::ShowTipsAlways(int b_always)
{
    const int b_previous = bTipsAlways;
    bTipsAlways = b_always;
    return b_previous;
}

int ZelTimeslotGrid::SetMagnifyMode(int b_magnify)
{
    const int b_previous = bMagnify;
    bMagnify = b_magnify;
    return b_previous;
}

void ZelTimeslotGrid::Recompute()
{
    ComputeAreas();
    pHost->Invalidate(nullptr, TRUE);
}

void ZelTimeslotGrid::OnEnable()
{
    pHost->Invalidate(nullptr, TRUE);
}

// -------------------------------------------------- notifications and undo

void ZelTimeslotGrid::Changed()
{
    pHost->Notify(ZTSN_CHANGED, nullptr);
}

void ZelTimeslotGrid::SelectionChanged()
{
    pHost->Notify(ZTSN_SELCHANGED, nullptr);
}

void ZelTimeslotGrid::Save4Undo()
{
    RedoList.clear();
    UndoList.push_front(Days);
}

void ZelTimeslotGrid::DiscardUndo()
{
    ZEL_ASSERT(!UndoList.empty());
    UndoList.pop_front();
}

void ZelTimeslotGrid::SaveLastSelection(int i_day, int i_set, int i_slot)
{
    iLastDay = i_day;
    iLastSet = i_set;
    iLastSlot = i_slot;
}
