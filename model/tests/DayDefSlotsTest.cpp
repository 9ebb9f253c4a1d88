#include "model/DayDefSlots.h"
#include "model/EventDefinition.h"
#include "model/KeyList.h"
#include "model/tests/DayTimes.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <random>

using daytimes::At;
using daytimes::Slot;
using daytimes::Slots;
using daytimes::Starts;
using testbytes::Builder;
using Strings = std::vector<std::string>;

namespace {

// A time of day on some date: generation takes only the time of day.
CHighTime Clock(int i_hours, int i_minutes = 0) { return CHighTime(2023, 7, 14, i_hours, i_minutes, 0); }

CHighTime NotGiven()
{
    CHighTime dt;
    dt.SetStatus(CHighTime::null);
    return dt;
}

TEST(DayDefSlots, GenerationTable)
{
    struct Case {
        CHighTime dtFirst, dtLast;
        int nMinutes;
        Strings vStarts;
    };
    const Case a_cases[] = {
        {Clock(9), Clock(12), 60, {"09:00", "10:00", "11:00"}},
        {Clock(9), Clock(12), 50, {"09:00", "09:50", "10:40"}}, // 11:30 would end at 12:20
        {Clock(21), Clock(0), 60, {"21:00", "22:00", "23:00"}}, // 00:00 is the end of the day
        {Clock(9), Clock(9), 60, {}},
    };
    for (const Case& c : a_cases) {
        DayDefSlots layout;
        layout.SetSlots(Slots({Slot(7, 0, 15, 12), Slot(8, 0, 15, 15)}), FALSE);
        layout.GenerateSlots(c.dtFirst, c.dtLast, c.nMinutes, nullptr, nullptr);
        EXPECT_EQ(Starts(layout.GetSlots()), c.vStarts) << c.nMinutes;
        EXPECT_TRUE(layout.IsGenerated());
        EXPECT_TRUE(layout.IsAllVenues());
        EXPECT_EQ(layout.GetSlotMinutes(), c.nMinutes);
        EXPECT_EQ(layout.GetFirstStart() - GetSlotBaseDate(), CHighTimeSpan(0, c.dtFirst.GetHour()))
            << "the first start sits on the layout base date";
    }

    DayDefSlots layout;
    layout.GenerateSlots(Clock(21), Clock(0), 60, nullptr, nullptr);
    EXPECT_EQ(layout.GetLastEnd(), GetSlotBaseDate() + CHighTimeSpan(1, 0)) << "00:00 is kept as 24:00";
    EXPECT_EQ(layout.GetSlots()[2].GetEnd(), At(24));
}

TEST(DayDefSlots, MinutesOfZeroOrLessGenerateNothing)
{
    // No minutes given and none stored, or a negative count (a damaged or
    // old file): the slots stay as they are.
    for (int n_minutes : {0, -30}) {
        DayDefSlots layout;
        layout.SetSlots(Slots({Slot(7, 0, 15, 12)}), FALSE);
        layout.GenerateSlots(Clock(9), Clock(12), n_minutes, nullptr, nullptr);
        EXPECT_EQ(Starts(layout.GetSlots()), Strings({"07:00/12"})) << n_minutes;
        EXPECT_FALSE(layout.IsGenerated());
        EXPECT_EQ(layout.GetSlotMinutes(), 0);
    }

    // Minutes stored earlier are used when none are given.
    DayDefSlots layout;
    layout.GenerateSlots(Clock(9), Clock(10), 30, nullptr, nullptr);
    layout.GenerateSlots(NotGiven(), Clock(11), 0, nullptr, nullptr);
    EXPECT_EQ(Starts(layout.GetSlots()), Strings({"09:00", "09:30", "10:00", "10:30"}));

    // A stored negative count, as a damaged file holds it.
    Builder b;
    b.Dwords({0, 1}).Raw(daytimes::TimeBytes(GetSlotBaseDate() + CHighTimeSpan(0, 9)));
    b.Raw(daytimes::TimeBytes(GetSlotBaseDate() + CHighTimeSpan(0, 12))).Dwords({-5, 0}).Count(0);
    DayDefSlots loaded;
    testbytes::Load(loaded, b, 40);
    EXPECT_EQ(loaded.GetSlotMinutes(), -5);
    loaded.GenerateSlots(NotGiven(), NotGiven(), 0, nullptr, nullptr);
    EXPECT_EQ(loaded.GetNumSlots(), 0);
    EXPECT_FALSE(loaded.IsGenerated());
}

TEST(DayDefSlots, NeighbourDaysAcrossMidnightLimitGeneration)
{
    // The day before has a slot from 23:00 to 01:30; the day after one
    // that starts at 23:30 of this day.
    DayDefSlots prev;
    prev.SetSlots(Slots({Slot(20, 0, 60), Slot(23, 0, 150)}), TRUE);
    DayDefSlots next;
    next.SetSlots(Slots({Slot(-1, 30, 60), Slot(9, 0, 60)}), TRUE);

    DayDefSlots layout;
    layout.GenerateSlots(Clock(0), Clock(4), 60, &prev, nullptr);
    EXPECT_EQ(Starts(layout.GetSlots()), Strings({"01:30", "02:30"}));
    layout.GenerateSlots(Clock(21), Clock(0), 60, nullptr, &next);
    EXPECT_EQ(Starts(layout.GetSlots()), Strings({"21:00", "22:00"}));
    EXPECT_EQ(layout.GetLastEnd(), GetSlotBaseDate() + CHighTimeSpan(1, 0)) << "the settings stay as given";
    layout.GenerateSlots(NotGiven(), NotGiven(), 0, nullptr, nullptr);
    EXPECT_EQ(Starts(layout.GetSlots()), Strings({"21:00", "22:00", "23:00"}));
}

TEST(DayDefSlots, NoGeneratedSlotOverlapsANeighbourAcrossMidnight)
{
    std::mt19937 rng(20240105);
    auto pick = [&rng](int i_low, int i_high) { return std::uniform_int_distribution<int>(i_low, i_high)(rng); };
    const CHighTimeSpan o_day(1, 0);
    for (int i_round = 0; i_round < 3000; ++i_round) {
        // Neighbour layouts, some for each venue, with slots anywhere from
        // the evening before to the morning after their own day.
        auto neighbour = [&]() {
            DayDefSlots d;
            ZelRelTimeslotArray a;
            const int n = pick(0, 4);
            for (int i = 0; i < n; ++i)
                a.Add(Slot(0, pick(-180, 27 * 60), pick(5, 300), pick(0, 1) ? -1 : pick(10, 12)));
            a.Sort();
            d.SetSlots(a, pick(0, 1));
            return d;
        };
        const DayDefSlots prev = neighbour();
        const DayDefSlots next = neighbour();
        DayDefSlots layout;
        layout.GenerateSlots(Clock(pick(0, 23), pick(0, 59)), Clock(pick(0, 23), pick(0, 59)), pick(1, 240), &prev,
                             &next);
        const ZelRelTimeslotArray& a_gen = layout.GetSlots();
        for (int i = 0; i < a_gen.GetSize(); ++i) {
            const ZelRelTimeslot& g = a_gen[i];
            for (int j = 0; j < prev.GetNumSlots(); ++j) {
                const ZelRelTimeslot& p = prev.GetSlots()[j];
                const bool b_overlap = g.GetStart() < p.GetEnd() - o_day && p.GetStart() - o_day < g.GetEnd();
                ASSERT_FALSE(b_overlap) << "round " << i_round << ": " << g.GetStart().Format("%H:%M")
                                        << " against the day before's " << p.GetStart().Format("%H:%M");
            }
            for (int j = 0; j < next.GetNumSlots(); ++j) {
                const ZelRelTimeslot& n = next.GetSlots()[j];
                const bool b_overlap = g.GetStart() < n.GetEnd() + o_day && n.GetStart() + o_day < g.GetEnd();
                ASSERT_FALSE(b_overlap) << "round " << i_round << ": " << g.GetStart().Format("%H:%M")
                                        << " against the day after's " << n.GetStart().Format("%H:%M");
            }
        }
    }
}

TEST(DayDefSlots, AllVenuesAndSlotsForEachVenue)
{
    // Venues 12 and 15 have different slots; venue 12 has one twice.
    DayDefSlots layout;
    layout.SetSlots(Slots({Slot(9, 0, 60, 12), Slot(9, 0, 60, 12), Slot(10, 0, 60, 12), Slot(9, 30, 60, 15)}),
                    FALSE);
    EXPECT_FALSE(layout.IsAllVenues());
    EXPECT_EQ(layout.GetNumSlots(), 4);

    layout.SetAllVenues(TRUE);
    EXPECT_EQ(Starts(layout.GetSlots()), Strings({"09:00", "10:00"})) << "the lower venue key's slots, once each";

    KeyList keys(3);
    keys.SetAt(0, 12);
    keys.SetAt(1, 15);
    keys.SetAt(2, 19);
    layout.SetAllVenues(FALSE);
    layout.RepeatForVenues(3, keys);
    EXPECT_EQ(Starts(layout.GetSlots()),
              Strings({"09:00/12", "10:00/12", "09:00/15", "10:00/15", "09:00/19", "10:00/19"}));

    layout.RemoveItem(15);
    EXPECT_EQ(Starts(layout.GetSlots()), Strings({"09:00/12", "10:00/12", "09:00/19", "10:00/19"}));

    DayDefSlots common;
    common.SetSlots(Slots({Slot(9, 0, 60)}), TRUE);
    common.RemoveItem(-1);
    EXPECT_EQ(common.GetNumSlots(), 1) << "a layout for all venues has no venue slots to remove";

    DayDefSlots generated;
    generated.GenerateSlots(Clock(9), Clock(11), 60, nullptr, nullptr);
    generated.SetAllVenues(FALSE);
    EXPECT_TRUE(generated.IsAllVenues()) << "a generated layout serves every venue";
    generated.SetSlotArray(Slots({Slot(9, 0, 30, 12)}));
    EXPECT_FALSE(generated.IsGenerated());
    EXPECT_TRUE(generated.IsAllVenues()) << "the flag is left as it was";
    EXPECT_EQ(Starts(generated.GetSlots()), Strings({"09:00/12"})) << "nothing is removed";
}

TEST(DayDefSlots, ArchiveForm)
{
    DayDefSlots layout;
    layout.GenerateSlots(Clock(9), Clock(11), 60, nullptr, nullptr);
    Builder b;
    b.Dwords({1, 1}).Raw(daytimes::TimeBytes(GetSlotBaseDate() + CHighTimeSpan(0, 9)));
    b.Raw(daytimes::TimeBytes(GetSlotBaseDate() + CHighTimeSpan(0, 11))).Dwords({60, 2}).Count(2);
    b.Raw(daytimes::SlotBytes(Slot(9, 0, 60))).Raw(daytimes::SlotBytes(Slot(10, 0, 60)));
    EXPECT_EQ(testbytes::Store(layout), b.Get());

    // The stored count is only information; a layout for all venues is
    // tidied as it is loaded.
    Builder dup;
    dup.Dwords({0, 1}).Raw(daytimes::TimeBytes(NotGiven())).Raw(daytimes::TimeBytes(NotGiven()));
    dup.Dwords({0, 99}).Count(3);
    dup.Raw(daytimes::SlotBytes(Slot(9, 0, 60, 4))).Raw(daytimes::SlotBytes(Slot(9, 0, 60, 4)));
    dup.Raw(daytimes::SlotBytes(Slot(11, 0, 60, 7)));
    DayDefSlots loaded;
    testbytes::Load(loaded, dup, 40);
    EXPECT_EQ(Starts(loaded.GetSlots()), Strings({"09:00"}));
    EXPECT_EQ(loaded.GetFirstStart().GetStatus(), CHighTime::null);
}

TEST(EventDefinition, RemapSetKeysOfOlderSlotForms)
{
    // A custom day whose layout gives venues slots of their own, stored when
    // slots named their venue by position (schema 2), beside one slot of the
    // current form.
    Builder b;
    b.Dword(2).Dword(1); // custom days, one layout
    b.Dwords({0, 0}).Raw(daytimes::TimeBytes(NotGiven())).Raw(daytimes::TimeBytes(NotGiven())).Dwords({0, 3});
    b.Count(3).Raw(daytimes::SlotBytes(Slot(9, 0, 60, 0), 2)).Raw(daytimes::SlotBytes(Slot(8, 0, 60, 1), 2));
    b.Raw(daytimes::SlotBytes(Slot(7, 0, 60, 1), 3));
    b.Dword(0).String("Day").Dwords({5, 0}).Dword(6);

    testbytes::VersionDoc doc(30);
    Venue hall;
    hall.SetName("Hall");
    hall.SetKey(12);
    Venue annex;
    annex.SetName("Annex");
    annex.SetKey(15);
    doc.GetVenues().AddVenue(hall);
    doc.GetVenues().AddVenue(annex);
    EventDefinition& def = doc.GetEventDef();
    testbytes::Load(def, b, 30, &doc);
    def.RemapSetKeys(&doc);
    EXPECT_EQ(Starts(def.GetDayDef().GetDaySlots(0).GetSlots()), Strings({"07:00/1", "09:00/12", "08:00/15"}));

    def.Reset();
    EXPECT_EQ(def.GetDaySel(), EventDefinition::eCalendar);
    EXPECT_EQ(def.GetCustomDays().GetNumDays(), 0);
    EXPECT_EQ(def.GetCustomDays().GetNumLayouts(), 0);
}

} // namespace
