#include "zelkit/controls/ui/ZelCustomCtrl.h"

#include "framework/ui/WindowClass.h"
#include "zelkit/base/ZelAssert.h"

ZelCustomCtrl::ZelCustomCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                             long l_style, const wxString& s_name)
    : wxWindow(p_parent, i_id, pos, size, l_style, s_name)
{
}

BOOL ZelCustomCtrl::RegisterWndClass(const std::string& s_class, Factory f_create)
{
    if (!f_create)
        return FALSE;
    return WindowClasses::Register(s_class, [f = std::move(f_create)](wxWindow* p_parent, int i_id) -> wxWindow* {
        return f(p_parent, i_id);
    }) ? TRUE : FALSE;
}

BOOL ZelCustomCtrl::UnregisterWndClass(const std::string& s_class)
{
    return WindowClasses::Unregister(s_class) ? TRUE : FALSE;
}

wxWindow* ZelCustomCtrl::CreateByClassName(const std::string& s_class, wxWindow* p_parent, wxWindowID i_id)
{
    if (!WindowClasses::IsRegistered(s_class)) {
        const std::string s_text = "Cannot create a window of class '" + s_class + "'";
        ZelSendError("WindowClasses::IsRegistered(s_class)", __FILE_NAME__, __LINE__, s_text.c_str());
        return nullptr;
    }
    return WindowClasses::Create(s_class, p_parent, i_id);
}
