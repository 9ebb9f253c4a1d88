#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include "framework/ui/WxText.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <wx/settings.h>

namespace {

// An item's data word.
class DataWord : public wxTreeItemData {
public:
    explicit DataWord(DWORD u_data) : uData(u_data) {}
    DWORD uData;
};

UINT HitFlags(int i_wx)
{
    UINT u = 0;
    const struct {
        int iWx;
        UINT uOwn;
    } a_map[] = {{wxTREE_HITTEST_NOWHERE, TVHT_NOWHERE},       {wxTREE_HITTEST_ONITEMICON, TVHT_ONITEMICON},
                 {wxTREE_HITTEST_ONITEMLABEL, TVHT_ONITEMLABEL}, {wxTREE_HITTEST_ONITEMINDENT, TVHT_ONITEMINDENT},
                 {wxTREE_HITTEST_ONITEMBUTTON, TVHT_ONITEMBUTTON}, {wxTREE_HITTEST_ONITEMRIGHT, TVHT_ONITEMRIGHT},
                 {wxTREE_HITTEST_ONITEMSTATEICON, TVHT_ONITEMSTATEICON}};
    for (const auto& m : a_map)
        if (i_wx & m.iWx)
            u |= m.uOwn;
    return u;
}

UINT MouseFlags(const wxMouseEvent& event)
{
    UINT u = 0;
    if (event.ShiftDown())
        u |= MK_SHIFT;
    if (event.ControlDown())
        u |= MK_CONTROL;
    if (event.LeftIsDown())
        u |= MK_LBUTTON;
    if (event.RightIsDown())
        u |= MK_RBUTTON;
    return u;
}

} // namespace

// The tree as the core sees it, over the wx tree.
class ZelTreeCtrlEx::Port : public IZelTreePort {
public:
    explicit Port(ZelTreeCtrlEx& tree) : Tree(tree) {}

    HTREEITEM GetRootItem() override
    {
        const wxTreeItemId id_root = Tree.wxTreeCtrl::GetRootItem();
        if (!id_root.IsOk())
            return nullptr;
        wxTreeItemIdValue cookie;
        return Handle(Tree.GetFirstChild(id_root, cookie));
    }
    HTREEITEM GetChildItem(HTREEITEM h) override
    {
        wxTreeItemIdValue cookie;
        return Handle(Tree.GetFirstChild(Id(h), cookie));
    }
    HTREEITEM GetNextSiblingItem(HTREEITEM h) override { return Handle(Tree.GetNextSibling(Id(h))); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM h) override { return Handle(Tree.GetPrevSibling(Id(h))); }
    HTREEITEM GetParentItem(HTREEITEM h) override
    {
        const wxTreeItemId id_parent = Tree.GetItemParent(Id(h));
        return id_parent == Tree.wxTreeCtrl::GetRootItem() ? nullptr : Handle(id_parent);
    }
    BOOL IsExpanded(HTREEITEM h) override { return Tree.wxTreeCtrl::IsExpanded(Id(h)) ? TRUE : FALSE; }
    std::string GetItemText(HTREEITEM h) override { return Tree.GetItemText1252(h); }
    DWORD GetItemData(HTREEITEM h) override { return Tree.GetItemData(h); }
    void DeleteItem(HTREEITEM h) override { Tree.Delete(Id(h)); }

    BOOL IsSelected(HTREEITEM h) override { return Tree.wxTreeCtrl::IsSelected(Id(h)) ? TRUE : FALSE; }
    void SetSelected(HTREEITEM h, BOOL b_selected) override
    {
        if (Tree.wxTreeCtrl::IsSelected(Id(h)) == (b_selected != FALSE))
            return;
        // wx moves its focus to an item it selects; the caret stays ours.
        ++Tree.nInternal;
        Tree.SelectItem(Id(h), b_selected != FALSE);
        if (Tree.hCaret)
            FocusOnly(Tree.hCaret);
        --Tree.nInternal;
    }
    HTREEITEM GetCaret() override { return Tree.hCaret; }
    void SetCaret(HTREEITEM h) override
    {
        Tree.hCaret = h;
        ++Tree.nInternal;
        if (h)
            FocusOnly(h);
        else if (Tree.GetFocusedItem().IsOk() && !Tree.wxTreeCtrl::IsSelected(Tree.GetFocusedItem()))
            Tree.ClearFocusedItem();
        --Tree.nInternal;
    }
    void EnsureVisible(HTREEITEM h) override { Tree.wxTreeCtrl::EnsureVisible(Id(h)); }
    int GetStateImage(HTREEITEM h) override { return Tree.GetItemStateImage(h); }
    void SetStateImage(HTREEITEM h, int i_index) override { Tree.SetItemStateImage(h, i_index); }

    BOOL HasEditLabels() override { return Tree.HasFlag(wxTR_EDIT_LABELS) ? TRUE : FALSE; }
    BOOL HasFocus() override { return Tree.wxTreeCtrl::HasFocus() ? TRUE : FALSE; }
    void TakeFocus() override { Tree.SetFocus(); }
    void EditLabel(HTREEITEM h) override { Tree.wxTreeCtrl::EditLabel(Id(h)); }
    CSize GetDragDistance() override
    {
        const int i_x = wxSystemSettings::GetMetric(wxSYS_DRAG_X, &Tree);
        const int i_y = wxSystemSettings::GetMetric(wxSYS_DRAG_Y, &Tree);
        // What the desktop does not say: a few pixels.
        return CSize(i_x > 0 ? i_x : 4, i_y > 0 ? i_y : 4);
    }
    void RepaintAll() override { Tree.Refresh(); }
    long Notify(int i_code, void* p_record) override { return ZelSendNotify(&Tree, i_code, p_record); }

private:
    // wx's focus without its selection: wx selects the item it focuses,
    // the caret keeps the state it had.
    void FocusOnly(HTREEITEM h)
    {
        const bool b_was_selected = Tree.wxTreeCtrl::IsSelected(Id(h));
        Tree.SetFocusedItem(Id(h));
        if (!b_was_selected && Tree.wxTreeCtrl::IsSelected(Id(h)))
            Tree.SelectItem(Id(h), false);
    }

    ZelTreeCtrlEx& Tree;
};

ZelTreeCtrlEx::ZelTreeCtrlEx(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                             long l_style)
    : ZelTreeCtrlEx(p_parent, i_id, pos, size, l_style, TRUE)
{
}

ZelTreeCtrlEx::ZelTreeCtrlEx(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                             long l_style, BOOL b_multi)
    : wxTreeCtrl(p_parent, i_id, pos, size, (l_style & ~wxTR_SINGLE) | wxTR_MULTIPLE | wxTR_HIDE_ROOT),
      pPort(std::make_unique<Port>(*this)), pCore(std::make_unique<ZelTreeCtrlCore>(*pPort, b_multi))
{
    HiddenRoot();
    // Bound handlers run before the tree's own: those that do not skip
    // keep the tree's handling from running.
    Bind(wxEVT_LEFT_DOWN, &ZelTreeCtrlEx::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &ZelTreeCtrlEx::OnLeftUp, this);
    Bind(wxEVT_RIGHT_DOWN, &ZelTreeCtrlEx::OnRightDown, this);
    Bind(wxEVT_RIGHT_UP, &ZelTreeCtrlEx::OnRightUp, this);
    Bind(wxEVT_MOTION, &ZelTreeCtrlEx::OnMotion, this);
    Bind(wxEVT_KEY_DOWN, &ZelTreeCtrlEx::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &ZelTreeCtrlEx::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &ZelTreeCtrlEx::OnFocus, this);
    Bind(wxEVT_TREE_ITEM_COLLAPSING, &ZelTreeCtrlEx::OnCollapsing, this, GetId());
    Bind(wxEVT_TREE_SEL_CHANGING, &ZelTreeCtrlEx::OnSelChanging, this, GetId());
    Bind(wxEVT_TREE_SEL_CHANGED, &ZelTreeCtrlEx::OnSelChanged, this, GetId());
    Bind(wxEVT_TREE_BEGIN_DRAG, &ZelTreeCtrlEx::OnBeginDrag, this, GetId());
    Bind(wxEVT_TREE_BEGIN_RDRAG, &ZelTreeCtrlEx::OnBeginDrag, this, GetId());
    Bind(wxEVT_TREE_DELETE_ITEM, &ZelTreeCtrlEx::OnDeleteItem, this, GetId());
}

ZelTreeCtrlEx::~ZelTreeCtrlEx()
{
    // The items go before the port they are reached through.
    ++nInternal;
    Unbind(wxEVT_TREE_DELETE_ITEM, &ZelTreeCtrlEx::OnDeleteItem, this, GetId());
    DeleteAllItems();
}

wxTreeItemId ZelTreeCtrlEx::HiddenRoot()
{
    wxTreeItemId id_root = wxTreeCtrl::GetRootItem();
    if (!id_root.IsOk())
        id_root = AddRoot(wxString());
    return id_root;
}

HTREEITEM ZelTreeCtrlEx::InsertItem(const std::string& s_text, HTREEITEM h_parent, int i_checkState, DWORD u_data)
{
    const wxTreeItemId id_parent = h_parent ? Id(h_parent) : HiddenRoot();
    const wxTreeItemId id = AppendItem(id_parent, ToWx(s_text), -1, -1, new DataWord(u_data));
    SetItemStateImage(Handle(id), i_checkState);
    return Handle(id);
}

void ZelTreeCtrlEx::SetItemData(HTREEITEM h_item, DWORD u_data)
{
    if (auto* p_data = dynamic_cast<DataWord*>(wxTreeCtrl::GetItemData(Id(h_item))))
        p_data->uData = u_data;
    else
        wxTreeCtrl::SetItemData(Id(h_item), new DataWord(u_data));
}

DWORD ZelTreeCtrlEx::GetItemData(HTREEITEM h_item) const
{
    const auto* p_data = dynamic_cast<const DataWord*>(wxTreeCtrl::GetItemData(Id(h_item)));
    return p_data ? p_data->uData : 0;
}

void ZelTreeCtrlEx::SetItemStateImage(HTREEITEM h_item, int i_index)
{
    // Check state 1 to 4 shows image 0 to 3.
    SetItemState(Id(h_item), i_index >= 1 && i_index <= 4 ? i_index - 1 : wxTREE_ITEMSTATE_NONE);
}

int ZelTreeCtrlEx::GetItemStateImage(HTREEITEM h_item) const
{
    const int i_state = GetItemState(Id(h_item));
    return i_state >= 0 && i_state <= 3 ? i_state + 1 : 0;
}

std::string ZelTreeCtrlEx::GetItemText1252(HTREEITEM h_item) const
{
    return FromWx(GetItemText(Id(h_item))).value_or(std::string());
}

// ------------------------------------------------------------------- events

void ZelTreeCtrlEx::OnLeftDown(wxMouseEvent& event)
{
    int i_flags = 0;
    const wxTreeItemId id = HitTest(event.GetPosition(), i_flags);
    const wxPoint pt = event.GetPosition();
    bDefaultDown = pCore->OnLButtonDown(MouseFlags(event), CPoint(pt.x, pt.y), Handle(id), HitFlags(i_flags)) != FALSE;
    if (bDefaultDown)
        event.Skip();
}

void ZelTreeCtrlEx::OnLeftUp(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    pCore->OnLButtonUp(MouseFlags(event), CPoint(pt.x, pt.y));
    // The tree's own handling of the release only follows its own press.
    if (bDefaultDown)
        event.Skip();
    bDefaultDown = false;
}

void ZelTreeCtrlEx::OnRightDown(wxMouseEvent& event)
{
    int i_flags = 0;
    const wxTreeItemId id = HitTest(event.GetPosition(), i_flags);
    const wxPoint pt = event.GetPosition();
    pCore->OnRButtonDown(MouseFlags(event), CPoint(pt.x, pt.y), Handle(id), HitFlags(i_flags));
}

void ZelTreeCtrlEx::OnRightUp(wxMouseEvent&) { pCore->OnRButtonUp(); }

void ZelTreeCtrlEx::OnMotion(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    pCore->OnMouseMove(MouseFlags(event), CPoint(pt.x, pt.y));
    event.Skip();
}

void ZelTreeCtrlEx::OnKeyDown(wxKeyEvent& event)
{
    UINT u_key = 0;
    switch (event.GetKeyCode()) {
    case WXK_SPACE: u_key = VK_SPACE; break;
    case WXK_UP:
    case WXK_NUMPAD_UP: u_key = VK_UP; break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN: u_key = VK_DOWN; break;
    default: event.Skip(); return;
    }
    UINT u_modifiers = 0;
    if (event.ShiftDown())
        u_modifiers |= KM_SHIFT;
    if (event.ControlDown())
        u_modifiers |= KM_CONTROL;
    if (pCore->OnKeyDown(u_key, u_modifiers))
        event.Skip();
}

void ZelTreeCtrlEx::OnCollapsing(wxTreeEvent& event)
{
    pCore->OnItemExpanding(Handle(event.GetItem()), TRUE);
    event.Skip();
}

void ZelTreeCtrlEx::OnFocus(wxFocusEvent& event)
{
    event.Skip();
    pCore->OnFocusChange();
    ZelSendNotify(this, event.GetEventType() == wxEVT_SET_FOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
}

void ZelTreeCtrlEx::OnSelChanging(wxTreeEvent&)
{
    // Kept inside: the parent hears of changes through the notifications.
}

void ZelTreeCtrlEx::OnSelChanged(wxTreeEvent& event)
{
    if (nInternal)
        return;
    // The tree moved its selection by its own keys (Home, End, Left,
    // Right, ...): the caret follows and the parent hears of it.
    HTREEITEM h_old = hCaret;
    hCaret = Handle(GetFocusedItem());
    if (!hCaret)
        hCaret = Handle(event.GetItem());
    if (hCaret && hCaret != h_old) {
        ZelNMTreeView nm;
        nm.action = TVC_BYKEYBOARD;
        for (auto [p_item, h] : {std::pair{&nm.itemOld, h_old}, std::pair{&nm.itemNew, hCaret}}) {
            if (!h)
                continue;
            p_item->mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
            p_item->hItem = h;
            p_item->state = (static_cast<UINT>(GetItemStateImage(h)) << 12)
                            | (wxTreeCtrl::IsSelected(Id(h)) ? UINT(TVIS_SELECTED) : 0u)
                            | (wxTreeCtrl::IsExpanded(Id(h)) ? UINT(TVIS_EXPANDED) : 0u);
            p_item->lParam = GetItemData(h);
        }
        ZelSendNotify(this, TVN_SELCHANGED, &nm);
    }
}

void ZelTreeCtrlEx::OnBeginDrag(wxTreeEvent&)
{
    // The control starts drags itself (TVN_BEGINDRAG once the pointer has
    // moved far enough from a press on an item).
}

void ZelTreeCtrlEx::OnDeleteItem(wxTreeEvent& event)
{
    if (Handle(event.GetItem()) == hCaret)
        hCaret = nullptr;
    pCore->OnItemDeleted(Handle(event.GetItem()));
    event.Skip();
}

// --------------------------------------------------------------- ZelTreeCtrl

ZelTreeCtrl::ZelTreeCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size, long l_style)
    : ZelTreeCtrlEx(p_parent, i_id, pos, size, l_style, FALSE)
{
}
