// The text form of a logical font.
#include "zelkit/windows/ZelLogFont.h"

#include <gtest/gtest.h>

namespace {

ZelLogFont SampleFont()
{
    ZelLogFont lf;
    lf.lfHeight = -13;
    lf.lfWidth = 0;
    lf.lfEscapement = 900;
    lf.lfOrientation = -900;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfUnderline = 0;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = 0;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 1;
    lf.lfPitchAndFamily = 34;
    lf.SetFaceName("Deja: Vu \\ Sans");
    return lf;
}

TEST(FontText, ThirteenNumbersThenTheQuotedFaceNameAndBack)
{
    const ZelLogFont lf = SampleFont();
    const std::string s = ZelLogFontToString(lf);
    EXPECT_EQ(s, "-13:0:900:-900:700:1:0:1:0:3:2:1:34:\"Deja: Vu \\ Sans\"");
    ZelLogFont back;
    EXPECT_EQ(ZelLogFontFromString(s, back), TRUE);
    EXPECT_EQ(back, lf);
}

TEST(FontText, OddFaceNamesRoundTrip)
{
    for (const std::string& s_face : {std::string(), std::string("Say \"Hi\""), std::string(40, 'f')}) {
        ZelLogFont lf = SampleFont();
        lf.SetFaceName(s_face);
        ZelLogFont back;
        ASSERT_EQ(ZelLogFontFromString(ZelLogFontToString(lf), back), TRUE) << s_face;
        EXPECT_EQ(back, lf);
        EXPECT_EQ(back.GetFaceName(), s_face.substr(0, 31));
    }
}

TEST(FontText, RefusedTextsLeaveTheFontAlone)
{
    const ZelLogFont lf = SampleFont();
    for (const char* psz : {"-13:0:0:0:400:0:0:0:0:0:0:0:0",        // 13 fields
                            "-13:0:0:0:400:0:0:0:0:0:0:0:256:\"A\"", // not a byte
                            "x:0:0:0:400:0:0:0:0:0:0:0:0:\"A\"", ""}) {
        ZelLogFont back = lf;
        EXPECT_EQ(ZelLogFontFromString(psz, back), FALSE) << psz;
        EXPECT_EQ(back, lf);
    }
}

} // namespace
