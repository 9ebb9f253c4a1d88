// The margins of a printed page, the paper left blank at each edge in
// millimetres as page set-up keeps them, and the part of the page a
// printout draws on.
//
// A printer may say it can print to the very edge of the paper (printing
// into a file does): the page would then run to the edge. So the margins
// the user chooses in page set-up are kept at least kMinimum millimetres,
// and are kDefault until the user chooses; a printer that cannot print so
// near the edge narrows the page to what it can print.
#pragma once

#include "framework/Geometry.h"

struct PrintMargins {
    static constexpr int kDefault = 10;
    static constexpr int kMinimum = 5;

    int iLeft = kDefault;
    int iTop = kDefault;
    int iRight = kDefault;
    int iBottom = kDefault;

    bool operator==(const PrintMargins&) const = default;

    // Margins chosen in page set-up, each raised to the minimum.
    static PrintMargins Chosen(int i_left, int i_top, int i_right, int i_bottom);
    // No margins: the whole printable area (labels are placed from the
    // paper's edge by their stock).
    static PrintMargins None() { return {0, 0, 0, 0}; }
};

// What a printer tells of its page, in its own pixels.
struct PrintDevicePage {
    // The paper, measured from the printable area's corner: where the
    // printer cannot print up to the edge, the paper's corner lies up and
    // left of that corner (negative).
    CRect rcPaper;
    // The printable area's width and height.
    CSize szPrintable;
    // Pixels per inch across and down.
    CSize szPpi;
};

// The part of the page inside the margins and within the printable area,
// in the printer's pixels from the printable area's corner; empty (no
// width or no height) when the margins leave nothing of the paper.
CRect MarginArea(const PrintDevicePage& page, const PrintMargins& margins);

// A length in hundredths of a millimetre from a number of pixels at the
// pixels per inch.
LONG PixelsToHiMetric(LONG l_pixels, LONG l_ppi);
