#include "model/DatePicture.h"

#include "framework/Encoding.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace {

std::string Number(std::int64_t ll_value, int n_minDigits)
{
    std::string s_digits = std::to_string(ll_value < 0 ? -ll_value : ll_value);
    if (static_cast<int>(s_digits.size()) < n_minDigits)
        s_digits.insert(0, static_cast<std::size_t>(n_minDigits) - s_digits.size(), '0');
    return ll_value < 0 ? "-" + s_digits : s_digits;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Literal text of a strftime format as picture text: quoted when it holds
// a letter or a quote, which the picture would otherwise read.
void AppendLiteral(std::string& s_out, const std::string& s_text)
{
    bool b_quote = false;
    for (char c : s_text)
        b_quote = b_quote || IsLetter(c) || c == '\'';
    if (!b_quote) {
        s_out += s_text;
        return;
    }
    s_out += '\'';
    for (char c : s_text) {
        s_out += c;
        if (c == '\'')
            s_out += '\'';
    }
    s_out += '\'';
}

} // namespace

std::string FormatDatePicture(const CHighTime& dt_date, const std::string& s_picture)
{
    if (dt_date.GetStatus() != CHighTime::valid)
        return {};
    const ZelOleDateTime o_date(dt_date);
    const std::int64_t ll_year = o_date.GetYear();
    const std::int64_t ll_yearInCentury = (ll_year % 100 + 100) % 100;
    std::string s_out;
    const std::size_t n_length = s_picture.size();
    std::size_t i = 0;
    while (i < n_length) {
        const char c = s_picture[i];
        if (c == '\'') {
            ++i;
            while (i < n_length) {
                if (s_picture[i] == '\'') {
                    if (i + 1 < n_length && s_picture[i + 1] == '\'') {
                        s_out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s_out += s_picture[i++];
            }
            continue;
        }
        if (c != 'd' && c != 'M' && c != 'y') {
            s_out += c;
            ++i;
            continue;
        }
        std::size_t n_run = 0;
        while (i < n_length && s_picture[i] == c) {
            ++n_run;
            ++i;
        }
        switch (c) {
        case 'd':
            if (n_run <= 2)
                s_out += Number(o_date.GetDay(), static_cast<int>(n_run));
            else
                s_out += o_date.GetDayName(n_run == 3);
            break;
        case 'M':
            if (n_run <= 2)
                s_out += Number(o_date.GetMonth(), static_cast<int>(n_run));
            else
                s_out += o_date.GetMonthName(n_run == 3);
            break;
        default:
            if (n_run <= 2)
                s_out += Number(ll_yearInCentury, static_cast<int>(n_run));
            else
                s_out += Number(ll_year, 4);
            break;
        }
    }
    return s_out;
}

std::string DatePictureFromStrftime(const std::string& s_format)
{
    std::string s_out;
    std::string s_literal;
    const std::size_t n_length = s_format.size();
    std::size_t i = 0;
    while (i < n_length) {
        if (s_format[i] != '%' || i + 1 >= n_length) {
            s_literal += s_format[i++];
            continue;
        }
        std::size_t j = i + 1;
        bool b_noPad = false;
        while (j < n_length && (s_format[j] == '-' || s_format[j] == '_' || s_format[j] == '0' ||
                                s_format[j] == '^' || s_format[j] == '#')) {
            b_noPad = b_noPad || s_format[j] == '-';
            ++j;
        }
        while (j < n_length && s_format[j] >= '1' && s_format[j] <= '9')
            ++j;
        if (j < n_length && (s_format[j] == 'E' || s_format[j] == 'O'))
            ++j;
        if (j >= n_length)
            break;
        const char c_code = s_format[j];
        i = j + 1;
        const char* p_picture = nullptr;
        switch (c_code) {
        case 'd': p_picture = b_noPad ? "d" : "dd"; break;
        case 'e': p_picture = "d"; break;
        case 'm': p_picture = b_noPad ? "M" : "MM"; break;
        case 'y': p_picture = "yy"; break;
        case 'Y': p_picture = "yyyy"; break;
        case 'b':
        case 'h': p_picture = "MMM"; break;
        case 'B': p_picture = "MMMM"; break;
        case 'a': p_picture = "ddd"; break;
        case 'A': p_picture = "dddd"; break;
        case 'D': p_picture = "MM/dd/yy"; break;
        case 'F': p_picture = "yyyy-MM-dd"; break;
        case '%': s_literal += '%'; break;
        case 'n': s_literal += ' '; break;
        case 't': s_literal += ' '; break;
        default: break; // codes of no date part are left out
        }
        if (p_picture != nullptr) {
            AppendLiteral(s_out, s_literal);
            s_literal.clear();
            s_out += p_picture;
        }
    }
    AppendLiteral(s_out, s_literal);
    return s_out;
}

std::string GetShortDatePicture()
{
    // Read once: the user's locale does not change while the program runs.
    static const std::string s_picture = [] {
        std::string s_format = "%m/%d/%y";
        const locale_t o_locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
        if (o_locale != static_cast<locale_t>(nullptr)) {
            const char* p_format = nl_langinfo_l(D_FMT, o_locale);
            const std::string s_codeset = nl_langinfo_l(CODESET, o_locale);
            if (p_format != nullptr && *p_format != '\0') {
                s_format = p_format;
                std::optional<std::string> s_cp1252;
                if (s_codeset == "UTF-8")
                    s_cp1252 = Utf8ToCp1252(s_format);
                if (s_cp1252) {
                    s_format = *s_cp1252;
                } else {
                    // Text the event's character set cannot hold is left out.
                    std::erase_if(s_format, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
                }
            }
            freelocale(o_locale);
        }
        return DatePictureFromStrftime(s_format);
    }();
    return s_picture;
}
