#include "framework/Archive.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

ZelTimeslotCombinationList ListOf(std::initializer_list<const char*> a_names)
{
    ZelTimeslotCombinationList list;
    for (const char* p_name : a_names)
        EXPECT_EQ(list.Add(ZelTimeslotCombination(p_name)), 0) << p_name;
    return list;
}

std::vector<std::uint8_t> Stored(ZelTimeslotCombinationList& list)
{
    CArchive ar(CArchive::store);
    list.Serialize(ar);
    return ar.GetBuffer();
}

// A stored list header followed by n_stored combinations.
std::vector<std::uint8_t> Fixture(std::uint32_t u_schema, std::int32_t n_max, std::int32_t n_count, int n_stored)
{
    CArchive ar(CArchive::store);
    ar << u_schema << n_max << n_count;
    for (int i = 0; i < n_stored; ++i)
        ar << std::uint32_t(1) << std::int32_t(500 + i) << std::uint32_t(1) << std::string("c" + std::to_string(i));
    return ar.GetBuffer();
}

void ExpectRefused(const std::vector<std::uint8_t>& v_bytes, const char* p_text = nullptr)
{
    ZelRecordingErrorReports reports; // a damaged file must never reach the assertion contract
    ZelTimeslotCombinationList list = ListOf({"kept"});
    CArchive ar(v_bytes);
    try {
        list.Serialize(ar);
        ADD_FAILURE() << "loaded without complaint";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
        if (p_text) {
            EXPECT_EQ(e.GetText(), p_text);
        }
    }
    EXPECT_TRUE(reports.Reports().empty());
    // A refused load leaves the list as it was.
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list[0].GetName(), "kept");
}

TEST(CombinationTest, NewCombinationsTakeConsecutiveKeysAndCopiesKeepThem)
{
    const ZelTimeslotCombination a("Morning");
    const ZelTimeslotCombination b(ZelObjectName("  Late   shift ", 80));
    EXPECT_EQ(b.GetKey(), a.GetKey() + 1);
    EXPECT_EQ(b.GetName(), "Late shift");
    const ZelTimeslotCombination copy(a);
    EXPECT_EQ(copy.GetKey(), a.GetKey());
    ZelTimeslotCombination assigned;
    assigned = b;
    EXPECT_EQ(assigned.GetKey(), b.GetKey());
    EXPECT_EQ(assigned.GetName(), "Late shift");

    // Copied into another list, a combination keeps its key.
    ZelTimeslotCombinationList list = ListOf({"Morning"});
    ZelTimeslotCombinationList other;
    EXPECT_EQ(other.Add(list[0]), 0);
    EXPECT_EQ(other[0].GetKey(), list[0].GetKey());
    EXPECT_EQ(other.FindByKey(list[0].GetKey()), 0);

    ZelTimeslotCombination named;
    named.SetName(std::string(60, 'x'));
    EXPECT_EQ(named.GetName().size(), 50u);
    EXPECT_EQ(named.GetObjectName().GetMaxLength(), 50);
}

TEST(CombinationTest, EmptyListStoresSchemaLimitAndCount)
{
    ZelTimeslotCombinationList list;
    EXPECT_EQ(list.GetMaxObjects(), 999999);
    const std::vector<std::uint8_t> v_expected = {1, 0, 0, 0, 0x3F, 0x42, 0x0F, 0, 0, 0, 0, 0};
    EXPECT_EQ(Stored(list), v_expected);
}

TEST(CombinationTest, ListRoundTripsAndRebuildsItsIndex)
{
    ZelTimeslotCombinationList list = ListOf({"Morning", "Afternoon", "Evening"});
    const std::vector<std::uint8_t> v_bytes = Stored(list);
    // One combination: schema, key, name schema, counted name.
    const std::size_t u_header = 12;
    EXPECT_EQ(v_bytes.size(), u_header + (4 + 4 + 4 + 1 + 7) + (4 + 4 + 4 + 1 + 9) + (4 + 4 + 4 + 1 + 7));

    ZelTimeslotCombinationList back;
    CArchive ar(v_bytes);
    back.Serialize(ar);
    EXPECT_TRUE(ar.AtEnd());
    ASSERT_EQ(back.GetCount(), 3);
    EXPECT_EQ(back.GetMaxObjects(), 999999);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].GetKey(), list[i].GetKey());
        EXPECT_EQ(back[i].GetName(), list[i].GetName());
        EXPECT_EQ(back.FindByKey(list[i].GetKey()), i);
    }
    EXPECT_EQ(Stored(back), v_bytes);
}

TEST(CombinationTest, KeysStayUniqueAfterReloadInANewRun)
{
    ZelTimeslotCombinationList list = ListOf({"A", "B"});
    const LONG l_highest = list[1].GetKey();
    const std::vector<std::uint8_t> v_bytes = Stored(list);

    // A new run of the program starts its counter afresh; the file does
    // not hold it.
    ktTSCombKey = 0;
    ZelTimeslotCombinationList back;
    CArchive ar(v_bytes);
    back.Serialize(ar);
    const ZelTimeslotCombination fresh("C");
    EXPECT_GT(fresh.GetKey(), l_highest);
    EXPECT_EQ(back.Add(fresh), 0);
    EXPECT_EQ(back.GetCount(), 3);

    // A counter already beyond the loaded keys never goes back.
    ktTSCombKey = l_highest + 1000;
    CArchive ar2(v_bytes);
    back.Serialize(ar2);
    EXPECT_GE(ktTSCombKey, l_highest + 1000);
}

TEST(CombinationTest, DamagedListsFailWithTheArchiveException)
{
    // More combinations than the stored maximum.
    ExpectRefused(Fixture(1, 2, 3, 3), "Too many combination names for current version");
    // More than this list can hold, whatever the file claims.
    ExpectRefused(Fixture(1, 2000000, 1000000, 0), "Too many combination names for current version");
    ExpectRefused(Fixture(1, 5, -1, 0));
    // A huge count with no data behind it is refused before anything is
    // allocated for it.
    ExpectRefused(Fixture(1, 999999, 999999, 1));
    // Unknown schemas of the list and of a combination.
    ExpectRefused(Fixture(2, 10, 0, 0));
    ExpectRefused(Fixture(0, 10, 0, 0));
    std::vector<std::uint8_t> v_bytes = Fixture(1, 10, 1, 1);
    v_bytes[12] = 2; // the combination's schema word
    ExpectRefused(v_bytes);
    // A combination cut short.
    v_bytes = Fixture(1, 10, 2, 2);
    v_bytes.resize(v_bytes.size() - 2);
    ZelTimeslotCombinationList list;
    CArchive ar(v_bytes);
    EXPECT_THROW(list.Serialize(ar), CArchiveException);
    EXPECT_EQ(list.GetCount(), 0);
}

} // namespace
