// The window side of the small window services: redraw suspension of wx
// windows, the desktop's cursors and dialog base units behind the ports of
// ZelWindowServices.h, mouse buttons, a small button, bitmaps drawn with a
// transparent colour, and character dimensions.
#pragma once

#include "framework/Types.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <string>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/window.h>

// Suspends (FALSE) or resumes (TRUE) a window's drawing, nesting per
// window (freezes and thaws it); non-zero when drawing was switched on again.
BOOL ZelSetRedraw(wxWindow* p_wnd, BOOL b_redraw);
// Forgets a window's suspensions without thawing it (a window being destroyed).
void ZelSetRedrawRemove(wxWindow* p_wnd);

// Installs the desktop's cursors and dialog base units behind the ports of
// ZelWindowServices.h. Runs by itself when the library loads; both do
// nothing until the application object exists.
void ZelInstallWindowServices();
// The dialog base units of the default GUI font, measured as the desktop
// measures them; false without an application object.
bool ZelMeasureDlgBaseUnits(std::int32_t& i_x_base, std::int32_t& i_y_base);

// The state of the logical left and right mouse buttons now. The desktop
// already hands out logical buttons, swapped for a left-handed mouse.
BOOL IsLButtonDown();
BOOL IsRButtonDown();

// A push button for small spaces.
class ZelSmallButton : public wxButton {
public:
    ZelSmallButton() = default;
    ZelSmallButton(wxWindow* p_parent, wxWindowID i_id, const wxString& s_label = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long l_style = 0)
        : wxButton(p_parent, i_id, s_label, pos, size, l_style)
    {
    }
};

// Draws the bitmap at (i_x, i_y) with every pixel of the transparent colour
// left showing what was there.
void ZelDrawTransparentBitmap(wxDC& dc, const wxBitmap& bitmap, int i_x, int i_y, const wxColour& transparent);
// The same, stretched to i_width by i_height; a size of 0 keeps the
// bitmap's own size in that direction.
void ZelStretchTransparentBitmap(wxDC& dc, const wxBitmap& bitmap, int i_x, int i_y, int i_width, int i_height,
                                 const wxColour& transparent);

// With no text, the average character cell of the DC's font (average width;
// height plus external leading); else the extent of the text.
wxSize ZelComputeCharDim(wxDC& dc, const std::string& s_text = {});
