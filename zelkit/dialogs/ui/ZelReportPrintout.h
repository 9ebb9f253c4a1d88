// A report's print on the toolkit's printer: the printout that prints a
// report layout page by page, and the print command of the report dialogs.
//
// The toolkit's printer asks for the number of pages before it prints the
// first, and then for each page by its number, so the layout is paginated
// first and each page printed from where it begins.
//
// The context is scaled so that one logical unit is one pixel of the
// screen: the dialog's font comes out on paper at the size it has on the
// screen. The page is the printer's printable area; where the printer can
// print up to the paper's edge (a print into a file can), a narrow edge is
// kept blank all the same, as a printer keeps one.
#pragma once

#include "zelkit/dialogs/ZelReportLayout.h"

#include <vector>
#include <wx/print.h>

class wxWindow;

class ZelReportPrintout : public wxPrintout {
public:
    // The blank edge kept on paper a printer can print to the edge of.
    static constexpr int kEdgeMm = 5;

    // The printout keeps a copy of the layout: a report dialog may close
    // while a preview still shows it.
    explicit ZelReportPrintout(const ZelReportLayout& layout);

    // Paginates the layout on the printer's context.
    void OnPreparePrinting() override;
    void GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to) override;
    bool HasPage(int i_page) override;
    bool OnPrintPage(int i_page) override;

    int GetPageCount() const { return static_cast<int>(vPages.size()); }
    ZelReportLayout& GetLayout() { return Layout; }
    // The page the layout is printed on, in the context's logical units
    // (after MapPage).
    const ZelRect& GetPageRect() const { return rcPage; }

private:
    // Scales the context, sets its font and colour, and works out the
    // page; false without a context.
    bool MapPage();

    ZelReportLayout Layout;
    std::vector<ZelReportLayout::PageStart> vPages;
    ZelRect rcPage;
};

// The Print button of a report dialog: the printer dialog (all pages, no
// page numbers, no selection), then the report printed as a job named
// after its title. A print that cannot be made says "Printer wouldn't
// initialize", with the toolkit's reason where it gives one; a cancelled
// dialog prints nothing and says nothing. A report with no rows prints
// nothing. True when the report was printed.
bool ZelPrintReport(wxWindow* p_parent, const ZelReportLayout& layout);
