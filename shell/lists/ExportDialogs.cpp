#include "shell/lists/ExportDialogs.h"

#include "framework/PortSlot.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "output/RecipientMail.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

namespace {

constexpr int iGapDlu = 4;

ZelListCtrl* NewList(wxWindow* p_parent, int i_id, const std::vector<std::string>& v_rows)
{
    auto* p_list = new ZelListCtrl(p_parent, WxId(i_id), wxDefaultPosition, p_parent->ConvertDialogToPixels(wxSize(100, 120)),
                                   LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER);
    p_list->SetExtendedListStyle(LVS_EX_FULLROWSELECT);
    p_list->InsertColumn(0, "");
    for (std::size_t i = 0; i < v_rows.size(); ++i)
        p_list->InsertItem(static_cast<int>(i), v_rows[i].c_str(), static_cast<LPARAM>(i));
    p_list->AutoSizeColumns();
    return p_list;
}

} // namespace

HtmlSelColumns::HtmlSelColumns(wxWindow* p_parent, const std::vector<std::string>& v_available,
                               std::vector<std::string>& v_selected)
    : wxDialog(p_parent, WxId(IDD_HTML_SEL_COLUMNS), "Select group information"), Selected(v_selected)
{
    const int i_gap = ConvertDialogToPixels(wxSize(iGapDlu, 0)).x;
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    const MoveListsRow lists = MakeMoveListsRow(
        *this, "&Available information:", "&Selected information:",
        [&](bool b_selected) {
            return b_selected ? NewList(this, IDC_SELECTED, v_selected) : NewList(this, IDC_AVAILABLE, v_available);
        },
        {IDC_ADD, IDC_ADD_ALL, IDC_REMOVE, IDC_REMOVE_ALL}, aMoves, [this](wxCommandEvent& event) { OnMove(event); });
    pAvailable = lists.pAvailable;
    pSelected = lists.pSelected;
    p_top->Add(lists.pSizer, 1, wxEXPAND);

    auto* p_note = new wxStaticText(this, wxID_ANY,
                                    "Select the information that you want to include about each group.  This "
                                    "information is shown with the group details (not in the timetable section "
                                    "of the HTML).");
    p_note->Wrap(ConvertDialogToPixels(wxSize(230, 0)).x);
    p_top->Add(p_note, 0, wxTOP, 2 * i_gap);

    FinishMoveListsDialog(*this, p_top);

    for (const int i_id : {IDC_AVAILABLE, IDC_SELECTED})
        Bind(wxEVT_ZEL_NOTIFY, &HtmlSelColumns::OnListNotify, this, WxId(i_id));
    UpdateButtons();
}

void HtmlSelColumns::UpdateButtons()
{
    aMoves[0]->Enable(pAvailable->GetSelectedCount() > 0);
    aMoves[1]->Enable(pAvailable->GetItemCount() > 0);
    aMoves[2]->Enable(pSelected->GetSelectedCount() > 0);
    aMoves[3]->Enable(pSelected->GetItemCount() > 0);
    // An empty choice is a choice: OK stays enabled.
    FindWindow(wxID_OK)->Enable();
}

void HtmlSelColumns::Move(ZelListCtrl& from, ZelListCtrl& to, bool b_all)
{
    if (b_all) {
        for (int i = 0; i < from.GetItemCount(); ++i)
            from.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    }
    // The target's own selection gives way to the rows moved in.
    for (int i = 0; i < to.GetItemCount(); ++i)
        to.SetItemState(i, 0, LVIS_SELECTED);
    std::unique_ptr<LPARAM[]> p_data;
    to.MoveSelFrom(from, p_data, 1, FALSE);
    from.AutoSizeColumns();
    to.AutoSizeColumns();
}

void HtmlSelColumns::OnMove(wxCommandEvent& event)
{
    const int i_id = event.GetId();
    if (i_id == WxId(IDC_ADD) || i_id == WxId(IDC_ADD_ALL))
        Move(*pAvailable, *pSelected, i_id == WxId(IDC_ADD_ALL));
    else
        Move(*pSelected, *pAvailable, i_id == WxId(IDC_REMOVE_ALL));
    UpdateButtons();
}

void HtmlSelColumns::OnListNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == LVN_ITEMCHANGED || event.GetCode() == NM_CLICK)
        UpdateButtons();
}

bool HtmlSelColumns::TransferDataFromWindow()
{
    Selected.clear();
    for (int i = 0; i < pSelected->GetItemCount(); ++i)
        Selected.push_back(pSelected->GetItemText(i, 0));
    return true;
}

BOOL WxHtmlColumnsPort::Ask(std::vector<std::string>& v_available, std::vector<std::string>& v_selected)
{
    wxWindow* p_parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    HtmlSelColumns dlg(p_parent, v_available, v_selected);
    return dlg.ShowModal() == wxID_OK ? TRUE : FALSE;
}

BOOL WxExportPort::CanExport(UINT u_command)
{
    return u_command == ExportCommands::ID_EXPORT_HTML || u_command == ExportCommands::ID_EXPORT_TEXT ? TRUE : FALSE;
}

void WxExportPort::Export(UINT u_command, EventDoc& doc)
{
    // The panes are the main frame's; without it no view answers.
    IPaneFinder* p_panes = nullptr;
    if (wxTheApp != nullptr)
        p_panes = dynamic_cast<CMainFrame*>(wxTheApp->GetTopWindow());
    if (u_command == ExportCommands::ID_EXPORT_HTML)
        ExportCommands::ExportHtml(doc, p_panes, CHighTime::GetPresentTime());
    else if (u_command == ExportCommands::ID_EXPORT_TEXT)
        ExportCommands::ExportText(doc, p_panes);
}

namespace {
WxHtmlColumnsPort g_columns;
WxExportPort g_export;

// The message bar's text while the mail program starts, and what the bar
// showed before it, put back when the start is over unless the bar has
// been given another text meanwhile.
wxString g_sMailShown;
wxString g_sBeforeMail;

void ShowMailStatus(const std::string& s_text)
{
    auto* p_frame = wxTheApp != nullptr ? dynamic_cast<CMainFrame*>(wxTheApp->GetTopWindow()) : nullptr;
    wxStatusBar* p_bar = p_frame != nullptr ? p_frame->GetStatusBar() : nullptr;
    if (p_bar == nullptr)
        return;
    if (!s_text.empty()) {
        g_sBeforeMail = p_bar->GetStatusText(0);
        g_sMailShown = ToWx(s_text);
        p_bar->SetStatusText(g_sMailShown, 0);
        // Painted now: the start holds the window a moment before the
        // loop runs again.
        p_bar->Update();
    } else if (p_bar->GetStatusText(0) == g_sMailShown) {
        p_bar->SetStatusText(g_sBeforeMail, 0);
    }
}
} // namespace

void InstallExportDialogs()
{
    SetHtmlColumnsPort(&g_columns);
    SetExportPort(&g_export);
    // A mail tool that fails only after a while is told in a message then,
    // without holding the window meanwhile.
    SetMailMainThreadPoster([](std::function<void()> f_call) {
        if (wxTheApp != nullptr)
            wxTheApp->CallAfter(std::move(f_call));
    });
    // A mail program that takes its time to start is not left silent.
    SetMailStatusShower(ShowMailStatus);
}

void RemoveExportDialogs()
{
    RemovePortIfOurs(GetHtmlColumnsPort, SetHtmlColumnsPort, g_columns);
    RemovePortIfOurs(GetExportPort, SetExportPort, g_export);
    SetMailMainThreadPoster({});
    SetMailStatusShower({});
}
