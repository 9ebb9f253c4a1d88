#include "framework/PlatformTime.h"
#include "model/Timeslot.h"
#include "testsupport/ArchiveBytes.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/values/ZelTimeslot.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using testbytes::Builder;

namespace {

CHighTimeSpan At(int i_hour, int i_minute = 0) { return CHighTimeSpan(0, i_hour, i_minute); }

// A slot of day 0, venue 0 from one time of day to another.
Timeslot Slot(int i_from, int i_to, LONG l_group = -1)
{
    Timeslot slot(At(i_from / 100, i_from % 100), At(i_to / 100, i_to % 100) - At(i_from / 100, i_from % 100), 0, 0);
    slot.SetGroup(l_group);
    return slot;
}

struct SlotSpec {
    int iFrom;
    int iTo;
    LONG lGroup = -1;
};

TimeslotArray MakeArray(std::initializer_list<SlotSpec> a_specs)
{
    TimeslotArray a;
    for (const SlotSpec& s : a_specs)
        a.Add(Slot(s.iFrom, s.iTo, s.lGroup));
    return a;
}

// The slots as "from-to" (hhmm), with "*" for a filled slot.
std::string Describe(const TimeslotArray& a)
{
    std::string s;
    for (int i = 0; i < a.GetSize(); ++i) {
        const Timeslot& slot = a[i];
        if (!s.empty())
            s += " ";
        s += slot.GetTimeText(TRUE, FALSE) + "-" + slot.GetTimeText(TRUE, TRUE);
        if (!slot.IsEmpty())
            s += "*";
    }
    return s;
}

std::vector<int> Positions(const ZelArray<int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

// ---- records ----

TEST(Timeslot, SlotKeysComeFromOneCounter)
{
    const Timeslot a;
    const Timeslot b(At(9), At(1), 0, 0, 17);
    const Timeslot c(At(10), At(1), 0, 0);
    EXPECT_GE(a.GetSlotKey(), 1);
    EXPECT_EQ(b.GetSlotKey(), 17);
    EXPECT_EQ(c.GetSlotKey(), a.GetSlotKey() + 1) << "a given key does not move the counter";

    // Searches build probes of their own; they use up no keys.
    TimeslotArray slots = MakeArray({{900, 1000}, {1000, 1100}});
    ZelArray<int> a_found;
    const Timeslot before;
    slots.FindFirst(At(10), TRUE);
    slots.FindOverlappingTimes(At(9), At(12), a_found);
    const Timeslot after;
    EXPECT_EQ(after.GetSlotKey(), before.GetSlotKey() + 1);
}

TEST(Timeslot, TimesSitOnTheBaseDate)
{
    EXPECT_EQ(Timeslot::GetBaseDate(), CHighTime(2000, 1, 1));

    ZelRelTimeslot rel(At(9, 30), At(1, 15), 4);
    rel.SetCombinationKey(12);
    const Timeslot slot(rel, 2, 3, -1);
    EXPECT_EQ(slot.GetStart(), CHighTime(2000, 1, 1, 9, 30));
    EXPECT_EQ(slot.GetEnd(), CHighTime(2000, 1, 1, 10, 45));
    EXPECT_EQ(slot.GetStartOffset(), At(9, 30));
    EXPECT_EQ(slot.GetEndOffset(), At(10, 45));
    EXPECT_EQ(slot.GetSpan(), At(1, 15));
    EXPECT_EQ(slot.GetCombinationKey(), 12);
    EXPECT_EQ(slot.GetDay(), 2);
    EXPECT_EQ(slot.GetVenue(), 3);
    EXPECT_TRUE(slot.IsEmpty());
    EXPECT_FALSE(slot.IsLocked());

    // A layout slot of no length keeps invalid times, and so differs from
    // any real slot of its day and venue.
    const Timeslot empty(ZelRelTimeslot(At(9, 30), At(0), 4), 2, 3, -1);
    EXPECT_EQ(empty.GetStart().GetStatus(), CHighTime::invalid);
    EXPECT_EQ(empty.GetEndOffset().GetStatus(), CHighTime::invalid);
    EXPECT_NE(empty, slot);
    EXPECT_EQ(Timeslot(At(9, 30), At(1, 15), 2, 3), slot) << "group, lock and keys are not compared";

    const Timeslot absolute(CHighTime(2000, 1, 2, 8, 0), At(2));
    EXPECT_EQ(absolute.GetStartOffset(), CHighTimeSpan(1, 8));
    CHighTimeSpan invalid_span;
    invalid_span.SetStatus(CHighTime::invalid);
    EXPECT_EQ(Timeslot(CHighTime(2000, 1, 2), invalid_span).GetStart().GetStatus(), CHighTime::invalid);
}

TEST(Timeslot, CopiesLeaveTheRuleListsBehind)
{
    Timeslot slot = Slot(900, 1000, 5);
    slot.SetLocked(TRUE);
    slot.GetVenueRules().Add(1);
    slot.GetDayRules().Add(2);

    const Timeslot copy(slot);
    EXPECT_EQ(copy.GetSlotKey(), slot.GetSlotKey());
    EXPECT_EQ(copy.GetGroup(), 5);
    EXPECT_TRUE(copy.IsLocked());
    EXPECT_EQ(copy.GetVenueRules().GetSize(), 0);

    Timeslot target = Slot(1100, 1200);
    target.GetDayRules().Add(7);
    target = slot;
    EXPECT_EQ(target.GetStartOffset(), At(9));
    ASSERT_EQ(target.GetDayRules().GetSize(), 1);
    EXPECT_EQ(target.GetDayRules()[0], 7u) << "assignment keeps the target's own lists";

    // Slots moved about inside an array keep their lists.
    TimeslotArray slots;
    slots.Add(Slot(1000, 1100));
    slots[0].GetVenueRules().Add(3);
    for (int i = 0; i < 40; ++i)
        slots.Add(Slot(800, 900));
    slots.ReSort();
    ASSERT_EQ(slots[40].GetVenueRules().GetSize(), 1);
    EXPECT_EQ(slots[40].GetVenueRules()[0], 3u);
}

TEST(Timeslot, TimeTexts)
{
    const Timeslot morning = Slot(930, 1345);
    EXPECT_EQ(morning.GetTimeText(TRUE, FALSE), "09:30");
    EXPECT_EQ(morning.GetTimeText(FALSE, FALSE), "09:30am");
    EXPECT_EQ(morning.GetTimeText(TRUE, TRUE), "13:45");
    EXPECT_EQ(morning.GetTimeText(FALSE, TRUE), "01:45pm");
}

// ---- arrays ----

TEST(TimeslotArray, OrderIsDefinedForEqualStarts)
{
    TimeslotArray slots;
    const Timeslot first = Slot(1000, 1100);
    const Timeslot second = Slot(1000, 1200);
    const Timeslot third = Slot(1000, 1030);
    EXPECT_EQ(slots.Add(Slot(900, 1000)), 0);
    EXPECT_EQ(slots.Add(first), 1);
    EXPECT_EQ(slots.Add(second), 1) << "before the equal slot";
    EXPECT_EQ(slots.Add(Slot(1200, 1300)), 3);
    slots.Add(third);
    std::vector<LONG> v_keys;
    for (int i = 0; i < slots.GetSize(); ++i)
        v_keys.push_back(slots[i].GetSlotKey());

    // A re-sort keeps equal slots as they stand.
    slots.ReSort();
    for (int i = 0; i < slots.GetSize(); ++i)
        EXPECT_EQ(slots[i].GetSlotKey(), v_keys[static_cast<std::size_t>(i)]) << i;

    int i_insertAt = -1;
    EXPECT_EQ(slots.FindSorted(Slot(1100, 1200), i_insertAt), -1);
    EXPECT_EQ(i_insertAt, 4);
}

TEST(TimeslotArray, Searches)
{
    // Touching slots do not overlap.
    const TimeslotArray slots = MakeArray({{900, 1000}, {1000, 1100}, {1030, 1130}, {1100, 1200}});
    struct OverlapCase {
        int iFrom;
        int iTo;
        std::vector<int> vFound;
    };
    const OverlapCase a_overlaps[] = {
        {1000, 1100, {1, 2}},
        {930, 1015, {1, 0}},
        {1200, 1300, {}},
        {800, 1300, {0, 1, 2, 3}},
    };
    for (const OverlapCase& c : a_overlaps) {
        ZelArray<int> a_found;
        a_found.Add(99);
        EXPECT_EQ(slots.FindOverlapping(Slot(c.iFrom, c.iTo), a_found), static_cast<int>(c.vFound.size()));
        std::vector<int> v_expected{99};
        v_expected.insert(v_expected.end(), c.vFound.begin(), c.vFound.end());
        EXPECT_EQ(Positions(a_found), v_expected) << c.iFrom << "-" << c.iTo;
    }
    ZelArray<int> a_found;
    EXPECT_EQ(slots.FindOverlappingTimes(At(10), At(11), a_found), 2);
    EXPECT_EQ(TimeslotArray().FindOverlappingTimes(At(10), At(11), a_found), 0);

    struct FirstCase {
        int iTime;
        BOOL bStart;
        int iFound;
    };
    const TimeslotArray pair = MakeArray({{900, 1000}, {1000, 1100}});
    const FirstCase a_firsts[] = {
        {1000, FALSE, 0}, // the slot that ends where 10:00 begins
        {1000, TRUE, 1},
        {1100, FALSE, 1},
        {900, FALSE, -1},
        {930, TRUE, -1},
        {1030, FALSE, -1},
    };
    for (const FirstCase& c : a_firsts) {
        const CHighTimeSpan t = At(c.iTime / 100, c.iTime % 100);
        EXPECT_EQ(pair.FindFirst(t, c.bStart), c.iFound) << c.iTime << " " << c.bStart;
        EXPECT_EQ(pair.FindFirstAt(Timeslot::GetBaseDate() + t, c.bStart), c.iFound) << c.iTime << " " << c.bStart;
    }
}

TEST(TimeslotArray, LatestEndShortestSlotAndUnfilled)
{
    const TimeslotArray slots = MakeArray({{900, 1100, 1}, {1000, 1100}, {1030, 1100, 2}, {1045, 1100}});
    EXPECT_EQ(slots.GetLatestEnd(), 3) << "the later of equal ends";
    const TimeslotArray spans = MakeArray({{900, 930}, {1000, 1100}, {1030, 1100}, {1045, 1115}});
    EXPECT_EQ(spans.GetShortestSlot(), 0) << "the earlier of equal spans";
    EXPECT_EQ(TimeslotArray().GetLatestEnd(), -1);
    EXPECT_EQ(TimeslotArray().GetShortestSlot(), -1);

    EXPECT_EQ(slots.GetNumUnfilled(), 2);
    ZelArray<int> a_unfilled;
    a_unfilled.Add(7);
    EXPECT_EQ(slots.GetUnfilled(a_unfilled), 3);
    EXPECT_EQ(Positions(a_unfilled), (std::vector<int>{7, 1, 3}));

    // Callers gather slots as the library's array of slot pointers.
    ZelArray<const Timeslot*> a_filled;
    for (int i = 0; i < slots.GetSize(); ++i) {
        if (!slots[i].IsEmpty())
            a_filled.Add(&slots[i]);
    }
    ASSERT_EQ(a_filled.GetSize(), 2);
    EXPECT_EQ(a_filled[1]->GetGroup(), 2);
}

TEST(TimeslotArray, RemovingUnfilledSlots)
{
    struct Case {
        const char* pOperation;
        std::initializer_list<SlotSpec> aSlots;
        int nRemoved;
        const char* pLeft;
    };
    const Case a_cases[] = {
        {"trim", {{800, 900}, {900, 1000, 1}, {1000, 1100}, {1100, 1200, 2}, {1200, 1300}},
            2, "09:00-10:00* 10:00-11:00 11:00-12:00*"},
        {"trim", {{800, 900}, {900, 1000}}, 2, ""},
        {"all", {{800, 900}, {900, 1000, 1}, {1000, 1100}}, 2, "09:00-10:00*"},
        // A filled slot wins over longer unfilled ones; among unfilled
        // slots only the longest stays; a slot overlapping nothing stays.
        {"overlapping", {{900, 1200}, {930, 1100}, {1000, 1100, 4}}, 2, "10:00-11:00*"},
        {"overlapping", {{1300, 1400}, {1300, 1500}, {1400, 1500}, {1600, 1700}}, 2,
            "13:00-15:00 16:00-17:00"},
        {"overlapping", {{900, 1000, 1}, {900, 1000, 2}}, 0, "09:00-10:00* 09:00-10:00*"},
    };
    for (const Case& c : a_cases) {
        TimeslotArray slots = MakeArray(c.aSlots);
        const LONG l_counter = slots.GetChangeCounter();
        const std::string s_operation = c.pOperation;
        const int n_removed = s_operation == "trim" ? slots.TrimUnfilled()
            : s_operation == "all"                  ? slots.RemoveUnfilled()
                                                    : slots.RemoveOverlappingUnfilled();
        EXPECT_EQ(n_removed, c.nRemoved) << s_operation << " " << c.pLeft;
        EXPECT_EQ(Describe(slots), c.pLeft) << s_operation;
        EXPECT_EQ(slots.GetChangeCounter() != l_counter, n_removed > 0) << s_operation << " " << c.pLeft;
    }
}

TEST(TimeslotArray, ChangesCountAndStaleTheKeyIndex)
{
    TimeslotArray slots;
    const LONG l_start = slots.GetChangeCounter();
    slots.Add(Slot(900, 1000));
    slots.Add(Slot(1000, 1100));
    EXPECT_EQ(slots.GetChangeCounter(), l_start + 2);
    EXPECT_FALSE(slots.IsKeyIndexCurrent());

    // The first of two equal keys is found; a lookup rebuilds a stale index.
    slots[1].SetSlotKey(slots[0].GetSlotKey());
    int i_found = -1;
    EXPECT_TRUE(slots.FindSlotKey(slots[0].GetSlotKey(), i_found));
    EXPECT_EQ(i_found, 0);
    EXPECT_TRUE(slots.IsKeyIndexCurrent());
    EXPECT_FALSE(slots.FindSlotKey(-5, i_found));

    slots.FindFirst(At(9), TRUE);
    EXPECT_EQ(slots.GetChangeCounter(), l_start + 2) << "a search changes nothing";
    slots.RemoveAll();
    EXPECT_EQ(slots.GetChangeCounter(), l_start + 3);
    EXPECT_FALSE(slots.FindSlotKey(0, i_found));
}

// ---- checked pointers ----

TEST(TimeslotPtr, MovingASlotReSortsAndStalesTheOtherPointers)
{
    ZelRecordingErrorReports reports;
    TimeslotArray slots = MakeArray({{900, 1000}, {1000, 1100}, {1100, 1200}});
    const LONG k_moved = slots[0].GetSlotKey();
    const LONG l_counter = slots.GetChangeCounter();
    {
        TimeslotPtr p_other = slots.GetSlotPtr(2);
        {
            TimeslotPtr p_slot = slots.GetSlotPtr(0);
            p_slot->SetStartOffset(At(11, 30));
            EXPECT_TRUE(p_slot.IsModified());
            // Moving on from a slot that was changed is refused.
            EXPECT_THROW(++p_slot, ZelAssertException);
            EXPECT_EQ(slots.GetChangeCounter(), l_counter) << "nothing sorted while the pointer holds the slot";
        }
        EXPECT_EQ(Describe(slots), "10:00-11:00 11:00-12:00 11:30-12:30");
        EXPECT_EQ(slots[2].GetSlotKey(), k_moved);
        EXPECT_EQ(slots.GetChangeCounter(), l_counter + 1);
        EXPECT_TRUE(slots.IsKeyIndexCurrent());

        // The pointer made before the move is stale now.
        EXPECT_FALSE(p_other.IsCurrent());
        EXPECT_THROW(p_other->GetGroup(), ZelAssertException);
        EXPECT_THROW(*p_other, ZelAssertException);
        TimeslotPtr p_copy;
        EXPECT_THROW(p_copy = p_other, ZelAssertException);
    }
    // Letting the stale pointer go reported nothing more.
    ASSERT_EQ(reports.Reports().size(), 4u);
    EXPECT_NE(reports.Reports()[0].sReport.find("!IsModified()"), std::string::npos);
    EXPECT_NE(reports.Reports()[1].sReport.find("pArray->GetChangeCounter() == lArrayChangeCounter"),
        std::string::npos);
}

TEST(TimeslotPtr, FollowingKeysAndWalking)
{
    ZelRecordingErrorReports reports;
    TimeslotArray slots = MakeArray({{900, 1000}, {1000, 1100}, {1100, 1200}});
    const LONG l_counter = slots.GetChangeCounter();
    TimeslotPtr p_first = slots.GetSlotPtr(0);
    {
        // A new key only: the index is rebuilt, nothing is re-sorted, and
        // other pointers stay good.
        TimeslotPtr p_slot = slots.GetSlotPtr(1);
        p_slot->SetSlotKey(900001);
        p_slot->SetGroup(3);
    }
    EXPECT_EQ(slots.GetChangeCounter(), l_counter);
    int i_found = -1;
    ASSERT_TRUE(slots.FindSlotKey(900001, i_found));
    EXPECT_EQ(i_found, 1);
    EXPECT_TRUE(p_first.IsCurrent());

    // Walking: each step takes the next slot; past the end the pointer
    // holds no slot and lets go of nothing.
    TimeslotPtr p_walk = p_first;
    ++p_walk;
    EXPECT_EQ(p_walk->GetGroup(), 3);
    ++p_walk;
    EXPECT_EQ(p_walk->GetStartOffset(), At(11));
    ++p_walk;
    EXPECT_EQ(p_walk.GetIndex(), 3);
    --p_walk;
    EXPECT_EQ(p_walk.GetIndex(), 2);

    // Assignment lets go of the old slot first: the move is sorted in.
    TimeslotPtr p_mover = slots.GetSlotPtr(0);
    p_mover->SetStartOffset(At(12));
    p_mover = TimeslotPtr();
    EXPECT_TRUE(p_mover.IsNull());
    EXPECT_EQ(Describe(slots), "10:00-11:00* 11:00-12:00 12:00-13:00");
    EXPECT_TRUE(reports.Reports().empty());
}

// ---- archive forms ----

Builder& HighTime(Builder& b, const CHighTime& dt)
{
    const auto u = static_cast<std::uint64_t>(static_cast<std::int64_t>(dt));
    return b.Dwords({dt.GetStatus(), static_cast<std::int64_t>(u >> 32), static_cast<std::int64_t>(u & 0xFFFFFFFF)});
}

Builder& Span(Builder& b, const CHighTimeSpan& span)
{
    const auto u = static_cast<std::uint64_t>(static_cast<std::int64_t>(span));
    return b.Dwords({span.GetStatus(), static_cast<std::int64_t>(u >> 32), static_cast<std::int64_t>(u & 0xFFFFFFFF)});
}

// A slot at 09:30 for 45 minutes, locked, group 7, day 2, venue 1.
Builder SlotBytes(bool b_withCombination)
{
    Builder b;
    HighTime(b, CHighTime(2000, 1, 1, 9, 30));
    Span(b, At(0, 45));
    b.Dwords({1, 7, 2, 1});
    if (b_withCombination)
        b.Dword(12);
    return b;
}

TEST(TimeslotArchive, VersionsOfTheRecord)
{
    Timeslot slot(At(9, 30), At(0, 45), 2, 1, 5);
    slot.SetLocked(TRUE);
    slot.SetGroup(7);
    slot.SetCombinationKey(12);
    EXPECT_EQ(testbytes::Store(slot), SlotBytes(true).Get());

    Timeslot loaded;
    testbytes::Load(loaded, SlotBytes(true), 32);
    EXPECT_EQ(loaded, slot);
    EXPECT_EQ(loaded.GetEndOffset(), At(10, 15));
    EXPECT_EQ(loaded.GetGroup(), 7);
    EXPECT_TRUE(loaded.IsLocked());
    EXPECT_EQ(loaded.GetCombinationKey(), 12);

    Timeslot old;
    testbytes::Load(old, SlotBytes(false), 31);
    EXPECT_EQ(old, slot);
    EXPECT_EQ(old.GetCombinationKey(), -1) << "no combinations before version 32";

    // Older files hold the old records; a short record ends the load.
    for (unsigned u_version : {6u, 1u}) {
        Timeslot refused;
        EXPECT_THROW(testbytes::Load(refused, SlotBytes(false), u_version), CArchiveException) << u_version;
    }
    testbytes::Bytes v_short = SlotBytes(true);
    v_short.resize(v_short.size() - 2);
    EXPECT_THROW(testbytes::Load(loaded, v_short, 40), CArchiveException);
}

TEST(TimeslotArchive, ArraysOfSlots)
{
    TimeslotArray slots = MakeArray({{900, 1000, 1}, {1000, 1100}});
    const testbytes::Bytes v_bytes = testbytes::Store(slots);
    ASSERT_EQ(v_bytes.size(), 2u + 2 * 44u);
    EXPECT_EQ(v_bytes[0], 2);

    TimeslotArray loaded;
    const LONG l_counter = loaded.GetChangeCounter();
    testbytes::Load(loaded, v_bytes, 40);
    EXPECT_EQ(Describe(loaded), "09:00-10:00* 10:00-11:00");
    EXPECT_NE(loaded.GetChangeCounter(), l_counter);
    EXPECT_NE(loaded[0].GetSlotKey(), loaded[1].GetSlotKey()) << "loaded slots have keys of their own";

    // A count the data cannot hold is refused before anything is made.
    EXPECT_THROW(testbytes::Load(loaded, Builder().Count(50000).Raw(SlotBytes(true)), 40), CArchiveException);

    // A day keeps one array per venue; they travel whole.
    ZelArray<TimeslotArray> venues;
    venues.SetSize(3);
    venues[1] = MakeArray({{900, 1000, 1}});
    venues[2] = MakeArray({{1000, 1100}, {1100, 1200, 2}});
    venues[2][1].GetDayRules().Add(6);
    ZelArray<TimeslotArray> reloaded;
    testbytes::Load(reloaded, testbytes::Store(venues), 40);
    ASSERT_EQ(reloaded.GetSize(), 3);
    EXPECT_EQ(Describe(reloaded[2]), "10:00-11:00 11:00-12:00*");
    venues.RemoveAt(0);
    EXPECT_EQ(Describe(venues[1]), "10:00-11:00 11:00-12:00*");
    ASSERT_EQ(venues[1][1].GetDayRules().GetSize(), 1) << "moving a venue's array takes its slots whole";
}

Builder OldDate(Builder b, int i_hour)
{
    return b.Dword(COleDateTime::valid).Double(COleDateTime(2000, 1, 1, i_hour, 0, 0).m_dt);
}

TEST(TimeslotArchive, OldRecords)
{
    // Version 2: the old schema word, no lock flags, no values.
    OldTimeslot v2;
    testbytes::Load(v2, OldDate(Builder().Dword(2), 9).Dwords({60, 2, 2, 11, 12, 0}), 2);
    EXPECT_EQ(v2.GetStart(), CHighTime(2000, 1, 1, 9, 0));
    EXPECT_EQ(v2.GetValue(), 60u);
    EXPECT_EQ(v2.GetCount(), 2);
    EXPECT_EQ(v2.GetKeys().GetMaxKeys(), 2);
    EXPECT_EQ(v2.GetKeys()[1], 12);
    EXPECT_EQ(v2.GetFlags().GetSize(), 2);
    EXPECT_EQ(v2.GetFlags().GetNumSet(), 0);
    EXPECT_FALSE(v2.HasValues());

    // Version 5: no schema word; lock flags and values.
    OldTimeslot v5;
    testbytes::Load(v5, OldDate(Builder(), 14).Dwords({30, 2, 2, 7, -1, 2, 1, 0, 1, 3, 4}), 5);
    EXPECT_EQ(v5.GetStart(), CHighTime(2000, 1, 1, 14, 0));
    EXPECT_EQ(v5.GetKeys()[0], 7);
    EXPECT_EQ(v5.GetKeys()[1], -1);
    EXPECT_TRUE(v5.GetFlags().IsSet(0));
    EXPECT_FALSE(v5.GetFlags().IsSet(1));
    ASSERT_TRUE(v5.HasValues());
    EXPECT_EQ(v5.GetValues()[1], 4u);

    OldTimeslot nothing;
    EXPECT_TRUE(testbytes::Store(nothing).empty());

    struct Refused {
        unsigned uVersion;
        testbytes::Bytes vBytes;
        const char* pWhy;
    };
    const Refused a_refused[] = {
        {7, OldDate(Builder(), 9).Dwords({60, 0, 0, 0, 0}), "a current file has no old records"},
        {2, OldDate(Builder().Dword(4), 9).Dwords({60, 0, 0, 0}), "an unknown old schema"},
        {5, OldDate(Builder(), 9).Dwords({60, 1000000, 1, 5, 0, 0}), "a venue count beyond the data"},
        {5, OldDate(Builder(), 9).Dwords({60, 1, 1, 5, 2, 0, 0, 0}), "more lock flags than venues"},
        {5, OldDate(Builder(), 9).Dwords({60, 2, 2, 5, 6, 2, 0, 0, 1, 9}), "values cut short"},
        {4, Builder().Dwords({3, 0, 0}), "a date-time status no value has"},
    };
    for (const Refused& r : a_refused) {
        OldTimeslot slot;
        EXPECT_THROW(testbytes::Load(slot, r.vBytes, r.uVersion), CArchiveException) << r.pWhy;
    }
}

} // namespace
