#include "sheets/GroupMembPPage.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "sheets/GroupSheetIds.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <wx/bmpbuttn.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

namespace {

// The arrows of the add and remove buttons.
const char* const aAddXpm[] = {
    "16 16 2 1", ". c None", "b c #2E5C9A",
    "................", "................", "......b.........", "......bb........", "......bbb.......",
    "......bbbb......", "..bbbbbbbbb.....", "..bbbbbbbbbb....", "..bbbbbbbbbb....", "..bbbbbbbbb.....",
    "......bbbb......", "......bbb.......", "......bb........", "......b.........", "................",
    "................"};
const char* const aRemoveXpm[] = {
    "16 16 2 1", ". c None", "b c #2E5C9A",
    "................", "................", ".........b......", "........bb......", ".......bbb......",
    "......bbbb......", ".....bbbbbbbbb..", "....bbbbbbbbbb..", "....bbbbbbbbbb..", ".....bbbbbbbbb..",
    "......bbbb......", ".......bbb......", "........bb......", ".........b......", "................",
    "................"};
// A member, and a member that rostering put into the group.
const char* const aMemberXpm[] = {
    "16 16 3 1", ". c None", "k c #4A4A55", "s c #8FA8C8",
    "................", "......kkkk......", ".....kssssk.....", ".....kssssk.....", ".....kssssk.....",
    "......kkkk......", "................", "....kkkkkkkk....", "...kssssssssk...", "..kssssssssssk..",
    "..kssssssssssk..", "..kssssssssssk..", "..kkkkkkkkkkkk..", "................", "................",
    "................"};
const char* const aRosteredXpm[] = {
    "16 16 4 1", ". c None", "k c #4A4A55", "s c #8FA8C8", "g c #2C8A2C",
    "................", "......kkkk......", ".....kssssk.....", ".....kssssk.....", ".....kssssk......",
    "......kkkk......", "................", "....kkkkkkk.....", "...ksssssss...g.", "..ksssssss...gg.",
    "..kssssssgg.gg..", "..ksssssssgggg..", "..kkkkkkkk.gg...", "................", "................",
    "................"};

constexpr int kIconSize = 16;
constexpr int kIconRoom = kIconSize + 4;

// The members list: the in-place editing list, with the member icons in
// front of the names while the group has rostered members.
class MembersListCtrl : public ZelEditListCtrl {
public:
    MembersListCtrl(wxWindow* p_parent, wxWindowID i_id) : ZelEditListCtrl(p_parent, i_id) {}

    void SetIcons(bool b_icons)
    {
        bIcons = b_icons;
        if (b_icons) {
            aIcons[0] = wxBitmap(aMemberXpm);
            aIcons[1] = wxBitmap(aRosteredXpm);
            SetImageList(LVSIL_SMALL, kIconSize, kIconSize, 2);
        }
    }
    bool HasIcons() const { return bIcons; }
    void FitColumns()
    {
        AutoSizeColumns();
        if (bIcons && GetColumnCount() > 0)
            SetColumnWidth(0, GetColumnWidth(0) + kIconRoom);
    }

protected:
    void DrawRow(wxDC& dc, int i_row, const wxRect& rc_row) override
    {
        ZelEditListCtrl::DrawRow(dc, i_row, rc_row);
        if (!bIcons || GetColumnCount() == 0)
            return;
        // Column 0 again, its text moved right of the icon.
        std::vector<int> v_order;
        GetColumnOrderArray(v_order);
        int i_x = rc_row.x;
        for (int i_col : v_order) {
            if (i_col == 0)
                break;
            i_x += GetColumnWidth(i_col);
        }
        const wxRect rc_cell(i_x, rc_row.y, GetColumnWidth(0), rc_row.height);
        const bool b_selected = GetItemState(i_row, LVIS_SELECTED) != 0;
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(b_selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(rc_cell);
        ZelLVItem item;
        item.uMask = LVIF_IMAGE;
        item.iItem = i_row;
        ZelListModel::GetItem(item);
        const int i_image = item.iImage == GroupMembersRules::e_image_rostered ? 1 : 0;
        wxDCClipper clip(dc, rc_cell);
        dc.DrawBitmap(aIcons[i_image], rc_cell.x + 2, rc_cell.y + (rc_cell.height - kIconSize) / 2, true);
        dc.SetTextForeground(
            wxSystemSettings::GetColour(b_selected ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_WINDOWTEXT));
        const wxRect rc_text(rc_cell.x + kIconRoom, rc_cell.y, std::max(0, rc_cell.width - kIconRoom - 4),
                             rc_cell.height);
        dc.DrawLabel(ToWx(GetItemText(i_row, 0)), rc_text, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    }

private:
    bool bIcons = false;
    wxBitmap aIcons[2];
};

MembersListCtrl& Members(ZelEditListCtrl& list) { return static_cast<MembersListCtrl&>(list); }

} // namespace

GroupMembPPage::GroupMembPPage(wxWindow* p_book, EventDoc* p_doc)
    : GroupEditingPPage(p_book, "Members", p_doc, IDS_GROUP_MEMBERS_DESC), Rules(p_doc)
{
    pParticipantsCaption = new wxStaticText(this, wxID_ANY, "&Participants:");
    pParticipants = new ZelListCtrl(this, IDC_GROUP_PARTICIPANTS);
    pAdd = new wxBitmapButton(this, IDC_GROUP_MEMBER_ADD, wxBitmap(aAddXpm));
    pRemove = new wxBitmapButton(this, IDC_GROUP_MEMBER_REMOVE, wxBitmap(aRemoveXpm));
    pAdd->SetToolTip("Add the selected participants to the group");
    pRemove->SetToolTip("Remove the selected members from the group");
    pMembersCaption = new wxStaticText(this, IDC_GROUP_MEMBERS_CAPTION, "Group &Members:");
    pMembers = new MembersListCtrl(this, IDC_GROUP_MEMBERS);
    pDescription = MakeDescription(this);
    PlaceDlgUnits(*pParticipantsCaption, 7, 7, 110, 14);
    PlaceDlgUnits(*pParticipants, 7, 22, 110, 144);
    PlaceDlgUnits(*pAdd, 122, 62, 18, 16);
    PlaceDlgUnits(*pRemove, 122, 84, 18, 16);
    PlaceDlgUnits(*pMembersCaption, 145, 7, 112, 14);
    PlaceDlgUnits(*pMembers, 145, 22, 112, 144);
    PlaceDlgUnits(*pDescription, 7, 172, 250, 28);

    pAdd->Bind(wxEVT_BUTTON, &GroupMembPPage::OnAdd, this);
    pRemove->Bind(wxEVT_BUTTON, &GroupMembPPage::OnRemove, this);
    Bind(wxEVT_MENU, &GroupMembPPage::OnMove, this, WxId(ID_PAGE_MOVE_UP));
    Bind(wxEVT_MENU, &GroupMembPPage::OnMove, this, WxId(ID_PAGE_MOVE_DOWN));
    Bind(wxEVT_ZEL_NOTIFY, &GroupMembPPage::OnParticipantsNotify, this, IDC_GROUP_PARTICIPANTS);
    Bind(wxEVT_ZEL_NOTIFY, &GroupMembPPage::OnMembersNotify, this, IDC_GROUP_MEMBERS);
    // While a role is typed every key belongs to its editor: the page would
    // take it first (for the toolbar's keys) and the editor would never see
    // it.
    pMembers->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (pMembers->IsEditing())
            event.StopPropagation();
        event.Skip();
    });
}

bool GroupMembPPage::OnInitDialog()
{
    GroupEditingPPage::OnInitDialog();
    Rules.UpdateRosteredMembers();
    pToolBar = AddToolBar(IDC_GROUP_MEMBERS, pMembersCaption, PTB_MOVE, modeMove, modeFixed);
    // The two captions stay level: the toolbar made its caption one bar
    // high.
    const wxRect rc_caption = pMembersCaption->GetRect();
    pParticipantsCaption->SetSize(pParticipantsCaption->GetPosition().x, rc_caption.y,
                                  pParticipantsCaption->GetSize().x, rc_caption.height);
    Members(*pMembers).SetIcons(Rules.HasRosteredMembers() != FALSE);
    FillLists();
    AddSzControl(*pParticipantsCaption, modeFixed, modeFixed);
    AddSzControl(*pParticipants, modeFixed, modeStretch);
    AddSzControl(*pMembersCaption, modeStretch, modeFixed);
    AddSzControl(*pMembers, modeStretch, modeStretch);
    AddSzControl(*pDescription, modeStretch, modeMove);
    for (ZelListModel* p_list : {static_cast<ZelListModel*>(pParticipants), static_cast<ZelListModel*>(pMembers)})
        p_list->SetExtendedListStyle(p_list->GetExtendedListStyle() | LVS_EX_FULLROWSELECT);
    UpdateToolBar();
    CallAfter([this] { OnFirstSort(); });
    return true;
}

void GroupMembPPage::OnFirstSort()
{
    if (bFirstSort)
        return;
    Rules.SortParticipants(*pParticipants, GroupMembersRules::e_col_name, FALSE);
    if (pParticipants->GetItemCount() > 0)
        pParticipants->SetFocusItem(0);
    pParticipants->SetFocusDrawn(TRUE);
    pParticipants->AutoSizeColumns();
    bFirstSort = true;
}

void GroupMembPPage::FillLists()
{
    Rules.FillParticipants(*pParticipants);
    pMembers->AddEditColumn(GroupMembersRules::e_col_role, ZelEditListRules::editBox, FALSE, TRUE);
    Rules.FillMembers(*pMembers);
    Members(*pMembers).FitColumns();
    if (bFirstSort)
        Rules.ReSortParticipants(*pParticipants);
    bListsFilled = true;
}

void GroupMembPPage::UpdateToolBar()
{
    if (pToolBar == nullptr)
        return;
    const bool b_selected = pMembers->GetSelectedCount() > 0;
    EnableToolBarButton(pToolBar, ID_PAGE_MOVE_UP, b_selected);
    EnableToolBarButton(pToolBar, ID_PAGE_MOVE_DOWN, b_selected);
}

BOOL GroupMembPPage::SavePage(Group& group, std::string&)
{
    Rules.Save(group);
    return TRUE;
}

void GroupMembPPage::LoadPage(const Group& group) { Rules.Load(group); }

void GroupMembPPage::ReloadPage()
{
    LoadPage(GetGroup());
    if (HasInitialisedPage()) {
        TransferDataToWindow();
        FillLists();
        UpdateToolBar();
    }
}

bool GroupMembPPage::IsEditingInPlace() const { return pMembers->IsEditing(); }

bool GroupMembPPage::OnKillActive()
{
    if (IsEditingInPlace())
        return false;
    // The order, the moves and the roles typed in place reach the copy.
    if (bListsFilled)
        Rules.RebuildFromList(*pMembers);
    return GroupEditingPPage::OnKillActive();
}

void GroupMembPPage::OnAdd(wxCommandEvent&)
{
    if (!pMembers->EndEdit())
        return;
    if (!Rules.Add(*pParticipants, *pMembers))
        return;
    Members(*pMembers).FitColumns();
    UpdateToolBar();
    OnEditChange();
}

void GroupMembPPage::OnRemove(wxCommandEvent&)
{
    if (!pMembers->EndEdit())
        return;
    if (!Rules.Remove(*pParticipants, *pMembers))
        return;
    Members(*pMembers).FitColumns();
    UpdateToolBar();
    OnEditChange();
}

void GroupMembPPage::OnMove(wxCommandEvent& event)
{
    if (!pMembers->EndEdit())
        return;
    // The printed order changes; Undo stays as it was.
    Rules.Move(*pMembers, event.GetId() == WxId(ID_PAGE_MOVE_UP));
    pMembers->EnsureFocusVisible(FALSE);
}

void GroupMembPPage::OnParticipantsNotify(ZelNotifyEvent& event)
{
    switch (event.GetCode()) {
    case LVN_GETDISPINFO:
        if (auto* p_info = event.GetRecordAs<ZelLVDispInfo>()) {
            std::string s_text = Rules.ParticipantText(p_info->item.lParam, p_info->item.iSubItem);
            if (p_info->iTextMax > 0 && static_cast<int>(s_text.size()) > p_info->iTextMax - 1)
                s_text.resize(static_cast<std::size_t>(p_info->iTextMax - 1));
            p_info->item.sText = s_text;
            event.Answer();
        }
        break;
    case LVN_COLUMNCLICK:
        if (const auto* p_nm = event.GetRecordAs<ZelNMListView>())
            Rules.SortParticipants(*pParticipants, p_nm->iSubItem, TRUE);
        break;
    default: event.Skip(); break;
    }
}

void GroupMembPPage::OnMembersNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == LVN_ITEMCHANGED)
        UpdateToolBar();
    event.Skip();
}
