// The main frame: menu bar, toolbar, status bar and the four panes of the
// event (venues top left, groups bottom left, participants top right, the
// timetable bottom right), and the routing of every command.
//
// A command goes first to the frame's active view (and through it to the
// document), then to the document, then to the frame's own handlers, then
// to the application. Most commands that concern one pane reach the frame,
// which finds that pane's view, makes it the active view and hands it the
// command, so that each view keeps its own logic. A command with no handler
// anywhere is disabled, so that nothing on screen is ever silent.
#pragma once

#include "shell/frame/FrameRules.h"
#include "shell/frame/PaneView.h"

#include <set>
#include <string>
#include <wx/frame.h>

class CEventDocument;
class wxSplitterEvent;
class wxSplitterWindow;
class wxView;

class CMainFrame : public wxFrame, public IPaneFinder {
public:
    // The least a pane shows, in lines of text high and in average
    // characters wide.
    static constexpr int nPaneRowsMin = 14;
    static constexpr int nPaneColumnCharsMin = 30;

    explicit CMainFrame(CEventDocument& doc);
    ~CMainFrame() override;

    // Builds the toolbar and the status bar, then the panes; false when
    // any of them could not be made (the frame is then of no use).
    bool Create();

    CEventDocument& GetDocument() { return Document; }

    // ---- panes ----

    // The pane window at (row, column); its view, null for a plain pane.
    wxWindow* GetPane(int i_row, int i_col) const { return aPanes[i_row][i_col]; }
    wxView* GetPaneView(int i_row, int i_col) const;
    // The first pane, row by row, whose view is of the class (or derived);
    // made the active view (with the focus) when b_activate is set. Null
    // when no pane has one.
    wxView* FindView(const std::string& s_className, bool b_activate);
    IFramePane* FindPane(const std::string& s_className, BOOL b_activate) override;
    wxView* GetActiveView() const { return pActiveView; }
    void SetActiveView(wxView* p_view);
    // The views of the panes go before the frame does.
    void DeleteViews();
    // Gives the focus to the pane after (before) the one that holds it,
    // row by row and round again, and makes its view the active one: F6
    // and Ctrl+Tab (with Shift, backwards), and Tab out of a pane's last
    // control.
    void FocusNextPane(bool b_backward);

    // ---- commands ----

    // Runs the command as a click on its menu item would: nothing, and
    // false, while it is disabled.
    bool RunCommand(UINT u_command);
    // Whether the command is enabled now (and checked, for the options).
    bool IsCommandEnabled(UINT u_command, bool* p_checked = nullptr);
    // Queues the command; it runs once the present event is handled.
    void PostCommand(UINT u_command);
    // The menu that holds the recent files.
    wxMenu* GetRecentFilesMenu() const { return pRecentMenu; }
    const PendingPrint& GetPendingPrint() const { return Pending; }

    // The title from the document, and the lock keys into the status bar.
    void UpdateTitle();
    void UpdateIndicators();
    // Takes the built-timetable message out of the message bar once the
    // timetable is no longer the one that build made ("Ready" instead).
    void UpdateTimetableMessage();

protected:
    bool TryBefore(wxEvent& event) override;
    bool TryAfter(wxEvent& event) override;
    // The message bar, whose new texts show with the window's next paint.
    wxStatusBar* OnCreateStatusBar(int n_panes, long l_style, wxWindowID i_id, const wxString& s_name) override;

private:
    void CreateMenus();
    bool CreateToolBarAndStatus();
    bool CreatePanes();
    // Sizes the first column from the venue view's columns.
    void SizeFirstColumn();
    // The smallest window in which the panes and the toolbar show whole.
    void SetMinimumSize();
    void BindCommands();

    // Sends the command to the view of the class, made active first;
    // nothing when no pane has such a view.
    void Forward(const char* p_class, UINT u_command);
    bool HasView(const char* p_class);
    int PaneItemCount(const char* p_class);
    // Opens a help document; tells the user when the desktop cannot.
    void OpenDocument(const std::string& s_path);
    bool IsPrintable();

    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnChildFocus(wxChildFocusEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnRowSashMoved(wxSplitterEvent& event);

    CEventDocument& Document;
    wxSplitterWindow* pColumns = nullptr;
    wxSplitterWindow* aRows[2] = {nullptr, nullptr};
    wxWindow* aPanes[2][2] = {{nullptr, nullptr}, {nullptr, nullptr}};
    wxView* pActiveView = nullptr;
    PendingPrint Pending;
    wxMenu* pRecentMenu = nullptr;
    // The wx ids of every command on the menus and the toolbar.
    std::set<int> sCommandIds;
    bool bViewsDeleted = false;
    // Whether the minimum size was set with the window on screen, and the
    // least client size it keeps.
    bool bMinimumSizeSet = false;
    wxSize szMinClient;
};
