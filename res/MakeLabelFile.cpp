// Writes the installation's standard label stock file: the common sheets
// of A4 and US Letter address labels, by paper and labels per sheet.
//
//     make_label_file OUTPUT.ldf
#include "zelkit/controls/ZelLabelPrint.h"

#include <cstdio>
#include <string>

namespace {

// One stock: its name, the labels across and down, and in hundredths of a
// millimetre the label's width and height, the left and top margins and
// the gaps between columns and between rows.
struct StockRow {
    const char* pName;
    int iAcross, iDown;
    LONG lWidth, lHeight, lLeft, lTop, lColumnGap, lRowGap;
};

const StockRow aA4[] = {
    {"Address 2 x 7, 99.1 x 38.1 mm", 2, 7, 9910, 3810, 465, 1515, 250, 0},
    {"Address 3 x 7, 63.5 x 38.1 mm", 3, 7, 6350, 3810, 720, 1515, 250, 0},
    {"Parcel 2 x 4, 99.1 x 67.7 mm", 2, 4, 9910, 6770, 465, 1310, 250, 0},
    {"Edge to edge 3 x 8, 70 x 37 mm", 3, 8, 7000, 3700, 0, 50, 0, 0},
};
const StockRow aLetter[] = {
    {"Address 3 x 10, 2.63 x 1 in", 3, 10, 6668, 2540, 476, 1270, 318, 0},
    {"Address 2 x 10, 4 x 1 in", 2, 10, 10160, 2540, 397, 1270, 476, 0},
    {"Shipping 2 x 5, 4 x 2 in", 2, 5, 10160, 5080, 397, 1270, 476, 0},
};

template <std::size_t N>
void AddGroup(ZelLabelStockFile& file, const char* p_group, const StockRow (&a_rows)[N], const CSize& sz_paper)
{
    ZelLabelStockGroup group;
    group.SetGroupName(p_group);
    for (const StockRow& row : a_rows) {
        ZelLabelStock stock;
        stock.SetName(row.pName);
        ZelLabelDim& dim = stock.GetDim();
        dim.SetType(ZelLabelDim::stPage);
        dim.SetOrientation(1);
        dim.SetPaperDim(sz_paper);
        dim.SetLabelDim(CSize(row.lWidth, row.lHeight));
        dim.SetLeftMargin(row.lLeft);
        dim.SetTopMargin(row.lTop);
        dim.SetBetween(row.lRowGap, row.lColumnGap);
        dim.SetNLabels(row.iDown, row.iAcross);
        group.Add(stock);
    }
    file.Add(group);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_label_file OUTPUT.ldf\n");
        return 2;
    }
    ZelLabelStockFile file;
    AddGroup(file, "A4 sheets", aA4, CSize(21000, 29700));
    AddGroup(file, "US Letter sheets", aLetter, CSize(21590, 27940));
    file.SetFileName(argv[1]);
    if (!file.Store()) {
        std::fprintf(stderr, "make_label_file: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
