// Address labels without a window: the chooser's item data, tree and choice,
// and the label pages printed on a recording canvas.
#include "shell/lists/LabelLayout.h"

#include "testsupport/ArchiveBytes.h"
#include "zelkit/controls/ZelLocale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ZelLabelStock MakeStock(const std::string& s_name, int i_across, int i_down)
{
    ZelLabelStock stock;
    stock.SetName(s_name);
    stock.GetDim().SetNLabels(i_down, i_across);
    return stock;
}

ZelLabelStockGroup MakeGroup(const std::string& s_name, std::initializer_list<ZelLabelStock> a_stocks)
{
    ZelLabelStockGroup group;
    group.SetGroupName(s_name);
    for (ZelLabelStock stock : a_stocks)
        group.Add(stock);
    return group;
}

TEST(LabelItemData, EncodesFileGroupAndSignedStock)
{
    const struct {
        int iFile, iGroup, iStock;
        DWORD uData;
    } a_cases[] = {
        {0, 0, -1, 0x0000FFFFu},
        {1, 0, -1, 0x8000FFFFu},
        {0, 3, 2, 0x00030002u},
        {1, 0x7FFF, 0x7FFF, 0xFFFF7FFFu},
    };
    for (const auto& c : a_cases) {
        EXPECT_EQ(EncodeLabelItem(c.iFile, c.iGroup, c.iStock), c.uData);
        const LabelItemRef ref = SplitLabelItem(c.uData);
        EXPECT_EQ(ref.iFile, c.iFile);
        EXPECT_EQ(ref.iGroup, c.iGroup);
        EXPECT_EQ(ref.iStock, c.iStock);
    }
}

class LabelChoiceTest : public ::testing::Test {
protected:
    LabelChoiceTest()
    {
        ZelLabelStockGroup a4 = MakeGroup("A4", {MakeStock("Twin", 2, 7), MakeStock("Address", 3, 10)});
        ZelLabelStockGroup letter = MakeGroup("Letter", {MakeStock("Ship", 2, 5)});
        Standard.Add(letter);
        Standard.Add(a4);
        ZelLabelStockGroup own = MakeGroup("A4", {MakeStock("Twin", 2, 8)});
        Custom.Add(own);
    }

    ZelFixedLocale Locale{IZelLocalePort::measureMetric, ""};
    ZelLabelStockFile Standard;
    ZelLabelStockFile Custom;
};

TEST_F(LabelChoiceTest, TreeListsGroupsSortedWithStocksAndDescriptions)
{
    LabelStockChoice choice(Standard, Custom);
    const std::vector<LabelTreeNode> v_tree = choice.BuildTree();
    ASSERT_EQ(v_tree.size(), 3u);
    EXPECT_EQ(v_tree[0].sText, "A4");
    EXPECT_EQ(v_tree[0].uData, EncodeLabelItem(0, 1, -1));
    EXPECT_EQ(v_tree[1].uData, EncodeLabelItem(1, 0, -1));
    EXPECT_EQ(v_tree[2].sText, "Letter");
    ASSERT_EQ(v_tree[0].vChildren.size(), 2u);
    const LabelTreeNode& address = v_tree[0].vChildren[0];
    EXPECT_EQ(address.sText, "Address (30 labels)");
    EXPECT_EQ(address.uData, EncodeLabelItem(0, 1, 1));
    ASSERT_EQ(address.vChildren.size(), 5u);
    EXPECT_EQ(address.vChildren[0].sText.rfind("Page: Portrait, Height=", 0), 0u) << address.vChildren[0].sText;
    EXPECT_EQ(address.vChildren[3].sText, "No. labels: 3 across, 10 down");
    EXPECT_EQ(address.vChildren[4].uData, address.uData);
    EXPECT_EQ(choice.GetSelectedTop(), -1);
}

TEST_F(LabelChoiceTest, RememberedFileDecidesBetweenEqualNames)
{
    for (int i_file : {0, 1}) {
        LabelStockChoice choice(Standard, Custom);
        choice.iFile = i_file;
        choice.sGroup = "A4";
        choice.sStock = "Twin";
        const std::vector<LabelTreeNode> v_tree = choice.BuildTree();
        ASSERT_GE(choice.GetSelectedTop(), 0);
        ASSERT_GE(choice.GetSelectedStock(), 0);
        const LabelTreeNode& stock =
            v_tree[static_cast<std::size_t>(choice.GetSelectedTop())].vChildren[static_cast<std::size_t>(choice.GetSelectedStock())];
        EXPECT_EQ(SplitLabelItem(stock.uData).iFile, i_file);
        EXPECT_EQ(stock.sText, i_file == 0 ? "Twin (14 labels)" : "Twin (16 labels)");
    }
}

TEST_F(LabelChoiceTest, SelectionEnablesOkOnStocksOnly)
{
    LabelStockChoice choice(Standard, Custom);
    EXPECT_TRUE(choice.OnSelect(TRUE, EncodeLabelItem(0, 0, 0)));
    EXPECT_EQ(choice.sGroup, "Letter");
    EXPECT_EQ(choice.sStock, "Ship");
    // A group item: OK off, the stock forgotten.
    EXPECT_FALSE(choice.OnSelect(TRUE, EncodeLabelItem(1, 0, -1)));
    EXPECT_EQ(choice.iFile, 1);
    EXPECT_EQ(choice.sStock, "");
    // Nothing, or data naming nothing in the files.
    EXPECT_FALSE(choice.OnSelect(FALSE, 0));
    EXPECT_FALSE(choice.OnSelect(TRUE, EncodeLabelItem(0, 5, 0)));
    EXPECT_FALSE(choice.OnSelect(TRUE, EncodeLabelItem(0, 0, 1)));

    choice.OnOK(TRUE, EncodeLabelItem(0, 1, 1));
    EXPECT_EQ(choice.Stock.GetName(), "Address");
    choice.OnOK(TRUE, EncodeLabelItem(0, 1, -1));
    EXPECT_EQ(choice.Stock.GetName(), "");
}

TEST(LabelChoice, DamagedStockIsNeverOffered)
{
    // A stock file can hold no labels across; the dimensions' setter cannot.
    ZelLabelStockFile file;
    ZelLabelStockGroup group = MakeGroup("A4", {MakeStock("Good", 2, 7)});
    ZelLabelStockFile empty;
    file.Add(group);
    LabelStockChoice choice(file, empty);
    EXPECT_TRUE(IsUsableStock(file[0][0]));
    // Load a damaged copy through the archive form.
    ZelLabelStock damaged = MakeStock("Broken", 2, 7);
    testbytes::Bytes bytes = testbytes::Store(damaged);
    // Version, name (object form), dimension version, top, left, across.
    const std::size_t i_across = bytes.size() - 12 * 4 + 2 * 4;
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i_across + i] = 0;
    testbytes::Load(damaged, bytes, 1);
    EXPECT_FALSE(IsUsableStock(damaged));
    file[0].Add(damaged);
    const std::vector<LabelTreeNode> v_tree = choice.BuildTree();
    ASSERT_EQ(v_tree.size(), 1u);
    EXPECT_EQ(v_tree[0].vChildren.size(), 1u);
    EXPECT_EQ(choice.GetRefused(), (std::vector<std::string>{"A4: Broken"}));
    EXPECT_EQ(LabelPages(damaged.GetDim()).PageCount(10), 0);
}

// A canvas of one logical unit per 0.01 mm that records the labels drawn.
class LabelCanvas : public IPrintCanvas {
public:
    struct Drawn {
        std::string sText;
        ZelRect rc;
    };
    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override
    {
        i_cx = static_cast<LONG>(s_text.size()) * 100;
        i_cy = 400;
    }
    void TextOut(LONG, LONG, const std::string&) override {}
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT) override { vDrawn.push_back({s_text, rc}); }
    bool StartPage() override { return true; }
    void EndPage() override {}
    void AbortDoc() override {}
    BOOL SelectFont(const PrintFont& font) override
    {
        Font = font;
        return TRUE;
    }
    PrintFont GetFont() const override { return Font; }
    BOOL DrawLine(const CPoint&, const CPoint&, int) override { return TRUE; }
    int GetDeviceCaps(int) override { return 2540; }
    CSize HiMetricToLogical(const CSize& size) override { return size; }

    std::vector<Drawn> vDrawn;
    PrintFont Font;
};

TEST(LabelPages, RowsFillPagesAndRestartOutOfOrder)
{
    ZelFixedLocale locale(IZelLocalePort::measureMetric, "");
    ZelLabelDim dim; // two across, seven down
    LabelPages pages(dim);
    EXPECT_EQ(pages.PageCount(15), 2);
    EXPECT_EQ(pages.PageCount(14), 1);
    EXPECT_EQ(pages.PageCount(0), 0);

    LabelCanvas dc;
    std::vector<int> v_rows;
    const auto text = [&](int i_row, CRect&) {
        v_rows.push_back(i_row);
        return "row " + std::to_string(i_row);
    };
    // Page 2 first: one label, top left.
    pages.PrintPage(dc, 2, 15, CSize(0, 0), PrintFont::Swiss(10), text);
    EXPECT_EQ(v_rows, (std::vector<int>{14}));
    ASSERT_EQ(dc.vDrawn.size(), 1u);
    const CRect rc_first = LabelPages::LabelRect(dim, 0, 0);
    EXPECT_EQ(dc.vDrawn[0].rc, (ZelRect{rc_first.left, rc_first.top, rc_first.right, rc_first.bottom}));
    // Then page 1 starts again at row 0, filling across first.
    v_rows.clear();
    dc.vDrawn.clear();
    pages.PrintPage(dc, 1, 15, CSize(0, 0), PrintFont::Swiss(10), text);
    ASSERT_EQ(v_rows.size(), 14u);
    EXPECT_EQ(v_rows.front(), 0);
    EXPECT_EQ(v_rows.back(), 13);
    const CRect rc_second = LabelPages::LabelRect(dim, 0, 1);
    EXPECT_EQ(dc.vDrawn[1].rc.left, rc_second.left);
    EXPECT_EQ(dc.vDrawn[2].rc.top, LabelPages::LabelRect(dim, 1, 0).top);
    EXPECT_EQ(pages.iLastPrinted, 1);
}

TEST(LabelPages, LabelsInTheUnprintableMarginAreClipped)
{
    ZelFixedLocale locale(IZelLocalePort::measureMetric, "");
    ZelLabelDim dim;
    dim.SetTopMargin(100);
    dim.SetLeftMargin(200);
    LabelPages pages(dim);
    LabelCanvas dc;
    pages.PrintPage(dc, 1, 1, CSize(635, 635), PrintFont::Swiss(10), [](int, CRect&) { return std::string("x"); });
    ASSERT_EQ(dc.vDrawn.size(), 1u);
    EXPECT_EQ(dc.vDrawn[0].rc.left, 0);
    EXPECT_EQ(dc.vDrawn[0].rc.top, 0);
    EXPECT_EQ(dc.vDrawn[0].rc.right, 200 + dim.GetWidth() - 635);
    EXPECT_EQ(dc.vDrawn[0].rc.bottom, 100 + dim.GetHeight() - 635);
}

} // namespace
