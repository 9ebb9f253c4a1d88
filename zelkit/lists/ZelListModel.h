// The report list of the library without its window: rows of cells, item
// data, row states, columns, scrolling arithmetic, and the list's own
// operations (multi-column sort with header arrows, column auto-size,
// selection helpers, moving rows between lists and up or down).
//
// Every list of the program is one list control (ui/ZelListCtrl.h), whose
// window paints and forwards input to this class; tests drive this class
// alone. The list control derives from it, so callers use these operations
// on the control directly.
//
// Rows are found by their item data through an index, never by a scan; a
// sort reads each row's compared texts once and sorts the rows with a
// stable sort. Texts are code page 1252 bytes and compare byte by byte,
// unsigned, case-sensitive.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/lists/ZelListSort.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Item data of a row: a key, an index or an address.
using LPARAM = std::intptr_t;
// A row comparison by item data: (data 1, data 2, the sort's parameter),
// negative, 0 or positive.
using PFNLVCOMPARE = int (*)(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort);

// A cell set to this text asks the list's owner for its text each time it
// is needed.
inline const char* const LPSTR_TEXTCALLBACK = reinterpret_cast<const char*>(static_cast<std::intptr_t>(-1));

// Row states.
enum : UINT {
    LVIS_FOCUSED = 0x0001,
    LVIS_SELECTED = 0x0002,
    LVIS_CUT = 0x0004,
    LVIS_DROPHILITED = 0x0008,
    LVIS_OVERLAYMASK = 0x0F00,
    LVIS_STATEIMAGEMASK = 0xF000,
};

// Which fields of a ZelLVItem are meant.
enum : UINT {
    LVIF_TEXT = 0x0001,
    LVIF_IMAGE = 0x0002,
    LVIF_PARAM = 0x0004,
    LVIF_STATE = 0x0008,
    LVIF_INDENT = 0x0010,
};

// GetNextItem flags.
enum : UINT {
    LVNI_ALL = 0x0000,
    LVNI_FOCUSED = 0x0001,
    LVNI_SELECTED = 0x0002,
};

// Column formats.
enum : int {
    LVCFMT_LEFT = 0,
    LVCFMT_RIGHT = 1,
    LVCFMT_CENTER = 2,
};

// Image lists.
enum : int {
    LVSIL_NORMAL = 0,
    LVSIL_SMALL = 1,
    LVSIL_STATE = 2,
};

// Styles of a list.
enum : DWORD {
    LVS_SINGLESEL = 0x0004,
    LVS_SHOWSELALWAYS = 0x0008,
    LVS_OWNERDRAWFIXED = 0x0400,
    LVS_NOCOLUMNHEADER = 0x4000,
    LVS_NOSORTHEADER = 0x8000,
};
enum : DWORD {
    LVS_EX_HEADERDRAGDROP = 0x0010,
    LVS_EX_FULLROWSELECT = 0x0020,
};

// One row's fields, or one cell's, for reading and writing many at once.
struct ZelLVItem {
    UINT uMask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT uState = 0;
    UINT uStateMask = 0;
    std::string sText;
    // The cell asks its owner for its text (sText is then unused).
    bool bTextCallback = false;
    int iImage = 0;
    LPARAM lParam = 0;
    int iIndent = 0;
};

// The record of LVN_ITEMCHANGED: a row whose state changed.
struct ZelNMListView {
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    int iActionX = 0;
    int iActionY = 0;
    LPARAM lParam = 0;
};

// The record of LVN_GETDISPINFO: the owner puts the cell's text in
// item.sText, at most iTextMax - 1 characters.
struct ZelLVDispInfo {
    ZelLVItem item;
    int iTextMax = 0;
};

// Keys the list moves its focus and selection with; All is Ctrl+A, every
// row selected with the focus and the anchor where they were.
enum class ZelListKey { Up, Down, PageUp, PageDown, Home, End, Space, All };

class ZelListCtrl;
class ZelListModel;

// The model of a list control window (null for none).
ZelListModel* ZelListModelOf(ZelListCtrl* p_ctrl);

class ZelListModel {
public:
    // The arrow a header item shows.
    enum ColSortType { sortNone = 0, sortAscending = 1, sortDescending = 2 };

    // The most rows AutoSizeColumns measures (writable).
    static int iMaxRowScan;
    // The room added around a header bitmap.
    static const int iBitmapOffset = 16;
    // The size of a header sort arrow.
    static const int iSortArrowSize = 9;

    ZelListModel();
    virtual ~ZelListModel();
    ZelListModel(const ZelListModel&) = delete;
    ZelListModel& operator=(const ZelListModel&) = delete;

    // --- Styles ---------------------------------------------------------
    DWORD GetListStyle() const { return uStyle; }
    void ModifyListStyle(DWORD u_remove, DWORD u_add);
    DWORD GetExtendedListStyle() const { return uExStyle; }
    void SetExtendedListStyle(DWORD u_exStyle);
    bool HasHeader() const { return !(uStyle & LVS_NOCOLUMNHEADER); }

    // --- Columns --------------------------------------------------------
    // Inserts a column before i_col (at the end when past it); its index.
    int InsertColumn(int i_col, const std::string& s_title, int i_format = LVCFMT_LEFT, int i_width = 80);
    BOOL DeleteColumn(int i_col);
    int GetColumnCount() const { return static_cast<int>(vColumns.size()); }
    BOOL GetColumn(int i_col, std::string* p_title, int* p_format = nullptr, int* p_width = nullptr) const;
    BOOL SetColumnTitle(int i_col, const std::string& s_title);
    int GetColumnWidth(int i_col) const;
    BOOL SetColumnWidth(int i_col, int i_width);
    // The columns' display order, left to right, by column index.
    BOOL GetColumnOrderArray(std::vector<int>& v_order) const;
    BOOL SetColumnOrderArray(const std::vector<int>& v_order);
    // The sum of the column widths.
    int GetTotalColumnWidth() const;
    // The arrow a header item shows.
    int GetHeaderSortType(int i_col) const;
    BOOL SetHeaderSortType(int i_col, int i_type);

    // --- Rows -----------------------------------------------------------
    int GetItemCount() const { return static_cast<int>(vRows.size()); }
    // Inserts a row before i_row (at the end when past it) with column 0's
    // text (or LPSTR_TEXTCALLBACK) and item data; its index, -1 on failure.
    int InsertItem(int i_row, const char* p_text, LPARAM l_data = 0);
    // Inserts the fields of item (LVIF_TEXT, LVIF_IMAGE, LVIF_PARAM,
    // LVIF_STATE, LVIF_INDENT) as a new row at item.iItem.
    int InsertItem(const ZelLVItem& item);
    BOOL DeleteItem(int i_row);
    BOOL DeleteAllItems();
    // A text or LPSTR_TEXTCALLBACK.
    BOOL SetItemText(int i_row, int i_col, const char* p_text);
    BOOL SetItemText(int i_row, int i_col, const std::string& s_text) { return SetItemText(i_row, i_col, s_text.c_str()); }
    // The cell's text, asking the owner for a callback cell; empty for a
    // cell that does not exist.
    std::string GetItemText(int i_row, int i_col) const;
    bool IsTextCallback(int i_row, int i_col) const;
    // Writes, or reads, the fields uMask names of a row or cell. Reading
    // gives the whole text, however long.
    BOOL SetItem(const ZelLVItem& item);
    BOOL GetItem(ZelLVItem& item) const;
    BOOL SetItemData(int i_row, LPARAM l_data);
    LPARAM GetItemData(int i_row) const;
    // Sets the bits of u_mask to those of u_state in a row (-1: every row).
    BOOL SetItemState(int i_row, UINT u_state, UINT u_mask);
    UINT GetItemState(int i_row, UINT u_mask) const;
    // The next row after i_start (-1: from the first) with every state of
    // u_flags; -1 when none.
    int GetNextItem(int i_start, UINT u_flags) const;
    int GetSelectedCount() const { return nSelected; }
    // The first row with this item data, -1 when none.
    int FindItemData(LPARAM l_data) const;
    // Sorts the rows with a comparison of their item data; stable. The
    // list's own ItemCompare sorts by the texts the sort state names.
    BOOL SortItems(PFNLVCOMPARE pfn_compare, LPARAM l_sort);
    // Asks the window to draw rows i_first to i_last again.
    BOOL RedrawItems(int i_first, int i_last);

    // Row images (column 0) and indents; the image lists are known by the
    // width of their images and their number of images.
    void SetImageList(int i_type, int i_width, int i_height, int n_images);
    bool GetImageList(int i_type, int& i_width, int& i_height, int& n_images) const;

    // --- Scrolling arithmetic -------------------------------------------
    // The size of the rows' area in pixels and the height of one row.
    void SetRowsArea(int i_cx, int i_cy);
    int GetRowsAreaWidth() const { return iClientWidth; }
    int GetRowsAreaHeight() const { return iClientHeight; }
    void SetRowHeight(int i_height);
    int GetRowHeight() const { return iRowHeight; }
    void SetHeaderHeight(int i_height) { iHeaderHeight = i_height; }
    int GetHeaderHeight() const { return HasHeader() ? iHeaderHeight : 0; }
    // The number of rows that fit whole.
    int GetCountPerPage() const;
    int GetTopIndex() const { return iTopIndex; }
    // Scrolls so that i_top is the first row shown (kept in range).
    void SetTopIndex(int i_top);
    int GetMaxTopIndex() const;
    int GetScrollX() const { return iScrollX; }
    void SetScrollX(int i_x);
    // Scrolls the row into view; with b_partialOK a row partly shown at
    // the bottom counts as shown.
    BOOL EnsureVisible(int i_row, BOOL b_partialOK);
    // The row at a point of the rows' area (scrolling considered), -1 for
    // none; i_col gets the column under the point in display order.
    int RowHitTest(int i_x, int i_y, int* p_col = nullptr) const;

    // --- Focus and selection by mouse and keyboard ----------------------
    // A click on a row (-1: below the rows) with the modifier keys held.
    void ClickRow(int i_row, bool b_shift, bool b_ctrl);
    // A navigation key; true when the list used it.
    bool KeyDown(ZelListKey e_key, bool b_shift, bool b_ctrl);
    int GetAnchor() const { return iAnchor; }

    // --- The list control's operations ----------------------------------
    void Sort(int i_col, ZelListSort& sort, int i_direction, int b_toggle, PFNLVCOMPARE pfn_compare = nullptr);
    void Sort(const ZelColSortSpec* p_specs, int n_specs, ZelListSort& sort, int b_toggle,
              PFNLVCOMPARE pfn_compare = nullptr);
    void ReSort(ZelListSort& sort, PFNLVCOMPARE pfn_compare = nullptr);
    void ShowSort(const ZelListSort& sort);
    // Compares two rows by the specs of the sort state; the default
    // comparison of a sort.
    int CompareRows(int i_row1, int i_row2, const ZelListSort& sort) const;
    // The default comparison by item data: finds the two rows in the sort
    // state's list and compares them with CompareRows.
    static int ItemCompare(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort);
    static int ItemCompareByIndex(int i_row1, int i_row2, ZelListSort* p_sort);

    void SetShowSortDirection(BOOL b_show) { bShowSortDirection = b_show; }
    void SetAllowNoSort(BOOL b_allow) { bAllowNoSort = b_allow; }
    BOOL ShowSortDirection() const { return bShowSortDirection; }
    BOOL AllowNoSort() const { return bAllowNoSort; }
    BOOL IsFocusDrawn() const { return bFocusDrawn; }
    void SetFocusDrawn(BOOL b_drawn) { bFocusDrawn = b_drawn; }

    // Fits the widths of columns i_first to i_last (below 0: the first,
    // the last) to their titles and texts; the last column in display
    // order also fills the client width.
    void AutoSizeColumns(int i_first = -1, int i_last = -1);
    // The size of a header item's bitmap (a sort arrow); (0, 0) when it
    // shows none. FALSE when the list has no header or no such column.
    BOOL GetHdrBitmapSize(int i_col, int& i_cx, int& i_cy) const;
    static int ComputeImageOffset(int i_width) { return i_width * 4 / 3; }
    int GetImageOffset(int i_imageListType, int i_image) const;
    // The row under the point (rows' area coordinates), searching the
    // rows shown; i_col gets the column whose span holds x, counting the
    // columns by index from 0 without the scroll position.
    int FindClickedItem(int i_x, int i_y, int* p_col = nullptr) const;
    void UpdateAll() { RedrawItems(0, GetItemCount() - 1); }

    int GetSelItems(ZelArray<UINT>& a_rows) const;
    int GetSelItems(std::unique_ptr<int[]>& p_rows) const;
    int GetSelectedItemIndex() const;
    int GetFocusItemIndex() const { return iFocus; }
    void UnselectAll();
    void SelectItem(int i_row);
    void SetFocusItem(int i_row);
    void EnsureFocusVisible(BOOL b_partialOK);

    // The empty list's focus frame: shown while the list is empty and has
    // the keyboard focus.
    void DrawFocus(BOOL b_focus, BOOL b_ensureVisible);
    void DrawEmptyFocus();
    // Where the empty list's focus frame goes, in the rows' area.
    void GetEmptyFocusRect(int& i_left, int& i_top, int& i_right, int& i_bottom) const;

    // Appends the selected rows of p_source (texts of columns 0 to
    // n_cols - 1, or callback cells, and item data) to this list, selects
    // them, and deletes them from the source. Hands back their item data
    // in the order moved; -1 when either list has fewer columns.
    int MoveSelFrom(ZelListModel& source, std::unique_ptr<LPARAM[]>& p_data, int n_cols, BOOL b_callbackText);
    // Moves every selected row one place up or down; 1.
    int MoveOnePosition(BOOL b_up);

protected:
    // What changed, for the window.
    enum Change : UINT {
        changeRows = 0x01,     // rows inserted, deleted or reordered
        changeRow = 0x02,      // one row's texts or image
        changeState = 0x04,    // one row's state
        changeColumns = 0x08,  // columns, widths, order or arrows
        changeScroll = 0x10,   // top row or horizontal position
        changeFocusFrame = 0x20,
    };
    virtual void OnModelChanged(UINT /*u_change*/, int /*i_row*/) {}
    // A row's state changed (LVN_ITEMCHANGED).
    virtual void OnItemStateChanged(int /*i_row*/, UINT /*u_old*/, UINT /*u_new*/) {}
    // The text of a callback cell (LVN_GETDISPINFO); empty by default.
    virtual std::string GetCallbackText(int i_row, int i_col, LPARAM l_data) const;
    // The width of a text in the list's font. Without a window every
    // character is the average width.
    virtual int GetStringWidth(const std::string& s_text) const;
    // The list window that sorts set in their sort state.
    void SetOwnerCtrl(ZelListCtrl* p_ctrl) { pOwnerCtrl = p_ctrl; }
    // The "Do not sort" request is offered only where it is allowed.
    bool CanOfferNoSort() const { return bAllowNoSort && HasHeader(); }

    // Sorts by the fast path when the sort state has a compare-by-row
    // function, the list more than one row and rows 0 and 1 different item
    // data: the rows keep their texts and take the sorted item data; else
    // SortItems with the given or default comparison.
    BOOL TryFastSort(PFNLVCOMPARE pfn_compare, ZelListSort& sort);

    int iAverageCharWidth = 7;

private:
    struct Cell {
        std::string sText;
        bool bCallback = false;
    };
    struct Row {
        std::vector<Cell> vCells;
        LPARAM lData = 0;
        UINT uState = 0;
        int iImage = 0;
        int iIndent = 0;
    };
    struct Column {
        std::string sTitle;
        int iFormat = LVCFMT_LEFT;
        int iWidth = 80;
        int iSortType = sortNone;
    };
    struct ImageList {
        int iWidth = 0;
        int iHeight = 0;
        int nImages = 0;
    };

    bool ValidRow(int i_row) const { return i_row >= 0 && i_row < GetItemCount(); }
    void SetCellText(Row& row, int i_col, const char* p_text);
    void ChangeState(int i_row, UINT u_state, UINT u_mask);
    void ReorderRows(const std::vector<int>& v_order);
    void SelectRange(int i_from, int i_to, bool b_keepOthers);
    void MoveFocusTo(int i_row);
    void Notify(UINT u_change, int i_row = -1) { OnModelChanged(u_change, i_row); }
    void InvalidateIndex() { bIndexValid = false; }
    void StableSortByTexts(const ZelListSort& sort);
    void ClampTop();

    std::vector<Row> vRows;
    std::vector<Column> vColumns;
    std::vector<int> vOrder;
    ImageList aImageLists[3];
    DWORD uStyle = 0;
    DWORD uExStyle = 0;

    // The first row of each item data, rebuilt after rows move.
    mutable std::unordered_map<LPARAM, int> mDataIndex;
    mutable bool bIndexValid = true;

    int nSelected = 0;
    int iFocus = -1;
    int iAnchor = -1;
    int iTopIndex = 0;
    int iScrollX = 0;
    int iClientWidth = 0;
    int iClientHeight = 0;
    int iRowHeight = 17;
    int iHeaderHeight = 0;

    BOOL bFocusDrawn = FALSE;
    BOOL bShowSortDirection = TRUE;
    BOOL bAllowNoSort = FALSE;
    ZelListCtrl* pOwnerCtrl = nullptr;
};
