// The timetable's re-fit after the user changed or locked timeslots in the
// day grid. The timetable is a model class, but these two run the
// placement checks, so they are defined here with the engine: the model
// never links against it.
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "model/EventDoc.h"
#include "model/Timetable.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>

namespace {

// The clash repair, then the verification, of one timeslot; the
// verification counts it in the counters.
int AdjustSlot(EventDoc* p_doc, const Generator& generator, SelCounters& counters, int i_day, int i_venue,
               int i_slot)
{
    if (!generator.CheckParticipantTimes(p_doc, i_day, i_venue, i_slot))
        return 0;
    const Day& day = p_doc->GetTimetable()->GetDay(i_day);
    return generator.VerifySlot(p_doc, i_day, day, i_venue, i_slot, counters) ? 1 : 0;
}

} // namespace

int Timetable::AdjustForSlotChange(EventDoc* p_doc, int i_day, int i_venue, int i_slot)
{
    // The checks read the document's timetable; without venues the
    // document hands none out, and there is nothing to check.
    if (p_doc->GetTimetable() != this)
        return 1;
    ZelWaitCursor wait;
    SelCounters counters(p_doc, this, TRUE);
    const Generator generator(TRUE);
    return AdjustSlot(p_doc, generator, counters, i_day, i_venue, i_slot);
}

int Timetable::AdjustForChanges(EventDoc* p_doc, BOOL b_lockedOnly)
{
    if (p_doc->GetTimetable() != this)
        return 1;
    ZelWaitCursor wait;
    SelCounters counters(p_doc, this, TRUE);
    const Generator generator(TRUE);
    int i_result = 1;
    for (int d = 0; d < GetNumDays(); ++d) {
        Day& day = GetDay(d);
        const int n_venues = std::min(day.GetNumVenues(), p_doc->GetNumVenues());
        for (int v = 0; v < n_venues; ++v) {
            for (int s = 0; s < day.GetVenueSlots(v).GetSize(); ++s) {
                if (b_lockedOnly && !day.GetVenueSlots(v)[s].IsLocked())
                    continue;
                if (AdjustSlot(p_doc, generator, counters, d, v, s) != 1)
                    i_result = 0;
            }
        }
    }
    return i_result;
}
