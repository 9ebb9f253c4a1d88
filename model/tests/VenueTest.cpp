#include "model/Venue.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

using testbytes::Builder;

namespace {

Venue MakeVenue(const std::string& s_name)
{
    Venue v;
    v.SetName(s_name);
    return v;
}

TEST(VenueList, AddCodesAndCaseSensitiveFind)
{
    VenueList list;
    const Venue hall = MakeVenue("Hall");
    EXPECT_EQ(list.AddVenue(hall), 0);
    EXPECT_EQ(list.AddVenue(MakeVenue("Hall")), 2) << "same name, another key";
    EXPECT_EQ(list.AddVenue(hall), 3) << "the venue copied with its key";
    Venue renamed = hall;
    renamed.SetName("Annex");
    EXPECT_EQ(list.AddVenue(renamed), 3);
    EXPECT_EQ(list.GetNumVenues(), 1);

    EXPECT_EQ(list.AddVenue(MakeVenue("Studio"), 0), 0) << "inserted in front";
    EXPECT_EQ(list[0].GetName(), "Studio");
    EXPECT_EQ(list.FindByName("Hall"), 1);
    EXPECT_EQ(list.FindByName("hall"), -1);
    EXPECT_EQ(list.FindByKey(hall.GetKey()), 1);
    EXPECT_EQ(list.GetNameOf(hall.GetKey()), "Hall");
    EXPECT_EQ(list.GetNameOf(-5), "");

    KeyList keys;
    list.GetKeys(keys);
    ASSERT_EQ(keys.GetMaxKeys(), 2);
    EXPECT_EQ(keys[0], list[0].GetKey());
    EXPECT_EQ(keys[1], hall.GetKey());

    list.RemoveAt(0);
    EXPECT_EQ(list.FindByName("Hall"), 0);
}

TEST(Venue, KeysComeFromOneCounter)
{
    Venue::SetKeyCounter(40);
    Venue a;
    Venue b;
    EXPECT_EQ(a.GetKey(), 40);
    EXPECT_EQ(b.GetKey(), 41);
    EXPECT_EQ(Venue::GetKeyCounter(), 42);
    Venue c(a);
    EXPECT_EQ(c.GetKey(), 40) << "copies keep the key";
}

Builder VenueHead(LONG l_key, bool b_nameForm)
{
    Builder b;
    b.Dword(static_cast<std::uint32_t>(l_key));
    if (b_nameForm)
        b.Name("Main  Hall ");
    else
        b.String("Main  Hall ");
    b.String("North wing").Dwords({2, 5, -1}).Dwords({1, 8});
    return b;
}

TEST(Venue, ArchiveAcrossVersions)
{
    struct Case {
        unsigned uVersion;
        bool bNameForm;
        bool bSetting;
        LONG lSetting;
    };
    const Case a_cases[] = {
        {2, false, false, 99999},
        {27, false, false, 99999},
        {28, false, true, 123},
        {32, false, true, 123},
        {33, true, true, 123},
        {40, true, true, 123},
    };
    for (const Case& c : a_cases) {
        Builder b = VenueHead(7, c.bNameForm);
        if (c.bSetting)
            b.Dword(123);
        Venue v;
        testbytes::Load(v, b, c.uVersion);
        EXPECT_EQ(v.GetKey(), 7);
        EXPECT_EQ(v.GetName(), "Main Hall") << "loaded names are cleaned as typed ones";
        EXPECT_EQ(v.GetLocation(), "North wing");
        EXPECT_EQ(v.GetStyles().GetMaxKeys(), 10) << "the capacity stays when the file holds fewer slots";
        EXPECT_EQ(v.GetStyles().Find(5), 0);
        EXPECT_EQ(v.GetFacilities().Find(8), 0);
        EXPECT_EQ(v.GetSetting(), c.lSetting) << c.uVersion;
    }

    Venue v = MakeVenue("Hall");
    v.SetKey(3);
    v.SetLocation("Here");
    v.SetSetting(12);
    Venue back;
    testbytes::Load(back, testbytes::Store(v), 40);
    EXPECT_EQ(testbytes::Store(back), testbytes::Store(v));
}

TEST(VenueRecords, TextsAndSortedArrays)
{
    testbytes::VersionDoc doc(40);
    Venue hall = MakeVenue("Hall");
    doc.GetVenues().AddVenue(hall);

    VenueAlloc alloc(hall.GetKey());
    alloc.Alloc = SchedAlloc(1, 2, 0, 0);
    alloc.bConsecutive = TRUE;
    EXPECT_EQ(alloc.GetText(&doc), "Hall=2 (consec)");
    EXPECT_EQ(VenueAlloc(-9).GetText(&doc), "");

    VenueLimit limit(hall.GetKey());
    EXPECT_EQ(limit.GetText(&doc), "Hall=None");
    limit.Limit = SchedLim(1, 0, 0, 0);
    EXPECT_EQ(limit.GetText(&doc, TRUE), "") << "a limit without text gives no text";

    VenueAllocArray a;
    for (LONG k : {9, 3, 5})
        a.InsertSorted(VenueAlloc(k));
    EXPECT_EQ(a[0].GetVenueKey(), 3);
    EXPECT_EQ(a.FindKey(5), 1);
    EXPECT_EQ(a.FindKey(4), -1);

    // An array stored out of order is put in order on load.
    VenueLimitArray loaded;
    testbytes::Load(loaded, Builder().Count(2).Dwords({9, 0, 0, 0, 0}).Dwords({2, 1, 3, 0, 0}), 40);
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded[0].GetVenueKey(), 2);
    EXPECT_EQ(loaded[0].Limit.GetMin(), 3u);
}

} // namespace
