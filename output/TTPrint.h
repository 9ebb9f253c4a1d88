// The printed timetable of one print item (one day, group, venue or
// participant) and the print job that numbers the pages of several items.
//
// A page is a table: its columns are venues (printing a day) or event days
// (the other kinds), time runs down the page, each group of columns that
// shares its times has a column of time labels at its left, and every slot
// of the item is a box holding text. A heading names the event and the
// item; a footer gives the print and build times, the page number within
// the whole job and the event file's path; on a page too narrow for the
// footer's centre text in the middle, it moves between the side texts, or
// is cut short. A row is as tall as the tallest cell it holds, group
// members included. Time labels are in the library's 24-hour or 12-hour
// form ("1:00pm"), as the screen shows them. The options come from the
// document's PrintOptions.
//
// All geometry is in the canvas's logical units, taken as the printer's
// device units: the page is the device's printable area, without margins.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "model/TimetableDay.h"
#include "output/PrintCanvas.h"
#include "zelkit/datetime/CHighTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EventDoc;
class Group;
class PrintOptions;
class Timeslot;

// A canvas that can also make bold and underlined fonts. The timetable asks
// for them through this when the canvas offers it, else it takes the plain
// face of the family.
class IStyledFontCanvas {
public:
    virtual ~IStyledFontCanvas() = default;
    virtual BOOL SelectStyledFont(const PrintFont& font, bool b_bold, bool b_underline) = 0;
};

class TTPrint {
public:
    // What one printed timetable shows (PrintOptions' print-by values).
    enum What { eDays = 0, eGroups = 1, eVenues = 2, eParts = 3 };

    // One time on the time axis of a label group.
    struct Time {
        std::int64_t llTicks = 0; // time of day
        bool bStart = false;      // a slot starts here
        int iPage = 0;            // vertical page
        int iY = 0;               // offset from the band's top
        bool bPageStart = false;  // opens its vertical page
    };
    // One column: a venue of the printed day, or an event day.
    struct Column {
        int iSource = 0;      // venue index (days) or day index (the other kinds)
        int iLabelOwner = 0;  // the first column of its label group
        bool bExcluded = false;
        // Only the time axis of a day on which nothing is placed: no
        // heading, frame or cells, and no width of its own.
        bool bAxisOnly = false;
        Day::SlotArray Defs;  // its distinct slot times
        std::int64_t llStart = 0, llEnd = 0;
        int iHorzPage = 0, iBand = 0;
        int iX = 0;           // left edge within the band
        int iLabelX = -1;     // left edge of its label column, -1 when it has none
        std::vector<const Timeslot*> Slots; // its slots that belong to the item
    };
    struct HorzPage {
        int iFirst = 0, iLast = -1;
    };
    // The layout of one item, in device units.
    struct Layout {
        ZelRect rcPage, rcBody, rcHeader, rcFooter, rcDraw;
        int iHeadingWidth = 0, iHeadingTextHeight = 0;
        int iLabelWidth = 0, iLabelHeight = 0;
        int iCellWidth = 0, iCellHeight = 0;
        int iLineHeight = 0, iPadding = 0, iMinRowHeight = 0, iHeadingHeight = 0;
        int iGrid = 0; // 4 with grid lines, else 0
        std::int64_t llShortest = 0, llEarliest = 0, llLatest = 0;
        std::int64_t llScaleSeconds = 1; // seconds per device unit
        int iColumnWidth = 0, iLabelColumnWidth = 0, iCentreOffset = 0;
        int nVertPages = 1;
        int iBandHeight = 0, iBandsPerPage = 1;
        int nRowsPerPage = 0;   // constant height: rows on one vertical page
        std::vector<Time> Times; // proportional height: the shared time axis
        std::vector<Column> Columns;
        std::vector<HorzPage> HorzPages;
    };

    // The item of the document named s_title, at i_item (day, group, venue
    // or participant position). A document without a timetable makes an
    // item that prints nothing.
    TTPrint(const EventDoc* p_doc, const std::string& s_title, int i_item);
    TTPrint(const TTPrint&) = delete;
    TTPrint& operator=(const TTPrint&) = delete;
    virtual ~TTPrint();

    // Pages across and down (both 0 without a timetable); builds the layout
    // when there is none.
    void GetPageCounts(IPrintCanvas& dc, int& n_across, int& n_down);
    int GetPageTotal(IPrintCanvas& dc);
    // Prints page i_page of the item (from 0), numbered i_jobPage of
    // n_jobPages in the footer. FALSE, with the layout freed, for an index
    // past the item's pages; FALSE without a timetable.
    BOOL PrintPage(IPrintCanvas& dc, int i_page, int i_jobPage, int n_jobPages, const CHighTime& dt_printed,
                   const CHighTime& dt_built);
    void FreeLayout() { pLayout.reset(); }

    What GetWhat() const { return eWhat; }
    BOOL HasTimetable() const { return bHasTimetable; }
    const std::string& GetTitle() const { return sTitle; }
    const Layout* GetLayout() const { return pLayout.get(); }
    const Day::SlotArray& GetSlotDefs() const { return SlotDefs; }

    // The text broken into lines joined by "\r\n" that fit i_width (below
    // 1: a fifth of the device's width, at least 30 units), words kept
    // whole; the line count in n_lines.
    static std::string WrapText(IPrintCanvas& dc, const std::string& s_text, int i_width, int& n_lines);
    // The fonts of the page.
    static BOOL SelectFont(IPrintCanvas& dc, const PrintFont& font, bool b_bold = false, bool b_underline = false);

private:
    void BuildLayout(IPrintCanvas& dc);
    void BuildColumns(Layout& lay);
    void BuildLabelGroups(Layout& lay);
    void BuildProportionalRows(Layout& lay);
    void BuildConstantRows(Layout& lay);
    void BuildBands(Layout& lay);
    // Whether a slot belongs to the item.
    bool Belongs(const Timeslot& slot) const;
    // Whether a definition is empty for the item.
    bool IsEmptyDef(const Day::SlotDef& def) const;
    // The days the item covers.
    int FirstDay() const;
    int EndDay() const;
    // The group placed in the slot; null when none.
    const Group* PlacedGroup(const Timeslot& slot) const;
    std::string CellText(const Timeslot& slot) const;
    // The text a cell prints: its cell text wrapped at i_width (below 1:
    // the default width), then, with group members shown, the members
    // fitted to that width on lines of their own; the line count in n_lines.
    std::string WrappedCellText(IPrintCanvas& dc, const Timeslot& slot, int i_width, int& n_lines) const;
    std::string ColumnTitle(const Column& col) const;
    std::string TimeText(std::int64_t ll_ticks) const;
    bool UsesCombinations() const;

    // Where a slot of a column lies: its vertical page and top and bottom
    // from the band's top; FALSE when its start is not on the axis.
    BOOL SlotSpan(const Column& col, const Timeslot& slot, int& i_page, int& i_top, int& i_bottom) const;

    void PrintHeading(IPrintCanvas& dc);
    void PrintFooter(IPrintCanvas& dc, int i_jobPage, int n_jobPages, const CHighTime& dt_printed,
                     const CHighTime& dt_built);
    void PrintBody(IPrintCanvas& dc, int i_page);
    void PrintBand(IPrintCanvas& dc, int i_horz, int i_vert, int i_band, int i_top);
    // The definitions that print-all labels and frames run over for the
    // column.
    const Day::SlotArray& AxisDefs(const Column& col) const;
    void PrintLabels(IPrintCanvas& dc, int i_owner, int i_last, int i_vert, int i_top, int i_bandBottom);
    void PrintCells(IPrintCanvas& dc, const Column& col, int i_vert, int i_top, int i_bandBottom);
    void Rect(IPrintCanvas& dc, const ZelRect& rc);

    const EventDoc* pDoc;
    BOOL bHasTimetable = FALSE;
    int iItem;
    What eWhat = eDays;
    int nDays = 0;
    int nVenues = 0;
    LONG lItemKey = -1; // the printed group's or participant's key
    Day::SlotArray SlotDefs;
    std::unique_ptr<Layout> pLayout;
    std::string sTitle;
};

// The items a job prints when it prints by group, venue or participant:
// the rows of the matching list view, in row order.
class ITTPrintRows {
public:
    virtual ~ITTPrintRows() = default;
    // The item positions of the view's rows (all, or the selected ones);
    // empty when the view is not there.
    virtual std::vector<int> GetRowItems(int e_what, BOOL b_all) = 0;
    // The number of selected rows of the view; 0 when it is not there.
    virtual int GetSelectedCount(int e_what) = 0;
};

// One print job: its items in print order, each item's pages across and
// down, and the pages numbered through the whole job.
class TTPrintJob {
public:
    struct PageDim {
        int nAcross = 0;
        int nDown = 0;
    };

    explicit TTPrintJob(const EventDoc* p_doc) : pDoc(p_doc) {}

    // Whether the event can be printed at all: a venue, a group, a day, a
    // timeslot and a name.
    static BOOL CanPrint(const EventDoc* p_doc);
    // The document takes the options the user chose: it is marked modified
    // when they differ by the options' comparison (which leaves out the
    // print-all choice), and takes them whole in any case.
    static void ApplyOptions(EventDoc& doc, const PrintOptions& options);

    // The items by the document's print options; p_rows gives the list
    // views' rows (none without it).
    void BuildItems(ITTPrintRows* p_rows);
    void AddItem(std::unique_ptr<TTPrint> p_item);
    // Asks every item for its pages; the job's page count.
    int CountPages(IPrintCanvas& dc);
    int GetPageCount() const { return nPages; }
    int GetItemCount() const { return static_cast<int>(Items.size()); }
    TTPrint& GetItem(int i) { return *Items[static_cast<std::size_t>(i)]; }
    const std::vector<PageDim>& GetPageSizes() const { return PageSizes; }
    // The item holding page i_page (from 1) and the page within it (from
    // 0); FALSE for a page past the job.
    BOOL FindPage(int i_page, int& i_item, int& i_itemPage) const;
    // Prints page i_page (from 1) through its item, the previous item's
    // layout freed when the item changes.
    BOOL PrintPage(IPrintCanvas& dc, int i_page);
    void Clear();

    CHighTime dtPrinted;

private:
    const EventDoc* pDoc;
    std::vector<std::unique_ptr<TTPrint>> Items;
    std::vector<PageDim> PageSizes;
    int nPages = 0;
    int iCurrent = 0;
};
