#include "zelkit/windows/ZelLogFont.h"

#include "zelkit/base/ZelStringArray.h"
#include "zelkit/windows/ZelTextFields.h"

#include <cstdio>
#include <algorithm>
#include <cstdint>
#include <cstring>

std::string ZelLogFont::GetFaceName() const { return std::string(lfFaceName, strnlen(lfFaceName, LF_FACESIZE)); }

void ZelLogFont::SetFaceName(const std::string& s_face)
{
    std::memset(lfFaceName, 0, sizeof lfFaceName);
    const std::size_t n = std::min<std::size_t>(strnlen(s_face.c_str(), s_face.size()), LF_FACESIZE - 1);
    std::memcpy(lfFaceName, s_face.data(), n);
}

std::string ZelLogFontToString(const ZelLogFont& lf)
{
    char a_buf[200];
    std::snprintf(a_buf, sizeof a_buf, "%ld:%ld:%ld:%ld:%ld:%u:%u:%u:%u:%u:%u:%u:%u:", long{lf.lfHeight},
                  long{lf.lfWidth}, long{lf.lfEscapement}, long{lf.lfOrientation}, long{lf.lfWeight},
                  unsigned{lf.lfItalic}, unsigned{lf.lfUnderline}, unsigned{lf.lfStrikeOut}, unsigned{lf.lfCharSet},
                  unsigned{lf.lfOutPrecision}, unsigned{lf.lfClipPrecision}, unsigned{lf.lfQuality},
                  unsigned{lf.lfPitchAndFamily});
    std::string s = a_buf;
    // A quote in the face name is doubled: the reader's quoted run gives it
    // back as one, where a single one would end the name early.
    s += '"';
    for (char c : lf.GetFaceName()) {
        s += c;
        if (c == '"')
            s += '"';
    }
    s += '"';
    return s;
}

BOOL ZelLogFontFromString(const std::string& s_text, ZelLogFont& lf)
{
    ZelStringArray a_fields;
    a_fields.SplitEx(s_text, ':', '"', '\\', TRUE, FALSE);
    if (a_fields.GetSize() < 14)
        return FALSE;
    ZelLogFont lf_read;
    LONG* a_longs[] = {&lf_read.lfHeight, &lf_read.lfWidth, &lf_read.lfEscapement, &lf_read.lfOrientation,
                       &lf_read.lfWeight};
    for (int i = 0; i < 5; ++i) {
        if (!ZelParseField(a_fields[i], *a_longs[i]))
            return FALSE;
    }
    BYTE* a_bytes[] = {&lf_read.lfItalic,       &lf_read.lfUnderline,     &lf_read.lfStrikeOut,
                       &lf_read.lfCharSet,      &lf_read.lfOutPrecision,  &lf_read.lfClipPrecision,
                       &lf_read.lfQuality,      &lf_read.lfPitchAndFamily};
    for (int i = 0; i < 8; ++i) {
        if (!ZelParseField(a_fields[5 + i], *a_bytes[i]))
            return FALSE;
    }
    lf_read.SetFaceName(a_fields[13]);
    lf = lf_read;
    return TRUE;
}
