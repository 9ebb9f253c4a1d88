#include "shell/editing/PageToolBarRules.h"

#include "zelkit/controls/ZelControlPorts.h"

const std::vector<PageToolDef>& PageTools()
{
    static const std::vector<PageToolDef> v_tools = {
        {0, ID_PAGE_NEW, "New", FVIRTKEY | FCONTROL, 'N', PTB_NEW_DELETE},
        {1, ID_PAGE_DELETE, "Delete", FVIRTKEY, VK_DELETE, PTB_NEW_DELETE},
        {2, ID_PAGE_MOVE_UP, "Move up", FVIRTKEY | FCONTROL, VK_PRIOR, PTB_MOVE},
        {3, ID_PAGE_MOVE_DOWN, "Move down", FVIRTKEY | FCONTROL, VK_NEXT, PTB_MOVE},
        {4, ID_PAGE_ORDER, "Order", FVIRTKEY | FCONTROL | FALT, VK_DOWN, PTB_ORDER},
    };
    return v_tools;
}

const PageToolDef* FindPageTool(int i_command)
{
    for (const PageToolDef& tool : PageTools()) {
        if (tool.iCommand == i_command)
            return &tool;
    }
    return nullptr;
}

std::vector<const PageToolDef*> PageToolsForFlags(UINT u_flags)
{
    std::vector<const PageToolDef*> v_tools;
    for (const PageToolDef& tool : PageTools()) {
        if (u_flags & tool.uFlag)
            v_tools.push_back(&tool);
    }
    return v_tools;
}

int FindPageAccelerator(BYTE u_modifiers, UINT u_key)
{
    const BYTE u_mask = FSHIFT | FCONTROL | FALT;
    for (const PageToolDef& tool : PageTools()) {
        if (tool.uKey == u_key && (tool.uAccelFlags & u_mask) == (u_modifiers & u_mask))
            return tool.iCommand;
    }
    return 0;
}

std::string PageToolTip(int i_command, const AccelNamer& f_name)
{
    const PageToolDef* p_tool = FindPageTool(i_command);
    if (p_tool == nullptr)
        return {};
    std::string s_tip = p_tool->pTip;
    if (p_tool->uKey == 0 || !f_name)
        return s_tip;
    const std::string s_accel = f_name(p_tool->uAccelFlags, p_tool->uKey);
    if (!s_accel.empty())
        s_tip += " (" + s_accel + ")";
    return s_tip;
}

PageToolBarPlacement PlacePageToolBar(const ZelRect& rc_placeWindow, const ZelRect& rc_placeClient, LONG i_barWidth,
                                      LONG i_barHeight)
{
    PageToolBarPlacement placement;
    ZelRect rc_client = rc_placeClient;
    rc_client.top = rc_client.bottom - i_barHeight;
    // The borders the window draws around its client area stay as they are.
    placement.rcPlace = {rc_client.left - (rc_placeClient.left - rc_placeWindow.left),
                         rc_client.top - (rc_placeClient.top - rc_placeWindow.top),
                         rc_client.right + (rc_placeWindow.right - rc_placeClient.right),
                         rc_client.bottom + (rc_placeWindow.bottom - rc_placeClient.bottom)};
    placement.rcToolBar = {rc_client.right - i_barWidth, rc_client.top, rc_client.right, rc_client.bottom};
    return placement;
}
