// A logical font (what a font is asked to be) and its one-line text form,
// in which font choices are kept in the settings store and event files.
#pragma once

#include "framework/Types.h"

#include <string>

struct ZelLogFont {
    enum { LF_FACESIZE = 32 };

    LONG lfHeight = 0; // below 0: character height in pixels; above: cell height
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0; // 0 any, 400 normal, 700 bold
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {}; // always ends in a zero

    bool operator==(const ZelLogFont&) const = default;

    std::string GetFaceName() const;
    // Cut to LF_FACESIZE - 1 characters.
    void SetFaceName(const std::string& s_face);
};

// The thirteen numbers, each followed by ":", then the face name in double
// quotes.
std::string ZelLogFontToString(const ZelLogFont& lf);
// Reads that text into lf; FALSE, with lf unchanged, when it has fewer than
// fourteen fields or a number field is not a number of its field's range.
BOOL ZelLogFontFromString(const std::string& s_text, ZelLogFont& lf);
