#include "output/PrintColumns.h"

#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <cstring>

const char* const PrintColumns::kOpening = "({[<";
const char* const PrintColumns::kLineBreak = "\n";
const char* const PrintColumns::kSeparators = " \r\t~`!@#$%^&*)_+|-=\\}]:;\"'>,.?/";

namespace {

bool IsIn(const char* p_set, char c) { return c != '\0' && std::strchr(p_set, c) != nullptr; }
bool IsOpening(char c) { return IsIn(PrintColumns::kOpening, c); }
bool IsLineBreak(char c) { return IsIn(PrintColumns::kLineBreak, c); }
bool IsSeparator(char c) { return IsIn(PrintColumns::kSeparators, c); }
bool IsBreak(char c) { return IsOpening(c) || IsLineBreak(c) || IsSeparator(c); }

// The length of the run of characters from i_from that the class holds.
template <class Pred>
std::size_t RunLength(const std::string& s_text, std::size_t i_from, Pred f_in)
{
    std::size_t i = i_from;
    while (i < s_text.size() && f_in(s_text[i]))
        ++i;
    return i - i_from;
}

// The length of the word at i_from when it does not start with an opening
// character: a run of plain characters with the line feeds or separators
// that follow it, or a leading run of line feeds or of separators.
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A colon, solidus or full stop between two digits holds a time, a date or
// a number together ("12:00pm", "03/06/25", "1.5"): a line does not break
// inside them, where a reader would take the halves for two values.
bool JoinsDigits(const std::string& s_text, std::size_t i_from, std::size_t i)
{
    const char c = s_text[i];
    return (c == ':' || c == '/' || c == '.') && i > i_from && i + 1 < s_text.size() && IsDigit(s_text[i - 1])
           && IsDigit(s_text[i + 1]);
}

std::size_t PlainWordLength(const std::string& s_text, std::size_t i_from)
{
    if (i_from >= s_text.size())
        return 0;
    std::size_t n_plain = 0;
    while (i_from + n_plain < s_text.size()
           && (!IsBreak(s_text[i_from + n_plain]) || JoinsDigits(s_text, i_from, i_from + n_plain)))
        ++n_plain;
    const std::size_t i_next = i_from + n_plain;
    if (n_plain == 0) {
        if (IsLineBreak(s_text[i_from]))
            return RunLength(s_text, i_from, IsLineBreak);
        return RunLength(s_text, i_from, IsSeparator);
    }
    if (i_next >= s_text.size())
        return n_plain;
    if (IsLineBreak(s_text[i_next]))
        return n_plain + RunLength(s_text, i_next, IsLineBreak);
    if (IsSeparator(s_text[i_next]))
        return n_plain + RunLength(s_text, i_next, IsSeparator);
    return n_plain;
}

} // namespace

const std::string& PrintColumns::AllBreakChars()
{
    static const std::string s_all = std::string(kOpening) + kLineBreak + kSeparators;
    return s_all;
}

PrintColumns::PrintColumns(int i_margin) : iMargin(i_margin)
{
    ZEL_ASSERT(i_margin >= 0);
}

std::size_t PrintColumns::Index(int i_col) const
{
    ZEL_ASSERT(0 <= i_col && i_col < nCols);
    return static_cast<std::size_t>(i_col);
}

void PrintColumns::SetNumColumns(int n_cols)
{
    nCols = n_cols > 0 ? n_cols : 0;
    const auto n = static_cast<std::size_t>(nCols);
    vTexts.assign(n, std::string());
    vPositions.assign(n, 0);
    vWidths.assign(n, 0);
    vFlags.assign(n, 1);
    vPairs.assign(n, {-1, -1});
    vValues.assign(n, -1);
}

int PrintColumns::SetTexts(int n_texts, const char* const* p_texts)
{
    if (n_texts != nCols)
        SetNumColumns(n_texts);
    for (int i = 0; i < nCols; ++i)
        vTexts[static_cast<std::size_t>(i)] = p_texts[i] != nullptr ? p_texts[i] : "";
    return n_texts;
}

int PrintColumns::SetTexts(int n_texts, const std::string* p_texts)
{
    if (n_texts != nCols)
        SetNumColumns(n_texts);
    for (int i = 0; i < nCols; ++i)
        vTexts[static_cast<std::size_t>(i)] = p_texts[i];
    return n_texts;
}

void PrintColumns::SetMargin(IPrintCanvas& dc, int i_mm)
{
    iMargin = dc.HiMetricToLogical(CSize(i_mm * 100, i_mm * 100)).cx;
}

void PrintColumns::MeasureTexts(IPrintCanvas& dc, const PrintFont& font, PCWidths& a_widths) const
{
    PrintFontScope scope(dc, font);
    const int n = std::min(nCols, a_widths.GetCount());
    for (int i = 0; i < n; ++i)
        a_widths[i] = static_cast<int>(dc.TextWidth(vTexts[static_cast<std::size_t>(i)]));
}

void PrintColumns::AddWidth(int i_col, int i_extra)
{
    ZEL_ASSERT_INFO(0 <= i_col && i_col < nCols, "0 <= i_col && i_col < nCols");
    vWidths[static_cast<std::size_t>(i_col)] += i_extra;
    for (int i = i_col + 1; i < nCols; ++i)
        vPositions[static_cast<std::size_t>(i)] += i_extra;
}

int PrintColumns::LayoutColumns(int i_pageWidth, const PCWidths& a_widths1, const PCWidths& a_widths2)
{
    ZEL_ASSERT_INFO(iMargin >= 0, "iMargin >= 0");
    if (nCols == 0 || a_widths1.GetCount() != nCols || a_widths2.GetCount() != nCols)
        return 0;
    int n_fit = nCols;
    for (int i = 0; i < nCols; ++i) {
        const auto u = static_cast<std::size_t>(i);
        vWidths[u] = std::max(a_widths1[i], a_widths2[i]);
        vPositions[u] = i == 0 ? 0 : vPositions[u - 1] + vWidths[u - 1] + iMargin;
        if (n_fit == nCols && vPositions[u] + vWidths[u] > i_pageWidth)
            n_fit = i;
    }
    return n_fit;
}

int PrintColumns::GetTextWidth(IPrintCanvas& dc, const std::string& s_text)
{
    std::string s_plain;
    s_plain.reserve(s_text.size());
    for (char c : s_text) {
        if (c != '\r' && c != '\n')
            s_plain += c;
    }
    return static_cast<int>(dc.TextWidth(s_plain));
}

std::string PrintColumns::NextWord(std::string& s_text)
{
    // Opening characters join the word after them, however many there are.
    const std::size_t n_opening = RunLength(s_text, 0, IsOpening);
    const std::size_t n_word = n_opening + PlainWordLength(s_text, n_opening);
    std::string s_word = s_text.substr(0, n_word);
    s_text.erase(0, n_word);
    return s_word;
}

int PrintColumns::SplitWords(const std::string& s_text, ZelStringArray& a_words)
{
    a_words.RemoveAll();
    std::string s_rest = s_text;
    while (!s_rest.empty())
        a_words.Add(NextWord(s_rest));
    return a_words.GetSize();
}

int PrintColumns::LayoutWords(IPrintCanvas& dc, int i_maxLines, int i_width, const ZelStringArray& a_words,
                              ZelStringArray& a_lines)
{
    a_lines.RemoveAll();
    a_lines.SetSize(i_maxLines < 1 ? 1 : i_maxLines);

    // Words wider than the column are cut where their left part still
    // fits; the rest (two characters at least) is looked at in its turn.
    std::vector<std::pair<std::string, int>> v_words;
    v_words.reserve(static_cast<std::size_t>(a_words.GetSize()));
    for (int i = 0; i < a_words.GetSize(); ++i)
        v_words.emplace_back(a_words[i], 0);
    for (std::size_t i = 0; i < v_words.size(); ++i) {
        std::string& s_word = v_words[i].first;
        const int i_whole = GetTextWidth(dc, s_word);
        v_words[i].second = i_whole;
        if (i_whole <= i_width || s_word.size() < 3)
            continue;
        // The longest left part that fits: widths grow with the length, so
        // the first fit counting down from length - 2 is found by halving.
        int i_low = 1, i_high = static_cast<int>(s_word.size()) - 2, i_cut = 0, i_cutWidth = 0;
        while (i_low <= i_high) {
            const int i_mid = (i_low + i_high) / 2;
            const int i_part = GetTextWidth(dc, s_word.substr(0, static_cast<std::size_t>(i_mid)));
            if (i_part <= i_width) {
                i_cut = i_mid;
                i_cutWidth = i_part;
                i_low = i_mid + 1;
            } else {
                i_high = i_mid - 1;
            }
        }
        if (i_cut == 0)
            continue;
        std::string s_rest = s_word.substr(static_cast<std::size_t>(i_cut));
        s_word.resize(static_cast<std::size_t>(i_cut));
        v_words[i].second = i_cutWidth;
        v_words.insert(v_words.begin() + static_cast<std::ptrdiff_t>(i) + 1, {std::move(s_rest), 0});
    }

    const auto b_another_line = [i_maxLines](int i_line) { return i_maxLines < 0 || i_line < i_maxLines - 1; };
    const auto to_line = [&a_lines](int i_line) {
        if (i_line >= a_lines.GetSize())
            a_lines.SetSize(a_lines.GetSize() + 5);
    };
    int i_line = 0;
    int i_running = 0;
    for (const auto& [s_word, i_wordWidth] : v_words) {
        if (a_lines[i_line].empty())
            i_running = 0;
        i_running += i_wordWidth;
        if (!a_lines[i_line].empty() && i_running > i_width && b_another_line(i_line)) {
            to_line(++i_line);
            a_lines[i_line] = s_word;
            i_running = i_wordWidth;
        } else {
            a_lines[i_line] += s_word;
        }
        if (a_lines[i_line].find('\n') != std::string::npos && b_another_line(i_line))
            to_line(++i_line);
    }
    // A line feed at the very end leaves an empty line, which is not used.
    return a_lines[i_line].empty() ? i_line : i_line + 1;
}

int PrintColumns::WrapText(IPrintCanvas& dc, int i_maxLines, int i_width, const std::string& s_text,
                           ZelStringArray& a_lines)
{
    ZelStringArray a_words;
    SplitWords(s_text, a_words);
    return LayoutWords(dc, i_maxLines, i_width, a_words, a_lines);
}
