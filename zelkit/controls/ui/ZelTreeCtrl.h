// The multi-selection tree's window: a wx tree (wxTR_MULTIPLE, its root
// hidden so that there may be several top-level items) whose selection,
// check boxes and navigation follow ZelTreeCtrlCore. The window turns
// mouse, key, expansion and focus events into the core's calls and gives
// the core the tree through IZelTreePort; the core's notifications
// (TVN_SELCHANGING, TVN_SELCHANGED, TVN_BEGINDRAG, TVN_KEYDOWN) reach the
// parent as ZelNotifyEvent with their records, and so do NM_SETFOCUS and
// NM_KILLFOCUS. wx's own selection and drag events stay inside the window.
//
// Items are named by HTREEITEM (a wxTreeItemId's handle). Check boxes are
// the items' state images: the owner supplies the state image list, and
// check state 1 to 4 shows image 0 to 3, 0 none.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/controls/ZelTreeCtrlCore.h"

#include <memory>
#include <string>
#include <wx/treectrl.h>

class ZelTreeCtrlEx : public wxTreeCtrl {
public:
    // wxTR_MULTIPLE and wxTR_HIDE_ROOT are added to the style.
    ZelTreeCtrlEx(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, long l_style = wxTR_DEFAULT_STYLE);
    ~ZelTreeCtrlEx() override;

    static wxTreeItemId Id(HTREEITEM h_item) { return wxTreeItemId(h_item); }
    static HTREEITEM Handle(const wxTreeItemId& id) { return id.GetID(); }

    // --- Items ---------------------------------------------------------
    // A new last child of h_parent (null: a new top-level item).
    HTREEITEM InsertItem(const std::string& s_text, HTREEITEM h_parent = nullptr, int i_checkState = 0,
                         DWORD u_data = 0);
    using wxTreeCtrl::InsertItem;
    void SetItemData(HTREEITEM h_item, DWORD u_data);
    DWORD GetItemData(HTREEITEM h_item) const;
    using wxTreeCtrl::GetItemData;
    using wxTreeCtrl::SetItemData;
    // The state image index: 0 none, 1 to 4 the check states.
    void SetItemStateImage(HTREEITEM h_item, int i_index);
    int GetItemStateImage(HTREEITEM h_item) const;
    // The text in code page 1252.
    std::string GetItemText1252(HTREEITEM h_item) const;
    // The caret: the item the keys move, null when there is none.
    HTREEITEM GetCaret() const { return hCaret; }

    // --- Selection -----------------------------------------------------
    void EnableMultiSelection(BOOL b_multi) { pCore->EnableMultiSelection(b_multi); }
    BOOL IsMultiSelection() const { return pCore->IsMultiSelection(); }
    UINT GetSelectedCount() { return pCore->GetSelectedCount(); }
    HTREEITEM GetFirstSelectedItem() { return pCore->GetFirstSelectedItem(); }
    HTREEITEM GetNextSelectedItem(HTREEITEM h_item) { return pCore->GetNextSelectedItem(h_item); }
    HTREEITEM GetPrevSelectedItem(HTREEITEM h_item) { return pCore->GetPrevSelectedItem(h_item); }
    BOOL SelectItemEx(HTREEITEM h_item, BOOL b_select = TRUE) { return pCore->SelectItemEx(h_item, b_select); }
    BOOL SelectItems(HTREEITEM h_from, HTREEITEM h_to) { return pCore->SelectItems(h_from, h_to); }
    void ClearSelection(BOOL b_multiOnly = FALSE) { pCore->ClearSelection(b_multiOnly); }

    // --- Navigation ----------------------------------------------------
    HTREEITEM GetNextItem(HTREEITEM h_item, UINT u_code) { return pCore->GetNextItem(h_item, u_code); }
    HTREEITEM GetNextItem(HTREEITEM h_item) { return pCore->GetNextItem(h_item); }
    HTREEITEM GetPrevItem(HTREEITEM h_item) { return pCore->GetPrevItem(h_item); }
    HTREEITEM GetLastItem(HTREEITEM h_item) { return pCore->GetLastItem(h_item); }
    HTREEITEM GetFirstCheckedItem() { return pCore->GetFirstCheckedItem(); }
    HTREEITEM GetNextCheckedItem(HTREEITEM h_item) { return pCore->GetNextCheckedItem(h_item); }
    HTREEITEM GetPrevCheckedItem(HTREEITEM h_item) { return pCore->GetPrevCheckedItem(h_item); }
    int GetItemCount(HTREEITEM h_item) { return pCore->GetItemCount(h_item); }
    HTREEITEM FindItemData(HTREEITEM h_item, DWORD u_data) { return pCore->FindItemData(h_item, u_data); }
    HTREEITEM ItemFromData(DWORD u_data, HTREEITEM h_item = nullptr) { return pCore->ItemFromData(u_data, h_item); }
    void GetFullyQualifiedPath(HTREEITEM h_item, std::string& s_path, BOOL b_topDown)
    {
        pCore->GetFullyQualifiedPath(h_item, s_path, b_topDown);
    }

protected:
    ZelTreeCtrlEx(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size, long l_style,
                  BOOL b_multi);

    BOOL SetCheck(HTREEITEM h_item, ZelTreeCtrlCore::CheckType e_type) { return pCore->SetCheck(h_item, e_type); }
    int GetCheckState(HTREEITEM h_item) { return pCore->GetCheckState(h_item); }
    BOOL IsItemChecked(HTREEITEM h_item) { return pCore->IsItemChecked(h_item); }
    void DeleteChildren(HTREEITEM h_item) { pCore->DeleteChildren(h_item); }
    using wxTreeCtrl::DeleteChildren;
    HTREEITEM Traverse(HTREEITEM h_item, const std::function<BOOL(HTREEITEM)>& f_test)
    {
        return pCore->Traverse(h_item, f_test);
    }

    ZelTreeCtrlCore& GetCore() { return *pCore; }

private:
    class Port;
    friend class Port;

    // The hidden root, made when there is none.
    wxTreeItemId HiddenRoot();
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCollapsing(wxTreeEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnSelChanging(wxTreeEvent& event);
    void OnSelChanged(wxTreeEvent& event);
    void OnBeginDrag(wxTreeEvent& event);
    void OnDeleteItem(wxTreeEvent& event);

    std::unique_ptr<Port> pPort;
    std::unique_ptr<ZelTreeCtrlCore> pCore;
    HTREEITEM hCaret = nullptr;
    // While the control changes wx's selection itself.
    int nInternal = 0;
    // The left button went down where the tree's own handling ran.
    bool bDefaultDown = false;
};

// The tree of the editing pages: one item selected at a time unless the
// owner enables more, and every selected item collected.
class ZelTreeCtrl : public ZelTreeCtrlEx {
public:
    ZelTreeCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long l_style = wxTR_DEFAULT_STYLE);

    // Every selected item in full tree order, collapsed branches included.
    void GetAllSelections(ZelArray<HTREEITEM>& a_items) { GetCore().GetAllSelections(a_items); }
};
