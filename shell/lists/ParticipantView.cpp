#include "shell/lists/ParticipantView.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/LabelLayout.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/WxCommands.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <wx/menu.h>

namespace {

// The core in the program: the orientation goes to the application.
class WxParticipantViewCore : public ParticipantViewCore {
public:
    using ParticipantViewCore::ParticipantViewCore;

protected:
    void SetPortrait(BOOL b_portrait) override
    {
        if (CRotavexApp* p_app = TheApp())
            p_app->SetPortrait(b_portrait);
    }
};

} // namespace

ParticipantView::ParticipantView() : pCore(std::make_unique<WxParticipantViewCore>(*this))
{
    SetColumnDefs(ParticipantViewCore::ColumnDefs());
    BuildColumnTitles();
    pCore->FillImportFields(ImportFields);
    BindParticipantCommands();
}

ParticipantView::~ParticipantView() = default;

// ------------------------------------------------------------------ rows

void ParticipantView::FillList()
{
    SetRedraw(FALSE);
    if (GetList().GetColumnCount() == 0) {
        // A new view starts with names first name first and no sort.
        pCore->ResetSort();
        pCore->InsertColumns();
    }
    pCore->AddRows();
    AutoSize(-1);
    SetRedraw(TRUE);
}

void ParticipantView::AutoSize(int i_column)
{
    ItemLVLabels::AutoSize(i_column);
    FitComputedColumns(i_column < 0 ? 0 : i_column, i_column < 0 ? GetList().GetColumnCount() - 1 : i_column);
}

void ParticipantView::AutoSizeAll()
{
    ItemLVLabels::AutoSizeAll();
    FitComputedColumns(0, GetList().GetColumnCount() - 1);
}

void ParticipantView::FitComputedColumns(int i_first, int i_last)
{
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr)
        return;
    ZelListModel& list = GetList();
    i_first = std::max(0, i_first);
    i_last = std::min(i_last, list.GetColumnCount() - 1);
    // As many rows as the list itself measures, and the room it leaves
    // around a text with the view's margins; the heading fits as well.
    const int n_rows = std::min(list.GetItemCount(), ZelListModel::iMaxRowScan);
    const int i_room = 4 * p_list->GetTextWidth(" ") + 2;
    for (int c = i_first; c <= i_last; ++c) {
        int i_width = p_list->GetTextWidth(ParticipantViewCore::GetListColumnTitle(c)) + 8;
        for (int r = 0; c > 0 && r < n_rows; ++r)
            i_width = std::max(i_width, p_list->GetTextWidth(GetListText(r, c)));
        if (i_width + i_room > list.GetColumnWidth(c))
            list.SetColumnWidth(c, i_width + i_room);
    }
}

int ParticipantView::GetRecordCount()
{
    const EventDoc* p_doc = GetEventDoc();
    return p_doc != nullptr ? p_doc->GetParticipants().GetNumParticipants() : 0;
}

std::string ParticipantView::GetFieldText(ILVRecord p_record, int i_column)
{
    return pCore->GetColumnText(static_cast<const Participant*>(p_record), i_column);
}

std::string ParticipantView::GetRecordText(ILVRecord p_record, int i_column)
{
    return pCore->GetRecordText(static_cast<const Participant*>(p_record), i_column);
}

std::string ParticipantView::GetCellText(int i_row, int i_column)
{
    ZEL_ASSERT(!bPrintLabels);
    if (i_row < 0 || i_row >= GetRowCount())
        return {};
    return GetRecordText(GetRecord(i_row), i_column);
}

// ---------------------------------------------------------------- labels

std::string ParticipantView::GetLabelText(IPrintCanvas& dc, int i_row, CRect& rc)
{
    const Participant* p_part = pCore->GetRecord(i_row);
    if (p_part == nullptr)
        return {};
    CanvasMeasurePort port(dc);
    return ParticipantViewCore::GetLabelText(port, *p_part, rc);
}

// ---------------------------------------------------------------- import

void ParticipantView::ImportFromText(const std::string& s_key, const std::string& s_text)
{
    ItemListView::ImportFromText(s_key, s_text);
    UpdateStatusText();
}

void ParticipantView::ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path)
{
    ItemListView::ImportFromFile(s_key, s_name, s_path);
    UpdateStatusText();
}

// -------------------------------------------------------------- commands

void ParticipantView::BindParticipantCommands()
{
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnAdd(); }, CommandWxId(ID_ADD_PARTICIPANT));
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, CommandWxId(ID_ADD_PARTICIPANT));
    const struct {
        UINT uCommand;
        UINT uMask;
    } a_prefs[] = {
        {ID_APPLY_ALL_PREFS, ParticipantViewCore::e_pref_all},
        {ID_APPLY_LIMITS_PREFS, ParticipantViewCore::e_pref_limits},
        {ID_APPLY_ROSTER_PREFS, ParticipantViewCore::e_pref_rostering},
    };
    for (const auto& pref : a_prefs) {
        const UINT u_mask = pref.uMask;
        Bind(wxEVT_MENU, [this, u_mask](wxCommandEvent&) { pCore->ApplyPreferences(u_mask); },
             CommandWxId(pref.uCommand));
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(pCore->CanApplyPreferences() != FALSE); },
             CommandWxId(pref.uCommand));
    }
    for (UINT u_command : {ID_UNROSTER, ID_UNROSTER_TOOL}) {
        Bind(wxEVT_MENU, [this](wxCommandEvent&) { pCore->Unroster(); }, CommandWxId(u_command));
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(pCore->CanUnroster() != FALSE); },
             CommandWxId(u_command));
    }
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { pCore->SendMail(); }, CommandWxId(ID_SEND_MAIL));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(pCore->CanSendMail() != FALSE); },
         CommandWxId(ID_SEND_MAIL));
}

std::unique_ptr<wxMenu> ParticipantView::MakeContextMenu()
{
    auto p_menu = std::make_unique<wxMenu>();
    p_menu->Append(CommandWxId(ID_LIST_CHANGE), "C&hange");
    p_menu->Append(CommandWxId(ID_EDIT_CLEAR), "&Delete");
    p_menu->AppendSeparator();
    p_menu->Append(CommandWxId(ID_APPLY_ROSTER_PREFS), "Apply participant &rostering preferences");
    p_menu->Append(CommandWxId(ID_UNROSTER), "&Un-roster");
    if (!HasSelection()) {
        // Un-roster without a selection covers everyone.
        for (wxMenuItem* p_item : p_menu->GetMenuItems())
            if (!p_item->IsSeparator() && p_item->GetId() != CommandWxId(ID_UNROSTER))
                p_item->Enable(false);
    }
    return p_menu;
}

// ---------------------------------------------------------- registration

bool RegisterParticipantView()
{
    return RegisterLabelPane(kParticipantView, []() -> ItemLVLabels* { return new ParticipantView; });
}
