// The timetable view ("CRotavexView"), the bottom-right pane of the main
// frame: a notebook (id 8) of one light page per day of the built
// timetable, and on the selected page one DayGrid (id 1180), made again on
// every change of tab and every update of the document. Its work without
// a window is TimetableViewCore's; the view gives it the notebook and the
// grid.
//
// Menu commands reach the grid before the view. Tab on the tabs moves the
// focus into the grid. The grid's report that the user changed the day's
// timeslots (-5001) writes them back into the event.
//
// Print timetable and Preview timetable run TimetablePrintout.h's print.
//
// RegisterTimetableView makes the frame create this view in its pane; the
// program does so at start-up.
#pragma once

#include "model/ShellPorts.h"
#include "shell/frame/PaneView.h"
#include "shell/timetable/TimetableViewCore.h"

#include <string>
#include <wx/docview.h>

class DayGrid;
class wxNotebook;
class wxBookCtrlEvent;
class ZelNotifyEvent;

class CRotavexView : public wxView, public IShellView, public IFramePane, private ITimetableViewWindow {
public:
    static constexpr int iTabsId = 8;

    CRotavexView();
    ~CRotavexView() override;

    // Makes the view's window in the parent with the id and fills the
    // tabs; null (nothing made) when the timetable has too many days.
    wxWindow* CreateWindow(wxWindow* p_parent, int i_id);

    std::string GetClassName() const override { return kTimetableView; }
    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView* p_sender, wxObject* p_hint) override;

    // IFramePane
    void ResetViewState() override { TimetableViewCore::ResetState(); }
    void RefreshSelectedSlot() override { Core.RefreshSelectedSlot(); }

    wxNotebook* GetTabs() const { return pTabs; }
    DayGrid* GetDayGrid() const { return pGrid; }
    TimetableViewCore& GetCore() { return Core; }
    // Print timetable (32824) and Preview timetable (32826), which the
    // frame forwards: the options dialog, then the printer or the preview.
    BOOL PrintTimetable(BOOL b_preview);

protected:
    // The grid takes menu commands and their updates first.
    bool TryBefore(wxEvent& event) override;

private:
    // ITimetableViewWindow
    void RemoveAllTabs() override;
    void AddTab(const std::string& s_title) override;
    BOOL SelectTab(int i_tab) override;
    DayGridCore* CreateGrid(EventDoc* p_doc, const Day& day, const ZelTimeslotCombinationList& combinations) override;
    void DestroyGrid() override;
    DayGridCore* GetGrid() override;
    void SetRedraw(BOOL b_redraw) override;

    void OnPageChanged(wxBookCtrlEvent& event);
    void OnPaneCharHook(wxKeyEvent& event);
    void OnPaneFocus(wxFocusEvent& event);
    void OnGridNotify(ZelNotifyEvent& event);

    TimetableViewCore Core;
    wxWindow* pPane = nullptr;
    wxNotebook* pTabs = nullptr;
    DayGrid* pGrid = nullptr;
    // Where the pages stood when they were last removed.
    wxRect rcPage;
    bool bFilling = false;
    int nFrozen = 0;

    wxDECLARE_DYNAMIC_CLASS(CRotavexView);
};

// Makes the frame's bottom-right pane a timetable view over the program's
// document; false when the name was taken.
bool RegisterTimetableView();
