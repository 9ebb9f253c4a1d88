#include "zelkit/base/ZelStringArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Strings(const ZelStringArray& a)
{
    return std::vector<std::string>(a.GetData(), a.GetData() + a.GetSize());
}

int IsComma(char c)
{
    return c == ',';
}

using V = std::vector<std::string>;

TEST(StringArrayTest, SplitNeverKeepsEmptyStrings)
{
    struct Case {
        const char* pText;
        int bMerge;
        V vExpected;
    };
    const Case a_cases[] = {
        {"", 0, {}},
        {"a,,b", 0, {"a", "b"}},
        {"a,,b", 1, {"a", "b"}},
        {",a,b,", 0, {"a", "b"}},
        {",,,", 1, {}},
        {"abc", 0, {"abc"}},
    };
    for (const Case& c : a_cases) {
        ZelStringArray a;
        a.Add("left over");
        EXPECT_EQ(a.Split(c.pText, IsComma, 0, c.bMerge), static_cast<int>(c.vExpected.size())) << c.pText;
        EXPECT_EQ(Strings(a), c.vExpected) << c.pText;
    }

    ZelStringArray lines;
    lines.Split("one\r\ntwo\n\nthree\r", ZelStringArray::iseol, 1, 1);
    EXPECT_EQ(Strings(lines), (V{"one", "two", "three"}));
}

TEST(StringArrayTest, SplitExFieldsQuotesAndEscapes)
{
    struct Case {
        const char* pText;
        int bKeepEmpty;
        int bMerge;
        V vExpected;
    };
    const Case a_cases[] = {
        {"", 1, 0, {}},
        {"a,,b", 1, 0, {"a", "", "b"}},
        {"a,,b", 0, 0, {"a", "b"}},
        {"a,,b", 1, 1, {"a", "b"}},
        {"a,b,", 1, 0, {"a", "b", ""}}, // a trailing separator ends an empty field
        {"a,b,", 0, 0, {"a", "b"}},
        {",", 1, 0, {"", ""}},
        {"\"x,\"\"y\"\"\",z", 0, 0, {"x,\"y\"", "z"}},
        {"a\\,b,c", 0, 0, {"a,b", "c"}},     // an escaped separator is text
        {"a\\\\,b", 0, 0, {"a\\", "b"}},     // a doubled escape is one escape character
        {"a\\\"b,c", 0, 0, {"a\"b", "c"}},   // an escaped quote opens nothing
        {"pre\"in,side\"post,x", 0, 0, {"prein,sidepost", "x"}},
        {"\"\\,\",y", 0, 0, {"\\,", "y"}},   // inside quotes everything is literal
        {"\"open,to the end", 0, 0, {"open,to the end"}},
        {"\"\",b", 1, 0, {"", "b"}},
        {"end\\", 0, 0, {"end"}},
    };
    for (const Case& c : a_cases) {
        ZelStringArray by_char;
        EXPECT_EQ(by_char.SplitEx(c.pText, ',', '"', '\\', c.bKeepEmpty, c.bMerge),
            static_cast<int>(c.vExpected.size()))
            << c.pText;
        EXPECT_EQ(Strings(by_char), c.vExpected) << c.pText;

        ZelStringArray by_class;
        by_class.SplitEx(c.pText, IsComma, ZelStringArray::isquote, ZelStringArray::isbslash, c.bKeepEmpty, c.bMerge);
        EXPECT_EQ(Strings(by_class), c.vExpected) << c.pText;
    }

    // Without quote and escape classes both characters are plain text.
    ZelStringArray plain;
    plain.SplitEx("\"a\\,b", IsComma, nullptr, nullptr, 0, 0);
    EXPECT_EQ(Strings(plain), (V{"\"a\\", "b"}));
    plain.SplitEx("\"a\\,b", ',', '\0', '\0', 0, 0);
    EXPECT_EQ(Strings(plain), (V{"\"a\\", "b"}));

    // Bytes above 0x7F are text like any other.
    ZelStringArray high;
    high.SplitEx("\xE9t\xE9 \xA0x", ZelStringArray::isspace, nullptr, nullptr, 0, 1);
    EXPECT_EQ(Strings(high), (V{"\xE9t\xE9", "\xA0x"}));
}

TEST(StringArrayTest, CharacterClasses)
{
    for (char c : std::string(" \t\n\v\f\r"))
        EXPECT_TRUE(ZelStringArray::isspace(c)) << int(c);
    for (char c : std::string("a\xA0\x85\x80_"))
        EXPECT_FALSE(ZelStringArray::isspace(c)) << int(static_cast<unsigned char>(c));
    EXPECT_TRUE(ZelStringArray::iseol('\r') && ZelStringArray::iseol('\n'));
    EXPECT_FALSE(ZelStringArray::isnl('\r'));
    EXPECT_TRUE(ZelStringArray::isnl('\n'));
    EXPECT_TRUE(ZelStringArray::isquote('"'));
    EXPECT_FALSE(ZelStringArray::isquote('\''));
    EXPECT_TRUE(ZelStringArray::isbslash('\\'));
    EXPECT_TRUE(ZelStringArray::CmpChar('x', 'x'));
    EXPECT_FALSE(ZelStringArray::CmpChar('x', 'X'));
}

TEST(StringArrayTest, AdderAppendsInBlocksOf511)
{
    std::string s_target = "start:";
    {
        ZelStringAdder adder(s_target);
        for (int i = 0; i < 1000; ++i)
            adder += static_cast<char>('a' + i % 26);
        EXPECT_EQ(s_target.size(), 6u + 511u);
        EXPECT_EQ(adder.GetWaiting(), 489);
        adder.Update();
        EXPECT_EQ(s_target.size(), 6u + 1000u);
        adder.Add('!');
    }
    EXPECT_EQ(s_target.size(), 6u + 1001u); // the destructor appends what waits
    EXPECT_EQ(s_target.substr(0, 8), "start:ab");
    EXPECT_EQ(s_target.back(), '!');
}

TEST(StringArrayTest, CopiesAreIndependent)
{
    ZelStringArray a;
    a.SplitEx("x,y", ',', '"', '\\', 0, 0);
    ZelStringArray b(a);
    ZelStringArray c;
    c = a;
    a[0] = "changed";
    EXPECT_EQ(Strings(b), (V{"x", "y"}));
    EXPECT_EQ(Strings(c), (V{"x", "y"}));
}

} // namespace
