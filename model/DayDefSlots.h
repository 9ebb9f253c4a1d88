// The timeslot layout of one event day: the relative slots the day offers,
// and the settings the timeslots page generated them from.
//
// A layout either serves every venue alike (all-venues flag 1: one list of
// slots, every set key -1) or gives each venue slots of its own (flag 0:
// each slot's set key is its venue's key). A generated layout always
// serves every venue.
//
// Layout times sit on one base date, 1 January 2000 00:00; an end of 00:00
// stands for 24:00, the end of the day.
#pragma once

#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelTimeslot.h"

class CArchive;
class KeyList;

// The base date of layout times, 1 January 2000 00:00.
const CHighTime& GetSlotBaseDate();

// Puts the time of day of dt on the base date; with b_end, 00:00 becomes
// 24:00 (the base date plus one day). A time that is not valid is left as
// it is.
void SetSlotBaseDate(CHighTime& dt, BOOL b_end);

class DayDefSlots {
public:
    DayDefSlots();
    DayDefSlots(const DayDefSlots& src);
    DayDefSlots& operator=(const DayDefSlots& src);
    virtual ~DayDefSlots() = default;

    const ZelRelTimeslotArray& GetSlots() const { return Slots; }
    // The slots for in-place changes that keep their times and order (the
    // timetable keeps slot keys in their item data).
    ZelRelTimeslotArray& GetSlots() { return Slots; }
    int GetNumSlots() const { return Slots.GetSize(); }
    BOOL IsGenerated() const { return bGenerated; }
    BOOL IsAllVenues() const { return bAllVenues; }
    const CHighTime& GetFirstStart() const { return dtFirstStart; }
    const CHighTime& GetLastEnd() const { return dtLastEnd; }
    LONG GetSlotMinutes() const { return nSlotMinutes; }

    // Replaces the slots with a copy (not generated any more), then applies
    // the all-venues rule of SetAllVenues.
    void SetSlots(const ZelRelTimeslotArray& a_slots, BOOL b_allVenues);
    // Replaces the slots with a copy of each slot as the timeslots page read
    // it back; the all-venues flag stays and nothing is removed.
    void SetSlotArray(const ZelRelTimeslotArray& a_slots);
    // A generated layout stays for all venues whatever is asked; for all
    // venues, the layout is reduced to one list (RemoveDuplicates).
    void SetAllVenues(BOOL b_allVenues);
    // Copies another layout whole: slots, flags, times and minutes.
    void CopySlots(const DayDefSlots& src);
    // No slots, not generated, for all venues; the generation settings
    // stay.
    void Clear();
    // With timeslots for each venue, removes the venue's slots.
    void RemoveItem(LONG l_venueKey);
    // Gives each of the first n_venues keys a copy of the slots of the first
    // slot's venue, with its own key as set key.
    void RepeatForVenues(int n_venues, const KeyList& keys);
    // Keeps the slots of the first slot's set, drops repeats and sets every
    // set key to -1; returns the number of slots left.
    int RemoveDuplicates();

    // Replaces the slots with back-to-back slots of the slot minutes from
    // the first start up to the last end. A valid dt_first or dt_last and
    // positive minutes replace the stored settings; anything else keeps
    // them. Nothing happens while a time is not valid or there are no
    // positive minutes. p_prev and p_next are the layouts of the directly
    // preceding and following days (or null): no generated slot overlaps
    // their slots that reach across midnight into this day.
    void GenerateSlots(const CHighTime& dt_first, const CHighTime& dt_last, int n_minutes, const DayDefSlots* p_prev,
                       const DayDefSlots* p_next);

    // The stored slot count is only information: loading uses the array's
    // own count. A layout for all venues is tidied after loading.
    void Serialize(CArchive& ar);

private:
    ZelRelTimeslotArray Slots;
    BOOL bGenerated = 0;
    BOOL bAllVenues = 1;
    CHighTime dtFirstStart;
    CHighTime dtLastEnd;
    LONG nSlotMinutes = 0;
};

// A stored layout takes at least its five fields, the count and an empty
// slot array.
template <>
struct ZelElementMinBytes<DayDefSlots> {
    static constexpr std::size_t value = 4 + 4 + 12 + 12 + 4 + 4 + 2;
};
