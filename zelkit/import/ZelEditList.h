// The in-place editing list without its window: which columns are
// editable and with what editor, where the editor goes over a cell, and the
// rules by which an ended edit is taken (trimmed, unique in its column,
// not empty) or refused. The window (ui/ZelEditListCtrl.h) opens the
// editor and applies these rules.
#pragma once

#include "framework/Types.h"
#include "zelkit/dialogs/ZelSizingLayout.h"

#include <string>
#include <vector>

class ZelListModel;

// The records the editing list notifies its parent with (ZelNotifyEvent).
// ZLN_EDITTYPE: which editor the cell takes; the parent answers eType
// (0 to 2) and extra window styles.
struct ZelEditTypeInfo {
    int iRow = -1;
    int iCol = -1;
    int iOne = 1;
    int eType = 0;
    DWORD uStyle = 0;
};
// LVN_BEGINLABELEDIT: the editor is open (a list box is filled here). The
// editor is the window object (a wxTextCtrl or wxListBox).
struct ZelEditBeginInfo {
    int iRow = -1;
    int iCol = -1;
    void* pEditor = nullptr;
};
// LVN_ENDLABELEDIT: the edit ended; uError is the string id of the error
// shown, 0 when none.
struct ZelEditEndInfo {
    int iRow = -1;
    int iCol = -1;
    UINT uError = 0;
    BOOL bCancelled = FALSE;
};

class ZelEditListRules {
public:
    enum EditType : int { editBox = 0, editNone = 1, editListBox = 2, editAsk = 3 };
    struct EditColumn {
        int iColumn = 0;
        EditType eType = editBox;
        BOOL bUnique = FALSE;
        BOOL bAllowEmpty = FALSE;
    };
    // The control id of the editor window.
    static constexpr int iEditCtrlID = 8;
    // "The value '%1' is already used.  Enter a different value."
    static constexpr UINT IDS_VALUE_USED = 56012;
    // "You must enter a value."
    static constexpr UINT IDS_VALUE_EMPTY = 56013;

    // Replaces the column's entry or appends one.
    void AddEditColumn(int i_col, EditType e_type, int b_unique, int b_allowEmpty);
    // The column's entry; for -1 the first added; null when none.
    const EditColumn* FindColumn(int i_col) const;
    int GetEditColumnCount() const { return static_cast<int>(vColumns.size()); }

    // What ending an edit does with the editor's value.
    struct EndResult {
        std::string sValue; // trimmed
        bool bStore = false;
        UINT uError = 0;
    };
    // i_usedRow: the row other than the edited one that holds the trimmed
    // value in the column (Find), -1 when none.
    static EndResult DecideEnd(const std::string& s_raw, bool b_cancelled, const EditColumn& col, int i_usedRow);
    // Leading and trailing white space removed.
    static std::string Trim(const std::string& s_text);
    // The highest row other than i_skip whose text in the column is the
    // text (byte for byte); -1 when none.
    static int Find(const ZelListModel& list, int i_col, const std::string& s_text, int i_skip);

    // Where a cell is in the rows' area: from the row's rectangle, the
    // columns before it by index, its width, cut at the client's right.
    static ZelRect CellRect(const ZelListModel& list, const ZelRect& rc_row, int i_col, int i_clientRight);
    // An edit box: 2 pixels above and below the cell, inside the client.
    static ZelRect EditBoxRect(const ZelRect& rc_cell, int i_clientBottom);
    // A list box: half the client high, downward from the cell's top when
    // it fits, else upward ending at the cell's bottom (b_upward set).
    static ZelRect ListBoxRect(const ZelRect& rc_cell, int i_clientTop, int i_clientBottom, bool& b_upward);
    // Fits a list box to its entries: as wide as the widest text plus a
    // scroll bar (moved left, not past 0, to stay in the client), never
    // taller than the entries, shrinking toward where it opened.
    static ZelRect FitListBox(const ZelRect& rc_box, bool b_upward, int i_widest, int i_scrollWidth, int i_clientWidth,
                              int i_entriesHeight);

private:
    std::vector<EditColumn> vColumns;
};
