#include "shell/lists/GroupView.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/WxCommands.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <wx/menu.h>

namespace {

enum : UINT {
    IDS_GROUPS_TITLE = 59157,
    IDS_GROUP_TITLE = 59166,
    IDS_GROUP_NOUN_ONE = 59148,
    IDS_GROUPS_NOUN = 59151,
    IDS_GROUPS_COUNT = 59154,
};

// Menu 266, the pane's context menu (0: a separator).
struct MenuItem {
    UINT uCommand;
    const char* pLabel;
};
const MenuItem aContextMenu[] = {
    {ID_LIST_CHANGE, "C&hange"},
    {ID_EDIT_CLEAR, "&Delete"},
    {0, nullptr},
    {GroupView::ID_APPLY_ROSTER_PREFS, "Apply group &rostering preferences"},
};

// The core in the program: the selection hint goes to every view but this
// one, and the orientation to the application.
class WxGroupViewCore : public GroupViewCore {
public:
    WxGroupViewCore(GroupView& view) : GroupViewCore(view), View(view) {}

protected:
    void SendSelectionHint(const UpdateViewHint& hint) override
    {
        if (wxDocument* p_doc = View.GetDocument()) {
            CViewHint wx_hint(hint);
            p_doc->UpdateAllViews(&View, &wx_hint);
        }
    }
    void SetPortrait(BOOL b_portrait) override
    {
        if (CRotavexApp* p_app = TheApp())
            p_app->SetPortrait(b_portrait);
    }

private:
    GroupView& View;
};

} // namespace

GroupView::GroupView() : pCore(std::make_unique<WxGroupViewCore>(*this))
{
    SetColumnDefs(GroupViewCore::ColumnDefs());
    BuildColumnTitles();
    pCore->FillImportFields(ImportFields);
    BindGroupCommands();
}

GroupView::~GroupView() = default;

// ------------------------------------------------------------------ rows

void GroupView::FillList()
{
    SetRedraw(FALSE);
    if (GetList().GetColumnCount() == 0)
        pCore->InsertColumns();
    pCore->AddRows();
    AutoSizeAll();
    SetRedraw(TRUE);
}

void GroupView::OnUpdate(wxView* p_sender, wxObject* p_hint)
{
    ItemListView::OnUpdate(p_sender, p_hint);
    // The pane's first fill comes before an event is open: the columns are
    // fitted once there are groups to fit them to.
    if (!bFitted && GetListCtrl() != nullptr && GetList().GetItemCount() > 0 && !IsDocumentBusy()) {
        bFitted = true;
        AutoSizeAll();
        GetListCtrl()->UpdateLayout();
        GetListCtrl()->Refresh();
    }
}

void GroupView::ApplyLayout(const ViewLayout& layout)
{
    ItemListView::ApplyLayout(layout);
    bFitted = true;
}

void GroupView::AutoSizeAll()
{
    ItemListView::AutoSizeAll();
    FitColumnsToTexts();
}

void GroupView::FitColumnsToTexts()
{
    // The rows are drawn from the groups, so the list's own fitting sees
    // only the titles: each column is widened to its widest text, within
    // reason for the long ones (members, addresses).
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr || IsDocumentBusy())
        return;
    const int i_margin = 2 * p_list->GetTextWidth(" ");
    const int i_most = p_list->FromDIP(400);
    // As many rows as the list itself measures when it fits a column: an
    // event of thousands of groups opens without a text of each measured.
    const int n_rows = std::min(GetList().GetItemCount(), ZelListModel::iMaxRowScan);
    for (int c = 0; c < GetList().GetColumnCount(); ++c) {
        // The title with room for the sort arrow.
        int i_width = std::max(GetList().GetColumnWidth(c),
                               p_list->GetTextWidth(GroupViewCore::GetListColumnTitle(c)) + 2 * i_margin
                                   + p_list->FromDIP(16));
        for (int r = 0; r < n_rows && i_width < i_most; ++r)
            i_width = std::max(i_width, p_list->GetTextWidth(GetListText(r, c)) + 2 * i_margin + 2);
        GetList().SetColumnWidth(c, std::min(i_width, i_most));
    }
}

BOOL GroupView::AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag)
{
    return pCore->AddRecordByName(name, s_error, b_flag);
}

int GroupView::GetRecordCount()
{
    const EventDoc* p_doc = GetEventDoc();
    return p_doc != nullptr ? p_doc->GetGroups().GetNumGroups() : 0;
}

std::string GroupView::GetPluralTitle() { return LoadResString(IDS_GROUPS_TITLE, "Groups"); }
std::string GroupView::GetSingularTitle() { return LoadResString(IDS_GROUP_TITLE, "Group"); }
std::string GroupView::GetSingularNoun() { return LoadResString(IDS_GROUP_NOUN_ONE, "group"); }
std::string GroupView::GetPluralNoun() { return LoadResString(IDS_GROUPS_NOUN, "groups"); }
std::string GroupView::GetCountNoun() { return LoadResString(IDS_GROUPS_COUNT, "group(s)"); }

std::string GroupView::GetFieldText(ILVRecord p_record, int i_column)
{
    return pCore->GetFieldText(static_cast<const Group*>(p_record), i_column);
}

std::string GroupView::GetListText(int i_row, int i_column) { return GetFieldText(GetRecord(i_row), i_column); }

std::string GroupView::GetRecordText(ILVRecord p_record, int i_column)
{
    return pCore->GetRecordText(static_cast<const Group*>(p_record), i_column);
}

std::string GroupView::GetCellText(int i_row, int i_column)
{
    ZEL_ASSERT(!bPrintLabels);
    if (i_row < 0 || i_row >= GetRowCount())
        return {};
    return GetRecordText(GetRecord(i_row), i_column);
}

// ------------------------------------------------------------- selection

void GroupView::UnselectAll()
{
    std::vector<int> v_rows;
    for (int i = GetList().GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetList().GetNextItem(i, LVNI_SELECTED))
        v_rows.push_back(i);
    for (int i_row : v_rows)
        UnselectItem(i_row);
}

BOOL GroupView::SelectItem(int i_row)
{
    if (!ItemListCore::SelectItem(i_row))
        return FALSE;
    pCore->MarkSelected(i_row, GroupViewCore::e_mark_select);
    return TRUE;
}

BOOL GroupView::UnselectItem(int i_row)
{
    if (!ItemListCore::UnselectItem(i_row))
        return FALSE;
    pCore->MarkSelected(i_row, GroupViewCore::e_mark_unselect);
    return TRUE;
}

BOOL GroupView::ToggleSelect(int i_row)
{
    if (!ItemListCore::ToggleSelect(i_row))
        return FALSE;
    pCore->MarkSelected(i_row, GroupViewCore::e_mark_toggle);
    return TRUE;
}

// ---------------------------------------------------------------- labels

std::string GroupView::GetLabelText(IPrintCanvas& dc, int i_row, CRect& rc)
{
    const Group* p_group = pCore->GetRecord(i_row);
    if (p_group == nullptr)
        return {};
    CanvasMeasurePort port(dc);
    return GroupFieldTexts::GetLabelText(port, *p_group, rc);
}

// ---------------------------------------------------------------- import

// -------------------------------------------------------------- commands

void GroupView::BindGroupCommands()
{
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnAdd(); }, CommandWxId(ID_ADD_GROUP));
    const struct {
        UINT uCommand;
        UINT uMask;
    } a_prefs[] = {
        {ID_APPLY_ALL_PREFS, GroupViewCore::e_pref_all},
        {ID_APPLY_LIMITS_PREFS, GroupViewCore::e_pref_limits},
        {ID_APPLY_ALLOC_PREFS, GroupViewCore::e_pref_allocations},
        {ID_APPLY_ROSTER_PREFS, GroupViewCore::e_pref_rostering},
        {ID_APPLY_ROTATION_PREFS, GroupViewCore::e_pref_rotation},
    };
    for (const auto& pref : a_prefs) {
        const UINT u_mask = pref.uMask;
        Bind(wxEVT_MENU, [this, u_mask](wxCommandEvent&) { pCore->ApplyPreferences(u_mask); },
             CommandWxId(pref.uCommand));
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(HasSelection() != FALSE); },
             CommandWxId(pref.uCommand));
    }
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { pCore->SendMail(); }, CommandWxId(ID_SEND_MAIL));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(pCore->CanSendMail() != FALSE); },
         CommandWxId(ID_SEND_MAIL));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { pCore->SendMemberMail(); }, CommandWxId(ID_SEND_MEMBER_MAIL));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(pCore->CanSendMemberMail() != FALSE); },
         CommandWxId(ID_SEND_MEMBER_MAIL));
}

std::unique_ptr<wxMenu> GroupView::MakeContextMenu()
{
    auto p_menu = std::make_unique<wxMenu>();
    for (const MenuItem& item : aContextMenu) {
        if (item.uCommand == 0)
            p_menu->AppendSeparator();
        else
            p_menu->Append(CommandWxId(item.uCommand), item.pLabel);
    }
    if (!HasSelection()) {
        for (wxMenuItem* p_item : p_menu->GetMenuItems())
            if (!p_item->IsSeparator())
                p_item->Enable(false);
    }
    return p_menu;
}

// ---------------------------------------------------------- registration

bool RegisterGroupView()
{
    return RegisterLabelPane(kGroupView, []() -> ItemLVLabels* { return new GroupView; });
}
