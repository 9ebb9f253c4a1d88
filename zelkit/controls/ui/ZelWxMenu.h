// The pop-up menus of the library's controls on screen. The controls' cores
// describe a menu as a ZelMenu and take its choice as a command id; these
// helpers carry that over wx for every control alike.
#pragma once

#include "framework/Types.h"
#include "zelkit/controls/ZelControlPorts.h"

#include <functional>

class wxContextMenuEvent;
class wxWindow;

// The client point a context-menu event names; (-1, -1) when it came from
// the keyboard, which gives no position, so that the core picks one.
CPoint ZelContextMenuPoint(wxWindow& window, const wxContextMenuEvent& event);

// Shows the menu at a client point and returns once it has closed; the
// choice arrives as a menu event with the item's folded window id.
void ZelPopupMenu(wxWindow& window, const ZelMenu& menu, const CPoint& pt_client);

// Routes a menu event's id to the core: an item of the menu last shown
// first, then the id itself, then the library id that window ids fold
// down. Returns false when nothing took it, so the caller skips the event.
bool ZelRouteMenuCommand(const ZelMenu& last_menu, int i_id, const std::function<BOOL(UINT)>& on_command);
