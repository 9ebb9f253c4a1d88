#include "output/PrintMargins.h"

#include <algorithm>

namespace {

// Millimetres in pixels at the pixels per inch, rounded.
LONG MmToPixels(int i_mm, LONG l_ppi)
{
    const long long ll = static_cast<long long>(std::max(i_mm, 0)) * std::max<LONG>(l_ppi, 0) * 10;
    return static_cast<LONG>((ll + 127) / 254);
}

} // namespace

PrintMargins PrintMargins::Chosen(int i_left, int i_top, int i_right, int i_bottom)
{
    return {std::max(i_left, kMinimum), std::max(i_top, kMinimum), std::max(i_right, kMinimum),
            std::max(i_bottom, kMinimum)};
}

CRect MarginArea(const PrintDevicePage& page, const PrintMargins& margins)
{
    const CRect& rc_paper = page.rcPaper;
    CRect rc(std::max<LONG>(rc_paper.left + MmToPixels(margins.iLeft, page.szPpi.cx), 0),
             std::max<LONG>(rc_paper.top + MmToPixels(margins.iTop, page.szPpi.cy), 0),
             std::min<LONG>(rc_paper.right - MmToPixels(margins.iRight, page.szPpi.cx), page.szPrintable.cx),
             std::min<LONG>(rc_paper.bottom - MmToPixels(margins.iBottom, page.szPpi.cy), page.szPrintable.cy));
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    return rc;
}

LONG PixelsToHiMetric(LONG l_pixels, LONG l_ppi)
{
    return l_ppi > 0 ? static_cast<LONG>(static_cast<long long>(l_pixels) * 2540 / l_ppi) : 0;
}
