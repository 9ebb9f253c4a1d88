#include "model/EventDefinition.h"
#include "model/Venue.h"
#include "model/tests/DayTimes.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

using testbytes::Builder;

namespace {

// Venues of files from version 3 to 6 carry availability times of their
// own after the facilities; the program keeps only whether there were any,
// to tell the user to check the event's timeslots.
TEST(Venue, OldAvailabilityOfVersions3To6)
{
    testbytes::VersionDoc doc(5);
    CalendarDays days;
    ZelArray<ZelOleDateTime> a_dates;
    a_dates.Add(ZelOleDateTime(2001, 5, 14));
    days.SetDates(a_dates);
    doc.GetEventDef().SetDayDef(days);

    struct Case {
        unsigned uVersion;
        int nTimes;
        int iDay; // of May 2001
        BOOL bOld;
    };
    const Case a_cases[] = {
        {5, 1, 14, TRUE},
        {5, 0, 14, FALSE},
        {5, 1, 15, FALSE}, // a time on a date the event does not have is dropped
        {3, 1, 14, TRUE},  // with the list's schema word
    };
    for (const Case& c : a_cases) {
        Builder b;
        b.Dword(7).String("Main  Hall").String("North wing").Dwords({2, 5, -1}).Dwords({1, 8});
        if (c.uVersion < 4)
            b.Dword(3);
        b.Dword(60).Count(static_cast<std::uint32_t>(c.nTimes));
        if (c.nTimes > 0)
            b.Raw(daytimes::OleBytes(2001, 5, c.iDay, 9, 0));
        Venue v;
        testbytes::Load(v, b, c.uVersion, &doc);
        EXPECT_EQ(v.HasOldAvailability(), c.bOld) << c.uVersion << " " << c.nTimes << " " << c.iDay;
        EXPECT_EQ(v.GetName(), "Main Hall");
        EXPECT_EQ(v.GetFacilities().Find(8), 0);
        EXPECT_EQ(v.GetSetting(), Venue::kDefaultSetting);
    }
}

} // namespace
