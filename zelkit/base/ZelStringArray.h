// The library's array of strings, with the splitting rules that the text
// import, the settings store's multi-string values and the name parts use,
// and a helper that builds long strings a character at a time.
//
// Strings are bytes (code page 1252, as the model keeps all text); the
// character classes look at single bytes and never at the process locale,
// so a byte at or above 0x80 is never taken for white space or a separator
// unless a class says so.
#pragma once

#include "zelkit/base/ZelArray.h"

#include <string>

class ZelStringArray : public ZelArray<std::string> {
public:
    // A character class: non-zero when the character belongs to it.
    using CharClass = int (*)(char c);

    ZelStringArray() = default;

    // Empties the array, then appends each non-empty run of characters
    // between separators; b_merge skips a whole run of separators at once.
    // i_flag has no effect. Returns the number of strings.
    int Split(const std::string& s_text, CharClass is_sep, int i_flag = 0, int b_merge = 0);

    // Empties the array, then splits the text into fields. A field ends at
    // a separator that is neither escaped nor inside quotes. The escape
    // class (optional) makes the next character literal. A quote (optional)
    // opens a run taken literally up to the next quote, in which two quotes
    // in a row stand for one; the enclosing quotes are dropped. Empty fields
    // are kept only with b_keep_empty; b_merge takes a run of separators as
    // one; a text ending in a separator has an empty last field. Returns the
    // number of strings.
    int SplitEx(const std::string& s_text, CharClass is_sep, CharClass is_quote, CharClass is_escape,
        int b_keep_empty, int b_merge);
    // The same with single characters; a quote or escape of '\0' is none.
    int SplitEx(const std::string& s_text, char c_sep, char c_quote, char c_escape, int b_keep_empty, int b_merge);

    // Character classes.
    static int iseol(char c);    // carriage return or line feed
    static int isnl(char c);     // line feed
    // Space, tab, line feed, vertical tab, form feed, carriage return.
    static int isspace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static int isquote(char c);  // the double quote
    static int isbslash(char c); // the backslash
    static int CmpChar(char a, char b);
};

// Collects characters and appends them to the target string 511 at a time,
// so that a string built character by character does not grow for every
// character. Update() appends what waits; the destructor does too.
class ZelStringAdder {
public:
    explicit ZelStringAdder(std::string& s_target);
    ZelStringAdder(const ZelStringAdder& src);
    ZelStringAdder& operator=(const ZelStringAdder&) = delete;
    ~ZelStringAdder();

    void Add(char c);
    ZelStringAdder& operator+=(char c)
    {
        Add(c);
        return *this;
    }
    void Update();

    // The number of characters waiting to be appended.
    int GetWaiting() const { return nWaiting; }

private:
    static constexpr int kBufferSize = 512;

    std::string& sTarget;
    char szBuffer[kBufferSize];
    int nWaiting;
};
