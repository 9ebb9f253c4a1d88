#include "shell/MainFrm.h"
#include "shell/RotavexApp.h"

#include <wx/menu.h>

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(1000, 700))
{
    auto* p_file = new wxMenu;
    p_file->Append(wxID_EXIT, "E&xit");
    auto* p_bar = new wxMenuBar;
    p_bar->Append(p_file, "&File");
    SetMenuBar(p_bar);
    CreateStatusBar();
    SetStatusText("Ready");
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
    SetDocumentTitle("Untitled");
}

void CMainFrame::SetDocumentTitle(const wxString& s_document)
{
    SetTitle(s_document + " - " + RVX_PRODUCT_NAME);
}
