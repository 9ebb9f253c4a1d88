// Where a page is drawn on the paper: the margins against the printer's
// printable area, on printers that print to the edge (a file) and on
// printers that cannot.
#include "output/PrintMargins.h"

#include <gtest/gtest.h>

namespace {

// A4 at 300 pixels per inch: 2480 by 3508 pixels.
PrintDevicePage A4(LONG l_unprintable = 0, LONG l_ppi = 300)
{
    PrintDevicePage page;
    page.rcPaper = CRect(-l_unprintable, -l_unprintable, 2480 - l_unprintable, 3508 - l_unprintable);
    page.szPrintable = CSize(2480 - 2 * l_unprintable, 3508 - 2 * l_unprintable);
    page.szPpi = CSize(l_ppi, l_ppi);
    return page;
}

TEST(PrintMargins, TheAreaIsThePaperLessTheMarginsWithinWhatThePrinterPrints)
{
    const LONG l_10mm = 118; // 10 mm at 300 pixels per inch, rounded
    struct Case {
        const char* pWhat;
        PrintDevicePage Page;
        PrintMargins Margins;
        CRect rcExpected;
    } a_cases[] = {
        {"a file prints to the edge: the default margins", A4(), PrintMargins(),
         CRect(l_10mm, l_10mm, 2480 - l_10mm, 3508 - l_10mm)},
        {"no margins on a file: the whole paper", A4(), PrintMargins::None(), CRect(0, 0, 2480, 3508)},
        {"margins wider than the unprintable edge count from the paper", A4(71), PrintMargins(),
         CRect(l_10mm - 71, l_10mm - 71, 2480 - 71 - l_10mm, 3508 - 71 - l_10mm)},
        {"margins narrower than the unprintable edge: the printable area", A4(71), PrintMargins::Chosen(5, 5, 5, 5),
         CRect(0, 0, 2480 - 142, 3508 - 142)},
        {"each edge its own margin", A4(), PrintMargins{20, 0, 5, 40}, CRect(236, 0, 2480 - 59, 3508 - 472)},
        {"margins that leave nothing give an empty area", A4(), PrintMargins{150, 10, 150, 10},
         CRect(1772, l_10mm, 1772, 3508 - l_10mm)},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(MarginArea(c.Page, c.Margins), c.rcExpected) << c.pWhat;

    // Pixels of another size across than down.
    PrintDevicePage page = A4();
    page.szPpi = CSize(600, 300);
    page.rcPaper.right = page.szPrintable.cx = 4960;
    EXPECT_EQ(MarginArea(page, PrintMargins()), CRect(236, l_10mm, 4960 - 236, 3508 - l_10mm));
}

TEST(PrintMargins, ChosenMarginsKeepTheMinimum)
{
    EXPECT_EQ(PrintMargins::Chosen(0, 3, 12, -4), (PrintMargins{5, 5, 12, 5}));
    EXPECT_EQ(PrintMargins::Chosen(25, 25, 25, 25), (PrintMargins{25, 25, 25, 25}));
    EXPECT_EQ(PrintMargins(), (PrintMargins{10, 10, 10, 10}));
}

TEST(PrintMargins, PixelsInHundredthsOfAMillimetre)
{
    EXPECT_EQ(PixelsToHiMetric(300, 300), 2540);
    EXPECT_EQ(PixelsToHiMetric(71, 300), 601);
    EXPECT_EQ(PixelsToHiMetric(5, 0), 0);
}

} // namespace
