// A cell of the timetable: a day of the event, a venue and a timeslot of
// that venue on that day, each by its index (the timetable's day list, the
// document's venue list, the venue's slot array on the day). The build map,
// the moves and their transactions, the searches and the rostering engine
// pass cells around as TTLoc values and collect them in TTLocArray lists.
// Neither is ever stored in a file.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"

#include <cstdint>

class TTLoc {
public:
    // Every part unset (-1).
    TTLoc() = default;
    TTLoc(std::int32_t i_day, std::int32_t i_venue, std::int32_t i_slot) : iDay(i_day), iVenue(i_venue), iSlot(i_slot) {}
    TTLoc(const TTLoc& src) = default;
    TTLoc& operator=(const TTLoc& src) = default;
    // Plain data, with nothing derived from it: the searches copy, list and
    // compare cells millions of times, which a cell of three numbers without
    // a table pointer lets the compiler do in a few moves.
    ~TTLoc() = default;

    std::int32_t GetDay() const { return iDay; }
    std::int32_t GetVenue() const { return iVenue; }
    std::int32_t GetSlot() const { return iSlot; }
    // The walks of the build map step a cell along in place.
    void SetDay(std::int32_t i_day) { iDay = i_day; }
    void SetVenue(std::int32_t i_venue) { iVenue = i_venue; }
    void SetSlot(std::int32_t i_slot) { iSlot = i_slot; }
    void Set(std::int32_t i_day, std::int32_t i_venue, std::int32_t i_slot)
    {
        iDay = i_day;
        iVenue = i_venue;
        iSlot = i_slot;
    }

    // Day, venue and slot all 0 or more.
    BOOL IsValid() const { return iDay >= 0 && iVenue >= 0 && iSlot >= 0 ? TRUE : FALSE; }

    // The same cell. Cells have no order of their own: a list that is
    // searched is given a compare function.
    bool operator==(const TTLoc& other) const
    {
        return iDay == other.iDay && iVenue == other.iVenue && iSlot == other.iSlot;
    }
    bool operator!=(const TTLoc& other) const { return !(*this == other); }

private:
    std::int32_t iDay = -1;
    std::int32_t iVenue = -1;
    std::int32_t iSlot = -1;
};

// An ordered list of cells, held by value. Copies and assignments take the
// other list's cells in order and its compare function (none unless a
// caller set one); assigning into a list too small for the cells grows it
// by the library's rule.
class TTLocArray : public ZelArrayWithFind<TTLoc> {
public:
    explicit TTLocArray(CompareFunc p_compare = nullptr) : ZelArrayWithFind<TTLoc>(p_compare) {}
};
