#include "zelkit/windows/ui/ZelFont.h"

#include "framework/ui/WxText.h"

#include <algorithm>
#include <cstdlib>
#include <wx/app.h>
#include <wx/dcscreen.h>

namespace {

// Pitch and family bits of a logical font.
enum : BYTE {
    FIXED_PITCH = 0x01,
    FF_ROMAN = 0x10,
    FF_SWISS = 0x20,
    FF_MODERN = 0x30,
    FF_SCRIPT = 0x40,
    FF_DECORATIVE = 0x50,
};

int PixelsPerInch(wxDC* p_dc)
{
    if (p_dc != nullptr)
        return p_dc->GetPPI().y;
    if (wxTheApp == nullptr)
        return 96;
    return wxScreenDC().GetPPI().y;
}

wxFontFamily FamilyOf(BYTE u_pitch_and_family)
{
    switch (u_pitch_and_family & 0xF0) {
    case FF_ROMAN:
        return wxFONTFAMILY_ROMAN;
    case FF_SWISS:
        return wxFONTFAMILY_SWISS;
    case FF_MODERN:
        return wxFONTFAMILY_MODERN;
    case FF_SCRIPT:
        return wxFONTFAMILY_SCRIPT;
    case FF_DECORATIVE:
        return wxFONTFAMILY_DECORATIVE;
    default:
        return (u_pitch_and_family & 0x03) == FIXED_PITCH ? wxFONTFAMILY_TELETYPE : wxFONTFAMILY_DEFAULT;
    }
}

} // namespace

wxFont ZelFont::MakeWxFont(const ZelLogFont& lf, int i_pixels_per_inch)
{
    // A height of 0 asks for the default size; a negative height is the
    // character height, a positive one the cell height; both are taken as
    // the font's size in pixels.
    double d_points = wxNORMAL_FONT->GetFractionalPointSize();
    if (lf.lfHeight != 0 && i_pixels_per_inch > 0)
        d_points = std::abs(static_cast<double>(lf.lfHeight)) * 72.0 / i_pixels_per_inch;
    wxFontInfo info(d_points);
    info.Family(FamilyOf(lf.lfPitchAndFamily));
    const std::string s_face = lf.GetFaceName();
    if (!s_face.empty())
        info.FaceName(ToWx(s_face));
    if (lf.lfWeight > 0)
        info.Weight(std::min(1000, std::max(1, static_cast<int>(lf.lfWeight))));
    info.Italic(lf.lfItalic != 0).Underlined(lf.lfUnderline != 0).Strikethrough(lf.lfStrikeOut != 0);
    return wxFont(info);
}

BOOL ZelFont::CreatePointFont(int i_point_size, const char* psz_face_name, wxDC* p_dc)
{
    ZelLogFont lf;
    lf.lfCharSet = 0; // the text's character set: code page 1252
    lf.SetFaceName(psz_face_name ? psz_face_name : "");
    // Tenths of a point become the character height in the DC's pixels.
    // The wx font is sized at the same resolution, so that it has the asked
    // point size on that device (a printer's pixels are not the screen's).
    const int i_ppi = PixelsPerInch(p_dc);
    const long l_pixels = static_cast<long>(i_ppi) * i_point_size / 720;
    lf.lfHeight = static_cast<LONG>(-std::labs(l_pixels));
    return CreateAt(lf, i_ppi);
}

BOOL ZelFont::CreateFontIndirect(const ZelLogFont& lf) { return CreateAt(lf, PixelsPerInch(nullptr)); }

BOOL ZelFont::CreateAt(const ZelLogFont& lf, int i_pixels_per_inch)
{
    wxFont font = MakeWxFont(lf, i_pixels_per_inch);
    if (!font.IsOk())
        return FALSE;
    wxFont::operator=(font);
    LogFont = lf;
    bCreated = true;
    return TRUE;
}

BOOL ZelFont::GetLogFont(ZelLogFont* p_lf) const
{
    if (!bCreated || p_lf == nullptr)
        return FALSE;
    *p_lf = LogFont;
    return TRUE;
}

std::string ZelFont::ToString() const { return bCreated ? ZelLogFontToString(LogFont) : std::string(); }

BOOL ZelFont::FromString(const std::string& s_text)
{
    ZelLogFont lf;
    if (!ZelLogFontFromString(s_text, lf))
        return FALSE;
    return CreateFontIndirect(lf);
}
