#include "zelkit/controls/ZelControlPorts.h"

COLORREF ZelDefaultSysColor(int i_index)
{
    using namespace ZelSys;
    switch (i_index) {
    case COLOR_BACKGROUND: return ZelRGB(58, 110, 165);
    case COLOR_ACTIVECAPTION: return ZelRGB(10, 36, 106);
    case COLOR_MENU: return ZelRGB(240, 240, 240);
    case COLOR_WINDOW: return ZelRGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return ZelRGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return ZelRGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return ZelRGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return ZelRGB(255, 255, 255);
    case COLOR_BTNFACE: return ZelRGB(240, 240, 240);
    case COLOR_BTNSHADOW: return ZelRGB(160, 160, 160);
    case COLOR_GRAYTEXT: return ZelRGB(109, 109, 109);
    case COLOR_BTNTEXT: return ZelRGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return ZelRGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return ZelRGB(105, 105, 105);
    case COLOR_3DLIGHT: return ZelRGB(227, 227, 227);
    case COLOR_INFOTEXT: return ZelRGB(0, 0, 0);
    case COLOR_INFOBK: return ZelRGB(255, 255, 225);
    default: return ZelRGB(0, 0, 0);
    }
}

int ZelDefaultSystemMetrics(int i_index)
{
    using namespace ZelSys;
    switch (i_index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CYBORDER: return 1;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    default: return 0;
    }
}
