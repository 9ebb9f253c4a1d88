// The check-box list control: a report list (ZelListCtrl) whose check
// columns show a check box per row, drawn by the desktop's renderer.
// The rows, texts, item data and states go through the check layer
// (ZelCheckList.h), whose operations this class takes as its own.
//
// The parent is told, through ZelNotifyEvent, of a toggle by mouse or space
// bar (LVN_ITEMCHANGED, a ZelNMListView with the old and new states and
// uChanged uToggleChanged) and of texts set on ordinary cells
// (LVN_SETDISPINFO, a ZelLVDispInfo), and is asked for the state of a
// callback cell as it is drawn (LVN_GETDISPINFO, answered at once: the text
// of the state, LVIF_DI_SETITEM in the mask to have it kept).
#pragma once

#include "zelkit/import/ZelCheckList.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

class ZelCheckListCtrl : public ZelListCtrl, public ZelCheckListLayer {
public:
    ZelCheckListCtrl();
    ZelCheckListCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, DWORD u_listStyle = 0, long l_style = wxBORDER_THEME);
    bool Create(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, DWORD u_listStyle = 0, long l_style = wxBORDER_THEME);

    using ZelCheckListLayer::DeleteAllItems;
    using ZelCheckListLayer::DeleteColumn;
    using ZelCheckListLayer::DeleteItem;
    using ZelCheckListLayer::FindItemData;
    using ZelCheckListLayer::GetColumn;
    using ZelCheckListLayer::GetColumnWidth;
    using ZelCheckListLayer::GetItem;
    using ZelCheckListLayer::GetItemData;
    using ZelCheckListLayer::GetItemText;
    using ZelCheckListLayer::InsertColumn;
    using ZelCheckListLayer::InsertItem;
    using ZelCheckListLayer::SetItem;
    using ZelCheckListLayer::SetItemData;
    using ZelCheckListLayer::SetItemText;

    // The check box's state in the renderer's terms for a drawn state.
    static int RendererFlags(int i_state);

protected:
    void DrawRow(wxDC& dc, int i_row, const wxRect& rc_row) override;
    void OnItemStateChanged(int i_row, UINT u_old, UINT u_new) override;
    std::string GetCallbackText(int i_row, int i_col, LPARAM l_data) const override;

    void AskCallbackState(int i_row, int i_col, std::string& s_text, UINT& u_mask) override;
    void NotifySetText(int i_row, int i_col, const std::string& s_text) override;
    void NotifyChange(const ZelNMListView& nm) override;
    void RedrawRow(int i_row) override;

private:
    void BindCheckEvents();
    void OnCheckLeftDown(wxMouseEvent& event);
    void OnCheckKeyDown(wxKeyEvent& event);
    void OnDpiChanged(wxDPIChangedEvent& event);
    void MeasureCheckBox();
};
