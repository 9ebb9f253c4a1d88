#include "framework/Archive.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/base/ZelKeyedObject.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

LONG ktTestKeyGen = 100;

class Named : public ZelKeyedObject<&ktTestKeyGen> {
public:
    Named() = default;
    explicit Named(std::string s_name) : sName(std::move(s_name)) {}
    std::string GetName() const override { return sName; }
    std::string sName;
};

// Shows the size the list gave its key index.
class NamedList : public ZelKeyedObjectList<Named> {
public:
    using ZelKeyedObjectList<Named>::ZelKeyedObjectList;
    UINT IndexTableSize() const { return KeyIndex.GetHashTableSize(); }
    int ArraySize() const { return Objects.GetSize(); }
    int ArrayRoom() const { return Objects.GetAllocSize(); }
};

std::vector<std::pair<LONG, int>> Walk(ZelKeyIndex<int>& index)
{
    std::vector<std::pair<LONG, int>> v;
    LONG l_key;
    int i_value;
    index.SetToStart();
    while (index.GetNext(l_key, i_value))
        v.emplace_back(l_key, i_value);
    return v;
}

TEST(KeyedObjectTest, HashSizeIsTheFirstPrimeAboveASixthMore)
{
    struct Case {
        UINT nCount, nSize;
    };
    for (const Case c : {Case{0, 53}, Case{44, 53}, Case{45, 101}, Case{100, 211}, Case{10, 53},
             Case{22509, 27011}, Case{22510, 27012}, Case{30000, 36000}, Case{0xFFFFFFFFu, 0xFFFFFFFFu}})
        EXPECT_EQ(ZelHashSize::GetSize(c.nCount), c.nSize) << c.nCount;
}

TEST(KeyedObjectTest, KeysComeFromTheCounterAndCopiesKeepThem)
{
    ktTestKeyGen = 500;
    const Named a("a");
    const Named b("b");
    EXPECT_EQ(a.GetKey(), 500);
    EXPECT_EQ(b.GetKey(), 501);
    EXPECT_EQ(ktTestKeyGen, 502);

    const Named copy(a);
    EXPECT_EQ(copy.GetKey(), 500);
    Named assigned("c"); // takes 502
    assigned = b;
    EXPECT_EQ(assigned.GetKey(), 501);
    EXPECT_EQ(ktTestKeyGen, 503);

    EXPECT_TRUE(a.IsValid());
    EXPECT_FALSE(Named("").IsValid());

    CArchive ar_out;
    Named(a).Serialize(ar_out);
    EXPECT_EQ(ar_out.GetBuffer(), (std::vector<std::uint8_t>{0xF4, 0x01, 0, 0}));
    CArchive ar_in(ar_out.GetBuffer());
    Named loaded;
    loaded.Serialize(ar_in);
    EXPECT_EQ(loaded.GetKey(), 500);
}

TEST(KeyedObjectTest, IndexVisitsBucketsInOrderNewestFirst)
{
    ZelKeyIndex<int> index; // 17 buckets
    EXPECT_EQ(index.GetHashTableSize(), 17u);
    for (LONG l_key : {1, 18, 2, 35, 0})
        index.SetAt(l_key, static_cast<int>(l_key) * 10);
    EXPECT_EQ(Walk(index), (std::vector<std::pair<LONG, int>>{{0, 0}, {35, 350}, {18, 180}, {1, 10}, {2, 20}}));

    index.SetAt(18, -1); // a replaced value keeps its place
    index[36] += 7;      // a new key leads its bucket
    EXPECT_EQ(Walk(index), (std::vector<std::pair<LONG, int>>{{0, 0}, {35, 350}, {18, -1}, {1, 10}, {36, 7}, {2, 20}}));

    EXPECT_TRUE(index.RemoveKey(35));
    EXPECT_FALSE(index.RemoveKey(35));
    index.SetAt(52, 520); // reuses the freed entry, still newest first
    EXPECT_EQ(Walk(index), (std::vector<std::pair<LONG, int>>{{0, 0}, {52, 520}, {18, -1}, {1, 10}, {36, 7}, {2, 20}}));
    EXPECT_EQ(index.GetCount(), 6);

    // Removing the entry the cursor is on moves the cursor on.
    LONG l_key;
    int i_value;
    index.SetToStart();
    ASSERT_TRUE(index.GetNext(l_key, i_value)); // 0; the cursor is on 52
    index.RemoveKey(52);
    ASSERT_TRUE(index.GetNext(l_key, i_value));
    EXPECT_EQ(l_key, 18);

    int i_found = 0;
    EXPECT_TRUE(index.Lookup(1, i_found));
    EXPECT_EQ(i_found, 10);
    EXPECT_FALSE(index.Lookup(3, i_found));

    index.SetAt(-5, 1); // a negative key gets a bucket like any other
    EXPECT_TRUE(index.Lookup(-5, i_found));

    index.InitIndex(100);
    EXPECT_EQ(index.GetHashTableSize(), 211u);
    EXPECT_TRUE(index.IsEmpty());
    EXPECT_FALSE(index.GetNext(l_key, i_value));
    for (LONG l : {211, 0, 212})
        index.SetAt(l, 0);
    EXPECT_EQ(Walk(index), (std::vector<std::pair<LONG, int>>{{0, 0}, {211, 0}, {212, 0}}));
}

TEST(KeyedObjectTest, AValueStaysInPlaceWhileKeysAreAdded)
{
    // A value handed out by key is the map's own until its key goes: the
    // rostering sweeps fill one entry while they add others.
    ZelKeyIndex<int> index;
    int& i_first = index[7];
    for (LONG l_key = 100; l_key < 1100; ++l_key)
        index[l_key] = static_cast<int>(l_key);
    i_first = 5;
    int i_found = 0;
    EXPECT_TRUE(index.Lookup(7, i_found));
    EXPECT_EQ(i_found, 5);
    EXPECT_TRUE(index.Lookup(1099, i_found));
    EXPECT_EQ(i_found, 1099);
}

TEST(KeyedObjectTest, AddAnswersInTheOrderValidRoomNameKey)
{
    NamedList list(100, 3);
    EXPECT_EQ(list.ArrayRoom(), 100);
    EXPECT_EQ(list.ArraySize(), 0);

    const Named alpha("Alpha");
    const Named beta("Beta");
    EXPECT_EQ(list.Add(alpha), NamedList::added);
    EXPECT_EQ(list.Add(Named("")), NamedList::notValid);
    EXPECT_EQ(list.Add(Named("Alpha")), NamedList::nameExists);
    EXPECT_EQ(list.Add(alpha), NamedList::keyExists); // same name, but the same key
    Named renamed(alpha);
    renamed.sName = "Other";
    EXPECT_EQ(list.Add(renamed), NamedList::keyExists);
    EXPECT_EQ(list.Add(beta), NamedList::added);
    EXPECT_EQ(list.Add(Named("Gamma")), NamedList::added);
    EXPECT_EQ(list.Add(Named("")), NamedList::notValid); // validity comes before room
    EXPECT_EQ(list.Add(Named("Alpha")), NamedList::tooMany); // room comes before the name
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(KeyedObjectTest, LookupsFollowEveryChange)
{
    NamedList list;
    EXPECT_EQ(list.GetMaxObjects(), 999999);
    std::vector<Named> v;
    for (const char* p : {"a", "b", "c", "d"})
        v.emplace_back(p);
    list.Add(v[0]);
    list.Add(v[1]);
    EXPECT_EQ(list.FindByKey(v[1].GetKey()), 1);
    EXPECT_TRUE(list.IsIndexBuilt());
    EXPECT_EQ(list.IndexTableSize(), 53u);

    list.Add(v[2]); // an add marks the index stale; the next lookup sees it
    EXPECT_FALSE(list.IsIndexBuilt());
    EXPECT_EQ(list.FindByKey(v[2].GetKey()), 2);

    list.Delete(0);
    EXPECT_EQ(list.FindByKey(v[0].GetKey()), -1);
    EXPECT_EQ(list.FindByKey(v[2].GetKey()), 1);
    EXPECT_EQ(list[0].GetName(), "b");

    list[0].sName = "b2"; // handed out for change: the index is rebuilt
    EXPECT_FALSE(list.IsIndexBuilt());
    EXPECT_EQ(list.FindByKey(v[1].GetKey()), 0);
    EXPECT_EQ(list.FindByKey(-1), -1);

    for (int i = 0; i < 60; ++i)
        list.Add(Named("n" + std::to_string(i)));
    list.FindByKey(0);
    EXPECT_EQ(list.IndexTableSize(), 101u); // sized for 62 objects
}

TEST(KeyedObjectTest, CopyingAListKeepsKeysAndRespectsTheLimit)
{
    ZelRecordingErrorReports reports;
    NamedList big;
    for (const char* p : {"a", "b", "c"})
        big.Add(Named(p));
    const LONG l_key_b = big[1].GetKey();

    NamedList copy(big);
    EXPECT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(copy.FindByKey(l_key_b), 1);

    NamedList small(0, 2);
    small.Add(Named("x"));
    EXPECT_THROW(small = big, ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: rhs.nObjects <= nMaxObjects"), std::string::npos);
    EXPECT_EQ(small.GetCount(), 1);

    NamedList roomy(0, 10);
    roomy = big;
    EXPECT_EQ(roomy.GetCount(), 3);
    EXPECT_EQ(roomy.GetMaxObjects(), big.GetMaxObjects()); // the limit is copied too
    EXPECT_EQ(roomy.FindByKey(l_key_b), 1);

    EXPECT_THROW(roomy[3], ZelAssertException);
    roomy.RemoveAll();
    EXPECT_EQ(roomy.GetCount(), 0);
    EXPECT_EQ(roomy.FindByKey(l_key_b), -1);
}

} // namespace
