#include "shell/lists/LabelLayout.h"

#include "zelkit/windows/ZelDrawText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

// The tree sorts its items as the desktop's lists do: letters without
// regard to case.
bool LessNoCase(const std::string& s1, const std::string& s2)
{
    return std::lexicographical_compare(s1.begin(), s1.end(), s2.begin(), s2.end(), [](char c1, char c2) {
        return std::tolower(static_cast<unsigned char>(c1)) < std::tolower(static_cast<unsigned char>(c2));
    });
}

} // namespace

// ------------------------------------------------------------- item data

DWORD EncodeLabelItem(int i_file, int i_group, int i_stock)
{
    return (static_cast<DWORD>(i_file & 1) << 31) | (static_cast<DWORD>(i_group & 0x7FFF) << 16)
           | static_cast<DWORD>(static_cast<std::uint16_t>(static_cast<std::int16_t>(i_stock)));
}

LabelItemRef SplitLabelItem(DWORD u_data)
{
    LabelItemRef ref;
    ref.iFile = static_cast<int>(u_data >> 31);
    ref.iGroup = static_cast<int>((u_data >> 16) & 0x7FFF);
    ref.iStock = static_cast<std::int16_t>(static_cast<std::uint16_t>(u_data & 0xFFFF));
    return ref;
}

BOOL IsUsableStock(const ZelLabelStock& stock)
{
    int i_down = 0, i_across = 0;
    stock.GetDim().GetNLabels(i_down, i_across);
    return i_down > 0 && i_across > 0 ? TRUE : FALSE;
}

std::string LabelStockTitle(const ZelLabelStock& stock)
{
    int i_down = 0, i_across = 0;
    stock.GetDim().GetNLabels(i_down, i_across);
    return stock.GetName() + " (" + std::to_string(static_cast<long long>(i_across) * i_down) + " labels)";
}

std::vector<std::string> LabelStockDescription(const ZelLabelDim& dim)
{
    int i_down = 0, i_across = 0;
    dim.GetNLabels(i_down, i_across);
    LONG l_betweenRows = 0, l_betweenColumns = 0;
    dim.GetBetween(l_betweenRows, l_betweenColumns);
    char s_counts[64];
    std::snprintf(s_counts, sizeof s_counts, "%d across, %d down", i_across, i_down);
    const std::string a_lines[] = {
        dim.FormatTypeName() + ": " + dim.FormatOrientName() + ", " + dim.FormatDimension(dim.GetPaperDim()),
        "Margins: Left=" + dim.FormatDimension(dim.GetLeftMargin()) + ", Top=" + dim.FormatDimension(dim.GetTopMargin()),
        "Label: " + dim.FormatDimension(dim.GetLabelDim()),
        std::string("No. labels: ") + s_counts,
        "Between: Rows=" + dim.FormatDimension(l_betweenRows) + ", Columns=" + dim.FormatDimension(l_betweenColumns),
    };
    std::vector<std::string> v_lines;
    for (const std::string& s : a_lines)
        if (!s.empty())
            v_lines.push_back(s);
    return v_lines;
}

// ---------------------------------------------------------------- choice

LabelStockChoice::LabelStockChoice(const ZelLabelStockFile& standard, const ZelLabelStockFile& custom)
    : apFiles{&standard, &custom}
{
}

std::vector<LabelTreeNode> LabelStockChoice::BuildTree()
{
    std::vector<LabelTreeNode> v_top;
    vRefused.clear();
    iSelTop = -1;
    iSelStock = -1;
    // The remembered items by their data, found again after sorting.
    DWORD u_selGroup = 0, u_selStock = 0;
    bool b_group = false, b_stock = false;
    for (int i_file = 0; i_file < 2; ++i_file) {
        const ZelLabelStockFile& file = *apFiles[i_file];
        for (int g = 0; g < file.GetSize(); ++g) {
            const ZelLabelStockGroup& group = file[g];
            LabelTreeNode node{group.GetGroupName(), EncodeLabelItem(i_file, g, -1), {}};
            const bool b_thisGroup = i_file == iFile && group.GetGroupName() == sGroup;
            if (b_thisGroup) {
                u_selGroup = node.uData;
                b_group = true;
            }
            for (int s = 0; s < group.GetSize() && s < 0x8000; ++s) {
                const ZelLabelStock& stock = group[s];
                if (!IsUsableStock(stock)) {
                    vRefused.push_back(group.GetGroupName() + ": " + stock.GetName());
                    continue;
                }
                LabelTreeNode stock_node{LabelStockTitle(stock), EncodeLabelItem(i_file, g, s), {}};
                // A stock of the remembered name counts in the remembered
                // group only: the same name may stand in several groups.
                if (b_thisGroup && stock.GetName() == sStock) {
                    u_selStock = stock_node.uData;
                    b_stock = true;
                }
                for (const std::string& s_line : LabelStockDescription(stock.GetDim()))
                    stock_node.vChildren.push_back({s_line, stock_node.uData, {}});
                node.vChildren.push_back(std::move(stock_node));
            }
            std::stable_sort(node.vChildren.begin(), node.vChildren.end(),
                             [](const LabelTreeNode& a, const LabelTreeNode& b) { return LessNoCase(a.sText, b.sText); });
            v_top.push_back(std::move(node));
        }
    }
    std::stable_sort(v_top.begin(), v_top.end(),
                     [](const LabelTreeNode& a, const LabelTreeNode& b) { return LessNoCase(a.sText, b.sText); });
    for (int t = 0; t < static_cast<int>(v_top.size()); ++t) {
        if (!b_group || v_top[static_cast<std::size_t>(t)].uData != u_selGroup)
            continue;
        iSelTop = t;
        const auto& v_stocks = v_top[static_cast<std::size_t>(t)].vChildren;
        for (int s = 0; b_stock && s < static_cast<int>(v_stocks.size()); ++s)
            if (v_stocks[static_cast<std::size_t>(s)].uData == u_selStock)
                iSelStock = s;
    }
    return v_top;
}

BOOL LabelStockChoice::Decode(DWORD u_data, LabelItemRef& ref) const
{
    ref = SplitLabelItem(u_data);
    const ZelLabelStockFile& file = *apFiles[ref.iFile];
    if (ref.iGroup >= file.GetSize())
        return FALSE;
    return ref.iStock >= -1 && ref.iStock < file[ref.iGroup].GetSize() ? TRUE : FALSE;
}

BOOL LabelStockChoice::OnSelect(BOOL b_item, DWORD u_data)
{
    LabelItemRef ref;
    if (!b_item || !Decode(u_data, ref))
        return FALSE;
    const ZelLabelStockGroup& group = (*apFiles[ref.iFile])[ref.iGroup];
    iFile = ref.iFile;
    sGroup = group.GetGroupName();
    if (ref.iStock < 0) {
        sStock.clear();
        return FALSE;
    }
    sStock = group[ref.iStock].GetName();
    return TRUE;
}

void LabelStockChoice::OnOK(BOOL b_item, DWORD u_data)
{
    LabelItemRef ref;
    if (!b_item || !Decode(u_data, ref))
        return;
    const ZelLabelStockGroup& group = (*apFiles[ref.iFile])[ref.iGroup];
    iFile = ref.iFile;
    sGroup = group.GetGroupName();
    if (ref.iStock >= 0) {
        sStock = group[ref.iStock].GetName();
        Stock = group[ref.iStock];
    } else {
        sStock.clear();
        Stock = ZelLabelStock();
    }
}

// ----------------------------------------------------------------- pages

CRect LabelPages::LabelRect(const ZelLabelDim& dim, int i_row, int i_col)
{
    LONG l_betweenRows = 0, l_betweenColumns = 0;
    dim.GetBetween(l_betweenRows, l_betweenColumns);
    const LONG l_top = dim.GetTopMargin() + i_row * (dim.GetHeight() + l_betweenRows);
    const LONG l_left = dim.GetLeftMargin() + i_col * (dim.GetWidth() + l_betweenColumns);
    return CRect(l_left, l_top, l_left + dim.GetWidth(), l_top + dim.GetHeight());
}

int LabelPages::PerPage() const
{
    int i_down = 0, i_across = 0;
    Dim.GetNLabels(i_down, i_across);
    return std::max(i_down, 0) * std::max(i_across, 0);
}

int LabelPages::PageCount(int n_rows) const
{
    const int n = PerPage();
    if (n_rows <= 0 || n <= 0)
        return 0;
    return (n_rows + n - 1) / n;
}

void LabelPages::PrintPage(IPrintCanvas& dc, int i_page, int n_rows, const CSize& sz_offset, const PrintFont& font,
                           const LabelText& f_text)
{
    int i_down = 0, i_across = 0;
    Dim.GetNLabels(i_down, i_across);
    if (n_rows <= 0 || i_down <= 0 || i_across <= 0)
        return;
    if (i_page != iLastPrinted + 1) {
        // A page out of order: count the rows of the pages before it.
        if (i_page <= iLastPrinted) {
            iLastPrinted = 0;
            iNextRow = 0;
        }
        for (int p = iLastPrinted + 1; p < i_page; ++p)
            iNextRow += i_across * i_down;
    }
    const PrintFont old_font = dc.GetFont();
    dc.SelectFont(font);
    int i_row = 0, i_col = 0;
    while (iNextRow < n_rows && i_row < i_down) {
        CRect rc = LabelRect(Dim, i_row, i_col);
        rc.OffsetRect(-sz_offset.cx, -sz_offset.cy);
        rc.left = std::max<LONG>(rc.left, 0);
        rc.top = std::max<LONG>(rc.top, 0);
        rc.right = std::max<LONG>(rc.right, 0);
        rc.bottom = std::max<LONG>(rc.bottom, 0);
        const CSize sz_tl = dc.HiMetricToLogical(CSize(rc.left, rc.top));
        const CSize sz_br = dc.HiMetricToLogical(CSize(rc.right, rc.bottom));
        CRect rc_label(sz_tl.cx, sz_tl.cy, sz_br.cx, sz_br.cy);
        const std::string s_text = f_text(iNextRow, rc_label);
        dc.DrawText(s_text, ZelRect{rc_label.left, rc_label.top, rc_label.right, rc_label.bottom},
                    DT_NOPREFIX | DT_LEFT | DT_TOP);
        ++iNextRow;
        if (++i_col >= i_across) {
            i_col = 0;
            ++i_row;
        }
    }
    dc.SelectFont(old_font);
    iLastPrinted = i_page;
}

// ----------------------------------------------------------- measurement

CSize CanvasMeasurePort::GetTextExtent(const std::string& s_text)
{
    LONG i_cx = 0, i_cy = 0;
    Dc.GetTextExtent(s_text, i_cx, i_cy);
    return CSize(i_cx, i_cy);
}

int CanvasMeasurePort::DrawText(const std::string& s_text, CRect&, UINT, COLORREF)
{
    return GetTextExtent(s_text).cy;
}
