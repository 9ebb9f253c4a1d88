#include "zelkit/controls/ui/ZelWxKeys.h"

#include "zelkit/controls/ZelControlPorts.h"

#include <wx/event.h>

UINT ZelVirtualKey(const wxKeyEvent& event)
{
    const int i_key = event.GetKeyCode();
    switch (i_key) {
    case WXK_TAB: return VK_TAB;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: return VK_RETURN;
    case WXK_ESCAPE: return VK_ESCAPE;
    case WXK_SPACE:
    case WXK_NUMPAD_SPACE: return VK_SPACE;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP: return VK_PRIOR;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN: return VK_NEXT;
    case WXK_END:
    case WXK_NUMPAD_END: return VK_END;
    case WXK_HOME:
    case WXK_NUMPAD_HOME: return VK_HOME;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: return VK_LEFT;
    case WXK_UP:
    case WXK_NUMPAD_UP: return VK_UP;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: return VK_RIGHT;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN: return VK_DOWN;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE: return VK_DELETE;
    case WXK_MENU: return VK_APPS;
    default: break;
    }
    if (i_key >= 'a' && i_key <= 'z')
        return static_cast<UINT>(i_key - 'a' + 'A');
    if ((i_key >= 'A' && i_key <= 'Z') || (i_key >= '0' && i_key <= '9'))
        return static_cast<UINT>(i_key);
    return 0;
}

UINT ZelKeyModifiers(const wxKeyEvent& event)
{
    UINT u = 0;
    if (event.ControlDown())
        u |= KM_CONTROL;
    if (event.ShiftDown())
        u |= KM_SHIFT;
    if (event.AltDown())
        u |= KM_ALT;
    return u;
}
