#include "zelkit/ZelLogFont.h"

#include "zelkit/ZelStringArray.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool ReadLong(const std::string& s_field, long long ll_min, long long ll_max, long long& ll)
{
    if (s_field.empty())
        return false;
    char* p_end = nullptr;
    errno = 0;
    ll = std::strtoll(s_field.c_str(), &p_end, 10);
    return errno == 0 && *p_end == '\0' && ll >= ll_min && ll <= ll_max;
}

} // namespace

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
    long long ll = 0;
    LONG* a_longs[] = {&lf_read.lfHeight, &lf_read.lfWidth, &lf_read.lfEscapement, &lf_read.lfOrientation,
                       &lf_read.lfWeight};
    for (int i = 0; i < 5; ++i) {
        if (!ReadLong(a_fields[i], INT32_MIN, INT32_MAX, ll))
            return FALSE;
        *a_longs[i] = static_cast<LONG>(ll);
    }
    BYTE* a_bytes[] = {&lf_read.lfItalic,       &lf_read.lfUnderline,     &lf_read.lfStrikeOut,
                       &lf_read.lfCharSet,      &lf_read.lfOutPrecision,  &lf_read.lfClipPrecision,
                       &lf_read.lfQuality,      &lf_read.lfPitchAndFamily};
    for (int i = 0; i < 8; ++i) {
        if (!ReadLong(a_fields[5 + i], 0, 255, ll))
            return FALSE;
        *a_bytes[i] = static_cast<BYTE>(ll);
    }
    lf_read.SetFaceName(a_fields[13]);
    lf = lf_read;
    return TRUE;
}
