#include "zelkit/import/ui/ZelEditListCtrl.h"

#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <algorithm>
#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

ZelEditListCtrl::ZelEditListCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                                 DWORD u_listStyle, long l_style)
{
    Create(p_parent, i_id, pos, size, u_listStyle, l_style);
}

bool ZelEditListCtrl::Create(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                             DWORD u_listStyle, long l_style)
{
    if (!ZelCheckListCtrl::Create(p_parent, i_id, pos, size, u_listStyle, l_style))
        return false;
    BindEditEvents();
    return true;
}

ZelEditListCtrl::~ZelEditListCtrl()
{
    // The window still receives focus events while its base tears it down.
    Unbind(wxEVT_SET_FOCUS, &ZelEditListCtrl::OnListFocus, this);
    Unbind(wxEVT_KILL_FOCUS, &ZelEditListCtrl::OnListFocus, this);
    AbortEdit();
}

void ZelEditListCtrl::BindEditEvents()
{
    Bind(wxEVT_LEFT_DCLICK, &ZelEditListCtrl::OnListDblClick, this);
    Bind(wxEVT_KEY_DOWN, &ZelEditListCtrl::OnListKey, this);
    Bind(wxEVT_SET_FOCUS, &ZelEditListCtrl::OnListFocus, this);
    Bind(wxEVT_KILL_FOCUS, &ZelEditListCtrl::OnListFocus, this);
    for (auto type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN,
                      wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_THUMBTRACK,
                      wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &ZelEditListCtrl::OnListScroll, this);
    Bind(wxEVT_MOUSEWHEEL, &ZelEditListCtrl::OnListWheel, this);
}

int ZelEditListCtrl::Find(int i_col, const std::string& s_text, int i_skip) const
{
    return ZelEditListRules::Find(*this, i_col, s_text, i_skip);
}

void ZelEditListCtrl::GetEditType(int i_row, int i_col, EditType& e_type, DWORD& u_style)
{
    ZelEditTypeInfo info;
    info.iRow = i_row;
    info.iCol = i_col;
    ZelSendNotify(this, ZLN_EDITTYPE, &info);
    e_type = static_cast<EditType>(info.eType);
    u_style = info.uStyle;
}

void ZelEditListCtrl::BeginEdit(int i_row, int i_col)
{
    EndEdit();
    const ZelEditListRules::EditColumn* p_col = Rules.FindColumn(i_col);
    if (p_col == nullptr || i_row < 0 || i_row >= GetItemCount())
        return;
    const int i_editCol = p_col->iColumn;
    EnsureVisible(i_row, FALSE);
    UpdateLayout();
    const wxRect rc_rowWx = GetRowRect(i_row);
    const wxSize sz_client = GetClientSize();
    const ZelRect rc_row{rc_rowWx.x, rc_rowWx.y, rc_rowWx.GetRight() + 1, rc_rowWx.GetBottom() + 1};
    const ZelRect rc_cell = ZelEditListRules::CellRect(*this, rc_row, i_editCol, sz_client.x);

    EditType e_type = p_col->eType;
    DWORD u_style = 0;
    if (e_type == ZelEditListRules::editAsk)
        GetEditType(i_row, i_editCol, e_type, u_style);

    wxWindow* p_editor = nullptr;
    bool b_upward = false;
    const int i_clientTop = GetHeaderHeight();
    if (e_type == ZelEditListRules::editBox) {
        const ZelRect rc = ZelEditListRules::EditBoxRect(rc_cell, sz_client.y);
        auto* p_edit = new wxTextCtrl(this, WxId(iEditCtrlID), wxString(), wxPoint(rc.left, rc.top),
                                      wxSize(rc.Width(), rc.Height()),
                                      wxTE_PROCESS_ENTER | wxBORDER_SIMPLE | static_cast<long>(u_style));
        ZEL_ASSERT(p_edit->IsKindOf(wxCLASSINFO(wxTextCtrl)));
        p_editor = p_edit;
    } else if (e_type == ZelEditListRules::editListBox) {
        const ZelRect rc = ZelEditListRules::ListBoxRect(rc_cell, i_clientTop, sz_client.y, b_upward);
        auto* p_list = new wxListBox(this, WxId(iEditCtrlID), wxPoint(rc.left, rc.top),
                                     wxSize(rc.Width(), rc.Height()), 0, nullptr,
                                     wxLB_SINGLE | wxBORDER_SIMPLE | static_cast<long>(u_style));
        ZEL_ASSERT(p_list->IsKindOf(wxCLASSINFO(wxListBox)));
        p_editor = p_list;
    }
    if (p_editor == nullptr)
        return;

    bCancelled = false;
    ZelEditBeginInfo begin;
    begin.iRow = i_row;
    begin.iCol = i_editCol;
    begin.pEditor = p_editor;
    ZelSendNotify(this, LVN_BEGINLABELEDIT, &begin);
    p_editor->SetFont(GetFont());
    // In a dialog, Escape and Enter would reach the dialog's buttons before
    // the editor sees them: the editor takes its keys first.
    p_editor->Bind(wxEVT_CHAR_HOOK, &ZelEditListCtrl::OnEditorKey, this);
    p_editor->Bind(wxEVT_KEY_DOWN, &ZelEditListCtrl::OnEditorKey, this);
    p_editor->Bind(wxEVT_KILL_FOCUS, &ZelEditListCtrl::OnEditorKillFocus, this);
    if (auto* p_edit = wxDynamicCast(p_editor, wxTextCtrl)) {
        sStartText = GetItemText(i_row, i_editCol);
        p_edit->ChangeValue(ToWx(sStartText));
        p_edit->SelectAll();
        p_edit->ShowPosition(p_edit->GetLastPosition());
    } else if (auto* p_list = wxDynamicCast(p_editor, wxListBox)) {
        p_list->Bind(wxEVT_LISTBOX_DCLICK, &ZelEditListCtrl::OnListBoxDblClick, this);
        ResizeListBox(*p_list, b_upward);
    }
    // The edit counts as open only from here: the focus moving to the
    // editor must not end it.
    iEditRow = i_row;
    iEditCol = i_editCol;
    pEditor = p_editor;
    ++uEditSerial;
    // A list box with a single entry leaves nothing to choose: the edit
    // ends at once, before the focus could select the entry.
    if (auto* p_list = wxDynamicCast(p_editor, wxListBox); p_list != nullptr && p_list->GetCount() == 1) {
        EndEdit();
        return;
    }
    p_editor->SetFocus();
}

void ZelEditListCtrl::ResizeListBox(wxListBox& box, bool b_upward)
{
    wxClientDC dc(&box);
    dc.SetFont(box.GetFont());
    int i_widest = 0;
    for (unsigned u = 0; u < box.GetCount(); ++u)
        i_widest = std::max(i_widest, dc.GetTextExtent(box.GetString(u)).x);
    // Room for the list box's own padding beside the text.
    i_widest += FromDIP(16);
    const int i_entry = dc.GetCharHeight() + FromDIP(8);
    const wxRect rc_now = box.GetRect();
    const ZelRect rc = ZelEditListRules::FitListBox(
        ZelRect{rc_now.x, rc_now.y, rc_now.GetRight() + 1, rc_now.GetBottom() + 1}, b_upward, i_widest,
        wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this), GetClientSize().x,
        static_cast<int>(box.GetCount()) * i_entry + FromDIP(4));
    box.SetSize(rc.left, rc.top, rc.Width(), rc.Height());
}

BOOL ZelEditListCtrl::EndEdit()
{
    if (!IsEditing())
        return TRUE;
    const ZelEditListRules::EditColumn* p_col = Rules.FindColumn(iEditCol);
    ZEL_ASSERT(p_col != NULL);
    if (p_col == nullptr) {
        AbortEdit();
        return TRUE;
    }
    std::string s_raw;
    bool b_cancelled = bCancelled;
    if (auto* p_edit = wxDynamicCast(pEditor, wxTextCtrl)) {
        s_raw = FromWx(p_edit->GetValue()).value_or(std::string());
    } else if (auto* p_list = wxDynamicCast(pEditor, wxListBox)) {
        const int i_sel = p_list->GetSelection();
        if (i_sel == wxNOT_FOUND)
            b_cancelled = true;
        else
            s_raw = FromWx(p_list->GetString(static_cast<unsigned>(i_sel))).value_or(std::string());
    }
    const int i_row = iEditRow;
    const int i_col = iEditCol;
    const std::string s_trimmed = ZelEditListRules::Trim(s_raw);
    const int i_used = p_col->bUnique ? Find(i_col, s_trimmed, i_row) : -1;
    const ZelEditListRules::EndResult result = ZelEditListRules::DecideEnd(s_raw, b_cancelled, *p_col, i_used);
    if (result.bStore)
        SetItemText(i_row, i_col, result.sValue);

    DeleteEditControl();
    OnEndEdit(i_row, b_cancelled ? TRUE : FALSE);
    if (result.uError != 0) {
        ZelLocalResource local;
        ZelDisplayError(static_cast<int>(result.uError), result.sValue, MB_OK | MB_ICONEXCLAMATION);
    }
    ZelEditEndInfo end;
    end.iRow = i_row;
    end.iCol = i_col;
    end.uError = result.uError;
    end.bCancelled = b_cancelled ? TRUE : FALSE;
    ZelSendNotify(this, LVN_ENDLABELEDIT, &end);
    return result.uError == 0 ? TRUE : FALSE;
}

void ZelEditListCtrl::AbortEdit() { DeleteEditControl(); }

void ZelEditListCtrl::DeleteEditControl()
{
    iEditRow = -1;
    iEditCol = -1;
    wxWindow* p_editor = pEditor;
    pEditor = nullptr;
    if (p_editor == nullptr)
        return;
    const bool b_hadFocus = p_editor->HasFocus();
    p_editor->Unbind(wxEVT_KILL_FOCUS, &ZelEditListCtrl::OnEditorKillFocus, this);
    p_editor->Hide();
    if (b_hadFocus)
        SetFocus();
    // Never reached from the editor's own handlers (those end the edit
    // later), so the editor can go at once.
    p_editor->Destroy();
}

void ZelEditListCtrl::EndEditLater()
{
    const unsigned u_serial = uEditSerial;
    CallAfter([this, u_serial] {
        if (uEditSerial == u_serial)
            EndEdit();
    });
}

void ZelEditListCtrl::OnEditorKey(wxKeyEvent& event)
{
    const int i_key = event.GetKeyCode();
    const bool b_edit = wxDynamicCast(pEditor, wxTextCtrl) != nullptr;
    switch (i_key) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        SetFocus();
        EndEditLater();
        return;
    case WXK_ESCAPE:
        if (auto* p_edit = wxDynamicCast(pEditor, wxTextCtrl))
            p_edit->ChangeValue(ToWx(sStartText));
        bCancelled = true;
        SetFocus();
        EndEditLater();
        return;
    case WXK_UP:
    case WXK_DOWN:
        if (b_edit) {
            // The edit ends and the list's focus moves, as the key would
            // move it in the list.
            SetFocus();
            const bool b_up = i_key == WXK_UP;
            const unsigned u_serial = uEditSerial;
            CallAfter([this, u_serial, b_up] {
                if (uEditSerial == u_serial && !EndEdit())
                    return;
                KeyDown(b_up ? ZelListKey::Up : ZelListKey::Down, false, false);
                UpdateLayout();
            });
            return;
        }
        break;
    default: break;
    }
    event.Skip();
}

void ZelEditListCtrl::OnEditorKillFocus(wxFocusEvent& event)
{
    event.Skip();
    EndEditLater();
}

void ZelEditListCtrl::OnListBoxDblClick(wxCommandEvent&) { EndEditLater(); }

void ZelEditListCtrl::OnListDblClick(wxMouseEvent& event)
{
    event.Skip();
    if (Rules.GetEditColumnCount() == 0)
        return;
    const wxPoint pt = event.GetPosition();
    int i_col = -1;
    const int i_row = pt.y >= GetHeaderHeight() ? RowHitTest(pt.x, pt.y - GetHeaderHeight(), &i_col) : -1;
    if (i_row < 0)
        return;
    if (Rules.GetEditColumnCount() == 1)
        i_col = -1;
    else if (Rules.FindColumn(i_col) == nullptr || i_col < 0)
        return;
    CallAfter([this, i_row, i_col] { BeginEdit(i_row, i_col); });
}

void ZelEditListCtrl::OnListKey(wxKeyEvent& event)
{
    if ((event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) && !IsEditing()) {
        const int i_focus = GetFocusItemIndex();
        if (i_focus >= 0 && Rules.GetEditColumnCount() > 0) {
            BeginEdit(i_focus, -1);
            return;
        }
    }
    event.Skip();
}

void ZelEditListCtrl::OnListFocus(wxFocusEvent& event)
{
    event.Skip();
    // The list gaining the focus back, or losing it elsewhere than to
    // its editor, ends the edit.
    if (IsEditing() && event.GetWindow() != pEditor)
        EndEditLater();
}

void ZelEditListCtrl::OnListScroll(wxScrollWinEvent& event)
{
    if (IsEditing() && !EndEdit())
        return;
    event.Skip();
}

void ZelEditListCtrl::OnListWheel(wxMouseEvent& event)
{
    if (IsEditing() && !EndEdit())
        return;
    event.Skip();
}
