// Reading numbers out of the one-line text forms in which records and fonts
// are kept in settings and event files.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

// A whole field as an integer of the given range. Numbers are read in the
// base they were written in; base 0 accepts the "0x" prefix the hexadecimal
// fields carry. Anything else in the field refuses it, so that a damaged
// text is refused rather than read as zeros.
template <typename T>
bool ZelParseField(const std::string& s_field, T& out, int i_base = 10)
{
    if (s_field.empty())
        return false;
    const char* p_begin = s_field.c_str();
    char* p_end = nullptr;
    errno = 0;
    if constexpr (std::numeric_limits<T>::is_signed) {
        const long long ll = std::strtoll(p_begin, &p_end, i_base);
        if (errno != 0 || *p_end != '\0' || ll < std::numeric_limits<T>::min() || ll > std::numeric_limits<T>::max())
            return false;
        out = static_cast<T>(ll);
    } else {
        if (s_field[0] == '-')
            return false;
        const unsigned long long ull = std::strtoull(p_begin, &p_end, i_base);
        if (errno != 0 || *p_end != '\0' || ull > std::numeric_limits<T>::max())
            return false;
        out = static_cast<T>(ull);
    }
    return true;
}
