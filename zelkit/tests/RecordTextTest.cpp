// Text forms of rectangles, points and printer records.
#include "zelkit/windows/ZelRecordText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(RecordText, RectangleWritesItsVersionAndFourValuesAndReadsBack)
{
    RectIO rect(ZelRect{1, 2, 3, 4});
    std::string s = "old";
    rect.SerializeToString(s);
    EXPECT_EQ(s, "1:1:2:3:4");
    RectIO back;
    EXPECT_EQ(back.SerializeFromString(s), TRUE);
    EXPECT_EQ(static_cast<ZelRect&>(back), (ZelRect{1, 2, 3, 4}));

    RectIO negative(ZelRect{-2147483647 - 1, -5, 2147483647, 0});
    negative.SerializeToString(s);
    EXPECT_EQ(s, "1:-2147483648:-5:2147483647:0");
    EXPECT_EQ(back.SerializeFromString(s), TRUE);
    EXPECT_EQ(static_cast<ZelRect&>(back), static_cast<ZelRect&>(negative));
}

TEST(RecordText, RefusedTextsLeaveTheValuesAlone)
{
    RectIO rect(ZelRect{9, 9, 9, 9});
    PointIO point(ZelPoint{7, 7});
    for (const char* psz : {"2:1:2:3:4", "1:1:2:3", "", "1:1:2:x:4", "1:1:2:3:99999999999", "x:1:2:3:4"})
        EXPECT_EQ(rect.SerializeFromString(psz), FALSE) << psz;
    for (const char* psz : {"2:1:2", "1:1", "1:1:y"})
        EXPECT_EQ(point.SerializeFromString(psz), FALSE) << psz;
    EXPECT_EQ(static_cast<ZelRect&>(rect), (ZelRect{9, 9, 9, 9}));
    EXPECT_EQ(static_cast<ZelPoint&>(point), (ZelPoint{7, 7}));
}

TEST(RecordText, PointRoundTrip)
{
    PointIO point(ZelPoint{-10, 850});
    std::string s;
    point.SerializeToString(s);
    EXPECT_EQ(s, "1:-10:850");
    PointIO back;
    EXPECT_EQ(back.SerializeFromString(s), TRUE);
    EXPECT_EQ(static_cast<ZelPoint&>(back), (ZelPoint{-10, 850}));
}

TEST(RecordText, DeviceNamesEscapeTheirSeparatorsAndReadBack)
{
    const ZelHDevNames p_names = ZelMakeDevNames("winspool", "Office \"A\": 2nd\nfloor\\left", "lpt1:");
    ASSERT_TRUE(p_names);
    std::string s;
    DevNamesIO(p_names.get()).SerializeToString(s);
    EXPECT_EQ(s, "1:winspool:Office \\\"A\\\"\\: 2ndfloor\\\\left:lpt1\\::0:");
    const ZelHDevNames p_back = DevNamesIO::SerializeFromString(s);
    ASSERT_TRUE(p_back);
    EXPECT_EQ(ZelGetDevName(*p_back, 0), "winspool");
    EXPECT_EQ(ZelGetDevName(*p_back, 1), "Office \"A\": 2ndfloor\\left"); // the line feed is gone
    EXPECT_EQ(ZelGetDevName(*p_back, 2), "lpt1:");
    // The block's layout: header of offsets and default flag 0, names packed.
    const ZelDevNames& b = *p_back;
    ASSERT_EQ(b.size(), 8u + 9 + 26 + 6);
    EXPECT_EQ(b[0] | b[1] << 8, 8);
    EXPECT_EQ(b[2] | b[3] << 8, 17);
    EXPECT_EQ(b[4] | b[5] << 8, 43);
    EXPECT_EQ(b[6] | b[7] << 8, 0);
    EXPECT_EQ(b.back(), 0);
}

TEST(RecordText, DeviceNamesWithEmptyOrDamagedParts)
{
    // An offset of 0, or one outside the block, gives an empty field.
    ZelDevNames block = {0, 0, 8, 0, 200, 0, 1, 0, 'P', 'r', 'n', 0};
    std::string s;
    DevNamesIO(&block).SerializeToString(s);
    EXPECT_EQ(s, "1::Prn::1:");
    const ZelHDevNames p_back = DevNamesIO::SerializeFromString(s);
    ASSERT_TRUE(p_back);
    EXPECT_EQ(ZelGetDevName(*p_back, 0), "");
    EXPECT_EQ(ZelGetDevName(*p_back, 1), "Prn");
    // A name running to the end of the block without its zero stops there.
    ZelDevNames cut = {8, 0, 0, 0, 0, 0, 0, 0, 'a', 'b'};
    EXPECT_EQ(ZelGetDevName(cut, 0), "ab");

    EXPECT_FALSE(DevNamesIO::SerializeFromString("2:a:b:c:0:"));
    EXPECT_FALSE(DevNamesIO::SerializeFromString("1:a:b:c"));
    // Names too long for the block's 16-bit offsets.
    EXPECT_FALSE(DevNamesIO::SerializeFromString("1:" + std::string(70000, 'x') + ":b:c:0:"));
}

ZelDevMode SampleDevMode()
{
    ZelDevMode dm;
    std::strcpy(dm.dmDeviceName, "Laser: \"Room\" 1");
    dm.dmSpecVersion = 0x401;
    dm.dmDriverVersion = 3;
    dm.dmSize = 156;
    dm.dmDriverExtra = 3;
    dm.dmFields = 0x0000FF0F;
    dm.dmOrientation = 2;
    dm.dmPaperSize = 9;
    dm.dmPaperLength = 2970;
    dm.dmPaperWidth = 2100;
    dm.dmScale = 100;
    dm.dmCopies = 1;
    dm.dmDefaultSource = 7;
    dm.dmPrintQuality = -4;
    dm.dmColor = 1;
    dm.dmDuplex = 1;
    dm.dmYResolution = 600;
    dm.dmTTOption = 3;
    dm.dmCollate = 0;
    std::memcpy(dm.dmFormName, "A4 with a name of 32 characters!", 32); // full: no zero
    dm.dmLogPixels = 0;
    dm.dmBitsPerPel = 0;
    dm.dmPelsWidth = 4294967295u;
    dm.dmPelsHeight = 0;
    dm.dmDisplayFlags = 0xA;
    dm.dmDisplayFrequency = 0;
    dm.dmICMMethod = 1;
    dm.dmICMIntent = 2;
    dm.dmMediaType = 256;
    dm.dmDitherType = 4;
    dm.vDriverExtra = {0x00, 0xAB, 0x7F};
    return dm;
}

TEST(RecordText, DeviceModeWritesEveryFieldAndReadsBackWithTheDriversBytes)
{
    const ZelDevMode dm = SampleDevMode();
    std::string s;
    DevModeIO(&dm).SerializeToString(s);
    EXPECT_EQ(s, "1:Laser\\: \\\"Room\\\" 1:1025:3:156:3:0xff0f:2:9:2970:2100:100:1:7:-4:1:1:600:3:0:"
                 "A4 with a name of 32 characters!:0:0:4294967295:0:0xa:0:1:2:256:4::0x0,0xab,0x7f,:");
    const ZelHDevMode p_back = DevModeIO::SerializeFromString(s);
    ASSERT_TRUE(p_back);
    EXPECT_EQ(*p_back, dm);
}

TEST(RecordText, DeviceModeWithoutExtraBytesAndDamagedTexts)
{
    ZelDevMode dm = SampleDevMode();
    dm.dmDriverExtra = 0;
    dm.vDriverExtra.clear();
    std::memset(dm.dmDeviceName, 0, sizeof dm.dmDeviceName);
    std::string s;
    DevModeIO(&dm).SerializeToString(s);
    EXPECT_EQ(s.substr(0, 4), "1::1");
    EXPECT_EQ(s.substr(s.size() - 5), ":4:::");
    const ZelHDevMode p_back = DevModeIO::SerializeFromString(s);
    ASSERT_TRUE(p_back);
    EXPECT_EQ(*p_back, dm);

    // The block always holds as many driver bytes as the structure says.
    std::string s_short = s;
    s_short.replace(s_short.find(":156:0:"), 7, ":156:2:");
    const ZelHDevMode p_padded = DevModeIO::SerializeFromString(s_short);
    ASSERT_TRUE(p_padded);
    EXPECT_EQ(p_padded->vDriverExtra, (std::vector<BYTE>{0, 0}));

    EXPECT_FALSE(DevModeIO::SerializeFromString("2" + s.substr(1)));
    EXPECT_FALSE(DevModeIO::SerializeFromString(s.substr(0, s.find(":0xa:")))); // cut short
    std::string s_bad = s;
    s_bad.replace(s_bad.find(":2970:"), 6, ":70000:"); // does not fit its field
    EXPECT_FALSE(DevModeIO::SerializeFromString(s_bad));
    std::string s_bad_byte = s.substr(0, s.size() - 1) + "0x100,:";
    EXPECT_FALSE(DevModeIO::SerializeFromString(s_bad_byte));
}

TEST(RecordText, PageSetupWithoutPrinterBlocksWritesZeroLines)
{
    PageSetupDlgIO psd;
    psd.Flags = 0x2402;
    psd.ptPaperSize = {21000, 29700};
    psd.rtMinMargin = {0, 0, 0, 0};
    psd.rtMargin = {1000, 1000, 1000, 1500};
    std::string s;
    psd.SerializeToString(s);
    EXPECT_EQ(s, "1\n0\n0\n0x2402\n\"1:21000:29700\"\n\"1:0:0:0:0\"\n\"1:1000:1000:1000:1500\"\n");

    PageSetupDlgIO back;
    back.hDevMode = std::make_shared<ZelDevMode>();
    EXPECT_EQ(back.SerializeFromString(s), TRUE);
    EXPECT_FALSE(back.hDevMode); // replaced by the text's "none"
    EXPECT_FALSE(back.hDevNames);
    EXPECT_EQ(back.Flags, 0x2402u);
    EXPECT_EQ(back.ptPaperSize, psd.ptPaperSize);
    EXPECT_EQ(back.rtMinMargin, psd.rtMinMargin);
    EXPECT_EQ(back.rtMargin, psd.rtMargin);
}

TEST(RecordText, PageSetupWithPrinterBlocksReadsThemBack)
{
    PageSetupDlgIO psd;
    psd.hDevMode = std::make_shared<ZelDevMode>(SampleDevMode());
    psd.hDevNames = ZelMakeDevNames("drv", "Laser: \"Room\" 1", "usb");
    psd.Flags = 0;
    psd.ptPaperSize = {8500, 11000};
    psd.rtMargin = {500, 600, 700, 800};
    std::string s;
    psd.SerializeToString(s);

    PageSetupDlgIO back;
    ASSERT_EQ(back.SerializeFromString(s), TRUE) << s;
    ASSERT_TRUE(back.hDevMode);
    ZelDevMode expected = SampleDevMode();
    expected.dmFields &= ~0xCu; // paper length and width are left to the paper size
    EXPECT_EQ(*back.hDevMode, expected);
    ASSERT_TRUE(back.hDevNames);
    EXPECT_EQ(ZelGetDevName(*back.hDevNames, 1), "Laser: \"Room\" 1");
    EXPECT_EQ(back.ptPaperSize, psd.ptPaperSize);
    EXPECT_EQ(back.rtMargin, psd.rtMargin);
    // The writer's blocks are the caller's: reading made new ones.
    EXPECT_NE(back.hDevMode, psd.hDevMode);
    EXPECT_EQ(psd.hDevMode->dmFields, SampleDevMode().dmFields);
}

TEST(RecordText, RefusedPageSetupTextsChangeNothing)
{
    PageSetupDlgIO psd;
    psd.hDevNames = ZelMakeDevNames("a", "b", "c");
    psd.Flags = 5;
    const ZelHDevNames p_names = psd.hDevNames;
    for (const std::string& s :
         {std::string("2\n0\n0\n0x0\n\"1:1:1\"\n\"1:0:0:0:0\"\n\"1:0:0:0:0\"\n"),
          std::string("1\n0\n0\n0x0\n\"1:1:1\"\n\"1:0:0:0:0\"\n"), // no margins: refused, not read past the end
          std::string("1\n\"1:x\"\n0\n0x0\n\"1:1:1\"\n\"1:0:0:0:0\"\n\"1:0:0:0:0\"\n"),
          std::string("1\n0\n\"2:a:b:c:0:\"\n0x0\n\"1:1:1\"\n\"1:0:0:0:0\"\n\"1:0:0:0:0\"\n"),
          std::string("1\n0\n0\nflags\n\"1:1:1\"\n\"1:0:0:0:0\"\n\"1:0:0:0:0\"\n"),
          std::string("1\n0\n0\n0x0\n\"1:1:1\"\n\"1:0:0:0:0\"\n\"1:0:0:0\"\n")}) {
        EXPECT_EQ(psd.SerializeFromString(s), FALSE) << s;
        EXPECT_EQ(psd.hDevNames, p_names);
        EXPECT_EQ(psd.Flags, 5u);
    }
}

} // namespace
