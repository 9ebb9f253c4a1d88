// The settings store that stands in for the system registry: keys named by
// backslash paths, each holding typed values, in two hives.
//
// - The user hive keeps per-user settings in a text file in the user's
//   configuration folder; every change is written back at once (through a
//   temporary file, so a crash never leaves half a file).
// - The machine hive holds the installation's values (paths of the guide and
//   the release notes, ...), read from a file the installation provides. It
//   is read-only: writes answer "access denied", as they would for a user
//   without administrator rights.
//
// Key paths and value names compare without regard to ASCII case, as the
// registry's do. Results are the registry's error codes.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

enum : std::uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_MULTI_SZ = 7,
};

enum : long {
    ERROR_SUCCESS = 0,
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_ACCESS_DENIED = 5,
    ERROR_INVALID_HANDLE = 6,
    ERROR_INVALID_DATA = 13,
    ERROR_WRITE_FAULT = 29,
    ERROR_MORE_DATA = 234,
};

enum class SettingsHive { CurrentUser, LocalMachine };

class CSettingsStore {
public:
    struct Value {
        std::uint32_t uType = REG_NONE;
        std::vector<std::uint8_t> vData;
    };

    static CSettingsStore& Get();

    // Points the hives at their files and loads them. An empty name keeps
    // that hive in memory only. A missing file is an empty hive.
    void Configure(const std::string& s_userFile, const std::string& s_machineFile);
    const std::string& GetUserFile() const { return sUserFile; }
    const std::string& GetMachineFile() const { return sMachineFile; }

    // The per-user file: $XDG_CONFIG_HOME (or ~/.config), then s_folder,
    // then "settings".
    static std::string DefaultUserFile(const std::string& s_folder);

    long CreateKey(SettingsHive e_hive, const std::string& s_key);
    long OpenKey(SettingsHive e_hive, const std::string& s_key) const;
    long DeleteKey(SettingsHive e_hive, const std::string& s_key);

    long QueryValue(SettingsHive e_hive, const std::string& s_key, const std::string& s_name, Value& out) const;
    long SetValue(SettingsHive e_hive, const std::string& s_key, const std::string& s_name, const Value& value);
    long DeleteValue(SettingsHive e_hive, const std::string& s_key, const std::string& s_name);
    std::vector<std::string> ValueNames(SettingsHive e_hive, const std::string& s_key) const;

    // The text form of a hive, as written to its file; and its reading.
    // Reading skips lines it cannot understand.
    static std::string ToText(const std::map<std::string, std::map<std::string, Value>>& m_hive);
    static std::map<std::string, std::map<std::string, Value>> FromText(const std::string& s_text);

private:
    using Key = std::map<std::string, Value>; // lower-cased name -> value
    struct Hive {
        std::map<std::string, Key> mKeys;                   // lower-cased path -> key
        std::map<std::string, std::string> mKeySpelling;    // lower-cased path -> path as given
        std::map<std::string, std::string> mNameSpelling;   // path\0name lower-cased -> name as given
    };

    Hive& HiveOf(SettingsHive e_hive) { return e_hive == SettingsHive::CurrentUser ? hUser : hMachine; }
    const Hive& HiveOf(SettingsHive e_hive) const { return e_hive == SettingsHive::CurrentUser ? hUser : hMachine; }
    static void LoadHive(Hive& hive, const std::string& s_file);
    long SaveUser();

    mutable std::mutex mMutex;
    std::string sUserFile;
    std::string sMachineFile;
    Hive hUser;
    Hive hMachine;
};
