#include "framework/Archive.h"
#include "zelkit/base/ZelErrorReport.h"
#include "zelkit/lists/ZelListSort.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Keys = std::vector<std::pair<int, int>>;

Bytes Words(std::initializer_list<std::int64_t> a_words)
{
    CArchive ar(CArchive::store);
    for (std::int64_t i : a_words)
        ar << static_cast<std::uint32_t>(i);
    return ar.GetBuffer();
}

Keys KeysOf(const ZelListSort& sort)
{
    int n_count = -1;
    const ZelColSortSpec* p_specs = sort.GetCols(n_count);
    Keys v_keys;
    for (int i = 0; i < n_count; ++i) {
        int i_direction = -1;
        const int i_col = p_specs[i].GetCol(i_direction);
        v_keys.emplace_back(i_col, i_direction);
    }
    return v_keys;
}

int ByRow(int i_row1, int i_row2, ZelListSort*)
{
    return i_row1 - i_row2;
}

auto* const pCtrl = reinterpret_cast<ZelListCtrl*>(0x10);
auto* const pView = reinterpret_cast<ZelListView*>(0x20);

TEST(ListSortTest, StoresVersionCountAndEachKeyAndReadsThemBack)
{
    ZelListSort sort(2, 0, pCtrl, pView);
    sort.AddCol(-1, 1);
    sort.AddCol(ZelColSortSpec(7, 5));
    CArchive ar(CArchive::store);
    sort.Serialize(ar);
    EXPECT_EQ(ar.GetBuffer(), Words({1, 3, 1, 2, 0, 1, -1, 1, 1, 7, 5}))
        << "only the keys are stored, each with its own version word";

    // Loading replaces the keys and drops the row compare function; the
    // other links stay.
    int i_data = 0;
    ZelListSort loaded(9, 1, pCtrl, nullptr);
    loaded.SetData(&i_data);
    loaded.SetSortIndexFunc(ByRow);
    CArchive in(ar.GetBuffer());
    loaded.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(KeysOf(loaded), (Keys{{2, 0}, {-1, 1}, {7, 5}}));
    EXPECT_EQ(loaded.GetSortIndexFunc(), nullptr);
    EXPECT_EQ(loaded.GetCtrl(), pCtrl);
    EXPECT_EQ(loaded.GetView(), nullptr);
    EXPECT_EQ(loaded.GetData(), &i_data);

    CArchive in_empty(Words({1, 0}));
    loaded.Serialize(in_empty);
    int n_count = -1;
    EXPECT_EQ(loaded.GetCols(n_count), nullptr);
    EXPECT_EQ(n_count, 0);
}

TEST(ListSortTest, DamagedStateIsRefusedWithTheArchiveException)
{
    struct Case {
        const char* pWhat;
        Bytes vBytes;
        Keys vAfter; // the keys the state holds after the refusal
    };
    const Keys v_before{{4, 1}};
    const Case a_cases[] = {
        {"state version 2", Words({2, 1, 1, 3, 1}), v_before},
        {"state version 0", Words({0, 0}), v_before},
        {"count beyond the data", Words({1, 2, 1, 3, 1}), v_before},
        {"huge count", Words({1, 0xFFFFFFFF}), v_before},
        {"truncated key", Words({1, 1, 1, 3}), v_before},
        // A key refused part way leaves the keys read so far.
        {"second key version 2", Words({1, 2, 1, 3, 0, 2, 5, 1}), {{3, 0}, {-1, 1}}},
    };
    for (const Case& c : a_cases) {
        ZelRecordingErrorReports reports; // never the assertion contract
        ZelListSort sort(4, 1);
        CArchive ar(c.vBytes);
        EXPECT_THROW(sort.Serialize(ar), CArchiveException) << c.pWhat;
        EXPECT_EQ(KeysOf(sort), c.vAfter) << c.pWhat;
        EXPECT_TRUE(reports.Reports().empty()) << c.pWhat;
    }
}

TEST(ListSortTest, SetColsCopiesOrKeepsItsOwnKeys)
{
    const ZelColSortSpec a_specs[] = {{1, 1}, {2, 0}, {3, 1}};
    ZelListSort sort(a_specs, 3, pCtrl, pView);
    EXPECT_EQ(KeysOf(sort), (Keys{{1, 1}, {2, 0}, {3, 1}}));

    // A repeated sort hands the state its own keys back.
    int n_count = 0;
    const ZelColSortSpec* p_own = sort.GetCols(n_count);
    sort.SetCols(p_own, n_count);
    EXPECT_EQ(KeysOf(sort), (Keys{{1, 1}, {2, 0}, {3, 1}}));
    sort.SetCols(p_own, 2);
    EXPECT_EQ(KeysOf(sort), (Keys{{1, 1}, {2, 0}}));

    // Keys taken from inside the array being replaced.
    p_own = sort.GetCols(n_count);
    sort.SetCols(p_own + 1, 1);
    EXPECT_EQ(KeysOf(sort), (Keys{{2, 0}}));

    // No keys, whatever count comes with them: storing then writes no key
    // it does not hold.
    sort.SetCols(nullptr, 2);
    EXPECT_EQ(sort.GetCount(), 0);
    CArchive ar(CArchive::store);
    sort.Serialize(ar);
    EXPECT_EQ(ar.GetBuffer(), Words({1, 0}));
    EXPECT_EQ(sort.GetCtrl(), pCtrl) << "keys change, links stay";
}

TEST(ListSortTest, EqualityCoversLinksAndKeysAndCopiesAreDeep)
{
    ZelListSort a(1, 1, pCtrl, pView);
    a.AddCol(2, 0);
    ZelListSort b(a);
    EXPECT_TRUE(a == b);

    b.AddCol(3, 1);
    EXPECT_EQ(a.GetCount(), 2) << "the copy has keys of its own";
    EXPECT_TRUE(a != b);

    struct Change {
        const char* pWhat;
        void (*pApply)(ZelListSort&);
    };
    const Change a_changes[] = {
        {"ctrl", [](ZelListSort& s) { s.SetCtrl(nullptr); }},
        {"view", [](ZelListSort& s) { s.SetView(nullptr); }},
        {"data", [](ZelListSort& s) { s.SetData(&s); }},
        {"row compare", [](ZelListSort& s) { s.SetSortIndexFunc(ByRow); }},
        {"direction", [](ZelListSort& s) {
             const ZelColSortSpec a_keys[] = {{1, 1}, {2, 1}};
             s.SetCols(a_keys, 2);
         }},
        {"order", [](ZelListSort& s) {
             const ZelColSortSpec a_keys[] = {{2, 0}, {1, 1}};
             s.SetCols(a_keys, 2);
         }},
    };
    for (const Change& c : a_changes) {
        ZelListSort changed;
        changed = a;
        ASSERT_TRUE(changed == a);
        c.pApply(changed);
        EXPECT_TRUE(changed != a) << c.pWhat;
    }

    ZelListSort& self = a;
    a = self;
    EXPECT_EQ(KeysOf(a), (Keys{{1, 1}, {2, 0}}));
}

} // namespace
