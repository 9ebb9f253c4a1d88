// A font that can be made from a point size and a face name and that turns
// its logical font into one line of text and back (ZelLogFont.h), so that a
// font choice can be kept in the settings store or an event file.
#pragma once

#include "framework/Types.h"
#include "zelkit/windows/ZelLogFont.h"

#include <string>
#include <wx/dc.h>
#include <wx/font.h>

class ZelFont : public wxFont {
public:
    ZelFont() = default;

    // A font of i_point_size tenths of a point in the face psz_face_name,
    // sized for p_dc (the screen when null). Non-zero on success.
    BOOL CreatePointFont(int i_point_size, const char* psz_face_name, wxDC* p_dc = nullptr);
    // Makes the font from a logical font, replacing the one it had.
    BOOL CreateFontIndirect(const ZelLogFont& lf);
    // FALSE while no font was made.
    BOOL GetLogFont(ZelLogFont* p_lf) const;

    // Empty while no font was made.
    std::string ToString() const;
    // FALSE, with the font as it was, for a text that is not a font's.
    BOOL FromString(const std::string& s_text);

    // The wx font for a logical font; heights in pixels are taken at
    // i_pixels_per_inch.
    static wxFont MakeWxFont(const ZelLogFont& lf, int i_pixels_per_inch);

private:
    // Heights in pixels are those of a device of i_pixels_per_inch.
    BOOL CreateAt(const ZelLogFont& lf, int i_pixels_per_inch);

    ZelLogFont LogFont;
    bool bCreated = false;
};
