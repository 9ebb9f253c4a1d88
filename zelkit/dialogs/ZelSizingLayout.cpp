#include "zelkit/dialogs/ZelSizingLayout.h"

#include "zelkit/dialogs/ZelProfile.h"

#include <algorithm>

using Header = ZelSizingControlInfo::Header;

void ZelSizingTypes::ExpandMode(Mode e_mode, BYTE& u_near, BYTE& u_far)
{
    switch (e_mode) {
    case modeStretch: u_near = 0; u_far = 100; break;
    case modeMove: u_near = 100; u_far = 100; break;
    case modeMoveHalf: u_near = 50; u_far = 50; break;
    default: u_near = 0; u_far = 0; break;
    }
}

// ------------------------------------------------------------ ControlInfo

ZelSizingControlInfo::ZelSizingControlInfo(Header* p_header, ZelSzHandle h_wnd, BYTE u_x1, BYTE u_x2, BYTE u_y1,
                                           BYTE u_y2, const ZelRect& rc_initial)
    : uX1(u_x1), uX2(u_x2), uY1(u_y1), uY2(u_y2), pHeader(p_header), hWnd(h_wnd), rcInitial(rc_initial)
{
}

bool ZelSizingControlInfo::Holds(ZelSzHandle h_wnd) const
{
    return h_wnd == hWnd || std::find(vEqual.begin(), vEqual.end(), h_wnd) != vEqual.end();
}

ZelRect ZelSizingControlInfo::Place(LONG i_dx, LONG i_dy) const
{
    // Signed division truncates toward zero: a half share of an odd growth
    // leaves the odd pixel out.
    ZelRect rc = rcInitial;
    if (i_dx != 0) {
        if (uX1)
            rc.left += static_cast<LONG>(uX1) * i_dx / 100;
        if (uX2)
            rc.right += static_cast<LONG>(uX2) * i_dx / 100;
    }
    if (i_dy != 0) {
        if (uY1)
            rc.top += static_cast<LONG>(uY1) * i_dy / 100;
        if (uY2)
            rc.bottom += static_cast<LONG>(uY2) * i_dy / 100;
    }
    return rc;
}

// ----------------------------------------------------------------- Header

Header::Header(Freedom e_freedom, bool b_sizeIcon, IZelSizingPort& port)
    : Port(port), eFreedom(e_freedom), bSizeIcon(b_sizeIcon)
{
}

void Header::OnInitDialog(UINT u_stretchPercent)
{
    if (!IsValid())
        return;
    LONG i_cx = 0, i_cy = 0;
    ZelSizingPosition pos;
    if (!Port.GetClientSize(hWnd, i_cx, i_cy) || !Port.GetPlacement(hWnd, pos))
        return;
    iInitClientWidth = i_cx;
    iInitClientHeight = i_cy;
    iMinWidth = pos.rcNormal.Width();
    iMinHeight = pos.rcNormal.Height();
    if (u_stretchPercent != 0)
        StretchWindow(u_stretchPercent);
}

void Header::OnSize(UINT u_type, LONG i_cx, LONG i_cy)
{
    if (u_type != ZEL_SIZE_MINIMIZED && IsInitialized())
        ChangeSize(i_cx, i_cy);
}

void Header::OnGetMinMaxInfo(ZelMinMaxInfo& info) const
{
    if (!IsInitialized())
        return;
    info.iMinTrackX = iMinWidth;
    info.iMinTrackY = iMinHeight;
    if (!(eFreedom & freedomX))
        info.iMaxTrackX = iMinWidth;
    if (!(eFreedom & freedomY))
        info.iMaxTrackY = iMinHeight;
}

bool Header::ChangeSize(LONG i_cx, LONG i_cy)
{
    if (!IsInitialized())
        return false;
    bool b_result = true;
    LONG i_dx = i_cx - iInitClientWidth;
    LONG i_dy = i_cy - iInitClientHeight;
    if (i_dx < 0) {
        i_dx = 0;
        b_result = false;
    }
    if (i_dy < 0) {
        i_dy = 0;
        b_result = false;
    }
    for (const ControlInfo& info : lControls) {
        const ZelRect rc = info.Place(i_dx, i_dy);
        if (Port.IsWindow(info.GetWnd()))
            Port.MoveWindow(info.GetWnd(), rc);
        for (ZelSzHandle h : info.GetEqual()) {
            if (Port.IsWindow(h))
                Port.MoveWindow(h, rc);
        }
    }
    Port.Redraw(hWnd);
    return b_result;
}

bool Header::ReorganizeControls()
{
    LONG i_cx = 0, i_cy = 0;
    if (!IsInitialized() || !Port.GetClientSize(hWnd, i_cx, i_cy))
        return false;
    return ChangeSize(i_cx, i_cy);
}

void Header::StretchWindow(UINT u_percent)
{
    if (!IsValid())
        return;
    ZelSizingPosition pos;
    if (!Port.GetPlacement(hWnd, pos))
        return;
    ZelRect rc = pos.rcNormal;
    auto stretch = [u_percent](LONG& i_near, LONG& i_far) {
        const LONG i_d = static_cast<LONG>(static_cast<UINT>(i_far - i_near) * u_percent / 50u);
        i_near -= i_d;
        if (i_near < 0)
            i_near = 0;
        i_far += i_d;
    };
    if (eFreedom & freedomX)
        stretch(rc.left, rc.right);
    if (eFreedom & freedomY)
        stretch(rc.top, rc.bottom);
    Port.MoveWindow(hWnd, rc);
}

Header::ControlInfo* Header::AddSzControlEx(ZelSzHandle h_ctrl, BYTE u_x1, BYTE u_x2, BYTE u_y1, BYTE u_y2)
{
    if (!IsValid() || !Port.IsWindow(h_ctrl) || !IsInitialized())
        return nullptr;
    if (u_x1 == 0 && u_x2 == 0 && u_y1 == 0 && u_y2 == 0)
        return nullptr;
    ZelSizingPosition pos;
    LONG i_cx = 0, i_cy = 0;
    if (!Port.GetPlacement(h_ctrl, pos) || !Port.GetClientSize(hWnd, i_cx, i_cy))
        return nullptr;
    lControls.emplace_front(this, h_ctrl, u_x1, u_x2, u_y1, u_y2, pos.rcNormal);
    ControlInfo& info = lControls.front();
    // Placed at once for the present growth, shrinking included.
    Port.MoveWindow(h_ctrl, info.Place(i_cx - iInitClientWidth, i_cy - iInitClientHeight));
    return &info;
}

Header::ControlInfo* Header::AddSzControl(ZelSzHandle h_ctrl, Mode e_x, Mode e_y)
{
    BYTE u_x1, u_x2, u_y1, u_y2;
    ExpandMode(e_x, u_x1, u_x2);
    ExpandMode(e_y, u_y1, u_y2);
    return AddSzControlEx(h_ctrl, u_x1, u_x2, u_y1, u_y2);
}

Header::ControlInfo* Header::AddSzControl(ZelSzHandle h_ctrl, ZelSzHandle h_likeThis)
{
    const ControlInfo* p_like = FindRecord(h_likeThis);
    if (p_like == nullptr)
        return nullptr;
    return AddSzControlEx(h_ctrl, p_like->uX1, p_like->uX2, p_like->uY1, p_like->uY2);
}

Header::ControlInfo* Header::FindRecord(ZelSzHandle h_ctrl) const
{
    for (const ControlInfo& info : lControls) {
        if (info.Holds(h_ctrl))
            return const_cast<ControlInfo*>(&info);
    }
    return nullptr;
}

void Header::DeleteControl(ZelSzHandle h_ctrl)
{
    for (auto it = lControls.begin(); it != lControls.end(); ++it) {
        if (it->Holds(h_ctrl)) {
            Port.OnDeleteControl(h_ctrl);
            lControls.erase(it);
            return;
        }
    }
}

bool Header::StoreWindowPosition(ZelSizingPosition& pos) const
{
    if (!IsInitialized())
        return true;
    return Port.GetPlacement(hWnd, pos);
}

bool Header::RestoreWindowPosition(const ZelSizingPosition& pos, bool b_keepShowState)
{
    ZelSizingPosition current;
    if (!IsValid() || !Port.GetPlacement(hWnd, current))
        return false;
    current = pos;
    if (!b_keepShowState)
        current.uShowCmd = 0;
    return Port.SetPlacement(hWnd, current);
}

bool Header::StoreWindowPosition(const std::string& s_section, IZelProfile& profile) const
{
    ZelSizingPosition pos;
    if (!IsInitialized() || !Port.GetPlacement(hWnd, pos))
        return false;
    return profile.WriteProfileInt(s_section, "(check)", kCheckBegin)
           && profile.WriteProfileInt(s_section, "Left", pos.rcNormal.left)
           && profile.WriteProfileInt(s_section, "Right", pos.rcNormal.right)
           && profile.WriteProfileInt(s_section, "Top", pos.rcNormal.top)
           && profile.WriteProfileInt(s_section, "Bottom", pos.rcNormal.bottom)
           && profile.WriteProfileInt(s_section, "State", static_cast<int>(pos.uShowCmd))
           && profile.WriteProfileInt(s_section, "(check)", kCheckDone);
}

bool Header::RestoreWindowPosition(const std::string& s_section, bool b_keepShowState, IZelProfile& profile)
{
    ZelSizingPosition pos;
    if (!IsValid() || !Port.GetPlacement(hWnd, pos))
        return false;
    if (profile.GetProfileInt(s_section, "(check)", 0) != kCheckDone)
        return false;
    pos.rcNormal.left = profile.GetProfileInt(s_section, "Left", pos.rcNormal.left);
    pos.rcNormal.right = profile.GetProfileInt(s_section, "Right", pos.rcNormal.right);
    pos.rcNormal.top = profile.GetProfileInt(s_section, "Top", pos.rcNormal.top);
    pos.rcNormal.bottom = profile.GetProfileInt(s_section, "Bottom", pos.rcNormal.bottom);
    pos.uShowCmd = static_cast<DWORD>(profile.GetProfileInt(s_section, "State", static_cast<int>(pos.uShowCmd)));
    if (!b_keepShowState)
        pos.uShowCmd = 0;
    return Port.SetPlacement(hWnd, pos);
}
