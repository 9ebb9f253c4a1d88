#include "zelkit/services/ZelCompress.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

struct Freed {
    void operator()(BYTE* p) const { std::free(p); }
};
using Block = std::unique_ptr<BYTE, Freed>;

Bytes Pack(const Bytes& v_data, BOOL b_compress = TRUE)
{
    LONG l_out = -1;
    Block p(cmprsdata(v_data.data(), static_cast<LONG>(v_data.size()), &l_out, b_compress));
    if (!p)
        return {};
    return Bytes(p.get(), p.get() + l_out);
}

// The unpacked bytes, or nothing with b_ok false when the block is refused.
Bytes Unpack(const Bytes& v_block, bool& b_ok)
{
    ZelClearCompressError();
    LONG l_out = -1;
    Block p(ucmprsdata(v_block.data(), static_cast<LONG>(v_block.size()), &l_out));
    b_ok = p != nullptr;
    if (!p) {
        EXPECT_TRUE(ZelCompressError());
        EXPECT_EQ(l_out, 0);
        return {};
    }
    return Bytes(p.get(), p.get() + l_out);
}

Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes Random(std::size_t n_size, std::uint32_t u_seed)
{
    std::mt19937 gen(u_seed);
    Bytes v(n_size);
    for (auto& b : v)
        b = static_cast<BYTE>(gen());
    return v;
}

// Words whose letters come from another range of bytes every 30000 bytes,
// so the dictionary fills with strings that stop paying, its ratio falls and
// the encoder has to start afresh more than once (some 12 times in 400000
// bytes).
Bytes ShiftingText(std::size_t n_size)
{
    std::mt19937 gen(7);
    Bytes v;
    while (v.size() < n_size) {
        const std::size_t n_phase = v.size() / 30000;
        const int n_letters = 3 + static_cast<int>(gen() % 6);
        for (int i = 0; i < n_letters; ++i)
            v.push_back(static_cast<BYTE>(0x21 + (n_phase * 37) % 200 + gen() % 12));
        v.push_back(gen() % 9 == 0 ? '\n' : ' ');
    }
    return v;
}

TEST(CompressTest, StoredBlocksCarryTheDataUnchanged)
{
    const Bytes v_data = Text("Timetable");
    const Bytes v_block = Pack(v_data, FALSE);
    ASSERT_EQ(v_block.size(), v_data.size() + 2);
    EXPECT_EQ(v_block[0], 0);
    EXPECT_EQ(v_block[1], 0);
    EXPECT_TRUE(std::equal(v_data.begin(), v_data.end(), v_block.begin() + 2));

    // Data that does not shrink is stored too, even when compression was asked.
    const Bytes v_noise = Random(40, 3);
    const Bytes v_stored = Pack(v_noise);
    ASSERT_EQ(v_stored.size(), v_noise.size() + 2);
    EXPECT_EQ(v_stored[1], 0);

    bool b_ok = false;
    EXPECT_EQ(Unpack(v_block, b_ok), v_data);
    EXPECT_TRUE(b_ok);
}

TEST(CompressTest, EmptyInputGivesNoBlock)
{
    LONG l_out = 99;
    const BYTE b = 'x';
    EXPECT_EQ(cmprsdata(&b, 0, &l_out, TRUE), nullptr);
    EXPECT_EQ(l_out, 0);
    EXPECT_EQ(cmprsdata(&b, -5, &l_out, TRUE), nullptr);
}

TEST(CompressTest, CompressedBlockHeaderHoldsTheLength)
{
    const Bytes v_data(5000, 'a');
    const Bytes v_block = Pack(v_data);
    ASSERT_GE(v_block.size(), 6u);
    EXPECT_LT(v_block.size(), 200u);
    EXPECT_EQ(v_block[0], 0);
    EXPECT_EQ(v_block[1], 1);
    EXPECT_EQ(v_block[2], 0);
    EXPECT_EQ(v_block[3], 0);
    EXPECT_EQ(v_block[4], 5000 >> 8);
    EXPECT_EQ(v_block[5], 5000 & 0xFF);
}

// The first codes of a known input, worked out by hand: "ABABABA" gives the
// codes 65, 66, 257, 259 at 9 bits, least significant bit first.
TEST(CompressTest, CodeStreamLayout)
{
    const Bytes v_data = Text("ABABABAABABABAABABABAABABABAABABABA");
    const Bytes v_block = Pack(v_data);
    ASSERT_EQ(v_block[1], 1);
    auto code = [&](int i_index) {
        std::uint32_t u = 0;
        for (int i_bit = 0; i_bit < 9; ++i_bit) {
            const int i_pos = i_index * 9 + i_bit;
            if (v_block[6 + i_pos / 8] & (1 << (i_pos % 8)))
                u |= 1u << i_bit;
        }
        return u;
    };
    EXPECT_EQ(code(0), 65u);
    EXPECT_EQ(code(1), 66u);
    EXPECT_EQ(code(2), 257u);
    EXPECT_EQ(code(3), 259u);
}

TEST(CompressTest, RoundTrips)
{
    std::string s_event;
    for (int i = 0; i < 400; ++i)
        s_event += "Group " + std::to_string(i % 37) + "\tVenue " + std::to_string(i % 5) + "\t09:00-10:30\r\n";
    Bytes v_binary;
    for (std::uint32_t i = 0; i < 30000; ++i) {
        const std::uint32_t u_word = (i % 17) * 1000 + (i / 200);
        for (int k = 0; k < 4; ++k)
            v_binary.push_back(static_cast<BYTE>(u_word >> (8 * k)));
    }
    Bytes v_runs;
    for (int i = 0; i < 20000; ++i)
        v_runs.push_back(static_cast<BYTE>((i / 333) % 3));

    const struct {
        const char* pName;
        Bytes vData;
    } a_cases[] = {
        {"one byte", Text("x")},
        {"short text", Text("to be or not to be, that is the question")},
        {"text past the sampling", Text(s_event)},
        {"event-like binary", v_binary},
        {"long runs", v_runs},
        {"all zero", Bytes(100000, 0)},
        {"random", Random(50000, 11)},
        {"shifting text", ShiftingText(400000)},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pName);
        const Bytes v_block = Pack(c.vData);
        ASSERT_FALSE(v_block.empty());
        // A code stream is kept only when shorter than the data.
        if (v_block[1] == 1)
            EXPECT_LT(v_block.size() - 6, c.vData.size());
        else
            EXPECT_EQ(v_block.size(), c.vData.size() + 2);
        bool b_ok = false;
        const Bytes v_back = Unpack(v_block, b_ok);
        EXPECT_TRUE(b_ok);
        EXPECT_TRUE(v_back == c.vData);
    }
}

TEST(CompressTest, UnpackedBufferHasRoomBeyondTheData)
{
    // Callers may append a terminator: the buffer is larger than the data.
    const Bytes v_block = Pack(Bytes(3000, 'q'));
    LONG l_out = 0;
    Block p(ucmprsdata(v_block.data(), static_cast<LONG>(v_block.size()), &l_out));
    ASSERT_TRUE(p);
    ASSERT_EQ(l_out, 3000);
    std::memset(p.get() + l_out, 0, 16); // within the allocation (checked by sanitizers)
}

TEST(CompressTest, DamagedBlocksAreRefused)
{
    const Bytes v_good = Pack(ShiftingText(60000));
    ASSERT_EQ(v_good[1], 1);

    auto with = [&](auto change) {
        Bytes v = v_good;
        change(v);
        return v;
    };
    const struct {
        const char* pName;
        Bytes vBlock;
    } a_cases[] = {
        {"too short for a header", Bytes{0}},
        {"unknown method", with([](Bytes& v) { v[1] = 2; })},
        {"high method byte", with([](Bytes& v) { v[0] = 1; })},
        {"compressed without length", Bytes{0, 1, 0, 0}},
        {"length of zero", with([](Bytes& v) { v[2] = v[3] = v[4] = v[5] = 0; })},
        {"length too large", with([](Bytes& v) { v[2] = 0x7F; v[3] = 0xFF; })},
        {"length larger than the stream yields", with([](Bytes& v) { v[4] ^= 0x01; })},
        {"length smaller than the stream yields", with([](Bytes& v) { v[5] -= 1; })},
        {"truncated stream", with([](Bytes& v) { v.resize(v.size() / 2); })},
        {"first code not a byte", Bytes{0, 1, 0, 0, 0, 4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"code not yet defined", Bytes{0, 1, 0, 0, 0, 4, 0x41, 0xFE, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pName);
        bool b_ok = true;
        Unpack(c.vBlock, b_ok);
        EXPECT_FALSE(b_ok);
    }
}

// Whatever bytes a block holds, unpacking either fails or stays inside its
// input and the length it claims (run under a sanitizer to see overruns).
TEST(CompressTest, GarbledStreamsNeverOverrun)
{
    const Bytes v_text = ShiftingText(20000);
    const Bytes v_good = Pack(v_text);
    std::mt19937 gen(5);
    for (int i_round = 0; i_round < 300; ++i_round) {
        Bytes v = v_good;
        const int n_flips = 1 + static_cast<int>(gen() % 8);
        for (int i = 0; i < n_flips; ++i)
            v[6 + gen() % (v.size() - 6)] ^= static_cast<BYTE>(1u << (gen() % 8));
        LONG l_out = 0;
        Block p(ucmprsdata(v.data(), static_cast<LONG>(v.size()), &l_out));
        if (p) { // a result the block accepts has the length the header claims
            EXPECT_EQ(static_cast<std::size_t>(l_out), v_text.size());
        }
    }
    for (int i_round = 0; i_round < 200; ++i_round) {
        Bytes v = Random(6 + gen() % 400, gen());
        v[0] = 0;
        v[1] = 1;
        v[2] = 0;
        v[3] = 0;
        LONG l_out = 0;
        Block p(ucmprsdata(v.data(), static_cast<LONG>(v.size()), &l_out));
        if (p) {
            EXPECT_EQ(static_cast<std::uint32_t>(l_out), (std::uint32_t{v[4]} << 8) | v[5]);
        }
    }
}

} // namespace
