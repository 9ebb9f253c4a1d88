#include "zelkit/dialogs/ui/ZelSizing.h"

#include "framework/Resources.h"
#include "framework/ui/WxText.h"
#include "zelkit/dialogs/ZelProfile.h"

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/notebook.h>
#include <wx/simplebook.h>
#include <wx/sizer.h>
#include <wx/statline.h>

namespace {

wxWindow* Wnd(ZelSzHandle h) { return static_cast<wxWindow*>(h); }

std::string SectionText(UINT u_id)
{
    std::string s_section;
    LoadResourceString(u_id, s_section);
    return s_section;
}

ZelSizingPosition PlacementOf(const wxWindow& wnd)
{
    ZelSizingPosition pos;
    const wxRect rc = wnd.GetRect();
    pos.rcNormal = {rc.x, rc.y, rc.x + rc.width, rc.y + rc.height};
    pos.iMinX = pos.iMinY = pos.iMaxX = pos.iMaxY = -1;
    if (const auto* p_tlw = wxDynamicCast(&wnd, wxTopLevelWindow)) {
        pos.uShowCmd = p_tlw->IsIconized()   ? ZEL_SW_SHOWMINIMIZED
                       : p_tlw->IsMaximized() ? ZEL_SW_SHOWMAXIMIZED
                                              : ZEL_SW_SHOWNORMAL;
    } else {
        pos.uShowCmd = wnd.IsShown() ? ZEL_SW_SHOWNORMAL : ZEL_SW_HIDE;
    }
    return pos;
}

// The size hints of a window from its header's tracking limits.
void ApplyTrackingLimits(wxWindow& wnd, const ZelSizingControlInfo::Header& header)
{
    ZelMinMaxInfo info;
    header.OnGetMinMaxInfo(info);
    if (info.iMinTrackX < 0)
        return;
    wnd.SetSizeHints(info.iMinTrackX, info.iMinTrackY, info.iMaxTrackX, info.iMaxTrackY);
}

UINT SizeType(const wxWindow& wnd)
{
    if (const auto* p_tlw = wxDynamicCast(&wnd, wxTopLevelWindow)) {
        if (p_tlw->IsIconized())
            return ZEL_SIZE_MINIMIZED;
        if (p_tlw->IsMaximized())
            return ZEL_SIZE_MAXIMIZED;
    }
    return ZEL_SIZE_RESTORED;
}

void PlaceInDlgUnits(wxWindow& parent, wxWindow& ctrl, int i_x, int i_y, int i_cx, int i_cy)
{
    const wxPoint pt = parent.ConvertDialogToPixels(wxPoint(i_x, i_y));
    const wxSize sz = parent.ConvertDialogToPixels(wxSize(i_cx, i_cy));
    ctrl.SetSize(pt.x, pt.y, sz.x, sz.y, wxSIZE_ALLOW_MINUS_ONE);
}

void DeleteChildrenOf(wxWindow& wnd, ZelSizingControlInfo::Header& header)
{
    // Copy first: deleting a record may make a child drop its own records,
    // but never changes this window's children.
    const wxWindowList children = wnd.GetChildren();
    for (wxWindow* p_child : children)
        header.DeleteControl(p_child);
}

} // namespace

// ---------------------------------------------------------------- the port

ZelWxSizingPort& ZelWxSizingPort::Get()
{
    static ZelWxSizingPort port;
    return port;
}

bool ZelWxSizingPort::IsWindow(ZelSzHandle h_wnd) const
{
    return h_wnd != nullptr && !Wnd(h_wnd)->IsBeingDeleted();
}

bool ZelWxSizingPort::GetClientSize(ZelSzHandle h_wnd, LONG& i_cx, LONG& i_cy) const
{
    if (!IsWindow(h_wnd))
        return false;
    const wxSize sz = Wnd(h_wnd)->GetClientSize();
    i_cx = sz.x;
    i_cy = sz.y;
    return true;
}

bool ZelWxSizingPort::GetPlacement(ZelSzHandle h_wnd, ZelSizingPosition& pos) const
{
    if (!IsWindow(h_wnd))
        return false;
    pos = PlacementOf(*Wnd(h_wnd));
    return true;
}

bool ZelWxSizingPort::SetPlacement(ZelSzHandle h_wnd, const ZelSizingPosition& pos)
{
    if (!IsWindow(h_wnd))
        return false;
    wxWindow* p_wnd = Wnd(h_wnd);
    auto* p_tlw = wxDynamicCast(p_wnd, wxTopLevelWindow);
    if (p_tlw && p_tlw->IsMaximized() && pos.uShowCmd != ZEL_SW_HIDE && pos.uShowCmd != ZEL_SW_SHOWMAXIMIZED)
        p_tlw->Maximize(false);
    p_wnd->SetSize(pos.rcNormal.left, pos.rcNormal.top, pos.rcNormal.Width(), pos.rcNormal.Height(),
                   wxSIZE_ALLOW_MINUS_ONE);
    if (p_tlw && pos.uShowCmd == ZEL_SW_SHOWMAXIMIZED)
        p_tlw->Maximize(true);
    return true;
}

void ZelWxSizingPort::MoveWindow(ZelSzHandle h_wnd, const ZelRect& rc)
{
    if (IsWindow(h_wnd))
        Wnd(h_wnd)->SetSize(rc.left, rc.top, rc.Width(), rc.Height(), wxSIZE_ALLOW_MINUS_ONE);
}

void ZelWxSizingPort::Redraw(ZelSzHandle h_wnd)
{
    if (!IsWindow(h_wnd))
        return;
    Wnd(h_wnd)->Refresh(true);
    Wnd(h_wnd)->Update();
}

void ZelWxSizingPort::OnDeleteControl(ZelSzHandle h_ctrl)
{
    wxWindow* p_wnd = Wnd(h_ctrl);
    if (auto* p_page = dynamic_cast<ZelSizingPropPage*>(p_wnd))
        p_page->DeleteChildControls();
    else if (auto* p_dlg = dynamic_cast<ZelSizingDialog*>(p_wnd))
        p_dlg->DeleteChildControls();
    else if (auto* p_sheet = dynamic_cast<ZelSizingPropSheet*>(p_wnd))
        p_sheet->DeleteChildControls();
}

IZelProfile& ZelWindowProfile()
{
    if (ZelAppProfile::GetRegistryKey().empty() && wxTheApp != nullptr) {
        const wxString s_vendor = wxTheApp->GetVendorName();
        const wxString s_app = wxTheApp->GetAppName();
        if (!s_vendor.empty() && !s_app.empty()) {
            const std::string s_key = FromWx("Software\\" + s_vendor + "\\" + s_app).value_or(std::string());
            ZelAppProfile::SetRegistryKey(s_key);
        }
    }
    return ZelGetProfile();
}

// ----------------------------------------------------------- ZelSizingDialog

ZelSizingDialog::ZelSizingDialog(wxWindow* p_parent, wxWindowID i_id, const wxString& s_title, Freedom e_freedom,
                                 bool b_sizeIcon, long l_style)
    : wxDialog(p_parent, i_id, s_title, wxDefaultPosition, wxDefaultSize, l_style),
      SzHeader(e_freedom, b_sizeIcon, ZelWxSizingPort::Get())
{
    SzHeader.Init(this);
    Bind(wxEVT_INIT_DIALOG, &ZelSizingDialog::OnInitDialogEvent, this);
    Bind(wxEVT_SIZE, &ZelSizingDialog::OnSizeEvent, this);
}

ZelSizingDialog::~ZelSizingDialog()
{
    Unbind(wxEVT_SIZE, &ZelSizingDialog::OnSizeEvent, this);
    SzHeader.Detach();
}

bool ZelSizingDialog::Destroy()
{
    SzHeader.Detach();
    return wxDialog::Destroy();
}

void ZelSizingDialog::OnInitDialogEvent(wxInitDialogEvent&) { OnInitDialog(); }

bool ZelSizingDialog::OnInitDialog()
{
    TransferDataToWindow();
    return OnInitDialog(10);
}

bool ZelSizingDialog::OnInitDialog(UINT u_stretchPercent)
{
    SzHeader.OnInitDialog(u_stretchPercent);
    ApplyLimits();
    return true;
}

void ZelSizingDialog::ApplyLimits() { ApplyTrackingLimits(*this, SzHeader); }

void ZelSizingDialog::OnSizeEvent(wxSizeEvent&)
{
    // Not passed on: the anchors place every control, and the default
    // handling would stretch a lone child over the whole client area.
    const wxSize sz = GetClientSize();
    SzHeader.OnSize(SizeType(*this), sz.x, sz.y);
}

void ZelSizingDialog::PlaceDlgUnits(wxWindow& ctrl, int i_x, int i_y, int i_cx, int i_cy)
{
    PlaceInDlgUnits(*this, ctrl, i_x, i_y, i_cx, i_cy);
}

bool ZelSizingDialog::RestoreWindowPosition(const std::string& s_section, bool b_keepShowState)
{
    return SzHeader.RestoreWindowPosition(s_section, b_keepShowState, ZelWindowProfile());
}

bool ZelSizingDialog::RestoreWindowPosition(UINT u_sectionId, bool b_keepShowState)
{
    return RestoreWindowPosition(SectionText(u_sectionId), b_keepShowState);
}

bool ZelSizingDialog::RestoreWindowPosition(const ZelSizingPosition& pos, bool b_keepShowState)
{
    return SzHeader.RestoreWindowPosition(pos, b_keepShowState);
}

bool ZelSizingDialog::StoreWindowPosition(const std::string& s_section)
{
    return SzHeader.StoreWindowPosition(s_section, ZelWindowProfile());
}

bool ZelSizingDialog::StoreWindowPosition(UINT u_sectionId) { return StoreWindowPosition(SectionText(u_sectionId)); }

bool ZelSizingDialog::StoreWindowPosition(ZelSizingPosition& pos) { return SzHeader.StoreWindowPosition(pos); }

void ZelSizingDialog::PumpMessages()
{
    if (wxEventLoopBase* p_loop = wxEventLoopBase::GetActive())
        p_loop->YieldFor(wxEVT_CATEGORY_USER_INPUT | wxEVT_CATEGORY_UI);
}

void ZelSizingDialog::DeleteChildControls() { DeleteChildrenOf(*this, SzHeader); }

// --------------------------------------------------------- ZelSizingPropPage

ZelSizingPropPage::ZelSizingPropPage(wxWindow* p_book, const wxString& s_caption, wxWindowID i_id)
    : wxPanel(p_book, i_id), SzHeader(freedomBoth, false, ZelWxSizingPort::Get()), sCaption(s_caption)
{
    SzHeader.Init(this);
    Bind(wxEVT_SIZE, &ZelSizingPropPage::OnSizeEvent, this);
}

ZelSizingPropPage::~ZelSizingPropPage()
{
    Unbind(wxEVT_SIZE, &ZelSizingPropPage::OnSizeEvent, this);
    SzHeader.Detach();
}

bool ZelSizingPropPage::OnInitDialog()
{
    TransferDataToWindow();
    SzHeader.OnInitDialog(0);
    return true;
}

bool ZelSizingPropPage::OnSetActive()
{
    if (!bPageInitialised) {
        bPageInitialised = true;
        OnInitDialog();
    }
    if (pSheet != nullptr && pSheet->ReorganizeControls())
        pSheet->Refresh();
    ReorganizeControls();
    return true;
}

bool ZelSizingPropPage::ReorganizeControls()
{
    const bool b_moved = SzHeader.ReorganizeControls();
    if (b_moved)
        Refresh();
    return b_moved;
}

void ZelSizingPropPage::OnSizeEvent(wxSizeEvent&)
{
    const wxSize sz = GetClientSize();
    SzHeader.OnSize(ZEL_SIZE_RESTORED, sz.x, sz.y);
}

void ZelSizingPropPage::PlaceDlgUnits(wxWindow& ctrl, int i_x, int i_y, int i_cx, int i_cy)
{
    PlaceInDlgUnits(*this, ctrl, i_x, i_y, i_cx, i_cy);
}

void ZelSizingPropPage::DeleteChildControls() { DeleteChildrenOf(*this, SzHeader); }

// -------------------------------------------------------- ZelSizingPropSheet

namespace {

// The sheet's standard controls and how they follow the sheet. Each is
// found by its own id or by the desktop's standard id for the same button.
struct SheetAnchor {
    int iId;
    int iStdId;
    ZelSizingTypes::Mode eX;
    ZelSizingTypes::Mode eY;
};
const SheetAnchor a_sheetAnchors[] = {
    {ZelSizingPropSheet::ID_WIZNEXT, wxID_NONE, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {ZelSizingPropSheet::ID_WIZFINISH, wxID_NONE, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {ZelSizingPropSheet::ID_WIZBACK, wxID_NONE, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {1, wxID_OK, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {2, wxID_CANCEL, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {ZelSizingPropSheet::ID_APPLY_NOW, wxID_APPLY, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {9, wxID_HELP, ZelSizingTypes::modeMove, ZelSizingTypes::modeMove},
    {ZelSizingPropSheet::ID_TABCTRL, wxID_NONE, ZelSizingTypes::modeStretch, ZelSizingTypes::modeStretch},
    {ZelSizingPropSheet::ID_WIZLINE, wxID_NONE, ZelSizingTypes::modeStretch, ZelSizingTypes::modeMove},
};

wxWindow* DirectChild(wxWindow& parent, int i_id)
{
    if (i_id == wxID_NONE)
        return nullptr;
    for (wxWindow* p_child : parent.GetChildren()) {
        if (p_child->GetId() == i_id)
            return p_child;
    }
    return nullptr;
}

} // namespace

ZelSizingPropSheet::ZelSizingPropSheet(wxWindow* p_parent, const wxString& s_caption, UINT u_selectPage,
                                       Freedom e_freedom, bool b_sizeIcon)
    : SzHeader(e_freedom, b_sizeIcon, ZelWxSizingPort::Get())
{
    Create(p_parent, wxID_ANY, s_caption, wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX);
    Construct(u_selectPage);
}

ZelSizingPropSheet::ZelSizingPropSheet(wxWindow* p_parent, UINT u_captionId, UINT u_selectPage, Freedom e_freedom,
                                       bool b_sizeIcon)
    : ZelSizingPropSheet(p_parent, ToWx(SectionText(u_captionId)), u_selectPage, e_freedom, b_sizeIcon)
{
}

void ZelSizingPropSheet::Construct(UINT u_selectPage)
{
    uSelectPage = u_selectPage;
    SzHeader.Init(this);
    GetBookCtrl()->SetId(ID_TABCTRL);
    Bind(wxEVT_INIT_DIALOG, &ZelSizingPropSheet::OnInitDialogEvent, this);
    Bind(wxEVT_SIZE, &ZelSizingPropSheet::OnSizeEvent, this);
    Bind(wxEVT_ICONIZE, &ZelSizingPropSheet::OnIconize, this);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &ZelSizingPropSheet::OnPageChanged, this);
}

ZelSizingPropSheet::~ZelSizingPropSheet()
{
    Unbind(wxEVT_SIZE, &ZelSizingPropSheet::OnSizeEvent, this);
    SzHeader.Detach();
}

bool ZelSizingPropSheet::Destroy()
{
    SzHeader.Detach();
    return wxPropertySheetDialog::Destroy();
}

void ZelSizingPropSheet::SetWizardMode()
{
    if (bWizard || GetBookCtrl()->GetPageCount() != 0)
        return;
    // A book without tabs in place of the notebook.
    wxBookCtrlBase* p_old = GetBookCtrl();
    auto* p_book = new wxSimplebook(this, ID_TABCTRL);
    GetInnerSizer()->Replace(p_old, p_book);
    p_old->Destroy();
    SetBookCtrl(p_book);
    p_book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &ZelSizingPropSheet::OnPageChanged, this);
    bWizard = true;
}

void ZelSizingPropSheet::AddPage(ZelSizingPropPage* p_page)
{
    if (p_page == nullptr)
        return;
    GetBookCtrl()->AddPage(p_page, p_page->GetCaption(), false);
    p_page->Init(*this);
}

void ZelSizingPropSheet::RemovePage(ZelSizingPropPage* p_page)
{
    if (p_page == nullptr)
        return;
    const int i_index = GetBookCtrl()->FindPage(p_page);
    if (i_index != wxNOT_FOUND)
        RemovePage(i_index);
}

void ZelSizingPropSheet::RemovePage(int i_index)
{
    ZelSizingPropPage* p_page = GetPage(i_index);
    if (p_page == nullptr)
        return;
    SzHeader.DeleteControl(p_page);
    GetBookCtrl()->RemovePage(i_index);
    p_page->UnInit();
}

ZelSizingPropPage* ZelSizingPropSheet::GetPage(int i_index) const
{
    if (i_index < 0 || i_index >= static_cast<int>(GetBookCtrl()->GetPageCount()))
        return nullptr;
    return dynamic_cast<ZelSizingPropPage*>(GetBookCtrl()->GetPage(i_index));
}

int ZelSizingPropSheet::GetPageCount() const { return static_cast<int>(GetBookCtrl()->GetPageCount()); }

ZelSizingPropPage* ZelSizingPropSheet::GetActivePage() const
{
    return dynamic_cast<ZelSizingPropPage*>(GetBookCtrl()->GetCurrentPage());
}

void ZelSizingPropSheet::PrepareLayout()
{
    if (bLaidOut)
        return;
    bLaidOut = true;
    if (DirectChild(*this, wxID_OK) == nullptr && DirectChild(*this, ID_WIZNEXT) == nullptr
        && DirectChild(*this, wxID_CANCEL) == nullptr) {
        if (bWizard) {
            auto* p_row = new wxBoxSizer(wxHORIZONTAL);
            p_row->AddStretchSpacer();
            // Each button has an access key of its own: Alt+I finishes as
            // Alt+N goes on. Finish does not take F, which the pages'
            // "first", "format" and "fixed width" want.
            p_row->Add(new wxButton(this, ID_WIZBACK, "< &Back"), 0, wxRIGHT, 2);
            p_row->Add(new wxButton(this, ID_WIZNEXT, "&Next >"), 0, wxRIGHT, 2);
            p_row->Add(new wxButton(this, ID_WIZFINISH, "F&inish"), 0, wxRIGHT, 8);
            p_row->Add(new wxButton(this, wxID_CANCEL, "&Cancel"));
            GetInnerSizer()->Add(new wxStaticLine(this, ID_WIZLINE), 0, wxEXPAND | wxTOP, 8);
            GetInnerSizer()->Add(p_row, 0, wxEXPAND | wxTOP, 8);
            for (int i_id : {int(ID_WIZBACK), int(ID_WIZNEXT), int(ID_WIZFINISH)})
                Bind(wxEVT_BUTTON, &ZelSizingPropSheet::OnWizardButton, this, i_id);
        } else {
            CreateButtons(wxOK | wxCANCEL);
        }
    }
    if (uSelectPage < GetBookCtrl()->GetPageCount())
        GetBookCtrl()->ChangeSelection(uSelectPage);
    LayoutDialog();
    // From here on the anchors place the controls.
    SetSizer(nullptr);
    SetInnerSizer(nullptr);
    UpdateWizardButtons();
}

bool ZelSizingPropSheet::Show(bool b_show)
{
    if (b_show)
        PrepareLayout();
    return wxPropertySheetDialog::Show(b_show);
}

int ZelSizingPropSheet::ShowModal()
{
    PrepareLayout();
    return wxPropertySheetDialog::ShowModal();
}

void ZelSizingPropSheet::OnInitDialogEvent(wxInitDialogEvent&) { OnInitDialog(); }

bool ZelSizingPropSheet::OnInitDialog()
{
    TransferDataToWindow();
    return OnInitDialog(0);
}

bool ZelSizingPropSheet::OnInitDialog(UINT u_stretchPercent)
{
    SzHeader.OnInitDialog(u_stretchPercent);
    // The book control places its pages; anchoring it carries them all.
    for (const SheetAnchor& anchor : a_sheetAnchors) {
        wxWindow* p_ctrl = DirectChild(*this, anchor.iId);
        if (p_ctrl == nullptr)
            p_ctrl = DirectChild(*this, anchor.iStdId);
        if (p_ctrl != nullptr)
            SzHeader.AddSzControl(p_ctrl, anchor.eX, anchor.eY);
    }
    ApplyLimits();
    bInitialPlacementValid = ZelWxSizingPort::Get().GetPlacement(this, InitialPlacement);
    if (ZelSizingPropPage* p_page = GetActivePage())
        p_page->OnSetActive();
    return true;
}

void ZelSizingPropSheet::ApplyLimits() { ApplyTrackingLimits(*this, SzHeader); }

void ZelSizingPropSheet::OnSizeEvent(wxSizeEvent&)
{
    if (!SzHeader.IsInitialized()) {
        // Before the anchors exist the sheet's own layout places things.
        if (GetSizer() != nullptr)
            Layout();
        return;
    }
    const wxSize sz = GetClientSize();
    SzHeader.OnSize(SizeType(*this), sz.x, sz.y);
}

void ZelSizingPropSheet::OnIconize(wxIconizeEvent& event)
{
    // Minimising a sizing sheet brings it back to its opening placement.
    if (!event.IsIconized() || !bInitialPlacementValid) {
        event.Skip();
        return;
    }
    Iconize(false);
    ZelWxSizingPort::Get().SetPlacement(this, InitialPlacement);
    if (SzHeader.ReorganizeControls())
        Refresh();
}

void ZelSizingPropSheet::OnPageChanged(wxBookCtrlEvent& event)
{
    event.Skip();
    ZelSizingPropPage* p_page = GetActivePage();
    if (p_page != nullptr && SzHeader.IsInitialized())
        p_page->OnSetActive();
    UpdateWizardButtons();
    KeepFocusOnAShownControl(p_page);
}

void ZelSizingPropSheet::KeepFocusOnAShownControl(ZelSizingPropPage* p_page)
{
    // A page reached by a button's access key leaves the focus on a control
    // of the page just hidden, where no key reaches the sheet any more:
    // Escape would no longer cancel. Unless the page placed the focus
    // itself, it goes to the page's first control, else to the buttons.
    const wxWindow* p_focus = wxWindow::FindFocus();
    if (p_focus != nullptr && p_focus->IsShownOnScreen() && p_focus->IsEnabled()
        && wxGetTopLevelParent(const_cast<wxWindow*>(p_focus)) == this)
        return;
    if (p_page != nullptr && p_page->IsShownOnScreen()) {
        p_page->SetFocus();
        p_focus = wxWindow::FindFocus();
        if (p_focus != nullptr && p_focus != p_page && p_page->IsDescendant(const_cast<wxWindow*>(p_focus)))
            return;
    }
    for (int i_id : {int(ID_WIZNEXT), int(ID_WIZFINISH), int(ID_WIZBACK), int(wxID_OK), int(wxID_CANCEL)}) {
        wxWindow* p_button = DirectChild(*this, i_id);
        if (p_button != nullptr && p_button->IsShownOnScreen() && p_button->IsEnabled()) {
            p_button->SetFocus();
            return;
        }
    }
}

void ZelSizingPropSheet::UpdateWizardButtons()
{
    if (!bWizard || bButtonsByPages)
        return;
    const int i_sel = GetBookCtrl()->GetSelection();
    const int n_pages = GetPageCount();
    if (wxWindow* p = DirectChild(*this, ID_WIZBACK))
        p->Enable(i_sel > 0);
    if (wxWindow* p = DirectChild(*this, ID_WIZNEXT))
        p->Enable(i_sel + 1 < n_pages);
}

void ZelSizingPropSheet::SetWizardButtons(UINT u_flags)
{
    bButtonsByPages = true;
    if (wxWindow* p = DirectChild(*this, ID_WIZBACK))
        p->Enable((u_flags & WIZB_BACK) != 0);
    if (wxWindow* p = DirectChild(*this, ID_WIZNEXT))
        p->Enable((u_flags & WIZB_NEXT) != 0);
    if (wxWindow* p = DirectChild(*this, ID_WIZFINISH))
        p->Enable((u_flags & WIZB_FINISH) != 0);
}

void ZelSizingPropSheet::OnWizardButton(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_WIZBACK: OnWizardBack(); break;
    case ID_WIZNEXT: OnWizardNext(); break;
    case ID_WIZFINISH: OnWizardFinish(); break;
    default: break;
    }
}

void ZelSizingPropSheet::OnWizardBack()
{
    const int i_sel = GetBookCtrl()->GetSelection();
    if (i_sel > 0)
        GetBookCtrl()->SetSelection(i_sel - 1);
}

void ZelSizingPropSheet::OnWizardNext()
{
    const int i_sel = GetBookCtrl()->GetSelection();
    if (i_sel + 1 < GetPageCount())
        GetBookCtrl()->SetSelection(i_sel + 1);
}

void ZelSizingPropSheet::OnWizardFinish()
{
    if (Validate() && TransferDataFromWindow()) {
        if (IsModal())
            EndModal(ID_WIZFINISH);
        else
            Hide();
    }
}

bool ZelSizingPropSheet::RestoreWindowPosition(const std::string& s_section, bool b_keepShowState)
{
    return SzHeader.RestoreWindowPosition(s_section, b_keepShowState, ZelWindowProfile());
}

bool ZelSizingPropSheet::RestoreWindowPosition(UINT u_sectionId, bool b_keepShowState)
{
    return RestoreWindowPosition(SectionText(u_sectionId), b_keepShowState);
}

bool ZelSizingPropSheet::RestoreWindowPosition(const ZelSizingPosition& pos, bool b_keepShowState)
{
    return SzHeader.RestoreWindowPosition(pos, b_keepShowState);
}

bool ZelSizingPropSheet::StoreWindowPosition(const std::string& s_section)
{
    return SzHeader.StoreWindowPosition(s_section, ZelWindowProfile());
}

bool ZelSizingPropSheet::StoreWindowPosition(UINT u_sectionId) { return StoreWindowPosition(SectionText(u_sectionId)); }

bool ZelSizingPropSheet::StoreWindowPosition(ZelSizingPosition& pos) { return SzHeader.StoreWindowPosition(pos); }

void ZelSizingPropSheet::DeleteChildControls() { DeleteChildrenOf(*this, SzHeader); }
