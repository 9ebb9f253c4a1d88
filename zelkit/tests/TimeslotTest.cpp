#include "framework/Archive.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/values/ZelTimeslot.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// 2000-01-01 at hh:mm.
ZelOleDateTime At(int i_hour, int i_minute, int i_day = 1)
{
    return ZelOleDateTime(2000, 1, i_day, i_hour, i_minute, 0);
}

ZelOleDateTimeSpan Minutes(std::int64_t ll_minutes)
{
    return ZelOleDateTimeSpan(CHighTimeSpan(ll_minutes * CHighTimeSpan::llTicksPerMinute));
}

ZelTimeslot Slot(int i_h1, int i_m1, int i_h2, int i_m2, WORD u_set = 0)
{
    return ZelTimeslot(At(i_h1, i_m1), Minutes((i_h2 * 60 + i_m2) - (i_h1 * 60 + i_m1)), u_set, 0);
}

ZelRelTimeslot Rel(int i_h1, int i_m1, std::int64_t ll_minutes, LONG l_setKey)
{
    return ZelRelTimeslot(Minutes(i_h1 * 60 + i_m1), Minutes(ll_minutes), l_setKey);
}

TEST(TimeslotTest, DefaultSlotIsNullAndNotValid)
{
    const ZelTimeslot slot;
    EXPECT_TRUE(slot.IsNull());
    EXPECT_FALSE(slot.IsValid());
    EXPECT_EQ(slot.GetSetIndex(), 0);
    EXPECT_EQ(slot.GetItemData(), 0u);
    EXPECT_EQ(slot.GetCombinationKey(), -1);
    EXPECT_FALSE(slot.IsSelected());
    EXPECT_FALSE(slot.HasFocus());
    EXPECT_FALSE(slot.IsBigEnough());
    EXPECT_EQ(slot.GetEnd().GetStatus(), CHighTime::null);
    EXPECT_EQ(slot.FormatHHMM(':'), "");

    const ZelTimeslot zero(At(9, 0), std::int64_t(0), 0, 0);
    EXPECT_FALSE(zero.IsValid());
    EXPECT_FALSE(zero.IsNull());
}

TEST(TimeslotTest, TimesRelationsAndFlags)
{
    ZelTimeslot slot(At(9, 0), std::int64_t(5400), 2, 77);
    EXPECT_TRUE(slot.IsValid());
    EXPECT_EQ(slot.GetLength(), 5400);
    EXPECT_EQ(slot.GetEnd(), At(10, 30));
    EXPECT_EQ(slot.FormatHHMM(':'), "09:00 - 10:30 (1h30m)");
    EXPECT_EQ(Slot(11, 45, 13, 5).FormatAMPM(TRUE, 0, ':'), "11:45am - 1:05pm (1h20m)");
    EXPECT_EQ(slot.FormatLength(ZelOleDateTimeSpan::fuMinutes), "90m");

    EXPECT_TRUE(slot.Within(At(9, 0), FALSE));
    EXPECT_FALSE(slot.Within(At(10, 30), FALSE));
    EXPECT_TRUE(slot.Within(At(10, 30), TRUE));
    EXPECT_FALSE(slot.Within(At(8, 59), TRUE));
    EXPECT_FALSE(slot.Within(ZelOleDateTime(), TRUE));

    // Touching slots follow each other and do not overlap.
    const ZelTimeslot next = Slot(10, 30, 11, 0, 2);
    EXPECT_TRUE(next.Follows(slot));
    EXPECT_FALSE(slot.Follows(next));
    EXPECT_FALSE(next.Overlaps(slot));
    EXPECT_TRUE(Slot(10, 0, 11, 0, 2).Overlaps(slot));
    EXPECT_FALSE(Slot(10, 0, 11, 0, 3).Overlaps(slot)); // another set
    EXPECT_FALSE(Slot(10, 30, 11, 0, 3).Follows(slot));

    EXPECT_TRUE(slot.Select(true));
    EXPECT_FALSE(slot.Select(true));
    EXPECT_TRUE(slot.IsSelected());
    EXPECT_TRUE(slot.Select(false));
    slot.SetBigEnough(TRUE, FALSE);
    EXPECT_TRUE(slot.IsMeasured());
    EXPECT_FALSE(slot.IsBigEnough());
    slot.SetBigEnough(TRUE, TRUE);
    EXPECT_TRUE(slot.IsBigEnough());

    slot.Move(Minutes(30));
    slot.Resize(Minutes(-60));
    EXPECT_EQ(slot.GetStart(), At(9, 30));
    EXPECT_EQ(slot.GetEnd(), At(10, 0));
    EXPECT_TRUE(slot.Equal(Slot(9, 30, 10, 0)));
}

TEST(TimeslotTest, TextFormRoundTripsWithAndWithoutBase)
{
    ZelTimeslot slot(ZelOleDateTime(2000, 1, 2, 9, 15, 0), std::int64_t(5400), 3, 0xFFFFFFFFu);
    slot.SetCombinationKey(42);

    const std::string s_plain = slot.GetAsText(ZelOleDateTime());
    EXPECT_EQ(s_plain, "02012000,09:15,1h30m,3,-1,42");
    const ZelOleDateTime o_base(2000, 1, 1, 12, 0, 0);
    const std::string s_based = slot.GetAsText(o_base);
    EXPECT_EQ(s_based, "01012000,12:00%21h15m,1h30m,3,-1,42");

    for (const std::string& s : {s_plain, s_based}) {
        ZelTimeslot back;
        ASSERT_TRUE(back.SetFromText(s)) << s;
        EXPECT_EQ(back.GetStart(), slot.GetStart()) << s;
        EXPECT_EQ(back.GetLength(), 5400) << s;
        EXPECT_EQ(back.GetSetIndex(), 3) << s;
        EXPECT_EQ(back.GetItemData(), 0xFFFFFFFFu) << s;
        EXPECT_EQ(back.GetCombinationKey(), 42) << s;
    }
}

TEST(TimeslotTest, TextFormRefusesWhatIsNotSlotText)
{
    const char* a_bad[] = {
        "",
        "hello",
        "hello,world",
        "99992000,09:00,1h,0,0,-1",     // no such date
        "01012000,09:00,1h,0,0",        // a field short
        "01012000,09:00%zz,1h,0,0,-1", // an offset that is no duration
        "01012000,09:00,1q,0,0,-1",     // a length that is no duration
        "01012000,09:00,1h,x,0,-1",
        "01012000,09:00,1h,70000,0,-1", // no such set index
    };
    for (const char* p : a_bad) {
        ZelTimeslot slot;
        EXPECT_FALSE(slot.SetFromText(p)) << p;
    }
}

TEST(TimeslotListTest, AddKeepsOrderAndRefusesOverlapsInvalidAndOverlongSlots)
{
    ZelTimeslotList list;
    EXPECT_EQ(list.Add(Slot(10, 0, 11, 0)), ZelTimeslotList::Added);
    EXPECT_EQ(list.Add(Slot(9, 0, 10, 0)), ZelTimeslotList::Added); // touching is no overlap
    EXPECT_EQ(list.Add(Slot(9, 30, 10, 30)), ZelTimeslotList::Overlap);
    EXPECT_EQ(list.Add(ZelTimeslot(At(12, 0), std::int64_t(0), 0, 0)), ZelTimeslotList::Invalid);
    EXPECT_EQ(list.Add(ZelTimeslot()), ZelTimeslotList::Invalid);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list[0].GetStart(), At(9, 0));
    EXPECT_EQ(list[1].GetStart(), At(10, 0));

    int i_at = -1;
    EXPECT_EQ(list.TestAdd(Slot(8, 0, 8, 30), &i_at), ZelTimeslotList::Added);
    EXPECT_EQ(i_at, 0);
    EXPECT_EQ(list.TestAdd(Slot(11, 0, 12, 0), &i_at), ZelTimeslotList::Added);
    EXPECT_EQ(i_at, 2);
    EXPECT_EQ(list.GetCount(), 2); // testing adds nothing

    ZelTimeslotList day;
    day.SetMaximum(Minutes(8 * 60));
    EXPECT_EQ(day.Add(Slot(8, 0, 9, 0)), ZelTimeslotList::Added);
    EXPECT_EQ(day.Add(Slot(15, 0, 16, 0)), ZelTimeslotList::Added);
    EXPECT_EQ(day.Add(Slot(16, 0, 16, 30)), ZelTimeslotList::TooLong);
    EXPECT_EQ(day.Add(Slot(7, 59, 8, 0)), ZelTimeslotList::TooLong);
    EXPECT_EQ(day.Add(Slot(12, 0, 13, 0)), ZelTimeslotList::Added);
    EXPECT_EQ(day.GetTimeLeft(ZelTimeslot(), ZelOleDateTime(), ZelOleDateTime()), Minutes(0));

    EXPECT_EQ(ZelTimeslotList::GetFailMessage(ZelTimeslotList::Added), "Timeslot added.");
    EXPECT_EQ(ZelTimeslotList::GetFailMessage(ZelTimeslotList::Overlap), "Timeslot overlaps with another timeslot.");
    EXPECT_EQ(ZelTimeslotList::GetFailMessage(ZelTimeslotList::Invalid), "Timeslot invalid.");
    EXPECT_EQ(ZelTimeslotList::GetFailMessage(ZelTimeslotList::TooLong),
              "Timeslot would exceed the maximum day length.");
}

TEST(TimeslotListTest, FindGapsTotalsAndSearches)
{
    ZelTimeslotList list;
    EXPECT_EQ(list.GetFirstTime().GetStatus(), CHighTime::null);
    EXPECT_EQ(list.GetLastTime().GetStatus(), CHighTime::null);
    ZelTimeslot probe(ZelOleDateTime(), Minutes(30), 0, 0);
    EXPECT_FALSE(list.FindGap(probe));

    for (const ZelTimeslot& s : {Slot(9, 0, 10, 0), Slot(10, 15, 11, 0), Slot(11, 30, 12, 0)})
        ASSERT_EQ(list.Add(s), ZelTimeslotList::Added);
    EXPECT_EQ(list.GetFirstTime(), At(9, 0));
    EXPECT_EQ(list.GetLastTime(), At(12, 0));
    EXPECT_EQ(list.GetTotalTime(), (60 + 45 + 30) * 60);
    int n_gaps = 0;
    EXPECT_EQ(list.GetTotalGaps(n_gaps), Minutes(45));
    EXPECT_EQ(n_gaps, 2);

    EXPECT_TRUE(list.FindGap(probe));
    EXPECT_EQ(probe.GetStart(), At(11, 0));
    ZelTimeslot small(ZelOleDateTime(), Minutes(10), 0, 0);
    EXPECT_TRUE(list.FindGap(small));
    EXPECT_EQ(small.GetStart(), At(10, 0));
    ZelTimeslot big(ZelOleDateTime(), Minutes(120), 0, 0);
    EXPECT_TRUE(list.FindGap(big)); // after the last slot
    EXPECT_EQ(big.GetStart(), At(12, 0));
    ZelTimeslot huge(ZelOleDateTime(), Minutes(22 * 60), 0, 0);
    EXPECT_FALSE(list.FindGap(huge)); // placed, but the day has no room for it
    ZelTimeslot tiny(ZelOleDateTime(), ZelOleDateTimeSpan(CHighTimeSpan(5000000)), 0, 0);
    EXPECT_FALSE(list.FindGap(tiny)); // shorter than a second

    EXPECT_EQ(list.Find(At(10, 0), FALSE), -1);
    EXPECT_EQ(list.Find(At(10, 0), TRUE), 0);
    EXPECT_EQ(list.Find(At(10, 15), TRUE), 1); // the last slot that holds it
    EXPECT_EQ(list.Find(Slot(10, 15, 11, 0), TRUE), 1);
    EXPECT_EQ(list.Find(Slot(10, 15, 10, 59), TRUE), -1);
    EXPECT_EQ(list.Find(Slot(9, 30, 10, 30), FALSE), 1);
    EXPECT_EQ(list.Find(ZelTimeslot(), FALSE), -1);

    list[2].Select(true);
    EXPECT_EQ(list.CountSelected(), 1);
    EXPECT_TRUE(list.Delete(Slot(10, 15, 11, 0)));
    EXPECT_FALSE(list.Delete(Slot(10, 15, 11, 0)));
    list.Delete(0);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list[0].IsSelected());

    // Assigned from an array in any order, the list is in order of start.
    ZelArray<ZelTimeslot> a_slots;
    a_slots.Add(Slot(14, 0, 15, 0));
    a_slots.Add(Slot(8, 0, 9, 0));
    list = a_slots;
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list[0].GetStart(), At(8, 0));
}

TEST(TimeslotListTest, BadIndexGoesToTheAssertionContract)
{
    ZelRecordingErrorReports reports;
    ZelTimeslotList list;
    list.Add(Slot(9, 0, 10, 0));
    EXPECT_THROW(list[1], ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_NE(reports.Reports()[0].sReport.find("0 <= i_index && i_index < Timeslots.GetSize()"), std::string::npos);
    EXPECT_THROW(list.Delete(-1), ZelAssertException);
}

TEST(RelTimeslotTest, OrderEqualityAndRelations)
{
    const ZelRelTimeslot a = Rel(9, 0, 60, 1);
    EXPECT_EQ(a.GetEnd(), Minutes(10 * 60));
    EXPECT_TRUE(a < Rel(8, 0, 60, 2));  // set key first
    EXPECT_TRUE(a < Rel(9, 30, 10, 1)); // then start
    EXPECT_TRUE(a < Rel(9, 0, 90, 1));  // then length
    ZelRelTimeslot b = Rel(9, 0, 60, 1);
    b.SetItemData(5);
    b.SetCombinationKey(7);
    EXPECT_TRUE(a == b); // item data and combination are no part of equality
    EXPECT_TRUE(a <= b && a >= b && !(a < b) && !(a > b));
    // A start that differs only in its status (as a damaged file may hold)
    // leaves the order to the length, so the order stays one a sort can use.
    ZelOleDateTimeSpan o_nullStart = Minutes(9 * 60);
    o_nullStart.SetStatus(CHighTime::null);
    const ZelRelTimeslot odd(o_nullStart, Minutes(30), 1);
    EXPECT_TRUE(odd < a);
    EXPECT_FALSE(a < odd);
    EXPECT_TRUE(odd < Rel(9, 0, 90, 1));

    EXPECT_TRUE(a.Within(Minutes(9 * 60)));
    EXPECT_FALSE(a.Within(Minutes(10 * 60)));
    EXPECT_TRUE(a.Overlaps(Rel(9, 59, 5, 99))); // set keys are not compared
    EXPECT_FALSE(a.Overlaps(Rel(10, 0, 5, 1)));
    EXPECT_FALSE(a.Overlaps(Rel(9, 30, 0, 1))); // an empty slot overlaps nothing

    EXPECT_EQ(ZelRelTimeslot::GetEarliest(a), Minutes(-14 * 60));
    EXPECT_EQ(ZelRelTimeslot::GetLatest(a), Minutes(33 * 60));
    EXPECT_EQ(ZelRelTimeslot::GetEarliest(Rel(9, 0, 0, 1)), Minutes(0));
    EXPECT_EQ(ZelRelTimeslot::GetRelative(ZelOleDateTime(2024, 3, 5, 14, 45, 0)), Minutes(14 * 60 + 45));
    EXPECT_EQ(ZelRelTimeslot::GetRelative(ZelOleDateTime()), Minutes(0));

    ZelRelTimeslot c;
    EXPECT_EQ(c.GetSetKey(), -1);
    EXPECT_EQ(c.GetCombinationKey(), -1);
    c.SetStart(ZelOleDateTime(2024, 3, 5, 8, 0, 0));
    c.SetLength(std::int64_t(1800));
    EXPECT_EQ(c.GetEnd(), Minutes(8 * 60 + 30));

    // Start order: slots that are not valid come first.
    EXPECT_EQ(ZelRelTimeslot::CmpStart(&a, &c), 1);
    EXPECT_EQ(ZelRelTimeslot::CmpStart(&c, &a), -1);
    const ZelRelTimeslot empty = Rel(1, 0, 0, 1);
    EXPECT_EQ(ZelRelTimeslot::CmpStart(&empty, &c), -1);
    EXPECT_EQ(ZelRelTimeslot::CmpStart(&empty, &empty), 0);
}

std::vector<std::uint8_t> StoredSlot(std::uint32_t u_schema, std::int32_t l_setKey, bool b_comb)
{
    CArchive ar(CArchive::store);
    ar << u_schema << Minutes(9 * 60) << Minutes(45);
    if (u_schema < 3)
        ar << static_cast<std::uint16_t>(l_setKey);
    else
        ar << l_setKey;
    ar << std::int32_t(77);
    if (b_comb)
        ar << std::int32_t(12);
    return ar.GetBuffer();
}

TEST(RelTimeslotTest, ArchiveFormStoresSchemaThreeAndLoadsOlderSchemas)
{
    ZelRelTimeslot slot = Rel(9, 0, 45, 70000);
    slot.SetItemData(77);
    slot.SetCombinationKey(12);
    slot.SetSelected(TRUE);
    CArchive ar(CArchive::store);
    slot.Serialize(ar);
    EXPECT_EQ(ar.GetBuffer(), StoredSlot(3, 70000, true));

    struct Case {
        std::uint32_t uSchema;
        std::int32_t lSetKeyStored;
        bool bComb;
        LONG lSetKey;
        LONG lComb;
    };
    const Case a_cases[] = {
        {1, 0xFFFF, false, 0xFFFF, -1}, // 16-bit set key, zero-extended; no combination
        {2, 0x8001, true, 0x8001, 12},
        {3, -5, true, -5, 12},
    };
    for (const Case& c : a_cases) {
        CArchive ar_load(StoredSlot(c.uSchema, c.lSetKeyStored, c.bComb));
        ZelRelTimeslot back;
        back.SetSelected(TRUE);
        back.Serialize(ar_load);
        EXPECT_TRUE(ar_load.AtEnd()) << c.uSchema;
        EXPECT_EQ(back.GetSetKey(), c.lSetKey) << c.uSchema;
        EXPECT_EQ(back.GetCombinationKey(), c.lComb) << c.uSchema;
        EXPECT_EQ(back.GetItemData(), 77) << c.uSchema;
        EXPECT_EQ(back.GetStart(), Minutes(9 * 60)) << c.uSchema;
        EXPECT_EQ(back.GetEnd(), Minutes(9 * 60 + 45)) << c.uSchema;
        EXPECT_FALSE(back.IsSelected()) << c.uSchema;
        EXPECT_EQ(back.GetLoadedSchema(), static_cast<std::int32_t>(c.uSchema));
    }

    for (std::uint32_t u_schema : {0u, 4u, 0xFFFFFFFFu}) {
        CArchive ar_bad(StoredSlot(u_schema, 1, true));
        ZelRelTimeslot back = Rel(1, 0, 10, 3);
        try {
            back.Serialize(ar_bad);
            ADD_FAILURE() << "schema " << u_schema << " loaded";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
        }
        EXPECT_EQ(back.GetSetKey(), 3); // untouched
    }
}

TEST(RelTimeslotArrayTest, LoadingSortsAnArrayStoredOutOfOrder)
{
    ZelRelTimeslotArray a_desc;
    // Stored descending (a writer that did not sort), with two equal slots
    // whose item data tells them apart.
    const ZelRelTimeslot a_slots[] = {Rel(14, 0, 60, 2), Rel(9, 0, 60, 2), Rel(9, 0, 60, 1), Rel(8, 0, 30, 1)};
    for (const ZelRelTimeslot& s : a_slots)
        a_desc.Add(s);
    a_desc[2].SetItemData(1);
    a_desc.Add(Rel(9, 0, 60, 1));
    a_desc[4].SetItemData(2);
    CArchive ar(CArchive::store);
    a_desc.Serialize(ar);
    EXPECT_EQ(ar.GetBuffer()[0], 5); // the framework's 16-bit count
    EXPECT_EQ(ar.GetBuffer()[1], 0);

    ZelRelTimeslotArray back;
    CArchive ar_load(ar.GetBuffer());
    back.Serialize(ar_load);
    ASSERT_EQ(back.GetSize(), 5);
    EXPECT_FALSE(back.IsOutOfOrder());
    EXPECT_EQ(back[0].GetStart(), Minutes(8 * 60));
    EXPECT_EQ(back[1].GetItemData(), 1); // equal slots keep their stored order
    EXPECT_EQ(back[2].GetItemData(), 2);
    EXPECT_EQ(back[3].GetSetKey(), 2);
    EXPECT_EQ(back[4].GetStart(), Minutes(14 * 60));

    // An array stored in order loads unchanged, byte for byte.
    CArchive ar_again(CArchive::store);
    back.Serialize(ar_again);
    ZelRelTimeslotArray again;
    CArchive ar_load2(ar_again.GetBuffer());
    again.Serialize(ar_load2);
    CArchive ar_third(CArchive::store);
    again.Serialize(ar_third);
    EXPECT_EQ(ar_third.GetBuffer(), ar_again.GetBuffer());

    // With a compare function of its own, the array sorts by it.
    ZelRelTimeslotArray by_start(&ZelRelTimeslot::CmpStart);
    CArchive ar_load3(ar.GetBuffer());
    by_start.Serialize(ar_load3);
    EXPECT_EQ(by_start[0].GetStart(), Minutes(8 * 60));
    EXPECT_EQ(by_start[4].GetStart(), Minutes(14 * 60));
}

TEST(RelTimeslotArrayTest, MatchEarliestLatestAndDamagedCounts)
{
    ZelRelTimeslotArray arr;
    EXPECT_EQ(arr.FindEarliest(), -1);
    EXPECT_EQ(arr.FindLatest(), -1);
    arr.Add(Rel(10, 0, 60, 1));
    arr.Add(Rel(8, 0, 60, 2));
    arr.Add(Rel(8, 0, 30, 1));
    arr.Add(Rel(17, 0, 60, 1));
    arr.Add(Rel(16, 0, 120, 3));
    EXPECT_EQ(arr.FindEarliest(), 1); // first of the equal starts
    EXPECT_EQ(arr.FindLatest(), 3);   // first of the equal ends
    EXPECT_EQ(arr.Match(Rel(8, 0, 30, 1)), 2);
    EXPECT_EQ(arr.Match(Rel(8, 0, 30, 2)), -1);
    ZelRelTimeslotArray any;
    any.Add(Rel(8, 0, 30, -1));
    EXPECT_EQ(any.Match(Rel(8, 0, 30, 5)), 0); // a negative key matches any set

    // A count that the data cannot hold fails before anything is allocated.
    CArchive ar(CArchive::store);
    ar.WriteCount(60000);
    ar << std::uint32_t(3);
    CArchive ar_load(ar.GetBuffer());
    ZelRelTimeslotArray back;
    back.Add(Rel(1, 0, 10, 1));
    EXPECT_THROW(back.Serialize(ar_load), CArchiveException);
    EXPECT_EQ(back.GetSize(), 1);
}

} // namespace
