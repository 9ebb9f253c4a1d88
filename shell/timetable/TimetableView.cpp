#include "shell/timetable/TimetableView.h"

#include "framework/ui/WindowClass.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "shell/frame/CommandIds.h"
#include "shell/timetable/DayGrid.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/RotavexApp.h"
#include "shell/timetable/TimetablePrintout.h"
#include "shell/frame/WxCommands.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>

wxIMPLEMENT_DYNAMIC_CLASS(CRotavexView, wxView);

CRotavexView::CRotavexView() : Core(*this) {}

CRotavexView::~CRotavexView()
{
    if (pPane == nullptr)
        return;
    DestroyGrid();
    if (pTabs != nullptr) {
        RemoveAllTabs();
        pTabs->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CRotavexView::OnPageChanged, this);
    }
    pPane->Unbind(wxEVT_CHAR_HOOK, &CRotavexView::OnPaneCharHook, this);
    pPane->Unbind(wxEVT_SET_FOCUS, &CRotavexView::OnPaneFocus, this);
}

wxWindow* CRotavexView::CreateWindow(wxWindow* p_parent, int i_id)
{
    wxASSERT_MSG(p_parent != nullptr, "pParentWnd != NULL");
    auto* p_doc = dynamic_cast<CEventDocument*>(GetDocument());
    Core.SetDocument(p_doc != nullptr ? &p_doc->GetEvent() : nullptr);

    pPane = new wxPanel(p_parent, i_id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE);
    // The pages and the grid cover the pane: nothing to erase.
    pPane->SetBackgroundStyle(wxBG_STYLE_PAINT);
    pTabs = new wxNotebook(pPane, iTabsId);
    auto* p_sizer = new wxBoxSizer(wxVERTICAL);
    p_sizer->Add(pTabs, 1, wxEXPAND);
    pPane->SetSizer(p_sizer);
    AddTab("");

    pTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CRotavexView::OnPageChanged, this);
    pPane->Bind(wxEVT_CHAR_HOOK, &CRotavexView::OnPaneCharHook, this);
    pPane->Bind(wxEVT_SET_FOCUS, &CRotavexView::OnPaneFocus, this);
    // The frame sends the pane's print and preview here.
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PrintTimetable(FALSE); }, CommandWxId(ID_PRINT_TIMETABLE));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PrintTimetable(TRUE); }, CommandWxId(ID_PREVIEW_TIMETABLE));

    if (!Core.FillTabs()) {
        RemoveAllTabs();
        pTabs->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CRotavexView::OnPageChanged, this);
        pPane->Unbind(wxEVT_CHAR_HOOK, &CRotavexView::OnPaneCharHook, this);
        pPane->Unbind(wxEVT_SET_FOCUS, &CRotavexView::OnPaneFocus, this);
        pPane->Destroy();
        pPane = nullptr;
        pTabs = nullptr;
        return nullptr;
    }
    return pPane;
}

BOOL CRotavexView::PrintTimetable(BOOL b_preview)
{
    auto* p_doc = dynamic_cast<CEventDocument*>(GetDocument());
    if (p_doc == nullptr)
        return FALSE;
    FrameListRows rows;
    return RunTimetablePrint(p_doc->GetEvent(), &rows, b_preview);
}

void CRotavexView::OnUpdate(wxView*, wxObject* p_hint)
{
    if (pPane == nullptr)
        return;
    // A hint of another class says nothing the view knows of.
    const auto* p_viewHint = dynamic_cast<const CViewHint*>(p_hint);
    Core.OnUpdate(p_viewHint != nullptr ? &p_viewHint->Hint : nullptr);
}

bool CRotavexView::TryBefore(wxEvent& event)
{
    const wxEventType e_type = event.GetEventType();
    if ((e_type == wxEVT_MENU || e_type == wxEVT_UPDATE_UI) && pGrid != nullptr
        && pGrid->ProcessWindowEventLocally(event))
        return true;
    return wxView::TryBefore(event);
}

// ---------------------------------------------------------- tabs and grid

void CRotavexView::RemoveAllTabs()
{
    if (pTabs == nullptr)
        return;
    DestroyGrid();
    // New pages start where the old ones were, so that a new grid is laid
    // out, and scrolled, in its place before the notebook sizes it.
    const int i_page = pTabs->GetSelection();
    if (i_page != wxNOT_FOUND) {
        const wxRect rc_page = pTabs->GetPage(static_cast<std::size_t>(i_page))->GetRect();
        if (!rc_page.IsEmpty())
            rcPage = rc_page;
    }
    bFilling = true;
    pTabs->DeleteAllPages();
    bFilling = false;
}

void CRotavexView::AddTab(const std::string& s_title)
{
    auto* p_page = new wxPanel(pTabs, wxID_ANY, rcPage.GetPosition(), rcPage.GetSize(), wxBORDER_NONE);
    p_page->SetSizer(new wxBoxSizer(wxVERTICAL));
    p_page->Bind(wxEVT_ZEL_NOTIFY, &CRotavexView::OnGridNotify, this, DayGrid::iGridId);
    bFilling = true;
    pTabs->AddPage(p_page, ToWx(s_title), false);
    bFilling = false;
}

BOOL CRotavexView::SelectTab(int i_tab)
{
    if (pTabs == nullptr || i_tab < 0 || i_tab >= static_cast<int>(pTabs->GetPageCount()))
        return FALSE;
    bFilling = true;
    pTabs->ChangeSelection(static_cast<std::size_t>(i_tab));
    bFilling = false;
    return TRUE;
}

DayGridCore* CRotavexView::CreateGrid(EventDoc* p_doc, const Day& day, const ZelTimeslotCombinationList& combinations)
{
    DestroyGrid();
    const int i_page = pTabs != nullptr ? pTabs->GetSelection() : wxNOT_FOUND;
    if (i_page == wxNOT_FOUND)
        return nullptr;
    wxWindow* p_page = pTabs->GetPage(static_cast<std::size_t>(i_page));
    pGrid = new DayGrid(p_page, DayGrid::iGridId, p_doc, day, combinations);
    p_page->GetSizer()->Add(pGrid, 1, wxEXPAND);
    p_page->Layout();
    pGrid->Resize();
    return &pGrid->GetCore();
}

void CRotavexView::DestroyGrid()
{
    if (pGrid == nullptr)
        return;
    DayGrid* p_grid = pGrid;
    pGrid = nullptr;
    p_grid->Destroy();
}

DayGridCore* CRotavexView::GetGrid()
{
    return pGrid != nullptr ? &pGrid->GetCore() : nullptr;
}

void CRotavexView::SetRedraw(BOOL b_redraw)
{
    if (pPane == nullptr)
        return;
    if (!b_redraw) {
        ++nFrozen;
        pPane->Freeze();
        return;
    }
    if (nFrozen > 0) {
        --nFrozen;
        pPane->Thaw();
    }
    pPane->Refresh();
}

// ------------------------------------------------------------------ events

void CRotavexView::OnPageChanged(wxBookCtrlEvent& event)
{
    event.Skip();
    if (bFilling || event.GetEventObject() != pTabs)
        return;
    const int i_tab = event.GetSelection();
    if (i_tab < 0)
        return;
    // A choice still open in the grid is placed before the grid goes.
    if (DayGridCore* p_core = GetGrid())
        p_core->CloseGroupList();
    pTabs->SetFocus();
    Core.SelectDay(i_tab);
}

void CRotavexView::OnPaneCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_TAB && !event.ControlDown() && pGrid != nullptr
        && wxWindow::FindFocus() == pTabs) {
        pGrid->SetFocus();
        return;
    }
    event.Skip();
}

void CRotavexView::OnPaneFocus(wxFocusEvent& event)
{
    event.Skip();
    if (pTabs != nullptr)
        pTabs->SetFocus();
}

void CRotavexView::OnGridNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() == ZTSN_CHANGED)
        Core.OnTimeslotsChanged();
    else
        event.Skip();
}

// ---------------------------------------------------------- registration

bool RegisterTimetableView()
{
    return WindowClasses::Register(kTimetableView, [](wxWindow* p_parent, int i_id) -> wxWindow* {
        CRotavexApp* p_app = TheApp();
        CEventDocument* p_doc = p_app != nullptr ? p_app->GetDocument() : nullptr;
        if (p_doc == nullptr)
            return nullptr;
        auto* p_view = new CRotavexView;
        p_view->SetDocument(p_doc);
        wxWindow* p_window = p_view->CreateWindow(p_parent, i_id);
        if (p_window == nullptr) {
            delete p_view;
            return nullptr;
        }
        p_view->SetFrame(p_window);
        return p_window;
    });
}
