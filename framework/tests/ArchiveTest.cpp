#include "framework/Archive.h"
#include "framework/Document.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> a)
{
    std::vector<std::uint8_t> v;
    for (int i : a)
        v.push_back(static_cast<std::uint8_t>(i));
    return v;
}

TEST(Archive, WordsAreLittleEndianAndRoundTrip)
{
    CArchive ar(CArchive::store);
    ar << std::uint8_t{0xAB} << std::uint16_t{0x1234} << std::uint32_t{0xDEADBEEF} << std::int32_t{-1}
       << std::int64_t{-2} << 1.5;
    const auto& v = ar.GetBuffer();
    ASSERT_EQ(v.size(), 1u + 2 + 4 + 4 + 8 + 8);
    EXPECT_EQ(v[0], 0xAB);
    EXPECT_EQ(v[1], 0x34);
    EXPECT_EQ(v[2], 0x12);
    EXPECT_EQ(v[3], 0xEF);
    EXPECT_EQ(v[6], 0xDE);
    EXPECT_EQ(v[7], 0xFF);

    CArchive in(v);
    std::uint8_t u8;
    std::uint16_t u16;
    std::uint32_t u32;
    std::int32_t i32;
    std::int64_t i64;
    double d;
    in >> u8 >> u16 >> u32 >> i32 >> i64 >> d;
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0xDEADBEEF);
    EXPECT_EQ(i32, -1);
    EXPECT_EQ(i64, -2);
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(in.AtEnd());
}

TEST(Archive, StringPrefixFormsAtTheirBoundaries)
{
    struct Case {
        std::size_t n;
        std::vector<std::uint8_t> prefix;
    };
    const Case a_cases[] = {
        {0, Bytes({0})},
        {254, Bytes({254})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.n);
        const std::string s(c.n, 'x');
        CArchive ar;
        ar << s;
        const auto& v = ar.GetBuffer();
        ASSERT_EQ(v.size(), c.prefix.size() + c.n);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), v.begin()));
        CArchive in(v);
        std::string s_back;
        in >> s_back;
        EXPECT_EQ(s_back, s);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(Archive, StringsKeepEveryByte)
{
    const std::string s("caf\xE9\0\x80\xFF", 7);
    CArchive ar;
    ar << s;
    CArchive in(ar.GetBuffer());
    std::string s_back;
    in >> s_back;
    EXPECT_EQ(s_back, s);
}

TEST(Archive, CountFormAtItsBoundary)
{
    for (std::uint32_t n : {0u, 1u, 0xFFFEu, 0xFFFFu, 0x12345678u}) {
        CArchive ar;
        ar.WriteCount(n);
        EXPECT_EQ(ar.GetBuffer().size(), n < 0xFFFF ? 2u : 6u);
        CArchive in(ar.GetBuffer());
        EXPECT_EQ(in.ReadCount(), n);
    }
}

// Damaged data: every read stops at the end of the data, and no stored
// length or count can make the archive allocate what is not there.
TEST(Archive, DamagedDataRaisesTheArchiveException)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        CArchiveException::Cause cause;
    };
    const Case a_cases[] = {
        {"truncated word", Bytes({1, 2, 3}), CArchiveException::endOfFile},
        {"string longer than data", Bytes({10, 'a', 'b'}), CArchiveException::endOfFile},
        {"huge 32-bit string length", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),
         CArchiveException::endOfFile},
        {"wide-character marker", Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b', 0}), CArchiveException::badSchema},
        {"truncated count", Bytes({0xFF, 0xFF, 0x01}), CArchiveException::endOfFile},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.name);
        CArchive in(c.bytes);
        try {
            if (std::string(c.name).find("word") != std::string::npos) {
                std::uint32_t u;
                in >> u;
            } else if (std::string(c.name).find("count") != std::string::npos) {
                in.ReadCount();
            } else {
                std::string s;
                in >> s;
            }
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause);
            EXPECT_FALSE(std::string(e.what()).empty());
        }
    }
}

TEST(Archive, CheckedCountRefusesCountsBeyondTheData)
{
    CArchive ar;
    ar.WriteCount(0x7FFFFFFF);
    ar << std::uint32_t{1} << std::uint32_t{2};
    CArchive in(ar.GetBuffer());
    try {
        in.ReadCountChecked(4);
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    }

    CArchive ok;
    ok.WriteCount(2);
    ok << std::uint32_t{1} << std::uint32_t{2};
    CArchive in_ok(ok.GetBuffer());
    EXPECT_EQ(in_ok.ReadCountChecked(4), 2u);
    EXPECT_THROW(in_ok.CheckAvailable(3, 4), CArchiveException);
}

TEST(Archive, WrongDirectionIsRefused)
{
    CArchive ar;
    std::uint32_t u = 0;
    EXPECT_THROW(ar >> u, CArchiveException);
    CArchive in(Bytes({1, 2, 3, 4}));
    EXPECT_THROW(in << u, CArchiveException);
}

TEST(Archive, CarriesItsDocument)
{
    CDocument doc;
    CArchive ar(CArchive::store, &doc);
    EXPECT_EQ(ar.GetDocument(), &doc);
    EXPECT_EQ(ar.m_pDocument, &doc);
}

} // namespace
