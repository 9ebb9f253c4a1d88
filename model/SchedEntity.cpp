#include "model/SchedEntity.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Timetable.h"
#include "zelkit/base/ZelStringArray.h"

namespace {

std::string Number(UINT u) { return std::to_string(u); }

ZelStringArray Args(std::initializer_list<std::string> a_args)
{
    ZelStringArray a;
    for (const std::string& s : a_args)
        a.Add(s);
    return a;
}

// The limit every entity reports while its venue limits stand in for its
// event limits.
const SchedLim& NoLimits()
{
    static const SchedLim* p_none = new SchedLim();
    return *p_none;
}

} // namespace

SchedEntity::SchedEntity(const std::string& s_kindNoun) : sKindNoun(s_kindNoun) {}

SchedEntity& SchedEntity::operator=(const SchedEntity& src)
{
    if (this == &src)
        return *this;
    EventLimits = src.EventLimits;
    DayLimits = src.DayLimits;
    Unavailable = src.Unavailable;
    sNotes = src.sNotes;
    VenueLimits.SetSize(src.VenueLimits.GetSize());
    for (int i = 0; i < src.VenueLimits.GetSize(); ++i)
        VenueLimits[i] = src.VenueLimits[i];
    bUseVenueLimits = src.bUseVenueLimits;
    return *this;
}

bool SchedEntity::operator==(const SchedEntity& other) const
{
    if (EventLimits != other.EventLimits || DayLimits != other.DayLimits || Unavailable != other.Unavailable)
        return false;
    if (VenueLimits.GetSize() != other.VenueLimits.GetSize())
        return false;
    for (int i = 0; i < VenueLimits.GetSize(); ++i) {
        if (VenueLimits[i].lVenueKey != other.VenueLimits[i].lVenueKey
            || VenueLimits[i].Limit != other.VenueLimits[i].Limit)
            return false;
    }
    return bUseVenueLimits == other.bUseVenueLimits && sNotes == other.sNotes;
}

void SchedEntity::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        EventLimits.Serialize(ar);
        DayLimits.Serialize(ar);
        Unavailable.Serialize(ar);
        ar << sNotes << static_cast<DWORD>(bUseVenueLimits);
        VenueLimits.Serialize(ar);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    EventLimits.Serialize(ar);
    DayLimits.Serialize(ar);
    Unavailable.Serialize(ar);
    ar >> sNotes;
    if (u_version >= 34) {
        DWORD u_use = 0;
        ar >> u_use;
        bUseVenueLimits = static_cast<BOOL>(u_use);
        VenueLimits.Serialize(ar);
    } else {
        // Older files keep their venue limits elsewhere, if at all.
        bUseVenueLimits = 0;
    }
}

const SchedLim& SchedEntity::GetEventLimits() const
{
    return bUseVenueLimits ? NoLimits() : EventLimits;
}

UINT SchedEntity::GetEventMinLimit() const
{
    if (!bUseVenueLimits)
        return GetEventLimits().GetMin();
    UINT u_sum = 0;
    for (int i = 0; i < VenueLimits.GetSize(); ++i)
        u_sum += VenueLimits[i].Limit.GetMin();
    return u_sum;
}

UINT SchedEntity::GetEventMaxLimit() const
{
    if (!bUseVenueLimits)
        return GetEventLimits().GetMax();
    UINT u_sum = 0;
    for (int i = 0; i < VenueLimits.GetSize(); ++i)
        u_sum += VenueLimits[i].Limit.GetMax();
    return u_sum;
}

const VenueLimit* SchedEntity::GetVenueLimit(LONG l_venueKey) const
{
    if (!bUseVenueLimits)
        return nullptr;
    const int i = VenueLimits.FindKey(l_venueKey);
    return i < 0 ? nullptr : &VenueLimits[i];
}

void SchedEntity::ClearVenueLimits()
{
    bUseVenueLimits = 0;
    for (int i = 0; i < VenueLimits.GetSize(); ++i)
        VenueLimits[i].Limit.uType = SchedLim::e_no_limits;
}

std::string SchedEntity::GetVenueLimitsText(const EventDoc* p_doc, BOOL b_blankZero) const
{
    std::string s_text;
    for (int i = 0; i < VenueLimits.GetSize(); ++i) {
        // An unknown venue, or with b_blankZero a limit without text, gives
        // no entry.
        const std::string s_limit = VenueLimits[i].GetText(p_doc, b_blankZero);
        if (s_limit.empty())
            continue;
        if (!s_text.empty())
            s_text += ',';
        s_text += s_limit;
    }
    return s_text;
}

void SchedEntity::Revalidate(EventDoc* p_doc)
{
    Unavailable.Revalidate(p_doc, FALSE);
    const VenueList& venues = p_doc->GetVenues();
    for (int i = VenueLimits.GetSize() - 1; i >= 0; --i) {
        if (!venues.ContainsKey(VenueLimits[i].lVenueKey))
            VenueLimits.RemoveAt(i);
    }
}

const Day* SchedEntity::GetCheckDays(const EventDoc* p_doc, int& n_days)
{
    n_days = 0;
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr)
        return nullptr;
    n_days = p_timetable->GetNumDays();
    return p_timetable->GetDays();
}

UINT SchedEntity::CountAvailableDays(const EventDoc* p_doc, const Day* p_days, int n_days) const
{
    UINT n_available = 0;
    for (int i = 0; i < n_days; ++i) {
        if (IsPlaceableOnDay(p_doc, p_days[i]))
            ++n_available;
    }
    return n_available;
}

UINT SchedEntity::SumMaxAvailableSlots(const EventDoc* p_doc, const Day* p_days, int n_days) const
{
    UINT u_sum = 0;
    for (int i = 0; i < n_days; ++i)
        u_sum += static_cast<UINT>(GetMaxAvailableSlots(p_doc, p_days[i]));
    return u_sum;
}

BOOL SchedEntity::Check(const EventDoc* p_doc, std::string& s_message, BOOL b_days) const
{
    int n_days = 0;
    const Day* p_days = GetCheckDays(p_doc, n_days);
    if (!bUseVenueLimits && !CheckEventLimits(p_doc, p_days, n_days, s_message, b_days))
        return FALSE;
    if (!CheckDayLimits(p_doc, p_days, n_days, s_message, b_days))
        return FALSE;
    // Comparing the limits with the days means nothing without days: no
    // count of days makes a limit too small or too large then.
    const BOOL b_useDays = b_days && n_days > 0;
    const UINT n_available = b_useDays ? CountAvailableDays(p_doc, p_days, n_days) : 0;
    if (!bUseVenueLimits)
        return b_useDays ? CheckEventAgainstDay(n_available, s_message) : TRUE;
    return CheckVenueLimits(p_doc, n_available, b_useDays, s_message);
}

BOOL SchedEntity::CheckEventLimits(const EventDoc* p_doc, const Day* p_days, int n_days, std::string& s_message,
                                   BOOL b_days) const
{
    const SchedLim& limits = GetEventLimits();
    if (limits.uType == SchedLim::e_no_limits)
        return TRUE;
    if (limits.uMax < limits.uMin) {
        s_message = FormatMessageId(IDS_CHECK_EVENT_MAX_BELOW_MIN, "");
        return FALSE;
    }
    if (b_days && n_days > 0) {
        const UINT u_slots = SumMaxAvailableSlots(p_doc, p_days, n_days);
        if (limits.GetMin() > u_slots) {
            s_message = FormatMessageId2(IDS_CHECK_EVENT_MIN_SLOTS, sKindNoun, Number(u_slots));
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SchedEntity::CheckDayLimits(const EventDoc* p_doc, const Day* p_days, int n_days, std::string& s_message,
                                 BOOL b_days) const
{
    if (DayLimits.uType == SchedLim::e_no_limits)
        return TRUE;
    if (DayLimits.uMax < DayLimits.uMin) {
        s_message = FormatMessageId(IDS_CHECK_DAY_MAX_BELOW_MIN, "");
        return FALSE;
    }
    if (!b_days || n_days <= 0)
        return TRUE;
    for (int i = n_days - 1; i >= 0; --i) {
        const UINT u_slots = static_cast<UINT>(GetMaxAvailableSlots(p_doc, p_days[i]));
        // A day the entity cannot use at all asks nothing of its limits.
        if (u_slots == 0)
            continue;
        if (u_slots < DayLimits.GetMin()) {
            s_message = FormatMessageIdArray(IDS_CHECK_DAY_MIN_SLOTS,
                                             Args({sKindNoun, Number(u_slots), p_days[i].GetName()}));
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SchedEntity::CheckEventAgainstDay(UINT n_available, std::string& s_message) const
{
    const SchedLim& event = GetEventLimits();
    if (event.uType == SchedLim::e_no_limits || DayLimits.uType == SchedLim::e_no_limits)
        return TRUE;
    const bool b_dayExact = DayLimits.uType == SchedLim::e_exact;
    const bool b_eventExact = event.uType == SchedLim::e_exact;
    UINT u_id = 0;
    if (b_dayExact) {
        const UINT u_day = DayLimits.uValue * n_available;
        if (b_eventExact) {
            if (u_day != event.uValue)
                u_id = IDS_CHECK_EXACT_NOT_DAY_EXACT;
        } else if (event.GetMin() > u_day) {
            u_id = IDS_CHECK_MIN_ABOVE_DAY_EXACT;
        } else if (event.GetMax() < u_day) {
            u_id = IDS_CHECK_MAX_BELOW_DAY_EXACT;
        }
    } else {
        const UINT u_dayMin = DayLimits.GetMin() * n_available;
        const UINT u_dayMax = DayLimits.GetMax() * n_available;
        if (b_eventExact) {
            if (event.uValue < u_dayMin)
                u_id = IDS_CHECK_EXACT_BELOW_DAY_MIN;
            else if (event.uValue > u_dayMax)
                u_id = IDS_CHECK_EXACT_ABOVE_DAY_MAX;
        } else if (event.GetMin() > u_dayMax) {
            u_id = IDS_CHECK_MIN_ABOVE_DAY_MAX;
        } else if (event.GetMax() < u_dayMin) {
            u_id = IDS_CHECK_MAX_BELOW_DAY_MIN;
        }
    }
    if (u_id == 0)
        return TRUE;
    s_message = FormatMessageId(u_id, Number(n_available));
    return FALSE;
}

BOOL SchedEntity::CheckVenueLimits(const EventDoc* p_doc, UINT n_available, BOOL b_useDays,
                                   std::string& s_message) const
{
    UINT u_sumMin = 0;
    UINT u_sumMax = 0;
    bool b_anyLimit = false;
    for (int i = 0; i < VenueLimits.GetSize(); ++i) {
        const SchedLim& limit = VenueLimits[i].Limit;
        if (limit.uType == SchedLim::e_no_limits)
            continue;
        b_anyLimit = true;
        if (limit.uMax < limit.uMin) {
            s_message = FormatMessageId(IDS_CHECK_VENUE_MAX_BELOW_MIN,
                                        p_doc->GetVenues().GetNameOf(VenueLimits[i].lVenueKey));
            return FALSE;
        }
        u_sumMin += limit.GetMin();
        u_sumMax += limit.GetMax();
    }
    if (!b_useDays || DayLimits.uType != SchedLim::e_exact || !b_anyLimit)
        return TRUE;
    const UINT u_total = DayLimits.uValue * n_available;
    UINT u_id = 0;
    UINT u_sum = 0;
    if (u_total < u_sumMin) {
        u_id = IDS_CHECK_DAY_EXACT_BELOW_VENUE_MINS;
        u_sum = u_sumMin;
    } else if (u_total > u_sumMax) {
        u_id = IDS_CHECK_DAY_EXACT_ABOVE_VENUE_MAXS;
        u_sum = u_sumMax;
    }
    if (u_id == 0)
        return TRUE;
    s_message = FormatMessageIdArray(u_id, Args({Number(DayLimits.uValue), Number(n_available), Number(u_sum)}));
    return FALSE;
}
