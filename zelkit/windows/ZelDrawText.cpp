#include "zelkit/windows/ZelDrawText.h"

std::vector<std::string> ZelBreakText(const std::string& s_text, LONG i_width,
                                      const std::function<LONG(const std::string&)>& f_width)
{
    std::vector<std::string> v_lines;
    std::size_t u_pos = 0;
    while (u_pos < s_text.size()) {
        std::size_t u_end = s_text.find('\n', u_pos);
        const std::size_t u_next = u_end == std::string::npos ? s_text.size() : u_end + 1;
        if (u_end == std::string::npos)
            u_end = s_text.size();
        if (u_end > u_pos && s_text[u_end - 1] == '\r')
            --u_end;
        const std::string s_hard = s_text.substr(u_pos, u_end - u_pos);
        u_pos = u_next;

        // The words of the line, each with the blanks before it.
        std::string s_line;
        std::size_t u = 0;
        bool b_any = false;
        while (u < s_hard.size()) {
            std::size_t u_word = u;
            while (u_word < s_hard.size() && s_hard[u_word] == ' ')
                ++u_word;
            std::size_t u_word_end = u_word;
            while (u_word_end < s_hard.size() && s_hard[u_word_end] != ' ')
                ++u_word_end;
            const std::string s_word = s_hard.substr(u_word, u_word_end - u_word);
            const std::string s_joined = s_hard.substr(u, u_word_end - u);
            if (b_any && !s_word.empty() && f_width(s_line + s_joined) > i_width) {
                v_lines.push_back(s_line);
                s_line = s_word;
            } else if (!s_word.empty()) {
                s_line += b_any ? s_joined : s_word;
            }
            b_any = b_any || !s_word.empty();
            u = u_word_end;
        }
        v_lines.push_back(s_line);
    }
    return v_lines;
}
