// The event the rule tests share: two days with three slots in two venues,
// two styles and four groups whose styles and sizes tell the rule kinds
// apart.
#pragma once

#include "testsupport/EventBuilder.h"

#include <string>
#include <vector>

namespace ruleevent {

// Mon and Tue, 09:00, 10:00 and 11:00 for an hour each in Hall and Barn
// (Hall's key is the smaller, so a day rule's Hall times come first);
// Choir (Jazz, 2 members), Band (Folk, 3), Duo (Jazz and Folk, 1) and Solo
// (no style, 1). Times read as 24-hour clock times.
inline void Festival(testevent::EventBuilder& event)
{
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).TwentyFourHour();
    event.Style("Jazz").Style("Folk").Venue("Hall").Venue("Barn");
    event.Participant("Ann Lee").Participant("Bob Ray").Participant("Cy Fox").Participant("Di Moe");
    event.Group("Choir").GroupStyles("Choir", {"Jazz"}).Member("Choir", "Ann Lee").Member("Choir", "Bob Ray");
    event.Group("Band").GroupStyles("Band", {"Folk"});
    event.Member("Band", "Ann Lee").Member("Band", "Bob Ray").Member("Band", "Cy Fox");
    event.Group("Duo").GroupStyles("Duo", {"Jazz", "Folk"}).Member("Duo", "Di Moe");
    event.Group("Solo").Member("Solo", "Cy Fox");
    event.Timetable();
}

// A group in a slot of the timetable.
struct Placed {
    int iDay;
    const char* pVenue;
    const char* pStart;
    const char* pGroup;
    bool bLocked = false;
};

inline void PlaceAll(testevent::EventBuilder& event, const std::vector<Placed>& v_placed)
{
    for (const Placed& p : v_placed)
        event.Place(p.iDay, p.pVenue, p.pStart, p.pGroup, p.bLocked);
}

} // namespace ruleevent
