// The check-box list without its window: chosen columns of a report list
// show a check box per row instead of text.
//
// The layer sits over a list model and takes the list's row and cell
// operations in its own name: the model's item data of a row holds a key
// of the layer, the caller's item data lives in the layer, and a check
// cell's state is read and written as its decimal text ("0" to "4"). The
// model's own cell of a check column mirrors that text, so that sorting and
// column fitting, which read the model's texts, order and size check
// columns by their states. Callers of a check list use the layer's
// operations (the check list control brings them into its own scope);
// calls that go to the model directly bypass the translation.
//
// The owner is told of toggles (LVN_ITEMCHANGED with the changed flag
// uToggleChanged), of texts set on ordinary cells (LVN_SETDISPINFO) and is
// asked for the state of a callback cell (LVN_GETDISPINFO) through virtual
// operations, which the window sends as notifications.
#pragma once

#include "zelkit/lists/ZelListModel.h"

#include <map>
#include <memory>
#include <string>

// Reading a check cell: a callback state is handed back as
// LPSTR_TEXTCALLBACK rather than as its number.
constexpr UINT LVIF_NORECOMPUTE = 0x0800;
// Answering LVN_GETDISPINFO: the list keeps the answer for the cell.
constexpr UINT LVIF_DI_SETITEM = 0x1000;

class ZelCheckListLayer {
public:
    enum eState : int {
        stateUnchecked = 0,
        stateChecked = 1,
        // How a checked and an unchecked cell are drawn while the list is
        // disabled; also states of their own.
        stateCheckedGrey = 2,
        stateUncheckedGrey = 3,
        // The owner gives the state each time the cell is drawn.
        stateCallback = 4,
    };
    static constexpr int nStates = 5;
    enum eStyle : int { styleFirst = 0, styleSecond = 1 };
    // Pixels kept free at each side of a text cell.
    static constexpr int uColBorder = 4;
    // Asks GetItem for a row's key instead of the caller's item data.
    static constexpr UINT wGetKey = 0x1234;
    // The changed flags of a toggle's LVN_ITEMCHANGED.
    static constexpr UINT uToggleChanged = 0x8000;

    explicit ZelCheckListLayer(ZelListModel& list);
    virtual ~ZelCheckListLayer() = default;
    ZelCheckListLayer(const ZelCheckListLayer&) = delete;
    ZelCheckListLayer& operator=(const ZelCheckListLayer&) = delete;

    // The state a cell text stands for: a number 0 to 4; anything else 0;
    // LPSTR_TEXTCALLBACK 4.
    static int StateFromText(const char* p_text);

    // --- Check columns --------------------------------------------------
    // Only while the list is empty; TRUE when the column is (now) one.
    BOOL SetCheckColumn(UINT u_col);
    bool IsCheckColumn(int i_col) const { return mColumns.count(i_col) != 0; }
    BOOL GetCheckColumnStyle(UINT u_col, eStyle& e_style) const;
    BOOL SetCheckColumnStyle(UINT u_col, eStyle e_style);
    // The stored state; 2 for a column that does not exist or a cell
    // without a state.
    int GetCheckState(int i_row, UINT u_col) const;
    BOOL SetCheckState(int i_row, UINT u_col, int e_state);
    // Whether the row has a state for the column.
    bool HasCheckState(int i_row, int i_col) const;
    int CountItemsByState(UINT u_col, int e_state) const;
    // The rows with the state, ascending; no array when there are none.
    int GetItemsByState(std::unique_ptr<int[]>& p_rows, UINT u_col, int e_state) const;

    // --- The list's operations, translated -------------------------------
    int InsertItem(int i_row, const char* p_text, LPARAM l_data = 0);
    int InsertItem(const ZelLVItem& item);
    BOOL SetItem(const ZelLVItem& item);
    // u_wParam wGetKey hands back the row's key as item data.
    BOOL GetItem(ZelLVItem& item, UINT u_wParam = 0) const;
    BOOL SetItemText(int i_row, int i_col, const char* p_text);
    BOOL SetItemText(int i_row, int i_col, const std::string& s_text) { return SetItemText(i_row, i_col, s_text.c_str()); }
    std::string GetItemText(int i_row, int i_col) const;
    BOOL DeleteItem(int i_row);
    BOOL DeleteAllItems();
    // The first row after i_start (-1: from the first) with the caller's
    // item data; -1 when none.
    int FindItemData(LPARAM l_data, int i_start = -1) const;
    // The row with the key, -1 when none.
    int FindItemKey(int i_key) const { return List.FindItemData(i_key); }
    BOOL SetItemData(int i_row, LPARAM l_data);
    LPARAM GetItemData(int i_row) const;
    // A check column is at least as wide as its check box.
    int GetColumnWidth(int i_col) const;
    BOOL GetColumn(int i_col, std::string* p_title, int* p_format = nullptr, int* p_width = nullptr) const;
    int InsertColumn(int i_col, const std::string& s_title, int i_format = LVCFMT_LEFT, int i_width = 80);
    // Column 0's alignment is kept here for drawing.
    BOOL SetColumnFormat(int i_col, int i_format);
    // The check columns after it and the rows' states move with the
    // columns.
    BOOL DeleteColumn(int i_col);
    int GetColumn0Align() const { return iCol0Align; }

    // --- Toggling and geometry ------------------------------------------
    // The size of a check box.
    void SetCheckImageSize(int i_cx, int i_cy);
    int GetCheckImageWidth() const { return iImageCx; }
    // The check box inside a cell: centred, at least 1 pixel from the left.
    void GetCheckedRect(int i_left, int i_width, int i_top, int i_height, int& i_x, int& i_y) const;
    // The check image width for a check column, else -1.
    int GetCheckColWidth(int i_col) const { return IsCheckColumn(i_col) ? iImageCx : -1; }
    // The left edge of a column in the rows' area (display order, scrolled).
    int GetColumnLeft(int i_col) const;
    // The row whose check box holds the point (rows' area), its column in
    // i_col; -1 when the point is on no check box.
    int ColHitTest(int i_x, int i_y, int& i_col) const;
    // Checked becomes unchecked, callback stays, any other becomes checked;
    // the owner is told. FALSE when the cell has no state.
    BOOL Toggle(int i_row, int i_col);
    // A left click: toggles the check box under the point.
    BOOL ClickAt(int i_x, int i_y);
    // The space bar: toggles the focused row's first check column.
    BOOL ToggleFocused();
    // The state to draw: a callback cell's state comes from the owner.
    int FetchCheckState(int i_row, int i_col);
    // The row's key, -1 when the row does not exist.
    int GetItemKey(int i_row) const;

    // Sorting a check list: its model's item data are keys, found again by
    // key, then compared by their texts.
    static int ItemCompare(LPARAM l_key1, LPARAM l_key2, LPARAM l_sort) { return ZelListModel::ItemCompare(l_key1, l_key2, l_sort); }

protected:
    // LVN_GETDISPINFO for a callback cell: the owner's text for it (a
    // state), and LVIF_DI_SETITEM in u_mask when it is to be kept. The
    // default answers nothing.
    virtual void AskCallbackState(int i_row, int i_col, std::string& s_text, UINT& u_mask);
    // LVN_SETDISPINFO for a text set on an ordinary cell.
    virtual void NotifySetText(int /*i_row*/, int /*i_col*/, const std::string& /*s_text*/) {}
    // LVN_ITEMCHANGED for a toggle.
    virtual void NotifyChange(const ZelNMListView& /*nm*/) {}
    // Redraws a row.
    virtual void RedrawRow(int i_row) { List.RedrawItems(i_row, i_row); }

    ZelListModel& List;

private:
    struct ItemInfo {
        int iKey = 0;
        std::map<int, int> mStates; // column -> state
        LPARAM lData = 0;
    };
    ItemInfo* Info(int i_row);
    const ItemInfo* Info(int i_row) const;
    int NextKey() { return ++iKeyCounter; }
    void StoreState(int i_row, ItemInfo& info, int i_col, int e_state);
    // Moves the column numbers from i_from on by i_by.
    void ShiftColumns(int i_from, int i_by);

    std::map<int, ItemInfo> mItems;  // by key
    std::map<int, int> mColumns;     // check column -> style
    int iKeyCounter = 0;
    int iCol0Align = LVCFMT_LEFT;
    int iImageCx = 13;
    int iImageCy = 13;
};
