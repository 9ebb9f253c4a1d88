#include "framework/Settings.h"
#include "framework/Exceptions.h"
#include "framework/FileIO.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Trims separators so "A\B\" and "\A\B" name one key.
std::string CleanPath(const std::string& s_key)
{
    std::string s;
    for (char c : s_key) {
        if (c == '/')
            c = '\\';
        if (c == '\\' && (s.empty() || s.back() == '\\'))
            continue;
        s += c;
    }
    while (!s.empty() && s.back() == '\\')
        s.pop_back();
    return s;
}

const char* a_hex = "0123456789abcdef";

std::string Escape(const std::string& s)
{
    std::string s_out;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': s_out += "\\\\"; break;
        case '"': s_out += "\\\""; break;
        case '\n': s_out += "\\n"; break;
        case '\r': s_out += "\\r"; break;
        case '\t': s_out += "\\t"; break;
        default:
            if (u < 0x20 || u == 0x7F) {
                s_out += "\\x";
                s_out += a_hex[u >> 4];
                s_out += a_hex[u & 15];
            } else {
                s_out += c;
            }
        }
    }
    return s_out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Unescape(const std::string& s, std::string& s_out)
{
    s_out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            s_out += s[i];
            continue;
        }
        if (++i >= s.size())
            return false;
        switch (s[i]) {
        case '\\': s_out += '\\'; break;
        case '"': s_out += '"'; break;
        case 'n': s_out += '\n'; break;
        case 'r': s_out += '\r'; break;
        case 't': s_out += '\t'; break;
        case '0': s_out += '\0'; break;
        case 'x': {
            if (i + 2 >= s.size())
                return false;
            const int h = HexDigit(s[i + 1]), l = HexDigit(s[i + 2]);
            if (h < 0 || l < 0)
                return false;
            s_out += static_cast<char>(h * 16 + l);
            i += 2;
            break;
        }
        default: return false;
        }
    }
    return true;
}

std::string ValueText(const CSettingsStore::Value& v)
{
    const std::string s_data(v.vData.begin(), v.vData.end());
    auto strip = [](std::string s) {
        if (!s.empty() && s.back() == '\0')
            s.pop_back();
        return s;
    };
    switch (v.uType) {
    case REG_SZ: return "sz:\"" + Escape(strip(s_data)) + "\"";
    case REG_EXPAND_SZ: return "expand:\"" + Escape(strip(s_data)) + "\"";
    case REG_DWORD:
        if (v.vData.size() == 4) {
            const std::uint32_t u = v.vData[0] | (v.vData[1] << 8) | (v.vData[2] << 16) |
                                    (static_cast<std::uint32_t>(v.vData[3]) << 24);
            return "dword:" + std::to_string(u);
        }
        break;
    case REG_MULTI_SZ: {
        // Elements, each closed by "\0", as the value holds them.
        std::string s_out = "multi:\"";
        for (const char c : s_data)
            s_out += c == '\0' ? std::string("\\0") : Escape(std::string(1, c));
        return s_out + "\"";
    }
    default: break;
    }
    std::string s_out = "hex(" + std::to_string(v.uType) + "):";
    for (const std::uint8_t u : v.vData) {
        s_out += a_hex[u >> 4];
        s_out += a_hex[u & 15];
    }
    return s_out;
}

// Key paths keep their backslashes as they are; only what would break the
// "[key]" line is written as %XX.
std::string KeyText(const std::string& s)
{
    std::string s_out;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || c == ']' || c == '%' || u == 0x7F) {
            s_out += '%';
            s_out += a_hex[u >> 4];
            s_out += a_hex[u & 15];
        } else {
            s_out += c;
        }
    }
    return s_out;
}

bool KeyFromText(const std::string& s, std::string& s_out)
{
    s_out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            s_out += s[i];
            continue;
        }
        if (i + 2 >= s.size())
            return false;
        const int h = HexDigit(s[i + 1]), l = HexDigit(s[i + 2]);
        if (h < 0 || l < 0)
            return false;
        s_out += static_cast<char>(h * 16 + l);
        i += 2;
    }
    return true;
}

bool ParseQuoted(const std::string& s, std::string& s_out)
{
    if (s.size() < 2 || s.front() != '"' || s.back() != '"')
        return false;
    return Unescape(s.substr(1, s.size() - 2), s_out);
}

bool ParseValue(const std::string& s, CSettingsStore::Value& v)
{
    std::string s_text;
    auto with_nul = [&](std::uint32_t u_type, const std::string& s_body) {
        if (!ParseQuoted(s_body, s_text))
            return false;
        v.uType = u_type;
        v.vData.assign(s_text.begin(), s_text.end());
        if (u_type != REG_MULTI_SZ)
            v.vData.push_back(0);
        return true;
    };
    if (s.rfind("sz:", 0) == 0)
        return with_nul(REG_SZ, s.substr(3));
    if (s.rfind("expand:", 0) == 0)
        return with_nul(REG_EXPAND_SZ, s.substr(7));
    if (s.rfind("multi:", 0) == 0)
        return with_nul(REG_MULTI_SZ, s.substr(6));
    if (s.rfind("dword:", 0) == 0) {
        const std::string s_num = s.substr(6);
        if (s_num.empty() || s_num.size() > 10 || s_num.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const unsigned long long u = std::strtoull(s_num.c_str(), nullptr, 10);
        if (u > 0xFFFFFFFFull)
            return false;
        v.uType = REG_DWORD;
        v.vData = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                   static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
        return true;
    }
    if (s.rfind("hex(", 0) == 0) {
        const auto u_close = s.find("):");
        if (u_close == std::string::npos)
            return false;
        const std::string s_type = s.substr(4, u_close - 4);
        if (s_type.empty() || s_type.size() > 10 || s_type.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const std::string s_hex = s.substr(u_close + 2);
        if (s_hex.size() % 2)
            return false;
        v.uType = static_cast<std::uint32_t>(std::strtoul(s_type.c_str(), nullptr, 10));
        v.vData.clear();
        for (std::size_t i = 0; i < s_hex.size(); i += 2) {
            const int h = HexDigit(s_hex[i]), l = HexDigit(s_hex[i + 1]);
            if (h < 0 || l < 0)
                return false;
            v.vData.push_back(static_cast<std::uint8_t>(h * 16 + l));
        }
        return true;
    }
    return false;
}

} // namespace

CSettingsStore& CSettingsStore::Get()
{
    static CSettingsStore store;
    return store;
}

std::string CSettingsStore::DefaultUserFile(const std::string& s_folder)
{
    std::string s_base;
    if (const char* p = std::getenv("XDG_CONFIG_HOME"); p && *p == '/')
        s_base = p;
    else if (const char* h = std::getenv("HOME"); h && *h)
        s_base = std::string(h) + "/.config";
    else
        s_base = "/tmp";
    return s_base + "/" + s_folder + "/settings";
}

std::string CSettingsStore::ToText(const std::map<std::string, std::map<std::string, Value>>& m_hive)
{
    std::string s_out = "; settings: one [key] a section, one \"name\"=type:value a line\n";
    for (const auto& [s_key, m_values] : m_hive) {
        s_out += "\n[" + KeyText(s_key) + "]\n";
        for (const auto& [s_name, v] : m_values)
            s_out += "\"" + Escape(s_name) + "\"=" + ValueText(v) + "\n";
    }
    return s_out;
}

std::map<std::string, std::map<std::string, CSettingsStore::Value>> CSettingsStore::FromText(const std::string& s_text)
{
    std::map<std::string, std::map<std::string, Value>> m_hive;
    std::map<std::string, Value>* p_key = nullptr;
    std::size_t u_start = 0;
    while (u_start <= s_text.size()) {
        auto u_end = s_text.find('\n', u_start);
        if (u_end == std::string::npos)
            u_end = s_text.size();
        std::string s_line = s_text.substr(u_start, u_end - u_start);
        u_start = u_end + 1;
        if (!s_line.empty() && s_line.back() == '\r')
            s_line.pop_back();
        if (s_line.empty() || s_line[0] == ';' || s_line[0] == '#')
            continue;
        if (s_line.front() == '[' && s_line.back() == ']') {
            std::string s_key;
            if (KeyFromText(s_line.substr(1, s_line.size() - 2), s_key)) {
                s_key = CleanPath(s_key);
                p_key = &m_hive[s_key];
            } else {
                p_key = nullptr;
            }
            continue;
        }
        if (!p_key || s_line.front() != '"')
            continue;
        // The name's closing quote is the first one not escaped.
        std::size_t i = 1;
        for (; i < s_line.size(); ++i) {
            if (s_line[i] == '\\')
                ++i;
            else if (s_line[i] == '"')
                break;
        }
        if (i + 1 >= s_line.size() || s_line[i + 1] != '=')
            continue;
        std::string s_name;
        Value v;
        if (ParseQuoted(s_line.substr(0, i + 1), s_name) && ParseValue(s_line.substr(i + 2), v))
            (*p_key)[s_name] = std::move(v);
    }
    return m_hive;
}

void CSettingsStore::LoadHive(Hive& hive, const std::string& s_file)
{
    hive = Hive{};
    if (s_file.empty())
        return;
    std::vector<std::uint8_t> v_bytes;
    try {
        v_bytes = ReadWholeFile(s_file);
    } catch (const CFileException&) {
        return; // no file yet: an empty hive
    }
    for (auto& [s_key, m_values] : FromText(std::string(v_bytes.begin(), v_bytes.end()))) {
        const std::string s_lkey = Lower(s_key);
        hive.mKeySpelling[s_lkey] = s_key;
        Key& key = hive.mKeys[s_lkey];
        for (auto& [s_name, v] : m_values) {
            hive.mNameSpelling[s_lkey + '\0' + Lower(s_name)] = s_name;
            key[Lower(s_name)] = std::move(v);
        }
        // Parent keys exist whenever a child does.
        for (auto u = s_key.rfind('\\'); u != std::string::npos && u > 0; u = s_key.rfind('\\', u - 1)) {
            const std::string s_parent = s_key.substr(0, u);
            hive.mKeys.try_emplace(Lower(s_parent));
            hive.mKeySpelling.try_emplace(Lower(s_parent), s_parent);
        }
    }
}

void CSettingsStore::Configure(const std::string& s_userFile, const std::string& s_machineFile)
{
    std::lock_guard<std::mutex> lock(mMutex);
    sUserFile = s_userFile;
    sMachineFile = s_machineFile;
    LoadHive(hUser, sUserFile);
    LoadHive(hMachine, sMachineFile);
}

long CSettingsStore::SaveUser()
{
    if (sUserFile.empty())
        return ERROR_SUCCESS;
    std::map<std::string, std::map<std::string, Value>> m_text;
    for (const auto& [s_lkey, key] : hUser.mKeys) {
        auto& m_values = m_text[hUser.mKeySpelling[s_lkey]];
        for (const auto& [s_lname, v] : key) {
            const auto it = hUser.mNameSpelling.find(s_lkey + '\0' + s_lname);
            m_values[it == hUser.mNameSpelling.end() ? s_lname : it->second] = v;
        }
    }
    // Create the configuration folder (and its parents) on first save.
    for (auto u = sUserFile.find('/', 1); u != std::string::npos; u = sUserFile.find('/', u + 1))
        mkdir(sUserFile.substr(0, u).c_str(), 0700);
    try {
        WriteFileAtomically(sUserFile, ToText(m_text));
    } catch (const CFileException&) {
        return ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

long CSettingsStore::CreateKey(SettingsHive e_hive, const std::string& s_key)
{
    std::lock_guard<std::mutex> lock(mMutex);
    const std::string s_path = CleanPath(s_key);
    Hive& hive = HiveOf(e_hive);
    if (hive.mKeys.count(Lower(s_path)))
        return ERROR_SUCCESS;
    if (e_hive == SettingsHive::LocalMachine)
        return ERROR_ACCESS_DENIED;
    std::string s_sofar;
    std::size_t u_start = 0;
    while (u_start <= s_path.size()) {
        auto u_end = s_path.find('\\', u_start);
        if (u_end == std::string::npos)
            u_end = s_path.size();
        s_sofar = s_path.substr(0, u_end);
        hive.mKeys.try_emplace(Lower(s_sofar));
        hive.mKeySpelling.try_emplace(Lower(s_sofar), s_sofar);
        u_start = u_end + 1;
    }
    return SaveUser();
}

long CSettingsStore::OpenKey(SettingsHive e_hive, const std::string& s_key) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return HiveOf(e_hive).mKeys.count(Lower(CleanPath(s_key))) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

long CSettingsStore::DeleteKey(SettingsHive e_hive, const std::string& s_key)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (e_hive == SettingsHive::LocalMachine)
        return ERROR_ACCESS_DENIED;
    const std::string s_lkey = Lower(CleanPath(s_key));
    if (!hUser.mKeys.count(s_lkey))
        return ERROR_FILE_NOT_FOUND;
    // Like the registry, a key with subkeys is not deleted.
    const auto it = hUser.mKeys.upper_bound(s_lkey);
    if (it != hUser.mKeys.end() && it->first.rfind(s_lkey + '\\', 0) == 0)
        return ERROR_ACCESS_DENIED;
    hUser.mKeys.erase(s_lkey);
    hUser.mKeySpelling.erase(s_lkey);
    return SaveUser();
}

long CSettingsStore::QueryValue(SettingsHive e_hive, const std::string& s_key, const std::string& s_name,
                                Value& out) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    const Hive& hive = HiveOf(e_hive);
    const auto it_key = hive.mKeys.find(Lower(CleanPath(s_key)));
    if (it_key == hive.mKeys.end())
        return ERROR_FILE_NOT_FOUND;
    const auto it = it_key->second.find(Lower(s_name));
    if (it == it_key->second.end())
        return ERROR_FILE_NOT_FOUND;
    out = it->second;
    return ERROR_SUCCESS;
}

long CSettingsStore::SetValue(SettingsHive e_hive, const std::string& s_key, const std::string& s_name,
                              const Value& value)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (e_hive == SettingsHive::LocalMachine)
        return ERROR_ACCESS_DENIED;
    const std::string s_lkey = Lower(CleanPath(s_key));
    const auto it_key = hUser.mKeys.find(s_lkey);
    if (it_key == hUser.mKeys.end())
        return ERROR_FILE_NOT_FOUND;
    it_key->second[Lower(s_name)] = value;
    hUser.mNameSpelling[s_lkey + '\0' + Lower(s_name)] = s_name;
    return SaveUser();
}

long CSettingsStore::DeleteValue(SettingsHive e_hive, const std::string& s_key, const std::string& s_name)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (e_hive == SettingsHive::LocalMachine)
        return ERROR_ACCESS_DENIED;
    const std::string s_lkey = Lower(CleanPath(s_key));
    const auto it_key = hUser.mKeys.find(s_lkey);
    if (it_key == hUser.mKeys.end() || !it_key->second.erase(Lower(s_name)))
        return ERROR_FILE_NOT_FOUND;
    hUser.mNameSpelling.erase(s_lkey + '\0' + Lower(s_name));
    return SaveUser();
}

std::vector<std::string> CSettingsStore::ValueNames(SettingsHive e_hive, const std::string& s_key) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    std::vector<std::string> v_names;
    const Hive& hive = HiveOf(e_hive);
    const std::string s_lkey = Lower(CleanPath(s_key));
    const auto it_key = hive.mKeys.find(s_lkey);
    if (it_key == hive.mKeys.end())
        return v_names;
    for (const auto& [s_lname, v] : it_key->second) {
        const auto it = hive.mNameSpelling.find(s_lkey + '\0' + s_lname);
        v_names.push_back(it == hive.mNameSpelling.end() ? s_lname : it->second);
    }
    return v_names;
}
