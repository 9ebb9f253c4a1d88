#include "zelkit/lists/ui/ZelListCtrl.h"

#include "framework/Resources.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/windows/ui/ZelWindowServicesWx.h"

#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace {

// The command of the header pop-up's only item.
constexpr UINT ID_ZEL_NOSORT = 55024;

} // namespace

ZelListModel* ZelListModelOf(ZelListCtrl* p_ctrl) { return p_ctrl; }

ZelListHeader::ZelListHeader(ZelListCtrl* p_list) : wxHeaderCtrl(p_list, 0), pList(p_list) {}

const wxHeaderColumn& ZelListHeader::GetColumn(unsigned int u_idx) const
{
    const int i_col = static_cast<int>(u_idx);
    std::string s_title;
    int i_format = LVCFMT_LEFT;
    int i_width = 0;
    pList->GetColumn(i_col, &s_title, &i_format, &i_width);
    Column = wxHeaderColumnSimple(ToWx(s_title), i_width);
    Column.SetAlignment(i_format == LVCFMT_RIGHT    ? wxALIGN_RIGHT
                        : i_format == LVCFMT_CENTER ? wxALIGN_CENTER
                                                    : wxALIGN_LEFT);
    Column.SetMinWidth(0);
    Column.SetResizeable(true);
    Column.SetSortable(!(pList->GetListStyle() & LVS_NOSORTHEADER));
    Column.SetReorderable((pList->GetExtendedListStyle() & LVS_EX_HEADERDRAGDROP) != 0);
    const int i_sort = pList->GetHeaderSortType(i_col);
    if (i_sort != ZelListModel::sortNone)
        Column.SetSortOrder(i_sort == ZelListModel::sortAscending);
    else
        Column.UnsetAsSortKey();
    return Column;
}

ZelListCtrl::ZelListCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                         DWORD u_listStyle, long l_style)
{
    Create(p_parent, i_id, pos, size, u_listStyle, l_style);
}

bool ZelListCtrl::Create(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                         DWORD u_listStyle, long l_style)
{
    if (!wxControl::Create(p_parent, i_id, pos, size, l_style | wxVSCROLL | wxHSCROLL | wxWANTS_CHARS,
                           wxDefaultValidator, "ZelListCtrl"))
        return false;
    SetOwnerCtrl(this);
    ModifyListStyle(0, u_listStyle);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT));
    pHeader = new ZelListHeader(this);
    OnFontChanged();

    Bind(wxEVT_PAINT, &ZelListCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &ZelListCtrl::OnSize, this);
    Bind(wxEVT_IDLE, &ZelListCtrl::OnIdle, this);
    for (auto type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN,
                      wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_THUMBTRACK,
                      wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &ZelListCtrl::OnScroll, this);
    Bind(wxEVT_MOUSEWHEEL, &ZelListCtrl::OnMouseWheel, this);
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN})
        Bind(type, &ZelListCtrl::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &ZelListCtrl::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &ZelListCtrl::OnSetFocus, this);
    Bind(wxEVT_KILL_FOCUS, &ZelListCtrl::OnKillFocus, this);
    pHeader->Bind(wxEVT_HEADER_CLICK, &ZelListCtrl::OnHeaderClick, this);
    pHeader->Bind(wxEVT_HEADER_RIGHT_CLICK, &ZelListCtrl::OnHeaderRightClick, this);
    pHeader->Bind(wxEVT_HEADER_SEPARATOR_DCLICK, &ZelListCtrl::OnHeaderDividerDClick, this);
    pHeader->Bind(wxEVT_HEADER_RESIZING, &ZelListCtrl::OnHeaderResizing, this);
    pHeader->Bind(wxEVT_HEADER_END_RESIZE, &ZelListCtrl::OnHeaderResizing, this);
    pHeader->Bind(wxEVT_HEADER_END_REORDER, &ZelListCtrl::OnHeaderReorder, this);
    Bind(wxEVT_MENU, &ZelListCtrl::OnNoSortCommand, this, WxId(ID_ZEL_NOSORT));
    UpdateLayout();
    return true;
}

ZelListCtrl::~ZelListCtrl()
{
    // The window goes on receiving focus and paint events while its base
    // tears it down, after the list's own parts are gone.
    Unbind(wxEVT_PAINT, &ZelListCtrl::OnPaint, this);
    Unbind(wxEVT_SIZE, &ZelListCtrl::OnSize, this);
    Unbind(wxEVT_IDLE, &ZelListCtrl::OnIdle, this);
    Unbind(wxEVT_SET_FOCUS, &ZelListCtrl::OnSetFocus, this);
    Unbind(wxEVT_KILL_FOCUS, &ZelListCtrl::OnKillFocus, this);
    pHeader = nullptr;
    ZelSetRedrawRemove(this);
}

void ZelListCtrl::SetRedraw(BOOL b_redraw) { ZelSetRedraw(this, b_redraw); }

ZelListHeader* ZelListCtrl::GetHeaderCtrl() const { return pHeader; }

wxSize ZelListCtrl::DoGetBestSize() const { return FromDIP(wxSize(200, 120)); }

void ZelListCtrl::OnFontChanged()
{
    bCharWidthsKnown = false;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    SetRowHeight(dc.GetCharHeight() + FromDIP(4));
    bLayoutDirty = true;
}

// ------------------------------------------------------------- model hooks

void ZelListCtrl::RefreshAll()
{
    if (!bRefreshPending) {
        bRefreshPending = true;
        Refresh(false);
    }
}

void ZelListCtrl::OnModelChanged(UINT u_change, int i_row)
{
    if (pHeader == nullptr)
        return;
    if (u_change & (changeRows | changeColumns | changeScroll))
        bLayoutDirty = true;
    if (u_change & changeColumns)
        bHeaderDirty = true;
    if (u_change & (changeRows | changeColumns | changeScroll | changeFocusFrame)) {
        RefreshAll();
        return;
    }
    if ((u_change & (changeRow | changeState)) && !bRefreshPending) {
        const wxRect rc = GetRowRect(i_row);
        if (rc.Intersects(wxRect(GetClientSize())))
            RefreshRect(rc, false);
    }
}

void ZelListCtrl::OnItemStateChanged(int i_row, UINT u_old, UINT u_new)
{
    ZelNMListView nm;
    nm.iItem = i_row;
    nm.uOldState = u_old;
    nm.uNewState = u_new;
    nm.uChanged = LVIF_STATE;
    nm.lParam = GetItemData(i_row);
    SendNotify(LVN_ITEMCHANGED, &nm);
}

std::string ZelListCtrl::GetCallbackText(int i_row, int i_col, LPARAM l_data) const
{
    ZelLVDispInfo info;
    info.item.uMask = LVIF_TEXT;
    info.item.iItem = i_row;
    info.item.iSubItem = i_col;
    info.item.lParam = l_data;
    info.iTextMax = INT32_MAX;
    SendNotify(LVN_GETDISPINFO, &info);
    return info.item.sText;
}

int ZelListCtrl::GetStringWidth(const std::string& s_text) const
{
    // Texts are measured character by character from one table per font,
    // so that fitting columns to thousands of rows stays quick.
    if (!bCharWidthsKnown) {
        wxClientDC dc(const_cast<ZelListCtrl*>(this));
        dc.SetFont(GetFont());
        for (int i = 0; i < 256; ++i) {
            const std::string s_char(1, static_cast<char>(i));
            aCharWidths[i] = i < 32 ? 0 : dc.GetTextExtent(ToWx(s_char)).x;
        }
        bCharWidthsKnown = true;
    }
    int i_width = 0;
    for (unsigned char c : s_text)
        i_width += aCharWidths[c];
    return i_width;
}

long ZelListCtrl::SendNotify(int i_code, void* p_record) const
{
    return ZelSendNotify(const_cast<ZelListCtrl*>(this), i_code, p_record);
}

// ------------------------------------------------------------------ layout

void ZelListCtrl::SyncHeader()
{
    bHeaderDirty = false;
    const unsigned u_count = static_cast<unsigned>(GetColumnCount());
    if (pHeader->GetColumnCount() != u_count)
        pHeader->SetColumnCount(u_count);
    // The header reads its columns from the list as it paints: one repaint
    // shows them all. Updating column by column would ask the toolkit to
    // repaint from each column's start to the header's end, a rectangle
    // of negative width for a column that starts beyond the header's
    // right edge.
    pHeader->Refresh();
    std::vector<int> v_order;
    GetColumnOrderArray(v_order);
    const wxArrayInt a_shown = pHeader->GetColumnsOrder();
    if (std::vector<int>(a_shown.begin(), a_shown.end()) != v_order) {
        wxArrayInt a_order;
        for (int i : v_order)
            a_order.push_back(i);
        pHeader->SetColumnsOrder(a_order);
    }
}

void ZelListCtrl::UpdateScrollbars()
{
    if (bInScrollUpdate)
        return;
    bInScrollUpdate = true;
    // Setting a bar may change the client size: twice settles it.
    for (int i = 0; i < 2; ++i) {
        const wxSize sz = GetClientSize();
        const int i_header = HasHeader() ? pHeader->GetBestSize().y : 0;
        SetHeaderHeight(i_header);
        SetRowsArea(sz.x, sz.y - i_header);
        const int n_page = std::max(1, GetCountPerPage());
        SetScrollbar(wxVERTICAL, GetTopIndex(), n_page, GetItemCount() > n_page ? GetItemCount() : 0);
        const int i_total = GetTotalColumnWidth();
        SetScrollbar(wxHORIZONTAL, GetScrollX(), sz.x, i_total > sz.x ? i_total : 0);
        SetScrollX(GetScrollX());
    }
    bInScrollUpdate = false;
}

void ZelListCtrl::UpdateLayout()
{
    if (pHeader == nullptr)
        return;
    if (bHeaderDirty)
        SyncHeader();
    bLayoutDirty = false;
    pHeader->Show(HasHeader());
    UpdateScrollbars();
    const wxSize sz = GetClientSize();
    pHeader->SetSize(0, 0, sz.x, GetHeaderHeight());
    // The header follows the rows' horizontal scrolling.
    if (iHeaderScroll != GetScrollX()) {
        pHeader->ScrollWindow(iHeaderScroll - GetScrollX(), 0);
        iHeaderScroll = GetScrollX();
    }
}

wxRect ZelListCtrl::GetRowRect(int i_row) const
{
    return wxRect(-GetScrollX(), GetHeaderHeight() + (i_row - GetTopIndex()) * GetRowHeight(),
                  std::max(GetTotalColumnWidth(), GetClientSize().x + GetScrollX()), GetRowHeight());
}

void ZelListCtrl::OnSize(wxSizeEvent&)
{
    UpdateLayout();
    RefreshAll();
}

void ZelListCtrl::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (bLayoutDirty || bHeaderDirty)
        UpdateLayout();
}

BOOL ZelListCtrl::IsScrollBarVisible(int i_orient) const
{
    const int i_range = GetScrollRange(i_orient);
    return i_range > 0 && GetScrollThumb(i_orient) < i_range;
}

// ---------------------------------------------------------------- painting

void ZelListCtrl::GetRowColours(int i_row, wxColour& col_back, wxColour& col_text, bool& b_filled) const
{
    const bool b_selected = GetItemState(i_row, LVIS_SELECTED) != 0;
    const bool b_focusWindow = HasFocus();
    b_filled = b_selected && (b_focusWindow || (GetListStyle() & LVS_SHOWSELALWAYS));
    if (!b_filled) {
        col_back = GetBackgroundColour();
        col_text = GetForegroundColour();
    } else if (b_focusWindow) {
        col_back = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        col_text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    } else {
        col_back = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
        col_text = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
    }
}

int ZelListCtrl::GetCellInset(int i_col)
{
    // AutoSizeColumns gives the first column 8 pixels beyond its text and
    // the others 16.
    return i_col == 0 ? 4 : 6;
}

void ZelListCtrl::DrawRow(wxDC& dc, int i_row, const wxRect& rc_row)
{
    wxColour col_back, col_text;
    bool b_filled = false;
    GetRowColours(i_row, col_back, col_text, b_filled);
    const bool b_fullRow = (GetExtendedListStyle() & LVS_EX_FULLROWSELECT) != 0;
    std::vector<int> v_order;
    GetColumnOrderArray(v_order);
    int i_x = rc_row.x;
    for (int i_col : v_order) {
        const int i_width = GetColumnWidth(i_col);
        const wxRect rc_cell(i_x, rc_row.y, i_width, rc_row.height);
        i_x += i_width;
        if (i_width <= 0)
            continue;
        const bool b_cellFilled = b_filled && (b_fullRow || i_col == 0);
        if (b_cellFilled) {
            dc.SetBrush(wxBrush(col_back));
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.DrawRectangle(rc_cell);
        }
        dc.SetTextForeground(b_cellFilled ? col_text : GetForegroundColour());
        int i_format = LVCFMT_LEFT;
        GetColumn(i_col, nullptr, &i_format);
        const wxRect rc_text = rc_cell.Deflate(GetCellInset(i_col), 0);
        if (rc_text.width <= 0)
            continue;
        const wxString s_text = ToWx(GetItemText(i_row, i_col));
        const int i_align = wxALIGN_CENTER_VERTICAL
                            | (i_format == LVCFMT_RIGHT    ? wxALIGN_RIGHT
                               : i_format == LVCFMT_CENTER ? wxALIGN_CENTER_HORIZONTAL
                                                           : wxALIGN_LEFT);
        wxDCClipper clip(dc, rc_text);
        dc.DrawLabel(s_text, rc_text, i_align);
    }
    if (GetItemState(i_row, LVIS_FOCUSED) && HasFocus()) {
        const wxRect rc_focus(rc_row.x, rc_row.y, std::max(1, GetTotalColumnWidth()), rc_row.height);
        wxRendererNative::Get().DrawFocusRect(this, dc, rc_focus, 0);
    }
}

void ZelListCtrl::OnPaint(wxPaintEvent&)
{
    bRefreshPending = false;
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.SetFont(GetFont());
    const wxSize sz = GetClientSize();
    const int i_first = GetTopIndex();
    const int i_last = std::min(GetItemCount() - 1, i_first + GetCountPerPage());
    const wxRegion& update = GetUpdateRegion();
    for (int i_row = i_first; i_row <= i_last; ++i_row) {
        const wxRect rc_row = GetRowRect(i_row);
        if (update.Contains(wxRect(0, rc_row.y, sz.x, rc_row.height)) != wxOutRegion)
            DrawRow(dc, i_row, rc_row);
    }
    if (GetItemCount() == 0 && IsFocusDrawn()) {
        int i_left = 0, i_top = 0, i_right = 0, i_bottom = 0;
        GetEmptyFocusRect(i_left, i_top, i_right, i_bottom);
        const wxRect rc_focus(i_left, GetHeaderHeight() + i_top, std::max(1, i_right - i_left), i_bottom - i_top);
        wxRendererNative::Get().DrawFocusRect(this, dc, rc_focus, 0);
    }
}

// ------------------------------------------------------------------- input

void ZelListCtrl::OnScroll(wxScrollWinEvent& event)
{
    const bool b_vertical = event.GetOrientation() == wxVERTICAL;
    const int i_page = b_vertical ? std::max(1, GetCountPerPage()) : std::max(1, GetRowsAreaWidth());
    const int i_line = b_vertical ? 1 : std::max(1, GetRowHeight());
    int i_pos = b_vertical ? GetTopIndex() : GetScrollX();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_SCROLLWIN_TOP)
        i_pos = 0;
    else if (type == wxEVT_SCROLLWIN_BOTTOM)
        i_pos = INT32_MAX / 2;
    else if (type == wxEVT_SCROLLWIN_LINEUP)
        i_pos -= i_line;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN)
        i_pos += i_line;
    else if (type == wxEVT_SCROLLWIN_PAGEUP)
        i_pos -= i_page;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN)
        i_pos += i_page;
    else
        i_pos = event.GetPosition();
    if (b_vertical)
        SetTopIndex(i_pos);
    else
        SetScrollX(i_pos);
    UpdateLayout();
}

void ZelListCtrl::OnMouseWheel(wxMouseEvent& event)
{
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || event.GetWheelDelta() == 0) {
        event.Skip();
        return;
    }
    const int n_lines = event.GetLinesPerAction() > 0 ? event.GetLinesPerAction() : 3;
    SetTopIndex(GetTopIndex() - event.GetWheelRotation() / event.GetWheelDelta() * n_lines);
    UpdateLayout();
}

int ZelListCtrl::RowAtPoint(const wxPoint& pt) const
{
    return pt.y >= GetHeaderHeight() ? RowHitTest(pt.x, pt.y - GetHeaderHeight()) : -1;
}

void ZelListCtrl::TakeFocusForClick()
{
    bFocusScrollPending = false;
    if (HasFocus())
        return;
    const int i_top = GetTopIndex();
    const int i_x = GetScrollX();
    SetFocus();
    bFocusScrollPending = false;
    SetTopIndex(i_top);
    SetScrollX(i_x);
}

void ZelListCtrl::OnMouse(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    const int i_row = RowAtPoint(pt);
    TakeFocusForClick();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_RIGHT_DOWN) {
        // A right click selects a row that is not selected yet.
        if (i_row >= 0 && !GetItemState(i_row, LVIS_SELECTED))
            ClickRow(i_row, false, false);
        SendNotify(NM_RCLICK, nullptr);
        return;
    }
    if (type == wxEVT_LEFT_DCLICK) {
        SendNotify(NM_DBLCLK, nullptr);
        return;
    }
    ClickRow(i_row, event.ShiftDown(), event.ControlDown());
    UpdateLayout();
    SendNotify(NM_CLICK, nullptr);
}

void ZelListCtrl::OnKeyDown(wxKeyEvent& event)
{
    ZelListKey e_key;
    switch (event.GetKeyCode()) {
    case WXK_UP: e_key = ZelListKey::Up; break;
    case WXK_DOWN: e_key = ZelListKey::Down; break;
    case WXK_PAGEUP: e_key = ZelListKey::PageUp; break;
    case WXK_PAGEDOWN: e_key = ZelListKey::PageDown; break;
    case WXK_HOME: e_key = ZelListKey::Home; break;
    case WXK_END: e_key = ZelListKey::End; break;
    case WXK_SPACE: e_key = ZelListKey::Space; break;
    case 'A':
        if (event.GetModifiers() != wxMOD_CONTROL) {
            event.Skip();
            return;
        }
        e_key = ZelListKey::All;
        break;
    case WXK_TAB:
        Navigate(event.ShiftDown() ? wxNavigationKeyEvent::IsBackward : wxNavigationKeyEvent::IsForward);
        return;
    case WXK_LEFT:
    case WXK_RIGHT:
        SetScrollX(GetScrollX() + (event.GetKeyCode() == WXK_LEFT ? -1 : 1) * GetRowHeight());
        UpdateLayout();
        return;
    default:
        event.Skip();
        return;
    }
    if (KeyDown(e_key, event.ShiftDown(), event.ControlDown()))
        UpdateLayout();
    else
        event.Skip();
}

void ZelListCtrl::OnSetFocus(wxFocusEvent& event)
{
    event.Skip();
    if (event.GetWindow() != this) {
        // The focused row is shown once the event that brought the focus is
        // done: a mouse press that brought it picks its row from the rows
        // on screen, and must find them where the user saw them.
        DrawFocus(TRUE, FALSE);
        bFocusScrollPending = true;
        CallAfter(&ZelListCtrl::ShowFocusAfterFocusIn);
    }
    UpdateLayout();
    RefreshAll();
    SendNotify(NM_SETFOCUS, nullptr);
}

void ZelListCtrl::ShowFocusAfterFocusIn()
{
    if (!bFocusScrollPending)
        return;
    bFocusScrollPending = false;
    if (HasFocus()) {
        EnsureFocusVisible(FALSE);
        UpdateLayout();
    }
}

void ZelListCtrl::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    DrawFocus(FALSE, TRUE);
    RefreshAll();
    SendNotify(NM_KILLFOCUS, nullptr);
}

// ------------------------------------------------------------------ header

void ZelListCtrl::OnHeaderClick(wxHeaderCtrlEvent& event)
{
    if (GetListStyle() & LVS_NOSORTHEADER)
        return;
    ZelNMListView nm;
    nm.iItem = -1;
    nm.iSubItem = event.GetColumn();
    SendNotify(LVN_COLUMNCLICK, &nm);
}

void ZelListCtrl::OnHeaderRightClick(wxHeaderCtrlEvent& event)
{
    if (event.GetColumn() < 0 || event.GetColumn() >= GetColumnCount())
        return;
    HdrPopup(wxGetMousePosition());
}

void ZelListCtrl::HdrPopup(const wxPoint& pt_screen)
{
    if (!CanOfferNoSort())
        return;
    std::string s_prompt;
    {
        ZelLocalResource local;
        LoadResourceString(ID_ZEL_NOSORT, s_prompt);
    }
    wxMenu menu;
    menu.Append(WxId(ID_ZEL_NOSORT), "Do not &sort", ToWx(s_prompt));
    PopupMenu(&menu, ScreenToClient(pt_screen));
}

void ZelListCtrl::OnNoSortCommand(wxCommandEvent&) { OnNoSort(); }

void ZelListCtrl::OnNoSort() { ZelPostNotify(GetParent(), this, ZLN_NOSORT, 0); }

void ZelListCtrl::OnHeaderDividerDClick(wxHeaderCtrlEvent& event)
{
    const int i_col = event.GetColumn();
    AutoSizeColumns(i_col, i_col);
    std::vector<int> v_order;
    GetColumnOrderArray(v_order);
    // The last column fills the width again.
    if (!v_order.empty() && i_col != v_order.back())
        AutoSizeColumns(v_order.back(), v_order.back());
    UpdateLayout();
}

void ZelListCtrl::OnHeaderResizing(wxHeaderCtrlEvent& event)
{
    SetColumnWidth(event.GetColumn(), event.GetWidth());
    UpdateLayout();
}

void ZelListCtrl::OnHeaderReorder(wxHeaderCtrlEvent& event)
{
    std::vector<int> v_order;
    GetColumnOrderArray(v_order);
    wxArrayInt a_order;
    for (int i : v_order)
        a_order.push_back(i);
    wxHeaderCtrl::MoveColumnInOrderArray(a_order, static_cast<unsigned>(event.GetColumn()),
                                         static_cast<unsigned>(event.GetNewOrder()));
    SetColumnOrderArray(std::vector<int>(a_order.begin(), a_order.end()));
    // The header has moved the column itself.
    bHeaderDirty = false;
    event.Skip();
}

// ----------------------------------------------------------- list boxes

int ZelListCtrl::MoveSelFrom(wxListBox& source, std::unique_ptr<LPARAM[]>& p_data)
{
    p_data.reset();
    wxArrayInt a_sel;
    const int n_sel = source.GetSelections(a_sel);
    if (n_sel < 1)
        return n_sel < 0 ? -1 : 0;
    std::sort(a_sel.begin(), a_sel.end());
    p_data = std::make_unique<LPARAM[]>(static_cast<std::size_t>(n_sel));
    int n_moved = 0;
    for (int i_entry : a_sel) {
        const LPARAM l_data = reinterpret_cast<LPARAM>(source.GetClientData(static_cast<unsigned>(i_entry)));
        const std::string s_text = FromWx(source.GetString(static_cast<unsigned>(i_entry))).value_or(std::string());
        const int i_row = InsertItem(GetItemCount(), s_text.c_str(), l_data);
        if (i_row < 0)
            break;
        SelectItem(i_row);
        p_data[n_moved++] = l_data;
    }
    for (int i_entry : a_sel)
        source.Deselect(i_entry);
    for (int i = n_moved - 1; i >= 0; --i)
        source.Delete(static_cast<unsigned>(a_sel[i]));
    return n_moved;
}

int ZelListCtrl::MoveSelTo(wxListBox& target, std::unique_ptr<LPARAM[]>& p_data)
{
    p_data.reset();
    ZelArray<UINT> a_rows;
    const int n_sel = GetSelItems(a_rows);
    if (n_sel < 1)
        return 0;
    p_data = std::make_unique<LPARAM[]>(static_cast<std::size_t>(n_sel));
    int n_moved = 0;
    for (int i = 0; i < n_sel; ++i) {
        const int i_row = static_cast<int>(a_rows[i]);
        const LPARAM l_data = GetItemData(i_row);
        const int i_entry = target.Append(ToWx(GetItemText(i_row, 0)), reinterpret_cast<void*>(l_data));
        if (i_entry < 0)
            break;
        p_data[n_moved++] = l_data;
    }
    for (int i = n_moved - 1; i >= 0; --i)
        DeleteItem(static_cast<int>(a_rows[i]));
    return n_moved;
}
