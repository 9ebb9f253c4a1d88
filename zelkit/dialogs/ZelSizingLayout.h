// The anchoring of a resizable window's controls, without any window.
//
// A sizing window registers its controls with four percentages, one per
// edge. When its client area grows, each control is placed at the
// rectangle it had at the opening size plus that percentage of the growth.
// The header also knows the smallest size the window may take (its
// opening size), which axes may change at all, how to widen the window once
// when it opens, and how to keep and bring back the window's placement,
// in a record the caller holds or in the application profile.
//
// Windows are opaque handles here; a port does what needs a real window
// (sizes, placements, moving a control, redrawing), so the arithmetic runs
// in tests with a port of their own. The window classes (ui/ZelSizing.h)
// give the port over wx windows.
#pragma once

#include "framework/Types.h"

#include <list>
#include <string>
#include <vector>

class IZelProfile;

// A rectangle as the window system gives it: right and bottom are one past
// the last pixel.
struct ZelRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool operator==(const ZelRect&) const = default;
};

// A complete window placement: eleven 32-bit words. Callers keep one per
// window between openings.
struct ZelSizingPosition {
    DWORD uLength = 44;
    DWORD uFlags = 0;
    DWORD uShowCmd = 0;
    LONG iMinX = 0;
    LONG iMinY = 0;
    LONG iMaxX = 0;
    LONG iMaxY = 0;
    ZelRect rcNormal;

    bool operator==(const ZelSizingPosition&) const = default;
};

// Show commands of a placement.
enum : DWORD {
    ZEL_SW_HIDE = 0,
    ZEL_SW_SHOWNORMAL = 1,
    ZEL_SW_SHOWMINIMIZED = 2,
    ZEL_SW_SHOWMAXIMIZED = 3,
};

// Size types of a size change.
enum : UINT {
    ZEL_SIZE_RESTORED = 0,
    ZEL_SIZE_MINIMIZED = 1,
    ZEL_SIZE_MAXIMIZED = 2,
};

// The limits of a window's tracking size. A value below 0 means no limit.
struct ZelMinMaxInfo {
    LONG iMinTrackX = -1;
    LONG iMinTrackY = -1;
    LONG iMaxTrackX = -1;
    LONG iMaxTrackY = -1;
};

using ZelSzHandle = void*;

// What the header needs of real windows.
class IZelSizingPort {
public:
    virtual ~IZelSizingPort() = default;
    // A window that exists (false for null).
    virtual bool IsWindow(ZelSzHandle h_wnd) const = 0;
    virtual bool GetClientSize(ZelSzHandle h_wnd, LONG& i_cx, LONG& i_cy) const = 0;
    // A top-level window's placement on the screen; a control's normal
    // rectangle in its parent's client area.
    virtual bool GetPlacement(ZelSzHandle h_wnd, ZelSizingPosition& pos) const = 0;
    // Applies a placement; show command 0 leaves the window's show state.
    virtual bool SetPlacement(ZelSzHandle h_wnd, const ZelSizingPosition& pos) = 0;
    // Places a window (a control in its parent's client area, a top-level
    // window on the screen) without redrawing it.
    virtual void MoveWindow(ZelSzHandle h_wnd, const ZelRect& rc) = 0;
    // Invalidates, erases and repaints the whole window now.
    virtual void Redraw(ZelSzHandle h_wnd) = 0;
    // Called before the header forgets a control: a control that is itself
    // a sizing window drops its own records then.
    virtual void OnDeleteControl(ZelSzHandle /*h_ctrl*/) {}
};

struct ZelSizingTypes {
    // Which axes the user may resize.
    enum Freedom : UINT {
        freedomNone = 0,
        freedomX = 1,
        freedomY = 2,
        freedomBoth = 3,
    };
    // The two percentages of one axis in a word.
    enum Mode : UINT {
        modeFixed = 0,     // 0, 0: stays where it is
        modeStretch = 1,   // 0, 100: grows with the window
        modeMove = 2,      // 100, 100: moves with the far edge
        modeMoveHalf = 3,  // 50, 50: stays centred
    };
    static void ExpandMode(Mode e_mode, BYTE& u_near, BYTE& u_far);
};

// One anchored control, with the further controls laid on exactly the same
// rectangle.
class ZelSizingControlInfo : public ZelSizingTypes {
public:
    class Header;

    ZelSizingControlInfo(Header* p_header, ZelSzHandle h_wnd, BYTE u_x1, BYTE u_x2, BYTE u_y1, BYTE u_y2,
                         const ZelRect& rc_initial);
    virtual ~ZelSizingControlInfo() = default;

    // Lays one more window on this record's rectangle.
    void AddEqual(ZelSzHandle h_wnd) { vEqual.push_back(h_wnd); }
    bool Holds(ZelSzHandle h_wnd) const;

    // The rectangle for a growth of (i_dx, i_dy) from the opening size.
    ZelRect Place(LONG i_dx, LONG i_dy) const;

    Header* GetHeader() const { return pHeader; }
    ZelSzHandle GetWnd() const { return hWnd; }
    const std::vector<ZelSzHandle>& GetEqual() const { return vEqual; }
    const ZelRect& GetInitialRect() const { return rcInitial; }
    BYTE uX1, uX2, uY1, uY2;

private:
    Header* pHeader;
    ZelSzHandle hWnd;
    std::vector<ZelSzHandle> vEqual;
    ZelRect rcInitial;
};

// The anchoring list of one sizing window.
class ZelSizingControlInfo::Header : public ZelSizingTypes {
public:
    using ControlInfo = ZelSizingControlInfo;

    // Profile values of a stored placement: the guard is written first as
    // kCheckBegin and last as kCheckDone, so a store that stopped half way
    // is never restored.
    static constexpr int kCheckBegin = -32640;
    static constexpr int kCheckDone = 32639;

    Header(Freedom e_freedom, bool b_sizeIcon, IZelSizingPort& port);
    virtual ~Header() = default;
    Header(const Header&) = delete;
    Header& operator=(const Header&) = delete;

    void Init(ZelSzHandle h_wnd) { hWnd = h_wnd; }
    // Forgets every record.
    void Detach() { lControls.clear(); }
    bool IsValid() const { return hWnd != nullptr && Port.IsWindow(hWnd); }
    bool IsInitialized() const { return IsValid() && iInitClientWidth != kNotInitialised; }
    // Whether a size grip was asked for. This desktop draws its own resize
    // handle, so the header keeps the wish but makes no grip window.
    bool WantsSizeIcon() const { return bSizeIcon; }

    void OnInitDialog(UINT u_stretchPercent);
    void OnSize(UINT u_type, LONG i_cx, LONG i_cy);
    void OnGetMinMaxInfo(ZelMinMaxInfo& info) const;
    bool ChangeSize(LONG i_cx, LONG i_cy);
    bool ReorganizeControls();
    void StretchWindow(UINT u_percent);

    ControlInfo* AddSzControlEx(ZelSzHandle h_ctrl, BYTE u_x1, BYTE u_x2, BYTE u_y1, BYTE u_y2);
    ControlInfo* AddSzControl(ZelSzHandle h_ctrl, Mode e_x, Mode e_y);
    ControlInfo* AddSzControl(ZelSzHandle h_ctrl, ZelSzHandle h_likeThis);
    void DeleteControl(ZelSzHandle h_ctrl);
    bool FindControl(ZelSzHandle h_ctrl) const { return FindRecord(h_ctrl) != nullptr; }
    ControlInfo* FindRecord(ZelSzHandle h_ctrl) const;

    bool StoreWindowPosition(ZelSizingPosition& pos) const;
    bool RestoreWindowPosition(const ZelSizingPosition& pos, bool b_keepShowState);
    bool StoreWindowPosition(const std::string& s_section, IZelProfile& profile) const;
    bool RestoreWindowPosition(const std::string& s_section, bool b_keepShowState, IZelProfile& profile);

    ZelSzHandle GetWnd() const { return hWnd; }
    Freedom GetFreedom() const { return eFreedom; }
    LONG GetInitClientWidth() const { return iInitClientWidth; }
    LONG GetInitClientHeight() const { return iInitClientHeight; }
    LONG GetMinWidth() const { return iMinWidth; }
    LONG GetMinHeight() const { return iMinHeight; }
    const std::list<ControlInfo>& GetControls() const { return lControls; }

private:
    static constexpr LONG kNotInitialised = -1;

    IZelSizingPort& Port;
    ZelSzHandle hWnd = nullptr;
    std::list<ControlInfo> lControls;
    LONG iInitClientWidth = kNotInitialised;
    LONG iInitClientHeight = 0;
    LONG iMinWidth = 0;
    LONG iMinHeight = 0;
    Freedom eFreedom;
    bool bSizeIcon;
};
