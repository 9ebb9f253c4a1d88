#include "zelkit/lists/ui/ZelListView.h"

#include "zelkit/windows/ZelWindowServices.h"
#include "zelkit/windows/ui/ZelWindowServicesWx.h"

wxIMPLEMENT_DYNAMIC_CLASS(ZelListView, wxView);

ZelListViewCtrl::ZelListViewCtrl(ZelListView* p_view, wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle,
                                 long l_style)
    : ZelListCtrl(p_parent, i_id, wxDefaultPosition, wxDefaultSize, u_listStyle, l_style), pView(p_view)
{
}

void ZelListViewCtrl::OnNoSort()
{
    if (pView != nullptr)
        pView->OnNoSort();
}

ZelListView::ZelListView(UINT u_sortTimeLimitSeconds) : uSortTimeLimit(u_sortTimeLimitSeconds) {}

ZelListView::~ZelListView()
{
    if (ZelListCtrl* p_list = pList.get()) {
        ZelSetRedrawRemove(p_list);
        static_cast<ZelListViewCtrl*>(p_list)->pView = nullptr;
        p_list->Destroy();
    }
}

bool ZelListView::CreateListWindow(wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style)
{
    if (pList.get() != nullptr || p_parent == nullptr)
        return false;
    PreCreateWindow(u_listStyle, l_style);
    pList = NewListCtrl(p_parent, i_id, u_listStyle, l_style);
    return pList.get() != nullptr;
}

ZelListViewCtrl* ZelListView::NewListCtrl(wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style)
{
    return new ZelListViewCtrl(this, p_parent, i_id, u_listStyle, l_style);
}

void ZelListView::Sort(const ZelColSortSpec* p_specs, int n_specs, ZelListSort&, int b_toggle, PFNLVCOMPARE pfn_compare)
{
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr)
        return;
    ZelTooLong watch(static_cast<std::int32_t>(uSortTimeLimit), this, &ZelListView::OnSortTimed);
    p_list->Sort(p_specs, n_specs, SortState, b_toggle, pfn_compare ? pfn_compare : &ZelListCtrl::ItemCompare);
}

void ZelListView::Sort(int i_col, ZelListSort& sort, int i_direction, int b_toggle, PFNLVCOMPARE pfn_compare)
{
    const ZelColSortSpec spec(i_col, i_direction);
    Sort(&spec, 1, sort, b_toggle, pfn_compare);
}

void ZelListView::ReSort(PFNLVCOMPARE pfn_compare)
{
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr)
        return;
    ZelTooLong watch(static_cast<std::int32_t>(uSortTimeLimit), this, &ZelListView::OnSortTimed);
    p_list->ReSort(SortState, pfn_compare ? pfn_compare : &ZelListCtrl::ItemCompare);
}

void ZelListView::SetRedraw(BOOL b_redraw)
{
    if (ZelListCtrl* p_list = GetListCtrl())
        ZelSetRedraw(p_list, b_redraw);
}

void ZelListView::OnNoSort()
{
    SortState.SetCols(nullptr, 0);
    if (ZelListCtrl* p_list = GetListCtrl())
        p_list->ShowSort(SortState);
}
