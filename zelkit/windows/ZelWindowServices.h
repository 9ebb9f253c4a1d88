// Small services that windows and long operations share: nested redraw
// suspension, wait cursors as scope objects, dialog units, and a watch that
// calls back when a scope took too long.
//
// This half uses the standard library only, so that the model and the
// engines can use wait cursors and dialog-unit arithmetic without a window;
// the window side (ui/ZelWindowServicesWx.h) installs the desktop's cursors
// and base units through the ports below when the library loads.
#pragma once

#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <cstdint>
#include <functional>

// --- Redraw suspension --------------------------------------------------

// Switches one window's redrawing off (FALSE) or on (TRUE).
using ZelRedrawSender = void (*)(void* p_wnd, BOOL b_redraw);

// Suspends (b_redraw FALSE) or resumes (TRUE) a window's redrawing, nesting
// per window: only the first suspension switches drawing off, only the
// release of the last switches it on again. Resuming a window that was
// never suspended switches it on. Returns non-zero when drawing was
// switched on again.
BOOL ZelSetRedraw(void* p_wnd, BOOL b_redraw, ZelRedrawSender pfn_send);
// Forgets a window's suspensions without switching anything (for a window
// being destroyed).
void ZelSetRedrawRemove(const void* p_wnd);
// How many suspensions of the window are open (0 when none).
std::int32_t ZelGetRedrawCount(const void* p_wnd);

// --- Wait cursors -------------------------------------------------------

// An opaque cursor as the cursor port hands it out.
using ZelCursorHandle = const void*;

class IZelCursorPort {
public:
    virtual ~IZelCursorPort() = default;
    // The framework's wait cursor; calls nest.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Makes the library's cursor u_id current and hands back the cursor it
    // replaced; false when there is no cursor of that id.
    virtual bool SetCursor(UINT u_id, ZelCursorHandle& h_previous) = 0;
    virtual void RestoreCursor(ZelCursorHandle h_previous) = 0;
};

IZelCursorPort& ZelGetCursorPort();
// Installs a port (null: the one that shows nothing); returns the previous.
IZelCursorPort* ZelSetCursorPort(IZelCursorPort* p_port);

// Shows a wait cursor for its life.
class ZelWaitCursor {
public:
    // The framework's wait cursor.
    ZelWaitCursor();
    // The library's cursor u_id; the framework's wait cursor when there is
    // no such cursor.
    explicit ZelWaitCursor(UINT u_id);
    ~ZelWaitCursor();
    ZelWaitCursor(const ZelWaitCursor&) = delete;
    ZelWaitCursor& operator=(const ZelWaitCursor&) = delete;

private:
    UINT uId;
    BOOL bOwnCursor;
    ZelCursorHandle hPrevious;
};

// --- Dialog units -------------------------------------------------------

// Where the base units come from: fills the horizontal and vertical base
// units in pixels, false when they cannot be known (no display).
using ZelDlgBaseSource = bool (*)(std::int32_t& i_x_base, std::int32_t& i_y_base);

// Converts between pixels and dialog units. A dialog unit is a quarter of
// the average character width across and an eighth of the character height
// down, measured once, by the first ZelDlgUnits made, from the source that
// is installed.
class ZelDlgUnits {
public:
    ZelDlgUnits();

    std::int32_t GetXDlg(std::int32_t i_pixels) const;
    std::int32_t GetYDlg(std::int32_t i_pixels) const;
    std::int32_t GetXPix(std::int32_t i_units) const;
    std::int32_t GetYPix(std::int32_t i_units) const;

    // The base units; a check fails while none are known.
    static std::int32_t GetXBase();
    static std::int32_t GetYBase();

    static ZelDlgBaseSource SetBaseSource(ZelDlgBaseSource pfn_source);
    // Sets the base units directly; 0 and 0 make the next ZelDlgUnits
    // measure again.
    static void SetBaseUnits(std::int32_t i_x_base, std::int32_t i_y_base);

private:
    static std::int32_t iXBase;
    static std::int32_t iYBase;
};

// --- Scopes that took too long ------------------------------------------

// Calls back, at the end of its scope, when the scope lasted at least the
// limit in whole seconds; the callback receives the time the scope took.
class ZelTooLong {
public:
    using Callback = std::function<void(const CHighTimeSpan&)>;
    // The present time; tests put a clock of their own.
    using Clock = CHighTime (*)();

    ZelTooLong(std::int32_t i_limit_seconds, Callback fn_callback);
    // An object and its member function as the callback.
    template <class T>
    ZelTooLong(std::int32_t i_limit_seconds, T* p_object, void (T::*pfn_member)(const CHighTimeSpan&))
        : ZelTooLong(i_limit_seconds, [p_object, pfn_member](const CHighTimeSpan& span) { (p_object->*pfn_member)(span); })
    {
    }
    ~ZelTooLong();
    ZelTooLong(const ZelTooLong&) = delete;
    ZelTooLong& operator=(const ZelTooLong&) = delete;

    static Clock SetClock(Clock pfn_clock);

private:
    ZelOleDateTime StartTime;
    std::int32_t iLimit;
    Callback Notify;
};
