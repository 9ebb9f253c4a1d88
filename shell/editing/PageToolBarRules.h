// The small command toolbar an editing page puts beside a list: its five
// tools (New, Delete, Move up, Move down, Order) with their images, tips
// and keyboard accelerators, which tools a page asks for, how the tips name
// the accelerators, and where the bar goes over the control it is placed
// on. Nothing here needs a window.
#pragma once

#include "framework/Types.h"
#include "zelkit/dialogs/ZelSizingLayout.h"

#include <functional>
#include <string>
#include <vector>

// The commands of the page toolbar; a page's handlers act on the control
// that owns the toolbar.
enum : int {
    ID_PAGE_NEW = 32846,
    ID_PAGE_DELETE = 32847,
    ID_PAGE_MOVE_UP = 32848,
    ID_PAGE_MOVE_DOWN = 32849,
    ID_PAGE_ORDER = 32867,
};

// The bitmap of the tools: five images side by side.
enum : int { IDB_PAGE_TOOLS = 225, nPageToolWidth = 16, nPageToolHeight = 15, nPageTools = 5 };

// Which tools a page asks for.
enum : UINT {
    PTB_NEW_DELETE = 1,
    PTB_MOVE = 2,
    PTB_ORDER = 4,
    PTB_DEFAULT = PTB_NEW_DELETE | PTB_MOVE,
};

// Modifier flags of an accelerator, as the window system keeps them.
enum : BYTE { FVIRTKEY = 0x01, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10 };

struct PageToolDef {
    int iImage;
    int iCommand;
    const char* pTip;
    // The accelerator of the tool: modifier flags and a VK_ key code.
    BYTE uAccelFlags;
    UINT uKey;
    // The flag that adds the tool.
    UINT uFlag;
};

// The five tools in their order.
const std::vector<PageToolDef>& PageTools();
// The tool of the command; null for any other.
const PageToolDef* FindPageTool(int i_command);
// The tools the flags add, in the order they go on the bar.
std::vector<const PageToolDef*> PageToolsForFlags(UINT u_flags);

// The command whose accelerator is the key with exactly these modifiers;
// 0 when none is.
int FindPageAccelerator(BYTE u_modifiers, UINT u_key);

// The tip of the command: its text followed by " (", the accelerator's
// name as the desktop gives it and ")". A command without an accelerator
// shows its plain text; any other command an empty text.
using AccelNamer = std::function<std::string(BYTE u_flags, UINT u_key)>;
std::string PageToolTip(int i_command, const AccelNamer& f_name);

// Where the bar goes: the control it is placed on keeps its bottom edge and
// becomes one bar high (its borders kept around that), and the bar sits in
// the right end of the control's client area. Rectangles are in the page's
// client coordinates.
struct PageToolBarPlacement {
    ZelRect rcPlace;
    ZelRect rcToolBar;
};
PageToolBarPlacement PlacePageToolBar(const ZelRect& rc_placeWindow, const ZelRect& rc_placeClient, LONG i_barWidth,
                                      LONG i_barHeight);
