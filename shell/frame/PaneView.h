// What the main frame asks of the view in one of its four panes.
//
// The frame makes each pane by the run-time class name of its view
// ("VenueView", "GroupView", "ParticipantView", "CRotavexView") through the
// window classes (framework/ui/WindowClass.h). A view's module registers
// the name with a factory that makes the view (a wxView with wx's run-time
// class of that name), attaches it to the event's document
// (CRotavexApp's GetEventDocument), creates its window in the pane's parent
// with the pane's id, sets that window as the view's frame (wxView::
// SetFrame) and returns it. The frame finds a pane's view by that window,
// and deletes the views of its panes before it goes. A name nobody
// registered gives a plain empty pane, in which no view is found. A view is
// of a class when wx's run-time class says so (derived classes too) or when
// its model face (IShellView::GetClassName) gives that name.
//
// Views implement the model's face (IShellView, or IItemListView for the
// list views, model/ShellPorts.h) and, for what the frame needs besides,
// this interface; every operation has the answer of a view that lacks it.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

class IFramePane {
public:
    virtual ~IFramePane() = default;

    // The rows of a list view (0 for a view that lists nothing).
    virtual int GetPaneItemCount() { return 0; }
    // The widths in pixels of a list's columns, in column order; the frame
    // sizes its first column from the venue view's.
    virtual std::vector<int> GetPaneColumnWidths() { return {}; }

    // The list view's import: whether it accepts imports, and the import
    // of a fetched text or of a file (key, name text, full path).
    virtual BOOL AcceptsImports() { return FALSE; }
    virtual void ImportFromText(const std::string& /*s_key*/, const std::string& /*s_text*/) {}
    virtual void ImportFromFile(const std::string& /*s_key*/, const std::string& /*s_name*/,
                                const std::string& /*s_path*/)
    {
    }

    // The timetable view: its remembered state goes back to its start (no
    // selected day, a reset requested), and a group chosen in its grid's
    // open in-place choice is written into the timeslot.
    virtual void ResetViewState() {}
    virtual void RefreshSelectedSlot() {}
};

// Finds the view of a pane by its class name (or a class derived from it),
// made the frame's active view when b_activate is set; null when no pane
// has such a view.
class IPaneFinder {
public:
    virtual ~IPaneFinder() = default;
    virtual IFramePane* FindPane(const std::string& s_className, BOOL b_activate) = 0;
};

// The panes' class names.
inline constexpr const char* kVenueView = "VenueView";
inline constexpr const char* kGroupView = "GroupView";
inline constexpr const char* kParticipantView = "ParticipantView";
inline constexpr const char* kTimetableView = "CRotavexView";
