#include "framework/Encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(Encoding, EveryCodePageByteRoundTrips)
{
    std::string s_all;
    for (int i = 1; i < 256; ++i)
        s_all += static_cast<char>(i);
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(s_all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s_all);
}

TEST(Encoding, KnownCharacters)
{
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\xC3\xA9");     // e acute
    EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9C" "a\xE2\x80\x9D"), std::optional<std::string>("\x93" "a\x94"));
}

TEST(Encoding, Utf16UnitsAreTheCodePointsOfUtf8)
{
    EXPECT_EQ(Cp1252ToUtf16("A\x80\xE9\x81"), std::u16string(u"A\u20AC\u00E9\u0081"));
    // Every byte gives one unit, the code point its UTF-8 form spells.
    for (int i = 1; i < 256; ++i) {
        const std::string s_byte(1, static_cast<char>(i));
        const std::u16string s_wide = Cp1252ToUtf16(s_byte);
        ASSERT_EQ(s_wide.size(), 1u) << i;
        const std::string s_utf8 = Cp1252ToUtf8(s_byte);
        char32_t u = static_cast<unsigned char>(s_utf8[0]);
        if (s_utf8.size() == 2)
            u = ((u & 0x1F) << 6) | (s_utf8[1] & 0x3F);
        else if (s_utf8.size() == 3)
            u = ((u & 0x0F) << 12) | ((s_utf8[1] & 0x3F) << 6) | (s_utf8[2] & 0x3F);
        EXPECT_EQ(static_cast<char32_t>(s_wide[0]), u) << i;
    }
}

TEST(Encoding, RefusesWhatTheCodePageCannotHold)
{
    std::string s_bad;
    EXPECT_FALSE(Utf8ToCp1252("ok \xE2\x88\x9E", &s_bad)); // infinity sign
    EXPECT_EQ(s_bad, "\xE2\x88\x9E");
    EXPECT_FALSE(Utf8ToCp1252("\xC3", &s_bad));            // cut short
    EXPECT_FALSE(Utf8ToCp1252("\xFF", &s_bad));            // not UTF-8
}

} // namespace
