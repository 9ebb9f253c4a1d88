#include "zelkit/base/ZelStringArray.h"

#include <cstring>

namespace {

// The two forms of SplitEx share one scanner; the classes are either
// functions or single characters.
template <class IsSep, class IsQuote, class IsEscape>
int SplitFields(ZelStringArray& a_out, const std::string& s_text, IsSep is_sep, IsQuote is_quote,
    IsEscape is_escape, int b_keep_empty, int b_merge)
{
    a_out.RemoveAll();
    const std::size_t n_length = s_text.size();
    if (n_length == 0)
        return 0;

    std::size_t u_pos = 0;
    for (;;) {
        std::string s_field;
        {
            ZelStringAdder adder(s_field);
            while (u_pos < n_length) {
                const char c = s_text[u_pos];
                if (is_escape(c)) {
                    ++u_pos;
                    if (u_pos < n_length)
                        adder += s_text[u_pos++];
                    continue;
                }
                if (is_quote(c)) {
                    ++u_pos;
                    while (u_pos < n_length) {
                        const char c_quoted = s_text[u_pos];
                        if (is_quote(c_quoted)) {
                            if (u_pos + 1 < n_length && is_quote(s_text[u_pos + 1])) {
                                adder += c_quoted;
                                u_pos += 2;
                                continue;
                            }
                            ++u_pos;
                            break;
                        }
                        adder += c_quoted;
                        ++u_pos;
                    }
                    continue;
                }
                if (is_sep(c))
                    break;
                adder += c;
                ++u_pos;
            }
        }
        if (!s_field.empty() || b_keep_empty)
            a_out.Add(s_field);
        if (u_pos >= n_length)
            break;
        ++u_pos; // the separator
        if (b_merge) {
            while (u_pos < n_length && is_sep(s_text[u_pos]))
                ++u_pos;
        }
    }
    return a_out.GetSize();
}

} // namespace

int ZelStringArray::Split(const std::string& s_text, CharClass is_sep, int /*i_flag*/, int b_merge)
{
    RemoveAll();
    if (!is_sep) {
        if (!s_text.empty())
            Add(s_text);
        return GetSize();
    }
    const std::size_t n_length = s_text.size();
    std::size_t u_pos = 0;
    while (u_pos < n_length) {
        const std::size_t u_start = u_pos;
        while (u_pos < n_length && !is_sep(s_text[u_pos]))
            ++u_pos;
        if (u_pos > u_start)
            Add(s_text.substr(u_start, u_pos - u_start));
        if (u_pos < n_length) {
            ++u_pos;
            if (b_merge) {
                while (u_pos < n_length && is_sep(s_text[u_pos]))
                    ++u_pos;
            }
        }
    }
    return GetSize();
}

int ZelStringArray::SplitEx(const std::string& s_text, CharClass is_sep, CharClass is_quote, CharClass is_escape,
    int b_keep_empty, int b_merge)
{
    auto sep = [is_sep](char c) { return is_sep && is_sep(c); };
    auto quote = [is_quote](char c) { return is_quote && is_quote(c); };
    auto escape = [is_escape](char c) { return is_escape && is_escape(c); };
    return SplitFields(*this, s_text, sep, quote, escape, b_keep_empty, b_merge);
}

int ZelStringArray::SplitEx(const std::string& s_text, char c_sep, char c_quote, char c_escape, int b_keep_empty,
    int b_merge)
{
    auto sep = [c_sep](char c) { return c == c_sep; };
    auto quote = [c_quote](char c) { return c_quote != '\0' && c == c_quote; };
    auto escape = [c_escape](char c) { return c_escape != '\0' && c == c_escape; };
    return SplitFields(*this, s_text, sep, quote, escape, b_keep_empty, b_merge);
}

int ZelStringArray::iseol(char c)
{
    return c == '\r' || c == '\n';
}

int ZelStringArray::isnl(char c)
{
    return c == '\n';
}

int ZelStringArray::isquote(char c)
{
    return c == '"';
}

int ZelStringArray::isbslash(char c)
{
    return c == '\\';
}

int ZelStringArray::CmpChar(char a, char b)
{
    return a == b;
}

ZelStringAdder::ZelStringAdder(std::string& s_target) : sTarget(s_target), szBuffer{}, nWaiting(0) {}

ZelStringAdder::ZelStringAdder(const ZelStringAdder& src) : sTarget(src.sTarget), nWaiting(src.nWaiting)
{
    std::memcpy(szBuffer, src.szBuffer, sizeof szBuffer);
}

ZelStringAdder::~ZelStringAdder()
{
    Update();
}

void ZelStringAdder::Add(char c)
{
    szBuffer[nWaiting++] = c;
    if (nWaiting >= kBufferSize - 1)
        Update();
}

void ZelStringAdder::Update()
{
    if (nWaiting > 0) {
        sTarget.append(szBuffer, static_cast<std::size_t>(nWaiting));
        nWaiting = 0;
    }
}
