#include "model/HtmlText.h"

#include "framework/Encoding.h"

namespace {

std::string Escape(const std::string& s_text, bool b_lines)
{
    std::string s_out;
    s_out.reserve(s_text.size());
    for (std::size_t i = 0; i < s_text.size(); ++i) {
        const char c = s_text[i];
        switch (c) {
        case '&':
            s_out += "&amp;";
            break;
        case '<':
            s_out += "&lt;";
            break;
        case '>':
            s_out += "&gt;";
            break;
        case '"':
            s_out += "&quot;";
            break;
        case '\r':
            if (!b_lines) {
                s_out += c;
            } else {
                s_out += "<br />";
                if (i + 1 < s_text.size() && s_text[i + 1] == '\n')
                    ++i;
            }
            break;
        case '\n':
            s_out += b_lines ? "<br />" : "\n";
            break;
        default:
            s_out += c;
            break;
        }
    }
    return s_out;
}

} // namespace

std::string HtmlText(const std::string& s_cp1252)
{
    return Cp1252ToUtf8(Escape(s_cp1252, false));
}

std::string HtmlLines(const std::string& s_cp1252)
{
    return Cp1252ToUtf8(Escape(s_cp1252, true));
}
