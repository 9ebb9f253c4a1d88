#include "zelkit/import/ui/ZelCheckListCtrl.h"

#include "framework/ui/WxText.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <algorithm>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/renderer.h>
#include <wx/settings.h>

ZelCheckListCtrl::ZelCheckListCtrl() : ZelCheckListLayer(static_cast<ZelListModel&>(*this)) {}

ZelCheckListCtrl::ZelCheckListCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                                   DWORD u_listStyle, long l_style)
    : ZelCheckListLayer(static_cast<ZelListModel&>(*this))
{
    Create(p_parent, i_id, pos, size, u_listStyle, l_style);
}

bool ZelCheckListCtrl::Create(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                              DWORD u_listStyle, long l_style)
{
    if (!ZelListCtrl::Create(p_parent, i_id, pos, size, u_listStyle | LVS_OWNERDRAWFIXED, l_style))
        return false;
    MeasureCheckBox();
    BindCheckEvents();
    return true;
}

void ZelCheckListCtrl::MeasureCheckBox()
{
    const wxSize sz = wxRendererNative::Get().GetCheckBoxSize(this);
    SetCheckImageSize(sz.x, sz.y);
    // A row is at least as high as a check box.
    if (GetRowHeight() < sz.y + 2)
        SetRowHeight(sz.y + 2);
}

void ZelCheckListCtrl::BindCheckEvents()
{
    // Bound after the list's own handlers, so these run first.
    Bind(wxEVT_LEFT_DOWN, &ZelCheckListCtrl::OnCheckLeftDown, this);
    Bind(wxEVT_KEY_DOWN, &ZelCheckListCtrl::OnCheckKeyDown, this);
    Bind(wxEVT_DPI_CHANGED, &ZelCheckListCtrl::OnDpiChanged, this);
}

void ZelCheckListCtrl::OnDpiChanged(wxDPIChangedEvent& event)
{
    event.Skip();
    MeasureCheckBox();
}

void ZelCheckListCtrl::OnCheckLeftDown(wxMouseEvent& event)
{
    // The click selects and focuses the row as in any list first; the
    // check box under it toggles afterwards.
    event.Skip();
    const wxPoint pt = event.GetPosition();
    if (pt.y < GetHeaderHeight())
        return;
    int i_col = -1;
    const int i_row = ColHitTest(pt.x, pt.y - GetHeaderHeight(), i_col);
    if (i_row < 0)
        return;
    const int i_key = GetItemKey(i_row);
    CallAfter([this, i_key, i_col] {
        const int i_now = FindItemKey(i_key);
        if (i_now >= 0)
            Toggle(i_now, i_col);
    });
}

void ZelCheckListCtrl::OnCheckKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_SPACE && !event.HasAnyModifiers())
        ToggleFocused();
    event.Skip();
}

int ZelCheckListCtrl::RendererFlags(int i_state)
{
    switch (i_state) {
    case stateChecked: return wxCONTROL_CHECKED;
    case stateCheckedGrey: return wxCONTROL_CHECKED | wxCONTROL_DISABLED;
    case stateUncheckedGrey: return wxCONTROL_DISABLED;
    // The owner's state: a box with a mark of its own.
    case stateCallback: return wxCONTROL_UNDETERMINED;
    default: return 0;
    }
}

void ZelCheckListCtrl::DrawRow(wxDC& dc, int i_row, const wxRect& rc_row)
{
    const bool b_enabled = IsEnabled();
    const bool b_selected = GetItemState(i_row, LVIS_SELECTED) != 0
                            && (b_enabled || (GetListStyle() & LVS_SHOWSELALWAYS));
    wxColour col_back = b_enabled ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)
                                  : wxSystemSettings::GetColour(wxSYS_COLOUR_INACTIVEBORDER);
    wxColour col_text = b_enabled ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)
                                  : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    if (b_selected) {
        col_back = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        col_text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    }
    const wxRect rc_fill(rc_row.x, rc_row.y, std::max(rc_row.width, GetClientSize().x + GetScrollX()), rc_row.height);
    dc.SetBrush(wxBrush(col_back));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rc_fill);
    if (GetItemState(i_row, LVIS_FOCUSED))
        SetFocusDrawn(FALSE);
    dc.SetTextForeground(col_text);

    std::vector<int> v_order;
    GetColumnOrderArray(v_order);
    int i_x = rc_row.x;
    for (int i_col : v_order) {
        const int i_width = GetColumnWidth(i_col);
        const wxRect rc_cell(i_x, rc_row.y, i_width, rc_row.height);
        i_x += i_width;
        if (i_width <= 0)
            continue;
        if (HasCheckState(i_row, i_col)) {
            int i_state = FetchCheckState(i_row, i_col);
            if (!b_enabled)
                i_state = i_state == stateUnchecked ? stateUncheckedGrey
                          : i_state == stateChecked ? stateCheckedGrey
                                                    : i_state;
            int i_bx = 0, i_by = 0;
            GetCheckedRect(rc_cell.x, rc_cell.width, rc_cell.y, rc_cell.height, i_bx, i_by);
            const wxSize sz = wxRendererNative::Get().GetCheckBoxSize(this);
            wxDCClipper clip(dc, rc_cell);
            if (i_state == stateCheckedGrey || i_state == stateUncheckedGrey) {
                // Themes differ in how they grey a box, some not at all: the
                // box is drawn apart and greyed as a disabled image is.
                wxBitmap bmp(sz);
                {
                    wxMemoryDC dc_box(bmp);
                    dc_box.SetBackground(wxBrush(col_back));
                    dc_box.Clear();
                    wxRendererNative::Get().DrawCheckBox(this, dc_box, wxRect(sz), RendererFlags(i_state));
                }
                dc.DrawBitmap(bmp.ConvertToDisabled(), i_bx, i_by);
            } else {
                wxRendererNative::Get().DrawCheckBox(this, dc, wxRect(wxPoint(i_bx, i_by), sz), RendererFlags(i_state));
            }
            continue;
        }
        wxRect rc_text = rc_cell.Deflate(uColBorder, 0);
        if (rc_text.width <= 0)
            continue;
        int i_format = i_col == 0 ? GetColumn0Align() : LVCFMT_LEFT;
        if (i_col != 0)
            GetColumn(i_col, nullptr, &i_format);
        const int i_align = wxALIGN_CENTER_VERTICAL
                            | (i_format == LVCFMT_RIGHT    ? wxALIGN_RIGHT
                               : i_format == LVCFMT_CENTER ? wxALIGN_CENTER_HORIZONTAL
                                                           : wxALIGN_LEFT);
        wxDCClipper clip(dc, rc_text);
        dc.DrawLabel(ToWx(GetItemText(i_row, i_col)), rc_text, i_align);
    }
    if (HasFocus() && GetItemCount() > 0 && GetItemState(i_row, LVIS_FOCUSED)) {
        const wxRect rc_focus(rc_row.x, rc_row.y, std::max(1, GetTotalColumnWidth()), rc_row.height);
        wxRendererNative::Get().DrawFocusRect(this, dc, rc_focus, 0);
    }
}

void ZelCheckListCtrl::OnItemStateChanged(int i_row, UINT u_old, UINT u_new)
{
    ZelNMListView nm;
    nm.iItem = i_row;
    nm.uOldState = u_old;
    nm.uNewState = u_new;
    nm.uChanged = LVIF_STATE;
    nm.lParam = ZelCheckListLayer::GetItemData(i_row);
    ZelSendNotify(this, LVN_ITEMCHANGED, &nm);
}

std::string ZelCheckListCtrl::GetCallbackText(int i_row, int i_col, LPARAM) const
{
    // The parent knows its rows by its own item data, not the keys.
    return ZelListCtrl::GetCallbackText(i_row, i_col, ZelCheckListLayer::GetItemData(i_row));
}

void ZelCheckListCtrl::AskCallbackState(int i_row, int i_col, std::string& s_text, UINT& u_mask)
{
    ZelLVDispInfo info;
    info.item.uMask = LVIF_TEXT;
    info.item.iItem = i_row;
    info.item.iSubItem = i_col;
    info.item.lParam = ZelCheckListLayer::GetItemData(i_row);
    info.iTextMax = 16;
    ZelSendNotify(this, LVN_GETDISPINFO, &info);
    s_text = info.item.sText.substr(0, 15);
    u_mask = info.item.uMask;
}

void ZelCheckListCtrl::NotifySetText(int i_row, int i_col, const std::string& s_text)
{
    ZelLVDispInfo info;
    info.item.uMask = LVIF_TEXT;
    info.item.iItem = i_row;
    info.item.iSubItem = i_col;
    info.item.sText = s_text;
    info.item.lParam = ZelCheckListLayer::GetItemData(i_row);
    ZelSendNotify(this, LVN_SETDISPINFO, &info);
}

void ZelCheckListCtrl::NotifyChange(const ZelNMListView& nm)
{
    ZelNMListView copy = nm;
    ZelSendNotify(this, LVN_ITEMCHANGED, &copy);
}

void ZelCheckListCtrl::RedrawRow(int i_row) { RedrawItems(i_row, i_row); }
