#include "framework/Archive.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Counts constructions, destructions and assignments, to see that the array
// builds new elements and copies through the element's own assignment.
struct Counted {
    static inline int nConstructed = 0;
    static inline int nDestroyed = 0;
    static inline int nAssigned = 0;
    static void Reset() { nConstructed = nDestroyed = nAssigned = 0; }

    Counted() { ++nConstructed; }
    Counted(const Counted& src) : iValue(src.iValue) { ++nConstructed; }
    Counted& operator=(const Counted& src)
    {
        iValue = src.iValue;
        ++nAssigned;
        return *this;
    }
    ~Counted() { ++nDestroyed; }

    int iValue = 0;
};

// An element with an archive form of its own: a 32-bit word and a string.
struct Record {
    std::int32_t iNumber = 0;
    std::string sName;
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << iNumber << sName;
        else
            ar >> iNumber >> sName;
    }
    bool operator==(const Record&) const = default;
};

std::vector<int> Values(const ZelArray<int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

ZelSortedArray<int> Sorted(std::initializer_list<int> a_values)
{
    ZelSortedArray<int> a;
    for (int i : a_values)
        a.Add(i);
    return a;
}

TEST(ArrayTest, GrowsByAnEighthOfItsSizeBetween4And1024)
{
    ZelArray<int> a;
    std::vector<int> v_allocs;
    for (int i = 0; i < 10; ++i) {
        a.Add(i);
        v_allocs.push_back(a.GetAllocSize());
    }
    EXPECT_EQ(v_allocs, (std::vector<int>{4, 4, 4, 4, 8, 8, 8, 8, 12, 12}));

    ZelArray<int> b;
    b.SetSize(100);
    EXPECT_EQ(b.GetAllocSize(), 100); // at least to the size asked for
    b.Add(1);
    EXPECT_EQ(b.GetAllocSize(), 112); // 100 + 100 / 8

    ZelArray<char> c;
    c.SetSize(20000);
    c.Add('x');
    EXPECT_EQ(c.GetAllocSize(), 20000 + 1024);

    ZelArray<int> d;
    d.SetSize(0, 10); // a step set by the owner
    d.Add(1);
    EXPECT_EQ(d.GetAllocSize(), 10);
    d.SetSize(11);
    EXPECT_EQ(d.GetAllocSize(), 20);
    EXPECT_EQ(d.GetGrowBy(), 10);
}

TEST(ArrayTest, SizingConstructsAndDestroysElements)
{
    Counted::Reset();
    {
        ZelArray<Counted> a;
        a.SetSize(5);
        EXPECT_EQ(Counted::nConstructed, 5);
        a.SetSize(2); // shrinking keeps the storage
        EXPECT_EQ(Counted::nDestroyed, 3);
        EXPECT_EQ(a.GetAllocSize(), 5);
        a.SetSize(0); // empty frees it
        EXPECT_EQ(a.GetAllocSize(), 0);
        a.SetSize(1);
    }
    EXPECT_EQ(Counted::nConstructed, Counted::nDestroyed);
}

TEST(ArrayTest, CopiesThroughTheElementsAssignment)
{
    ZelArray<Counted> a;
    a.SetSize(3);
    for (int i = 0; i < 3; ++i)
        a[i].iValue = i + 1;
    Counted::Reset();
    ZelArray<Counted> b(a);
    EXPECT_EQ(Counted::nAssigned, 3);
    EXPECT_EQ(b[2].iValue, 3);

    ZelArray<Counted> c;
    c.SetSize(7);
    Counted::Reset();
    c = a;
    EXPECT_EQ(Counted::nAssigned, 3);
    EXPECT_EQ(Counted::nDestroyed, 4);
    EXPECT_EQ(c.GetSize(), 3);

    auto by_value_desc = [](const int* a_p, const int* b_p) { return *b_p - *a_p; };
    ZelSortedArray<int> s(by_value_desc);
    s.Add(9);
    ZelSortedArray<int> t(s);
    ZelSortedArray<int> u;
    u = s;
    EXPECT_EQ(t.GetCompareFunc(), s.GetCompareFunc());
    EXPECT_EQ(u.GetCompareFunc(), s.GetCompareFunc());
    EXPECT_EQ(u[0], 9);
}

TEST(ArrayTest, InsertRemoveAndGrowOnSet)
{
    ZelArray<int> a;
    a.Add(1);
    a.Add(3);
    a.InsertAt(1, 2);
    a.InsertAt(0, 0);
    a.InsertAt(99, 4); // past the end: appended
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 2, 3, 4}));

    a.InsertAt(0, a[4]); // an element of the array itself, while it grows
    EXPECT_EQ(Values(a), (std::vector<int>{4, 0, 1, 2, 3, 4}));

    a.RemoveAt(0);
    a.RemoveAt(1, 2);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 3, 4}));

    a.SetAtGrow(5, 7);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 3, 4, 0, 0, 7}));
    a.SetAtGrow(100, a[5]); // again its own element
    EXPECT_EQ(a[100], 7);

    ZelArray<int> b;
    b.Add(8);
    EXPECT_EQ(a.Append(b), 101);
    EXPECT_EQ(b.Append(b), 1);
    EXPECT_EQ(Values(b), (std::vector<int>{8, 8}));
    EXPECT_EQ(a.GetUpperBound(), 101);
}

TEST(ArrayTest, MisuseIsAnAssertionFailure)
{
    ZelRecordingErrorReports reports;
    ZelArray<int> a;
    a.Add(1);
    EXPECT_THROW(a.InsertAt(0, 5, 2), ZelAssertException);
    EXPECT_NE(reports.Reports().back().sReport.find("Error: nCount == 1"), std::string::npos);
    EXPECT_THROW(a[1], ZelAssertException);
    EXPECT_THROW(a.GetAt(-1), ZelAssertException);
    EXPECT_THROW(a.SetAt(1, 0), ZelAssertException);
    EXPECT_THROW(a.RemoveAt(0, 2), ZelAssertException);
    EXPECT_THROW(a.SetSize(-1), ZelAssertException);
    EXPECT_EQ(Values(a), (std::vector<int>{1}));
    EXPECT_EQ(reports.Reports().size(), 6u);
}

TEST(ArrayTest, FindBisectsAndGivesTheInsertionPosition)
{
    int i_insert = -7;
    EXPECT_EQ(ZelSortedArray<int>().Find(3, &i_insert), -1);
    EXPECT_EQ(i_insert, 0);

    const ZelSortedArray<int> a = Sorted({1, 3, 5, 7});
    struct Case {
        int iValue, iFound, iInsert;
    };
    for (const Case c : {Case{0, -1, 0}, Case{1, 0, 0}, Case{4, -1, 2}, Case{5, 2, 2}, Case{7, 3, 3}, Case{8, -1, 4}}) {
        i_insert = -7;
        EXPECT_EQ(a.Find(c.iValue, &i_insert), c.iFound) << c.iValue;
        EXPECT_EQ(i_insert, c.iInsert) << c.iValue;
    }

    // Among equal elements Find gives the one the halving meets first;
    // FindFirst steps back to the first of the run.
    EXPECT_EQ(Sorted({3, 3, 3, 3, 3}).Find(3), 2);
    EXPECT_EQ(Sorted({1, 3, 3, 3, 5}).FindFirst(3), 1);
    EXPECT_EQ(Sorted({3, 3, 3, 3, 5, 6, 7}).Find(3), 3);
    EXPECT_EQ(Sorted({3, 3, 3, 3, 5, 6, 7}).FindFirst(3, &i_insert), 0);
    EXPECT_EQ(i_insert, 0);
    EXPECT_EQ(Sorted({1, 3, 5}).FindFirst(4, &i_insert), -1);
    EXPECT_EQ(i_insert, 2);

    // A compare function replaces the element's own order.
    ZelArrayWithFind<int> desc([](const int* a_p, const int* b_p) { return *b_p - *a_p; });
    for (int i : {9, 7, 5, 3})
        desc.Add(i);
    EXPECT_EQ(desc.Find(5), 2);
    EXPECT_EQ(desc.Find(6, &i_insert), -1);
    EXPECT_EQ(i_insert, 2);
}

TEST(ArrayTest, ArchiveFormIsTheCountThenEachElement)
{
    ZelArray<std::uint32_t> a;
    a.Add(1);
    a.Add(0x01020304);
    CArchive ar_out;
    a.Serialize(ar_out);
    EXPECT_EQ(ar_out.GetBuffer(),
        (std::vector<std::uint8_t>{2, 0, 1, 0, 0, 0, 4, 3, 2, 1}));

    ZelArray<Record> r;
    r.Add(Record{-1, "ab"});
    r.Add(Record{7, ""});
    CArchive ar_rec;
    r.Serialize(ar_rec);
    EXPECT_EQ(ar_rec.GetBuffer(),
        (std::vector<std::uint8_t>{2, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 'a', 'b', 7, 0, 0, 0, 0}));
    CArchive ar_in(ar_rec.GetBuffer());
    ZelArray<Record> r2;
    r2.Add(Record{5, "old"});
    r2.Serialize(ar_in);
    ASSERT_EQ(r2.GetSize(), 2);
    EXPECT_EQ(r2[0], (Record{-1, "ab"}));
    EXPECT_EQ(r2[1], (Record{7, ""}));
    EXPECT_TRUE(ar_in.AtEnd());

    // 0xFFFF elements and more take the long count form.
    ZelArray<std::uint8_t> big;
    big.SetSize(0x10000);
    CArchive ar_big;
    big.Serialize(ar_big);
    const auto& v_big = ar_big.GetBuffer();
    ASSERT_EQ(v_big.size(), 6u + 0x10000u);
    EXPECT_EQ(std::vector<std::uint8_t>(v_big.begin(), v_big.begin() + 6),
        (std::vector<std::uint8_t>{0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
    CArchive ar_big_in(v_big);
    ZelArray<std::uint8_t> big2;
    big2.Serialize(ar_big_in);
    EXPECT_EQ(big2.GetSize(), 0x10000);
}

TEST(ArrayTest, DamagedArchiveRaisesAndKeepsTheArray)
{
    struct Case {
        const char* pWhat;
        std::vector<std::uint8_t> vBytes;
    };
    const Case a_cases[] = {
        {"count larger than the data", {3, 0, 1, 0, 0, 0}},
        {"huge long count", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}},
        {"element cut short", {2, 0, 1, 0, 0, 0, 2, 0, 0}},
        {"no count at all", {7}},
    };
    for (const Case& c : a_cases) {
        ZelArray<std::int32_t> a;
        a.Add(42);
        CArchive ar(c.vBytes);
        EXPECT_THROW(a.Serialize(ar), CArchiveException) << c.pWhat;
        ASSERT_EQ(a.GetSize(), 1) << c.pWhat;
        EXPECT_EQ(a[0], 42) << c.pWhat;
    }

    // The count is checked against the data before anything is sized ...
    ZelArray<std::int32_t> a;
    CArchive ar_count({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4});
    try {
        a.Serialize(ar_count);
        ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    }
    // ... and an element cut short is the end of the data.
    ZelArray<Record> r;
    r.Add(Record{1, "kept"});
    CArchive ar_short({2, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0});
    try {
        r.Serialize(ar_short);
        ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
    ASSERT_EQ(r.GetSize(), 1);
    EXPECT_EQ(r[0].sName, "kept");
}

} // namespace
