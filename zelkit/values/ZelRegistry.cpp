#include "zelkit/values/ZelRegistry.h"

#include "zelkit/base/ZelStringArray.h"

#include <cstdlib>

ZelRegistry::ZelRegistry(HKEY h_root, const std::string& s_subKey, REGSAM u_access, bool b_create)
    : hRoot(h_root), uAccess(u_access), sSubKey(s_subKey)
{
    CSettingsStore& store = CSettingsStore::Get();
    lError = b_create ? store.CreateKey(hRoot, sSubKey) : store.OpenKey(hRoot, sSubKey);
    bOpen = lError == ERROR_SUCCESS;
}

ZelRegistry::~ZelRegistry()
{
    // The store writes every change through at once: closing the key has
    // nothing left to flush.
    bOpen = false;
}

BOOL ZelRegistry::IsError(long* p_error) const
{
    if (p_error)
        *p_error = lError;
    return lError != ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL ZelRegistry::Fail(long l_error)
{
    lError = l_error;
    return FALSE;
}

BOOL ZelRegistry::Query(const std::string& s_name, CSettingsStore::Value& value)
{
    if (!bOpen)
        return Fail(ERROR_INVALID_HANDLE);
    if (!(uAccess & KEY_QUERY_VALUE))
        return Fail(ERROR_ACCESS_DENIED);
    lError = CSettingsStore::Get().QueryValue(hRoot, sSubKey, s_name, value);
    return lError == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL ZelRegistry::Store(const std::string& s_name, std::uint32_t u_type, std::vector<std::uint8_t> v_data)
{
    if (!bOpen)
        return Fail(ERROR_INVALID_HANDLE);
    if (!(uAccess & KEY_SET_VALUE))
        return Fail(ERROR_ACCESS_DENIED);
    CSettingsStore::Value value{u_type, std::move(v_data)};
    lError = CSettingsStore::Get().SetValue(hRoot, sSubKey, s_name, value);
    return lError == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL ZelRegistry::GetType(const std::string& s_name, DWORD& u_type)
{
    CSettingsStore::Value value;
    if (!Query(s_name, value))
        return FALSE;
    u_type = value.uType;
    return TRUE;
}

namespace {

// The text of a stored string: up to its terminator (a value written
// without one is taken whole).
std::string StoredText(const std::vector<std::uint8_t>& v_data)
{
    std::string s_text(v_data.begin(), v_data.end());
    const std::size_t u_nul = s_text.find('\0');
    if (u_nul != std::string::npos)
        s_text.resize(u_nul);
    return s_text;
}

bool StoredDword(const CSettingsStore::Value& value, DWORD& u_value)
{
    if (value.uType != REG_DWORD || value.vData.size() != 4)
        return false;
    u_value = static_cast<DWORD>(value.vData[0]) | static_cast<DWORD>(value.vData[1]) << 8 |
              static_cast<DWORD>(value.vData[2]) << 16 | static_cast<DWORD>(value.vData[3]) << 24;
    return true;
}

std::vector<std::uint8_t> Terminated(const std::string& s_text)
{
    std::vector<std::uint8_t> v_data(s_text.begin(), s_text.end());
    v_data.push_back(0);
    return v_data;
}

} // namespace

std::string ZelRegistry::ExpandEnvironment(const std::string& s_text)
{
    std::string s_out;
    std::size_t u_pos = 0;
    while (u_pos < s_text.size()) {
        const std::size_t u_open = s_text.find('%', u_pos);
        if (u_open == std::string::npos) {
            s_out.append(s_text, u_pos, std::string::npos);
            break;
        }
        s_out.append(s_text, u_pos, u_open - u_pos);
        const std::size_t u_close = s_text.find('%', u_open + 1);
        if (u_close == std::string::npos) {
            s_out.append(s_text, u_open, std::string::npos);
            break;
        }
        const std::string s_name = s_text.substr(u_open + 1, u_close - u_open - 1);
        const char* p_value = s_name.empty() ? nullptr : std::getenv(s_name.c_str());
        if (p_value) {
            s_out += p_value;
            u_pos = u_close + 1;
        } else {
            // Not a variable: keep the "%" and look again from the closing
            // one, which may open a name of its own ("100% %HOME%").
            s_out += '%';
            s_out.append(s_text, u_open + 1, u_close - u_open - 1);
            u_pos = u_close;
        }
    }
    return s_out;
}

BOOL ZelRegistry::GetValue(const std::string& s_name, std::string& s_value, bool b_expand)
{
    CSettingsStore::Value value;
    if (!Query(s_name, value))
        return FALSE;
    switch (value.uType) {
    case REG_SZ:
        s_value = StoredText(value.vData);
        return TRUE;
    case REG_EXPAND_SZ:
        s_value = b_expand ? ExpandEnvironment(StoredText(value.vData)) : StoredText(value.vData);
        return TRUE;
    case REG_DWORD: {
        DWORD u_number = 0;
        if (!StoredDword(value, u_number))
            return Fail(ERROR_INVALID_DATA);
        s_value = std::to_string(u_number);
        return TRUE;
    }
    default:
        return Fail(ERROR_INVALID_DATA);
    }
}

BOOL ZelRegistry::GetValue(const std::string& s_name, DWORD& u_value)
{
    CSettingsStore::Value value;
    if (!Query(s_name, value))
        return FALSE;
    if (!StoredDword(value, u_value))
        return Fail(ERROR_INVALID_DATA);
    return TRUE;
}

BOOL ZelRegistry::SetValue(const std::string& s_name, DWORD u_value)
{
    return Store(s_name, REG_DWORD,
                 {static_cast<std::uint8_t>(u_value), static_cast<std::uint8_t>(u_value >> 8),
                  static_cast<std::uint8_t>(u_value >> 16), static_cast<std::uint8_t>(u_value >> 24)});
}

BOOL ZelRegistry::SetValue(const std::string& s_name, const std::string& s_value)
{
    return Store(s_name, REG_SZ, Terminated(s_value));
}

BOOL ZelRegistry::GetMultiValue(const std::string& s_name, std::vector<std::string>& v_values)
{
    CSettingsStore::Value value;
    if (!Query(s_name, value))
        return FALSE;
    if (value.uType != REG_MULTI_SZ)
        return Fail(ERROR_INVALID_DATA);
    // Strings one after the other, each with its terminator; an empty
    // string (the final terminator) ends the list.
    v_values.clear();
    std::size_t u_pos = 0;
    const std::vector<std::uint8_t>& v_data = value.vData;
    while (u_pos < v_data.size()) {
        std::size_t u_end = u_pos;
        while (u_end < v_data.size() && v_data[u_end] != 0)
            ++u_end;
        if (u_end == u_pos)
            break;
        v_values.emplace_back(v_data.begin() + static_cast<std::ptrdiff_t>(u_pos),
                              v_data.begin() + static_cast<std::ptrdiff_t>(u_end));
        u_pos = u_end + 1;
    }
    return TRUE;
}

BOOL ZelRegistry::SetMultiValue(const std::string& s_name, const std::vector<std::string>& v_values)
{
    std::vector<std::uint8_t> v_data;
    for (const std::string& s_value : v_values) {
        // A string ends at its first terminator, and an empty one would end
        // the whole list: store only what reads back as it was.
        const std::string s_text = StoredText({s_value.begin(), s_value.end()});
        if (s_text.empty())
            continue;
        v_data.insert(v_data.end(), s_text.begin(), s_text.end());
        v_data.push_back(0);
    }
    v_data.push_back(0);
    return Store(s_name, REG_MULTI_SZ, std::move(v_data));
}

BOOL ZelRegistry::DeleteValue(const std::string& s_name)
{
    if (!bOpen)
        return Fail(ERROR_INVALID_HANDLE);
    if (!(uAccess & KEY_SET_VALUE))
        return Fail(ERROR_ACCESS_DENIED);
    lError = CSettingsStore::Get().DeleteValue(hRoot, sSubKey, s_name);
    return lError == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL ZelRegistry::GetValue(const std::string& s_name, ZelStringArray& a_values)
{
    std::vector<std::string> v_values;
    if (!GetMultiValue(s_name, v_values))
        return FALSE;
    a_values.RemoveAll();
    for (const std::string& s_value : v_values)
        a_values.Add(s_value);
    return TRUE;
}

BOOL ZelRegistry::SetValue(const std::string& s_name, const ZelStringArray& a_values)
{
    std::vector<std::string> v_values;
    v_values.reserve(static_cast<std::size_t>(a_values.GetSize()));
    for (int i = 0; i < a_values.GetSize(); ++i)
        v_values.push_back(a_values[i]);
    return SetMultiValue(s_name, v_values);
}
