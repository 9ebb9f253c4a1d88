// A print canvas of fixed glyph metrics for tests of printing code: every
// character but carriage return and line feed is as wide as the font's
// size in points, a line is 12/10 of the size high (rounded up), and the
// device has 600 logical units per inch. It records every text, line and
// page, and can refuse fonts of chosen sizes.
#pragma once

#include "output/PrintCanvas.h"

#include <set>
#include <string>
#include <vector>

class FakePrintCanvas : public IPrintCanvas {
public:
    struct Text {
        int iPage;
        LONG iX, iY;
        std::string sText;
        PrintFont Font;
        UINT uFlags; // the DrawText flags; ~0 for TextOut
        ZelRect rc;
    };
    struct Rule {
        int iPage;
        CPoint ptFrom, ptTo;
        int iWidth;
    };

    int iHorzRes = 4800; // 8 inches
    int iVertRes = 6600; // 11 inches
    int iDpi = 600;
    int nPages = 0;
    bool bAborted = false;
    std::set<int> sRefusedPoints;
    std::vector<Text> vTexts;
    std::vector<Rule> vRules;

    static LONG CharWidth(const PrintFont& font) { return font.iPoints; }
    static LONG LineHeightOf(const PrintFont& font) { return (font.iPoints * 12 + 9) / 10; }

    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override
    {
        LONG n = 0;
        for (char c : s_text)
            n += (c == '\r' || c == '\n') ? 0 : 1;
        i_cx = n * CharWidth(Font);
        i_cy = LineHeightOf(Font);
    }
    void TextOut(LONG i_x, LONG i_y, const std::string& s_text) override
    {
        vTexts.push_back({nPages, i_x, i_y, s_text, Font, ~0u, {i_x, i_y, i_x, i_y}});
    }
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) override
    {
        vTexts.push_back({nPages, rc.left, rc.top, s_text, Font, u_flags, rc});
    }
    bool StartPage() override
    {
        ++nPages;
        return true;
    }
    void EndPage() override {}
    void AbortDoc() override { bAborted = true; }

    BOOL SelectFont(const PrintFont& font) override
    {
        if (sRefusedPoints.count(font.iPoints))
            return FALSE;
        Font = font;
        return TRUE;
    }
    PrintFont GetFont() const override { return Font; }
    BOOL DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width) override
    {
        vRules.push_back({nPages, pt_from, pt_to, i_width});
        return TRUE;
    }
    int GetDeviceCaps(int i_index) override
    {
        switch (i_index) {
        case HORZRES: return iHorzRes;
        case VERTRES: return iVertRes;
        case LOGPIXELSX:
        case LOGPIXELSY: return iDpi;
        default: return 0;
        }
    }
    CSize HiMetricToLogical(const CSize& size) override
    {
        auto conv = [this](LONG l) { return static_cast<LONG>((static_cast<long long>(l) * iDpi + 1270) / 2540); };
        return CSize(conv(size.cx), conv(size.cy));
    }

    // The texts drawn on a page, in order.
    std::vector<std::string> TextsOn(int i_page) const
    {
        std::vector<std::string> v;
        for (const Text& t : vTexts) {
            if (t.iPage == i_page)
                v.push_back(t.sText);
        }
        return v;
    }

    PrintFont Font;
};
