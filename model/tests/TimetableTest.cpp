#include "framework/Exceptions.h"
#include "framework/PlatformTime.h"
#include "model/EventDoc.h"
#include "model/Timetable.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using testbytes::Builder;
using testevent::EventBuilder;

namespace {

// One day, two venues, two slots, three groups (one of them only ever
// named by old records).
void MondayEvent(EventBuilder& event)
{
    event.Days({"Mon"}).Slots(0, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Group("Band");
}

Builder& Ole(Builder& b, int i_year, int i_month, int i_day, int i_hour, int i_minute = 0, int i_second = 0)
{
    return b.Dword(COleDateTime::valid).Double(COleDateTime(i_year, i_month, i_day, i_hour, i_minute, i_second).m_dt);
}

Builder& Time(Builder& b, const CHighTime& dt)
{
    CArchive ar(CArchive::store);
    ar << dt;
    return b.Raw(ar.GetBuffer());
}

Builder& Span(Builder& b, const CHighTimeSpan& span)
{
    CArchive ar(CArchive::store);
    ar << span;
    return b.Raw(ar.GetBuffer());
}

// A slot of the current form.
Builder& SlotBytes(Builder& b, const char* p_start, const char* p_end, BOOL b_locked, LONG l_group, int i_day,
                   int i_venue)
{
    const CHighTimeSpan start = EventBuilder::At(p_start);
    Time(b, Timeslot::GetBaseDate() + start);
    Span(b, EventBuilder::At(p_end) - start);
    return b.Dwords({b_locked, l_group, i_day, i_venue, -1});
}

// Appends a slot to a day's layout as it stands, in or out of order.
void AppendSlot(EventBuilder& event, int i_day, const char* p_times, LONG l_setKey)
{
    event.Doc().GetEventDef().GetDayDef().GetDaySlots(i_day).GetSlots().Add(EventBuilder::RelSlot(p_times, l_setKey));
}

TEST(Timetable, CountsUnfilledAndLockedSlots)
{
    EventBuilder event;
    event.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"}).Venue("Hall").Venue("Barn");
    event.Group("Choir").Timetable();
    const Timetable& timetable = *event.Doc().GetTimetableObject();
    EXPECT_EQ(timetable.CountUnfilled(-1, -1), 12) << "every slot of every day and venue";

    event.Place(0, "Hall", "09:00", "Choir", true).Place(1, "Barn", "10:00", "Choir", true);
    event.Place(1, "Hall", "11:00", "Choir");
    EXPECT_EQ(timetable.CountUnfilled(-1, -1), 9);
    EXPECT_EQ(timetable.CountUnfilled(1, -1), 4);
    EXPECT_EQ(timetable.CountUnfilled(1, event.VenueIndex("Barn")), 2);
    EXPECT_EQ(timetable.CountUnfilled(-1, event.VenueIndex("Hall")), 4);

    const LONG l_choir = event.GroupKey("Choir");
    EXPECT_EQ(timetable.CountPlacements(l_choir, -1, -1), 2) << "locked placements only";
    EXPECT_EQ(timetable.CountPlacements(l_choir, -1, 1), 1);
    EXPECT_EQ(timetable.CountPlacements(l_choir, event.VenueIndex("Hall"), 1), 0);
    EXPECT_EQ(timetable.CountPlacements(l_choir, -1, 5), 0);

    ASSERT_NE(timetable.FindDay(event.Doc().GetEventDef().GetDayDef().GetDayId(1)), nullptr);
    EXPECT_EQ(timetable.FindDay(event.Doc().GetEventDef().GetDayDef().GetDayId(1))->GetName(), "Tue");
    EXPECT_EQ(timetable.FindDay(-5), nullptr);
}

TEST(Timetable, TheDocumentHandsItOutOnlyWithVenuesDaysAndSlots)
{
    EventBuilder event;
    event.Days({"Mon"}).Timetable();
    EXPECT_NE(event.Doc().GetTimetableObject(), nullptr);
    EXPECT_EQ(event.Doc().GetTimetable(), nullptr) << "no venue, no timeslot";
    event.Venue("Hall").Timetable();
    EXPECT_FALSE(event.Doc().HasDaysAndTimeslots());
    EXPECT_EQ(event.Doc().GetTimetable(), nullptr) << "no timeslot";
    event.Slots(0, {"09:00-10:00"}).Timetable();
    EXPECT_TRUE(event.Doc().HasDaysAndTimeslots());
    EXPECT_EQ(event.Doc().GetTimetable(), event.Doc().GetTimetableObject());
    event.Doc().DeleteTimetable();
    EXPECT_EQ(event.Doc().GetTimetable(), nullptr);
}

TEST(Timetable, ADefaultTimetableIsAProgrammingError)
{
    ZelRecordingErrorReports reports;
    EXPECT_THROW(Timetable(), ZelAssertException);
    EXPECT_EQ(reports.Reports().size(), 1u);
}

TEST(TimetableArchive, CurrentFormRoundTripsByteForByte)
{
    EventBuilder event;
    MondayEvent(event);
    event.Timetable().Place(0, "Barn", "10:00", "Band", true).Place(0, "Hall", "09:00", "Choir");
    Timetable& timetable = *event.Doc().GetTimetableObject();
    timetable.SetValid(TRUE);
    timetable.SetCreationDate(CHighTime(2026, 3, 14, 15, 9, 26, 535, 897, 900));

    Builder expected;
    expected.Dword(1);
    Time(expected, CHighTime(2026, 3, 14, 15, 9, 26, 535, 897, 900)).Dwords({1, 0}).Count(2);
    expected.Count(2);
    SlotBytes(expected, "09:00", "10:00", 0, event.GroupKey("Choir"), 0, 0);
    SlotBytes(expected, "10:00", "11:00", 0, -1, 0, 0);
    expected.Count(2);
    SlotBytes(expected, "09:00", "10:00", 0, -1, 0, 1);
    SlotBytes(expected, "10:00", "11:00", 1, event.GroupKey("Band"), 0, 1);
    const testbytes::Bytes v_stored = testbytes::Store(timetable, &event.Doc());
    EXPECT_EQ(v_stored, expected.Get());

    Timetable loaded(&event.Doc());
    testbytes::Load(loaded, v_stored, 40, &event.Doc());
    EXPECT_TRUE(loaded.IsValid());
    EXPECT_EQ(loaded.GetCreationDate(), timetable.GetCreationDate());
    EXPECT_EQ(testbytes::Store(loaded, &event.Doc()), v_stored);
}

TEST(TimetableArchive, SlotsTakeTheirDayAndVenueFromWhereTheyStand)
{
    EventBuilder event;
    MondayEvent(event);
    Builder bytes;
    bytes.Dword(0).Dwords({2, 0, 0}).Dwords({1, 0}).Count(3);
    SlotBytes(bytes.Count(1), "09:00", "10:00", 0, -1, 5, 9);
    SlotBytes(bytes.Count(1), "09:00", "10:00", 0, -1, 5, 9);
    // A third venue array: the file was written before a venue was refused.
    SlotBytes(bytes.Count(1), "10:00", "11:00", 1, event.GroupKey("Band"), 5, 9);
    Timetable loaded(&event.Doc());
    testbytes::Load(loaded, bytes, 40, &event.Doc());

    const Day& day = loaded.GetDay(0);
    ASSERT_EQ(day.GetNumVenues(), 3) << "the file's arrays are kept";
    for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(day.GetVenueSlots(v)[0].GetDay(), 0);
        EXPECT_EQ(day.GetVenueSlots(v)[0].GetVenue(), v);
    }
    // Nothing reaches past the venue list.
    TimeslotLockArrays a_locks;
    loaded.GetLocks(a_locks);
    EXPECT_EQ(a_locks[0].GetSize(), 0);
    EXPECT_EQ(day.GetNumDocVenues(), 2);
    std::ostringstream html;
    loaded.ExportHtmlByDay(&event.Doc(), html);
    EXPECT_EQ(html.str().find("Band"), std::string::npos);
}

// A timetable made to be read skips its layouts' build, and must use up
// exactly the slot keys that build takes: the slots read, and every slot
// made later, take their keys from the same counter. The layouts cover
// slots in and out of order, equal starts, a slot of no length, and slots
// of a venue that is gone.
TEST(TimetableArchive, ATimetableToReadUsesUpTheKeysOfTheLayoutsBuild)
{
    struct Case {
        const char* pName;
        void (*fMake)(EventBuilder&);
    };
    const Case a_cases[] = {
        {"all venues, in order",
         [](EventBuilder& e) {
             e.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall").Venue("Barn");
         }},
        {"all venues, equal starts",
         [](EventBuilder& e) {
             e.Days({"Mon"}).Slots(0, {"09:00-10:00", "09:00-09:30", "09:00-11:00", "12:00-13:00"});
             e.Venue("Hall").Venue("Barn").Venue("Yard");
         }},
        {"all venues, out of order and of no length",
         [](EventBuilder& e) {
             e.Days({"Mon"}).Venue("Hall").Venue("Barn");
             for (const char* p : {"11:00-12:00", "09:00-10:00", "10:00-10:00", "13:00-14:00", "08:00-09:00"})
                 AppendSlot(e, 0, p, -1);
         }},
        {"own venues, a venue gone",
         [](EventBuilder& e) {
             e.Days({"Mon", "Tue"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Barn").Venue("Yard");
             e.VenueSlots(1, "Hall", {"08:00-09:00", "08:00-08:30"}).VenueSlots(1, "Yard", {"12:00-13:00"});
             e.VenueSlots(1, "Barn", {"15:00-16:00"});
             e.Doc().GetVenues().RemoveAt(e.VenueIndex("Barn"));
         }},
        {"own venues, out of order",
         [](EventBuilder& e) {
             e.Days({"Mon"}).Venue("Hall").Venue("Barn");
             const LONG l_hall = e.VenueKey("Hall");
             const LONG l_barn = e.VenueKey("Barn");
             e.Doc().GetEventDef().GetDayDef().GetDaySlots(0).SetSlots(ZelRelTimeslotArray(), FALSE);
             AppendSlot(e, 0, "10:00-11:00", l_hall);
             AppendSlot(e, 0, "09:00-10:00", l_barn);
             AppendSlot(e, 0, "09:00-10:00", l_hall);
             AppendSlot(e, 0, "11:00-12:00", l_barn);
             AppendSlot(e, 0, "10:00-11:00", l_hall);
         }},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pName);
        EventBuilder event;
        c.fMake(event);
        auto f_nextKey = [] { return Timeslot().GetSlotKey(); };
        const LONG l_before = f_nextKey();
        const Timetable built(&event.Doc());
        const LONG l_afterBuild = f_nextKey();
        const Timetable to_read(&event.Doc(), Timetable::ToRead{});
        const LONG l_afterRead = f_nextKey();
        EXPECT_GT(l_afterBuild - l_before, 1) << "the case builds slots";
        EXPECT_EQ(l_afterRead - l_afterBuild, l_afterBuild - l_before);
        ASSERT_EQ(to_read.GetNumDays(), built.GetNumDays());
        for (int d = 0; d < built.GetNumDays(); ++d) {
            EXPECT_EQ(to_read.GetDay(d).GetDayIndex(), d);
            EXPECT_EQ(to_read.GetDay(d).GetDoc(), &event.Doc());
        }
    }
}

TEST(TimetableArchive, Version6ConvertsTheOldDateAndTheOldSlots)
{
    EventBuilder event;
    MondayEvent(event);
    const LONG l_choir = event.GroupKey("Choir");
    const LONG l_band = event.GroupKey("Band");

    Builder bytes;
    bytes.Dword(1);
    Ole(bytes, 2001, 2, 3, 4, 5, 6).Dword(1);
    // The day: its date and a word (both dropped), three old slots.
    Ole(bytes, 1998, 6, 15, 0).Dwords({77, 3, 1});
    // 10:00 on another date: the time of day is what counts. Hall gets the
    // Choir locked, the Barn the Band unlocked.
    Ole(bytes, 1998, 6, 15, 10).Dwords({60, 2, 2, l_choir, l_band, 2, 1, 0, 0});
    // 09:00 names three venues (one more than the event has) and a group
    // that is gone.
    Ole(bytes, 1998, 6, 15, 9).Dwords({60, 3, 3, 987654, l_choir, l_band, 3, 1, 1, 1, 0});
    // 12:00 is no slot of the day.
    Ole(bytes, 1998, 6, 15, 12).Dwords({60, 2, 2, l_choir, l_band, 2, 1, 1, 0});

    Timetable loaded(&event.Doc());
    testbytes::Load(loaded, bytes, 6, &event.Doc());
    EXPECT_TRUE(loaded.IsValid());
    EXPECT_EQ(loaded.GetCreationDate(), CHighTime(2001, 2, 3, 4, 5, 6));
    const Day& day = loaded.GetDay(0);
    const TimeslotArray& hall = day.GetVenueSlots(0);
    const TimeslotArray& barn = day.GetVenueSlots(1);
    EXPECT_EQ(hall[0].GetGroup(), -1) << "a group that is gone is dropped";
    EXPECT_FALSE(hall[0].IsLocked());
    EXPECT_EQ(hall[1].GetGroup(), l_choir);
    EXPECT_TRUE(hall[1].IsLocked());
    EXPECT_EQ(barn[0].GetGroup(), l_choir);
    EXPECT_TRUE(barn[0].IsLocked());
    EXPECT_EQ(barn[1].GetGroup(), l_band);
    EXPECT_FALSE(barn[1].IsLocked());

    // Versions before 4 begin the timetable and each day with the old
    // object schema word.
    Builder v3;
    v3.Dwords({2, 0});
    Ole(v3, 2001, 2, 3, 4).Dword(1).Dword(3);
    Ole(v3, 1998, 6, 15, 0).Dwords({0, 0, 0});
    Timetable old(&event.Doc());
    testbytes::Load(old, v3, 3, &event.Doc());
    EXPECT_EQ(old.GetDay(0).GetVenueSlots(0).GetSize(), 2) << "a day without old slots keeps its layout";
}

TEST(TimetableArchive, DamagedDataIsRefused)
{
    EventBuilder event;
    MondayEvent(event);
    EventBuilder no_days;

    struct Refused {
        const char* pWhy;
        EventDoc* pDoc;
        unsigned uVersion;
        testbytes::Bytes vBytes;
    };
    Builder two_days;
    two_days.Dword(0).Dwords({2, 0, 0}).Dword(2);
    Builder days_without_event;
    days_without_event.Dword(0).Dwords({2, 0, 0}).Dword(1);
    Builder many_old_slots;
    many_old_slots.Dword(0);
    Ole(many_old_slots, 2001, 2, 3, 4).Dword(1);
    Ole(many_old_slots, 1998, 6, 15, 0).Dwords({0, 1000000, 1, 0, 0, 0});
    Builder many_venues;
    many_venues.Dword(0).Dwords({2, 0, 0}).Dwords({1, 0}).Count(60000);
    const Refused a_refused[] = {
        {"a day count other than the event's", &event.Doc(), 40, two_days},
        {"days in a file whose event has none", &no_days.Doc(), 40, days_without_event},
        {"more old slots than the data holds", &event.Doc(), 6, many_old_slots},
        {"more venue arrays than the data holds", &event.Doc(), 40, many_venues},
    };
    for (const Refused& r : a_refused) {
        Timetable timetable(r.pDoc);
        try {
            testbytes::Load(timetable, r.vBytes, r.uVersion, r.pDoc);
            ADD_FAILURE() << r.pWhy << ": loaded";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badSchema) << r.pWhy;
        }
    }
}

} // namespace
