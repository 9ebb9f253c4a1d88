// Address labels without a window: the label stock chooser's tree (its
// items, their 32-bit item data, the description lines of a stock, the
// choice made in it) and the label pages of a list view (where each label
// stands, the page count, and printing one page on a print canvas).
//
// Lengths are hundredths of a millimetre from the paper's top-left corner
// until they are turned into the canvas's logical units.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "output/PrintCanvas.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/controls/ZelLabelPrint.h"

#include <functional>
#include <string>
#include <vector>

// ---- the chooser ----

// The item data of a tree item: bit 31 the file (0 standard, 1 custom),
// bits 16-30 the group's index in its file, bits 0-15 the stock's index in
// its group as a signed 16-bit number (-1 on a group's own item).
struct LabelItemRef {
    int iFile = 0;
    int iGroup = 0;
    int iStock = -1;
};
DWORD EncodeLabelItem(int i_file, int i_group, int i_stock);
LabelItemRef SplitLabelItem(DWORD u_data);

// A stock with no label across or down (a damaged stock file) cannot be
// printed and is never offered.
BOOL IsUsableStock(const ZelLabelStock& stock);
// "name (n labels)".
std::string LabelStockTitle(const ZelLabelStock& stock);
// The description lines under a stock, those that are not empty.
std::vector<std::string> LabelStockDescription(const ZelLabelDim& dim);

struct LabelTreeNode {
    std::string sText;
    DWORD uData = 0;
    std::vector<LabelTreeNode> vChildren;
};

class LabelStockChoice {
public:
    // The two files, standard first; either may be empty.
    LabelStockChoice(const ZelLabelStockFile& standard, const ZelLabelStockFile& custom);

    // The tree's top-level items (the groups of both files, sorted), each
    // group's stocks sorted under it and each stock's description under
    // it. The remembered choice (file, group, stock) is found: its path
    // (top-level index, then stock index; -1 where not found). Stocks that
    // cannot be printed are left out and named in the refused list.
    std::vector<LabelTreeNode> BuildTree();
    int GetSelectedTop() const { return iSelTop; }
    int GetSelectedStock() const { return iSelStock; }
    const std::vector<std::string>& GetRefused() const { return vRefused; }

    // The item data decoded against the files; FALSE when it names no
    // group or stock there.
    BOOL Decode(DWORD u_data, LabelItemRef& ref) const;
    // The selection changed (b_item: an item is selected): the choice
    // follows it; TRUE when OK is to be enabled.
    BOOL OnSelect(BOOL b_item, DWORD u_data);
    // OK: the choice and the stock (a default stock, empty name, when a
    // group or nothing was chosen).
    void OnOK(BOOL b_item, DWORD u_data);

    // In and out: the file, group and stock of the choice.
    int iFile = 0;
    std::string sGroup;
    std::string sStock;
    ZelLabelStock Stock;

private:
    const ZelLabelStockFile* apFiles[2];
    int iSelTop = -1;
    int iSelStock = -1;
    std::vector<std::string> vRefused;
};

// ---- the label pages ----

class LabelPages {
public:
    explicit LabelPages(const ZelLabelDim& dim) : Dim(dim) {}

    // The label at row r and column c of a page, in hundredths of a
    // millimetre from the paper's top-left corner.
    static CRect LabelRect(const ZelLabelDim& dim, int i_row, int i_col);
    int PerPage() const;
    // 0 without rows.
    int PageCount(int n_rows) const;

    // The text of a list row's label; the rectangle (logical units) may
    // shrink to place the text.
    using LabelText = std::function<std::string(int i_row, CRect& rc)>;
    // Prints page i_page (from 1) of n_rows rows. sz_offset: where the
    // printable area begins on the paper, in hundredths of a millimetre;
    // the canvas's origin is there.
    void PrintPage(IPrintCanvas& dc, int i_page, int n_rows, const CSize& sz_offset, const PrintFont& font,
                   const LabelText& f_text);
    // The page printed last and the next row to print.
    int iLastPrinted = 0;
    int iNextRow = 0;

private:
    ZelLabelDim Dim;
};

// Measures text through a print canvas for code that measures through the
// drawing port (a label's placement); it draws nothing.
class CanvasMeasurePort : public IZelDrawPort {
public:
    explicit CanvasMeasurePort(IPrintCanvas& dc) : Dc(dc) {}
    void SetFont(const ZelPortFont& font) override { Font = font; }
    ZelPortFont GetFont() const override { return Font; }
    CSize GetCharDim() override { return GetTextExtent("x"); }
    CSize GetTextExtent(const std::string& s_text) override;
    int DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF c_text) override;
    void StretchTransparentBitmap(ZelBitmapHandle, const CRect&, COLORREF) override {}
    void FillRect(const CRect&, const ZelBrush&) override {}
    void Line(const CPoint&, const CPoint&, const ZelPen&) override {}
    void FrameRect(const CRect&, const ZelPen&) override {}
    void DrawEdge(const CRect&) override {}
    void DrawFocusRect(const CRect&) override {}
    void ExcludeClip(const CRect&) override {}
    CRect GetClipBox() const override { return CRect(); }

private:
    IPrintCanvas& Dc;
    ZelPortFont Font;
};
