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

TEST(Encoding, RefusesWhatTheCodePageCannotHold)
{
    std::string s_bad;
    EXPECT_FALSE(Utf8ToCp1252("ok \xE2\x88\x9E", &s_bad)); // infinity sign
    EXPECT_EQ(s_bad, "\xE2\x88\x9E");
    EXPECT_FALSE(Utf8ToCp1252("\xC3", &s_bad));            // cut short
    EXPECT_FALSE(Utf8ToCp1252("\xFF", &s_bad));            // not UTF-8
}

} // namespace
