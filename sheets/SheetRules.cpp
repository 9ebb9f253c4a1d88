#include "sheets/SheetRules.h"

#include "framework/Encoding.h"
#include "zelkit/services/ZelMessages.h"

#include <cctype>
#include <cstdio>

namespace {

// The refused character as its code point: messages are code page 1252
// text themselves, so the character cannot stand in them as it is.
std::string DescribeCharacter(const std::string& s_bad)
{
    const auto u0 = s_bad.empty() ? 0u : static_cast<unsigned char>(s_bad[0]);
    if (u0 < 0xC0)
        return s_bad;  // already a description ("an invalid byte")
    const std::size_t n_len = u0 >= 0xF0 ? 4 : u0 >= 0xE0 ? 3 : 2;
    if (s_bad.size() != n_len)
        return s_bad;
    std::uint32_t u = u0 & (0x7F >> n_len);
    for (std::size_t k = 1; k < n_len; ++k)
        u = (u << 6) | (static_cast<unsigned char>(s_bad[k]) & 0x3F);
    char sz[16];
    std::snprintf(sz, sizeof sz, "U+%04X", static_cast<unsigned>(u));
    return std::string("the character ") + sz;
}

} // namespace

std::optional<std::string> AcceptTypedText(const std::string& s_utf8)
{
    std::string s_bad;
    std::optional<std::string> s_text = Utf8ToCp1252(s_utf8, &s_bad);
    if (!s_text)
        ZelMessageBox("The text holds " + DescribeCharacter(s_bad)
                          + ", which an event file cannot keep. Please type another character in its place.",
                      MB_OK | MB_ICONEXCLAMATION);
    return s_text;
}

std::optional<std::uint64_t> ReadBoxNumber(const std::string& s_text, std::uint64_t u_max)
{
    std::size_t i_begin = 0;
    std::size_t i_end = s_text.size();
    while (i_begin < i_end && std::isspace(static_cast<unsigned char>(s_text[i_begin])))
        ++i_begin;
    while (i_end > i_begin && std::isspace(static_cast<unsigned char>(s_text[i_end - 1])))
        --i_end;
    if (i_begin == i_end)
        return std::nullopt;
    std::uint64_t u_read = 0;
    for (std::size_t i = i_begin; i < i_end; ++i) {
        const char c = s_text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        if (u_read <= u_max)
            u_read = u_read * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return u_read;
}

bool BoxShows(const std::string& s_text, std::uint64_t u_shown) { return s_text == std::to_string(u_shown); }

std::string BoxRangeMessage(std::uint64_t u_min, std::uint64_t u_max)
{
    return "Please enter an integer between " + std::to_string(u_min) + " and " + std::to_string(u_max) + ".";
}
