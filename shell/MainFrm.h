// The main frame. It will hold the four panes (venues, groups,
// participants, timetable); for now it is the empty frame of a new event.
#pragma once

#include <wx/frame.h>

class CMainFrame : public wxFrame {
public:
    CMainFrame();
    // "Untitled - Rotavex", or the event file's name in place of Untitled.
    void SetDocumentTitle(const wxString& s_document);
};
