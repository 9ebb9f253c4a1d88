// The library's list view: a document view whose window is a report list,
// with a sort state of its own and a watch on how long each sort takes.
// Derived views (the program's item lists) create the window in a pane of
// their frame, fill it, and answer SortTooLong and OnNoSort.
#pragma once

#include "zelkit/datetime/ZelOleDateTime.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

#include <wx/docview.h>
#include <wx/weakref.h>

class ZelListView;

// The view's window: a list whose "Do not sort" goes to its view.
class ZelListViewCtrl : public ZelListCtrl {
public:
    ZelListViewCtrl(ZelListView* p_view, wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style);
    ZelListView* GetView() const { return pView; }

protected:
    void OnNoSort() override;

private:
    friend class ZelListView;
    ZelListView* pView;
};

class ZelListView : public wxView {
public:
    // A sort that takes this many seconds or more is reported.
    static const UINT uDefaultSortTimeLimit = 5;

    ZelListView() : ZelListView(uDefaultSortTimeLimit) {}
    ~ZelListView() override;

    // Creates the view's list in p_parent (once); the styles go through
    // PreCreateWindow first.
    bool CreateListWindow(wxWindow* p_parent, wxWindowID i_id = wxID_ANY, DWORD u_listStyle = 0,
                          long l_style = wxBORDER_THEME);
    // The view's list; null before CreateListWindow and after the window
    // is gone.
    ZelListCtrl* GetListCtrl() const { return pList.get(); }

    // Sorts the list under the sort watch. The view always sorts with, and
    // records into, its own sort state; the state passed is not used.
    void Sort(const ZelColSortSpec* p_specs, int n_specs, ZelListSort& sort, int b_toggle,
              PFNLVCOMPARE pfn_compare = nullptr);
    void Sort(int i_col, ZelListSort& sort, int i_direction, int b_toggle, PFNLVCOMPARE pfn_compare = nullptr);
    void ReSort(PFNLVCOMPARE pfn_compare = nullptr);
    void SetRedraw(BOOL b_redraw);

    ZelListSort& GetSortState() { return SortState; }
    const ZelListSort& GetSortState() const { return SortState; }
    UINT GetSortTimeLimit() const { return uSortTimeLimit; }

    void OnDraw(wxDC*) override {}

protected:
    explicit ZelListView(UINT u_sortTimeLimitSeconds);

    // The styles of the list window about to be created.
    virtual void PreCreateWindow(DWORD& /*u_listStyle*/, long& /*l_style*/) {}
    // Makes the view's list window; a derived view may make a derived list
    // (its own row painter, say).
    virtual ZelListViewCtrl* NewListCtrl(wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style);
    // A sort took at least the limit; nothing by default.
    virtual void SortTooLong(const ZelOleDateTimeSpan& /*elapsed*/) {}
    // "Do not sort": drops the sort and clears the header arrows.
    virtual void OnNoSort();

    ZelListSort SortState;
    UINT uSortTimeLimit;

private:
    friend class ZelListViewCtrl;
    void OnSortTimed(const CHighTimeSpan& elapsed) { SortTooLong(ZelOleDateTimeSpan(elapsed)); }

    wxWeakRef<ZelListCtrl> pList;

    wxDECLARE_DYNAMIC_CLASS(ZelListView);
};
