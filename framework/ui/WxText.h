// Text crossing between the model (code page 1252 bytes) and wx (Unicode).
#pragma once

#include <optional>
#include <string>
#include <wx/string.h>

wxString ToWx(const std::string& s_cp1252);

// The model's form of s, or nothing when s holds a character code page 1252
// cannot hold; s_bad then names it.
std::optional<std::string> FromWx(const wxString& s, std::string* s_bad = nullptr);
