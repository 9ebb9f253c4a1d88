#include "framework/ui/DialogOwner.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/toplevel.h>

wxWindow* DialogOwner()
{
    if (wxTheApp == nullptr)
        return nullptr;
    // Top-level windows are listed in the order they were made: the last
    // shown dialog is the one the user sees on top.
    for (auto it = wxTopLevelWindows.rbegin(); it != wxTopLevelWindows.rend(); ++it) {
        auto* p_dialog = wxDynamicCast(*it, wxDialog);
        if (p_dialog != nullptr && p_dialog->IsShown() && !p_dialog->IsBeingDeleted())
            return p_dialog;
    }
    return wxTheApp->GetTopWindow();
}
