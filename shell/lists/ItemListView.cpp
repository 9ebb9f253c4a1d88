#include "shell/lists/ItemListView.h"

#include "engine/BuildPorts.h"
#include "engine/BuildReports.h"
#include "framework/Encoding.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/Preferences.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/ItemListPrintout.h"
#include "shell/frame/ListPorts.h"
#include "shell/frame/MainFrm.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "shell/frame/WxCommands.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

#include <wx/app.h>
#include <wx/control.h>
#include <wx/dataobj.h>
#include <wx/dnd.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/utils.h>

// ------------------------------------------------------------------- ports

namespace {

class WxListStatus : public IListStatusPort {
public:
    void SetMessageText(const std::string& s_text) override
    {
        auto* p_frame = wxTheApp != nullptr ? dynamic_cast<CMainFrame*>(wxTheApp->GetTopWindow()) : nullptr;
        if (p_frame != nullptr)
            p_frame->SetStatusText(ToWx(s_text), 0);
    }
};

// The records that could not be added, in the library's report dialog.
class WxMessageList : public IMessageListPort {
public:
    void Show(const MessageList& list) override
    {
        ZelReportDlg dlg(list.sTitle, wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr);
        dlg.SetTitle(ToWx(list.sTitle));
        dlg.GetColumnTitles().Add("Name");
        dlg.GetColumnTitles().Add("Error");
        for (const auto& [s_name, s_error] : list.vRows) {
            ZelStringArray a_row;
            a_row.Add(s_name);
            a_row.Add(s_error);
            dlg.GetRows().Add(a_row);
        }
        dlg.SetDescription(list.sHeading);
        dlg.ShowModal();
    }
};

WxListStatus g_status;
WxMessageList g_messageList;
WxSelectColumnsPort g_selectColumns;

// Dropped text adds records; the effect is always copy, as the text is only
// read (a move would make the dragging program delete it).
class ItemListDropTarget : public wxDropTarget {
public:
    explicit ItemListDropTarget(ItemListView* p_view) : wxDropTarget(new wxTextDataObject), pView(p_view) {}

    wxDragResult OnEnter(wxCoord, wxCoord, wxDragResult e_def) override { return ItemListView::DropEffect(e_def); }
    wxDragResult OnDragOver(wxCoord, wxCoord, wxDragResult e_def) override
    {
        return ItemListView::DropEffect(e_def);
    }
    wxDragResult OnData(wxCoord, wxCoord, wxDragResult e_def) override
    {
        if (!GetData())
            return wxDragNone;
        auto* p_text = static_cast<wxTextDataObject*>(GetDataObject());
        pView->OnDropText(p_text->GetText());
        return ItemListView::DropEffect(e_def);
    }

private:
    ItemListView* pView;
};

} // namespace

void InstallListPorts()
{
    SetListStatusPort(&g_status);
    SetMessageListPort(&g_messageList);
    SetSelectColumnsPort(&g_selectColumns);
}

// -------------------------------------------------------------------- list

ItemListCtrl::ItemListCtrl(ItemListView* p_view, wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style)
    : ZelListViewCtrl(p_view, p_parent, i_id, u_listStyle, l_style), pItemView(p_view)
{
}

void ItemListCtrl::DrawRow(wxDC& dc, int i_row, const wxRect& rc_row)
{
    // The view lets go of its list before the list goes.
    if (pItemView != nullptr && GetView() != nullptr)
        pItemView->DrawRow(dc, i_row, rc_row);
}

bool ItemListCtrl::TryBefore(wxEvent& event)
{
    if (pItemView == nullptr || GetView() == nullptr)
        return ZelListViewCtrl::TryBefore(event);
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK) {
        // The view's own selection: the list's click handling does not run.
        auto& mouse = static_cast<wxMouseEvent&>(event);
        const int i_row = RowAtPoint(mouse.GetPosition());
        TakeFocusForClick();
        if (type == wxEVT_LEFT_DOWN)
            pItemView->Click(i_row, mouse.ShiftDown(), mouse.ControlDown());
        else
            pItemView->DoubleClick(i_row);
        UpdateLayout();
        Refresh();
        return true;
    }
    if (type == wxEVT_KEY_DOWN) {
        auto& key = static_cast<wxKeyEvent&>(event);
        ItemListCore::Key e_key = ItemListCore::Key::Other;
        switch (key.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER: e_key = ItemListCore::Key::Enter; break;
        case WXK_ESCAPE: e_key = ItemListCore::Key::Escape; break;
        case WXK_SPACE: e_key = ItemListCore::Key::Space; break;
        case WXK_UP: e_key = ItemListCore::Key::Up; break;
        case WXK_DOWN: e_key = ItemListCore::Key::Down; break;
        default: break;
        }
        if (pItemView->KeyDown(e_key, key.ShiftDown())) {
            UpdateLayout();
            Refresh();
            return true;
        }
        Refresh();
        return ZelListViewCtrl::TryBefore(event);
    }
    if (type == wxEVT_SET_FOCUS)
        pItemView->OnSetFocus();
    else if (type == wxEVT_KILL_FOCUS)
        pItemView->OnKillFocus();
    return ZelListViewCtrl::TryBefore(event);
}

// -------------------------------------------------------------------- view

ItemListView::ItemListView() : ZelListView(5), ItemListCore(nullptr, ZelListView::SortState) {}

ItemListView::~ItemListView()
{
    if (pParent != nullptr)
        pParent->Unbind(wxEVT_ZEL_NOTIFY, &ItemListView::OnListNotify, this, iListId);
}

ZelListViewCtrl* ItemListView::NewListCtrl(wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style)
{
    return new ItemListCtrl(this, p_parent, i_id, u_listStyle, l_style);
}

void ItemListView::PreCreateWindow(DWORD& u_listStyle, long&)
{
    u_listStyle |= LVS_OWNERDRAWFIXED;
}

bool ItemListView::Create(wxWindow* p_parent, wxWindowID i_id)
{
    if (!CreateListWindow(p_parent, i_id))
        return false;
    ZelListCtrl* p_list = GetListCtrl();
    AttachList(*p_list);
    pParent = p_parent;
    iListId = p_list->GetId();
    pParent->Bind(wxEVT_ZEL_NOTIFY, &ItemListView::OnListNotify, this, iListId);
    // A header change is a change of the event's layout.
    if (wxHeaderCtrl* p_header = p_list->GetHeaderCtrl()) {
        for (auto type : {wxEVT_HEADER_END_RESIZE, wxEVT_HEADER_END_REORDER})
            p_header->Bind(type, [this](wxHeaderCtrlEvent& event) {
                event.Skip();
                SetModified();
            });
        // The list fits the column itself; the rows' margins then get their
        // room.
        p_header->Bind(wxEVT_HEADER_SEPARATOR_DCLICK, [this](wxHeaderCtrlEvent& event) {
            event.Skip();
            const int i_col = event.GetColumn();
            CallAfter([this, i_col] {
                AddMarginRoom(i_col, i_col);
                if (ZelListCtrl* p = GetListCtrl())
                    p->Refresh();
            });
            SetModified();
        });
    }
    p_list->SetDropTarget(new ItemListDropTarget(this));
    BindCommands();
    FillList();
    InitialUpdate();
    return true;
}

bool ItemListView::OnClose(bool)
{
    return true;
}

CEventDocument* ItemListView::GetEventDocument() const { return dynamic_cast<CEventDocument*>(GetDocument()); }

void ItemListView::ImportFromText(const std::string& s_key, const std::string& s_text)
{
    Import.ImportFromString(s_key, s_text);
}

void ItemListView::ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path)
{
    Import.ImportFile(s_key, s_name, s_path);
}

EventDoc* ItemListView::GetEventDoc()
{
    CEventDocument* p_doc = GetEventDocument();
    return p_doc != nullptr ? &p_doc->GetEvent() : nullptr;
}

void ItemListView::OnUpdate(wxView*, wxObject* p_hint)
{
    if (GetListCtrl() == nullptr)
        return;
    const auto* p_viewHint = dynamic_cast<const CViewHint*>(p_hint);
    ItemListCore::OnUpdate(p_viewHint != nullptr ? &p_viewHint->Hint : nullptr);
    if (!IsDocumentBusy())
        mDrawn.clear();
    GetListCtrl()->UpdateLayout();
    GetListCtrl()->Refresh();
}

void ItemListView::SetRefill() { RequestRefill(); }

std::vector<int> ItemListView::GetPaneColumnWidths()
{
    std::vector<int> v_widths;
    std::vector<int> v_order;
    GetList().GetColumnOrderArray(v_order);
    for (int i_col : v_order)
        v_widths.push_back(GetList().GetColumnWidth(i_col));
    return v_widths;
}

BOOL ItemListView::IsShiftDown() { return wxGetKeyState(WXK_SHIFT) ? TRUE : FALSE; }

void ItemListView::SetModified()
{
    ItemListCore::SetModified();
    if (wxDocument* p_doc = GetDocument())
        p_doc->Modify(true);
}

void ItemListView::PostChange()
{
    CallAfter([this] { ChangeSelected(); });
}

void ItemListView::RunSort(const ZelColSortSpec* p_specs, int n_specs, int b_toggle, PFNLVCOMPARE pfn_compare)
{
    ZelListView::Sort(p_specs, n_specs, ZelListView::SortState, b_toggle, pfn_compare);
}

void ItemListView::SortTooLong(const ZelOleDateTimeSpan& elapsed)
{
    const long l_seconds = static_cast<long>(elapsed.GetTotalSeconds());
    CallAfter([this, l_seconds] { OnLongSort(l_seconds); });
}

void ItemListView::OnLongSort(long)
{
    if (ZelListCtrl* p_list = GetListCtrl()) {
        p_list->Update();
        p_list->Update();
    }
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return;
    Preferences prefs = p_doc->GetPreferences();
    if (prefs.GetSuppressedMessages() & uSuppressSortNotice)
        return;
    SortTooLongModel model;
    GetBuildDialogsPort().ShowSortTooLong(model);
    if (model.bDontShowAgain) {
        prefs.SetSuppressedMessages(prefs.GetSuppressedMessages() | uSuppressSortNotice);
        p_doc->SetPreferences(prefs, FALSE);
    }
}

void ItemListView::OnNoSort()
{
    ItemListCore::NoSort();
    ZelListView::OnNoSort();
}

void ItemListView::OnListNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == LVN_COLUMNCLICK) {
        const auto* p_nm = event.GetRecordAs<ZelNMListView>();
        if (p_nm != nullptr && !IsDocumentBusy()) {
            // Through the core's pointer: a derived view may sort its own way.
            static_cast<ItemListCore*>(this)->Sort(p_nm->iSubItem);
            SetModified();
            GetListCtrl()->Refresh();
        }
        return;
    }
    if (event.GetCode() == LVN_ITEMCHANGED && ItemListCore::HasFocus()) {
        // The list's own keys (Home, End, the page keys, with Shift) select
        // rows too: the message bar counts them once the key is done.
        const auto* p_nm = event.GetRecordAs<ZelNMListView>();
        if (p_nm != nullptr && ((p_nm->uOldState ^ p_nm->uNewState) & LVIS_SELECTED) && !bStatusPending) {
            bStatusPending = true;
            CallAfter([this] {
                bStatusPending = false;
                if (GetListCtrl() != nullptr)
                    UpdateStatusText();
            });
        }
    }
    event.Skip();
}

// ----------------------------------------------------------------- drawing

void ItemListView::GetRowColours(int i_row, wxColour& col_back, wxColour& col_text) const
{
    auto* p_self = const_cast<ItemListView*>(this);
    const bool b_selected = p_self->GetList().GetItemState(i_row, LVIS_SELECTED) != 0;
    if (!b_selected) {
        col_back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
        col_text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    } else if (HasFocus()) {
        col_back = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        col_text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    } else {
        col_back = wxColour(200, 200, 200);
        col_text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    }
}

void ItemListView::DrawRow(wxDC& dc, int i_row, const wxRect& rc_row)
{
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr)
        return;
    const LPARAM l_key = GetList().GetItemData(i_row);
    const int n_cols = GetList().GetColumnCount();
    std::vector<std::string>* p_texts = nullptr;
    if (IsDocumentBusy()) {
        // A rostering run changes the records: the texts last drawn stand.
        auto it = mDrawn.find(l_key);
        if (it == mDrawn.end())
            return;
        p_texts = &it->second;
    } else {
        ILVRecord p_record = GetRecord(i_row);
        if (p_record == nullptr)
            return;
        std::vector<std::string>& v = mDrawn[l_key];
        v.resize(static_cast<std::size_t>(n_cols));
        for (int c = 0; c < n_cols; ++c)
            v[static_cast<std::size_t>(c)] = GetFieldText(p_record, c);
        p_texts = &v;
    }

    wxColour col_back, col_text;
    GetRowColours(i_row, col_back, col_text);
    const wxRect rc_fill(rc_row.x, rc_row.y, std::max(rc_row.width, p_list->GetClientSize().x), rc_row.height);
    dc.SetBrush(wxBrush(col_back));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rc_fill);
    dc.SetTextForeground(col_text);
    const int i_margin = 2 * dc.GetTextExtent(" ").x;

    std::vector<int> v_order;
    GetList().GetColumnOrderArray(v_order);
    int i_x = rc_row.x;
    for (int i_col : v_order) {
        const int i_width = GetList().GetColumnWidth(i_col);
        wxRect rc_text(i_x, rc_row.y, i_width, rc_row.height);
        i_x += i_width;
        if (i_width <= 0 || i_col >= static_cast<int>(p_texts->size()))
            continue;
        if (i_col == 0) {
            // The label part of the first cell starts a little in.
            rc_text.x += 2;
            rc_text.width -= i_margin + 2;
        } else {
            rc_text.x += i_margin;
            rc_text.width -= 2 * i_margin;
        }
        if (rc_text.width <= 0)
            continue;
        const wxString s_text = wxControl::Ellipsize(ToWx((*p_texts)[static_cast<std::size_t>(i_col)]), dc,
                                                     wxELLIPSIZE_END, rc_text.width, wxELLIPSIZE_FLAGS_NONE);
        wxDCClipper clip(dc, rc_text);
        dc.DrawLabel(s_text, rc_text, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    }
    if (GetList().GetItemState(i_row, LVIS_FOCUSED))
        wxRendererNative::Get().DrawFocusRect(p_list, dc, rc_fill, 0);
}

void ItemListView::AddMarginRoom(int i_first, int i_last)
{
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr)
        return;
    const int i_margin = 2 * p_list->GetTextExtent(" ").x;
    for (int c = std::max(i_first, 0); c <= i_last && c < p_list->GetColumnCount(); ++c) {
        // The list allows 8 (first column) or 16 around a text.
        const int i_extra = c == 0 ? i_margin + 2 - 8 : 2 * i_margin - 16;
        if (i_extra > 0)
            p_list->SetColumnWidth(c, p_list->GetColumnWidth(c) + i_extra + 2);
    }
}

void ItemListView::AutoSize(int i_column)
{
    ItemListCore::AutoSize(i_column);
    AddMarginRoom(i_column, i_column);
}

void ItemListView::AutoSizeAll()
{
    ItemListCore::AutoSizeAll();
    AddMarginRoom(0, GetList().GetColumnCount() - 1);
}

// -------------------------------------------------------------- drag, drop

wxDragResult ItemListView::DropEffect(wxDragResult e_suggested)
{
    return e_suggested == wxDragNone || e_suggested == wxDragError ? e_suggested : wxDragCopy;
}

bool ItemListView::OnDropText(const wxString& s_text)
{
    // The desktop hands text over as UTF-8; the records keep code page 1252.
    std::string s_bad;
    const std::string s_utf8(s_text.utf8_str());
    const std::string s_cp1252 = Utf8ToCp1252(s_utf8, &s_bad).value_or(std::string());
    const int i_result = AddFromText(s_cp1252);
    UpdateStatusText();
    if (ZelListCtrl* p_list = GetListCtrl())
        p_list->Refresh();
    return i_result != 0;
}

// ---------------------------------------------------------------- commands

void ItemListView::BindCommands()
{
    const auto bind_selected = [this](UINT u_command, std::function<void()> f_run) {
        if (f_run)
            Bind(wxEVT_MENU, [f_run](wxCommandEvent&) { f_run(); }, CommandWxId(u_command));
        Bind(
            wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(HasSelection() != FALSE); },
            CommandWxId(u_command));
    };
    bind_selected(ID_EDIT_COPY, [] {});
    bind_selected(ID_EDIT_CUT, [] {});
    bind_selected(ID_LIST_SELECTED_UPDATE, nullptr);
    bind_selected(ID_EDIT_CLEAR, [this] { DeleteSelected(); });
    bind_selected(ID_LIST_CHANGE, [this] { ChangeSelected(); });
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnAdd(); }, CommandWxId(ID_LIST_ADD));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PrintList(FALSE); }, CommandWxId(ID_FILE_PRINT));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PrintList(TRUE); }, CommandWxId(ID_FILE_PRINT_PREVIEW));
}

BOOL ItemListView::PrintList(BOOL b_preview)
{
    GetPrintColumnIds().RemoveAll();
    SetPrintColumnCount(0);
    if (!SelectPrintColumns())
        return FALSE;
    return RunListPrint(*this, b_preview);
}
