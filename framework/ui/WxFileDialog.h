// The file-dialog port over the desktop's file dialog; the program installs
// it at start-up. Option controls go into the dialog through wx's
// customisation hook, or, when they are laid out in rows, on a panel of
// their own.
#pragma once

#include "framework/FileDialog.h"

#include <wx/string.h>

class wxWindow;

class WxFileDialogPort : public IFileDialogPort {
public:
    BOOL Ask(FileDialogRequest& request) override;

    // The dialog's wildcard text for the filters: each name with its
    // patterns, every pattern of an open dialog made to match either case
    // ("*.eve" becomes "*.[eE][vV][eE]"), as the desktop's filters tell
    // letters apart; a save dialog keeps them as written, since it puts the
    // pattern's extension on the name.
    static wxString Wildcard(const FileDialogRequest& request);
    // The panel of options laid out in rows, in the parent; clicks change
    // the request as FileDialogRequest::Click does.
    static wxWindow* CreateOptionsPanel(wxWindow* p_parent, FileDialogRequest& request);
    // The pattern matching either case.
    static wxString AnyCasePattern(const std::string& s_pattern);
};
