// Conversion between the model's text (code page 1252 bytes, the event
// file's character set) and UTF-8 (the desktop's). Every edge where text
// leaves or enters the model converts here.
#pragma once

#include <optional>
#include <string>

std::string Cp1252ToUtf8(const std::string& s_cp1252);
// The same text as UTF-16 code units (every character of the code page is
// one unit; the holes keep their C1 control, as above).
std::u16string Cp1252ToUtf16(const std::string& s_cp1252);

// The text in code page 1252, or nothing when it holds a character the code
// page cannot hold (or is not valid UTF-8); s_bad then receives that
// character as UTF-8 text (or a description), for a message naming it.
std::optional<std::string> Utf8ToCp1252(const std::string& s_utf8, std::string* s_bad = nullptr);
