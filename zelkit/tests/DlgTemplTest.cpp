// Dialog templates in memory: the exact bytes of small templates, the font
// only with its style, texts as UTF-16, classes by ordinal, controls on
// 4-byte boundaries, and the limits on the number of controls.
#include "zelkit/controls/DlgTempl.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes Of(const ZelMemory& mem) { return Bytes(mem.GetData(), mem.GetData() + mem.GetSize() - 1); }

// Little-endian helpers for expected bytes.
void W(Bytes& v, WORD u)
{
    v.push_back(static_cast<BYTE>(u));
    v.push_back(static_cast<BYTE>(u >> 8));
}
void D(Bytes& v, DWORD u)
{
    W(v, static_cast<WORD>(u));
    W(v, static_cast<WORD>(u >> 16));
}
void Wide(Bytes& v, const std::u16string& s)
{
    for (char16_t c : s)
        W(v, c);
    W(v, 0);
}

TEST(DlgTempl, MemoryGrowsZeroFilledAndKeepsItsCapacityWhenEmptied)
{
    ZelMemory mem(8);
    EXPECT_EQ(mem.GetSize(), 1u) << "the used length plus one";
    EXPECT_EQ(mem.GetCapacity(), 8u);
    mem = static_cast<DWORD>(0x04030201);
    mem = static_cast<BYTE>(5);
    mem.Align(4);
    mem = static_cast<WORD>(0x0706);
    mem = std::string("ab");
    EXPECT_EQ(Of(mem), (Bytes{1, 2, 3, 4, 5, 0, 0, 0, 6, 7, 'a', 'b', 0}));
    EXPECT_EQ(mem.GetCapacity(), 16u) << "grown by the grow size";
    const BYTE a_run[20] = {};
    mem.CopyMem(a_run, 20);
    EXPECT_EQ(mem.GetCapacity(), 36u) << "grown by what was needed when that is more";

    mem.Empty();
    EXPECT_EQ(mem.GetSize(), 1u);
    EXPECT_EQ(mem.GetCapacity(), 36u);
    mem = static_cast<BYTE>(9);
    mem.Align(8);
    mem.Align(1);
    EXPECT_EQ(Of(mem), (Bytes{9, 0, 0, 0, 0, 0, 0, 0})) << "skipped bytes are zero after an empty";
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mem.GetData()) % 4, 0u);
}

TEST(DlgTempl, ATemplateWithoutFontStyleHasNoFontAndTextsAreWide)
{
    ZelDlgTempl dlg;
    dlg.dwStyle = 0x80C80000;
    dlg.dwExStyle = 0x00000008;
    dlg.uCdit = 1;
    dlg.iX = 10;
    dlg.iY = -20;
    dlg.iCx = 186;
    dlg.iCy = 95;
    dlg.sTitle = "Caf\xE9";
    dlg.sFaceName = "MS Shell Dlg"; // ignored without the font style
    dlg.uPointSize = 8;
    ZelDlgItemTempl button;
    button.dwStyle = 0x50010001;
    button.iX = 35;
    button.iY = 74;
    button.iCx = 50;
    button.iCy = 14;
    button.uId = 1;
    button.WindowClass.SetOrdinal(0x0080);
    button.Title.SetText("\x80OK");
    ASSERT_TRUE(dlg.AddItem(button));

    ZelMemory mem;
    dlg.BuildTemplate(mem);
    Bytes v;
    D(v, 0x80C80000);
    D(v, 8);
    W(v, 1);
    W(v, 10);
    W(v, static_cast<WORD>(-20));
    W(v, 186);
    W(v, 95);
    W(v, 0); // no menu
    W(v, 0); // the system's dialog class
    Wide(v, u"Caf\u00E9");
    ASSERT_EQ(v.size(), 32u);
    D(v, 0x50010001);
    D(v, 0);
    for (WORD u : {35, 74, 50, 14, 1})
        W(v, u);
    W(v, 0xFFFF);
    W(v, 0x0080);
    Wide(v, u"\u20ACOK");
    W(v, 0); // no creation data
    EXPECT_EQ(Of(mem), v);

    // Built again into a used buffer, the same bytes.
    dlg.BuildTemplate(mem);
    EXPECT_EQ(Of(mem), v);
}

TEST(DlgTempl, TheFontFollowsTheTitleAndMenusAndClassesMayBeTextsOrOrdinals)
{
    ZelDlgTempl dlg;
    dlg.dwStyle = DS_SETFONT;
    dlg.Menu.SetOrdinal(204);
    dlg.WindowClass.SetText("X");
    dlg.sTitle = "T";
    dlg.sFaceName = "Sans";
    dlg.uPointSize = 9;
    ZelMemory mem;
    dlg.BuildTemplate(mem);
    Bytes v;
    D(v, DS_SETFONT);
    D(v, 0);
    for (int i = 0; i < 5; ++i)
        W(v, 0);
    W(v, 0xFFFF);
    W(v, 204);
    Wide(v, u"X");
    Wide(v, u"T");
    W(v, 9);
    Wide(v, u"Sans");
    EXPECT_EQ(Of(mem), v);
}

// Reads a template back by the layout's rules; the offsets of the control
// records and their titles.
struct Parsed {
    std::vector<std::size_t> vItemOffsets;
    std::vector<std::u16string> vTitles;
};

Parsed Parse(const Bytes& v, bool b_font)
{
    std::size_t i = 0;
    auto word = [&] {
        const WORD u = static_cast<WORD>(v.at(i) | (v.at(i + 1) << 8));
        i += 2;
        return u;
    };
    auto str_or_ord = [&] {
        std::u16string s;
        WORD u = word();
        if (u == 0xFFFF) {
            word();
            return s;
        }
        while (u != 0) {
            s += static_cast<char16_t>(u);
            u = word();
        }
        return s;
    };
    const WORD n_items = static_cast<WORD>(v.at(8) | (v.at(9) << 8));
    i = 18;
    str_or_ord(); // menu
    str_or_ord(); // class
    str_or_ord(); // title
    if (b_font) {
        word();
        str_or_ord();
    }
    Parsed parsed;
    for (int k = 0; k < n_items; ++k) {
        i = (i + 3) / 4 * 4;
        parsed.vItemOffsets.push_back(i);
        i += 18;
        str_or_ord();
        parsed.vTitles.push_back(str_or_ord());
        EXPECT_EQ(word(), 0) << "no creation data";
    }
    EXPECT_EQ(i, v.size()) << "nothing after the last control";
    return parsed;
}

TEST(DlgTempl, EveryControlRecordStartsOnAFourByteBoundary)
{
    ZelDlgTempl dlg;
    dlg.dwStyle = DS_SETFONT;
    dlg.uCdit = 4;
    dlg.sTitle = "Odd";
    dlg.sFaceName = "Face";
    const std::vector<std::string> v_titles = {"", "a", "ab", "abc"};
    for (const std::string& s_title : v_titles) {
        ZelDlgItemTempl item;
        item.WindowClass.SetText("Edit");
        item.Title.SetText(s_title);
        ASSERT_TRUE(dlg.AddItem(item));
    }
    ZelMemory mem(16);
    dlg.BuildTemplate(mem);
    const Parsed parsed = Parse(Of(mem), true);
    ASSERT_EQ(parsed.vItemOffsets.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(parsed.vItemOffsets[k] % 4, 0u) << k;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mem.GetData() + parsed.vItemOffsets[k]) % 4, 0u);
        EXPECT_EQ(parsed.vTitles[k], std::u16string(v_titles[k].begin(), v_titles[k].end()));
    }
}

TEST(DlgTempl, NoMoreControlsThanTheMaximumOrTheDeclaredCount)
{
    ZelDlgTempl big;
    big.uCdit = 300;
    EXPECT_EQ(big.MaxItems(), 255);
    for (int i = 0; i < 255; ++i)
        ASSERT_TRUE(big.AddItem(ZelDlgItemTempl())) << i;
    EXPECT_FALSE(big.AddItem(ZelDlgItemTempl())) << "the 256th";
    EXPECT_EQ(big.GetItemCount(), 255);

    ZelDlgTempl small;
    small.uCdit = 3;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(small.AddItem(ZelDlgItemTempl()));
    {
        ZelAssertOff off;
        EXPECT_FALSE(small.AddItem(ZelDlgItemTempl())) << "the fourth of three";
    }
    ZelRecordingErrorReports reports;
    EXPECT_THROW(small.AddItem(ZelDlgItemTempl()), ZelAssertException) << "and a programming error";
    ASSERT_EQ(reports.Reports().size(), 1u);
    EXPECT_NE(reports.Reports()[0].sReport.find("nItems+1 <= cdit"), std::string::npos);
    EXPECT_EQ(small.GetItemCount(), 3);
}

} // namespace
