#include "zelkit/windows/ZelWindowServices.h"

#include "zelkit/base/ZelAssert.h"

#include <unordered_map>
#include <utility>

namespace {

// Open suspensions per window, made at first use. Used from the user
// interface thread only.
std::unordered_map<const void*, std::int32_t>& RedrawMap()
{
    static std::unordered_map<const void*, std::int32_t> m_redraw(53);
    return m_redraw;
}

// Shows nothing: the model's and the engines' wait cursors in a process
// without a desktop.
class NoCursorPort : public IZelCursorPort {
public:
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool SetCursor(UINT, ZelCursorHandle&) override { return false; }
    void RestoreCursor(ZelCursorHandle) override {}
};

NoCursorPort g_noCursors;
IZelCursorPort* g_pCursors = &g_noCursors;

ZelDlgBaseSource g_pfnBaseSource = nullptr;

ZelTooLong::Clock g_pfnClock = &CHighTime::GetPresentTime;

} // namespace

BOOL ZelSetRedraw(void* p_wnd, BOOL b_redraw, ZelRedrawSender pfn_send)
{
    auto& m_redraw = RedrawMap();
    auto it = m_redraw.find(p_wnd);
    if (!b_redraw) {
        if (it != m_redraw.end()) {
            ++it->second;
        } else {
            pfn_send(p_wnd, FALSE);
            m_redraw.emplace(p_wnd, 1);
        }
        return 0;
    }
    if (it != m_redraw.end()) {
        if (--it->second >= 1)
            return 0;
        m_redraw.erase(it);
    }
    pfn_send(p_wnd, TRUE);
    return 1;
}

void ZelSetRedrawRemove(const void* p_wnd) { RedrawMap().erase(p_wnd); }

std::int32_t ZelGetRedrawCount(const void* p_wnd)
{
    const auto& m_redraw = RedrawMap();
    const auto it = m_redraw.find(p_wnd);
    return it == m_redraw.end() ? 0 : it->second;
}

IZelCursorPort& ZelGetCursorPort() { return *g_pCursors; }

IZelCursorPort* ZelSetCursorPort(IZelCursorPort* p_port)
{
    IZelCursorPort* p_old = g_pCursors;
    g_pCursors = p_port ? p_port : &g_noCursors;
    return p_old;
}

ZelWaitCursor::ZelWaitCursor() : uId(0), bOwnCursor(FALSE), hPrevious(nullptr)
{
    ZelGetCursorPort().BeginWaitCursor();
}

ZelWaitCursor::ZelWaitCursor(UINT u_id) : uId(u_id), bOwnCursor(FALSE), hPrevious(nullptr)
{
    if (uId != 0 && ZelGetCursorPort().SetCursor(uId, hPrevious))
        bOwnCursor = TRUE;
    else
        ZelGetCursorPort().BeginWaitCursor();
}

ZelWaitCursor::~ZelWaitCursor()
{
    if (bOwnCursor)
        ZelGetCursorPort().RestoreCursor(hPrevious);
    else
        ZelGetCursorPort().EndWaitCursor();
}

std::int32_t ZelDlgUnits::iXBase = 0;
std::int32_t ZelDlgUnits::iYBase = 0;

ZelDlgUnits::ZelDlgUnits()
{
    if (iXBase != 0 && iYBase != 0)
        return;
    std::int32_t i_x = 0, i_y = 0;
    if (g_pfnBaseSource && g_pfnBaseSource(i_x, i_y) && i_x > 0 && i_y > 0) {
        iXBase = i_x;
        iYBase = i_y;
    }
}

std::int32_t ZelDlgUnits::GetXBase()
{
    ZEL_ASSERT(iXBase != 0);
    return iXBase;
}

std::int32_t ZelDlgUnits::GetYBase()
{
    ZEL_ASSERT(iYBase != 0);
    return iYBase;
}

// The products are taken in 64 bits, so large coordinates do not wrap; the
// quotients truncate. Without base units (checks switched off) the answer
// is 0 rather than a division by zero.
std::int32_t ZelDlgUnits::GetXDlg(std::int32_t i_pixels) const
{
    const std::int64_t i_base = GetXBase();
    return i_base ? static_cast<std::int32_t>(std::int64_t{i_pixels} * 4 / i_base) : 0;
}

std::int32_t ZelDlgUnits::GetYDlg(std::int32_t i_pixels) const
{
    const std::int64_t i_base = GetYBase();
    return i_base ? static_cast<std::int32_t>(std::int64_t{i_pixels} * 8 / i_base) : 0;
}

std::int32_t ZelDlgUnits::GetXPix(std::int32_t i_units) const
{
    return static_cast<std::int32_t>(std::int64_t{i_units} * GetXBase() / 4);
}

std::int32_t ZelDlgUnits::GetYPix(std::int32_t i_units) const
{
    return static_cast<std::int32_t>(std::int64_t{i_units} * GetYBase() / 8);
}

ZelDlgBaseSource ZelDlgUnits::SetBaseSource(ZelDlgBaseSource pfn_source)
{
    ZelDlgBaseSource pfn_old = g_pfnBaseSource;
    g_pfnBaseSource = pfn_source;
    return pfn_old;
}

void ZelDlgUnits::SetBaseUnits(std::int32_t i_x_base, std::int32_t i_y_base)
{
    iXBase = i_x_base;
    iYBase = i_y_base;
}

ZelTooLong::ZelTooLong(std::int32_t i_limit_seconds, Callback fn_callback)
    : StartTime(g_pfnClock()), iLimit(i_limit_seconds), Notify(std::move(fn_callback))
{
}

ZelTooLong::~ZelTooLong()
{
    const CHighTime now = g_pfnClock();
    if (!Notify || StartTime.GetStatus() != CHighTime::valid || now.GetStatus() != CHighTime::valid)
        return;
    const CHighTimeSpan elapsed = now - StartTime;
    if (elapsed.GetTotalSeconds() < iLimit)
        return;
    // The callback only reports; what it throws must not end the program
    // from a destructor (a failed check has shown its report already).
    try {
        Notify(elapsed);
    } catch (...) {
    }
}

ZelTooLong::Clock ZelTooLong::SetClock(Clock pfn_clock)
{
    Clock pfn_old = g_pfnClock;
    g_pfnClock = pfn_clock ? pfn_clock : &CHighTime::GetPresentTime;
    return pfn_old;
}
