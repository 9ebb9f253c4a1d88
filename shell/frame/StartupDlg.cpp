#include "shell/frame/StartupDlg.h"

#include "framework/Encoding.h"
#include "framework/ui/WxIds.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

RVXStartup::RVXStartup(wxWindow* p_parent, const std::vector<std::string>& v_recent, const std::string& s_folder,
                       BOOL b_openLast)
    : wxDialog(p_parent, WxId(IDD_STARTUP), "Start Rotavex"), Rows(StartupRules::MakeRecentRows(v_recent, s_folder)),
      bOpenLast(b_openLast)
{
    auto* p_top = new wxBoxSizer(wxVERTICAL);
    auto* p_welcome = new wxStaticText(this, wxID_ANY,
                                       "Welcome to Rotavex.  Create a new event, or carry on with one of your "
                                       "events.");
    p_top->Add(p_welcome, 0, wxALL, 10);

    auto* p_body = new wxBoxSizer(wxHORIZONTAL);
    auto* p_buttons = new wxBoxSizer(wxVERTICAL);
    const struct {
        int iId;
        const char* pLabel;
    } a_buttons[] = {
        {IDC_STARTUP_NEW, "Create a &New Event"},
        {IDC_STARTUP_OPEN, "&Open an Existing Event"},
        {IDC_STARTUP_SAMPLE, "Open a &Sample Event"},
        {IDC_STARTUP_EXIT, "E&xit"},
    };
    for (const auto& b : a_buttons) {
        auto* p_button = new wxButton(this, WxId(b.iId), b.pLabel);
        p_buttons->Add(p_button, 0, wxEXPAND | wxBOTTOM, 6);
        if (b.iId == IDC_STARTUP_EXIT)
            p_buttons->InsertStretchSpacer(p_buttons->GetItemCount() - 1);
    }
    p_body->Add(p_buttons, 0, wxEXPAND | wxRIGHT, 12);

    auto* p_files = new wxBoxSizer(wxVERTICAL);
    p_files->Add(new wxStaticText(this, wxID_ANY, "Select an &Event:"), 0, wxBOTTOM, 4);
    pList = new ZelListCtrl(this, WxId(IDC_STARTUP_FILES), wxDefaultPosition, FromDIP(wxSize(440, 150)),
                            LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    p_files->Add(pList, 1, wxEXPAND);
    pOpenLast = new wxCheckBox(this, WxId(IDC_STARTUP_OPEN_LAST), "In future, open the &last file I was working with.");
    p_files->Add(pOpenLast, 0, wxTOP, 8);
    p_body->Add(p_files, 1, wxEXPAND);
    p_top->Add(p_body, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(p_top);
    CentreOnScreen();

    Bind(wxEVT_INIT_DIALOG, &RVXStartup::OnInit, this);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndWith(IDC_STARTUP_NEW); }, WxId(IDC_STARTUP_NEW));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOpen(); }, WxId(IDC_STARTUP_OPEN));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndWith(IDC_STARTUP_SAMPLE); }, WxId(IDC_STARTUP_SAMPLE));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndWith(IDC_STARTUP_EXIT); }, WxId(IDC_STARTUP_EXIT));
    Bind(wxEVT_ZEL_NOTIFY, &RVXStartup::OnListNotify, this, WxId(IDC_STARTUP_FILES));
}

void RVXStartup::OnInit(wxInitDialogEvent& event)
{
    event.Skip();
    pOpenLast->SetValue(bOpenLast != FALSE);
    if (!Rows.vRows.empty()) {
        pList->InsertColumn(0, "File name");
        pList->InsertColumn(1, "Event name");
        for (const StartupRules::RecentRow& row : Rows.vRows) {
            // Paths are the system's (UTF-8); the list shows the program's
            // text.
            const std::string s_display = Utf8ToCp1252(row.sDisplay).value_or(row.sDisplay);
            const int i_row = pList->InsertItem(pList->GetItemCount(), s_display.c_str(), row.iIndex);
            pList->SetItemText(i_row, 1, row.sEventName);
        }
    }
    pList->SetExtendedListStyle(pList->GetExtendedListStyle() | LVS_EX_FULLROWSELECT);
    pList->AutoSizeColumns();

    // "Open last" with the last file readable: the dialog answers itself.
    if (bOpenLast && Rows.bFirstReadable) {
        iChosen = Rows.vRows.front().iIndex;
        CallAfter([this] { EndModal(IDC_STARTUP_OPEN); });
    }
}

void RVXStartup::TakeData()
{
    bOpenLast = pOpenLast->GetValue() ? TRUE : FALSE;
}

void RVXStartup::EndWith(int i_result)
{
    TakeData();
    EndModal(i_result);
}

void RVXStartup::OnOpen()
{
    TakeData();
    const int i_row = pList->GetNextItem(-1, LVNI_SELECTED);
    if (i_row >= 0) {
        const auto l_index = static_cast<long>(pList->GetItemData(i_row));
        for (const StartupRules::RecentRow& row : Rows.vRows) {
            if (row.iIndex == l_index)
                iChosen = row.iIndex;
        }
    }
    EndModal(IDC_STARTUP_OPEN);
}

void RVXStartup::OnListNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == NM_DBLCLK)
        OnOpen();
    else
        event.Skip();
}
