#include "zelkit/services/ZelCompress.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace {

constexpr std::uint32_t kMaxBits = 12;
constexpr std::uint32_t kMaxCodes = 1u << kMaxBits; // 4096
constexpr std::uint32_t kClearCode = 256;
constexpr std::uint32_t kFirstFree = 257;
constexpr std::uint32_t kInitBits = 9;
constexpr std::int32_t kHashSize = 9001; // a prime
constexpr std::int32_t kCheckGap = 10000;
constexpr std::int32_t kSampleBytes = 2000;
// The longest string one code can stand for: each new entry is at most one
// byte longer than an older one.
constexpr std::uint64_t kLongestString = kMaxCodes - kFirstFree + 1;

constexpr std::size_t kStoredHeader = 2;
constexpr std::size_t kCompressedHeader = 6;

thread_local BOOL bCompressError = FALSE;

constexpr std::uint32_t MaxCode(std::uint32_t u_bits)
{
    return (1u << u_bits) - 1;
}

// Packs codes least significant bit first into a buffer of fixed size;
// refuses a code that would not fit, which is how the encoder learns that
// the code stream is no shorter than the data.
class CodeWriter {
public:
    CodeWriter(BYTE* p_out, std::size_t n_capacity) : pOut(p_out), nCapacity(n_capacity) {}

    bool Put(std::uint32_t u_code, std::uint32_t u_bits)
    {
        uBuffer |= u_code << nPending;
        nPending += u_bits;
        while (nPending >= 8) {
            if (nUsed == nCapacity)
                return false;
            pOut[nUsed++] = static_cast<BYTE>(uBuffer & 0xFF);
            uBuffer >>= 8;
            nPending -= 8;
        }
        return true;
    }

    bool Flush()
    {
        if (nPending == 0)
            return true;
        if (nUsed == nCapacity)
            return false;
        pOut[nUsed++] = static_cast<BYTE>(uBuffer & 0xFF);
        uBuffer = 0;
        nPending = 0;
        return true;
    }

    std::size_t Used() const { return nUsed; }

private:
    BYTE* pOut;
    std::size_t nCapacity;
    std::size_t nUsed = 0;
    std::uint32_t uBuffer = 0;
    std::uint32_t nPending = 0;
};

class Encoder {
public:
    // Encodes into p_out (at most n_capacity bytes); the stream's length, or
    // 0 when it would not fit.
    std::size_t Encode(const BYTE* p_source, std::int32_t l_length, BYTE* p_out, std::size_t n_capacity)
    {
        CodeWriter writer(p_out, n_capacity);
        ResetDictionary();
        std::int32_t l_checkpoint = kCheckGap;
        std::uint64_t u_ratio = 0;
        std::uint32_t a_counts[256] = {};
        BYTE b_special = ' ';

        std::uint32_t u_prefix = p_source[0];
        a_counts[u_prefix]++;
        for (std::int32_t l_in = 1; l_in < l_length; ++l_in) {
            const BYTE b_next = p_source[l_in];
            if (l_in < kSampleBytes) {
                a_counts[b_next]++;
            } else if (l_in == kSampleBytes) {
                // Strings ending in the most frequent byte get a direct table.
                b_special = static_cast<BYTE>(std::max_element(a_counts, a_counts + 256) - a_counts);
                std::fill(std::begin(aSpecial), std::end(aSpecial), std::uint16_t{0});
            }

            if (b_next == b_special && aSpecial[u_prefix] != 0) {
                u_prefix = aSpecial[u_prefix];
                continue;
            }
            const std::int32_t l_key = (static_cast<std::int32_t>(b_next) << kMaxBits) + static_cast<std::int32_t>(u_prefix);
            std::int32_t i_slot = l_key % kHashSize;
            const std::int32_t i_step = i_slot == 0 ? 1 : kHashSize - i_slot;
            while (aKeys[i_slot] != -1 && aKeys[i_slot] != l_key) {
                i_slot -= i_step;
                if (i_slot < 0)
                    i_slot += kHashSize;
            }
            if (aKeys[i_slot] == l_key) {
                if (b_next == b_special)
                    aSpecial[u_prefix] = aCodes[i_slot];
                u_prefix = aCodes[i_slot];
                continue;
            }

            if (!Emit(writer, u_prefix))
                return 0;
            if (uFree < kMaxCodes) {
                aKeys[i_slot] = l_key;
                aCodes[i_slot] = static_cast<std::uint16_t>(uFree);
                if (b_next == b_special)
                    aSpecial[u_prefix] = static_cast<std::uint16_t>(uFree);
                ++uFree;
            } else if (l_in >= l_checkpoint) {
                // The dictionary is full: keep it while it still pays, start
                // afresh once the ratio has fallen since the last look.
                l_checkpoint = l_in + kCheckGap;
                const std::uint64_t u_now = (static_cast<std::uint64_t>(l_in) << 8) / std::max<std::size_t>(writer.Used(), 1);
                if (u_now >= u_ratio) {
                    u_ratio = u_now;
                } else {
                    u_ratio = 0;
                    if (!writer.Put(kClearCode, uBits))
                        return 0;
                    ResetDictionary();
                }
            }
            u_prefix = b_next;
        }
        if (!Emit(writer, u_prefix) || !writer.Flush())
            return 0;
        return writer.Used();
    }

private:
    void ResetDictionary()
    {
        std::fill(std::begin(aKeys), std::end(aKeys), -1);
        std::fill(std::begin(aSpecial), std::end(aSpecial), std::uint16_t{0});
        uFree = kFirstFree;
        uBits = kInitBits;
    }

    // Writes a code at the present width, then widens when the dictionary
    // has outgrown it; the decoder widens at the same point of the stream.
    bool Emit(CodeWriter& writer, std::uint32_t u_code)
    {
        if (!writer.Put(u_code, uBits))
            return false;
        if (uFree > MaxCode(uBits) && uBits < kMaxBits)
            ++uBits;
        return true;
    }

    std::int32_t aKeys[kHashSize];
    std::uint16_t aCodes[kHashSize];
    std::uint16_t aSpecial[kMaxCodes]; // prefix -> code of prefix + special byte
    std::uint32_t uFree = kFirstFree;
    std::uint32_t uBits = kInitBits;
};

BYTE* Fail(LONG* p_outLength)
{
    bCompressError = TRUE;
    if (p_outLength)
        *p_outLength = 0;
    return nullptr;
}

// Decodes the code stream into p_out, growing it as needed up to exactly
// u_length bytes. False for anything a sound stream cannot hold: a code not
// yet defined, a stream that yields more or fewer bytes than it claims.
bool Decode(const BYTE* p_codes, std::size_t n_codeBytes, std::uint32_t u_length, BYTE*& p_out, std::size_t& n_capacity)
{
    struct Tables {
        std::uint16_t aPrefix[kMaxCodes];
        BYTE aSuffix[kMaxCodes];
        BYTE aStack[kMaxCodes + 1];
    };
    std::unique_ptr<Tables> p_tables(new (std::nothrow) Tables);
    if (!p_tables)
        return false;
    Tables& t = *p_tables;

    std::size_t n_out = 0;
    auto put = [&](BYTE b_value) {
        if (n_out == u_length)
            return false;
        if (n_out == n_capacity) {
            const std::size_t n_grown = std::min<std::size_t>(std::max<std::size_t>(n_capacity * 2, 4096), u_length);
            auto* p_grown = static_cast<BYTE*>(std::realloc(p_out, n_grown));
            if (!p_grown)
                return false;
            p_out = p_grown;
            n_capacity = n_grown;
        }
        p_out[n_out++] = b_value;
        return true;
    };

    const std::uint64_t u_totalBits = static_cast<std::uint64_t>(n_codeBytes) * 8;
    std::uint64_t u_bitPos = 0;
    std::uint32_t u_free = kFirstFree;
    std::uint32_t u_bits = kInitBits;
    std::int32_t i_old = -1;
    BYTE b_first = 0;

    for (;;) {
        if (u_free > MaxCode(u_bits) && u_bits < kMaxBits)
            ++u_bits;
        if (u_bitPos + u_bits > u_totalBits)
            break;
        // A code of up to 12 bits at any bit offset lies within 3 bytes.
        const std::size_t n_byte = static_cast<std::size_t>(u_bitPos >> 3);
        std::uint32_t u_window = p_codes[n_byte];
        if (n_byte + 1 < n_codeBytes)
            u_window |= std::uint32_t{p_codes[n_byte + 1]} << 8;
        if (n_byte + 2 < n_codeBytes)
            u_window |= std::uint32_t{p_codes[n_byte + 2]} << 16;
        std::uint32_t u_code = (u_window >> (u_bitPos & 7)) & MaxCode(u_bits);
        u_bitPos += u_bits;

        if (u_code == kClearCode) {
            u_free = kFirstFree;
            u_bits = kInitBits;
            i_old = -1;
            continue;
        }
        if (i_old < 0) {
            if (u_code > 0xFF)
                return false;
            b_first = static_cast<BYTE>(u_code);
            if (!put(b_first))
                return false;
            i_old = static_cast<std::int32_t>(u_code);
            continue;
        }

        const std::uint32_t u_in = u_code;
        std::size_t n_stack = 0;
        if (u_code >= u_free) {
            // The one code a decoder may meet before defining it: the
            // previous string followed by its own first byte.
            if (u_code != u_free || u_free >= kMaxCodes)
                return false;
            t.aStack[n_stack++] = b_first;
            u_code = static_cast<std::uint32_t>(i_old);
        }
        while (u_code >= kFirstFree) {
            // Each entry's prefix is an older code, so this ends.
            t.aStack[n_stack++] = t.aSuffix[u_code];
            u_code = t.aPrefix[u_code];
        }
        b_first = static_cast<BYTE>(u_code);
        t.aStack[n_stack++] = b_first;
        while (n_stack > 0) {
            if (!put(t.aStack[--n_stack]))
                return false;
        }
        if (u_free < kMaxCodes) {
            t.aPrefix[u_free] = static_cast<std::uint16_t>(i_old);
            t.aSuffix[u_free] = b_first;
            ++u_free;
        }
        i_old = static_cast<std::int32_t>(u_in);
    }
    return n_out == u_length;
}

} // namespace

BOOL ZelCompressError()
{
    return bCompressError;
}

void ZelClearCompressError()
{
    bCompressError = FALSE;
}

extern "C" BYTE* cmprsdata(const BYTE* p_source, LONG l_length, LONG* p_outLength, BOOL b_compress)
{
    if (p_outLength)
        *p_outLength = 0;
    if (l_length < 1 || !p_source || !p_outLength)
        return nullptr;

    // A block's own length must fit the out length too.
    if (l_length > std::numeric_limits<LONG>::max() - static_cast<LONG>(kCompressedHeader))
        return Fail(p_outLength);

    const auto n_length = static_cast<std::size_t>(l_length);
    // Room for either form: a stored block, or a code stream shorter than
    // the data behind the longer header.
    auto* p_block = static_cast<BYTE*>(std::malloc(n_length + kCompressedHeader));
    if (!p_block)
        return Fail(p_outLength);

    if (b_compress) {
        std::unique_ptr<Encoder> p_encoder(new (std::nothrow) Encoder);
        if (!p_encoder) {
            std::free(p_block);
            return Fail(p_outLength);
        }
        const std::size_t n_stream = p_encoder->Encode(p_source, l_length, p_block + kCompressedHeader, n_length - 1);
        if (n_stream > 0) {
            const auto u_length = static_cast<std::uint32_t>(l_length);
            p_block[0] = 0;
            p_block[1] = 1;
            p_block[2] = static_cast<BYTE>(u_length >> 24);
            p_block[3] = static_cast<BYTE>(u_length >> 16);
            p_block[4] = static_cast<BYTE>(u_length >> 8);
            p_block[5] = static_cast<BYTE>(u_length);
            *p_outLength = static_cast<LONG>(n_stream + kCompressedHeader);
            if (auto* p_shrunk = static_cast<BYTE*>(std::realloc(p_block, n_stream + kCompressedHeader)))
                p_block = p_shrunk;
            return p_block;
        }
    }

    p_block[0] = 0;
    p_block[1] = 0;
    std::memcpy(p_block + kStoredHeader, p_source, n_length);
    *p_outLength = static_cast<LONG>(n_length + kStoredHeader);
    return p_block;
}

extern "C" BYTE* ucmprsdata(const BYTE* p_block, LONG l_blockLength, LONG* p_outLength)
{
    if (p_outLength)
        *p_outLength = 0;
    if (!p_block || !p_outLength || l_blockLength < static_cast<LONG>(kStoredHeader) || p_block[0] != 0)
        return Fail(p_outLength);
    const auto n_block = static_cast<std::size_t>(l_blockLength);

    if (p_block[1] == 0) {
        const std::size_t n_data = n_block - kStoredHeader;
        auto* p_out = static_cast<BYTE*>(std::malloc(n_block + 14));
        if (!p_out)
            return Fail(p_outLength);
        std::memcpy(p_out, p_block + kStoredHeader, n_data);
        *p_outLength = static_cast<LONG>(n_data);
        return p_out;
    }
    if (p_block[1] != 1 || n_block < kCompressedHeader)
        return Fail(p_outLength);

    const std::uint32_t u_length = (std::uint32_t{p_block[2]} << 24) | (std::uint32_t{p_block[3]} << 16) |
                                   (std::uint32_t{p_block[4]} << 8) | std::uint32_t{p_block[5]};
    // No stream of this many codes can stand for more bytes than this;
    // a header claiming more is damaged, and nothing is allocated for it.
    const std::size_t n_codeBytes = n_block - kCompressedHeader;
    const std::uint64_t u_mostCodes = static_cast<std::uint64_t>(n_codeBytes) * 8 / kInitBits;
    if (u_length == 0 || u_length > static_cast<std::uint32_t>(std::numeric_limits<LONG>::max()) - 16 ||
        u_length > u_mostCodes * kLongestString)
        return Fail(p_outLength);

    // Start small and grow with the output, so a block that lies about its
    // length costs no more memory than it really yields.
    std::size_t n_capacity = std::min<std::size_t>(u_length, std::max<std::size_t>(n_codeBytes * 4, 65536));
    auto* p_out = static_cast<BYTE*>(std::malloc(n_capacity));
    if (!p_out)
        return Fail(p_outLength);
    if (!Decode(p_block + kCompressedHeader, n_codeBytes, u_length, p_out, n_capacity)) {
        std::free(p_out);
        return Fail(p_outLength);
    }
    auto* p_sized = static_cast<BYTE*>(std::realloc(p_out, std::size_t{u_length} + 16));
    if (!p_sized) {
        std::free(p_out);
        return Fail(p_outLength);
    }
    *p_outLength = static_cast<LONG>(u_length);
    return p_sized;
}
