#include "model/ViewLayout.h"
#include "testsupport/ArchiveBytes.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using testbytes::Builder;
using testbytes::Bytes;

namespace {

using Keys = std::vector<std::pair<int, int>>;
using Texts = std::vector<std::string>;

Keys KeysOf(const ZelListSort& sort)
{
    int n_count = 0;
    const ZelColSortSpec* p_specs = sort.GetCols(n_count);
    Keys v_keys;
    for (int i = 0; i < n_count; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        v_keys.emplace_back(i_col, i_direction);
    }
    return v_keys;
}

std::vector<UINT> Values(const ZelArray<UINT>& a)
{
    return std::vector<UINT>(a.GetData(), a.GetData() + a.GetSize());
}

Texts TextsOf(const ZelStringArray& a)
{
    return Texts(a.GetData(), a.GetData() + a.GetSize());
}

// Three columns 120, 80 and 60 wide, shown in the order 2, 0, 1.
Builder Head()
{
    return Builder().Dword(3).Dwords({0, 3, 120, 80, 60}).Dwords({0, 3, 2, 0, 1});
}

// Sorted by column 1 descending, then column 2 ascending.
Builder SortKeys()
{
    return Builder().Dwords({1, 2}).Dwords({1, 1, 0}).Dwords({1, 2, 1});
}

// Two mappings: a file source with two headings (one of them empty), a
// web source with none.
Builder Mappings()
{
    return Builder().Count(2).String("C:\\events\\groups.csv").Count(2).String("Name").String("")
        .String("web").Count(0);
}

Bytes Concat(std::initializer_list<Builder> a_parts)
{
    Builder b;
    for (const Builder& part : a_parts)
        b.Raw(part.Get());
    return b.Get();
}

const Builder kNoSort = Builder().Dwords({1, 0});
const Builder kNoMappings = Builder().Count(0);

struct VersionCase {
    unsigned uVersion;
    bool bSort;
    bool bMappings;
};

// The three forms a layout has in files: before version 21 no sort keys,
// before 27 no mappings, then both.
const VersionCase kVersionCases[] = {
    {15, false, false},
    {20, false, false},
    {21, true, false},
    {26, true, false},
    {27, true, true},
    {40, true, true},
};

Bytes StoredForm(const VersionCase& c)
{
    return Concat({Head(), c.bSort ? SortKeys() : Builder(), c.bMappings ? Mappings() : Builder()});
}

TEST(ViewLayout, EachFileVersionReadsItsOwnFormAndStoresTheCurrentOne)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE("version " + std::to_string(c.uVersion));
        ViewLayout layout;
        testbytes::Load(layout, StoredForm(c), c.uVersion);

        EXPECT_EQ(layout.GetColumnCount(), 3);
        EXPECT_EQ(Values(layout.GetWidths()), (std::vector<UINT>{120, 80, 60}));
        EXPECT_EQ(Values(layout.GetOrder()), (std::vector<UINT>{2, 0, 1}));
        EXPECT_EQ(KeysOf(layout.GetSort()), c.bSort ? (Keys{{1, 0}, {2, 1}}) : Keys{});
        EXPECT_EQ(layout.HasMappings(), c.bMappings ? TRUE : FALSE);
        const ZelArray<ILVFieldMapping>& a_maps = layout.GetMappings();
        if (c.bMappings) {
            ASSERT_EQ(a_maps.GetSize(), 2);
            EXPECT_EQ(a_maps[0].sName, "C:\\events\\groups.csv");
            EXPECT_EQ(TextsOf(a_maps[0].ColumnMap), (Texts{"Name", ""}));
            EXPECT_EQ(a_maps[1].sName, "web");
            EXPECT_EQ(a_maps[1].ColumnMap.GetSize(), 0);
        } else {
            EXPECT_EQ(a_maps.GetSize(), 0);
        }

        // Storing always writes every field; a layout read from a current
        // file comes back byte for byte.
        const Bytes v_expected
            = Concat({Head(), c.bSort ? SortKeys() : kNoSort, c.bMappings ? Mappings() : kNoMappings});
        EXPECT_EQ(testbytes::Store(layout), v_expected);
        if (c.bSort && c.bMappings) {
            EXPECT_EQ(testbytes::Store(layout), StoredForm(c));
        }
    }
}

TEST(ViewLayout, SkipReadsExactlyPastOneLayout)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE("version " + std::to_string(c.uVersion));
        // The next view's name follows the layout.
        const Bytes v_bytes = Concat({Builder().Raw(StoredForm(c)), Builder().String("GroupView")});
        testbytes::VersionDoc doc(c.uVersion);
        CArchive ar(v_bytes, &doc);
        ViewLayout::Skip(ar);
        std::string s_next;
        ar >> s_next;
        EXPECT_EQ(s_next, "GroupView");
        EXPECT_TRUE(ar.AtEnd());
    }
}

TEST(ViewLayout, DamagedLayoutIsRefusedAndLeavesTheRecordAsItWas)
{
    struct Case {
        const char* pWhat;
        Bytes vBytes;
    };
    const Case a_cases[] = {
        {"empty", {}},
        {"column count cut short", {3, 0}},
        {"width format word 1", Concat({Builder().Dword(3).Dwords({1, 0}).Dwords({0, 0}), SortKeys(), kNoMappings})},
        {"width count beyond the data", Concat({Builder().Dword(3).Dwords({0, 400000, 1, 2})})},
        {"huge order count", Concat({Builder().Dword(3).Dwords({0, 0}).Dwords({0, 0xFFFFFFFF})})},
        {"sort version 2", Concat({Head(), Builder().Dwords({2, 0}), kNoMappings})},
        {"sort count beyond the data", Concat({Head(), Builder().Dwords({1, 1000000, 1, 0, 1}), kNoMappings})},
        {"mapping count beyond the data", Concat({Head(), SortKeys(), Builder().Count(0xFFFFFFF0u).String("x")})},
        {"heading count beyond the data", Concat({Head(), SortKeys(), Builder().Count(1).String("src").Count(60000)})},
        {"name longer than the data",
            Concat({Head(), SortKeys(), Builder().Count(1).Byte(0xFF).Word(0xFFFF).Dword(0x7FFFFFFF)})},
        {"mapping list cut short", Concat({Head(), SortKeys(), Builder().Count(3).String("a").Count(0)})},
    };
    for (const Case& c : a_cases) {
        ZelRecordingErrorReports reports; // a damaged file never reaches the assertion contract
        ViewLayout layout;
        testbytes::Load(layout, StoredForm(kVersionCases[5]), 40);
        const Bytes v_before = testbytes::Store(layout);

        EXPECT_THROW(testbytes::Load(layout, c.vBytes, 40), CArchiveException) << c.pWhat;
        EXPECT_EQ(testbytes::Store(layout), v_before) << c.pWhat;

        testbytes::VersionDoc doc(40);
        CArchive ar(c.vBytes, &doc);
        EXPECT_THROW(ViewLayout::Skip(ar), CArchiveException) << c.pWhat;
        EXPECT_TRUE(reports.Reports().empty()) << c.pWhat;
    }
}

TEST(ViewLayout, FilledFromAViewAndAppliedBack)
{
    // What a view fills in: its sort state comes with links to the list and
    // the view, which the record does not keep.
    ZelListSort view_sort(4, 0, reinterpret_cast<ZelListCtrl*>(0x10), reinterpret_cast<ZelListView*>(0x20));
    ZelArray<ILVFieldMapping> a_maps;
    ILVFieldMapping map;
    map.sName = "list.txt";
    map.ColumnMap.Add("Group");
    a_maps.Add(map);
    ZelArray<UINT> a_widths;
    a_widths.Add(50);
    a_widths.Add(70);

    ViewLayout layout;
    EXPECT_FALSE(layout.HasMappings());
    layout.SetColumnCount(2);
    layout.SetWidths(a_widths);
    layout.SetOrder(ZelArray<UINT>()); // the order could not be taken
    layout.SetSort(view_sort);
    layout.SetMappings(a_maps);
    EXPECT_EQ(layout.GetSort().GetCtrl(), nullptr);
    EXPECT_EQ(layout.GetSort().GetView(), nullptr);
    EXPECT_TRUE(layout.HasMappings());

    const Bytes v_stored = testbytes::Store(layout);
    EXPECT_EQ(v_stored,
        Concat({Builder().Dword(2).Dwords({0, 2, 50, 70}).Dwords({0, 0}), Builder().Dwords({1, 1, 1, 4, 0}),
            Builder().Count(1).String("list.txt").Count(1).String("Group")}));

    ViewLayout reread;
    testbytes::Load(reread, v_stored, 40);
    EXPECT_EQ(testbytes::Store(reread), v_stored);

    // Widths and order fit only a view with the stored number of columns.
    struct Fit {
        int nStored;
        int nView;
        BOOL bFits;
    };
    const Fit a_fits[] = {{2, 2, TRUE}, {4, 5, FALSE}, {5, 4, FALSE}, {0, 0, TRUE}, {-1, -1, FALSE}};
    for (const Fit& f : a_fits) {
        reread.SetColumnCount(f.nStored);
        EXPECT_EQ(reread.FitsColumnCount(f.nView), f.bFits) << f.nStored << " stored, " << f.nView << " in the view";
    }
}

} // namespace
