#include "framework/Encoding.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80 to 0x9F; 0 where the code page leaves a hole.
const std::uint16_t a_high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void PutUtf8(std::string& s, std::uint32_t u)
{
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        s += static_cast<char>(0xE0 | (u >> 12));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (u >> 18));
        s += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
}

} // namespace

std::string Cp1252ToUtf8(const std::string& s_cp1252)
{
    std::string s_out;
    s_out.reserve(s_cp1252.size());
    for (const char c : s_cp1252) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 && u < 0xA0) {
            // The holes have no character; keep them as the C1 control of
            // the same number so nothing is lost.
            PutUtf8(s_out, a_high[u - 0x80] ? a_high[u - 0x80] : u);
        } else {
            PutUtf8(s_out, u);
        }
    }
    return s_out;
}

std::u16string Cp1252ToUtf16(const std::string& s_cp1252)
{
    std::u16string s_out;
    s_out.reserve(s_cp1252.size());
    for (const char c : s_cp1252) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 && u < 0xA0 && a_high[u - 0x80])
            s_out += static_cast<char16_t>(a_high[u - 0x80]);
        else
            s_out += static_cast<char16_t>(u);
    }
    return s_out;
}

std::optional<std::string> Utf8ToCp1252(const std::string& s_utf8, std::string* s_bad)
{
    std::string s_out;
    s_out.reserve(s_utf8.size());
    const auto n = s_utf8.size();
    for (std::size_t i = 0; i < n;) {
        const auto u0 = static_cast<unsigned char>(s_utf8[i]);
        std::uint32_t u = 0;
        std::size_t n_len = 0;
        if (u0 < 0x80) {
            u = u0;
            n_len = 1;
        } else if ((u0 & 0xE0) == 0xC0) {
            u = u0 & 0x1F;
            n_len = 2;
        } else if ((u0 & 0xF0) == 0xE0) {
            u = u0 & 0x0F;
            n_len = 3;
        } else if ((u0 & 0xF8) == 0xF0) {
            u = u0 & 0x07;
            n_len = 4;
        } else {
            if (s_bad)
                *s_bad = "an invalid byte";
            return std::nullopt;
        }
        if (i + n_len > n) {
            if (s_bad)
                *s_bad = "an incomplete character";
            return std::nullopt;
        }
        for (std::size_t k = 1; k < n_len; ++k) {
            const auto uk = static_cast<unsigned char>(s_utf8[i + k]);
            if ((uk & 0xC0) != 0x80) {
                if (s_bad)
                    *s_bad = "an invalid byte";
                return std::nullopt;
            }
            u = (u << 6) | (uk & 0x3F);
        }
        int i_byte = -1;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            i_byte = static_cast<int>(u);
        } else {
            for (int k = 0; k < 32; ++k) {
                if (a_high[k] == u || (a_high[k] == 0 && u == static_cast<std::uint32_t>(0x80 + k))) {
                    i_byte = 0x80 + k;
                    break;
                }
            }
        }
        if (i_byte < 0) {
            if (s_bad)
                *s_bad = s_utf8.substr(i, n_len);
            return std::nullopt;
        }
        s_out += static_cast<char>(i_byte);
        i += n_len;
    }
    return s_out;
}
