// The library's report list control: one window for every list of the
// program. Its rows, columns and operations are those of ZelListModel,
// from which it derives; the window draws the rows that show (a row
// painter that derived lists override), keeps a header control in step
// with the columns (sort arrows, resizing, reordering, a double click on a
// divider fits the column, a right click offers "Do not sort" where
// allowed), and turns mouse and keys into the list's selection.
//
// It tells its parent what happens through ZelNotifyEvent (ui/ZelNotifyEvent.h):
// NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_SETFOCUS, NM_KILLFOCUS,
// LVN_COLUMNCLICK (a ZelNMListView whose iSubItem is the column),
// LVN_ITEMCHANGED (a ZelNMListView) and LVN_GETDISPINFO (a ZelLVDispInfo
// for every callback cell), and queues ZLN_NOSORT when the user asks for
// no sorting.
#pragma once

#include "zelkit/lists/ZelListModel.h"

#include <array>
#include <wx/control.h>
#include <wx/headerctrl.h>

class wxListBox;
class ZelListCtrl;

// The header of a list: shows the list's columns, their widths, order and
// sort arrows.
class ZelListHeader : public wxHeaderCtrl {
public:
    explicit ZelListHeader(ZelListCtrl* p_list);
    const wxHeaderColumn& GetColumn(unsigned int u_idx) const override;

private:
    ZelListCtrl* pList;
    mutable wxHeaderColumnSimple Column{wxString()};
};

class ZelListCtrl : public wxControl, public ZelListModel {
public:
    ZelListCtrl() = default;
    ZelListCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, DWORD u_listStyle = 0, long l_style = wxBORDER_THEME);
    bool Create(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, DWORD u_listStyle = 0, long l_style = wxBORDER_THEME);
    ~ZelListCtrl() override;

    // Nested redraw suspension of the list.
    void SetRedraw(BOOL b_redraw);
    // Whether a scroll bar (wxHORIZONTAL, wxVERTICAL) shows.
    BOOL IsScrollBarVisible(int i_orient) const;

    // The list-box forms of moving rows: from a list box, each selected
    // entry's text goes to column 0 with its client data as item data;
    // to a list box, column 0's text and the item data go across.
    using ZelListModel::MoveSelFrom;
    int MoveSelFrom(wxListBox& source, std::unique_ptr<LPARAM[]>& p_data);
    int MoveSelTo(wxListBox& target, std::unique_ptr<LPARAM[]>& p_data);

    ZelListHeader* GetHeaderCtrl() const;
    // Brings the scroll bars and the header up to date now instead of when
    // the window is next idle.
    void UpdateLayout();
    // The rectangle of a row in the window's client area.
    wxRect GetRowRect(int i_row) const;
    // The space left and right of a cell's text: within the room that
    // fitting a column to its contents leaves beside the text.
    static int GetCellInset(int i_col);
    // The width of a text in the list's font, from the advance of each
    // character: quick enough to fit columns to thousands of texts, where
    // asking the toolkit to lay out each text is not.
    int GetTextWidth(const std::string& s_text) const { return GetStringWidth(s_text); }

    // Opens the header's pop-up ("Do not sort") at a point of the screen,
    // when the list allows it.
    void HdrPopup(const wxPoint& pt_screen);

protected:
    // A mouse press on the rows: the keyboard focus comes to the list
    // without scrolling it, so that the row hit is the one the user saw
    // under the pointer. The toolkit hands the focus to the window before
    // the press reaches it; the focus only asks to show its row
    // (FocusArrived), and the press, which chooses its own row, takes that
    // request back here.
    void TakeFocusForClick();
    // The row under a point of the client area, -1 for none (the header,
    // below the rows).
    int RowAtPoint(const wxPoint& pt) const;
    // Draws one row in rc_row (the whole width of the columns, scrolled).
    // Derived lists draw their rows themselves by overriding it.
    virtual void DrawRow(wxDC& dc, int i_row, const wxRect& rc_row);
    // The user asked for no sorting: by default the parent is told (queued
    // ZLN_NOSORT) and is expected to drop its sort and call ShowSort.
    virtual void OnNoSort();

    void OnModelChanged(UINT u_change, int i_row) override;
    void OnItemStateChanged(int i_row, UINT u_old, UINT u_new) override;
    std::string GetCallbackText(int i_row, int i_col, LPARAM l_data) const override;
    int GetStringWidth(const std::string& s_text) const override;

    // The colours a row is drawn with.
    void GetRowColours(int i_row, wxColour& col_back, wxColour& col_text, bool& b_filled) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnScroll(wxScrollWinEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnHeaderClick(wxHeaderCtrlEvent& event);
    void OnHeaderRightClick(wxHeaderCtrlEvent& event);
    void OnHeaderDividerDClick(wxHeaderCtrlEvent& event);
    void OnHeaderResizing(wxHeaderCtrlEvent& event);
    void OnHeaderReorder(wxHeaderCtrlEvent& event);
    void OnNoSortCommand(wxCommandEvent& event);
    void OnFontChanged();
    void ShowFocusAfterFocusIn();

    void SyncHeader();
    void UpdateScrollbars();
    void RefreshAll();
    long SendNotify(int i_code, void* p_record) const;
    wxSize DoGetBestSize() const override;

    ZelListHeader* pHeader = nullptr;
    bool bLayoutDirty = true;
    bool bHeaderDirty = true;
    bool bRefreshPending = false;
    bool bInScrollUpdate = false;
    // The focus came and its row is yet to be scrolled into view.
    bool bFocusScrollPending = false;
    int iHeaderScroll = 0;
    // The advance of each code page 1252 character in the list's font.
    mutable std::array<int, 256> aCharWidths{};
    mutable bool bCharWidthsKnown = false;
};
