// The reconciliation of an entity's event limits with its day limits,
// which the limit pages run while the user edits them.
//
// Nine rules compare the limits over the n days on which the entity is
// available; each that fires names the field it sets (or would set) and
// why. Which side of a disagreement gives way depends on what the user
// edited: the field just edited stands, and so do fields edited before it
// unless the other side was edited too. The arithmetic is unsigned 32-bit,
// as the limits are stored: products wrap rather than grow.
#include "model/EventDoc.h"
#include "zelkit/base/ZelAssert.h"

#include <string>

namespace {

enum : UINT {
    IDS_LIMIT_MAX_BELOW_MIN = 5000,
    IDS_LIMIT_DAY_MIN_ABOVE_EVENT_MAX = 5001,
    IDS_LIMIT_DAY_EXACT_NOT_EVENT_EXACT = 5004,
    IDS_LIMIT_EVENT_MIN_ABOVE_DAY_MAX = 5005,
    IDS_LIMIT_EVENT_MIN_ABOVE_DAY_EXACT = 5009,
    IDS_LIMIT_EVENT_MAX_BELOW_DAY_EXACT = 5010,
    IDS_LIMIT_DAY_MIN_ABOVE_EVENT_EXACT = 5011,
    IDS_LIMIT_DAY_MAX_BELOW_EVENT_EXACT = 5012,
};

// At most this many passes after the first.
constexpr int kMaxFurtherPasses = 10;

class LimitPass {
public:
    using Change = EventDoc::LimitFieldChange;

    LimitPass(SchedLim& event_limits, SchedLim& day_limits, UINT n_days, int i_field, const ZelArray<int>& a_edited,
              BOOL b_apply, ZelArray<Change>& a_changes)
        : E(event_limits), D(day_limits), n(n_days), iField(i_field), aEdited(a_edited), bApply(b_apply),
          aChanges(a_changes)
    {
    }

    // One pass of the nine rules; TRUE when it changed a field.
    BOOL Run();

private:
    BOOL Edited(int i_field) const
    {
        for (int i = 0; i < aEdited.GetSize(); ++i) {
            if (aEdited[i] == i_field)
                return TRUE;
        }
        return FALSE;
    }
    // The field i_field gives way: edited now, or edited before while
    // i_other was not.
    BOOL Yields(int i_field, int i_other) const
    {
        return iField == i_field || (Edited(i_field) && !Edited(i_other));
    }
    UINT Ceil(UINT u_total) const
    {
        ZEL_ASSERT(n > 0);
        return (u_total + n - 1) / n;
    }
    UINT Floor(UINT u_total) const
    {
        ZEL_ASSERT(n > 0);
        return u_total / n;
    }
    // Lists the change and, when applying, makes it.
    void Set(int i_field, UINT u_stringId, BOOL b_withDays, UINT& u_target, UINT u_value)
    {
        Change change;
        change.iField = i_field;
        change.uStringId = u_stringId;
        if (b_withDays)
            change.sText = std::to_string(n);
        aChanges.Add(change);
        if (bApply && u_target != u_value) {
            u_target = u_value;
            bChanged = TRUE;
        }
    }

    SchedLim& E;
    SchedLim& D;
    const UINT n;
    const int iField;
    const ZelArray<int>& aEdited;
    const BOOL bApply;
    ZelArray<Change>& aChanges;
    BOOL bChanged = FALSE;
};

BOOL LimitPass::Run()
{
    using F = EventDoc::LimitField;
    bChanged = FALSE;

    // 1, 2: a maximum below its minimum.
    if (E.uMax < E.uMin) {
        if (iField == F::e_event_max)
            Set(F::e_event_min, IDS_LIMIT_MAX_BELOW_MIN, FALSE, E.uMin, E.uMax);
        else
            Set(F::e_event_max, IDS_LIMIT_MAX_BELOW_MIN, FALSE, E.uMax, E.uMin);
    }
    if (D.uMax < D.uMin) {
        if (iField == F::e_day_max)
            Set(F::e_day_min, IDS_LIMIT_MAX_BELOW_MIN, FALSE, D.uMin, D.uMax);
        else
            Set(F::e_day_max, IDS_LIMIT_MAX_BELOW_MIN, FALSE, D.uMax, D.uMin);
    }
    // 3: the exact values disagree. Only an edit of one of them decides
    // which gives way; otherwise they are left for the user.
    if (D.uValue * n != E.uValue) {
        if (iField == F::e_day_value)
            Set(F::e_event_value, IDS_LIMIT_DAY_EXACT_NOT_EVENT_EXACT, TRUE, E.uValue, D.uValue * n);
        else if (iField == F::e_event_value && Edited(F::e_day_value))
            Set(F::e_day_type, IDS_LIMIT_DAY_EXACT_NOT_EVENT_EXACT, TRUE, D.uType, SchedLim::e_no_limits);
        else if (iField != F::e_event_value && Edited(F::e_day_value) && Edited(F::e_event_value))
            Set(F::e_event_type, IDS_LIMIT_DAY_EXACT_NOT_EVENT_EXACT, TRUE, E.uType, SchedLim::e_no_limits);
    }
    // 4: the days cannot hold the event minimum.
    if (D.uMax * n < E.uMin) {
        if (n > 0 && Yields(F::e_event_min, F::e_day_max))
            Set(F::e_day_max, IDS_LIMIT_EVENT_MIN_ABOVE_DAY_MAX, TRUE, D.uMax, Ceil(E.uMin));
        else
            Set(F::e_event_min, IDS_LIMIT_EVENT_MIN_ABOVE_DAY_MAX, TRUE, E.uMin, D.uMax * n);
    }
    // 5: the day minimums exceed the event maximum.
    if (E.uMax < D.uMin * n) {
        if (Yields(F::e_day_min, F::e_event_max))
            Set(F::e_event_max, IDS_LIMIT_DAY_MIN_ABOVE_EVENT_MAX, TRUE, E.uMax, D.uMin * n);
        else
            Set(F::e_day_min, IDS_LIMIT_DAY_MIN_ABOVE_EVENT_MAX, TRUE, D.uMin, Floor(E.uMax));
    }
    // 6: the day exact values cannot hold the event minimum.
    if (D.uValue * n < E.uMin) {
        if (n > 0 && Yields(F::e_event_min, F::e_day_value))
            Set(F::e_day_value, IDS_LIMIT_EVENT_MIN_ABOVE_DAY_EXACT, TRUE, D.uValue, Ceil(E.uMin));
        else
            Set(F::e_event_min, IDS_LIMIT_EVENT_MIN_ABOVE_DAY_EXACT, TRUE, E.uMin, D.uValue * n);
    }
    // 7: the day exact values exceed the event maximum.
    if (E.uMax < D.uValue * n) {
        if (Yields(F::e_event_max, F::e_day_value))
            Set(F::e_day_value, IDS_LIMIT_EVENT_MAX_BELOW_DAY_EXACT, TRUE, D.uValue, Floor(E.uMax));
        else
            Set(F::e_event_max, IDS_LIMIT_EVENT_MAX_BELOW_DAY_EXACT, TRUE, E.uMax, D.uValue * n);
    }
    // 8: the day minimums exceed the event exact value.
    if (E.uValue < D.uMin * n) {
        if (Yields(F::e_day_min, F::e_event_value))
            Set(F::e_event_value, IDS_LIMIT_DAY_MIN_ABOVE_EVENT_EXACT, TRUE, E.uValue, D.uMin * n);
        else
            Set(F::e_day_min, IDS_LIMIT_DAY_MIN_ABOVE_EVENT_EXACT, TRUE, D.uMin, Floor(E.uValue));
    }
    // 9: the day maximums cannot hold the event exact value.
    if (D.uMax * n < E.uValue) {
        if (n == 0 || Yields(F::e_day_max, F::e_event_value))
            Set(F::e_event_value, IDS_LIMIT_DAY_MAX_BELOW_EVENT_EXACT, TRUE, E.uValue, D.uMax * n);
        else
            Set(F::e_day_max, IDS_LIMIT_DAY_MAX_BELOW_EVENT_EXACT, TRUE, D.uMax, Ceil(E.uValue));
    }
    return bChanged;
}

} // namespace

UINT EventDoc::CountLimitDays(const TimeList* p_unavailable) const
{
    const Timetable* p_timetable = GetTimetable();
    if (p_timetable == nullptr)
        return 1;
    if (p_unavailable == nullptr)
        return static_cast<UINT>(p_timetable->GetNumDays());
    UINT n_days = 0;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        BOOL b_free = FALSE;
        for (int v = 0; v < day.GetNumVenues() && !b_free; ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize() && !b_free; ++i) {
                const Timeslot& slot = a_slots[i];
                b_free = !p_unavailable->Overlaps(day.GetDayId(), slot.GetStartOffset(), slot.GetSpan());
            }
        }
        if (b_free)
            ++n_days;
    }
    return n_days;
}

int EventDoc::CheckLimits(const TimeList* p_unavailable, SchedLim& event_limits, SchedLim& day_limits,
                          const ZelArray<int>& a_edited, int i_field, ZelArray<LimitFieldChange>& a_changes,
                          BOOL b_apply) const
{
    a_changes.RemoveAll();
    LimitPass pass(event_limits, day_limits, CountLimitDays(p_unavailable), i_field, a_edited, b_apply, a_changes);
    // A change can make another rule fire: passes run until one changes
    // nothing. Without b_apply nothing changes, so the one pass only lists.
    BOOL b_changed = pass.Run();
    for (int i = 0; b_changed && i < kMaxFurtherPasses; ++i)
        b_changed = pass.Run();
    return a_changes.GetSize();
}
