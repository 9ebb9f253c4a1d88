// One open key of the settings store with typed reads and writes. The
// program keeps its per-user settings and reads its installation paths
// through it. Failures never throw: every operation answers zero and keeps
// the store's error code, readable through IsError.
#pragma once

#include "framework/Settings.h"
#include "framework/Types.h"

#include <string>
#include <vector>

class ZelStringArray;

// The registry's root keys and access rights, carried onto the settings
// store's two hives.
using HKEY = SettingsHive;
inline constexpr HKEY HKEY_CURRENT_USER = SettingsHive::CurrentUser;
inline constexpr HKEY HKEY_LOCAL_MACHINE = SettingsHive::LocalMachine;

using REGSAM = DWORD;
enum : REGSAM {
    KEY_QUERY_VALUE = 0x0001,
    KEY_SET_VALUE = 0x0002,
    KEY_CREATE_SUB_KEY = 0x0004,
    KEY_ENUMERATE_SUB_KEYS = 0x0008,
    KEY_NOTIFY = 0x0010,
    KEY_READ = 0x20019,
    KEY_WRITE = 0x20006,
    KEY_ALL_ACCESS = 0xF003F,
};

class ZelRegistry {
public:
    // Opens s_subKey under the root, or with b_create creates it when it is
    // not there. The key counts as open only when that succeeded.
    ZelRegistry(HKEY h_root, const std::string& s_subKey, REGSAM u_access, bool b_create);
    ZelRegistry(const ZelRegistry&) = delete;
    ZelRegistry& operator=(const ZelRegistry&) = delete;
    virtual ~ZelRegistry();

    BOOL IsOpen() const { return bOpen ? TRUE : FALSE; }
    // Non-zero when the last operation failed; its code goes to *p_error.
    BOOL IsError(long* p_error = nullptr) const;

    BOOL GetType(const std::string& s_name, DWORD& u_type);

    // A string as stored; an expandable string as stored or, with
    // b_expand, with every %NAME% replaced from the environment; a 32-bit
    // number as its decimal text. Other types fail.
    BOOL GetValue(const std::string& s_name, std::string& s_value, bool b_expand);
    BOOL GetValue(const std::string& s_name, DWORD& u_value);
    BOOL GetValue(const std::string& s_name, ZelStringArray& a_values);
    BOOL SetValue(const std::string& s_name, DWORD u_value);
    BOOL SetValue(const std::string& s_name, const std::string& s_value);
    BOOL SetValue(const std::string& s_name, const char* p_value) { return SetValue(s_name, std::string(p_value)); }
    BOOL SetValue(const std::string& s_name, const ZelStringArray& a_values);
    BOOL DeleteValue(const std::string& s_name);

    // The multi-string value as plain strings, for code that has no string
    // array at hand; the same rules as the string-array forms.
    BOOL GetMultiValue(const std::string& s_name, std::vector<std::string>& v_values);
    BOOL SetMultiValue(const std::string& s_name, const std::vector<std::string>& v_values);

    // Replaces each %NAME% whose variable is set by its value; an unknown
    // name and a lone "%" stay as they are, as the system's expansion
    // leaves them.
    static std::string ExpandEnvironment(const std::string& s_text);

private:
    BOOL Query(const std::string& s_name, CSettingsStore::Value& value);
    BOOL Store(const std::string& s_name, std::uint32_t u_type, std::vector<std::uint8_t> v_data);
    BOOL Fail(long l_error);

    HKEY hRoot;
    REGSAM uAccess;
    std::string sSubKey;
    bool bOpen = false;
    long lError = ERROR_SUCCESS;
};
