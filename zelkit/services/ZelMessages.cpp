#include "zelkit/services/ZelMessages.h"

#include "framework/Resources.h"
#include "zelkit/base/ZelStringArray.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct HttpStatusText {
    DWORD uCode;
    const char* pText;
};

// Ends with code 0.
const HttpStatusText a_httpStatus[] = {
    {200, "OK"},
    {201, "Created"},
    {202, "Accepted"},
    {204, "No Content"},
    {302, "Moved Temporarily"},
    {301, "Moved Permanently"},
    {304, "Not Modified"},
    {400, "Bad Request"},
    {401, "Unauthorized"},
    {403, "Forbidden"},
    {404, "Not Found"},
    {500, "Internal Server Error"},
    {501, "Not Implemented"},
    {502, "Bad Gateway"},
    {503, "Service Unavailable"},
    {0, nullptr},
};

std::string VFormat(const char* p_format, va_list a_args)
{
    if (!p_format)
        return {};
    va_list a_copy;
    va_copy(a_copy, a_args);
    const int n_length = std::vsnprintf(nullptr, 0, p_format, a_copy);
    va_end(a_copy);
    if (n_length <= 0)
        return {};
    std::vector<char> v_text(static_cast<std::size_t>(n_length) + 1);
    std::vsnprintf(v_text.data(), v_text.size(), p_format, a_args);
    return std::string(v_text.data(), static_cast<std::size_t>(n_length));
}

std::string FormatId(int i_id, std::initializer_list<std::string> a_args)
{
    std::string s_format;
    if (i_id < 0 || !LoadResourceString(static_cast<std::uint32_t>(i_id), s_format))
        return {};
    return FormatMessageText(s_format, a_args);
}

std::string WithSeparator(const std::string& s_text, const char* p_tail)
{
    return s_text.empty() ? std::string(p_tail) : s_text + ": " + p_tail;
}

void ShowNotice(const std::string& s_text)
{
    ZelMessageBox(s_text, MB_OK | MB_ICONEXCLAMATION);
}

void ShowSysNotice(const std::string& s_text, int n_error)
{
    ShowNotice(WithSeparator(s_text, ZelSystemErrorText(n_error).c_str()));
}

} // namespace

int ZelMessageBox(const std::string& s_text, UINT u_type)
{
    return FrameworkMessageBox(s_text, u_type);
}

int ZelDisplayError(const std::string& s_text, UINT u_type)
{
    return ZelMessageBox(s_text, u_type);
}

std::string ZelFormatError(int i_id, const std::string& s_arg1)
{
    return FormatId(i_id, {s_arg1});
}

std::string ZelFormatError(int i_id, const std::string& s_arg1, const std::string& s_arg2)
{
    return FormatId(i_id, {s_arg1, s_arg2});
}

std::string ZelFormatError(int i_id, const ZelStringArray& a_args)
{
    std::string s_format;
    if (i_id < 0 || !LoadResourceString(static_cast<std::uint32_t>(i_id), s_format))
        return {};
    std::vector<std::string> v_args;
    v_args.reserve(static_cast<std::size_t>(a_args.GetSize()));
    for (int i = 0; i < a_args.GetSize(); ++i)
        v_args.push_back(a_args.GetAt(i));
    return FormatMessageText(s_format, v_args);
}

int ZelDisplayError(int i_id, const std::string& s_arg1, UINT u_type)
{
    return ZelMessageBox(ZelFormatError(i_id, s_arg1), u_type);
}

int ZelDisplayError(int i_id, const std::string& s_arg1, const std::string& s_arg2, UINT u_type)
{
    return ZelMessageBox(ZelFormatError(i_id, s_arg1, s_arg2), u_type);
}

int ZelDisplayError(int i_id, const ZelStringArray& a_args, UINT u_type)
{
    return ZelMessageBox(ZelFormatError(i_id, a_args), u_type);
}

void ZelLoadResourceString(int i_id, const char* p_default, std::string& s_out)
{
    if (i_id < 0 || !LoadResourceString(static_cast<std::uint32_t>(i_id), s_out))
        s_out = p_default ? p_default : "";
}

std::string ZelLoadResourceString(int i_id, const char* p_default)
{
    std::string s_text;
    ZelLoadResourceString(i_id, p_default, s_text);
    return s_text;
}

std::string ZelItoS(LONG l_value, UINT u_radix)
{
    if (u_radix < 2 || u_radix > 36)
        return {};
    const bool b_negative = u_radix == 10 && l_value < 0;
    // The magnitude, or for other radixes the value's 32 bits.
    std::uint32_t u_rest = b_negative ? 0u - static_cast<std::uint32_t>(l_value) : static_cast<std::uint32_t>(l_value);
    std::string s_digits;
    do {
        s_digits.insert(s_digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[u_rest % u_radix]);
        u_rest /= u_radix;
    } while (u_rest != 0);
    if (b_negative)
        return "-" + s_digits;
    if (u_radix == 16)
        return "0x" + s_digits;
    if (u_radix == 8)
        return "0" + s_digits;
    return s_digits;
}

std::string GetHTTPError(DWORD u_code)
{
    char sz_code[32];
    std::snprintf(sz_code, sizeof sz_code, "(%ld)", static_cast<long>(static_cast<LONG>(u_code)));
    for (const HttpStatusText* p = a_httpStatus; p->uCode != 0; ++p) {
        if (p->uCode == u_code)
            return std::string(p->pText) + " " + sz_code;
    }
    return sz_code;
}

const char* const ZelNotify::szCommDlgText = "An internal error occurred in the desktop's dialogs";

void ZelNotify::Error(const char* p_format, ...)
{
    va_list a_args;
    va_start(a_args, p_format);
    const std::string s_text = VFormat(p_format, a_args);
    va_end(a_args);
    Error(s_text);
}

void ZelNotify::Error(const std::string& s_text)
{
    ShowNotice(s_text);
}

void ZelNotify::SysError(const char* p_format, ...)
{
    // Formatting may itself change errno: take it first.
    const int n_error = errno;
    va_list a_args;
    va_start(a_args, p_format);
    const std::string s_text = VFormat(p_format, a_args);
    va_end(a_args);
    ShowSysNotice(s_text, n_error);
}

void ZelNotify::SysError(const std::string& s_text)
{
    ShowSysNotice(s_text, errno);
}

void ZelNotify::CommDlgError(const char* p_format, ...)
{
    va_list a_args;
    va_start(a_args, p_format);
    const std::string s_text = VFormat(p_format, a_args);
    va_end(a_args);
    CommDlgError(s_text);
}

void ZelNotify::CommDlgError(const std::string& s_text)
{
    ShowNotice(WithSeparator(s_text, szCommDlgText));
}

// The GNU strerror_r returns its own text or one in the buffer.
std::string ZelSystemErrorText(int n_error)
{
    char sz_buffer[256] = {};
    return strerror_r(n_error, sz_buffer, sizeof sz_buffer);
}
