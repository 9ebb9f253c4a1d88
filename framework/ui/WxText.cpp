#include "framework/ui/WxText.h"
#include "framework/Encoding.h"

wxString ToWx(const std::string& s_cp1252) { return wxString::FromUTF8(Cp1252ToUtf8(s_cp1252)); }

std::optional<std::string> FromWx(const wxString& s, std::string* s_bad)
{
    const wxScopedCharBuffer buf = s.utf8_str();
    return Utf8ToCp1252(std::string(buf.data(), buf.length()), s_bad);
}
