#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelBytes.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const ZelBytes& b)
{
    return std::string(static_cast<const char*>(b), static_cast<std::size_t>(b.GetLength()));
}

TEST(BytesTest, BuiltFromTextHoldsOnlyTheCharacters)
{
    const ZelBytes b("ab");
    EXPECT_EQ(b.GetLength(), 2);
    EXPECT_EQ(b.GetAllocLength(), 8);
    EXPECT_EQ(Text(b), "ab");

    const std::string s_with_zero("a\0b", 3);
    EXPECT_EQ(ZelBytes(s_with_zero).GetLength(), 3);
    EXPECT_EQ(ZelBytes(s_with_zero.data(), 3), ZelBytes(s_with_zero));
    EXPECT_NE(ZelBytes(s_with_zero), ZelBytes("a"));

    EXPECT_EQ(Text(ZelBytes(static_cast<unsigned char>('x'), 3)), "xxx");
    EXPECT_EQ(Text(ZelBytes(static_cast<unsigned char>('y'))), "y");
    EXPECT_TRUE(ZelBytes().IsEmpty());
    EXPECT_TRUE(ZelBytes(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(BytesTest, BufferShrinksOnlyForLargeDifferences)
{
    ZelBytes b(static_cast<unsigned char>('z'), 100);
    ASSERT_EQ(b.GetAllocLength(), 100);
    const char* p_before = b;

    b.Truncate(60); // 40 bytes unused: the buffer stays
    EXPECT_EQ(b.GetLength(), 60);
    EXPECT_EQ(b.GetAllocLength(), 100);
    EXPECT_EQ(static_cast<const char*>(b), p_before);

    ZelBytes c(static_cast<unsigned char>('z'), 100);
    c.Truncate(30); // 70 bytes unused: a 30-byte buffer replaces it
    EXPECT_EQ(c.GetAllocLength(), 30);
    EXPECT_EQ(Text(c), std::string(30, 'z'));

    ZelBytes d(static_cast<unsigned char>('z'), 100);
    d.Truncate(0);
    EXPECT_EQ(d.GetAllocLength(), 8); // never below 8

    ZelBytes e("abc");
    e.Empty(); // keeps the buffer
    EXPECT_TRUE(e.IsEmpty());
    EXPECT_EQ(e.GetAllocLength(), 8);
}

TEST(BytesTest, AppendingAndAssigning)
{
    ZelBytes b("ab");
    b += ZelBytes("cd");
    b += std::string("ef");
    b += "gh";
    b += static_cast<unsigned char>(0);
    EXPECT_EQ(Text(b), std::string("abcdefgh\0", 9));

    b = "0123456789";
    b += b; // its own bytes, while the buffer grows
    EXPECT_EQ(Text(b), "01234567890123456789");

    const ZelBytes c = ZelBytes("x") + ZelBytes("y") + std::string("z") + "w" + static_cast<unsigned char>('v');
    EXPECT_EQ(Text(c), "xyzwv");

    ZelBytes d("long enough text");
    d = d; // self-assignment changes nothing
    EXPECT_EQ(Text(d), "long enough text");
    d = static_cast<unsigned char>('q');
    EXPECT_EQ(Text(d), "q");
    d = std::string("from a string");
    EXPECT_EQ(Text(d), "from a string");
}

TEST(BytesTest, PiecesOfAValue)
{
    const ZelBytes b("abc");
    struct Case {
        ZelBytes piece;
        const char* p_expected;
    };
    const Case a_cases[] = {
        {b.Left(2), "ab"},      {b.Left(10), "abc"},  {b.Left(0), ""},      {b.Left(-1), ""},
        {b.Right(2), "bc"},     {b.Right(10), "abc"}, {b.Right(0), ""},     {b.Right(-1), ""},
        {b.Mid(0), "abc"},      {b.Mid(1), "bc"},     {b.Mid(3), ""},       {b.Mid(5), ""},
        {b.Mid(-2), "abc"},     {b.Mid(1, 1), "b"},   {b.Mid(1, 10), "bc"}, {b.Mid(3, 1), ""},
        {b.Mid(0, -1), ""},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Text(c.piece), c.p_expected);
}

TEST(BytesTest, ComparesUnsignedBytesThenLength)
{
    const ZelBytes ab("ab"), abc("abc");
    EXPECT_LT(ab.Compare("abc"), 0);
    EXPECT_GT(abc.Compare(std::string("ab")), 0);
    EXPECT_EQ(ZelBytes("abcd").Compare("ab"), 2); // length difference when the prefix is equal
    EXPECT_EQ(ab.Compare("ab"), 0);
    EXPECT_EQ(ab.Compare("b"), -1);
    EXPECT_TRUE(ab < abc);
    EXPECT_TRUE(abc > ab);
    EXPECT_TRUE(ab <= abc && ab <= ab && abc >= ab && !(ab >= abc));
    EXPECT_TRUE(ab == ZelBytes("ab"));
    EXPECT_TRUE(ab != abc);

    const ZelBytes high(static_cast<unsigned char>(0x80)), low(static_cast<unsigned char>(0x7F));
    EXPECT_TRUE(low < high);
    EXPECT_EQ(high.Compare("\x7f"), 1);
    EXPECT_TRUE(ZelBytes() < low);
}

TEST(BytesTest, ElementAccess)
{
    ZelBytes b("abc");
    EXPECT_EQ(b.GetAt(1), 'b');
    b.SetAt(1, 'x');
    b[2] = 'y';
    EXPECT_EQ(Text(b), "axy");
    const ZelBytes& c = b;
    EXPECT_EQ(c[0], 'a');
}

TEST(BytesTest, OutOfRangeAccessIsAnAssertionFailure)
{
    ZelRecordingErrorReports reports;
    ZelBytes b("ab");
    EXPECT_THROW(b.GetAt(2), ZelAssertException);
    EXPECT_THROW(b.SetAt(-1, 'x'), ZelAssertException);
    EXPECT_THROW(b[2] = 'x', ZelAssertException);
    EXPECT_THROW(b.Truncate(3), ZelAssertException);
    EXPECT_THROW(b.Truncate(-1), ZelAssertException);
    ASSERT_EQ(reports.Reports().size(), 5u);
    EXPECT_NE(reports.Reports()[0].sReport.find("Error: 0 <= i_index && i_index < nBytes"), std::string::npos);
    EXPECT_NE(reports.Reports()[3].sReport.find("Error: 0 <= i_new_size && i_new_size <= nBytes"), std::string::npos);
    EXPECT_EQ(Text(b), "ab");
}

} // namespace
