// The base of the library's own controls (the timeslot grid, its display
// form and the month calendar). Each control class registers a factory
// under its window-class name when the library loads, so that a dialog
// described elsewhere can hold the control by that name.
//
// The window owns its control object: wx destroys a child window, and with
// it the object, exactly once, when its parent goes (or on Destroy), so an
// object made by a factory needs no flag telling it to delete itself.
#pragma once

#include "framework/Types.h"

#include <functional>
#include <string>
#include <wx/window.h>

class ZelCustomCtrl : public wxWindow {
public:
    using Factory = std::function<ZelCustomCtrl*(wxWindow* p_parent, wxWindowID i_id)>;

    ZelCustomCtrl() = default;
    ZelCustomCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size, long l_style,
                  const wxString& s_name);

    // Registers the factory under the class name. FALSE, keeping the
    // factory registered first, when the name is taken.
    static BOOL RegisterWndClass(const std::string& s_class, Factory f_create);
    // FALSE when the name was not registered.
    static BOOL UnregisterWndClass(const std::string& s_class);

    // A new window of a registered class. A name nobody registered is a
    // programming error: it is reported through the assertion report and
    // the result is null.
    static wxWindow* CreateByClassName(const std::string& s_class, wxWindow* p_parent, wxWindowID i_id);
};
