#include "zelkit/import/ui/ZelImportWizard.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/utils.h>
#include <wx/weakref.h>
#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/renderer.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/stattext.h>

namespace {

// Headings of the column page's list.
const char* const szColumns = "Columns";
const char* const szType = "Type";
const char* const szSample = "Sample";
// Records shown in a preview.
constexpr int nPreviewLines = 8;

// The wizard on screen, as the importer's port.
class WxImportWizardPort : public IZelImportWizardPort {
public:
    int Run(ZelImportWizardCore& core, const std::string& s_caption, const std::string& s_fieldHeading) override
    {
        auto* p_wizard = new ZelImportWizard(core, s_caption);
        p_wizard->SetWizardMode();
        p_wizard->AddPage(new ZelImportStep1(p_wizard->GetBookCtrl()));
        p_wizard->AddPage(new ZelImportColMap(p_wizard->GetBookCtrl(), s_fieldHeading));
        const int i_result = p_wizard->ShowModal();
        // Off the screen at once: the import's records come in next, and
        // the wizard must not stand there with its buttons while they do.
        p_wizard->Hide();
        p_wizard->Destroy();
        // The screen is brought up to date before the records come in (the
        // windows under the wizard drawn again), taking no input meanwhile.
        if (wxEventLoopBase* p_loop = wxEventLoopBase::GetActive())
            p_loop->YieldFor(wxEVT_CATEGORY_UI);
        return i_result;
    }
};

WxImportWizardPort g_wxPort;
const bool g_bInstalled = (ZelSetImportWizardPort(&g_wxPort), true);

// The import's progress: the library's progress dialog, its bar in
// thousandths of the source.
class ImportProgressDlg : public ZelGeneralProgress, private ZelGeneralCallback {
public:
    static constexpr int nBarRange = 1000;

    ImportProgressDlg(const std::string& s_title, wxWindow* p_parent)
        : ZelGeneralProgress(s_title, nullptr, p_parent)
    {
        SetCallback(this);
        SetRangeMax(nBarRange);
    }

    void SetPosition(int i_pos)
    {
        if (wxGauge* p_bar = GetBar(); p_bar != nullptr && p_bar->GetValue() != i_pos)
            p_bar->SetValue(i_pos);
    }
    bool IsCancelled() const { return bCancelled; }

private:
    void Cancel() override { bCancelled = true; }

    bool bCancelled = false;
};

// Modeless, so that the import runs on while it shows; the other windows
// take no input meanwhile, so that nothing changes the lists under the
// import.
class WxImportProgressPort : public IZelImportProgressPort {
public:
    std::int64_t GetMilliseconds() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    bool Open(const std::string& s_title) override
    {
        if (wxTheApp == nullptr || pDlg)
            return false;
        auto* p_dlg = new ImportProgressDlg(s_title, wxTheApp->GetTopWindow());
        pDlg = p_dlg;
        p_dlg->Show();
        p_dlg->ResetProgress();
        pDisabler = std::make_unique<wxWindowDisabler>(p_dlg);
        return true;
    }

    void Show(const std::string& s_status, std::uint64_t u_done, std::uint64_t u_total) override
    {
        if (!pDlg)
            return;
        const std::uint64_t u_pos =
            u_total == 0 ? 0 : std::min<std::uint64_t>(u_done, u_total) * ImportProgressDlg::nBarRange / u_total;
        pDlg->SetPosition(static_cast<int>(u_pos));
        if (pDlg->GetStatusText() != s_status) {
            pDlg->SetStatusText(s_status);
            pDlg->TransferDataToWindow();
        }
    }

    bool Pump() override
    {
        if (!pDlg)
            return true;
        if (wxTheApp != nullptr)
            wxTheApp->Yield(true);
        // A window gone (the program closing) ends the import as a cancel.
        return !pDlg || pDlg->IsCancelled();
    }

    void Close() override
    {
        pDisabler.reset();
        if (ImportProgressDlg* p_dlg = pDlg.get()) {
            p_dlg->Hide();
            p_dlg->Destroy();
        }
        pDlg = nullptr;
    }

private:
    wxWeakRef<ImportProgressDlg> pDlg;
    std::unique_ptr<wxWindowDisabler> pDisabler;
};

WxImportProgressPort g_wxProgress;
const bool g_bProgressInstalled = (ZelSetImportProgressPort(&g_wxProgress), true);

} // namespace

// ---------------------------------------------------------------- sheet

ZelImportWizard::ZelImportWizard(ZelImportWizardCore& core, UINT u_captionId, wxWindow* p_parent, UINT u_selectPage)
    : ZelSizingPropSheet(p_parent, u_captionId, u_selectPage, freedomBoth, true), Core(core)
{
    (void)g_bInstalled;
    (void)g_bProgressInstalled;
}

ZelImportWizard::ZelImportWizard(ZelImportWizardCore& core, const std::string& s_caption, wxWindow* p_parent,
                                 UINT u_selectPage)
    : ZelSizingPropSheet(p_parent, ToWx(s_caption), u_selectPage, freedomBoth, true), Core(core)
{
}

// ------------------------------------------------------------ page base

ZelImportStep::ZelImportStep(wxWindow* p_book, const wxString& s_caption, wxWindowID i_id)
    : ZelSizingPropPage(p_book, s_caption, i_id)
{
    // The pages' size in dialog units; the sheet opens at it.
    SetMinSize(ConvertDialogToPixels(wxSize(250, 150)));
}

ZelImportWizard& ZelImportStep::GetWizard() const
{
    auto* p_wizard = dynamic_cast<ZelImportWizard*>(GetSheet());
    ZEL_ASSERT(p_wizard != nullptr);
    return *p_wizard;
}

void ZelImportStep::SetStepButtons(bool b_next, bool b_finish)
{
    ZelSizingPropSheet* p_sheet = GetSheet();
    if (p_sheet == nullptr)
        return;
    bool b_back = false;
    for (int i = 0; i < p_sheet->GetPageCount() && !b_back; ++i) {
        if (p_sheet->GetPage(i) == this)
            break;
        b_back = true;
    }
    p_sheet->SetWizardButtons((b_back ? ZelSizingPropSheet::WIZB_BACK : 0u)
                              | (b_next ? ZelSizingPropSheet::WIZB_NEXT : 0u)
                              | (b_finish ? ZelSizingPropSheet::WIZB_FINISH : 0u));
}

bool ZelImportStep::OnSetActive()
{
    ZelSizingPropPage::OnSetActive();
    // The sheet's own caption stays behind its pages, as in any wizard.
    if (GetSheet() != nullptr)
        GetSheet()->SetTitle(GetCaption());
    return true;
}

void ZelImportStep::FillPreview()
{
    auto* p_preview = dynamic_cast<ZelImportPreview*>(GetPreviewList());
    if (p_preview == nullptr)
        return;
    ZelImportData& reader = GetWizard().GetCore().GetReader();
    const int n_records = reader.CountRecords();
    std::vector<std::pair<long, std::string>> v_lines;
    for (int k = 0; k < nPreviewLines && iFirstLine + 1 + k <= n_records; ++k)
        v_lines.emplace_back(iFirstLine + 1 + k,
                             ZelImportWizardCore::PreviewText(reader.GetRecord(iFirstLine + 1 + k)));
    p_preview->SetLines(std::move(v_lines));
    p_preview->SetOffset(iHorzOffset);

    const int i_charWidth = std::max(1, p_preview->GetCharWidth());
    const int i_client = p_preview->GetClientSize().x;
    const int i_widest = p_preview->GetWidestLine() * i_charWidth;
    if (pHScroll != nullptr) {
        const int i_range = i_widest > i_client ? (i_widest - i_client + i_charWidth - 1) / i_charWidth : 0;
        pHScroll->SetScrollbar(std::min(iHorzOffset, i_range), 1, i_range + 1, std::max(1, i_range / 2));
        pHScroll->Enable(i_range > 0);
    }
    if (pVScroll != nullptr) {
        const int n_visible = std::max(1, p_preview->GetClientSize().y / std::max(1, p_preview->GetLineHeight()));
        const int i_range = n_records > n_visible ? n_records - n_visible : 0;
        pVScroll->SetScrollbar(std::min(iFirstLine, i_range), 1, i_range + 1, 4);
        pVScroll->Enable(i_range > 0);
    }
}

void ZelImportStep::OnPreviewScroll(wxScrollEvent& event)
{
    auto* p_bar = dynamic_cast<wxScrollBar*>(event.GetEventObject());
    if (p_bar == nullptr)
        return;
    const bool b_vertical = p_bar == pVScroll;
    const int i_max = p_bar->GetRange() - 1;
    int i_pos = b_vertical ? iFirstLine : iHorzOffset;
    const wxEventType type = event.GetEventType();
    const int i_page = b_vertical ? 4 : std::max(1, i_max / 2);
    if (type == wxEVT_SCROLL_LINEUP)
        i_pos -= 1;
    else if (type == wxEVT_SCROLL_LINEDOWN)
        i_pos += 1;
    else if (type == wxEVT_SCROLL_PAGEUP)
        i_pos -= i_page;
    else if (type == wxEVT_SCROLL_PAGEDOWN)
        i_pos += i_page;
    else if (type == wxEVT_SCROLL_TOP)
        i_pos = 0;
    else if (type == wxEVT_SCROLL_BOTTOM)
        i_pos = i_max;
    else
        i_pos = event.GetPosition();
    i_pos = std::clamp(i_pos, 0, std::max(0, i_max));
    if (b_vertical)
        iFirstLine = i_pos;
    else
        iHorzOffset = i_pos;
    p_bar->SetThumbPosition(i_pos);
    FillPreview();
}

// -------------------------------------------------------------- preview

ZelImportPreview::ZelImportPreview(wxWindow* p_parent, wxWindowID i_id)
    : wxVListBox(p_parent, i_id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN)
{
    SetFont(wxFont(wxFontInfo(GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE)));
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    // The preview selects nothing: the mouse edits the column breaks.
    Bind(wxEVT_LEFT_DOWN, &ZelImportPreview::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &ZelImportPreview::OnLeftUp, this);
    Bind(wxEVT_MOTION, &ZelImportPreview::OnMotion, this);
    Bind(wxEVT_LEFT_DCLICK, &ZelImportPreview::OnDoubleClick, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &ZelImportPreview::OnCaptureLost, this);
}

void ZelImportPreview::SetBreaks(const std::vector<UINT>& v_breaks, bool b_edit)
{
    vBreaks.clear();
    for (UINT u : v_breaks)
        if (u > 0)
            vBreaks.push_back(u);
    bEditBreaks = b_edit;
    if (!b_edit)
        vBreaks.clear();
    EndDrag();
    Refresh();
}

int ZelImportPreview::TextLeft() const
{
    wxClientDC dc(const_cast<ZelImportPreview*>(this));
    dc.SetFont(GetFont());
    const int i_charWidth = dc.GetCharWidth();
    std::size_t n_numberChars = 0;
    for (const auto& line : vLines)
        n_numberChars = std::max(n_numberChars, (std::to_string(line.first) + " ").size());
    return static_cast<int>(n_numberChars) * i_charWidth + i_charWidth / 2;
}

int ZelImportPreview::BreakX(UINT u_pos) const
{
    return TextLeft() + (static_cast<int>(u_pos) - iOffset) * std::max(1, GetCharWidth());
}

int ZelImportPreview::PositionAt(int i_x) const
{
    const int i_charWidth = std::max(1, GetCharWidth());
    const int i_rel = i_x - TextLeft();
    // The boundary nearest to the point, never left of the first character.
    const int i_pos = iOffset + (i_rel >= 0 ? (i_rel + i_charWidth / 2) / i_charWidth : 0);
    return std::max(0, i_pos);
}

int ZelImportPreview::BreakNear(int i_x) const
{
    const int i_reach = std::max(2, GetCharWidth() / 2);
    for (UINT u : vBreaks)
        if (std::abs(BreakX(u) - i_x) <= i_reach)
            return static_cast<int>(u);
    return -1;
}

void ZelImportPreview::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    if (!bEditBreaks || event.GetX() < TextLeft())
        return;
    const int i_near = BreakNear(event.GetX());
    if (i_near > 0) {
        iDragFrom = iDragTo = i_near;
        if (!HasCapture())
            CaptureMouse();
        return;
    }
    const int i_pos = PositionAt(event.GetX());
    if (i_pos > 0 && fEdit)
        fEdit(Edit::add, static_cast<UINT>(i_pos), 0);
}

void ZelImportPreview::OnMotion(wxMouseEvent& event)
{
    if (iDragFrom < 0 || !event.LeftIsDown())
        return;
    const int i_to = PositionAt(event.GetX());
    if (i_to != iDragTo) {
        iDragTo = i_to;
        Refresh();
    }
}

void ZelImportPreview::OnLeftUp(wxMouseEvent& event)
{
    if (iDragFrom < 0)
        return;
    const int i_from = iDragFrom;
    const int i_to = PositionAt(event.GetX());
    EndDrag();
    if (i_to == i_from || !fEdit)
        return;
    if (i_to <= 0)
        fEdit(Edit::remove, static_cast<UINT>(i_from), 0);
    else
        fEdit(Edit::move, static_cast<UINT>(i_from), static_cast<UINT>(i_to));
}

void ZelImportPreview::OnDoubleClick(wxMouseEvent& event)
{
    EndDrag();
    if (!bEditBreaks)
        return;
    const int i_near = BreakNear(event.GetX());
    if (i_near > 0 && fEdit)
        fEdit(Edit::remove, static_cast<UINT>(i_near), 0);
}

void ZelImportPreview::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    iDragFrom = iDragTo = -1;
    Refresh();
}

void ZelImportPreview::EndDrag()
{
    const bool b_dragging = iDragFrom >= 0;
    iDragFrom = iDragTo = -1;
    if (HasCapture())
        ReleaseMouse();
    if (b_dragging)
        Refresh();
}

void ZelImportPreview::SetLines(std::vector<std::pair<long, std::string>> v_lines)
{
    vLines = std::move(v_lines);
    SetItemCount(vLines.size());
    RefreshAll();
}

void ZelImportPreview::SetOffset(int i_offset)
{
    iOffset = i_offset;
    RefreshAll();
}

int ZelImportPreview::GetCharWidth() const
{
    wxClientDC dc(const_cast<ZelImportPreview*>(this));
    dc.SetFont(GetFont());
    return dc.GetCharWidth();
}

int ZelImportPreview::GetLineHeight() const
{
    wxClientDC dc(const_cast<ZelImportPreview*>(this));
    dc.SetFont(GetFont());
    wxCoord i_w = 0, i_h = 0, i_descent = 0, i_leading = 0;
    dc.GetTextExtent("Wg", &i_w, &i_h, &i_descent, &i_leading);
    return i_h + i_leading;
}

int ZelImportPreview::GetWidestLine() const
{
    std::size_t n_widest = 0;
    for (const auto& line : vLines)
        n_widest = std::max(n_widest, line.second.size());
    return static_cast<int>(n_widest);
}

wxCoord ZelImportPreview::OnMeasureItem(size_t) const { return GetLineHeight(); }

void ZelImportPreview::OnDrawBackground(wxDC& dc, const wxRect& rc, size_t) const
{
    // The preview has no selection to show.
    dc.SetBrush(wxBrush(GetBackgroundColour()));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rc);
}

void ZelImportPreview::OnDrawItem(wxDC& dc, const wxRect& rc, size_t n) const
{
    if (n >= vLines.size())
        return;
    dc.SetFont(GetFont());
    const int i_charWidth = dc.GetCharWidth();
    std::size_t n_numberChars = 0;
    for (const auto& line : vLines)
        n_numberChars = std::max(n_numberChars, (std::to_string(line.first) + " ").size());
    const wxRect rc_number(rc.x, rc.y, static_cast<int>(n_numberChars) * i_charWidth, rc.height);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rc_number);
    // A raised cell: light top and left, shadow bottom and right.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
    dc.DrawLine(rc_number.GetLeft(), rc_number.GetBottom(), rc_number.GetLeft(), rc_number.GetTop());
    dc.DrawLine(rc_number.GetLeft(), rc_number.GetTop(), rc_number.GetRight(), rc_number.GetTop());
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.DrawLine(rc_number.GetRight(), rc_number.GetTop(), rc_number.GetRight(), rc_number.GetBottom());
    dc.DrawLine(rc_number.GetLeft(), rc_number.GetBottom(), rc_number.GetRight() + 1, rc_number.GetBottom());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    dc.DrawText(std::to_string(vLines[n].first) + " ", rc_number.x, rc.y);

    const std::string& s_line = vLines[n].second;
    std::string s_shown = iOffset < static_cast<int>(s_line.size()) ? s_line.substr(static_cast<std::size_t>(iOffset))
                                                                      : std::string();
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    wxDCClipper clip(dc, wxRect(rc_number.GetRight() + 1, rc.y, rc.width - rc_number.width, rc.height));
    const int i_textLeft = rc_number.GetRight() + 1 + i_charWidth / 2;
    dc.DrawText(ToWx(s_shown), i_textLeft, rc.y);
    // The column breaks, as lines between the characters; the one being
    // dragged where it would go.
    const auto draw_break = [&](int i_pos, const wxPen& pen) {
        const int i_x = i_textLeft + (i_pos - iOffset) * i_charWidth;
        if (i_pos <= iOffset || i_x > rc.GetRight())
            return;
        dc.SetPen(pen);
        dc.DrawLine(i_x, rc.GetTop(), i_x, rc.GetBottom() + 1);
    };
    const wxPen pen_break(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 1);
    for (UINT u : vBreaks)
        if (static_cast<int>(u) != iDragFrom)
            draw_break(static_cast<int>(u), pen_break);
    if (iDragFrom >= 0)
        draw_break(iDragTo, wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 1, wxPENSTYLE_SHORT_DASH));
}

// ---------------------------------------------------------- column page

ZelImportColMap::ZelImportColMap(wxWindow* p_book, const std::string& s_fieldHeading)
    : ZelImportStep(p_book, "Text Import Wizard - Columns and Fields", WxId(IDD)), sFieldHeading(s_fieldHeading)
{
    pInstruction = new wxStaticText(this, wxID_ANY, GetInstruction());
    pList = new ZelEditListCtrl(this, WxId(IDC_LIST));
    vColumns = {
        {szColumns, LVCFMT_LEFT, false, ZelEditListRules::editListBox, -1},
        {sFieldHeading, LVCFMT_LEFT, true, ZelEditListRules::editListBox, -1},
        {szSample, LVCFMT_LEFT, false, ZelEditListRules::editListBox, -1},
    };
    Bind(wxEVT_ZEL_NOTIFY, &ZelImportColMap::OnListNotify, this, WxId(IDC_LIST));
}

bool ZelImportColMap::OnInitDialog()
{
    ZelImportStep::OnInitDialog();
    PlaceDlgUnits(*pInstruction, 7, 7, 236, 20);
    pInstruction->Wrap(pInstruction->GetSize().x);
    PlaceDlgUnits(*pList, 7, 30, 236, 113);
    const wxSize sz = GetClientSize();
    const wxPoint pt = pList->GetPosition();
    const int i_margin = pInstruction->GetPosition().x;
    pList->SetSize(pt.x, pt.y, std::max(50, sz.x - 2 * pt.x), std::max(50, sz.y - pt.y - i_margin));

    for (std::size_t i = 0; i < vColumns.size(); ++i) {
        const int i_col = pList->InsertColumn(static_cast<int>(i), vColumns[i].sHeading, vColumns[i].iFormat, 40);
        if (vColumns[i].bEditable)
            pList->AddEditColumn(i_col, vColumns[i].eType);
        if (vColumns[i].sHeading == szSample && i != 1)
            iSampleCol = i_col;
        else if (vColumns[i].sHeading == szType && i != 1)
            iTypeCol = i_col;
        if (i == 1)
            iFieldCol = i_col;
    }
    pList->SetExtendedListStyle(pList->GetExtendedListStyle() | LVS_EX_FULLROWSELECT);
    FillRows();
    AddSzControl(*pInstruction, modeStretch, modeFixed);
    AddSzControl(*pList, modeStretch, modeStretch);
    SetWizardButtons();
    return true;
}

void ZelImportColMap::FillRows()
{
    if (pList->IsEditing())
        pList->AbortEdit();
    pList->DeleteAllItems();
    ZelImportWizardCore& core = GetWizard().GetCore();
    const std::vector<ZelImportWizardCore::ColumnRow> v_rows = core.PrepareColumns();
    for (std::size_t i = 0; i < v_rows.size(); ++i) {
        const int i_row = pList->InsertItem(static_cast<int>(i), v_rows[i].sCaption.c_str(), static_cast<LPARAM>(i));
        pList->SetItemText(i_row, iFieldCol, LPSTR_TEXTCALLBACK);
        if (iSampleCol >= 0)
            pList->SetItemText(i_row, iSampleCol, v_rows[i].sSample);
    }
    pList->AutoSizeColumns();
    if (!v_rows.empty()) {
        pList->SetFocusItem(0);
        pList->SelectItem(0);
    }
}

wxString ZelImportColMap::GetInstruction() const
{
    // The field column's heading names the cell the user double-clicks.
    const std::string s_skip = ZelLoadResourceString(ZelImportWizardCore::IDS_DO_NOT_IMPORT, "(do not import)");
    return ToWx("For each column of the text, double-click its " + sFieldHeading
                + " cell and choose the field its text goes into, or " + s_skip + ".");
}

bool ZelImportColMap::OnSetActive()
{
    // The first time the page's initialisation reads the columns; after a
    // Back the first step may cut the text elsewhere.
    const bool b_again = HasInitialisedPage();
    ZelImportStep::OnSetActive();
    if (b_again)
        FillRows();
    TransferDataFromWindow();
    SetWizardButtons();
    return true;
}

bool ZelImportColMap::TransferDataFromWindow()
{
    if (!ZelImportStep::TransferDataFromWindow())
        return false;
    SetWizardButtons();
    return true;
}

void ZelImportColMap::SetWizardButtons()
{
    // The last page: Back to the first step, Finish once a column is
    // mapped.
    if (GetSheet() != nullptr)
        SetStepButtons(false, GetWizard().GetCore().CanFinish());
}

void ZelImportColMap::OnListNotify(ZelNotifyEvent& event)
{
    ZelImportWizardCore& core = GetWizard().GetCore();
    switch (event.GetCode()) {
    case LVN_GETDISPINFO: {
        auto* p_info = event.GetRecordAs<ZelLVDispInfo>();
        const int i_row = p_info->item.iItem;
        if (i_row >= 0 && i_row < core.GetColumnCount() && p_info->item.iSubItem == iFieldCol) {
            const int i_field = core.GetColumnField(i_row);
            p_info->item.sText = i_field >= 0 ? core.GetFieldDefs()[i_field].sName : std::string();
            event.Answer();
        }
        break;
    }
    case LVN_BEGINLABELEDIT: {
        auto* p_begin = event.GetRecordAs<ZelEditBeginInfo>();
        auto* p_box = static_cast<wxWindow*>(p_begin->pEditor);
        auto* p_listBox = wxDynamicCast(p_box, wxListBox);
        if (p_listBox == nullptr || p_begin->iRow < 0) {
            SetWizardButtons();
            break;
        }
        int i_select = 0;
        const ZelStringArray a_choices = core.FieldChoices(p_begin->iRow, i_select);
        for (int i = 0; i < a_choices.GetSize(); ++i)
            p_listBox->Append(ToWx(a_choices[i]));
        p_listBox->SetSelection(i_select);
        event.Answer();
        break;
    }
    case LVN_SETDISPINFO: {
        auto* p_info = event.GetRecordAs<ZelLVDispInfo>();
        const int i_row = p_info->item.iItem;
        if (i_row < 0) {
            SetWizardButtons();
            break;
        }
        // Only a choice in the field column maps a column: the sample
        // texts set as the rows are filled tell of themselves too, and
        // would clear the mapping the wizard started from.
        if (p_info->item.iSubItem != iFieldCol)
            break;
        core.ChooseField(i_row, p_info->item.sText);
        pList->SetItemText(i_row, iFieldCol, LPSTR_TEXTCALLBACK);
        pList->RedrawItems(i_row, i_row);
        SetWizardButtons();
        break;
    }
    case LVN_ENDLABELEDIT: {
        auto* p_end = event.GetRecordAs<ZelEditEndInfo>();
        if (p_end->iCol >= 0)
            pList->AutoSizeColumns(p_end->iCol, p_end->iCol);
        SetWizardButtons();
        break;
    }
    default: break;
    }
}

// ------------------------------------------------------- first-step page

ZelImportStep1::ZelImportStep1(wxWindow* p_book) : ZelImportStep(p_book, "Text Import Wizard - Step 1", WxId(IDD))
{
    pDelimited = new wxRadioButton(this, WxId(IDC_DELIMITED), "&Delimited", wxDefaultPosition, wxDefaultSize,
                                   wxRB_GROUP);
    pFixed = new wxRadioButton(this, WxId(IDC_FIXED), "&Fixed width");
    pResult = new wxStaticText(this, WxId(IDC_RESULT), wxString());
    pBreakHelp = new wxStaticText(this, wxID_ANY,
                                  "The lines in the preview mark where the columns start. Click to add a break, "
                                  "drag a break to move it, double-click a break to remove it.");
    pPreviewLabel = new wxStaticText(this, wxID_ANY, "Preview of ");
    pFileName = new wxStaticText(this, WxId(IDC_FILENAME), wxString());
    pPreview = new ZelImportPreview(this, WxId(IDC_PREVIEW));
    pVScroll = new wxScrollBar(this, WxId(IDC_VSCROLL), wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    pHScroll = new wxScrollBar(this, WxId(IDC_HSCROLL), wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    for (wxScrollBar* p_bar : {pVScroll, pHScroll})
        p_bar->Bind(wxEVT_SCROLL_CHANGED, &ZelImportStep1::OnPreviewScroll, this);
    for (auto type : {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
                      wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK})
        for (wxScrollBar* p_bar : {pVScroll, pHScroll})
            p_bar->Bind(type, &ZelImportStep1::OnPreviewScroll, this);
    for (wxRadioButton* p_radio : {pDelimited, pFixed})
        p_radio->Bind(wxEVT_RADIOBUTTON, &ZelImportStep1::OnLayoutChosen, this);
    pPreview->SetEditHandler([this](ZelImportPreview::Edit e_edit, UINT u_pos, UINT u_to) {
        OnBreakEdited(e_edit, u_pos, u_to);
    });
}

bool ZelImportStep1::OnInitDialog()
{
    ZelImportStep::OnInitDialog();
    PlaceDlgUnits(*pResult, 7, 7, 230, 10);
    PlaceDlgUnits(*pDelimited, 14, 20, 100, 12);
    PlaceDlgUnits(*pFixed, 14, 34, 100, 12);
    PlaceDlgUnits(*pBreakHelp, 118, 20, 119, 28);
    pBreakHelp->Wrap(pBreakHelp->GetSize().x);
    PlaceDlgUnits(*pPreviewLabel, 7, 52, 40, 10);
    PlaceDlgUnits(*pFileName, 47, 52, 190, 10);
    PlaceDlgUnits(*pPreview, 7, 64, 222, 74);
    PlaceDlgUnits(*pVScroll, 229, 64, 8, 74);
    PlaceDlgUnits(*pHScroll, 7, 138, 222, 8);
    // The sheet may open wider or taller than the page's own layout (its
    // other page, its buttons): the preview takes the room there is, as
    // the column page's list does.
    {
        const wxSize sz = GetClientSize();
        const int i_margin = pResult->GetPosition().x;
        const wxRect rc = pPreview->GetRect();
        const int i_bar = pVScroll->GetSize().x;
        const int i_hbar = pHScroll->GetSize().y;
        const int i_width = std::max(rc.width, sz.x - rc.x - i_margin - i_bar);
        const int i_height = std::max(rc.height, sz.y - rc.y - i_margin - i_hbar);
        pPreview->SetSize(rc.x, rc.y, i_width, i_height);
        pVScroll->SetSize(rc.x + i_width, rc.y, i_bar, i_height);
        pHScroll->SetSize(rc.x, rc.y + i_height, i_width, i_hbar);
        const wxRect rc_file = pFileName->GetRect();
        pFileName->SetSize(rc_file.x, rc_file.y, std::max(rc_file.width, rc.x + i_width + i_bar - rc_file.x),
                           rc_file.height);
    }

    ZelImportWizardCore& core = GetWizard().GetCore();
    const std::string& s_file = core.GetReader().GetFileName();
    pFileName->SetLabel(wxString::FromUTF8(s_file));
    const BOOL b_fixed = core.DetectLayout();
    pResult->SetLabel(b_fixed ? "Fixed Width." : "Delimited.");
    (b_fixed ? pFixed : pDelimited)->SetValue(true);
    iFirstLine = 0;
    iHorzOffset = 0;
    FillPreview();
    ShowBreaks();

    AddSzControl(*pFileName, modeStretch, modeFixed);
    AddSzControl(*pResult, modeStretch, modeFixed);
    AddSzControl(*pBreakHelp, modeStretch, modeFixed);
    AddSzControl(*pPreview, modeStretch, modeStretch);
    AddSzControl(*pVScroll, modeMove, modeStretch);
    AddSzControl(*pHScroll, modeStretch, modeMove);
    return true;
}

int ZelImportStep1::GetLayoutChoice() const { return pFixed->GetValue() ? 1 : 0; }

bool ZelImportStep1::OnSetActive()
{
    ZelImportStep::OnSetActive();
    // The first step leads to the column page; Finish waits there.
    SetStepButtons(true, false);
    return true;
}

bool ZelImportStep1::TransferDataFromWindow()
{
    if (!ZelImportStep::TransferDataFromWindow())
        return false;
    GetWizard().GetCore().GetReader().bFixedWidth = GetLayoutChoice() == 1 ? TRUE : FALSE;
    return true;
}

void ZelImportStep1::OnLayoutChosen(wxCommandEvent&)
{
    // Records are read otherwise in the two layouts (a quoted line break
    // joins lines only in delimited text): the preview is read again.
    GetWizard().GetCore().SetLayout(GetLayoutChoice() == 1 ? TRUE : FALSE);
    FillPreview();
    ShowBreaks();
}

void ZelImportStep1::OnBreakEdited(ZelImportPreview::Edit e_edit, UINT u_pos, UINT u_to)
{
    ZelImportWizardCore& core = GetWizard().GetCore();
    switch (e_edit) {
    case ZelImportPreview::Edit::add: core.AddColumnBreak(u_pos); break;
    case ZelImportPreview::Edit::move: core.MoveColumnBreak(u_pos, u_to); break;
    case ZelImportPreview::Edit::remove: core.RemoveColumnBreak(u_pos); break;
    }
    ShowBreaks();
}

void ZelImportStep1::ShowBreaks()
{
    const bool b_fixed = GetLayoutChoice() == 1;
    pBreakHelp->Show(b_fixed);
    pPreview->SetBreaks(GetWizard().GetCore().GetColumnStarts(), b_fixed);
}
